#pragma once

#include <QDialog>
#include <QVariantMap>

class QLabel;
class QLineEdit;
class QPushButton;

namespace ui {
class FieldBinder;
struct AppContext;
class FieldNavigator;
} // namespace ui

namespace documents::ui {

// The card of one instalment (FatturaScadenze): due date, payment, terms,
// bank, amount, description, number, details, notes and a proof file.
// "Salva" records the payment (and its cash-book movement when the company
// mirrors invoicing); "Indietro" saves what changed and closes only when
// the save succeeded; "Annulla" on a new instalment deletes it after a Yes.
class InstalmentCard : public QDialog {
    Q_OBJECT
public:
    InstalmentCard(::ui::AppContext& context, qint64 instalmentId, bool isNew,
                   QWidget* parent = nullptr);

    qint64 key() const { return m_id; }
    ::ui::FieldBinder* fields() const { return m_fields; }
    bool isModified() const { return m_modified; }
    QPushButton* saveButton() const { return m_save; }
    QPushButton* backButton() const { return m_back; }
    QPushButton* cancelButton() const { return m_cancel; }

    // Shows the cash-book movement through the interaction; 0 says there is none.
    static void showMovement(::ui::AppContext& context, qint64 movementId,
                             QWidget* parent = nullptr);

public slots:
    bool save();         // "Salva"
    void goBack();       // "Indietro"
    void cancelEdit();   // "Annulla"
    void showCashBook(); // "prima nota"
    void today();        // "Oggi"
    void chooseFile();
    void viewFile(); // "Vedi"
    void reject() override;

private:
    void load();

    ::ui::AppContext& m_context;
    qint64 m_id;
    bool m_isNew;
    bool m_modified = false;
    QVariantMap m_record;
    ::ui::FieldNavigator* m_navigator;
    ::ui::FieldBinder* m_fields;
    QLineEdit* m_party;
    QLabel* m_partyLabel;
    QPushButton* m_save;
    QPushButton* m_cancel;
    QPushButton* m_back;
};

} // namespace documents::ui
