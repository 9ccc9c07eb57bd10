#include "common/SqlText.h"

#include "common/TextForms.h"

namespace common {

QString sqlQuote(const QString& text) {
    QString quoted = text;
    quoted.replace(QLatin1Char('\''), QLatin1String("''"));
    return quoted;
}

QString jetDate(const QString& shortDate) {
    return jetDate(parseItalianDate(shortDate));
}

QString jetDate(const QDate& date) {
    if (!date.isValid()) {
        return {};
    }
    return QStringLiteral("%1/%2/%3").arg(date.month()).arg(date.day()).arg(date.year());
}

QString jetDateEndOfDay(const QDate& date) {
    const QString day = jetDate(date);
    return day.isEmpty() ? day : day + QStringLiteral(" 23.59.59");
}

} // namespace common
