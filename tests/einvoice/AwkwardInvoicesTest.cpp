#include "WriterFixture.h"
#include "einvoice/FileNameRule.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>

using namespace writer;

// Invoices as the program makes them every day that the exchange system
// used to reject or misread: each is written, valid against the schema and
// passes the exchange system's arithmetic read from the file alone.

namespace {

const char* const rowsPath = "//DettaglioLinee";

QString row(int n, const char* element) {
    return QStringLiteral("%1[NumeroLinea='%2']/%3").arg(rowsPath).arg(n).arg(element);
}

} // namespace

// Four-decimal prices, decimal quantities, a cascade typed as one rate and a
// rate of four decimals: amounts within eight decimals, rates in two, a rate
// two decimals cannot say written as its amount.
TEST(AwkwardInvoices, DecimalsFitTheSchema) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        db::Database& db = a.db();
        company(db);
        const qint64 doc = invoice(db, customer(db));
        addRow(db, doc, 2.5, 12.3456, 17.065);
        addRow(db, doc, 3, 7.1234, 12.3456);
        addRow(db, doc, 3, 33.3333, 0, 22, 1, {{"TotaleImponibile", 100.0}});
        addRow(db, doc, 1.5, 10.1235, 10);
        addRow(db, doc, 1, 19.99, 0, 10, 1, {{"TotaleImponibile", 19.990000000001}});
        Export e;
        e.run(db, doc);
        ASSERT_TRUE(e.result.written) << e.result.failure.toStdString();
        const Xml& x = *e.xml;
        EXPECT_EQ(sdiArithmetic(x), QStringList());

        EXPECT_EQ(x.count(row(1, "ScontoMaggiorazione/Percentuale")), 0);
        EXPECT_EQ(x.one(row(1, "ScontoMaggiorazione/Importo")), "2.10677664");
        EXPECT_EQ(x.count(row(2, "ScontoMaggiorazione/Percentuale")), 0);
        EXPECT_EQ(x.one(row(4, "ScontoMaggiorazione/Percentuale")), "10.00");
        EXPECT_EQ(x.one(row(4, "ScontoMaggiorazione/Importo")), "1.01235");
        EXPECT_EQ(x.one(row(4, "Quantita")), "1.50");
        EXPECT_EQ(x.one(row(5, "PrezzoTotale")), "19.99");
        EXPECT_EQ(x.one(row(5, "AliquotaIVA")), "10.00");
        static const QRegularExpression eight(QStringLiteral("^-?\\d+\\.\\d{2,8}$"));
        for (const QString& amount : x.all(QStringLiteral("%1/*[self::PrezzoUnitario or "
                                                          "self::PrezzoTotale or self::Quantita]")
                                               .arg(rowsPath)))
            EXPECT_TRUE(eight.match(amount).hasMatch()) << amount.toStdString();
    }
}

// Phone and fax keep what the schema allows or are left out, once said.
TEST(AwkwardInvoices, PhoneAndFaxFitOrAreLeftOut) {
    TestArchive a(db::Engine::SQLite);
    db::Database& db = a.db();
    company(db, {{"Tel", "+39 049 8761234"}, {"Fax", "049/876.1235"}, {"Contatti", true}});
    const qint64 doc = invoice(db, customer(db));
    addRow(db, doc, 1, 100);
    Export e;
    e.run(db, doc);
    ASSERT_TRUE(e.result.written) << e.result.failure.toStdString();
    EXPECT_EQ(e.xml->count("//Telefono"), 0);
    EXPECT_EQ(e.xml->one("//Contatti/Fax"), "0498761235");
    EXPECT_EQ(e.xml->one("//ContattiTrasmittente/Email"), "info@rossi.it");
    const QStringList warned = e.ui.texts_of("warning");
    ASSERT_EQ(warned.size(), 1);
    EXPECT_EQ(warned[0].count("Telefono della ditta"), 1) << warned[0].toStdString();

    company(db, {{"Tel", "+39 049 876123"}});
    Export short12;
    short12.run(db, doc);
    ASSERT_TRUE(short12.result.written) << short12.result.failure.toStdString();
    EXPECT_EQ(short12.xml->all("//Telefono"), QStringList({"+39049876123", "+39049876123"}));
}

