#include "MailTestSupport.h"
#include "TestArchive.h"
#include "common/ScriptedInteraction.h"
#include "mail/EmailModel.h"
#include "mail/Mailer.h"
#include "mail/TestMessage.h"

#include <QElapsedTimer>
#include <QJsonArray>
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using common::ScriptedInteraction;
using Mode = SmtpTestServer::Mode;

namespace {

const QString kUser = QStringLiteral("ufficio");
const QString kPassword = QStringLiteral("Segreta!2024");

// Every attachment went out whole, named after the file, as application/pdf.
void expectAttachments(const QJsonObject& message, const Attachments& files) {
    const QJsonArray parts = message["attachments"].toArray();
    ASSERT_EQ(parts.size(), files.paths.size());
    for (int i = 0; i < parts.size(); ++i) {
        const QJsonObject p = parts[i].toObject();
        EXPECT_EQ(p["filename"].toString(), QFileInfo(files.paths[i]).fileName());
        EXPECT_EQ(p["content_type"].toString(), "application/pdf");
        EXPECT_EQ(p["sha1"].toString(), files.sha1[i]) << files.paths[i].toStdString();
    }
}

} // namespace

#define REQUIRE_SERVER(server) ASSERT_TRUE((server).started()) << (server).failure().toStdString()

TEST(MailSend, PlainConnectionCarriesSubjectTextAndAttachments) {
    SmtpTestServer server(Mode::Plain);
    REQUIRE_SERVER(server);
    TestArchive a(db::Engine::SQLite);
    SmtpOptions{.port = server.port(), .encryptionType = 4}.save(a.db()); // not encrypted: plain
    Attachments files;
    ScriptedInteraction ui;
    mail::Mailer mailer(a.db(), ui);

    const QString subject = QStringLiteral("Fattura n. 12 – Società Pompe Funebri «Àèìòù» € "
                                           "con un oggetto abbastanza lungo da andare a capo");
    const QString text = QStringLiteral("Gentile cliente,\nin allegato la fattura.\n.\nCordiali "
                                        "saluti\nOnoranze Funebri Rossi – tel. 0123 456789\n");
    ASSERT_TRUE(mailer.send({"  ", "anna.bianchi@esempio.it"}, {"", "archivio@esempio.it"},
                            files.paths, subject, text))
        << mailer.lastError().toStdString();
    EXPECT_TRUE(ui.messages.isEmpty());

    const auto got = server.messages();
    ASSERT_EQ(got.size(), 1);
    EXPECT_EQ(got[0].mailFrom, "ufficio@onoranze-esempio.it");
    EXPECT_EQ(got[0].envelopeTo, QStringList({"anna.bianchi@esempio.it", "archivio@esempio.it"}));
    EXPECT_TRUE(got[0].tls.isEmpty());
    EXPECT_TRUE(got[0].login.isEmpty());
    const QJsonObject m = got[0].message;
    EXPECT_EQ(m["from"].toString(), "ufficio@onoranze-esempio.it");
    EXPECT_EQ(m["to"].toString(), "anna.bianchi@esempio.it");
    EXPECT_EQ(m["cc"].toString(), "archivio@esempio.it");
    EXPECT_EQ(m["subject"].toString(), subject);
    EXPECT_FALSE(m["date"].toString().isEmpty());
    // The lone dot survives the SMTP end-of-data convention.
    EXPECT_EQ(m["text"].toString(), text);
    expectAttachments(m, files);
}

TEST(MailSend, StartTlsWithLoginAuthentication) {
    SmtpTestServer server(Mode::StartTls, kUser, kPassword);
    REQUIRE_SERVER(server);
    TestArchive a(db::Engine::SQLite);
    for (int code : {0, 1, 2}) {
        SmtpOptions{.port = server.port(),
                    .encrypted = true,
                    .encryptionType = code,
                    .authenticate = true,
                    .user = kUser,
                    .password = kPassword}
            .save(a.db());
        ScriptedInteraction ui;
        mail::Mailer mailer(a.db(), ui);
        mailer.setCaFile(SmtpTestServer::certificate());
        EXPECT_TRUE(mailer.send({"anna.bianchi@esempio.it"}, {}, {}, "Prova", "Testo"))
            << code << ": " << mailer.lastError().toStdString();
    }
    const auto got = server.messages();
    ASSERT_EQ(got.size(), 3);
    for (const auto& r : got) {
        EXPECT_TRUE(r.tls == "TLSv1.2" || r.tls == "TLSv1.3") << r.tls.toStdString();
        EXPECT_EQ(r.login, kUser);
        EXPECT_EQ(r.message["subject"].toString(), "Prova");
    }
}

