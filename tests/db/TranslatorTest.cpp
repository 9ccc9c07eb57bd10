#include "TestArchive.h"
#include "common/SqlText.h"
#include "db/DbError.h"
#include "db/JetTranslator.h"
#include "db/SchemaCatalog.h"

#include <gtest/gtest.h>

using db::Engine;

namespace {

QString engineName(Engine e) {
    return e == Engine::SQLite ? "SQLite" : "PostgreSQL";
}

qint64 addCustomer(db::Database& d, const QString& name, bool cancelled = false) {
    return d.insert("Clienti", {{"NominativoDocumenti", name},
                                {"NominativoVisualizzato", name},
                                {"Cliente", name},
                                {"Annullato", cancelled}});
}

qint64 addInvoice(db::Database& d, int num, const QDate& date, qint64 customer, bool carico = false,
                  bool storico = false) {
    return d.insert("fattura", {{"Num", num},
                                {"Data", date},
                                {"Cliente_ID", customer},
                                {"Carico", carico},
                                {"FattNota", false},
                                {"Storico", storico}});
}

QStringList column(const db::Result& r, const QString& name) {
    QStringList out;
    for (const db::Row& row : r)
        out.append(row.text(name));
    return out;
}

} // namespace

TEST(Translator, StatementShapesGiveEngineSql) {
    db::SchemaCatalog catalog;
    db::JetTranslator lite(Engine::SQLite, &catalog);
    db::JetTranslator pg(Engine::PostgreSQL, &catalog);

    EXPECT_EQ(lite.translate("delete * from TempStampa where NomeComputer ='A'").sql,
              "delete from TempStampa where NomeComputer ='A'");
    EXPECT_EQ(lite.translate("select top 1 * from TempAvvisi where NomeComputer ='A'").sql,
              "select * from TempAvvisi where NomeComputer ='A' LIMIT 1");
    EXPECT_EQ(pg.translate("SELECT @@IDENTITY as ID;").sql, "SELECT lastval() as ID");
    EXPECT_EQ(lite.translate("SELECT @@IDENTITY as ID;").sql, "SELECT last_insert_rowid() as ID");
    EXPECT_EQ(lite.translate("UPDATE Ddt SET Storico = true where Storico = false and Data < "
                             "#12/1/2025#")
                  .sql,
              "UPDATE Ddt SET Storico = 1 where Storico = 0 and Data < '2025-12-01'");
    EXPECT_EQ(lite.translate("select * from x where Data <= #3/1/2026 23.59.59#").sql,
              "select * from x where Data <= '2026-03-01 23:59:59'");
    // A first part above 12 can only be the day.
    EXPECT_EQ(lite.translate("select * from x where Data = #13/1/2026#").sql,
              "select * from x where Data = '2026-01-13'");
    EXPECT_EQ(pg.translate("select Year(Data) as Anno from x").sql,
              "select CAST(EXTRACT(YEAR FROM Data) AS INTEGER) as Anno from x");
    EXPECT_EQ(lite.translate("select * from x where Descrizione like 'ab*'").sql,
              "select * from x where Descrizione like 'ab%'");
    // Only * and ? are wildcards: %, _ and \ typed by the user are searched as themselves.
    EXPECT_EQ(lite.translate("select * from x where D like '10%_a\\b*'").sql,
              "select * from x where D like '10\\%\\_a\\\\b%'");
    EXPECT_EQ(pg.translate("select * from x where [x].[D] not like 'ferra*' and E like ?").sql,
              "select * from x where unaccent(x.D) not ILIKE unaccent('ferra%') and "
              "unaccent(E) ILIKE unaccent(?)");
    EXPECT_EQ(
        pg.translate("select top 1 ID from Iva where Codice like 'N4*' order by ID").sql,
        "select ID from Iva where unaccent(Codice) ILIKE unaccent('N4%') order by ID LIMIT 1");
    EXPECT_EQ(lite.translate("select 'l''arco' as T, \"doppio\" as D from x").sql,
              "select 'l''arco' as T, 'doppio' as D from x");
    // Both engines want the updated table alone and the others in FROM.
    EXPECT_EQ(pg.translate("UPDATE FatturaContiRighe INNER JOIN TotaliCo ON "
                           "FatturaContiRighe.Conto_ID = TotaliCo.ID SET TotaliCo.Fatturato = "
                           "False where FatturaContiRighe.Fattura_ID = 7")
                  .sql,
              "UPDATE TotaliCo SET Fatturato = 0 FROM FatturaContiRighe WHERE "
              "(FatturaContiRighe.Conto_ID = TotaliCo.ID) AND (FatturaContiRighe.Fattura_ID = 7)");
    EXPECT_EQ(lite.translate("UPDATE ContrattiRighe SET ContrattiRighe.Fattura_ID = 0, "
                             "[ContrattiRighe].[Fatturato] = false where ContrattiRighe.Fattura_ID "
                             "= 3")
                  .sql,
              "UPDATE ContrattiRighe SET Fattura_ID = 0, Fatturato = 0 where "
              "ContrattiRighe.Fattura_ID = 3");
    EXPECT_TRUE(lite.translate(" ; ").sql.isEmpty());
}

