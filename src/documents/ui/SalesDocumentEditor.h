#pragma once

#include "documents/DocumentKind.h"

#include <QDialog>
#include <QVariantMap>

class QPushButton;
class QStatusBar;
class QTabWidget;

namespace ui {
class FieldBinder;
struct AppContext;
class FieldNavigator;
} // namespace ui

namespace documents::ui {

class DocumentRowsPanel;
struct SalesProfile;

// The editor of a delivery note, quote, customer order or receipt: pages
// "Testata" (the profile's fields and the totals) and "Righe" (the shared
// rows panel). Row actions write at once and show the new totals; the
// header is written by "Salva", and by "Indietro" when it changed.
class SalesDocumentEditor : public QDialog {
    Q_OBJECT
public:
    SalesDocumentEditor(::ui::AppContext& context, DocumentKind kind, qint64 documentId, bool isNew,
                        QWidget* parent = nullptr);

    DocumentKind kind() const { return m_kind; }
    qint64 documentId() const { return m_id; }
    bool isModified() const { return m_modified; }
    QVariantMap record() const;
    ::ui::FieldBinder* fields() const { return m_fields; }
    QTabWidget* pages() const { return m_pages; }
    DocumentRowsPanel* rows() const { return m_rows; }
    QPushButton* button(const QString& objectName) const;

public slots:
    bool save();          // "Salva"
    void cancelEdit();    // "Annulla"
    void goBack();        // "Indietro"
    void print();         // "Stampa"
    void printHalf();     // "St. Metà"
    void exportAndSend(); // "Esporta ed invia"
    void reject() override;

private:
    QWidget* buildHeaderPage();
    void fieldChosen(const QString& field);
    void fieldLeft(const QString& field);
    void showComputed();
    void printCode(int code);
    bool post();

    ::ui::AppContext& m_context;
    DocumentKind m_kind;
    const SalesProfile& m_profile;
    qint64 m_id;
    QVariantMap m_header;
    bool m_modified = false;
    bool m_isNew = false;
    bool m_dateOrderPending = false;
    ::ui::FieldNavigator* m_navigator;
    ::ui::FieldBinder* m_fields;
    QTabWidget* m_pages;
    QStatusBar* m_status;
    DocumentRowsPanel* m_rows = nullptr;
};

} // namespace documents::ui
