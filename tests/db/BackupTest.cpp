#include "TestArchive.h"
#include "db/ArchiveBackup.h"
#include "db/DbError.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray contentOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<mancante>");
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

// The rows the test touches, as text, to compare the archive before and after.
QStringList rows(db::Database& d) {
    QStringList all;
    for (const char* sql :
         {"select * from Clienti order by ID", "select * from Defunti order by Id",
          "select * from Fattura_Allegati order by id"})
        for (const db::Row& r : d.query(QString::fromLatin1(sql))) {
            QStringList cells;
            for (int i = 0; i < r.columnCount(); ++i)
                cells.append(r.value(i).toString());
            all.append(cells.join(u'|'));
        }
    return all;
}

// An archive with a customer, a deceased with a photo and an attachment.
struct Scene {
    explicit Scene(db::Engine engine) : archive(engine) {
        photo = files.filePath("foto/rossi.jpg");
        attachment = files.filePath("allegati/contratto.pdf");
        QDir().mkpath(files.filePath("foto"));
        QDir().mkpath(files.filePath("allegati"));
        // The installation's own report templates travel with the archive.
        qputenv("OSSARION_HOME", files.path().toLocal8Bit());
        QDir().mkpath(files.filePath("reports"));
        writeFile(files.filePath("reports/101.json"), "{\"override\": {}}");
        QByteArray binary;
        for (int i = 0; i < 70000; ++i)
            binary.append(char(i * 7));
        writeFile(photo, binary);
        writeFile(attachment, "%PDF-1.4 contratto");
        db::Database& d = archive.db();
        d.insert("Clienti", {{"Cliente", "Rossi Mario"}, {"Note", "àèìòù"}});
        d.insert("Defunti", {{"Cognome", "Rossi"}, {"Nome", "Anna"}, {"Immagine", photo}});
        d.insert("Fattura_Allegati", {{"Fattura_Id", 1},
                                      {"NomeAttachment", "contratto.pdf"},
                                      {"PercorsoCompleto", attachment}});
        d.insert("Fattura_Allegati", {{"Fattura_Id", 2},
                                      {"NomeAttachment", "perso.pdf"},
                                      {"PercorsoCompleto", files.filePath("perso.pdf")}});
    }

    // What another day's work does: rows and files change.
    void change() {
        db::Database& d = archive.db();
        d.exec("delete from Defunti");
        d.exec("update Clienti set Cliente = 'Bianchi'");
        writeFile(attachment, "altro contenuto");
        QFile::remove(photo);
        QFile::remove(files.filePath("reports/101.json"));
    }

    void reopen() {
        archive.db().close();
        archive.db().open(archive.address());
    }

    TestArchive archive;
    QTemporaryDir files;
    QString photo;
    QString attachment;
};

} // namespace

TEST(Backup, RestoreBringsBackRowsAndFiles) {
    FOR_EACH_ENGINE(engine) {
        Scene s(engine);
        const QStringList before = rows(s.archive.db());
        const QByteArray photo = contentOf(s.photo);
        const QByteArray attachment = contentOf(s.attachment);
        const QString file = s.files.filePath("copia.bak");

        const db::ArchiveBackup::Summary written = db::ArchiveBackup::write(s.archive.db(), file);
        EXPECT_EQ(written.files, 3);
        EXPECT_EQ(written.missingFiles, QStringList{s.files.filePath("perso.pdf")});

        s.change();
        ASSERT_NE(rows(s.archive.db()), before);
        s.archive.db().close();
        const db::ArchiveBackup::Summary restored =
            db::ArchiveBackup::restore(file, s.archive.address());
        EXPECT_EQ(restored.files, 3);
        EXPECT_EQ(contentOf(s.files.filePath("reports/101.json")), "{\"override\": {}}");
        s.archive.db().open(s.archive.address());
        EXPECT_EQ(rows(s.archive.db()), before);
        EXPECT_EQ(contentOf(s.photo), photo);
        EXPECT_EQ(contentOf(s.attachment), attachment);
        // The restored archive goes on working.
        EXPECT_GT(s.archive.db().insert("Clienti", {{"Cliente", "Dopo"}}), 0);
    }
}