TEST(MailSend, ImplicitTlsWithLoginAuthentication) {
    SmtpTestServer server(Mode::ImplicitTls, kUser, kPassword);
    REQUIRE_SERVER(server);
    TestArchive a(db::Engine::SQLite);
    SmtpOptions{.port = server.port(),
                .encrypted = true,
                .encryptionType = 4,
                .authenticate = true,
                .user = kUser,
                .password = kPassword}
        .save(a.db());
    Attachments files;
    ScriptedInteraction ui;
    mail::Mailer mailer(a.db(), ui);
    mailer.setCaFile(SmtpTestServer::certificate());
    ASSERT_TRUE(mailer.send({"anna.bianchi@esempio.it"}, {}, files.paths, "Fattura", "Testo"))
        << mailer.lastError().toStdString();
    const auto got = server.messages();
    ASSERT_EQ(got.size(), 1);
    EXPECT_FALSE(got[0].tls.isEmpty());
    EXPECT_EQ(got[0].login, kUser);
    expectAttachments(got[0].message, files);
}

TEST(MailSend, ThreeRecipientsGiveThreeMessagesWithAllAttachments) {
    SmtpTestServer server(Mode::StartTls, kUser, kPassword);
    REQUIRE_SERVER(server);
    TestArchive a(db::Engine::SQLite);
    SmtpOptions{.port = server.port(),
                .encrypted = true,
                .authenticate = true,
                .user = kUser,
                .password = kPassword}
        .save(a.db());
    Attachments files;
    ScriptedInteraction ui;
    mail::EmailModel model(a.db(), ui);
    model.mailer().setCaFile(SmtpTestServer::certificate());
    model.prefill("Preventivo", "In allegato il preventivo.",
                  {"uno@esempio.it", "", "due@esempio.it", "tre@esempio.it"}, files.paths);

    const auto outcome = model.send();
    EXPECT_EQ(outcome.sent, QStringList({"uno@esempio.it", "due@esempio.it", "tre@esempio.it"}));
    EXPECT_TRUE(outcome.notSent.isEmpty());
    // The empty line is skipped without a word; one closing message.
    ASSERT_EQ(ui.messages.size(), 1);
    EXPECT_EQ(ui.messages[0].text, "Termine Invio Messaggi !");

    const auto got = server.messages();
    ASSERT_EQ(got.size(), 3);
    QStringList seen;
    for (const auto& r : got) {
        ASSERT_EQ(r.envelopeTo.size(), 1);
        EXPECT_EQ(r.message["to"].toString(), r.envelopeTo[0]);
        EXPECT_EQ(r.message["subject"].toString(), "Preventivo");
        expectAttachments(r.message, files);
        seen.append(r.envelopeTo[0]);
    }
    EXPECT_EQ(seen, outcome.sent);
}

TEST(MailSend, WrongPasswordIsRefusedWithAnItalianMessage) {
    SmtpTestServer server(Mode::StartTls, kUser, kPassword);
    REQUIRE_SERVER(server);
    TestArchive a(db::Engine::SQLite);
    SmtpOptions{.port = server.port(),
                .encrypted = true,
                .authenticate = true,
                .user = kUser,
                .password = "sbagliata"}
        .save(a.db());
    ScriptedInteraction ui;
    mail::EmailModel model(a.db(), ui);
    model.mailer().setCaFile(SmtpTestServer::certificate());
    model.prefill("Prova", "Testo", {"uno@esempio.it", "due@esempio.it"});

    const auto outcome = model.send();
    EXPECT_EQ(outcome.notSent, QStringList({"uno@esempio.it", "due@esempio.it"}));
    const QStringList errors = ui.texts_of("error");
    ASSERT_EQ(errors.size(), 4);
    EXPECT_TRUE(errors[0].startsWith("Il server SMTP ha rifiutato l'accesso"))
        << errors[0].toStdString();
    EXPECT_TRUE(errors[0].contains("535")) << errors[0].toStdString();
    EXPECT_EQ(errors[1], "Messaggio Non inviato a : uno@esempio.it");
    EXPECT_EQ(errors[3], "Messaggio Non inviato a : due@esempio.it");
    EXPECT_EQ(ui.texts_of("information"), QStringList({"Termine Invio Messaggi !"}));
    EXPECT_TRUE(server.messages().isEmpty());

    // Without authentication the server refuses the sender and says why.
    SmtpOptions{.port = server.port(), .encrypted = true}.save(a.db());
    ASSERT_FALSE(model.mailer().send({"uno@esempio.it"}, {}, {}, "Prova", "Testo"));
    EXPECT_TRUE(model.mailer().lastError().contains("richiede l'autenticazione"))
        << model.mailer().lastError().toStdString();
}

