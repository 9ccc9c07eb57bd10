#include "cemetery/ui/ContractWidgets.h"

#include "db/DbError.h"
#include "ui/AppContext.h"

namespace cemetery::ui::contractwidgets {

QDate today() {
    return QDate::currentDate();
}

bool guarded(::ui::AppContext& context, const std::function<void()>& action) {
    try {
        action();
        return true;
    } catch (const db::DbError& e) {
        context.interaction->error(kError, e.message());
        return false;
    }
}

int typedYear(const QString& text) {
    bool ok = false;
    const int year = text.trimmed().toInt(&ok);
    return ok && year >= 1900 && year <= 2999 ? year : 0;
}

} // namespace cemetery::ui::contractwidgets
