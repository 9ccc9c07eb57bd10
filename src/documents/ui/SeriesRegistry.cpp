#include "documents/ui/SeriesRegistry.h"

#include "common/Interaction.h"
#include "common/Titles.h"
#include "db/Database.h"
#include "documents/InvoicingSeries.h"
#include "registries/SimpleRegistryRules.h"
#include "ui/ActionButton.h"
#include "ui/AppContext.h"
#include "ui/DataGrid.h"
#include "ui/FieldNavigator.h"
#include "ui/Guarded.h"
#include "ui/RecordModel.h"
#include "ui/ScreenTitle.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace documents::ui {

namespace {

QVariant nullIfEmpty(const QString& text) {
    return text.isEmpty() ? QVariant() : QVariant(text);
}

} // namespace

SeriesRegistry::SeriesRegistry(AppContext& context, QWidget* parent)
    : QDialog(parent), m_context(context), m_navigator(new FieldNavigator(this)) {
    setObjectName(QStringLiteral("frmSerieFatturazione"));
    setWindowTitle(QStringLiteral("Serie di Fatturazione"));
    setModal(true);
    resize(640, 480);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(::ui::ScreenTitle(QStringLiteral("Serie di Fatturazione"), this));

    m_grid = new DataGrid(context, QStringLiteral("frmSerieFatturazione_Griglia"), this);
    m_grid->setTable(QStringLiteral("SerieFatturazione"));
    m_grid->setDefaultColumns({{QStringLiteral("Serie"), 90, QStringLiteral("Serie")},
                               {QStringLiteral("Descrizione"), 250, QStringLiteral("Descrizione")},
                               {QStringLiteral("Note"), 220, QStringLiteral("Note")}});
    layout->addWidget(m_grid, 1);

    auto* form = new QFormLayout();
    m_serie = new QLineEdit(this);
    m_serie->setObjectName(QStringLiteral("Serie"));
    m_serie->setMaxLength(20);
    m_descrizione = new QLineEdit(this);
    m_descrizione->setObjectName(QStringLiteral("Descrizione"));
    m_note = new QPlainTextEdit(this);
    m_note->setObjectName(QStringLiteral("Note"));
    m_note->setTabChangesFocus(true);
    m_note->setMaximumHeight(80);
    form->addRow(QStringLiteral("Serie"), m_serie);
    form->addRow(QStringLiteral("Descrizione"), m_descrizione);
    form->addRow(QStringLiteral("Note"), m_note);
    layout->addLayout(form);
    m_navigator->add(m_serie);
    m_navigator->add(m_descrizione);
    m_navigator->add(m_note, false);

    auto* buttons = new QHBoxLayout();
    auto button = [&](const QString& caption, const QString& name) {
        QPushButton* b = ::ui::ActionButton(caption, name, this);
        buttons->addWidget(b);
        return b;
    };
    QPushButton* plus = button(QStringLiteral("+"), QStringLiteral("spdAggiungi"));
    QPushButton* minus = button(QStringLiteral("-"), QStringLiteral("spdElimina"));
    plus->setToolTip(QStringLiteral("Aggiungi una Serie"));
    minus->setToolTip(QStringLiteral("Elimina la Serie"));
    plus->setFixedWidth(40);
    minus->setFixedWidth(40);
    buttons->addStretch(1);
    QPushButton* save = button(QStringLiteral("Salva"), QStringLiteral("spdSalva"));
    QPushButton* back = button(QStringLiteral("Indietro"), QStringLiteral("spdIndietro"));
    layout->addLayout(buttons);
    connect(plus, &QPushButton::clicked, this, &SeriesRegistry::addSeries);
    connect(minus, &QPushButton::clicked, this, &SeriesRegistry::removeSeries);
    connect(save, &QPushButton::clicked, this, &SeriesRegistry::saveSeries);
    connect(back, &QPushButton::clicked, this, &SeriesRegistry::goBack);

    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (m_moving)
                    return;
                // Moving to another series writes the pending changes, as the
                // old grids did.
                if (isModified())
                    write(false);
                showRow(current.isValid() ? m_grid->keyAt(current.row()) : 0);
            });
    refresh(0);
}

void SeriesRegistry::refresh(qint64 select) {
    m_moving = true;
    ::ui::guarded(m_context, [&] {
        m_grid->setResult(
            m_context.db->query(QStringLiteral("select * from SerieFatturazione order by Serie")));
    });
    if (select == 0 || !m_grid->selectKey(select))
        if (m_grid->records()->rowCount() > 0)
            m_grid->selectKey(m_grid->keyAt(0));
    m_moving = false;
    showRow(m_grid->currentKey());
}

void SeriesRegistry::showRow(qint64 key) {
    m_key = key;
    QString serie, descrizione, note;
    for (int r = 0; r < m_grid->records()->rowCount(); ++r)
        if (m_grid->keyAt(r) == key) {
            serie = m_grid->records()->value(r, QStringLiteral("Serie")).toString();
            descrizione = m_grid->records()->value(r, QStringLiteral("Descrizione")).toString();
            note = m_grid->records()->value(r, QStringLiteral("Note")).toString();
        }
    m_serie->setText(serie);
    m_descrizione->setText(descrizione);
    m_note->setPlainText(note);
    m_shown = {serie, descrizione, note};
    const bool any = key != 0;
    m_serie->setEnabled(any);
    m_descrizione->setEnabled(any);
    m_note->setEnabled(any);
}

bool SeriesRegistry::isModified() const {
    return m_key != 0 &&
           QStringList{m_serie->text(), m_descrizione->text(), m_note->toPlainText()} != m_shown;
}

bool SeriesRegistry::write(bool check) {
    if (m_key == 0)
        return true;
    const QVariantMap values{{QStringLiteral("Serie"), nullIfEmpty(m_serie->text().trimmed())},
                             {QStringLiteral("Descrizione"), nullIfEmpty(m_descrizione->text())},
                             {QStringLiteral("Note"), nullIfEmpty(m_note->toPlainText())}};
    if (!::ui::guardedRule(
            m_context, [&] { return InvoicingSeries::save(*m_context.db, m_key, values, check); },
            [&](const common::Failure& f) {
                m_context.interaction->error(f.title, f.text);
                m_serie->setFocus();
            }))
        return false;
    m_shown = {m_serie->text(), m_descrizione->text(), m_note->toPlainText()};
    return true;
}

void SeriesRegistry::addSeries() {
    if (isModified() && !write(false))
        return;
    qint64 key = 0;
    if (!::ui::guarded(m_context, [&] { key = InvoicingSeries::add(*m_context.db); }))
        return;
    refresh(key);
    m_serie->setFocus();
}

void SeriesRegistry::removeSeries() {
    if (m_key == 0)
        return;
    if (!m_context.interaction->question(
            common::titles::warning,
            QStringLiteral("Sei sicuro di voler eliminare la Serie di Fatturazione?")))
        return;
    if (!::ui::guarded(m_context, [&] { InvoicingSeries::remove(*m_context.db, m_key); }))
        return;
    m_key = 0;
    refresh(0);
}

bool SeriesRegistry::saveSeries() {
    if (!write(true))
        return false;
    refresh(m_key);
    return true;
}

void SeriesRegistry::goBack() {
    if (isModified() && !write(true))
        return;
    QDialog::done(QDialog::Accepted);
}

void SeriesRegistry::reject() {
    goBack();
}

} // namespace documents::ui
