#include "db/PagedQuery.h"

#include "TestArchive.h"

#include <QDate>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

struct Stored {
    qint64 id;
    QDate date; // null for some rows
    int number;
    QString customer;
};

// A few thousand invoices with repeated dates, some without a date, and
// customers in mixed case.
std::vector<Stored> fill(db::Database& db, int rows) {
    std::vector<Stored> out;
    db::Transaction tx(db);
    for (int i = 0; i < rows; ++i) {
        Stored s;
        s.date = i % 17 == 0 ? QDate() : QDate(2020, 1, 1).addDays((i * 7) % 400);
        s.number = (i * 31) % 997;
        s.customer = (i % 3 ? QStringLiteral("cliente %1") : QStringLiteral("CLIENTE %1"))
                         .arg(i % 50, 2, 10, QChar(u'0'));
        s.id =
            db.insert(QStringLiteral("fattura"),
                      {{QStringLiteral("Carico"), false},
                       {QStringLiteral("FattNota"), false},
                       {QStringLiteral("Storico"), i % 5 == 0},
                       {QStringLiteral("Num"), s.number},
                       {QStringLiteral("Data"), s.date.isValid() ? QVariant(s.date) : QVariant()},
                       {QStringLiteral("Cliente"), s.customer}});
        out.push_back(s);
    }
    tx.commit();
    return out;
}

// Empty dates first, then by date, number and key: the order the list asks for.
bool byDateNumber(const Stored& a, const Stored& b) {
    if (a.date.isValid() != b.date.isValid())
        return !a.date.isValid();
    if (a.date != b.date)
        return a.date < b.date;
    if (a.number != b.number)
        return a.number < b.number;
    return a.id < b.id;
}

const QString kSelect =
    QStringLiteral("select Id, Num, Data, Cliente from fattura where Carico = false");

std::vector<qint64> readAll(db::PagedQuery& q) {
    std::vector<qint64> ids;
    for (int i = 0; i < q.count(); ++i)
        ids.push_back(q.row(i).integer(QStringLiteral("Id")));
    return ids;
}

} // namespace

TEST(PagedQuery, ReadsEveryRowOnceInTheListOrderAPageAtATime) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine, TestArchive::Content::Structure);
        std::vector<Stored> stored = fill(a.db(), 2345);
        std::sort(stored.begin(), stored.end(), byDateNumber);

        db::PagedQuery q(a.db(), kSelect, db::PagedQuery::parseOrder("Data, Num"), "Id");
        q.setPageSize(100);
        const quint64 before = a.db().statementCount();
        ASSERT_EQ(q.count(), 2345);
        EXPECT_EQ(q.row(0).integer("Id"), stored.front().id);
        // Opening the list costs one count and one page, whatever its size.
        EXPECT_EQ(a.db().statementCount() - before, 2u);

        const std::vector<qint64> ids = readAll(q);
        std::vector<qint64> expected;
        for (const Stored& s : stored)
            expected.push_back(s.id);
        EXPECT_EQ(ids, expected);
        // Scrolling to the end read each page once.
        EXPECT_EQ(a.db().statementCount() - before, 1u + 24u);
        EXPECT_EQ(q.row(2345).columnCount(), 0);
        EXPECT_EQ(q.row(-1).columnCount(), 0);
    }
}

TEST(PagedQuery, SortsAndFiltersInTheEngineAsTheWholeQueryWould) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine, TestArchive::Content::Structure);
        std::vector<Stored> stored = fill(a.db(), 1200);

        // A click on "Num" going down: then the list's own order breaks ties.
        db::PagedQuery q(a.db(), kSelect, db::PagedQuery::parseOrder("Data, Num"), "Id");
        q.setPageSize(64);
        q.setPagesKept(3);
        q.sortBy("Num", true);
        std::vector<Stored> bySort = stored;
        std::sort(bySort.begin(), bySort.end(), [](const Stored& x, const Stored& y) {
            if (x.number != y.number)
                return x.number > y.number;
            return byDateNumber(x, y);
        });
        std::vector<qint64> expected;
        for (const Stored& s : bySort)
            expected.push_back(s.id);
        EXPECT_EQ(readAll(q), expected);

        // A text column sorts without regard to case.
        q.sortBy("Cliente", false);
        QString previous;
        for (int i = 0; i < q.count(); ++i) {
            const QString c = q.row(i).text("Cliente");
            EXPECT_LE(previous.compare(c, Qt::CaseInsensitive), 0) << i;
            previous = c;
        }

        // A filter with a bound value keeps the same rows as the whole query.
        db::PagedQuery filtered(a.db(),
                                kSelect + QStringLiteral(" and Num > ? and Storico = false"),
                                db::PagedQuery::parseOrder("Data DESC, Num"), "Id", {500});
        const db::Result whole =
            a.db().query(kSelect + QStringLiteral(" and Num > ? and Storico = false"), {500});
        EXPECT_EQ(filtered.count(), int(whole.size()));
        std::vector<qint64> all;
        for (const db::Row& r : whole)
            all.push_back(r.integer("Id"));
        std::vector<qint64> paged = readAll(filtered);
        std::sort(all.begin(), all.end());
        std::sort(paged.begin(), paged.end());
        EXPECT_EQ(paged, all);
    }
}

