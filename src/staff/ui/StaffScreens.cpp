#include "staff/ui/StaffScreens.h"

#include "common/Interaction.h"
#include "common/Titles.h"
#include "printing/ReportCodes.h"
#include "printing/ui/DocumentActions.h"
#include "registries/EmailAddresses.h"
#include "registries/SimpleRegistryRules.h"
#include "registries/ui/RegistryHelpers.h"
#include "registries/ui/RegistryScreens.h"
#include "staff/StaffRules.h"
#include "ui/AppContext.h"
#include "ui/DataGrid.h"
#include "ui/DateBox.h"
#include "ui/FieldBinder.h"
#include "ui/Guarded.h"
#include "ui/HelpWindow.h"
#include "ui/Lookups.h"
#include "ui/ScreenRegistry.h"
#include "ui/ScreenTitle.h"

#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace staff::ui {

using ::ui::CardField;
using ::ui::FieldKind;
using ::ui::ScreenDefinition;

namespace {

const QString kGenerale = QStringLiteral("Generale");
const QString kEconomici = QStringLiteral("Dati Economici");
const QString kDocumenti = QStringLiteral("Documenti");
const QString kScadenze = QStringLiteral("Scadenze");
const QString kCosti = QStringLiteral("Costi");
const QString kStipendi = QStringLiteral("Stipendi");

::ui::Lookup describedById(const QString& table) {
    return {QStringLiteral("select ID, Descrizione from %1 order by Descrizione").arg(table),
            QStringLiteral("ID"), QStringLiteral("Descrizione"), QString()};
}

// Tables that refer to their type by its description.
::ui::Lookup describedByText(const QString& table) {
    return {QStringLiteral("select distinct Descrizione from %1 order by Descrizione").arg(table),
            QStringLiteral("Descrizione"), QStringLiteral("Descrizione"), QString()};
}

QPushButton* smallButton(QWidget* parent, const QString& text, const QString& name) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

} // namespace

