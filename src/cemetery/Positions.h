#pragma once

#include "common/Interaction.h"
#include "db/Database.h"

#include <QList>
#include <QStringList>
#include <QVariantMap>
#include <optional>

namespace cemetery {

// One listed position of a cemetery area (PosizioniCimitero).
struct Position {
    qint64 id = 0;
    qint64 areaId = 0;
    QString row;
    QString number;
    QString kind;
    QString notes;
};

// Who lies in a position: the deceased of the area whose Posizione reads as
// the position's label.
struct PositionOccupancy {
    Position position;
    QString label;
    QList<qint64> deceasedIds;
    QStringList occupants; // display names, in list order
    bool isFree() const { return deceasedIds.isEmpty(); }
};

// A deceased of the area whose Posizione matches no listed position.
struct UnlistedBurial {
    qint64 deceasedId = 0;
    QString name;
    QString position;
};

// Positions of the cemetery areas. Defunti.Posizione stays free text: an
// area without listed positions works as before, and a typed position is
// matched to a listed one by its label, without regard to case, spaces or
// the kind written in front ("Loculo Fila 3 n. 12").
class Positions {
public:
    // The kinds offered; any other text typed is kept as it is.
    static const QStringList& kinds();
    // "Fila 3 n. 12", "Fila 3", "n. 12".
    static QString label(const QString& row, const QString& number);
    static QString label(const Position& p) { return label(p.row, p.number); }
    // True when the typed position is the listed one.
    static bool matches(const Position& p, const QString& typed);

    // False on an archive made before the positions were listed.
    static bool available(db::Database& db);
    static QList<Position> ofArea(db::Database& db, qint64 areaId);
    static QList<PositionOccupancy> occupancy(db::Database& db, qint64 areaId);
    static QList<UnlistedBurial> unlisted(db::Database& db, qint64 areaId);

    // A position needs a row or a number.
    static std::optional<common::Failure> validate(const QVariantMap& record);
    // Deletes one position of an area's list, in one transaction.
    static void remove(db::Database& db, qint64 positionId);
    // Deletes the positions of an area (with the area itself).
    static void removeOfArea(db::Database& db, qint64 areaId);
};

} // namespace cemetery
