#include "DocumentFixtures.h"
#include "ModalWindows.h"
#include "ScreenArchive.h"
#include "ScreenHelpers.h"
#include "documents/DocumentRows.h"
#include "documents/DocumentStore.h"
#include "documents/SalesDocuments.h"
#include "documents/ui/DocumentLogList.h"
#include "documents/ui/DocumentRowsPanel.h"
#include "documents/ui/DocumentScreens.h"
#include "documents/ui/InvoiceEditor.h"
#include "documents/ui/InvoiceLinksPanel.h"
#include "documents/ui/SalesDocumentEditor.h"
#include "documents/ui/SalesDocumentList.h"
#include "ui/DataGrid.h"
#include "ui/FieldBinder.h"
#include "ui/RecordModel.h"
#include "ui/ScreenRegistry.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

using namespace uitest;
using documents::DocumentKind;
using documents::ui::DocumentLogList;
using documents::ui::InvoiceEditor;
using documents::ui::SalesDocumentEditor;
using documents::ui::SalesDocumentList;

namespace {

// A customer, an article in stock and one that is not, transport costs at
// 5 percent and VAT at 22 percent by default.
struct Archive : ScreenArchive {
    ui::ScreenRegistry registry;
    qint64 customer = 0;
    qint64 inStock = 0;
    qint64 outOfStock = 0;

    explicit Archive(db::Engine engine) : ScreenArchive(engine) {
        documents::ui::registerDocumentScreens(registry);
        db::Database& db = archive.db();
        db.exec("UPDATE opzioni SET AliquotaIva = 22, Iva_Id = 1, SpeseTrasporto_Percentuale = "
                "true, SpeseTrasporto_Percentuale_Valore = 5");
        customer = db.insert("Clienti", {{"NominativoDocumenti", "Rossi Mario"},
                                         {"NominativoVisualizzato", "Rossi Mario"},
                                         {"Annullato", false}});
        inStock = insertHeadstone(db);
        outOfStock = insertHeadstone(
            db, {{"Codice", "VAS02"}, {"Descrizione", "Vaso in bronzo"}, {"Giacenza", 0.0}});
    }
    double stock(qint64 article) { return stockOf(db(), article); }
};

void addByCode(SalesDocumentEditor* editor, const QString& code) {
    typeInto(editor->rows()->codeBox(), code);
    QTest::keyClick(editor->rows()->codeBox(), Qt::Key_Return);
}

} // namespace

