#include "DocumentFixtures.h"
#include "ModalWindows.h"
#include "ScreenArchive.h"
#include "ScreenHelpers.h"
#include "documents/DocumentRows.h"
#include "documents/DocumentStore.h"
#include "documents/Numbering.h"
#include "documents/QuoteImport.h"
#include "documents/ui/DocumentLogList.h"
#include "documents/ui/DocumentScreens.h"
#include "documents/ui/InstalmentCard.h"
#include "documents/ui/InvoiceEditor.h"
#include "documents/ui/InvoiceList.h"
#include "documents/ui/InvoiceRowEditor.h"
#include "documents/ui/Pickers.h"
#include "ui/DataGrid.h"
#include "ui/FieldBinder.h"
#include "ui/RecordModel.h"
#include "ui/ScreenRegistry.h"

#include <QComboBox>
#include <QDateTime>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

using namespace uitest;
using documents::DocumentKind;
using documents::ui::DocumentLogList;
using documents::ui::InvoiceEditor;
using documents::ui::InvoiceList;
using documents::ui::InvoicePicker;
using documents::ui::InvoiceRowEditor;

namespace {

// The archive of the invoice tests: payment terms of two instalments, a
// customer with those terms, a cancelled customer and one article in stock.
struct Archive : ScreenArchive {
    ui::ScreenRegistry registry;
    qint64 terms = 0;
    qint64 customer = 0;
    qint64 article = 0;

    explicit Archive(db::Engine engine) : ScreenArchive(engine) {
        documents::ui::registerDocumentScreens(registry);
        db::Database& db = archive.db();
        // Two instalments at 30 and 60 days, the customer's own terms.
        terms = insertTwoInstalmentTerms(db);
        customer = db.insert("Clienti", {{"NominativoDocumenti", "Rossi Mario"},
                                         {"NominativoVisualizzato", "Rossi Mario"},
                                         {"Pagamento_ID", terms},
                                         {"Annullato", false}});
        db.insert("Clienti", {{"NominativoDocumenti", "Annullato Spa"}, {"Annullato", true}});
        article = insertHeadstone(db);
    }
    double stock() { return stockOf(db(), article); }
    qint64 count(const QString& sql, const QVariantList& binds = {}) {
        return db().scalar(sql, binds).toLongLong();
    }
};

// An invoice of the customer with one article row, built by the rules.
qint64 invoiceWithArticle(Archive& a) {
    const qint64 id = documents::DocumentStore::create(a.db(), DocumentKind::CustomerInvoice, {});
    QVariantMap h = documents::DocumentStore::load(a.db(), id);
    documents::DocumentStore::chooseCustomer(a.db(), DocumentKind::CustomerInvoice, h, a.customer);
    EXPECT_FALSE(documents::DocumentRows::addByCode(a.db(), DocumentKind::CustomerInvoice, id,
                                                    QStringLiteral("LAP01")));
    return id;
}

// Quote n. 7 of 02/11/2026 for the customer, not yet invoiced: one row of
// 20,00 at 22%.
qint64 quoteOfTheCustomer(Archive& a) {
    const qint64 quote = a.db().insert("PreventiTestata", {{"Numero", 7},
                                                           {"Data", QDate(2026, 11, 2)},
                                                           {"Cliente_ID", a.customer},
                                                           {"Fatturato", false}});
    a.db().insert("PreventiRighe", {{"Prev_ID", quote},
                                    {"NumeroRiga", 1},
                                    {"TipoRiga", "A"},
                                    {"Descrizione", "Scritta"},
                                    {"Um", 1.0},
                                    {"ValoreUnitario", 20.0},
                                    {"AliquotaIva", 22.0}});
    return quote;
}

} // namespace

