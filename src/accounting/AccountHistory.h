#pragma once

#include "common/Interaction.h"

#include <QDate>
#include <optional>

namespace db {
class Database;
}

namespace accounting {

// "Storia Contabilità": the accounts this workstation chose
// (tempStoriaContabilitaTestata) and, for a period, the document rows on
// them written into tempStoriaContabilitaRighe for the print, one
// statement per kind of document.
class AccountHistory {
public:
    static void add(db::Database& db, qint64 accountId);
    static void remove(db::Database& db, qint64 chosenId);
    // "Azzera": this workstation's choice emptied.
    static void clear(db::Database& db);
    static std::optional<common::Failure> prepare(db::Database& db, const QDate& from,
                                                  const QDate& to);
};

} // namespace accounting
