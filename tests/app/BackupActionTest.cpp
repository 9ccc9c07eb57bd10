#include "app/BackupAction.h"

#include "TestArchive.h"
#include "common/ScriptedInteraction.h"
#include "db/ArchiveBackup.h"

#include <QDir>
#include <QFile>
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
