#pragma once

#include "documents/ui/HeaderEditor.h"

class QHBoxLayout;
class QVBoxLayout;

namespace documents::ui {

class DocumentRowsPanel;
struct EditorProfile;

// What the editors of every customer document share: the toolbar ("Salva",
// "Annulla", "Indietro", "Stampa", the document's own tools, "Aiuto"), the
// header bound to the profile's fields, the totals, the "Righe" page, the
// totals shown again after a row action and the customer chosen. A kind of
// document brings its profile and its rule calls; everything it shows
// besides is its own pages.
class DocumentEditor : public HeaderEditor {
    Q_OBJECT
public slots:
    void print(); // "Stampa"

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
    // After an action that changed the stored document: the computed
    // fields shown again, the pending header edits kept.
    void showComputed();
    void printCode(int code);

    virtual void applyCustomer(QVariantMap& header, qint64 customer) = 0;
    virtual void customerApplied() {}
    virtual QStringList computedFields() const;
    virtual void rowsChanged();
    void fieldChosen(const QString& field) override;

private:
    void customerChosen(const QString& field);

    const EditorProfile& m_profile;
    QVBoxLayout* m_layout;
    QHBoxLayout* m_tools;
    QPushButton* m_help;
};

} // namespace documents::ui
