#include "registries/ui/CompanyDialog.h"

#include "common/Titles.h"
#include "registries/CompanyRules.h"
#include "registries/ui/LogoEditor.h"
#include "ui/FieldEditors.h"
#include "ui/FieldNavigator.h"
#include "ui/Guarded.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace registries::ui {

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

// A FatturaPA code table: the code is stored, its description listed.
Lookup paCodes(const QString& table) {
    return {QStringLiteral("select Codice, Descrizione from %1 order by Descrizione").arg(table),
            QStringLiteral("Codice"), QStringLiteral("Descrizione"), QString()};
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
    : ::ui::SettingsForm(context, QStringLiteral("ditta"), parent) {
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
                       paCodes(QStringLiteral("PA_RegimeFiscale"))));
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
                       paCodes(QStringLiteral("PA_IscrizRea_SocioUnico"))));
    addField(p, lookup(QStringLiteral("Iscrizione_REA_StatoLiquidazione"),
                       QStringLiteral("Stato di liquidazione"),
                       paCodes(QStringLiteral("PA_IscrizRea_StatoLiquidazione"))));

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

    // The two parties have editors of their own; their pages show a summary.
    const auto party = [&](FiscalParty which, const QString& caption, const QString& name) {
        auto* summary = new QLabel();
        summary->setWordWrap(true);
        summary->setObjectName(QStringLiteral("lbl") + name);
        auto* edit = new QPushButton(caption);
        edit->setObjectName(QStringLiteral("btn") + name);
        edit->setAutoDefault(false);
        edit->setMinimumWidth(260);
        connect(edit, &QPushButton::clicked, this, [this, which] { editParty(which); });
        auto* row = new QWidget();
        auto* h = new QHBoxLayout(row);
        h->setContentsMargins(0, 0, 0, 0);
        h->addWidget(edit);
        h->addStretch(1);
        addWidgetRow(p, QString(), summary);
        addWidgetRow(p, QString(), row);
        return summary;
    };
    p = addPage(QStringLiteral("Rappresentante fiscale"));
    m_representative = party(FiscalParty::Representative, QStringLiteral("Rappresentante Fiscale"),
                             QStringLiteral("RappresentanteFiscale"));
    p = addPage(QStringLiteral("Intermediario"));
    m_intermediary =
        party(FiscalParty::Intermediary, QStringLiteral("Terzo Intermediario o Soggetto Emittente"),
              QStringLiteral("TerzoIntermediario"));

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

    for (const char* flag : {"StabileOrganizzazione", "Iscrizione_REA"})
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
    for (const auto& [flag, fields] : sections) {
        const bool on = value(flag).toBool();
        for (const QString& f : fields)
            if (QWidget* w = editor(f))
                w->setEnabled(on);
    }
}

void CompanyDialog::afterLoad() {
    m_logo->setLogo(CompanyRules::load(db()).value(QStringLiteral("Logo")).toByteArray());
    updateSections();
    showParties();
}

void CompanyDialog::editParty(FiscalParty party) {
    FiscalPartyDialog editor(context(), party, this);
    editor.exec();
    showParties();
}

