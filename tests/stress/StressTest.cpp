// Real work under hostile conditions: a workstation killed at random
// moments, and ten workstations at once on one archive. After each run the
// archive's own consistency check must find nothing. The short runs are
// part of the ordinary tests; scripts/stress sets the long ones through
// OSSARION_STRESS_KILLS_SQLITE, OSSARION_STRESS_KILLS_PG and
// OSSARION_STRESS_SECONDS.

#include "TestArchive.h"
#include "documents/ArchiveCheck.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>
#include <csignal>
#include <gtest/gtest.h>
#include <iostream>
#include <memory>
#include <vector>

namespace {

int setting(const char* name, int fallback) {
    bool ok = false;
    const int v = qEnvironmentVariableIntValue(name, &ok);
    return ok && v > 0 ? v : fallback;
}

void addCustomers(db::Database& db) {
    for (const char* name : {"Rossi Mario", "Bianchi Luigi", "Comune di Padova"})
        db.insert(QStringLiteral("Clienti"),
                  {{QStringLiteral("NominativoDocumenti"), QString::fromUtf8(name)},
                   {QStringLiteral("NominativoVisualizzato"), QString::fromUtf8(name)},
                   {QStringLiteral("Annullato"), false}});
}

std::unique_ptr<QProcess> startWorker(const TestArchive& a, const QString& workstation, int seed,
                                      int seconds) {
    auto p = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("OSSARION_WORKSTATION"), workstation);
    p->setProcessEnvironment(env);
    p->start(QStringLiteral(ACTION_WORKER),
             {a.address(), QString::number(seed), QString::number(seconds)});
    return p;
}

const char* engineName(db::Engine engine) {
    return engine == db::Engine::SQLite ? "SQLite" : "PostgreSQL";
}

} // namespace

// SIGKILL at random moments of real actions: every action is all or
// nothing, so the archive is always sound.
TEST(Stress, AWorkstationKilledAtAnyMomentLeavesASoundArchive) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        addCustomers(a.db());
        const int kills = engine == db::Engine::SQLite ? setting("OSSARION_STRESS_KILLS_SQLITE", 20)
                                                       : setting("OSSARION_STRESS_KILLS_PG", 10);
        QRandomGenerator random(20261207);
        qint64 actions = 0;
        for (int i = 0; i < kills; ++i) {
            auto worker = startWorker(a, QStringLiteral("CRASH"), i + 1, 0);
            ASSERT_TRUE(worker->waitForStarted());
            QThread::msleep(random.bounded(150, 700));
            ::kill(pid_t(worker->processId()), SIGKILL);
            worker->waitForFinished();
            actions += worker->readAllStandardOutput().count('\n');
            EXPECT_TRUE(worker->readAllStandardError().isEmpty());
            const QStringList problems = documents::ArchiveCheck::run(a.db());
            ASSERT_TRUE(problems.isEmpty()) << engineName(engine) << ", kill " << i + 1 << ":\n"
                                            << problems.join(u'\n').toStdString();
        }
        EXPECT_GT(actions, 0);
        std::cout << engineName(engine) << ": " << kills << " kills survived, " << actions
                  << " actions finished\n";
    }
}

// Ten workstations creating and deleting documents at once: no duplicate
// number, no lost row, and no engine error ever reaches a user.
TEST(Stress, TenWorkstationsAtOnceNeverCollide) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        addCustomers(a.db());
        const int seconds = setting("OSSARION_STRESS_SECONDS", 4);
        std::vector<std::unique_ptr<QProcess>> workers;
        QElapsedTimer clock;
        clock.start();
        for (int i = 0; i < 10; ++i)
            workers.push_back(
                startWorker(a, QStringLiteral("POSTAZIONE-UFFICIO-%1").arg(i), i + 100, seconds));
        qint64 actions = 0;
        for (auto& w : workers) {
            ASSERT_TRUE(w->waitForFinished(seconds * 1000 + 120000));
            const QByteArray errors = w->readAllStandardError();
            EXPECT_EQ(w->exitCode(), 0) << errors.toStdString();
            EXPECT_TRUE(errors.isEmpty()) << errors.toStdString();
            actions += w->readAllStandardOutput().count('\n');
        }
        const double elapsed = clock.elapsed() / 1000.0;
        const QStringList problems = documents::ArchiveCheck::run(a.db());
        EXPECT_TRUE(problems.isEmpty()) << problems.join(u'\n').toStdString();
        EXPECT_GT(actions, 0);
        std::cout << engineName(engine) << ": " << actions << " actions in " << elapsed
                  << " s by 10 workstations (" << int(actions / elapsed) << " per second)\n";
    }
}
