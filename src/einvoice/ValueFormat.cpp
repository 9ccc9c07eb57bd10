#include "einvoice/ValueFormat.h"

#include <QLocale>
#include <cmath>

namespace einvoice {

namespace {

// The general number form: fixed-point with up to 15 significant digits
// when the magnitude allows it, else mantissa and exponent ("1.5E+16").
QString generalNumber(double value) {
    const double magnitude = std::fabs(value);
    if (magnitude >= 0.00001 && magnitude < 1e15) {
        const double significant = QString::number(value, 'g', 15).toDouble();
        return QString::number(significant, 'f', QLocale::FloatingPointShortest);
    }
    QString text = QString::number(value, 'E', 14);
    const qsizetype e = text.indexOf(u'E');
    QString mantissa = text.left(e);
    QString exponent = text.mid(e + 1);
    while (mantissa.endsWith(u'0'))
        mantissa.chop(1);
    if (mantissa.endsWith(u'.'))
        mantissa.chop(1);
    const QChar sign = exponent.at(0);
    exponent = exponent.mid(1);
    while (exponent.size() > 2 && exponent.startsWith(u'0'))
        exponent.remove(0, 1);
    return mantissa + u'E' + sign + exponent;
}

} // namespace

QString xmlAmount(double amount, int maxLength) {
    if (amount == 0)
        return QStringLiteral("0.00");
    QString text = generalNumber(amount);
    const qsizetype point = text.indexOf(u'.');
    if (point < 0)
        text += QStringLiteral(".00");
    else if (point == text.size() - 2)
        text += u'0';
    text = text.left(maxLength);
    if (text.endsWith(u'.'))
        text.chop(1);
    return text;
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
