#include "app/HistoryRange.h"

#include "common/SqlText.h"
#include "common/TextForms.h"
#include "common/Titles.h"

namespace app {

namespace {

bool blank(const QString& text) {
    // A masked box with nothing typed still holds its separators.
    QString t = text;
    t.remove(u'/').remove(u'_');
    return t.trimmed().isEmpty();
}

} // namespace

std::optional<common::Failure> HistoryRange::read(const QString& fromText, const QString& toText,
                                                  bool sameYear, HistoryRange* range) {
    if (blank(fromText))
        return common::Failure{
            common::titles::warningUrgent,
            QStringLiteral("Attenzione E' necessario definire la data di inizio..."),
            QStringLiteral("maskDallaData")};
    if (blank(toText))
        return common::Failure{
            common::titles::warningUrgent,
            QStringLiteral("Attenzione E' necessario definire la data di fine..."),
            QStringLiteral("maskAllaData")};
    const QDate from = common::parseItalianDate(fromText.trimmed());
    if (!from.isValid())
        return common::Failure{common::titles::warningUrgent,
                               QStringLiteral("Attenzione la data di inizio non è valida..."),
                               QStringLiteral("maskDallaData")};
    const QDate to = common::parseItalianDate(toText.trimmed());
    if (!to.isValid())
        return common::Failure{common::titles::warningUrgent,
                               QStringLiteral("Attenzione la data di fine non è valida..."),
                               QStringLiteral("maskAllaData")};
    if (sameYear && from.year() != to.year())
        return common::Failure{common::titles::warningUrgent,
                               QStringLiteral("Attenzione E' necessario che la data di inizio e la "
                                              "data di fine abbiano lo stesso anno..."),
                               QStringLiteral("maskDallaData")};
    range->from = from;
    range->to = to;
    return std::nullopt;
}

QString HistoryRange::condition(const QString& column) const {
    return QStringLiteral("WHERE %1 >= #%2# AND %1 <= #%3#")
        .arg(column, common::jetDate(from), common::jetDateEndOfDay(to));
}

} // namespace app
