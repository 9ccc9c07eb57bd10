#include "app/ui/ShellScreens.h"

#include "ScreenArchive.h"
#include "ScreenHelpers.h"
#include "app/OptionsRules.h"
#include "app/StartupSequence.h"
#include "app/ui/MainWindow.h"
#include "app/ui/OptionsDialog.h"
#include "app/ui/ReminderDialog.h"
#include "app/ui/Screens.h"
#include "db/Schema.h"
#include "registries/ui/CompanyDialog.h"
#include "registries/ui/LogoEditor.h"
#include "ui/HelpWindow.h"
#include "ui/ScreenRegistry.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>
#include <gtest/gtest.h>

using app::Permissions;
using app::ui::MainWindow;

namespace {

class Shell : public uitest::ScreenTest {
protected:
    // Shown means "would be shown with the window": hidden neither itself
    // nor by a parent inside its page.
    static bool shown(QWidget* w) {
        for (QWidget* p = w; p && !p->objectName().startsWith("tab"); p = p->parentWidget())
            if (p->isHidden())
                return false;
        return true;
    }

    ui::ScreenRegistry registry;
};

using uitest::choose;

void type(QWidget* editor, const QString& text) {
    if (auto* line = qobject_cast<QLineEdit*>(editor))
        line->setText(text);
    else if (auto* memo = qobject_cast<QPlainTextEdit*>(editor))
        memo->setPlainText(text);
    else
        FAIL() << "not a text editor";
}

QByteArray png() {
    QImage image(120, 40, QImage::Format_RGB32);
    image.fill(QColor(35, 57, 93));
    QByteArray bytes;
    QBuffer b(&bytes);
    b.open(QIODevice::WriteOnly);
    image.save(&b, "PNG");
    return bytes;
}

} // namespace

// The main window fits a 1366×768 screen with its title bar and taskbar,
// whatever tab is shown; a tab taller than that scrolls.
TEST_F(Shell, MainWindowFitsASmallLaptopScreen) {
    MainWindow w(context, registry);
    const QSize least = w.minimumSizeHint();
    EXPECT_LE(least.width(), 1366 - 16);
    EXPECT_LE(least.height(), 768 - 70);
    EXPECT_LE(w.width(), 1366);
    EXPECT_LE(w.height(), 768 - 70);
}

TEST_F(Shell, PermissionsHideTabsAndButtons) {
    MainWindow w(context, registry);

    w.applyPermissions(Permissions::fromText(""));
    for (const char* tab : {"tabArchivio", "tabAttivita", "tabDocClienti", "tabDocFornitori",
                            "tabStampe", "tabStorico", "tabScadenziario", "tabUtility"})
        EXPECT_FALSE(w.isTabShown(tab)) << tab;
    EXPECT_TRUE(w.isTabShown("tabVideo"));

    w.applyPermissions(Permissions::fromText("TABARCHIVIO BTNCLIENTI\nTABSTAMPE "
                                             "BTNSTAMPECONTRATTIESTESA"));
    EXPECT_TRUE(w.isTabShown("tabArchivio"));
    EXPECT_TRUE(w.isTabShown("tabStampe"));
    EXPECT_FALSE(w.isTabShown("tabAttivita"));
    EXPECT_TRUE(shown(w.button("btnClienti")));
    EXPECT_FALSE(shown(w.button("btnFornitori")));
    EXPECT_TRUE(shown(w.button("btnAreeCimitero"))); // no key of its own
    EXPECT_TRUE(shown(w.button("btnStampeContratti")));
    EXPECT_TRUE(shown(w.button("btnStampeContrattiEstesa")));
    EXPECT_TRUE(shown(w.button("btnStampeContrattiDefunti")));
    EXPECT_FALSE(shown(w.button("btnStampeFattureClienti")));
    // A group left without buttons goes with them.
    auto* registries = w.findChild<QGroupBox*>("grpStampeAnagrafiche");
    ASSERT_NE(registries, nullptr);
    EXPECT_TRUE(registries->isHidden());

    // Everything granted: all but the buttons that are never shown.
    w.applyPermissions(Permissions::fromText("ALL"));
    for (const app::MenuTab& tab : app::MainMenu::tabs()) {
        EXPECT_TRUE(w.isTabShown(tab.name)) << tab.name.toStdString();
        for (const app::MenuButton& b : tab.buttons)
            EXPECT_EQ(shown(w.button(b.name)), !b.hidden) << b.name.toStdString();
    }
    EXPECT_EQ(w.button("btnOrdiniClienti")->text(), "Ordini");
    EXPECT_TRUE(shown(w.button("btnOrdiniClienti")));
    EXPECT_TRUE(shown(w.button("btnOrdiniFornitori")));
}

