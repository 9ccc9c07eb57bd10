#pragma once

#include "printing/PrintJob.h"

#include <QMainWindow>

class QLabel;
class QScrollArea;
class QAction;

// The preview of a report: pages drawn as images, with printing, saving to
// PDF, zoom and page navigation.
class PreviewWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit PreviewWindow(printing::PrintJob job, QWidget* parent = nullptr);

    int currentPage() const { return m_page; }
    double zoom() const { return m_zoom; }
    void showPage(int page);
    void setZoom(double zoom);

public slots:
    void print();
    void savePdf();

private:
    void refresh();

    printing::PrintJob m_job;
    int m_page = 0;
    double m_zoom = 1.0;
    QScrollArea* m_scroll = nullptr;
    QLabel* m_image = nullptr;
    QLabel* m_pageLabel = nullptr;
    QLabel* m_zoomLabel = nullptr;
    QAction* m_previous = nullptr;
    QAction* m_next = nullptr;
    QAction* m_first = nullptr;
    QAction* m_last = nullptr;
};
