#include "purchases/SupplierOrders.h"

#include "common/Money.h"
#include "common/TextForms.h"
#include "common/Titles.h"
#include "db/RegistryRecord.h"
#include "documents/RecordColumns.h"
#include "purchases/SupplierOptions.h"
#include "purchases/SupplierRows.h"

namespace purchases {

namespace {

const QString kDiscounts[4] = {QStringLiteral("Sconto"), QStringLiteral("Sconto2"),
                               QStringLiteral("Sconto3"), QStringLiteral("Sconto4")};

common::Failure notice(const QString& text, const QString& field) {
    return {SupplierOrders::title(), text, field};
}

void applyAmounts(QVariantMap& row) {
    const double net = common::rowNet4(
        false, SupplierRows::number(row, QStringLiteral("Um")),
        SupplierRows::number(row, QStringLiteral("ValoreUnitario")),
        SupplierRows::number(row, kDiscounts[0]), SupplierRows::number(row, kDiscounts[1]),
        SupplierRows::number(row, kDiscounts[2]), SupplierRows::number(row, kDiscounts[3]));
    row[QStringLiteral("TotaleImponibile")] = net;
    row[QStringLiteral("ValoreTotale")] =
        common::round2(net * (1 + SupplierRows::number(row, QStringLiteral("AliquotaIva")) / 100));
}

qint64 insertRow(db::Database& db, QVariantMap row) {
    applyAmounts(row);
    return db.insert(QStringLiteral("OrdiniRighe"),
                     documents::columnValues(QStringLiteral("OrdiniRighe"), row));
}

QVariantMap blankRow(db::Database& db, qint64 orderId) {
    const SupplierOptions o = SupplierOptions::load(db);
    QVariantMap row{
        {QStringLiteral("Ordine_ID"), orderId},
        {QStringLiteral("Data"), QDate::currentDate()},
        {QStringLiteral("Storico"), false},
        {QStringLiteral("Um"), 1.0},
        {QStringLiteral("ValoreUnitario"), 0.0},
        {QStringLiteral("AliquotaIva"), o.defaultVatRate},
        {QStringLiteral("Iva_id"), o.defaultVatId > 0 ? QVariant(o.defaultVatId) : QVariant()}};
    for (const QString& d : kDiscounts)
        row[d] = 0.0;
    return row;
}

QVariantMap articleRow(db::Database& db, qint64 orderId, const db::Row& a, double quantity) {
    QVariantMap row = blankRow(db, orderId);
    row[QStringLiteral("Articolo_ID")] = a.integer(QStringLiteral("ID"));
    row[QStringLiteral("TipoRiga")] = QStringLiteral("N");
    row[QStringLiteral("Codice")] = a.text(QStringLiteral("Codice"));
    row[QStringLiteral("Descrizione")] = a.text(QStringLiteral("Descrizione"));
    row[QStringLiteral("Reparto")] = a.text(QStringLiteral("Reparto"));
    row[QStringLiteral("Um")] = quantity;
    row[QStringLiteral("ValoreUnitario")] = a.number(QStringLiteral("Fornitore_ValoreUnitario"));
    // The purchase VAT of the article; its selling VAT when it has none.
    const bool purchaseVat = a.integer(QStringLiteral("Fornitore_Iva_id")) > 0;
    row[QStringLiteral("Iva_id")] = purchaseVat ? a.value(QStringLiteral("Fornitore_Iva_id"))
                                                : a.value(QStringLiteral("Iva_Id"));
    row[QStringLiteral("AliquotaIva")] = purchaseVat
                                             ? a.number(QStringLiteral("Fornitore_AliquotaIva"))
                                             : a.number(QStringLiteral("AliquotaIva"));
    for (int i = 0; i < 4; ++i)
        row[kDiscounts[i]] = a.number(QStringLiteral("Fornitore_Sconto%1").arg(i + 1));
    return row;
}

} // namespace

qint64 SupplierOrders::create(db::Database& db, bool history, const QDate& today) {
    db::Transaction tx(db);
    db.lockScope(lockName());
    const QVariant last =
        db.scalar(QStringLiteral("SELECT max(numero) as cont from OrdiniTestata where Storico = "
                                 "false"));
    const qint64 id =
        db.insert(QStringLiteral("OrdiniTestata"),
                  {{QStringLiteral("Numero"), last.isNull() ? 1 : last.toLongLong() + 1},
                   {QStringLiteral("Data"), today},
                   {QStringLiteral("Storico"), history},
                   {QStringLiteral("Fatturato"), false},
                   {QStringLiteral("Fornitore_ID"), 0},
                   {QStringLiteral("TotImponibile"), 0.0},
                   {QStringLiteral("TotImposta"), 0.0},
                   {QStringLiteral("TotaleOrdine"), 0.0}});
    tx.commit();
    return id;
}

QVariantMap SupplierOrders::load(db::Database& db, qint64 id) {
    return db::readRecord(db, QStringLiteral("OrdiniTestata"), id);
}

std::optional<common::Failure> SupplierOrders::validate(const QVariantMap& header) {
    if (db::recordText(header, QStringLiteral("Numero")).isEmpty())
        return notice(QStringLiteral("Attenzione: Prima di inserire le righe è necessario salvare "
                                     "il numero di Ordine!!!"),
                      QStringLiteral("Numero"));
    if (!db::recordDate(header, QStringLiteral("Data")).isValid())
        return notice(QStringLiteral("Attenzione: Prima di inserire le righe è necessario salvare "
                                     "la data di Ordine!!!"),
                      QStringLiteral("Data"));
    if (db::RecordKey(header, QStringLiteral("Fornitore_ID")) <= 0)
        return notice(QStringLiteral("Attenzione: Prima di inserire le righe è necessario salvare "
                                     "il Fornitore!!!"),
                      QStringLiteral("Fornitore_ID"));
    return std::nullopt;
}

std::optional<common::Failure> SupplierOrders::save(db::Database& db, QVariantMap& header) {
    if (auto f = validate(header))
        return f;
    const qint64 id = db::RecordKey(header, QStringLiteral("ID"));
    header[QStringLiteral("Fornitore")] =
        db.scalar(QStringLiteral("select Fornitore from Fornitor where ID = ?"),
                  {db::RecordKey(header, QStringLiteral("Fornitore_ID"))})
            .toString();
    db::Transaction tx(db);
    db.update(QStringLiteral("OrdiniTestata"), id,
              documents::columnValues(QStringLiteral("OrdiniTestata"), header));
    recompute(db, id);
    tx.commit();
    header = load(db, id);
    return std::nullopt;
}

void SupplierOrders::remove(db::Database& db, qint64 id) {
    db::Transaction tx(db);
    db.exec(QStringLiteral("delete * from OrdiniRighe where Ordine_ID = ?"), {id});
    db.exec(QStringLiteral("delete * from OrdiniTestata where ID = ?"), {id});
    tx.commit();
}

qint64 SupplierOrders::addArticle(db::Database& db, qint64 orderId, qint64 articleId,
                                  double quantity) {
    const db::Result a =
        db.query(QStringLiteral("select * from prezziar where ID = ?"), {articleId});
    if (a.empty())
        return 0;
    db::Transaction tx(db);
    const qint64 id = insertRow(db, articleRow(db, orderId, a.first(), quantity));
    recompute(db, orderId);
    tx.commit();
    return id;
}

std::optional<common::Failure> SupplierOrders::addByCode(db::Database& db, qint64 orderId,
                                                         const QString& code, qint64* rowId) {
    const QVariant article = db.scalar(
        QStringLiteral("select ID from prezziar where annullato = false and Codice = ?"), {code});
    if (article.isNull())
        return common::Failure{QStringLiteral("Errore di ricerca"),
                               QStringLiteral("Codice non trovato!!!"), QStringLiteral("Codice")};
    const qint64 id = addArticle(db, orderId, article.toLongLong());
    if (rowId)
        *rowId = id;
    return std::nullopt;
}

qint64 SupplierOrders::addFreeRow(db::Database& db, qint64 orderId) {
    QVariantMap row = blankRow(db, orderId);
    row[QStringLiteral("Codice")] = QStringLiteral("00000");
    row[QStringLiteral("Descrizione")] = QStringLiteral("Articolo da inserire");
    row[QStringLiteral("TipoRiga")] = QStringLiteral("A");
    db::Transaction tx(db);
    const qint64 id = insertRow(db, row);
    recompute(db, orderId);
    tx.commit();
    return id;
}

qint64 SupplierOrders::addTransport(db::Database& db, qint64 orderId) {
    QVariantMap row = blankRow(db, orderId);
    row[QStringLiteral("Descrizione")] = QStringLiteral("Spese di Trasporto");
    row[QStringLiteral("TipoRiga")] = QStringLiteral("T");
    db::Transaction tx(db);
    const qint64 id = insertRow(db, row);
    recompute(db, orderId);
    tx.commit();
    return id;
}

QStringList SupplierOrders::importUnderStock(db::Database& db, qint64 orderId) {
    const qint64 supplier =
        db.scalar(QStringLiteral("select Fornitore_ID from OrdiniTestata where ID = ?"), {orderId})
            .toLongLong();
    QStringList added;
    db::Transaction tx(db);
    const db::Result articles = db.query(
        QStringLiteral("select * from prezziar where annullato = false and Giacenza < QuaMinima "
                       "and Fornitore_ID = ? order by Descrizione"),
        {supplier});
    for (const db::Row& a : articles) {
        const QVariant ordered = db.scalar(
            QStringLiteral("SELECT top 1 OrdiniRighe.Id FROM OrdiniRighe INNER JOIN OrdiniTestata "
                           "ON OrdiniRighe.Ordine_ID = OrdiniTestata.ID WHERE "
                           "OrdiniTestata.Fornitore_ID = ? and OrdiniRighe.Articolo_ID = ?"),
            {supplier, a.integer(QStringLiteral("ID"))});
        if (!ordered.isNull())
            continue;
        const double missing =
            a.number(QStringLiteral("QuaMinima")) - a.number(QStringLiteral("Giacenza"));
        insertRow(db, articleRow(db, orderId, a, missing));
        added << a.text(QStringLiteral("Descrizione"));
    }
    recompute(db, orderId);
    tx.commit();
    return added;
}

QString SupplierOrders::underStockMessage(const QStringList& added) {
    return QStringLiteral("Articoli Inseriti correttamente : ") +
           (added.isEmpty() ? QStringLiteral("Nessuno") : added.join(QStringLiteral(", ")));
}

QVariantMap SupplierOrders::loadRow(db::Database& db, qint64 rowId) {
    return db::readRecord(db, QStringLiteral("OrdiniRighe"), rowId);
}

void SupplierOrders::saveRow(db::Database& db, QVariantMap& row) {
    applyAmounts(row);
    const qint64 id = db::RecordKey(row, QStringLiteral("Id"));
    const qint64 order = db::RecordKey(row, QStringLiteral("Ordine_ID"));
    db::Transaction tx(db);
    db.update(QStringLiteral("OrdiniRighe"), id,
              documents::columnValues(QStringLiteral("OrdiniRighe"), row));
    recompute(db, order);
    tx.commit();
    row = loadRow(db, id);
}

void SupplierOrders::removeRow(db::Database& db, qint64 rowId) {
    const qint64 order =
        db.scalar(QStringLiteral("select Ordine_ID from OrdiniRighe where Id = ?"), {rowId})
            .toLongLong();
    db::Transaction tx(db);
    db.exec(QStringLiteral("delete * from OrdiniRighe where Id = ?"), {rowId});
    recompute(db, order);
    tx.commit();
}

void SupplierOrders::recompute(db::Database& db, qint64 orderId) {
    double taxable = 0;
    double vat = 0;
    const db::Result rows = db.query(
        QStringLiteral("select Um, ValoreUnitario, Sconto, Sconto2, Sconto3, Sconto4, AliquotaIva "
                       "from OrdiniRighe where Ordine_ID = ?"),
        {orderId});
    for (const db::Row& r : rows) {
        const double net = common::rowNet4(
            false, r.number(QStringLiteral("Um")), r.number(QStringLiteral("ValoreUnitario")),
            r.number(QStringLiteral("Sconto")), r.number(QStringLiteral("Sconto2")),
            r.number(QStringLiteral("Sconto3")), r.number(QStringLiteral("Sconto4")));
        taxable += net;
        vat += net * r.number(QStringLiteral("AliquotaIva")) / 100;
    }
    taxable = common::round2(taxable);
    vat = common::round2(vat);
    db.update(QStringLiteral("OrdiniTestata"), orderId,
              {{QStringLiteral("TotImponibile"), taxable},
               {QStringLiteral("TotImposta"), vat},
               {QStringLiteral("TotaleOrdine"), common::round2(taxable + vat)}});
}

std::optional<common::Failure> SupplierOrders::email(db::Database& db, qint64 orderId, Email* out) {
    const db::Result h = db.query(
        QStringLiteral("select OrdiniTestata.*, Fornitor.Fornitore as ForniX, Fornitor.Email as "
                       "Posta from OrdiniTestata INNER JOIN Fornitor ON OrdiniTestata.Fornitore_ID "
                       "= Fornitor.ID where OrdiniTestata.ID = ?"),
        {orderId});
    if (h.empty() || h.first().text(QStringLiteral("Posta")).trimmed().isEmpty())
        return common::Failure{common::titles::warning,
                               QStringLiteral("Attenzione manca l'email del fornitore !!"),
                               QStringLiteral("Fornitore_ID")};
    const db::Row& o = h.first();
    const bool prices = SupplierOptions::load(db).orderPrices;
    const QString number = QString::number(o.integer(QStringLiteral("Numero")));
    QStringList lines;
    lines << QStringLiteral("Gentilissimo ") + o.text(QStringLiteral("ForniX"));
    lines << QStringLiteral(" in riferimento a questo Ordine n°") + number +
                 QStringLiteral(" Data: ") + common::italianDate(o.date(QStringLiteral("Data"))) +
                 QStringLiteral(" ho necessità di richiederle i seguenti articoli : ");
    lines << QString();
    const db::Result rows = db.query(
        QStringLiteral("select * from OrdiniRighe where Ordine_ID = ? order by Descrizione"),
        {orderId});
    for (const db::Row& r : rows) {
        QString line;
        if (!r.text(QStringLiteral("Codice")).isEmpty())
            line += QStringLiteral("Codice : ") + r.text(QStringLiteral("Codice")) + u' ';
        line += QStringLiteral("Articolo : ") + r.text(QStringLiteral("Descrizione")) +
                QStringLiteral("    Quantità : ") +
                QString::number(r.number(QStringLiteral("Um")), 'g', 12).replace(u'.', u',');
        if (prices)
            line += QStringLiteral("    Importo : ") +
                    common::euroText(r.number(QStringLiteral("ValoreTotale")));
        lines << line;
    }
    lines << QString();
    if (prices)
        lines << QStringLiteral(" Totale Ordine : ") +
                     common::euroText(o.number(QStringLiteral("TotaleOrdine")));
    lines << QStringLiteral("Distinti saluti :");
    out->address = o.text(QStringLiteral("Posta")).trimmed();
    out->subject = QStringLiteral("Ordine ") + number;
    out->text = lines.join(u'\n');
    return std::nullopt;
}

} // namespace purchases
