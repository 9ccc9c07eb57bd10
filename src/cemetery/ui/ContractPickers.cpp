#include "cemetery/ui/ContractPickers.h"

#include "common/SqlText.h"
#include "common/Titles.h"
#include "registries/ui/RegistryHelpers.h"
#include "ui/ActionButton.h"
#include "ui/AppContext.h"
#include "ui/DataGrid.h"
#include "ui/Guarded.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace cemetery::ui {

ContractArticlePicker::ContractArticlePicker(::ui::AppContext& context, QWidget* parent)
    : QDialog(parent), m_context(context) {
    setObjectName(QStringLiteral("frmSceltaArticoli"));
    setWindowTitle(QStringLiteral("Scelta articoli"));
    setModal(true);
    resize(760, 480);

    auto* layout = new QVBoxLayout(this);
    auto* searchRow = new QHBoxLayout();
    auto* label = new QLabel(QStringLiteral("Cerca per codice o descrizione"), this);
    m_search = new QLineEdit(this);
    m_search->setObjectName(QStringLiteral("txtCerca"));
    m_search->setPlaceholderText(QStringLiteral("Cerca..."));
    label->setBuddy(m_search);
    searchRow->addWidget(label);
    searchRow->addWidget(m_search, 1);
    layout->addLayout(searchRow);

    m_grid = new ::ui::DataGrid(context, QStringLiteral("frmSceltaArticoli_Griglia"), this);
    m_grid->setTable(QStringLiteral("prezziar"));
    m_grid->setKeyColumn(QStringLiteral("ID"));
    m_grid->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_grid->setDefaultColumns({{QStringLiteral("Codice"), 90, QStringLiteral("Codice")},
                               {QStringLiteral("Descrizione"), 330, QStringLiteral("Descrizione")},
                               {QStringLiteral("Prezzo"), 90, QStringLiteral("Prezzo")},
                               {QStringLiteral("AliquotaIva"), 70, QStringLiteral("Iva %")},
                               {QStringLiteral("Reparto"), 110, QStringLiteral("Reparto")}});
    layout->addWidget(m_grid, 1);

    auto* hint = new QLabel(
        QStringLiteral("Tenere premuto Ctrl o Maiusc per scegliere più articoli."), this);
    layout->addWidget(hint);

    auto* buttons = new QHBoxLayout();
    buttons->addStretch(1);
    m_choose =
        ::ui::ActionButton(QStringLiteral("Seleziona"), QStringLiteral("spdSeleziona"), this);
    QPushButton* cancel =
        ::ui::ActionButton(QStringLiteral("Annulla"), QStringLiteral("spdAnnulla"), this);
    buttons->addWidget(m_choose);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);

    connect(m_search, &QLineEdit::textChanged, this, &ContractArticlePicker::refresh);
    connect(m_choose, &QPushButton::clicked, this, &ContractArticlePicker::choose);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_grid, &::ui::DataGrid::rowChosen, this, &ContractArticlePicker::choose);
    refresh();
    m_search->setFocus();
}

void ContractArticlePicker::refresh() {
    QString sql = QStringLiteral("select * from prezziar where annullato = false");
    const QString text = m_search->text().trimmed();
    if (!text.isEmpty()) {
        const QString quoted = common::sqlQuote(text);
        sql += QStringLiteral(" and (Codice like '%1*' or Descrizione like '*%1*')").arg(quoted);
    }
    sql += QStringLiteral(" order by Descrizione");
    ::ui::guarded(m_context, [&] { m_grid->setResult(m_context.db->query(sql)); });
}

void ContractArticlePicker::choose() {
    m_chosen = registries::ui::selectedKeys(m_grid);
    if (m_chosen.isEmpty())
        return;
    accept();
}

QList<qint64> ContractArticlePicker::pick(::ui::AppContext& context, QWidget* parent) {
    ContractArticlePicker picker(context, parent);
    return picker.exec() == QDialog::Accepted ? picker.chosen() : QList<qint64>();
}

} // namespace cemetery::ui
