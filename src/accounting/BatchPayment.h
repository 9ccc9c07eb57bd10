#pragma once

#include "common/Interaction.h"

#include <QDate>
#include <QList>
#include <QVariant>
#include <optional>

namespace db {
class Database;
}

namespace accounting {

// Paying several instalments at once: this workstation chooses them into
// its work table (TempFatturaScadenzeCumulativo), then one payment date,
// terms, details and bank are recorded on all of them in one transaction,
// each with its cash-book movement when the cash book mirrors invoicing.
// Instalments of every kind of document are paid the same way.
class BatchPayment {
public:
    struct Chosen {
        qint64 workId = 0;
        qint64 instalmentId = 0;
        double amount = 0;
        QString operation;
        QDate due;
    };
    struct Payment {
        QDate date;
        QVariant termsId;
        QString details;
        QVariant bankId;
    };

    static void choose(db::Database& db, const QList<qint64>& instalmentIds);
    static void release(db::Database& db, qint64 workId);
    static void releaseAll(db::Database& db);
    static QList<Chosen> chosen(db::Database& db);
    static double total(const QList<Chosen>& rows);

    // "Paga fatture" of the list: refused with nothing chosen.
    static std::optional<common::Failure> checkChosen(db::Database& db);
    // "Paga fatture" of the dialog: the date, the question, then every
    // chosen instalment paid; false when nothing was written.
    static bool pay(db::Database& db, common::Interaction& ui, const Payment& payment);
};

} // namespace accounting
