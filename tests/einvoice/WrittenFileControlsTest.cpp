#include "einvoice/WrittenFileControls.h"

#include <QFile>
#include <QHash>
#include <gtest/gtest.h>

using einvoice::WrittenFileControls;

namespace {

// A small ordinary invoice as the writer lays it out: two rows at 22% (one
// with a 10% discount) and one exempt row, and their two summaries. Each
// key of parts replaces the element text it names.
QByteArray file(const QHash<QString, QString>& parts = {}) {
    auto part = [&](const char* key, const char* standard) {
        return parts.value(QLatin1String(key), QLatin1String(standard));
    };
    const QString text =
        QStringLiteral(
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
            "<p:FatturaElettronica versione=\"%1\" "
            "xmlns:p=\"http://ivaservizi.agenziaentrate.gov.it/docs/xsd/fatture/v1.2\">"
            "<FatturaElettronicaHeader><DatiTrasmissione>"
            "<IdTrasmittente><IdPaese>IT</IdPaese><IdCodice>01234567890</IdCodice></IdTrasmittente>"
            "<ProgressivoInvio>00001</ProgressivoInvio><FormatoTrasmissione>FPR12"
            "</FormatoTrasmissione><CodiceDestinatario>%2</CodiceDestinatario>"
            "</DatiTrasmissione>"
            "<CedentePrestatore><DatiAnagrafici><IdFiscaleIVA><IdPaese>%3</IdPaese>"
            "<IdCodice>01234567890</IdCodice></IdFiscaleIVA></DatiAnagrafici></CedentePrestatore>"
            "<CessionarioCommittente><DatiAnagrafici>%4</DatiAnagrafici></CessionarioCommittente>"
            "</FatturaElettronicaHeader>"
            "<FatturaElettronicaBody><DatiGenerali><DatiGeneraliDocumento>"
            "<TipoDocumento>TD01</TipoDocumento><Divisa>EUR</Divisa><Data>%5</Data>"
            "<Numero>%6</Numero>%7</DatiGeneraliDocumento>%8</DatiGenerali>"
            "<DatiBeniServizi>"
            "<DettaglioLinee><NumeroLinea>1</NumeroLinea><Descrizione>Lapide</Descrizione>"
            "<Quantita>2.00</Quantita><PrezzoUnitario>50.00</PrezzoUnitario>"
            "<ScontoMaggiorazione><Tipo>SC</Tipo>%9</ScontoMaggiorazione>"
            "<PrezzoTotale>%10</PrezzoTotale><AliquotaIVA>22.00</AliquotaIVA>%11</DettaglioLinee>"
            "<DettaglioLinee><NumeroLinea>2</NumeroLinea><Descrizione>Posa</Descrizione>"
            "<PrezzoUnitario>10.00</PrezzoUnitario><PrezzoTotale>10.00</PrezzoTotale>"
            "<AliquotaIVA>%12</AliquotaIVA>%13</DettaglioLinee>"
            "<DettaglioLinee><NumeroLinea>3</NumeroLinea><Descrizione>Diritti</Descrizione>"
            "<PrezzoUnitario>5.00</PrezzoUnitario><PrezzoTotale>5.00</PrezzoTotale>"
            "<AliquotaIVA>0.00</AliquotaIVA><Natura>%14</Natura></DettaglioLinee>"
            "<DatiRiepilogo><AliquotaIVA>0.00</AliquotaIVA><Natura>%15</Natura>"
            "<ImponibileImporto>5.00</ImponibileImporto><Imposta>0.00</Imposta>"
            "</DatiRiepilogo>"
            "<DatiRiepilogo><AliquotaIVA>%16</AliquotaIVA>"
            "<ImponibileImporto>%17</ImponibileImporto><Imposta>%18</Imposta>"
            "<EsigibilitaIVA>I</EsigibilitaIVA></DatiRiepilogo>"
            "</DatiBeniServizi></FatturaElettronicaBody></p:FatturaElettronica>")
            .arg(part("versione", "FPR12"), part("CodiceDestinatario", "ABC1234"),
                 part("IdPaeseDitta", "IT"),
                 part("Cliente", "<CodiceFiscale>RSSMRA80A01H501U</CodiceFiscale>"),
                 part("Data", "2026-03-10"), part("Numero", "12"),
                 part("DatiGeneraliDocumento", ""), part("DatiGenerali", ""),
                 part("Sconto", "<Percentuale>10.00</Percentuale>"), part("PrezzoTotale1", "90.00"),
                 part("Ritenuta1", ""), part("Aliquota2", "22.00"), part("Natura2", ""),
                 part("Natura3", "N4"), part("NaturaRiepilogo", "N4"),
                 part("AliquotaRiepilogo", "22.00"), part("Imponibile", "100.00"),
                 part("Imposta", "22.00"));
    return text.toUtf8();
}

QStringList codes(const QStringList& problems) {
    QStringList out;
    for (const QString& p : problems)
        out << p.mid(7, 5);
    return out;
}

QStringList codesOf(const QHash<QString, QString>& parts) {
    const QStringList problems = WrittenFileControls::problems(file(parts));
    return codes(problems);
}

} // namespace

