-- Tables of the einvoice subsystem. Text columns ignore case (UNOCASE); yes/no columns are
-- BOOLEAN 0/1, never null; dates are text 'YYYY-MM-DD HH:MM:SS'; numbers default to 0 as Access does.

CREATE TABLE "PA_Amministrazioni_FatturaElettronica" (
    "Id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "DescrizionePA" TEXT COLLATE UNOCASE,
    "Comune_Id" INTEGER DEFAULT 0,
    "cap" TEXT COLLATE UNOCASE,
    "cf" TEXT COLLATE UNOCASE,
    "codice_univoco" TEXT COLLATE UNOCASE,
    "indirizzo" TEXT COLLATE UNOCASE,
    "DescrizioneUfficio" TEXT COLLATE UNOCASE,
    "codice_Amministrazione" TEXT COLLATE UNOCASE,
    "cod_ou" TEXT COLLATE UNOCASE,
    "tipologia_istat" TEXT COLLATE UNOCASE
);
CREATE INDEX "ix_PA_Amministrazioni_FatturaElettronica_Comune_Id" ON "PA_Amministrazioni_FatturaElettronica" ("Comune_Id");

CREATE TABLE "PA_Errori" (
    "Id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "Codice" TEXT COLLATE UNOCASE,
    "Titolo" TEXT COLLATE UNOCASE,
    "Descrizione" TEXT COLLATE UNOCASE,
    "Suggerimenti" TEXT COLLATE UNOCASE
);

CREATE TABLE "PA_IscrizRea_SocioUnico" (
    "Id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "Codice" TEXT COLLATE UNOCASE,
    "Descrizione" TEXT COLLATE UNOCASE
);

CREATE TABLE "PA_IscrizRea_StatoLiquidazione" (
    "Id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "Codice" TEXT COLLATE UNOCASE,
    "Descrizione" TEXT COLLATE UNOCASE
);

CREATE TABLE "PA_RegimeFiscale" (
    "Id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "Codice" TEXT COLLATE UNOCASE,
    "Descrizione" TEXT COLLATE UNOCASE
);

CREATE TABLE "TempXml_Ddt" (
    "Id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "Fornitore_ID" INTEGER DEFAULT 0,
    "Valido" BOOLEAN NOT NULL DEFAULT 0,
    "NomeComputer" TEXT COLLATE UNOCASE
);
CREATE INDEX "ix_TempXml_Ddt_Fornitore_ID" ON "TempXml_Ddt" ("Fornitore_ID");
CREATE INDEX "ix_TempXml_Ddt_NomeComputer" ON "TempXml_Ddt" ("NomeComputer");

CREATE TABLE "TempXml_FatturaRighe" (
    "Id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "Fornitore_ID" INTEGER DEFAULT 0,
    "Valido" BOOLEAN NOT NULL DEFAULT 0,
    "NomeComputer" TEXT COLLATE UNOCASE,
    "NumeroRiga" INTEGER DEFAULT 0,
    "CodiceBarre" TEXT COLLATE UNOCASE,
    "CodiceValore" TEXT COLLATE UNOCASE,
    "Descrizione" TEXT COLLATE UNOCASE,
    "Quantita" REAL DEFAULT 0,
    "UnitaMisura" TEXT COLLATE UNOCASE,
    "PrezzoUnitario" REAL DEFAULT 0,
    "Sconto_1" REAL DEFAULT 0,
    "Sconto_2" REAL DEFAULT 0,
    "Sconto_3" REAL DEFAULT 0,
    "Sconto_4" REAL DEFAULT 0,
    "AggiornaQuantita" BOOLEAN NOT NULL DEFAULT 0,
    "TotaleImponibile" REAL DEFAULT 0,
    "AliquotaIVA" REAL DEFAULT 0,
    "RitenutaAcconto" BOOLEAN NOT NULL DEFAULT 0,
    "NaturaEsclusioneIva" TEXT COLLATE UNOCASE,
    "RiferimentoAmministrazione" TEXT COLLATE UNOCASE,
    "AltriDatiGestionali" TEXT COLLATE UNOCASE,
    "AliquotaIVA_ID" INTEGER DEFAULT 0,
    "Fattura_Id" INTEGER DEFAULT 0,
    "Prezziar_Id" INTEGER DEFAULT 0
);
CREATE INDEX "ix_TempXml_FatturaRighe_Fornitore_ID" ON "TempXml_FatturaRighe" ("Fornitore_ID");
CREATE INDEX "ix_TempXml_FatturaRighe_NomeComputer" ON "TempXml_FatturaRighe" ("NomeComputer");
CREATE INDEX "ix_TempXml_FatturaRighe_AliquotaIVA_ID" ON "TempXml_FatturaRighe" ("AliquotaIVA_ID");
CREATE INDEX "ix_TempXml_FatturaRighe_Fattura_Id" ON "TempXml_FatturaRighe" ("Fattura_Id");
CREATE INDEX "ix_TempXml_FatturaRighe_Prezziar_Id" ON "TempXml_FatturaRighe" ("Prezziar_Id");

