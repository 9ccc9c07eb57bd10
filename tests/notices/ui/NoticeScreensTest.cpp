#include "notices/ui/NoticeScreens.h"

#include "../NoticeSamples.h"
#include "MailTestSupport.h"
#include "ModalWindows.h"
#include "ScreenArchive.h"
#include "ScreenHelpers.h"
#include "app/ui/MainWindow.h"
#include "app/ui/Screens.h"
#include "printing/ReportRequest.h"
#include "ui/CardScreen.h"
#include "ui/DataGrid.h"
#include "ui/ListScreen.h"
#include "ui/RecordModel.h"
#include "ui/ScreenRegistry.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace uitest;
using notices::ui::NoticeWizard;

namespace {

QStringList listed(QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out.append(list->item(i)->text() +
                   (list->item(i)->checkState() == Qt::Checked ? QString() : QStringLiteral(" -")));
    return out;
}

} // namespace

TEST(NoticeScreens, ThreeStepsFromTheMainWindowPrintTheTickedCustomers) {
    FOR_EACH_ENGINE(engine) {
        SCOPED_TRACE(engine == db::Engine::SQLite ? "SQLite" : "PostgreSQL");
        ScreenArchive s(engine);
        db::Database& db = s.db();
        db.setWorkstation("PC-UFFICIO");
        const NoticeSamples samples = NoticeSamples::create(db);
        db.insert("Avvisi", {{"Descrizione", "Canone annuo"},
                             {"Testo", "Gentile {Cliente}, il canone di {ImportoDovuto} scade."}});

        ui::ScreenRegistry registry;
        screens::registerAllScreens(registry);
        app::ui::MainWindow main(s.context, registry);
        QPushButton* button = main.button("btnAttivitaAvvisiClienti");
        ASSERT_TRUE(button);
        EXPECT_TRUE(button->isEnabled());
        EXPECT_TRUE(main.button("btnArchivioAvvisi")->isEnabled());

        bool walked = false;
        onNextModal<NoticeWizard>([&](NoticeWizard* w) {
            walked = true;
            EXPECT_EQ(w->windowTitle(), "Avvisi per Clienti");
            // Step 1: a text is required, then one from the catalogue.
            click(w, "btnContinua");
            EXPECT_EQ(s.interaction.texts_of("error"), QStringList{"Attenzione manca il testo"});
            EXPECT_EQ(w->step(), 0);
            const int at = w->importChoice()->findText("Canone annuo");
            ASSERT_GT(at, 0);
            w->importChoice()->setCurrentIndex(at);
            w->importChosen(at);
            EXPECT_EQ(w->textEdit()->toPlainText(),
                      "Gentile {Cliente}, il canone di {ImportoDovuto} scade.");
            screenshot(w, "notices-text");
            click(w, "btnContinua");
            ASSERT_EQ(w->step(), 1);
            EXPECT_EQ(w->objectName(), "TfrmAvvisiClienti_Filtri");

            // Step 2: the unpaid instalments of March.
            typeInto(w->filterWidget("DaDataScadenza"), "01032026");
            typeInto(w->filterWidget("ADataScadenza"), "31/03/2026");
            screenshot(w, "notices-filters");
            click(w, "btnContinuaFiltri");
            ASSERT_EQ(w->step(), 2);
            EXPECT_EQ(listed(w->customerList()), QStringList({"D'Angelo Pietro", "Rossi Mario"}));

            // Step 3: the menu's "Nessuna selezione", one ticked again, print.
            w->tickAll(false);
            EXPECT_TRUE(w->tickedCustomers().isEmpty());
            w->customerList()->item(1)->setCheckState(Qt::Checked);
            screenshot(w, "notices-customers");
            click(w, "btnStampa");
        });
        button->click();
        ASSERT_TRUE(walked);

        const db::Result ticked =
            db.query("select Cliente_ID, Testo from TempAvvisiClienti where NomeComputer = ?",
                     {"PC-UFFICIO"});
        ASSERT_EQ(ticked.size(), 1u);
        EXPECT_EQ(ticked.first().integer("Cliente_ID"), samples.rossi);
        EXPECT_EQ(ticked.first().text("Testo"),
                  "Gentile Rossi Mario, il canone di 1.334,50 € scade.");
        const auto request = printing::ReportRequests::read(db, "PC-UFFICIO");
        ASSERT_TRUE(request);
        EXPECT_TRUE(request->report.endsWith("Avvisi.rpt"));
        EXPECT_TRUE(request->query.contains("'PC-UFFICIO'"));
        EXPECT_TRUE(s.interaction.texts_of("error").size() == 1);
    }
}

