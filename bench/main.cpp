// Times the operations an office waits on, on a synthetic archive of twenty
// years: start-up housekeeping, the big lists (each next to the same first
// screen read by hand through the engine's own library), a new invoice, a
// row of a long invoice, its FatturaPA file. Prints a table, how the figures
// grow with the archive, and on SQLite every plan that reads a large table
// from end to end.

#include "AccountingBench.h"
#include "ListBench.h"
#include "Measure.h"
#include "NativeReader.h"
#include "PlanReport.h"
#include "ReceivedFiles.h"
#include "Report.h"
#include "SyntheticArchive.h"
#include "app/DemoArchive.h"
#include "app/StartupSequence.h"
#include "common/LocalTimeZone.h"
#include "common/ScriptedInteraction.h"
#include "db/Database.h"
#include "db/DbError.h"
#include "db/Schema.h"
#include "documents/DocumentDeletion.h"
#include "documents/DocumentRows.h"
#include "documents/DocumentStore.h"
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
#include <QJsonDocument>
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

QList<std::pair<QString, qint64>> rowCounts(db::Database& db) {
    QList<std::pair<QString, qint64>> out;
    for (const char* table : {"fattura", "fattdett", "NotaCreditoRighe", "FatturaScadenze",
                              "Clienti", "Defunti", "ContrattiTestata", "finanzia", "Movimenti",
                              "Ddt", "PreventiTestata", "TotaliCo", "prezziar"}) {
        const QString name = QString::fromLatin1(table);
        out.append({name, db.scalar(QStringLiteral("select count(*) from ") + name).toLongLong()});
    }
    return out;
}

struct Run {
    db::Database& db;
    ui::AppContext& context;
    common::ScriptedInteraction& interaction;
    bench::PlanReport& plans;
    QDate today;
    int runs;

    // Measures one action, its statements kept for the query plans.
    Timing time(const QString& name, int count, const std::function<void()>& work) {
        plans.watch(name);
        Timing t = measure(name, count, work, &db);
        plans.stop();
        return t;
    }

    QList<Timing> singleActions(const bench::SyntheticFacts& facts) {
        QList<Timing> timings;
        QList<qint64> created;
        timings << time(QStringLiteral("Nuova fattura (numero, scadenze)"), runs, [&] {
            created << documents::DocumentStore::create(
                db, documents::DocumentKind::CustomerInvoice, {false, QString(), today});
        });
        int next = 0;
        timings << time(QStringLiteral("Eliminazione di una fattura"), runs, [&] {
            documents::DocumentDeletion::remove(db, documents::DocumentKind::CustomerInvoice,
                                                created.value(next++));
        });
        timings << time(QStringLiteral("Totali e scadenze di una fattura di 100 righe"), runs,
                        [&] { documents::DocumentStore::recalculateNow(db, facts.largeInvoice); });
        QVariantMap customerRow = documents::DocumentRows::load(
            db, documents::DocumentKind::CustomerInvoice,
            db.scalar(QStringLiteral("select max(IDX) from fattdett where NumFatt = ?"),
                      {facts.largeInvoice})
                .toLongLong());
        timings << time(QStringLiteral("Riga di una fattura di 100 righe: salvataggio"), runs, [&] {
            documents::DocumentRows::save(db, documents::DocumentKind::CustomerInvoice,
                                          facts.largeInvoice, customerRow);
        });
        const qint64 purchase =
            db.scalar(QStringLiteral("select max(Id) from fattura where Carico = true and "
                                     "FattNota = false"))
                .toLongLong();
        QVariantMap supplierRow = purchases::SupplierRows::load(
            db, purchases::DocumentKind::SupplierInvoice,
            db.scalar(QStringLiteral("select max(ID) from Movimenti where Fattura_ID = ?"),
                      {purchase})
                .toLongLong());
        timings << time(QStringLiteral("Riga di fattura fornitore: salvataggio"), runs, [&] {
            purchases::SupplierRows::save(db, purchases::DocumentKind::SupplierInvoice, purchase,
                                          supplierRow);
        });
        return timings;
    }

