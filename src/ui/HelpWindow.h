#pragma once

#include <QDialog>

class QTextBrowser;

namespace ui {

// The help pages shown inside the program. F1 anywhere (see installHelpKey)
// and the main window's "Aiuto" open the page of the window in use.
class HelpWindow : public QDialog {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    void showPage(const QString& path);
    QString currentPage() const;
    QTextBrowser* browser() const { return m_browser; }

    // Opens the help at the page of the window holding the widget; the help
    // window stays usable beside a modal window.
    static HelpWindow* showFor(QWidget* widget);
    // The page the help would open for that widget.
    static QString pageFor(QWidget* widget);
    static void closeAll();

private:
    QTextBrowser* m_browser;
};

// Makes F1 open the help from any window of the application.
void installHelpKey();

} // namespace ui
