#include "db/Seed.h"

#include "db/Database.h"
#include "db/DbError.h"
#include "db/SchemaCatalog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace db {

namespace {

QVariant typed(const QString& cell, ColumnType type) {
    switch (type) {
    case ColumnType::Integer:
    case ColumnType::Counter:
    case ColumnType::YesNo:
        return cell.toLongLong();
    case ColumnType::Double:
        return cell.toDouble();
    default:
        return cell;
    }
}

} // namespace

int Seed::loadTable(Database& db, const QString& table, const QString& tsvText) {
    const TableInfo* info = SchemaCatalog::instance().table(table);
    if (!info)
        throw DbError(QStringLiteral("Dati iniziali per una tabella sconosciuta: %1").arg(table));
    QStringList lines = tsvText.split(u'\n');
    while (!lines.isEmpty() && lines.last().trimmed().isEmpty())
        lines.removeLast();
    if (lines.isEmpty())
        return 0;
    QStringList header = lines.takeFirst().split(u'\t');
    QList<ColumnType> types;
    bool explicitKey = false;
    for (QString& h : header) {
        h = h.trimmed();
        const ColumnInfo* c = info->column(h);
        if (!c)
            throw DbError(
                QStringLiteral("Dati iniziali: colonna %1 sconosciuta in %2").arg(h, table));
        types.append(c->type);
        explicitKey = explicitKey || c->type == ColumnType::Counter;
    }
    int count = 0;
    for (QString line : lines) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.isEmpty())
            continue;
        const QStringList cells = line.split(u'\t');
        Values values;
        for (qsizetype i = 0; i < header.size() && i < cells.size(); ++i)
            if (!cells[i].isEmpty())
                values.append({header[i], typed(cells[i], types[i])});
        db.insert(info->name, values);
        ++count;
    }
    if (explicitKey && db.engine() == Engine::PostgreSQL)
        db.execNative(QStringLiteral("SELECT setval(pg_get_serial_sequence('%1', '%2'), "
                                     "(SELECT COALESCE(max(%2), 0) + 1 FROM %1), false)")
                          .arg(info->name.toLower(), info->key.toLower()));
    return count;
}

void Seed::loadAll(Database& db) {
    QDir dir(QStringLiteral(":/db/seed"));
    for (const QString& f : dir.entryList({QStringLiteral("*.tsv")}, QDir::Files, QDir::Name)) {
        QFile file(dir.filePath(f));
        if (!file.open(QIODevice::ReadOnly))
            throw DbError(QStringLiteral("Risorsa mancante: %1").arg(f));
        loadTable(db, QFileInfo(f).completeBaseName(), QString::fromUtf8(file.readAll()));
    }
}

} // namespace db
