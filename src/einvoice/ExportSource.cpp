#include "einvoice/ExportSource.h"

namespace einvoice {

namespace {

std::vector<db::Row> rowsOf(db::Result result) {
    return std::move(result.rows);
}

} // namespace

std::optional<ExportSource> ExportSource::load(db::Database& db, qint64 documentId) {
    const db::Result header =
        db.query(QStringLiteral("select * from fattura where Id = ?"), {documentId});
    if (header.empty() || header.first().boolean(QStringLiteral("Carico")))
        return std::nullopt;

    ExportSource s;
    s.documentId = documentId;
    s.header = header.first();
    s.creditNote = s.header.boolean(QStringLiteral("FattNota"));
    s.progressive = s.header.text(QStringLiteral("DatiTrasmissione_ProgressivoInvio"));

    const db::Result company = db.query(QStringLiteral("select * from ditta order by ID"));
    if (!company.empty())
        s.company = company.first();
    const db::Result options = db.query(QStringLiteral("select * from opzioni order by ID"));
    if (!options.empty())
        s.options = options.first();
    if (!s.header.isNull(QStringLiteral("Cliente_ID"))) {
        const db::Result customer = db.query(QStringLiteral("select * from Clienti where ID = ?"),
                                             {s.header.integer(QStringLiteral("Cliente_ID"))});
        if (!customer.empty())
            s.customer = customer.first();
    }

    s.rows = rowsOf(db.query(
        s.creditNote
            ? QStringLiteral("select * from NotaCreditoRighe where NotaCredito_ID = ? "
                             "order by NumeroRiga, IDX")
            : QStringLiteral("select * from fattdett where NumFatt = ? order by NumeroRiga, IDX"),
        {documentId}));
    s.instalments =
        rowsOf(db.query(QStringLiteral("select * from FatturaScadenze where "
                                       "Fattura_ID = ? order by DataScadenza, Numero, Id"),
                        {documentId}));
    s.attachments = rowsOf(db.query(
        QStringLiteral(
            "select * from Fattura_Allegati where Fattura_Id = ? order by NomeAttachment, id"),
        {documentId}));
    for (const db::Row& vat : db.query(QStringLiteral("select ID, Pa_Natura_Codice from Iva")))
        s.natureByVatCode.insert(vat.integer(QStringLiteral("ID")),
                                 vat.text(QStringLiteral("Pa_Natura_Codice")));
    return s;
}

} // namespace einvoice
