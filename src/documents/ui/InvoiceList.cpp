#include "documents/ui/InvoiceList.h"

#include "common/SqlText.h"
#include "common/TextForms.h"
#include "common/Titles.h"
#include "db/Database.h"
#include "documents/DocumentDeletion.h"
#include "documents/DocumentLog.h"
#include "documents/DocumentOptions.h"
#include "documents/DocumentStore.h"
#include "documents/ui/InvoiceEditor.h"
#include "documents/ui/SeriesChooser.h"
#include "printing/ReportCodes.h"
#include "printing/ui/DocumentActions.h"
#include "ui/AppContext.h"
#include "ui/DataGrid.h"
#include "ui/DateBox.h"
#include "ui/FieldEditors.h"
#include "ui/Guarded.h"
#include "ui/LazyChoice.h"
#include "ui/Lookups.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace documents::ui {

namespace {

bool isCredit(DocumentKind kind) {
    return kind == DocumentKind::CustomerCreditNote;
}

// Documents not in history, or in history mode those dated in the chosen
// range whatever their flag.
QString periodCondition(const ::ui::AppContext& context) {
    if (!context.history)
        return QStringLiteral("fattura.Storico = false");
    if (context.historyFrom.isValid() && context.historyTo.isValid())
        return QStringLiteral("fattura.Data >= #%1# and fattura.Data <= #%2#")
            .arg(common::jetDate(context.historyFrom), common::jetDateEndOfDay(context.historyTo));
    return QStringLiteral("fattura.Storico = true");
}

::ui::ScreenDefinition listDefinition(const ::ui::AppContext& context, DocumentKind kind) {
    ::ui::ScreenDefinition d;
    const bool credit = isCredit(kind);
    d.table = QStringLiteral("fattura");
    d.key = QStringLiteral("Id");
    d.objectName =
        credit ? QStringLiteral("frmGrigliaNoteCredito") : QStringLiteral("frmGrigliaFatture");
    QString title = credit ? QStringLiteral("Note di Credito") : QStringLiteral("Fatturazione");
    if (context.history)
        title =
            credit ? QStringLiteral("Storico Note di Credito") : QStringLiteral("Storico Fatture");
    d.listTitle = title;
    d.columns = {{"SerieFatturazione", 60, "Serie"},
                 {"Num", 70, "Numero"},
                 {"Data", 100, "Data"},
                 {"DatiTrasmissione_ProgressivoInvio", 90, "Progr. invio"},
                 {"Cliente", 330, "Cliente"},
                 {"TotFattura", 110, credit ? "Totale nota" : "Totale fattura"}};
    d.orderBy = QStringLiteral("fattura.Data, fattura.Num");
    d.filter = QStringLiteral("fattura.Carico = false and fattura.FattNota = ") +
               (credit ? QStringLiteral("true") : QStringLiteral("false")) +
               QStringLiteral(" and ") + periodCondition(context);
    return d;
}

QLineEdit* NumberBox(QWidget* parent, const QString& name) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,9}")), e));
    e->setMaximumWidth(80);
    return e;
}

// A filter's choice: read when the user opens it, not at every opening of
// the list (the customers are thousands).
QComboBox* LazyChoiceBox(::ui::AppContext& context, QWidget* parent, const QString& name,
                         const ::ui::Lookup& lookup) {
    auto* c = ::ui::LazyChoice::ofLookup(context, lookup, parent);
    c->setObjectName(name);
    c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    c->setMinimumContentsLength(14);
    return c;
}

QString dateOf(const QLineEdit* box) {
    const QDate d = common::parseItalianDate(box->text().trimmed());
    return d.isValid() ? common::jetDate(d) : QString();
}

} // namespace

