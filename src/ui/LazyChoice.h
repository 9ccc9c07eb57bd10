#pragma once

#include <QComboBox>
#include <functional>

namespace common {
class Interaction;
}

namespace ui {

struct AppContext;
struct Lookup;

// A drop-down of a long table (thousands of customers or deceased) that is
// read when the user first opens it or moves into it, not when its window
// opens. invalidate() has it read again next time, keeping the choice made.
// A read the archive refuses is told through the interaction and tried
// again at the next opening.
class LazyChoice : public QComboBox {
public:
    using Filler = std::function<void(QComboBox*)>;

    LazyChoice(common::Interaction* interaction, Filler filler, QWidget* parent = nullptr);
    // The rows of a lookup (a cancelled row stays while it is the choice).
    static LazyChoice* ofLookup(AppContext& context, const Lookup& lookup,
                                QWidget* parent = nullptr);

    void ensureFilled();
    void invalidate() { m_filled = false; }
    bool isFilled() const { return m_filled; }

    void showPopup() override;

protected:
    void focusInEvent(QFocusEvent* event) override;

private:
    common::Interaction* m_interaction;
    Filler m_filler;
    bool m_filled = false;
};

} // namespace ui