// A long reason is repeated in pieces, a long row description is cut and
// said so; what cutting would change stops the export, every field named.
TEST(AwkwardInvoices, LengthsAndCharactersFitOrStop) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        db::Database& db = a.db();
        company(db);
        const QString reason =
            QStringLiteral("Tumulazione nel loculo 12 della cappella est. ").repeated(8).left(337);
        const qint64 doc = invoice(db, customer(db), {{"Causale", reason}});
        addRow(db, doc, 1, 100, 0, 22, 1, {{"Descrizione", QString(1200, u'x')}});
        Export e;
        e.run(db, doc);
        ASSERT_TRUE(e.result.written) << e.result.failure.toStdString();
        const QStringList pieces = e.xml->all("//DatiGeneraliDocumento/Causale");
        ASSERT_EQ(pieces.size(), 2);
        EXPECT_EQ(pieces[0].size(), 200);
        EXPECT_EQ(pieces.join(QString()), reason);
        EXPECT_EQ(e.xml->one("//DettaglioLinee/Descrizione").size(), 1000);
        EXPECT_TRUE(e.ui.texts_of("warning").value(0).contains(
            "Descrizione della riga 1: è stata tagliata a 1000 caratteri"));

        company(db, {{"RiferimentoAmministrazione", QString(35, u'R')}});
        const qint64 office =
            customer(db, {{"Cliente", QStringLiteral("Ufficio ").repeated(12).left(95)},
                          {"PubblicaAmministrazione", true},
                          {"CodiceUnivocoUfficio", "UFABCD"},
                          {"Via", QString(76, u'V')},
                          {"Numero", "Km 1+250 int. 4"}});
        const qint64 refused =
            invoice(db, office, {{"DatiTrasmissione_FormatoTrasmissione", "FPA12"}});
        addRow(db, refused, 1, 100);
        const qint64 order =
            db.insert("OrdiniClientiTestata", {{"Numero", "N° 12"}, {"Data", QDate(2026, 2, 1)}});
        db.insert("FatturaOrdiniClientiRighe", {{"Fattura_ID", refused}, {"Ordine_ID", order}});
        Export r;
        r.run(db, refused);
        EXPECT_FALSE(r.result.written);
        EXPECT_FALSE(
            db.scalar("select EsportatoXml from fattura where Id = ?", {refused}).toBool());
        // Stopped before any question, dialog or progressive.
        EXPECT_TRUE(r.ui.texts_of("question").isEmpty());
        EXPECT_TRUE(r.ui.texts_of("file").isEmpty());
        EXPECT_EQ(db.scalar("select Ultimo from ProgressivoTrasmissione").toLongLong(), 1);
        const QString error = r.ui.texts_of("error").value(0);
        for (const char* expected :
             {"Ragione sociale del cliente: è di 95 caratteri, il massimo è 80 (codice SdI 00200)",
              "Via del cliente: è di 76 caratteri, il massimo è 60",
              "Numero civico del cliente: è di 15 caratteri, il massimo è 8",
              "Riferimento amministrazione della ditta: è di 35 caratteri, il massimo è 20",
              "Numero dell'ordine 1: il carattere \"°\" non è ammesso"})
            EXPECT_TRUE(error.contains(QString::fromUtf8(expected))) << error.toStdString();
    }
}

