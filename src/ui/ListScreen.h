#pragma once

// The list of a registry, built from a ScreenDefinition (see CardScreen.h
// for the card).
//
// Usage:
//   ui::ScreenDefinition d;
//   d.table = "Bank"; d.objectName = "frmGrigliaBanche";
//   d.listTitle = "Banche"; d.cardTitle = "Banca"; d.orderBy = "Banca";
//   d.columns = {{"Banca", 220, "Banca"}, {"Iban", 200, "IBAN"}};
//   d.searches = {{"Banca", "Banca"}};
//   d.cancellable = true;                 // table has Annullato
//   d.fields = {{"Banca", "Banca"}, {"Iban", "IBAN"}, ...};
//   d.validate = [](const QVariantMap& v) -> std::optional<common::Failure> {...};
//   ui::ListScreen list(context, d, parent); list.exec();
// - Search boxes filter with "<column> like '<text>*'" joined by " and ".
// - "Aggiungi" inserts definition.newRow, then opens the card of the new key.
// - "Avanti", double click or Enter opens the card of the current row.
// - "Elimina" asks definition.deleteQuestion and deletes (beforeDelete first).
// - "Indietro" or Esc closes.
// - The grid is stored in the layouts as definition.gridName().
// Subclasses may override insertRow() (numbering, defaults computed at run
// time) and openCard(), add buttons with addButton(), or extend condition()
// (they use the ReadLater constructor and call refresh() at the end of their
// own, so the rows are read once, with their condition).

#include "ui/ScreenDefinition.h"

#include <QDialog>
#include <QHash>

class QCheckBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace ui {

struct AppContext;
class DataGrid;

// The generic insertion of a new row (definition.newRow), in one
// transaction; its key. "Nuovo" of the lists, and cards that open a new
// record of another registry.
qint64 insertNewRow(db::Database& db, const ScreenDefinition& definition);
// The generic deletion: definition.beforeDelete, then the row, in one
// transaction.
void deleteRow(db::Database& db, const ScreenDefinition& definition, qint64 key);

class ListScreen : public QDialog {
    Q_OBJECT
public:
    ListScreen(AppContext& context, const ScreenDefinition& definition, QWidget* parent = nullptr);

    const ScreenDefinition& definition() const { return m_definition; }
    DataGrid* grid() const { return m_grid; }
    QLineEdit* searchBox(const QString& field) const;
    QCheckBox* showCancelledBox() const { return m_showCancelled; }
    QPushButton* addButtonWidget() const { return m_add; }
    QPushButton* openButton() const { return m_open; }
    QPushButton* deleteButton() const { return m_delete; }
    QPushButton* backButton() const { return m_back; }

    // The Jet condition of the list: fixed filter, cancelled rows, searches.
    virtual QString condition() const;
    // Reads the rows again, keeping the current one.
    void refresh();
    qint64 currentKey() const;

public slots:
    void addRecord();     // "Aggiungi"
    void openCurrent();   // "Avanti"
    void removeCurrent(); // "Elimina"

protected:
    // For lists that extend condition(): nothing is read until they call
    // refresh() at the end of their constructor.
    struct ReadLater {};
    ListScreen(AppContext& context, const ScreenDefinition& definition, ReadLater,
               QWidget* parent = nullptr);
    // Inserts the new row in one transaction and gives back its key (0 to stop).
    virtual qint64 insertRow();
    // Opens the card; the plain CardScreen unless the definition has makeCard.
    virtual void openCard(qint64 key, bool isNew);
    // After a card or editor closed: the list read again, its row current.
    void showAgain(qint64 key);
    QPushButton* addButton(const QString& caption, const QString& objectName);
    QHBoxLayout* buttonRow() const { return m_buttons; }
    QHBoxLayout* searchRow() const { return m_searchRow; }
    AppContext& context() const { return m_context; }

private:
    AppContext& m_context;
    ScreenDefinition m_definition;
    DataGrid* m_grid;
    QHash<QString, QLineEdit*> m_searches; // lower-case field → box
    QCheckBox* m_showCancelled = nullptr;
    QHBoxLayout* m_searchRow;
    QHBoxLayout* m_buttons;
    QPushButton* m_add;
    QPushButton* m_open;
    QPushButton* m_delete;
    QPushButton* m_back;
};

} // namespace ui