InvoiceList::InvoiceList(::ui::AppContext& context, DocumentKind kind, QWidget* parent)
    : FilteredDocumentList(context, listDefinition(context, kind), parent), m_kind(kind) {
    const bool credit = isCredit(kind);
    resize(1000, 620);

    // The filter boxes, under the title.
    auto* filters = new QWidget(this);
    filters->setObjectName(QStringLiteral("pnlFiltri"));
    auto* grid = new QGridLayout(filters);
    grid->setContentsMargins(0, 0, 0, 0);
    const auto put = [&](int row, int column, const QString& caption, QWidget* w) {
        auto* label = new QLabel(caption, filters);
        label->setBuddy(w);
        grid->addWidget(label, row, column);
        grid->addWidget(w, row, column + 1);
    };
    put(0, 0, QStringLiteral("Dalla data"),
        ::ui::DateBox(filters, QStringLiteral("txtDallaData"), 100));
    put(0, 2, QStringLiteral("Alla data"),
        ::ui::DateBox(filters, QStringLiteral("txtAllaData"), 100));
    if (credit) {
        put(0, 4, QStringLiteral("Numero"), NumberBox(filters, QStringLiteral("txtNumero")));
    } else {
        put(0, 4, QStringLiteral("Dal numero"), NumberBox(filters, QStringLiteral("txtDalNumero")));
        put(0, 6, QStringLiteral("Al numero"), NumberBox(filters, QStringLiteral("txtAlNumero")));
    }
    put(1, 0, QStringLiteral("Cliente"),
        LazyChoiceBox(context, filters, QStringLiteral("cboCliente"),
                      ::ui::lookups::includingCancelled(::ui::lookups::customersOnDocuments())));
    put(1, 2, QStringLiteral("Serie"),
        LazyChoiceBox(context, filters, QStringLiteral("cboSerie"),
                      ::ui::lookups::invoiceSeries()));
    if (!credit) {
        put(1, 4, QStringLiteral("Banca"),
            LazyChoiceBox(context, filters, QStringLiteral("cboBanca"),
                          ::ui::lookups::includingCancelled(::ui::lookups::banks())));
        put(1, 6, QStringLiteral("Mod. pagamento"),
            LazyChoiceBox(context, filters, QStringLiteral("cboModPagamento"),
                          ::ui::lookups::paymentTerms()));
    }
    auto* find = new QPushButton(QStringLiteral("cerca"), filters);
    find->setObjectName(QStringLiteral("btnCerca"));
    auto* reset = new QPushButton(QStringLiteral("reset"), filters);
    reset->setObjectName(QStringLiteral("btnReset"));
    find->setAutoDefault(false);
    reset->setAutoDefault(false);
    grid->addWidget(find, 0, 8);
    grid->addWidget(reset, 1, 8);
    grid->setColumnStretch(9, 1);
    if (auto* v = qobject_cast<QVBoxLayout*>(layout()))
        v->insertWidget(1, filters);
    connect(find, &QPushButton::clicked, this, &InvoiceList::search);
    connect(reset, &QPushButton::clicked, this, &InvoiceList::resetFilter);
    for (QLineEdit* box : filters->findChildren<QLineEdit*>())
        connect(box, &QLineEdit::returnPressed, this, &InvoiceList::search);

    // "Elimina" takes the document with its rows, instalments and links.
    disconnect(deleteButton(), &QPushButton::clicked, this, nullptr);
    connect(deleteButton(), &QPushButton::clicked, this, &InvoiceList::removeDocument);
    connect(addButton(QStringLiteral("Ricarica"), QStringLiteral("spdRicarica")),
            &QPushButton::clicked, this, &InvoiceList::refresh);
    connect(addButton(QStringLiteral("Stampa"), QStringLiteral("spdStampa")), &QPushButton::clicked,
            this, &InvoiceList::printList);
    if (!credit)
        connect(addButton(QStringLiteral("Esporta ed invia"), QStringLiteral("spdEsportaInvia")),
                &QPushButton::clicked, this, &InvoiceList::exportAndSend);
    refresh();
}

