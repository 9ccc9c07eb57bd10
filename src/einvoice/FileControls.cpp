#include "einvoice/FileControls.h"

#include "common/TextForms.h"
#include "registries/TaxCodes.h"

namespace einvoice {

namespace {

bool italian(const QString& country) {
    return country.isEmpty() || country.compare(u"IT", Qt::CaseInsensitive) == 0;
}

} // namespace

QStringList FileControls::problems(const ExportSource& s, const std::vector<LineValues>& lines,
                                   const std::vector<SummaryGroup>& summaries, const QDate& today) {
    using registries::TaxCodes;
    QStringList out;
    const db::Row& c = s.company;
    const QString country = c.text(QStringLiteral("IdPaese"));
    const QString vat = c.text(QStringLiteral("PIva"));
    if (const QString w = TaxCodes::vatNumberWarning(vat, country); !w.isEmpty())
        out << QStringLiteral("Errore 00301 - partita IVA della ditta \"%1\": %2.").arg(vat, w);
    const QString code = c.text(QStringLiteral("CodFisc"));
    if (const QString w = TaxCodes::taxCodeWarning(code); italian(country) && !w.isEmpty())
        out << QStringLiteral("Errore 00302 - codice fiscale della ditta \"%1\": %2.").arg(code, w);

    const QDate date = s.header.date(QStringLiteral("Data"));
    if (date.isValid() && date > today)
        out << QStringLiteral("Errore 00403 - la data del documento (%1) è successiva a oggi: il "
                              "Sistema di Interscambio la confronta con quella di ricezione.")
                   .arg(common::italianDate(date));

    if (s.customer && !italian(country) && !italian(s.customer->text(QStringLiteral("IdPaese"))))
        out << QStringLiteral("Errore 00476 - la ditta e il cliente non possono essere entrambi "
                              "esteri.");

    // Every nature of the rows has its summary and every summary its rows.
    QStringList rowNatures;
    QStringList summaryNatures;
    for (const LineValues& l : lines)
        if (l.rate == 0 && !rowNatures.contains(l.nature))
            rowNatures << l.nature;
    for (const SummaryGroup& g : summaries)
        if (g.rate == 0 && !summaryNatures.contains(g.nature))
            summaryNatures << g.nature;
    for (const QString& n : rowNatures)
        if (!n.isEmpty() && !summaryNatures.contains(n))
            out << QStringLiteral("Errore 00444 - la natura %1 delle righe non compare nel "
                                  "riepilogo.")
                       .arg(n);
    for (const QString& n : summaryNatures)
        if (!n.isEmpty() && !rowNatures.contains(n))
            out << QStringLiteral("Errore 00444 - la natura %1 del riepilogo non compare nelle "
                                  "righe.")
                       .arg(n);
    return out;
}

} // namespace einvoice
