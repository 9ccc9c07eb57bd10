#include "Reference.h"

#include "common/Money.h"

#include <cmath>

namespace reference {

double cents(long double x) {
    const long long micro = std::llround(x * 1000000.0L);
    return double(std::llround((long double)micro / 10000.0L)) / 100.0;
}

namespace {

long double rowVat(long double net, long double rate) {
    return rate >= 1 && net > 0 ? net * rate * 0.01L : 0;
}

// Net of a customer row: quantity × price, less the discount when positive.
long double customerNet(const db::Row& r) {
    const long double q = r.number(QStringLiteral("Um"));
    const long double p = r.number(QStringLiteral("ValoreUnitario"));
    const long double d = r.number(QStringLiteral("Sconto"));
    long double v = q * p;
    if (d > 0)
        v -= v * d / 100;
    return v;
}

} // namespace

Archive::Archive(db::Database& db) {
    for (const db::Row& r : db.query(QStringLiteral("select * from fattura")))
        headers.insert(r.integer(QStringLiteral("Id")),
                       {r.boolean(QStringLiteral("Carico")), r.boolean(QStringLiteral("FattNota")),
                        r.boolean(QStringLiteral("ScissionePagamenti")),
                        r.date(QStringLiteral("Data")),
                        r.date(QStringLiteral("DataRegistrazione"))});
    auto read = [&](const QString& table, const QString& parent, bool customer) {
        QList<Line> out;
        for (const db::Row& r : db.query(QStringLiteral("select * from ") + table))
            out.push_back(
                {r.integer(parent), r.integer(QStringLiteral("Iva_ID")),
                 r.integer(QStringLiteral("ContabilitaConti_ID")),
                 customer ? customerNet(r)
                          : (long double)r.number(QStringLiteral("TotaleImponibile")),
                 r.number(QStringLiteral("AliquotaIva")),
                 r.has(QStringLiteral("Scarico")) && r.boolean(QStringLiteral("Scarico"))});
        return out;
    };
    supplierInvoiceRows = read(QStringLiteral("Movimenti"), QStringLiteral("Fattura_ID"), false);
    supplierCreditRows =
        read(QStringLiteral("NotaCreditoCaricoRighe"), QStringLiteral("NotaCredito_ID"), false);
    customerInvoiceRows = read(QStringLiteral("fattdett"), QStringLiteral("NumFatt"), true);
    customerCreditRows =
        read(QStringLiteral("NotaCreditoRighe"), QStringLiteral("NotaCredito_ID"), true);
    for (const db::Row& r : db.query(QStringLiteral("select * from finanzia")))
        if (r.boolean(QStringLiteral("Corrispettivi")))
            takings.push_back(
                {r.date(QStringLiteral("Data")), r.integer(QStringLiteral("Iva_Id")),
                 r.number(QStringLiteral("Entrata")) - r.number(QStringLiteral("Uscita")),
                 r.number(QStringLiteral("AliquotaIva")), !r.isNull(QStringLiteral("Iva_Id"))});
    for (const db::Row& r : db.query(QStringLiteral("select * from Iva")))
        natures.insert(r.integer(QStringLiteral("ID")), r.text(QStringLiteral("Pa_Natura_Codice")));
}

Figures Archive::settlement(const QDate& from, const QDate& to) const {
    Figures f;
    auto add = [&](int kind, const QList<Line>& rows, bool supplier, bool credit, int sign) {
        for (const Line& l : rows) {
            if (!headers.contains(l.document) || l.stockUnload)
                continue;
            const Header& h = headers[l.document];
            if (h.supplier != supplier || h.credit != credit || (!supplier && h.split))
                continue;
            const QDate d = supplier ? h.registered : h.date;
            if (d < from || d > to || !natures.contains(l.code))
                continue;
            auto& s = f.byCode[{kind, l.code}];
            s.first += sign * l.net;
            s.second += sign * rowVat(l.net, l.rate);
        }
    };
    add(0, supplierInvoiceRows, true, false, 1);
    add(0, supplierCreditRows, true, true, -1);
    add(1, customerInvoiceRows, false, false, 1);
    add(1, customerCreditRows, false, true, -1);
    for (const Takings& t : takings) {
        if (!t.hasCode || t.date < from || t.date > to || !natures.contains(t.code))
            continue;
        auto& s = f.byCode[{2, t.code}];
        if (t.rate != 0) {
            const double net = common::unitFromTotal(1, t.gross, t.rate);
            s.first += net;
            s.second += common::round2(net * t.rate * 0.01);
        } else {
            s.first += t.gross;
        }
    }
    return f;
}

QMap<std::tuple<int, qint64, qint64, qint64>, std::pair<long double, long double>>
Archive::registerLines(bool purchases, const QDate& from, const QDate& to) const {
    QMap<std::tuple<int, qint64, qint64, qint64>, std::pair<long double, long double>> out;
    auto add = [&](const QList<Line>& rows, bool credit) {
        for (const Line& l : rows) {
            if (!headers.contains(l.document) || l.stockUnload)
                continue;
            const Header& h = headers[l.document];
            if (h.supplier != purchases || h.credit != credit)
                continue;
            const QDate d = purchases ? h.registered : h.date;
            if (d < from || d > to)
                continue;
            auto& s = out[{(d.month() + 2) / 3, l.document, l.code, l.account}];
            const int sign = credit ? -1 : 1;
            s.first += sign * l.net;
            s.second += sign * rowVat(l.net, l.rate);
        }
    };
    add(purchases ? supplierInvoiceRows : customerInvoiceRows, false);
    add(purchases ? supplierCreditRows : customerCreditRows, true);
    return out;
}

} // namespace reference
