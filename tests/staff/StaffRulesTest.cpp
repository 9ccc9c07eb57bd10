#include "staff/StaffRules.h"

#include "TestArchive.h"
#include "app/StartupSequence.h"
#include "registries/VCard.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace staff;

namespace {

void expectFailure(const std::optional<common::Failure>& f, const QString& text,
                   const QString& field) {
    ASSERT_TRUE(f) << text.toStdString();
    EXPECT_EQ(f->title, "Messaggio di errore");
    EXPECT_EQ(f->text, text);
    EXPECT_EQ(f->field, field);
}

} // namespace

TEST(StaffCard, NameThenCountryAreRequired) {
    expectFailure(checkStaff({{"Personale", "  "}, {"IdPaese", QVariant()}}),
                  "Attenzione manca il nominativo !", "Personale");
    expectFailure(checkStaff({{"Personale", "Rossi Mario"}, {"IdPaese", ""}}),
                  "Attenzione manca la nazione !", "IdPaese");
    EXPECT_FALSE(checkStaff({{"Personale", "Rossi Mario"}, {"IdPaese", "IT"}}));
}

TEST(StaffCard, RatesFromTheMonthlyPay) {
    double daily = 0;
    ASSERT_FALSE(dailyRate(1000.0, &daily));
    EXPECT_DOUBLE_EQ(daily, 47.62);
    double hourly = 0;
    ASSERT_FALSE(hourlyRate(daily, &hourly));
    EXPECT_DOUBLE_EQ(hourly, 5.95);

    // Nothing is computed without a positive base; the result is left alone.
    double untouched = 7;
    for (const QVariant& pay : {QVariant(), QVariant(0.0), QVariant(-10.0)}) {
        expectFailure(dailyRate(pay, &untouched),
                      "Attenzione Inserisci la paga mensile per poter calcolare la tariffa "
                      "giornaliera!",
                      "PagaMensile");
        expectFailure(hourlyRate(pay, &untouched),
                      "Attenzione Inserisci la Tariffa giornaliera per poter calcolare la tariffa "
                      "Oraria!",
                      "TariffaGiornaliera");
    }
    EXPECT_EQ(untouched, 7);
}

TEST(StaffCard, WorkingFolderMustExist) {
    expectFailure(checkWorkingFolder(" "), "Attenzione manca la Cartella di Lavoro",
                  "CartellaServer");
    QTemporaryDir dir;
    EXPECT_FALSE(checkWorkingFolder(dir.path()));
    const QString gone = dir.path() + "/sparita";
    expectFailure(checkWorkingFolder(gone),
                  "la Cartella: " + gone + " non esiste più o non è raggiungibile!!!",
                  "CartellaServer");
}

TEST(StaffDependents, ChecksInTheirOrder) {
    QVariantMap deadline{{"Descrizione", ""}, {"DataAvviso", QVariant()}, {"DataScadenza", {}}};
    expectFailure(checkDeadline(deadline), "Attenzione manca la Descrizione", "Descrizione");
    deadline["Descrizione"] = "Patente C";
    expectFailure(checkDeadline(deadline), "Attenzione manca la Data di avviso della scadenza",
                  "DataAvviso");
    deadline["DataAvviso"] = QDate(2026, 5, 1);
    expectFailure(checkDeadline(deadline), "Attenzione manca la data di Scadenza", "DataScadenza");
    deadline["DataScadenza"] = QDate(2026, 6, 1);
    EXPECT_FALSE(checkDeadline(deadline));

    QVariantMap cost;
    expectFailure(checkCost(cost), "Attenzione manca la Data", "Data");
    cost["Data"] = QDate(2026, 5, 1);
    expectFailure(checkCost(cost), "Attenzione manca la Tipologia", "TipologiaCosto_id");
    cost["TipologiaCosto_id"] = 3;
    expectFailure(checkCost(cost), "Attenzione manca l' Importo", "Importo");
    // A cost of nothing is still a given amount.
    cost["Importo"] = 0.0;
    EXPECT_FALSE(checkCost(cost));

    QVariantMap salary{{"Mese", 4}, {"ImportoBonifico", 1200.0}};
    expectFailure(checkSalary(salary), "Attenzione manca l' Anno", "Anno");
    salary = {{"Anno", 2026}, {"Mese", 4}};
    expectFailure(checkSalary(salary), "Attenzione manca l' Importo del bonifico",
                  "ImportoBonifico");
    salary["ImportoBonifico"] = 1200.0;
    salary.remove("Mese");
    expectFailure(checkSalary(salary), "Attenzione manca il Mese", "Mese");
}

