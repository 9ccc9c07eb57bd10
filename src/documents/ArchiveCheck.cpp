#include "documents/ArchiveCheck.h"

#include "common/Money.h"
#include "common/TextForms.h"
#include "documents/DocumentOptions.h"
#include "documents/DocumentTotals.h"
#include "documents/InstalmentSchedule.h"

#include <QHash>
#include <QMap>
#include <cmath>

namespace documents {

namespace {

// The document families checked, with how a header is named.
struct Family {
    TotalsFamily totals;
    QString name;         // "Fattura", "DDT", …
    QString numberColumn; // Num, Numero, NumeroInterno
    bool series = false;  // SerieFatturazione is part of the number
    QString condition;    // which headers of the table belong to the family
};

const QList<Family>& families() {
    static const QList<Family> list{
        {TotalsFamily::Invoice, QStringLiteral("Fattura"), QStringLiteral("Num"), true,
         QStringLiteral("Carico = false and FattNota = false")},
        {TotalsFamily::CreditNote, QStringLiteral("Nota di credito"), QStringLiteral("Num"), true,
         QStringLiteral("Carico = false and FattNota = true")},
        {TotalsFamily::Ddt, QStringLiteral("DDT"), QStringLiteral("Numero"), true, QString()},
        {TotalsFamily::Quote, QStringLiteral("Preventivo"), QStringLiteral("Numero"), false,
         QString()},
        {TotalsFamily::CustomerOrder, QStringLiteral("Ordine cliente"),
         QStringLiteral("NumeroInterno"), false, QString()},
        {TotalsFamily::Receipt, QStringLiteral("Buono"), QStringLiteral("Numero"), false,
         QString()},
    };
    return list;
}

// "Fattura n° 7/A del 15/03/2026", with what the header has of it.
QString documentName(const QString& kind, const QVariant& number, const QString& series,
                     const QDate& date) {
    QString s = kind;
    if (!number.isNull() && !number.toString().isEmpty()) {
        s += QStringLiteral(" n° ") + number.toString();
        if (!series.trimmed().isEmpty())
            s += u'/' + series.trimmed();
    } else {
        s += QStringLiteral(" senza numero");
    }
    if (date.isValid())
        s += QStringLiteral(" del ") + common::italianDate(date);
    return s;
}

QString documentName(const Family& f, const db::Row& h) {
    return documentName(f.name, h.value(f.numberColumn),
                        f.series ? h.text(QStringLiteral("SerieFatturazione")) : QString(),
                        h.date(QStringLiteral("Data")));
}

// The name of a fattura header of any kind.
QString fatturaName(const db::Row& h) {
    const bool carico = h.boolean(QStringLiteral("Carico"));
    const bool note = h.boolean(QStringLiteral("FattNota"));
    QString kind = note ? QStringLiteral("Nota di credito") : QStringLiteral("Fattura");
    if (carico)
        kind += QStringLiteral(" fornitore");
    const QVariant number =
        carico ? h.value(QStringLiteral("NumeroCarico")) : h.value(QStringLiteral("Num"));
    return documentName(kind, number,
                        carico ? QString() : h.text(QStringLiteral("SerieFatturazione")),
                        h.date(QStringLiteral("Data")));
}

bool differ(double a, double b) {
    return std::fabs(a - b) >= 0.005;
}

QString euro(double amount) {
    return common::euroText(amount);
}

QString where(const QString& condition) {
    return condition.isEmpty() ? QString() : QStringLiteral(" where ") + condition;
}

} // namespace

QStringList ArchiveCheck::run(db::Database& db) {
    QStringList problems = engineIntegrity(db);
    problems += rowsWithoutHeader(db);
    problems += totals(db);
    problems += instalments(db);
    problems += duplicateNumbers(db);
    problems += cashBook(db);
    problems += contractRows(db);
    return problems;
}

QStringList ArchiveCheck::engineIntegrity(db::Database& db) {
    QStringList problems;
    if (db.engine() != db::Engine::SQLite)
        return problems;
    const db::Result r = db.queryNative(QStringLiteral("PRAGMA integrity_check"));
    // One row per problem, a row may hold several lines; the engine's own
    // words follow the Italian prefix.
    for (const db::Row& row : r)
        for (const QString& line : row.value(0).toString().split(u'\n', Qt::SkipEmptyParts)) {
            const QString text = line.trimmed();
            if (text.compare(QLatin1String("ok"), Qt::CaseInsensitive) == 0 ||
                text.startsWith(QLatin1String("***")))
                continue;
            problems.append(QStringLiteral("File dell'archivio danneggiato: %1").arg(text));
        }
    return problems;
}

QStringList ArchiveCheck::rowsWithoutHeader(db::Database& db) {
    QStringList problems;
    for (const Family& f : families()) {
        const DocumentTotals::Member& m = DocumentTotals::member(f.totals);
        // Credit-note rows need a credit note, invoice rows an invoice: the
        // two share the header table.
        QString join = QStringLiteral("%1.%2 = %3.Id").arg(m.rows, m.parent, m.header);
        if (!f.condition.isEmpty())
            join +=
                QStringLiteral(" and %1.FattNota = %2")
                    .arg(m.header, f.totals == TotalsFamily::CreditNote ? QStringLiteral("true")
                                                                        : QStringLiteral("false"));
        const db::Result r =
            db.query(QStringLiteral("SELECT %1.%2 AS Documento, count(*) AS Righe FROM %1 LEFT "
                                    "JOIN %3 ON %4 WHERE %3.Id IS NULL GROUP BY %1.%2")
                         .arg(m.rows, m.parent, m.header, join));
        for (const db::Row& row : r) {
            const QString parent = row.isNull(QStringLiteral("Documento"))
                                       ? QStringLiteral("nessuno")
                                       : row.value(QStringLiteral("Documento")).toString();
            problems.append(QStringLiteral("%1 righe di %2 senza il documento (%3 %4 mancante)")
                                .arg(row.integer(QStringLiteral("Righe")))
                                .arg(f.name, m.parent, parent));
        }
    }
    const db::Result r = db.query(
        QStringLiteral("SELECT FatturaScadenze.Fattura_ID AS Documento, count(*) AS Rate FROM "
                       "FatturaScadenze LEFT JOIN fattura ON FatturaScadenze.Fattura_ID = "
                       "fattura.Id WHERE fattura.Id IS NULL GROUP BY FatturaScadenze.Fattura_ID"));
    for (const db::Row& row : r)
        problems.append(QStringLiteral("%1 rate senza il documento (Fattura_ID %2 mancante)")
                            .arg(row.integer(QStringLiteral("Rate")))
                            .arg(row.isNull(QStringLiteral("Documento"))
                                     ? QStringLiteral("nessuno")
                                     : row.value(QStringLiteral("Documento")).toString()));
    return problems;
}

QStringList ArchiveCheck::totals(db::Database& db) {
    QStringList problems;
    const DocumentOptions options = DocumentOptions::load(db);
    for (const Family& f : families()) {
        const DocumentTotals::Member& m = DocumentTotals::member(f.totals);
        // Every row of the family at once, by header.
        QHash<qint64, QList<TotalsRow>> rowsOf;
        const db::Result rows = db.query(
            QStringLiteral("SELECT %1 AS Documento, Um, ValoreUnitario, Sconto, AliquotaIva FROM "
                           "%2 ORDER BY %1, NumeroRiga")
                .arg(m.parent, m.rows));
        for (const db::Row& r : rows)
            rowsOf[r.integer(QStringLiteral("Documento"))].append(
                {r.isNull(QStringLiteral("Um")) ? QVariant() : r.value(QStringLiteral("Um")),
                 r.number(QStringLiteral("ValoreUnitario")), r.number(QStringLiteral("Sconto")),
                 r.number(QStringLiteral("AliquotaIva"))});

        const db::Result headers = db.query(
            QStringLiteral("SELECT * FROM %1%2 ORDER BY Id").arg(m.header, where(f.condition)));
        for (const db::Row& h : headers) {
            const QList<TotalsRow> docRows = rowsOf.value(h.integer(QStringLiteral("Id")));
            const bool asked = m.withholding && h.boolean(QStringLiteral("RitAccontoAziende"));
            const double stamp = h.number(QStringLiteral("ImportoMarcaBollo"));
            const Totals t =
                DocumentTotals::compute(docRows, f.totals, options, asked, stamp, false);
            const double taxable = h.number(QStringLiteral("TotImponibile"));
            const double vat = h.number(QStringLiteral("TotImposta"));
            const double withholding =
                m.withholding ? h.number(QStringLiteral("RitenutaAcconto")) : 0.0;
            const double total = h.number(m.totalColumn);
            QStringList wrong;
            if (differ(taxable, t.taxable))
                wrong.append(QStringLiteral("imponibile %1 invece di %2")
                                 .arg(euro(taxable), euro(t.taxable)));
            if (differ(vat, t.vat))
                wrong.append(QStringLiteral("imposta %1 invece di %2").arg(euro(vat), euro(t.vat)));
            // Withholding and stamp depend on options that may have changed
            // since: the total is checked against the header's own ones.
            const double expected = common::round2(taxable + vat - withholding + stamp);
            bool totalOk = !differ(total, expected);
            // A credit note whose rows were imported from an invoice keeps
            // the plain sum of its rows, rounded once.
            if (!totalOk && f.totals == TotalsFamily::CreditNote)
                totalOk = !differ(total, DocumentTotals::computeImported(docRows).total);
            if (!totalOk)
                wrong.append(
                    QStringLiteral("totale %1 invece di %2").arg(euro(total), euro(expected)));
            if (!wrong.isEmpty())
                problems.append(QStringLiteral("%1: totali diversi dalle righe (%2)")
                                    .arg(documentName(f, h), wrong.join(QStringLiteral(", "))));
        }
    }
    return problems;
}

QStringList ArchiveCheck::instalments(db::Database& db) {
    QStringList problems;
    QHash<qint64, QPair<int, double>> sums; // document: count, sum
    const db::Result r = db.query(
        QStringLiteral("SELECT Fattura_ID, Importo FROM FatturaScadenze WHERE Fattura_ID IS NOT "
                       "NULL ORDER BY Fattura_ID, Numero"));
    for (const db::Row& row : r) {
        auto& s = sums[row.integer(QStringLiteral("Fattura_ID"))];
        ++s.first;
        s.second += row.number(QStringLiteral("Importo"));
    }
    const db::Result headers =
        db.query(QStringLiteral("SELECT * FROM fattura WHERE Carico = false ORDER BY Id"));
    for (const db::Row& h : headers) {
        const auto it = sums.constFind(h.integer(QStringLiteral("Id")));
        if (it == sums.constEnd())
            continue;
        const double toPay = InstalmentSchedule::amountToPay(
            h.number(QStringLiteral("TotFattura")), h.number(QStringLiteral("TotImponibile")),
            h.number(QStringLiteral("ImportoMarcaBollo")),
            h.boolean(QStringLiteral("ScissionePagamenti")));
        if (differ(common::round2(it->second), toPay))
            problems.append(QStringLiteral("%1: le rate (%2) sommano %3 invece di %4")
                                .arg(fatturaName(h))
                                .arg(it->first)
                                .arg(euro(it->second), euro(toPay)));
    }
    return problems;
}

QStringList ArchiveCheck::duplicateNumbers(db::Database& db) {
    QStringList problems;
    const db::Result r = db.query(QStringLiteral(
        "SELECT Id, Carico, FattNota, Num, SerieFatturazione, Data FROM fattura WHERE Carico = "
        "false AND Num IS NOT NULL AND (NonNumerare = false OR NonNumerare IS NULL) ORDER BY "
        "Data, Id"));
    // kind, series, year, number → the documents holding it
    QMap<std::tuple<bool, QString, int, qint64>, QStringList> holders;
    for (const db::Row& h : r) {
        const QDate date = h.date(QStringLiteral("Data"));
        holders[{h.boolean(QStringLiteral("FattNota")),
                 h.text(QStringLiteral("SerieFatturazione")).trimmed().toUpper(),
                 date.isValid() ? date.year() : 0, h.integer(QStringLiteral("Num"))}]
            .append(fatturaName(h));
    }
    for (auto it = holders.cbegin(); it != holders.cend(); ++it)
        if (it.value().size() > 1)
            problems.append(QStringLiteral("Numero %1 usato da più documenti dello stesso anno: %2")
                                .arg(std::get<3>(it.key()))
                                .arg(it.value().join(QStringLiteral(", "))));
    return problems;
}

QStringList ArchiveCheck::cashBook(db::Database& db) {
    QStringList problems;
    const auto movementName = [](const db::Row& row) {
        QString s = QStringLiteral("Movimento di prima nota");
        const QDate date = row.date(QStringLiteral("Data"));
        if (date.isValid())
            s += QStringLiteral(" del ") + common::italianDate(date);
        const QString what = row.text(QStringLiteral("Operazione")).simplified();
        if (!what.isEmpty())
            s += QStringLiteral(" \"") + what + u'"';
        return s;
    };
    const db::Result docs = db.query(QStringLiteral(
        "SELECT finanzia.Data, finanzia.Operazione, finanzia.Fattura_ID FROM finanzia LEFT JOIN "
        "fattura ON finanzia.Fattura_ID = fattura.Id WHERE finanzia.Fattura_ID > 0 AND "
        "fattura.Id IS NULL ORDER BY finanzia.ID"));
    for (const db::Row& row : docs)
        problems.append(QStringLiteral("%1: il documento %2 che indica non esiste")
                            .arg(movementName(row))
                            .arg(row.integer(QStringLiteral("Fattura_ID"))));
    const db::Result instalments = db.query(QStringLiteral(
        "SELECT finanzia.Data, finanzia.Operazione, finanzia.FatturaScadenze_Id FROM finanzia "
        "LEFT JOIN FatturaScadenze ON finanzia.FatturaScadenze_Id = FatturaScadenze.Id WHERE "
        "finanzia.FatturaScadenze_Id > 0 AND FatturaScadenze.Id IS NULL ORDER BY finanzia.ID"));
    for (const db::Row& row : instalments)
        problems.append(QStringLiteral("%1: la rata %2 che indica non esiste")
                            .arg(movementName(row))
                            .arg(row.integer(QStringLiteral("FatturaScadenze_Id"))));
    return problems;
}

QStringList ArchiveCheck::contractRows(db::Database& db) {
    QStringList problems;
    const db::Result r = db.query(QStringLiteral(
        "SELECT ContrattiRighe.Testata_ID, ContrattiRighe.NumeroRiga, ContrattiRighe.Fattura_ID "
        "FROM ContrattiRighe LEFT JOIN fattura ON ContrattiRighe.Fattura_ID = fattura.Id WHERE "
        "ContrattiRighe.Fattura_ID > 0 AND fattura.Id IS NULL ORDER BY ContrattiRighe.IDX"));
    for (const db::Row& row : r) {
        const db::Result contract =
            db.query(QStringLiteral("SELECT Numero, Data FROM ContrattiTestata WHERE Id = ?"),
                     {row.integer(QStringLiteral("Testata_ID"))});
        const QString name =
            contract.empty()
                ? QStringLiteral("Contratto %1 (mancante)")
                      .arg(row.integer(QStringLiteral("Testata_ID")))
                : documentName(QStringLiteral("Contratto"),
                               contract.first().value(QStringLiteral("Numero")), QString(),
                               contract.first().date(QStringLiteral("Data")));
        problems.append(QStringLiteral("%1, riga %2: la fattura %3 che indica non esiste")
                            .arg(name)
                            .arg(row.integer(QStringLiteral("NumeroRiga")))
                            .arg(row.integer(QStringLiteral("Fattura_ID"))));
    }
    return problems;
}

} // namespace documents
