#pragma once

#include "common/Interaction.h"
#include "db/Database.h"
#include "documents/DocumentKind.h"

namespace documents {

// "Elimina" of the invoice and credit-note lists: the document with
// everything hanging on it, in one transaction.
class DocumentDeletion {
public:
    // Invoice: receipts, quotes and contract rows it invoiced become
    // invoiceable again; its cash-book movements, links, attachments,
    // instalments and rows (stock of "N" rows back) go; then the header.
    // Credit note: cash-book movements, instalments, attachments, rows
    // (stock of "N" rows out again), header.
    static void remove(db::Database& db, DocumentKind kind, qint64 id);

    // Asks the list's question first; true when the document was deleted.
    static bool confirmAndRemove(db::Database& db, common::Interaction& ui, DocumentKind kind,
                                 qint64 id);
    static QString question(DocumentKind kind);
};

} // namespace documents
