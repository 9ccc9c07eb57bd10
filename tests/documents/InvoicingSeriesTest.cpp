#include "documents/InvoicingSeries.h"

#include "TestArchive.h"

#include <gtest/gtest.h>

using documents::InvoicingSeries;

TEST(InvoicingSeries, ACodeIsNeededOnlyWhenCheckedAndARefusalWritesNothing) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        db::Database& db = a.db();
        const qint64 id = InvoicingSeries::add(db);
        const auto stored = [&] {
            return db.query("select * from SerieFatturazione where ID = ?", {id}).first();
        };
        QVariantMap v{{"Serie", QVariant()}, {"Descrizione", "Cimitero"}, {"Note", QVariant()}};
        const auto f = InvoicingSeries::save(db, id, v, true);
        ASSERT_TRUE(f);
        EXPECT_EQ(f->field, "Serie");
        EXPECT_TRUE(stored().isNull("Descrizione"));

        // Leaving the series for another one keeps what was typed, code or not.
        EXPECT_FALSE(InvoicingSeries::save(db, id, v, false));
        EXPECT_EQ(stored().text("Descrizione"), "Cimitero");

        v["Serie"] = "C";
        EXPECT_FALSE(InvoicingSeries::save(db, id, v, true));
        EXPECT_EQ(stored().text("Serie"), "C");

        InvoicingSeries::remove(db, id);
        EXPECT_EQ(db.scalar("select count(*) from SerieFatturazione where ID = ?", {id}).toInt(),
                  0);
    }
}
