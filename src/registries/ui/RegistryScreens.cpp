#include "registries/ui/RegistryScreens.h"

#include "registries/PaymentTermsRules.h"
#include "registries/SimpleRegistryRules.h"
#include "registries/ui/RegistryHelpers.h"
#include "ui/ActionButton.h"
#include "ui/AppContext.h"
#include "ui/CardScreen.h"
#include "ui/DataGrid.h"
#include "ui/ListScreen.h"
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
using ::ui::Lookup;
using ::ui::ScreenDefinition;

namespace {

// A registry whose rows are just a description (and maybe a few more
// columns): search and order by the description, which is required.
ScreenDefinition described(const QString& table, const QString& objectName,
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
    d.fields = {{QStringLiteral("Descrizione"), QStringLiteral("Descrizione")}};
    d.deleteQuestion = deleteQuestion;
    d.validate = [](const QVariantMap& v) {
        return requireText(v, QStringLiteral("Descrizione"), QStringLiteral("la Descrizione"));
    };
    return d;
}

Lookup regions() {
    return {QStringLiteral("select IDRegione, Descrizione from regioni order by Descrizione"),
            QStringLiteral("IDRegione"), QStringLiteral("Descrizione"), QString()};
}

// A FatturaPA code table: the code is stored, its description listed.
Lookup paCodes(const QString& table) {
    return {QStringLiteral("select Codice, Descrizione from %1 order by Descrizione").arg(table),
            QStringLiteral("Codice"), QStringLiteral("Descrizione"), QString()};
}

Lookup countryKeys() {
    return {QStringLiteral("select IDNazione, DENOMINAZ from Nazioni order by DENOMINAZ"),
            QStringLiteral("IDNazione"), QStringLiteral("DENOMINAZ"), QString()};
}

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
        {QStringLiteral("Descrizione"), QStringLiteral("Descrizione")},
        {QStringLiteral("Iva"), QStringLiteral("Aliquota %"), FieldKind::Amount},
        {QStringLiteral("Pa_Natura_Codice"), QStringLiteral("Natura (Fattura Elettronica)"),
         FieldKind::Lookup, paCodes(QStringLiteral("PA_Natura"))},
        {QStringLiteral("NumeroRepartoFiscale"), QStringLiteral("N° Reparto Fiscale"),
         FieldKind::Integer},
    };
    d.fields[1].width = 100;
    d.fields[3].width = 100;
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
        {QStringLiteral("Banca"), QStringLiteral("Banca")},
        {QStringLiteral("Beneficiario"), QStringLiteral("Beneficiario")},
        {QStringLiteral("Iban"), QStringLiteral("IBAN")},
        {QStringLiteral("Via"), QStringLiteral("Via")},
        {QStringLiteral("Numero"), QStringLiteral("N°")},
        {QStringLiteral("Comune"), QStringLiteral("Comune")},
        {QStringLiteral("Cap"), QStringLiteral("Cap")},
        {QStringLiteral("Provincia"), QStringLiteral("Prov.")},
        {QStringLiteral("Telefono"), QStringLiteral("Telefono")},
        {QStringLiteral("Fax"), QStringLiteral("Fax")},
        {QStringLiteral("Email"), QStringLiteral("E-mail")},
        {QStringLiteral("SaldoInizioAnno"), QStringLiteral("Saldo Inizio Anno"), FieldKind::Amount},
        {QStringLiteral("Annullato"), QStringLiteral("Annullato"), FieldKind::Check},
    };
    d.fields[2].maxLength = 34;
    d.fields[2].onLeave = normalisedIban;
    d.fields[4].sameRow = true;
    d.fields[4].width = 70;
    d.fields[6].sameRow = true;
    d.fields[6].width = 70;
    d.fields[7].sameRow = true;
    d.fields[7].width = 45;
    d.fields[7].maxLength = 2;
    d.fields[7].onLeave = upperCase;
    d.fields[9].sameRow = true;
    d.fields[11].width = 130;
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
        {QStringLiteral("Comune"), QStringLiteral("Comune")},
        {QStringLiteral("Provincia"), QStringLiteral("Provincia"), FieldKind::Lookup,
         RegistryLookups::provinces()},
        {QStringLiteral("Cap"), QStringLiteral("Cap")},
        {QStringLiteral("PrefNaz"), QStringLiteral("Prefisso tel.")},
        {QStringLiteral("COD_ISTAT"), QStringLiteral("Codice Istat")},
        {QStringLiteral("CODICE_F"), QStringLiteral("Codice Catastale")},
        {QStringLiteral("Regione_ID"), QStringLiteral("Regione"), FieldKind::Lookup, regions()},
        {QStringLiteral("Nazione_ID"), QStringLiteral("Nazione"), FieldKind::Lookup, countryKeys()},
        {QStringLiteral("Capoluogo"), QStringLiteral("Capoluogo di provincia"), FieldKind::Check},
        {QStringLiteral("Latitudine"), QStringLiteral("Latitudine"), FieldKind::Amount},
        {QStringLiteral("Longitudine"), QStringLiteral("Longitudine"), FieldKind::Amount},
    };
    d.fields[3].sameRow = true;
    d.fields[5].sameRow = true;
    d.fields[9].decimals = 6;
    d.fields[10].decimals = 6;
    d.fields[10].sameRow = true;
    d.fields[5].onLeave = upperCase;
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
    d.fields = {{QStringLiteral("PROVINCIA"), QStringLiteral("Sigla")},
                {QStringLiteral("CAPOLUOGO"), QStringLiteral("Capoluogo")}};
    d.fields[0].maxLength = 2;
    d.fields[0].width = 45;
    d.fields[0].onLeave = upperCase;
    d.deleteQuestion = QStringLiteral("Sei sicuro di voler eliminare la Provincia?");
    d.validate = [](const QVariantMap& v) -> std::optional<common::Failure> {
        if (auto f = requireText(v, QStringLiteral("PROVINCIA"), QStringLiteral("la Sigla")))
            return f;
        return requireText(v, QStringLiteral("CAPOLUOGO"), QStringLiteral("il Capoluogo"));
    };
    return d;
}

