#include "cemetery/ui/DeceasedScreens.h"

#include "ModalWindows.h"
#include "ScreenArchive.h"
#include "ScreenHelpers.h"
#include "cemetery/DeceasedRules.h"
#include "cemetery/TableDefaults.h"
#include "cemetery/ui/AreaScreens.h"
#include "cemetery/ui/DeceasedPicker.h"
#include "cemetery/ui/DefaultsDialog.h"
#include "ui/DataGrid.h"
#include "ui/RecordModel.h"

#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace uitest;
using cemetery::ui::DeceasedCard;
using cemetery::ui::DeceasedList;
using Screens = ScreenArchive;

namespace {

// Picks the entry with that key in a field's combo box, without the
// activation signal a click would also send.
void setChoice(ui::CardScreen* card, const QString& field, const QVariant& key) {
    auto* combo = qobject_cast<QComboBox*>(card->editor(field));
    ASSERT_TRUE(combo) << field.toStdString();
    const int at = combo->findData(key);
    ASSERT_GE(at, 0) << field.toStdString();
    combo->setCurrentIndex(at);
}

} // namespace

TEST(DeceasedScreens, NewDeceasedFilledSavedAndReopened) {
    FOR_EACH_ENGINE(engine) {
        Screens s(engine);
        db::Database& db = s.db();
        const qint64 rome = db.insert("Comuni", {{"Comune", "Roma"}, {"Provincia", "RM"}});
        const qint64 category = db.insert(
            "CategoriaDefunti", {{"Descrizione", "Benefattori"}, {"ColoreCategoria", 255}});
        const qint64 area = db.insert("AreeCimitero", {{"Descrizione", "Ala nord"}});

        DeceasedList list(s.context);
        list.show();
        qint64 id = 0;
        onNextModal<DeceasedCard>([&](DeceasedCard* card) {
            id = card->key();
            EXPECT_TRUE(card->cancelButton()->isVisible());
            EXPECT_FALSE(card->saveButton()->isVisible()) << "nothing changed yet";
            typeInto(line(card, "Cognome"), "Rossi");
            EXPECT_TRUE(card->saveButton()->isVisible());
            // Surname alone: only the first name is reported, the card stays.
            card->backButton()->click();
            EXPECT_EQ(s.interaction.texts_of("error"), QStringList{"Attenzione manca il nome"});
            ASSERT_TRUE(card->isVisible());

            typeInto(line(card, "Nome"), "Maria");
            typeInto(line(card, "DataNascita"), "01021930");
            setChoice(card, "LuogoNascita_Id", rome);
            setChoice(card, "Categoria_ID", category);
            setChoice(card, "Area_Id", area);
            setChoice(card, "Sesso", "F");
            typeInto(line(card, "Posizione"), "Fila 2 n. 7");
            screenshot(card, "deceased-card");
            card->backButton()->click();
            EXPECT_FALSE(card->isVisible());
        });
        list.addButtonWidget()->click();
        ASSERT_GT(id, 0);

        ASSERT_EQ(list.grid()->records()->rowCount(), 1);
        EXPECT_EQ(shown(list.grid(), 0, "NominativoVisualizzato"), "Rossi Maria - 01/02/1930");
        EXPECT_EQ(shown(list.grid(), 0, "LuogoNascita"), "Roma");
        screenshot(&list, "deceased-list");
        const db::Row row = db.query("select * from Defunti where Id = ?", {id}).first();
        EXPECT_EQ(row.integer("ColoreCategoria"), 255) << "category colour copied";
        EXPECT_EQ(row.integer("NumeroColore"), cemetery::kWhiteColour);
        EXPECT_EQ(row.text("NominativoDocumenti"), "Rossi Maria");
        EXPECT_EQ(row.text("Sesso"), "F");
        EXPECT_EQ(row.text("IdPaese_Nascita"), "IT");

        DeceasedCard again(s.context, cemetery::ui::deceasedDefinition(), id, false);
        again.show();
        EXPECT_FALSE(again.cancelButton()->isVisible());
        EXPECT_EQ(again.value("Cognome").toString(), "Rossi");
        EXPECT_EQ(again.value("DataNascita").toDate(), QDate(1930, 2, 1));
        EXPECT_EQ(again.value("LuogoNascita_Id").toLongLong(), rome);
        EXPECT_EQ(again.value("Posizione").toString(), "Fila 2 n. 7");
        // Notes only: the stored names stay; emptying a choice clears its copy.
        typeInto(line(&again, "Note"), "lapide restaurata");
        auto* place = qobject_cast<QComboBox*>(again.editor("LuogoNascita_Id"));
        place->setFocus();
        QTest::keyClick(place, Qt::Key_Delete);
        EXPECT_TRUE(again.value("LuogoNascita_Id").isNull());
        ASSERT_TRUE(again.save());
        const db::Row after = db.query("select * from Defunti where Id = ?", {id}).first();
        EXPECT_EQ(after.text("Note"), "lapide restaurata");
        EXPECT_TRUE(after.text("LuogoNascita").isEmpty());
        EXPECT_EQ(after.text("NominativoVisualizzato"), "Rossi Maria - 01/02/1930");
    }
}