TEST(StaffDependents, SalaryTotalAddsChargesAndTakesCredits) {
    EXPECT_DOUBLE_EQ(
        salaryTotal(
            {{"Base", 1000.0}, {"Trasferta", 100.0}, {"Addebiti", 50.0}, {"Accrediti", 30.0}}),
        1120.0);
    // Empty amounts count as zero; the total is not rounded.
    EXPECT_DOUBLE_EQ(salaryTotal({{"Base", 1000.005}, {"Trasferta", QVariant()}}), 1000.005);
}

TEST(StaffDependents, NewRowsTakeThePersonAndTheDay) {
    FOR_EACH_ENGINE(engine) {
        SCOPED_TRACE(engine == db::Engine::SQLite ? "SQLite" : "PostgreSQL");
        TestArchive a(engine);
        db::Database& db = a.db();
        const qint64 person =
            db.insert("Personale", {{"Personale", "Neri Luca"}, {"PagaMensile", 1450.5}});
        const QDate today(2026, 3, 14);

        const qint64 d = insertDeadline(db, person, today);
        db::Row row = db.query("select * from PersonaleScadenze where ID = ?", {d}).first();
        EXPECT_EQ(row.integer("Personale_ID"), person);
        EXPECT_EQ(row.date("DataScadenza"), today);
        EXPECT_EQ(row.date("DataAvviso"), today);
        EXPECT_FALSE(row.boolean("Validato"));

        const qint64 c = insertCost(db, person, today);
        row = db.query("select * from PersonaleCosti where ID = ?", {c}).first();
        EXPECT_EQ(row.integer("Personale_ID"), person);
        EXPECT_EQ(row.date("Data"), today);

        const qint64 s = insertSalary(db, person, today);
        row = db.query("select * from PersonaleStipendi where ID = ?", {s}).first();
        EXPECT_EQ(row.integer("Personale_ID"), person);
        EXPECT_EQ(row.integer("Anno"), 2026);
        EXPECT_DOUBLE_EQ(row.number("Base"), 1450.5);
        EXPECT_TRUE(row.isNull("Mese"));
    }
}

TEST(StaffCard, SavingRenamesThePersonOnTheCalendar) {
    FOR_EACH_ENGINE(engine) {
        SCOPED_TRACE(engine == db::Engine::SQLite ? "SQLite" : "PostgreSQL");
        TestArchive a(engine);
        db::Database& db = a.db();
        const qint64 mario = db.insert("Personale", {{"Personale", "Mario Neri"}});
        const qint64 other = db.insert("Personale", {{"Personale", "Anna Blu"}});
        const auto entry = [&db](qint64 staff, const QString& name) {
            return db.insert("Calendario", {{"Data", QDateTime(QDate(2026, 5, 5), QTime(9, 0))},
                                            {"Personale_Id", staff},
                                            {"Personale", name},
                                            {"Conclusa", false},
                                            {"Storico", false}});
        };
        const qint64 first = entry(mario, "Mario Neri");
        const qint64 history = entry(mario, "M. Neri");
        const qint64 foreign = entry(other, "Anna Blu");
        db.update("Personale", mario, {{"Personale", "Neri Mario"}});
        renameOnCalendar(db, mario);
        const auto name = [&db](qint64 id) {
            return db.scalar("select Personale from Calendario where Id = ?", {id}).toString();
        };
        EXPECT_EQ(name(first), "Neri Mario");
        EXPECT_EQ(name(history), "Neri Mario");
        EXPECT_EQ(name(foreign), "Anna Blu");
    }
}

