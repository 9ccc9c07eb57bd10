-- Customer documents and the header table shared with the supplier side.
-- fattura holds invoices and credit notes of both sides:
--   Carico false / FattNota false  customer invoice (rows in fattdett)
--   Carico false / FattNota true   customer credit note (rows in NotaCreditoRighe)
--   Carico true  / FattNota false  supplier invoice (rows in Movimenti)
--   Carico true  / FattNota true   supplier credit note (rows in NotaCreditoCaricoRighe)
-- Storico marks documents moved to history. Row quantities live in Um.

-- ---------------------------------------------------------------------------
-- Invoices and credit notes
-- ---------------------------------------------------------------------------

CREATE TABLE fattura (
  Id COUNTER PRIMARY KEY,
  Carico YESNO,
  FattNota YESNO,
  Storico YESNO,
  Num LONG,
  SerieFatturazione TEXT(20),
  NonNumerare YESNO,
  Data DATETIME,
  Cliente_ID LONG,
  Cliente TEXT(255),
  ModPagamento_Id LONG,
  Banca_ID LONG,
  ScissionePagamenti YESNO,
  Depositata YESNO,
  TotImponibile DOUBLE,
  TotImposta DOUBLE,
  TotFattura DOUBLE,
  RitAccontoAziende YESNO,
  RitenutaAcconto DOUBLE,
  ImportoMarcaBollo DOUBLE,
  IdMarcaBollo TEXT(50),
  MarcaBolloVirtuale YESNO,
  ConaiAssolto YESNO,
  Causale MEMO,
  Note MEMO,
  Colli LONG,
  Porto_ID LONG,
  Aspetto_ID LONG,
  Personale_ID LONG,
  Vettore_ID LONG,
  datatrasporto DATETIME,
  DatiAnagraficiVettore YESNO,
  DatiTrasporto YESNO,
  EsportatoXml YESNO,
  DataEsportazioneXml DATETIME,
  DatiTrasmissione_NumeroInterno LONG,
  DatiTrasmissione_ProgressivoInvio LONG,
  DatiTrasmissione_FormatoTrasmissione TEXT(5),
  DatiGenerali_Divisa TEXT(3),
  Finanzia_id LONG,
  NCFattIDRif LONG,
  NCFattNumRif LONG,
  NCFatSerieRif TEXT(20),
  NCFattDataRif DATETIME,
  Fornitore_ID LONG,
  Fornitore TEXT(255),
  NumeroCarico TEXT(50),
  ProgressivoCarico LONG,
  DataRegistrazione DATETIME,
  NCFattNumRifCarico TEXT(50),
  Immagine TEXT(255),
  ImportatoXml YESNO
);

-- Invoice rows. Prev_ID, ContrattoRiga_ID and Scarico_ID point to the quote,
-- contract row (ContrattiRighe.IDX) or stock unload the row was taken from.
CREATE TABLE fattdett (
  IDX COUNTER PRIMARY KEY,
  NumFatt LONG,
  NumeroRiga LONG,
  TipoRiga TEXT(1),
  Articolo_ID LONG,
  Codice TEXT(50),
  Descrizione MEMO,
  Um DOUBLE,
  ValoreUnitario DOUBLE,
  Sconto DOUBLE,
  AliquotaIva DOUBLE,
  Iva_ID LONG,
  TotaleImponibile DOUBLE,
  ValoreTotale DOUBLE,
  Reparto TEXT(100),
  Note MEMO,
  Data DATETIME,
  Storico YESNO,
  DataInizioPeriodo DATETIME,
  DataFinePeriodo DATETIME,
  RiferimentoAmministrazione TEXT(255),
  ContabilitaConti_ID LONG,
  Conto_ID LONG,
  Prev_ID LONG,
  ContrattoRiga_ID LONG,
  Scarico_ID LONG,
  Scaffale TEXT(50)
);

