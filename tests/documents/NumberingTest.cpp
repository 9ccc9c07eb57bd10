#include "documents/Numbering.h"

#include "DocumentsFixture.h"
#include "common/ScriptedInteraction.h"
#include "documents/DocumentDeletion.h"
#include "documents/DocumentStore.h"

#include <QProcess>
#include <QSet>
#include <gtest/gtest.h>

using namespace documents;

namespace {

const DocumentKind kInvoice = DocumentKind::CustomerInvoice;
const DocumentKind kNote = DocumentKind::CustomerCreditNote;

qint64 create(db::Database& d, DocumentKind kind, const QString& series = QString(),
              const QDate& date = QDate(2025, 6, 1)) {
    return DocumentStore::create(d, kind, {false, series, date});
}

qint64 num(db::Database& d, qint64 id) {
    return fixture::header(d, id).integer("Num");
}

} // namespace

TEST(Numbering, SequencesSeriesAndKinds) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        auto& d = a.db();
        // A fresh archive: number 1, transmission number 1, euro.
        const qint64 first = create(d, kInvoice);
        db::Row h = fixture::header(d, first);
        EXPECT_EQ(h.integer("Num"), 1);
        EXPECT_EQ(h.integer("DatiTrasmissione_NumeroInterno"), 1);
        EXPECT_EQ(h.integer("DatiTrasmissione_ProgressivoInvio"), 1);
        EXPECT_EQ(h.text("DatiGenerali_Divisa"), "EUR");
        EXPECT_EQ(h.date("Data"), QDate(2025, 6, 1));
        EXPECT_EQ(h.integer("ModPagamento_Id"), 1); // the option's terms
        // Credit notes run their own sequence; transmission numbers run on.
        const qint64 note = create(d, kNote);
        EXPECT_EQ(num(d, note), 1);
        EXPECT_EQ(fixture::header(d, note).integer("DatiTrasmissione_NumeroInterno"), 2);
        EXPECT_EQ(num(d, create(d, kInvoice)), 2);

        // Series: each runs its own sequence; none searches over all.
        fixture::setOption(d, "FatturazioneMultipla", true);
        EXPECT_EQ(num(d, create(d, kInvoice, "A")), 1);
        EXPECT_EQ(num(d, create(d, kInvoice, "a")), 2); // names compare without case
        EXPECT_EQ(num(d, create(d, kInvoice, "B")), 1);
        EXPECT_EQ(num(d, create(d, kInvoice)), 3);
        EXPECT_EQ(fixture::header(d, create(d, kInvoice, "B")).text("SerieFatturazione"), "B");

        // NonNumerare leaves a document out of the sequence.
        const qint64 big = create(d, kInvoice, "B");
        d.exec("UPDATE fattura SET Num = 100, NonNumerare = true where Id = ?", {big});
        EXPECT_EQ(num(d, create(d, kInvoice, "B")), 3);

        // Single numbering: after the last invoice a credit note takes the next.
        fixture::setOption(d, "FatturazioneMultipla", false);
        fixture::setOption(d, "NumerazioneUnicaNoteCredito", true);
        EXPECT_EQ(num(d, create(d, kNote)), 4);

        // History documents do not count; documents created in history get 1.
        d.exec("UPDATE fattura SET Storico = true");
        EXPECT_EQ(num(d, create(d, kInvoice)), 1);
        const qint64 old = DocumentStore::create(d, kInvoice, {true, QString(), QDate(2020, 1, 1)});
        EXPECT_EQ(num(d, old), 1);
        EXPECT_TRUE(fixture::header(d, old).boolean("Storico"));
        EXPECT_EQ(fixture::header(d, old).integer("DatiTrasmissione_NumeroInterno"), 1);

        // Deleting the last document frees its number.
        fixture::setOption(d, "NumerazioneUnicaNoteCredito", false);
        const qint64 last = create(d, kInvoice);
        EXPECT_EQ(num(d, last), 2);
        DocumentDeletion::remove(d, kInvoice, last);
        EXPECT_EQ(num(d, create(d, kInvoice)), 2);
    }
}

