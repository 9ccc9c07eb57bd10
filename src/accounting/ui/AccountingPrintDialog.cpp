#include "accounting/ui/AccountingPrintDialog.h"

#include "accounting/AccountSituation.h"
#include "accounting/Balance.h"
#include "accounting/ui/AccountHistoryDialog.h"
#include "accounting/ui/VatSettlementScreens.h"
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
#include "ui/SearchWindow.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace accounting::ui {

AccountingPrintDialog::AccountingPrintDialog(::ui::AppContext& context, QWidget* parent)
    : QDialog(parent), m_context(context) {
    setObjectName(QStringLiteral("TfrmStampaContabilita"));
    setWindowTitle(QStringLiteral("Stampa Contabilità"));
    auto* layout = new QVBoxLayout(this);
    auto* settlement =
        ::ui::ActionButton(QStringLiteral("Chiusura Iva"), QStringLiteral("btnChiusuraIva"), this);
    layout->addWidget(settlement);
    auto* group = new QGroupBox(QStringLiteral("Registri Iva"), this);
    auto* form = new QFormLayout(group);
    m_from = new QLineEdit(group);
    m_from->setObjectName(QStringLiteral("txtDallaData"));
    m_from->setPlaceholderText(QStringLiteral("gg/mm/aaaa"));
    m_to = new QLineEdit(group);
    m_to->setObjectName(QStringLiteral("txtAllaData"));
    m_to->setPlaceholderText(QStringLiteral("gg/mm/aaaa"));
    form->addRow(QStringLiteral("Dalla data"), m_from);
    form->addRow(QStringLiteral("Alla data"), m_to);
    auto* purchases = ::ui::ActionButton(QStringLiteral("Registro Acquisti"),
                                         QStringLiteral("btnRegistroAcquisti"), group);
    auto* sales = ::ui::ActionButton(QStringLiteral("Registro Vendite"),
                                     QStringLiteral("btnRegistroVendite"), group);
    auto* balance =
        ::ui::ActionButton(QStringLiteral("Bilancio"), QStringLiteral("btnBilancio"), group);
    auto* row = new QHBoxLayout;
    row->addWidget(purchases);
    row->addWidget(sales);
    row->addWidget(balance);
    form->addRow(row);
    m_account = new QComboBox(group);
    m_account->setObjectName(QStringLiteral("cboConto"));
    ::ui::guarded(context, [&] {
        ::ui::fillLookup(*context.db, m_account, ::ui::lookups::accounts(), QVariant());
    });
    auto* situation = ::ui::ActionButton(QStringLiteral("Situazione Conto"),
                                         QStringLiteral("btnSituazioneConto"), group);
    auto* accountRow = new QHBoxLayout;
    accountRow->addWidget(m_account, 1);
    accountRow->addWidget(
        ::ui::SearchWindow::button(context, m_account, ::ui::lookups::accountSearch, group));
    accountRow->addWidget(situation);
    form->addRow(QStringLiteral("Conto"), accountRow);
    layout->addWidget(group);
    auto* history = ::ui::ActionButton(QStringLiteral("Storia Contabilità"),
                                       QStringLiteral("btnStoriaContabilita"), this);
    layout->addWidget(history);
    connect(history, &QPushButton::clicked, this, [this] {
        AccountHistoryDialog dialog(m_context, this);
        dialog.exec();
    });
    auto* back =
        ::ui::ActionButton(QStringLiteral("Indietro"), QStringLiteral("btnIndietro"), this);
    layout->addWidget(back, 0, Qt::AlignRight);
    connect(settlement, &QPushButton::clicked, this, [this] {
        VatSettlementList list(m_context, Frequency::Quarterly, this);
        list.exec();
    });
    connect(purchases, &QPushButton::clicked, this,
            [this] { printRegister(RegisterKind::Purchases); });
    connect(sales, &QPushButton::clicked, this, [this] { printRegister(RegisterKind::Sales); });
    connect(balance, &QPushButton::clicked, this, &AccountingPrintDialog::printBalance);
    connect(situation, &QPushButton::clicked, this, &AccountingPrintDialog::printSituation);
    connect(back, &QPushButton::clicked, this, &QDialog::reject);
}

bool AccountingPrintDialog::printRegister(RegisterKind kind) {
    return prepareAndPrint(
        [&](const QDate& from, const QDate& to) {
            return VatRegisters::prepare(*m_context.db, kind, from, to);
        },
        kind == RegisterKind::Purchases ? printing::reports::purchaseRegister
                                        : printing::reports::salesRegister);
}

bool AccountingPrintDialog::printBalance() {
    return prepareAndPrint(
        [&](const QDate& from, const QDate& to) {
            return Balance::prepare(*m_context.db, from, to);
        },
        printing::reports::balance);
}

bool AccountingPrintDialog::printSituation() {
    const QVariant account = m_account->currentData();
    return prepareAndPrint(
        [&](const QDate& from, const QDate& to) {
            return AccountSituation::prepare(*m_context.db, account, from, to);
        },
        printing::reports::accountSituation);
}

bool AccountingPrintDialog::prepareAndPrint(const Prepare& prepare, int code) {
    const QDate from = common::parseItalianDate(m_from->text().trimmed());
    const QDate to = common::parseItalianDate(m_to->text().trimmed());
    std::optional<common::Failure> refusal;
    const bool ran = ::ui::guarded(m_context, [&] { refusal = prepare(from, to); });
    if (!ran)
        return false;
    if (refusal) {
        m_context.interaction->warning(refusal->title, refusal->text);
        if (refusal->field == u"DallaData")
            m_from->setFocus();
        else if (refusal->field == u"AllaData")
            m_to->setFocus();
        return false;
    }
    printing::ReportCall call;
    call.code = code;
    call.selection =
        QStringLiteral("NomeComputer = '%1'").arg(common::sqlQuote(m_context.db->workstation()));
    printing::ui::printReport(m_context, call);
    return true;
}

} // namespace accounting::ui
