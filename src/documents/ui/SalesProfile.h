#pragma once

#include "documents/DocumentKind.h"
#include "ui/ScreenDefinition.h"

#include <QList>
#include <QString>
#include <optional>

namespace documents::ui {

// What tells a delivery note, a quote, a customer order and a receipt apart
// on screen: names, titles, list grid and filters, header fields, rows
// columns, cost rows and prints. The list and the editor are one pair of
// classes driven by this table; another kind of document is one more row.
struct SalesProfile {
    DocumentKind kind;
    QString listObjectName; // its grid layout is listObjectName + "_Griglia"
    QString listTitle;
    QString historyTitle;
    QString editorObjectName;
    QString editorTitle;
    QString rowEditorObjectName;
    QString rowEditorTitle;
    QString rowsGridName; // stored layout of the editor's rows grid
    ::ui::GridColumns listColumns;
    QString listOrder; // the engine sorts: an index matches it
    // Filter boxes: number (text for orders), internal number, dates, customer, series.
    bool numberIsText = false;
    bool internalNumberFilter = false;
    bool seriesFilter = false;
    // The header page: rows of fields, then the totals (read-only).
    QList<::ui::CardField> headerFields;
    QList<::ui::CardField> totalFields;
    ::ui::GridColumns rowColumns;
    bool costRows = false;       // "Spese di Trasporto", "Spese di Incasso"
    bool dateOrderCheck = false; // leaving the series checks the date order
    int printCode = 0;
    int halfPrintCode = 0;         // "St. Metà"; 0 for none
    int listPrintCode = 0;         // the list's "Stampa"; 0 for none
    std::optional<int> exportKind; // printing::ExportKind of "Esporta ed invia"

    static const SalesProfile& of(DocumentKind kind);
};

} // namespace documents::ui
