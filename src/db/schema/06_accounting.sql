-- Tables of the accounting subsystem. Text columns ignore case (UNOCASE); yes/no columns are
-- BOOLEAN 0/1, never null; dates are text 'YYYY-MM-DD HH:MM:SS'; numbers default to 0 as Access does.

CREATE TABLE "ContabilitaChiusuraIvaMensile" (
    "Id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "Anno" INTEGER DEFAULT 0,
    "Mese" INTEGER DEFAULT 0,
    "AcquistiImponibile" REAL DEFAULT 0,
    "AcquistiImposta" REAL DEFAULT 0,
    "CorrispettiviImponibile" REAL DEFAULT 0,
    "CorrispettiviImposta" REAL DEFAULT 0,
    "CreditoResiduoMesePassato" REAL DEFAULT 0,
    "DescrizioneMese" TEXT COLLATE UNOCASE,
    "TotaleIvaCredito" REAL DEFAULT 0,
    "TotaleIvaDebito" REAL DEFAULT 0,
    "VenditaImponibile" REAL DEFAULT 0,
    "VenditaImposta" REAL DEFAULT 0,
    "AcquistiImponibileNonSoggetta" REAL DEFAULT 0,
    "VenditaImponibileNonSoggetta" REAL DEFAULT 0,
    "CorrispettiviImponibileNonSoggetta" REAL DEFAULT 0
);

CREATE TABLE "ContabilitaChiusuraIvaMensileRighe" (
    "Id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "Iva_ID" INTEGER DEFAULT 0,
    "Carico" BOOLEAN NOT NULL DEFAULT 0,
    "ContabilitaChiusuraIvaMensile_ID" INTEGER DEFAULT 0,
    "Corrispettivi" BOOLEAN NOT NULL DEFAULT 0,
    "IvaDescrizione" TEXT COLLATE UNOCASE,
    "TotaleImponibile" REAL DEFAULT 0,
    "TotaleIva" REAL DEFAULT 0
);
CREATE INDEX "ix_ContabilitaChiusuraIvaMensileRighe_Iva_ID" ON "ContabilitaChiusuraIvaMensileRighe" ("Iva_ID");
CREATE INDEX "ix_ContabilitaChiusuraIvaMensileRighe_ContabilitaChiusuraIvaMensile_ID" ON "ContabilitaChiusuraIvaMensileRighe" ("ContabilitaChiusuraIvaMensile_ID");

CREATE TABLE "ContabilitaChiusuraIvaMensileRigheNonSoggetta" (
    "Id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "Iva_ID" INTEGER DEFAULT 0,
    "ContabilitaChiusuraIvaMensile_ID" INTEGER DEFAULT 0,
    "IvaDescrizione" TEXT COLLATE UNOCASE,
    "Carico" BOOLEAN NOT NULL DEFAULT 0,
    "Corrispettivi" BOOLEAN NOT NULL DEFAULT 0,
    "TotaleIva" REAL DEFAULT 0,
    "TotaleImponibile" REAL DEFAULT 0
);
CREATE INDEX "ix_ContabilitaChiusuraIvaMensileRigheNonSoggetta_Iva_ID" ON "ContabilitaChiusuraIvaMensileRigheNonSoggetta" ("Iva_ID");
CREATE INDEX "ix_ContabilitaChiusuraIvaMensileRigheNonSoggetta_ContabilitaChiusuraIvaMensile_ID" ON "ContabilitaChiusuraIvaMensileRigheNonSoggetta" ("ContabilitaChiusuraIvaMensile_ID");

CREATE TABLE "ContabilitaChiusuraIvaTrimestre" (
    "Id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "Anno" INTEGER DEFAULT 0,
    "Trimestre" INTEGER DEFAULT 0,
    "AcquistiImponibile" REAL DEFAULT 0,
    "AcquistiImposta" REAL DEFAULT 0,
    "CorrispettiviImponibile" REAL DEFAULT 0,
    "CorrispettiviImposta" REAL DEFAULT 0,
    "CreditoResiduoTrimestrePassato" REAL DEFAULT 0,
    "TotaleIvaCredito" REAL DEFAULT 0,
    "TotaleIvaDebito" REAL DEFAULT 0,
    "VenditaImponibile" REAL DEFAULT 0,
    "VenditaImposta" REAL DEFAULT 0,
    "AcquistiImponibileNonSoggetta" REAL DEFAULT 0,
    "VenditaImponibileNonSoggetta" REAL DEFAULT 0,
    "CorrispettiviImponibileNonSoggetta" REAL DEFAULT 0
);

