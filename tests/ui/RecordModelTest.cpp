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
