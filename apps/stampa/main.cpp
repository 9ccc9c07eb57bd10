// stampa: the print program. It reads this workstation's report request
// from the archive named by percorso.txt, draws it and shows a preview, or in
// export mode writes the requested file and ends.

#include "PreviewWindow.h"
#include "common/LocalTimeZone.h"
#include "db/Database.h"
#include "db/DbError.h"
#include "printing/PrintJob.h"
#include "printing/ReportRenderer.h"
#include "ui/ItalianTexts.h"

#include <QApplication>
#include <QMessageBox>
#include <QTextStream>

namespace {

int fail(const QString& message, bool showBox) {
    QTextStream(stderr) << message << "\n";
    if (showBox && QGuiApplication::platformName() != u"offscreen" &&
        QGuiApplication::platformName() != u"minimal")
        QMessageBox::critical(nullptr, QStringLiteral("Stampa"), message);
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    common::readTimeZoneOnce();
    // Exports need no screen: without a display the offscreen platform serves.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("stampa"));
    QApplication::setApplicationDisplayName(QStringLiteral("Stampa"));
    ui::useItalian();

    QString error;
    const QString archive = printing::PrintJobs::archiveAddress(&error);
    if (archive.isEmpty())
        return fail(error, true);

    db::Database db;
    std::optional<printing::RequestRow> request;
    printing::PrintJob job;
    try {
        db.open(archive);
        request = printing::ReportRequests::read(db);
        if (!request)
            return fail(QStringLiteral("Nessuna richiesta di stampa per la postazione %1")
                            .arg(db.workstation()),
                        true);
        job = printing::PrintJobs::prepare(db, *request);
    } catch (const printing::RenderError& e) {
        return fail(e.message, !request || !request->exportMode);
    } catch (const db::DbError& e) {
        return fail(e.message(), !request || !request->exportMode);
    }
    db.close();

    if (job.request.exportMode) {
        try {
            printing::PrintJobs::writeExport(job);
        } catch (const printing::RenderError& e) {
            return fail(e.message, false);
        }
        return 0;
    }

    PreviewWindow window(job);
    window.show();
    // OSSARION_PREVIEW_GRAB=file.png: saves the preview as shown and ends
    // (checks of the print mode without a screen).
    const QString grab = qEnvironmentVariable("OSSARION_PREVIEW_GRAB");
    if (!grab.isEmpty()) {
        QApplication::processEvents();
        return window.grab().save(grab) ? 0 : 1;
    }
    return app.exec();
}
