-- Registry tables: master data referred to by documents, contracts and
-- accounts, the company row, the options row, grid layouts and the small
-- lookup tables read by single screens.
-- Text keys: town references hold Comuni.Comune, country references hold
-- Nazioni.SIGLA, province references hold Province.PROVINCIA.

-- ---------------------------------------------------------------------------
-- Customers and suppliers
-- ---------------------------------------------------------------------------

CREATE TABLE Clienti (
  ID COUNTER PRIMARY KEY,
  Codice TEXT(50),
  Cliente TEXT(255),
  Titolo TEXT(50),
  Cognome TEXT(100),
  Nome TEXT(100),
  NominativoDocumenti TEXT(255),
  NominativoVisualizzato TEXT(255),
  Via TEXT(255),
  Numero TEXT(20),
  Cap TEXT(10),
  Provincia TEXT(2),
  Citta TEXT(100),
  Comune_id LONG,
  Sede_Nazione TEXT(2),
  IdPaese TEXT(2),
  Iva TEXT(30),
  CodFiscale TEXT(30),
  CodEORI TEXT(30),
  Telefono TEXT(50),
  Telefono2 TEXT(50),
  Fax TEXT(50),
  Cellulare TEXT(50),
  EMail TEXT(255),
  Pec TEXT(255),
  Internet TEXT(255),
  Skype TEXT(100),
  Categoria_ID LONG,
  ColoreCategoria LONG,
  NumeroColore LONG,
  Pagamento_ID LONG,
  DescBanca TEXT(255),
  Iban TEXT(50),
  Sconto DOUBLE,
  SaldoInizioAnno DOUBLE,
  DestinazioneMerce MEMO,
  Note MEMO,
  LuogoNascita TEXT(100),
  DataNascita DATETIME,
  PubblicaAmministrazione YESNO,
  CodiceUnivocoUfficio TEXT(20),
  ScissionePagamenti YESNO,
  RappresentanteFiscale YESNO,
  RappresentanteFiscale_Nazione TEXT(2),
  RappresentanteFiscale_IdCodice TEXT(30),
  RappresentanteFiscale_Denominazione TEXT(255),
  RappresentanteFiscale_Cognome TEXT(100),
  RappresentanteFiscale_Nome TEXT(100),
  StabileOrganizzazione YESNO,
  StabileOrganizzazione_Indirizzo TEXT(255),
  StabileOrganizzazione_NumeroCivico TEXT(20),
  StabileOrganizzazione_CAP TEXT(10),
  StabileOrganizzazione_Comune TEXT(100),
  StabileOrganizzazione_Provincia TEXT(2),
  StabileOrganizzazione_Nazione TEXT(2),
  ContabilitaContoFattureVendita_ID LONG,
  ContabilitaContoNoteCreditoVendita_ID LONG,
  Annullato YESNO,
  PrivacyFirmata YESNO
);

CREATE TABLE ClientiCategoria (
  ID COUNTER PRIMARY KEY,
  Descrizione TEXT(255),
  ColoreCategoria LONG
);

CREATE TABLE Fornitor (
  ID COUNTER PRIMARY KEY,
  Codice TEXT(50),
  Fornitore TEXT(255),
  Titolo TEXT(50),
  Cognome TEXT(100),
  Nome TEXT(100),
  VIA TEXT(255),
  Numero TEXT(20),
  Cap TEXT(10),
  Provincia TEXT(2),
  Comune TEXT(100),
  Comune_id LONG,
  IdPaese TEXT(2),
  Iva TEXT(30),
  CodFiscale TEXT(30),
  CodEORI TEXT(30),
  Telefono TEXT(50),
  Telefono2 TEXT(50),
  Fax TEXT(50),
  Cellulare TEXT(50),
  Email TEXT(255),
  Pec TEXT(255),
  Internet TEXT(255),
  Skype TEXT(100),
  Categoria_ID LONG,
  Pagamento_ID LONG,
  DescBanca TEXT(255),
  Iban TEXT(50),
  SaldoInizioAnno DOUBLE,
  DestinazioneMerce MEMO,
  Note MEMO,
  ImportaArticoliFatture YESNO,
  Annullato YESNO,
  PrivacyFirmata YESNO,
  ImportatoXml YESNO
);

