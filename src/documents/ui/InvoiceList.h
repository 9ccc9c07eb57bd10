#pragma once

#include "documents/DocumentKind.h"
#include "ui/ListScreen.h"

class QComboBox;
class QLineEdit;

namespace documents::ui {

// The list of customer invoices ("Fatturazione") or credit notes ("Note di
// Credito"): documents not in history, or in history mode those dated in
// the range chosen on the main window. Filters by date, number, customer,
// series and (invoices) bank and payment terms; "Aggiungi" numbers a new
// document and opens it; "Elimina" removes it with everything hanging on it.
class InvoiceList : public ::ui::ListScreen {
    Q_OBJECT
public:
    InvoiceList(::ui::AppContext& context, DocumentKind kind, QWidget* parent = nullptr);

    DocumentKind kind() const { return m_kind; }
    QString condition() const override;
    // The filter boxes' conditions only, as the list prints take them.
    QString selection() const;

    QLineEdit* filterBox(const QString& name) const;
    QComboBox* filterChoice(const QString& name) const;

public slots:
    void search();      // "cerca"
    void resetFilter(); // "reset"
    void removeDocument();
    void printList();     // "Stampa"
    void exportAndSend(); // "Esporta ed invia"

protected:
    qint64 insertRow() override;
    void openCard(qint64 key, bool isNew) override;

private:
    DocumentKind m_kind;
    QString m_applied; // conditions of the last "cerca"
};

} // namespace documents::ui
