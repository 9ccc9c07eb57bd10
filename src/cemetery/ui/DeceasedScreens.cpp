#include "cemetery/ui/DeceasedScreens.h"

#include "cemetery/DeceasedRules.h"
#include "cemetery/Positions.h"
#include "cemetery/ui/AreaScreens.h"
#include "cemetery/ui/DeceasedPicker.h"
#include "cemetery/ui/DefaultsDialog.h"
#include "common/Titles.h"
#include "db/DbError.h"
#include "db/RegistryRecord.h"
#include "printing/ReportCodes.h"
#include "printing/ui/DocumentActions.h"
#include "registries/ui/RegistryHelpers.h"
#include "registries/ui/RegistryScreens.h"
#include "ui/ActionButton.h"
#include "ui/AppContext.h"
#include "ui/Completions.h"
#include "ui/DataGrid.h"
#include "ui/FieldBinder.h"
#include "ui/FieldEditors.h"
#include "ui/Guarded.h"
#include "ui/HelpWindow.h"
#include "ui/LazyChoice.h"
#include "ui/Lookups.h"
#include "ui/RecordModel.h"
#include "ui/ScreenRegistry.h"

#include <QComboBox>
#include <QCompleter>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QStringListModel>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace cemetery::ui {

using ::ui::CardField;
using ::ui::FieldKind;

namespace {

const QString kTable = QStringLiteral("Defunti");
const QString kDeceasedPage = QStringLiteral("  Defunto  ");
const QString kPhotoPage = QStringLiteral("  Foto  ");

// Only the stored value: the card adds "M" and "F".
const ::ui::Lookup kSex{QStringLiteral("select Sesso from Defunti where Id = 0"),
                        QStringLiteral("Sesso"), QStringLiteral("Sesso"), QString()};

// Every cell of a row in the row's colour: its own, else its category's.
class DeceasedColourDelegate : public QStyledItemDelegate {
public:
    explicit DeceasedColourDelegate(::ui::DataGrid* grid)
        : QStyledItemDelegate(grid), m_grid(grid) {}
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        const ::ui::RecordModel* m = m_grid->records();
        const qint64 c =
            DeceasedRules::rowColour(m->value(index.row(), QStringLiteral("NumeroColore")),
                                     m->value(index.row(), QStringLiteral("ColoreCategoria")));
        option->backgroundBrush = ::ui::colourFromStored(c);
        option->palette.setColor(QPalette::Text, Qt::black);
    }

private:
    ::ui::DataGrid* m_grid;
};

QToolButton* toolButton(QWidget* parent, const QString& text, const QString& name,
                        const QString& tip) {
    auto* b = new QToolButton(parent);
    b->setText(text);
    b->setObjectName(name);
    b->setToolTip(tip);
    b->setAutoRaise(false);
    return b;
}

} // namespace

// ---------------------------------------------------------------------------

