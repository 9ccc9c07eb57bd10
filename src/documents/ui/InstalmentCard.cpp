#include "documents/ui/InstalmentCard.h"

#include "common/Interaction.h"
#include "common/TextForms.h"
#include "common/Titles.h"
#include "db/Database.h"
#include "db/RegistryRecord.h"
#include "documents/InstalmentRules.h"
#include "ui/ActionButton.h"
#include "ui/AppContext.h"
#include "ui/FieldBinder.h"
#include "ui/FieldNavigator.h"
#include "ui/Guarded.h"
#include "ui/HelpWindow.h"
#include "ui/Lookups.h"
#include "ui/ScreenRegistry.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace documents::ui {

namespace {

QPushButton* ToolButton(QWidget* parent, QHBoxLayout* row, const QString& caption,
                        const QString& name) {
    QPushButton* b = ::ui::ActionButton(caption, name, parent);
    row->addWidget(b);
    return b;
}

} // namespace

InstalmentCard::InstalmentCard(::ui::AppContext& context, qint64 instalmentId, bool isNew,
                               QWidget* parent)
    : QDialog(parent), m_context(context), m_id(instalmentId), m_isNew(isNew) {
    setObjectName(QStringLiteral("TfrmScadenziarioDettaglio"));
    setWindowTitle(QStringLiteral("Scadenza"));
    setModal(true);
    resize(720, 460);

    auto* layout = new QVBoxLayout(this);
    auto* tools = new QHBoxLayout();
    m_save = ToolButton(this, tools, QStringLiteral("Salva"), QStringLiteral("spdSalva"));
    m_cancel = ToolButton(this, tools, QStringLiteral("Annulla"), QStringLiteral("spdAnnulla"));
    auto* cashBook =
        ToolButton(this, tools, QStringLiteral("prima nota"), QStringLiteral("spdPrimaNota"));
    cashBook->setToolTip(QStringLiteral("Visualizza in prima nota"));
    m_back = ToolButton(this, tools, QStringLiteral("Indietro"), QStringLiteral("spdIndietro"));
    auto* help = ToolButton(this, tools, QStringLiteral("Aiuto"), QStringLiteral("spdAiuto"));
    tools->addStretch(1);
    layout->addLayout(tools);

    m_navigator = new ::ui::FieldNavigator(this);
    m_fields =
        new ::ui::FieldBinder(*context.db, QStringLiteral("FatturaScadenze"), m_navigator, this);
    auto* grid = new QGridLayout();
    layout->addLayout(grid);

    m_fields->place(grid, {{.field = "DataScadenza", .label = "Data Scadenza"}}, this);
    // "Oggi" beside the payment date.
    m_fields->place(grid, {{.field = "DataPagamento", .label = "Data Pagamento effettuato"}}, this);
    QPushButton* todayButton =
        ::ui::ActionButton(QStringLiteral("Oggi"), QStringLiteral("btnOggi"), this);
    {
        QWidget* paid = m_fields->editor(QStringLiteral("DataPagamento"));
        const int row = grid->rowCount() - 1;
        grid->removeWidget(paid);
        auto* box = new QHBoxLayout();
        box->addWidget(paid);
        box->addWidget(todayButton);
        box->addStretch(1);
        grid->addLayout(box, row, 1, 1, 3);
    }

    auto* partyLabel = new QLabel(QStringLiteral("Cliente"), this);
    m_partyLabel = partyLabel;
    m_party = new QLineEdit(this);
    m_party->setObjectName(QStringLiteral("txtNominativo"));
    m_party->setReadOnly(true);
    const int partyRow = grid->rowCount();
    grid->addWidget(partyLabel, partyRow, 0);
    grid->addWidget(m_party, partyRow, 1, 1, 3);

    m_fields->place(grid,
                    {{.field = "ModPagamento_Id",
                      .label = "Modalità di pagamento",
                      .lookup = ::ui::lookups::paymentTerms()},
                     {.field = "Banca_ID", .label = "Banca", .lookup = ::ui::lookups::banks()},
                     {.field = "Importo", .label = "Importo Totale", .width = 140},
                     {.field = "Operazione", .label = "Descrizione Operazione"},
                     {.field = "Numero", .label = "N° Rata", .width = 80},
                     {.field = "Dettagli", .label = "Dettagli pagamento"},
                     {.field = "Note", .label = "Note"},
                     {.field = "File", .label = "File"}},
                    this);
    const int fileRow = grid->rowCount() - 1;
    auto* fileButtons = new QHBoxLayout();
    auto* search = new QPushButton(QStringLiteral("..."), this);
    search->setObjectName(QStringLiteral("btnCercaFile"));
    search->setToolTip(QStringLiteral("Cerca il file"));
    search->setAutoDefault(false);
    QPushButton* view = ::ui::ActionButton(QStringLiteral("Vedi"), QStringLiteral("btnVedi"), this);
    fileButtons->addWidget(search);
    fileButtons->addWidget(view);
    grid->addLayout(fileButtons, fileRow, 2);
    // Every editor reaches the right edge, beside the "Oggi" and file buttons.
    for (const QString& f : m_fields->fields()) {
        QWidget* e = m_fields->editor(f);
        const int index = grid->indexOf(e);
        if (index < 0)
            continue;
        int r = 0, c = 0, rs = 0, cs = 0;
        grid->getItemPosition(index, &r, &c, &rs, &cs);
        if (r != fileRow && f != QLatin1String("DataPagamento")) {
            grid->removeWidget(e);
            grid->addWidget(e, r, c, 1, 3);
        }
    }
    grid->setColumnStretch(1, 1);
    layout->addStretch(1);

    connect(m_fields, &::ui::FieldBinder::edited, this, [this] { m_modified = true; });
    connect(m_save, &QPushButton::clicked, this, &InstalmentCard::save);
    connect(m_cancel, &QPushButton::clicked, this, &InstalmentCard::cancelEdit);
    connect(m_back, &QPushButton::clicked, this, &InstalmentCard::goBack);
    connect(cashBook, &QPushButton::clicked, this, &InstalmentCard::showCashBook);
    connect(help, &QPushButton::clicked, this, [this] { ::ui::HelpWindow::showFor(this); });
    connect(todayButton, &QPushButton::clicked, this, &InstalmentCard::today);
    connect(search, &QPushButton::clicked, this, &InstalmentCard::chooseFile);
    connect(view, &QPushButton::clicked, this, &InstalmentCard::viewFile);
    load();
}

