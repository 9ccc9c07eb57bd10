#include "DocumentsFixture.h"
#include "documents/DocumentStore.h"
#include "documents/DueDate.h"
#include "documents/InstalmentRules.h"
#include "documents/InstalmentSchedule.h"

#include <gtest/gtest.h>

using namespace documents;

namespace {

struct Instalment {
    QDate due;
    double amount;
    QString description;
    bool paid;
};

QList<Instalment> instalments(db::Database& d, qint64 id) {
    QList<Instalment> out;
    for (const db::Row& r :
         d.query("select * from FatturaScadenze where Fattura_ID = ? order by DataScadenza,Numero",
                 {id}))
        out.append({r.date("DataScadenza"), r.number("Importo"), r.text("Operazione"),
                    r.boolean("Pagato")});
    return out;
}

} // namespace

TEST(DueDates, FlagsAndLeapYears) {
    const QDate jan15(2025, 1, 15);
    const QDate jan15Leap(2024, 1, 15);
    // Plain days.
    EXPECT_EQ(dueDate(jan15, 30, false, false, false), QDate(2025, 2, 14));
    // End of month afterwards: 14 February → 28 February (29 in a leap year).
    EXPECT_EQ(dueDate(jan15, 30, true, false, false), QDate(2025, 2, 28));
    EXPECT_EQ(dueDate(jan15Leap, 30, true, false, false), QDate(2024, 2, 29));
    // End of month first: 31 January + 30 days.
    EXPECT_EQ(dueDate(jan15, 30, true, true, false), QDate(2025, 3, 2));
    EXPECT_EQ(dueDate(jan15Leap, 30, true, true, false), QDate(2024, 3, 1));
    // Commercial year: months keep the day, clamped to the month's length.
    EXPECT_EQ(dueDate(jan15, 30, true, false, true), QDate(2025, 2, 28));
    EXPECT_EQ(dueDate(QDate(2025, 1, 31), 30, false, false, true), QDate(2025, 2, 28));
    EXPECT_EQ(dueDate(QDate(2024, 1, 31), 30, false, false, true), QDate(2024, 2, 29));
    EXPECT_EQ(dueDate(QDate(2025, 1, 31), 45, false, false, true), QDate(2025, 3, 15));
    // Commercial, end of month first, then the remaining days.
    EXPECT_EQ(dueDate(jan15, 45, true, true, true), QDate(2025, 3, 15));
    // Commercial, days then end of month.
    EXPECT_EQ(dueDate(jan15, 45, true, false, true), QDate(2025, 3, 31));
    // Zero days at end of month first: the end of the document's month.
    EXPECT_EQ(dueDate(jan15, 0, true, true, true), QDate(2025, 1, 31));
}

