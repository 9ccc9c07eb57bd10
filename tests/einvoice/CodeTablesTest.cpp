#include "einvoice/CodeTables.h"

#include "TestArchive.h"

#include <gtest/gtest.h>

namespace C = einvoice::codetables;

// Every table offered in a drop-down ships with its codes.
TEST(CodeTables, ShippedWithTheArchive) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        for (const QString& table : C::names()) {
            const db::Result r = a.db().query(C::dropDownSql(table));
            EXPECT_GE(r.size(), 2u) << table.toStdString();
        }
        EXPECT_FALSE(C::description(a.db(), "PA_ModalitaPagamento", "MP05").isEmpty());
        EXPECT_EQ(C::description(a.db(), "PA_Natura", "N9"), QString());
    }
    EXPECT_EQ(C::natureLabel("N3.5"), "non imponibili - a seguito di dichiarazioni d'intento");
    EXPECT_TRUE(C::natureLabel("N7").endsWith("art. 74-sexies DPR 633/72)"));
    EXPECT_EQ(C::natureLabel("N2"), QString()); // generic codes have no label
}
