#include "TestArchive.h"
#include "app/StartupSequence.h"
#include "common/ScriptedInteraction.h"
#include "db/Schema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using app::StartupResult;
using app::StartupSequence;
using db::Engine;

namespace {

void writeFile(const QString& path, const QByteArray& content) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(content);
}

// An installation folder with its permissions, percorso.txt pointing at a
// fresh archive and the help pages in place.
struct Startup {
    explicit Startup(Engine engine, const QByteArray& permissions = "ALL") : archive(engine) {
        writeFile(install.filePath("permessi.kyn"), permissions);
        writeFile(install.filePath("percorso.txt"), archive.address().toUtf8() + "\r\n");
        writeFile(install.filePath("index.html"), "<html></html>");
    }

    db::Database& db() { return archive.db(); }

    StartupResult run(const QDate& today = QDate(2026, 12, 4)) {
        app::StartupOptions options;
        options.installationFolder = install.path();
        options.helpFile = install.filePath("index.html");
        options.today = today;
        return StartupSequence(archive.db(), ui, options).run();
    }

    // Where SQLAggio.sql is looked for.
    QString scriptPath() const {
        const QString folder = db::Database::isPostgresAddress(archive.address())
                                   ? install.path()
                                   : QFileInfo(archive.address()).absolutePath();
        return QDir(folder).filePath("SQLAggio.sql");
    }

    // A second connection for checks after a start-up that closed its own.
    std::unique_ptr<db::Database> reopen() { return archive.openAnother("TEST1"); }

    TestArchive archive;
    QTemporaryDir install;
    common::ScriptedInteraction ui;
};

bool storico(db::Database& d, const QString& table, qint64 id) {
    return d.query("select Storico from " + table + " where ID = ?", {id})
        .first()
        .boolean("Storico");
}

qint64 countRows(db::Database& d, const QString& sql) {
    return d.scalar(sql).toLongLong();
}

} // namespace

TEST(Startup, NormalRunGivesCaptionTabAndPermissions) {
    Startup s(Engine::SQLite, "TABARCHIVIO BTNCLIENTI");
    s.db().exec("UPDATE ditta SET RagSoc = 'Onoranze Rossi'");
    s.db().exec("UPDATE opzioni SET TabIniziale = 2, PromemoriaScadenze = false");
    const StartupResult r = s.run();
    ASSERT_FALSE(r.stop);
    EXPECT_TRUE(s.ui.messages.isEmpty());
    EXPECT_EQ(r.caption, "Ossarion - Onoranze Rossi");
    EXPECT_EQ(r.startTab, 2);
    EXPECT_TRUE(r.helpFound);
    EXPECT_FALSE(r.remindersEnabled);
    EXPECT_FALSE(r.showReminder());
    EXPECT_TRUE(r.permissions.isButtonVisible("btnClienti"));
    EXPECT_FALSE(r.permissions.isTabVisible("TABSTAMPE"));
    EXPECT_TRUE(s.db().isOpen());
}

TEST(Startup, MissingPermissionsStopsBeforeTouchingTheArchive) {
    Startup s(Engine::SQLite);
    QFile::remove(s.install.filePath("permessi.kyn"));
    s.db().insert("TempStampa", {{"NomeComputer", "TEST1"}});
    const StartupResult r = s.run();
    EXPECT_TRUE(r.stop);
    ASSERT_EQ(s.ui.messages.size(), 1);
    EXPECT_EQ(s.ui.messages[0].title, "Messaggio di avviso");
    EXPECT_EQ(s.ui.messages[0].text, "manca il file dei permessi !");
    EXPECT_EQ(countRows(s.db(), "select count(*) from TempStampa"), 1);
}

TEST(Startup, MissingHelpOnlyWarns) {
    Startup s(Engine::SQLite);
    QFile::remove(s.install.filePath("index.html"));
    const StartupResult r = s.run();
    EXPECT_FALSE(r.stop);
    EXPECT_FALSE(r.helpFound);
    EXPECT_EQ(s.ui.texts_of("warning"),
              QStringList{"File di Help non Trovato" + s.install.filePath("index.html")});
}

