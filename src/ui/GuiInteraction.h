#pragma once

#include "common/Interaction.h"

#include <QPointer>

class QProgressDialog;
class QWidget;

namespace ui {

// Interaction answered by message boxes and file dialogs.
class GuiInteraction : public common::Interaction {
public:
    explicit GuiInteraction(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }

    void information(const QString& title, const QString& text) override;
    void warning(const QString& title, const QString& text) override;
    void error(const QString& title, const QString& text) override;
    void errorWithDetails(const QString& title, const QString& text,
                          const QString& details) override;
    bool question(const QString& title, const QString& text) override;
    bool askPassword(const QString& title, const QString& prompt, QString* answer) override;
    bool askText(const QString& title, const QString& prompt, QString* answer) override;
    QString openFile(const QString& title, const QString& filter, const QString& folder) override;
    QString saveFile(const QString& title, const QString& filter,
                     const QString& suggestedPath) override;
    // A progress window with "Interrompi", shown while the work lasts.
    bool progress(const QString& text, qint64 done, qint64 total) override;

private:
    void endProgress();

    QWidget* m_parent;
    QPointer<QProgressDialog> m_progress;
};

} // namespace ui