TEST(Translator, UntranslatableStatementsNameTheStatement) {
    db::SchemaCatalog catalog;
    db::JetTranslator lite(Engine::SQLite, &catalog);
    const char* bad[] = {
        "TRANSFORM Sum(x) SELECT y FROM z PIVOT w",
        "select * from x where Data = #31/31/2026#",
        "select * from x where Nome = 'aperto",
        "select top x * from y",
        "UPDATE a LEFT JOIN b ON a.id = b.id SET a.x = b.y",
        "UPDATE a INNER JOIN b ON a.id = b.id SET a.x = 1, b.y = 2",
        "CREATE TABLE t (ID COUNTER, Nome STRANO)",
        "delete * from a; delete * from b",
    };
    for (const char* s : bad) {
        try {
            lite.translate(s);
            ADD_FAILURE() << "accepted: " << s;
        } catch (const db::DbError& e) {
            EXPECT_TRUE(e.message().contains(QString::fromUtf8(s).trimmed())) << e.what();
        }
    }
}

TEST(TranslatorOnArchive, DeleteTopAndOrder) {
    FOR_EACH_ENGINE(engine) {
        SCOPED_TRACE(engineName(engine).toStdString());
        TestArchive a(engine);
        db::Database& d = a.db();
        for (const char* ws : {"A", "A", "B"})
            d.insert("TempStampa", {{"NomeComputer", ws}});
        d.exec("delete * from TempStampa where NomeComputer ='a'");
        EXPECT_EQ(d.scalar("select count(*) as N from TempStampa").toInt(), 1);

        const qint64 c = addCustomer(d, "Rossi");
        addInvoice(d, 3, QDate(2026, 2, 1), c);
        addInvoice(d, 9, QDate(2026, 1, 5), c);
        addInvoice(d, 5, QDate(2026, 3, 1), c);
        const db::Result top =
            d.query("SELECT top 1 Num,Data FROM fattura where Carico=false order by Num desc");
        ASSERT_EQ(top.size(), 1u);
        EXPECT_EQ(top.first().integer("Num"), 9);
        EXPECT_EQ(top.first().date("Data"), QDate(2026, 1, 5));
        // TOP inside a sub-select limits only that select.
        const db::Result sub = d.query(
            "select Num from fattura where Num in (select top 2 Num from fattura order by Num) "
            "order by Num desc");
        EXPECT_EQ(column(sub, "Num"), (QStringList{"5", "3"}));
    }
}