void InstalmentCard::load() {
    m_record = InstalmentRules::load(*m_context.db, m_id);
    m_fields->show(m_record);
    const qint64 customer = db::RecordKey(m_record, QStringLiteral("Cliente_id"));
    const qint64 supplier = db::RecordKey(m_record, QStringLiteral("Fornitore_id"));
    QString name;
    if (customer > 0)
        name = m_context.db
                   ->scalar(QStringLiteral("select NominativoDocumenti from Clienti where Id = ?"),
                            {customer})
                   .toString();
    else if (supplier > 0)
        name =
            m_context.db
                ->scalar(QStringLiteral("select Fornitore from Fornitor where Id = ?"), {supplier})
                .toString();
    m_party->setText(name);
    const QString type = db::recordText(m_record, QStringLiteral("Tipo")).toUpper();
    m_partyLabel->setText(type == QLatin1String("C") || type == QLatin1String("B")
                              ? QStringLiteral("Fornitore")
                              : QStringLiteral("Cliente"));
    m_modified = false;
}

bool InstalmentCard::save() {
    QVariantMap record = m_record;
    if (auto f = m_fields->read(record)) {
        ::ui::showFailure(*m_context.interaction, *f);
        if (QWidget* e = m_fields->editor(f->field))
            e->setFocus();
        return false;
    }
    if (!::ui::guardedRule(
            m_context, [&] { return InstalmentRules::save(*m_context.db, record); },
            [&](const common::Failure& f) {
                ::ui::showFailure(*m_context.interaction, f);
                if (QWidget* e = m_fields->editor(f.field))
                    e->setFocus();
            }))
        return false;
    m_isNew = false;
    load();
    return true;
}

void InstalmentCard::goBack() {
    if (m_modified && !save())
        return;
    accept();
}

void InstalmentCard::reject() {
    goBack();
}

void InstalmentCard::cancelEdit() {
    if (m_isNew) {
        if (!m_context.interaction->confirmCancelInsertion())
            return;
        if (!::ui::guarded(m_context, [&] { InstalmentRules::remove(*m_context.db, m_id); }))
            return;
    }
    m_modified = false;
    QDialog::reject();
}

void InstalmentCard::today() {
    m_fields->showValue(QStringLiteral("DataPagamento"), QDate::currentDate());
    m_modified = true;
}

void InstalmentCard::chooseFile() {
    const QString path = m_context.interaction->openFile(
        QStringLiteral("Scegli il file del pagamento"), QStringLiteral("Tutti i file (*)"),
        QFileInfo(m_fields->value(QStringLiteral("File")).toString()).absolutePath());
    if (path.isEmpty())
        return;
    m_fields->showValue(QStringLiteral("File"), path);
    m_modified = true;
}

void InstalmentCard::viewFile() {
    const QString path = m_fields->value(QStringLiteral("File")).toString().trimmed();
    if (path.isEmpty()) {
        m_context.interaction->error(common::titles::error,
                                     QStringLiteral("Attenzione manca il percorso dell'immagine"));
        return;
    }
    if (!QFileInfo::exists(path)) {
        m_context.interaction->error(
            common::titles::error,
            QStringLiteral("Il file: ") + path +
                QStringLiteral(" non esiste più oppure e' stato spostato !!!"));
        return;
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void InstalmentCard::showCashBook() {
    ::ui::guarded(m_context, [&] {
        showMovement(m_context, InstalmentRules::instalmentMovement(*m_context.db, m_id), this);
    });
}

void InstalmentCard::showMovement(::ui::AppContext& context, qint64 movementId, QWidget* parent) {
    const QString title = QStringLiteral("Prima nota");
    if (movementId == 0) {
        context.interaction->information(
            title, QStringLiteral("Non è presente alcun movimento di prima nota."));
        return;
    }
    // The cash-book card, when the program has it.
    if (context.screens && context.screens->has(QStringLiteral("movimentoPrimaNota"))) {
        ::ui::AppContext own = context;
        own.recordKey = movementId;
        context.screens->find(QStringLiteral("movimentoPrimaNota"))(parent, own);
        return;
    }
    const db::Result r = context.db->query(
        QStringLiteral("select Data, Operazione, Entrata, Uscita from finanzia where ID = ?"),
        {movementId});
    if (r.empty()) {
        context.interaction->information(
            title, QStringLiteral("Non è presente alcun movimento di prima nota."));
        return;
    }
    const db::Row& m = r.first();
    context.interaction->information(
        title, QStringLiteral("Data: %1\nOperazione: %2\nEntrata: %3\nUscita: %4")
                   .arg(common::italianDate(m.date(QStringLiteral("Data"))),
                        m.text(QStringLiteral("Operazione")),
                        common::euroText(m.number(QStringLiteral("Entrata"))),
                        common::euroText(m.number(QStringLiteral("Uscita")))));
}

} // namespace documents::ui
