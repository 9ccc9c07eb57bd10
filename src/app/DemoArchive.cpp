#include "app/DemoArchive.h"

#include "common/Money.h"
#include "db/Database.h"

#include <QDate>
#include <tuple>
#include <utility>

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
                       {QStringLiteral("PrezzoCompleto"), common::round2(price * (1 + rate / 100))},
                       {QStringLiteral("Iva_Id"), vatId},
                       {QStringLiteral("AliquotaIva"), rate},
                       {QStringLiteral("DataInserimento"), QDate::currentDate()}});
}

} // namespace

bool DemoArchive::hasData(db::Database& db) {
    for (const char* table : {"Clienti", "fattura", "ContrattiTestata", "Defunti"})
        if (db.scalar(QStringLiteral("select count(*) from %1").arg(QString::fromLatin1(table)))
                .toLongLong() > 0)
            return true;
    return false;
}

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

    const qint64 rossi =
        customer(db, QString(), QStringLiteral("Rossi"), QStringLiteral("Anna"),
                 QStringLiteral("Padova"), QStringLiteral("RSSNNA50B41G224Q"), QString(), false);
    const qint64 bianchi = customer(db, QString(), QStringLiteral("Bianchi"),
                                    QStringLiteral("Marco"), QStringLiteral("Abano Terme"),
                                    QStringLiteral("BNCMRC62C10A001Z"), QString(), false);
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

    const qint64 concession =
        article(db, QStringLiteral("CONC"), QStringLiteral("Canone annuo concessione loculo"),
                120.0, exempt > 0 ? exempt : vat22, exempt > 0 ? 0.0 : 22.0);
    const qint64 light = article(db, QStringLiteral("ILL"),
                                 QStringLiteral("Illuminazione votiva annuale"), 25.0, vat22, 22);
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
    // Positions of the first area: two taken, one free.
    for (const auto& [row, number] :
         {std::pair{"1", "3"}, std::pair{"2", "14"}, std::pair{"2", "15"}})
        db.insert(QStringLiteral("PosizioniCimitero"),
                  V{{QStringLiteral("Area_Id"), areaA},
                    {QStringLiteral("Fila"), QString::fromLatin1(row)},
                    {QStringLiteral("Numero"), QString::fromLatin1(number)},
                    {QStringLiteral("Tipo"), QStringLiteral("Loculo")}});
    const auto deceased = [&](const QString& surname, const QString& name, const QDate& born,
                              const QDate& died, const QString& position) {
        return db.insert(QStringLiteral("Defunti"),
                         V{{QStringLiteral("Cognome"), surname},
                           {QStringLiteral("Nome"), name},
                           {QStringLiteral("NominativoDocumenti"), surname + u' ' + name},
                           {QStringLiteral("NominativoVisualizzato"), surname + u' ' + name},
                           {QStringLiteral("DataNascita"), born},
                           {QStringLiteral("DataMorte"), died},
                           {QStringLiteral("LuogoMorte"), QStringLiteral("Padova")},
                           {QStringLiteral("Area_Id"), areaA},
                           {QStringLiteral("Posizione"), position},
                           {QStringLiteral("NumeroColore"), 16777215},
                           {QStringLiteral("IdPaese_Nascita"), QStringLiteral("IT")},
                           {QStringLiteral("IdPaese_Morte"), QStringLiteral("IT")}});
    };
    const qint64 giuseppe =
        deceased(QStringLiteral("Rossi"), QStringLiteral("Giuseppe"), QDate(1931, 5, 2),
                 QDate(2019, 11, 3), QStringLiteral("Fila 2 n. 14"));
    const qint64 lucia =
        deceased(QStringLiteral("Bianchi"), QStringLiteral("Lucia"), QDate(1940, 8, 21),
                 QDate(2024, 2, 9), QStringLiteral("Fila 1 n. 3"));

    // One open contract per family, with this year's rows to invoice.
    const int year = QDate::currentDate().year();
    const auto contract = [&](int number, qint64 customerId, const QString& customerName,
                              qint64 deceasedId, const QString& deceasedName) {
        const qint64 id = db.insert(QStringLiteral("ContrattiTestata"),
                                    V{{QStringLiteral("Numero"), number},
                                      {QStringLiteral("Data"), QDate(year, 1, 10 + number)},
                                      {QStringLiteral("Cliente_ID"), customerId},
                                      {QStringLiteral("Cliente"), customerName},
                                      {QStringLiteral("Chiuso"), false},
                                      {QStringLiteral("Storico"), false}});
        db.insert(QStringLiteral("ContrattiDefunti"), V{{QStringLiteral("Testata_ID"), id},
                                                        {QStringLiteral("Defunto_ID"), deceasedId},
                                                        {QStringLiteral("Defunto"), deceasedName}});
        int line = 0;
        for (const auto& [articleId, code, text, price, vatId, rate] :
             {std::tuple{concession, "CONC", "Canone annuo concessione loculo", 120.0,
                         exempt > 0 ? exempt : vat22, exempt > 0 ? 0.0 : 22.0},
              std::tuple{light, "ILL", "Illuminazione votiva annuale", 25.0, vat22, 22.0}}) {
            db.insert(QStringLiteral("ContrattiRighe"),
                      V{{QStringLiteral("Testata_ID"), id},
                        {QStringLiteral("NumeroRiga"), ++line},
                        {QStringLiteral("Data"), QDate(year, 1, 10 + number)},
                        {QStringLiteral("Articolo_ID"), articleId},
                        {QStringLiteral("Codice"), QString::fromLatin1(code)},
                        {QStringLiteral("Descrizione"), QString::fromLatin1(text)},
                        {QStringLiteral("TipoRiga"), QStringLiteral("N")},
                        {QStringLiteral("Um"), 1.0},
                        {QStringLiteral("ValoreUnitario"), price},
                        {QStringLiteral("Sconto"), 0.0},
                        {QStringLiteral("TotaleImponibile"), price},
                        {QStringLiteral("ValoreTotale"), common::round2(price * (1 + rate / 100))},
                        {QStringLiteral("AliquotaIva"), rate},
                        {QStringLiteral("Iva_ID"), vatId},
                        {QStringLiteral("DataInizioPeriodo"), QDate(year, 1, 1)},
                        {QStringLiteral("DataFinePeriodo"), QDate(year, 12, 31)},
                        {QStringLiteral("Pagato"), false},
                        {QStringLiteral("Chiuso"), false},
                        {QStringLiteral("Fatturato"), false},
                        {QStringLiteral("Storico"), false}});
        }
    };
    contract(1, rossi, QStringLiteral("Rossi Anna"), giuseppe, QStringLiteral("Rossi Giuseppe"));
    contract(2, bianchi, QStringLiteral("Bianchi Marco"), lucia, QStringLiteral("Bianchi Lucia"));
    tx.commit();
}

} // namespace app
