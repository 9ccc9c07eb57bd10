#pragma once

#include "documents/DocumentKind.h"
#include "ui/ScreenDefinition.h"

#include <QWidget>
#include <functional>

class QLineEdit;
class QPushButton;

namespace ui {
struct AppContext;
class DataGrid;
} // namespace ui

namespace documents::ui {

// The "Righe" page of a customer document: the code box (code + Enter), the
// row actions ("Aggiungi" from the price list, the cost rows where the
// document has them, "Articolo non in archivio", "Modifica", "Elimina"),
// the rows grid and the row editor. Each action is one rule call; after it
// the grid is read again and changed() tells the editor to show its totals.
class DocumentRowsPanel : public QWidget {
    Q_OBJECT
public:
    struct Setup {
        DocumentKind kind;
        qint64 documentId = 0;
        QString gridName; // stored layout of the grid
        ::ui::GridColumns columns;
        bool costRows = false;
        bool insertionOrderMenu = false; // "Ordina per inserimento" on the grid's menu
    };
    DocumentRowsPanel(::ui::AppContext& context, const Setup& setup, QWidget* parent = nullptr);

    ::ui::DataGrid* grid() const { return m_grid; }
    QLineEdit* codeBox() const { return m_code; }
    QPushButton* button(const QString& objectName) const;
    // Asked before every change of the rows; false stops it.
    void setGuard(std::function<bool()> mayChange) { m_mayChange = std::move(mayChange); }

    void refresh();

signals:
    void changed();

public slots:
    void addRowByCode();
    void addArticle();
    void addFreeRow();
    void addTransportCost();
    void addCollectionCost();
    void editRow();
    void removeRow();
    // "Ordina per inserimento": newest first, then oldest first on each use.
    void toggleInsertionOrder();

private:
    void editRowAt(qint64 rowId);
    void afterChange(qint64 selectRow);
    bool mayChange() const { return !m_mayChange || m_mayChange(); }

    ::ui::AppContext& m_context;
    Setup m_setup;
    std::function<bool()> m_mayChange;
    ::ui::DataGrid* m_grid;
    QLineEdit* m_code;
    bool m_insertionOrder = false;
    bool m_insertionDescending = true;
};

} // namespace documents::ui
