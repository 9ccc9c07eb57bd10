#include "WriterFixture.h"
#include "einvoice/SchemaCheck.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace writer;

// A document the schema refuses is not saved nor marked exported, and the
// message names the fields of the program behind the failing elements.
TEST(SchemaNet, InvalidFileIsNotWritten) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        db::Database& db = a.db();
        company(db, {{"RegimeFiscale", "RF99"}});
        const qint64 doc = invoice(db, customer(db));
        addRow(db, doc, 1, 100);
        Export e;
        e.run(db, doc);
        EXPECT_FALSE(e.result.written);
        EXPECT_FALSE(QFile::exists(e.path(writer::savedName)));
        EXPECT_FALSE(db.scalar("select EsportatoXml from fattura where Id = ?", {doc}).toBool());
        const QString error = e.ui.texts_of("error").value(0);
        EXPECT_TRUE(error.contains("codice SdI 00200")) << error.toStdString();
        EXPECT_TRUE(error.contains("Regime fiscale della ditta: il valore \"RF99\" non è ammesso"))
            << error.toStdString();
        EXPECT_TRUE(e.ui.texts_of("information").isEmpty());
    }
}

// What the check says of each kind of fault, with the row, instalment or
// party the element belongs to.
TEST(SchemaNet, ProblemsNameTheirField) {
    TestArchive a(db::Engine::SQLite);
    db::Database& db = a.db();
    const qint64 doc = plainInvoice(db);
    addRow(db, doc, 1, 50);
    Export e;
    e.run(db, doc);
    ASSERT_TRUE(e.result.written) << e.result.failure.toStdString();
    const QByteArray valid = e.xml->bytes();
    EXPECT_TRUE(einvoice::SchemaCheck::problems(valid).empty());

    QByteArray broken = valid;
    broken.replace("<Descrizione>Riga 2</Descrizione>", "<Descrizione></Descrizione>")
        .replace("<Nome>Mario</Nome>", "")
        .replace("<Cognome>Rossi</Cognome>", "")
        .replace("<CAP>35100</CAP>", "<CAP>3510</CAP>");
    const auto problems = einvoice::SchemaCheck::problems(broken);
    const QString text = einvoice::SchemaCheck::message(problems);
    EXPECT_TRUE(text.contains("Descrizione della riga 2: il valore \"\" non è ammesso."))
        << text.toStdString();
    EXPECT_TRUE(text.contains("Cap della ditta: il valore \"3510\"")) << text.toStdString();
    EXPECT_TRUE(text.contains("del cliente: manca.")) << text.toStdString();
    EXPECT_FALSE(text.contains("della riga 1")) << text.toStdString();

    EXPECT_FALSE(einvoice::SchemaCheck::problems("<non xml").empty());
}
