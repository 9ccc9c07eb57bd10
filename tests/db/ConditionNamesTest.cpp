#include "db/ConditionNames.h"

#include <gtest/gtest.h>

TEST(ConditionNames, OnlyTheGivenColumnsCount) {
    const QStringList own = {"Data", "Storico", "Note", "Tipo"};
    EXPECT_TRUE(db::conditionNamesOnly("", own));
    // Keywords, functions, texts, dates, numbers and bound values are not columns.
    EXPECT_TRUE(db::conditionNamesOnly(
        "Storico = false and Data >= #1/1/2026# and note like 'Cliente*' and "
        "(Tipo <> 'C' or Tipo is not null) and year(Data) in (2025, 2026) and Data < ?",
        own));
    EXPECT_TRUE(db::conditionNamesOnly("[Note] like 'x*'", own));
    // A joined column, even hidden in brackets, or any qualified name.
    EXPECT_FALSE(db::conditionNamesOnly("Storico = false and Cliente like 'Ros*'", own));
    EXPECT_FALSE(db::conditionNamesOnly("[Cliente] like 'Ros*'", own));
    EXPECT_FALSE(db::conditionNamesOnly("finanzia.Data >= #1/1/2026#", own));
}
