#include "einvoice/ui/ExportXmlAction.h"

#include "common/Interaction.h"
#include "einvoice/FatturaPaExport.h"
#include "ui/AppContext.h"

#include <QApplication>

namespace einvoice::ui {

namespace {

// The hourglass while the file is built; GuiInteraction shows the normal
// pointer for its questions and brings the hourglass back afterwards.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace

bool exportXml(::ui::AppContext& context, qint64 documentId, QWidget* parent) {
    Q_UNUSED(parent);
    WaitCursor wait;
    return FatturaPaExport::run(*context.db, *context.interaction, {documentId, QString()}).written;
}

} // namespace einvoice::ui
