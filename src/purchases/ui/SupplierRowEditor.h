#pragma once

#include "documents/DocumentKind.h"

#include <QDialog>
#include <QVariantMap>

class QPushButton;

namespace ui {
class FieldBinder;
struct AppContext;
class FieldNavigator;
} // namespace ui

namespace purchases::ui {

using documents::DocumentKind;

// "Modifica righe fatture in Carico": one row of a supplier invoice or
// credit note. "Articolo" picks a price-list article; the two "+" buttons
// work the unit price back from the total with VAT or from the net amount.
// "Salva" moves the stock by the change of quantity, updates the article's
// purchase prices and writes the document's totals.
class SupplierRowEditor : public QDialog {
    Q_OBJECT
public:
    // rowId 0 edits a new row, written by the first "Salva".
    SupplierRowEditor(::ui::AppContext& context, DocumentKind kind, qint64 documentId, qint64 rowId,
                      QWidget* parent = nullptr);

    ::ui::FieldBinder* fields() const { return m_fields; }
    const QVariantMap& record() const { return m_record; }
    QPushButton* saveButton() const { return m_save; }

public slots:
    bool save();
    void chooseArticle();
    void unitFromGross();   // "Calcola il Valore Unitario e l'Imponibile"
    void unitFromTaxable(); // "Calcola il Valore Unitario"
    void reject() override; // "Indietro": saves what changed

private:
    void vatChosen();
    void showAmounts();
    bool readInto(QVariantMap& row);

    ::ui::AppContext& m_context;
    DocumentKind m_kind;
    qint64 m_documentId;
    QVariantMap m_record;
    bool m_modified = false;
    ::ui::FieldNavigator* m_navigator;
    ::ui::FieldBinder* m_fields;
    QPushButton* m_save;
};

} // namespace purchases::ui
