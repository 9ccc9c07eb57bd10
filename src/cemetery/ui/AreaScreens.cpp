#include "cemetery/ui/AreaScreens.h"

#include "cemetery/Positions.h"
#include "common/Titles.h"
#include "db/DbError.h"
#include "registries/SimpleRegistryRules.h"
#include "ui/ActionButton.h"
#include "ui/AppContext.h"
#include "ui/Completions.h"
#include "ui/Guarded.h"
#include "ui/HelpWindow.h"
#include "ui/ListScreen.h"
#include "ui/ScreenRegistry.h"

#include <QCompleter>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace cemetery::ui {

namespace {

const QColor kFree(0xd8, 0xf5, 0xd0);
const QColor kTaken(0xf6, 0xd8, 0xd0);

// The card of one position; the kind offers the usual ones, any text stays.
::ui::CardScreen* positionCard(::ui::AppContext& context, const ::ui::ScreenDefinition& d,
                               qint64 key, bool isNew, QWidget* parent) {
    auto* card = new ::ui::CardScreen(context, d, key, isNew, parent);
    card->deleteButton()->hide();
    if (auto* kind = qobject_cast<QLineEdit*>(card->editor(QStringLiteral("Tipo")))) {
        auto* completer = new QCompleter(Positions::kinds(), kind);
        completer->setCaseSensitivity(Qt::CaseInsensitive);
        completer->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
        ::ui::offerCompletions(kind, completer);
        kind->setPlaceholderText(Positions::kinds().join(QStringLiteral(", ")));
    }
    return card;
}

} // namespace

::ui::ScreenDefinition areaDefinition() {
    ::ui::ScreenDefinition d;
    d.table = QStringLiteral("AreeCimitero");
    d.key = QStringLiteral("Id");
    d.objectName = QStringLiteral("frmGrigliaAreeCimitero");
    d.listTitle = QStringLiteral("Aree Cimitero");
    d.cardTitle = QStringLiteral("Aree Cimitero");
    d.orderBy = QStringLiteral("Descrizione");
    d.columns = {{QStringLiteral("Descrizione"), 320, QStringLiteral("Descrizione")}};
    d.searches = {{QStringLiteral("Descrizione"), QStringLiteral("Ricerca Per Descrizione")}};
    d.fields = {
        {.field = "Descrizione", .label = "Descrizione"},
    };
    d.newRow = {{QStringLiteral("Descrizione"), QVariant()}};
    d.deleteQuestion = QStringLiteral("Sei sicuro di voler eliminare l'Area?");
    d.validate = [](const QVariantMap& v) {
        return registries::requireText(v, QStringLiteral("Descrizione"),
                                       QStringLiteral("la Descrizione"));
    };
    // The positions go with their area; the deceased keep Area_Id.
    d.beforeDelete = &Positions::removeOfArea;
    d.makeCard = ::ui::cardOf<AreaCard>();
    return d;
}

::ui::ScreenDefinition positionDefinition(qint64 areaId) {
    ::ui::ScreenDefinition d;
    d.table = QStringLiteral("PosizioniCimitero");
    d.key = QStringLiteral("Id");
    d.objectName = QStringLiteral("frmPosizioneCimitero");
    d.cardTitle = QStringLiteral("Posizione");
    d.fields = {
        {.field = "Fila", .label = "Fila"},
        {.field = "Numero", .label = "Numero", .sameRow = true},
        {.field = "Tipo", .label = "Tipo"},
        {.field = "Note", .label = "Note"},
    };
    d.newRow = {{QStringLiteral("Area_Id"), areaId}};
    d.validate = &Positions::validate;
    d.deleteQuestion = QStringLiteral("Sei sicuro di voler eliminare la posizione?");
    return d;
}

AreaCard::AreaCard(::ui::AppContext& context, const ::ui::ScreenDefinition& definition, qint64 key,
                   bool isNew, QWidget* parent)
    : ::ui::CardScreen(context, definition, key, isNew, parent) {
    setObjectName(QStringLiteral("frmAreeCimiteroDettaglio"));
    deleteButton()->hide();
    cancelButton()->setVisible(isNew);
    auto* help = addButton(QStringLiteral("Aiuto"), QStringLiteral("spdAiuto"));
    connect(help, &QPushButton::clicked, this, [this] { ::ui::HelpWindow::showFor(this); });

    bool listed = false;
    try {
        listed = Positions::available(*context.db);
    } catch (const db::DbError&) {
    }
    if (!listed) {
        resize(620, sizeHint().height());
        return;
    }

    auto* panel = new QWidget(this);
    auto* v = new QVBoxLayout(panel);
    v->setContentsMargins(0, 6, 0, 0);
    auto* title = new QLabel(QStringLiteral("Posizioni dell'area"), panel);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    v->addWidget(title);
    m_positions = new QTableWidget(0, 5, panel);
    m_positions->setObjectName(QStringLiteral("grdPosizioni"));
    m_positions->setHorizontalHeaderLabels({QStringLiteral("Fila"), QStringLiteral("Numero"),
                                            QStringLiteral("Tipo"), QStringLiteral("Stato"),
                                            QStringLiteral("Defunti")});
    m_positions->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_positions->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_positions->setSelectionMode(QAbstractItemView::SingleSelection);
    m_positions->verticalHeader()->hide();
    m_positions->horizontalHeader()->setStretchLastSection(true);
    m_positions->setColumnWidth(0, 70);
    m_positions->setColumnWidth(1, 70);
    m_positions->setColumnWidth(2, 100);
    m_positions->setColumnWidth(3, 90);
    v->addWidget(m_positions, 1);
    auto* buttons = new QHBoxLayout();
    const auto button = [panel, buttons](const QString& caption, const QString& name) {
        QPushButton* b = ::ui::ActionButton(caption, name, panel);
        buttons->addWidget(b);
        return b;
    };
    auto* add =
        button(QStringLiteral("Aggiungi posizione"), QStringLiteral("spdAggiungiPosizione"));
    auto* edit =
        button(QStringLiteral("Modifica posizione"), QStringLiteral("spdModificaPosizione"));
    auto* remove =
        button(QStringLiteral("Elimina posizione"), QStringLiteral("spdEliminaPosizione"));
    buttons->addStretch(1);
    v->addLayout(buttons);
    connect(add, &QPushButton::clicked, this, &AreaCard::addPosition);
    connect(edit, &QPushButton::clicked, this, &AreaCard::editPosition);
    connect(remove, &QPushButton::clicked, this, &AreaCard::removePosition);
    connect(m_positions, &QTableWidget::cellDoubleClicked, this, &AreaCard::editPosition);
    // Above the card's buttons.
    if (auto* main = qobject_cast<QVBoxLayout*>(layout())) {
        for (int i = main->count() - 1; i >= 0; --i)
            if (QLayoutItem* item = main->itemAt(i); item && item->spacerItem()) {
                main->removeItem(item);
                delete item;
            }
        main->insertWidget(main->count() - 1, panel, 1);
    }
    refreshPositions();
    resize(760, 560);
}

