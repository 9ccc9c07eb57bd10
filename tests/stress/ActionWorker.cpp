// One workstation at work on a shared archive, for the crash and the
// concurrency tests: action_worker <archive> <seed> <seconds>
// It creates invoices and credit notes for the archive's customers, adds
// rows to them (totals and instalments follow), and deletes some with all
// that hangs on them, until the time is up or it is killed. Each action is
// one transaction; a line per finished action goes to standard output, and
// any other error the user would have seen to standard error (exit status 1).
// The workstation name comes from OSSARION_WORKSTATION.

#include "db/Database.h"
#include "db/DbError.h"
#include "db/Schema.h"
#include "documents/DocumentDeletion.h"
#include "documents/DocumentRows.h"
#include "documents/DocumentStore.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTextStream>

using documents::DocumentKind;

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 4)
        return 2;
    QRandomGenerator random(args[2].toUInt());
    const qint64 limit = args[3].toLongLong() * 1000;
    QTextStream out(stdout);
    try {
        db::Schema::loadCatalog();
        db::Database db;
        db.open(args[1]);
        const QList<qint64> customers = [&] {
            QList<qint64> ids;
            for (const db::Row& r : db.query(QStringLiteral("select ID from Clienti")))
                ids.append(r.integer(QStringLiteral("ID")));
            return ids;
        }();
        if (customers.isEmpty())
            throw db::DbError(QStringLiteral("Nessun cliente nell'archivio"));
        QElapsedTimer clock;
        clock.start();
        // Another workstation may delete the document this one is filling:
        // the user is told so, and that is the one message allowed.
        const auto gone = [](const QString& text) {
            return text.startsWith(QStringLiteral("Il documento non esiste più"));
        };
        while (limit <= 0 || clock.elapsed() < limit) {
            try {
                const int pick = random.bounded(10);
                if (pick < 2) {
                    // Deletes one of the documents this archive holds.
                    const db::Result some = db.query(
                        QStringLiteral(
                            "select top 1 Id, FattNota from fattura where Carico = false "
                            "and Id >= ? order by Id"),
                        {random.bounded(
                            1,
                            1 + db.scalar(QStringLiteral("select max(Id) from fattura")).toInt())});
                    if (some.empty())
                        continue;
                    const db::Row& d = some.first();
                    documents::DocumentDeletion::remove(db,
                                                        d.boolean(QStringLiteral("FattNota"))
                                                            ? DocumentKind::CustomerCreditNote
                                                            : DocumentKind::CustomerInvoice,
                                                        d.integer(QStringLiteral("Id")));
                    out << "deleted\n";
                } else {
                    const DocumentKind kind =
                        pick < 4 ? DocumentKind::CustomerCreditNote : DocumentKind::CustomerInvoice;
                    const qint64 id = documents::DocumentStore::create(db, kind, {});
                    QVariantMap header = documents::DocumentStore::load(db, id);
                    documents::DocumentStore::chooseCustomer(
                        db, kind, header, customers[random.bounded(int(customers.size()))]);
                    const int rows = random.bounded(1, 4);
                    for (int i = 0; i < rows; ++i) {
                        QVariantMap row{
                            {QStringLiteral("Descrizione"), QStringLiteral("Servizio")},
                            {QStringLiteral("Um"), random.bounded(1, 5)},
                            {QStringLiteral("ValoreUnitario"), random.bounded(100, 200000) / 100.0},
                            {QStringLiteral("Sconto"), 0},
                            {QStringLiteral("AliquotaIva"), 22},
                            {QStringLiteral("TipoRiga"), QStringLiteral("A")},
                            {QStringLiteral("NumeroRiga"), i + 1}};
                        if (const auto f = documents::DocumentRows::save(db, kind, id, row))
                            throw db::DbError(f->text);
                    }
                    out << "created\n";
                }
                out.flush();
            } catch (const db::DbError& e) {
                if (!gone(e.message()))
                    throw;
                out << "gone\n";
            }
        }
    } catch (const db::DbError& e) {
        QTextStream(stderr) << e.message() << '\n' << e.details() << '\n';
        return 1;
    }
    return 0;
}
