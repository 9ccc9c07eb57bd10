#pragma once

#include "ui/CardScreen.h"
#include "ui/ListScreen.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace accounting::ui {

::ui::ScreenDefinition cashBookDefinition(const ::ui::AppContext& context);

// The cash book ("Prima nota"): this year's movements, or the range of the
// history tab; filters, "Totalizza", and the delete that leaves a
// document's movements alone.
class CashBookList : public ::ui::ListScreen {
    Q_OBJECT
public:
    explicit CashBookList(::ui::AppContext& context, QWidget* parent = nullptr);
    QString condition() const override;

    void search();      // "cerca"
    void resetFilter(); // "reset"
    void totalize();    // "Totalizza"
    void removeMovement();
    // The prints of the "Stampa" menu over the rows the list shows: every
    // movement (9), customers' (10) or suppliers' (11) from the configured
    // opening balance, the situation of customers (84) or suppliers (85).
    void print(int code);
    QLabel* totalsLabel() const { return m_totals; }
    QComboBox* kindChoice() const { return m_kind; }

protected:
    qint64 insertRow() override;
    void openCard(qint64 key, bool isNew) override;

private:
    QString filterText() const;

    QLineEdit* m_from;
    QLineEdit* m_to;
    QComboBox* m_kind;
    QComboBox* m_bank;
    QLabel* m_totals;
    QString m_applied;
};

// A movement's card; read-only when a document's payment wrote it.
class CashBookCard : public ::ui::CardScreen {
    Q_OBJECT
public:
    CashBookCard(::ui::AppContext& context, const ::ui::ScreenDefinition& definition, qint64 key,
                 bool isNew, QWidget* parent = nullptr);
    bool readOnly() const { return m_readOnly; }

private:
    bool m_readOnly = false;
};

} // namespace accounting::ui
