#include "accounting/BatchPayment.h"

#include "common/Money.h"
#include "common/Titles.h"
#include "db/Database.h"
#include "documents/CashBookMovements.h"
#include "documents/DocumentOptions.h"

namespace accounting {

void BatchPayment::choose(db::Database& db, const QList<qint64>& instalmentIds) {
    db::Transaction tx(db);
    for (qint64 id : instalmentIds) {
        const bool already =
            !db.scalar(QStringLiteral("select id from TempFatturaScadenzeCumulativo where "
                                      "NomeComputer = ? and Scadenza_Id = ?"),
                       {db.workstation(), id})
                 .isNull();
        if (already)
            continue;
        db.insert(QStringLiteral("TempFatturaScadenzeCumulativo"),
                  {{QStringLiteral("NomeComputer"), db.workstation()},
                   {QStringLiteral("Scadenza_Id"), id}});
        db.exec(
            QStringLiteral("update FatturaScadenze set TemporaneaSelezionata=true where Id = ?"),
            {id});
    }
    tx.commit();
}

void BatchPayment::release(db::Database& db, qint64 workId) {
    db::Transaction tx(db);
    db.exec(QStringLiteral("update FatturaScadenze set TemporaneaSelezionata=false where Id in "
                           "(select Scadenza_Id from TempFatturaScadenzeCumulativo where id = ?)"),
            {workId});
    db.exec(QStringLiteral("delete * FROM TempFatturaScadenzeCumulativo where id = ?"), {workId});
    tx.commit();
}

void BatchPayment::releaseAll(db::Database& db) {
    db::Transaction tx(db);
    db.exec(QStringLiteral("update FatturaScadenze set TemporaneaSelezionata=false where Id in "
                           "(select Scadenza_Id from TempFatturaScadenzeCumulativo where "
                           "NomeComputer = ?)"),
            {db.workstation()});
    db.exec(QStringLiteral("delete * FROM TempFatturaScadenzeCumulativo where NomeComputer = ?"),
            {db.workstation()});
    tx.commit();
}

QList<BatchPayment::Chosen> BatchPayment::chosen(db::Database& db) {
    QList<Chosen> out;
    for (const db::Row& r :
         db.query(QStringLiteral(
                      "select FatturaScadenze.Importo, FatturaScadenze.Operazione, "
                      "FatturaScadenze.DataScadenza, TempFatturaScadenzeCumulativo.Scadenza_Id, "
                      "TempFatturaScadenzeCumulativo.id FROM TempFatturaScadenzeCumulativo "
                      "INNER JOIN FatturaScadenze ON TempFatturaScadenzeCumulativo.Scadenza_Id "
                      "= FatturaScadenze.Id where TempFatturaScadenzeCumulativo.NomeComputer = ? "
                      "order by FatturaScadenze.DataScadenza, TempFatturaScadenzeCumulativo.id"),
                  {db.workstation()}))
        out.push_back({r.integer(QStringLiteral("id")), r.integer(QStringLiteral("Scadenza_Id")),
                       r.number(QStringLiteral("Importo")), r.text(QStringLiteral("Operazione")),
                       r.date(QStringLiteral("DataScadenza"))});
    return out;
}

double BatchPayment::total(const QList<Chosen>& rows) {
    double t = 0;
    for (const Chosen& c : rows)
        t += c.amount;
    return common::round2(t);
}

std::optional<common::Failure> BatchPayment::checkChosen(db::Database& db) {
    if (!chosen(db).isEmpty())
        return std::nullopt;
    return common::Failure{common::titles::warning,
                           QStringLiteral("Attenzione è necessario scegliere una scadenza in "
                                          "pagamento prima di proseguire!"),
                           QString()};
}

bool BatchPayment::pay(db::Database& db, common::Interaction& ui, const Payment& p) {
    if (!p.date.isValid()) {
        ui.warning(common::titles::warningUrgent,
                   QStringLiteral("Attenzione E' necessario definire la data pagamento..."));
        return false;
    }
    if (!ui.question(common::titles::warning,
                     QStringLiteral("Sei sicuro di voler pagare le scadenze ?")))
        return false;
    const bool cashBook = documents::DocumentOptions::load(db).cashBook;
    const QList<Chosen> rows = chosen(db);
    db::Transaction tx(db);
    qint64 done = 0;
    for (const Chosen& c : rows) {
        db.update(QStringLiteral("FatturaScadenze"), c.instalmentId,
                  {{QStringLiteral("DataPagamento"), p.date},
                   {QStringLiteral("Pagato"), true},
                   {QStringLiteral("ModPagamento_Id"), p.termsId},
                   {QStringLiteral("Dettagli"), p.details},
                   {QStringLiteral("Banca_ID"), p.bankId},
                   {QStringLiteral("TemporaneaSelezionata"), false}});
        if (cashBook)
            documents::CashBookMovements::writePayment(db, c.instalmentId);
        ui.progress(QStringLiteral("Pagamento delle scadenze..."), ++done, rows.size());
    }
    db.exec(QStringLiteral("delete * FROM TempFatturaScadenzeCumulativo where NomeComputer = ?"),
            {db.workstation()});
    tx.commit();
    ui.information(common::titles::warning, QStringLiteral("pagamenti registrati con successo!"));
    return true;
}

} // namespace accounting