TEST(Startup, AdministratorPassword) {
    struct Case {
        const char* permissions;
        const char* password;
        QStringList typed;
        int prompts;
        QStringList errors;
        bool stops;
    };
    const QString again = "Password errata: riprovare (maiuscole e minuscole contano).";
    const QString last = "Password errata per tre volte: il programma si chiude.";
    const Case cases[] = {
        // Case-sensitive; the window closed on the second try.
        {"ALL", "Segreta", {"segreta"}, 2, {again}, true},
        {"ALL", "Segreta", {}, 1, {}, true}, // window closed: quietly
        {"ALL", "Segreta", {"Segreta"}, 1, {}, false},
        {"ALL", "Segreta", {"x", "Segreta"}, 2, {again}, false},
        {"ALL", "Segreta", {"a", "b", "c", "Segreta"}, 3, {again, again, last}, true},
        {"TABARCHIVIO PASSWORDACCESSO", "Segreta", {}, 0, {}, false},
        {"ALL", "", {}, 0, {}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.permissions) + " / " + c.password + " / " +
                     c.typed.join(',').toStdString());
        Startup s(Engine::SQLite, c.permissions);
        s.db().exec("UPDATE opzioni SET PasswordAmministratore = ?", {QString(c.password)});
        s.db().insert("TempStampa", {{"NomeComputer", "TEST1"}});
        for (const QString& t : c.typed)
            s.ui.texts.enqueue(t);
        const StartupResult r = s.run();
        EXPECT_EQ(r.stop, c.stops);
        EXPECT_EQ(s.ui.texts_of("password"), QStringList(c.prompts, "Inserisci la Password"));
        EXPECT_EQ(s.ui.texts_of("error"), c.errors);
        // A refused start leaves scratch rows alone.
        EXPECT_EQ(s.db().isOpen(), !c.stops);
        auto check = s.reopen();
        EXPECT_EQ(countRows(*check, "select count(*) from TempStampa"), c.stops ? 1 : 0);
    }
}

// An empty permissions file shows only the videos, and says why.
TEST(Startup, EmptyPermissionsAreExplained) {
    Startup s(Engine::SQLite, "");
    const StartupResult r = s.run();
    EXPECT_FALSE(r.stop);
    ASSERT_EQ(s.ui.texts_of("warning").size(), 1);
    EXPECT_TRUE(s.ui.texts_of("warning")[0].startsWith(
        "Il file dei permessi (permessi.kyn) è vuoto: si vedono solo i video."));
}

TEST(Startup, ScratchCleanupTouchesOnlyThisWorkstation) {
    FOR_EACH_ENGINE(engine) {
        SCOPED_TRACE(engine == Engine::SQLite ? "SQLite" : "PostgreSQL");
        Startup s(engine);
        const QStringList tables = {"TempStampa",
                                    "TempAvvisiClienti",
                                    "tempStoriaContabilitaTestata",
                                    "TempBilancio",
                                    "TempContabilitaRegistroVenditeTrimestre",
                                    "TempContabilitaRegistroVendite",
                                    "TempContabilitaRegistroAcquistiTrimestre",
                                    "TempContabilitaRegistroAcquisti"};
        for (const QString& t : tables)
            for (const char* ws : {"TEST1", "PC2", "TEST1"})
                s.db().insert(t, {{"NomeComputer", QString::fromLatin1(ws)}});
        s.db().insert("tempStoriaContabilitaRighe", {{"NomeComputer", "PC2"}});
        s.db().insert("TempAvvisi", {{"NomeComputer", "PC2"}, {"Testo", "bozza di PC2"}});
        s.db().insert("TempAvvisi", {{"NomeComputer", "TEST1"}, {"Testo", "vecchia bozza"}});

        ASSERT_FALSE(s.run().stop);
        for (const QString& t : tables) {
            EXPECT_EQ(
                countRows(s.db(), "select count(*) from " + t + " where NomeComputer = 'PC2'"), 1)
                << t.toStdString();
            EXPECT_EQ(countRows(s.db(), "select count(*) from " + t), 1) << t.toStdString();
        }
        // Emptied whole, whoever wrote the rows.
        EXPECT_EQ(countRows(s.db(), "select count(*) from tempStoriaContabilitaRighe"), 0);
        // This workstation's notice row was replaced by a fresh one.
        const db::Result mine =
            s.db().query("select * from TempAvvisi where NomeComputer = 'TEST1'");
        ASSERT_EQ(mine.size(), 1u);
        EXPECT_TRUE(mine.first().isNull("Testo"));
        EXPECT_EQ(countRows(s.db(), "select count(*) from TempAvvisi where NomeComputer = 'PC2'"),
                  1);
    }
}

