#include "registries/CustomerRules.h"

#include "TestArchive.h"
#include "db/DbError.h"

#include <gtest/gtest.h>

using db::RegistryRecord;
using registries::CustomerKind;
using registries::CustomerRules;

namespace {

const QStringList kDocumentTables = {"fattura",          "Calendario",           "PreventiTestata",
                                     "ContrattiTestata", "OrdiniClientiTestata", "Ddt"};

RegistryRecord person(const QString& surname, const QString& name) {
    RegistryRecord r;
    r["Cognome"] = surname;
    r["Nome"] = name;
    return r;
}

qint64 savedCustomer(db::Database& d, RegistryRecord r, CustomerKind kind = CustomerKind::Private) {
    const auto f = CustomerRules::save(d, r, kind);
    EXPECT_FALSE(f.has_value()) << (f ? f->text.toStdString() : "");
    return db::RecordKey(r, "ID");
}

} // namespace

TEST(CustomerNames, PrivatePersonAndCompany) {
    RegistryRecord r = person("Rossi", "Anna");
    CustomerRules::deriveNames(r);
    EXPECT_EQ(r["NominativoDocumenti"].toString(), "Rossi Anna");
    EXPECT_EQ(r["NominativoVisualizzato"].toString(), "Rossi Anna");

    r["CodFiscale"] = "X";
    r["DataNascita"] = QDate(1950, 2, 1);
    CustomerRules::deriveNames(r);
    EXPECT_EQ(r["NominativoDocumenti"].toString(), "Rossi Anna");
    EXPECT_EQ(r["NominativoVisualizzato"].toString(), "Rossi Anna - X - 01/02/1950");

    // The birth date as typed in the card.
    r["CodFiscale"] = QString();
    r["DataNascita"] = "01/02/1950";
    CustomerRules::deriveNames(r);
    EXPECT_EQ(r["NominativoVisualizzato"].toString(), "Rossi Anna - 01/02/1950");

    // A company keeps its name on documents even with a person's name filled.
    r["Cliente"] = "Onoranze Funebri Rossi S.r.l.";
    r["DataNascita"] = QVariant();
    CustomerRules::deriveNames(r);
    EXPECT_EQ(r["NominativoDocumenti"].toString(), "Onoranze Funebri Rossi S.r.l.");
    EXPECT_EQ(r["NominativoVisualizzato"].toString(), "Onoranze Funebri Rossi S.r.l.");
    EXPECT_EQ(CustomerRules::kindOf(r), CustomerKind::Company);
}

TEST(CustomerSave, FirstFailingCheckWinsAndNothingIsWritten) {
    TestArchive a(db::Engine::SQLite);
    db::Database& d = a.db();

    RegistryRecord company = person("Rossi", "Anna");
    auto f = CustomerRules::save(d, company, CustomerKind::Company);
    ASSERT_TRUE(f.has_value());
    EXPECT_EQ(f->title, "Messaggio di errore");
    EXPECT_EQ(f->field, "Cliente");

    RegistryRecord nobody;
    nobody["Sconto"] = 150.0; // also wrong, but the surname is checked first
    f = CustomerRules::save(d, nobody, CustomerKind::Private);
    ASSERT_TRUE(f.has_value());
    EXPECT_EQ(f->field, "Cognome");
    EXPECT_EQ(f->text, "Attenzione manca il cognome");

    RegistryRecord badDate = person("Rossi", "Anna");
    badDate["DataNascita"] = "31/02/1950";
    f = CustomerRules::save(d, badDate, CustomerKind::Private);
    ASSERT_TRUE(f.has_value());
    EXPECT_EQ(f->field, "DataNascita");

    RegistryRecord representative;
    representative["Cliente"] = "Foreign Ltd";
    representative["RappresentanteFiscale"] = true;
    representative["RappresentanteFiscale_Nazione"] = "IT";
    f = CustomerRules::save(d, representative, CustomerKind::Company);
    ASSERT_TRUE(f.has_value());
    EXPECT_EQ(f->field, "RappresentanteFiscale_IdCodice");

    EXPECT_EQ(d.scalar("select count(*) as N from Clienti").toInt(), 0);
}

