#pragma once

#include "documents/DocumentKind.h"
#include "documents/ui/InstalmentsPanel.h"

#include <QDialog>
#include <QVariantMap>

class QPushButton;
class QTabWidget;

namespace ui {
class FieldBinder;
struct AppContext;
class DataGrid;
class FieldNavigator;
} // namespace ui

namespace purchases::ui {

using documents::DocumentKind;

// The editor of one supplier invoice ("Fatture di Acquisto") or supplier
// credit note: pages "Testata" (registration, supplier's document,
// supplier, payment, withholding and stamp, scanned document, credited
// invoice), "Righe" and "Scadenze". Row actions write at once and show the
// new totals; the header is written by "Salva", by "Indietro" when it
// changed, and silently when the supplier or the payment terms change.
class SupplierEditor : public QDialog {
    Q_OBJECT
public:
    SupplierEditor(::ui::AppContext& context, DocumentKind kind, qint64 documentId, bool isNew,
                   QWidget* parent = nullptr);

    qint64 documentId() const { return m_id; }
    ::ui::FieldBinder* fields() const { return m_fields; }
    QTabWidget* pages() const { return m_pages; }
    ::ui::DataGrid* rowsGrid() const { return m_rows; }
    ::ui::DataGrid* instalmentsGrid() const { return m_instalments->grid(); }
    documents::ui::InstalmentsPanel* instalments() const { return m_instalments; }
    ::ui::DataGrid* attachmentsGrid() const { return m_attachments; }
    QPushButton* button(const QString& objectName) const;

public slots:
    bool save();         // "Salva"
    void goBack();       // "Indietro"
    void cancelEdit();   // "Annulla"
    void checkInvoice(); // "controlloFattura"
    void findImage();    // "Trova"
    void viewImage();    // "Vedi"
    void scanImage();    // "Scanner"
    void findInvoice();  // credit notes: "Trova Fattura"
    void importRows();   // credit notes: "Importa Righe"
    void viewReceived(); // "Visualizza": the received file as the supplier sent it
    void openAttachment();

    void addRow();
    void editRow();
    void removeRow();

    void reject() override;

private:
    QWidget* buildHeaderPage();
    QWidget* buildRowsPage();
    QWidget* buildInstalmentsPage();
    QWidget* buildAttachmentsPage();
    void refreshAttachments();
    void fieldLeft(const QString& field);
    void fieldChosen(const QString& field);
    // Writes pending header edits without the checks; false on a database error.
    bool post();
    void showRecord(const QVariantMap& header);
    void refreshRows();
    void refreshInstalments();
    void afterRowChange();
    void editRowAt(qint64 rowId);

    ::ui::AppContext& m_context;
    DocumentKind m_kind;
    qint64 m_id;
    bool m_isNew;
    bool m_modified = false;
    QVariantMap m_header;
    ::ui::FieldNavigator* m_navigator;
    ::ui::FieldBinder* m_fields;
    QTabWidget* m_pages;
    ::ui::DataGrid* m_rows = nullptr;
    documents::ui::InstalmentsPanel* m_instalments = nullptr;
    ::ui::DataGrid* m_attachments = nullptr;
};

} // namespace purchases::ui
