#include "documents/DocumentRows.h"

#include "common/Titles.h"
#include "db/RegistryRecord.h"
#include "documents/DocumentStore.h"
#include "documents/DocumentTables.h"
#include "documents/RecordColumns.h"
#include "documents/RowRules.h"
#include "documents/StockMoves.h"

namespace documents {

namespace {

// Another workstation deleted the document while this one was on it.
common::Failure documentGone() {
    return {common::titles::warning,
            QStringLiteral("Il documento non esiste più: è stato eliminato da un'altra "
                           "postazione."),
            {}};
}

struct Header {
    QDate date;
    bool history = false;
    qint64 customer = 0;
};

Header readHeader(db::Database& db, qint64 documentId) {
    const db::Result r = db.query(
        QStringLiteral("select Data, Storico, Cliente_ID from fattura where Id = ?"), {documentId});
    if (r.empty())
        return {};
    return {r.first().date(QStringLiteral("Data")), r.first().boolean(QStringLiteral("Storico")),
            r.first().integer(QStringLiteral("Cliente_ID"))};
}

QString keyColumn() {
    return QStringLiteral("IDX");
}

} // namespace

int DocumentRows::nextRowNumber(db::Database& db, DocumentKind kind, qint64 documentId,
                                const DocumentOptions& options) {
    if (!options.incrementRowNumber)
        return 1;
    const DocumentTables& t = DocumentTables::of(kind);
    return int(db.scalar(
                     QStringLiteral("select count(*) from %1 where %2 = ?").arg(t.rows, t.parent),
                     {documentId})
                   .toLongLong()) +
           1;
}

qint64 DocumentRows::addArticle(db::Database& db, DocumentKind kind, qint64 documentId,
                                qint64 articleId, const QDate& today) {
    const DocumentTables& t = DocumentTables::of(kind);
    const DocumentOptions options = DocumentOptions::load(db);
    const db::Result a = db.query(
        QStringLiteral("SELECT Codice, Descrizione FROM prezziar where Id = ?"), {articleId});
    if (a.empty())
        return 0;
    db::Transaction tx(db);
    const Header h = readHeader(db, documentId);
    QVariantMap row{{t.parent, documentId},
                    {QStringLiteral("Data"), h.date.isValid() ? QVariant(h.date) : QVariant()},
                    {QStringLiteral("Descrizione"), a.first().value(QStringLiteral("Descrizione"))},
                    {QStringLiteral("Codice"), a.first().value(QStringLiteral("Codice"))},
                    {QStringLiteral("Articolo_ID"), articleId},
                    {QStringLiteral("Storico"), h.history},
                    {QStringLiteral("NumeroRiga"), nextRowNumber(db, kind, documentId, options)},
                    {QStringLiteral("DataInizioPeriodo"), QDate(today.year(), 1, 1)},
                    {QStringLiteral("DataFinePeriodo"), QDate(today.year(), 12, 31)}};
    RowRules::fillFromArticle(db, kind, row, articleId, h.customer, options);
    const qint64 id = db.insert(t.rows, columnValues(t.rows, row));
    DocumentStore::recalculate(db, documentId);
    tx.commit();
    return id;
}

std::optional<common::Failure> DocumentRows::addByCode(db::Database& db, DocumentKind kind,
                                                       qint64 documentId, const QString& code,
                                                       qint64* rowId, const QDate& today) {
    const QVariant article =
        db.scalar(QStringLiteral("select Id from prezziar where annullato = false and Codice = ?"),
                  {code.trimmed()});
    if (article.isNull())
        return common::Failure{common::titles::warning,
                               QStringLiteral("Attenzione il codice non risulta in archivio!!!"),
                               QStringLiteral("Codice")};
    const qint64 id = addArticle(db, kind, documentId, article.toLongLong(), today);
    if (rowId)
        *rowId = id;
    return std::nullopt;
}

qint64 DocumentRows::addFreeRow(db::Database& db, DocumentKind kind, qint64 documentId) {
    const DocumentTables& t = DocumentTables::of(kind);
    const DocumentOptions options = DocumentOptions::load(db);
    db::Transaction tx(db);
    const Header h = readHeader(db, documentId);
    const qint64 account =
        isFattNota(kind) ? options.creditGoodsAccount : options.invoiceGoodsAccount;
    const qint64 id = db.insert(
        t.rows,
        {{t.parent, documentId},
         {QStringLiteral("NumeroRiga"), nextRowNumber(db, kind, documentId, options)},
         {QStringLiteral("Data"), h.date.isValid() ? QVariant(h.date) : QVariant()},
         {QStringLiteral("Storico"), h.history},
         {QStringLiteral("Descrizione"), QStringLiteral("Articolo da inserire")},
         {QStringLiteral("TipoRiga"), QStringLiteral("A")},
         {QStringLiteral("ValoreUnitario"), 0.0},
         {QStringLiteral("TotaleImponibile"), 0.0},
         {QStringLiteral("Sconto"), 0.0},
         {QStringLiteral("ValoreTotale"), 0.0},
         {QStringLiteral("Iva_ID"),
          options.defaultVatId > 0 ? QVariant(options.defaultVatId) : QVariant()},
         {QStringLiteral("AliquotaIva"), options.defaultVatRate},
         {QStringLiteral("ContabilitaConti_ID"), account > 0 ? QVariant(account) : QVariant()}});
    tx.commit();
    return id;
}

QVariantMap DocumentRows::load(db::Database& db, DocumentKind kind, qint64 rowId) {
    return db::readRecord(db, DocumentTables::of(kind).rows, rowId);
}

std::optional<common::Failure> DocumentRows::save(db::Database& db, DocumentKind kind,
                                                  qint64 documentId, QVariantMap& row) {
    if (auto failure = RowRules::validate(row))
        return failure;
    const DocumentTables& t = DocumentTables::of(kind);
    const qint64 given = db::RecordKey(row, keyColumn());
    return db::withRetry(db, [&]() -> std::optional<common::Failure> {
        // Each attempt starts from the row as the editor gave it.
        QVariantMap work = row;
        qint64 id = given;
        db::Transaction tx(db);
        if (!db.lockRow(QStringLiteral("fattura"), documentId))
            return documentGone();
        work[t.parent] = documentId;
        if (id <= 0) {
            // A row made in the editor from nothing takes what the add actions give.
            const Header h = readHeader(db, documentId);
            if (db::recordValue(work, QStringLiteral("Data")).isNull() && h.date.isValid())
                work[QStringLiteral("Data")] = h.date;
            if (db::recordValue(work, QStringLiteral("Storico")).isNull())
                work[QStringLiteral("Storico")] = h.history;
            if (db::recordValue(work, QStringLiteral("NumeroRiga")).isNull())
                work[QStringLiteral("NumeroRiga")] =
                    nextRowNumber(db, kind, documentId, DocumentOptions::load(db));
        }
        RowRules::computeAmounts(work);
        const db::Values values = columnValues(t.rows, work);
        double newQuantity = 0;
        for (const auto& [column, value] : values)
            if (column.compare(QLatin1String("Um"), Qt::CaseInsensitive) == 0)
                newQuantity = value.toDouble();
        const double stored =
            id > 0 ? db.scalar(QStringLiteral("SELECT Um FROM %1 WHERE IDX = ?").arg(t.rows), {id})
                         .toDouble()
                   : 0;
        if (isArticleRow(db::recordText(work, QStringLiteral("TipoRiga"))))
            StockMoves::move(db, db::RecordKey(work, QStringLiteral("Articolo_ID")),
                             t.stockSign * (newQuantity - stored));
        if (id > 0)
            db.update(t.rows, id, values);
        else
            id = db.insert(t.rows, values);
        DocumentStore::recalculate(db, documentId);
        tx.commit();
        row = load(db, kind, id);
        return std::nullopt;
    });
}

void DocumentRows::removeWhere(db::Database& db, DocumentKind kind, const QString& condition,
                               const QVariantList& binds) {
    const DocumentTables& t = DocumentTables::of(kind);
    const db::Result rows =
        db.query(QStringLiteral("select IDX, TipoRiga, Articolo_ID, Um from %1 where %2")
                     .arg(t.rows, condition),
                 binds);
    for (const db::Row& r : rows) {
        if (isArticleRow(r.text(QStringLiteral("TipoRiga"))))
            StockMoves::move(db, r.integer(QStringLiteral("Articolo_ID")),
                             -t.stockSign * r.number(QStringLiteral("Um")));
        db.exec(QStringLiteral("delete * from %1 where IDX = ?").arg(t.rows),
                {r.integer(QStringLiteral("IDX"))});
    }
}

void DocumentRows::remove(db::Database& db, DocumentKind kind, qint64 rowId) {
    return db::withRetry(db, [&] {
        const DocumentTables& t = DocumentTables::of(kind);
        db::Transaction tx(db);
        const db::Result r =
            db.query(QStringLiteral("select * from %1 where IDX = ?").arg(t.rows), {rowId});
        if (r.empty()) {
            tx.commit();
            return;
        }
        const db::Row& row = r.first();
        const qint64 documentId = row.integer(t.parent);
        db.lockRow(QStringLiteral("fattura"), documentId);
        if (!t.creditNote) {
            const qint64 contractRow = row.integer(QStringLiteral("ContrattoRiga_ID"));
            const qint64 unload = row.integer(QStringLiteral("Scarico_ID"));
            if (contractRow > 0) {
                // The contract row can be invoiced again, as when its import is removed.
                db.exec(
                    QStringLiteral("UPDATE ContrattiRighe SET Fatturato = false, Fattura_ID=null "
                                   "where IDX = ?"),
                    {contractRow});
                const qint64 others =
                    db.scalar(QStringLiteral("select count(*) from fattdett where NumFatt = ? and "
                                             "ContrattoRiga_ID = ? and IDX <> ?"),
                              {documentId, contractRow, rowId})
                        .toLongLong();
                if (others == 0)
                    db.exec(
                        QStringLiteral("delete * from FatturaContrattiRighe where Fattura_ID = ? "
                                       "and Riga_ID = ?"),
                        {documentId, contractRow});
            }
            if (unload > 0)
                db.exec(QStringLiteral("UPDATE Movimenti SET Fatturato=false where ID = ?"),
                        {unload});
        }
        removeWhere(db, kind, QStringLiteral("IDX = ?"), {rowId});
        DocumentStore::recalculate(db, documentId);
        tx.commit();
    });
}

QString DocumentRows::removeQuestion(DocumentKind kind) {
    return isFattNota(kind) ? QStringLiteral("Sei sicuro di voler eliminare il record ?")
                            : QStringLiteral("Sei sicuro di voler eliminare la riga?");
}

} // namespace documents
