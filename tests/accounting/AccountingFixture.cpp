#include "AccountingFixture.h"

#include "common/Money.h"
#include "db/Database.h"

#include <QRandomGenerator>

namespace fixture {

double vat::rateOf(int code) {
    switch (code) {
    case standard:
        return 22;
    case reduced:
        return 10;
    case minimum:
        return 4;
    default:
        return 0;
    }
}

qint64 supplierDocument(db::Database& db, bool credit, const QDate& date, const QDate& registered,
                        const QString& number, const QString& supplier) {
    return db.insert(QStringLiteral("fattura"), {{QStringLiteral("Carico"), true},
                                                 {QStringLiteral("FattNota"), credit},
                                                 {QStringLiteral("Storico"), false},
                                                 {QStringLiteral("Data"), date},
                                                 {QStringLiteral("DataRegistrazione"), registered},
                                                 {QStringLiteral("NumeroCarico"), number},
                                                 {QStringLiteral("Fornitore"), supplier}});
}

qint64 supplierRow(db::Database& db, bool credit, qint64 document, double net, int vatCode,
                   const QVariant& account) {
    const double rate = vat::rateOf(vatCode);
    db::Values v{{QStringLiteral("Um"), 1},
                 {QStringLiteral("ValoreUnitario"), net},
                 {QStringLiteral("AliquotaIva"), rate},
                 {credit ? QStringLiteral("Iva_Id") : QStringLiteral("Iva_ID"), vatCode},
                 {QStringLiteral("TotaleImponibile"), net},
                 {QStringLiteral("ContabilitaConti_ID"), account}};
    if (credit) {
        v.append({QStringLiteral("NotaCredito_ID"), document});
        return db.insert(QStringLiteral("NotaCreditoCaricoRighe"), v);
    }
    v.append({QStringLiteral("Fattura_ID"), document});
    v.append({QStringLiteral("Scarico"), false});
    return db.insert(QStringLiteral("Movimenti"), v);
}

qint64 customerDocument(db::Database& db, bool credit, const QDate& date, bool splitPayment,
                        int number, const QString& customer) {
    return db.insert(QStringLiteral("fattura"),
                     {{QStringLiteral("Carico"), false},
                      {QStringLiteral("FattNota"), credit},
                      {QStringLiteral("Storico"), false},
                      {QStringLiteral("Num"), number},
                      {QStringLiteral("Data"), date},
                      {QStringLiteral("ScissionePagamenti"), splitPayment},
                      {QStringLiteral("Cliente"), customer}});
}

qint64 customerRow(db::Database& db, bool credit, qint64 document, double quantity, double price,
                   double discount, int vatCode, const QVariant& account) {
    const double rate = vat::rateOf(vatCode);
    const double net = common::rowNet(false, quantity, price, discount);
    return db.insert(
        credit ? QStringLiteral("NotaCreditoRighe") : QStringLiteral("fattdett"),
        {{credit ? QStringLiteral("NotaCredito_ID") : QStringLiteral("NumFatt"), document},
         {QStringLiteral("Um"), quantity},
         {QStringLiteral("ValoreUnitario"), price},
         {QStringLiteral("Sconto"), discount},
         {QStringLiteral("AliquotaIva"), rate},
         {QStringLiteral("Iva_ID"), vatCode},
         {QStringLiteral("TotaleImponibile"), net},
         {QStringLiteral("ValoreTotale"), common::round2(net * (1 + rate / 100))},
         {QStringLiteral("ContabilitaConti_ID"), account}});
}

qint64 movement(db::Database& db, const QDate& date, double in, double out, bool takings,
                const QVariant& vatCode) {
    return db.insert(QStringLiteral("finanzia"),
                     {{QStringLiteral("Data"), date},
                      {QStringLiteral("Operazione"), QStringLiteral("Incasso")},
                      {QStringLiteral("Entrata"), in},
                      {QStringLiteral("Uscita"), out},
                      {QStringLiteral("Tipologia_ID"), 1},
                      {QStringLiteral("Tipo"), QStringLiteral("A")},
                      {QStringLiteral("Corrispettivi"), takings},
                      {QStringLiteral("Iva_Id"), vatCode},
                      {QStringLiteral("AliquotaIva"),
                       vatCode.isNull() ? QVariant() : QVariant(vat::rateOf(vatCode.toInt()))},
                      {QStringLiteral("Storico"), false}});
}

void generate(db::Database& db, int year, quint32 seed, int documents) {
    QRandomGenerator rnd(seed);
    const int codes[] = {vat::standard, vat::standard, vat::reduced, vat::minimum,
                         vat::outside,  vat::flatRate, vat::exempt};
    auto code = [&] { return codes[rnd.bounded(int(std::size(codes)))]; };
    auto cents = [&](int max) { return rnd.bounded(1, max * 100) / 100.0; };
    // Dates from mid-December of the year before to mid-January after.
    auto date = [&] { return QDate(year - 1, 12, 15).addDays(rnd.bounded(400)); };
    auto account = [&] { return QVariant(rnd.bounded(1, 6)); };
    db::Transaction tx(db);
    for (int i = 0; i < documents; ++i) {
        const int kind = rnd.bounded(10);
        const int rows = rnd.bounded(1, 5);
        if (kind < 3) { // supplier invoice, sometimes registered weeks later
            const QDate d = date();
            const qint64 doc =
                supplierDocument(db, false, d, d.addDays(rnd.bounded(3) == 0 ? 40 : 0),
                                 QStringLiteral("S%1").arg(i));
            for (int r = 0; r < rows; ++r) {
                const double net = rnd.bounded(8) == 0 ? -cents(30) : cents(900);
                supplierRow(db, false, doc, net, code(), account());
            }
        } else if (kind == 3) { // supplier credit note
            const QDate d = date();
            const qint64 doc = supplierDocument(db, true, d, d, QStringLiteral("NC%1").arg(i));
            for (int r = 0; r < rows; ++r)
                supplierRow(db, true, doc, cents(200), code(), account());
        } else if (kind < 8) { // customer invoice, one in ten under split payment
            const qint64 doc = customerDocument(db, false, date(), rnd.bounded(10) == 0, i);
            for (int r = 0; r < rows; ++r) {
                const double qty =
                    rnd.bounded(4) == 0 ? rnd.bounded(1, 40) / 8.0 : rnd.bounded(1, 6);
                const double price = rnd.bounded(8) == 0 ? -cents(20) : cents(700);
                const double discounts[] = {0, 0, 0, 10, 15, -5};
                customerRow(db, false, doc, qty, price, discounts[rnd.bounded(6)], code(),
                            account());
            }
        } else if (kind == 8) { // customer credit note
            const qint64 doc = customerDocument(db, true, date(), rnd.bounded(10) == 0, i);
            for (int r = 0; r < rows; ++r)
                customerRow(db, true, doc, rnd.bounded(1, 3), cents(150), 0, code(), account());
        } else { // takings and other movements
            for (int r = 0; r < rows; ++r) {
                const bool takings = rnd.bounded(3) != 0;
                const bool refund = rnd.bounded(10) == 0;
                movement(db, date(), refund ? 0 : cents(400), refund ? cents(50) : 0, takings,
                         takings ? QVariant(code()) : QVariant());
            }
        }
    }
    // Stock unloads belong to no supplier invoice and never count.
    for (int i = 0; i < 5; ++i)
        db.insert(QStringLiteral("Movimenti"), {{QStringLiteral("Scarico"), true},
                                                {QStringLiteral("Iva_ID"), vat::standard},
                                                {QStringLiteral("AliquotaIva"), 22},
                                                {QStringLiteral("TotaleImponibile"), 1000}});
    tx.commit();
}

} // namespace fixture
