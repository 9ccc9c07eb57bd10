#pragma once

#include "documents/ui/DocumentEditor.h"

namespace documents::ui {

struct SalesProfile;

// The editor of a delivery note, quote, customer order or receipt: pages
// "Testata" (the profile's fields and the totals) and "Righe" (the shared
// rows panel). Row actions write at once and show the new totals; the
// header is written by "Salva", and by "Indietro" when it changed.
class SalesDocumentEditor : public DocumentEditor {
    Q_OBJECT
public:
    SalesDocumentEditor(::ui::AppContext& context, DocumentKind kind, qint64 documentId, bool isNew,
                        QWidget* parent = nullptr);

    DocumentRowsPanel* rows() const { return m_rows; }

public slots:
    void printHalf();     // "St. Metà"
    void exportAndSend(); // "Esporta ed invia"

protected:
    QVariantMap loadHeader() override;
    std::optional<common::Failure> writeHeader(QVariantMap& header) override;
    void removeDocument() override;
    void applyCustomer(QVariantMap& header, qint64 customer) override;
    void headerSaved(const QVariantMap& header) override;
    void fieldEdited(const QString& field) override;
    void fieldLeft(const QString& field) override;

private:
    const SalesProfile& m_sales;
    bool m_dateOrderPending = false;
    DocumentRowsPanel* m_rows = nullptr;
};

} // namespace documents::ui
