#include "ModalWindows.h"
#include "ScreenArchive.h"
#include "registries/ui/RegistryScreens.h"
#include "ui/CardScreen.h"
#include "ui/DataGrid.h"
#include "ui/FieldNavigator.h"
#include "ui/ListScreen.h"
#include "ui/RecordModel.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

using namespace uitest;

namespace {

// Runs `action` on the card that the next step opens modally, made the active
// window so that focus and keys behave as for a user.
void onNextCard(std::function<void(ui::CardScreen*)> action) {
    onNextModal<ui::CardScreen>([action](ui::CardScreen* card) {
        activate(card);
        action(card);
    });
}

class SmallRegistries : public ScreenTest {
protected:
    SmallRegistries() { db().setWorkstation(QStringLiteral("PC1")); }

    int count(const QString& sql) { return db().scalar(sql).toInt(); }
    qint64 addBank(const QString& name, bool cancelled = false) {
        return db().insert(QStringLiteral("Bank"), {{QStringLiteral("Banca"), name},
                                                    {QStringLiteral("Annullato"), cancelled}});
    }
};

QStringList shownColumn(ui::DataGrid* grid, const QString& field) {
    QStringList out;
    for (int r = 0; r < grid->records()->rowCount(); ++r)
        out.append(grid->records()->value(r, field).toString());
    return out;
}

} // namespace

TEST_F(SmallRegistries, AddOpensTheCardOfANewRowAndBackSavesIt) {
    ui::ListScreen list(context, registries::ui::banksScreen());
    list.show();
    qint64 key = 0;
    bool wasNew = false, rowExisted = false, enterMoved = false, upMoved = false;
    bool aqua = false, whiteAfter = false;
    onNextCard([&](ui::CardScreen* card) {
        key = card->key();
        wasNew = card->isNew();
        rowExisted = count(QStringLiteral("select count(*) from Bank where ID = %1").arg(key)) == 1;
        QWidget* name = card->editor(QStringLiteral("Banca"));
        name->setFocus();
        QTest::keyClicks(name, QStringLiteral("Banca d'Alba"));
        aqua = name->palette().color(QPalette::Base) == ui::FieldNavigator::focusColour();
        QTest::keyClick(name, Qt::Key_Return);
        enterMoved = QApplication::focusWidget() == card->editor(QStringLiteral("Beneficiario"));
        whiteAfter = name->palette().color(QPalette::Base) == QColor(Qt::white);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
        upMoved = QApplication::focusWidget() == name;
        QTest::keyClicks(card->editor(QStringLiteral("Iban")),
                         QStringLiteral("it60 x054 2811 1010 0000 0123 456"));
        QTest::mouseClick(card->backButton(), Qt::LeftButton);
    });
    QTest::mouseClick(list.addButtonWidget(), Qt::LeftButton);

    ASSERT_GT(key, 0);
    EXPECT_TRUE(wasNew);
    EXPECT_TRUE(rowExisted);
    EXPECT_TRUE(enterMoved);
    EXPECT_TRUE(upMoved);
    EXPECT_TRUE(aqua);
    EXPECT_TRUE(whiteAfter);
    const db::Row row =
        db().query(QStringLiteral("select * from Bank where ID = ?"), {key}).first();
    EXPECT_EQ(row.text(QStringLiteral("Banca")), QStringLiteral("Banca d'Alba"));
    EXPECT_EQ(row.text(QStringLiteral("Iban")), QStringLiteral("IT60X0542811101000000123456"));
    EXPECT_FALSE(row.boolean(QStringLiteral("Annullato")));
    EXPECT_EQ(list.currentKey(), key);
    EXPECT_TRUE(interaction.messages.isEmpty());
}

TEST_F(SmallRegistries, CancelOnANewCardDeletesTheRowAfterYes) {
    ui::ListScreen list(context, registries::ui::banksScreen());
    list.show();
    interaction.answers.enqueue(false);
    interaction.answers.enqueue(true);
    bool stayedAfterNo = false;
    onNextCard([&](ui::CardScreen* card) {
        QTest::mouseClick(card->cancelButton(), Qt::LeftButton);
        stayedAfterNo = card->isVisible();
        QTest::mouseClick(card->cancelButton(), Qt::LeftButton);
    });
    QTest::mouseClick(list.addButtonWidget(), Qt::LeftButton);
    EXPECT_TRUE(stayedAfterNo);
    EXPECT_EQ(count(QStringLiteral("select count(*) from Bank")), 0);
    ASSERT_EQ(interaction.texts_of(QStringLiteral("question")).size(), 2);
    EXPECT_EQ(interaction.texts_of(QStringLiteral("question")).first(),
              QStringLiteral("Sei sicuro di voler annullare l'inserimento ?"));
    EXPECT_EQ(interaction.messages.first().title, QStringLiteral("Messaggio di avviso"));
}

