#include "db/ArchiveBackup.h"

#include "common/Installation.h"
#include "db/Database.h"
#include "db/DbError.h"
#include "db/EngineHandles.h"
#include "db/Schema.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSaveFile>
#include <QSqlDriver>
#include <QTemporaryDir>
#include <QUrl>
#include <QtEndian>
#include <filesystem>
#include <memory>
#include <sqlite3.h>
#include <vector>

namespace db {

namespace {

// Layout: magic, entries, manifest, then the trailer: manifest offset and
// size (64-bit big-endian), the end mark and the SHA-256 of all that comes
// before it.
const QByteArray magic = QByteArrayLiteral("OSSARION-BACKUP\n");
const QByteArray endMark = QByteArrayLiteral("OSSBKEND");
constexpr qint64 digestSize = 32;
constexpr qint64 trailerSize = 8 + 8 + 8 + digestSize;
constexpr qint64 chunk = 1 << 20;
constexpr int formatVersion = 1;

const char* const entryArchive = "archivio";
const char* const entryFile = "file";
const char* const entryTemplate = "modello";

QString native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

DbError damaged(const QString& file, const QString& why) {
    return DbError(QStringLiteral("Il backup %1 è danneggiato o incompleto (%2).\nIl ripristino "
                                  "non è stato eseguito: l'archivio e i file non sono stati "
                                  "modificati. Usare un altro backup.")
                       .arg(native(file), why));
}

void report(const ArchiveBackup::Progress& progress, const QString& step, int percent) {
    if (progress)
        progress(step, percent);
}

QByteArray be64(qint64 v) {
    QByteArray b(8, '\0');
    qToBigEndian<qint64>(v, b.data());
    return b;
}

QString tempName(const QString& path) {
    return path + QStringLiteral(".ripristino-%1").arg(QCoreApplication::applicationPid());
}

// Replaces `target` with `source` in one step (rename over it).
void replaceFile(const QString& source, const QString& target) {
    std::error_code ec;
    std::filesystem::rename(std::filesystem::path(source.toStdWString()),
                            std::filesystem::path(target.toStdWString()), ec);
    if (ec)
        throw DbError(QStringLiteral("Impossibile sostituire %1: la cartella non è scrivibile o "
                                     "il file è in uso.")
                          .arg(native(target)),
                      QString::fromLocal8Bit(ec.message()));
}

// Appends entries to the container, hashing everything written.
class Writer {
public:
    explicit Writer(const QString& file) : m_out(file) {
        if (!m_out.open(QIODevice::WriteOnly))
            throw DbError(QStringLiteral("Impossibile scrivere il backup %1: %2")
                              .arg(native(file), m_out.errorString()));
        raw(magic);
    }

    void add(const QString& path, QJsonObject entry) {
        QFile in(path);
        if (!in.open(QIODevice::ReadOnly))
            throw DbError(
                QStringLiteral("Impossibile leggere %1: %2").arg(native(path), in.errorString()));
        QCryptographicHash own(QCryptographicHash::Sha256);
        const qint64 offset = m_pos;
        while (!in.atEnd()) {
            const QByteArray b = in.read(chunk);
            if (b.isEmpty() && in.error() != QFileDevice::NoError)
                throw DbError(QStringLiteral("Impossibile leggere %1: %2")
                                  .arg(native(path), in.errorString()));
            own.addData(b);
            raw(b);
        }
        entry[QStringLiteral("offset")] = double(offset);
        entry[QStringLiteral("dimensione")] = double(m_pos - offset);
        entry[QStringLiteral("sha256")] = QString::fromLatin1(own.result().toHex());
        m_entries.append(entry);
    }

    void finish(QJsonObject manifest) {
        manifest[QStringLiteral("voci")] = m_entries;
        const QByteArray m = QJsonDocument(manifest).toJson(QJsonDocument::Compact);
        const qint64 at = m_pos;
        raw(m);
        raw(be64(at));
        raw(be64(m.size()));
        raw(endMark);
        const QByteArray digest = m_hash.result();
        if (m_out.write(digest) != digest.size() || !m_out.commit())
            throw DbError(QStringLiteral("Impossibile scrivere il backup %1: %2")
                              .arg(native(m_out.fileName()), m_out.errorString()));
    }

private:
    void raw(const QByteArray& b) {
        if (m_out.write(b) != b.size())
            throw DbError(QStringLiteral("Impossibile scrivere il backup %1: %2")
                              .arg(native(m_out.fileName()), m_out.errorString()));
        m_hash.addData(b);
        m_pos += b.size();
    }

