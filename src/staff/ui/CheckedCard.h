#pragma once

#include "ui/CardScreen.h"

namespace staff::ui {

// A card whose new row must pass its checks before "Indietro" (or Esc)
// closes it, edited or not: a person or a list row is never left without
// what it requires. "Annulla" still gives the new row up.
class CheckedCard : public ::ui::CardScreen {
    Q_OBJECT
public:
    CheckedCard(::ui::AppContext& context, const ::ui::ScreenDefinition& definition, qint64 key,
                bool isNew, QWidget* parent = nullptr);
    void leave();
    void reject() override;
};

} // namespace staff::ui
