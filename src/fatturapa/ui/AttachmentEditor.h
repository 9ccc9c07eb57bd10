#pragma once

#include <QtGlobal>

class QWidget;

namespace ui {
struct AppContext;
}

namespace fatturapa::ui {

// The attachment editor ("Allegati") of the invoice and credit-note editors.
// attachmentId 0 adds a Fattura_Allegati row for documentId (removed again
// when the user gives up); otherwise edits that row. True when saved.
bool editAttachment(::ui::AppContext& context, qint64 documentId, qint64 attachmentId,
                    QWidget* parent);

} // namespace fatturapa::ui
