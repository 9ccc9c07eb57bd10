#include "accounting/ui/AccountingScreens.h"

#include "accounting/ChartOfAccounts.h"
#include "accounting/ui/AccountingPrintDialog.h"
#include "accounting/ui/CashBookPrintDialog.h"
#include "accounting/ui/CashBookScreens.h"
#include "accounting/ui/DueDateScreens.h"
#include "accounting/ui/VatSettlementScreens.h"
#include "ui/AppContext.h"
#include "ui/ListScreen.h"
#include "ui/Lookups.h"
#include "ui/ScreenRegistry.h"

#include <QPushButton>

namespace accounting::ui {

using ::ui::CardField;
using ::ui::FieldKind;

::ui::ScreenDefinition classesDefinition() {
    ::ui::ScreenDefinition d;
    d.table = QStringLiteral("ContabilitaClassi");
    d.key = QStringLiteral("Id");
    d.objectName = QStringLiteral("frmGrigliaContabilitaClassi");
    d.listTitle = QStringLiteral("Classi");
    d.cardTitle = QStringLiteral("Classi");
    d.orderBy = QStringLiteral("Descrizione");
    d.columns = {{"Descrizione", 320, "Descrizione"}};
    d.searches = {{"Descrizione", "Descrizione"}};
    d.fields = {{.field = "Descrizione", .label = "Descrizione"}};
    d.deleteQuestion = QStringLiteral("Sei sicuro di voler eliminare la Classe ?");
    d.validate = [](const QVariantMap& v) { return ChartOfAccounts::validateClass(v); };
    d.beforeDelete = [](db::Database& db, qint64 key) {
        ChartOfAccounts::removeBelowClass(db, key);
    };
    return d;
}

::ui::ScreenDefinition groupingsDefinition() {
    // The same list as the grouping search, with its card.
    ::ui::ScreenDefinition d = ::ui::lookups::groupingSearch();
    d.objectName = QStringLiteral("frmGrigliaContabilitaRaggruppamenti");
    d.listTitle = QStringLiteral("Raggruppamenti");
    d.cardTitle = QStringLiteral("Raggruppamenti");
    d.fields = {
        {.field = "Descrizione", .label = "Descrizione"},
        {.field = "Classe_ID",
         .label = "Classe",
         .kind = FieldKind::Lookup,
         .lookup = {
             QStringLiteral("select Id, Descrizione from ContabilitaClassi order by Descrizione"),
             QStringLiteral("Id"), QStringLiteral("Descrizione"), QString()}}};
    d.deleteQuestion = QStringLiteral("Sei sicuro di voler eliminare il Raggruppamento ?");
    d.validate = [](const QVariantMap& v) { return ChartOfAccounts::validateGrouping(v); };
    d.beforeDelete = [](db::Database& db, qint64 key) {
        ChartOfAccounts::removeBelowGrouping(db, key);
    };
    return d;
}

::ui::ScreenDefinition accountsDefinition() {
    ::ui::ScreenDefinition d;
    d.table = QStringLiteral("ContabilitaConti");
    d.objectName = QStringLiteral("frmGrigliaContabilitaConti");
    d.listTitle = QStringLiteral("Conti");
    d.cardTitle = QStringLiteral("Conti");
    d.select = QStringLiteral("SELECT * FROM (") + ChartOfAccounts::accountSearchSelect() +
               QStringLiteral(") AS Conti");
    d.orderBy = QStringLiteral("Classe, Raggruppamento, Conto");
    d.columns = {{"Conto", 240, "Conto"},
                 {"Raggruppamento", 200, "Raggruppamento"},
                 {"Classe", 200, "Classe"}};
    d.searches = {{"Classe", "Classe"}, {"Raggruppamento", "Raggruppamento"}, {"Conto", "Conto"}};
    d.fields = {
        {.field = "Descrizione", .label = "Descrizione"},
        {.field = "Raggruppamento_ID",
         .label = "Raggruppamento",
         .kind = FieldKind::Lookup,
         .lookup =
             {QStringLiteral(
                  "select Id, Descrizione from ContabilitaRaggruppamenti order by Descrizione"),
              QStringLiteral("Id"), QStringLiteral("Descrizione"), QString()},
         .search = ::ui::lookups::groupingSearch}};
    d.deleteQuestion = QStringLiteral("Sei sicuro di voler eliminare il Conto ?");
    d.validate = [](const QVariantMap& v) { return ChartOfAccounts::validateAccount(v); };
    return d;
}

namespace {

// The accounts, with the lists of classes and groupings a button away.
class AccountsList : public ::ui::ListScreen {
public:
    AccountsList(::ui::AppContext& context, QWidget* parent)
        : ::ui::ListScreen(context, accountsDefinition(), parent) {
        auto* classes = addButton(QStringLiteral("Classi"), QStringLiteral("btnClassi"));
        auto* groupings =
            addButton(QStringLiteral("Raggruppamenti"), QStringLiteral("btnRaggruppamenti"));
        connect(classes, &QPushButton::clicked, this, [this] {
            ::ui::ListScreen list(this->context(), classesDefinition(), this);
            list.exec();
            refresh();
        });
        connect(groupings, &QPushButton::clicked, this, [this] {
            ::ui::ListScreen list(this->context(), groupingsDefinition(), this);
            list.exec();
            refresh();
        });
    }
};

void addDueDates(::ui::ScreenRegistry& registry, const QString& button, DueDateMode mode) {
    registry.add(button, [mode](QWidget* parent, ::ui::AppContext& c) {
        DueDateList list(c, mode, parent);
        list.exec();
    });
}

} // namespace

void registerAccountingScreens(::ui::ScreenRegistry& registry) {
    registry.add(QStringLiteral("btnAttivitaPrimaNota"), [](QWidget* parent, ::ui::AppContext& c) {
        CashBookList list(c, parent);
        list.exec();
    });
    // The card of one movement, opened from a document or an instalment.
    registry.add(QStringLiteral("movimentoPrimaNota"), [](QWidget* parent, ::ui::AppContext& c) {
        if (c.recordKey == 0)
            return;
        CashBookCard card(c, cashBookDefinition(c), c.recordKey, false, parent);
        card.exec();
    });
    registry.add(QStringLiteral("btnStoricoPrimaNota"), [](QWidget* parent, ::ui::AppContext& c) {
        CashBookList list(c, parent);
        list.exec();
    });
    registry.add(QStringLiteral("btnAttivitaChiusuraIva"),
                 [](QWidget* parent, ::ui::AppContext& c) {
                     VatSettlementList list(c, Frequency::Quarterly, parent);
                     list.exec();
                 });
    registry.add(QStringLiteral("btnStampePrimaNota"), [](QWidget* parent, ::ui::AppContext& c) {
        CashBookPrintDialog dialog(c, parent);
        dialog.exec();
    });
    registry.add(QStringLiteral("btnStampeContabilita"), [](QWidget* parent, ::ui::AppContext& c) {
        AccountingPrintDialog dialog(c, parent);
        dialog.exec();
    });
    registry.add(QStringLiteral("btnContabilitaConti"), [](QWidget* parent, ::ui::AppContext& c) {
        AccountsList list(c, parent);
        list.exec();
    });
    addDueDates(registry, QStringLiteral("btnScadenziarioScadenzeClienti"),
                DueDateMode::CustomersOpen);
    addDueDates(registry, QStringLiteral("btnScadenziarioScadenzeFornitori"),
                DueDateMode::SuppliersOpen);
    addDueDates(registry, QStringLiteral("btnScadenziarioPagamentiClienti"),
                DueDateMode::CustomersPaid);
    addDueDates(registry, QStringLiteral("btnScadenziarioPagamentiFornitori"),
                DueDateMode::SuppliersPaid);
}

} // namespace accounting::ui