TEST(CustomerSave, StoresDerivedNamesAndPrivateCustomersLoseTheCompanyName) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        db::Database& d = a.db();
        const qint64 id = CustomerRules::insertNew(d);
        RegistryRecord r = db::readRecord(d, "Clienti", id);
        ASSERT_FALSE(r.isEmpty());
        r["Cognome"] = "Rossi";
        r["Nome"] = "Anna";
        r["CodFiscale"] = "X";
        r["DataNascita"] = "01/02/1950";
        r["Cliente"] = "left over from a company";
        ASSERT_FALSE(CustomerRules::save(d, r, CustomerKind::Private).has_value());

        const RegistryRecord stored = db::readRecord(d, "Clienti", id);
        EXPECT_EQ(stored["NominativoDocumenti"].toString(), "Rossi Anna");
        EXPECT_EQ(stored["NominativoVisualizzato"].toString(), "Rossi Anna - X - 01/02/1950");
        EXPECT_EQ(stored["DataNascita"].toDate(), QDate(1950, 2, 1));
        EXPECT_EQ(db::recordText(stored, "Cliente"), "");
        EXPECT_EQ(d.scalar("select count(*) as N from Clienti").toInt(), 1);

        // Names are only derived again when a name field was touched.
        RegistryRecord again = stored;
        again["Telefono"] = "0123 456789";
        again["NominativoVisualizzato"] = "kept";
        ASSERT_FALSE(CustomerRules::save(d, again, CustomerKind::Private, false).has_value());
        EXPECT_EQ(
            d.scalar("select NominativoVisualizzato from Clienti where ID = ?", {id}).toString(),
            "kept");
    }
}

TEST(CustomerSave, RenamePropagatesToEveryDocumentIncludingHistory) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        db::Database& d = a.db();
        const qint64 anna = savedCustomer(d, person("Rossi", "Anna"));
        const qint64 other = savedCustomer(d, person("Bianchi", "Luca"));
        for (const QString& table : kDocumentTables) {
            for (bool history : {false, true})
                d.insert(table, {{"Cliente_ID", anna},
                                 {"Cliente", "Rossi Anna"},
                                 {"Storico", history},
                                 {"Data", QDate(2024, 5, 1)}});
            d.insert(table,
                     {{"Cliente_ID", other}, {"Cliente", "Bianchi Luca"}, {"Storico", false}});
        }

        RegistryRecord r = db::readRecord(d, "Clienti", anna);
        r["Cognome"] = "Rossi-Verdi";
        r["PubblicaAmministrazione"] = true;
        ASSERT_FALSE(CustomerRules::save(d, r, CustomerKind::Private).has_value());

        for (const QString& table : kDocumentTables) {
            SCOPED_TRACE(table.toStdString());
            EXPECT_EQ(d.scalar(QString("select count(*) as N from %1 where Cliente_ID = ? and "
                                       "Cliente = 'Rossi-Verdi Anna'")
                                   .arg(table),
                               {anna})
                          .toInt(),
                      2);
            EXPECT_EQ(
                d.scalar(QString("select Cliente from %1 where Cliente_ID = ?").arg(table), {other})
                    .toString(),
                "Bianchi Luca");
        }
        EXPECT_EQ(d.scalar("select count(*) as N from fattura where Cliente_ID = ? and "
                           "DatiTrasmissione_FormatoTrasmissione = 'FPA12'",
                           {anna})
                      .toInt(),
                  2);
        EXPECT_TRUE(d.scalar("select DatiTrasmissione_FormatoTrasmissione from fattura where "
                             "Cliente_ID = ?",
                             {other})
                        .isNull() ||
                    d.scalar("select DatiTrasmissione_FormatoTrasmissione from fattura where "
                             "Cliente_ID = ?",
                             {other})
                        .toString()
                        .isEmpty());

        r = db::readRecord(d, "Clienti", anna);
        r["PubblicaAmministrazione"] = false;
        ASSERT_FALSE(CustomerRules::save(d, r, CustomerKind::Private, false).has_value());
        EXPECT_EQ(d.scalar("select count(*) as N from fattura where Cliente_ID = ? and "
                           "DatiTrasmissione_FormatoTrasmissione = 'FPR12'",
                           {anna})
                      .toInt(),
                  2);
    }
}

