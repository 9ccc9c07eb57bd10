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

const char* const costJoins =
    "(PersonaleCosti LEFT JOIN Personale ON PersonaleCosti.Personale_ID = Personale.ID) LEFT "
    "JOIN TipologiaCostiPersonale ON PersonaleCosti.TipologiaCosto_id = "
    "TipologiaCostiPersonale.ID";
const char* const costColumns =
    "PersonaleCosti.ID, PersonaleCosti.Data, PersonaleCosti.Importo, PersonaleCosti.Note, "
    "TipologiaCostiPersonale.Descrizione AS Tipologia";
const char* const salaryColumns =
    "PersonaleStipendi.ID, PersonaleStipendi.Anno, PersonaleStipendi.Mese, "
    "PersonaleStipendi.DataPagamento, PersonaleStipendi.ImportoBonifico, "
    "PersonaleStipendi.Base, PersonaleStipendi.Giorni, PersonaleStipendi.Trasferta, "
    "PersonaleStipendi.Accrediti, PersonaleStipendi.Addebiti, PersonaleStipendi.Assegni, "
    "PersonaleStipendi.Accrediti_Descrizione, PersonaleStipendi.Addebiti_Descrizione, "
    "PersonaleStipendi.TotaleParziale, PersonaleStipendi.Note";
const char* const salaryJoins =
    "PersonaleStipendi LEFT JOIN Personale ON PersonaleStipendi.Personale_ID = Personale.ID";

QString salaryQuery(const QString& selection, const QString& order) {
    return dependentQuery(QStringLiteral("PersonaleStipendi"), QLatin1String(salaryColumns),
                          QLatin1String(salaryJoins), selection, order);
}

QString costQuery(const QString& selection, const QString& order) {
    return dependentQuery(QStringLiteral("PersonaleCosti"), QLatin1String(costColumns),
                          QLatin1String(costJoins), selection, order);
}

// People not cancelled, with their category; the columns the print needs.
QString peopleQuery(const QString& columns, const QString& selection) {
    return withSelection(
        QStringLiteral("SELECT Personale.ID, Personale.Personale, CategoriePersonale.Descrizione "
                       "AS Categoria, ") +
            columns +
            QStringLiteral(" FROM (Personale LEFT JOIN CategoriePersonale ON "
                           "Personale.CategoriaPersonale_ID = CategoriePersonale.ID) LEFT JOIN "
                           "Comuni ON Personale.LuogoNascita_id = Comuni.ID"),
        QStringLiteral("Personale.Annullato = false"), selection,
        QStringLiteral("Personale.Personale, Personale.ID"));
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
        e.query = costQuery(call.selection, QStringLiteral("Personale.Personale, "
                                                           "PersonaleCosti.Personale_ID, "
                                                           "PersonaleCosti.Data"));
        return e;
    case reports::staffCostsByType:
        e = entryFor(QStringLiteral("PersonaleCostiTipologia.rpt"), true);
        e.query =
            costQuery(call.selection, QStringLiteral("TipologiaCostiPersonale.Descrizione, "
                                                     "PersonaleCosti.TipologiaCosto_id, "
                                                     "PersonaleCosti.Data, Personale.Personale"));
        return e;
    case reports::staffCostSummary:
        e = entryFor(QStringLiteral("PersonaleCostiRiepilogo.rpt"), true);
        e.query = costQuery(call.selection,
                            QStringLiteral("Personale.Personale, PersonaleCosti.Personale_ID, "
                                           "TipologiaCostiPersonale.Descrizione, "
                                           "PersonaleCosti.Data"));
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
    case reports::staffOpenDeadlines:
        // What is still to be done, soonest first, of the people still employed.
        e = entryFor(QStringLiteral("PersonaleScadenzeAperte.rpt"), true);
        e.query = withSelection(
            QStringLiteral(
                "SELECT Personale.Personale, PersonaleScadenze.Personale_ID, "
                "PersonaleScadenze.ID, PersonaleScadenze.Descrizione, "
                "PersonaleScadenze.Tipologia, PersonaleScadenze.DataScadenza, "
                "PersonaleScadenze.DataAvviso, PersonaleScadenze.Note FROM PersonaleScadenze "
                "INNER JOIN Personale ON PersonaleScadenze.Personale_ID = Personale.ID"),
            QStringLiteral("PersonaleScadenze.Validato = false AND Personale.Annullato = false"),
            call.selection,
            QStringLiteral("PersonaleScadenze.DataScadenza, Personale.Personale, "
                           "PersonaleScadenze.ID"));
        return e;
    case reports::staffSalaries:
        e = entryFor(QStringLiteral("PersonaleStipendi.rpt"), true);
        e.query = salaryQuery(call.selection,
                              QStringLiteral("Personale.Personale, PersonaleStipendi.Personale_ID, "
                                             "PersonaleStipendi.Anno, PersonaleStipendi.Mese"));
        return e;
    case reports::staffSalariesByMonth:
        e = entryFor(QStringLiteral("PersonaleStipendiMese.rpt"), true);
        e.query = salaryQuery(call.selection,
                              QStringLiteral("PersonaleStipendi.Anno, PersonaleStipendi.Mese, "
                                             "Personale.Personale, PersonaleStipendi.ID"));
        return e;
    case reports::staffSalaryDescriptions:
        e = entryFor(QStringLiteral("PersonaleStipendiDescrizioni.rpt"), true);
        e.query = salaryQuery(call.selection,
                              QStringLiteral("Personale.Personale, PersonaleStipendi.Personale_ID, "
                                             "PersonaleStipendi.Anno, PersonaleStipendi.Mese"));
        return e;
    case reports::staffSalariesByYear:
        e = entryFor(QStringLiteral("PersonaleStipendiAnno.rpt"), true);
        e.query = salaryQuery(call.selection,
                              QStringLiteral("Personale.Personale, PersonaleStipendi.Personale_ID, "
                                             "PersonaleStipendi.Anno, PersonaleStipendi.Mese"));
        return e;
    case reports::staffDocuments:
        e = entryFor(QStringLiteral("PersonaleDocumenti.rpt"), true);
        e.query = peopleQuery(
            QStringLiteral(
                "Personale.DataNascita, Comuni.Comune AS LuogoNascita, Personale.StatoNascita, "
                "Personale.Cittadinanza, Personale.DocTipo, Personale.Documento, "
                "Personale.Passaporto_Numero, Personale.Passaporto_DataRilascio, "
                "Personale.PermSogg_Numero, Personale.PermSogg_Data, "
                "Personale.PermSogg_Scadenza, Personale.PermSogg_Questura, "
                "Personale.NumeroLicenzaGuida, Personale.CQC, Personale.Tachigrafo"),
            call.selection);
        return e;
    case reports::staffContacts:
        e = entryFor(QStringLiteral("PersonaleRubrica.rpt"), true);
        e.query = peopleQuery(QStringLiteral("Personale.Tel, Personale.Telefono2, "
                                             "Personale.Cell, Personale.Fax, Personale.Email, "
                                             "Personale.Skype"),
                              call.selection);
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
