#include "Samples.h"

#include <QBuffer>
#include <QDate>
#include <QDateTime>
#include <QImage>
#include <QPainter>

namespace {

void row(db::Database& db, const QString& table, const QString& parent, qint64 parentId, int n,
         const QString& code, const QString& text, double qty, double price, double discount,
         int vatId, double rate, const QString& note = QString()) {
    const double net = qty * price * (1 - discount / 100.0);
    db.insert(table,
              {{parent, parentId},
               {QStringLiteral("NumeroRiga"), n},
               {QStringLiteral("TipoRiga"), QStringLiteral("A")},
               {QStringLiteral("Codice"), code},
               {QStringLiteral("Descrizione"), text},
               {QStringLiteral("Um"), qty},
               {QStringLiteral("ValoreUnitario"), price},
               {QStringLiteral("Sconto"), discount},
               {QStringLiteral("Iva_ID"), vatId},
               {QStringLiteral("AliquotaIva"), rate},
               {QStringLiteral("TotaleImponibile"), net},
               {QStringLiteral("ValoreTotale"), qRound64(net * (1 + rate / 100) * 100) / 100.0},
               {QStringLiteral("Note"), note.isEmpty() ? QVariant() : QVariant(note)}});
}

// Three rows: 2.500,00 at 22%, 1.800,00 at 10%, 2 × 75,50 less 10% at 22%.
void threeRows(db::Database& db, const QString& table, const QString& parent, qint64 id) {
    row(db, table, parent, id, 1, QStringLiteral("SRV01"),
        QStringLiteral("Servizio funebre completo"), 1, 2500, 0, 1, 22,
        QStringLiteral("Preventivo n° 7"));
    row(db, table, parent, id, 2, QStringLiteral("COF12"),
        QStringLiteral("Cofano in legno di rovere massello, finitura lucida"), 1, 1800, 0, 2, 10);
    row(db, table, parent, id, 3, QStringLiteral("FIO03"), QStringLiteral("Composizione floreale"),
        2, 75.5, 10, 1, 22);
}

} // namespace

void Samples::setLogo(db::Database& db, bool present) {
    if (!present) {
        db.exec(QStringLiteral("update ditta set Logo = null"));
        return;
    }
    QImage logo(360, 240, QImage::Format_RGB32);
    logo.fill(Qt::white);
    QPainter p(&logo);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(0x1f, 0x3a, 0x5f));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QRectF(60, 10, 220, 220));
    p.setPen(Qt::white);
    QFont f;
    f.setPixelSize(110);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRectF(60, 10, 220, 220), Qt::AlignCenter, QStringLiteral("R"));
    p.end();
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    logo.save(&buffer, "JPG");
    db.exec(QStringLiteral("update ditta set Logo = ?"), {jpeg});
}

void Samples::setOption(db::Database& db, const QString& column, const QVariant& value) {
    db.exec(QStringLiteral("update opzioni set %1 = ?").arg(column), {value});
}

