#include "Samples.h"
#include "TestArchive.h"
#include "printing/Formats.h"
#include "printing/PrintJob.h"
#include "printing/ReportCatalog.h"
#include "printing/TextMeasure.h"

#include <gtest/gtest.h>

using namespace printing;

namespace {

PrintJob draw(db::Database& db, int code, const QVariant& id = QVariant()) {
    ReportCall call;
    call.code = code;
    call.documentId = id;
    ReportRequests::write(db, call, QStringLiteral("/opt/ossarion/"));
    return PrintJobs::prepare(db);
}

// The texts of a report as one line: wrapped sentences read whole.
QString flat(const RenderedReport& r) {
    return r.texts().join(u' ');
}

} // namespace

// A public body's invoice under split payment: the note, the net to pay
// without the VAT, the office code; a private customer's PEC instead; the
// sentence of the courtesy copy on invoices and credit notes.
TEST(DocumentContent, SplitPaymentSdiCodeAndCourtesyCopy) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        db::Database& db = a.db();
        const Samples s = Samples::create(db);
        db.exec(QStringLiteral("update Clienti set PubblicaAmministrazione = true, "
                               "CodiceUnivocoUfficio = 'UFX9Z1' where ID = ?"),
                {s.customer});
        db.exec(QStringLiteral("update fattura set ScissionePagamenti = true where ID = ?"),
                {s.invoice});
        const QString split = flat(draw(db, 8, s.invoice).report);
        for (const char* expected :
             {"Scissione dei pagamenti art. 17-ter DPR 633/72: l'IVA di 759,90 € è versata "
              "all'Erario dall'ente committente.",
              "IVA (scissione dei pagamenti) 759,90 €", "Totale documento 5.197,80 €", "- 759,90 €",
              "NETTO A PAGARE 4.437,90 €", "CODICE UNIVOCO UFFICIO UFX9Z1",
              "Copia di cortesia: documento privo di valenza fiscale; l'originale è il file XML "
              "trasmesso tramite SdI"})
            EXPECT_TRUE(split.contains(QString::fromUtf8(expected))) << expected << "\n"
                                                                     << split.toStdString();
        EXPECT_FALSE(split.contains(QStringLiteral("TOTALE DOCUMENTO")));

        // A private customer reached by PEC; a credit note says the same.
        db.exec(QStringLiteral("update Clienti set PubblicaAmministrazione = false, "
                               "CodiceUnivocoUfficio = '0000000', Pec = 'bianchi@pec.example'"));
        db.exec(QStringLiteral("update fattura set ScissionePagamenti = false"));
        for (const qint64 id : {s.invoice, s.creditNote}) {
            const QString plain = flat(draw(db, id == s.invoice ? 8 : 4, id).report);
            EXPECT_TRUE(plain.contains(QStringLiteral("PEC DESTINATARIO bianchi@pec.example")))
                << plain.toStdString();
            EXPECT_FALSE(plain.contains(QStringLiteral("0000000")));
            EXPECT_FALSE(plain.contains(QStringLiteral("Scissione")));
            EXPECT_TRUE(plain.contains(QStringLiteral("Copia di cortesia")));
        }
        EXPECT_TRUE(flat(draw(db, 4, s.creditNote).report)
                        .contains(QStringLiteral("TOTALE NOTA DI CREDITO 5.197,80 €")));
        db.exec(QStringLiteral("update Clienti set CodiceUnivocoUfficio = 'M5UXCR1'"));
        EXPECT_TRUE(flat(draw(db, 8, s.invoice).report)
                        .contains(QStringLiteral("CODICE DESTINATARIO SDI M5UXCR1")));
    }
}

