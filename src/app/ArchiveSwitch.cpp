#include "app/ArchiveSwitch.h"

#include "app/ServerWait.h"
#include "app/StartupSequence.h"
#include "common/Interaction.h"
#include "common/Titles.h"
#include "db/ArchiveLocation.h"
#include "db/ArchiveOpening.h"
#include "db/Database.h"
#include "db/DbError.h"
#include "db/Schema.h"

#include <QFileInfo>

namespace app {

namespace {}

ArchiveSwitch::ArchiveSwitch(db::Database& db, common::Interaction& interaction,
                             const QString& installationFolder)
    : m_db(db), m_ui(interaction), m_folder(db::ArchiveLocation(installationFolder).folder()) {}

ArchiveSwitch::Result ArchiveSwitch::run(const QString& typedAddress) {
    if (db::Database::isPostgresAddress(typedAddress))
        return switchTo(typedAddress.trimmed());
    QString startFolder;
    if (m_db.isOpen() && !db::Database::isPostgresAddress(m_db.archive()))
        startFolder = QFileInfo(m_db.archive()).absolutePath();
    const QString chosen = m_ui.openFile(dialogTitle(), dialogFilter(), startFolder);
    if (chosen.isEmpty())
        return {};
    return switchTo(chosen);
}

ArchiveSwitch::Result ArchiveSwitch::switchTo(const QString& archiveText) {
    Result result;
    const db::ArchiveLocation location(m_folder);
    const QString archive = location.resolve(archiveText);
    if (archive.isEmpty() || !reachArchiveServer(m_ui, archive))
        return result;

    // Try the new archive on a connection of its own first.
    QString caption;
    try {
        db::Database probe;
        probe.setWorkstation(m_db.workstation());
        // An empty PostgreSQL database is prepared for the firm; a file must
        // already be an archive.
        const auto ifMissing = db::Database::isPostgresAddress(archive)
                                   ? db::ArchiveOpening::IfMissing::Create
                                   : db::ArchiveOpening::IfMissing::Refuse;
        if (db::ArchiveOpening::open(probe, archive, ifMissing))
            m_ui.information(common::titles::warning, db::ArchiveOpening::createdNotice(probe));
        StartupSequence::ensureNoticeRow(probe);
        caption = StartupSequence::caption(probe);
    } catch (const db::DbError& e) {
        m_ui.error(common::titles::error, e.message());
        return result;
    }

    const QString previous = m_db.archive();
    if (!location.write(archive)) {
        m_ui.error(common::titles::error,
                   QStringLiteral("Impossibile scrivere il file %1").arg(location.filePath()));
        return result;
    }
    try {
        m_db.open(archive);
    } catch (const db::DbError& e) {
        // Back to where we were.
        location.write(previous);
        try {
            if (!previous.isEmpty())
                m_db.open(previous);
        } catch (const db::DbError&) {
        }
        m_ui.error(common::titles::error, e.message());
        return result;
    }
    result.switched = true;
    result.archive = archive;
    result.caption = caption;
    return result;
}

} // namespace app
