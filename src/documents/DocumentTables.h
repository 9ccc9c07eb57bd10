#pragma once

#include "documents/DocumentKind.h"
#include "documents/DocumentTotals.h"

#include <QString>

namespace documents {

// Where a customer document keeps its header and rows, how its rows are
// keyed, how its totals are computed and how its instalments, cash-book
// movements and stock moves are marked. Every customer kind has one; the
// supplier kinds do not.
struct DocumentTables {
    QString rows;           // fattdett / NotaCreditoRighe / DDTRighe / …
    QString parent;         // NumFatt / NotaCredito_ID / DDT_ID / …
    QString instalmentType; // FatturaScadenze.Tipo: "F" / "N"; empty without instalments
    QString issueType;      // finanzia.Tipo of the issue movement: "1" / "2"; empty for none
    // Direction of stock for the quantity of an "N" row: invoices and the
    // documents that hand goods over take them out of stock (-1), credit
    // notes put them back (+1).
    int stockSign = -1;
    bool creditNote = false;
    QString header = QStringLiteral("fattura"); // header table
    QString rowKey = QStringLiteral("IDX");     // key column of the rows table
    TotalsFamily totals = TotalsFamily::Invoice;
    // Quotes and orders promise goods without handing them over: their rows
    // leave the stock alone.
    bool movesStock = true;

    static const DocumentTables& of(DocumentKind kind);
};

// "N", "A", "T", "S" in either case.
inline bool isArticleRow(const QString& type) {
    return type.compare(QLatin1String("N"), Qt::CaseInsensitive) == 0;
}

} // namespace documents