-- Credit-note rows. Fattura_ID is the credited invoice when the rows were
-- imported from it.
CREATE TABLE NotaCreditoRighe (
  IDX COUNTER PRIMARY KEY,
  NotaCredito_ID LONG,
  Fattura_ID LONG,
  NumeroRiga LONG,
  TipoRiga TEXT(1),
  Articolo_ID LONG,
  Codice TEXT(50),
  Descrizione MEMO,
  Um DOUBLE,
  ValoreUnitario DOUBLE,
  Sconto DOUBLE,
  AliquotaIva DOUBLE,
  Iva_ID LONG,
  TotaleImponibile DOUBLE,
  ValoreTotale DOUBLE,
  Reparto TEXT(100),
  Note MEMO,
  Data DATETIME,
  Storico YESNO,
  DataInizioPeriodo DATETIME,
  DataFinePeriodo DATETIME,
  RiferimentoAmministrazione TEXT(255),
  ContabilitaConti_ID LONG
);

-- Instalments and payments of any fattura document. Tipo: F customer
-- invoice, N customer credit note, C supplier invoice, B supplier credit note.
CREATE TABLE FatturaScadenze (
  Id COUNTER PRIMARY KEY,
  Fattura_ID LONG,
  Numero LONG,
  DataScadenza DATETIME,
  Importo DOUBLE,
  Tipo TEXT(5),
  Operazione TEXT(200),
  Pagato YESNO,
  DataPagamento DATETIME,
  ModPagamento_Id LONG,
  Banca_ID LONG,
  Cliente_id LONG,
  Fornitore_id LONG,
  Finanzia_id LONG,
  Dettagli TEXT(255),
  Note MEMO,
  File TEXT(255),
  TemporaneaSelezionata YESNO
);

-- Attachments put into the electronic invoice.
CREATE TABLE Fattura_Allegati (
  id COUNTER PRIMARY KEY,
  Fattura_Id LONG,
  NomeAttachment TEXT(255),
  DescrizioneAttachment TEXT(255),
  AlgoritmoCompressione TEXT(10),
  FormatoAttachment TEXT(10),
  PercorsoCompleto TEXT(255)
);

-- ---------------------------------------------------------------------------
-- Payment terms and invoicing series
-- ---------------------------------------------------------------------------

-- GGnScadenza: days from the document date to the due date of instalment n.
CREATE TABLE ModPagamento (
  Id COUNTER PRIMARY KEY,
  Descrizione TEXT(255),
  NumeroScadenze LONG,
  GG1Scadenza LONG,
  GG2Scadenza LONG,
  GG3Scadenza LONG,
  GG4Scadenza LONG,
  GG5Scadenza LONG,
  GG6Scadenza LONG,
  GG7Scadenza LONG,
  GG8Scadenza LONG,
  GG9Scadenza LONG,
  GG10Scadenza LONG,
  GG11Scadenza LONG,
  GG12Scadenza LONG,
  FatturaFineMese YESNO,
  CalcolaScadenzeFineMeseInizio YESNO,
  AnnoCommerciale YESNO,
  FlagCassa YESNO,
  NonVisualizzareStampa YESNO,
  PA_ModalitaPagamento_Codice TEXT(10),
  ImportatoXml YESNO
);

CREATE TABLE SerieFatturazione (
  ID COUNTER PRIMARY KEY,
  Serie TEXT(20),
  Descrizione TEXT(255),
  Note MEMO
);

-- ---------------------------------------------------------------------------
-- Delivery notes
-- ---------------------------------------------------------------------------

CREATE TABLE Ddt (
  Id COUNTER PRIMARY KEY,
  Numero LONG,
  SerieFatturazione TEXT(20),
  Data DATETIME,
  Ora DATETIME,
  Cliente_ID LONG,
  Cliente TEXT(255),
  Personale_ID LONG,
  Vettore_ID LONG,
  DestinazioneMerce MEMO,
  Natura TEXT(255),
  Qualita TEXT(255),
  Quantita TEXT(50),
  Fatturato YESNO,
  TotImponibile DOUBLE,
  TotImposta DOUBLE,
  TotDDT DOUBLE,
  ImportoMarcaBollo DOUBLE,
  Note MEMO,
  Storico YESNO
);

