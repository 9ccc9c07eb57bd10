#pragma once

#include "common/Interaction.h"
#include "db/Database.h"
#include "purchases/SupplierOptions.h"
#include "purchases/SupplierTables.h"

#include <QDate>
#include <QVariantMap>
#include <optional>

namespace purchases {

// Supplier invoices and credit notes as whole documents: registration with
// its number, the header checks and save, the supplier choice, the totals
// with their instalments. Every function that writes is one transaction.
class SupplierDocuments {
public:
    struct NewDocument {
        bool history = false; // the program works on the history
        QDate today = QDate::currentDate();
    };

    // "Aggiungi": the header with its registration number (read under the
    // numbering lock), today's dates and the default bank and terms.
    static qint64 create(db::Database& db, DocumentKind kind, const NewDocument& request);

    static QVariantMap load(db::Database& db, qint64 id);

    static std::optional<common::Failure> validate(DocumentKind kind, const QVariantMap& header);

    // "Salva": the checks, then the header, its totals and instalments.
    // On success the record is read back.
    static std::optional<common::Failure> save(db::Database& db, DocumentKind kind,
                                               QVariantMap& header);
    // The save the editor makes on its own (after a supplier or terms
    // choice): no checks.
    static void saveSilently(db::Database& db, DocumentKind kind, QVariantMap& header);

    // Choosing the supplier: copies its name, warns about the supplier's
    // document already registered, takes its payment terms, saves silently.
    // False when the supplier does not exist.
    static bool chooseSupplier(db::Database& db, common::Interaction& ui, DocumentKind kind,
                               QVariantMap& header, qint64 supplierId);

    // Totals then instalments and cash book, in the caller's transaction.
    static void recalculate(db::Database& db, qint64 id);
    static void recalculate(db::Database& db, qint64 id, const SupplierOptions& options);
    static void recalculateNow(db::Database& db, qint64 id);
};

} // namespace purchases
