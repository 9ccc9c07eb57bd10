#include "calendar/ui/CalendarScreens.h"

#include "calendar/CalendarExport.h"
#include "calendar/CalendarRules.h"
#include "common/Interaction.h"
#include "registries/CustomerRules.h"
#include "registries/ui/CustomerScreens.h"
#include "registries/ui/RegistryScreens.h"
#include "ui/AppContext.h"
#include "ui/CardScreen.h"
#include "ui/DataGrid.h"
#include "ui/FieldBinder.h"
#include "ui/Guarded.h"
#include "ui/HelpWindow.h"
#include "ui/Lookups.h"
#include "ui/RecordModel.h"
#include "ui/ScreenRegistry.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextCharFormat>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace calendar::ui {

using ::ui::CardField;
using ::ui::FieldKind;

namespace {

// Types are stored by their description.
const ::ui::Lookup kTypes{
    QStringLiteral("select Descrizione from TipologiaCalendario order by Descrizione"),
    QStringLiteral("Descrizione"), QStringLiteral("Descrizione"), QString()};

QToolButton* toolButton(QWidget* parent, const QString& text, const QString& name,
                        const QString& tip) {
    auto* b = new QToolButton(parent);
    b->setText(text);
    b->setObjectName(name);
    b->setToolTip(tip);
    return b;
}

void openList(QWidget* parent, ::ui::AppContext& context, bool history) {
    // The history list works on a copy of the context in history mode; the
    // main window sets the range before opening it.
    ::ui::AppContext own = context;
    own.history = history;
    if (!history) {
        own.historyFrom = QDate();
        own.historyTo = QDate();
    }
    CalendarList list(own, parent);
    list.exec();
}

} // namespace

::ui::ScreenDefinition calendarDefinition(const ::ui::AppContext& context) {
    ::ui::ScreenDefinition d;
    d.table = QStringLiteral("Calendario");
    d.key = QStringLiteral("Id");
    d.objectName = QStringLiteral("frmGrigliaCalendario");
    d.listTitle =
        context.history ? QStringLiteral("Storico Calendario") : QStringLiteral("Calendario");
    d.cardTitle = QStringLiteral("Calendario");
    d.orderBy = listOrder();
    d.filter = periodCondition(context.history, context.historyFrom, context.historyTo);
    d.columns = {{"Data", 130, "Data"},
                 {"TipologiaCalendario", 160, "Tipologia"},
                 {"Personale", 160, "Personale"},
                 {"Cliente", 200, "Cliente"},
                 {"Note", 300, "Note"}};
    d.fields = {
        {.field = "Data", .label = "Data", .kind = FieldKind::DateTime},
        {.field = "DataAvviso", .label = "Data avviso", .kind = FieldKind::Date, .sameRow = true},
        {.field = "TipologiaCalendario", .label = "Tipologia", .lookup = kTypes},
        {.field = "Personale_Id", .label = "Personale", .lookup = ::ui::lookups::staff()},
        {.field = "Cliente_ID",
         .label = "Cliente",
         .lookup = ::ui::lookups::customersOnDocuments()},
        {.field = "Note", .label = "Note"},
        {.field = "Conclusa", .label = "Conclusa", .kind = FieldKind::Check},
    };
    d.deleteQuestion = QStringLiteral("Sei sicuro di voler eliminare la data del Calendario ??");
    d.validate = &checkEntry;
    d.checkStored = &checkReminder;
    d.afterSave = [](db::Database& db, qint64 key, const QVariantMap&) { copyNames(db, key); };
    d.makeCard = ::ui::cardOf<CalendarCard>();
    return d;
}

::ui::ScreenDefinition calendarTypesDefinition() {
    ::ui::ScreenDefinition d = registries::ui::describedTable(
        QStringLiteral("TipologiaCalendario"), QStringLiteral("frmGrigliaCalendarioTipologie"),
        QStringLiteral("Tipologie Calendario"), QStringLiteral("Tipologie di Calendario"),
        QStringLiteral("Sei sicuro di voler eliminare la tipologia di Calendario ?"));
    d.key = QStringLiteral("Id");
    d.validate = &checkType;
    return d;
}

// ---------------------------------------------------------------------------

