-- Electronic invoicing: FatturaPA code tables, public-office directory,
-- exchange-system rejection errors and the staging tables of the
-- supplier-invoice import.

-- ---------------------------------------------------------------------
-- FatturaPA 1.2 code tables.
-- Each holds the codes published with the standard (key Codice, label
-- Descrizione). They ship with the archive and no screen edits them.
-- Drop-down lists are keyed by Codice and ordered by Descrizione.
-- ---------------------------------------------------------------------

-- Values of IscrizioneREA/SocioUnico (ditta.Iscrizione_REA_SocioUnico).
CREATE TABLE PA_IscrizRea_SocioUnico (
  ID COUNTER PRIMARY KEY,
  Codice TEXT(10),
  Descrizione TEXT(255)
);

-- Values of IscrizioneREA/StatoLiquidazione (ditta.Iscrizione_REA_StatoLiquidazione).
CREATE TABLE PA_IscrizRea_StatoLiquidazione (
  ID COUNTER PRIMARY KEY,
  Codice TEXT(10),
  Descrizione TEXT(255)
);

-- Payment methods MP01... (ModPagamento.PA_ModalitaPagamento_Codice).
CREATE TABLE PA_ModalitaPagamento (
  ID COUNTER PRIMARY KEY,
  Codice TEXT(10),
  Descrizione TEXT(255)
);

-- VAT exemption natures N1... (Iva.Pa_Natura_Codice).
CREATE TABLE PA_Natura (
  ID COUNTER PRIMARY KEY,
  Codice TEXT(10),
  Descrizione TEXT(255)
);

-- Tax regimes RF01... (ditta.RegimeFiscale).
CREATE TABLE PA_RegimeFiscale (
  ID COUNTER PRIMARY KEY,
  Codice TEXT(10),
  Descrizione TEXT(255)
);

-- ---------------------------------------------------------------------
-- Reference data shipped with the archive (read only).
-- ---------------------------------------------------------------------

-- Directory of public-administration offices, used to fill the card of
-- a public customer (office invoicing code, address, tax code).
CREATE TABLE PA_Amministrazioni_FatturaElettronica (
  ID COUNTER PRIMARY KEY,
  DescrizionePA TEXT(255),
  DescrizioneUfficio TEXT(255),
  codice_Amministrazione TEXT(50),
  cod_ou TEXT(50),
  codice_univoco TEXT(10),
  indirizzo TEXT(255),
  cap TEXT(10),
  cf TEXT(20),
  tipologia_istat TEXT(255),
  Comune_Id LONG
);

-- Rejection errors of the exchange system, with what to correct.
CREATE TABLE PA_Errori (
  ID COUNTER PRIMARY KEY,
  Codice TEXT(20),
  Titolo TEXT(255),
  Descrizione MEMO,
  Suggerimenti MEMO
);

-- ---------------------------------------------------------------------
-- Staging tables of the supplier-invoice import. Emptied at the start
-- of every document body of the file being imported.
-- ---------------------------------------------------------------------

-- One row per DettaglioLinee of the document.
CREATE TABLE TempXml_FatturaRighe (
  Id COUNTER PRIMARY KEY,
  NomeComputer TEXT(15),
  Fornitore_ID LONG,
  Valido YESNO,
  NumeroRiga LONG,
  Descrizione TEXT(255),
  Quantita DOUBLE,
  UnitaMisura TEXT(20),
  PrezzoUnitario DOUBLE,
  Sconto_1 DOUBLE,
  Sconto_2 DOUBLE,
  Sconto_3 DOUBLE,
  Sconto_4 DOUBLE,
  AggiornaQuantita YESNO,
  TotaleImponibile DOUBLE,
  AliquotaIVA DOUBLE,
  AliquotaIVA_ID LONG,
  RitenutaAcconto YESNO,
  NaturaEsclusioneIva TEXT(10),
  RiferimentoAmministrazione TEXT(50),
  AltriDatiGestionali MEMO,
  Prezziar_Id LONG,
  CodiceValore TEXT(50)
);

-- One row per DatiFattureCollegate of a credit note, linked afterwards
-- to the supplier invoice already registered (FattRif_Id, FattRif_Num).
CREATE TABLE TempXml_NotaCredito (
  ID COUNTER PRIMARY KEY,
  NomeComputer TEXT(15),
  Fornitore_ID LONG,
  Valido YESNO,
  Numero TEXT(20),
  NumeroRiga LONG,
  Data DATETIME,
  FattRif_Id LONG,
  FattRif_Num LONG
);

-- One row per DettaglioPagamento of the document.
CREATE TABLE TempXml_Pagamenti (
  Id COUNTER PRIMARY KEY,
  NomeComputer TEXT(15),
  Fattura_Id LONG,
  Fornitore_ID LONG,
  Valido YESNO,
  CondizioniPagamento TEXT(10),
  Beneficiario TEXT(255),
  ModalitaPagamento TEXT(10),
  ModPagamento_ID LONG,
  DescrizioneModPagamento TEXT(255),
  DataRiferimentoTerminiPagamento DATETIME,
  GiorniTerminiPagamento LONG,
  DataScadenzaPagamento DATETIME,
  ImportoPagamento DOUBLE,
  IstitutoFinanziario TEXT(255),
  IBAN TEXT(50),
  CodicePagamento TEXT(100)
);

