#include "purchases/ui/SupplierList.h"

#include "common/Interaction.h"
#include "common/SqlText.h"
#include "common/TextForms.h"
#include "common/Titles.h"
#include "db/Database.h"
#include "printing/ReportCodes.h"
#include "printing/ui/DocumentActions.h"
#include "purchases/SupplierDeletion.h"
#include "purchases/SupplierDocuments.h"
#include "purchases/ui/SupplierEditor.h"
#include "ui/AppContext.h"
#include "ui/DataGrid.h"
#include "ui/DateBox.h"
#include "ui/Guarded.h"
#include "ui/SearchWindow.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace purchases::ui {

namespace {

bool isNote(DocumentKind kind) {
    return kind == DocumentKind::SupplierCreditNote;
}

::ui::ScreenDefinition listDefinition(const ::ui::AppContext& context, DocumentKind kind) {
    ::ui::ScreenDefinition d;
    d.table = QStringLiteral("fattura");
    d.key = QStringLiteral("Id");
    d.objectName = isNote(kind) ? QStringLiteral("frmGrigliaNoteCreditoCarico")
                                : QStringLiteral("frmGrigliaFattureCarico");
    QString title = isNote(kind) ? QStringLiteral("Note di Credito Fornitori")
                                 : QStringLiteral("Fatture di Acquisto");
    if (context.history)
        title = QStringLiteral("Storico ") + title;
    d.listTitle = title;
    d.columns = {{"ProgressivoCarico", 80, "Progressivo"},
                 {"DataRegistrazione", 110, "Data Registrazione"},
                 {"NumeroCarico", 110, isNote(kind) ? "N° Nota" : "N° Fattura"},
                 {"Data", 100, "Data"},
                 {"Fornitore", 300, "Fornitore"},
                 {"TotFattura", 110, "Totale"}};
    d.searches = {{"NumeroCarico", isNote(kind) ? "N° Nota" : "N° Fattura"},
                  {"Fornitore", "Fornitore"}};
    d.orderBy =
        QStringLiteral("fattura.ProgressivoCarico, fattura.DataRegistrazione, fattura.Data");
    d.filter = QStringLiteral("fattura.Carico = true and fattura.FattNota = ") +
               (isNote(kind) ? QStringLiteral("true") : QStringLiteral("false")) +
               (context.history ? QStringLiteral(" and fattura.Storico = true")
                                : QStringLiteral(" and fattura.Storico = false"));
    return d;
}

// "Ricerca": every registered document of the kind, current and history,
// found by the supplier's name.
::ui::ScreenDefinition searchDefinition(DocumentKind kind) {
    ::ui::ScreenDefinition d;
    d.table = QStringLiteral("fattura");
    d.key = QStringLiteral("Id");
    d.objectName = isNote(kind) ? QStringLiteral("frmRicercaNotaCreditoCarico")
                                : QStringLiteral("frmRicercaFatturaCarico");
    d.listTitle = isNote(kind) ? QStringLiteral("Ricerca Nota di Credito Fornitore")
                               : QStringLiteral("Ricerca Fattura di Acquisto");
    d.columns = {{"Id", 60, "Id"},
                 {"DataRegistrazione", 110, "Data Registrazione"},
                 {"ProgressivoCarico", 80, "Progressivo"},
                 {"Data", 100, "Data"},
                 {"NumeroCarico", 110, isNote(kind) ? "N° Nota" : "N° Fattura"},
                 {"Fornitore", 300, "Fornitore"}};
    d.searches = {{"Fornitore", "Fornitore"}};
    d.orderBy =
        QStringLiteral("fattura.ProgressivoCarico, fattura.DataRegistrazione, fattura.Data");
    d.filter = QStringLiteral("fattura.Carico = true and fattura.FattNota = ") +
               (isNote(kind) ? QStringLiteral("true") : QStringLiteral("false"));
    return d;
}

} // namespace

