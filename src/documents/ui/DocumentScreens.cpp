#include "documents/ui/DocumentScreens.h"

#include "documents/ui/DocumentLogList.h"
#include "documents/ui/InstalmentCard.h"
#include "documents/ui/InvoiceList.h"
#include "documents/ui/SeriesRegistry.h"
#include "ui/AppContext.h"
#include "ui/ScreenRegistry.h"

namespace documents::ui {

namespace {

void openList(QWidget* parent, ::ui::AppContext& context, DocumentKind kind, bool history) {
    // The history lists work on a copy of the context in history mode; the
    // main window sets the range before opening them.
    ::ui::AppContext own = context;
    own.history = history;
    if (!history) {
        own.historyFrom = QDate();
        own.historyTo = QDate();
    }
    InvoiceList list(own, kind, parent);
    list.exec();
}

} // namespace

void registerDocumentScreens(::ui::ScreenRegistry& registry) {
    registry.add(QStringLiteral("frmSerieFatturazione"), [](QWidget* parent, ::ui::AppContext& c) {
        SeriesRegistry window(c, parent);
        window.exec();
    });
    registry.add(QStringLiteral("btnFattureClienti"), [](QWidget* parent, ::ui::AppContext& c) {
        openList(parent, c, DocumentKind::CustomerInvoice, false);
    });
    registry.add(QStringLiteral("btnNoteCreditoClienti"), [](QWidget* parent, ::ui::AppContext& c) {
        openList(parent, c, DocumentKind::CustomerCreditNote, false);
    });
    registry.add(QStringLiteral("btnStoricoFattureClienti"),
                 [](QWidget* parent, ::ui::AppContext& c) {
                     openList(parent, c, DocumentKind::CustomerInvoice, true);
                 });
    registry.add(QStringLiteral("btnStoricoNoteCreditoClienti"),
                 [](QWidget* parent, ::ui::AppContext& c) {
                     openList(parent, c, DocumentKind::CustomerCreditNote, true);
                 });
    registry.add(QStringLiteral("btnUtilityRegistroDocumenti"),
                 [](QWidget* parent, ::ui::AppContext& c) {
                     DocumentLogList list(c, parent);
                     list.exec();
                 });
    // The reminder's double click on an overdue instalment.
    registry.add(QStringLiteral("scadenza"), [](QWidget* parent, ::ui::AppContext& c) {
        if (c.recordKey == 0)
            return;
        InstalmentCard card(c, c.recordKey, false, parent);
        card.exec();
    });
}

} // namespace documents::ui
