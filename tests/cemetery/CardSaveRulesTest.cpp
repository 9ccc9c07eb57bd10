#include "ContractFixture.h"
#include "cemetery/ContractRules.h"
#include "cemetery/DeceasedRules.h"
#include "cemetery/Positions.h"

#include <gtest/gtest.h>

using cemetery::ContractRules;
using cemetery::DeceasedRules;
using namespace contractFixture;

namespace {

db::Row deceasedRow(db::Database& d, qint64 id) {
    return d.query("select * from Defunti where Id = ?", {id}).first();
}

} // namespace

TEST(CardSaves, DeceasedCopiesColourAndPlacesDerivesNamesAndLinksTheContract) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        db::Database& d = a.db();
        const qint64 category =
            d.insert("CategoriaDefunti", {{"Descrizione", "Ossari"}, {"ColoreCategoria", 255}});
        const qint64 town = d.insert("Comuni", {{"Comune", "Padova"}});
        const qint64 id = d.insert("Defunti", {{"Cognome", "Rossi"}, {"Nome", "Maria"}});
        const qint64 c = contract(d, 1, kToday, customer(d, "Bianchi Anna"));

        QVariantMap r{{"Cognome", "Rossi"},
                      {"Nome", "Maria"},
                      {"Categoria_ID", category},
                      {"LuogoNascita_Id", town},
                      {"DataNascita", "04/03/1931"}};
        EXPECT_FALSE(DeceasedRules::completeCardSave(d, id, r, {}, true, c));
        db::Row row = deceasedRow(d, id);
        EXPECT_EQ(row.integer("ColoreCategoria"), 255);
        EXPECT_EQ(row.text("LuogoNascita"), "Padova");
        EXPECT_TRUE(row.isNull("LuogoMorte"));
        EXPECT_EQ(row.text("NominativoVisualizzato"), "Rossi Maria - 04/03/1931");
        EXPECT_EQ(count(d,
                        "select count(*) from ContrattiDefunti where Testata_ID = ? and "
                        "Defunto_ID = ? and Defunto = 'Rossi Maria - 04/03/1931'",
                        {c, id}),
                  1);

        // Same category, names not typed: the stored colour and names stay,
        // a death date in the future moves back a century.
        d.exec("update Defunti set ColoreCategoria = 7 where Id = ?", {id});
        r["Nome"] = "Anna";
        r["DataMorte"] = QDate::currentDate().addYears(1);
        EXPECT_TRUE(DeceasedRules::completeCardSave(d, id, r, r, false, 0));
        row = deceasedRow(d, id);
        EXPECT_EQ(row.integer("ColoreCategoria"), 7);
        EXPECT_EQ(row.text("NominativoDocumenti"), "Rossi Maria");
        EXPECT_EQ(row.date("DataMorte"), QDate::currentDate().addYears(-99));
        EXPECT_EQ(count(d, "select count(*) from ContrattiDefunti"), 1);
    }
}

TEST(CardSaves, ContractTakesTheCustomerOnlyWhenChangedOrNotYetCopied) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        db::Database& d = a.db();
        const qint64 first = customer(d, "Bianchi Anna");
        const qint64 second = customer(d, "Verdi Luca");
        const qint64 c = contract(d, 1, kToday, first);
        const auto name = [&] {
            return d.scalar("select Cliente from ContrattiTestata where Id = ?", {c}).toString();
        };
        ContractRules::copyCustomer(d, c, first, first); // nothing copied yet
        EXPECT_EQ(name(), "Bianchi Anna");
        d.exec("update ContrattiTestata set Cliente = 'scritto a mano' where Id = ?", {c});
        ContractRules::copyCustomer(d, c, first, first);
        EXPECT_EQ(name(), "scritto a mano");
        ContractRules::copyCustomer(d, c, second, first);
        EXPECT_EQ(name(), "Verdi Luca");
    }
}

TEST(CardSaves, ContractRowCompletedAndTheContractClosedWhenPaid) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        db::Database& d = a.db();
        const qint64 c = contract(d, 1, kToday, customer(d, "Bianchi Anna"));
        const qint64 row = ContractRules::addFreeRow(d, c, kToday);
        ASSERT_FALSE(closed(d, c));
        QVariantMap v{{"Um", 2.0},           {"ValoreUnitario", 50.0},  {"Sconto", 10.0},
                      {"AliquotaIva", 22.0}, {"DataPagamento", kToday}, {"Chiuso", true}};
        d.update("ContrattiRighe", row, {{"Chiuso", true}});
        ContractRules::completeRowSave(d, row, v);
        EXPECT_DOUBLE_EQ(v["ValoreTotale"].toDouble(), 109.8);
        const db::Row stored = d.query("select * from ContrattiRighe where IDX = ?", {row}).first();
        EXPECT_TRUE(stored.boolean("Pagato"));
        EXPECT_DOUBLE_EQ(stored.value("TotaleImponibile").toDouble(), 90);
        EXPECT_DOUBLE_EQ(stored.value("ValoreTotale").toDouble(), 109.8);
        EXPECT_TRUE(closed(d, c));
    }
}

TEST(CardSaves, RemovingAPositionKeepsTheOthersOfTheArea) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        db::Database& d = a.db();
        ASSERT_TRUE(cemetery::Positions::available(d));
        const qint64 area = d.insert("AreeCimitero", {{"Descrizione", "Campo A"}});
        const qint64 p1 = d.insert("PosizioniCimitero", {{"Area_Id", area}, {"Fila", "1"}});
        d.insert("PosizioniCimitero", {{"Area_Id", area}, {"Fila", "2"}});
        cemetery::Positions::remove(d, p1);
        EXPECT_EQ(count(d, "select count(*) from PosizioniCimitero where Area_Id = ?", {area}), 1);
        EXPECT_EQ(count(d, "select count(*) from PosizioniCimitero where Id = ?", {p1}), 0);
    }
}