CREATE TABLE FornitorCategoria (
  ID COUNTER PRIMARY KEY,
  Descrizione TEXT(255)
);

-- ---------------------------------------------------------------------------
-- Articles and services, VAT codes, departments
-- ---------------------------------------------------------------------------

-- Fornitore_* columns hold the last purchase conditions of the article,
-- Giacenza the stock on hand and QuaMinima the reorder level.
CREATE TABLE prezziar (
  ID COUNTER PRIMARY KEY,
  Codice TEXT(50),
  Descrizione TEXT(255),
  Prezzo DOUBLE,
  PrezzoCompleto DOUBLE,
  PrezzoImposto YESNO,
  Sconto DOUBLE,
  Iva_Id LONG,
  AliquotaIva DOUBLE,
  Reparto TEXT(100),
  categoria_id LONG,
  ContabilitaContoFattureVendita_ID LONG,
  ContabilitaContoFattureAcquisto_ID LONG,
  ContabilitaContoNoteCreditoVendita_ID LONG,
  ContabilitaContoNoteCreditoAcquisto_ID LONG,
  Giacenza DOUBLE,
  QuaMinima DOUBLE,
  Fornitore_ID LONG,
  Fornitore_ValoreUnitario DOUBLE,
  Fornitore_Iva_id LONG,
  Fornitore_AliquotaIva DOUBLE,
  Fornitore_Sconto1 DOUBLE,
  Fornitore_Sconto2 DOUBLE,
  Fornitore_Sconto3 DOUBLE,
  Fornitore_Sconto4 DOUBLE,
  PrezzoFornitore DOUBLE,
  PercentualeRicarico DOUBLE,
  DataInserimento DATETIME,
  Note MEMO,
  Annullato YESNO
);

CREATE TABLE PrezziarCategorie (
  ID COUNTER PRIMARY KEY,
  Descrizione TEXT(255),
  Immagine TEXT(255),
  DaAggiornareWeb YESNO
);

CREATE TABLE Iva (
  ID COUNTER PRIMARY KEY,
  Descrizione TEXT(255),
  Iva DOUBLE,
  NumeroRepartoFiscale LONG,
  Pa_Natura_Codice TEXT(10),
  ImportatoXml YESNO
);

CREATE TABLE Reparti (
  ID COUNTER PRIMARY KEY,
  Descrizione TEXT(100),
  Numero LONG
);

-- ---------------------------------------------------------------------------
-- Banks
-- ---------------------------------------------------------------------------

CREATE TABLE Bank (
  ID COUNTER PRIMARY KEY,
  Banca TEXT(255),
  Via TEXT(255),
  Numero TEXT(20),
  Cap TEXT(10),
  Provincia TEXT(2),
  Comune TEXT(100),
  Telefono TEXT(50),
  Fax TEXT(50),
  Email TEXT(255),
  Iban TEXT(50),
  Beneficiario TEXT(255),
  SaldoInizioAnno DOUBLE,
  Annullato YESNO
);

-- ---------------------------------------------------------------------------
-- Geography
-- ---------------------------------------------------------------------------

CREATE TABLE Comuni (
  ID COUNTER PRIMARY KEY,
  Comune TEXT(100),
  Cap TEXT(10),
  COD_ISTAT TEXT(10),
  CODICE_F TEXT(10),
  PrefNaz TEXT(10),
  Provincia TEXT(2),
  Regione_ID LONG,
  Nazione_ID LONG,
  Capoluogo YESNO,
  Longitudine DOUBLE,
  Latitudine DOUBLE,
  ImportatoXml YESNO
);

