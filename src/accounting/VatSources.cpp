#include "accounting/VatSources.h"

#include "common/Money.h"
#include "db/Database.h"

#include <cmath>

namespace accounting {

namespace {

VatByCode collect(db::Database& db, const QString& sql, const QVariantList& binds) {
    VatByCode out;
    for (const db::Row& r : db.query(sql, binds)) {
        if (r.isNull(QStringLiteral("Codice")))
            continue;
        VatSum& s = out[r.integer(QStringLiteral("Codice"))];
        s.taxable += r.number(QStringLiteral("Imponibile"));
        s.vat += r.number(QStringLiteral("Imposta"));
    }
    return out;
}

// One source of supplier rows with their stored net.
VatByCode supplierRows(db::Database& db, const QString& table, const QString& parent,
                       const QString& vatColumn, const QString& condition, const Period& p) {
    const QString net = table + QStringLiteral(".TotaleImponibile");
    const QString sql =
        QStringLiteral("SELECT %1.%2 as Codice, sum(%3) as Imponibile, sum(%4) as Imposta "
                       "FROM %1 INNER JOIN fattura ON %1.%5 = fattura.Id "
                       "WHERE fattura.DataRegistrazione >= ? and fattura.DataRegistrazione <= ? "
                       "and %6 GROUP BY %1.%2")
            .arg(table, vatColumn, net, rowVatSql(net, table + QStringLiteral(".AliquotaIva")),
                 parent, condition);
    return collect(db, sql, {p.start(), p.end()});
}

VatByCode customerRows(db::Database& db, const QString& table, const QString& parent,
                       const QString& condition, const Period& p) {
    const QString net = customerRowNetSql(table);
    const QString sql =
        QStringLiteral("SELECT %1.Iva_ID as Codice, sum(%2) as Imponibile, sum(%3) as Imposta "
                       "FROM %1 INNER JOIN fattura ON %1.%4 = fattura.Id "
                       "WHERE fattura.Data >= ? and fattura.Data <= ? and %5 and %6 "
                       "GROUP BY %1.Iva_ID")
            .arg(table, net, rowVatSql(net, table + QStringLiteral(".AliquotaIva")), parent,
                 condition, QLatin1String(kinds::notSplitPayment));
    return collect(db, sql, {p.start(), p.end()});
}

// Takings are rounded movement by movement, so the movements are grouped
// by code, rate and gross amount and each distinct amount is split once.
VatByCode readTakings(db::Database& db, const Period& p) {
    const QString gross = QStringLiteral("(coalesce(Entrata, 0) - coalesce(Uscita, 0))");
    const QString sql =
        QStringLiteral("SELECT Iva_Id as Codice, AliquotaIva, %1 as Lordo, count(*) as Quanti "
                       "FROM finanzia WHERE Corrispettivi = true and Data >= ? and Data <= ? "
                       "GROUP BY Iva_Id, AliquotaIva, %1")
            .arg(gross);
    VatByCode out;
    for (const db::Row& r : db.query(sql, {p.start(), p.end()})) {
        if (r.isNull(QStringLiteral("Codice")))
            continue;
        const double rate = r.number(QStringLiteral("AliquotaIva"));
        const double amount = r.number(QStringLiteral("Lordo"));
        const double n = double(r.integer(QStringLiteral("Quanti")));
        VatSum& s = out[r.integer(QStringLiteral("Codice"))];
        if (rate != 0) {
            const double taxable = common::unitFromTotal(1, amount, rate);
            s.taxable += n * taxable;
            s.vat += n * common::round2(taxable * rate * 0.01);
        } else {
            s.taxable += n * amount;
        }
    }
    return out;
}

} // namespace

double roundSum(double sum) {
    // Millionths first, then cents half away from zero, both in integers.
    const long long micro = std::llround(sum * 1e6);
    return double((micro + (micro >= 0 ? 5000 : -5000)) / 10000) / 100.0;
}

QString customerRowNetSql(const QString& t) {
    return QStringLiteral("(%1.Um * %1.ValoreUnitario - CASE WHEN %1.Sconto > 0 THEN "
                          "0.01 * (%1.Um * %1.ValoreUnitario) * %1.Sconto ELSE 0 END)")
        .arg(t);
}

QString rowVatSql(const QString& net, const QString& rate) {
    return QStringLiteral("CASE WHEN %2 >= 1 AND %1 > 0 THEN %1 * %2 * 0.01 ELSE 0 END")
        .arg(net, rate);
}

VatSources VatSources::read(db::Database& db, const Period& p) {
    VatSources s;
    s.purchases = supplierRows(db, QStringLiteral("Movimenti"), QStringLiteral("Fattura_ID"),
                               QStringLiteral("Iva_ID"),
                               QLatin1String(kinds::supplierInvoice) + QStringLiteral(" and ") +
                                   QLatin1String(kinds::stockRow),
                               p);
    s.supplierCredits =
        supplierRows(db, QStringLiteral("NotaCreditoCaricoRighe"), QStringLiteral("NotaCredito_ID"),
                     QStringLiteral("Iva_Id"), QLatin1String(kinds::supplierCredit), p);
    s.sales = customerRows(db, QStringLiteral("fattdett"), QStringLiteral("NumFatt"),
                           QLatin1String(kinds::customerInvoice), p);
    s.customerCredits =
        customerRows(db, QStringLiteral("NotaCreditoRighe"), QStringLiteral("NotaCredito_ID"),
                     QLatin1String(kinds::customerCredit), p);
    s.takings = readTakings(db, p);
    return s;
}

} // namespace accounting
