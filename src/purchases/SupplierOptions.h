#pragma once

#include "db/Database.h"

namespace purchases {

// The company options that supplier documents read (one opzioni row).
struct SupplierOptions {
    bool singleCreditNumbering = false; // NumerazioneUnicaNoteCredito
    bool cashBook = false;              // DuplicaFatturazioneInPrimaNota
    bool updatePrices = false;          // AggiornaPrezzi_FatturaAcquisto
    bool updateInsertDate = false;      // AggiornaDataInserimento_DocumentiAcquisto
    bool filterBySupplier = false;      // CaricoFiltraFornitore
    bool orderPrices = false;           // PrezzoOrdini
    bool updateFromXml = false;         // AggiornaAutomaticamenteInformazioniDaXml
    qint64 defaultBank = 0;             // Bank_ID
    qint64 defaultTerms = 0;            // Carico_ModPagamento_Id
    qint64 defaultVatId = 0;            // Iva_Id
    double defaultVatRate = 0;          // AliquotaIva
    qint64 invoiceGoodsAccount = 0;     // conto_ID_Predefinito_su_FattureAcquisto_Merce
    qint64 creditGoodsAccount = 0;      // ..._NoteCreditoAcquisto_Merce
    qint64 creditTransportAccount = 0;  // ..._NoteCreditoAcquisto_SpeseTrasporto
    qint64 creditCollectionAccount = 0; // ..._NoteCreditoAcquisto_SpeseIncasso

    static SupplierOptions load(db::Database& db);
};

} // namespace purchases
