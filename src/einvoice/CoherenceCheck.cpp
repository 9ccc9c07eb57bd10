#include "einvoice/CoherenceCheck.h"

#include "common/Money.h"
#include "einvoice/ValueFormat.h"

#include <algorithm>
#include <cmath>

namespace einvoice {

namespace {

// Equal but for the last digits of the floating-point form: 3 × 0.1 is 0.3.
bool same(double a, double b) {
    return std::fabs(a - b) <= 1e-9 * std::max(1.0, std::max(std::fabs(a), std::fabs(b)));
}

} // namespace

QString CoherenceCheck::question() {
    return QStringLiteral("Messaggio di errore vuoi proseguire lo stesso ?");
}

QString CoherenceCheck::report(const ExportSource& source) {
    QString report;
    double taxableSum = 0;
    double vatSum = 0;
    for (const db::Row& r : source.rows) {
        const double quantity = r.number(QStringLiteral("Um"));
        const double price = r.number(QStringLiteral("ValoreUnitario"));
        const double discount = r.number(QStringLiteral("Sconto"));
        double taxable = 0;
        if (quantity != 0 && price != 0) {
            taxable = quantity * price;
            if (discount > 0)
                taxable = taxable * (1 - discount / 100);
        }
        const double vat = taxable * 0.01 * r.number(QStringLiteral("AliquotaIva"));
        const double stored = r.number(QStringLiteral("TotaleImponibile"));
        if (!same(taxable, stored))
            report += QStringLiteral("La riga numero:") +
                      QString::number(r.integer(QStringLiteral("NumeroRiga"))) +
                      QStringLiteral(" ha un imponibile di : ") +
                      QString::number(static_cast<qint64>(std::nearbyint(stored))) +
                      QStringLiteral(" diverso da quello calcolato: ") + localeNumber(taxable) +
                      u'\n';
        taxableSum += taxable;
        vatSum += vat;
    }
    taxableSum = common::round2(taxableSum);
    vatSum = common::round2(vatSum);

    const db::Row& h = source.header;
    const double totTaxable = h.number(QStringLiteral("TotImponibile"));
    const double totVat = h.number(QStringLiteral("TotImposta"));
    const double total = h.number(QStringLiteral("TotFattura"));
    // The stored total is net of the withholding tax.
    const double computedTotal = taxableSum + vatSum +
                                 h.number(QStringLiteral("ImportoMarcaBollo")) -
                                 h.number(QStringLiteral("RitenutaAcconto"));
    if (!same(totTaxable, taxableSum))
        report += QStringLiteral("Il totale imponibile della fattura: ha un imponibile di : ") +
                  localeNumber(totTaxable) + QStringLiteral(" diverso da quello calcolato: ") +
                  localeNumber(taxableSum) + u'\n';
    if (!same(totVat, vatSum))
        report += QStringLiteral("Il totale imposta della fattura: ha un valore di : ") +
                  localeNumber(totVat) + QStringLiteral(" diverso da quello calcolato: ") +
                  localeNumber(vatSum) + u'\n';
    if (!same(total, computedTotal))
        report += QStringLiteral("Il totale della fattura: ha un valore di : ") +
                  localeNumber(total) + QStringLiteral(" diverso da quello calcolato: ") +
                  localeNumber(computedTotal) + u'\n';
    return report;
}

} // namespace einvoice
