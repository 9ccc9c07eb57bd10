#include "documents/DueDate.h"

namespace documents {

namespace {

QDate lastOfMonth(const QDate& d) {
    return QDate(d.year(), d.month(), d.daysInMonth());
}

} // namespace

QDate dueDate(const QDate& documentDate, int days, bool endOfMonth, bool endOfMonthFirst,
              bool commercialYear) {
    if (!documentDate.isValid())
        return QDate();
    QDate d = documentDate;
    if (!commercialYear) {
        if (!endOfMonth)
            return d.addDays(days);
        if (endOfMonthFirst)
            return lastOfMonth(d).addDays(days);
        return lastOfMonth(d.addDays(days));
    }
    // Whole months keep the day of the month (clamped to the month's length).
    const int months = days / 30;
    const int rest = days % 30;
    if (months != 0)
        d = d.addMonths(months);
    if (endOfMonth && endOfMonthFirst) {
        d = lastOfMonth(d);
        return rest != 0 ? d.addDays(rest) : d;
    }
    if (rest != 0)
        d = d.addDays(rest);
    return endOfMonth ? lastOfMonth(d) : d;
}

} // namespace documents
