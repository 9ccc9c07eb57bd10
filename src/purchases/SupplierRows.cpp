#include "purchases/SupplierRows.h"

#include "common/Money.h"
#include "common/TextForms.h"
#include "common/Titles.h"
#include "db/RegistryRecord.h"
#include "documents/DocumentTables.h"
#include "documents/RecordColumns.h"
#include "documents/StockMoves.h"
#include "purchases/ArticlePurchase.h"
#include "purchases/SupplierDocuments.h"
#include "purchases/SupplierOptions.h"

#include <cmath>

namespace purchases {

namespace {

const QString kDiscounts[4] = {QStringLiteral("Sconto"), QStringLiteral("Sconto2"),
                               QStringLiteral("Sconto3"), QStringLiteral("Sconto4")};

common::Failure warning(const QString& text, const QString& field) {
    return {common::titles::warning, text, field};
}

common::Failure documentGone() {
    return {common::titles::warning,
            QStringLiteral("Il documento non esiste più: è stato eliminato da un'altra "
                           "postazione."),
            {}};
}

// What an article row moves in stock: the sign of the document times its
// quantity, on its article; nothing for rows of other kinds.
void moveStock(db::Database& db, const SupplierTables& t, const QVariantMap& row, double sign) {
    if (!documents::isArticleRow(db::recordText(row, QStringLiteral("TipoRiga"))))
        return;
    const qint64 article = db::RecordKey(row, QStringLiteral("Articolo_ID"));
    documents::StockMoves::move(
        db, article, sign * t.stockSign * SupplierRows::number(row, QStringLiteral("Um")));
}

} // namespace

double SupplierRows::number(const QVariantMap& row, const QString& column) {
    const QVariant v = db::recordValue(row, column);
    if (v.typeId() == QMetaType::QString) {
        double d = 0;
        return common::parseItalianAmount(v.toString().trimmed(), &d) ? d : 0;
    }
    return v.toDouble();
}

bool SupplierRows::isEmpty(const QVariantMap& row, const QString& column) {
    return db::recordText(row, column).trimmed().isEmpty();
}

QVariantMap SupplierRows::newRow(db::Database& db, DocumentKind kind, qint64 documentId) {
    const SupplierTables& t = SupplierTables::of(kind);
    const SupplierOptions o = SupplierOptions::load(db);
    const qint64 count =
        db.scalar(QStringLiteral("select count(*) from %1 where %2 = ?").arg(t.rows, t.parent),
                  {documentId})
            .toLongLong();
    QDate date =
        db.scalar(QStringLiteral("select Data from fattura where Id = ?"), {documentId}).toDate();
    if (!date.isValid())
        date = QDate::currentDate();
    QVariantMap row{
        {t.parent, documentId},
        {QStringLiteral("NumeroRiga"), count + 1},
        {QStringLiteral("Data"), date},
        {QStringLiteral("Descrizione"), t.creditNote ? QStringLiteral("Articolo da inserire")
                                                     : QStringLiteral("Descrizione Articolo")},
        {QStringLiteral("Codice"), t.creditNote ? QString() : QStringLiteral("Codice Art")},
        {QStringLiteral("ValoreUnitario"), 0.0},
        {QStringLiteral("TotaleImponibile"), 0.0},
        {QStringLiteral("AliquotaIva"), o.defaultVatRate},
        {t.vatId, o.defaultVatId > 0 ? QVariant(o.defaultVatId) : QVariant()},
        {QStringLiteral("PrezzoCompleto"), 0.0},
        {QStringLiteral("ValoreTotale"), 0.0},
        {QStringLiteral("Storico"), false},
        {QStringLiteral("Um"), 1.0},
        {QStringLiteral("TipoRiga"), QStringLiteral("A")},
        {QStringLiteral("ImportatoXml"), false},
        {QStringLiteral("ContabilitaConti_ID"),
         t.creditNote ? o.creditGoodsAccount : o.invoiceGoodsAccount}};
    for (const QString& d : kDiscounts)
        row[d] = 0.0;
    if (!t.creditNote) {
        row[QStringLiteral("Scarico")] = false;
        row[QStringLiteral("Omaggio")] = false;
        row[QStringLiteral("Fatturato")] = false;
    }
    return row;
}

QVariantMap SupplierRows::load(db::Database& db, DocumentKind kind, qint64 rowId) {
    return db::readRecord(db, SupplierTables::of(kind).rows, rowId);
}

bool SupplierRows::chooseArticle(db::Database& db, QVariantMap& row, qint64 articleId) {
    const db::Result r =
        db.query(QStringLiteral("select * from prezziar where ID = ?"), {articleId});
    if (r.empty())
        return false;
    const db::Row& a = r.first();
    row[QStringLiteral("Articolo_ID")] = articleId;
    row[QStringLiteral("TipoRiga")] = QStringLiteral("N");
    row[QStringLiteral("Codice")] = a.text(QStringLiteral("Codice"));
    row[QStringLiteral("Descrizione")] = a.text(QStringLiteral("Descrizione"));
    row[QStringLiteral("Reparto")] = a.text(QStringLiteral("Reparto"));
    row[QStringLiteral("ValoreUnitario")] = a.number(QStringLiteral("Fornitore_ValoreUnitario"));
    for (int i = 0; i < 4; ++i)
        row[kDiscounts[i]] = a.number(QStringLiteral("Fornitore_Sconto%1").arg(i + 1));
    // The article's purchase VAT when it has one, else its selling VAT.
    const bool purchaseVat = a.integer(QStringLiteral("Fornitore_Iva_id")) > 0;
    const QVariant vatId = purchaseVat ? a.value(QStringLiteral("Fornitore_Iva_id"))
                                       : a.value(QStringLiteral("Iva_Id"));
    const double rate = purchaseVat ? a.number(QStringLiteral("Fornitore_AliquotaIva"))
                                    : a.number(QStringLiteral("AliquotaIva"));
    if (vatId.toLongLong() > 0) {
        row[row.contains(QStringLiteral("Iva_Id")) ? QStringLiteral("Iva_Id")
                                                   : QStringLiteral("Iva_ID")] = vatId;
        row[QStringLiteral("AliquotaIva")] = rate;
    }
    applyAmounts(row);
    return true;
}

void SupplierRows::applyAmounts(QVariantMap& row) {
    const double net = common::rowNet4(false, number(row, QStringLiteral("Um")),
                                       number(row, QStringLiteral("ValoreUnitario")),
                                       number(row, kDiscounts[0]), number(row, kDiscounts[1]),
                                       number(row, kDiscounts[2]), number(row, kDiscounts[3]));
    const double gross =
        common::round2(net * (1 + number(row, QStringLiteral("AliquotaIva")) / 100));
    row[QStringLiteral("TotaleImponibile")] = net;
    row[QStringLiteral("PrezzoCompleto")] = gross;
    row[QStringLiteral("ValoreTotale")] = gross;
}

std::optional<common::Failure> SupplierRows::unitFromGross(QVariantMap& row,
                                                           double defaultVatRate) {
    if (isEmpty(row, QStringLiteral("PrezzoCompleto")) ||
        number(row, QStringLiteral("PrezzoCompleto")) == 0)
        return warning(
            QStringLiteral("Attenzione Inserire il Valore Ivato prima di calcolare il valore "
                           "unitario"),
            QStringLiteral("PrezzoCompleto"));
    const double rate = isEmpty(row, QStringLiteral("AliquotaIva"))
                            ? defaultVatRate
                            : number(row, QStringLiteral("AliquotaIva"));
    const double gross = number(row, QStringLiteral("PrezzoCompleto"));
    row[QStringLiteral("ValoreUnitario")] = common::unitFromTotal(
        number(row, QStringLiteral("Um")), gross, rate, number(row, kDiscounts[0]),
        number(row, kDiscounts[1]), number(row, kDiscounts[2]), number(row, kDiscounts[3]));
    applyAmounts(row);
    // The total typed stays what the supplier wrote.
    row[QStringLiteral("PrezzoCompleto")] = gross;
    row[QStringLiteral("ValoreTotale")] = gross;
    return std::nullopt;
}

void SupplierRows::unitFromTaxable(QVariantMap& row) {
    const double quantity = number(row, QStringLiteral("Um"));
    double factor = quantity;
    for (const QString& d : kDiscounts) {
        const double p = number(row, d);
        if (p > 0)
            factor *= 1 - p / 100;
    }
    if (factor == 0)
        return;
    const double net = number(row, QStringLiteral("TotaleImponibile"));
    row[QStringLiteral("ValoreUnitario")] = std::round(net / factor * 10000) / 10000;
    applyAmounts(row);
}

std::optional<common::Failure> SupplierRows::save(db::Database& db, DocumentKind kind,
                                                  qint64 documentId, QVariantMap& row) {
    if (isEmpty(row, QStringLiteral("Um")))
        return warning(QStringLiteral("Attenzione manca la quantità"), QStringLiteral("Um"));
    const SupplierTables& t = SupplierTables::of(kind);
    const SupplierOptions o = SupplierOptions::load(db);
    applyAmounts(row);
    row[t.parent] = documentId;
    const qint64 given = db::RecordKey(row, t.key);
    return db::withRetry(db, [&]() -> std::optional<common::Failure> {
        qint64 id = given;
        db::Transaction tx(db);
        // Held, so that no other workstation writes the document meanwhile.
        if (!db.lockRow(QStringLiteral("fattura"), documentId))
            return documentGone();
        if (id > 0)
            moveStock(db, t, load(db, kind, id), -1);
        moveStock(db, t, row, +1);
        const db::Values values = documents::columnValues(t.rows, row);
        if (id > 0)
            db.update(t.rows, id, values);
        else
            id = db.insert(t.rows, values);

        const qint64 article = db::RecordKey(row, QStringLiteral("Articolo_ID"));
        const QString type = db::recordText(row, QStringLiteral("TipoRiga"));
        if (!t.creditNote && article > 0 && ArticlePurchase::carriesPrice(type)) {
            if (o.updatePrices && !db::recordValue(row, QStringLiteral("Omaggio")).toBool())
                ArticlePurchase::updatePrices(db, article, row);
            if (o.updateInsertDate)
                ArticlePurchase::updateInsertDate(
                    db, article,
                    db.scalar(QStringLiteral("select DataRegistrazione from fattura where Id = ?"),
                              {documentId})
                        .toDate());
        }
        SupplierDocuments::recalculate(db, documentId, o);
        tx.commit();
        row = load(db, kind, id);
        return std::nullopt;
    });
}

void SupplierRows::remove(db::Database& db, DocumentKind kind, qint64 rowId) {
    const SupplierTables& t = SupplierTables::of(kind);
    db::withRetry(db, [&] {
        const QVariantMap row = load(db, kind, rowId);
        if (row.isEmpty())
            return;
        db::Transaction tx(db);
        if (!db.lockRow(QStringLiteral("fattura"), db::RecordKey(row, t.parent)))
            return;
        moveStock(db, t, row, -1);
        db.exec(QStringLiteral("delete * from %1 where %2 = ?").arg(t.rows, t.key), {rowId});
        SupplierDocuments::recalculate(db, db::RecordKey(row, t.parent));
        tx.commit();
    });
}

void SupplierRows::removeAll(db::Database& db, DocumentKind kind, qint64 documentId) {
    const SupplierTables& t = SupplierTables::of(kind);
    const db::Result rows =
        db.query(QStringLiteral("select TipoRiga, Articolo_ID, Um from %1 where %2 = ?")
                     .arg(t.rows, t.parent),
                 {documentId});
    for (const db::Row& r : rows)
        if (documents::isArticleRow(r.text(QStringLiteral("TipoRiga"))))
            documents::StockMoves::move(db, r.integer(QStringLiteral("Articolo_ID")),
                                        -t.stockSign * r.number(QStringLiteral("Um")));
    db.exec(QStringLiteral("delete * from %1 where %2 = ?").arg(t.rows, t.parent), {documentId});
}

} // namespace purchases
