#include "einvoice/GoodsServicesWriter.h"

#include "einvoice/ValueFormat.h"

namespace einvoice {

void GoodsServicesWriter::write(XmlOut& out, const std::vector<LineValues>& lines,
                                const std::vector<SummaryGroup>& summaries, bool splitPayment) {
    out.start(QStringLiteral("DatiBeniServizi"));
    for (const LineValues& l : lines) {
        out.start(QStringLiteral("DettaglioLinee"));
        out.element(QStringLiteral("NumeroLinea"), xmlCounter(l.number));
        if (!l.code.isEmpty()) {
            out.start(QStringLiteral("CodiceArticolo"));
            out.element(QStringLiteral("CodiceTipo"), QStringLiteral("CodiceInterno"));
            out.element(QStringLiteral("CodiceValore"), l.code);
            out.end();
        }
        out.element(QStringLiteral("Descrizione"), l.description);
        if (l.hasQuantity)
            out.element(QStringLiteral("Quantita"), xmlAmount(l.quantity, 21));
        if (l.periodStart.isValid())
            out.element(QStringLiteral("DataInizioPeriodo"), xmlDate(l.periodStart));
        if (l.periodEnd.isValid())
            out.element(QStringLiteral("DataFinePeriodo"), xmlDate(l.periodEnd));
        out.element(QStringLiteral("PrezzoUnitario"), xmlAmount(l.unitPrice, 21));
        if (l.discount > 0) {
            out.start(QStringLiteral("ScontoMaggiorazione"));
            out.element(QStringLiteral("Tipo"), QStringLiteral("SC"));
            out.element(QStringLiteral("Percentuale"), xmlAmount(l.discount, 6));
            out.element(QStringLiteral("Importo"), xmlAmount(l.discountAmount, 21));
            out.end();
        }
        out.element(QStringLiteral("PrezzoTotale"), xmlAmount(l.total, 21));
        out.element(QStringLiteral("AliquotaIVA"), xmlAmount(l.rate, 6));
        if (l.rate == 0)
            out.optional(QStringLiteral("Natura"), l.nature);
        out.optional(QStringLiteral("RiferimentoAmministrazione"), l.administrationReference);
        out.end();
    }
    for (const SummaryGroup& s : summaries) {
        out.start(QStringLiteral("DatiRiepilogo"));
        out.element(QStringLiteral("AliquotaIVA"), xmlAmount(s.rate, 6));
        out.optional(QStringLiteral("Natura"), s.nature);
        out.element(QStringLiteral("ImponibileImporto"), xmlAmount(s.taxable, 15));
        out.element(QStringLiteral("Imposta"), xmlAmount(s.tax, 15));
        out.element(QStringLiteral("EsigibilitaIVA"),
                    splitPayment ? QStringLiteral("S") : QStringLiteral("I"));
        out.end();
    }
    out.end();
}

} // namespace einvoice