// A delivery note from the main window's button: the checks stop "Salva"
// in their order, two goods rows and a transport cost row, the warning
// naming the article that goes below zero, the list showing the new note.
TEST(SalesScreens, DeliveryNoteWithTransportCostRow) {
    FOR_EACH_ENGINE(engine) {
        Archive a(engine);
        onNextModal<SalesDocumentList>([&](SalesDocumentList* list) {
            EXPECT_EQ(list->objectName(), QStringLiteral("frmGrigliaDDT"));
            onNextModal<SalesDocumentEditor>([&](SalesDocumentEditor* editor) {
                EXPECT_EQ(fieldText(editor, "Numero"), QStringLiteral("1"));
                click(editor, "spdSalva");
                EXPECT_EQ(a.interaction.texts_of("error").value(0),
                          QStringLiteral("Attenzione manca il Cliente destinatario della merce"));
                choose(editor->fields()->editor("Cliente_ID"), a.customer);
                typeInto(editor->fields()->editor("Natura"), QStringLiteral("Arredi"));
                click(editor, "spdSalva");
                EXPECT_EQ(a.interaction.texts_of("error").value(1),
                          QStringLiteral("Attenzione manca la Quantità della merce"));

                editor->pages()->setCurrentIndex(1);
                addByCode(editor, QStringLiteral("LAP01"));
                addByCode(editor, QStringLiteral("VAS02"));
                click(editor->rows(), "btnSpeseTrasporto");
                ui::DataGrid* rows = editor->rows()->grid();
                ASSERT_EQ(rows->records()->rowCount(), 3);
                EXPECT_EQ(shown(rows, 2, "Descrizione"), QStringLiteral("Spese di Trasporto"));
                EXPECT_EQ(shown(rows, 2, "ValoreTotale"), QStringLiteral("12,20"));
                EXPECT_EQ(fieldText(editor, "TotImponibile"), QStringLiteral("210,00"));
                EXPECT_EQ(fieldText(editor, "TotDDT"), QStringLiteral("256,20"));
                EXPECT_EQ(fieldText(editor, "Quantita"), QStringLiteral("3 PZ"));
                screenshot(editor, QStringLiteral("ddt-editor-rows"));
                editor->pages()->setCurrentIndex(0);
                screenshot(editor, QStringLiteral("ddt-editor"));
                click(editor, "spdSalva");
                const QStringList warnings = a.interaction.texts_of("warning");
                ASSERT_EQ(warnings.size(), 1);
                EXPECT_TRUE(warnings.first().contains(QStringLiteral("VAS02 Vaso in bronzo")));
                EXPECT_FALSE(warnings.first().contains(QStringLiteral("LAP01")));
                click(editor, "spdIndietro");
            });
            click(list, "spdAggiungi");
            ASSERT_EQ(list->grid()->records()->rowCount(), 1);
            EXPECT_EQ(shown(list->grid(), 0, "Cliente"), QStringLiteral("Rossi Mario"));
            screenshot(list, QStringLiteral("ddt-list"));
            // "Elimina" gives the goods back.
            click(list, "spdElimina");
            EXPECT_EQ(list->grid()->records()->rowCount(), 0);
            click(list, "spdIndietro");
        });
        a.registry.find(QStringLiteral("btnDDTClienti"))(nullptr, a.context);
        EXPECT_DOUBLE_EQ(a.stock(a.inStock), 10);
        EXPECT_DOUBLE_EQ(a.stock(a.outOfStock), 0);
        EXPECT_EQ(a.interaction.texts_of("question").value(0),
                  QStringLiteral("Sei sicuro di voler eliminare il DDT??"));

        // The deleted note stands in the record of documents, found by its kind.
        onNextModal<DocumentLogList>([&](DocumentLogList* log) {
            ASSERT_EQ(log->grid()->records()->rowCount(), 1);
            EXPECT_EQ(shown(log->grid(), 0, "TipoDocumento"), QStringLiteral("DDT"));
            EXPECT_EQ(shown(log->grid(), 0, "Evento"), QStringLiteral("Eliminato"));
            EXPECT_EQ(shown(log->grid(), 0, "Intestatario"), QStringLiteral("Rossi Mario"));
            EXPECT_EQ(shown(log->grid(), 0, "Totale"), QStringLiteral("256,20"));
            auto* kind = log->findChild<QComboBox*>("cboDocumento");
            ASSERT_NE(kind, nullptr);
            kind->setCurrentIndex(kind->findText("Preventivo"));
            EXPECT_EQ(log->grid()->records()->rowCount(), 0);
            kind->setCurrentIndex(kind->findText("DDT"));
            EXPECT_EQ(log->grid()->records()->rowCount(), 1);
            screenshot(log, QStringLiteral("registro-documenti-ddt"));
            click(log, "spdIndietro");
        });
        a.registry.find(QStringLiteral("btnUtilityRegistroDocumenti"))(nullptr, a.context);
    }
}

