#include "einvoice/RejectionErrors.h"

#include "TestArchive.h"

#include <gtest/gtest.h>

namespace E = einvoice::rejectionerrors;

// The shipped list, filtered by the start of code and title, in code order.
TEST(RejectionErrors, FilterByCodeAndTitle) {
    EXPECT_EQ(E::condition("*", " "), QString());
    EXPECT_EQ(E::condition("003", "l'id"), "Codice like '003*' and Titolo like 'l''id*'");
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        const db::Result all = E::list(a.db());
        ASSERT_GE(all.size(), 60u);
        for (std::size_t i = 1; i < all.size(); ++i)
            EXPECT_LT(all[i - 1].text("Codice"), all[i].text("Codice"));
        for (const db::Row& r : all)
            EXPECT_FALSE(r.text("Suggerimenti").isEmpty()) << r.text("Codice").toStdString();

        const db::Result some = E::list(a.db(), "001");
        ASSERT_FALSE(some.empty());
        for (const db::Row& r : some)
            EXPECT_TRUE(r.text("Codice").startsWith("001"));
        // Titles match from their start, without regard to case.
        const db::Result named = E::list(a.db(), "*", "nome file");
        ASSERT_GE(named.size(), 2u);
        EXPECT_EQ(named[0].text("Codice"), "00001");
        EXPECT_TRUE(E::list(a.db(), "00001", "file").empty());

        const db::Row one = E::find(a.db(), named[0].integer("ID"));
        EXPECT_EQ(one.text("Titolo"), "Nome file non valido");
        EXPECT_FALSE(one.text("Descrizione").isEmpty());
        EXPECT_EQ(E::find(a.db(), -1).columnCount(), 0);
    }
}
