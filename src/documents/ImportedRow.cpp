#include "documents/ImportedRow.h"

#include "db/Row.h"
#include "documents/DocumentOptions.h"
#include "documents/DocumentRows.h"
#include "documents/DocumentTables.h"
#include "documents/RowRules.h"
#include "documents/StockMoves.h"
#include "registries/VatRate.h"

namespace documents {

namespace {

// A row copied with a VAT code takes the code's rate, and its amounts follow.
void takeRateOfVatCode(db::Database& db, QVariantMap& row) {
    const QVariant vatId = row.value(QStringLiteral("Iva_ID"));
    if (vatId.toLongLong() <= 0)
        return;
    const QVariant stored = row.value(QStringLiteral("AliquotaIva"));
    const double rate = registries::vatRateOf(db, vatId, stored.toDouble());
    if (!stored.isNull() && rate == stored.toDouble())
        return;
    row[QStringLiteral("AliquotaIva")] = rate;
    RowRules::computeAmounts(row);
}

} // namespace

QStringList importedRowColumns(const QStringList& ownColumns) {
    static const QStringList shared = {"DataInizioPeriodo",
                                       "DataFinePeriodo",
                                       "Descrizione",
                                       "TotaleImponibile",
                                       "Um",
                                       "Reparto",
                                       "ValoreTotale",
                                       "Articolo_ID",
                                       "Data",
                                       "Codice",
                                       "TipoRiga",
                                       "ValoreUnitario",
                                       "Sconto",
                                       "AliquotaIva",
                                       "Iva_ID"};
    return shared + ownColumns;
}

void insertImportedRow(db::Database& db, qint64 invoiceId, const db::Row& source,
                       const QStringList& copiedColumns, const db::Values& links,
                       const DocumentOptions& options, bool moveStock) {
    const DocumentKind kind = DocumentKind::CustomerInvoice;
    const bool history =
        db.scalar(QStringLiteral("select Storico from fattura where Id = ?"), {invoiceId}).toBool();
    const QString type = source.text(QStringLiteral("TipoRiga"));
    const qint64 article = source.integer(QStringLiteral("Articolo_ID"));
    db::Values values{
        {QStringLiteral("NumFatt"), invoiceId},
        {QStringLiteral("NumeroRiga"), DocumentRows::nextRowNumber(db, kind, invoiceId, options)},
        {QStringLiteral("ContabilitaConti_ID"),
         RowRules::defaultAccount(db, kind, type, article, options)},
        {QStringLiteral("Storico"), history}};
    values.append(links);
    QVariantMap copied;
    for (const QString& column : copiedColumns)
        if (!source.isNull(column))
            copied.insert(column, source.value(column));
    takeRateOfVatCode(db, copied);
    for (auto it = copied.cbegin(); it != copied.cend(); ++it)
        values.append({it.key(), it.value()});
    db.insert(QStringLiteral("fattdett"), values);
    if (moveStock && isArticleRow(type))
        StockMoves::move(db, article,
                         DocumentTables::of(kind).stockSign * source.number(QStringLiteral("Um")));
}

void linkOnce(db::Database& db, const QString& table, qint64 invoiceId, const QString& sourceColumn,
              qint64 sourceId, const db::Values& values) {
    const bool linked =
        !db.query(QStringLiteral("select %1 from %2 where Fattura_ID = ? and %1 = ?")
                      .arg(sourceColumn, table),
                  {invoiceId, sourceId})
             .empty();
    if (linked)
        return;
    db::Values all = values;
    all.append({sourceColumn, sourceId});
    all.append({QStringLiteral("Fattura_ID"), invoiceId});
    db.insert(table, all);
}

} // namespace documents
