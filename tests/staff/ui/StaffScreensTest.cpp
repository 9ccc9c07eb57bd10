#include "staff/ui/StaffScreens.h"

#include "ModalWindows.h"
#include "ScreenArchive.h"
#include "ScreenHelpers.h"
#include "app/StartupSequence.h"
#include "app/ui/MainWindow.h"
#include "app/ui/ReminderDialog.h"
#include "app/ui/Screens.h"
#include "printing/ReportCodes.h"
#include "staff/ui/DependentList.h"
#include "staff/ui/SalaryCard.h"
#include "staff/ui/StaffCard.h"
#include "staff/ui/StaffList.h"
#include "staff/ui/StaffPrintDialog.h"
#include "ui/CardScreen.h"
#include "ui/DataGrid.h"
#include "ui/RecordModel.h"
#include "ui/ScreenRegistry.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace uitest;
using staff::ui::DependentList;
using staff::ui::StaffCard;
using staff::ui::StaffList;

namespace {

QPushButton* buttonOf(QWidget* w, const char* name) {
    return w->findChild<QPushButton*>(QString::fromLatin1(name));
}

int rows(ui::DataGrid* grid) {
    return grid->records()->rowCount();
}

} // namespace

TEST(StaffScreens, PersonWithACostAddedThroughTheMainWindow) {
    FOR_EACH_ENGINE(engine) {
        SCOPED_TRACE(engine == db::Engine::SQLite ? "SQLite" : "PostgreSQL");
        ScreenArchive s(engine);
        db::Database& db = s.db();
        const qint64 fuel = db.insert("TipologiaCostiPersonale", {{"Descrizione", "Carburante"}});

        ui::ScreenRegistry registry;
        screens::registerAllScreens(registry);
        app::ui::MainWindow main(s.context, registry);
        QPushButton* button = main.button("btnPersonale");
        ASSERT_TRUE(button);
        EXPECT_TRUE(button->isEnabled());
        for (const char* table :
             {"frmGrigliaCategoriePersonale", "frmGrigliaTipologiaCostiPersonale",
              "frmGrigliaTipologiaScadenzePersonale", "scadenzaPersonale"})
            EXPECT_TRUE(registry.has(table)) << table;

        qint64 person = 0;
        onNextModal<StaffList>([&](StaffList* list) {
            EXPECT_EQ(rows(list->grid()), 0);
            onNextModal<StaffCard>([&](StaffCard* card) {
                person = card->key();
                // The country comes filled; the name is asked for first, even
                // when nothing was typed.
                card->backButton()->click();
                EXPECT_EQ(s.interaction.texts_of("error"),
                          QStringList{"Attenzione manca il nominativo !"});
                ASSERT_TRUE(card->isVisible());
                typeInto(line(card, "Personale"), "Neri Luca");

                // The rates are computed from the monthly pay.
                buttonOf(card, "btnCalcolaGiornaliera")->click();
                EXPECT_EQ(s.interaction.texts_of("error").value(1),
                          "Attenzione Inserisci la paga mensile per poter calcolare la tariffa "
                          "giornaliera!");
                typeInto(line(card, "PagaMensile"), "1000");
                buttonOf(card, "btnCalcolaGiornaliera")->click();
                buttonOf(card, "btnCalcolaOraria")->click();
                EXPECT_EQ(line(card, "TariffaGiornaliera")->text(), "47,62");
                EXPECT_EQ(line(card, "TariffaOraria")->text(), "5,95");

                // A cost: its card checks the type and the amount.
                DependentList* costs = card->costs();
                onNextModal<ui::CardScreen>([&](ui::CardScreen* cost) {
                    EXPECT_EQ(line(cost, "Data")->text(),
                              QDate::currentDate().toString("dd/MM/yyyy"));
                    cost->backButton()->click();
                    EXPECT_EQ(s.interaction.texts_of("error").value(2),
                              "Attenzione manca la Tipologia");
                    choose(cost->editor("TipologiaCosto_id"), fuel);
                    cost->backButton()->click();
                    EXPECT_EQ(s.interaction.texts_of("error").value(3),
                              "Attenzione manca l' Importo");
                    typeInto(line(cost, "Importo"), "12,50");
                    cost->backButton()->click();
                    EXPECT_FALSE(cost->isVisible());
                });
                buttonOf(costs, "btnNuovo")->click();
                ASSERT_EQ(rows(costs->grid()), 1);
                EXPECT_EQ(shown(costs->grid(), 0, "Tipologia"), "Carburante");

                // A new deadline given up with "Annulla" leaves no row.
                s.interaction.answers.enqueue(true);
                onNextModal<ui::CardScreen>(
                    [&](ui::CardScreen* deadline) { deadline->cancelButton()->click(); });
                buttonOf(card->deadlines(), "btnNuovo")->click();
                EXPECT_EQ(rows(card->deadlines()->grid()), 0);
                EXPECT_EQ(s.interaction.texts_of("question").value(0),
                          "Sei sicuro di voler annullare l'inserimento ?");
                screenshot(card, "staff-card");
                card->backButton()->click();
                EXPECT_FALSE(card->isVisible());
            });
            list->addButtonWidget()->click();
            ASSERT_EQ(rows(list->grid()), 1);
            EXPECT_EQ(shown(list->grid(), 0, "Personale"), "Neri Luca");
            screenshot(list, "staff-list");
            list->backButton()->click();
        });
        button->click();

        const db::Row row = db.query("select * from Personale where ID = ?", {person}).first();
        EXPECT_EQ(row.text("Personale"), "Neri Luca");
        EXPECT_EQ(row.text("IdPaese"), "IT");
        EXPECT_DOUBLE_EQ(row.number("TariffaOraria"), 5.95);
        const db::Result costRows =
            db.query("select * from PersonaleCosti where Personale_ID = ?", {person});
        ASSERT_EQ(costRows.size(), 1u);
        EXPECT_DOUBLE_EQ(costRows.first().number("Importo"), 12.5);
        EXPECT_EQ(costRows.first().integer("TipologiaCosto_id"), fuel);
        EXPECT_EQ(db.scalar("select count(*) from PersonaleScadenze").toInt(), 0);
    }
}

