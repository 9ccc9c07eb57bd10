#pragma once

// The card of one registry row, built from a ScreenDefinition.
//
// Usage: a definition lists the fields (column, label, kind, drop-down
// source) and a validation function returning the first common::Failure;
// ListScreen opens CardScreen on the row it inserted or the one chosen.
// - "Indietro" (and Esc, and closing the window) saves when anything changed
//   and closes only when the save succeeded; a failed check is shown with its
//   title and puts the focus in its field. A save is one db::Transaction:
//   the row, then definition.afterSave; definition.checkStored is asked
//   after it and keeps the card open. "Salva" saves and stays.
// - "Annulla" on a new card deletes the row after a Yes; on an existing one
//   it drops the changes and closes.
// - "Elimina" asks definition.deleteQuestion and deletes (beforeDelete first).
// - Enter/Down and Up move between fields; the focused one is aqua.
// A screen needing more subclasses it: add widgets with addRow() (register
// them with navigator()), override validate() or writeExtra(), read and set
// fields with value()/setValue(), and give the definition a makeCard.

#include "common/Interaction.h"
#include "ui/ScreenDefinition.h"

#include <QDialog>
#include <QVariantMap>
#include <optional>

class QGridLayout;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QStatusBar;
class QTabWidget;
class QVBoxLayout;

namespace ui {

struct AppContext;
class FieldBinder;
class FieldNavigator;

class CardScreen : public QDialog {
    Q_OBJECT
public:
    CardScreen(AppContext& context, const ScreenDefinition& definition, qint64 key, bool isNew,
               QWidget* parent = nullptr);

    qint64 key() const { return m_key; }
    bool isNew() const { return m_isNew; }
    // True once the row was deleted ("Elimina", or "Annulla" on a new card).
    bool deleted() const { return m_deleted; }
    const ScreenDefinition& definition() const { return m_definition; }

    QWidget* editor(const QString& field) const;
    QVariant value(const QString& field) const;
    void setValue(const QString& field, const QVariant& value);
    QVariantMap values() const;
    bool isModified() const;
    // The values as last read from or written to the archive.
    const QVariantMap& storedValues() const { return m_baseline; }

    // Checks and writes the row; false (and a message) on failure.
    bool save();
    // Shows a failure with its title and moves the focus to its field.
    void showFailure(const common::Failure& failure);

    QPushButton* backButton() const { return m_back; }
    QPushButton* cancelButton() const { return m_cancel; }
    QPushButton* deleteButton() const { return m_delete; }
    QPushButton* saveButton() const { return m_save; }
    FieldNavigator* navigator() const { return m_navigator; }
    FieldBinder* fields() const { return m_fields; }

public slots:
    void goBack();       // "Indietro"
    void cancelEdit();   // "Annulla"
    void removeRecord(); // "Elimina"
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    virtual std::optional<common::Failure> validate(const QVariantMap& values) const;
    // Inside the save transaction, after the row is written.
    virtual void writeExtra(db::Database& db, const QVariantMap& values);
    // Reads the row again and refills the editors.
    void load();
    // Adds a labelled widget on a page, as the fields are added.
    void addRow(const QString& label, QWidget* widget, bool sameRow = false,
                const QString& page = QString());
    // Puts widgets (small buttons) beside a field's editor, in its cell; the
    // editor takes the room left when stretchEditor. The holder keeps its
    // place however the card lays its rows out.
    QWidget* attachBeside(const QString& field, const QList<QWidget*>& widgets,
                          bool stretchEditor = true);
    QHBoxLayout* buttonRow() const { return m_buttons; }
    QPushButton* addButton(const QString& caption, const QString& objectName);
    AppContext& context() const { return m_context; }

private:
    struct Cell {
        int row;
        int column;
        QWidget* widget;
    };
    struct Page {
        QWidget* widget;
        QGridLayout* grid;
        int row = -1;
        int column = 0;
        QList<Cell> cells;
    };
    Page& page(const QString& name);
    void closeWith(int result);
    // The last field of each row reaches the right edge of its page.
    void spanRows();
    std::optional<common::Failure> readErrors(QVariantMap& values) const;

    AppContext& m_context;
    ScreenDefinition m_definition;
    qint64 m_key;
    bool m_isNew;
    bool m_deleted = false;
    QVariantMap m_baseline;
    QVBoxLayout* m_layout;
    QTabWidget* m_tabs = nullptr;
    QList<std::pair<QString, Page>> m_pages;
    QHBoxLayout* m_buttons;
    QPushButton* m_back;
    QPushButton* m_save;
    QPushButton* m_cancel;
    QPushButton* m_delete;
    QStatusBar* m_status = nullptr;
    FieldNavigator* m_navigator;
    FieldBinder* m_fields;
};

} // namespace ui
