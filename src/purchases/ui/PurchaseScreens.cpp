#include "purchases/ui/PurchaseScreens.h"

#include "purchases/ui/OrderList.h"
#include "purchases/ui/ReceivedImportWindow.h"
#include "purchases/ui/SupplierList.h"
#include "ui/AppContext.h"
#include "ui/ScreenRegistry.h"

namespace purchases::ui {

namespace {

void openList(QWidget* parent, ::ui::AppContext& context, DocumentKind kind, bool history) {
    ::ui::AppContext own = context;
    own.history = history;
    SupplierList list(own, kind, parent);
    list.exec();
}

} // namespace

void registerPurchaseScreens(::ui::ScreenRegistry& registry) {
    registry.add(QStringLiteral("btnFattureFornitori"), [](QWidget* parent, ::ui::AppContext& c) {
        openList(parent, c, DocumentKind::SupplierInvoice, false);
    });
    registry.add(QStringLiteral("btnNoteCreditoFornitori"),
                 [](QWidget* parent, ::ui::AppContext& c) {
                     openList(parent, c, DocumentKind::SupplierCreditNote, false);
                 });
    registry.add(QStringLiteral("btnOrdiniFornitori"), [](QWidget* parent, ::ui::AppContext& c) {
        OrderList list(c, parent);
        list.exec();
    });
    registry.add(QStringLiteral("btnImportaFatturaXml"), [](QWidget* parent, ::ui::AppContext& c) {
        ReceivedImportWindow window(c, parent);
        window.exec();
    });
    registry.add(QStringLiteral("btnStoricoFattureFornitori"),
                 [](QWidget* parent, ::ui::AppContext& c) {
                     openList(parent, c, DocumentKind::SupplierInvoice, true);
                 });
    registry.add(QStringLiteral("btnStoricoNoteCreditoFornitori"),
                 [](QWidget* parent, ::ui::AppContext& c) {
                     openList(parent, c, DocumentKind::SupplierCreditNote, true);
                 });
}

} // namespace purchases::ui
