#include "printing/AccountingReports.h"

#include "printing/CashBookReports.h"
#include "printing/DueDateReports.h"
#include "printing/ReportCodes.h"

namespace printing {

namespace {

QString where(const QString& selection) {
    return selection.trimmed().isEmpty() ? QString()
                                         : QStringLiteral(" WHERE ") + selection.trimmed();
}

QString idOf(const ReportCall& call) {
    return QString::number(call.documentId.toLongLong());
}

// One register: its rows with their document, VAT code and account, and
// the four quarters.
CatalogEntry registerEntry(const ReportCall& call, bool purchases) {
    const QString rows = purchases ? QStringLiteral("TempContabilitaRegistroAcquisti")
                                   : QStringLiteral("TempContabilitaRegistroVendite");
    CatalogEntry e;
    e.report = purchases ? QStringLiteral("ContabilitaRegistroAcquisti.rpt")
                         : QStringLiteral("ContabilitaRegistroVendite.rpt");
    e.query =
        QStringLiteral("SELECT %1.TempTrimestreNumero, %1.Fattura_ID, %1.TotaleImponibile, "
                       "%1.TotaleImposta, %1.Totale, fattura.Data, fattura.Num, "
                       "fattura.SerieFatturazione, fattura.Cliente, fattura.Fornitore, "
                       "fattura.NumeroCarico, fattura.ProgressivoCarico, "
                       "fattura.DataRegistrazione, fattura.FattNota, Iva.Descrizione AS "
                       "IvaDescrizione, ContabilitaConti.Descrizione AS Conto FROM ((%1 LEFT "
                       "JOIN fattura ON %1.Fattura_ID = fattura.Id) LEFT JOIN Iva ON "
                       "%1.Iva_ID = Iva.ID) LEFT JOIN ContabilitaConti ON "
                       "%1.ContabilitaConti_ID = ContabilitaConti.ID")
            .arg(rows) +
        where(call.selection.isEmpty() ? QString() : rows + QStringLiteral(".") + call.selection) +
        QStringLiteral(" ORDER BY %1.TempTrimestreNumero, %2, fattura.Id")
            .arg(rows, purchases ? QStringLiteral("fattura.DataRegistrazione")
                                 : QStringLiteral("fattura.Data"));
    e.subQuery[0] = QStringLiteral("SELECT * FROM %1Trimestre").arg(rows) + where(call.selection) +
                    QStringLiteral(" ORDER BY NumeroTrimestre");
    return e;
}

CatalogEntry settlementEntry(const ReportCall& call, bool quarterly) {
    const QString header = quarterly ? QStringLiteral("ContabilitaChiusuraIvaTrimestre")
                                     : QStringLiteral("ContabilitaChiusuraIvaMensile");
    CatalogEntry e;
    e.report =
        quarterly ? QStringLiteral("ChiusuraIva.rpt") : QStringLiteral("ChiusuraIvaMensile.rpt");
    e.query = QStringLiteral("SELECT %1.*, %3 AS Variante FROM %1 WHERE Id = %2")
                  .arg(header, idOf(call), QString::number(call.code));
    e.subQuery[0] = QStringLiteral("SELECT * FROM %1Righe WHERE %1_ID = %2 ORDER BY Carico, "
                                   "Corrispettivi, Iva_ID")
                        .arg(header, idOf(call));
    e.subQuery[1] = QStringLiteral("SELECT * FROM %1RigheNonSoggetta WHERE %1_ID = %2 ORDER BY "
                                   "Carico, Corrispettivi, Iva_ID")
                        .arg(header, idOf(call));
    return e;
}

// The monthly settlements of the list's selection (a year): one line per
// month with its debit, credit and carried credit, or the taxable amount
// and VAT of the months added up per VAT code and kind.
CatalogEntry monthlySummaryEntry(const ReportCall& call, bool byCode) {
    CatalogEntry e;
    e.report = QStringLiteral("ChiusuraIvaMensile.rpt");
    e.filter = true;
    const QString variant = QString::number(call.code);
    if (!byCode) {
        e.query = QStringLiteral("SELECT Testate.*, Mesi.Mese AS NomeMese, %1 AS Variante FROM "
                                 "(SELECT * FROM ContabilitaChiusuraIvaMensile")
                      .arg(variant) +
                  where(call.selection) +
                  QStringLiteral(") AS Testate LEFT JOIN Mesi ON Testate.Mese = Mesi.numero "
                                 "ORDER BY Testate.Anno, Testate.Mese");
        return e;
    }
    e.query =
        QStringLiteral(
            "SELECT Righe.Carico, Righe.Corrispettivi, Righe.Iva_ID, Righe.IvaDescrizione, "
            "Sum(Righe.TotaleImponibile) AS TotaleImponibile, Sum(Righe.TotaleIva) AS TotaleIva, "
            "Min(Testate.Anno) AS Anno, Min(Testate.Mese) AS DalMese, Max(Testate.Mese) AS "
            "AlMese, %1 AS Variante FROM ContabilitaChiusuraIvaMensileRighe AS Righe INNER JOIN "
            "(SELECT * FROM ContabilitaChiusuraIvaMensile")
            .arg(variant) +
        where(call.selection) +
        QStringLiteral(") AS Testate ON Righe.ContabilitaChiusuraIvaMensile_ID = Testate.Id "
                       "GROUP BY Righe.Carico, Righe.Corrispettivi, Righe.Iva_ID, "
                       "Righe.IvaDescrizione ORDER BY Righe.Carico, Righe.Corrispettivi, "
                       "Righe.Iva_ID");
    return e;
}

CatalogEntry balanceEntry(const ReportCall& call) {
    CatalogEntry e;
    e.report = QStringLiteral("Bilancio.rpt");
    e.query = QStringLiteral(
                  "SELECT TempBilancio.ContabilitaConti_ID, TempBilancio.TotaleImponibile, "
                  "TempBilancio.DescrizioneData, ContabilitaConti.Descrizione AS Conto, "
                  "ContabilitaRaggruppamenti.Descrizione AS Raggruppamento, "
                  "ContabilitaClassi.Descrizione AS Classe FROM ((TempBilancio LEFT JOIN "
                  "ContabilitaConti ON TempBilancio.ContabilitaConti_ID = ContabilitaConti.ID) "
                  "LEFT JOIN ContabilitaRaggruppamenti ON ContabilitaConti.Raggruppamento_ID = "
                  "ContabilitaRaggruppamenti.Id) LEFT JOIN ContabilitaClassi ON "
                  "ContabilitaRaggruppamenti.Classe_ID = ContabilitaClassi.Id") +
              where(call.selection.isEmpty() ? QString()
                                             : QStringLiteral("TempBilancio.") + call.selection) +
              QStringLiteral(" ORDER BY ContabilitaClassi.Descrizione, "
                             "ContabilitaRaggruppamenti.Descrizione, ContabilitaConti.Descrizione");
    return e;
}

// A month of the cash book, all movements or one bank's (the selection),
// with the opening balance the screen computed (the parameter).
CatalogEntry cashBookEntry(const ReportCall& call, bool byBank) {
    CatalogEntry e;
    e.report = byBank ? QStringLiteral("PrimaNotaBanca.rpt") : QStringLiteral("PrimaNotaMese.rpt");
    e.parameter = call.parameter;
    bool ok = false;
    const double opening = call.parameter.toDouble(&ok);
    e.query = QStringLiteral(
                  "SELECT finanzia.ID, finanzia.Data, finanzia.Operazione, finanzia.Entrata, "
                  "finanzia.Uscita, finanzia.Note, finanzia.Banca_ID, Fornitor.Fornitore, "
                  "Clienti.NominativoDocumenti AS Cliente, Bank.Banca, Bank.Iban, "
                  "TipologiaPrimaNota.Descrizione AS Tipologia, %1 AS SaldoIniziale FROM "
                  "(((finanzia LEFT JOIN Clienti ON finanzia.Cliente_id = Clienti.Id) LEFT JOIN "
                  "Fornitor ON finanzia.Fornitore_id = Fornitor.Id) LEFT JOIN Bank ON "
                  "finanzia.Banca_ID = Bank.Id) LEFT JOIN TipologiaPrimaNota ON "
                  "finanzia.Tipologia_ID = TipologiaPrimaNota.Id")
                  .arg(QString::number(ok ? opening : 0.0, 'f', 2)) +
              where(call.selection) + QStringLiteral(" ORDER BY finanzia.Data, finanzia.ID");
    return e;
}

CatalogEntry situationEntry(const ReportCall& call) {
    CatalogEntry e;
    e.report = QStringLiteral("ContabilitaSituazioneConto.rpt");
    e.query =
        QStringLiteral("SELECT TempContabilitaConto.*, ContabilitaConti.Descrizione AS Conto "
                       "FROM TempContabilitaConto LEFT JOIN ContabilitaConti ON "
                       "TempContabilitaConto.ContabilitaConti_ID = ContabilitaConti.ID") +
        where(call.selection.isEmpty() ? QString()
                                       : QStringLiteral("TempContabilitaConto.") + call.selection) +
        QStringLiteral(" ORDER BY TempContabilitaConto.Tipologia, TempContabilitaConto.Data, "
                       "TempContabilitaConto.ID");
    return e;
}

CatalogEntry historyEntry(const ReportCall& call) {
    CatalogEntry e;
    e.report = QStringLiteral("StoriaContabilita.rpt");
    e.query =
        QStringLiteral("SELECT tempStoriaContabilitaRighe.*, ContabilitaConti.Descrizione AS "
                       "Conto FROM tempStoriaContabilitaRighe LEFT JOIN ContabilitaConti ON "
                       "tempStoriaContabilitaRighe.ContabilitaConti_ID = ContabilitaConti.ID") +
        where(call.selection.isEmpty()
                  ? QString()
                  : QStringLiteral("tempStoriaContabilitaRighe.") + call.selection) +
        QStringLiteral(" ORDER BY ContabilitaConti.Descrizione, "
                       "tempStoriaContabilitaRighe.ContabilitaConti_ID, "
                       "tempStoriaContabilitaRighe.DocumentoData");
    return e;
}

} // namespace

std::optional<CatalogEntry> accountingEntry(const ReportCall& call) {
    switch (call.code) {
    case reports::purchaseRegister:
        return registerEntry(call, true);
    case reports::salesRegister:
        return registerEntry(call, false);
    case reports::vatSettlement:
        return settlementEntry(call, true);
    case reports::monthlyVatSettlement:
        return settlementEntry(call, false);
    case reports::monthlyVatSettlementYear:
        return monthlySummaryEntry(call, false);
    case reports::monthlyVatSettlementYearByCode:
        return monthlySummaryEntry(call, true);
    case reports::balance:
        return balanceEntry(call);
    case reports::accountSituation:
        return situationEntry(call);
    case reports::accountHistory:
        return historyEntry(call);
    case reports::cashBookMonth:
        return cashBookEntry(call, false);
    case reports::cashBookMonthByBank:
        return cashBookEntry(call, true);
    default:
        if (auto e = cashBookListEntry(call))
            return e;
        return dueDatesEntry(call, QDate::currentDate());
    }
}

} // namespace printing
