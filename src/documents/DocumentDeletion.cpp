#include "documents/DocumentDeletion.h"

#include "common/Titles.h"
#include "documents/DocumentLog.h"
#include "documents/DocumentRows.h"
#include "documents/DocumentTables.h"

namespace documents {

namespace {

void deleteOneByOne(db::Database& db, const QString& table, const QString& key,
                    const QString& parent, qint64 id) {
    const db::Result rows =
        db.query(QStringLiteral("select %1 from %2 where %3 = ?").arg(key, table, parent), {id});
    for (const db::Row& r : rows)
        db.exec(QStringLiteral("delete * from %1 where %2 = ?").arg(table, key), {r.integer(key)});
}

} // namespace

void DocumentDeletion::remove(db::Database& db, DocumentKind kind, qint64 id) {
    return db::withRetry(db, [&] {
        const DocumentTables& t = DocumentTables::of(kind);
        db::Transaction tx(db);
        // Held first, so that nobody adds rows to a document on its way out;
        // gone already when another workstation deleted it first.
        if (!db.lockRow(QStringLiteral("fattura"), id)) {
            tx.commit();
            return;
        }
        DocumentLog::recordInvoice(db, DocumentLog::Event::Deleted, id);
        if (!t.creditNote) {
            db.exec(
                QStringLiteral("UPDATE FatturaContiRighe INNER JOIN TotaliCo ON "
                               "FatturaContiRighe.Conto_ID = TotaliCo.ID SET TotaliCo.Fatturato = "
                               "False where FatturaContiRighe.Fattura_ID = ?"),
                {id});
            db.exec(QStringLiteral("delete * FROM finanzia where Fattura_ID = ?"), {id});
            db.exec(QStringLiteral("UPDATE FatturaPreventiviRighe INNER JOIN PreventiTestata ON "
                                   "FatturaPreventiviRighe.Preventivo_Id = PreventiTestata.ID SET "
                                   "PreventiTestata.Fatturato = False where "
                                   "FatturaPreventiviRighe.Fattura_ID = ?"),
                    {id});
            deleteOneByOne(db, QStringLiteral("FatturaContiRighe"), QStringLiteral("ID"),
                           QStringLiteral("Fattura_ID"), id);
            deleteOneByOne(db, QStringLiteral("FatturaPreventiviRighe"), QStringLiteral("Id"),
                           QStringLiteral("Fattura_ID"), id);
            deleteOneByOne(db, QStringLiteral("FatturaContrattiRighe"), QStringLiteral("Id"),
                           QStringLiteral("Fattura_ID"), id);
            deleteOneByOne(db, QStringLiteral("FatturaOrdiniClientiRighe"), QStringLiteral("ID"),
                           QStringLiteral("Fattura_ID"), id);
            // Stock unloads invoiced by the rows can be invoiced again.
            db.exec(QStringLiteral("UPDATE fattdett INNER JOIN Movimenti ON fattdett.Scarico_ID = "
                                   "Movimenti.ID SET Movimenti.Fatturato = false where "
                                   "fattdett.NumFatt = ?"),
                    {id});
        } else {
            db.exec(QStringLiteral("delete * FROM finanzia where Fattura_ID = ?"), {id});
        }
        deleteOneByOne(db, QStringLiteral("Fattura_Allegati"), QStringLiteral("id"),
                       QStringLiteral("Fattura_Id"), id);
        deleteOneByOne(db, QStringLiteral("FatturaScadenze"), QStringLiteral("Id"),
                       QStringLiteral("Fattura_ID"), id);
        DocumentRows::removeWhere(db, kind, t.parent + QStringLiteral(" = ?"), {id});
        if (!t.creditNote)
            db.exec(
                QStringLiteral("UPDATE ContrattiRighe SET ContrattiRighe.Fatturato = false, "
                               "ContrattiRighe.Fattura_ID = 0 where ContrattiRighe.Fattura_ID = ?"),
                {id});
        db.exec(QStringLiteral("delete * from fattura where Id = ?"), {id});
        tx.commit();
    });
}

bool DocumentDeletion::confirmAndRemove(db::Database& db, common::Interaction& ui,
                                        DocumentKind kind, qint64 id) {
    if (!ui.question(common::titles::warning, question(kind)))
        return false;
    remove(db, kind, id);
    return true;
}

QString DocumentDeletion::question(DocumentKind kind) {
    return isFattNota(kind) ? QStringLiteral("Sei sicuro di voler eliminare la nota di credito?")
                            : QStringLiteral("Sei sicuro di voler eliminare la fattura?");
}

} // namespace documents
