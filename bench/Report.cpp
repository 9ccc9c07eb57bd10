#include "Report.h"

#include <QJsonArray>
#include <QTextStream>

namespace bench {

namespace {

QString number(double v, int decimals = 1) {
    return QString::number(v, 'f', decimals);
}

qint64 invoices(const Stage& s) {
    for (const auto& [table, count] : s.rows)
        if (table == u"fattura")
            return count;
    return 0;
}

QJsonObject stageJson(const Stage& s) {
    QJsonObject archive;
    for (const auto& [table, count] : s.rows)
        archive.insert(table, count);
    QJsonArray operations;
    for (const Timing& t : s.timings) {
        QJsonObject o{{"name", t.name}};
        if (!t.note.isEmpty()) {
            o.insert("note", t.note);
        } else {
            o.insert("median_ms", t.median());
            o.insert("slowest_ms", t.slowest());
            o.insert("limit_ms", t.baseline.isEmpty() ? QJsonValue() : t.baselineMedian());
            o.insert("ratio", t.baseline.isEmpty() ? QJsonValue() : t.ratio());
            o.insert("archive_ms", t.archive.isEmpty() ? QJsonValue() : t.archiveMedian());
            o.insert("archive_ratio", t.baseline.isEmpty() ? QJsonValue() : t.archiveRatio());
            o.insert("statements", t.statements >= 0 ? QJsonValue(t.statements) : QJsonValue());
        }
        operations.append(o);
    }
    return {{"years", s.years},
            {"archive", archive},
            {"operations", operations},
            {"history_list_memory_mb", s.listMemoryMb},
            {"peak_memory_mb", s.peakMemoryMb}};
}

} // namespace

void printTable(QTextStream& out, const Stage& stage) {
    out << "Archivio di " << stage.years << " anni:";
    for (const auto& [table, count] : stage.rows)
        out << ' ' << table << ' ' << count;
    out << "\n\n";
    out << QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8\n")
               .arg(QStringLiteral("Operazione"), -48)
               .arg(QStringLiteral("mediana ms"), 11)
               .arg(QStringLiteral("massimo ms"), 11)
               .arg(QStringLiteral("a mano ms"), 10)
               .arg(QStringLiteral("rapporto"), 9)
               .arg(QStringLiteral("archivio ms"), 12)
               .arg(QStringLiteral("rapp. arch."), 12)
               .arg(QStringLiteral("istruzioni"), 11);
    for (const Timing& t : stage.timings) {
        if (!t.note.isEmpty()) {
            out << QStringLiteral("%1 %2\n").arg(t.name, -48).arg(t.note);
            continue;
        }
        const bool hand = !t.baseline.isEmpty();
        out << QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8\n")
                   .arg(t.name, -48)
                   .arg(t.median(), 11, 'f', 1)
                   .arg(t.slowest(), 11, 'f', 1)
                   .arg(hand ? number(t.baselineMedian(), 2) : QString(), 10)
                   .arg(hand ? number(t.ratio()) + u'x' : QString(), 9)
                   .arg(t.archive.isEmpty() ? QString() : number(t.archiveMedian(), 2), 12)
                   .arg(hand ? number(t.archiveRatio()) + u'x' : QString(), 12)
                   .arg(t.statements >= 0 ? QString::number(t.statements) : QString(), 11);
    }
    out << "\nMemoria con lo storico di tutti gli anni aperto: " << number(stage.listMemoryMb)
        << " MB; massima dell'intera prova: " << number(stage.peakMemoryMb) << " MB\n";
}

void printGrowth(QTextStream& out, const QList<Stage>& stages) {
    if (stages.size() < 2)
        return;
    const Stage& first = stages.first();
    out << "\nCrescita (mediana ms; tra parentesi quante volte quella a " << first.years
        << " anni)\n";
    QString header = QStringLiteral("%1").arg(QStringLiteral("Operazione"), -48);
    for (const Stage& s : stages)
        header += QStringLiteral(" %1").arg(QStringLiteral("%1 anni").arg(s.years), 16);
    out << header << '\n';
    QString archive = QStringLiteral("%1").arg(QStringLiteral("Fatture nell'archivio"), -48);
    for (const Stage& s : stages)
        archive += QStringLiteral(" %1").arg(
            QStringLiteral("%1 (%2x)")
                .arg(invoices(s))
                .arg(number(double(invoices(s)) / qMax<qint64>(1, invoices(first)))),
            16);
    out << archive << '\n';
    for (int i = 0; i < first.timings.size(); ++i) {
        if (!first.timings[i].note.isEmpty())
            continue;
        QString line = QStringLiteral("%1").arg(first.timings[i].name, -48);
        const double base = qMax(0.01, first.timings[i].median());
        for (const Stage& s : stages) {
            const double m = i < s.timings.size() ? s.timings[i].median() : 0;
            line += QStringLiteral(" %1").arg(
                QStringLiteral("%1 (%2x)").arg(number(m), number(m / base)), 16);
        }
        out << line << '\n';
    }
    QString memory =
        QStringLiteral("%1").arg(QStringLiteral("Memoria con lo storico aperto MB"), -48);
    for (const Stage& s : stages)
        memory += QStringLiteral(" %1").arg(number(s.listMemoryMb), 16);
    out << memory << '\n';
}

QJsonObject toJson(const QString& engine, const QList<Stage>& stages, const QStringList& scans) {
    QJsonObject o = stageJson(stages.last());
    o.insert("engine", engine);
    if (stages.size() > 1) {
        QJsonArray growth;
        for (const Stage& s : stages)
            growth.append(stageJson(s));
        o.insert("growth", growth);
    }
    o.insert("plans_scanning_large_tables", QJsonArray::fromStringList(scans));
    return o;
}

} // namespace bench
