#include "staff/ui/StaffCard.h"

#include "printing/ReportCodes.h"
#include "printing/ui/DocumentActions.h"
#include "staff/StaffRules.h"
#include "staff/ui/DependentList.h"
#include "staff/ui/SmallButton.h"
#include "staff/ui/StaffScreens.h"
#include "ui/AppContext.h"
#include "ui/Guarded.h"
#include "ui/HelpWindow.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QUrl>

namespace staff::ui {

using ::ui::ScreenDefinition;

StaffCard::StaffCard(::ui::AppContext& context, const ScreenDefinition& definition, qint64 key,
                     bool isNew, QWidget* parent)
    : CheckedCard(context, definition, key, isNew, parent) {
    setObjectName(QStringLiteral("TfrmPersonaleDettaglio"));

    auto* daily =
        smallButton(this, QStringLiteral("Calcola"), QStringLiteral("btnCalcolaGiornaliera"));
    auto* hourly = smallButton(this, QStringLiteral("Calcola"), QStringLiteral("btnCalcolaOraria"));
    attachBeside(QStringLiteral("TariffaGiornaliera"), {daily}, false);
    attachBeside(QStringLiteral("TariffaOraria"), {hourly}, false);
    connect(daily, &QPushButton::clicked, this, &StaffCard::computeDailyRate);
    connect(hourly, &QPushButton::clicked, this, &StaffCard::computeHourlyRate);

    auto* choose =
        smallButton(this, QStringLiteral("Scegli..."), QStringLiteral("btnScegliCartella"));
    auto* open = smallButton(this, QStringLiteral("Apri"), QStringLiteral("btnApriCartella"));
    attachBeside(QStringLiteral("CartellaServer"), {choose, open});
    connect(choose, &QPushButton::clicked, this, &StaffCard::chooseFolder);
    connect(open, &QPushButton::clicked, this, &StaffCard::openFolder);

    m_deadlines = new DependentList(context, deadlineDefinition(key), key, &insertDeadline,
                                    QStringLiteral("DataScadenza desc, ID"),
                                    QStringLiteral("frmPersonaleDettaglio_DBGrid1"),
                                    printing::reports::staffDeadlines, this);
    m_costs = new DependentList(context, costDefinition(key), key, &insertCost,
                                QStringLiteral("Data desc, PersonaleCosti.ID"),
                                QStringLiteral("frmPersonaleDettaglio_DBGrid2"),
                                printing::reports::staffCosts, this);
    m_salaries = new DependentList(context, salaryDefinition(key), key, &insertSalary,
                                   QStringLiteral("Anno desc, Mese desc, ID"),
                                   QStringLiteral("frmPersonaleDettaglio_DBGrid4"),
                                   printing::reports::staffSalaries, this);
    addRow(QString(), m_deadlines, false, QStringLiteral("Scadenze"));
    addRow(QString(), m_costs, false, QStringLiteral("Costi"));
    addRow(QString(), m_salaries, false, QStringLiteral("Stipendi"));

    auto* privacy = addButton(QStringLiteral("Privacy"), QStringLiteral("btnPrivacy"));
    privacy->setToolTip(QStringLiteral("Stampa l'informativa sulla privacy"));
    connect(privacy, &QPushButton::clicked, this, &StaffCard::printPrivacy);
    auto* help = addButton(QStringLiteral("Aiuto"), QStringLiteral("spdAiuto"));
    connect(help, &QPushButton::clicked, this, [this] { ::ui::HelpWindow::showFor(this); });
    resize(900, 640);
}

void StaffCard::computeDailyRate() {
    double rate = 0;
    if (const auto failure = dailyRate(value(QStringLiteral("PagaMensile")), &rate)) {
        showFailure(*failure);
        return;
    }
    setValue(QStringLiteral("TariffaGiornaliera"), rate);
}

void StaffCard::computeHourlyRate() {
    double rate = 0;
    if (const auto failure = hourlyRate(value(QStringLiteral("TariffaGiornaliera")), &rate)) {
        showFailure(*failure);
        return;
    }
    setValue(QStringLiteral("TariffaOraria"), rate);
}

void StaffCard::chooseFolder() {
    const QString folder = QFileDialog::getExistingDirectory(
        this, QStringLiteral("Cartella Dati"), value(QStringLiteral("CartellaServer")).toString());
    if (!folder.isEmpty())
        setValue(QStringLiteral("CartellaServer"), QDir::toNativeSeparators(folder));
}

void StaffCard::printPrivacy() {
    // The form prints what is stored.
    if (isModified() && !save())
        return;
    printing::ReportCall call;
    call.code = printing::reports::staffPrivacy;
    call.documentId = key();
    ::ui::guarded(context(), [&] { printing::ui::printReport(context(), call); });
}

bool StaffCard::openFolder() {
    const QString path = value(QStringLiteral("CartellaServer")).toString().trimmed();
    if (const auto failure = checkWorkingFolder(path)) {
        showFailure(*failure);
        return false;
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    return true;
}

} // namespace staff::ui
