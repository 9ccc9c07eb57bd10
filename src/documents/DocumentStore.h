#pragma once

#include "common/Interaction.h"
#include "db/Database.h"
#include "documents/DocumentKind.h"
#include "documents/DocumentOptions.h"
#include "documents/InstalmentSchedule.h"

#include <QDate>
#include <QVariantMap>
#include <optional>

namespace documents {

// Customer invoices and credit notes as whole documents: creation with its
// number, the header save, the totals with their instalments and cash-book
// movements. Every function that writes is one transaction.
class DocumentStore {
public:
    struct NewDocument {
        bool history = false; // the program works on the history
        QString series;       // chosen series; null for none
        QDate today = QDate::currentDate();
    };

    // "Aggiungi": numbers the document under the numbering lock, sets the
    // defaults of the options (withholding, bank, payment terms) and writes
    // the schedule of the default terms. The new document's Id.
    static qint64 create(db::Database& db, DocumentKind kind, const NewDocument& request);

    // The header as column → value; empty when there is none.
    static QVariantMap load(db::Database& db, qint64 id);

    // "Salva": the checks, then the header, its totals and its instalments
    // (regenerated when the payment terms differ from the stored ones,
    // refreshed otherwise). On success the record is read back.
    static std::optional<common::Failure> save(db::Database& db, DocumentKind kind,
                                               QVariantMap& header);
    // The save the editor makes on its own: no checks.
    static void saveSilently(db::Database& db, DocumentKind kind, QVariantMap& header);

    // Choosing the customer: copies its data, then saves silently with the
    // schedule regenerated. False when the customer does not exist.
    static bool chooseCustomer(db::Database& db, DocumentKind kind, QVariantMap& header,
                               qint64 customerId);
    // Changing the payment terms: saves silently with the schedule regenerated.
    static void changePaymentTerms(db::Database& db, DocumentKind kind, QVariantMap& header,
                                   const QVariant& termsId);

    // Totals (reference computation) followed by the schedule, in the
    // caller's transaction when there is one.
    static void recalculate(db::Database& db, qint64 id,
                            InstalmentSchedule::Mode mode = InstalmentSchedule::Mode::Refresh);
    // The "Totali" button: the same as one transaction.
    static void recalculateNow(db::Database& db, qint64 id);

private:
    static void write(db::Database& db, DocumentKind kind, QVariantMap& header,
                      std::optional<InstalmentSchedule::Mode> mode);
};

} // namespace documents
