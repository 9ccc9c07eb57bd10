#include "DocumentFixtures.h"
#include "ModalWindows.h"
#include "ScreenArchive.h"
#include "ScreenHelpers.h"
#include "documents/ui/InstalmentCard.h"
#include "documents/ui/Pickers.h"
#include "purchases/SupplierDocuments.h"
#include "purchases/SupplierOrders.h"
#include "purchases/SupplierRows.h"
#include "purchases/ui/OrderEditor.h"
#include "purchases/ui/PurchaseScreens.h"
#include "purchases/ui/ReceivedImportWindow.h"
#include "purchases/ui/SupplierEditor.h"
#include "purchases/ui/SupplierInvoicePicker.h"
#include "purchases/ui/SupplierList.h"
#include "purchases/ui/SupplierRowEditor.h"
#include "ui/DataGrid.h"
#include "ui/FieldBinder.h"
#include "ui/RecordModel.h"
#include "ui/ScreenRegistry.h"
#include "ui/SearchWindow.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

using namespace uitest;
using purchases::DocumentKind;
using purchases::ui::SupplierEditor;
using purchases::ui::SupplierList;
using purchases::ui::SupplierRowEditor;

namespace {

// A supplier paid in two instalments and one article in stock.
struct Archive : ScreenArchive {
    ui::ScreenRegistry registry;
    qint64 terms = 0;
    qint64 supplier = 0;
    qint64 article = 0;

    explicit Archive(db::Engine engine) : ScreenArchive(engine) {
        purchases::ui::registerPurchaseScreens(registry);
        db::Database& db = archive.db();
        terms = insertTwoInstalmentTerms(db);
        supplier = db.insert(
            "Fornitor",
            {{"Fornitore", "Marmi L'Arco Srl"}, {"Pagamento_ID", terms}, {"Annullato", false}});
        article = insertHeadstone(db, {{"Fornitore_ValoreUnitario", 40.0}});
    }
    double stock() { return stockOf(db(), article); }
};

} // namespace

