#include "MailTestSupport.h"
#include "TestArchive.h"

#include <QJsonArray>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

struct AdminRun {
    int exitCode = -1;
    QString out;
    QString err;
};

AdminRun admin(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(OSSARION_ADMIN_PROGRAM), args);
    p.waitForFinished(120000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

} // namespace

TEST(AdminSendMail, OneMessagePerRecipientWithTheArchiveOptions) {
    SmtpTestServer server(SmtpTestServer::Mode::Plain, "ufficio", "pw");
    ASSERT_TRUE(server.started()) << server.failure().toStdString();
    TestArchive a(db::Engine::SQLite);
    SmtpOptions{.port = server.port(), .authenticate = true, .user = "ufficio", .password = "pw"}
        .save(a.db());
    Attachments files;

    AdminRun r = admin({"send-mail", a.address(), "--to", "uno@esempio.it", "due@esempio.it",
                        "--subject", "Fattura 12", "--text", "In allegato.", "--attach",
                        files.paths[0], "--attach", files.paths[1], "--to", "tre@esempio.it"});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("Termine Invio Messaggi !")) << r.out.toStdString();
    const auto got = server.messages();
    ASSERT_EQ(got.size(), 3);
    for (const auto& m : got) {
        EXPECT_EQ(m.login, "ufficio");
        EXPECT_EQ(m.message["subject"].toString(), "Fattura 12");
        EXPECT_EQ(m.message["attachments"].toArray().size(), 2);
    }
    EXPECT_EQ(got[2].envelopeTo, QStringList({"tre@esempio.it"}));

    // One refused recipient is enough for a failed run; the other still goes.
    r = admin({"send-mail", a.address(), "--to", "x@rifiutato.test", "quattro@esempio.it"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("Messaggio Non inviato a : x@rifiutato.test"))
        << r.err.toStdString();
    EXPECT_EQ(server.messages().size(), 4);

    // A server that is not there.
    SmtpOptions{.port = SmtpTestServer::unusedPort()}.save(a.db());
    r = admin({"send-mail", a.address(), "--to", "uno@esempio.it"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("Impossibile collegarsi al server SMTP")) << r.err.toStdString();

    r = admin({"send-mail", a.address(), "--subject", "x"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.contains("Manca il destinatario"));
}
