#include "documents/ui/ComputedFields.h"

#include "db/RegistryRecord.h"
#include "ui/FieldBinder.h"

namespace documents::ui {

void showComputedFields(::ui::FieldBinder& fields, QVariantMap& header, const QVariantMap& stored,
                        const QStringList& columns) {
    for (const QString& c : columns) {
        const QVariant v = db::recordValue(stored, c);
        header[c] = v;
        if (fields.editor(c))
            fields.showValue(c, v);
    }
}

} // namespace documents::ui
