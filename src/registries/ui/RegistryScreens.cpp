#include "registries/ui/RegistryScreens.h"

#include "registries/PaymentTermsRules.h"
#include "registries/SimpleRegistryRules.h"
#include "registries/ui/RegistryHelpers.h"
#include "ui/ActionButton.h"
#include "ui/AppContext.h"
#include "ui/CardScreen.h"
#include "ui/DataGrid.h"
#include "ui/ListScreen.h"
#include "ui/Lookups.h"
#include "ui/ScreenRegistry.h"
#include "ui/ScreenTitle.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace registries::ui {

using ::ui::CardField;
using ::ui::FieldKind;
using ::ui::ScreenDefinition;

namespace {

// Town, postcode and province typed on a card complete each other.
::ui::CardScreen* cardWithTownCompleter(::ui::AppContext& context, const ScreenDefinition& d,
                                        qint64 key, bool isNew, QWidget* parent,
                                        const QString& townField) {
    auto* card = new ::ui::CardScreen(context, d, key, isNew, parent);
    auto* town = qobject_cast<QLineEdit*>(card->editor(townField));
    auto* cap = qobject_cast<QLineEdit*>(card->editor(QStringLiteral("Cap")));
    auto* province = qobject_cast<QLineEdit*>(card->editor(QStringLiteral("Provincia")));
    if (town && cap && province)
        attachTownCompleter(*context.db, town, cap, province);
    return card;
}

// The window of the types and categories: one button per small registry.
void openTypesWindow(QWidget* parent, ::ui::AppContext& context,
                     const ::ui::ScreenRegistry& registry) {
    QDialog window(parent);
    window.setObjectName(QStringLiteral("frmArchivioTipologie"));
    window.setWindowTitle(QStringLiteral("Tipologie e Categorie"));
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(::ui::ScreenTitle(QStringLiteral("Tipologie e Categorie"), &window));
    auto* grid = new QGridLayout();
    layout->addLayout(grid);
    const QList<std::pair<QString, QString>> entries{
        {QStringLiteral("Categorie Clienti"), QStringLiteral("frmGrigliaClientiCategoria")},
        {QStringLiteral("Categorie Fornitori"), QStringLiteral("frmGrigliaFornitorCategoria")},
        {QStringLiteral("Categorie Articoli"), QStringLiteral("frmGrigliaPrezziarCategorie")},
        {QStringLiteral("Categorie Personale"), QStringLiteral("frmGrigliaCategoriePersonale")},
        {QStringLiteral("Tipi di Documento"), QStringLiteral("frmGrigliaTipoDocumenti")},
        {QStringLiteral("Vettori"), QStringLiteral("frmGrigliaVettori")},
        {QStringLiteral("Porto"), QStringLiteral("frmGrigliaPorto")},
        {QStringLiteral("Aspetto dei Beni"), QStringLiteral("frmGrigliaAspetto")},
        {QStringLiteral("Province"), QStringLiteral("frmGrigliaProvince")},
        {QStringLiteral("Serie di Fatturazione"), QStringLiteral("frmSerieFatturazione")},
        {QStringLiteral("Tipologie Prima Nota"), QStringLiteral("frmGrigliaTipologiaPrimaNota")},
        {QStringLiteral("Tipologie Calendario"), QStringLiteral("frmGrigliaCalendarioTipologie")},
        {QStringLiteral("Tipologie Costi Personale"),
         QStringLiteral("frmGrigliaTipologiaCostiPersonale")},
        {QStringLiteral("Tipologie Scadenze Personale"),
         QStringLiteral("frmGrigliaTipologiaScadenzePersonale")},
    };
    int at = 0;
    for (const auto& [caption, name] : entries) {
        if (!registry.has(name))
            continue;
        QPushButton* b = ::ui::ActionButton(caption, name, &window);
        b->setMinimumSize(200, 48);
        grid->addWidget(b, at / 2, at % 2);
        ++at;
        const auto open = registry.find(name);
        QObject::connect(b, &QPushButton::clicked, &window,
                         [open, &window, &context] { open(&window, context); });
    }
    QPushButton* back =
        ::ui::ActionButton(QStringLiteral("Indietro"), QStringLiteral("spdIndietro"), &window);
    QObject::connect(back, &QPushButton::clicked, &window, &QDialog::reject);
    layout->addStretch(1);
    layout->addWidget(back, 0, Qt::AlignRight);
    window.exec();
}

} // namespace

