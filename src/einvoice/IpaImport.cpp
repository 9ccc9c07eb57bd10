#include "einvoice/IpaImport.h"

#include "common/SqlText.h"
#include "common/Titles.h"
#include "db/Database.h"
#include "db/DbError.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QStringDecoder>
#include <QStringList>

namespace einvoice {

namespace {

const QString kTable = QStringLiteral("PA_Amministrazioni_FatturaElettronica");

// A column of the directory, the header names the open data uses for it
// (in order of preference) and its size in the archive.
struct Target {
    QString column;
    QStringList names;
    int size;
};

const QList<Target>& targets() {
    static const QList<Target> list{
        {QStringLiteral("DescrizionePA"),
         {QStringLiteral("denominazione_ente"), QStringLiteral("descrizione_ente"),
          QStringLiteral("des_amm"), QStringLiteral("descrizionepa")},
         255},
        {QStringLiteral("DescrizioneUfficio"),
         {QStringLiteral("descrizione_uo"), QStringLiteral("descrizione_ou"),
          QStringLiteral("des_ou"), QStringLiteral("descrizioneufficio")},
         255},
        {QStringLiteral("codice_Amministrazione"),
         {QStringLiteral("codice_ipa"), QStringLiteral("cod_amm"),
          QStringLiteral("codice_amministrazione")},
         50},
        {QStringLiteral("cod_ou"),
         {QStringLiteral("codice_uo"), QStringLiteral("codice_ou"), QStringLiteral("cod_ou")},
         50},
        {QStringLiteral("codice_univoco"),
         {QStringLiteral("codice_uni_uo"), QStringLiteral("codice_uni_ou"),
          QStringLiteral("cod_uni_ou"), QStringLiteral("codice_univoco")},
         10},
        {QStringLiteral("indirizzo"), {QStringLiteral("indirizzo")}, 255},
        {QStringLiteral("cap"), {QStringLiteral("cap")}, 10},
        {QStringLiteral("cf"),
         {QStringLiteral("codice_fiscale_sfe"), QStringLiteral("codice_fiscale_ente"),
          QStringLiteral("cf"), QStringLiteral("codice_fiscale")},
         20},
        {QStringLiteral("tipologia_istat"),
         {QStringLiteral("tipologia_istat"), QStringLiteral("tipologia"),
          QStringLiteral("descrizione_categoria"), QStringLiteral("categoria")},
         255},
    };
    return list;
}

const QStringList kIstatNames{QStringLiteral("codice_comune_istat"),
                              QStringLiteral("cod_comune_istat"), QStringLiteral("comune_istat")};
const QStringList kCadastralNames{QStringLiteral("codice_catastale_comune"),
                                  QStringLiteral("codice_catastale")};
const QStringList kTownNames{QStringLiteral("comune"), QStringLiteral("denominazione_comune"),
                             QStringLiteral("des_comune")};
const QStringList kProvinceNames{QStringLiteral("provincia"), QStringLiteral("sigla_provincia")};

[[noreturn]] void fail(const QString& path, const QString& why) {
    throw db::DbError(
        QStringLiteral("Il file %1 non è un elenco valido degli uffici di fatturazione "
                       "elettronica: %2")
            .arg(QFileInfo(path).fileName(), why));
}

QString decode(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (utf8.hasError())
        text = QString::fromLatin1(bytes); // older exports are in Latin-1
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}

// The separator most used on the header line.
QChar separatorOf(const QString& text) {
    const QString header = text.left(text.indexOf(u'\n'));
    QChar best = u';';
    qsizetype most = -1;
    for (const QChar c : {QChar(u';'), QChar(u','), QChar(u'\t'), QChar(u'|')}) {
        const qsizetype n = header.count(c);
        if (n > most) {
            most = n;
            best = c;
        }
    }
    return best;
}

struct Record {
    QStringList fields;
    int line = 0; // where it starts
};

// Splits the file's content into records; quoted fields may hold separators, doubled
// quotes and line breaks.
QList<Record> parse(const QString& text, QChar sep, const QString& path) {
    QList<Record> records;
    Record current;
    current.line = 1;
    QString field;
    bool quoted = false;
    bool fieldStarted = false;
    int line = 1;
    const auto endRecord = [&] {
        current.fields.append(field);
        field.clear();
        fieldStarted = false;
        // Blank lines are no records.
        if (!(current.fields.size() == 1 && current.fields.first().trimmed().isEmpty()))
            records.append(current);
        current = Record();
        current.line = line + 1;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == u'"') {
                if (i + 1 < text.size() && text.at(i + 1) == u'"') {
                    field.append(u'"');
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                if (c == u'\n')
                    ++line;
                field.append(c);
            }
            continue;
        }
        if (c == u'"' && !fieldStarted) {
            quoted = true;
            fieldStarted = true;
        } else if (c == sep) {
            current.fields.append(field);
            field.clear();
            fieldStarted = false;
        } else if (c == u'\n') {
            endRecord();
            ++line;
        } else if (c != u'\r') {
            field.append(c);
            fieldStarted = true;
        }
    }
    if (quoted)
        fail(path, QStringLiteral("virgolette non chiuse dalla riga %1").arg(current.line));
    if (fieldStarted || !current.fields.isEmpty())
        endRecord();
    return records;
}

QString headerName(const QString& text) {
    QString name = text.trimmed().toLower();
    name.replace(u' ', u'_');
    return name;
}

// The columns of the header carrying one of the names, in the names' order.
QList<int> columnsOf(const QHash<QString, int>& header, const QStringList& names) {
    QList<int> found;
    for (const QString& n : names)
        if (header.contains(n))
            found.append(header.value(n));
    return found;
}

QString withoutLeadingZeros(QString code) {
    code = code.trimmed();
    while (code.size() > 1 && code.startsWith(u'0'))
        code.remove(0, 1);
    return code;
}

// The towns of the archive by ISTAT code, cadastral code and name.
struct Towns {
    QHash<QString, qint64> byIstat;
    QHash<QString, qint64> byCadastral;
    QHash<QString, qint64> byName;         // upper-case name
    QHash<QString, qint64> byNameProvince; // upper-case name + "|" + province

