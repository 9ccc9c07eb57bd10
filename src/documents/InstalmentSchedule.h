#pragma once

#include "db/Database.h"
#include "documents/DocumentOptions.h"

#include <QDate>

namespace documents {

// The instalments (FatturaScadenze) of a customer invoice or credit note
// and, when the company mirrors invoicing in the cash book, the issue
// movement and the movements of instalments paid at once.
class InstalmentSchedule {
public:
    enum class Mode {
        Regenerate, // after the payment terms change: everything written anew
        Refresh     // after the totals change: amounts and descriptions updated
    };

    // Runs inside the caller's transaction. Refresh keeps each instalment's
    // due date and, for a recorded payment (DataPagamento set), its Pagato;
    // instalments the terms ask for but missing are added as Regenerate
    // would. Nothing happens without payment terms.
    static void generate(db::Database& db, qint64 documentId, Mode mode,
                         const DocumentOptions& options, const QDate& today = QDate::currentDate());
    static void generate(db::Database& db, qint64 documentId, Mode mode);

    // " N° 5 A  Data: 15/01/2025 ": number, series and date of the document,
    // each when set.
    static QString references(const QVariant& number, const QString& series, const QDate& date);
    // What the whole schedule adds up to: the taxable amount plus the stamp
    // under split payment, else the document total.
    static double amountToPay(double total, double taxable, double stamp, bool splitPayment);
    // Each instalment's amount: the whole for 0 or 1 instalments, else the
    // rounded share; the last one takes the rounding difference so that the
    // instalments add up to the amount (100,00 in three: 33,33 33,33 33,34).
    static double instalmentAmount(double amountToPay, int count, int number = 1);
};

} // namespace documents
