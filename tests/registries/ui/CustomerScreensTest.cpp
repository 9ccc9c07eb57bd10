#include "registries/ui/CustomerScreens.h"

#include "ModalWindows.h"
#include "ScreenArchive.h"
#include "ScreenHelpers.h"
#include "registries/CustomerRules.h"
#include "registries/ui/ArticleScreens.h"
#include "registries/ui/SupplierScreens.h"
#include "ui/DataGrid.h"
#include "ui/FieldEditors.h"
#include "ui/RecordModel.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace uitest;
using registries::ui::CustomerCard;
using registries::ui::CustomerList;
using Screens = ScreenArchive;

TEST(CustomerScreens, NewCustomerIsListedUnderItsDerivedName) {
    FOR_EACH_ENGINE(engine) {
        Screens s(engine);
        CustomerList list(s.context);
        list.show();
        ASSERT_EQ(list.grid()->records()->rowCount(), 0);

        bool ran = false;
        onNextModal<CustomerCard>([&](CustomerCard* card) {
            ran = true;
            EXPECT_TRUE(card->isNew());
            EXPECT_TRUE(card->privateButton()->isChecked());
            EXPECT_FALSE(card->editor("Cliente")->isEnabled());
            typeInto(line(card, "Cognome"), "Rossi");
            typeInto(line(card, "Nome"), "Anna");
            typeInto(line(card, "CodFiscale"), "rssnna50b41h501e");
            typeInto(line(card, "DataNascita"), "01021950");
            // The names follow the typing before the save.
            EXPECT_EQ(card->value("NominativoVisualizzato").toString(),
                      "Rossi Anna - RSSNNA50B41H501E - 01/02/1950");
            // "Salva" keeps the card open and says so for a few seconds.
            card->findChild<QPushButton*>(QStringLiteral("spdSalva"))->click();
            EXPECT_EQ(card->findChild<QStatusBar*>()->currentMessage(), QStringLiteral("Salvato"));
            card->backButton()->click();
        });
        list.addButtonWidget()->click();
        ASSERT_TRUE(ran);

        ASSERT_EQ(list.grid()->records()->rowCount(), 1);
        EXPECT_EQ(shown(list.grid(), 0, "NominativoVisualizzato"),
                  "Rossi Anna - RSSNNA50B41H501E - 01/02/1950");
        db::Database& d = s.archive.db();
        EXPECT_EQ(d.scalar("select NominativoDocumenti from Clienti").toString(), "Rossi Anna");
        EXPECT_EQ(d.query("select DataNascita from Clienti").first().date("DataNascita"),
                  QDate(1950, 2, 1));
        // A correct tax code raised no warning.
        EXPECT_TRUE(s.interaction.messages.isEmpty());
    }
}