CREATE TABLE Indirizzi (
  id_cap COUNTER PRIMARY KEY,
  Comune_ID LONG,
  Frazione TEXT(100),
  Indirizzo TEXT(255),
  NumeroCivico TEXT(50),
  Cap TEXT(10)
);

CREATE TABLE Nazioni (
  IDNazione COUNTER PRIMARY KEY,
  SIGLA TEXT(2),
  DENOMINAZ TEXT(100)
);

CREATE TABLE Province (
  ID COUNTER PRIMARY KEY,
  PROVINCIA TEXT(2),
  CAPOLUOGO TEXT(100)
);

CREATE TABLE regioni (
  IDRegione COUNTER PRIMARY KEY,
  Descrizione TEXT(100)
);

-- ---------------------------------------------------------------------------
-- Transport data of documents
-- ---------------------------------------------------------------------------

CREATE TABLE FatturaAspetto (
  ID COUNTER PRIMARY KEY,
  Descrizione TEXT(255)
);

CREATE TABLE FatturaPorto (
  ID COUNTER PRIMARY KEY,
  Descrizione TEXT(255),
  Codice TEXT(20)
);

CREATE TABLE Vettore (
  ID COUNTER PRIMARY KEY,
  Descrizione TEXT(255),
  VettoreVisibile YESNO
);

-- ---------------------------------------------------------------------------
-- Staff
-- ---------------------------------------------------------------------------

-- DocTipo holds the description of the identity-document type
-- (TipoDocumenti.Descrizione), not its key.
CREATE TABLE Personale (
  ID COUNTER PRIMARY KEY,
  Codice TEXT(50),
  Personale TEXT(255),
  Titolo TEXT(50),
  Cognome TEXT(100),
  Nome TEXT(100),
  Indirizzo TEXT(255),
  Numero TEXT(20),
  Cap TEXT(10),
  Comune_Id LONG,
  IdPaese TEXT(2),
  Tel TEXT(50),
  Telefono2 TEXT(50),
  Fax TEXT(50),
  Cell TEXT(50),
  Email TEXT(255),
  Skype TEXT(100),
  Iva TEXT(30),
  CodFisc TEXT(30),
  CodEORI TEXT(30),
  CategoriaPersonale_ID LONG,
  CartellaServer TEXT(255),
  PagaMensile DOUBLE,
  TariffaGiornaliera DOUBLE,
  TariffaOraria DOUBLE,
  Iban TEXT(50),
  DescBanca TEXT(255),
  DataAssunzione DATETIME,
  DataFineRapporto DATETIME,
  DataNascita DATETIME,
  LuogoNascita_id LONG,
  StatoNascita TEXT(2),
  Cittadinanza TEXT(2),
  DocTipo TEXT(100),
  Documento TEXT(50),
  CQC TEXT(50),
  Tachigrafo TEXT(50),
  NumeroLicenzaGuida TEXT(50),
  Passaporto_Numero TEXT(50),
  Passaporto_DataRilascio DATETIME,
  PermSogg_Numero TEXT(50),
  PermSogg_Data DATETIME,
  PermSogg_Scadenza DATETIME,
  PermSogg_Questura TEXT(100),
  Note MEMO,
  Annullato YESNO,
  PrivacyFirmata YESNO
);

CREATE TABLE TipoDocumenti (
  ID COUNTER PRIMARY KEY,
  Descrizione TEXT(100)
);

-- ---------------------------------------------------------------------------
-- Company data and options (one row each)
-- ---------------------------------------------------------------------------

