#include "registries/VCard.h"

#include "TestArchive.h"
#include "registries/CustomerRules.h"

#include <gtest/gtest.h>

using db::RegistryRecord;
using registries::VCard;
using registries::VCardContact;

TEST(VCardText, EscapingAndFolding) {
    EXPECT_EQ(VCard::escape("a,b;c\\d\ne\r\nf"), "a\\,b\\;c\\\\d\\ne\\nf");

    const QByteArray shortLine(75, 'x');
    EXPECT_EQ(VCard::fold(shortLine), shortLine);
    const QByteArray longLine(200, 'x');
    const QByteArray folded = VCard::fold(longLine);
    for (const QByteArray& physical : folded.split('\n'))
        EXPECT_LE(physical.endsWith('\r') ? physical.size() - 1 : physical.size(), 75);
    EXPECT_EQ(QByteArray(folded).replace("\r\n ", ""), longLine);

    // Two-octet letters are never cut in half.
    const QByteArray accents = QString(60, QChar(0xE0)).toUtf8();
    for (const QByteArray& physical : VCard::fold(accents).split('\n')) {
        QByteArray body = physical;
        if (body.endsWith('\r'))
            body.chop(1);
        if (body.startsWith(' '))
            body.remove(0, 1);
        EXPECT_EQ(QString::fromUtf8(body).toUtf8(), body);
        EXPECT_EQ(body.size() % 2, 0);
    }

    // Bytes that are not UTF-8 (a damaged file read back) still fold, and
    // nothing is lost: this once never returned.
    const QByteArray damaged = 'B' + QByteArray(100, char(0xB4)) + ":VC";
    const QByteArray foldedDamaged = VCard::fold(damaged);
    EXPECT_EQ(QByteArray(foldedDamaged).replace("\r\n ", ""), damaged);
}

TEST(VCardText, WrittenCardsFollowVersionFour) {
    VCardContact c;
    c.formattedName = "Rossi Anna";
    c.surname = "Rossi";
    c.givenName = "Anna";
    c.note = QString(100, 'n');
    const QByteArray out = VCard::write({c});
    EXPECT_TRUE(out.startsWith("BEGIN:VCARD\r\nVERSION:4.0\r\n"));
    EXPECT_TRUE(out.endsWith("END:VCARD\r\n"));
    EXPECT_TRUE(out.contains("\r\nFN:Rossi Anna\r\n"));
    EXPECT_TRUE(out.contains("\r\nN:Rossi;Anna;;;\r\n"));
    EXPECT_FALSE(out.contains("\n\n"));
    for (QByteArray line : out.split('\n')) {
        if (line.isEmpty())
            continue;
        ASSERT_TRUE(line.endsWith('\r')); // every line ends in CRLF
        EXPECT_LE(line.size() - 1, 75);
    }
}

TEST(VCardText, ReadsOtherProgramsCards) {
    const QByteArray v3 = "BEGIN:VCARD\n"
                          "VERSION:3.0\n"
                          "FN:Giuseppe Verdi\n"
                          "N:Verdi;Giuseppe;Fortunino,Francesco;Maestro;\n"
                          "item1.TEL;TYPE=CELL:+39 333 1234567\n"
                          "TEL;TYPE=WORK,VOICE:tel:+39-02-1234\n"
                          "EMAIL;TYPE=INTERNET:gverdi@example.it\n"
                          "ADR;TYPE=HOME:;;Via Roma\\, 1;Busseto;PR;43011;Italia\n"
                          "BDAY:1813-10-10\n"
                          "NOTE:Prima riga\\nseconda riga con una nota lunghissima che va a \n"
                          " capo\n"
                          "END:VCARD\n"
                          "BEGIN:VCARD\r\n"
                          "VERSION:2.1\r\n"
                          "N;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:Citt=C3=A0;Ann=\r\n"
                          "a\r\n"
                          "FN;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:Anna Citt=C3=A0\r\n"
                          "TEL;HOME:0521 999\r\n"
                          "END:VCARD\r\n";
    const QList<VCardContact> cards = VCard::read(v3);
    ASSERT_EQ(cards.size(), 2);
    const VCardContact& c = cards[0];
    EXPECT_EQ(c.formattedName, "Giuseppe Verdi");
    EXPECT_EQ(c.surname, "Verdi");
    EXPECT_EQ(c.givenName, "Giuseppe");
    EXPECT_EQ(c.prefix, "Maestro");
    EXPECT_EQ(c.mobile, "+39 333 1234567");
    EXPECT_EQ(c.phone, "+39-02-1234");
    EXPECT_EQ(c.email, "gverdi@example.it");
    EXPECT_EQ(c.street, "Via Roma, 1"); // an escaped comma is part of the street
    EXPECT_EQ(c.city, "Busseto");
    EXPECT_EQ(c.postcode, "43011");
    EXPECT_EQ(c.birthday, QDate(1813, 10, 10));
    EXPECT_EQ(c.note, "Prima riga\nseconda riga con una nota lunghissima che va a capo");
    EXPECT_EQ(cards[1].surname, QString::fromUtf8("Città"));
    EXPECT_EQ(cards[1].givenName, "Anna");
    EXPECT_EQ(cards[1].formattedName, QString::fromUtf8("Anna Città"));
    EXPECT_EQ(cards[1].phone2, "0521 999");
}

