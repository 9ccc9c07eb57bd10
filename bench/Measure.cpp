#include "Measure.h"

#include "db/Database.h"

#include <QElapsedTimer>
#include <algorithm>
#include <sys/resource.h>

namespace bench {

double Timing::median() const {
    if (runs.isEmpty())
        return 0;
    QList<double> sorted = runs;
    std::sort(sorted.begin(), sorted.end());
    const qsizetype mid = sorted.size() / 2;
    return sorted.size() % 2 ? sorted.at(mid) : (sorted.at(mid - 1) + sorted.at(mid)) / 2;
}

double Timing::slowest() const {
    return runs.isEmpty() ? 0 : *std::max_element(runs.begin(), runs.end());
}

Timing measure(const QString& name, int count, const std::function<void()>& work,
               db::Database* db) {
    Timing t{name, {}, {}};
    for (int i = 0; i < count; ++i) {
        const quint64 before = db ? db->statementCount() : 0;
        QElapsedTimer clock;
        clock.start();
        work();
        t.runs.append(clock.nsecsElapsed() / 1e6);
        if (db)
            t.statements = qint64(db->statementCount() - before);
    }
    return t;
}

double peakMemoryMb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0; // kilobytes on Linux
}

} // namespace bench
