#include "WriterFixture.h"

#include "common/Money.h"
#include "einvoice/SdiChecks.h"
#include "einvoice/WrittenFileControls.h"

#include <QFile>
#include <QHash>
#include <cmath>
#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxml/xmlschemas.h>
#include <libxml/xpath.h>
#include <libxml/xpathInternals.h>

namespace writer {

namespace {

db::Values merged(db::Values base, const db::Values& over) {
    for (const auto& [column, value] : over) {
        bool replaced = false;
        for (auto& b : base)
            if (b.first.compare(column, Qt::CaseInsensitive) == 0) {
                b.second = value;
                replaced = true;
            }
        if (!replaced)
            base.append({column, value});
    }
    return base;
}

void setAll(db::Database& db, const QString& table, const db::Values& values) {
    QStringList sets;
    QVariantList binds;
    for (const auto& [column, value] : values) {
        sets << column + QStringLiteral(" = ?");
        binds << value;
    }
    db.exec(QStringLiteral("UPDATE %1 SET %2").arg(table, sets.join(QStringLiteral(", "))), binds);
}

qint64 document(db::Database& db, qint64 customerId, bool creditNote, const db::Values& values) {
    const db::Values base{{"Carico", false},
                          {"FattNota", creditNote},
                          {"Storico", false},
                          {"Num", 15},
                          {"Data", QDate(2026, 3, 15)},
                          {"Cliente_ID", customerId},
                          {"ScissionePagamenti", false},
                          {"TotImponibile", 0.0},
                          {"TotImposta", 0.0},
                          {"TotFattura", 0.0},
                          {"ImportoMarcaBollo", 0.0},
                          {"DatiAnagraficiVettore", false},
                          {"DatiTrasporto", false},
                          {"EsportatoXml", false},
                          {"DatiTrasmissione_NumeroInterno", 42},
                          {"DatiTrasmissione_ProgressivoInvio", 42},
                          {"DatiTrasmissione_FormatoTrasmissione", "FPR12"},
                          {"DatiGenerali_Divisa", "EUR"}};
    return db.insert(QStringLiteral("fattura"), merged(base, values));
}

// libxml2 messages gathered while validating.
void collect(void* context, const char* format, ...) {
    char text[1024];
    va_list args;
    va_start(args, format);
    vsnprintf(text, sizeof text, format, args);
    va_end(args);
    static_cast<QString*>(context)->append(QString::fromUtf8(text));
}

xmlSchemaPtr schema() {
    static xmlSchemaPtr loaded = [] {
        const QByteArray path = QByteArray(OSSARION_FPA_SCHEMA_DIR) + "/Schema_VFPA12_V1.2.3.xsd";
        xmlSchemaParserCtxtPtr parser = xmlSchemaNewParserCtxt(path.constData());
        xmlSchemaPtr s = xmlSchemaParse(parser);
        xmlSchemaFreeParserCtxt(parser);
        return s;
    }();
    return loaded;
}

} // namespace

void setCompany(db::Database& db, const db::Values& values) {
    setAll(db, QStringLiteral("ditta"), values);
}

void setOptions(db::Database& db, const db::Values& values) {
    setAll(db, QStringLiteral("opzioni"), values);
}

void company(db::Database& db, const db::Values& extra) {
    const db::Values v{{"RagSoc", "Onoranze Funebri Rossi Srl"},
                       {"Nome", "Luigi"},
                       {"CodOERI", "IT123"},
                       {"PIva", "01234567897"},
                       {"CodFisc", "01234567897"},
                       {"IdPaese", "IT"},
                       {"RegimeFiscale", "RF01"},
                       {"Via", "Via Garibaldi"},
                       {"Numero", "7"},
                       {"Cap", "35100"},
                       {"Comune", "Padova"},
                       {"Provincia", "PD"},
                       {"Tel", "049123456"},
                       {"Email", "info@rossi.it"}};
    setCompany(db, merged(v, extra));
}

qint64 customer(db::Database& db, const db::Values& values) {
    const db::Values base{{"Cognome", "Rossi"},
                          {"Nome", "Mario"},
                          {"Via", "Via Roma"},
                          {"Numero", "1"},
                          {"Cap", "35100"},
                          {"Citta", "Padova"},
                          {"Provincia", "PD"},
                          {"IdPaese", "IT"},
                          {"CodFiscale", "rssmra80a01g224w"},
                          {"PubblicaAmministrazione", false},
                          {"StabileOrganizzazione", false},
                          {"RappresentanteFiscale", false}};
    return db.insert(QStringLiteral("Clienti"), merged(base, values));
}

qint64 vatCode(db::Database& db, double rate, const QString& nature) {
    return db.insert(QStringLiteral("Iva"),
                     {{"Descrizione", QStringLiteral("Codice %1").arg(nature)},
                      {"Iva", rate},
                      {"Pa_Natura_Codice", nature}});
}

qint64 bank(db::Database& db, const QString& name, const QString& iban,
            const QString& beneficiary) {
    return db.insert(QStringLiteral("Bank"),
                     {{"Banca", name}, {"Iban", iban}, {"Beneficiario", beneficiary}});
}

qint64 paymentTerms(db::Database& db, int instalments, const QString& method) {
    return db.insert(QStringLiteral("ModPagamento"), {{"Descrizione", "Termini"},
                                                      {"NumeroScadenze", instalments},
                                                      {"PA_ModalitaPagamento_Codice", method}});
}

qint64 invoice(db::Database& db, qint64 customerId, const db::Values& values) {
    return document(db, customerId, false, values);
}

qint64 creditNote(db::Database& db, qint64 customerId, const db::Values& values) {
    return document(
        db, customerId, true,
        merged({{"NCFattNumRif", 15}, {"NCFattDataRif", QDate(2019, 5, 2)}, {"NCFatSerieRif", "B"}},
               values));
}

void addRow(db::Database& db, qint64 documentId, double quantity, double price, double discount,
            double rate, qint64 vatId, const db::Values& extra) {
    const bool credit =
        db.scalar(QStringLiteral("select FattNota from fattura where Id = ?"), {documentId})
            .toBool();
    const QString table = credit ? QStringLiteral("NotaCreditoRighe") : QStringLiteral("fattdett");
    const QString parent = credit ? QStringLiteral("NotaCredito_ID") : QStringLiteral("NumFatt");
    const qint64 number =
        db.scalar(QStringLiteral("select count(*) from %1 where %2 = ?").arg(table, parent),
                  {documentId})
            .toLongLong() +
        1;
    const double net = common::rowNet(true, quantity, price, discount);
    db.insert(table, merged({{parent, documentId},
                             {"NumeroRiga", number},
                             {"TipoRiga", "A"},
                             {"Descrizione", QStringLiteral("Riga %1").arg(number)},
                             {"Um", quantity},
                             {"ValoreUnitario", price},
                             {"Sconto", discount},
                             {"AliquotaIva", rate},
                             {"Iva_ID", vatId},
                             {"TotaleImponibile", net}},
                            extra));
    const db::Row sums = db.query(QStringLiteral("select sum(TotaleImponibile) as T, "
                                                 "sum(TotaleImponibile * AliquotaIva) as V "
                                                 "from %1 where %2 = ?")
                                      .arg(table, parent),
                                  {documentId})
                             .first();
    const double taxable = common::round2(sums.number("T"));
    const double vat = common::round2(sums.number("V") / 100);
    const double stamp =
        db.scalar(QStringLiteral("select ImportoMarcaBollo from fattura where Id = ?"),
                  {documentId})
            .toDouble();
    db.update(
        QStringLiteral("fattura"), documentId,
        {{"TotImponibile", taxable}, {"TotImposta", vat}, {"TotFattura", taxable + vat + stamp}});
}

qint64 instalment(db::Database& db, qint64 documentId, const QDate& due, double amount,
                  qint64 bankId, qint64 methodId) {
    const qint64 number = db.scalar(QStringLiteral("select count(*) from FatturaScadenze where "
                                                   "Fattura_ID = ?"),
                                    {documentId})
                              .toLongLong() +
                          1;
    return db.insert(QStringLiteral("FatturaScadenze"), {{"Fattura_ID", documentId},
                                                         {"Numero", number},
                                                         {"DataScadenza", due},
                                                         {"Importo", amount},
                                                         {"Tipo", "F"},
                                                         {"Pagato", false},
                                                         {"Banca_ID", bankId},
                                                         {"ModPagamento_Id", methodId}});
}

Xml::Xml(const QString& file) {
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return;
    m_bytes = f.readAll();
    m_doc = xmlReadMemory(m_bytes.constData(), int(m_bytes.size()), "fattura.xml", nullptr,
                          XML_PARSE_NONET);
}

Xml::~Xml() {
    if (m_doc)
        xmlFreeDoc(static_cast<xmlDocPtr>(m_doc));
}

QString Xml::schemaErrors() const {
    if (!m_doc)
        return QStringLiteral("file non letto");
    if (!schema())
        return QStringLiteral("schema non letto");
    QString errors;
    xmlSchemaValidCtxtPtr v = xmlSchemaNewValidCtxt(schema());
    xmlSchemaSetValidErrors(v, collect, collect, &errors);
    const int rc = xmlSchemaValidateDoc(v, static_cast<xmlDocPtr>(m_doc));
    xmlSchemaFreeValidCtxt(v);
    if (rc != 0 && errors.isEmpty())
        errors = QStringLiteral("non valido (%1)").arg(rc);
    return errors;
}

QStringList Xml::all(const QString& xpath) const {
    QStringList out;
    if (!m_doc)
        return out;
    xmlXPathContextPtr ctx = xmlXPathNewContext(static_cast<xmlDocPtr>(m_doc));
    xmlXPathRegisterNs(ctx, BAD_CAST "p",
                       BAD_CAST "http://ivaservizi.agenziaentrate.gov.it/docs/xsd/fatture/v1.2");
    const QByteArray expr = xpath.toUtf8();
    xmlXPathObjectPtr found = xmlXPathEvalExpression(BAD_CAST expr.constData(), ctx);
    if (found && found->nodesetval) {
        for (int i = 0; i < found->nodesetval->nodeNr; ++i) {
            xmlChar* text = xmlNodeGetContent(found->nodesetval->nodeTab[i]);
            out << QString::fromUtf8(reinterpret_cast<const char*>(text));
            xmlFree(text);
        }
    }
    xmlXPathFreeObject(found);
    xmlXPathFreeContext(ctx);
    return out;
}

QString Xml::one(const QString& xpath) const {
    const QStringList found = all(xpath);
    return found.size() == 1 ? found.first()
                             : QStringLiteral("<%1 nodi per %2>").arg(found.size()).arg(xpath);
}

QStringList sdiArithmetic(const Xml& xml) {
    QStringList out;
    const QString rows = QStringLiteral("//DettaglioLinee");
    const int count = xml.count(rows);
    QHash<QString, double> rowsByRate;
    for (int i = 1; i <= count; ++i) {
        const QString row = QStringLiteral("(%1)[%2]/").arg(rows).arg(i);
        double price = xml.one(row + "PrezzoUnitario").toDouble();
        const int adjustments = xml.count(row + "ScontoMaggiorazione");
        for (int k = 1; k <= adjustments; ++k) {
            const QString a = row + QStringLiteral("ScontoMaggiorazione[%1]/").arg(k);
            const double sign = xml.one(a + "Tipo") == u"SC" ? -1 : 1;
            if (xml.count(a + "Percentuale") == 1)
                price += sign * price * xml.one(a + "Percentuale").toDouble() / 100;
            else
                price += sign * xml.one(a + "Importo").toDouble();
        }
        const double quantity =
            xml.count(row + "Quantita") == 1 ? xml.one(row + "Quantita").toDouble() : 1.0;
        const double total = xml.one(row + "PrezzoTotale").toDouble();
        if (std::fabs(total - price * quantity) > 0.01 + 1e-9)
            out << QStringLiteral("00423 riga %1: %2 invece di %3")
                       .arg(i)
                       .arg(total, 0, 'f', 8)
                       .arg(price * quantity, 0, 'f', 8);
        rowsByRate[xml.one(row + "AliquotaIVA")] += total;
    }
    QHash<QString, double> summariesByRate;
    const QString sums = QStringLiteral("//DatiRiepilogo");
    for (int i = 1; i <= xml.count(sums); ++i) {
        const QString s = QStringLiteral("(%1)[%2]/").arg(sums).arg(i);
        const double rate = xml.one(s + "AliquotaIVA").toDouble();
        const double taxable = xml.one(s + "ImponibileImporto").toDouble();
        const double tax = xml.one(s + "Imposta").toDouble();
        const double expected = std::floor(rate * taxable + 0.5 + 1e-9) / 100;
        if (std::fabs(tax - expected) > 0.01 + 1e-9)
            out << QStringLiteral("00421 riepilogo %1: %2 invece di %3")
                       .arg(i)
                       .arg(tax)
                       .arg(expected);
        summariesByRate[xml.one(s + "AliquotaIVA")] += taxable;
    }
    for (auto it = rowsByRate.cbegin(); it != rowsByRate.cend(); ++it)
        if (std::fabs(summariesByRate.value(it.key()) - it.value()) > 1.0 + 1e-9)
            out << QStringLiteral("00422 aliquota %1").arg(it.key());
    return out;
}

qint64 plainInvoice(db::Database& db) {
    company(db);
    const qint64 doc = invoice(db, customer(db));
    addRow(db, doc, 1, 100);
    return doc;
}

void Export::run(db::Database& db, qint64 documentId, const QString& file) {
    if (file.isEmpty())
        ui.texts.enqueue(dir.filePath(QLatin1String(savedName)));
    result = einvoice::FatturaPaExport::run(db, ui, {documentId, file});
    if (result.written) {
        xml = std::make_unique<Xml>(result.file);
        EXPECT_TRUE(xml->parsed());
        EXPECT_EQ(xml->schemaErrors(), QString()) << xml->bytes().toStdString();
        // Unless the user was asked and went on, the exchange system's
        // controls read from the file alone find nothing.
        bool asked = false;
        for (const auto& m : ui.messages)
            asked = asked || m.title == einvoice::SdiChecks::title();
        if (!asked)
            EXPECT_EQ(einvoice::WrittenFileControls::problems(xml->bytes()), QStringList());
    }
}

} // namespace writer
