#include "staff/ui/CheckedCard.h"

#include <QPushButton>

namespace staff::ui {

using ::ui::ScreenDefinition;

CheckedCard::CheckedCard(::ui::AppContext& context, const ScreenDefinition& definition, qint64 key,
                         bool isNew, QWidget* parent)
    : ::ui::CardScreen(context, definition, key, isNew, parent) {
    disconnect(backButton(), &QPushButton::clicked, this, nullptr);
    connect(backButton(), &QPushButton::clicked, this, &CheckedCard::leave);
}

void CheckedCard::leave() {
    if (isNew() && !isModified() && !save())
        return;
    goBack();
}

void CheckedCard::reject() {
    leave();
}

} // namespace staff::ui