CalendarCard::CalendarCard(::ui::AppContext& context, const ::ui::ScreenDefinition& definition,
                           qint64 key, bool isNew, QWidget* parent)
    : ::ui::CardScreen(context, definition, key, isNew, parent) {
    setObjectName(QStringLiteral("TfrmCalendario"));
    deleteButton()->hide();
    cancelButton()->setVisible(isNew);
    attachBeside(QStringLiteral("TipologiaCalendario"),
                 {toolButton(this, QStringLiteral("+"), QStringLiteral("btnNuovaTipologia"),
                             QStringLiteral("Nuova tipologia")),
                  toolButton(this, QStringLiteral("..."), QStringLiteral("btnApriTipologia"),
                             QStringLiteral("Apri la tipologia"))});
    attachBeside(QStringLiteral("Cliente_ID"),
                 {toolButton(this, QStringLiteral("+"), QStringLiteral("btnNuovoCliente"),
                             QStringLiteral("Nuovo cliente")),
                  toolButton(this, QStringLiteral("..."), QStringLiteral("btnApriCliente"),
                             QStringLiteral("Apri il cliente"))});
    const auto buttonOf = [this](const char* name) {
        return findChild<QToolButton*>(QString::fromLatin1(name));
    };
    connect(buttonOf("btnNuovaTipologia"), &QToolButton::clicked, this, &CalendarCard::newType);
    connect(buttonOf("btnApriTipologia"), &QToolButton::clicked, this, &CalendarCard::openType);
    connect(buttonOf("btnNuovoCliente"), &QToolButton::clicked, this, &CalendarCard::newCustomer);
    connect(buttonOf("btnApriCliente"), &QToolButton::clicked, this, &CalendarCard::openCustomer);
    for (const char* choice : {"TipologiaCalendario", "Personale_Id", "Cliente_ID"})
        editor(QString::fromLatin1(choice))->installEventFilter(this);

    auto* help = addButton(QStringLiteral("Aiuto"), QStringLiteral("spdAiuto"));
    connect(help, &QPushButton::clicked, this, [this] { ::ui::HelpWindow::showFor(this); });
}

bool CalendarCard::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* combo = qobject_cast<QComboBox*>(watched);
        const int k = static_cast<QKeyEvent*>(event)->key();
        if (combo && (k == Qt::Key_Backspace || k == Qt::Key_Delete)) {
            combo->setCurrentIndex(std::max(0, combo->findData(QVariant())));
            return true;
        }
    }
    return ::ui::CardScreen::eventFilter(watched, event);
}

void CalendarCard::newType() {
    const ::ui::ScreenDefinition d = calendarTypesDefinition();
    qint64 id = 0;
    if (!::ui::guarded(context(), [&] { id = ::ui::insertNewRow(*context().db, d); }))
        return;
    ::ui::CardScreen card(context(), d, id, true, this);
    card.exec();
    const QString field = QStringLiteral("TipologiaCalendario");
    ::ui::guarded(context(), [&] {
        const QVariant chosen =
            card.deleted()
                ? value(field)
                : context().db->scalar(
                      QStringLiteral("select Descrizione from TipologiaCalendario where Id = ?"),
                      {id});
        fields()->showValue(field, chosen);
    });
}

void CalendarCard::openType() {
    const QString field = QStringLiteral("TipologiaCalendario");
    const QString chosen = value(field).toString();
    if (chosen.isEmpty())
        return;
    qint64 id = 0;
    ::ui::guarded(context(), [&] {
        id = context()
                 .db
                 ->scalar(QStringLiteral("select min(Id) as K from TipologiaCalendario where "
                                         "Descrizione = ?"),
                          {chosen})
                 .toLongLong();
    });
    if (id <= 0)
        return;
    ::ui::CardScreen card(context(), calendarTypesDefinition(), id, false, this);
    card.exec();
    // The appointment keeps the description it holds; the choices are read again.
    ::ui::guarded(context(), [&] { fields()->refill(field); });
}

void CalendarCard::newCustomer() {
    qint64 id = 0;
    if (!::ui::guarded(context(),
                       [&] { id = registries::CustomerRules::insertNew(*context().db); }))
        return;
    bool kept = false;
    {
        registries::ui::CustomerCard card(context(), registries::ui::customerDefinition(), id, true,
                                          this);
        card.exec();
        kept = !card.deleted();
    }
    const QString field = QStringLiteral("Cliente_ID");
    ::ui::guarded(context(),
                  [&] { fields()->showValue(field, kept ? QVariant(id) : value(field)); });
}

