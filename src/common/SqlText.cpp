#include "common/SqlText.h"

#include "common/TextForms.h"

namespace common {

QString SqlQuote(const QString& text) {
    QString quoted = text;
    quoted.replace(QLatin1Char('\''), QLatin1String("''"));
    return quoted;
}

QString JetDate(const QString& shortDate) {
    return JetDate(ParseItalianDate(shortDate));
}

QString JetDate(const QDate& date) {
    if (!date.isValid()) {
        return {};
    }
    return QStringLiteral("%1/%2/%3").arg(date.month()).arg(date.day()).arg(date.year());
}

QString JetDateEndOfDay(const QDate& date) {
    const QString day = JetDate(date);
    return day.isEmpty() ? day : day + QStringLiteral(" 23.59.59");
}

} // namespace common
