-- Positions of a cemetery area (tombs, niches, ossuary niches, chapels).
-- A deceased lies in a position when Defunti.Area_Id is the area and
-- Defunti.Posizione reads as the position's label ("Fila 3 n. 12").
-- Tipo is "Tomba", "Loculo", "Ossario", "Cappella" or any text typed.
CREATE TABLE PosizioniCimitero (
  Id COUNTER PRIMARY KEY,
  Area_Id LONG,
  Fila TEXT(50),
  Numero TEXT(50),
  Tipo TEXT(50),
  Note TEXT(255)
);

CREATE INDEX ix_PosizioniCimitero_Area_Id ON PosizioniCimitero (Area_Id);
