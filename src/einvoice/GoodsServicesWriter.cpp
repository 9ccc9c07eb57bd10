#include "einvoice/GoodsServicesWriter.h"

#include "einvoice/ValueFormat.h"

namespace fatturapa {

void GoodsServicesWriter::write(XmlOut& out, const std::vector<LineValues>& lines,
                                const std::vector<SummaryGroup>& summaries, bool splitPayment) {
    out.start(QStringLiteral("DatiBeniServizi"));
    for (const LineValues& l : lines) {
        out.start(QStringLiteral("DettaglioLinee"));
        out.element(QStringLiteral("NumeroLinea"), XmlCounter(l.number));
        if (!l.code.isEmpty()) {
            out.start(QStringLiteral("CodiceArticolo"));
            out.element(QStringLiteral("CodiceTipo"), QStringLiteral("CodiceInterno"));
            out.element(QStringLiteral("CodiceValore"), l.code);
            out.end();
        }
        out.element(QStringLiteral("Descrizione"), l.description);
        if (l.hasQuantity)
            out.element(QStringLiteral("Quantita"), XmlAmount(l.quantity, 21));
        if (l.periodStart.isValid())
            out.element(QStringLiteral("DataInizioPeriodo"), XmlDate(l.periodStart));
        if (l.periodEnd.isValid())
            out.element(QStringLiteral("DataFinePeriodo"), XmlDate(l.periodEnd));
        out.element(QStringLiteral("PrezzoUnitario"), XmlAmount(l.unitPrice, 21));
        if (l.discount > 0) {
            out.start(QStringLiteral("ScontoMaggiorazione"));
            out.element(QStringLiteral("Tipo"), QStringLiteral("SC"));
            out.element(QStringLiteral("Percentuale"), XmlAmount(l.discount, 6));
            out.element(QStringLiteral("Importo"), XmlAmount(l.discountAmount, 21));
            out.end();
        }
        out.element(QStringLiteral("PrezzoTotale"), XmlAmount(l.total, 21));
        out.element(QStringLiteral("AliquotaIVA"), XmlAmount(l.rate, 6));
        if (l.rate == 0)
            out.optional(QStringLiteral("Natura"), l.nature);
        out.optional(QStringLiteral("RiferimentoAmministrazione"), l.administrationReference);
        out.end();
    }
    for (const SummaryGroup& s : summaries) {
        out.start(QStringLiteral("DatiRiepilogo"));
        out.element(QStringLiteral("AliquotaIVA"), XmlAmount(s.rate, 6));
        out.optional(QStringLiteral("Natura"), s.nature);
        out.element(QStringLiteral("ImponibileImporto"), XmlAmount(s.taxable, 15));
        out.element(QStringLiteral("Imposta"), XmlAmount(s.tax, 15));
        out.element(QStringLiteral("EsigibilitaIVA"),
                    splitPayment ? QStringLiteral("S") : QStringLiteral("I"));
        out.end();
    }
    out.end();
}

} // namespace fatturapa
