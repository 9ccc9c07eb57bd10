#include "ui/ActionButton.h"

#include <QPushButton>

namespace ui {

QPushButton* ActionButton(const QString& caption, const QString& objectName, QWidget* parent,
                          int minimumWidth) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(objectName);
    b->setAutoDefault(false);
    if (minimumWidth > 0)
        b->setMinimumWidth(minimumWidth);
    return b;
}

} // namespace ui
