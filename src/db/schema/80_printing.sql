-- Printing bridge: report requests read by the external print program.

-- One report request per workstation. The print program finds its row by
-- NomeComputer, and a new request deletes the previous one first.
CREATE TABLE TempStampa (
  ID COUNTER PRIMARY KEY,
  NomeProgramma TEXT(50),
  NomeReport TEXT(255),
  NomeReportLandscape TEXT(255),
  Query MEMO,
  QuerySottoreport1 MEMO,
  QuerySottoreport2 MEMO,
  QuerySottoreport3 MEMO,
  Filtro YESNO,
  Setup YESNO,
  PresenzaTestata YESNO,
  Parametro TEXT(255),
  NomeComputer TEXT(15),
  Esportazione YESNO,
  FileEsportazione TEXT(255),
  TipoEsportazione LONG
);

CREATE INDEX ix_TempStampa_NomeComputer ON TempStampa (NomeComputer);
