#include "ui/FieldNavigator.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

namespace ui {

const QColor& FieldNavigator::focusColour() {
    static const QColor aqua(0, 255, 255);
    return aqua;
}

void FieldNavigator::add(QWidget* field, bool arrows) {
    m_fields.append({field, arrows});
    field->installEventFilter(this);
    if (auto* combo = qobject_cast<QComboBox*>(field); combo && combo->isEditable())
        combo->lineEdit()->installEventFilter(this);
}

void FieldNavigator::next(QWidget* from) {
    move(from, 1);
}

void FieldNavigator::previous(QWidget* from) {
    move(from, -1);
}

void FieldNavigator::move(QWidget* from, int step) {
    int at = -1;
    for (int i = 0; i < m_fields.size(); ++i)
        if (m_fields[i].widget == from)
            at = i;
    if (at < 0)
        return;
    const int n = m_fields.size();
    for (int k = 1; k < n; ++k) {
        QWidget* w = m_fields[((at + step * k) % n + n) % n].widget;
        if (w && w->isEnabled() && w->isVisibleTo(w->window()) && w->focusPolicy() != Qt::NoFocus) {
            w->setFocus(step > 0 ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return;
        }
    }
}

void FieldNavigator::paint(QWidget* w, const QColor& colour) {
    QPalette p = w->palette();
    p.setColor(QPalette::Base, colour);
    if (qobject_cast<QCheckBox*>(w)) {
        p.setColor(QPalette::Window, colour);
        w->setAutoFillBackground(true);
    }
    if (qobject_cast<QComboBox*>(w))
        p.setColor(QPalette::Button, colour);
    w->setPalette(p);
}

bool FieldNavigator::eventFilter(QObject* watched, QEvent* event) {
    auto* w = qobject_cast<QWidget*>(watched);
    if (!w)
        return false;
    // An editable combo's line edit stands for the combo.
    if (auto* combo = qobject_cast<QComboBox*>(w->parentWidget()); combo && combo->lineEdit() == w)
        w = combo;
    const Entry* entry = nullptr;
    for (const Entry& e : m_fields)
        if (e.widget == w)
            entry = &e;
    if (!entry)
        return false;

    switch (event->type()) {
    case QEvent::FocusIn:
        paint(w, focusColour());
        break;
    case QEvent::FocusOut:
        paint(w, Qt::white);
        break;
    case QEvent::KeyPress: {
        if (!entry->arrows)
            break;
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() & (Qt::AltModifier | Qt::ControlModifier))
            break;
        if (auto* combo = qobject_cast<QComboBox*>(w); combo && combo->view()->isVisible())
            break;
        switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Down:
            next(w);
            return true;
        case Qt::Key_Up:
            previous(w);
            return true;
        default:
            break;
        }
        break;
    }
    default:
        break;
    }
    return false;
}

} // namespace ui
