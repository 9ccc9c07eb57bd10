#pragma once

#include "accounting/VatPeriod.h"
#include "common/Interaction.h"

#include <QList>
#include <QVariant>
#include <optional>

namespace db {
class Database;
}

namespace accounting {

enum class RegisterKind { Purchases, Sales };

// One row of a register: a document's rows of one VAT code and account.
// Credit notes count negative, so that a quarter's totals are what the
// settlement of that quarter settles. Amounts are kept unrounded.
struct RegisterLine {
    int quarter = 0;
    qint64 documentId = 0;
    qint64 vatId = 0;
    qint64 account = 0;
    double taxable = 0;
    double vat = 0;
    double total = 0;
};

// A quarter's totals, rounded to the cent.
struct QuarterTotal {
    int quarter = 0;
    QString description;
    double taxable = 0;
    double vat = 0;
    double total = 0;
};

struct Register {
    QList<RegisterLine> lines;    // in quarter, document, code, account order
    QList<QuarterTotal> quarters; // always the four quarters
};

// The purchase register (supplier documents by registration date) and the
// sales register (customer documents by date), written into this
// workstation's work tables for the print.
class VatRegisters {
public:
    // Both dates given, in the same year.
    static std::optional<common::Failure> checkDates(const QDate& from, const QDate& to);
    // Every row of the period's documents must point to an account; the
    // failure names the documents that have rows without one.
    static std::optional<common::Failure> checkLinks(db::Database& db, RegisterKind kind,
                                                     const Period& p);
    // The checks, then the work tables filled in one transaction.
    static std::optional<common::Failure> prepare(db::Database& db, RegisterKind kind,
                                                  const QDate& from, const QDate& to);
    // Fills the work tables without the checks.
    static void fill(db::Database& db, RegisterKind kind, const Period& p);
    // What the work tables of this workstation hold.
    static Register read(db::Database& db, RegisterKind kind);
};

} // namespace accounting
