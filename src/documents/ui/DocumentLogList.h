#pragma once

#include "ui/ListScreen.h"

class QComboBox;

namespace documents::ui {

// "Registro documenti": what happened to issued documents (deleted, total
// changed after export, exported, e-mailed), filtered by days and event.
// Read only; "Stampa" prints what is shown, "Elimina vecchi" purges the
// years long past after asking.
class DocumentLogList : public ::ui::ListScreen {
    Q_OBJECT
public:
    DocumentLogList(::ui::AppContext& context, QWidget* parent = nullptr);

    QString condition() const override;
    // The filters' part of the condition (also the print's selection).
    QString selection() const;

public slots:
    void printList();
    void purgeOld();

protected:
    void openCard(qint64 key, bool isNew) override;

private:
    QComboBox* m_event = nullptr;
    QComboBox* m_kind = nullptr;
};

::ui::ScreenDefinition documentLogDefinition();

} // namespace documents::ui
