#include "cemetery/ui/ContractList.h"

#include "cemetery/ContractRules.h"
#include "cemetery/ui/ContractCard.h"
#include "cemetery/ui/ContractScreens.h"
#include "cemetery/ui/ContractWidgets.h"
#include "cemetery/ui/DeceasedPicker.h"
#include "common/TextForms.h"
#include "common/Titles.h"
#include "db/PagedQuery.h"
#include "ui/ActionButton.h"
#include "ui/AppContext.h"
#include "ui/DataGrid.h"
#include "ui/DateBox.h"
#include "ui/FieldEditors.h"
#include "ui/Guarded.h"
#include "ui/HelpWindow.h"
#include "ui/LazyChoice.h"
#include "ui/Lookups.h"
#include "ui/RecordModel.h"
#include "ui/ScreenTitle.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

namespace cemetery::ui {

using namespace contractwidgets;

namespace {

QLineEdit* dateBox(const QString& name, QWidget* parent) {
    QLineEdit* e = ::ui::DateBox(parent, name);
    e->setFixedWidth(100);
    return e;
}

QDate typedDate(const QLineEdit* box) {
    return common::parseItalianDate(box->text().trimmed());
}

// Paints the rows of open contracts red.
class OpenContractDelegate : public QStyledItemDelegate {
public:
    explicit OpenContractDelegate(::ui::DataGrid* grid) : QStyledItemDelegate(grid), m_grid(grid) {}
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        if (db::Row::toBool(m_grid->records()->value(index.row(), QStringLiteral("Chiuso"))))
            return;
        option->backgroundBrush = QColor(Qt::red);
        option->palette.setColor(QPalette::Text, Qt::white);
        option->palette.setColor(QPalette::HighlightedText, Qt::white);
        option->palette.setColor(QPalette::Highlight, QColor(150, 0, 0));
    }

private:
    ::ui::DataGrid* m_grid;
};

} // namespace

ContractList::ContractList(::ui::AppContext& context, QWidget* parent)
    : QDialog(parent), m_context(context) {
    setObjectName(QStringLiteral("TfrmGrigliaContratti"));
    setWindowTitle(QStringLiteral("Contratti"));
    setModal(true);
    resize(980, 620);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(::ui::ScreenTitle(QStringLiteral("Contratti"), this));

    auto* filter = new QGroupBox(QStringLiteral("Filtra per "), this);
    auto* g = new QGridLayout(filter);
    m_number = new QLineEdit(filter);
    m_number->setObjectName(QStringLiteral("txtNumero"));
    m_number->setValidator(new QIntValidator(0, 999999999, m_number));
    m_number->setFixedWidth(90);
    m_from = dateBox(QStringLiteral("txtDallaData"), filter);
    m_to = dateBox(QStringLiteral("txtAllaData"), filter);
    // Thousands of customers and deceased: read when the filter is used.
    m_customer = ::ui::LazyChoice::ofLookup(m_context, ::ui::lookups::customers(), filter);
    m_customer->setObjectName(QStringLiteral("cboCliente"));
    m_customer->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_customer->setMinimumContentsLength(24);
    m_deceased = ::ui::LazyChoice::ofLookup(m_context, ::ui::lookups::deceased(), filter);
    m_deceased->setObjectName(QStringLiteral("cboDefunto"));
    m_deceased->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_deceased->setMinimumContentsLength(24);
    auto* findDeceased =
        ::ui::ActionButton(QStringLiteral("..."), QStringLiteral("btnCercaDefunto"), filter);
    findDeceased->setToolTip(QStringLiteral("Cerca il defunto nell'elenco dei defunti"));
    findDeceased->setFixedWidth(32);
    m_search = ::ui::ActionButton(QStringLiteral("cerca"), QStringLiteral("btnCerca"), filter);
    m_reset = ::ui::ActionButton(QStringLiteral("reset"), QStringLiteral("btnReset"), filter);

    auto label = [filter](const QString& text, QWidget* buddy) {
        auto* l = new QLabel(text, filter);
        l->setBuddy(buddy);
        return l;
    };
    g->addWidget(label(QStringLiteral("Numero"), m_number), 0, 0, Qt::AlignRight);
    g->addWidget(m_number, 0, 1);
    g->addWidget(label(QStringLiteral("Dalla Data"), m_from), 0, 2, Qt::AlignRight);
    g->addWidget(m_from, 0, 3);
    g->addWidget(label(QStringLiteral("alla Data"), m_to), 0, 4, Qt::AlignRight);
    g->addWidget(m_to, 0, 5);
    g->addWidget(m_search, 0, 7);
    g->addWidget(label(QStringLiteral("Cliente"), m_customer), 1, 0, Qt::AlignRight);
    g->addWidget(m_customer, 1, 1, 1, 5);
    g->addWidget(m_reset, 1, 7);
    g->addWidget(label(QStringLiteral("Defunto"), m_deceased), 2, 0, Qt::AlignRight);
    g->addWidget(m_deceased, 2, 1, 1, 5);
    g->addWidget(findDeceased, 2, 6);
    g->setColumnStretch(6, 1);
    layout->addWidget(filter);

    m_grid = new ::ui::DataGrid(context, QStringLiteral("frmGrigliaContratti"), this);
    m_grid->setTable(QStringLiteral("ContrattiTestata"));
    m_grid->setKeyColumn(QStringLiteral("Id"));
    m_grid->setDefaultColumns({{QStringLiteral("Numero"), 80, QStringLiteral("Numero")},
                               {QStringLiteral("Data"), 100, QStringLiteral("Data")},
                               {QStringLiteral("Cliente"), 320, QStringLiteral("Cliente")},
                               {QStringLiteral("Note"), 380, QStringLiteral("Note")}});
    m_grid->setItemDelegate(new OpenContractDelegate(m_grid));
    m_grid->setAlternatingRowColors(false);
    layout->addWidget(m_grid, 1);
    auto* hint =
        new QLabel(QStringLiteral("Le righe rosse identificano  i contratti ancora aperti"), this);
    hint->setObjectName(QStringLiteral("lblLegenda"));
    layout->addWidget(hint);

    m_buttonRow = new QWidget(this);
    auto* buttons = new QHBoxLayout(m_buttonRow);
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->addStretch(1);
    layout->addWidget(m_buttonRow);
    m_add = button(QStringLiteral("Aggiungi"), QStringLiteral("spdAggiungi"));
    m_delete = button(QStringLiteral("Elimina"), QStringLiteral("spdElimina"));
    m_open = button(QStringLiteral("Avanti"), QStringLiteral("spdAvanti"));
    auto* reload = button(QStringLiteral("Ricarica"), QStringLiteral("spdRicarica"));
    auto* missing =
        button(QStringLiteral("Pagamenti mancanti"), QStringLiteral("spdPagamentiMancanti"));
    missing->setToolTip(
        QStringLiteral("Elenca i clienti che non hanno pagamenti registrati nell'anno in corso"));
    auto* back = button(QStringLiteral("Indietro"), QStringLiteral("spdIndietro"));
    auto* help = button(QStringLiteral("Aiuto"), QStringLiteral("spdAiuto"));

    connect(m_search, &QPushButton::clicked, this, &ContractList::search);
    connect(m_reset, &QPushButton::clicked, this, &ContractList::resetFilter);
    connect(findDeceased, &QPushButton::clicked, this, &ContractList::chooseDeceased);
    connect(m_add, &QPushButton::clicked, this, &ContractList::addContract);
    connect(m_delete, &QPushButton::clicked, this, &ContractList::removeCurrent);
    connect(m_open, &QPushButton::clicked, this, &ContractList::openCurrent);
    connect(reload, &QPushButton::clicked, this, &ContractList::refresh);
    connect(missing, &QPushButton::clicked, this, &ContractList::missingPayments);
    connect(back, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, [this] { ::ui::HelpWindow::showFor(this); });
    connect(m_grid, &::ui::DataGrid::rowChosen, this, [this](qint64 key) {
        if (key != 0)
            openContract(key, false);
    });

    fillChoices();
    refresh();
    if (context.recordKey > 0)
        m_grid->selectKey(context.recordKey);
    m_grid->setFocus();
}

