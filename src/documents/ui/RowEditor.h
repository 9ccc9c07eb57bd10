#pragma once

#include "common/Interaction.h"
#include "documents/DocumentKind.h"

#include <QDialog>
#include <QVariantMap>
#include <optional>

class QPushButton;
class QVBoxLayout;

namespace ui {
class FieldBinder;
struct AppContext;
class FieldNavigator;
} // namespace ui

namespace documents::ui {

// What the editors of one document row share, customer's or supplier's: the
// row bound to its fields; the VAT drop-down copying its rate and the
// amounts shown again when the quantity, the price or a discount is left;
// "Salva" (checks and writes through the kind's rule, then closes),
// "Indietro" (the same when something changed), "Annulla" (drops the
// changes) and "Aiuto".
class RowEditor : public QDialog {
    Q_OBJECT
public:
    ::ui::FieldBinder* fields() const { return m_fields; }
    QPushButton* saveButton() const { return m_save; }
    QPushButton* backButton() const { return m_back; }
    const QVariantMap& record() const { return m_record; }

public slots:
    bool save();   // "Salva"
    void goBack(); // "Indietro": saves what changed, closes when saved
    void reject() override;

protected:
    // totalField: the row's amount with VAT, shown with the taxable one.
    RowEditor(::ui::AppContext& context, DocumentKind kind, qint64 documentId,
              const QString& rowsTable, const QString& totalField, QWidget* parent);

    // "Salva", "Annulla", "Indietro", "Aiuto" on a row of their own.
    void addButtons(QVBoxLayout* layout);
    void showRow(const QVariantMap& row);
    // The taxable and total amounts as the row stands, nothing written.
    void showAmounts();

    virtual std::optional<common::Failure> writeRow(QVariantMap& row) = 0;
    virtual void computeAmounts(QVariantMap& row) const = 0;

    ::ui::AppContext& m_context;
    const DocumentKind m_kind;
    const qint64 m_documentId;
    QVariantMap m_record;
    bool m_modified = false;
    ::ui::FieldNavigator* m_navigator;
    ::ui::FieldBinder* m_fields;
    QPushButton* m_save = nullptr;
    QPushButton* m_back = nullptr;

private:
    void vatChosen(const QString& field);

    const QString m_totalField;
};

} // namespace documents::ui
