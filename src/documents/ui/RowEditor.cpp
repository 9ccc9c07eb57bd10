#include "documents/ui/RowEditor.h"

#include "db/Database.h"
#include "db/RegistryRecord.h"
#include "ui/ActionButton.h"
#include "ui/AppContext.h"
#include "ui/FieldBinder.h"
#include "ui/FieldNavigator.h"
#include "ui/HelpWindow.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace documents::ui {

RowEditor::RowEditor(::ui::AppContext& context, DocumentKind kind, qint64 documentId,
                     const QString& rowsTable, const QString& totalField, QWidget* parent)
    : QDialog(parent), m_context(context), m_kind(kind), m_documentId(documentId),
      m_totalField(totalField) {
    setModal(true);
    m_navigator = new ::ui::FieldNavigator(this);
    m_fields = new ::ui::FieldBinder(*context.db, rowsTable, m_navigator, this);
    connect(m_fields, &::ui::FieldBinder::chosen, this, [this](const QString& field) {
        if (field.compare(QLatin1String("Iva_ID"), Qt::CaseInsensitive) == 0)
            vatChosen(field);
    });
    connect(m_fields, &::ui::FieldBinder::left, this, [this](const QString& field) {
        if (field == QLatin1String("Um") || field == QLatin1String("ValoreUnitario") ||
            field.startsWith(QLatin1String("Sconto")))
            showAmounts();
    });
    connect(m_fields, &::ui::FieldBinder::edited, this, [this] { m_modified = true; });
}

void RowEditor::addButtons(QVBoxLayout* layout) {
    auto* buttons = new QHBoxLayout();
    buttons->addStretch(1);
    m_save = ::ui::ActionButton(QStringLiteral("Salva"), QStringLiteral("spdSalva"), this);
    m_back = ::ui::ActionButton(QStringLiteral("Indietro"), QStringLiteral("spdIndietro"), this);
    QPushButton* cancel =
        ::ui::ActionButton(QStringLiteral("Annulla"), QStringLiteral("spdAnnulla"), this);
    QPushButton* help =
        ::ui::ActionButton(QStringLiteral("Aiuto"), QStringLiteral("spdAiuto"), this);
    for (QPushButton* b : {m_save, cancel, m_back, help})
        buttons->addWidget(b);
    layout->addLayout(buttons);

    connect(m_save, &QPushButton::clicked, this, [this] {
        if (save())
            accept();
    });
    connect(m_back, &QPushButton::clicked, this, &RowEditor::goBack);
    connect(cancel, &QPushButton::clicked, this, [this] {
        m_modified = false;
        QDialog::reject();
    });
    connect(help, &QPushButton::clicked, this, [this] { ::ui::HelpWindow::showFor(this); });
}

void RowEditor::showRow(const QVariantMap& row) {
    m_record = row;
    m_fields->show(m_record);
}

void RowEditor::vatChosen(const QString& field) {
    const qint64 vat = m_fields->value(field).toLongLong();
    const QVariant rate =
        vat > 0 ? m_context.db->scalar(QStringLiteral("select Iva from Iva where ID = ?"), {vat})
                : QVariant();
    m_fields->showValue(QStringLiteral("AliquotaIva"), rate);
    m_record[QStringLiteral("AliquotaIva")] = rate;
    showAmounts();
}

void RowEditor::showAmounts() {
    QVariantMap row = m_record;
    if (m_fields->read(row))
        return;
    computeAmounts(row);
    for (const QString& field : {QStringLiteral("TotaleImponibile"), m_totalField})
        m_fields->showValue(field, db::recordValue(row, field));
}

bool RowEditor::save() {
    QVariantMap row = m_record;
    if (!m_fields->readAndWrite(m_context, row, [&](QVariantMap& r) { return writeRow(r); }))
        return false;
    showRow(row);
    m_modified = false;
    return true;
}

void RowEditor::goBack() {
    if (m_modified && !save())
        return;
    accept();
}

void RowEditor::reject() {
    goBack();
}

} // namespace documents::ui
