#pragma once

#include "einvoice/DocumentLines.h"
#include "einvoice/ExportSource.h"

#include <QDate>
#include <QStringList>

namespace einvoice {

// The exchange-system controls on the parties and the dates of a file, run
// before it is written; the arithmetic and nature controls are SdiChecks.
// Each problem is one line with its code, in Italian.
class FileControls {
public:
    static QStringList problems(const ExportSource& source, const std::vector<LineValues>& lines,
                                const std::vector<SummaryGroup>& summaries,
                                const QDate& today = QDate::currentDate());
};

} // namespace einvoice
