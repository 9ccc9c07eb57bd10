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

namespace documents::ui {

// "Modifica righe Fattura": one row of an invoice or credit note, and of
// the other customer documents under their own title. F12 in
// the unit price shows what the customer last paid for the article; the
// VAT drop-down copies its rate; "Calcola Valore Unitario" derives the
// unit price from the total typed. "Salva" checks, moves the stock by the
// change of quantity, writes the row and the document's totals; "Indietro"
// does the same when something changed, "Annulla" drops the changes.
class InvoiceRowEditor : public QDialog {
    Q_OBJECT
public:
    InvoiceRowEditor(::ui::AppContext& context, DocumentKind kind, qint64 documentId, qint64 rowId,
                     QWidget* parent = nullptr);

    ::ui::FieldBinder* fields() const { return m_fields; }
    QPushButton* saveButton() const { return m_save; }
    QPushButton* backButton() const { return m_back; }
    const QVariantMap& record() const { return m_record; }

public slots:
    bool save();   // "Salva"
    void goBack(); // "Indietro": saves what changed, closes when saved
    void reject() override;
    void lastPrice(); // F12 on the unit price
    void unitPriceFromTotal();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void vatChosen();
    void showAmounts();

    ::ui::AppContext& m_context;
    DocumentKind m_kind;
    qint64 m_documentId;
    QVariantMap m_record;
    bool m_modified = false;
    ::ui::FieldNavigator* m_navigator;
    ::ui::FieldBinder* m_fields;
    QPushButton* m_save;
    QPushButton* m_back;
};

} // namespace documents::ui