::ui::ScreenDefinition deceasedDefinition() {
    ::ui::ScreenDefinition d;
    d.table = kTable;
    d.key = QStringLiteral("Id");
    d.objectName = QStringLiteral("TfrmGrigliaDefunti");
    d.listTitle = QStringLiteral("Defunti");
    d.cardTitle = QStringLiteral("Defunti");
    d.orderBy = QStringLiteral("NominativoVisualizzato");
    d.columns = {{"NominativoVisualizzato", 300, "Defunto"},
                 {"DataNascita", 100, "Data nascita"},
                 {"LuogoNascita", 160, "Luogo nascita"},
                 {"DataMorte", 100, "Data morte"},
                 {"LuogoMorte", 160, "Luogo morte"}};
    d.deleteQuestion = QStringLiteral("Sei sicuro di voler eliminare il defunto?");

    d.fields = {
        {.field = "Codice", .label = "Codice", .page = kDeceasedPage, .width = 120},
        {.field = "Categoria_ID",
         .label = "Categoria",
         .lookup = ::ui::lookups::deceasedCategories(),
         .page = kDeceasedPage,
         .sameRow = true},
        {.field = "Cognome", .label = "Cognome", .page = kDeceasedPage},
        {.field = "Nome", .label = "Nome", .page = kDeceasedPage, .sameRow = true},
        {.field = "CodFiscale",
         .label = "Codice Fiscale",
         .page = kDeceasedPage,
         .maxLength = 16,
         .onLeave = registries::ui::upperCase},
        {.field = "Sesso",
         .label = "Sesso",
         .lookup = kSex,
         .page = kDeceasedPage,
         .sameRow = true,
         .width = 60},
        {.field = "IdPaese_Nascita",
         .label = "Nascita: Nazione",
         .lookup = ::ui::lookups::countries(),
         .page = kDeceasedPage},
        {.field = "LuogoNascita_Id",
         .label = "Comune",
         .lookup = ::ui::lookups::towns(),
         .page = kDeceasedPage,
         .sameRow = true},
        {.field = "DataNascita", .label = "Data", .page = kDeceasedPage, .sameRow = true},
        {.field = "IdPaese_Morte",
         .label = "Morte: Nazione",
         .lookup = ::ui::lookups::countries(),
         .page = kDeceasedPage},
        {.field = "LuogoMorte_id",
         .label = "Comune",
         .lookup = ::ui::lookups::towns(),
         .page = kDeceasedPage,
         .sameRow = true},
        {.field = "DataMorte", .label = "Data", .page = kDeceasedPage, .sameRow = true},
        {.field = "Area_Id",
         .label = "Area cimitero",
         .lookup = ::ui::lookups::cemeteryAreas(),
         .page = kDeceasedPage},
        {.field = "Posizione", .label = "Posizione", .page = kDeceasedPage, .sameRow = true},
        {.field = "NumeroColore",
         .label = "Colore visualizzazione",
         .kind = FieldKind::Colour,
         .page = kDeceasedPage,
         .width = 90},
        {.field = "Note", .label = "Note", .page = kDeceasedPage},
        {.field = "Immagine", .label = "Percorso", .page = kPhotoPage},
    };
    d.makeCard = ::ui::cardOf<DeceasedCard>();
    return d;
}

::ui::ScreenDefinition deceasedCategoriesDefinition() {
    ::ui::ScreenDefinition d;
    d.table = QStringLiteral("CategoriaDefunti");
    d.key = QStringLiteral("Id");
    d.objectName = QStringLiteral("frmGrigliaCategoriaDefunti");
    d.listTitle = QStringLiteral("Categorie defunti");
    d.cardTitle = QStringLiteral("Categorie defunti");
    d.orderBy = QStringLiteral("Descrizione");
    d.columns = {{QStringLiteral("Descrizione"), 320, QStringLiteral("Descrizione")}};
    d.searches = {{QStringLiteral("Descrizione"), QStringLiteral("Ricerca Per Descrizione")}};
    d.fields = {
        {.field = "Descrizione", .label = "Descrizione"},
        {.field = "ColoreCategoria", .label = "Colore", .kind = FieldKind::Colour},
    };
    d.newRow = {{QStringLiteral("Descrizione"), QVariant()}};
    d.deleteQuestion = QStringLiteral("Sei sicuro di voler eliminare la Categoria?");
    d.validate = &DeceasedRules::validateCategory;
    d.afterSave = registries::ui::categoryColourCopy(QStringLiteral("Defunti"));
    return d;
}

void openDeceasedCategories(::ui::AppContext& context, QWidget* parent) {
    ::ui::ListScreen list(context, deceasedCategoriesDefinition(), parent);
    list.grid()->setItemDelegate(new registries::ui::StoredColourDelegate(
        list.grid(), QStringLiteral("Descrizione"), QStringLiteral("ColoreCategoria")));
    list.exec();
}

// ---------------------------------------------------------------------------

