#include "purchases/SupplierDeletion.h"

#include "documents/DocumentLog.h"
#include "purchases/SupplierRows.h"

namespace purchases {

QString SupplierDeletion::question(DocumentKind kind) {
    return kind == DocumentKind::SupplierCreditNote
               ? QStringLiteral("Sei sicuro di voler eliminare la nota di credito?")
               : QStringLiteral("Sei sicuro di voler eliminare la fattura?");
}

void SupplierDeletion::remove(db::Database& db, DocumentKind kind, qint64 documentId) {
    db::withRetry(db, [&] {
        db::Transaction tx(db);
        // Held first; gone already when another workstation deleted it.
        if (!db.lockRow(QStringLiteral("fattura"), documentId)) {
            tx.commit();
            return;
        }
        documents::DocumentLog::recordInvoice(db, documents::DocumentLog::Event::Deleted,
                                              documentId);
        db.exec(QStringLiteral("delete * FROM finanzia where Fattura_ID = ?"), {documentId});
        db.exec(QStringLiteral("delete * FROM FatturaScadenze where Fattura_ID = ?"), {documentId});
        SupplierRows::removeAll(db, kind, documentId);
        db.exec(QStringLiteral("delete * FROM Fattura_Allegati where Fattura_Id = ?"),
                {documentId});
        db.exec(QStringLiteral("delete * FROM fattura where Id = ?"), {documentId});
        tx.commit();
    });
}

} // namespace purchases