// A write another workstation has not committed stays out of the copy, and
// does not stop it.
TEST(Backup, TakenWhileAnotherWorkstationWrites) {
    FOR_EACH_ENGINE(engine) {
        Scene s(engine);
        const QStringList before = rows(s.archive.db());
        auto other = s.archive.openAnother("CASSA2");
        other->beginWrite();
        other->insert("Clienti", {{"Cliente", "Non ancora salvato"}});
        const QString file = s.files.filePath("copia.bak");
        db::ArchiveBackup::write(s.archive.db(), file);
        other->rollback();
        other.reset();
        s.change();
        s.archive.db().close();
        db::ArchiveBackup::restore(file, s.archive.address());
        s.archive.db().open(s.archive.address());
        EXPECT_EQ(rows(s.archive.db()), before);
    }
}

TEST(Backup, DamagedBackupRefusedAndNothingReplaced) {
    FOR_EACH_ENGINE(engine) {
        Scene s(engine);
        const QString file = s.files.filePath("copia.bak");
        db::ArchiveBackup::write(s.archive.db(), file);
        s.change();
        const QStringList changed = rows(s.archive.db());
        const QByteArray good = contentOf(file);

        QByteArray flipped = good;
        flipped[flipped.size() / 2] = char(flipped[flipped.size() / 2] ^ 0x01);
        QByteArray tail = good;
        tail[tail.size() - 40] = char(tail[tail.size() - 40] ^ 0x20);
        const QList<std::pair<const char*, QByteArray>> damages = {
            {"troncato", good.left(good.size() - 1000)},
            {"metà", good.left(good.size() / 2)},
            {"byte cambiato", flipped},
            {"indice cambiato", tail},
        };
        s.archive.db().close();
        for (const auto& [what, bytes] : damages) {
            SCOPED_TRACE(what);
            const QString bad = s.files.filePath("rotto.bak");
            writeFile(bad, bytes);
            try {
                db::ArchiveBackup::restore(bad, s.archive.address());
                ADD_FAILURE() << "backup danneggiato accettato";
            } catch (const db::DbError& e) {
                EXPECT_TRUE(e.message().contains("danneggiato o incompleto"))
                    << e.message().toStdString();
                EXPECT_TRUE(e.message().contains("non sono stati modificati"));
            }
            EXPECT_FALSE(QFile::exists(s.photo));
            EXPECT_EQ(contentOf(s.attachment), "altro contenuto");
            EXPECT_EQ(
                QDir(s.files.path()).entryList({"*ripristino*"}, QDir::AllEntries | QDir::Hidden),
                QStringList());
        }
        writeFile(s.files.filePath("altro.bak"), "PK\x03\x04 non un backup");
        try {
            db::ArchiveBackup::restore(s.files.filePath("altro.bak"), s.archive.address());
            ADD_FAILURE() << "file estraneo accettato";
        } catch (const db::DbError& e) {
            EXPECT_TRUE(e.message().contains("non è un backup di Ossarion"));
        }
        s.archive.db().open(s.archive.address());
        EXPECT_EQ(rows(s.archive.db()), changed);
    }
}

// A backup of one engine does not replace an archive of the other.
TEST(Backup, OtherEngineRefused) {
    if (!TestArchive::postgresAvailable())
        GTEST_SKIP();
    Scene lite(db::Engine::SQLite);
    const QString file = lite.files.filePath("copia.bak");
    db::ArchiveBackup::write(lite.archive.db(), file);
    TestArchive pg(db::Engine::PostgreSQL);
    EXPECT_THROW(db::ArchiveBackup::restore(file, pg.address()), db::DbError);
}
