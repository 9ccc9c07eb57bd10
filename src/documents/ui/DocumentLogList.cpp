#include "documents/ui/DocumentLogList.h"

#include "common/Interaction.h"
#include "common/TextForms.h"
#include "common/Titles.h"
#include "documents/DocumentLog.h"
#include "printing/ReportCodes.h"
#include "printing/ui/DocumentActions.h"
#include "ui/AppContext.h"
#include "ui/DataGrid.h"
#include "ui/DateBox.h"
#include "ui/Guarded.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace documents::ui {

::ui::ScreenDefinition documentLogDefinition() {
    ::ui::ScreenDefinition d;
    d.table = QStringLiteral("RegistroDocumenti");
    d.objectName = QStringLiteral("frmRegistroDocumenti");
    d.listTitle = QStringLiteral("Registro documenti");
    d.orderBy = QStringLiteral("RegistroDocumenti.DataOra DESC, RegistroDocumenti.ID DESC");
    d.columns = {{QStringLiteral("DataOra"), 130, QStringLiteral("Data e ora")},
                 {QStringLiteral("Evento"), 120, QStringLiteral("Evento")},
                 {QStringLiteral("TipoDocumento"), 150, QStringLiteral("Documento")},
                 {QStringLiteral("Numero"), 70, QStringLiteral("Numero")},
                 {QStringLiteral("DataDocumento"), 90, QStringLiteral("Data doc.")},
                 {QStringLiteral("Intestatario"), 240, QStringLiteral("Intestatario")},
                 {QStringLiteral("Totale"), 100, QStringLiteral("Totale")},
                 {QStringLiteral("NomeComputer"), 110, QStringLiteral("Postazione")},
                 {QStringLiteral("Utente"), 100, QStringLiteral("Utente")}};
    d.searches = {{QStringLiteral("Intestatario"), QStringLiteral("Intestatario")},
                  {QStringLiteral("Numero"), QStringLiteral("Numero")}};
    return d;
}

DocumentLogList::DocumentLogList(::ui::AppContext& context, QWidget* parent)
    : ::ui::ListScreen(context, documentLogDefinition(), ReadLater{}, parent) {
    resize(1160, 600);
    // Entries are written by the actions themselves: none is added or
    // deleted by hand.
    addButtonWidget()->hide();
    deleteButton()->hide();

    auto* filters = new QWidget(this);
    filters->setObjectName(QStringLiteral("pnlFiltri"));
    auto* row = new QHBoxLayout(filters);
    row->setContentsMargins(0, 0, 0, 0);
    const auto put = [&](const QString& caption, QWidget* w) {
        auto* label = new QLabel(caption, filters);
        label->setBuddy(w);
        row->addWidget(label);
        row->addWidget(w);
    };
    QLineEdit* from = ::ui::DateBox(filters, QStringLiteral("txtDallaData"), 100);
    QLineEdit* to = ::ui::DateBox(filters, QStringLiteral("txtAllaData"), 100);
    put(QStringLiteral("Dalla data"), from);
    put(QStringLiteral("Alla data"), to);
    m_event = new QComboBox(filters);
    m_event->setObjectName(QStringLiteral("cboEvento"));
    m_event->addItem(QStringLiteral("Tutti"), QString());
    for (auto e : {DocumentLog::Event::Deleted, DocumentLog::Event::TotalChanged,
                   DocumentLog::Event::Exported, DocumentLog::Event::Sent})
        m_event->addItem(DocumentLog::eventText(e), DocumentLog::eventText(e));
    put(QStringLiteral("Evento"), m_event);
    m_kind = new QComboBox(filters);
    m_kind->setObjectName(QStringLiteral("cboDocumento"));
    m_kind->addItem(QStringLiteral("Tutti"), QString());
    for (const QString& kind : DocumentLog::kindNames())
        m_kind->addItem(kind, kind);
    put(QStringLiteral("Documento"), m_kind);
    auto* find = new QPushButton(QStringLiteral("cerca"), filters);
    find->setObjectName(QStringLiteral("btnCerca"));
    find->setAutoDefault(false);
    row->addWidget(find);
    row->addStretch(1);
    if (auto* v = qobject_cast<QVBoxLayout*>(layout()))
        v->insertWidget(1, filters);
    connect(find, &QPushButton::clicked, this, &DocumentLogList::refresh);
    connect(m_event, &QComboBox::currentIndexChanged, this, &DocumentLogList::refresh);
    connect(m_kind, &QComboBox::currentIndexChanged, this, &DocumentLogList::refresh);
    for (QLineEdit* box : {from, to})
        connect(box, &QLineEdit::returnPressed, this, &DocumentLogList::refresh);

    connect(addButton(QStringLiteral("Stampa"), QStringLiteral("spdStampa")), &QPushButton::clicked,
            this, &DocumentLogList::printList);
    connect(addButton(QStringLiteral("Elimina vecchi"), QStringLiteral("spdEliminaVecchi")),
            &QPushButton::clicked, this, &DocumentLogList::purgeOld);
    refresh();
}

