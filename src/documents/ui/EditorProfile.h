#pragma once

#include "documents/DocumentKind.h"
#include "ui/ScreenDefinition.h"

#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>
#include <optional>

namespace documents::ui {

// What tells the editors of the customer documents apart: names, titles,
// header and total fields, rows grid, cost rows and prints. One editor
// framework reads this table; another kind of document is one more row.
struct EditorProfile {
    DocumentKind kind;
    QString editorObjectName;
    QString editorTitle;
    QSize editorSize{1000, 660};
    QString rowEditorObjectName;
    QString rowEditorTitle;
    QString rowsGridName; // stored layout of the editor's rows grid
    // The header page: rows of fields, then the totals (read-only).
    QList<::ui::CardField> headerFields;
    QList<::ui::CardField> totalFields;
    // Shown again, besides the totals, after every change of the rows.
    QStringList computedFields;
    ::ui::GridColumns rowColumns;
    bool costRows = false;           // "Spese di Trasporto", "Spese di Incasso"
    bool insertionOrderMenu = false; // "Ordina per inserimento" on the rows grid
    // "Indietro" stays on a document whose last "Salva" failed its checks.
    bool leaveOnlyWhenValid = false;
    int printCode = 0;
    int halfPrintCode = 0;         // "St. Metà"; 0 for none
    std::optional<int> exportKind; // printing::ExportKind of "Esporta ed invia"

    // The totals box: taxable, tax, the withholding where asked, the total.
    static QList<::ui::CardField> totals(const char* totalColumn, bool withholding);
    // The rows grid: number, code, description, quantity, price, discount,
    // VAT, then the kind's own last columns.
    static ::ui::GridColumns rowColumnsWith(const ::ui::GridColumns& last);
    static const EditorProfile& of(DocumentKind kind);
};

} // namespace documents::ui
