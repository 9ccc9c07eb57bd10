#include "ui/CardFields.h"

namespace ui {

CardField pageField(const QString& column, const QString& label, const QString& page, bool sameRow,
                    int width) {
    CardField f;
    f.field = column;
    f.label = label;
    f.page = page;
    f.sameRow = sameRow;
    f.width = width;
    return f;
}

CardField pageLookup(const QString& column, const QString& label, const QString& page,
                     const Lookup& source, bool sameRow) {
    CardField f = pageField(column, label, page, sameRow);
    f.kind = FieldKind::Lookup;
    f.lookup = source;
    return f;
}

} // namespace ui
