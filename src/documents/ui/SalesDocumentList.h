#pragma once

#include "documents/DocumentKind.h"
#include "ui/ListScreen.h"

class QComboBox;
class QLineEdit;

namespace documents::ui {

struct SalesProfile;

// The list of delivery notes, quotes, customer orders or receipts: those
// not in history (in history mode, those dated in the chosen range), with
// the profile's grid and filter boxes joined by " and ". "Aggiungi"
// numbers a new document (delivery notes ask the series first when series
// are in use) and opens it; "Elimina" asks and takes the rows with it,
// giving the stock back. Quotes also turn into an invoice here.
class SalesDocumentList : public ::ui::ListScreen {
    Q_OBJECT
public:
    SalesDocumentList(::ui::AppContext& context, DocumentKind kind, QWidget* parent = nullptr);

    DocumentKind kind() const { return m_kind; }
    QString condition() const override;
    // The filter boxes' conditions only.
    QString selection() const;
    QLineEdit* filterBox(const QString& name) const;
    QComboBox* filterChoice(const QString& name) const;

public slots:
    void search();
    void resetFilter();
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
    QString m_applied;
};

} // namespace documents::ui
