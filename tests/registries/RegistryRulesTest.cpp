#include "TestArchive.h"
#include "registries/EmailAddresses.h"
#include "registries/PaymentTermsRules.h"
#include "registries/SimpleRegistryRules.h"

#include <gtest/gtest.h>

namespace {

QVariantMap terms(qint64 count, QList<QVariant> days) {
    QVariantMap v{{QStringLiteral("PA_ModalitaPagamento_Codice"), QStringLiteral("MP05")},
                  {QStringLiteral("Descrizione"), QStringLiteral("Bonifico 30/60")},
                  {QStringLiteral("NumeroScadenze"), count}};
    for (int i = 1; i <= 12; ++i)
        v.insert(QStringLiteral("GG%1Scadenza").arg(i),
                 i <= days.size() ? days[i - 1] : QVariant());
    return v;
}

} // namespace

TEST(PaymentTermsRules, ChecksInOrderAndStopsAtTheFirst) {
    QVariantMap v = terms(2, {30, 60});
    EXPECT_FALSE(registries::validatePaymentTerms(v));

    QVariantMap noType = v;
    noType.insert(QStringLiteral("PA_ModalitaPagamento_Codice"), QVariant());
    noType.insert(QStringLiteral("Descrizione"), QVariant());
    auto f = registries::validatePaymentTerms(noType);
    ASSERT_TRUE(f);
    EXPECT_EQ(f->text, QStringLiteral("Attenzione manca la Tipologia"));
    EXPECT_EQ(f->title, QStringLiteral("Messaggio di errore"));
    EXPECT_EQ(f->field, QStringLiteral("PA_ModalitaPagamento_Codice"));

    QVariantMap noDescription = v;
    noDescription.insert(QStringLiteral("Descrizione"), QStringLiteral("  "));
    f = registries::validatePaymentTerms(noDescription);
    ASSERT_TRUE(f);
    EXPECT_EQ(f->text, QStringLiteral("Attenzione manca la Descrizione"));
    EXPECT_EQ(f->title, QStringLiteral("Messaggio di Errore"));
}

TEST(PaymentTermsRules, EveryInstalmentNeedsItsDays) {
    auto f = registries::validatePaymentTerms(terms(1, {}));
    ASSERT_TRUE(f);
    EXPECT_EQ(f->text,
              QStringLiteral("Attenzione manca il numero dei Giorni di scadenza Pagamento"));
    EXPECT_EQ(f->field, QStringLiteral("GG1Scadenza"));

    f = registries::validatePaymentTerms(terms(3, {30, 60}));
    ASSERT_TRUE(f);
    EXPECT_EQ(f->text,
              QStringLiteral("Attenzione manca un numero dei Giorni di scadenza Pagamento"));
    EXPECT_EQ(f->field, QStringLiteral("GG3Scadenza"));

    // Zero days is a value (due on the document date); paid at once needs none.
    EXPECT_FALSE(registries::validatePaymentTerms(terms(2, {0, 30})));
    EXPECT_FALSE(registries::validatePaymentTerms(terms(0, {})));
    EXPECT_FALSE(registries::validatePaymentTerms(
        terms(12, {30, 60, 90, 120, 150, 180, 210, 240, 270, 300, 330, 360})));
}

TEST(PaymentTermsRules, AtMostTwelveInstalments) {
    EXPECT_EQ(registries::clampInstalments(qint64(15)).toLongLong(), 12);
    EXPECT_EQ(registries::clampInstalments(qint64(12)).toLongLong(), 12);
    EXPECT_EQ(registries::clampInstalments(qint64(3)).toLongLong(), 3);
    EXPECT_TRUE(registries::clampInstalments(QVariant()).isNull());
}

TEST(SimpleRegistryRules, VatCodeNeedsDescriptionRateAndNatureWhenExempt) {
    QVariantMap v{{QStringLiteral("Descrizione"), QStringLiteral("Esente art. 10")},
                  {QStringLiteral("Iva"), 0.0},
                  {QStringLiteral("Pa_Natura_Codice"), QVariant()}};
    auto f = registries::validateVatCode(v);
    ASSERT_TRUE(f);
    EXPECT_EQ(f->field, QStringLiteral("Pa_Natura_Codice"));
    v.insert(QStringLiteral("Pa_Natura_Codice"), QStringLiteral("N4"));
    EXPECT_FALSE(registries::validateVatCode(v));
    v.insert(QStringLiteral("Iva"), QVariant());
    f = registries::validateVatCode(v);
    ASSERT_TRUE(f);
    EXPECT_EQ(f->text, QStringLiteral("Attenzione manca l'Aliquota Iva"));
    EXPECT_FALSE(registries::validateVatCode(
        {{QStringLiteral("Descrizione"), QStringLiteral("22%")}, {QStringLiteral("Iva"), 22.0}}));
}

