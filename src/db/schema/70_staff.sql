-- Staff: code tables and the dependent lists of a staff member
-- (deadlines, costs, salaries). The staff registry itself lives with the
-- other registries.

CREATE TABLE CategoriePersonale (
  ID COUNTER PRIMARY KEY,
  Descrizione TEXT(255)
);

-- Costs of a staff member.
CREATE TABLE PersonaleCosti (
  ID COUNTER PRIMARY KEY,
  Personale_ID LONG,
  Data DATETIME,
  TipologiaCosto_id LONG,
  Importo DOUBLE,
  Note MEMO
);

-- Deadlines of a staff member (licence, permit, medical expiries).
-- Tipologia holds the type by its description. Validato means done.
CREATE TABLE PersonaleScadenze (
  ID COUNTER PRIMARY KEY,
  Personale_ID LONG,
  Descrizione TEXT(255),
  Tipologia TEXT(255),
  DataScadenza DATETIME,
  DataAvviso DATETIME,
  Validato YESNO,
  Note MEMO
);

-- Monthly salaries of a staff member (Mese 1-12).
CREATE TABLE PersonaleStipendi (
  ID COUNTER PRIMARY KEY,
  Personale_ID LONG,
  Anno LONG,
  Mese LONG,
  DataPagamento DATETIME,
  ImportoBonifico DOUBLE,
  Base DOUBLE,
  Giorni DOUBLE,
  Trasferta DOUBLE,
  Accrediti DOUBLE,
  Addebiti DOUBLE,
  Assegni DOUBLE,
  Accrediti_Descrizione MEMO,
  Addebiti_Descrizione MEMO,
  TotaleParziale DOUBLE,
  Note MEMO
);

CREATE TABLE TipologiaCostiPersonale (
  ID COUNTER PRIMARY KEY,
  Descrizione TEXT(255)
);

CREATE TABLE TipologiaScadenzePersonale (
  ID COUNTER PRIMARY KEY,
  Descrizione TEXT(255)
);

CREATE INDEX ix_CategoriePersonale_Descrizione ON CategoriePersonale (Descrizione);

CREATE INDEX ix_PersonaleCosti_Personale_ID ON PersonaleCosti (Personale_ID);
CREATE INDEX ix_PersonaleCosti_TipologiaCosto_id ON PersonaleCosti (TipologiaCosto_id);
CREATE INDEX ix_PersonaleCosti_Data ON PersonaleCosti (Data);

CREATE INDEX ix_PersonaleScadenze_Personale_ID ON PersonaleScadenze (Personale_ID);
CREATE INDEX ix_PersonaleScadenze_Tipologia ON PersonaleScadenze (Tipologia);
CREATE INDEX ix_PersonaleScadenze_DataScadenza ON PersonaleScadenze (DataScadenza);
CREATE INDEX ix_PersonaleScadenze_DataAvviso ON PersonaleScadenze (DataAvviso);

CREATE INDEX ix_PersonaleStipendi_Personale_ID ON PersonaleStipendi (Personale_ID);
CREATE INDEX ix_PersonaleStipendi_Anno_Mese ON PersonaleStipendi (Anno, Mese);

CREATE INDEX ix_TipologiaCostiPersonale_Descrizione ON TipologiaCostiPersonale (Descrizione);
CREATE INDEX ix_TipologiaScadenzePersonale_Descrizione ON TipologiaScadenzePersonale (Descrizione);
