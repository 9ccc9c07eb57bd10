#include "documents/ui/HeaderEditor.h"

#include "ui/AppContext.h"
#include "ui/FieldBinder.h"
#include "ui/FieldNavigator.h"
#include "ui/Guarded.h"

#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>

namespace documents::ui {

HeaderEditor::HeaderEditor(::ui::AppContext& context, DocumentKind kind, const QString& headerTable,
                           qint64 documentId, bool isNew, QWidget* parent)
    : QDialog(parent), m_context(context), m_kind(kind), m_id(documentId), m_isNew(isNew) {
    setModal(true);
    m_navigator = new ::ui::FieldNavigator(this);
    m_fields = new ::ui::FieldBinder(*context.db, headerTable, m_navigator, this);
    connect(m_fields, &::ui::FieldBinder::edited, this, [this](const QString& field) {
        m_modified = true;
        fieldEdited(field);
    });
    connect(m_fields, &::ui::FieldBinder::chosen, this,
            [this](const QString& field) { fieldChosen(field); });
    connect(m_fields, &::ui::FieldBinder::left, this,
            [this](const QString& field) { fieldLeft(field); });
}

QPushButton* HeaderEditor::button(const QString& objectName) const {
    return findChild<QPushButton*>(objectName);
}

QVariantMap HeaderEditor::record() const {
    QVariantMap r = m_header;
    m_fields->read(r);
    return r;
}

void HeaderEditor::showHeader(const QVariantMap& header) {
    m_header = header;
    m_fields->show(m_header);
}

bool HeaderEditor::applyToHeader(const std::function<void(QVariantMap&)>& rule) {
    QVariantMap header = record();
    if (!::ui::guarded(m_context, [&] { rule(header); }))
        return false;
    showHeader(header);
    return true;
}

bool HeaderEditor::save() {
    QVariantMap header = m_header;
    std::optional<common::Failure> failure = m_fields->read(header);
    if (!::ui::guarded(m_context, [&] {
            if (!failure)
                failure = writeHeader(header);
        }))
        return false;
    if (failure) {
        m_validationFailed = true;
        ::ui::showFailure(*m_context.interaction, *failure);
        showFailedField(*failure);
        return false;
    }
    m_validationFailed = false;
    headerSaved(header);
    if (m_status)
        m_status->showMessage(QStringLiteral("Salvato"), 3000);
    return true;
}

void HeaderEditor::headerSaved(const QVariantMap& header) {
    showHeader(header);
    m_modified = false;
}

void HeaderEditor::showFailedField(const common::Failure& failure) {
    QWidget* e = m_fields->editor(failure.field);
    if (!e)
        return;
    for (int i = 0; i < m_pages->count(); ++i)
        if (m_pages->widget(i)->isAncestorOf(e))
            m_pages->setCurrentIndex(i);
    e->setFocus();
}

bool HeaderEditor::post() {
    return !m_modified || save();
}

void HeaderEditor::cancelEdit() {
    if (!m_context.interaction->confirmCancelInsertion())
        return;
    // A new document goes with everything it wrote meanwhile.
    if (m_isNew && !::ui::guarded(m_context, [&] { removeDocument(); }))
        return;
    m_modified = false;
    QDialog::reject();
}

void HeaderEditor::goBack() {
    if (m_modified && !save())
        return;
    if (m_validationFailed && m_leaveOnlyWhenValid)
        return;
    accept();
}

void HeaderEditor::reject() {
    goBack();
}

} // namespace documents::ui
