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

void SupplierSchedule::rebuild(db::Database& db, qint64 documentId, const SupplierOptions& options,
                               const QDate& today) {
    const db::Result header =
        db.query(QStringLiteral("select * from fattura where Id = ?"), {documentId});
    if (header.empty())
        return;
    const db::Row& doc = header.first();
    const SupplierTables& tables = SupplierTables::of(doc.boolean(QStringLiteral("FattNota")));

    db.exec(QStringLiteral("delete * FROM FatturaScadenze where Fattura_ID = ?"), {documentId});
    if (options.cashBook) {
        db.exec(QStringLiteral("delete * FROM finanzia where Fattura_ID = ?"), {documentId});
        db.update(QStringLiteral("fattura"), documentId,
                  {{QStringLiteral("Finanzia_id"), QVariant()}});
    }
    const auto terms =
        documents::PaymentTerms::load(db, doc.integer(QStringLiteral("ModPagamento_Id")));
    if (!terms)
        return;

    const QDate date = doc.date(QStringLiteral("Data"));
    const QString number = doc.text(QStringLiteral("NumeroCarico"));
    const QString refs = references(number, date);
    const qint64 supplier = doc.integer(QStringLiteral("Fornitore_ID"));
    const QVariant bank = keyOrNull(doc.integer(QStringLiteral("Banca_ID")));
    const QVariant termsId = keyOrNull(terms->id);
    const double total = doc.number(QStringLiteral("TotFattura"));
    const QString kindText = tables.creditNote ? QStringLiteral("Nota di credito di acquisto")
                                               : QStringLiteral("Fattura di acquisto");

    if (options.cashBook) {
        CashBookMovements::Movement m;
        m.date = doc.date(QStringLiteral("DataRegistrazione"));
        m.description = (tables.creditNote ? QStringLiteral("Ricevuta Nota di credito n° ")
                                           : QStringLiteral("Ricevuta fattura di acquisto n° ")) +
                        refs;
        m.amount = total;
        m.incoming = !tables.creditNote;
        m.type = tables.cashType;
        m.supplierId = supplier;
        m.termsId = termsId;
        m.bankId = bank;
        m.documentId = documentId;
        const qint64 id = CashBookMovements::writeIssue(db, m);
        db.update(QStringLiteral("fattura"), documentId, {{QStringLiteral("Finanzia_id"), id}});
    }

    const int n = terms->count;
    for (int i = 1; i <= std::max(n, 1); ++i) {
        const double amount = documents::InstalmentSchedule::instalmentAmount(total, n, i);
        QDate due = n == 0 ? (date.isValid() ? date : today) : terms->dueDate(date, i);
        const QString description = (n == 0 ? QStringLiteral("Pagamento ")
                                            : QString::number(i) + QStringLiteral("° Rata ")) +
                                    kindText + refs;
        const qint64 instalment =
            db.insert(QStringLiteral("FatturaScadenze"),
                      {{QStringLiteral("Fattura_ID"), documentId},
                       {QStringLiteral("Numero"), i},
                       {QStringLiteral("DataScadenza"), due.isValid() ? QVariant(due) : QVariant()},
                       {QStringLiteral("Importo"), amount},
                       {QStringLiteral("Tipo"), tables.instalmentType},
                       {QStringLiteral("Operazione"), description.left(199)},
                       {QStringLiteral("Pagato"), n == 0},
                       {QStringLiteral("DataPagamento"),
                        n == 0 && due.isValid() ? QVariant(due) : QVariant()},
                       {QStringLiteral("ModPagamento_Id"), termsId},
                       {QStringLiteral("Banca_ID"), bank},
                       {QStringLiteral("Cliente_id"), 0},
                       {QStringLiteral("Fornitore_id"), supplier}});
        if (!options.cashBook)
            continue;
        CashBookMovements::Movement m;
        m.date = due;
        m.description = description;
        m.amount = amount;
        m.incoming = CashBookMovements::isIncoming(tables.instalmentType);
        m.type = tables.instalmentType;
        m.supplierId = supplier;
        m.termsId = termsId;
        m.bankId = bank;
        m.instalmentId = instalment;
        m.documentId = documentId;
        const qint64 id = CashBookMovements::writeInstalment(db, m);
        db.update(QStringLiteral("FatturaScadenze"), instalment,
                  {{QStringLiteral("Finanzia_id"), id}});
    }
}

} // namespace purchases
