#include "registries/CustomerRules.h"

#include "common/TextForms.h"
#include "common/Titles.h"
#include "db/RegistryRecord.h"
#include "registries/TaxCodes.h"

namespace registries {

namespace {

common::Failure failure(const QString& text, const QString& field) {
    return {common::titles::error, text, field};
}

// Tables whose rows name a customer in Cliente and refer to it by Cliente_ID.
const QStringList kDocumentTables = {QStringLiteral("fattura"),
                                     QStringLiteral("Calendario"),
                                     QStringLiteral("PreventiTestata"),
                                     QStringLiteral("ContrattiTestata"),
                                     QStringLiteral("OrdiniClientiTestata"),
                                     QStringLiteral("Ddt")};

} // namespace

const QStringList& CustomerRules::nameColumns() {
    static const QStringList columns = {"Cliente", "Cognome", "Nome", "CodFiscale", "DataNascita"};
    return columns;
}

QString CustomerRules::documentName(const QString& company, const QString& surname,
                                    const QString& firstName) {
    if (!company.trimmed().isEmpty())
        return company.trimmed();
    return surname.trimmed() + u' ' + firstName.trimmed();
}

QString CustomerRules::displayName(const QString& documentName, const QString& taxCode,
                                   const QString& birthDate) {
    QString name = documentName;
    if (!taxCode.trimmed().isEmpty())
        name += QStringLiteral(" - ") + taxCode.trimmed();
    if (!birthDate.trimmed().isEmpty())
        name += QStringLiteral(" - ") + birthDate.trimmed();
    return name;
}

void CustomerRules::deriveNames(db::RegistryRecord& record) {
    const QString document =
        documentName(db::recordText(record, "Cliente"), db::recordText(record, "Cognome"),
                     db::recordText(record, "Nome"));
    // The birth date as the user sees it: dd/MM/yyyy.
    const QVariant birth = db::recordValue(record, "DataNascita");
    QString birthText;
    if (birth.typeId() == QMetaType::QString)
        birthText = birth.toString().trimmed();
    else if (!birth.isNull())
        birthText = common::italianDate(db::Row::toDate(birth));
    record["NominativoDocumenti"] = document;
    record["NominativoVisualizzato"] =
        displayName(document, db::recordText(record, "CodFiscale"), birthText);
}

CustomerKind CustomerRules::kindOf(const db::RegistryRecord& record) {
    return db::recordText(record, "Cliente").isEmpty() ? CustomerKind::Private
                                                       : CustomerKind::Company;
}

void CustomerRules::applyKind(db::RegistryRecord& record, CustomerKind kind) {
    if (kind == CustomerKind::Private)
        record["Cliente"] = QString();
}

void CustomerRules::chooseCategory(db::Database& db, db::RegistryRecord& record,
                                   qint64 categoryId) {
    if (categoryId <= 0) {
        record["Categoria_ID"] = QVariant();
        record["ColoreCategoria"] = QVariant();
        return;
    }
    const QVariant colour = db.scalar(
        QStringLiteral("select ColoreCategoria from ClientiCategoria where ID = ?"), {categoryId});
    record["Categoria_ID"] = categoryId;
    record["ColoreCategoria"] = colour.isNull() ? QVariant() : QVariant(colour.toLongLong());
}

std::optional<common::Failure> CustomerRules::validate(const db::RegistryRecord& record,
                                                       CustomerKind kind) {
    if (kind == CustomerKind::Company) {
        if (db::recordText(record, "Cliente").isEmpty())
            return failure(QStringLiteral("Attenzione manca la ragione sociale"), "Cliente");
    } else {
        if (db::recordText(record, "Cognome").isEmpty())
            return failure(QStringLiteral("Attenzione manca il cognome"), "Cognome");
        if (db::recordText(record, "Nome").isEmpty())
            return failure(QStringLiteral("Attenzione manca il nome"), "Nome");
    }
    const QVariant birth = db::recordValue(record, "DataNascita");
    if (birth.typeId() == QMetaType::QString && !birth.toString().trimmed().isEmpty() &&
        !db::recordDate(record, "DataNascita").isValid())
        return failure(QStringLiteral("Attenzione la data di nascita non è valida"), "DataNascita");
    const QVariant discount = db::recordValue(record, "Sconto");
    if (!discount.isNull() && (discount.toDouble() < 0 || discount.toDouble() > 100))
        return failure(QStringLiteral("Attenzione lo sconto deve essere compreso tra 0 e 100"),
                       "Sconto");
    if (db::recordValue(record, "RappresentanteFiscale").toBool()) {
        if (db::recordText(record, "RappresentanteFiscale_Nazione").isEmpty())
            return failure(QStringLiteral("Attenzione manca la nazione del rappresentante fiscale"),
                           "RappresentanteFiscale_Nazione");
        if (db::recordText(record, "RappresentanteFiscale_IdCodice").isEmpty())
            return failure(
                QStringLiteral("Attenzione manca il codice fiscale del rappresentante fiscale"),
                "RappresentanteFiscale_IdCodice");
        if (db::recordText(record, "RappresentanteFiscale_Denominazione").isEmpty() &&
            db::recordText(record, "RappresentanteFiscale_Cognome").isEmpty())
            return failure(QStringLiteral("Attenzione manca la denominazione o il cognome del "
                                          "rappresentante fiscale"),
                           "RappresentanteFiscale_Denominazione");
    }
    if (db::recordValue(record, "StabileOrganizzazione").toBool()) {
        if (db::recordText(record, "StabileOrganizzazione_Indirizzo").isEmpty())
            return failure(
                QStringLiteral("Attenzione manca l'indirizzo della stabile organizzazione"),
                "StabileOrganizzazione_Indirizzo");
        if (db::recordText(record, "StabileOrganizzazione_CAP").isEmpty())
            return failure(QStringLiteral("Attenzione manca il CAP della stabile organizzazione"),
                           "StabileOrganizzazione_CAP");
        if (db::recordText(record, "StabileOrganizzazione_Comune").isEmpty())
            return failure(
                QStringLiteral("Attenzione manca il comune della stabile organizzazione"),
                "StabileOrganizzazione_Comune");
        if (db::recordText(record, "StabileOrganizzazione_Nazione").isEmpty())
            return failure(
                QStringLiteral("Attenzione manca la nazione della stabile organizzazione"),
                "StabileOrganizzazione_Nazione");
    }
    return std::nullopt;
}

QList<FieldWarning> taxWarnings(const db::RegistryRecord& record) {
    QList<FieldWarning> out;
    const QString country = db::recordText(record, "IdPaese");
    QString text = TaxCodes::vatNumberWarning(db::recordText(record, "Iva"), country);
    if (!text.isEmpty())
        out.append({"Iva", text});
    // Tax codes of foreign customers and suppliers follow their own country's rules.
    if (country.isEmpty() || country.compare("IT", Qt::CaseInsensitive) == 0) {
        text = TaxCodes::taxCodeWarning(db::recordText(record, "CodFiscale"));
        if (!text.isEmpty())
            out.append({"CodFiscale", text});
    }
    text = TaxCodes::ibanWarning(db::recordText(record, "Iban"));
    if (!text.isEmpty())
        out.append({"Iban", text});
    return out;
}

QList<FieldWarning> CustomerRules::warnings(const db::RegistryRecord& record) {
    return taxWarnings(record);
}

QStringList CustomerRules::propagationStatements(qint64 customerId, bool publicAdministration) {
    const QString id = QString::number(customerId);
    QStringList out;
    for (const QString& table : kDocumentTables)
        out.append(QStringLiteral("UPDATE %1 INNER JOIN Clienti ON %1.Cliente_ID = Clienti.Id SET "
                                  "%1.Cliente = [Clienti].[NominativoDocumenti] where Clienti.Id=")
                       .arg(table) +
                   id);
    out.append(QStringLiteral("UPDATE fattura INNER JOIN Clienti ON fattura.Cliente_ID = "
                              "Clienti.Id SET fattura.DatiTrasmissione_FormatoTrasmissione='") +
               (publicAdministration ? QStringLiteral("FPA12'") : QStringLiteral("FPR12'")) +
               QStringLiteral(" where Clienti.Id=") + id);
    return out;
}

qint64 CustomerRules::insertNew(db::Database& db) {
    db::Transaction tx(db);
    const qint64 id = db.insert("Clienti", {{"Sede_Nazione", "IT"},
                                            {"IdPaese", "IT"},
                                            {"PubblicaAmministrazione", false},
                                            {"ScissionePagamenti", false},
                                            {"RappresentanteFiscale", false},
                                            {"StabileOrganizzazione", false},
                                            {"Annullato", false},
                                            {"PrivacyFirmata", false}});
    tx.commit();
    return id;
}

std::optional<common::Failure> CustomerRules::save(db::Database& db, db::RegistryRecord& record,
                                                   CustomerKind kind, bool namesTouched) {
    db::RegistryRecord work = record;
    applyKind(work, kind);
    if (auto f = validate(work, kind))
        return f;
    if (namesTouched || db::recordText(work, "NominativoDocumenti").isEmpty())
        deriveNames(work);
    // A birth date typed as text is stored as a date.
    if (db::recordValue(work, "DataNascita").typeId() == QMetaType::QString) {
        const QDate birth = db::recordDate(work, "DataNascita");
        work["DataNascita"] = birth.isValid() ? QVariant(birth) : QVariant();
    }

    db::Transaction tx(db);
    qint64 id = db::RecordKey(work, "ID");
    if (id > 0)
        db.update("Clienti", id, db::recordValues(work));
    else
        id = db.insert("Clienti", db::recordValues(work));
    propagate(db, id, db::recordValue(work, "PubblicaAmministrazione").toBool());
    tx.commit();

    work["ID"] = id;
    record = work;
    return std::nullopt;
}

void CustomerRules::propagate(db::Database& db, qint64 customerId, bool publicAdministration) {
    for (const QString& statement : propagationStatements(customerId, publicAdministration))
        db.exec(statement);
}

void CustomerRules::completeSave(db::Database& db, qint64 customerId, db::RegistryRecord& record,
                                 CustomerKind kind, bool namesTouched, const QVariant& officeTown) {
    applyKind(record, kind);
    db::Values names{{"ColoreCategoria", record.value("ColoreCategoria")}};
    if (officeTown.isValid())
        names.append({"Comune_id", officeTown});
    if (kind == CustomerKind::Private)
        names.append({"Cliente", QString()});
    if (namesTouched || db::recordText(record, "NominativoDocumenti").isEmpty()) {
        deriveNames(record);
        names.append({"NominativoDocumenti", record.value("NominativoDocumenti")});
        names.append({"NominativoVisualizzato", record.value("NominativoVisualizzato")});
    }
    db::Transaction tx(db);
    db.update("Clienti", customerId, names);
    propagate(db, customerId, db::recordValue(record, "PubblicaAmministrazione").toBool());
    tx.commit();
}

bool CustomerRules::namesChanged(const db::RegistryRecord& before,
                                 const db::RegistryRecord& after) {
    for (const QString& column : nameColumns())
        if (db::recordValue(before, column) != db::recordValue(after, column))
            return true;
    return false;
}

std::optional<common::Failure> CustomerRules::deleteCheck(db::Database& db, qint64 customerId) {
    if (!db::isReferenced(db,
                          kDocumentTables + QStringList{QStringLiteral("FatturaScadenze"),
                                                        QStringLiteral("finanzia")},
                          QStringLiteral("Cliente_ID"), customerId))
        return std::nullopt;
    return common::Failure{
        common::titles::warning,
        QStringLiteral("Attenzione il cliente è presente in documenti o movimenti e non "
                       "può essere eliminato: lo si può annullare"),
        QString()};
}

std::optional<common::Failure> CustomerRules::remove(db::Database& db, qint64 customerId) {
    db::Transaction tx(db);
    if (auto f = deleteCheck(db, customerId))
        return f;
    db.exec(QStringLiteral("delete * from Clienti where ID = ?"), {customerId});
    tx.commit();
    return std::nullopt;
}

QString CustomerRules::lookupSql() {
    return QStringLiteral(
        "select * from Clienti where Annullato = false order by NominativoVisualizzato");
}

} // namespace registries
