#include "documents/ui/InvoiceRowEditor.h"

#include "common/Interaction.h"
#include "common/Titles.h"
#include "db/Database.h"
#include "db/RegistryRecord.h"
#include "documents/DocumentOptions.h"
#include "documents/DocumentRows.h"
#include "documents/DocumentTables.h"
#include "documents/LastPrice.h"
#include "documents/RowRules.h"
#include "documents/ui/EditorProfile.h"
#include "ui/AppContext.h"
#include "ui/FieldBinder.h"
#include "ui/Guarded.h"
#include "ui/Lookups.h"
#include "ui/SearchWindow.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace documents::ui {

InvoiceRowEditor::InvoiceRowEditor(::ui::AppContext& context, DocumentKind kind, qint64 documentId,
                                   qint64 rowId, QWidget* parent)
    : RowEditor(context, kind, documentId, DocumentTables::of(kind).rows,
                QStringLiteral("ValoreTotale"), parent) {
    const EditorProfile& profile = EditorProfile::of(kind);
    setObjectName(profile.rowEditorObjectName);
    setWindowTitle(profile.rowEditorTitle);
    resize(820, 520);

    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout();
    layout->addLayout(grid);
    m_fields->place(
        grid,
        {{.field = "Codice", .label = "Codice", .width = 160, .readOnly = true},
         {.field = "TipoRiga",
          .label = "Tipo riga",
          .sameRow = true,
          .width = 40,
          .readOnly = true},
         {.field = "Descrizione", .label = "Descrizione"},
         {.field = "Um", .label = "Quantità", .width = 100},
         {.field = "ValoreUnitario", .label = "Valore Unitario", .width = 130, .decimals = 4},
         {.field = "Sconto", .label = "Sconto %", .sameRow = true, .width = 80},
         {.field = "Iva_ID", .label = "Aliquota Iva", .lookup = ::ui::lookups::vatCodes()},
         {.field = "AliquotaIva",
          .label = "Aliquota %",
          .sameRow = true,
          .width = 70,
          .readOnly = true},
         {.field = "TotaleImponibile",
          .label = "Totale Imponibile",
          .width = 130,
          .readOnly = true},
         {.field = "ValoreTotale", .label = "Valore Totale", .sameRow = true, .width = 130},
         {.field = "DataInizioPeriodo", .label = "Inizio periodo"},
         {.field = "DataFinePeriodo", .label = "Fine periodo", .sameRow = true},
         {.field = "RiferimentoAmministrazione", .label = "Riferimento amministrazione"},
         {.field = "ContabilitaConti_ID", .label = "Conto", .lookup = ::ui::lookups::accounts()},
         {.field = "Reparto", .label = "Reparto"},
         {.field = "Note", .label = "Note"}},
        this);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    // Long texts use the whole width.
    for (const char* wide :
         {"Descrizione", "RiferimentoAmministrazione", "ContabilitaConti_ID", "Reparto", "Note"}) {
        QWidget* e = m_fields->editor(QString::fromLatin1(wide));
        int r = 0, c = 0, rs = 0, cs = 0;
        grid->getItemPosition(grid->indexOf(e), &r, &c, &rs, &cs);
        grid->removeWidget(e);
        grid->addWidget(e, r, c, 1, 3);
    }
    ::ui::SearchWindow::attach(context, *m_fields, grid, QStringLiteral("ContabilitaConti_ID"),
                               ::ui::lookups::accountSearch, this);

    auto* fromTotal = new QPushButton(QStringLiteral("Calcola Valore Unitario"), this);
    fromTotal->setObjectName(QStringLiteral("btnCalcolaValoreUnitario"));
    fromTotal->setToolTip(QStringLiteral("Ricava il valore unitario dal valore totale"));
    fromTotal->setAutoDefault(false);
    auto* hint = new QLabel(
        QStringLiteral("F12 sul valore unitario: ultimo prezzo praticato al cliente"), this);
    auto* extra = new QHBoxLayout();
    extra->addWidget(hint);
    extra->addStretch(1);
    extra->addWidget(fromTotal);
    layout->addLayout(extra);
    layout->addStretch(1);

    addButtons(layout);

    m_fields->editor(QStringLiteral("ValoreUnitario"))->installEventFilter(this);
    connect(fromTotal, &QPushButton::clicked, this, &InvoiceRowEditor::unitPriceFromTotal);
    showRow(DocumentRows::load(*context.db, kind, rowId));
    if (QWidget* d = m_fields->editor(QStringLiteral("Descrizione")))
        d->setFocus();
}

bool InvoiceRowEditor::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F12 &&
        watched == m_fields->editor(QStringLiteral("ValoreUnitario"))) {
        lastPrice();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void InvoiceRowEditor::computeAmounts(QVariantMap& row) const {
    RowRules::computeAmounts(row);
}

void InvoiceRowEditor::lastPrice() {
    const qint64 customer =
        m_context.db
            ->scalar(QStringLiteral("select Cliente_ID from fattura where Id = ?"), {m_documentId})
            .toLongLong();
    const qint64 article = db::RecordKey(m_record, QStringLiteral("Articolo_ID"));
    const auto found = LastPrice::find(*m_context.db, customer, m_documentId, article);
    m_context.interaction->information(common::titles::warning,
                                       found ? found->message() : LastPrice::noneMessage());
}

void InvoiceRowEditor::unitPriceFromTotal() {
    QVariantMap row = m_record;
    if (auto f = m_fields->read(row)) {
        ::ui::showFailure(*m_context.interaction, *f);
        return;
    }
    double price = 0;
    if (auto f = RowRules::unitPriceFromTotal(row, DocumentOptions::load(*m_context.db), &price)) {
        m_fields->showRefusal(*m_context.interaction, *f);
        return;
    }
    m_fields->showValue(QStringLiteral("ValoreUnitario"), price);
    m_modified = true;
    showAmounts();
}

std::optional<common::Failure> InvoiceRowEditor::writeRow(QVariantMap& row) {
    return DocumentRows::save(*m_context.db, m_kind, m_documentId, row);
}

} // namespace documents::ui
