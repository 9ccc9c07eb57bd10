// Times the operations an office waits on, on a synthetic archive of twenty
// years: start-up housekeeping, the big lists, a new invoice, the totals of a
// long invoice, its FatturaPA file. Prints a table and the peak memory.

#include "AccountingBench.h"
#include "Measure.h"
#include "ReceivedFiles.h"
#include "SyntheticArchive.h"
#include "app/DemoArchive.h"
#include "app/StartupSequence.h"
#include "cemetery/ui/ContractList.h"
#include "cemetery/ui/DeceasedScreens.h"
#include "common/ScriptedInteraction.h"
#include "db/Database.h"
#include "db/DbError.h"
#include "db/Schema.h"
#include "documents/DocumentDeletion.h"
#include "documents/DocumentRows.h"
#include "documents/DocumentStore.h"
#include "documents/ui/InvoiceList.h"
#include "einvoice/FatturaPaExport.h"
#include "purchases/FatturaPaImport.h"
#include "purchases/ReceivedBatch.h"
#include "purchases/SupplierDocuments.h"
#include "purchases/SupplierRows.h"
#include "ui/AppContext.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

using bench::measure;
using bench::Timing;

void runStatements(db::Database& db, const QStringList& statements) {
    db::Transaction tx(db);
    for (const QString& s : statements)
        db.exec(s);
    tx.commit();
}

