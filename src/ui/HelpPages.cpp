#include "ui/HelpPages.h"

#include "common/Installation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace ui {

HelpPages::HelpPages(const QString& folder)
    : m_folder(folder.isEmpty() ? common::Installation::dataFolder(QStringLiteral("help"))
                                : folder) {
    // pagine.txt: one "name page.html" per line; # starts a comment.
    QFile f(QDir(m_folder).filePath(QStringLiteral("pagine.txt")));
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return;
    const QStringList lines = QString::fromUtf8(f.readAll()).split(u'\n');
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    for (QString line : lines) {
        line = line.section(u'#', 0, 0).trimmed();
        const QStringList parts = line.split(blanks, Qt::SkipEmptyParts);
        if (parts.size() >= 2)
            m_map.insert(parts[0].toUpper(), parts[1]);
    }
}

QString HelpPages::indexPage() const {
    return QDir(m_folder).filePath(QStringLiteral("index.html"));
}

QString HelpPages::entityOf(const QString& objectName) {
    QString s = objectName;
    static const QRegularExpression prefix(QStringLiteral("^T?frm"),
                                           QRegularExpression::CaseInsensitiveOption);
    s.remove(prefix);
    s.remove(QStringLiteral("Griglia"), Qt::CaseInsensitive);
    if (s.endsWith(QStringLiteral("Dettaglio"), Qt::CaseInsensitive))
        s.chop(9);
    return s;
}

QString HelpPages::pageForName(const QString& name) const {
    if (name.isEmpty())
        return QString();
    const QString entity = entityOf(name);
    for (const QString& key : {name, entity}) {
        if (key.isEmpty())
            continue;
        const auto it = m_map.constFind(key.toUpper());
        if (it != m_map.cend() && QFileInfo(QDir(m_folder).filePath(*it)).isFile())
            return QDir(m_folder).filePath(*it);
    }
    const QString own = QDir(m_folder).filePath(entity.toLower() + QStringLiteral(".html"));
    if (!entity.isEmpty() && QFileInfo(own).isFile())
        return own;
    return QString();
}

QString HelpPages::pageFor(const QStringList& windowNames) const {
    for (const QString& name : windowNames) {
        const QString page = pageForName(name);
        if (!page.isEmpty())
            return page;
    }
    return indexPage();
}

} // namespace ui
