#include "app/DemoArchive.h"

#include "common/Money.h"
#include "db/Database.h"

#include <QDate>

namespace app {

namespace {

using V = db::Values;

qint64 customer(db::Database& db, const QString& company, const QString& surname,
                const QString& name, const QString& town, const QString& cf, const QString& vat,
                bool pa) {
    const QString shown = company.isEmpty() ? surname + u' ' + name : company;
    return db.insert(QStringLiteral("Clienti"),
                     V{{QStringLiteral("Cliente"), company.isEmpty() ? QVariant() : company},
                       {QStringLiteral("Cognome"), surname},
                       {QStringLiteral("Nome"), name},
                       {QStringLiteral("NominativoDocumenti"), shown},
                       {QStringLiteral("NominativoVisualizzato"),
                        cf.isEmpty() ? shown : shown + QStringLiteral(" - ") + cf},
                       {QStringLiteral("Via"), QStringLiteral("Via Roma")},
                       {QStringLiteral("Numero"), QStringLiteral("12")},
                       {QStringLiteral("Citta"), town},
                       {QStringLiteral("Cap"), QStringLiteral("35100")},
                       {QStringLiteral("Provincia"), QStringLiteral("PD")},
                       {QStringLiteral("Sede_Nazione"), QStringLiteral("IT")},
                       {QStringLiteral("IdPaese"), QStringLiteral("IT")},
                       {QStringLiteral("CodFiscale"), cf},
                       {QStringLiteral("Iva"), vat},
                       {QStringLiteral("PubblicaAmministrazione"), pa},
                       {QStringLiteral("CodiceUnivocoUfficio"),
                        pa ? QStringLiteral("UFABCD") : QStringLiteral("0000000")},
                       {QStringLiteral("Pagamento_ID"), 1}});
}

qint64 article(db::Database& db, const QString& code, const QString& description, double price,
               qint64 vatId, double rate) {
    return db.insert(QStringLiteral("prezziar"),
                     V{{QStringLiteral("Codice"), code},
                       {QStringLiteral("Descrizione"), description},
                       {QStringLiteral("Prezzo"), price},
                       {QStringLiteral("PrezzoCompleto"), common::Round2(price * (1 + rate / 100))},
                       {QStringLiteral("Iva_Id"), vatId},
                       {QStringLiteral("DataInserimento"), QDate::currentDate()}});
}

} // namespace

void DemoArchive::fill(db::Database& db) {
    db::Transaction tx(db);
    db.exec(QStringLiteral(
        "UPDATE ditta SET RagSoc = 'Onoranze Funebri San Michele S.r.l.', Via = 'Via dei "
        "Cipressi', Numero = '8', Cap = '35121', Comune = 'Padova', Provincia = 'PD', IdPaese = "
        "'IT', PIva = '01234567897', CodFisc = '01234567897', Tel = '049 123456', Email = "
        "'info@sanmichele.example', Pec = 'sanmichele@pec.example', RegimeFiscale = 'RF01'"));
    const qint64 vat22 =
        db.scalar(QStringLiteral("select top 1 ID from Iva where Iva = 22 order by ID"))
            .toLongLong();
    const qint64 exempt =
        db.scalar(QStringLiteral("select top 1 ID from Iva where Pa_Natura_Codice "
                                 "like 'N4*' order by ID"))
            .toLongLong();

    customer(db, QString(), QStringLiteral("Rossi"), QStringLiteral("Anna"),
             QStringLiteral("Padova"), QStringLiteral("RSSNNA50B41G224Q"), QString(), false);
    customer(db, QString(), QStringLiteral("Bianchi"), QStringLiteral("Marco"),
             QStringLiteral("Abano Terme"), QStringLiteral("BNCMRC62C10A001Z"), QString(), false);
    customer(db, QStringLiteral("Comune di Esempio"), QString(), QString(),
             QStringLiteral("Padova"), QStringLiteral("80012345678"), QStringLiteral("01234560289"),
             true);

    db.insert(QStringLiteral("Fornitor"),
              V{{QStringLiteral("Fornitore"), QStringLiteral("Marmi Euganei S.p.A.")},
                {QStringLiteral("Comune"), QStringLiteral("Este")},
                {QStringLiteral("Provincia"), QStringLiteral("PD")},
                {QStringLiteral("IdPaese"), QStringLiteral("IT")},
                {QStringLiteral("Iva"), QStringLiteral("09876543217")}});
    db.insert(QStringLiteral("Fornitor"),
              V{{QStringLiteral("Fornitore"), QStringLiteral("Fiori del Brenta")},
                {QStringLiteral("Comune"), QStringLiteral("Padova")},
                {QStringLiteral("Provincia"), QStringLiteral("PD")},
                {QStringLiteral("IdPaese"), QStringLiteral("IT")}});

    article(db, QStringLiteral("CONC"), QStringLiteral("Canone annuo concessione loculo"), 120.0,
            exempt > 0 ? exempt : vat22, exempt > 0 ? 0.0 : 22.0);
    article(db, QStringLiteral("ILL"), QStringLiteral("Illuminazione votiva annuale"), 25.0, vat22,
            22);
    article(db, QStringLiteral("LAP"), QStringLiteral("Lapide in marmo bianco"), 850.0, vat22, 22);
    article(db, QStringLiteral("FIO"), QStringLiteral("Composizione floreale"), 60.0, vat22, 22);
    article(db, QStringLiteral("TUM"), QStringLiteral("Tumulazione"), 300.0, vat22, 22);

    db.insert(
        QStringLiteral("Bank"),
        V{{QStringLiteral("Banca"), QStringLiteral("Banca Popolare di Padova")},
          {QStringLiteral("Comune"), QStringLiteral("Padova")},
          {QStringLiteral("Iban"), QStringLiteral("IT60X0542811101000000123456")},
          {QStringLiteral("Beneficiario"), QStringLiteral("Onoranze Funebri San Michele S.r.l.")}});

    const qint64 areaA =
        db.insert(QStringLiteral("AreeCimitero"),
                  V{{QStringLiteral("Descrizione"), QStringLiteral("Campo A - Loculi")}});
    db.insert(QStringLiteral("AreeCimitero"),
              V{{QStringLiteral("Descrizione"), QStringLiteral("Campo B - Ossari")}});
    const auto deceased = [&](const QString& surname, const QString& name, const QDate& born,
                              const QDate& died, const QString& position) {
        db.insert(QStringLiteral("Defunti"),
                  V{{QStringLiteral("Cognome"), surname},
                    {QStringLiteral("Nome"), name},
                    {QStringLiteral("NominativoDocumenti"), surname + u' ' + name},
                    {QStringLiteral("NominativoVisualizzato"), surname + u' ' + name},
                    {QStringLiteral("DataNascita"), born},
                    {QStringLiteral("DataMorte"), died},
                    {QStringLiteral("LuogoMorte"), QStringLiteral("Padova")},
                    {QStringLiteral("Area_Id"), areaA},
                    {QStringLiteral("Posizione"), position}});
    };
    deceased(QStringLiteral("Rossi"), QStringLiteral("Giuseppe"), QDate(1931, 5, 2),
             QDate(2019, 11, 3), QStringLiteral("Fila 2, loculo 14"));
    deceased(QStringLiteral("Bianchi"), QStringLiteral("Lucia"), QDate(1940, 8, 21),
             QDate(2024, 2, 9), QStringLiteral("Fila 1, loculo 3"));
    tx.commit();
}

} // namespace app
