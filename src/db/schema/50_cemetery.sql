-- Cemetery registry: deceased, cemetery areas, contracts, customer notices
-- and the calendar of appointments.

-- Cemetery areas (fields, niche wings, chapels).
CREATE TABLE AreeCimitero (
  Id COUNTER PRIMARY KEY,
  Descrizione TEXT(255)
);

-- Catalogue of prepared notice texts.
CREATE TABLE Avvisi (
  Id COUNTER PRIMARY KEY,
  Descrizione TEXT(255),
  Testo MEMO
);

-- Appointments and jobs of staff for customers.
-- TipologiaCalendario holds the type by its description, Personale and
-- Cliente are copies of the chosen names.
CREATE TABLE Calendario (
  Id COUNTER PRIMARY KEY,
  Data DATETIME,
  DataAvviso DATETIME,
  TipologiaCalendario TEXT(255),
  Personale_Id LONG,
  Personale TEXT(255),
  Cliente_ID LONG,
  Cliente TEXT(255),
  Note TEXT(255),
  Conclusa YESNO,
  Storico YESNO
);

-- Categories of deceased, with the colour copied onto the deceased row.
CREATE TABLE CategoriaDefunti (
  Id COUNTER PRIMARY KEY,
  Descrizione TEXT(255),
  ColoreCategoria LONG
);

-- Deceased linked to a contract. Defunto is a copy of the display name.
CREATE TABLE ContrattiDefunti (
  IdX COUNTER PRIMARY KEY,
  Testata_ID LONG,
  Defunto_ID LONG,
  Defunto TEXT(255)
);

-- Priced rows of a contract, one per covered period.
CREATE TABLE ContrattiRighe (
  IDX COUNTER PRIMARY KEY,
  Testata_ID LONG,
  NumeroRiga LONG,
  Data DATETIME,
  Articolo_ID LONG,
  Codice TEXT(50),
  Descrizione TEXT(255),
  TipoRiga TEXT(1),
  Um DOUBLE,
  ValoreUnitario DOUBLE,
  Sconto DOUBLE,
  TotaleImponibile DOUBLE,
  ValoreTotale DOUBLE,
  AliquotaIva DOUBLE,
  Iva_ID LONG,
  Reparto TEXT(255),
  Note TEXT(255),
  DataInizioPeriodo DATETIME,
  DataFinePeriodo DATETIME,
  DataPagamento DATETIME,
  Pagato YESNO,
  Chiuso YESNO,
  Fatturato YESNO,
  Fattura_ID LONG,
  Storico YESNO
);

-- Contract headers. Cliente is a copy of the customer's document name.
CREATE TABLE ContrattiTestata (
  Id COUNTER PRIMARY KEY,
  Numero LONG,
  Data DATETIME,
  Cliente_ID LONG,
  Cliente TEXT(255),
  ModPagamento_Id LONG,
  Note TEXT(255),
  Chiuso YESNO,
  NumeroRicevuta LONG,
  DataRicevuta DATETIME,
  Storico YESNO
);

-- Deceased registry. LuogoNascita and LuogoMorte are copies of the
-- municipality names, NominativoDocumenti and NominativoVisualizzato are
-- derived on save, Immagine is the path of the photo file on disk.
CREATE TABLE Defunti (
  Id COUNTER PRIMARY KEY,
  Codice TEXT(50),
  Categoria_ID LONG,
  Cognome TEXT(100),
  Nome TEXT(100),
  CodFiscale TEXT(20),
  Sesso TEXT(1),
  IdPaese_Nascita TEXT(2),
  LuogoNascita_Id LONG,
  LuogoNascita TEXT(100),
  DataNascita DATETIME,
  IdPaese_Morte TEXT(2),
  LuogoMorte_id LONG,
  LuogoMorte TEXT(100),
  DataMorte DATETIME,
  Area_Id LONG,
  Posizione TEXT(255),
  Note TEXT(255),
  NumeroColore LONG,
  ColoreCategoria LONG,
  Immagine TEXT(255),
  NominativoDocumenti TEXT(255),
  NominativoVisualizzato TEXT(255)
);

-- Text of the notice being prepared, one row per workstation.
CREATE TABLE TempAvvisi (
  Id COUNTER PRIMARY KEY,
  NomeComputer TEXT(15),
  Testo MEMO
);

