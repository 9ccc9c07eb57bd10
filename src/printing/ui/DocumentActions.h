#pragma once

#include "printing/DocumentExport.h"
#include "printing/ReportRequest.h"

#include <QStringList>

class QWidget;

namespace ui {
struct AppContext;
}

namespace printing::ui {

// "Stampa": hands the report request to the print program, which shows its
// preview; returns at once.
void printReport(::ui::AppContext& context, const printing::ReportCall& call);

// "Esporta ed invia": exports one document to its file through the print
// program, then opens the "Email" screen addressed to the customer with the
// file attached. False when the document is missing or no file came out;
// sentTo, when given, receives the addresses it was sent to.
bool exportAndSend(::ui::AppContext& context, printing::ExportKind kind, qint64 documentId,
                   QWidget* parent, QStringList* sentTo = nullptr);

// The "Email" action of the customer, supplier and staff lists: the "Email"
// screen addressed to the given addresses (empty ones left out).
void emailAddresses(::ui::AppContext& context, const QStringList& addresses, QWidget* parent);

} // namespace printing::ui