    Timing exportTiming(const bench::SyntheticFacts& facts, const QString& xml) {
        QString failure;
        Timing t = time(QStringLiteral("FatturaPA di una fattura di 100 righe"), runs, [&] {
            QFile::remove(xml);
            const einvoice::FatturaPaExport::Result r =
                einvoice::FatturaPaExport::run(db, interaction, {facts.largeInvoice, xml});
            if (!r.written)
                failure = r.failure;
        });
        if (!failure.isEmpty())
            t.note = QStringLiteral("non eseguita: ") + failure;
        return t;
    }

    // Received electronic invoices: a month's worth and more in one go.
    Timing importTiming(const QString& folder) {
        const QList<purchases::ReceivedEntry> received =
            purchases::ReceivedBatch::expand({bench::writeReceivedFiles(folder, 1000)});
        int refused = 0;
        Timing t =
            time(QStringLiteral("Importazione di 1.000 fatture ricevute (xml e p7m)"), 1, [&] {
                for (const purchases::ReceivedEntry& e : received)
                    if (purchases::FatturaPaImport::importEntry(db, interaction, e).status ==
                        purchases::ImportOutcome::Status::Refused)
                        ++refused;
            });
        if (refused > 0)
            t.note = QStringLiteral("%1 file rifiutati").arg(refused);
        return t;
    }
};

} // namespace