    QSaveFile m_out;
    QCryptographicHash m_hash{QCryptographicHash::Sha256};
    qint64 m_pos = 0;
    QJsonArray m_entries;
};

// The manifest of a container whose every byte has been checked.
QJsonObject readManifest(const QString& file) {
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        throw DbError(QStringLiteral("Impossibile leggere il backup %1: %2")
                          .arg(native(file), in.errorString()));
    const qint64 size = in.size();
    if (in.read(magic.size()) != magic)
        throw DbError(QStringLiteral("Il file %1 non è un backup di Ossarion.").arg(native(file)));
    if (size < magic.size() + trailerSize)
        throw damaged(file, QStringLiteral("il file è troppo corto"));
    in.seek(0);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (qint64 left = size - digestSize; left > 0;) {
        const QByteArray b = in.read(std::min(left, chunk));
        if (b.isEmpty())
            throw damaged(file, QStringLiteral("lettura non riuscita"));
        hash.addData(b);
        left -= b.size();
    }
    if (in.read(digestSize) != hash.result())
        throw damaged(file, QStringLiteral("il contenuto non corrisponde al codice di controllo"));
    in.seek(size - trailerSize);
    const QByteArray t = in.read(trailerSize - digestSize);
    const qint64 at = qFromBigEndian<qint64>(t.constData());
    const qint64 length = qFromBigEndian<qint64>(t.constData() + 8);
    if (t.mid(16) != endMark || at < magic.size() || at + length != size - trailerSize)
        throw damaged(file, QStringLiteral("indice non valido"));
    in.seek(at);
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(in.read(length), &error);
    const QJsonObject manifest = doc.object();
    if (error.error != QJsonParseError::NoError || !doc.isObject())
        throw damaged(file, QStringLiteral("indice non leggibile"));
    if (manifest.value(QStringLiteral("formato")).toInt() > formatVersion)
        throw DbError(QStringLiteral("Il backup %1 è stato scritto da una versione più recente "
                                     "di Ossarion: aggiornare il programma prima di "
                                     "ripristinarlo.")
                          .arg(native(file)));
    int archives = 0;
    for (const QJsonValue& v : manifest.value(QStringLiteral("voci")).toArray()) {
        const QJsonObject e = v.toObject();
        const qint64 offset = qint64(e.value(QStringLiteral("offset")).toDouble());
        const qint64 bytes = qint64(e.value(QStringLiteral("dimensione")).toDouble());
        if (offset < magic.size() || bytes < 0 || offset + bytes > at)
            throw damaged(file, QStringLiteral("indice non valido"));
        if (e.value(QStringLiteral("tipo")).toString() == QLatin1String(entryArchive))
            ++archives;
    }
    if (archives != 1)
        throw damaged(file, QStringLiteral("l'archivio manca"));
    return manifest;
}

// Copies one entry out of the container to `target`, checking its SHA-256.
void extract(const QString& file, const QJsonObject& entry, const QString& target) {
    QFile in(file);
    QFile out(target);
    if (!in.open(QIODevice::ReadOnly))
        throw DbError(QStringLiteral("Impossibile leggere il backup %1: %2")
                          .arg(native(file), in.errorString()));
    QDir().mkpath(QFileInfo(target).absolutePath());
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw DbError(
            QStringLiteral("Impossibile scrivere %1: %2").arg(native(target), out.errorString()));
    in.seek(qint64(entry.value(QStringLiteral("offset")).toDouble()));
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (qint64 left = qint64(entry.value(QStringLiteral("dimensione")).toDouble()); left > 0;) {
        const QByteArray b = in.read(std::min(left, chunk));
        if (b.isEmpty())
            throw damaged(file, QStringLiteral("lettura non riuscita"));
        hash.addData(b);
        if (out.write(b) != b.size())
            throw DbError(QStringLiteral("Impossibile scrivere %1: %2")
                              .arg(native(target), out.errorString()));
        left -= b.size();
    }
    if (!out.flush())
        throw DbError(
            QStringLiteral("Impossibile scrivere %1: %2").arg(native(target), out.errorString()));
    if (QString::fromLatin1(hash.result().toHex()) !=
        entry.value(QStringLiteral("sha256")).toString())
        throw damaged(file, QStringLiteral("un file contenuto non corrisponde al suo codice di "
                                           "controllo"));
}

// --- SQLite -----------------------------------------------------------------

sqlite3* sqliteHandle(Database& db) {
    sqlite3* handle = sqliteConnection(db.handle());
    if (!handle)
        throw DbError(QStringLiteral("Il driver SQLite non espone la connessione"));
    return handle;
}

// A consistent copy of the live archive: the online backup copies it page by
// page and starts again when another connection writes meanwhile.
void snapshotSqlite(Database& db, const QString& target, const ArchiveBackup::Progress& progress) {
    sqlite3* out = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(target).constData(), &out,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
        sqlite3_close(out);
        throw DbError(QStringLiteral("Impossibile scrivere la copia dell'archivio in %1.")
                          .arg(native(target)));
    }
    sqlite3_backup* backup = sqlite3_backup_init(out, "main", sqliteHandle(db), "main");
    if (!backup) {
        const QString why = QString::fromUtf8(sqlite3_errmsg(out));
        sqlite3_close(out);
        throw DbError(QStringLiteral("Impossibile copiare l'archivio."), why);
    }
    int rc = SQLITE_OK;
    int waits = 0;
    do {
        rc = sqlite3_backup_step(backup, 512);
        const int total = sqlite3_backup_pagecount(backup);
        if (total > 0)
            report(progress, QStringLiteral("Copia dell'archivio"),
                   int(60 * qint64(total - sqlite3_backup_remaining(backup)) / total));
        if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED) {
            if (++waits > 600)
                break;
            sqlite3_sleep(50);
        }
    } while (rc == SQLITE_OK || rc == SQLITE_BUSY || rc == SQLITE_LOCKED);
    sqlite3_backup_finish(backup);
    const QString why = QString::fromUtf8(sqlite3_errmsg(out));
    sqlite3_close(out);
    if (rc != SQLITE_DONE)
        throw DbError(rc == SQLITE_BUSY || rc == SQLITE_LOCKED
                          ? QStringLiteral("L'archivio è occupato da un'altra postazione: "
                                           "riprovare il backup tra qualche istante.")
                          : QStringLiteral("Impossibile copiare l'archivio."),
                      why);
}

