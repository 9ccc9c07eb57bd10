#pragma once

#include "accounting/VatPeriod.h"
#include "common/Interaction.h"

#include <QList>
#include <QString>
#include <QVariant>
#include <optional>

namespace db {
class Database;
}

namespace accounting {

// The three tables of a quarterly or monthly settlement and their columns.
struct SettlementTables {
    QString header;     // ContabilitaChiusuraIvaTrimestre / …Mensile
    QString rows;       // …Righe
    QString nonTaxable; // …RigheNonSoggetta
    QString parent;     // key column of the rows
    QString period;     // Trimestre / Mese
    QString carried;    // CreditoResiduoTrimestrePassato / …MesePassato
};
const SettlementTables& tablesOf(Frequency f);

enum class LineKind { Purchases, Sales, Takings };
QString lineKindName(LineKind k); // acquisti, vendite, corrispettivi

// One row of a settlement: a VAT code of one kind, amounts to the cent.
struct SettlementLine {
    qint64 vatId = 0;
    QString description;
    LineKind kind = LineKind::Sales;
    double taxable = 0;
    double vat = 0;
};

// A settlement's figures, all rounded to the cent.
struct Settlement {
    qint64 id = 0;
    int year = 0;
    int number = 0; // quarter or month
    double carried = 0;
    double purchasesTaxable = 0, purchasesVat = 0;
    double salesTaxable = 0, salesVat = 0;
    double takingsTaxable = 0, takingsVat = 0;
    double purchasesNonTaxable = 0, salesNonTaxable = 0, takingsNonTaxable = 0;
    double debit = 0, credit = 0;
    QList<SettlementLine> lines;      // taxable codes
    QList<SettlementLine> nonTaxable; // codes of nature N2.1 and N2.2 (vat 0)

    // Debit less credit less the carried credit: positive to pay, negative
    // a credit for the next period.
    double result() const;
};

class VatSettlement {
public:
    // The figures of a period from the archive, nothing written. The carried
    // credit comes from the stored settlement of the period before.
    static Settlement compute(db::Database& db, Frequency f, int year, int number);

    // "Calcola" on a stored settlement row: asks, checks year and period,
    // then replaces its totals and rows in one transaction.
    static std::optional<common::Failure> calculate(db::Database& db, common::Interaction& ui,
                                                    Frequency f, qint64 id, const QVariant& year,
                                                    const QVariant& number);
    // The same for a period, finding or adding its row; gives the figures.
    static Settlement calculatePeriod(db::Database& db, Frequency f, int year, int number);

    // A stored settlement with its rows.
    static Settlement load(db::Database& db, Frequency f, qint64 id);

    // "Aggiungi": the period after the last stored one (quarter or month 1
    // of `currentYear` when none), with the credit it carries; gives its key.
    static qint64 addNext(db::Database& db, Frequency f, int currentYear);

    // Removes a settlement with its rows.
    static void remove(db::Database& db, Frequency f, qint64 id);

private:
    static void store(db::Database& db, Frequency f, qint64 id, const Settlement& s);
};

} // namespace accounting
