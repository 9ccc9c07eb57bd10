#include "purchases/ui/OrderList.h"

#include "common/Interaction.h"
#include "common/Titles.h"
#include "purchases/SupplierOrders.h"
#include "purchases/ui/OrderEditor.h"
#include "ui/AppContext.h"
#include "ui/DataGrid.h"
#include "ui/Guarded.h"

#include <QPushButton>

namespace purchases::ui {

namespace {

::ui::ScreenDefinition listDefinition(const ::ui::AppContext& context) {
    ::ui::ScreenDefinition d;
    d.table = QStringLiteral("OrdiniTestata");
    d.key = QStringLiteral("ID");
    d.objectName = QStringLiteral("frmGrigliaOrdiniFornitori");
    d.listTitle = QStringLiteral("Ordini Fornitori");
    d.columns = {{"Numero", 80, "Numero"},
                 {"Data", 100, "Data"},
                 {"Fornitore", 320, "Fornitore"},
                 {"TotaleOrdine", 120, "Totale Ordine"}};
    d.searches = {{"Fornitore", "Fornitore"}};
    d.orderBy = QStringLiteral("OrdiniTestata.Data, OrdiniTestata.Numero");
    d.filter = context.history ? QStringLiteral("OrdiniTestata.Storico = true")
                               : QStringLiteral("OrdiniTestata.Storico = false");
    return d;
}

} // namespace

OrderList::OrderList(::ui::AppContext& context, QWidget* parent)
    : ::ui::ListScreen(context, listDefinition(context), ReadLater{}, parent) {
    resize(820, 560);
    disconnect(deleteButton(), &QPushButton::clicked, this, nullptr);
    connect(deleteButton(), &QPushButton::clicked, this, &OrderList::removeOrder);
    refresh();
}

qint64 OrderList::insertRow() {
    return SupplierOrders::create(*context().db, context().history);
}

void OrderList::openCard(qint64 key, bool isNew) {
    {
        OrderEditor editor(context(), key, isNew, this);
        editor.exec();
    }
    refresh();
    grid()->selectKey(key);
}

void OrderList::removeOrder() {
    const qint64 key = currentKey();
    if (key == 0 ||
        !context().interaction->question(
            common::titles::warning, QStringLiteral("Sei sicuro di voler eliminare l' ordine?")))
        return;
    if (::ui::guarded(context(), [&] { SupplierOrders::remove(*context().db, key); }))
        refresh();
}

} // namespace purchases::ui
