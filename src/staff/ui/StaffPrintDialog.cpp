#include "staff/ui/StaffPrintDialog.h"

#include "common/Interaction.h"
#include "printing/ReportCodes.h"
#include "printing/ui/DocumentActions.h"
#include "staff/StaffRules.h"
#include "staff/ui/SmallButton.h"
#include "ui/AppContext.h"
#include "ui/DateBox.h"
#include "ui/Guarded.h"
#include "ui/ScreenTitle.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QVBoxLayout>

namespace staff::ui {

const QList<PrintOption>& printOptions() {
    namespace r = printing::reports;
    static const QList<PrintOption> options = {
        {PrintKind::List, r::staffList, QStringLiteral("Elenco personale")},
        {PrintKind::Contacts, r::staffContacts, QStringLiteral("Rubrica del personale")},
        {PrintKind::Documents, r::staffDocuments,
         QStringLiteral("Documenti e patenti del personale")},
        {PrintKind::Deadlines, r::staffDeadlines, QStringLiteral("Scadenze per persona")},
        {PrintKind::OpenDeadlines, r::staffOpenDeadlines,
         QStringLiteral("Scadenze da effettuare per data")},
        {PrintKind::Costs, r::staffCosts, QStringLiteral("Costi per persona")},
        {PrintKind::CostsByType, r::staffCostsByType, QStringLiteral("Costi per tipologia")},
        {PrintKind::CostSummary, r::staffCostSummary,
         QStringLiteral("Riepilogo costi per persona e tipologia")},
        {PrintKind::Salaries, r::staffSalaries, QStringLiteral("Stipendi per persona")},
        {PrintKind::SalariesByMonth, r::staffSalariesByMonth, QStringLiteral("Stipendi per mese")},
        {PrintKind::SalaryDescriptions, r::staffSalaryDescriptions,
         QStringLiteral("Stipendi con descrizioni di addebiti e accrediti")},
        {PrintKind::SalariesByYear, r::staffSalariesByYear,
         QStringLiteral("Riepilogo annuale degli stipendi")},
    };
    return options;
}

PrintOption optionOf(PrintKind kind) {
    for (const PrintOption& option : printOptions())
        if (option.kind == kind)
            return option;
    return printOptions().first();
}

StaffPrintDialog::StaffPrintDialog(::ui::AppContext& context, QWidget* parent)
    : QDialog(parent), m_context(context) {
    setObjectName(QStringLiteral("TfrmStampaPersonale"));
    setWindowTitle(QStringLiteral("Stampa Personale"));
    auto* v = new QVBoxLayout(this);
    v->addWidget(::ui::ScreenTitle(QStringLiteral("Stampa Personale"), this));
    auto* form = new QFormLayout();
    v->addLayout(form);

    m_kind = new QComboBox(this);
    m_kind->setObjectName(QStringLiteral("cmbStampa"));
    for (const PrintOption& option : printOptions())
        m_kind->addItem(option.caption, int(option.kind));
    form->addRow(QStringLiteral("Stampa"), m_kind);

    m_person = new QComboBox(this);
    m_person->setObjectName(QStringLiteral("cmbPersonale"));
    m_person->addItem(QStringLiteral("Tutti"), QVariant());
    ::ui::guarded(context, [&] {
        for (const db::Row& row : context.db->query(QStringLiteral(
                 "select ID, Personale from Personale where Annullato = false order by Personale")))
            m_person->addItem(row.text(QStringLiteral("Personale")),
                              row.integer(QStringLiteral("ID")));
    });
    form->addRow(QStringLiteral("Personale"), m_person);

    m_from = ::ui::DateBox(this, QStringLiteral("txtDallaData"));
    m_to = ::ui::DateBox(this, QStringLiteral("txtAllaData"));
    auto* dates = new QHBoxLayout();
    dates->addWidget(m_from);
    dates->addWidget(new QLabel(QStringLiteral("alla Data"), this));
    dates->addWidget(m_to);
    dates->addStretch(1);
    form->addRow(QStringLiteral("Dalla Data"), dates);

    m_year = new QLineEdit(this);
    m_year->setObjectName(QStringLiteral("txtAnno"));
    m_year->setValidator(new QIntValidator(1900, 2999, m_year));
    m_year->setMaximumWidth(70);
    m_month = new QComboBox(this);
    m_month->setObjectName(QStringLiteral("cmbMese"));
    m_month->addItem(QStringLiteral("Tutti"), 0);
    const QLocale italian(QLocale::Italian, QLocale::Italy);
    for (int m = 1; m <= 12; ++m)
        m_month->addItem(italian.standaloneMonthName(m), m);
    auto* period = new QHBoxLayout();
    period->addWidget(m_year);
    period->addWidget(new QLabel(QStringLiteral("Mese"), this));
    period->addWidget(m_month);
    period->addStretch(1);
    form->addRow(QStringLiteral("Anno (stipendi)"), period);

    auto* buttons = new QHBoxLayout();
    buttons->addStretch(1);
    auto* printButton = smallButton(this, QStringLiteral("Stampa"), QStringLiteral("btnStampa"));
    auto* back = smallButton(this, QStringLiteral("Indietro"), QStringLiteral("spdIndietro"));
    buttons->addWidget(printButton);
    buttons->addWidget(back);
    v->addStretch(1);
    v->addLayout(buttons);
    connect(printButton, &QPushButton::clicked, this, &StaffPrintDialog::print);
    connect(back, &QPushButton::clicked, this, &QDialog::reject);
    // The year and the month are for the salaries only.
    const auto follow = [this] {
        const PrintOption option = optionOf(PrintKind(m_kind->currentData().toInt()));
        const bool salaries = option.code == printing::reports::staffSalaries ||
                              (option.code >= printing::reports::staffSalariesByMonth &&
                               option.code <= printing::reports::staffSalariesByYear);
        const bool list = option.code == printing::reports::staffList ||
                          option.code == printing::reports::staffDocuments ||
                          option.code == printing::reports::staffContacts;
        m_year->setEnabled(salaries);
        m_month->setEnabled(salaries);
        m_from->setEnabled(!list);
        m_to->setEnabled(!list);
    };
    connect(m_kind, &QComboBox::currentIndexChanged, this, follow);
    follow();
    resize(520, 260);
}

std::optional<printing::ReportCall> StaffPrintDialog::request() {
    PrintChoice choice;
    choice.kind = PrintKind(m_kind->currentData().toInt());
    choice.person = m_person->currentData().toLongLong();
    choice.from = m_from->text();
    choice.to = m_to->text();
    choice.year = m_year->text().toInt();
    choice.month = m_month->currentData().toInt();
    printing::ReportCall call;
    if (const auto failure = printSelection(choice, &call.selection)) {
        m_context.interaction->fail(*failure);
        if (auto* box = findChild<QLineEdit*>(failure->field))
            box->setFocus();
        return std::nullopt;
    }
    call.code = optionOf(choice.kind).code;
    return call;
}

bool StaffPrintDialog::print() {
    const auto call = request();
    if (!call)
        return false;
    return ::ui::guarded(m_context, [&] { printing::ui::printReport(m_context, *call); });
}

} // namespace staff::ui
