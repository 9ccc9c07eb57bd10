#include "einvoice/PaymentWriter.h"

#include "einvoice/ValueFormat.h"

namespace einvoice {

namespace {

QString t(const db::Row& row, const char* column) {
    return row.text(QLatin1String(column));
}

std::optional<db::Row> paymentMethod(db::Database& db, qint64 id) {
    const db::Result r = db.query(QStringLiteral("select * from ModPagamento where Id = ?"), {id});
    return r.empty() ? std::nullopt : std::optional<db::Row>(r.first());
}

} // namespace

void PaymentWriter::writePayment(XmlOut& out, db::Database& db, const ExportSource& source) {
    if (source.instalments.empty())
        return;
    const db::Row& h = source.header;
    QString condition =
        source.instalments.size() > 1 ? QStringLiteral("TP01") : QStringLiteral("TP02");
    QString defaultMethod = QStringLiteral("MP01");
    if (const auto terms = paymentMethod(db, h.integer(QStringLiteral("ModPagamento_Id")))) {
        // Payment in instalments only when there are several of them.
        condition =
            terms->integer(QStringLiteral("NumeroScadenze")) == 0 || source.instalments.size() < 2
                ? QStringLiteral("TP02")
                : QStringLiteral("TP01");
        defaultMethod = t(*terms, "PA_ModalitaPagamento_Codice");
    }
    out.start(QStringLiteral("DatiPagamento"));
    out.element(QStringLiteral("CondizioniPagamento"), condition);
    std::optional<db::Row> lastBank;
    for (std::size_t i = 0; i < source.instalments.size(); ++i) {
        const db::Row& s = source.instalments[i];
        const qint64 own = s.integer(QStringLiteral("Banca_ID"));
        const qint64 bankId = own > 0 ? own : h.integer(QStringLiteral("Banca_ID"));
        const db::Result bank =
            db.query(QStringLiteral("select * from Bank where ID = ?"), {bankId});
        lastBank = bank.empty() ? std::nullopt : std::optional<db::Row>(bank.first());

        out.start(QStringLiteral("DettaglioPagamento"), qint64(i + 1));
        if (lastBank)
            out.optional(QStringLiteral("Beneficiario"), t(*lastBank, "Beneficiario"));
        QString method = defaultMethod;
        const qint64 ownMethod = s.integer(QStringLiteral("ModPagamento_Id"));
        if (ownMethod > 0) {
            const auto m = paymentMethod(db, ownMethod);
            method = m ? t(*m, "PA_ModalitaPagamento_Codice") : QString();
        }
        out.element(QStringLiteral("ModalitaPagamento"), method);
        if (!s.isNull(QStringLiteral("DataScadenza")))
            out.element(QStringLiteral("DataScadenzaPagamento"),
                        xmlDate(s.date(QStringLiteral("DataScadenza"))));
        out.element(QStringLiteral("ImportoPagamento"),
                    xmlAmount2(s.number(QStringLiteral("Importo"))));
        // Every instalment says where it is paid.
        if (lastBank) {
            out.optional(QStringLiteral("IstitutoFinanziario"), t(*lastBank, "Banca"));
            out.optional(QStringLiteral("IBAN"), t(*lastBank, "Iban"));
        }
        out.end();
    }
    out.end();
}

void PaymentWriter::writeAttachments(XmlOut& out, const ExportSource& source,
                                     const QList<QByteArray>& contents) {
    int next = 0;
    for (const db::Row& a : source.attachments) {
        if (t(a, "PercorsoCompleto").isEmpty())
            continue;
        out.start(QStringLiteral("Allegati"), next + 1);
        out.element(QStringLiteral("NomeAttachment"), t(a, "NomeAttachment"));
        out.optional(QStringLiteral("AlgoritmoCompressione"), t(a, "AlgoritmoCompressione"));
        out.optional(QStringLiteral("FormatoAttachment"), t(a, "FormatoAttachment"));
        out.optional(QStringLiteral("DescrizioneAttachment"), t(a, "DescrizioneAttachment"));
        out.raw().writeTextElement(QStringLiteral("Attachment"),
                                   QString::fromLatin1(contents.value(next++).toBase64()));
        out.end();
    }
}

} // namespace einvoice
