#include "SyntheticArchive.h"

#include "db/Database.h"

#include <QRandomGenerator>
#include <QStringList>

namespace bench {

namespace {

const QStringList kSurnames{"Rossi",   "Russo",   "Ferrari", "Esposito", "Bianchi",  "Romano",
                            "Colombo", "Ricci",   "Marino",  "Greco",    "Bruno",    "Gallo",
                            "Conti",   "De Luca", "Mancini", "Costa",    "Giordano", "Rizzo"};
const QStringList kNames{"Mario", "Anna",  "Giuseppe", "Maria",  "Luigi", "Giulia",
                         "Paolo", "Laura", "Franco",   "Chiara", "Bruno", "Elena"};

QString person(QRandomGenerator& random) {
    return kSurnames.at(random.bounded(kSurnames.size())) + u' ' +
           kNames.at(random.bounded(kNames.size()));
}

// Inserts rows through one prepared statement: the archive layer translates
// and binds exactly as for a single insert, without reading keys back.
class BulkInsert {
public:
    BulkInsert(db::Database& db, const QString& table, const QStringList& columns) : m_db(db) {
        QStringList marks;
        for (int i = 0; i < columns.size(); ++i)
            marks << QStringLiteral("?");
        m_sql = QStringLiteral("insert into %1 (%2) values (%3)")
                    .arg(table, columns.join(u','), marks.join(u','));
    }
    void add(const QVariantList& values) { m_db.exec(m_sql, values); }

private:
    db::Database& m_db;
    QString m_sql;
};

// A row whose key the archive hands back.
qint64 insertRow(db::Database& db, const QString& table, const QStringList& columns,
                 const QVariantList& values) {
    db::Values v;
    for (int i = 0; i < columns.size(); ++i)
        v.append({columns.at(i), values.at(i)});
    return db.insert(table, v);
}

QList<qint64> keys(db::Database& db, const QString& sql) {
    QList<qint64> out;
    for (const db::Row& r : db.query(sql))
        out.append(r.value(0).toLongLong());
    return out;
}

} // namespace

SyntheticFacts SyntheticArchive::fill(db::Database& db, const ArchiveSize& size,
                                      const QDate& today) {
    QRandomGenerator random(20261206);
    SyntheticFacts facts;
    db::Transaction tx(db);

    const qint64 terms =
        db.scalar(QStringLiteral("select top 1 Id from ModPagamento order by Id")).toLongLong();
    const qint64 vat =
        db.scalar(QStringLiteral("select top 1 ID from Iva where Iva = 22 order by ID"))
            .toLongLong();

    BulkInsert articles(db, QStringLiteral("prezziar"),
                        {"Codice", "Descrizione", "Prezzo", "AliquotaIva", "Iva_Id", "Giacenza",
                         "Annullato", "PrezzoImposto"});
    for (int i = 0; i < size.articles; ++i)
        articles.add({QStringLiteral("ART%1").arg(i, 5, 10, QLatin1Char('0')),
                      QStringLiteral("Servizio cimiteriale %1").arg(i), 10.0 + (i % 90) * 5.0, 22.0,
                      vat, 100.0, false, false});

    const QList<qint64> articleIds =
        keys(db, QStringLiteral("select ID from prezziar where Codice like 'ART*' order by ID"));
    BulkInsert customers(db, QStringLiteral("Clienti"),
                         {"Cognome", "Nome", "NominativoDocumenti", "NominativoVisualizzato", "Via",
                          "Citta", "Cap", "Provincia", "Sede_Nazione", "CodFiscale", "Pagamento_ID",
                          "Annullato", "PubblicaAmministrazione"});
    for (int i = 0; i < size.customers; ++i) {
        const QString name = person(random) + QStringLiteral(" %1").arg(i);
        customers.add({name.section(u' ', 0, 0), name.section(u' ', 1), name, name,
                       QStringLiteral("Via Roma 1"), QStringLiteral("Padova"),
                       QStringLiteral("35100"), QStringLiteral("PD"), QStringLiteral("IT"),
                       QStringLiteral("RSSMRA80A01G224%1").arg(QChar(u'A' + i % 26)), terms, false,
                       false});
    }

    const QList<qint64> customerIds = keys(
        db, QStringLiteral("select ID from Clienti where CodFiscale like 'RSSMRA80A01G224*' order "
                           "by ID"));

    // Invoices: numbered from 1 each year, three rows and two instalments each.
    const QStringList headerColumns{"Carico",
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
    BulkInsert rows(db, QStringLiteral("fattdett"),
                    {"NumFatt", "NumeroRiga", "TipoRiga", "Articolo_ID", "Codice", "Descrizione",
                     "Um", "ValoreUnitario", "Sconto", "AliquotaIva", "Iva_ID", "TotaleImponibile",
                     "ValoreTotale", "Data", "Storico"});
    BulkInsert instalments(db, QStringLiteral("FatturaScadenze"),
                           {"Fattura_ID", "Numero", "DataScadenza", "Importo", "Tipo", "Operazione",
                            "Pagato", "DataPagamento", "ModPagamento_Id", "Cliente_id"});
    int progressive = 0;
    const int firstYear = today.year() - size.years + 1;
    for (int year = firstYear; year <= today.year(); ++year) {
        const int lastDay =
            year == today.year() ? today.dayOfYear() : QDate(year, 12, 31).dayOfYear();
        for (int n = 1; n <= size.invoicesPerYear; ++n) {
            const QDate date =
                QDate(year, 1, 1).addDays(qint64(n - 1) * (lastDay - 1) / size.invoicesPerYear);
            const qint64 customer = customerIds.at(random.bounded(customerIds.size()));
            QList<QVariantList> lines;
            double taxable = 0;
            for (int r = 1; r <= size.rowsPerInvoice; ++r) {
                const int article = random.bounded(articleIds.size());
                const double price = 10.0 + (article % 90) * 5.0;
                taxable += price;
                lines.append({0, r, QStringLiteral("N"), articleIds.at(article),
                              QStringLiteral("ART%1").arg(article, 5, 10, QLatin1Char('0')),
                              QStringLiteral("Servizio cimiteriale %1").arg(article), 1.0, price,
                              0.0, 22.0, vat, price, price * 1.22, date, false});
            }
            const double tax = qRound64(taxable * 22.0) / 100.0;
            const double total = taxable + tax;
            const qint64 invoice = insertRow(
                db, QStringLiteral("fattura"), headerColumns,
                {false, false, false, n, date, customer, QStringLiteral("Cliente %1").arg(customer),
                 terms, taxable, tax, total, 0.0, ++progressive, QStringLiteral("FPR12"),
                 QStringLiteral("EUR"), year < today.year(), false});
            for (QVariantList& line : lines) {
                line[0] = invoice;
                rows.add(line);
            }
            for (int i = 1; i <= 2; ++i) {
                const QDate due = date.addDays(30 * i);
                const bool paid = due < today.addDays(-60);
                instalments.add({invoice, i, due, qRound64(total * 50.0) / 100.0,
                                 QStringLiteral("A"),
                                 QStringLiteral("%1° Rata Fattura N° %2").arg(i).arg(n), paid,
                                 paid ? QVariant(due) : QVariant(), terms, customer});
            }
        }
    }

    BulkInsert deceased(db, QStringLiteral("Defunti"),
                        {"Cognome", "Nome", "NominativoDocumenti", "NominativoVisualizzato",
                         "Sesso", "DataNascita", "DataMorte", "LuogoMorte"});
    for (int i = 0; i < size.deceased; ++i) {
        const QString name = person(random) + QStringLiteral(" %1").arg(i);
        const QDate death = QDate(firstYear, 1, 1).addDays(random.bounded(size.years * 365));
        deceased.add({name.section(u' ', 0, 0), name.section(u' ', 1), name, name,
                      i % 2 ? QStringLiteral("F") : QStringLiteral("M"),
                      death.addYears(-60 - random.bounded(35)), death, QStringLiteral("Padova")});
    }
    const QList<qint64> deceasedIds =
        keys(db, QStringLiteral("select Id from Defunti order by Id"));

    // Contracts: open ones have this year's rows still unpaid.
    const QStringList contractColumns{"Numero",  "Data",   "Cliente_ID",
                                      "Cliente", "Chiuso", "Storico"};
    BulkInsert contractRows(
        db, QStringLiteral("ContrattiRighe"),
        {"Testata_ID",       "NumeroRiga",   "Data",        "Articolo_ID",    "Codice",
         "Descrizione",      "TipoRiga",     "Um",          "ValoreUnitario", "Sconto",
         "TotaleImponibile", "ValoreTotale", "AliquotaIva", "Iva_ID",         "DataInizioPeriodo",
         "DataFinePeriodo",  "Pagato",       "Chiuso",      "Fatturato",      "Storico"});
    BulkInsert links(db, QStringLiteral("ContrattiDefunti"),
                     {"Testata_ID", "Defunto_ID", "Defunto"});
    for (int i = 1; i <= size.contracts; ++i) {
        const QDate date = QDate(firstYear, 1, 1).addDays(random.bounded(size.years * 365));
        const bool closed = i % 3 != 0;
        const qint64 customer = customerIds.at(random.bounded(customerIds.size()));
        const qint64 contract = insertRow(
            db, QStringLiteral("ContrattiTestata"), contractColumns,
            {i, date, customer, QStringLiteral("Cliente %1").arg(customer), closed, false});
        for (int year : {today.year() - 1, today.year()}) {
            const bool paid = closed || year < today.year();
            contractRows.add({contract,
                              year - today.year() + 2,
                              date,
                              articleIds.first(),
                              QStringLiteral("ART00000"),
                              QStringLiteral("Canone annuo lampada"),
                              QStringLiteral("N"),
                              1.0,
                              40.0,
                              0.0,
                              40.0,
                              48.8,
                              22.0,
                              vat,
                              QDate(year, 1, 1),
                              QDate(year, 12, 31),
                              paid,
                              paid,
                              false,
                              false});
        }
        links.add({contract, deceasedIds.at(random.bounded(deceasedIds.size())),
                   QStringLiteral("Defunto")});
    }

    // This year's large invoice: forty rows for one customer, totals left
    // for the recomputation to fill.
    facts.largeCustomer = customerIds.first();
    facts.largeInvoice =
        insertRow(db, QStringLiteral("fattura"), headerColumns,
                  {false, false, false, size.invoicesPerYear + 1, today, facts.largeCustomer,
                   QStringLiteral("Cliente %1").arg(facts.largeCustomer), terms, 0.0, 0.0, 0.0, 0.0,
                   ++progressive, QStringLiteral("FPR12"), QStringLiteral("EUR"), false, false});
    for (int r = 1; r <= 40; ++r)
        rows.add({facts.largeInvoice, r, QStringLiteral("N"), articleIds.at(r),
                  QStringLiteral("ART%1").arg(r, 5, 10, QLatin1Char('0')),
                  QStringLiteral("Servizio cimiteriale %1").arg(r), 2.0, 55.5, 10.0, 22.0, vat, 0.0,
                  0.0, today, false});
    tx.commit();
    return facts;
}

} // namespace bench
