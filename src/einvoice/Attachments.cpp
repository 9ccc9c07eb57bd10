#include "einvoice/Attachments.h"

#include "common/Titles.h"
#include "db/Database.h"

#include <QFileInfo>

namespace einvoice::attachments {

namespace {

const QString kTable = QStringLiteral("Fattura_Allegati");
const QStringList kColumns{QStringLiteral("NomeAttachment"),
                           QStringLiteral("DescrizioneAttachment"),
                           QStringLiteral("AlgoritmoCompressione"),
                           QStringLiteral("FormatoAttachment"), QStringLiteral("PercorsoCompleto")};

QString text(const QVariantMap& values, const QString& column) {
    return values.value(column).toString().trimmed();
}

common::Failure failure(const QString& text, const QString& field) {
    return {common::titles::error, text, field};
}

} // namespace

qint64 add(db::Database& db, qint64 documentId) {
    db::Transaction tx(db);
    const qint64 id = db.insert(kTable, {{QStringLiteral("Fattura_Id"), documentId}});
    tx.commit();
    return id;
}

QVariantMap load(db::Database& db, qint64 attachmentId) {
    const db::Result r =
        db.query(QStringLiteral("select * from Fattura_Allegati where id = ?"), {attachmentId});
    QVariantMap values;
    if (r.empty())
        return values;
    for (const QString& c : kColumns)
        values.insert(c, r.first().isNull(c) ? QVariant() : QVariant(r.first().text(c)));
    return values;
}

std::optional<common::Failure> check(const QVariantMap& values) {
    if (text(values, QStringLiteral("NomeAttachment")).isEmpty())
        return failure(QStringLiteral("Attenzione manca il nome dell'allegato"),
                       QStringLiteral("NomeAttachment"));
    const QString path = text(values, QStringLiteral("PercorsoCompleto"));
    if (path.isEmpty())
        return failure(QStringLiteral("Attenzione manca il Percorso dell'allegato"),
                       QStringLiteral("PercorsoCompleto"));
    if (!QFileInfo(path).isFile())
        return failure(
            QStringLiteral("Attenzione il File non risulta esistere nel percorso definito !"),
            QStringLiteral("PercorsoCompleto"));
    return std::nullopt;
}

std::optional<common::Failure> save(db::Database& db, qint64 attachmentId,
                                    const QVariantMap& values) {
    if (auto f = check(values))
        return f;
    db::Values row;
    for (const QString& c : kColumns) {
        const QString v = text(values, c);
        row.append({c, v.isEmpty() ? QVariant() : QVariant(v)});
    }
    db::Transaction tx(db);
    db.update(kTable, attachmentId, row);
    tx.commit();
    return std::nullopt;
}

void remove(db::Database& db, qint64 attachmentId) {
    db::Transaction tx(db);
    db.exec(QStringLiteral("delete * from Fattura_Allegati where id = ?"), {attachmentId});
    tx.commit();
}

void fillFromFile(QVariantMap& values, const QString& path) {
    if (path.isEmpty())
        return;
    const QFileInfo info(path);
    values.insert(QStringLiteral("PercorsoCompleto"), info.absoluteFilePath());
    values.insert(QStringLiteral("NomeAttachment"), info.fileName());
    // The format is at most 10 characters in the invoice.
    values.insert(QStringLiteral("FormatoAttachment"), info.suffix().toUpper().left(10));
}

} // namespace einvoice::attachments
