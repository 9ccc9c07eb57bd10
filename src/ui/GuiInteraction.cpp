#include "ui/GuiInteraction.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace ui {

namespace {

QWidget* parentOr(QWidget* p) {
    return p ? p : QApplication::activeWindow();
}

} // namespace

void GuiInteraction::information(const QString& title, const QString& text) {
    QMessageBox::information(parentOr(m_parent), title, text);
}

void GuiInteraction::warning(const QString& title, const QString& text) {
    QMessageBox::warning(parentOr(m_parent), title, text);
}

void GuiInteraction::error(const QString& title, const QString& text) {
    QMessageBox::critical(parentOr(m_parent), title, text);
}

bool GuiInteraction::question(const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No,
                    parentOr(m_parent));
    box.setButtonText(QMessageBox::Yes, QStringLiteral("Sì"));
    box.setButtonText(QMessageBox::No, QStringLiteral("No"));
    return box.exec() == QMessageBox::Yes;
}

bool GuiInteraction::askPassword(const QString& title, const QString& prompt, QString* answer) {
    bool ok = false;
    const QString text = QInputDialog::getText(parentOr(m_parent), title, prompt,
                                               QLineEdit::Password, QString(), &ok);
    if (ok)
        *answer = text;
    return ok;
}

bool GuiInteraction::askText(const QString& title, const QString& prompt, QString* answer) {
    bool ok = false;
    const QString text =
        QInputDialog::getText(parentOr(m_parent), title, prompt, QLineEdit::Normal, *answer, &ok);
    if (ok)
        *answer = text;
    return ok;
}

QString GuiInteraction::openFile(const QString& title, const QString& filter,
                                 const QString& folder) {
    return QFileDialog::getOpenFileName(parentOr(m_parent), title, folder, filter);
}

QString GuiInteraction::saveFile(const QString& title, const QString& filter,
                                 const QString& suggestedPath) {
    return QFileDialog::getSaveFileName(parentOr(m_parent), title, suggestedPath, filter);
}

} // namespace ui
