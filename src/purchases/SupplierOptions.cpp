#include "purchases/SupplierOptions.h"

#include "registries/VatRate.h"

namespace purchases {

SupplierOptions SupplierOptions::load(db::Database& db) {
    SupplierOptions o;
    const db::Result r = db.query(QStringLiteral("select * from opzioni"));
    if (r.empty())
        return o;
    const db::Row& row = r.first();
    o.singleCreditNumbering = row.boolean(QStringLiteral("NumerazioneUnicaNoteCredito"));
    o.cashBook = row.boolean(QStringLiteral("DuplicaFatturazioneInPrimaNota"));
    o.updatePrices = row.boolean(QStringLiteral("AggiornaPrezzi_FatturaAcquisto"));
    o.updateInsertDate = row.boolean(QStringLiteral("AggiornaDataInserimento_DocumentiAcquisto"));
    o.filterBySupplier = row.boolean(QStringLiteral("CaricoFiltraFornitore"));
    o.orderPrices = row.boolean(QStringLiteral("PrezzoOrdini"));
    o.updateFromXml = row.boolean(QStringLiteral("AggiornaAutomaticamenteInformazioniDaXml"));
    o.defaultBank = row.integer(QStringLiteral("Bank_ID"));
    o.defaultTerms = row.integer(QStringLiteral("Carico_ModPagamento_Id"));
    o.defaultVatId = row.integer(QStringLiteral("Iva_Id"));
    o.defaultVatRate =
        registries::vatRateOf(db, o.defaultVatId, row.number(QStringLiteral("AliquotaIva")));
    o.invoiceGoodsAccount =
        row.integer(QStringLiteral("conto_ID_Predefinito_su_FattureAcquisto_Merce"));
    o.creditGoodsAccount =
        row.integer(QStringLiteral("conto_ID_Predefinito_su_NoteCreditoAcquisto_Merce"));
    o.creditTransportAccount =
        row.integer(QStringLiteral("conto_ID_Predefinito_su_NoteCreditoAcquisto_SpeseTrasporto"));
    o.creditCollectionAccount =
        row.integer(QStringLiteral("conto_ID_Predefinito_su_NoteCreditoAcquisto_SpeseIncasso"));
    return o;
}

} // namespace purchases
