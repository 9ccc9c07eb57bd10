#include "WriterFixture.h"
#include "einvoice/FileNameRule.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace writer;

namespace {

const char* const H = "/p:FatturaElettronica/FatturaElettronicaHeader/";
const char* const B = "/p:FatturaElettronica/FatturaElettronicaBody/";

QString h(const char* path) {
    return QLatin1String(H) + QLatin1String(path);
}
QString b(const char* path) {
    return QLatin1String(B) + QLatin1String(path);
}

} // namespace

// Who receives the file: codes, PEC and identifiers of each kind of customer.
TEST(Writer, RecipientOfEachKindOfCustomer) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        db::Database& db = a.db();
        company(db);

        { // A private person without VAT number: "0000000", no PEC block.
            const qint64 doc = invoice(db, customer(db));
            addRow(db, doc, 1, 100);
            Export e;
            e.run(db, doc);
            ASSERT_TRUE(e.result.written) << e.result.failure.toStdString();
            EXPECT_EQ(e.xml->one(h("DatiTrasmissione/CodiceDestinatario")), "0000000");
            EXPECT_EQ(e.xml->count(h("DatiTrasmissione/PECDestinatario")), 0);
            EXPECT_EQ(e.xml->count(h("CessionarioCommittente/DatiAnagrafici/IdFiscaleIVA")), 0);
            EXPECT_EQ(e.xml->one(h("CessionarioCommittente/DatiAnagrafici/CodiceFiscale")),
                      "RSSMRA80A01G224W");
            EXPECT_EQ(e.xml->one(h("CessionarioCommittente/DatiAnagrafici/Anagrafica/Cognome")),
                      "Rossi");
            EXPECT_EQ(e.xml->one(h("DatiTrasmissione/ContattiTrasmittente/Email")),
                      "info@rossi.it");
        }
        { // A business known by PEC only.
            const qint64 doc = invoice(db, customer(db, {{"Cliente", "Marmi Srl"},
                                                         {"Iva", "09876543210"},
                                                         {"Pec", "marmi@pec.it"}}));
            addRow(db, doc, 1, 100);
            Export e;
            e.run(db, doc);
            ASSERT_TRUE(e.result.written) << e.result.failure.toStdString();
            EXPECT_EQ(e.xml->one(h("DatiTrasmissione/PECDestinatario")), "marmi@pec.it");
            EXPECT_EQ(e.xml->one(h("CessionarioCommittente/DatiAnagrafici/IdFiscaleIVA/IdCodice")),
                      "09876543210");
            EXPECT_EQ(
                e.xml->one(h("CessionarioCommittente/DatiAnagrafici/Anagrafica/Denominazione")),
                "Marmi Srl");
            EXPECT_EQ(e.xml->count(h("CessionarioCommittente/DatiAnagrafici/Anagrafica/Nome")), 0);
        }
        { // The SdI code is the card's "Codice destinatario", never the firm's
          // own customer code; with a code the PEC is not written.
            const qint64 doc = invoice(db, customer(db, {{"Iva", "09876543210"},
                                                         {"Codice", "CLI0042"},
                                                         {"CodiceUnivocoUfficio", "abc1234"},
                                                         {"Pec", "marmi@pec.it"}}));
            addRow(db, doc, 1, 100);
            Export e;
            e.run(db, doc);
            ASSERT_TRUE(e.result.written) << e.result.failure.toStdString();
            EXPECT_EQ(e.xml->one(h("DatiTrasmissione/CodiceDestinatario")), "ABC1234");
            EXPECT_EQ(e.xml->count(h("DatiTrasmissione/PECDestinatario")), 0);
        }
        { // A public office: FPA12, office code whole.
            const qint64 doc = invoice(db,
                                       customer(db, {{"Cliente", "Comune di Padova"},
                                                     {"PubblicaAmministrazione", true},
                                                     {"CodiceUnivocoUfficio", "UFABCD"},
                                                     {"CodFiscale", "00644060287"}}),
                                       {{"DatiTrasmissione_FormatoTrasmissione", "FPA12"}});
            addRow(db, doc, 1, 100);
            Export e;
            e.run(db, doc);
            ASSERT_TRUE(e.result.written) << e.result.failure.toStdString();
            EXPECT_EQ(e.xml->one("/p:FatturaElettronica/@versione"), "FPA12");
            EXPECT_EQ(e.xml->one(h("DatiTrasmissione/FormatoTrasmissione")), "FPA12");
            EXPECT_EQ(e.xml->one(h("DatiTrasmissione/CodiceDestinatario")), "UFABCD");
        }
        { // A foreign firm: "XXXXXXX" by itself, identified by its foreign
          // tax code written without its country prefix.
            const qint64 doc = invoice(db, customer(db, {{"Cliente", "Blumen GmbH"},
                                                         {"IdPaese", "DE"},
                                                         {"CodFiscale", "de811907980"},
                                                         {"Cap", "00000"},
                                                         {"Provincia", QVariant()}}));
            addRow(db, doc, 1, 100);
            Export e;
            e.run(db, doc);
            ASSERT_TRUE(e.result.written) << e.result.failure.toStdString();
            EXPECT_EQ(e.xml->one(h("DatiTrasmissione/CodiceDestinatario")), "XXXXXXX");
            EXPECT_EQ(e.xml->one(h("CessionarioCommittente/DatiAnagrafici/IdFiscaleIVA/IdPaese")),
                      "DE");
            EXPECT_EQ(e.xml->one(h("CessionarioCommittente/DatiAnagrafici/IdFiscaleIVA/IdCodice")),
                      "811907980");
            EXPECT_EQ(e.xml->one(h("CessionarioCommittente/Sede/Nazione")), "DE");
        }
    }
}