// A registry whose rows are just a description (and maybe a few more
// columns): search and order by the description, which is required.
ScreenDefinition describedTable(const QString& table, const QString& objectName,
                                const QString& listTitle, const QString& cardTitle,
                                const QString& deleteQuestion) {
    ScreenDefinition d;
    d.table = table;
    d.objectName = objectName;
    d.listTitle = listTitle;
    d.cardTitle = cardTitle;
    d.orderBy = QStringLiteral("Descrizione");
    d.columns = {{QStringLiteral("Descrizione"), 320, QStringLiteral("Descrizione")}};
    d.searches = {{QStringLiteral("Descrizione"), QStringLiteral("Descrizione")}};
    d.fields = {
        {.field = "Descrizione", .label = "Descrizione"},
    };
    d.deleteQuestion = deleteQuestion;
    d.validate = [](const QVariantMap& v) {
        return requireText(v, QStringLiteral("Descrizione"), QStringLiteral("la Descrizione"));
    };
    return d;
}

ScreenDefinition vatCodesScreen() {
    ScreenDefinition d;
    d.table = QStringLiteral("Iva");
    d.objectName = QStringLiteral("frmGrigliaIva");
    d.listTitle = QStringLiteral("Aliquote Iva");
    d.cardTitle = QStringLiteral("Aliquota Iva");
    d.orderBy = QStringLiteral("Descrizione");
    d.columns = {{QStringLiteral("Descrizione"), 420, QStringLiteral("Descrizione")},
                 {QStringLiteral("Iva"), 80, QStringLiteral("Aliquota %")},
                 {QStringLiteral("Pa_Natura_Codice"), 80, QStringLiteral("Natura")},
                 {QStringLiteral("NumeroRepartoFiscale"), 110, QStringLiteral("Reparto Fiscale")}};
    d.searches = {{QStringLiteral("Descrizione"), QStringLiteral("Descrizione")}};
    d.fields = {
        {.field = "Descrizione", .label = "Descrizione"},
        {.field = "Iva", .label = "Aliquota %", .kind = FieldKind::Amount, .width = 100},
        {.field = "Pa_Natura_Codice",
         .label = "Natura (Fattura Elettronica)",
         .lookup = ::ui::lookups::paCodes(QStringLiteral("PA_Natura"))},
        {.field = "NumeroRepartoFiscale",
         .label = "N° Reparto Fiscale",
         .kind = FieldKind::Integer,
         .width = 100},
    };
    d.deleteQuestion = QStringLiteral("Sei sicuro di voler eliminare l'aliquota Iva?");
    d.validate = validateVatCode;
    return d;
}

ScreenDefinition banksScreen() {
    ScreenDefinition d;
    d.table = QStringLiteral("Bank");
    d.objectName = QStringLiteral("frmGrigliaBanche");
    d.listTitle = QStringLiteral("Banche");
    d.cardTitle = QStringLiteral("Banca");
    d.orderBy = QStringLiteral("Banca");
    d.cancellable = true;
    d.columns = {{QStringLiteral("Banca"), 240, QStringLiteral("Banca")},
                 {QStringLiteral("Iban"), 240, QStringLiteral("IBAN")},
                 {QStringLiteral("Comune"), 160, QStringLiteral("Comune")},
                 {QStringLiteral("Telefono"), 110, QStringLiteral("Telefono")},
                 {QStringLiteral("Annullato"), 70, QStringLiteral("Annullato")}};
    d.searches = {{QStringLiteral("Banca"), QStringLiteral("Banca")},
                  {QStringLiteral("Iban"), QStringLiteral("IBAN")}};
    d.fields = {
        {.field = "Banca", .label = "Banca"},
        {.field = "Beneficiario", .label = "Beneficiario"},
        {.field = "Iban", .label = "IBAN", .maxLength = 34, .onLeave = normalisedIban},
        {.field = "Via", .label = "Via"},
        {.field = "Numero", .label = "N°", .sameRow = true, .width = 70},
        {.field = "Comune", .label = "Comune"},
        {.field = "Cap", .label = "Cap", .sameRow = true, .width = 70},
        {.field = "Provincia",
         .label = "Prov.",
         .sameRow = true,
         .width = 45,
         .maxLength = 2,
         .onLeave = upperCase},
        {.field = "Telefono", .label = "Telefono"},
        {.field = "Fax", .label = "Fax", .sameRow = true},
        {.field = "Email", .label = "E-mail"},
        {.field = "SaldoInizioAnno",
         .label = "Saldo Inizio Anno",
         .kind = FieldKind::Amount,
         .width = 130},
        {.field = "Annullato", .label = "Annullato", .kind = FieldKind::Check},
    };
    d.newRow = {{QStringLiteral("Annullato"), false}};
    d.deleteQuestion = QStringLiteral("Sei sicuro di voler eliminare la Banca?");
    d.validate = [](const QVariantMap& v) {
        return requireText(v, QStringLiteral("Banca"), QStringLiteral("il nome della Banca"));
    };
    d.makeCard = [](::ui::AppContext& context, const ScreenDefinition& def, qint64 key, bool isNew,
                    QWidget* parent) {
        return cardWithTownCompleter(context, def, key, isNew, parent, QStringLiteral("Comune"));
    };
    return d;
}