-- CodEori is the company's EORI code as edited on the company screen,
-- CodOERI the one the electronic-invoice writer reads.
CREATE TABLE ditta (
  ID COUNTER PRIMARY KEY,
  RagSoc TEXT(255),
  Titolo TEXT(50),
  Cognome TEXT(100),
  Nome TEXT(100),
  Via TEXT(255),
  Numero TEXT(20),
  Cap TEXT(10),
  Provincia TEXT(2),
  Comune TEXT(100),
  IdPaese TEXT(2),
  PIva TEXT(30),
  CodFisc TEXT(30),
  CodEori TEXT(30),
  CodOERI TEXT(30),
  Tel TEXT(50),
  Fax TEXT(50),
  Cell TEXT(50),
  Email TEXT(255),
  Pec TEXT(255),
  Internet TEXT(255),
  Contatti YESNO,
  RegimeFiscale TEXT(10),
  RiferimentoAmministrazione TEXT(255),
  AlboProfessionale TEXT(100),
  ProvinciaAlbo TEXT(2),
  NumeroIscrizioneAlbo TEXT(60),
  DataIscrizioneAlbo DATETIME,
  Iscrizione_REA YESNO,
  Iscrizione_REA_Ufficio TEXT(2),
  Iscrizione_REA_NumeroREA TEXT(20),
  Iscrizione_REA_CapitaleSociale DOUBLE,
  Iscrizione_REA_SocioUnico TEXT(10),
  Iscrizione_REA_StatoLiquidazione TEXT(10),
  StabileOrganizzazione YESNO,
  StabileOrganizzazione_Indirizzo TEXT(255),
  StabileOrganizzazione_NumeroCivico TEXT(20),
  StabileOrganizzazione_CAP TEXT(10),
  StabileOrganizzazione_Comune TEXT(100),
  StabileOrganizzazione_Provincia TEXT(2),
  StabileOrganizzazione_Nazione TEXT(2),
  SoggettoEmittente TEXT(10),
  Trasmissione_CodFisc YESNO,
  CodiceSdi TEXT(10),
  FatturazioneMultipla YESNO,
  FatturaAnno YESNO,
  PrezziarCampoUnico TEXT(255),
  ResponsabileDati TEXT(255),
  AltriDati MEMO,
  Logo LONGBINARY,
  RappresentanteFiscale YESNO,
  RappresentanteFiscale_DatiAnagrafici_IdPaese TEXT(2),
  RappresentanteFiscale_DatiAnagrafici_CodEORI TEXT(30),
  RappresentanteFiscale_DatiAnagrafici_Titolo TEXT(50),
  RappresentanteFiscale_DatiAnagrafici_IdCodice TEXT(30),
  RappresentanteFiscale_DatiAnagrafici_CodiceFiscale TEXT(30),
  RappresentanteFiscale_DatiAnagrafici_Denominazione TEXT(255),
  RappresentanteFiscale_DatiAnagrafici_Nome TEXT(100),
  RappresentanteFiscale_DatiAnagrafici_Cognome TEXT(100),
  TerzoIntermediarioOSoggettoEmittente YESNO,
  TerzoIntermediarioOSoggettoEmittente_IdPaese TEXT(2),
  TerzoIntermediarioOSoggettoEmittente_CodEORI TEXT(30),
  TerzoIntermediarioOSoggettoEmittente_Titolo TEXT(50),
  TerzoIntermediarioOSoggettoEmittente_IdCodice TEXT(30),
  TerzoIntermediarioOSoggettoEmittente_CodiceFiscale TEXT(30),
  TerzoIntermediarioOSoggettoEmittente_Denominazione TEXT(255),
  TerzoIntermediarioOSoggettoEmittente_Nome TEXT(100),
  TerzoIntermediarioOSoggettoEmittente_Cognome TEXT(100),
  NomeHostOnline TEXT(255),
  NomeDbOnline TEXT(255),
  UtenteDbOnline TEXT(255),
  PasswordDbOnline TEXT(255)
);