void CalendarCard::openCustomer() {
    const qint64 id = value(QStringLiteral("Cliente_ID")).toLongLong();
    if (id <= 0)
        return;
    {
        registries::ui::CustomerCard card(context(), registries::ui::customerDefinition(), id,
                                          false, this);
        card.exec();
    }
    ::ui::guarded(context(), [&] { fields()->refill(QStringLiteral("Cliente_ID")); });
}

// ---------------------------------------------------------------------------

CalendarList::CalendarList(::ui::AppContext& context, QWidget* parent)
    : ::ui::ListScreen(context, calendarDefinition(context), parent) {
    grid()->setSelectionBehavior(QAbstractItemView::SelectRows);

    // "Ricerca per" beside the month calendar, above the grid.
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("pnlRicerche"));
    auto* h = new QHBoxLayout(panel);
    h->setContentsMargins(0, 0, 0, 0);
    auto* g = new QGridLayout();
    h->addLayout(g, 1);
    auto* caption = new QLabel(QStringLiteral("Ricerca per"), panel);
    QFont bold = caption->font();
    bold.setBold(true);
    caption->setFont(bold);
    g->addWidget(caption, 0, 0, 1, 4);
    const auto put = [g, panel](int row, int column, const QString& label, const QString& name) {
        auto* e = new QLineEdit(panel);
        e->setObjectName(name);
        auto* l = new QLabel(label, panel);
        l->setBuddy(e);
        g->addWidget(l, row, column, Qt::AlignRight | Qt::AlignVCenter);
        g->addWidget(e, row, column + 1);
        g->setColumnStretch(column + 1, 1);
        return e;
    };
    m_staff = put(1, 0, QStringLiteral("Personale"), QStringLiteral("txtPersonale"));
    m_customer = put(1, 2, QStringLiteral("Cliente"), QStringLiteral("txtCliente"));
    m_notes = put(2, 0, QStringLiteral("Note"), QStringLiteral("txtNote"));
    m_type = put(2, 2, QStringLiteral("Tipologia"), QStringLiteral("txtTipologia"));
    m_from = put(3, 0, QStringLiteral("Dalla Data"), QStringLiteral("txtDallaData"));
    m_to = put(3, 2, QStringLiteral("alla Data"), QStringLiteral("txtAllaData"));
    for (QLineEdit* e : {m_from, m_to})
        e->setPlaceholderText(QStringLiteral("gg/mm/aaaa"));
    auto* searchButtons = new QHBoxLayout();
    auto* find = new QPushButton(QStringLiteral("cerca"), panel);
    find->setObjectName(QStringLiteral("btnCerca"));
    auto* reset = new QPushButton(QStringLiteral("reset"), panel);
    reset->setObjectName(QStringLiteral("btnReset"));
    for (QPushButton* b : {find, reset}) {
        b->setAutoDefault(false);
        searchButtons->addWidget(b);
    }
    searchButtons->addStretch(1);
    g->addLayout(searchButtons, 4, 1, 1, 3);
    g->setRowStretch(5, 1);

    auto* dayBox = new QVBoxLayout();
    dayBox->addWidget(new QLabel(QStringLiteral("Giorno"), panel));
    m_month = new QCalendarWidget(panel);
    m_month->setObjectName(QStringLiteral("calGiorno"));
    m_month->setLocale(QLocale(QLocale::Italian, QLocale::Italy));
    m_month->setFirstDayOfWeek(Qt::Monday);
    m_month->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    m_month->setSelectedDate(QDate::currentDate());
    m_month->setMaximumSize(300, 200);
    dayBox->addWidget(m_month);
    h->addLayout(dayBox);
    if (auto* v = qobject_cast<QVBoxLayout*>(layout()))
        v->insertWidget(1, panel);

    connect(find, &QPushButton::clicked, this, [this] { search(); });
    connect(reset, &QPushButton::clicked, this, &CalendarList::resetSearch);
    for (QLineEdit* e : {m_staff, m_customer, m_notes, m_type, m_from, m_to})
        connect(e, &QLineEdit::returnPressed, this, [this] { search(); });
    connect(m_month, &QCalendarWidget::clicked, this, &CalendarList::pickDay);
    connect(m_month, &QCalendarWidget::currentPageChanged, this, &CalendarList::markBusyDays);
    // The list's rows are replaced on every refresh: an appointment may have
    // been added, moved or deleted.
    connect(grid()->records(), &QAbstractItemModel::rowsInserted, this,
            &CalendarList::markBusyDays);
    connect(grid()->records(), &QAbstractItemModel::rowsRemoved, this, &CalendarList::markBusyDays);

    auto* reload = addButton(QStringLiteral("Ricarica"), QStringLiteral("spdRicarica"));
    connect(reload, &QPushButton::clicked, this, [this] { refresh(); });
    auto* exporting =
        addButton(QStringLiteral("Esporta Calendario"), QStringLiteral("spdEsportaCalendario"));
    exporting->setToolTip(QStringLiteral("Esporta i dati in formato ICal"));
    connect(exporting, &QPushButton::clicked, this, &CalendarList::exportCalendar);
    auto* help = addButton(QStringLiteral("Aiuto"), QStringLiteral("spdAiuto"));
    connect(help, &QPushButton::clicked, this, [this] { ::ui::HelpWindow::showFor(this); });
    // "Aiuto" after "Indietro", as on every list.
    buttonRow()->removeWidget(help);
    buttonRow()->addWidget(help);
    resize(1040, 640);
    markBusyDays();
}

