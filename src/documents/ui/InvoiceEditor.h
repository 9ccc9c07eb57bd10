#pragma once

#include "documents/ui/DocumentEditor.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace ui {
class DataGrid;
} // namespace ui

namespace documents::ui {

class InstalmentsPanel;
class InvoiceLinksPanel;

// The editor of one customer invoice ("Fatturazione") or credit note
// ("Nota di Credito"): pages "Testata" (with the instalments), "Righe",
// "Importazioni" (invoices), "Accompagnatoria", "Allegati", "Altro". Row,
// instalment, import and attachment actions write at once, each in its own
// transaction, and show the new totals; the header is written by "Salva",
// by "Indietro" when it changed, and silently when the customer or the
// payment terms change.
class InvoiceEditor : public DocumentEditor {
    Q_OBJECT
public:
    InvoiceEditor(::ui::AppContext& context, DocumentKind kind, qint64 documentId, bool isNew,
                  QWidget* parent = nullptr);

    ::ui::DataGrid* rowsGrid() const { return m_rows; }
    ::ui::DataGrid* instalmentsGrid() const;
    ::ui::DataGrid* attachmentsGrid() const { return m_attachments; }
    ::ui::DataGrid* quotesGrid() const { return m_quotes; }
    ::ui::DataGrid* contractsGrid() const { return m_contracts; }
    QLineEdit* codeBox() const { return m_code; }
    QComboBox* quoteChoice() const { return m_quoteChoice; }
    QComboBox* contractChoice() const { return m_contractChoice; }
    // "Ordini" and "Buoni" of the "Importazioni" page; null on credit notes.
    InvoiceLinksPanel* links() const { return m_links; }

public slots:
    void exportXml();     // "Esporta xml"
    void exportAndSend(); // "Esporta ed invia"
    void showCashBook();  // "prima nota"
    void totals();        // "Totali"

    void addRowByCode(); // Enter in the code box

    void addAttachment();
    void editAttachment();
    void removeAttachment();

    void importQuote(int index);
    void removeQuote();
    void importContract(int index);
    void removeContract();

    void findInvoice(); // "Trova Fattura"
    void importRows();  // "Importa Righe"

protected:
    QVariantMap loadHeader() override;
    std::optional<common::Failure> writeHeader(QVariantMap& header) override;
    void removeDocument() override;
    void applyCustomer(QVariantMap& header, qint64 customer) override;
    void headerSaved(const QVariantMap& header) override;
    void customerApplied() override;
    QStringList computedFields() const override;
    void fieldEdited(const QString& field) override;
    void fieldChosen(const QString& field) override;
    void fieldLeft(const QString& field) override;
    // Every row action ends with the totals and instalments shown again.
    void rowsChanged() override;
    // Writes pending header edits without the checks (print, exports).
    bool post() override;

private:
    QWidget* buildHeaderPage();
    void buildRowsPage();
    QWidget* buildImportsPage();
    QWidget* buildTransportPage();
    QWidget* buildAttachmentsPage();
    QWidget* buildOtherPage();

    void stampTyped();
    void termsChosen();

    void refreshRows();
    void afterRowChange();
    void refreshInstalments();
    void refreshAttachments();
    void refreshImports();
    // The line over the pages of a document already exported as XML.
    void showExported();
    // Before the first change of an exported document's totals: asks once.
    bool mayChangeTotals();

    bool m_dateOrderPending = false;
    bool m_stampPending = false;
    bool m_totalsChangeAllowed = false;

    QLabel* m_exported = nullptr;
    ::ui::DataGrid* m_rows = nullptr;
    InstalmentsPanel* m_instalmentPanel = nullptr;
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