CREATE TABLE DDTRighe (
  Id COUNTER PRIMARY KEY,
  DDT_ID LONG,
  NumeroRiga LONG,
  TipoRiga TEXT(1),
  Articolo_ID LONG,
  Codice TEXT(50),
  Descrizione MEMO,
  Um DOUBLE,
  ValoreUnitario DOUBLE,
  Sconto DOUBLE,
  AliquotaIva DOUBLE,
  Iva_ID LONG,
  TotaleImponibile DOUBLE,
  ValoreTotale DOUBLE,
  Reparto TEXT(100),
  Note MEMO,
  Data DATETIME,
  Storico YESNO,
  DataInizioPeriodo DATETIME,
  DataFinePeriodo DATETIME,
  RiferimentoAmministrazione TEXT(255),
  ContabilitaConti_ID LONG
);

-- ---------------------------------------------------------------------------
-- Quotes
-- ---------------------------------------------------------------------------

CREATE TABLE PreventiTestata (
  Id COUNTER PRIMARY KEY,
  Numero LONG,
  Data DATETIME,
  Cliente_ID LONG,
  Cliente TEXT(255),
  TotImponibile DOUBLE,
  TotImposta DOUBLE,
  TotalePreventivo DOUBLE,
  RitAccontoAziende YESNO,
  RitenutaAcconto DOUBLE,
  ImportoMarcaBollo DOUBLE,
  Fatturato YESNO,
  Note MEMO,
  Storico YESNO
);

CREATE TABLE PreventiRighe (
  Id COUNTER PRIMARY KEY,
  Prev_ID LONG,
  NumeroRiga LONG,
  TipoRiga TEXT(1),
  Articolo_ID LONG,
  Codice TEXT(50),
  Descrizione MEMO,
  Um DOUBLE,
  ValoreUnitario DOUBLE,
  Sconto DOUBLE,
  AliquotaIva DOUBLE,
  Iva_ID LONG,
  TotaleImponibile DOUBLE,
  ValoreTotale DOUBLE,
  Reparto TEXT(100),
  Note MEMO,
  Data DATETIME,
  Storico YESNO,
  DataInizioPeriodo DATETIME,
  DataFinePeriodo DATETIME,
  RiferimentoAmministrazione TEXT(255),
  ContabilitaConti_ID LONG,
  Scaffale TEXT(50)
);

-- ---------------------------------------------------------------------------
-- Customer orders
-- ---------------------------------------------------------------------------

-- Numero is the customer's own order number, NumeroInterno ours.
CREATE TABLE OrdiniClientiTestata (
  Id COUNTER PRIMARY KEY,
  Numero TEXT(50),
  NumeroInterno LONG,
  Data DATETIME,
  Cliente_ID LONG,
  Cliente TEXT(255),
  CodiceCig TEXT(50),
  CodiceCup TEXT(50),
  CodiceCommessaConvenzione TEXT(100),
  TotImponibile DOUBLE,
  TotImposta DOUBLE,
  TotaleOrdine DOUBLE,
  ImportoMarcaBollo DOUBLE,
  Fatturato YESNO,
  Note MEMO,
  Storico YESNO
);

CREATE TABLE OrdiniClientiRighe (
  Id COUNTER PRIMARY KEY,
  Ordine_ID LONG,
  NumeroRiga LONG,
  TipoRiga TEXT(1),
  Articolo_ID LONG,
  Codice TEXT(50),
  Descrizione MEMO,
  Um DOUBLE,
  ValoreUnitario DOUBLE,
  Sconto DOUBLE,
  AliquotaIva DOUBLE,
  Iva_ID LONG,
  TotaleImponibile DOUBLE,
  ValoreTotale DOUBLE,
  Reparto TEXT(100),
  Note MEMO,
  Data DATETIME,
  Storico YESNO,
  DataInizioPeriodo DATETIME,
  DataFinePeriodo DATETIME,
  RiferimentoAmministrazione TEXT(255),
  ContabilitaConti_ID LONG
);

-- ---------------------------------------------------------------------------
-- Receipts ("Buono"): header TotaliCo, rows Conti
-- ---------------------------------------------------------------------------

