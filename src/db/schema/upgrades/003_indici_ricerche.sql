-- Indexes on what the lists, the reports and the yearly roll-over filter on together, so that
-- none of them reads a whole table of ten years. Each composite index starts with the column
-- its single-column predecessor indexed, which it replaces.
CREATE INDEX IF NOT EXISTS "ix_finanzia_Storico_Data" ON "finanzia" ("Storico", "Data");
DROP INDEX IF EXISTS "ix_finanzia_Storico";
CREATE INDEX IF NOT EXISTS "ix_fattura_Storico_Data" ON "fattura" ("Storico", "Data");
CREATE INDEX IF NOT EXISTS "ix_fattura_Storico_DataRegistrazione" ON "fattura" ("Storico", "DataRegistrazione");
DROP INDEX IF EXISTS "ix_fattura_Storico";
CREATE INDEX IF NOT EXISTS "ix_fattdett_Storico_NumeroRiga" ON "fattdett" ("Storico", "NumeroRiga");
CREATE INDEX IF NOT EXISTS "ix_fattdett_NumFatt" ON "fattdett" ("NumFatt");
DROP INDEX IF EXISTS "ix_fattdett_Storico";
CREATE INDEX IF NOT EXISTS "ix_PreventiTestata_Storico_Data" ON "PreventiTestata" ("Storico", "Data");
DROP INDEX IF EXISTS "ix_PreventiTestata_Storico";
CREATE INDEX IF NOT EXISTS "ix_Sequestri_Storico_Data" ON "Sequestri" ("Storico", "Data");
DROP INDEX IF EXISTS "ix_Sequestri_Storico";
CREATE INDEX IF NOT EXISTS "ix_Calendario_Storico_Conclusa_Data" ON "Calendario" ("Storico", "Conclusa", "Data");
DROP INDEX IF EXISTS "ix_Calendario_Storico";
CREATE INDEX IF NOT EXISTS "ix_FatturaScadenze_Pagato_DataPagamento" ON "FatturaScadenze" ("Pagato", "DataPagamento");
