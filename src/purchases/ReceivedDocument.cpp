#include "purchases/ReceivedDocument.h"

#include "common/Money.h"
#include "common/TextForms.h"
#include "db/DbError.h"
#include "einvoice/CodeTables.h"
#include "purchases/ReceivedStore.h"
#include "purchases/ReceivedSupplier.h"
#include "purchases/SupplierNumbering.h"
#include "purchases/SupplierOptions.h"
#include "purchases/SupplierSchedule.h"
#include "purchases/SupplierTables.h"
#include "purchases/SupplierTotals.h"

#include <QHash>

namespace purchases {

namespace {

QString rowsText(int n) {
    return n == 1 ? QStringLiteral("1 riga") : QString::number(n) + QStringLiteral(" righe");
}

QVariant keyOrNull(qint64 id) {
    return id > 0 ? QVariant(id) : QVariant();
}

// The payment terms that match the file's payments: same method code and
// number of instalments (0 for a payment at once); else the supplier's,
// else the default ones.
qint64 termsFor(db::Database& db, const ReceivedBody& body, qint64 supplierTerms,
                const SupplierOptions& o) {
    if (!body.payments.isEmpty()) {
        const ReceivedPayment& p = body.payments.first();
        const int count = p.conditions.compare(QLatin1String("TP01"), Qt::CaseInsensitive) == 0
                              ? int(body.payments.size())
                              : 0;
        const QVariant found = db.scalar(
            QStringLiteral("select top 1 Id from ModPagamento where PA_ModalitaPagamento_Codice = "
                           "? and NumeroScadenze = ? order by Id"),
            {p.method, count});
        if (!found.isNull())
            return found.toLongLong();
    }
    return supplierTerms > 0 ? supplierTerms : o.defaultTerms;
}

} // namespace

ReceivedDocument::Kind ReceivedDocument::kindOf(const QString& type) {
    static const QStringList invoices{"TD01", "TD17", "TD18", "TD19", "TD20",
                                      "TD21", "TD24", "TD25", "TD27"};
    if (invoices.contains(type))
        return Kind::Invoice;
    if (type == QLatin1String("TD04"))
        return Kind::CreditNote;
    return Kind::None;
}

qint64 ReceivedDocument::vatCode(db::Database& db, double rate, const QString& nature,
                                 bool create) {
    const QVariant found =
        rate != 0 ? db.scalar(QStringLiteral("select top 1 ID from Iva where Iva = ? order by ID"),
                              {rate})
                  : db.scalar(QStringLiteral("select top 1 ID from Iva where Iva = 0 and "
                                             "Pa_Natura_Codice = ? order by ID"),
                              {nature});
    if (!found.isNull() || !create)
        return found.toLongLong();
    QString description =
        rate != 0 ? QString::number(rate, 'g', 6).replace(u'.', u',') + QStringLiteral(" %")
                  : einvoice::codetables::natureLabel(nature);
    if (description.isEmpty())
        description = nature;
    return db.insert(QStringLiteral("Iva"),
                     {{QStringLiteral("Iva"), rate},
                      {QStringLiteral("Descrizione"), ReceivedSupplier::fit(description, 255)},
                      {QStringLiteral("Pa_Natura_Codice"), rate != 0 ? QVariant() : nature},
                      {QStringLiteral("NumeroRepartoFiscale"), 1},
                      {QStringLiteral("ImportatoXml"), true}});
}

ReceivedDocument::Result ReceivedDocument::import(db::Database& db, const ReceivedInvoice& invoice,
                                                  const ReceivedBody& body, const QDate& today,
                                                  const QByteArray& xml,
                                                  const QString& filesFolder) {
    Result result;
    const Kind kind = kindOf(body.type);
    const QString label = QStringLiteral("documento ") + body.number;
    if (kind == Kind::None) {
        result.text = label + QStringLiteral(": tipo documento ") +
                      (body.type.isEmpty() ? QStringLiteral("mancante") : body.type) +
                      QStringLiteral(" non gestito, saltato");
        return result;
    }
    if (body.number.isEmpty() || !body.date.isValid()) {
        result.text = label + QStringLiteral(": numero o data mancanti, saltato");
        return result;
    }
    const bool note = kind == Kind::CreditNote;
    const SupplierTables& t = SupplierTables::of(note);
    const SupplierOptions o = SupplierOptions::load(db);
    const QString number = ReceivedSupplier::fit(body.number, 50);

    db::Transaction tx(db);
    const ReceivedSupplier::Found supplier = ReceivedSupplier::apply(db, invoice.seller, o);
    const QVariant existing = db.scalar(
        QStringLiteral("select Id from fattura where Carico = true and Fornitore_ID = ? and "
                       "FattNota = ? and NumeroCarico = ? and Data = ?"),
        {supplier.id, note, number, body.date});
    qint64 id = existing.toLongLong();
    if (id <= 0) {
        db.lockScope(SupplierNumbering::lockName());
        db::Values h{
            {QStringLiteral("Carico"), true},
            {QStringLiteral("FattNota"), note},
            {QStringLiteral("Storico"), false},
            {QStringLiteral("Num"), 1},
            {QStringLiteral("ProgressivoCarico"), SupplierNumbering::nextNumber(db, t.kind, o)},
            {QStringLiteral("ImportatoXml"), true},
            {QStringLiteral("NumeroCarico"), number},
            {QStringLiteral("Data"), body.date},
            {QStringLiteral("DataRegistrazione"), today},
            {QStringLiteral("Fornitore_ID"), supplier.id},
            {QStringLiteral("Fornitore"), ReceivedSupplier::fit(supplier.name, 80)},
            {QStringLiteral("NonNumerare"), false},
            {QStringLiteral("EsportatoXml"), false},
            {QStringLiteral("DatiGenerali_Divisa"), QStringLiteral("EUR")},
            {QStringLiteral("RitAccontoAziende"), body.withholding > 0},
            {QStringLiteral("RitenutaAcconto"), body.withholding},
            {QStringLiteral("ImportoMarcaBollo"), body.stamp},
            {QStringLiteral("MarcaBolloVirtuale"), body.stampVirtual},
            {QStringLiteral("Banca_ID"), keyOrNull(o.defaultBank)},
            {QStringLiteral("ModPagamento_Id"), keyOrNull(termsFor(db, body, supplier.terms, o))}};
        if (note && !body.links.isEmpty()) {
            // Only an invoice already registered is referred to.
            const ReceivedLink& link = body.links.first();
            const QVariant credited = db.scalar(
                QStringLiteral("select Id from fattura where Carico = true and FattNota = false "
                               "and Fornitore_ID = ? and NumeroCarico = ? and Data = ?"),
                {supplier.id, link.number, link.date});
            if (!credited.isNull()) {
                h.append({QStringLiteral("NCFattIDRif"), credited.toLongLong()});
                h.append({QStringLiteral("NCFattNumRifCarico"), link.number});
                h.append({QStringLiteral("NCFattDataRif"), link.date});
            }
        }
        id = db.insert(QStringLiteral("fattura"), h);
        result.created = true;
    }

    const qint64 account = note ? o.creditGoodsAccount : o.invoiceGoodsAccount;
    const qint64 credited =
        db.scalar(QStringLiteral("select NCFattIDRif from fattura where Id = ?"), {id})
            .toLongLong();
    // VAT codes looked up once per rate and nature; the new rows go in
    // together.
    QHash<QString, qint64> vatCodes;
    QList<db::Values> rows;
    for (const ReceivedLine& line : body.lines) {
        // A document just created has no rows yet to compare with.
        const QVariant present =
            result.created
                ? QVariant()
                : db.scalar(QStringLiteral(
                                "select top 1 %1 from %2 where %3 = ? and ImportatoXml = true and "
                                "NumeroRiga = ?")
                                .arg(t.key, t.rows, t.parent),
                            {id, line.number});
        if (!present.isNull())
            continue;
        const QString vatKey = QString::number(line.vatRate) + u'|' + line.nature;
        if (!vatCodes.contains(vatKey))
            vatCodes.insert(vatKey, vatCode(db, line.vatRate, line.nature, o.updateFromXml));
        const qint64 vat = vatCodes.value(vatKey);
        const double gross = common::round2(line.total * (1 + line.vatRate / 100));
        db::Values r{{t.parent, id},
                     {QStringLiteral("NumeroRiga"), line.number},
                     {QStringLiteral("Data"), today},
                     {QStringLiteral("TipoRiga"), QStringLiteral("A")},
                     {QStringLiteral("Descrizione"), ReceivedSupplier::fit(line.description, 255)},
                     {QStringLiteral("Um"), line.quantity},
                     {QStringLiteral("ValoreUnitario"), line.unitPrice},
                     {QStringLiteral("Sconto"), line.discounts[0]},
                     {QStringLiteral("Sconto2"), line.discounts[1]},
                     {QStringLiteral("Sconto3"), line.discounts[2]},
                     {QStringLiteral("Sconto4"), line.discounts[3]},
                     {QStringLiteral("AliquotaIva"), line.vatRate},
                     {t.vatId, keyOrNull(vat)},
                     {QStringLiteral("TotaleImponibile"), line.total},
                     {QStringLiteral("PrezzoCompleto"), gross},
                     {QStringLiteral("ValoreTotale"), gross},
                     {QStringLiteral("ContabilitaConti_ID"), account},
                     {QStringLiteral("Storico"), false},
                     {QStringLiteral("Fatturato"), false},
                     {QStringLiteral("ImportatoXml"), true}};
        if (note)
            r.append({QStringLiteral("Fattura_ID"), keyOrNull(credited)});
        else {
            r.append({QStringLiteral("Scarico"), false});
            r.append({QStringLiteral("Omaggio"), false});
        }
        rows.append(r);
        ++result.rowsAdded;
    }
    db.insertMany(t.rows, rows);

    SupplierTotals::recompute(db, id);
    if (result.created) {
        if (body.payments.isEmpty()) {
            SupplierSchedule::rebuild(db, id, o, today);
        } else {
            const db::Row h =
                db.query(QStringLiteral("select * from fattura where Id = ?"), {id}).first();
            const QString refs = SupplierSchedule::references(number, body.date);
            int n = 0;
            QList<db::Values> instalments;
            for (const ReceivedPayment& p : body.payments) {
                ++n;
                instalments.append(
                    {{QStringLiteral("Fattura_ID"), id},
                     {QStringLiteral("Numero"), n},
                     {QStringLiteral("Tipo"), t.instalmentType},
                     {QStringLiteral("Pagato"), false},
                     {QStringLiteral("Operazione"),
                      SupplierSchedule::description(note, int(body.payments.size()), n, refs)},
                     {QStringLiteral("DataScadenza"), p.due.isValid() ? p.due : body.date},
                     {QStringLiteral("ModPagamento_Id"),
                      h.value(QStringLiteral("ModPagamento_Id"))},
                     {QStringLiteral("Banca_ID"), h.value(QStringLiteral("Banca_ID"))},
                     {QStringLiteral("Importo"), p.amount},
                     {QStringLiteral("Dettagli"), ReceivedSupplier::fit(p.code, 255)},
                     {QStringLiteral("Cliente_id"), 0},
                     {QStringLiteral("Fornitore_id"), supplier.id}});
            }
            db.insertMany(QStringLiteral("FatturaScadenze"), instalments);
            SupplierSchedule::writeCashBook(db, id, o);
        }
        if (!filesFolder.isEmpty() && !ReceivedStore::keep(db, id, filesFolder, xml, body))
            throw db::DbError(
                QStringLiteral("impossibile salvare il file ricevuto nella cartella ") +
                filesFolder);
    }
    tx.commit();

    const QString what = note ? QStringLiteral("nota di credito") : QStringLiteral("fattura");
    const QString ref = what + QStringLiteral(" n° ") + number + QStringLiteral(" del ") +
                        common::italianDate(body.date);
    if (result.created) {
        const qint64 progressive =
            db.scalar(QStringLiteral("select ProgressivoCarico from fattura where Id = ?"), {id})
                .toLongLong();
        result.text = QStringLiteral("importata come ") + ref + QStringLiteral(" (progressivo ") +
                      QString::number(progressive) +
                      QStringLiteral(", %1 righe)").arg(result.rowsAdded);
    } else if (result.rowsAdded > 0) {
        result.text = QString::number(result.rowsAdded) + QStringLiteral(" righe aggiunte alla ") +
                      ref + QStringLiteral(" già presente");
    } else {
        result.text = ref + QStringLiteral(" già importata, nulla da aggiungere");
    }
    return result;
}

} // namespace purchases
