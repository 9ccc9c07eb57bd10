#include "app/BackupAction.h"

#include "TestArchive.h"
#include "app/ExitBackup.h"
#include "common/ScriptedInteraction.h"
#include "db/ArchiveBackup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// The button asks where, writes a backup that restores, and says so; a
// cancelled dialog or a refused replacement writes nothing.
TEST(BackupAction, AsksWritesAndReports) {
    QTemporaryDir folder;
    qputenv("OSSARION_HOME", folder.path().toLocal8Bit());
    TestArchive a(db::Engine::SQLite);
    a.db().insert("Defunti", {{"Cognome", "Rossi"}, {"Immagine", folder.filePath("manca.jpg")}});
    const QString file = folder.filePath("copia.bak");

    common::ScriptedInteraction cancelled;
    EXPECT_FALSE(app::BackupAction::run(a.db(), cancelled, folder.path()));
    EXPECT_FALSE(QFile::exists(file));

    common::ScriptedInteraction ui;
    ui.texts.enqueue(file);
    EXPECT_TRUE(app::BackupAction::run(a.db(), ui, folder.path()));
    EXPECT_NO_THROW(db::ArchiveBackup::verify(file));
    ASSERT_EQ(ui.texts_of("warning").size(), 1);
    EXPECT_TRUE(ui.texts_of("warning").first().startsWith("Backup completato: "));
    EXPECT_TRUE(ui.texts_of("warning").first().contains(
        QDir::toNativeSeparators(folder.filePath("manca.jpg"))));

    common::ScriptedInteraction keep;
    keep.texts.enqueue(file);
    keep.answers.enqueue(false);
    QFile::resize(file, 10);
    EXPECT_FALSE(app::BackupAction::run(a.db(), keep, folder.path()));
    EXPECT_EQ(QFileInfo(file).size(), 10);
    EXPECT_TRUE(keep.texts_of("question").first().contains("esiste già"));
}

TEST(BackupAction, SuggestedNameCarriesDateAndTime) {
    EXPECT_EQ(app::BackupAction::suggestedName(QDateTime(QDate(2026, 3, 1), QTime(18, 5))),
              "Backup archivio 2026-03-01 18.05.bak");
}

// The backup at closing: off until chosen; on, it goes beside the archive
// (or to the chosen folder) and only the newest ones are kept. A
// PostgreSQL archive has its server's own backups.
TEST(ExitBackup, TakenWhenAskedKeepingTheNewest) {
    TestArchive a(db::Engine::SQLite);
    db::Database& d = a.db();
    common::ScriptedInteraction ui;
    const QDateTime first(QDate(2026, 3, 1), QTime(18, 5));
    EXPECT_TRUE(app::ExitBackup::run(d, ui, first).isEmpty());

    d.exec("UPDATE opzioni SET BackupUscita = true, BackupDaConservare = 2");
    const QDir beside(QFileInfo(d.archive()).absoluteDir().filePath("Backup"));
    const QString written = app::ExitBackup::run(d, ui, first);
    EXPECT_EQ(written, beside.filePath("Backup archivio 2026-03-01 18.05.bak"));
    EXPECT_NO_THROW(db::ArchiveBackup::verify(written));
    app::ExitBackup::run(d, ui, first.addDays(1));
    app::ExitBackup::run(d, ui, first.addDays(2));
    EXPECT_EQ(beside.entryList({"*.bak"}, QDir::Files, QDir::Name),
              QStringList({"Backup archivio 2026-03-02 18.05.bak",
                           "Backup archivio 2026-03-03 18.05.bak"}));
    EXPECT_TRUE(ui.texts_of("error").isEmpty());

    QTemporaryDir chosen;
    d.exec("UPDATE opzioni SET CartellaBackup = ?", {chosen.filePath("copie")});
    EXPECT_EQ(app::ExitBackup::run(d, ui, first),
              QDir(chosen.filePath("copie")).filePath("Backup archivio 2026-03-01 18.05.bak"));

    if (TestArchive::postgresAvailable()) {
        TestArchive pg(db::Engine::PostgreSQL);
        pg.db().exec("UPDATE opzioni SET BackupUscita = true");
        EXPECT_TRUE(app::ExitBackup::run(pg.db(), ui, first).isEmpty());
    }
}
