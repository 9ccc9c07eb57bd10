#include "einvoice/GoodsServicesWriter.h"

#include "einvoice/ValueFormat.h"

namespace einvoice {

void GoodsServicesWriter::write(XmlOut& out, const std::vector<LineValues>& lines,
                                const std::vector<SummaryGroup>& summaries, bool splitPayment) {
    out.start(QStringLiteral("DatiBeniServizi"));
    for (const LineValues& l : lines) {
        out.start(QStringLiteral("DettaglioLinee"), l.number);
        out.element(QStringLiteral("NumeroLinea"), xmlCounter(l.number));
        if (!l.code.isEmpty()) {
            out.start(QStringLiteral("CodiceArticolo"));
            out.element(QStringLiteral("CodiceTipo"), QStringLiteral("CodiceInterno"));
            out.element(QStringLiteral("CodiceValore"), l.code);
            out.end();
        }
        out.element(QStringLiteral("Descrizione"), l.description);
        if (l.hasQuantity)
            out.element(QStringLiteral("Quantita"), xmlAmount8(l.quantity));
        if (l.periodStart.isValid())
            out.element(QStringLiteral("DataInizioPeriodo"), xmlDate(l.periodStart));
        if (l.periodEnd.isValid())
            out.element(QStringLiteral("DataFinePeriodo"), xmlDate(l.periodEnd));
        out.element(QStringLiteral("PrezzoUnitario"), xmlAmount8(l.unitPrice));
        if (l.discount > 0) {
            out.start(QStringLiteral("ScontoMaggiorazione"));
            out.element(QStringLiteral("Tipo"), QStringLiteral("SC"));
            // A rate that two decimals cannot say goes as its amount only.
            if (l.discountAsPercent)
                out.element(QStringLiteral("Percentuale"), xmlRate(l.discount));
            out.element(QStringLiteral("Importo"), xmlAmount8(l.discountAmount));
            out.end();
        }
        out.element(QStringLiteral("PrezzoTotale"), xmlAmount8(l.total));
        out.element(QStringLiteral("AliquotaIVA"), xmlRate(l.rate));
        if (l.withholding)
            out.element(QStringLiteral("Ritenuta"), QStringLiteral("SI"));
        if (l.rate == 0)
            out.optional(QStringLiteral("Natura"), l.nature);
        out.optional(QStringLiteral("RiferimentoAmministrazione"), l.administrationReference);
        out.end();
    }
    qint64 group = 0;
    for (const SummaryGroup& s : summaries) {
        out.start(QStringLiteral("DatiRiepilogo"), ++group);
        out.element(QStringLiteral("AliquotaIVA"), xmlRate(s.rate));
        out.optional(QStringLiteral("Natura"), s.nature);
        out.element(QStringLiteral("ImponibileImporto"), xmlAmount2(s.taxable));
        out.element(QStringLiteral("Imposta"), xmlAmount2(s.tax));
        out.element(QStringLiteral("EsigibilitaIVA"),
                    splitPayment ? QStringLiteral("S") : QStringLiteral("I"));
        out.end();
    }
    out.end();
}

} // namespace einvoice
