#pragma once

#include "app/StartupSequence.h"
#include "ui/AppContext.h"

#include <QDialog>

class QTableWidget;

namespace ui {
class ScreenRegistry;
}

namespace app::ui {

// "Promemoria Scadenze": the overdue instalments and the calendar notices
// due, shown at start. A double click opens the instalment ("scadenza") or
// the appointment ("appuntamento"), or the screen a row names (a staff
// deadline), when those screens exist.
class ReminderDialog : public QDialog {
    Q_OBJECT
public:
    ReminderDialog(const ReminderList& instalments, const ReminderList& notices,
                   ::ui::AppContext& context, const ::ui::ScreenRegistry& registry,
                   QWidget* parent = nullptr);

    static QString instalmentScreen() { return QStringLiteral("scadenza"); }
    static QString appointmentScreen() { return QStringLiteral("appuntamento"); }

    QTableWidget* instalmentsTable() const { return m_instalments; }
    QTableWidget* noticesTable() const { return m_notices; }
    // What a double click on a row does; false when nothing opens.
    bool openInstalment(int row);
    bool openNotice(int row);

private:
    QTableWidget* makeTable(const ReminderList& list, const QString& name);
    bool open(const QString& screen, const QList<qint64>& ids, int row);

    ::ui::AppContext& m_context;
    const ::ui::ScreenRegistry& m_registry;
    ReminderList m_instalmentList;
    ReminderList m_noticeList;
    QTableWidget* m_instalments;
    QTableWidget* m_notices;
};

} // namespace app::ui
