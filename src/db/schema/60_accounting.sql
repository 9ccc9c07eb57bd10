-- Accounting and VAT: cash book, batch payment of instalments, periodic
-- VAT settlement, chart of accounts and the work tables of the accounting
-- prints.

-- Quarterly VAT settlement, one row per settled quarter.
CREATE TABLE ContabilitaChiusuraIvaTrimestre (
  Id COUNTER PRIMARY KEY,
  Anno LONG,
  Trimestre LONG,
  CreditoResiduoTrimestrePassato DOUBLE,
  TotaleIvaDebito DOUBLE,
  TotaleIvaCredito DOUBLE,
  AcquistiImponibile DOUBLE,
  AcquistiImposta DOUBLE,
  VenditaImponibile DOUBLE,
  VenditaImposta DOUBLE,
  CorrispettiviImponibile DOUBLE,
  CorrispettiviImposta DOUBLE,
  AcquistiImponibileNonSoggetta DOUBLE,
  VenditaImponibileNonSoggetta DOUBLE,
  CorrispettiviImponibileNonSoggetta DOUBLE
);

-- Taxable rows of a quarterly settlement, one per VAT code and kind
-- (Carico: purchases, Corrispettivi: takings, neither: sales).
CREATE TABLE ContabilitaChiusuraIvaTrimestreRighe (
  ID COUNTER PRIMARY KEY,
  ContabilitaChiusuraIvaTrimestre_ID LONG,
  Iva_ID LONG,
  IvaDescrizione TEXT(255),
  Carico YESNO,
  Corrispettivi YESNO,
  TotaleImponibile DOUBLE,
  TotaleIva DOUBLE
);

-- Rows outside the scope of VAT of a quarterly settlement.
CREATE TABLE ContabilitaChiusuraIvaTrimestreRigheNonSoggetta (
  ID COUNTER PRIMARY KEY,
  ContabilitaChiusuraIvaTrimestre_ID LONG,
  Iva_ID LONG,
  IvaDescrizione TEXT(255),
  Carico YESNO,
  Corrispettivi YESNO,
  TotaleImponibile DOUBLE
);

-- Monthly VAT settlement, one row per settled month (Mese 1-12).
CREATE TABLE ContabilitaChiusuraIvaMensile (
  Id COUNTER PRIMARY KEY,
  Anno LONG,
  Mese LONG,
  CreditoResiduoMesePassato DOUBLE,
  TotaleIvaDebito DOUBLE,
  TotaleIvaCredito DOUBLE,
  AcquistiImponibile DOUBLE,
  AcquistiImposta DOUBLE,
  VenditaImponibile DOUBLE,
  VenditaImposta DOUBLE,
  CorrispettiviImponibile DOUBLE,
  CorrispettiviImposta DOUBLE,
  AcquistiImponibileNonSoggetta DOUBLE,
  VenditaImponibileNonSoggetta DOUBLE,
  CorrispettiviImponibileNonSoggetta DOUBLE
);

CREATE TABLE ContabilitaChiusuraIvaMensileRighe (
  ID COUNTER PRIMARY KEY,
  ContabilitaChiusuraIvaMensile_ID LONG,
  Iva_ID LONG,
  IvaDescrizione TEXT(255),
  Carico YESNO,
  Corrispettivi YESNO,
  TotaleImponibile DOUBLE,
  TotaleIva DOUBLE
);

CREATE TABLE ContabilitaChiusuraIvaMensileRigheNonSoggetta (
  ID COUNTER PRIMARY KEY,
  ContabilitaChiusuraIvaMensile_ID LONG,
  Iva_ID LONG,
  IvaDescrizione TEXT(255),
  Carico YESNO,
  Corrispettivi YESNO,
  TotaleImponibile DOUBLE
);

-- Chart of accounts: classes, groupings, accounts.
CREATE TABLE ContabilitaClassi (
  Id COUNTER PRIMARY KEY,
  Descrizione TEXT(255)
);

CREATE TABLE ContabilitaConti (
  ID COUNTER PRIMARY KEY,
  Descrizione TEXT(255),
  Raggruppamento_ID LONG
);

