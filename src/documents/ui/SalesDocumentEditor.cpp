#include "documents/ui/SalesDocumentEditor.h"

#include "common/Interaction.h"
#include "common/Titles.h"
#include "db/RegistryRecord.h"
#include "documents/DocumentLog.h"
#include "documents/DocumentTables.h"
#include "documents/SalesDocuments.h"
#include "documents/ui/SalesProfile.h"
#include "printing/DocumentExport.h"
#include "printing/ui/DocumentActions.h"
#include "ui/AppContext.h"
#include "ui/Guarded.h"

#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace documents::ui {

SalesDocumentEditor::SalesDocumentEditor(::ui::AppContext& context, DocumentKind kind,
                                         qint64 documentId, bool isNew, QWidget* parent)
    : DocumentEditor(context, kind, documentId, isNew, parent), m_sales(SalesProfile::of(kind)) {
    if (m_sales.halfPrintCode != 0)
        connect(addTool(QStringLiteral("St. Metà"), QStringLiteral("spdStampaMeta")),
                &QPushButton::clicked, this, &SalesDocumentEditor::printHalf);
    if (m_sales.exportKind)
        connect(addTool(QStringLiteral("Esporta ed invia"), QStringLiteral("spdEsportaInvia")),
                &QPushButton::clicked, this, &SalesDocumentEditor::exportAndSend);

    auto* header = new QWidget(this);
    QVBoxLayout* v = placeHeader(header);
    placeTotals(v, header);
    v->addStretch(1);
    m_pages->addTab(header, QStringLiteral("Testata"));
    m_rows = addRowsPage();
    showLoaded();
}

QVariantMap SalesDocumentEditor::loadHeader() {
    return SalesDocuments::load(*m_context.db, m_kind, m_id);
}

std::optional<common::Failure> SalesDocumentEditor::writeHeader(QVariantMap& header) {
    return SalesDocuments::save(*m_context.db, m_kind, header, m_context.history);
}

void SalesDocumentEditor::removeDocument() {
    // The rows go with it, their stock given back.
    SalesDocuments::remove(*m_context.db, m_kind, m_id);
}

void SalesDocumentEditor::applyCustomer(QVariantMap& header, qint64 customer) {
    SalesDocuments::applyCustomer(*m_context.db, m_kind, header, customer);
}

void SalesDocumentEditor::headerSaved(const QVariantMap& header) {
    DocumentEditor::headerSaved(header);
    // Goods handed over without stock still go: the user is told which.
    if (!DocumentTables::of(m_kind).movesStock)
        return;
    QStringList below;
    ::ui::guarded(m_context,
                  [&] { below = SalesDocuments::articlesBelowZero(*m_context.db, m_kind, m_id); });
    if (!below.isEmpty())
        m_context.interaction->warning(common::titles::warning,
                                       SalesDocuments::belowZeroWarning(below));
}

void SalesDocumentEditor::fieldEdited(const QString& field) {
    if (field == QLatin1String("SerieFatturazione"))
        m_dateOrderPending = true;
}

void SalesDocumentEditor::fieldLeft(const QString& field) {
    if (!m_sales.dateOrderCheck || !m_dateOrderPending ||
        field != QLatin1String("SerieFatturazione"))
        return;
    m_dateOrderPending = false;
    const QVariantMap r = record();
    ::ui::guarded(m_context, [&] {
        if (const auto w = SalesDocuments::dateOrderWarning(
                *m_context.db, db::recordValue(r, QStringLiteral("Numero")),
                db::recordDate(r, QStringLiteral("Data")),
                db::recordText(r, QStringLiteral("SerieFatturazione"))))
            m_context.interaction->warning(
                QStringLiteral("Attenzione si sta registrando un documento in modo errato"), *w);
    });
}

void SalesDocumentEditor::printHalf() {
    printCode(m_sales.halfPrintCode);
}

void SalesDocumentEditor::exportAndSend() {
    if (!m_sales.exportKind || !post())
        return;
    ::ui::guarded(m_context, [&] {
        QStringList sent;
        printing::ui::exportAndSend(m_context, printing::ExportKind(*m_sales.exportKind), m_id,
                                    this, &sent);
        if (!sent.isEmpty())
            DocumentLog::recordSalesDocument(*m_context.db, DocumentLog::Event::Sent, m_kind, m_id,
                                             sent.join(QStringLiteral(", ")));
    });
}

} // namespace documents::ui