ScreenDefinition municipalitiesScreen() {
    ScreenDefinition d;
    d.table = QStringLiteral("Comuni");
    d.objectName = QStringLiteral("frmGrigliaComuni");
    d.listTitle = QStringLiteral("Comuni");
    d.cardTitle = QStringLiteral("Comune");
    d.orderBy = QStringLiteral("Comune");
    d.columns = {{QStringLiteral("Comune"), 220, QStringLiteral("Comune")},
                 {QStringLiteral("Provincia"), 60, QStringLiteral("Prov.")},
                 {QStringLiteral("Cap"), 70, QStringLiteral("Cap")},
                 {QStringLiteral("COD_ISTAT"), 90, QStringLiteral("Cod. Istat")},
                 {QStringLiteral("CODICE_F"), 90, QStringLiteral("Cod. Catastale")},
                 {QStringLiteral("PrefNaz"), 80, QStringLiteral("Prefisso")}};
    d.searches = {{QStringLiteral("Comune"), QStringLiteral("Comune")},
                  {QStringLiteral("Provincia"), QStringLiteral("Prov.")},
                  {QStringLiteral("Cap"), QStringLiteral("Cap")}};
    d.fields = {
        {.field = "Comune", .label = "Comune"},
        {.field = "Provincia", .label = "Provincia", .lookup = ::ui::lookups::provinces()},
        {.field = "Cap", .label = "Cap"},
        {.field = "PrefNaz", .label = "Prefisso tel.", .sameRow = true},
        {.field = "COD_ISTAT", .label = "Codice Istat"},
        {.field = "CODICE_F", .label = "Codice Catastale", .sameRow = true, .onLeave = upperCase},
        {.field = "Regione_ID", .label = "Regione", .lookup = ::ui::lookups::regions()},
        {.field = "Nazione_ID", .label = "Nazione", .lookup = ::ui::lookups::countryIds()},
        {.field = "Capoluogo", .label = "Capoluogo di provincia", .kind = FieldKind::Check},
        {.field = "Latitudine", .label = "Latitudine", .kind = FieldKind::Amount, .decimals = 6},
        {.field = "Longitudine",
         .label = "Longitudine",
         .kind = FieldKind::Amount,
         .sameRow = true,
         .decimals = 6},
    };
    d.deleteQuestion = QStringLiteral("Sei sicuro di voler eliminare il Comune?");
    d.validate = [](const QVariantMap& v) {
        return requireText(v, QStringLiteral("Comune"), QStringLiteral("il Comune"));
    };
    return d;
}

ScreenDefinition provincesScreen() {
    ScreenDefinition d;
    d.table = QStringLiteral("Province");
    d.objectName = QStringLiteral("frmGrigliaProvince");
    d.listTitle = QStringLiteral("Province");
    d.cardTitle = QStringLiteral("Provincia");
    d.orderBy = QStringLiteral("PROVINCIA");
    d.columns = {{QStringLiteral("PROVINCIA"), 70, QStringLiteral("Sigla")},
                 {QStringLiteral("CAPOLUOGO"), 240, QStringLiteral("Capoluogo")}};
    d.searches = {{QStringLiteral("PROVINCIA"), QStringLiteral("Sigla")},
                  {QStringLiteral("CAPOLUOGO"), QStringLiteral("Capoluogo")}};
    d.fields = {
        {.field = "PROVINCIA", .label = "Sigla", .width = 45, .maxLength = 2, .onLeave = upperCase},
        {.field = "CAPOLUOGO", .label = "Capoluogo"},
    };
    d.deleteQuestion = QStringLiteral("Sei sicuro di voler eliminare la Provincia?");
    d.validate = [](const QVariantMap& v) -> std::optional<common::Failure> {
        if (auto f = requireText(v, QStringLiteral("PROVINCIA"), QStringLiteral("la Sigla")))
            return f;
        return requireText(v, QStringLiteral("CAPOLUOGO"), QStringLiteral("il Capoluogo"));
    };
    return d;
}