TEST(Startup, EachWorkstationOwnsOneNoticeRow) {
    FOR_EACH_ENGINE(engine) {
        Startup s(engine);
        ASSERT_FALSE(s.run().stop);
        ASSERT_FALSE(s.run().stop);
        EXPECT_EQ(countRows(s.db(), "select count(*) from TempAvvisi where NomeComputer = 'TEST1'"),
                  1);
        // The archive switch relies on the same rule for a second workstation.
        auto other = s.archive.openAnother("PC2");
        StartupSequence::ensureNoticeRow(*other);
        StartupSequence::ensureNoticeRow(*other);
        EXPECT_EQ(countRows(s.db(), "select count(*) from TempAvvisi"), 2);
    }
}

TEST(Startup, HistoryCutOffs) {
    const app::CutOffDates d = app::CutOffDates::forToday(QDate(2026, 12, 4));
    EXPECT_EQ(d.orderCutOff, QDate(2025, 12, 1));
    EXPECT_EQ(d.yearStart, QDate(2026, 1, 1));
    EXPECT_EQ(app::CutOffDates::forToday(QDate(2024, 2, 29)).orderCutOff, QDate(2023, 2, 1));

    FOR_EACH_ENGINE(engine) {
        SCOPED_TRACE(engine == Engine::SQLite ? "SQLite" : "PostgreSQL");
        Startup s(engine);
        db::Database& d = s.db();
        auto add = [&](const QString& table, const QVariant& data, bool inHistory,
                       db::Values more = {}) {
            more.append({"Data", data});
            more.append({"Storico", inHistory});
            return d.insert(table, more);
        };
        // Orders: first day of the current month one year ago.
        const qint64 orderOld = add("OrdiniTestata", QDate(2025, 11, 30), false);
        const qint64 orderKept = add("OrdiniTestata", QDate(2025, 12, 1), true);
        const qint64 custOrderOld = add("OrdiniClientiTestata", QDate(2025, 11, 30), false);
        const qint64 custOrderKept = add("OrdiniClientiTestata", QDate(2025, 12, 1), true);
        // Documents: the year start.
        const qint64 ddtOld = add("Ddt", QDateTime(QDate(2025, 12, 31), QTime(18, 0)), false);
        const qint64 ddtNew = add("Ddt", QDate(2026, 1, 1), true);
        const qint64 quoteOld = add("PreventiTestata", QDate(2025, 12, 31), false);
        const qint64 cashOld = add("finanzia", QDate(2025, 6, 1), false);
        const qint64 cashNew = add("finanzia", QDate(2026, 6, 1), true);
        const qint64 totOld = add("TotaliCo", QDate(2025, 6, 1), false);
        const qint64 invOld = add("fattura", QDate(2025, 12, 31), false, {{"Carico", false}});
        const qint64 invNew = add("fattura", QDate(2026, 1, 1), true, {{"Carico", false}});
        // Supplier invoices go by registration date.
        const qint64 suppRegNew = add("fattura", QDate(2025, 12, 20), true,
                                      {{"Carico", true}, {"DataRegistrazione", QDate(2026, 1, 5)}});
        const qint64 suppRegOld =
            add("fattura", QDate(2026, 1, 2), false,
                {{"Carico", true}, {"DataRegistrazione", QDate(2025, 12, 30)}});
        // Unloads: everything before today goes, today's come back.
        const qint64 moveOld = add("Movimenti", QDate(2026, 12, 3), false, {{"Scarico", true}});
        const qint64 moveToday = add("Movimenti", QDateTime(QDate(2026, 12, 4), QTime(10, 30)),
                                     true, {{"Scarico", true}});
        const qint64 loadOld = add("Movimenti", QDate(2026, 12, 3), false, {{"Scarico", false}});
        const qint64 regOld = add("RegCassaTestata", QDate(2026, 12, 3), false);
        const qint64 assistOld = d.insert(
            "Assistenza", {{"DataConsegnaCliente", QDate(2025, 3, 1)}, {"Storico", false}});
        // Calendar: only concluded entries go; only open ones come back.
        const qint64 calDoneOld = add("Calendario", QDate(2025, 5, 1), false, {{"Conclusa", true}});
        const qint64 calOpenOld =
            add("Calendario", QDate(2025, 5, 1), false, {{"Conclusa", false}});
        const qint64 calDoneThisYear =
            add("Calendario", QDate(2026, 3, 1), true, {{"Conclusa", true}});
        const qint64 calOpenThisYear =
            add("Calendario", QDate(2026, 3, 1), true, {{"Conclusa", false}});

        ASSERT_FALSE(s.run().stop);

        EXPECT_TRUE(storico(d, "OrdiniTestata", orderOld));
        EXPECT_FALSE(storico(d, "OrdiniTestata", orderKept));
        EXPECT_TRUE(storico(d, "OrdiniClientiTestata", custOrderOld));
        EXPECT_FALSE(storico(d, "OrdiniClientiTestata", custOrderKept));
        EXPECT_TRUE(storico(d, "Ddt", ddtOld));
        EXPECT_FALSE(storico(d, "Ddt", ddtNew));
        EXPECT_TRUE(storico(d, "PreventiTestata", quoteOld));
        EXPECT_TRUE(storico(d, "finanzia", cashOld));
        EXPECT_FALSE(storico(d, "finanzia", cashNew));
        EXPECT_TRUE(storico(d, "TotaliCo", totOld));
        EXPECT_TRUE(storico(d, "fattura", invOld));
        EXPECT_FALSE(storico(d, "fattura", invNew));
        EXPECT_FALSE(storico(d, "fattura", suppRegNew));
        EXPECT_TRUE(storico(d, "fattura", suppRegOld));
        EXPECT_TRUE(storico(d, "Movimenti", moveOld));
        EXPECT_FALSE(storico(d, "Movimenti", moveToday));
        EXPECT_FALSE(storico(d, "Movimenti", loadOld));
        EXPECT_TRUE(storico(d, "RegCassaTestata", regOld));
        EXPECT_TRUE(storico(d, "Assistenza", assistOld));
        EXPECT_TRUE(storico(d, "Calendario", calDoneOld));
        EXPECT_FALSE(storico(d, "Calendario", calOpenOld));
        EXPECT_TRUE(storico(d, "Calendario", calDoneThisYear));
        EXPECT_FALSE(storico(d, "Calendario", calOpenThisYear));
    }
}

