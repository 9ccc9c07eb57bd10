#include "accounting/VatSettlement.h"

#include "accounting/VatSources.h"
#include "common/Money.h"
#include "common/Titles.h"
#include "db/Database.h"

namespace accounting {

namespace {

bool outsideScope(const QString& nature) {
    const QString n = nature.trimmed().toUpper();
    return n == u"N2.1" || n == u"N2.2";
}

SettlementLine lineOf(qint64 id, const QString& description, LineKind kind, const VatSum& s) {
    return {id, description, kind, roundSum(s.taxable), roundSum(s.vat)};
}

// Adds the line of one kind when the code has rows of that kind.
void addLine(QList<SettlementLine>& out, qint64 id, const QString& description, LineKind kind,
             const VatByCode& plus, const VatByCode* minus = nullptr) {
    const bool inPlus = plus.contains(id);
    const bool inMinus = minus && minus->contains(id);
    if (!inPlus && !inMinus)
        return;
    VatSum s = plus.value(id);
    if (inMinus)
        s -= minus->value(id);
    out.push_back(lineOf(id, description, kind, s));
}

double sumOf(const QList<SettlementLine>& lines, LineKind kind, bool vat) {
    double total = 0;
    for (const SettlementLine& l : lines)
        if (l.kind == kind)
            total += vat ? l.vat : l.taxable;
    return roundSum(total);
}

double carriedCredit(db::Database& db, Frequency f, int year, int number) {
    const SettlementTables& t = tablesOf(f);
    const auto [y, n] = previousPeriod(f, year, number);
    const db::Result r = db.query(QStringLiteral("SELECT %1, TotaleIvaDebito, TotaleIvaCredito "
                                                 "FROM %2 where Anno = ? and %3 = ?")
                                      .arg(t.carried, t.header, t.period),
                                  {y, n});
    if (r.empty())
        return 0;
    const db::Row& p = r.first();
    const double left =
        common::round2(p.number(QStringLiteral("TotaleIvaCredito")) + p.number(t.carried) -
                       p.number(QStringLiteral("TotaleIvaDebito")));
    return left >= 0 ? left : 0;
}

} // namespace

const SettlementTables& tablesOf(Frequency f) {
    static const SettlementTables quarterly{
        QStringLiteral("ContabilitaChiusuraIvaTrimestre"),
        QStringLiteral("ContabilitaChiusuraIvaTrimestreRighe"),
        QStringLiteral("ContabilitaChiusuraIvaTrimestreRigheNonSoggetta"),
        QStringLiteral("ContabilitaChiusuraIvaTrimestre_ID"),
        QStringLiteral("Trimestre"),
        QStringLiteral("CreditoResiduoTrimestrePassato")};
    static const SettlementTables monthly{
        QStringLiteral("ContabilitaChiusuraIvaMensile"),
        QStringLiteral("ContabilitaChiusuraIvaMensileRighe"),
        QStringLiteral("ContabilitaChiusuraIvaMensileRigheNonSoggetta"),
        QStringLiteral("ContabilitaChiusuraIvaMensile_ID"),
        QStringLiteral("Mese"),
        QStringLiteral("CreditoResiduoMesePassato")};
    return f == Frequency::Quarterly ? quarterly : monthly;
}

QString lineKindName(LineKind k) {
    switch (k) {
    case LineKind::Purchases:
        return QStringLiteral("acquisti");
    case LineKind::Sales:
        return QStringLiteral("vendite");
    case LineKind::Takings:
        return QStringLiteral("corrispettivi");
    }
    return {};
}

double Settlement::result() const {
    return common::round2(debit - credit - carried);
}

Settlement VatSettlement::compute(db::Database& db, Frequency f, int year, int number) {
    Settlement s;
    s.year = year;
    s.number = number;
    const VatSources src = VatSources::read(db, periodOf(f, year, number));
    for (const db::Row& code : db.query(
             QStringLiteral("SELECT ID, Descrizione, Pa_Natura_Codice FROM Iva order by ID"))) {
        const qint64 id = code.integer(QStringLiteral("ID"));
        const QString d = code.text(QStringLiteral("Descrizione"));
        QList<SettlementLine>& out =
            outsideScope(code.text(QStringLiteral("Pa_Natura_Codice"))) ? s.nonTaxable : s.lines;
        addLine(out, id, d, LineKind::Purchases, src.purchases, &src.supplierCredits);
        addLine(out, id, d, LineKind::Sales, src.sales, &src.customerCredits);
        addLine(out, id, d, LineKind::Takings, src.takings);
    }
    for (SettlementLine& l : s.nonTaxable)
        l.vat = 0;
    s.purchasesTaxable = sumOf(s.lines, LineKind::Purchases, false);
    s.purchasesVat = sumOf(s.lines, LineKind::Purchases, true);
    s.salesTaxable = sumOf(s.lines, LineKind::Sales, false);
    s.salesVat = sumOf(s.lines, LineKind::Sales, true);
    s.takingsTaxable = sumOf(s.lines, LineKind::Takings, false);
    s.takingsVat = sumOf(s.lines, LineKind::Takings, true);
    s.purchasesNonTaxable = sumOf(s.nonTaxable, LineKind::Purchases, false);
    s.salesNonTaxable = sumOf(s.nonTaxable, LineKind::Sales, false);
    s.takingsNonTaxable = sumOf(s.nonTaxable, LineKind::Takings, false);
    s.debit = common::round2(s.salesVat + s.takingsVat);
    s.credit = common::round2(s.purchasesVat);
    s.carried = carriedCredit(db, f, year, number);
    return s;
}

void VatSettlement::store(db::Database& db, Frequency f, qint64 id, const Settlement& s) {
    const SettlementTables& t = tablesOf(f);
    db.update(t.header, id,
              {{QStringLiteral("Anno"), s.year},
               {t.period, s.number},
               {t.carried, s.carried},
               {QStringLiteral("TotaleIvaDebito"), s.debit},
               {QStringLiteral("TotaleIvaCredito"), s.credit},
               {QStringLiteral("AcquistiImponibile"), s.purchasesTaxable},
               {QStringLiteral("AcquistiImposta"), s.purchasesVat},
               {QStringLiteral("VenditaImponibile"), s.salesTaxable},
               {QStringLiteral("VenditaImposta"), s.salesVat},
               {QStringLiteral("CorrispettiviImponibile"), s.takingsTaxable},
               {QStringLiteral("CorrispettiviImposta"), s.takingsVat},
               {QStringLiteral("AcquistiImponibileNonSoggetta"), s.purchasesNonTaxable},
               {QStringLiteral("VenditaImponibileNonSoggetta"), s.salesNonTaxable},
               {QStringLiteral("CorrispettiviImponibileNonSoggetta"), s.takingsNonTaxable}});
    db.exec(QStringLiteral("delete * from %1 where %2 = ?").arg(t.rows, t.parent), {id});
    db.exec(QStringLiteral("delete * from %1 where %2 = ?").arg(t.nonTaxable, t.parent), {id});
    for (const SettlementLine& l : s.lines) {
        db.insert(t.rows, {{t.parent, id},
                           {QStringLiteral("Iva_ID"), l.vatId},
                           {QStringLiteral("IvaDescrizione"), l.description},
                           {QStringLiteral("Carico"), l.kind == LineKind::Purchases},
                           {QStringLiteral("Corrispettivi"), l.kind == LineKind::Takings},
                           {QStringLiteral("TotaleImponibile"), l.taxable},
                           {QStringLiteral("TotaleIva"), l.vat}});
    }
    for (const SettlementLine& l : s.nonTaxable) {
        db.insert(t.nonTaxable, {{t.parent, id},
                                 {QStringLiteral("Iva_ID"), l.vatId},
                                 {QStringLiteral("IvaDescrizione"), l.description},
                                 {QStringLiteral("Carico"), l.kind == LineKind::Purchases},
                                 {QStringLiteral("Corrispettivi"), l.kind == LineKind::Takings},
                                 {QStringLiteral("TotaleImponibile"), l.taxable}});
    }
}

std::optional<common::Failure> VatSettlement::calculate(db::Database& db, common::Interaction& ui,
                                                        Frequency f, qint64 id,
                                                        const QVariant& year,
                                                        const QVariant& number) {
    const bool quarterly = f == Frequency::Quarterly;
    if (!ui.question(common::titles::warning,
                     quarterly
                         ? QStringLiteral("Sei sicuro di voler ricalcolare questo Trimestre ?")
                         : QStringLiteral("Sei sicuro di voler ricalcolare questo mese ?")))
        return std::nullopt;
    bool yearOk = false;
    const QString yearText = year.toString().trimmed();
    const int y = yearText.toInt(&yearOk);
    if (yearText.size() != 4 || !yearOk)
        return common::Failure{
            common::titles::warningUrgent,
            QStringLiteral("Attenzione E' necessario definire correttamente l'anno di calcolo..."),
            QStringLiteral("Anno")};
    bool numberOk = false;
    const int n = number.toInt(&numberOk);
    if (!numberOk || n < 1 || n > (quarterly ? 4 : 12))
        return common::Failure{
            common::titles::warningUrgent,
            quarterly
                ? QStringLiteral("Attenzione E' necessario definire il trimestre di calcolo...")
                : QStringLiteral("Attenzione E' necessario definire il mese di calcolo..."),
            tablesOf(f).period};
    db::Transaction tx(db);
    store(db, f, id, compute(db, f, y, n));
    tx.commit();
    return std::nullopt;
}

Settlement VatSettlement::calculatePeriod(db::Database& db, Frequency f, int year, int number) {
    const SettlementTables& t = tablesOf(f);
    db::Transaction tx(db);
    db.lockScope(t.header);
    const QVariant found = db.scalar(
        QStringLiteral("SELECT min(Id) FROM %1 where Anno = ? and %2 = ?").arg(t.header, t.period),
        {year, number});
    const qint64 id =
        found.isNull() ? db.insert(t.header, {{QStringLiteral("Anno"), year}, {t.period, number}})
                       : found.toLongLong();
    Settlement s = compute(db, f, year, number);
    s.id = id;
    store(db, f, id, s);
    tx.commit();
    return s;
}

Settlement VatSettlement::load(db::Database& db, Frequency f, qint64 id) {
    const SettlementTables& t = tablesOf(f);
    Settlement s;
    const db::Result h =
        db.query(QStringLiteral("select * from %1 where Id = ?").arg(t.header), {id});
    if (h.empty())
        return s;
    const db::Row& r = h.first();
    s.id = id;
    s.year = int(r.integer(QStringLiteral("Anno")));
    s.number = int(r.integer(t.period));
    s.carried = r.number(t.carried);
    s.debit = r.number(QStringLiteral("TotaleIvaDebito"));
    s.credit = r.number(QStringLiteral("TotaleIvaCredito"));
    s.purchasesTaxable = r.number(QStringLiteral("AcquistiImponibile"));
    s.purchasesVat = r.number(QStringLiteral("AcquistiImposta"));
    s.salesTaxable = r.number(QStringLiteral("VenditaImponibile"));
    s.salesVat = r.number(QStringLiteral("VenditaImposta"));
    s.takingsTaxable = r.number(QStringLiteral("CorrispettiviImponibile"));
    s.takingsVat = r.number(QStringLiteral("CorrispettiviImposta"));
    s.purchasesNonTaxable = r.number(QStringLiteral("AcquistiImponibileNonSoggetta"));
    s.salesNonTaxable = r.number(QStringLiteral("VenditaImponibileNonSoggetta"));
    s.takingsNonTaxable = r.number(QStringLiteral("CorrispettiviImponibileNonSoggetta"));
    auto kindOf = [](const db::Row& row) {
        if (row.boolean(QStringLiteral("Carico")))
            return LineKind::Purchases;
        return row.boolean(QStringLiteral("Corrispettivi")) ? LineKind::Takings : LineKind::Sales;
    };
    for (const db::Row& row : db.query(
             QStringLiteral("select * from %1 where %2 = ? order by Iva_ID").arg(t.rows, t.parent),
             {id}))
        s.lines.push_back({row.integer(QStringLiteral("Iva_ID")),
                           row.text(QStringLiteral("IvaDescrizione")), kindOf(row),
                           row.number(QStringLiteral("TotaleImponibile")),
                           row.number(QStringLiteral("TotaleIva"))});
    for (const db::Row& row :
         db.query(QStringLiteral("select * from %1 where %2 = ? order by Iva_ID")
                      .arg(t.nonTaxable, t.parent),
                  {id}))
        s.nonTaxable.push_back({row.integer(QStringLiteral("Iva_ID")),
                                row.text(QStringLiteral("IvaDescrizione")), kindOf(row),
                                row.number(QStringLiteral("TotaleImponibile")), 0});
    return s;
}

qint64 VatSettlement::addNext(db::Database& db, Frequency f, int currentYear) {
    const SettlementTables& t = tablesOf(f);
    const int last = f == Frequency::Quarterly ? 4 : 12;
    db::Transaction tx(db);
    db.lockScope(t.header);
    const db::Result r =
        db.query(QStringLiteral("select top 1 * from %1 order by Anno desc, %2 desc")
                     .arg(t.header, t.period));
    int year = currentYear;
    int number = 1;
    double carried = 0;
    if (!r.empty()) {
        const db::Row& p = r.first();
        year = int(p.integer(QStringLiteral("Anno")));
        number = int(p.integer(t.period)) + 1;
        if (number > last) {
            number = 1;
            ++year;
        }
        const double credit = std::max(0.0, p.number(QStringLiteral("TotaleIvaCredito")));
        const double debit = std::max(0.0, p.number(QStringLiteral("TotaleIvaDebito")));
        carried = std::max(0.0, common::round2(credit - debit));
    }
    const qint64 id = db.insert(
        t.header, {{QStringLiteral("Anno"), year}, {t.period, number}, {t.carried, carried}});
    tx.commit();
    return id;
}

void VatSettlement::remove(db::Database& db, Frequency f, qint64 id) {
    const SettlementTables& t = tablesOf(f);
    db::Transaction tx(db);
    db.exec(QStringLiteral("delete * from %1 where %2 = ?").arg(t.rows, t.parent), {id});
    db.exec(QStringLiteral("delete * from %1 where %2 = ?").arg(t.nonTaxable, t.parent), {id});
    db.exec(QStringLiteral("delete * from %1 where Id = ?").arg(t.header), {id});
    tx.commit();
}

} // namespace accounting
