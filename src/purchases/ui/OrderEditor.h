#pragma once

#include <QDialog>
#include <QVariantMap>

class QLineEdit;
class QPushButton;

namespace ui {
class FieldBinder;
struct AppContext;
class DataGrid;
class FieldNavigator;
} // namespace ui

namespace purchases::ui {

// One purchase order: number, date, supplier and notes, its rows (by code,
// from the price list, free, transport, the articles under minimum stock),
// its totals; "Invia Email" opens the e-mail screen addressed to the
// supplier, "Stampa" sends the order's report.
class OrderEditor : public QDialog {
    Q_OBJECT
public:
    OrderEditor(::ui::AppContext& context, qint64 orderId, bool isNew, QWidget* parent = nullptr);

    ::ui::FieldBinder* fields() const { return m_fields; }
    ::ui::DataGrid* rowsGrid() const { return m_rows; }
    QLineEdit* codeBox() const { return m_code; }

public slots:
    bool save();
    void addByCode();
    void addArticle();
    void addFreeRow();
    void addTransport();
    void importUnderStock();
    void editRow();
    void removeRow();
    void sendEmail();
    void print();
    void cancelEdit();
    void reject() override;

private:
    // Header written (checks first) before any row action.
    bool ready();
    void refresh();

    ::ui::AppContext& m_context;
    qint64 m_id;
    bool m_isNew;
    bool m_modified = false;
    QVariantMap m_header;
    ::ui::FieldNavigator* m_navigator;
    ::ui::FieldBinder* m_fields;
    ::ui::DataGrid* m_rows;
    QLineEdit* m_code;
};

} // namespace purchases::ui
