#include "einvoice/ValueFormat.h"

#include "common/Money.h"

#include <cmath>

namespace einvoice {

QString xmlAmount2(double amount) {
    const double rounded = common::round2(amount);
    return QString::number(rounded == 0 ? 0.0 : rounded, 'f', 2);
}

double round8(double value) {
    // Through 15 significant digits first, so that 0.1 + 0.2 is 0.3.
    const double significant = QString::number(value, 'g', 15).toDouble();
    return std::round(significant * 1e8) / 1e8;
}

QString xmlAmount8(double amount) {
    const double rounded = round8(amount);
    QString text = QString::number(rounded == 0 ? 0.0 : rounded, 'f', 8);
    while (text.endsWith(u'0') && text.indexOf(u'.') < text.size() - 3)
        text.chop(1);
    return text;
}

QString xmlRate(double rate) {
    return xmlAmount2(rate);
}

bool fitsTwoDecimals(double percent) {
    return std::fabs(common::round2(percent) - percent) < 1e-9;
}

QString xmlCounter(qint64 value) {
    return QString::number(value).left(4);
}

QString xmlDate(const QDate& date) {
    return date.toString(QStringLiteral("yyyy-MM-dd"));
}

QString localeNumber(double value) {
    QString text = QString::number(value, 'g', 15);
    text.replace(u'.', u',');
    return text;
}

} // namespace einvoice
