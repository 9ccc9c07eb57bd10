#include "einvoice/ui/RejectionErrorScreens.h"

#include "common/Titles.h"
#include "einvoice/RejectionErrors.h"
#include "ui/ActionButton.h"
#include "ui/AppContext.h"
#include "ui/DataGrid.h"
#include "ui/Guarded.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace einvoice::ui {

::ui::ScreenDefinition rejectionErrorsDefinition() {
    ::ui::ScreenDefinition d;
    d.table = QStringLiteral("PA_Errori");
    d.objectName = QStringLiteral("frmGrigliaErroriFatturaElettronica");
    d.listTitle = QStringLiteral("Elenco Errori scarto fatturazione elettronica");
    d.cardTitle = QStringLiteral("Errore Fatturazione Elettronica");
    d.select = QStringLiteral("select ID, Codice, Titolo from PA_Errori");
    d.orderBy = QStringLiteral("Codice");
    d.columns = {{QStringLiteral("Codice"), 90, QStringLiteral("Codice")},
                 {QStringLiteral("Titolo"), 640, QStringLiteral("Titolo")}};
    d.searches = {{QStringLiteral("Codice"), QStringLiteral("Codice")},
                  {QStringLiteral("Titolo"), QStringLiteral("Titolo")}};
    return d;
}

RejectionErrorList::RejectionErrorList(::ui::AppContext& context, QWidget* parent)
    : ::ui::ListScreen(context, rejectionErrorsDefinition(), ReadLater{}, parent) {
    // The list ships with the archive: nothing to add or delete.
    addButtonWidget()->hide();
    deleteButton()->hide();
    refresh();
}

QString RejectionErrorList::condition() const {
    const QLineEdit* code = searchBox(QStringLiteral("Codice"));
    const QLineEdit* title = searchBox(QStringLiteral("Titolo"));
    return rejectionerrors::condition(code ? code->text() : QString(),
                                      title ? title->text() : QString());
}

void RejectionErrorList::openCard(qint64 key, bool) {
    RejectionErrorCard detail(context(), key, this);
    detail.exec();
    grid()->setFocus();
}

RejectionErrorCard::RejectionErrorCard(::ui::AppContext& context, qint64 id, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("frmErroreFatturaElettronica"));
    setWindowTitle(QStringLiteral("Errore Fatturazione Elettronica"));
    setModal(true);
    resize(720, 480);

    auto* layout = new QVBoxLayout(this);
    auto* heading = new QLabel(QStringLiteral("Errore Fatturazione Elettronica"), this);
    QFont big = heading->font();
    big.setPointSizeF(big.pointSizeF() * 1.4);
    big.setBold(true);
    heading->setFont(big);
    layout->addWidget(heading);

    auto* form = new QFormLayout();
    layout->addLayout(form, 1);
    m_code = new QLineEdit(this);
    m_code->setObjectName(QStringLiteral("Codice"));
    m_code->setMaximumWidth(120);
    m_title = new QLineEdit(this);
    m_title->setObjectName(QStringLiteral("Titolo"));
    m_description = new QPlainTextEdit(this);
    m_description->setObjectName(QStringLiteral("Descrizione"));
    m_suggestions = new QPlainTextEdit(this);
    m_suggestions->setObjectName(QStringLiteral("Suggerimenti"));
    for (QLineEdit* e : {m_code, m_title})
        e->setReadOnly(true);
    for (QPlainTextEdit* e : {m_description, m_suggestions})
        e->setReadOnly(true);
    form->addRow(QStringLiteral("Codice"), m_code);
    form->addRow(QStringLiteral("Titolo"), m_title);
    form->addRow(QStringLiteral("Descrizione"), m_description);
    form->addRow(QStringLiteral("Suggerimenti"), m_suggestions);

    auto* buttons = new QHBoxLayout();
    buttons->addStretch(1);
    QPushButton* back =
        ::ui::ActionButton(QStringLiteral("Indietro"), QStringLiteral("spdIndietro"), this);
    buttons->addWidget(back);
    layout->addLayout(buttons);
    connect(back, &QPushButton::clicked, this, &QDialog::reject);

    ::ui::guarded(context, [&] {
        const db::Row r = rejectionerrors::find(*context.db, id);
        if (r.columnCount() > 0) {
            m_code->setText(r.text(QStringLiteral("Codice")));
            m_title->setText(r.text(QStringLiteral("Titolo")));
            m_description->setPlainText(r.text(QStringLiteral("Descrizione")));
            m_suggestions->setPlainText(r.text(QStringLiteral("Suggerimenti")));
        }
    });
    back->setFocus();
}

QString RejectionErrorCard::code() const {
    return m_code->text();
}
QString RejectionErrorCard::title() const {
    return m_title->text();
}
QString RejectionErrorCard::description() const {
    return m_description->toPlainText();
}
QString RejectionErrorCard::suggestions() const {
    return m_suggestions->toPlainText();
}

} // namespace einvoice::ui