Samples Samples::create(db::Database& db) {
    Samples s;
    db.exec(QStringLiteral("update ditta set RagSoc = ?, Via = ?, Numero = ?, Cap = ?, Comune = ?, "
                           "Provincia = ?, PIva = ?, CodFisc = ?, Tel = ?, Email = ?, Pec = ?"),
            {QStringLiteral("Onoranze Funebri Rossi S.r.l."), QStringLiteral("Via Roma"),
             QStringLiteral("12"), QStringLiteral("20121"), QStringLiteral("Milano"),
             QStringLiteral("MI"), QStringLiteral("01234567890"), QStringLiteral("01234567890"),
             QStringLiteral("02 1234567"), QStringLiteral("info@rossi.example"),
             QStringLiteral("rossi@pec.example")});
    s.customer =
        db.insert(QStringLiteral("Clienti"),
                  {{QStringLiteral("Codice"), QStringLiteral("C001")},
                   {QStringLiteral("NominativoDocumenti"), QStringLiteral("Bianchi Mario")},
                   {QStringLiteral("NominativoVisualizzato"), QStringLiteral("Bianchi Mario")},
                   {QStringLiteral("Via"), QStringLiteral("Via Verdi")},
                   {QStringLiteral("Numero"), QStringLiteral("5")},
                   {QStringLiteral("Cap"), QStringLiteral("20100")},
                   {QStringLiteral("Citta"), QStringLiteral("Milano")},
                   {QStringLiteral("Provincia"), QStringLiteral("MI")},
                   {QStringLiteral("CodFiscale"), QStringLiteral("BNCMRA70A01F205X")},
                   {QStringLiteral("Telefono"), QStringLiteral("02 555 0101")},
                   {QStringLiteral("EMail"), QStringLiteral("mario.bianchi@example.com")},
                   {QStringLiteral("Annullato"), false}});
    db.insert(QStringLiteral("Clienti"),
              {{QStringLiteral("Codice"), QStringLiteral("C002")},
               {QStringLiteral("NominativoDocumenti"), QStringLiteral("Esposito Anna")},
               {QStringLiteral("Citta"), QStringLiteral("Napoli")},
               {QStringLiteral("Annullato"), false}});
    s.supplier =
        db.insert(QStringLiteral("Fornitor"),
                  {{QStringLiteral("Fornitore"), QStringLiteral("Falegnameria Verdi S.n.c.")},
                   {QStringLiteral("VIA"), QStringLiteral("Via dei Boschi")},
                   {QStringLiteral("Comune"), QStringLiteral("Lecco")},
                   {QStringLiteral("Iva"), QStringLiteral("09876543210")},
                   {QStringLiteral("Annullato"), false}});
    db.insert(QStringLiteral("prezziar"),
              {{QStringLiteral("Codice"), QStringLiteral("COF12")},
               {QStringLiteral("Descrizione"), QStringLiteral("Cofano in rovere")},
               {QStringLiteral("Prezzo"), 1800.0},
               {QStringLiteral("AliquotaIva"), 10.0},
               {QStringLiteral("Annullato"), false}});
    s.terms = db.insert(QStringLiteral("ModPagamento"),
                        {{QStringLiteral("Descrizione"), QStringLiteral("Bonifico 30-60 gg")},
                         {QStringLiteral("NumeroScadenze"), 2},
                         {QStringLiteral("NonVisualizzareStampa"), false}});
    s.bank = db.insert(QStringLiteral("Bank"),
                       {{QStringLiteral("Banca"), QStringLiteral("Banca Popolare di Milano")},
                        {QStringLiteral("Comune"), QStringLiteral("Milano")},
                        {QStringLiteral("Provincia"), QStringLiteral("MI")},
                        {QStringLiteral("Iban"), QStringLiteral("IT60X0542811101000000123456")}});

    const db::Values header = {{QStringLiteral("Carico"), false},
                               {QStringLiteral("Storico"), false},
                               {QStringLiteral("Data"), QDate(2026, 3, 2)},
                               {QStringLiteral("Cliente_ID"), s.customer},
                               {QStringLiteral("ModPagamento_Id"), s.terms},
                               {QStringLiteral("Banca_ID"), s.bank},
                               {QStringLiteral("TotImponibile"), 4435.90},
                               {QStringLiteral("TotImposta"), 759.90},
                               {QStringLiteral("RitenutaAcconto"), 0.0},
                               {QStringLiteral("ImportoMarcaBollo"), 2.0},
                               {QStringLiteral("MarcaBolloVirtuale"), true},
                               {QStringLiteral("TotFattura"), 5197.80}};
    db::Values invoice = header;
    invoice.append({QStringLiteral("FattNota"), false});
    invoice.append({QStringLiteral("Num"), 12});
    invoice.append({QStringLiteral("Note"), QStringLiteral("Grazie per la fiducia accordataci.")});
    s.invoice = db.insert(QStringLiteral("fattura"), invoice);
    threeRows(db, QStringLiteral("fattdett"), QStringLiteral("NumFatt"), s.invoice);
    for (int n = 1; n <= 2; ++n)
        db.insert(QStringLiteral("FatturaScadenze"),
                  {{QStringLiteral("Fattura_ID"), s.invoice},
                   {QStringLiteral("Numero"), n},
                   {QStringLiteral("DataScadenza"), QDate(2026, 3 + n, 1)},
                   {QStringLiteral("Importo"), 2598.90},
                   {QStringLiteral("Tipo"), QStringLiteral("F")},
                   {QStringLiteral("ModPagamento_Id"), s.terms},
                   {QStringLiteral("Banca_ID"), s.bank},
                   {QStringLiteral("Cliente_id"), s.customer}});

    db::Values credit = header;
    credit.append({QStringLiteral("FattNota"), true});
    credit.append({QStringLiteral("Num"), 3});
    credit.append({QStringLiteral("NCFattIDRif"), s.invoice});
    credit.append({QStringLiteral("NCFattNumRif"), 12});
    credit.append({QStringLiteral("NCFattDataRif"), QDate(2026, 3, 2)});
    s.creditNote = db.insert(QStringLiteral("fattura"), credit);
    threeRows(db, QStringLiteral("NotaCreditoRighe"), QStringLiteral("NotaCredito_ID"),
              s.creditNote);

    s.quote =
        db.insert(QStringLiteral("PreventiTestata"), {{QStringLiteral("Numero"), 7},
                                                      {QStringLiteral("Data"), QDate(2026, 2, 20)},
                                                      {QStringLiteral("Cliente_ID"), s.customer},
                                                      {QStringLiteral("TotImponibile"), 4435.90},
                                                      {QStringLiteral("TotImposta"), 759.90},
                                                      {QStringLiteral("RitenutaAcconto"), 0.0},
                                                      {QStringLiteral("ImportoMarcaBollo"), 0.0},
                                                      {QStringLiteral("TotalePreventivo"), 5195.80},
                                                      {QStringLiteral("Fatturato"), true},
                                                      {QStringLiteral("Storico"), false}});
    threeRows(db, QStringLiteral("PreventiRighe"), QStringLiteral("Prev_ID"), s.quote);

    s.receipt = db.insert(QStringLiteral("TotaliCo"), {{QStringLiteral("Numero"), 41},
                                                       {QStringLiteral("Data"), QDate(2026, 3, 5)},
                                                       {QStringLiteral("Cliente_Id"), s.customer},
                                                       {QStringLiteral("TotImponibile"), 4435.90},
                                                       {QStringLiteral("TotImposta"), 759.90},
                                                       {QStringLiteral("ImportoMarcaBollo"), 0.0},
                                                       {QStringLiteral("TotFattura"), 5195.80},
                                                       {QStringLiteral("Pagato"), true},
                                                       {QStringLiteral("Storico"), false}});
    threeRows(db, QStringLiteral("Conti"), QStringLiteral("Testata_ID"), s.receipt);

    const qint64 carrier =
        db.insert(QStringLiteral("Vettore"),
                  {{QStringLiteral("Descrizione"), QStringLiteral("Trasporti Neri")}});
    s.ddt = db.insert(QStringLiteral("Ddt"),
                      {{QStringLiteral("Numero"), 9},
                       {QStringLiteral("SerieFatturazione"), QStringLiteral("B")},
                       {QStringLiteral("Data"), QDate(2026, 3, 6)},
                       {QStringLiteral("Cliente_ID"), s.customer},
                       {QStringLiteral("Vettore_ID"), carrier},
                       {QStringLiteral("DestinazioneMerce"), QStringLiteral("Cimitero di Lecco")},
                       {QStringLiteral("Natura"), QStringLiteral("Arredi funebri")},
                       {QStringLiteral("Qualita"), QStringLiteral("Legno")},
                       {QStringLiteral("Quantita"), QStringLiteral("3 PZ")},
                       {QStringLiteral("Ora"), QDateTime(QDate(2026, 3, 6), QTime(9, 30))},
                       {QStringLiteral("TotImponibile"), 4435.90},
                       {QStringLiteral("TotImposta"), 759.90},
                       {QStringLiteral("ImportoMarcaBollo"), 0.0},
                       {QStringLiteral("TotDDT"), 5195.80},
                       {QStringLiteral("Fatturato"), false},
                       {QStringLiteral("Storico"), false}});
    threeRows(db, QStringLiteral("DDTRighe"), QStringLiteral("DDT_ID"), s.ddt);
    s.order = db.insert(QStringLiteral("OrdiniClientiTestata"),
                        {{QStringLiteral("Numero"), QStringLiteral("PO-2026/15")},
                         {QStringLiteral("NumeroInterno"), 4},
                         {QStringLiteral("Data"), QDate(2026, 3, 7)},
                         {QStringLiteral("Cliente_ID"), s.customer},
                         {QStringLiteral("CodiceCig"), QStringLiteral("Z1234567AB")},
                         {QStringLiteral("CodiceCup"), QStringLiteral("J11B22000000001")},
                         {QStringLiteral("TotImponibile"), 4435.90},
                         {QStringLiteral("TotImposta"), 759.90},
                         {QStringLiteral("ImportoMarcaBollo"), 0.0},
                         {QStringLiteral("TotaleOrdine"), 5195.80},
                         {QStringLiteral("Fatturato"), false},
                         {QStringLiteral("Storico"), false}});
    threeRows(db, QStringLiteral("OrdiniClientiRighe"), QStringLiteral("Ordine_ID"), s.order);

    const qint64 area = db.insert(QStringLiteral("AreeCimitero"),
                                  {{QStringLiteral("Descrizione"), QStringLiteral("Campo B")}});
    s.deceased =
        db.insert(QStringLiteral("Defunti"),
                  {{QStringLiteral("Cognome"), QStringLiteral("Neri")},
                   {QStringLiteral("Nome"), QStringLiteral("Giuseppe")},
                   {QStringLiteral("CodFiscale"), QStringLiteral("NREGPP30B12F205K")},
                   {QStringLiteral("Sesso"), QStringLiteral("M")},
                   {QStringLiteral("LuogoNascita"), QStringLiteral("Milano")},
                   {QStringLiteral("DataNascita"), QDate(1930, 2, 12)},
                   {QStringLiteral("LuogoMorte"), QStringLiteral("Monza")},
                   {QStringLiteral("DataMorte"), QDate(2026, 2, 18)},
                   {QStringLiteral("Area_Id"), area},
                   {QStringLiteral("Posizione"), QStringLiteral("Fila 3, posto 14")},
                   {QStringLiteral("NominativoDocumenti"), QStringLiteral("Neri Giuseppe")},
                   {QStringLiteral("NominativoVisualizzato"), QStringLiteral("Neri Giuseppe")}});

    s.staff = db.insert(QStringLiteral("Personale"),
                        {{QStringLiteral("Personale"), QStringLiteral("Verdi Marco")},
                         {QStringLiteral("Indirizzo"), QStringLiteral("Via Dante")},
                         {QStringLiteral("Numero"), QStringLiteral("3")},
                         {QStringLiteral("CodFisc"), QStringLiteral("VRDMRC80A01F205X")},
                         {QStringLiteral("IdPaese"), QStringLiteral("IT")},
                         {QStringLiteral("Annullato"), false},
                         {QStringLiteral("PrivacyFirmata"), false}});
    db.insert(QStringLiteral("PersonaleCosti"), {{QStringLiteral("Personale_ID"), s.staff},
                                                 {QStringLiteral("Data"), QDate(2026, 3, 2)},
                                                 {QStringLiteral("Importo"), 80.0}});
    db.insert(QStringLiteral("PersonaleScadenze"),
              {{QStringLiteral("Personale_ID"), s.staff},
               {QStringLiteral("Descrizione"), QStringLiteral("Patente C")},
               {QStringLiteral("DataScadenza"), QDate(2026, 9, 30)},
               {QStringLiteral("DataAvviso"), QDate(2026, 9, 1)},
               {QStringLiteral("Validato"), false}});
    db.insert(QStringLiteral("PersonaleStipendi"), {{QStringLiteral("Personale_ID"), s.staff},
                                                    {QStringLiteral("Anno"), 2026},
                                                    {QStringLiteral("Mese"), 3},
                                                    {QStringLiteral("Base"), 1500.0},
                                                    {QStringLiteral("ImportoBonifico"), 1450.0}});
    // A supplier invoice and a purchase order for the supplier reports.
    const qint64 purchase =
        db.insert(QStringLiteral("fattura"),
                  {{QStringLiteral("Carico"), true},
                   {QStringLiteral("FattNota"), false},
                   {QStringLiteral("Storico"), false},
                   {QStringLiteral("ProgressivoCarico"), 1},
                   {QStringLiteral("DataRegistrazione"), QDate(2025, 3, 4)},
                   {QStringLiteral("NumeroCarico"), QStringLiteral("FV/88")},
                   {QStringLiteral("Data"), QDate(2025, 3, 1)},
                   {QStringLiteral("Fornitore_ID"), s.supplier},
                   {QStringLiteral("Fornitore"), QStringLiteral("Falegnameria Verdi S.n.c.")},
                   {QStringLiteral("TotImponibile"), 500.0},
                   {QStringLiteral("TotImposta"), 110.0},
                   {QStringLiteral("TotFattura"), 610.0}});
    db.insert(QStringLiteral("Movimenti"),
              {{QStringLiteral("Fattura_ID"), purchase},
               {QStringLiteral("NumeroRiga"), 1},
               {QStringLiteral("Codice"), QStringLiteral("COF12")},
               {QStringLiteral("Descrizione"), QStringLiteral("Cofano in rovere")},
               {QStringLiteral("Reparto"), QStringLiteral("Cofani")},
               {QStringLiteral("Um"), 1.0},
               {QStringLiteral("ValoreUnitario"), 500.0},
               {QStringLiteral("AliquotaIva"), 22.0},
               {QStringLiteral("TotaleImponibile"), 500.0},
               {QStringLiteral("PrezzoCompleto"), 610.0},
               {QStringLiteral("Data"), QDate(2025, 3, 1)},
               {QStringLiteral("Scarico"), false}});
    db.insert(QStringLiteral("fattura"),
              {{QStringLiteral("Carico"), true},
               {QStringLiteral("FattNota"), true},
               {QStringLiteral("Storico"), false},
               {QStringLiteral("ProgressivoCarico"), 2},
               {QStringLiteral("DataRegistrazione"), QDate(2025, 3, 8)},
               {QStringLiteral("NumeroCarico"), QStringLiteral("NC/4")},
               {QStringLiteral("Data"), QDate(2025, 3, 7)},
               {QStringLiteral("Fornitore_ID"), s.supplier},
               {QStringLiteral("Fornitore"), QStringLiteral("Falegnameria Verdi S.n.c.")},
               {QStringLiteral("NCFattNumRifCarico"), QStringLiteral("FV/88")},
               {QStringLiteral("TotImponibile"), 100.0},
               {QStringLiteral("TotImposta"), 22.0},
               {QStringLiteral("TotFattura"), 122.0}});
    s.supplierOrder =
        db.insert(QStringLiteral("OrdiniTestata"),
                  {{QStringLiteral("Numero"), 3},
                   {QStringLiteral("Data"), QDate(2025, 3, 10)},
                   {QStringLiteral("Fornitore_ID"), s.supplier},
                   {QStringLiteral("Fornitore"), QStringLiteral("Falegnameria Verdi S.n.c.")},
                   {QStringLiteral("TotImponibile"), 500.0},
                   {QStringLiteral("TotImposta"), 110.0},
                   {QStringLiteral("TotaleOrdine"), 610.0},
                   {QStringLiteral("Storico"), false}});
    db.insert(QStringLiteral("OrdiniRighe"),
              {{QStringLiteral("Ordine_ID"), s.supplierOrder},
               {QStringLiteral("Codice"), QStringLiteral("COF12")},
               {QStringLiteral("Descrizione"), QStringLiteral("Cofano in rovere")},
               {QStringLiteral("Um"), 1.0},
               {QStringLiteral("ValoreUnitario"), 500.0},
               {QStringLiteral("Sconto"), 0.0},
               {QStringLiteral("AliquotaIva"), 22.0},
               {QStringLiteral("TotaleImponibile"), 500.0},
               {QStringLiteral("ValoreTotale"), 610.0}});
    db.insert(QStringLiteral("Calendario"),
              {{QStringLiteral("Data"), QDateTime(QDate(2026, 3, 5), QTime(10, 30))},
               {QStringLiteral("DataAvviso"), QDate(2026, 3, 4)},
               {QStringLiteral("TipologiaCalendario"), QStringLiteral("Funerale")},
               {QStringLiteral("Personale"), QStringLiteral("Verdi Anna")},
               {QStringLiteral("Cliente"), QStringLiteral("Bianchi Luigi")},
               {QStringLiteral("Note"), QStringLiteral("Chiesa di San Giorgio")},
               {QStringLiteral("Conclusa"), false},
               {QStringLiteral("Storico"), false}});
    db.insert(QStringLiteral("RegistroDocumenti"),
              {{QStringLiteral("DataOra"), QDateTime(QDate(2026, 3, 4), QTime(10, 15))},
               {QStringLiteral("NomeComputer"), QStringLiteral("CASSA")},
               {QStringLiteral("Utente"), QStringLiteral("anna")},
               {QStringLiteral("TipoDocumento"), QStringLiteral("Fattura")},
               {QStringLiteral("Numero"), QStringLiteral("7")},
               {QStringLiteral("DataDocumento"), QDate(2026, 3, 2)},
               {QStringLiteral("Intestatario"), QStringLiteral("Bianchi Luigi")},
               {QStringLiteral("Totale"), 134.2},
               {QStringLiteral("Evento"), QStringLiteral("Eliminato")}});
    addAccountingSamples(db, s);
    return s;
}

