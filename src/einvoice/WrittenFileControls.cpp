#include "einvoice/WrittenFileControls.h"

#include "common/TextForms.h"
#include "einvoice/XmlTree.h"

#include <QDate>
#include <QSet>
#include <algorithm>
#include <cmath>
#include <vector>

namespace einvoice {

namespace {

using Node = XmlTree::Node;

double cents(double value) {
    return std::round(value * 100) / 100;
}

bool differs(double a, double b, double tolerance) {
    return std::fabs(a - b) > tolerance + 1e-9;
}

QString rateText(double rate) {
    return common::euroText(rate) + u'%';
}

QString amountText(double amount) {
    return common::euroText(amount);
}

// Codes without a sub-code, refused for documents from 2021.
bool genericNature(const QString& nature) {
    return nature == u"N2" || nature == u"N3" || nature == u"N6";
}

bool notPercent(double rate) {
    return rate > 0 && rate < 1;
}

// A rate and nature met in the rows or in the social-security fund data.
struct Rated {
    double rate = 0;
    QString nature;
    double taxable = 0; // PrezzoTotale or ImportoContributoCassa
};

bool sameGroup(double rate, const QString& nature, double otherRate, const QString& otherNature) {
    return rate == otherRate && (rate != 0 || nature == otherNature);
}

class BodyControls {
public:
    BodyControls(const XmlTree& x, Node body, QStringList& out) : x(x), body(body), out(out) {}

    void run() {
        const QString general = QStringLiteral("DatiGenerali/DatiGeneraliDocumento/");
        date = QDate::fromString(x.text(body, general + QStringLiteral("Data")), Qt::ISODate);
        withholdingDeclared = x.has(body, general + QStringLiteral("DatiRitenuta"));

        const QString number = x.text(body, general + QStringLiteral("Numero"));
        if (std::none_of(number.begin(), number.end(), [](QChar c) { return c.isDigit(); }))
            out << QStringLiteral("Errore 00425 - il numero del documento \"%1\" non contiene "
                                  "cifre.")
                       .arg(number);
        for (const QString& linked : x.texts(body, QStringLiteral("DatiGenerali/"
                                                                  "DatiFattureCollegate/Data"))) {
            const QDate d = QDate::fromString(linked, Qt::ISODate);
            if (date.isValid() && d.isValid() && date < d)
                out << QStringLiteral("Errore 00418 - la data del documento (%1) è precedente a "
                                      "quella della fattura collegata (%2).")
                           .arg(common::italianDate(date), common::italianDate(d));
        }
        for (Node sm : x.nodes(body, general + QStringLiteral("ScontoMaggiorazione")))
            if (!x.has(sm, QStringLiteral("Percentuale")) && !x.has(sm, QStringLiteral("Importo")))
                out << QStringLiteral("Errore 00437 - sconto o maggiorazione del documento "
                                      "senza percentuale né importo.");

        for (Node line : x.nodes(body, QStringLiteral("DatiBeniServizi/DettaglioLinee")))
            row(line);
        for (Node fund : x.nodes(body, general + QStringLiteral("DatiCassaPrevidenziale")))
            socialSecurity(fund);
        summaries();
    }

private:
    double number(Node n, const char* path) const {
        return x.text(n, QLatin1String(path)).toDouble();
    }

    void natureOf(const QString& where, double rate, const QString& nature, const char* missing,
                  const char* present) {
        if (rate == 0 && nature.isEmpty())
            out << QStringLiteral("Errore %1 - %2: aliquota IVA zero senza natura.")
                       .arg(QLatin1String(missing), where);
        if (rate != 0 && !nature.isEmpty())
            out << QStringLiteral("Errore %1 - %2: natura %3 con aliquota IVA %4 diversa da zero.")
                       .arg(QLatin1String(present), where, nature, rateText(rate));
        if (notPercent(rate))
            out << QStringLiteral("Errore 00424 - %1: l'aliquota IVA %2 non è indicata in "
                                  "termini percentuali.")
                       .arg(where, rateText(rate));
        if (genericNature(nature) && date >= QDate(2021, 1, 1))
            out << QStringLiteral("Errore 00445 - %1: la natura %2 non è più ammessa.")
                       .arg(where, nature);
    }

    // A row or the fund: its rate and nature, its withholding flag, and its
    // taxable amount kept for the summaries.
    void taxed(Node n, const QString& where, double taxable, const char* noNature,
               const char* natureCode, const char* withholdingCode) {
        const double rate = number(n, "AliquotaIVA");
        const QString nature = x.text(n, QStringLiteral("Natura"));
        natureOf(where, rate, nature, noNature, natureCode);
        if (x.text(n, QStringLiteral("Ritenuta")) == u"SI" && !withholdingDeclared)
            out << QStringLiteral("Errore %1 - %2: soggetta a ritenuta, ma il documento non ha i "
                                  "dati della ritenuta.")
                       .arg(QLatin1String(withholdingCode), where);
        rated.push_back({rate, nature, taxable});
    }

