#include "accounting/ui/AccountHistoryDialog.h"

#include "accounting/AccountHistory.h"
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
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace accounting::ui {

AccountHistoryDialog::AccountHistoryDialog(::ui::AppContext& context, QWidget* parent)
    : QDialog(parent), m_context(context) {
    setObjectName(QStringLiteral("TfrmStoriaContabilita"));
    setWindowTitle(QStringLiteral("Storia Contabilità"));
    resize(640, 420);
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    m_from = new QLineEdit(this);
    m_from->setObjectName(QStringLiteral("txtDallaData"));
    m_to = new QLineEdit(this);
    m_to->setObjectName(QStringLiteral("txtAllaData"));
    form->addRow(QStringLiteral("Dalla data"), m_from);
    form->addRow(QStringLiteral("Alla data"), m_to);
    m_account = new QComboBox(this);
    m_account->setObjectName(QStringLiteral("cboConto"));
    ::ui::guarded(context, [&] {
        ::ui::fillLookup(*context.db, m_account, ::ui::lookups::accounts(), QVariant());
    });
    auto* accountRow = new QHBoxLayout;
    accountRow->addWidget(m_account, 1);
    accountRow->addWidget(
        ::ui::SearchWindow::button(context, m_account, ::ui::lookups::accountSearch, this));
    form->addRow(QStringLiteral("Conto"), accountRow);
    layout->addLayout(form);
    m_chosen = new QTableWidget(this);
    m_chosen->setObjectName(QStringLiteral("grdConti"));
    m_chosen->setColumnCount(3);
    m_chosen->setHorizontalHeaderLabels(
        {QStringLiteral("Conto"), QStringLiteral("Raggruppamento"), QStringLiteral("Classe")});
    m_chosen->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_chosen->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_chosen->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_chosen->verticalHeader()->hide();
    layout->addWidget(m_chosen);
    auto* buttons = new QHBoxLayout;
    auto* add = ::ui::ActionButton(QStringLiteral("Aggiungi"), QStringLiteral("btnAggiungi"), this);
    auto* remove =
        ::ui::ActionButton(QStringLiteral("Elimina"), QStringLiteral("btnElimina"), this);
    auto* clear = ::ui::ActionButton(QStringLiteral("Azzera"), QStringLiteral("btnAzzera"), this);
    auto* print =
        ::ui::ActionButton(QStringLiteral("Storia Contabilità"), QStringLiteral("btnStampa"), this);
    auto* back =
        ::ui::ActionButton(QStringLiteral("Indietro"), QStringLiteral("btnIndietro"), this);
    for (QPushButton* b : {add, remove, clear, print})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(back);
    layout->addLayout(buttons);
    connect(add, &QPushButton::clicked, this, &AccountHistoryDialog::addAccount);
    connect(remove, &QPushButton::clicked, this, &AccountHistoryDialog::removeAccount);
    connect(clear, &QPushButton::clicked, this, &AccountHistoryDialog::clear);
    connect(print, &QPushButton::clicked, this, &AccountHistoryDialog::print);
    connect(back, &QPushButton::clicked, this, &QDialog::reject);
    refresh();
}

void AccountHistoryDialog::refresh() {
    m_chosen->setRowCount(0);
    m_ids.clear();
    ::ui::guarded(m_context, [&] {
        for (const db::Row& r : m_context.db->query(
                 QStringLiteral(
                     "SELECT tempStoriaContabilitaTestata.id, ContabilitaConti.Descrizione AS "
                     "Conto, ContabilitaRaggruppamenti.Descrizione AS Raggruppamento, "
                     "ContabilitaClassi.Descrizione AS Classe FROM ((tempStoriaContabilitaTestata "
                     "LEFT JOIN ContabilitaConti ON "
                     "tempStoriaContabilitaTestata.ContabilitaConti_ID "
                     "= ContabilitaConti.ID) LEFT JOIN ContabilitaRaggruppamenti ON "
                     "ContabilitaConti.Raggruppamento_ID = ContabilitaRaggruppamenti.Id) LEFT JOIN "
                     "ContabilitaClassi ON ContabilitaRaggruppamenti.Classe_ID = "
                     "ContabilitaClassi.Id "
                     "WHERE tempStoriaContabilitaTestata.NomeComputer = ? ORDER BY "
                     "tempStoriaContabilitaTestata.id"),
                 {m_context.db->workstation()})) {
            const int row = m_chosen->rowCount();
            m_chosen->insertRow(row);
            m_chosen->setItem(row, 0, new QTableWidgetItem(r.text(QStringLiteral("Conto"))));
            m_chosen->setItem(row, 1,
                              new QTableWidgetItem(r.text(QStringLiteral("Raggruppamento"))));
            m_chosen->setItem(row, 2, new QTableWidgetItem(r.text(QStringLiteral("Classe"))));
            m_ids << r.integer(QStringLiteral("id"));
        }
    });
}

void AccountHistoryDialog::addAccount() {
    const QVariant account = m_account->currentData();
    if (!account.isValid() || account.toLongLong() <= 0)
        return;
    ::ui::guarded(m_context, [&] { AccountHistory::add(*m_context.db, account.toLongLong()); });
    refresh();
}

void AccountHistoryDialog::removeAccount() {
    const int row = m_chosen->currentRow();
    if (row < 0 || row >= m_ids.size())
        return;
    ::ui::guarded(m_context, [&] { AccountHistory::remove(*m_context.db, m_ids[row]); });
    refresh();
}

void AccountHistoryDialog::clear() {
    ::ui::guarded(m_context, [&] { AccountHistory::clear(*m_context.db); });
    refresh();
}

bool AccountHistoryDialog::print() {
    const QDate from = common::parseItalianDate(m_from->text().trimmed());
    const QDate to = common::parseItalianDate(m_to->text().trimmed());
    std::optional<common::Failure> refusal;
    if (!::ui::guarded(m_context,
                       [&] { refusal = AccountHistory::prepare(*m_context.db, from, to); }))
        return false;
    if (refusal) {
        m_context.interaction->warning(refusal->title, refusal->text);
        return false;
    }
    printing::ReportCall call;
    call.code = printing::reports::accountHistory;
    call.selection =
        QStringLiteral("NomeComputer = '%1'").arg(common::sqlQuote(m_context.db->workstation()));
    printing::ui::printReport(m_context, call);
    return true;
}

} // namespace accounting::ui