// The customer checks stop before any question about the file.
TEST(Writer, CustomerWithoutCodesIsRefused) {
    TestArchive a(db::Engine::SQLite);
    db::Database& db = a.db();
    company(db);
    const qint64 business = invoice(db, customer(db, {{"Iva", "09876543210"}}));
    addRow(db, business, 1, 100);
    Export e;
    e.run(db, business);
    EXPECT_FALSE(e.result.written);
    EXPECT_TRUE(e.ui.texts_of("error").value(0).contains("la pec o il codice sdi"));
    EXPECT_TRUE(e.ui.texts_of("file").isEmpty());

    const qint64 office = invoice(db, customer(db, {{"PubblicaAmministrazione", true}}),
                                  {{"DatiTrasmissione_FormatoTrasmissione", "FPA12"}});
    addRow(db, office, 1, 100);
    Export p;
    p.run(db, office);
    EXPECT_FALSE(p.result.written);
    EXPECT_TRUE(p.ui.texts_of("error").value(0).contains("Codice Univoco Ufficio"));
    EXPECT_FALSE(db.scalar("select EsportatoXml from fattura where Id = ?", {office}).toBool());

    // A customer no longer in the registry, a credit note without the date
    // of the credited invoice: refused rather than filled from nothing.
    const qint64 dangling = invoice(db, 9999);
    addRow(db, dangling, 1, 100);
    Export d;
    d.run(db, dangling);
    EXPECT_FALSE(d.result.written);
    EXPECT_TRUE(d.ui.texts_of("error").value(0).contains("non è più presente in anagrafica"));
    const qint64 note = creditNote(db, customer(db), {{"NCFattDataRif", QVariant()}});
    addRow(db, note, 1, 100);
    Export n;
    n.run(db, note);
    EXPECT_FALSE(n.result.written);
    EXPECT_EQ(n.ui.texts_of("error"), QStringList({"Attenzione manca la data della fattura di "
                                                   "riferimento della nota di credito"}));
}