DeceasedList::DeceasedList(::ui::AppContext& context, QWidget* parent, bool selectionMode)
    : ::ui::ListScreen(context, deceasedDefinition(), parent), m_selectionMode(selectionMode) {
    if (selectionMode) {
        setWindowTitle(QStringLiteral("Defunti - scegli il defunto"));
        grid()->setSelectionMode(QAbstractItemView::ExtendedSelection);
        openButton()->setText(QStringLiteral("Scegli"));
        deleteButton()->hide();
    }
    grid()->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid()->setItemDelegate(new DeceasedColourDelegate(grid()));

    // "Ricerche Per :" panel above the grid.
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("pnlRicerche"));
    auto* g = new QGridLayout(panel);
    g->setContentsMargins(0, 0, 0, 0);
    auto* caption = new QLabel(QStringLiteral("Ricerche Per :"), panel);
    QFont bold = caption->font();
    bold.setBold(true);
    caption->setFont(bold);
    g->addWidget(caption, 0, 0, 1, 6);
    const auto box = [panel](const QString& name) {
        auto* e = new QLineEdit(panel);
        e->setObjectName(name);
        return e;
    };
    m_name = box(QStringLiteral("txtDefunto"));
    m_taxCode = box(QStringLiteral("txtCodFiscale"));
    m_notes = box(QStringLiteral("txtNote"));
    // Read when the user opens them, not at every opening of the list.
    m_category = ::ui::LazyChoice::ofLookup(context, ::ui::lookups::deceasedCategories(), panel);
    m_category->setObjectName(QStringLiteral("cmbCategoria"));
    m_area = ::ui::LazyChoice::ofLookup(context, ::ui::lookups::cemeteryAreas(), panel);
    m_area->setObjectName(QStringLiteral("cmbArea"));
    for (QComboBox* c : {m_category, m_area}) {
        c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        c->setMinimumContentsLength(14);
    }
    const auto put = [g, panel](int row, int column, const QString& label, QWidget* w) {
        auto* l = new QLabel(label, panel);
        l->setBuddy(w);
        g->addWidget(l, row, column, Qt::AlignRight | Qt::AlignVCenter);
        g->addWidget(w, row, column + 1);
        g->setColumnStretch(column + 1, 1);
    };
    put(1, 0, QStringLiteral("Defunto"), m_name);
    put(1, 2, QStringLiteral("Cod. Fiscale"), m_taxCode);
    put(1, 4, QStringLiteral(" Note"), m_notes);
    put(2, 0, QStringLiteral("Categoria"), m_category);
    put(2, 2, QStringLiteral("Area"), m_area);
    auto* searchButtons = new QHBoxLayout();
    auto* find = new QPushButton(QStringLiteral("cerca"), panel);
    find->setObjectName(QStringLiteral("btnCerca"));
    auto* reset = new QPushButton(QStringLiteral("reset"), panel);
    reset->setObjectName(QStringLiteral("btnReset"));
    for (QPushButton* b : {find, reset}) {
        b->setAutoDefault(false);
        searchButtons->addWidget(b);
    }
    g->addLayout(searchButtons, 2, 5);
    if (auto* v = qobject_cast<QVBoxLayout*>(layout()))
        v->insertWidget(1, panel);
    connect(find, &QPushButton::clicked, this, &DeceasedList::search);
    connect(reset, &QPushButton::clicked, this, &DeceasedList::resetSearch);
    for (QLineEdit* e : {m_name, m_taxCode, m_notes})
        connect(e, &QLineEdit::returnPressed, this, &DeceasedList::search);
    auto* reload = addButton(QStringLiteral("Ricarica"), QStringLiteral("spdRicarica"));
    connect(reload, &QPushButton::clicked, this, [this] {
        fillChoices();
        refresh();
    });
    if (!selectionMode) {
        auto* print = addButton(QStringLiteral("Stampa elenco"), QStringLiteral("spdStampa"));
        connect(print, &QPushButton::clicked, this, [this] {
            printing::ui::printReport(
                this->context(),
                printing::ReportCall{printing::reports::deceasedList, {}, m_applied});
        });
        auto* categories = addButton(QStringLiteral("Categorie"), QStringLiteral("spdCategorie"));
        connect(categories, &QPushButton::clicked, this, [this] {
            openDeceasedCategories(this->context(), this);
            fillChoices();
            refresh();
        });
        auto* defaults =
            addButton(QStringLiteral("Valori predefiniti"), QStringLiteral("spdValoriPredefiniti"));
        connect(defaults, &QPushButton::clicked, this, [this] {
            DefaultsDialog dialog(this->context(), kTable, this);
            dialog.exec();
        });
    }
    auto* help = addButton(QStringLiteral("Aiuto"), QStringLiteral("spdAiuto"));
    connect(help, &QPushButton::clicked, this, [this] { ::ui::HelpWindow::showFor(this); });
    // "Aiuto" after "Indietro", as on every list.
    buttonRow()->removeWidget(help);
    buttonRow()->addWidget(help);
    resize(980, 600);
}

