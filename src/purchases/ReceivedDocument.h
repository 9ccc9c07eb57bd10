#pragma once

#include "db/Database.h"
#include "purchases/ReceivedInvoice.h"

#include <QDate>

namespace purchases {

// One body of a received file as a supplier invoice or credit note. A body
// already registered (same supplier, kind, number and date) only gets the
// rows it lacks; a new one gets its registration number, rows,
// instalments from the file's payments, totals and cash book.
class ReceivedDocument {
public:
    struct Result {
        bool created = false;
        int rowsAdded = 0;
        QString text; // what became of it, for the user
    };
    // One transaction.
    // A new document keeps `xml` and the embedded files under `filesFolder`
    // (nothing when it is empty).
    static Result import(db::Database& db, const ReceivedInvoice& invoice, const ReceivedBody& body,
                         const QDate& today, const QByteArray& xml = QByteArray(),
                         const QString& filesFolder = QString());

    // "TD01" and the other invoice types, "TD04"; nothing for the others.
    enum class Kind { None, Invoice, CreditNote };
    static Kind kindOf(const QString& documentType);

    // The VAT code of a rate (and nature when the rate is 0); created when
    // missing and `create` is set. 0 when there is none.
    static qint64 vatCode(db::Database& db, double rate, const QString& nature, bool create);
};

} // namespace purchases
