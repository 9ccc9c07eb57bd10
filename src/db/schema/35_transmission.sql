-- The progressive of the electronic invoices handed to the exchange system
-- (ProgressivoInvio and the file name): one row holding the last one given.
-- Every export takes the next; none is ever given twice.
CREATE TABLE ProgressivoTrasmissione (
  Id COUNTER PRIMARY KEY,
  Ultimo LONG
);