ScreenDefinition staffDefinition() {
    ScreenDefinition d;
    d.table = QStringLiteral("Personale");
    d.objectName = QStringLiteral("TfrmGrigliaPersonale");
    d.listTitle = QStringLiteral("Personale");
    d.cardTitle = QStringLiteral("Personale");
    d.select = listSelect();
    d.orderBy = listOrder();
    d.cancellable = true;
    d.columns = {{"Personale", 240, "Nominativo"}, {"Categoria", 130, "Categoria"},
                 {"NomeComune", 150, "Comune"},    {"Provincia", 40, "Prov."},
                 {"Tel", 110, "Telefono"},         {"Cell", 110, "Cellulare"},
                 {"Email", 180, "E-mail"},         {"CodFisc", 150, "Codice fiscale"},
                 {"Codice", 70, "Codice"}};
    d.searches = {{"Personale", "Nominativo"},
                  {"CategoriePersonale.Descrizione", "Categoria"},
                  {"Comuni.Comune", "Comune"}};
    d.newRow = {{QStringLiteral("IdPaese"), QStringLiteral("IT")},
                {QStringLiteral("Annullato"), false},
                {QStringLiteral("PrivacyFirmata"), false}};
    d.deleteQuestion = QStringLiteral("Sei sicuro di voler eliminare il Record?");
    d.fields = {
        {.field = "Personale", .label = "Nominativo", .page = kGenerale},
        {.field = "Titolo", .label = "Titolo", .page = kGenerale, .width = 90},
        {.field = "Cognome", .label = "Cognome", .page = kGenerale, .sameRow = true},
        {.field = "Nome", .label = "Nome", .page = kGenerale, .sameRow = true},
        {.field = "Codice", .label = "Codice", .page = kGenerale, .width = 110},
        {.field = "CategoriaPersonale_ID",
         .label = "Categoria",
         .lookup = describedById(QStringLiteral("CategoriePersonale")),
         .page = kGenerale,
         .sameRow = true},
        {.field = "Indirizzo", .label = "Indirizzo", .page = kGenerale},
        {.field = "Numero", .label = "Numero", .page = kGenerale, .sameRow = true, .width = 70},
        {.field = "Cap", .label = "CAP", .page = kGenerale, .width = 80},
        {.field = "Comune_Id",
         .label = "Comune",
         .lookup = ::ui::lookups::towns(),
         .page = kGenerale,
         .sameRow = true},
        {.field = "IdPaese",
         .label = "Nazione",
         .lookup = ::ui::lookups::countries(),
         .page = kGenerale},
        {.field = "Tel", .label = "Telefono", .page = kGenerale},
        {.field = "Telefono2", .label = "Telefono 2", .page = kGenerale, .sameRow = true},
        {.field = "Cell", .label = "Cellulare", .page = kGenerale},
        {.field = "Fax", .label = "Fax", .page = kGenerale, .sameRow = true},
        {.field = "Email", .label = "E-mail", .page = kGenerale},
        {.field = "Skype", .label = "Skype", .page = kGenerale, .sameRow = true},
        {.field = "CodFisc",
         .label = "Codice fiscale",
         .page = kGenerale,
         .onLeave = registries::ui::upperCase},
        {.field = "Iva", .label = "Partita IVA", .page = kGenerale, .sameRow = true},
        {.field = "CodEORI", .label = "Codice EORI", .page = kGenerale, .sameRow = true},
        {.field = "DataNascita", .label = "Data di nascita", .page = kGenerale},
        {.field = "LuogoNascita_id",
         .label = "Luogo di nascita",
         .lookup = ::ui::lookups::towns(),
         .page = kGenerale,
         .sameRow = true},
        {.field = "StatoNascita",
         .label = "Stato di nascita",
         .lookup = ::ui::lookups::countries(),
         .page = kGenerale},
        {.field = "Cittadinanza",
         .label = "Cittadinanza",
         .lookup = ::ui::lookups::countries(),
         .page = kGenerale,
         .sameRow = true},
        {.field = "CartellaServer", .label = "Cartella Dati", .page = kGenerale},
        {.field = "PrivacyFirmata", .label = "Privacy firmata", .page = kGenerale},
        {.field = "Annullato", .label = "Annullato", .page = kGenerale, .sameRow = true},
        {.field = "Note", .label = "Note", .kind = FieldKind::Memo, .page = kGenerale},

        {.field = "PagaMensile",
         .label = "Paga mensile",
         .kind = FieldKind::Amount,
         .page = kEconomici,
         .width = 120},
        {.field = "TariffaGiornaliera",
         .label = "Tariffa giornaliera",
         .kind = FieldKind::Amount,
         .page = kEconomici,
         .width = 120},
        {.field = "TariffaOraria",
         .label = "Tariffa oraria",
         .kind = FieldKind::Amount,
         .page = kEconomici,
         .width = 120},
        {.field = "DataAssunzione", .label = "Data assunzione", .page = kEconomici},
        {.field = "DataFineRapporto",
         .label = "Fine rapporto",
         .page = kEconomici,
         .sameRow = true},
        {.field = "Iban",
         .label = "IBAN",
         .page = kEconomici,
         .maxLength = 34,
         .onLeave = registries::normalisedIban},
        {.field = "DescBanca", .label = "Banca", .page = kEconomici},

        {.field = "DocTipo",
         .label = "Tipo documento",
         .lookup = describedByText(QStringLiteral("TipoDocumenti")),
         .page = kDocumenti},
        {.field = "Documento", .label = "Numero documento", .page = kDocumenti, .sameRow = true},
        {.field = "Passaporto_Numero", .label = "Passaporto", .page = kDocumenti},
        {.field = "Passaporto_DataRilascio",
         .label = "Rilasciato il",
         .page = kDocumenti,
         .sameRow = true},
        {.field = "PermSogg_Numero", .label = "Permesso di soggiorno", .page = kDocumenti},
        {.field = "PermSogg_Data", .label = "Rilasciato il", .page = kDocumenti, .sameRow = true},
        {.field = "PermSogg_Scadenza", .label = "Scadenza", .page = kDocumenti, .sameRow = true},
        {.field = "PermSogg_Questura", .label = "Questura", .page = kDocumenti},
        {.field = "NumeroLicenzaGuida", .label = "Patente di guida", .page = kDocumenti},
        {.field = "CQC", .label = "Carta di qualificazione (CQC)", .page = kDocumenti},
        {.field = "Tachigrafo", .label = "Carta tachigrafica", .page = kDocumenti, .sameRow = true},
    };
    d.validate = &checkStaff;
    d.afterSave = [](db::Database& db, qint64 key, const QVariantMap&) {
        renameOnCalendar(db, key);
    };
    d.beforeDelete = &deleteDependents;
    d.makeCard = ::ui::cardOf<StaffCard>();
    return d;
}