TEST(StaffScreens, SalaryCardComputesItsPartialTotal) {
    ScreenArchive s;
    db::Database& db = s.db();
    const qint64 person = db.insert(
        "Personale", {{"Personale", "Neri Luca"}, {"IdPaese", "IT"}, {"PagaMensile", 1000.0}});
    StaffCard card(s.context, staff::ui::staffDefinition(), person, false);
    card.show();
    screenshot(&card, "staff-card-general");
    DependentList* salaries = card.salaries();
    onNextModal<ui::CardScreen>([&](ui::CardScreen* salary) {
        EXPECT_EQ(line(salary, "Anno")->text(), QString::number(QDate::currentDate().year()));
        EXPECT_EQ(line(salary, "Base")->text(), "1.000,00");
        typeInto(line(salary, "Trasferta"), "100");
        typeInto(line(salary, "Addebiti"), "50");
        typeInto(line(salary, "Accrediti"), "30");
        buttonOf(salary, "btnCalcola")->click();
        EXPECT_EQ(line(salary, "TotaleParziale")->text(), "1.120,00");
        screenshot(salary, "staff-salary");
        salary->backButton()->click();
        EXPECT_EQ(s.interaction.texts_of("error").value(0),
                  "Attenzione manca l' Importo del bonifico");
        typeInto(line(salary, "ImportoBonifico"), "1120");
        salary->backButton()->click();
        EXPECT_EQ(s.interaction.texts_of("error").value(1), "Attenzione manca il Mese");
        typeInto(line(salary, "Mese"), "4");
        salary->backButton()->click();
        EXPECT_FALSE(salary->isVisible());
    });
    buttonOf(salaries, "btnNuovo")->click();
    ASSERT_EQ(rows(salaries->grid()), 1);
    EXPECT_DOUBLE_EQ(
        db.query("select TotaleParziale from PersonaleStipendi").first().number("TotaleParziale"),
        1120.0);

    // Deleting asks its question first; No keeps the row.
    salaries->grid()->selectKey(salaries->grid()->keyAt(0));
    s.interaction.answers.enqueue(false);
    buttonOf(salaries, "btnElimina")->click();
    EXPECT_EQ(s.interaction.texts_of("question").last(),
              "Sei sicuro di voler eliminare lo Stipendio ?");
    EXPECT_EQ(rows(salaries->grid()), 1);
    s.interaction.answers.enqueue(true);
    buttonOf(salaries, "btnElimina")->click();
    EXPECT_EQ(rows(salaries->grid()), 0);
}

