#pragma once

#include "db/Database.h"
#include "documents/DocumentKind.h"

#include <QDate>
#include <QString>

namespace documents {

// The record of what happened to issued documents: who deleted one, changed
// its total after the electronic invoice left, exported or e-mailed it. Each
// entry is written inside the transaction of its action, so it exists
// exactly when the action happened; nothing removes entries but purge().
class DocumentLog {
public:
    enum class Event { Deleted, TotalChanged, Exported, Sent };

    // What the document was when the event happened.
    struct Document {
        QString kind; // "Fattura", "Nota di credito", "DDT", …
        qint64 id = 0;
        QString number; // as printed, with its series
        QDate date;
        QString party;
        double total = 0;
    };

    static QString eventText(Event event);
    static void record(db::Database& db, Event event, const Document& document,
                       const QString& details = {});
    // A customer or supplier invoice or credit note, read from its header.
    static void recordInvoice(db::Database& db, Event event, qint64 id,
                              const QString& details = {});
    static Document invoice(db::Database& db, qint64 id);
    // A delivery note, quote, customer order or receipt, read from its
    // header; kind empty when there is none.
    static Document salesDocument(db::Database& db, DocumentKind kind, qint64 id);
    static void recordSalesDocument(db::Database& db, Event event, DocumentKind kind, qint64 id,
                                    const QString& details = {});
    // "DDT", "Preventivo", "Ordine cliente", "Ricevuta".
    static QString kindName(DocumentKind kind);

    // The list's and the print's condition: entries of the days from..to
    // (either may be invalid: no bound), of one event and of one kind of
    // document (empty: all).
    static QString condition(const QDate& from, const QDate& to, const QString& event,
                             const QString& kind = {});
    // Every kind of document the record names, in the lists' order.
    static QStringList kindNames();

    // Removes the entries of the years before the last `years` ones (at
    // least 1); how many went.
    static int purge(db::Database& db, int years, const QDate& today = QDate::currentDate());
    // The person at the desk, as the system knows them.
    static QString userName();
};

} // namespace documents