SupplierList::SupplierList(::ui::AppContext& context, DocumentKind kind, QWidget* parent)
    : ::ui::ListScreen(context, listDefinition(context, kind), ReadLater{}, parent), m_kind(kind) {
    resize(1000, 620);
    auto* filters = new QWidget(this);
    filters->setObjectName(QStringLiteral("pnlFiltri"));
    auto* grid = new QGridLayout(filters);
    grid->setContentsMargins(0, 0, 0, 0);
    int column = 0;
    for (const auto& [caption, name] :
         {std::pair{QStringLiteral("Data dal"), QStringLiteral("txtDallaData")},
          std::pair{QStringLiteral("al"), QStringLiteral("txtAllaData")},
          std::pair{QStringLiteral("Registrazione dal"), QStringLiteral("txtDallaDataReg")},
          std::pair{QStringLiteral("al"), QStringLiteral("txtAllaDataReg")}}) {
        QLineEdit* box = ::ui::DateBox(filters, name, 100);
        auto* label = new QLabel(caption, filters);
        label->setBuddy(box);
        grid->addWidget(label, 0, column++);
        grid->addWidget(box, 0, column++);
        connect(box, &QLineEdit::returnPressed, this, &SupplierList::refresh);
    }
    auto* find = new QPushButton(QStringLiteral("cerca"), filters);
    find->setObjectName(QStringLiteral("btnCerca"));
    find->setAutoDefault(false);
    grid->addWidget(find, 0, column++);
    grid->setColumnStretch(column, 1);
    connect(find, &QPushButton::clicked, this, &SupplierList::refresh);
    if (auto* v = qobject_cast<QVBoxLayout*>(layout()))
        v->insertWidget(1, filters);

    disconnect(deleteButton(), &QPushButton::clicked, this, nullptr);
    connect(deleteButton(), &QPushButton::clicked, this, &SupplierList::removeDocument);
    connect(addButton(QStringLiteral("Ricarica"), QStringLiteral("spdRicarica")),
            &QPushButton::clicked, this, &SupplierList::refresh);
    connect(addButton(QStringLiteral("Stampa"), QStringLiteral("spdStampa")), &QPushButton::clicked,
            this, &SupplierList::printList);
    connect(addButton(QStringLiteral("Ricerca"), QStringLiteral("spdRicerca")),
            &QPushButton::clicked, this, &SupplierList::search);
    refresh();
}

void SupplierList::search() {
    const qint64 key = ::ui::SearchWindow::choose(context(), searchDefinition(m_kind), this);
    if (key != 0)
        openCard(key, false);
}

QLineEdit* SupplierList::filterBox(const QString& name) const {
    return findChild<QLineEdit*>(name);
}

QString SupplierList::condition() const {
    QStringList parts{::ui::ListScreen::condition()};
    const auto date = [this](const char* box, const char* column, const char* op) {
        QLineEdit* e = filterBox(QString::fromLatin1(box));
        const QDate d = e ? common::parseItalianDate(e->text().trimmed()) : QDate();
        if (!d.isValid())
            return QString();
        return QStringLiteral("fattura.%1 %2 #%3#")
            .arg(QString::fromLatin1(column), QString::fromLatin1(op),
                 *op == '<' ? common::jetDateEndOfDay(d) : common::jetDate(d));
    };
    for (const QString& c : {date("txtDallaData", "Data", ">="), date("txtAllaData", "Data", "<="),
                             date("txtDallaDataReg", "DataRegistrazione", ">="),
                             date("txtAllaDataReg", "DataRegistrazione", "<=")})
        if (!c.isEmpty())
            parts << c;
    parts.removeAll(QString());
    return parts.join(QStringLiteral(" and "));
}

qint64 SupplierList::insertRow() {
    return SupplierDocuments::create(*context().db, m_kind,
                                     {context().history, QDate::currentDate()});
}

void SupplierList::openCard(qint64 key, bool isNew) {
    {
        SupplierEditor editor(context(), m_kind, key, isNew, this);
        editor.exec();
    }
    showAgain(key);
}

void SupplierList::printList() {
    ::ui::guarded(context(), [&] {
        printing::ui::printReport(
            context(), printing::ReportCall{m_kind == DocumentKind::SupplierCreditNote
                                                ? printing::reports::supplierCreditNoteList
                                                : printing::reports::supplierInvoiceList,
                                            QVariant(), condition()});
    });
}

void SupplierList::removeDocument() {
    const qint64 key = currentKey();
    if (key == 0 || !context().interaction->question(common::titles::warning,
                                                     SupplierDeletion::question(m_kind)))
        return;
    if (::ui::guarded(context(), [&] { SupplierDeletion::remove(*context().db, m_kind, key); }))
        refresh();
}

} // namespace purchases::ui
