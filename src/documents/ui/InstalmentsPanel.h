#pragma once

#include <QWidget>

namespace ui {
class AppContext;
class DataGrid;
} // namespace ui

namespace documents::ui {

// A document's instalments with "Aggiungi rata", "Modifica rata" and
// "Elimina rata": the grid (paid ones in light blue) and the instalment card
// behind it. `changed` follows every add, edit and delete.
class InstalmentsPanel : public QWidget {
    Q_OBJECT
public:
    // `layoutName` keys the grid's saved columns; `instalmentType` is the
    // Tipo new instalments get ("F", "N", "C", "B"); `order` the grid's
    // order by.
    InstalmentsPanel(::ui::AppContext& context, const QString& layoutName,
                     const QString& instalmentType, const QString& order = QStringLiteral("Numero"),
                     QWidget* parent = nullptr);

    void setDocument(qint64 documentId);
    void refresh();
    ::ui::DataGrid* grid() const { return m_grid; }

public slots:
    void addInstalment();
    void editInstalment();
    void removeInstalment();

signals:
    void changed();

private:
    void editAt(qint64 instalmentId, bool isNew);

    ::ui::AppContext& m_context;
    QString m_type;
    QString m_order;
    qint64 m_document = 0;
    ::ui::DataGrid* m_grid = nullptr;
};

} // namespace documents::ui
