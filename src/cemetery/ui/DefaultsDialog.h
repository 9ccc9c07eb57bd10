#pragma once

#include <QDialog>

class QTableWidget;

namespace ui {
struct AppContext;
}

namespace cemetery::ui {

// "Valori predefiniti": the values this workstation puts on every new row
// of a table, as column and text pairs.
class DefaultsDialog : public QDialog {
public:
    DefaultsDialog(::ui::AppContext& context, const QString& table, QWidget* parent = nullptr);

    QTableWidget* table() const { return m_grid; }
    void addEntry(const QString& column = QString(), const QString& value = QString());
    bool store();

private:
    ::ui::AppContext& m_context;
    QString m_table;
    QTableWidget* m_grid;
};

} // namespace cemetery::ui
