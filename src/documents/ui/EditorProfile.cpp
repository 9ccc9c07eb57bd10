#include "documents/ui/EditorProfile.h"

#include "documents/ui/SalesProfile.h"
#include "printing/ReportCodes.h"
#include "ui/Lookups.h"

namespace documents::ui {

namespace {

using ::ui::CardField;

// Customer invoices and credit notes; the other documents are in the
// sales profiles.
EditorProfile invoice(bool credit) {
    EditorProfile p{credit ? DocumentKind::CustomerCreditNote : DocumentKind::CustomerInvoice};
    p.editorObjectName = credit ? QStringLiteral("TfrmNoteCredito") : QStringLiteral("TForm7");
    p.editorTitle = credit ? QStringLiteral("Nota di Credito") : QStringLiteral("Fatturazione");
    p.editorSize = {1060, 700};
    p.rowEditorObjectName = credit ? QStringLiteral("TfrmModificaRigheNotaCredito")
                                   : QStringLiteral("TfrmModificaRigheFattura");
    p.rowEditorTitle = credit ? QStringLiteral("Modifica righe Nota di Credito")
                              : QStringLiteral("Modifica righe Fattura");
    p.rowsGridName =
        credit ? QStringLiteral("frmNoteCredito_DBGrid2") : QStringLiteral("Form7_DBGrid2");
    p.headerFields = {
        {.field = "SerieFatturazione", .label = "Serie", .width = 80},
        {.field = "Num", .label = "Numero", .sameRow = true, .width = 90},
        {.field = "Data", .label = "Data", .sameRow = true},
        {.field = "NonNumerare", .label = "Non numerare", .sameRow = true},
        {.field = "Cliente_ID",
         .label = "Cliente",
         .lookup = ::ui::lookups::customersOnDocuments()},
        {.field = "ModPagamento_Id",
         .label = "Modalità di pagamento",
         .lookup = ::ui::lookups::paymentTerms()},
        {.field = "Banca_ID", .label = "Banca", .lookup = ::ui::lookups::banks()},
        {.field = "DatiTrasmissione_NumeroInterno", .label = "N° interno", .width = 90},
        {.field = "DatiTrasmissione_ProgressivoInvio",
         .label = "Progressivo invio",
         .sameRow = true,
         .width = 90},
        {.field = "EsportatoXml", .label = "Esportato xml", .sameRow = true},
        {.field = "IdMarcaBollo", .label = "N° marca da bollo", .width = 160},
        {.field = "ImportoMarcaBollo",
         .label = "Importo marca da bollo",
         .sameRow = true,
         .width = 90},
        {.field = "MarcaBolloVirtuale", .label = "Virtuale", .sameRow = true}};
    p.totalFields = EditorProfile::totals("TotFattura", true);
    p.rowColumns = EditorProfile::rowColumnsWith(
        {{"TotaleImponibile", 100, "Imponibile"}, {"ValoreTotale", 100, "Totale"}});
    p.insertionOrderMenu = true;
    p.leaveOnlyWhenValid = true;
    p.printCode = credit ? printing::reports::creditNote : printing::reports::invoice;
    return p;
}

} // namespace

QList<CardField> EditorProfile::totals(const char* totalColumn, bool withholding) {
    QList<CardField> f{
        {.field = "TotImponibile", .label = "Imponibile", .width = 110, .readOnly = true},
        {.field = "TotImposta",
         .label = "Imposta",
         .sameRow = true,
         .width = 110,
         .readOnly = true}};
    if (withholding)
        f.append({.field = "RitenutaAcconto",
                  .label = "Ritenuta d'acconto",
                  .sameRow = true,
                  .width = 110,
                  .readOnly = true});
    f.append({.field = QString::fromLatin1(totalColumn),
              .label = "Totale",
              .sameRow = true,
              .width = 120,
              .readOnly = true});
    return f;
}

::ui::GridColumns EditorProfile::rowColumnsWith(const ::ui::GridColumns& last) {
    ::ui::GridColumns columns{{"NumeroRiga", 45, "N°"},
                              {"Codice", 90, "Codice"},
                              {"Descrizione", 330, "Descrizione"},
                              {"Um", 70, "Quantità"},
                              {"ValoreUnitario", 100, "Valore Unitario"},
                              {"Sconto", 70, "Sconto %"},
                              {"AliquotaIva", 60, "Iva %"}};
    columns.append(last);
    return columns;
}

const EditorProfile& EditorProfile::of(DocumentKind kind) {
    static const EditorProfile invoices[] = {invoice(false), invoice(true)};
    if (kind == DocumentKind::CustomerInvoice)
        return invoices[0];
    if (kind == DocumentKind::CustomerCreditNote)
        return invoices[1];
    return SalesProfile::of(kind);
}

} // namespace documents::ui
