#pragma once

#include <QtGlobal>

class QWidget;

namespace ui {
struct AppContext;
}

namespace einvoice::ui {

// "Esporta xml" of the invoice and credit-note editors: writes the
// electronic invoice of the saved document (invoice or credit note, told by
// its FattNota), asking the user through the context's Interaction. True
// when the file was written.
bool exportXml(::ui::AppContext& context, qint64 documentId, QWidget* parent);

} // namespace einvoice::ui
