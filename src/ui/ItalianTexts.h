#pragma once

namespace ui {

// Italian for what Qt itself shows (file and print dialogs, standard buttons,
// month names) and the Italian locale for dates and numbers. Called by every
// program with windows, once its application object exists; false when Qt's
// translations are not installed.
bool useItalian();

} // namespace ui