// Names and texts in other alphabets are romanised rather than emptied; a
// mandatory element left empty stops the export, named.
TEST(AwkwardInvoices, OtherAlphabetsAndEmptyTexts) {
    TestArchive a(db::Engine::SQLite);
    db::Database& db = a.db();
    company(db);
    const qint64 greek = customer(db, {{"Cliente", QStringLiteral("Ελληνικά Μάρμαρα Α.Ε.")},
                                       {"IdPaese", "GR"},
                                       {"Iva", "094014201"},
                                       {"CodFiscale", QVariant()},
                                       {"Via", QStringLiteral("Οδός Ερμού")},
                                       {"Numero", "12"},
                                       {"Cap", "00000"},
                                       {"Citta", QStringLiteral("Αθήνα")},
                                       {"Provincia", QVariant()}});
    const qint64 doc = invoice(db, greek);
    addRow(db, doc, 1, 100, 0, 22, 1, {{"Descrizione", QStringLiteral("Πλάκα μαρμάρου")}});
    Export e;
    e.run(db, doc);
    ASSERT_TRUE(e.result.written) << e.result.failure.toStdString();
    EXPECT_EQ(e.xml->one("//CessionarioCommittente//Denominazione"), "Ellinika Marmara A.E.");
    EXPECT_EQ(e.xml->one("//CessionarioCommittente/Sede/Indirizzo"), "Odos Ermou");
    EXPECT_EQ(e.xml->one("//CessionarioCommittente/Sede/Comune"), "Athina");
    EXPECT_EQ(e.xml->one("//DettaglioLinee/Descrizione"), "Plaka marmarou");

    const qint64 polish = customer(db, {{"Nome", QStringLiteral("Łucja")},
                                        {"Cognome", QStringLiteral("Wałęsa")},
                                        {"Citta", QStringLiteral("Citta\u0300 di Castello")}});
    const qint64 empty = invoice(db, polish);
    addRow(db, empty, 1, 100);
    addRow(db, empty, 1, 50, 0, 22, 1, {{"Descrizione", QStringLiteral("\U0001F642\u200B")}});
    Export r;
    r.run(db, empty);
    EXPECT_FALSE(r.result.written);
    EXPECT_TRUE(r.ui.texts_of("error").value(0).contains(
        "Descrizione della riga 2: manca (codice SdI 00200)"))
        << r.ui.texts_of("error").value(0).toStdString();

    db.exec("update fattdett set Descrizione = 'Lapide' where NumFatt = ?", {empty});
    Export w;
    w.run(db, empty);
    ASSERT_TRUE(w.result.written) << w.result.failure.toStdString();
    EXPECT_EQ(w.xml->one("//CessionarioCommittente//Nome"), "Lucja");
    EXPECT_EQ(w.xml->one("//CessionarioCommittente//Cognome"), "Walesa");
    EXPECT_EQ(w.xml->one("//CessionarioCommittente/Sede/Comune"),
              QStringLiteral("Città di Castello"));
}

// A foreign postcode goes with the street; the postcode element says 00000.
TEST(AwkwardInvoices, ForeignPostcodes) {
    TestArchive a(db::Engine::SQLite);
    db::Database& db = a.db();
    company(db);
    const qint64 dutch = customer(db, {{"Cliente", "Bloemen BV"},
                                       {"IdPaese", "NL"},
                                       {"Iva", "NL123456789B01"},
                                       {"CodFiscale", QVariant()},
                                       {"Via", "Keizersgracht"},
                                       {"Numero", "12"},
                                       {"Cap", "1012 AB"},
                                       {"Citta", "Amsterdam"},
                                       {"Provincia", QVariant()}});
    const qint64 doc = invoice(db, dutch);
    addRow(db, doc, 1, 100);
    Export e;
    e.run(db, doc);
    ASSERT_TRUE(e.result.written) << e.result.failure.toStdString();
    EXPECT_EQ(e.xml->one("//CessionarioCommittente/Sede/CAP"), "00000");
    EXPECT_EQ(e.xml->one("//CessionarioCommittente/Sede/Indirizzo"), "Keizersgracht, 1012 AB");
    EXPECT_EQ(e.xml->one("//CedentePrestatore/Sede/CAP"), "35100");
}

// A returned item: the quantity is written without its sign, the price with it.
TEST(AwkwardInvoices, NegativeQuantityMovesItsSignToThePrice) {
    TestArchive a(db::Engine::SQLite);
    db::Database& db = a.db();
    company(db);
    const qint64 doc = invoice(db, customer(db));
    addRow(db, doc, 3, 100);
    addRow(db, doc, -1, 50);
    addRow(db, doc, -2, 25, 10);
    Export e;
    e.run(db, doc);
    ASSERT_TRUE(e.result.written) << e.result.failure.toStdString();
    const Xml& x = *e.xml;
    EXPECT_EQ(sdiArithmetic(x), QStringList());
    EXPECT_EQ(x.one(row(2, "Quantita")), "1.00");
    EXPECT_EQ(x.one(row(2, "PrezzoUnitario")), "-50.00");
    EXPECT_EQ(x.one(row(2, "PrezzoTotale")), "-50.00");
    EXPECT_EQ(x.one(row(3, "Quantita")), "2.00");
    EXPECT_EQ(x.one(row(3, "ScontoMaggiorazione/Importo")), "-2.50");
    EXPECT_EQ(x.one(row(3, "PrezzoTotale")), "-45.00");
    EXPECT_TRUE(e.ui.texts_of("question").isEmpty())
        << e.ui.texts_of("question").join('\n').toStdString();
}

