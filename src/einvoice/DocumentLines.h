#pragma once

#include "einvoice/ExportSource.h"

#include <QDate>
#include <QString>
#include <vector>

namespace einvoice {

// One DettaglioLinee as it is written: prices, quantity and totals already
// rounded to the eight decimals the schema allows.
struct LineValues {
    qint64 number = 0;
    QString code;
    QString description;
    bool hasQuantity = false;
    double quantity = 0;
    QDate periodStart;
    QDate periodEnd;
    double unitPrice = 0;
    double discount = 0;            // percent; a discount is written when > 0
    bool discountAsPercent = false; // said in two decimals: written as Percentuale
    double discountAmount = 0;      // the discount on one unit, to eight decimals
    double total = 0;
    double rate = 0;
    bool withholding = false; // subject to the document's withholding tax
    QString nature;           // written when the rate is 0
    QString administrationReference;
};

// One DatiRiepilogo: rate 0 groups are kept apart by VAT code, any other
// rate gives one group whatever VAT codes share it, so each row counts once.
struct SummaryGroup {
    double rate = 0;
    QString nature;
    double taxable = 0; // rounded to cents
    double tax = 0;     // rounded to cents
};

// The rows of the document as written, a charged stamp duty as a line of
// its own, and their summaries.
class DocumentLines {
public:
    static std::vector<LineValues> lines(const ExportSource& source);
    static std::vector<SummaryGroup> summaries(const ExportSource& source);
    // The withholding tax declared on the document; 0 without one.
    static double withholding(const ExportSource& source);
    // The stamp duty the customer is charged with; 0 without one.
    static double stampCharged(const ExportSource& source);
    // ImportoTotaleDocumento: the sum of the summaries, taxable and tax,
    // the stamp's line among them.
    static double documentTotal(const ExportSource& source);
};

} // namespace einvoice
