#include "ui/RecordModel.h"

#include "TestArchive.h"

#include <gtest/gtest.h>

// Dates read under a name of the statement's own are shown as the user reads
// them, as are the table's; a "Data" column holding no date shows its text.
TEST(RecordModel, RenamedDateColumnsShowItalianDates) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        db::Database& db = a.db();
        db.insert("fattura", {{"Num", 7}, {"Data", QDate(2020, 1, 10)}, {"Carico", false}});
        const qint64 invoice = db.scalar("select max(Id) from fattura").toLongLong();
        db.insert(
            "FatturaScadenze",
            {{"Fattura_ID", invoice}, {"DataScadenza", QDate(2020, 2, 29)}, {"Importo", 5.0}});
        ui::RecordModel model;
        model.setTable("FatturaScadenze");
        model.setColumns({{"DataScadenza", 90, "Scadenza"},
                          {"DataFattura", 90, "Data Docum."},
                          {"DataNota", 90, "Nota"}});
        model.setResult(db.query("SELECT FatturaScadenze.DataScadenza, fattura.Data as "
                                 "DataFattura, 'da vedere' as DataNota FROM FatturaScadenze "
                                 "LEFT JOIN fattura ON FatturaScadenze.Fattura_ID = fattura.Id"));
        ASSERT_EQ(model.rowCount(), 1);
        EXPECT_EQ(model.index(0, 0).data().toString(), "29/02/2020");
        EXPECT_EQ(model.index(0, 1).data().toString(), "10/01/2020");
        EXPECT_EQ(model.index(0, 2).data().toString(), "da vedere");
    }
}

// What the model works out once (where each column stands in the rows, how
// it shows, the colour of the row last painted) follows every change: new
// rows with their columns in another order, new columns, a sort, the table.
TEST(RecordModel, CellsFollowNewRowsColumnsAndSort) {
    TestArchive a(db::Engine::SQLite);
    db::Database& db = a.db();
    ui::RecordModel model;
    model.setColumns({{"Cognome", 90, "Cognome"}, {"SaldoInizioAnno", 90, "SaldoInizioAnno"}});
    model.setRowColour([](const db::Row& r) {
        return r.text("Cognome") == "Bianchi" ? QColor(Qt::red) : QColor();
    });
    const auto cell = [&](int r, int c, int role = Qt::DisplayRole) {
        return model.index(r, c).data(role);
    };
    model.setResult(db.query("select 'Rossi' as Cognome, 1250.5 as SaldoInizioAnno union all "
                             "select 'Bianchi', 3 order by 1 desc"));
    EXPECT_EQ(cell(0, 0).toString(), "Rossi");
    EXPECT_FALSE(cell(0, 1, Qt::ForegroundRole).isValid());
    EXPECT_EQ(cell(1, 1, Qt::ForegroundRole).value<QColor>(), QColor(Qt::red));

    // The same names in another order, and a row fewer.
    model.setResult(db.query("select 7 as SaldoInizioAnno, 'Verdi' as Cognome"));
    ASSERT_EQ(model.rowCount(), 1);
    EXPECT_EQ(cell(0, 0).toString(), "Verdi");
    EXPECT_EQ(cell(0, 1).toString(), "7");

    model.setResult(db.query("select 'Rossi' as Cognome, 1250.5 as SaldoInizioAnno union all "
                             "select 'Bianchi', 3"));
    model.setSort("Cognome ASC");
    EXPECT_EQ(cell(0, 0).toString(), "Bianchi");
    EXPECT_EQ(cell(0, 0, Qt::ForegroundRole).value<QColor>(), QColor(Qt::red));
    model.setSort("Cognome DESC");
    EXPECT_FALSE(cell(0, 0, Qt::ForegroundRole).isValid());
    EXPECT_EQ(cell(1, 0, Qt::ForegroundRole).value<QColor>(), QColor(Qt::red));

    // Columns swapped, and a table that makes SaldoInizioAnno an amount.
    model.setColumns({{"SaldoInizioAnno", 90, "SaldoInizioAnno"}, {"Cognome", 90, "Cognome"}});
    EXPECT_EQ(cell(0, 1).toString(), "Rossi");
    EXPECT_EQ(cell(0, 0).toString(), "1250.5");
    model.setTable("Clienti");
    EXPECT_EQ(cell(0, 0).toString(), "1.250,50");
    EXPECT_EQ(cell(0, 0, Qt::TextAlignmentRole).toInt(), int(Qt::AlignRight | Qt::AlignVCenter));
}