// A quote becomes an invoice from the quote list: the invoice editor opens
// on a numbered invoice of the quote's customer with the quote's rows.
TEST(SalesScreens, QuoteBecomesAnInvoiceFromTheList) {
    FOR_EACH_ENGINE(engine) {
        Archive a(engine);
        const qint64 quote = documents::SalesDocuments::create(a.db(), DocumentKind::Quote, {});
        QVariantMap h = documents::SalesDocuments::load(a.db(), DocumentKind::Quote, quote);
        documents::SalesDocuments::applyCustomer(a.db(), DocumentKind::Quote, h, a.customer);
        ASSERT_FALSE(documents::SalesDocuments::save(a.db(), DocumentKind::Quote, h));
        ASSERT_FALSE(documents::DocumentRows::addByCode(a.db(), DocumentKind::Quote, quote,
                                                        QStringLiteral("LAP01")));
        bool invoiced = false;
        onNextModal<SalesDocumentList>([&](SalesDocumentList* list) {
            ASSERT_EQ(list->grid()->records()->rowCount(), 1);
            EXPECT_EQ(shown(list->grid(), 0, "TotalePreventivo"), QStringLiteral("122,00"));
            screenshot(list, QStringLiteral("quote-list"));
            onNextModal<SalesDocumentEditor>([&](SalesDocumentEditor* editor) {
                EXPECT_NE(editor->button(QStringLiteral("spdStampaMeta")), nullptr);
                EXPECT_NE(editor->button(QStringLiteral("spdEsportaInvia")), nullptr);
                EXPECT_EQ(editor->rows()->button(QStringLiteral("btnSpeseTrasporto")), nullptr);
                screenshot(editor, QStringLiteral("quote-editor"));
                click(editor, "spdIndietro");
            });
            list->openCurrent();
            onNextModal<InvoiceEditor>([&](InvoiceEditor* editor) {
                invoiced = true;
                EXPECT_EQ(editor->rowsGrid()->records()->rowCount(), 1);
                EXPECT_EQ(editor->record().value("Cliente").toString(),
                          QStringLiteral("Rossi Mario"));
                EXPECT_EQ(editor->record().value("Num").toInt(), 1);
                click(editor, "spdIndietro");
            });
            click(list, "spdFatturaPreventivo");
            click(list, "spdIndietro");
        });
        a.registry.find(QStringLiteral("btnPreventivi"))(nullptr, a.context);
        EXPECT_TRUE(invoiced);
        EXPECT_TRUE(a.db().scalar("select Fatturato from PreventiTestata").toBool());
        EXPECT_EQ(a.db().scalar("select count(*) from fattura").toInt(), 1);
    }
}

// The order and receipt screens open from their buttons; "Annulla" on a new
// document takes it away again.
TEST(SalesScreens, OrderAndReceiptEditors) {
    Archive a(db::Engine::SQLite);
    for (const char* button : {"btnOrdiniClienti", "btnBuoni"}) {
        const QString name = QString::fromLatin1(button);
        onNextModal<SalesDocumentList>([&](SalesDocumentList* list) {
            onNextModal<SalesDocumentEditor>([&](SalesDocumentEditor* editor) {
                const bool receipt = editor->kind() == DocumentKind::Receipt;
                EXPECT_EQ(editor->rows()->button(QStringLiteral("btnSpeseIncasso")) != nullptr,
                          receipt);
                choose(editor->fields()->editor(receipt ? "Cliente_Id" : "Cliente_ID"), a.customer);
                editor->pages()->setCurrentIndex(1);
                addByCode(editor, QStringLiteral("NOPE"));
                EXPECT_EQ(a.interaction.texts_of("error").last(),
                          QStringLiteral("Codice non trovato!!!"));
                addByCode(editor, QStringLiteral("LAP01"));
                editor->pages()->setCurrentIndex(0);
                screenshot(editor, receipt ? QStringLiteral("receipt-editor")
                                           : QStringLiteral("order-editor"));
                click(editor, "spdIndietro");
            });
            click(list, "spdAggiungi");
            ASSERT_EQ(list->grid()->records()->rowCount(), 1);
            screenshot(list, name == "btnBuoni" ? QStringLiteral("receipt-list")
                                                : QStringLiteral("order-list"));
            onNextModal<SalesDocumentEditor>(
                [&](SalesDocumentEditor* editor) { click(editor, "spdAnnulla"); });
            click(list, "spdAggiungi");
            EXPECT_EQ(list->grid()->records()->rowCount(), 1);
            click(list, "spdIndietro");
        });
        a.registry.find(name)(nullptr, a.context);
    }
    // The receipt's goods left the stock; the order's did not.
    EXPECT_DOUBLE_EQ(a.stock(a.inStock), 9);
}

