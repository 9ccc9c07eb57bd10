#pragma once

#include "common/Interaction.h"
#include "db/Database.h"
#include "ui/GridLayouts.h"

#include <QList>
#include <QString>
#include <QVariantMap>
#include <functional>
#include <optional>

class QWidget;

namespace ui {

struct AppContext;
class CardScreen;
struct ScreenDefinition;

// How a card shows and edits one column. Auto takes the kind from the
// archive's schema (text, memo, whole number, amount, date, yes/no).
// DateTime is chosen explicitly for the columns that keep an hour
// ("dd/MM/yyyy hh:mm", the hour may be left blank for midnight); Time for
// those that show and take the hour alone ("hh:mm"), keeping the day held.
enum class FieldKind {
    Auto,
    Text,
    Memo,
    Integer,
    Amount,
    Date,
    DateTime,
    Time,
    Check,
    Lookup,
    Colour
};

// The rows offered by a drop-down: the value stored is keyColumn, the text
// shown displayColumn. Rows whose cancelledColumn is true are left out,
// except the one the card already holds.
struct Lookup {
    QString sql; // Jet select
    QString keyColumn;
    QString displayColumn;
    QString cancelledColumn;
};

// One field of a card, written with designated initializers:
// {.field = "Cap", .label = "Cap", .sameRow = true, .width = 60}.
struct CardField {
    QString field;
    QString label;
    FieldKind kind = FieldKind::Auto;
    Lookup lookup = {};
    QString page = {};    // tab page; the first page when empty
    bool sameRow = false; // placed beside the previous field
    int width = 0;        // editor width in pixels; 0 = stretch
    int maxLength = 0;    // text fields; 0 = as the archive allows
    int decimals = 2;     // amount fields
    bool readOnly = false;
    // Applied to the value when the user leaves the field (limits, upper case).
    std::function<QVariant(const QVariant&)> onLeave = {};
    // A drop-down of a long table: the search window ("...") beside it, the
    // list it shows (its key is the value chosen). See SearchWindow.h.
    ScreenDefinition (*search)() = nullptr;
};

struct SearchField {
    QString field;
    QString caption;
};

using Validation = std::function<std::optional<common::Failure>(const QVariantMap& values)>;

// A registry screen pair described as data: the list (columns, searches,
// order) and the card (fields, checks, hooks). Most registries need nothing
// else; a screen that does subclasses ListScreen or CardScreen.
struct ScreenDefinition {
    QString table;
    QString key = QStringLiteral("ID");
    // Object name of the list ("frmGrigliaBanche"); its grid is stored in
    // the layouts as objectName + "_Griglia".
    QString objectName;
    QString listTitle;
    QString cardTitle;
    ::ui::GridColumns columns;
    QList<SearchField> searches;
    QString orderBy;
    QString filter; // fixed Jet condition of the list
    QString select; // Jet select without where/order; "select * from <table>" when empty
    // A leaner select that counts the same rows: the list's table with only
    // the joins that can leave rows out, giving countColumns. The list counts
    // with it while its condition names none but those columns.
    QString countSelect;
    QStringList countColumns;
    bool cancellable = false; // the table has Annullato: "Mostra annullati", hidden by default
    QList<CardField> fields;
    db::Values newRow; // columns set on the row "Aggiungi" inserts
    QString deleteQuestion = QStringLiteral("Sei sicuro di voler eliminare il Record?");
    Validation validate;
    // Checked once the row is written: a failure is shown and the card
    // stays open, the row staying as written.
    Validation checkStored;
    // Run inside the delete transaction, before the row goes.
    std::function<void(db::Database&, qint64 key)> beforeDelete;
    // Run inside the save transaction, after the row is written.
    std::function<void(db::Database&, qint64 key, const QVariantMap& values)> afterSave;
    // A card of its own; the plain CardScreen when empty.
    std::function<CardScreen*(AppContext&, const ScreenDefinition&, qint64 key, bool isNew,
                              QWidget* parent)>
        makeCard;

    QString gridName() const { return objectName + QStringLiteral("_Griglia"); }
};

// The makeCard of a definition whose card is the screen class Card.
template <class Card> auto cardOf() {
    return [](AppContext& context, const ScreenDefinition& definition, qint64 key, bool isNew,
              QWidget* parent) -> CardScreen* {
        return new Card(context, definition, key, isNew, parent);
    };
}

} // namespace ui