// A VAT number typed with its prefix is written without; a foreign tax
// number identifies the customer but is not an Italian CodiceFiscale.
TEST(AwkwardInvoices, VatNumbersAndForeignTaxNumbers) {
    TestArchive a(db::Engine::SQLite);
    db::Database& db = a.db();
    company(db, {{"PIva", "IT 01234567897"}});
    const qint64 italian = customer(
        db,
        {{"Cliente", "Marmi Srl"}, {"Iva", "IT09876543210"}, {"CodiceUnivocoUfficio", "ABC1234"}});
    const qint64 doc = invoice(db, italian);
    addRow(db, doc, 1, 100);
    Export e;
    e.run(db, doc);
    ASSERT_TRUE(e.result.written) << e.result.failure.toStdString();
    EXPECT_EQ(e.xml->one("//CessionarioCommittente//IdFiscaleIVA/IdCodice"), "09876543210");
    EXPECT_EQ(e.xml->one("//CedentePrestatore//IdFiscaleIVA/IdCodice"), "01234567897");
    EXPECT_EQ(e.xml->one("//IdTrasmittente/IdCodice"), "01234567897");
    EXPECT_EQ(einvoice::FileNameRule::fileName(db.query("select * from ditta").first(), "7"),
              "IT01234567897_00007.xml");

    const qint64 german = customer(db, {{"Nome", "Hans"},
                                        {"Cognome", "Müller"},
                                        {"IdPaese", "DE"},
                                        {"CodFiscale", "65929970489"},
                                        {"Cap", "10115"},
                                        {"Citta", "Berlin"},
                                        {"Provincia", QVariant()}});
    const qint64 foreign = invoice(db, german);
    addRow(db, foreign, 1, 100);
    Export f;
    f.run(db, foreign);
    ASSERT_TRUE(f.result.written) << f.result.failure.toStdString();
    EXPECT_EQ(f.xml->one("//CessionarioCommittente//IdFiscaleIVA/IdCodice"), "65929970489");
    EXPECT_EQ(f.xml->count("//CessionarioCommittente//CodiceFiscale"), 0);
}

// The recipient code is "Codice destinatario" for every customer; the firm's
// own customer code is never an address.
TEST(AwkwardInvoices, RecipientCodeOfEveryCustomer) {
    TestArchive a(db::Engine::SQLite);
    db::Database& db = a.db();
    company(db);
    struct Case {
        db::Values customer;
        const char* code;
        const char* pec;
    };
    const QList<Case> cases = {
        {{{"Cliente", "Marmi Srl"},
          {"Iva", "09876543210"},
          {"Codice", "CLI0042"},
          {"CodiceUnivocoUfficio", "M5UXCR1"}},
         "M5UXCR1",
         nullptr},
        {{{"Cliente", "Fiori Srl"},
          {"Iva", "09876543210"},
          {"Codice", "CLI0043"},
          {"Pec", "fiori@pec.it"}},
         "0000000",
         "fiori@pec.it"},
        {{{"Cliente", "Blumen GmbH"},
          {"IdPaese", "AT"},
          {"Iva", "U12345678"},
          {"CodFiscale", QVariant()},
          {"Provincia", QVariant()}},
         "XXXXXXX",
         nullptr},
        {{{"Codice", "CLI0044"}}, "0000000", nullptr},
    };
    for (const Case& c : cases) {
        const qint64 doc = invoice(db, customer(db, c.customer));
        addRow(db, doc, 1, 100);
        Export e;
        e.run(db, doc);
        ASSERT_TRUE(e.result.written) << c.code << e.result.failure.toStdString();
        EXPECT_EQ(e.xml->one("//DatiTrasmissione/CodiceDestinatario"), c.code);
        EXPECT_EQ(e.xml->count("//DatiTrasmissione/PECDestinatario"), c.pec ? 1 : 0) << c.code;
    }
}

