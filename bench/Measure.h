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

    double median() const;
    double slowest() const;
};

// Runs `work` `count` times and records each run, and the statements a run
// sent to `db` when one is given.
Timing measure(const QString& name, int count, const std::function<void()>& work,
               db::Database* db = nullptr);

// The largest resident size the process reached, in megabytes.
double peakMemoryMb();

} // namespace bench
