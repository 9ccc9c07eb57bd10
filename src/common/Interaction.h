#pragma once

#include "common/Titles.h"

#include <QString>
#include <QStringList>

namespace common {

// A failed check: its message box title and text, and the field that gets
// the focus. The first failing check wins; nothing is written.
struct Failure {
    QString title;
    QString text;
    QString field;
};

// The questions a rule asks in the middle of an action. The program answers
// them with message boxes and file dialogs, the tests with scripted answers,
// the command line with its flags.
class Interaction {
public:
    virtual ~Interaction() = default;

    virtual void information(const QString& title, const QString& text) = 0;
    virtual void warning(const QString& title, const QString& text) = 0;
    virtual void error(const QString& title, const QString& text) = 0;
    // Yes/No question; true for Yes.
    virtual bool question(const QString& title, const QString& text) = 0;
    // Masked entry; false when the window was closed without an answer.
    virtual bool askPassword(const QString& title, const QString& prompt, QString* answer) = 0;
    virtual bool askText(const QString& title, const QString& prompt, QString* answer) = 0;
    // Empty when cancelled.
    virtual QString openFile(const QString& title, const QString& filter,
                             const QString& folder) = 0;
    // Does not ask about an existing file: the caller does.
    virtual QString saveFile(const QString& title, const QString& filter,
                             const QString& suggestedPath) = 0;
    // Long work: called with the done and total counts; returns false when
    // the user asked to stop. done >= total, or any message, ends the
    // progress window.
    virtual bool progress(const QString& text, qint64 done, qint64 total) {
        Q_UNUSED(text);
        Q_UNUSED(done);
        Q_UNUSED(total);
        return true;
    }

    void fail(const Failure& f) { error(f.title, f.text); }
    // An error with a "Dettagli" part for support (the engine's words, the
    // statement); shown after the text where no window can fold it away.
    virtual void errorWithDetails(const QString& title, const QString& text,
                                  const QString& details) {
        error(title, details.isEmpty() ? text : text + QStringLiteral("\n\nDettagli: ") + details);
    }
    // "Annulla" on a new record: the question every card asks before it
    // deletes the row it inserted.
    bool confirmCancelInsertion() {
        return question(common::titles::warning,
                        QStringLiteral("Sei sicuro di voler annullare l'inserimento ?"));
    }
};

} // namespace common
