#include "documents/HeaderRules.h"

#include "common/TextForms.h"
#include "common/Titles.h"
#include "db/RegistryRecord.h"

namespace documents {

namespace {

common::Failure error(const QString& text, const QString& field) {
    return {common::titles::error, text, field};
}

bool missing(const QVariantMap& header, const QString& column) {
    return db::recordText(header, column).isEmpty();
}

} // namespace

std::optional<common::Failure> HeaderRules::validate(DocumentKind kind, const QVariantMap& header,
                                                     const DocumentOptions& options) {
    const bool noDate = !db::recordDate(header, QStringLiteral("Data")).isValid();
    const bool noNumber = missing(header, QStringLiteral("Num"));
    const bool noCustomer = db::RecordKey(header, QStringLiteral("Cliente_ID")) <= 0;
    const bool noTerms = db::RecordKey(header, QStringLiteral("ModPagamento_Id")) <= 0;
    if (isFattNota(kind)) {
        if (noDate)
            return error(QStringLiteral("Attenzione manca la data"), QStringLiteral("Data"));
        if (noTerms)
            return error(QStringLiteral("Attenzione manca la Modalità di pagamento"),
                         QStringLiteral("ModPagamento_Id"));
        if (noNumber)
            return error(QStringLiteral("Attenzione manca il numero di nota credito"),
                         QStringLiteral("Num"));
        if (noCustomer)
            return error(QStringLiteral("Attenzione manca il Cliente"),
                         QStringLiteral("Cliente_ID"));
        return std::nullopt;
    }
    if (noDate)
        return error(QStringLiteral("Attenzione manca la data"), QStringLiteral("Data"));
    if (noNumber)
        return error(QStringLiteral("Attenzione manca il numero di fattura"),
                     QStringLiteral("Num"));
    if (noCustomer)
        return error(QStringLiteral("Attenzione manca il cliente della fattura"),
                     QStringLiteral("Cliente_ID"));
    if (noTerms)
        return error(QStringLiteral("Attenzione manca la Modalità di pagamento"),
                     QStringLiteral("ModPagamento_Id"));
    if (options.stampDuty &&
        db::recordValue(header, QStringLiteral("ImportoMarcaBollo")).toDouble() > 0 &&
        !db::recordValue(header, QStringLiteral("MarcaBolloVirtuale")).toBool() &&
        missing(header, QStringLiteral("IdMarcaBollo")))
        return error(QStringLiteral("Attenzione manca il numero della marca da bollo"),
                     QStringLiteral("IdMarcaBollo"));
    return std::nullopt;
}

QString HeaderRules::warning(DocumentKind kind, const QVariantMap& header) {
    if (!isFattNota(kind))
        return {};
    const QDate date = db::recordDate(header, QStringLiteral("Data"));
    const QDate credited = db::recordDate(header, QStringLiteral("NCFattDataRif"));
    if (!date.isValid() || !credited.isValid() || date >= credited)
        return {};
    return QStringLiteral("Attenzione la data della nota di credito (%1) è precedente a quella "
                          "della fattura di riferimento (%2): il Sistema di Interscambio la "
                          "scarterebbe (codice SdI 00418).")
        .arg(common::italianDate(date), common::italianDate(credited));
}

bool HeaderRules::applyCustomer(db::Database& db, QVariantMap& header, qint64 customerId,
                                const DocumentOptions& options) {
    const db::Result r =
        db.query(QStringLiteral("SELECT * FROM Clienti where Id = ?"), {customerId});
    if (r.empty())
        return false;
    const db::Row& c = r.first();
    header[QStringLiteral("Cliente")] = c.text(QStringLiteral("NominativoDocumenti"));
    header[QStringLiteral("Cliente_ID")] = customerId;
    header[QStringLiteral("ScissionePagamenti")] = c.boolean(QStringLiteral("ScissionePagamenti"));
    if (c.integer(QStringLiteral("Pagamento_ID")) > 0)
        header[QStringLiteral("ModPagamento_Id")] = c.integer(QStringLiteral("Pagamento_ID"));
    header[QStringLiteral("DatiTrasmissione_FormatoTrasmissione")] =
        c.boolean(QStringLiteral("PubblicaAmministrazione")) ? QStringLiteral("FPA12")
                                                             : QStringLiteral("FPR12");
    if (options.withholding)
        header[QStringLiteral("RitAccontoAziende")] =
            !c.text(QStringLiteral("Iva")).trimmed().isEmpty();
    return true;
}

DocumentKind HeaderRules::kindOf(const QVariantMap& header) {
    return db::recordValue(header, QStringLiteral("FattNota")).toBool()
               ? DocumentKind::CustomerCreditNote
               : DocumentKind::CustomerInvoice;
}

} // namespace documents
