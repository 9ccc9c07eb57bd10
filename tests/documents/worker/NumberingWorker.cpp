// Creates documents on a shared archive as one workstation would, for the
// numbering concurrency test:
// numbering_worker <archive> <count> [credit|ddt|quote|order|receipt]
// The workstation name comes from OSSARION_WORKSTATION.

#include "db/Database.h"
#include "db/DbError.h"
#include "db/Schema.h"
#include "documents/DocumentStore.h"
#include "documents/SalesDocuments.h"

#include <QCoreApplication>
#include <QHash>
#include <QTextStream>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3)
        return 2;
    try {
        db::Schema::loadCatalog();
        db::Database db;
        db.open(args[1]);
        const int count = args[2].toInt();
        using documents::DocumentKind;
        const QString which = args.size() > 3 ? args[3] : QString();
        const QHash<QString, DocumentKind> sales{
            {QStringLiteral("ddt"), DocumentKind::Ddt},
            {QStringLiteral("quote"), DocumentKind::Quote},
            {QStringLiteral("order"), DocumentKind::CustomerOrder},
            {QStringLiteral("receipt"), DocumentKind::Receipt}};
        if (sales.contains(which)) {
            for (int i = 0; i < count; ++i)
                documents::SalesDocuments::create(db, sales.value(which), {});
            return 0;
        }
        const auto kind = which == QLatin1String("credit") ? DocumentKind::CustomerCreditNote
                                                           : DocumentKind::CustomerInvoice;
        for (int i = 0; i < count; ++i)
            documents::DocumentStore::create(db, kind, {});
    } catch (const db::DbError& e) {
        QTextStream(stderr) << e.message() << '\n';
        return 1;
    }
    return 0;
}
