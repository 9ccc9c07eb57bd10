#pragma once

#include <QDialog>

class QComboBox;
class QPushButton;

namespace ui {
struct AppContext;
}

namespace documents::ui {

using ::ui::AppContext;

// The small dialog that asks the invoicing series of a new document: one
// drop-down of the series codes. "Conferma" takes the choice, "Indietro"
// leaves without one.
class SeriesChooser : public QDialog {
    Q_OBJECT
public:
    enum class Document { Invoice, CreditNote, DeliveryNote };

    SeriesChooser(AppContext& context, Document document, QWidget* parent = nullptr);

    // The series chosen, empty when none (the document keeps a null series).
    QString chosen() const { return m_chosen; }
    QComboBox* seriesBox() const { return m_series; }
    QPushButton* confirmButton() const { return m_confirm; }
    QPushButton* backButton() const { return m_back; }

    // Shows the dialog and gives back the series chosen, or an empty text.
    static QString choose(QWidget* parent, AppContext& context, Document document);

private:
    QComboBox* m_series;
    QPushButton* m_confirm;
    QPushButton* m_back;
    QString m_chosen;
};

} // namespace documents::ui
