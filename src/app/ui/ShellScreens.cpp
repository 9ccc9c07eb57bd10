#include "app/ui/ShellScreens.h"

#include "app/BackupAction.h"
#include "app/ExternalProgram.h"
#include "app/StartupSequence.h"
#include "app/ui/MainWindow.h"
#include "app/ui/OptionsDialog.h"
#include "db/Database.h"
#include "registries/ui/CompanyDialog.h"
#include "ui/ScreenRegistry.h"

#include <QCoreApplication>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace app::ui {

namespace {

// "Realizzazione": who made the program.
void showCredits(QWidget* parent) {
    QDialog d(parent);
    d.setObjectName(QStringLiteral("TfrmRealizzazione"));
    d.setWindowTitle(QStringLiteral("Realizzazione"));
    auto* text = new QLabel(&d);
    text->setTextFormat(Qt::RichText);
    text->setText(
        QStringLiteral("<h2>Ossarion</h2>"
                       "<p>Gestionale per le imprese di servizi cimiteriali.</p>"
                       "<p>Versione %1</p>"
                       "<p>Anagrafiche, documenti, fatturazione elettronica, contratti di "
                       "concessione, scadenziario, prima nota e liquidazione Iva.</p>"
                       "<p>Realizzato con Qt %2.</p>")
            .arg(QCoreApplication::applicationVersion(), QString::fromLatin1(qVersion())));
    text->setWordWrap(true);
    auto* close = new QPushButton(QStringLiteral("Chiudi"), &d);
    QObject::connect(close, &QPushButton::clicked, &d, &QDialog::accept);
    auto* v = new QVBoxLayout(&d);
    v->addWidget(text);
    v->addWidget(close, 0, Qt::AlignRight);
    d.resize(420, 260);
    d.exec();
}

} // namespace

void registerShellScreens(::ui::ScreenRegistry& registry) {
    registry.add(QString::fromLatin1(MainMenu::optionsButton),
                 [](QWidget* parent, ::ui::AppContext& context) {
                     OptionsDialog d(context, parent);
                     d.exec();
                 });
    registry.add(QString::fromLatin1(MainMenu::companyButton),
                 [](QWidget* parent, ::ui::AppContext& context) {
                     registries::ui::CompanyDialog d(context, parent);
                     d.exec();
                     // The caption follows the company name.
                     if (auto* main = qobject_cast<MainWindow*>(parent))
                         main->setCaption(StartupSequence::caption(*context.db));
                 });
    registry.add(QStringLiteral("btnFatturaElettronica"), [](QWidget*, ::ui::AppContext& context) {
        ExternalProgram::start(QStringLiteral("Tessarin"), {QStringLiteral("7")},
                               *context.interaction);
    });
    registry.add(QStringLiteral("btnEsportazioni"), [](QWidget*, ::ui::AppContext& context) {
        ExternalProgram::start(QStringLiteral("Esportazioni"), {}, *context.interaction);
    });
    registry.add(QStringLiteral("btnUtilityRealizzazione"),
                 [](QWidget* parent, ::ui::AppContext&) { showCredits(parent); });
    registry.add(QStringLiteral("btnUtilityBackup"), [](QWidget*, ::ui::AppContext& context) {
        BackupAction::run(*context.db, *context.interaction);
    });
}

} // namespace app::ui
