#pragma once

#include "common/Interaction.h"

#include <QDate>
#include <QString>
#include <optional>

namespace app {

// The "Dalla data" / "Alla data" range of the history tab.
struct HistoryRange {
    QDate from;
    QDate to;

    // Reads the two boxes (dd/MM/yyyy). The first failing check wins: start
    // missing, end missing, a date that does not exist, then (when
    // sameYear) the two dates in different years.
    static std::optional<common::Failure> read(const QString& fromText, const QString& toText,
                                               bool sameYear, HistoryRange* range);

    // "WHERE <column> >= #m/d/yyyy# AND <column> <= #m/d/yyyy 23.59.59#".
    QString condition(const QString& column = QStringLiteral("Data")) const;
};

} // namespace app