ScreenDefinition deadlineDefinition(qint64 staffId) {
    ScreenDefinition d;
    d.table = QStringLiteral("PersonaleScadenze");
    d.objectName = QStringLiteral("TfrmPersonaleScadenze");
    d.listTitle = QStringLiteral("Scadenze");
    d.cardTitle = QStringLiteral("Scadenza");
    d.columns = {{"DataScadenza", 100, "Scadenza"},   {"DataAvviso", 100, "Avviso"},
                 {"Descrizione", 220, "Descrizione"}, {"Tipologia", 150, "Tipologia"},
                 {"Validato", 80, "Effettuato"},      {"Note", 200, "Note"}};
    d.fields = {
        {.field = "Descrizione", .label = "Descrizione"},
        {.field = "Tipologia",
         .label = "Tipologia",
         .lookup = describedByText(QStringLiteral("TipologiaScadenzePersonale"))},
        {.field = "DataScadenza", .label = "Data scadenza", .kind = FieldKind::Date},
        {.field = "DataAvviso", .label = "Data avviso", .kind = FieldKind::Date, .sameRow = true},
        {.field = "Validato", .label = "Effettuato", .kind = FieldKind::Check},
        {.field = "Note", .label = "Note", .kind = FieldKind::Memo},
    };
    d.newRow = {{QStringLiteral("Personale_ID"), staffId}};
    d.deleteQuestion = deadlineDeleteQuestion();
    d.validate = &checkDeadline;
    d.makeCard = ::ui::cardOf<CheckedCard>();
    return d;
}

ScreenDefinition costDefinition(qint64 staffId) {
    ScreenDefinition d;
    d.table = QStringLiteral("PersonaleCosti");
    d.objectName = QStringLiteral("TfrmPersonaleCosti");
    d.listTitle = QStringLiteral("Costi");
    d.cardTitle = QStringLiteral("Costo");
    d.select = QStringLiteral(
        "select PersonaleCosti.*, TipologiaCostiPersonale.Descrizione as Tipologia from "
        "PersonaleCosti left join TipologiaCostiPersonale on PersonaleCosti.TipologiaCosto_id = "
        "TipologiaCostiPersonale.ID");
    d.columns = {{"Data", 100, "Data"},
                 {"Tipologia", 180, "Tipologia"},
                 {"Importo", 100, "Importo"},
                 {"Note", 260, "Note"}};
    d.fields = {
        {.field = "Data", .label = "Data", .kind = FieldKind::Date},
        {.field = "TipologiaCosto_id",
         .label = "Tipologia",
         .lookup = describedById(QStringLiteral("TipologiaCostiPersonale"))},
        {.field = "Importo", .label = "Importo", .kind = FieldKind::Amount, .width = 120},
        {.field = "Note", .label = "Note", .kind = FieldKind::Memo},
    };
    d.newRow = {{QStringLiteral("Personale_ID"), staffId}};
    d.deleteQuestion = costDeleteQuestion();
    d.validate = &checkCost;
    d.makeCard = ::ui::cardOf<CheckedCard>();
    return d;
}