TEST_F(SmallRegistries, AFailedCheckKeepsTheCardOpenWithTheFocusOnItsField) {
    const qint64 key = addBank(QStringLiteral("Banca Uno"));
    ui::ListScreen list(context, registries::ui::banksScreen());
    list.show();
    bool stayedOpen = false, focused = false;
    onNextCard([&](ui::CardScreen* card) {
        qobject_cast<QLineEdit*>(card->editor(QStringLiteral("Banca")))->clear();
        QTest::keyClicks(card->editor(QStringLiteral("Telefono")), QStringLiteral("011 123"));
        QTest::mouseClick(card->backButton(), Qt::LeftButton);
        stayedOpen = card->isVisible();
        focused = QApplication::focusWidget() == card->editor(QStringLiteral("Banca"));
        // Esc is "Indietro" too: still refused.
        QTest::keyClick(card, Qt::Key_Escape);
        stayedOpen = stayedOpen && card->isVisible();
    });
    list.openCurrent();
    EXPECT_TRUE(stayedOpen);
    EXPECT_TRUE(focused);
    ASSERT_EQ(interaction.texts_of(QStringLiteral("error")).size(), 2);
    EXPECT_EQ(interaction.messages.first().title, QStringLiteral("Messaggio di Errore"));
    EXPECT_EQ(interaction.messages.first().text,
              QStringLiteral("Attenzione manca il nome della Banca"));
    EXPECT_EQ(db().scalar(QStringLiteral("select Banca from Bank where ID = ?"), {key}).toString(),
              QStringLiteral("Banca Uno"));
}

TEST_F(SmallRegistries, UnchangedCardClosesWithoutWriting) {
    const qint64 key = addBank(QStringLiteral("Banca Uno"));
    db().exec(QStringLiteral("update Bank set Telefono = 'x' where ID = ?"), {key});
    ui::ListScreen list(context, registries::ui::banksScreen());
    list.show();
    bool modified = true;
    onNextCard([&](ui::CardScreen* card) {
        modified = card->isModified();
        // Someone else writes meanwhile: an unchanged card must not overwrite it.
        db().exec(QStringLiteral("update Bank set Telefono = 'y' where ID = ?"), {key});
        QTest::mouseClick(card->backButton(), Qt::LeftButton);
    });
    QTest::keyClick(list.grid(), Qt::Key_Return);
    EXPECT_FALSE(modified);
    EXPECT_EQ(
        db().scalar(QStringLiteral("select Telefono from Bank where ID = ?"), {key}).toString(),
        QStringLiteral("y"));
}

TEST_F(SmallRegistries, SearchesFilterByPrefixAndCancelledRowsAreHidden) {
    addBank(QStringLiteral("Banca Uno"));
    addBank(QStringLiteral("Banca d'Alba"));
    addBank(QStringLiteral("Credito Due"));
    addBank(QStringLiteral("Banca Chiusa"), true);
    ui::ListScreen list(context, registries::ui::banksScreen());
    list.show();
    EXPECT_EQ(shownColumn(list.grid(), QStringLiteral("Banca")),
              (QStringList{QStringLiteral("Banca d'Alba"), QStringLiteral("Banca Uno"),
                           QStringLiteral("Credito Due")}));
    QTest::keyClicks(list.searchBox(QStringLiteral("Banca")), QStringLiteral("banca u"));
    EXPECT_EQ(shownColumn(list.grid(), QStringLiteral("Banca")),
              (QStringList{QStringLiteral("Banca Uno")}));
    list.searchBox(QStringLiteral("Banca"))->setText(QStringLiteral("Banca d'"));
    EXPECT_EQ(shownColumn(list.grid(), QStringLiteral("Banca")),
              (QStringList{QStringLiteral("Banca d'Alba")}));
    list.searchBox(QStringLiteral("Banca"))->setText(QStringLiteral("Banca"));
    EXPECT_EQ(list.grid()->records()->rowCount(), 2);
    list.showCancelledBox()->setChecked(true);
    EXPECT_EQ(list.grid()->records()->rowCount(), 3);
    EXPECT_TRUE(interaction.messages.isEmpty());
}

