#include "app/SupplierRules.h"

#include "app/TaxCodes.h"

namespace app {

void SupplierRules::deriveName(RegistryRecord& record) {
    if (!RecordText(record, "Fornitore").isEmpty())
        return;
    const QString person =
        (RecordText(record, "Cognome") + u' ' + RecordText(record, "Nome")).trimmed();
    if (!person.isEmpty())
        record["Fornitore"] = person;
}

std::optional<common::Failure> SupplierRules::validate(const RegistryRecord& record) {
    if (RecordText(record, "Fornitore").isEmpty() && RecordText(record, "Cognome").isEmpty())
        return common::Failure{QStringLiteral("Messaggio di errore"),
                               QStringLiteral("Attenzione manca la ragione sociale del fornitore"),
                               "Fornitore"};
    return std::nullopt;
}

QList<FieldWarning> SupplierRules::warnings(const RegistryRecord& record) {
    QList<FieldWarning> out;
    const QString country = RecordText(record, "IdPaese");
    QString text = TaxCodes::vatNumberWarning(RecordText(record, "Iva"), country);
    if (!text.isEmpty())
        out.append({"Iva", text});
    if (country.isEmpty() || country.compare("IT", Qt::CaseInsensitive) == 0) {
        text = TaxCodes::taxCodeWarning(RecordText(record, "CodFiscale"));
        if (!text.isEmpty())
            out.append({"CodFiscale", text});
    }
    text = TaxCodes::ibanWarning(RecordText(record, "Iban"));
    if (!text.isEmpty())
        out.append({"Iban", text});
    return out;
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

std::optional<common::Failure> SupplierRules::save(db::Database& db, RegistryRecord& record) {
    RegistryRecord work = record;
    deriveName(work);
    if (auto f = validate(work))
        return f;
    db::Transaction tx(db);
    qint64 id = RecordKey(work, "ID");
    if (id > 0)
        db.update("Fornitor", id, RecordValues(work));
    else
        id = db.insert("Fornitor", RecordValues(work));
    tx.commit();
    work["ID"] = id;
    record = work;
    return std::nullopt;
}

void SupplierRules::completeSave(db::Database& db, qint64 supplierId, RegistryRecord& record) {
    if (!RecordText(record, "Fornitore").isEmpty())
        return;
    deriveName(record);
    db.update("Fornitor", supplierId, {{"Fornitore", RecordValue(record, "Fornitore")}});
}

std::optional<common::Failure> SupplierRules::deleteCheck(db::Database& db, qint64 supplierId) {
    if (!IsReferenced(db,
                      QStringList{QStringLiteral("fattura"), QStringLiteral("OrdiniTestata"),
                                  QStringLiteral("FatturaScadenze"), QStringLiteral("finanzia")},
                      QStringLiteral("Fornitore_ID"), supplierId))
        return std::nullopt;
    return common::Failure{
        QStringLiteral("Messaggio di avviso"),
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

} // namespace app
