#include "app/ServerWait.h"

#include "common/Interaction.h"
#include "common/Titles.h"
#include "db/Database.h"
#include "db/EngineErrors.h"
#include "db/ServerProbe.h"

#include <QElapsedTimer>

namespace app {

namespace {
// The same limit the connection itself has.
constexpr int kServerWaitMs = 10000;
} // namespace

bool reachArchiveServer(common::Interaction& ui, const QString& archive) {
    if (!db::Database::isPostgresAddress(archive))
        return true;
    const QString text = QStringLiteral("Collegamento al server dell'archivio in corso...");
    // The bar shows the time left before the wait is given up.
    constexpr qint64 steps = kServerWaitMs / 100 + 1;
    QElapsedTimer clock;
    clock.start();
    QString why;
    const db::ServerProbe::Outcome outcome = db::ServerProbe::reach(
        archive, [&] { return ui.progress(text, qMin(clock.elapsed() / 100, steps - 1), steps); },
        kServerWaitMs, &why);
    ui.progress(text, steps, steps);
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