// The choices are read again when next opened, keeping what is chosen.
void DeceasedList::fillChoices() {
    m_category->invalidate();
    m_area->invalidate();
}

QString DeceasedList::condition() const {
    return m_applied;
}

void DeceasedList::search() {
    DeceasedSearch s;
    s.name = m_name->text();
    s.taxCode = m_taxCode->text();
    s.notes = m_notes->text();
    s.categoryId = m_category->currentData().toLongLong();
    s.areaId = m_area->currentData().toLongLong();
    m_applied = DeceasedRules::searchCondition(s);
    refresh();
}

void DeceasedList::resetSearch() {
    for (QLineEdit* e : {m_name, m_taxCode, m_notes})
        e->clear();
    m_category->setCurrentIndex(0);
    m_area->setCurrentIndex(0);
    m_applied.clear();
    addButtonWidget()->show();
    deleteButton()->show();
    refresh();
}

qint64 DeceasedList::insertRow() {
    // A new deceased must show up: the search goes first.
    for (QLineEdit* e : {m_name, m_taxCode, m_notes})
        e->clear();
    m_category->setCurrentIndex(0);
    m_area->setCurrentIndex(0);
    m_applied.clear();
    return DeceasedRules::insertNew(*context().db);
}

void DeceasedList::openCard(qint64 key, bool isNew) {
    if (m_selectionMode && !isNew) {
        m_chosen = registries::ui::selectedKeys(grid());
        if (m_chosen.isEmpty())
            m_chosen = {key};
        accept();
        return;
    }
    DeceasedCard card(context(), definition(), key, isNew, this);
    if (isNew)
        card.setLinkContract(m_linkContract);
    card.exec();
    if (isNew && !card.deleted()) {
        m_linkContract = 0;
        // A deceased added while choosing is the choice.
        if (m_selectionMode) {
            m_chosen = {key};
            accept();
            return;
        }
    }
    fillChoices();
    showAgain(key);
}

// ---------------------------------------------------------------------------

