#include "app/ui/ListPrints.h"

#include "common/Interaction.h"
#include "common/Titles.h"
#include "printing/ReportCodes.h"
#include "printing/ui/DocumentActions.h"
#include "ui/AppContext.h"
#include "ui/Guarded.h"
#include "ui/ScreenRegistry.h"

namespace app::ui {

namespace {

struct ListPrint {
    const char* button;
    int code;
};

// Button of the "Stampe" tab and the report code it requests.
constexpr ListPrint kListPrints[] = {
    {"btnStampeClienti", printing::reports::customerList},
    {"btnStampeArticoli", printing::reports::articleList},
    {"btnStampeFornitori", printing::reports::supplierList},
    {"btnStampeFattureClienti", printing::reports::invoiceList},
    {"btnStampeNoteCreditoClienti", printing::reports::creditNoteList},
    {"btnStampePreventiviClienti", printing::reports::quoteList},
    {"btnStampeFattureClientiReparto", printing::reports::invoicesByDepartment},
    {"btnStampeContratti", printing::reports::contractList},
    {"btnStampeContrattiEstesa", printing::reports::contractListFull},
    {"btnStampeDefunti", printing::reports::deceasedList},
    {"btnStampeContrattiDefunti", printing::reports::contractDeceasedList},
    {"btnStampeFattureFornitori", printing::reports::supplierInvoiceList},
    {"btnStampeFattureFornitoriReparto", printing::reports::supplierInvoicesByDepartment},
    {"btnStampeNoteCreditoFornitori", printing::reports::supplierCreditNoteList},
    {"btnStampaCalendario", printing::reports::calendarList},
};

} // namespace

void registerListPrints(::ui::ScreenRegistry& registry) {
    for (const ListPrint& p : kListPrints) {
        const int code = p.code;
        registry.add(QString::fromLatin1(p.button), [code](QWidget*, ::ui::AppContext& context) {
            ::ui::guarded(context, [&] {
                printing::ReportCall call;
                call.code = code;
                printing::ui::printReport(context, call);
            });
        });
    }
}

} // namespace app::ui
