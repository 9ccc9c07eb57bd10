#pragma once

#include "common/Interaction.h"
#include "db/Database.h"
#include "purchases/ReceivedBatch.h"
#include "purchases/ReceivedInvoice.h"

#include <QDate>
#include <QList>
#include <QString>

namespace purchases {

// What became of one received file.
struct ImportOutcome {
    enum class Status {
        Imported, // at least one new document
        Added,    // rows added to documents already registered
        Skipped,  // nothing to do (already imported, other document kinds, not ours)
        Refused   // the file cannot be imported; the archive is as it was
    };
    Status status = Status::Skipped;
    QString text; // one Italian sentence per document or the reason

    QString statusText() const;
};

// The import of received FatturaPA files as supplier invoices and credit
// notes: the seller as supplier, each body its own document in its own
// transaction with its rows, instalments and totals. Importing the same file
// again adds only rows not yet there.
class FatturaPaImport {
public:
    static QString notOursQuestion();

    // `ui` answers the question about a file addressed to another company.
    // `filesFolder`: where the received file and its embedded attachments
    // are kept with each new document; empty keeps nothing.
    static ImportOutcome importFile(db::Database& db, common::Interaction& ui, const QString& path,
                                    const QDate& today = QDate::currentDate(),
                                    const QString& filesFolder = QString());
    static ImportOutcome importEntry(db::Database& db, common::Interaction& ui,
                                     const ReceivedEntry& entry,
                                     const QDate& today = QDate::currentDate(),
                                     const QString& filesFolder = QString());
    static ImportOutcome importBytes(db::Database& db, common::Interaction& ui,
                                     const QByteArray& bytes, bool signedEnvelope,
                                     const QDate& today = QDate::currentDate(),
                                     const QString& filesFolder = QString());

    // True when the file is addressed to the company by channel or identity.
    static bool addressedToUs(db::Database& db, const ReceivedInvoice& invoice);
};

} // namespace purchases
