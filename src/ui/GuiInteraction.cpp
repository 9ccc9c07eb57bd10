#include "ui/GuiInteraction.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>

namespace ui {

namespace {

QWidget* parentOr(QWidget* p) {
    return p ? p : QApplication::activeWindow();
}

// A question asked during long work (the start-up, a send) shows the normal
// pointer; the hourglass comes back when it is answered.
class NormalCursor {
public:
    NormalCursor() {
        while (QApplication::overrideCursor()) {
            QApplication::restoreOverrideCursor();
            ++m_depth;
        }
    }
    ~NormalCursor() {
        for (int i = 0; i < m_depth; ++i)
            QApplication::setOverrideCursor(Qt::WaitCursor);
    }

private:
    int m_depth = 0;
};

} // namespace

void GuiInteraction::information(const QString& title, const QString& text) {
    endProgress();
    NormalCursor normal;
    QMessageBox::information(parentOr(m_parent), title, text);
}

void GuiInteraction::warning(const QString& title, const QString& text) {
    endProgress();
    NormalCursor normal;
    QMessageBox::warning(parentOr(m_parent), title, text);
}

void GuiInteraction::error(const QString& title, const QString& text) {
    endProgress();
    NormalCursor normal;
    QMessageBox::critical(parentOr(m_parent), title, text);
}

void GuiInteraction::errorWithDetails(const QString& title, const QString& text,
                                      const QString& details) {
    if (details.isEmpty()) {
        error(title, text);
        return;
    }
    endProgress();
    NormalCursor normal;
    // The engine's words stay folded under "Mostra dettagli...".
    QMessageBox box(QMessageBox::Critical, title, text, QMessageBox::Ok, parentOr(m_parent));
    box.setDetailedText(details);
    box.exec();
}

bool GuiInteraction::question(const QString& title, const QString& text) {
    endProgress();
    NormalCursor normal;
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No,
                    parentOr(m_parent));
    box.button(QMessageBox::Yes)->setText(QStringLiteral("Sì"));
    box.button(QMessageBox::No)->setText(QStringLiteral("No"));
    return box.exec() == QMessageBox::Yes;
}

bool GuiInteraction::askPassword(const QString& title, const QString& prompt, QString* answer) {
    NormalCursor normal;
    bool ok = false;
    const QString text = QInputDialog::getText(parentOr(m_parent), title, prompt,
                                               QLineEdit::Password, QString(), &ok);
    if (ok)
        *answer = text;
    return ok;
}

bool GuiInteraction::askText(const QString& title, const QString& prompt, QString* answer) {
    NormalCursor normal;
    bool ok = false;
    const QString text =
        QInputDialog::getText(parentOr(m_parent), title, prompt, QLineEdit::Normal, *answer, &ok);
    if (ok)
        *answer = text;
    return ok;
}

QString GuiInteraction::openFile(const QString& title, const QString& filter,
                                 const QString& folder) {
    NormalCursor normal;
    return QFileDialog::getOpenFileName(parentOr(m_parent), title, folder, filter);
}

QString GuiInteraction::saveFile(const QString& title, const QString& filter,
                                 const QString& suggestedPath) {
    NormalCursor normal;
    // The caller asks before overwriting, in its own words.
    return QFileDialog::getSaveFileName(parentOr(m_parent), title, suggestedPath, filter, nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}

bool GuiInteraction::progress(const QString& text, qint64 done, qint64 total) {
    if (total <= 0 || done >= total) {
        endProgress();
        return true;
    }
    if (!m_progress) {
        m_progress =
            new QProgressDialog(text, QStringLiteral("Interrompi"), 0, 1000, parentOr(m_parent));
        m_progress->setWindowTitle(QStringLiteral("Ossarion"));
        m_progress->setWindowModality(Qt::ApplicationModal);
        m_progress->setAutoClose(false);
        m_progress->setAutoReset(false);
        m_progress->setMinimumDuration(0);
        m_progress->show();
    }
    m_progress->setLabelText(text);
    m_progress->setValue(int(done * 1000 / total));
    QApplication::processEvents();
    return !m_progress->wasCanceled();
}

// A message ends the long work it reports on, finished or stopped half-way.
void GuiInteraction::endProgress() {
    if (!m_progress)
        return;
    m_progress->close();
    m_progress->deleteLater();
    m_progress.clear();
}

} // namespace ui
