#include "documents/DocumentTables.h"

#include "db/DbError.h"

namespace documents {

const DocumentTables& DocumentTables::of(DocumentKind kind) {
    static const DocumentTables invoice{QStringLiteral("fattdett"),
                                        QStringLiteral("NumFatt"),
                                        QStringLiteral("F"),
                                        QStringLiteral("1"),
                                        -1,
                                        false};
    static const DocumentTables creditNote{QStringLiteral("NotaCreditoRighe"),
                                           QStringLiteral("NotaCredito_ID"),
                                           QStringLiteral("N"),
                                           QStringLiteral("2"),
                                           +1,
                                           true};
    switch (kind) {
    case DocumentKind::CustomerInvoice:
        return invoice;
    case DocumentKind::CustomerCreditNote:
        return creditNote;
    default:
        throw db::DbError(QStringLiteral("Documento di acquisto non gestito qui"));
    }
}

} // namespace documents
