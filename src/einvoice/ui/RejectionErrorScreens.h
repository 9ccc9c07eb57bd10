#pragma once

#include "ui/ListScreen.h"

#include <QDialog>

class QLineEdit;
class QPlainTextEdit;

namespace einvoice::ui {

// "Elenco Errori scarto fatturazione elettronica": the exchange system's
// rejection errors, filtered while typing by the start of code and title.
// Read only: "Avanti" shows the detail.
class RejectionErrorList : public ::ui::ListScreen {
    Q_OBJECT
public:
    RejectionErrorList(::ui::AppContext& context, QWidget* parent = nullptr);

    QString condition() const override;

protected:
    void openCard(qint64 key, bool isNew) override;
};

// "Errore Fatturazione Elettronica": code, title, description and what to
// correct, read only.
class RejectionErrorCard : public QDialog {
    Q_OBJECT
public:
    RejectionErrorCard(::ui::AppContext& context, qint64 id, QWidget* parent = nullptr);

    QString code() const;
    QString title() const;
    QString description() const;
    QString suggestions() const;

private:
    QLineEdit* m_code;
    QLineEdit* m_title;
    QPlainTextEdit* m_description;
    QPlainTextEdit* m_suggestions;
};

::ui::ScreenDefinition rejectionErrorsDefinition();

} // namespace einvoice::ui