// From the main window's button: "Aggiungi" registers number 1, the
// supplier brings its two instalments, a free row and a price-list row are
// entered through the row editor, "Salva"; the list shows the invoice and
// the article's stock grew.
TEST(SupplierScreens, RegistersASupplierInvoiceWithTwoRows) {
    FOR_EACH_ENGINE(engine) {
        Archive a(engine);
        bool edited = false;
        onNextModal<SupplierList>([&](SupplierList* list) {
            EXPECT_EQ(list->grid()->records()->rowCount(), 0);
            onNextModal<SupplierEditor>([&](SupplierEditor* editor) {
                edited = true;
                EXPECT_EQ(fieldText(editor, "ProgressivoCarico"), QStringLiteral("1"));
                typeInto(editor->fields()->editor("NumeroCarico"), QStringLiteral("FA/12"));
                choose(editor->fields()->editor("Fornitore_ID"), a.supplier);
                EXPECT_EQ(editor->instalmentsGrid()->records()->rowCount(), 2);

                onNextModal<SupplierRowEditor>([&](SupplierRowEditor* row) {
                    auto* f = row->fields();
                    typeInto(f->editor("Descrizione"), QStringLiteral("Trasporto"));
                    typeInto(f->editor("Um"), QStringLiteral("2"));
                    typeInto(f->editor("ValoreUnitario"), QStringLiteral("50"));
                    choose(f->editor("Iva_ID"), 1);
                    screenshot(row, QStringLiteral("supplier-row"));
                    click(row, "spdSalva");
                });
                click(editor, "btnAggiungiRiga");
                EXPECT_EQ(editor->rowsGrid()->records()->rowCount(), 1);

                onNextModal<SupplierRowEditor>([&](SupplierRowEditor* row) {
                    onNextModal<documents::ui::ArticlePicker>([&](documents::ui::ArticlePicker* p) {
                        p->grid()->selectKey(a.article);
                        p->choose();
                    });
                    click(row, "btnArticolo");
                    typeInto(row->fields()->editor("Um"), QStringLiteral("3"));
                    click(row, "spdSalva");
                });
                click(editor, "btnAggiungiRiga");
                ASSERT_EQ(editor->rowsGrid()->records()->rowCount(), 2);
                EXPECT_EQ(shown(editor->rowsGrid(), 1, "Codice"), QStringLiteral("LAP01"));
                // 2 × 50 + 3 × 40 = 220 taxable at 22%.
                EXPECT_EQ(fieldText(editor, "TotImponibile"), QStringLiteral("220,00"));
                EXPECT_EQ(fieldText(editor, "TotFattura"), QStringLiteral("268,40"));
                EXPECT_EQ(shown(editor->instalmentsGrid(), 0, "Importo"), QStringLiteral("134,20"));
                screenshot(editor, QStringLiteral("supplier-invoice-editor"));
                editor->pages()->setCurrentIndex(1);
                screenshot(editor, QStringLiteral("supplier-invoice-rows"));

                // The first instalment paid today through its card, and one
                // more added by hand: a supplier's ("C"), not a customer's.
                auto* grid = editor->instalmentsGrid();
                const qint64 first = grid->keyAt(0);
                grid->selectKey(first);
                onNextModal<documents::ui::InstalmentCard>(
                    [&](documents::ui::InstalmentCard* card) {
                        click(card, "btnOggi");
                        click(card, "spdIndietro");
                    });
                click(editor, "btnModificaRata");
                EXPECT_EQ(
                    a.db()
                        .scalar("select DataPagamento from FatturaScadenze where Id = ?", {first})
                        .toDate(),
                    QDate::currentDate());
                onNextModal<documents::ui::InstalmentCard>(
                    [&](documents::ui::InstalmentCard* card) {
                        typeInto(card->fields()->editor("Importo"), QStringLiteral("5"));
                        typeInto(card->fields()->editor("Operazione"), QStringLiteral("Spese"));
                        click(card, "spdIndietro");
                    });
                click(editor, "btnAggiungiRata");
                ASSERT_EQ(grid->records()->rowCount(), 3);
                const db::Row added =
                    a.db()
                        .query("select Tipo, Cliente_id, Fornitore_id from FatturaScadenze where "
                               "Operazione = 'Spese'")
                        .first();
                EXPECT_EQ(added.text("Tipo"), QStringLiteral("C"));
                EXPECT_EQ(added.integer("Fornitore_id"), a.supplier);
                EXPECT_EQ(added.integer("Cliente_id"), 0);
                editor->pages()->setCurrentWidget(editor->instalments());
                screenshot(editor, QStringLiteral("supplier-invoice-instalments"));
                click(editor, "spdSalva");
            });
            click(list, "spdAggiungi");
            EXPECT_TRUE(a.interaction.texts_of("error").isEmpty())
                << a.interaction.texts_of("error").join(" | ").toStdString();
            ASSERT_EQ(list->grid()->records()->rowCount(), 1);
            EXPECT_EQ(shown(list->grid(), 0, "Fornitore"), QStringLiteral("Marmi L'Arco Srl"));
            EXPECT_EQ(shown(list->grid(), 0, "NumeroCarico"), QStringLiteral("FA/12"));
            screenshot(list, QStringLiteral("supplier-invoice-list"));
            click(list, "spdIndietro");
        });
        a.registry.find(QStringLiteral("btnFattureFornitori"))(nullptr, a.context);
        EXPECT_TRUE(edited);
        EXPECT_DOUBLE_EQ(a.stock(), 13);
        EXPECT_EQ(
            a.db().scalar("select count(*) from FatturaScadenze where Tipo = 'C'").toLongLong(), 2);
    }
}