-- TabIniziale, SmtpCriptaggioTipo and AzioneImportazioneVCard are indexes
-- of choice lists. FatturazioneMultipla is kept here as well as on ditta:
-- both rows are read by the numbering code.
CREATE TABLE opzioni (
  ID COUNTER PRIMARY KEY,
  PasswordAmministratore TEXT(50),
  PromemoriaScadenze YESNO,
  TabIniziale LONG,
  ModPagamento_Id LONG,
  Carico_ModPagamento_Id LONG,
  Iva_Id LONG,
  AliquotaIva DOUBLE,
  Bank_ID LONG,
  IncrementaNumeroRigaArticoli YESNO,
  DocumentiRigaIvato YESNO,
  NumerazioneUnicaNoteCredito YESNO,
  FatturazioneMultipla YESNO,
  RitenutaAcconto YESNO,
  CausalePagamentoRitenuta TEXT(2),
  PrezzoPreventivo YESNO,
  PrezzoOrdini YESNO,
  CaricoFiltraFornitore YESNO,
  SpeseTrasporto_Percentuale YESNO,
  SpeseTrasporto_Percentuale_Valore DOUBLE,
  Spese_di_Trasporto DOUBLE,
  Spese_di_Incasso DOUBLE,
  MarcaDaBolloDocumenti YESNO,
  MarcaBolloVirtuale YESNO,
  ImportoMarcaBollo DOUBLE,
  LimiteMaxMarcaBollo DOUBLE,
  conto_ID_Predefinito_su_FattureVendita_Merce LONG,
  conto_ID_Predefinito_su_FattureVendita_SpeseTrasporto LONG,
  conto_ID_Predefinito_su_FattureVendita_SpeseIncasso LONG,
  conto_ID_Predefinito_su_FattureAcquisto_Merce LONG,
  conto_ID_Predefinito_su_FattureAcquisto_SpeseTrasporto LONG,
  conto_ID_Predefinito_su_FattureAcquisto_SpeseIncasso LONG,
  conto_ID_Predefinito_su_NoteCreditoVendita_Merce LONG,
  conto_ID_Predefinito_su_NoteCreditoVendita_SpeseTrasporto LONG,
  conto_ID_Predefinito_su_NoteCreditoVendita_SpeseIncasso LONG,
  conto_ID_Predefinito_su_NoteCreditoAcquisto_Merce LONG,
  conto_ID_Predefinito_su_NoteCreditoAcquisto_SpeseTrasporto LONG,
  conto_ID_Predefinito_su_NoteCreditoAcquisto_SpeseIncasso LONG,
  conto_ID_Predefinito_su_Corrispettivi LONG,
  SaldoInizialePrimaNota DOUBLE,
  DuplicaFatturazioneInPrimaNota YESNO,
  ChiusuraIvaMensile YESNO,
  AggiornaPrezzi_FatturaAcquisto YESNO,
  AggiornaDataInserimento_DocumentiAcquisto YESNO,
  VerificaCoerenza_FattureElett_PrimaEsportazione YESNO,
  AggiornaAutomaticamenteInformazioniDaXml YESNO,
  CartellaEsportazioneFattureElettroniche TEXT(255),
  CartellaEsportazioneDocumenti TEXT(255),
  CartellaImmagini TEXT(255),
  TipoEsportazione LONG,
  EstensioneEsportazione TEXT(10),
  StampanteDefault YESNO,
  AzioneImportazioneVCard LONG,
  SmtpHost TEXT(255),
  SmtpPorta LONG,
  SmtpUserName TEXT(255),
  SmtpPassword TEXT(255),
  SmtpMittenteEmail TEXT(255),
  SmtpAutenticazioneServer YESNO,
  SmtpCriptato YESNO,
  SmtpCriptaggioTipo LONG,
  EmailTestoDefault MEMO
);

-- ---------------------------------------------------------------------------
-- Per-workstation settings
-- ---------------------------------------------------------------------------