TEST(TranslatorOnArchive, DatesBooleansAndNulls) {
    FOR_EACH_ENGINE(engine) {
        SCOPED_TRACE(engineName(engine).toStdString());
        TestArchive a(engine);
        db::Database& d = a.db();
        const qint64 c = addCustomer(d, "Bianchi");
        addInvoice(d, 1, QDate(2025, 12, 31), c);
        addInvoice(d, 2, QDate(2026, 1, 1), c);
        // A date-time late in the day is inside the "23.59.59" bound of its day.
        d.insert("FatturaScadenze", {{"DataScadenza", QDateTime(QDate(2026, 3, 1), QTime(18, 30))},
                                     {"Importo", 10.0},
                                     {"Tipo", "F"}});
        d.insert("FatturaScadenze", {{"DataScadenza", QDate(2026, 3, 2)},
                                     {"DataPagamento", QDate(2026, 3, 2)},
                                     {"Importo", 20.0},
                                     {"Tipo", "F"}});

        d.exec("UPDATE Fattura SET Storico = true WHERE Storico = false and Carico = false and "
               "Data < #01/01/2026#");
        EXPECT_EQ(column(d.query("select Num from fattura where Storico = true"), "Num"),
                  QStringList{"1"});
        EXPECT_EQ(d.scalar("select count(*) as N from fattura where Storico <> 0").toInt(), 1);
        EXPECT_EQ(d.scalar("select count(*) as N from fattura where Storico = 0").toInt(), 1);

        EXPECT_EQ(d.scalar("select count(*) as N from FatturaScadenze where DataScadenza >= "
                           "#3/1/2026# and DataScadenza <= #3/1/2026 23.59.59#")
                      .toInt(),
                  1);
        d.exec("UPDATE FatturaScadenze SET Pagato = true where Pagato = false and DataPagamento "
               "Is Not Null");
        EXPECT_EQ(
            column(d.query("select Importo from FatturaScadenze where Pagato = true"), "Importo"),
            QStringList{"20"});
        EXPECT_EQ(d.scalar("select count(*) as N from FatturaScadenze where DataPagamento Is Null")
                      .toInt(),
                  1);
        EXPECT_EQ(d.scalar("SELECT count(*) as N FROM fattura where Year(Data)=2026 and "
                           "Month(Data) = 1")
                      .toInt(),
                  1);
        const db::Result r = d.query(
            "SELECT max(Num) as Nume, count(*) as Quante from fattura where Data>#01/01/2000#");
        EXPECT_EQ(r.columns, (QStringList{"Nume", "Quante"}));
        EXPECT_EQ(r.first().integer("Nume"), 2);
    }
}

TEST(TranslatorOnArchive, TextComparesWithoutCase) {
    FOR_EACH_ENGINE(engine) {
        SCOPED_TRACE(engineName(engine).toStdString());
        TestArchive a(engine);
        db::Database& d = a.db();
        addCustomer(d, "Città di Castello");
        addCustomer(d, "CITTÀ NUOVA");
        addCustomer(d, "Cittadella", true);
        addCustomer(d, "Rossi");
        // Searches ignore accents as well as case: "citta" finds "Città".
        EXPECT_EQ(d.scalar("select count(*) as N from Clienti where Cliente like 'città*'").toInt(),
                  3);
        EXPECT_EQ(d.scalar("select count(*) as N from Clienti where Cliente like 'CITTA*' and "
                           "Annullato = false")
                      .toInt(),
                  2);
        // Equality keeps accents: "citta nuova" is another name.
        EXPECT_EQ(
            d.scalar("select count(*) as N from Clienti where Cliente = 'citta nuova'").toInt(), 0);
        EXPECT_EQ(
            d.scalar("select count(*) as N from Clienti where Cliente = 'città nuova'").toInt(), 1);
        EXPECT_EQ(
            d.scalar("select count(*) as N from Clienti where Cliente like '*castello'").toInt(),
            1);
        EXPECT_EQ(d.scalar("select count(*) as N from CLIENTI where [clienti].[cliente] like "
                           "'r?ssi'")
                      .toInt(),
                  1);
        // Ordering follows the same rule: "città" sorts with "CITTÀ".
        const db::Result r = d.query("select distinct Cliente from Clienti where Cliente like 'c*' "
                                     "order by Cliente");
        EXPECT_EQ(column(r, "Cliente"),
                  (QStringList{"Cittadella", "Città di Castello", "CITTÀ NUOVA"}));
    }
}

