#include "ui/HelpWindow.h"

#include "ui/HelpPages.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace ui {

namespace {

QList<QPointer<HelpWindow>>& openWindows() {
    static QList<QPointer<HelpWindow>> windows;
    return windows;
}

class HelpKeyFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_F1 || key->isAutoRepeat())
            return false;
        QWidget* w = QApplication::focusWidget();
        if (!w)
            w = qobject_cast<QWidget*>(watched);
        if (!w)
            w = QApplication::activeWindow();
        HelpWindow::showFor(w);
        return true;
    }
};

} // namespace

HelpWindow::HelpWindow(QWidget* parent) : QDialog(parent, Qt::Window) {
    setObjectName(QStringLiteral("frmAiuto"));
    setWindowTitle(QStringLiteral("Aiuto - Ossarion"));
    setAttribute(Qt::WA_DeleteOnClose);
    m_browser = new QTextBrowser(this);
    m_browser->setOpenExternalLinks(true);
    m_browser->setSearchPaths({HelpPages().folder()});

    auto* index = new QPushButton(QStringLiteral("Indice"), this);
    auto* backward = new QPushButton(QStringLiteral("Indietro"), this);
    auto* forward = new QPushButton(QStringLiteral("Avanti"), this);
    auto* close = new QPushButton(QStringLiteral("Chiudi"), this);
    for (QPushButton* b : {index, backward, forward, close})
        b->setAutoDefault(false);
    backward->setEnabled(false);
    forward->setEnabled(false);
    connect(index, &QPushButton::clicked, this, [this] { showPage(HelpPages().indexPage()); });
    connect(backward, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(forward, &QPushButton::clicked, m_browser, &QTextBrowser::forward);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    connect(m_browser, &QTextBrowser::backwardAvailable, backward, &QPushButton::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QPushButton::setEnabled);

    auto* bar = new QHBoxLayout;
    bar->addWidget(index);
    bar->addWidget(backward);
    bar->addWidget(forward);
    bar->addStretch(1);
    bar->addWidget(close);
    auto* v = new QVBoxLayout(this);
    v->addLayout(bar);
    v->addWidget(m_browser, 1);
    resize(760, 640);
    openWindows().append(this);
}

void HelpWindow::showPage(const QString& path) {
    m_browser->setSource(QUrl::fromLocalFile(path));
}

QString HelpWindow::currentPage() const {
    return m_browser->source().toLocalFile();
}

QString HelpWindow::pageFor(QWidget* widget) {
    QStringList names;
    for (QWidget* w = widget ? widget->window() : nullptr; w;
         w = w->parentWidget() ? w->parentWidget()->window() : nullptr)
        names.append(w->objectName());
    return HelpPages().pageFor(names);
}

HelpWindow* HelpWindow::showFor(QWidget* widget) {
    QWidget* owner = widget ? widget->window() : QApplication::activeWindow();
    if (auto* already = qobject_cast<HelpWindow*>(owner)) {
        already->raise();
        return already;
    }
    auto* help = new HelpWindow(owner);
    help->showPage(pageFor(widget));
    help->show();
    help->raise();
    help->activateWindow();
    return help;
}

void HelpWindow::closeAll() {
    for (const QPointer<HelpWindow>& w : openWindows())
        if (w)
            w->close();
    openWindows().clear();
}

void installHelpKey() {
    static HelpKeyFilter* filter = nullptr;
    if (filter)
        return;
    filter = new HelpKeyFilter(qApp);
    qApp->installEventFilter(filter);
}

} // namespace ui
