#include "printing/CashBookReports.h"

#include "printing/ReportCodes.h"

namespace printing {

namespace {

enum class Party { All, Customers, Suppliers };

// The cash-book list's rows, as a derived table so that the list's own
// selection applies to its column names.
QString movements() {
    return QStringLiteral(
        "(SELECT finanzia.ID, finanzia.Data, finanzia.Operazione, finanzia.Entrata, "
        "finanzia.Uscita, finanzia.Note, finanzia.Tipologia_ID, finanzia.Tipo, "
        "finanzia.Fattura_ID, finanzia.Reparto, finanzia.Storico, finanzia.Cliente_id, "
        "finanzia.Fornitore_id, Fornitor.Fornitore, Clienti.NominativoDocumenti AS Cliente, "
        "ModPagamento.Descrizione AS ModPagamento, Bank.Id AS IdeBanca, Bank.Banca, Bank.Iban, "
        "TipologiaPrimaNota.Descrizione AS Tipologia FROM ((((finanzia LEFT JOIN Clienti ON "
        "finanzia.Cliente_id = Clienti.Id) LEFT JOIN Fornitor ON finanzia.Fornitore_id = "
        "Fornitor.Id) LEFT JOIN ModPagamento ON finanzia.ModPagamento_Id = ModPagamento.id) LEFT "
        "JOIN Bank ON finanzia.Banca_ID = Bank.Id) LEFT JOIN TipologiaPrimaNota ON "
        "finanzia.Tipologia_ID = TipologiaPrimaNota.Id) AS PrimaNota");
}

QString partyCondition(Party party) {
    switch (party) {
    case Party::Customers:
        return QStringLiteral("PrimaNota.Cliente_id > 0");
    case Party::Suppliers:
        return QStringLiteral("PrimaNota.Fornitore_id > 0");
    case Party::All:
        break;
    }
    return QString();
}

QString whereOf(const ReportCall& call, Party party) {
    QStringList parts;
    if (!call.selection.trimmed().isEmpty())
        parts << QStringLiteral("(") + call.selection.trimmed() + QStringLiteral(")");
    const QString own = partyCondition(party);
    if (!own.isEmpty())
        parts << own;
    return parts.isEmpty() ? QString()
                           : QStringLiteral(" WHERE ") + parts.join(QStringLiteral(" AND "));
}

// The movements from the opening balance of the parameter: all, or those
// of a customer or supplier, ordered by them.
CatalogEntry movementsEntry(const ReportCall& call, Party party) {
    CatalogEntry e;
    e.report = party == Party::All         ? QStringLiteral("PrimaNota.rpt")
               : party == Party::Customers ? QStringLiteral("PrimaNotaClienti.rpt")
                                           : QStringLiteral("PrimaNotaFornitori.rpt");
    e.filter = true;
    e.parameter = call.parameter;
    bool ok = false;
    const double opening = call.parameter.toDouble(&ok);
    const QString order = party == Party::All         ? QString()
                          : party == Party::Customers ? QStringLiteral("PrimaNota.Cliente, ")
                                                      : QStringLiteral("PrimaNota.Fornitore, ");
    e.query = QStringLiteral("SELECT PrimaNota.*, %1 AS SaldoIniziale FROM ")
                  .arg(QString::number(ok ? opening : 0.0, 'f', 2)) +
              movements() + whereOf(call, party) +
              QStringLiteral(" ORDER BY %1PrimaNota.Data, PrimaNota.ID").arg(order);
    return e;
}

// One row per customer or supplier with their totals in and out; their
// movements in the sub-report.
CatalogEntry situationEntry(const ReportCall& call, Party party) {
    const bool customers = party == Party::Customers;
    const QString key = customers ? QStringLiteral("Cliente_id") : QStringLiteral("Fornitore_id");
    const QString name = customers ? QStringLiteral("Cliente") : QStringLiteral("Fornitore");
    CatalogEntry e;
    e.report = customers ? QStringLiteral("PrimaNotaSituazioneClienti.rpt")
                         : QStringLiteral("PrimaNotaSituazioneFornitori.rpt");
    e.query = QStringLiteral("SELECT PrimaNota.%1 AS Soggetto_ID, PrimaNota.%2 AS Soggetto, "
                             "Sum(PrimaNota.Entrata) AS TotaleEntrate, Sum(PrimaNota.Uscita) AS "
                             "TotaleUscite, Count(*) AS Movimenti FROM ")
                  .arg(key, name) +
              movements() + whereOf(call, party) +
              QStringLiteral(" GROUP BY PrimaNota.%1, PrimaNota.%2 ORDER BY PrimaNota.%2, "
                             "PrimaNota.%1")
                  .arg(key, name);
    e.subQuery[0] =
        QStringLiteral("SELECT PrimaNota.*, PrimaNota.%1 AS Soggetto_ID, PrimaNota.%2 AS "
                       "Soggetto FROM ")
            .arg(key, name) +
        movements() + whereOf(call, party) +
        QStringLiteral(" ORDER BY PrimaNota.%2, PrimaNota.%1, PrimaNota.Data, PrimaNota.ID")
            .arg(key, name);
    return e;
}

} // namespace

std::optional<CatalogEntry> cashBookListEntry(const ReportCall& call) {
    switch (call.code) {
    case reports::cashBook:
        return movementsEntry(call, Party::All);
    case reports::cashBookCustomers:
        return movementsEntry(call, Party::Customers);
    case reports::cashBookSuppliers:
        return movementsEntry(call, Party::Suppliers);
    case reports::cashBookSupplierSituation:
        return situationEntry(call, Party::Suppliers);
    default:
        if (call.code >= reports::cashBookCustomerSituationFirst &&
            call.code <= reports::cashBookCustomerSituation)
            return situationEntry(call, Party::Customers);
        return std::nullopt;
    }
}

} // namespace printing
