#include "printing/ReportData.h"

#include "common/Installation.h"
#include "db/Database.h"

#include <QFileInfo>

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

} // namespace printing