// The seller, its fiscal representative and the intermediary.
TEST(Writer, CompanyBlocks) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        db::Database& db = a.db();
        company(db, {{"Iscrizione_REA", true},
                     {"Iscrizione_REA_Ufficio", "PD"},
                     {"Iscrizione_REA_NumeroREA", "123456"},
                     {"Iscrizione_REA_CapitaleSociale", 10000.0},
                     {"Iscrizione_REA_SocioUnico", "SU"},
                     {"Iscrizione_REA_StatoLiquidazione", "LN"},
                     {"StabileOrganizzazione", true},
                     {"StabileOrganizzazione_Indirizzo", "Via Po"},
                     {"StabileOrganizzazione_CAP", "10100"},
                     {"StabileOrganizzazione_Comune", "Torino"},
                     {"StabileOrganizzazione_Nazione", "IT"},
                     {"Contatti", true},
                     {"Fax", "049654321"},
                     {"RappresentanteFiscale", true},
                     {"RappresentanteFiscale_DatiAnagrafici_IdPaese", "IT"},
                     {"RappresentanteFiscale_DatiAnagrafici_IdCodice", "11111111111"},
                     {"RappresentanteFiscale_DatiAnagrafici_Nome", "Anna"},
                     {"RappresentanteFiscale_DatiAnagrafici_Cognome", "Bianchi"},
                     {"TerzoIntermediarioOSoggettoEmittente", true},
                     {"TerzoIntermediarioOSoggettoEmittente_CodiceFiscale", "bnclgu70a01g224x"},
                     {"TerzoIntermediarioOSoggettoEmittente_Denominazione", "Studio Verdi"},
                     {"SoggettoEmittente", "TZ"}});
        const qint64 doc = invoice(db, customer(db));
        addRow(db, doc, 1, 100);
        Export e;
        e.run(db, doc);
        ASSERT_TRUE(e.result.written) << e.result.failure.toStdString();
        const Xml& x = *e.xml;
        // RagSoc wins over the name parts and the EORI code.
        EXPECT_EQ(x.one(h("CedentePrestatore/DatiAnagrafici/Anagrafica/Denominazione")),
                  "Onoranze Funebri Rossi Srl");
        EXPECT_EQ(x.count(h("CedentePrestatore/DatiAnagrafici/Anagrafica/*")), 1);
        EXPECT_EQ(x.one(h("CedentePrestatore/IscrizioneREA/CapitaleSociale")), "10000.00");
        EXPECT_EQ(x.one(h("CedentePrestatore/IscrizioneREA/SocioUnico")), "SU");
        EXPECT_EQ(x.one(h("CedentePrestatore/StabileOrganizzazione/Comune")), "Torino");
        EXPECT_EQ(x.count(h("CedentePrestatore/StabileOrganizzazione/NumeroCivico")), 0);
        EXPECT_EQ(x.one(h("CedentePrestatore/Contatti/Fax")), "049654321");
        EXPECT_EQ(x.one(h("RappresentanteFiscale/DatiAnagrafici/Anagrafica/Cognome")), "Bianchi");
        EXPECT_EQ(x.count(h("TerzoIntermediarioOSoggettoEmittente/DatiAnagrafici/IdFiscaleIVA")),
                  0);
        EXPECT_EQ(x.one(h("TerzoIntermediarioOSoggettoEmittente/DatiAnagrafici/CodiceFiscale")),
                  "BNCLGU70A01G224X");
        EXPECT_EQ(x.one(h("SoggettoEmittente")), "TZ");
    }

    // A sole trader: name parts and EORI; no capital when it is below one euro.
    TestArchive a(db::Engine::SQLite);
    company(a.db(), {{"RagSoc", QVariant()},
                     {"Nome", "Luigi"},
                     {"Cognome", "Rossi"},
                     {"CodOERI", "IT12345678901"},
                     {"Iscrizione_REA", true},
                     {"Iscrizione_REA_Ufficio", "PD"},
                     {"Iscrizione_REA_NumeroREA", "1"},
                     {"Iscrizione_REA_CapitaleSociale", 0.4},
                     {"Iscrizione_REA_StatoLiquidazione", "LN"}});
    const qint64 doc = invoice(a.db(), customer(a.db()));
    addRow(a.db(), doc, 1, 100);
    Export e;
    e.run(a.db(), doc);
    ASSERT_TRUE(e.result.written) << e.result.failure.toStdString();
    EXPECT_EQ(e.xml->all(h("CedentePrestatore/DatiAnagrafici/Anagrafica/*")),
              QStringList({"Luigi", "Rossi", "IT12345678901"}));
    EXPECT_EQ(e.xml->count(h("CedentePrestatore/IscrizioneREA/CapitaleSociale")), 0);
    EXPECT_EQ(e.xml->count(h("RappresentanteFiscale")), 0);
}

