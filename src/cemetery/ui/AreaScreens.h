#pragma once

#include "ui/CardScreen.h"

class QTableWidget;
class QPushButton;

namespace ui {
class ScreenRegistry;
}

namespace cemetery::ui {

::ui::ScreenDefinition areaDefinition();
::ui::ScreenDefinition positionDefinition(qint64 areaId);

// The area card ("Aree Cimitero"): its description and, when the archive
// lists positions, each position with who lies there.
class AreaCard : public ::ui::CardScreen {
public:
    AreaCard(::ui::AppContext& context, const ::ui::ScreenDefinition& definition, qint64 key,
             bool isNew, QWidget* parent = nullptr);

    QTableWidget* positions() const { return m_positions; }
    // Reads the positions and their occupants again.
    void refreshPositions();
    void addPosition();
    void editPosition();
    void removePosition();

private:
    QTableWidget* m_positions = nullptr;
    QList<qint64> m_rowKeys; // position key per grid row; 0 for an unlisted burial
};

void registerAreaScreens(::ui::ScreenRegistry& registry);

} // namespace cemetery::ui