// Without VAT number and tax code an Italian customer is refused before any
// file exists; a foreign one gets the identifier allowed for it.
TEST(AwkwardInvoices, CustomersWithoutTaxNumbers) {
    TestArchive a(db::Engine::SQLite);
    db::Database& db = a.db();
    company(db);
    const qint64 nobody = invoice(db, customer(db, {{"CodFiscale", QVariant()}}));
    addRow(db, nobody, 1, 100);
    Export r;
    r.run(db, nobody);
    EXPECT_FALSE(r.result.written);
    EXPECT_TRUE(r.ui.texts_of("error").value(0).contains("codice SdI 00417"));
    EXPECT_TRUE(r.ui.texts_of("file").isEmpty());

    const QList<QPair<const char*, const char*>> foreigners = {{"FR", "0000000"},
                                                               {"CH", "99999999999"}};
    for (const auto& [country, id] : foreigners) {
        const qint64 doc = invoice(db, customer(db, {{"IdPaese", country},
                                                     {"CodFiscale", QVariant()},
                                                     {"Provincia", QVariant()}}));
        addRow(db, doc, 1, 100);
        Export e;
        e.run(db, doc);
        ASSERT_TRUE(e.result.written) << country << e.result.failure.toStdString();
        EXPECT_EQ(e.xml->one("//CessionarioCommittente//IdFiscaleIVA/IdPaese"), country);
        EXPECT_EQ(e.xml->one("//CessionarioCommittente//IdFiscaleIVA/IdCodice"), id);
    }
}

// A credit note dated before the invoice it credits is not exported.
TEST(AwkwardInvoices, CreditNoteBeforeItsInvoiceIsRefused) {
    TestArchive a(db::Engine::SQLite);
    db::Database& db = a.db();
    company(db);
    const qint64 note = creditNote(
        db, customer(db), {{"Data", QDate(2026, 3, 10)}, {"NCFattDataRif", QDate(2026, 3, 15)}});
    addRow(db, note, 1, 100);
    Export e;
    e.run(db, note);
    EXPECT_FALSE(e.result.written);
    EXPECT_TRUE(e.ui.texts_of("error").value(0).contains("codice SdI 00418"));
    EXPECT_TRUE(e.ui.texts_of("file").isEmpty());
}

// A tax code or VAT number the card would flag is asked about before export.
TEST(AwkwardInvoices, InvalidTaxNumbersAreAskedAbout) {
    TestArchive a(db::Engine::SQLite);
    db::Database& db = a.db();
    company(db);
    const qint64 doc = invoice(db, customer(db, {{"CodFiscale", "RSSMRA80A01G224X"}}));
    addRow(db, doc, 1, 100);
    Export no;
    no.ui.answers.enqueue(false);
    no.run(db, doc);
    EXPECT_FALSE(no.result.written);
    EXPECT_TRUE(no.ui.texts_of("question").value(0).contains("Errore 00306 - codice fiscale"))
        << no.ui.texts_of("question").value(0).toStdString();

    const qint64 firm = invoice(
        db,
        customer(db, {{"Cliente", "Marmi Srl"}, {"Iva", "01234567890"}, {"Pec", "marmi@pec.it"}}));
    addRow(db, firm, 1, 100);
    Export yes;
    yes.run(db, firm);
    EXPECT_TRUE(yes.result.written);
    EXPECT_TRUE(yes.ui.texts_of("question").value(0).contains("Errore 00305 - partita IVA"));
}

