#include "documents/RowRules.h"

#include "common/Money.h"
#include "common/TextForms.h"
#include "common/Titles.h"
#include "db/RegistryRecord.h"
#include "registries/VatRate.h"

namespace documents {

namespace {

common::Failure notice(const QString& text, const QString& field) {
    return {common::titles::warning, text, field};
}

bool empty(const QVariantMap& row, const QString& column) {
    return db::recordText(row, column).isEmpty();
}

double number(const QVariantMap& row, const QString& column) {
    const QVariant v = db::recordValue(row, column);
    if (v.typeId() == QMetaType::QString) {
        double amount = 0;
        return common::parseItalianAmount(v.toString().trimmed(), &amount) ? amount : 0;
    }
    return v.toDouble();
}

std::optional<common::Failure> requireQuantity(const QVariantMap& row) {
    if (empty(row, QStringLiteral("Um")))
        return notice(QStringLiteral("Attenzione manca la quantità"), QStringLiteral("Um"));
    return std::nullopt;
}

std::optional<common::Failure> requireUnitPrice(const QVariantMap& row) {
    if (empty(row, QStringLiteral("ValoreUnitario")))
        return notice(QStringLiteral("Attenzione manca il Valore Unitario"),
                      QStringLiteral("ValoreUnitario"));
    return std::nullopt;
}

std::optional<common::Failure> requireVatRate(const QVariantMap& row) {
    if (empty(row, QStringLiteral("AliquotaIva")))
        return notice(QStringLiteral("Attenzione manca l'Aliquota Iva"),
                      QStringLiteral("AliquotaIva"));
    return std::nullopt;
}

} // namespace

std::optional<common::Failure> RowRules::validate(DocumentKind kind, const QVariantMap& row) {
    std::optional<common::Failure> failure;
    switch (kind) {
    case DocumentKind::Ddt:
    case DocumentKind::Receipt:
        if (empty(row, QStringLiteral("Descrizione")))
            return notice(QStringLiteral("Attenzione manca la Descrizione"),
                          QStringLiteral("Descrizione"));
        failure = requireQuantity(row);
        break;
    case DocumentKind::Quote:
        if (!(failure = requireQuantity(row)) && !(failure = requireUnitPrice(row)))
            failure = requireVatRate(row);
        break;
    case DocumentKind::CustomerOrder:
        break;
    default:
        return validate(row);
    }
    if (failure)
        return failure;
    return fitsArchive(row);
}

std::optional<common::Failure> RowRules::validate(const QVariantMap& row) {
    if (empty(row, QStringLiteral("Descrizione")))
        return notice(QStringLiteral("Attenzione manca la descrizione"),
                      QStringLiteral("Descrizione"));
    if (auto f = requireVatRate(row))
        return f;
    if (auto f = requireUnitPrice(row))
        return f;
    if (auto f = requireQuantity(row))
        return f;
    return fitsArchive(row);
}

std::optional<common::Failure> RowRules::fitsArchive(const QVariantMap& row) {
    // A row the archive cannot hold exactly is refused, never stored wrapped.
    const double gross = rowGross(
        false, number(row, QStringLiteral("Um")), number(row, QStringLiteral("ValoreUnitario")),
        number(row, QStringLiteral("Sconto")), number(row, QStringLiteral("AliquotaIva")));
    if (!common::amountFits(gross))
        return common::Failure{
            common::titles::error,
            QStringLiteral("Il totale della riga supera l'importo massimo che l'archivio può "
                           "contenere (%1 €): correggere la quantità o il valore unitario.")
                .arg(common::euroText(common::kLargestAmount)),
            QStringLiteral("ValoreUnitario")};
    return std::nullopt;
}

double RowRules::rowGross(bool round, double quantity, double unitPrice, double discount,
                          double vatRate) {
    double v = common::rowNet(false, quantity, unitPrice, discount);
    if (vatRate > 0)
        v = v + v * 0.01 * vatRate;
    return round ? common::round2(v) : v;
}

void RowRules::computeAmounts(QVariantMap& row) {
    const double q = number(row, QStringLiteral("Um"));
    const double unit = number(row, QStringLiteral("ValoreUnitario"));
    const double discount = number(row, QStringLiteral("Sconto"));
    const double rate = number(row, QStringLiteral("AliquotaIva"));
    row[QStringLiteral("TotaleImponibile")] = common::rowNet(false, q, unit, discount);
    row[QStringLiteral("ValoreTotale")] = rowGross(true, q, unit, discount, rate);
}

std::optional<common::Failure> RowRules::unitPriceFromTotal(const QVariantMap& row,
                                                            const DocumentOptions& options,
                                                            double* unitPrice) {
    if (empty(row, QStringLiteral("ValoreTotale")))
        return notice(
            QStringLiteral(
                "Attenzione Inserire il Valore Ivato prima di calcolare il valore unitario"),
            QStringLiteral("ValoreTotale"));
    const double rate = db::RecordKey(row, QStringLiteral("Iva_ID")) > 0
                            ? number(row, QStringLiteral("AliquotaIva"))
                            : options.defaultVatRate;
    const double q = empty(row, QStringLiteral("Um")) ? 1 : number(row, QStringLiteral("Um"));
    *unitPrice = common::unitFromTotal(q, number(row, QStringLiteral("ValoreTotale")), rate,
                                       number(row, QStringLiteral("Sconto")));
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
    const double rate = registries::vatRateOf(db, article.value(QStringLiteral("Iva_Id")),
                                              article.number(QStringLiteral("AliquotaIva")));
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
