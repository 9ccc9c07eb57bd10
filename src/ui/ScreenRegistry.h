#pragma once

#include "ui/AppContext.h"

#include <QHash>
#include <QString>
#include <functional>

class QWidget;

namespace ui {

// The screens the main window's buttons open, by button name (btnClienti).
// A button without a screen is shown disabled. Names compare without regard
// to case, as the permission keys do.
class ScreenRegistry {
public:
    using Opener = std::function<void(QWidget* parent, AppContext& context)>;

    void add(const QString& buttonName, Opener opener) {
        m_openers.insert(buttonName.toUpper(), std::move(opener));
    }
    bool has(const QString& buttonName) const { return m_openers.contains(buttonName.toUpper()); }
    Opener find(const QString& buttonName) const { return m_openers.value(buttonName.toUpper()); }

private:
    QHash<QString, Opener> m_openers;
};

} // namespace ui
