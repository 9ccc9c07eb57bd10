#pragma once

#include "printing/ReportCatalog.h"

#include <QDate>

namespace printing {

// One print of the due-dates menu: its report code, its caption and title,
// the instalments it keeps of the list's selection and what it groups by.
struct DueDatePrint {
    int code = 0;
    QString caption;   // menu entry
    QString title;     // printed under the report's title
    QString condition; // on the due-dates columns, empty for all
    QString groupBy;   // column the rows are grouped by, empty for none
};

// The prints of the open instalments of customers (13–20) or suppliers
// (36–42): the list as shown, then overdue, due within thirty days, due
// this month, and grouped by customer or supplier, payment method or bank
// (customers also overdue by customer). Dates are relative to today.
QList<DueDatePrint> dueDatePrints(bool suppliers, const QDate& today);

// Catalogue entries of the due-dates prints: open or paid instalments of
// customers or suppliers, with the list's selection (on the list's column
// names) and the variant's own condition and grouping. None for other
// codes.
std::optional<CatalogEntry> dueDatesEntry(const ReportCall& call, const QDate& today);

} // namespace printing
