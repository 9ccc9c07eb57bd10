#include "ui/ScreenTitle.h"

#include <QLabel>

namespace ui {

QLabel* ScreenTitle(const QString& text, QWidget* parent) {
    auto* title = new QLabel(text, parent);
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    title->setFont(big);
    return title;
}

} // namespace ui