CREATE TABLE "ContabilitaChiusuraIvaTrimestreRighe" (
    "Id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "Iva_ID" INTEGER DEFAULT 0,
    "Carico" BOOLEAN NOT NULL DEFAULT 0,
    "ContabilitaChiusuraIvaTrimestre_ID" INTEGER DEFAULT 0,
    "Corrispettivi" BOOLEAN NOT NULL DEFAULT 0,
    "IvaDescrizione" TEXT COLLATE UNOCASE,
    "TotaleImponibile" REAL DEFAULT 0,
    "TotaleIva" REAL DEFAULT 0
);
CREATE INDEX "ix_ContabilitaChiusuraIvaTrimestreRighe_Iva_ID" ON "ContabilitaChiusuraIvaTrimestreRighe" ("Iva_ID");
CREATE INDEX "ix_ContabilitaChiusuraIvaTrimestreRighe_ContabilitaChiusuraIvaTrimestre_ID" ON "ContabilitaChiusuraIvaTrimestreRighe" ("ContabilitaChiusuraIvaTrimestre_ID");

CREATE TABLE "ContabilitaChiusuraIvaTrimestreRigheNonSoggetta" (
    "Id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "Iva_ID" INTEGER DEFAULT 0,
    "ContabilitaChiusuraIvaTrimestre_ID" INTEGER DEFAULT 0,
    "IvaDescrizione" TEXT COLLATE UNOCASE,
    "Carico" BOOLEAN NOT NULL DEFAULT 0,
    "Corrispettivi" BOOLEAN NOT NULL DEFAULT 0,
    "TotaleIva" REAL DEFAULT 0,
    "TotaleImponibile" REAL DEFAULT 0
);
CREATE INDEX "ix_ContabilitaChiusuraIvaTrimestreRigheNonSoggetta_Iva_ID" ON "ContabilitaChiusuraIvaTrimestreRigheNonSoggetta" ("Iva_ID");
CREATE INDEX "ix_ContabilitaChiusuraIvaTrimestreRigheNonSoggetta_ContabilitaChiusuraIvaTrimestre_ID" ON "ContabilitaChiusuraIvaTrimestreRigheNonSoggetta" ("ContabilitaChiusuraIvaTrimestre_ID");

CREATE TABLE "ContabilitaClassi" (
    "Id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "Descrizione" TEXT COLLATE UNOCASE
);

CREATE TABLE "ContabilitaConti" (
    "ID" INTEGER PRIMARY KEY AUTOINCREMENT,
    "Descrizione" TEXT COLLATE UNOCASE,
    "Raggruppamento_ID" INTEGER DEFAULT 0,
    "Classe" TEXT COLLATE UNOCASE,
    "Raggruppamento" TEXT COLLATE UNOCASE,
    "Conto" TEXT COLLATE UNOCASE
);
CREATE INDEX "ix_ContabilitaConti_Raggruppamento_ID" ON "ContabilitaConti" ("Raggruppamento_ID");

CREATE TABLE "ContabilitaRaggruppamenti" (
    "Id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "Descrizione" TEXT COLLATE UNOCASE,
    "Classe_ID" INTEGER DEFAULT 0
);
CREATE INDEX "ix_ContabilitaRaggruppamenti_Classe_ID" ON "ContabilitaRaggruppamenti" ("Classe_ID");

CREATE TABLE "ContabilitaTrimestri" (
    "Id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "Numero" INTEGER DEFAULT 0,
    "Descrizione" TEXT COLLATE UNOCASE
);