// Rows, discounts, rates, natures and the summaries.
TEST(Writer, RowsAndSummaries) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        db::Database& db = a.db();
        company(db);
        const qint64 n1 = vatCode(db, 0, "N1");
        const qint64 n4 = vatCode(db, 0, "N4");
        const qint64 other22 = vatCode(db, 22, "");
        const qint64 doc = invoice(db, customer(db));
        addRow(db, doc, 3, 25, 10, 22, 1,
               {{"Codice", "LOC01"},
                {"DataInizioPeriodo", QDate(2026, 1, 1)},
                {"RiferimentoAmministrazione", "RIF-A"}});
        addRow(db, doc, 1, 40, 0, 22, other22);
        addRow(db, doc, 1, 16, 0, 0, n1);
        addRow(db, doc, 2, 50, 0, 0, n4);
        addRow(db, doc, 1, 5, 0, 0, n4);
        Export e;
        e.run(db, doc);
        ASSERT_TRUE(e.result.written) << e.result.failure.toStdString();
        const Xml& x = *e.xml;
        const QString row1 = b("DatiBeniServizi/DettaglioLinee[NumeroLinea='1']/");
        EXPECT_EQ(x.one(row1 + "CodiceArticolo/CodiceValore"), "LOC01");
        EXPECT_EQ(x.one(row1 + "Quantita"), "3.00");
        EXPECT_EQ(x.one(row1 + "DataInizioPeriodo"), "2026-01-01");
        EXPECT_EQ(x.one(row1 + "ScontoMaggiorazione/Tipo"), "SC");
        EXPECT_EQ(x.one(row1 + "ScontoMaggiorazione/Percentuale"), "10.00");
        EXPECT_EQ(x.one(row1 + "ScontoMaggiorazione/Importo"), "2.50");
        EXPECT_EQ(x.one(row1 + "PrezzoTotale"), "67.50");
        EXPECT_EQ(x.one(row1 + "AliquotaIVA"), "22.00");
        EXPECT_EQ(x.count(row1 + "Natura"), 0);
        EXPECT_EQ(x.one(row1 + "RiferimentoAmministrazione"), "RIF-A");
        const QString row2 = b("DatiBeniServizi/DettaglioLinee[NumeroLinea='2']/");
        EXPECT_EQ(x.count(row2 + "ScontoMaggiorazione"), 0);
        EXPECT_EQ(x.count(row2 + "CodiceArticolo"), 0);
        EXPECT_EQ(x.one(b("DatiBeniServizi/DettaglioLinee[NumeroLinea='3']/Natura")), "N1");

        // Rate 0 split by VAT code; the two 22% codes make one summary.
        const QString sums = b("DatiBeniServizi/DatiRiepilogo");
        EXPECT_EQ(x.all(sums + "/AliquotaIVA"), QStringList({"0.00", "0.00", "22.00"}));
        EXPECT_EQ(x.all(sums + "/Natura"), QStringList({"N1", "N4"}));
        EXPECT_EQ(x.all(sums + "/ImponibileImporto"), QStringList({"16.00", "105.00", "107.50"}));
        EXPECT_EQ(x.all(sums + "/Imposta"), QStringList({"0.00", "0.00", "23.65"}));
        EXPECT_EQ(x.all(sums + "/EsigibilitaIVA"), QStringList({"I", "I", "I"}));
        EXPECT_TRUE(e.ui.texts_of("question").isEmpty())
            << e.ui.texts_of("question").join('\n').toStdString();
    }
}

// A rate 0 without nature is written as it stands once the user goes on
// past the exchange-system warning; answering No writes nothing.
TEST(Writer, ExchangeSystemControlsAsk) {
    TestArchive a(db::Engine::SQLite);
    db::Database& db = a.db();
    company(db);
    setOptions(db, {{"VerificaCoerenza_FattureElett_PrimaEsportazione", false}});
    const qint64 bare = vatCode(db, 0, "");
    const qint64 doc = invoice(db, customer(db), {{"ScissionePagamenti", true}});
    addRow(db, doc, 1, 10, 0, 0, bare);
    addRow(db, doc, 2, 10, 0, 22, 1, {{"TotaleImponibile", 25.0}});

    Export no;
    no.ui.answers.enqueue(false);
    no.run(db, doc);
    EXPECT_FALSE(no.result.written);
    const QString asked = no.ui.texts_of("question").value(0);
    EXPECT_TRUE(asked.contains("00400")) << asked.toStdString();
    EXPECT_TRUE(asked.contains("00429")) << asked.toStdString();
    EXPECT_TRUE(asked.contains("00423")) << asked.toStdString();
    EXPECT_TRUE(no.ui.texts_of("file").isEmpty());
    EXPECT_FALSE(db.scalar("select EsportatoXml from fattura where Id = ?", {doc}).toBool());

    Export yes;
    yes.run(db, doc);
    ASSERT_TRUE(yes.result.written);
    EXPECT_EQ(yes.xml->count(b("DatiBeniServizi/DettaglioLinee[NumeroLinea='1']/Natura")), 0);
    EXPECT_EQ(yes.xml->all(b("DatiBeniServizi/DatiRiepilogo/EsigibilitaIVA")),
              QStringList({"S", "S"}));
}

