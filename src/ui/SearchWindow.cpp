#include "ui/SearchWindow.h"

#include "ui/FieldBinder.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>

namespace ui {

namespace {

// Keeps a button enabled exactly when the editor it serves is.
class FollowEnabled : public QObject {
public:
    FollowEnabled(QWidget* editor, QWidget* button) : QObject(button), m_button(button) {
        editor->installEventFilter(this);
        button->setEnabled(editor->isEnabled());
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::EnabledChange)
            m_button->setEnabled(static_cast<QWidget*>(watched)->isEnabled());
        return false;
    }

private:
    QWidget* m_button;
};

} // namespace

SearchWindow::SearchWindow(AppContext& context, const ScreenDefinition& definition, QWidget* parent)
    : ListScreen(context, definition, parent) {
    addButtonWidget()->hide();
    deleteButton()->hide();
    openButton()->setText(QStringLiteral("Seleziona"));
}

void SearchWindow::openCard(qint64 key, bool isNew) {
    if (isNew || key == 0)
        return;
    m_chosen = key;
    accept();
}

qint64 SearchWindow::choose(AppContext& context, const ScreenDefinition& definition,
                            QWidget* parent) {
    SearchWindow window(context, definition, parent);
    return window.exec() == QDialog::Accepted ? window.chosenKey() : 0;
}

QPushButton* SearchWindow::button(AppContext& context, FieldBinder& fields, const QString& field,
                                  ScreenDefinition (*search)(), QWidget* parent) {
    auto* b = new QPushButton(QStringLiteral("..."), parent);
    b->setObjectName(QStringLiteral("btnCerca") + field);
    b->setToolTip(QStringLiteral("Cerca"));
    b->setAutoDefault(false);
    b->setFixedWidth(32);
    if (QWidget* editor = fields.editor(field))
        new FollowEnabled(editor, b);
    QObject::connect(b, &QPushButton::clicked, parent, [&context, &fields, field, search, parent] {
        const qint64 key = choose(context, search(), parent);
        if (key == 0)
            return;
        fields.showValue(field, key);
        emit fields.chosen(field);
        emit fields.edited(field);
    });
    return b;
}

void SearchWindow::attach(AppContext& context, FieldBinder& fields, QGridLayout* grid,
                          const QString& field, ScreenDefinition (*search)(), QWidget* parent) {
    QWidget* editor = fields.editor(field);
    const int index = editor ? grid->indexOf(editor) : -1;
    if (index < 0)
        return;
    int row = 0, column = 0, rows = 0, columns = 0;
    grid->getItemPosition(index, &row, &column, &rows, &columns);
    grid->removeWidget(editor);
    auto* holder = new QWidget(parent);
    holder->setObjectName(QStringLiteral("box_") + field);
    auto* h = new QHBoxLayout(holder);
    h->setContentsMargins(0, 0, 0, 0);
    h->setSpacing(2);
    h->addWidget(editor, 1);
    h->addWidget(button(context, fields, field, search, parent));
    grid->addWidget(holder, row, column, rows, columns);
}

QPushButton* SearchWindow::button(AppContext& context, QComboBox* choice,
                                  ScreenDefinition (*search)(), QWidget* parent) {
    auto* b = new QPushButton(QStringLiteral("..."), parent);
    b->setObjectName(QStringLiteral("btnCerca") + choice->objectName());
    b->setToolTip(QStringLiteral("Cerca"));
    b->setAutoDefault(false);
    b->setFixedWidth(32);
    QObject::connect(b, &QPushButton::clicked, parent, [&context, choice, search, parent] {
        const qint64 key = choose(context, search(), parent);
        const int index = key == 0 ? -1 : choice->findData(key);
        if (index >= 0)
            choice->setCurrentIndex(index);
    });
    return b;
}

} // namespace ui