// "Salva" without the supplier's number stays on the header with its message.
TEST(SupplierScreens, SavingWithoutNumberIsRefused) {
    Archive a(db::Engine::SQLite);
    const qint64 id =
        purchases::SupplierDocuments::create(a.db(), DocumentKind::SupplierInvoice, {});
    SupplierEditor editor(a.context, DocumentKind::SupplierInvoice, id, true);
    editor.show();
    editor.pages()->setCurrentIndex(1);
    EXPECT_FALSE(editor.save());
    EXPECT_EQ(a.interaction.texts_of("error").value(0),
              QStringLiteral("Attenzione manca il numero di fattura"));
    EXPECT_EQ(editor.pages()->currentIndex(), 0);
}

// "Ricerca" finds an invoice by its supplier's name, history included, and
// opens it.
TEST(SupplierScreens, SearchFindsAnInvoiceBySupplierAndOpensIt) {
    FOR_EACH_ENGINE(engine) {
        Archive a(engine);
        db::Database& d = a.db();
        const qint64 other =
            d.insert("Fornitor", {{"Fornitore", "Fiori Bianchi"}, {"Annullato", false}});
        const auto invoice = [&](qint64 supplier, const char* name, bool history) {
            const qint64 id =
                purchases::SupplierDocuments::create(d, DocumentKind::SupplierInvoice, {});
            d.update("fattura", id,
                     {{"Fornitore_ID", supplier}, {"Fornitore", name}, {"Storico", history}});
            return id;
        };
        invoice(a.supplier, "Marmi L'Arco Srl", false);
        const qint64 old = invoice(other, "Fiori Bianchi", true);
        SupplierList list(a.context, DocumentKind::SupplierInvoice);
        qint64 opened = 0;
        onNextModal<::ui::SearchWindow>([&](::ui::SearchWindow* w) {
            EXPECT_EQ(w->grid()->records()->rowCount(), 2);
            w->searchBox("Fornitore")->setText("fiori");
            ASSERT_EQ(w->grid()->records()->rowCount(), 1);
            screenshot(w, QStringLiteral("supplier-invoice-search"));
            onNextModal<SupplierEditor>([&](SupplierEditor* editor) {
                opened = editor->documentId();
                click(editor, "spdIndietro");
            });
            w->chooseButton()->click();
        });
        click(&list, "spdRicerca");
        EXPECT_EQ(opened, old);
    }
}

// A folder of received files: every file gets its line, refused ones with
// their reason, and the documents are in the supplier-invoice list.
TEST(SupplierScreens, ImportWindowListsEveryFile) {
    Archive a(db::Engine::SQLite);
    purchases::ui::ReceivedImportWindow window(a.context);
    window.show();
    window.addPaths({QStringLiteral("/work/shared/fatturapa/samples/official-v1.2.2"),
                     QStringLiteral("/work/shared/fatturapa/samples/fatturaelettronica-net/"
                                    "IT02182030391_31_tampered.xml.p7m")});
    click(&window, "btnImporta");
    QTableWidget* t = window.results();
    ASSERT_EQ(t->rowCount(), 7);
    EXPECT_EQ(t->item(6, 1)->text(), QStringLiteral("rifiutato"));
    EXPECT_TRUE(t->item(0, 2)->text().startsWith(QStringLiteral("importata come fattura n° 123")))
        << t->item(0, 2)->text().toStdString();
    EXPECT_EQ(a.interaction.texts_of("information").value(0),
              QStringLiteral("Termine importazione documento"));
    screenshot(&window, QStringLiteral("received-import"));
    EXPECT_EQ(a.db().scalar("select count(*) from fattura where ImportatoXml = true").toLongLong(),
              5);
}

