#include "accounting/VatRegisters.h"

#include "accounting/VatSources.h"
#include "common/SqlText.h"
#include "common/Titles.h"
#include "db/Database.h"

namespace accounting {

namespace {

struct Source {
    QString rows;      // row table
    QString parent;    // its column pointing to fattura
    QString vat;       // its VAT code column
    QString net;       // net amount of a row (SQL)
    QString condition; // which documents
    int sign;          // credit notes count negative
};

struct RegisterTables {
    QString lines;
    QString quarters;
    QString dateColumn;
    QStringList labels;
    QList<Source> sources;
};

const RegisterTables& tablesOf(RegisterKind kind) {
    static const RegisterTables purchases{
        QStringLiteral("TempContabilitaRegistroAcquisti"),
        QStringLiteral("TempContabilitaRegistroAcquistiTrimestre"),
        QStringLiteral("fattura.DataRegistrazione"),
        {QStringLiteral(" Primo Trimestre "), QStringLiteral(" Secondo Trimestre "),
         QStringLiteral(" Terzo Trimestre "), QStringLiteral(" Quarto Trimestre ")},
        {{QStringLiteral("Movimenti"), QStringLiteral("Fattura_ID"), QStringLiteral("Iva_ID"),
          QStringLiteral("Movimenti.TotaleImponibile"),
          QLatin1String(kinds::supplierInvoice) + QStringLiteral(" and ") +
              QLatin1String(kinds::stockRow),
          1},
         {QStringLiteral("NotaCreditoCaricoRighe"), QStringLiteral("NotaCredito_ID"),
          QStringLiteral("Iva_Id"), QStringLiteral("NotaCreditoCaricoRighe.TotaleImponibile"),
          QLatin1String(kinds::supplierCredit), -1}}};
    static const RegisterTables sales{
        QStringLiteral("TempContabilitaRegistroVendite"),
        QStringLiteral("TempContabilitaRegistroVenditeTrimestre"),
        QStringLiteral("fattura.Data"),
        {QStringLiteral(" Primo Trimestre "), QStringLiteral(" Secondo Trimestre "),
         QStringLiteral(" terzo Trimestre "), QStringLiteral(" Quarto Trimestre ")},
        {{QStringLiteral("fattdett"), QStringLiteral("NumFatt"), QStringLiteral("Iva_ID"),
          customerRowNetSql(QStringLiteral("fattdett")), QLatin1String(kinds::customerInvoice), 1},
         {QStringLiteral("NotaCreditoRighe"), QStringLiteral("NotaCredito_ID"),
          QStringLiteral("Iva_ID"), customerRowNetSql(QStringLiteral("NotaCreditoRighe")),
          QLatin1String(kinds::customerCredit), -1}}};
    return kind == RegisterKind::Purchases ? purchases : sales;
}

QString periodClause(const RegisterTables& t) {
    return QStringLiteral("%1 >= ? and %1 <= ?").arg(t.dateColumn);
}

} // namespace

std::optional<common::Failure> VatRegisters::checkDates(const QDate& from, const QDate& to) {
    if (!from.isValid())
        return common::Failure{
            common::titles::warningUrgent,
            QStringLiteral("Attenzione E' necessario definire la data di inizio..."),
            QStringLiteral("DallaData")};
    if (!to.isValid())
        return common::Failure{
            common::titles::warningUrgent,
            QStringLiteral("Attenzione E' necessario definire la data di fine..."),
            QStringLiteral("AllaData")};
    if (from.year() != to.year())
        return common::Failure{
            common::titles::warningUrgent,
            QStringLiteral("Attenzione E' necessario che la data di inizio e la data di fine "
                           "abbiano lo stesso anno..."),
            QStringLiteral("AllaData")};
    return std::nullopt;
}

std::optional<common::Failure> VatRegisters::checkLinks(db::Database& db, RegisterKind kind,
                                                        const Period& p) {
    const RegisterTables& t = tablesOf(kind);
    const bool purchases = kind == RegisterKind::Purchases;
    for (const Source& s : t.sources) {
        const QString columns = purchases ? QStringLiteral("fattura.DataRegistrazione as Quando, "
                                                           "fattura.NumeroCarico as Numero, "
                                                           "fattura.Fornitore as Chi")
                                          : QStringLiteral("fattura.Data as Quando, fattura.Num "
                                                           "as Numero, fattura.Cliente as Chi");
        const db::Result r = db.query(
            QStringLiteral("SELECT DISTINCT %1, fattura.Id FROM %2 INNER JOIN fattura ON %2.%3 = "
                           "fattura.Id WHERE %4 and (%2.ContabilitaConti_ID Is Null or "
                           "%2.ContabilitaConti_ID = 0) AND %5 ORDER BY fattura.Id")
                .arg(columns, s.rows, s.parent, periodClause(t), s.condition),
            {p.start(), p.end()});
        if (r.empty())
            continue;
        const bool credit = s.sign < 0;
        QString text =
            QStringLiteral("Le seguenti %1 hanno alcune righe senza collegato il conto "
                           "di riferimento ! Prego verificare e correggere prima di "
                           "andare avanti:\n")
                .arg(credit ? QStringLiteral("Note di Credito") : QStringLiteral("fatture"));
        for (const db::Row& row : r) {
            const QString date =
                row.date(QStringLiteral("Quando")).toString(QStringLiteral("dd/MM/yyyy"));
            const QString line =
                purchases ? QStringLiteral("Data Registrazione:%1  Numero:%2  Fornitore:%3\n")
                : credit  ? QStringLiteral("Data :%1  Numero:%2  Cliente:%3\n")
                          : QStringLiteral("Data:%1  Numero:%2  Cliente:%3\n");
            text +=
                line.arg(date, row.text(QStringLiteral("Numero")), row.text(QStringLiteral("Chi")));
        }
        return common::Failure{common::titles::warningUrgent, text, QString()};
    }
    return std::nullopt;
}

std::optional<common::Failure> VatRegisters::prepare(db::Database& db, RegisterKind kind,
                                                     const QDate& from, const QDate& to) {
    if (auto f = checkDates(from, to))
        return f;
    const Period p{from, to};
    if (auto f = checkLinks(db, kind, p))
        return f;
    fill(db, kind, p);
    return std::nullopt;
}

void VatRegisters::fill(db::Database& db, RegisterKind kind, const Period& p) {
    const RegisterTables& t = tablesOf(kind);
    const QString pc = common::sqlQuote(db.workstation());
    db::Transaction tx(db);
    db.exec(QStringLiteral("delete * from %1 where NomeComputer = ?").arg(t.lines),
            {db.workstation()});
    db.exec(QStringLiteral("delete * from %1 where NomeComputer = ?").arg(t.quarters),
            {db.workstation()});
    // Every source in one set-based insert: one row per document, VAT code
    // and account.
    QStringList selects;
    QVariantList binds;
    for (const Source& s : t.sources) {
        const QString vat = rowVatSql(s.net, s.rows + QStringLiteral(".AliquotaIva"));
        const QString sign = QString::number(s.sign);
        selects << QStringLiteral("SELECT '%1', (month(%2) + 2) / 3, %3.ContabilitaConti_ID, "
                                  "fattura.Id, %3.%4, %5 * sum(%6), %5 * sum(%7), "
                                  "%5 * (sum(%6) + sum(%7)) "
                                  "FROM %3 INNER JOIN fattura ON %3.%8 = fattura.Id "
                                  "WHERE %9 and %10 "
                                  "GROUP BY %2, fattura.Id, %3.%4, %3.ContabilitaConti_ID")
                       .arg(pc, t.dateColumn, s.rows, s.vat, sign, s.net, vat, s.parent,
                            periodClause(t))
                       .arg(s.condition);
        binds << p.start() << p.end();
    }
    db.exec(QStringLiteral("INSERT INTO %1 (NomeComputer, TempTrimestreNumero, "
                           "ContabilitaConti_ID, Fattura_ID, Iva_ID, TotaleImponibile, "
                           "TotaleImposta, Totale) ")
                    .arg(t.lines) +
                selects.join(QStringLiteral(" UNION ALL ")),
            binds);
    // The four quarters, rounded as every figure of the settlement, in one
    // insert.
    QHash<int, db::Row> sums;
    for (const db::Row& r :
         db.query(QStringLiteral("SELECT TempTrimestreNumero as N, sum(TotaleImponibile) as "
                                 "Imponibile, sum(TotaleImposta) as Imposta FROM %1 WHERE "
                                 "NomeComputer = ? GROUP BY TempTrimestreNumero")
                      .arg(t.lines),
                  {db.workstation()}))
        sums.insert(int(r.integer(QStringLiteral("N"))), r);
    QStringList rows;
    QVariantList values;
    for (int q = 1; q <= 4; ++q) {
        const db::Row r = sums.value(q);
        const double taxable = r.has(QStringLiteral("Imponibile"))
                                   ? roundSum(r.number(QStringLiteral("Imponibile")))
                                   : 0;
        const double vat =
            r.has(QStringLiteral("Imposta")) ? roundSum(r.number(QStringLiteral("Imposta"))) : 0;
        rows << QStringLiteral("(?, ?, ?, ?, ?, ?, ?)");
        values << db.workstation() << q << QDate(p.from.year(), (q - 1) * 3 + 1, 1)
               << t.labels[q - 1] << taxable << vat << roundSum(taxable + vat);
    }
    db.exec(QStringLiteral("INSERT INTO %1 (NomeComputer, NumeroTrimestre, Data, Descrizione, "
                           "TotaleImponibile, TotaleImposta, TotaleTrimestre) VALUES ")
                    .arg(t.quarters) +
                rows.join(QStringLiteral(", ")),
            values);
    tx.commit();
}

Register VatRegisters::read(db::Database& db, RegisterKind kind) {
    const RegisterTables& t = tablesOf(kind);
    Register out;
    for (const db::Row& r :
         db.query(QStringLiteral("select * from %1 where NomeComputer = ? order by "
                                 "TempTrimestreNumero, Fattura_ID, Iva_ID, ContabilitaConti_ID")
                      .arg(t.lines),
                  {db.workstation()}))
        out.lines.push_back(
            {int(r.integer(QStringLiteral("TempTrimestreNumero"))),
             r.integer(QStringLiteral("Fattura_ID")), r.integer(QStringLiteral("Iva_ID")),
             r.integer(QStringLiteral("ContabilitaConti_ID")),
             r.number(QStringLiteral("TotaleImponibile")),
             r.number(QStringLiteral("TotaleImposta")), r.number(QStringLiteral("Totale"))});
    for (const db::Row& r :
         db.query(QStringLiteral("select * from %1 where NomeComputer = ? order by NumeroTrimestre")
                      .arg(t.quarters),
                  {db.workstation()}))
        out.quarters.push_back({int(r.integer(QStringLiteral("NumeroTrimestre"))),
                                r.text(QStringLiteral("Descrizione")),
                                r.number(QStringLiteral("TotaleImponibile")),
                                r.number(QStringLiteral("TotaleImposta")),
                                r.number(QStringLiteral("TotaleTrimestre"))});
    return out;
}

} // namespace accounting
