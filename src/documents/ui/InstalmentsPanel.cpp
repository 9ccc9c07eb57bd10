#include "documents/ui/InstalmentsPanel.h"

#include "common/Interaction.h"
#include "common/Titles.h"
#include "db/Database.h"
#include "documents/InstalmentRules.h"
#include "documents/ui/InstalmentCard.h"
#include "ui/ActionButton.h"
#include "ui/AppContext.h"
#include "ui/DataGrid.h"
#include "ui/Guarded.h"
#include "ui/RecordModel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

namespace documents::ui {

namespace {

// Instalments already paid are painted light blue.
class PaidInstalmentDelegate : public QStyledItemDelegate {
public:
    explicit PaidInstalmentDelegate(::ui::DataGrid* grid)
        : QStyledItemDelegate(grid), m_grid(grid) {}
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        if (!m_grid->records()->value(index.row(), QStringLiteral("DataPagamento")).isNull())
            option->backgroundBrush = QColor(173, 216, 230);
    }

private:
    ::ui::DataGrid* m_grid;
};

} // namespace

InstalmentsPanel::InstalmentsPanel(::ui::AppContext& context, const QString& layoutName,
                                   const QString& instalmentType, const QString& order,
                                   QWidget* parent)
    : QWidget(parent), m_context(context), m_type(instalmentType), m_order(order) {
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(0, 0, 0, 0);
    m_grid = new ::ui::DataGrid(context, layoutName, this);
    m_grid->setObjectName(QStringLiteral("DBGridScadenze"));
    m_grid->setTable(QStringLiteral("FatturaScadenze"));
    m_grid->setKeyColumn(QStringLiteral("Id"));
    m_grid->setDefaultColumns({{"Numero", 50, "N°"},
                               {"Operazione", 330, "Operazione"},
                               {"DataScadenza", 100, "Scadenza"},
                               {"Importo", 100, "Importo"},
                               {"DataPagamento", 100, "Pagata il"}});
    m_grid->setItemDelegate(new PaidInstalmentDelegate(m_grid));
    const QString paidHint = QStringLiteral("Le righe azzurre sono state già pagate");
    m_grid->setToolTip(paidHint);
    v->addWidget(m_grid, 1);
    auto* buttons = new QHBoxLayout();
    QPushButton* add = ::ui::ActionButton(QStringLiteral("Aggiungi rata"),
                                          QStringLiteral("btnAggiungiRata"), this);
    QPushButton* edit = ::ui::ActionButton(QStringLiteral("Modifica rata"),
                                           QStringLiteral("btnModificaRata"), this);
    QPushButton* remove =
        ::ui::ActionButton(QStringLiteral("Elimina rata"), QStringLiteral("btnEliminaRata"), this);
    buttons->addWidget(add);
    buttons->addWidget(edit);
    buttons->addWidget(remove);
    buttons->addStretch(1);
    buttons->addWidget(new QLabel(paidHint, this));
    v->addLayout(buttons);
    connect(add, &QPushButton::clicked, this, &InstalmentsPanel::addInstalment);
    connect(edit, &QPushButton::clicked, this, &InstalmentsPanel::editInstalment);
    connect(remove, &QPushButton::clicked, this, &InstalmentsPanel::removeInstalment);
    connect(m_grid, &::ui::DataGrid::rowChosen, this, [this](qint64 key) { editAt(key, false); });
}

void InstalmentsPanel::setDocument(qint64 documentId) {
    m_document = documentId;
    refresh();
}

void InstalmentsPanel::refresh() {
    const qint64 current = m_grid->currentKey();
    if (!::ui::guarded(m_context, [&] {
            m_grid->setResult(m_context.db->query(
                QStringLiteral("select * from FatturaScadenze where Fattura_ID = ? order by ") +
                    m_order,
                {m_document}));
        }))
        return;
    if (current != 0)
        m_grid->selectKey(current);
}

void InstalmentsPanel::addInstalment() {
    if (m_document == 0)
        return;
    qint64 id = 0;
    if (!::ui::guarded(m_context,
                       [&] { id = InstalmentRules::add(*m_context.db, m_type, m_document); }))
        return;
    editAt(id, true);
}

void InstalmentsPanel::editInstalment() {
    editAt(m_grid->currentKey(), false);
}

void InstalmentsPanel::editAt(qint64 instalmentId, bool isNew) {
    if (instalmentId == 0)
        return;
    {
        InstalmentCard card(m_context, instalmentId, isNew, this);
        card.exec();
    }
    refresh();
    m_grid->selectKey(instalmentId);
    emit changed();
}

void InstalmentsPanel::removeInstalment() {
    const qint64 id = m_grid->currentKey();
    if (id == 0)
        return;
    if (!m_context.interaction->question(common::titles::warning,
                                         InstalmentRules::removeQuestion()))
        return;
    if (!::ui::guarded(m_context, [&] { InstalmentRules::remove(*m_context.db, id); }))
        return;
    refresh();
    emit changed();
}

} // namespace documents::ui
