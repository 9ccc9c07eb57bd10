#pragma once

#include "documents/DocumentKind.h"

#include <QDialog>
#include <QVariantMap>

class QComboBox;
class QLabel;
class QStatusBar;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace ui {
class FieldBinder;
struct AppContext;
class DataGrid;
class FieldNavigator;
} // namespace ui

namespace documents::ui {

class DocumentRowsPanel;
class InvoiceLinksPanel;

// The editor of one customer invoice ("Fatturazione") or credit note
// ("Nota di Credito"): pages "Testata", "Righe", "Importazioni" (invoices),
// "Accompagnatoria", "Allegati", "Altro". Row, instalment, import and
// attachment actions write at once, each in its own transaction, and show
// the new totals; the header is written by "Salva", by "Indietro" when it
// changed, and silently when the customer or the payment terms change.
class InvoiceEditor : public QDialog {
    Q_OBJECT
public:
    InvoiceEditor(::ui::AppContext& context, DocumentKind kind, qint64 documentId, bool isNew,
                  QWidget* parent = nullptr);

    DocumentKind kind() const { return m_kind; }
    qint64 documentId() const { return m_id; }
    bool isModified() const { return m_modified; }
    bool validationFailed() const { return m_validationFailed; }
    // The header as shown: the stored record with the editors' values.
    QVariantMap record() const;

    ::ui::FieldBinder* fields() const { return m_fields; }
    QTabWidget* pages() const { return m_pages; }
    ::ui::DataGrid* rowsGrid() const { return m_rows; }
    ::ui::DataGrid* instalmentsGrid() const { return m_instalments; }
    ::ui::DataGrid* attachmentsGrid() const { return m_attachments; }
    ::ui::DataGrid* quotesGrid() const { return m_quotes; }
    ::ui::DataGrid* contractsGrid() const { return m_contracts; }
    QLineEdit* codeBox() const { return m_code; }
    QComboBox* quoteChoice() const { return m_quoteChoice; }
    QComboBox* contractChoice() const { return m_contractChoice; }
    // "Ordini" and "Buoni" of the "Importazioni" page; null on credit notes.
    InvoiceLinksPanel* links() const { return m_links; }
    QPushButton* button(const QString& objectName) const;

public slots:
    bool save();          // "Salva"
    void cancelEdit();    // "Annulla"
    void goBack();        // "Indietro"
    void print();         // "Stampa"
    void exportXml();     // "Esporta xml"
    void exportAndSend(); // "Esporta ed invia"
    void showCashBook();  // "prima nota"
    void totals();        // "Totali"

    void addRowByCode(); // Enter in the code box

    void addInstalment();
    void editInstalment();
    void removeInstalment();

    void addAttachment();
    void editAttachment();
    void removeAttachment();

    void importQuote(int index);
    void removeQuote();
    void importContract(int index);
    void removeContract();

    void findInvoice(); // "Trova Fattura"
    void importRows();  // "Importa Righe"

    void reject() override;

private:
    QWidget* buildHeaderPage();
    QWidget* buildRowsPage();
    QWidget* buildImportsPage();
    QWidget* buildTransportPage();
    QWidget* buildAttachmentsPage();
    QWidget* buildOtherPage();

    void fieldChosen(const QString& field);
    void fieldLeft(const QString& field);
    void stampTyped();
    void customerChosen();
    void termsChosen();

    // After an action that changed the stored document: the totals and the
    // credited invoice shown again, the pending header edits kept.
    void showComputed();
    void showRecord(const QVariantMap& header);
    void refreshRows();
    void afterRowChange();
    void totalsChanged();
    void refreshInstalments();
    void refreshAttachments();
    void refreshImports();
    void editInstalmentAt(qint64 instalmentId, bool isNew);
    // Writes pending header edits without the checks (print, exports).
    bool post();
    // The line over the pages of a document already exported as XML.
    void showExported();
    // Before the first change of an exported document's totals: asks once.
    bool mayChangeTotals();

    ::ui::AppContext& m_context;
    DocumentKind m_kind;
    qint64 m_id;
    QVariantMap m_header;
    bool m_modified = false;
    bool m_isNew = false; // created by "Aggiungi": "Annulla" takes it away again
    bool m_validationFailed = false;
    bool m_dateOrderPending = false;
    bool m_stampPending = false;
    bool m_totalsChangeAllowed = false;

    ::ui::FieldNavigator* m_navigator;
    ::ui::FieldBinder* m_fields;
    QTabWidget* m_pages;
    QLabel* m_exported = nullptr;
    QStatusBar* m_status = nullptr;
    ::ui::DataGrid* m_rows = nullptr;
    ::ui::DataGrid* m_instalments = nullptr;
    ::ui::DataGrid* m_attachments = nullptr;
    ::ui::DataGrid* m_quotes = nullptr;
    ::ui::DataGrid* m_contracts = nullptr;
    QLineEdit* m_code = nullptr;
    QComboBox* m_quoteChoice = nullptr;
    QComboBox* m_contractChoice = nullptr;
    InvoiceLinksPanel* m_links = nullptr;
    // The "Righe" page, shared with the other customer documents.
    DocumentRowsPanel* m_rowsPanel = nullptr;
};

} // namespace documents::ui
