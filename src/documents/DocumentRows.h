#pragma once

#include "common/Interaction.h"
#include "db/Database.h"
#include "documents/DocumentKind.h"
#include "documents/DocumentOptions.h"

#include <QDate>
#include <QVariantMap>
#include <optional>

namespace documents {

// The rows of a customer invoice (fattdett) or credit note
// (NotaCreditoRighe). Each action that writes is one transaction ending
// with the document's totals and instalments.
class DocumentRows {
public:
    // NumeroRiga of a new row: the row count + 1 when the option asks for
    // increasing numbers, else 1.
    static int nextRowNumber(db::Database& db, DocumentKind kind, qint64 documentId,
                             const DocumentOptions& options);

    // Adds a price-list article as a row (delivery notes and receipts take
    // it out of stock at once). The new row's key, 0 when the article does
    // not exist.
    static qint64 addArticle(db::Database& db, DocumentKind kind, qint64 documentId,
                             qint64 articleId, const QDate& today = QDate::currentDate());
    // The code box: looks the article up among those not cancelled.
    static std::optional<common::Failure> addByCode(db::Database& db, DocumentKind kind,
                                                    qint64 documentId, const QString& code,
                                                    qint64* rowId = nullptr,
                                                    const QDate& today = QDate::currentDate());
    // "Articolo non in archivio": a blank row to complete in the row editor.
    static qint64 addFreeRow(db::Database& db, DocumentKind kind, qint64 documentId);

    // Cost rows of delivery notes and receipts: "Spese di Trasporto" (kind
    // "T": a percentage of the document's taxable amount or a fixed amount,
    // by the options) and "Spese di Incasso" (kind "S": a fixed amount), at
    // the default VAT rate, then the totals. Nothing stops a second one.
    enum class Cost { Transport, Collection };
    static qint64 addCostRow(db::Database& db, DocumentKind kind, qint64 documentId, Cost cost);
    static double costAmount(Cost cost, const DocumentOptions& options, double taxable);

    static QVariantMap load(db::Database& db, DocumentKind kind, qint64 rowId);

    // The row editor's "Salva": checks, stock of "N" rows by the change of
    // quantity, amounts, the row (inserted when it has no key), then the
    // document's totals and instalments. On success the row is read back.
    static std::optional<common::Failure> save(db::Database& db, DocumentKind kind,
                                               qint64 documentId, QVariantMap& row);

    // Deletes a row: stock of an "N" row back, its contract row and stock
    // unload no longer invoiced, then totals and instalments.
    static void remove(db::Database& db, DocumentKind kind, qint64 rowId);
    static QString removeQuestion(DocumentKind kind);

    // Deletes rows without recomputing, in the caller's transaction: each
    // "N" row gives back what its insertion moved. Used by imports and
    // document deletion.
    static void removeWhere(db::Database& db, DocumentKind kind, const QString& condition,
                            const QVariantList& binds);
};

} // namespace documents
