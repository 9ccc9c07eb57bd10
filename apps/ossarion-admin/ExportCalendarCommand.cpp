#include "ExportCalendarCommand.h"

#include "calendar/CalendarExport.h"
#include "calendar/CalendarRules.h"
#include "db/ArchiveOpening.h"
#include "db/Database.h"
#include "db/DbError.h"
#include "db/Schema.h"

#include <QFileInfo>
#include <QTextStream>

namespace admin {

namespace {

const char* const usage =
    "Uso: ossarion-admin export-calendar ARCHIVIO FILE.ics [--dal GG/MM/AAAA] [--al GG/MM/AAAA]\n";

} // namespace

int exportCalendar(const QStringList& args) {
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList positional;
    calendar::Search search;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if ((a == u"--dal" || a == u"--al") && i + 1 < args.size())
            (a == u"--dal" ? search.from : search.to) = args[++i];
        else if (a.startsWith(u"--")) {
            err << "Argomento non riconosciuto: " << a << '\n' << usage;
            return 2;
        } else
            positional << a;
    }
    if (positional.size() != 2) {
        err << usage;
        return 2;
    }
    QString condition;
    if (const auto failure = calendar::searchCondition(search, &condition)) {
        err << failure->text << '\n' << usage;
        return 2;
    }
    db::Database db;
    db::ArchiveOpening::open(db, positional[0], db::ArchiveOpening::IfMissing::Refuse);

    QString where = calendar::periodCondition(false, {}, {});
    if (!condition.isEmpty())
        where += QStringLiteral(" and ") + condition;
    const QList<calendar::CalendarEntry> entries = calendar::readEntries(db, where);
    const QString path = QFileInfo(positional[1]).absoluteFilePath();
    if (const auto failure = calendar::writeCalendarFile(db, entries, path)) {
        err << failure->text << '\n';
        return 1;
    }
    out << "Appuntamenti esportati: " << entries.size() << '\n';
    return 0;
}

} // namespace admin
