#include "Measure.h"

#include "db/Database.h"

#include <QElapsedTimer>
#include <QFile>
#include <algorithm>
#include <sys/resource.h>

namespace bench {

namespace {

double medianOf(const QList<double>& runs) {
    if (runs.isEmpty())
        return 0;
    QList<double> sorted = runs;
    std::sort(sorted.begin(), sorted.end());
    const qsizetype mid = sorted.size() / 2;
    return sorted.size() % 2 ? sorted.at(mid) : (sorted.at(mid - 1) + sorted.at(mid)) / 2;
}

} // namespace

double Timing::median() const {
    return medianOf(runs);
}

double Timing::baselineMedian() const {
    return medianOf(baseline);
}

double Timing::ratio() const {
    const double b = baselineMedian();
    return b > 0 ? median() / b : 0;
}

double Timing::archiveMedian() const {
    return medianOf(archive);
}

double Timing::archiveRatio() const {
    const double b = baselineMedian();
    return b > 0 ? archiveMedian() / b : 0;
}

double Timing::slowest() const {
    return runs.isEmpty() ? 0 : *std::max_element(runs.begin(), runs.end());
}

Timing measure(const QString& name, int count, const std::function<void()>& work, db::Database* db,
               const std::function<void()>& prepare) {
    Timing t{name, {}, {}};
    for (int i = 0; i < count; ++i) {
        if (prepare)
            prepare();
        const quint64 before = db ? db->statementCount() : 0;
        const quint64 busy = db ? db->busyNanoseconds() : 0;
        QElapsedTimer clock;
        clock.start();
        work();
        t.runs.append(clock.nsecsElapsed() / 1e6);
        if (db) {
            t.statements = qint64(db->statementCount() - before);
            t.archive.append((db->busyNanoseconds() - busy) / 1e6);
        }
    }
    return t;
}

double peakMemoryMb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0; // kilobytes on Linux
}

} // namespace bench

namespace bench {

double currentMemoryMb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return 0;
}

} // namespace bench
