#include "cemetery/DeceasedRules.h"

#include "cemetery/TableDefaults.h"
#include "common/SqlText.h"
#include "common/TextForms.h"
#include "common/Titles.h"
#include "db/RegistryRecord.h"
#include "db/SchemaCatalog.h"

namespace cemetery {

namespace {

const QString kTable = QStringLiteral("Defunti");

QString birthDateShown(const QVariant& v) {
    if (v.isNull())
        return QString();
    if (v.typeId() == QMetaType::QString) {
        const QDate d = common::parseItalianDate(v.toString().trimmed());
        return d.isValid() ? common::italianDate(d) : QString();
    }
    return common::italianDate(db::Row::toDate(v));
}

} // namespace

const QString DeceasedRules::kDuplicateTitle =
    QStringLiteral("Attenzione si è caricato un defunto già presente in archivio");

QString DeceasedRules::documentName(const QString& surname, const QString& firstName) {
    return surname + u' ' + firstName;
}

QString DeceasedRules::displayName(const QString& documentName, const QString& taxCode,
                                   const QString& birthDateShown) {
    if (!taxCode.isEmpty())
        return documentName + QStringLiteral(" - ") + taxCode;
    if (!birthDateShown.isEmpty())
        return documentName + QStringLiteral(" - ") + birthDateShown;
    return documentName;
}

void DeceasedRules::deriveNames(QVariantMap& record) {
    const QString docName = documentName(db::recordText(record, QStringLiteral("Cognome")),
                                         db::recordText(record, QStringLiteral("Nome")));
    record[QStringLiteral("NominativoDocumenti")] = docName;
    record[QStringLiteral("NominativoVisualizzato")] =
        displayName(docName, db::recordText(record, QStringLiteral("CodFiscale")),
                    birthDateShown(db::recordValue(record, QStringLiteral("DataNascita"))));
}

bool DeceasedRules::pastDates(QVariantMap& record, const QDate& today) {
    bool moved = false;
    for (const QString& column : {QStringLiteral("DataNascita"), QStringLiteral("DataMorte")}) {
        auto it = record.find(column);
        if (it == record.end())
            continue;
        QDate d = it->typeId() == QMetaType::QString ? common::parseItalianDate(it->toString())
                                                     : it->toDate();
        if (!d.isValid())
            continue;
        if (d > today && d.addYears(-100) <= today) {
            d = d.addYears(-100);
            moved = true;
        }
        *it = d;
    }
    return moved;
}

std::optional<common::Failure> DeceasedRules::validate(const QVariantMap& record) {
    if (db::recordText(record, QStringLiteral("Cognome")).isEmpty())
        return common::Failure{common::titles::error, QStringLiteral("Attenzione manca il cognome"),
                               QStringLiteral("Cognome")};
    if (db::recordText(record, QStringLiteral("Nome")).isEmpty())
        return common::Failure{common::titles::error, QStringLiteral("Attenzione manca il nome"),
                               QStringLiteral("Nome")};
    return std::nullopt;
}

db::Values DeceasedRules::newRow() {
    return {{QStringLiteral("NumeroColore"), kWhiteColour},
            {QStringLiteral("IdPaese_Nascita"), QStringLiteral("IT")},
            {QStringLiteral("IdPaese_Morte"), QStringLiteral("IT")}};
}

qint64 DeceasedRules::insertNew(db::Database& db) {
    db::Transaction tx(db);
    db::Values values = newRow();
    TableDefaults::apply(db, kTable, values);
    const qint64 id = db.insert(kTable, values);
    tx.commit();
    return id;
}

std::optional<QString> DeceasedRules::taxCodeDuplicate(db::Database& db, const QString& taxCode,
                                                       qint64 currentId) {
    if (taxCode.isEmpty())
        return std::nullopt;
    const db::Result r =
        db.query(QStringLiteral("SELECT CodFiscale FROM Defunti where CodFiscale = ? and Id <> ?"),
                 {taxCode, currentId});
    if (r.empty())
        return std::nullopt;
    return QStringLiteral("Attenzione il codice fiscale ") + r.first().text("CodFiscale") +
           QStringLiteral(" è già presente in altri ") + QString::number(r.size()) +
           QStringLiteral(" Record.");
}

std::optional<QString>
DeceasedRules::nameDuplicate(db::Database& db, const QString& surname, const QString& firstName,
                             const QString& birthDateTyped, qint64 birthPlaceId,
                             const QString& birthPlaceName, qint64 currentId) {
    const QString typed = birthDateTyped.trimmed();
    if (surname.isEmpty() || firstName.isEmpty() || typed.size() != 8 || birthPlaceId <= 0)
        return std::nullopt;
    const QDate born = common::parseItalianDate(typed);
    if (!born.isValid())
        return std::nullopt;
    const db::Result r = db.query(
        QStringLiteral("SELECT Id FROM Defunti where Cognome = ? and Nome = ? and DataNascita = "
                       "#%1# and LuogoNascita_Id = ? and Id <> ?")
            .arg(common::jetDate(born)),
        {surname, firstName, birthPlaceId, currentId});
    if (r.empty())
        return std::nullopt;
    return QStringLiteral("Attenzione il defunto ") + surname + u' ' + firstName +
           QStringLiteral(" nato a:") + birthPlaceName + QStringLiteral(" il ") +
           common::italianDate(born) + QStringLiteral(" è già presente in altri ") +
           QString::number(r.size()) + QStringLiteral(" Record.");
}

qint64 DeceasedRules::rowColour(const QVariant& ownColour, const QVariant& categoryColour) {
    const auto usable = [](const QVariant& v) {
        if (v.isNull())
            return false;
        const qint64 c = v.toLongLong();
        return c > 0 && c != kWhiteColour;
    };
    if (usable(ownColour))
        return ownColour.toLongLong();
    if (usable(categoryColour))
        return categoryColour.toLongLong();
    return kWhiteColour;
}

QString DeceasedRules::searchCondition(const DeceasedSearch& s) {
    QStringList parts;
    const auto prefix = [&parts](const QString& column, const QString& text) {
        if (!text.isEmpty())
            parts.append(column + QStringLiteral(" like '") + common::sqlQuote(text) +
                         QStringLiteral("*'"));
    };
    prefix(QStringLiteral("NominativoVisualizzato"), s.name);
    prefix(QStringLiteral("CodFiscale"), s.taxCode);
    prefix(QStringLiteral("Note"), s.notes);
    if (s.categoryId > 0)
        parts.append(QStringLiteral("Categoria_ID = ") + QString::number(s.categoryId));
    if (s.areaId > 0)
        parts.append(QStringLiteral("Area_Id = ") + QString::number(s.areaId));
    return parts.join(QStringLiteral(" and "));
}

QVariant DeceasedRules::categoryColour(db::Database& db, qint64 categoryId) {
    if (categoryId <= 0)
        return {};
    const db::Result r = db.query(
        QStringLiteral("select ColoreCategoria from CategoriaDefunti where Id = ?"), {categoryId});
    if (r.empty() || r.first().isNull(QStringLiteral("ColoreCategoria")))
        return {};
    return r.first().integer(QStringLiteral("ColoreCategoria"));
}

QString DeceasedRules::municipalityName(db::Database& db, qint64 municipalityId) {
    if (municipalityId <= 0)
        return QString();
    return db.scalar(QStringLiteral("select Comune from Comuni where Id = ?"), {municipalityId})
        .toString();
}

std::optional<common::Failure> DeceasedRules::save(db::Database& db, qint64 id, QVariantMap& record,
                                                   bool namesTyped, qint64 linkContractId) {
    if (auto f = validate(record))
        return f;
    pastDates(record, QDate::currentDate());
    if (namesTyped || db::recordText(record, QStringLiteral("NominativoVisualizzato")).isEmpty())
        deriveNames(record);
    const db::TableInfo* info = db::SchemaCatalog::instance().table(kTable);
    db::Values values;
    for (auto it = record.constBegin(); it != record.constEnd(); ++it) {
        const db::ColumnInfo* col = info ? info->column(it.key()) : nullptr;
        if (!col || col->name.compare(info->key, Qt::CaseInsensitive) == 0)
            continue;
        QVariant v = it.value();
        if (col->type == db::ColumnType::DateTime && v.typeId() == QMetaType::QString) {
            const QDate d = common::parseItalianDate(v.toString().trimmed());
            v = d.isValid() ? QVariant(d) : QVariant();
        }
        values.append({col->name, v});
    }
    db::Transaction tx(db);
    db.update(kTable, id, values);
    if (linkContractId > 0)
        linkToContract(db, linkContractId, id);
    tx.commit();
    return std::nullopt;
}

bool DeceasedRules::completeCardSave(db::Database& db, qint64 id, QVariantMap& record,
                                     const QVariantMap& before, bool namesTyped,
                                     qint64 linkContractId) {
    db::Transaction tx(db);
    db::Values extra;
    const bool moved = pastDates(record, QDate::currentDate());
    if (moved)
        for (const QString& column : {QStringLiteral("DataNascita"), QStringLiteral("DataMorte")})
            extra.append({column, record.value(column)});
    const qint64 category = db::RecordKey(record, QStringLiteral("Categoria_ID"));
    if (before.isEmpty() || category != db::RecordKey(before, QStringLiteral("Categoria_ID")))
        extra.append({QStringLiteral("ColoreCategoria"), categoryColour(db, category)});
    const auto placeName = [&db](qint64 placeId) {
        const QString name = municipalityName(db, placeId);
        return name.isEmpty() ? QVariant() : QVariant(name);
    };
    extra.append({QStringLiteral("LuogoNascita"),
                  placeName(db::RecordKey(record, QStringLiteral("LuogoNascita_Id")))});
    extra.append({QStringLiteral("LuogoMorte"),
                  placeName(db::RecordKey(record, QStringLiteral("LuogoMorte_id")))});
    if (namesTyped ||
        db.scalar(QStringLiteral("select NominativoVisualizzato from Defunti where Id = ?"), {id})
            .toString()
            .isEmpty()) {
        deriveNames(record);
        extra.append({QStringLiteral("NominativoDocumenti"), record.value("NominativoDocumenti")});
        extra.append(
            {QStringLiteral("NominativoVisualizzato"), record.value("NominativoVisualizzato")});
    }
    db.update(kTable, id, extra);
    if (linkContractId > 0)
        linkToContract(db, linkContractId, id);
    tx.commit();
    return moved;
}

qint64 DeceasedRules::linkToContract(db::Database& db, qint64 contractId, qint64 deceasedId) {
    db::Transaction tx(db);
    const QString name =
        db.scalar(QStringLiteral("select NominativoVisualizzato from Defunti where Id = ?"),
                  {deceasedId})
            .toString();
    const qint64 key =
        db.insert(QStringLiteral("ContrattiDefunti"), {{QStringLiteral("Testata_ID"), contractId},
                                                       {QStringLiteral("Defunto_ID"), deceasedId},
                                                       {QStringLiteral("Defunto"), name}});
    tx.commit();
    return key;
}

std::optional<common::Failure> DeceasedRules::validateCategory(const QVariantMap& record) {
    if (db::recordText(record, QStringLiteral("Descrizione")).isEmpty())
        return common::Failure{common::titles::errorCapitalised,
                               QStringLiteral("Attenzione manca la Descrizione"),
                               QStringLiteral("Descrizione")};
    return std::nullopt;
}

} // namespace cemetery
