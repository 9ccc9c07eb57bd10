#include "accounting/AccountSituation.h"

#include "accounting/VatRegisters.h"
#include "accounting/VatSources.h"
#include "common/SqlText.h"
#include "common/TextForms.h"
#include "common/Titles.h"
#include "db/Database.h"

namespace accounting {

namespace {

struct Source {
    int kind;
    const char* caption;
    QString table;
    QString parent;
    QString amount;
    QString number;
    QString series;
    QString date; // the column the period is taken on
    QString condition;
};

} // namespace

std::optional<common::Failure> AccountSituation::prepare(db::Database& db, const QVariant& account,
                                                         const QDate& from, const QDate& to) {
    if (account.isNull() || account.toLongLong() <= 0)
        return common::Failure{common::titles::warning,
                               QStringLiteral("Attenzione manca il conto da esaminare"),
                               QStringLiteral("Conto")};
    if (auto f = VatRegisters::checkDates(from, to))
        return f;
    const QString id = QString::number(account.toLongLong());
    const QString pc = common::sqlQuote(db.workstation());
    const QString described = common::sqlQuote(
        QStringLiteral("Dal %1 al %2").arg(common::italianDate(from), common::italianDate(to)));
    const Period p{from, to};
    const QList<Source> sources = {
        {1, "Fatture di Acquisto", QStringLiteral("Movimenti"), QStringLiteral("Fattura_ID"),
         QStringLiteral("Movimenti.TotaleImponibile"), QStringLiteral("fattura.NumeroCarico"),
         QStringLiteral("NULL"), QStringLiteral("fattura.DataRegistrazione"),
         QLatin1String(kinds::supplierInvoice) + QStringLiteral(" and ") +
             QLatin1String(kinds::stockRow)},
        {2, "Note di Credito da Fornitore", QStringLiteral("NotaCreditoCaricoRighe"),
         QStringLiteral("NotaCredito_ID"),
         QStringLiteral("NotaCreditoCaricoRighe.TotaleImponibile"),
         QStringLiteral("fattura.NumeroCarico"), QStringLiteral("NULL"),
         QStringLiteral("fattura.DataRegistrazione"), QLatin1String(kinds::supplierCredit)},
        {3, "Fatture di Vendita", QStringLiteral("fattdett"), QStringLiteral("NumFatt"),
         customerRowNetSql(QStringLiteral("fattdett")), QStringLiteral("CAST(fattura.Num AS TEXT)"),
         QStringLiteral("fattura.SerieFatturazione"), QStringLiteral("fattura.Data"),
         QLatin1String(kinds::customerInvoice)},
        {4, "Note di credito di Vendita", QStringLiteral("NotaCreditoRighe"),
         QStringLiteral("NotaCredito_ID"), customerRowNetSql(QStringLiteral("NotaCreditoRighe")),
         QStringLiteral("CAST(fattura.Num AS TEXT)"), QStringLiteral("fattura.SerieFatturazione"),
         QStringLiteral("fattura.Data"), QLatin1String(kinds::customerCredit)},
    };
    db::Transaction tx(db);
    db.exec(QStringLiteral("delete * from TempContabilitaConto where NomeComputer = ?"),
            {db.workstation()});
    const QString columns = QStringLiteral(
        "INSERT INTO TempContabilitaConto (NomeComputer, ContabilitaConti_ID, Tipologia, "
        "DescrizioneTipologia, Descrizione, TotaleImponibile, NumeroDocumento, DataDocumento, "
        "ProgressivoCarico, DataRegistrazione, SerieFatturazione, Data, DescrizioneData) ");
    for (const Source& s : sources)
        db.exec(
            columns +
                QStringLiteral("SELECT '%1', %2, %3, '%4', %5.Descrizione, %6, %7, fattura.Data, "
                               "fattura.ProgressivoCarico, fattura.DataRegistrazione, %8, %9, "
                               "'%10' FROM %5 INNER JOIN fattura ON %5.%11 = fattura.Id WHERE "
                               "%9 >= ? and %9 <= ? and %5.ContabilitaConti_ID = %2 and ")
                    .arg(pc, id, QString::number(s.kind), QLatin1String(s.caption), s.table,
                         s.amount, s.number, s.series, s.date)
                    .arg(described, s.parent) +
                s.condition,
            {p.start(), p.end()});
    // Cash-book movements in and out.
    for (const bool in : {true, false})
        db.exec(columns + QStringLiteral(
                              "SELECT '%1', %2, %3, '%4', Operazione, %5, NULL, NULL, NULL, "
                              "NULL, NULL, Data, '%6' FROM finanzia WHERE %5 > 0 and Data >= ? "
                              "and Data <= ? and ContabilitaConti_ID = %2")
                              .arg(pc, id, QString::number(in ? 5 : 6),
                                   in ? QStringLiteral("Prima Nota in Dare")
                                      : QStringLiteral("Prima Nota in Avere"),
                                   in ? QStringLiteral("Entrata") : QStringLiteral("Uscita"),
                                   described),
                {p.start(), p.end()});
    tx.commit();
    return std::nullopt;
}

} // namespace accounting
