#include "cemetery/ContractRules.h"

#include "ContractFixture.h"
#include "documents/ContractImport.h"
#include "documents/DocumentStore.h"

#include <gtest/gtest.h>

using cemetery::ContractRules;
using namespace contractFixture;

TEST(Contracts, NumberingCountsEveryContractAndHeaderChecksComeInOrder) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        db::Database& d = a.db();
        const qint64 first = ContractRules::insertNew(d, kToday);
        EXPECT_EQ(d.scalar("select Numero from ContrattiTestata where Id = ?", {first}).toInt(), 1);
        // Archived contracts keep their numbers taken.
        d.insert("ContrattiTestata",
                 {{"Numero", 41}, {"Data", QDate(2020, 1, 1)}, {"Storico", true}});
        const qint64 next = ContractRules::insertNew(d, kToday);
        const db::Row row = d.query("select * from ContrattiTestata where Id = ?", {next}).first();
        EXPECT_EQ(row.integer("Numero"), 42);
        EXPECT_EQ(row.date("Data"), kToday);
        EXPECT_FALSE(row.boolean("Storico"));

        QVariantMap header{
            {"Numero", QVariant()}, {"Data", QVariant()}, {"Cliente_ID", QVariant()}};
        EXPECT_EQ(ContractRules::validateHeader(header)->text,
                  "Attenzione manca il numero del Contratto");
        header["Numero"] = 3;
        EXPECT_EQ(ContractRules::validateHeader(header)->text,
                  "Attenzione manca la data del Contratto");
        header["Data"] = kToday;
        const auto noCustomer = ContractRules::validateHeader(header);
        EXPECT_EQ(noCustomer->text, "Attenzione manca il Cliente del Contratto");
        EXPECT_EQ(noCustomer->title, "Messaggio di errore");
        EXPECT_EQ(noCustomer->field, "Cliente_ID");
        header["Cliente_ID"] = 7;
        EXPECT_FALSE(ContractRules::validateHeader(header).has_value());
    }
}

TEST(Contracts, ClosedFollowsTheRowsThroughAddsEditsAndDeletes) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        db::Database& d = a.db();
        const qint64 c = contract(d, 1, QDate(2026, 3, 1), customer(d, "Rossi"));
        const qint64 art = article(d, "LV", 30, 10);

        const QList<qint64> rows = ContractRules::addArticles(d, c, {art}, kToday);
        ASSERT_EQ(rows.size(), 1);
        EXPECT_FALSE(closed(d, c));

        // Closing the only row in the row editor closes the contract.
        d.exec("update ContrattiRighe set Chiuso = true where IDX = ?", {rows[0]});
        EXPECT_TRUE(ContractRules::recomputeClosed(d, c));
        EXPECT_TRUE(closed(d, c));

        // A further open row reopens it, deleting it closes it again.
        const qint64 free = ContractRules::addFreeRow(d, c, kToday);
        EXPECT_FALSE(closed(d, c));
        ContractRules::deleteRow(d, free);
        EXPECT_TRUE(closed(d, c));

        // Without rows a contract counts as closed; the article's quantity
        // went back to stock.
        d.exec("update ContrattiRighe set Chiuso = false where IDX = ?", {rows[0]});
        EXPECT_FALSE(ContractRules::recomputeClosed(d, c));
        ContractRules::deleteRow(d, rows[0]);
        EXPECT_TRUE(closed(d, c));
        EXPECT_DOUBLE_EQ(d.scalar("select Giacenza from prezziar where Id = ?", {art}).toDouble(),
                         11);
    }
}

