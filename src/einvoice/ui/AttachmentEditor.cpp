#include "einvoice/ui/AttachmentEditor.h"

#include "common/Interaction.h"
#include "common/Titles.h"
#include "einvoice/Attachments.h"
#include "ui/ActionButton.h"
#include "ui/AppContext.h"
#include "ui/FieldNavigator.h"
#include "ui/Guarded.h"

#include <QComboBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace einvoice::ui {

bool editAttachment(::ui::AppContext& context, qint64 documentId, qint64 attachmentId,
                    QWidget* parent) {
    const bool isNew = attachmentId == 0;
    if (!::ui::guarded(context, [&] {
            if (isNew)
                attachmentId = attachments::add(*context.db, documentId);
        }))
        return false;
    AttachmentEditor editor(context, attachmentId, isNew, parent);
    return editor.exec() == QDialog::Accepted;
}

bool deleteAttachment(::ui::AppContext& context, qint64 attachmentId) {
    if (attachmentId == 0 ||
        !context.interaction->question(
            common::titles::warning,
            QStringLiteral("Sei sicuro di voler eliminare il Record dell'Allegato ?")))
        return false;
    if (!::ui::guarded(context, [&] { attachments::remove(*context.db, attachmentId); }))
        return false;
    return true;
}

AttachmentEditor::AttachmentEditor(::ui::AppContext& context, qint64 attachmentId, bool isNew,
                                   QWidget* parent)
    : QDialog(parent), m_context(context), m_id(attachmentId), m_isNew(isNew) {
    setObjectName(QStringLiteral("TfrmAllegati"));
    setWindowTitle(QStringLiteral("Allegati"));
    setModal(true);
    resize(640, 280);

    auto* layout = new QVBoxLayout(this);
    auto* title = new QLabel(QStringLiteral("Allegato della fattura elettronica"), this);
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 1.4);
    big.setBold(true);
    title->setFont(big);
    layout->addWidget(title);

    auto* form = new QFormLayout();
    layout->addLayout(form);
    const auto line = [this](const QString& name, int maxLength) {
        auto* e = new QLineEdit(this);
        e->setObjectName(name);
        e->setMaxLength(maxLength);
        return e;
    };
    m_name = line(QStringLiteral("NomeAttachment"), 255);
    m_description = line(QStringLiteral("DescrizioneAttachment"), 255);
    m_format = line(QStringLiteral("FormatoAttachment"), 10);
    m_format->setMaximumWidth(100);
    m_compression = new QComboBox(this);
    m_compression->setObjectName(QStringLiteral("AlgoritmoCompressione"));
    m_compression->setEditable(true);
    m_compression->addItems({QString(), QStringLiteral("ZIP"), QStringLiteral("RAR")});
    m_compression->lineEdit()->setMaxLength(10);
    m_compression->setMaximumWidth(100);
    m_path = line(QStringLiteral("PercorsoCompleto"), 255);
    auto* find = ::ui::ActionButton(QStringLiteral("Cerca"), QStringLiteral("spdCerca"), this, 90);
    auto* pathRow = new QHBoxLayout();
    pathRow->addWidget(m_path, 1);
    pathRow->addWidget(find);
    form->addRow(QStringLiteral("Nome"), m_name);
    form->addRow(QStringLiteral("Descrizione"), m_description);
    form->addRow(QStringLiteral("Formato"), m_format);
    form->addRow(QStringLiteral("Compressione"), m_compression);
    form->addRow(QStringLiteral("Percorso"), pathRow);
    layout->addStretch(1);

    auto* buttons = new QHBoxLayout();
    buttons->addStretch(1);
    auto* saveButton =
        ::ui::ActionButton(QStringLiteral("Salva"), QStringLiteral("spdSalva"), this, 90);
    auto* cancelButton =
        ::ui::ActionButton(QStringLiteral("Annulla"), QStringLiteral("spdAnnulla"), this, 90);
    buttons->addWidget(saveButton);
    buttons->addWidget(cancelButton);
    layout->addLayout(buttons);
    connect(find, &QPushButton::clicked, this, &AttachmentEditor::chooseFile);
    connect(saveButton, &QPushButton::clicked, this, &AttachmentEditor::save);
    connect(cancelButton, &QPushButton::clicked, this, &AttachmentEditor::cancel);

    auto* navigator = new ::ui::FieldNavigator(this);
    for (QWidget* w : {static_cast<QWidget*>(m_name), static_cast<QWidget*>(m_description),
                       static_cast<QWidget*>(m_format), static_cast<QWidget*>(m_compression),
                       static_cast<QWidget*>(m_path)})
        navigator->add(w);

    ::ui::guarded(context, [&] { display(attachments::load(*context.db, attachmentId)); });
    m_name->setFocus();
}

void AttachmentEditor::display(const QVariantMap& v) {
    m_name->setText(v.value(QStringLiteral("NomeAttachment")).toString());
    m_description->setText(v.value(QStringLiteral("DescrizioneAttachment")).toString());
    m_format->setText(v.value(QStringLiteral("FormatoAttachment")).toString());
    m_compression->setCurrentText(v.value(QStringLiteral("AlgoritmoCompressione")).toString());
    m_path->setText(v.value(QStringLiteral("PercorsoCompleto")).toString());
}

QVariantMap AttachmentEditor::values() const {
    return {{QStringLiteral("NomeAttachment"), m_name->text()},
            {QStringLiteral("DescrizioneAttachment"), m_description->text()},
            {QStringLiteral("FormatoAttachment"), m_format->text()},
            {QStringLiteral("AlgoritmoCompressione"), m_compression->currentText()},
            {QStringLiteral("PercorsoCompleto"), m_path->text()}};
}

void AttachmentEditor::chooseFile() {
    const QString current = m_path->text().trimmed();
    const QString path = m_context.interaction->openFile(
        QStringLiteral("Scegli il file da allegare"), QStringLiteral("Tutti i file (*)"),
        current.isEmpty() ? QString() : QFileInfo(current).absolutePath());
    if (path.isEmpty())
        return;
    QVariantMap v = values();
    attachments::fillFromFile(v, path);
    display(v);
}

bool AttachmentEditor::save() {
    if (!::ui::guardedRule(
            m_context, [&] { return attachments::save(*m_context.db, m_id, values()); },
            [&](const common::Failure& f) {
                m_context.interaction->fail(f);
                if (QWidget* w = findChild<QWidget*>(f.field))
                    w->setFocus();
            }))
        return false;
    accept();
    return true;
}

void AttachmentEditor::cancel() {
    if (m_isNew) {
        if (!m_context.interaction->confirmCancelInsertion())
            return;
        if (!::ui::guarded(m_context, [&] { attachments::remove(*m_context.db, m_id); }))
            return;
    }
    QDialog::reject();
}

// Esc and the window's close box give up as "Annulla" does.
void AttachmentEditor::reject() {
    cancel();
}

} // namespace einvoice::ui
