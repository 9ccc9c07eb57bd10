#include "documents/ui/SalesDocumentList.h"

#include "common/SqlText.h"
#include "common/TextForms.h"
#include "db/Database.h"
#include "documents/DocumentLog.h"
#include "documents/DocumentOptions.h"
#include "documents/DocumentTables.h"
#include "documents/QuoteInvoicing.h"
#include "documents/SalesDocuments.h"
#include "documents/ui/InvoiceEditor.h"
#include "documents/ui/SalesDocumentEditor.h"
#include "documents/ui/SalesProfile.h"
#include "documents/ui/SeriesChooser.h"
#include "printing/DocumentExport.h"
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

QString periodCondition(const ::ui::AppContext& context, const QString& table) {
    if (!context.history)
        return table + QStringLiteral(".Storico = false");
    if (context.historyFrom.isValid() && context.historyTo.isValid())
        return QStringLiteral("%1.Data >= #%2# and %1.Data <= #%3#")
            .arg(table, common::jetDate(context.historyFrom),
                 common::jetDateEndOfDay(context.historyTo));
    return table + QStringLiteral(".Storico = true");
}

::ui::ScreenDefinition listDefinition(const ::ui::AppContext& context,
                                      const SalesProfile& profile) {
    const QString table = DocumentTables::of(profile.kind).header;
    ::ui::ScreenDefinition d;
    d.table = table;
    d.key = QStringLiteral("Id");
    d.objectName = profile.listObjectName;
    d.listTitle = context.history ? profile.historyTitle : profile.listTitle;
    d.columns = profile.listColumns;
    d.orderBy = profile.listOrder;
    d.filter = periodCondition(context, table);
    return d;
}

QLineEdit* NumberBox(QWidget* parent, const QString& name, bool digits) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    if (digits)
        e->setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,9}")), e));
    e->setMaximumWidth(100);
    return e;
}

} // namespace

SalesDocumentList::SalesDocumentList(::ui::AppContext& context, DocumentKind kind, QWidget* parent)
    : FilteredDocumentList(context, listDefinition(context, SalesProfile::of(kind)), parent),
      m_kind(kind), m_profile(SalesProfile::of(kind)) {
    resize(960, 600);
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
    put(0, 0, QStringLiteral("Numero"),
        NumberBox(filters, QStringLiteral("txtNumero"), !m_profile.numberIsText));
    if (m_profile.internalNumberFilter)
        put(0, 2, QStringLiteral("N° interno"),
            NumberBox(filters, QStringLiteral("txtNumeroInterno"), true));
    put(1, 0, QStringLiteral("Dalla data"),
        ::ui::DateBox(filters, QStringLiteral("txtDallaData"), 100));
    put(1, 2, QStringLiteral("Alla data"),
        ::ui::DateBox(filters, QStringLiteral("txtAllaData"), 100));
    // The customers are read when the user opens the choice, not at every
    // opening of the list.
    auto* customer = ::ui::LazyChoice::ofLookup(
        context, ::ui::lookups::includingCancelled(::ui::lookups::customersOnDocuments()), filters);
    customer->setObjectName(QStringLiteral("cboCliente"));
    customer->setMinimumContentsLength(20);
    customer->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    put(1, 4, QStringLiteral("Cliente"), customer);
    if (m_profile.seriesFilter) {
        auto* series = ::ui::LazyChoice::ofLookup(context, ::ui::lookups::invoiceSeries(), filters);
        series->setObjectName(QStringLiteral("cboSerie"));
        put(0, 4, QStringLiteral("Serie"), series);
    }
    auto* find = new QPushButton(QStringLiteral("cerca"), filters);
    find->setObjectName(QStringLiteral("btnCerca"));
    auto* reset = new QPushButton(QStringLiteral("reset"), filters);
    reset->setObjectName(QStringLiteral("btnReset"));
    find->setAutoDefault(false);
    reset->setAutoDefault(false);
    grid->addWidget(find, 0, 6);
    grid->addWidget(reset, 1, 6);
    grid->setColumnStretch(7, 1);
    if (auto* v = qobject_cast<QVBoxLayout*>(layout()))
        v->insertWidget(1, filters);
    connect(find, &QPushButton::clicked, this, &SalesDocumentList::search);
    connect(reset, &QPushButton::clicked, this, &SalesDocumentList::resetFilter);
    for (QLineEdit* box : filters->findChildren<QLineEdit*>())
        connect(box, &QLineEdit::returnPressed, this, &SalesDocumentList::search);

    disconnect(deleteButton(), &QPushButton::clicked, this, nullptr);
    connect(deleteButton(), &QPushButton::clicked, this, &SalesDocumentList::removeDocument);
    connect(addButton(QStringLiteral("Ricarica"), QStringLiteral("spdRicarica")),
            &QPushButton::clicked, this, &SalesDocumentList::refresh);
    if (m_profile.listPrintCode != 0 || m_profile.exportKind)
        connect(addButton(QStringLiteral("Stampa"), QStringLiteral("spdStampa")),
                &QPushButton::clicked, this, &SalesDocumentList::printList);
    if (m_profile.exportKind)
        connect(addButton(QStringLiteral("Esporta ed invia"), QStringLiteral("spdEsportaInvia")),
                &QPushButton::clicked, this, &SalesDocumentList::exportAndSend);
    if (kind == DocumentKind::Quote && !context.history)
        connect(
            addButton(QStringLiteral("Fattura preventivo"), QStringLiteral("spdFatturaPreventivo")),
            &QPushButton::clicked, this, &SalesDocumentList::invoiceQuote);
    refresh();
}