ScreenDefinition salaryDefinition(qint64 staffId) {
    ScreenDefinition d;
    d.table = QStringLiteral("PersonaleStipendi");
    d.objectName = QStringLiteral("TfrmPersonaleStipendi");
    d.listTitle = QStringLiteral("Stipendi");
    d.cardTitle = QStringLiteral("Stipendio");
    d.columns = {{"Anno", 60, "Anno"},
                 {"Mese", 50, "Mese"},
                 {"DataPagamento", 100, "Pagato il"},
                 {"ImportoBonifico", 110, "Bonifico"},
                 {"Base", 100, "Base"},
                 {"TotaleParziale", 110, "Totale parziale"},
                 {"Note", 200, "Note"}};
    const auto amount = [](const char* field, const char* label, bool sameRow) {
        return CardField{.field = QString::fromLatin1(field),
                         .label = QString::fromUtf8(label),
                         .kind = FieldKind::Amount,
                         .sameRow = sameRow,
                         .width = 110};
    };
    d.fields = {
        {.field = "Anno", .label = "Anno", .kind = FieldKind::Integer, .width = 70},
        {.field = "Mese",
         .label = "Mese",
         .kind = FieldKind::Integer,
         .sameRow = true,
         .width = 50},
        {.field = "DataPagamento",
         .label = "Data pagamento",
         .kind = FieldKind::Date,
         .sameRow = true},
        amount("ImportoBonifico", "Importo bonifico", false),
        amount("Base", "Base", false),
        {.field = "Giorni",
         .label = "Giorni",
         .kind = FieldKind::Amount,
         .sameRow = true,
         .width = 70},
        amount("Trasferta", "Trasferta", false),
        amount("Assegni", "Assegni", true),
        amount("Addebiti", "Addebiti", false),
        {.field = "Addebiti_Descrizione",
         .label = "Descrizione",
         .kind = FieldKind::Text,
         .sameRow = true},
        amount("Accrediti", "Accrediti", false),
        {.field = "Accrediti_Descrizione",
         .label = "Descrizione",
         .kind = FieldKind::Text,
         .sameRow = true},
        amount("TotaleParziale", "Totale parziale", false),
        {.field = "Note", .label = "Note", .kind = FieldKind::Memo},
    };
    d.newRow = {{QStringLiteral("Personale_ID"), staffId}};
    d.deleteQuestion = salaryDeleteQuestion();
    d.validate = &checkSalary;
    d.makeCard = ::ui::cardOf<SalaryCard>();
    return d;
}

ScreenDefinition categoriesDefinition() {
    return registries::ui::describedTable(
        QStringLiteral("CategoriePersonale"), QStringLiteral("frmGrigliaCategoriePersonale"),
        QStringLiteral("Categorie Personale"), QStringLiteral("Categoria Personale"),
        QStringLiteral("Sei sicuro di voler eliminare la Categoria?"));
}

ScreenDefinition costTypesDefinition() {
    return registries::ui::describedTable(
        QStringLiteral("TipologiaCostiPersonale"),
        QStringLiteral("frmGrigliaTipologiaCostiPersonale"),
        QStringLiteral("Tipologie Costi Personale"), QStringLiteral("Tipologia Costi Personale"),
        QStringLiteral("Sei sicuro di voler eliminare la Tipologia?"));
}

ScreenDefinition deadlineTypesDefinition() {
    return registries::ui::describedTable(
        QStringLiteral("TipologiaScadenzePersonale"),
        QStringLiteral("frmGrigliaTipologiaScadenzePersonale"),
        QStringLiteral("Tipologie Scadenze Personale"),
        QStringLiteral("Tipologia Scadenze Personale"),
        QStringLiteral("Sei sicuro di voler eliminare la Tipologia?"));
}

// ---------------------------------------------------------------------------

DependentList::DependentList(::ui::AppContext& context, ScreenDefinition definition, qint64 staffId,
                             Insert insert, QString order, const QString& gridName, int report,
                             QWidget* parent)
    : QWidget(parent), m_context(context), m_definition(std::move(definition)), m_staffId(staffId),
      m_insert(std::move(insert)), m_order(std::move(order)), m_report(report) {
    setObjectName(m_definition.objectName + QStringLiteral("_Lista"));
    m_grid = new ::ui::DataGrid(context, gridName, this);
    m_grid->setTable(m_definition.table);
    m_grid->setDefaultColumns(m_definition.columns);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    auto* add = smallButton(this, QStringLiteral("Nuovo"), QStringLiteral("btnNuovo"));
    auto* open = smallButton(this, QStringLiteral("Apri"), QStringLiteral("btnApri"));
    auto* remove = smallButton(this, QStringLiteral("Elimina"), QStringLiteral("btnElimina"));
    auto* printButton = smallButton(this, QStringLiteral("Stampa"), QStringLiteral("btnStampa"));
    connect(printButton, &QPushButton::clicked, this, &DependentList::print);
    auto* buttons = new QHBoxLayout();
    for (QPushButton* b : {add, open, remove, printButton})
        buttons->addWidget(b);
    buttons->addStretch(1);
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(0, 0, 0, 0);
    v->addWidget(m_grid, 1);
    v->addLayout(buttons);
    connect(add, &QPushButton::clicked, this, &DependentList::addRow);
    connect(open, &QPushButton::clicked, this, &DependentList::openCurrent);
    connect(remove, &QPushButton::clicked, this, &DependentList::removeCurrent);
    connect(m_grid, &::ui::DataGrid::rowChosen, this, [this](qint64 key) { openCard(key, false); });
    refresh();
}

