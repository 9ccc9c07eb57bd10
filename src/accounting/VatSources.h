#pragma once

#include "accounting/VatPeriod.h"

#include <QHash>

namespace db {
class Database;
}

namespace accounting {

// Taxable amount and VAT of one VAT code, summed unrounded.
struct VatSum {
    double taxable = 0;
    double vat = 0;
    VatSum& operator+=(const VatSum& o) {
        taxable += o.taxable;
        vat += o.vat;
        return *this;
    }
    VatSum& operator-=(const VatSum& o) {
        taxable -= o.taxable;
        vat -= o.vat;
        return *this;
    }
};

using VatByCode = QHash<qint64, VatSum>; // Iva.ID → sums

// The VAT figures of a period, one aggregate statement per source. Purchases
// are taken on the registration date, sales and takings on the document or
// movement date. Only rows with a rate of at least 1 and a positive net add
// VAT; every row adds to the taxable sum.
struct VatSources {
    VatByCode purchases;       // supplier invoice rows (Movimenti)
    VatByCode supplierCredits; // supplier credit-note rows
    VatByCode sales;           // customer invoice rows, split payment left out
    VatByCode customerCredits; // customer credit-note rows, split payment left out
    VatByCode takings;         // cash-book takings, VAT split off each movement

    static VatSources read(db::Database& db, const Period& p);
};

// Rounds a sum of many unrounded amounts to the cent: the engine's last
// binary digits are dropped first, so the same figure rounds the same way
// whatever order the engine summed it in.
double roundSum(double sum);

// Net of a customer document row in SQL (quantity × price less the discount)
// for the row table given.
QString customerRowNetSql(const QString& table);
// VAT of a row in SQL from its net expression and rate column.
QString rowVatSql(const QString& net, const QString& rate);

// The conditions that pick each kind of fattura document.
namespace kinds {
inline constexpr const char* supplierInvoice =
    "fattura.Carico = true and (fattura.FattNota = false or fattura.FattNota is null)";
inline constexpr const char* supplierCredit = "fattura.Carico = true and fattura.FattNota = true";
inline constexpr const char* customerInvoice =
    "(fattura.Carico = false or fattura.Carico is null) and "
    "(fattura.FattNota = false or fattura.FattNota is null)";
inline constexpr const char* customerCredit =
    "(fattura.Carico = false or fattura.Carico is null) and fattura.FattNota = true";
inline constexpr const char* notSplitPayment =
    "(fattura.ScissionePagamenti = false or fattura.ScissionePagamenti is null)";
inline constexpr const char* stockRow = "(Movimenti.Scarico = false or Movimenti.Scarico is null)";
} // namespace kinds

} // namespace accounting
