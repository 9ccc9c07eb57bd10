#include "purchases/ui/SupplierEditor.h"

#include "common/Interaction.h"
#include "common/Titles.h"
#include "db/Database.h"
#include "db/RegistryRecord.h"
#include "documents/ui/CreditedInvoiceBox.h"
#include "purchases/ScannedDocument.h"
#include "purchases/SupplierDeletion.h"
#include "purchases/SupplierDocuments.h"
#include "purchases/SupplierNumbering.h"
#include "purchases/SupplierOptions.h"
#include "ui/ActionButton.h"
#include "ui/AppContext.h"
#include "ui/FieldBinder.h"
#include "ui/Guarded.h"
#include "ui/HelpWindow.h"
#include "ui/Lookups.h"

#include <QDesktopServices>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QUrl>
#include <QVBoxLayout>

namespace purchases::ui {

namespace {

bool isNote(DocumentKind kind) {
    return kind == DocumentKind::SupplierCreditNote;
}

} // namespace

SupplierEditor::SupplierEditor(::ui::AppContext& context, DocumentKind kind, qint64 documentId,
                               bool isNew, QWidget* parent)
    : HeaderEditor(context, kind, QStringLiteral("fattura"), documentId, isNew, parent) {
    setObjectName(isNote(kind) ? QStringLiteral("frmNoteCreditoCarico")
                               : QStringLiteral("frmFattureCarico"));
    setWindowTitle(isNote(kind) ? QStringLiteral("Note di Credito Fornitori")
                                : QStringLiteral("Fatture di Acquisto"));
    resize(1000, 660);
    auto* layout = new QVBoxLayout(this);
    m_pages = new QTabWidget(this);
    m_pages->addTab(buildHeaderPage(), QStringLiteral("Testata"));
    m_pages->addTab(buildRowsPage(), QStringLiteral("Righe"));
    m_pages->addTab(buildInstalmentsPage(), QStringLiteral("Scadenze"));
    m_pages->addTab(buildAttachmentsPage(), QStringLiteral("Allegati"));
    layout->addWidget(m_pages);

    auto* buttons = new QHBoxLayout();
    buttons->addStretch(1);
    const auto add = [&](const QString& caption, const QString& name) {
        QPushButton* b = ::ui::ActionButton(caption, name, this);
        buttons->addWidget(b);
        return b;
    };
    connect(add(QStringLiteral("Salva"), QStringLiteral("spdSalva")), &QPushButton::clicked, this,
            [this] {
                if (save())
                    accept();
            });
    connect(add(QStringLiteral("Annulla"), QStringLiteral("spdAnnulla")), &QPushButton::clicked,
            this, &SupplierEditor::cancelEdit);
    connect(add(QStringLiteral("Indietro"), QStringLiteral("spdIndietro")), &QPushButton::clicked,
            this, &SupplierEditor::goBack);
    connect(add(QStringLiteral("Aiuto"), QStringLiteral("spdAiuto")), &QPushButton::clicked, this,
            [this] { ::ui::HelpWindow::showFor(this); });
    layout->addLayout(buttons);

    ::ui::guarded(m_context, [&] { m_header = loadHeader(); });
    showHeader(m_header);
    refreshRows();
    refreshInstalments();
    refreshAttachments();
    if (QWidget* n = m_fields->editor(QStringLiteral("NumeroCarico")))
        n->setFocus();
}

QWidget* SupplierEditor::buildHeaderPage() {
    auto* page = new QWidget(this);
    auto* v = new QVBoxLayout(page);
    auto* grid = new QGridLayout();
    v->addLayout(grid);
    m_fields->place(
        grid,
        {{.field = "ProgressivoCarico", .label = "Progressivo", .width = 90},
         {.field = "DataRegistrazione", .label = "Data Registrazione", .sameRow = true},
         {.field = "NumeroCarico",
          .label = isNote(m_kind) ? "N° Nota di Credito" : "N° Fattura",
          .width = 140},
         {.field = "Data", .label = "Data", .sameRow = true},
         {.field = "Fornitore_ID", .label = "Fornitore", .lookup = ::ui::lookups::suppliers()},
         {.field = "ModPagamento_Id",
          .label = "Modalità di pagamento",
          .lookup = ::ui::lookups::paymentTerms()},
         {.field = "Banca_ID", .label = "Banca", .lookup = ::ui::lookups::banks()},
         {.field = "RitenutaAcconto", .label = "Ritenuta d'acconto", .width = 110},
         {.field = "ImportoMarcaBollo",
          .label = "Importo marca da bollo",
          .sameRow = true,
          .width = 90},
         {.field = "IdMarcaBollo", .label = "N° marca da bollo", .width = 160},
         {.field = "MarcaBolloVirtuale", .label = "Virtuale", .sameRow = true},
         {.field = "ImportatoXml", .label = "importato da xml", .readOnly = true},
         {.field = "Note", .label = "Note"}},
        page);
    grid->setColumnStretch(3, 1);

    QPushButton* check = ::ui::ActionButton(QStringLiteral("Controlla fattura"),
                                            QStringLiteral("controlloFattura"), page);
    grid->addWidget(check, 1, 4);
    connect(check, &QPushButton::clicked, this, &SupplierEditor::checkInvoice);
    QPushButton* view =
        ::ui::ActionButton(QStringLiteral("Visualizza"), QStringLiteral("btnVisualizza"), page);
    view->setToolTip(
        QStringLiteral("Mostra la fattura elettronica come l'ha inviata il fornitore"));
    grid->addWidget(view, 2, 4);
    connect(view, &QPushButton::clicked, this, &SupplierEditor::viewReceived);

    if (isNote(m_kind)) {
        const documents::ui::CreditedInvoiceBox reference =
            documents::ui::CreditedInvoiceBox::place(
                *m_fields,
                {{.field = "NCFattNumRifCarico", .label = "Numero", .width = 120, .readOnly = true},
                 {.field = "NCFattDataRif", .label = "Data", .sameRow = true, .readOnly = true}},
                page);
        connect(reference.find, &QPushButton::clicked, this, &SupplierEditor::findInvoice);
        connect(reference.import, &QPushButton::clicked, this, &SupplierEditor::importRows);
        v->addWidget(reference.box);
    }

    auto* image = new QGroupBox(QStringLiteral("Documento acquisito"), page);
    auto* ig = new QGridLayout(image);
    m_fields->place(ig, {{.field = "Immagine", .label = "Immagine"}}, image);
    int column = 2;
    for (const auto& [caption, name, slot] :
         {std::tuple{QStringLiteral("Trova"), QStringLiteral("btnTrova"),
                     &SupplierEditor::findImage},
          std::tuple{QStringLiteral("Scanner"), QStringLiteral("btnScanner"),
                     &SupplierEditor::scanImage},
          std::tuple{QStringLiteral("Vedi"), QStringLiteral("btnVedi"),
                     &SupplierEditor::viewImage}}) {
        QPushButton* b = ::ui::ActionButton(caption, name, image);
        ig->addWidget(b, 0, column++);
        connect(b, &QPushButton::clicked, this, slot);
    }
    ig->setColumnStretch(1, 1);
    v->addWidget(image);

    auto* totals = new QGroupBox(QStringLiteral("Totali"), page);
    auto* tg = new QGridLayout(totals);
    m_fields->place(
        tg,
        {{.field = "TotImponibile", .label = "Imponibile", .width = 110, .readOnly = true},
         {.field = "TotImposta",
          .label = "Imposta",
          .sameRow = true,
          .width = 110,
          .readOnly = true},
         {.field = "TotFattura",
          .label = "Totale",
          .sameRow = true,
          .width = 120,
          .readOnly = true}},
        totals);
    tg->setColumnStretch(6, 1);
    v->addWidget(totals);
    v->addStretch(1);
    return page;
}

QVariantMap SupplierEditor::loadHeader() {
    return SupplierDocuments::load(*m_context.db, m_id);
}

std::optional<common::Failure> SupplierEditor::writeHeader(QVariantMap& header) {
    return SupplierDocuments::save(*m_context.db, m_kind, header);
}

void SupplierEditor::headerSaved(const QVariantMap& header) {
    HeaderEditor::headerSaved(header);
    refreshInstalments();
    m_isNew = false;
}

void SupplierEditor::showFailedField(const common::Failure& failure) {
    m_pages->setCurrentIndex(0);
    if (QWidget* e = m_fields->editor(failure.field))
        e->setFocus();
}

void SupplierEditor::removeDocument() {
    SupplierDeletion::remove(*m_context.db, m_kind, m_id);
}

bool SupplierEditor::post() {
    QVariantMap h = m_header;
    if (!m_fields->readAndWrite(m_context, h,
                                [&](QVariantMap& r) -> std::optional<common::Failure> {
                                    SupplierDocuments::saveSilently(*m_context.db, m_kind, r);
                                    return std::nullopt;
                                }))
        return false;
    showHeader(h);
    return true;
}

void SupplierEditor::fieldLeft(const QString& field) {
    if (field != QLatin1String("ProgressivoCarico") && field != QLatin1String("DataRegistrazione"))
        return;
    QVariantMap h = m_header;
    if (m_fields->read(h))
        return;
    ::ui::guarded(m_context, [&] {
        if (auto w = SupplierNumbering::registrationWarning(
                *m_context.db, m_kind, db::recordValue(h, QStringLiteral("ProgressivoCarico")),
                db::recordDate(h, QStringLiteral("DataRegistrazione")), m_id,
                SupplierOptions::load(*m_context.db)))
            m_context.interaction->warning(w->title, w->text);
    });
}

void SupplierEditor::fieldChosen(const QString& field) {
    QVariantMap h = m_header;
    if (m_fields->read(h))
        return;
    if (field == QLatin1String("Fornitore_ID")) {
        const qint64 supplier = db::RecordKey(h, QStringLiteral("Fornitore_ID"));
        if (supplier <= 0)
            return;
        if (::ui::guarded(m_context, [&] {
                SupplierDocuments::chooseSupplier(*m_context.db, *m_context.interaction, m_kind, h,
                                                  supplier);
            })) {
            showHeader(h);
            refreshInstalments();
            m_modified = true;
        }
    } else if (field == QLatin1String("ModPagamento_Id")) {
        if (post()) {
            refreshInstalments();
            m_modified = true;
        }
    }
}

void SupplierEditor::checkInvoice() {
    QVariantMap h = m_header;
    if (m_fields->read(h))
        return;
    ::ui::guarded(m_context, [&] {
        if (auto w = SupplierNumbering::invoiceCheck(
                *m_context.db, db::recordText(h, QStringLiteral("NumeroCarico")).trimmed(),
                db::recordDate(h, QStringLiteral("Data")), m_id))
            m_context.interaction->warning(w->title, w->text);
    });
}

void SupplierEditor::findImage() {
    const QString path = m_context.interaction->openFile(
        QStringLiteral("Documento acquisito"),
        QStringLiteral("Immagini e documenti (*.png *.jpg *.jpeg *.tif *.tiff *.bmp *.pdf)"),
        QString());
    if (path.isEmpty())
        return;
    m_fields->showValue(QStringLiteral("Immagine"), path);
    m_modified = true;
}

void SupplierEditor::viewImage() {
    const QString path = m_fields->value(QStringLiteral("Immagine")).toString();
    if (auto f = ScannedDocument::checkViewable(path)) {
        ::ui::showFailure(*m_context.interaction, *f);
        return;
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void SupplierEditor::scanImage() {
    const QString path = m_context.interaction->saveFile(
        QStringLiteral("Documento acquisito"), QStringLiteral("Immagini PNG (*.png)"),
        QDir::home().filePath(QStringLiteral("fattura-acquisto-%1.png").arg(m_id)));
    if (path.isEmpty())
        return;
    if (auto f = ScannedDocument::scan(path)) {
        ::ui::showFailure(*m_context.interaction, *f);
        return;
    }
    m_fields->showValue(QStringLiteral("Immagine"), path);
    m_modified = true;
}

void SupplierEditor::cancelEdit() {
    if (m_isNew) {
        if (!m_context.interaction->question(
                common::titles::warning,
                QStringLiteral("Sei sicuro di voler annullare l'inserimento ?")))
            return;
        ::ui::guarded(m_context, [&] { removeDocument(); });
    }
    m_modified = false;
    QDialog::reject();
}

} // namespace purchases::ui
