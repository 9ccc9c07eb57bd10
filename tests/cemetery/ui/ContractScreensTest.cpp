#include "cemetery/ui/ContractScreens.h"

#include "ModalWindows.h"
#include "ScreenArchive.h"
#include "ScreenHelpers.h"
#include "cemetery/MissingPayments.h"
#include "cemetery/ui/ContractPickers.h"
#include "printing/CemeteryReports.h"
#include "printing/PrintJob.h"
#include "printing/ReportPainter.h"
#include "printing/ReportRequest.h"
#include "ui/DataGrid.h"
#include "ui/LazyChoice.h"
#include "ui/RecordModel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

using namespace uitest;
using cemetery::ui::ContractArticlePicker;
using cemetery::ui::ContractCard;
using cemetery::ui::ContractList;
using Screens = ScreenArchive;

TEST(ContractScreens, NewContractWithCustomerAndCatalogueRowIsReopenedAsSaved) {
    FOR_EACH_ENGINE(engine) {
        Screens s(engine);
        db::Database& d = s.archive.db();
        const qint64 customer = d.insert("Clienti", {{"NominativoDocumenti", "Rossi Anna"},
                                                     {"NominativoVisualizzato", "Rossi Anna"},
                                                     {"Annullato", false}});
        d.insert("prezziar", {{"Codice", "LV"},
                              {"Descrizione", "Lampada votiva annuale"},
                              {"Prezzo", 30.0},
                              {"AliquotaIva", 22.0},
                              {"Iva_Id", 1},
                              {"Annullato", false}});
        d.insert("prezziar", {{"Codice", "MN"},
                              {"Descrizione", "Manutenzione loculo"},
                              {"Prezzo", 50.0},
                              {"AliquotaIva", 22.0},
                              {"Annullato", false}});

        ContractList list(s.context);
        list.show();
        bool ran = false;
        onNextModal<ContractCard>([&](ContractCard* card) {
            ran = true;
            EXPECT_EQ(card->value("Numero").toInt(), 1);
            EXPECT_EQ(card->value("Data").toDate(), QDate::currentDate());

            // Without a customer the rows page stays empty.
            card->pages()->setCurrentIndex(1);
            EXPECT_EQ(s.interaction.texts_of("error"),
                      QStringList{"Attenzione manca il Cliente del Contratto"});
            EXPECT_EQ(card->pages()->currentIndex(), 0);
            EXPECT_FALSE(card->rowsContent()->isVisibleTo(card));

            auto* customers = qobject_cast<QComboBox*>(card->editor("Cliente_ID"));
            customers->setCurrentIndex(customers->findText("Rossi Anna"));
            card->pages()->setCurrentIndex(1);
            EXPECT_TRUE(card->rowsContent()->isVisibleTo(card));

            // Two articles from the price list, chosen together.
            bool picked = false;
            onNextModal<ContractArticlePicker>([&](ContractArticlePicker* picker) {
                picked = true;
                ASSERT_EQ(picker->grid()->records()->rowCount(), 2);
                QTest::keyClicks(picker->searchBox(), "lamp");
                ASSERT_EQ(picker->grid()->records()->rowCount(), 1);
                picker->grid()->selectRow(0);
                picker->chooseButton()->click();
            });
            card->rowAddButton()->click();
            EXPECT_TRUE(picked);
            ASSERT_EQ(card->rowsGrid()->records()->rowCount(), 1);
            EXPECT_EQ(shown(card->rowsGrid(), 0, "Descrizione"), "Lampada votiva annuale");
            EXPECT_EQ(shown(card->rowsGrid(), 0, "ValoreTotale"), "36,60");
            EXPECT_FALSE(card->value("Chiuso").toBool());

            // An unknown code warns and adds nothing.
            QTest::keyClicks(card->codeBox(), "ZZ");
            QTest::keyClick(card->codeBox(), Qt::Key_Return);
            EXPECT_EQ(s.interaction.texts_of("warning"),
                      QStringList{"Attenzione il codice non risulta in archivio!!!"});
            EXPECT_TRUE(card->codeBox()->text().isEmpty());
            QTest::keyClicks(card->codeBox(), "MN");
            QTest::keyClick(card->codeBox(), Qt::Key_Return);
            EXPECT_EQ(card->rowsGrid()->records()->rowCount(), 2);
            screenshot(card, "contratto-righe");
            card->pages()->setCurrentIndex(0);
            screenshot(card, "contratto-testata");
            card->backButton()->click();
        });
        list.addButton()->click();
        ASSERT_TRUE(ran);

        ASSERT_EQ(list.grid()->records()->rowCount(), 1);
        EXPECT_EQ(shown(list.grid(), 0, "Cliente"), "Rossi Anna");
        screenshot(&list, "contratti-elenco");

        bool reopened = false;
        onNextModal<ContractCard>([&](ContractCard* card) {
            reopened = true;
            EXPECT_FALSE(card->cancelButton()->isVisible());
            EXPECT_EQ(card->value("Cliente_ID").toLongLong(), customer);
            EXPECT_EQ(card->rowsGrid()->records()->rowCount(), 2);
            card->backButton()->click();
        });
        list.openCurrent();
        ASSERT_TRUE(reopened);
        EXPECT_EQ(d.scalar("select Cliente from ContrattiTestata").toString(), "Rossi Anna");
        EXPECT_EQ(d.scalar("select count(*) from ContrattiRighe").toInt(), 2);
    }
}

