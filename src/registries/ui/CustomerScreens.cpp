#include "registries/ui/CustomerScreens.h"

#include "common/TextForms.h"
#include "common/Titles.h"
#include "db/DbError.h"
#include "printing/ui/DocumentActions.h"
#include "registries/EmailAddresses.h"
#include "registries/ui/RegistryHelpers.h"
#include "ui/AppContext.h"
#include "ui/CardFields.h"
#include "ui/DataGrid.h"
#include "ui/Guarded.h"
#include "ui/ScreenRegistry.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace registries::ui {

using ::ui::CardField;
using ::ui::FieldKind;

namespace {

const QString kAnagrafica = QStringLiteral("Anagrafica");
const QString kIndirizzo = QStringLiteral("Indirizzo");
const QString kContatti = QStringLiteral("Contatti");
const QString kFiscale = QStringLiteral("Fiscale / Fatturazione elettronica");
const QString kBanca = QStringLiteral("Banca e pagamento");
const QString kRappresentante = QStringLiteral("Rappresentante fiscale");
const QString kStabile = QStringLiteral("Stabile organizzazione");
const QString kNote = QStringLiteral("Note");

CardField field(const QString& column, const QString& label, const QString& page,
                bool sameRow = false, int width = 0) {
    return ::ui::pageField(column, label, page, sameRow, width);
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
    f.onLeave = upperCase;
    return f;
}

QLineEdit* lineEditor(::ui::CardScreen* card, const QString& field) {
    return qobject_cast<QLineEdit*>(card->editor(field));
}

PublicOfficeLookup& publicOfficeLookup() {
    static PublicOfficeLookup lookup;
    return lookup;
}

} // namespace

