// Every #include of src/ points down the layers: common <- db <- registries
// <- the subsystems <- their ui/ folders and the shared ui <- app. A folder
// may include itself and what its direct layers below may include.

#include <QDirIterator>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QStringList>
#include <gtest/gtest.h>

namespace {

// The layers each folder builds on directly.
const QHash<QString, QStringList>& directLayers() {
    static const QHash<QString, QStringList> layers = {
        {"common", {}},
        {"db", {"common"}},
        {"registries", {"db"}},
        {"mail", {"db"}},
        {"printing", {"db"}},
        {"documents", {"registries"}},
        {"einvoice", {"documents"}},
        {"cemetery", {"documents"}},
        {"calendar", {"cemetery"}},
        {"notices", {"cemetery", "mail", "printing"}},
        {"staff", {"registries"}},
        {"purchases", {"einvoice"}},
        {"accounting", {"documents", "printing"}},
        {"ui", {"db"}},
        {"mail/ui", {"mail", "ui"}},
        {"printing/ui", {"printing", "mail/ui"}},
        {"registries/ui", {"registries", "printing/ui"}},
        {"einvoice/ui", {"einvoice", "registries/ui"}},
        {"documents/ui", {"documents", "einvoice/ui"}},
        {"cemetery/ui", {"cemetery", "documents/ui"}},
        {"calendar/ui", {"calendar", "cemetery/ui"}},
        {"notices/ui", {"notices", "cemetery/ui"}},
        {"staff/ui", {"staff", "registries/ui"}},
        {"purchases/ui", {"purchases", "documents/ui"}},
        {"accounting/ui", {"accounting", "documents/ui"}},
        {"app", {"einvoice", "calendar", "staff", "mail", "printing"}},
        {"app/ui",
         {"app", "calendar/ui", "notices/ui", "staff/ui", "purchases/ui", "accounting/ui"}},
    };
    return layers;
}

QSet<QString> reachable(const QString& folder) {
    QSet<QString> seen{folder};
    QStringList todo{folder};
    while (!todo.isEmpty()) {
        for (const QString& below : directLayers().value(todo.takeLast()))
            if (!seen.contains(below)) {
                seen.insert(below);
                todo.append(below);
            }
    }
    return seen;
}

// "documents/ui/InvoiceRowEditor.h" -> "documents/ui"; "ui/CardScreen.h" -> "ui".
QString folderOf(const QString& path) {
    const QStringList parts = path.split('/');
    if (parts.size() > 2 && parts[1] == QLatin1String("ui"))
        return parts[0] + QStringLiteral("/ui");
    return parts[0];
}

struct Violation {
    QString file;
    QString include;
};

} // namespace

TEST(Layers, EveryIncludePointsDown) {
    const QString root = QStringLiteral(OSSARION_SOURCE_TREE);
    static const QRegularExpression includeLine(
        QStringLiteral(R"re(^\s*#\s*include\s+"([^"]+)")re"), QRegularExpression::MultilineOption);
    QStringList problems;
    int files = 0;
    QDirIterator it(root, {"*.h", "*.cpp"}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString relative = path.mid(root.size() + 1);
        const QString folder = folderOf(relative);
        if (!directLayers().contains(folder)) {
            problems << QStringLiteral("%1: folder %2 has no place among the layers")
                            .arg(relative, folder);
            continue;
        }
        const QSet<QString> allowed = reachable(folder);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
        ++files;
        auto matches = includeLine.globalMatch(QString::fromUtf8(file.readAll()));
        while (matches.hasNext()) {
            const QString included = matches.next().captured(1);
            if (!included.contains('/'))
                continue; // a generated file beside the source
            if (!allowed.contains(folderOf(included)))
                problems << QStringLiteral("%1 includes %2").arg(relative, included);
        }
    }
    EXPECT_GT(files, 100);
    EXPECT_TRUE(problems.isEmpty()) << problems.join('\n').toStdString();
}

TEST(Layers, NoFolderReachesItselfThroughAnother) {
    for (auto it = directLayers().begin(); it != directLayers().end(); ++it)
        for (const QString& below : it.value())
            EXPECT_FALSE(reachable(below).contains(it.key()))
                << it.key().toStdString() << " and " << below.toStdString() << " form a cycle";
}

TEST(Layers, TheCheckSeesAnUpwardInclude) {
    EXPECT_FALSE(reachable("ui").contains("registries"));
    EXPECT_FALSE(reachable("documents").contains("documents/ui"));
    EXPECT_TRUE(reachable("cemetery/ui").contains("common"));
    EXPECT_EQ(folderOf("documents/ui/InvoiceRowEditor.h"), "documents/ui");
    EXPECT_EQ(folderOf("ui/CardScreen.h"), "ui");
}
