#pragma once

#include "mail/EmailModel.h"

#include <QDialog>

class QLineEdit;
class QListWidget;
class QPlainTextEdit;

namespace ui {
struct AppContext;
}

namespace mail::ui {

// The "Email" screen: recipients, subject, text and attachments, sent one
// message per recipient with the options of the archive.
class EmailDialog : public QDialog {
    Q_OBJECT
public:
    explicit EmailDialog(::ui::AppContext& context, QWidget* parent = nullptr);

    EmailModel& model() { return m_model; }
    // Opening filled beforehand, then shown modally.
    int openFilled(const QString& subject, const QString& text, const QStringList& addresses,
                   const QStringList& files = {});
    // The widgets shown again from the model.
    void refresh();

    void addRecipient();
    void removeRecipient();
    void attachFile();
    void removeAttachment();
    void clearAttachments();
    void appendDefaultText();
    void reset();
    void send();
    // The addresses the messages went to since the screen opened.
    const QStringList& sentTo() const { return m_sentTo; }

signals:
    // "Aiuto": whoever opens the screen shows its help page.
    void helpRequested();

private:
    QStringList m_sentTo;
    void collect();
    QListWidget* list(const QString& name);

    EmailModel m_model;
    QListWidget* m_recipients = nullptr;
    QListWidget* m_attachments = nullptr;
    QLineEdit* m_subject = nullptr;
    QPlainTextEdit* m_text = nullptr;
};

} // namespace mail::ui