CREATE TABLE ContabilitaRaggruppamenti (
  Id COUNTER PRIMARY KEY,
  Descrizione TEXT(255),
  Classe_ID LONG
);

-- Quarters of the year (Numero 1-4) for the settlement choice.
CREATE TABLE ContabilitaTrimestri (
  ID COUNTER PRIMARY KEY,
  Numero LONG,
  Descrizione TEXT(50)
);

-- Cash book movements. Tipo tells the origin: "A" typed by hand, "1".."4"
-- written by a document, otherwise the letter of the paid instalment.
CREATE TABLE finanzia (
  ID COUNTER PRIMARY KEY,
  Data DATETIME,
  Operazione TEXT(255),
  Entrata DOUBLE,
  Uscita DOUBLE,
  Note TEXT(255),
  Tipologia_ID LONG,
  Cliente_id LONG,
  Fornitore_id LONG,
  ModPagamento_Id LONG,
  Banca_ID LONG,
  Reparto TEXT(255),
  ContabilitaConti_ID LONG,
  Corrispettivi YESNO,
  Iva_Id LONG,
  AliquotaIva DOUBLE,
  Tipo TEXT(1),
  Fattura_ID LONG,
  FatturaScadenze_Id LONG,
  Storico YESNO
);

-- Balance per account of one workstation's print.
CREATE TABLE TempBilancio (
  ID COUNTER PRIMARY KEY,
  NomeComputer TEXT(15),
  ContabilitaConti_ID LONG,
  TotaleImponibile DOUBLE,
  DescrizioneData TEXT(100)
);

-- Movements of one account for the account situation print.
CREATE TABLE TempContabilitaConto (
  ID COUNTER PRIMARY KEY,
  NomeComputer TEXT(15),
  ContabilitaConti_ID LONG,
  Tipologia LONG,
  DescrizioneTipologia TEXT(100),
  Descrizione TEXT(255),
  TotaleImponibile DOUBLE,
  NumeroDocumento TEXT(50),
  DataDocumento DATETIME,
  ProgressivoCarico LONG,
  DataRegistrazione DATETIME,
  SerieFatturazione TEXT(50),
  Data DATETIME,
  DescrizioneData TEXT(100)
);

-- Purchase VAT register: one row per document, VAT code and account.
CREATE TABLE TempContabilitaRegistroAcquisti (
  ID COUNTER PRIMARY KEY,
  NomeComputer TEXT(15),
  TempTrimestreNumero LONG,
  ContabilitaConti_ID LONG,
  Fattura_ID LONG,
  Iva_ID LONG,
  TotaleImponibile DOUBLE,
  TotaleImposta DOUBLE,
  Totale DOUBLE
);

-- Purchase VAT register: totals per quarter.
CREATE TABLE TempContabilitaRegistroAcquistiTrimestre (
  ID COUNTER PRIMARY KEY,
  NomeComputer TEXT(15),
  NumeroTrimestre LONG,
  Data DATETIME,
  Descrizione TEXT(100),
  TotaleImponibile DOUBLE,
  TotaleImposta DOUBLE,
  TotaleTrimestre DOUBLE
);

-- Sales VAT register: one row per document, VAT code and account.
CREATE TABLE TempContabilitaRegistroVendite (
  ID COUNTER PRIMARY KEY,
  NomeComputer TEXT(15),
  TempTrimestreNumero LONG,
  ContabilitaConti_ID LONG,
  Fattura_ID LONG,
  Iva_ID LONG,
  TotaleImponibile DOUBLE,
  TotaleImposta DOUBLE,
  Totale DOUBLE
);

-- Sales VAT register: totals per quarter.
CREATE TABLE TempContabilitaRegistroVenditeTrimestre (
  ID COUNTER PRIMARY KEY,
  NomeComputer TEXT(15),
  NumeroTrimestre LONG,
  Data DATETIME,
  Descrizione TEXT(100),
  TotaleImponibile DOUBLE,
  TotaleImposta DOUBLE,
  TotaleTrimestre DOUBLE
);

-- Instalments chosen for a batch payment on a workstation.
CREATE TABLE TempFatturaScadenzeCumulativo (
  id COUNTER PRIMARY KEY,
  NomeComputer TEXT(15),
  Scadenza_Id LONG
);

