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

QVariant valueOf(const db::Values& values, const QString& column) {
    for (const auto& [name, value] : values)
        if (name.compare(column, Qt::CaseInsensitive) == 0)
            return value;
    return {};
}

void setValue(db::Values& values, const QString& column, const QVariant& value) {
    for (auto& [name, stored] : values)
        if (name.compare(column, Qt::CaseInsensitive) == 0) {
            stored = value;
            return;
        }
    values.append({column, value});
}

// A row copied with a VAT code takes the code's rate, and its total follows.
void takeRateOfVatCode(db::Database& db, db::Values& values) {
    const QVariant vatId = valueOf(values, QStringLiteral("Iva_ID"));
    if (vatId.toLongLong() <= 0)
        return;
    const QVariant stored = valueOf(values, QStringLiteral("AliquotaIva"));
    const double rate = registries::vatRateOf(db, vatId, stored.toDouble());
    if (!stored.isNull() && rate == stored.toDouble())
        return;
    setValue(values, QStringLiteral("AliquotaIva"), rate);
    setValue(values, QStringLiteral("ValoreTotale"),
             RowRules::rowGross(true, valueOf(values, QStringLiteral("Um")).toDouble(),
                                valueOf(values, QStringLiteral("ValoreUnitario")).toDouble(),
                                valueOf(values, QStringLiteral("Sconto")).toDouble(), rate));
}

} // namespace

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
    takeRateOfVatCode(db, values);
    db.insert(QStringLiteral("fattdett"), values);
    if (isArticleRow(type))
        StockMoves::move(db, article,
                         DocumentTables::of(kind).stockSign * source.number(QStringLiteral("Um")));
}

} // namespace documents