    void row(Node line) {
        const QString where =
            QStringLiteral("riga %1").arg(x.text(line, QStringLiteral("NumeroLinea")));
        // The price as the exchange system reads it: each discount or
        // surcharge in turn, by its percentage when there is one.
        double price = number(line, "PrezzoUnitario");
        for (Node sm : x.nodes(line, QStringLiteral("ScontoMaggiorazione"))) {
            const double sign = x.text(sm, QStringLiteral("Tipo")) == u"SC" ? -1 : 1;
            if (x.has(sm, QStringLiteral("Percentuale")))
                price *= 1 + sign * number(sm, "Percentuale") / 100;
            else if (x.has(sm, QStringLiteral("Importo")))
                price += sign * number(sm, "Importo");
            else
                out << QStringLiteral("Errore 00438 - %1: sconto o maggiorazione senza "
                                      "percentuale né importo.")
                           .arg(where);
        }
        const double quantity =
            x.has(line, QStringLiteral("Quantita")) ? number(line, "Quantita") : 1;
        const double total = number(line, "PrezzoTotale");
        if (differs(total, price * quantity, 0.01))
            out << QStringLiteral("Errore 00423 - %1: il prezzo totale %2 non è il prezzo "
                                  "unitario scontato per la quantità (%3).")
                       .arg(where, amountText(total), amountText(price * quantity));
        taxed(line, where, total, "00400", "00401", "00411");
    }

    void socialSecurity(Node fund) {
        taxed(fund, QStringLiteral("cassa previdenziale"), number(fund, "ImportoContributoCassa"),
              "00413", "00414", "00415");
    }

    void summaries() {
        struct Summary {
            double rate;
            QString nature;
            double taxable;
            double rounding;
        };
        std::vector<Summary> all;
        for (Node s : x.nodes(body, QStringLiteral("DatiBeniServizi/DatiRiepilogo"))) {
            const double rate = number(s, "AliquotaIVA");
            const QString nature = x.text(s, QStringLiteral("Natura"));
            const QString where = QStringLiteral("riepilogo aliquota %1").arg(rateText(rate));
            natureOf(where, rate, nature, "00429", "00430");
            if (nature.startsWith(u"N6") && x.text(s, QStringLiteral("EsigibilitaIVA")) == u"S")
                out << QStringLiteral("Errore 00420 - %1: la natura %2 (inversione contabile) non "
                                      "è ammessa con la scissione dei pagamenti.")
                           .arg(where, nature);
            const double taxable = number(s, "ImponibileImporto");
            const double tax = number(s, "Imposta");
            if (differs(tax, cents(rate * taxable / 100), 0.01))
                out << QStringLiteral("Errore 00421 - %1: l'imposta %2 non è l'aliquota per "
                                      "l'imponibile (%3).")
                           .arg(where, amountText(tax), amountText(cents(rate * taxable / 100)));
            all.push_back({rate, nature, taxable, number(s, "Arrotondamento")});
        }

        QSet<QString> said;
        auto once = [&](const QString& key) {
            const bool first = !said.contains(key);
            said.insert(key);
            return first;
        };
        for (const Rated& r : rated) {
            bool summarised = false;
            for (const Summary& s : all)
                summarised = summarised || s.rate == r.rate;
            if (!summarised && once(QStringLiteral("00419 %1").arg(r.rate)))
                out << QStringLiteral("Errore 00419 - l'aliquota IVA %1 delle righe non ha il suo "
                                      "riepilogo.")
                           .arg(rateText(r.rate));
            bool natureSummarised = r.nature.isEmpty();
            for (const Summary& s : all)
                natureSummarised = natureSummarised || s.nature == r.nature;
            if (!natureSummarised && once(QStringLiteral("00444 ") + r.nature))
                out << QStringLiteral("Errore 00444 - la natura %1 delle righe non compare nel "
                                      "riepilogo.")
                           .arg(r.nature);
        }
        for (const Summary& s : all) {
            bool used = false;
            bool natureUsed = s.nature.isEmpty();
            for (const Rated& r : rated) {
                used = used || r.rate == s.rate;
                natureUsed = natureUsed || r.nature == s.nature;
            }
            if (!used && once(QStringLiteral("00443 %1").arg(s.rate)))
                out << QStringLiteral("Errore 00443 - l'aliquota IVA %1 del riepilogo non compare "
                                      "nelle righe.")
                           .arg(rateText(s.rate));
            if (!natureUsed && once(QStringLiteral("00444 ") + s.nature))
                out << QStringLiteral("Errore 00444 - la natura %1 del riepilogo non compare "
                                      "nelle righe.")
                           .arg(s.nature);
        }

        // Taxable per rate (and nature, at rate zero): the rows, the fund
        // and the declared rounding against what the summaries say.
        for (std::size_t i = 0; i < all.size(); ++i) {
            bool first = true;
            for (std::size_t j = 0; j < i; ++j)
                first = first && !sameGroup(all[j].rate, all[j].nature, all[i].rate, all[i].nature);
            if (!first)
                continue;
            double declared = 0;
            double expected = 0;
            for (const Summary& s : all)
                if (sameGroup(s.rate, s.nature, all[i].rate, all[i].nature)) {
                    declared += s.taxable;
                    expected += s.rounding;
                }
            for (const Rated& r : rated)
                if (sameGroup(r.rate, r.nature, all[i].rate, all[i].nature))
                    expected += r.taxable;
            if (differs(declared, expected, 1.0))
                out << QStringLiteral("Errore 00422 - riepilogo aliquota %1: l'imponibile %2 non è "
                                      "la somma dei prezzi totali delle righe (%3).")
                           .arg(rateText(all[i].rate), amountText(declared), amountText(expected));
        }
    }

