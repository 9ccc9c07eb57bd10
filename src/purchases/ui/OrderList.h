#pragma once

#include "ui/ListScreen.h"

namespace purchases::ui {

// The list of purchase orders ("Ordini Fornitori"), by date and number;
// "Aggiungi" numbers a new order and opens it, "Elimina" removes it with
// its rows.
class OrderList : public ::ui::ListScreen {
    Q_OBJECT
public:
    explicit OrderList(::ui::AppContext& context, QWidget* parent = nullptr);

public slots:
    void removeOrder();

protected:
    qint64 insertRow() override;
    void openCard(qint64 key, bool isNew) override;
};

} // namespace purchases::ui
