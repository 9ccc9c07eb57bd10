#include "QtPrinters.h"
#include "app/ExternalProgram.h"
#include "app/HistoryRange.h"
#include "app/MainMenu.h"
#include "app/Permissions.h"
#include "app/VideoTopics.h"
#include "common/Installation.h"
#include "common/ScriptedInteraction.h"
#include "ui/HelpPages.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using app::HistoryRange;
using app::MainMenu;

// The window's tabs and buttons and the keys the permissions file grants
// must name the same things, or a granted button stays hidden.
TEST(MainMenu, KeyedButtonsMatchThePermissionKeys) {
    const QList<app::TabKeys>& keys = app::mainWindowTabKeys();
    QList<const app::MenuTab*> keyedTabs;
    for (const app::MenuTab& t : MainMenu::tabs())
        if (!t.key.isEmpty())
            keyedTabs.append(&t);
    ASSERT_EQ(keyedTabs.size(), keys.size());
    for (int i = 0; i < keys.size(); ++i) {
        EXPECT_EQ(keyedTabs[i]->key, keys[i].tabKey);
        QStringList menuKeys;
        for (const app::MenuButton& b : keyedTabs[i]->buttons)
            if (b.keyed)
                menuKeys.append(b.key());
        EXPECT_EQ(menuKeys, keys[i].buttonKeys) << keys[i].tabKey.toStdString();
    }
}

TEST(MainMenu, TabsAndNamesAreAsTheWindowShowsThem) {
    EXPECT_EQ(MainMenu::tabTitles(),
              QStringList({"Archivio", "Attività", "Documenti Clienti", "Documenti Fornitori",
                           "Stampe", "Storico", "Scadenziario", "Utility", "Video"}));
    QStringList names;
    for (const app::MenuTab& t : MainMenu::tabs())
        for (const app::MenuButton& b : t.buttons) {
            EXPECT_FALSE(names.contains(b.name.toUpper())) << b.name.toStdString();
            names.append(b.name.toUpper());
        }
    ASSERT_NE(MainMenu::findButton("BTNCLIENTI"), nullptr);
    EXPECT_EQ(MainMenu::findButton("btnclienti")->caption, "Clienti");
    EXPECT_FALSE(MainMenu::findButton("btnBuoni")->hidden);
    EXPECT_FALSE(MainMenu::findButton("btnAreeCimitero")->keyed);
    EXPECT_TRUE(MainMenu::isHistoryButton("btnStoricoCalendario"));
    EXPECT_FALSE(MainMenu::isHistoryButton("btnStampaCalendario"));
    EXPECT_TRUE(MainMenu::historyAcrossYears("btnStoricoFattureFornitori"));
    EXPECT_FALSE(MainMenu::historyAcrossYears("btnStoricoNoteCreditoFornitori"));
}

TEST(HistoryRange, ChecksInOrder) {
    HistoryRange r;
    auto f = HistoryRange::read("  /  /    ", "  /  /    ", true, &r);
    ASSERT_TRUE(f);
    EXPECT_EQ(f->title, "Messaggio di avviso!!");
    EXPECT_EQ(f->text, "Attenzione E' necessario definire la data di inizio...");
    EXPECT_EQ(f->field, "maskDallaData");

    f = HistoryRange::read("01/01/2026", "__/__/____", true, &r);
    ASSERT_TRUE(f);
    EXPECT_EQ(f->text, "Attenzione E' necessario definire la data di fine...");
    EXPECT_EQ(f->field, "maskAllaData");

    f = HistoryRange::read("31/02/2026", "01/03/2026", true, &r);
    ASSERT_TRUE(f);
    EXPECT_EQ(f->field, "maskDallaData");

    const QString sameYear = "Attenzione E' necessario che la data di inizio e la data di fine "
                             "abbiano lo stesso anno...";
    f = HistoryRange::read("15/12/2025", "10/01/2026", true, &r);
    ASSERT_TRUE(f);
    EXPECT_EQ(f->text, sameYear);
    // Supplier invoices accept a range across years.
    EXPECT_FALSE(HistoryRange::read("15/12/2025", "10/01/2026", false, &r));
    EXPECT_EQ(r.from, QDate(2025, 12, 15));
    EXPECT_EQ(r.to, QDate(2026, 1, 10));
}

TEST(HistoryRange, ConditionTakesTheWholeLastDay) {
    HistoryRange r{QDate(2025, 1, 5), QDate(2025, 12, 1)};
    EXPECT_EQ(r.condition(), "WHERE Data >= #1/5/2025# AND Data <= #12/1/2025 23.59.59#");
    EXPECT_EQ(r.condition("DataRegistrazione"),
              "WHERE DataRegistrazione >= #1/5/2025# AND DataRegistrazione <= #12/1/2025 "
              "23.59.59#");
}

