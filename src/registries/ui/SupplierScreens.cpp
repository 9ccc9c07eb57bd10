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
using ::ui::PageField;
using ::ui::PageLookup;

namespace {

const QString kAnagrafica = QStringLiteral("Anagrafica");
const QString kIndirizzo = QStringLiteral("Indirizzo");
const QString kContatti = QStringLiteral("Contatti");
const QString kFiscale = QStringLiteral("Fiscale / Fatturazione elettronica");
const QString kBanca = QStringLiteral("Banca e pagamento");
const QString kNote = QStringLiteral("Note");

CardField upper(CardField f, int maxLength) {
    f.maxLength = maxLength;
    f.onLeave = UpperCase;
    return f;
}

} // namespace

::ui::ScreenDefinition SupplierDefinition() {
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
    CardField imported = PageField("ImportatoXml", "Creato da fattura elettronica", kFiscale);
    imported.readOnly = true;

    d.fields = {
        PageField("Fornitore", "Ragione sociale", kAnagrafica),
        PageField("Titolo", "Titolo", kAnagrafica, false, 90),
        PageField("Cognome", "Cognome", kAnagrafica, true),
        PageField("Nome", "Nome", kAnagrafica, true),
        PageField("Codice", "Codice fornitore", kAnagrafica),
        PageLookup("Categoria_ID", "Categoria", kAnagrafica, categories),
        PageField("PrivacyFirmata", "Privacy firmata", kAnagrafica),
        PageField("Annullato", "Annullato", kAnagrafica, true),

        PageField("VIA", "Via", kIndirizzo),
        PageField("Numero", "Numero", kIndirizzo, true, 80),
        PageField("Cap", "CAP", kIndirizzo, false, 80),
        PageField("Comune", "Comune", kIndirizzo, true),
        upper(PageField("Provincia", "Provincia", kIndirizzo, true, 50), 2),
        PageField("DestinazioneMerce", "Destinazione merce", kIndirizzo),

        PageField("Telefono", "Telefono", kContatti),
        PageField("Telefono2", "Telefono 2", kContatti, true),
        PageField("Cellulare", "Cellulare", kContatti),
        PageField("Fax", "Fax", kContatti, true),
        PageField("Email", "E-mail", kContatti),
        PageField("Pec", "PEC", kContatti),
        PageField("Internet", "Sito internet", kContatti),
        PageField("Skype", "Skype", kContatti),

        PageField("Iva", "Partita IVA", kFiscale),
        PageLookup("IdPaese", "Paese della partita IVA", kFiscale, countries, true),
        upper(PageField("CodFiscale", "Codice fiscale", kFiscale), 16),
        upper(PageField("CodEORI", "Codice EORI", kFiscale), 17),
        PageField("ImportaArticoliFatture", "Importa gli articoli dalle fatture elettroniche",
                  kFiscale),
        imported,

        PageLookup("Pagamento_ID", "Modalità di pagamento", kBanca,
                   RegistryLookups::paymentTerms()),
        PageField("DescBanca", "Banca", kBanca),
        upper(PageField("Iban", "IBAN", kBanca), 34),
        PageField("SaldoInizioAnno", "Saldo inizio anno", kBanca, false, 120),

        PageField("Note", "Note", kNote),
    };
    d.makeCard = [](::ui::AppContext& context, const ::ui::ScreenDefinition& definition, qint64 key,
                    bool isNew, QWidget* parent) -> ::ui::CardScreen* {
        return new TfrmFornitoriDettaglio(context, definition, key, isNew, parent);
    };
    d.beforeDelete = [](db::Database& db, qint64 key) {
        if (auto f = SupplierRules::deleteCheck(db, key))
            throw db::DbError(f->text);
    };
    return d;
}

TfrmGrigliaFornitori::TfrmGrigliaFornitori(::ui::AppContext& context, QWidget* parent)
    : ::ui::ListScreen(context, SupplierDefinition(), parent) {
    grid()->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_export = addButton(QStringLiteral("Esporta vCard"), QStringLiteral("btnEsportaVCard"));
    m_import = addButton(QStringLiteral("Importa vCard"), QStringLiteral("btnImportaVCard"));
    connect(m_export, &QPushButton::clicked, this, &TfrmGrigliaFornitori::exportVCard);
    connect(m_import, &QPushButton::clicked, this, &TfrmGrigliaFornitori::importVCard);
    auto* email = addButton(QStringLiteral("Email"), QStringLiteral("btnEmail"));
    connect(email, &QPushButton::clicked, this, [this] {
        printing::ui::emailAddresses(
            this->context(),
            EmailAddressesOf(*this->context().db, QStringLiteral("Fornitor"),
                             QStringLiteral("Email"), SelectedKeys(grid())),
            this);
    });
}

qint64 TfrmGrigliaFornitori::insertRow() {
    return SupplierRules::insertNew(*context().db);
}

void TfrmGrigliaFornitori::exportVCard() {
    ExportVCardFile(context(), SelectedKeys(grid()), &VCard::exportSuppliers,
                    QStringLiteral("fornitori.vcf"));
}

void TfrmGrigliaFornitori::importVCard() {
    if (ImportVCardFile(context(), &VCard::importSuppliers))
        refresh();
}

TfrmFornitoriDettaglio::TfrmFornitoriDettaglio(::ui::AppContext& context,
                                               const ::ui::ScreenDefinition& definition, qint64 key,
                                               bool isNew, QWidget* parent)
    : ::ui::CardScreen(context, definition, key, isNew, parent) {
    resize(720, 480);
    AttachTownCompleter(*context.db, qobject_cast<QLineEdit*>(editor("Comune")),
                        qobject_cast<QLineEdit*>(editor("Cap")),
                        qobject_cast<QLineEdit*>(editor("Provincia")));
    m_warnings = new TaxWarnings(
        context, [this] { return SupplierRules::warnings(values()); }, this);
    for (const char* name : {"Iva", "CodFiscale", "Iban"})
        m_warnings->watch(QString::fromLatin1(name), editor(QString::fromLatin1(name)));
}

std::optional<common::Failure> TfrmFornitoriDettaglio::validate(const QVariantMap& values) const {
    db::RegistryRecord r = values;
    SupplierRules::deriveName(r);
    if (auto f = SupplierRules::validate(r))
        return f;
    m_warnings->checkAll();
    return std::nullopt;
}

void TfrmFornitoriDettaglio::writeExtra(db::Database& db, const QVariantMap& values) {
    db::RegistryRecord r = values;
    SupplierRules::completeSave(db, key(), r);
    setValue(QStringLiteral("Fornitore"), r.value("Fornitore"));
}

void registerSupplierScreens(::ui::ScreenRegistry& registry) {
    registry.add(QStringLiteral("btnFornitori"), [](QWidget* parent, ::ui::AppContext& context) {
        TfrmGrigliaFornitori list(context, parent);
        list.exec();
    });
}

} // namespace registries::ui
