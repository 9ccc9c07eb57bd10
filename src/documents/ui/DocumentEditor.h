#pragma once

#include "common/Interaction.h"
#include "documents/DocumentKind.h"

#include <QDialog>
#include <QVariantMap>
#include <functional>
#include <optional>

class QHBoxLayout;
class QPushButton;
class QStatusBar;
class QTabWidget;
class QVBoxLayout;

namespace ui {
class FieldBinder;
struct AppContext;
class FieldNavigator;
} // namespace ui

namespace documents::ui {

class DocumentRowsPanel;
struct EditorProfile;

// What the editors of every customer document share: the toolbar ("Salva",
// "Annulla", "Indietro", "Stampa", the document's own tools, "Aiuto"), the
// header bound to the profile's fields, the totals, the "Righe" page, the
// totals shown again after a row action, the customer chosen, and the
// save / cancel / back flow. A kind of document brings its profile and the
// rule calls below; everything it shows besides is its own pages.
class DocumentEditor : public QDialog {
    Q_OBJECT
public:
    DocumentKind kind() const { return m_kind; }
    qint64 documentId() const { return m_id; }
    bool isModified() const { return m_modified; }
    bool validationFailed() const { return m_validationFailed; }
    // The header as shown: the stored record with the editors' values.
    QVariantMap record() const;
    ::ui::FieldBinder* fields() const { return m_fields; }
    QTabWidget* pages() const { return m_pages; }
    QPushButton* button(const QString& objectName) const;

public slots:
    bool save();       // "Salva"
    void cancelEdit(); // "Annulla"
    void goBack();     // "Indietro"
    void print();      // "Stampa"
    void reject() override;

protected:
    DocumentEditor(::ui::AppContext& context, DocumentKind kind, qint64 documentId, bool isNew,
                   QWidget* parent);

    const EditorProfile& profile() const { return m_profile; }
    // A tool of the document's own, after "Stampa" and before "Aiuto".
    QPushButton* addTool(const QString& caption, const QString& objectName);
    // A line between the toolbar and the pages.
    void addNotice(QWidget* notice);
    // The profile's header fields on a page, the wide ones across it.
    QVBoxLayout* placeHeader(QWidget* page);
    void placeTotals(QVBoxLayout* layout, QWidget* page);
    // The "Righe" page; its changes come to rowsChanged().
    DocumentRowsPanel* addRowsPage();
    // The stored header shown, the document counted as changed when new,
    // the customer in focus. Called by the kind's constructor at its end.
    void showLoaded();
    void showHeader(const QVariantMap& header);
    // The header as shown, changed by a rule and shown again; false when
    // the rule failed (already told).
    bool applyToHeader(const std::function<void(QVariantMap&)>& rule);
    // After an action that changed the stored document: the computed
    // fields shown again, the pending header edits kept.
    void showComputed();
    void printCode(int code);

    // The rule calls of the kind.
    virtual QVariantMap loadHeader() = 0;
    virtual std::optional<common::Failure> writeHeader(QVariantMap& header) = 0;
    virtual void removeDocument() = 0; // "Annulla" of a new document
    virtual void applyCustomer(QVariantMap& header, qint64 customer) = 0;
    // After a successful "Salva": by default the header shown as written.
    virtual void headerSaved(const QVariantMap& header);
    virtual void customerApplied() {}
    virtual QStringList computedFields() const;
    virtual void fieldEdited(const QString&) {}
    virtual void fieldChosen(const QString& field);
    virtual void fieldLeft(const QString&) {}
    virtual void rowsChanged();
    // Pending header edits written before a print or an export.
    virtual bool post();

    ::ui::AppContext& m_context;
    const DocumentKind m_kind;
    const qint64 m_id;
    QVariantMap m_header;
    bool m_modified = false;
    bool m_isNew = false; // created by "Aggiungi": "Annulla" takes it away again
    bool m_validationFailed = false;
    ::ui::FieldBinder* m_fields;
    QTabWidget* m_pages;
    QStatusBar* m_status;

private:
    void customerChosen(const QString& field);

    const EditorProfile& m_profile;
    ::ui::FieldNavigator* m_navigator;
    QVBoxLayout* m_layout;
    QHBoxLayout* m_tools;
    QPushButton* m_help;
};

} // namespace documents::ui