CREATE TABLE "TempXml_NotaCredito" (
    "Id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "Fornitore_ID" INTEGER DEFAULT 0,
    "Valido" BOOLEAN NOT NULL DEFAULT 0,
    "NomeComputer" TEXT COLLATE UNOCASE,
    "Numero" TEXT COLLATE UNOCASE,
    "NumeroRiga" INTEGER DEFAULT 0,
    "Data" DATETIME,
    "FattRif_Id" INTEGER DEFAULT 0,
    "FattRif_Num" INTEGER DEFAULT 0
);
CREATE INDEX "ix_TempXml_NotaCredito_Fornitore_ID" ON "TempXml_NotaCredito" ("Fornitore_ID");
CREATE INDEX "ix_TempXml_NotaCredito_NomeComputer" ON "TempXml_NotaCredito" ("NomeComputer");
CREATE INDEX "ix_TempXml_NotaCredito_Data" ON "TempXml_NotaCredito" ("Data");
CREATE INDEX "ix_TempXml_NotaCredito_FattRif_Id" ON "TempXml_NotaCredito" ("FattRif_Id");

CREATE TABLE "TempXml_Pagamenti" (
    "Id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "CondizioniPagamento" TEXT COLLATE UNOCASE,
    "Beneficiario" TEXT COLLATE UNOCASE,
    "ModalitaPagamento" TEXT COLLATE UNOCASE,
    "ModPagamento_ID" INTEGER DEFAULT 0,
    "DataRiferimentoTerminiPagamento" DATETIME,
    "GiorniTerminiPagamento" INTEGER DEFAULT 0,
    "DataScadenzaPagamento" DATETIME,
    "ImportoPagamento" REAL DEFAULT 0,
    "IstitutoFinanziario" TEXT COLLATE UNOCASE,
    "IBAN" TEXT COLLATE UNOCASE,
    "CodicePagamento" TEXT COLLATE UNOCASE,
    "Fattura_Id" INTEGER DEFAULT 0,
    "Valido" BOOLEAN NOT NULL DEFAULT 0,
    "Fornitore_ID" INTEGER DEFAULT 0,
    "DescrizioneModPagamento" TEXT COLLATE UNOCASE,
    "NomeComputer" TEXT COLLATE UNOCASE
);
CREATE INDEX "ix_TempXml_Pagamenti_ModPagamento_ID" ON "TempXml_Pagamenti" ("ModPagamento_ID");
CREATE INDEX "ix_TempXml_Pagamenti_Fattura_Id" ON "TempXml_Pagamenti" ("Fattura_Id");
CREATE INDEX "ix_TempXml_Pagamenti_Fornitore_ID" ON "TempXml_Pagamenti" ("Fornitore_ID");
CREATE INDEX "ix_TempXml_Pagamenti_NomeComputer" ON "TempXml_Pagamenti" ("NomeComputer");

