#pragma once

#include "common/Interaction.h"
#include "db/Database.h"

#include <QDate>
#include <QList>
#include <QVariantMap>
#include <optional>

namespace documents {

// "Trova Fattura" and "Importa Righe" of a customer credit note: the
// credited invoice and the copy of its rows.
class CreditNoteImport {
public:
    struct Invoice {
        qint64 id = 0;
        QDate date;
        qint64 number = 0;
        QString series;
        double total = 0;
    };

    // The customer's invoices by date and number; the failure when the
    // note has no customer yet.
    static std::optional<common::Failure> invoicesOf(db::Database& db, const QVariantMap& note,
                                                     QList<Invoice>* invoices);
    // Records the chosen invoice on the note (NCFattIDRif, NCFattNumRif,
    // NCFatSerieRif, NCFattDataRif); the record only.
    static void chooseInvoice(QVariantMap& note, const Invoice& invoice);

    // Copies the credited invoice's rows into the note, replacing an earlier
    // copy of the same invoice ("N" rows put their quantity back in stock),
    // writes the note's credited-invoice columns, its plain sums and its
    // instalments: one transaction. Then shows the confirmation. The note
    // is read back into the record.
    static std::optional<common::Failure> importRows(db::Database& db, common::Interaction& ui,
                                                     QVariantMap& note);
};

} // namespace documents
