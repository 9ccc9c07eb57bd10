#pragma once

#include "common/Interaction.h"
#include "db/Database.h"
#include "documents/DocumentKind.h"
#include "documents/DocumentOptions.h"

#include <QDate>
#include <QString>
#include <optional>

namespace documents {

// Numbers of customer invoices and credit notes: the next Num of a
// sequence, the transmission number, and the date-order check.
class Numbering {
public:
    // The lock taken before reading "max + 1" numbers, so that two
    // workstations creating documents at once never get the same number.
    // The transmission number runs over every document, hence one scope.
    static QString lockName() { return QStringLiteral("numerazione fattura"); }

    // Next Num: the last one of the kind (or of both kinds with single
    // numbering of credit notes), of the series when series are in use and
    // one is given, among documents not in history and not left out of the
    // numbering; 1 when there is none. Call inside the write transaction
    // after db.lockScope(lockName()).
    static int nextNumber(db::Database& db, DocumentKind kind, const QString& series,
                          const DocumentOptions& options);
    // Next DatiTrasmissione_NumeroInterno, over the whole table.
    static int nextTransmissionNumber(db::Database& db);

    // The warning to show when the document before this one (lower Num, same
    // year, same series and kind) is dated after `date`; nothing otherwise
    // or when the number or the date is missing.
    static std::optional<QString> dateOrderWarning(db::Database& db, DocumentKind kind,
                                                   const QVariant& number, const QDate& date,
                                                   const QString& series,
                                                   const DocumentOptions& options);
    // The same, shown through the interaction (editing continues).
    static bool checkDateOrder(db::Database& db, common::Interaction& ui, DocumentKind kind,
                               const QVariant& number, const QDate& date, const QString& series);
    static QString dateOrderTitle() {
        return QStringLiteral("Attenzione si sta registrando un documento in modo errato");
    }
};

} // namespace documents
