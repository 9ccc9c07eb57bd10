#include "app/ui/SupplierScreens.h"

#include "app/EmailAddresses.h"
#include "app/ui/DocumentActions.h"
#include "app/ui/RegistryHelpers.h"
#include "db/DbError.h"
#include "ui/AppContext.h"
#include "ui/DataGrid.h"
#include "ui/ScreenRegistry.h"

#include <QLineEdit>
#include <QPushButton>

namespace app::ui {

using ::ui::CardField;
using ::ui::FieldKind;

namespace {

const QString kAnagrafica = QStringLiteral("Anagrafica");
const QString kIndirizzo = QStringLiteral("Indirizzo");
const QString kContatti = QStringLiteral("Contatti");
const QString kFiscale = QStringLiteral("Fiscale / Fatturazione elettronica");
const QString kBanca = QStringLiteral("Banca e pagamento");
const QString kNote = QStringLiteral("Note");

CardField field(const QString& column, const QString& label, const QString& page,
                bool sameRow = false, int width = 0) {
    CardField f;
    f.field = column;
    f.label = label;
    f.page = page;
    f.sameRow = sameRow;
    f.width = width;
    return f;
}

CardField lookup(const QString& column, const QString& label, const QString& page,
                 const ::ui::Lookup& source, bool sameRow = false) {
    CardField f = field(column, label, page, sameRow);
    f.kind = FieldKind::Lookup;
    f.lookup = source;
    return f;
}

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
    CardField imported = field("ImportatoXml", "Creato da fattura elettronica", kFiscale);
    imported.readOnly = true;

    d.fields = {
        field("Fornitore", "Ragione sociale", kAnagrafica),
        field("Titolo", "Titolo", kAnagrafica, false, 90),
        field("Cognome", "Cognome", kAnagrafica, true),
        field("Nome", "Nome", kAnagrafica, true),
        field("Codice", "Codice fornitore", kAnagrafica),
        lookup("Categoria_ID", "Categoria", kAnagrafica, categories),
        field("PrivacyFirmata", "Privacy firmata", kAnagrafica),
        field("Annullato", "Annullato", kAnagrafica, true),

        field("VIA", "Via", kIndirizzo),
        field("Numero", "Numero", kIndirizzo, true, 80),
        field("Cap", "CAP", kIndirizzo, false, 80),
        field("Comune", "Comune", kIndirizzo, true),
        upper(field("Provincia", "Provincia", kIndirizzo, true, 50), 2),
        field("DestinazioneMerce", "Destinazione merce", kIndirizzo),

        field("Telefono", "Telefono", kContatti),
        field("Telefono2", "Telefono 2", kContatti, true),
        field("Cellulare", "Cellulare", kContatti),
        field("Fax", "Fax", kContatti, true),
        field("Email", "E-mail", kContatti),
        field("Pec", "PEC", kContatti),
        field("Internet", "Sito internet", kContatti),
        field("Skype", "Skype", kContatti),

        field("Iva", "Partita IVA", kFiscale),
        lookup("IdPaese", "Paese della partita IVA", kFiscale, countries, true),
        upper(field("CodFiscale", "Codice fiscale", kFiscale), 16),
        upper(field("CodEORI", "Codice EORI", kFiscale), 17),
        field("ImportaArticoliFatture", "Importa gli articoli dalle fatture elettroniche",
              kFiscale),
        imported,

        lookup("Pagamento_ID", "Modalità di pagamento", kBanca, RegistryLookups::paymentTerms()),
        field("DescBanca", "Banca", kBanca),
        upper(field("Iban", "IBAN", kBanca), 34),
        field("SaldoInizioAnno", "Saldo inizio anno", kBanca, false, 120),

        field("Note", "Note", kNote),
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
        emailAddresses(this->context(),
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
    RegistryRecord r = values;
    SupplierRules::deriveName(r);
    if (auto f = SupplierRules::validate(r))
        return f;
    m_warnings->checkAll();
    return std::nullopt;
}

void TfrmFornitoriDettaglio::writeExtra(db::Database& db, const QVariantMap& values) {
    RegistryRecord r = values;
    SupplierRules::completeSave(db, key(), r);
    setValue(QStringLiteral("Fornitore"), r.value("Fornitore"));
}

void registerSupplierScreens(::ui::ScreenRegistry& registry) {
    registry.add(QStringLiteral("btnFornitori"), [](QWidget* parent, ::ui::AppContext& context) {
        TfrmGrigliaFornitori list(context, parent);
        list.exec();
    });
}

} // namespace app::ui