void AreaCard::refreshPositions() {
    if (!m_positions)
        return;
    m_positions->setRowCount(0);
    m_rowKeys.clear();
    const auto put = [this](int row, int column, const QString& text, const QColor& colour) {
        auto* item = new QTableWidgetItem(text);
        if (colour.isValid())
            item->setBackground(colour);
        m_positions->setItem(row, column, item);
    };
    ::ui::guarded(context(), [&] {
        for (const PositionOccupancy& o : Positions::occupancy(*context().db, key())) {
            const int r = m_positions->rowCount();
            m_positions->insertRow(r);
            const QColor c = o.isFree() ? kFree : kTaken;
            put(r, 0, o.position.row, c);
            put(r, 1, o.position.number, c);
            put(r, 2, o.position.kind, c);
            put(r, 3, o.isFree() ? QStringLiteral("Libera") : QStringLiteral("Occupata"), c);
            put(r, 4, o.occupants.join(QStringLiteral(", ")), c);
            m_rowKeys.append(o.position.id);
        }
        // Burials whose typed position is not in the list.
        for (const UnlistedBurial& b : Positions::unlisted(*context().db, key())) {
            const int r = m_positions->rowCount();
            m_positions->insertRow(r);
            put(r, 0, QString(), {});
            put(r, 1, QString(), {});
            put(r, 2, b.position.isEmpty() ? QStringLiteral("(senza posizione)") : b.position, {});
            put(r, 3, QStringLiteral("Non elencata"), {});
            put(r, 4, b.name, {});
            m_rowKeys.append(0);
        }
    });
}

void AreaCard::addPosition() {
    const ::ui::ScreenDefinition d = positionDefinition(key());
    qint64 id = 0;
    if (!::ui::guarded(context(), [&] { id = ::ui::insertNewRow(*context().db, d); }))
        return;
    std::unique_ptr<::ui::CardScreen> card(positionCard(context(), d, id, true, this));
    card->exec();
    refreshPositions();
}

void AreaCard::editPosition() {
    const int row = m_positions ? m_positions->currentRow() : -1;
    if (row < 0 || row >= m_rowKeys.size() || m_rowKeys[row] == 0)
        return;
    std::unique_ptr<::ui::CardScreen> card(
        positionCard(context(), positionDefinition(key()), m_rowKeys[row], false, this));
    card->exec();
    refreshPositions();
}

void AreaCard::removePosition() {
    const int row = m_positions ? m_positions->currentRow() : -1;
    if (row < 0 || row >= m_rowKeys.size() || m_rowKeys[row] == 0)
        return;
    if (!context().interaction->question(common::titles::warning,
                                         QStringLiteral("Sei sicuro di voler eliminare la "
                                                        "posizione?")))
        return;
    if (!::ui::guarded(context(), [&] { Positions::remove(*context().db, m_rowKeys[row]); }))
        return;
    refreshPositions();
}

namespace {

class AreaList : public ::ui::ListScreen {
public:
    AreaList(::ui::AppContext& context, QWidget* parent)
        : ::ui::ListScreen(context, areaDefinition(), parent) {
        auto* reload = addButton(QStringLiteral("Ricarica"), QStringLiteral("spdRicarica"));
        connect(reload, &QPushButton::clicked, this, [this] { refresh(); });
        auto* help = addButton(QStringLiteral("Aiuto"), QStringLiteral("spdAiuto"));
        connect(help, &QPushButton::clicked, this, [this] { ::ui::HelpWindow::showFor(this); });
        buttonRow()->removeWidget(help);
        buttonRow()->addWidget(help);
        resize(560, 520);
    }
};

} // namespace

void registerAreaScreens(::ui::ScreenRegistry& registry) {
    const auto open = [](QWidget* parent, ::ui::AppContext& context) {
        AreaList list(context, parent);
        list.exec();
    };
    registry.add(QStringLiteral("btnAreeCimitero"), open);
    registry.add(QStringLiteral("frmGrigliaAreeCimitero"), open);
}

} // namespace cemetery::ui