TEST_F(SmallRegistries, DeleteFromTheListAsksFirst) {
    addBank(QStringLiteral("Banca Uno"));
    ui::ListScreen list(context, registries::ui::banksScreen());
    list.show();
    interaction.answers.enqueue(false);
    QTest::mouseClick(list.deleteButton(), Qt::LeftButton);
    EXPECT_EQ(count(QStringLiteral("select count(*) from Bank")), 1);
    QTest::mouseClick(list.deleteButton(), Qt::LeftButton);
    EXPECT_EQ(count(QStringLiteral("select count(*) from Bank")), 0);
    EXPECT_EQ(interaction.texts_of(QStringLiteral("question")).first(),
              QStringLiteral("Sei sicuro di voler eliminare la Banca?"));
    EXPECT_EQ(list.grid()->records()->rowCount(), 0);
}

TEST_F(SmallRegistries, TitleClicksSortAscendingDescendingAscending) {
    addBank(QStringLiteral("B"));
    addBank(QStringLiteral("C"));
    addBank(QStringLiteral("A"));
    ui::ListScreen list(context, registries::ui::banksScreen());
    list.show();
    list.grid()->clickTitle(0);
    EXPECT_EQ(shownColumn(list.grid(), QStringLiteral("Banca")), (QStringList{"A", "B", "C"}));
    list.grid()->clickTitle(0);
    EXPECT_EQ(shownColumn(list.grid(), QStringLiteral("Banca")), (QStringList{"C", "B", "A"}));
    EXPECT_EQ(list.grid()->sortText(), QStringLiteral("Banca DESC"));
    list.grid()->clickTitle(0);
    EXPECT_EQ(shownColumn(list.grid(), QStringLiteral("Banca")), (QStringList{"A", "B", "C"}));
}

TEST_F(SmallRegistries, GridLayoutsBelongToTheirWorkstation) {
    auto second = archive.openAnother(QStringLiteral("PC2"));
    ui::AppContext other{second.get(), &interaction};
    const ui::ScreenDefinition banks = registries::ui::banksScreen();
    {
        ui::ListScreen one(context, banks);
        ui::ListScreen two(other, banks);
        one.show();
        two.show();
        one.grid()->setColumnWidth(0, 300);
        one.grid()->saveAction()->trigger();
        two.grid()->removeColumn(1);
        two.grid()->saveAction()->trigger();
        one.grid()->setColumnWidth(0, 100);
        one.grid()->saveAction()->trigger();
    }
    ASSERT_EQ(count(QStringLiteral("select count(*) from Griglie where NomeGriglia = "
                                   "'frmGrigliaBanche_Griglia'")),
              2);
    ui::ListScreen one(context, banks);
    ui::ListScreen two(other, banks);
    one.show();
    two.show();
    EXPECT_EQ(one.grid()->columns().size(), banks.columns.size());
    EXPECT_EQ(one.grid()->columns().first().width, 100);
    ASSERT_EQ(two.grid()->columns().size(), banks.columns.size() - 1);
    EXPECT_EQ(two.grid()->columns().at(1).field, QStringLiteral("Comune"));

    // Reset goes back to the arrangement of the first save on this workstation.
    one.grid()->resetAction()->trigger();
    EXPECT_EQ(one.grid()->columns().first().width, 300);
    ui::ListScreen again(context, banks);
    again.show();
    EXPECT_EQ(again.grid()->columns().first().width, 300);
    EXPECT_TRUE(interaction.messages.isEmpty());
}

TEST_F(SmallRegistries, DeletingACustomerCategoryRemovesItsColourFromCustomers) {
    const qint64 category = db().insert(QStringLiteral("ClientiCategoria"),
                                        {{QStringLiteral("Descrizione"), QStringLiteral("Vip")},
                                         {QStringLiteral("ColoreCategoria"), 255}});
    const qint64 customer = db().insert(QStringLiteral("Clienti"),
                                        {{QStringLiteral("Cliente"), QStringLiteral("Rossi")},
                                         {QStringLiteral("Categoria_ID"), category},
                                         {QStringLiteral("ColoreCategoria"), 255}});
    ui::ListScreen list(context, registries::ui::customerCategoriesScreen());
    list.show();
    list.removeCurrent();
    EXPECT_EQ(count(QStringLiteral("select count(*) from ClientiCategoria")), 0);
    EXPECT_TRUE(
        db().scalar(QStringLiteral("select ColoreCategoria from Clienti where ID = ?"), {customer})
            .isNull());
}