CREATE TABLE TotaliCo (
  Id COUNTER PRIMARY KEY,
  Numero LONG,
  Data DATETIME,
  Cliente_Id LONG,
  TotImponibile DOUBLE,
  TotImposta DOUBLE,
  TotFattura DOUBLE,
  ImportoMarcaBollo DOUBLE,
  Fatturato YESNO,
  Pagato YESNO,
  Note MEMO,
  Storico YESNO
);

CREATE TABLE Conti (
  IDX COUNTER PRIMARY KEY,
  Testata_ID LONG,
  NumeroRiga LONG,
  TipoRiga TEXT(1),
  Articolo_ID LONG,
  Codice TEXT(50),
  Descrizione MEMO,
  Um DOUBLE,
  ValoreUnitario DOUBLE,
  Sconto DOUBLE,
  AliquotaIva DOUBLE,
  Iva_ID LONG,
  TotaleImponibile DOUBLE,
  ValoreTotale DOUBLE,
  Reparto TEXT(100),
  Note MEMO,
  Data DATETIME,
  Storico YESNO,
  DataInizioPeriodo DATETIME,
  DataFinePeriodo DATETIME,
  RiferimentoAmministrazione TEXT(255),
  ContabilitaConti_ID LONG
);

-- ---------------------------------------------------------------------------
-- Links from an invoice to the documents it invoices
-- ---------------------------------------------------------------------------

-- Receipts (TotaliCo) invoiced by an invoice.
CREATE TABLE FatturaContiRighe (
  ID COUNTER PRIMARY KEY,
  Fattura_ID LONG,
  Conto_ID LONG
);

-- Contract rows imported into an invoice, with the contract's number and date.
CREATE TABLE FatturaContrattiRighe (
  Id COUNTER PRIMARY KEY,
  Fattura_ID LONG,
  Contratto_Id LONG,
  Riga_ID LONG,
  Numero LONG,
  Data DATETIME,
  NumeroRiga LONG,
  DataInizioPeriodo DATETIME,
  DataFinePeriodo DATETIME
);

-- Customer orders an invoice refers to.
CREATE TABLE FatturaOrdiniClientiRighe (
  ID COUNTER PRIMARY KEY,
  Fattura_ID LONG,
  Ordine_ID LONG
);

-- Quotes imported into an invoice, with the quote's number and date.
CREATE TABLE FatturaPreventiviRighe (
  Id COUNTER PRIMARY KEY,
  Fattura_ID LONG,
  Preventivo_Id LONG,
  Numero LONG,
  Data DATETIME
);

-- ---------------------------------------------------------------------------
-- Indexes
-- ---------------------------------------------------------------------------

CREATE INDEX ix_fattura_Carico_FattNota_Storico_Num ON fattura (Carico, FattNota, Storico, Num);
CREATE INDEX ix_fattura_Carico_FattNota_Storico_ProgressivoCarico ON fattura (Carico, FattNota, Storico, ProgressivoCarico);
CREATE INDEX ix_fattura_Data ON fattura (Data);
CREATE INDEX ix_fattura_DataRegistrazione ON fattura (DataRegistrazione);
CREATE INDEX ix_fattura_SerieFatturazione ON fattura (SerieFatturazione);
CREATE INDEX ix_fattura_DatiTrasmissione_NumeroInterno ON fattura (DatiTrasmissione_NumeroInterno);
CREATE INDEX ix_fattura_NumeroCarico_Data ON fattura (NumeroCarico, Data);
CREATE INDEX ix_fattura_Cliente_ID ON fattura (Cliente_ID);
CREATE INDEX ix_fattura_Fornitore_ID ON fattura (Fornitore_ID);
CREATE INDEX ix_fattura_ModPagamento_Id ON fattura (ModPagamento_Id);
CREATE INDEX ix_fattura_Banca_ID ON fattura (Banca_ID);
CREATE INDEX ix_fattura_Porto_ID ON fattura (Porto_ID);
CREATE INDEX ix_fattura_Aspetto_ID ON fattura (Aspetto_ID);
CREATE INDEX ix_fattura_Personale_ID ON fattura (Personale_ID);
CREATE INDEX ix_fattura_Vettore_ID ON fattura (Vettore_ID);
CREATE INDEX ix_fattura_Finanzia_id ON fattura (Finanzia_id);
CREATE INDEX ix_fattura_NCFattIDRif ON fattura (NCFattIDRif);