TEST(Startup, PaidFlagsFollowThePaymentDate) {
    FOR_EACH_ENGINE(engine) {
        Startup s(engine);
        db::Database& d = s.db();
        const qint64 paid =
            d.insert("FatturaScadenze", {{"Pagato", false}, {"DataPagamento", QDate(2026, 3, 1)}});
        const qint64 open = d.insert("FatturaScadenze", {{"Pagato", true}});
        ASSERT_FALSE(s.run().stop);
        auto pagato = [&](qint64 id) {
            return d.query("select Pagato from FatturaScadenze where Id = ?", {id})
                .first()
                .boolean("Pagato");
        };
        EXPECT_TRUE(pagato(paid));
        EXPECT_FALSE(pagato(open));
    }
}

TEST(Startup, UpgradeScriptRunsWholeOrNotAtAll) {
    FOR_EACH_ENGINE(engine) {
        SCOPED_TRACE(engine == Engine::SQLite ? "SQLite" : "PostgreSQL");
        Startup s(engine);
        s.db().insert("TempStampa", {{"NomeComputer", "TEST1"}});
        writeFile(s.scriptPath(), "UPDATE ditta SET RagSoc = 'Cambiata';\r\n"
                                  "CREATE TABLE ProvaAggiornamento (ID COUNTER PRIMARY KEY, "
                                  "Nome TEXT(50));\r\n"
                                  "INSERT INTO TabellaCheNonEsiste (Nome) VALUES ('x');\r\n"
                                  "UPDATE opzioni SET TabIniziale = 5;\r\n");
        const StartupResult r = s.run();
        EXPECT_TRUE(r.stop);
        EXPECT_FALSE(r.scriptApplied);
        const QStringList errors = s.ui.texts_of("error");
        ASSERT_EQ(errors.size(), 1);
        EXPECT_TRUE(errors[0].contains("INSERT INTO TabellaCheNonEsiste"))
            << errors[0].toStdString();
        EXPECT_TRUE(QFile::exists(s.scriptPath()));

        auto check = s.reopen();
        EXPECT_NE(check->scalar("select RagSoc from ditta").toString(), "Cambiata");
        EXPECT_FALSE(check->tableExists("ProvaAggiornamento"));
        // Start-up stopped before the cleanup.
        EXPECT_EQ(countRows(*check, "select count(*) from TempStampa"), 1);
    }
}

