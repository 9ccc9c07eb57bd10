#include "DocumentsFixture.h"
#include "documents/DocumentRows.h"
#include "documents/DocumentStore.h"

#include <gtest/gtest.h>

using namespace documents;

namespace {

const DocumentKind kInvoice = DocumentKind::CustomerInvoice;

quint64 newInvoiceCost(db::Database& d, const QDate& date, qint64* id = nullptr) {
    const quint64 before = d.statementCount();
    const qint64 created = DocumentStore::create(d, kInvoice, {false, QString(), date});
    if (id)
        *id = created;
    return d.statementCount() - before;
}

quint64 rowSaveCost(db::Database& d, qint64 invoice, qint64 row, double quantity) {
    QVariantMap r = DocumentRows::load(d, kInvoice, row);
    r["Um"] = quantity;
    const quint64 before = d.statementCount();
    const auto failure = DocumentRows::save(d, kInvoice, invoice, r);
    EXPECT_FALSE(failure.has_value());
    return d.statementCount() - before;
}

} // namespace

// A new invoice and the save of one row (with the totals, instalments and
// cash book that follow it) cost a fixed number of statements: none per
// row of the invoice, none per invoice of the archive.
TEST(ActionCost, NewInvoiceAndRowSaveDoNotGrowWithTheArchive) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        auto& d = a.db();
        const qint64 customer = fixture::customer(d, "Rossi");
        const QDate day(2025, 3, 1);

        qint64 invoice = 0;
        const quint64 firstNew = newInvoiceCost(d, day, &invoice);
        QVariantMap h = DocumentStore::load(d, invoice);
        ASSERT_TRUE(DocumentStore::chooseCustomer(d, kInvoice, h, customer));
        const qint64 row = fixture::row(d, kInvoice, invoice, 1, 10);
        for (int i = 0; i < 2; ++i)
            fixture::row(d, kInvoice, invoice, 1, 10);
        const quint64 smallSave = rowSaveCost(d, invoice, row, 2);

        // The invoice grows to a hundred rows, the archive to a few hundred
        // invoices.
        for (int i = 0; i < 97; ++i)
            fixture::row(d, kInvoice, invoice, 1, 10);
        for (int i = 0; i < 300; ++i)
            newInvoiceCost(d, day.addDays(i % 200));
        const quint64 largeSave = rowSaveCost(d, invoice, row, 3);
        const quint64 laterNew = newInvoiceCost(d, day.addDays(250));

        EXPECT_EQ(largeSave, smallSave);
        EXPECT_EQ(laterNew, firstNew);
        // PostgreSQL takes the numbering lock with a statement of its own.
        EXPECT_EQ(firstNew, engine == db::Engine::SQLite ? 11u : 12u);
        EXPECT_EQ(smallSave, 16u);
        EXPECT_DOUBLE_EQ(fixture::header(d, invoice).number("TotImponibile"), 1020);
    }
}
