#pragma once

#include "ui/ScreenDefinition.h"

#include <QList>

class QGroupBox;
class QPushButton;
class QWidget;

namespace ui {
class FieldBinder;
} // namespace ui

namespace documents::ui {

// "Fattura di Riferimento" of a credit note, customer's or supplier's: the
// credited invoice's fields on one row, then "Trova Fattura" and
// "Importa Righe".
struct CreditedInvoiceBox {
    QGroupBox* box;
    QPushButton* find;
    QPushButton* import;

    static CreditedInvoiceBox place(::ui::FieldBinder& fields,
                                    const QList<::ui::CardField>& invoiceFields, QWidget* parent);
};

} // namespace documents::ui
