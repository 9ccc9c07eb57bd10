#pragma once

#include "db/Database.h"

#include <QDate>
#include <QMap>
#include <tuple>

// An independent reckoning of the settlement and the registers: every row
// of the archive read one by one and summed in long double, the rules
// written out again from their definition.
namespace reference {

// Cents, half away from zero, after dropping what is below a millionth.
double cents(long double x);

struct Figures {
    // (kind 0 purchases / 1 sales / 2 takings, VAT code) → unrounded sums
    QMap<std::pair<int, qint64>, std::pair<long double, long double>> byCode;
};

struct Archive {
    explicit Archive(db::Database& db);

    Figures settlement(const QDate& from, const QDate& to) const;
    // (quarter, document, code, account) → taxable, VAT, both signed.
    QMap<std::tuple<int, qint64, qint64, qint64>, std::pair<long double, long double>>
    registerLines(bool purchases, const QDate& from, const QDate& to) const;

    struct Header {
        bool supplier = false, credit = false, split = false;
        QDate date, registered;
    };
    struct Line {
        qint64 document = 0, code = 0, account = 0;
        long double net = 0, rate = 0;
        bool stockUnload = false;
    };
    QHash<qint64, Header> headers;
    QList<Line> supplierInvoiceRows, supplierCreditRows, customerInvoiceRows, customerCreditRows;
    struct Takings {
        QDate date;
        qint64 code = 0;
        double gross = 0, rate = 0;
        bool hasCode = false;
    };
    QList<Takings> takings;
    QHash<qint64, QString> natures;
};

} // namespace reference