void DependentList::refresh() {
    const QString select = m_definition.select.isEmpty()
                               ? QStringLiteral("select * from ") + m_definition.table
                               : m_definition.select;
    const qint64 current = m_grid->currentKey();
    ::ui::guarded(m_context, [&] {
        m_grid->setResult(
            m_context.db->query(select + QStringLiteral(" where ") + m_definition.table +
                                    QStringLiteral(".Personale_ID = ? order by ") + m_order,
                                {m_staffId}));
    });
    if (current != 0)
        m_grid->selectKey(current);
}

void DependentList::addRow() {
    qint64 key = 0;
    if (!::ui::guarded(m_context,
                       [&] { key = m_insert(*m_context.db, m_staffId, QDate::currentDate()); }))
        return;
    openCard(key, true);
}

void DependentList::openCurrent() {
    const qint64 key = m_grid->currentKey();
    if (key != 0)
        openCard(key, false);
}

void DependentList::removeCurrent() {
    const qint64 key = m_grid->currentKey();
    if (key == 0 ||
        !m_context.interaction->question(common::titles::warning, m_definition.deleteQuestion))
        return;
    ::ui::guarded(m_context, [&] { ::ui::deleteRow(*m_context.db, m_definition, key); });
    refresh();
}

void DependentList::print() {
    printing::ReportCall call;
    call.code = m_report;
    call.selection =
        m_definition.table + QStringLiteral(".Personale_ID = ") + QString::number(m_staffId);
    ::ui::guarded(m_context, [&] { printing::ui::printReport(m_context, call); });
}

void DependentList::openCard(qint64 key, bool isNew) {
    {
        std::unique_ptr<::ui::CardScreen> card(
            m_definition.makeCard
                ? m_definition.makeCard(m_context, m_definition, key, isNew, this)
                : new ::ui::CardScreen(m_context, m_definition, key, isNew, this));
        card->exec();
    }
    refresh();
    m_grid->selectKey(key);
}

// ---------------------------------------------------------------------------

CheckedCard::CheckedCard(::ui::AppContext& context, const ScreenDefinition& definition, qint64 key,
                         bool isNew, QWidget* parent)
    : ::ui::CardScreen(context, definition, key, isNew, parent) {
    disconnect(backButton(), &QPushButton::clicked, this, nullptr);
    connect(backButton(), &QPushButton::clicked, this, &CheckedCard::leave);
}

void CheckedCard::leave() {
    if (isNew() && !isModified() && !save())
        return;
    goBack();
}

void CheckedCard::reject() {
    leave();
}

