#include "registries/ui/SupplierScreens.h"

#include "db/DbError.h"
#include "printing/ui/DocumentActions.h"
#include "registries/EmailAddresses.h"
#include "registries/ui/RegistryHelpers.h"
#include "ui/AppContext.h"
#include "ui/CardFields.h"
#include "ui/DataGrid.h"
#include "ui/ScreenRegistry.h"

#include <QLineEdit>
#include <QPushButton>

namespace registries::ui {

using ::ui::CardField;
using ::ui::FieldKind;
using ::ui::pageField;
using ::ui::pageLookup;

namespace {

const QString kAnagrafica = QStringLiteral("Anagrafica");
const QString kIndirizzo = QStringLiteral("Indirizzo");
const QString kContatti = QStringLiteral("Contatti");
const QString kFiscale = QStringLiteral("Fiscale / Fatturazione elettronica");
const QString kBanca = QStringLiteral("Banca e pagamento");
const QString kNote = QStringLiteral("Note");

CardField upper(CardField f, int maxLength) {
    f.maxLength = maxLength;
    f.onLeave = upperCase;
    return f;
}

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

    const ::ui::Lookup categories{
        QStringLiteral("select ID, Descrizione from FornitorCategoria order by Descrizione"),
        QStringLiteral("ID"), QStringLiteral("Descrizione"), QString()};
    const ::ui::Lookup countries = RegistryLookups::countries();
    CardField imported = pageField("ImportatoXml", "Creato da fattura elettronica", kFiscale);
    imported.readOnly = true;

    d.fields = {
        pageField("Fornitore", "Ragione sociale", kAnagrafica),
        pageField("Titolo", "Titolo", kAnagrafica, false, 90),
        pageField("Cognome", "Cognome", kAnagrafica, true),
        pageField("Nome", "Nome", kAnagrafica, true),
        pageField("Codice", "Codice fornitore", kAnagrafica),
        pageLookup("Categoria_ID", "Categoria", kAnagrafica, categories),
        pageField("PrivacyFirmata", "Privacy firmata", kAnagrafica),
        pageField("Annullato", "Annullato", kAnagrafica, true),

        pageField("VIA", "Via", kIndirizzo),
        pageField("Numero", "Numero", kIndirizzo, true, 80),
        pageField("Cap", "CAP", kIndirizzo, false, 80),
        pageField("Comune", "Comune", kIndirizzo, true),
        upper(pageField("Provincia", "Provincia", kIndirizzo, true, 50), 2),
        pageField("DestinazioneMerce", "Destinazione merce", kIndirizzo),

        pageField("Telefono", "Telefono", kContatti),
        pageField("Telefono2", "Telefono 2", kContatti, true),
        pageField("Cellulare", "Cellulare", kContatti),
        pageField("Fax", "Fax", kContatti, true),
        pageField("Email", "E-mail", kContatti),
        pageField("Pec", "PEC", kContatti),
        pageField("Internet", "Sito internet", kContatti),
        pageField("Skype", "Skype", kContatti),

        pageField("Iva", "Partita IVA", kFiscale),
        pageLookup("IdPaese", "Paese della partita IVA", kFiscale, countries, true),
        upper(pageField("CodFiscale", "Codice fiscale", kFiscale), 16),
        upper(pageField("CodEORI", "Codice EORI", kFiscale), 17),
        pageField("ImportaArticoliFatture", "Importa gli articoli dalle fatture elettroniche",
                  kFiscale),
        imported,

        pageLookup("Pagamento_ID", "Modalità di pagamento", kBanca,
                   RegistryLookups::paymentTerms()),
        pageField("DescBanca", "Banca", kBanca),
        upper(pageField("Iban", "IBAN", kBanca), 34),
        pageField("SaldoInizioAnno", "Saldo inizio anno", kBanca, false, 120),

        pageField("Note", "Note", kNote),
    };
    d.makeCard = [](::ui::AppContext& context, const ::ui::ScreenDefinition& definition, qint64 key,
                    bool isNew, QWidget* parent) -> ::ui::CardScreen* {
        return new SupplierCard(context, definition, key, isNew, parent);
    };
    d.beforeDelete = [](db::Database& db, qint64 key) {
        if (auto f = SupplierRules::deleteCheck(db, key))
            throw db::DbError(f->text);
    };
    return d;
}

SupplierList::SupplierList(::ui::AppContext& context, QWidget* parent)
    : ::ui::ListScreen(context, supplierDefinition(), parent) {
    grid()->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_export = addButton(QStringLiteral("Esporta vCard"), QStringLiteral("btnEsportaVCard"));
    m_import = addButton(QStringLiteral("Importa vCard"), QStringLiteral("btnImportaVCard"));
    connect(m_export, &QPushButton::clicked, this, &SupplierList::exportVCard);
    connect(m_import, &QPushButton::clicked, this, &SupplierList::importVCard);
    auto* email = addButton(QStringLiteral("Email"), QStringLiteral("btnEmail"));
    connect(email, &QPushButton::clicked, this, [this] {
        printing::ui::emailAddresses(
            this->context(),
            emailAddressesOf(*this->context().db, QStringLiteral("Fornitor"),
                             QStringLiteral("Email"), selectedKeys(grid())),
            this);
    });
}

qint64 SupplierList::insertRow() {
    return SupplierRules::insertNew(*context().db);
}

void SupplierList::exportVCard() {
    exportVCardFile(context(), selectedKeys(grid()), &VCard::exportSuppliers,
                    QStringLiteral("fornitori.vcf"));
}

void SupplierList::importVCard() {
    if (importVCardFile(context(), &VCard::importSuppliers))
        refresh();
}

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
