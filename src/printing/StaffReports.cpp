#include "printing/StaffReports.h"

#include "printing/ReportCodes.h"

namespace printing {

namespace {

CatalogEntry entryFor(const QString& report, bool filter) {
    CatalogEntry e;
    e.report = report;
    e.filter = filter;
    return e;
}

// The select, its fixed condition and the screen's selection, then the order.
QString withSelection(const QString& select, const QString& where, const QString& selection,
                      const QString& order) {
    QString sql = select + QStringLiteral(" WHERE ") + where;
    if (!selection.trimmed().isEmpty())
        sql += QStringLiteral(" AND (") + selection.trimmed() + QStringLiteral(")");
    return sql + QStringLiteral(" ORDER BY ") + order;
}

// A dependent list with the name of its person; cancelled people included,
// since their costs and salaries stay in the books.
QString dependentQuery(const QString& table, const QString& columns, const QString& joins,
                       const QString& selection, const QString& order) {
    return withSelection(QStringLiteral("SELECT Personale.Personale, ") + table +
                             QStringLiteral(".Personale_ID, ") + columns +
                             QStringLiteral(" FROM ") + joins,
                         QStringLiteral("Personale.ID is not null"), selection, order);
}

} // namespace

std::optional<CatalogEntry> staffEntry(const ReportCall& call) {
    CatalogEntry e;
    switch (call.code) {
    case reports::staffList:
        // The address columns carry their own names: the letterhead reads the
        // company's Numero, Cap, Comune and Provincia.
        e = entryFor(QStringLiteral("Personale.rpt"), true);
        e.query = withSelection(
            QStringLiteral(
                "SELECT Personale.Personale,  CategoriePersonale.Descrizione as Categoria, "
                "Personale.ID, Personale.Codice, Personale.Indirizzo, Personale.Numero AS "
                "PersNumero, Personale.Cap AS PersCap, Comuni.Comune AS PersComune, "
                "Comuni.Provincia AS PersProvincia, Personale.Tel, Personale.Cell, "
                "Personale.Email, Personale.CodFisc, Personale.DataAssunzione FROM (Personale "
                "LEFT JOIN Comuni ON Personale.Comune_Id = Comuni.ID) LEFT JOIN "
                "CategoriePersonale ON Personale.CategoriaPersonale_ID = CategoriePersonale.ID"),
            QStringLiteral("Personale.Annullato = false"), call.selection,
            QStringLiteral("Personale.Personale"));
        return e;
    case reports::staffCosts:
        e = entryFor(QStringLiteral("PersonaleCosti.rpt"), true);
        e.query = dependentQuery(
            QStringLiteral("PersonaleCosti"),
            QStringLiteral("PersonaleCosti.ID, PersonaleCosti.Data, PersonaleCosti.Importo, "
                           "PersonaleCosti.Note, TipologiaCostiPersonale.Descrizione AS Tipologia"),
            QStringLiteral("(PersonaleCosti LEFT JOIN Personale ON PersonaleCosti.Personale_ID = "
                           "Personale.ID) LEFT JOIN TipologiaCostiPersonale ON "
                           "PersonaleCosti.TipologiaCosto_id = TipologiaCostiPersonale.ID"),
            call.selection,
            QStringLiteral(
                "Personale.Personale, PersonaleCosti.Personale_ID, PersonaleCosti.Data"));
        return e;
    case reports::staffDeadlines:
        e = entryFor(QStringLiteral("PersonaleScadenze.rpt"), true);
        e.query = dependentQuery(
            QStringLiteral("PersonaleScadenze"),
            QStringLiteral("PersonaleScadenze.ID, PersonaleScadenze.Descrizione, "
                           "PersonaleScadenze.Tipologia, PersonaleScadenze.DataScadenza, "
                           "PersonaleScadenze.DataAvviso, PersonaleScadenze.Validato, "
                           "PersonaleScadenze.Note"),
            QStringLiteral("PersonaleScadenze LEFT JOIN Personale ON "
                           "PersonaleScadenze.Personale_ID = Personale.ID"),
            call.selection,
            QStringLiteral("Personale.Personale, PersonaleScadenze.Personale_ID, "
                           "PersonaleScadenze.DataScadenza"));
        return e;
    case reports::staffSalaries:
        e = entryFor(QStringLiteral("PersonaleStipendi.rpt"), true);
        e.query = dependentQuery(
            QStringLiteral("PersonaleStipendi"),
            QStringLiteral(
                "PersonaleStipendi.ID, PersonaleStipendi.Anno, PersonaleStipendi.Mese, "
                "PersonaleStipendi.DataPagamento, PersonaleStipendi.ImportoBonifico, "
                "PersonaleStipendi.Base, PersonaleStipendi.Giorni, PersonaleStipendi.Trasferta, "
                "PersonaleStipendi.Accrediti, PersonaleStipendi.Addebiti, "
                "PersonaleStipendi.Assegni, PersonaleStipendi.Accrediti_Descrizione, "
                "PersonaleStipendi.Addebiti_Descrizione, PersonaleStipendi.TotaleParziale"),
            QStringLiteral("PersonaleStipendi LEFT JOIN Personale ON "
                           "PersonaleStipendi.Personale_ID = Personale.ID"),
            call.selection,
            QStringLiteral("Personale.Personale, PersonaleStipendi.Personale_ID, "
                           "PersonaleStipendi.Anno, PersonaleStipendi.Mese"));
        return e;
    case reports::staffPrivacy: {
        bool ok = false;
        const qint64 id = call.documentId.toLongLong(&ok);
        if (call.documentId.isNull() || !ok)
            return std::nullopt;
        e = entryFor(QStringLiteral("PrivacyPersonale.rpt"), false);
        // The columns the privacy form shares with customers and suppliers.
        e.query = QStringLiteral(
                      "SELECT Personale.ID, Personale.Codice, Personale.Personale AS Nominativo, "
                      "Personale.Indirizzo AS Via, Personale.Numero, Personale.Cap, "
                      "Comuni.Comune, Comuni.Provincia, Personale.Iva, Personale.CodFisc AS "
                      "CodFiscale, Personale.Tel AS Telefono, Personale.Cell AS Cellulare, "
                      "Personale.Email AS EMail, Personale.PrivacyFirmata FROM Personale LEFT "
                      "JOIN Comuni ON Personale.Comune_Id = Comuni.ID WHERE Personale.ID = ") +
                  QString::number(id);
        return e;
    }
    default:
        return std::nullopt;
    }
}

} // namespace printing