DeceasedCard::DeceasedCard(::ui::AppContext& context, const ::ui::ScreenDefinition& definition,
                           qint64 key, bool isNew, QWidget* parent)
    : ::ui::CardScreen(context, definition, key, isNew, parent) {
    setObjectName(QStringLiteral("TfrmDefuntiDettaglio"));
    deleteButton()->hide();
    cancelButton()->setVisible(isNew);
    saveButton()->setText(QStringLiteral("salva"));

    // Sex: exactly "M" or "F".
    if (auto* sex = qobject_cast<QComboBox*>(editor(QStringLiteral("Sesso")))) {
        const QVariant stored = value(QStringLiteral("Sesso"));
        for (const QString& s : {QStringLiteral("M"), QStringLiteral("F")})
            if (sex->findData(s) < 0)
                sex->addItem(s, s);
        setValue(QStringLiteral("Sesso"), stored);
    }

    attachBeside(QStringLiteral("Categoria_ID"),
                 {toolButton(this, QStringLiteral("+"), QStringLiteral("btnNuovaCategoria"),
                             QStringLiteral("Nuova categoria")),
                  toolButton(this, QStringLiteral("..."), QStringLiteral("btnApriCategoria"),
                             QStringLiteral("Apri la categoria"))});
    for (const QString& place :
         {QStringLiteral("LuogoNascita_Id"), QStringLiteral("LuogoMorte_id")})
        attachBeside(
            place,
            {toolButton(this, QStringLiteral("+"), QStringLiteral("btnNuovoComune_") + place,
                        QStringLiteral("Nuovo comune")),
             toolButton(this, QStringLiteral("..."), QStringLiteral("btnApriComune_") + place,
                        QStringLiteral("Apri il comune"))});
    const auto buttonOf = [this](const QString& name) { return findChild<QToolButton*>(name); };
    connect(buttonOf(QStringLiteral("btnNuovaCategoria")), &QToolButton::clicked, this,
            [this] { newCategory(); });
    connect(buttonOf(QStringLiteral("btnApriCategoria")), &QToolButton::clicked, this,
            [this] { openCategory(); });
    for (const QString& place :
         {QStringLiteral("LuogoNascita_Id"), QStringLiteral("LuogoMorte_id")}) {
        connect(buttonOf(QStringLiteral("btnNuovoComune_") + place), &QToolButton::clicked, this,
                [this, place] { newMunicipality(place); });
        connect(buttonOf(QStringLiteral("btnApriComune_") + place), &QToolButton::clicked, this,
                [this, place] { openMunicipality(place); });
    }

    // Backspace or Delete empties a choice.
    for (const QString& field : fields()->fields())
        if (fields()->kind(field) == FieldKind::Lookup)
            editor(field)->installEventFilter(this);

    // Names typed: the derived names are computed again on save.
    for (const char* name : {"Cognome", "Nome", "CodFiscale", "DataNascita"})
        if (auto* line = qobject_cast<QLineEdit*>(editor(QString::fromLatin1(name))))
            connect(line, &QLineEdit::textEdited, this, [this] { m_namesTyped = true; });
    connect(qobject_cast<QLineEdit*>(editor(QStringLiteral("CodFiscale"))),
            &QLineEdit::editingFinished, this, &DeceasedCard::checkTaxCode);
    for (const char* name : {"Cognome", "Nome"})
        connect(qobject_cast<QLineEdit*>(editor(QString::fromLatin1(name))),
                &QLineEdit::editingFinished, this, &DeceasedCard::checkName);

    // Position: the area's listed positions are offered, any text stays allowed.
    auto* position = qobject_cast<QLineEdit*>(editor(QStringLiteral("Posizione")));
    auto* completer = new QCompleter(new QStringListModel(this), this);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    completer->setFilterMode(Qt::MatchContains);
    ::ui::offerCompletions(position, completer);
    position->setPlaceholderText(QStringLiteral("es. Fila 3 n. 12"));
    connect(qobject_cast<QComboBox*>(editor(QStringLiteral("Area_Id"))),
            &QComboBox::currentIndexChanged, this, [this] { fillPositions(); });
    fillPositions();

    // Photo page: "Prendi Foto" and the picture.
    auto* photoPage = editor(QStringLiteral("Immagine"))->parentWidget();
    if (auto* grid = qobject_cast<QGridLayout*>(photoPage->layout())) {
        QPushButton* take = ::ui::ActionButton(QStringLiteral("Prendi Foto"),
                                               QStringLiteral("btnPrendiFoto"), photoPage);
        grid->addWidget(take, 1, 1, Qt::AlignLeft);
        m_picture = new QLabel(photoPage);
        m_picture->setObjectName(QStringLiteral("imgFoto"));
        m_picture->setAlignment(Qt::AlignCenter);
        m_picture->setMinimumSize(320, 240);
        m_picture->setFrameShape(QFrame::StyledPanel);
        m_picture->setToolTip(
            QStringLiteral("Doppio clic per vedere la foto a grandezza naturale"));
        m_picture->installEventFilter(this);
        grid->addWidget(m_picture, 2, 0, 1, 2);
        grid->setRowStretch(2, 1);
        connect(take, &QPushButton::clicked, this, [this] { takePhoto(); });
        connect(qobject_cast<QLineEdit*>(editor(QStringLiteral("Immagine"))),
                &QLineEdit::editingFinished, this, [this] { reloadPicture(); });
    }
    if (auto* tabs = findChild<QTabWidget*>())
        connect(tabs, &QTabWidget::currentChanged, this, [this, tabs](int index) {
            if (tabs->tabText(index) == kPhotoPage)
                reloadPicture();
        });

    auto* print = addButton(QStringLiteral("Stampa scheda"), QStringLiteral("spdStampaScheda"));
    connect(print, &QPushButton::clicked, this, [this] {
        printing::ui::printReport(
            this->context(), printing::ReportCall{printing::reports::deceasedCard, this->key()});
    });
    auto* help = addButton(QStringLiteral("Aiuto"), QStringLiteral("spdAiuto"));
    connect(help, &QPushButton::clicked, this, [this] { ::ui::HelpWindow::showFor(this); });

    // "salva" shows once something changed.
    saveButton()->setVisible(false);
    const auto changed = [this] { saveButton()->setVisible(isModified()); };
    for (const CardField& f : definition.fields) {
        QWidget* e = editor(f.field);
        if (auto* line = qobject_cast<QLineEdit*>(e))
            connect(line, &QLineEdit::textChanged, this, changed);
        else if (auto* combo = qobject_cast<QComboBox*>(e))
            connect(combo, &QComboBox::currentIndexChanged, this, changed);
        else if (auto* colourButton = qobject_cast<::ui::ColourButton*>(e))
            connect(colourButton, &::ui::ColourButton::colourChanged, this, changed);
    }
    connect(saveButton(), &QPushButton::clicked, this,
            [this] { saveButton()->setVisible(isModified()); });

    resize(860, 520);
    if (QWidget* surname = editor(isNew ? QStringLiteral("Cognome") : QStringLiteral("Codice")))
        surname->setFocus();
}

