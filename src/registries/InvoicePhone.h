#pragma once

#include <QString>

namespace registries {

// A phone or fax number as electronic invoices may carry it: digits, "+"
// and blanks (dropped when the number is longer than 12 characters with
// them), between 5 and 12 characters. Empty when the number cannot be said
// so; the text of the warning the company card shows for it.
class InvoicePhone {
public:
    static QString fitted(const QString& typed);
    static QString warning(const QString& label, const QString& typed);
};

} // namespace registries