// The whole path of a new invoice: "Aggiungi" from the list opened through
// the main window's button, the customer (whose terms give two instalments),
// a row by code, a free row completed in the row editor, "Indietro"; the
// reopened invoice shows what was entered.
TEST(InvoiceScreens, NewInvoiceWithCodeAndFreeRowsIsFoundAgainFromTheList) {
    FOR_EACH_ENGINE(engine) {
        Archive a(engine);
        bool reopened = false;
        onNextModal<InvoiceList>([&](InvoiceList* list) {
            EXPECT_EQ(list->grid()->records()->rowCount(), 0);
            onNextModal<InvoiceEditor>([&](InvoiceEditor* editor) {
                EXPECT_TRUE(editor->isModified());
                EXPECT_EQ(editor->pages()->count(), 6);
                // Cancelled customers are not offered.
                auto* customers = qobject_cast<QComboBox*>(
                    editor->fields()->editor(QStringLiteral("Cliente_ID")));
                EXPECT_LT(customers->findText(QStringLiteral("Annullato Spa")), 0);
                choose(customers, a.customer);
                EXPECT_EQ(editor->instalmentsGrid()->records()->rowCount(), 2);

                typeInto(editor->codeBox(), QStringLiteral("NOPE"));
                QTest::keyClick(editor->codeBox(), Qt::Key_Return);
                EXPECT_EQ(a.interaction.texts_of("warning").value(0),
                          QStringLiteral("Attenzione il codice non risulta in archivio!!!"));
                typeInto(editor->codeBox(), QStringLiteral("LAP01"));
                QTest::keyClick(editor->codeBox(), Qt::Key_Return);
                EXPECT_EQ(editor->rowsGrid()->records()->rowCount(), 1);
                EXPECT_EQ(fieldText(editor, "TotFattura"), QStringLiteral("122,00"));

                onNextModal<InvoiceRowEditor>([&](InvoiceRowEditor* row) {
                    auto* f = row->fields();
                    typeInto(f->editor("Descrizione"), QStringLiteral("Posa in opera"));
                    typeInto(f->editor("Um"), QStringLiteral("2"));
                    typeInto(f->editor("ValoreUnitario"), QStringLiteral("50"));
                    choose(f->editor("Iva_ID"), 1);
                    // F12 on the price: a free row has no earlier price.
                    QTest::keyClick(f->editor("ValoreUnitario"), Qt::Key_F12);
                    EXPECT_EQ(a.interaction.texts_of("information").value(0),
                              QStringLiteral("Non sono presenti fatture per questo articolo e "
                                             "per questo Cliente!"));
                    screenshot(row, QStringLiteral("invoice-row"));
                    click(row, "spdSalva");
                });
                click(editor, "btnArticoloNonInArchivio");
                EXPECT_EQ(editor->rowsGrid()->records()->rowCount(), 2);
                EXPECT_EQ(fieldText(editor, "TotImponibile"), QStringLiteral("200,00"));
                EXPECT_EQ(fieldText(editor, "TotFattura"), QStringLiteral("244,00"));
                EXPECT_EQ(shown(editor->instalmentsGrid(), 0, "Importo"), QStringLiteral("122,00"));
                screenshot(editor, QStringLiteral("invoice-editor"));
                editor->pages()->setCurrentIndex(1);
                screenshot(editor, QStringLiteral("invoice-editor-rows"));
                click(editor, "spdIndietro");
            });
            click(list, "spdAggiungi");
            EXPECT_TRUE(a.interaction.texts_of("error").isEmpty())
                << a.interaction.texts_of("error").join(" | ").toStdString();
            ASSERT_EQ(list->grid()->records()->rowCount(), 1);
            EXPECT_EQ(shown(list->grid(), 0, "Cliente"), QStringLiteral("Rossi Mario"));
            EXPECT_EQ(shown(list->grid(), 0, "TotFattura"), QStringLiteral("244,00"));
            screenshot(list, QStringLiteral("invoice-list"));

            onNextModal<InvoiceEditor>([&](InvoiceEditor* editor) {
                reopened = true;
                EXPECT_FALSE(editor->isModified());
                ui::DataGrid* rows = editor->rowsGrid();
                ASSERT_EQ(rows->records()->rowCount(), 2);
                EXPECT_EQ(shown(rows, 0, "Codice"), QStringLiteral("LAP01"));
                EXPECT_EQ(shown(rows, 1, "Descrizione"), QStringLiteral("Posa in opera"));
                EXPECT_EQ(shown(rows, 1, "ValoreTotale"), QStringLiteral("122,00"));
                EXPECT_EQ(fieldText(editor, "TotFattura"), QStringLiteral("244,00"));
                EXPECT_EQ(editor->instalmentsGrid()->records()->rowCount(), 2);
                click(editor, "spdIndietro");
            });
            list->openCurrent();
            click(list, "spdIndietro");
        });
        a.registry.find(QStringLiteral("btnFattureClienti"))(nullptr, a.context);
        EXPECT_TRUE(reopened);
        EXPECT_EQ(a.count("select count(*) from FatturaScadenze where Tipo = 'F'"), 2);
    }
}

