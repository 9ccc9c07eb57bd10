#pragma once

#include <QDialog>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace ui {
struct AppContext;
class DataGrid;
class FieldNavigator;
} // namespace ui

namespace documents::ui {

using ::ui::AppContext;
using ::ui::DataGrid;
using ::ui::FieldNavigator;

// The invoicing series, kept in one window: the grid of the series and the
// fields of the current one. "+" writes the current series and adds a new
// one, "-" deletes the current one after a question, "Salva" requires the
// code. Documents keep the series text they were numbered with.
class SeriesRegistry : public QDialog {
    Q_OBJECT
public:
    explicit SeriesRegistry(AppContext& context, QWidget* parent = nullptr);

    DataGrid* grid() const { return m_grid; }
    QLineEdit* seriesEdit() const { return m_serie; }
    QLineEdit* descriptionEdit() const { return m_descrizione; }
    QPlainTextEdit* notesEdit() const { return m_note; }
    qint64 currentKey() const { return m_key; }
    bool isModified() const;

public slots:
    void addSeries();    // "+"
    void removeSeries(); // "-"
    bool saveSeries();   // "Salva"
    void goBack();       // "Indietro"
    void reject() override;

private:
    void refresh(qint64 select);
    void showRow(qint64 key);
    bool write(bool check);

    AppContext& m_context;
    DataGrid* m_grid;
    QLineEdit* m_serie;
    QLineEdit* m_descrizione;
    QPlainTextEdit* m_note;
    FieldNavigator* m_navigator;
    qint64 m_key = 0;
    QStringList m_shown; // the values as read, to see changes
    bool m_moving = false;
};

} // namespace documents::ui
