#include "purchases/SupplierNumbering.h"

namespace purchases {

namespace {

QString countText(const db::Result& r) {
    return QString::number(qint64(r.size()));
}

} // namespace

int SupplierNumbering::nextNumber(db::Database& db, DocumentKind kind,
                                  const SupplierOptions& options) {
    QString sql = QStringLiteral("SELECT max(ProgressivoCarico) as ProgressivoCarico from fattura "
                                 "where ProgressivoCarico Is Not Null and Storico = false and "
                                 "Carico = true");
    if (options.singleCreditNumbering)
        sql += kind == DocumentKind::SupplierCreditNote ? QStringLiteral(" and FattNota = true ")
                                                        : QStringLiteral(" and FattNota = false ");
    const QVariant last = db.scalar(sql);
    return last.isNull() ? 1 : int(last.toLongLong()) + 1;
}

std::optional<common::Failure>
SupplierNumbering::registrationWarning(db::Database& db, DocumentKind kind, const QVariant& number,
                                       const QDate& registered, qint64 documentId,
                                       const SupplierOptions& options) {
    bool ok = false;
    const qint64 n = number.toString().trimmed().toLongLong(&ok);
    if (!ok || !registered.isValid())
        return std::nullopt;
    const bool note = kind == DocumentKind::SupplierCreditNote;
    QString sql = QStringLiteral("SELECT ProgressivoCarico FROM fattura where Carico = true");
    if (note && options.singleCreditNumbering)
        sql += QStringLiteral(" and FattNota = true");
    sql += QStringLiteral(" and ProgressivoCarico = ? and DataRegistrazione >= ? and "
                          "DataRegistrazione <= ? and id <> ?");
    const int year = registered.year();
    const db::Result r = db.query(sql, {n, QDate(year, 1, 1), QDate(year, 12, 31), documentId});
    if (r.empty())
        return std::nullopt;
    const QString title =
        note ? QStringLiteral("Attenzione si è caricato un articolo già presente in archivio")
             : QStringLiteral("Attenzione si è inserito un numero progressivo già presente in "
                              "archivio");
    return common::Failure{title,
                           QStringLiteral("Attenzione il Numero Progressivo (Numero:") +
                               QString::number(n) + QStringLiteral(") è già presente in altri ") +
                               countText(r) + QStringLiteral(" Record."),
                           QStringLiteral("ProgressivoCarico")};
}

std::optional<common::Failure>
SupplierNumbering::duplicateWarning(db::Database& db, DocumentKind kind, const QString& number,
                                    const QDate& date, qint64 supplierId, qint64 documentId) {
    if (number.isEmpty() || !date.isValid())
        return std::nullopt;
    const db::Result r =
        db.query(QStringLiteral("SELECT NumeroCarico FROM fattura where FattNota=? and "
                                "Carico=true and NumeroCarico = ? and Data=? and Fornitore_ID=? "
                                "and Id <> ?"),
                 {kind == DocumentKind::SupplierCreditNote, number, date, supplierId, documentId});
    if (r.empty())
        return std::nullopt;
    return common::Failure{
        QStringLiteral("Attenzione si è caricato una fattura fornitore già presente in archivio"),
        QStringLiteral("Attenzione la fattura ") + number +
            QStringLiteral(" è già presente in altri ") + countText(r) + QStringLiteral(" Record."),
        QStringLiteral("NumeroCarico")};
}

std::optional<common::Failure> SupplierNumbering::invoiceCheck(db::Database& db,
                                                               const QString& number,
                                                               const QDate& date,
                                                               qint64 documentId) {
    if (number.isEmpty() || !date.isValid())
        return std::nullopt;
    const db::Result r = db.query(QStringLiteral("SELECT NumeroCarico FROM fattura where Carico = "
                                                 "true and NumeroCarico = ? and Data = ? and id "
                                                 "<> ?"),
                                  {number, date, documentId});
    if (r.empty())
        return std::nullopt;
    return common::Failure{
        QStringLiteral("Attenzione si è inserito un numero progressivo già presente in archivio"),
        QStringLiteral("Attenzione la data ed il Numero di Fattura:") + number +
            QStringLiteral(" è già presente in altri ") + countText(r) + QStringLiteral(" Record."),
        QStringLiteral("NumeroCarico")};
}

} // namespace purchases
