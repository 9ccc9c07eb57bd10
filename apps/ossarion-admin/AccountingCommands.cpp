#include "AccountingCommands.h"

#include "accounting/VatRegisters.h"
#include "accounting/VatSettlement.h"
#include "common/Money.h"
#include "db/ArchiveOpening.h"
#include "db/Database.h"

#include <QTextStream>

namespace admin {

namespace {

const char* const settlementUsage =
    "Uso: ossarion-admin liquidazione ARCHIVIO ANNO (--trimestre T | --mese M)\n";
const char* const registerUsage =
    "Uso: ossarion-admin registro ARCHIVIO (acquisti|vendite) DAL AL (date GG/MM/AAAA)\n";

// Amounts for scripts: a dot and two decimals, no thousands separator.
QString amount(double v) {
    return QString::number(common::round2(v), 'f', 2);
}

QDate dateArgument(const QString& text) {
    for (const QString& format :
         {QStringLiteral("dd/MM/yyyy"), QStringLiteral("d/M/yyyy"), QStringLiteral("yyyy-MM-dd")}) {
        const QDate d = QDate::fromString(text, format);
        if (d.isValid())
            return d;
    }
    return {};
}

} // namespace

int vatSettlement(const QStringList& args) {
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (args.size() != 4 || (args[2] != u"--trimestre" && args[2] != u"--mese")) {
        err << settlementUsage;
        return 2;
    }
    const bool quarterly = args[2] == u"--trimestre";
    bool yearOk = false;
    bool numberOk = false;
    const int year = args[1].toInt(&yearOk);
    const int number = args[3].toInt(&numberOk);
    if (!yearOk || args[1].size() != 4) {
        err << "Attenzione E' necessario definire correttamente l'anno di calcolo...\n";
        return 2;
    }
    if (!numberOk || number < 1 || number > (quarterly ? 4 : 12)) {
        err << (quarterly ? "Attenzione E' necessario definire il trimestre di calcolo...\n"
                          : "Attenzione E' necessario definire il mese di calcolo...\n");
        return 2;
    }
    db::Database db;
    db::ArchiveOpening::open(db, args[0], db::ArchiveOpening::IfMissing::Refuse);
    const auto f = quarterly ? accounting::Frequency::Quarterly : accounting::Frequency::Monthly;
    const accounting::Settlement s =
        accounting::VatSettlement::calculatePeriod(db, f, year, number);
    const auto line = [&](const QString& name, double v) {
        out << name << '\t' << amount(v) << '\n';
    };
    line(QStringLiteral("AcquistiImponibile"), s.purchasesTaxable);
    line(QStringLiteral("AcquistiImposta"), s.purchasesVat);
    line(QStringLiteral("VenditaImponibile"), s.salesTaxable);
    line(QStringLiteral("VenditaImposta"), s.salesVat);
    line(QStringLiteral("CorrispettiviImponibile"), s.takingsTaxable);
    line(QStringLiteral("CorrispettiviImposta"), s.takingsVat);
    line(QStringLiteral("AcquistiImponibileNonSoggetta"), s.purchasesNonTaxable);
    line(QStringLiteral("VenditaImponibileNonSoggetta"), s.salesNonTaxable);
    line(QStringLiteral("CorrispettiviImponibileNonSoggetta"), s.takingsNonTaxable);
    line(QStringLiteral("TotaleIvaDebito"), s.debit);
    line(QStringLiteral("TotaleIvaCredito"), s.credit);
    line(accounting::tablesOf(f).carried, s.carried);
    line(QStringLiteral("Risultato"), s.result());
    for (const accounting::SettlementLine& l : s.lines)
        out << "Riga\t" << l.vatId << '\t' << accounting::lineKindName(l.kind) << '\t'
            << amount(l.taxable) << '\t' << amount(l.vat) << '\n';
    return 0;
}

int vatRegister(const QStringList& args) {
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (args.size() != 4 || (args[1] != u"acquisti" && args[1] != u"vendite")) {
        err << registerUsage;
        return 2;
    }
    const QDate from = dateArgument(args[2]);
    const QDate to = dateArgument(args[3]);
    if (!args[2].isEmpty() && !from.isValid()) {
        err << "Data non valida: " << args[2] << '\n' << registerUsage;
        return 2;
    }
    if (!args[3].isEmpty() && !to.isValid()) {
        err << "Data non valida: " << args[3] << '\n' << registerUsage;
        return 2;
    }
    db::Database db;
    db::ArchiveOpening::open(db, args[0], db::ArchiveOpening::IfMissing::Refuse);
    const auto kind = args[1] == u"acquisti" ? accounting::RegisterKind::Purchases
                                             : accounting::RegisterKind::Sales;
    if (const auto failure = accounting::VatRegisters::prepare(db, kind, from, to)) {
        err << failure->text << (failure->text.endsWith(u'\n') ? "" : "\n");
        return 1;
    }
    const accounting::Register r = accounting::VatRegisters::read(db, kind);
    for (const accounting::RegisterLine& l : r.lines)
        out << "Riga\t" << l.quarter << '\t' << l.documentId << '\t' << l.vatId << '\t' << l.account
            << '\t' << amount(l.taxable) << '\t' << amount(l.vat) << '\t' << amount(l.total)
            << '\n';
    for (const accounting::QuarterTotal& q : r.quarters)
        out << "Trimestre\t" << q.quarter << '\t' << amount(q.taxable) << '\t' << amount(q.vat)
            << '\t' << amount(q.total) << '\n';
    return 0;
}

} // namespace admin