// Document data: number with year and series, stamp duty, reason, orders.
TEST(Writer, DocumentData) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        db::Database& db = a.db();
        company(db, {{"FatturaAnno", true}, {"FatturazioneMultipla", true}});
        const qint64 doc =
            invoice(db, customer(db),
                    {{"SerieFatturazione", "B"},
                     {"ImportoMarcaBollo", 2.0},
                     {"Causale", "Servizio \u201Cfunebre\u201D \u2013 ala nord \u20AC"}});
        addRow(db, doc, 1, 100, 0, 0, vatCode(db, 0, "N1"));
        const qint64 order = db.insert(
            "OrdiniClientiTestata",
            {{"Numero", "ORD-7"}, {"Data", QDate(2026, 2, 1)}, {"CodiceCig", "Z123456789"}});
        db.insert("FatturaOrdiniClientiRighe", {{"Fattura_ID", doc}, {"Ordine_ID", order}});
        Export e;
        e.run(db, doc);
        ASSERT_TRUE(e.result.written) << e.result.failure.toStdString();
        const Xml& x = *e.xml;
        const QString g = b("DatiGenerali/DatiGeneraliDocumento/");
        EXPECT_EQ(x.one(g + "TipoDocumento"), "TD01");
        EXPECT_EQ(x.one(g + "Data"), "2026-03-15");
        EXPECT_EQ(x.one(g + "Numero"), "15/2026/B");
        EXPECT_EQ(x.one(g + "DatiBollo/BolloVirtuale"), "SI");
        EXPECT_EQ(x.one(g + "DatiBollo/ImportoBollo"), "2.00");
        EXPECT_EQ(x.one(g + "ImportoTotaleDocumento"), "102.00");
        EXPECT_EQ(x.one(g + "Causale"), "Servizio \"funebre\" - ala nord EUR");
        EXPECT_EQ(x.one(b("DatiGenerali/DatiOrdineAcquisto/IdDocumento")), "ORD-7");
        EXPECT_EQ(x.one(b("DatiGenerali/DatiOrdineAcquisto/CodiceCIG")), "Z123456789");
        EXPECT_EQ(x.count(b("DatiGenerali/DatiOrdineAcquisto/CodiceCUP")), 0);
        EXPECT_EQ(x.count(b("DatiGenerali/DatiFattureCollegate")), 0);
        EXPECT_EQ(x.count(b("DatiPagamento")), 0);
        // The prefix is on the root only.
        EXPECT_TRUE(x.bytes().startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"));
        EXPECT_TRUE(x.bytes().contains("<p:FatturaElettronica versione=\"FPR12\""));
        EXPECT_TRUE(x.bytes().contains("</p:FatturaElettronica>"));
        EXPECT_EQ(x.bytes().count("<p:"), 1);
        EXPECT_EQ(x.bytes().count("</p:"), 1);
        EXPECT_TRUE(db.scalar("select EsportatoXml from fattura where Id = ?", {doc}).toBool());
        EXPECT_EQ(e.ui.texts_of("information"), QStringList({"Fattura esportata con successo !"}));
    }

    // Without year and series, no stamp when it is 0.
    TestArchive a(db::Engine::SQLite);
    company(a.db());
    const qint64 doc = invoice(a.db(), customer(a.db()), {{"SerieFatturazione", "B"}});
    addRow(a.db(), doc, 1, 100);
    Export e;
    e.run(a.db(), doc);
    ASSERT_TRUE(e.result.written);
    EXPECT_EQ(e.xml->one(b("DatiGenerali/DatiGeneraliDocumento/Numero")), "15");
    EXPECT_EQ(e.xml->count(b("DatiGenerali/DatiGeneraliDocumento/DatiBollo")), 0);
}

// Instalments, each with its bank's name and IBAN.
TEST(Writer, PaymentDetails) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        db::Database& db = a.db();
        company(db);
        const qint64 bankId =
            bank(db, "Banca di Padova", "IT60X0542811101000000123456", "Rossi Srl");
        const qint64 terms = paymentTerms(db, 3, "MP05");
        const qint64 cash = paymentTerms(db, 0, "MP01");
        const qint64 doc =
            invoice(db, customer(db), {{"ModPagamento_Id", terms}, {"Banca_ID", bankId}});
        addRow(db, doc, 1, 300, 0, 0, vatCode(db, 0, "N1"));
        instalment(db, doc, QDate(2026, 4, 30), 100);
        instalment(db, doc, QDate(2026, 5, 31), 100, 0, cash);
        instalment(db, doc, QDate(2026, 6, 30), 100);
        Export e;
        e.run(db, doc);
        ASSERT_TRUE(e.result.written) << e.result.failure.toStdString();
        const Xml& x = *e.xml;
        const QString p = b("DatiPagamento/");
        EXPECT_EQ(x.one(p + "CondizioniPagamento"), "TP01");
        EXPECT_EQ(x.count(p + "DettaglioPagamento"), 3);
        EXPECT_EQ(x.all(p + "DettaglioPagamento/Beneficiario"),
                  QStringList({"Rossi Srl", "Rossi Srl", "Rossi Srl"}));
        EXPECT_EQ(x.all(p + "DettaglioPagamento/ModalitaPagamento"),
                  QStringList({"MP05", "MP01", "MP05"}));
        EXPECT_EQ(x.all(p + "DettaglioPagamento/DataScadenzaPagamento"),
                  QStringList({"2026-04-30", "2026-05-31", "2026-06-30"}));
        EXPECT_EQ(x.all(p + "DettaglioPagamento/ImportoPagamento"),
                  QStringList({"100.00", "100.00", "100.00"}));
        // Every instalment carries its bank.
        EXPECT_EQ(x.all(p + "DettaglioPagamento/IstitutoFinanziario"),
                  QStringList(3, "Banca di Padova"));
        EXPECT_EQ(x.all(p + "DettaglioPagamento/IBAN"),
                  QStringList(3, "IT60X0542811101000000123456"));

        // Terms without instalments count: TP02.
        db.update("fattura", doc, {{"ModPagamento_Id", cash}});
        Export once;
        once.run(db, doc);
        ASSERT_TRUE(once.result.written);
        EXPECT_EQ(once.xml->one(p + "CondizioniPagamento"), "TP02");
    }
}

