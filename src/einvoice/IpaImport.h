#pragma once

#include "common/Interaction.h"
#include "db/Row.h"

#include <QString>
#include <QVariantMap>
#include <functional>
#include <optional>

namespace db {
class Database;
}

namespace einvoice {

// The directory of public offices that receive electronic invoices
// (PA_Amministrazioni_FatturaElettronica): loaded from the open-data file of
// the IndicePA, searched from a customer's card.

struct IpaImportResult {
    int offices = 0;     // rows written
    int withoutTown = 0; // of which with no town of the archive
    int skipped = 0;     // lines without an office code
};

class IpaImport {
public:
    // Called with the lines done and the total; false stops the import.
    using Progress = std::function<bool(qint64 done, qint64 total)>;

    // Replaces the directory with the offices of a CSV file (separated by
    // semicolons, commas or tabs, with a header naming the columns). One
    // transaction: a file that cannot be read leaves the archive as it was.
    // Failures are thrown as db::DbError with an Italian message.
    static IpaImportResult run(db::Database& db, const QString& path,
                               const Progress& progress = {});
};

// The search boxes of the public-office lookup. A box left empty or holding
// only "*" is not a criterion.
struct IpaSearch {
    QString town;           // Comune
    QString administration; // Desc. PA
    QString officeCode;     // Cod. univoco
    QString office;         // Ufficio
    QString taxCode;        // Cod. fiscale
    QString province;       // Provincia (exact)
    QString address;        // Indirizzo
    QString category;       // Tipologia

    // The Jet condition of the filled boxes; empty when none is.
    QString condition() const;
    // The offices found, by town, administration and office; a failure
    // when no box is filled.
    std::optional<common::Failure> run(db::Database& db, db::Result* offices) const;
};

// The customer columns an office chosen in the lookup overwrites.
QVariantMap customerValuesFromOffice(const db::Row& office);

} // namespace einvoice
