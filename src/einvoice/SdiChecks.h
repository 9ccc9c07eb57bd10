#pragma once

#include "einvoice/DocumentLines.h"

#include <QStringList>

namespace einvoice {

// What the exchange-system controls need of the document header.
struct SdiHeader {
    QString format;        // FPA12 / FPR12
    QString recipientCode; // CodiceDestinatario as written
    bool splitPayment = false;
};

// The arithmetic and nature controls the exchange system runs on receipt,
// run on the values about to be written. Each problem is one line: the
// error code and what is wrong, in Italian.
class SdiChecks {
public:
    using Header = SdiHeader;

    static QStringList problems(const std::vector<LineValues>& lines,
                                const std::vector<SummaryGroup>& summaries,
                                const Header& header = {});
    // The Yes/No box that lists the problems.
    static QString title();
    static QString question(const QStringList& problems);
};

} // namespace einvoice
