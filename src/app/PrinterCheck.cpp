#include "app/PrinterCheck.h"

#include "common/Interaction.h"
#include "common/Titles.h"

#include <QString>

namespace app {

void PrinterCheck::showMissingPrinter(common::Interaction& interaction) {
    interaction.warning(common::titles::warningUrgent,
                        QStringLiteral("Attenzione per poter utilizzare il Software è nessario che "
                                       "ci sia installata almeno una stampante sul computer "
                                       "corrente!!"));
}

} // namespace app