TEST(NoticeScreens, UnknownFieldStopsThePrintAndTheCatalogueChecksItsCard) {
    ScreenArchive s;
    db::Database& db = s.db();
    db.setWorkstation("PC-UFFICIO");
    NoticeSamples::create(db);
    NoticeWizard w(s.context);
    w.textEdit()->setPlainText("Gentile {Cliente}, {Importo}");
    click(&w, "btnContinua");
    click(&w, "btnContinuaFiltri");
    ASSERT_EQ(w.step(), 2);
    EXPECT_EQ(w.customerList()->count(), 4);
    click(&w, "btnStampa");
    ASSERT_EQ(s.interaction.texts_of("error").size(), 1);
    EXPECT_TRUE(s.interaction.texts_of("error")[0].contains("{Importo}"));
    EXPECT_FALSE(printing::ReportRequests::read(db, "PC-UFFICIO"));
    // "Invia Email" is refused the same way, before any option is read.
    s.interaction.texts.enqueue("Canone");
    click(&w, "btnInviaEmail");
    EXPECT_EQ(s.interaction.texts_of("error").size(), 2);
    EXPECT_TRUE(s.interaction.texts_of("warning").isEmpty());

    ui::CardScreen card(s.context, notices::ui::catalogueDefinition(),
                        db.insert("Avvisi", {{"Descrizione", ""}}), true);
    EXPECT_FALSE(card.save());
    EXPECT_EQ(s.interaction.texts_of("error").value(2), "Attenzione manca la Descrizione");
}

TEST(NoticeScreens, EmailSendsToThoseWithAnAddressAndPrintsTheOthersInOneClick) {
    SmtpTestServer server(SmtpTestServer::Mode::Plain);
    ASSERT_TRUE(server.started()) << server.failure().toStdString();
    ScreenArchive s;
    db::Database& db = s.db();
    db.setWorkstation("PC-UFFICIO");
    SmtpOptions{.port = server.port(), .encryptionType = 4}.save(db);
    const NoticeSamples samples = NoticeSamples::create(db);

    NoticeWizard w(s.context);
    w.textEdit()->setPlainText("Gentile {Cliente}, dovete {ImportoDovuto}.");
    click(&w, "btnContinua");
    click(&w, "btnContinuaFiltri");
    ASSERT_EQ(w.customerList()->count(), 4);
    w.customerList()->item(1)->setCheckState(Qt::Unchecked); // D'Angelo Pietro

    s.interaction.texts.enqueue("Canone 2026");
    bool shown = false;
    onNextModal<notices::ui::MailOutcomeWindow>([&](notices::ui::MailOutcomeWindow* window) {
        shown = true;
        const QString text = window->findChild<QPlainTextEdit*>("Esito")->toPlainText();
        EXPECT_TRUE(text.contains("Avvisi inviati: 2\n  Bianchi Anna\n  Rossi Mario"))
            << text.toStdString();
        EXPECT_TRUE(text.contains("Clienti senza indirizzo email: 1\n  Verdi Luigi"));
        EXPECT_TRUE(text.contains("Invii non riusciti: 0"));
        screenshot(window, "notices-mail-outcome");
        ASSERT_TRUE(window->printButton()->isEnabled());
        window->printButton()->click();
        EXPECT_FALSE(window->printButton()->isEnabled());
    });
    click(&w, "btnInviaEmail");
    ASSERT_TRUE(shown);

    const auto got = server.messages();
    ASSERT_EQ(got.size(), 2);
    EXPECT_EQ(got[0].message["subject"].toString(), "Canone 2026");
    EXPECT_EQ(got[0].message["text"].toString().trimmed(), "Gentile Bianchi Anna, dovete 75,00 €.");
    // The one click printed the letter of the customer without address only.
    const db::Result ticked =
        db.query("select Cliente_ID from TempAvvisiClienti where NomeComputer = ?", {"PC-UFFICIO"});
    ASSERT_EQ(ticked.size(), 1u);
    EXPECT_EQ(ticked.first().integer("Cliente_ID"), samples.verdi);
    EXPECT_TRUE(printing::ReportRequests::read(db, "PC-UFFICIO"));
}
