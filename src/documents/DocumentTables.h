#pragma once

#include "documents/DocumentKind.h"

#include <QString>

namespace documents {

// Where a customer document keeps its rows and how its instalments, its
// cash-book movements and its stock moves are marked. Only the two customer
// kinds (invoice, credit note) have one.
struct DocumentTables {
    QString rows;           // fattdett / NotaCreditoRighe
    QString parent;         // NumFatt / NotaCredito_ID
    QString instalmentType; // FatturaScadenze.Tipo: "F" / "N"
    QString issueType;      // finanzia.Tipo of the issue movement: "1" / "2"
    // Direction of stock for the quantity of an "N" row: invoices take goods
    // out of stock (-1), credit notes put them back (+1).
    int stockSign = -1;
    bool creditNote = false;

    static const DocumentTables& of(DocumentKind kind);
};

// "N", "A", "T", "S" in either case.
inline bool isArticleRow(const QString& type) {
    return type.compare(QLatin1String("N"), Qt::CaseInsensitive) == 0;
}

} // namespace documents
