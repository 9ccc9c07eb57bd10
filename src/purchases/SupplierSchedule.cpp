#include "purchases/SupplierSchedule.h"

#include "common/TextForms.h"
#include "documents/CashBookMovements.h"
#include "documents/InstalmentSchedule.h"
#include "documents/PaymentTerms.h"
#include "purchases/SupplierTables.h"

namespace purchases {

using documents::CashBookMovements;

namespace {

QVariant keyOrNull(qint64 id) {
    return id > 0 ? QVariant(id) : QVariant();
}

} // namespace

QString SupplierSchedule::references(const QString& number, const QDate& date) {
    QString s;
    if (!number.isEmpty())
        s += QStringLiteral(" N° ") + number + u' ';
    if (date.isValid())
        s += QStringLiteral(" Data: ") + common::italianDate(date) + u' ';
    return s;
}

void SupplierSchedule::clear(db::Database& db, qint64 documentId, const SupplierOptions& options) {
    db.exec(QStringLiteral("delete * FROM FatturaScadenze where Fattura_ID = ?"), {documentId});
    if (options.cashBook) {
        db.exec(QStringLiteral("delete * FROM finanzia where Fattura_ID = ?"), {documentId});
        db.update(QStringLiteral("fattura"), documentId,
                  {{QStringLiteral("Finanzia_id"), QVariant()}});
    }
}

QString SupplierSchedule::description(bool creditNote, int count, int number, const QString& refs) {
    const QString kind = creditNote ? QStringLiteral("Nota di credito di acquisto")
                                    : QStringLiteral("Fattura di acquisto");
    return ((count == 0 ? QStringLiteral("Pagamento ")
                        : QString::number(number) + QStringLiteral("° Rata ")) +
            kind + refs)
        .left(199);
}

void SupplierSchedule::rebuild(db::Database& db, qint64 documentId, const SupplierOptions& options,
                               const QDate& today) {
    const db::Result header =
        db.query(QStringLiteral("select * from fattura where Id = ?"), {documentId});
    if (header.empty())
        return;
    const db::Row& doc = header.first();
    const SupplierTables& tables = SupplierTables::of(doc.boolean(QStringLiteral("FattNota")));
    clear(db, documentId, options);
    const auto terms =
        documents::PaymentTerms::load(db, doc.integer(QStringLiteral("ModPagamento_Id")));
    if (!terms)
        return;
    const QDate date = doc.date(QStringLiteral("Data"));
    const QString refs = references(doc.text(QStringLiteral("NumeroCarico")), date);
    const double total = doc.number(QStringLiteral("TotFattura"));
    const int n = terms->count;
    QList<db::Values> instalments;
    for (int i = 1; i <= std::max(n, 1); ++i) {
        const double amount = documents::InstalmentSchedule::instalmentAmount(total, n, i);
        const QDate due = n == 0 ? (date.isValid() ? date : today) : terms->dueDate(date, i);
        instalments.append(
            {{QStringLiteral("Fattura_ID"), documentId},
             {QStringLiteral("Numero"), i},
             {QStringLiteral("DataScadenza"), due.isValid() ? QVariant(due) : QVariant()},
             {QStringLiteral("Importo"), amount},
             {QStringLiteral("Tipo"), tables.instalmentType},
             {QStringLiteral("Operazione"), description(tables.creditNote, n, i, refs)},
             {QStringLiteral("Pagato"), n == 0},
             {QStringLiteral("DataPagamento"),
              n == 0 && due.isValid() ? QVariant(due) : QVariant()},
             {QStringLiteral("ModPagamento_Id"), keyOrNull(terms->id)},
             {QStringLiteral("Banca_ID"), keyOrNull(doc.integer(QStringLiteral("Banca_ID")))},
             {QStringLiteral("Cliente_id"), 0},
             {QStringLiteral("Fornitore_id"), doc.integer(QStringLiteral("Fornitore_ID"))}});
    }
    // All of them in one statement: a row save rebuilds them every time.
    db.insertMany(QStringLiteral("FatturaScadenze"), instalments);
    writeCashBook(db, documentId, options);
}

void SupplierSchedule::writeCashBook(db::Database& db, qint64 documentId,
                                     const SupplierOptions& options) {
    if (!options.cashBook)
        return;
    const db::Result header =
        db.query(QStringLiteral("select * from fattura where Id = ?"), {documentId});
    if (header.empty())
        return;
    const db::Row& doc = header.first();
    const SupplierTables& tables = SupplierTables::of(doc.boolean(QStringLiteral("FattNota")));
    const qint64 supplier = doc.integer(QStringLiteral("Fornitore_ID"));
    const QVariant bank = keyOrNull(doc.integer(QStringLiteral("Banca_ID")));
    const QVariant termsId = keyOrNull(doc.integer(QStringLiteral("ModPagamento_Id")));

    CashBookMovements::Movement m;
    m.date = doc.date(QStringLiteral("DataRegistrazione"));
    m.description =
        (tables.creditNote ? QStringLiteral("Ricevuta Nota di credito n° ")
                           : QStringLiteral("Ricevuta fattura di acquisto n° ")) +
        references(doc.text(QStringLiteral("NumeroCarico")), doc.date(QStringLiteral("Data")));
    m.amount = doc.number(QStringLiteral("TotFattura"));
    m.incoming = !tables.creditNote;
    m.type = tables.cashType;
    m.supplierId = supplier;
    m.termsId = termsId;
    m.bankId = bank;
    m.documentId = documentId;
    const qint64 id = CashBookMovements::writeIssue(db, m);
    db.update(QStringLiteral("fattura"), documentId, {{QStringLiteral("Finanzia_id"), id}});

    const db::Result instalments = db.query(
        QStringLiteral("select * from FatturaScadenze where Fattura_ID = ? order by Numero"),
        {documentId});
    for (const db::Row& s : instalments) {
        CashBookMovements::Movement i;
        i.date = s.date(QStringLiteral("DataScadenza"));
        i.description = s.text(QStringLiteral("Operazione"));
        i.amount = s.number(QStringLiteral("Importo"));
        i.incoming = CashBookMovements::isIncoming(tables.instalmentType);
        i.type = tables.instalmentType;
        i.supplierId = supplier;
        i.termsId = termsId;
        i.bankId = bank;
        i.instalmentId = s.integer(QStringLiteral("Id"));
        i.documentId = documentId;
        const qint64 movement = CashBookMovements::writeInstalment(db, i);
        db.update(QStringLiteral("FatturaScadenze"), i.instalmentId,
                  {{QStringLiteral("Finanzia_id"), movement}});
    }
}

} // namespace purchases
