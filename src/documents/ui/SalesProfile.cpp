#include "documents/ui/SalesProfile.h"

#include "printing/DocumentExport.h"
#include "printing/ReportCodes.h"
#include "ui/Lookups.h"

namespace documents::ui {

namespace {

using ::ui::CardField;

CardField customer() {
    return {
        .field = "Cliente_ID", .label = "Cliente", .lookup = ::ui::lookups::customersOnDocuments()};
}

SalesProfile ddt() {
    SalesProfile p{{DocumentKind::Ddt}};
    p.listObjectName = QStringLiteral("frmGrigliaDDT");
    p.listTitle = QStringLiteral("D.D.T.");
    p.historyTitle = QStringLiteral("Storico D.D.T.");
    p.editorObjectName = QStringLiteral("frmDDT");
    p.editorTitle = QStringLiteral("Documento di trasporto");
    p.rowEditorObjectName = QStringLiteral("frmModificaDDTRighe");
    p.rowEditorTitle = QStringLiteral("Modifica DDT righe");
    p.rowsGridName = QStringLiteral("frmDDT_DBGrid2");
    p.listColumns = {{"Numero", 80, "Numero"},
                     {"Data", 100, "Data"},
                     {"SerieFatturazione", 70, "Serie"},
                     {"Cliente", 360, "Cliente"}};
    p.listOrder = QStringLiteral("Ddt.Data, Ddt.Numero");
    p.seriesFilter = true;
    p.headerFields = {
        {.field = "SerieFatturazione", .label = "Serie", .width = 80},
        {.field = "Numero", .label = "Numero", .sameRow = true, .width = 90},
        {.field = "Data", .label = "Data", .sameRow = true},
        {.field = "Ora",
         .label = "Ora",
         .kind = ::ui::FieldKind::Time,
         .sameRow = true,
         .width = 70},
        customer(),
        {.field = "Personale_ID", .label = "Tipo trasporto", .lookup = ::ui::lookups::staff()},
        {.field = "Vettore_ID", .label = "Vettore", .lookup = ::ui::lookups::carriers()},
        {.field = "DestinazioneMerce", .label = "Destinazione merce"},
        {.field = "Qualita", .label = "Beni trasportati: qualità"},
        {.field = "Natura", .label = "Natura"},
        {.field = "Quantita", .label = "Quantità", .width = 120},
        {.field = "Fatturato", .label = "Fatturato", .sameRow = true},
        {.field = "ImportoMarcaBollo", .label = "Importo marca da bollo", .width = 90},
        {.field = "Note", .label = "Note"}};
    p.totalFields = EditorProfile::totals("TotDDT", false);
    p.computedFields = {QStringLiteral("Quantita")};
    p.costRows = true;
    p.dateOrderCheck = true;
    p.printCode = printing::reports::ddt;
    return p;
}

SalesProfile quote() {
    SalesProfile p{{DocumentKind::Quote}};
    p.listObjectName = QStringLiteral("frmGrigliaPreventivi");
    p.listTitle = QStringLiteral("Preventivi");
    p.historyTitle = QStringLiteral("Storico Preventivi");
    p.editorObjectName = QStringLiteral("frmPreventivi");
    p.editorTitle = QStringLiteral("Preventivo");
    p.rowEditorObjectName = QStringLiteral("frmModificaPreventiviRighe");
    p.rowEditorTitle = QStringLiteral("Modifica righe Preventivo");
    p.rowsGridName = QStringLiteral("frmPreventivi_DBGrid2");
    p.listColumns = {{"Data", 100, "Data"},
                     {"Numero", 80, "Numero"},
                     {"Cliente", 320, "Cliente"},
                     {"TotalePreventivo", 110, "Totale"},
                     {"Note", 220, "Note"}};
    p.listOrder = QStringLiteral("PreventiTestata.Data, PreventiTestata.Numero");
    p.headerFields = {{.field = "Numero", .label = "Numero", .width = 90},
                      {.field = "Data", .label = "Data", .sameRow = true},
                      customer(),
                      {.field = "RitAccontoAziende", .label = "Ritenuta d'acconto"},
                      {.field = "Fatturato", .label = "Fatturato", .sameRow = true},
                      {.field = "Note", .label = "Note"}};
    p.totalFields = EditorProfile::totals("TotalePreventivo", true);
    p.printCode = printing::reports::quote;
    p.halfPrintCode = printing::reports::quoteHalf;
    p.listPrintCode = printing::reports::quoteList;
    p.exportKind = int(printing::ExportKind::Quote);
    return p;
}

SalesProfile order() {
    SalesProfile p{{DocumentKind::CustomerOrder}};
    p.listObjectName = QStringLiteral("frmGrigliaOrdiniClienti");
    p.listTitle = QStringLiteral("Ordini Clienti");
    p.historyTitle = QStringLiteral("Storico Ordini Clienti");
    p.editorObjectName = QStringLiteral("frmOrdiniClienti");
    p.editorTitle = QStringLiteral("Ordine Cliente");
    p.rowEditorObjectName = QStringLiteral("frmModificaOrdiniClientiRighe");
    p.rowEditorTitle = QStringLiteral("Modifica righe Ordine");
    p.rowsGridName = QStringLiteral("frmOrdiniClienti_DBGrid2");
    p.listColumns = {{"NumeroInterno", 80, "N° interno"},
                     {"Numero", 100, "Numero"},
                     {"Data", 100, "Data"},
                     {"Cliente", 300, "Cliente"},
                     {"CodiceCig", 120, "CIG"},
                     {"TotaleOrdine", 110, "Totale"}};
    p.listOrder = QStringLiteral("OrdiniClientiTestata.Data, OrdiniClientiTestata.Numero");
    p.numberIsText = true;
    p.internalNumberFilter = true;
    p.headerFields = {
        {.field = "Numero", .label = "Numero ordine", .width = 120},
        {.field = "NumeroInterno", .label = "N° interno", .sameRow = true, .width = 90},
        {.field = "Data", .label = "Data", .sameRow = true},
        customer(),
        {.field = "CodiceCig", .label = "Codice CIG", .width = 160},
        {.field = "CodiceCup", .label = "Codice CUP", .sameRow = true, .width = 160},
        {.field = "CodiceCommessaConvenzione", .label = "Commessa / convenzione"},
        {.field = "Fatturato", .label = "Fatturato"},
        {.field = "Note", .label = "Note"}};
    p.totalFields = EditorProfile::totals("TotaleOrdine", false);
    p.printCode = printing::reports::customerOrder;
    return p;
}

SalesProfile receipt() {
    SalesProfile p{{DocumentKind::Receipt}};
    p.listObjectName = QStringLiteral("frmGrigliaBuoni");
    p.listTitle = QStringLiteral("Buoni");
    p.historyTitle = QStringLiteral("Storico Buoni");
    p.editorObjectName = QStringLiteral("frmBuoni");
    p.editorTitle = QStringLiteral("Buono");
    p.rowEditorObjectName = QStringLiteral("frmModificaBuoniRighe");
    p.rowEditorTitle = QStringLiteral("Modifica righe Buono");
    p.rowsGridName = QStringLiteral("frmBuoni_DBGrid2");
    p.listColumns = {
        {"Numero", 80, "Numero"}, {"Data", 100, "Data"}, {"TotFattura", 110, "Totale"}};
    p.listOrder = QStringLiteral("TotaliCo.Data, TotaliCo.Numero");
    p.headerFields = {{.field = "Numero", .label = "Numero", .width = 90},
                      {.field = "Data", .label = "Data", .sameRow = true},
                      {.field = "Cliente_Id",
                       .label = "Cliente",
                       .lookup = ::ui::lookups::customersOnDocuments()},
                      {.field = "Pagato", .label = "Pagato"},
                      {.field = "Fatturato", .label = "Fatturato", .sameRow = true},
                      {.field = "Note", .label = "Note"}};
    p.totalFields = EditorProfile::totals("TotFattura", false);
    p.costRows = true;
    p.printCode = printing::reports::receipt;
    p.exportKind = int(printing::ExportKind::Receipt);
    return p;
}

} // namespace

const SalesProfile& SalesProfile::of(DocumentKind kind) {
    static const QList<SalesProfile> profiles = [] {
        QList<SalesProfile> all{ddt(), quote(), order(), receipt()};
        for (SalesProfile& p : all) {
            p.rowColumns = rowColumnsWith({{"ValoreTotale", 100, "Totale"}, {"Note", 160, "Note"}});
            // The stamp the rules compute with the totals.
            p.computedFields.prepend(QStringLiteral("ImportoMarcaBollo"));
        }
        return all;
    }();
    for (const SalesProfile& p : profiles)
        if (p.kind == kind)
            return p;
    return profiles.first();
}

} // namespace documents::ui
