#include "documents/ui/DocumentRowsPanel.h"

#include "common/Interaction.h"
#include "common/Titles.h"
#include "documents/DocumentRows.h"
#include "documents/DocumentTables.h"
#include "documents/ui/InvoiceRowEditor.h"
#include "documents/ui/Pickers.h"
#include "ui/ActionButton.h"
#include "ui/AppContext.h"
#include "ui/DataGrid.h"
#include "ui/FieldBinder.h"
#include "ui/Guarded.h"
#include "ui/RecordModel.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

namespace documents::ui {

DocumentRowsPanel::DocumentRowsPanel(::ui::AppContext& context, const Setup& setup, QWidget* parent)
    : QWidget(parent), m_context(context), m_setup(setup) {
    auto* v = new QVBoxLayout(this);
    auto* top = new QHBoxLayout();
    auto* codeLabel = new QLabel(QStringLiteral("Codice articolo:"), this);
    m_code = new QLineEdit(this);
    m_code->setObjectName(QStringLiteral("txtCodice"));
    m_code->setPlaceholderText(QStringLiteral("Codice + Invio"));
    m_code->setMaximumWidth(200);
    codeLabel->setBuddy(m_code);
    top->addWidget(codeLabel);
    top->addWidget(m_code);
    const auto action = [&](const char* caption, const char* name) {
        QPushButton* b =
            ::ui::ActionButton(QString::fromUtf8(caption), QString::fromLatin1(name), this);
        top->addWidget(b);
        return b;
    };
    connect(action("Aggiungi", "btnAggiungiRiga"), &QPushButton::clicked, this,
            &DocumentRowsPanel::addArticle);
    if (setup.costRows) {
        connect(action("Spese di Trasporto", "btnSpeseTrasporto"), &QPushButton::clicked, this,
                &DocumentRowsPanel::addTransportCost);
        connect(action("Spese di Incasso", "btnSpeseIncasso"), &QPushButton::clicked, this,
                &DocumentRowsPanel::addCollectionCost);
    }
    connect(action("Articolo non in archivio", "btnArticoloNonInArchivio"), &QPushButton::clicked,
            this, &DocumentRowsPanel::addFreeRow);
    connect(action("Modifica", "btnModificaRiga"), &QPushButton::clicked, this,
            &DocumentRowsPanel::editRow);
    connect(action("Elimina", "btnEliminaRiga"), &QPushButton::clicked, this,
            &DocumentRowsPanel::removeRow);
    top->addStretch(1);
    v->addLayout(top);

    const DocumentTables& t = DocumentTables::of(setup.kind);
    m_grid = new ::ui::DataGrid(context, setup.gridName, this);
    m_grid->setObjectName(QStringLiteral("DBGrid2"));
    m_grid->setTable(t.rows);
    m_grid->setKeyColumn(t.rowKey);
    m_grid->setDefaultColumns(setup.columns);
    v->addWidget(m_grid, 1);
    if (setup.insertionOrderMenu) {
        auto* order = new QAction(QStringLiteral("Ordina per inserimento"), m_grid);
        order->setObjectName(QStringLiteral("mnuOrdinaPerInserimento"));
        m_grid->layoutMenu()->addSeparator();
        m_grid->layoutMenu()->addAction(order);
        connect(order, &QAction::triggered, this, &DocumentRowsPanel::toggleInsertionOrder);
    }
    connect(m_code, &QLineEdit::returnPressed, this, &DocumentRowsPanel::addRowByCode);
    connect(m_grid, &::ui::DataGrid::rowChosen, this, [this](qint64 key) { editRowAt(key); });
    refresh();
}

QPushButton* DocumentRowsPanel::button(const QString& objectName) const {
    return findChild<QPushButton*>(objectName);
}

void DocumentRowsPanel::refresh() {
    const DocumentTables& t = DocumentTables::of(m_setup.kind);
    const QString order =
        m_insertionOrder
            ? t.rowKey + (m_insertionDescending ? QStringLiteral(" DESC") : QStringLiteral(" ASC"))
            : QStringLiteral("NumeroRiga, ") + t.rowKey;
    const qint64 current = m_grid->currentKey();
    if (!::ui::guarded(m_context, [&] {
            m_grid->setResult(
                m_context.db->query(QStringLiteral("select * from %1 where %2 = ? order by %3")
                                        .arg(t.rows, t.parent, order),
                                    {m_setup.documentId}));
        }))
        return;
    if (current != 0)
        m_grid->selectKey(current);
}

void DocumentRowsPanel::toggleInsertionOrder() {
    m_insertionDescending = m_insertionOrder ? !m_insertionDescending : false;
    m_insertionOrder = true;
    m_grid->records()->setSort(QString());
    refresh();
}

void DocumentRowsPanel::afterChange(qint64 selectRow) {
    refresh();
    if (selectRow != 0)
        m_grid->selectKey(selectRow);
    emit changed();
}

void DocumentRowsPanel::addRowByCode() {
    const QString code = m_code->text().trimmed();
    if (code.isEmpty() || !mayChange())
        return;
    qint64 row = 0;
    if (!::ui::guardedRule(
            m_context,
            [&] {
                return DocumentRows::addByCode(*m_context.db, m_setup.kind, m_setup.documentId,
                                               code, &row);
            },
            [&](const common::Failure& f) {
                ::ui::showFailure(*m_context.interaction, f);
                m_code->selectAll();
            }))
        return;
    m_code->clear();
    afterChange(row);
}

void DocumentRowsPanel::addArticle() {
    if (!mayChange())
        return;
    const qint64 article = ArticlePicker::pick(m_context, this);
    if (article == 0)
        return;
    qint64 row = 0;
    if (!::ui::guarded(m_context, [&] {
            row =
                DocumentRows::addArticle(*m_context.db, m_setup.kind, m_setup.documentId, article);
        }))
        return;
    afterChange(row);
}

void DocumentRowsPanel::addFreeRow() {
    if (!mayChange())
        return;
    qint64 row = 0;
    if (!::ui::guarded(m_context, [&] {
            row = DocumentRows::addFreeRow(*m_context.db, m_setup.kind, m_setup.documentId);
        }))
        return;
    afterChange(row);
    editRowAt(row);
}

void DocumentRowsPanel::addTransportCost() {
    qint64 row = 0;
    if (mayChange() && ::ui::guarded(m_context, [&] {
            row = DocumentRows::addCostRow(*m_context.db, m_setup.kind, m_setup.documentId,
                                           DocumentRows::Cost::Transport);
        }))
        afterChange(row);
}

void DocumentRowsPanel::addCollectionCost() {
    qint64 row = 0;
    if (mayChange() && ::ui::guarded(m_context, [&] {
            row = DocumentRows::addCostRow(*m_context.db, m_setup.kind, m_setup.documentId,
                                           DocumentRows::Cost::Collection);
        }))
        afterChange(row);
}

void DocumentRowsPanel::editRow() {
    editRowAt(m_grid->currentKey());
}

void DocumentRowsPanel::editRowAt(qint64 rowId) {
    if (rowId == 0 || !mayChange())
        return;
    {
        InvoiceRowEditor editor(m_context, m_setup.kind, m_setup.documentId, rowId, this);
        editor.exec();
    }
    afterChange(rowId);
}

void DocumentRowsPanel::removeRow() {
    const qint64 row = m_grid->currentKey();
    if (row == 0 || !mayChange())
        return;
    if (!m_context.interaction->question(common::titles::warning,
                                         DocumentRows::removeQuestion(m_setup.kind)))
        return;
    if (!::ui::guarded(m_context, [&] { DocumentRows::remove(*m_context.db, m_setup.kind, row); }))
        return;
    afterChange(0);
}

} // namespace documents::ui
