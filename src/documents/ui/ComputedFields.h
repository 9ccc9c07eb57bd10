#pragma once

#include <QStringList>
#include <QVariantMap>

namespace ui {
class FieldBinder;
}

namespace documents::ui {

// The totals refresh of every document editor: the columns the rules
// computed are copied from the stored header into the one being edited
// and shown, leaving the user's pending edits of other fields alone.
// Columns the editor does not show are still copied.
void showComputedFields(::ui::FieldBinder& fields, QVariantMap& header, const QVariantMap& stored,
                        const QStringList& columns);

} // namespace documents::ui
