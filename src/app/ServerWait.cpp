#include "app/ServerWait.h"

#include "common/Interaction.h"
#include "common/Titles.h"
#include "db/Database.h"
#include "db/EngineErrors.h"
#include "db/ServerProbe.h"

namespace app {

namespace {
// The same limit the connection itself has.
constexpr int kServerWaitMs = 10000;
} // namespace

bool reachArchiveServer(common::Interaction& ui, const QString& archive) {
    if (!db::Database::isPostgresAddress(archive))
        return true;
    const QString text = QStringLiteral("Collegamento al server dell'archivio in corso...");
    QString why;
    const db::ServerProbe::Outcome outcome = db::ServerProbe::reach(
        archive, [&] { return ui.progress(text, 0, 1); }, kServerWaitMs, &why);
    ui.progress(text, 1, 1);
    if (outcome == db::ServerProbe::Outcome::Unreachable)
        ui.errorWithDetails(
            common::titles::error,
            QStringLiteral("Impossibile aprire l'archivio %1.\n%2")
                .arg(db::Database::displayNameOf(archive),
                     db::EngineErrors::sentence(db::EngineErrors::Kind::Unreachable)),
            why);
    return outcome == db::ServerProbe::Outcome::Reached;
}

} // namespace app