-- Grid layouts: the lists hold "|"-terminated entries.
CREATE TABLE Griglie (
  ID COUNTER PRIMARY KEY,
  NomeComputer TEXT(15),
  NomeGriglia TEXT(100),
  CampiUtente MEMO,
  WidthUtente MEMO,
  CaptionUtente MEMO,
  CampiPredefiniti MEMO,
  WidthPredefiniti MEMO,
  CaptionPredefiniti MEMO,
  TotaleCampiPredefiniti LONG,
  CampoOrdinamento TEXT(255)
);

-- Default values applied to a new row of a table: one row per workstation,
-- table and column, Valore being the text form of the value.
CREATE TABLE Personalizzazioni (
  ID COUNTER PRIMARY KEY,
  NomeComputer TEXT(15),
  NomeTabella TEXT(64),
  NomeCampo TEXT(64),
  Valore TEXT(255)
);

-- ---------------------------------------------------------------------------
-- Small lookup tables
-- ---------------------------------------------------------------------------

CREATE TABLE Mesi (
  ID COUNTER PRIMARY KEY,
  numero LONG,
  Mese TEXT(20)
);

-- Export formats of the print program, only rows with Attivo are offered.
CREATE TABLE TipoEsportazioniCrystalReport (
  ID COUNTER PRIMARY KEY,
  Numero LONG,
  Descrizione TEXT(100),
  Estensione TEXT(10),
  Attivo YESNO
);

-- ---------------------------------------------------------------------------
-- Tables kept for older archives: start-up still moves their rows to and
-- from history, nothing else reads them.
-- ---------------------------------------------------------------------------

CREATE TABLE Assistenza (
  ID COUNTER PRIMARY KEY,
  DataConsegnaCliente DATETIME,
  Storico YESNO
);

CREATE TABLE RegCassaTestata (
  ID COUNTER PRIMARY KEY,
  Data DATETIME,
  Storico YESNO
);

-- ---------------------------------------------------------------------------
-- Indexes
-- ---------------------------------------------------------------------------

CREATE INDEX ix_Clienti_NominativoVisualizzato ON Clienti (NominativoVisualizzato);
CREATE INDEX ix_Clienti_Codice ON Clienti (Codice);
CREATE INDEX ix_Clienti_Categoria_ID ON Clienti (Categoria_ID);
CREATE INDEX ix_Clienti_Pagamento_ID ON Clienti (Pagamento_ID);
CREATE INDEX ix_Clienti_Comune_id ON Clienti (Comune_id);
CREATE INDEX ix_Clienti_Citta ON Clienti (Citta);
CREATE INDEX ix_Clienti_ContabilitaContoFattureVendita_ID ON Clienti (ContabilitaContoFattureVendita_ID);
CREATE INDEX ix_Clienti_ContabilitaContoNoteCreditoVendita_ID ON Clienti (ContabilitaContoNoteCreditoVendita_ID);

CREATE INDEX ix_ClientiCategoria_Descrizione ON ClientiCategoria (Descrizione);

CREATE INDEX ix_Fornitor_Fornitore ON Fornitor (Fornitore);
CREATE INDEX ix_Fornitor_Iva ON Fornitor (Iva);
CREATE INDEX ix_Fornitor_CodFiscale ON Fornitor (CodFiscale);
CREATE INDEX ix_Fornitor_Categoria_ID ON Fornitor (Categoria_ID);
CREATE INDEX ix_Fornitor_Pagamento_ID ON Fornitor (Pagamento_ID);
CREATE INDEX ix_Fornitor_Comune_id ON Fornitor (Comune_id);

CREATE INDEX ix_FornitorCategoria_Descrizione ON FornitorCategoria (Descrizione);

