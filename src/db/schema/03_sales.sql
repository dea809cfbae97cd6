-- Tables of the sales subsystem. Text columns ignore case (UNOCASE); yes/no columns are
-- BOOLEAN 0/1, never null; dates are text 'YYYY-MM-DD HH:MM:SS'; numbers default to 0 as Access does.

CREATE TABLE "fattdett" (
    "Idx" INTEGER PRIMARY KEY AUTOINCREMENT,
    "Storico" BOOLEAN NOT NULL DEFAULT 0,
    "NumeroRiga" INTEGER DEFAULT 0,
    "Sconto" REAL DEFAULT 0,
    "ValoreUnitario" REAL DEFAULT 0,
    "Um" REAL DEFAULT 0,
    "TotaleImponibile" REAL DEFAULT 0,
    "AliquotaIva" REAL DEFAULT 0,
    "Articolo_ID" INTEGER DEFAULT 0,
    "Codice" TEXT COLLATE UNOCASE,
    "DataDDT" DATETIME,
    "Descrizione" TEXT COLLATE UNOCASE,
    "Iva_ID" INTEGER DEFAULT 0,
    "Note" TEXT COLLATE UNOCASE,
    "NumFatt" INTEGER DEFAULT 0,
    "Reparto" TEXT COLLATE UNOCASE,
    "RIFDDT" TEXT COLLATE UNOCASE,
    "Targa1" TEXT COLLATE UNOCASE,
    "TipoRiga" TEXT COLLATE UNOCASE,
    "Um_ID" INTEGER DEFAULT 0,
    "ValoreTotale" REAL DEFAULT 0,
    "ContabilitaConti_ID" INTEGER DEFAULT 0,
    "Scaffale" TEXT COLLATE UNOCASE,
    "Data" DATETIME,
    "DataInizioPeriodo" DATETIME,
    "DataFinePeriodo" DATETIME,
    "RiferimentoAmministrazione" TEXT COLLATE UNOCASE,
    "Personale_ID" INTEGER DEFAULT 0,
    "Prev_ID" INTEGER DEFAULT 0,
    "DDT_ID" INTEGER DEFAULT 0
);
CREATE INDEX "ix_fattdett_Storico_NumeroRiga" ON "fattdett" ("Storico", "NumeroRiga");
CREATE INDEX "ix_fattdett_NumFatt" ON "fattdett" ("NumFatt");
CREATE INDEX "ix_fattdett_Articolo_ID" ON "fattdett" ("Articolo_ID");
CREATE INDEX "ix_fattdett_Iva_ID" ON "fattdett" ("Iva_ID");
CREATE INDEX "ix_fattdett_Um_ID" ON "fattdett" ("Um_ID");
CREATE INDEX "ix_fattdett_ContabilitaConti_ID" ON "fattdett" ("ContabilitaConti_ID");
CREATE INDEX "ix_fattdett_Data" ON "fattdett" ("Data");
CREATE INDEX "ix_fattdett_Personale_ID" ON "fattdett" ("Personale_ID");
CREATE INDEX "ix_fattdett_Prev_ID" ON "fattdett" ("Prev_ID");
CREATE INDEX "ix_fattdett_DDT_ID" ON "fattdett" ("DDT_ID");

