#pragma once

#include "Measure.h"

#include <QJsonObject>
#include <QList>
#include <QStringList>
#include <utility>

class QTextStream;

namespace bench {

// The figures of the archive at one size.
struct Stage {
    int years = 0;
    QList<std::pair<QString, qint64>> rows; // table → rows
    QList<Timing> timings;
    double listMemoryMb = 0; // held while the history list is open
    double peakMemoryMb = 0;
};

void printTable(QTextStream& out, const Stage& stage);
// How each figure grew from the smallest archive to each larger one,
// next to how the archive grew.
void printGrowth(QTextStream& out, const QList<Stage>& stages);
// The last stage's figures, and the earlier ones under "growth".
QJsonObject toJson(const QString& engine, const QList<Stage>& stages, const QStringList& scans);

} // namespace bench