    explicit Towns(db::Database& db) {
        for (const db::Row& r : db.query(
                 QStringLiteral("select ID, Comune, Provincia, COD_ISTAT, CODICE_F from Comuni "
                                "order by ID"))) {
            const qint64 id = r.integer(QStringLiteral("ID"));
            const QString istat = withoutLeadingZeros(r.text(QStringLiteral("COD_ISTAT")));
            if (!istat.isEmpty())
                byIstat.insert(istat, id);
            const QString cadastral = r.text(QStringLiteral("CODICE_F")).trimmed().toUpper();
            if (!cadastral.isEmpty())
                byCadastral.insert(cadastral, id);
            const QString name = r.text(QStringLiteral("Comune")).trimmed().toUpper();
            if (name.isEmpty())
                continue;
            if (!byName.contains(name))
                byName.insert(name, id);
            byNameProvince.insert(
                name + u'|' + r.text(QStringLiteral("Provincia")).trimmed().toUpper(), id);
        }
    }

    qint64 find(const QString& istat, const QString& cadastral, const QString& name,
                const QString& province) const {
        if (const QString k = withoutLeadingZeros(istat); !k.isEmpty() && byIstat.contains(k))
            return byIstat.value(k);
        if (const QString k = cadastral.trimmed().toUpper();
            !k.isEmpty() && byCadastral.contains(k))
            return byCadastral.value(k);
        const QString n = name.trimmed().toUpper();
        if (n.isEmpty())
            return 0;
        if (const QString p = province.trimmed().toUpper(); !p.isEmpty())
            return byNameProvince.value(n + u'|' + p, 0);
        return byName.value(n, 0);
    }
};

bool blank(const QString& text) {
    const QString t = text.trimmed();
    return t.isEmpty() || t == u"*";
}

} // namespace

IpaImportResult IpaImport::run(db::Database& db, const QString& path, const Progress& progress) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw db::DbError(QStringLiteral("Impossibile leggere il file %1").arg(path));
    const QString text = decode(file.readAll());
    const QList<Record> records = parse(text, separatorOf(text), path);
    if (records.isEmpty())
        fail(path, QStringLiteral("il file è vuoto"));

    QHash<QString, int> header;
    const QStringList& names = records.first().fields;
    for (int i = 0; i < names.size(); ++i)
        header.insert(headerName(names[i]), i);
    QList<QList<int>> columns;
    for (const Target& t : targets()) {
        columns.append(columnsOf(header, t.names));
        if (columns.last().isEmpty() &&
            (t.column == u"codice_univoco" || t.column == u"DescrizionePA"))
            fail(path, QStringLiteral("manca la colonna %1").arg(t.names.first()));
    }
    const QList<int> istatColumn = columnsOf(header, kIstatNames);
    const QList<int> cadastralColumn = columnsOf(header, kCadastralNames);
    const QList<int> townColumn = columnsOf(header, kTownNames);
    const QList<int> provinceColumn = columnsOf(header, kProvinceNames);
    if (records.size() < 2)
        fail(path, QStringLiteral("non contiene alcun ufficio"));

    const Towns towns(db);
    const qint64 total = records.size() - 1;
    IpaImportResult result;
    QStringList columnNames;
    for (const Target& t : targets())
        columnNames.append(t.column);
    columnNames.append(QStringLiteral("Comune_Id"));
    const QString insert =
        QStringLiteral("insert into %1 (%2) values (%3)")
            .arg(kTable, columnNames.join(QStringLiteral(", ")),
                 QStringList(columnNames.size(), QStringLiteral("?")).join(QStringLiteral(", ")));

    db::Transaction tx(db);
    db.exec(QStringLiteral("delete * from %1").arg(kTable));
    for (qint64 n = 1; n <= total; ++n) {
        const Record& r = records[n];
        if (r.fields.size() != names.size())
            fail(path, QStringLiteral("la riga %1 ha %2 campi invece di %3")
                           .arg(r.line)
                           .arg(r.fields.size())
                           .arg(names.size()));
        // The first of the columns that has a value.
        const auto at = [&r](const QList<int>& candidates) {
            for (int c : candidates)
                if (const QString v = r.fields.at(c).trimmed(); !v.isEmpty())
                    return v;
            return QString();
        };
        QVariantList binds;
        for (int i = 0; i < targets().size(); ++i) {
            const QString v = at(columns[i]).left(targets()[i].size);
            binds.append(v.isEmpty() ? QVariant() : QVariant(v));
        }
        const int codeIndex = 4; // codice_univoco
        if (binds[codeIndex].isNull()) {
            ++result.skipped;
        } else {
            const qint64 town = towns.find(at(istatColumn), at(cadastralColumn), at(townColumn),
                                           at(provinceColumn));
            binds.append(town > 0 ? QVariant(town) : QVariant());
            db.exec(insert, binds);
            ++result.offices;
            if (town == 0)
                ++result.withoutTown;
        }
        if (progress && (n % 200 == 0 || n == total) && !progress(n, total))
            throw db::DbError(QStringLiteral(
                "Importazione degli uffici interrotta: l'archivio non è stato modificato"));
    }
    tx.commit();
    return result;
}