TEST(DeceasedScreens, CancelDeletesTheNewRowAndDuplicatesOnlyWarn) {
    Screens s;
    db::Database& db = s.db();
    db.insert("Defunti", {{"Cognome", "Verdi"}, {"Nome", "Ugo"}, {"CodFiscale", "VRDGUO"}});
    DeceasedList list(s.context);
    list.show();
    onNextModal<DeceasedCard>([&](DeceasedCard* card) {
        typeInto(line(card, "CodFiscale"), "vrdguo");
        s.interaction.answers.enqueue(true);
        card->cancelButton()->click();
    });
    list.addButtonWidget()->click();
    EXPECT_EQ(db.query("select Id from Defunti").size(), 1u);
    ASSERT_GE(s.interaction.messages.size(), 2);
    EXPECT_EQ(s.interaction.messages[0].title, cemetery::DeceasedRules::kDuplicateTitle);
    EXPECT_EQ(s.interaction.messages[0].text,
              "Attenzione il codice fiscale VRDGUO è già presente in altri 1 Record.");
    EXPECT_EQ(s.interaction.messages[1].text, "Sei sicuro di voler annullare l'inserimento ?");
}

TEST(DeceasedScreens, SearchPanelAndSelectionMode) {
    Screens s;
    db::Database& db = s.db();
    const qint64 area = db.insert("AreeCimitero", {{"Descrizione", "Campo A"}});
    const qint64 dAmico =
        db.insert("Defunti", {{"NominativoVisualizzato", "D'Amico Anna"}, {"Area_Id", area}});
    db.insert("Defunti", {{"NominativoVisualizzato", "Bianchi Luigi"}});
    {
        DeceasedList list(s.context);
        list.nameBox()->setText("d'am");
        list.search();
        ASSERT_EQ(list.grid()->records()->rowCount(), 1);
        list.resetSearch();
        choose(list.areaBox(), area);
        list.search();
        ASSERT_EQ(list.grid()->records()->rowCount(), 1);
        EXPECT_EQ(list.currentKey(), dAmico);
    }
    QList<qint64> picked;
    onNextModal<DeceasedList>([](DeceasedList* list) {
        list->grid()->selectKey(list->grid()->keyAt(0));
        list->openButton()->click();
    });
    picked = cemetery::ui::pickDeceased(s.context, nullptr);
    EXPECT_EQ(picked, QList<qint64>{db.query("select Id from Defunti where "
                                             "NominativoVisualizzato like 'Bianchi*'")
                                        .first()
                                        .integer("Id")});
    onNextModal<DeceasedList>([](DeceasedList* list) { list->backButton()->click(); });
    EXPECT_TRUE(cemetery::ui::pickDeceased(s.context, nullptr).isEmpty());
}

