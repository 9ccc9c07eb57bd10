#pragma once

#include "common/Interaction.h"
#include "ui/ScreenDefinition.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QVariantMap>
#include <optional>

class QGridLayout;
class QWidget;

namespace db {
class Database;
}

namespace ui {
class FieldNavigator;
}

namespace documents::ui {

// The entry fields of the document editors, bound to the columns of one
// table: builds each editor, shows a record in them, reads them back and
// reports the user's edits. Fields join the keyboard navigation in the
// order they are created.
class FieldBinder : public QObject {
    Q_OBJECT
public:
    FieldBinder(db::Database& db, QString table, ::ui::FieldNavigator* navigator,
                QObject* parent = nullptr);

    // Creates the field's editor (drop-downs filled) and its label.
    QWidget* create(const ::ui::CardField& field, QWidget* parent);
    // Lays a list of fields out on a grid: label and editor side by side,
    // sameRow fields beside the previous one.
    void place(QGridLayout* grid, const QList<::ui::CardField>& fields, QWidget* parent);

    QWidget* editor(const QString& field) const;
    QString label(const QString& field) const;
    QStringList fields() const { return m_order; }

    // Shows the record's values; drop-downs are refilled so that the value
    // held stays offered. Emits no edits.
    void show(const QVariantMap& record);
    void showValue(const QString& field, const QVariant& value);
    // Copies the editors into the record; the failure for a malformed
    // date or amount.
    std::optional<common::Failure> read(QVariantMap& record) const;
    QVariant value(const QString& field) const;

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
        ::ui::FieldKind kind = ::ui::FieldKind::Text;
        ::ui::CardField field;
    };

    db::Database& m_db;
    QString m_table;
    ::ui::FieldNavigator* m_navigator;
    QHash<QString, Bound> m_bound; // lower-case field
    QStringList m_order;
    bool m_loading = false;
};

// Shorthands for the field lists of the editors.
::ui::CardField field(const char* column, const char* label, bool sameRow = false, int width = 0,
                      bool readOnly = false);
// A drop-down over a Jet select: key and shown columns, rows whose
// cancelled column is true left out.
::ui::CardField lookupField(const char* column, const char* label, const char* sql, const char* key,
                            const char* display, const char* cancelled = "", bool sameRow = false);

// The first failure goes to the user as a message box with its title:
// errors for "Messaggio di errore", warnings for the others.
void showFailure(common::Interaction& ui, const common::Failure& failure);

} // namespace documents::ui
