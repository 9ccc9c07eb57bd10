#pragma once

#include "db/Database.h"
#include "purchases/SupplierTables.h"

#include <QList>
#include <QVariant>

namespace purchases {

// One row as the totals see it: a null quantity leaves it out.
struct SupplierTotalsRow {
    QVariant quantity;
    double unitPrice = 0;
    double discounts[4] = {0, 0, 0, 0};
    double vatRate = 0;
    // The row's stored net amount (TotaleImponibile), which a received file
    // states outright; the net is computed when it is null.
    QVariant net;
};

struct SupplierTotalsResult {
    double taxable = 0; // TotImponibile
    double vat = 0;     // TotImposta
    double total = 0;   // TotFattura
};

// Header totals of supplier invoices and credit notes: rows summed
// unrounded with their four cascading discounts, then the typed
// withholding taken off and the stamp added.
class SupplierTotals {
public:
    static SupplierTotalsResult compute(const QList<SupplierTotalsRow>& rows, double withholding,
                                        double stamp);
    // Reads the rows and the header, writes TotImponibile, TotImposta,
    // TotFattura. In the caller's transaction.
    static SupplierTotalsResult recompute(db::Database& db, qint64 documentId);

    static QList<SupplierTotalsRow> rowsOf(db::Database& db, const SupplierTables& tables,
                                           qint64 documentId);
};

} // namespace purchases