CREATE TABLE "fattura" (
    "ID" INTEGER PRIMARY KEY AUTOINCREMENT,
    "Num" INTEGER DEFAULT 0,
    "Data" DATETIME,
    "Cliente_ID" INTEGER DEFAULT 0,
    "Cliente" TEXT COLLATE UNOCASE,
    "FattNota" BOOLEAN NOT NULL DEFAULT 0,
    "Carico" BOOLEAN NOT NULL DEFAULT 0,
    "DatiTrasmissione_FormatoTrasmissione" TEXT COLLATE UNOCASE,
    "Fornitore_ID" INTEGER DEFAULT 0,
    "Fornitore" TEXT COLLATE UNOCASE,
    "DataRegistrazione" DATETIME,
    "ProgressivoCarico" INTEGER DEFAULT 0,
    "Aspetto_ID" INTEGER DEFAULT 0,
    "Storico" BOOLEAN NOT NULL DEFAULT 0,
    "SerieFatturazione" TEXT COLLATE UNOCASE,
    "NumeroCarico" TEXT COLLATE UNOCASE,
    "Banca_ID" INTEGER DEFAULT 0,
    "Causale" TEXT COLLATE UNOCASE,
    "ComuneDestinazione_ID" INTEGER DEFAULT 0,
    "ComuneFermo_ID" INTEGER DEFAULT 0,
    "ConaiAssolto" BOOLEAN NOT NULL DEFAULT 0,
    "DataIngressoVeicolo" DATETIME,
    "DataUscitaVeicolo" DATETIME,
    "Depositata" BOOLEAN NOT NULL DEFAULT 0,
    "Giorni" INTEGER DEFAULT 0,
    "Km" REAL DEFAULT 0,
    "ModPagamento_Id" INTEGER DEFAULT 0,
    "NCFatSerieRif" TEXT COLLATE UNOCASE,
    "NCFattDataRif" DATETIME,
    "NCFattNumRif" INTEGER DEFAULT 0,
    "Note" TEXT COLLATE UNOCASE,
    "Personale_ID" INTEGER DEFAULT 0,
    "Porto_ID" INTEGER DEFAULT 0,
    "ReferenteIva" TEXT COLLATE UNOCASE,
    "RitenutaAcconto" REAL DEFAULT 0,
    "ScissionePagamenti" BOOLEAN NOT NULL DEFAULT 0,
    "Targa" TEXT COLLATE UNOCASE,
    "TipoFatturazione_Id" INTEGER DEFAULT 0,
    "TipoTariffa_Id" INTEGER DEFAULT 0,
    "TotFattura" REAL DEFAULT 0,
    "TotImponibile" REAL DEFAULT 0,
    "TotImposta" REAL DEFAULT 0,
    "Vettore_ID" INTEGER DEFAULT 0,
    "Vettura_ID" INTEGER DEFAULT 0,
    "NonNumerare" BOOLEAN NOT NULL DEFAULT 0,
    "Finanzia_id" INTEGER DEFAULT 0,
    "ImportoMarcaBollo" REAL DEFAULT 0,
    "DatiTrasmissione_ProgressivoInvio" INTEGER DEFAULT 0,
    "DatiTrasmissione_NumeroInterno" INTEGER DEFAULT 0,
    "DatiGenerali_Divisa" TEXT COLLATE UNOCASE,
    "EsportatoXml" BOOLEAN NOT NULL DEFAULT 0,
    "ImportatoXml" BOOLEAN NOT NULL DEFAULT 0,
    "NCFattIDRif" INTEGER DEFAULT 0,
    "NCFattNumRifCarico" TEXT COLLATE UNOCASE,
    "Sequestro_ID" INTEGER DEFAULT 0,
    "datatrasporto" DATETIME,
    "Colli" INTEGER DEFAULT 0,
    "DatiAnagraficiVettore" BOOLEAN NOT NULL DEFAULT 0,
    "DatiTrasporto" BOOLEAN NOT NULL DEFAULT 0,
    "Immagine" TEXT COLLATE UNOCASE,
    "NumOrdine" TEXT COLLATE UNOCASE
);
CREATE INDEX "ix_fattura_Data" ON "fattura" ("Data");
CREATE INDEX "ix_fattura_Cliente_ID" ON "fattura" ("Cliente_ID");
CREATE INDEX "ix_fattura_Fornitore_ID" ON "fattura" ("Fornitore_ID");
CREATE INDEX "ix_fattura_DataRegistrazione" ON "fattura" ("DataRegistrazione");
CREATE INDEX "ix_fattura_Aspetto_ID" ON "fattura" ("Aspetto_ID");
CREATE INDEX "ix_fattura_Storico_Data" ON "fattura" ("Storico", "Data");
CREATE INDEX "ix_fattura_Storico_DataRegistrazione" ON "fattura" ("Storico", "DataRegistrazione");
CREATE INDEX "ix_fattura_Banca_ID" ON "fattura" ("Banca_ID");
CREATE INDEX "ix_fattura_ComuneDestinazione_ID" ON "fattura" ("ComuneDestinazione_ID");
CREATE INDEX "ix_fattura_ComuneFermo_ID" ON "fattura" ("ComuneFermo_ID");
CREATE INDEX "ix_fattura_ModPagamento_Id" ON "fattura" ("ModPagamento_Id");
CREATE INDEX "ix_fattura_Personale_ID" ON "fattura" ("Personale_ID");
CREATE INDEX "ix_fattura_Porto_ID" ON "fattura" ("Porto_ID");
CREATE INDEX "ix_fattura_TipoFatturazione_Id" ON "fattura" ("TipoFatturazione_Id");
CREATE INDEX "ix_fattura_TipoTariffa_Id" ON "fattura" ("TipoTariffa_Id");
CREATE INDEX "ix_fattura_Vettore_ID" ON "fattura" ("Vettore_ID");
CREATE INDEX "ix_fattura_Vettura_ID" ON "fattura" ("Vettura_ID");
CREATE INDEX "ix_fattura_Finanzia_id" ON "fattura" ("Finanzia_id");
CREATE INDEX "ix_fattura_Sequestro_ID" ON "fattura" ("Sequestro_ID");
-- The next number and transmission progressive of a new sales document: the highest of a few
-- rows of the index, never a scan of the year's or the whole table's documents.
CREATE INDEX "ix_fattura_Numerazione" ON "fattura" ("Storico", "Carico", "FattNota", "NonNumerare", "Num");
CREATE INDEX "ix_fattura_DatiTrasmissione_NumeroInterno" ON "fattura" ("DatiTrasmissione_NumeroInterno");

