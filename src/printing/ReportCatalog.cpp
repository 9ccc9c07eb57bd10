#include "printing/ReportCatalog.h"

#include "printing/AccountingReports.h"
#include "printing/CemeteryReports.h"
#include "printing/PurchaseReports.h"
#include "printing/ReportCodes.h"
#include "printing/StaffReports.h"

#include <QSet>

namespace printing {

namespace {

// The id of the current document as it goes into the query text.
QString idText(const QVariant& id) {
    return QString::number(id.toLongLong());
}

bool hasDocument(const ReportCall& call) {
    return !call.documentId.isNull() && call.documentId.isValid();
}

// A list query: the fixed SELECT, the list's own condition, the calling
// screen's selection and the order.
QString listQuery(const QString& select, const QString& where, const QString& order,
                  const QString& selection) {
    QString sql = select;
    const QString sel = selection.trimmed();
    if (!where.isEmpty() && !sel.isEmpty())
        sql += QStringLiteral(" WHERE ") + where + QStringLiteral(" AND (") + sel +
               QStringLiteral(")");
    else if (!where.isEmpty())
        sql += QStringLiteral(" WHERE ") + where;
    else if (!sel.isEmpty())
        sql += QStringLiteral(" WHERE ") + sel;
    if (!order.isEmpty())
        sql += QStringLiteral(" ") + order;
    return sql;
}

// Customer columns shared by the document reports.
const char* const customerColumns =
    "Clienti.NominativoDocumenti AS Cliente, Clienti.Via AS CliVia, Clienti.Telefono AS "
    "CliTelefono, Clienti.Fax AS CliFax, Clienti.Citta AS CliCitta, Clienti.Iva AS CliIva, "
    "Clienti.Provincia AS CliProvincia, Clienti.Cap AS CliCap, Clienti.CodFiscale AS "
    "CliCodFiscale, Clienti.Numero AS CliNumero, Clienti.Codice AS CliCodice, "
    "Clienti.DestinazioneMerce AS CliDestMerce, Clienti.EMail AS CliEmail";

QString quoteQuery(const QString& id) {
    return QStringLiteral(
               "SELECT PreventiRighe.Id AS IdRiga, PreventiRighe.NumeroRiga, "
               "PreventiRighe.TipoRiga, PreventiRighe.Codice, PreventiRighe.Descrizione, "
               "PreventiRighe.Um, PreventiRighe.ValoreUnitario, PreventiRighe.Sconto, "
               "PreventiRighe.AliquotaIva, Iva.ID AS Iva_ID, Iva.Descrizione AS IVA_Descrizione, "
               "PreventiRighe.TotaleImponibile, PreventiRighe.ValoreTotale, "
               "PreventiRighe.Reparto, PreventiRighe.Note AS RigheNote, "
               "PreventiTestata.ID AS IdePreventivo, PreventiTestata.Numero, "
               "PreventiTestata.Data AS PreventivoData, PreventiTestata.TotImponibile, "
               "PreventiTestata.TotImposta, PreventiTestata.TotalePreventivo, "
               "PreventiTestata.RitAccontoAziende, PreventiTestata.RitenutaAcconto, "
               "PreventiTestata.ImportoMarcaBollo, PreventiTestata.Note AS TestataNote, ") +
           QLatin1String(customerColumns) +
           QStringLiteral(
               " FROM ((PreventiTestata LEFT JOIN PreventiRighe ON PreventiRighe.Prev_ID = "
               "PreventiTestata.ID) LEFT JOIN Iva ON PreventiRighe.Iva_ID = Iva.ID) LEFT JOIN "
               "Clienti ON PreventiTestata.Cliente_ID = Clienti.Id WHERE PreventiTestata.ID = ") +
           id +
           QStringLiteral(" order by PreventiRighe.NumeroRiga, PreventiRighe.TipoRiga, "
                          "PreventiRighe.Descrizione");
}

QString receiptQuery(const QString& id) {
    return QStringLiteral("SELECT Conti.IDX AS IdRiga, Conti.NumeroRiga, Conti.TipoRiga, "
                          "Conti.Codice, Conti.Descrizione, Conti.Um, Conti.ValoreUnitario, "
                          "Conti.Sconto, Conti.AliquotaIva, Iva.ID AS Iva_ID, Iva.Descrizione AS "
                          "IVA_Descrizione, Conti.TotaleImponibile, Conti.ValoreTotale, "
                          "Conti.Reparto, Conti.Note AS RigheNote, TotaliCo.ID AS IdeRicevuta, "
                          "TotaliCo.Numero, TotaliCo.Data AS RicevutaData, TotaliCo.TotImponibile, "
                          "TotaliCo.TotImposta, TotaliCo.TotFattura, TotaliCo.ImportoMarcaBollo, "
                          "TotaliCo.Pagato, TotaliCo.Note AS TestataNote, ") +
           QLatin1String(customerColumns) +
           QStringLiteral(" FROM ((TotaliCo LEFT JOIN Conti ON Conti.Testata_ID = TotaliCo.ID) "
                          "LEFT JOIN Iva ON Conti.Iva_ID = Iva.ID) LEFT JOIN Clienti ON "
                          "TotaliCo.Cliente_Id = Clienti.Id WHERE TotaliCo.ID = ") +
           id + QStringLiteral(" order by Conti.NumeroRiga, Conti.TipoRiga, Conti.Descrizione");
}

// The row columns of a delivery note or customer order, as the document
// templates read them; the header and customer columns follow.
QString secondaryRows(const char* rows, const char* key) {
    return QStringLiteral("SELECT %1.%2 AS IdRiga, %1.NumeroRiga, %1.TipoRiga, %1.Codice, "
                          "%1.Descrizione, %1.Um, %1.ValoreUnitario, %1.Sconto, %1.AliquotaIva, "
                          "Iva.ID AS Iva_ID, Iva.Descrizione AS IVA_Descrizione, "
                          "%1.TotaleImponibile, %1.ValoreTotale, %1.Reparto, %1.Note AS "
                          "RigheNote, ")
        .arg(QLatin1String(rows), QLatin1String(key));
}

QString ddtQuery(const QString& id) {
    return secondaryRows("DDTRighe", "Id") +
           QStringLiteral(
               "Ddt.ID AS IdeDdt, Ddt.Numero, Ddt.SerieFatturazione, Ddt.Data AS DdtData, "
               "Ddt.Ora, Ddt.DestinazioneMerce, Ddt.Natura, Ddt.Qualita, Ddt.Quantita, "
               "Ddt.TotImponibile, Ddt.TotImposta, Ddt.TotDDT, Ddt.ImportoMarcaBollo, Ddt.Note "
               "AS TestataNote, Personale.Personale AS TipoTrasporto, Vettore.Descrizione AS "
               "VettoreDesc, ") +
           QLatin1String(customerColumns) +
           QStringLiteral(" FROM ((((Ddt LEFT JOIN DDTRighe ON DDTRighe.DDT_ID = Ddt.ID) LEFT "
                          "JOIN Iva ON DDTRighe.Iva_ID = Iva.ID) LEFT JOIN Clienti ON "
                          "Ddt.Cliente_ID = Clienti.Id) LEFT JOIN Personale ON Ddt.Personale_ID "
                          "= Personale.Id) LEFT JOIN Vettore ON Ddt.Vettore_ID = Vettore.ID "
                          "WHERE Ddt.ID = ") +
           id +
           QStringLiteral(" order by DDTRighe.NumeroRiga, DDTRighe.TipoRiga, DDTRighe.Descrizione");
}

QString customerOrderQuery(const QString& id) {
    return secondaryRows("OrdiniClientiRighe", "Id") +
           QStringLiteral(
               "OrdiniClientiTestata.ID AS IdeOrdine, OrdiniClientiTestata.Numero, "
               "OrdiniClientiTestata.NumeroInterno, OrdiniClientiTestata.Data AS OrdineData, "
               "OrdiniClientiTestata.CodiceCig, OrdiniClientiTestata.CodiceCup, "
               "OrdiniClientiTestata.CodiceCommessaConvenzione, "
               "OrdiniClientiTestata.TotImponibile, OrdiniClientiTestata.TotImposta, "
               "OrdiniClientiTestata.TotaleOrdine, OrdiniClientiTestata.Note AS TestataNote, ") +
           QLatin1String(customerColumns) +
           QStringLiteral(" FROM ((OrdiniClientiTestata LEFT JOIN OrdiniClientiRighe ON "
                          "OrdiniClientiRighe.Ordine_ID = OrdiniClientiTestata.ID) LEFT JOIN Iva "
                          "ON OrdiniClientiRighe.Iva_ID = Iva.ID) LEFT JOIN Clienti ON "
                          "OrdiniClientiTestata.Cliente_ID = Clienti.Id WHERE "
                          "OrdiniClientiTestata.ID = ") +
           id +
           QStringLiteral(" order by OrdiniClientiRighe.NumeroRiga, OrdiniClientiRighe.TipoRiga, "
                          "OrdiniClientiRighe.Descrizione");
}

QString receiptVatQuery(const QString& id) {
    return QStringLiteral("SELECT Iva.ID AS Iva_ID, Iva.Descrizione AS IVA_Descrizione, "
                          "Conti.AliquotaIva, Conti.ValoreTotale, Conti.Sconto, "
                          "Conti.ValoreUnitario, Conti.Um, Conti.IDX AS IdRiga, "
                          "Conti.TotaleImponibile FROM (Conti LEFT JOIN Iva ON Conti.Iva_ID = "
                          "Iva.ID) INNER JOIN TotaliCo ON Conti.Testata_ID = TotaliCo.ID WHERE "
                          "TotaliCo.ID = ") +
           id + QStringLiteral(" order by Conti.NumeroRiga, Conti.TipoRiga, Conti.Descrizione");
}

QString customerCardQuery(const QString& id) {
    return QStringLiteral(
               "SELECT Clienti.ID, Clienti.Codice, Clienti.NominativoDocumenti AS Nominativo, "
               "Clienti.Via, Clienti.Numero, Clienti.Cap, Clienti.Citta AS Comune, "
               "Clienti.Provincia, Clienti.Iva, Clienti.CodFiscale, Clienti.Telefono, "
               "Clienti.Cellulare, Clienti.EMail, Clienti.Pec, Clienti.LuogoNascita, "
               "Clienti.DataNascita, Clienti.PrivacyFirmata FROM Clienti WHERE Clienti.ID = ") +
           id;
}

QString supplierCardQuery(const QString& id) {
    return QStringLiteral("SELECT Fornitor.ID, Fornitor.Codice, Fornitor.Fornitore AS "
                          "Nominativo, Fornitor.VIA AS Via, Fornitor.Numero, Fornitor.Cap, "
                          "Fornitor.Comune, Fornitor.Provincia, Fornitor.Iva, "
                          "Fornitor.CodFiscale, Fornitor.Telefono, Fornitor.Cellulare, "
                          "Fornitor.Email AS EMail, Fornitor.Pec, Fornitor.PrivacyFirmata FROM "
                          "Fornitor WHERE Fornitor.ID = ") +
           id;
}

const char* const deceasedColumns =
    "SELECT Defunti.Id, Defunti.Codice, Defunti.Cognome, Defunti.Nome, Defunti.CodFiscale, "
    "Defunti.Sesso, Defunti.IdPaese_Nascita, Defunti.LuogoNascita, Defunti.DataNascita, "
    "Defunti.IdPaese_Morte, Defunti.LuogoMorte, Defunti.DataMorte, Defunti.Posizione, "
    "Defunti.Note, Defunti.Immagine, Defunti.NominativoDocumenti, "
    "Defunti.NominativoVisualizzato, CategoriaDefunti.Descrizione AS Categoria, "
    "AreeCimitero.Descrizione AS AreaCimitero FROM (Defunti LEFT JOIN CategoriaDefunti ON "
    "Defunti.Categoria_ID = CategoriaDefunti.Id) LEFT JOIN AreeCimitero ON Defunti.Area_Id = "
    "AreeCimitero.Id";

// Header lists of customer invoices and credit notes.
QString documentListSelect() {
    return QStringLiteral(
        "SELECT fattura.ID, fattura.Num, fattura.SerieFatturazione, fattura.Data, "
        "Clienti.NominativoDocumenti AS Cliente, Clienti.Iva AS CliIva, Clienti.CodFiscale AS "
        "CliCodFiscale, ClientiCategoria.Descrizione AS CliCategoria, ModPagamento.Descrizione AS "
        "ModPagamento, Bank.Banca, fattura.TotImponibile, fattura.TotImposta, "
        "fattura.RitenutaAcconto, fattura.ImportoMarcaBollo, fattura.TotFattura, "
        "fattura.NCFattNumRif, fattura.NCFattDataRif, fattura.EsportatoXml FROM (((fattura LEFT "
        "JOIN Clienti ON fattura.Cliente_ID = Clienti.Id) LEFT JOIN ClientiCategoria ON "
        "Clienti.Categoria_ID = ClientiCategoria.ID) LEFT JOIN ModPagamento ON "
        "fattura.ModPagamento_Id = ModPagamento.id) LEFT JOIN Bank ON fattura.Banca_ID = Bank.Id");
}

CatalogEntry single(const QString& report) {
    CatalogEntry e;
    e.report = report;
    e.filter = false;
    return e;
}

CatalogEntry list(const QString& report) {
    CatalogEntry e;
    e.report = report;
    e.filter = true;
    return e;
}

} // namespace

QString ReportCatalog::invoiceQuery(const QString& id) {
    return QStringLiteral(
               "SELECT fattdett.Codice, fattdett.TipoRiga, Iva.ID AS Iva_ID, Iva.Descrizione AS "
               "IVA_Descrizione, fattdett.Reparto, fattdett.AliquotaIva, fattdett.ValoreTotale, "
               "fattdett.Sconto, fattdett.ValoreUnitario, fattdett.Um, fattdett.Descrizione, "
               "fattura.Num, fattura.TotImposta, fattura.TotFattura, fattura.TotImponibile, "
               "Bank.Banca, Bank.Comune, Bank.Provincia, Bank.Cap, Bank.Via, Bank.Numero AS "
               "BancaNumero, fattura.Data AS FatturaData, fattdett.note AS RigheNote, fattura.Note "
               "AS TestataNote, ModPagamento.Descrizione AS ModPagamento, fattdett.note, "
               "fattura.ConaiAssolto, FatturaAspetto.Descrizione AS Aspetto, "
               "FatturaPorto.Descrizione AS Porto, Personale.Personale, Personale.Iva AS PersIva, "
               "Personale.CodFisc AS PersCodFisc, Personale.Tel AS PerTels, Personale.Fax AS "
               "PersFax, Personale.Cell AS ") +
           QStringLiteral(
               " PersCell, Personale.Numero AS PersNum, Personale.Codice AS PersCodice, "
               "Comuni.Comune AS PersComune, Personale.Indirizzo AS PersIndirizzo, "
               "Comuni.Provincia AS PersProvincia, Vettore.Descrizione AS VettoreDesc, "
               "Clienti.NominativoDocumenti AS Cliente, Clienti.Via AS CliVia, Clienti.Telefono "
               "AS CliTelefono, Clienti.Fax AS CliFax, Clienti.Citta AS CliCitta, Clienti.Iva AS "
               "CliIva, Clienti.Provincia AS CliProvincia, Clienti.Cap AS CliCap, "
               "Clienti.CodFiscale AS CliCodFiscale, Clienti.Numero AS CliNumero, Clienti.Codice "
               "AS CliCodice, Clienti.DestinazioneMerce AS CliDestMerce, Vettore.VettoreVisibile, "
               "Comuni.CAP AS PersCap, fattura.Colli, fattura.SerieFatturazione, "
               "ClientiCategoria.Descrizione AS CliCategoria, fattura.datatrasporto, Bank.Iban, "
               "fattura.ID AS IdeFattura, fattdett.IDX AS IdRiga, fattura.Causale, "
               "fattura.ImportoMarcaBollo, fattura.IdMarcaBollo, fattura.MarcaBolloVirtuale, "
               "fattura.RitenutaAcconto, fattura.RitAccontoAziende, fattdett.Conto_ID, "
               "fattdett.Prev_ID, fattdett.NumeroRiga") +
           QStringLiteral(
               " FROM ((Vettore RIGHT JOIN (((((((fattdett LEFT JOIN Iva ON fattdett.Iva_ID = "
               "Iva.ID) INNER JOIN ((fattura LEFT JOIN Bank ON fattura.Banca_ID = Bank.Id) LEFT "
               "JOIN ModPagamento ON fattura.ModPagamento_Id = ModPagamento.id) ON "
               "fattdett.NumFatt = fattura.ID) LEFT JOIN Clienti ON fattura.Cliente_ID = "
               "Clienti.Id) LEFT JOIN FatturaAspetto ON fattura.Aspetto_ID = FatturaAspetto.id) "
               "LEFT JOIN FatturaPorto ON fattura.Porto_ID = FatturaPorto.id) LEFT JOIN Personale "
               "ON fattura.Personale_ID = Personale.Id) LEFT JOIN Comuni ON Personale.Comune_Id = "
               "Comuni.ID) ON Vettore.id = fattura.Vettore_ID) LEFT JOIN prezziar ON "
               "fattdett.Articolo_ID = prezziar.Id) LEFT JOIN ClientiCategoria ON "
               "Clienti.Categoria_ID = ClientiCategoria.ID") +
           QStringLiteral(" WHERE fattura.ID = ") + id +
           QStringLiteral(" order by fattdett.NumeroRiga,fattdett.TipoRiga, fattdett.Descrizione");
}

QString ReportCatalog::invoiceInstalmentsQuery(const QString& id) {
    return QStringLiteral("SELECT FatturaScadenze.Numero, FatturaScadenze.DataScadenza, "
                          "FatturaScadenze.Operazione, FatturaScadenze.DataPagamento, "
                          "FatturaScadenze.Importo, ModPagamento.Descrizione AS ModPagamento, "
                          "FatturaScadenze.Note, FatturaScadenze.Dettagli, Bank.Banca, Bank.Iban, "
                          "FatturaScadenze.Fattura_ID,ModPagamento.NonVisualizzareStampa") +
           QStringLiteral(
               " FROM (FatturaScadenze LEFT JOIN ModPagamento ON "
               "FatturaScadenze.ModPagamento_Id = ModPagamento.id) LEFT JOIN Bank ON "
               "FatturaScadenze.Banca_ID = Bank.Id Where FatturaScadenze.Fattura_ID = ") +
           id + QStringLiteral(" order by FatturaScadenze.Numero, FatturaScadenze.DataScadenza");
}

QString ReportCatalog::invoiceVatQuery(const QString& id) {
    return QStringLiteral("SELECT Iva.ID AS Iva_ID, Iva.Descrizione AS IVA_Descrizione, "
                          "fattdett.AliquotaIva, fattdett.ValoreTotale, fattdett.Sconto, "
                          "fattdett.ValoreUnitario, fattdett.Um, fattdett.IDX AS IdRiga, "
                          "fattdett.TotaleImponibile") +
           QStringLiteral(" FROM (fattdett LEFT JOIN Iva ON fattdett.Iva_ID = Iva.ID) INNER "
                          "JOIN fattura ON fattdett.NumFatt = fattura.ID") +
           QStringLiteral(" WHERE fattura.ID = ") + id +
           QStringLiteral(" order by fattdett.NumeroRiga,fattdett.TipoRiga, fattdett.Descrizione");
}

// The invoice's query over the credit-note rows. The rows have no quote or
// receipt link; the credited invoice's number and date are added for the
// reference printed on the note.
QString ReportCatalog::creditNoteQuery(const QString& id) {
    return QStringLiteral(
               "SELECT NotaCreditoRighe.Codice, NotaCreditoRighe.TipoRiga, Iva.ID AS Iva_ID, "
               "Iva.Descrizione AS IVA_Descrizione, NotaCreditoRighe.Reparto, "
               "NotaCreditoRighe.AliquotaIva, NotaCreditoRighe.ValoreTotale, "
               "NotaCreditoRighe.Sconto, NotaCreditoRighe.ValoreUnitario, NotaCreditoRighe.Um, "
               "NotaCreditoRighe.Descrizione, fattura.Num, fattura.TotImposta, fattura.TotFattura, "
               "fattura.TotImponibile, Bank.Banca, Bank.Comune, Bank.Provincia, Bank.Cap, "
               "Bank.Via, Bank.Numero AS BancaNumero, fattura.Data AS FatturaData, "
               "NotaCreditoRighe.note AS RigheNote, fattura.Note AS TestataNote, "
               "ModPagamento.Descrizione AS ModPagamento, NotaCreditoRighe.note, "
               "fattura.ConaiAssolto, FatturaAspetto.Descrizione AS Aspetto, "
               "FatturaPorto.Descrizione AS Porto, Personale.Personale, Personale.Iva AS PersIva, "
               "Personale.CodFisc AS PersCodFisc, Personale.Tel AS PerTels, Personale.Fax AS "
               "PersFax, Personale.Cell AS ") +
           QStringLiteral(
               " PersCell, Personale.Numero AS PersNum, Personale.Codice AS PersCodice, "
               "Comuni.Comune AS PersComune, Personale.Indirizzo AS PersIndirizzo, "
               "Comuni.Provincia AS PersProvincia, Vettore.Descrizione AS VettoreDesc, "
               "Clienti.NominativoDocumenti AS Cliente, Clienti.Via AS CliVia, Clienti.Telefono "
               "AS CliTelefono, Clienti.Fax AS CliFax, Clienti.Citta AS CliCitta, Clienti.Iva AS "
               "CliIva, Clienti.Provincia AS CliProvincia, Clienti.Cap AS CliCap, "
               "Clienti.CodFiscale AS CliCodFiscale, Clienti.Numero AS CliNumero, Clienti.Codice "
               "AS CliCodice, Clienti.DestinazioneMerce AS CliDestMerce, Vettore.VettoreVisibile, "
               "Comuni.CAP AS PersCap, fattura.Colli, fattura.SerieFatturazione, "
               "ClientiCategoria.Descrizione AS CliCategoria, fattura.datatrasporto, Bank.Iban, "
               "fattura.ID AS IdeFattura, NotaCreditoRighe.IDX AS IdRiga, fattura.Causale, "
               "fattura.ImportoMarcaBollo, fattura.IdMarcaBollo, fattura.MarcaBolloVirtuale, "
               "fattura.RitenutaAcconto, fattura.RitAccontoAziende, NotaCreditoRighe.NumeroRiga, "
               "fattura.NCFattNumRif, fattura.NCFatSerieRif, fattura.NCFattDataRif") +
           QStringLiteral(
               " FROM ((Vettore RIGHT JOIN (((((((NotaCreditoRighe LEFT JOIN Iva ON "
               "NotaCreditoRighe.Iva_ID = Iva.ID) INNER JOIN ((fattura LEFT JOIN Bank ON "
               "fattura.Banca_ID = Bank.Id) LEFT JOIN ModPagamento ON fattura.ModPagamento_Id = "
               "ModPagamento.id) ON NotaCreditoRighe.NotaCredito_ID = fattura.ID) LEFT JOIN "
               "Clienti ON fattura.Cliente_ID = Clienti.Id) LEFT JOIN FatturaAspetto ON "
               "fattura.Aspetto_ID = FatturaAspetto.id) LEFT JOIN FatturaPorto ON "
               "fattura.Porto_ID = FatturaPorto.id) LEFT JOIN Personale ON fattura.Personale_ID = "
               "Personale.Id) LEFT JOIN Comuni ON Personale.Comune_Id = Comuni.ID) ON Vettore.id "
               "= fattura.Vettore_ID) LEFT JOIN prezziar ON NotaCreditoRighe.Articolo_ID = "
               "prezziar.Id) LEFT JOIN ClientiCategoria ON Clienti.Categoria_ID = "
               "ClientiCategoria.ID") +
           QStringLiteral(" WHERE fattura.ID = ") + id +
           QStringLiteral(" order by NotaCreditoRighe.NumeroRiga");
}

QString ReportCatalog::creditNoteVatQuery(const QString& id) {
    return QStringLiteral("SELECT Iva.ID AS Iva_ID, Iva.Descrizione AS IVA_Descrizione, "
                          "NotaCreditoRighe.AliquotaIva, NotaCreditoRighe.ValoreTotale, "
                          "NotaCreditoRighe.Sconto, NotaCreditoRighe.ValoreUnitario, "
                          "NotaCreditoRighe.Um, NotaCreditoRighe.IDX AS IdRiga, "
                          "NotaCreditoRighe.TotaleImponibile") +
           QStringLiteral(" FROM (NotaCreditoRighe LEFT JOIN Iva ON NotaCreditoRighe.Iva_ID = "
                          "Iva.ID) INNER JOIN fattura ON NotaCreditoRighe.NotaCredito_ID = "
                          "fattura.ID") +
           QStringLiteral(" WHERE fattura.ID = ") + id +
           QStringLiteral(" order by NotaCreditoRighe.NumeroRiga");
}

bool ReportCatalog::hasLetterhead(int code) {
    static const QSet<int> without = {13, 14, 15, 18, 23, 26, 38, 40, 41, 48, 94};
    return !without.contains(code);
}

QString ReportCatalog::landscapeName(const QString& report) {
    if (report.isEmpty())
        return QString();
    if (report.compare(QStringLiteral("Preventivi2.rpt"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("PreventiviLan2.rpt");
    QString base = report;
    if (base.endsWith(QStringLiteral(".rpt"), Qt::CaseInsensitive))
        base.chop(4);
    return base + QStringLiteral("Lan.rpt");
}

QList<int> ReportCatalog::codes() {
    return {1,  2,  3,  4,  5,  6,  7,  8,  9,  10,  11,  13,  14,  15, 16, 17, 18, 19,
            20, 21, 22, 23, 24, 25, 26, 27, 28, 29,  30,  31,  32,  33, 34, 35, 36, 37,
            38, 39, 40, 41, 42, 43, 44, 45, 46, 47,  48,  49,  50,  51, 52, 53, 54, 55,
            56, 57, 58, 59, 64, 65, 66, 67, 71, 72,  73,  74,  75,  76, 77, 78, 79, 80,
            81, 82, 83, 84, 85, 86, 87, 88, 89, 102, 103, 105, 106, 107};
}

std::optional<CatalogEntry> ReportCatalog::entry(const ReportCall& call,
                                                 const VariantOptions& options) {
    const int code = call.code;
    const bool doc = hasDocument(call);
    const QString id = doc ? idText(call.documentId) : QString();
    std::optional<CatalogEntry> e = cemeteryEntry(call);
    if (!e)
        e = staffEntry(call);
    if (!e)
        e = purchaseEntry(call);
    if (!e)
        e = accountingEntry(call);
    if (e) {
        e->landscape = landscapeName(e->report);
        return e;
    }

    switch (code) {
    case reports::customerList:
        e = list(QStringLiteral("Clienti.rpt"));
        e->query = listQuery(
            QStringLiteral(
                "SELECT Clienti.ID, Clienti.Codice, Clienti.NominativoDocumenti, Clienti.Via, "
                "Clienti.Numero, Clienti.Cap, Clienti.Citta, Clienti.Provincia, Clienti.Iva, "
                "Clienti.CodFiscale, Clienti.Telefono, Clienti.Cellulare, Clienti.EMail FROM "
                "Clienti"),
            QStringLiteral("(((Clienti.Annullato)=0))"),
            QStringLiteral("order by Clienti.NominativoDocumenti"), call.selection);
        break;
    case reports::articleList:
        e = list(QStringLiteral("Servizi.rpt"));
        e->query =
            listQuery(QStringLiteral("SELECT prezziar.ID, prezziar.Codice, prezziar.Descrizione, "
                                     "prezziar.Prezzo, prezziar.PrezzoCompleto, prezziar.Sconto, "
                                     "prezziar.AliquotaIva, prezziar.Reparto, prezziar.Giacenza, "
                                     "prezziar.QuaMinima FROM prezziar"),
                      QStringLiteral("(((prezziar.Annullato)=0))"),
                      QStringLiteral("order by prezziar.Descrizione"), call.selection);
        break;
    case reports::supplierList:
        e = list(QStringLiteral("Fornitori.rpt"));
        e->query = listQuery(
            QStringLiteral("SELECT Fornitor.ID, Fornitor.Codice, Fornitor.Fornitore, "
                           "Fornitor.VIA, Fornitor.Numero, Fornitor.Cap, Fornitor.Comune, "
                           "Fornitor.Provincia, Fornitor.Iva, Fornitor.CodFiscale, "
                           "Fornitor.Telefono, Fornitor.Cellulare, Fornitor.Email, "
                           "FornitorCategoria.Descrizione AS Categoria FROM Fornitor LEFT JOIN "
                           "FornitorCategoria ON Fornitor.Categoria_ID = FornitorCategoria.ID"),
            QStringLiteral("(((Fornitor.Annullato)=0))"),
            QStringLiteral("order by Fornitor.Fornitore"), call.selection);
        break;
    case reports::creditNote:
        if (!doc)
            return std::nullopt;
        e = single(options.vatPerRow ? QStringLiteral("NoteCredito.rpt")
                                     : QStringLiteral("NoteCreditoNoRigaIva.rpt"));
        e->query = creditNoteQuery(id);
        e->subQuery[0] = invoiceInstalmentsQuery(id);
        e->subQuery[1] = creditNoteVatQuery(id);
        break;
    case reports::quote:
    case 6:
        if (!doc)
            return std::nullopt;
        if (code == 6)
            e = single(QStringLiteral("PreventiviMeta.rpt"));
        else if (!options.quotePrices)
            e = single(QStringLiteral("Preventivi2.rpt"));
        else
            e = single(options.vatPerRow ? QStringLiteral("Preventivi.rpt")
                                         : QStringLiteral("PreventiviNoRigaIva.rpt"));
        e->query = quoteQuery(id);
        break;
    case reports::receipt:
        if (!doc)
            return std::nullopt;
        e = single(QStringLiteral("Ricevuta.rpt"));
        e->query = receiptQuery(id);
        e->subQuery[0] = receiptVatQuery(id);
        break;
    case reports::ddt:
        if (!doc)
            return std::nullopt;
        e = single(QStringLiteral("DDT.rpt"));
        e->query = ddtQuery(id);
        break;
    case reports::customerOrder:
    case 89:
        if (!doc)
            return std::nullopt;
        e = single(QStringLiteral("OrdiniClienti.rpt"));
        e->query = customerOrderQuery(id);
        break;
    // 52 and 53: the customer invoices' rows by department, one list.
    case reports::invoicesByDepartment:
    case 53:
        e = list(QStringLiteral("ArticoliFattureXReparto.rpt"));
        e->query = listQuery(
            QStringLiteral("SELECT fattdett.IDX, fattdett.Reparto, fattdett.Codice, "
                           "fattdett.Descrizione, fattdett.Um, fattdett.TotaleImponibile, "
                           "fattdett.ValoreTotale, fattura.Num, fattura.Data, "
                           "fattura.SerieFatturazione, Clienti.NominativoDocumenti AS Cliente "
                           "FROM (fattdett INNER JOIN fattura ON fattdett.NumFatt = fattura.ID) "
                           "LEFT JOIN Clienti ON fattura.Cliente_ID = Clienti.Id"),
            QStringLiteral("(((fattura.Carico)=False) AND ((fattura.FattNota)=False) AND "
                           "((fattura.Storico)=False))"),
            QStringLiteral("ORDER BY fattdett.Reparto, fattura.Data, fattura.Num"), call.selection);
        break;
    case reports::invoice:
        if (!doc)
            return std::nullopt;
        e = single(options.vatPerRow ? QStringLiteral("Fatture.rpt")
                                     : QStringLiteral("FattureNoRigaIva.rpt"));
        e->query = invoiceQuery(id);
        e->subQuery[0] = invoiceInstalmentsQuery(id);
        e->subQuery[1] = invoiceVatQuery(id);
        break;
    case reports::invoiceList:
        e = list(QStringLiteral("FattureLista.rpt"));
        e->query =
            listQuery(documentListSelect(),
                      QStringLiteral("(((fattura.Carico)=False) AND ((fattura.FattNota)=False))"),
                      QStringLiteral("ORDER BY fattura.Data, fattura.Num"), call.selection);
        break;
    // 32 and 33 are the same list under two buttons of the old menus: one
    // template on purpose, the caller's selection makes the difference.
    case reports::creditNoteList:
    case 33:
        e = list(QStringLiteral("NoteCreditoLista.rpt"));
        e->query =
            listQuery(documentListSelect(),
                      QStringLiteral("(((fattura.Carico)=False) AND ((fattura.FattNota)=True))"),
                      QStringLiteral("ORDER BY fattura.Data, fattura.Num"), call.selection);
        break;
    // 34 and 35 likewise: one quote list, selected by the caller.
    case reports::quoteList:
    case 35:
        e = list(QStringLiteral("PreventiviLista.rpt"));
        e->query = listQuery(
            QStringLiteral("SELECT PreventiTestata.ID, PreventiTestata.Numero, "
                           "PreventiTestata.Data, Clienti.NominativoDocumenti AS Cliente, "
                           "ClientiCategoria.Descrizione AS CliCategoria, "
                           "PreventiTestata.TotImponibile, PreventiTestata.TotImposta, "
                           "PreventiTestata.TotalePreventivo, PreventiTestata.Fatturato FROM "
                           "(PreventiTestata LEFT JOIN Clienti ON PreventiTestata.Cliente_ID = "
                           "Clienti.Id) LEFT JOIN ClientiCategoria ON Clienti.Categoria_ID = "
                           "ClientiCategoria.ID"),
            QString(), QStringLiteral("ORDER BY PreventiTestata.Data, PreventiTestata.Numero"),
            call.selection);
        break;
    // 44 to 49 are one privacy form for one customer, on purpose; 48 alone
    // differs, printed without letterhead on the firm's pre-printed paper.
    case 44:
    case 45:
    case 46:
    case 47:
    case 48:
    case 49:
        if (!doc)
            return std::nullopt;
        e = single(QStringLiteral("PrivacyClienti.rpt"));
        e->query = customerCardQuery(id);
        break;
    case 50:
        if (!doc)
            return std::nullopt;
        e = single(QStringLiteral("PrivacyFornitori.rpt"));
        e->query = supplierCardQuery(id);
        break;
    case reports::deceasedCard:
        if (!doc)
            return std::nullopt;
        e = single(QStringLiteral("DefuntiScheda.rpt"));
        e->query = QLatin1String(deceasedColumns) + QStringLiteral(" WHERE Defunti.Id = ") + id;
        break;
    case reports::deceasedList:
        e = list(QStringLiteral("DefuntiElenco.rpt"));
        e->query =
            listQuery(QLatin1String(deceasedColumns), QString(),
                      QStringLiteral("ORDER BY Defunti.NominativoVisualizzato"), call.selection);
        break;
    case reports::calendarList:
        e = list(QStringLiteral("Calendario.rpt"));
        e->query = listQuery(
            QStringLiteral("SELECT Calendario.Id, Calendario.Data, Calendario.DataAvviso, "
                           "Calendario.TipologiaCalendario, Calendario.Personale, "
                           "Calendario.Cliente, Calendario.Note, Calendario.Conclusa FROM "
                           "Calendario"),
            QString(), QStringLiteral("ORDER BY Calendario.Data, Calendario.Id"), call.selection);
        break;
    case reports::documentLog:
        e = list(QStringLiteral("RegistroDocumenti.rpt"));
        e->query = listQuery(
            QStringLiteral("SELECT RegistroDocumenti.ID, RegistroDocumenti.DataOra, "
                           "RegistroDocumenti.Evento, RegistroDocumenti.TipoDocumento, "
                           "RegistroDocumenti.Numero, RegistroDocumenti.DataDocumento, "
                           "RegistroDocumenti.Intestatario, RegistroDocumenti.Totale, "
                           "RegistroDocumenti.NomeComputer, RegistroDocumenti.Utente, "
                           "RegistroDocumenti.Dettagli FROM RegistroDocumenti"),
            QString(), QStringLiteral("ORDER BY RegistroDocumenti.DataOra, RegistroDocumenti.ID"),
            call.selection);
        break;
    default:
        return std::nullopt;
    }
    e->landscape = landscapeName(e->report);
    return e;
}

} // namespace printing
