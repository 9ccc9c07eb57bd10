#include "purchases/ui/SupplierRowEditor.h"

#include "common/Interaction.h"
#include "db/Database.h"
#include "db/RegistryRecord.h"
#include "documents/ui/Pickers.h"
#include "purchases/SupplierOptions.h"
#include "purchases/SupplierRows.h"
#include "purchases/SupplierTables.h"
#include "ui/AppContext.h"
#include "ui/FieldBinder.h"
#include "ui/FieldNavigator.h"
#include "ui/Guarded.h"
#include "ui/HelpWindow.h"
#include "ui/Lookups.h"
#include "ui/SearchWindow.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace purchases::ui {

namespace {

QPushButton* Button(const QString& caption, const QString& name, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

} // namespace

SupplierRowEditor::SupplierRowEditor(::ui::AppContext& context, DocumentKind kind,
                                     qint64 documentId, qint64 rowId, QWidget* parent)
    : QDialog(parent), m_context(context), m_kind(kind), m_documentId(documentId) {
    const SupplierTables& t = SupplierTables::of(kind);
    setObjectName(t.creditNote ? QStringLiteral("frmModificaRigheNotaCreditoCarico")
                               : QStringLiteral("frmModificaRigheCarico"));
    setWindowTitle(t.creditNote ? QStringLiteral("Modifica righe note di credito in Carico")
                                : QStringLiteral("Modifica righe fatture in Carico"));
    setModal(true);
    resize(820, 480);

    auto* layout = new QVBoxLayout(this);
    m_navigator = new ::ui::FieldNavigator(this);
    m_fields = new ::ui::FieldBinder(*context.db, t.rows, m_navigator, this);
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
    QPushButton* article = Button(QStringLiteral("Articolo"), QStringLiteral("btnArticolo"), this);
    article->setToolTip(QStringLiteral("Sceglie l'articolo dal listino"));
    QPushButton* fromGross = Button(QStringLiteral("+"), QStringLiteral("btnCalcolaDaIvato"), this);
    fromGross->setToolTip(QStringLiteral("Calcola il Valore Unitario e l'Imponibile"));
    QPushButton* fromNet =
        Button(QStringLiteral("+"), QStringLiteral("btnCalcolaDaImponibile"), this);
    fromNet->setToolTip(QStringLiteral("Calcola il Valore Unitario"));
    tools->addWidget(article);
    tools->addStretch(1);
    tools->addWidget(fromNet);
    tools->addWidget(fromGross);
    layout->addLayout(tools);
    layout->addStretch(1);

    auto* buttons = new QHBoxLayout();
    buttons->addStretch(1);
    m_save = Button(QStringLiteral("Salva"), QStringLiteral("spdSalva"), this);
    QPushButton* back = Button(QStringLiteral("Indietro"), QStringLiteral("spdIndietro"), this);
    QPushButton* cancel = Button(QStringLiteral("Annulla"), QStringLiteral("spdAnnulla"), this);
    QPushButton* help = Button(QStringLiteral("Aiuto"), QStringLiteral("spdAiuto"), this);
    for (QPushButton* b : {m_save, cancel, back, help})
        buttons->addWidget(b);
    layout->addLayout(buttons);

    connect(article, &QPushButton::clicked, this, &SupplierRowEditor::chooseArticle);
    connect(fromGross, &QPushButton::clicked, this, &SupplierRowEditor::unitFromGross);
    connect(fromNet, &QPushButton::clicked, this, &SupplierRowEditor::unitFromTaxable);
    connect(m_fields, &::ui::FieldBinder::chosen, this, [this](const QString& field) {
        if (field.compare(QLatin1String("Iva_ID"), Qt::CaseInsensitive) == 0)
            vatChosen();
    });
    connect(m_fields, &::ui::FieldBinder::left, this, [this](const QString& field) {
        if (field == QLatin1String("Um") || field == QLatin1String("ValoreUnitario") ||
            field.startsWith(QLatin1String("Sconto")))
            showAmounts();
    });
    connect(m_fields, &::ui::FieldBinder::edited, this, [this] { m_modified = true; });
    connect(m_save, &QPushButton::clicked, this, [this] {
        if (save())
            accept();
    });
    connect(back, &QPushButton::clicked, this, &SupplierRowEditor::reject);
    connect(cancel, &QPushButton::clicked, this, [this] {
        m_modified = false;
        QDialog::reject();
    });
    connect(help, &QPushButton::clicked, this, [this] { ::ui::HelpWindow::showFor(this); });

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

void SupplierRowEditor::vatChosen() {
    const QString vatField = SupplierTables::of(m_kind).vatId;
    const qint64 vat = m_fields->value(vatField).toLongLong();
    const QVariant rate =
        vat > 0 ? m_context.db->scalar(QStringLiteral("select Iva from Iva where ID = ?"), {vat})
                : QVariant();
    m_fields->showValue(QStringLiteral("AliquotaIva"), rate);
    m_record[QStringLiteral("AliquotaIva")] = rate;
    showAmounts();
}

void SupplierRowEditor::showAmounts() {
    QVariantMap row = m_record;
    if (m_fields->read(row))
        return;
    SupplierRows::applyAmounts(row);
    m_fields->showValue(QStringLiteral("TotaleImponibile"),
                        db::recordValue(row, QStringLiteral("TotaleImponibile")));
    m_fields->showValue(QStringLiteral("PrezzoCompleto"),
                        db::recordValue(row, QStringLiteral("PrezzoCompleto")));
}

void SupplierRowEditor::chooseArticle() {
    const qint64 article = documents::ui::ArticlePicker::pick(m_context, this);
    if (article == 0)
        return;
    QVariantMap row = m_record;
    if (!readInto(row))
        return;
    ::ui::guarded(m_context, [&] { SupplierRows::chooseArticle(*m_context.db, row, article); });
    m_record = row;
    m_fields->show(m_record);
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
    m_record = row;
    m_fields->show(m_record);
    m_modified = true;
}

void SupplierRowEditor::unitFromTaxable() {
    QVariantMap row = m_record;
    if (!readInto(row))
        return;
    SupplierRows::unitFromTaxable(row);
    m_record = row;
    m_fields->show(m_record);
    m_modified = true;
}

void SupplierRowEditor::reject() {
    if (m_modified && !save())
        return;
    QDialog::accept();
}

bool SupplierRowEditor::save() {
    QVariantMap row = m_record;
    std::optional<common::Failure> failure = m_fields->read(row);
    if (!::ui::guarded(m_context, [&] {
            if (!failure)
                failure = SupplierRows::save(*m_context.db, m_kind, m_documentId, row);
        }))
        return false;
    if (failure) {
        ::ui::showFailure(*m_context.interaction, *failure);
        if (QWidget* e = m_fields->editor(failure->field))
            e->setFocus();
        return false;
    }
    m_record = row;
    m_fields->show(m_record);
    m_modified = false;
    return true;
}

} // namespace purchases::ui
