#include "printing/ReportData.h"

#include "common/Installation.h"
#include "db/Database.h"

#include <QFileInfo>
#include <QJsonArray>

namespace printing {

ReportData ReportData::load(db::Database& db, const RequestRow& request) {
    ReportData d;
    d.request = request;
    if (!request.query.trimmed().isEmpty())
        d.main = db.query(request.query);
    for (int i = 0; i < 3; ++i)
        if (!request.subQuery[i].trimmed().isEmpty())
            d.sub[i] = db.query(request.subQuery[i]);

    const db::Result company = db.query(QStringLiteral("select top 1 * from ditta order by ID"));
    if (!company.empty()) {
        const db::Row& row = company.first();
        for (int i = 0; i < row.columnCount(); ++i) {
            const QString name = row.columnName(i).toLower();
            const QVariant v = row.value(i);
            if (name == u"logo") {
                if (!v.isNull())
                    d.logo = QImage::fromData(v.toByteArray());
                continue;
            }
            d.company.insert(name, v);
        }
    }
    if (d.logo.isNull()) {
        const QString bmp = common::Installation::filePath(QStringLiteral("LogoMaga.bmp"));
        if (QFileInfo::exists(bmp))
            d.logo.load(bmp);
    }
    return d;
}

void ReportData::loadRelated(db::Database& db, const QJsonObject& tmpl) {
    const QJsonObject defs = tmpl.value(QStringLiteral("related")).toObject();
    for (auto it = defs.begin(); it != defs.end(); ++it) {
        const QJsonObject def = it.value().toObject();
        QVariantList binds;
        bool complete = !main.empty();
        // A param the main row lacks or holds empty selects no row, but the
        // columns are known all the same.
        for (const QJsonValue& p : def.value(QStringLiteral("params")).toArray()) {
            const QString column = p.toString();
            if (!complete || !main.first().has(column) || main.first().isNull(column))
                complete = false;
            binds << (complete ? main.first().value(column) : QVariant());
        }
        const QString sql = def.value(QStringLiteral("sql")).toString();
        related.insert(it.key().toLower(), db.query(sql, binds));
    }
}

} // namespace printing
