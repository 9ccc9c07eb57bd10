#pragma once

#include "db/Row.h"
#include "ui/GridLayouts.h"

#include <QTableView>
#include <functional>
#include <memory>
#include <vector>

class QAction;
class QMenu;

namespace db {
class PagedQuery;
}

namespace ui {

struct AppContext;
class RecordModel;

// A read-only grid over the rows of a query, with the layout commands every
// list offers: "Salva Griglia", "Reset Griglia", "Elimina Colonna" on the
// context menu, sorting by a click on a column title, and the stored layout
// of this workstation applied the first time the grid is shown.
class DataGrid : public QTableView {
    Q_OBJECT
public:
    DataGrid(AppContext& context, const QString& gridName, QWidget* parent = nullptr);

    const QString& gridName() const { return m_gridName; }
    void setTable(const QString& table);
    void setKeyColumn(const QString& key) { m_keyColumn = key; }
    // The grid's built-in arrangement, shown until a stored one is applied.
    void setDefaultColumns(const ::ui::GridColumns& columns);
    // Colours the "Giacenza" column (articles grid).
    void setHighlightStock(bool on);

    void setResult(db::Result result);
    // The big lists: rows read a page at a time as the user scrolls. The
    // first page is shown at once; the rows are counted after it is painted.
    void setQuery(std::shared_ptr<db::PagedQuery> query);
    // Runs work once, right after the grid's next paint: what the first
    // screen does not need (a big list's count, a total) waits until the user
    // sees the rows. Database errors are shown as every action shows them.
    void afterNextPaint(std::function<void()> work);
    RecordModel* records() const { return m_model; }

    // The columns as shown: display order, current widths and titles.
    ::ui::GridColumns columns() const;
    void setColumns(const ::ui::GridColumns& columns);

    qint64 keyAt(int row) const;
    qint64 currentKey() const; // 0 when no row is current
    bool selectKey(qint64 key);
    int currentRowIndex() const;

    QString sortText() const;
    void clickTitle(int column);

    // The layout commands; errors are shown to the user.
    void saveLayout();
    void resetLayout();
    void removeColumn(int column);
    // Applies the stored user layout; errors are ignored.
    void loadLayout();

    QAction* saveAction() const { return m_save; }
    QAction* resetAction() const { return m_reset; }
    QAction* removeColumnAction() const { return m_removeColumn; }
    QMenu* layoutMenu() const { return m_menu; }

signals:
    // Double click or Enter on a row.
    void rowChosen(qint64 key);

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    AppContext& m_context;
    QString m_gridName;
    QString m_keyColumn = QStringLiteral("ID");
    RecordModel* m_model;
    QMenu* m_menu;
    QAction* m_save;
    QAction* m_reset;
    QAction* m_removeColumn;
    int m_menuColumn = -1;
    bool m_layoutLoaded = false;
    std::vector<std::function<void()>> m_afterPaint;
};

} // namespace ui