::ui::ScreenDefinition customerDefinition() {
    ::ui::ScreenDefinition d;
    d.table = QStringLiteral("Clienti");
    d.objectName = QStringLiteral("TfrmGrigliaClienti");
    d.listTitle = QStringLiteral("Clienti");
    d.cardTitle = QStringLiteral("Cliente");
    d.select = QStringLiteral("select Clienti.*, ClientiCategoria.Descrizione as Categoria from "
                              "Clienti left join ClientiCategoria on Clienti.Categoria_ID = "
                              "ClientiCategoria.ID");
    d.orderBy = QStringLiteral("NominativoVisualizzato");
    d.cancellable = true;
    d.columns = {{"NominativoVisualizzato", 300, "Nominativo"},
                 {"Categoria", 120, "Categoria"},
                 {"Citta", 140, "Città"},
                 {"Provincia", 40, "Prov."},
                 {"Telefono", 110, "Telefono"},
                 {"Cellulare", 110, "Cellulare"},
                 {"EMail", 180, "E-mail"},
                 {"Iva", 110, "Partita IVA"},
                 {"Codice", 70, "Codice"}};
    d.searches = {{"NominativoVisualizzato", "Nominativo"},
                  {"Citta", "Città"},
                  {"CodFiscale", "Codice fiscale"}};
    d.deleteQuestion = QStringLiteral("Sei sicuro di voler eliminare il cliente?");

    const ::ui::Lookup categories{
        QStringLiteral("select ID, Descrizione from ClientiCategoria order by Descrizione"),
        QStringLiteral("ID"), QStringLiteral("Descrizione"), QString()};
    const ::ui::Lookup countries = RegistryLookups::countries();
    const ::ui::Lookup provinces = RegistryLookups::provinces();
    const ::ui::Lookup accounts{
        QStringLiteral("select ID, Descrizione from ContabilitaConti order by Descrizione"),
        QStringLiteral("ID"), QStringLiteral("Descrizione"), QString()};

    CardField documentName = field("NominativoDocumenti", "Nome sui documenti", kAnagrafica);
    documentName.readOnly = true;
    CardField displayName = field("NominativoVisualizzato", "Nome negli elenchi", kAnagrafica);
    displayName.readOnly = true;
    CardField categoryColour = field("ColoreCategoria", "Colore categoria", kAnagrafica, true);
    categoryColour.kind = FieldKind::Colour;
    categoryColour.readOnly = true;
    CardField ownColour = field("NumeroColore", "Colore del cliente", kAnagrafica);
    ownColour.kind = FieldKind::Colour;

    d.fields = {
        field("Cliente", "Ragione sociale", kAnagrafica),
        field("Titolo", "Titolo", kAnagrafica, false, 90),
        field("Cognome", "Cognome", kAnagrafica, true),
        field("Nome", "Nome", kAnagrafica, true),
        field("DataNascita", "Data di nascita", kAnagrafica),
        field("LuogoNascita", "Luogo di nascita", kAnagrafica, true),
        field("Codice", "Codice cliente", kAnagrafica),
        lookup("Categoria_ID", "Categoria", kAnagrafica, categories),
        categoryColour,
        ownColour,
        documentName,
        displayName,
        field("PrivacyFirmata", "Privacy firmata", kAnagrafica),
        field("Annullato", "Annullato", kAnagrafica, true),

        field("Via", "Via", kIndirizzo),
        field("Numero", "Numero", kIndirizzo, true, 80),
        field("Cap", "CAP", kIndirizzo, false, 80),
        field("Citta", "Città", kIndirizzo, true),
        upper(field("Provincia", "Provincia", kIndirizzo, true, 50), 2),
        lookup("Sede_Nazione", "Nazione", kIndirizzo, countries),
        field("DestinazioneMerce", "Destinazione merce", kIndirizzo),

        field("Telefono", "Telefono", kContatti),
        field("Telefono2", "Telefono 2", kContatti, true),
        field("Cellulare", "Cellulare", kContatti),
        field("Fax", "Fax", kContatti, true),
        field("EMail", "E-mail", kContatti),
        field("Pec", "PEC", kContatti),
        field("Internet", "Sito internet", kContatti),
        field("Skype", "Skype", kContatti),

        upper(field("CodFiscale", "Codice fiscale", kFiscale), 16),
        field("Iva", "Partita IVA", kFiscale),
        lookup("IdPaese", "Paese della partita IVA", kFiscale, countries, true),
        upper(field("CodEORI", "Codice EORI", kFiscale), 17),
        field("PubblicaAmministrazione", "Pubblica amministrazione (FPA12)", kFiscale),
        upper(field("CodiceUnivocoUfficio", "Codice destinatario", kFiscale, true, 110), 7),
        field("ScissionePagamenti", "Scissione dei pagamenti", kFiscale),

        lookup("Pagamento_ID", "Modalità di pagamento", kBanca, RegistryLookups::paymentTerms()),
        field("DescBanca", "Banca", kBanca),
        upper(field("Iban", "IBAN", kBanca), 34),
        field("Sconto", "Sconto %", kBanca, false, 90),
        field("SaldoInizioAnno", "Saldo inizio anno", kBanca, false, 120),
        lookup("ContabilitaContoFattureVendita_ID", "Conto fatture di vendita", kBanca, accounts),
        lookup("ContabilitaContoNoteCreditoVendita_ID", "Conto note di credito di vendita", kBanca,
               accounts),

        field("RappresentanteFiscale", "Ha un rappresentante fiscale", kRappresentante),
        lookup("RappresentanteFiscale_Nazione", "Nazione", kRappresentante, countries),
        upper(field("RappresentanteFiscale_IdCodice", "Codice identificativo", kRappresentante),
              28),
        field("RappresentanteFiscale_Denominazione", "Denominazione", kRappresentante),
        field("RappresentanteFiscale_Cognome", "Cognome", kRappresentante),
        field("RappresentanteFiscale_Nome", "Nome", kRappresentante, true),

        field("StabileOrganizzazione", "Ha una stabile organizzazione in Italia", kStabile),
        field("StabileOrganizzazione_Indirizzo", "Indirizzo", kStabile),
        field("StabileOrganizzazione_NumeroCivico", "Numero civico", kStabile, true, 80),
        field("StabileOrganizzazione_CAP", "CAP", kStabile, false, 80),
        field("StabileOrganizzazione_Comune", "Comune", kStabile, true),
        lookup("StabileOrganizzazione_Provincia", "Provincia", kStabile, provinces),
        lookup("StabileOrganizzazione_Nazione", "Nazione", kStabile, countries),

        field("Note", "Note", kNote),
    };
    d.makeCard = [](::ui::AppContext& context, const ::ui::ScreenDefinition& definition, qint64 key,
                    bool isNew, QWidget* parent) -> ::ui::CardScreen* {
        return new CustomerCard(context, definition, key, isNew, parent);
    };
    d.beforeDelete = [](db::Database& db, qint64 key) {
        if (auto f = CustomerRules::deleteCheck(db, key))
            throw db::DbError(f->text);
    };
    return d;
}