bool DeceasedCard::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_picture && event->type() == QEvent::MouseButtonDblClick) {
        showFullPicture();
        return true;
    }
    if (event->type() == QEvent::KeyPress) {
        auto* combo = qobject_cast<QComboBox*>(watched);
        const int k = static_cast<QKeyEvent*>(event)->key();
        if (combo && (k == Qt::Key_Backspace || k == Qt::Key_Delete)) {
            combo->setCurrentIndex(combo->findData(QVariant()) >= 0 ? combo->findData(QVariant())
                                                                    : 0);
            return true;
        }
    }
    return ::ui::CardScreen::eventFilter(watched, event);
}

void DeceasedCard::newCategory() {
    const ::ui::ScreenDefinition d = deceasedCategoriesDefinition();
    qint64 id = 0;
    if (!::ui::guarded(context(), [&] { id = ::ui::insertNewRow(*context().db, d); }))
        return;
    ::ui::CardScreen card(context(), d, id, true, this);
    card.exec();
    fields()->showValue(QStringLiteral("Categoria_ID"),
                        card.deleted() ? value(QStringLiteral("Categoria_ID")) : QVariant(id));
}

void DeceasedCard::openCategory() {
    const qint64 id = db::RecordKey(values(), QStringLiteral("Categoria_ID"));
    if (id <= 0)
        return;
    ::ui::CardScreen card(context(), deceasedCategoriesDefinition(), id, false, this);
    card.exec();
    fields()->showValue(QStringLiteral("Categoria_ID"), card.deleted() ? QVariant() : QVariant(id));
}

