#include "purchases/SupplierDocuments.h"

#include "common/Titles.h"
#include "db/RegistryRecord.h"
#include "documents/RecordColumns.h"
#include "purchases/SupplierNumbering.h"
#include "purchases/SupplierOptions.h"
#include "purchases/SupplierSchedule.h"
#include "purchases/SupplierTotals.h"

namespace purchases {

namespace {

QVariant keyOrNull(qint64 id) {
    return id > 0 ? QVariant(id) : QVariant();
}

common::Failure error(const QString& text, const QString& field) {
    return {common::titles::error, text, field};
}

} // namespace

qint64 SupplierDocuments::create(db::Database& db, DocumentKind kind, const NewDocument& request) {
    const SupplierOptions options = SupplierOptions::load(db);
    db::Transaction tx(db);
    db.lockScope(SupplierNumbering::lockName());
    const int number = request.history ? 1 : SupplierNumbering::nextNumber(db, kind, options);
    const qint64 id =
        db.insert(QStringLiteral("fattura"),
                  {{QStringLiteral("Storico"), request.history},
                   {QStringLiteral("Carico"), true},
                   {QStringLiteral("FattNota"), kind == DocumentKind::SupplierCreditNote},
                   {QStringLiteral("Num"), 1},
                   {QStringLiteral("ProgressivoCarico"), number},
                   {QStringLiteral("Data"), request.today},
                   {QStringLiteral("DataRegistrazione"), request.today},
                   {QStringLiteral("NonNumerare"), false},
                   {QStringLiteral("EsportatoXml"), false},
                   {QStringLiteral("ImportatoXml"), false},
                   {QStringLiteral("DatiGenerali_Divisa"), QStringLiteral("EUR")},
                   {QStringLiteral("TotImponibile"), 0.0},
                   {QStringLiteral("TotImposta"), 0.0},
                   {QStringLiteral("TotFattura"), 0.0},
                   {QStringLiteral("RitenutaAcconto"), 0.0},
                   {QStringLiteral("ImportoMarcaBollo"), 0.0},
                   {QStringLiteral("Fornitore_ID"), 0},
                   {QStringLiteral("Banca_ID"), keyOrNull(options.defaultBank)},
                   {QStringLiteral("ModPagamento_Id"), keyOrNull(options.defaultTerms)}});
    SupplierSchedule::rebuild(db, id, options, request.today);
    tx.commit();
    return id;
}

QVariantMap SupplierDocuments::load(db::Database& db, qint64 id) {
    return db::readRecord(db, QStringLiteral("fattura"), id);
}

std::optional<common::Failure> SupplierDocuments::validate(DocumentKind kind,
                                                           const QVariantMap& header) {
    if (!db::recordDate(header, QStringLiteral("Data")).isValid())
        return error(QStringLiteral("Attenzione manca la data"), QStringLiteral("Data"));
    if (!db::recordDate(header, QStringLiteral("DataRegistrazione")).isValid())
        return error(QStringLiteral("Attenzione manca la data di Registrazione"),
                     QStringLiteral("DataRegistrazione"));
    if (db::recordText(header, QStringLiteral("ProgressivoCarico")).isEmpty())
        return error(QStringLiteral("Attenzione manca il numero Progressivo"),
                     QStringLiteral("ProgressivoCarico"));
    if (db::recordText(header, QStringLiteral("NumeroCarico")).trimmed().isEmpty())
        return error(kind == DocumentKind::SupplierCreditNote
                         ? QStringLiteral("Attenzione manca il numero di Nota di Credito")
                         : QStringLiteral("Attenzione manca il numero di fattura"),
                     QStringLiteral("NumeroCarico"));
    if (db::RecordKey(header, QStringLiteral("Fornitore_ID")) <= 0)
        return error(QStringLiteral("Attenzione manca il Fornitore della fattura"),
                     QStringLiteral("Fornitore_ID"));
    if (db::RecordKey(header, QStringLiteral("ModPagamento_Id")) <= 0)
        return error(QStringLiteral("Attenzione manca la Modalità di pagamento"),
                     QStringLiteral("ModPagamento_Id"));
    return std::nullopt;
}

std::optional<common::Failure> SupplierDocuments::save(db::Database& db, DocumentKind kind,
                                                       QVariantMap& header) {
    if (auto failure = validate(kind, header))
        return failure;
    saveSilently(db, kind, header);
    return std::nullopt;
}

void SupplierDocuments::saveSilently(db::Database& db, DocumentKind kind, QVariantMap& header) {
    const qint64 id = db::RecordKey(header, QStringLiteral("Id"));
    header[QStringLiteral("Carico")] = true;
    header[QStringLiteral("FattNota")] = kind == DocumentKind::SupplierCreditNote;
    db::Transaction tx(db);
    db.update(QStringLiteral("fattura"), id,
              documents::columnValues(QStringLiteral("fattura"), header));
    recalculate(db, id);
    tx.commit();
    header = load(db, id);
}

bool SupplierDocuments::chooseSupplier(db::Database& db, common::Interaction& ui, DocumentKind kind,
                                       QVariantMap& header, qint64 supplierId) {
    const db::Result r = db.query(
        QStringLiteral("select Fornitore, Pagamento_ID from Fornitor where Id = ?"), {supplierId});
    if (r.empty())
        return false;
    header[QStringLiteral("Fornitore_ID")] = supplierId;
    header[QStringLiteral("Fornitore")] = r.first().text(QStringLiteral("Fornitore"));
    const qint64 id = db::RecordKey(header, QStringLiteral("Id"));
    if (auto w = SupplierNumbering::duplicateWarning(
            db, kind, db::recordText(header, QStringLiteral("NumeroCarico")).trimmed(),
            db::recordDate(header, QStringLiteral("Data")), supplierId, id))
        ui.warning(w->title, w->text);
    const qint64 terms = r.first().integer(QStringLiteral("Pagamento_ID"));
    if (terms > 0)
        header[QStringLiteral("ModPagamento_Id")] = terms;
    saveSilently(db, kind, header);
    return true;
}

void SupplierDocuments::recalculate(db::Database& db, qint64 id) {
    recalculate(db, id, SupplierOptions::load(db));
}

void SupplierDocuments::recalculate(db::Database& db, qint64 id, const SupplierOptions& options) {
    SupplierTotals::recompute(db, id);
    SupplierSchedule::rebuild(db, id, options);
}

void SupplierDocuments::recalculateNow(db::Database& db, qint64 id) {
    db::Transaction tx(db);
    recalculate(db, id);
    tx.commit();
}

} // namespace purchases