// ---------------------------------------------------------------------------

CustomerList::CustomerList(::ui::AppContext& context, QWidget* parent)
    : ::ui::ListScreen(context, customerDefinition(), parent) {
    grid()->setSelectionMode(QAbstractItemView::ExtendedSelection);
    grid()->setItemDelegate(new StoredColourDelegate(grid(), QStringLiteral("Categoria"),
                                                     QStringLiteral("ColoreCategoria")));
    m_export = addButton(QStringLiteral("Esporta vCard"), QStringLiteral("btnEsportaVCard"));
    m_import = addButton(QStringLiteral("Importa vCard"), QStringLiteral("btnImportaVCard"));
    connect(m_export, &QPushButton::clicked, this, &CustomerList::exportVCard);
    connect(m_import, &QPushButton::clicked, this, &CustomerList::importVCard);
    auto* email = addButton(QStringLiteral("Email"), QStringLiteral("btnEmail"));
    connect(email, &QPushButton::clicked, this, [this] {
        printing::ui::emailAddresses(
            this->context(),
            emailAddressesOf(*this->context().db, QStringLiteral("Clienti"),
                             QStringLiteral("EMail"), selectedKeys(grid())),
            this);
    });
}

qint64 CustomerList::insertRow() {
    return CustomerRules::insertNew(*context().db);
}

void CustomerList::exportVCard() {
    exportVCardFile(context(), selectedKeys(grid()), &VCard::exportCustomers,
                    QStringLiteral("clienti.vcf"));
}

void CustomerList::importVCard() {
    if (importVCardFile(context(), &VCard::importCustomers))
        refresh();
}

// ---------------------------------------------------------------------------

CustomerCard::CustomerCard(::ui::AppContext& context, const ::ui::ScreenDefinition& definition,
                           qint64 key, bool isNew, QWidget* parent)
    : ::ui::CardScreen(context, definition, key, isNew, parent) {
    resize(1000, 540);

    // Private person or company, above the pages.
    auto* kindRow = new QWidget(this);
    kindRow->setObjectName(QStringLiteral("TipoCliente"));
    auto* h = new QHBoxLayout(kindRow);
    h->setContentsMargins(0, 0, 0, 0);
    m_private = new QRadioButton(QStringLiteral("Privato"), kindRow);
    m_private->setObjectName(QStringLiteral("rdbPrivato"));
    m_company = new QRadioButton(QStringLiteral("Azienda / Ente"), kindRow);
    m_company->setObjectName(QStringLiteral("rdbAzienda"));
    auto* group = new QButtonGroup(kindRow);
    group->addButton(m_private);
    group->addButton(m_company);
    h->addWidget(new QLabel(QStringLiteral("Tipo di cliente:"), kindRow));
    h->addWidget(m_private);
    h->addWidget(m_company);
    h->addStretch(1);
    if (auto* v = qobject_cast<QVBoxLayout*>(layout()))
        v->insertWidget(1, kindRow);
    setKind(CustomerRules::kindOf(values()));
    connect(m_private, &QRadioButton::clicked, this, [this] {
        setKind(CustomerKind::Private);
        showDerivedNames();
    });
    connect(m_company, &QRadioButton::clicked, this, [this] {
        setKind(CustomerKind::Company);
        showDerivedNames();
        editor(QStringLiteral("Cliente"))->setFocus();
    });

    for (const QString& name : CustomerRules::nameColumns())
        if (auto* line = lineEditor(this, name))
            connect(line, &QLineEdit::textChanged, this, &CustomerCard::showDerivedNames);
    if (auto* combo = qobject_cast<QComboBox*>(editor(QStringLiteral("Categoria_ID"))))
        connect(combo, &QComboBox::activated, this, &CustomerCard::categoryChosen);

    attachTownCompleter(*context.db, lineEditor(this, "Citta"), lineEditor(this, "Cap"),
                        lineEditor(this, "Provincia"));
    attachTownCompleter(*context.db, lineEditor(this, "StabileOrganizzazione_Comune"),
                        lineEditor(this, "StabileOrganizzazione_CAP"), nullptr);

    // The representative's and the establishment's data only count when ticked.
    for (const QString& flag :
         {QStringLiteral("RappresentanteFiscale"), QStringLiteral("StabileOrganizzazione")}) {
        auto* box = qobject_cast<QCheckBox*>(editor(flag));
        if (!box)
            continue;
        QList<QWidget*> dependent;
        for (const ::ui::CardField& f : definition.fields)
            if (f.field.startsWith(flag + u'_'))
                dependent.append(editor(f.field));
        auto apply = [dependent](bool on) {
            for (QWidget* w : dependent)
                w->setEnabled(on);
        };
        apply(box->isChecked());
        connect(box, &QCheckBox::toggled, this, apply);
    }

    m_warnings = new TaxWarnings(
        context, [this] { return CustomerRules::warnings(values()); }, this);
    for (const char* name : {"CodFiscale", "Iva", "Iban"})
        m_warnings->watch(QString::fromLatin1(name), editor(QString::fromLatin1(name)));

    if (publicOfficeLookup()) {
        m_findOffice = addButton(QStringLiteral("Trova Pubblica Amministrazione"),
                                 QStringLiteral("btnTrovaPA"));
        connect(m_findOffice, &QPushButton::clicked, this, [this] {
            if (const PublicOfficeLookup lookup = publicOfficeLookup())
                lookup(*this, this->context());
        });
    }

    // A new customer starts on its name.
    if (isNew)
        if (QWidget* first = editor(kind() == CustomerKind::Company ? "Cliente" : "Cognome"))
            first->setFocus();
}

