#pragma once

#include "documents/ui/HeaderEditor.h"
#include "documents/ui/InstalmentsPanel.h"

namespace ui {
class DataGrid;
} // namespace ui

namespace purchases::ui {

using documents::DocumentKind;

// The editor of one supplier invoice ("Fatture di Acquisto") or supplier
// credit note: pages "Testata" (registration, supplier's document,
// supplier, payment, withholding and stamp, scanned document, credited
// invoice), "Righe" and "Scadenze". Row actions write at once and show the
// new totals; the header is written by "Salva", by "Indietro" when it
// changed, and silently when the supplier or the payment terms change.
class SupplierEditor : public documents::ui::HeaderEditor {
    Q_OBJECT
public:
    SupplierEditor(::ui::AppContext& context, DocumentKind kind, qint64 documentId, bool isNew,
                   QWidget* parent = nullptr);

    ::ui::DataGrid* rowsGrid() const { return m_rows; }
    ::ui::DataGrid* instalmentsGrid() const { return m_instalments->grid(); }
    documents::ui::InstalmentsPanel* instalments() const { return m_instalments; }
    ::ui::DataGrid* attachmentsGrid() const { return m_attachments; }

public slots:
    void cancelEdit() override; // "Annulla"
    void checkInvoice();        // "controlloFattura"
    void findImage();           // "Trova"
    void viewImage();           // "Vedi"
    void scanImage();           // "Scanner"
    void findInvoice();         // credit notes: "Trova Fattura"
    void importRows();          // credit notes: "Importa Righe"
    void viewReceived();        // "Visualizza": the received file as the supplier sent it
    void openAttachment();

    void addRow();
    void editRow();
    void removeRow();

protected:
    QVariantMap loadHeader() override;
    std::optional<common::Failure> writeHeader(QVariantMap& header) override;
    void removeDocument() override;
    void headerSaved(const QVariantMap& header) override;
    // The header is on the first page: a refused "Salva" goes back to it.
    void showFailedField(const common::Failure& failure) override;
    void fieldLeft(const QString& field) override;
    void fieldChosen(const QString& field) override;
    // Writes pending header edits without the checks; false on a database error.
    bool post() override;

private:
    QWidget* buildHeaderPage();
    QWidget* buildRowsPage();
    QWidget* buildInstalmentsPage();
    QWidget* buildAttachmentsPage();
    void refreshAttachments();
    void refreshRows();
    void refreshInstalments();
    void afterRowChange();
    void editRowAt(qint64 rowId);

    ::ui::DataGrid* m_rows = nullptr;
    documents::ui::InstalmentsPanel* m_instalments = nullptr;
    ::ui::DataGrid* m_attachments = nullptr;
};

} // namespace purchases::ui
