#pragma once

#include "common/Interaction.h"
#include "db/Database.h"
#include "purchases/SupplierTables.h"

#include <QVariantMap>
#include <optional>

namespace purchases {

// The rows of supplier invoices (Movimenti) and credit notes
// (NotaCreditoCaricoRighe). Each action that writes is one transaction that
// moves the stock of "N" rows and ends with the document's totals and
// instalments.
class SupplierRows {
public:
    // The values of a new row ("Aggiungi"), not yet written: the row editor
    // completes it and its save inserts it.
    static QVariantMap newRow(db::Database& db, DocumentKind kind, qint64 documentId);

    static QVariantMap load(db::Database& db, DocumentKind kind, qint64 rowId);

    // Picking a price-list article: code, description, department, the
    // article's last purchase conditions and kind "N". False when the
    // article does not exist.
    static bool chooseArticle(db::Database& db, QVariantMap& row, qint64 articleId);

    // The row editor's "Salva": quantity check, stock by the change of
    // quantity (or of article), amounts, purchase prices and insertion date
    // of the article, then the totals and instalments. The row is read back.
    static std::optional<common::Failure> save(db::Database& db, DocumentKind kind,
                                               qint64 documentId, QVariantMap& row);

    // Deletes a row, giving back what it moved in stock, and recomputes.
    static void remove(db::Database& db, DocumentKind kind, qint64 rowId);

    // Deletes every row of a document without recomputing, stock given back,
    // in the caller's transaction.
    static void removeAll(db::Database& db, DocumentKind kind, qint64 documentId);

    // The row's net amount (TotaleImponibile) and its total with VAT.
    static void applyAmounts(QVariantMap& row);
    // "Calcola il Valore Unitario e l'Imponibile": the unit price from the
    // total with VAT (the default rate when the row has none).
    static std::optional<common::Failure> unitFromGross(QVariantMap& row, double defaultVatRate);
    // "Calcola il Valore Unitario": the unit price from the net amount.
    static void unitFromTaxable(QVariantMap& row);

    // A number of the row, typed (Italian) or stored.
    static double number(const QVariantMap& row, const QString& column);
    static bool isEmpty(const QVariantMap& row, const QString& column);
};

} // namespace purchases
