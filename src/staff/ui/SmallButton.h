#pragma once

#include <QPushButton>

namespace staff::ui {

// A button of the staff screens that Enter in a field never presses.
inline QPushButton* smallButton(QWidget* parent, const QString& text, const QString& name) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

} // namespace staff::ui
