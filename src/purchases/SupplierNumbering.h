#pragma once

#include "common/Interaction.h"
#include "db/Database.h"
#include "purchases/SupplierOptions.h"
#include "purchases/SupplierTables.h"

#include <QDate>
#include <optional>

namespace purchases {

// Registration numbers (ProgressivoCarico) of supplier invoices and credit
// notes and the warnings about numbers already in the archive.
class SupplierNumbering {
public:
    // Taken before reading "max + 1", so that two workstations registering
    // at once never get the same number.
    static QString lockName() { return QStringLiteral("progressivo carico"); }

    // The highest registration number of the supplier documents not in
    // history, plus 1. Invoices and credit notes share one sequence unless
    // credit notes are numbered on their own. Call after lockScope.
    static int nextNumber(db::Database& db, DocumentKind kind, const SupplierOptions& options);

    // The number already used by another document registered in the same
    // year: the warning to show (the value is kept).
    static std::optional<common::Failure>
    registrationWarning(db::Database& db, DocumentKind kind, const QVariant& number,
                        const QDate& registered, qint64 documentId, const SupplierOptions& options);
    // The supplier's document number and date already registered for the
    // same supplier (same kind).
    static std::optional<common::Failure> duplicateWarning(db::Database& db, DocumentKind kind,
                                                           const QString& number, const QDate& date,
                                                           qint64 supplierId, qint64 documentId);
    // "controlloFattura": the same number and date from any supplier,
    // invoices and credit notes alike.
    static std::optional<common::Failure> invoiceCheck(db::Database& db, const QString& number,
                                                       const QDate& date, qint64 documentId);
};

} // namespace purchases