// Every export takes a progressive never given before: exporting again after
// a rejection, deleting the last exported document, or passing 99999.
TEST(AwkwardInvoices, TransmissionProgressivesAreNeverReused) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        db::Database& db = a.db();
        company(db);
        const qint64 first = invoice(db, customer(db));
        addRow(db, first, 1, 100);
        QStringList given;
        for (int i = 0; i < 2; ++i) {
            Export e;
            e.run(db, first);
            ASSERT_TRUE(e.result.written) << e.result.failure.toStdString();
            given << e.xml->one("//ProgressivoInvio");
        }
        const qint64 second = invoice(db, customer(db));
        addRow(db, second, 1, 100);
        Export s;
        s.run(db, second);
        ASSERT_TRUE(s.result.written);
        given << s.xml->one("//ProgressivoInvio");
        db.exec("delete from fattdett where NumFatt = ?", {second});
        db.exec("delete from fattura where Id = ?", {second});
        const qint64 third = invoice(db, customer(db));
        addRow(db, third, 1, 100);
        Export t;
        t.run(db, third);
        ASSERT_TRUE(t.result.written);
        given << t.xml->one("//ProgressivoInvio");
        EXPECT_EQ(given, QStringList({"1", "2", "3", "4"}));
        EXPECT_EQ(
            db.scalar("select DatiTrasmissione_ProgressivoInvio from fattura where Id = ?", {first})
                .toLongLong(),
            2);
    }
}

TEST(AwkwardInvoices, FileNamesUseTheWholeBase36Range) {
    using einvoice::FileNameRule;
    EXPECT_EQ(FileNameRule::progressive(7), "00007");
    EXPECT_EQ(FileNameRule::progressive(99999), "99999");
    EXPECT_EQ(FileNameRule::progressive(100000), "0000A");
    EXPECT_EQ(FileNameRule::progressive(100025), "0000Z");
    EXPECT_EQ(FileNameRule::progressive(100026), "0001A");
    const qint64 last = 100000 + 60466176 - 100000 - 1;
    EXPECT_EQ(FileNameRule::progressive(last), "ZZZZZ");
    EXPECT_EQ(FileNameRule::progressive(last + 1), "");
    // Every name is different and none looks like a decimal one.
    QSet<QString> names;
    for (qint64 n = 100000; n < 100000 + 50000; ++n)
        names.insert(FileNameRule::progressive(n));
    EXPECT_EQ(names.size(), 50000);
    for (const QString& name : names)
        ASSERT_TRUE(name.contains(QRegularExpression("[A-Z]"))) << name.toStdString();

    // The names the exchange system takes, and a file saved under another
    // one is said to need renaming.
    EXPECT_TRUE(FileNameRule::accepted("IT01234567890_0000A.xml"));
    EXPECT_TRUE(FileNameRule::accepted("ITRSSMRA80A01G224W_1.XML"));
    for (const char* refused : {"fattura.xml", "IT_00007.xml", "IT01234567890_000001.xml",
                                "it01234567890_00001.xml", "IT01234567890_00001.pdf"})
        EXPECT_FALSE(FileNameRule::accepted(refused)) << refused;
    TestArchive a(db::Engine::SQLite);
    db::Database& db = a.db();
    const qint64 doc = plainInvoice(db);
    Export e;
    e.ui.texts.enqueue(e.path("fattura.xml"));
    e.run(db, doc);
    ASSERT_TRUE(e.result.written);
    EXPECT_EQ(e.ui.texts_of("warning"), QStringList({FileNameRule::refusedName("fattura.xml")}));
}

// The seat's country comes from the address; a company customer's EORI code
// is written; a single instalment is a payment in full.
TEST(AwkwardInvoices, SeatCountryEoriAndSingleInstalment) {
    TestArchive a(db::Engine::SQLite);
    db::Database& db = a.db();
    company(db);
    const qint64 paris = customer(db, {{"Cliente", "Maison Srl"},
                                       {"Iva", "01234567897"},
                                       {"CodiceUnivocoUfficio", "M5UXCR1"},
                                       {"CodEORI", "IT01234567897"},
                                       {"Sede_Nazione", "FR"},
                                       {"Via", "Rue de Rivoli"},
                                       {"Cap", "75001"},
                                       {"Citta", "Paris"},
                                       {"Provincia", QVariant()}});
    const qint64 terms = paymentTerms(db, 3, "MP05");
    const qint64 doc = invoice(db, paris, {{"ModPagamento_Id", terms}});
    addRow(db, doc, 1, 100);
    instalment(db, doc, QDate(2026, 4, 30), 122);
    Export e;
    e.run(db, doc);
    ASSERT_TRUE(e.result.written) << e.result.failure.toStdString();
    const Xml& x = *e.xml;
    EXPECT_EQ(x.one("//CessionarioCommittente//IdFiscaleIVA/IdPaese"), "IT");
    EXPECT_EQ(x.one("//CessionarioCommittente/Sede/Nazione"), "FR");
    EXPECT_EQ(x.one("//CessionarioCommittente/Sede/CAP"), "00000");
    EXPECT_EQ(x.one("//CessionarioCommittente//Anagrafica/CodEORI"), "IT01234567897");
    EXPECT_EQ(x.one("//DatiPagamento/CondizioniPagamento"), "TP02");
}