ScreenDefinition departmentsScreen() {
    ScreenDefinition d = describedTable(
        QStringLiteral("Reparti"), QStringLiteral("frmGrigliaReparti"), QStringLiteral("Reparti"),
        QStringLiteral("Reparto"), QStringLiteral("Sei sicuro di voler eliminare il Reparto?"));
    d.columns.append({QStringLiteral("Numero"), 80, QStringLiteral("Numero")});
    d.fields.append({QStringLiteral("Numero"), QStringLiteral("Numero"), FieldKind::Integer});
    d.fields.last().width = 80;
    return d;
}

ScreenDefinition carriersScreen() {
    ScreenDefinition d = describedTable(
        QStringLiteral("Vettore"), QStringLiteral("frmGrigliaVettori"), QStringLiteral("Vettori"),
        QStringLiteral("Vettore"), QStringLiteral("Sei sicuro di voler eliminare il Vettore?"));
    d.columns.append({QStringLiteral("VettoreVisibile"), 80, QStringLiteral("Visibile")});
    d.fields.append({QStringLiteral("VettoreVisibile"), QStringLiteral("Visibile in stampa"),
                     FieldKind::Check});
    d.newRow = {{QStringLiteral("VettoreVisibile"), true}};
    return d;
}

ScreenDefinition carriageTermsScreen() {
    ScreenDefinition d = describedTable(
        QStringLiteral("FatturaPorto"), QStringLiteral("frmGrigliaPorto"), QStringLiteral("Porto"),
        QStringLiteral("Porto"), QStringLiteral("Sei sicuro di voler eliminare il Porto?"));
    d.columns.append({QStringLiteral("Codice"), 90, QStringLiteral("Codice")});
    d.fields.append({QStringLiteral("Codice"), QStringLiteral("Codice")});
    d.fields.last().width = 120;
    return d;
}

ScreenDefinition goodsAppearanceScreen() {
    return describedTable(QStringLiteral("FatturaAspetto"), QStringLiteral("frmGrigliaAspetto"),
                          QStringLiteral("Aspetto dei Beni"), QStringLiteral("Aspetto dei Beni"),
                          QStringLiteral("Sei sicuro di voler eliminare l'Aspetto dei Beni?"));
}

ScreenDefinition identityDocumentTypesScreen() {
    return describedTable(QStringLiteral("TipoDocumenti"),
                          QStringLiteral("frmGrigliaTipoDocumenti"),
                          QStringLiteral("Tipi di Documento"), QStringLiteral("Tipo di Documento"),
                          QStringLiteral("Sei sicuro di voler eliminare il Tipo di Documento?"));
}

ScreenDefinition customerCategoriesScreen() {
    ScreenDefinition d = describedTable(
        QStringLiteral("ClientiCategoria"), QStringLiteral("frmGrigliaClientiCategoria"),
        QStringLiteral("Categorie Clienti"), QStringLiteral("Categoria Clienti"),
        QStringLiteral("Sei sicuro di voler eliminare la Categoria?"));
    d.fields.append(
        {QStringLiteral("ColoreCategoria"), QStringLiteral("Colore"), FieldKind::Colour});
    d.beforeDelete = clearCustomerCategoryColour;
    d.afterSave = categoryColourCopy(QStringLiteral("Clienti"));
    return d;
}

ScreenDefinition supplierCategoriesScreen() {
    return describedTable(
        QStringLiteral("FornitorCategoria"), QStringLiteral("frmGrigliaFornitorCategoria"),
        QStringLiteral("Categorie Fornitori"), QStringLiteral("Categoria Fornitori"),
        QStringLiteral("Sei sicuro di voler eliminare la Categoria?"));
}

ScreenDefinition articleCategoriesScreen() {
    ScreenDefinition d = describedTable(
        QStringLiteral("PrezziarCategorie"), QStringLiteral("frmGrigliaPrezziarCategorie"),
        QStringLiteral("Categorie Articoli"), QStringLiteral("Categoria Articoli"),
        QStringLiteral("Sei sicuro di voler eliminare la Categoria?"));
    d.columns.append({QStringLiteral("Immagine"), 200, QStringLiteral("Immagine")});
    d.fields.append({QStringLiteral("Immagine"), QStringLiteral("Immagine (file)")});
    d.fields.append({QStringLiteral("DaAggiornareWeb"), QStringLiteral("Da aggiornare sul web"),
                     FieldKind::Check});
    d.newRow = {{QStringLiteral("DaAggiornareWeb"), false}};
    return d;
}