CREATE INDEX ix_fattdett_NumFatt_NumeroRiga ON fattdett (NumFatt, NumeroRiga);
CREATE INDEX ix_fattdett_Articolo_ID ON fattdett (Articolo_ID);
CREATE INDEX ix_fattdett_Iva_ID ON fattdett (Iva_ID);
CREATE INDEX ix_fattdett_ContabilitaConti_ID ON fattdett (ContabilitaConti_ID);
CREATE INDEX ix_fattdett_Conto_ID ON fattdett (Conto_ID);
CREATE INDEX ix_fattdett_Prev_ID ON fattdett (Prev_ID);
CREATE INDEX ix_fattdett_ContrattoRiga_ID ON fattdett (ContrattoRiga_ID);
CREATE INDEX ix_fattdett_Scarico_ID ON fattdett (Scarico_ID);

CREATE INDEX ix_NotaCreditoRighe_NotaCredito_ID_NumeroRiga ON NotaCreditoRighe (NotaCredito_ID, NumeroRiga);
CREATE INDEX ix_NotaCreditoRighe_Fattura_ID ON NotaCreditoRighe (Fattura_ID);
CREATE INDEX ix_NotaCreditoRighe_Articolo_ID ON NotaCreditoRighe (Articolo_ID);
CREATE INDEX ix_NotaCreditoRighe_Iva_ID ON NotaCreditoRighe (Iva_ID);
CREATE INDEX ix_NotaCreditoRighe_ContabilitaConti_ID ON NotaCreditoRighe (ContabilitaConti_ID);

CREATE INDEX ix_FatturaScadenze_Fattura_ID ON FatturaScadenze (Fattura_ID);
CREATE INDEX ix_FatturaScadenze_DataScadenza_Numero ON FatturaScadenze (DataScadenza, Numero);
CREATE INDEX ix_FatturaScadenze_DataPagamento ON FatturaScadenze (DataPagamento);
CREATE INDEX ix_FatturaScadenze_ModPagamento_Id ON FatturaScadenze (ModPagamento_Id);
CREATE INDEX ix_FatturaScadenze_Banca_ID ON FatturaScadenze (Banca_ID);
CREATE INDEX ix_FatturaScadenze_Cliente_id ON FatturaScadenze (Cliente_id);
CREATE INDEX ix_FatturaScadenze_Fornitore_id ON FatturaScadenze (Fornitore_id);
CREATE INDEX ix_FatturaScadenze_Finanzia_id ON FatturaScadenze (Finanzia_id);

CREATE INDEX ix_Fattura_Allegati_Fattura_Id_NomeAttachment ON Fattura_Allegati (Fattura_Id, NomeAttachment);

CREATE INDEX ix_ModPagamento_Descrizione ON ModPagamento (Descrizione);
CREATE INDEX ix_ModPagamento_PA_ModalitaPagamento_Codice ON ModPagamento (PA_ModalitaPagamento_Codice);

CREATE INDEX ix_SerieFatturazione_Serie ON SerieFatturazione (Serie);

CREATE INDEX ix_Ddt_Storico_Data_Numero ON Ddt (Storico, Data, Numero);
CREATE INDEX ix_Ddt_SerieFatturazione_Numero ON Ddt (SerieFatturazione, Numero);
CREATE INDEX ix_Ddt_Cliente_ID ON Ddt (Cliente_ID);
CREATE INDEX ix_Ddt_Personale_ID ON Ddt (Personale_ID);
CREATE INDEX ix_Ddt_Vettore_ID ON Ddt (Vettore_ID);