// The document total is the sum of the summaries, each rounded on its own;
// a stamp charged to the customer is a line of its own outside VAT (N1).
TEST(AwkwardInvoices, DocumentTotalIsTheSumOfTheSummaries) {
    TestArchive a(db::Engine::SQLite);
    db::Database& db = a.db();
    company(db);
    const qint64 doc = invoice(db, customer(db));
    addRow(db, doc, 1, 10.03, 0, 22, 1);
    addRow(db, doc, 1, 10.05, 0, 10, vatCode(db, 10, ""));
    Export e;
    e.run(db, doc);
    ASSERT_TRUE(e.result.written) << e.result.failure.toStdString();
    EXPECT_EQ(e.xml->all("//DatiRiepilogo/Imposta"), QStringList({"1.01", "2.21"}));
    EXPECT_EQ(e.xml->one("//ImportoTotaleDocumento"), "23.30");

    const qint64 stamped = invoice(db, customer(db), {{"ImportoMarcaBollo", 2.0}});
    addRow(db, stamped, 1, 100, 0, 0, vatCode(db, 0, "N4"));
    Export s;
    s.run(db, stamped);
    ASSERT_TRUE(s.result.written) << s.result.failure.toStdString();
    const Xml& x = *s.xml;
    EXPECT_EQ(sdiArithmetic(x), QStringList());
    EXPECT_EQ(x.count("//DettaglioLinee"), 2);
    EXPECT_EQ(x.one(row(2, "Descrizione")), "Imposta di bollo");
    EXPECT_EQ(x.one(row(2, "PrezzoTotale")), "2.00");
    EXPECT_EQ(x.one(row(2, "Natura")), "N1");
    EXPECT_EQ(x.all("//DatiRiepilogo/Natura"), QStringList({"N4", "N1"}));
    EXPECT_EQ(x.one("//DatiRiepilogo[Natura='N1']/ImponibileImporto"), "2.00");
    EXPECT_EQ(x.one("//ImportoTotaleDocumento"), "102.00");
    EXPECT_EQ(x.one("//DatiBollo/ImportoBollo"), "2.00");
}

