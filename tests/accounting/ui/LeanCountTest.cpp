#include "ScreenArchive.h"
#include "ScreenHelpers.h"
#include "accounting/ui/CashBookScreens.h"
#include "accounting/ui/DueDateScreens.h"
#include "ui/DataGrid.h"
#include "ui/RecordModel.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <gtest/gtest.h>

using namespace uitest;
using namespace accounting::ui;

namespace {

// Instalments of customers and suppliers, paid and open, some of them
// pointing at a customer or a document that is no longer there: the list's
// joins keep every one of them.
void fill(db::Database& db) {
    db::Transaction tx(db);
    const qint64 rossi = db.insert("Clienti", {{"NominativoDocumenti", "Rossi Mario"}});
    const qint64 bianchi = db.insert("Clienti", {{"NominativoDocumenti", "Bianchi Anna"}});
    const qint64 supplier = db.insert("Fornitor", {{"Fornitore", "Marmi Srl"}});
    const qint64 invoice = db.insert("fattura", {{"Carico", false}, {"FattNota", false}});
    QList<db::Values> rows;
    // The customers' lists longer than a page, the suppliers' shorter.
    for (int i = 0; i < 1400; ++i) {
        const bool toSupplier = i % 7 == 0;
        const QVariant customer = i % 5 == 0    ? QVariant(rossi)
                                  : i % 11 == 0 ? QVariant(99999)
                                                : QVariant(bianchi);
        rows.append({{"Fattura_ID", i % 3 == 0 ? QVariant(invoice) : QVariant(88888)},
                     {"Numero", i % 4 + 1},
                     {"Tipo", toSupplier ? "C" : "F"},
                     {"Cliente_id", toSupplier ? QVariant() : customer},
                     {"Fornitore_id", toSupplier ? QVariant(supplier) : QVariant()},
                     {"Importo", 10.0 + i},
                     {"Operazione", QStringLiteral("Rata %1").arg(i)},
                     {"Dettagli", i % 2 == 0 ? "bonifico" : "contanti"},
                     // Many on the same day: the order relies on number and key.
                     {"DataScadenza", QDate(2024, 1, 1).addDays(i / 20)},
                     {"DataPagamento", i % 3 == 1 ? QVariant() : QVariant(QDate(2024, 6, 1))},
                     {"Pagato", i % 3 != 1}});
    }
    db.insertMany("FatturaScadenze", rows);
    tx.commit();
}

// Reads the list to its last row as scrolling does: the keys in order.
QList<qint64> keysToEnd(::ui::ListScreen& list) {
    ::ui::RecordModel* model = list.grid()->records();
    QList<qint64> keys;
    for (int r = 0; r < uitest::scrollToEnd(model); ++r)
        keys.append(model->row(r).integer(list.definition().key));
    return keys;
}

// What the archive holds for a mode, counted by hand.
int expected(db::Database& db, const QString& condition) {
    return int(db.scalar("select count(*) from FatturaScadenze left join Clienti on "
                         "FatturaScadenze.Cliente_id = Clienti.Id where " +
                         condition)
                   .toLongLong());
}

} // namespace