void print(QTextStream& out, const QList<Timing>& timings) {
    out << QStringLiteral("%1 %2 %3 %4\n")
               .arg(QStringLiteral("Operazione"), -48)
               .arg(QStringLiteral("mediana ms"), 12)
               .arg(QStringLiteral("massimo ms"), 12)
               .arg(QStringLiteral("istruzioni"), 11);
    for (const Timing& t : timings) {
        if (!t.note.isEmpty()) {
            out << QStringLiteral("%1 %2\n").arg(t.name, -48).arg(t.note);
            continue;
        }
        out << QStringLiteral("%1 %2 %3 %4\n")
                   .arg(t.name, -48)
                   .arg(t.median(), 12, 'f', 1)
                   .arg(t.slowest(), 12, 'f', 1)
                   .arg(t.statements >= 0 ? QString::number(t.statements) : QString(), 11);
    }
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Misura i tempi delle operazioni principali su un archivio sintetico."));
    parser.addHelpOption();
    const QCommandLineOption archiveOption(
        QStringLiteral("archive"),
        QStringLiteral("Archivio vuoto da usare: file SQLite o indirizzo postgresql://"),
        QStringLiteral("archivio"));
    const QCommandLineOption yearsOption(QStringLiteral("years"),
                                         QStringLiteral("Anni di documenti (20)"),
                                         QStringLiteral("n"), QStringLiteral("20"));
    const QCommandLineOption invoicesOption(QStringLiteral("invoices-per-year"),
                                            QStringLiteral("Fatture per anno (2500)"),
                                            QStringLiteral("n"), QStringLiteral("2500"));
    const QCommandLineOption runsOption(QStringLiteral("runs"),
                                        QStringLiteral("Ripetizioni di ogni operazione (5)"),
                                        QStringLiteral("n"), QStringLiteral("5"));
    parser.addOptions({archiveOption, yearsOption, invoicesOption, runsOption});
    parser.process(app);

    QTextStream out(stdout);
    QTextStream err(stderr);
    QTemporaryDir scratch;
    const QString archive = parser.isSet(archiveOption)
                                ? parser.value(archiveOption)
                                : scratch.filePath(QStringLiteral("sintetico.db"));
    bench::ArchiveSize size;
    size.years = qMax(1, parser.value(yearsOption).toInt());
    size.invoicesPerYear = qMax(1, parser.value(invoicesOption).toInt());
    const int runs = qMax(1, parser.value(runsOption).toInt());
    const QDate today = QDate::currentDate();

    try {
        db::Database db;
        db.setWorkstation(QStringLiteral("BENCH"));
        db.open(archive, db::Database::OpenMode::CreateIfMissing);
        if (db::Schema::currentVersion(db) != 0) {
            err << "L'archivio " << db.displayName() << " non è vuoto\n";
            return 2;
        }
        QList<Timing> timings;
        bench::SyntheticFacts facts;
        timings << measure(QStringLiteral("Creazione dell'archivio sintetico"), 1, [&] {
            db::Schema::upgrade(db);
            app::DemoArchive::fill(db);
            facts = bench::SyntheticArchive::fill(db, size, today);
            bench::addAccountingDocuments(db, size, today);
        });

        common::ScriptedInteraction interaction;
        ui::AppContext context;
        context.db = &db;
        context.interaction = &interaction;

        const QStringList housekeeping = app::StartupSequence::historyStatements(today) +
                                         app::StartupSequence::paidFlagStatements();
        timings << measure(
            QStringLiteral("Avvio: storico e rate pagate (prima volta)"), 1,
            [&] { runStatements(db, housekeeping); }, &db);
        timings << measure(
            QStringLiteral("Avvio: storico e rate pagate"), runs,
            [&] { runStatements(db, housekeeping); }, &db);
        timings << measure(
            QStringLiteral("Avvio: promemoria scadenze"), runs,
            [&] { app::StartupSequence::dueInstalments(db, today); }, &db);

        timings << measure(
            QStringLiteral("Elenco fatture: apertura"), runs,
            [&] {
                documents::ui::InvoiceList list(context, documents::DocumentKind::CustomerInvoice);
            },
            &db);
        {
            ui::AppContext history = context;
            history.history = true;
            history.historyFrom = QDate(today.year() - size.years + 1, 1, 1);
            history.historyTo = today;
            timings << measure(
                QStringLiteral("Elenco fatture: storico di tutti gli anni"), runs,
                [&] {
                    documents::ui::InvoiceList list(history,
                                                    documents::DocumentKind::CustomerInvoice);
                },
                &db);
        }
        timings << measure(
            QStringLiteral("Elenco defunti: apertura"), runs,
            [&] { cemetery::ui::DeceasedList list(context); }, &db);
        timings << measure(
            QStringLiteral("Elenco contratti: apertura"), runs,
            [&] { cemetery::ui::ContractList list(context); }, &db);

        QList<qint64> created;
        timings << measure(
            QStringLiteral("Nuova fattura (numero, scadenze)"), runs,
            [&] {
                created << documents::DocumentStore::create(
                    db, documents::DocumentKind::CustomerInvoice, {false, QString(), today});
            },
            &db);
        int next = 0;
        timings << measure(
            QStringLiteral("Eliminazione di una fattura"), runs,
            [&] {
                documents::DocumentDeletion::remove(db, documents::DocumentKind::CustomerInvoice,
                                                    created.value(next++));
            },
            &db);
        timings << measure(
            QStringLiteral("Totali e scadenze di una fattura di 40 righe"), runs,
            [&] { documents::DocumentStore::recalculateNow(db, facts.largeInvoice); }, &db);

        const QString xml = scratch.filePath(QStringLiteral("IT01234567897_00001.xml"));
        QString exportFailure;
        Timing exportTiming = measure(
            QStringLiteral("FatturaPA di una fattura di 40 righe"), runs,
            [&] {
                QFile::remove(xml);
                const einvoice::FatturaPaExport::Result r =
                    einvoice::FatturaPaExport::run(db, interaction, {facts.largeInvoice, xml});
                if (!r.written)
                    exportFailure = r.failure;
            },
            &db);
        if (!exportFailure.isEmpty())
            exportTiming.note = QStringLiteral("non eseguita: ") + exportFailure;
        timings << exportTiming;

        // Received electronic invoices: a month's worth and more in one go.
        const QList<purchases::ReceivedEntry> received = purchases::ReceivedBatch::expand(
            {bench::writeReceivedFiles(scratch.filePath(QStringLiteral("ricevute")), 1000)});
        int refused = 0;
        Timing importTiming = measure(
            QStringLiteral("Importazione di 1.000 fatture ricevute (xml e p7m)"), 1,
            [&] {
                for (const purchases::ReceivedEntry& e : received)
                    if (purchases::FatturaPaImport::importEntry(db, interaction, e).status ==
                        purchases::ImportOutcome::Status::Refused)
                        ++refused;
            },
            &db);
        if (refused > 0)
            importTiming.note = QStringLiteral("%1 file rifiutati").arg(refused);
        timings << importTiming;

        // One row saved on a 40-row document, supplier side and customer side.
        const qint64 purchase = db.scalar(QStringLiteral("select max(Id) from fattura where "
                                                         "Carico = true"))
                                    .toLongLong();
        QVariantMap supplierRow =
            purchases::SupplierRows::load(db, purchases::DocumentKind::SupplierInvoice,
                                          db.scalar(QStringLiteral("select max(ID) from Movimenti "
                                                                   "where Fattura_ID = ?"),
                                                    {purchase})
                                              .toLongLong());
        timings << measure(
            QStringLiteral("Riga di fattura fornitore: salvataggio"), runs,
            [&] {
                purchases::SupplierRows::save(db, purchases::DocumentKind::SupplierInvoice,
                                              purchase, supplierRow);
            },
            &db);
        QVariantMap customerRow = documents::DocumentRows::load(
            db, documents::DocumentKind::CustomerInvoice,
            db.scalar(QStringLiteral("select max(IDX) from fattdett where NumFatt = ?"),
                      {facts.largeInvoice})
                .toLongLong());
        timings << measure(
            QStringLiteral("Riga di fattura cliente: salvataggio"), runs,
            [&] {
                documents::DocumentRows::save(db, documents::DocumentKind::CustomerInvoice,
                                              facts.largeInvoice, customerRow);
            },
            &db);

        out << "Archivio: " << db.displayName() << '\n'
            << "Fatture: " << db.scalar(QStringLiteral("select count(*) from fattura")).toLongLong()
            << ", righe: "
            << db.scalar(QStringLiteral("select count(*) from fattdett")).toLongLong() << ", rate: "
            << db.scalar(QStringLiteral("select count(*) from FatturaScadenze")).toLongLong()
            << ", defunti: "
            << db.scalar(QStringLiteral("select count(*) from Defunti")).toLongLong()
            << ", contratti: "
            << db.scalar(QStringLiteral("select count(*) from ContrattiTestata")).toLongLong()
            << "\n\n";
        timings << bench::accountingTimings(db, today, runs);
        print(out, timings);
        out << "\nMemoria massima: " << QString::number(bench::peakMemoryMb(), 'f', 1) << " MB\n";
    } catch (const db::DbError& e) {
        err << e.message() << '\n';
        return 1;
    }
    return 0;
}
