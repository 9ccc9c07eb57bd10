#include "cemetery/ui/ContractScreens.h"

#include "cemetery/MissingPayments.h"
#include "cemetery/Renewal.h"
#include "cemetery/ui/ContractWidgets.h"
#include "common/Titles.h"
#include "printing/ReportCodes.h"
#include "printing/ReportRequest.h"
#include "printing/ui/DocumentActions.h"
#include "ui/AppContext.h"
#include "ui/Guarded.h"
#include "ui/ScreenRegistry.h"

namespace cemetery::ui {

using namespace contractwidgets;

void renewAllContracts(::ui::AppContext& context, QWidget* parent) {
    Q_UNUSED(parent);
    const int current = today().year();
    QString answer = QString::number(current);
    if (!context.interaction->askText(
            QStringLiteral("Rinnovo annuale"),
            QStringLiteral("Le righe dei contratti aperti il cui periodo termina nell'anno "
                           "indicato saranno copiate nell'anno successivo.\nAnno da rinnovare:"),
            &answer))
        return;
    const int year = typedYear(answer);
    if (year == 0) {
        context.interaction->error(common::titles::error,
                                   QStringLiteral("Attenzione anno non valido"));
        return;
    }
    Renewal::Outcome outcome;
    if (!::ui::guarded(context, [&] { outcome = Renewal::renewAll(*context.db, year, today()); }))
        return;
    if (outcome.rows == 0)
        context.interaction->information(
            common::titles::warning,
            QStringLiteral("Nessuna riga da rinnovare per il %1.").arg(year));
    else
        context.interaction->information(
            common::titles::warning,
            QStringLiteral("Rinnovo annuale completato: %1 righe scritte per il %2 in %3 "
                           "contratti.")
                .arg(outcome.rows)
                .arg(year + 1)
                .arg(outcome.contracts));
}

void runMissingPayments(::ui::AppContext& context, QWidget* parent) {
    Q_UNUSED(parent);
    int listed = 0;
    if (!::ui::guarded(context, [&] { listed = MissingPayments::run(*context.db, today()); }))
        return;
    if (listed == 0) {
        context.interaction->information(common::titles::warning,
                                         QStringLiteral("Non risultano pagamenti non registrati"));
        return;
    }
    ::ui::guarded(context, [&] {
        printing::ReportCall call;
        call.code = printing::reports::missingPayments;
        call.selection = MissingPayments::reportSelection(*context.db);
        printing::ui::printReport(context, call);
    });
}

void registerContractScreens(::ui::ScreenRegistry& registry) {
    registry.add(QStringLiteral("btnContratti"), [](QWidget* parent, ::ui::AppContext& context) {
        ContractList list(context, parent);
        list.exec();
    });
    registry.add(
        QStringLiteral("btnRinnovoAnnuale"),
        [](QWidget* parent, ::ui::AppContext& context) { renewAllContracts(context, parent); });
    registry.add(
        QStringLiteral("btnPagamentiMancanti"),
        [](QWidget* parent, ::ui::AppContext& context) { runMissingPayments(context, parent); });
}

} // namespace cemetery::ui
