#include "calendar/ui/CalendarScreens.h"

#include "../IcsReader.h"
#include "ModalWindows.h"
#include "ScreenArchive.h"
#include "ScreenHelpers.h"
#include "app/ui/MainWindow.h"
#include "app/ui/Screens.h"
#include "ui/CardScreen.h"
#include "ui/DataGrid.h"
#include "ui/RecordModel.h"
#include "ui/ScreenRegistry.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QJsonArray>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace uitest;
using calendar::ui::CalendarList;
using Screens = ScreenArchive;

namespace {

void setChoice(ui::CardScreen* card, const QString& field, const QVariant& key) {
    auto* combo = qobject_cast<QComboBox*>(card->editor(field));
    ASSERT_TRUE(combo) << field.toStdString();
    const int at = combo->findData(key);
    ASSERT_GE(at, 0) << field.toStdString();
    combo->setCurrentIndex(at);
}

int rows(CalendarList& list) {
    return list.grid()->records()->rowCount();
}

} // namespace

TEST(CalendarScreens, EntryAddedFromTheMainWindowButtonIsListedAndExported) {
    FOR_EACH_ENGINE(engine) {
        SCOPED_TRACE(engine == db::Engine::SQLite ? "SQLite" : "PostgreSQL");
        Screens s(engine);
        db::Database& db = s.db();
        const qint64 staff = db.insert("Personale", {{"Personale", "Mario Neri"}});
        const qint64 customer =
            db.insert("Clienti", {{"Cliente", "Bianchi"}, {"NominativoDocumenti", "Bianchi Anna"}});
        db.insert("TipologiaCalendario", {{"Descrizione", "Tumulazione"}});
        QTemporaryDir dir;

        ui::ScreenRegistry registry;
        screens::registerAllScreens(registry);
        app::ui::MainWindow main(s.context, registry);
        QPushButton* button = main.button("btnAttivitaCalendario");
        ASSERT_TRUE(button);
        EXPECT_TRUE(button->isEnabled());
        EXPECT_TRUE(main.button("btnStoricoCalendario")->isEnabled());
        qint64 id = 0;
        onNextModal<CalendarList>([&](CalendarList* list) {
            EXPECT_EQ(list->windowTitle(), "Calendario");
            EXPECT_EQ(rows(*list), 0);
            // A new appointment starts on the day chosen on the month calendar.
            list->monthCalendar()->setSelectedDate(QDate(2026, 3, 10));
            onNextModal<ui::CardScreen>([&](ui::CardScreen* card) {
                id = card->key();
                EXPECT_EQ(line(card, "Data")->text(), "10/03/2026 00:00");
                QLineEdit* date = line(card, "Data");
                date->setFocus();
                date->selectAll();
                QTest::keyClick(date, Qt::Key_Delete);
                card->backButton()->click();
                EXPECT_EQ(s.interaction.texts_of("error"), QStringList{"Attenzione manca la Data"});
                ASSERT_TRUE(card->isVisible());

                typeInto(line(card, "Data"), "100320262561");
                card->saveButton()->click();
                EXPECT_EQ(s.interaction.texts_of("error").value(1),
                          "Attenzione data non valida: Data");
                typeInto(line(card, "Data"), "100320260930");
                typeInto(line(card, "DataAvviso"), "11032026");
                setChoice(card, "TipologiaCalendario", "Tumulazione");
                setChoice(card, "Personale_Id", staff);
                setChoice(card, "Cliente_ID", customer);
                typeInto(line(card, "Note"), "fiori, lapide; ore 9");
                screenshot(card, "calendar-card");
                // A reminder after the appointment: stored, but the card stays.
                card->backButton()->click();
                EXPECT_EQ(s.interaction.texts_of("error").value(2),
                          "Attenzione la Data di avviso è minore della data dell'impegno");
                ASSERT_TRUE(card->isVisible());
                EXPECT_EQ(db.query("select DataAvviso from Calendario where Id = ?", {id})
                              .first()
                              .date("DataAvviso"),
                          QDate(2026, 3, 11));
                typeInto(line(card, "DataAvviso"), "09032026");
                card->backButton()->click();
                EXPECT_FALSE(card->isVisible());
            });
            list->addButtonWidget()->click();
            ASSERT_EQ(rows(*list), 1);
            EXPECT_EQ(shown(list->grid(), 0, "Data"), "10/03/2026 09:30");
            // The month calendar marks the day that now has an appointment.
            EXPECT_EQ(list->monthCalendar()->dateTextFormat(QDate(2026, 3, 10)).fontWeight(),
                      QFont::Bold);
            EXPECT_NE(list->monthCalendar()->dateTextFormat(QDate(2026, 3, 11)).fontWeight(),
                      QFont::Bold);
            EXPECT_EQ(shown(list->grid(), 0, "Personale"), "Mario Neri");
            EXPECT_EQ(shown(list->grid(), 0, "Cliente"), "Bianchi Anna");
            screenshot(list, "calendar-list");

            // The save dialog's name without an extension gets ".ics".
            s.interaction.texts.enqueue(dir.filePath("agenda"));
            click(list, "spdEsportaCalendario");

            // Another day on the month calendar lists nothing; reset all.
            list->pickDay(QDate(2026, 3, 11));
            EXPECT_EQ(rows(*list), 0);
            list->pickDay(QDate(2026, 3, 10));
            EXPECT_EQ(rows(*list), 1);
            typeInto(list->box("txtAllaData"), "31/02/2026");
            EXPECT_FALSE(list->search());
            click(list, "btnReset");
            EXPECT_EQ(list->monthCalendar()->selectedDate(), QDate::currentDate());
            EXPECT_EQ(rows(*list), 1);
        });
        button->click();
        ASSERT_GT(id, 0);

        QString problem;
        const QJsonObject file = readIcs(dir.filePath("agenda.ics"), &problem);
        ASSERT_FALSE(file.isEmpty()) << problem.toStdString();
        const QJsonArray events = file.value("events").toArray();
        ASSERT_EQ(events.size(), 1);
        const QJsonObject event = events[0].toObject();
        EXPECT_EQ(event.value("start").toString(), "2026-03-10T09:30:00");
        EXPECT_EQ(event.value("end").toString(), "2026-03-10T10:30:00");
        EXPECT_EQ(event.value("summary").toString(),
                  "Mario Neri - Tumulazione / Bianchi Anna : fiori, lapide; ore 9");
        EXPECT_TRUE(event.value("uid").toString().startsWith(QString("calendario-%1-").arg(id)));
    }
}

