#pragma once

#include "documents/DocumentKind.h"

#include <QString>

namespace purchases {

using documents::DocumentKind;

// Where a supplier document keeps its rows and how its instalments and
// cash-book movements are marked.
struct SupplierTables {
    DocumentKind kind;
    QString rows;           // Movimenti / NotaCreditoCaricoRighe
    QString key;            // ID / Id
    QString parent;         // Fattura_ID / NotaCredito_ID
    QString vatId;          // Iva_ID / Iva_Id
    QString instalmentType; // FatturaScadenze.Tipo: "C" / "B"
    QString cashType;       // finanzia.Tipo of the registration: "3" / "4"
    // Direction of stock for the quantity of an "N" row: invoices received
    // bring goods in (+1), credit notes received send them back (-1).
    int stockSign = 1;
    bool creditNote = false;

    static const SupplierTables& of(DocumentKind kind);
    static const SupplierTables& of(bool creditNote);
};

} // namespace purchases
