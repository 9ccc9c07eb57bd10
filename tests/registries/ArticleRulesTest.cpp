#include "registries/ArticleRules.h"

#include "TestArchive.h"

#include <gtest/gtest.h>

using db::RegistryRecord;
using registries::ArticleRules;

TEST(ArticlePrices, PriceIncludingVatFollowsPriceAndRate) {
    EXPECT_DOUBLE_EQ(ArticleRules::grossPrice(100, 22), 122.00);
    EXPECT_DOUBLE_EQ(ArticleRules::grossPrice(10.25, 22), 12.51); // 12.505 rounds up
    EXPECT_DOUBLE_EQ(ArticleRules::grossPrice(100, 0), 100.00);
    EXPECT_DOUBLE_EQ(ArticleRules::grossPrice(100, 22, 10), 109.80);
    EXPECT_DOUBLE_EQ(ArticleRules::netPrice(122, 22), 100.00);
    EXPECT_DOUBLE_EQ(ArticleRules::netPrice(100, 22), 81.97);
    EXPECT_DOUBLE_EQ(ArticleRules::netPrice(109.80, 22, 10), 100.00);
    EXPECT_DOUBLE_EQ(ArticleRules::netPrice(50, 0), 50.00);
}

TEST(ArticlePrices, CardKeepsBothPricesInStep) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        db::Database& d = a.db();
        const qint64 vat22 = d.insert("Iva", {{"Descrizione", "22%"}, {"Iva", 22.0}});
        const qint64 vat10 = d.insert("Iva", {{"Descrizione", "10%"}, {"Iva", 10.0}});
        RegistryRecord r;
        r["Prezzo"] = 100.0;
        ArticleRules::vatChanged(d, r, vat22);
        EXPECT_DOUBLE_EQ(r["PrezzoCompleto"].toDouble(), 122.0);
        EXPECT_DOUBLE_EQ(r["AliquotaIva"].toDouble(), 22.0);
        ArticleRules::vatChanged(d, r, vat10);
        EXPECT_DOUBLE_EQ(r["PrezzoCompleto"].toDouble(), 110.0);
        r["PrezzoCompleto"] = 55.0;
        ArticleRules::grossChanged(r);
        EXPECT_DOUBLE_EQ(r["Prezzo"].toDouble(), 50.0);
        r["Prezzo"] = 20.0;
        ArticleRules::priceChanged(r);
        EXPECT_DOUBLE_EQ(r["PrezzoCompleto"].toDouble(), 22.0);
        ArticleRules::vatChanged(d, r, 0);
        EXPECT_TRUE(r["Iva_Id"].isNull());
        EXPECT_DOUBLE_EQ(r["PrezzoCompleto"].toDouble(), 20.0);
    }
}

TEST(ArticleSave, NewArticleIsDatedTodayAndChecked) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        db::Database& d = a.db();
        const qint64 vat = d.scalar("select Iva_Id from opzioni").toLongLong();

        RegistryRecord r;
        r["Codice"] = "CAS01";
        r["Prezzo"] = 1000.0;
        auto f = ArticleRules::save(d, r);
        ASSERT_TRUE(f.has_value());
        EXPECT_EQ(f->field, "Descrizione");
        r["Descrizione"] = "Cofano in rovere";
        f = ArticleRules::save(d, r);
        ASSERT_TRUE(f.has_value());
        EXPECT_EQ(f->text, "Attenzione manca l'Aliquota Iva");
        ArticleRules::vatChanged(d, r, vat);
        ASSERT_FALSE(ArticleRules::save(d, r).has_value());
        const qint64 id = db::RecordKey(r, "ID");
        EXPECT_EQ(d.query("select DataInserimento from prezziar where ID = ?", {id})
                      .first()
                      .date("DataInserimento"),
                  QDate::currentDate());
        EXPECT_DOUBLE_EQ(
            d.scalar("select PrezzoCompleto from prezziar where ID = ?", {id}).toDouble(), 1220.0);

        // A second article with the same code would make lookups by code ambiguous...
        RegistryRecord twin;
        twin["Codice"] = "cas01";
        twin["Descrizione"] = "Altro";
        twin["Iva_Id"] = vat;
        f = ArticleRules::save(d, twin);
        ASSERT_TRUE(f.has_value());
        EXPECT_EQ(f->field, "Codice");
        // ...unless the first one is cancelled.
        d.exec("update prezziar set Annullato = true where ID = ?", {id});
        EXPECT_FALSE(ArticleRules::save(d, twin).has_value());

        // Rows added with "Inserisci" start dated today with the default VAT code.
        const qint64 blank = ArticleRules::insertNew(d);
        const RegistryRecord stored = db::readRecord(d, "prezziar", blank);
        EXPECT_EQ(stored["DataInserimento"].toDate(), QDate::currentDate());
        EXPECT_EQ(db::RecordKey(stored, "Iva_Id"), vat);
    }
}