// "Indietro" runs the checks: without a customer the editor stays open on
// its message.
TEST(InvoiceScreens, LeavingAnInvoiceWithoutCustomerStaysOpen) {
    Archive a(db::Engine::SQLite);
    const qint64 id = documents::DocumentStore::create(a.db(), DocumentKind::CustomerInvoice, {});
    InvoiceEditor editor(a.context, DocumentKind::CustomerInvoice, id, true);
    editor.show();
    editor.goBack();
    EXPECT_EQ(a.interaction.texts_of("error"),
              QStringList{QStringLiteral("Attenzione manca il cliente della fattura")});
    EXPECT_TRUE(editor.validationFailed());
    EXPECT_TRUE(editor.isVisible());
    EXPECT_EQ(editor.focusWidget(), editor.fields()->editor(QStringLiteral("Cliente_ID")));
}

// A credit note for the customer's invoice: "Trova Fattura" picks it,
// "Importa Righe" copies its row and puts the piece back in stock; the
// totals follow, and a second import does not double the rows.
TEST(InvoiceScreens, CreditNoteImportsTheRowsOfTheChosenInvoice) {
    FOR_EACH_ENGINE(engine) {
        Archive a(engine);
        const qint64 invoice = invoiceWithArticle(a);
        const double stockBefore = a.stock();
        onNextModal<InvoiceList>([&](InvoiceList* list) {
            onNextModal<InvoiceEditor>([&](InvoiceEditor* editor) {
                EXPECT_EQ(editor->pages()->count(), 5);
                // No customer yet: the finder is not opened.
                click(editor, "btnTrovaFattura");
                EXPECT_EQ(a.interaction.texts_of("error").value(0),
                          QStringLiteral("Attenzione E' necessario scegliere il Cliente prima di "
                                         "poter proseguire"));
                choose(editor->fields()->editor("Cliente_ID"), a.customer);
                click(editor, "btnImportaRighe");
                EXPECT_EQ(a.interaction.texts_of("error").value(1),
                          QStringLiteral("Attenzione E' necessario trovare e scegliere una fattura "
                                         "prima di poterne importare le righe"));
                onNextModal<InvoicePicker>([&](InvoicePicker* finder) {
                    EXPECT_EQ(finder->table()->rowCount(), 1);
                    click(finder, "btnScegli");
                });
                click(editor, "btnTrovaFattura");
                EXPECT_EQ(fieldText(editor, "NCFattNumRif"), QStringLiteral("1"));
                click(editor, "btnImportaRighe");
                click(editor, "btnImportaRighe");
                EXPECT_EQ(a.interaction.texts_of("information")
                              .count(QStringLiteral("Importazione avvenuta con successo !")),
                          2);
                ASSERT_EQ(editor->rowsGrid()->records()->rowCount(), 1);
                EXPECT_EQ(shown(editor->rowsGrid(), 0, "Codice"), QStringLiteral("LAP01"));
                EXPECT_EQ(fieldText(editor, "TotFattura"), QStringLiteral("122,00"));
                screenshot(editor, QStringLiteral("credit-note-editor"));
                click(editor, "spdIndietro");
            });
            click(list, "spdAggiungi");
            EXPECT_EQ(list->grid()->records()->rowCount(), 1);
            click(list, "spdIndietro");
        });
        a.registry.find(QStringLiteral("btnNoteCreditoClienti"))(nullptr, a.context);

        const db::Row note = a.db().query("select * from fattura where FattNota = true").first();
        EXPECT_EQ(note.integer("NCFattIDRif"), invoice);
        EXPECT_EQ(note.integer("Cliente_ID"), a.customer);
        EXPECT_DOUBLE_EQ(note.number("TotFattura"), 122.0);
        EXPECT_EQ(a.count("select count(*) from NotaCreditoRighe where NotaCredito_ID = ? and "
                          "Fattura_ID = ?",
                          {note.integer("Id"), invoice}),
                  1);
        EXPECT_DOUBLE_EQ(a.stock(), stockBefore + 1);
    }
}