TEST(VideoTopics, ReadsTitleAndAddressLines) {
    const auto topics = app::VideoTopics::parse("# commento\n\nFatture | https://esempio.it/a\n"
                                                "senza indirizzo |\nriga sbagliata\n"
                                                " Contratti |https://esempio.it/b \n");
    ASSERT_EQ(topics.size(), 2);
    EXPECT_EQ(topics[0].title, "Fatture");
    EXPECT_EQ(topics[0].address, "https://esempio.it/a");
    EXPECT_EQ(topics[1].title, "Contratti");
    EXPECT_EQ(topics[1].address, "https://esempio.it/b");
}

TEST(HelpPages, WindowNamesLeadToTheirPage) {
    QTemporaryDir dir;
    for (const char* page : {"index.html", "clienti.html", "tabelle.html", "opzioni.html"}) {
        QFile f(dir.filePath(page));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    QFile map(dir.filePath("pagine.txt"));
    ASSERT_TRUE(map.open(QIODevice::WriteOnly));
    map.write(
        "# commento\nTfrmOpzioni  opzioni.html\nBanche\ttabelle.html\nMancante nessuna.html\n");
    map.close();

    ::ui::HelpPages help(dir.path());
    EXPECT_EQ(::ui::HelpPages::entityOf("frmGrigliaClienti"), "Clienti");
    EXPECT_EQ(::ui::HelpPages::entityOf("TfrmClientiDettaglio"), "Clienti");
    EXPECT_EQ(::ui::HelpPages::entityOf("TForm1"), "TForm1");

    EXPECT_EQ(help.pageFor({"TfrmOpzioni", "TForm1"}), dir.filePath("opzioni.html"));
    EXPECT_EQ(help.pageFor({"frmBancheDettaglio"}), dir.filePath("tabelle.html"));
    // No mapping: a page named after the entity.
    EXPECT_EQ(help.pageFor({"frmGrigliaClienti"}), dir.filePath("clienti.html"));
    // An inner window without a page falls back on its owner's page.
    EXPECT_EQ(help.pageFor({"frmSconosciuto", "frmGrigliaClienti"}), dir.filePath("clienti.html"));
    // A mapping to a missing file is ignored.
    EXPECT_EQ(help.pageFor({"frmMancante"}), dir.filePath("index.html"));
    EXPECT_EQ(help.pageFor({}), dir.filePath("index.html"));
}

// The shipped help: every page named by the map and every link exists.
TEST(HelpPages, ShippedPagesAreComplete) {
    const QDir folder(common::Installation::dataFolder("help"));
    ASSERT_TRUE(folder.exists("index.html"));
    ::ui::HelpPages help;
    for (const char* window :
         {"TForm1", "TfrmOpzioni", "TfrmDitta", "TfrmPromemoria", "TfrmGrigliaClienti",
          "TfrmClientiDettaglio", "frmFornitori", "Form2", "Form2Dettaglio", "frmGrigliaBanche",
          "frmComuniDettaglio", "frmGrigliaIva", "frmArchivioTipologie", "frmGrigliaModPagamento"})
        EXPECT_NE(help.pageFor({window}), help.indexPage()) << window;

    static const QRegularExpression href(QStringLiteral("href=\"([^\"#:]+)(#[^\"]*)?\""));
    for (const QString& page : folder.entryList({"*.html"})) {
        QFile f(folder.filePath(page));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(f.readAll());
        EXPECT_TRUE(html.contains("<title>")) << page.toStdString();
        for (const auto& m : href.globalMatch(html))
            EXPECT_TRUE(folder.exists(m.captured(1)))
                << page.toStdString() << " -> " << m.captured(1).toStdString();
    }
}

TEST(ExternalProgram, FoundInTheFolderOrReportedMissing) {
    QTemporaryDir dir;
    const QString script = dir.filePath("Esportazioni");
    {
        QFile f(script);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("#!/bin/sh\nexit 0\n");
        f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
    }
    EXPECT_EQ(app::ExternalProgram::find("Esportazioni.exe", {dir.path()}), script);
    EXPECT_TRUE(app::ExternalProgram::find("Tessarin", {dir.path()}).isEmpty());

    common::ScriptedInteraction ui;
    EXPECT_FALSE(app::ExternalProgram::start("Tessarin", {"7"}, ui, {dir.path()}));
    ASSERT_EQ(ui.messages.size(), 1);
    EXPECT_EQ(ui.messages[0].kind, "warning");
    EXPECT_TRUE(ui.messages[0].text.contains("Tessarin"));
    EXPECT_TRUE(app::ExternalProgram::start("Esportazioni", {}, ui, {dir.path()}));
    EXPECT_EQ(ui.messages.size(), 1);
}