int main(int argc, char** argv) {
    common::readTimeZoneOnce();
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
    const QCommandLineOption scaleOption(
        QStringLiteral("scale"),
        QStringLiteral("Frazione dell'archivio pieno: 200.000 fatture in 20 anni (1)"),
        QStringLiteral("f"), QStringLiteral("1"));
    const QCommandLineOption runsOption(QStringLiteral("runs"),
                                        QStringLiteral("Ripetizioni di ogni operazione (5)"),
                                        QStringLiteral("n"), QStringLiteral("5"));
    const QCommandLineOption growthOption(
        QStringLiteral("growth"),
        QStringLiteral("Misura a 5, 10 e 20 anni sullo stesso archivio che cresce"));
    const QCommandLineOption jsonOption(QStringLiteral("json"),
                                        QStringLiteral("Stampa le misure come un oggetto JSON"));
    const QCommandLineOption statementsOption(
        QStringLiteral("statements"), QStringLiteral("Stampa ogni istruzione delle operazioni"));
    const QCommandLineOption noImportOption(
        QStringLiteral("no-import"), QStringLiteral("Salta l'importazione delle fatture ricevute"));
    parser.addOptions({archiveOption, yearsOption, scaleOption, runsOption, growthOption,
                       jsonOption, statementsOption, noImportOption});
    parser.process(app);

    QTextStream out(stdout);
    QTextStream err(stderr);
    QTemporaryDir scratch;
    const QString archive = parser.isSet(archiveOption)
                                ? parser.value(archiveOption)
                                : scratch.filePath(QStringLiteral("sintetico.db"));
    bench::ArchiveSize size;
    size.years = qMax(1, parser.value(yearsOption).toInt());
    size.scale = qBound(0.001, parser.value(scaleOption).toDouble(), 10.0);
    const int runs = qMax(1, parser.value(runsOption).toInt());
    const bool json = parser.isSet(jsonOption);
    const QDate today = QDate::currentDate();
    QList<int> stages{size.years};
    if (parser.isSet(growthOption))
        stages = {qMin(5, size.years), qMin(10, size.years), size.years};
    stages.erase(std::unique(stages.begin(), stages.end()), stages.end());

    try {
        db::Database db;
        db.setWorkstation(QStringLiteral("BENCH"));
        db.open(archive, db::Database::OpenMode::CreateIfMissing);
        if (db::Schema::currentVersion(db) != 0) {
            err << "L'archivio " << db.displayName() << " non è vuoto\n";
            return 2;
        }
        db::Schema::upgrade(db);
        app::DemoArchive::fill(db);
        bench::SyntheticArchive synthetic(db, size, today);
        bench::NativeReader native(db);
        common::ScriptedInteraction interaction;
        ui::AppContext context;
        context.db = &db;
        context.interaction = &interaction;
        bench::PlanReport plans(db);
        Run run{db, context, interaction, plans, today, runs};

        QList<bench::Stage> results;
        int filled = 0;
        for (int years : stages) {
            bench::Stage stage;
            stage.years = years;
            const int first = today.year() - years + 1;
            stage.timings << measure(
                QStringLiteral("Creazione dell'archivio sintetico (%1 anni in più)")
                    .arg(years - filled),
                1, [&] { synthetic.addYears(first, today.year() - filled); });
            filled = years;
            stage.rows = rowCounts(db);

            const QStringList housekeeping = app::StartupSequence::historyStatements(today) +
                                             app::StartupSequence::paidFlagStatements();
            stage.timings << run.time(
                QStringLiteral("Avvio: storico e rate pagate (dopo la creazione)"), 1,
                [&] { runStatements(db, housekeeping); });
            // The first start of a year: last year's documents go to history.
            for (const char* table : {"fattura", "finanzia", "Ddt", "PreventiTestata", "TotaliCo"})
                db.exec(QStringLiteral("UPDATE %1 SET Storico = false WHERE Data >= ? and Data < ?")
                            .arg(QString::fromLatin1(table)),
                        {QDate(today.year() - 1, 1, 1), QDate(today.year(), 1, 1)});
            stage.timings << run.time(
                QStringLiteral("Avvio: primo dell'anno (un anno allo storico)"), 1,
                [&] { runStatements(db, housekeeping); });
            stage.timings << run.time(QStringLiteral("Avvio: storico e rate pagate"), runs,
                                      [&] { runStatements(db, housekeeping); });
            stage.timings << run.time(QStringLiteral("Avvio: promemoria scadenze"), runs,
                                      [&] { app::StartupSequence::dueInstalments(db, today); });
            stage.timings << bench::listTimings(context, first, today, runs, native, plans);
            stage.listMemoryMb = bench::historyListMemoryMb(context, first, today);
            stage.timings << run.singleActions(synthetic.facts());
            stage.timings << run.exportTiming(
                synthetic.facts(), scratch.filePath(QStringLiteral("IT01234567897_00001.xml")));
            stage.timings << bench::accountingTimings(db, today, runs);
            if (years == stages.last() && !parser.isSet(noImportOption))
                stage.timings << run.importTiming(scratch.filePath(QStringLiteral("ricevute")));
            stage.peakMemoryMb = bench::peakMemoryMb();
            if (!json) {
                bench::printTable(out, stage);
                out << '\n';
                out.flush();
            }
            results << stage;
        }
        if (parser.isSet(statementsOption) && !json)
            for (const QString& s : plans.statements())
                out << s << '\n';
        const QStringList scans = plans.scans();
        if (json) {
            out << QJsonDocument(bench::toJson(db.engine() == db::Engine::PostgreSQL
                                                   ? QStringLiteral("PostgreSQL")
                                                   : QStringLiteral("SQLite"),
                                               results, scans))
                       .toJson(QJsonDocument::Indented);
            return 0;
        }
        bench::printGrowth(out, results);
        if (db.engine() == db::Engine::SQLite) {
            out << "\nPiani che leggono per intero una tabella grande: " << scans.size() << '\n';
            for (const QString& s : scans)
                out << s << '\n';
        }
    } catch (const db::DbError& e) {
        err << e.message() << '\n' << e.details() << '\n';
        return 1;
    }
    return 0;
}