TEST(Contracts, RowsFromCodeCatalogueAndFreeRow) {
    TestArchive a(db::Engine::SQLite);
    db::Database& d = a.db();
    d.exec("update opzioni set IncrementaNumeroRigaArticoli = true, AliquotaIva = 22, Iva_Id = 1");
    const qint64 c = contract(d, 1, QDate(2026, 3, 1), customer(d, "Rossi", false, 10));
    article(d, "LV", 30);
    const qint64 other = article(d, "OS", 100);
    d.exec("update prezziar set PrezzoImposto = true where Id = ?", {other});

    const auto missing = ContractRules::addByCode(d, c, "XX", kToday);
    ASSERT_TRUE(missing.has_value());
    EXPECT_EQ(missing->text, "Attenzione il codice non risulta in archivio!!!");
    EXPECT_EQ(missing->title, "Messaggio di avviso");
    EXPECT_EQ(count(d, "select count(*) from ContrattiRighe"), 0);

    qint64 byCode = 0;
    ASSERT_FALSE(ContractRules::addByCode(d, c, "LV", kToday, &byCode).has_value());
    ContractRules::addArticles(d, c, {other}, kToday);
    const qint64 free = ContractRules::addFreeRow(d, c, kToday);

    const db::Result rows = d.query("select * from ContrattiRighe order by NumeroRiga");
    ASSERT_EQ(rows.size(), 3u);
    const db::Row& lamp = rows[0];
    EXPECT_EQ(lamp.integer("IDX"), byCode);
    EXPECT_EQ(lamp.text("Descrizione"), "LV servizio");
    EXPECT_EQ(lamp.integer("NumeroRiga"), 1);
    EXPECT_EQ(lamp.date("Data"), QDate(2026, 3, 1));
    EXPECT_EQ(lamp.date("DataInizioPeriodo"), QDate(2026, 1, 1));
    EXPECT_EQ(lamp.date("DataFinePeriodo"), QDate(2026, 12, 31));
    // The customer's discount applies unless the price is imposed.
    EXPECT_DOUBLE_EQ(lamp.number("Sconto"), 10);
    EXPECT_DOUBLE_EQ(lamp.number("ValoreTotale"), 32.94);
    EXPECT_FALSE(lamp.boolean("Fatturato"));
    EXPECT_DOUBLE_EQ(rows[1].number("Sconto"), 0);
    EXPECT_EQ(rows[1].integer("NumeroRiga"), 2);
    EXPECT_EQ(rows[2].integer("IDX"), free);
    EXPECT_EQ(rows[2].text("Descrizione"), "Articolo da inserire");
    EXPECT_EQ(rows[2].text("TipoRiga"), "A");
    EXPECT_DOUBLE_EQ(rows[2].number("ValoreTotale"), 1.22);
}

TEST(Contracts, RowEditorChecksAndAmounts) {
    QVariantMap row{
        {"Um", QVariant()}, {"ValoreUnitario", QVariant()}, {"AliquotaIva", QVariant()}};
    EXPECT_EQ(ContractRules::validateRow(row)->text, "Attenzione manca la quantità");
    row["Um"] = 2.0;
    EXPECT_EQ(ContractRules::validateRow(row)->text, "Attenzione manca il Valore Unitario");
    row["ValoreUnitario"] = 50.0;
    EXPECT_EQ(ContractRules::validateRow(row)->text, "Attenzione manca l'Aliquota Iva");
    row["AliquotaIva"] = 22.0;
    row["Sconto"] = 10.0;
    EXPECT_FALSE(ContractRules::validateRow(row).has_value());

    ContractRules::completeRow(row);
    EXPECT_FALSE(row["Pagato"].toBool());
    EXPECT_DOUBLE_EQ(row["TotaleImponibile"].toDouble(), 90);
    EXPECT_DOUBLE_EQ(row["ValoreTotale"].toDouble(), 109.8);
    row["DataPagamento"] = kToday;
    ContractRules::completeRow(row);
    EXPECT_TRUE(row["Pagato"].toBool());
}

TEST(Contracts, DeceasedAlreadyInAnotherContractAsksAndKeepsBothLinks) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        db::Database& d = a.db();
        const qint64 rossi = customer(d, "Rossi");
        const qint64 first = contract(d, 4, QDate(2025, 2, 3), rossi);
        const qint64 second = contract(d, 9, QDate(2026, 5, 6), rossi);
        contract(d, 10, QDate(2026, 5, 6), rossi);
        const qint64 mario = deceased(d, "Bianchi Mario");
        const qint64 alone = deceased(d, "Verdi Anna");

        EXPECT_FALSE(ContractRules::alreadyLinkedQuestion(d, mario).has_value());
        ContractRules::linkDeceased(d, first, mario);
        EXPECT_EQ(ContractRules::alreadyLinkedQuestion(d, mario).value_or(QString()),
                  "Attenzione il defunto Bianchi Mario è già presente nel contratto numero: 4 "
                  "del: 03/02/2025Vuoi registrarlo ugualmente?");
        const qint64 link = ContractRules::linkDeceased(d, second, mario);
        EXPECT_EQ(d.scalar("select Defunto from ContrattiDefunti where IdX = ?", {link}).toString(),
                  "Bianchi Mario");

        // The list filter by deceased finds both contracts, a deceased without
        // contracts finds none.
        auto listed = [&](const ContractRules::Filter& f) {
            QList<qint64> ids;
            const QString where = ContractRules::filterCondition(d, f);
            for (const db::Row& r : d.query("select Id from ContrattiTestata where Storico = "
                                            "false and " +
                                            where + " order by Numero"))
                ids.append(r.integer("Id"));
            return ids;
        };
        ContractRules::Filter byMario;
        byMario.deceasedId = mario;
        EXPECT_EQ(listed(byMario), (QList<qint64>{first, second}));
        byMario.from = QDate(2026, 1, 1);
        EXPECT_EQ(listed(byMario), QList<qint64>{second});
        ContractRules::Filter byAnna;
        byAnna.deceasedId = alone;
        EXPECT_TRUE(listed(byAnna).isEmpty());
        ContractRules::Filter byNumber;
        byNumber.number = 4;
        byNumber.customerId = rossi;
        byNumber.to = QDate(2025, 2, 3);
        EXPECT_EQ(listed(byNumber), QList<qint64>{first});

        // Unlinking leaves the deceased record.
        ContractRules::unlinkDeceased(d, link);
        EXPECT_EQ(count(d, "select count(*) from ContrattiDefunti where Defunto_ID = ?", {mario}),
                  1);
        EXPECT_EQ(count(d, "select count(*) from Defunti where Id = ?", {mario}), 1);
    }
}

