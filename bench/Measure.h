#pragma once

#include <QList>
#include <QString>
#include <functional>

namespace bench {

// The times of one operation run several times, in milliseconds.
struct Timing {
    QString name;
    QList<double> runs;
    QString note; // why the operation could not run, when it could not

    double median() const;
    double slowest() const;
};

// Runs `work` `count` times and records each run.
Timing measure(const QString& name, int count, const std::function<void()>& work);

// The largest resident size the process reached, in megabytes.
double peakMemoryMb();

} // namespace bench
