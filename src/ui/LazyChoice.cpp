#include "ui/LazyChoice.h"

namespace ui {

LazyChoice::LazyChoice(Filler filler, QWidget* parent)
    : QComboBox(parent), m_filler(std::move(filler)) {
    // Until it is read the choice is "none", as an empty filter is.
    addItem(QString(), QVariant());
}

void LazyChoice::ensureFilled() {
    if (m_filled)
        return;
    m_filled = true;
    m_filler(this);
}

void LazyChoice::showPopup() {
    ensureFilled();
    QComboBox::showPopup();
}

void LazyChoice::focusInEvent(QFocusEvent* event) {
    ensureFilled();
    QComboBox::focusInEvent(event);
}

} // namespace ui
