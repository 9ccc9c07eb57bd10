#include "cemetery/ui/ContractWidgets.h"

#include "common/Titles.h"
#include "ui/AppContext.h"
#include "ui/CardFields.h"

namespace cemetery::ui::contractwidgets {

using ::ui::CardField;
using ::ui::FieldKind;

QDate today() {
    return QDate::currentDate();
}

CardField field(const QString& column, const QString& label, bool sameRow, int width,
                FieldKind kind) {
    CardField f = ::ui::pageField(column, label, QString(), sameRow, width);
    f.kind = kind;
    return f;
}

::ui::Lookup customerLookup() {
    return {QStringLiteral("select ID, NominativoVisualizzato, Annullato from Clienti order by "
                           "NominativoVisualizzato"),
            QStringLiteral("ID"), QStringLiteral("NominativoVisualizzato"),
            QStringLiteral("Annullato")};
}

int typedYear(const QString& text) {
    bool ok = false;
    const int year = text.trimmed().toInt(&ok);
    return ok && year >= 1900 && year <= 2999 ? year : 0;
}

} // namespace cemetery::ui::contractwidgets
