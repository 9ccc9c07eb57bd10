#pragma once

#include "documents/DocumentKind.h"
#include "documents/ui/FilteredDocumentList.h"

namespace documents::ui {

// The list of customer invoices ("Fatturazione") or credit notes ("Note di
// Credito"): documents not in history, or in history mode those dated in
// the range chosen on the main window. Filters by date, number, customer,
// series and (invoices) bank and payment terms; "Aggiungi" numbers a new
// document and opens it; "Elimina" removes it with everything hanging on it.
class InvoiceList : public FilteredDocumentList {
    Q_OBJECT
public:
    InvoiceList(::ui::AppContext& context, DocumentKind kind, QWidget* parent = nullptr);

    DocumentKind kind() const { return m_kind; }
    QString selection() const override;

public slots:
    void removeDocument();
    void printList();     // "Stampa"
    void exportAndSend(); // "Esporta ed invia"

protected:
    qint64 insertRow() override;
    void openCard(qint64 key, bool isNew) override;

private:
    DocumentKind m_kind;
};

} // namespace documents::ui
