#pragma once

#include "printing/ReportRequest.h"
#include "ui/CardScreen.h"
#include "ui/ListScreen.h"

#include <QDialog>
#include <optional>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace ui {
class DataGrid;
class ScreenRegistry;
} // namespace ui

namespace staff::ui {

// The staff members: searches by name, category and municipality,
// cancelled people hidden unless asked.
::ui::ScreenDefinition staffDefinition();
// The three lists of a person; staffId is the person of the rows "Nuovo"
// inserts (0 when a row is only opened).
::ui::ScreenDefinition deadlineDefinition(qint64 staffId = 0);
::ui::ScreenDefinition costDefinition(qint64 staffId = 0);
::ui::ScreenDefinition salaryDefinition(qint64 staffId = 0);
// The code tables.
::ui::ScreenDefinition categoriesDefinition();
::ui::ScreenDefinition costTypesDefinition();
::ui::ScreenDefinition deadlineTypesDefinition();

// One of the lists on the staff card: its grid, "Nuovo" (a row inserted by
// the rules, then its card), "Apri" and "Elimina" (with its question).
class DependentList : public QWidget {
    Q_OBJECT
public:
    using Insert = std::function<qint64(db::Database&, qint64 staffId, const QDate& today)>;
    // report: the code "Stampa" asks for, over this person's rows.
    DependentList(::ui::AppContext& context, ::ui::ScreenDefinition definition, qint64 staffId,
                  Insert insert, QString order, const QString& gridName, int report,
                  QWidget* parent);

    ::ui::DataGrid* grid() const { return m_grid; }
    void refresh();
    void addRow();
    void openCurrent();
    void removeCurrent();
    void print();

private:
    void openCard(qint64 key, bool isNew);

    ::ui::AppContext& m_context;
    ::ui::ScreenDefinition m_definition;
    qint64 m_staffId;
    Insert m_insert;
    QString m_order;
    int m_report;
    ::ui::DataGrid* m_grid;
};

// A card whose new row must pass its checks before "Indietro" (or Esc)
// closes it, edited or not: a person or a list row is never left without
// what it requires. "Annulla" still gives the new row up.
class CheckedCard : public ::ui::CardScreen {
    Q_OBJECT
public:
    CheckedCard(::ui::AppContext& context, const ::ui::ScreenDefinition& definition, qint64 key,
                bool isNew, QWidget* parent = nullptr);
    void leave();
    void reject() override;
};

// The staff card ("Personale"): "Generale", "Dati Economici", "Documenti"
// and the pages of the deadlines, costs and salaries; "Calcola" beside the
// daily and hourly rates; the working folder chosen and opened.
class StaffCard : public CheckedCard {
    Q_OBJECT
public:
    StaffCard(::ui::AppContext& context, const ::ui::ScreenDefinition& definition, qint64 key,
              bool isNew, QWidget* parent = nullptr);

    DependentList* deadlines() const { return m_deadlines; }
    DependentList* costs() const { return m_costs; }
    DependentList* salaries() const { return m_salaries; }

    void computeDailyRate();
    void computeHourlyRate();
    void chooseFolder();
    // "Privacy": the person's privacy form, once the card is saved.
    void printPrivacy();
    // false (and the message) when there is no folder to open.
    bool openFolder();

private:
    DependentList* m_deadlines;
    DependentList* m_costs;
    DependentList* m_salaries;
};

// The salary card: "Calcola" fills the partial total.
class SalaryCard : public CheckedCard {
    Q_OBJECT
public:
    SalaryCard(::ui::AppContext& context, const ::ui::ScreenDefinition& definition, qint64 key,
               bool isNew, QWidget* parent = nullptr);
    void computeTotal();
};

// The staff list ("Personale"): several rows may be selected and
// "Esporta vCard" writes them, "Importa vCard" reads a file, "Email" writes
// to them; "Stampa" prints the
// list.
class StaffList : public ::ui::ListScreen {
    Q_OBJECT
public:
    explicit StaffList(::ui::AppContext& context, QWidget* parent = nullptr);
    void exportVCard();
    void importVCard();
    void email();
};

// The staff print screen ("Stampa Personale"): the staff list, or the
// deadlines, costs or salaries of one person or everyone, within dates,
// and for salaries a year and a month.
class StaffPrintDialog : public QDialog {
    Q_OBJECT
public:
    explicit StaffPrintDialog(::ui::AppContext& context, QWidget* parent = nullptr);
    // The request of the choices made; none (and the message, the focus on
    // the field) when a date is wrong.
    std::optional<printing::ReportCall> request();
    // "Stampa".
    bool print();

private:
    ::ui::AppContext& m_context;
    QComboBox* m_kind;
    QComboBox* m_person;
    QLineEdit* m_from;
    QLineEdit* m_to;
    QLineEdit* m_year;
    QComboBox* m_month;
};

// Registers the list (btnPersonale), the print screen (btnStampePersonale), the code tables and the
// deadline the reminder opens ("scadenzaPersonale").
void registerStaffScreens(::ui::ScreenRegistry& registry);

} // namespace staff::ui