// A credit note takes the rows of the supplier's invoice chosen with
// "Trova Fattura"; the stock goes back down.
TEST(SupplierScreens, CreditNoteImportsTheCreditedInvoiceRows) {
    Archive a(db::Engine::SQLite);
    auto& d = a.db();
    const qint64 invoice =
        purchases::SupplierDocuments::create(d, DocumentKind::SupplierInvoice, {});
    QVariantMap h = purchases::SupplierDocuments::load(d, invoice);
    h["NumeroCarico"] = "F9";
    ASSERT_TRUE(purchases::SupplierDocuments::chooseSupplier(
        d, a.interaction, DocumentKind::SupplierInvoice, h, a.supplier));
    QVariantMap row = purchases::SupplierRows::newRow(d, DocumentKind::SupplierInvoice, invoice);
    purchases::SupplierRows::chooseArticle(d, row, a.article);
    row["Um"] = 4;
    ASSERT_FALSE(purchases::SupplierRows::save(d, DocumentKind::SupplierInvoice, invoice, row));
    EXPECT_DOUBLE_EQ(a.stock(), 14);

    const qint64 note =
        purchases::SupplierDocuments::create(d, DocumentKind::SupplierCreditNote, {});
    SupplierEditor editor(a.context, DocumentKind::SupplierCreditNote, note, true);
    editor.show();
    click(&editor, "btnTrovaFattura");
    EXPECT_EQ(a.interaction.texts_of("error").value(0),
              QStringLiteral("Attenzione E' necessario scegliere il Fornitore prima di poter "
                             "proseguire"));
    typeInto(editor.fields()->editor("NumeroCarico"), QStringLiteral("NC1"));
    choose(editor.fields()->editor("Fornitore_ID"), a.supplier);
    onNextModal<purchases::ui::SupplierInvoicePicker>([&](purchases::ui::SupplierInvoicePicker* p) {
        ASSERT_EQ(p->grid()->records()->rowCount(), 1);
        p->grid()->selectKey(invoice);
        p->choose();
    });
    click(&editor, "btnTrovaFattura");
    click(&editor, "btnImportaRighe");
    EXPECT_EQ(editor.rowsGrid()->records()->rowCount(), 1);
    EXPECT_EQ(fieldText(&editor, "TotFattura"), QStringLiteral("195,20"));
    EXPECT_DOUBLE_EQ(a.stock(), 10);
    EXPECT_TRUE(editor.save());
    EXPECT_EQ(fieldText(&editor, "NCFattDataRif"), QDate::currentDate().toString("dd/MM/yyyy"));
    EXPECT_EQ(d.scalar("select NCFattIDRif from fattura where Id = ?", {note}).toLongLong(),
              invoice);
    screenshot(&editor, QStringLiteral("supplier-credit-note"));
}

// The order of the supplier: its articles under minimum stock come in, and
// without the supplier's address no e-mail is prepared.
TEST(SupplierScreens, OrderImportsUnderStockArticles) {
    Archive a(db::Engine::SQLite);
    auto& d = a.db();
    d.exec("UPDATE prezziar SET Fornitore_ID = ?, QuaMinima = 15 where ID = ?",
           {a.supplier, a.article});
    const qint64 order = purchases::SupplierOrders::create(d, false);
    purchases::ui::OrderEditor editor(a.context, order, true);
    editor.show();
    click(&editor, "btnSottoscorta");
    EXPECT_EQ(a.interaction.texts_of("warning").value(0),
              QStringLiteral("Attenzione: Prima di inserire le righe è necessario salvare il "
                             "Fornitore!!!"));
    choose(editor.fields()->editor("Fornitore_ID"), a.supplier);
    click(&editor, "btnSottoscorta");
    EXPECT_EQ(a.interaction.texts_of("information").value(0),
              QStringLiteral("Articoli Inseriti correttamente : Lapide in marmo"));
    ASSERT_EQ(editor.rowsGrid()->records()->rowCount(), 1);
    EXPECT_EQ(shown(editor.rowsGrid(), 0, "Um"), QStringLiteral("5,00"));
    click(&editor, "btnInviaEmail");
    EXPECT_EQ(a.interaction.texts_of("warning").value(1),
              QStringLiteral("Attenzione manca l'email del fornitore !!"));
    screenshot(&editor, QStringLiteral("supplier-order"));
}
