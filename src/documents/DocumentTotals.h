#pragma once

#include "db/Database.h"
#include "documents/DocumentOptions.h"

#include <QList>
#include <QString>
#include <QVariant>

namespace documents {

// The documents whose totals are computed the same way, with their
// differences (withholding, stamp, total formula).
enum class TotalsFamily { Invoice, CreditNote, Ddt, Quote, CustomerOrder, Receipt };

// The withholding tax rate, percent of the taxable amount.
inline constexpr double kWithholdingRate = 20;

// The inputs of one row: quantity (Um, null leaves the row out), unit price,
// discount and VAT rate.
struct TotalsRow {
    QVariant quantity;
    double unitPrice = 0;
    double discount = 0;
    double vatRate = 0;
};

// What the header receives.
struct Totals {
    double taxable = 0;     // TotImponibile
    double vat = 0;         // TotImposta
    double withholding = 0; // RitenutaAcconto
    double stamp = 0;       // ImportoMarcaBollo
    bool stampVirtual = false;
    bool stampVirtualSet = false; // MarcaBolloVirtuale is written
    double total = 0;             // TotFattura / TotDDT / TotalePreventivo / TotaleOrdine
    double quantity = 0;          // DDT only: sum of the rows' Um
};

// Header totals of every customer document: rows summed unrounded, VAT row
// by row, then withholding and stamp duty by the company options.
class DocumentTotals {
public:
    struct Member {
        QString header;
        QString rows;
        QString parent;
        QString totalColumn;
        bool withholding = false;  // 20% of the taxable amount when asked
        bool stampVirtual = false; // the stamp also sets MarcaBolloVirtuale
        bool ddtQuantity = false;  // Quantita = sum of Um + " PZ"
    };
    static const Member& member(TotalsFamily family);

    // The reference computation. withholdingAsked is the header's
    // RitAccontoAziende; typedStamp and typedVirtual what the header holds
    // (kept when the stamp option is off).
    static Totals compute(const QList<TotalsRow>& rows, TotalsFamily family,
                          const DocumentOptions& options, bool withholdingAsked, double typedStamp,
                          bool typedVirtual);

    // Reads the rows and the header, computes and writes the header.
    static Totals recompute(db::Database& db, TotalsFamily family, qint64 headerId);
    static Totals recompute(db::Database& db, TotalsFamily family, qint64 headerId,
                            const DocumentOptions& options);

    // The sums a credit note takes right after its rows were imported from
    // an invoice: plain sums over the imported rows, no withholding, no stamp.
    static Totals computeImported(const QList<TotalsRow>& rows);
    // Writes them (TotImponibile, TotImposta, TotFattura) on the note.
    static Totals applyImported(db::Database& db, qint64 creditNoteId,
                                const QList<TotalsRow>& rows);

    // The DDT's Quantita text for a quantity sum.
    static QString quantityText(double quantity);
};

} // namespace documents