TEST(ContractScreens, ListFilterAndDeleteWithItsRows) {
    Screens s;
    db::Database& d = s.archive.db();
    const qint64 rossi = d.insert("Clienti", {{"NominativoDocumenti", "Rossi"},
                                              {"NominativoVisualizzato", "Rossi"},
                                              {"Annullato", false}});
    const qint64 verdi = d.insert("Clienti", {{"NominativoDocumenti", "Verdi"},
                                              {"NominativoVisualizzato", "Verdi"},
                                              {"Annullato", false}});
    const qint64 first = d.insert("ContrattiTestata", {{"Numero", 1},
                                                       {"Data", QDate(2026, 1, 5)},
                                                       {"Cliente_ID", rossi},
                                                       {"Cliente", "Rossi"},
                                                       {"Chiuso", false},
                                                       {"Storico", false}});
    d.insert("ContrattiRighe", {{"Testata_ID", first}, {"Descrizione", "Canone"}});
    d.insert("ContrattiTestata", {{"Numero", 2},
                                  {"Data", QDate(2026, 2, 5)},
                                  {"Cliente_ID", verdi},
                                  {"Cliente", "Verdi"},
                                  {"Chiuso", true},
                                  {"Storico", false}});

    ContractList list(s.context);
    list.show();
    ASSERT_EQ(list.grid()->records()->rowCount(), 2);
    // Newest first.
    EXPECT_EQ(shown(list.grid(), 0, "Cliente"), "Verdi");

    // The names are read when the drop-down is first opened.
    list.customerBox()->showPopup();
    list.customerBox()->hidePopup();
    list.customerBox()->setCurrentIndex(list.customerBox()->findText("Rossi"));
    list.searchButton()->click();
    ASSERT_EQ(list.grid()->records()->rowCount(), 1);
    EXPECT_EQ(list.grid()->currentKey(), first);
    list.resetButton()->click();
    EXPECT_EQ(list.grid()->records()->rowCount(), 2);

    list.grid()->selectKey(first);
    s.interaction.answers.enqueue(true);
    list.deleteButton()->click();
    EXPECT_EQ(s.interaction.texts_of("question"),
              QStringList{"Sei sicuro di voler eliminare il Contratto?"});
    EXPECT_EQ(list.grid()->records()->rowCount(), 1);
    EXPECT_EQ(d.scalar("select count(*) from ContrattiRighe").toInt(), 0);
}

