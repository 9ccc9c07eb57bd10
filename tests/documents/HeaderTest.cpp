#include "DocumentsFixture.h"
#include "documents/DocumentStore.h"
#include "documents/HeaderRules.h"

#include <gtest/gtest.h>

using namespace documents;

namespace {

QString firstFailure(DocumentKind kind, const QVariantMap& h, const DocumentOptions& o = {}) {
    const auto f = HeaderRules::validate(kind, h, o);
    return f ? f->text + " @" + f->field : QString();
}

} // namespace

TEST(Header, ChecksInTheirOrder) {
    QVariantMap h;
    const DocumentKind inv = DocumentKind::CustomerInvoice;
    const DocumentKind note = DocumentKind::CustomerCreditNote;
    EXPECT_EQ(firstFailure(inv, h), "Attenzione manca la data @Data");
    EXPECT_EQ(firstFailure(note, h), "Attenzione manca la data @Data");
    h["Data"] = "10/03/2025";
    EXPECT_EQ(firstFailure(inv, h), "Attenzione manca il numero di fattura @Num");
    // Credit notes ask for the payment terms before the number.
    EXPECT_EQ(firstFailure(note, h), "Attenzione manca la Modalità di pagamento @ModPagamento_Id");
    h["ModPagamento_Id"] = 1;
    EXPECT_EQ(firstFailure(note, h), "Attenzione manca il numero di nota credito @Num");
    h["Num"] = 3;
    EXPECT_EQ(firstFailure(inv, h), "Attenzione manca il cliente della fattura @Cliente_ID");
    EXPECT_EQ(firstFailure(note, h), "Attenzione manca il Cliente @Cliente_ID");
    h["Cliente_ID"] = 4;
    EXPECT_EQ(firstFailure(inv, h), "");
    EXPECT_EQ(firstFailure(note, h), "");

    // A stamp needs its serial number unless it is virtual, with the option on.
    DocumentOptions o;
    o.stampDuty = true;
    h["ImportoMarcaBollo"] = 2.0;
    EXPECT_EQ(firstFailure(inv, h, o),
              "Attenzione manca il numero della marca da bollo @IdMarcaBollo");
    EXPECT_EQ(firstFailure(note, h, o), "");
    h["MarcaBolloVirtuale"] = true;
    EXPECT_EQ(firstFailure(inv, h, o), "");
    EXPECT_EQ(HeaderRules::validate(inv, {}, o)->title, "Messaggio di errore");
}

TEST(Header, SaveWritesNothingOnFailureAndReadsBackTotals) {
    TestArchive a(db::Engine::SQLite);
    auto& d = a.db();
    const qint64 c = fixture::customer(d, "Rossi");
    const qint64 id = DocumentStore::create(d, DocumentKind::CustomerInvoice, {});
    QVariantMap h = DocumentStore::load(d, id);
    h["Causale"] = "Servizio";
    auto f = DocumentStore::save(d, DocumentKind::CustomerInvoice, h);
    ASSERT_TRUE(f.has_value());
    EXPECT_EQ(f->text, "Attenzione manca il cliente della fattura");
    EXPECT_TRUE(fixture::header(d, id).isNull("Causale"));

    ASSERT_TRUE(DocumentStore::chooseCustomer(d, DocumentKind::CustomerInvoice, h, c));
    EXPECT_EQ(fixture::header(d, id).text("Cliente"), "Rossi");
    fixture::row(d, DocumentKind::CustomerInvoice, id, 1, 10, 0, 22);
    h = DocumentStore::load(d, id);
    h["ImportoMarcaBollo"] = "2,00"; // typed; kept with the stamp option off
    h["Data"] = "15/04/2025";
    ASSERT_FALSE(DocumentStore::save(d, DocumentKind::CustomerInvoice, h).has_value());
    EXPECT_DOUBLE_EQ(h["TotFattura"].toDouble(), 14.2);
    EXPECT_EQ(h["Data"].toDate(), QDate(2025, 4, 15));
    EXPECT_EQ(h["Causale"].toString(), "Servizio");
    EXPECT_FALSE(h["ConaiAssolto"].toBool());
    EXPECT_EQ(
        d.scalar("select DataScadenza from FatturaScadenze where Fattura_ID = ?", {id}).toDate(),
        QDate::currentDate()); // refreshed, not regenerated: the due date stays
}

// A credit note dated before the invoice it credits is saved with a warning.
TEST(Header, CreditNoteBeforeItsInvoiceIsWarned) {
    QVariantMap note{{"Data", QDate(2026, 3, 10)}, {"NCFattDataRif", QDate(2026, 3, 15)}};
    const QString warned = HeaderRules::warning(DocumentKind::CustomerCreditNote, note);
    EXPECT_TRUE(warned.contains("10/03/2026")) << warned.toStdString();
    EXPECT_TRUE(warned.contains("15/03/2026"));
    EXPECT_TRUE(warned.contains("codice SdI 00418"));
    EXPECT_EQ(HeaderRules::warning(DocumentKind::CustomerInvoice, note), "");
    note["Data"] = QDate(2026, 3, 15);
    EXPECT_EQ(HeaderRules::warning(DocumentKind::CustomerCreditNote, note), "");
    note["NCFattDataRif"] = QVariant();
    EXPECT_EQ(HeaderRules::warning(DocumentKind::CustomerCreditNote, note), "");
}
