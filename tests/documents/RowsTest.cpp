#include "DocumentsFixture.h"
#include "documents/DocumentRows.h"
#include "documents/LastPrice.h"
#include "documents/RowRules.h"

#include <gtest/gtest.h>

using namespace documents;

namespace {

const DocumentKind kInvoice = DocumentKind::CustomerInvoice;

} // namespace

TEST(Rows, ArticlesStockAndChecks) {
    TestArchive a(db::Engine::SQLite);
    auto& d = a.db();
    const qint64 c = fixture::customer(d, "Rossi");
    d.exec("UPDATE Clienti SET Sconto = 5 where Id = ?", {c});
    const qint64 art = fixture::article(d, "URNA", 100, 22, 10);
    const qint64 f = fixture::document(d, kInvoice, c, QDate(2025, 3, 1));

    qint64 rowId = 0;
    auto failure = DocumentRows::addByCode(d, kInvoice, f, "NOPE", &rowId);
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->text, "Attenzione il codice non risulta in archivio!!!");
    ASSERT_FALSE(DocumentRows::addByCode(d, kInvoice, f, "urna", &rowId).has_value());
    QVariantMap row = DocumentRows::load(d, kInvoice, rowId);
    EXPECT_EQ(row["TipoRiga"].toString(), "N");
    EXPECT_DOUBLE_EQ(row["Sconto"].toDouble(), 5); // the customer's discount
    EXPECT_DOUBLE_EQ(row["ValoreTotale"].toDouble(), 115.9);
    EXPECT_EQ(row["NumeroRiga"].toInt(), 1);
    EXPECT_DOUBLE_EQ(fixture::header(d, f).number("TotImponibile"), 95);

    // The row editor: quantity 1 → 3 takes 2 out of stock (the stored 1 was
    // never moved), back to 2 returns one.
    row["Um"] = 3.0;
    ASSERT_FALSE(DocumentRows::save(d, kInvoice, f, row).has_value());
    EXPECT_DOUBLE_EQ(fixture::stock(d, art), 8);
    row["Um"] = "2";
    ASSERT_FALSE(DocumentRows::save(d, kInvoice, f, row).has_value());
    EXPECT_DOUBLE_EQ(fixture::stock(d, art), 9);
    EXPECT_DOUBLE_EQ(fixture::header(d, f).number("TotImponibile"), 190);

    // Checks in order.
    QVariantMap empty;
    failure = DocumentRows::save(d, kInvoice, f, empty);
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->text, "Attenzione manca la descrizione");
    EXPECT_EQ(failure->title, "Messaggio di avviso");
    empty["Descrizione"] = "x";
    empty["AliquotaIva"] = 0;
    empty["ValoreUnitario"] = 3;
    EXPECT_EQ(DocumentRows::save(d, kInvoice, f, empty)->text, "Attenzione manca la quantità");

    // Free rows get the second number, deleting the article row gives stock back.
    const qint64 free = DocumentRows::addFreeRow(d, kInvoice, f);
    EXPECT_EQ(DocumentRows::load(d, kInvoice, free)["NumeroRiga"].toInt(), 2);
    EXPECT_EQ(DocumentRows::load(d, kInvoice, free)["Descrizione"].toString(),
              "Articolo da inserire");
    DocumentRows::remove(d, kInvoice, rowId);
    EXPECT_DOUBLE_EQ(fixture::stock(d, art), 11);
    EXPECT_DOUBLE_EQ(fixture::header(d, f).number("TotImponibile"), 0);
}