TEST(CalendarScreens, ReminderOpensTheAppointmentAndTypesNeedADescription) {
    Screens s;
    const qint64 id = s.db().insert(
        "Calendario", {{"Data", QDateTime(QDate(2026, 5, 4), QTime(15, 0))}, {"Note", "visita"}});
    ui::ScreenRegistry registry;
    calendar::ui::registerCalendarScreens(registry);

    s.context.recordKey = id;
    bool shown = false;
    onNextModal<ui::CardScreen>([&](ui::CardScreen* card) {
        shown = true;
        EXPECT_EQ(card->key(), id);
        EXPECT_EQ(line(card, "Data")->text(), "04/05/2026 15:00");
        EXPECT_FALSE(card->cancelButton()->isVisible());
    });
    registry.find("appuntamento")(nullptr, s.context);
    EXPECT_TRUE(shown);

    ui::CardScreen type(s.context, calendar::ui::calendarTypesDefinition(),
                        s.db().insert("TipologiaCalendario", {{"Descrizione", QVariant()}}), true);
    EXPECT_FALSE(type.save());
    EXPECT_EQ(s.interaction.texts_of("error"), QStringList{"Attenzione manca la Descrizione"});

    // "Tipologie e Categorie" of the main window lists the calendar types.
    ui::ScreenRegistry all;
    screens::registerAllScreens(all);
    app::ui::MainWindow main(s.context, all);
    bool listed = false;
    onNextModal<QDialog>([&](QDialog* window) {
        EXPECT_EQ(window->objectName(), "frmArchivioTipologie");
        auto* types = window->findChild<QPushButton*>("frmGrigliaCalendarioTipologie");
        ASSERT_TRUE(types);
        listed = types->text() == "Tipologie Calendario";
    });
    main.button("btnArchivioTipologie")->click();
    EXPECT_TRUE(listed);
}
