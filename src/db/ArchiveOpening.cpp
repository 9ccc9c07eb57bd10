#include "db/ArchiveOpening.h"

#include "db/Database.h"
#include "db/DbError.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace db {

namespace {

DbError notAnArchive(const QString& name, const QString& why) {
    return DbError(QStringLiteral("%1 non è un archivio di Ossarion: %2.\nControllare il percorso "
                                  "dell'archivio (percorso.txt o \"Lavora in Rete\"); il file "
                                  "non è stato modificato.")
                       .arg(name, why));
}

// The version of an open archive; a file that is not a database at all
// fails on its first read.
int versionOf(Database& db) {
    try {
        return Schema::currentVersion(db);
    } catch (const DbError&) {
        throw notAnArchive(db.displayName(), QStringLiteral("il file non è un database leggibile"));
    }
}

// A new SQLite archive: built beside its final name, renamed when complete.
void createFile(Database& db, const QString& file, const Schema::Progress& progress) {
    const QString partial =
        file + QStringLiteral(".creazione-%1").arg(QCoreApplication::applicationPid());
    QFile::remove(partial);
    try {
        db.open(partial, Database::OpenMode::CreateIfMissing);
        Schema::upgrade(db, Schema::latestVersion(), progress);
        db.close();
    } catch (...) {
        db.close();
        QFile::remove(partial);
        throw;
    }
    // rename() never replaces: an archive made meanwhile by another
    // workstation wins and this one is dropped.
    if (!QFile::rename(partial, file)) {
        QFile::remove(partial);
        if (!QFileInfo::exists(file))
            throw DbError(QStringLiteral("Impossibile creare l'archivio %1: la cartella non è "
                                         "scrivibile.")
                              .arg(QDir::toNativeSeparators(file)));
    }
}

} // namespace

bool ArchiveOpening::open(Database& db, const QString& archive, IfMissing ifMissing,
                          const Schema::Progress& progress) {
    bool created = false;
    if (!Database::isPostgresAddress(archive)) {
        const QFileInfo file(archive);
        if (!file.exists() && ifMissing == IfMissing::Create) {
            createFile(db, archive, progress);
            created = true;
        } else if (file.exists() && file.isFile() && file.size() == 0) {
            throw notAnArchive(QDir::toNativeSeparators(archive),
                               QStringLiteral("il file è vuoto (0 byte)"));
        }
    }
    db.open(archive, Database::OpenMode::Existing);
    if (versionOf(db) == 0) {
        // Anything holding tables of its own belongs to someone else; an
        // empty database becomes an archive only when that is asked for.
        const QString name = db.displayName();
        if (db.tableCount() > 0) {
            db.close();
            throw notAnArchive(name, QStringLiteral("contiene dati di un altro programma"));
        }
        if (ifMissing == IfMissing::Refuse) {
            db.close();
            throw notAnArchive(name, QStringLiteral("l'archivio è vuoto"));
        }
        created = true;
    }
    Schema::upgrade(db, Schema::latestVersion(), progress);
    return created;
}

QString ArchiveOpening::createdNotice(const Database& db) {
    return QStringLiteral("È stato creato un nuovo archivio, vuoto: %1.\nSe i dati della ditta "
                          "erano altrove, indicare il loro percorso con \"Lavora in Rete\".")
        .arg(db.displayName());
}

} // namespace db
