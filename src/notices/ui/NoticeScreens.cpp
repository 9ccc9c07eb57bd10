#include "notices/ui/NoticeScreens.h"

#include "common/Interaction.h"
#include "common/Titles.h"
#include "notices/Notices.h"
#include "printing/ReportCodes.h"
#include "printing/ui/DocumentActions.h"
#include "ui/CardScreen.h"
#include "ui/DateBox.h"
#include "ui/FieldBinder.h"
#include "ui/FieldEditors.h"
#include "ui/Guarded.h"
#include "ui/HelpWindow.h"
#include "ui/ListScreen.h"
#include "ui/Lookups.h"
#include "ui/ScreenRegistry.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace notices::ui {

namespace {

const QString kTitle = QStringLiteral("Avvisi per Clienti");

QPushButton* button(QWidget* parent, const QString& text, const QString& name) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    return b;
}

QComboBox* choice(QWidget* parent, db::Database& db, const ::ui::Lookup& lookup,
                  const QString& name) {
    auto* c = new QComboBox(parent);
    c->setObjectName(name);
    ::ui::fillLookup(db, c, lookup, QVariant());
    return c;
}

QDate typedDate(const QLineEdit* box) {
    return QDate::fromString(box->text().trimmed(), QStringLiteral("dd/MM/yyyy"));
}

// The customer's key rides on the list entry, not in its text.
constexpr int kCustomerRole = Qt::UserRole;

} // namespace

::ui::ScreenDefinition catalogueDefinition() {
    ::ui::ScreenDefinition d;
    d.table = QStringLiteral("Avvisi");
    d.key = QStringLiteral("Id");
    d.objectName = QStringLiteral("frmGrigliaAvvisi");
    d.listTitle = QStringLiteral("Avvisi");
    d.cardTitle = QStringLiteral("Avvisi");
    d.orderBy = QStringLiteral("Descrizione");
    d.columns = {{QStringLiteral("Descrizione"), 260, QStringLiteral("Descrizione")},
                 {QStringLiteral("Testo"), 480, QStringLiteral("Testo")}};
    d.searches = {{QStringLiteral("Descrizione"), QStringLiteral("Descrizione")}};
    d.fields = {{.field = "Descrizione", .label = "Descrizione"},
                {.field = "Testo", .label = "Testo", .kind = ::ui::FieldKind::Memo}};
    d.newRow = {{QStringLiteral("Descrizione"), QString()}};
    d.deleteQuestion = QStringLiteral("Sei sicuro di voler eliminare il tipo di avviso ?");
    d.validate = &notices::checkNotice;
    return d;
}

// ---------------------------------------------------------------------------

NoticeWizard::NoticeWizard(::ui::AppContext& context, QWidget* parent)
    : QDialog(parent), m_context(context) {
    setObjectName(QStringLiteral("TfrmAvvisiClienti_Campi"));
    setWindowTitle(kTitle);
    resize(760, 560);
    m_pages = new QStackedWidget(this);
    m_pages->addWidget(buildText());
    m_pages->addWidget(buildFilters());
    m_pages->addWidget(buildCustomers());
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    ::ui::guarded(m_context, [&] {
        m_text->setPlainText(notices::workText(*m_context.db));
        fillImportChoice();
    });
}

int NoticeWizard::step() const {
    return m_pages->currentIndex();
}

QWidget* NoticeWizard::buildText() {
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    auto* importRow = new QHBoxLayout;
    importRow->addWidget(new QLabel(QStringLiteral("Importa da un avviso già predisposto"), page));
    m_import = new QComboBox(page);
    m_import->setObjectName(QStringLiteral("cmbImportaAvviso"));
    importRow->addWidget(m_import, 1);
    auto* add = button(page, QStringLiteral("Nuovo avviso"), QStringLiteral("btnNuovoAvviso"));
    importRow->addWidget(add);
    layout->addLayout(importRow);
    layout->addWidget(new QLabel(QStringLiteral("Testo (campi: {%1})")
                                     .arg(notices::fieldNames().join(QStringLiteral("}, {"))),
                                 page));
    m_text = new QPlainTextEdit(page);
    m_text->setObjectName(QStringLiteral("Testo"));
    layout->addWidget(m_text, 1);
    auto* buttons = new QHBoxLayout;
    auto* save = button(page, QStringLiteral("Salva"), QStringLiteral("btnSalva"));
    auto* next = button(page, QStringLiteral("Continua"), QStringLiteral("btnContinua"));
    auto* back = button(page, QStringLiteral("Indietro"), QStringLiteral("btnIndietro"));
    auto* help = button(page, QStringLiteral("Aiuto"), QStringLiteral("btnAiuto"));
    buttons->addWidget(save);
    buttons->addStretch();
    buttons->addWidget(next);
    buttons->addWidget(back);
    buttons->addWidget(help);
    layout->addLayout(buttons);
    connect(m_import, &QComboBox::activated, this, &NoticeWizard::importChosen);
    connect(add, &QPushButton::clicked, this, &NoticeWizard::addNotice);
    connect(save, &QPushButton::clicked, this, &NoticeWizard::saveText);
    connect(next, &QPushButton::clicked, this, &NoticeWizard::continueToFilters);
    connect(back, &QPushButton::clicked, this, &NoticeWizard::back);
    connect(help, &QPushButton::clicked, this, [this] { ::ui::HelpWindow::showFor(this); });
    return page;
}

