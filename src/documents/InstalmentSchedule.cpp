#include "documents/InstalmentSchedule.h"

#include "common/Money.h"
#include "common/TextForms.h"
#include "documents/CashBookMovements.h"
#include "documents/DocumentTables.h"
#include "documents/PaymentTerms.h"

namespace documents {

namespace {

QString clipDescription(const QString& text) {
    return text.size() > 199 ? text.left(198) : text;
}

} // namespace

QString InstalmentSchedule::references(const QVariant& number, const QString& series,
                                       const QDate& date) {
    QString s;
    if (!number.isNull())
        s += QStringLiteral(" N° ") + QString::number(number.toLongLong()) + u' ';
    if (!series.isEmpty())
        s += series + u' ';
    if (date.isValid())
        s += QStringLiteral(" Data: ") + common::italianDate(date) + u' ';
    return s;
}

double InstalmentSchedule::amountToPay(double total, double taxable, double stamp,
                                       bool splitPayment) {
    return splitPayment ? taxable + stamp : total;
}

double InstalmentSchedule::instalmentAmount(double amountToPay, int count, int number) {
    if (count <= 1)
        return amountToPay;
    const double share = common::round2(amountToPay / count);
    return number < count ? share : common::round2(amountToPay - share * (count - 1));
}

void InstalmentSchedule::generate(db::Database& db, qint64 documentId, Mode mode) {
    generate(db, documentId, mode, DocumentOptions::load(db));
}

void InstalmentSchedule::generate(db::Database& db, qint64 documentId, Mode mode,
                                  const DocumentOptions& options, const QDate& today) {
    if (documentId <= 0)
        return;
    const db::Result header =
        db.query(QStringLiteral("select * from fattura where Id = ?"), {documentId});
    if (header.empty())
        return;
    const db::Row& doc = header.first();
    const bool creditNote = doc.boolean(QStringLiteral("FattNota"));
    const DocumentTables& tables = DocumentTables::of(creditNote ? DocumentKind::CustomerCreditNote
                                                                 : DocumentKind::CustomerInvoice);

    if (mode == Mode::Regenerate) {
        db.exec(QStringLiteral("delete * FROM FatturaScadenze where Fattura_ID = ?"), {documentId});
        if (options.cashBook) {
            db.exec(QStringLiteral("delete * FROM finanzia where Fattura_ID = ?"), {documentId});
            db.update(QStringLiteral("fattura"), documentId,
                      {{QStringLiteral("Finanzia_id"), QVariant()}});
        }
    }
    const auto terms = PaymentTerms::load(db, doc.integer(QStringLiteral("ModPagamento_Id")));
    if (!terms)
        return;
    const int n = terms->count;

    const QDate date = doc.date(QStringLiteral("Data"));
    const QString refs = references(doc.value(QStringLiteral("Num")),
                                    doc.text(QStringLiteral("SerieFatturazione")), date);
    const QVariant customer = doc.value(QStringLiteral("Cliente_ID"));
    const QVariant bank = doc.value(QStringLiteral("Banca_ID"));
    const QVariant termsId = doc.value(QStringLiteral("ModPagamento_Id"));
    const double toPay = amountToPay(doc.number(QStringLiteral("TotFattura")),
                                     doc.number(QStringLiteral("TotImponibile")),
                                     doc.number(QStringLiteral("ImportoMarcaBollo")),
                                     doc.boolean(QStringLiteral("ScissionePagamenti")));

    if (options.cashBook) {
        CashBookMovements::Movement issue;
        issue.date = date;
        issue.description = (tables.creditNote ? QStringLiteral("Emessa Nota di Credito n° ")
                                               : QStringLiteral("Emessa fattura n° ")) +
                            refs;
        issue.amount = toPay;
        issue.incoming = tables.creditNote;
        issue.type = tables.issueType;
        issue.customerId = customer;
        issue.termsId = termsId;
        issue.bankId = bank;
        issue.documentId = documentId;
        const qint64 id = CashBookMovements::writeIssue(db, issue);
        db.update(QStringLiteral("fattura"), documentId, {{QStringLiteral("Finanzia_id"), id}});
    }

    db::Result existing;
    if (mode == Mode::Refresh)
        existing = db.query(QStringLiteral("select * from FatturaScadenze where Fattura_ID = ? "
                                           "order by DataScadenza,Numero"),
                            {documentId});
    const QString kindText =
        tables.creditNote ? QStringLiteral("Nota di credito ") : QStringLiteral("Fattura ");

    for (int i = 1; i <= std::max(n, 1); ++i) {
        const double amount = instalmentAmount(toPay, n, i);
        const bool update = mode == Mode::Refresh && std::size_t(i) <= existing.size();
        const db::Row* row = update ? &existing[std::size_t(i - 1)] : nullptr;
        QDate due;
        if (row)
            due = row->date(QStringLiteral("DataScadenza"));
        else if (n == 0)
            due = date.isValid() ? date : today;
        else
            due = terms->dueDate(date, i);

        db::Values values{{QStringLiteral("Fattura_ID"), documentId},
                          {QStringLiteral("Cliente_id"), customer}};
        if (!row) {
            values.append({QStringLiteral("Fornitore_id"), 0});
            values.append({QStringLiteral("Banca_ID"), bank});
            values.append({QStringLiteral("Numero"), i});
            values.append({QStringLiteral("ModPagamento_Id"), termsId});
            values.append(
                {QStringLiteral("DataScadenza"), due.isValid() ? QVariant(due) : QVariant()});
        }
        values.append({QStringLiteral("Tipo"), tables.instalmentType});
        values.append({QStringLiteral("Importo"), amount});
        QString description;
        if (n == 0) {
            description = QStringLiteral("Pagamento ") + kindText;
            values.append({QStringLiteral("Pagato"), true});
            values.append(
                {QStringLiteral("DataPagamento"), due.isValid() ? QVariant(due) : QVariant()});
        } else {
            description = QString::number(i) + QStringLiteral("° Rata ") + kindText;
            // A payment already recorded survives a refresh.
            const bool paid = row && !row->isNull(QStringLiteral("DataPagamento"));
            values.append({QStringLiteral("Pagato"), paid});
        }
        description = clipDescription(description + refs);
        values.append({QStringLiteral("Operazione"), description});

        qint64 instalmentId = 0;
        if (row) {
            instalmentId = row->integer(QStringLiteral("Id"));
            db.update(QStringLiteral("FatturaScadenze"), instalmentId, values);
        } else {
            instalmentId = db.insert(QStringLiteral("FatturaScadenze"), values);
        }

        if (n == 0 && options.cashBook) {
            CashBookMovements::Movement paid;
            paid.date = date;
            paid.description = description;
            paid.amount = amount;
            paid.incoming = !tables.creditNote;
            paid.type = tables.instalmentType;
            paid.customerId = customer;
            paid.termsId = termsId;
            paid.bankId = bank;
            paid.instalmentId = instalmentId;
            paid.documentId = documentId;
            const qint64 id = CashBookMovements::writeInstalment(db, paid);
            db.update(QStringLiteral("FatturaScadenze"), instalmentId,
                      {{QStringLiteral("Finanzia_id"), id}});
        }
    }
}

} // namespace documents