// The carrier follows "Includi in xml" and a staff member with a VAT number.
TEST(Writer, CarrierBlock) {
    TestArchive a(db::Engine::SQLite);
    db::Database& db = a.db();
    company(db);
    const qint64 staff = db.insert("Personale", {{"Personale", "Trasporti Neri"},
                                                 {"IdPaese", "IT"},
                                                 {"Iva", "22222222222"},
                                                 {"CodFisc", "nrigpp60a01g224z"},
                                                 {"NumeroLicenzaGuida", "PD1234"}});
    const qint64 look = db.insert("FatturaAspetto", {{"Descrizione", "Cassa"}});
    const qint64 port = db.insert("FatturaPorto", {{"Descrizione", "Franco"}, {"Codice", "EXW"}});
    const qint64 doc = invoice(db, customer(db),
                               {{"Personale_ID", staff},
                                {"Colli", 2},
                                {"Aspetto_ID", look},
                                {"Porto_ID", port},
                                {"datatrasporto", QDate(2026, 3, 16)}});
    addRow(db, doc, 1, 100);
    Export off;
    off.run(db, doc);
    ASSERT_TRUE(off.result.written);
    EXPECT_EQ(off.xml->count(b("DatiGenerali/DatiTrasporto")), 0);

    db.update("fattura", doc, {{"DatiAnagraficiVettore", true}});
    Export on;
    on.run(db, doc);
    ASSERT_TRUE(on.result.written);
    const QString t = b("DatiGenerali/DatiTrasporto/");
    EXPECT_EQ(on.xml->one(t + "DatiAnagraficiVettore/IdFiscaleIVA/IdCodice"), "22222222222");
    EXPECT_EQ(on.xml->one(t + "DatiAnagraficiVettore/CodiceFiscale"), "NRIGPP60A01G224Z");
    EXPECT_EQ(on.xml->one(t + "DatiAnagraficiVettore/Anagrafica/Denominazione"), "Trasporti Neri");
    EXPECT_EQ(on.xml->one(t + "DatiAnagraficiVettore/NumeroLicenzaGuida"), "PD1234");
    EXPECT_EQ(on.xml->one(t + "NumeroColli"), "2");
    EXPECT_EQ(on.xml->one(t + "Descrizione"), "Cassa");
    EXPECT_EQ(on.xml->one(t + "DataInizioTrasporto"), "2026-03-16");
    EXPECT_EQ(on.xml->one(t + "TipoResa"), "EXW");
    EXPECT_TRUE(db.scalar("select DatiTrasporto from fattura where Id = ?", {doc}).toBool());
}

