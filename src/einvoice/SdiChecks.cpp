#include "einvoice/SdiChecks.h"

#include "common/TextForms.h"

#include <cmath>

namespace einvoice {

namespace {

// Half away from zero to cents, without the 32-bit limit of round2.
double cents(double value) {
    return std::round(value * 100) / 100;
}

bool differs(double a, double b, double tolerance) {
    return std::fabs(a - b) > tolerance + 1e-9;
}

bool genericNature(const QString& nature) {
    return nature == u"N2" || nature == u"N3" || nature == u"N6";
}

QString rateText(double rate) {
    return common::euroText(rate) + u'%';
}

} // namespace

QString SdiChecks::title() {
    return QStringLiteral("Controlli del Sistema di Interscambio");
}

QString SdiChecks::question(const QStringList& problems) {
    return QStringLiteral("Il Sistema di Interscambio scarterebbe la fattura:\n\n") +
           problems.join(u'\n') + QStringLiteral("\n\nVuoi proseguire lo stesso ?");
}

QStringList SdiChecks::problems(const std::vector<LineValues>& lines,
                                const std::vector<SummaryGroup>& summaries, const Header& header) {
    QStringList out;
    const qsizetype code = header.recipientCode.size();
    if ((header.format == u"FPA12" && code != 6) || (header.format == u"FPR12" && code != 7))
        out << QStringLiteral("Errore 00427 - il codice destinatario \"%1\" non va bene per il "
                              "formato %2: una pubblica amministrazione ha un codice ufficio di 6 "
                              "caratteri, gli altri clienti un codice sdi di 7.")
                   .arg(header.recipientCode, header.format);
    for (const LineValues& l : lines) {
        const QString row = QStringLiteral("riga %1").arg(l.number);
        // As the exchange system reads the row: the percentage when it is
        // written, else the amount.
        double unit = l.unitPrice;
        if (l.discount > 0)
            unit = l.discountAsPercent ? l.unitPrice * (1 - l.discount / 100)
                                       : l.unitPrice - l.discountAmount;
        const double expected = unit * (l.hasQuantity ? l.quantity : 1);
        if (differs(l.total, expected, 0.01))
            out << QStringLiteral("Errore 00423 - %1: il prezzo totale %2 non è il prezzo unitario "
                                  "scontato per la quantità (%3).")
                       .arg(row, common::euroText(l.total), common::euroText(expected));
        if (l.rate == 0 && l.nature.isEmpty())
            out << QStringLiteral("Errore 00400 - %1: aliquota IVA zero senza natura; indicare "
                                  "il codice natura nel codice IVA della riga.")
                       .arg(row);
        if (l.rate != 0 && !l.nature.isEmpty())
            out << QStringLiteral("Errore 00401 - %1: natura %2 con aliquota IVA %3 diversa "
                                  "da zero.")
                       .arg(row, l.nature, rateText(l.rate));
        if (genericNature(l.nature))
            out << QStringLiteral("Errore 00445 - %1: la natura %2 non è più ammessa; usare un "
                                  "codice con sottocodice (es. %2.1).")
                       .arg(row, l.nature);
        bool summarised = false;
        for (const SummaryGroup& s : summaries)
            summarised = summarised || s.rate == l.rate;
        if (!summarised)
            out << QStringLiteral("Errore 00419 - %1: l'aliquota IVA %2 non ha il suo "
                                  "riepilogo; la riga non ha un codice IVA valido.")
                       .arg(row, rateText(l.rate));
    }

    for (const SummaryGroup& s : summaries) {
        const QString group = QStringLiteral("riepilogo aliquota %1").arg(rateText(s.rate));
        const double tax = cents(s.rate * s.taxable / 100);
        if (differs(s.tax, tax, 0.01))
            out << QStringLiteral("Errore 00421 - %1: l'imposta %2 non è l'aliquota per "
                                  "l'imponibile (%3).")
                       .arg(group, common::euroText(s.tax), common::euroText(tax));
        if (s.rate == 0 && s.nature.isEmpty())
            out << QStringLiteral("Errore 00429 - %1: aliquota zero senza natura.").arg(group);
        if (s.rate != 0 && !s.nature.isEmpty())
            out << QStringLiteral("Errore 00430 - %1: natura %2 con aliquota diversa da zero; "
                                  "togliere la natura dal codice IVA.")
                       .arg(group, s.nature);
        if (genericNature(s.nature))
            out << QStringLiteral("Errore 00445 - %1: la natura %2 non è più ammessa.")
                       .arg(group, s.nature);
        if (header.splitPayment && s.nature.startsWith(u"N6"))
            out << QStringLiteral("Errore 00420 - %1: la natura %2 (inversione contabile) non è "
                                  "ammessa con la scissione dei pagamenti.")
                       .arg(group, s.nature);
    }

    // Taxable per rate and nature: the summaries against the row totals.
    std::vector<const SummaryGroup*> seen;
    for (const SummaryGroup& s : summaries) {
        bool done = false;
        for (const SummaryGroup* p : seen)
            done = done || (p->rate == s.rate && p->nature == s.nature);
        if (done)
            continue;
        seen.push_back(&s);
        double declared = 0;
        for (const SummaryGroup& o : summaries)
            if (o.rate == s.rate && o.nature == s.nature)
                declared += o.taxable;
        double rows = 0;
        for (const LineValues& l : lines)
            if (l.rate == s.rate && (s.rate != 0 || l.nature == s.nature))
                rows += l.total;
        if (differs(declared, rows, 1.0))
            out << QStringLiteral("Errore 00422 - riepilogo aliquota %1: l'imponibile %2 non è "
                                  "la somma dei prezzi totali delle righe (%3).")
                       .arg(rateText(s.rate), common::euroText(declared), common::euroText(rows));
    }
    return out;
}

} // namespace einvoice
