#pragma once

#include "ui/ListScreen.h"

#include <functional>

class QComboBox;
class QLineEdit;

namespace documents::ui {

// A document list with filter boxes: "cerca" applies what the boxes say
// (selection()) on top of the list's own condition, "reset" empties the
// boxes ("txt…") and the choices and shows everything again.
class FilteredDocumentList : public ::ui::ListScreen {
    Q_OBJECT
public:
    QString condition() const override;
    // The filter boxes' conditions only, as the list prints take them.
    virtual QString selection() const = 0;

    QLineEdit* filterBox(const QString& name) const;
    QComboBox* filterChoice(const QString& name) const;

public slots:
    void search();      // "cerca"
    void resetFilter(); // "reset"

protected:
    // Nothing is read until the subclass calls refresh() at the end of its
    // constructor.
    FilteredDocumentList(::ui::AppContext& context, const ::ui::ScreenDefinition& definition,
                         QWidget* parent);
    // The conditions of the last "cerca".
    const QString& applied() const { return m_applied; }
    // "Elimina": the current document through a rule that asks and removes
    // (true when it did); the list is read again after a removal.
    void removeCurrentWith(const std::function<bool(qint64 key)>& askAndRemove);

private:
    QString m_applied;
};

} // namespace documents::ui
