#include "ui/Guarded.h"

#include "common/ScriptedInteraction.h"
#include "db/DbError.h"
#include "ui/LazyChoice.h"

#include <gtest/gtest.h>

TEST(Guarded, ADatabaseErrorEndsTheActionAndIsShownOnce) {
    common::ScriptedInteraction ask;
    ::ui::AppContext context;
    context.interaction = &ask;
    bool after = false;
    EXPECT_FALSE(::ui::guarded(context, [&] {
        throw db::DbError(QStringLiteral("disco pieno"));
        after = true;
    }));
    EXPECT_FALSE(after);
    ASSERT_EQ(ask.messages.size(), 1);
    EXPECT_EQ(ask.messages[0].kind, "error");
    EXPECT_EQ(ask.messages[0].title, "Messaggio di errore");
    EXPECT_EQ(ask.messages[0].text, "disco pieno");

    EXPECT_TRUE(::ui::guarded(context, [] {}));
    // Without anyone to ask the error is only reported by the result.
    EXPECT_FALSE(::ui::guarded(nullptr, [] { throw db::DbError(QStringLiteral("x")); }));
    EXPECT_EQ(ask.messages.size(), 1);
}

TEST(Guarded, ARefusalGoesToTheScreenAndADatabaseErrorDoesNot) {
    common::ScriptedInteraction ask;
    ::ui::AppContext context;
    context.interaction = &ask;
    QString refused;
    const auto onRefusal = [&](const common::Failure& f) { refused = f.field; };
    EXPECT_FALSE(::ui::guardedRule(
        context,
        [] {
            return std::optional<common::Failure>(
                common::Failure{QStringLiteral("t"), QStringLiteral("x"), QStringLiteral("Serie")});
        },
        onRefusal));
    EXPECT_EQ(refused, "Serie");
    EXPECT_TRUE(ask.messages.isEmpty());

    refused.clear();
    EXPECT_FALSE(::ui::guardedRule(
        context, []() -> std::optional<common::Failure> { throw db::DbError(QStringLiteral("x")); },
        onRefusal));
    EXPECT_TRUE(refused.isEmpty());
    EXPECT_EQ(ask.messages.size(), 1);

    EXPECT_TRUE(::ui::guardedRule(
        context, [] { return std::optional<common::Failure>(); }, onRefusal));
}

// A drop-down read on opening whose read fails says so and is read again
// at the next opening; the event never carries the error out.
TEST(Guarded, ALazyChoiceThatCannotBeReadIsTriedAgain) {
    common::ScriptedInteraction ask;
    bool serverBack = false;
    ::ui::LazyChoice choice(&ask, [&](QComboBox* box) {
        if (!serverBack)
            throw db::DbError(QStringLiteral("Il server dell'archivio non risponde"));
        box->addItem(QStringLiteral("Banca Etica"), 3);
    });
    choice.ensureFilled();
    EXPECT_FALSE(choice.isFilled());
    ASSERT_EQ(ask.texts_of("error"), QStringList({"Il server dell'archivio non risponde"}));
    serverBack = true;
    choice.ensureFilled();
    EXPECT_TRUE(choice.isFilled());
    EXPECT_EQ(choice.count(), 2);
    EXPECT_EQ(ask.messages.size(), 1);
}

// Read again after invalidate(), the choice made stays chosen while its row
// is still there, and falls back to "none" when it is gone.
TEST(Guarded, ALazyChoiceReadAgainKeepsTheChoiceMade) {
    common::ScriptedInteraction ask;
    QList<std::pair<QString, int>> banks = {{"Banca Etica", 3}, {"Cassa Rurale", 7}};
    ::ui::LazyChoice choice(&ask, [&](QComboBox* box) {
        box->clear();
        box->addItem(QString(), QVariant());
        for (const auto& [name, id] : banks)
            box->addItem(name, id);
    });
    choice.ensureFilled();
    choice.setCurrentIndex(choice.findData(7));
    banks.prepend({"Banca Alpi", 1});
    choice.invalidate();
    choice.ensureFilled();
    EXPECT_EQ(choice.currentText(), "Cassa Rurale");
    banks.removeLast();
    choice.invalidate();
    choice.ensureFilled();
    EXPECT_EQ(choice.currentIndex(), 0);
    EXPECT_FALSE(choice.currentData().isValid());
}