// Withholding tax is declared with its type, amount, rate and payment
// reason, every row marked; the document total is the gross one.
TEST(AwkwardInvoices, WithholdingTaxIsDeclared) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        db::Database& db = a.db();
        company(db);
        EXPECT_EQ(db.scalar("select CausalePagamentoRitenuta from opzioni").toString(), "A");
        const qint64 doc = invoice(db,
                                   customer(db, {{"Cliente", "Marmi Srl"},
                                                 {"Iva", "01234567897"},
                                                 {"CodiceUnivocoUfficio", "M5UXCR1"}}),
                                   {{"RitAccontoAziende", true}});
        addRow(db, doc, 1, 600);
        addRow(db, doc, 2, 200);
        db.exec("update fattura set RitenutaAcconto = 200, TotFattura = 1020 where Id = ?", {doc});
        const qint64 bankId = bank(db, "Banca di Padova", "IT60X0542811101000000123456");
        instalment(db, doc, QDate(2026, 4, 30), 1020, bankId);
        Export e;
        e.run(db, doc);
        ASSERT_TRUE(e.result.written) << e.result.failure.toStdString();
        const Xml& x = *e.xml;
        const QString w = QStringLiteral("//DatiGeneraliDocumento/DatiRitenuta/");
        EXPECT_EQ(x.one(w + "TipoRitenuta"), "RT02");
        EXPECT_EQ(x.one(w + "ImportoRitenuta"), "200.00");
        EXPECT_EQ(x.one(w + "AliquotaRitenuta"), "20.00");
        EXPECT_EQ(x.one(w + "CausalePagamento"), "A");
        EXPECT_EQ(x.all("//DettaglioLinee/Ritenuta"), QStringList({"SI", "SI"}));
        EXPECT_EQ(x.one("//ImportoTotaleDocumento"), "1220.00");
        EXPECT_EQ(x.one("//ImportoPagamento"), "1020.00");

        setOptions(db, {{"CausalePagamentoRitenuta", "ZO"}});
        company(db, {{"RagSoc", QVariant()},
                     {"Nome", "Luigi"},
                     {"Cognome", "Rossi"},
                     {"CodOERI", QVariant()}});
        Export p;
        p.run(db, doc);
        ASSERT_TRUE(p.result.written) << p.result.failure.toStdString();
        EXPECT_EQ(p.xml->one(w + "TipoRitenuta"), "RT01");
        EXPECT_EQ(p.xml->one(w + "CausalePagamento"), "ZO");
    }
}

// The controls on the parties and the date, each named by its code.
TEST(AwkwardInvoices, PartyAndDateControlsAreAskedAbout) {
    TestArchive a(db::Engine::SQLite);
    db::Database& db = a.db();
    company(db, {{"PIva", "01234567890"}});
    const qint64 doc = invoice(db, customer(db), {{"Data", QDate::currentDate().addDays(3)}});
    addRow(db, doc, 1, 100);
    Export no;
    no.ui.answers.enqueue(false);
    no.run(db, doc);
    EXPECT_FALSE(no.result.written);
    const QString asked = no.ui.texts_of("question").value(0);
    EXPECT_TRUE(asked.contains("Errore 00301 - partita IVA della ditta")) << asked.toStdString();
    EXPECT_TRUE(asked.contains("Errore 00403")) << asked.toStdString();
    EXPECT_FALSE(asked.contains("00476")) << asked.toStdString();

    company(db, {{"IdPaese", "FR"}, {"PIva", "12345678901"}});
    const qint64 foreign = invoice(
        db,
        customer(db, {{"IdPaese", "DE"}, {"CodFiscale", QVariant()}, {"Provincia", QVariant()}}));
    addRow(db, foreign, 1, 100);
    Export both;
    both.ui.answers.enqueue(false);
    both.run(db, foreign);
    EXPECT_TRUE(both.ui.texts_of("question").value(0).contains("Errore 00476"));
}

// Attachments that make the file bigger than the exchange system takes are
// asked about after the file is made; "No" saves nothing and marks nothing.
TEST(AwkwardInvoices, FileOverFiveMegabytesIsAskedAbout) {
    TestArchive a(db::Engine::SQLite);
    db::Database& db = a.db();
    const qint64 doc = plainInvoice(db);
    QTemporaryDir dir;
    const QString scan = dir.filePath("progetto.pdf");
    {
        QFile f(scan);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(4 * 1024 * 1024, 'a')); // base64 makes it 5.3 MB
    }
    db.insert("Fattura_Allegati", {{"Fattura_Id", doc},
                                   {"NomeAttachment", "progetto.pdf"},
                                   {"FormatoAttachment", "PDF"},
                                   {"PercorsoCompleto", scan}});
    Export no;
    no.ui.answers.enqueue(false);
    no.run(db, doc);
    EXPECT_FALSE(no.result.written);
    const QStringList asked = no.ui.texts_of("question");
    ASSERT_EQ(asked.size(), 1);
    EXPECT_TRUE(asked[0].contains("Errore 00003 - il file occupa 5,3")) << asked[0].toStdString();
    EXPECT_FALSE(QFileInfo::exists(no.path(writer::savedName)));
    EXPECT_FALSE(db.scalar("select EsportatoXml from fattura where id = ?", {doc}).toBool());

    Export yes;
    yes.run(db, doc);
    EXPECT_TRUE(yes.result.written);
}
