#include "einvoice/Attachments.h"

#include "TestArchive.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace A = einvoice::attachments;

namespace {

QVariantMap attachment(const QString& name, const QString& path) {
    return {{"NomeAttachment", name}, {"PercorsoCompleto", path}};
}

} // namespace

// "Salva" stops at the first missing piece and writes nothing until all pass.
TEST(Attachments, SaveChecksNamePathAndFileInOrder) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath("preventivo.pdf");
    {
        QFile f(pdf);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("%PDF-1.4");
    }
    const auto text = [](const QVariantMap& v) {
        const auto f = A::check(v);
        return f ? f->title + " | " + f->text + " | " + f->field : QString();
    };
    EXPECT_EQ(text(attachment("  ", "")),
              "Messaggio di errore | Attenzione manca il nome dell'allegato | NomeAttachment");
    EXPECT_EQ(text(attachment("preventivo.pdf", " ")),
              "Messaggio di errore | Attenzione manca il Percorso dell'allegato | "
              "PercorsoCompleto");
    EXPECT_EQ(text(attachment("preventivo.pdf", dir.filePath("spostato.pdf"))),
              "Messaggio di errore | Attenzione il File non risulta esistere nel percorso "
              "definito ! | PercorsoCompleto");
    // A folder is no file.
    EXPECT_EQ(A::check(attachment("x", dir.path()))->field, "PercorsoCompleto");
    EXPECT_EQ(text(attachment("preventivo.pdf", pdf)), QString());

    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        db::Database& db = a.db();
        const qint64 id = A::add(db, 42);
        EXPECT_EQ(db.scalar("select Fattura_Id from Fattura_Allegati where id = ?", {id}).toInt(),
                  42);
        QVariantMap v = attachment("", "");
        v.insert("DescrizioneAttachment", "Preventivo firmato");
        ASSERT_TRUE(A::save(db, id, v).has_value());
        EXPECT_TRUE(A::load(db, id).value("DescrizioneAttachment").isNull());

        A::fillFromFile(v, pdf);
        EXPECT_EQ(v.value("NomeAttachment").toString(), "preventivo.pdf");
        EXPECT_EQ(v.value("FormatoAttachment").toString(), "PDF");
        EXPECT_EQ(v.value("DescrizioneAttachment").toString(), "Preventivo firmato");
        v.insert("AlgoritmoCompressione", "");
        ASSERT_FALSE(A::save(db, id, v).has_value());
        const QVariantMap stored = A::load(db, id);
        EXPECT_EQ(stored.value("PercorsoCompleto").toString(), QFileInfo(pdf).absoluteFilePath());
        EXPECT_EQ(stored.value("NomeAttachment").toString(), "preventivo.pdf");
        EXPECT_EQ(stored.value("DescrizioneAttachment").toString(), "Preventivo firmato");
        EXPECT_TRUE(stored.value("AlgoritmoCompressione").isNull());

        A::remove(db, id);
        EXPECT_TRUE(A::load(db, id).isEmpty());
    }
}
