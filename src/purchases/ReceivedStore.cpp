#include "purchases/ReceivedStore.h"

#include "common/Installation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace purchases {

namespace {

// A file name without path separators or characters other systems refuse.
QString safeName(const QString& name) {
    QString out;
    for (QChar c : name)
        out.append(c.isLetterOrNumber() || c == u'.' || c == u'-' || c == u'_' ? c : QChar(u'_'));
    return out.left(120);
}

bool writeFile(const QString& path, const QByteArray& data) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(data) == data.size();
}

} // namespace

QString ReceivedStore::defaultFolder(db::Database& db) {
    const QString base = db.engine() == db::Engine::SQLite ? QFileInfo(db.archive()).absolutePath()
                                                           : common::Installation::folder();
    return QDir(base).filePath(QStringLiteral("FattureRicevute"));
}

bool ReceivedStore::keep(db::Database& db, qint64 documentId, const QString& folder,
                         const QByteArray& xml, const ReceivedBody& body) {
    const QDir dir(QDir(folder).filePath(QString::number(documentId)));
    if (!QDir().mkpath(dir.path()))
        return false;
    const QString xmlFile = dir.filePath(safeName(body.number) + QStringLiteral(".xml"));
    if (!writeFile(xmlFile, xml))
        return false;
    db.insert(QStringLiteral("Fattura_Allegati"),
              {{QStringLiteral("Fattura_Id"), documentId},
               {QStringLiteral("NomeAttachment"), QFileInfo(xmlFile).fileName()},
               {QStringLiteral("DescrizioneAttachment"), description()},
               {QStringLiteral("FormatoAttachment"), QStringLiteral("XML")},
               {QStringLiteral("PercorsoCompleto"), xmlFile}});
    for (const ReceivedAttachment& a : body.attachments) {
        const QString path = dir.filePath(safeName(a.name));
        if (!writeFile(path, a.data))
            return false;
        db.insert(QStringLiteral("Fattura_Allegati"),
                  {{QStringLiteral("Fattura_Id"), documentId},
                   {QStringLiteral("NomeAttachment"), a.name.left(255)},
                   {QStringLiteral("DescrizioneAttachment"), a.description.left(255)},
                   {QStringLiteral("FormatoAttachment"), a.format.left(10)},
                   {QStringLiteral("PercorsoCompleto"), path}});
    }
    return true;
}

QString ReceivedStore::xmlPath(db::Database& db, qint64 documentId) {
    return db
        .scalar(QStringLiteral("select top 1 PercorsoCompleto from Fattura_Allegati where "
                               "Fattura_Id = ? and DescrizioneAttachment = ? order by id"),
                {documentId, description()})
        .toString();
}

} // namespace purchases
