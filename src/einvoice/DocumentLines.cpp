#include "einvoice/DocumentLines.h"

#include "common/Money.h"
#include "einvoice/ValueFormat.h"

#include <algorithm>

namespace einvoice {

double DocumentLines::withholding(const ExportSource& source) {
    const db::Row& h = source.header;
    return h.boolean(QStringLiteral("RitAccontoAziende"))
               ? common::round2(h.number(QStringLiteral("RitenutaAcconto")))
               : 0.0;
}

double DocumentLines::stampCharged(const ExportSource& source) {
    return common::round2(source.header.number(QStringLiteral("ImportoMarcaBollo")));
}

double DocumentLines::documentTotal(const ExportSource& source) {
    double total = 0;
    for (const SummaryGroup& g : summaries(source))
        total += g.taxable + g.tax;
    return common::round2(total);
}

std::vector<LineValues> DocumentLines::lines(const ExportSource& source) {
    std::vector<LineValues> out;
    out.reserve(source.rows.size());
    // The withholding is computed on the whole taxable amount: every row is
    // subject to it.
    const bool withheld = withholding(source) > 0;
    for (const db::Row& r : source.rows) {
        LineValues l;
        l.withholding = withheld;
        l.number = r.integer(QStringLiteral("NumeroRiga"));
        l.code = r.text(QStringLiteral("Codice"));
        l.description = r.text(QStringLiteral("Descrizione"));
        l.hasQuantity = !r.isNull(QStringLiteral("Um"));
        l.quantity = round8(r.number(QStringLiteral("Um")));
        l.periodStart = r.date(QStringLiteral("DataInizioPeriodo"));
        l.periodEnd = r.date(QStringLiteral("DataFinePeriodo"));
        l.unitPrice = round8(r.number(QStringLiteral("ValoreUnitario")));
        l.discount = r.number(QStringLiteral("Sconto"));
        l.discountAsPercent = fitsTwoDecimals(l.discount);
        if (l.discountAsPercent)
            l.discount = common::round2(l.discount);
        // A returned item (negative quantity): the schema's quantity has no
        // sign, so the sign goes to the price.
        if (l.quantity < 0) {
            l.quantity = -l.quantity;
            l.unitPrice = -l.unitPrice;
        }
        l.discountAmount = round8(l.unitPrice * l.discount / 100);
        l.total = round8(r.number(QStringLiteral("TotaleImponibile")));
        l.rate = r.number(QStringLiteral("AliquotaIva"));
        if (l.rate == 0 && !r.isNull(QStringLiteral("Iva_ID")))
            l.nature = source.natureByVatCode.value(r.integer(QStringLiteral("Iva_ID")));
        l.administrationReference = r.text(QStringLiteral("RiferimentoAmministrazione"));
        out.push_back(l);
    }
    // The stamp duty charged to the customer is a line of its own, outside
    // the scope of VAT (art. 15).
    const double stamp = stampCharged(source);
    if (stamp > 0) {
        LineValues l;
        for (const LineValues& o : out)
            l.number = std::max(l.number, o.number);
        l.number += 1;
        l.description = QStringLiteral("Imposta di bollo");
        l.unitPrice = stamp;
        l.total = stamp;
        l.nature = QStringLiteral("N1");
        out.push_back(l);
    }
    return out;
}

std::vector<SummaryGroup> DocumentLines::summaries(const ExportSource& source) {
    // The groups: distinct (rate, VAT code) of the rows whose VAT code
    // exists, by rate; a non-zero rate is one group under its first code.
    struct Key {
        double rate;
        qint64 vatCode;
    };
    std::vector<Key> keys;
    for (const db::Row& r : source.rows) {
        const qint64 code = r.integer(QStringLiteral("Iva_ID"));
        if (r.isNull(QStringLiteral("Iva_ID")) || !source.natureByVatCode.contains(code))
            continue;
        const double rate = r.number(QStringLiteral("AliquotaIva"));
        keys.push_back({rate, code});
    }
    std::sort(keys.begin(), keys.end(), [](const Key& a, const Key& b) {
        return a.rate != b.rate ? a.rate < b.rate : a.vatCode < b.vatCode;
    });
    keys.erase(std::unique(keys.begin(), keys.end(),
                           [](const Key& a, const Key& b) {
                               return a.rate == b.rate && (a.rate != 0 || a.vatCode == b.vatCode);
                           }),
               keys.end());

    std::vector<SummaryGroup> out;
    for (const Key& k : keys) {
        double taxable = 0;
        double tax = 0;
        for (const db::Row& r : source.rows) {
            const double rate = r.number(QStringLiteral("AliquotaIva"));
            if (rate != k.rate)
                continue;
            if (k.rate == 0 && (r.isNull(QStringLiteral("Iva_ID")) ||
                                r.integer(QStringLiteral("Iva_ID")) != k.vatCode))
                continue;
            const double amount = r.number(QStringLiteral("TotaleImponibile"));
            taxable += amount;
            tax += amount * 0.01 * rate;
        }
        out.push_back({k.rate, source.natureByVatCode.value(k.vatCode), common::round2(taxable),
                       common::round2(tax)});
    }
    if (const double stamp = stampCharged(source); stamp > 0) {
        auto group = std::find_if(out.begin(), out.end(), [](const SummaryGroup& g) {
            return g.rate == 0 && g.nature == u"N1";
        });
        if (group != out.end())
            group->taxable = common::round2(group->taxable + stamp);
        else
            out.insert(std::find_if(out.begin(), out.end(),
                                    [](const SummaryGroup& g) { return g.rate != 0; }),
                       {0, QStringLiteral("N1"), common::round2(stamp), 0});
    }
    return out;
}

} // namespace einvoice