TEST(WrittenFileControls, ConsistentFilePasses) {
    EXPECT_EQ(WrittenFileControls::problems(file()), QStringList());
    // A discount by amount, a surcharge, and a rounding declared in the
    // summary are read as the exchange system reads them.
    EXPECT_EQ(codesOf({{"Sconto", "<Importo>5.00</Importo>"}}), QStringList());
    EXPECT_EQ(codesOf({{"Sconto", "<Percentuale>10.00</Percentuale><Importo>7</Importo>"}}),
              QStringList());
    // A rounding within the cent and a taxable within a euro are accepted.
    EXPECT_EQ(codesOf({{"PrezzoTotale1", "90.01"}, {"Imponibile", "100.90"}, {"Imposta", "22.20"}}),
              QStringList());
}

// Each control fires on its own fault and only there.
TEST(WrittenFileControls, EachFaultHasItsCode) {
    const QList<std::pair<QHash<QString, QString>, QStringList>> cases{
        {{{"versione", "FPA12"}}, {"00428"}},
        {{{"CodiceDestinatario", "ABC123"}}, {"00427"}},
        {{{"Cliente", "<Anagrafica><Denominazione>X</Denominazione></Anagrafica>"}}, {"00417"}},
        {{{"IdPaeseDitta", "FR"},
          {"Cliente", "<IdFiscaleIVA><IdPaese>DE</IdPaese><IdCodice>1</IdCodice></IdFiscaleIVA>"}},
         {"00476"}},
        {{{"Numero", "A/BIS"}}, {"00425"}},
        {{{"DatiGenerali", "<DatiFattureCollegate><IdDocumento>3</IdDocumento>"
                           "<Data>2026-04-01</Data></DatiFattureCollegate>"}},
         {"00418"}},
        {{{"Ritenuta1", "<Ritenuta>SI</Ritenuta>"}}, {"00411"}},
        {{{"DatiGeneraliDocumento", "<ScontoMaggiorazione><Tipo>SC</Tipo></ScontoMaggiorazione>"}},
         {"00437"}},
        {{{"Sconto", ""}}, {"00438", "00423"}},
        {{{"PrezzoTotale1", "90.50"}}, {"00423"}},
        {{{"Imposta", "21.50"}}, {"00421"}},
        {{{"Imponibile", "102.00"}, {"Imposta", "22.44"}}, {"00422"}},
        {{{"Natura3", ""}}, {"00400", "00444", "00422"}},
        {{{"Natura2", "<Natura>N4</Natura>"}}, {"00401"}},
        {{{"NaturaRiepilogo", "N1"}}, {"00444", "00444", "00422"}},
        {{{"Natura3", "N2"}, {"NaturaRiepilogo", "N2"}}, {"00445", "00445"}},
        {{{"AliquotaRiepilogo", "10.00"}, {"Imposta", "10.00"}}, {"00419", "00443", "00422"}},
        {{{"Aliquota2", "0.22"}, {"Natura2", ""}}, {"00424", "00419", "00422"}},
    };
    for (const auto& [parts, expected] : cases) {
        const QStringList problems = WrittenFileControls::problems(file(parts));
        EXPECT_EQ(codes(problems), expected) << problems.join('\n').toStdString();
    }
    // Before 2021 the generic natures were still accepted.
    EXPECT_EQ(codesOf({{"Natura3", "N2"}, {"NaturaRiepilogo", "N2"}, {"Data", "2020-12-31"}}),
              QStringList());
    // A declared withholding makes the row's flag right.
    EXPECT_EQ(codesOf({{"Ritenuta1", "<Ritenuta>SI</Ritenuta>"},
                       {"DatiGeneraliDocumento",
                        "<DatiRitenuta><TipoRitenuta>RT02</TipoRitenuta><ImportoRitenuta>20.00"
                        "</ImportoRitenuta><AliquotaRitenuta>20.00</AliquotaRitenuta>"
                        "<CausalePagamento>A</CausalePagamento></DatiRitenuta>"}}),
              QStringList());
}

