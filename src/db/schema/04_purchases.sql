-- Tables of the purchases subsystem. Text columns ignore case (UNOCASE); yes/no columns are
-- BOOLEAN 0/1, never null; dates are text 'YYYY-MM-DD HH:MM:SS'; numbers default to 0 as Access does.

CREATE TABLE "Movimenti" (
    "ID" INTEGER PRIMARY KEY AUTOINCREMENT,
    "NumeroRiga" INTEGER DEFAULT 0,
    "Sconto" REAL DEFAULT 0,
    "Sconto2" REAL DEFAULT 0,
    "Sconto3" REAL DEFAULT 0,
    "Sconto4" REAL DEFAULT 0,
    "Um" REAL DEFAULT 0,
    "ValoreUnitario" REAL DEFAULT 0,
    "AliquotaIva" REAL DEFAULT 0,
    "Chilometri" REAL DEFAULT 0,
    "ContabilitaConti_ID" INTEGER DEFAULT 0,
    "Data" DATETIME,
    "Imputazione" TEXT COLLATE UNOCASE,
    "PrezzoCompleto" REAL DEFAULT 0,
    "Scarico" BOOLEAN NOT NULL DEFAULT 0,
    "Vettura_ID" INTEGER DEFAULT 0,
    "Fattura_ID" INTEGER DEFAULT 0,
    "Codice" TEXT COLLATE UNOCASE,
    "Descrizione" TEXT COLLATE UNOCASE,
    "TotaleImponibile" REAL DEFAULT 0,
    "Iva_ID" INTEGER DEFAULT 0,
    "RIFDDT" TEXT COLLATE UNOCASE,
    "DataDDT" DATETIME,
    "Storico" BOOLEAN NOT NULL DEFAULT 0,
    "ImportatoXml" BOOLEAN NOT NULL DEFAULT 0,
    "Articolo_Id" INTEGER DEFAULT 0,
    "Note" TEXT COLLATE UNOCASE
);
CREATE INDEX "ix_Movimenti_ContabilitaConti_ID" ON "Movimenti" ("ContabilitaConti_ID");
CREATE INDEX "ix_Movimenti_Data" ON "Movimenti" ("Data");
CREATE INDEX "ix_Movimenti_Vettura_ID" ON "Movimenti" ("Vettura_ID");
CREATE INDEX "ix_Movimenti_Fattura_ID" ON "Movimenti" ("Fattura_ID");
CREATE INDEX "ix_Movimenti_Iva_ID" ON "Movimenti" ("Iva_ID");
CREATE INDEX "ix_Movimenti_Storico" ON "Movimenti" ("Storico");
CREATE INDEX "ix_Movimenti_Articolo_Id" ON "Movimenti" ("Articolo_Id");

CREATE TABLE "NotaCreditoCaricoRighe" (
    "IDX" INTEGER PRIMARY KEY AUTOINCREMENT,
    "NumeroRiga" INTEGER DEFAULT 0,
    "Sconto" REAL DEFAULT 0,
    "Sconto2" REAL DEFAULT 0,
    "Sconto3" REAL DEFAULT 0,
    "Sconto4" REAL DEFAULT 0,
    "Um" REAL DEFAULT 0,
    "ValoreUnitario" REAL DEFAULT 0,
    "AliquotaIva" REAL DEFAULT 0,
    "NotaCredito_ID" INTEGER DEFAULT 0,
    "Fattura_ID" INTEGER DEFAULT 0,
    "TipoRiga" TEXT COLLATE UNOCASE,
    "Codice" TEXT COLLATE UNOCASE,
    "Descrizione" TEXT COLLATE UNOCASE,
    "TotaleImponibile" REAL DEFAULT 0,
    "Iva_ID" INTEGER DEFAULT 0,
    "ValoreTotale" REAL DEFAULT 0,
    "ContabilitaConti_ID" INTEGER DEFAULT 0,
    "Note" TEXT COLLATE UNOCASE,
    "Data" DATETIME,
    "Storico" BOOLEAN NOT NULL DEFAULT 0,
    "ImportatoXml" BOOLEAN NOT NULL DEFAULT 0,
    "Articolo_Id" INTEGER DEFAULT 0
);
CREATE INDEX "ix_NotaCreditoCaricoRighe_NotaCredito_ID" ON "NotaCreditoCaricoRighe" ("NotaCredito_ID");
CREATE INDEX "ix_NotaCreditoCaricoRighe_Fattura_ID" ON "NotaCreditoCaricoRighe" ("Fattura_ID");
CREATE INDEX "ix_NotaCreditoCaricoRighe_Iva_ID" ON "NotaCreditoCaricoRighe" ("Iva_ID");
CREATE INDEX "ix_NotaCreditoCaricoRighe_ContabilitaConti_ID" ON "NotaCreditoCaricoRighe" ("ContabilitaConti_ID");
CREATE INDEX "ix_NotaCreditoCaricoRighe_Data" ON "NotaCreditoCaricoRighe" ("Data");
CREATE INDEX "ix_NotaCreditoCaricoRighe_Storico" ON "NotaCreditoCaricoRighe" ("Storico");
CREATE INDEX "ix_NotaCreditoCaricoRighe_Articolo_Id" ON "NotaCreditoCaricoRighe" ("Articolo_Id");

