#include "documents/ImportedRow.h"

#include "db/Row.h"
#include "documents/DocumentOptions.h"
#include "documents/DocumentRows.h"
#include "documents/DocumentTables.h"
#include "documents/RowRules.h"
#include "documents/StockMoves.h"

namespace documents {

void insertImportedRow(db::Database& db, qint64 invoiceId, const db::Row& source,
                       const QStringList& copiedColumns, const db::Values& links,
                       const DocumentOptions& options) {
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
    for (const QString& column : copiedColumns)
        if (!source.isNull(column))
            values.append({column, source.value(column)});
    db.insert(QStringLiteral("fattdett"), values);
    if (isArticleRow(type))
        StockMoves::move(db, article,
                         DocumentTables::of(kind).stockSign * source.number(QStringLiteral("Um")));
}

} // namespace documents