TEST(TranslatorOnArchive, SearchesTakeOnlyStarAndQuestionMarkAsWildcards) {
    FOR_EACH_ENGINE(engine) {
        SCOPED_TRACE(engineName(engine).toStdString());
        TestArchive a(engine);
        db::Database& d = a.db();
        for (const char* name :
             {"Ferrà Luigi", "100% Marmi", "100 Anni", "A_B", "AxB", "C\\D", "Sant'Anna"})
            addCustomer(d, QString::fromUtf8(name));
        const auto found = [&](const QString& pattern) {
            return column(d.query("select Cliente from Clienti where Cliente like '" +
                                  common::sqlQuote(pattern) + "' order by Cliente"),
                          "Cliente");
        };
        EXPECT_EQ(found("ferra*"), QStringList{"Ferrà Luigi"});
        EXPECT_EQ(found("100%*"), QStringList{"100% Marmi"});
        EXPECT_EQ(found("A_B"), QStringList{"A_B"});
        EXPECT_EQ(found("A?B"), (QStringList{"A_B", "AxB"}));
        EXPECT_EQ(found("C\\D"), QStringList{"C\\D"});
        EXPECT_EQ(found("c\\*"), QStringList{"C\\D"});
        EXPECT_EQ(found("sant'*"), QStringList{"Sant'Anna"});
        EXPECT_EQ(found("*marmi"), QStringList{"100% Marmi"});
        EXPECT_EQ(d.scalar("select count(*) from Clienti where Cliente not like 'ferra*'").toInt(),
                  6);
    }
}

TEST(TranslatorOnArchive, UpdateThroughJoinEitherSide) {
    FOR_EACH_ENGINE(engine) {
        SCOPED_TRACE(engineName(engine).toStdString());
        TestArchive a(engine);
        db::Database& d = a.db();
        const qint64 c = addCustomer(d, "Verdi Srl");
        const qint64 other = addCustomer(d, "Altri");
        const qint64 f1 = addInvoice(d, 1, QDate(2026, 1, 2), c, false, true);
        addInvoice(d, 2, QDate(2026, 1, 3), other);
        d.exec("UPDATE Clienti SET NominativoDocumenti = 'Verdi & Figli Srl' WHERE Id = ?", {c});
        // The first table updated from the second, history included.
        d.exec(QString("UPDATE fattura INNER JOIN Clienti ON fattura.Cliente_ID = Clienti.Id SET "
                       "fattura.Cliente = [Clienti].[NominativoDocumenti] where Clienti.Id=%1")
                   .arg(c));
        d.exec(QString("UPDATE fattura INNER JOIN Clienti ON fattura.Cliente_ID = Clienti.Id SET "
                       "fattura.DatiTrasmissione_FormatoTrasmissione='FPA12' where Clienti.Id=%1")
                   .arg(c));
        const db::Result r = d.query(
            "select Cliente, DatiTrasmissione_FormatoTrasmissione from fattura order by Num");
        EXPECT_EQ(r[0].text("Cliente"), "Verdi & Figli Srl");
        EXPECT_EQ(r[0].text("DatiTrasmissione_FormatoTrasmissione"), "FPA12");
        EXPECT_TRUE(r[1].isNull("Cliente"));

        // The second table updated, the join nested in parentheses.
        const qint64 receipt = d.insert("TotaliCo", {{"Numero", 1}, {"Fatturato", true}});
        const qint64 keep = d.insert("TotaliCo", {{"Numero", 2}, {"Fatturato", true}});
        d.insert("FatturaContiRighe", {{"Fattura_ID", f1}, {"Conto_ID", receipt}});
        d.exec(
            QString("UPDATE (FatturaContiRighe INNER JOIN TotaliCo ON FatturaContiRighe.Conto_ID "
                    "= TotaliCo.ID) SET TotaliCo.Fatturato = False where "
                    "FatturaContiRighe.Fattura_ID = %1")
                .arg(f1));
        EXPECT_FALSE(d.query("select Fatturato from TotaliCo where Id = ?", {receipt})
                         .first()
                         .boolean("Fatturato"));
        EXPECT_TRUE(d.query("select Fatturato from TotaliCo where Id = ?", {keep})
                        .first()
                        .boolean("Fatturato"));

        // Category colours cleared through the join.
        const qint64 cat =
            d.insert("ClientiCategoria", {{"Descrizione", "Oro"}, {"ColoreCategoria", 255}});
        d.update("Clienti", c, {{"Categoria_ID", cat}, {"ColoreCategoria", 255}});
        d.exec(QString("UPDATE Clienti INNER JOIN ClientiCategoria ON Clienti.Categoria_ID = "
                       "ClientiCategoria.ID SET Clienti.ColoreCategoria = null where "
                       "ClientiCategoria.ID = %1")
                   .arg(cat));
        EXPECT_TRUE(d.query("select ColoreCategoria from Clienti where Id = ?", {c})
                        .first()
                        .isNull("ColoreCategoria"));
    }
}

