#include "registries/SupplierRules.h"

#include "common/Titles.h"

namespace registries {

void SupplierRules::deriveName(db::RegistryRecord& record) {
    if (!db::recordText(record, "Fornitore").isEmpty())
        return;
    const QString person =
        (db::recordText(record, "Cognome") + u' ' + db::recordText(record, "Nome")).trimmed();
    if (!person.isEmpty())
        record["Fornitore"] = person;
}

std::optional<common::Failure> SupplierRules::validate(const db::RegistryRecord& record) {
    if (db::recordText(record, "Fornitore").isEmpty() &&
        db::recordText(record, "Cognome").isEmpty())
        return common::Failure{common::titles::error,
                               QStringLiteral("Attenzione manca la ragione sociale del fornitore"),
                               "Fornitore"};
    return std::nullopt;
}

QList<FieldWarning> SupplierRules::warnings(const db::RegistryRecord& record) {
    return taxWarnings(record);
}

qint64 SupplierRules::insertNew(db::Database& db) {
    db::Transaction tx(db);
    const qint64 id = db.insert("Fornitor", {{"IdPaese", "IT"},
                                             {"Annullato", false},
                                             {"PrivacyFirmata", false},
                                             {"ImportatoXml", false}});
    tx.commit();
    return id;
}

std::optional<common::Failure> SupplierRules::save(db::Database& db, db::RegistryRecord& record) {
    db::RegistryRecord work = record;
    deriveName(work);
    if (auto f = validate(work))
        return f;
    db::Transaction tx(db);
    qint64 id = db::RecordKey(work, "ID");
    if (id > 0)
        db.update("Fornitor", id, db::recordValues(work));
    else
        id = db.insert("Fornitor", db::recordValues(work));
    tx.commit();
    work["ID"] = id;
    record = work;
    return std::nullopt;
}

void SupplierRules::completeSave(db::Database& db, qint64 supplierId, db::RegistryRecord& record) {
    if (!db::recordText(record, "Fornitore").isEmpty())
        return;
    deriveName(record);
    db.update("Fornitor", supplierId, {{"Fornitore", db::recordValue(record, "Fornitore")}});
}

std::optional<common::Failure> SupplierRules::deleteCheck(db::Database& db, qint64 supplierId) {
    if (!db::isReferenced(db,
                          QStringList{QStringLiteral("fattura"), QStringLiteral("OrdiniTestata"),
                                      QStringLiteral("FatturaScadenze"),
                                      QStringLiteral("finanzia")},
                          QStringLiteral("Fornitore_ID"), supplierId))
        return std::nullopt;
    return common::Failure{
        common::titles::warning,
        QStringLiteral("Attenzione il fornitore è presente in documenti o movimenti e "
                       "non può essere eliminato: lo si può annullare"),
        QString()};
}

std::optional<common::Failure> SupplierRules::remove(db::Database& db, qint64 supplierId) {
    db::Transaction tx(db);
    if (auto f = deleteCheck(db, supplierId))
        return f;
    db.exec(QStringLiteral("delete * from Fornitor where ID = ?"), {supplierId});
    tx.commit();
    return std::nullopt;
}

QString SupplierRules::lookupSql() {
    return QStringLiteral("select * from Fornitor where Annullato = false order by Fornitore");
}

} // namespace registries
