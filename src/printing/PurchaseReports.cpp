#include "printing/PurchaseReports.h"

#include "printing/ReportCodes.h"

namespace printing {

namespace {

CatalogEntry entryFor(const QString& report, bool filter) {
    CatalogEntry e;
    e.report = report;
    e.filter = filter;
    return e;
}

QString withSelection(const QString& select, const QString& where, const QString& selection,
                      const QString& order) {
    QString sql = select + QStringLiteral(" WHERE ") + where;
    if (!selection.trimmed().isEmpty())
        sql += QStringLiteral(" AND (") + selection.trimmed() + QStringLiteral(")");
    return sql + QStringLiteral(" ORDER BY ") + order;
}

// Supplier invoices or credit notes with their supplier and payment terms.
QString supplierDocuments(bool creditNotes, const QString& selection) {
    return withSelection(
        QStringLiteral(
            "SELECT fattura.ID, fattura.ProgressivoCarico, fattura.DataRegistrazione, "
            "fattura.NumeroCarico, fattura.Data, fattura.Fornitore, Fornitor.Iva AS ForIva, "
            "Fornitor.CodFiscale AS ForCodFiscale, ModPagamento.Descrizione AS ModPagamento, "
            "fattura.TotImponibile, fattura.TotImposta, fattura.RitenutaAcconto, "
            "fattura.ImportoMarcaBollo, fattura.TotFattura, fattura.NCFattNumRifCarico, "
            "fattura.NCFattDataRif, fattura.ImportatoXml FROM (fattura LEFT JOIN Fornitor ON "
            "fattura.Fornitore_ID = Fornitor.ID) LEFT JOIN ModPagamento ON fattura.ModPagamento_Id "
            "= ModPagamento.id"),
        creditNotes ? QStringLiteral("fattura.Carico = true AND fattura.FattNota = true")
                    : QStringLiteral("fattura.Carico = true AND fattura.FattNota = false"),
        selection,
        QStringLiteral("fattura.ProgressivoCarico, fattura.DataRegistrazione, fattura.Data"));
}

} // namespace

std::optional<CatalogEntry> purchaseEntry(const ReportCall& call) {
    CatalogEntry e;
    switch (call.code) {
    case reports::supplierInvoiceList:
        e = entryFor(QStringLiteral("CaricoLista.rpt"), true);
        e.query = supplierDocuments(false, call.selection);
        return e;
    // 54 and 55 are one list under two buttons of the old menus.
    case reports::supplierCreditNoteList:
    case reports::supplierCreditNoteListByDate:
        e = entryFor(QStringLiteral("NotaCreditoFornitoreLista.rpt"), true);
        e.query = supplierDocuments(true, call.selection);
        return e;
    case reports::supplierInvoicesByDepartment:
    case 65:
    case 66:
    case 67:
        // The rows of supplier invoices by department, each with its invoice.
        e = entryFor(QStringLiteral("FattureAcquistoXReparto.rpt"), true);
        e.query = withSelection(
            QStringLiteral(
                "SELECT Movimenti.ID, Movimenti.Reparto, Movimenti.Codice, Movimenti.Descrizione, "
                "Movimenti.Um, Movimenti.ValoreUnitario, Movimenti.TotaleImponibile, "
                "Movimenti.AliquotaIva, Movimenti.PrezzoCompleto, fattura.ProgressivoCarico, "
                "fattura.DataRegistrazione, fattura.NumeroCarico, fattura.Data, fattura.Fornitore "
                "FROM Movimenti INNER JOIN fattura ON Movimenti.Fattura_ID = fattura.Id"),
            QStringLiteral("fattura.Carico = true AND fattura.FattNota = false AND "
                           "Movimenti.Scarico = false"),
            call.selection,
            QStringLiteral("Movimenti.Reparto, fattura.DataRegistrazione, "
                           "fattura.ProgressivoCarico, Movimenti.NumeroRiga"));
        return e;
    case reports::supplierOrder:
        if (call.documentId.isNull())
            return std::nullopt;
        e = entryFor(QStringLiteral("OrdiniFornitori.rpt"), false);
        e.query =
            QStringLiteral(
                "SELECT OrdiniTestata.ID, OrdiniTestata.Numero, OrdiniTestata.Data AS OrdineData, "
                "OrdiniTestata.Fornitore, OrdiniTestata.Note, OrdiniTestata.TotImponibile, "
                "OrdiniTestata.TotImposta, OrdiniTestata.TotaleOrdine, Fornitor.VIA AS ForVia, "
                "Fornitor.Numero AS ForNumero, Fornitor.Cap AS ForCap, Fornitor.Comune AS "
                "ForComune, Fornitor.Provincia AS ForProvincia, Fornitor.Iva AS ForIva, "
                "OrdiniRighe.Codice, OrdiniRighe.Descrizione, OrdiniRighe.Um, "
                "OrdiniRighe.ValoreUnitario, OrdiniRighe.Sconto, OrdiniRighe.AliquotaIva, "
                "OrdiniRighe.TotaleImponibile, OrdiniRighe.ValoreTotale FROM (OrdiniTestata LEFT "
                "JOIN Fornitor ON OrdiniTestata.Fornitore_ID = Fornitor.ID) LEFT JOIN OrdiniRighe "
                "ON OrdiniRighe.Ordine_ID = OrdiniTestata.ID WHERE OrdiniTestata.ID = ") +
            QString::number(call.documentId.toLongLong()) +
            QStringLiteral(" ORDER BY OrdiniRighe.Descrizione");
        return e;
    default:
        return std::nullopt;
    }
}

} // namespace printing