TEST(DeceasedScreens, PhotoFromPngAndMissingFile) {
    Screens s;
    QTemporaryDir dir;
    const QString png = dir.filePath("foto.png");
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::red);
    ASSERT_TRUE(image.save(png));
    const qint64 id = s.db().insert("Defunti", {{"Cognome", "Neri"}, {"Nome", "Ada"}});
    DeceasedCard card(s.context, cemetery::ui::deceasedDefinition(), id, false);
    card.show();
    s.interaction.texts.enqueue(png);
    card.findChild<QPushButton*>("btnPrendiFoto")->click();
    EXPECT_FALSE(card.picture()->pixmap().isNull());
    ASSERT_TRUE(card.save());
    EXPECT_EQ(s.db().scalar("select Immagine from Defunti where Id = ?", {id}).toString(), png);
    card.findChild<QTabWidget*>()->setCurrentIndex(1);
    screenshot(&card, "deceased-photo");

    card.setValue("Immagine", dir.filePath("manca.jpg"));
    card.reloadPicture();
    EXPECT_TRUE(card.picture()->pixmap().isNull());
    EXPECT_EQ(s.interaction.texts_of("warning"), QStringList{"L'immagine non esiste"});
}

TEST(DeceasedScreens, AreaCardShowsWhoLiesInEachPosition) {
    Screens s;
    db::Database& db = s.db();
    const qint64 area = db.insert("AreeCimitero", {{"Descrizione", "Ala nord"}});
    db.insert("PosizioniCimitero",
              {{"Area_Id", area}, {"Fila", "1"}, {"Numero", "1"}, {"Tipo", "Loculo"}});
    db.insert("PosizioniCimitero",
              {{"Area_Id", area}, {"Fila", "1"}, {"Numero", "2"}, {"Tipo", "Loculo"}});
    db.insert("Defunti", {{"NominativoVisualizzato", "Rossi Maria"},
                          {"Area_Id", area},
                          {"Posizione", "Fila 1 n. 2"}});
    db.insert("Defunti", {{"NominativoVisualizzato", "Neri Carlo"},
                          {"Area_Id", area},
                          {"Posizione", "presso il muro"}});
    cemetery::ui::AreaCard card(s.context, cemetery::ui::areaDefinition(), area, false);
    card.show();
    QTableWidget* grid = card.positions();
    ASSERT_TRUE(grid);
    ASSERT_EQ(grid->rowCount(), 3);
    EXPECT_EQ(grid->item(0, 3)->text(), "Libera");
    EXPECT_EQ(grid->item(1, 3)->text(), "Occupata");
    EXPECT_EQ(grid->item(1, 4)->text(), "Rossi Maria");
    EXPECT_EQ(grid->item(2, 3)->text(), "Non elencata");
    EXPECT_EQ(grid->item(2, 4)->text(), "Neri Carlo");
    screenshot(&card, "area-card");

    grid->setCurrentCell(0, 0);
    s.interaction.answers.enqueue(true);
    card.removePosition();
    EXPECT_EQ(grid->rowCount(), 2);
}

TEST(DeceasedScreens, DefaultsDialogKeepsValidValuesOnly) {
    Screens s;
    cemetery::ui::DefaultsDialog dialog(s.context, "Defunti");
    dialog.addEntry("IdPaese_Morte", "CH");
    dialog.addEntry("DataMorte", "32/01/2026");
    EXPECT_FALSE(dialog.store());
    EXPECT_EQ(s.interaction.texts_of("error"),
              QStringList{"Attenzione valore non valido per il campo DataMorte"});
    dialog.table()->item(1, 1)->setText("31/01/2026");
    ASSERT_TRUE(dialog.store());
    screenshot(&dialog, "deceased-defaults");
    const qint64 id = cemetery::DeceasedRules::insertNew(s.db());
    const db::Row row = s.db().query("select * from Defunti where Id = ?", {id}).first();
    EXPECT_EQ(row.text("IdPaese_Morte"), "CH");
    EXPECT_EQ(row.date("DataMorte"), QDate(2026, 1, 31));
}