TEST_F(Shell, ButtonsWithoutAScreenAreDisabled) {
    int opened = 0;
    registry.add("btnClienti", [&](QWidget* parent, ui::AppContext& c) {
        ++opened;
        EXPECT_EQ(parent->objectName(), "TForm1");
        EXPECT_EQ(c.db, &db());
        EXPECT_FALSE(c.history);
    });
    app::ui::registerShellScreens(registry);
    MainWindow w(context, registry);

    QPushButton* customers = w.button("btnClienti");
    EXPECT_TRUE(customers->isEnabled());
    EXPECT_TRUE(customers->toolTip().isEmpty());
    QTest::mouseClick(customers, Qt::LeftButton);
    EXPECT_EQ(opened, 1);

    QPushButton* suppliers = w.button("btnFornitori");
    EXPECT_FALSE(suppliers->isEnabled());
    EXPECT_EQ(suppliers->toolTip(), "Funzione non ancora disponibile");
    EXPECT_FALSE(w.openScreen("btnFornitori"));

    EXPECT_TRUE(w.button("btnAttivitaOpzioni")->isEnabled());
    EXPECT_TRUE(w.button("btnCaricaDitta")->isEnabled());
    EXPECT_EQ(w.button("btnAttivitaOpzioni")->text(), "Opzioni");
    EXPECT_EQ(w.button("btnContabilitaConti")->text(), "Contabilità ");
    for (const char* name : {"btnAiuto", "btnLavoraInRete", "btnEsci"})
        EXPECT_TRUE(w.button(name)->isEnabled()) << name;
    EXPECT_EQ(w.networkPath()->placeholderText(), "Percorso di rete");
}

TEST_F(Shell, StartSetsCaptionPermissionsAndFirstTab) {
    MainWindow w(context, registry);
    app::StartupResult r;
    r.stop = false;
    r.permissions = Permissions::fromText("TABARCHIVIO TABSTAMPE");
    r.caption = app::StartupSequence::caption(db());
    r.startTab = 4;
    w.start(r, false);
    EXPECT_EQ(w.windowTitle(), "Ossarion - " + db().scalar("select RagSoc from ditta").toString());
    EXPECT_EQ(w.tabs()->currentWidget()->objectName(), "tabStampe");
    EXPECT_EQ(w.tabs()->tabText(w.tabs()->currentIndex()), "Stampe  ");

    db().exec("update ditta set RagSoc = 'Onoranze Funebri Rossi'");
    r.caption = app::StartupSequence::caption(db());
    r.startTab = 1; // hidden: the first tab offered instead
    w.start(r, false);
    EXPECT_EQ(w.windowTitle(), "Ossarion - Onoranze Funebri Rossi");
    EXPECT_EQ(w.tabs()->currentWidget()->objectName(), "tabArchivio");
}

TEST_F(Shell, HistoryButtonsCheckTheRangeAndPassIt) {
    QList<std::tuple<bool, QDate, QDate>> calls;
    const auto record = [&](QWidget*, ui::AppContext& c) {
        calls.append({c.history, c.historyFrom, c.historyTo});
    };
    registry.add("btnStoricoFattureClienti", record);
    registry.add("btnStoricoFattureFornitori", record);
    MainWindow w(context, registry);

    EXPECT_FALSE(w.openScreen("btnStoricoFattureClienti"));
    ASSERT_EQ(interaction.messages.size(), 1);
    EXPECT_EQ(interaction.messages[0].title, "Messaggio di avviso!!");
    EXPECT_EQ(interaction.messages[0].text,
              "Attenzione E' necessario definire la data di inizio...");

    QTest::keyClicks(w.historyFrom(), "15122025");
    QTest::keyClicks(w.historyTo(), "10012026");
    // Leaving the field shows the date in full.
    QTest::keyClick(w.historyFrom(), Qt::Key_Return);
    EXPECT_EQ(w.historyFrom()->text(), "15/12/2025");
    EXPECT_FALSE(w.openScreen("btnStoricoFattureClienti"));
    EXPECT_EQ(interaction.messages.last().text,
              "Attenzione E' necessario che la data di inizio e la data di fine abbiano lo "
              "stesso anno...");
    EXPECT_TRUE(calls.isEmpty());

    // Supplier invoices accept a range across years.
    EXPECT_TRUE(w.openScreen("btnStoricoFattureFornitori"));
    ASSERT_EQ(calls.size(), 1);
    EXPECT_EQ(calls[0], std::make_tuple(true, QDate(2025, 12, 15), QDate(2026, 1, 10)));
    // Closing the history list goes back to the current documents.
    EXPECT_FALSE(context.history);
    EXPECT_FALSE(context.historyFrom.isValid());
}