CREATE TABLE "finanzia" (
    "ID" INTEGER PRIMARY KEY AUTOINCREMENT,
    "Storico" BOOLEAN NOT NULL DEFAULT 0,
    "Data" DATETIME,
    "Operazione" TEXT COLLATE UNOCASE,
    "Entrata" REAL DEFAULT 0,
    "Uscita" REAL DEFAULT 0,
    "Note" TEXT COLLATE UNOCASE,
    "Tipologia_ID" INTEGER DEFAULT 0,
    "Tipo" TEXT COLLATE UNOCASE,
    "Fattura_ID" INTEGER DEFAULT 0,
    "Cliente_id" INTEGER DEFAULT 0,
    "Fornitore_id" INTEGER DEFAULT 0,
    "ModPagamento_Id" INTEGER DEFAULT 0,
    "Banca_ID" INTEGER DEFAULT 0,
    "AliquotaIva" REAL DEFAULT 0,
    "ContabilitaConti_ID" INTEGER DEFAULT 0,
    "Corrispettivi" BOOLEAN NOT NULL DEFAULT 0,
    "FatturaScadenze_Id" INTEGER DEFAULT 0,
    "Iva_id" INTEGER DEFAULT 0
);
CREATE INDEX "ix_finanzia_Storico_Data" ON "finanzia" ("Storico", "Data");
CREATE INDEX "ix_finanzia_Data" ON "finanzia" ("Data");
CREATE INDEX "ix_finanzia_Tipologia_ID" ON "finanzia" ("Tipologia_ID");
CREATE INDEX "ix_finanzia_Fattura_ID" ON "finanzia" ("Fattura_ID");
CREATE INDEX "ix_finanzia_Cliente_id" ON "finanzia" ("Cliente_id");
CREATE INDEX "ix_finanzia_Fornitore_id" ON "finanzia" ("Fornitore_id");
CREATE INDEX "ix_finanzia_ModPagamento_Id" ON "finanzia" ("ModPagamento_Id");
CREATE INDEX "ix_finanzia_Banca_ID" ON "finanzia" ("Banca_ID");
CREATE INDEX "ix_finanzia_ContabilitaConti_ID" ON "finanzia" ("ContabilitaConti_ID");
CREATE INDEX "ix_finanzia_FatturaScadenze_Id" ON "finanzia" ("FatturaScadenze_Id");
CREATE INDEX "ix_finanzia_Iva_id" ON "finanzia" ("Iva_id");

CREATE TABLE "Iva" (
    "ID" INTEGER PRIMARY KEY AUTOINCREMENT,
    "Descrizione" TEXT COLLATE UNOCASE,
    "Iva" REAL DEFAULT 0,
    "Pa_Natura_Codice" TEXT COLLATE UNOCASE,
    "NumeroRepartoFiscale" INTEGER DEFAULT 0,
    "ImportatoXml" BOOLEAN NOT NULL DEFAULT 0,
    "NonEliminabile" BOOLEAN NOT NULL DEFAULT 0
);

CREATE TABLE "Mesi" (
    "Id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "numero" INTEGER DEFAULT 0,
    "Mese" TEXT COLLATE UNOCASE
);

CREATE TABLE "PA_Natura" (
    "Id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "Descrizione" TEXT COLLATE UNOCASE,
    "Codice" TEXT COLLATE UNOCASE
);

CREATE TABLE "TempBilancio" (
    "Id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "NomeComputer" TEXT COLLATE UNOCASE,
    "DescrizioneData" TEXT COLLATE UNOCASE,
    "Carico" BOOLEAN NOT NULL DEFAULT 0,
    "TotaleIva" REAL DEFAULT 0,
    "TotaleImponibile" REAL DEFAULT 0,
    "ContabilitaConti_ID" INTEGER DEFAULT 0,
    "Corrispettivi" BOOLEAN NOT NULL DEFAULT 0
);
CREATE INDEX "ix_TempBilancio_NomeComputer" ON "TempBilancio" ("NomeComputer");
CREATE INDEX "ix_TempBilancio_ContabilitaConti_ID" ON "TempBilancio" ("ContabilitaConti_ID");

CREATE TABLE "TempContabilitaConto" (
    "Id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "NomeComputer" TEXT COLLATE UNOCASE,
    "DescrizioneData" TEXT COLLATE UNOCASE,
    "ContabilitaConti_ID" INTEGER DEFAULT 0,
    "TotaleImponibile" REAL DEFAULT 0,
    "Descrizione" TEXT COLLATE UNOCASE,
    "Tipologia" INTEGER DEFAULT 0,
    "NumeroDocumento" TEXT COLLATE UNOCASE,
    "SerieFatturazione" TEXT COLLATE UNOCASE,
    "DataDocumento" DATETIME,
    "DataRegistrazione" DATETIME,
    "ProgressivoCarico" INTEGER DEFAULT 0,
    "DescrizioneTipologia" TEXT COLLATE UNOCASE
);
CREATE INDEX "ix_TempContabilitaConto_NomeComputer" ON "TempContabilitaConto" ("NomeComputer");
CREATE INDEX "ix_TempContabilitaConto_ContabilitaConti_ID" ON "TempContabilitaConto" ("ContabilitaConti_ID");
CREATE INDEX "ix_TempContabilitaConto_DataRegistrazione" ON "TempContabilitaConto" ("DataRegistrazione");

CREATE TABLE "TipologiaPrimaNota" (
    "Id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "Descrizione" TEXT COLLATE UNOCASE
);

