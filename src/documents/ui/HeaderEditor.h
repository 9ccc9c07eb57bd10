#pragma once

#include "common/Interaction.h"
#include "documents/DocumentKind.h"

#include <QDialog>
#include <QVariantMap>
#include <functional>
#include <optional>

class QPushButton;
class QStatusBar;
class QTabWidget;

namespace ui {
class FieldBinder;
struct AppContext;
class FieldNavigator;
} // namespace ui

namespace documents::ui {

// What every document editor shares, customer's or supplier's, whatever
// its look: the header record bound to its fields on pages, the changed
// flag, and the "Salva" / "Indietro" flow around the kind's rule calls.
class HeaderEditor : public QDialog {
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
    bool save();               // "Salva"
    virtual void cancelEdit(); // "Annulla"
    void goBack();             // "Indietro"
    void reject() override;

protected:
    HeaderEditor(::ui::AppContext& context, DocumentKind kind, const QString& headerTable,
                 qint64 documentId, bool isNew, QWidget* parent);

    void showHeader(const QVariantMap& header);
    // The header as shown, changed by a rule and shown again; false when
    // the rule failed (already told).
    bool applyToHeader(const std::function<void(QVariantMap&)>& rule);

    // The rule calls of the kind.
    virtual QVariantMap loadHeader() = 0;
    virtual std::optional<common::Failure> writeHeader(QVariantMap& header) = 0;
    virtual void removeDocument() = 0; // "Annulla" of a new document
    // After a successful "Salva": by default the header shown as written.
    virtual void headerSaved(const QVariantMap& header);
    // After a refused "Salva": by default the field's page and the field.
    virtual void showFailedField(const common::Failure& failure);
    virtual void fieldEdited(const QString&) {}
    virtual void fieldChosen(const QString&) {}
    virtual void fieldLeft(const QString&) {}
    // Pending header edits written before a print, an export or a row.
    virtual bool post();

    ::ui::AppContext& m_context;
    const DocumentKind m_kind;
    const qint64 m_id;
    QVariantMap m_header;
    bool m_modified = false;
    bool m_isNew = false; // created by "Aggiungi": "Annulla" takes it away again
    bool m_validationFailed = false;
    // "Indietro" stays on a document whose last "Salva" failed its checks.
    bool m_leaveOnlyWhenValid = false;
    ::ui::FieldNavigator* m_navigator;
    ::ui::FieldBinder* m_fields;
    // Made by the kind where its look puts them: widgets made earlier come
    // earlier in the Tab order.
    QTabWidget* m_pages = nullptr;
    QStatusBar* m_status = nullptr; // "Salvato" shows here, where there is one
};

} // namespace documents::ui