// The invoice's "Importazioni" page links an order (no rows copied) and
// imports a receipt (its rows copied); removing the receipt takes its rows
// away and the receipt can be invoiced again.
TEST(SalesScreens, InvoiceLinksOrdersAndReceipts) {
    Archive a(db::Engine::SQLite);
    db::Database& db = a.db();
    const qint64 order = documents::SalesDocuments::create(db, DocumentKind::CustomerOrder, {});
    db.exec("UPDATE OrdiniClientiTestata SET Cliente_ID = ?", {a.customer});
    const qint64 receipt = documents::SalesDocuments::create(db, DocumentKind::Receipt, {});
    db.exec("UPDATE TotaliCo SET Cliente_Id = ?", {a.customer});
    ASSERT_FALSE(documents::DocumentRows::addByCode(db, DocumentKind::Receipt, receipt,
                                                    QStringLiteral("LAP01")));
    const qint64 invoice = documents::DocumentStore::create(db, DocumentKind::CustomerInvoice, {});
    QVariantMap h = documents::DocumentStore::load(db, invoice);
    documents::DocumentStore::chooseCustomer(db, DocumentKind::CustomerInvoice, h, a.customer);

    InvoiceEditor editor(a.context, DocumentKind::CustomerInvoice, invoice, false);
    editor.show();
    documents::ui::InvoiceLinksPanel* links = editor.links();
    ASSERT_NE(links, nullptr);
    choose(links->orderChoice(), order);
    choose(links->receiptChoice(), receipt);
    EXPECT_EQ(links->ordersGrid()->records()->rowCount(), 1);
    EXPECT_EQ(links->receiptsGrid()->records()->rowCount(), 1);
    EXPECT_EQ(editor.rowsGrid()->records()->rowCount(), 1);
    EXPECT_EQ(links->orderChoice()->count(), 1); // only the empty choice is left
    editor.pages()->setCurrentIndex(2);
    screenshot(&editor, QStringLiteral("invoice-imports"));
    EXPECT_TRUE(db.scalar("select Fatturato from OrdiniClientiTestata").toBool());
    EXPECT_TRUE(db.scalar("select Fatturato from TotaliCo").toBool());

    links->receiptsGrid()->selectRow(0);
    click(links, "btnEliminaRigaBuoni");
    EXPECT_EQ(editor.rowsGrid()->records()->rowCount(), 0);
    EXPECT_EQ(links->receiptChoice()->count(), 2);
    EXPECT_FALSE(db.scalar("select Fatturato from TotaliCo").toBool());
    EXPECT_DOUBLE_EQ(a.stock(a.inStock), 9); // the receipt's piece stays out
}

// The order list's filters: the customer's own order number is text, the
// internal number a number; "reset" shows everything again.
TEST(SalesScreens, OrderListFilters) {
    Archive a(db::Engine::SQLite);
    for (const char* number : {"A'1", "B-2"}) {
        const qint64 id =
            documents::SalesDocuments::create(a.db(), DocumentKind::CustomerOrder, {});
        a.db().exec("UPDATE OrdiniClientiTestata SET Numero = ? where Id = ?",
                    {QString::fromLatin1(number), id});
    }
    SalesDocumentList list(a.context, DocumentKind::CustomerOrder);
    ASSERT_EQ(list.grid()->records()->rowCount(), 2);
    typeInto(list.filterBox(QStringLiteral("txtNumero")), QStringLiteral("A'1"));
    click(&list, "btnCerca");
    ASSERT_EQ(list.grid()->records()->rowCount(), 1);
    EXPECT_EQ(shown(list.grid(), 0, "NumeroInterno"), QStringLiteral("1"));
    click(&list, "btnReset");
    typeInto(list.filterBox(QStringLiteral("txtNumeroInterno")), QStringLiteral("2"));
    click(&list, "btnCerca");
    ASSERT_EQ(list.grid()->records()->rowCount(), 1);
    EXPECT_EQ(shown(list.grid(), 0, "Numero"), QStringLiteral("B-2"));
    click(&list, "btnReset");
    EXPECT_EQ(list.grid()->records()->rowCount(), 2);
}
