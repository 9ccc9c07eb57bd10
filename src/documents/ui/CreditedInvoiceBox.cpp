#include "documents/ui/CreditedInvoiceBox.h"

#include "ui/ActionButton.h"
#include "ui/FieldBinder.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>

namespace documents::ui {

CreditedInvoiceBox CreditedInvoiceBox::place(::ui::FieldBinder& fields,
                                             const QList<::ui::CardField>& invoiceFields,
                                             QWidget* parent) {
    auto* box = new QGroupBox(QStringLiteral("Fattura di Riferimento"), parent);
    auto* grid = new QGridLayout(box);
    fields.place(grid, invoiceFields, box);
    QPushButton* find =
        ::ui::ActionButton(QStringLiteral("Trova Fattura"), QStringLiteral("btnTrovaFattura"), box);
    QPushButton* import =
        ::ui::ActionButton(QStringLiteral("Importa Righe"), QStringLiteral("btnImportaRighe"), box);
    // Each field is a label and its editor.
    const int column = 2 * int(invoiceFields.size());
    grid->addWidget(find, 0, column);
    grid->addWidget(import, 0, column + 1);
    grid->setColumnStretch(column + 2, 1);
    return {box, find, import};
}

} // namespace documents::ui
