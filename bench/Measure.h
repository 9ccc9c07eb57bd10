#pragma once

#include <QList>
#include <QString>
#include <functional>

namespace db {
class Database;
}

namespace bench {

// The times of one operation run several times, in milliseconds.
struct Timing {
    QString name;
    QList<double> runs;
    QString note; // why the operation could not run, when it could not
    // Statements one run sent to the archive (the last run); -1 when not counted.
    qint64 statements = -1;
    // The same result read by one hand-written statement through the
    // engine's own library; empty when there is none.
    QList<double> baseline;
    // Of each run, the time spent in the archive layer and the engine.
    QList<double> archive;

    double baselineMedian() const;
    // median() / baselineMedian(), or 0 without a baseline.
    double ratio() const;
    double archiveMedian() const;
    // archiveMedian() / baselineMedian(): what the archive layer costs over
    // the engine, without the widgets.
    double archiveRatio() const;

    double median() const;
    double slowest() const;
};

// Runs `work` `count` times and records each run, and the statements a run
// sent to `db` when one is given. `prepare`, when given, runs before each
// run and is not timed.
Timing measure(const QString& name, int count, const std::function<void()>& work,
               db::Database* db = nullptr, const std::function<void()>& prepare = {});

// The largest resident size the process reached, in megabytes.
double peakMemoryMb();
// The resident size now, in megabytes.
double currentMemoryMb();

} // namespace bench