// The copy taken out of a backup must be a readable Ossarion archive.
void checkSqliteCopy(const QString& copy, const QString& backupFile) {
    Database check;
    int version = 0;
    QString integrity;
    try {
        check.open(copy);
        integrity =
            check.queryNative(QStringLiteral("PRAGMA integrity_check")).first().value(0).toString();
        version = Schema::currentVersion(check);
    } catch (const DbError&) {
        check.close();
        throw damaged(backupFile, QStringLiteral("l'archivio contenuto non si apre"));
    }
    check.close();
    if (integrity != QLatin1String("ok"))
        throw damaged(backupFile, QStringLiteral("l'archivio contenuto non è integro"));
    if (version <= 0)
        throw damaged(backupFile, QStringLiteral("non contiene un archivio di Ossarion"));
}

// --- PostgreSQL -------------------------------------------------------------

struct PgAddress {
    QString uri; // without the password
    QString password;
};

PgAddress pgAddress(const QString& archive) {
    QUrl url(archive);
    PgAddress a{QString(), url.password()};
    url.setPassword(QString());
    a.uri = url.toString();
    return a;
}

// Runs one of PostgreSQL's client programs; its words go to "Dettagli".
void runPgTool(const QString& program, const QStringList& args, const PgAddress& address,
               const QString& failure) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!address.password.isEmpty())
        env.insert(QStringLiteral("PGPASSWORD"), address.password);
    env.insert(QStringLiteral("PGCONNECT_TIMEOUT"), QStringLiteral("10"));
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    if (!p.waitForStarted())
        throw DbError(QStringLiteral("%1: il programma %2 non è installato (pacchetto "
                                     "postgresql-client).")
                          .arg(failure, program));
    p.waitForFinished(-1);
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        throw DbError(failure, QString::fromLocal8Bit(p.readAll()).trimmed());
}