-- Document rows of the accounts chosen for the accounting history print.
-- The start-up cleanup empties this table whole.
CREATE TABLE tempStoriaContabilitaRighe (
  ID COUNTER PRIMARY KEY,
  NomeComputer TEXT(15),
  ContabilitaConti_ID LONG,
  TipologiaOperazione TEXT(100),
  Imponibile DOUBLE,
  ValoreTotale DOUBLE,
  TipoRiga TEXT(1),
  DocumentoData DATETIME,
  DocumentoNumero LONG,
  DocumentoSerie TEXT(50),
  DocumentoDataRegistrazione DATETIME,
  DocumentoNumeroRegistrazione LONG
);

-- Accounts chosen for the accounting history print.
CREATE TABLE tempStoriaContabilitaTestata (
  id COUNTER PRIMARY KEY,
  ContabilitaConti_ID LONG,
  NomeComputer TEXT(15)
);

-- Kinds of cash book movement: 1 Cassa, 2 Banca, 3 Fuori Cassa.
CREATE TABLE TipologiaPrimaNota (
  Id COUNTER PRIMARY KEY,
  Descrizione TEXT(100)
);

CREATE INDEX ix_ContabilitaChiusuraIvaTrimestre_Anno_Trimestre ON ContabilitaChiusuraIvaTrimestre (Anno, Trimestre);
CREATE INDEX ix_ContabilitaChiusuraIvaTrimestreRighe_ContabilitaChiusuraIvaTrimestre_ID ON ContabilitaChiusuraIvaTrimestreRighe (ContabilitaChiusuraIvaTrimestre_ID);
CREATE INDEX ix_ContabilitaChiusuraIvaTrimestreRighe_Iva_ID ON ContabilitaChiusuraIvaTrimestreRighe (Iva_ID);
CREATE INDEX ix_ContabilitaChiusuraIvaTrimestreRigheNonSoggetta_ContabilitaChiusuraIvaTrimestre_ID ON ContabilitaChiusuraIvaTrimestreRigheNonSoggetta (ContabilitaChiusuraIvaTrimestre_ID);
CREATE INDEX ix_ContabilitaChiusuraIvaTrimestreRigheNonSoggetta_Iva_ID ON ContabilitaChiusuraIvaTrimestreRigheNonSoggetta (Iva_ID);

CREATE INDEX ix_ContabilitaChiusuraIvaMensile_Anno_Mese ON ContabilitaChiusuraIvaMensile (Anno, Mese);
CREATE INDEX ix_ContabilitaChiusuraIvaMensileRighe_ContabilitaChiusuraIvaMensile_ID ON ContabilitaChiusuraIvaMensileRighe (ContabilitaChiusuraIvaMensile_ID);
CREATE INDEX ix_ContabilitaChiusuraIvaMensileRighe_Iva_ID ON ContabilitaChiusuraIvaMensileRighe (Iva_ID);
CREATE INDEX ix_ContabilitaChiusuraIvaMensileRigheNonSoggetta_ContabilitaChiusuraIvaMensile_ID ON ContabilitaChiusuraIvaMensileRigheNonSoggetta (ContabilitaChiusuraIvaMensile_ID);
CREATE INDEX ix_ContabilitaChiusuraIvaMensileRigheNonSoggetta_Iva_ID ON ContabilitaChiusuraIvaMensileRigheNonSoggetta (Iva_ID);

CREATE INDEX ix_ContabilitaClassi_Descrizione ON ContabilitaClassi (Descrizione);
CREATE INDEX ix_ContabilitaConti_Raggruppamento_ID ON ContabilitaConti (Raggruppamento_ID);
CREATE INDEX ix_ContabilitaConti_Descrizione ON ContabilitaConti (Descrizione);
CREATE INDEX ix_ContabilitaRaggruppamenti_Classe_ID ON ContabilitaRaggruppamenti (Classe_ID);
CREATE INDEX ix_ContabilitaRaggruppamenti_Descrizione ON ContabilitaRaggruppamenti (Descrizione);
CREATE UNIQUE INDEX ux_ContabilitaTrimestri_Numero ON ContabilitaTrimestri (Numero);