QWidget* NoticeWizard::buildFilters() {
    db::Database& db = *m_context.db;
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    auto* box = new QGroupBox(QStringLiteral("Filtri:"), page);
    auto* form = new QFormLayout(box);
    m_payment = choice(box, db, ::ui::lookups::paymentTerms(), QStringLiteral("Pagamento_ID"));
    m_category =
        choice(box, db, ::ui::lookups::customerCategories(), QStringLiteral("Categoria_ID"));
    m_town = choice(box, db, ::ui::lookups::towns(), QStringLiteral("Comune_id"));
    m_province = choice(box, db, ::ui::lookups::provinces(), QStringLiteral("Provincia"));
    m_notes = new QLineEdit(box);
    m_notes->setObjectName(QStringLiteral("Note"));
    m_from = ::ui::DateBox(box, QStringLiteral("DaDataScadenza"));
    m_to = ::ui::DateBox(box, QStringLiteral("ADataScadenza"));
    m_publicAdministration = new QCheckBox(QStringLiteral("Pubblica Amministrazione"), box);
    m_publicAdministration->setObjectName(QStringLiteral("PubblicaAmministrazione"));
    m_paid = new QCheckBox(QStringLiteral("Pagamento effettuato"), box);
    m_paid->setObjectName(QStringLiteral("PagamentoEffettuato"));
    form->addRow(QStringLiteral("Mod. di pagamento"), m_payment);
    form->addRow(QStringLiteral("Categoria"), m_category);
    form->addRow(QStringLiteral("Comune residenza"), m_town);
    form->addRow(QStringLiteral("Provincia"), m_province);
    form->addRow(QStringLiteral("Note"), m_notes);
    form->addRow(QStringLiteral("Da data scadenza"), m_from);
    form->addRow(QStringLiteral("Alla data scadenza"), m_to);
    form->addRow(QString(), m_publicAdministration);
    form->addRow(QString(), m_paid);
    layout->addWidget(box);
    layout->addStretch();
    auto* buttons = new QHBoxLayout;
    auto* next = button(page, QStringLiteral("Continua"), QStringLiteral("btnContinuaFiltri"));
    auto* back = button(page, QStringLiteral("Indietro"), QStringLiteral("btnIndietroFiltri"));
    auto* help = button(page, QStringLiteral("Aiuto"), QStringLiteral("btnAiutoFiltri"));
    buttons->addStretch();
    buttons->addWidget(next);
    buttons->addWidget(back);
    buttons->addWidget(help);
    layout->addLayout(buttons);
    connect(next, &QPushButton::clicked, this, &NoticeWizard::continueToCustomers);
    connect(back, &QPushButton::clicked, this, &NoticeWizard::back);
    connect(help, &QPushButton::clicked, this, [this] { ::ui::HelpWindow::showFor(this); });
    return page;
}

