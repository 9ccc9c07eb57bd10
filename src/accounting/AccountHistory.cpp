#include "accounting/AccountHistory.h"

#include "accounting/VatRegisters.h"
#include "accounting/VatSources.h"
#include "common/SqlText.h"
#include "db/Database.h"

namespace accounting {

void AccountHistory::add(db::Database& db, qint64 accountId) {
    db::Transaction tx(db);
    db.insert(QStringLiteral("tempStoriaContabilitaTestata"),
              {{QStringLiteral("ContabilitaConti_ID"), accountId},
               {QStringLiteral("NomeComputer"), db.workstation()}});
    tx.commit();
}

void AccountHistory::remove(db::Database& db, qint64 chosenId) {
    db::Transaction tx(db);
    db.exec(QStringLiteral("delete * from tempStoriaContabilitaTestata where id = ?"), {chosenId});
    tx.commit();
}

void AccountHistory::clear(db::Database& db) {
    db::Transaction tx(db);
    db.exec(QStringLiteral("delete * from tempStoriaContabilitaTestata where NomeComputer = ?"),
            {db.workstation()});
    tx.commit();
}

std::optional<common::Failure> AccountHistory::prepare(db::Database& db, const QDate& from,
                                                       const QDate& to) {
    if (auto f = VatRegisters::checkDates(from, to))
        return f;
    struct Source {
        const char* caption;
        QString table;
        QString parent;
        QString net;
        QString total;
        QString date;
        QString condition;
    };
    const QList<Source> sources = {
        {"Fatture di acquisto", QStringLiteral("Movimenti"), QStringLiteral("Fattura_ID"),
         QStringLiteral("Movimenti.TotaleImponibile"), QStringLiteral("Movimenti.PrezzoCompleto"),
         QStringLiteral("fattura.DataRegistrazione"),
         QLatin1String(kinds::supplierInvoice) + QStringLiteral(" and ") +
             QLatin1String(kinds::stockRow)},
        {"Fatture di Vendita", QStringLiteral("fattdett"), QStringLiteral("NumFatt"),
         customerRowNetSql(QStringLiteral("fattdett")), QStringLiteral("fattdett.ValoreTotale"),
         QStringLiteral("fattura.Data"), QLatin1String(kinds::customerInvoice)},
        {"Note di Credito", QStringLiteral("NotaCreditoRighe"), QStringLiteral("NotaCredito_ID"),
         customerRowNetSql(QStringLiteral("NotaCreditoRighe")),
         QStringLiteral("NotaCreditoRighe.ValoreTotale"), QStringLiteral("fattura.Data"),
         QLatin1String(kinds::customerCredit)},
        {"Note di Credito da Fornitori", QStringLiteral("NotaCreditoCaricoRighe"),
         QStringLiteral("NotaCredito_ID"),
         QStringLiteral("NotaCreditoCaricoRighe.TotaleImponibile"),
         QStringLiteral("NotaCreditoCaricoRighe.PrezzoCompleto"),
         QStringLiteral("fattura.DataRegistrazione"), QLatin1String(kinds::supplierCredit)},
    };
    const QString pc = common::sqlQuote(db.workstation());
    const Period p{from, to};
    db::Transaction tx(db);
    db.exec(QStringLiteral("delete * from tempStoriaContabilitaRighe where NomeComputer = ?"),
            {db.workstation()});
    for (const Source& s : sources)
        db.exec(
            QStringLiteral(
                "INSERT INTO tempStoriaContabilitaRighe (NomeComputer, ContabilitaConti_ID, "
                "TipologiaOperazione, Imponibile, ValoreTotale, TipoRiga, DocumentoData, "
                "DocumentoNumero, DocumentoSerie, DocumentoDataRegistrazione, "
                "DocumentoNumeroRegistrazione) SELECT '%1', scelti.ContabilitaConti_ID, '%2', "
                "%3, %4, %5.TipoRiga, fattura.Data, fattura.Num, fattura.SerieFatturazione, "
                "fattura.DataRegistrazione, fattura.ProgressivoCarico FROM (%5 INNER JOIN "
                "fattura ON %5.%6 = fattura.Id) INNER JOIN tempStoriaContabilitaTestata scelti "
                "ON %5.ContabilitaConti_ID = scelti.ContabilitaConti_ID WHERE "
                "scelti.NomeComputer = '%1' and %7 >= ? and %7 <= ? and ")
                    .arg(pc, QLatin1String(s.caption), s.net, s.total, s.table, s.parent, s.date) +
                s.condition,
            {p.start(), p.end()});
    tx.commit();
    return std::nullopt;
}

} // namespace accounting