TEST(CustomerSave, AFailingDocumentUpdateLeavesTheCustomerAsBefore) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        db::Database& d = a.db();
        const qint64 id = savedCustomer(d, person("Rossi", "Anna"));
        d.insert("fattura", {{"Cliente_ID", id}, {"Cliente", "Rossi Anna"}});
        // The last table updated is gone: the whole save must be undone.
        d.execNative("DROP TABLE Ddt");
        RegistryRecord r = db::readRecord(d, "Clienti", id);
        r["Cognome"] = "Verdi";
        EXPECT_THROW(CustomerRules::save(d, r, CustomerKind::Private), db::DbError);
        EXPECT_EQ(d.scalar("select Cognome from Clienti where ID = ?", {id}).toString(), "Rossi");
        EXPECT_EQ(d.scalar("select Cliente from fattura").toString(), "Rossi Anna");
    }
}

TEST(CustomerLookup, CancelledCustomerKeepsItsDocumentsButIsNotOffered) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        db::Database& d = a.db();
        const qint64 anna = savedCustomer(d, person("Rossi", "Anna"));
        savedCustomer(d, person("Bianchi", "Luca"));
        const qint64 invoice =
            d.insert("fattura", {{"Cliente_ID", anna}, {"Cliente", "Rossi Anna"}});

        RegistryRecord r = db::readRecord(d, "Clienti", anna);
        r["Annullato"] = true;
        ASSERT_FALSE(CustomerRules::save(d, r, CustomerKind::Private, false).has_value());

        QStringList offered;
        for (const db::Row& row : d.query(CustomerRules::lookupSql()))
            offered.append(row.text("NominativoVisualizzato"));
        EXPECT_EQ(offered, QStringList{"Bianchi Luca"});
        EXPECT_EQ(d.scalar("select Cliente_ID from fattura where ID = ?", {invoice}).toLongLong(),
                  anna);
        EXPECT_EQ(d.scalar("select Cliente from fattura where ID = ?", {invoice}).toString(),
                  "Rossi Anna");
        // A customer with documents cannot be deleted, only cancelled.
        EXPECT_TRUE(CustomerRules::remove(d, anna).has_value());
        EXPECT_EQ(d.scalar("select count(*) as N from Clienti where ID = ?", {anna}).toInt(), 1);
    }
}

TEST(CustomerCategory, ChoosingCopiesTheColourClearingEmptiesBoth) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        db::Database& d = a.db();
        const qint64 red =
            d.insert("ClientiCategoria", {{"Descrizione", "Parrocchie"}, {"ColoreCategoria", 255}});
        RegistryRecord r = person("Rossi", "Anna");
        CustomerRules::chooseCategory(d, r, red);
        EXPECT_EQ(db::RecordKey(r, "Categoria_ID"), red);
        EXPECT_EQ(r["ColoreCategoria"].toLongLong(), 255);
        CustomerRules::chooseCategory(d, r, 0);
        EXPECT_TRUE(r["Categoria_ID"].isNull());
        EXPECT_TRUE(r["ColoreCategoria"].isNull());

        // The copy is stored with the customer.
        CustomerRules::chooseCategory(d, r, red);
        const qint64 id = savedCustomer(d, r);
        EXPECT_EQ(d.scalar("select ColoreCategoria from Clienti where ID = ?", {id}).toLongLong(),
                  255);
    }
}

TEST(CustomerWarnings, TaxCodesWarnWithoutBlocking) {
    TestArchive a(db::Engine::SQLite);
    RegistryRecord r = person("Rossi", "Anna");
    r["CodFiscale"] = "RSSNNA50B41H501A"; // wrong check character
    r["Iva"] = "01234567890";             // wrong check digit
    r["Iban"] = "IT60X0542811101000000123456";
    const QList<registries::FieldWarning> w = CustomerRules::warnings(r);
    ASSERT_EQ(w.size(), 2);
    EXPECT_EQ(w[0].field, "Iva");
    EXPECT_EQ(w[1].field, "CodFiscale");
    EXPECT_FALSE(CustomerRules::save(a.db(), r, CustomerKind::Private).has_value());

    // A foreign customer's codes are not judged by Italian rules.
    r["IdPaese"] = "DE";
    r["CodFiscale"] = "123";
    r["Iva"] = "DE123456789";
    EXPECT_TRUE(CustomerRules::warnings(r).isEmpty());
}
