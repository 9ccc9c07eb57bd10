#pragma once

#include "ui/ListScreen.h"

namespace staff::ui {

// The staff list ("Personale"): several rows may be selected and
// "Esporta vCard" writes them, "Importa vCard" reads a file, "Email" writes
// to them; "Stampa" prints the
// list.
class StaffList : public ::ui::ListScreen {
    Q_OBJECT
public:
    explicit StaffList(::ui::AppContext& context, QWidget* parent = nullptr);
    void exportVCard();
    void importVCard();
    void email();
};

} // namespace staff::ui
