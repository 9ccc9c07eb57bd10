#pragma once

#include "common/Interaction.h"
#include "db/Database.h"
#include "ui/AppContext.h"
#include "ui/ScreenDefinition.h"

#include <QDialog>
#include <QHash>
#include <QVariantMap>
#include <optional>

class QFormLayout;
class QLabel;
class QListWidget;
class QPushButton;
class QStackedWidget;

namespace ui {
class FieldBinder;
class FieldNavigator;
} // namespace ui

namespace ui {

// A window that edits the single row of a settings table (opzioni, ditta):
// pages listed on the left, the fields of the chosen page on the right,
// "Salva" and "Indietro" at the bottom. Enter/Down and Up move between
// fields; the focused one is aqua. A save is one transaction.
class SettingsForm : public QDialog {
    Q_OBJECT
public:
    QWidget* editor(const QString& column) const;
    QVariant value(const QString& column) const;
    void setValue(const QString& column, const QVariant& value);
    bool isModified() const;
    // Shows the page holding the editor.
    void showPageOf(QWidget* editor);
    int pageCount() const;
    QStringList pageTitles() const;

    // Checks and writes; false (and a message) on failure.
    bool save();

protected:
    SettingsForm(::ui::AppContext& context, const QString& table, QWidget* parent);

    ::ui::AppContext& context() { return m_context; }
    db::Database& db() { return *m_context.db; }
    common::Interaction& interaction() { return *m_context.interaction; }

    QFormLayout* addPage(const QString& title);
    void addSection(QFormLayout* page, const QString& title);
    // Creates, labels and registers the editor of a column of the table.
    QWidget* addField(QFormLayout* page, const ::ui::CardField& field);
    // A field with widgets beside it (buttons).
    QWidget* addField(QFormLayout* page, const ::ui::CardField& field,
                      const QList<QWidget*>& beside);
    void addWidgetRow(QFormLayout* page, const QString& label, QWidget* widget);

    // Reads the row into the editors (lookups filled on the way).
    void loadRow(const db::Row& row);
    // The row as edited; the first unreadable field fails.
    std::optional<common::Failure> collect(db::Values* values) const;

    // Writes the row; subclasses add what goes in the same transaction.
    virtual void write(const db::Values& values) = 0;
    virtual bool extraModified() const { return false; }
    virtual void afterLoad() {}
    virtual void afterSave() {}

    ::ui::FieldNavigator* navigator() { return m_navigator; }
    QPushButton* saveButton() { return m_save; }
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void back();

    ::ui::AppContext& m_context;
    ::ui::FieldBinder* m_fields;
    QVariantMap m_baseline;
    QListWidget* m_pages;
    QStackedWidget* m_stack;
    QPushButton* m_save;
    QPushButton* m_back;
    ::ui::FieldNavigator* m_navigator;
    bool m_closing = false;
};

} // namespace ui
