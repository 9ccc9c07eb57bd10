#include "PreviewWindow.h"

#include "common/Installation.h"
#include "printing/ReportPainter.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScrollArea>
#include <QStandardPaths>
#include <QToolBar>

PreviewWindow::PreviewWindow(printing::PrintJob job, QWidget* parent)
    : QMainWindow(parent), m_job(std::move(job)) {
    setObjectName(QStringLiteral("AnteprimaStampa"));
    setWindowTitle(QStringLiteral("Anteprima di stampa - %1").arg(m_job.report.title));

    QToolBar* bar = addToolBar(QStringLiteral("Anteprima"));
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    QAction* printAction = bar->addAction(QStringLiteral("Stampa"), this, &PreviewWindow::print);
    printAction->setObjectName(QStringLiteral("Stampa"));
    printAction->setShortcut(QKeySequence::Print);
    QAction* pdfAction = bar->addAction(QStringLiteral("Salva PDF"), this, &PreviewWindow::savePdf);
    pdfAction->setObjectName(QStringLiteral("SalvaPdf"));
    bar->addSeparator();
    m_first = bar->addAction(QStringLiteral("|<"), this, [this] { showPage(0); });
    m_first->setToolTip(QStringLiteral("Prima pagina"));
    m_previous = bar->addAction(QStringLiteral("<"), this, [this] { showPage(m_page - 1); });
    m_previous->setToolTip(QStringLiteral("Pagina precedente"));
    m_previous->setShortcut(QKeySequence(Qt::Key_PageUp));
    m_pageLabel = new QLabel(this);
    m_pageLabel->setObjectName(QStringLiteral("Pagina"));
    m_pageLabel->setContentsMargins(8, 0, 8, 0);
    bar->addWidget(m_pageLabel);
    m_next = bar->addAction(QStringLiteral(">"), this, [this] { showPage(m_page + 1); });
    m_next->setToolTip(QStringLiteral("Pagina successiva"));
    m_next->setShortcut(QKeySequence(Qt::Key_PageDown));
    m_last = bar->addAction(QStringLiteral(">|"), this,
                            [this] { showPage(int(m_job.report.pages.size()) - 1); });
    m_last->setToolTip(QStringLiteral("Ultima pagina"));
    bar->addSeparator();
    QAction* zoomOut =
        bar->addAction(QStringLiteral("Riduci"), this, [this] { setZoom(m_zoom / 1.25); });
    zoomOut->setShortcut(QKeySequence::ZoomOut);
    m_zoomLabel = new QLabel(this);
    m_zoomLabel->setObjectName(QStringLiteral("Zoom"));
    m_zoomLabel->setContentsMargins(8, 0, 8, 0);
    bar->addWidget(m_zoomLabel);
    QAction* zoomIn =
        bar->addAction(QStringLiteral("Ingrandisci"), this, [this] { setZoom(m_zoom * 1.25); });
    zoomIn->setShortcut(QKeySequence::ZoomIn);
    bar->addAction(QStringLiteral("Adatta"), this, [this] {
        const double available = m_scroll->viewport()->width() - 40;
        const double pageWidth = m_job.report.pageSize.width() * 96.0 / 72.0;
        if (pageWidth > 0)
            setZoom(available / pageWidth);
    });
    bar->addSeparator();
    bar->addAction(QStringLiteral("Chiudi"), this, &QWidget::close);

    m_scroll = new QScrollArea(this);
    m_scroll->setBackgroundRole(QPalette::Dark);
    m_scroll->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_image = new QLabel;
    m_image->setObjectName(QStringLiteral("PaginaImmagine"));
    m_image->setContentsMargins(20, 20, 20, 20);
    m_scroll->setWidget(m_image);
    setCentralWidget(m_scroll);

    const double pageWidth = m_job.report.pageSize.width() * 96.0 / 72.0;
    resize(int(pageWidth) + 120, 900);
    refresh();
}

void PreviewWindow::showPage(int page) {
    const int count = int(m_job.report.pages.size());
    m_page = std::clamp(page, 0, std::max(0, count - 1));
    refresh();
}

void PreviewWindow::setZoom(double zoom) {
    m_zoom = std::clamp(zoom, 0.25, 4.0);
    refresh();
}

void PreviewWindow::refresh() {
    const int count = int(m_job.report.pages.size());
    const double ratio = devicePixelRatioF();
    QImage image = printing::ReportPainter::pageImage(m_job.report, m_page, 96.0 * m_zoom * ratio);
    image.setDevicePixelRatio(ratio);
    m_image->setPixmap(QPixmap::fromImage(image));
    m_image->adjustSize();
    m_pageLabel->setText(QStringLiteral("Pagina %1 di %2").arg(m_page + 1).arg(count));
    m_zoomLabel->setText(QStringLiteral("%1%").arg(qRound(m_zoom * 100)));
    m_first->setEnabled(m_page > 0);
    m_previous->setEnabled(m_page > 0);
    m_next->setEnabled(m_page + 1 < count);
    m_last->setEnabled(m_page + 1 < count);
}

void PreviewWindow::print() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(m_job.report.title);
    printer.setFullPage(true);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(m_job.report.landscape ? QPageLayout::Landscape
                                                      : QPageLayout::Portrait);
    if (m_job.request.setup) {
        QPrintDialog dialog(&printer, this);
        dialog.setWindowTitle(QStringLiteral("Stampa"));
        if (dialog.exec() != QDialog::Accepted)
            return;
    } else {
        const QPrinterInfo info = QPrinterInfo::defaultPrinter();
        if (info.isNull()) {
            QMessageBox::warning(this, QStringLiteral("Stampa"),
                                 QStringLiteral("Nessuna stampante predefinita è installata."));
            return;
        }
        printer.setPrinterName(info.printerName());
    }
    if (!printing::ReportPainter::paintAll(&printer, m_job.report))
        QMessageBox::warning(
            this, QStringLiteral("Stampa"),
            QStringLiteral("Impossibile stampare sulla stampante %1.").arg(printer.printerName()));
}

void PreviewWindow::savePdf() {
    const QString folder = common::Installation::exportFolder();
    QString name = m_job.report.title.isEmpty() ? QStringLiteral("Stampa") : m_job.report.title;
    name.replace(u'/', u'-');
    const QString file = QFileDialog::getSaveFileName(
        this, QStringLiteral("Salva PDF"), QDir(folder).filePath(name + QStringLiteral(".pdf")),
        QStringLiteral("Documenti PDF (*.pdf)"));
    if (file.isEmpty())
        return;
    QString error;
    if (!printing::ReportPainter::writePdf(m_job.report, file, &error))
        QMessageBox::warning(this, QStringLiteral("Salva PDF"), error);
}
