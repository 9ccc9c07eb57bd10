#pragma once

#include "common/Interaction.h"

#include <QList>
#include <QQueue>

namespace common {

// Answers from a script and a record of every message: for tests, and for
// the command line where answers come from flags.
class ScriptedInteraction : public Interaction {
public:
    struct Message {
        QString kind; // "information", "warning", "error", "question", "password", "text", "file"
        QString title;
        QString text;
    };

    QQueue<bool> answers;     // Yes/No answers, in order; Yes when the queue is empty
    QQueue<QString> texts;    // passwords, texts and file names, in order
    bool defaultAnswer = true;
    QList<Message> messages;

    void information(const QString& title, const QString& text) override {
        messages.append({QStringLiteral("information"), title, text});
    }
    void warning(const QString& title, const QString& text) override {
        messages.append({QStringLiteral("warning"), title, text});
    }
    void error(const QString& title, const QString& text) override {
        messages.append({QStringLiteral("error"), title, text});
    }
    bool question(const QString& title, const QString& text) override {
        messages.append({QStringLiteral("question"), title, text});
        return answers.isEmpty() ? defaultAnswer : answers.dequeue();
    }
    bool askPassword(const QString& title, const QString& prompt, QString* answer) override {
        messages.append({QStringLiteral("password"), title, prompt});
        if (texts.isEmpty())
            return false;
        *answer = texts.dequeue();
        return true;
    }
    bool askText(const QString& title, const QString& prompt, QString* answer) override {
        messages.append({QStringLiteral("text"), title, prompt});
        if (texts.isEmpty())
            return false;
        *answer = texts.dequeue();
        return true;
    }
    QString openFile(const QString& title, const QString&, const QString&) override {
        messages.append({QStringLiteral("file"), title, QString()});
        return texts.isEmpty() ? QString() : texts.dequeue();
    }
    QString saveFile(const QString& title, const QString&, const QString&) override {
        messages.append({QStringLiteral("file"), title, QString()});
        return texts.isEmpty() ? QString() : texts.dequeue();
    }

    // Texts of the messages of one kind.
    QStringList texts_of(const QString& kind) const {
        QStringList out;
        for (const Message& m : messages)
            if (m.kind == kind)
                out.append(m.text);
        return out;
    }
};

} // namespace common
