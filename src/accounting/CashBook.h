#pragma once

#include "common/Interaction.h"

#include <QDate>
#include <QStringList>
#include <QVariantMap>
#include <optional>

namespace db {
class Database;
}

namespace accounting {

// The cash book (finanzia): the movement card's checks, the delete rule for
// movements that belong to a document, the totals and opening balances of
// the list and the monthly prints.
class CashBook {
public:
    // "Aggiungi": a movement typed by hand, dated today; its key.
    static qint64 add(db::Database& db, const QDate& today);

    // After the card's save: the rate of the chosen VAT code.
    static void copyVatRate(db::Database& db, qint64 movementId);

    // The card's checks, in order: date, operation, VAT code of takings.
    static std::optional<common::Failure> validate(const QVariantMap& movement);

    // True when the movement is written by a document's payment and the
    // company mirrors invoicing in the cash book: the card is read-only and
    // the movement cannot be deleted from here.
    static bool belongsToDocument(db::Database& db, qint64 movementId);

    // "Elimina": asks, refuses a document's movement; true when deleted.
    static bool remove(db::Database& db, common::Interaction& ui, qint64 movementId);

    struct Totals {
        double in = 0;
        double out = 0;
        double total() const;
    };
    // "Totalizza" over the list's condition (on the output columns of the
    // list's select), one aggregate statement.
    static Totals totals(db::Database& db, const QString& jetCondition);

    // Opening balance of a month: the configured opening balance plus every
    // earlier movement of every year; for one bank, its balance at the start
    // of the year plus that bank's earlier movements.
    static double openingBalance(db::Database& db, const QDate& firstDay);
    // The opening balance of the options (SaldoInizialePrimaNota), the
    // starting point of the prints of the whole cash book.
    static double configuredOpeningBalance(db::Database& db);
    static double bankOpeningBalance(db::Database& db, const QDate& firstDay, qint64 bankId);

    // The monthly prints: month, year and opening balance, in this order,
    // and for the print by bank the bank after the month.
    static std::optional<common::Failure> checkMonthlyPrint(const QVariant& month,
                                                            const QString& year,
                                                            const QString& openingBalance,
                                                            bool byBank, const QVariant& bank);

    // The list's joined select (without condition and order).
    static QString listSelect();
    // The list's columns that are the movement's own: a condition naming
    // only these is answered by finanzia alone, since every join of the
    // list is a left join on a key and keeps one row per movement.
    static QStringList movementColumns();
    static QString listFrom();
};

} // namespace accounting