// "Elimina" on the list takes the invoice with its rows (stock back), its
// instalments, attachments and quote link; the quote can be invoiced again.
TEST(InvoiceScreens, DeletingAnInvoiceFromTheListRemovesWhatHangsOnIt) {
    FOR_EACH_ENGINE(engine) {
        Archive a(engine);
        db::Database& db = a.db();
        const qint64 invoice = invoiceWithArticle(a);
        const qint64 quote = quoteOfTheCustomer(a);
        ASSERT_FALSE(documents::QuoteImport::import(db, invoice, quote));
        db.insert("Fattura_Allegati", {{"Fattura_Id", invoice}, {"NomeAttachment", "foto.pdf"}});
        const qint64 other = invoiceWithArticle(a);
        const double stockBefore = a.stock();

        onNextModal<InvoiceList>([&](InvoiceList* list) {
            ASSERT_EQ(list->grid()->records()->rowCount(), 2);
            ASSERT_TRUE(list->grid()->selectKey(invoice));
            a.interaction.answers.enqueue(false);
            click(list, "spdElimina");
            EXPECT_EQ(list->grid()->records()->rowCount(), 2);
            click(list, "spdElimina");
            ASSERT_EQ(list->grid()->records()->rowCount(), 1);
            EXPECT_EQ(list->grid()->keyAt(0), other);
            click(list, "spdIndietro");
        });
        a.registry.find(QStringLiteral("btnFattureClienti"))(nullptr, a.context);

        EXPECT_EQ(a.interaction.texts_of("question").value(0),
                  QStringLiteral("Sei sicuro di voler eliminare la fattura?"));
        EXPECT_EQ(a.count("select count(*) from fattura where Id = ?", {invoice}), 0);
        EXPECT_EQ(a.count("select count(*) from fattdett where NumFatt = ?", {invoice}), 0);
        EXPECT_EQ(a.count("select count(*) from FatturaScadenze where Fattura_ID = ?", {invoice}),
                  0);
        EXPECT_EQ(a.count("select count(*) from Fattura_Allegati where Fattura_Id = ?", {invoice}),
                  0);
        EXPECT_EQ(a.count("select count(*) from FatturaPreventiviRighe"), 0);
        EXPECT_FALSE(
            db.scalar("select Fatturato from PreventiTestata where Id = ?", {quote}).toBool());
        EXPECT_DOUBLE_EQ(a.stock(), stockBefore + 1);
        EXPECT_EQ(a.count("select count(*) from fattdett where NumFatt = ?", {other}), 1);

        // The deletion stands in the record of documents, which filters by event.
        onNextModal<DocumentLogList>([&](DocumentLogList* log) {
            ASSERT_EQ(log->grid()->records()->rowCount(), 1);
            EXPECT_EQ(shown(log->grid(), 0, "Evento"), "Eliminato");
            EXPECT_EQ(shown(log->grid(), 0, "Intestatario"), "Rossi Mario");
            screenshot(log, "registro-documenti");
            auto* event = log->findChild<QComboBox*>("cboEvento");
            ASSERT_NE(event, nullptr);
            event->setCurrentIndex(event->findText("Esportato in XML"));
            EXPECT_EQ(log->grid()->records()->rowCount(), 0);
            click(log, "spdIndietro");
        });
        a.registry.find(QStringLiteral("btnUtilityRegistroDocumenti"))(nullptr, a.context);
    }
}

// History lists show the documents dated in the chosen period, whatever
// their flag, and none of the current ones outside it.
TEST(InvoiceScreens, HistoryListShowsThePeriodChosen) {
    Archive a(db::Engine::SQLite);
    db::Database& db = a.db();
    const auto make = [&](const QDate& date, bool history) {
        return db.insert("fattura", {{"Carico", false},
                                     {"FattNota", false},
                                     {"Storico", history},
                                     {"Num", 1},
                                     {"Data", date},
                                     {"Cliente", "Rossi Mario"}});
    };
    const qint64 old = make(QDate(2024, 12, 31), true);
    make(QDate(2023, 5, 1), true);
    const qint64 current = make(QDate(2026, 3, 1), false);

    a.context.history = true;
    a.context.historyFrom = QDate(2024, 1, 1);
    a.context.historyTo = QDate(2024, 12, 31);
    InvoiceList history(a.context, DocumentKind::CustomerInvoice);
    ASSERT_EQ(history.grid()->records()->rowCount(), 1);
    EXPECT_EQ(history.grid()->keyAt(0), old);

    a.context.history = false;
    InvoiceList list(a.context, DocumentKind::CustomerInvoice);
    ASSERT_EQ(list.grid()->records()->rowCount(), 1);
    EXPECT_EQ(list.grid()->keyAt(0), current);
}