QPushButton* ContractList::button(const QString& caption, const QString& name) {
    QPushButton* b = ::ui::ActionButton(caption, name, m_buttonRow, 90);
    m_buttonRow->layout()->addWidget(b);
    return b;
}

void ContractList::fillChoices() {
    // Read again when next used: a card may have added a name.
    m_customer->invalidate();
    m_deceased->invalidate();
}

void ContractList::refresh() {
    QString sql = QStringLiteral("select * from ContrattiTestata where Storico = false");
    if (!m_condition.isEmpty())
        sql += QStringLiteral(" and (") + m_condition + QStringLiteral(")");
    ::ui::guarded(m_context, [&] {
        m_grid->setQuery(std::make_shared<db::PagedQuery>(
            *m_context.db, sql,
            db::PagedQuery::parseOrder(QStringLiteral("Data desc, Numero desc")),
            QStringLiteral("Id")));
    });
}

void ContractList::search() {
    ContractRules::Filter f;
    f.from = typedDate(m_from);
    f.to = typedDate(m_to);
    f.number = m_number->text().trimmed().toLongLong();
    f.customerId = m_customer->currentData().toLongLong();
    f.deceasedId = m_deceased->currentData().toLongLong();
    ::ui::guarded(m_context,
                  [&] { m_condition = ContractRules::filterCondition(*m_context.db, f); });
    refresh();
}

void ContractList::resetFilter() {
    m_number->clear();
    m_from->clear();
    m_to->clear();
    m_customer->setCurrentIndex(0);
    m_deceased->setCurrentIndex(0);
    m_condition.clear();
    refresh();
}

void ContractList::chooseDeceased() {
    const QList<qint64> chosen = pickDeceased(m_context, this);
    if (chosen.isEmpty())
        return;
    fillChoices();
    m_deceased->ensureFilled();
    const int at = m_deceased->findData(chosen.first());
    if (at >= 0)
        m_deceased->setCurrentIndex(at);
}

void ContractList::addContract() {
    qint64 id = 0;
    if (!::ui::guarded(m_context, [&] { id = ContractRules::insertNew(*m_context.db, today()); }))
        return;
    refresh();
    m_grid->selectKey(id);
    openContract(id, true);
}

void ContractList::openCurrent() {
    const qint64 key = m_grid->currentKey();
    if (key != 0)
        openContract(key, false);
}

void ContractList::openContract(qint64 id, bool isNew) {
    {
        ContractCard card(m_context, contractDefinition(), id, isNew, this);
        card.exec();
    }
    fillChoices();
    refresh();
    m_grid->selectKey(id);
    m_grid->setFocus();
}

void ContractList::removeCurrent() {
    const qint64 key = m_grid->currentKey();
    if (key == 0)
        return;
    if (!m_context.interaction->question(
            common::titles::warning, QStringLiteral("Sei sicuro di voler eliminare il Contratto?")))
        return;
    ::ui::guarded(m_context, [&] { ContractRules::deleteContract(*m_context.db, key); });
    refresh();
}

void ContractList::missingPayments() {
    runMissingPayments(m_context, this);
}

} // namespace cemetery::ui