CREATE INDEX ix_DDTRighe_DDT_ID_NumeroRiga ON DDTRighe (DDT_ID, NumeroRiga);
CREATE INDEX ix_DDTRighe_Articolo_ID ON DDTRighe (Articolo_ID);
CREATE INDEX ix_DDTRighe_Iva_ID ON DDTRighe (Iva_ID);
CREATE INDEX ix_DDTRighe_ContabilitaConti_ID ON DDTRighe (ContabilitaConti_ID);

CREATE INDEX ix_PreventiTestata_Storico_Numero ON PreventiTestata (Storico, Numero);
CREATE INDEX ix_PreventiTestata_Data ON PreventiTestata (Data);
CREATE INDEX ix_PreventiTestata_Cliente_ID ON PreventiTestata (Cliente_ID);

CREATE INDEX ix_PreventiRighe_Prev_ID_NumeroRiga ON PreventiRighe (Prev_ID, NumeroRiga);
CREATE INDEX ix_PreventiRighe_Articolo_ID ON PreventiRighe (Articolo_ID);
CREATE INDEX ix_PreventiRighe_Iva_ID ON PreventiRighe (Iva_ID);
CREATE INDEX ix_PreventiRighe_ContabilitaConti_ID ON PreventiRighe (ContabilitaConti_ID);

CREATE INDEX ix_OrdiniClientiTestata_Storico_Data_Numero ON OrdiniClientiTestata (Storico, Data, Numero);
CREATE INDEX ix_OrdiniClientiTestata_NumeroInterno ON OrdiniClientiTestata (NumeroInterno);
CREATE INDEX ix_OrdiniClientiTestata_Cliente_ID ON OrdiniClientiTestata (Cliente_ID);

CREATE INDEX ix_OrdiniClientiRighe_Ordine_ID_NumeroRiga ON OrdiniClientiRighe (Ordine_ID, NumeroRiga);
CREATE INDEX ix_OrdiniClientiRighe_Articolo_ID ON OrdiniClientiRighe (Articolo_ID);
CREATE INDEX ix_OrdiniClientiRighe_Iva_ID ON OrdiniClientiRighe (Iva_ID);
CREATE INDEX ix_OrdiniClientiRighe_ContabilitaConti_ID ON OrdiniClientiRighe (ContabilitaConti_ID);

CREATE INDEX ix_TotaliCo_Storico_Numero ON TotaliCo (Storico, Numero);
CREATE INDEX ix_TotaliCo_Data ON TotaliCo (Data);
CREATE INDEX ix_TotaliCo_Cliente_Id ON TotaliCo (Cliente_Id);

CREATE INDEX ix_Conti_Testata_ID_NumeroRiga ON Conti (Testata_ID, NumeroRiga);
CREATE INDEX ix_Conti_Articolo_ID ON Conti (Articolo_ID);
CREATE INDEX ix_Conti_Iva_ID ON Conti (Iva_ID);
CREATE INDEX ix_Conti_ContabilitaConti_ID ON Conti (ContabilitaConti_ID);

CREATE INDEX ix_FatturaContiRighe_Fattura_ID ON FatturaContiRighe (Fattura_ID);
CREATE INDEX ix_FatturaContiRighe_Conto_ID ON FatturaContiRighe (Conto_ID);

CREATE INDEX ix_FatturaContrattiRighe_Fattura_ID_Data_NumeroRiga ON FatturaContrattiRighe (Fattura_ID, Data, NumeroRiga);
CREATE INDEX ix_FatturaContrattiRighe_Contratto_Id ON FatturaContrattiRighe (Contratto_Id);
CREATE INDEX ix_FatturaContrattiRighe_Riga_ID ON FatturaContrattiRighe (Riga_ID);

CREATE INDEX ix_FatturaOrdiniClientiRighe_Fattura_ID ON FatturaOrdiniClientiRighe (Fattura_ID);
CREATE INDEX ix_FatturaOrdiniClientiRighe_Ordine_ID ON FatturaOrdiniClientiRighe (Ordine_ID);

CREATE INDEX ix_FatturaPreventiviRighe_Fattura_ID_Data ON FatturaPreventiviRighe (Fattura_ID, Data);
CREATE INDEX ix_FatturaPreventiviRighe_Preventivo_Id ON FatturaPreventiviRighe (Preventivo_Id);