// The "Importazioni" page: a quote of the customer chosen from the
// drop-down brings its rows and is no longer offered; "Elimina Riga" takes
// them away and offers it again.
TEST(InvoiceScreens, QuoteImportedFromTheImportsPageCanBeRemovedAgain) {
    Archive a(db::Engine::SQLite);
    const qint64 invoice = invoiceWithArticle(a);
    const qint64 quote = quoteOfTheCustomer(a);
    InvoiceEditor editor(a.context, DocumentKind::CustomerInvoice, invoice, false);
    QComboBox* quotes = editor.quoteChoice();
    ASSERT_EQ(quotes->count(), 2);
    EXPECT_EQ(quotes->itemText(1), QStringLiteral("N° 7 Data: 02/11/2026"));
    choose(quotes, quote);
    EXPECT_EQ(editor.rowsGrid()->records()->rowCount(), 2);
    EXPECT_EQ(quotes->count(), 1);
    ASSERT_EQ(editor.quotesGrid()->records()->rowCount(), 1);
    EXPECT_EQ(fieldText(&editor, "TotFattura"), QStringLiteral("146,40"));
    EXPECT_TRUE(editor.isModified());
    if (!screenshotFolder().isEmpty()) {
        editor.show();
        for (int page = 2; page < editor.pages()->count(); ++page) {
            editor.pages()->setCurrentIndex(page);
            screenshot(&editor, QStringLiteral("invoice-page-%1").arg(page));
        }
        editor.pages()->setCurrentIndex(0);
    }

    editor.quotesGrid()->selectRow(0);
    click(&editor, "btnEliminaRigaPreventivi");
    EXPECT_EQ(editor.rowsGrid()->records()->rowCount(), 1);
    EXPECT_EQ(editor.quotesGrid()->records()->rowCount(), 0);
    EXPECT_EQ(quotes->count(), 2);
    EXPECT_EQ(fieldText(&editor, "TotFattura"), QStringLiteral("122,00"));
}

// The instalment card from the reminder: "Oggi" records the payment and
// "Indietro" saves it; a card without a description stays open on its
// message.
TEST(InvoiceScreens, InstalmentCardRecordsThePayment) {
    Archive a(db::Engine::SQLite);
    db::Database& db = a.db();
    const qint64 invoice = invoiceWithArticle(a);
    const qint64 first =
        db.scalar("select Id from FatturaScadenze where Fattura_ID = ? and Numero = 1", {invoice})
            .toLongLong();
    ASSERT_GT(first, 0);
    a.context.recordKey = first;
    onNextModal<documents::ui::InstalmentCard>([&](documents::ui::InstalmentCard* card) {
        EXPECT_EQ(card->findChild<QLineEdit*>("txtNominativo")->text(),
                  QStringLiteral("Rossi Mario"));
        click(card, "btnVedi");
        EXPECT_EQ(a.interaction.texts_of("error").value(0),
                  QStringLiteral("Attenzione manca il percorso dell'immagine"));
        click(card, "btnOggi");
        screenshot(card, QStringLiteral("instalment-card"));
        click(card, "spdIndietro");
    });
    a.registry.find(QStringLiteral("scadenza"))(nullptr, a.context);
    const db::Row paid = db.query("select * from FatturaScadenze where Id = ?", {first}).first();
    EXPECT_TRUE(paid.boolean("Pagato"));
    EXPECT_EQ(paid.date("DataPagamento"), QDate::currentDate());

    // A new instalment from the editor: no description, the card stays.
    InvoiceEditor editor(a.context, DocumentKind::CustomerInvoice, invoice, false);
    onNextModal<documents::ui::InstalmentCard>([&](documents::ui::InstalmentCard* card) {
        typeInto(card->fields()->editor("Importo"), QStringLiteral("10"));
        click(card, "spdIndietro");
        EXPECT_TRUE(card->isVisible());
        EXPECT_EQ(a.interaction.texts_of("error").last(),
                  QStringLiteral("Attenzione manca la descrizione dell'operazione !!"));
        typeInto(card->fields()->editor("Operazione"), QStringLiteral("Acconto"));
        click(card, "spdIndietro");
    });
    click(&editor, "btnAggiungiRata");
    ASSERT_EQ(editor.instalmentsGrid()->records()->rowCount(), 3);
    EXPECT_EQ(shown(editor.instalmentsGrid(), 2, "Operazione"), QStringLiteral("Acconto"));
    EXPECT_EQ(shown(editor.instalmentsGrid(), 2, "Importo"), QStringLiteral("10,00"));

    // "Annulla" on a new instalment takes it away again.
    onNextModal<documents::ui::InstalmentCard>(
        [&](documents::ui::InstalmentCard* card) { click(card, "spdAnnulla"); });
    click(&editor, "btnAggiungiRata");
    EXPECT_EQ(a.interaction.texts_of("question").last(),
              QStringLiteral("Sei sicuro di voler annullare l'inserimento ?"));
    EXPECT_EQ(editor.instalmentsGrid()->records()->rowCount(), 3);
}