    const XmlTree& x;
    Node body;
    QStringList& out;
    QDate date;
    bool withholdingDeclared = false;
    std::vector<Rated> rated;
};

void header(const XmlTree& x, QStringList& out) {
    const Node root = x.root();
    const QString transmission = QStringLiteral("FatturaElettronicaHeader/DatiTrasmissione/");
    const QString format = x.text(root, transmission + QStringLiteral("FormatoTrasmissione"));
    const QString version = XmlTree::attribute(root, "versione");
    if (format != version)
        out << QStringLiteral("Errore 00428 - il formato di trasmissione %1 non è quello della "
                              "versione del file (%2).")
                   .arg(format, version);
    const QString code = x.text(root, transmission + QStringLiteral("CodiceDestinatario"));
    if ((format == u"FPA12" && code.size() != 6) || (format == u"FPR12" && code.size() != 7))
        out << QStringLiteral("Errore 00427 - il codice destinatario \"%1\" non va bene per il "
                              "formato %2.")
                   .arg(code, format);

    const QString customer = QStringLiteral("FatturaElettronicaHeader/CessionarioCommittente/"
                                            "DatiAnagrafici/");
    if (!x.has(root, customer + QStringLiteral("IdFiscaleIVA")) &&
        !x.has(root, customer + QStringLiteral("CodiceFiscale")))
        out << QStringLiteral("Errore 00417 - il cliente non ha né partita IVA né codice "
                              "fiscale.");
    const QString sellerCountry =
        x.text(root, QStringLiteral("FatturaElettronicaHeader/CedentePrestatore/DatiAnagrafici/"
                                    "IdFiscaleIVA/IdPaese"));
    const QString customerCountry = x.text(root, customer + QStringLiteral("IdFiscaleIVA/IdPaese"));
    if (!sellerCountry.isEmpty() && sellerCountry != u"IT" && !customerCountry.isEmpty() &&
        customerCountry != u"IT")
        out << QStringLiteral("Errore 00476 - la ditta e il cliente non possono essere entrambi "
                              "esteri.");
}

QString codeOf(const QString& problem) {
    return problem.startsWith(u"Errore ") ? problem.mid(7, 5) : QString();
}

} // namespace

QStringList WrittenFileControls::problems(const QByteArray& xml) {
    const XmlTree x(xml);
    if (!x.parsed())
        return {QStringLiteral("Errore 00200 - il file scritto non è un XML leggibile.")};
    QStringList out;
    header(x, out);
    for (Node body : x.nodes(x.root(), QStringLiteral("FatturaElettronicaBody")))
        BodyControls(x, body, out).run();
    return out;
}

QString WrittenFileControls::sizeProblem(const QByteArray& xml) {
    if (xml.size() <= maxBytes)
        return {};
    return QStringLiteral("Errore 00003 - il file occupa %1 MB: il Sistema di Interscambio ne "
                          "accetta al massimo 5; ridurre gli allegati.")
        .arg(common::euroText(double(xml.size()) / (1024 * 1024)));
}

QStringList WrittenFileControls::notYetSaid(const QStringList& said, const QStringList& found) {
    QSet<QString> codes;
    for (const QString& p : said)
        codes.insert(codeOf(p));
    QStringList out;
    for (const QString& p : found)
        if (!codes.contains(codeOf(p)))
            out << p;
    return out;
}

} // namespace einvoice
