#include "printing/CemeteryReports.h"

#include "printing/ReportCodes.h"

namespace printing {

namespace {

const char* const customerColumns =
    "Clienti.NominativoDocumenti AS Cliente, Clienti.Via AS CliVia, Clienti.Telefono AS "
    "CliTelefono, Clienti.Citta AS CliCitta, Clienti.Iva AS CliIva, Clienti.Provincia AS "
    "CliProvincia, Clienti.Cap AS CliCap, Clienti.CodFiscale AS CliCodFiscale, Clienti.Numero AS "
    "CliNumero, Clienti.Codice AS CliCodice";

const char* const rowColumns =
    "ContrattiRighe.IDX AS IdRiga, ContrattiRighe.NumeroRiga, ContrattiRighe.TipoRiga, "
    "ContrattiRighe.Codice, ContrattiRighe.Descrizione, ContrattiRighe.Um, "
    "ContrattiRighe.ValoreUnitario, ContrattiRighe.Sconto, ContrattiRighe.AliquotaIva, Iva.ID AS "
    "Iva_ID, Iva.Descrizione AS IVA_Descrizione, ContrattiRighe.TotaleImponibile, "
    "ContrattiRighe.ValoreTotale, ContrattiRighe.Reparto, ContrattiRighe.Note AS RigheNote";

const char* const rowsFrom =
    " FROM ((ContrattiTestata LEFT JOIN ContrattiRighe ON ContrattiRighe.Testata_ID = "
    "ContrattiTestata.Id) LEFT JOIN Iva ON ContrattiRighe.Iva_ID = Iva.ID) LEFT JOIN Clienti ON "
    "ContrattiTestata.Cliente_ID = Clienti.Id";

// Sum of a column over the contract's open rows.
QString openSum(const QString& expression, const QString& alias) {
    return QStringLiteral("(SELECT Sum(%1) FROM ContrattiRighe AS r WHERE r.Testata_ID = "
                          "ContrattiTestata.Id AND (r.Chiuso = False OR r.Chiuso IS NULL)) AS %2")
        .arg(expression, alias);
}

QString contractQuery(const QString& id) {
    return QStringLiteral("SELECT ") + QLatin1String(rowColumns) +
           QStringLiteral(", ContrattiRighe.DataInizioPeriodo, ContrattiRighe.DataFinePeriodo, "
                          "ContrattiRighe.DataPagamento, ContrattiRighe.Chiuso AS RigaChiusa, "
                          "ContrattiTestata.Id AS IdeContratto, ContrattiTestata.Numero, "
                          "ContrattiTestata.Data AS ContrattoData, ContrattiTestata.Note AS "
                          "TestataNote, ContrattiTestata.NumeroRicevuta, "
                          "ContrattiTestata.DataRicevuta, ") +
           QLatin1String(customerColumns) + QLatin1String(rowsFrom) +
           QStringLiteral(" WHERE ContrattiTestata.Id = ") + id +
           QStringLiteral(" Order by ContrattiRighe.NumeroRiga, ContrattiRighe.Descrizione, "
                          "ContrattiRighe.DataInizioPeriodo");
}

QString contractDeceasedQuery(const QString& id) {
    return QStringLiteral("SELECT Defunti.NominativoDocumenti, Defunti.DataMorte, "
                          "Defunti.Posizione FROM ContrattiDefunti INNER JOIN Defunti ON "
                          "ContrattiDefunti.Defunto_ID = Defunti.Id WHERE "
                          "ContrattiDefunti.Testata_ID = ") +
           id + QStringLiteral(" ORDER BY Defunti.NominativoDocumenti");
}

// The columns of the receipt report, read from the contract's open rows.
QString contractReceiptQuery(const QString& id) {
    // The contract's note is for the firm: the receipt prints none.
    return QStringLiteral("SELECT ") + QLatin1String(rowColumns) +
           QStringLiteral(", ContrattiRighe.DataInizioPeriodo, ContrattiRighe.DataFinePeriodo, "
                          "ContrattiTestata.Id AS IdeRicevuta, ContrattiTestata.Id AS "
                          "IdeContratto, ContrattiTestata.NumeroRicevuta AS Numero, "
                          "ContrattiTestata.DataRicevuta AS RicevutaData, '' AS TestataNote, ") +
           openSum(QStringLiteral("r.TotaleImponibile"), QStringLiteral("TotImponibile")) +
           QStringLiteral(", ") +
           openSum(QStringLiteral("r.ValoreTotale - r.TotaleImponibile"),
                   QStringLiteral("TotImposta")) +
           QStringLiteral(", ") +
           openSum(QStringLiteral("r.ValoreTotale"), QStringLiteral("TotFattura")) +
           QStringLiteral(", 0 AS ImportoMarcaBollo, False AS Pagato, ") +
           QLatin1String(customerColumns) + QLatin1String(rowsFrom) +
           QStringLiteral(" WHERE ContrattiTestata.Id = ") + id +
           QStringLiteral(" AND (ContrattiRighe.Chiuso = False OR ContrattiRighe.Chiuso IS NULL) "
                          "Order by ContrattiRighe.NumeroRiga, ContrattiRighe.Descrizione");
}

QString contractReceiptVatQuery(const QString& id) {
    return QStringLiteral("SELECT Iva.ID AS Iva_ID, Iva.Descrizione AS IVA_Descrizione, "
                          "ContrattiRighe.AliquotaIva, ContrattiRighe.ValoreTotale, "
                          "ContrattiRighe.Sconto, ContrattiRighe.ValoreUnitario, "
                          "ContrattiRighe.Um, ContrattiRighe.IDX AS IdRiga, "
                          "ContrattiRighe.TotaleImponibile FROM ContrattiRighe LEFT JOIN Iva ON "
                          "ContrattiRighe.Iva_ID = Iva.ID WHERE (ContrattiRighe.Chiuso = False OR "
                          "ContrattiRighe.Chiuso IS NULL) AND "
                          "ContrattiRighe.Testata_ID = ") +
           id + QStringLiteral(" order by ContrattiRighe.NumeroRiga, ContrattiRighe.Descrizione");
}

QString missingPaymentsQuery(const QString& selection) {
    QString sql = QStringLiteral(
        "SELECT TempPagamentiMancanti.Cliente_ID, TempPagamentiMancanti.UltimaDataPagamento, "
        "TempPagamentiMancanti.ContrattoNumero, Clienti.NominativoDocumenti AS Cliente, "
        "Clienti.Via AS CliVia, Clienti.Numero AS CliNumero, Clienti.Cap AS CliCap, Clienti.Citta "
        "AS CliCitta, Clienti.Provincia AS CliProvincia, Clienti.Telefono AS CliTelefono, "
        "Clienti.Cellulare AS CliCellulare FROM TempPagamentiMancanti LEFT JOIN Clienti ON "
        "TempPagamentiMancanti.Cliente_ID = Clienti.Id");
    if (!selection.trimmed().isEmpty())
        sql += QStringLiteral(" WHERE ") + selection.trimmed();
    return sql + QStringLiteral(" ORDER BY Clienti.NominativoDocumenti");
}

// The contract lists: working contracts (not in history) with the calling
// screen's selection.
QString contractListQuery(bool withRows, const QString& selection) {
    QString sql = QStringLiteral(
        "SELECT ContrattiTestata.Id AS IdeContratto, ContrattiTestata.Numero, "
        "ContrattiTestata.Data, ContrattiTestata.Note, ContrattiTestata.Chiuso, "
        "ContrattiTestata.NumeroRicevuta, ContrattiTestata.DataRicevuta, "
        "Clienti.NominativoDocumenti AS Cliente, ClientiCategoria.Descrizione AS CliCategoria");
    QString from = QStringLiteral("(ContrattiTestata LEFT JOIN Clienti ON "
                                  "ContrattiTestata.Cliente_id = Clienti.Id) LEFT JOIN "
                                  "ClientiCategoria ON Clienti.Categoria_ID = ClientiCategoria.ID");
    if (withRows) {
        sql += QStringLiteral(", ContrattiRighe.IDX AS IdRiga, ContrattiRighe.NumeroRiga, "
                              "ContrattiRighe.Descrizione, ContrattiRighe.DataInizioPeriodo, "
                              "ContrattiRighe.DataFinePeriodo, ContrattiRighe.ValoreTotale, "
                              "ContrattiRighe.DataPagamento, ContrattiRighe.Fatturato, "
                              "ContrattiRighe.Chiuso AS RigaChiusa");
        from = QStringLiteral("(") + from +
               QStringLiteral(") LEFT JOIN ContrattiRighe ON ContrattiRighe.Testata_ID = "
                              "ContrattiTestata.Id");
    }
    sql +=
        QStringLiteral(" FROM ") + from + QStringLiteral(" WHERE ContrattiTestata.Storico = False");
    if (!selection.trimmed().isEmpty())
        sql += QStringLiteral(" AND (") + selection.trimmed() + QStringLiteral(")");
    sql += QStringLiteral(" ORDER BY ContrattiTestata.Data, ContrattiTestata.Numero");
    if (withRows)
        sql += QStringLiteral(", ContrattiRighe.NumeroRiga, ContrattiRighe.DataInizioPeriodo");
    return sql;
}

// Contracts with their deceased, one line per link.
QString contractsByDeceasedQuery(const QString& selection) {
    QString sql = QStringLiteral(
        "SELECT ContrattiTestata.Id AS IdeContratto, ContrattiTestata.Numero, "
        "ContrattiTestata.Data, ContrattiTestata.Note, ContrattiTestata.Chiuso, "
        "Clienti.NominativoDocumenti AS Cliente, ClientiCategoria.Descrizione AS CliCategoria, "
        "Defunti.Id AS IdeDefunto, Defunti.NominativoVisualizzato AS Defunto, "
        "Defunti.DataNascita, Defunti.LuogoNascita, Defunti.DataMorte, Defunti.LuogoMorte, "
        "Defunti.Posizione, AreeCimitero.Descrizione AS AreaCimitero FROM ((ContrattiDefunti "
        "INNER JOIN ((ContrattiTestata LEFT JOIN Clienti ON ContrattiTestata.Cliente_id = "
        "Clienti.Id) LEFT JOIN ClientiCategoria ON Clienti.Categoria_ID = ClientiCategoria.ID) ON "
        "ContrattiDefunti.Testata_ID = ContrattiTestata.Id) INNER JOIN Defunti ON "
        "ContrattiDefunti.Defunto_ID = Defunti.Id) LEFT JOIN AreeCimitero ON Defunti.Area_Id = "
        "AreeCimitero.Id");
    if (!selection.trimmed().isEmpty())
        sql += QStringLiteral(" WHERE ") + selection.trimmed();
    return sql + QStringLiteral(" ORDER BY ContrattiTestata.Data, ContrattiTestata.Numero");
}

// One letter per ticked customer: the customer's address block and the
// notice text, filled for that customer when the notice was prepared.
QString noticesQuery(const QString& selection) {
    QString sql = QStringLiteral(
        "SELECT TempAvvisiClienti.ID AS IdRiga, Clienti.Id AS Cliente_ID, "
        "Clienti.NominativoDocumenti AS Cliente, Clienti.Via AS Indirizzo, Clienti.Telefono, "
        "Clienti.Cellulare, Clienti.Citta AS ClienteComune, Clienti.Provincia, Clienti.Cap, "
        "Clienti.CodFiscale, Clienti.Numero AS Civico, Clienti.Iva AS PartitaIva, "
        "TempAvvisiClienti.Testo AS TestoCliente, TempAvvisi.Testo FROM (TempAvvisiClienti "
        "INNER JOIN Clienti ON TempAvvisiClienti.Cliente_ID = Clienti.Id) INNER JOIN TempAvvisi "
        "ON TempAvvisiClienti.NomeComputer = TempAvvisi.NomeComputer");
    if (!selection.trimmed().isEmpty())
        sql += QStringLiteral(" WHERE ") + selection.trimmed();
    return sql + QStringLiteral(" ORDER BY TempAvvisiClienti.ID");
}

} // namespace

std::optional<CatalogEntry> cemeteryEntry(const ReportCall& call) {
    const bool doc = !call.documentId.isNull() && call.documentId.isValid();
    const QString id = doc ? QString::number(call.documentId.toLongLong()) : QString();
    CatalogEntry e;
    switch (call.code) {
    case reports::receipt:
        if (!doc || call.parameter != kContractReceipt)
            return std::nullopt;
        e.report = QStringLiteral("Ricevuta.rpt");
        e.query = contractReceiptQuery(id);
        e.subQuery[0] = contractReceiptVatQuery(id);
        break;
    case reports::missingPayments:
        e.report = QStringLiteral("PagamentiMancanti.rpt");
        e.filter = true;
        e.query = missingPaymentsQuery(call.selection);
        break;
    case reports::contract:
        if (!doc)
            return std::nullopt;
        e.report = QStringLiteral("Contratti.rpt");
        e.query = contractQuery(id);
        e.subQuery[0] = contractDeceasedQuery(id);
        break;
    case reports::contractList:
    case reports::contractListFull:
        e.report = call.code == reports::contractList
                       ? QStringLiteral("ContrattiLista.rpt")
                       : QStringLiteral("ContrattiListaCompleta.rpt");
        e.filter = true;
        e.query = contractListQuery(call.code == reports::contractListFull, call.selection);
        break;
    case reports::contractDeceasedList:
        e.report = QStringLiteral("ContrattiListaDefunti.rpt");
        e.filter = true;
        e.query = contractsByDeceasedQuery(call.selection);
        e.parameter = call.parameter;
        break;
    case reports::notices:
        e.report = QStringLiteral("Avvisi.rpt");
        e.filter = true;
        e.query = noticesQuery(call.selection);
        break;
    default:
        return std::nullopt;
    }
    return e;
}

} // namespace printing
