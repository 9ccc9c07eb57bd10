#include "einvoice/RejectionErrors.h"

#include "common/SqlText.h"
#include "db/Database.h"

#include <QStringList>

namespace einvoice::rejectionerrors {

namespace {

bool blank(const QString& text) {
    const QString t = text.trimmed();
    return t.isEmpty() || t == u"*";
}

} // namespace

QString condition(const QString& code, const QString& title) {
    QStringList parts;
    if (!blank(code))
        parts.append(QStringLiteral("Codice like '") + common::sqlQuote(code) +
                     QStringLiteral("*'"));
    if (!blank(title))
        parts.append(QStringLiteral("Titolo like '") + common::sqlQuote(title) +
                     QStringLiteral("*'"));
    return parts.join(QStringLiteral(" and "));
}

db::Result list(db::Database& db, const QString& code, const QString& title) {
    QString sql =
        QStringLiteral("select ID, Codice, Titolo, Descrizione, Suggerimenti from PA_Errori");
    const QString where = condition(code, title);
    if (!where.isEmpty())
        sql += QStringLiteral(" where ") + where;
    return db.query(sql + QStringLiteral(" order by Codice"));
}

db::Row find(db::Database& db, qint64 id) {
    const db::Result r = db.query(
        QStringLiteral(
            "select ID, Codice, Titolo, Descrizione, Suggerimenti from PA_Errori where ID = ?"),
        {id});
    return r.empty() ? db::Row() : r.first();
}

} // namespace einvoice::rejectionerrors