CREATE TABLE "Fattura_Allegati" (
    "Id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "NomeAttachment" TEXT COLLATE UNOCASE,
    "Fattura_Id" INTEGER DEFAULT 0,
    "DescrizioneAttachment" TEXT COLLATE UNOCASE,
    "PercorsoCompleto" TEXT COLLATE UNOCASE,
    "FormatoAttachment" TEXT COLLATE UNOCASE,
    "AlgoritmoCompressione" TEXT COLLATE UNOCASE
);
CREATE INDEX "ix_Fattura_Allegati_Fattura_Id" ON "Fattura_Allegati" ("Fattura_Id");

CREATE TABLE "FatturaPreventiviRighe" (
    "Id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "Data" DATETIME,
    "Fattura_ID" INTEGER DEFAULT 0,
    "Preventivo_Id" INTEGER DEFAULT 0,
    "Numero" INTEGER DEFAULT 0
);
CREATE INDEX "ix_FatturaPreventiviRighe_Data" ON "FatturaPreventiviRighe" ("Data");
CREATE INDEX "ix_FatturaPreventiviRighe_Fattura_ID" ON "FatturaPreventiviRighe" ("Fattura_ID");
CREATE INDEX "ix_FatturaPreventiviRighe_Preventivo_Id" ON "FatturaPreventiviRighe" ("Preventivo_Id");

CREATE TABLE "FatturaScadenze" (
    "Id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "Fattura_ID" INTEGER DEFAULT 0,
    "Cliente_id" INTEGER DEFAULT 0,
    "Fornitore_id" INTEGER DEFAULT 0,
    "Pagato" BOOLEAN NOT NULL DEFAULT 0,
    "DataScadenza" DATETIME,
    "Importo" REAL DEFAULT 0,
    "TemporaneaSelezionata" BOOLEAN NOT NULL DEFAULT 0,
    "DataPagamento" DATETIME,
    "Banca_ID" INTEGER DEFAULT 0,
    "Numero" INTEGER DEFAULT 0,
    "Operazione" TEXT COLLATE UNOCASE,
    "Dettagli" TEXT COLLATE UNOCASE,
    "ModPagamento_Id" INTEGER DEFAULT 0,
    "Tipo" TEXT COLLATE UNOCASE,
    "Note" TEXT COLLATE UNOCASE,
    "File" TEXT COLLATE UNOCASE,
    "Finanzia_id" INTEGER DEFAULT 0
);
CREATE INDEX "ix_FatturaScadenze_Fattura_ID" ON "FatturaScadenze" ("Fattura_ID");
CREATE INDEX "ix_FatturaScadenze_Cliente_id" ON "FatturaScadenze" ("Cliente_id");
CREATE INDEX "ix_FatturaScadenze_Fornitore_id" ON "FatturaScadenze" ("Fornitore_id");
CREATE INDEX "ix_FatturaScadenze_DataScadenza" ON "FatturaScadenze" ("DataScadenza");
CREATE INDEX "ix_FatturaScadenze_Pagato_DataPagamento" ON "FatturaScadenze" ("Pagato", "DataPagamento");
CREATE INDEX "ix_FatturaScadenze_Banca_ID" ON "FatturaScadenze" ("Banca_ID");
CREATE INDEX "ix_FatturaScadenze_ModPagamento_Id" ON "FatturaScadenze" ("ModPagamento_Id");
CREATE INDEX "ix_FatturaScadenze_Finanzia_id" ON "FatturaScadenze" ("Finanzia_id");

