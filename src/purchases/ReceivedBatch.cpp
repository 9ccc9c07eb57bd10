#include "purchases/ReceivedBatch.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <zip.h>

namespace purchases {

namespace {

bool isZip(const QString& path) {
    return path.endsWith(QLatin1String(".zip"), Qt::CaseInsensitive);
}

QList<ReceivedEntry> zipEntries(const QString& path) {
    QList<ReceivedEntry> out;
    int error = 0;
    zip_t* z = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &error);
    if (!z) {
        out.append({path, QString()}); // reported as unreadable when read
        return out;
    }
    const zip_int64_t n = zip_get_num_entries(z, 0);
    for (zip_int64_t i = 0; i < n; ++i) {
        const QString name = QString::fromUtf8(zip_get_name(z, zip_uint64_t(i), 0));
        if (ReceivedBatch::isInvoiceName(name))
            out.append({path, name});
    }
    zip_close(z);
    return out;
}

} // namespace

bool ReceivedBatch::isInvoiceName(const QString& name) {
    return name.endsWith(QLatin1String(".xml"), Qt::CaseInsensitive) ||
           name.endsWith(QLatin1String(".p7m"), Qt::CaseInsensitive);
}

QString ReceivedEntry::displayName() const {
    return inner.isEmpty() ? path : path + QStringLiteral(" → ") + inner;
}

bool ReceivedEntry::isSigned() const {
    return (inner.isEmpty() ? path : inner).endsWith(QLatin1String(".p7m"), Qt::CaseInsensitive);
}

QByteArray ReceivedEntry::read(QString* error) const {
    if (inner.isEmpty()) {
        if (isZip(path)) {
            *error = QStringLiteral("Archivio .zip illeggibile o senza fatture elettroniche");
            return {};
        }
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly)) {
            *error = QStringLiteral("Impossibile leggere il file: ") + f.errorString();
            return {};
        }
        return f.readAll();
    }
    int code = 0;
    zip_t* z = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &code);
    if (!z) {
        *error = QStringLiteral("Archivio .zip illeggibile");
        return {};
    }
    QByteArray bytes;
    zip_stat_t st;
    zip_stat_init(&st);
    zip_file_t* f = nullptr;
    if (zip_stat(z, inner.toUtf8().constData(), 0, &st) == 0 &&
        (f = zip_fopen(z, inner.toUtf8().constData(), 0))) {
        bytes.resize(qsizetype(st.size));
        const zip_int64_t got = zip_fread(f, bytes.data(), st.size);
        zip_fclose(f);
        if (got != zip_int64_t(st.size)) {
            bytes.clear();
            *error = QStringLiteral("File danneggiato nell'archivio .zip");
        }
    } else {
        *error = QStringLiteral("File non leggibile nell'archivio .zip");
    }
    zip_close(z);
    return bytes;
}

QList<ReceivedEntry> ReceivedBatch::expand(const QStringList& paths) {
    QList<ReceivedEntry> out;
    for (const QString& p : paths) {
        const QFileInfo info(p);
        if (info.isDir()) {
            QStringList found;
            QDirIterator it(p, QDir::Files, QDirIterator::Subdirectories);
            while (it.hasNext()) {
                const QString f = it.next();
                if (isInvoiceName(f) || isZip(f))
                    found << f;
            }
            found.sort();
            out += expand(found);
        } else if (isZip(p)) {
            out += zipEntries(p);
        } else {
            out.append({p, QString()});
        }
    }
    return out;
}

} // namespace purchases
