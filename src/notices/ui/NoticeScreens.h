#pragma once

#include "notices/NoticeMail.h"
#include "ui/AppContext.h"
#include "ui/ScreenDefinition.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QStackedWidget;

namespace ui {
class ScreenRegistry;
}

namespace notices::ui {

// The catalogue of prepared notices ("Avvisi").
::ui::ScreenDefinition catalogueDefinition();

// "Avvisi per Clienti": the text, the filters, the ticked customers. One
// window whose three pages are the three steps.
class NoticeWizard : public QDialog {
    Q_OBJECT
public:
    explicit NoticeWizard(::ui::AppContext& context, QWidget* parent = nullptr);

    int step() const; // 0, 1, 2

    // Step 1.
    QPlainTextEdit* textEdit() const { return m_text; }
    QComboBox* importChoice() const { return m_import; }
    bool saveText();
    void importChosen(int index);
    void addNotice();
    void continueToFilters();

    // Step 2.
    notices::Filters filters() const;
    QWidget* filterWidget(const QString& objectName) const;
    void continueToCustomers();

    // Step 3.
    QListWidget* customerList() const { return m_customers; }
    void tickAll(bool ticked);
    QList<qint64> tickedCustomers() const;
    void print();
    void sendEmail();

    void back();

private:
    QWidget* buildText();
    QWidget* buildFilters();
    QWidget* buildCustomers();
    void fillImportChoice();
    void printLetters(const QList<qint64>& customers);

    ::ui::AppContext& m_context;
    QStackedWidget* m_pages;
    QPlainTextEdit* m_text;
    QComboBox* m_import;
    QComboBox* m_payment;
    QComboBox* m_category;
    QComboBox* m_town;
    QComboBox* m_province;
    QLineEdit* m_notes;
    QLineEdit* m_from;
    QLineEdit* m_to;
    QCheckBox* m_publicAdministration;
    QCheckBox* m_paid;
    QListWidget* m_customers;
    notices::Filters m_applied; // the filters the list was chosen with
};

// The window at the end of "Invia Email": who was reached, who has no
// address and who failed; the customers without address can be printed.
class MailOutcomeWindow : public QDialog {
    Q_OBJECT
public:
    MailOutcomeWindow(const notices::MailOutcome& outcome, QWidget* parent = nullptr);
    QPushButton* printButton() const { return m_print; }

signals:
    void printRequested();

private:
    QPushButton* m_print;
};

// Registers the catalogue (btnArchivioAvvisi) and the three steps
// (btnAttivitaAvvisiClienti).
void registerNoticeScreens(::ui::ScreenRegistry& registry);

} // namespace notices::ui
