#include "documents/Numbering.h"

namespace documents {

int Numbering::nextNumber(db::Database& db, DocumentKind kind, const QString& series,
                          const DocumentOptions& options) {
    // Rows without a number are left out: the engines disagree on where
    // nulls sort, and a null last number counts as none.
    QString sql = QStringLiteral("SELECT top 1 Num from fattura where Storico = false and "
                                 "Carico = false and NonNumerare=false and Num is not null");
    QVariantList binds;
    if (options.multipleSeries && !series.isEmpty()) {
        sql += QStringLiteral(" and SerieFatturazione = ?");
        binds.append(series);
    }
    if (!options.singleCreditNumbering)
        sql += isFattNota(kind) ? QStringLiteral(" and FattNota = true ")
                                : QStringLiteral(" and FattNota = false ");
    sql += QStringLiteral(" order by num desc");
    const QVariant last = db.scalar(sql, binds);
    return last.isNull() ? 1 : int(last.toLongLong()) + 1;
}

int Numbering::nextTransmissionNumber(db::Database& db) {
    const QVariant last = db.scalar(
        QStringLiteral("SELECT max(DatiTrasmissione_NumeroInterno) as Nume from fattura"));
    return last.isNull() ? 1 : int(last.toLongLong()) + 1;
}

std::optional<QString> Numbering::dateOrderWarning(db::Database& db, DocumentKind kind,
                                                   const QVariant& number, const QDate& date,
                                                   const QString& series,
                                                   const DocumentOptions& options) {
    if (number.isNull() || number.toString().trimmed().isEmpty() || !date.isValid())
        return std::nullopt;
    bool ok = false;
    const qint64 num = number.toString().trimmed().toLongLong(&ok);
    if (!ok)
        return std::nullopt;
    QString sql = QStringLiteral("SELECT top 1 Num,Data FROM fattura where Data>#1/1/2000# and "
                                 "Carico=false and Num < ? and Year(Data)=?");
    QVariantList binds{num, date.year()};
    if (options.multipleSeries && !series.trimmed().isEmpty()) {
        sql += QStringLiteral(" and SerieFatturazione = ?");
        binds.append(series.trimmed());
    }
    if (!options.singleCreditNumbering)
        sql += isFattNota(kind) ? QStringLiteral(" and FattNota = true")
                                : QStringLiteral(" and FattNota = false");
    sql += QStringLiteral(" ORDER BY Num desc");
    const db::Result r = db.query(sql, binds);
    if (r.empty() || r.first().date(QStringLiteral("Data")) <= date)
        return std::nullopt;
    return QStringLiteral("Attenzione la fattura precedente: la numero %1 presenta una data "
                          "maggiore di quella che si sta registrando ")
        .arg(r.first().integer(QStringLiteral("Num")));
}

bool Numbering::checkDateOrder(db::Database& db, common::Interaction& ui, DocumentKind kind,
                               const QVariant& number, const QDate& date, const QString& series) {
    const auto warning =
        dateOrderWarning(db, kind, number, date, series, DocumentOptions::load(db));
    if (!warning)
        return true;
    ui.warning(dateOrderTitle(), *warning);
    return false;
}

} // namespace documents
