#include "fatturapa/ui/AttachmentEditor.h"

#include "common/Interaction.h"
#include "ui/AppContext.h"

namespace fatturapa::ui {

bool editAttachment(::ui::AppContext& context, qint64 documentId, qint64 attachmentId,
                    QWidget* parent) {
    Q_UNUSED(documentId);
    Q_UNUSED(attachmentId);
    Q_UNUSED(parent);
    context.interaction->information(QStringLiteral("Messaggio di avviso"),
                                     QStringLiteral("Funzione non ancora disponibile"));
    return false;
}

} // namespace fatturapa::ui
