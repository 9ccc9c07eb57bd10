#include "purchases/ui/OrderEditor.h"

#include "common/Interaction.h"
#include "common/Titles.h"
#include "db/Database.h"
#include "db/RegistryRecord.h"
#include "documents/ui/Pickers.h"
#include "mail/ui/EmailDialog.h"
#include "printing/ReportCodes.h"
#include "printing/ui/DocumentActions.h"
#include "purchases/SupplierOrders.h"
#include "purchases/ui/OrderRowEditor.h"
#include "ui/ActionButton.h"
#include "ui/AppContext.h"
#include "ui/DataGrid.h"
#include "ui/FieldBinder.h"
#include "ui/FieldNavigator.h"
#include "ui/Guarded.h"
#include "ui/Lookups.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace purchases::ui {

OrderEditor::OrderEditor(::ui::AppContext& context, qint64 orderId, bool isNew, QWidget* parent)
    : QDialog(parent), m_context(context), m_id(orderId), m_isNew(isNew) {
    setObjectName(QStringLiteral("frmOrdiniFornitori"));
    setWindowTitle(QStringLiteral("Ordini Fornitori"));
    setModal(true);
    resize(960, 620);
    auto* v = new QVBoxLayout(this);
    m_navigator = new ::ui::FieldNavigator(this);
    m_fields =
        new ::ui::FieldBinder(*context.db, QStringLiteral("OrdiniTestata"), m_navigator, this);
    auto* grid = new QGridLayout();
    v->addLayout(grid);
    m_fields->place(
        grid,
        {{.field = "Numero", .label = "Numero", .width = 90},
         {.field = "Data", .label = "Data", .sameRow = true},
         {.field = "Fornitore_ID", .label = "Fornitore", .lookup = ::ui::lookups::suppliers()},
         {.field = "Note", .label = "Note"},
         {.field = "TotImponibile", .label = "Imponibile", .width = 110, .readOnly = true},
         {.field = "TotImposta",
          .label = "Imposta",
          .sameRow = true,
          .width = 110,
          .readOnly = true},
         {.field = "TotaleOrdine", .label = "Totale Ordine", .width = 120, .readOnly = true}},
        this);
    grid->setColumnStretch(3, 1);
    if (QWidget* note = m_fields->editor(QStringLiteral("Note")))
        note->setMaximumHeight(60);

    auto* codeRow = new QHBoxLayout();
    codeRow->addWidget(new QLabel(QStringLiteral("Codice"), this));
    m_code = new QLineEdit(this);
    m_code->setObjectName(QStringLiteral("txtCodice"));
    m_code->setMaximumWidth(160);
    codeRow->addWidget(m_code);
    codeRow->addStretch(1);
    v->addLayout(codeRow);
    connect(m_code, &QLineEdit::returnPressed, this, &OrderEditor::addByCode);

    m_rows = new ::ui::DataGrid(context, QStringLiteral("frmOrdiniFornitori.righe"), this);
    m_rows->setObjectName(QStringLiteral("DBGrid2"));
    m_rows->setTable(QStringLiteral("OrdiniRighe"));
    m_rows->setKeyColumn(QStringLiteral("Id"));
    m_rows->setDefaultColumns({{"Codice", 100, "Codice"},
                               {"Descrizione", 320, "Descrizione"},
                               {"Um", 80, "Quantità"},
                               {"ValoreUnitario", 110, "Valore Unitario"},
                               {"Sconto", 60, "Sconto"},
                               {"AliquotaIva", 60, "Iva %"},
                               {"ValoreTotale", 110, "Valore Totale"}});
    v->addWidget(m_rows, 1);
    connect(m_rows, &::ui::DataGrid::rowChosen, this, [this] { editRow(); });

    auto* rowButtons = new QHBoxLayout();
    const auto add = [&](QHBoxLayout* row, const QString& caption, const QString& name,
                         void (OrderEditor::*slot)()) {
        QPushButton* b = ::ui::ActionButton(caption, name, this);
        row->addWidget(b);
        connect(b, &QPushButton::clicked, this, slot);
    };
    add(rowButtons, QStringLiteral("Aggiungi"), QStringLiteral("btnAggiungiRiga"),
        &OrderEditor::addArticle);
    add(rowButtons, QStringLiteral("Articolo non in archivio"),
        QStringLiteral("btnArticoloNonInArchivio"), &OrderEditor::addFreeRow);
    add(rowButtons, QStringLiteral("Spese di Trasporto"), QStringLiteral("btnSpeseTrasporto"),
        &OrderEditor::addTransport);
    add(rowButtons, QStringLiteral("Importa tutti gli articoli Sottoscorta"),
        QStringLiteral("btnSottoscorta"), &OrderEditor::importUnderStock);
    add(rowButtons, QStringLiteral("Modifica"), QStringLiteral("btnModificaRiga"),
        &OrderEditor::editRow);
    add(rowButtons, QStringLiteral("Elimina"), QStringLiteral("btnEliminaRiga"),
        &OrderEditor::removeRow);
    rowButtons->addStretch(1);
    v->addLayout(rowButtons);

    auto* buttons = new QHBoxLayout();
    add(buttons, QStringLiteral("Invia Email"), QStringLiteral("btnInviaEmail"),
        &OrderEditor::sendEmail);
    add(buttons, QStringLiteral("Stampa"), QStringLiteral("spdStampa"), &OrderEditor::print);
    buttons->addStretch(1);
    QPushButton* saveButton =
        ::ui::ActionButton(QStringLiteral("Salva"), QStringLiteral("spdSalva"), this);
    buttons->addWidget(saveButton);
    connect(saveButton, &QPushButton::clicked, this, [this] {
        if (save())
            accept();
    });
    add(buttons, QStringLiteral("Annulla"), QStringLiteral("spdAnnulla"), &OrderEditor::cancelEdit);
    QPushButton* back =
        ::ui::ActionButton(QStringLiteral("Indietro"), QStringLiteral("spdIndietro"), this);
    buttons->addWidget(back);
    connect(back, &QPushButton::clicked, this, &OrderEditor::reject);
    v->addLayout(buttons);
    connect(m_fields, &::ui::FieldBinder::edited, this, [this] { m_modified = true; });

    ::ui::guarded(m_context, [&] { m_header = SupplierOrders::load(*context.db, m_id); });
    m_fields->show(m_header);
    refresh();
}

