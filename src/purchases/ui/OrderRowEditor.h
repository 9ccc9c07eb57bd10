#pragma once

#include <QDialog>
#include <QVariantMap>

namespace ui {
class FieldBinder;
struct AppContext;
class FieldNavigator;
} // namespace ui

namespace purchases::ui {

// One row of a purchase order: description, quantity, price, discounts,
// VAT; "Salva" writes it with the order's totals.
class OrderRowEditor : public QDialog {
    Q_OBJECT
public:
    OrderRowEditor(::ui::AppContext& context, qint64 rowId, QWidget* parent = nullptr);
    ::ui::FieldBinder* fields() const { return m_fields; }

public slots:
    bool save();

private:
    ::ui::AppContext& m_context;
    QVariantMap m_record;
    ::ui::FieldNavigator* m_navigator;
    ::ui::FieldBinder* m_fields;
};

} // namespace purchases::ui
