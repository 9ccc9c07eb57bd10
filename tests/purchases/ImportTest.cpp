#include "PurchasesFixture.h"
#include "common/ScriptedInteraction.h"
#include "purchases/FatturaPaImport.h"
#include "purchases/ReceivedFile.h"

#include <QDirIterator>
#include <QFile>
#include <gtest/gtest.h>

using namespace purchases;
namespace fx = purchasesFixture;

namespace {

const QString kSamples = QStringLiteral("/work/shared/fatturapa/samples");

QStringList sampleFiles() {
    QStringList files;
    QDirIterator it(kSamples, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString f = it.next();
        if (f.endsWith(QLatin1String(".xml"), Qt::CaseInsensitive) ||
            f.endsWith(QLatin1String(".p7m"), Qt::CaseInsensitive))
            files << f;
    }
    files.sort();
    return files;
}

} // namespace

TEST(FatturaPaImport, EverySampleImportsOrIsRefused) {
    TestArchive a(db::Engine::SQLite);
    auto& d = a.db();
    fx::setOption(d, "AggiornaAutomaticamenteInformazioniDaXml", true);
    for (const QString& f : sampleFiles()) {
        common::ScriptedInteraction ui;
        const ImportOutcome o = FatturaPaImport::importFile(d, ui, f);
        std::cout << f.mid(kSamples.size() + 1).toStdString() << " | " << o.statusText().toStdString()
                  << " | " << o.text.toStdString() << "\n";
    }
}
