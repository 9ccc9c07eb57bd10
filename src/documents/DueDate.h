#pragma once

#include <QDate>

namespace documents {

// Due date of one instalment: the document date plus the instalment's days,
// optionally moved to the end of the month (before or after adding the
// days) and optionally counting the days as months of 30 days.
QDate dueDate(const QDate& documentDate, int days, bool endOfMonth, bool endOfMonthFirst,
              bool commercialYear);

} // namespace documents