TEST(ContractScreens, FreeRowEditedPaidAndClosedClosesTheContract) {
    Screens s;
    db::Database& d = s.archive.db();
    d.exec("update opzioni set AliquotaIva = 22, Iva_Id = 1");
    const qint64 customer = d.insert("Clienti", {{"NominativoDocumenti", "Rossi"},
                                                 {"NominativoVisualizzato", "Rossi"},
                                                 {"Annullato", false}});
    const qint64 id = d.insert("ContrattiTestata", {{"Numero", 7},
                                                    {"Data", QDate(2026, 1, 5)},
                                                    {"Cliente_ID", customer},
                                                    {"Cliente", "Rossi"},
                                                    {"Chiuso", true},
                                                    {"Storico", false}});
    ContractCard card(s.context, cemetery::ui::contractDefinition(), id, false);
    card.show();
    card.pages()->setCurrentIndex(1);

    bool edited = false;
    onNextModal<cemetery::ui::ContractRowEditor>([&](cemetery::ui::ContractRowEditor* row) {
        edited = true;
        EXPECT_EQ(row->value("Descrizione").toString(), "Articolo da inserire");
        auto set = [row](const char* field, const QString& text) {
            auto* e = qobject_cast<QLineEdit*>(row->editor(field));
            e->selectAll();
            e->setFocus();
            QTest::keyClicks(e, text);
            emit e->editingFinished();
        };
        set("Descrizione", "Canone loculo 12");
        // The unit price from the total including VAT.
        set("ValoreTotale", "122");
        row->unitFromTotalButton()->click();
        EXPECT_DOUBLE_EQ(row->value("ValoreUnitario").toDouble(), 100);
        row->paymentTodayButton()->click();
        qobject_cast<QCheckBox*>(row->editor("Chiuso"))->setChecked(true);
        screenshot(row, "contratto-riga");
        row->backButton()->click();
    });
    card.freeRowButton()->click();
    ASSERT_TRUE(edited);

    const db::Row r = d.query("select * from ContrattiRighe").first();
    EXPECT_EQ(r.text("Descrizione"), "Canone loculo 12");
    EXPECT_DOUBLE_EQ(r.number("ValoreTotale"), 122);
    EXPECT_TRUE(r.boolean("Pagato"));
    EXPECT_EQ(r.date("DataPagamento"), QDate::currentDate());
    // Adding the row opened the contract, closing it closed it again.
    EXPECT_TRUE(card.value("Chiuso").toBool());
    EXPECT_TRUE(d.scalar("select Chiuso from ContrattiTestata").toBool());
    card.backButton()->click();
}

namespace {

printing::PrintJob drawReport(db::Database& d, const printing::ReportCall& call) {
    printing::ReportRequests::write(d, call, QStringLiteral("/opt/ossarion/"));
    return printing::PrintJobs::prepare(d);
}

} // namespace

TEST(ContractReports, ContractReceiptOfOpenRowsAndMissingPayments) {
    FOR_EACH_ENGINE(engine) {
        Screens s(engine);
        db::Database& d = s.archive.db();
        const qint64 customer = d.insert("Clienti", {{"NominativoDocumenti", "Rossi Anna"},
                                                     {"NominativoVisualizzato", "Rossi Anna"},
                                                     {"Citta", "Verona"},
                                                     {"Annullato", false}});
        const qint64 id = d.insert("ContrattiTestata", {{"Numero", 31},
                                                        {"Data", QDate(2026, 1, 5)},
                                                        {"Cliente_ID", customer},
                                                        {"Cliente", "Rossi Anna"},
                                                        {"NumeroRicevuta", 4},
                                                        {"DataRicevuta", QDate(2026, 2, 1)},
                                                        {"Chiuso", false},
                                                        {"Storico", false}});
        auto row = [&](const char* text, double net, bool closed) {
            d.insert("ContrattiRighe", {{"Testata_ID", id},
                                        {"NumeroRiga", 1},
                                        {"Descrizione", text},
                                        {"Um", 1.0},
                                        {"ValoreUnitario", net},
                                        {"AliquotaIva", 22.0},
                                        {"Iva_ID", 1},
                                        {"TotaleImponibile", net},
                                        {"ValoreTotale", net * 1.22},
                                        {"DataInizioPeriodo", QDate(2026, 1, 1)},
                                        {"DataFinePeriodo", QDate(2026, 12, 31)},
                                        {"Chiuso", closed}});
        };
        row("Luce votiva", 100, false);
        row("Canone chiuso", 50, true);
        const qint64 mario = d.insert("Defunti", {{"NominativoDocumenti", "Bianchi Mario"},
                                                  {"NominativoVisualizzato", "Bianchi Mario"}});
        d.insert("ContrattiDefunti", {{"Testata_ID", id}, {"Defunto_ID", mario}});

        const printing::PrintJob contract = drawReport(d, {68, id});
        EXPECT_TRUE(contract.report.unknownNames.isEmpty())
            << contract.report.unknownNames.join(u',').toStdString();
        const QString all = contract.report.texts().join(u'\n');
        if (const QString folder = screenshotFolder(); !folder.isEmpty())
            printing::ReportPainter::writePdf(contract.report,
                                              QDir(folder).filePath("contratto.pdf"), nullptr);
        for (const char* expected :
             {"CONTRATTO", "n. 31 del 05/01/2026", "Rossi Anna", "Luce votiva", "Canone chiuso",
              "Bianchi Mario", "01/01/2026 - 31/12/2026"})
            EXPECT_TRUE(all.contains(QString::fromUtf8(expected))) << expected;

        printing::ReportCall receiptCall{7, id};
        receiptCall.parameter = printing::kContractReceipt;
        const printing::PrintJob receipt = drawReport(d, receiptCall);
        EXPECT_TRUE(receipt.report.unknownNames.isEmpty())
            << receipt.report.unknownNames.join(u',').toStdString();
        const QString text = receipt.report.texts().join(u'\n');
        EXPECT_TRUE(text.contains("RICEVUTA")) << text.toStdString();
        EXPECT_TRUE(text.contains("n. 4 del 01/02/2026"));
        EXPECT_TRUE(text.contains("Luce votiva"));
        EXPECT_FALSE(text.contains("Canone chiuso"));
        EXPECT_TRUE(text.contains("122,00"));

        // The lists: one line per contract, or its rows grouped under it.
        for (int code : {69, 70}) {
            const printing::PrintJob job = drawReport(d, {code, QVariant()});
            EXPECT_TRUE(job.report.unknownNames.isEmpty())
                << code << job.report.unknownNames.join(u',').toStdString();
            const QString shown = job.report.texts().join(u'\n');
            EXPECT_TRUE(shown.contains("Rossi Anna")) << code;
            EXPECT_EQ(shown.contains("Canone chiuso"), code == 70);
        }
        // Contracts by deceased: the deceased under the heading of its contract.
        const printing::PrintJob byDeceased = drawReport(d, {104, QVariant()});
        EXPECT_TRUE(byDeceased.report.unknownNames.isEmpty())
            << byDeceased.report.unknownNames.join(u',').toStdString();
        const QString linked = byDeceased.report.texts().join(u'\n');
        EXPECT_TRUE(linked.contains("Contratto n. 31 del 05/01/2026 - Rossi Anna"))
            << linked.toStdString();
        EXPECT_TRUE(linked.contains("Bianchi Mario"));

        cemetery::MissingPayments::run(d, QDate(2026, 12, 6));
        printing::ReportCall missing;
        missing.code = 12;
        missing.selection = cemetery::MissingPayments::reportSelection(d);
        const printing::PrintJob list = drawReport(d, missing);
        EXPECT_TRUE(list.report.unknownNames.isEmpty())
            << list.report.unknownNames.join(u',').toStdString();
        const QString listed = list.report.texts().join(u'\n');
        EXPECT_TRUE(listed.contains("Rossi Anna"));
        EXPECT_TRUE(listed.contains("nessuno"));
    }
}