TEST_F(Shell, CompanyDataHaveAButtonAndCtrlD) {
    int opened = 0;
    registry.add("btnCaricaDitta", [&](QWidget*, ui::AppContext&) { ++opened; });
    MainWindow w(context, registry);
    QPushButton* company = w.button("btnCaricaDitta");
    EXPECT_EQ(company->text(), "Dati della Ditta");
    EXPECT_FALSE(company->isHidden());
    company->click();
    EXPECT_EQ(opened, 1);
    QAction* shortcut = w.findChild<QAction*>("actCaricaDitta");
    ASSERT_NE(shortcut, nullptr);
    EXPECT_EQ(shortcut->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_D));
    shortcut->trigger();
    EXPECT_EQ(opened, 2);
}

TEST_F(Shell, LavoraInReteOpensTheChosenArchive) {
    QTemporaryDir other;
    const QString path = other.filePath("altra.db");
    {
        db::Database second;
        second.open(path, db::Database::OpenMode::CreateIfMissing);
        db::Schema::upgrade(second);
        second.exec("update ditta set RagSoc = 'Seconda Ditta'");
    }
    QTemporaryDir home;
    qputenv("OSSARION_HOME", home.path().toUtf8());
    MainWindow w(context, registry);
    // A file chosen in the dialog when no network address is typed.
    interaction.texts.enqueue(path);
    w.switchArchive();
    qunsetenv("OSSARION_HOME");
    EXPECT_EQ(interaction.messages.last().kind, "file");
    EXPECT_EQ(db().archive(), path);
    EXPECT_EQ(w.windowTitle(), "Ossarion - Seconda Ditta");
}

TEST_F(Shell, ReminderListsAndDoubleClick) {
    app::ReminderList due;
    due.title = "Scadenze passate";
    due.header = QStringList{"Data Scadenza", "Operazione", "Cliente", "Fornitore", "Importo",
                             "Mod.Pagamento", "Note",       "id_scad", "Tipo"};
    due.rows = {{"01/02/2026", "Fattura 3", "Rossi Anna", "", "100,00", "Contanti", "", "7", "F"}};
    due.ids = {7};
    app::ReminderList notices;
    notices.title = "Avvisi Calendario";
    notices.header = QStringList{"Data", "Tipologia", "Cliente", "Personale", "Note"};
    notices.rows = {{"03/02/2026", "Ricorrenza", "Bianchi", "", "chiamare"}};
    notices.ids = {12};

    app::ui::ReminderDialog d(due, notices, context, registry);
    EXPECT_EQ(d.windowTitle(), "Promemoria Scadenze");
    QTableWidget* t = d.instalmentsTable();
    ASSERT_EQ(t->columnCount(), 9);
    EXPECT_EQ(t->horizontalHeaderItem(0)->text(), "Data Scadenza");
    EXPECT_EQ(t->horizontalHeaderItem(5)->text(), "Mod.Pagamento");
    EXPECT_EQ(t->item(0, 2)->text(), "Rossi Anna");
    EXPECT_EQ(d.noticesTable()->horizontalHeaderItem(3)->text(), "Personale");
    EXPECT_EQ(d.noticesTable()->item(0, 4)->text(), "chiamare");

    // Without the screens a double click does nothing.
    EXPECT_FALSE(d.openInstalment(0));
    EXPECT_FALSE(d.openNotice(0));

    qint64 opened = 0;
    registry.add("scadenza", [&](QWidget*, ui::AppContext& c) { opened = c.recordKey; });
    registry.add("appuntamento", [&](QWidget*, ui::AppContext& c) { opened = -c.recordKey; });
    app::ui::ReminderDialog again(due, notices, context, registry);
    emit again.instalmentsTable()->cellDoubleClicked(0, 1);
    EXPECT_EQ(opened, 7);
    emit again.noticesTable()->cellDoubleClicked(0, 0);
    EXPECT_EQ(opened, -12);
    EXPECT_EQ(context.recordKey, 0);
}

