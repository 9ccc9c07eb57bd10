#pragma once

#include "common/Interaction.h"
#include "db/Database.h"
#include "documents/DocumentKind.h"
#include "documents/DocumentOptions.h"

#include <QDate>
#include <QStringList>
#include <QTime>
#include <QVariantMap>
#include <optional>

namespace documents {

// Delivery notes, quotes, customer orders and receipts as whole documents:
// numbering on "Aggiungi", the header's checks and save, the customer
// choice, and the deletion that gives the stock back. Rows are
// DocumentRows', totals DocumentTotals'. Every function that writes is one
// transaction.
class SalesDocuments {
public:
    struct NewDocument {
        bool history = false; // the program works on the history
        QString series;       // delivery notes: the chosen series, null for none
        QDate today = QDate::currentDate();
        QTime now = QTime::currentTime();
    };

    // The lock taken before reading the kind's "max + 1" number.
    static QString lockName(DocumentKind kind);
    // Next Numero: delivery notes per series when series are in use, the
    // others over the whole table; among documents not in history; 1 when
    // there is none. Inside the write transaction, after the lock.
    static qint64 nextNumber(db::Database& db, DocumentKind kind, const QString& series,
                             const DocumentOptions& options);
    // "Aggiungi": a numbered header dated today (an order takes the same
    // number as its internal number; a quote takes the withholding option).
    static qint64 create(db::Database& db, DocumentKind kind, const NewDocument& request);

    static QVariantMap load(db::Database& db, DocumentKind kind, qint64 id);

    // The save checks of the kind in their order; the first failure wins.
    static std::optional<common::Failure> validate(DocumentKind kind, const QVariantMap& header);
    // "Salva": the checks, then the header and its totals; the record is
    // read back. An order is marked as history by the working mode.
    static std::optional<common::Failure> save(db::Database& db, DocumentKind kind,
                                               QVariantMap& header, bool history = false);

    // Choosing the customer copies its name for documents (and, on a quote,
    // whether withholding applies, as on invoices). False when unknown.
    static bool applyCustomer(db::Database& db, DocumentKind kind, QVariantMap& header,
                              qint64 customerId);

    // The articles of a document's "N" rows whose stock is below zero, as
    // "code description (giacenza n)"; the warning naming them, empty when
    // there are none.
    static QStringList articlesBelowZero(db::Database& db, DocumentKind kind, qint64 id);
    static QString belowZeroWarning(const QStringList& articles);

    // The delivery-note date-order warning: the note before this one (lower
    // number, same year, same series with series in use) dated later.
    static std::optional<QString> dateOrderWarning(db::Database& db, const QVariant& number,
                                                   const QDate& date, const QString& series);

    // "Elimina": the rows (stock of "N" rows back where the kind moves it),
    // the invoice links, the header.
    static void remove(db::Database& db, DocumentKind kind, qint64 id);
    static QString question(DocumentKind kind);
    static bool confirmAndRemove(db::Database& db, common::Interaction& ui, DocumentKind kind,
                                 qint64 id);
};

} // namespace documents
