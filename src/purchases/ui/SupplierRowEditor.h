#pragma once

#include "documents/ui/RowEditor.h"

namespace purchases::ui {

using documents::DocumentKind;

// "Modifica righe fatture in Carico": one row of a supplier invoice or
// credit note. "Articolo" picks a price-list article; the two "+" buttons
// work the unit price back from the total with VAT or from the net amount.
// "Salva" moves the stock by the change of quantity, updates the article's
// purchase prices and writes the document's totals.
class SupplierRowEditor : public documents::ui::RowEditor {
    Q_OBJECT
public:
    // rowId 0 edits a new row, written by the first "Salva".
    SupplierRowEditor(::ui::AppContext& context, DocumentKind kind, qint64 documentId, qint64 rowId,
                      QWidget* parent = nullptr);

public slots:
    void chooseArticle();
    void unitFromGross();   // "Calcola il Valore Unitario e l'Imponibile"
    void unitFromTaxable(); // "Calcola il Valore Unitario"

protected:
    std::optional<common::Failure> writeRow(QVariantMap& row) override;
    void computeAmounts(QVariantMap& row) const override;

private:
    bool readInto(QVariantMap& row);
};

} // namespace purchases::ui