TEST(LeanCount, DueDatesEqualTheRowsReadToTheEndWithAndWithoutFilters) {
    FOR_EACH_ENGINE(engine) {
        ScreenArchive s(engine);
        fill(s.db());
        struct Case {
            DueDateMode mode;
            QString condition;
        };
        const QList<Case> modes = {
            {DueDateMode::CustomersOpen, "DataPagamento is null and Tipo <> 'C'"},
            {DueDateMode::CustomersPaid, "DataPagamento is not null and Tipo <> 'C'"},
            {DueDateMode::SuppliersOpen, "DataPagamento is null and Tipo = 'C'"},
            {DueDateMode::SuppliersPaid, "DataPagamento is not null and Tipo = 'C'"}};
        for (const Case& c : modes) {
            SCOPED_TRACE(c.condition.toStdString());
            QStringList counts;
            s.db().setStatementObserver([&](const QString& sql, const QVariantList&) {
                if (sql.startsWith(QLatin1String("SELECT COUNT(*)")))
                    counts << sql;
            });
            DueDateList list(s.context, c.mode);
            const QList<qint64> keys = keysToEnd(list);
            EXPECT_EQ(keys.size(), expected(s.db(), c.condition));
            EXPECT_EQ(QSet<qint64>(keys.begin(), keys.end()).size(), keys.size());
            // A list longer than a page is counted; without a search on a
            // joined column, on the instalments alone.
            ASSERT_EQ(counts.size(), keys.size() >= 200 ? 1 : 0);
            for (const QString& sql : counts)
                EXPECT_FALSE(sql.contains(QLatin1String("Clienti"), Qt::CaseInsensitive))
                    << sql.toStdString();

            // A search on the instalment's own column, the due-date range,
            // and a search on a joined one.
            list.searchBox("Dettagli")->setText("bon");
            EXPECT_EQ(keysToEnd(list).size(),
                      expected(s.db(), c.condition + " and Dettagli like 'bon*'"));
            list.findChild<QLineEdit*>("txtDallaScadenza")->setText("10/01/2024");
            list.findChild<QLineEdit*>("txtAllaScadenza")->setText("31/01/2024");
            list.findChild<QPushButton*>("btnCerca")->click();
            EXPECT_EQ(keysToEnd(list).size(),
                      expected(s.db(), c.condition +
                                           " and Dettagli like 'bon*' and DataScadenza >= "
                                           "#1/10/2024# and DataScadenza <= #1/31/2024 23:59:59#"));
            list.findChild<QPushButton*>("btnReset")->click();
            list.searchBox("Cliente")->setText("Ros");
            EXPECT_EQ(keysToEnd(list).size(),
                      expected(s.db(), c.condition + " and NominativoDocumenti like 'Ros*'"));
            s.db().setStatementObserver({});
        }
    }
}

TEST(LeanCount, CashBookCountsItsMovementsWithTheSearchesApplied) {
    FOR_EACH_ENGINE(engine) {
        ScreenArchive s(engine);
        {
            db::Transaction tx(s.db());
            const qint64 customer = s.db().insert("Clienti", {{"NominativoDocumenti", "Verdi"}});
            QList<db::Values> rows;
            const QDate start(QDate::currentDate().year(), 1, 1);
            for (int i = 0; i < 460; ++i)
                rows.append({{"Data", start.addDays(i % 300 < 200 ? 0 : 1)},
                             {"Operazione", QStringLiteral("Incasso %1").arg(i)},
                             {"Entrata", 5.0},
                             {"Storico", i % 10 == 0},
                             {"Note", i % 2 ? "cassa" : "banca"},
                             {"Cliente_id", i % 4 ? QVariant(customer) : QVariant(77777)},
                             {"Tipologia_ID", 1 + i % 2}});
            s.db().insertMany("finanzia", rows);
            tx.commit();
        }
        CashBookList list(s.context);
        const QString year =
            QStringLiteral("Storico = false and Data >= #1/1/%1#").arg(QDate::currentDate().year());
        const auto expected = [&](const QString& more) {
            return int(s.db()
                           .scalar("select count(*) from finanzia left join Clienti on "
                                   "finanzia.Cliente_id = Clienti.Id where " +
                                   year + more)
                           .toLongLong());
        };
        EXPECT_EQ(keysToEnd(list).size(), expected(""));
        list.searchBox("Note")->setText("ca");
        EXPECT_EQ(keysToEnd(list).size(), expected(" and finanzia.Note like 'ca*'"));
        list.searchBox("Note")->clear();
        list.searchBox("Cliente")->setText("Ver");
        EXPECT_EQ(keysToEnd(list).size(), expected(" and NominativoDocumenti like 'Ver*'"));
    }
}
