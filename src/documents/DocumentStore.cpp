#include "documents/DocumentStore.h"

#include "db/DbError.h"
#include "db/RegistryRecord.h"
#include "documents/DocumentTotals.h"
#include "documents/HeaderRules.h"
#include "documents/Numbering.h"
#include "documents/RecordColumns.h"

namespace documents {

qint64 DocumentStore::create(db::Database& db, DocumentKind kind, const NewDocument& request) {
    return db::withRetry(db, [&] {
        const DocumentOptions options = DocumentOptions::load(db);
        db::Transaction tx(db);
        db.lockScope(Numbering::lockName());
        int number = 1;
        int transmission = 1;
        if (!request.history) {
            number = Numbering::nextNumber(db, kind, request.series, options);
            transmission = Numbering::nextTransmissionNumber(db);
        }
        const auto key = [](qint64 id) { return id > 0 ? QVariant(id) : QVariant(); };
        const qint64 id =
            db.insert(QStringLiteral("fattura"),
                      {{QStringLiteral("Storico"), request.history},
                       {QStringLiteral("Carico"), false},
                       {QStringLiteral("FattNota"), isFattNota(kind)},
                       {QStringLiteral("SerieFatturazione"),
                        request.series.isEmpty() ? QVariant() : QVariant(request.series)},
                       {QStringLiteral("DatiTrasmissione_NumeroInterno"), transmission},
                       {QStringLiteral("DatiTrasmissione_ProgressivoInvio"), transmission},
                       {QStringLiteral("DatiGenerali_Divisa"), QStringLiteral("EUR")},
                       {QStringLiteral("Num"), number},
                       {QStringLiteral("NonNumerare"), false},
                       {QStringLiteral("EsportatoXml"), false},
                       {QStringLiteral("Data"), request.today},
                       {QStringLiteral("TotImponibile"), 0.0},
                       {QStringLiteral("TotImposta"), 0.0},
                       {QStringLiteral("TotFattura"), 0.0},
                       {QStringLiteral("RitenutaAcconto"), 0.0},
                       {QStringLiteral("ImportoMarcaBollo"), 0.0},
                       {QStringLiteral("RitAccontoAziende"), options.withholding},
                       {QStringLiteral("Banca_ID"), key(options.defaultBank)},
                       {QStringLiteral("ModPagamento_Id"), key(options.defaultTerms)}});
        InstalmentSchedule::generate(db, id, InstalmentSchedule::Mode::Regenerate, options,
                                     request.today);
        tx.commit();
        return id;
    });
}

QVariantMap DocumentStore::load(db::Database& db, qint64 id) {
    return db::readRecord(db, QStringLiteral("fattura"), id);
}

std::optional<common::Failure> DocumentStore::save(db::Database& db, DocumentKind kind,
                                                   QVariantMap& header) {
    if (auto failure = HeaderRules::validate(kind, header, DocumentOptions::load(db)))
        return failure;
    write(db, kind, header, std::nullopt);
    return std::nullopt;
}

void DocumentStore::saveSilently(db::Database& db, DocumentKind kind, QVariantMap& header) {
    write(db, kind, header, std::nullopt);
}

bool DocumentStore::chooseCustomer(db::Database& db, DocumentKind kind, QVariantMap& header,
                                   qint64 customerId) {
    if (!HeaderRules::applyCustomer(db, header, customerId, DocumentOptions::load(db)))
        return false;
    write(db, kind, header, InstalmentSchedule::Mode::Regenerate);
    return true;
}

void DocumentStore::changePaymentTerms(db::Database& db, DocumentKind kind, QVariantMap& header,
                                       const QVariant& termsId) {
    header[QStringLiteral("ModPagamento_Id")] =
        termsId.toLongLong() > 0 ? QVariant(termsId.toLongLong()) : QVariant();
    write(db, kind, header, InstalmentSchedule::Mode::Regenerate);
}

void DocumentStore::recalculate(db::Database& db, qint64 id, InstalmentSchedule::Mode mode) {
    const DocumentOptions options = DocumentOptions::load(db);
    const bool creditNote =
        db.scalar(QStringLiteral("select FattNota from fattura where Id = ?"), {id}).toBool();
    DocumentTotals::recompute(db, creditNote ? TotalsFamily::CreditNote : TotalsFamily::Invoice, id,
                              options);
    InstalmentSchedule::generate(db, id, mode, options);
}

void DocumentStore::recalculateNow(db::Database& db, qint64 id) {
    db::Transaction tx(db);
    recalculate(db, id);
    tx.commit();
}

void DocumentStore::write(db::Database& db, DocumentKind kind, QVariantMap& header,
                          std::optional<InstalmentSchedule::Mode> mode) {
    const qint64 id = db::RecordKey(header, QStringLiteral("Id"));
    header[QStringLiteral("ConaiAssolto")] =
        db::recordValue(header, QStringLiteral("ConaiAssolto")).toBool();
    header[QStringLiteral("Carico")] = false;
    header[QStringLiteral("FattNota")] = isFattNota(kind);
    db::withRetry(db, [&] {
        db::Transaction tx(db);
        if (!db.lockRow(QStringLiteral("fattura"), id))
            throw db::DbError(QStringLiteral(
                "Il documento non esiste più: è stato eliminato da un'altra postazione."));
        if (!mode) {
            const QVariant stored =
                db.scalar(QStringLiteral("select ModPagamento_Id from fattura where Id = ?"), {id});
            const bool changed =
                stored.toLongLong() != db::RecordKey(header, QStringLiteral("ModPagamento_Id"));
            mode =
                changed ? InstalmentSchedule::Mode::Regenerate : InstalmentSchedule::Mode::Refresh;
        }
        db.update(QStringLiteral("fattura"), id, columnValues(QStringLiteral("fattura"), header));
        recalculate(db, id, *mode);
        tx.commit();
    });
    header = load(db, id);
}

} // namespace documents