QWidget* NoticeWizard::buildCustomers() {
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    m_customers = new QListWidget(page);
    m_customers->setObjectName(QStringLiteral("lstClienti"));
    m_customers->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_customers, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        QMenu menu(this);
        menu.addAction(QStringLiteral("Seleziona tutti"), this, [this] { tickAll(true); });
        menu.addAction(QStringLiteral("Nessuna selezione"), this, [this] { tickAll(false); });
        menu.exec(m_customers->viewport()->mapToGlobal(at));
    });
    layout->addWidget(m_customers, 1);
    auto* buttons = new QHBoxLayout;
    auto* print = button(page, QStringLiteral("Stampa"), QStringLiteral("btnStampa"));
    auto* mail = button(page, QStringLiteral("Invia Email"), QStringLiteral("btnInviaEmail"));
    auto* back = button(page, QStringLiteral("Indietro"), QStringLiteral("btnIndietroClienti"));
    auto* help = button(page, QStringLiteral("Aiuto"), QStringLiteral("btnAiutoClienti"));
    buttons->addWidget(print);
    buttons->addWidget(mail);
    buttons->addStretch();
    buttons->addWidget(back);
    buttons->addWidget(help);
    layout->addLayout(buttons);
    connect(print, &QPushButton::clicked, this, &NoticeWizard::print);
    connect(mail, &QPushButton::clicked, this, &NoticeWizard::sendEmail);
    connect(back, &QPushButton::clicked, this, &NoticeWizard::back);
    connect(help, &QPushButton::clicked, this, [this] { ::ui::HelpWindow::showFor(this); });
    return page;
}

void NoticeWizard::fillImportChoice() {
    m_import->clear();
    m_import->addItem(QString(), QVariant());
    for (const db::Row& r : m_context.db->query(notices::catalogueQuery()))
        m_import->addItem(r.text(QStringLiteral("Descrizione")), r.integer(QStringLiteral("Id")));
}

bool NoticeWizard::saveText() {
    return ::ui::guardedRule(
        m_context, [&] { return notices::saveWorkText(*m_context.db, m_text->toPlainText()); },
        [&](const common::Failure& f) {
            ::ui::showFailure(*m_context.interaction, f);
            m_text->setFocus();
        });
}

void NoticeWizard::importChosen(int index) {
    const QVariant id = m_import->itemData(index);
    if (id.isNull())
        return;
    ::ui::guarded(m_context, [&] {
        if (notices::importNotice(*m_context.db, *m_context.interaction, id.toLongLong()))
            m_text->setPlainText(notices::workText(*m_context.db));
    });
}

void NoticeWizard::addNotice() {
    ::ui::guarded(m_context, [&] {
        const qint64 id = notices::insertNotice(*m_context.db);
        const ::ui::ScreenDefinition d = catalogueDefinition();
        ::ui::CardScreen card(m_context, d, id, true, this);
        card.exec();
        fillImportChoice();
    });
}

void NoticeWizard::continueToFilters() {
    if (!saveText())
        return;
    m_payment->setCurrentIndex(0);
    m_category->setCurrentIndex(0);
    m_town->setCurrentIndex(0);
    m_province->setCurrentIndex(0);
    m_notes->clear();
    setObjectName(QStringLiteral("TfrmAvvisiClienti_Filtri"));
    m_pages->setCurrentIndex(1);
}

QWidget* NoticeWizard::filterWidget(const QString& objectName) const {
    return m_pages->widget(1)->findChild<QWidget*>(objectName);
}

notices::Filters NoticeWizard::filters() const {
    notices::Filters f;
    f.paymentId = m_payment->currentData();
    f.categoryId = m_category->currentData();
    f.comuneId = m_town->currentData();
    f.province = m_province->currentData().toString();
    f.notes = m_notes->text();
    f.dueFrom = typedDate(m_from);
    f.dueTo = typedDate(m_to);
    f.publicAdministration = m_publicAdministration->isChecked();
    f.paid = m_paid->isChecked();
    return f;
}

void NoticeWizard::continueToCustomers() {
    for (QLineEdit* box : {m_from, m_to})
        if (!box->text().trimmed().isEmpty() && !typedDate(box).isValid()) {
            m_context.interaction->error(common::titles::errorCapitalised,
                                         QStringLiteral("Attenzione la data non è valida"));
            box->setFocus();
            return;
        }
    ::ui::guarded(m_context, [&] {
        m_applied = filters();
        const QList<notices::Customer> found = notices::chooseCustomers(*m_context.db, m_applied);
        m_customers->clear();
        for (const notices::Customer& c : found) {
            auto* item = new QListWidgetItem(c.name, m_customers);
            item->setData(kCustomerRole, c.id);
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(Qt::Checked);
        }
        setObjectName(QStringLiteral("TfrmAvvisiClienti_Griglia"));
        m_pages->setCurrentIndex(2);
    });
}

void NoticeWizard::tickAll(bool ticked) {
    for (int i = 0; i < m_customers->count(); ++i)
        m_customers->item(i)->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
}