QLineEdit* CalendarList::box(const QString& objectName) const {
    return findChild<QLineEdit*>(objectName);
}

QString CalendarList::condition() const {
    const QString base = ::ui::ListScreen::condition();
    if (m_applied.isEmpty())
        return base;
    return base.isEmpty() ? m_applied : base + QStringLiteral(" and ") + m_applied;
}

bool CalendarList::search() {
    Search s;
    s.staff = m_staff->text();
    s.type = m_type->text();
    s.customer = m_customer->text();
    s.notes = m_notes->text();
    if (m_dayPicked)
        s.day = m_month->selectedDate();
    s.from = m_from->text();
    s.to = m_to->text();
    QString applied;
    if (const auto failure = searchCondition(s, &applied)) {
        context().interaction->fail(*failure);
        if (QLineEdit* e = box(failure->field))
            e->setFocus();
        return false;
    }
    m_applied = applied;
    refresh();
    return true;
}

void CalendarList::resetSearch() {
    for (QLineEdit* e : {m_staff, m_customer, m_notes, m_type, m_from, m_to})
        e->clear();
    m_month->setSelectedDate(QDate::currentDate());
    m_dayPicked = false;
    m_applied.clear();
    refresh();
}

void CalendarList::pickDay(const QDate& day) {
    m_month->setSelectedDate(day);
    m_dayPicked = true;
    search();
}

qint64 CalendarList::insertRow() {
    return insertEntry(*context().db, m_month->selectedDate());
}

void CalendarList::markBusyDays() {
    QList<QDate> days;
    // Every appointment of the list counts, whatever the search.
    if (!::ui::guarded(context(), [&] {
            days = busyDays(*context().db, ::ui::ListScreen::condition(), m_month->yearShown(),
                            m_month->monthShown());
        }))
        return;
    m_month->setDateTextFormat(QDate(), QTextCharFormat());
    QTextCharFormat busy;
    busy.setFontWeight(QFont::Bold);
    busy.setForeground(QColor(0x1f, 0x3a, 0x5f));
    for (const QDate& day : days)
        m_month->setDateTextFormat(day, busy);
}

void CalendarList::exportCalendar() {
    ::ui::guarded(context(), [&] {
        const QList<CalendarEntry> entries = readEntries(*context().db, condition());
        exportToChosenFile(*context().db, *context().interaction, entries, QDir::homePath());
    });
}

// ---------------------------------------------------------------------------

void registerCalendarScreens(::ui::ScreenRegistry& registry) {
    registry.add(QStringLiteral("btnAttivitaCalendario"),
                 [](QWidget* parent, ::ui::AppContext& c) { openList(parent, c, false); });
    registry.add(QStringLiteral("btnStoricoCalendario"),
                 [](QWidget* parent, ::ui::AppContext& c) { openList(parent, c, true); });
    // The reminder's double click on an appointment.
    registry.add(QStringLiteral("appuntamento"), [](QWidget* parent, ::ui::AppContext& c) {
        if (c.recordKey == 0)
            return;
        CalendarCard card(c, calendarDefinition(c), c.recordKey, false, parent);
        card.exec();
    });
    registry.add(QStringLiteral("frmGrigliaCalendarioTipologie"),
                 [](QWidget* parent, ::ui::AppContext& c) {
                     ::ui::ListScreen list(c, calendarTypesDefinition(), parent);
                     list.exec();
                 });
}

} // namespace calendar::ui
