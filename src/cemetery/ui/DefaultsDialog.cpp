#include "cemetery/ui/DefaultsDialog.h"

#include "cemetery/TableDefaults.h"
#include "common/Interaction.h"
#include "common/Titles.h"
#include "ui/ActionButton.h"
#include "ui/AppContext.h"
#include "ui/Guarded.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace cemetery::ui {

DefaultsDialog::DefaultsDialog(::ui::AppContext& context, const QString& table, QWidget* parent)
    : QDialog(parent), m_context(context), m_table(table) {
    setObjectName(QStringLiteral("frmValoriPredefiniti"));
    setWindowTitle(QStringLiteral("Valori predefiniti - ") + table);
    setModal(true);
    resize(560, 400);
    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel(
        QStringLiteral("Valori inseriti in ogni nuovo record di \"%1\" su questo computer "
                       "(%2).\nDate nella forma gg/mm/aaaa, importi con la virgola, Sì/No per "
                       "le caselle.")
            .arg(table, context.db->workstation()),
        this);
    intro->setWordWrap(true);
    layout->addWidget(intro);

    m_grid = new QTableWidget(0, 2, this);
    m_grid->setObjectName(QStringLiteral("grdValori"));
    m_grid->setHorizontalHeaderLabels({QStringLiteral("Campo"), QStringLiteral("Valore")});
    m_grid->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Interactive);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_grid->setColumnWidth(0, 220);
    m_grid->verticalHeader()->hide();
    layout->addWidget(m_grid, 1);

    auto* buttons = new QHBoxLayout();
    const auto button = [this, buttons](const QString& caption, const QString& name) {
        QPushButton* b = ::ui::ActionButton(caption, name, this);
        buttons->addWidget(b);
        return b;
    };
    auto* add = button(QStringLiteral("Aggiungi"), QStringLiteral("spdAggiungi"));
    auto* remove = button(QStringLiteral("Elimina"), QStringLiteral("spdElimina"));
    buttons->addStretch(1);
    auto* save = button(QStringLiteral("Salva"), QStringLiteral("spdSalva"));
    auto* back = button(QStringLiteral("Indietro"), QStringLiteral("spdIndietro"));
    layout->addLayout(buttons);
    connect(add, &QPushButton::clicked, this, [this] { addEntry(); });
    connect(remove, &QPushButton::clicked, this, [this] {
        if (m_grid->currentRow() >= 0)
            m_grid->removeRow(m_grid->currentRow());
    });
    connect(save, &QPushButton::clicked, this, [this] {
        if (store())
            accept();
    });
    connect(back, &QPushButton::clicked, this, &QDialog::reject);

    ::ui::guarded(context, [&] {
        for (const TableDefaults::Entry& e : TableDefaults::entries(*context.db, table))
            addEntry(e.column, e.value);
    });
}

void DefaultsDialog::addEntry(const QString& column, const QString& value) {
    const int row = m_grid->rowCount();
    m_grid->insertRow(row);
    auto* combo = new QComboBox(m_grid);
    combo->addItem(QString());
    combo->addItems(TableDefaults::columns(m_table));
    int at = combo->findText(column, Qt::MatchFixedString);
    if (at < 0 && !column.isEmpty()) {
        combo->addItem(column);
        at = combo->count() - 1;
    }
    combo->setCurrentIndex(std::max(at, 0));
    m_grid->setCellWidget(row, 0, combo);
    m_grid->setItem(row, 1, new QTableWidgetItem(value));
    m_grid->setCurrentCell(row, 1);
}

bool DefaultsDialog::store() {
    QList<TableDefaults::Entry> entries;
    for (int r = 0; r < m_grid->rowCount(); ++r) {
        auto* combo = qobject_cast<QComboBox*>(m_grid->cellWidget(r, 0));
        const QString column = combo ? combo->currentText() : QString();
        const QString value = m_grid->item(r, 1) ? m_grid->item(r, 1)->text() : QString();
        if (column.isEmpty())
            continue;
        if (TableDefaults::convert(m_table, column, value).isNull()) {
            m_context.interaction->error(
                common::titles::error,
                QStringLiteral("Attenzione valore non valido per il campo ") + column);
            m_grid->setCurrentCell(r, 1);
            return false;
        }
        entries.append({column, value});
    }
    if (!::ui::guarded(m_context, [&] { TableDefaults::store(*m_context.db, m_table, entries); }))
        return false;
    return true;
}

} // namespace cemetery::ui