TEST_F(Shell, OptionsSaveRoundTrip) {
    const qint64 vat10 = db().insert("Iva", {{"Descrizione", "Iva 10%"}, {"Iva", 10.0}});
    const qint64 terms = db().insert("ModPagamento", {{"Descrizione", "Bonifico 30 gg"}});
    db().insert("TipoEsportazioniCrystalReport",
                {{"Numero", 9}, {"Descrizione", "Testo"}, {"Estensione", "txt"}, {"Attivo", true}});
    {
        app::ui::OptionsDialog d(context);
        EXPECT_EQ(d.objectName(), "TfrmOpzioni");
        EXPECT_GE(d.pageCount(), 6);
        choose(d.editor("TabIniziale"), 5);
        EXPECT_EQ(qobject_cast<QComboBox*>(d.editor("TabIniziale"))->currentText(), "Storico");
        choose(d.editor("Iva_Id"), vat10);
        EXPECT_EQ(qobject_cast<QLineEdit*>(d.editor("AliquotaIva"))->text(), "10,00");
        choose(d.editor("ModPagamento_Id"), terms);
        choose(d.editor("TipoEsportazione"), 9);
        EXPECT_EQ(qobject_cast<QLineEdit*>(d.editor("EstensioneEsportazione"))->text(), "txt");
        choose(d.editor("SmtpCriptaggioTipo"), 2);
        type(d.editor("SmtpHost"), "smtp.esempio.it");
        type(d.editor("SmtpPorta"), "587");
        type(d.editor("ImportoMarcaBollo"), "2,50");
        type(d.editor("EmailTestoDefault"), "Buongiorno,\nin allegato il documento.");
        qobject_cast<QCheckBox*>(d.editor("ChiusuraIvaMensile"))->setChecked(true);
        d.logoEditor()->setLogo({});
        EXPECT_TRUE(d.isModified());
        ASSERT_TRUE(d.save()) << (interaction.messages.isEmpty()
                                      ? std::string()
                                      : interaction.messages.last().text.toStdString());
        EXPECT_FALSE(d.isModified());
    }
    const db::Row o = app::OptionsRules::load(db());
    EXPECT_EQ(o.integer("TabIniziale"), 5);
    EXPECT_EQ(o.integer("Iva_Id"), vat10);
    EXPECT_DOUBLE_EQ(o.number("AliquotaIva"), 10.0);
    EXPECT_EQ(o.integer("ModPagamento_Id"), terms);
    EXPECT_EQ(o.integer("TipoEsportazione"), 9);
    EXPECT_EQ(o.text("EstensioneEsportazione"), "txt");
    EXPECT_EQ(o.integer("SmtpCriptaggioTipo"), 2);
    EXPECT_EQ(o.text("SmtpHost"), "smtp.esempio.it");
    EXPECT_EQ(o.integer("SmtpPorta"), 587);
    EXPECT_DOUBLE_EQ(o.number("ImportoMarcaBollo"), 2.5);
    EXPECT_EQ(o.text("EmailTestoDefault"), "Buongiorno,\nin allegato il documento.");
    EXPECT_TRUE(o.boolean("ChiusuraIvaMensile"));

    // Reopened, the screen shows what was saved; a cleared default is null.
    app::ui::OptionsDialog d(context);
    EXPECT_EQ(qobject_cast<QComboBox*>(d.editor("TabIniziale"))->currentText(), "Storico");
    EXPECT_EQ(qobject_cast<QLineEdit*>(d.editor("ImportoMarcaBollo"))->text(), "2,50");
    EXPECT_FALSE(d.isModified());
    QPushButton* clear = d.findChild<QPushButton*>("btnSvuota_ModPagamento_Id");
    QToolButton* clearTool = d.findChild<QToolButton*>("btnSvuota_ModPagamento_Id");
    ASSERT_TRUE(clear || clearTool);
    if (clearTool)
        clearTool->click();
    ASSERT_TRUE(d.save());
    EXPECT_TRUE(app::OptionsRules::load(db()).isNull("ModPagamento_Id"));
}

TEST_F(Shell, OptionsRefuseAnUnreadableAmount) {
    app::ui::OptionsDialog d(context);
    type(d.editor("SmtpHost"), "non salvato");
    type(d.editor("LimiteMaxMarcaBollo"), "12,3,4");
    EXPECT_FALSE(d.save());
    ASSERT_FALSE(interaction.messages.isEmpty());
    EXPECT_EQ(interaction.messages.last().kind, "error");
    EXPECT_TRUE(app::OptionsRules::load(db()).text("SmtpHost").isEmpty());
}

