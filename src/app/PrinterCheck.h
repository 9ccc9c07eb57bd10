#pragma once

namespace common {
class Interaction;
}

namespace app {

// The program needs somewhere to print to: an installed printer or the PDF
// output. The caller finds out what the system offers.
class PrinterCheck {
public:
    static bool passes(bool anyPrinter, bool pdfAvailable) { return anyPrinter || pdfAvailable; }
    // The message shown before the program ends when the check fails.
    static void showMissingPrinter(common::Interaction& interaction);
};

} // namespace app
