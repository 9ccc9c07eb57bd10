#include "purchases/ui/SupplierRowEditor.h"

#include "common/Interaction.h"
#include "db/Database.h"
#include "db/RegistryRecord.h"
#include "documents/ui/Pickers.h"
#include "purchases/SupplierOptions.h"
#include "purchases/SupplierRows.h"
#include "purchases/SupplierTables.h"
#include "ui/ActionButton.h"
#include "ui/AppContext.h"
#include "ui/FieldBinder.h"
#include "ui/Guarded.h"
#include "ui/Lookups.h"
#include "ui/SearchWindow.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace purchases::ui {

SupplierRowEditor::SupplierRowEditor(::ui::AppContext& context, DocumentKind kind,
                                     qint64 documentId, qint64 rowId, QWidget* parent)
    : RowEditor(context, kind, documentId, SupplierTables::of(kind).rows,
                QStringLiteral("PrezzoCompleto"), parent) {
    const SupplierTables& t = SupplierTables::of(kind);
    setObjectName(t.creditNote ? QStringLiteral("frmModificaRigheNotaCreditoCarico")
                               : QStringLiteral("frmModificaRigheCarico"));
    setWindowTitle(t.creditNote ? QStringLiteral("Modifica righe note di credito in Carico")
                                : QStringLiteral("Modifica righe fatture in Carico"));
    resize(820, 480);

    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout();
    layout->addLayout(grid);
    QList<::ui::CardField> fields{
        {.field = "Codice", .label = "Codice", .width = 160},
        {.field = "TipoRiga", .label = "Tipo riga", .sameRow = true, .width = 40, .readOnly = true},
        {.field = "Descrizione", .label = "Descrizione"},
        {.field = "Um", .label = "Quantità", .width = 100},
        {.field = "ValoreUnitario",
         .label = "Valore Unitario",
         .sameRow = true,
         .width = 130,
         .decimals = 4},
        {.field = "Sconto", .label = "Sconto 1 %", .width = 70},
        {.field = "Sconto2", .label = "Sconto 2 %", .sameRow = true, .width = 70},
        {.field = "Sconto3", .label = "Sconto 3 %", .width = 70},
        {.field = "Sconto4", .label = "Sconto 4 %", .sameRow = true, .width = 70},
        {.field = t.vatId, .label = "Aliquota Iva", .lookup = ::ui::lookups::vatCodes()},
        {.field = "AliquotaIva",
         .label = "Aliquota %",
         .sameRow = true,
         .width = 70,
         .readOnly = true},
        {.field = "TotaleImponibile", .label = "Totale Imponibile", .width = 130},
        {.field = "PrezzoCompleto", .label = "Valore Totale", .sameRow = true, .width = 130},
        {.field = "ContabilitaConti_ID", .label = "Conto", .lookup = ::ui::lookups::accounts()},
        {.field = "Reparto", .label = "Reparto", .lookup = ::ui::lookups::departments()}};
    if (!t.creditNote)
        fields.append(::ui::CardField{.field = "Omaggio", .label = "Omaggio"});
    m_fields->place(grid, fields, this);
    ::ui::SearchWindow::attach(context, *m_fields, grid, QStringLiteral("ContabilitaConti_ID"),
                               ::ui::lookups::accountSearch, this);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    auto* tools = new QHBoxLayout();
    QPushButton* article =
        ::ui::ActionButton(QStringLiteral("Articolo"), QStringLiteral("btnArticolo"), this);
    article->setToolTip(QStringLiteral("Sceglie l'articolo dal listino"));
    QPushButton* fromGross =
        ::ui::ActionButton(QStringLiteral("+"), QStringLiteral("btnCalcolaDaIvato"), this);
    fromGross->setToolTip(QStringLiteral("Calcola il Valore Unitario e l'Imponibile"));
    QPushButton* fromNet =
        ::ui::ActionButton(QStringLiteral("+"), QStringLiteral("btnCalcolaDaImponibile"), this);
    fromNet->setToolTip(QStringLiteral("Calcola il Valore Unitario"));
    tools->addWidget(article);
    tools->addStretch(1);
    tools->addWidget(fromNet);
    tools->addWidget(fromGross);
    layout->addLayout(tools);
    layout->addStretch(1);

    addButtons(layout);

    connect(article, &QPushButton::clicked, this, &SupplierRowEditor::chooseArticle);
    connect(fromGross, &QPushButton::clicked, this, &SupplierRowEditor::unitFromGross);
    connect(fromNet, &QPushButton::clicked, this, &SupplierRowEditor::unitFromTaxable);

    ::ui::guarded(m_context, [&] {
        m_record = rowId > 0 ? SupplierRows::load(*context.db, kind, rowId)
                             : SupplierRows::newRow(*context.db, kind, documentId);
    });
    m_modified = rowId == 0;
    m_fields->show(m_record);
    if (QWidget* d = m_fields->editor(QStringLiteral("Descrizione")))
        d->setFocus();
}

bool SupplierRowEditor::readInto(QVariantMap& row) {
    if (auto f = m_fields->read(row)) {
        ::ui::showFailure(*m_context.interaction, *f);
        return false;
    }
    return true;
}

void SupplierRowEditor::computeAmounts(QVariantMap& row) const {
    SupplierRows::applyAmounts(row);
}

void SupplierRowEditor::chooseArticle() {
    const qint64 article = documents::ui::ArticlePicker::pick(m_context, this);
    if (article == 0)
        return;
    QVariantMap row = m_record;
    if (!readInto(row))
        return;
    ::ui::guarded(m_context, [&] { SupplierRows::chooseArticle(*m_context.db, row, article); });
    showRow(row);
    m_modified = true;
}

void SupplierRowEditor::unitFromGross() {
    QVariantMap row = m_record;
    if (!readInto(row))
        return;
    std::optional<common::Failure> f;
    ::ui::guarded(m_context, [&] {
        f = SupplierRows::unitFromGross(row, SupplierOptions::load(*m_context.db).defaultVatRate);
    });
    if (f) {
        ::ui::showFailure(*m_context.interaction, *f);
        return;
    }
    showRow(row);
    m_modified = true;
}

void SupplierRowEditor::unitFromTaxable() {
    QVariantMap row = m_record;
    if (!readInto(row))
        return;
    SupplierRows::unitFromTaxable(row);
    showRow(row);
    m_modified = true;
}

std::optional<common::Failure> SupplierRowEditor::writeRow(QVariantMap& row) {
    return SupplierRows::save(*m_context.db, m_kind, m_documentId, row);
}

} // namespace purchases::ui