TEST(Contracts, DeletingAContractTakesItsRowsAndLinksOnly) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        db::Database& d = a.db();
        const qint64 rossi = customer(d, "Rossi");
        const qint64 art = article(d, "LV", 30, 0);
        const qint64 gone = contract(d, 1, QDate(2026, 1, 1), rossi);
        const qint64 kept = contract(d, 2, QDate(2026, 1, 1), rossi);
        ContractRules::addArticles(d, gone, {art, art}, kToday);
        ContractRules::addFreeRow(d, gone, kToday);
        ContractRules::addArticles(d, kept, {art}, kToday);
        const qint64 mario = deceased(d, "Bianchi Mario");
        ContractRules::linkDeceased(d, gone, mario);
        ContractRules::linkDeceased(d, kept, mario);

        ContractRules::deleteContract(d, gone);
        EXPECT_EQ(count(d, "select count(*) from ContrattiTestata where Id = ?", {gone}), 0);
        EXPECT_EQ(count(d, "select count(*) from ContrattiRighe where Testata_ID = ?", {gone}), 0);
        EXPECT_EQ(count(d, "select count(*) from ContrattiDefunti where Testata_ID = ?", {gone}),
                  0);
        EXPECT_EQ(count(d, "select count(*) from ContrattiRighe where Testata_ID = ?", {kept}), 1);
        EXPECT_EQ(count(d, "select count(*) from ContrattiDefunti where Testata_ID = ?", {kept}),
                  1);
        EXPECT_EQ(count(d, "select count(*) from Defunti"), 1);
        EXPECT_DOUBLE_EQ(d.scalar("select Giacenza from prezziar where Id = ?", {art}).toDouble(),
                         2);
    }
}

TEST(Contracts, RowPutOnAnInvoiceAndTakenOffAgain) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        db::Database& d = a.db();
        const qint64 rossi = customer(d, "Rossi");
        const qint64 c = contract(d, 5, QDate(2026, 1, 10), rossi);
        const QList<qint64> rows =
            ContractRules::addArticles(d, c, {article(d, "LV", 30), article(d, "MN", 50)}, kToday);
        ASSERT_EQ(rows.size(), 2);
        EXPECT_FALSE(ContractRules::invoiceOfRow(d, rows[0]).has_value());

        const qint64 invoice = documents::DocumentStore::create(
            d, documents::DocumentKind::CustomerInvoice, {false, QString(), kToday});
        d.exec("update fattura set Cliente_ID = ? where Id = ?", {rossi, invoice});
        const auto offered = documents::ContractImport::available(d, rossi);
        ASSERT_EQ(offered.size(), 2);
        EXPECT_EQ(offered[0].number, 5);

        ASSERT_FALSE(documents::ContractImport::import(d, invoice, rows[0]).has_value());
        const auto ref = ContractRules::invoiceOfRow(d, rows[0]);
        ASSERT_TRUE(ref.has_value());
        EXPECT_EQ(ref->id, invoice);
        EXPECT_EQ(ref->date, kToday);
        EXPECT_TRUE(
            d.scalar("select Fatturato from ContrattiRighe where IDX = ?", {rows[0]}).toBool());
        EXPECT_EQ(documents::ContractImport::available(d, rossi).size(), 1);
        EXPECT_EQ(count(d, "select count(*) from fattdett where ContrattoRiga_ID = ?", {rows[0]}),
                  1);

        documents::ContractImport::remove(d, invoice, rows[0]);
        EXPECT_FALSE(ContractRules::invoiceOfRow(d, rows[0]).has_value());
        EXPECT_FALSE(
            d.scalar("select Fatturato from ContrattiRighe where IDX = ?", {rows[0]}).toBool());
        EXPECT_EQ(documents::ContractImport::available(d, rossi).size(), 2);
    }
}