TEST(MailSend, RefusedRecipientDoesNotStopTheOthers) {
    SmtpTestServer server(Mode::Plain);
    REQUIRE_SERVER(server);
    TestArchive a(db::Engine::SQLite);
    SmtpOptions{.port = server.port()}.save(a.db());
    ScriptedInteraction ui;
    mail::EmailModel model(a.db(), ui);
    model.prefill("Prova", "Testo", {"nessuno@rifiutato.test", "anna@esempio.it", "non valido"});

    const auto outcome = model.send();
    EXPECT_EQ(outcome.sent, QStringList({"anna@esempio.it"}));
    EXPECT_EQ(outcome.notSent, QStringList({"nessuno@rifiutato.test", "non valido"}));
    const QStringList errors = ui.texts_of("error");
    ASSERT_EQ(errors.size(), 4);
    EXPECT_TRUE(errors[0].startsWith("Il server SMTP ha rifiutato il destinatario "
                                     "nessuno@rifiutato.test"))
        << errors[0].toStdString();
    EXPECT_TRUE(errors[0].contains("550")) << errors[0].toStdString();
    EXPECT_EQ(errors[2], "L'indirizzo email \"non valido\" non è valido.");
    EXPECT_EQ(server.messages().size(), 1);
}

TEST(MailSend, ConnectionProblemsAreExplained) {
    TestArchive a(db::Engine::SQLite);
    ScriptedInteraction ui;
    mail::Mailer mailer(a.db(), ui);

    // Nobody listening.
    const int port = SmtpTestServer::unusedPort();
    SmtpOptions{.port = port}.save(a.db());
    EXPECT_FALSE(mailer.send({"anna@esempio.it"}, {}, {}, "Prova", "Testo"));
    EXPECT_EQ(mailer.lastError(),
              QStringLiteral("Impossibile collegarsi al server SMTP 127.0.0.1 (porta %1): il "
                             "server non è raggiungibile o non è in ascolto su quella porta.")
                  .arg(port));
    ASSERT_EQ(ui.messages.size(), 1);
    EXPECT_EQ(ui.messages[0].kind, "error");
    EXPECT_EQ(ui.messages[0].text, mailer.lastError());

    // Encryption asked of a server that does not offer it: nothing goes out in clear.
    SmtpTestServer plain(Mode::Plain);
    REQUIRE_SERVER(plain);
    SmtpOptions{.port = plain.port(), .encrypted = true, .encryptionType = 1}.save(a.db());
    EXPECT_FALSE(mailer.send({"anna@esempio.it"}, {}, {}, "Prova", "Testo"));
    EXPECT_TRUE(mailer.lastError().contains("non offre la connessione cifrata"))
        << mailer.lastError().toStdString();
    EXPECT_TRUE(plain.messages().isEmpty());

    // The throwaway certificate is not trusted unless a test says so.
    SmtpTestServer tls(Mode::ImplicitTls);
    REQUIRE_SERVER(tls);
    SmtpOptions{.port = tls.port(), .encrypted = true, .encryptionType = 4}.save(a.db());
    EXPECT_FALSE(mailer.send({"anna@esempio.it"}, {}, {}, "Prova", "Testo"));
    EXPECT_TRUE(mailer.lastError().contains("certificato")) << mailer.lastError().toStdString();
    EXPECT_TRUE(tls.messages().isEmpty());

    // A missing attachment stops the message before connecting.
    mailer.setCaFile(SmtpTestServer::certificate());
    EXPECT_FALSE(mailer.send({"anna@esempio.it"}, {}, {"/nessuna/cartella/fattura.pdf"}, "P", "T"));
    EXPECT_EQ(mailer.lastError(),
              "L'allegato /nessuna/cartella/fattura.pdf non esiste o non si può leggere.");
    EXPECT_TRUE(tls.messages().isEmpty());
}