// "Invia email di prova" saves what was typed first, then asks the address;
// without a server it stops at the missing-host message.
TEST_F(Shell, OptionsTestEmailSavesFirst) {
    app::ui::OptionsDialog d(context);
    auto* button = d.findChild<QPushButton*>("btnEmailProva");
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), "Invia email di prova");
    type(d.editor("SmtpMittenteEmail"), "ufficio@esempio.it");
    interaction.texts.enqueue("prova@esempio.it");
    button->click();
    EXPECT_FALSE(d.isModified());
    EXPECT_EQ(app::OptionsRules::load(db()).text("SmtpMittenteEmail"), "ufficio@esempio.it");
    ASSERT_GE(interaction.messages.size(), 2);
    EXPECT_EQ(interaction.messages[interaction.messages.size() - 2].title, "Invia email di prova");
    EXPECT_EQ(interaction.messages.last().text,
              "Per inviare email è necessario impostare l' Host SMTP tra le opzioni del "
              "programma !");
}

TEST_F(Shell, OptionsFolderButtonsCheckThePath) {
    app::ui::OptionsDialog d(context);
    type(d.editor("CartellaImmagini"), "");
    d.openFolder("CartellaImmagini");
    EXPECT_EQ(interaction.messages.last().text, "Attenzione manca la Cartella dele immagini");
    type(d.editor("CartellaEsportazioneDocumenti"), "/non/esiste");
    d.openFolder("CartellaEsportazioneDocumenti");
    EXPECT_EQ(interaction.messages.last().text,
              "la Cartella: /non/esiste non esiste più o non è raggiungibile!!!");
    EXPECT_EQ(interaction.messages.last().title, "Messaggio di errore");
}

TEST_F(Shell, CompanySaveRoundTripWithLogo) {
    QTemporaryDir dir;
    const QString logo = dir.filePath("logo.png");
    {
        QFile f(logo);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(png());
    }
    {
        registries::ui::CompanyDialog d(context);
        EXPECT_EQ(d.objectName(), "TfrmDitta");
        EXPECT_EQ(d.pageTitles().size(), 9);
        type(d.editor("RagSoc"), "Onoranze Funebri Rossi");
        type(d.editor("PIva"), "01234567890");
        type(d.editor("CodOERI"), "IT01234567890");
        type(d.editor("DataIscrizioneAlbo"), "05/03/2020");
        choose(d.editor("RegimeFiscale"), "RF01");
        choose(d.editor("Provincia"), "RM");
        // Fields of a section follow its flag.
        EXPECT_FALSE(d.editor("Iscrizione_REA_NumeroREA")->isEnabled());
        qobject_cast<QCheckBox*>(d.editor("Iscrizione_REA"))->setChecked(true);
        EXPECT_TRUE(d.editor("Iscrizione_REA_NumeroREA")->isEnabled());
        type(d.editor("Iscrizione_REA_NumeroREA"), "RM-123456");
        type(d.editor("Iscrizione_REA_CapitaleSociale"), "10.000,00");
        type(d.editor("Tel"), "+39 049 8761234");
        interaction.messages.clear();
        interaction.texts.enqueue(logo);
        d.findChild<QPushButton*>("btnCaricaLogo")->click();
        EXPECT_FALSE(d.logoEditor()->logo().isEmpty());
        ASSERT_TRUE(d.save());
        // A phone too long for electronic invoices is said when saved.
        EXPECT_EQ(interaction.texts_of("warning").size(), 1);
        EXPECT_TRUE(interaction.texts_of("warning").value(0).contains("+39 049 8761234"));
    }
    const db::Row row = db().query("select * from ditta").first();
    EXPECT_EQ(row.text("RagSoc"), "Onoranze Funebri Rossi");
    EXPECT_EQ(row.text("CodEori"), "IT01234567890");
    EXPECT_EQ(row.date("DataIscrizioneAlbo"), QDate(2020, 3, 5));
    EXPECT_EQ(row.text("RegimeFiscale"), "RF01");
    EXPECT_EQ(row.text("Provincia"), "RM");
    EXPECT_TRUE(row.boolean("Iscrizione_REA"));
    EXPECT_DOUBLE_EQ(row.number("Iscrizione_REA_CapitaleSociale"), 10000.0);
    EXPECT_EQ(row.value("Logo").toByteArray(), png());
    EXPECT_EQ(app::StartupSequence::caption(db()), "Ossarion - Onoranze Funebri Rossi");

    registries::ui::CompanyDialog d(context);
    EXPECT_EQ(d.logoEditor()->logo(), png());
    EXPECT_EQ(qobject_cast<QLineEdit*>(d.editor("DataIscrizioneAlbo"))->text(), "05/03/2020");
    d.findChild<QPushButton*>("btnRimuoviLogo")->click();
    EXPECT_TRUE(d.isModified());
    interaction.messages.clear();
    ASSERT_TRUE(d.save());
    // Once: saving again with the same phone says nothing more.
    EXPECT_TRUE(interaction.texts_of("warning").isEmpty());
    EXPECT_TRUE(db().query("select Logo from ditta").first().isNull("Logo"));
}

