#include "app/UpgradeScript.h"

#include "db/Database.h"
#include "db/DbError.h"
#include "db/Schema.h"

#include <QFile>
#include <QStringDecoder>

namespace app {

namespace {

// Scripts written on old Windows machines are often not UTF-8.
QString decode(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return QString::fromLatin1(bytes);
}

} // namespace

UpgradeScriptResult UpgradeScript::apply(db::Database& db, const QString& scriptPath,
                                         AfterApplying after) {
    UpgradeScriptResult result;
    QFile file(scriptPath);
    if (!file.exists())
        return result;
    result.found = true;
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = QStringLiteral("Impossibile leggere lo script di aggiornamento %1: %2")
                           .arg(scriptPath, file.errorString());
        return result;
    }
    const QStringList statements = db::splitScript(decode(file.readAll()), false);
    file.close();
    try {
        db::Transaction tx(db);
        for (const QString& s : statements) {
            if (s.trimmed().isEmpty())
                continue; // an empty field is an empty statement
            result.failedStatement = s.trimmed();
            db.exec(s);
            ++result.statements;
        }
        result.failedStatement.clear();
        tx.commit();
    } catch (const db::DbError& e) {
        result.statements = 0;
        result.error = QStringLiteral("Lo script di aggiornamento %1 non è stato applicato.\n"
                                      "Istruzione non riuscita: %2\n%3")
                           .arg(scriptPath, result.failedStatement, e.message());
        return result;
    }
    result.applied = true;
    if (after == AfterApplying::Remove && !QFile::remove(scriptPath))
        result.error =
            QStringLiteral("Script applicato, ma impossibile eliminare %1").arg(scriptPath);
    return result;
}

} // namespace app
