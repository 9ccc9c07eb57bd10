#include "app/PrinterCheck.h"
#include "app/SingleInstance.h"
#include "app/StartupSequence.h"
#include "app/ui/MainWindow.h"
#include "app/ui/Screens.h"
#include "common/LocalTimeZone.h"
#include "db/Database.h"
#include "ui/AppContext.h"
#include "ui/GuiInteraction.h"
#include "ui/HelpWindow.h"
#include "ui/ItalianTexts.h"
#include "ui/ScreenRegistry.h"

#include <QApplication>
#include <QLabel>
#include <QLocale>
#include <QPrinterInfo>
#include <QVBoxLayout>

namespace {

// "sto Caricando..." while the screens are built.
class Splash : public QWidget {
public:
    Splash() : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint) {
        setObjectName(QStringLiteral("TfrmSplash"));
        setWindowTitle(QStringLiteral("Ossarion"));
        setStyleSheet(QStringLiteral("QWidget#TfrmSplash { background: #23395d; }"
                                     "QLabel { color: white; }"));
        setAttribute(Qt::WA_StyledBackground);
        auto* name = new QLabel(QStringLiteral("Ossarion"), this);
        name->setStyleSheet(QStringLiteral("font-size: 26pt; font-weight: 600;"));
        auto* loading = new QLabel(QStringLiteral("sto Caricando..."), this);
        loading->setStyleSheet(QStringLiteral("font-size: 12pt; color: #d6e2f5;"));
        auto* v = new QVBoxLayout(this);
        v->setContentsMargins(40, 30, 40, 30);
        v->addWidget(name, 0, Qt::AlignCenter);
        v->addWidget(loading, 0, Qt::AlignCenter);
        setFixedSize(380, 180);
    }
};

} // namespace

int main(int argc, char** argv) {
    common::readTimeZoneOnce();
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ossarion"));
    QApplication::setApplicationVersion(QStringLiteral(OSSARION_VERSION));
    ui::useItalian();

    ui::GuiInteraction gui;
    app::SingleInstance instance;
    if (!instance.tryAcquire()) {
        app::SingleInstance::showAlreadyRunning(gui);
        return 0;
    }

    Splash splash;
    splash.show();
    QApplication::processEvents();
    // Documents can always go to PDF; a printer is not required.
    if (!app::PrinterCheck::passes(!QPrinterInfo::availablePrinterNames().isEmpty(), true)) {
        app::PrinterCheck::showMissingPrinter(gui);
        return 0;
    }

    db::Database database;
    ui::AppContext context;
    context.db = &database;
    context.interaction = &gui;
    ui::ScreenRegistry registry;
    screens::registerAllScreens(registry);
    ::ui::installHelpKey();

    app::ui::MainWindow window(context, registry);
    gui.setParent(&window);
    // The start-up runs once, when the window is first activated.
    QObject::connect(&window, &app::ui::MainWindow::firstActivation, &window, [&] {
        // Hourglass while the archive opens and the start-up work runs;
        // the questions on the way show the normal pointer.
        QApplication::setOverrideCursor(Qt::WaitCursor);
        app::StartupSequence startup(database, gui);
        const app::StartupResult result = startup.run();
        QApplication::restoreOverrideCursor();
        if (result.stop) {
            QApplication::exit(0);
            return;
        }
        window.start(result);
    });

    splash.close();
    window.show();
    window.raise();
    window.activateWindow();
    return QApplication::exec();
}