TEST(Startup, UpgradeScriptWithoutFinalSemicolonAndEmptyFields) {
    FOR_EACH_ENGINE(engine) {
        SCOPED_TRACE(engine == Engine::SQLite ? "SQLite" : "PostgreSQL");
        Startup s(engine);
        writeFile(s.scriptPath(), "UPDATE opzioni SET TabIniziale = 3;;\n"
                                  "UPDATE ditta SET RagSoc = 'Nuova ''Ditta''; srl'");
        const StartupResult r = s.run();
        ASSERT_FALSE(r.stop) << s.ui.texts_of("error").join("\n").toStdString();
        EXPECT_TRUE(r.scriptApplied);
        EXPECT_EQ(r.caption, "Ossarion - Nuova 'Ditta'; srl");
        EXPECT_EQ(r.startTab, 3);
        EXPECT_FALSE(QFile::exists(s.scriptPath()));
    }
}

TEST(Startup, ReminderLists) {
    FOR_EACH_ENGINE(engine) {
        SCOPED_TRACE(engine == Engine::SQLite ? "SQLite" : "PostgreSQL");
        Startup s(engine);
        db::Database& d = s.db();
        d.exec("UPDATE opzioni SET PromemoriaScadenze = true");
        const qint64 cliente = d.insert("Clienti", {{"NominativoDocumenti", "Bianchi Anna"}});
        const qint64 fornitore = d.insert("Fornitor", {{"Fornitore", "Marmi Srl"}});
        const qint64 modo = d.insert("ModPagamento", {{"Descrizione", "Bonifico 30 gg"}});
        const qint64 due = d.insert("FatturaScadenze", {{"DataScadenza", QDate(2026, 12, 4)},
                                                        {"Operazione", "Fattura n. 7"},
                                                        {"Importo", 1234.5},
                                                        {"Tipo", "F"},
                                                        {"Cliente_id", cliente},
                                                        {"ModPagamento_Id", modo}});
        const qint64 supplier = d.insert("FatturaScadenze", {{"DataScadenza", QDate(2026, 11, 1)},
                                                             {"Operazione", "Carico n. 2"},
                                                             {"Importo", 80.0},
                                                             {"Tipo", "C"},
                                                             {"Fornitore_id", fornitore},
                                                             {"Note", "urgente"}});
        d.insert("FatturaScadenze", {{"DataScadenza", QDate(2026, 12, 5)}, {"Importo", 1.0}});
        d.insert("FatturaScadenze", {{"DataScadenza", QDate(2026, 10, 1)},
                                     {"Importo", 2.0},
                                     {"DataPagamento", QDate(2026, 10, 2)}});
        const qint64 notice = d.insert("Calendario", {{"Data", QDate(2026, 12, 10)},
                                                      {"DataAvviso", QDate(2026, 12, 1)},
                                                      {"TipologiaCalendario", "Esumazione"},
                                                      {"Cliente", "Bianchi Anna"},
                                                      {"Personale", "Mario"},
                                                      {"Conclusa", false}});
        d.insert("Calendario", {{"Data", QDate(2026, 12, 10)},
                                {"DataAvviso", QDate(2026, 12, 1)},
                                {"Conclusa", true}});
        d.insert("Calendario", {{"Data", QDate(2026, 12, 10)},
                                {"DataAvviso", QDate(2026, 12, 5)},
                                {"Conclusa", false}});

        const StartupResult r = s.run();
        ASSERT_FALSE(r.stop);
        EXPECT_TRUE(r.remindersEnabled);
        EXPECT_TRUE(r.showReminder());
        EXPECT_EQ(r.dueInstalments.header,
                  (QStringList{"Data Scadenza", "Operazione", "Cliente", "Fornitore", "Importo",
                               "Mod.Pagamento", "Note", "id_scad", "Tipo"}));
        ASSERT_EQ(r.dueInstalments.rows.size(), 2);
        EXPECT_EQ(r.dueInstalments.rows[0],
                  (QStringList{"01/11/2026", "Carico n. 2", "", "Marmi Srl", "80,00", "", "urgente",
                               QString::number(supplier), "C"}));
        EXPECT_EQ(r.dueInstalments.rows[1],
                  (QStringList{"04/12/2026", "Fattura n. 7", "Bianchi Anna", "", "1.234,50",
                               "Bonifico 30 gg", "", QString::number(due), "F"}));
        EXPECT_EQ(r.dueInstalments.ids, (QList<qint64>{supplier, due}));
        EXPECT_EQ(r.calendarNotices.header,
                  (QStringList{"Data", "Tipologia", "Cliente", "Personale", "Note"}));
        ASSERT_EQ(r.calendarNotices.rows.size(), 1);
        EXPECT_EQ(r.calendarNotices.rows[0],
                  (QStringList{"10/12/2026", "Esumazione", "Bianchi Anna", "Mario", ""}));
        EXPECT_EQ(r.calendarNotices.ids, QList<qint64>{notice});
    }
}

