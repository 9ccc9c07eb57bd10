#include "app/ui/OptionsDialog.h"

#include "app/MainMenu.h"
#include "app/OptionsRules.h"
#include "mail/Mailer.h"
#include "mail/TestMessage.h"
#include "registries/CompanyRules.h"
#include "registries/ui/LogoEditor.h"
#include "ui/FieldEditors.h"
#include "ui/Lookups.h"

#include <QApplication>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QUrl>

namespace app::ui {

using ::ui::CardField;
using ::ui::FieldKind;

namespace {

// Fixed choices: code → text.
void fillChoices(QWidget* editor, const QList<std::pair<int, QString>>& items) {
    auto* combo = qobject_cast<QComboBox*>(editor);
    combo->clear();
    for (const auto& [code, text] : items)
        combo->addItem(text, code);
}

// Keeps a stored code that is not among the choices.
void keepStoredCode(QWidget* editor, const QVariant& stored, const QString& text) {
    auto* combo = qobject_cast<QComboBox*>(editor);
    if (stored.isNull() || combo->findData(stored.toInt()) >= 0)
        return;
    combo->addItem(text.arg(stored.toInt()), stored.toInt());
}

} // namespace

OptionsDialog::OptionsDialog(::ui::AppContext& context, QWidget* parent)
    : ::ui::SettingsForm(context, QStringLiteral("opzioni"), parent) {
    setObjectName(QStringLiteral("TfrmOpzioni"));
    setWindowTitle(QStringLiteral("Opzioni"));
    build();
    load();
}

QWidget* OptionsDialog::clearButton(const QString& column) {
    auto* b = new QToolButton;
    b->setText(QStringLiteral("Svuota"));
    b->setObjectName(QStringLiteral("btnSvuota_") + column);
    b->setToolTip(QStringLiteral("Toglie il valore predefinito"));
    connect(b, &QToolButton::clicked, this, [this, column] { setValue(column, QVariant()); });
    return b;
}

QWidget* OptionsDialog::folderField(QFormLayout* page, const QString& column,
                                    const QString& label) {
    auto* choose = new QPushButton(QStringLiteral("Scegli..."));
    choose->setObjectName(QStringLiteral("btnScegli_") + column);
    auto* open = new QPushButton(QStringLiteral("Apri"));
    open->setObjectName(QStringLiteral("btnApri_") + column);
    choose->setAutoDefault(false);
    open->setAutoDefault(false);
    QWidget* editor =
        addField(page, {.field = column, .label = label, .kind = FieldKind::Text}, {choose, open});
    connect(choose, &QPushButton::clicked, this, [this, column, label] {
        const QString start = value(column).toString();
        const QString folder = QFileDialog::getExistingDirectory(this, label, start);
        if (!folder.isEmpty())
            setValue(column, QDir::toNativeSeparators(folder));
    });
    connect(open, &QPushButton::clicked, this, [this, column] { openFolder(column); });
    return editor;
}

void OptionsDialog::build() {
    // Start and access.
    QFormLayout* p = addPage(QStringLiteral("Avvio e accesso"));
    auto* password = qobject_cast<QLineEdit*>(addField(p, {.field = "PasswordAmministratore",
                                                           .label = "Password amministratore",
                                                           .kind = FieldKind::Text}));
    password->setEchoMode(QLineEdit::Password);
    password->setToolTip(
        QStringLiteral("Chiesta all'avvio del programma; vuota per non chiederla"));
    addField(p, {.field = "PromemoriaScadenze",
                 .label = "Mostra all'avvio il promemoria di scadenze e avvisi"});
    QStringList titles = MainMenu::tabTitles();
    QList<std::pair<int, QString>> tabs;
    for (int i = 0; i < titles.size(); ++i)
        tabs.append({i, titles[i]});
    fillChoices(addField(p, {.field = "TabIniziale",
                             .label = "Scheda mostrata all'avvio",
                             .kind = FieldKind::Lookup}),
                tabs);

    // Documents.
    p = addPage(QStringLiteral("Documenti"));
    addSection(p, QStringLiteral("Valori predefiniti dei nuovi documenti"));
    addField(p,
             {.field = "ModPagamento_Id",
              .label = "Pagamento documenti di vendita",
              .lookup = ::ui::lookups::paymentTerms()},
             {clearButton(QStringLiteral("ModPagamento_Id"))});
    addField(p,
             {.field = "Carico_ModPagamento_Id",
              .label = "Pagamento documenti di acquisto",
              .lookup = ::ui::lookups::paymentTerms()},
             {clearButton(QStringLiteral("Carico_ModPagamento_Id"))});
    auto* applyVat = new QPushButton(QStringLiteral("Applica a tutti gli articoli..."));
    applyVat->setObjectName(QStringLiteral("btnApplicaIvaArticoli"));
    applyVat->setAutoDefault(false);
    applyVat->setToolTip(QStringLiteral(
        "Dà a tutti gli articoli l'Iva predefinita e ne ricalcola i prezzi Iva compresa"));
    connect(applyVat, &QPushButton::clicked, this, &OptionsDialog::applyVatToArticles);
    auto* vat = qobject_cast<QComboBox*>(addField(
        p, {.field = "Iva_Id", .label = "Iva predefinita", .lookup = ::ui::lookups::vatCodes()},
        {applyVat}));
    addField(p, {.field = "AliquotaIva",
                 .label = "Aliquota Iva %",
                 .kind = FieldKind::Amount,
                 .width = 90,
                 .readOnly = true});
    connect(vat, &QComboBox::activated, this, &OptionsDialog::vatChosen);
    addField(p,
             {.field = "Bank_ID", .label = "Banca predefinita", .lookup = ::ui::lookups::banks()});
    addSection(p, QStringLiteral("Numerazione e righe"));
    addField(p, {.field = "IncrementaNumeroRigaArticoli",
                 .label = "Numera automaticamente le righe dei documenti"});
    addField(p, {.field = "NumerazioneUnicaNoteCredito",
                 .label = "Numerazione unica per fatture e note di credito"});
    addField(p, {.field = "FatturazioneMultipla", .label = "Usa le serie di fatturazione"});
    addField(p, {.field = "RitenutaAcconto", .label = "Gestisci la ritenuta d'acconto"});
    addField(p, {.field = "CausalePagamentoRitenuta",
                 .label = "Causale di pagamento della ritenuta (fatture elettroniche)",
                 .lookup = ::ui::lookups::codes(QStringLiteral("PA_CausalePagamento"))});
    addSection(p, QStringLiteral("Stampa"));
    addField(
        p, {.field = "DocumentiRigaIvato", .label = "Stampa i documenti con l'Iva per ogni riga"});
    addField(p, {.field = "PrezzoPreventivo", .label = "Stampa i preventivi con i prezzi"});
    addField(p, {.field = "PrezzoOrdini", .label = "Ordini ai fornitori con i prezzi"});
    addField(p, {.field = "StampanteDefault",
                 .label = "Stampa sulla stampante predefinita senza chiedere"});
    addSection(p, QStringLiteral("Spese"));
    addField(p, {.field = "Spese_di_Trasporto", .label = "Spese di trasporto"});
    addField(p, {.field = "SpeseTrasporto_Percentuale",
                 .label = "Calcola le spese di trasporto in percentuale"});
    addField(p, {.field = "SpeseTrasporto_Percentuale_Valore",
                 .label = "Percentuale spese di trasporto"});
    addField(p, {.field = "Spese_di_Incasso", .label = "Spese di incasso"});
    addSection(p, QStringLiteral("Acquisti"));
    addField(p, {.field = "CaricoFiltraFornitore",
                 .label = "Proponi solo gli articoli del fornitore del documento"});
    addField(p, {.field = "AggiornaPrezzi_FatturaAcquisto",
                 .label = "Le fatture di acquisto aggiornano i prezzi degli articoli"});
    addField(p, {.field = "AggiornaDataInserimento_DocumentiAcquisto",
                 .label = "I documenti di acquisto aggiornano la data degli articoli"});

    // Stamp duty.
    p = addPage(QStringLiteral("Marca da bollo"));
    addField(
        p, {.field = "MarcaDaBolloDocumenti", .label = "Aggiungi la marca da bollo ai documenti"});
    addField(p, {.field = "MarcaBolloVirtuale", .label = "Bollo assolto in modo virtuale"});
    addField(p, {.field = "ImportoMarcaBollo", .label = "Importo della marca da bollo"});
    addField(p, {.field = "LimiteMaxMarcaBollo", .label = "Dovuta per imponibili superiori a"});

    // Accounts.
    p = addPage(QStringLiteral("Contabilità"));
    addSection(p, QStringLiteral("Conti predefiniti delle righe"));
    for (const auto& [column, label] : OptionsRules::accountColumns()) {
        addField(p,
                 {.field = column,
                  .label = label,
                  .lookup = ::ui::lookups::accounts(),
                  .search = ::ui::lookups::accountSearch},
                 {clearButton(column)});
    }
    addSection(p, QStringLiteral("Prima nota e Iva"));
    addField(p, {.field = "SaldoInizialePrimaNota", .label = "Saldo iniziale della prima nota"});
    addField(p, {.field = "DuplicaFatturazioneInPrimaNota",
                 .label = "Documenti e pagamenti scrivono i movimenti di prima nota"});
    addField(p, {.field = "ChiusuraIvaMensile",
                 .label = "Liquidazione Iva mensile (altrimenti trimestrale)"});

    // Electronic invoices and exports.
    p = addPage(QStringLiteral("Fatturazione elettronica ed esportazioni"));
    addSection(p, QStringLiteral("Fattura elettronica"));
    addField(p, {.field = "VerificaCoerenza_FattureElett_PrimaEsportazione",
                 .label = "Verifica la coerenza della fattura prima dell'esportazione"});
    addField(p, {.field = "AggiornaAutomaticamenteInformazioniDaXml",
                 .label = "L'importazione xml aggiorna i dati dei fornitori"});
    folderField(p, QStringLiteral("CartellaEsportazioneFattureElettroniche"),
                QStringLiteral("Cartella fatture elettroniche"));
    addSection(p, QStringLiteral("Esportazione dei documenti"));
    folderField(p, QStringLiteral("CartellaEsportazioneDocumenti"),
                QStringLiteral("Cartella documenti esportati"));
    auto* format = qobject_cast<QComboBox*>(addField(p, {.field = "TipoEsportazione",
                                                         .label = "Formato di esportazione",
                                                         .kind = FieldKind::Lookup}));
    connect(format, &QComboBox::activated, this, &OptionsDialog::exportFormatChosen);
    addField(p, {.field = "EstensioneEsportazione",
                 .label = "Estensione dei file",
                 .kind = FieldKind::Text,
                 .width = 90,
                 .readOnly = true});
    addSection(p, QStringLiteral("Immagini e contatti"));
    folderField(p, QStringLiteral("CartellaImmagini"), QStringLiteral("Cartella delle immagini"));
    fillChoices(addField(p, {.field = "AzioneImportazioneVCard",
                             .label = "Importazione vCard di un contatto già presente",
                             .kind = FieldKind::Lookup}),
                OptionsRules::vCardActions());

    // E-mail.
    p = addPage(QStringLiteral("Email"));
    addSection(p, QStringLiteral("Server di posta in uscita (SMTP)"));
    addField(p, {.field = "SmtpHost", .label = "Server SMTP"});
    addField(p, {.field = "SmtpPorta", .label = "Porta", .width = 90});
    addField(p, {.field = "SmtpMittenteEmail", .label = "Email del mittente"});
    addField(p,
             {.field = "SmtpAutenticazioneServer", .label = "Il server chiede l'autenticazione"});
    addField(p, {.field = "SmtpUserName", .label = "Nome utente"});
    auto* smtpPassword =
        qobject_cast<QLineEdit*>(addField(p, {.field = "SmtpPassword", .label = "Password"}));
    smtpPassword->setEchoMode(QLineEdit::Password);
    addField(p, {.field = "SmtpCriptato", .label = "Connessione criptata"});
    fillChoices(addField(p, {.field = "SmtpCriptaggioTipo",
                             .label = "Protocollo di criptaggio",
                             .kind = FieldKind::Lookup}),
                OptionsRules::encryptionProtocols());
    addSection(p, QStringLiteral("Messaggio"));
    addField(p, {.field = "EmailTestoDefault", .label = "Testo predefinito"});
    auto* testMail = new QPushButton(QStringLiteral("Invia email di prova"));
    testMail->setObjectName(QStringLiteral("btnEmailProva"));
    auto* testRow = new QWidget;
    auto* testLayout = new QHBoxLayout(testRow);
    testLayout->setContentsMargins(0, 0, 0, 0);
    testLayout->addWidget(testMail);
    testLayout->addStretch();
    addWidgetRow(p, QString(), testRow);
    connect(testMail, &QPushButton::clicked, this, &OptionsDialog::sendTestEmail);

    // Backup when the program closes (SQLite archives).
    p = addPage(QStringLiteral("Backup"));
    addField(p, {.field = "BackupUscita",
                 .label = "Backup dell'archivio alla chiusura del programma",
                 .kind = FieldKind::Check});
    addField(p, {.field = "BackupDaConservare",
                 .label = "Backup da conservare",
                 .kind = FieldKind::Integer});
    folderField(p, QStringLiteral("CartellaBackup"), QStringLiteral("Cartella dei backup"));
    auto* backupNote = new QLabel(QStringLiteral("Solo per un archivio su file: una cartella "
                                                 "vuota mette i backup nella cartella "
                                                 "\"Backup\" accanto all'archivio. I più vecchi "
                                                 "oltre il numero da conservare vengono tolti."));
    backupNote->setWordWrap(true);
    addWidgetRow(p, QString(), backupNote);

    // Logo.
    p = addPage(QStringLiteral("Logo"));
    m_logo = new LogoEditor(interaction());
    m_logo->addBitmapButton();
    addWidgetRow(p, QStringLiteral("Logo della ditta"), m_logo);
}

void OptionsDialog::load() {
    const db::Row row = OptionsRules::load(db());
    auto* format = qobject_cast<QComboBox*>(editor(QStringLiteral("TipoEsportazione")));
    format->clear();
    for (const ExportFormat& f : OptionsRules::exportFormats(db()))
        format->addItem(f.description, f.number);
    keepStoredCode(format, row.value(QStringLiteral("TipoEsportazione")),
                   QStringLiteral("Formato %1"));
    keepStoredCode(editor(QStringLiteral("TabIniziale")), row.value(QStringLiteral("TabIniziale")),
                   QStringLiteral("Scheda %1"));
    keepStoredCode(editor(QStringLiteral("SmtpCriptaggioTipo")),
                   row.value(QStringLiteral("SmtpCriptaggioTipo")),
                   QStringLiteral("Protocollo %1"));
    keepStoredCode(editor(QStringLiteral("AzioneImportazioneVCard")),
                   row.value(QStringLiteral("AzioneImportazioneVCard")),
                   QStringLiteral("Azione %1"));
    loadRow(row);
    m_logo->setLogo(
        registries::CompanyRules::load(db()).value(QStringLiteral("Logo")).toByteArray());
}

void OptionsDialog::vatChosen() {
    const QVariant id = value(QStringLiteral("Iva_Id"));
    setValue(QStringLiteral("AliquotaIva"),
             id.isNull() ? QVariant() : QVariant(OptionsRules::vatRate(db(), id.toLongLong())));
}

void OptionsDialog::exportFormatChosen() {
    const QVariant number = value(QStringLiteral("TipoEsportazione"));
    setValue(QStringLiteral("EstensioneEsportazione"),
             number.isNull() ? QVariant()
                             : QVariant(OptionsRules::exportExtension(db(), number.toInt())));
}

void OptionsDialog::applyVatToArticles() {
    const QVariant id = value(QStringLiteral("Iva_Id"));
    const QVariant rate = value(QStringLiteral("AliquotaIva"));
    OptionsRules::applyDefaultVatToArticles(db(), interaction(), id.isNull() ? 0 : id.toLongLong(),
                                            rate.toDouble());
}

void OptionsDialog::openFolder(const QString& column) {
    const QString path = value(column).toString().trimmed();
    const bool pictures =
        column.compare(QStringLiteral("CartellaImmagini"), Qt::CaseInsensitive) == 0;
    if (const auto failure = OptionsRules::checkFolder(path, pictures)) {
        interaction().fail(*failure);
        return;
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void OptionsDialog::sendTestEmail() {
    if (isModified() && !save())
        return;
    QString address = value(QStringLiteral("SmtpMittenteEmail")).toString().trimmed();
    if (!interaction().askText(QStringLiteral("Invia email di prova"),
                               QStringLiteral("Indirizzo a cui inviare la prova:"), &address))
        return;
    mail::Mailer mailer(db(), interaction());
    mailer.setBusyHandler([](bool on) {
        if (on)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QApplication::restoreOverrideCursor();
    });
    mail::TestMessage::send(mailer, address);
}

void OptionsDialog::write(const db::Values& values) {
    OptionsRules::save(db(), values);
    if (m_logo->isModified())
        registries::CompanyRules::saveLogo(db(), m_logo->logo());
}

bool OptionsDialog::extraModified() const {
    return m_logo->isModified();
}

void OptionsDialog::afterSave() {
    m_logo->markSaved();
}

} // namespace app::ui
