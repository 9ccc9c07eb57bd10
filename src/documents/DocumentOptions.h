#pragma once

#include "db/Database.h"

namespace documents {

// The company options that customer documents read (one opzioni row).
struct DocumentOptions {
    bool withholding = false;           // RitenutaAcconto
    bool stampDuty = false;             // MarcaDaBolloDocumenti
    double stampLimit = 0;              // LimiteMaxMarcaBollo
    double stampAmount = 0;             // ImportoMarcaBollo
    bool stampVirtual = false;          // MarcaBolloVirtuale
    bool multipleSeries = false;        // FatturazioneMultipla
    bool singleCreditNumbering = false; // NumerazioneUnicaNoteCredito
    bool cashBook = false;              // DuplicaFatturazioneInPrimaNota
    bool incrementRowNumber = false;    // IncrementaNumeroRigaArticoli
    qint64 defaultBank = 0;             // Bank_ID
    qint64 defaultTerms = 0;            // ModPagamento_Id
    qint64 defaultVatId = 0;            // Iva_Id
    double defaultVatRate = 0;          // AliquotaIva
    // Default ledger accounts of sales invoices and sales credit notes.
    qint64 invoiceGoodsAccount = 0;
    qint64 invoiceTransportAccount = 0;
    qint64 invoiceCollectionAccount = 0;
    qint64 creditGoodsAccount = 0;
    qint64 creditTransportAccount = 0;
    qint64 creditCollectionAccount = 0;
    // Cost rows of delivery notes and receipts.
    bool transportAsPercent = false; // SpeseTrasporto_Percentuale
    double transportPercent = 0;     // SpeseTrasporto_Percentuale_Valore
    double transportAmount = 0;      // Spese_di_Trasporto
    double collectionAmount = 0;     // Spese_di_Incasso

    static DocumentOptions load(db::Database& db);
};

} // namespace documents
