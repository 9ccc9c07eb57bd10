#include "documents/DocumentOptions.h"

#include "registries/VatRate.h"

namespace documents {

DocumentOptions DocumentOptions::load(db::Database& db) {
    DocumentOptions o;
    const db::Result r = db.query(QStringLiteral("select * from opzioni"));
    if (r.empty())
        return o;
    const db::Row& row = r.first();
    o.withholding = row.boolean(QStringLiteral("RitenutaAcconto"));
    o.stampDuty = row.boolean(QStringLiteral("MarcaDaBolloDocumenti"));
    o.stampLimit = row.number(QStringLiteral("LimiteMaxMarcaBollo"));
    o.stampAmount = row.number(QStringLiteral("ImportoMarcaBollo"));
    o.stampVirtual = row.boolean(QStringLiteral("MarcaBolloVirtuale"));
    o.multipleSeries = row.boolean(QStringLiteral("FatturazioneMultipla"));
    o.singleCreditNumbering = row.boolean(QStringLiteral("NumerazioneUnicaNoteCredito"));
    o.cashBook = row.boolean(QStringLiteral("DuplicaFatturazioneInPrimaNota"));
    o.incrementRowNumber = row.boolean(QStringLiteral("IncrementaNumeroRigaArticoli"));
    o.defaultBank = row.integer(QStringLiteral("Bank_ID"));
    o.defaultTerms = row.integer(QStringLiteral("ModPagamento_Id"));
    o.defaultVatId = row.integer(QStringLiteral("Iva_Id"));
    o.defaultVatRate =
        registries::vatRateOf(db, o.defaultVatId, row.number(QStringLiteral("AliquotaIva")));
    o.invoiceGoodsAccount =
        row.integer(QStringLiteral("conto_ID_Predefinito_su_FattureVendita_Merce"));
    o.invoiceTransportAccount =
        row.integer(QStringLiteral("conto_ID_Predefinito_su_FattureVendita_SpeseTrasporto"));
    o.invoiceCollectionAccount =
        row.integer(QStringLiteral("conto_ID_Predefinito_su_FattureVendita_SpeseIncasso"));
    o.creditGoodsAccount =
        row.integer(QStringLiteral("conto_ID_Predefinito_su_NoteCreditoVendita_Merce"));
    o.creditTransportAccount =
        row.integer(QStringLiteral("conto_ID_Predefinito_su_NoteCreditoVendita_SpeseTrasporto"));
    o.creditCollectionAccount =
        row.integer(QStringLiteral("conto_ID_Predefinito_su_NoteCreditoVendita_SpeseIncasso"));
    o.transportAsPercent = row.boolean(QStringLiteral("SpeseTrasporto_Percentuale"));
    o.transportPercent = row.number(QStringLiteral("SpeseTrasporto_Percentuale_Valore"));
    o.transportAmount = row.number(QStringLiteral("Spese_di_Trasporto"));
    o.collectionAmount = row.number(QStringLiteral("Spese_di_Incasso"));
    return o;
}

} // namespace documents