// An exempt row names its nature as its line of the VAT summary does; the
// invoice list has a stamp column so that every line adds up.
TEST(DocumentContent, ExemptRowsAndStampDuty) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        db::Database& db = a.db();
        const Samples s = Samples::create(db);
        const qint64 exempt =
            db.insert(QStringLiteral("Iva"),
                      {{QStringLiteral("Descrizione"), QStringLiteral("Esente art. 10")},
                       {QStringLiteral("Iva"), 0.0},
                       {QStringLiteral("Pa_Natura_Codice"), QStringLiteral("N4")}});
        db.insert(QStringLiteral("fattdett"),
                  {{QStringLiteral("NumFatt"), s.invoice},
                   {QStringLiteral("NumeroRiga"), 4},
                   {QStringLiteral("TipoRiga"), QStringLiteral("A")},
                   {QStringLiteral("Descrizione"), QStringLiteral("Diritti cimiteriali")},
                   {QStringLiteral("Um"), 1.0},
                   {QStringLiteral("ValoreUnitario"), 150.0},
                   {QStringLiteral("Iva_ID"), exempt},
                   {QStringLiteral("AliquotaIva"), 0.0},
                   {QStringLiteral("TotaleImponibile"), 150.0},
                   {QStringLiteral("ValoreTotale"), 150.0}});
        const RenderedReport r = draw(db, 8, s.invoice).report;
        const QString text = flat(r);
        // Once in the row, once in the summary; no row reads "0%".
        EXPECT_EQ(text.count(QStringLiteral("N4 Esente art. 10")), 2) << text.toStdString();
        EXPECT_FALSE(r.texts().contains(QStringLiteral("0%")));
        EXPECT_TRUE(text.contains(QStringLiteral("Imposta di bollo 2,00 €")));

        // The list: taxable + VAT + stamp - withholding = total on the line.
        db.exec(QStringLiteral("update fattura set RitenutaAcconto = 100, TotFattura = 5097.80 "
                               "where ID = ?"),
                {s.invoice});
        const RenderedReport list = draw(db, 30).report;
        const QStringList t = list.texts();
        EXPECT_TRUE(t.contains(QStringLiteral("Bollo")));
        const qsizetype row = t.indexOf(QStringLiteral("4.435,90"));
        ASSERT_GE(row, 0) << t.join(u'|').toStdString();
        EXPECT_EQ(t.mid(row, 5), (QStringList{QStringLiteral("4.435,90"), QStringLiteral("759,90"),
                                              QStringLiteral("2,00"), QStringLiteral("-100,00"),
                                              QStringLiteral("5.097,80")}))
            << t.mid(row, 5).join(u'|').toStdString();

        // A receipt outside VAT over 77,47 € names its stamp duty.
        db.exec(QStringLiteral("update TotaliCo set TotImposta = 0, TotImponibile = 120, "
                               "TotFattura = 120, ImportoMarcaBollo = 0"));
        EXPECT_TRUE(flat(draw(db, 7, s.receipt).report)
                        .contains(QStringLiteral("imposta di bollo di 2,00 € da assolvere")));
        db.exec(QStringLiteral("update TotaliCo set ImportoMarcaBollo = 2, TotFattura = 122"));
        const QString receipt = flat(draw(db, 7, s.receipt).report);
        EXPECT_TRUE(receipt.contains(QStringLiteral("Imposta di bollo 2,00 €")));
        EXPECT_TRUE(receipt.contains(QStringLiteral("Imposta di bollo di 2,00 € assolta")));
    }
}

// Unit prices keep their decimals; the row amount is the one stored, which
// the totals were summed from.
TEST(DocumentContent, PricesWithTheirDecimalsAndStoredAmounts) {
    EXPECT_EQ(formatValue(12.3456, QStringLiteral("price")), QStringLiteral("12,3456"));
    EXPECT_EQ(formatValue(1800.5, QStringLiteral("price")), QStringLiteral("1.800,50"));
    EXPECT_EQ(formatValue(0.125, QStringLiteral("price")), QStringLiteral("0,125"));
    EXPECT_EQ(formatValue(QStringLiteral("it60x0542811101000000123456"), QStringLiteral("iban")),
              QStringLiteral("IT60 X054 2811 1010 0000 0123 456"));

    TestArchive a(db::Engine::SQLite);
    db::Database& db = a.db();
    const Samples s = Samples::create(db);
    db.insert(QStringLiteral("fattdett"), {{QStringLiteral("NumFatt"), s.invoice},
                                           {QStringLiteral("NumeroRiga"), 4},
                                           {QStringLiteral("TipoRiga"), QStringLiteral("A")},
                                           {QStringLiteral("Descrizione"), QStringLiteral("Ceri")},
                                           {QStringLiteral("Um"), 3.0},
                                           {QStringLiteral("ValoreUnitario"), 12.3456},
                                           {QStringLiteral("Iva_ID"), 1},
                                           {QStringLiteral("AliquotaIva"), 22.0},
                                           {QStringLiteral("TotaleImponibile"), 37.04},
                                           {QStringLiteral("ValoreTotale"), 45.19}});
    const QStringList t = draw(db, 8, s.invoice).report.texts();
    const qsizetype row = t.indexOf(QStringLiteral("Ceri"));
    ASSERT_GE(row, 0);
    EXPECT_EQ(t.mid(row + 1, 4), (QStringList{QStringLiteral("3"), QStringLiteral("12,3456"),
                                              QStringLiteral("22%"), QStringLiteral("37,04")}));
    EXPECT_TRUE(t.contains(QStringLiteral("2.500,00")));
    EXPECT_TRUE(t.contains(QStringLiteral("75,50")));
}