TEST(WrittenFileControls, MessagesNameWhatIsWrong) {
    const QStringList problems =
        WrittenFileControls::problems(file({{"PrezzoTotale1", "90.50"}, {"Numero", "A/BIS"}}));
    ASSERT_EQ(problems.size(), 2);
    EXPECT_EQ(problems[0], "Errore 00425 - il numero del documento \"A/BIS\" non contiene cifre.");
    EXPECT_EQ(problems[1], "Errore 00423 - riga 1: il prezzo totale 90,50 non è il prezzo "
                           "unitario scontato per la quantità (90,00).");
    EXPECT_EQ(codes(WrittenFileControls::problems("<non xml")), QStringList({"00200"}));
}

TEST(WrittenFileControls, SizeAndCodesAlreadySaid) {
    EXPECT_EQ(WrittenFileControls::sizeProblem(QByteArray(WrittenFileControls::maxBytes, 'x')),
              QString());
    const QString big =
        WrittenFileControls::sizeProblem(QByteArray(WrittenFileControls::maxBytes + 1, 'x'));
    EXPECT_TRUE(big.startsWith("Errore 00003 - il file occupa 5,00 MB")) << big.toStdString();

    const QStringList said{"Errore 00423 - riga 1: ...", "Attenzione: altro"};
    EXPECT_EQ(WrittenFileControls::notYetSaid(said, {"Errore 00423 - riga 2: ...",
                                                     "Errore 00425 - numero", "Errore 00423 - x"}),
              QStringList({"Errore 00425 - numero"}));
}

// The sample invoices valid against the schema raise no false alarm. One
// official sample declares a taxable of 27,00 over rows of 25,00: the
// exchange system refuses that today (00422), and so do the controls.
TEST(WrittenFileControls, ValidSampleFilesPass) {
    const QString root = qEnvironmentVariable("OSSARION_FATTURAPA_SAMPLES",
                                              QStringLiteral("/work/shared/fatturapa/samples"));
    QFile list(root + QStringLiteral("/VALIDATION.tsv"));
    if (!list.open(QIODevice::ReadOnly))
        GTEST_SKIP() << "no sample files";
    int checked = 0;
    while (!list.atEnd()) {
        const QStringList cells = QString::fromUtf8(list.readLine()).split(u'\t');
        if (cells.size() < 3 || cells[2] != u"valid" || !cells[0].endsWith(u".xml"))
            continue;
        QFile f(root + u'/' + cells[0]);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << cells[0].toStdString();
        const QStringList problems = WrittenFileControls::problems(f.readAll());
        const QStringList expected =
            cells[0].startsWith(u"official") && cells[0].endsWith(u"IT01234567890_FPR03.xml")
                ? QStringList{QStringLiteral("Errore 00422 - riepilogo aliquota 22,00%: "
                                             "l'imponibile 27,00 non è la somma dei prezzi totali "
                                             "delle righe (25,00).")}
                : QStringList();
        EXPECT_EQ(problems, expected) << cells[0].toStdString() << "\n"
                                      << problems.join(u'\n').toStdString();
        ++checked;
    }
    EXPECT_GT(checked, 10);
}
