#include "ListBench.h"

#include "NativeReader.h"
#include "PlanReport.h"
#include "accounting/ui/CashBookScreens.h"
#include "accounting/ui/DueDateScreens.h"
#include "cemetery/ui/ContractList.h"
#include "cemetery/ui/DeceasedScreens.h"
#include "db/Database.h"
#include "documents/ui/InvoiceList.h"
#include "documents/ui/SalesDocumentList.h"
#include "purchases/ui/SupplierList.h"
#include "registries/ui/ArticleScreens.h"
#include "registries/ui/CustomerScreens.h"
#include "ui/AppContext.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <functional>
#include <memory>

namespace bench {

namespace {

using documents::DocumentKind;

using Maker = std::function<std::unique_ptr<QWidget>()>;

struct ListCase {
    QString name;
    Maker make;
    // The first screen by hand, in the engine's own dialect.
    QString baseline;
};

// The rows one screen of a list shows, and the page the list reads first.
constexpr int kRowsInSight = 40;
constexpr int kPage = 200;

// Shows the list and what its first screen paints: every column of the
// rows in sight.
void paintFirstScreen(QWidget& list) {
    list.show();
    QCoreApplication::processEvents();
    for (QAbstractItemView* view : list.findChildren<QAbstractItemView*>()) {
        QAbstractItemModel* model = view->model();
        if (!model)
            continue;
        const int rows = qMin(model->rowCount(), kRowsInSight);
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < model->columnCount(); ++c) {
                const QModelIndex at = model->index(r, c);
                model->data(at, Qt::DisplayRole);
                model->data(at, Qt::BackgroundRole);
                model->data(at, Qt::ForegroundRole);
            }
    }
}

// What waits for the first screen to be painted: the count of a list longer
// than a page, the totals of the cash book.
void settle() {
    for (int i = 0; i < 2; ++i)
        QCoreApplication::processEvents();
}

template <class List, class... Args> Maker opener(Args&&... args) {
    return [=]() mutable -> std::unique_ptr<QWidget> { return std::make_unique<List>(args...); };
}

// "ORDER BY ... LIMIT" of a first screen as the list asks for it: empty
// values first going up and last going down on both engines.
QString firstPage(const QString& select, const QStringList& order, bool postgres) {
    QStringList terms;
    for (const QString& t : order) {
        const bool down = t.endsWith(QLatin1String(" DESC"));
        terms << t + (postgres
                          ? (down ? QStringLiteral(" NULLS LAST") : QStringLiteral(" NULLS FIRST"))
                          : QString());
    }
    return QStringLiteral("%1 ORDER BY %2 LIMIT %3")
        .arg(select, terms.join(QStringLiteral(", ")))
        .arg(kPage);
}

QList<ListCase> cases(::ui::AppContext& context, ::ui::AppContext& history, int firstYear,
                      const QDate& today, bool postgres) {
    const auto page = [postgres](const QString& select, const QStringList& order) {
        return firstPage(select, order, postgres);
    };
    const QString cashBook =
        QStringLiteral(
            "SELECT f.Data, f.Operazione, s.Fornitore, c.NominativoDocumenti AS Cliente, "
            "f.Entrata, "
            "f.Uscita, f.Note, f.ID, m.Descrizione AS ModPagamento, f.Tipologia_ID, f.Tipo, b.Id "
            "AS "
            "IdeBanca, b.Banca, b.Iban, t.Descrizione AS Tipologia, f.Fattura_ID, f.Reparto, "
            "f.Storico FROM finanzia f LEFT JOIN Clienti c ON f.Cliente_id = c.Id LEFT JOIN "
            "Fornitor "
            "s ON f.Fornitore_id = s.Id LEFT JOIN ModPagamento m ON f.ModPagamento_Id = m.id LEFT "
            "JOIN Bank b ON f.Banca_ID = b.Id LEFT JOIN TipologiaPrimaNota t ON f.Tipologia_ID = "
            "t.Id "
            "WHERE f.Storico = 0 AND f.Data >= '%1-01-01'")
            .arg(today.year());
    const QString dueDates = QStringLiteral(
        "SELECT d.Id, d.DataScadenza, d.DataPagamento, d.Operazione, d.Importo, d.Dettagli, "
        "d.Numero, d.Tipo, s.Fornitore, c.NominativoDocumenti AS Cliente, m.Descrizione AS "
        "ModalitaPagamento, b.Iban, f.Data AS DataFattura, f.Num AS NumeroFattura, "
        "f.SerieFatturazione FROM FatturaScadenze d LEFT JOIN Fornitor s ON d.Fornitore_id = s.Id "
        "LEFT JOIN Clienti c ON d.Cliente_id = c.Id LEFT JOIN ModPagamento m ON "
        "d.ModPagamento_Id = m.id LEFT JOIN Bank b ON d.Banca_ID = b.Id LEFT JOIN fattura f ON "
        "d.Fattura_ID = f.Id WHERE d.DataPagamento IS %1 AND d.Tipo <> 'C' AND d.Tipo <> 'B'");
    const QStringList byDate{"Data", "Num", "Id"};
    const QStringList byDateNumber{"Data", "Numero", "Id"};
    return {
        {QStringLiteral("Elenco fatture: apertura"),
         opener<documents::ui::InvoiceList>(std::ref(context), DocumentKind::CustomerInvoice),
         page("SELECT * FROM fattura WHERE Carico = 0 AND FattNota = 0 AND Storico = 0", byDate)},
        {QStringLiteral("Elenco fatture: storico di tutti gli anni"),
         opener<documents::ui::InvoiceList>(std::ref(history), DocumentKind::CustomerInvoice),
         page(QStringLiteral("SELECT * FROM fattura WHERE Carico = 0 AND FattNota = 0 AND Data >= "
                             "'%1-01-01' AND Data <= '%2 23:59:59'")
                  .arg(firstYear)
                  .arg(today.toString(Qt::ISODate)),
              byDate)},
        {QStringLiteral("Elenco note di credito: apertura"),
         opener<documents::ui::InvoiceList>(std::ref(context), DocumentKind::CustomerCreditNote),
         page("SELECT * FROM fattura WHERE Carico = 0 AND FattNota = 1 AND Storico = 0", byDate)},
        {QStringLiteral("Elenco clienti: apertura"),
         opener<registries::ui::CustomerList>(std::ref(context)),
         page("SELECT c.*, k.Descrizione AS Categoria FROM Clienti c LEFT JOIN ClientiCategoria k "
              "ON c.Categoria_ID = k.ID WHERE c.Annullato = 0",
              {"c.NominativoVisualizzato", "c.ID"})},
        {QStringLiteral("Listino articoli: apertura"),
         opener<registries::ui::ArticleList>(std::ref(context)),
         page("SELECT p.*, k.Descrizione AS Categoria FROM prezziar p LEFT JOIN PrezziarCategorie "
              "k ON p.categoria_id = k.ID WHERE p.Annullato = 0",
              {"p.Descrizione", "p.ID"})},
        {QStringLiteral("Elenco defunti: apertura"),
         opener<cemetery::ui::DeceasedList>(std::ref(context)),
         page("SELECT * FROM Defunti", {"NominativoVisualizzato", "Id"})},
        {QStringLiteral("Elenco contratti: apertura"),
         opener<cemetery::ui::ContractList>(std::ref(context)),
         page("SELECT * FROM ContrattiTestata WHERE Storico = 0",
              {"Data DESC", "Numero DESC", "Id DESC"})},
        {QStringLiteral("Elenco fatture fornitori: apertura"),
         opener<purchases::ui::SupplierList>(std::ref(context), DocumentKind::SupplierInvoice),
         page("SELECT * FROM fattura WHERE Carico = 1 AND FattNota = 0 AND Storico = 0",
              {"ProgressivoCarico", "DataRegistrazione", "Data", "Id"})},
        {QStringLiteral("Elenco DDT: apertura"),
         opener<documents::ui::SalesDocumentList>(std::ref(context), DocumentKind::Ddt),
         page("SELECT * FROM Ddt WHERE Storico = 0", byDateNumber)},
        {QStringLiteral("Elenco preventivi: apertura"),
         opener<documents::ui::SalesDocumentList>(std::ref(context), DocumentKind::Quote),
         page("SELECT * FROM PreventiTestata WHERE Storico = 0", byDateNumber)},
        {QStringLiteral("Elenco buoni: apertura"),
         opener<documents::ui::SalesDocumentList>(std::ref(context), DocumentKind::Receipt),
         page("SELECT * FROM TotaliCo WHERE Storico = 0", byDateNumber)},
        {QStringLiteral("Prima nota: apertura"),
         opener<accounting::ui::CashBookList>(std::ref(context)),
         page(cashBook, {"f.Data DESC", "f.Operazione", "f.ID"})},
        {QStringLiteral("Scadenze clienti aperte: apertura"),
         opener<accounting::ui::DueDateList>(std::ref(context),
                                             accounting::ui::DueDateMode::CustomersOpen),
         page(dueDates.arg(QStringLiteral("NULL")), {"d.DataScadenza", "d.Numero", "d.Id"})},
        {QStringLiteral("Scadenze clienti pagate: apertura"),
         opener<accounting::ui::DueDateList>(std::ref(context),
                                             accounting::ui::DueDateMode::CustomersPaid),
         page(dueDates.arg(QStringLiteral("NOT NULL")), {"d.DataScadenza", "d.Numero", "d.Id"})},
    };
}

::ui::AppContext historyOf(const ::ui::AppContext& context, int firstYear, const QDate& today) {
    ::ui::AppContext history = context;
    history.history = true;
    history.historyFrom = QDate(firstYear, 1, 1);
    history.historyTo = today;
    return history;
}

} // namespace