TEST(VCardFile, CustomersRoundTrip) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        db::Database& d = a.db();
        RegistryRecord person;
        person["Cognome"] = QString::fromUtf8("D'Alò");
        person["Nome"] = QString::fromUtf8("Niccolò");
        person["Titolo"] = "Sig.";
        person["CodFiscale"] = "DLANCL50B01H501X";
        person["DataNascita"] = QDate(1950, 2, 1);
        person["LuogoNascita"] = "Roma";
        person["Via"] = QString::fromUtf8("Via dell'Università; scala B");
        person["Numero"] = "12/A";
        person["Citta"] = QString::fromUtf8("Forlì");
        person["Provincia"] = "FC";
        person["Cap"] = "47121";
        person["Sede_Nazione"] = "IT";
        person["Telefono"] = "0543 123456";
        person["Telefono2"] = "0543 654321";
        person["Cellulare"] = "333 1234567";
        person["Fax"] = "0543 111111";
        person["EMail"] = "niccolo@example.it";
        person["Pec"] = "niccolo@pec.example.it";
        person["Internet"] = "https://example.it/a,b";
        person["Skype"] = "niccolo.dalo";
        person["Note"] = QString::fromUtf8("Pagamento, come d'accordo; \\ saldo\nentro 30 giorni: "
                                           "una nota abbastanza lunga da andare a capo più volte "
                                           "àèìòù àèìòù àèìòù àèìòù àèìòù àèìòù");
        ASSERT_FALSE(registries::CustomerRules::save(d, person, registries::CustomerKind::Private)
                         .has_value());

        RegistryRecord company;
        company["Cliente"] = QString::fromUtf8("Marmi & Graniti S.n.c. di Bianchi, Neri");
        company["Cognome"] = "Bianchi";
        company["Iva"] = "01234567897";
        ASSERT_FALSE(registries::CustomerRules::save(d, company, registries::CustomerKind::Company)
                         .has_value());

        const QByteArray file =
            VCard::exportCustomers(d, {db::RecordKey(person, "ID"), db::RecordKey(company, "ID")});
        EXPECT_EQ(file.count("BEGIN:VCARD"), 2);

        const registries::VCardImportReport report = VCard::importCustomers(d, file);
        EXPECT_EQ(report.imported, 2);
        EXPECT_EQ(report.skipped, 0);
        ASSERT_EQ(d.scalar("select count(*) as N from Clienti").toInt(), 4);

        const qint64 maxId = d.scalar("select max(ID) as M from Clienti").toLongLong();
        const RegistryRecord copyOfPerson = db::readRecord(d, "Clienti", maxId - 1);
        for (const QString& column : person.keys()) {
            if (column == "ID")
                continue;
            EXPECT_EQ(copyOfPerson.value(column), person.value(column)) << column.toStdString();
        }
        const RegistryRecord copyOfCompany = db::readRecord(d, "Clienti", maxId);
        EXPECT_EQ(copyOfCompany["Cliente"], company["Cliente"]);
        EXPECT_EQ(copyOfCompany["Cognome"].toString(), "Bianchi");
        EXPECT_EQ(copyOfCompany["Iva"].toString(), "01234567897");
        EXPECT_EQ(copyOfCompany["NominativoDocumenti"], company["Cliente"]);
    }
}

TEST(VCardFile, SuppliersRoundTripAndNamelessCardsAreSkipped) {
    TestArchive a(db::Engine::SQLite);
    db::Database& d = a.db();
    const qint64 id = d.insert("Fornitor", {{"Fornitore", QString::fromUtf8("Fiori & Piante")},
                                            {"VIA", "Via Po"},
                                            {"Numero", "3"},
                                            {"Comune", "Torino"},
                                            {"Provincia", "TO"},
                                            {"IdPaese", "IT"},
                                            {"Email", "fiori@example.it"},
                                            {"Iva", "12345678903"}});
    const qint64 person =
        d.insert("Fornitor", {{"Fornitore", "Neri Paolo"}, {"Cognome", "Neri"}, {"Nome", "Paolo"}});
    QByteArray file = VCard::exportSuppliers(d, {id, person});
    file += "BEGIN:VCARD\r\nVERSION:4.0\r\nFN:\r\nEMAIL:nobody@example.it\r\nEND:VCARD\r\n";

    const registries::VCardImportReport report = VCard::importSuppliers(d, file);
    EXPECT_EQ(report.imported, 2);
    EXPECT_EQ(report.skipped, 1);
    EXPECT_EQ(report.text(),
              QString::fromUtf8("Contatti importati: 2\nContatti scartati perché senza nome: 1"));
    const db::Result rows = d.query("select * from Fornitor where ID > ? order by ID", {person});
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].text("Fornitore"), QString::fromUtf8("Fiori & Piante"));
    EXPECT_EQ(rows[0].text("VIA"), "Via Po");
    EXPECT_EQ(rows[0].text("Numero"), "3");
    EXPECT_EQ(rows[0].text("Comune"), "Torino");
    EXPECT_EQ(rows[0].text("Email"), "fiori@example.it");
    EXPECT_EQ(rows[0].text("Iva"), "12345678903");
    EXPECT_EQ(rows[1].text("Fornitore"), "Neri Paolo");
    EXPECT_EQ(rows[1].text("Cognome"), "Neri");
    EXPECT_EQ(rows[1].text("Nome"), "Paolo");
}
