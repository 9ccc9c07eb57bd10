#include "accounting/Balance.h"

#include "accounting/VatRegisters.h"
#include "accounting/VatSources.h"
#include "common/Money.h"
#include "common/TextForms.h"
#include "db/Database.h"

namespace accounting {

namespace {

void addSums(QMap<qint64, double>& out, db::Database& db, const QString& sql,
             const QVariantList& binds, double sign) {
    for (const db::Row& r : db.query(sql, binds))
        if (!r.isNull(QStringLiteral("Conto")))
            out[r.integer(QStringLiteral("Conto"))] += sign * r.number(QStringLiteral("Importo"));
}

QString rowsOnAccounts(const QString& table, const QString& parent, const QString& net,
                       const QString& dateColumn, const QString& condition) {
    return QStringLiteral("SELECT %1.ContabilitaConti_ID as Conto, sum(%2) as Importo FROM %1 "
                          "INNER JOIN fattura ON %1.%3 = fattura.Id WHERE %4 >= ? and %4 <= ? "
                          "and %5 GROUP BY %1.ContabilitaConti_ID")
        .arg(table, net, parent, dateColumn, condition);
}

} // namespace

QMap<qint64, double> Balance::compute(db::Database& db, const Period& p) {
    QMap<qint64, double> out;
    const QVariantList period{p.start(), p.end()};
    addSums(out, db,
            rowsOnAccounts(QStringLiteral("Movimenti"), QStringLiteral("Fattura_ID"),
                           QStringLiteral("Movimenti.TotaleImponibile"),
                           QStringLiteral("fattura.DataRegistrazione"),
                           QLatin1String(kinds::supplierInvoice) + QStringLiteral(" and ") +
                               QLatin1String(kinds::stockRow)),
            period, -1);
    addSums(out, db,
            rowsOnAccounts(
                QStringLiteral("NotaCreditoCaricoRighe"), QStringLiteral("NotaCredito_ID"),
                QStringLiteral("NotaCreditoCaricoRighe.TotaleImponibile"),
                QStringLiteral("fattura.DataRegistrazione"), QLatin1String(kinds::supplierCredit)),
            period, 1);
    addSums(out, db,
            rowsOnAccounts(QStringLiteral("fattdett"), QStringLiteral("NumFatt"),
                           customerRowNetSql(QStringLiteral("fattdett")),
                           QStringLiteral("fattura.Data"), QLatin1String(kinds::customerInvoice)),
            period, 1);
    addSums(out, db,
            rowsOnAccounts(QStringLiteral("NotaCreditoRighe"), QStringLiteral("NotaCredito_ID"),
                           customerRowNetSql(QStringLiteral("NotaCreditoRighe")),
                           QStringLiteral("fattura.Data"), QLatin1String(kinds::customerCredit)),
            period, -1);
    // Takings net of their VAT, each movement split on its own.
    const QVariant takingsAccount =
        db.scalar(QStringLiteral("select conto_ID_Predefinito_su_Corrispettivi from opzioni"));
    if (!takingsAccount.isNull() && takingsAccount.toLongLong() > 0) {
        const QString gross = QStringLiteral("(coalesce(Entrata, 0) - coalesce(Uscita, 0))");
        for (const db::Row& r : db.query(
                 QStringLiteral("SELECT AliquotaIva, %1 as Lordo, count(*) as Quanti FROM "
                                "finanzia WHERE Corrispettivi = true and Data >= ? and Data <= ? "
                                "GROUP BY AliquotaIva, %1")
                     .arg(gross),
                 period)) {
            const double rate = r.number(QStringLiteral("AliquotaIva"));
            const double amount = r.number(QStringLiteral("Lordo"));
            const double net = rate != 0 ? common::unitFromTotal(1, amount, rate) : amount;
            out[takingsAccount.toLongLong()] += double(r.integer(QStringLiteral("Quanti"))) * net;
        }
    }
    addSums(out, db,
            QStringLiteral("SELECT ContabilitaConti_ID as Conto, sum(coalesce(Entrata, 0)) - "
                           "sum(coalesce(Uscita, 0)) as Importo FROM finanzia WHERE "
                           "(Corrispettivi = false or Corrispettivi is null) and Data >= ? and "
                           "Data <= ? GROUP BY ContabilitaConti_ID"),
            period, 1);
    // Only the accounts of the chart.
    QMap<qint64, double> chart;
    for (const db::Row& r : db.query(QStringLiteral("SELECT ID FROM ContabilitaConti")))
        if (out.contains(r.integer(QStringLiteral("ID"))))
            chart.insert(r.integer(QStringLiteral("ID")),
                         out.value(r.integer(QStringLiteral("ID"))));
    return chart;
}

std::optional<common::Failure> Balance::prepare(db::Database& db, const QDate& from,
                                                const QDate& to) {
    if (auto f = VatRegisters::checkDates(from, to))
        return f;
    const QString described =
        QStringLiteral("Dal %1 al %2").arg(common::italianDate(from), common::italianDate(to));
    db::Transaction tx(db);
    const QMap<qint64, double> amounts = compute(db, {from, to});
    db.exec(QStringLiteral("delete * from TempBilancio where NomeComputer = ?"),
            {db.workstation()});
    for (auto it = amounts.begin(); it != amounts.end(); ++it)
        db.insert(QStringLiteral("TempBilancio"),
                  {{QStringLiteral("NomeComputer"), db.workstation()},
                   {QStringLiteral("ContabilitaConti_ID"), it.key()},
                   {QStringLiteral("TotaleImponibile"), roundSum(it.value())},
                   {QStringLiteral("DescrizioneData"), described}});
    tx.commit();
    return std::nullopt;
}

QMap<qint64, double> Balance::read(db::Database& db) {
    QMap<qint64, double> out;
    for (const db::Row& r : db.query(QStringLiteral("select ContabilitaConti_ID, TotaleImponibile "
                                                    "from TempBilancio where NomeComputer = ?"),
                                     {db.workstation()}))
        out.insert(r.integer(QStringLiteral("ContabilitaConti_ID")),
                   r.number(QStringLiteral("TotaleImponibile")));
    return out;
}

} // namespace accounting
