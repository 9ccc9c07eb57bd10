#include "ui/LazyChoice.h"

#include "db/Database.h"
#include "ui/AppContext.h"
#include "ui/FieldEditors.h"
#include "ui/Guarded.h"

#include <algorithm>

namespace ui {

LazyChoice::LazyChoice(common::Interaction* interaction, Filler filler, QWidget* parent)
    : QComboBox(parent), m_interaction(interaction), m_filler(std::move(filler)) {
    // Until it is read the choice is "none", as an empty filter is.
    addItem(QString(), QVariant());
}

LazyChoice* LazyChoice::ofLookup(AppContext& context, const Lookup& lookup, QWidget* parent) {
    db::Database* db = context.db;
    return new LazyChoice(
        context.interaction,
        [db, lookup](QComboBox* box) { fillLookup(*db, box, lookup, box->currentData()); }, parent);
}

void LazyChoice::ensureFilled() {
    if (m_filled)
        return;
    // The choice made stays chosen after a new read; "none" when its row is gone.
    const QVariant chosen = currentData();
    m_filled = guarded(m_interaction, [this] { m_filler(this); });
    setCurrentIndex(std::max(0, chosen.isNull() ? 0 : findData(chosen)));
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
