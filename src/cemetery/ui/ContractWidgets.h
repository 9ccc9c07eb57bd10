#pragma once

#include "ui/ScreenDefinition.h"

#include <QDate>
#include <QList>
#include <QString>
#include <functional>

class QPushButton;
class QWidget;

namespace ui {
struct AppContext;
class CardScreen;
} // namespace ui

// Small pieces shared by the contract list, card and row editor.
namespace cemetery::ui::contractwidgets {

inline const QString kError = QStringLiteral("Messaggio di errore");
inline const QString kNotice = QStringLiteral("Messaggio di avviso");

// Buttons shown beside the editor of a card field.
struct FieldButtons {
    QWidget* editor;
    QWidget* holder;
    bool stretch; // the editor takes the room left
};

QDate today();
::ui::CardField field(const QString& column, const QString& label, bool sameRow = false,
                      int width = 0, ::ui::FieldKind kind = ::ui::FieldKind::Auto);
::ui::Lookup customerLookup();
// Runs a database action, showing its error; false when it failed.
bool guarded(::ui::AppContext& context, const std::function<void()>& action);
// Reads a year typed by the user; 0 when it is not one.
int typedYear(const QString& text);
// Puts buttons beside a field's editor; placeAttached() moves them in.
FieldButtons attachButtons(::ui::CardScreen* card, const QString& fieldName,
                           const QList<QPushButton*>& buttons, bool stretch);
// The card lays its fields out again each time it is shown: the editors that
// have buttons beside them go back into their holders.
void placeAttached(const QList<FieldButtons>& attached);

} // namespace cemetery::ui::contractwidgets