CREATE INDEX ix_finanzia_Storico_Data ON finanzia (Storico, Data);
CREATE INDEX ix_finanzia_Data ON finanzia (Data);
CREATE INDEX ix_finanzia_Tipologia_ID ON finanzia (Tipologia_ID);
CREATE INDEX ix_finanzia_Cliente_id ON finanzia (Cliente_id);
CREATE INDEX ix_finanzia_Fornitore_id ON finanzia (Fornitore_id);
CREATE INDEX ix_finanzia_ModPagamento_Id ON finanzia (ModPagamento_Id);
CREATE INDEX ix_finanzia_Banca_ID ON finanzia (Banca_ID);
CREATE INDEX ix_finanzia_ContabilitaConti_ID ON finanzia (ContabilitaConti_ID);
CREATE INDEX ix_finanzia_Iva_Id ON finanzia (Iva_Id);
CREATE INDEX ix_finanzia_Fattura_ID ON finanzia (Fattura_ID);
CREATE INDEX ix_finanzia_FatturaScadenze_Id ON finanzia (FatturaScadenze_Id);

CREATE INDEX ix_TempBilancio_NomeComputer ON TempBilancio (NomeComputer);
CREATE INDEX ix_TempBilancio_ContabilitaConti_ID ON TempBilancio (ContabilitaConti_ID);

CREATE INDEX ix_TempContabilitaConto_NomeComputer ON TempContabilitaConto (NomeComputer);
CREATE INDEX ix_TempContabilitaConto_ContabilitaConti_ID ON TempContabilitaConto (ContabilitaConti_ID);

CREATE INDEX ix_TempContabilitaRegistroAcquisti_NomeComputer ON TempContabilitaRegistroAcquisti (NomeComputer);
CREATE INDEX ix_TempContabilitaRegistroAcquisti_Fattura_ID ON TempContabilitaRegistroAcquisti (Fattura_ID);
CREATE INDEX ix_TempContabilitaRegistroAcquisti_ContabilitaConti_ID ON TempContabilitaRegistroAcquisti (ContabilitaConti_ID);
CREATE INDEX ix_TempContabilitaRegistroAcquisti_Iva_ID ON TempContabilitaRegistroAcquisti (Iva_ID);
CREATE INDEX ix_TempContabilitaRegistroAcquistiTrimestre_NomeComputer ON TempContabilitaRegistroAcquistiTrimestre (NomeComputer);

CREATE INDEX ix_TempContabilitaRegistroVendite_NomeComputer ON TempContabilitaRegistroVendite (NomeComputer);
CREATE INDEX ix_TempContabilitaRegistroVendite_Fattura_ID ON TempContabilitaRegistroVendite (Fattura_ID);
CREATE INDEX ix_TempContabilitaRegistroVendite_ContabilitaConti_ID ON TempContabilitaRegistroVendite (ContabilitaConti_ID);
CREATE INDEX ix_TempContabilitaRegistroVendite_Iva_ID ON TempContabilitaRegistroVendite (Iva_ID);
CREATE INDEX ix_TempContabilitaRegistroVenditeTrimestre_NomeComputer ON TempContabilitaRegistroVenditeTrimestre (NomeComputer);

CREATE INDEX ix_TempFatturaScadenzeCumulativo_NomeComputer ON TempFatturaScadenzeCumulativo (NomeComputer);
CREATE INDEX ix_TempFatturaScadenzeCumulativo_Scadenza_Id ON TempFatturaScadenzeCumulativo (Scadenza_Id);

CREATE INDEX ix_tempStoriaContabilitaRighe_NomeComputer ON tempStoriaContabilitaRighe (NomeComputer);
CREATE INDEX ix_tempStoriaContabilitaRighe_ContabilitaConti_ID ON tempStoriaContabilitaRighe (ContabilitaConti_ID);
CREATE INDEX ix_tempStoriaContabilitaTestata_NomeComputer ON tempStoriaContabilitaTestata (NomeComputer);
CREATE INDEX ix_tempStoriaContabilitaTestata_ContabilitaConti_ID ON tempStoriaContabilitaTestata (ContabilitaConti_ID);