TEST(Schedule, ImmediateSingleAndThreeInstalments) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        auto& d = a.db();
        fixture::setOption(d, "DuplicaFatturazioneInPrimaNota", true);
        const qint64 c = fixture::customer(d, "Rossi");
        const QDate date(2024, 1, 31);

        // Paid at once (the default terms have no instalments).
        const qint64 f1 = fixture::document(d, DocumentKind::CustomerInvoice, c, date);
        fixture::row(d, DocumentKind::CustomerInvoice, f1, 1, 100, 0, 0);
        auto s = instalments(d, f1);
        ASSERT_EQ(s.size(), 1);
        EXPECT_EQ(s[0].due, date);
        EXPECT_TRUE(s[0].paid);
        EXPECT_DOUBLE_EQ(s[0].amount, 100);
        EXPECT_EQ(s[0].description, "Pagamento Fattura  N° 1  Data: 31/01/2024 ");
        // The issue movement (money out) and the payment at once (money in).
        const db::Result issue =
            d.query("select * from finanzia where Tipo='1' and Fattura_ID = ?", {f1});
        ASSERT_EQ(issue.size(), 1u);
        EXPECT_DOUBLE_EQ(issue[0].number("Uscita"), 100);
        EXPECT_EQ(issue[0].text("Operazione"), "Emessa fattura n°  N° 1  Data: 31/01/2024 ");
        EXPECT_EQ(fixture::header(d, f1).integer("Finanzia_id"), issue[0].integer("ID"));
        const db::Result paid =
            d.query("select * from finanzia where Tipo='F' and Fattura_ID = ?", {f1});
        ASSERT_EQ(paid.size(), 1u);
        EXPECT_DOUBLE_EQ(paid[0].number("Entrata"), 100);

        // One instalment at 30 days end of month (commercial): Feb 29 in 2024.
        const qint64 one = fixture::terms(d, {30}, true, false, true);
        const qint64 f2 = fixture::document(d, DocumentKind::CustomerInvoice, c, date, one);
        fixture::row(d, DocumentKind::CustomerInvoice, f2, 1, 50, 0, 0);
        s = instalments(d, f2);
        ASSERT_EQ(s.size(), 1);
        EXPECT_EQ(s[0].due, QDate(2024, 2, 29));
        EXPECT_FALSE(s[0].paid);
        EXPECT_EQ(s[0].description, "1° Rata Fattura  N° 2  Data: 31/01/2024 ");
        EXPECT_DOUBLE_EQ(s[0].amount, 50);
        // Deferred instalments write no movement of their own.
        EXPECT_EQ(fixture::count(d, "select count(*) from finanzia where Fattura_ID = ?", {f2}), 1);

        // Three instalments on 100.00: 33.33, 33.33 and the rest, each counted
        // from the date.
        const qint64 three = fixture::terms(d, {30, 60, 90});
        const qint64 f3 = fixture::document(d, DocumentKind::CustomerInvoice, c, date, three);
        fixture::row(d, DocumentKind::CustomerInvoice, f3, 1, 100, 0, 0);
        s = instalments(d, f3);
        ASSERT_EQ(s.size(), 3);
        EXPECT_EQ(s[0].due, QDate(2024, 3, 1));
        EXPECT_EQ(s[1].due, QDate(2024, 3, 31));
        EXPECT_EQ(s[2].due, QDate(2024, 4, 30));
        EXPECT_DOUBLE_EQ(s[0].amount, 33.33);
        EXPECT_DOUBLE_EQ(s[1].amount, 33.33);
        EXPECT_DOUBLE_EQ(s[2].amount, 33.34);
        EXPECT_TRUE(s[2].description.startsWith("3° Rata Fattura "));
    }
}

TEST(Schedule, SplitPaymentAndCreditNotes) {
    TestArchive a(db::Engine::SQLite);
    auto& d = a.db();
    fixture::setOption(d, "DuplicaFatturazioneInPrimaNota", true);
    fixture::setOption(d, "MarcaDaBolloDocumenti", true);
    fixture::setOption(d, "MarcaBolloVirtuale", true);
    const qint64 c = fixture::customer(d, "Comune");
    d.exec(
        "UPDATE Clienti SET ScissionePagamenti = true, PubblicaAmministrazione = true where Id = ?",
        {c});
    const qint64 two = fixture::terms(d, {30, 60});
    const qint64 f =
        fixture::document(d, DocumentKind::CustomerInvoice, c, QDate(2025, 5, 10), two);
    EXPECT_EQ(fixture::header(d, f).text("DatiTrasmissione_FormatoTrasmissione"), "FPA12");
    fixture::row(d, DocumentKind::CustomerInvoice, f, 1, 1000, 0, 22);
    // An amount outside VAT above the limit brings the stamp.
    fixture::row(d, DocumentKind::CustomerInvoice, f, 1, 100, 0, 0);
    EXPECT_DOUBLE_EQ(fixture::header(d, f).number("TotFattura"), 1322);
    const auto s = instalments(d, f);
    ASSERT_EQ(s.size(), 2);
    EXPECT_DOUBLE_EQ(s[0].amount + s[1].amount, 1102);
    EXPECT_DOUBLE_EQ(
        d.scalar("select Uscita from finanzia where Tipo='1' and Fattura_ID = ?", {f}).toDouble(),
        1102);

    // A credit note paid at once: issue in, payment out, Tipo N and 2.
    const qint64 n = fixture::document(d, DocumentKind::CustomerCreditNote, c, QDate(2025, 5, 11));
    fixture::row(d, DocumentKind::CustomerCreditNote, n, 1, 10, 0, 0);
    const db::Row issue =
        d.query("select * from finanzia where Tipo='2' and Fattura_ID = ?", {n}).first();
    EXPECT_DOUBLE_EQ(issue.number("Entrata"), 10);
    EXPECT_TRUE(issue.text("Operazione").startsWith("Emessa Nota di Credito n° "));
    const db::Row pay =
        d.query("select * from finanzia where Tipo='N' and Fattura_ID = ?", {n}).first();
    EXPECT_DOUBLE_EQ(pay.number("Uscita"), 10);
    EXPECT_TRUE(pay.text("Operazione").startsWith("Pagamento Nota di credito "));
}

