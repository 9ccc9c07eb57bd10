#include "documents/CashBookMovements.h"

namespace documents {

namespace {

QVariant Key(const QVariant& v) {
    return v.isNull() ? QVariant() : QVariant(v.toLongLong());
}

} // namespace

bool CashBookMovements::isIncoming(const QString& instalmentType) {
    return instalmentType.compare(QLatin1String("F"), Qt::CaseInsensitive) == 0 ||
           instalmentType.compare(QLatin1String("B"), Qt::CaseInsensitive) == 0;
}

qint64 CashBookMovements::write(db::Database& db, qint64 existing, const Movement& m,
                                bool zeroOtherSide) {
    db::Values values{{QStringLiteral("Storico"), false},
                      {QStringLiteral("Data"), m.date.isValid() ? QVariant(m.date) : QVariant()},
                      {QStringLiteral("Operazione"), m.description.left(255)}};
    const QString side = m.incoming ? QStringLiteral("Entrata") : QStringLiteral("Uscita");
    const QString other = m.incoming ? QStringLiteral("Uscita") : QStringLiteral("Entrata");
    values.append({side, m.amount});
    if (zeroOtherSide)
        values.append({other, 0.0});
    values.append({QStringLiteral("Tipo"), m.type});
    values.append({QStringLiteral("Cliente_id"), Key(m.customerId)});
    if (!m.supplierId.isNull())
        values.append({QStringLiteral("Fornitore_id"), Key(m.supplierId)});
    values.append({QStringLiteral("ModPagamento_Id"), Key(m.termsId)});
    values.append({QStringLiteral("Banca_ID"), Key(m.bankId)});
    values.append({QStringLiteral("Corrispettivi"), false});
    values.append({QStringLiteral("FatturaScadenze_Id"), m.instalmentId});
    values.append({QStringLiteral("Fattura_ID"), m.documentId});
    if (existing > 0) {
        db.update(QStringLiteral("finanzia"), existing, values);
        return existing;
    }
    return db.insert(QStringLiteral("finanzia"), values);
}

qint64 CashBookMovements::writeIssue(db::Database& db, const Movement& m) {
    const QVariant found =
        db.scalar(QStringLiteral("Select ID from finanzia where Tipo=? and Fattura_ID = ?"),
                  {m.type, m.documentId});
    return write(db, found.toLongLong(), m, false);
}

qint64 CashBookMovements::writeInstalment(db::Database& db, const Movement& m) {
    const QVariant found = db.scalar(
        QStringLiteral("Select ID from finanzia where FatturaScadenze_Id = ?"), {m.instalmentId});
    return write(db, found.toLongLong(), m, false);
}

qint64 CashBookMovements::writePayment(db::Database& db, qint64 instalmentId) {
    const db::Result r =
        db.query(QStringLiteral("select * from FatturaScadenze where Id = ?"), {instalmentId});
    if (r.empty())
        return 0;
    const db::Row& s = r.first();
    Movement m;
    m.date = s.date(QStringLiteral("DataPagamento"));
    m.description = s.text(QStringLiteral("Operazione"));
    m.type = s.text(QStringLiteral("Tipo"));
    m.amount = s.number(QStringLiteral("Importo"));
    m.incoming = isIncoming(m.type);
    m.customerId = s.value(QStringLiteral("Cliente_id"));
    m.supplierId = s.value(QStringLiteral("Fornitore_id"));
    m.termsId = s.value(QStringLiteral("ModPagamento_Id"));
    m.bankId = s.value(QStringLiteral("Banca_ID"));
    m.instalmentId = instalmentId;
    m.documentId = s.integer(QStringLiteral("Fattura_ID"));
    const QVariant found = db.scalar(
        QStringLiteral("Select ID from finanzia where FatturaScadenze_Id = ?"), {instalmentId});
    const qint64 id = write(db, found.toLongLong(), m, true);
    db.update(QStringLiteral("FatturaScadenze"), instalmentId,
              {{QStringLiteral("Finanzia_id"), id}});
    return id;
}

void CashBookMovements::removeForInstalment(db::Database& db, qint64 instalmentId) {
    db.exec(QStringLiteral("delete from finanzia where FatturaScadenze_Id = ?"), {instalmentId});
}

} // namespace documents