// Attachments go in whole as base64; a missing file stops everything.
TEST(Writer, Attachments) {
    TestArchive a(db::Engine::SQLite);
    db::Database& db = a.db();
    company(db);
    QTemporaryDir files;
    QByteArray content;
    for (int i = 0; i < 5000; ++i)
        content.append(char(i % 256));
    QFile f(files.filePath("verbale.pdf"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(content);
    f.close();
    const qint64 doc = invoice(db, customer(db));
    addRow(db, doc, 1, 100);
    db.insert("Fattura_Allegati", {{"Fattura_Id", doc},
                                   {"NomeAttachment", "verbale.pdf"},
                                   {"FormatoAttachment", "PDF"},
                                   {"PercorsoCompleto", files.filePath("verbale.pdf")}});
    db.insert("Fattura_Allegati",
              {{"Fattura_Id", doc}, {"NomeAttachment", "vuoto"}, {"PercorsoCompleto", ""}});
    Export e;
    e.run(db, doc);
    ASSERT_TRUE(e.result.written) << e.result.failure.toStdString();
    EXPECT_EQ(e.xml->count(b("Allegati")), 1);
    EXPECT_EQ(e.xml->one(b("Allegati/NomeAttachment")), "verbale.pdf");
    EXPECT_EQ(e.xml->one(b("Allegati/FormatoAttachment")), "PDF");
    EXPECT_EQ(e.xml->count(b("Allegati/DescrizioneAttachment")), 0);
    EXPECT_EQ(QByteArray::fromBase64(e.xml->one(b("Allegati/Attachment")).toLatin1()), content);

    // A name longer than the schema allows is shortened before its extension.
    const QString longName = QStringLiteral("Verbale di tumulazione ").repeated(4) + ".pdf";
    db.exec("update Fattura_Allegati set NomeAttachment = ? where PercorsoCompleto <> ''",
            {longName});
    Export shortened;
    shortened.run(db, doc);
    ASSERT_TRUE(shortened.result.written) << shortened.result.failure.toStdString();
    const QString name = shortened.xml->one(b("Allegati/NomeAttachment"));
    EXPECT_LE(name.size(), 60);
    EXPECT_GT(name.size(), 50);
    EXPECT_TRUE(name.endsWith(".pdf")) << name.toStdString();
    EXPECT_TRUE(shortened.ui.texts_of("warning").value(0).contains("Nome dell'allegato 1"));

    db.update("fattura", doc, {{"EsportatoXml", false}});
    QFile::remove(files.filePath("verbale.pdf"));
    Export missing;
    missing.run(db, doc, missing.path("altro.xml"));
    EXPECT_FALSE(missing.result.written);
    EXPECT_EQ(missing.ui.texts_of("warning"),
              QStringList({"Attenzione non è più presente il file allegato : " +
                           files.filePath("verbale.pdf")}));
    EXPECT_FALSE(QFile::exists(missing.path("altro.xml")));
    EXPECT_FALSE(db.scalar("select EsportatoXml from fattura where Id = ?", {doc}).toBool());
}

// A credit note: TD04, the credited invoice, groups from its own rows.
TEST(Writer, CreditNote) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        db::Database& db = a.db();
        company(db, {{"FatturaAnno", true}, {"FatturazioneMultipla", true}});
        const qint64 doc = creditNote(db, customer(db));
        Export empty;
        empty.run(db, doc);
        EXPECT_EQ(empty.ui.texts_of("warning"),
                  QStringList({"Attenzione mancano le Righe di dettaglio della nota di credito! "
                               "Prego inserirle"}));
        addRow(db, doc, 2, 50, 0, 10, 2);
        Export e;
        e.run(db, doc);
        ASSERT_TRUE(e.result.written) << e.result.failure.toStdString();
        const Xml& x = *e.xml;
        EXPECT_EQ(x.one(b("DatiGenerali/DatiGeneraliDocumento/TipoDocumento")), "TD04");
        EXPECT_EQ(x.one(b("DatiGenerali/DatiFattureCollegate/IdDocumento")), "15/2019/B");
        EXPECT_EQ(x.one(b("DatiGenerali/DatiFattureCollegate/Data")), "2019-05-02");
        EXPECT_EQ(x.one(b("DatiBeniServizi/DatiRiepilogo/ImponibileImporto")), "100.00");
        EXPECT_EQ(x.one(b("DatiBeniServizi/DatiRiepilogo/Imposta")), "10.00");
        EXPECT_EQ(e.ui.texts_of("information"),
                  QStringList({"Nota di credito esportata con successo !"}));
    }
    // Invoice number 0 still gives the block.
    TestArchive a(db::Engine::SQLite);
    company(a.db());
    const qint64 doc = creditNote(a.db(), customer(a.db()), {{"NCFattNumRif", 0}});
    addRow(a.db(), doc, 1, 10);
    Export e;
    e.run(a.db(), doc);
    ASSERT_TRUE(e.result.written);
    EXPECT_EQ(e.xml->one(b("DatiGenerali/DatiFattureCollegate/IdDocumento")), "0");
}