TEST(TranslatorOnArchive, ConcatenationAndNestedJoins) {
    FOR_EACH_ENGINE(engine) {
        SCOPED_TRACE(engineName(engine).toStdString());
        TestArchive a(engine);
        db::Database& d = a.db();
        const qint64 c = addCustomer(d, "Neri");
        const qint64 contract = d.insert("ContrattiTestata", {{"Numero", 4}, {"Cliente_ID", c}});
        d.insert("ContrattiRighe", {{"Testata_ID", contract},
                                    {"NumeroRiga", 2},
                                    {"DataInizioPeriodo", QDate(2026, 1, 1)},
                                    {"DataFinePeriodo", QDate(2026, 12, 31)}});
        d.insert("ContrattiRighe", {{"Testata_ID", contract}, {"NumeroRiga", 3}});
        const db::Result r = d.query(
            "SELECT ' Num. Riga: ' & [ContrattiRighe].[NumeroRiga] & ' Data inizio:' & "
            "[ContrattiRighe].[DataInizioPeriodo] & ' data fine: ' & "
            "[ContrattiRighe].[DataFinePeriodo] AS Scelta, ContrattiRighe.IDX FROM ContrattiRighe "
            "where ContrattiRighe.Testata_ID = " +
            QString::number(contract) + " order by NumeroRiga");
        ASSERT_EQ(r.size(), 2u);
        EXPECT_EQ(r.columns.first(), "Scelta");
        EXPECT_EQ(r[0].text("Scelta"),
                  " Num. Riga: 2 Data inizio:01/01/2026 data fine: 31/12/2026");
        // Jet joins a null as an empty text.
        EXPECT_EQ(r[1].text("Scelta"), " Num. Riga: 3 Data inizio: data fine: ");

        const qint64 mp = d.insert("ModPagamento", {{"Descrizione", "Bonifico"}});
        d.insert("FatturaScadenze", {{"DataScadenza", QDate(2026, 1, 10)},
                                     {"Cliente_id", c},
                                     {"ModPagamento_Id", mp},
                                     {"Importo", 5.5},
                                     {"Operazione", "Fattura 1"}});
        const qint64 supplier = d.insert("Fornitor", {{"Fornitore", "Marmi Spa"}});
        d.insert("FatturaScadenze", {{"DataScadenza", QDate(2026, 1, 9)},
                                     {"Fornitore_id", supplier},
                                     {"Importo", 7.0},
                                     {"Operazione", "Acquisto"}});
        const db::Result due = d.query(
            "SELECT FatturaScadenze.Operazione,FatturaScadenze.Tipo, FatturaScadenze.DataScadenza, "
            "FatturaScadenze.Id as IdeScadenza, FatturaScadenze.Importo, FatturaScadenze.Note,  "
            "Fornitor.Fornitore, ModPagamento.Descrizione as ModoPagamento, "
            "Clienti.NominativoDocumenti as Cliente FROM ((FatturaScadenze LEFT JOIN ModPagamento "
            "ON FatturaScadenze.ModPagamento_Id = ModPagamento.id) LEFT JOIN Clienti ON "
            "FatturaScadenze.Cliente_id = Clienti.Id) LEFT JOIN Fornitor ON "
            "FatturaScadenze.Fornitore_id = Fornitor.Id Where DataPagamento is null and "
            "DataScadenza <=#1/31/2026# ORDER BY FatturaScadenze.DataScadenza, "
            "FatturaScadenze.Operazione");
        ASSERT_EQ(due.size(), 2u);
        EXPECT_TRUE(due.columns.contains("IdeScadenza"));
        EXPECT_TRUE(due.columns.contains("ModoPagamento"));
        EXPECT_EQ(due[0].text("Fornitore"), "Marmi Spa");
        EXPECT_TRUE(due[0].isNull("Cliente"));
        EXPECT_EQ(due[1].text("Cliente"), "Neri");
        EXPECT_EQ(due[1].text("ModoPagamento"), "Bonifico");

        const db::Result right =
            d.query("SELECT Clienti.Cliente, fattura.Num FROM fattura RIGHT JOIN Clienti ON "
                    "fattura.Cliente_ID = Clienti.Id");
        ASSERT_EQ(right.size(), 1u);
        EXPECT_TRUE(right.first().isNull("Num"));
    }
}