ScreenDefinition departmentsScreen() {
    ScreenDefinition d = described(QStringLiteral("Reparti"), QStringLiteral("frmGrigliaReparti"),
                                   QStringLiteral("Reparti"), QStringLiteral("Reparto"),
                                   QStringLiteral("Sei sicuro di voler eliminare il Reparto?"));
    d.columns.append({QStringLiteral("Numero"), 80, QStringLiteral("Numero")});
    d.fields.append({QStringLiteral("Numero"), QStringLiteral("Numero"), FieldKind::Integer});
    d.fields.last().width = 80;
    return d;
}

ScreenDefinition carriersScreen() {
    ScreenDefinition d = described(QStringLiteral("Vettore"), QStringLiteral("frmGrigliaVettori"),
                                   QStringLiteral("Vettori"), QStringLiteral("Vettore"),
                                   QStringLiteral("Sei sicuro di voler eliminare il Vettore?"));
    d.columns.append({QStringLiteral("VettoreVisibile"), 80, QStringLiteral("Visibile")});
    d.fields.append({QStringLiteral("VettoreVisibile"), QStringLiteral("Visibile in stampa"),
                     FieldKind::Check});
    d.newRow = {{QStringLiteral("VettoreVisibile"), true}};
    return d;
}

ScreenDefinition carriageTermsScreen() {
    ScreenDefinition d = described(
        QStringLiteral("FatturaPorto"), QStringLiteral("frmGrigliaPorto"), QStringLiteral("Porto"),
        QStringLiteral("Porto"), QStringLiteral("Sei sicuro di voler eliminare il Porto?"));
    d.columns.append({QStringLiteral("Codice"), 90, QStringLiteral("Codice")});
    d.fields.append({QStringLiteral("Codice"), QStringLiteral("Codice")});
    d.fields.last().width = 120;
    return d;
}

ScreenDefinition goodsAppearanceScreen() {
    return described(QStringLiteral("FatturaAspetto"), QStringLiteral("frmGrigliaAspetto"),
                     QStringLiteral("Aspetto dei Beni"), QStringLiteral("Aspetto dei Beni"),
                     QStringLiteral("Sei sicuro di voler eliminare l'Aspetto dei Beni?"));
}

ScreenDefinition identityDocumentTypesScreen() {
    return described(QStringLiteral("TipoDocumenti"), QStringLiteral("frmGrigliaTipoDocumenti"),
                     QStringLiteral("Tipi di Documento"), QStringLiteral("Tipo di Documento"),
                     QStringLiteral("Sei sicuro di voler eliminare il Tipo di Documento?"));
}

ScreenDefinition customerCategoriesScreen() {
    ScreenDefinition d =
        described(QStringLiteral("ClientiCategoria"), QStringLiteral("frmGrigliaClientiCategoria"),
                  QStringLiteral("Categorie Clienti"), QStringLiteral("Categoria Clienti"),
                  QStringLiteral("Sei sicuro di voler eliminare la Categoria?"));
    d.fields.append(
        {QStringLiteral("ColoreCategoria"), QStringLiteral("Colore"), FieldKind::Colour});
    d.beforeDelete = clearCustomerCategoryColour;
    d.afterSave = categoryColourCopy(QStringLiteral("Clienti"));
    return d;
}

ScreenDefinition supplierCategoriesScreen() {
    return described(QStringLiteral("FornitorCategoria"),
                     QStringLiteral("frmGrigliaFornitorCategoria"),
                     QStringLiteral("Categorie Fornitori"), QStringLiteral("Categoria Fornitori"),
                     QStringLiteral("Sei sicuro di voler eliminare la Categoria?"));
}

ScreenDefinition articleCategoriesScreen() {
    ScreenDefinition d = described(
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
        {QStringLiteral("Descrizione"), QStringLiteral("Descrizione")},
        {QStringLiteral("PA_ModalitaPagamento_Codice"), QStringLiteral("Tipologia"),
         FieldKind::Lookup, paCodes(QStringLiteral("PA_ModalitaPagamento"))},
        {QStringLiteral("NumeroScadenze"), QStringLiteral("N° Scadenze"), FieldKind::Integer},
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
