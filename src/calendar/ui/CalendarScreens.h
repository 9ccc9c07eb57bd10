#pragma once

#include "ui/CardScreen.h"
#include "ui/ListScreen.h"

#include <QDate>

class QCalendarWidget;
class QLineEdit;

namespace ui {
class ScreenRegistry;
}

namespace calendar::ui {

// The appointments: the working list, or in history mode those dated in the
// context's range.
::ui::ScreenDefinition calendarDefinition(const ::ui::AppContext& context);
// "Tipologie Calendario".
::ui::ScreenDefinition calendarTypesDefinition();

// The appointment card ("Calendario"): the type and the customer can be
// added or opened from beside their choice; Backspace or Delete empties a
// choice.
class CalendarCard : public ::ui::CardScreen {
    Q_OBJECT
public:
    CalendarCard(::ui::AppContext& context, const ::ui::ScreenDefinition& definition, qint64 key,
                 bool isNew, QWidget* parent = nullptr);

    void newType();
    void openType();
    void newCustomer();
    void openCustomer();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// The calendar list ("Calendario"): the searches "Ricerca per" with the
// month calendar "Giorno", the new appointment on the picked day and
// "Esporta Calendario".
class CalendarList : public ::ui::ListScreen {
    Q_OBJECT
public:
    explicit CalendarList(::ui::AppContext& context, QWidget* parent = nullptr);

    QString condition() const override;
    // "cerca": false (and a message) for a date that does not exist.
    bool search();
    // "reset": no filter, the month calendar back on today.
    void resetSearch();
    // A click on the month calendar: that day's appointments.
    void pickDay(const QDate& day);
    // "Esporta Calendario": the listed appointments to an iCalendar file.
    void exportCalendar();
    // Shows in bold the days of the month on view that have an appointment.
    void markBusyDays();

    QLineEdit* box(const QString& objectName) const;
    QCalendarWidget* monthCalendar() const { return m_month; }

protected:
    qint64 insertRow() override;

private:
    QLineEdit* m_staff;
    QLineEdit* m_customer;
    QLineEdit* m_notes;
    QLineEdit* m_type;
    QLineEdit* m_from;
    QLineEdit* m_to;
    QCalendarWidget* m_month;
    bool m_dayPicked = false;
    QString m_applied; // condition of the last "cerca"
};

// Registers the list (btnAttivitaCalendario, and btnStoricoCalendario over
// the history range), the appointment opened from the reminder
// ("appuntamento") and the types (frmGrigliaCalendarioTipologie).
void registerCalendarScreens(::ui::ScreenRegistry& registry);

} // namespace calendar::ui
