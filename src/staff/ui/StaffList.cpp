#include "staff/ui/StaffList.h"

#include "printing/ReportCodes.h"
#include "printing/ui/DocumentActions.h"
#include "registries/EmailAddresses.h"
#include "registries/ui/RegistryHelpers.h"
#include "staff/StaffRules.h"
#include "staff/ui/StaffScreens.h"
#include "ui/AppContext.h"
#include "ui/DataGrid.h"
#include "ui/Guarded.h"
#include "ui/HelpWindow.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace staff::ui {

StaffList::StaffList(::ui::AppContext& context, QWidget* parent)
    : ::ui::ListScreen(context, staffDefinition(), parent) {
    setObjectName(QStringLiteral("TfrmGrigliaPersonale"));
    grid()->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid()->setSelectionMode(QAbstractItemView::ExtendedSelection);
    auto* exporting = addButton(QStringLiteral("Esporta vCard"), QStringLiteral("btnEsportaVCard"));
    connect(exporting, &QPushButton::clicked, this, &StaffList::exportVCard);
    auto* importing = addButton(QStringLiteral("Importa vCard"), QStringLiteral("btnImportaVCard"));
    connect(importing, &QPushButton::clicked, this, &StaffList::importVCard);
    auto* email = addButton(QStringLiteral("Email"), QStringLiteral("btnEmail"));
    connect(email, &QPushButton::clicked, this, &StaffList::email);
    auto* printButton = addButton(QStringLiteral("Stampa"), QStringLiteral("btnStampa"));
    connect(printButton, &QPushButton::clicked, this, [this] {
        printing::ReportCall call;
        call.code = printing::reports::staffList;
        ::ui::guarded(this->context(),
                      [this, &call] { printing::ui::printReport(this->context(), call); });
    });
    auto* help = addButton(QStringLiteral("Aiuto"), QStringLiteral("spdAiuto"));
    connect(help, &QPushButton::clicked, this, [this] { ::ui::HelpWindow::showFor(this); });
    // "Aiuto" after "Indietro", as on every list.
    buttonRow()->removeWidget(help);
    buttonRow()->addWidget(help);
}

void StaffList::exportVCard() {
    registries::ui::exportVCardFile(context(), registries::ui::selectedKeys(grid()),
                                    &staff::exportVCards, QStringLiteral("personale.vcf"));
}

void StaffList::importVCard() {
    if (registries::ui::importVCardFile(context(), &staff::importVCards))
        refresh();
}

void StaffList::email() {
    ::ui::guarded(context(), [&] {
        printing::ui::emailAddresses(
            context(),
            registries::emailAddressesOf(*context().db, QStringLiteral("Personale"),
                                         QStringLiteral("Email"),
                                         registries::ui::selectedKeys(grid())),
            this);
    });
}

} // namespace staff::ui
