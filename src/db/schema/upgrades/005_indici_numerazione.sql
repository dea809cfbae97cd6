-- The next number and transmission progressive of a new sales document are read from an index:
-- adding an invoice no longer reads the year's documents nor the whole table.
CREATE INDEX IF NOT EXISTS "ix_fattura_Numerazione" ON "fattura" ("Storico", "Carico", "FattNota", "NonNumerare", "Num");
CREATE INDEX IF NOT EXISTS "ix_fattura_DatiTrasmissione_NumeroInterno" ON "fattura" ("DatiTrasmissione_NumeroInterno");
