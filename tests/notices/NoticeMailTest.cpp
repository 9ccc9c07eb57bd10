#include "notices/NoticeMail.h"

#include "MailTestSupport.h"
#include "NoticeSamples.h"
#include "TestArchive.h"
#include "common/ScriptedInteraction.h"

#include <QJsonArray>
#include <gtest/gtest.h>

using namespace notices;

namespace {

// Stops when asked for the given step.
struct StoppingInteraction : common::ScriptedInteraction {
    qint64 stopAt = -1;
    QStringList steps;
    bool progress(const QString& text, qint64 done, qint64 total) override {
        if (done < total)
            steps.append(text);
        return done != stopAt;
    }
};

QJsonObject messageTo(const QList<SmtpTestServer::Received>& got, const QString& address) {
    for (const auto& r : got)
        if (r.envelopeTo.contains(address))
            return r.message;
    return {};
}

} // namespace

#define REQUIRE_SERVER(server) ASSERT_TRUE((server).started()) << (server).failure().toStdString()

TEST(NoticeMail, EachCustomerWithAnAddressGetsTheFilledTextAndTheLetter) {
    SmtpTestServer server(SmtpTestServer::Mode::Plain);
    REQUIRE_SERVER(server);
    TestArchive a(db::Engine::SQLite);
    db::Database& db = a.db();
    db.setWorkstation("PC-UFFICIO");
    SmtpOptions{.port = server.port(), .encryptionType = 4}.save(db);
    const NoticeSamples s = NoticeSamples::create(db);
    ASSERT_FALSE(saveWorkText(db, "Gentile {Cliente},\nresidente in {Indirizzo}, {Comune}, "
                                  "C.F. {CodiceFiscale}: dovuti {ImportoDovuto}.\n{Scadenze}"));

    StoppingInteraction ui;
    MailRequest request{.customers = {s.rossi, s.verdi, s.bianchi, s.fornitore},
                        .dueFrom = QDate(2026, 3, 1),
                        .dueTo = QDate(2026, 3, 31),
                        .subject = "Canone annuo"};
    MailOutcome out;
    ASSERT_FALSE(sendNotices(db, ui, request, &out));
    EXPECT_EQ(out.reached, QStringList({"Rossi Mario", "Bianchi Anna", "D'Angelo Pietro"}));
    ASSERT_EQ(out.noAddress.size(), 1);
    EXPECT_EQ(out.noAddress[0].id, s.verdi);
    EXPECT_TRUE(out.failed.isEmpty());
    EXPECT_FALSE(out.stopped);
    EXPECT_EQ(ui.steps.size(), 4);
    EXPECT_EQ(ui.steps[0], "Invio dell'avviso a Rossi Mario");
    EXPECT_TRUE(ui.messages.isEmpty());

    const auto got = server.messages();
    ASSERT_EQ(got.size(), 3);
    const QJsonObject rossi = messageTo(got, "mario.rossi@esempio.it");
    EXPECT_EQ(rossi["subject"].toString(), "Canone annuo");
    EXPECT_EQ(rossi["text"].toString().trimmed().replace("\r\n", "\n"),
              "Gentile Rossi Mario,\nresidente in Via Roma 12, 10121 Torino (TO), C.F. "
              "RSSMRA60A01L219X: dovuti 1.334,50 €.\n10/03/2026  1.234,50 €\n31/03/2026  "
              "100,00 €");
    const QJsonArray files = rossi["attachments"].toArray();
    ASSERT_EQ(files.size(), 1);
    EXPECT_EQ(files[0].toObject()["filename"].toString(), "Avviso Rossi Mario.pdf");
    EXPECT_EQ(files[0].toObject()["content_type"].toString(), "application/pdf");
    const QString bianchi = messageTo(got, "anna.bianchi@esempio.it")["text"].toString();
    EXPECT_TRUE(bianchi.contains("Gentile Bianchi Anna,")) << bianchi.toStdString();
    EXPECT_TRUE(bianchi.contains("Corso Francia, 10138 Torino (TO), C.F. BNCNNA70B41L219Y: "
                                 "dovuti 0,00 €."));
    EXPECT_TRUE(messageTo(got, "pietro@esempio.it")["text"].toString().contains("D'Angelo"));

    // The customer without an address can have the letter on paper: the
    // filled texts stay as the workstation's ticked customers.
    EXPECT_EQ(db.scalar("select count(*) from TempAvvisiClienti where NomeComputer = "
                        "'PC-UFFICIO'")
                  .toInt(),
              4);
    const QString summary = outcomeText(out);
    EXPECT_TRUE(summary.contains("Clienti senza indirizzo email: 1\n  Verdi Luigi"));
}

TEST(NoticeMail, UnknownFieldMissingOptionsFailuresAndStopping) {
    SmtpTestServer server(SmtpTestServer::Mode::Plain);
    REQUIRE_SERVER(server);
    TestArchive a(db::Engine::SQLite);
    db::Database& db = a.db();
    db.setWorkstation("PC-UFFICIO");
    SmtpOptions{.port = server.port(), .encryptionType = 4}.save(db);
    const NoticeSamples s = NoticeSamples::create(db);
    MailRequest request{.customers = {s.rossi, s.bianchi}, .subject = "Avviso"};
    MailOutcome out;

    // A field that does not exist: nothing goes out, nothing is prepared.
    ASSERT_FALSE(saveWorkText(db, "Gentile {Cliente}, il {Defunto}"));
    StoppingInteraction ui;
    const auto refused = sendNotices(db, ui, request, &out);
    ASSERT_TRUE(refused);
    EXPECT_TRUE(refused->text.contains("{Defunto}"));
    EXPECT_TRUE(server.messages().isEmpty());
    EXPECT_EQ(db.scalar("select count(*) from TempAvvisiClienti").toInt(), 0);

    ASSERT_FALSE(saveWorkText(db, "Gentile {Cliente}"));
    // A bad address fails alone; the others are still sent.
    db.exec("update Clienti set EMail = 'senza chiocciola' where Id = ?", {s.rossi});
    request.attachLetter = false;
    ASSERT_FALSE(sendNotices(db, ui, request, &out));
    EXPECT_EQ(out.reached, QStringList({"Bianchi Anna"}));
    ASSERT_EQ(out.failed.size(), 1);
    EXPECT_EQ(out.failed[0].first, "Rossi Mario");
    EXPECT_FALSE(out.failed[0].second.isEmpty());
    EXPECT_TRUE(ui.messages.isEmpty()); // no message box per failure
    EXPECT_TRUE(outcomeText(out).contains("Invii non riusciti: 1\n  Rossi Mario: "));

    // "Interrompi" before the second customer.
    StoppingInteraction stopping;
    stopping.stopAt = 1;
    db.exec("update Clienti set EMail = 'mario.rossi@esempio.it' where Id = ?", {s.rossi});
    ASSERT_FALSE(sendNotices(db, stopping, request, &out));
    EXPECT_TRUE(out.stopped);
    EXPECT_EQ(out.reached, QStringList({"Rossi Mario"}));

    // No SMTP host: the options are named, nothing is sent.
    db.exec("update opzioni set SmtpHost = ''");
    const auto noHost = sendNotices(db, ui, request, &out);
    ASSERT_TRUE(noHost);
    EXPECT_TRUE(noHost->text.contains("Host SMTP"));
}