QString IpaSearch::condition() const {
    const QString t = QStringLiteral("PA_Amministrazioni_FatturaElettronica.");
    const QList<std::pair<QString, QString>> boxes{
        {town, QStringLiteral("Comuni.Comune like '*%1*'")},
        {administration, t + QStringLiteral("DescrizionePA like '*%1*'")},
        {officeCode, t + QStringLiteral("codice_univoco like '*%1*'")},
        {office, t + QStringLiteral("DescrizioneUfficio like '*%1*'")},
        {taxCode, t + QStringLiteral("cf like '*%1*'")},
        {province, QStringLiteral("Comuni.Provincia like '%1'")},
        {address, t + QStringLiteral("indirizzo like '*%1*'")},
        {category, t + QStringLiteral("tipologia_istat like '*%1*'")},
    };
    QStringList parts;
    for (const auto& [text, pattern] : boxes)
        if (!blank(text))
            parts.append(pattern.arg(common::sqlQuote(text.trimmed())));
    return parts.join(QStringLiteral(" and "));
}

std::optional<common::Failure> IpaSearch::run(db::Database& db, db::Result* offices) const {
    const QString where = condition();
    if (where.isEmpty())
        return common::Failure{common::titles::warning,
                               QStringLiteral("Attenzione ! E' necessario inserire i criteri di "
                                              "ricerca !"),
                               QString()};
    const QString t = QStringLiteral("PA_Amministrazioni_FatturaElettronica.");
    const QString sql =
        QStringLiteral("SELECT ") + t + QStringLiteral("ID, ") + t +
        QStringLiteral("DescrizionePA, ") + t + QStringLiteral("DescrizioneUfficio, ") + t +
        QStringLiteral("codice_Amministrazione, ") + t + QStringLiteral("cod_ou, ") + t +
        QStringLiteral("codice_univoco, ") + t + QStringLiteral("indirizzo, ") + t +
        QStringLiteral("cap, ") + t + QStringLiteral("cf, Comuni.Comune, Comuni.Provincia, ") + t +
        QStringLiteral("tipologia_istat, Comuni.Id as Comune_id FROM "
                       "PA_Amministrazioni_FatturaElettronica INNER JOIN Comuni ON ") +
        t + QStringLiteral("Comune_Id = Comuni.ID where ") + where +
        QStringLiteral(" ORDER BY Comuni.Comune, ") + t + QStringLiteral("DescrizionePA, ") + t +
        QStringLiteral("DescrizioneUfficio");
    *offices = db.query(sql);
    return std::nullopt;
}

QVariantMap customerValuesFromOffice(const db::Row& office) {
    const QString name = office.text(QStringLiteral("DescrizionePA"));
    return {
        {QStringLiteral("Cliente"), name},
        {QStringLiteral("NominativoDocumenti"), name},
        {QStringLiteral("NominativoVisualizzato"), name},
        {QStringLiteral("Comune_id"), office.integer(QStringLiteral("Comune_id"))},
        {QStringLiteral("Citta"), office.text(QStringLiteral("Comune"))},
        {QStringLiteral("Cap"), office.text(QStringLiteral("cap"))},
        {QStringLiteral("CodFiscale"), office.text(QStringLiteral("cf"))},
        {QStringLiteral("CodiceUnivocoUfficio"), office.text(QStringLiteral("codice_univoco"))},
        {QStringLiteral("PubblicaAmministrazione"), true},
        {QStringLiteral("Via"), office.text(QStringLiteral("indirizzo"))},
        {QStringLiteral("DestinazioneMerce"), office.text(QStringLiteral("DescrizioneUfficio"))},
    };
}

} // namespace einvoice