QString SalesDocumentList::selection() const {
    const QString table = DocumentTables::of(m_kind).header;
    QStringList parts;
    const auto text = [this](const char* name) {
        QLineEdit* box = filterBox(QString::fromLatin1(name));
        return box ? box->text().trimmed() : QString();
    };
    const auto number = [&text](const char* name) {
        bool ok = false;
        const qint64 value = text(name).toLongLong(&ok);
        return ok ? QString::number(value) : QString();
    };
    if (m_profile.numberIsText) {
        if (const QString n = text("txtNumero"); !n.isEmpty())
            parts << QStringLiteral("%1.Numero = '%2'").arg(table, common::sqlQuote(n));
    } else if (const QString n = number("txtNumero"); !n.isEmpty()) {
        parts << QStringLiteral("%1.Numero = %2").arg(table, n);
    }
    if (const QString n = number("txtNumeroInterno"); !n.isEmpty())
        parts << QStringLiteral("%1.NumeroInterno = %2").arg(table, n);
    if (const QDate d = common::parseItalianDate(text("txtDallaData")); d.isValid())
        parts << QStringLiteral("%1.Data >= #%2#").arg(table, common::jetDate(d));
    if (const QDate d = common::parseItalianDate(text("txtAllaData")); d.isValid())
        parts << QStringLiteral("%1.Data <= #%2#").arg(table, common::jetDateEndOfDay(d));
    if (QComboBox* c = filterChoice(QStringLiteral("cboCliente")); c && c->currentIndex() > 0)
        parts << QStringLiteral("%1.Cliente_ID = %2")
                     .arg(table, QString::number(c->currentData().toLongLong()));
    if (QComboBox* s = filterChoice(QStringLiteral("cboSerie")); s && s->currentIndex() > 0)
        parts << QStringLiteral("%1.SerieFatturazione = '%2'")
                     .arg(table, common::sqlQuote(s->currentData().toString()));
    return parts.join(QStringLiteral(" and "));
}

qint64 SalesDocumentList::insertRow() {
    db::Database& db = *context().db;
    SalesDocuments::NewDocument request;
    request.history = context().history;
    if (m_kind == DocumentKind::Ddt && DocumentOptions::load(db).multipleSeries)
        request.series =
            SeriesChooser::choose(this, context(), SeriesChooser::Document::DeliveryNote);
    return SalesDocuments::create(db, m_kind, request);
}

void SalesDocumentList::openCard(qint64 key, bool isNew) {
    {
        SalesDocumentEditor editor(context(), m_kind, key, isNew, this);
        editor.exec();
    }
    showAgain(key);
}

void SalesDocumentList::removeDocument() {
    removeCurrentWith([this](qint64 key) {
        return SalesDocuments::confirmAndRemove(*context().db, *context().interaction, m_kind, key);
    });
}

void SalesDocumentList::printList() {
    // Lists without a print of their own print the current document.
    if (m_profile.listPrintCode == 0) {
        const qint64 key = currentKey();
        if (key != 0)
            ::ui::guarded(context(), [&] {
                printing::ui::printReport(context(),
                                          printing::ReportCall{m_profile.printCode, key});
            });
        return;
    }
    QStringList parts{periodCondition(context(), DocumentTables::of(m_kind).header)};
    if (!applied().isEmpty())
        parts << applied();
    ::ui::guarded(context(), [&] {
        printing::ui::printReport(context(),
                                  printing::ReportCall{m_profile.listPrintCode, QVariant(),
                                                       parts.join(QStringLiteral(" and "))});
    });
}

void SalesDocumentList::exportAndSend() {
    const qint64 key = currentKey();
    if (key == 0 || !m_profile.exportKind)
        return;
    ::ui::guarded(context(), [&] {
        QStringList sent;
        printing::ui::exportAndSend(context(), printing::ExportKind(*m_profile.exportKind), key,
                                    this, &sent);
        if (!sent.isEmpty())
            DocumentLog::recordSalesDocument(*context().db, DocumentLog::Event::Sent, m_kind, key,
                                             sent.join(QStringLiteral(", ")));
    });
}

void SalesDocumentList::invoiceQuote() {
    const qint64 quote = currentKey();
    if (quote == 0)
        return;
    db::Database& db = *context().db;
    DocumentStore::NewDocument request;
    if (DocumentOptions::load(db).multipleSeries)
        request.series = SeriesChooser::choose(this, context(), SeriesChooser::Document::Invoice);
    qint64 invoice = 0;
    if (!::ui::guarded(context(), [&] { invoice = QuoteInvoicing::invoice(db, quote, request); }) ||
        invoice == 0)
        return;
    {
        ::ui::AppContext own = context();
        own.history = false;
        InvoiceEditor editor(own, DocumentKind::CustomerInvoice, invoice, true, this);
        editor.exec();
    }
    refresh();
}

} // namespace documents::ui