CustomerKind CustomerCard::kind() const {
    return m_company->isChecked() ? CustomerKind::Company : CustomerKind::Private;
}

void CustomerCard::setKind(CustomerKind kind) {
    m_private->setChecked(kind == CustomerKind::Private);
    m_company->setChecked(kind == CustomerKind::Company);
    QWidget* company = editor(QStringLiteral("Cliente"));
    if (kind == CustomerKind::Private && !value(QStringLiteral("Cliente")).isNull())
        setValue(QStringLiteral("Cliente"), QVariant());
    company->setEnabled(kind == CustomerKind::Company);
}

void CustomerCard::applyPublicOffice(const QVariantMap& values) {
    setKind(CustomerKind::Company);
    for (auto it = values.begin(); it != values.end(); ++it) {
        if (it.key().compare(QLatin1String("Comune_id"), Qt::CaseInsensitive) == 0)
            m_officeTown = it.value();
        else
            setValue(it.key(), it.value());
    }
}

void CustomerCard::showDerivedNames() {
    db::RegistryRecord r = values();
    CustomerRules::deriveNames(r);
    setValue(QStringLiteral("NominativoDocumenti"), r.value("NominativoDocumenti"));
    setValue(QStringLiteral("NominativoVisualizzato"), r.value("NominativoVisualizzato"));
}

void CustomerCard::categoryChosen() {
    db::RegistryRecord r;
    if (!::ui::guarded(context(), [&] {
            CustomerRules::chooseCategory(*context().db, r,
                                          db::RecordKey(values(), "Categoria_ID"));
        }))
        return;
    setValue(QStringLiteral("ColoreCategoria"), r.value("ColoreCategoria"));
}

std::optional<common::Failure> CustomerCard::validate(const QVariantMap& values) const {
    if (auto f = CustomerRules::validate(values, kind()))
        return f;
    m_warnings->checkAll();
    return std::nullopt;
}

void CustomerCard::writeExtra(db::Database& db, const QVariantMap& values) {
    db::RegistryRecord r = values;
    const bool touched = isNew() || CustomerRules::namesChanged(storedValues(), values);
    CustomerRules::completeSave(db, key(), r, kind(), touched, m_officeTown);
    setValue(QStringLiteral("NominativoDocumenti"), r.value("NominativoDocumenti"));
    setValue(QStringLiteral("NominativoVisualizzato"), r.value("NominativoVisualizzato"));
}

void setPublicOfficeLookup(PublicOfficeLookup lookup) {
    publicOfficeLookup() = std::move(lookup);
}

void registerCustomerScreens(::ui::ScreenRegistry& registry) {
    registry.add(QStringLiteral("btnClienti"), [](QWidget* parent, ::ui::AppContext& context) {
        CustomerList list(context, parent);
        list.exec();
    });
}

} // namespace registries::ui