TEST(StaffReminders, DueUndoneDeadlinesJoinTheCalendarNotices) {
    FOR_EACH_ENGINE(engine) {
        SCOPED_TRACE(engine == db::Engine::SQLite ? "SQLite" : "PostgreSQL");
        TestArchive a(engine);
        db::Database& db = a.db();
        const qint64 luca =
            db.insert("Personale", {{"Personale", "Neri Luca"}, {"Annullato", false}});
        const qint64 gone =
            db.insert("Personale", {{"Personale", "Ex Dipendente"}, {"Annullato", true}});
        const auto deadline = [&db](qint64 person, const QString& what, const QDate& remind,
                                    bool done) {
            return db.insert("PersonaleScadenze", {{"Personale_ID", person},
                                                   {"Descrizione", what},
                                                   {"Tipologia", "Patente"},
                                                   {"DataScadenza", remind.addDays(30)},
                                                   {"DataAvviso", remind},
                                                   {"Validato", done}});
        };
        const QDate today(2026, 4, 10);
        const qint64 licence = deadline(luca, "Patente C", today, false);
        const qint64 medical = deadline(luca, "Visita medica", today.addDays(-20), false);
        deadline(luca, "CQC", today.addDays(1), false);        // not yet
        deadline(luca, "Tachigrafo", today.addDays(-5), true); // done
        deadline(gone, "Patente B", today.addDays(-5), false); // person cancelled

        const db::Result r = deadlineReminders(db, today);
        ASSERT_EQ(r.size(), 2u);
        EXPECT_EQ(r[0].integer("Id"), medical);
        EXPECT_EQ(r[1].integer("Id"), licence);
        EXPECT_EQ(r[1].text("Personale"), "Neri Luca");

        db.insert("Calendario", {{"Data", QDateTime(today, QTime(8, 0))},
                                 {"DataAvviso", QDateTime(today.addDays(-1), QTime(0, 0))},
                                 {"TipologiaCalendario", "Tumulazione"},
                                 {"Conclusa", false},
                                 {"Storico", false}});
        const app::ReminderList notices = app::StartupSequence::calendarNotices(db, today);
        ASSERT_EQ(notices.rows.size(), 3);
        ASSERT_EQ(notices.screens.size(), 3);
        EXPECT_EQ(notices.rows[0][1], "Tumulazione");
        EXPECT_TRUE(notices.screens[0].isEmpty());
        // The deadline's row: its due date, type, the person, what falls due.
        EXPECT_EQ(notices.rows[1][0], "20/04/2026");
        EXPECT_EQ(notices.rows[1][3], "Neri Luca");
        EXPECT_TRUE(notices.rows[1][4].startsWith("Scadenza: Visita medica"));
        EXPECT_EQ(notices.screens[1], "scadenzaPersonale");
        EXPECT_EQ(notices.ids[2], licence);
    }
}

TEST(StaffCard, DeletingAPersonTakesTheirListsAlong) {
    FOR_EACH_ENGINE(engine) {
        SCOPED_TRACE(engine == db::Engine::SQLite ? "SQLite" : "PostgreSQL");
        TestArchive a(engine);
        db::Database& db = a.db();
        const qint64 gone = db.insert("Personale", {{"Personale", "Neri Luca"}});
        const qint64 kept = db.insert("Personale", {{"Personale", "Blu Anna"}});
        const QDate today(2026, 3, 14);
        for (qint64 person : {gone, kept}) {
            insertDeadline(db, person, today);
            insertCost(db, person, today);
            insertSalary(db, person, today);
        }
        deleteDependents(db, gone);
        for (const char* table : {"PersonaleScadenze", "PersonaleCosti", "PersonaleStipendi"}) {
            const db::Result r = db.query(QStringLiteral("select Personale_ID from %1").arg(table));
            ASSERT_EQ(r.size(), 1u) << table;
            EXPECT_EQ(r.first().integer("Personale_ID"), kept) << table;
        }
    }
}

