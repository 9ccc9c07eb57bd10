#include "fatturapa/ui/ExportXmlAction.h"

#include "common/Interaction.h"
#include "ui/AppContext.h"

namespace fatturapa::ui {

bool exportXml(::ui::AppContext& context, qint64 documentId, QWidget* parent) {
    Q_UNUSED(documentId);
    Q_UNUSED(parent);
    context.interaction->information(QStringLiteral("Messaggio di avviso"),
                                     QStringLiteral("Funzione non ancora disponibile"));
    return false;
}

} // namespace fatturapa::ui
