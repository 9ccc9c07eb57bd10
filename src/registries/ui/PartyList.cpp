#include "registries/ui/PartyList.h"

#include "printing/ui/DocumentActions.h"
#include "registries/EmailAddresses.h"
#include "registries/ui/RegistryHelpers.h"
#include "ui/AppContext.h"
#include "ui/DataGrid.h"

#include <QPushButton>

namespace registries::ui {

PartyList::PartyList(::ui::AppContext& context, const ::ui::ScreenDefinition& definition,
                     PartyKind kind, QWidget* parent)
    : ::ui::ListScreen(context, definition, parent), m_kind(std::move(kind)) {
    grid()->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_export = addButton(QStringLiteral("Esporta vCard"), QStringLiteral("btnEsportaVCard"));
    m_import = addButton(QStringLiteral("Importa vCard"), QStringLiteral("btnImportaVCard"));
    connect(m_export, &QPushButton::clicked, this, &PartyList::exportVCard);
    connect(m_import, &QPushButton::clicked, this, &PartyList::importVCard);
    auto* email = addButton(QStringLiteral("Email"), QStringLiteral("btnEmail"));
    connect(email, &QPushButton::clicked, this, [this] {
        printing::ui::emailAddresses(this->context(),
                                     emailAddressesOf(*this->context().db, m_kind.table,
                                                      m_kind.emailColumn, selectedKeys(grid())),
                                     this);
    });
}

qint64 PartyList::insertRow() {
    return m_kind.insertNew(*context().db);
}

void PartyList::exportVCard() {
    exportVCardFile(context(), selectedKeys(grid()), m_kind.exportCards, m_kind.vCardFile);
}

void PartyList::importVCard() {
    if (importVCardFile(context(), m_kind.importCards))
        refresh();
}

} // namespace registries::ui