void DeceasedCard::newMunicipality(const QString& field) {
    ::ui::ScreenDefinition d = registries::ui::municipalitiesScreen();
    if (d.newRow.isEmpty())
        d.newRow = {{QStringLiteral("Comune"), QVariant()}};
    qint64 id = 0;
    if (!::ui::guarded(context(), [&] { id = ::ui::insertNewRow(*context().db, d); }))
        return;
    ::ui::CardScreen card(context(), d, id, true, this);
    card.exec();
    const QVariant other =
        value(field == QLatin1String("LuogoNascita_Id") ? QStringLiteral("LuogoMorte_id")
                                                        : QStringLiteral("LuogoNascita_Id"));
    const QVariant chosen = card.deleted() ? value(field) : QVariant(id);
    fields()->showValue(QStringLiteral("LuogoNascita_Id"),
                        field == QLatin1String("LuogoNascita_Id") ? chosen : other);
    fields()->showValue(QStringLiteral("LuogoMorte_id"),
                        field == QLatin1String("LuogoMorte_id") ? chosen : other);
}

void DeceasedCard::openMunicipality(const QString& field) {
    const qint64 id = db::RecordKey(values(), field);
    if (id <= 0)
        return;
    ::ui::CardScreen card(context(), registries::ui::municipalitiesScreen(), id, false, this);
    card.exec();
    const QVariant birth = value(QStringLiteral("LuogoNascita_Id"));
    const QVariant death = value(QStringLiteral("LuogoMorte_id"));
    fields()->showValue(QStringLiteral("LuogoNascita_Id"), birth);
    fields()->showValue(QStringLiteral("LuogoMorte_id"), death);
}

void DeceasedCard::fillPositions() {
    auto* line = qobject_cast<QLineEdit*>(editor(QStringLiteral("Posizione")));
    auto* model = line && line->completer()
                      ? qobject_cast<QStringListModel*>(line->completer()->model())
                      : nullptr;
    if (!model)
        return;
    QStringList labels;
    try {
        const qint64 area = db::RecordKey(values(), QStringLiteral("Area_Id"));
        for (const PositionOccupancy& o : Positions::occupancy(*context().db, area))
            labels.append(o.label);
    } catch (const db::DbError&) {
    }
    model->setStringList(labels);
}

QString DeceasedCard::birthDateTyped() const {
    auto* line = qobject_cast<QLineEdit*>(editor(QStringLiteral("DataNascita")));
    return line ? line->text().trimmed() : QString();
}

void DeceasedCard::checkTaxCode() {
    const QString code = value(QStringLiteral("CodFiscale")).toString().trimmed();
    ::ui::guarded(context(), [&] {
        if (auto w = DeceasedRules::taxCodeDuplicate(*context().db, code, key()))
            context().interaction->warning(DeceasedRules::kDuplicateTitle, *w);
    });
}

void DeceasedCard::checkName() {
    const QVariantMap v = values();
    const qint64 place = db::RecordKey(v, QStringLiteral("LuogoNascita_Id"));
    ::ui::guarded(context(), [&] {
        if (auto w = DeceasedRules::nameDuplicate(
                *context().db, db::recordText(v, QStringLiteral("Cognome")),
                db::recordText(v, QStringLiteral("Nome")), birthDateTyped(), place,
                DeceasedRules::municipalityName(*context().db, place), key()))
            context().interaction->warning(DeceasedRules::kDuplicateTitle, *w);
    });
}

std::optional<common::Failure> DeceasedCard::validate(const QVariantMap& values) const {
    return DeceasedRules::validate(values);
}

void DeceasedCard::writeExtra(db::Database& db, const QVariantMap& values) {
    QVariantMap r = values;
    const bool datesMoved =
        DeceasedRules::completeCardSave(db, key(), r, isNew() ? QVariantMap() : storedValues(),
                                        m_namesTyped || isNew(), m_linkContract);
    if (datesMoved)
        for (const QString& column : {QStringLiteral("DataNascita"), QStringLiteral("DataMorte")})
            setValue(column, r.value(column)); // the card shows what is stored
    m_linkContract = 0;
    m_namesTyped = false;
}

