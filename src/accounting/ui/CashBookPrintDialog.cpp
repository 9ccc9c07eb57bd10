#include "accounting/ui/CashBookPrintDialog.h"

#include "accounting/CashBook.h"
#include "common/SqlText.h"
#include "common/TextForms.h"
#include "db/Database.h"
#include "printing/ReportCodes.h"
#include "printing/ui/DocumentActions.h"
#include "ui/ActionButton.h"
#include "ui/AppContext.h"
#include "ui/FieldEditors.h"
#include "ui/Guarded.h"
#include "ui/Lookups.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLineEdit>
#include <QPushButton>

namespace accounting::ui {

CashBookPrintDialog::CashBookPrintDialog(::ui::AppContext& context, QWidget* parent)
    : QDialog(parent), m_context(context) {
    setObjectName(QStringLiteral("TfrmStampaPrimaNotaMese"));
    setWindowTitle(QStringLiteral("Stampa Prima Nota"));
    auto* form = new QFormLayout(this);
    m_month = new QComboBox(this);
    m_month->setObjectName(QStringLiteral("cboMese"));
    m_bank = new QComboBox(this);
    m_bank->setObjectName(QStringLiteral("cboBanca"));
    ::ui::guarded(context, [&] {
        ::ui::fillLookup(*context.db, m_month,
                         {QStringLiteral("select numero, Mese from Mesi order by numero"),
                          QStringLiteral("numero"), QStringLiteral("Mese"), QString()},
                         QVariant());
        ::ui::fillLookup(*context.db, m_bank, ::ui::lookups::banks(), QVariant());
    });
    m_year = new QLineEdit(QString::number(QDate::currentDate().year()), this);
    m_year->setObjectName(QStringLiteral("txtAnno"));
    m_year->setValidator(new QIntValidator(0, 9999, m_year));
    m_opening = new QLineEdit(this);
    m_opening->setObjectName(QStringLiteral("txtSaldoIniziale"));
    auto* compute =
        ::ui::ActionButton(QStringLiteral("Calcola"), QStringLiteral("btnCalcola"), this);
    auto* openingRow = new QHBoxLayout;
    openingRow->addWidget(m_opening);
    openingRow->addWidget(compute);
    form->addRow(QStringLiteral("Mese"), m_month);
    form->addRow(QStringLiteral("Anno"), m_year);
    form->addRow(QStringLiteral("Banca"), m_bank);
    form->addRow(QStringLiteral("Saldo Iniziale"), openingRow);
    auto* monthly =
        ::ui::ActionButton(QStringLiteral("Mese per Mese"), QStringLiteral("btnMese"), this);
    auto* byBank = ::ui::ActionButton(QStringLiteral("per Mese e per Banca"),
                                      QStringLiteral("btnMeseBanca"), this);
    auto* back =
        ::ui::ActionButton(QStringLiteral("Indietro"), QStringLiteral("btnIndietro"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(monthly);
    buttons->addWidget(byBank);
    buttons->addStretch();
    buttons->addWidget(back);
    form->addRow(buttons);
    connect(compute, &QPushButton::clicked, this, &CashBookPrintDialog::computeOpening);
    connect(monthly, &QPushButton::clicked, this, [this] { print(false); });
    connect(byBank, &QPushButton::clicked, this, [this] { print(true); });
    connect(back, &QPushButton::clicked, this, &QDialog::reject);
}

void CashBookPrintDialog::computeOpening() {
    const int month = m_month->currentData().toInt();
    const int year = m_year->text().toInt();
    if (month < 1 || year < 1)
        return;
    const QDate first(year, month, 1);
    ::ui::guarded(m_context, [&] {
        const QVariant bank = m_bank->currentData();
        const double opening =
            bank.isValid() && bank.toLongLong() > 0
                ? CashBook::bankOpeningBalance(*m_context.db, first, bank.toLongLong())
                : CashBook::openingBalance(*m_context.db, first);
        m_opening->setText(common::euroText(opening));
    });
}

bool CashBookPrintDialog::print(bool byBank) {
    const QVariant month = m_month->currentData();
    const QVariant bank = m_bank->currentData();
    if (auto f =
            CashBook::checkMonthlyPrint(month, m_year->text(), m_opening->text(), byBank, bank)) {
        m_context.interaction->warning(f->title, f->text);
        return false;
    }
    double opening = 0;
    common::parseItalianAmount(m_opening->text().trimmed(), &opening);
    const QDate first(m_year->text().toInt(), month.toInt(), 1);
    printing::ReportCall call;
    call.code = byBank ? printing::reports::cashBookMonthByBank : printing::reports::cashBookMonth;
    call.parameter = QString::number(opening, 'f', 2);
    call.selection =
        QStringLiteral("finanzia.Data >= #%1# and finanzia.Data <= #%2#")
            .arg(common::jetDate(first), common::jetDateEndOfDay(first.addMonths(1).addDays(-1)));
    if (byBank)
        call.selection += QStringLiteral(" and finanzia.Banca_ID = %1").arg(bank.toLongLong());
    printing::ui::printReport(m_context, call);
    return true;
}

} // namespace accounting::ui
