-- Supplier documents and stock: rows of supplier invoices and stock
-- unloads, rows of supplier credit notes, purchase orders to suppliers.
-- The headers of supplier invoices and credit notes are fattura rows
-- with Carico = true.

-- Stock movements. Rows with Scarico = false are the rows of a supplier
-- invoice (Fattura_ID), rows with Scarico = true are stock unloads that
-- belong to no supplier invoice and may be invoiced to a customer
-- (Fatturato, fattdett.Scarico_ID). Um is the quantity.
CREATE TABLE Movimenti (
  ID COUNTER PRIMARY KEY,
  Fattura_ID LONG,
  NumeroRiga LONG,
  Data DATETIME,
  Articolo_ID LONG,
  TipoRiga TEXT(1),
  Codice TEXT(50),
  Descrizione TEXT(255),
  Um DOUBLE,
  ValoreUnitario DOUBLE,
  Sconto DOUBLE,
  Sconto2 DOUBLE,
  Sconto3 DOUBLE,
  Sconto4 DOUBLE,
  AliquotaIva DOUBLE,
  Iva_ID LONG,
  TotaleImponibile DOUBLE,
  PrezzoCompleto DOUBLE,
  ValoreTotale DOUBLE,
  Reparto TEXT(100),
  Omaggio YESNO,
  ContabilitaConti_ID LONG,
  Storico YESNO,
  Scarico YESNO,
  Fatturato YESNO,
  ImportatoXml YESNO
);

-- Rows of supplier credit notes (NotaCredito_ID = fattura.Id of the
-- credit note, Fattura_ID = the credited supplier invoice when the rows
-- were taken from it). PrezzoCompleto and Fatturato are written by the
-- FatturaPA import, which fills these rows like Movimenti rows.
CREATE TABLE NotaCreditoCaricoRighe (
  Id COUNTER PRIMARY KEY,
  NotaCredito_ID LONG,
  Fattura_ID LONG,
  NumeroRiga LONG,
  Data DATETIME,
  Articolo_ID LONG,
  TipoRiga TEXT(1),
  Codice TEXT(50),
  Descrizione TEXT(255),
  Um DOUBLE,
  ValoreUnitario DOUBLE,
  Sconto DOUBLE,
  Sconto2 DOUBLE,
  Sconto3 DOUBLE,
  Sconto4 DOUBLE,
  AliquotaIva DOUBLE,
  Iva_Id LONG,
  TotaleImponibile DOUBLE,
  PrezzoCompleto DOUBLE,
  ValoreTotale DOUBLE,
  Reparto TEXT(100),
  ContabilitaConti_ID LONG,
  Storico YESNO,
  Fatturato YESNO,
  ImportatoXml YESNO
);

-- Rows of purchase orders, listed by Descrizione.
CREATE TABLE OrdiniRighe (
  Id COUNTER PRIMARY KEY,
  Ordine_ID LONG,
  Articolo_ID LONG,
  TipoRiga TEXT(1),
  Codice TEXT(50),
  Descrizione TEXT(255),
  Reparto TEXT(100),
  Um DOUBLE,
  ValoreUnitario DOUBLE,
  Sconto DOUBLE,
  Sconto2 DOUBLE,
  Sconto3 DOUBLE,
  Sconto4 DOUBLE,
  AliquotaIva DOUBLE,
  Iva_id LONG,
  TotaleImponibile DOUBLE,
  ValoreTotale DOUBLE,
  Data DATETIME,
  Storico YESNO
);

-- Purchase orders sent to suppliers, listed by Data, Numero.
CREATE TABLE OrdiniTestata (
  ID COUNTER PRIMARY KEY,
  Numero LONG,
  Data DATETIME,
  Fornitore_ID LONG,
  Fornitore TEXT(255),
  TotImponibile DOUBLE,
  TotImposta DOUBLE,
  TotaleOrdine DOUBLE,
  Fatturato YESNO,
  Note MEMO,
  Storico YESNO
);

CREATE INDEX ix_Movimenti_Fattura_ID_NumeroRiga ON Movimenti (Fattura_ID, NumeroRiga);
CREATE INDEX ix_Movimenti_Articolo_ID ON Movimenti (Articolo_ID);
CREATE INDEX ix_Movimenti_Iva_ID ON Movimenti (Iva_ID);
CREATE INDEX ix_Movimenti_ContabilitaConti_ID ON Movimenti (ContabilitaConti_ID);
CREATE INDEX ix_Movimenti_Scarico_Storico_Data ON Movimenti (Scarico, Storico, Data);

CREATE INDEX ix_NotaCreditoCaricoRighe_NotaCredito_ID_NumeroRiga ON NotaCreditoCaricoRighe (NotaCredito_ID, NumeroRiga);
CREATE INDEX ix_NotaCreditoCaricoRighe_Fattura_ID ON NotaCreditoCaricoRighe (Fattura_ID);
CREATE INDEX ix_NotaCreditoCaricoRighe_Articolo_ID ON NotaCreditoCaricoRighe (Articolo_ID);
CREATE INDEX ix_NotaCreditoCaricoRighe_Iva_Id ON NotaCreditoCaricoRighe (Iva_Id);
CREATE INDEX ix_NotaCreditoCaricoRighe_ContabilitaConti_ID ON NotaCreditoCaricoRighe (ContabilitaConti_ID);

CREATE INDEX ix_OrdiniRighe_Ordine_ID_Descrizione ON OrdiniRighe (Ordine_ID, Descrizione);
CREATE INDEX ix_OrdiniRighe_Articolo_ID ON OrdiniRighe (Articolo_ID);
CREATE INDEX ix_OrdiniRighe_Iva_id ON OrdiniRighe (Iva_id);

CREATE INDEX ix_OrdiniTestata_Fornitore_ID ON OrdiniTestata (Fornitore_ID);
CREATE INDEX ix_OrdiniTestata_Storico_Data_Numero ON OrdiniTestata (Storico, Data, Numero);