void DeceasedCard::takePhoto() {
    const QString file = context().interaction->openFile(
        QStringLiteral("Prendi Foto"), QString(),
        QStringLiteral("Immagini (*.jpg *.jpeg *.png *.bmp);;Tutti i file (*)"));
    if (file.isEmpty())
        return;
    setValue(QStringLiteral("Immagine"), file);
    saveButton()->setVisible(isModified());
    reloadPicture();
}

void DeceasedCard::reloadPicture() {
    m_pixmap = QPixmap();
    const QString path = value(QStringLiteral("Immagine")).toString();
    if (!path.isEmpty()) {
        if (!QFileInfo::exists(path)) {
            context().interaction->warning(common::titles::attention,
                                           QStringLiteral("L'immagine non esiste"));
        } else {
            QImageReader reader(path);
            const QString suffix = QFileInfo(path).suffix().toLower();
            if (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg"))
                reader.setFormat("jpeg");
            reader.setAutoTransform(true);
            m_pixmap = QPixmap::fromImage(reader.read());
        }
    }
    if (!m_picture)
        return;
    if (m_pixmap.isNull()) {
        m_picture->setPixmap(QPixmap());
        m_picture->setText(path.isEmpty() ? QStringLiteral("Nessuna foto") : QString());
        return;
    }
    m_picture->setPixmap(m_pixmap.scaled(m_picture->size().expandedTo(QSize(320, 240)),
                                         Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

void DeceasedCard::showFullPicture() {
    if (m_pixmap.isNull())
        return;
    QDialog window(this);
    window.setObjectName(QStringLiteral("frmFoto"));
    window.setWindowTitle(value(QStringLiteral("Immagine")).toString());
    auto* layout = new QVBoxLayout(&window);
    auto* scroll = new QScrollArea(&window);
    auto* label = new QLabel(scroll);
    label->setPixmap(m_pixmap);
    scroll->setWidget(label);
    scroll->setAlignment(Qt::AlignCenter);
    layout->addWidget(scroll, 1);
    auto* back = new QPushButton(QStringLiteral("Indietro"), &window);
    QObject::connect(back, &QPushButton::clicked, &window, &QDialog::reject);
    layout->addWidget(back, 0, Qt::AlignRight);
    window.resize(std::min(m_pixmap.width() + 40, 1200), std::min(m_pixmap.height() + 80, 900));
    window.exec();
}

// ---------------------------------------------------------------------------

QList<qint64> pickDeceased(::ui::AppContext& ctx, QWidget* parent) {
    DeceasedList list(ctx, parent, true);
    if (list.exec() != QDialog::Accepted)
        return {};
    return list.chosen();
}

qint64 addDeceasedForContract(::ui::AppContext& ctx, qint64 contractId, QWidget* parent) {
    qint64 id = 0;
    if (!::ui::guarded(ctx, [&] { id = DeceasedRules::insertNew(*ctx.db); }))
        return 0;
    DeceasedCard card(ctx, deceasedDefinition(), id, true, parent);
    card.setLinkContract(contractId);
    card.exec();
    return card.deleted() ? 0 : id;
}

void registerDeceasedScreens(::ui::ScreenRegistry& registry) {
    registry.add(QStringLiteral("btnDefunti"), [](QWidget* parent, ::ui::AppContext& context) {
        DeceasedList list(context, parent);
        list.exec();
    });
    registry.add(QStringLiteral("frmGrigliaCategoriaDefunti"),
                 [](QWidget* parent, ::ui::AppContext& context) {
                     openDeceasedCategories(context, parent);
                 });
    registerAreaScreens(registry);
}

} // namespace cemetery::ui