// The proposed name, the dialog, and overwriting.
TEST(Writer, FileNameAndOverwrite) {
    TestArchive a(db::Engine::SQLite);
    db::Database& db = a.db();
    company(db);
    db::Row c = db.query("select * from ditta").first();
    EXPECT_EQ(einvoice::FileNameRule::fileName(c, "7"), "IT01234567897_00007.xml");
    setCompany(db, {{"Trasmissione_CodFisc", true}, {"CodFisc", "rssmra80a01g224w"}});
    c = db.query("select * from ditta").first();
    EXPECT_EQ(einvoice::FileNameRule::fileName(c, "42"), "ITRSSMRA80A01G224W_00042.xml");

    const qint64 doc = invoice(db, customer(db));
    addRow(db, doc, 1, 100);
    Export e;
    e.run(db, doc);
    ASSERT_TRUE(e.result.written);
    EXPECT_EQ(e.xml->one(h("DatiTrasmissione/IdTrasmittente/IdCodice")), "RSSMRA80A01G224W");
    EXPECT_EQ(e.xml->one(h("CedentePrestatore/DatiAnagrafici/IdFiscaleIVA/IdCodice")),
              "01234567897");

    // Exporting again asks before overwriting; No leaves the file alone.
    QFile old(e.path(writer::savedName));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("vecchio");
    old.close();
    e.ui.messages.clear();
    e.ui.texts.enqueue(e.path(writer::savedName));
    e.ui.answers.enqueue(false);
    const auto again = einvoice::FatturaPaExport::run(db, e.ui, {doc, QString()});
    EXPECT_FALSE(again.written);
    EXPECT_EQ(e.ui.texts_of("question"),
              QStringList({"Il file e' gia' presente ! Sovrascriverlo ?"}));
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), "vecchio");
    old.close();

    // Cancelling the dialog ends silently.
    common::ScriptedInteraction cancel;
    EXPECT_FALSE(einvoice::FatturaPaExport::run(db, cancel, {doc, QString()}).written);
    EXPECT_EQ(cancel.messages.size(), 1);
}

// Preconditions and the coherence check.
TEST(Writer, PreconditionsAndCoherence) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        db::Database& db = a.db();
        company(db);
        // The progressive is given by the export itself.
        const qint64 noSequence =
            invoice(db, customer(db), {{"DatiTrasmissione_ProgressivoInvio", QVariant()}});
        addRow(db, noSequence, 1, 10);
        Export e1;
        e1.run(db, noSequence);
        EXPECT_TRUE(e1.result.written) << e1.result.failure.toStdString();

        const qint64 noRows = invoice(db, customer(db));
        Export e2;
        e2.run(db, noRows);
        EXPECT_EQ(e2.ui.texts_of("warning"),
                  QStringList({"Attenzione mancano le Righe di dettaglio della fattura! Prego "
                               "inserirle"}));

        // Rows rounded at entry: 3 × 3.333 = 9.999 stored as 10.
        setOptions(db, {{"VerificaCoerenza_FattureElett_PrimaEsportazione", true}});
        const qint64 doc = invoice(db, customer(db));
        addRow(db, doc, 3, 3.333, 0, 0, vatCode(db, 0, "N1"));
        Export no;
        no.ui.answers.enqueue(false);
        no.run(db, doc);
        EXPECT_FALSE(no.result.written);
        ASSERT_EQ(no.ui.messages.size(), 1);
        EXPECT_EQ(no.ui.messages[0].title, "Messaggio di errore vuoi proseguire lo stesso ?");
        EXPECT_EQ(no.ui.messages[0].text,
                  "La riga numero:1 ha un imponibile di : 10 diverso da quello calcolato: 9,999\n");
        Export yes;
        yes.run(db, doc);
        EXPECT_TRUE(yes.result.written);

        // No false alarm on the last floating-point digit (3 × 0.1) nor on
        // a total net of its withholding tax.
        const qint64 clean = invoice(db, customer(db));
        addRow(db, clean, 3, 0.1, 0, 22, 1, {{"TotaleImponibile", 0.3}});
        db.exec("update fattura set TotImponibile = 100, TotImposta = 22, RitenutaAcconto = 20, "
                "TotFattura = 102 where Id = ?",
                {clean});
        addRow(db, clean, 1, 99.7, 0, 22, 1, {{"TotaleImponibile", 99.7}});
        db.exec("update fattura set RitenutaAcconto = 20, TotFattura = 102 where Id = ?", {clean});
        Export quiet;
        quiet.run(db, clean);
        EXPECT_TRUE(quiet.result.written) << quiet.result.failure.toStdString();
        for (const QString& asked : quiet.ui.texts_of("question"))
            EXPECT_FALSE(asked.contains("La riga") || asked.contains("Il totale"))
                << asked.toStdString();
    }
}
