#pragma once

#include "ui/ScreenDefinition.h"

#include <QColor>
#include <QPushButton>
#include <QVariant>

class QWidget;

namespace ui {

// Colours are stored as the old archives stored them: red in the low byte,
// then green, then blue.
QColor colourFromStored(const QVariant& stored);
QVariant storedColour(const QColor& colour);

// A button that shows a colour and lets the user pick another one.
class ColourButton : public QPushButton {
    Q_OBJECT
public:
    explicit ColourButton(QWidget* parent = nullptr);
    QColor colour() const { return m_colour; }
    void setColour(const QColor& colour);
    void choose();

signals:
    void colourChanged();

private:
    QColor m_colour;
};

// The kind a field is edited as, Auto resolved through the schema.
FieldKind resolvedKind(const QString& table, const CardField& field);

// Builds the editor of a field. Lookups are filled by the caller.
QWidget* createEditor(const QString& table, const CardField& field, QWidget* parent);

// Reads an editor: null for an empty text, number or date. ok is false when
// the text cannot be read (a malformed date or amount).
QVariant editorValue(QWidget* editor, FieldKind kind, bool* ok = nullptr);
void setEditorValue(QWidget* editor, FieldKind kind, const QVariant& value, int decimals = 2);

// Fills a drop-down from its lookup; the current value stays offered even
// when its row is cancelled or missing.
void fillLookup(db::Database& db, QWidget* combo, const Lookup& lookup, const QVariant& current);

} // namespace ui