TEST(Startup, NoReminderWhenSwitchedOff) {
    Startup s(Engine::SQLite);
    s.db().exec("UPDATE opzioni SET PromemoriaScadenze = false");
    s.db().insert("FatturaScadenze", {{"DataScadenza", QDate(2026, 1, 1)}, {"Importo", 5.0}});
    const StartupResult r = s.run();
    ASSERT_FALSE(r.stop);
    EXPECT_FALSE(r.showReminder());
    EXPECT_TRUE(r.dueInstalments.rows.isEmpty());
}

TEST(Startup, UnreachableArchiveStops) {
    Startup s(Engine::SQLite);
    writeFile(s.install.filePath("percorso.txt"), "/nessuna/cartella/archivio.db\n");
    const StartupResult r = s.run();
    EXPECT_TRUE(r.stop);
    EXPECT_EQ(s.ui.texts_of("error").size(), 1);
    EXPECT_FALSE(QFile::exists("/nessuna/cartella/archivio.db"));
}

TEST(Startup, FirstStartCreatesTheDefaultArchive) {
    Startup s(Engine::SQLite);
    QFile::remove(s.install.filePath("percorso.txt"));
    const StartupResult r = s.run();
    ASSERT_FALSE(r.stop) << s.ui.texts_of("error").join("\n").toStdString();
    EXPECT_EQ(r.archive, QDir(s.install.path()).filePath("archivio.db"));
    EXPECT_EQ(s.db().archive(), r.archive);
    EXPECT_TRUE(QFile::exists(r.archive));
    EXPECT_EQ(db::Schema::currentVersion(s.db()), db::Schema::latestVersion());
    // The user is told that the archive is new, and nothing of the
    // creation is left beside it.
    ASSERT_EQ(s.ui.texts_of("information").size(), 1);
    EXPECT_TRUE(s.ui.texts_of("information")[0].startsWith("È stato creato un nuovo archivio"));
    EXPECT_EQ(QDir(s.install.path()).entryList({"*.creazione-*"}, QDir::Files), QStringList());
}

// percorso.txt pointing at something that is not an Ossarion archive: the
// start stops with a message and the file is left exactly as it was.
TEST(Startup, AFileThatIsNotAnArchiveIsRefusedUntouched) {
    Startup s(Engine::SQLite);
    const QString file = s.install.filePath("altro.db");
    const auto refused = [&](const QByteArray& why) {
        writeFile(s.install.filePath("percorso.txt"), file.toUtf8() + "\n");
        QFile f(file);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray before = f.readAll();
        f.close();
        const int errors = s.ui.texts_of("error").size();
        const StartupResult r = s.run();
        EXPECT_TRUE(r.stop) << why.constData();
        ASSERT_EQ(s.ui.texts_of("error").size(), errors + 1) << why.constData();
        EXPECT_TRUE(s.ui.texts_of("error").last().contains("non è un archivio di Ossarion"))
            << s.ui.texts_of("error").last().toStdString();
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll(), before) << why.constData();
        f.close();
        QFile::remove(file);
    };
    writeFile(file, QByteArray());
    refused("zero byte");
    writeFile(file, "questo è un testo, non un database\n");
    refused("testo");
    {
        db::Database other;
        other.open(file, db::Database::OpenMode::CreateIfMissing);
        other.execNative("CREATE TABLE ricette (nome TEXT)");
        other.execNative("INSERT INTO ricette VALUES ('tiramisù')");
    }
    refused("altro programma");
    EXPECT_TRUE(s.ui.texts_of("information").isEmpty());
}

// A PostgreSQL server that is not there: one message saying the archive
// cannot be reached, and the start-up stops.
TEST(Startup, AnUnansweringServerIsToldAndStops) {
    Startup s(Engine::SQLite);
    writeFile(s.install.filePath("percorso.txt"), "postgresql://postgres@127.0.0.1:1/archivio\n");
    const StartupResult r = s.run();
    EXPECT_TRUE(r.stop);
    const QStringList errors = s.ui.texts_of("error");
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors.first().contains("non è raggiungibile")) << errors.first().toStdString();
}
