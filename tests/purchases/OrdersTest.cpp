#include "PurchasesFixture.h"
#include "purchases/SupplierOrders.h"

#include <gtest/gtest.h>

using namespace purchases;
namespace fx = purchasesFixture;

namespace {

qint64 orderFor(db::Database& d, qint64 supplier) {
    const qint64 id = SupplierOrders::create(d, false, QDate(2025, 5, 2));
    QVariantMap h = SupplierOrders::load(d, id);
    h["Fornitore_ID"] = supplier;
    EXPECT_FALSE(SupplierOrders::save(d, h));
    return id;
}

qint64 supplierArticle(db::Database& d, const QString& code, qint64 supplier, double stock,
                       double minimum) {
    const qint64 a = fx::article(d, code, stock);
    d.exec("UPDATE prezziar SET Fornitore_ID = ?, QuaMinima = ?, Fornitore_ValoreUnitario = 10, "
           "Fornitore_AliquotaIva = 22, Fornitore_Sconto1 = 10 where ID = ?",
           {supplier, minimum, a});
    return a;
}

} // namespace

TEST(SupplierOrders, NumbersChecksAndUnderStockImport) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        auto& d = a.db();
        const qint64 s = fx::supplier(d, "Graniti");
        const qint64 first = SupplierOrders::create(d, false);
        EXPECT_EQ(SupplierOrders::load(d, first).value("Numero").toInt(), 1);
        // Rows need number, date and supplier saved first.
        QVariantMap h = SupplierOrders::load(d, first);
        EXPECT_EQ(SupplierOrders::save(d, h)->text,
                  "Attenzione: Prima di inserire le righe è necessario salvare il Fornitore!!!");
        h.remove("Data");
        EXPECT_EQ(SupplierOrders::validate(h)->field, "Data");

        const qint64 order = orderFor(d, s);
        EXPECT_EQ(SupplierOrders::load(d, order).value("Numero").toInt(), 2);
        EXPECT_EQ(SupplierOrders::load(d, order).value("Fornitore").toString(), "Graniti");
        const qint64 ordered = supplierArticle(d, "ORD", s, 2, 5);
        const qint64 missing = supplierArticle(d, "MANCA", s, 2, 5);
        supplierArticle(d, "PIENO", s, 8, 5);
        const qint64 other = fx::supplier(d, "Altro");
        supplierArticle(d, "ALTRO", other, 0, 5);
        // Already ordered from this supplier: not added again.
        SupplierOrders::addArticle(d, first, ordered);
        d.exec("UPDATE OrdiniTestata SET Fornitore_ID = ? where ID = ?", {s, first});
        const QStringList added = SupplierOrders::importUnderStock(d, order);
        EXPECT_EQ(added, QStringList{"MANCA desc"});
        EXPECT_EQ(SupplierOrders::underStockMessage(added),
                  "Articoli Inseriti correttamente : MANCA desc");
        EXPECT_EQ(SupplierOrders::underStockMessage({}),
                  "Articoli Inseriti correttamente : Nessuno");
        const db::Row row =
            d.query("select * from OrdiniRighe where Ordine_ID = ?", {order}).first();
        EXPECT_EQ(row.integer("Articolo_ID"), missing);
        EXPECT_DOUBLE_EQ(row.number("Um"), 3);
        EXPECT_DOUBLE_EQ(row.number("Sconto"), 10);
        // 3 × 10 less 10% = 27, + 22% = 32,94.
        const db::Row t = d.query("select * from OrdiniTestata where ID = ?", {order}).first();
        EXPECT_DOUBLE_EQ(t.number("TotImponibile"), 27);
        EXPECT_DOUBLE_EQ(t.number("TotaleOrdine"), 32.94);

        EXPECT_EQ(SupplierOrders::addByCode(d, order, "NOPE")->text, "Codice non trovato!!!");
        qint64 rowId = 0;
        EXPECT_FALSE(SupplierOrders::addByCode(d, order, "PIENO", &rowId));
        QVariantMap r = SupplierOrders::loadRow(d, rowId);
        r["Um"] = "2";
        SupplierOrders::saveRow(d, r);
        EXPECT_DOUBLE_EQ(r.value("TotaleImponibile").toDouble(), 18);
        SupplierOrders::removeRow(d, rowId);
        EXPECT_DOUBLE_EQ(
            d.scalar("select TotImponibile from OrdiniTestata where ID = ?", {order}).toDouble(),
            27);
    }
}

TEST(SupplierOrders, EmailNeedsTheSupplierAddress) {
    TestArchive a(db::Engine::SQLite);
    auto& d = a.db();
    const qint64 s = fx::supplier(d, "Graniti");
    const qint64 order = orderFor(d, s);
    SupplierOrders::addArticle(d, order, supplierArticle(d, "LAP", s, 0, 1), 2);
    SupplierOrders::Email mail;
    EXPECT_EQ(SupplierOrders::email(d, order, &mail)->text,
              "Attenzione manca l'email del fornitore !!");
    d.exec("UPDATE Fornitor SET Email = 'ordini@graniti.it'");
    fx::setOption(d, "PrezzoOrdini", true);
    ASSERT_FALSE(SupplierOrders::email(d, order, &mail));
    EXPECT_EQ(mail.address, "ordini@graniti.it");
    EXPECT_EQ(mail.subject, "Ordine 1");
    EXPECT_TRUE(mail.text.startsWith("Gentilissimo Graniti\n in riferimento a questo Ordine n°1 "
                                     "Data: 02/05/2025 ho necessità"));
    EXPECT_TRUE(mail.text.contains("Codice : LAP Articolo : LAP desc    Quantità : 2"));
    EXPECT_TRUE(mail.text.contains(" Totale Ordine : "));
    EXPECT_TRUE(mail.text.endsWith("Distinti saluti :"));
}