TEST(StaffScreens, ListSearchesHidesCancelledAndExportsTheSelected) {
    FOR_EACH_ENGINE(engine) {
        SCOPED_TRACE(engine == db::Engine::SQLite ? "SQLite" : "PostgreSQL");
        ScreenArchive s(engine);
        db::Database& db = s.db();
        const qint64 drivers = db.insert("CategoriePersonale", {{"Descrizione", "Autisti"}});
        const qint64 town = db.insert("Comuni", {{"Comune", "Bergamo"}, {"Provincia", "BG"}});
        const auto person = [&db](const QString& name, const QVariant& category,
                                  const QVariant& comune, bool cancelled) {
            return db.insert("Personale", {{"Personale", name},
                                           {"IdPaese", "IT"},
                                           {"CategoriaPersonale_ID", category},
                                           {"Comune_Id", comune},
                                           {"Annullato", cancelled},
                                           {"PrivacyFirmata", false}});
        };
        const qint64 luca = person("Neri Luca", drivers, town, false);
        person("Blu Anna", QVariant(), QVariant(), false);
        person("Verdi Ex", drivers, town, true);

        StaffList list(s.context);
        ASSERT_EQ(rows(list.grid()), 2);
        EXPECT_EQ(shown(list.grid(), 1, "Categoria"), "Autisti");
        EXPECT_EQ(shown(list.grid(), 1, "NomeComune"), "Bergamo");
        list.showCancelledBox()->setChecked(true);
        EXPECT_EQ(rows(list.grid()), 3);
        list.showCancelledBox()->setChecked(false);

        typeInto(list.searchBox("CategoriePersonale.Descrizione"), "aut");
        list.refresh();
        ASSERT_EQ(rows(list.grid()), 1);
        EXPECT_EQ(list.grid()->keyAt(0), luca);
        list.searchBox("CategoriePersonale.Descrizione")->clear();
        typeInto(list.searchBox("Comuni.Comune"), "Ber");
        list.refresh();
        ASSERT_EQ(rows(list.grid()), 1);

        QTemporaryDir dir;
        const QString file = dir.filePath("personale.vcf");
        s.interaction.texts.enqueue(file);
        list.grid()->selectKey(luca);
        list.exportVCard();
        QFile written(file);
        ASSERT_TRUE(written.open(QIODevice::ReadOnly));
        const QByteArray cards = written.readAll();
        EXPECT_EQ(cards.count("BEGIN:VCARD"), 1);
        EXPECT_TRUE(cards.contains("FN:Neri Luca"));

        // Read back, the card becomes one more person in the list.
        list.searchBox("Comuni.Comune")->clear();
        list.refresh();
        s.interaction.texts.enqueue(file);
        click(&list, "btnImportaVCard");
        EXPECT_EQ(rows(list.grid()), 3);
        EXPECT_EQ(s.interaction.texts_of("information").value(1), "Contatti importati: 1")
            << s.interaction.texts_of("error").join(",").toStdString();
    }
}

TEST(StaffScreens, ReminderOpensTheStaffDeadlineToMarkItDone) {
    ScreenArchive s;
    db::Database& db = s.db();
    const qint64 person = db.insert(
        "Personale", {{"Personale", "Neri Luca"}, {"IdPaese", "IT"}, {"Annullato", false}});
    const QDate today = QDate::currentDate();
    const qint64 deadline = db.insert("PersonaleScadenze", {{"Personale_ID", person},
                                                            {"Descrizione", "Patente C"},
                                                            {"DataScadenza", today.addDays(20)},
                                                            {"DataAvviso", today},
                                                            {"Validato", false}});
    ui::ScreenRegistry registry;
    screens::registerAllScreens(registry);
    app::ui::ReminderDialog reminder({}, app::StartupSequence::calendarNotices(db, today),
                                     s.context, registry);
    ASSERT_EQ(reminder.noticesTable()->rowCount(), 1);
    EXPECT_EQ(reminder.noticesTable()->item(0, 3)->text(), "Neri Luca");
    onNextModal<ui::CardScreen>([&](ui::CardScreen* card) {
        EXPECT_EQ(card->key(), deadline);
        EXPECT_EQ(line(card, "Descrizione")->text(), "Patente C");
        auto* done = qobject_cast<QCheckBox*>(card->editor("Validato"));
        ASSERT_TRUE(done);
        done->click();
        card->backButton()->click();
    });
    EXPECT_TRUE(reminder.openNotice(0));
    EXPECT_TRUE(app::StartupSequence::calendarNotices(db, today).rows.isEmpty());
}