// "Rinnova" names the year it is about to write and writes only after a Yes.
TEST(ContractScreens, RenewalAsksBeforeWritingTheNextYear) {
    Screens s;
    db::Database& d = s.archive.db();
    const qint64 customer = d.insert("Clienti", {{"NominativoDocumenti", "Rossi"},
                                                 {"NominativoVisualizzato", "Rossi"},
                                                 {"Annullato", false}});
    const qint64 id = d.insert("ContrattiTestata", {{"Numero", 8},
                                                    {"Data", QDate(2025, 1, 5)},
                                                    {"Cliente_ID", customer},
                                                    {"Cliente", "Rossi"},
                                                    {"Chiuso", false},
                                                    {"Storico", false}});
    d.insert("ContrattiRighe", {{"Testata_ID", id},
                                {"NumeroRiga", 1},
                                {"Descrizione", "Luce votiva"},
                                {"Um", 1.0},
                                {"ValoreUnitario", 20.0},
                                {"AliquotaIva", 22.0},
                                {"DataInizioPeriodo", QDate(2025, 1, 1)},
                                {"DataFinePeriodo", QDate(2025, 12, 31)},
                                {"Chiuso", false},
                                {"Fatturato", false}});
    ContractCard card(s.context, cemetery::ui::contractDefinition(), id, false);
    card.show();
    const auto rows = [&] {
        return d.scalar("select count(*) from ContrattiRighe where Testata_ID = ?", {id}).toInt();
    };

    s.interaction.texts.enqueue("2025");
    s.interaction.answers.enqueue(false);
    click(&card, "btnRinnova");
    EXPECT_EQ(rows(), 1);
    EXPECT_TRUE(s.interaction.texts_of("question")
                    .contains("Le righe del 2025 saranno copiate nel 2026.\nProcedere con il "
                              "rinnovo ?"));

    s.interaction.texts.enqueue("2025");
    s.interaction.answers.enqueue(true);
    click(&card, "btnRinnova");
    EXPECT_EQ(rows(), 2);
}
