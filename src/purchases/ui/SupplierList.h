#pragma once

#include "documents/DocumentKind.h"
#include "ui/ListScreen.h"

class QLineEdit;

namespace purchases::ui {

using documents::DocumentKind;

// The list of supplier invoices ("Fatture di Acquisto") or supplier credit
// notes, ordered by registration number: searches by the supplier's number
// and name, filters by document and registration dates. "Aggiungi"
// registers a new document with its number and opens it; "Elimina" removes
// it with its rows, instalments and cash-book movements.
class SupplierList : public ::ui::ListScreen {
    Q_OBJECT
public:
    SupplierList(::ui::AppContext& context, DocumentKind kind, QWidget* parent = nullptr);

    QString condition() const override;
    QLineEdit* filterBox(const QString& name) const;

public slots:
    void removeDocument();
    void printList(); // "Stampa": the list as filtered
    void search();    // "Ricerca": a document found by its supplier, opened

protected:
    qint64 insertRow() override;
    void openCard(qint64 key, bool isNew) override;

private:
    DocumentKind m_kind;
};

} // namespace purchases::ui
