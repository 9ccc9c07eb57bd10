#pragma once

// A list to choose one row from: the search boxes and grid of a
// ScreenDefinition, without adding or deleting. "Seleziona", double click
// or Enter chooses the current row; "Indietro" or Esc chooses nothing.
//
// Usage: the drop-down of a long table gets a search button:
//   {.field = "ContabilitaConti_ID", .label = "Conto", .lookup = lookups::accounts(),
//    .search = lookups::accountSearch}
// CardScreen puts the button beside the field itself; other editors call
// SearchWindow::button().

#include "ui/ListScreen.h"

class QComboBox;
class QGridLayout;

namespace ui {

class FieldBinder;

class SearchWindow : public ListScreen {
    Q_OBJECT
public:
    SearchWindow(AppContext& context, const ScreenDefinition& definition,
                 QWidget* parent = nullptr);
    QPushButton* chooseButton() const { return openButton(); }
    qint64 chosenKey() const { return m_chosen; }

    // Shows the window; the key of the row chosen, 0 when none.
    static qint64 choose(AppContext& context, const ScreenDefinition& definition, QWidget* parent);

    // A small "..." button that opens the search and puts the chosen key in
    // the field of the binder, as if picked from its drop-down.
    static QPushButton* button(AppContext& context, FieldBinder& fields, const QString& field,
                               ScreenDefinition (*search)(), QWidget* parent);
    // For editors laid out by FieldBinder::place: the button in the field
    // editor's cell of the grid, beside it.
    static void attach(AppContext& context, FieldBinder& fields, QGridLayout* grid,
                       const QString& field, ScreenDefinition (*search)(), QWidget* parent);
    // The same beside a drop-down of its own (a print window's choice).
    static QPushButton* button(AppContext& context, QComboBox* choice, ScreenDefinition (*search)(),
                               QWidget* parent);

protected:
    void openCard(qint64 key, bool isNew) override;

private:
    qint64 m_chosen = 0;
};

} // namespace ui
