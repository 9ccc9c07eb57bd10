#include "mail/ui/EmailDialog.h"

#include "MailTestSupport.h"
#include "ScreenArchive.h"
#include "ScreenHelpers.h"

#include <QApplication>
#include <QJsonArray>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

void click(QWidget& screen, const char* name) {
    auto* b = screen.findChild<QPushButton*>(name);
    ASSERT_NE(b, nullptr) << name;
    QTest::mouseClick(b, Qt::LeftButton);
}

QStringList items(QWidget& screen, const char* name) {
    QStringList out;
    auto* l = screen.findChild<QListWidget*>(name);
    for (int i = 0; l && i < l->count(); ++i)
        out.append(l->item(i)->text());
    return out;
}

} // namespace

TEST(EmailScreen, ComposeAndSendToEachRecipient) {
    SmtpTestServer server(SmtpTestServer::Mode::Plain);
    ASSERT_TRUE(server.started()) << server.failure().toStdString();
    uitest::ScreenArchive a;
    SmtpOptions{.port = server.port(), .defaultText = "Cordiali saluti."}.save(a.db());
    Attachments files;
    common::ScriptedInteraction& ui = a.interaction;
    ::ui::AppContext& context = a.context;

    mail::ui::EmailDialog screen(context);
    EXPECT_EQ(screen.windowTitle(), "Email");
    screen.model().prefill("Fattura 12", "In allegato la fattura.", {"uno@esempio.it"},
                           {files.paths[0]});
    screen.refresh();
    screen.show();

    ui.texts << "due@esempio.it" << files.paths[1] << files.paths[2];
    click(screen, "btnAggiungiDestinatario");
    click(screen, "btnAllega");
    click(screen, "btnAllega");
    click(screen, "btnTestoDefault");
    EXPECT_EQ(items(screen, "txtDestinatario"), QStringList({"uno@esempio.it", "due@esempio.it"}));
    EXPECT_EQ(items(screen, "txtAllegati"), files.paths);
    EXPECT_EQ(screen.findChild<QPlainTextEdit*>("txtTesto")->toPlainText(),
              "In allegato la fattura.\nCordiali saluti.");
    screen.findChild<QLineEdit*>("txtOggetto")->setText("Fattura 12/2024");
    uitest::screenshot(&screen, "email");

    ui.messages.clear();
    click(screen, "btnInvia");
    EXPECT_EQ(ui.texts_of("information"), QStringList({"Termine Invio Messaggi !"}));
    EXPECT_TRUE(ui.texts_of("error").isEmpty()) << ui.texts_of("error").join('\n').toStdString();
    const auto got = server.messages();
    ASSERT_EQ(got.size(), 2);
    for (const auto& m : got) {
        EXPECT_EQ(m.message["subject"].toString(), "Fattura 12/2024");
        EXPECT_EQ(m.message["attachments"].toArray().size(), 3);
    }
    EXPECT_FALSE(QApplication::overrideCursor()); // the hourglass is gone

    screen.findChild<QListWidget*>("txtAllegati")->setCurrentRow(1);
    click(screen, "btnRimuoviAllegato");
    EXPECT_EQ(items(screen, "txtAllegati"), QStringList({files.paths[0], files.paths[2]}));
    click(screen, "btnEliminaAllegati");
    EXPECT_TRUE(items(screen, "txtAllegati").isEmpty());
    click(screen, "btnAzzera");
    EXPECT_TRUE(items(screen, "txtDestinatario").isEmpty());
    EXPECT_TRUE(screen.findChild<QLineEdit*>("txtOggetto")->text().isEmpty());
    ui.messages.clear();
    click(screen, "btnInvia");
    EXPECT_EQ(ui.texts_of("warning"), QStringList({"Manca il destinatario"}));
}