QString currentSchema(Database& db) {
    return db.queryNative(QStringLiteral("SELECT current_schema()")).first().value(0).toString();
}

QString quotedIdentifier(const QString& name) {
    return u'"' + QString(name).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

// --- Files the archive points to ------------------------------------------

struct FileColumn {
    const char* table;
    const char* column;
};

const FileColumn fileColumnList[] = {
    {"Fattura_Allegati", "PercorsoCompleto"}, {"Defunti", "Immagine"},     {"fattura", "Immagine"},
    {"PrezziarCategorie", "Immagine"},        {"FatturaScadenze", "File"},
};

// Where relative paths in the archive are taken from.
QString baseFolder(const QString& archive) {
    if (Database::isPostgresAddress(archive))
        return common::Installation::folder();
    return QFileInfo(archive).absolutePath();
}

QString templatesFolder() {
    return QDir(common::Installation::folder()).filePath(QStringLiteral("reports"));
}

} // namespace

QStringList ArchiveBackup::fileColumns() {
    QStringList names;
    for (const FileColumn& c : fileColumnList)
        names.append(QString::fromLatin1(c.table) + u'.' + QString::fromLatin1(c.column));
    return names;
}

ArchiveBackup::Summary ArchiveBackup::write(Database& db, const QString& file,
                                            const Progress& progress) {
    Summary summary;
    // The copy is taken beside the backup (where there is room for it), else
    // in the system's temporary folder.
    auto scratch = std::make_unique<QTemporaryDir>(QFileInfo(file).absolutePath() +
                                                   QStringLiteral("/.ossarion-backup-XXXXXX"));
    if (!scratch->isValid())
        scratch = std::make_unique<QTemporaryDir>();
    if (!scratch->isValid())
        throw DbError(QStringLiteral("Impossibile scrivere il backup %1: cartella temporanea non "
                                     "disponibile.")
                          .arg(native(file)));

    QJsonObject manifest{
        {QStringLiteral("formato"), formatVersion},
        {QStringLiteral("creato"), QDateTime::currentDateTime().toString(Qt::ISODate)},
        {QStringLiteral("archivio"), db.displayName()},
        {QStringLiteral("versione"), Schema::currentVersion(db)}};
    const QString snapshot = scratch->filePath(QStringLiteral("archivio"));
    if (db.engine() == Engine::SQLite) {
        manifest[QStringLiteral("motore")] = QStringLiteral("SQLite");
        snapshotSqlite(db, snapshot, progress);
    } else {
        const QString schema = currentSchema(db);
        manifest[QStringLiteral("motore")] = QStringLiteral("PostgreSQL");
        manifest[QStringLiteral("schema")] = schema;
        report(progress, QStringLiteral("Copia dell'archivio"), 0);
        const PgAddress address = pgAddress(db.archive());
        runPgTool(QStringLiteral("pg_dump"),
                  {QStringLiteral("--format=custom"), QStringLiteral("--no-owner"),
                   QStringLiteral("--no-privileges"),
                   QStringLiteral("--schema=") + quotedIdentifier(schema),
                   QStringLiteral("--file=") + snapshot, QStringLiteral("--dbname=") + address.uri},
                  address, QStringLiteral("Impossibile copiare l'archivio PostgreSQL"));
    }

    report(progress, QStringLiteral("Scrittura del backup"), 60);
    Writer out(file);
    out.add(snapshot, {{QStringLiteral("tipo"), QString::fromLatin1(entryArchive)}});

    // Each file once, however many rows name it.
    const QString base = baseFolder(db.archive());
    QStringList seen;
    for (const FileColumn& c : fileColumnList) {
        const QString table = QString::fromLatin1(c.table);
        const QString column = QString::fromLatin1(c.column);
        if (!db.tableExists(table) || !db.columnExists(table, column))
            continue;
        const Result rows = db.query(
            QStringLiteral("select distinct %1 from %2 where %1 is not null").arg(column, table));
        for (const Row& r : rows) {
            const QString stored = r.value(0).toString().trimmed();
            if (stored.isEmpty() || seen.contains(stored))
                continue;
            seen.append(stored);
            const QString path = QDir(base).absoluteFilePath(QDir::fromNativeSeparators(stored));
            if (!QFileInfo(path).isFile()) {
                summary.missingFiles.append(stored);
                continue;
            }
            out.add(path, {{QStringLiteral("tipo"), QString::fromLatin1(entryFile)},
                           {QStringLiteral("percorso"), stored}});
            ++summary.files;
        }
    }
    const QDir templates(templatesFolder());
    QDirIterator it(templates.path(), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        out.add(path, {{QStringLiteral("tipo"), QString::fromLatin1(entryTemplate)},
                       {QStringLiteral("percorso"), templates.relativeFilePath(path)}});
        ++summary.files;
    }
    out.finish(manifest);
    report(progress, QStringLiteral("Backup completato"), 100);
    return summary;
}

