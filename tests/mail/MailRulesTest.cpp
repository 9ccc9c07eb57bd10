#include "MailTestSupport.h"
#include "TestArchive.h"
#include "common/ScriptedInteraction.h"
#include "mail/EmailModel.h"
#include "mail/MimeText.h"
#include "mail/SmtpSettings.h"

#include <gtest/gtest.h>

using common::ScriptedInteraction;
using mail::SmtpSettings;

TEST(MailSettings, ReadFromTheOptionsRow) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        SmtpOptions{.host = " smtp.esempio.it ",
                    .port = 0,
                    .encrypted = true,
                    .encryptionType = 4,
                    .authenticate = true,
                    .user = "utente",
                    .password = "pw",
                    .defaultText = "Cordiali saluti"}
            .save(a.db());
        const SmtpSettings s = SmtpSettings::load(a.db());
        EXPECT_EQ(s.host, "smtp.esempio.it");
        EXPECT_EQ(s.sender, "ufficio@onoranze-esempio.it");
        EXPECT_TRUE(s.authenticate);
        EXPECT_EQ(s.userName, "utente");
        EXPECT_EQ(s.password, "pw");
        EXPECT_EQ(s.defaultText, "Cordiali saluti");
        // Port 0 is 25, also with encryption on.
        EXPECT_EQ(s.url(), "smtps://smtp.esempio.it:25");
    }
}

TEST(MailSettings, ProtocolCodes) {
    SmtpSettings s;
    s.host = "mail.esempio.it";
    s.port = 587;
    s.encryptionType = 4;
    // Not encrypted: plain whatever the code.
    EXPECT_EQ(s.security(), SmtpSettings::Security::Plain);
    EXPECT_EQ(s.url(), "smtp://mail.esempio.it:587");
    s.encrypted = true;
    EXPECT_EQ(s.security(), SmtpSettings::Security::ImplicitTls);
    for (int code : {0, 1, 2, 3, 7}) {
        s.encryptionType = code;
        EXPECT_EQ(s.security(), SmtpSettings::Security::StartTls) << code;
        EXPECT_EQ(s.url(), "smtp://mail.esempio.it:587");
    }
    s.host = "::1";
    s.port = -1;
    EXPECT_EQ(s.url(), "smtp://[::1]:25");
}

TEST(MailText, AddressesAndHeaders) {
    EXPECT_EQ(mail::bareAddress(" Anna Bianchi <anna@esempio.it> "), "anna@esempio.it");
    EXPECT_EQ(mail::bareAddress("anna@esempio.it"), "anna@esempio.it");
    for (const char* good : {"anna@esempio.it", "a.b+c@sub.esempio.it", "x@localhost"})
        EXPECT_TRUE(mail::isValidAddress(good)) << good;
    for (const char* bad : {"", "anna", "@esempio.it", "anna@", "a@b@c", "anna @esempio.it",
                            "anna@esempio.it;bruno@esempio.it", "anna@esempio..it",
                            "anna@esempio.it\r\nRCPT TO:<x@y.z>", "a<b@c.it"})
        EXPECT_FALSE(mail::isValidAddress(bad)) << bad;

    // Plain ASCII stays as typed; a line break cannot start a new header.
    EXPECT_EQ(mail::encodeHeaderText("Fattura 12"), "Fattura 12");
    EXPECT_EQ(mail::encodeHeaderText("a\r\nBcc: x@y.it"), "a  Bcc: x@y.it");
    const QByteArray encoded = mail::encodeHeaderText(QString(40, QChar(0x00e8)));
    for (const QByteArray& word : encoded.split(' ')) {
        EXPECT_LE(word.size(), 75);
        EXPECT_TRUE(word.startsWith("=?UTF-8?B?") && word.endsWith("?="));
    }
    EXPECT_EQ(mail::bodyText("a\nb\r\nc\rd"), "a\r\nb\r\nc\r\nd");
}

TEST(MailOptionsMissing, HostAndSenderAreRequired) {
    TestArchive a(db::Engine::SQLite);
    ScriptedInteraction ui;
    mail::Mailer mailer(a.db(), ui);

    // No recipient: false and not a word.
    SmtpOptions{.host = ""}.save(a.db());
    EXPECT_FALSE(mailer.send({}, {}, {}, "P", "T"));
    EXPECT_FALSE(mailer.send({"", " "}, {}, {}, "P", "T"));
    EXPECT_TRUE(ui.messages.isEmpty());

    EXPECT_FALSE(mailer.send({"anna@esempio.it"}, {}, {}, "P", "T"));
    SmtpOptions{.sender = ""}.save(a.db());
    EXPECT_FALSE(mailer.send({"anna@esempio.it"}, {}, {}, "P", "T"));
    ASSERT_EQ(ui.messages.size(), 2);
    EXPECT_EQ(ui.messages[0].kind, "warning");
    EXPECT_EQ(ui.messages[0].title, "Messaggio di Avviso");
    EXPECT_EQ(ui.messages[0].text, "Per inviare email è necessario impostare l' Host SMTP tra le "
                                   "opzioni del programma !");
    EXPECT_EQ(ui.messages[1].text, "Per inviare email è necessario impostare il mittente delle "
                                   "email tra le opzioni del programma !");
}

