#include "db/EngineErrors.h"

#include <QSqlError>

namespace db {

namespace {

bool says(const QString& text, std::initializer_list<const char*> words) {
    for (const char* w : words)
        if (text.contains(QLatin1String(w), Qt::CaseInsensitive))
            return true;
    return false;
}

} // namespace

EngineErrors::Kind EngineErrors::kindOf(const QSqlError& error, Engine engine) {
    const QString text = error.databaseText() + u' ' + error.driverText();
    const QString code = error.nativeErrorCode();
    if (engine == Engine::PostgreSQL) {
        // SQLSTATE classes: 08 connection, 28 authorization, 40 transaction
        // rollback (serialization, deadlock), 53 resources, 57 operator.
        if (code.startsWith(u"28") || says(text, {"password authentication failed"}))
            return Kind::Password;
        if (code.startsWith(u"40") || code == u"55P03")
            return Kind::Busy;
        if (code == u"53100")
            return Kind::DiskFull;
        if (code.startsWith(u"08") || code.startsWith(u"57P") ||
            says(text, {"could not connect", "connection refused", "timeout expired",
                        "server closed the connection", "no connection to the server",
                        "could not translate host name", "connection to server"}))
            return Kind::Unreachable;
        if (code == u"25006")
            return Kind::ReadOnly;
        return Kind::Other;
    }
    if (says(text, {"database is locked", "database table is locked", "busy"}))
        return Kind::Busy;
    if (says(text, {"readonly", "read-only", "read only"}))
        return Kind::ReadOnly;
    if (says(text, {"file is not a database", "malformed", "corrupt"}))
        return Kind::Damaged;
    if (says(text, {"database or disk is full"}))
        return Kind::DiskFull;
    if (says(text, {"unable to open", "disk i/o error", "cannot open"}))
        return Kind::Unreachable;
    return Kind::Other;
}

QString EngineErrors::sentence(Kind kind) {
    switch (kind) {
    case Kind::Busy:
        return QStringLiteral("L'archivio è occupato da un'altra postazione. Riprovare tra qualche "
                              "istante: nulla è stato modificato.");
    case Kind::Damaged:
        return QStringLiteral("L'archivio è danneggiato o non è un archivio di Ossarion. "
                              "Ripristinare l'ultima copia di sicurezza o rivolgersi "
                              "all'assistenza.");
    case Kind::ReadOnly:
        return QStringLiteral("L'archivio è di sola lettura: controllare i permessi del file e "
                              "della sua cartella. Nulla è stato modificato.");
    case Kind::Unreachable:
        return QStringLiteral("L'archivio non è raggiungibile: controllare la rete, che il server "
                              "o la cartella condivisa siano accesi, e riprovare.");
    case Kind::Password:
        return QStringLiteral("Utente o password dell'archivio non accettati dal server: "
                              "controllare l'indirizzo dell'archivio.");
    case Kind::DiskFull:
        return QStringLiteral("Il disco dell'archivio è pieno: liberare spazio e riprovare. "
                              "Nulla è stato modificato.");
    case Kind::Other:
        break;
    }
    return QStringLiteral("L'archivio non ha accettato l'operazione: nulla è stato modificato.");
}

QString EngineErrors::details(const QSqlError& error) {
    QString why = error.databaseText().trimmed();
    if (why.isEmpty())
        why = error.text().trimmed();
    return why;
}

} // namespace db