void Samples::addAccountingSamples(db::Database& db, Samples& s) {
    // A settled quarter and month with one row of each page, and a row of
    // each register in this workstation's work tables.
    for (bool quarterly : {true, false}) {
        const QString header = quarterly ? QStringLiteral("ContabilitaChiusuraIvaTrimestre")
                                         : QStringLiteral("ContabilitaChiusuraIvaMensile");
        const qint64 id = db.insert(
            header, {{QStringLiteral("Anno"), 2026},
                     {quarterly ? QStringLiteral("Trimestre") : QStringLiteral("Mese"), 1},
                     {quarterly ? QStringLiteral("CreditoResiduoTrimestrePassato")
                                : QStringLiteral("CreditoResiduoMesePassato"),
                      10.0},
                     {QStringLiteral("TotaleIvaDebito"), 22.0},
                     {QStringLiteral("TotaleIvaCredito"), 4.4},
                     {QStringLiteral("VenditaImponibile"), 100.0},
                     {QStringLiteral("VenditaImposta"), 22.0},
                     {QStringLiteral("AcquistiImponibile"), 20.0},
                     {QStringLiteral("AcquistiImposta"), 4.4}});
        (quarterly ? s.settlement : s.monthlySettlement) = id;
        db.insert(header + QStringLiteral("Righe"),
                  {{header + QStringLiteral("_ID"), id},
                   {QStringLiteral("Iva_ID"), 1},
                   {QStringLiteral("IvaDescrizione"), QStringLiteral("Iva 22%")},
                   {QStringLiteral("Carico"), false},
                   {QStringLiteral("Corrispettivi"), false},
                   {QStringLiteral("TotaleImponibile"), 100.0},
                   {QStringLiteral("TotaleIva"), 22.0}});
        db.insert(header + QStringLiteral("RigheNonSoggetta"),
                  {{header + QStringLiteral("_ID"), id},
                   {QStringLiteral("Iva_ID"), 6},
                   {QStringLiteral("IvaDescrizione"), QStringLiteral("Non soggetto")},
                   {QStringLiteral("Carico"), true},
                   {QStringLiteral("Corrispettivi"), false},
                   {QStringLiteral("TotaleImponibile"), 15.0}});
    }
    db.insert(QStringLiteral("finanzia"),
              {{QStringLiteral("Data"), QDate(2026, 3, 2)},
               {QStringLiteral("Operazione"), QStringLiteral("Incasso fattura 1")},
               {QStringLiteral("Entrata"), 122.0},
               {QStringLiteral("Uscita"), 0.0},
               {QStringLiteral("Tipologia_ID"), 2},
               {QStringLiteral("Banca_ID"), s.bank},
               {QStringLiteral("Cliente_id"), s.customer},
               {QStringLiteral("Tipo"), QStringLiteral("A")}});
    db.insert(QStringLiteral("finanzia"),
              {{QStringLiteral("Data"), QDate(2026, 3, 5)},
               {QStringLiteral("Operazione"), QStringLiteral("Pagamento legname")},
               {QStringLiteral("Entrata"), 0.0},
               {QStringLiteral("Uscita"), 50.0},
               {QStringLiteral("Tipologia_ID"), 1},
               {QStringLiteral("Fornitore_id"), s.supplier},
               {QStringLiteral("Tipo"), QStringLiteral("A")}});
    // Open instalments of both sides due ten days ago and today, for the
    // prints of overdue, near and this month's due dates.
    const QDate today = QDate::currentDate();
    for (const QString& type : {QStringLiteral("F"), QStringLiteral("C")})
        for (const QDate& due : {today.addDays(-10), today})
            db.insert(
                QStringLiteral("FatturaScadenze"),
                {{QStringLiteral("Numero"), 1},
                 {QStringLiteral("Tipo"), type},
                 {QStringLiteral("Operazione"), QStringLiteral("Rata aperta")},
                 {QStringLiteral("Importo"), 40.0},
                 {QStringLiteral("DataScadenza"), due},
                 {QStringLiteral("Pagato"), false},
                 {QStringLiteral("ModPagamento_Id"), s.terms},
                 {QStringLiteral("Cliente_id"), type == u"F" ? QVariant(s.customer) : QVariant()},
                 {QStringLiteral("Fornitore_id"),
                  type == u"C" ? QVariant(s.supplier) : QVariant()}});
    // A paid customer instalment and an open and a paid supplier one, of
    // no sample document.
    for (const auto& [type, paid] :
         {std::pair{QStringLiteral("F"), true}, std::pair{QStringLiteral("C"), false},
          std::pair{QStringLiteral("C"), true}})
        db.insert(
            QStringLiteral("FatturaScadenze"),
            {{QStringLiteral("Numero"), 9},
             {QStringLiteral("Tipo"), type},
             {QStringLiteral("Operazione"), QStringLiteral("Rata di prova")},
             {QStringLiteral("Importo"), 61.0},
             {QStringLiteral("DataScadenza"), QDate(2026, 4, 30)},
             {QStringLiteral("DataPagamento"), paid ? QVariant(QDate(2026, 4, 28)) : QVariant()},
             {QStringLiteral("Pagato"), paid},
             {QStringLiteral("Cliente_id"), type == u"F" ? QVariant(s.customer) : QVariant()},
             {QStringLiteral("Fornitore_id"), type == u"C" ? QVariant(s.supplier) : QVariant()}});
    const qint64 account =
        db.insert(QStringLiteral("ContabilitaConti"),
                  {{QStringLiteral("Descrizione"), QStringLiteral("Ricavi servizi")}});
    db.insert(QStringLiteral("TempBilancio"), {{QStringLiteral("NomeComputer"), db.workstation()},
                                               {QStringLiteral("ContabilitaConti_ID"), account},
                                               {QStringLiteral("TotaleImponibile"), 1234.5},
                                               {QStringLiteral("DescrizioneData"),
                                                QStringLiteral("Dal 01/01/2026 al 31/03/2026")}});
    db.insert(QStringLiteral("tempStoriaContabilitaRighe"),
              {{QStringLiteral("NomeComputer"), db.workstation()},
               {QStringLiteral("ContabilitaConti_ID"), account},
               {QStringLiteral("TipologiaOperazione"), QStringLiteral("Fatture di Vendita")},
               {QStringLiteral("Imponibile"), 1000.0},
               {QStringLiteral("ValoreTotale"), 1220.0},
               {QStringLiteral("DocumentoData"), QDate(2026, 3, 2)},
               {QStringLiteral("DocumentoNumero"), 1}});
    db.insert(
        QStringLiteral("TempContabilitaConto"),
        {{QStringLiteral("NomeComputer"), db.workstation()},
         {QStringLiteral("ContabilitaConti_ID"), account},
         {QStringLiteral("Tipologia"), 3},
         {QStringLiteral("DescrizioneTipologia"), QStringLiteral("Fatture di Vendita")},
         {QStringLiteral("Descrizione"), QStringLiteral("Servizio funebre")},
         {QStringLiteral("TotaleImponibile"), 1234.5},
         {QStringLiteral("NumeroDocumento"), QStringLiteral("1")},
         {QStringLiteral("DataDocumento"), QDate(2026, 3, 2)},
         {QStringLiteral("Data"), QDate(2026, 3, 2)},
         {QStringLiteral("DescrizioneData"), QStringLiteral("Dal 01/01/2026 al 31/03/2026")}});
    for (const QString& table : {QStringLiteral("TempContabilitaRegistroAcquisti"),
                                 QStringLiteral("TempContabilitaRegistroVendite")}) {
        db.insert(table, {{QStringLiteral("NomeComputer"), db.workstation()},
                          {QStringLiteral("TempTrimestreNumero"), 1},
                          {QStringLiteral("Fattura_ID"), s.invoice},
                          {QStringLiteral("Iva_ID"), 1},
                          {QStringLiteral("TotaleImponibile"), 100.0},
                          {QStringLiteral("TotaleImposta"), 22.0},
                          {QStringLiteral("Totale"), 122.0}});
        db.insert(table + QStringLiteral("Trimestre"),
                  {{QStringLiteral("NomeComputer"), db.workstation()},
                   {QStringLiteral("NumeroTrimestre"), 1},
                   {QStringLiteral("Descrizione"), QStringLiteral(" Primo Trimestre ")},
                   {QStringLiteral("TotaleImponibile"), 100.0},
                   {QStringLiteral("TotaleImposta"), 22.0},
                   {QStringLiteral("TotaleTrimestre"), 122.0}});
    }
}

void Samples::addInvoiceRows(db::Database& db, qint64 invoice, int count) {
    const int have =
        db.scalar(QStringLiteral("select count(*) from fattdett where NumFatt = ?"), {invoice})
            .toInt();
    for (int n = have + 1; n <= count; ++n)
        row(db, QStringLiteral("fattdett"), QStringLiteral("NumFatt"), invoice, n,
            QStringLiteral("ART%1").arg(n, 3, 10, QChar(u'0')),
            QStringLiteral("Articolo di prova numero %1").arg(n), 1, 10, 0, 1, 22);
}

QVariant Samples::recordFor(int code) const {
    switch (code) {
    case 4:
        return creditNote;
    case 5:
    case 6:
        return quote;
    case 7:
        return receipt;
    case 8:
        return invoice;
    case 88:
    case 89:
        return order;
    case 105:
        return ddt;
    case 44:
    case 45:
    case 46:
    case 47:
    case 48:
    case 49:
        return customer;
    case 50:
        return supplier;
    case 51:
        return staff;
    case 102:
        return deceased;
    case 106:
        return supplierOrder;
    case 58:
        return settlement;
    case 26:
        return monthlySettlement;
    default:
        return QVariant();
    }
}