QList<Timing> listTimings(::ui::AppContext& context, int firstYear, const QDate& today, int runs,
                          NativeReader& native, PlanReport& plans) {
    ::ui::AppContext history = historyOf(context, firstYear, today);
    QList<Timing> out;
    for (const ListCase& c : cases(context, history, firstYear, today, native.postgres())) {
        const auto open = [&c] {
            std::unique_ptr<QWidget> list = c.make();
            paintFirstScreen(*list);
        };
        open(); // the first opening warms the engine's cache, as at work
        plans.watch(c.name);
        Timing t = measure(c.name, runs, open, context.db);
        plans.stop();
        if (!c.baseline.isEmpty()) {
            native.read(c.baseline);
            for (int i = 0; i < runs; ++i) {
                QElapsedTimer clock;
                clock.start();
                native.read(c.baseline);
                t.baseline.append(clock.nsecsElapsed() / 1e6);
            }
        }
        out << t;

        const QString then = QStringLiteral("  poi conteggio e totali");
        std::unique_ptr<QWidget> shown;
        plans.watch(then);
        Timing after = measure(then, runs, settle, context.db, [&] {
            shown = c.make();
            paintFirstScreen(*shown);
        });
        plans.stop();
        shown.reset();
        if (after.statements > 0)
            out << after;
    }
    return out;
}

double historyListMemoryMb(::ui::AppContext& context, int firstYear, const QDate& today) {
    ::ui::AppContext history = historyOf(context, firstYear, today);
    documents::ui::InvoiceList list(history, DocumentKind::CustomerInvoice);
    paintFirstScreen(list);
    return currentMemoryMb();
}

} // namespace bench