CREATE TABLE "NotaCreditoRighe" (
    "Idx" INTEGER PRIMARY KEY AUTOINCREMENT,
    "Storico" BOOLEAN NOT NULL DEFAULT 0,
    "NumeroRiga" INTEGER DEFAULT 0,
    "Sconto" REAL DEFAULT 0,
    "ValoreUnitario" REAL DEFAULT 0,
    "Um" REAL DEFAULT 0,
    "TotaleImponibile" REAL DEFAULT 0,
    "AliquotaIva" REAL DEFAULT 0,
    "Codice" TEXT COLLATE UNOCASE,
    "Descrizione" TEXT COLLATE UNOCASE,
    "Iva_Id" INTEGER DEFAULT 0,
    "NotaCredito_ID" INTEGER DEFAULT 0,
    "Reparto" TEXT COLLATE UNOCASE,
    "Scaffale" TEXT COLLATE UNOCASE,
    "Targa1" TEXT COLLATE UNOCASE,
    "Um_ID" INTEGER DEFAULT 0,
    "ValoreTotale" REAL DEFAULT 0,
    "Fattura_ID" INTEGER DEFAULT 0,
    "TipoRiga" TEXT COLLATE UNOCASE,
    "Articolo_ID" INTEGER DEFAULT 0,
    "ContabilitaConti_ID" INTEGER DEFAULT 0,
    "Data" DATETIME,
    "DataInizioPeriodo" DATETIME,
    "DataFinePeriodo" DATETIME,
    "RiferimentoAmministrazione" TEXT COLLATE UNOCASE,
    "Personale_ID" INTEGER DEFAULT 0,
    "Note" TEXT COLLATE UNOCASE,
    "RIFDDT" TEXT COLLATE UNOCASE,
    "DDT_ID" INTEGER DEFAULT 0,
    "Prev_ID" INTEGER DEFAULT 0,
    "DataDDT" DATETIME
);
CREATE INDEX "ix_NotaCreditoRighe_Storico" ON "NotaCreditoRighe" ("Storico");
CREATE INDEX "ix_NotaCreditoRighe_Iva_Id" ON "NotaCreditoRighe" ("Iva_Id");
CREATE INDEX "ix_NotaCreditoRighe_NotaCredito_ID" ON "NotaCreditoRighe" ("NotaCredito_ID");
CREATE INDEX "ix_NotaCreditoRighe_Um_ID" ON "NotaCreditoRighe" ("Um_ID");
CREATE INDEX "ix_NotaCreditoRighe_Fattura_ID" ON "NotaCreditoRighe" ("Fattura_ID");
CREATE INDEX "ix_NotaCreditoRighe_Articolo_ID" ON "NotaCreditoRighe" ("Articolo_ID");
CREATE INDEX "ix_NotaCreditoRighe_ContabilitaConti_ID" ON "NotaCreditoRighe" ("ContabilitaConti_ID");
CREATE INDEX "ix_NotaCreditoRighe_Data" ON "NotaCreditoRighe" ("Data");
CREATE INDEX "ix_NotaCreditoRighe_Personale_ID" ON "NotaCreditoRighe" ("Personale_ID");
CREATE INDEX "ix_NotaCreditoRighe_DDT_ID" ON "NotaCreditoRighe" ("DDT_ID");
CREATE INDEX "ix_NotaCreditoRighe_Prev_ID" ON "NotaCreditoRighe" ("Prev_ID");

CREATE TABLE "OrdiniClienti" (
    "Id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "Numero" TEXT COLLATE UNOCASE,
    "CodiceCig" TEXT COLLATE UNOCASE,
    "CodiceCommessaConvenzione" TEXT COLLATE UNOCASE,
    "CodiceCup" TEXT COLLATE UNOCASE,
    "Data" DATETIME,
    "Fattura_ID" INTEGER DEFAULT 0,
    "Note" TEXT COLLATE UNOCASE
);
CREATE INDEX "ix_OrdiniClienti_Data" ON "OrdiniClienti" ("Data");
CREATE INDEX "ix_OrdiniClienti_Fattura_ID" ON "OrdiniClienti" ("Fattura_ID");