QList<qint64> NoticeWizard::tickedCustomers() const {
    QList<qint64> out;
    for (int i = 0; i < m_customers->count(); ++i)
        if (m_customers->item(i)->checkState() == Qt::Checked)
            out.append(m_customers->item(i)->data(kCustomerRole).toLongLong());
    return out;
}

void NoticeWizard::printLetters(const QList<qint64>& customers) {
    if (!::ui::guardedRule(
            m_context,
            [&] {
                return notices::prepareLetters(*m_context.db, customers, m_applied.dueFrom,
                                               m_applied.dueTo);
            },
            [&](const common::Failure& f) { ::ui::showFailure(*m_context.interaction, f); }))
        return;
    // The request is written outside the transaction, so the print program
    // sees it.
    ::ui::guarded(m_context, [&] {
        printing::ReportCall call;
        call.code = printing::reports::notices;
        call.selection = notices::letterSelection(m_context.db->workstation());
        printing::ui::printReport(m_context, call);
    });
}

void NoticeWizard::print() {
    printLetters(tickedCustomers());
}

void NoticeWizard::sendEmail() {
    QString subject = QStringLiteral("Avviso");
    if (!m_context.interaction->askText(kTitle, QStringLiteral("Oggetto dell'email"), &subject))
        return;
    notices::MailRequest request;
    request.customers = tickedCustomers();
    request.dueFrom = m_applied.dueFrom;
    request.dueTo = m_applied.dueTo;
    request.subject = subject;
    notices::MailOutcome outcome;
    const bool sent = ::ui::guardedRule(
        m_context,
        [&] {
            return notices::sendNotices(*m_context.db, *m_context.interaction, request, &outcome);
        },
        [&](const common::Failure& f) {
            // Missing mail options were already shown by the mailer.
            if (f.field == QStringLiteral("Testo"))
                ::ui::showFailure(*m_context.interaction, f);
        });
    if (!sent)
        return;
    MailOutcomeWindow window(outcome, this);
    QList<qint64> withoutAddress;
    for (const notices::Customer& c : outcome.noAddress)
        withoutAddress.append(c.id);
    connect(&window, &MailOutcomeWindow::printRequested, this,
            [&] { printLetters(withoutAddress); });
    window.exec();
}

void NoticeWizard::back() {
    if (step() == 0) {
        // "Indietro" keeps the text as it stands.
        ::ui::guarded(m_context, [&] {
            if (!m_text->toPlainText().trimmed().isEmpty())
                notices::saveWorkText(*m_context.db, m_text->toPlainText());
        });
        reject();
        return;
    }
    m_pages->setCurrentIndex(step() - 1);
    setObjectName(step() == 0 ? QStringLiteral("TfrmAvvisiClienti_Campi")
                              : QStringLiteral("TfrmAvvisiClienti_Filtri"));
}

// ---------------------------------------------------------------------------

MailOutcomeWindow::MailOutcomeWindow(const notices::MailOutcome& outcome, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("frmAvvisiEsitoEmail"));
    setWindowTitle(QStringLiteral("Avvisi inviati per email"));
    resize(560, 420);
    auto* layout = new QVBoxLayout(this);
    auto* text = new QPlainTextEdit(notices::outcomeText(outcome), this);
    text->setObjectName(QStringLiteral("Esito"));
    text->setReadOnly(true);
    layout->addWidget(text, 1);
    auto* buttons = new QHBoxLayout;
    m_print = button(this, QStringLiteral("Stampa i clienti senza email"),
                     QStringLiteral("btnStampaSenzaEmail"));
    m_print->setEnabled(!outcome.noAddress.isEmpty());
    auto* close = button(this, QStringLiteral("Chiudi"), QStringLiteral("btnChiudi"));
    buttons->addWidget(m_print);
    buttons->addStretch();
    buttons->addWidget(close);
    layout->addLayout(buttons);
    connect(m_print, &QPushButton::clicked, this, [this] {
        emit printRequested();
        m_print->setEnabled(false);
    });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
}

// ---------------------------------------------------------------------------

void registerNoticeScreens(::ui::ScreenRegistry& registry) {
    registry.add(QStringLiteral("btnArchivioAvvisi"), [](QWidget* parent, ::ui::AppContext& c) {
        ::ui::ListScreen list(c, catalogueDefinition(), parent);
        list.exec();
    });
    registry.add(QStringLiteral("btnAttivitaAvvisiClienti"),
                 [](QWidget* parent, ::ui::AppContext& c) {
                     NoticeWizard wizard(c, parent);
                     wizard.exec();
                 });
}

} // namespace notices::ui
