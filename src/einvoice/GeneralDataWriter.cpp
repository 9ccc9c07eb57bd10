#include "einvoice/GeneralDataWriter.h"

#include "documents/DocumentTotals.h"
#include "einvoice/DocumentLines.h"
#include "einvoice/HeaderWriter.h"
#include "einvoice/ValueFormat.h"

namespace einvoice {

namespace {

QString t(const db::Row& row, const char* column) {
    return row.text(QLatin1String(column));
}

std::optional<db::Row> carrier(db::Database& db, const db::Row& h) {
    if (!h.boolean(QStringLiteral("DatiAnagraficiVettore")))
        return std::nullopt;
    const qint64 staff = h.integer(QStringLiteral("Personale_ID"));
    if (staff <= 0)
        return std::nullopt;
    const db::Result r = db.query(QStringLiteral("select * from Personale where ID = ?"), {staff});
    if (r.empty() || t(r.first(), "Iva").isEmpty())
        return std::nullopt;
    return r.first();
}

void writeDocumentData(XmlOut& out, const ExportSource& s) {
    const db::Row& h = s.header;
    out.start(QStringLiteral("DatiGeneraliDocumento"));
    out.element(QStringLiteral("TipoDocumento"),
                s.creditNote ? QStringLiteral("TD04") : QStringLiteral("TD01"));
    const QString currency = t(h, "DatiGenerali_Divisa");
    out.element(QStringLiteral("Divisa"), currency.isEmpty() ? QStringLiteral("EUR") : currency);
    const QDate date = h.date(QStringLiteral("Data"));
    out.element(QStringLiteral("Data"), xmlDate(date));
    out.element(QStringLiteral("Numero"),
                GeneralDataWriter::documentNumber(s.company, h.integer(QStringLiteral("Num")), date,
                                                  t(h, "SerieFatturazione")));
    if (const double withheld = DocumentLines::withholding(s); withheld > 0) {
        // A firm suffers the withholding of legal persons, a sole trader
        // that of natural persons.
        out.start(QStringLiteral("DatiRitenuta"));
        out.element(QStringLiteral("TipoRitenuta"), t(s.company, "RagSoc").isEmpty()
                                                        ? QStringLiteral("RT01")
                                                        : QStringLiteral("RT02"));
        out.element(QStringLiteral("ImportoRitenuta"), xmlAmount2(withheld));
        out.element(QStringLiteral("AliquotaRitenuta"), xmlRate(documents::kWithholdingRate));
        const QString reason =
            s.options.columnCount() > 0 ? t(s.options, "CausalePagamentoRitenuta") : QString();
        out.element(QStringLiteral("CausalePagamento"),
                    reason.isEmpty() ? QStringLiteral("A") : reason);
        out.end();
    }
    const double stamp = h.number(QStringLiteral("ImportoMarcaBollo"));
    if (stamp > 0) {
        out.start(QStringLiteral("DatiBollo"));
        out.element(QStringLiteral("BolloVirtuale"), QStringLiteral("SI"));
        out.element(QStringLiteral("ImportoBollo"), xmlAmount2(stamp));
        out.end();
    }
    out.element(QStringLiteral("ImportoTotaleDocumento"),
                xmlAmount2(DocumentLines::documentTotal(s)));
    out.optional(QStringLiteral("Causale"), t(h, "Causale"));
    out.end();
}

void writeOrders(XmlOut& out, db::Database& db, qint64 id) {
    const db::Result orders =
        db.query(QStringLiteral("SELECT OrdiniClientiTestata.Data, OrdiniClientiTestata.Numero, "
                                "OrdiniClientiTestata.CodiceCig, OrdiniClientiTestata.CodiceCup, "
                                "OrdiniClientiTestata.CodiceCommessaConvenzione FROM "
                                "(FatturaOrdiniClientiRighe INNER JOIN fattura ON "
                                "FatturaOrdiniClientiRighe.Fattura_ID = fattura.ID) INNER JOIN "
                                "OrdiniClientiTestata ON FatturaOrdiniClientiRighe.Ordine_ID = "
                                "OrdiniClientiTestata.ID where Fattura.ID = ? order by "
                                "FatturaOrdiniClientiRighe.ID"),
                 {id});
    qint64 index = 0;
    for (const db::Row& o : orders) {
        out.start(QStringLiteral("DatiOrdineAcquisto"), ++index);
        out.element(QStringLiteral("IdDocumento"), t(o, "Numero"));
        if (!o.isNull(QStringLiteral("Data")))
            out.element(QStringLiteral("Data"), xmlDate(o.date(QStringLiteral("Data"))));
        out.optional(QStringLiteral("CodiceCommessaConvenzione"),
                     t(o, "CodiceCommessaConvenzione"));
        out.optional(QStringLiteral("CodiceCUP"), t(o, "CodiceCup"));
        out.optional(QStringLiteral("CodiceCIG"), t(o, "CodiceCig"));
        out.end();
    }
}

void writeLinkedInvoice(XmlOut& out, const ExportSource& s) {
    const db::Row& h = s.header;
    const QDate date = h.date(QStringLiteral("NCFattDataRif"));
    out.start(QStringLiteral("DatiFattureCollegate"));
    out.element(QStringLiteral("IdDocumento"),
                GeneralDataWriter::documentNumber(s.company,
                                                  h.integer(QStringLiteral("NCFattNumRif")), date,
                                                  t(h, "NCFatSerieRif")));
    out.element(QStringLiteral("Data"), xmlDate(date));
    out.end();
}

void writeTransport(XmlOut& out, db::Database& db, const db::Row& h) {
    const std::optional<db::Row> vettore = carrier(db, h);
    if (!vettore)
        return;
    const db::Row& p = *vettore;
    out.start(QStringLiteral("DatiTrasporto"));
    out.start(QStringLiteral("DatiAnagraficiVettore"));
    out.start(QStringLiteral("IdFiscaleIVA"));
    out.element(QStringLiteral("IdPaese"), t(p, "IdPaese"));
    out.element(QStringLiteral("IdCodice"), vatIdCode(t(p, "IdPaese"), t(p, "Iva")));
    out.end();
    out.optional(QStringLiteral("CodiceFiscale"), t(p, "CodFisc").toUpper());
    writeAnagrafica(out, t(p, "Personale"), t(p, "Nome"), t(p, "Cognome"), t(p, "Titolo"),
                    t(p, "CodEORI"));
    out.optional(QStringLiteral("NumeroLicenzaGuida"), t(p, "NumeroLicenzaGuida"));
    out.end();
    if (!h.isNull(QStringLiteral("Colli")))
        out.element(QStringLiteral("NumeroColli"), xmlCounter(h.integer(QStringLiteral("Colli"))));
    const db::Result look =
        db.query(QStringLiteral("select Descrizione from FatturaAspetto where ID = ?"),
                 {h.integer(QStringLiteral("Aspetto_ID"))});
    if (!look.empty())
        out.element(QStringLiteral("Descrizione"), t(look.first(), "Descrizione"));
    if (!h.isNull(QStringLiteral("datatrasporto")))
        out.element(QStringLiteral("DataInizioTrasporto"),
                    xmlDate(h.date(QStringLiteral("datatrasporto"))));
    if (h.integer(QStringLiteral("Porto_ID")) > 0) {
        const db::Result terms =
            db.query(QStringLiteral("select Codice from FatturaPorto where ID = ?"),
                     {h.integer(QStringLiteral("Porto_ID"))});
        if (!terms.empty())
            out.element(QStringLiteral("TipoResa"), t(terms.first(), "Codice"));
    }
    out.end();
}

} // namespace

QString GeneralDataWriter::documentNumber(const db::Row& company, qint64 number, const QDate& date,
                                          const QString& series) {
    QString text = QString::number(number);
    if (company.boolean(QStringLiteral("FatturaAnno")))
        text += u'/' + QString::number(date.isValid() ? date.year() : 1899).rightJustified(4, u'0');
    if (company.boolean(QStringLiteral("FatturazioneMultipla")) && !series.isEmpty())
        text += u'/' + series;
    return text;
}

bool GeneralDataWriter::carrierIncluded(db::Database& db, const db::Row& header) {
    return carrier(db, header).has_value();
}

void GeneralDataWriter::write(XmlOut& out, db::Database& db, const ExportSource& source) {
    out.start(QStringLiteral("DatiGenerali"));
    writeDocumentData(out, source);
    if (source.creditNote)
        writeLinkedInvoice(out, source);
    else
        writeOrders(out, db, source.documentId);
    writeTransport(out, db, source.header);
    out.end();
}

} // namespace einvoice
