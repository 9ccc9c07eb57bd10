#pragma once

#include "documents/DocumentKind.h"
#include "documents/ui/FilteredDocumentList.h"

namespace documents::ui {

struct SalesProfile;

// The list of delivery notes, quotes, customer orders or receipts: those
// not in history (in history mode, those dated in the chosen range), with
// the profile's grid and filter boxes joined by " and ". "Aggiungi"
// numbers a new document (delivery notes ask the series first when series
// are in use) and opens it; "Elimina" asks and takes the rows with it,
// giving the stock back. Quotes also turn into an invoice here.
class SalesDocumentList : public FilteredDocumentList {
    Q_OBJECT
public:
    SalesDocumentList(::ui::AppContext& context, DocumentKind kind, QWidget* parent = nullptr);

    DocumentKind kind() const { return m_kind; }
    QString selection() const override;

public slots:
    void removeDocument();
    void printList();
    void exportAndSend();
    void invoiceQuote(); // "Fattura preventivo"

protected:
    qint64 insertRow() override;
    void openCard(qint64 key, bool isNew) override;

private:
    DocumentKind m_kind;
    const SalesProfile& m_profile;
};

} // namespace documents::ui