CREATE INDEX ix_prezziar_Descrizione ON prezziar (Descrizione);
CREATE INDEX ix_prezziar_Codice ON prezziar (Codice);
CREATE INDEX ix_prezziar_Iva_Id ON prezziar (Iva_Id);
CREATE INDEX ix_prezziar_categoria_id ON prezziar (categoria_id);
CREATE INDEX ix_prezziar_Reparto ON prezziar (Reparto);
CREATE INDEX ix_prezziar_Fornitore_ID ON prezziar (Fornitore_ID);
CREATE INDEX ix_prezziar_Fornitore_Iva_id ON prezziar (Fornitore_Iva_id);
CREATE INDEX ix_prezziar_ContabilitaContoFattureVendita_ID ON prezziar (ContabilitaContoFattureVendita_ID);
CREATE INDEX ix_prezziar_ContabilitaContoFattureAcquisto_ID ON prezziar (ContabilitaContoFattureAcquisto_ID);
CREATE INDEX ix_prezziar_ContabilitaContoNoteCreditoVendita_ID ON prezziar (ContabilitaContoNoteCreditoVendita_ID);
CREATE INDEX ix_prezziar_ContabilitaContoNoteCreditoAcquisto_ID ON prezziar (ContabilitaContoNoteCreditoAcquisto_ID);

CREATE INDEX ix_PrezziarCategorie_Descrizione ON PrezziarCategorie (Descrizione);

CREATE INDEX ix_Iva_Descrizione ON Iva (Descrizione);
CREATE INDEX ix_Iva_Iva_Pa_Natura_Codice ON Iva (Iva, Pa_Natura_Codice);

CREATE INDEX ix_Reparti_Descrizione ON Reparti (Descrizione);

CREATE INDEX ix_Bank_Banca ON Bank (Banca);
CREATE INDEX ix_Bank_Comune ON Bank (Comune);

CREATE INDEX ix_Comuni_Comune ON Comuni (Comune);
CREATE INDEX ix_Comuni_Provincia_Comune ON Comuni (Provincia, Comune);
CREATE INDEX ix_Comuni_Cap ON Comuni (Cap);
CREATE INDEX ix_Comuni_Regione_ID ON Comuni (Regione_ID);
CREATE INDEX ix_Comuni_Nazione_ID ON Comuni (Nazione_ID);

CREATE INDEX ix_Indirizzi_Comune_ID ON Indirizzi (Comune_ID);
CREATE INDEX ix_Indirizzi_Cap ON Indirizzi (Cap);

CREATE UNIQUE INDEX ux_Nazioni_SIGLA ON Nazioni (SIGLA);
CREATE INDEX ix_Nazioni_DENOMINAZ ON Nazioni (DENOMINAZ);

CREATE UNIQUE INDEX ux_Province_PROVINCIA ON Province (PROVINCIA);

CREATE INDEX ix_Personale_Personale ON Personale (Personale);
CREATE INDEX ix_Personale_Comune_Id ON Personale (Comune_Id);
CREATE INDEX ix_Personale_LuogoNascita_id ON Personale (LuogoNascita_id);
CREATE INDEX ix_Personale_CategoriaPersonale_ID ON Personale (CategoriaPersonale_ID);
CREATE INDEX ix_Personale_DocTipo ON Personale (DocTipo);

CREATE INDEX ix_TipoDocumenti_Descrizione ON TipoDocumenti (Descrizione);

CREATE INDEX ix_Griglie_NomeComputer_NomeGriglia ON Griglie (NomeComputer, NomeGriglia);

CREATE INDEX ix_Personalizzazioni_NomeComputer_NomeTabella ON Personalizzazioni (NomeComputer, NomeTabella);

CREATE UNIQUE INDEX ux_Mesi_numero ON Mesi (numero);

CREATE UNIQUE INDEX ux_TipoEsportazioniCrystalReport_Numero ON TipoEsportazioniCrystalReport (Numero);
CREATE INDEX ix_TipoEsportazioniCrystalReport_Descrizione ON TipoEsportazioniCrystalReport (Descrizione);

CREATE INDEX ix_Assistenza_Storico_DataConsegnaCliente ON Assistenza (Storico, DataConsegnaCliente);
CREATE INDEX ix_RegCassaTestata_Storico_Data ON RegCassaTestata (Storico, Data);