void ArchiveBackup::verify(const QString& file) {
    readManifest(file);
}

ArchiveBackup::Summary ArchiveBackup::restore(const QString& file, const QString& archive,
                                              const Progress& progress) {
    report(progress, QStringLiteral("Controllo del backup"), 0);
    const QJsonObject manifest = readManifest(file);
    const bool postgres = Database::isPostgresAddress(archive);
    const QString engine = manifest.value(QStringLiteral("motore")).toString();
    if (engine != (postgres ? QLatin1String("PostgreSQL") : QLatin1String("SQLite")))
        throw DbError(QStringLiteral("Il backup %1 contiene un archivio %2: si ripristina solo su "
                                     "un archivio dello stesso tipo. L'archivio non è stato "
                                     "modificato.")
                          .arg(native(file), engine));

    Summary summary;
    // Every piece is taken out beside its destination and checked before the
    // first one replaces anything.
    std::vector<std::pair<QString, QString>> staged; // temporary, final
    auto dropStaged = [&staged] {
        for (const auto& s : staged)
            QFile::remove(s.first);
    };
    QTemporaryDir scratch;
    try {
        QJsonObject archiveEntry;
        const QJsonArray entries = manifest.value(QStringLiteral("voci")).toArray();
        for (const QJsonValue& v : entries)
            if (v.toObject().value(QStringLiteral("tipo")).toString() ==
                QLatin1String(entryArchive))
                archiveEntry = v.toObject();

        report(progress, QStringLiteral("Controllo dell'archivio"), 20);
        QString pgScript;
        PgAddress address;
        if (!postgres) {
            const QString target = QFileInfo(archive).absoluteFilePath();
            const QString copy = tempName(target);
            staged.emplace_back(copy, target);
            extract(file, archiveEntry, copy);
            checkSqliteCopy(copy, file);
        } else {
            address = pgAddress(archive);
            Database target;
            target.open(archive);
            const QString schema = currentSchema(target);
            target.close();
            if (schema != manifest.value(QStringLiteral("schema")).toString())
                throw DbError(QStringLiteral("Il backup %1 è dello schema «%2» e l'archivio usa "
                                             "lo schema «%3»: il ripristino non è stato "
                                             "eseguito.")
                                  .arg(native(file),
                                       manifest.value(QStringLiteral("schema")).toString(),
                                       schema));
            const QString dump = scratch.filePath(QStringLiteral("archivio.dump"));
            extract(file, archiveEntry, dump);
            // The table of contents without the schema itself, which stays.
            const QString list = scratch.filePath(QStringLiteral("indice.txt"));
            try {
                runPgTool(QStringLiteral("pg_restore"),
                          {QStringLiteral("--list"), QStringLiteral("--file=") + list, dump},
                          address, QString());
            } catch (const DbError&) {
                throw damaged(file, QStringLiteral("la copia dell'archivio non si legge"));
            }
            QFile toc(list);
            toc.open(QIODevice::ReadOnly);
            QByteArrayList kept;
            bool versionTable = false;
            for (const QByteArray& line : toc.readAll().split('\n')) {
                if (line.contains(" SCHEMA - "))
                    continue;
                if (line.contains(" TABLE ") && line.toLower().contains(" versionearchivio "))
                    versionTable = true;
                kept.append(line);
            }
            toc.close();
            if (!versionTable)
                throw damaged(file, QStringLiteral("non contiene un archivio di Ossarion"));
            toc.open(QIODevice::WriteOnly | QIODevice::Truncate);
            toc.write(kept.join('\n'));
            toc.close();
            pgScript = scratch.filePath(QStringLiteral("ripristino.sql"));
            runPgTool(QStringLiteral("pg_restore"),
                      {QStringLiteral("--clean"), QStringLiteral("--if-exists"),
                       QStringLiteral("--no-owner"), QStringLiteral("--no-privileges"),
                       QStringLiteral("--use-list=") + list, QStringLiteral("--file=") + pgScript,
                       dump},
                      address, QStringLiteral("Impossibile leggere la copia dell'archivio"));
        }

        report(progress, QStringLiteral("Controllo dei file"), 50);
        const QString base = baseFolder(archive);
        for (const QJsonValue& v : entries) {
            const QJsonObject e = v.toObject();
            const QString kind = e.value(QStringLiteral("tipo")).toString();
            QString target;
            if (kind == QLatin1String(entryFile))
                target = QDir(base).absoluteFilePath(
                    QDir::fromNativeSeparators(e.value(QStringLiteral("percorso")).toString()));
            else if (kind == QLatin1String(entryTemplate))
                target = QDir::cleanPath(
                    QDir(templatesFolder())
                        .absoluteFilePath(e.value(QStringLiteral("percorso")).toString()));
            else
                continue;
            // Templates stay inside the installation's templates folder.
            if (kind == QLatin1String(entryTemplate) &&
                !target.startsWith(QDir::cleanPath(templatesFolder()) + u'/'))
                throw damaged(file, QStringLiteral("un modello di stampa ha un nome non valido"));
            const QString copy = tempName(target);
            staged.emplace_back(copy, target);
            extract(file, e, copy);
            ++summary.files;
        }

        report(progress, QStringLiteral("Ripristino dell'archivio"), 70);
        if (postgres) {
            // One transaction: the archive's tables go and the copy's come,
            // or nothing changes.
            runPgTool(QStringLiteral("psql"),
                      {QStringLiteral("--no-psqlrc"), QStringLiteral("--quiet"),
                       QStringLiteral("--single-transaction"), QStringLiteral("--set"),
                       QStringLiteral("ON_ERROR_STOP=1"), QStringLiteral("--command"),
                       QStringLiteral(
                           "DO $$DECLARE r record; BEGIN FOR r IN SELECT c.relname FROM pg_class "
                           "c JOIN pg_namespace n ON n.oid = c.relnamespace WHERE n.nspname = "
                           "current_schema() AND c.relkind IN ('r', 'p') AND NOT EXISTS (SELECT "
                           "1 FROM pg_depend d WHERE d.objid = c.oid AND d.deptype = 'e') LOOP "
                           "EXECUTE format('DROP TABLE IF EXISTS %I.%I CASCADE', "
                           "current_schema(), r.relname); END LOOP; END$$"),
                       QStringLiteral("--file=") + pgScript,
                       QStringLiteral("--dbname=") + address.uri},
                      address, QStringLiteral("Impossibile ripristinare l'archivio PostgreSQL"));
        } else {
            // A journal left by the replaced file must not be applied to the
            // restored one.
            const QString target = QFileInfo(archive).absoluteFilePath();
            for (const char* suffix : {"-journal", "-wal", "-shm"})
                QFile::remove(target + QLatin1String(suffix));
        }
        for (const auto& [copy, target] : staged)
            replaceFile(copy, target);
        staged.clear();
    } catch (...) {
        dropStaged();
        throw;
    }
    report(progress, QStringLiteral("Ripristino completato"), 100);
    return summary;
}

} // namespace db