TEST(StaffScreens, PrintScreenBuildsTheRequestOfItsChoices) {
    ScreenArchive s;
    db::Database& db = s.db();
    const qint64 person = db.insert(
        "Personale", {{"Personale", "Neri Luca"}, {"IdPaese", "IT"}, {"Annullato", false}});
    db.insert("Personale", {{"Personale", "Ex"}, {"IdPaese", "IT"}, {"Annullato", true}});
    ui::ScreenRegistry registry;
    screens::registerAllScreens(registry);
    ASSERT_TRUE(registry.has("btnStampePersonale"));

    staff::ui::StaffPrintDialog dialog(s.context);
    auto* people = dialog.findChild<QComboBox*>("cmbPersonale");
    auto* kind = dialog.findChild<QComboBox*>("cmbStampa");
    ASSERT_TRUE(people && kind);
    // Everyone, and the people not cancelled.
    EXPECT_EQ(people->count(), 2);
    screenshot(&dialog, "staff-print");
    auto call = dialog.request();
    ASSERT_TRUE(call);
    EXPECT_EQ(call->code, printing::reports::staffList);
    EXPECT_TRUE(call->selection.isEmpty());

    kind->setCurrentIndex(kind->findText("Stipendi per persona"));
    EXPECT_TRUE(dialog.findChild<QLineEdit*>("txtAnno")->isEnabled());
    people->setCurrentIndex(people->findData(person));
    typeInto(dialog.findChild<QLineEdit*>("txtAnno"), "2026");
    auto* month = dialog.findChild<QComboBox*>("cmbMese");
    month->setCurrentIndex(month->findData(4));
    call = dialog.request();
    ASSERT_TRUE(call);
    EXPECT_EQ(call->code, printing::reports::staffSalaries);
    EXPECT_EQ(call->selection,
              QString("PersonaleStipendi.Personale_ID = %1 and "
                      "PersonaleStipendi.Anno = 2026 and PersonaleStipendi.Mese = 4")
                  .arg(person));

    kind->setCurrentIndex(kind->findText("Costi per persona"));
    EXPECT_FALSE(dialog.findChild<QLineEdit*>("txtAnno")->isEnabled());
    typeInto(dialog.findChild<QLineEdit*>("txtDallaData"), "31/02/2026");
    EXPECT_FALSE(dialog.request());
    EXPECT_EQ(s.interaction.texts_of("error").value(0), "Attenzione data non valida: Dalla Data");

    // One choice per staff report, each asking for its own code; the
    // people's prints take no dates, the salaries' take a year and a month.
    QSet<int> codes;
    for (int i = 0; i < kind->count(); ++i) {
        kind->setCurrentIndex(i);
        dialog.findChild<QLineEdit*>("txtDallaData")->clear();
        call = dialog.request();
        ASSERT_TRUE(call) << kind->itemText(i).toStdString();
        codes.insert(call->code);
        const bool salaries = call->code >= 71 && call->code <= 74;
        EXPECT_EQ(dialog.findChild<QLineEdit*>("txtAnno")->isEnabled(), salaries) << call->code;
        const bool people = call->code == 22 || call->code == 23 || call->code == 78;
        EXPECT_EQ(dialog.findChild<QLineEdit*>("txtDallaData")->isEnabled(), !people) << call->code;
    }
    EXPECT_EQ(codes, (QSet<int>{22, 23, 24, 25, 71, 72, 73, 74, 75, 76, 77, 78}));
}
