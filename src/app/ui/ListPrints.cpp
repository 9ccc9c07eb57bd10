#include "app/ui/ListPrints.h"

#include "common/Interaction.h"
#include "db/DbError.h"
#include "printing/ui/DocumentActions.h"
#include "ui/AppContext.h"
#include "ui/ScreenRegistry.h"

namespace app::ui {

namespace {

struct ListPrint {
    const char* button;
    int code;
};

// Button of the "Stampe" tab and the report code it requests.
constexpr ListPrint kListPrints[] = {
    {"btnStampeClienti", 1},
    {"btnStampeArticoli", 2},
    {"btnStampeFornitori", 3},
    {"btnStampeFattureClienti", 30},
    {"btnStampeNoteCreditoClienti", 32},
    {"btnStampePreventiviClienti", 34},
    {"btnStampeContratti", 69},
    {"btnStampeContrattiEstesa", 70},
    {"btnStampeDefunti", 103},
    {"btnStampeContrattiDefunti", 104},
};

} // namespace

void registerListPrints(::ui::ScreenRegistry& registry) {
    for (const ListPrint& p : kListPrints) {
        const int code = p.code;
        registry.add(QString::fromLatin1(p.button), [code](QWidget*, ::ui::AppContext& context) {
            try {
                printing::ReportCall call;
                call.code = code;
                printing::ui::printReport(context, call);
            } catch (const db::DbError& e) {
                context.interaction->error(QStringLiteral("Messaggio di errore"), e.message());
            }
        });
    }
}

} // namespace app::ui
