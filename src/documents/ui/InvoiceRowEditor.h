#pragma once

#include "documents/ui/RowEditor.h"

namespace documents::ui {

// "Modifica righe Fattura": one row of an invoice or credit note, and of
// the other customer documents under their own title. F12 in
// the unit price shows what the customer last paid for the article; the
// VAT drop-down copies its rate; "Calcola Valore Unitario" derives the
// unit price from the total typed. "Salva" checks, moves the stock by the
// change of quantity, writes the row and the document's totals; "Indietro"
// does the same when something changed, "Annulla" drops the changes.
class InvoiceRowEditor : public RowEditor {
    Q_OBJECT
public:
    InvoiceRowEditor(::ui::AppContext& context, DocumentKind kind, qint64 documentId, qint64 rowId,
                     QWidget* parent = nullptr);

public slots:
    void lastPrice(); // F12 on the unit price
    void unitPriceFromTotal();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    std::optional<common::Failure> writeRow(QVariantMap& row) override;
    void computeAmounts(QVariantMap& row) const override;
};

} // namespace documents::ui
