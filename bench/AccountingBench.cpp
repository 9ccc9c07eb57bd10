#include "AccountingBench.h"

#include "accounting/VatRegisters.h"
#include "accounting/VatSettlement.h"
#include "db/Database.h"

#include <QRandomGenerator>

namespace bench {

namespace {

// The quarter before today's: a whole quarter of documents.
std::pair<int, int> lastQuarter(const QDate& today) {
    return accounting::previousPeriod(accounting::Frequency::Quarterly, today.year(),
                                      accounting::quarterOfMonth(today.month()));
}

// Every source of the settlement in one statement, summed per VAT code,
// written out by hand.
QString handSettlement() {
    const QString net = QStringLiteral("(r.Um * r.ValoreUnitario - CASE WHEN r.Sconto > 0 THEN "
                                       "0.01 * (r.Um * r.ValoreUnitario) * r.Sconto ELSE 0 END)");
    return QStringLiteral(
               "SELECT 1 as K, m.Iva_ID as C, sum(m.TotaleImponibile) as I, sum(CASE WHEN "
               "m.AliquotaIva >= 1 AND m.TotaleImponibile > 0 THEN m.TotaleImponibile * "
               "m.AliquotaIva * 0.01 ELSE 0 END) as V FROM Movimenti m INNER JOIN fattura f ON "
               "m.Fattura_ID = f.Id WHERE f.DataRegistrazione >= ? and f.DataRegistrazione <= ? "
               "and f.Carico = true and f.FattNota = false GROUP BY m.Iva_ID "
               "UNION ALL SELECT 2, n.Iva_Id, sum(n.TotaleImponibile), sum(n.TotaleImponibile) "
               "FROM NotaCreditoCaricoRighe n INNER JOIN fattura f ON n.NotaCredito_ID = f.Id "
               "WHERE f.DataRegistrazione >= ? and f.DataRegistrazione <= ? and f.Carico = true "
               "and f.FattNota = true GROUP BY n.Iva_Id "
               "UNION ALL SELECT 3, r.Iva_ID, sum(%1), sum(CASE WHEN r.AliquotaIva >= 1 AND %1 > "
               "0 THEN %1 * r.AliquotaIva * 0.01 ELSE 0 END) FROM fattdett r INNER JOIN fattura f "
               "ON r.NumFatt = f.Id WHERE f.Data >= ? and f.Data <= ? and f.Carico = false and "
               "f.FattNota = false and f.ScissionePagamenti = false GROUP BY r.Iva_ID "
               "UNION ALL SELECT 4, r.Iva_ID, sum(%1), sum(%1) FROM NotaCreditoRighe r INNER JOIN "
               "fattura f ON r.NotaCredito_ID = f.Id WHERE f.Data >= ? and f.Data <= ? and "
               "f.Carico = false and f.FattNota = true GROUP BY r.Iva_ID "
               "UNION ALL SELECT 5, Iva_Id, sum(Entrata), count(*) FROM finanzia WHERE "
               "Corrispettivi = true and Data >= ? and Data <= ? GROUP BY Iva_Id")
        .arg(net);
}

QString handRegisters() {
    return QStringLiteral(
        "SELECT f.Id, m.Iva_ID, m.ContabilitaConti_ID, sum(m.TotaleImponibile) as I FROM "
        "Movimenti m INNER JOIN fattura f ON m.Fattura_ID = f.Id WHERE f.DataRegistrazione >= ? "
        "and f.DataRegistrazione <= ? and f.Carico = true GROUP BY f.Id, m.Iva_ID, "
        "m.ContabilitaConti_ID UNION ALL SELECT f.Id, r.Iva_ID, r.ContabilitaConti_ID, "
        "sum(r.Um * r.ValoreUnitario) FROM fattdett r INNER JOIN fattura f ON r.NumFatt = f.Id "
        "WHERE f.Data >= ? and f.Data <= ? and f.Carico = false GROUP BY f.Id, r.Iva_ID, "
        "r.ContabilitaConti_ID");
}

} // namespace

void addAccountingDocuments(db::Database& db, const ArchiveSize& size, const QDate& today) {
    QRandomGenerator rnd(4711);
    const int perYear = qMax(1, size.invoicesPerYear / 3);
    db::Transaction tx(db);
    const QString header = QStringLiteral(
        "insert into fattura (Carico, FattNota, Storico, Data, DataRegistrazione, NumeroCarico, "
        "ProgressivoCarico, Fornitore) values (true, ?, false, ?, ?, ?, ?, 'Fornitore')");
    const QString row = QStringLiteral(
        "insert into %1 (%2, NumeroRiga, Um, ValoreUnitario, AliquotaIva, %3, TotaleImponibile, "
        "ContabilitaConti_ID, Scarico) values (?, ?, 1, ?, ?, ?, ?, 1, false)");
    const QString creditRow = QStringLiteral(
        "insert into NotaCreditoCaricoRighe (NotaCredito_ID, NumeroRiga, Um, ValoreUnitario, "
        "AliquotaIva, Iva_Id, TotaleImponibile, ContabilitaConti_ID) values (?, ?, 1, ?, ?, ?, ?, "
        "1)");
    const QString takings = QStringLiteral(
        "insert into finanzia (Data, Operazione, Entrata, Uscita, Tipologia_ID, Tipo, "
        "Corrispettivi, Iva_Id, AliquotaIva, Storico) values (?, 'Corrispettivi', ?, 0, 1, 'A', "
        "true, 1, 22, false)");
    for (int y = today.year() - size.years + 1; y <= today.year(); ++y) {
        const QDate first(y, 1, 1);
        const int days = y == today.year() ? qMax(1, first.daysTo(today)) : first.daysInYear();
        for (int i = 0; i < perYear; ++i) {
            const bool credit = i % 10 == 0;
            const QDate d = first.addDays(rnd.bounded(days));
            db.exec(header, {credit, d, d.addDays(rnd.bounded(20)), QString::number(i), i + 1});
            const qint64 id = db.lastIdentity();
            for (int r = 1; r <= 3; ++r) {
                const double amount = rnd.bounded(1, 100000) / 100.0;
                const int code = r == 3 ? 2 : 1;
                const double rate = code == 1 ? 22 : 10;
                if (credit)
                    db.exec(creditRow, {id, r, amount, rate, code, amount});
                else
                    db.exec(row.arg(QStringLiteral("Movimenti"), QStringLiteral("Fattura_ID"),
                                    QStringLiteral("Iva_ID")),
                            {id, r, amount, rate, code, amount});
            }
        }
        for (int i = 0; i < perYear; ++i)
            db.exec(takings, {first.addDays(rnd.bounded(days)), rnd.bounded(100, 50000) / 100.0});
    }
    tx.commit();
}

QList<Timing> accountingTimings(db::Database& db, const QDate& today, int runs) {
    const auto [year, quarter] = lastQuarter(today);
    const accounting::Period p =
        accounting::periodOf(accounting::Frequency::Quarterly, year, quarter);
    QVariantList binds;
    for (int i = 0; i < 5; ++i)
        binds << p.start() << p.end();
    QList<Timing> out;
    out << measure(
        QStringLiteral("Liquidazione Iva trimestrale (calcola e salva)"), runs,
        [&] {
            accounting::VatSettlement::calculatePeriod(db, accounting::Frequency::Quarterly, year,
                                                       quarter);
        },
        &db);
    out << measure(
        QStringLiteral("  aggregato scritto a mano, stesse fonti"), runs,
        [&] { db.query(handSettlement(), binds); }, &db);
    out << measure(
        QStringLiteral("Registri Iva acquisti e vendite di un trimestre"), runs,
        [&] {
            accounting::VatRegisters::fill(db, accounting::RegisterKind::Purchases, p);
            accounting::VatRegisters::fill(db, accounting::RegisterKind::Sales, p);
        },
        &db);
    out << measure(
        QStringLiteral("  aggregato scritto a mano, stesse righe"), runs,
        [&] {
            db.query(handRegisters(), {p.start(), p.end(), p.start(), p.end()});
        },
        &db);
    // What the two registers cannot go below: each is one action, one
    // transaction written to the archive, and a commit waits for the disk.
    out << measure(
        QStringLiteral("  due commit di una riga nelle tabelle di lavoro"), runs,
        [&] {
            for (int i = 0; i < 2; ++i) {
                db::Transaction tx(db);
                db.exec(
                    QStringLiteral("insert into TempContabilitaRegistroAcquistiTrimestre "
                                   "(NomeComputer, NumeroTrimestre) values ('BENCH-COMMIT', 0)"));
                db.exec(QStringLiteral("delete * from TempContabilitaRegistroAcquistiTrimestre "
                                       "where NomeComputer = 'BENCH-COMMIT'"));
                tx.commit();
            }
        },
        &db);
    return out;
}

} // namespace bench
