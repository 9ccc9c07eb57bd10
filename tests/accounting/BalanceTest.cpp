#include "accounting/Balance.h"

#include "AccountingFixture.h"
#include "Reference.h"
#include "common/Money.h"

#include <gtest/gtest.h>

using namespace accounting;

TEST(Balance, EveryAccountMatchesAnIndependentReckoning) {
    FOR_EACH_ENGINE(engine) {
        SCOPED_TRACE(engine == db::Engine::SQLite ? "SQLite" : "PostgreSQL");
        TestArchive a(engine);
        auto& db = a.db();
        for (int i = 1; i <= 5; ++i)
            ASSERT_EQ(db.insert("ContabilitaConti", {{"Descrizione", QString("Conto %1").arg(i)}}),
                      i);
        fixture::generate(db, 2025, 77, 250);
        db.exec("update opzioni set conto_ID_Predefinito_su_Corrispettivi = 3");
        db.exec("update finanzia set ContabilitaConti_ID = 2 where Corrispettivi = false");
        db.exec("update fattdett set ContabilitaConti_ID = 99 where IDX in (select min(IDX) from "
                "fattdett)");
        const reference::Archive ref(db);
        const QDate from(2025, 4, 1), to(2025, 9, 30);

        QMap<qint64, long double> expected;
        auto add = [&](const QList<reference::Archive::Line>& rows, bool supplier, bool credit,
                       int sign) {
            for (const auto& l : rows) {
                if (!ref.headers.contains(l.document) || l.stockUnload || l.account < 1 ||
                    l.account > 5)
                    continue;
                const auto& h = ref.headers[l.document];
                const QDate d = supplier ? h.registered : h.date;
                if (h.supplier == supplier && h.credit == credit && d >= from && d <= to)
                    expected[l.account] += sign * l.net;
            }
        };
        add(ref.supplierInvoiceRows, true, false, -1);
        add(ref.supplierCreditRows, true, true, 1);
        add(ref.customerInvoiceRows, false, false, 1);
        add(ref.customerCreditRows, false, true, -1);
        for (const auto& t : ref.takings)
            if (t.date >= from && t.date <= to)
                expected[3] += t.rate != 0 ? common::unitFromTotal(1, t.gross, t.rate) : t.gross;
        for (const db::Row& m : db.query("select * from finanzia where Corrispettivi = false"))
            if (m.date("Data") >= from && m.date("Data") <= to)
                expected[2] += m.number("Entrata") - m.number("Uscita");

        ASSERT_FALSE(Balance::prepare(db, from, to));
        const QMap<qint64, double> stored = Balance::read(db);
        EXPECT_EQ(stored.size(), expected.size()) << "account 99 is not in the chart";
        for (auto it = expected.begin(); it != expected.end(); ++it)
            EXPECT_DOUBLE_EQ(stored.value(it.key()), reference::cents(it.value())) << it.key();
        EXPECT_EQ(db.scalar("select DescrizioneData from TempBilancio").toString(),
                  "Dal 01/04/2025 al 30/09/2025");
        EXPECT_TRUE(Balance::prepare(db, from, QDate(2026, 1, 1)));
    }
}
