#pragma once

namespace documents {

// The four kinds of document header kept in fattura, then the customer
// documents with a table of their own: delivery notes (Ddt), quotes
// (PreventiTestata), customer orders (OrdiniClientiTestata) and receipts
// (TotaliCo).
enum class DocumentKind {
    CustomerInvoice,
    CustomerCreditNote,
    SupplierInvoice,
    SupplierCreditNote,
    Ddt,
    Quote,
    CustomerOrder,
    Receipt
};

inline bool isCarico(DocumentKind k) {
    return k == DocumentKind::SupplierInvoice || k == DocumentKind::SupplierCreditNote;
}
inline bool isFattNota(DocumentKind k) {
    return k == DocumentKind::CustomerCreditNote || k == DocumentKind::SupplierCreditNote;
}

// The kinds kept in fattura; the others have their own header table.
inline bool isInvoiceTable(DocumentKind k) {
    return k == DocumentKind::CustomerInvoice || k == DocumentKind::CustomerCreditNote ||
           k == DocumentKind::SupplierInvoice || k == DocumentKind::SupplierCreditNote;
}

} // namespace documents
