#include "registries/CompanyRules.h"

#include "common/Titles.h"
#include "db/SingleRow.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>

namespace registries {

db::Row CompanyRules::load(db::Database& db) {
    return db::SingleRow::load(db, QStringLiteral("ditta"));
}

void CompanyRules::save(db::Database& db, const db::Values& values) {
    db::Values all = values;
    db::Values options;
    for (const auto& [column, value] : values) {
        if (column.compare(QStringLiteral("CodOERI"), Qt::CaseInsensitive) == 0)
            all.append({QStringLiteral("CodEori"), value});
        // The invoicing series switch lives in both rows; they must agree.
        if (column.compare(QStringLiteral("FatturazioneMultipla"), Qt::CaseInsensitive) == 0)
            options.append({column, value});
    }
    db::Transaction tx(db);
    db::SingleRow::save(db, QStringLiteral("ditta"), all);
    if (!options.isEmpty())
        db::SingleRow::save(db, QStringLiteral("opzioni"), options);
    tx.commit();
}

QString CompanyRules::name(db::Database& db) {
    return db.scalar(QStringLiteral("select RagSoc from ditta order by ID")).toString();
}

std::optional<common::Failure> CompanyRules::readLogo(const QString& path, QByteArray* bytes) {
    const QString title = common::titles::error;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return common::Failure{title, QStringLiteral("Impossibile leggere il file ") + path,
                               QString()};
    const QByteArray data = f.readAll();
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QByteArray format = reader.format().toLower();
    if (format != "png" && format != "jpeg" && format != "jpg")
        return common::Failure{
            title, QStringLiteral("Attenzione il logo deve essere un'immagine PNG o JPEG"),
            QString()};
    if (reader.read().isNull())
        return common::Failure{title, QStringLiteral("Attenzione l'immagine scelta è danneggiata"),
                               QString()};
    *bytes = data;
    return std::nullopt;
}

QImage CompanyRules::logoImage(const QByteArray& bytes) {
    QImage image;
    if (!bytes.isEmpty())
        image.loadFromData(bytes);
    return image;
}

void CompanyRules::saveLogo(db::Database& db, const QByteArray& bytes) {
    db::SingleRow::save(db, QStringLiteral("ditta"),
                        {{QStringLiteral("Logo"), bytes.isEmpty() ? QVariant() : QVariant(bytes)}});
}

} // namespace registries