TEST(TranslatorOnArchive, IdentityAndDefinitions) {
    FOR_EACH_ENGINE(engine) {
        SCOPED_TRACE(engineName(engine).toStdString());
        TestArchive a(engine, TestArchive::Content::Empty);
        db::Database& d = a.db();
        d.exec("CREATE TABLE Prova (ID COUNTER PRIMARY KEY, Nome TEXT(50), Testo MEMO, Numero "
               "LONG, Piccolo INTEGER, Valore DOUBLE, Prezzo CURRENCY, Attivo YESNO, Vecchio BIT, "
               "Quando DATETIME, Foto LONGBINARY)");
        d.exec("CREATE INDEX ix_Prova_Nome ON Prova (Nome)");
        d.exec("insert into Prova (Nome, Attivo, Quando) values ('uno', true, #2/28/2026#)");
        const qint64 first = d.lastIdentity();
        d.exec("insert into Prova (Nome) values ('due')");
        EXPECT_EQ(d.scalar("SELECT @@IDENTITY as ID;").toLongLong(), first + 1);
        const db::Result r = d.query("select * from Prova order by ID");
        // Yes/no columns are never null: a new row says false.
        EXPECT_TRUE(r[0].boolean("Attivo"));
        EXPECT_FALSE(r[1].boolean("Attivo"));
        EXPECT_FALSE(r[1].isNull("Vecchio"));
        EXPECT_EQ(r[0].date("Quando"), QDate(2026, 2, 28));

        d.exec("ALTER TABLE Prova ADD COLUMN Extra TEXT(20)");
        d.exec("ALTER TABLE Prova ADD Flag YESNO");
        d.exec("UPDATE Prova SET Extra = 'x' & Nome WHERE Flag = false");
        EXPECT_EQ(d.scalar("select Extra from Prova where ID = ?", {first}).toString(), "xuno");
        d.exec("ALTER TABLE Prova DROP COLUMN Extra");
        EXPECT_THROW(d.exec("select Extra from Prova"), db::DbError);
        d.exec("DROP INDEX ix_Prova_Nome ON Prova");
        d.exec("CREATE TABLE Altra (Codice AUTOINCREMENT PRIMARY KEY, Nome TEXT)");
        EXPECT_GT(d.insert("Altra", {{"Nome", "a"}}), 0);
        d.exec("DROP TABLE Altra");
        EXPECT_FALSE(d.tableExists("Altra"));
    }
}

TEST(TranslatorOnArchive, ListFilters) {
    FOR_EACH_ENGINE(engine) {
        SCOPED_TRACE(engineName(engine).toStdString());
        TestArchive a(engine);
        db::Database& d = a.db();
        d.insert("prezziar", {{"Codice", "L1"}, {"Descrizione", "Lapide marmo"}});
        d.insert("prezziar",
                 {{"Codice", "L2"}, {"Descrizione", "lapide granito"}, {"Annullato", true}});
        d.insert("prezziar", {{"Codice", "F1"}, {"Descrizione", "Fiori"}});
        const QString where = d.translateCondition("Annullato = false and Descrizione like 'lap*'");
        const db::Result r = d.queryNative("select Codice from prezziar where " + where);
        EXPECT_EQ(column(r, "Codice"), QStringList{"L1"});
    }
}