TEST(Numbering, DateOrderWarning) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        auto& d = a.db();
        const qint64 c = fixture::customer(d, "Rossi");
        fixture::document(d, kInvoice, c, QDate(2024, 12, 30));                   // 1 of last year
        const qint64 six = fixture::document(d, kInvoice, c, QDate(2025, 3, 12)); // 2
        d.exec("UPDATE fattura SET Num = 6 where Id = ?", {six});
        d.exec("UPDATE fattura SET Num = 5 where Num = 1");

        common::ScriptedInteraction ui;
        EXPECT_FALSE(Numbering::checkDateOrder(d, ui, kInvoice, 7, QDate(2025, 3, 10), QString()));
        ASSERT_EQ(ui.messages.size(), 1);
        EXPECT_EQ(ui.messages[0].kind, "warning");
        EXPECT_EQ(ui.messages[0].title,
                  "Attenzione si sta registrando un documento in modo errato");
        EXPECT_EQ(ui.messages[0].text, "Attenzione la fattura precedente: la numero 6 presenta una "
                                       "data maggiore di quella che si sta registrando ");
        // Same date, the first of the year (invoice 5 is of 2024), a credit
        // note, no number: no warning.
        const DocumentOptions o;
        EXPECT_FALSE(Numbering::dateOrderWarning(d, kInvoice, 7, QDate(2025, 3, 12), {}, o));
        EXPECT_FALSE(Numbering::dateOrderWarning(d, kInvoice, 6, QDate(2025, 1, 2), {}, o));
        EXPECT_FALSE(Numbering::dateOrderWarning(d, kNote, 7, QDate(2025, 3, 10), {}, o));
        EXPECT_FALSE(
            Numbering::dateOrderWarning(d, kInvoice, QVariant(), QDate(2025, 3, 10), {}, o));
        // With series, only the same series counts.
        DocumentOptions series;
        series.multipleSeries = true;
        d.exec("UPDATE fattura SET SerieFatturazione = 'A' where Id = ?", {six});
        EXPECT_TRUE(Numbering::dateOrderWarning(d, kInvoice, 7, QDate(2025, 3, 10), "A", series));
        EXPECT_FALSE(Numbering::dateOrderWarning(d, kInvoice, 7, QDate(2025, 3, 10), "B", series));
    }
}

// Two workstations create invoices on the same series at the same time.
TEST(Numbering, TwoWorkstationsNeverShareANumber) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        const int perProcess = 15;
        QList<QProcess*> workers;
        for (const QString& station : {QStringLiteral("CASSA1"), QStringLiteral("CASSA2")}) {
            auto* p = new QProcess;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert("OSSARION_WORKSTATION", station);
            p->setProcessEnvironment(env);
            p->start(NUMBERING_WORKER, {a.address(), QString::number(perProcess)});
            workers.append(p);
        }
        for (QProcess* p : workers) {
            ASSERT_TRUE(p->waitForFinished(120000));
            EXPECT_EQ(p->exitCode(), 0) << p->readAllStandardError().toStdString();
            delete p;
        }
        QSet<qint64> numbers, transmissions;
        const db::Result r =
            a.db().query("select Num, DatiTrasmissione_NumeroInterno from fattura");
        ASSERT_EQ(r.size(), std::size_t(2 * perProcess));
        for (const db::Row& row : r) {
            numbers.insert(row.integer("Num"));
            transmissions.insert(row.integer("DatiTrasmissione_NumeroInterno"));
        }
        EXPECT_EQ(numbers.size(), 2 * perProcess);
        EXPECT_EQ(transmissions.size(), 2 * perProcess);
        EXPECT_EQ(*std::max_element(numbers.begin(), numbers.end()), 2 * perProcess);
    }
}