TEST(CustomerScreens, CompanyCategoryColourAndNonBlockingWarnings) {
    Screens s;
    db::Database& d = s.archive.db();
    d.insert("ClientiCategoria", {{"Descrizione", "Parrocchie"}, {"ColoreCategoria", 0x00ff00}});
    const qint64 id = registries::CustomerRules::insertNew(d);
    d.exec("update Clienti set Cognome = 'Verdi', Nome = 'Luca', NominativoDocumenti = 'Verdi "
           "Luca', NominativoVisualizzato = 'Verdi Luca' where ID = ?",
           {id});
    const qint64 invoice = d.insert("fattura", {{"Cliente_ID", id}, {"Cliente", "Verdi Luca"}});

    CustomerList list(s.context);
    list.show();
    bool ran = false;
    onNextModal<CustomerCard>([&](CustomerCard* card) {
        ran = true;
        card->companyButton()->click();
        EXPECT_TRUE(card->editor("Cliente")->isEnabled());
        // Saving a company without its name fails on that field, nothing written.
        card->saveButton()->click();
        ASSERT_EQ(s.interaction.texts_of("error"),
                  QStringList{"Attenzione manca la ragione sociale"});
        typeInto(line(card, "Cliente"), "Parrocchia San Marco");

        auto* category = qobject_cast<QComboBox*>(card->editor("Categoria_ID"));
        category->setCurrentIndex(category->findText("Parrocchie"));
        emit category->activated(category->currentIndex());
        EXPECT_EQ(card->value("ColoreCategoria").toLongLong(), 0x00ff00);

        // A wrong VAT number warns when the field is left, once, and does not block.
        typeInto(line(card, "Iva"), "01234567890");
        emit line(card, "Iva")->editingFinished();
        EXPECT_EQ(s.interaction.texts_of("warning"),
                  QStringList{"Attenzione la cifra di controllo della partita IVA non è corretta"});
        card->backButton()->click();
    });
    list.openCurrent();
    ASSERT_TRUE(ran);

    EXPECT_EQ(s.interaction.texts_of("warning").size(), 1);
    EXPECT_EQ(shown(list.grid(), 0, "NominativoVisualizzato"), "Parrocchia San Marco");
    EXPECT_EQ(shown(list.grid(), 0, "Categoria"), "Parrocchie");
    EXPECT_EQ(d.scalar("select ColoreCategoria from Clienti").toLongLong(), 0x00ff00);
    EXPECT_EQ(d.scalar("select Iva from Clienti").toString(), "01234567890");
    EXPECT_EQ(d.scalar("select Cliente from fattura where ID = ?", {invoice}).toString(),
              "Parrocchia San Marco");
}

