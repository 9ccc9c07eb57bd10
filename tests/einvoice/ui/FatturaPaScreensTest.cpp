#include "einvoice/ui/FatturaPaScreens.h"

#include "ModalWindows.h"
#include "ScreenArchive.h"
#include "ScreenHelpers.h"
#include "einvoice/ui/AttachmentEditor.h"
#include "einvoice/ui/PublicOfficeLookup.h"
#include "einvoice/ui/RejectionErrorScreens.h"
#include "registries/ui/CompanyDialog.h"
#include "registries/ui/CustomerScreens.h"
#include "ui/DataGrid.h"
#include "ui/RecordModel.h"
#include "ui/ScreenRegistry.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace uitest;
using Screens = ScreenArchive;

namespace {

// Types into a search box; the box searches as it changes, not on leaving.
void typeSearch(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

QString lastMessage(const common::ScriptedInteraction& i) {
    return i.messages.isEmpty() ? QString() : i.messages.last().text;
}

} // namespace

TEST(FatturaPaScreens, RejectionErrorsListFiltersAndShowsTheDetail) {
    Screens s;
    ui::ScreenRegistry registry;
    einvoice::ui::registerFatturaPaScreens(registry);
    EXPECT_TRUE(registry.has("btnErroriFatturaElettronica"));

    einvoice::ui::RejectionErrorList list(s.context);
    list.show();
    EXPECT_EQ(list.windowTitle(), "Elenco Errori scarto fatturazione elettronica");
    EXPECT_FALSE(list.addButtonWidget()->isVisible());
    EXPECT_FALSE(list.deleteButton()->isVisible());
    const int all = list.grid()->records()->rowCount();
    EXPECT_GE(all, 60);
    screenshot(&list, "errori-elenco");

    typeSearch(list.searchBox("Codice"), "*");
    EXPECT_EQ(list.grid()->records()->rowCount(), all);
    typeSearch(list.searchBox("Codice"), "0000");
    typeSearch(list.searchBox("Titolo"), "nome FILE");
    ASSERT_EQ(list.grid()->records()->rowCount(), 2); // 00001 and 00002

    QString code, title, suggestions;
    bool editable = true;
    onNextModal<einvoice::ui::RejectionErrorCard>([&](einvoice::ui::RejectionErrorCard* detail) {
        code = detail->code();
        title = detail->title();
        suggestions = detail->suggestions();
        editable = !detail->findChild<QPlainTextEdit*>("Suggerimenti")->isReadOnly();
        screenshot(detail, "errori-dettaglio");
    });
    list.grid()->selectKey(list.grid()->keyAt(0));
    list.openButton()->click();
    EXPECT_EQ(code, "00001");
    EXPECT_EQ(title, "Nome file non valido");
    EXPECT_FALSE(suggestions.isEmpty());
    EXPECT_FALSE(editable);
}

TEST(FatturaPaScreens, AttachmentEditorChecksSavesAndGivesUp) {
    FOR_EACH_ENGINE(engine) {
        Screens s(engine);
        QTemporaryDir dir;
        const QString pdf = dir.filePath("verbale.pdf");
        {
            QFile f(pdf);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write("%PDF-1.4");
        }
        // Added: the checks in order, then "Cerca" fills name, format and path.
        QStringList errors;
        onNextModal<einvoice::ui::AttachmentEditor>([&](einvoice::ui::AttachmentEditor* w) {
            screenshot(w, "allegato");
            w->findChild<QPushButton*>("spdSalva")->click();
            errors.append(lastMessage(s.interaction));
            w->nameEdit()->setText("verbale.pdf");
            w->pathEdit()->setText(dir.filePath("altrove.pdf"));
            w->findChild<QPushButton*>("spdSalva")->click();
            errors.append(lastMessage(s.interaction));
            s.interaction.texts.enqueue(pdf);
            w->findChild<QPushButton*>("spdCerca")->click();
            EXPECT_EQ(w->formatEdit()->text(), "PDF");
            w->descriptionEdit()->setText("Verbale di tumulazione");
            w->findChild<QPushButton*>("spdSalva")->click();
        });
        EXPECT_TRUE(einvoice::ui::editAttachment(s.context, 7, 0, nullptr));
        EXPECT_EQ(errors, QStringList({"Attenzione manca il nome dell'allegato",
                                       "Attenzione il File non risulta esistere nel percorso "
                                       "definito !"}));
        const db::Result rows = s.db().query("select * from Fattura_Allegati");
        ASSERT_EQ(rows.size(), 1u);
        EXPECT_EQ(rows.first().integer("Fattura_Id"), 7);
        EXPECT_EQ(rows.first().text("NomeAttachment"), "verbale.pdf");
        EXPECT_EQ(rows.first().text("DescrizioneAttachment"), "Verbale di tumulazione");
        EXPECT_EQ(rows.first().text("FormatoAttachment"), "PDF");
        const qint64 id = rows.first().integer("id");

        // Existing: "Annulla" drops the changes and keeps the row.
        onNextModal<einvoice::ui::AttachmentEditor>([&](einvoice::ui::AttachmentEditor* w) {
            EXPECT_EQ(w->nameEdit()->text(), "verbale.pdf");
            w->nameEdit()->setText("cambiato.pdf");
            w->findChild<QPushButton*>("spdAnnulla")->click();
        });
        EXPECT_FALSE(einvoice::ui::editAttachment(s.context, 7, id, nullptr));
        EXPECT_EQ(s.db().scalar("select NomeAttachment from Fattura_Allegati").toString(),
                  "verbale.pdf");

        // Added and given up: asked first; a No stays, a Yes removes the row.
        bool stayed = false;
        onNextModal<einvoice::ui::AttachmentEditor>([&](einvoice::ui::AttachmentEditor* w) {
            s.interaction.answers.enqueue(false);
            w->findChild<QPushButton*>("spdAnnulla")->click();
            stayed = w->isVisible();
            s.interaction.answers.enqueue(true);
            w->findChild<QPushButton*>("spdAnnulla")->click();
        });
        EXPECT_FALSE(einvoice::ui::editAttachment(s.context, 7, 0, nullptr));
        EXPECT_TRUE(stayed);
        EXPECT_EQ(lastMessage(s.interaction), "Sei sicuro di voler annullare l'inserimento ?");
        EXPECT_EQ(s.db().scalar("select count(*) as N from Fattura_Allegati").toInt(), 1);

        s.interaction.answers.enqueue(false);
        EXPECT_FALSE(einvoice::ui::deleteAttachment(s.context, id));
        EXPECT_EQ(lastMessage(s.interaction),
                  "Sei sicuro di voler eliminare il Record dell'Allegato ?");
        EXPECT_TRUE(einvoice::ui::deleteAttachment(s.context, id));
        EXPECT_EQ(s.db().scalar("select count(*) as N from Fattura_Allegati").toInt(), 0);
    }
}

// The lookup on the customer card overwrites the name fields even when filled;
// the card's own save writes them with the town.
TEST(FatturaPaScreens, PublicOfficeLookupFillsTheCustomerCard) {
    Screens s;
    db::Database& db = s.db();
    const qint64 rome = db.insert("Comuni", {{"Comune", "Roma"}, {"Provincia", "RM"}});
    const qint64 lombardy =
        db.insert("Comuni", {{"Comune", "Romano di Lombardia"}, {"Provincia", "BG"}});
    db.insert("PA_Amministrazioni_FatturaElettronica",
              {{"DescrizionePA", "Roma Capitale"},
               {"DescrizioneUfficio", "Servizi Cimiteriali"},
               {"codice_univoco", "ABC123"},
               {"indirizzo", "Via del Campidoglio 1"},
               {"cap", "00186"},
               {"cf", "02438750586"},
               {"Comune_Id", rome}});
    db.insert("PA_Amministrazioni_FatturaElettronica",
              {{"DescrizionePA", "Comune di Romano di Lombardia"},
               {"codice_univoco", "UFROM1"},
               {"Comune_Id", lombardy}});
    const qint64 customer = db.insert("Clienti", {{"Cliente", "Vecchio nome"},
                                                  {"NominativoDocumenti", "Vecchio nome"},
                                                  {"NominativoVisualizzato", "Vecchio nome"},
                                                  {"Annullato", false}});

    ui::ScreenRegistry registry;
    einvoice::ui::registerFatturaPaScreens(registry);
    registries::ui::CustomerCard card(s.context, registries::ui::customerDefinition(), customer,
                                      false);
    card.show();
    screenshot(&card, "cliente-pa");
    ASSERT_NE(card.publicOfficeButton(), nullptr);
    EXPECT_EQ(card.publicOfficeButton()->text(), "Trova Pubblica Amministrazione");

    int byTown = -1, byProvince = -1;
    QString noCriteria;
    onNextModal<einvoice::ui::PublicOfficeLookup>([&](einvoice::ui::PublicOfficeLookup* w) {
        w->findChild<QPushButton*>("spdCerca")->click();
        noCriteria = lastMessage(s.interaction);
        w->searchBox("Comune")->setText("rom");
        w->findChild<QPushButton*>("spdCerca")->click();
        byTown = w->grid()->records()->rowCount();
        screenshot(w, "trova-pa");
        w->findChild<QPushButton*>("spdReset")->click();
        EXPECT_TRUE(w->searchBox("Comune")->text().isEmpty());
        w->searchBox("Provincia")->setText("RM");
        w->findChild<QPushButton*>("spdCerca")->click();
        byProvince = w->grid()->records()->rowCount();
        s.interaction.answers.enqueue(true);
        w->findChild<QPushButton*>("spdAvanti")->click();
    });
    card.publicOfficeButton()->click();
    EXPECT_EQ(noCriteria, "Attenzione ! E' necessario inserire i criteri di ricerca !");
    EXPECT_EQ(byTown, 2);
    EXPECT_EQ(byProvince, 1);
    EXPECT_EQ(lastMessage(s.interaction),
              "Posso sovrascrivere i dati della PA scelta con quelli del Cliente ? Vuoi "
              "proseguire ?");
    EXPECT_EQ(card.value("Cliente").toString(), "Roma Capitale");
    EXPECT_EQ(card.value("NominativoVisualizzato").toString(), "Roma Capitale");
    EXPECT_EQ(card.value("CodiceUnivocoUfficio").toString(), "ABC123");
    EXPECT_TRUE(card.value("PubblicaAmministrazione").toBool());

    ASSERT_TRUE(card.save()) << lastMessage(s.interaction).toStdString();
    const db::Row row = db.query("select * from Clienti where ID = ?", {customer}).first();
    EXPECT_EQ(row.text("Cliente"), "Roma Capitale");
    // Saving derives the listed name as for any customer.
    EXPECT_TRUE(row.text("NominativoVisualizzato").startsWith("Roma Capitale"));
    EXPECT_TRUE(row.boolean("PubblicaAmministrazione"));
    EXPECT_EQ(row.text("CodiceUnivocoUfficio"), "ABC123");
    EXPECT_EQ(row.text("Citta"), "Roma");
    EXPECT_EQ(row.text("Cap"), "00186");
    EXPECT_EQ(row.text("CodFiscale"), "02438750586");
    EXPECT_EQ(row.text("Via"), "Via del Campidoglio 1");
    EXPECT_EQ(row.text("DestinazioneMerce"), "Servizi Cimiteriali");
    EXPECT_EQ(row.integer("Comune_id"), rome);
}

// "Importa elenco IPA" replaces the directory with the chosen file, after a
// question, and tells how many offices came in; a file that cannot be read
// leaves the directory as it was.
TEST(FatturaPaScreens, PublicOfficeDirectoryIsLoadedFromTheLookup) {
    Screens s;
    s.db().insert("PA_Amministrazioni_FatturaElettronica",
                  {{"DescrizionePA", "Vecchio ente"}, {"codice_univoco", "OLD001"}});
    s.db().insert(
        "Comuni",
        {{"Comune", "Roma"}, {"Provincia", "RM"}, {"COD_ISTAT", "058091"}, {"CODICE_F", "H501"}});
    const QDir here(QStringLiteral(OSSARION_IPA_FILES));
    einvoice::ui::PublicOfficeLookup lookup(s.context);
    auto offices = [&] {
        return s.db().scalar("select count(*) from PA_Amministrazioni_FatturaElettronica").toInt();
    };

    s.interaction.texts.enqueue(here.filePath("riga-incompleta.csv"));
    lookup.findChild<QPushButton*>("spdImporta")->click();
    EXPECT_EQ(s.interaction.messages.last().kind, "error");
    EXPECT_EQ(offices(), 1);

    s.interaction.texts.enqueue(here.filePath("uffici.csv"));
    s.interaction.answers.enqueue(false);
    lookup.findChild<QPushButton*>("spdImporta")->click();
    EXPECT_EQ(offices(), 1);

    s.interaction.texts.enqueue(here.filePath("uffici.csv"));
    lookup.findChild<QPushButton*>("spdImporta")->click();
    EXPECT_EQ(offices(), 4);
    EXPECT_EQ(lastMessage(s.interaction), "Uffici importati: 4\nDi cui senza un comune "
                                          "dell'archivio: 2\nRighe senza codice univoco, "
                                          "scartate: 1");
    // Rome by its ISTAT code and by its cadastral code.
    lookup.searchBox("Comune")->setText("roma");
    lookup.findChild<QPushButton*>("spdCerca")->click();
    EXPECT_EQ(lookup.grid()->records()->rowCount(), 2);
}

TEST(FatturaPaScreens, FiscalRepresentativeEditorChecksAndSaves) {
    Screens s;
    registries::ui::CompanyDialog company(s.context);
    auto* summary = company.findChild<QLabel*>("lblRappresentanteFiscale");
    ASSERT_NE(summary, nullptr);
    EXPECT_EQ(summary->text(), "Non indicato nelle fatture elettroniche.");

    QStringList errors;
    onNextModal<registries::ui::FiscalPartyDialog>([&](registries::ui::FiscalPartyDialog* d) {
        EXPECT_EQ(d->windowTitle(), "Rappresentante Fiscale");
        screenshot(d, "rappresentante-fiscale");
        qobject_cast<QCheckBox*>(d->editor("Includi"))->setChecked(true);
        d->findChild<QPushButton*>("spdSalva")->click();
        errors.append(lastMessage(s.interaction));
        auto* country = qobject_cast<QComboBox*>(d->editor("IdPaese"));
        country->setCurrentIndex(country->findData("FR"));
        qobject_cast<QLineEdit*>(d->editor("IdCodice"))->setText("fr12345678901");
        d->findChild<QPushButton*>("spdSalva")->click();
        errors.append(lastMessage(s.interaction));
        qobject_cast<QLineEdit*>(d->editor("Nome"))->setText("Jean");
        d->findChild<QPushButton*>("spdSalva")->click();
        errors.append(lastMessage(s.interaction));
        qobject_cast<QLineEdit*>(d->editor("Cognome"))->setText("Dupont");
        d->findChild<QPushButton*>("spdSalva")->click();
    });
    company.findChild<QPushButton*>("btnRappresentanteFiscale")->click();
    EXPECT_EQ(errors, QStringList({"Attenzione manca la Nazione del rappresentante fiscale",
                                   "Attenzione manca la Ragione Sociale o Nome e Cognome del "
                                   "rappresentante fiscale",
                                   "Attenzione manca il Cognome del rappresentante fiscale"}));
    const db::Row row = s.db().query("select * from ditta").first();
    EXPECT_TRUE(row.boolean("RappresentanteFiscale"));
    EXPECT_EQ(row.text("RappresentanteFiscale_DatiAnagrafici_IdPaese"), "FR");
    EXPECT_EQ(row.text("RappresentanteFiscale_DatiAnagrafici_IdCodice"), "FR12345678901");
    EXPECT_EQ(row.text("RappresentanteFiscale_DatiAnagrafici_Cognome"), "Dupont");
    EXPECT_TRUE(summary->text().contains("Jean Dupont"));

    // The intermediary may be named by its tax code alone.
    const QVariantMap intermediary{
        {"TerzoIntermediarioOSoggettoEmittente", true},
        {"TerzoIntermediarioOSoggettoEmittente_CodiceFiscale", "RSSMRA80A01H501U"},
        {"TerzoIntermediarioOSoggettoEmittente_Denominazione", "Studio Rossi"}};
    EXPECT_FALSE(
        registries::ui::checkFiscalParty(registries::ui::FiscalParty::Intermediary, intermediary));
    QVariantMap nothing = intermediary;
    nothing.remove("TerzoIntermediarioOSoggettoEmittente_CodiceFiscale");
    EXPECT_EQ(
        registries::ui::checkFiscalParty(registries::ui::FiscalParty::Intermediary, nothing)->text,
        "Attenzione manca la Partita Iva o il Codice Fiscale dell'intermediario");
    nothing.insert("TerzoIntermediarioOSoggettoEmittente", false);
    EXPECT_FALSE(
        registries::ui::checkFiscalParty(registries::ui::FiscalParty::Intermediary, nothing));
}
