#pragma once

#include "ui/CardScreen.h"

#include <QWidget>
#include <functional>

namespace ui {
class DataGrid;
}

namespace staff::ui {

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

} // namespace staff::ui