CREATE UNIQUE INDEX ux_PA_IscrizRea_SocioUnico_Codice ON PA_IscrizRea_SocioUnico (Codice);
CREATE UNIQUE INDEX ux_PA_IscrizRea_StatoLiquidazione_Codice ON PA_IscrizRea_StatoLiquidazione (Codice);
CREATE UNIQUE INDEX ux_PA_ModalitaPagamento_Codice ON PA_ModalitaPagamento (Codice);
CREATE UNIQUE INDEX ux_PA_Natura_Codice ON PA_Natura (Codice);
CREATE UNIQUE INDEX ux_PA_RegimeFiscale_Codice ON PA_RegimeFiscale (Codice);

CREATE INDEX ix_PA_Amministrazioni_FatturaElettronica_Comune_Id ON PA_Amministrazioni_FatturaElettronica (Comune_Id);
CREATE INDEX ix_PA_Amministrazioni_FatturaElettronica_codice_univoco ON PA_Amministrazioni_FatturaElettronica (codice_univoco);
CREATE INDEX ix_PA_Amministrazioni_FatturaElettronica_DescrizionePA ON PA_Amministrazioni_FatturaElettronica (DescrizionePA);

CREATE INDEX ix_PA_Errori_Codice ON PA_Errori (Codice);

CREATE INDEX ix_TempXml_FatturaRighe_NomeComputer ON TempXml_FatturaRighe (NomeComputer);
CREATE INDEX ix_TempXml_FatturaRighe_AliquotaIVA_ID ON TempXml_FatturaRighe (AliquotaIVA_ID);
CREATE INDEX ix_TempXml_NotaCredito_NomeComputer ON TempXml_NotaCredito (NomeComputer);
CREATE INDEX ix_TempXml_NotaCredito_Fornitore_ID_Data_Numero ON TempXml_NotaCredito (Fornitore_ID, Data, Numero);
CREATE INDEX ix_TempXml_Pagamenti_NomeComputer ON TempXml_Pagamenti (NomeComputer);
CREATE INDEX ix_TempXml_Pagamenti_ModPagamento_ID ON TempXml_Pagamenti (ModPagamento_ID);

-- Further FatturaPA code lists, offered in the drop-downs of the documents.
CREATE TABLE PA_TipoDocumento (
  ID COUNTER PRIMARY KEY,
  Codice TEXT(10),
  Descrizione TEXT(255)
);
CREATE UNIQUE INDEX ux_PA_TipoDocumento_Codice ON PA_TipoDocumento (Codice);
CREATE TABLE PA_CondizioniPagamento (
  ID COUNTER PRIMARY KEY,
  Codice TEXT(10),
  Descrizione TEXT(255)
);
CREATE UNIQUE INDEX ux_PA_CondizioniPagamento_Codice ON PA_CondizioniPagamento (Codice);
CREATE TABLE PA_CausalePagamento (
  ID COUNTER PRIMARY KEY,
  Codice TEXT(10),
  Descrizione TEXT(255)
);
CREATE UNIQUE INDEX ux_PA_CausalePagamento_Codice ON PA_CausalePagamento (Codice);
CREATE TABLE PA_EsigibilitaIVA (
  ID COUNTER PRIMARY KEY,
  Codice TEXT(10),
  Descrizione TEXT(255)
);
CREATE UNIQUE INDEX ux_PA_EsigibilitaIVA_Codice ON PA_EsigibilitaIVA (Codice);
CREATE TABLE PA_TipoCassa (
  ID COUNTER PRIMARY KEY,
  Codice TEXT(10),
  Descrizione TEXT(255)
);
CREATE UNIQUE INDEX ux_PA_TipoCassa_Codice ON PA_TipoCassa (Codice);
CREATE TABLE PA_TipoRitenuta (
  ID COUNTER PRIMARY KEY,
  Codice TEXT(10),
  Descrizione TEXT(255)
);
CREATE UNIQUE INDEX ux_PA_TipoRitenuta_Codice ON PA_TipoRitenuta (Codice);
CREATE TABLE PA_TipoCessionePrestazione (
  ID COUNTER PRIMARY KEY,
  Codice TEXT(10),
  Descrizione TEXT(255)
);
CREATE UNIQUE INDEX ux_PA_TipoCessionePrestazione_Codice ON PA_TipoCessionePrestazione (Codice);
CREATE TABLE PA_SoggettoEmittente (
  ID COUNTER PRIMARY KEY,
  Codice TEXT(10),
  Descrizione TEXT(255)
);
CREATE UNIQUE INDEX ux_PA_SoggettoEmittente_Codice ON PA_SoggettoEmittente (Codice);
CREATE TABLE PA_TipoScontoMaggiorazione (
  ID COUNTER PRIMARY KEY,
  Codice TEXT(10),
  Descrizione TEXT(255)
);
CREATE UNIQUE INDEX ux_PA_TipoScontoMaggiorazione_Codice ON PA_TipoScontoMaggiorazione (Codice);
CREATE TABLE PA_FormatoTrasmissione (
  ID COUNTER PRIMARY KEY,
  Codice TEXT(10),
  Descrizione TEXT(255)
);
CREATE UNIQUE INDEX ux_PA_FormatoTrasmissione_Codice ON PA_FormatoTrasmissione (Codice);
