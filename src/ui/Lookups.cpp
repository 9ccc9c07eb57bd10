#include "ui/Lookups.h"

namespace ui::lookups {

namespace {

// Rows of a table keyed by ID and listed by their description.
Lookup described(const QString& table, const QString& key = QStringLiteral("ID")) {
    return {QStringLiteral("select %1, Descrizione from %2 order by Descrizione").arg(key, table),
            key, QStringLiteral("Descrizione"), QString()};
}

} // namespace

Lookup includingCancelled(Lookup lookup) {
    lookup.cancelledColumn.clear();
    return lookup;
}

Lookup customers() {
    return {QStringLiteral("select ID, NominativoVisualizzato, Annullato from Clienti order by "
                           "NominativoVisualizzato"),
            QStringLiteral("ID"), QStringLiteral("NominativoVisualizzato"),
            QStringLiteral("Annullato")};
}

Lookup customersOnDocuments() {
    return {QStringLiteral("select Id, NominativoDocumenti, Annullato from Clienti order by "
                           "NominativoDocumenti"),
            QStringLiteral("Id"), QStringLiteral("NominativoDocumenti"),
            QStringLiteral("Annullato")};
}

Lookup suppliers() {
    return {QStringLiteral("select ID, Fornitore, Annullato from Fornitor order by Fornitore"),
            QStringLiteral("ID"), QStringLiteral("Fornitore"), QStringLiteral("Annullato")};
}

Lookup deceased() {
    return {QStringLiteral("select Id, NominativoVisualizzato from Defunti order by "
                           "NominativoVisualizzato"),
            QStringLiteral("Id"), QStringLiteral("NominativoVisualizzato"), QString()};
}

Lookup staff() {
    return {QStringLiteral("select ID, Personale, Annullato from Personale order by Personale"),
            QStringLiteral("ID"), QStringLiteral("Personale"), QStringLiteral("Annullato")};
}

Lookup paymentTerms() {
    return described(QStringLiteral("ModPagamento"), QStringLiteral("Id"));
}

Lookup banks() {
    return {QStringLiteral("select ID, Banca, Annullato from Bank order by Banca"),
            QStringLiteral("ID"), QStringLiteral("Banca"), QStringLiteral("Annullato")};
}

Lookup vatCodes() {
    return described(QStringLiteral("Iva"));
}

Lookup accounts() {
    return described(QStringLiteral("ContabilitaConti"));
}

ScreenDefinition accountSearch() {
    ScreenDefinition d;
    d.table = QStringLiteral("ContabilitaConti");
    d.objectName = QStringLiteral("frmCercaConto");
    d.listTitle = QStringLiteral("Cerca Conto");
    d.select = QStringLiteral(
        "SELECT * FROM (SELECT ContabilitaClassi.Descrizione as Classe, "
        "ContabilitaRaggruppamenti.Descrizione as Raggruppamento, ContabilitaConti.Descrizione "
        "as Conto, ContabilitaConti.ID FROM ContabilitaConti LEFT JOIN "
        "(ContabilitaRaggruppamenti LEFT JOIN ContabilitaClassi ON "
        "ContabilitaRaggruppamenti.Classe_ID = ContabilitaClassi.Id) ON "
        "ContabilitaConti.Raggruppamento_ID = ContabilitaRaggruppamenti.Id) AS Conti");
    d.orderBy = QStringLiteral("Classe, Raggruppamento, Conto");
    d.columns = {{"Conto", 240, "Conto"},
                 {"Raggruppamento", 200, "Raggruppamento"},
                 {"Classe", 200, "Classe"}};
    d.searches = {{"Classe", "Classe"}, {"Raggruppamento", "Raggruppamento"}, {"Conto", "Conto"}};
    return d;
}

ScreenDefinition groupingSearch() {
    ScreenDefinition d;
    d.table = QStringLiteral("ContabilitaRaggruppamenti");
    d.key = QStringLiteral("Id");
    d.objectName = QStringLiteral("frmCercaRaggruppamento");
    d.listTitle = QStringLiteral("Cerca Raggruppamento");
    d.select = QStringLiteral(
        "SELECT * FROM (SELECT ContabilitaClassi.Descrizione AS Classe, "
        "ContabilitaRaggruppamenti.Descrizione AS Raggruppamento, ContabilitaRaggruppamenti.Id "
        "FROM ContabilitaRaggruppamenti LEFT JOIN ContabilitaClassi ON "
        "ContabilitaRaggruppamenti.Classe_ID = ContabilitaClassi.Id) AS Raggruppamenti");
    d.orderBy = QStringLiteral("Raggruppamento");
    d.columns = {{"Raggruppamento", 260, "Raggruppamento"}, {"Classe", 220, "Classe"}};
    d.searches = {{"Classe", "Classe"}, {"Raggruppamento", "Raggruppamento"}};
    return d;
}

Lookup invoiceSeries() {
    return {QStringLiteral("select Serie from SerieFatturazione order by Serie"),
            QStringLiteral("Serie"), QStringLiteral("Serie"), QString()};
}

Lookup towns() {
    return {
        QStringLiteral("select ID, Comune & ' (' & Provincia & ')' as Nome from Comuni order by "
                       "Comune"),
        QStringLiteral("ID"), QStringLiteral("Nome"), QString()};
}

Lookup provinces() {
    return {QStringLiteral("select PROVINCIA, PROVINCIA & ' - ' & CAPOLUOGO as Nome from Province "
                           "order by PROVINCIA"),
            QStringLiteral("PROVINCIA"), QStringLiteral("Nome"), QString()};
}

Lookup regions() {
    return described(QStringLiteral("regioni"), QStringLiteral("IDRegione"));
}

Lookup countries() {
    return {QStringLiteral("select SIGLA, DENOMINAZ from Nazioni order by DENOMINAZ"),
            QStringLiteral("SIGLA"), QStringLiteral("DENOMINAZ"), QString()};
}

Lookup countriesByCode() {
    return {QStringLiteral("select SIGLA, SIGLA & ' - ' & DENOMINAZ as Testo from Nazioni order by "
                           "SIGLA"),
            QStringLiteral("SIGLA"), QStringLiteral("Testo"), QString()};
}

Lookup countryIds() {
    return {QStringLiteral("select IDNazione, DENOMINAZ from Nazioni order by DENOMINAZ"),
            QStringLiteral("IDNazione"), QStringLiteral("DENOMINAZ"), QString()};
}

Lookup customerCategories() {
    return described(QStringLiteral("ClientiCategoria"));
}

Lookup supplierCategories() {
    return described(QStringLiteral("FornitorCategoria"));
}

Lookup articleCategories() {
    return described(QStringLiteral("PrezziarCategorie"));
}

Lookup deceasedCategories() {
    return described(QStringLiteral("CategoriaDefunti"), QStringLiteral("Id"));
}

Lookup cemeteryAreas() {
    return described(QStringLiteral("AreeCimitero"), QStringLiteral("Id"));
}

Lookup departments() {
    return {QStringLiteral("select Descrizione from Reparti order by Descrizione"),
            QStringLiteral("Descrizione"), QStringLiteral("Descrizione"), QString()};
}

Lookup shippingTerms() {
    return described(QStringLiteral("FatturaPorto"));
}

Lookup goodsAppearances() {
    return described(QStringLiteral("FatturaAspetto"));
}

Lookup carriers() {
    return described(QStringLiteral("Vettore"));
}

Lookup paCodes(const QString& table) {
    return described(table, QStringLiteral("Codice"));
}

Lookup codes(const QString& table) {
    return {QStringLiteral("select Codice, Codice & ' - ' & Descrizione as Testo from %1 order by "
                           "Codice")
                .arg(table),
            QStringLiteral("Codice"), QStringLiteral("Testo"), QString()};
}

} // namespace ui::lookups