QString DocumentLogList::selection() const {
    const auto date = [this](const char* name) {
        const QLineEdit* box = findChild<QLineEdit*>(QString::fromLatin1(name));
        return box ? common::parseItalianDate(box->text().trimmed()) : QDate();
    };
    return DocumentLog::condition(date("txtDallaData"), date("txtAllaData"),
                                  m_event ? m_event->currentData().toString() : QString(),
                                  m_kind ? m_kind->currentData().toString() : QString());
}

QString DocumentLogList::condition() const {
    const QString base = ::ui::ListScreen::condition();
    const QString own = selection();
    if (own.isEmpty())
        return base;
    return base.isEmpty() ? own : base + QStringLiteral(" and ") + own;
}

void DocumentLogList::printList() {
    ::ui::guarded(context(), [&] {
        printing::ui::printReport(context(), printing::ReportCall{printing::reports::documentLog,
                                                                  QVariant(), condition()});
    });
}

void DocumentLogList::purgeOld() {
    common::Interaction& ask = *context().interaction;
    QString typed = QStringLiteral("10");
    if (!ask.askText(QStringLiteral("Registro documenti"),
                     QStringLiteral("Quanti anni conservare (compreso l'attuale)?"), &typed))
        return;
    bool ok = false;
    const int years = typed.trimmed().toInt(&ok);
    if (!ok || years < 1) {
        ask.warning(common::titles::warning,
                    QStringLiteral("Indicare un numero di anni, almeno 1."));
        return;
    }
    const QDate first(QDate::currentDate().year() - years + 1, 1, 1);
    if (!ask.question(common::titles::warning,
                      QStringLiteral("Eliminare dal registro le voci precedenti al %1?")
                          .arg(first.toString(QStringLiteral("dd/MM/yyyy")))))
        return;
    ::ui::guarded(context(), [&] {
        const int gone = DocumentLog::purge(*context().db, years);
        refresh();
        ask.information(QStringLiteral("Registro documenti"),
                        QStringLiteral("Voci eliminate: %1.").arg(gone));
    });
}

void DocumentLogList::openCard(qint64 key, bool) {
    ::ui::guarded(context(), [&] {
        const db::Result r = context().db->query(
            QStringLiteral("select * from RegistroDocumenti where ID = ?"), {key});
        if (r.empty())
            return;
        const db::Row& e = r.first();
        QString text = e.text(QStringLiteral("Evento")) + QStringLiteral(": ") +
                       e.text(QStringLiteral("TipoDocumento")) + QStringLiteral(" n. ") +
                       e.text(QStringLiteral("Numero"));
        const QString details = e.text(QStringLiteral("Dettagli"));
        if (!details.isEmpty())
            text += QStringLiteral("\n\n") + details;
        context().interaction->information(QStringLiteral("Registro documenti"), text);
    });
}

} // namespace documents::ui
