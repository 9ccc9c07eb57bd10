#pragma once

#include <QList>

class QWidget;

namespace ui {
struct AppContext;
}

namespace cemetery::ui {

// Opens the deceased list in selection mode and returns the Defunti keys the
// user chose; empty when the user cancels.
QList<qint64> pickDeceased(::ui::AppContext& ctx, QWidget* parent);

// Adds a new deceased through its card and, once saved, links it to the
// contract; the new Defunti key, 0 when the insertion was cancelled.
qint64 addDeceasedForContract(::ui::AppContext& ctx, qint64 contractId, QWidget* parent);

} // namespace cemetery::ui
