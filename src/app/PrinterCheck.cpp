#include "app/PrinterCheck.h"

#include "common/Interaction.h"

#include <QString>

namespace app {

void PrinterCheck::showMissingPrinter(common::Interaction& interaction) {
    interaction.warning(QStringLiteral("Messaggio di avviso!!"),
                        QStringLiteral("Attenzione per poter utilizzare il Software è nessario che "
                                       "ci sia installata almeno una stampante sul computer "
                                       "corrente!!"));
}

} // namespace app
