#include "ui/LazyChoice.h"

#include "ui/Guarded.h"

namespace ui {

LazyChoice::LazyChoice(common::Interaction* interaction, Filler filler, QWidget* parent)
    : QComboBox(parent), m_interaction(interaction), m_filler(std::move(filler)) {
    // Until it is read the choice is "none", as an empty filter is.
    addItem(QString(), QVariant());
}

void LazyChoice::ensureFilled() {
    if (m_filled)
        return;
    m_filled = guarded(m_interaction, [this] { m_filler(this); });
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