ScreenDefinition paymentTermsScreen() {
    ScreenDefinition d;
    d.table = QStringLiteral("ModPagamento");
    d.key = QStringLiteral("Id");
    d.objectName = QStringLiteral("frmGrigliaModPagamento");
    d.listTitle = QStringLiteral("Modalità di Pagamento");
    d.cardTitle = QStringLiteral("Modalità di Pagamento");
    d.orderBy = QStringLiteral("descrizione");
    d.columns = {{QStringLiteral("Descrizione"), 260, QStringLiteral("Descrizione")},
                 {QStringLiteral("NumeroScadenze"), 90, QStringLiteral("N° Scadenze")}};
    for (int i = 1; i <= 12; ++i)
        d.columns.append(
            {QStringLiteral("GG%1Scadenza").arg(i), 55, QStringLiteral("GG %1").arg(i)});
    d.searches = {{QStringLiteral("Descrizione"), QStringLiteral("Descrizione")}};
    d.newRow = {{QStringLiteral("FatturaFineMese"), false}};
    d.deleteQuestion = QStringLiteral("Sei sicuro di voler eliminare la modalità di pagamento?");

    d.fields = {
        {.field = "Descrizione", .label = "Descrizione"},
        {.field = "PA_ModalitaPagamento_Codice",
         .label = "Tipologia",
         .lookup = ::ui::lookups::paCodes(QStringLiteral("PA_ModalitaPagamento"))},
        {.field = "NumeroScadenze", .label = "N° Scadenze", .kind = FieldKind::Integer},
    };
    d.fields.last().width = 60;
    d.fields.last().onLeave = clampInstalments;
    for (int i = 1; i <= 12; ++i) {
        CardField f{QStringLiteral("GG%1Scadenza").arg(i), QStringLiteral("GG %1° Scad.").arg(i),
                    FieldKind::Integer};
        f.width = 60;
        f.sameRow = (i % 4) != 1;
        d.fields.append(f);
    }
    const QList<std::pair<QString, QString>> flags{
        {QStringLiteral("FatturaFineMese"), QStringLiteral("Scadenza a Data Fattura Fine Mese")},
        {QStringLiteral("CalcolaScadenzeFineMeseInizio"),
         QStringLiteral("Calcola prima Fine Mese eppoi i giorni")},
        {QStringLiteral("AnnoCommerciale"), QStringLiteral("Anno Commerciale")},
        {QStringLiteral("FlagCassa"), QStringLiteral("Visualizza in prima nota cassa")},
        {QStringLiteral("NonVisualizzareStampa"), QStringLiteral("Nascondi scadenze in Stampa")}};
    for (const auto& [field, label] : flags)
        d.fields.append({field, label, FieldKind::Check});
    d.validate = validatePaymentTerms;
    return d;
}

void openRegistryList(QWidget* parent, ::ui::AppContext& context,
                      const ScreenDefinition& definition) {
    ::ui::ListScreen list(context, definition, parent);
    if (definition.table.compare(QLatin1String("ClientiCategoria"), Qt::CaseInsensitive) == 0)
        list.grid()->setItemDelegate(new StoredColourDelegate(
            list.grid(), QStringLiteral("Descrizione"), QStringLiteral("ColoreCategoria")));
    list.exec();
}

void registerRegistryScreens(::ui::ScreenRegistry& registry) {
    const auto add = [&registry](const QString& button, ScreenDefinition (*make)()) {
        const auto opener = [make](QWidget* parent, ::ui::AppContext& context) {
            openRegistryList(parent, context, make());
        };
        if (!button.isEmpty())
            registry.add(button, opener);
        registry.add(make().objectName, opener);
    };
    add(QStringLiteral("btnIva"), vatCodesScreen);
    add(QStringLiteral("btnBanche"), banksScreen);
    add(QStringLiteral("btnComuni"), municipalitiesScreen);
    add(QStringLiteral("btnReparti"), departmentsScreen);
    add(QStringLiteral("btnModalitaPagamento"), paymentTermsScreen);
    add(QString(), provincesScreen);
    add(QString(), carriersScreen);
    add(QString(), carriageTermsScreen);
    add(QString(), goodsAppearanceScreen);
    add(QString(), identityDocumentTypesScreen);
    add(QString(), customerCategoriesScreen);
    add(QString(), supplierCategoriesScreen);
    add(QString(), articleCategoriesScreen);
    const ::ui::ScreenRegistry* all = &registry;
    registry.add(QStringLiteral("btnArchivioTipologie"),
                 [all](QWidget* parent, ::ui::AppContext& context) {
                     openTypesWindow(parent, context, *all);
                 });
}

} // namespace registries::ui