// A date typed before the one of the previous invoice is warned about when
// the field is left; the editing goes on.
TEST(InvoiceScreens, DateBeforeThePreviousInvoiceIsWarnedOnLeavingTheField) {
    Archive a(db::Engine::SQLite);
    documents::DocumentStore::create(a.db(), DocumentKind::CustomerInvoice,
                                     {false, QString(), QDate(2026, 12, 20)});
    const qint64 second = documents::DocumentStore::create(a.db(), DocumentKind::CustomerInvoice,
                                                           {false, QString(), QDate(2026, 12, 21)});
    InvoiceEditor editor(a.context, DocumentKind::CustomerInvoice, second, false);
    emit qobject_cast<QLineEdit*>(editor.fields()->editor("Data"))->editingFinished();
    EXPECT_TRUE(a.interaction.messages.isEmpty());
    typeInto(editor.fields()->editor("Data"), QStringLiteral("19122026"));
    ASSERT_EQ(a.interaction.messages.size(), 1);
    EXPECT_EQ(a.interaction.messages[0].title, documents::Numbering::dateOrderTitle());
    EXPECT_EQ(fieldText(&editor, "Data"), QStringLiteral("19/12/2026"));
    EXPECT_TRUE(editor.isModified());
}

// With the automatic stamp off, a stamp typed by hand reaches the total and
// the instalments as soon as the field is left, before "Salva".
TEST(InvoiceScreens, StampTypedByHandEntersTheTotalOnLeavingTheField) {
    Archive a(db::Engine::SQLite);
    a.db().exec("update opzioni set MarcaDaBolloDocumenti = ?", {false});
    const qint64 id = invoiceWithArticle(a);
    InvoiceEditor editor(a.context, DocumentKind::CustomerInvoice, id, false);
    EXPECT_EQ(fieldText(&editor, "TotFattura"), QStringLiteral("122,00"));
    typeInto(editor.fields()->editor("ImportoMarcaBollo"), QStringLiteral("2"));
    EXPECT_EQ(fieldText(&editor, "TotFattura"), QStringLiteral("124,00"));
    EXPECT_DOUBLE_EQ(a.db().scalar("select TotFattura from fattura where Id = ?", {id}).toDouble(),
                     124.0);
    EXPECT_DOUBLE_EQ(
        a.db()
            .scalar("select sum(Importo) from FatturaScadenze where Fattura_ID = ?", {id})
            .toDouble(),
        124.0);
    EXPECT_TRUE(a.interaction.messages.isEmpty());
}

