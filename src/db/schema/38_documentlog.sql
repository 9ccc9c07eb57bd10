-- What happened to issued documents: deletions, totals changed after the
-- electronic invoice left, exports and e-mails. Written in the same
-- transaction as the action; rows leave only by an explicit purge of the
-- years long past.
CREATE TABLE RegistroDocumenti (
  ID COUNTER PRIMARY KEY,
  DataOra DATETIME,
  NomeComputer TEXT(15),
  Utente TEXT(50),
  TipoDocumento TEXT(40),
  Documento_ID LONG,
  Numero TEXT(50),
  DataDocumento DATETIME,
  Intestatario TEXT(255),
  Totale DOUBLE,
  Evento TEXT(30),
  Dettagli MEMO
);
CREATE INDEX ix_RegistroDocumenti_DataOra ON RegistroDocumenti (DataOra);
