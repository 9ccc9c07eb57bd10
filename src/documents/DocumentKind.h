#pragma once

namespace documents {

// The four kinds of document header kept in fattura.
enum class DocumentKind {
    CustomerInvoice,
    CustomerCreditNote,
    SupplierInvoice,
    SupplierCreditNote
};

inline bool isCarico(DocumentKind k) {
    return k == DocumentKind::SupplierInvoice || k == DocumentKind::SupplierCreditNote;
}
inline bool isFattNota(DocumentKind k) {
    return k == DocumentKind::CustomerCreditNote || k == DocumentKind::SupplierCreditNote;
}

} // namespace documents