void OrderEditor::refresh() {
    QVariantMap pending = m_header;
    m_fields->read(pending);
    ::ui::guarded(m_context, [&] {
        const QVariantMap stored = SupplierOrders::load(*m_context.db, m_id);
        for (const char* c : {"TotImponibile", "TotImposta", "TotaleOrdine"})
            pending[QString::fromLatin1(c)] = stored.value(QString::fromLatin1(c));
        m_rows->setResult(m_context.db->query(
            QStringLiteral("select * from OrdiniRighe where Ordine_ID = ? order by Descrizione"),
            {m_id}));
    });
    m_header = pending;
    m_fields->show(m_header);
}

bool OrderEditor::save() {
    QVariantMap h = m_header;
    if (!m_fields->readAndWrite(
            m_context, h, [&](QVariantMap& r) { return SupplierOrders::save(*m_context.db, r); }))
        return false;
    m_header = h;
    m_fields->show(m_header);
    m_modified = false;
    m_isNew = false;
    return true;
}

bool OrderEditor::ready() {
    return save();
}

void OrderEditor::addByCode() {
    const QString code = m_code->text().trimmed();
    if (code.isEmpty() || !ready())
        return;
    if (::ui::guardedRule(
            m_context, [&] { return SupplierOrders::addByCode(*m_context.db, m_id, code); },
            [&](const common::Failure& f) {
                m_context.interaction->error(f.title, f.text);
                m_code->selectAll();
            })) {
        m_code->clear();
        refresh();
    }
}

void OrderEditor::addArticle() {
    if (!ready())
        return;
    const qint64 article = documents::ui::ArticlePicker::pick(m_context, this);
    if (article == 0)
        return;
    ::ui::guarded(m_context, [&] { SupplierOrders::addArticle(*m_context.db, m_id, article); });
    refresh();
}

void OrderEditor::addFreeRow() {
    if (!ready())
        return;
    qint64 row = 0;
    ::ui::guarded(m_context, [&] { row = SupplierOrders::addFreeRow(*m_context.db, m_id); });
    refresh();
    if (row > 0) {
        m_rows->selectKey(row);
        editRow();
    }
}

void OrderEditor::addTransport() {
    if (!ready())
        return;
    ::ui::guarded(m_context, [&] { SupplierOrders::addTransport(*m_context.db, m_id); });
    refresh();
}

void OrderEditor::importUnderStock() {
    if (!ready())
        return;
    QStringList added;
    if (::ui::guarded(m_context,
                      [&] { added = SupplierOrders::importUnderStock(*m_context.db, m_id); }))
        m_context.interaction->information(SupplierOrders::title(),
                                           SupplierOrders::underStockMessage(added));
    refresh();
}

void OrderEditor::editRow() {
    const qint64 key = m_rows->currentKey();
    if (key == 0)
        return;
    {
        OrderRowEditor editor(m_context, key, this);
        editor.exec();
    }
    refresh();
    m_rows->selectKey(key);
}

void OrderEditor::removeRow() {
    const qint64 key = m_rows->currentKey();
    if (key == 0 ||
        !m_context.interaction->question(
            common::titles::warning, QStringLiteral("Sei sicuro di voler eliminare il record ?")))
        return;
    ::ui::guarded(m_context, [&] { SupplierOrders::removeRow(*m_context.db, key); });
    refresh();
}

void OrderEditor::sendEmail() {
    if (!ready())
        return;
    SupplierOrders::Email mail;
    std::optional<common::Failure> failure;
    if (!::ui::guarded(m_context,
                       [&] { failure = SupplierOrders::email(*m_context.db, m_id, &mail); }))
        return;
    if (failure) {
        ::ui::showFailure(*m_context.interaction, *failure);
        return;
    }
    mail::ui::EmailDialog dialog(m_context, this);
    dialog.openFilled(mail.subject, mail.text, {mail.address});
}

void OrderEditor::print() {
    if (!ready())
        return;
    ::ui::guarded(m_context, [&] {
        printing::ui::printReport(
            m_context, printing::ReportCall{printing::reports::supplierOrder, m_id, QString()});
    });
}

void OrderEditor::cancelEdit() {
    if (m_isNew) {
        if (!m_context.interaction->question(
                common::titles::warning,
                QStringLiteral("Sei sicuro di voler annullare l'inserimento ?")))
            return;
        ::ui::guarded(m_context, [&] { SupplierOrders::remove(*m_context.db, m_id); });
    }
    m_modified = false;
    QDialog::reject();
}

void OrderEditor::reject() {
    if (m_modified && !save())
        return;
    QDialog::accept();
}

} // namespace purchases::ui