TEST(CustomerScreens, VCardExportOfTheSelectedRowsAndImport) {
    Screens s;
    db::Database& d = s.archive.db();
    for (const char* surname : {"Alfa", "Beta", "Gamma"}) {
        db::RegistryRecord r;
        r["Cognome"] = surname;
        r["Nome"] = "Prova";
        ASSERT_FALSE(
            registries::CustomerRules::save(d, r, registries::CustomerKind::Private).has_value());
    }
    CustomerList list(s.context);
    list.show();
    list.grid()->selectRow(0);
    list.grid()->selectionModel()->select(list.grid()->model()->index(2, 0),
                                          QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QTemporaryDir dir;
    const QString path = dir.filePath("clienti.vcf");
    s.interaction.texts.enqueue(path);
    list.exportButton()->click();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray data = file.readAll();
    EXPECT_EQ(data.count("BEGIN:VCARD"), 2);
    EXPECT_TRUE(data.contains("FN:Alfa Prova"));
    EXPECT_TRUE(data.contains("FN:Gamma Prova"));
    EXPECT_FALSE(data.contains("Beta"));
    file.close();

    s.interaction.texts.enqueue(path);
    list.importButton()->click();
    EXPECT_EQ(s.interaction.texts_of("information").last(), "Contatti importati: 2");
    EXPECT_EQ(list.grid()->records()->rowCount(), 5);
}

TEST(ArticleScreens, PriceIncludingVatFollowsOnTheCard) {
    Screens s;
    db::Database& d = s.archive.db();
    const qint64 vat10 = d.insert("Iva", {{"Descrizione", "Aliquota 10%"}, {"Iva", 10.0}});
    registries::ui::ArticleList list(s.context);
    list.show();
    bool ran = false;
    onNextModal<registries::ui::ArticleCard>([&](registries::ui::ArticleCard* card) {
        ran = true;
        typeInto(line(card, "Descrizione"), "Trasporto salma");
        typeInto(line(card, "Prezzo"), "100");
        EXPECT_EQ(line(card, "PrezzoCompleto")->text(), "122,00"); // default rate 22%
        auto* vat = qobject_cast<QComboBox*>(card->editor("Iva_Id"));
        vat->setCurrentIndex(vat->findData(vat10));
        emit vat->activated(vat->currentIndex());
        EXPECT_EQ(line(card, "PrezzoCompleto")->text(), "110,00");
        typeInto(line(card, "PrezzoCompleto"), "55");
        EXPECT_EQ(line(card, "Prezzo")->text(), "50,00");
        card->backButton()->click();
    });
    list.addButtonWidget()->click();
    ASSERT_TRUE(ran);
    const db::Row row = d.query("select * from prezziar").first();
    EXPECT_DOUBLE_EQ(row.number("Prezzo"), 50.0);
    EXPECT_DOUBLE_EQ(row.number("PrezzoCompleto"), 55.0);
    EXPECT_DOUBLE_EQ(row.number("AliquotaIva"), 10.0);
    EXPECT_EQ(row.date("DataInserimento"), QDate::currentDate());
}

TEST(SupplierScreens, WithoutCompanyNameIsListedByPerson) {
    Screens s;
    registries::ui::SupplierList list(s.context);
    list.show();
    bool ran = false;
    onNextModal<registries::ui::SupplierCard>([&](registries::ui::SupplierCard* card) {
        ran = true;
        typeInto(line(card, "Cognome"), "Neri");
        typeInto(line(card, "Nome"), "Paolo");
        card->backButton()->click();
    });
    list.addButtonWidget()->click();
    ASSERT_TRUE(ran);
    ASSERT_EQ(list.grid()->records()->rowCount(), 1);
    EXPECT_EQ(shown(list.grid(), 0, "Fornitore"), "Neri Paolo");
}

// Pictures of the customer screens for a look by eye: written when
// OSSARION_SCREENSHOTS names a folder.
TEST(CustomerScreens, Screenshots) {
    if (screenshotFolder().isEmpty())
        GTEST_SKIP() << "OSSARION_SCREENSHOTS not set";
    Screens s;
    db::Database& d = s.archive.db();
    const qint64 red = d.insert("ClientiCategoria",
                                {{"Descrizione", "Parrocchie"}, {"ColoreCategoria", 0x8080ff}});
    const qint64 blue =
        d.insert("ClientiCategoria", {{"Descrizione", "Privati"}, {"ColoreCategoria", 0xffc080}});
    const QList<QStringList> people = {
        {"Rossi", "Anna", "RSSNNA50B41H501E", "Roma", "RM"},
        {"Bianchi", "Luca", "", "Milano", "MI"},
        {"D'Alò", "Niccolò", "", "Forlì", "FC"},
    };
    for (const QStringList& p : people) {
        db::RegistryRecord r;
        r["Cognome"] = p[0];
        r["Nome"] = p[1];
        r["CodFiscale"] = p[2];
        r["Citta"] = p[3];
        r["Provincia"] = p[4];
        r["Telefono"] = "06 1234567";
        registries::CustomerRules::chooseCategory(d, r, blue);
        ASSERT_FALSE(
            registries::CustomerRules::save(d, r, registries::CustomerKind::Private).has_value());
    }
    db::RegistryRecord company;
    company["Cliente"] = "Parrocchia San Marco";
    company["Iva"] = "01234567897";
    registries::CustomerRules::chooseCategory(d, company, red);
    ASSERT_FALSE(
        registries::CustomerRules::save(d, company, registries::CustomerKind::Company).has_value());

    CustomerList list(s.context);
    list.resize(1100, 500);
    list.show();
    screenshot(&list, "clienti-elenco");
    onNextModal<CustomerCard>([&](CustomerCard* card) {
        auto* tabs = card->findChild<QTabWidget*>();
        for (int i = 0; tabs && i < tabs->count(); ++i) {
            tabs->setCurrentIndex(i);
            screenshot(card, QString("clienti-scheda-%1").arg(i));
        }
        card->cancelButton()->click();
    });
    list.openCurrent();
    registries::ui::ArticleList articles(s.context);
    articles.show();
    onNextModal<registries::ui::ArticleCard>([&](registries::ui::ArticleCard* card) {
        screenshot(card, "articoli-scheda");
        card->cancelButton()->click();
    });
    articles.addButtonWidget()->click();
}