// The letterhead keeps its separators, the REA entry and the share
// capital; the customer's category stays off the paper.
TEST(DocumentContent, LetterheadAndWhatStaysOff) {
    TestArchive a(db::Engine::SQLite);
    db::Database& db = a.db();
    const Samples s = Samples::create(db);
    db.exec(QStringLiteral("update ditta set Iscrizione_REA = true, Iscrizione_REA_Ufficio = 'PD', "
                           "Iscrizione_REA_NumeroREA = '123456', "
                           "Iscrizione_REA_CapitaleSociale = 10000, CodFisc = 'RSSMRA70A01F205X'"));
    const qint64 category =
        db.insert(QStringLiteral("ClientiCategoria"),
                  {{QStringLiteral("Descrizione"), QStringLiteral("Insolvente")}});
    db.exec(QStringLiteral("update Clienti set Categoria_ID = ?"), {category});
    for (int code : {8, 4, 7, 5}) {
        const QVariant id = code == 8   ? s.invoice
                            : code == 4 ? s.creditNote
                            : code == 7 ? s.receipt
                                        : s.quote;
        const RenderedReport r = draw(db, code, id).report;
        EXPECT_TRUE(r.texts(0).contains(
            QStringLiteral("P.IVA 01234567890 · C.F. RSSMRA70A01F205X · REA PD 123456 · Cap. soc. "
                           "10.000,00 €")))
            << code << " " << r.texts(0).join(u'|').toStdString();
        EXPECT_FALSE(flat(r).contains(QStringLiteral("Insolvente"))) << code;
    }
}

// The privacy form speaks to a person or to a company, names the
// controller's contacts, keeps its footer texts apart and, without
// letterhead, leaves the room of the pre-printed paper.
TEST(DocumentContent, PrivacyFormsForPersonsAndCompanies) {
    TestArchive a(db::Engine::SQLite);
    db::Database& db = a.db();
    const Samples s = Samples::create(db);
    const QString person = flat(draw(db, 44, s.customer).report);
    for (const char* expected :
         {"Gentile Bianchi Mario, Onoranze Funebri Rossi S.r.l., con sede in Via Roma 12, 20121 "
          "Milano (MI)",
          "La informa che i dati personali da Lei forniti",
          "ai seguenti recapiti: e-mail info@rossi.example, PEC rossi@pec.example, tel. 02 1234567",
          "Il/La sottoscritto/a dichiara", "Firma dell'interessato"})
        EXPECT_TRUE(person.contains(QString::fromUtf8(expected))) << expected << "\n"
                                                                  << person.toStdString();
    db.exec(
        QStringLiteral("update Fornitor set Fornitore = ? where ID = ?"),
        {QStringLiteral("Falegnameria Artigiana dei Fratelli Verdi e Figli S.n.c. di Giovanni e "
                        "Paolo Verdi"),
         s.supplier});
    const RenderedReport r = draw(db, 50, s.supplier).report;
    const QString company = flat(r);
    for (const char* expected :
         {"Spett.le Falegnameria Artigiana", "Vi informa che i dati personali da Voi forniti",
          "Potete chiedere", "in qualità di legale rappresentante di Falegnameria",
          "Timbro e firma del legale rappresentante"})
        EXPECT_TRUE(company.contains(QString::fromUtf8(expected))) << expected << "\n"
                                                                   << company.toStdString();
    EXPECT_FALSE(company.contains(QStringLiteral("Gentile")));
    // Footer texts never overlap.
    const TextMeasure measure(r.fontFamilies);
    for (const RenderedPage& page : r.pages) {
        QList<QRectF> boxes;
        for (const DrawItem& d : page.items)
            if (d.kind == DrawItem::Text && d.rect.top() > r.pageSize.height() - 20 * 72 / 25.4) {
                QRectF box = d.rect;
                const double w = measure.width(d.text, d.font);
                if (d.align & Qt::AlignRight)
                    box.setLeft(box.right() - w);
                else if (d.align & Qt::AlignHCenter)
                    box = QRectF(box.center().x() - w / 2, box.top(), w, box.height());
                else
                    box.setWidth(w);
                for (const QRectF& other : boxes)
                    EXPECT_FALSE(other.intersects(box)) << d.text.toStdString();
                boxes << box;
            }
        EXPECT_EQ(boxes.size(), 3);
    }

    // Code 48 prints on the firm's paper: no letterhead, its room kept.
    const RenderedReport plain = draw(db, 48, s.customer).report;
    EXPECT_FALSE(flat(plain).contains(QStringLiteral("Via Roma 12 - 20121")));
    double top = 1e9;
    for (const DrawItem& d : plain.pages[0].items)
        top = std::min(top, d.rect.top());
    EXPECT_GE(top, (12 + 38) * 72 / 25.4);
}
