#include "registries/ui/CustomerScreens.h"

#include "common/TextForms.h"
#include "common/Titles.h"
#include "db/DbError.h"
#include "registries/ui/RegistryHelpers.h"
#include "ui/AppContext.h"
#include "ui/DataGrid.h"
#include "ui/Guarded.h"
#include "ui/Lookups.h"
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
    // The category never leaves a customer out: the count reads Clienti alone.
    d.countSelect = QStringLiteral("select ID from Clienti");
    d.countColumns = {"Annullato", "NominativoVisualizzato", "Citta", "CodFiscale"};
    d.orderBy = QStringLiteral("NominativoVisualizzato");
    d.cancellable = true;
    // The shown name carries the fiscal code and the birth date.
    d.columns = {{"NominativoVisualizzato", 400, "Nominativo"},
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

    d.fields = {
        {.field = "Cliente", .label = "Ragione sociale", .page = kAnagrafica},
        {.field = "Titolo", .label = "Titolo", .page = kAnagrafica, .width = 90},
        {.field = "Cognome", .label = "Cognome", .page = kAnagrafica, .sameRow = true},
        {.field = "Nome", .label = "Nome", .page = kAnagrafica, .sameRow = true},
        {.field = "DataNascita", .label = "Data di nascita", .page = kAnagrafica},
        {.field = "LuogoNascita",
         .label = "Luogo di nascita",
         .page = kAnagrafica,
         .sameRow = true},
        {.field = "Codice", .label = "Codice cliente", .page = kAnagrafica},
        {.field = "Categoria_ID",
         .label = "Categoria",
         .lookup = ::ui::lookups::customerCategories(),
         .page = kAnagrafica},
        {.field = "ColoreCategoria",
         .label = "Colore categoria",
         .kind = FieldKind::Colour,
         .page = kAnagrafica,
         .sameRow = true,
         .readOnly = true},
        {.field = "NumeroColore",
         .label = "Colore del cliente",
         .kind = FieldKind::Colour,
         .page = kAnagrafica},
        {.field = "NominativoDocumenti",
         .label = "Nome sui documenti",
         .page = kAnagrafica,
         .readOnly = true},
        {.field = "NominativoVisualizzato",
         .label = "Nome negli elenchi",
         .page = kAnagrafica,
         .readOnly = true},
        {.field = "PrivacyFirmata", .label = "Privacy firmata", .page = kAnagrafica},
        {.field = "Annullato", .label = "Annullato", .page = kAnagrafica, .sameRow = true},

        {.field = "Via", .label = "Via", .page = kIndirizzo},
        {.field = "Numero", .label = "Numero", .page = kIndirizzo, .sameRow = true, .width = 80},
        {.field = "Cap", .label = "CAP", .page = kIndirizzo, .width = 80},
        {.field = "Citta", .label = "Città", .page = kIndirizzo, .sameRow = true},
        partyfields::province(kIndirizzo),
        {.field = "Sede_Nazione",
         .label = "Nazione",
         .lookup = ::ui::lookups::countries(),
         .page = kIndirizzo},
        {.field = "DestinazioneMerce", .label = "Destinazione merce", .page = kIndirizzo},
    };
    d.fields += partyfields::contacts(kContatti, QStringLiteral("EMail"));
    d.fields += QList<CardField>{
        partyfields::taxCode(kFiscale),
        {.field = "Iva", .label = "Partita IVA", .page = kFiscale, .onLeave = vatNumber},
        partyfields::vatCountry(kFiscale),
        partyfields::eori(kFiscale),
        {.field = "PubblicaAmministrazione",
         .label = "Pubblica amministrazione (FPA12)",
         .page = kFiscale},
        {.field = "CodiceUnivocoUfficio",
         .label = "Codice destinatario",
         .page = kFiscale,
         .sameRow = true,
         .width = 110,
         .maxLength = 7,
         .onLeave = upperCase},
        {.field = "ScissionePagamenti", .label = "Scissione dei pagamenti", .page = kFiscale},

        {.field = "Pagamento_ID",
         .label = "Modalità di pagamento",
         .lookup = ::ui::lookups::paymentTerms(),
         .page = kBanca},
        {.field = "DescBanca", .label = "Banca", .page = kBanca},
        {.field = "Iban", .label = "IBAN", .page = kBanca, .maxLength = 34, .onLeave = upperCase},
        {.field = "Sconto", .label = "Sconto %", .page = kBanca, .width = 90},
        {.field = "SaldoInizioAnno", .label = "Saldo inizio anno", .page = kBanca, .width = 120},
        {.field = "ContabilitaContoFattureVendita_ID",
         .label = "Conto fatture di vendita",
         .lookup = ::ui::lookups::accounts(),
         .page = kBanca,
         .search = ::ui::lookups::accountSearch},
        {.field = "ContabilitaContoNoteCreditoVendita_ID",
         .label = "Conto note di credito di vendita",
         .lookup = ::ui::lookups::accounts(),
         .page = kBanca,
         .search = ::ui::lookups::accountSearch},

        {.field = "RappresentanteFiscale",
         .label = "Ha un rappresentante fiscale",
         .page = kRappresentante},
        {.field = "RappresentanteFiscale_Nazione",
         .label = "Nazione",
         .lookup = ::ui::lookups::countries(),
         .page = kRappresentante},
        {.field = "RappresentanteFiscale_IdCodice",
         .label = "Codice identificativo",
         .page = kRappresentante,
         .maxLength = 28,
         .onLeave = upperCase},
        {.field = "RappresentanteFiscale_Denominazione",
         .label = "Denominazione",
         .page = kRappresentante},
        {.field = "RappresentanteFiscale_Cognome", .label = "Cognome", .page = kRappresentante},
        {.field = "RappresentanteFiscale_Nome",
         .label = "Nome",
         .page = kRappresentante,
         .sameRow = true},

        {.field = "StabileOrganizzazione",
         .label = "Ha una stabile organizzazione in Italia",
         .page = kStabile},
        {.field = "StabileOrganizzazione_Indirizzo", .label = "Indirizzo", .page = kStabile},
        {.field = "StabileOrganizzazione_NumeroCivico",
         .label = "Numero civico",
         .page = kStabile,
         .sameRow = true,
         .width = 80},
        {.field = "StabileOrganizzazione_CAP", .label = "CAP", .page = kStabile, .width = 80},
        {.field = "StabileOrganizzazione_Comune",
         .label = "Comune",
         .page = kStabile,
         .sameRow = true},
        {.field = "StabileOrganizzazione_Provincia",
         .label = "Provincia",
         .lookup = ::ui::lookups::provinces(),
         .page = kStabile},
        {.field = "StabileOrganizzazione_Nazione",
         .label = "Nazione",
         .lookup = ::ui::lookups::countries(),
         .page = kStabile},

        {.field = "Note", .label = "Note", .page = kNote},
    };
    d.makeCard = ::ui::cardOf<CustomerCard>();
    d.beforeDelete = [](db::Database& db, qint64 key) {
        if (auto f = CustomerRules::deleteCheck(db, key))
            throw db::DbError(f->text);
    };
    return d;
}

// ---------------------------------------------------------------------------

CustomerList::CustomerList(::ui::AppContext& context, QWidget* parent)
    : PartyList(context, customerDefinition(),
                {QStringLiteral("Clienti"), QStringLiteral("EMail"), QStringLiteral("clienti.vcf"),
                 &VCard::exportCustomers, &VCard::importCustomers, &CustomerRules::insertNew},
                parent) {
    grid()->setItemDelegate(new StoredColourDelegate(grid(), QStringLiteral("Categoria"),
                                                     QStringLiteral("ColoreCategoria")));
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