TEST(SimpleRegistryRules, SeriesNeedsItsCode) {
    auto f = registries::validateInvoicingSeries({{QStringLiteral("Serie"), QVariant()}});
    ASSERT_TRUE(f);
    EXPECT_EQ(f->text, QStringLiteral("Attenzione manca la Serie"));
    EXPECT_EQ(f->title, QStringLiteral("Messaggio di Errore"));
    EXPECT_FALSE(
        registries::validateInvoicingSeries({{QStringLiteral("Serie"), QStringLiteral("A")}}));
}

TEST(SimpleRegistryRules, DeletingACustomerCategoryClearsOnlyItsCustomersColour) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        db::Database& db = a.db();
        const qint64 red = db.insert(QStringLiteral("ClientiCategoria"),
                                     {{QStringLiteral("Descrizione"), QStringLiteral("Rossi")},
                                      {QStringLiteral("ColoreCategoria"), 255}});
        const qint64 blue = db.insert(QStringLiteral("ClientiCategoria"),
                                      {{QStringLiteral("Descrizione"), QStringLiteral("Blu")},
                                       {QStringLiteral("ColoreCategoria"), 0xff0000}});
        const qint64 c1 = db.insert(QStringLiteral("Clienti"),
                                    {{QStringLiteral("Cliente"), QStringLiteral("Uno")},
                                     {QStringLiteral("Categoria_ID"), red},
                                     {QStringLiteral("ColoreCategoria"), 255}});
        const qint64 c2 = db.insert(QStringLiteral("Clienti"),
                                    {{QStringLiteral("Cliente"), QStringLiteral("Due")},
                                     {QStringLiteral("Categoria_ID"), blue},
                                     {QStringLiteral("ColoreCategoria"), 0xff0000}});
        registries::deleteCustomerCategory(db, red);
        EXPECT_TRUE(
            db.scalar(QStringLiteral("select ColoreCategoria from Clienti where ID = ?"), {c1})
                .isNull());
        EXPECT_EQ(
            db.scalar(QStringLiteral("select ColoreCategoria from Clienti where ID = ?"), {c2})
                .toLongLong(),
            0xff0000);
        EXPECT_EQ(db.scalar(QStringLiteral("select count(*) from ClientiCategoria")).toInt(), 1);
    }
}

TEST(SimpleRegistryRules, IbanStoredWithoutSpaces) {
    EXPECT_EQ(
        registries::normalisedIban(QStringLiteral("it60 x054 2811 1010 0000 0123 456")).toString(),
        QStringLiteral("IT60X0542811101000000123456"));
    EXPECT_TRUE(registries::normalisedIban(QStringLiteral("  ")).isNull());
}

// The "Email" action of a list: the selected rows' addresses, blanks and
// repeats left out, in the order of the selection.
TEST(EmailAction, AddressesOfTheSelectedRows) {
    TestArchive a(db::Engine::SQLite);
    auto add = [&](const QString& name, const QVariant& mail) {
        return a.db().insert(QStringLiteral("Fornitor"), {{QStringLiteral("Fornitore"), name},
                                                          {QStringLiteral("Email"), mail}});
    };
    const qint64 rossi = add(QStringLiteral("Rossi"), QStringLiteral(" rossi@esempio.it "));
    const qint64 blank = add(QStringLiteral("Bianchi"), QStringLiteral("  "));
    const qint64 none = add(QStringLiteral("Verdi"), QVariant());
    const qint64 again = add(QStringLiteral("Rossi bis"), QStringLiteral("ROSSI@esempio.it"));
    const qint64 neri = add(QStringLiteral("Neri"), QStringLiteral("neri@esempio.it"));
    EXPECT_EQ(registries::emailAddressesOf(a.db(), QStringLiteral("Fornitor"),
                                           QStringLiteral("Email"),
                                           {neri, blank, rossi, none, again}),
              QStringList({"neri@esempio.it", "rossi@esempio.it"}));
}
