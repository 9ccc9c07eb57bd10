#pragma once

#include "ui/ScreenDefinition.h"

namespace ui {

// Shorthands for the field lists of cards with pages.
CardField pageField(const QString& column, const QString& label, const QString& page,
                    bool sameRow = false, int width = 0);
CardField pageLookup(const QString& column, const QString& label, const QString& page,
                     const Lookup& source, bool sameRow = false);

} // namespace ui
