#include "TestArchive.h"
#include "app/ArchiveSwitch.h"
#include "app/SingleInstance.h"
#include "common/ScriptedInteraction.h"
#include "db/ArchiveLocation.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using app::ArchiveSwitch;
using db::ArchiveLocation;
using db::Engine;

namespace {

QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& content) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(content);
}

} // namespace

TEST(ArchiveLocation, MissingOrBlankFileIsRecreated) {
    QTemporaryDir dir;
    const QString expected = QDir(dir.path()).filePath("archivio.db");
    {
        ArchiveLocation loc(dir.path());
        EXPECT_EQ(loc.read(), expected);
        EXPECT_TRUE(loc.recreated());
        EXPECT_EQ(readFile(loc.filePath()).trimmed(), expected.toUtf8());
    }
    writeFile(dir.filePath("percorso.txt"), " \r\n");
    {
        ArchiveLocation loc(dir.path());
        EXPECT_EQ(loc.read(), expected);
        EXPECT_TRUE(loc.recreated());
        EXPECT_EQ(readFile(loc.filePath()).trimmed(), expected.toUtf8());
    }
}

TEST(ArchiveLocation, ExistingFileIsReadAsItStands) {
    QTemporaryDir dir;
    ArchiveLocation loc(dir.path());
    writeFile(loc.filePath(), "/srv/ditta/archivio.db\r\n");
    EXPECT_EQ(loc.read(), "/srv/ditta/archivio.db");
    EXPECT_FALSE(loc.recreated());
    EXPECT_EQ(readFile(loc.filePath()), "/srv/ditta/archivio.db\r\n");
    EXPECT_EQ(loc.archiveFolder("/srv/ditta/archivio.db"), "/srv/ditta");

    const QString pg = "postgresql://ufficio@server/ditta";
    writeFile(loc.filePath(), pg.toUtf8());
    EXPECT_EQ(loc.read(), pg);
    // A server archive keeps its upgrade script in the installation folder.
    EXPECT_EQ(loc.archiveFolder(pg), QDir(dir.path()).absolutePath());

    // A relative path is taken from the installation folder.
    writeFile(loc.filePath(), "dati/archivio.db");
    EXPECT_EQ(loc.read(), QDir(dir.path()).filePath("dati/archivio.db"));
}

TEST(ArchiveSwitch, MovesToAnotherArchive) {
    FOR_EACH_ENGINE(engine) {
        SCOPED_TRACE(engine == Engine::SQLite ? "SQLite" : "PostgreSQL");
        QTemporaryDir install;
        TestArchive current(Engine::SQLite);
        TestArchive other(engine);
        other.db().exec("UPDATE ditta SET RagSoc = 'Altra Ditta'");
        ArchiveLocation(install.path()).write(current.address());
        writeFile(QFileInfo(current.address()).absolutePath() + "/SQLAggio.sql",
                  "UPDATE ditta SET RagSoc = 'Non applicare'");

        common::ScriptedInteraction ui;
        ArchiveSwitch sw(current.db(), ui, install.path());
        ArchiveSwitch::Result r;
        if (engine == Engine::SQLite) {
            ui.texts.enqueue(other.address());
            r = sw.run();
            EXPECT_EQ(ui.messages.size(), 1); // the file dialog
        } else {
            r = sw.run(" " + other.address() + " ");
            EXPECT_TRUE(ui.messages.isEmpty());
        }
        ASSERT_TRUE(r.switched) << ui.texts_of("error").join("\n").toStdString();
        EXPECT_EQ(r.caption, "Ossarion - Altra Ditta");
        EXPECT_EQ(current.db().archive(), other.address());
        EXPECT_EQ(current.db().workstation(), "TEST1");
        EXPECT_EQ(ArchiveLocation(install.path()).read(), other.address());
        EXPECT_EQ(current.db().scalar("select RagSoc from ditta").toString(), "Altra Ditta");
        EXPECT_EQ(current.db()
                      .scalar("select count(*) from TempAvvisi where NomeComputer = 'TEST1'")
                      .toInt(),
                  1);
        // The start-up's script is not the switch's business.
        EXPECT_TRUE(QFile::exists(QFileInfo(current.address()).absolutePath() + "/SQLAggio.sql"));
    }
}

TEST(ArchiveSwitch, FailureKeepsTheOldConnection) {
    QTemporaryDir install;
    TestArchive current(Engine::SQLite);
    ArchiveLocation(install.path()).write(current.address());
    const QByteArray before = readFile(install.filePath("percorso.txt"));

    common::ScriptedInteraction ui;
    ArchiveSwitch sw(current.db(), ui, install.path());
    EXPECT_FALSE(sw.run().switched); // dialog cancelled
    EXPECT_TRUE(ui.texts_of("error").isEmpty());

    const ArchiveSwitch::Result r = sw.switchTo(install.filePath("manca/archivio.db"));
    EXPECT_FALSE(r.switched);
    EXPECT_EQ(ui.texts_of("error").size(), 1);
    EXPECT_FALSE(QFile::exists(install.filePath("manca/archivio.db")));
    EXPECT_EQ(readFile(install.filePath("percorso.txt")), before);
    EXPECT_EQ(current.db().archive(), current.address());
    EXPECT_TRUE(current.db().isOpen());
    EXPECT_EQ(current.db().scalar("select count(*) from opzioni").toInt(), 1);
}

TEST(SingleInstance, SecondCopyOnTheSameWorkstationIsRefused) {
    QTemporaryDir dir;
    auto first = std::make_unique<app::SingleInstance>("PC1", "anna", dir.path());
    ASSERT_TRUE(first->tryAcquire());
    EXPECT_TRUE(first->tryAcquire());

    app::SingleInstance second("PC1", "anna", dir.path());
    EXPECT_FALSE(second.tryAcquire());
    // Another user or workstation is a different instance.
    EXPECT_TRUE(app::SingleInstance("PC1", "bruno", dir.path()).tryAcquire());
    EXPECT_TRUE(app::SingleInstance("PC2", "anna", dir.path()).tryAcquire());

    first.reset();
    EXPECT_TRUE(second.tryAcquire());

    common::ScriptedInteraction ui;
    app::SingleInstance::showAlreadyRunning(ui);
    ASSERT_EQ(ui.messages.size(), 1);
    EXPECT_EQ(ui.messages[0].title, "Messaggio di Avviso !");
    EXPECT_EQ(ui.messages[0].text, "Ossarion e' già in esecuzione");
}
