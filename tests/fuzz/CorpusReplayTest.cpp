// Every input the fuzzers kept (tests/fuzz/corpus/<target>/) runs again
// through its target: what once crashed or hung stays fixed.

#include "FuzzTargets.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <gtest/gtest.h>

namespace {

QDir corpus(const QString& target) {
    return QDir(QStringLiteral(FUZZ_CORPUS) + u'/' + target);
}

} // namespace

TEST(FuzzCorpus, EveryKeptInputRunsThroughItsTarget) {
    int inputs = 0;
    for (const QString& target : fuzz::targets()) {
        const QDir dir = corpus(target);
        const QStringList files = dir.entryList(QDir::Files, QDir::Name);
        EXPECT_FALSE(files.isEmpty()) << target.toStdString() << ": no seed inputs";
        for (const QString& name : files) {
            QFile f(dir.filePath(name));
            ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << name.toStdString();
            QElapsedTimer clock;
            clock.start();
            fuzz::run(target, f.readAll());
            EXPECT_LT(clock.elapsed(), 10000) << target.toStdString() << "/" << name.toStdString();
            ++inputs;
        }
    }
    EXPECT_GT(inputs, 0);
}

// The sample invoices of the exchange system's format, signed or not, as
// readers of received files meet them.
TEST(FuzzCorpus, SampleInvoicesRunThroughTheReaders) {
    const QString root = qEnvironmentVariable("OSSARION_FATTURAPA_SAMPLES",
                                              QStringLiteral("/work/shared/fatturapa/samples"));
    if (!QDir(root).exists())
        GTEST_SKIP() << "no sample invoices at " << root.toStdString();
    int inputs = 0;
    QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString lower = path.toLower();
        const bool envelope = lower.endsWith(QStringLiteral(".p7m"));
        if (!envelope && !lower.endsWith(QStringLiteral(".xml")))
            continue;
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
        fuzz::run(envelope ? QStringLiteral("p7m") : QStringLiteral("received"), f.readAll());
        ++inputs;
    }
    EXPECT_GT(inputs, 10);
}