-- Customers ticked for the notice print on a workstation, each with the
-- notice text filled for them.
CREATE TABLE TempAvvisiClienti (
  ID COUNTER PRIMARY KEY,
  NomeComputer TEXT(15),
  Cliente_ID LONG,
  Testo MEMO
);

-- Work table of the missing contract payments run.
CREATE TABLE TempPagamentiMancanti (
  ID COUNTER PRIMARY KEY,
  Cliente_ID LONG,
  UltimaDataPagamento DATETIME,
  ContrattoNumero LONG,
  NomeComputer TEXT(15)
);

-- Appointment types.
CREATE TABLE TipologiaCalendario (
  Id COUNTER PRIMARY KEY,
  Descrizione TEXT(255)
);

CREATE INDEX ix_AreeCimitero_Descrizione ON AreeCimitero (Descrizione);

CREATE INDEX ix_Avvisi_Descrizione ON Avvisi (Descrizione);

CREATE INDEX ix_Calendario_Storico_Data ON Calendario (Storico, Data);
CREATE INDEX ix_Calendario_Data ON Calendario (Data);
CREATE INDEX ix_Calendario_DataAvviso ON Calendario (DataAvviso);
CREATE INDEX ix_Calendario_Personale_Id ON Calendario (Personale_Id);
CREATE INDEX ix_Calendario_Cliente_ID ON Calendario (Cliente_ID);

CREATE INDEX ix_CategoriaDefunti_Descrizione ON CategoriaDefunti (Descrizione);

CREATE INDEX ix_ContrattiDefunti_Testata_ID ON ContrattiDefunti (Testata_ID);
CREATE INDEX ix_ContrattiDefunti_Defunto_ID ON ContrattiDefunti (Defunto_ID);

CREATE INDEX ix_ContrattiRighe_Testata_ID_NumeroRiga ON ContrattiRighe (Testata_ID, NumeroRiga);
CREATE INDEX ix_ContrattiRighe_Articolo_ID ON ContrattiRighe (Articolo_ID);
CREATE INDEX ix_ContrattiRighe_Iva_ID ON ContrattiRighe (Iva_ID);
CREATE INDEX ix_ContrattiRighe_Fattura_ID ON ContrattiRighe (Fattura_ID);
CREATE INDEX ix_ContrattiRighe_DataPagamento ON ContrattiRighe (DataPagamento);

CREATE INDEX ix_ContrattiTestata_Storico_Data ON ContrattiTestata (Storico, Data);
CREATE INDEX ix_ContrattiTestata_Numero ON ContrattiTestata (Numero);
CREATE INDEX ix_ContrattiTestata_Cliente_ID ON ContrattiTestata (Cliente_ID);
CREATE INDEX ix_ContrattiTestata_ModPagamento_Id ON ContrattiTestata (ModPagamento_Id);
CREATE INDEX ix_ContrattiTestata_DataRicevuta ON ContrattiTestata (DataRicevuta);

CREATE INDEX ix_Defunti_NominativoVisualizzato ON Defunti (NominativoVisualizzato);
CREATE INDEX ix_Defunti_Cognome_Nome ON Defunti (Cognome, Nome);
CREATE INDEX ix_Defunti_CodFiscale ON Defunti (CodFiscale);
CREATE INDEX ix_Defunti_Categoria_ID ON Defunti (Categoria_ID);
CREATE INDEX ix_Defunti_Area_Id ON Defunti (Area_Id);
CREATE INDEX ix_Defunti_LuogoNascita_Id ON Defunti (LuogoNascita_Id);
CREATE INDEX ix_Defunti_LuogoMorte_id ON Defunti (LuogoMorte_id);

CREATE INDEX ix_TempAvvisi_NomeComputer ON TempAvvisi (NomeComputer);

CREATE INDEX ix_TempAvvisiClienti_NomeComputer ON TempAvvisiClienti (NomeComputer);
CREATE INDEX ix_TempAvvisiClienti_Cliente_ID ON TempAvvisiClienti (Cliente_ID);

CREATE INDEX ix_TempPagamentiMancanti_NomeComputer ON TempPagamentiMancanti (NomeComputer);
CREATE INDEX ix_TempPagamentiMancanti_Cliente_ID ON TempPagamentiMancanti (Cliente_ID);

CREATE INDEX ix_TipologiaCalendario_Descrizione ON TipologiaCalendario (Descrizione);