void CompanyDialog::showParties() {
    const db::Row row = CompanyRules::load(db());
    const auto describe = [&row](const QString& flag, const QString& prefix) {
        if (!row.boolean(flag))
            return QStringLiteral("Non indicato nelle fatture elettroniche.");
        QString name = row.text(prefix + QStringLiteral("Denominazione"));
        if (name.isEmpty())
            name = (row.text(prefix + QStringLiteral("Nome")) + u' ' +
                    row.text(prefix + QStringLiteral("Cognome")))
                       .trimmed();
        QString id = row.text(prefix + QStringLiteral("IdCodice"));
        id = id.isEmpty() ? row.text(prefix + QStringLiteral("CodiceFiscale"))
                          : row.text(prefix + QStringLiteral("IdPaese")) + id;
        return QStringLiteral("Indicato nelle fatture elettroniche: %1 (%2)").arg(name, id);
    };
    m_representative->setText(describe(QStringLiteral("RappresentanteFiscale"),
                                       QStringLiteral("RappresentanteFiscale_DatiAnagrafici_")));
    m_intermediary->setText(describe(QStringLiteral("TerzoIntermediarioOSoggettoEmittente"),
                                     QStringLiteral("TerzoIntermediarioOSoggettoEmittente_")));
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

// ---------------------------------------------------------------------------

std::optional<common::Failure> checkFiscalParty(FiscalParty party, const QVariantMap& values) {
    const bool representative = party == FiscalParty::Representative;
    const QString prefix = representative ? QStringLiteral("RappresentanteFiscale_DatiAnagrafici_")
                                          : QStringLiteral("TerzoIntermediarioOSoggettoEmittente_");
    const QString flag = representative ? QStringLiteral("RappresentanteFiscale")
                                        : QStringLiteral("TerzoIntermediarioOSoggettoEmittente");
    const QString whose = representative ? QStringLiteral("del rappresentante fiscale")
                                         : QStringLiteral("dell'intermediario");
    if (!values.value(flag).toBool())
        return std::nullopt;
    const auto text = [&](const char* name) {
        return values.value(prefix + QLatin1String(name)).toString().trimmed();
    };
    const auto failure = [&](const QString& message, const char* name) {
        return common::Failure{common::titles::error, message + u' ' + whose,
                               prefix + QLatin1String(name)};
    };
    if (representative || !text("IdCodice").isEmpty()) {
        if (text("IdPaese").isEmpty())
            return failure(QStringLiteral("Attenzione manca la Nazione"), "IdPaese");
        if (text("IdCodice").isEmpty())
            return failure(QStringLiteral("Attenzione manca la Partita Iva"), "IdCodice");
    }
    if (text("IdCodice").isEmpty() && text("CodiceFiscale").isEmpty())
        return failure(QStringLiteral("Attenzione manca la Partita Iva o il Codice Fiscale"),
                       "IdCodice");
    if (text("Denominazione").isEmpty()) {
        if (text("Nome").isEmpty() && text("Cognome").isEmpty())
            return failure(QStringLiteral("Attenzione manca la Ragione Sociale o Nome e Cognome"),
                           "Denominazione");
        if (text("Nome").isEmpty())
            return failure(QStringLiteral("Attenzione manca il Nome"), "Nome");
        if (text("Cognome").isEmpty())
            return failure(QStringLiteral("Attenzione manca il Cognome"), "Cognome");
    }
    return std::nullopt;
}

FiscalPartyDialog::FiscalPartyDialog(::ui::AppContext& context, FiscalParty party, QWidget* parent)
    : QDialog(parent), m_context(context), m_party(party) {
    const bool representative = party == FiscalParty::Representative;
    setObjectName(representative ? QStringLiteral("TfrmRappresentanteFiscale")
                                 : QStringLiteral("TfrmTerzoIntermediario"));
    const QString title = representative
                              ? QStringLiteral("Rappresentante Fiscale")
                              : QStringLiteral("Terzo Intermediario o Soggetto Emittente");
    setWindowTitle(title);
    setModal(true);
    resize(560, 420);

    auto* layout = new QVBoxLayout(this);
    auto* heading = new QLabel(title, this);
    QFont big = heading->font();
    big.setPointSizeF(big.pointSizeF() * 1.4);
    big.setBold(true);
    heading->setFont(big);
    layout->addWidget(heading);
    auto* form = new QFormLayout();
    layout->addLayout(form);

    const QList<std::pair<QString, QString>> fields{
        {QStringLiteral("Includi"), QStringLiteral("Includi")},
        {QStringLiteral("IdPaese"), QStringLiteral("Nazione")},
        {QStringLiteral("IdCodice"), QStringLiteral("P.Iva")},
        {QStringLiteral("CodiceFiscale"), QStringLiteral("Codice Fiscale")},
        {QStringLiteral("Denominazione"), QStringLiteral("Rag. Sociale")},
        {QStringLiteral("Titolo"), QStringLiteral("Titolo")},
        {QStringLiteral("Nome"), QStringLiteral("Nome")},
        {QStringLiteral("Cognome"), QStringLiteral("Cognome")},
        {QStringLiteral("CodEORI"), QStringLiteral("Cod. Eori")},
    };
    const db::Row row = CompanyRules::load(*context.db);
    auto* navigator = new ::ui::FieldNavigator(this);
    for (const auto& [name, label] : fields) {
        CardField f = field(column(name), label);
        if (name == u"IdPaese") {
            f.kind = FieldKind::Lookup;
            f.lookup = kCountries;
        } else if (name == u"Includi") {
            f.kind = FieldKind::Check;
        } else {
            f.kind = FieldKind::Text;
        }
        const FieldKind kind = ::ui::resolvedKind(QStringLiteral("ditta"), f);
        QWidget* e = ::ui::createEditor(QStringLiteral("ditta"), f, this);
        e->setObjectName(f.field);
        const QVariant stored = row.columnCount() > 0 ? row.value(f.field) : QVariant();
        if (kind == FieldKind::Lookup)
            ::ui::fillLookup(*context.db, e, f.lookup, stored);
        ::ui::setEditorValue(e, kind, stored);
        form->addRow(label, e);
        navigator->add(e);
        m_editors.insert(name, {e, kind});
    }
    layout->addStretch(1);

    auto* buttons = new QHBoxLayout();
    buttons->addStretch(1);
    auto* saveButton = new QPushButton(QStringLiteral("Salva"), this);
    saveButton->setObjectName(QStringLiteral("spdSalva"));
    auto* back = new QPushButton(QStringLiteral("Indietro"), this);
    back->setObjectName(QStringLiteral("spdIndietro"));
    for (QPushButton* b : {saveButton, back}) {
        b->setAutoDefault(false);
        b->setMinimumWidth(90);
        buttons->addWidget(b);
    }
    layout->addLayout(buttons);
    connect(saveButton, &QPushButton::clicked, this, &FiscalPartyDialog::save);
    connect(back, &QPushButton::clicked, this, &QDialog::reject);
}

QString FiscalPartyDialog::column(const QString& name) const {
    const bool representative = m_party == FiscalParty::Representative;
    if (name == u"Includi")
        return representative ? QStringLiteral("RappresentanteFiscale")
                              : QStringLiteral("TerzoIntermediarioOSoggettoEmittente");
    return (representative ? QStringLiteral("RappresentanteFiscale_DatiAnagrafici_")
                           : QStringLiteral("TerzoIntermediarioOSoggettoEmittente_")) +
           name;
}

QWidget* FiscalPartyDialog::editor(const QString& name) const {
    return m_editors.value(name).first;
}

QVariantMap FiscalPartyDialog::values() const {
    QVariantMap out;
    for (auto it = m_editors.begin(); it != m_editors.end(); ++it)
        out.insert(column(it.key()), ::ui::editorValue(it.value().first, it.value().second));
    return out;
}

bool FiscalPartyDialog::save() {
    const QVariantMap v = values();
    if (const auto f = checkFiscalParty(m_party, v)) {
        m_context.interaction->fail(*f);
        for (auto it = m_editors.begin(); it != m_editors.end(); ++it)
            if (column(it.key()) == f->field)
                it.value().first->setFocus();
        return false;
    }
    db::Values row;
    for (auto it = v.begin(); it != v.end(); ++it) {
        QVariant value = it.value();
        if (it.key().endsWith(QLatin1String("IdCodice")) ||
            it.key().endsWith(QLatin1String("CodiceFiscale")))
            value = value.isNull() ? value : QVariant(value.toString().trimmed().toUpper());
        row.append({it.key(), value});
    }
    if (!::ui::guarded(m_context, [&] { CompanyRules::save(*m_context.db, row); }))
        return false;
    accept();
    return true;
}

} // namespace registries::ui
