#include "ScreenArchive.h"
#include "ScreenHelpers.h"
#include "db/Row.h"
#include "documents/DocumentStore.h"
#include "documents/SalesDocuments.h"
#include "documents/ui/InvoiceEditor.h"
#include "documents/ui/SalesDocumentEditor.h"
#include "ui/FieldBinder.h"

#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <gtest/gtest.h>
#include <memory>

using namespace uitest;
using documents::DocumentKind;
using documents::ui::DocumentEditor;
using documents::ui::InvoiceEditor;
using documents::ui::SalesDocumentEditor;

namespace {

std::unique_ptr<DocumentEditor> openNew(ScreenArchive& a, DocumentKind kind) {
    if (isInvoiceTable(kind)) {
        const qint64 id = documents::DocumentStore::create(a.db(), kind, {});
        return std::make_unique<InvoiceEditor>(a.context, kind, id, true);
    }
    const qint64 id = documents::SalesDocuments::create(a.db(), kind, {});
    return std::make_unique<SalesDocumentEditor>(a.context, kind, id, true);
}

// The buttons of the toolbar, left to right.
QStringList tools(DocumentEditor& editor) {
    QStringList names;
    QLayout* bar = editor.layout()->itemAt(0)->layout();
    for (int i = 0; i < bar->count(); ++i)
        if (QWidget* w = bar->itemAt(i)->widget())
            names << w->objectName();
    return names;
}

// The same buttons in the order Tab reaches them.
QStringList toolsByTab(DocumentEditor& editor) {
    const QStringList onScreen = tools(editor);
    QStringList names;
    QWidget* w = editor.button(QStringLiteral("spdSalva"));
    for (int i = 0; i < 500 && names.size() < onScreen.size(); ++i, w = w->nextInFocusChain())
        if (onScreen.contains(w->objectName()) && !names.contains(w->objectName()))
            names << w->objectName();
    return names;
}

QStringList pageTitles(DocumentEditor& editor) {
    QStringList titles;
    for (int i = 0; i < editor.pages()->count(); ++i)
        titles << editor.pages()->tabText(i);
    return titles;
}

} // namespace

// One framework, six kinds: each editor keeps its names, its toolbar with
// the kind's own tools between "Stampa" and "Aiuto", and its pages.
TEST(DocumentEditor, EachKindHasItsToolsAndPagesInOrder) {
    ScreenArchive a;
    struct Expected {
        DocumentKind kind;
        const char* objectName;
        QStringList ownTools;
        QStringList pages;
    };
    const QStringList sales{QStringLiteral("Testata"), QStringLiteral("Righe")};
    const QList<Expected> expected{
        {DocumentKind::CustomerInvoice,
         "TForm7",
         {"spdEsportaXml", "spdEsportaInvia", "spdPrimaNota"},
         {"Testata", "Righe", "Importazioni", "Accompagnatoria", "Allegati", "Altro"}},
        {DocumentKind::CustomerCreditNote,
         "TfrmNoteCredito",
         {"spdEsportaXml", "spdPrimaNota", "spdTotali"},
         {"Testata", "Righe", "Accompagnatoria", "Allegati", "Altro"}},
        {DocumentKind::Ddt, "frmDDT", {}, sales},
        {DocumentKind::Quote, "frmPreventivi", {"spdStampaMeta", "spdEsportaInvia"}, sales},
        {DocumentKind::CustomerOrder, "frmOrdiniClienti", {}, sales},
        {DocumentKind::Receipt, "frmBuoni", {"spdEsportaInvia"}, sales}};
    for (const Expected& e : expected) {
        std::unique_ptr<DocumentEditor> editor = openNew(a, e.kind);
        EXPECT_EQ(editor->objectName(), QString::fromLatin1(e.objectName));
        EXPECT_EQ(tools(*editor),
                  QStringList({"spdSalva", "spdAnnulla", "spdIndietro", "spdStampa"})
                      << e.ownTools << QStringLiteral("spdAiuto"))
            << e.objectName;
        EXPECT_EQ(toolsByTab(*editor), tools(*editor)) << e.objectName;
        EXPECT_EQ(pageTitles(*editor), e.pages) << e.objectName;
        // A new document counts as changed: leaving it runs the checks.
        EXPECT_TRUE(editor->isModified()) << e.objectName;
    }
}

// The delivery note's "Ora" shows and takes the hour alone; the hour typed
// keeps the day the note started on, and a wrong hour stops "Salva" with
// nothing written.
TEST(DocumentEditor, DeliveryNoteHourIsTypedAlone) {
    FOR_EACH_ENGINE(engine) {
        ScreenArchive a(engine);
        documents::SalesDocuments::NewDocument request;
        request.today = QDate(2026, 11, 3);
        request.now = QTime(8, 5);
        const qint64 id = documents::SalesDocuments::create(a.db(), DocumentKind::Ddt, request);
        SalesDocumentEditor editor(a.context, DocumentKind::Ddt, id, false);
        editor.show();
        auto* hour = qobject_cast<QLineEdit*>(editor.fields()->editor(QStringLiteral("Ora")));
        ASSERT_NE(hour, nullptr);
        EXPECT_EQ(hour->text(), QStringLiteral("08:05"));

        typeInto(hour, QStringLiteral("9.30"));
        EXPECT_EQ(hour->text(), QStringLiteral("09:30"));
        EXPECT_EQ(db::Row::toDateTime(editor.record().value(QStringLiteral("Ora"))),
                  QDateTime(QDate(2026, 11, 3), QTime(9, 30)));
        typeInto(hour, QStringLiteral("1745"));
        EXPECT_EQ(hour->text(), QStringLiteral("17:45"));

        typeInto(hour, QStringLiteral("25:00"));
        EXPECT_FALSE(editor.save());
        EXPECT_EQ(a.interaction.texts_of("error").value(0),
                  QStringLiteral("Attenzione il valore di \"Ora\" non è valido"));
        EXPECT_EQ(editor.focusWidget(), hour);
        EXPECT_EQ(db::Row::toDateTime(
                      a.db().scalar(QStringLiteral("select Ora from Ddt where ID = ?"), {id})),
                  QDateTime(QDate(2026, 11, 3), QTime(8, 5)));
    }
}