QString InvoiceList::selection() const {
    QStringList parts;
    const auto box = [this](const char* name) { return filterBox(QString::fromLatin1(name)); };
    const auto choice = [this](const char* name) -> QVariant {
        QComboBox* c = filterChoice(QString::fromLatin1(name));
        return c && c->currentIndex() > 0 ? c->currentData() : QVariant();
    };
    if (const QString from = dateOf(box("txtDallaData")); !from.isEmpty())
        parts << QStringLiteral("fattura.Data >= #%1#").arg(from);
    if (QLineEdit* to = box("txtAllaData")) {
        const QDate d = common::parseItalianDate(to->text().trimmed());
        if (d.isValid())
            parts << QStringLiteral("fattura.Data <= #%1#").arg(common::jetDateEndOfDay(d));
    }
    // Numbers enter the filter as numbers, whatever the box holds.
    const auto number = [&box](const char* name) -> QString {
        QLineEdit* n = box(name);
        bool ok = false;
        const qint64 value = n ? n->text().trimmed().toLongLong(&ok) : 0;
        return ok ? QString::number(value) : QString();
    };
    if (const QString n = number("txtNumero"); !n.isEmpty())
        parts << QStringLiteral("fattura.Num = ") + n;
    if (const QString n = number("txtDalNumero"); !n.isEmpty())
        parts << QStringLiteral("fattura.Num >= ") + n;
    if (const QString n = number("txtAlNumero"); !n.isEmpty())
        parts << QStringLiteral("fattura.Num <= ") + n;
    if (const QVariant c = choice("cboCliente"); !c.isNull())
        parts << QStringLiteral("fattura.Cliente_ID = ") + QString::number(c.toLongLong());
    if (const QVariant s = choice("cboSerie"); !s.isNull())
        parts << QStringLiteral("fattura.SerieFatturazione = '") + common::sqlQuote(s.toString()) +
                     QStringLiteral("'");
    if (const QVariant b = choice("cboBanca"); !b.isNull())
        parts << QStringLiteral("fattura.Banca_ID = ") + QString::number(b.toLongLong());
    if (const QVariant t = choice("cboModPagamento"); !t.isNull())
        parts << QStringLiteral("fattura.ModPagamento_Id = ") + QString::number(t.toLongLong());
    return parts.join(QStringLiteral(" and "));
}

qint64 InvoiceList::insertRow() {
    db::Database& db = *context().db;
    DocumentStore::NewDocument request;
    request.history = context().history;
    if (DocumentOptions::load(db).multipleSeries)
        request.series =
            SeriesChooser::choose(this, context(),
                                  isCredit(m_kind) ? SeriesChooser::Document::CreditNote
                                                   : SeriesChooser::Document::Invoice);
    return DocumentStore::create(db, m_kind, request);
}

void InvoiceList::openCard(qint64 key, bool isNew) {
    {
        InvoiceEditor editor(context(), m_kind, key, isNew, this);
        editor.exec();
    }
    showAgain(key);
}

void InvoiceList::removeDocument() {
    removeCurrentWith([this](qint64 key) {
        return DocumentDeletion::confirmAndRemove(*context().db, *context().interaction, m_kind,
                                                  key);
    });
}

void InvoiceList::printList() {
    QStringList parts{periodCondition(context())};
    if (!applied().isEmpty())
        parts << applied();
    ::ui::guarded(context(), [&] {
        printing::ui::printReport(
            context(), printing::ReportCall{isCredit(m_kind) ? printing::reports::creditNoteList
                                                             : printing::reports::invoiceList,
                                            QVariant(), parts.join(QStringLiteral(" and "))});
    });
}

void InvoiceList::exportAndSend() {
    const qint64 key = currentKey();
    if (key == 0)
        return;
    ::ui::guarded(context(), [&] {
        QStringList sent;
        printing::ui::exportAndSend(context(), printing::ExportKind::Invoice, key, this, &sent);
        if (!sent.isEmpty())
            DocumentLog::recordInvoice(*context().db, DocumentLog::Event::Sent, key,
                                       sent.join(QStringLiteral(", ")));
    });
}

} // namespace documents::ui
