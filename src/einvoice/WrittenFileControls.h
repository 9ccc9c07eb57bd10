#pragma once

#include <QByteArray>
#include <QStringList>

namespace einvoice {

// The exchange-system controls that need nothing but the file, run on the
// bytes the writer produced: a net under the checks made on the document's
// values, so that a fault of the writer itself is stopped too. Each problem
// is one line, "Errore <codice> - ...", in Italian.
class WrittenFileControls {
public:
    // The exchange system takes files of at most 5 MB.
    static constexpr qint64 maxBytes = 5 * 1024 * 1024;

    // The controls on the content: parties, numbers, dates, rates, natures,
    // withholding, discounts and the arithmetic of rows and summaries.
    static QStringList problems(const QByteArray& xml);
    // 00003; empty when the file is small enough.
    static QString sizeProblem(const QByteArray& xml);
    // The lines of found whose error code is not already among said.
    static QStringList notYetSaid(const QStringList& said, const QStringList& found);
};

} // namespace einvoice
