#include "app/ui/MainWindow.h"

#include "app/ArchiveSwitch.h"
#include "app/ExitBackup.h"
#include "app/HistoryRange.h"
#include "app/StartupSequence.h"
#include "app/ui/ReminderDialog.h"
#include "common/Interaction.h"
#include "common/Titles.h"
#include "db/Database.h"
#include "ui/DateBox.h"
#include "ui/Guarded.h"
#include "ui/HelpWindow.h"
#include "ui/ScreenRegistry.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

namespace app::ui {

namespace {

constexpr int kColumns = 4;
// Menu buttons: big enough to hit, small enough for the tallest tab to fit
// a 1366×768 screen.
constexpr int kButtonHeight = 52;
constexpr int kGroupedButtonHeight = 42;

// A tab's page scrolls rather than making the window taller than the screen.
QScrollArea* scrolled(QWidget* page, const QString& name) {
    auto* area = new QScrollArea;
    area->setObjectName(name);
    area->setWidget(page);
    area->setWidgetResizable(true);
    area->setFrameShape(QFrame::NoFrame);
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    area->setStyleSheet(QStringLiteral("QScrollArea { background: transparent; }"));
    area->viewport()->setAutoFillBackground(false);
    page->setAutoFillBackground(false);
    return area;
}

const QString kUnavailable = QStringLiteral("Funzione non ancora disponibile");

const char* kStyle = R"(
QMainWindow#TForm1, QWidget#centralWidget { background: #eef1f5; }
QWidget#header { background: #23395d; }
QLabel#lblProgramma { color: white; font-size: 17pt; font-weight: 600; }
QLabel#lblDitta { color: #d6e2f5; font-size: 12pt; }
QTabWidget::pane { border: 1px solid #c9d1dc; background: white; border-radius: 6px; top: -1px; }
QTabBar::tab { background: #dde3eb; color: #23395d; padding: 8px 10px; margin-right: 3px;
               border-top-left-radius: 6px; border-top-right-radius: 6px; font-size: 10.5pt; }
QTabBar::tab:selected { background: white; font-weight: 600; }
QTabBar::tab:hover:!selected { background: #e9eef5; }
QPushButton[menuButton="true"] { background: #f7f9fc; border: 1px solid #c3ccd8; border-radius: 8px;
               font-size: 11pt; color: #1d2b40; padding: 8px; text-align: center; }
QPushButton[menuButton="true"]:hover { background: #e3edfa; border-color: #6b93c9; }
QPushButton[menuButton="true"]:pressed { background: #cfe0f6; }
QPushButton[menuButton="true"]:disabled { background: #f1f2f4; color: #a3aab4; border-color: #dde1e6; }
QPushButton[menuButton="true"]:focus { border: 2px solid #2b6cb0; }
QGroupBox { font-weight: 600; color: #2b4c7e; border: 1px solid #d5dbe3; border-radius: 6px;
            margin-top: 14px; padding-top: 8px; }
QGroupBox::title { subcontrol-origin: margin; left: 10px; padding: 0 4px; }
QLineEdit#txtPercorso { padding: 4px; }
QLineEdit#txtPercorso:focus { background: aqua; }
QPushButton#btnAiuto, QPushButton#btnLavoraInRete, QPushButton#btnEsci, QPushButton#btnCaricaDitta {
               padding: 6px 14px; }
)";

QString videoButtonName(int i) {
    return QStringLiteral("btnVideo%1").arg(i + 1);
}

} // namespace

MainWindow::MainWindow(::ui::AppContext& context, const ::ui::ScreenRegistry& registry,
                       QWidget* parent)
    : QMainWindow(parent), m_context(context), m_registry(registry) {
    m_context.screens = &m_registry;
    setObjectName(QStringLiteral("TForm1"));
    setWindowTitle(QStringLiteral("Ossarion"));
    setStyleSheet(QString::fromUtf8(kStyle));

    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("centralWidget"));
    setCentralWidget(central);

    // Header: program and company.
    auto* header = new QWidget(central);
    header->setObjectName(QStringLiteral("header"));
    header->setAttribute(Qt::WA_StyledBackground);
    auto* program = new QLabel(QStringLiteral("Ossarion"), header);
    program->setObjectName(QStringLiteral("lblProgramma"));
    m_company = new QLabel(header);
    m_company->setObjectName(QStringLiteral("lblDitta"));
    auto* h = new QHBoxLayout(header);
    h->setContentsMargins(16, 10, 16, 10);
    h->addWidget(program);
    h->addSpacing(18);
    h->addWidget(m_company, 1);

    m_tabs = new QTabWidget(central);
    m_tabs->setObjectName(QStringLiteral("PageControl1"));
    m_tabs->setDocumentMode(false);
    for (const MenuTab& tab : MainMenu::tabs())
        m_tabs->addTab(scrolled(buildTab(tab), tab.name), tab.caption);

    // Bottom row.
    m_path = new QLineEdit(central);
    m_path->setObjectName(QStringLiteral("txtPercorso"));
    m_path->setPlaceholderText(QStringLiteral("Percorso di rete"));
    m_path->setToolTip(QStringLiteral(
        "Per lavorare su un archivio in rete scrivi qui l'indirizzo postgresql://... e premi "
        "\"Lavora in Rete\"; lasciato vuoto, \"Lavora in Rete\" chiede il file dell'archivio."));
    m_path->installEventFilter(this);
    // The company's data, always at hand (and on Ctrl+D).
    m_companyButton = makeButton(QString::fromLatin1(MainMenu::companyButton),
                                 QStringLiteral("Dati della Ditta"), false);
    QPushButton* help = makeButton(QStringLiteral("btnAiuto"), QStringLiteral("Aiuto"), false);
    QPushButton* network =
        makeButton(QStringLiteral("btnLavoraInRete"), QStringLiteral("Lavora in Rete"), false);
    QPushButton* quit = makeButton(QStringLiteral("btnEsci"), QStringLiteral("Esci"), false);
    for (QPushButton* b : {help, network, quit}) {
        b->setEnabled(true);
        b->setToolTip(QString());
    }
    connect(help, &QPushButton::clicked, this, &MainWindow::showHelp);
    connect(network, &QPushButton::clicked, this, &MainWindow::switchArchive);
    connect(quit, &QPushButton::clicked, this, &QWidget::close);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_path, 1);
    bottom->addWidget(m_companyButton);
    bottom->addWidget(help);
    bottom->addWidget(network);
    bottom->addWidget(quit);

    auto* v = new QVBoxLayout(central);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(0);
    v->addWidget(header);
    auto* body = new QVBoxLayout;
    body->setContentsMargins(14, 12, 14, 10);
    body->setSpacing(10);
    body->addWidget(m_tabs, 1);
    body->addLayout(bottom);
    v->addLayout(body, 1);

    m_archive = new QLabel(this);
    statusBar()->addWidget(m_archive, 1);

    auto* companyShortcut = new QAction(this);
    companyShortcut->setObjectName(QStringLiteral("actCaricaDitta"));
    companyShortcut->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    companyShortcut->setShortcutContext(Qt::WindowShortcut);
    connect(companyShortcut, &QAction::triggered, m_companyButton, &QPushButton::click);
    addAction(companyShortcut);

    setVideoTopics(VideoTopics::load());
    refreshArchiveLabel();
    // The window opens within the screen it is on (1366×768 included).
    QSize size(1120, 690);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size() - QSize(16, 40));
    resize(size);
}

QPushButton* MainWindow::makeButton(const QString& name, const QString& caption, bool big) {
    auto* b = new QPushButton(caption);
    b->setObjectName(name);
    b->setAutoDefault(false);
    if (big) {
        b->setProperty("menuButton", true);
        // Never narrower than its caption, however small the window.
        b->setMinimumSize(std::max(200, b->fontMetrics().horizontalAdvance(caption) + 36),
                          kButtonHeight);
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    } else {
        b->setMinimumWidth(120);
    }
    const bool available = m_registry.has(name);
    b->setEnabled(available);
    if (!available)
        b->setToolTip(kUnavailable);
    connect(b, &QPushButton::clicked, this, [this, name] { openScreen(name); });
    m_buttons.insert(name.toUpper(), b);
    return b;
}

QWidget* MainWindow::buildTab(const MenuTab& tab) {
    auto* page = new QWidget;
    page->setObjectName(tab.name + QStringLiteral("Pulsanti"));
    auto* outer = new QVBoxLayout(page);
    outer->setContentsMargins(18, 18, 18, 18);
    outer->setSpacing(12);
    if (tab.name == QStringLiteral("tabVideo")) {
        m_videoPage = page;
        return page;
    }
    if (tab.name == QStringLiteral("tabStorico"))
        outer->addWidget(buildHistoryRange());

    // Buttons in order, a group box for each sub-heading.
    QString currentGroup;
    QGridLayout* grid = nullptr;
    int count = 0;
    for (const MenuButton& mb : tab.buttons) {
        QPushButton* b = makeButton(mb.name, mb.caption);
        if (!grid || mb.group != currentGroup) {
            currentGroup = mb.group;
            grid = new QGridLayout;
            grid->setHorizontalSpacing(12);
            grid->setVerticalSpacing(mb.group.isEmpty() ? 12 : 8);
            for (int c = 0; c < kColumns; ++c)
                grid->setColumnStretch(c, 1);
            count = 0;
            if (mb.group.isEmpty()) {
                outer->addLayout(grid);
            } else {
                auto* box = new QGroupBox(mb.group, page);
                box->setObjectName(QStringLiteral("grp") + tab.name.mid(3) +
                                   QString(mb.group).remove(u' '));
                box->setLayout(grid);
                outer->addWidget(box);
            }
        }
        if (mb.hidden) {
            b->setVisible(false);
            b->setParent(page);
            continue;
        }
        // Tabs of several groups have many rows: their buttons are lower.
        if (!mb.group.isEmpty())
            b->setMinimumHeight(kGroupedButtonHeight);
        grid->addWidget(b, count / kColumns, count % kColumns);
        ++count;
    }
    outer->addStretch(1);
    return page;
}

QWidget* MainWindow::buildHistoryRange() {
    auto* box = new QGroupBox(QStringLiteral("Periodo"));
    box->setObjectName(QStringLiteral("grpStoricoPeriodo"));
    const auto dateBox = [box](const QString& name) {
        QLineEdit* e = ::ui::DateBox(box, name);
        e->setFixedWidth(110);
        return e;
    };
    m_from = dateBox(QStringLiteral("maskDallaData"));
    m_to = dateBox(QStringLiteral("maskAllaData"));
    auto* h = new QHBoxLayout(box);
    h->addWidget(new QLabel(QStringLiteral("Dalla data"), box));
    h->addWidget(m_from);
    h->addSpacing(24);
    h->addWidget(new QLabel(QStringLiteral("Alla data"), box));
    h->addWidget(m_to);
    h->addStretch(1);
    return box;
}

void MainWindow::setVideoTopics(const QList<VideoTopic>& topics) {
    if (!m_videoPage)
        return;
    qDeleteAll(m_videoPage->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly));
    auto* outer = static_cast<QVBoxLayout*>(m_videoPage->layout());
    while (QLayoutItem* item = outer->takeAt(0)) {
        if (QLayout* inner = item->layout())
            delete inner;
        else
            delete item;
    }
    if (topics.isEmpty()) {
        auto* none = new QLabel(
            QStringLiteral("Nessun video configurato. L'elenco dei video si scrive nel file %1 "
                           "della cartella del programma, una riga per video: titolo | indirizzo.")
                .arg(VideoTopics::fileName()),
            m_videoPage);
        none->setWordWrap(true);
        none->setStyleSheet(QStringLiteral("color: #5a6472; font-size: 11pt;"));
        outer->addWidget(none);
    } else {
        auto* grid = new QGridLayout;
        grid->setHorizontalSpacing(12);
        grid->setVerticalSpacing(12);
        for (int c = 0; c < kColumns; ++c)
            grid->setColumnStretch(c, 1);
        for (int i = 0; i < topics.size(); ++i) {
            auto* b = new QPushButton(topics[i].title, m_videoPage);
            b->setObjectName(videoButtonName(i));
            b->setProperty("menuButton", true);
            b->setMinimumSize(200, kButtonHeight);
            b->setAutoDefault(false);
            b->setToolTip(topics[i].address);
            const QUrl url = QUrl::fromUserInput(topics[i].address);
            connect(b, &QPushButton::clicked, this, [url] { QDesktopServices::openUrl(url); });
            grid->addWidget(b, i / kColumns, i % kColumns);
        }
        outer->addLayout(grid);
    }
    outer->addStretch(1);
}

QPushButton* MainWindow::button(const QString& name) const {
    return m_buttons.value(name.toUpper());
}

bool MainWindow::isTabShown(const QString& tabName) const {
    for (int i = 0; i < m_tabs->count(); ++i)
        if (m_tabs->widget(i)->objectName() == tabName)
            return m_tabs->isTabVisible(i);
    return false;
}

void MainWindow::applyPermissions(const Permissions& permissions) {
    const QList<MenuTab>& all = MainMenu::tabs();
    for (int i = 0; i < all.size() && i < m_tabs->count(); ++i) {
        const MenuTab& tab = all[i];
        m_tabs->setTabVisible(i, tab.key.isEmpty() || permissions.isTabVisible(tab.key));
        for (const MenuButton& mb : tab.buttons) {
            QPushButton* b = button(mb.name);
            if (!b || mb.hidden)
                continue;
            b->setVisible(!mb.keyed || permissions.isButtonVisible(mb.name));
        }
        // A group whose buttons are all hidden goes too.
        for (QGroupBox* box : m_tabs->widget(i)->findChildren<QGroupBox*>()) {
            if (box->objectName() == QStringLiteral("grpStoricoPeriodo"))
                continue;
            bool any = false;
            for (QPushButton* b : box->findChildren<QPushButton*>())
                any |= !b->isHidden();
            box->setVisible(any);
        }
    }
}

void MainWindow::setCaption(const QString& caption) {
    setWindowTitle(caption.isEmpty() ? QStringLiteral("Ossarion") : caption);
    QString company = caption;
    company.remove(0, QStringLiteral("Ossarion - ").size());
    m_company->setText(caption.startsWith(QStringLiteral("Ossarion - ")) ? company : QString());
    refreshArchiveLabel();
}

void MainWindow::showStartTab(int index) {
    if (index >= 0 && index < m_tabs->count() && m_tabs->isTabVisible(index)) {
        m_tabs->setCurrentIndex(index);
        return;
    }
    for (int i = 0; i < m_tabs->count(); ++i) {
        if (m_tabs->isTabVisible(i)) {
            m_tabs->setCurrentIndex(i);
            return;
        }
    }
}

void MainWindow::start(const StartupResult& result, bool showReminder) {
    applyPermissions(result.permissions);
    setCaption(result.caption);
    showStartTab(result.startTab);
    if (showReminder && result.showReminder()) {
        QApplication::alert(this);
        raise();
        activateWindow();
        ReminderDialog reminder(result.dueInstalments, result.calendarNotices, m_context,
                                m_registry, this);
        reminder.exec();
    }
}

bool MainWindow::openScreen(const QString& buttonName) {
    if (!m_registry.has(buttonName))
        return false;
    common::Interaction* ui = m_context.interaction;
    const bool history = MainMenu::isHistoryButton(buttonName);
    if (history) {
        HistoryRange range;
        const auto failure = HistoryRange::read(m_from->text(), m_to->text(),
                                                !MainMenu::historyAcrossYears(buttonName), &range);
        if (failure) {
            if (ui)
                ui->fail(*failure);
            (failure->field == m_to->objectName() ? m_to : m_from)->setFocus();
            return false;
        }
        m_context.history = true;
        m_context.historyFrom = range.from;
        m_context.historyTo = range.to;
    }
    ::ui::guarded(ui, [&] { m_registry.find(buttonName)(this, m_context); });
    if (history) {
        m_context.history = false;
        m_context.historyFrom = QDate();
        m_context.historyTo = QDate();
    }
    return true;
}

void MainWindow::switchArchive() {
    if (!m_context.db || !m_context.interaction)
        return;
    ArchiveSwitch archiveSwitch(*m_context.db, *m_context.interaction);
    const ArchiveSwitch::Result r = archiveSwitch.run(m_path->text().trimmed());
    if (!r.switched)
        return;
    setCaption(r.caption);
}

void MainWindow::showHelp() {
    ::ui::HelpWindow* help = ::ui::HelpWindow::showFor(this);
    if (help && m_tabs->currentWidget())
        help->browser()->scrollToAnchor(m_tabs->currentWidget()->objectName());
}

void MainWindow::refreshArchiveLabel() {
    if (m_context.db && m_context.db->isOpen())
        m_archive->setText(QStringLiteral("Archivio: ") + m_context.db->displayName());
    else
        m_archive->setText(QString());
}

bool MainWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate && !m_activated) {
        m_activated = true;
        QTimer::singleShot(0, this, &MainWindow::firstActivation);
    }
    return QMainWindow::event(event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    ::ui::HelpWindow::closeAll();
    if (m_context.db && m_context.db->isOpen()) {
        // The backup the options ask for when the program closes.
        if (m_context.interaction)
            ExitBackup::run(*m_context.db, *m_context.interaction);
        m_context.db->close();
    }
    event->accept();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_path && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Down) {
            focusNextChild();
            return true;
        }
        if (key == Qt::Key_Up) {
            focusPreviousChild();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace app::ui