StaffCard::StaffCard(::ui::AppContext& context, const ScreenDefinition& definition, qint64 key,
                     bool isNew, QWidget* parent)
    : CheckedCard(context, definition, key, isNew, parent) {
    setObjectName(QStringLiteral("TfrmPersonaleDettaglio"));

    auto* daily =
        smallButton(this, QStringLiteral("Calcola"), QStringLiteral("btnCalcolaGiornaliera"));
    auto* hourly = smallButton(this, QStringLiteral("Calcola"), QStringLiteral("btnCalcolaOraria"));
    attachBeside(QStringLiteral("TariffaGiornaliera"), {daily}, false);
    attachBeside(QStringLiteral("TariffaOraria"), {hourly}, false);
    connect(daily, &QPushButton::clicked, this, &StaffCard::computeDailyRate);
    connect(hourly, &QPushButton::clicked, this, &StaffCard::computeHourlyRate);

    auto* choose =
        smallButton(this, QStringLiteral("Scegli..."), QStringLiteral("btnScegliCartella"));
    auto* open = smallButton(this, QStringLiteral("Apri"), QStringLiteral("btnApriCartella"));
    attachBeside(QStringLiteral("CartellaServer"), {choose, open});
    connect(choose, &QPushButton::clicked, this, &StaffCard::chooseFolder);
    connect(open, &QPushButton::clicked, this, &StaffCard::openFolder);

    m_deadlines = new DependentList(context, deadlineDefinition(key), key, &insertDeadline,
                                    QStringLiteral("DataScadenza desc, ID"),
                                    QStringLiteral("frmPersonaleDettaglio_DBGrid1"),
                                    printing::reports::staffDeadlines, this);
    m_costs = new DependentList(context, costDefinition(key), key, &insertCost,
                                QStringLiteral("Data desc, PersonaleCosti.ID"),
                                QStringLiteral("frmPersonaleDettaglio_DBGrid2"),
                                printing::reports::staffCosts, this);
    m_salaries = new DependentList(context, salaryDefinition(key), key, &insertSalary,
                                   QStringLiteral("Anno desc, Mese desc, ID"),
                                   QStringLiteral("frmPersonaleDettaglio_DBGrid4"),
                                   printing::reports::staffSalaries, this);
    addRow(QString(), m_deadlines, false, kScadenze);
    addRow(QString(), m_costs, false, kCosti);
    addRow(QString(), m_salaries, false, kStipendi);

    auto* privacy = addButton(QStringLiteral("Privacy"), QStringLiteral("btnPrivacy"));
    privacy->setToolTip(QStringLiteral("Stampa l'informativa sulla privacy"));
    connect(privacy, &QPushButton::clicked, this, &StaffCard::printPrivacy);
    auto* help = addButton(QStringLiteral("Aiuto"), QStringLiteral("spdAiuto"));
    connect(help, &QPushButton::clicked, this, [this] { ::ui::HelpWindow::showFor(this); });
    resize(900, 640);
}

void StaffCard::computeDailyRate() {
    double rate = 0;
    if (const auto failure = dailyRate(value(QStringLiteral("PagaMensile")), &rate)) {
        showFailure(*failure);
        return;
    }
    setValue(QStringLiteral("TariffaGiornaliera"), rate);
}

void StaffCard::computeHourlyRate() {
    double rate = 0;
    if (const auto failure = hourlyRate(value(QStringLiteral("TariffaGiornaliera")), &rate)) {
        showFailure(*failure);
        return;
    }
    setValue(QStringLiteral("TariffaOraria"), rate);
}

void StaffCard::chooseFolder() {
    const QString folder = QFileDialog::getExistingDirectory(
        this, QStringLiteral("Cartella Dati"), value(QStringLiteral("CartellaServer")).toString());
    if (!folder.isEmpty())
        setValue(QStringLiteral("CartellaServer"), QDir::toNativeSeparators(folder));
}

void StaffCard::printPrivacy() {
    // The form prints what is stored.
    if (isModified() && !save())
        return;
    printing::ReportCall call;
    call.code = printing::reports::staffPrivacy;
    call.documentId = key();
    ::ui::guarded(context(), [&] { printing::ui::printReport(context(), call); });
}