// "Invia email di prova": one message to the typed address, then a word to
// the user; with the server gone, the error and no success message.
TEST(MailSend, TestMessageFromTheOptions) {
    SmtpTestServer server(Mode::Plain);
    REQUIRE_SERVER(server);
    TestArchive a(db::Engine::SQLite);
    SmtpOptions{.port = server.port(), .encryptionType = 4}.save(a.db());
    ScriptedInteraction ui;
    mail::Mailer mailer(a.db(), ui);

    EXPECT_FALSE(mail::TestMessage::send(mailer, "   "));
    EXPECT_TRUE(server.messages().isEmpty());

    ASSERT_TRUE(mail::TestMessage::send(mailer, " prova@esempio.it "));
    const auto got = server.messages();
    ASSERT_EQ(got.size(), 1);
    EXPECT_EQ(got[0].envelopeTo, QStringList({"prova@esempio.it"}));
    EXPECT_EQ(got[0].message["subject"].toString(), mail::TestMessage::subject());
    ASSERT_FALSE(ui.messages.isEmpty());
    EXPECT_TRUE(ui.messages.last().text.contains("prova@esempio.it"));

    ScriptedInteraction ui2;
    mail::Mailer unreachable(a.db(), ui2);
    SmtpOptions{.port = 1, .encryptionType = 4}.save(a.db());
    EXPECT_FALSE(mail::TestMessage::send(unreachable, "prova@esempio.it"));
    ASSERT_EQ(ui2.messages.size(), 1);
    EXPECT_EQ(ui2.messages[0].title, "Messaggio di errore");
}

namespace {

// A server that takes the connection and never says a word.
class SilentServer {
public:
    SilentServer() {
        m_socket = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof address;
        if (::bind(m_socket, reinterpret_cast<sockaddr*>(&address), size) == 0 &&
            ::listen(m_socket, 8) == 0 &&
            ::getsockname(m_socket, reinterpret_cast<sockaddr*>(&address), &size) == 0)
            m_port = ntohs(address.sin_port);
    }
    ~SilentServer() { ::close(m_socket); }
    int port() const { return m_port; }

private:
    int m_socket = -1;
    int m_port = 0;
};

// Presses "Interrompi" once the progress window has been up a while.
class StoppingInteraction : public ScriptedInteraction {
public:
    bool progress(const QString& text, qint64, qint64) override {
        shown.append(text);
        return shown.size() < 6;
    }
    QStringList shown;
};

} // namespace

// The window is never frozen by a silent server: the message waits on its
// own thread while the progress window runs, and "Interrompi" stops it at
// once, without an error message.
TEST(MailSend, ASilentServerIsStoppedByInterrompi) {
    SilentServer silent;
    ASSERT_GT(silent.port(), 0);
    TestArchive a(db::Engine::SQLite);
    SmtpOptions{.port = silent.port()}.save(a.db());
    StoppingInteraction ui;
    mail::EmailModel model(a.db(), ui);
    model.prefill("Prova", "Testo", {"anna@esempio.it", "bruno@esempio.it"});
    QElapsedTimer clock;
    clock.start();
    const auto outcome = model.send();
    EXPECT_LT(clock.elapsed(), 15000) << "stopped by the user, not by the server's time limit";
    EXPECT_TRUE(outcome.sent.isEmpty());
    EXPECT_EQ(outcome.notSent, QStringList({"anna@esempio.it", "bruno@esempio.it"}));
    EXPECT_GE(ui.shown.size(), 6);
    EXPECT_EQ(ui.shown.first(), "Invio del messaggio a anna@esempio.it…");
    EXPECT_TRUE(ui.texts_of("error").isEmpty());
    EXPECT_EQ(ui.texts_of("warning"),
              QStringList({"Invio interrotto. Messaggi non inviati a: bruno@esempio.it"}));
}

// After the first connection failure the other recipients are not tried:
// each would wait for the same server.
TEST(MailSend, AnUnreachableServerStopsTheSeries) {
    TestArchive a(db::Engine::SQLite);
    SmtpOptions{.port = SmtpTestServer::unusedPort()}.save(a.db());
    ScriptedInteraction ui;
    mail::EmailModel model(a.db(), ui);
    model.prefill("Prova", "Testo", {"anna@esempio.it", "bruno@esempio.it", "carla@esempio.it"});
    const auto outcome = model.send();
    EXPECT_EQ(outcome.notSent,
              QStringList({"anna@esempio.it", "bruno@esempio.it", "carla@esempio.it"}));
    const QStringList errors = ui.texts_of("error");
    ASSERT_EQ(errors.size(), 2);
    EXPECT_TRUE(errors[0].startsWith("Impossibile collegarsi al server SMTP"));
    EXPECT_EQ(errors[1], "Messaggio Non inviato a : anna@esempio.it");
    EXPECT_EQ(ui.texts_of("warning"),
              QStringList({"Il server di posta non risponde. Messaggi non inviati a: "
                           "bruno@esempio.it, carla@esempio.it"}));
}
