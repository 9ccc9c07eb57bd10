#pragma once

#include "printing/ReportRequest.h"
#include "staff/StaffRules.h"

#include <QDialog>
#include <optional>

class QComboBox;
class QLineEdit;

namespace ui {
struct AppContext;
}

namespace staff::ui {

// One choice of the staff print screen: what it prints, the report code it
// asks for and its caption.
struct PrintOption {
    PrintKind kind;
    int code;
    QString caption;
};
// The choices in the order the screen lists them, one per report code.
const QList<PrintOption>& printOptions();
PrintOption optionOf(PrintKind kind);

// The staff print screen ("Stampa Personale"): the people, or the
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

} // namespace staff::ui
