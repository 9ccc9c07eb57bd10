#pragma once

#include "documents/ui/EditorProfile.h"

namespace documents::ui {

// What tells a delivery note, a quote, a customer order and a receipt apart
// on screen: the editor's differences, and the list's grid and filters.
// The list and the editor are one pair of classes driven by this table;
// another kind of document is one more row.
struct SalesProfile : EditorProfile {
    QString listObjectName; // its grid layout is listObjectName + "_Griglia"
    QString listTitle;
    QString historyTitle;
    ::ui::GridColumns listColumns;
    QString listOrder; // the engine sorts: an index matches it
    // Filter boxes: number (text for orders), internal number, dates, customer, series.
    bool numberIsText = false;
    bool internalNumberFilter = false;
    bool seriesFilter = false;
    bool dateOrderCheck = false; // leaving the series checks the date order
    int listPrintCode = 0;       // the list's "Stampa"; 0 for none

    static const SalesProfile& of(DocumentKind kind);
};

} // namespace documents::ui