bool StaffCard::openFolder() {
    const QString path = value(QStringLiteral("CartellaServer")).toString().trimmed();
    if (const auto failure = checkWorkingFolder(path)) {
        showFailure(*failure);
        return false;
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    return true;
}

SalaryCard::SalaryCard(::ui::AppContext& context, const ScreenDefinition& definition, qint64 key,
                       bool isNew, QWidget* parent)
    : CheckedCard(context, definition, key, isNew, parent) {
    setObjectName(QStringLiteral("TfrmPersonaleStipendi"));
    auto* total = smallButton(this, QStringLiteral("Calcola"), QStringLiteral("btnCalcola"));
    attachBeside(QStringLiteral("TotaleParziale"), {total}, false);
    connect(total, &QPushButton::clicked, this, &SalaryCard::computeTotal);
}

void SalaryCard::computeTotal() {
    setValue(QStringLiteral("TotaleParziale"), salaryTotal(values()));
}

// ---------------------------------------------------------------------------

StaffList::StaffList(::ui::AppContext& context, QWidget* parent)
    : ::ui::ListScreen(context, staffDefinition(), parent) {
    setObjectName(QStringLiteral("TfrmGrigliaPersonale"));
    grid()->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid()->setSelectionMode(QAbstractItemView::ExtendedSelection);
    auto* exporting = addButton(QStringLiteral("Esporta vCard"), QStringLiteral("btnEsportaVCard"));
    connect(exporting, &QPushButton::clicked, this, &StaffList::exportVCard);
    auto* importing = addButton(QStringLiteral("Importa vCard"), QStringLiteral("btnImportaVCard"));
    connect(importing, &QPushButton::clicked, this, &StaffList::importVCard);
    auto* email = addButton(QStringLiteral("Email"), QStringLiteral("btnEmail"));
    connect(email, &QPushButton::clicked, this, &StaffList::email);
    auto* printButton = addButton(QStringLiteral("Stampa"), QStringLiteral("btnStampa"));
    connect(printButton, &QPushButton::clicked, this, [this] {
        printing::ReportCall call;
        call.code = printing::reports::staffList;
        ::ui::guarded(this->context(),
                      [this, &call] { printing::ui::printReport(this->context(), call); });
    });
    auto* help = addButton(QStringLiteral("Aiuto"), QStringLiteral("spdAiuto"));
    connect(help, &QPushButton::clicked, this, [this] { ::ui::HelpWindow::showFor(this); });
    // "Aiuto" after "Indietro", as on every list.
    buttonRow()->removeWidget(help);
    buttonRow()->addWidget(help);
}

void StaffList::exportVCard() {
    registries::ui::exportVCardFile(context(), registries::ui::selectedKeys(grid()),
                                    &staff::exportVCards, QStringLiteral("personale.vcf"));
}

void StaffList::importVCard() {
    if (registries::ui::importVCardFile(context(), &staff::importVCards))
        refresh();
}

void StaffList::email() {
    ::ui::guarded(context(), [&] {
        printing::ui::emailAddresses(
            context(),
            registries::emailAddressesOf(*context().db, QStringLiteral("Personale"),
                                         QStringLiteral("Email"),
                                         registries::ui::selectedKeys(grid())),
            this);
    });
}

// ---------------------------------------------------------------------------

StaffPrintDialog::StaffPrintDialog(::ui::AppContext& context, QWidget* parent)
    : QDialog(parent), m_context(context) {
    setObjectName(QStringLiteral("TfrmStampaPersonale"));
    setWindowTitle(QStringLiteral("Stampa Personale"));
    auto* v = new QVBoxLayout(this);
    v->addWidget(::ui::ScreenTitle(QStringLiteral("Stampa Personale"), this));
    auto* form = new QFormLayout();
    v->addLayout(form);

    m_kind = new QComboBox(this);
    m_kind->setObjectName(QStringLiteral("cmbStampa"));
    m_kind->addItem(QStringLiteral("Elenco personale"), int(PrintKind::List));
    m_kind->addItem(QStringLiteral("Scadenze"), int(PrintKind::Deadlines));
    m_kind->addItem(QStringLiteral("Costi"), int(PrintKind::Costs));
    m_kind->addItem(QStringLiteral("Stipendi"), int(PrintKind::Salaries));
    form->addRow(QStringLiteral("Stampa"), m_kind);

    m_person = new QComboBox(this);
    m_person->setObjectName(QStringLiteral("cmbPersonale"));
    m_person->addItem(QStringLiteral("Tutti"), QVariant());
    ::ui::guarded(context, [&] {
        for (const db::Row& row : context.db->query(QStringLiteral(
                 "select ID, Personale from Personale where Annullato = false order by Personale")))
            m_person->addItem(row.text(QStringLiteral("Personale")),
                              row.integer(QStringLiteral("ID")));
    });
    form->addRow(QStringLiteral("Personale"), m_person);

    m_from = ::ui::DateBox(this, QStringLiteral("txtDallaData"));
    m_to = ::ui::DateBox(this, QStringLiteral("txtAllaData"));
    auto* dates = new QHBoxLayout();
    dates->addWidget(m_from);
    dates->addWidget(new QLabel(QStringLiteral("alla Data"), this));
    dates->addWidget(m_to);
    dates->addStretch(1);
    form->addRow(QStringLiteral("Dalla Data"), dates);

    m_year = new QLineEdit(this);
    m_year->setObjectName(QStringLiteral("txtAnno"));
    m_year->setValidator(new QIntValidator(1900, 2999, m_year));
    m_year->setMaximumWidth(70);
    m_month = new QComboBox(this);
    m_month->setObjectName(QStringLiteral("cmbMese"));
    m_month->addItem(QStringLiteral("Tutti"), 0);
    const QLocale italian(QLocale::Italian, QLocale::Italy);
    for (int m = 1; m <= 12; ++m)
        m_month->addItem(italian.standaloneMonthName(m), m);
    auto* period = new QHBoxLayout();
    period->addWidget(m_year);
    period->addWidget(new QLabel(QStringLiteral("Mese"), this));
    period->addWidget(m_month);
    period->addStretch(1);
    form->addRow(QStringLiteral("Anno (stipendi)"), period);

    auto* buttons = new QHBoxLayout();
    buttons->addStretch(1);
    auto* printButton = smallButton(this, QStringLiteral("Stampa"), QStringLiteral("btnStampa"));
    auto* back = smallButton(this, QStringLiteral("Indietro"), QStringLiteral("spdIndietro"));
    buttons->addWidget(printButton);
    buttons->addWidget(back);
    v->addStretch(1);
    v->addLayout(buttons);
    connect(printButton, &QPushButton::clicked, this, &StaffPrintDialog::print);
    connect(back, &QPushButton::clicked, this, &QDialog::reject);
    // The year and the month are for the salaries only.
    const auto follow = [this] {
        const bool salaries = m_kind->currentData().toInt() == int(PrintKind::Salaries);
        const bool list = m_kind->currentData().toInt() == int(PrintKind::List);
        m_year->setEnabled(salaries);
        m_month->setEnabled(salaries);
        m_from->setEnabled(!list);
        m_to->setEnabled(!list);
    };
    connect(m_kind, &QComboBox::currentIndexChanged, this, follow);
    follow();
    resize(520, 260);
}

std::optional<printing::ReportCall> StaffPrintDialog::request() {
    PrintChoice choice;
    choice.kind = PrintKind(m_kind->currentData().toInt());
    choice.person = m_person->currentData().toLongLong();
    choice.from = m_from->text();
    choice.to = m_to->text();
    choice.year = m_year->text().toInt();
    choice.month = m_month->currentData().toInt();
    printing::ReportCall call;
    if (const auto failure = printSelection(choice, &call.selection)) {
        m_context.interaction->fail(*failure);
        if (auto* box = findChild<QLineEdit*>(failure->field))
            box->setFocus();
        return std::nullopt;
    }
    switch (choice.kind) {
    case PrintKind::List:
        call.code = printing::reports::staffList;
        break;
    case PrintKind::Deadlines:
        call.code = printing::reports::staffDeadlines;
        break;
    case PrintKind::Costs:
        call.code = printing::reports::staffCosts;
        break;
    case PrintKind::Salaries:
        call.code = printing::reports::staffSalaries;
        break;
    }
    return call;
}

bool StaffPrintDialog::print() {
    const auto call = request();
    if (!call)
        return false;
    return ::ui::guarded(m_context, [&] { printing::ui::printReport(m_context, *call); });
}

// ---------------------------------------------------------------------------

void registerStaffScreens(::ui::ScreenRegistry& registry) {
    registry.add(QStringLiteral("btnPersonale"), [](QWidget* parent, ::ui::AppContext& c) {
        StaffList list(c, parent);
        list.exec();
    });
    registry.add(QStringLiteral("btnStampePersonale"), [](QWidget* parent, ::ui::AppContext& c) {
        StaffPrintDialog dialog(c, parent);
        dialog.exec();
    });
    // The reminder's double click on a staff deadline.
    registry.add(QStringLiteral("scadenzaPersonale"), [](QWidget* parent, ::ui::AppContext& c) {
        if (c.recordKey == 0)
            return;
        ::ui::CardScreen card(c, deadlineDefinition(), c.recordKey, false, parent);
        card.exec();
    });
    const auto table = [&registry](ScreenDefinition (*definition)()) {
        const ScreenDefinition d = definition();
        registry.add(d.objectName, [definition](QWidget* parent, ::ui::AppContext& c) {
            ::ui::ListScreen list(c, definition(), parent);
            list.exec();
        });
    };
    table(&categoriesDefinition);
    table(&costTypesDefinition);
    table(&deadlineTypesDefinition);
}

} // namespace staff::ui
