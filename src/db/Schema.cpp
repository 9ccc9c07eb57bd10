#include "db/Schema.h"

#include "common/Money.h"
#include "db/Database.h"
#include "db/DbError.h"
#include "db/JetTranslator.h"
#include "db/SchemaCatalog.h"
#include "db/Seed.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QRegularExpression>

namespace db {

namespace {

struct Migration {
    int version;
    const char* description;
    std::function<void(Database&)> apply;
};

QString readResource(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw DbError(QStringLiteral("Risorsa mancante: %1").arg(path));
    return QString::fromUtf8(f.readAll());
}

const QList<Migration>& migrations() {
    static const QList<Migration> list = {
        {1, "Struttura dell'archivio",
         [](Database& db) {
             for (const QString& s : Schema::schemaStatements())
                 db.exec(s);
         }},
        {2, "Dati iniziali", [](Database& db) { Seed::loadAll(db); }},
        // Archives made before positions existed get their table now; a new
        // archive already has it from step 1.
        {3, "Posizioni delle aree del cimitero",
         [](Database& db) {
             if (db.tableExists(QStringLiteral("PosizioniCimitero")))
                 return;
             const QString file = QStringLiteral(":/db/schema/55_positions.sql");
             for (const QString& s : splitScript(readResource(file), true))
                 if (!s.trimmed().isEmpty())
                     db.exec(s.trimmed());
         }},
        // The big lists and the start-up housekeeping read in the order of
        // these indexes, so the engine never sorts a whole table.
        {4, "Indici degli elenchi",
         [](Database& db) {
             for (const char* s : {
                      "CREATE INDEX ix_fattura_Carico_FattNota_Storico_Data_Num ON fattura "
                      "(Carico, FattNota, Storico, Data, Num)",
                      "CREATE INDEX ix_fattura_Carico_FattNota_Data_Num ON fattura (Carico, "
                      "FattNota, Data, Num)",
                      "CREATE INDEX ix_fattura_Carico_Storico_Data ON fattura (Carico, Storico, "
                      "Data)",
                      "CREATE INDEX ix_fattura_Carico_Storico_DataRegistrazione ON fattura "
                      "(Carico, Storico, DataRegistrazione)",
                      "CREATE INDEX ix_FatturaScadenze_Pagato_DataPagamento ON FatturaScadenze "
                      "(Pagato, DataPagamento)",
                      "CREATE INDEX ix_ContrattiTestata_Storico_Data_Numero ON ContrattiTestata "
                      "(Storico, Data, Numero)",
                  })
                 db.exec(QString::fromLatin1(s));
         }},
        // Articles and options keep a VAT code and its rate; archives where
        // only the code was set gave rows a rate of 0. The code is right.
        {5, "Aliquote Iva degli articoli dai loro codici",
         [](Database& db) {
             db.exec(QStringLiteral("UPDATE prezziar INNER JOIN Iva ON prezziar.Iva_Id = Iva.ID "
                                    "SET prezziar.AliquotaIva = Iva.Iva"));
             db.exec(QStringLiteral(
                 "UPDATE prezziar INNER JOIN Iva ON prezziar.Fornitore_Iva_id = Iva.ID SET "
                 "prezziar.Fornitore_AliquotaIva = Iva.Iva"));
             db.exec(QStringLiteral("UPDATE opzioni INNER JOIN Iva ON opzioni.Iva_Id = Iva.ID SET "
                                    "opzioni.AliquotaIva = Iva.Iva"));
             // The price including VAT follows the rate.
             const Result articles = db.query(QStringLiteral(
                 "select Id, Prezzo, Sconto, AliquotaIva from prezziar where Iva_Id > 0"));
             for (const Row& a : articles)
                 db.exec(QStringLiteral("UPDATE prezziar SET PrezzoCompleto = ? where Id = ?"),
                         {common::grossPrice(a.number(QStringLiteral("Prezzo")),
                                             a.number(QStringLiteral("AliquotaIva")),
                                             a.number(QStringLiteral("Sconto"))),
                          a.integer(QStringLiteral("Id"))});
         }},
        // The SdI recipient code of every customer lives in the card's
        // "Codice destinatario" (CodiceUnivocoUfficio); older archives kept
        // it of private customers in "Codice cliente". A code moves when it
        // looks like one the exchange system hands out: seven upper-case
        // letters and digits with at least one digit, not an internal
        // number such as "0004211" or "CLI0042", or "XXXXXXX".
        {6, "Codici destinatario dei clienti",
         [](Database& db) {
             static const QRegularExpression sdi(QStringLiteral("^[A-Z0-9]*[0-9][A-Z0-9]*$"));
             static const QRegularExpression internal(QStringLiteral("^[A-Z]{0,4}[0-9]+$"));
             const Result customers = db.query(
                 QStringLiteral("select ID, Codice from Clienti where (PubblicaAmministrazione = "
                                "false or PubblicaAmministrazione is null) and "
                                "(CodiceUnivocoUfficio is null or "
                                "CodiceUnivocoUfficio = '') and Codice is not null"));
             for (const Row& c : customers) {
                 const QString code = c.text(QStringLiteral("Codice")).trimmed().toUpper();
                 const bool looksSdi =
                     code.size() == 7 &&
                     ((sdi.match(code).hasMatch() && !internal.match(code).hasMatch()) ||
                      code == u"XXXXXXX");
                 if (looksSdi)
                     db.exec(QStringLiteral("UPDATE Clienti SET CodiceUnivocoUfficio = ?, Codice "
                                            "= Null where ID = ?"),
                             {code, c.integer(QStringLiteral("ID"))});
             }
         }},
        // Electronic invoices take their progressive from a counter of their
        // own; it starts after every progressive the documents hold.
        {7, "Progressivo di trasmissione delle fatture elettroniche",
         [](Database& db) {
             if (!db.tableExists(QStringLiteral("ProgressivoTrasmissione")))
                 for (const QString& s : splitScript(
                          readResource(QStringLiteral(":/db/schema/35_transmission.sql")), true))
                     if (!s.trimmed().isEmpty())
                         db.exec(s.trimmed());
             const Row last =
                 db.query(QStringLiteral("select max(DatiTrasmissione_ProgressivoInvio) as P, "
                                         "max(DatiTrasmissione_NumeroInterno) as N from fattura"))
                     .first();
             db.insert(QStringLiteral("ProgressivoTrasmissione"),
                       {{QStringLiteral("Ultimo"), std::max(last.integer(QStringLiteral("P")),
                                                            last.integer(QStringLiteral("N")))}});
         }},
        // The payment reason declared with the withholding tax of electronic
        // invoices; "A" (self-employed work) until the user picks another.
        {8, "Causale di pagamento della ritenuta d'acconto",
         [](Database& db) {
             const Result options = db.query(QStringLiteral("select * from opzioni where ID = 0"));
             if (!options.columns.contains(QStringLiteral("CausalePagamentoRitenuta"),
                                           Qt::CaseInsensitive))
                 db.exec(QStringLiteral(
                     "ALTER TABLE opzioni ADD COLUMN CausalePagamentoRitenuta TEXT(2)"));
             db.exec(QStringLiteral("UPDATE opzioni SET CausalePagamentoRitenuta = 'A' where "
                                    "CausalePagamentoRitenuta is null"));
         }},
        // When an invoice was exported as XML, shown when it is opened again.
        {9, "Data di esportazione delle fatture elettroniche",
         [](Database& db) {
             if (!db.columnExists(QStringLiteral("fattura"), QStringLiteral("DataEsportazioneXml")))
                 db.exec(
                     QStringLiteral("ALTER TABLE fattura ADD COLUMN DataEsportazioneXml DATETIME"));
         }},
        // A notice's text is filled per customer when it is printed or sent.
        {10, "Testo degli avvisi per cliente",
         [](Database& db) {
             if (!db.columnExists(QStringLiteral("TempAvvisiClienti"), QStringLiteral("Testo")))
                 db.exec(QStringLiteral("ALTER TABLE TempAvvisiClienti ADD COLUMN Testo MEMO"));
         }},
        // The quote and receipt lists read in date order within the
        // documents not in history.
        {20, "Indici degli elenchi di preventivi e buoni",
         [](Database& db) {
             for (const char* s :
                  {"CREATE INDEX ix_PreventiTestata_Storico_Data_Numero ON PreventiTestata "
                   "(Storico, Data, Numero)",
                   "CREATE INDEX ix_TotaliCo_Storico_Data_Numero ON TotaliCo (Storico, Data, "
                   "Numero)"})
                 db.exec(QString::fromLatin1(s));
         }},
        // The cash-book list's order: by date, then operation, the current
        // year's movements first picked by Storico.
        {40, "Indici della prima nota",
         [](Database& db) {
             for (const char* s : {
                      "CREATE INDEX ix_finanzia_Storico_Data_Operazione ON finanzia (Storico, "
                      "Data, Operazione)",
                      "CREATE INDEX ix_finanzia_Data_Operazione ON finanzia (Data, Operazione)",
                  })
                 db.exec(QString::fromLatin1(s));
         }},
        // The record of what happened to issued documents.
        {50, "Registro delle modifiche ai documenti",
         [](Database& db) {
             if (!db.tableExists(QStringLiteral("RegistroDocumenti")))
                 for (const QString& s : splitScript(
                          readResource(QStringLiteral(":/db/schema/38_documentlog.sql")), true))
                     if (!s.trimmed().isEmpty())
                         db.exec(s.trimmed());
         }},
        // The backup taken when the program closes: off until chosen.
        {52, "Backup alla chiusura del programma",
         [](Database& db) {
             const QList<std::pair<const char*, const char*>> columns = {
                 {"BackupUscita", "YESNO"},
                 {"BackupDaConservare", "LONG"},
                 {"CartellaBackup", "TEXT(255)"}};
             for (const auto& [name, type] : columns)
                 if (!db.columnExists(QStringLiteral("opzioni"), QString::fromLatin1(name)))
                     db.exec(QStringLiteral("ALTER TABLE opzioni ADD COLUMN %1 %2")
                                 .arg(QString::fromLatin1(name), QString::fromLatin1(type)));
             db.exec(QStringLiteral("UPDATE opzioni SET BackupUscita = false where BackupUscita "
                                    "is null"));
             db.exec(QStringLiteral("UPDATE opzioni SET BackupDaConservare = 7 where "
                                    "BackupDaConservare is null"));
         }},
        // Every list reads its first screen by walking an index in its own
        // order. PostgreSQL puts empty values last going up unless told,
        // where the lists show them first, so there the indexes say so.
        // Columns marked "+" go up and "-" down in the list.
        {70, "Indici degli elenchi nel loro ordine",
         [](Database& db) {
             const bool pg = db.engine() == Engine::PostgreSQL;
             struct Index {
                 const char* name;
                 const char* table;
                 QStringList columns;
                 bool sqliteToo; // SQLite's own nulls order is the lists' one
             };
             const QList<Index> indexes = {
                 {"ix_fattura_elenco_anno",
                  "fattura",
                  {"Carico", "FattNota", "Storico", "Data+", "Num+", "Id+"},
                  false},
                 {"ix_fattura_elenco_storico",
                  "fattura",
                  {"Carico", "FattNota", "Data+", "Num+", "Id+"},
                  false},
                 {"ix_fattura_elenco_carico",
                  "fattura",
                  {"Carico", "FattNota", "Storico", "ProgressivoCarico+", "DataRegistrazione+",
                   "Data+", "Id+"},
                  true},
                 {"ix_ContrattiTestata_elenco",
                  "ContrattiTestata",
                  {"Storico", "Data-", "Numero-", "Id-"},
                  false},
                 {"ix_Defunti_elenco", "Defunti", {"NominativoVisualizzato+", "Id+"}, false},
                 // Cancelled customers and articles are left out of their lists.
                 {"ix_Clienti_elenco",
                  "Clienti",
                  {"Annullato", "NominativoVisualizzato+", "ID+"},
                  true},
                 {"ix_prezziar_elenco", "prezziar", {"Annullato", "Descrizione+", "ID+"}, true},
                 {"ix_Ddt_elenco", "Ddt", {"Storico", "Data+", "Numero+", "Id+"}, false},
                 {"ix_PreventiTestata_elenco",
                  "PreventiTestata",
                  {"Storico", "Data+", "Numero+", "Id+"},
                  false},
                 {"ix_TotaliCo_elenco", "TotaliCo", {"Storico", "Data+", "Numero+", "Id+"}, false},
                 {"ix_finanzia_elenco",
                  "finanzia",
                  {"Storico", "Data-", "Operazione+", "ID+"},
                  true},
                 {"ix_FatturaScadenze_elenco_aperte",
                  "FatturaScadenze",
                  {"DataPagamento", "DataScadenza+", "Numero+", "Id+"},
                  true},
                 {"ix_FatturaScadenze_elenco",
                  "FatturaScadenze",
                  {"DataScadenza+", "Numero+", "Id+"},
                  false},
             };
             for (const Index& index : indexes) {
                 if (!pg && !index.sqliteToo)
                     continue;
                 QStringList columns;
                 for (QString c : index.columns) {
                     if (c.endsWith(u'+'))
                         c = c.chopped(1) + (pg ? QStringLiteral(" NULLS FIRST") : QString());
                     else if (c.endsWith(u'-'))
                         c = c.chopped(1) +
                             (pg ? QStringLiteral(" DESC NULLS LAST") : QStringLiteral(" DESC"));
                     columns << c;
                 }
                 db.execNative(QStringLiteral("CREATE INDEX %1 ON %2 (%3)")
                                   .arg(QString::fromLatin1(index.name),
                                        QString::fromLatin1(index.table),
                                        columns.join(QStringLiteral(", "))));
             }
         }},
        // The due-date lists count the paid or open instalments of one side
        // from this index alone, without reading the rows.
        {71, "Indice per contare le scadenze",
         [](Database& db) {
             db.execNative(QStringLiteral("CREATE INDEX ix_FatturaScadenze_conteggio ON "
                                          "FatturaScadenze (DataPagamento, Tipo)"));
         }},
        // PostgreSQL's planner walks the whole due-date index looking for the
        // few open instalments (the latest ones) unless an index holds them
        // alone, and compares the side of each paid one when counting them
        // unless an index holds the customers' alone. SQLite needs neither.
        {72, "Indici parziali delle scadenze",
         [](Database& db) {
             if (db.engine() != Engine::PostgreSQL)
                 return;
             db.execNative(QStringLiteral(
                 "CREATE INDEX ix_FatturaScadenze_aperte ON FatturaScadenze (DataScadenza NULLS "
                 "FIRST, Numero NULLS FIRST, Id NULLS FIRST) WHERE DataPagamento IS NULL"));
             db.execNative(
                 QStringLiteral("CREATE INDEX ix_FatturaScadenze_pagate_clienti ON FatturaScadenze "
                                "(DataPagamento) WHERE DataPagamento IS NOT NULL AND Tipo <> 'C' "
                                "AND Tipo <> 'B'"));
         }},
    };
    // Steps run in the order of their numbers: one out of order or given
    // twice would be skipped on every new archive.
    static const bool ordered = [] {
        for (int i = 1; i < list.size(); ++i)
            if (list[i].version <= list[i - 1].version)
                return false;
        return true;
    }();
    if (!ordered)
        throw DbError(QStringLiteral("Passi di aggiornamento dell'archivio fuori ordine"));
    return list;
}

const char* versionTable = "CREATE TABLE VersioneArchivio (ID COUNTER PRIMARY KEY, Versione LONG, "
                           "Descrizione TEXT(255), DataAggiornamento DATETIME)";

// Names as the schema spells them, for engines that fold them.
const char* spellingTable = "CREATE TABLE SchemaNomi (ID COUNTER PRIMARY KEY, Nome TEXT(255))";

} // namespace

QStringList splitScript(const QString& text, bool dropComments) {
    QString body = text;
    if (dropComments) {
        QStringList kept;
        for (const QString& line : text.split(u'\n'))
            if (!line.trimmed().startsWith(QLatin1String("--")))
                kept.append(line);
        body = kept.join(u'\n');
    }
    if (body.isEmpty())
        return {};
    if (!body.endsWith(u';'))
        body += u';';
    QStringList fields;
    // ';' inside quoted text does not split.
    QString current;
    QChar quote;
    for (QChar c : body) {
        if (!quote.isNull()) {
            current += c;
            if (c == quote)
                quote = QChar();
            continue;
        }
        if (c == u'\'' || c == u'"') {
            quote = c;
            current += c;
        } else if (c == u';') {
            fields.append(current);
            current.clear();
        } else {
            current += c;
        }
    }
    return fields;
}

QStringList Schema::schemaStatements() {
    QStringList out;
    QDir dir(QStringLiteral(":/db/schema"));
    QStringList files = dir.entryList({QStringLiteral("*.sql")}, QDir::Files, QDir::Name);
    for (const QString& f : files)
        for (const QString& s : splitScript(readResource(dir.filePath(f)), true))
            if (!s.trimmed().isEmpty())
                out.append(s.trimmed());
    return out;
}

void Schema::loadCatalog() {
    static bool loaded = false;
    if (loaded)
        return;
    loaded = true;
    JetTranslator t(Engine::SQLite, &SchemaCatalog::instance());
    t.translate(QString::fromLatin1(versionTable));
    t.translate(QString::fromLatin1(spellingTable));
    for (const QString& s : schemaStatements())
        t.translate(s);
}

int Schema::latestVersion() {
    return migrations().last().version;
}

int Schema::currentVersion(Database& db) {
    if (!db.tableExists(QStringLiteral("VersioneArchivio")))
        return 0;
    return db.scalar(QStringLiteral("SELECT max(Versione) AS V FROM VersioneArchivio")).toInt();
}

void Schema::upgrade(Database& db, int targetVersion, const Progress& progress) {
    loadCatalog();
    // Text compares without case (citext), searches without accents (unaccent).
    if (db.engine() == Engine::PostgreSQL &&
        db.queryNative(QStringLiteral("SELECT extname FROM pg_extension WHERE extname IN "
                                      "('citext', 'unaccent')"))
                .size() < 2)
        for (const char* extension : {"citext", "unaccent"})
            db.execNative(QStringLiteral("CREATE EXTENSION IF NOT EXISTS %1")
                              .arg(QString::fromLatin1(extension)));
    for (const Migration& m : migrations()) {
        if (m.version > targetVersion)
            break;
        Transaction tx(db);
        // Read the version inside the write transaction, so that two
        // workstations opening an old archive at once upgrade it once.
        db.lockScope(QStringLiteral("VersioneArchivio"));
        if (!db.tableExists(QStringLiteral("VersioneArchivio")))
            db.exec(QString::fromLatin1(versionTable));
        if (!db.tableExists(QStringLiteral("SchemaNomi")))
            db.exec(QString::fromLatin1(spellingTable));
        if (currentVersion(db) >= m.version)
            continue;
        if (progress)
            progress(m.version, QString::fromUtf8(m.description));
        m.apply(db);
        db.insert(QStringLiteral("VersioneArchivio"),
                  {{QStringLiteral("Versione"), m.version},
                   {QStringLiteral("Descrizione"), QString::fromUtf8(m.description)},
                   {QStringLiteral("DataAggiornamento"), QDateTime::currentDateTime()}});
        tx.commit();
    }
}

} // namespace db