TEST(Schedule, RegenerateAndRefresh) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        auto& d = a.db();
        fixture::setOption(d, "DuplicaFatturazioneInPrimaNota", true);
        const qint64 c = fixture::customer(d, "Rossi");
        const qint64 three = fixture::terms(d, {30, 60, 90});
        const qint64 f =
            fixture::document(d, DocumentKind::CustomerInvoice, c, QDate(2025, 1, 10), three);
        fixture::row(d, DocumentKind::CustomerInvoice, f, 1, 90, 0, 0);

        // A payment recorded on the first instalment, and a moved due date.
        auto ids = d.query(
            "select Id from FatturaScadenze where Fattura_ID = ? order by DataScadenza", {f});
        QVariantMap first = InstalmentRules::load(d, ids[0].integer("Id"));
        first["DataPagamento"] = QDate(2025, 2, 1);
        first["DataScadenza"] = QDate(2025, 2, 5);
        ASSERT_FALSE(InstalmentRules::save(d, first).has_value());
        EXPECT_EQ(fixture::count(
                      d, "select count(*) from finanzia where Tipo='F' and Fattura_ID = ?", {f}),
                  1);

        // A row change refreshes: amounts follow, dates and the payment stay.
        fixture::row(d, DocumentKind::CustomerInvoice, f, 1, 30, 0, 0);
        auto s = instalments(d, f);
        ASSERT_EQ(s.size(), 3);
        EXPECT_EQ(s[0].due, QDate(2025, 2, 5));
        EXPECT_TRUE(s[0].paid);
        EXPECT_FALSE(s[1].paid);
        for (const Instalment& i : s)
            EXPECT_DOUBLE_EQ(i.amount, 40);

        // An instalment deleted by hand comes back on the next refresh.
        InstalmentRules::remove(d, ids[2].integer("Id"));
        ASSERT_EQ(instalments(d, f).size(), 2);
        DocumentStore::recalculateNow(d, f);
        s = instalments(d, f);
        ASSERT_EQ(s.size(), 3);
        EXPECT_EQ(s[2].due, QDate(2025, 4, 10));
        EXPECT_DOUBLE_EQ(s[2].amount, 40);

        // Changing the terms regenerates everything and drops every movement.
        QVariantMap h = DocumentStore::load(d, f);
        DocumentStore::changePaymentTerms(d, DocumentKind::CustomerInvoice, h,
                                          fixture::terms(d, {60}));
        s = instalments(d, f);
        ASSERT_EQ(s.size(), 1);
        EXPECT_FALSE(s[0].paid);
        EXPECT_EQ(s[0].due, QDate(2025, 3, 11));
        EXPECT_DOUBLE_EQ(s[0].amount, 120);
        EXPECT_EQ(fixture::count(d, "select count(*) from finanzia where Fattura_ID = ?", {f}), 1);

        // No terms: no instalments, no movement.
        DocumentStore::changePaymentTerms(d, DocumentKind::CustomerInvoice, h, QVariant());
        EXPECT_EQ(instalments(d, f).size(), 0);
        EXPECT_EQ(fixture::count(d, "select count(*) from finanzia where Fattura_ID = ?", {f}), 0);
    }
}

