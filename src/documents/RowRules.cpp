#include "documents/RowRules.h"

#include "common/Money.h"
#include "common/TextForms.h"
#include "db/RegistryRecord.h"

namespace documents {

namespace {

common::Failure Notice(const QString& text, const QString& field) {
    return {QStringLiteral("Messaggio di avviso"), text, field};
}

bool Empty(const QVariantMap& row, const QString& column) {
    return db::RecordText(row, column).isEmpty();
}

double Number(const QVariantMap& row, const QString& column) {
    const QVariant v = db::RecordValue(row, column);
    if (v.typeId() == QMetaType::QString) {
        double amount = 0;
        return common::ParseItalianAmount(v.toString().trimmed(), &amount) ? amount : 0;
    }
    return v.toDouble();
}

} // namespace

std::optional<common::Failure> RowRules::validate(const QVariantMap& row) {
    if (Empty(row, QStringLiteral("Descrizione")))
        return Notice(QStringLiteral("Attenzione manca la descrizione"),
                      QStringLiteral("Descrizione"));
    if (Empty(row, QStringLiteral("AliquotaIva")))
        return Notice(QStringLiteral("Attenzione manca l'Aliquota Iva"),
                      QStringLiteral("AliquotaIva"));
    if (Empty(row, QStringLiteral("ValoreUnitario")))
        return Notice(QStringLiteral("Attenzione manca il Valore Unitario"),
                      QStringLiteral("ValoreUnitario"));
    if (Empty(row, QStringLiteral("Um")))
        return Notice(QStringLiteral("Attenzione manca la quantità"), QStringLiteral("Um"));
    return std::nullopt;
}

double RowRules::rowGross(bool round, double quantity, double unitPrice, double discount,
                          double vatRate) {
    double v = common::RowNet(false, quantity, unitPrice, discount);
    if (vatRate > 0)
        v = v + v * 0.01 * vatRate;
    return round ? common::Round2(v) : v;
}

void RowRules::computeAmounts(QVariantMap& row) {
    const double q = Number(row, QStringLiteral("Um"));
    const double unit = Number(row, QStringLiteral("ValoreUnitario"));
    const double discount = Number(row, QStringLiteral("Sconto"));
    const double rate = Number(row, QStringLiteral("AliquotaIva"));
    row[QStringLiteral("TotaleImponibile")] = common::RowNet(false, q, unit, discount);
    row[QStringLiteral("ValoreTotale")] = rowGross(true, q, unit, discount, rate);
}

std::optional<common::Failure> RowRules::unitPriceFromTotal(const QVariantMap& row,
                                                            const DocumentOptions& options,
                                                            double* unitPrice) {
    if (Empty(row, QStringLiteral("ValoreTotale")))
        return Notice(
            QStringLiteral(
                "Attenzione Inserire il Valore Ivato prima di calcolare il valore unitario"),
            QStringLiteral("ValoreTotale"));
    const double rate = db::RecordKey(row, QStringLiteral("Iva_ID")) > 0
                            ? Number(row, QStringLiteral("AliquotaIva"))
                            : options.defaultVatRate;
    const double q = Empty(row, QStringLiteral("Um")) ? 1 : Number(row, QStringLiteral("Um"));
    *unitPrice = common::UnitFromTotal(q, Number(row, QStringLiteral("ValoreTotale")), rate,
                                       Number(row, QStringLiteral("Sconto")));
    return std::nullopt;
}

qint64 RowRules::defaultAccount(db::Database& db, DocumentKind kind, const QString& rowType,
                                qint64 articleId, const DocumentOptions& options) {
    const bool credit = isFattNota(kind);
    const qint64 goods = credit ? options.creditGoodsAccount : options.invoiceGoodsAccount;
    if (rowType.compare(QLatin1String("S"), Qt::CaseInsensitive) == 0)
        return credit ? options.creditCollectionAccount : options.invoiceCollectionAccount;
    if (rowType.compare(QLatin1String("T"), Qt::CaseInsensitive) == 0)
        return credit ? options.creditTransportAccount : options.invoiceTransportAccount;
    if (articleId > 0) {
        const QString column = credit ? QStringLiteral("ContabilitaContoNoteCreditoVendita_ID")
                                      : QStringLiteral("ContabilitaContoFattureVendita_ID");
        const qint64 own =
            db.scalar(QStringLiteral("select %1 from prezziar where annullato = false and id = ?")
                          .arg(column),
                      {articleId})
                .toLongLong();
        if (own > 0)
            return own;
    }
    return goods;
}

bool RowRules::fillFromArticle(db::Database& db, DocumentKind kind, QVariantMap& row,
                               qint64 articleId, qint64 customerId,
                               const DocumentOptions& options) {
    const db::Result a =
        db.query(QStringLiteral("SELECT * FROM prezziar where Id = ?"), {articleId});
    if (a.empty())
        return false;
    const db::Row& article = a.first();
    const db::Result c =
        db.query(QStringLiteral("SELECT * FROM Clienti where Id = ?"), {customerId});
    const bool credit = isFattNota(kind);
    const qint64 own =
        article.integer(credit ? QStringLiteral("ContabilitaContoNoteCreditoVendita_ID")
                               : QStringLiteral("ContabilitaContoFattureVendita_ID"));
    row[QStringLiteral("ContabilitaConti_ID")] =
        own > 0 ? own : (credit ? options.creditGoodsAccount : options.invoiceGoodsAccount);
    row[QStringLiteral("Reparto")] = article.value(QStringLiteral("Reparto"));
    double discount = article.number(QStringLiteral("Sconto"));
    if (!article.boolean(QStringLiteral("PrezzoImposto")) && !c.empty() &&
        c.first().number(QStringLiteral("Sconto")) != 0)
        discount = c.first().number(QStringLiteral("Sconto"));
    const double price = article.number(QStringLiteral("Prezzo"));
    const double rate = article.number(QStringLiteral("AliquotaIva"));
    row[QStringLiteral("Sconto")] = discount;
    row[QStringLiteral("Um")] = 1.0;
    row[QStringLiteral("TipoRiga")] = QStringLiteral("N");
    row[QStringLiteral("AliquotaIva")] = rate;
    row[QStringLiteral("Iva_ID")] = article.value(QStringLiteral("Iva_Id"));
    row[QStringLiteral("ValoreUnitario")] = price;
    row[QStringLiteral("TotaleImponibile")] = price;
    row[QStringLiteral("ValoreTotale")] = rowGross(true, 1, price, discount, rate);
    return true;
}

} // namespace documents
