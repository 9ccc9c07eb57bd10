#pragma once

#include "common/Interaction.h"
#include "ui/ScreenDefinition.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QVariantMap>
#include <functional>
#include <optional>

class QGridLayout;
class QWidget;

namespace db {
class Database;
}

namespace ui {

struct AppContext;

class FieldNavigator;

// The entry fields of a card or editor, bound to the columns of one table:
// builds each editor, fills its drop-down, shows a record in the editors,
// reads them back and reports the user's edits. Fields join the keyboard
// navigation in the order they are created. A field's onLeave rule is
// applied when the user leaves it or makes a choice in it.
class FieldBinder : public QObject {
    Q_OBJECT
public:
    // Which fields Enter and the arrows visit.
    enum class Navigation { Editable, All };

    FieldBinder(db::Database& db, QString table, FieldNavigator* navigator, QObject* parent,
                Navigation navigation = Navigation::Editable);

    // Creates the field's editor (drop-downs filled).
    QWidget* create(const CardField& field, QWidget* parent);
    // Lays a list of fields out on a grid: label and editor side by side,
    // sameRow fields beside the previous one.
    void place(QGridLayout* grid, const QList<CardField>& fields, QWidget* parent);

    QWidget* editor(const QString& field) const;
    // Tells a refusal (as showFailure) and puts the cursor in its field.
    void showRefusal(common::Interaction& ui, const common::Failure& failure) const;
    QString label(const QString& field) const;
    FieldKind kind(const QString& field) const;
    QStringList fields() const { return m_order; }

    // Shows the record's values; a drop-down with a select is read again only
    // when it does not offer the value held (a cancelled row, a row added
    // elsewhere); fixed lists are the caller's. Emits no edits.
    void show(const QVariantMap& record);
    void showValue(const QString& field, const QVariant& value);
    // Puts a value in an editor as it stands (drop-downs not refilled).
    void setValue(const QString& field, const QVariant& value);
    // Applies every field's onLeave rule to the value it holds.
    void applyLeaveRules();
    // Reads the drop-down's rows again, keeping the value it holds.
    void refill(const QString& field);

    // The editor's value; ok is false for a malformed date or amount.
    QVariant value(const QString& field, bool* ok = nullptr) const;
    // Every field, read-only ones too.
    QVariantMap values() const;
    // Copies the editors of the fields that can be edited into the record;
    // the failure for a malformed date or amount.
    std::optional<common::Failure> read(QVariantMap& record) const;
    // A card's save: reads the fields into the record and runs the rule that
    // writes it, under guard; a malformed value or the rule's refusal is told
    // and its field focused. True when the record was written.
    bool
    readAndWrite(const AppContext& context, QVariantMap& record,
                 const std::function<std::optional<common::Failure>(QVariantMap&)>& write) const;

    bool loading() const { return m_loading; }

signals:
    // A keystroke or a choice of the user in a field.
    void edited(const QString& field);
    // The user left a field (text fields) or made a choice (drop-downs,
    // check boxes).
    void left(const QString& field);
    void chosen(const QString& field);

private:
    struct Bound {
        QWidget* editor = nullptr;
        FieldKind kind = FieldKind::Text;
        CardField field;
    };
    void applyLeaveRule(const QString& field);

    db::Database& m_db;
    QString m_table;
    FieldNavigator* m_navigator;
    Navigation m_navigation;
    QHash<QString, Bound> m_bound; // lower-case field
    QStringList m_order;
    bool m_loading = false;
};

// A failure goes to the user as a message box with its title: errors for
// "Messaggio di errore", warnings for the others.
void showFailure(common::Interaction& ui, const common::Failure& failure);

} // namespace ui
