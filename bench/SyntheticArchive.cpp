#include "SyntheticArchive.h"

#include "AccountingBench.h"
#include "BulkInsert.h"
#include "db/Database.h"

#include <QStringList>

namespace bench {

namespace {

const QStringList kSurnames{"Rossi",   "Russo",   "Ferrari", "Esposito", "Bianchi",  "Romano",
                            "Colombo", "Ricci",   "Marino",  "Greco",    "Bruno",    "Gallo",
                            "Conti",   "De Luca", "Mancini", "Costa",    "Giordano", "Rizzo"};
const QStringList kNames{"Mario", "Anna",  "Giuseppe", "Maria",  "Luigi", "Giulia",
                         "Paolo", "Laura", "Franco",   "Chiara", "Bruno", "Elena"};

// The big tables: their secondary indexes are built once after filling.
const QStringList kFilledTables{"fattura",
                                "fattdett",
                                "NotaCreditoRighe",
                                "FatturaScadenze",
                                "Clienti",
                                "Defunti",
                                "ContrattiTestata",
                                "ContrattiRighe",
                                "ContrattiDefunti",
                                "finanzia",
                                "Ddt",
                                "PreventiTestata",
                                "TotaliCo",
                                "Movimenti",
                                "NotaCreditoCaricoRighe"};

const QStringList kHeaderColumns{"Id",
                                 "Carico",
                                 "FattNota",
                                 "Storico",
                                 "Num",
                                 "Data",
                                 "Cliente_ID",
                                 "Cliente",
                                 "ModPagamento_Id",
                                 "TotImponibile",
                                 "TotImposta",
                                 "TotFattura",
                                 "ImportoMarcaBollo",
                                 "DatiTrasmissione_ProgressivoInvio",
                                 "DatiTrasmissione_FormatoTrasmissione",
                                 "DatiGenerali_Divisa",
                                 "EsportatoXml",
                                 "NonNumerare"};
const QStringList kRowColumns{"NumeroRiga",  "TipoRiga", "Articolo_ID",      "Codice",
                              "Descrizione", "Um",       "ValoreUnitario",   "Sconto",
                              "AliquotaIva", "Iva_ID",   "TotaleImponibile", "ValoreTotale",
                              "Data",        "Storico"};

QString article(int i) {
    return QStringLiteral("ART%1").arg(i, 5, 10, QLatin1Char('0'));
}

} // namespace

SyntheticArchive::SyntheticArchive(db::Database& db, const ArchiveSize& size, const QDate& today)
    : m_db(db), m_size(size), m_today(today) {
    m_terms =
        db.scalar(QStringLiteral("select top 1 Id from ModPagamento order by Id")).toLongLong();
    m_vat = db.scalar(QStringLiteral("select top 1 ID from Iva where Iva = 22 order by ID"))
                .toLongLong();
}

int SyntheticArchive::daysOf(int year) const {
    return year == m_today.year() ? qMax(1, m_today.dayOfYear()) : QDate(year, 1, 1).daysInYear();
}

void SyntheticArchive::addYears(int first, int last) {
    db::Transaction tx(m_db);
    SecondaryIndexes indexes(m_db, kFilledTables);
    if (m_articles.isEmpty()) {
        BulkInsert articles(m_db, QStringLiteral("prezziar"),
                            {"ID", "Codice", "Descrizione", "Prezzo", "AliquotaIva", "Iva_Id",
                             "Giacenza", "Annullato", "PrezzoImposto"});
        qint64 key = nextKey(m_db, QStringLiteral("prezziar"), QStringLiteral("ID"));
        const int count = qMax(50, qRound(m_size.articles * m_size.scale));
        for (int i = 0; i < count; ++i) {
            m_articles << key;
            articles.add({key++, article(i), QStringLiteral("Servizio cimiteriale %1").arg(i),
                          10.0 + (i % 90) * 5.0, 22.0, m_vat, 100.0, false, false});
        }
        articles.flush();
        followKeys(m_db, QStringLiteral("prezziar"), QStringLiteral("ID"));
    }
    addRegistries(last - first + 1);
    for (int year = first; year <= last; ++year) {
        addInvoices(year);
        addContracts(year);
        addOtherDocuments(year);
    }
    if (!m_facts.largeInvoice && last == m_today.year())
        addLargeInvoice();
    for (const auto& [table, key] : QList<std::pair<QString, QString>>{
             {"fattura", "Id"}, {"Clienti", "ID"}, {"Defunti", "Id"}, {"ContrattiTestata", "Id"}})
        followKeys(m_db, table, key);
    // Supplier documents and takings, a year span at a time.
    ArchiveSize purchases = m_size;
    purchases.years = last - first + 1;
    purchases.invoicesPerYear = 3 * m_size.perYear(m_size.supplierDocumentsPerYear);
    addAccountingDocuments(m_db, purchases, last == m_today.year() ? m_today : QDate(last, 12, 31));
    // Past years' supplier documents and takings are history, as the
    // start-up of each new year left them.
    for (const char* table : {"fattura", "finanzia"})
        m_db.exec(QStringLiteral("UPDATE %1 SET Storico = true WHERE Storico = false and Data < ?")
                      .arg(QString::fromLatin1(table)),
                  {QDate(m_today.year(), 1, 1)});
    indexes.rebuild();
    tx.commit();
    // PostgreSQL's autovacuum marks the rows of a bulk load visible to
    // index-only scans and gathers the planner's statistics within a minute
    // or two; the archive is measured as it stands then, as at an office.
    if (m_db.engine() == db::Engine::PostgreSQL)
        for (const QString& table : kFilledTables)
            m_db.execNative(QStringLiteral("VACUUM ANALYZE ") + table);
}

void SyntheticArchive::addRegistries(int years) {
    BulkInsert customers(m_db, QStringLiteral("Clienti"),
                         {"ID", "Cognome", "Nome", "NominativoDocumenti", "NominativoVisualizzato",
                          "Via", "Citta", "Cap", "Provincia", "Sede_Nazione", "CodFiscale",
                          "Pagamento_ID", "Annullato", "PubblicaAmministrazione"});
    qint64 key = nextKey(m_db, QStringLiteral("Clienti"), QStringLiteral("ID"));
    for (int i = 0, n = years * m_size.perYear(m_size.customersPerYear); i < n; ++i) {
        const QString surname = kSurnames.at(m_random.bounded(kSurnames.size()));
        const QString name = kNames.at(m_random.bounded(kNames.size()));
        const QString shown = QStringLiteral("%1 %2 %3").arg(surname, name).arg(key);
        if (m_facts.largeCustomer == 0)
            m_facts.largeCustomer = key;
        m_customers << key;
        customers.add({key++, surname, name, shown, shown, QStringLiteral("Via Roma 1"),
                       QStringLiteral("Padova"), QStringLiteral("35100"), QStringLiteral("PD"),
                       QStringLiteral("IT"),
                       QStringLiteral("RSSMRA80A01G224%1").arg(QChar(u'A' + int(key % 26))),
                       m_terms, false, false});
    }
    customers.flush();
}

void SyntheticArchive::addInvoices(int year) {
    BulkInsert headers(m_db, QStringLiteral("fattura"), kHeaderColumns);
    BulkInsert rows(m_db, QStringLiteral("fattdett"), QStringList{"NumFatt"} + kRowColumns);
    BulkInsert creditRows(m_db, QStringLiteral("NotaCreditoRighe"),
                          QStringList{"NotaCredito_ID"} + kRowColumns);
    BulkInsert instalments(m_db, QStringLiteral("FatturaScadenze"),
                           {"Fattura_ID", "Numero", "DataScadenza", "Importo", "Tipo", "Operazione",
                            "Pagato", "DataPagamento", "ModPagamento_Id", "Cliente_id"});
    qint64 key = nextKey(m_db, QStringLiteral("fattura"), QStringLiteral("Id"));
    const bool history = year < m_today.year();
    const int days = daysOf(year);
    // Invoices numbered from 1 each year, credit notes from 1 on their own.
    for (bool credit : {false, true}) {
        const int count =
            m_size.perYear(credit ? m_size.creditNotesPerYear : m_size.invoicesPerYear);
        for (int n = 1; n <= count; ++n) {
            const QDate date = QDate(year, 1, 1).addDays(qint64(n - 1) * (days - 1) / count);
            const qint64 customer = m_customers.at(m_random.bounded(m_customers.size()));
            const qint64 id = key++;
            double taxable = 0;
            for (int r = 1; r <= m_size.rowsPerDocument; ++r) {
                const int a = m_random.bounded(m_articles.size());
                const double price = 10.0 + (a % 90) * 5.0;
                taxable += price;
                (credit ? creditRows : rows)
                    .add({id, r, QStringLiteral("N"), m_articles.at(a), article(a),
                          QStringLiteral("Servizio cimiteriale %1").arg(a), 1.0, price, 0.0, 22.0,
                          m_vat, price, price * 1.22, date, history});
            }
            const double tax = qRound64(taxable * 22.0) / 100.0;
            const double total = taxable + tax;
            headers.add({id, false, credit, history, n, date, customer,
                         QStringLiteral("Cliente %1").arg(customer), m_terms, taxable, tax, total,
                         0.0, ++m_progressive, QStringLiteral("FPR12"), QStringLiteral("EUR"),
                         history, false});
            if (credit)
                continue;
            // One instalment in three invoices, two in the others.
            const int parts = n % 3 == 0 ? 1 : 2;
            for (int i = 1; i <= parts; ++i) {
                const QDate due = date.addDays(30 * i);
                const bool paid = due < m_today.addDays(-60);
                instalments.add({id, i, due, qRound64(total * 100.0 / parts) / 100.0,
                                 QStringLiteral("A"),
                                 QStringLiteral("%1° Rata Fattura N° %2").arg(i).arg(n), paid,
                                 paid ? QVariant(due) : QVariant(), m_terms, customer});
            }
        }
    }
    headers.flush();
    rows.flush();
    creditRows.flush();
    instalments.flush();
}

void SyntheticArchive::addContracts(int year) {
    const int days = daysOf(year);
    BulkInsert deceased(m_db, QStringLiteral("Defunti"),
                        {"Id", "Cognome", "Nome", "NominativoDocumenti", "NominativoVisualizzato",
                         "Sesso", "DataNascita", "DataMorte", "LuogoMorte"});
    qint64 key = nextKey(m_db, QStringLiteral("Defunti"), QStringLiteral("Id"));
    for (int i = 0, n = m_size.perYear(m_size.deceasedPerYear); i < n; ++i) {
        const QString surname = kSurnames.at(m_random.bounded(kSurnames.size()));
        const QString name = kNames.at(m_random.bounded(kNames.size()));
        const QString shown = QStringLiteral("%1 %2 %3").arg(surname, name).arg(key);
        const QDate death = QDate(year, 1, 1).addDays(m_random.bounded(days));
        m_deceased << key;
        deceased.add({key++, surname, name, shown, shown,
                      i % 2 ? QStringLiteral("F") : QStringLiteral("M"),
                      death.addYears(-60 - m_random.bounded(35)), death, QStringLiteral("Padova")});
    }
    deceased.flush();

    // Contracts: the open ones have this year's row still unpaid.
    BulkInsert contracts(m_db, QStringLiteral("ContrattiTestata"),
                         {"Id", "Numero", "Data", "Cliente_ID", "Cliente", "Chiuso", "Storico"});
    BulkInsert contractRows(
        m_db, QStringLiteral("ContrattiRighe"),
        {"Testata_ID",       "NumeroRiga",   "Data",        "Articolo_ID",    "Codice",
         "Descrizione",      "TipoRiga",     "Um",          "ValoreUnitario", "Sconto",
         "TotaleImponibile", "ValoreTotale", "AliquotaIva", "Iva_ID",         "DataInizioPeriodo",
         "DataFinePeriodo",  "Pagato",       "Chiuso",      "Fatturato",      "Storico"});
    BulkInsert links(m_db, QStringLiteral("ContrattiDefunti"),
                     {"Testata_ID", "Defunto_ID", "Defunto"});
    qint64 contract = nextKey(m_db, QStringLiteral("ContrattiTestata"), QStringLiteral("Id"));
    for (int i = 1, n = m_size.perYear(m_size.contractsPerYear); i <= n; ++i) {
        const QDate date = QDate(year, 1, 1).addDays(m_random.bounded(days));
        const bool closed = i % 3 != 0;
        const qint64 customer = m_customers.at(m_random.bounded(m_customers.size()));
        contracts.add({contract, year * 10000 + i, date, customer,
                       QStringLiteral("Cliente %1").arg(customer), closed, false});
        for (int y : {m_today.year() - 1, m_today.year()}) {
            const bool paid = closed || y < m_today.year();
            contractRows.add({contract,
                              y - m_today.year() + 2,
                              date,
                              m_articles.first(),
                              article(0),
                              QStringLiteral("Canone annuo lampada"),
                              QStringLiteral("N"),
                              1.0,
                              40.0,
                              0.0,
                              40.0,
                              48.8,
                              22.0,
                              m_vat,
                              QDate(y, 1, 1),
                              QDate(y, 12, 31),
                              paid,
                              paid,
                              false,
                              false});
        }
        links.add({contract++, m_deceased.at(m_random.bounded(m_deceased.size())),
                   QStringLiteral("Defunto")});
    }
    contracts.flush();
    contractRows.flush();
    links.flush();
}

void SyntheticArchive::addOtherDocuments(int year) {
    const int days = daysOf(year);
    const bool history = year < m_today.year();
    BulkInsert cash(m_db, QStringLiteral("finanzia"),
                    {"Data", "Operazione", "Entrata", "Uscita", "Tipologia_ID", "Cliente_id",
                     "Tipo", "Corrispettivi", "Storico"});
    for (int i = 0, n = m_size.perYear(m_size.cashMovementsPerYear); i < n; ++i) {
        const bool in = i % 4 != 0;
        const double amount = m_random.bounded(1000, 200000) / 100.0;
        cash.add({QDate(year, 1, 1).addDays(m_random.bounded(days)),
                  in ? QStringLiteral("Incasso") : QStringLiteral("Pagamento"), in ? amount : 0.0,
                  in ? 0.0 : amount, 1, m_customers.at(m_random.bounded(m_customers.size())),
                  QStringLiteral("A"), false, history});
    }
    cash.flush();

    const int count = m_size.perYear(m_size.salesDocumentsPerYear);
    BulkInsert ddt(m_db, QStringLiteral("Ddt"),
                   {"Numero", "Data", "Cliente_ID", "Cliente", "Fatturato", "TotImponibile",
                    "TotImposta", "TotDDT", "Storico"});
    BulkInsert quotes(m_db, QStringLiteral("PreventiTestata"),
                      {"Numero", "Data", "Cliente_ID", "Cliente", "Fatturato", "TotImponibile",
                       "TotImposta", "TotalePreventivo", "Storico"});
    BulkInsert receipts(m_db, QStringLiteral("TotaliCo"),
                        {"Numero", "Data", "Cliente_Id", "Fatturato", "Pagato", "TotImponibile",
                         "TotImposta", "TotFattura", "Storico"});
    for (int n = 1; n <= count; ++n) {
        const QDate date = QDate(year, 1, 1).addDays(qint64(n - 1) * (days - 1) / count);
        const qint64 customer = m_customers.at(m_random.bounded(m_customers.size()));
        const QString name = QStringLiteral("Cliente %1").arg(customer);
        ddt.add({n, date, customer, name, history, 100.0, 22.0, 122.0, history});
        quotes.add({n, date, customer, name, history, 100.0, 22.0, 122.0, history});
        receipts.add({n, date, customer, history, history, 100.0, 22.0, 122.0, history});
    }
    ddt.flush();
    quotes.flush();
    receipts.flush();
}

// This year's large invoice: many rows for one customer, totals left for the
// recomputation to fill.
void SyntheticArchive::addLargeInvoice() {
    const qint64 id = nextKey(m_db, QStringLiteral("fattura"), QStringLiteral("Id"));
    BulkInsert header(m_db, QStringLiteral("fattura"), kHeaderColumns);
    header.add({id, false, false, false, m_size.perYear(m_size.invoicesPerYear) + 1, m_today,
                m_facts.largeCustomer, QStringLiteral("Cliente %1").arg(m_facts.largeCustomer),
                m_terms, 0.0, 0.0, 0.0, 0.0, ++m_progressive, QStringLiteral("FPR12"),
                QStringLiteral("EUR"), false, false});
    header.flush();
    BulkInsert rows(m_db, QStringLiteral("fattdett"), QStringList{"NumFatt"} + kRowColumns);
    for (int r = 1; r <= m_size.largeInvoiceRows; ++r) {
        const int a = r % m_articles.size();
        rows.add({id, r, QStringLiteral("N"), m_articles.at(a), article(a),
                  QStringLiteral("Servizio cimiteriale %1").arg(a), 2.0, 55.5, 10.0, 22.0, m_vat,
                  0.0, 0.0, m_today, false});
    }
    rows.flush();
    m_facts.largeInvoice = id;
}

} // namespace bench