TEST(Schedule, InstalmentCardPayments) {
    TestArchive a(db::Engine::SQLite);
    auto& d = a.db();
    fixture::setOption(d, "DuplicaFatturazioneInPrimaNota", true);
    const qint64 c = fixture::customer(d, "Rossi");
    const qint64 f = fixture::document(d, DocumentKind::CustomerInvoice, c, QDate(2025, 1, 10),
                                       fixture::terms(d, {30}));
    fixture::row(d, DocumentKind::CustomerInvoice, f, 1, 80, 0, 0);

    // A hand-added instalment must be completed before it is saved.
    const qint64 extra = InstalmentRules::add(d, DocumentKind::CustomerInvoice, f);
    QVariantMap s = InstalmentRules::load(d, extra);
    EXPECT_EQ(s["Numero"].toInt(), 2);
    EXPECT_EQ(s["DataScadenza"].toDate(), QDate(2025, 1, 10));
    auto failure = InstalmentRules::validate(s);
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->text, "Attenzione manca la descrizione dell'operazione !!");
    EXPECT_EQ(failure->title, "Messaggio di errore");

    // Saved twice paid: one movement, updated.
    s["Operazione"] = "Acconto";
    s["Importo"] = 10.0;
    s["DataPagamento"] = QDate(2025, 1, 12);
    ASSERT_FALSE(InstalmentRules::save(d, s).has_value());
    s["Importo"] = 12.0;
    ASSERT_FALSE(InstalmentRules::save(d, s).has_value());
    db::Result m = d.query("select * from finanzia where FatturaScadenze_Id = ?", {extra});
    ASSERT_EQ(m.size(), 1u);
    EXPECT_DOUBLE_EQ(m[0].number("Entrata"), 12);
    EXPECT_DOUBLE_EQ(m[0].number("Uscita"), 0);
    EXPECT_EQ(s["Finanzia_id"].toLongLong(), m[0].integer("ID"));
    EXPECT_EQ(InstalmentRules::documentMovement(d, DocumentKind::CustomerInvoice, f, extra),
              m[0].integer("ID"));

    // Clearing the payment date removes the payment and its movement.
    s["DataPagamento"] = QVariant();
    ASSERT_FALSE(InstalmentRules::save(d, s).has_value());
    EXPECT_FALSE(s["Pagato"].toBool());
    EXPECT_TRUE(s["Finanzia_id"].isNull());
    EXPECT_EQ(
        fixture::count(d, "select count(*) from finanzia where FatturaScadenze_Id = ?", {extra}),
        0);
    // "prima nota" falls back on the issue movement.
    EXPECT_EQ(InstalmentRules::documentMovement(d, DocumentKind::CustomerInvoice, f, extra),
              fixture::header(d, f).integer("Finanzia_id"));

    // A supplier credit-note instalment paid is money in.
    const qint64 b = d.insert("FatturaScadenze", {{"Tipo", "B"},
                                                  {"Importo", 5.0},
                                                  {"Numero", 1},
                                                  {"Operazione", "x"},
                                                  {"ModPagamento_Id", 1},
                                                  {"DataScadenza", QDate(2025, 1, 1)},
                                                  {"DataPagamento", QDate(2025, 1, 2)}});
    QVariantMap bs = InstalmentRules::load(d, b);
    ASSERT_FALSE(InstalmentRules::save(d, bs).has_value());
    EXPECT_DOUBLE_EQ(
        d.scalar("select Entrata from finanzia where FatturaScadenze_Id = ?", {b}).toDouble(), 5);
}
