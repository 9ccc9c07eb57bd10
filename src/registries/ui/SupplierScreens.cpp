#include "registries/ui/SupplierScreens.h"

#include "db/DbError.h"
#include "registries/ui/RegistryHelpers.h"
#include "ui/AppContext.h"
#include "ui/DataGrid.h"
#include "ui/Lookups.h"
#include "ui/ScreenRegistry.h"

#include <QLineEdit>
#include <QPushButton>

namespace registries::ui {

using ::ui::CardField;
using ::ui::FieldKind;

namespace {

const QString kAnagrafica = QStringLiteral("Anagrafica");
const QString kIndirizzo = QStringLiteral("Indirizzo");
const QString kContatti = QStringLiteral("Contatti");
const QString kFiscale = QStringLiteral("Fiscale / Fatturazione elettronica");
const QString kBanca = QStringLiteral("Banca e pagamento");
const QString kNote = QStringLiteral("Note");

} // namespace

::ui::ScreenDefinition supplierDefinition() {
    ::ui::ScreenDefinition d;
    d.table = QStringLiteral("Fornitor");
    d.objectName = QStringLiteral("frmFornitori");
    d.listTitle = QStringLiteral("Fornitori");
    d.cardTitle = QStringLiteral("Fornitore");
    d.select = QStringLiteral("select Fornitor.*, FornitorCategoria.Descrizione as Categoria from "
                              "Fornitor left join FornitorCategoria on Fornitor.Categoria_ID = "
                              "FornitorCategoria.ID");
    d.orderBy = QStringLiteral("Fornitore");
    d.cancellable = true;
    d.columns = {{"Fornitore", 300, "Fornitore"}, {"Categoria", 120, "Categoria"},
                 {"Comune", 140, "Comune"},       {"Provincia", 40, "Prov."},
                 {"Telefono", 110, "Telefono"},   {"Email", 180, "E-mail"},
                 {"Iva", 110, "Partita IVA"},     {"Codice", 70, "Codice"}};
    d.searches = {{"Fornitore", "Fornitore"}, {"Comune", "Comune"}, {"Iva", "Partita IVA"}};
    d.deleteQuestion = QStringLiteral("Sei sicuro di voler eliminare il fornitore?");

    d.fields = {
        {.field = "Fornitore", .label = "Ragione sociale", .page = kAnagrafica},
        {.field = "Titolo", .label = "Titolo", .page = kAnagrafica, .width = 90},
        {.field = "Cognome", .label = "Cognome", .page = kAnagrafica, .sameRow = true},
        {.field = "Nome", .label = "Nome", .page = kAnagrafica, .sameRow = true},
        {.field = "Codice", .label = "Codice fornitore", .page = kAnagrafica},
        {.field = "Categoria_ID",
         .label = "Categoria",
         .lookup = ::ui::lookups::supplierCategories(),
         .page = kAnagrafica},
        {.field = "PrivacyFirmata", .label = "Privacy firmata", .page = kAnagrafica},
        {.field = "Annullato", .label = "Annullato", .page = kAnagrafica, .sameRow = true},

        {.field = "VIA", .label = "Via", .page = kIndirizzo},
        {.field = "Numero", .label = "Numero", .page = kIndirizzo, .sameRow = true, .width = 80},
        {.field = "Cap", .label = "CAP", .page = kIndirizzo, .width = 80},
        {.field = "Comune", .label = "Comune", .page = kIndirizzo, .sameRow = true},
        partyfields::province(kIndirizzo),
        {.field = "DestinazioneMerce", .label = "Destinazione merce", .page = kIndirizzo},
    };
    d.fields += partyfields::contacts(kContatti, QStringLiteral("Email"));
    d.fields += QList<CardField>{
        {.field = "Iva", .label = "Partita IVA", .page = kFiscale},
        partyfields::vatCountry(kFiscale),
        partyfields::taxCode(kFiscale),
        partyfields::eori(kFiscale),
        {.field = "ImportaArticoliFatture",
         .label = "Importa gli articoli dalle fatture elettroniche",
         .page = kFiscale},
        {.field = "ImportatoXml",
         .label = "Creato da fattura elettronica",
         .page = kFiscale,
         .readOnly = true},

        {.field = "Pagamento_ID",
         .label = "Modalità di pagamento",
         .lookup = ::ui::lookups::paymentTerms(),
         .page = kBanca},
        {.field = "DescBanca", .label = "Banca", .page = kBanca},
        {.field = "Iban", .label = "IBAN", .page = kBanca, .maxLength = 34, .onLeave = upperCase},
        {.field = "SaldoInizioAnno", .label = "Saldo inizio anno", .page = kBanca, .width = 120},

        {.field = "Note", .label = "Note", .page = kNote},
    };
    d.makeCard = ::ui::cardOf<SupplierCard>();
    d.beforeDelete = [](db::Database& db, qint64 key) {
        if (auto f = SupplierRules::deleteCheck(db, key))
            throw db::DbError(f->text);
    };
    return d;
}

SupplierList::SupplierList(::ui::AppContext& context, QWidget* parent)
    : PartyList(context, supplierDefinition(),
                {QStringLiteral("Fornitor"), QStringLiteral("Email"),
                 QStringLiteral("fornitori.vcf"), &VCard::exportSuppliers, &VCard::importSuppliers,
                 &SupplierRules::insertNew},
                parent) {}

SupplierCard::SupplierCard(::ui::AppContext& context, const ::ui::ScreenDefinition& definition,
                           qint64 key, bool isNew, QWidget* parent)
    : ::ui::CardScreen(context, definition, key, isNew, parent) {
    resize(720, 480);
    attachTownCompleter(*context.db, qobject_cast<QLineEdit*>(editor("Comune")),
                        qobject_cast<QLineEdit*>(editor("Cap")),
                        qobject_cast<QLineEdit*>(editor("Provincia")));
    m_warnings = new TaxWarnings(
        context, [this] { return SupplierRules::warnings(values()); }, this);
    for (const char* name : {"Iva", "CodFiscale", "Iban"})
        m_warnings->watch(QString::fromLatin1(name), editor(QString::fromLatin1(name)));
}

std::optional<common::Failure> SupplierCard::validate(const QVariantMap& values) const {
    db::RegistryRecord r = values;
    SupplierRules::deriveName(r);
    if (auto f = SupplierRules::validate(r))
        return f;
    m_warnings->checkAll();
    return std::nullopt;
}

void SupplierCard::writeExtra(db::Database& db, const QVariantMap& values) {
    db::RegistryRecord r = values;
    SupplierRules::completeSave(db, key(), r);
    setValue(QStringLiteral("Fornitore"), r.value("Fornitore"));
}

void registerSupplierScreens(::ui::ScreenRegistry& registry) {
    registry.add(QStringLiteral("btnFornitori"), [](QWidget* parent, ::ui::AppContext& context) {
        SupplierList list(context, parent);
        list.exec();
    });
}

} // namespace registries::ui
