#include "registries/ui/CompanyDialog.h"

#include "common/Titles.h"
#include "registries/CompanyRules.h"
#include "registries/InvoicePhone.h"
#include "registries/ui/LogoEditor.h"
#include "ui/Completions.h"
#include "ui/FieldBinder.h"
#include "ui/FieldNavigator.h"
#include "ui/Guarded.h"
#include "ui/Lookups.h"

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

CompanyDialog::CompanyDialog(::ui::AppContext& context, QWidget* parent)
    : ::ui::SettingsForm(context, QStringLiteral("ditta"), parent) {
    setObjectName(QStringLiteral("TfrmDitta"));
    setWindowTitle(QStringLiteral("Dati della Ditta"));
    build();
    loadRow(CompanyRules::load(db()));
}

void CompanyDialog::build() {
    const auto town = [this](QFormLayout* page, const QString& column, const QString& label) {
        auto* e = qobject_cast<QLineEdit*>(
            addField(page, {.field = column, .label = label, .kind = FieldKind::Text}));
        QStringList names;
        for (const db::Row& r : db().query(QStringLiteral(
                 "select distinct Comune from Comuni where Comune is not null order by Comune")))
            names.append(r.text(QStringLiteral("Comune")));
        auto* completer = new QCompleter(names, e);
        completer->setCaseSensitivity(Qt::CaseInsensitive);
        completer->setFilterMode(Qt::MatchStartsWith);
        ::ui::offerCompletions(e, completer);
        return completer;
    };

    QFormLayout* p = addPage(QStringLiteral("Anagrafica"));
    addField(p, {.field = "RagSoc", .label = "Ragione sociale"});
    addField(p, {.field = "Titolo", .label = "Titolo"});
    addField(p, {.field = "Cognome", .label = "Cognome"});
    addField(p, {.field = "Nome", .label = "Nome"});
    addSection(p, QStringLiteral("Contatti"));
    addField(p, {.field = "Tel", .label = "Telefono"});
    addField(p, {.field = "Cell", .label = "Cellulare"});
    addField(p, {.field = "Fax", .label = "Fax"});
    addField(p, {.field = "Email", .label = "Email"});
    addField(p, {.field = "Pec", .label = "Pec"});
    addField(p, {.field = "Internet", .label = "Sito internet"});
    addField(p, {.field = "Contatti", .label = "Riporta i contatti nelle fatture elettroniche"});
    addSection(p, QStringLiteral("Altro"));
    addField(p, {.field = "ResponsabileDati", .label = "Responsabile del trattamento dati"});
    addField(p, {.field = "PrezziarCampoUnico", .label = "Campo unico articoli"});
    addField(p, {.field = "AltriDati", .label = "Altri dati"});

    p = addPage(QStringLiteral("Sede"));
    addField(p, {.field = "Via", .label = "Indirizzo"});
    addField(p, {.field = "Numero", .label = "Numero civico"});
    QCompleter* seat = town(p, QStringLiteral("Comune"), QStringLiteral("Comune"));
    addField(p, {.field = "Cap", .label = "CAP"});
    addField(p, {.field = "Provincia", .label = "Provincia", .lookup = ::ui::lookups::provinces()});
    addField(p,
             {.field = "IdPaese", .label = "Nazione", .lookup = ::ui::lookups::countriesByCode()});
    connect(seat, qOverload<const QString&>(&QCompleter::activated), this, [this] {
        townChosen(QStringLiteral("Comune"), QStringLiteral("Cap"), QStringLiteral("Provincia"));
    });

    p = addPage(QStringLiteral("Dati fiscali"));
    addField(p, {.field = "PIva", .label = "Partita Iva"});
    addField(p, {.field = "CodFisc", .label = "Codice fiscale"});
    addField(p, {.field = "CodOERI", .label = "Codice EORI"});
    addField(p, {.field = "RegimeFiscale",
                 .label = "Regime fiscale",
                 .lookup = ::ui::lookups::paCodes(QStringLiteral("PA_RegimeFiscale"))});
    addField(p, {.field = "RiferimentoAmministrazione", .label = "Riferimento amministrazione"});
    addSection(p, QStringLiteral("Albo professionale"));
    addField(p, {.field = "AlboProfessionale", .label = "Albo professionale"});
    addField(p, {.field = "ProvinciaAlbo",
                 .label = "Provincia dell'albo",
                 .lookup = ::ui::lookups::provinces()});
    addField(p, {.field = "NumeroIscrizioneAlbo", .label = "Numero di iscrizione"});
    addField(p, {.field = "DataIscrizioneAlbo", .label = "Data di iscrizione"});
    addSection(p, QStringLiteral("Fatturazione elettronica"));
    addField(p, {.field = "CodiceSdi", .label = "Codice destinatario (SdI)"});
    addField(p, {.field = "Trasmissione_CodFisc",
                 .label = "Identifica il trasmittente con il codice fiscale"});
    addField(p, {.field = "SoggettoEmittente",
                 .label = "Soggetto emittente",
                 .lookup = ::ui::lookups::codes(QStringLiteral("PA_SoggettoEmittente"))});
    addField(p, {.field = "FatturazioneMultipla", .label = "Usa le serie di fatturazione"});
    addField(p, {.field = "FatturaAnno", .label = "Il numero delle fatture riporta l'anno"});

    p = addPage(QStringLiteral("REA"));
    addField(p, {.field = "Iscrizione_REA", .label = "Iscritta al REA"});
    addField(p, {.field = "Iscrizione_REA_Ufficio",
                 .label = "Ufficio",
                 .lookup = ::ui::lookups::provinces()});
    addField(p, {.field = "Iscrizione_REA_NumeroREA", .label = "Numero REA"});
    addField(p, {.field = "Iscrizione_REA_CapitaleSociale", .label = "Capitale sociale"});
    addField(p, {.field = "Iscrizione_REA_SocioUnico",
                 .label = "Socio unico",
                 .lookup = ::ui::lookups::paCodes(QStringLiteral("PA_IscrizRea_SocioUnico"))});
    addField(p,
             {.field = "Iscrizione_REA_StatoLiquidazione",
              .label = "Stato di liquidazione",
              .lookup = ::ui::lookups::paCodes(QStringLiteral("PA_IscrizRea_StatoLiquidazione"))});

    p = addPage(QStringLiteral("Stabile organizzazione"));
    addField(p, {.field = "StabileOrganizzazione", .label = "Stabile organizzazione in Italia"});
    addField(p, {.field = "StabileOrganizzazione_Indirizzo", .label = "Indirizzo"});
    addField(p, {.field = "StabileOrganizzazione_NumeroCivico", .label = "Numero civico"});
    QCompleter* branch =
        town(p, QStringLiteral("StabileOrganizzazione_Comune"), QStringLiteral("Comune"));
    addField(p, {.field = "StabileOrganizzazione_CAP", .label = "CAP"});
    addField(p, {.field = "StabileOrganizzazione_Provincia",
                 .label = "Provincia",
                 .lookup = ::ui::lookups::provinces()});
    addField(p, {.field = "StabileOrganizzazione_Nazione",
                 .label = "Nazione",
                 .lookup = ::ui::lookups::countriesByCode()});
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
    addField(p, {.field = "NomeHostOnline", .label = "Server"});
    addField(p, {.field = "NomeDbOnline", .label = "Nome del database"});
    addField(p, {.field = "UtenteDbOnline", .label = "Utente"});
    auto* password =
        qobject_cast<QLineEdit*>(addField(p, {.field = "PasswordDbOnline", .label = "Password"}));
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
    const db::Row before = CompanyRules::load(db());
    CompanyRules::save(db(), all);
    // A phone or fax electronic invoices cannot carry is said once, when it
    // is saved.
    for (const auto& [column, label] : {std::pair{"Tel", "telefono"}, std::pair{"Fax", "fax"}})
        for (const auto& [name, value] : values)
            if (name == QLatin1String(column) &&
                value.toString() != before.text(QLatin1String(column)))
                if (const QString w = InvoicePhone::warning(QLatin1String(label), value.toString());
                    !w.isEmpty())
                    interaction().warning(common::titles::warning, w);
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
    m_fields = new ::ui::FieldBinder(*context.db, QStringLiteral("ditta"),
                                     new ::ui::FieldNavigator(this), this);
    for (const auto& [name, label] : fields) {
        const FieldKind kind = name == u"Includi" ? FieldKind::Check : FieldKind::Text;
        const CardField f = name == u"IdPaese"
                                ? CardField{.field = column(name),
                                            .label = label,
                                            .lookup = ::ui::lookups::countriesByCode()}
                                : CardField{.field = column(name), .label = label, .kind = kind};
        form->addRow(label, m_fields->create(f, this));
        m_fields->showValue(f.field, row.columnCount() > 0 ? row.value(f.field) : QVariant());
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
    return m_fields->editor(column(name));
}

QVariantMap FiscalPartyDialog::values() const {
    return m_fields->values();
}

bool FiscalPartyDialog::save() {
    const QVariantMap v = values();
    if (const auto f = checkFiscalParty(m_party, v)) {
        m_context.interaction->fail(*f);
        if (QWidget* e = m_fields->editor(f->field))
            e->setFocus();
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
