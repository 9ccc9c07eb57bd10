#include "ui/GridLayouts.h"

#include "common/Fields.h"
#include "db/Database.h"

#include <QHash>

namespace ui {

namespace {

const QChar kSeparator = u'|';

db::Result layoutRow(db::Database& db, const QString& gridName, const QString& workstation) {
    return db.query(
        QStringLiteral("select * from Griglie where NomeComputer = ? and NomeGriglia = ?"),
        {workstation, gridName});
}

// The layouts read in this session, by connection, archive, workstation and
// grid: a list opened again does not ask the archive for its columns. A
// layout belongs to one workstation, so only this one's saves change it.
QHash<QString, db::Result>& readLayouts() {
    static QHash<QString, db::Result> kept;
    return kept;
}

QString layoutKey(db::Database& db, const QString& gridName, const QString& workstation) {
    return db.handle().connectionName() + u'\n' + db.archive() + u'\n' + workstation + u'\n' +
           gridName;
}

} // namespace

void saveLayout(db::Database& db, const QString& gridName, const GridColumns& columns,
                bool overwriteDefaults, const QString& workstation) {
    QString widths, fields, captions;
    for (const GridColumn& c : columns) {
        widths += QString::number(c.width) + kSeparator;
        fields += c.field + kSeparator;
        captions += c.caption + kSeparator;
    }
    if (widths.isEmpty())
        return;

    db::Transaction tx(db);
    const db::Result found = layoutRow(db, gridName, workstation);
    db::Values values{{QStringLiteral("NomeGriglia"), gridName},
                      {QStringLiteral("CampiUtente"), fields},
                      {QStringLiteral("WidthUtente"), widths},
                      {QStringLiteral("NomeComputer"), workstation},
                      {QStringLiteral("CaptionUtente"), captions}};
    const bool firstSave =
        found.empty() || found.first().isNull(QStringLiteral("CampiPredefiniti"));
    if (overwriteDefaults || firstSave) {
        values.append({QStringLiteral("CampiPredefiniti"), fields});
        values.append({QStringLiteral("WidthPredefiniti"), widths});
        values.append({QStringLiteral("CaptionPredefiniti"), captions});
        values.append({QStringLiteral("TotaleCampiPredefiniti"), int(columns.size())});
    }
    if (found.empty())
        db.insert(QStringLiteral("Griglie"), values);
    else
        db.update(QStringLiteral("Griglie"), found.first().integer(QStringLiteral("ID")), values);
    tx.commit();
    readLayouts().remove(layoutKey(db, gridName, workstation));
}

bool loadLayout(db::Database& db, const QString& gridName, GridColumns& columns, bool useDefaults,
                const QString& workstation) {
    const QString key = layoutKey(db, gridName, workstation);
    auto kept = readLayouts().constFind(key);
    if (kept == readLayouts().constEnd())
        kept = readLayouts().insert(key, layoutRow(db, gridName, workstation));
    const db::Result found = kept.value();
    if (found.empty())
        return false;
    const db::Row& row = found.first();
    if (!row.isNull(QStringLiteral("TotaleCampiPredefiniti")) &&
        row.integer(QStringLiteral("TotaleCampiPredefiniti")) == columns.size() &&
        row.isNull(QStringLiteral("WidthUtente")) && row.isNull(QStringLiteral("CampiUtente")))
        return false;

    const QString suffix = useDefaults ? QStringLiteral("Predefiniti") : QStringLiteral("Utente");
    const QString widths = row.text(QStringLiteral("Width") + suffix);
    const QString fields = row.text(QStringLiteral("Campi") + suffix);
    const QString captions = row.text(QStringLiteral("Caption") + suffix);
    const int count = common::fieldCount(fields, kSeparator);
    if (count == 0)
        return false;

    GridColumns rebuilt;
    for (int i = 1; i <= count; ++i) {
        GridColumn c;
        c.field = common::field(fields, i, kSeparator);
        bool ok = false;
        c.width = common::field(widths, i, kSeparator).trimmed().toInt(&ok);
        if (!ok)
            break;
        c.caption = common::field(captions, i, kSeparator);
        rebuilt.append(c);
    }
    columns = rebuilt;
    return true;
}

QString sortAfterTitleClick(const QString& currentSort, const QString& field) {
    if (!currentSort.isEmpty() && currentSort.right(3) == QLatin1String("ASC"))
        return field + QStringLiteral(" DESC");
    return field + QStringLiteral(" ASC");
}

} // namespace ui
