#include "DocumentFixtures.h"

namespace uitest {

qint64 insertTwoInstalmentTerms(db::Database& db) {
    return db.insert("ModPagamento", {{"Descrizione", "Rimessa 30/60"},
                                      {"NumeroScadenze", 2},
                                      {"GG1Scadenza", 30},
                                      {"GG2Scadenza", 60},
                                      {"FatturaFineMese", false},
                                      {"CalcolaScadenzeFineMeseInizio", false},
                                      {"AnnoCommerciale", false}});
}

qint64 insertHeadstone(db::Database& db, const db::Values& extra) {
    db::Values values{{"Codice", "LAP01"}, {"Descrizione", "Lapide in marmo"},
                      {"Prezzo", 100.0},   {"AliquotaIva", 22.0},
                      {"Iva_Id", 1},       {"Giacenza", 10.0},
                      {"Annullato", false}};
    for (const auto& [column, value] : extra) {
        auto same = [&](const auto& v) { return v.first == column; };
        values.removeIf(same);
        values.append({column, value});
    }
    return db.insert("prezziar", values);
}

double stockOf(db::Database& db, qint64 article) {
    return db.scalar("select Giacenza from prezziar where ID = ?", {article}).toDouble();
}

} // namespace uitest