TEST(EmailScreenModel, ComposingActions) {
    TestArchive a(db::Engine::SQLite);
    SmtpOptions{.defaultText = "Cordiali saluti\nOnoranze Rossi"}.save(a.db());
    ScriptedInteraction ui;
    mail::EmailModel model(a.db(), ui);

    model.prefill("Fattura", "In allegato.", {"a@esempio.it"}, {"/tmp/f.pdf"});
    model.prefill("Preventivo", "Testo", {"b@esempio.it"});
    EXPECT_EQ(model.recipients, QStringList({"b@esempio.it"}));
    EXPECT_TRUE(model.attachments.isEmpty());
    EXPECT_EQ(model.subject, "Preventivo");

    model.appendDefaultText();
    EXPECT_EQ(model.text, "Testo\nCordiali saluti\nOnoranze Rossi");

    ui.texts << "  c@esempio.it "
             << "";
    EXPECT_TRUE(model.askRecipient());
    EXPECT_FALSE(model.askRecipient()); // empty entry adds nothing
    EXPECT_FALSE(model.askRecipient()); // window closed
    EXPECT_EQ(model.recipients, QStringList({"b@esempio.it", "c@esempio.it"}));
    EXPECT_EQ(ui.messages[0].title, "Inserisci Email");
    model.removeRecipient(0);
    model.removeRecipient(5);
    EXPECT_EQ(model.recipients, QStringList({"c@esempio.it"}));

    ui.texts << "/tmp/a.pdf";
    EXPECT_TRUE(model.askAttachment());
    EXPECT_FALSE(model.askAttachment());
    EXPECT_EQ(ui.messages.last().title, "Allega File");
    model.addAttachment("/tmp/b.xml");
    model.removeAttachment(0);
    EXPECT_EQ(model.attachments, QStringList({"/tmp/b.xml"}));
    model.clearAttachments();
    EXPECT_TRUE(model.attachments.isEmpty());

    model.reset();
    EXPECT_TRUE(model.recipients.isEmpty() && model.subject.isEmpty() && model.text.isEmpty());
    ui.messages.clear();
    EXPECT_TRUE(model.send().sent.isEmpty());
    ASSERT_EQ(ui.messages.size(), 1);
    EXPECT_EQ(ui.messages[0].title, "Messaggio di Avviso");
    EXPECT_EQ(ui.messages[0].text, "Manca il destinatario");
}

TEST(EmailScreenModel, WithoutAServerOneMessageSaysSoAndNothingFollows) {
    TestArchive a(db::Engine::SQLite);
    SmtpOptions{.host = ""}.save(a.db());
    ScriptedInteraction ui;
    mail::EmailModel model(a.db(), ui);
    model.prefill("Fattura", "Testo", {"a@esempio.it", "b@esempio.it"});
    const mail::EmailModel::Outcome out = model.send();
    EXPECT_TRUE(out.sent.isEmpty());
    ASSERT_EQ(ui.messages.size(), 1);
    EXPECT_EQ(ui.messages[0].kind, "warning");
    EXPECT_EQ(ui.messages[0].text, "Per inviare email è necessario impostare l' Host SMTP tra le "
                                   "opzioni del programma !");
}

TEST(EmailScreenModel, FilledFromTheSelectedContacts) {
    const auto failure = mail::EmailModel::checkContactSelection(0);
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->title, "Messaggio di errore");
    EXPECT_EQ(failure->text, "Attenzione devi selezionare i contatti da copiare le email");
    EXPECT_FALSE(mail::EmailModel::checkContactSelection(2).has_value());

    TestArchive a(db::Engine::SQLite);
    ScriptedInteraction ui;
    mail::EmailModel model(a.db(), ui);
    model.prefill("Vecchio", "Vecchio", {"x@esempio.it"}, {"/tmp/x.pdf"});
    model.fillFromContacts({"b@esempio.it", "", "  ", "a@esempio.it"});
    EXPECT_EQ(model.recipients, QStringList({"b@esempio.it", "a@esempio.it"}));
    EXPECT_TRUE(model.attachments.isEmpty());
    EXPECT_TRUE(model.subject.isEmpty() && model.text.isEmpty());
}
