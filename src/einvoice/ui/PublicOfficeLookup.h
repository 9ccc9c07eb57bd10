#pragma once

#include "einvoice/IpaImport.h"

#include <QDialog>
#include <QHash>
#include <QVariantMap>

class QLineEdit;
class QPushButton;

namespace ui {
struct AppContext;
class DataGrid;
} // namespace ui

namespace einvoice::ui {

// "Trova Pubblica Amministrazione": searches the directory of public offices
// ("cerca", "reset"); "Avanti" on a found office asks before its data
// overwrite the customer's and gives them back in chosenValues().
// "Importa elenco IPA" loads the directory from the IndicePA open-data file.
class PublicOfficeLookup : public QDialog {
    Q_OBJECT
public:
    explicit PublicOfficeLookup(::ui::AppContext& context, QWidget* parent = nullptr);

    // The search box of an IpaSearch member: "Comune", "DescPA", "CodUnivoco",
    // "Ufficio", "CodFiscale", "Provincia", "Indirizzo", "Tipologia".
    QLineEdit* searchBox(const QString& name) const { return m_boxes.value(name); }
    ::ui::DataGrid* grid() const { return m_grid; }
    // The customer columns of the office chosen; empty until "Avanti".
    const QVariantMap& chosenValues() const { return m_chosen; }

public slots:
    void search(); // "cerca"
    void reset();  // "reset"
    void choose(); // "Avanti"
    // "Importa elenco IPA": replaces the directory with an IndicePA file.
    void importDirectory();

private:
    IpaSearch criteria() const;

    ::ui::AppContext& m_context;
    QHash<QString, QLineEdit*> m_boxes;
    ::ui::DataGrid* m_grid;
    db::Result m_rows;
    QVariantMap m_chosen;
};

} // namespace einvoice::ui
