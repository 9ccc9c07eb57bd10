#include "cemetery/ContractRules.h"

#include "cemetery/TableDefaults.h"
#include "common/SqlText.h"
#include "common/TextForms.h"
#include "common/Titles.h"
#include "documents/DocumentKind.h"
#include "documents/DocumentOptions.h"
#include "documents/RowRules.h"
#include "documents/StockMoves.h"

namespace cemetery {

namespace {

db::Values toValues(const QVariantMap& row) {
    db::Values out;
    for (auto it = row.constBegin(); it != row.constEnd(); ++it)
        out.append({it.key(), it.value()});
    return out;
}

qint64 insertRow(db::Database& db, const QVariantMap& row) {
    return db.insert(QStringLiteral("ContrattiRighe"), toValues(row));
}

// A row filled from a price-list article for the contract's customer.
std::optional<QVariantMap> articleRow(db::Database& db, qint64 contractId, qint64 articleId,
                                      const QDate& today,
                                      const documents::DocumentOptions& options) {
    const db::Result article = db.query(
        QStringLiteral("select Codice, Descrizione from prezziar where Id = ?"), {articleId});
    if (article.empty())
        return std::nullopt;
    const qint64 customer =
        db.scalar(QStringLiteral("select Cliente_ID from ContrattiTestata where Id = ?"),
                  {contractId})
            .toLongLong();
    QVariantMap row = ContractRules::newRow(db, contractId, today);
    row[QStringLiteral("Codice")] = article.first().value(QStringLiteral("Codice"));
    row[QStringLiteral("Descrizione")] = article.first().value(QStringLiteral("Descrizione"));
    row[QStringLiteral("Articolo_ID")] = articleId;
    documents::RowRules::fillFromArticle(db, documents::DocumentKind::CustomerInvoice, row,
                                         articleId, customer, options);
    // Contract rows carry no ledger account.
    row.remove(QStringLiteral("ContabilitaConti_ID"));
    return row;
}

} // namespace

qint64 ContractRules::insertNew(db::Database& db, const QDate& today) {
    db::Transaction tx(db);
    db.lockScope(QStringLiteral("ContrattiTestata.Numero"));
    const qint64 last =
        db.scalar(QStringLiteral("SELECT max(Numero) as cont from ContrattiTestata ")).toLongLong();
    db::Values values{{QStringLiteral("Data"), today}, {QStringLiteral("Chiuso"), false}};
    TableDefaults::apply(db, QStringLiteral("ContrattiTestata"), values);
    // The number and the working state are not the workstation's to choose.
    for (const char* fixed : {"Numero", "Storico"})
        values.removeIf([fixed](const auto& v) {
            return v.first.compare(QLatin1String(fixed), Qt::CaseInsensitive) == 0;
        });
    values.append({QStringLiteral("Numero"), last + 1});
    values.append({QStringLiteral("Storico"), false});
    const qint64 id = db.insert(QStringLiteral("ContrattiTestata"), values);
    tx.commit();
    return id;
}

std::optional<common::Failure> ContractRules::validateHeader(const QVariantMap& header) {
    if (db::recordText(header, QStringLiteral("Numero")).isEmpty())
        return common::Failure{common::titles::error,
                               QStringLiteral("Attenzione manca il numero del Contratto"),
                               QStringLiteral("Numero")};
    if (db::recordText(header, QStringLiteral("Data")).isEmpty())
        return common::Failure{common::titles::error,
                               QStringLiteral("Attenzione manca la data del Contratto"),
                               QStringLiteral("Data")};
    if (db::RecordKey(header, QStringLiteral("Cliente_ID")) <= 0)
        return common::Failure{common::titles::error,
                               QStringLiteral("Attenzione manca il Cliente del Contratto"),
                               QStringLiteral("Cliente_ID")};
    return std::nullopt;
}

db::Values ContractRules::customerValues(db::Database& db, qint64 customerId) {
    const db::Result r = db.query(
        QStringLiteral("select ID, NominativoDocumenti, Pagamento_ID from Clienti where ID = ?"),
        {customerId});
    if (r.empty())
        return {};
    const db::Row& c = r.first();
    db::Values out{{QStringLiteral("Cliente_ID"), customerId},
                   {QStringLiteral("Cliente"), c.value(QStringLiteral("NominativoDocumenti"))}};
    if (!c.isNull(QStringLiteral("Pagamento_ID")))
        out.append({QStringLiteral("ModPagamento_Id"), c.value(QStringLiteral("Pagamento_ID"))});
    return out;
}

void ContractRules::copyCustomer(db::Database& db, qint64 contractId, qint64 customerId,
                                 qint64 previousCustomerId) {
    db::Transaction tx(db);
    const bool changed =
        customerId != previousCustomerId ||
        db.scalar(QStringLiteral("select Cliente from ContrattiTestata where Id = ?"), {contractId})
            .isNull();
    if (changed && customerId > 0) {
        const db::Values copied = customerValues(db, customerId);
        if (!copied.isEmpty())
            db.update(QStringLiteral("ContrattiTestata"), contractId, copied);
    }
    tx.commit();
}

void ContractRules::completeRowSave(db::Database& db, qint64 rowId, QVariantMap& row) {
    db::Transaction tx(db);
    completeRow(row);
    db.update(QStringLiteral("ContrattiRighe"), rowId,
              {{QStringLiteral("Pagato"), row.value(QStringLiteral("Pagato"))},
               {QStringLiteral("AliquotaIva"), row.value(QStringLiteral("AliquotaIva"))},
               {QStringLiteral("TotaleImponibile"), row.value(QStringLiteral("TotaleImponibile"))},
               {QStringLiteral("ValoreTotale"), row.value(QStringLiteral("ValoreTotale"))}});
    const qint64 contract =
        db.scalar(QStringLiteral("select Testata_ID from ContrattiRighe where IDX = ?"), {rowId})
            .toLongLong();
    if (contract > 0)
        recomputeClosed(db, contract);
    tx.commit();
}

bool ContractRules::recomputeClosed(db::Database& db, qint64 contractId) {
    db::Transaction tx(db);
    const qint64 open = db.scalar(QStringLiteral("select count(*) from ContrattiRighe where "
                                                 "Testata_ID = ? and (Chiuso = false or Chiuso "
                                                 "is null)"),
                                  {contractId})
                            .toLongLong();
    const bool closed = open == 0;
    db.update(QStringLiteral("ContrattiTestata"), contractId, {{QStringLiteral("Chiuso"), closed}});
    tx.commit();
    return closed;
}

QVariantMap ContractRules::newRow(db::Database& db, qint64 contractId, const QDate& today) {
    const documents::DocumentOptions options = documents::DocumentOptions::load(db);
    const QDate contractDate = db::Row::toDate(
        db.scalar(QStringLiteral("select Data from ContrattiTestata where Id = ?"), {contractId}));
    qint64 number = 1;
    if (options.incrementRowNumber)
        number =
            db.scalar(QStringLiteral("select count(*) from ContrattiRighe where Testata_ID = ?"),
                      {contractId})
                .toLongLong() +
            1;
    const int year = today.year();
    return {{QStringLiteral("Testata_ID"), contractId},
            {QStringLiteral("Data"), contractDate.isValid() ? contractDate : today},
            {QStringLiteral("Storico"), false},
            {QStringLiteral("Fatturato"), false},
            {QStringLiteral("Chiuso"), false},
            {QStringLiteral("Pagato"), false},
            {QStringLiteral("DataInizioPeriodo"), QDate(year, 1, 1)},
            {QStringLiteral("DataFinePeriodo"), QDate(year, 12, 31)},
            {QStringLiteral("NumeroRiga"), number}};
}

std::optional<common::Failure> ContractRules::addByCode(db::Database& db, qint64 contractId,
                                                        const QString& code, const QDate& today,
                                                        qint64* rowId) {
    const db::Result found =
        db.query(QStringLiteral(
                     "select Id from prezziar where annullato = false and Codice = ? order by Id"),
                 {code.trimmed()});
    if (code.trimmed().isEmpty() || found.empty())
        return common::Failure{common::titles::warning,
                               QStringLiteral("Attenzione il codice non risulta in archivio!!!"),
                               QStringLiteral("Codice")};
    const QList<qint64> ids =
        addArticles(db, contractId, {found.first().integer(QStringLiteral("Id"))}, today);
    if (rowId && !ids.isEmpty())
        *rowId = ids.first();
    return std::nullopt;
}

QList<qint64> ContractRules::addArticles(db::Database& db, qint64 contractId,
                                         const QList<qint64>& articleIds, const QDate& today) {
    const documents::DocumentOptions options = documents::DocumentOptions::load(db);
    db::Transaction tx(db);
    QList<qint64> out;
    for (qint64 article : articleIds)
        if (auto row = articleRow(db, contractId, article, today, options))
            out.append(insertRow(db, *row));
    recomputeClosed(db, contractId);
    tx.commit();
    return out;
}

qint64 ContractRules::addFreeRow(db::Database& db, qint64 contractId, const QDate& today) {
    const documents::DocumentOptions options = documents::DocumentOptions::load(db);
    db::Transaction tx(db);
    QVariantMap row = newRow(db, contractId, today);
    row[QStringLiteral("Descrizione")] = QStringLiteral("Articolo da inserire");
    row[QStringLiteral("ValoreUnitario")] = 1.0;
    row[QStringLiteral("Sconto")] = 0.0;
    row[QStringLiteral("Um")] = 1.0;
    row[QStringLiteral("TipoRiga")] = QStringLiteral("A");
    row[QStringLiteral("AliquotaIva")] = options.defaultVatRate;
    row[QStringLiteral("Iva_ID")] =
        options.defaultVatId > 0 ? QVariant(options.defaultVatId) : QVariant();
    documents::RowRules::computeAmounts(row);
    const qint64 id = insertRow(db, row);
    recomputeClosed(db, contractId);
    tx.commit();
    return id;
}

std::optional<common::Failure> ContractRules::validateRow(const QVariantMap& row) {
    if (db::recordText(row, QStringLiteral("Um")).isEmpty())
        return common::Failure{common::titles::warning,
                               QStringLiteral("Attenzione manca la quantità"),
                               QStringLiteral("Um")};
    if (db::recordText(row, QStringLiteral("ValoreUnitario")).isEmpty())
        return common::Failure{common::titles::warning,
                               QStringLiteral("Attenzione manca il Valore Unitario"),
                               QStringLiteral("ValoreUnitario")};
    if (db::recordText(row, QStringLiteral("AliquotaIva")).isEmpty() &&
        db::RecordKey(row, QStringLiteral("Iva_ID")) <= 0)
        return common::Failure{common::titles::warning,
                               QStringLiteral("Attenzione manca l'Aliquota Iva"),
                               QStringLiteral("Iva_ID")};
    return std::nullopt;
}

void ContractRules::completeRow(QVariantMap& row) {
    row[QStringLiteral("Pagato")] = !db::recordText(row, QStringLiteral("DataPagamento")).isEmpty();
    documents::RowRules::computeAmounts(row);
}

void ContractRules::chooseVat(db::Database& db, QVariantMap& row) {
    const qint64 vat = db::RecordKey(row, QStringLiteral("Iva_ID"));
    const db::Result r = db.query(QStringLiteral("select ID, Iva from Iva where ID = ?"), {vat});
    row[QStringLiteral("AliquotaIva")] =
        r.empty() ? QVariant() : QVariant(r.first().number(QStringLiteral("Iva")));
    documents::RowRules::computeAmounts(row);
}

void ContractRules::removeRowInTransaction(db::Database& db, qint64 rowId) {
    const db::Result r = db.query(
        QStringLiteral("select TipoRiga, Articolo_ID, Um from ContrattiRighe where IDX = ?"),
        {rowId});
    if (r.empty())
        return;
    const db::Row& row = r.first();
    if (row.text(QStringLiteral("TipoRiga")).compare(QLatin1String("N"), Qt::CaseInsensitive) == 0)
        documents::StockMoves::move(db, row.integer(QStringLiteral("Articolo_ID")),
                                    row.number(QStringLiteral("Um")));
    db.exec(QStringLiteral("delete * from ContrattiRighe where IDX = ?"), {rowId});
}

void ContractRules::deleteRow(db::Database& db, qint64 rowId) {
    db::Transaction tx(db);
    const qint64 contract =
        db.scalar(QStringLiteral("select Testata_ID from ContrattiRighe where IDX = ?"), {rowId})
            .toLongLong();
    removeRowInTransaction(db, rowId);
    if (contract > 0)
        recomputeClosed(db, contract);
    tx.commit();
}

void ContractRules::deleteContractInTransaction(db::Database& db, qint64 contractId) {
    const db::Result rows = db.query(
        QStringLiteral("select IDX from ContrattiRighe where Testata_ID = ?"), {contractId});
    for (const db::Row& r : rows)
        removeRowInTransaction(db, r.integer(QStringLiteral("IDX")));
    db.exec(QStringLiteral("delete * from ContrattiDefunti where Testata_ID = ?"), {contractId});
    db.exec(QStringLiteral("delete * from ContrattiTestata where Id = ?"), {contractId});
}

void ContractRules::deleteContract(db::Database& db, qint64 contractId) {
    db::Transaction tx(db);
    deleteContractInTransaction(db, contractId);
    tx.commit();
}

std::optional<QString> ContractRules::alreadyLinkedQuestion(db::Database& db, qint64 deceasedId) {
    const db::Result r =
        db.query(QStringLiteral("SELECT ContrattiTestata.Numero, ContrattiTestata.Data FROM "
                                "ContrattiDefunti INNER JOIN ContrattiTestata ON "
                                "ContrattiDefunti.Testata_ID = ContrattiTestata.Id where "
                                "ContrattiDefunti.Defunto_ID = ? order by ContrattiTestata.Data, "
                                "ContrattiTestata.Numero"),
                 {deceasedId});
    if (r.empty())
        return std::nullopt;
    const QString name =
        db.scalar(QStringLiteral("select NominativoVisualizzato from Defunti where Id = ?"),
                  {deceasedId})
            .toString();
    return QStringLiteral("Attenzione il defunto ") + name +
           QStringLiteral(" è già presente nel contratto numero: ") +
           QString::number(r.first().integer(QStringLiteral("Numero"))) + QStringLiteral(" del: ") +
           common::italianDate(r.first().date(QStringLiteral("Data"))) +
           QStringLiteral("Vuoi registrarlo ugualmente?");
}

qint64 ContractRules::linkDeceased(db::Database& db, qint64 contractId, qint64 deceasedId) {
    db::Transaction tx(db);
    const QVariant name = db.scalar(
        QStringLiteral("select NominativoVisualizzato from Defunti where Id = ?"), {deceasedId});
    const qint64 id =
        db.insert(QStringLiteral("ContrattiDefunti"), {{QStringLiteral("Testata_ID"), contractId},
                                                       {QStringLiteral("Defunto_ID"), deceasedId},
                                                       {QStringLiteral("Defunto"), name}});
    tx.commit();
    return id;
}

void ContractRules::unlinkDeceased(db::Database& db, qint64 linkId) {
    db::Transaction tx(db);
    db.exec(QStringLiteral("delete * from ContrattiDefunti where IdX = ?"), {linkId});
    tx.commit();
}

QString ContractRules::filterCondition(db::Database& db, const Filter& filter) {
    QStringList parts;
    if (filter.from.isValid())
        parts.append(QStringLiteral("Data >= #") + common::jetDate(filter.from) +
                     QStringLiteral("#"));
    if (filter.to.isValid())
        parts.append(QStringLiteral("Data <= #") + common::jetDate(filter.to) +
                     QStringLiteral("#"));
    if (filter.number > 0)
        parts.append(QStringLiteral("Numero = ") + QString::number(filter.number));
    if (filter.customerId > 0)
        parts.append(QStringLiteral("Cliente_ID = ") + QString::number(filter.customerId));
    if (filter.deceasedId > 0) {
        const db::Result r = db.query(
            QStringLiteral("SELECT ContrattiTestata.Id as Ide FROM ContrattiDefunti INNER JOIN "
                           "ContrattiTestata ON ContrattiDefunti.Testata_ID = ContrattiTestata.Id "
                           "where ContrattiDefunti.Defunto_ID=?"),
            {filter.deceasedId});
        QStringList ids;
        for (const db::Row& row : r)
            ids.append(QStringLiteral("id = ") +
                       QString::number(row.integer(QStringLiteral("Ide"))));
        if (ids.isEmpty())
            ids.append(QStringLiteral("id = -1"));
        parts.append(QStringLiteral("(") + ids.join(QStringLiteral(" or ")) + QStringLiteral(")"));
    }
    return parts.join(QStringLiteral(" and "));
}

std::optional<ContractRules::InvoiceRef> ContractRules::invoiceOfRow(db::Database& db,
                                                                     qint64 rowId) {
    const qint64 invoice =
        db.scalar(QStringLiteral("select Fattura_ID from ContrattiRighe where IDX = ?"), {rowId})
            .toLongLong();
    if (invoice <= 0)
        return std::nullopt;
    const db::Result r = db.query(
        QStringLiteral("select ID, Num, SerieFatturazione, Data from fattura where ID = ?"),
        {invoice});
    if (r.empty())
        return std::nullopt;
    InvoiceRef ref;
    ref.id = invoice;
    ref.number = QString::number(r.first().integer(QStringLiteral("Num")));
    const QString series = r.first().text(QStringLiteral("SerieFatturazione")).trimmed();
    if (!series.isEmpty())
        ref.number = series + QStringLiteral("/") + ref.number;
    ref.date = r.first().date(QStringLiteral("Data"));
    return ref;
}

} // namespace cemetery
