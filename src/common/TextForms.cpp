#include "common/TextForms.h"

#include "common/Money.h"

#include <QLocale>
#include <QRegularExpression>
#include <cmath>

namespace common {

QString amountText(double amount) {
    if (amount == 0) {
        return QStringLiteral("0.00");
    }
    QString text = QString::number(amount, 'f', QLocale::FloatingPointShortest);
    const qsizetype point = text.indexOf(QLatin1Char('.'));
    if (point < 0) {
        text += QStringLiteral(".00");
    } else if (point == text.size() - 2) {
        text += QLatin1Char('0');
    }
    return text;
}

QString postcodeText(const QString& text) {
    return text.size() >= 5 ? text : text.rightJustified(5, QLatin1Char('0'));
}

QString numberText(int value, int maxLength) {
    const QString text = QString::number(value);
    return maxLength > 0 ? text.left(maxLength) : text;
}

QString plainText(const QString& text) {
    QString plain;
    plain.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t code = text.at(i).unicode();
        if (code == 1) {
            if (i + 1 < text.size() &&
                (text.at(i + 1) == QLatin1Char('4') || text.at(i + 1) == QLatin1Char('b'))) {
                ++i;
            }
            continue;
        }
        if ((code >= 31 && code <= 127) || code == 13 || code == 10) {
            plain += text.at(i);
        }
    }
    return plain;
}

QString euroText(double amount) {
    if (!std::isfinite(amount)) {
        return {};
    }
    // round2 works through a 32-bit integer; larger amounts round here.
    const double rounded =
        std::fabs(amount) < 21474836.0 ? round2(amount) : std::round(amount * 100) / 100;
    QString digits = QString::number(std::fabs(rounded), 'f', 2);
    const qsizetype comma = digits.size() - 3;
    digits[comma] = QLatin1Char(',');
    for (qsizetype i = comma - 3; i > 0; i -= 3) {
        digits.insert(i, QLatin1Char('.'));
    }
    const bool negative = rounded < 0 && digits != QLatin1String("0,00");
    return negative ? QLatin1Char('-') + digits : digits;
}

bool parseItalianAmount(const QString& text, double* amount) {
    static const QRegularExpression shape(QStringLiteral("^([+-]?)([0-9.]*)(?:,([0-9]*))?$"));
    static const QRegularExpression grouped(QStringLiteral("^[0-9]{1,3}(\\.[0-9]{3})+$"));
    static const QRegularExpression decimalPoint(QStringLiteral("^([0-9]*)\\.([0-9]{1,2})$"));

    const QRegularExpressionMatch match = shape.match(text.trimmed());
    if (!match.hasMatch()) {
        return false;
    }
    const QString sign = match.captured(1);
    QString whole = match.captured(2);
    QString fraction = match.captured(3);
    const bool hasComma = match.capturedStart(3) >= 0;

    if (whole.contains(QLatin1Char('.'))) {
        const QRegularExpressionMatch point = decimalPoint.match(whole);
        if (!hasComma && point.hasMatch()) {
            fraction = point.captured(2);
            whole = point.captured(1);
        } else if (grouped.match(whole).hasMatch()) {
            whole.remove(QLatin1Char('.'));
        } else {
            return false;
        }
    }
    if (whole.isEmpty() && fraction.isEmpty()) {
        return false;
    }
    bool ok = false;
    const double value = QString(sign + (whole.isEmpty() ? QStringLiteral("0") : whole) +
                                 QLatin1Char('.') + fraction + QLatin1Char('0'))
                             .toDouble(&ok);
    if (!ok) {
        return false;
    }
    if (amount) {
        *amount = value;
    }
    return true;
}

QString italianDate(const QDate& date) {
    return date.isValid() ? date.toString(QStringLiteral("dd/MM/yyyy")) : QString();
}

QDate parseItalianDate(const QString& text) {
    // Day, month and year apart: "7/12/2026", "07.12.26", "7-12-2026".
    static const QRegularExpression separated(
        QStringLiteral("^([0-9]{1,2})[/.\\- ]([0-9]{1,2})[/.\\- ]([0-9]{2}|[0-9]{4})$"));
    static const QRegularExpression digitsOnly(QStringLiteral("^[0-9]{6,8}$"));

    const auto make = [](int day, int month, int year, bool shortYear) {
        if (shortYear)
            year += year <= 50 ? 2000 : 1900;
        const QDate date(year, month, day);
        return date.isValid() ? date : QDate();
    };
    const QString trimmed = text.trimmed();
    const QRegularExpressionMatch match = separated.match(trimmed);
    if (match.hasMatch())
        return make(match.captured(1).toInt(), match.captured(2).toInt(), match.captured(3).toInt(),
                    match.captured(3).size() == 2);
    if (!digitsOnly.match(trimmed).hasMatch())
        return {};
    // Digits alone, as typed on a keypad: ddMMyyyy, ddMMyy, and with seven
    // digits a one-digit day (dMMyyyy) before a one-digit month (ddMyyyy).
    const auto part = [&trimmed](int from, int length) {
        return trimmed.mid(from, length).toInt();
    };
    switch (trimmed.size()) {
    case 8:
        return make(part(0, 2), part(2, 2), part(4, 4), false);
    case 6:
        return make(part(0, 2), part(2, 2), part(4, 2), true);
    default: {
        const QDate oneDigitDay = make(part(0, 1), part(1, 2), part(3, 4), false);
        return oneDigitDay.isValid() ? oneDigitDay
                                     : make(part(0, 2), part(2, 1), part(3, 4), false);
    }
    }
}

} // namespace common