TEST(Rows, LastPriceAndUnitPriceFromTotal) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        auto& d = a.db();
        const qint64 c = fixture::customer(d, "Rossi");
        const qint64 art = fixture::article(d, "URNA", 100, 22);
        const qint64 older = fixture::document(d, kInvoice, c, QDate(2025, 1, 10));
        fixture::row(d, kInvoice, older, 1, 80, 5, 22, "N", art);
        const qint64 newer = fixture::document(d, kInvoice, c, QDate(2025, 2, 10));
        fixture::row(d, kInvoice, newer, 1, 90, 0, 22, "N", art);
        const qint64 current = fixture::document(d, kInvoice, c, QDate(2025, 3, 10));

        auto last = LastPrice::find(d, c, current, art);
        ASSERT_TRUE(last.has_value());
        EXPECT_EQ(last->message(),
                  "Ultima fattura: 10/02/2025 Valore Unitario: 90,00 Sconto: 0,00");
        // The invoice being edited does not count.
        last = LastPrice::find(d, c, newer, art);
        ASSERT_TRUE(last.has_value());
        EXPECT_DOUBLE_EQ(last->unitPrice, 80);
        EXPECT_FALSE(LastPrice::find(d, fixture::customer(d, "Bianchi"), current, art));
    }

    DocumentOptions o;
    o.defaultVatRate = 10;
    QVariantMap row{{"Um", QVariant()}, {"Sconto", 20}, {"AliquotaIva", 22}};
    double unit = 0;
    auto failure = RowRules::unitPriceFromTotal(row, o, &unit);
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->text,
              "Attenzione Inserire il Valore Ivato prima di calcolare il valore unitario");
    // Without a VAT code the company's rate counts; no quantity means 1.
    row["ValoreTotale"] = 110.0;
    ASSERT_FALSE(RowRules::unitPriceFromTotal(row, o, &unit).has_value());
    EXPECT_DOUBLE_EQ(unit, 125);
    row["Iva_ID"] = 1;
    row["Um"] = 2;
    row["ValoreTotale"] = 122.0;
    ASSERT_FALSE(RowRules::unitPriceFromTotal(row, o, &unit).has_value());
    EXPECT_DOUBLE_EQ(unit, 62.5);
}

TEST(Rows, LargeAmountsAreExactAndTooLargeOnesRefused) {
    TestArchive a(db::Engine::SQLite);
    auto& d = a.db();
    const qint64 c = fixture::customer(d, "Rossi");
    const qint64 f = fixture::document(d, kInvoice, c, QDate(2025, 3, 1));
    const qint64 rowId = DocumentRows::addFreeRow(d, kInvoice, f);

    // 1000 × 25.000 € at 22 %: beyond 32 bits, stored with its sign and cents.
    QVariantMap row = DocumentRows::load(d, kInvoice, rowId);
    row["Descrizione"] = "Monumento";
    row["AliquotaIva"] = 22;
    row["ValoreUnitario"] = 25000;
    row["Um"] = 1000;
    ASSERT_FALSE(DocumentRows::save(d, kInvoice, f, row).has_value());
    EXPECT_DOUBLE_EQ(DocumentRows::load(d, kInvoice, rowId)["ValoreTotale"].toDouble(), 30500000);
    EXPECT_DOUBLE_EQ(fixture::header(d, f).number("TotFattura"), 30500000);

    // A row the archive cannot hold is refused and leaves the stored one.
    row["ValoreUnitario"] = 1e9;
    const auto failure = DocumentRows::save(d, kInvoice, f, row);
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->field, "ValoreUnitario");
    EXPECT_EQ(failure->title, "Messaggio di errore");
    EXPECT_TRUE(failure->text.contains("99.999.999.999,99")) << failure->text.toStdString();
    EXPECT_DOUBLE_EQ(fixture::header(d, f).number("TotFattura"), 30500000);
}

TEST(Rows, ARowFromAnArticleTakesTheRateOfItsVatCode) {
    TestArchive a(db::Engine::SQLite);
    auto& d = a.db();
    const qint64 c = fixture::customer(d, "Rossi");
    // The article keeps its code (22 %) but no rate.
    const qint64 art = fixture::article(d, "URNA", 100, 0, 10);
    d.exec("UPDATE prezziar SET AliquotaIva = null where Id = ?", {art});
    const qint64 f = fixture::document(d, kInvoice, c, QDate(2025, 3, 1));

    qint64 rowId = 0;
    ASSERT_FALSE(DocumentRows::addByCode(d, kInvoice, f, "URNA", &rowId).has_value());
    const QVariantMap row = DocumentRows::load(d, kInvoice, rowId);
    EXPECT_DOUBLE_EQ(row["AliquotaIva"].toDouble(), 22);
    EXPECT_DOUBLE_EQ(row["ValoreTotale"].toDouble(), 122);
    EXPECT_DOUBLE_EQ(fixture::header(d, f).number("TotFattura"), 122);
}
