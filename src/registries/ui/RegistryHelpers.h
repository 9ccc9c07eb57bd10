#pragma once

// Pieces shared by the customer, supplier and article screens.

#include "registries/CustomerRules.h"
#include "registries/VCard.h"
#include "ui/ScreenDefinition.h"

#include <QHash>
#include <QObject>
#include <QStyledItemDelegate>
#include <functional>

class QLineEdit;

namespace ui {
struct AppContext;
class DataGrid;
} // namespace ui

namespace registries::ui {

// The afterSave of a category card whose colour the rows of table copy.
std::function<void(db::Database&, qint64, const QVariantMap&)>
categoryColourCopy(const QString& table);

// Shows the tax code, VAT number and IBAN warnings of a card without
// blocking it: when the user leaves one of the watched fields, and on save
// for what was not shown yet. Each warning is shown once for a given value.
class TaxWarnings : public QObject {
    Q_OBJECT
public:
    using Source = std::function<QList<FieldWarning>()>;
    TaxWarnings(::ui::AppContext& context, Source source, QObject* parent);

    void watch(const QString& field, QWidget* editor);
    // Shows the warning of one field, if any and not yet shown.
    void check(const QString& field);
    // Shows every warning not yet shown.
    void checkAll();

private:
    void show(const FieldWarning& w);

    ::ui::AppContext& m_context;
    Source m_source;
    QHash<QString, QString> m_shown; // field → text of the value last warned about
    QHash<QString, QWidget*> m_editors;
};

// Paints one column's cells with the colour stored in another column of the
// same row (colours as the archive stores them).
class StoredColourDelegate : public QStyledItemDelegate {
public:
    StoredColourDelegate(::ui::DataGrid* grid, QString shownField, QString colourField);
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    ::ui::DataGrid* m_grid;
    QString m_shownField;
    QString m_colourField;
};

// Keys of the selected rows of a grid, in the order shown; the current row
// when nothing is selected.
QList<qint64> selectedKeys(::ui::DataGrid* grid);

// "Esporta vCard": asks for a file and writes the cards of the keys.
void exportVCardFile(::ui::AppContext& context, const QList<qint64>& keys,
                     const std::function<QByteArray(db::Database&, const QList<qint64>&)>& write,
                     const QString& suggestedName);
// "Importa vCard": asks for a file and imports it; true when rows were added.
bool importVCardFile(
    ::ui::AppContext& context,
    const std::function<VCardImportReport(db::Database&, const QByteArray&)>& read);

// Town field that completes from the municipalities and, when a town is
// chosen, fills its postcode and province.
void attachTownCompleter(db::Database& db, QLineEdit* town, QLineEdit* postcode,
                         QLineEdit* province);

// Upper case, for codes typed in lower case.
QVariant upperCase(const QVariant& value);
// A VAT number without spaces and without the "IT" it is often typed with.
QVariant vatNumber(const QVariant& value);

// Fields the customer and supplier cards write alike.
namespace partyfields {
::ui::CardField province(const QString& page);
::ui::CardField taxCode(const QString& page);
::ui::CardField eori(const QString& page);
::ui::CardField vatCountry(const QString& page);
// Telephones, fax, e-mail (its column as the table spells it), PEC, web site, Skype.
QList<::ui::CardField> contacts(const QString& page, const QString& emailColumn);
} // namespace partyfields

} // namespace registries::ui
