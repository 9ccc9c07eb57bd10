#include "purchases/SupplierTables.h"

namespace purchases {

const SupplierTables& SupplierTables::of(bool creditNote) {
    static const SupplierTables invoice{DocumentKind::SupplierInvoice,
                                        QStringLiteral("Movimenti"),
                                        QStringLiteral("ID"),
                                        QStringLiteral("Fattura_ID"),
                                        QStringLiteral("Iva_ID"),
                                        QStringLiteral("C"),
                                        QStringLiteral("3"),
                                        +1,
                                        false};
    static const SupplierTables note{DocumentKind::SupplierCreditNote,
                                     QStringLiteral("NotaCreditoCaricoRighe"),
                                     QStringLiteral("Id"),
                                     QStringLiteral("NotaCredito_ID"),
                                     QStringLiteral("Iva_Id"),
                                     QStringLiteral("B"),
                                     QStringLiteral("4"),
                                     -1,
                                     true};
    return creditNote ? note : invoice;
}

const SupplierTables& SupplierTables::of(DocumentKind kind) {
    return of(kind == DocumentKind::SupplierCreditNote);
}

} // namespace purchases
