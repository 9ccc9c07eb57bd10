#include "cemetery/ui/ContractWidgets.h"


namespace cemetery::ui::contractwidgets {

QDate today() {
    return QDate::currentDate();
}

int typedYear(const QString& text) {
    bool ok = false;
    const int year = text.trimmed().toInt(&ok);
    return ok && year >= 1900 && year <= 2999 ? year : 0;
}

} // namespace cemetery::ui::contractwidgets
