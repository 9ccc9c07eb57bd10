#pragma once

#include "Measure.h"

#include <QDate>

namespace ui {
struct AppContext;
}

namespace bench {

class NativeReader;
class PlanReport;

// Opens every big list to its first screen and reads the same screen by
// one hand-written statement through the engine's own library.
QList<Timing> listTimings(::ui::AppContext& context, int firstYear, const QDate& today, int runs,
                          NativeReader& native, PlanReport& plans);

// The memory held while the history of every year is open, in megabytes.
double historyListMemoryMb(::ui::AppContext& context, int firstYear, const QDate& today);

} // namespace bench