TEST_F(Shell, HelpOpensThePageOfTheWindow) {
    MainWindow w(context, registry);
    EXPECT_TRUE(::ui::HelpWindow::pageFor(&w).endsWith("finestra-principale.html"));
    app::ui::OptionsDialog options(context, &w);
    EXPECT_TRUE(::ui::HelpWindow::pageFor(options.editor("SmtpHost")).endsWith("opzioni.html"));
    ::ui::HelpWindow* help = ::ui::HelpWindow::showFor(options.editor("SmtpHost"));
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->currentPage().endsWith("opzioni.html"));
    EXPECT_TRUE(help->browser()->toPlainText().contains("Marca da bollo"));
    ::ui::HelpWindow::closeAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_TRUE(options.findChildren<::ui::HelpWindow*>().isEmpty());

    // F1 from any field opens the help of its window.
    ::ui::installHelpKey();
    QTest::keyClick(options.editor("SmtpHost"), Qt::Key_F1);
    ::ui::HelpWindow* byKey = options.findChild<::ui::HelpWindow*>();
    ASSERT_NE(byKey, nullptr);
    EXPECT_TRUE(byKey->currentPage().endsWith("opzioni.html"));
    ::ui::HelpWindow::closeAll();
}

// Pictures of the main screens for a person to look at:
// OSSARION_SCREENSHOTS=/tmp/shots ./test_app_ui --gtest_filter='*Screenshots*'
TEST_F(Shell, Screenshots) {
    if (uitest::screenshotFolder().isEmpty())
        GTEST_SKIP() << "OSSARION_SCREENSHOTS not set";
    db().exec("update ditta set RagSoc = 'Onoranze Funebri Rossi s.r.l.'");
    screens::registerAllScreens(registry);
    MainWindow w(context, registry);
    w.setCaption(app::StartupSequence::caption(db()));
    w.show();
    w.resize(1350, 690); // a 1366×768 laptop
    for (int i = 0; i < w.tabs()->count(); ++i) {
        w.tabs()->setCurrentIndex(i);
        uitest::screenshot(
            &w, QStringLiteral("main_%1_%2").arg(i).arg(w.tabs()->widget(i)->objectName()));
    }
    app::ui::OptionsDialog options(context, &w);
    options.show();
    for (int i = 0; i < options.pageCount(); ++i) {
        options.findChild<QListWidget*>("lstPagine")->setCurrentRow(i);
        uitest::screenshot(&options, QStringLiteral("options_%1").arg(i));
    }
    registries::ui::CompanyDialog company(context, &w);
    company.logoEditor()->setLogo(png());
    company.show();
    for (int i = 0; i < company.pageCount(); ++i) {
        company.findChild<QListWidget*>("lstPagine")->setCurrentRow(i);
        uitest::screenshot(&company, QStringLiteral("company_%1").arg(i));
    }
    app::ReminderList due;
    due.header = QStringList{"Data Scadenza", "Operazione", "Cliente", "Fornitore", "Importo",
                             "Mod.Pagamento", "Note",       "id_scad", "Tipo"};
    due.rows = {
        {"01/02/2026", "Fattura 3/2026", "Rossi Anna", "", "1.250,00", "Bonifico", "", "7", "F"}};
    due.ids = {7};
    app::ReminderList notices;
    notices.header = QStringList{"Data", "Tipologia", "Cliente", "Personale", "Note"};
    app::ui::ReminderDialog reminder(due, notices, context, registry, &w);
    reminder.show();
    uitest::screenshot(&reminder, "reminder");
    auto* help = ::ui::HelpWindow::showFor(&w);
    uitest::screenshot(help, "help");
    ::ui::HelpWindow::closeAll();
}