TEST_F(SmallRegistries, PaymentTermsCardLimitsInstalmentsAndChecksTheType) {
    ui::ListScreen list(context, registries::ui::paymentTermsScreen());
    list.show();
    QString clamped;
    bool open = false;
    onNextCard([&](ui::CardScreen* card) {
        auto* count = qobject_cast<QLineEdit*>(card->editor(QStringLiteral("NumeroScadenze")));
        count->setFocus();
        QTest::keyClicks(count, QStringLiteral("15"));
        QTest::keyClick(count, Qt::Key_Return);
        clamped = count->text();
        QTest::keyClicks(card->editor(QStringLiteral("Descrizione")), QStringLiteral("Rimessa"));
        QTest::mouseClick(card->backButton(), Qt::LeftButton);
        open = card->isVisible();
        auto* type =
            qobject_cast<QComboBox*>(card->editor(QStringLiteral("PA_ModalitaPagamento_Codice")));
        type->setCurrentIndex(type->findData(QStringLiteral("MP01")));
        card->setValue(QStringLiteral("NumeroScadenze"), 0);
        QTest::mouseClick(card->backButton(), Qt::LeftButton);
    });
    QTest::mouseClick(list.addButtonWidget(), Qt::LeftButton);
    EXPECT_EQ(clamped, QStringLiteral("12"));
    EXPECT_TRUE(open);
    ASSERT_FALSE(interaction.messages.isEmpty());
    EXPECT_EQ(interaction.messages.first().text, QStringLiteral("Attenzione manca la Tipologia"));
    const db::Row row = db().query(QStringLiteral("select * from ModPagamento where "
                                                  "Descrizione = 'Rimessa'"))
                            .first();
    EXPECT_EQ(row.text(QStringLiteral("PA_ModalitaPagamento_Codice")), QStringLiteral("MP01"));
    EXPECT_FALSE(row.boolean(QStringLiteral("FatturaFineMese")));
    EXPECT_FALSE(row.isNull(QStringLiteral("FatturaFineMese")));
}

TEST_F(SmallRegistries, LookupsHideCancelledRowsButKeepTheCurrentValue) {
    // A bank chosen on a card through a lookup that hides cancelled banks.
    const qint64 open = addBank(QStringLiteral("Aperta"));
    const qint64 closed = addBank(QStringLiteral("Chiusa"), true);
    ui::ScreenDefinition d;
    d.table = QStringLiteral("Clienti");
    d.objectName = QStringLiteral("frmProva");
    d.fields = {
        {QStringLiteral("Pagamento_ID"), QStringLiteral("Banca"), ui::FieldKind::Lookup,
         ui::Lookup{QStringLiteral("select ID, Banca, Annullato from Bank order by Banca"),
                    QStringLiteral("ID"), QStringLiteral("Banca"), QStringLiteral("Annullato")}}};
    const qint64 withClosed =
        db().insert(QStringLiteral("Clienti"), {{QStringLiteral("Pagamento_ID"), closed}});
    const qint64 withOpen =
        db().insert(QStringLiteral("Clienti"), {{QStringLiteral("Pagamento_ID"), open}});
    {
        ui::CardScreen card(context, d, withClosed, false);
        auto* combo = qobject_cast<QComboBox*>(card.editor(QStringLiteral("Pagamento_ID")));
        EXPECT_EQ(combo->currentText(), QStringLiteral("Chiusa"));
        EXPECT_EQ(combo->count(), 3); // empty, Aperta, Chiusa
        EXPECT_FALSE(card.isModified());
    }
    ui::CardScreen card(context, d, withOpen, false);
    auto* combo = qobject_cast<QComboBox*>(card.editor(QStringLiteral("Pagamento_ID")));
    EXPECT_EQ(combo->findText(QStringLiteral("Chiusa")), -1);
    combo->setCurrentIndex(0);
    ASSERT_TRUE(card.save());
    EXPECT_TRUE(
        db().scalar(QStringLiteral("select Pagamento_ID from Clienti where ID = ?"), {withOpen})
            .isNull());
}
