#pragma once

#include <QDialog>
#include <QList>

class QLineEdit;
class QPushButton;

namespace ui {
struct AppContext;
class DataGrid;
} // namespace ui

namespace cemetery::ui {

// The price list in selection mode: articles not cancelled, searched by code
// or description, several rows chosen at once.
class ContractArticlePicker : public QDialog {
    Q_OBJECT
public:
    explicit ContractArticlePicker(::ui::AppContext& context, QWidget* parent = nullptr);

    ::ui::DataGrid* grid() const { return m_grid; }
    QLineEdit* searchBox() const { return m_search; }
    QPushButton* chooseButton() const { return m_choose; }
    // The chosen articles, in the order the grid shows them.
    QList<qint64> chosen() const { return m_chosen; }

    // Opens the picker; the chosen articles, empty when cancelled.
    static QList<qint64> pick(::ui::AppContext& context, QWidget* parent);

private:
    void refresh();
    void choose();

    ::ui::AppContext& m_context;
    ::ui::DataGrid* m_grid;
    QLineEdit* m_search;
    QPushButton* m_choose;
    QList<qint64> m_chosen;
};

} // namespace cemetery::ui