// The list's filters apply with "cerca" and go with "reset".
TEST(InvoiceScreens, ListFiltersApplyOnSearchAndReset) {
    Archive a(db::Engine::SQLite);
    const qint64 first = invoiceWithArticle(a);
    const qint64 second =
        documents::DocumentStore::create(a.db(), DocumentKind::CustomerInvoice, {});
    InvoiceList list(a.context, DocumentKind::CustomerInvoice);
    ASSERT_EQ(list.grid()->records()->rowCount(), 2);

    QTest::keyClicks(list.filterBox("txtDalNumero"), QStringLiteral("2"));
    EXPECT_EQ(list.grid()->records()->rowCount(), 2); // not applied before "cerca"
    click(&list, "btnCerca");
    ASSERT_EQ(list.grid()->records()->rowCount(), 1);
    EXPECT_EQ(list.grid()->keyAt(0), second);
    EXPECT_EQ(list.selection(), QStringLiteral("fattura.Num >= 2"));

    click(&list, "btnReset");
    choose(list.filterChoice("cboCliente"), a.customer);
    click(&list, "btnCerca");
    ASSERT_EQ(list.grid()->records()->rowCount(), 1);
    EXPECT_EQ(list.grid()->keyAt(0), first);

    click(&list, "btnReset");
    EXPECT_EQ(list.grid()->records()->rowCount(), 2);
    EXPECT_TRUE(list.selection().isEmpty());
}

// Row and attachment deletes in the editor ask first; the totals follow the
// rows, the attachments are listed by name.
TEST(InvoiceScreens, EditorDeletesAskFirst) {
    Archive a(db::Engine::SQLite);
    const qint64 invoice = invoiceWithArticle(a);
    a.db().insert("Fattura_Allegati", {{"Fattura_Id", invoice}, {"NomeAttachment", "zeta.pdf"}});
    a.db().insert("Fattura_Allegati", {{"Fattura_Id", invoice}, {"NomeAttachment", "alfa.pdf"}});
    InvoiceEditor editor(a.context, DocumentKind::CustomerInvoice, invoice, false);

    editor.rowsGrid()->selectRow(0);
    a.interaction.answers.enqueue(false);
    click(&editor, "btnEliminaRiga");
    EXPECT_EQ(editor.rowsGrid()->records()->rowCount(), 1);
    click(&editor, "btnEliminaRiga");
    EXPECT_EQ(editor.rowsGrid()->records()->rowCount(), 0);
    EXPECT_EQ(fieldText(&editor, "TotFattura"), QStringLiteral("0,00"));
    EXPECT_EQ(a.interaction.texts_of("question"),
              QStringList(2, QStringLiteral("Sei sicuro di voler eliminare la riga?")));

    ui::DataGrid* attachments = editor.attachmentsGrid();
    ASSERT_EQ(attachments->records()->rowCount(), 2);
    EXPECT_EQ(shown(attachments, 0, "NomeAttachment"), QStringLiteral("alfa.pdf"));
    attachments->selectRow(0);
    click(&editor, "btnEliminaAllegato");
    EXPECT_EQ(a.interaction.texts_of("question").last(),
              QStringLiteral("Sei sicuro di voler eliminare il Record dell'Allegato ?"));
    ASSERT_EQ(attachments->records()->rowCount(), 1);
    EXPECT_EQ(shown(attachments, 0, "NomeAttachment"), QStringLiteral("zeta.pdf"));
}

// The invoice list reads its rows once when it opens, with its own filter.
TEST(InvoiceScreens, ListReadsItsRowsOnceWhenItOpens) {
    Archive a(db::Engine::SQLite);
    invoiceWithArticle(a);
    quint64 before = a.db().statementCount();
    InvoiceList list(a.context, DocumentKind::CustomerInvoice);
    const quint64 opening = a.db().statementCount() - before;
    before = a.db().statementCount();
    list.refresh();
    const quint64 reading = a.db().statementCount() - before;
    EXPECT_EQ(list.grid()->records()->rowCount(), 1);
    EXPECT_LT(opening, 2 * reading);
}

