#include "staff/ui/StaffScreens.h"

#include "registries/SimpleRegistryRules.h"
#include "registries/ui/RegistryHelpers.h"
#include "registries/ui/RegistryScreens.h"
#include "staff/StaffRules.h"
#include "staff/ui/CheckedCard.h"
#include "staff/ui/SalaryCard.h"
#include "staff/ui/StaffCard.h"
#include "staff/ui/StaffList.h"
#include "staff/ui/StaffPrintDialog.h"
#include "ui/AppContext.h"
#include "ui/CardScreen.h"
#include "ui/ListScreen.h"
#include "ui/Lookups.h"
#include "ui/ScreenRegistry.h"

namespace staff::ui {

using ::ui::CardField;
using ::ui::FieldKind;
using ::ui::ScreenDefinition;

namespace {

const QString kGenerale = QStringLiteral("Generale");
const QString kEconomici = QStringLiteral("Dati Economici");
const QString kDocumenti = QStringLiteral("Documenti");

::ui::Lookup describedById(const QString& table) {
    return {QStringLiteral("select ID, Descrizione from %1 order by Descrizione").arg(table),
            QStringLiteral("ID"), QStringLiteral("Descrizione"), QString()};
}

// Tables that refer to their type by its description.
::ui::Lookup describedByText(const QString& table) {
    return {QStringLiteral("select distinct Descrizione from %1 order by Descrizione").arg(table),
            QStringLiteral("Descrizione"), QStringLiteral("Descrizione"), QString()};
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
