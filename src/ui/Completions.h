#pragma once

class QCompleter;
class QLineEdit;

namespace ui {

// Gives a field its list of suggestions. Moving over the popup's items shows
// them in the field as Qt does, but only a choice (a click on an item, Return)
// keeps one: when the popup closes any other way — a click outside it, Esc —
// the field goes back to what was typed.
void offerCompletions(QLineEdit* field, QCompleter* completer);

} // namespace ui
