#include "mail/SmtpSettings.h"

#include "db/Database.h"

namespace mail {

SmtpSettings SmtpSettings::load(db::Database& db) {
    SmtpSettings s;
    const db::Result r = db.query(QStringLiteral(
        "select SmtpHost, SmtpPorta, SmtpUserName, SmtpPassword, SmtpMittenteEmail, "
        "SmtpAutenticazioneServer, SmtpCriptato, SmtpCriptaggioTipo, EmailTestoDefault "
        "from opzioni order by ID"));
    if (r.empty())
        return s;
    const db::Row& row = r.first();
    s.host = row.text(QStringLiteral("SmtpHost")).trimmed();
    s.port = int(row.integer(QStringLiteral("SmtpPorta")));
    s.userName = row.text(QStringLiteral("SmtpUserName"));
    s.password = row.text(QStringLiteral("SmtpPassword"));
    s.sender = row.text(QStringLiteral("SmtpMittenteEmail")).trimmed();
    s.authenticate = row.boolean(QStringLiteral("SmtpAutenticazioneServer"));
    s.encrypted = row.boolean(QStringLiteral("SmtpCriptato"));
    s.encryptionType = row.isNull(QStringLiteral("SmtpCriptaggioTipo"))
                           ? 1
                           : int(row.integer(QStringLiteral("SmtpCriptaggioTipo")));
    s.defaultText = row.text(QStringLiteral("EmailTestoDefault"));
    return s;
}

SmtpSettings::Security SmtpSettings::security() const {
    if (!encrypted)
        return Security::Plain;
    return encryptionType == 4 ? Security::ImplicitTls : Security::StartTls;
}

QString SmtpSettings::url() const {
    QString h = host;
    // A bare IPv6 address needs brackets in a URL.
    if (h.contains(u':') && !h.startsWith(u'['))
        h = u'[' + h + u']';
    const QString scheme =
        security() == Security::ImplicitTls ? QStringLiteral("smtps") : QStringLiteral("smtp");
    return QStringLiteral("%1://%2:%3").arg(scheme, h).arg(effectivePort());
}

} // namespace mail