// An invoice already exported as XML says when on opening, and asks once
// before the first change of its totals; "No" leaves the rows as they were.
TEST(InvoiceScreens, ExportedInvoiceSaysSoAndAsksBeforeChangingItsTotals) {
    Archive a(db::Engine::SQLite);
    const qint64 invoice = invoiceWithArticle(a);
    {
        InvoiceEditor fresh(a.context, DocumentKind::CustomerInvoice, invoice, false);
        EXPECT_FALSE(
            fresh.findChild<QLabel*>(QStringLiteral("lblEsportatoXml"))->isVisibleTo(&fresh));
    }
    a.db().update("fattura", invoice,
                  {{"EsportatoXml", true},
                   {"DataEsportazioneXml", QDateTime(QDate(2026, 12, 7), QTime(10, 15))}});
    InvoiceEditor editor(a.context, DocumentKind::CustomerInvoice, invoice, false);
    auto* notice = editor.findChild<QLabel*>(QStringLiteral("lblEsportatoXml"));
    EXPECT_TRUE(notice->isVisibleTo(&editor));
    EXPECT_TRUE(notice->text().startsWith(
        QStringLiteral("Documento già esportato in XML il 07/12/2026 alle 10:15")))
        << notice->text().toStdString();

    editor.rowsGrid()->selectRow(0);
    a.interaction.answers.enqueue(false);
    click(&editor, "btnEliminaRiga");
    EXPECT_EQ(editor.rowsGrid()->records()->rowCount(), 1);
    EXPECT_TRUE(a.interaction.texts_of("question")
                    .value(0)
                    .startsWith(QStringLiteral(
                        "Il documento è già stato esportato in XML il 07/12/2026 alle 10:15.")));

    // Yes once: the delete question follows, and later changes ask no more.
    a.interaction.answers.enqueue(true);
    a.interaction.answers.enqueue(false);
    click(&editor, "btnEliminaRiga");
    EXPECT_EQ(a.interaction.texts_of("question").size(), 3);
    EXPECT_EQ(a.interaction.texts_of("question").last(),
              QStringLiteral("Sei sicuro di voler eliminare la riga?"));
    editor.codeBox()->setText(QStringLiteral("LAP01"));
    editor.addRowByCode();
    EXPECT_EQ(editor.rowsGrid()->records()->rowCount(), 2);
    EXPECT_EQ(a.interaction.texts_of("question").size(), 3);
}

// "Aggiungi", two contract rows imported, then "Annulla" and Yes: the invoice
// is gone with its rows and instalments, and the contract rows can be
// invoiced again.
TEST(InvoiceScreens, CancellingANewInvoiceTakesAwayWhatItWrote) {
    FOR_EACH_ENGINE(engine) {
        Archive a(engine);
        db::Database& db = a.db();
        const qint64 contract = db.insert("ContrattiTestata", {{"Numero", 1},
                                                               {"Data", QDate(2026, 1, 5)},
                                                               {"Cliente_ID", a.customer},
                                                               {"Storico", false}});
        for (int n = 1; n <= 2; ++n)
            db.insert("ContrattiRighe", {{"Testata_ID", contract},
                                         {"NumeroRiga", n},
                                         {"Descrizione", "Canone"},
                                         {"Um", 1.0},
                                         {"ValoreUnitario", 100.0},
                                         {"AliquotaIva", 22.0},
                                         {"Fatturato", false}});
        const qint64 before = db.scalar("select count(*) from fattura").toLongLong();
        const qint64 id = documents::DocumentStore::create(db, DocumentKind::CustomerInvoice,
                                                           {false, QString(), QDate(2026, 3, 2)});
        InvoiceEditor editor(a.context, DocumentKind::CustomerInvoice, id, true);
        editor.show();
        choose(editor.fields()->editor(QStringLiteral("Cliente_ID")), a.customer);
        for (int i = 0; i < 2; ++i) {
            ASSERT_GT(editor.contractChoice()->count(), 1);
            editor.contractChoice()->setCurrentIndex(1);
            emit editor.contractChoice()->activated(1);
        }
        ASSERT_EQ(editor.rowsGrid()->records()->rowCount(), 2);
        ASSERT_EQ(db.scalar("select count(*) from ContrattiRighe where Fatturato = true").toInt(),
                  2);

        a.interaction.answers.enqueue(true);
        click(&editor, "spdAnnulla");
        EXPECT_FALSE(editor.isVisible());
        EXPECT_EQ(db.scalar("select count(*) from fattura").toLongLong(), before);
        EXPECT_EQ(db.scalar("select count(*) from fattdett where NumFatt = ?", {id}).toInt(), 0);
        EXPECT_EQ(
            db.scalar("select count(*) from FatturaScadenze where Fattura_ID = ?", {id}).toInt(),
            0);
        EXPECT_EQ(db.scalar("select count(*) from ContrattiRighe where Fatturato = true").toInt(),
                  0);
    }
}
