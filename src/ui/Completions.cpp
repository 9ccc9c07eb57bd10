#include "ui/Completions.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QEvent>
#include <QLineEdit>
#include <QPointer>

namespace ui {

namespace {

// Watches the popup: remembers the field's text when it opens and puts it
// back when it closes without a choice.
class PopupGuard : public QObject {
public:
    PopupGuard(QLineEdit* field, QCompleter* completer) : QObject(completer), m_field(field) {
        connect(completer, qOverload<const QString&>(&QCompleter::activated), this,
                [this] { m_chosen = true; });
        // Typing goes on while the popup is open: what the user types is kept.
        connect(field, &QLineEdit::textEdited, this,
                [this](const QString& text) { m_typed = text; });
    }

    bool eventFilter(QObject*, QEvent* event) override {
        if (!m_field)
            return false;
        if (event->type() == QEvent::Show) {
            m_typed = m_field->text();
            m_chosen = false;
        } else if (event->type() == QEvent::Hide && !m_chosen && m_field->text() != m_typed) {
            m_field->setText(m_typed);
        }
        return false;
    }

private:
    QPointer<QLineEdit> m_field;
    QString m_typed;
    bool m_chosen = false;
};

} // namespace

void offerCompletions(QLineEdit* field, QCompleter* completer) {
    field->setCompleter(completer);
    completer->popup()->installEventFilter(new PopupGuard(field, completer));
}

} // namespace ui