TEST(PagedQuery, FindsWhereAKeyStandsAfterAReload) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine, TestArchive::Content::Structure);
        std::vector<Stored> stored = fill(a.db(), 900);
        std::sort(stored.begin(), stored.end(), byDateNumber);

        db::PagedQuery q(a.db(), kSelect, db::PagedQuery::parseOrder("[fattura].[Data], Num"),
                         "Id");
        q.setPageSize(50);
        const qint64 chosen = stored[777].id;
        ASSERT_EQ(q.positionOf(chosen), 777);

        // Another workstation adds an invoice dated before every other one.
        a.db().insert("fattura", {{"Carico", false}, {"Num", 1}, {"Data", QDate(2001, 1, 1)}});
        q.reload();
        EXPECT_EQ(q.count(), 901);
        EXPECT_EQ(q.positionOf(chosen), 778);
        EXPECT_EQ(q.row(778).integer("Id"), chosen);
        EXPECT_EQ(q.positionOf(999999), std::nullopt);

        q.sortBy("Num", false);
        const std::optional<int> at = q.positionOf(chosen);
        ASSERT_TRUE(at.has_value());
        EXPECT_EQ(q.row(*at).integer("Id"), chosen);
    }
}

TEST(PagedQuery, TheBigListsAreReadInTheOrderOfAnIndex) {
    TestArchive a(db::Engine::SQLite);
    const struct {
        const char* select;
        const char* order;
        const char* key;
    } lists[] = {
        {"select * from fattura where Carico = false and FattNota = false and Storico = false",
         "fattura.Data, fattura.Num", "Id"},
        {"select * from fattura where Carico = false and FattNota = true and Storico = true",
         "fattura.Data, fattura.Num", "Id"},
        // The history list: every document of a period, whatever its history flag.
        {"select * from fattura where fattura.Carico = false and fattura.FattNota = false and "
         "fattura.Data >= #1/1/2007# and fattura.Data <= #12/31/2026 23.59.59#",
         "fattura.Data, fattura.Num", "Id"},
        {"select * from ContrattiTestata where Storico = false", "Data desc, Numero desc", "Id"},
        {"select * from Defunti", "NominativoVisualizzato", "Id"},
    };
    for (const auto& list : lists) {
        db::PagedQuery q(a.db(), list.select, db::PagedQuery::parseOrder(list.order), list.key);
        const QString plan = [&] {
            QStringList lines;
            for (const db::Row& r : a.db().queryNative("EXPLAIN QUERY PLAN " + q.pageStatement(3)))
                lines << r.text("detail");
            return lines.join(u'\n');
        }();
        EXPECT_FALSE(plan.contains("TEMP B-TREE")) << list.select << "\n" << plan.toStdString();
        // A scan is fine only when it walks an index in the list's order.
        EXPECT_FALSE(plan.startsWith("SCAN") && !plan.contains("USING")) << list.select << "\n"
                                                                         << plan.toStdString();
    }
}

// A list shorter than a page is counted by the page itself; one exactly a
// page long still needs the count.
TEST(PagedQuery, AShortListIsCountedByItsFirstPage) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine, TestArchive::Content::Structure);
        const auto open = [&](int* rows) {
            db::PagedQuery q(a.db(), kSelect, db::PagedQuery::parseOrder("Data, Num"), "Id");
            q.setPageSize(100);
            const quint64 before = a.db().statementCount();
            *rows = q.count();
            q.row(0);
            return a.db().statementCount() - before;
        };
        int rows = -1;
        EXPECT_EQ(open(&rows), 1u);
        EXPECT_EQ(rows, 0);
        fill(a.db(), 99);
        EXPECT_EQ(open(&rows), 1u);
        EXPECT_EQ(rows, 99);
        fill(a.db(), 1);
        EXPECT_EQ(open(&rows), 2u);
        EXPECT_EQ(rows, 100);
        fill(a.db(), 1);
        EXPECT_EQ(open(&rows), 2u);
        EXPECT_EQ(rows, 101);
    }
}
