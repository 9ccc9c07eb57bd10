#pragma once

#include "common/Interaction.h"

#include <QVariantMap>
#include <optional>

namespace db {
class Database;
}

namespace accounting {

// Classes, groupings and accounts. Deleting one removes what hangs below
// it; document rows and movements keep the ids they pointed to.
class ChartOfAccounts {
public:
    static std::optional<common::Failure> validateClass(const QVariantMap& v);
    static std::optional<common::Failure> validateGrouping(const QVariantMap& v);
    static std::optional<common::Failure> validateAccount(const QVariantMap& v);

    // Run inside the delete transaction of the row itself.
    static void removeBelowClass(db::Database& db, qint64 classId);
    static void removeBelowGrouping(db::Database& db, qint64 groupingId);

    // The account search: class, grouping and account of every account.
    static QString accountSearchSelect();
    static QString accountSearchOrder();
};

} // namespace accounting
