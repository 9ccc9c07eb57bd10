#pragma once

#include <QList>
#include <QString>

namespace db {
class Database;
}

namespace ui {

// One column of a data grid as the layout store sees it.
struct GridColumn {
    QString field;
    int width = 64;
    QString caption;

    bool operator==(const GridColumn&) const = default;
};

using GridColumns = QList<GridColumn>;

// Stores the columns (in display order) as the user's arrangement of a grid on
// one workstation, in table Griglie. The first save of a grid on a workstation,
// or any save with overwriteDefaults, also stores them as the default
// arrangement. A grid without columns stores nothing. One transaction.
void saveLayout(db::Database& db, const QString& gridName, const GridColumns& columns,
                bool overwriteDefaults, const QString& workstation);

// Replaces the columns with the stored arrangement (the default one when
// useDefaults, else the user's). Returns false and leaves the columns as they
// are when nothing is stored, when the stored row has no user lists and the
// default arrangement has as many columns as the grid, or when the chosen
// lists are empty. A damaged width stops the rebuild: the columns read so far
// are kept. A grid's stored row is read once per connection; saveLayout makes
// the next load read it again.
bool loadLayout(db::Database& db, const QString& gridName, GridColumns& columns, bool useDefaults,
                const QString& workstation);

// The sort after a click on a column title: descending on the clicked field
// when the current sort ends in "ASC", ascending otherwise.
QString sortAfterTitleClick(const QString& currentSort, const QString& field);

} // namespace ui
