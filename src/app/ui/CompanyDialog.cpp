#include "app/ui/CompanyDialog.h"

#include "app/CompanyRules.h"
#include "app/ui/LogoEditor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QFormLayout>
#include <QLineEdit>

namespace app::ui {

using ::ui::CardField;
using ::ui::FieldKind;
using ::ui::Lookup;

namespace {

Lookup codes(const QString& table) {
    return {QStringLiteral("select Codice, Codice & ' - ' & Descrizione as Testo from %1 order by "
                           "Codice")
                .arg(table),
            QStringLiteral("Codice"), QStringLiteral("Testo"), QString()};
}

const Lookup kProvinces{
    QStringLiteral("select PROVINCIA, PROVINCIA & ' - ' & CAPOLUOGO as Testo from Province order "
                   "by PROVINCIA"),
    QStringLiteral("PROVINCIA"), QStringLiteral("Testo"), QString()};
const Lookup kCountries{
    QStringLiteral("select SIGLA, SIGLA & ' - ' & DENOMINAZ as Testo from Nazioni order by SIGLA"),
    QStringLiteral("SIGLA"), QStringLiteral("Testo"), QString()};

CardField field(const QString& column, const QString& label, FieldKind kind = FieldKind::Auto) {
    CardField f;
    f.field = column;
    f.label = label;
    f.kind = kind;
    return f;
}

CardField lookup(const QString& column, const QString& label, const Lookup& source) {
    CardField f = field(column, label, FieldKind::Lookup);
    f.lookup = source;
    return f;
}

} // namespace

CompanyDialog::CompanyDialog(::ui::AppContext& context, QWidget* parent)
    : SettingsForm(context, QStringLiteral("ditta"), parent) {
    setObjectName(QStringLiteral("TfrmDitta"));
    setWindowTitle(QStringLiteral("Dati della Ditta"));
    build();
    loadRow(CompanyRules::load(db()));
}

void CompanyDialog::build() {
    const auto town = [this](QFormLayout* page, const QString& column, const QString& label) {
        auto* e = qobject_cast<QLineEdit*>(addField(page, field(column, label, FieldKind::Text)));
        QStringList names;
        for (const db::Row& r : db().query(QStringLiteral(
                 "select distinct Comune from Comuni where Comune is not null order by Comune")))
            names.append(r.text(QStringLiteral("Comune")));
        auto* completer = new QCompleter(names, e);
        completer->setCaseSensitivity(Qt::CaseInsensitive);
        completer->setFilterMode(Qt::MatchStartsWith);
        e->setCompleter(completer);
        return completer;
    };

    QFormLayout* p = addPage(QStringLiteral("Anagrafica"));
    addField(p, field(QStringLiteral("RagSoc"), QStringLiteral("Ragione sociale")));
    addField(p, field(QStringLiteral("Titolo"), QStringLiteral("Titolo")));
    addField(p, field(QStringLiteral("Cognome"), QStringLiteral("Cognome")));
    addField(p, field(QStringLiteral("Nome"), QStringLiteral("Nome")));
    addSection(p, QStringLiteral("Contatti"));
    addField(p, field(QStringLiteral("Tel"), QStringLiteral("Telefono")));
    addField(p, field(QStringLiteral("Cell"), QStringLiteral("Cellulare")));
    addField(p, field(QStringLiteral("Fax"), QStringLiteral("Fax")));
    addField(p, field(QStringLiteral("Email"), QStringLiteral("Email")));
    addField(p, field(QStringLiteral("Pec"), QStringLiteral("Pec")));
    addField(p, field(QStringLiteral("Internet"), QStringLiteral("Sito internet")));
    addField(p, field(QStringLiteral("Contatti"),
                      QStringLiteral("Riporta i contatti nelle fatture elettroniche")));
    addSection(p, QStringLiteral("Altro"));
    addField(p, field(QStringLiteral("ResponsabileDati"),
                      QStringLiteral("Responsabile del trattamento dati")));
    addField(p,
             field(QStringLiteral("PrezziarCampoUnico"), QStringLiteral("Campo unico articoli")));
    addField(p, field(QStringLiteral("AltriDati"), QStringLiteral("Altri dati")));

    p = addPage(QStringLiteral("Sede"));
    addField(p, field(QStringLiteral("Via"), QStringLiteral("Indirizzo")));
    addField(p, field(QStringLiteral("Numero"), QStringLiteral("Numero civico")));
    QCompleter* seat = town(p, QStringLiteral("Comune"), QStringLiteral("Comune"));
    addField(p, field(QStringLiteral("Cap"), QStringLiteral("CAP")));
    addField(p, lookup(QStringLiteral("Provincia"), QStringLiteral("Provincia"), kProvinces));
    addField(p, lookup(QStringLiteral("IdPaese"), QStringLiteral("Nazione"), kCountries));
    connect(seat, qOverload<const QString&>(&QCompleter::activated), this, [this] {
        townChosen(QStringLiteral("Comune"), QStringLiteral("Cap"), QStringLiteral("Provincia"));
    });

    p = addPage(QStringLiteral("Dati fiscali"));
    addField(p, field(QStringLiteral("PIva"), QStringLiteral("Partita Iva")));
    addField(p, field(QStringLiteral("CodFisc"), QStringLiteral("Codice fiscale")));
    addField(p, field(QStringLiteral("CodOERI"), QStringLiteral("Codice EORI")));
    addField(p, lookup(QStringLiteral("RegimeFiscale"), QStringLiteral("Regime fiscale"),
                       codes(QStringLiteral("PA_RegimeFiscale"))));
    addField(p, field(QStringLiteral("RiferimentoAmministrazione"),
                      QStringLiteral("Riferimento amministrazione")));
    addSection(p, QStringLiteral("Albo professionale"));
    addField(p, field(QStringLiteral("AlboProfessionale"), QStringLiteral("Albo professionale")));
    addField(p, lookup(QStringLiteral("ProvinciaAlbo"), QStringLiteral("Provincia dell'albo"),
                       kProvinces));
    addField(p,
             field(QStringLiteral("NumeroIscrizioneAlbo"), QStringLiteral("Numero di iscrizione")));
    addField(p, field(QStringLiteral("DataIscrizioneAlbo"), QStringLiteral("Data di iscrizione")));
    addSection(p, QStringLiteral("Fatturazione elettronica"));
    addField(p, field(QStringLiteral("CodiceSdi"), QStringLiteral("Codice destinatario (SdI)")));
    addField(p, field(QStringLiteral("Trasmissione_CodFisc"),
                      QStringLiteral("Identifica il trasmittente con il codice fiscale")));
    addField(p, lookup(QStringLiteral("SoggettoEmittente"), QStringLiteral("Soggetto emittente"),
                       codes(QStringLiteral("PA_SoggettoEmittente"))));
    addField(p, field(QStringLiteral("FatturazioneMultipla"),
                      QStringLiteral("Usa le serie di fatturazione")));
    addField(p, field(QStringLiteral("FatturaAnno"),
                      QStringLiteral("Il numero delle fatture riporta l'anno")));

    p = addPage(QStringLiteral("REA"));
    addField(p, field(QStringLiteral("Iscrizione_REA"), QStringLiteral("Iscritta al REA")));
    addField(
        p, lookup(QStringLiteral("Iscrizione_REA_Ufficio"), QStringLiteral("Ufficio"), kProvinces));
    addField(p, field(QStringLiteral("Iscrizione_REA_NumeroREA"), QStringLiteral("Numero REA")));
    addField(p, field(QStringLiteral("Iscrizione_REA_CapitaleSociale"),
                      QStringLiteral("Capitale sociale")));
    addField(p, lookup(QStringLiteral("Iscrizione_REA_SocioUnico"), QStringLiteral("Socio unico"),
                       codes(QStringLiteral("PA_IscrizRea_SocioUnico"))));
    addField(p, lookup(QStringLiteral("Iscrizione_REA_StatoLiquidazione"),
                       QStringLiteral("Stato di liquidazione"),
                       codes(QStringLiteral("PA_IscrizRea_StatoLiquidazione"))));

    p = addPage(QStringLiteral("Stabile organizzazione"));
    addField(p, field(QStringLiteral("StabileOrganizzazione"),
                      QStringLiteral("Stabile organizzazione in Italia")));
    addField(p,
             field(QStringLiteral("StabileOrganizzazione_Indirizzo"), QStringLiteral("Indirizzo")));
    addField(p, field(QStringLiteral("StabileOrganizzazione_NumeroCivico"),
                      QStringLiteral("Numero civico")));
    QCompleter* branch =
        town(p, QStringLiteral("StabileOrganizzazione_Comune"), QStringLiteral("Comune"));
    addField(p, field(QStringLiteral("StabileOrganizzazione_CAP"), QStringLiteral("CAP")));
    addField(p, lookup(QStringLiteral("StabileOrganizzazione_Provincia"),
                       QStringLiteral("Provincia"), kProvinces));
    addField(p, lookup(QStringLiteral("StabileOrganizzazione_Nazione"), QStringLiteral("Nazione"),
                       kCountries));
    connect(branch, qOverload<const QString&>(&QCompleter::activated), this, [this] {
        townChosen(QStringLiteral("StabileOrganizzazione_Comune"),
                   QStringLiteral("StabileOrganizzazione_CAP"),
                   QStringLiteral("StabileOrganizzazione_Provincia"));
    });

    const auto party = [&](const QString& flag, const QString& flagLabel, const QString& prefix) {
        QFormLayout* page = p;
        addField(page, field(flag, flagLabel));
        addField(page,
                 lookup(prefix + QStringLiteral("IdPaese"), QStringLiteral("Nazione"), kCountries));
        addField(page, field(prefix + QStringLiteral("IdCodice"),
                             QStringLiteral("Identificativo fiscale")));
        addField(page,
                 field(prefix + QStringLiteral("CodiceFiscale"), QStringLiteral("Codice fiscale")));
        addField(page,
                 field(prefix + QStringLiteral("Denominazione"), QStringLiteral("Denominazione")));
        addField(page, field(prefix + QStringLiteral("Titolo"), QStringLiteral("Titolo")));
        addField(page, field(prefix + QStringLiteral("Cognome"), QStringLiteral("Cognome")));
        addField(page, field(prefix + QStringLiteral("Nome"), QStringLiteral("Nome")));
        addField(page, field(prefix + QStringLiteral("CodEORI"), QStringLiteral("Codice EORI")));
    };
    p = addPage(QStringLiteral("Rappresentante fiscale"));
    party(QStringLiteral("RappresentanteFiscale"),
          QStringLiteral("La ditta ha un rappresentante fiscale"),
          QStringLiteral("RappresentanteFiscale_DatiAnagrafici_"));
    p = addPage(QStringLiteral("Intermediario"));
    party(QStringLiteral("TerzoIntermediarioOSoggettoEmittente"),
          QStringLiteral("Le fatture sono emesse da un intermediario"),
          QStringLiteral("TerzoIntermediarioOSoggettoEmittente_"));

    p = addPage(QStringLiteral("Logo"));
    m_logo = new LogoEditor(interaction());
    addWidgetRow(p, QStringLiteral("Logo della ditta"), m_logo);

    p = addPage(QStringLiteral("Database online"));
    addField(p, field(QStringLiteral("NomeHostOnline"), QStringLiteral("Server")));
    addField(p, field(QStringLiteral("NomeDbOnline"), QStringLiteral("Nome del database")));
    addField(p, field(QStringLiteral("UtenteDbOnline"), QStringLiteral("Utente")));
    auto* password = qobject_cast<QLineEdit*>(
        addField(p, field(QStringLiteral("PasswordDbOnline"), QStringLiteral("Password"))));
    password->setEchoMode(QLineEdit::Password);

    for (const char* flag : {"StabileOrganizzazione", "RappresentanteFiscale",
                             "TerzoIntermediarioOSoggettoEmittente", "Iscrizione_REA"})
        if (auto* check = qobject_cast<QCheckBox*>(editor(QString::fromLatin1(flag))))
            connect(check, &QCheckBox::toggled, this, &CompanyDialog::updateSections);
}

void CompanyDialog::townChosen(const QString& townColumn, const QString& capColumn,
                               const QString& provinceColumn) {
    const db::Result r =
        db().query(QStringLiteral("select Cap, Provincia from Comuni where Comune = ? order by ID"),
                   {value(townColumn).toString()});
    if (r.empty())
        return;
    if (!r.first().text(QStringLiteral("Cap")).isEmpty())
        setValue(capColumn, r.first().text(QStringLiteral("Cap")));
    if (!r.first().text(QStringLiteral("Provincia")).isEmpty()) {
        const QString province = r.first().text(QStringLiteral("Provincia"));
        auto* combo = qobject_cast<QComboBox*>(editor(provinceColumn));
        if (combo && combo->findData(province) < 0)
            combo->addItem(province, province);
        setValue(provinceColumn, province);
    }
}

// The fields of a section are editable only when its flag is on.
void CompanyDialog::updateSections() {
    const QList<std::pair<QString, QStringList>> sections = {
        {QStringLiteral("StabileOrganizzazione"),
         {QStringLiteral("StabileOrganizzazione_Indirizzo"),
          QStringLiteral("StabileOrganizzazione_NumeroCivico"),
          QStringLiteral("StabileOrganizzazione_Comune"),
          QStringLiteral("StabileOrganizzazione_CAP"),
          QStringLiteral("StabileOrganizzazione_Provincia"),
          QStringLiteral("StabileOrganizzazione_Nazione")}},
        {QStringLiteral("Iscrizione_REA"),
         {QStringLiteral("Iscrizione_REA_Ufficio"), QStringLiteral("Iscrizione_REA_NumeroREA"),
          QStringLiteral("Iscrizione_REA_CapitaleSociale"),
          QStringLiteral("Iscrizione_REA_SocioUnico"),
          QStringLiteral("Iscrizione_REA_StatoLiquidazione")}},
    };
    QList<std::pair<QString, QStringList>> all = sections;
    for (const QString& prefix : {QStringLiteral("RappresentanteFiscale"),
                                  QStringLiteral("TerzoIntermediarioOSoggettoEmittente")}) {
        const QString p = prefix == QStringLiteral("RappresentanteFiscale")
                              ? prefix + QStringLiteral("_DatiAnagrafici_")
                              : prefix + QStringLiteral("_");
        QStringList fields;
        for (const char* s : {"IdPaese", "IdCodice", "CodiceFiscale", "Denominazione", "Titolo",
                              "Cognome", "Nome", "CodEORI"})
            fields.append(p + QString::fromLatin1(s));
        all.append({prefix, fields});
    }
    for (const auto& [flag, fields] : all) {
        const bool on = value(flag).toBool();
        for (const QString& f : fields)
            if (QWidget* w = editor(f))
                w->setEnabled(on);
    }
}

void CompanyDialog::afterLoad() {
    m_logo->setLogo(CompanyRules::load(db()).value(QStringLiteral("Logo")).toByteArray());
    updateSections();
}

void CompanyDialog::write(const db::Values& values) {
    db::Values all = values;
    if (m_logo->isModified())
        all.append({QStringLiteral("Logo"),
                    m_logo->logo().isEmpty() ? QVariant() : QVariant(m_logo->logo())});
    CompanyRules::save(db(), all);
}

bool CompanyDialog::extraModified() const {
    return m_logo->isModified();
}

void CompanyDialog::afterSave() {
    m_logo->markSaved();
}

} // namespace app::ui