TEST(StaffPrints, SelectionByPersonDatesYearAndMonth) {
    QString selection = "x";
    ASSERT_FALSE(printSelection({}, &selection));
    EXPECT_TRUE(selection.isEmpty());

    // The list takes the person only; dates, year and month are ignored.
    ASSERT_FALSE(printSelection(
        {.kind = PrintKind::List, .person = 7, .from = "31/02/2026", .year = 2026}, &selection));
    EXPECT_EQ(selection, "Personale.ID = 7");

    ASSERT_FALSE(printSelection(
        {.kind = PrintKind::Deadlines, .person = 7, .from = "01/03/2026", .to = "31/03/2026"},
        &selection));
    EXPECT_EQ(selection, "PersonaleScadenze.Personale_ID = 7 and PersonaleScadenze.DataScadenza "
                         ">= #3/1/2026# and PersonaleScadenze.DataScadenza <= #3/31/2026 "
                         "23.59.59#");
    ASSERT_FALSE(printSelection({.kind = PrintKind::Costs, .to = "5/4/2026"}, &selection));
    EXPECT_EQ(selection, "PersonaleCosti.Data <= #4/5/2026 23.59.59#");
    ASSERT_FALSE(
        printSelection({.kind = PrintKind::Salaries, .year = 2026, .month = 4}, &selection));
    EXPECT_EQ(selection, "PersonaleStipendi.Anno = 2026 and PersonaleStipendi.Mese = 4");

    // Every variant limits the table it prints: the open deadlines by their
    // due date, the cost summary by the cost's date, the yearly salaries by
    // year; the documents and the telephone book take the person only.
    ASSERT_FALSE(printSelection({.kind = PrintKind::OpenDeadlines, .to = "5/4/2026"}, &selection));
    EXPECT_EQ(selection, "PersonaleScadenze.DataScadenza <= #4/5/2026 23.59.59#");
    ASSERT_FALSE(printSelection({.kind = PrintKind::CostSummary, .person = 3, .from = "1/1/2026"},
                                &selection));
    EXPECT_EQ(selection, "PersonaleCosti.Personale_ID = 3 and PersonaleCosti.Data >= #1/1/2026#");
    ASSERT_FALSE(printSelection({.kind = PrintKind::SalariesByYear, .year = 2025}, &selection));
    EXPECT_EQ(selection, "PersonaleStipendi.Anno = 2025");
    for (PrintKind people : {PrintKind::Documents, PrintKind::Contacts}) {
        ASSERT_FALSE(printSelection(
            {.kind = people, .person = 7, .from = "31/02/2026", .year = 2026}, &selection));
        EXPECT_EQ(selection, "Personale.ID = 7");
    }

    expectFailure(printSelection({.kind = PrintKind::Costs, .from = "31/02/2026"}, &selection),
                  "Attenzione data non valida: Dalla Data", "txtDallaData");
    expectFailure(printSelection({.kind = PrintKind::Salaries, .to = "32/01/2026"}, &selection),
                  "Attenzione data non valida: alla Data", "txtAllaData");
    expectFailure(
        printSelection({.kind = PrintKind::Deadlines, .from = "02/03/2026", .to = "01/03/2026"},
                       &selection),
        "Attenzione la data finale è minore di quella iniziale", "txtAllaData");
}

TEST(StaffVCard, PeopleExportWithTheirTownAndContacts) {
    TestArchive a(db::Engine::SQLite);
    db::Database& db = a.db();
    const qint64 town = db.insert("Comuni", {{"Comune", "Bergamo"}, {"Provincia", "BG"}});
    const qint64 id = db.insert("Personale", {{"Personale", "Neri Luca"},
                                              {"Cognome", "Neri"},
                                              {"Nome", "Luca"},
                                              {"Indirizzo", "Via Roma"},
                                              {"Numero", "4"},
                                              {"Cap", "24121"},
                                              {"Comune_Id", town},
                                              {"IdPaese", "IT"},
                                              {"Cell", "333 1234567"},
                                              {"Email", "luca@example.it"},
                                              {"CodFisc", "NRELCU80A01A794X"},
                                              {"DataNascita", QDate(1980, 1, 1)}});
    const QByteArray file = exportVCards(db, {id, 99999});
    const QList<registries::VCardContact> back = registries::VCard::read(file);
    ASSERT_EQ(back.size(), 1);
    EXPECT_EQ(back[0].formattedName, "Neri Luca");
    EXPECT_EQ(back[0].surname, "Neri");
    EXPECT_EQ(back[0].givenName, "Luca");
    EXPECT_EQ(back[0].city, "Bergamo");
    EXPECT_EQ(back[0].region, "BG");
    EXPECT_EQ(back[0].street, "Via Roma");
    EXPECT_EQ(back[0].mobile, "333 1234567");
    EXPECT_EQ(back[0].email, "luca@example.it");
    EXPECT_EQ(back[0].birthday, QDate(1980, 1, 1));
    EXPECT_TRUE(file.startsWith("BEGIN:VCARD\r\nVERSION:4.0\r\n"));

    // Read back as new people, the town found again by its name; a card
    // without a name is skipped.
    const QByteArray nameless = "BEGIN:VCARD\r\nVERSION:4.0\r\nTEL:123\r\nEND:VCARD\r\n";
    const registries::VCardImportReport report = importVCards(db, file + nameless);
    EXPECT_EQ(report.imported, 1);
    EXPECT_EQ(report.skipped, 1);
    const db::Row copy =
        db.query("select * from Personale where ID <> ? order by ID", {id}).first();
    EXPECT_EQ(copy.text("Personale"), "Neri Luca");
    EXPECT_EQ(copy.integer("Comune_Id"), town);
    EXPECT_EQ(copy.text("IdPaese"), "IT");
    EXPECT_EQ(copy.text("Indirizzo"), "Via Roma");
    EXPECT_EQ(copy.text("Numero"), "4");
    EXPECT_EQ(copy.text("CodFisc"), "NRELCU80A01A794X");
    EXPECT_EQ(copy.date("DataNascita"), QDate(1980, 1, 1));
    EXPECT_FALSE(copy.boolean("Annullato"));
}
