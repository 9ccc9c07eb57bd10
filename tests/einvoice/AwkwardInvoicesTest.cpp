#include "WriterFixture.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace writer;

// Invoices as the program makes them every day that the exchange system
// used to reject or misread: each is written, valid against the schema and
// passes the exchange system's arithmetic read from the file alone.

namespace {

const char* const rowsPath = "//DettaglioLinee";

QString row(int n, const char* element) {
    return QStringLiteral("%1[NumeroLinea='%2']/%3").arg(rowsPath).arg(n).arg(element);
}

} // namespace

// Four-decimal prices, decimal quantities, a cascade typed as one rate and a
// rate of four decimals: amounts within eight decimals, rates in two, a rate
// two decimals cannot say written as its amount.
TEST(AwkwardInvoices, DecimalsFitTheSchema) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        db::Database& db = a.db();
        company(db);
        const qint64 doc = invoice(db, customer(db));
        addRow(db, doc, 2.5, 12.3456, 17.065);
        addRow(db, doc, 3, 7.1234, 12.3456);
        addRow(db, doc, 3, 33.3333, 0, 22, 1, {{"TotaleImponibile", 100.0}});
        addRow(db, doc, 1.5, 10.1235, 10);
        addRow(db, doc, 1, 19.99, 0, 10, 1, {{"TotaleImponibile", 19.990000000001}});
        Export e;
        e.run(db, doc);
        ASSERT_TRUE(e.result.written) << e.result.failure.toStdString();
        const Xml& x = *e.xml;
        EXPECT_EQ(sdiArithmetic(x), QStringList());

        EXPECT_EQ(x.count(row(1, "ScontoMaggiorazione/Percentuale")), 0);
        EXPECT_EQ(x.one(row(1, "ScontoMaggiorazione/Importo")), "2.10677664");
        EXPECT_EQ(x.count(row(2, "ScontoMaggiorazione/Percentuale")), 0);
        EXPECT_EQ(x.one(row(4, "ScontoMaggiorazione/Percentuale")), "10.00");
        EXPECT_EQ(x.one(row(4, "ScontoMaggiorazione/Importo")), "1.01235");
        EXPECT_EQ(x.one(row(4, "Quantita")), "1.50");
        EXPECT_EQ(x.one(row(5, "PrezzoTotale")), "19.99");
        EXPECT_EQ(x.one(row(5, "AliquotaIVA")), "10.00");
        static const QRegularExpression eight(QStringLiteral("^-?\\d+\\.\\d{2,8}$"));
        for (const QString& amount : x.all(QStringLiteral("%1/*[self::PrezzoUnitario or "
                                                          "self::PrezzoTotale or self::Quantita]")
                                               .arg(rowsPath)))
            EXPECT_TRUE(eight.match(amount).hasMatch()) << amount.toStdString();
    }
}