CREATE TABLE "PreventiRighe" (
    "Id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "Storico" BOOLEAN NOT NULL DEFAULT 0,
    "NumeroRiga" INTEGER DEFAULT 0,
    "Sconto" REAL DEFAULT 0,
    "ValoreUnitario" REAL DEFAULT 0,
    "Um" REAL DEFAULT 0,
    "TotaleImponibile" REAL DEFAULT 0,
    "AliquotaIva" REAL DEFAULT 0,
    "Articolo_ID" INTEGER DEFAULT 0,
    "Codice" TEXT COLLATE UNOCASE,
    "Descrizione" TEXT COLLATE UNOCASE,
    "Iva_ID" INTEGER DEFAULT 0,
    "Prev_ID" INTEGER DEFAULT 0,
    "Reparto" TEXT COLLATE UNOCASE,
    "Scaffale" TEXT COLLATE UNOCASE,
    "Um_ID" INTEGER DEFAULT 0,
    "ValoreTotale" REAL DEFAULT 0,
    "TipoRiga" TEXT COLLATE UNOCASE,
    "Data" DATETIME,
    "DataInizioPeriodo" DATETIME,
    "DataFinePeriodo" DATETIME,
    "RiferimentoAmministrazione" TEXT COLLATE UNOCASE
);
CREATE INDEX "ix_PreventiRighe_Storico" ON "PreventiRighe" ("Storico");
CREATE INDEX "ix_PreventiRighe_Articolo_ID" ON "PreventiRighe" ("Articolo_ID");
CREATE INDEX "ix_PreventiRighe_Iva_ID" ON "PreventiRighe" ("Iva_ID");
CREATE INDEX "ix_PreventiRighe_Prev_ID" ON "PreventiRighe" ("Prev_ID");
CREATE INDEX "ix_PreventiRighe_Um_ID" ON "PreventiRighe" ("Um_ID");
CREATE INDEX "ix_PreventiRighe_Data" ON "PreventiRighe" ("Data");

CREATE TABLE "PreventiTestata" (
    "ID" INTEGER PRIMARY KEY AUTOINCREMENT,
    "Numero" INTEGER DEFAULT 0,
    "Cliente_ID" INTEGER DEFAULT 0,
    "Cliente" TEXT COLLATE UNOCASE,
    "Storico" BOOLEAN NOT NULL DEFAULT 0,
    "Data" DATETIME,
    "DataIngressoVeicolo" DATETIME,
    "DataUscitaVeicolo" DATETIME,
    "Giorni" INTEGER DEFAULT 0,
    "Gip" TEXT COLLATE UNOCASE,
    "ProcPen" TEXT COLLATE UNOCASE,
    "Targa1" TEXT COLLATE UNOCASE,
    "TotalePreventivo" REAL DEFAULT 0,
    "TotImponibile" REAL DEFAULT 0,
    "TotImposta" REAL DEFAULT 0,
    "TipoFatturazione_Id" INTEGER DEFAULT 0,
    "TipoTariffa_Id" INTEGER DEFAULT 0,
    "Personale_ID" INTEGER DEFAULT 0,
    "Note" TEXT COLLATE UNOCASE,
    "Fatturato" BOOLEAN NOT NULL DEFAULT 0
);
CREATE INDEX "ix_PreventiTestata_Cliente_ID" ON "PreventiTestata" ("Cliente_ID");
CREATE INDEX "ix_PreventiTestata_Storico_Data" ON "PreventiTestata" ("Storico", "Data");
CREATE INDEX "ix_PreventiTestata_Data" ON "PreventiTestata" ("Data");
CREATE INDEX "ix_PreventiTestata_TipoFatturazione_Id" ON "PreventiTestata" ("TipoFatturazione_Id");
CREATE INDEX "ix_PreventiTestata_TipoTariffa_Id" ON "PreventiTestata" ("TipoTariffa_Id");
CREATE INDEX "ix_PreventiTestata_Personale_ID" ON "PreventiTestata" ("Personale_ID");

CREATE TABLE "SerieFatturazione" (
    "Id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "Serie" TEXT COLLATE UNOCASE,
    "Descrizione" TEXT COLLATE UNOCASE,
    "Note" TEXT COLLATE UNOCASE
);

CREATE TABLE "TempFatturaScadenzeCumulativo" (
    "id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "NomeComputer" TEXT COLLATE UNOCASE,
    "Scadenza_Id" INTEGER DEFAULT 0
);
CREATE INDEX "ix_TempFatturaScadenzeCumulativo_NomeComputer" ON "TempFatturaScadenzeCumulativo" ("NomeComputer");
CREATE INDEX "ix_TempFatturaScadenzeCumulativo_Scadenza_Id" ON "TempFatturaScadenzeCumulativo" ("Scadenza_Id");

CREATE TABLE "TipoColli" (
    "Id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "Tipo" TEXT COLLATE UNOCASE
);

CREATE TABLE "Vettore" (
    "id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "Descrizione" TEXT COLLATE UNOCASE,
    "VettoreVisibile" BOOLEAN NOT NULL DEFAULT 0
);

