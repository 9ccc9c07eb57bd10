#include "cemetery/Positions.h"

#include "common/Titles.h"
#include "db/RegistryRecord.h"

#include <algorithm>

namespace cemetery {

namespace {

QString normalised(const QString& text) {
    return text.simplified().toLower();
}

struct Burial {
    qint64 id;
    QString name;
    QString position;
};

QList<Burial> buriedIn(db::Database& db, qint64 areaId) {
    QList<Burial> out;
    const db::Result r =
        db.query(QStringLiteral("select Id, NominativoVisualizzato, Posizione from Defunti where "
                                "Area_Id = ? order by NominativoVisualizzato"),
                 {areaId});
    for (const db::Row& row : r)
        out.append({row.integer(QStringLiteral("Id")),
                    row.text(QStringLiteral("NominativoVisualizzato")),
                    row.text(QStringLiteral("Posizione"))});
    return out;
}

} // namespace

const QStringList& Positions::kinds() {
    static const QStringList list{QStringLiteral("Tomba"), QStringLiteral("Loculo"),
                                  QStringLiteral("Ossario"), QStringLiteral("Cappella")};
    return list;
}

QString Positions::label(const QString& row, const QString& number) {
    const QString r = row.trimmed();
    const QString n = number.trimmed();
    QStringList parts;
    if (!r.isEmpty())
        parts.append(QStringLiteral("Fila ") + r);
    if (!n.isEmpty())
        parts.append(QStringLiteral("n. ") + n);
    return parts.join(u' ');
}

bool Positions::matches(const Position& p, const QString& typed) {
    const QString t = normalised(typed);
    const QString l = normalised(label(p));
    if (t.isEmpty() || l.isEmpty())
        return false;
    return t == l || (!p.kind.trimmed().isEmpty() && t == normalised(p.kind + u' ' + label(p)));
}

bool Positions::available(db::Database& db) {
    return db.tableExists(QStringLiteral("PosizioniCimitero"));
}

QList<Position> Positions::ofArea(db::Database& db, qint64 areaId) {
    QList<Position> out;
    if (!available(db))
        return out;
    const db::Result r =
        db.query(QStringLiteral(
                     "select * from PosizioniCimitero where Area_Id = ? order by Fila, Numero, Id"),
                 {areaId});
    for (const db::Row& row : r)
        out.append({row.integer(QStringLiteral("Id")), row.integer(QStringLiteral("Area_Id")),
                    row.text(QStringLiteral("Fila")), row.text(QStringLiteral("Numero")),
                    row.text(QStringLiteral("Tipo")), row.text(QStringLiteral("Note"))});
    // Numbers sort as numbers when they are ("2" before "10").
    std::stable_sort(out.begin(), out.end(), [](const Position& a, const Position& b) {
        const auto key = [](const QString& s) {
            bool ok = false;
            const qint64 n = s.trimmed().toLongLong(&ok);
            return std::make_pair(ok ? n : LLONG_MAX, s.trimmed().toLower());
        };
        const auto ra = key(a.row), rb = key(b.row);
        if (ra != rb)
            return ra < rb;
        return key(a.number) < key(b.number);
    });
    return out;
}

QList<PositionOccupancy> Positions::occupancy(db::Database& db, qint64 areaId) {
    QList<PositionOccupancy> out;
    const QList<Burial> burials = buriedIn(db, areaId);
    for (const Position& p : ofArea(db, areaId)) {
        PositionOccupancy o{p, label(p), {}, {}};
        for (const Burial& b : burials)
            if (matches(p, b.position)) {
                o.deceasedIds.append(b.id);
                o.occupants.append(b.name);
            }
        out.append(o);
    }
    return out;
}

QList<UnlistedBurial> Positions::unlisted(db::Database& db, qint64 areaId) {
    QList<UnlistedBurial> out;
    const QList<Position> listed = ofArea(db, areaId);
    for (const Burial& b : buriedIn(db, areaId)) {
        const bool found = std::any_of(listed.begin(), listed.end(),
                                       [&b](const Position& p) { return matches(p, b.position); });
        if (!found)
            out.append({b.id, b.name, b.position});
    }
    return out;
}

std::optional<common::Failure> Positions::validate(const QVariantMap& record) {
    if (db::recordText(record, QStringLiteral("Fila")).isEmpty() &&
        db::recordText(record, QStringLiteral("Numero")).isEmpty())
        return common::Failure{common::titles::errorCapitalised,
                               QStringLiteral("Attenzione manca la fila o il numero"),
                               QStringLiteral("Fila")};
    return std::nullopt;
}

void Positions::remove(db::Database& db, qint64 positionId) {
    db::Transaction tx(db);
    db.exec(QStringLiteral("delete * from PosizioniCimitero where Id = ?"), {positionId});
    tx.commit();
}

void Positions::removeOfArea(db::Database& db, qint64 areaId) {
    if (available(db))
        db.exec(QStringLiteral("delete * from PosizioniCimitero where Area_Id = ?"), {areaId});
}

} // namespace cemetery
