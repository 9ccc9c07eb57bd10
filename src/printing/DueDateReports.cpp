#include "printing/DueDateReports.h"

#include "common/SqlText.h"
#include "printing/ReportCodes.h"

namespace printing {

namespace {

QString jetDay(const QDate& d) {
    return QStringLiteral("#%1#").arg(common::jetDate(d));
}

QString jetEndOfDay(const QDate& d) {
    return QStringLiteral("#%1#").arg(common::jetDateEndOfDay(d));
}

std::optional<DueDatePrint> variant(int code, const QDate& today) {
    const bool suppliers = code >= reports::supplierDueDates && code <= reports::supplierPayments;
    for (const DueDatePrint& p : dueDatePrints(suppliers, today))
        if (p.code == code)
            return p;
    return std::nullopt;
}

CatalogEntry entryFor(const ReportCall& call, bool suppliers, bool paid,
                      const DueDatePrint& print) {
    CatalogEntry e;
    e.report = QStringLiteral("%1%2.rpt")
                   .arg(paid ? QStringLiteral("Pagamenti") : QStringLiteral("Scadenziario"),
                        suppliers ? QStringLiteral("Fornitori") : QString());
    e.filter = true;
    QString condition = QStringLiteral("DataPagamento is %1 and ")
                            .arg(paid ? QStringLiteral("not Null") : QStringLiteral("Null")) +
                        (suppliers ? QStringLiteral("(Tipo = 'C' or Tipo = 'B')")
                                   : QStringLiteral("(Tipo <> 'C' and Tipo <> 'B')"));
    if (!call.selection.trimmed().isEmpty())
        condition += QStringLiteral(" and (") + call.selection.trimmed() + QStringLiteral(")");
    if (!print.condition.isEmpty())
        condition += QStringLiteral(" and (") + print.condition + QStringLiteral(")");
    const QString group = print.groupBy.isEmpty() ? QStringLiteral("''") : print.groupBy;
    e.query =
        QStringLiteral(
            "SELECT Scadenze.*, %1 AS Gruppo, %2 AS Raggruppa, '%3' AS Variante FROM (SELECT "
            "FatturaScadenze.Id, FatturaScadenze.DataScadenza, FatturaScadenze.DataPagamento, "
            "FatturaScadenze.Operazione, FatturaScadenze.Importo, FatturaScadenze.Dettagli, "
            "FatturaScadenze.Numero, FatturaScadenze.Tipo, Fornitor.Fornitore, "
            "Clienti.NominativoDocumenti as Cliente, ModPagamento.Descrizione as "
            "ModalitaPagamento, Bank.Banca, Bank.Iban, fattura.Data as DataFattura, fattura.Num "
            "as NumeroFattura, fattura.SerieFatturazione FROM ((((FatturaScadenze LEFT JOIN "
            "Fornitor ON FatturaScadenze.Fornitore_id = Fornitor.Id) LEFT JOIN Clienti ON "
            "FatturaScadenze.Cliente_id = Clienti.Id) LEFT JOIN ModPagamento ON "
            "FatturaScadenze.ModPagamento_Id = ModPagamento.id) LEFT JOIN Bank ON "
            "FatturaScadenze.Banca_ID = Bank.Id) LEFT JOIN fattura ON FatturaScadenze.Fattura_ID "
            "= fattura.Id) AS Scadenze WHERE ")
            .arg(group, print.groupBy.isEmpty() ? QStringLiteral("0") : QStringLiteral("1"),
                 QString(print.title).replace(u'\'', QStringLiteral("''"))) +
        condition +
        QStringLiteral(" ORDER BY %1%2, Numero")
            .arg(print.groupBy.isEmpty() ? QString() : print.groupBy + QStringLiteral(", "),
                 paid ? QStringLiteral("DataPagamento") : QStringLiteral("DataScadenza"));
    return e;
}

} // namespace

QList<DueDatePrint> dueDatePrints(bool suppliers, const QDate& today) {
    const QString party = suppliers ? QStringLiteral("Fornitore") : QStringLiteral("Cliente");
    const QString overdue = QStringLiteral("DataScadenza < %1").arg(jetDay(today));
    const QDate monthStart(today.year(), today.month(), 1);
    const QString within30 = QStringLiteral("DataScadenza >= %1 and DataScadenza <= %2")
                                 .arg(jetDay(today), jetEndOfDay(today.addDays(30)));
    const QString thisMonth =
        QStringLiteral("DataScadenza >= %1 and DataScadenza <= %2")
            .arg(jetDay(monthStart), jetEndOfDay(monthStart.addMonths(1).addDays(-1)));
    const QString dayText = today.toString(QStringLiteral("dd/MM/yyyy"));
    if (suppliers)
        return {
            {reports::supplierDueDates, QStringLiteral("Elenco"), QString(), QString(), QString()},
            {reports::supplierDueDatesOverdue, QStringLiteral("Scadute"),
             QStringLiteral("Scadute al %1").arg(dayText), overdue, QString()},
            {reports::supplierDueDatesNext30Days, QStringLiteral("In scadenza entro 30 giorni"),
             QStringLiteral("In scadenza dal %1 al %2")
                 .arg(dayText, today.addDays(30).toString(QStringLiteral("dd/MM/yyyy"))),
             within30, QString()},
            {reports::supplierDueDatesThisMonth, QStringLiteral("Del mese corrente"),
             QStringLiteral("In scadenza nel mese %1")
                 .arg(monthStart.toString(QStringLiteral("MM/yyyy"))),
             thisMonth, QString()},
            {reports::supplierDueDatesBySupplier, QStringLiteral("per Fornitore"),
             QStringLiteral("per Fornitore"), QString(), party},
            {reports::supplierDueDatesByPaymentMode, QStringLiteral("per Modalità di Pagamento"),
             QStringLiteral("per Modalità di Pagamento"), QString(),
             QStringLiteral("ModalitaPagamento")},
            {reports::supplierDueDatesByBank, QStringLiteral("per Banca"),
             QStringLiteral("per Banca"), QString(), QStringLiteral("Banca")},
        };
    return {
        {reports::customerDueDates, QStringLiteral("Elenco"), QString(), QString(), QString()},
        {reports::customerDueDatesOverdue, QStringLiteral("Scadute"),
         QStringLiteral("Scadute al %1").arg(dayText), overdue, QString()},
        {reports::customerDueDatesNext30Days, QStringLiteral("In scadenza entro 30 giorni"),
         QStringLiteral("In scadenza dal %1 al %2")
             .arg(dayText, today.addDays(30).toString(QStringLiteral("dd/MM/yyyy"))),
         within30, QString()},
        {reports::customerDueDatesThisMonth, QStringLiteral("Del mese corrente"),
         QStringLiteral("In scadenza nel mese %1")
             .arg(monthStart.toString(QStringLiteral("MM/yyyy"))),
         thisMonth, QString()},
        {reports::customerDueDatesByCustomer, QStringLiteral("per Cliente"),
         QStringLiteral("per Cliente"), QString(), party},
        {reports::customerDueDatesByPaymentMode, QStringLiteral("per Modalità di Pagamento"),
         QStringLiteral("per Modalità di Pagamento"), QString(),
         QStringLiteral("ModalitaPagamento")},
        {reports::customerDueDatesByBank, QStringLiteral("per Banca"), QStringLiteral("per Banca"),
         QString(), QStringLiteral("Banca")},
        {reports::customerDueDatesOverdueByCustomer, QStringLiteral("Scadute per Cliente"),
         QStringLiteral("Scadute al %1 per Cliente").arg(dayText), overdue, party},
    };
}

std::optional<CatalogEntry> dueDatesEntry(const ReportCall& call, const QDate& today) {
    const int code = call.code;
    if (code == reports::customerPayments)
        return entryFor(call, false, true, {});
    if (code == reports::supplierPayments)
        return entryFor(call, true, true, {});
    const bool customers =
        code >= reports::customerDueDates && code <= reports::customerDueDatesOverdueByCustomer;
    const bool suppliers =
        code >= reports::supplierDueDates && code <= reports::supplierDueDatesByBank;
    if (!customers && !suppliers)
        return std::nullopt;
    const std::optional<DueDatePrint> print = variant(code, today);
    if (!print)
        return std::nullopt;
    return entryFor(call, suppliers, false, *print);
}

} // namespace printing
