-- Tables of the shell subsystem. Text columns ignore case (UNOCASE); yes/no columns are
-- BOOLEAN 0/1, never null; dates are text 'YYYY-MM-DD HH:MM:SS'; numbers default to 0 as Access does.

CREATE TABLE "ditta" (
    "Id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "RappresentanteFiscale" BOOLEAN NOT NULL DEFAULT 0,
    "RappresentanteFiscale_DatiAnagrafici_IdPaese" TEXT COLLATE UNOCASE,
    "RappresentanteFiscale_DatiAnagrafici_IdCodice" TEXT COLLATE UNOCASE,
    "RappresentanteFiscale_DatiAnagrafici_CodiceFiscale" TEXT COLLATE UNOCASE,
    "RappresentanteFiscale_DatiAnagrafici_Denominazione" TEXT COLLATE UNOCASE,
    "RappresentanteFiscale_DatiAnagrafici_Nome" TEXT COLLATE UNOCASE,
    "RappresentanteFiscale_DatiAnagrafici_Cognome" TEXT COLLATE UNOCASE,
    "RappresentanteFiscale_DatiAnagrafici_Titolo" TEXT COLLATE UNOCASE,
    "RappresentanteFiscale_DatiAnagrafici_CodEORI" TEXT COLLATE UNOCASE,
    "TerzoIntermediarioOSoggettoEmittente" BOOLEAN NOT NULL DEFAULT 0,
    "TerzoIntermediarioOSoggettoEmittente_IdPaese" TEXT COLLATE UNOCASE,
    "TerzoIntermediarioOSoggettoEmittente_IdCodice" TEXT COLLATE UNOCASE,
    "TerzoIntermediarioOSoggettoEmittente_CodiceFiscale" TEXT COLLATE UNOCASE,
    "TerzoIntermediarioOSoggettoEmittente_Denominazione" TEXT COLLATE UNOCASE,
    "TerzoIntermediarioOSoggettoEmittente_Nome" TEXT COLLATE UNOCASE,
    "TerzoIntermediarioOSoggettoEmittente_Cognome" TEXT COLLATE UNOCASE,
    "TerzoIntermediarioOSoggettoEmittente_Titolo" TEXT COLLATE UNOCASE,
    "TerzoIntermediarioOSoggettoEmittente_CodEORI" TEXT COLLATE UNOCASE,
    "RagSoc" TEXT COLLATE UNOCASE,
    "FatturazioneMultipla" BOOLEAN NOT NULL DEFAULT 0,
    "Logo" BLOB,
    "PIva" TEXT COLLATE UNOCASE,
    "CodFisc" TEXT COLLATE UNOCASE,
    "Cell" TEXT COLLATE UNOCASE,
    "Internet" TEXT COLLATE UNOCASE,
    "PrezziarCampoUnico" TEXT COLLATE UNOCASE,
    "Pec" TEXT COLLATE UNOCASE,
    "AltriDati" TEXT COLLATE UNOCASE,
    "CodiceSdi" TEXT COLLATE UNOCASE,
    "FatturaAnno" BOOLEAN NOT NULL DEFAULT 0,
    "Trasmissione_CodFisc" BOOLEAN NOT NULL DEFAULT 0,
    "Nome" TEXT COLLATE UNOCASE,
    "Cognome" TEXT COLLATE UNOCASE,
    "Titolo" TEXT COLLATE UNOCASE,
    "CodEori" TEXT COLLATE UNOCASE,
    "RegimeFiscale" TEXT COLLATE UNOCASE,
    "RiferimentoAmministrazione" TEXT COLLATE UNOCASE,
    "SoggettoEmittente" TEXT COLLATE UNOCASE,
    "IdPaese" TEXT COLLATE UNOCASE,
    "Via" TEXT COLLATE UNOCASE,
    "Numero" TEXT COLLATE UNOCASE,
    "Comune" TEXT COLLATE UNOCASE,
    "Cap" TEXT COLLATE UNOCASE,
    "Provincia" TEXT COLLATE UNOCASE,
    "Contatti" BOOLEAN NOT NULL DEFAULT 0,
    "Tel" TEXT COLLATE UNOCASE,
    "Fax" TEXT COLLATE UNOCASE,
    "Email" TEXT COLLATE UNOCASE,
    "AlboProfessionale" TEXT COLLATE UNOCASE,
    "ProvinciaAlbo" TEXT COLLATE UNOCASE,
    "NumeroIscrizioneAlbo" TEXT COLLATE UNOCASE,
    "DataIscrizioneAlbo" DATETIME,
    "StabileOrganizzazione" BOOLEAN NOT NULL DEFAULT 0,
    "StabileOrganizzazione_Nazione" TEXT COLLATE UNOCASE,
    "StabileOrganizzazione_Indirizzo" TEXT COLLATE UNOCASE,
    "StabileOrganizzazione_NumeroCivico" TEXT COLLATE UNOCASE,
    "StabileOrganizzazione_Comune" TEXT COLLATE UNOCASE,
    "StabileOrganizzazione_CAP" TEXT COLLATE UNOCASE,
    "StabileOrganizzazione_Provincia" TEXT COLLATE UNOCASE,
    "Iscrizione_REA" BOOLEAN NOT NULL DEFAULT 0,
    "Iscrizione_REA_Ufficio" TEXT COLLATE UNOCASE,
    "Iscrizione_REA_NumeroREA" TEXT COLLATE UNOCASE,
    "Iscrizione_REA_CapitaleSociale" REAL DEFAULT 0,
    "Iscrizione_REA_SocioUnico" TEXT COLLATE UNOCASE,
    "Iscrizione_REA_StatoLiquidazione" TEXT COLLATE UNOCASE
);

CREATE TABLE "griglie" (
    "Id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "NomeComputer" TEXT COLLATE UNOCASE,
    "NomeGriglia" TEXT COLLATE UNOCASE,
    "CampiUtente" TEXT COLLATE UNOCASE,
    "WidthUtente" TEXT COLLATE UNOCASE,
    "CaptionUtente" TEXT COLLATE UNOCASE,
    "CampiPredefiniti" TEXT COLLATE UNOCASE,
    "WidthPredefiniti" TEXT COLLATE UNOCASE,
    "CaptionPredefiniti" TEXT COLLATE UNOCASE,
    "TotaleCampiPredefiniti" INTEGER DEFAULT 0,
    "CampoOrdinamento" TEXT COLLATE UNOCASE
);
CREATE INDEX "ix_griglie_NomeComputer" ON "griglie" ("NomeComputer");

CREATE TABLE "opzioni" (
    "id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "AliquotaIva" REAL DEFAULT 0,
    "Iva_Id" INTEGER DEFAULT 0,
    "CartellaEsportazioneDocumenti" TEXT COLLATE UNOCASE,
    "EstensioneEsportazione" TEXT COLLATE UNOCASE,
    "ChiusuraIvaMensile" BOOLEAN NOT NULL DEFAULT 0,
    "PasswordAmministratore" TEXT COLLATE UNOCASE,
    "TabIniziale" INTEGER DEFAULT 0,
    "PromemoriaScadenze" BOOLEAN NOT NULL DEFAULT 0,
    "StampanteDefault" BOOLEAN NOT NULL DEFAULT 0,
    "TipoEsportazione" INTEGER DEFAULT 0,
    "SaldoInizialePrimaNota" REAL DEFAULT 0,
    "SmtpHost" TEXT COLLATE UNOCASE,
    "SmtpPorta" INTEGER DEFAULT 0,
    "SmtpMittenteEmail" TEXT COLLATE UNOCASE,
    "SmtpCriptato" BOOLEAN NOT NULL DEFAULT 0,
    "SmtpCriptaggioTipo" INTEGER DEFAULT 0,
    "SmtpAutenticazioneServer" BOOLEAN NOT NULL DEFAULT 0,
    "SmtpUserName" TEXT COLLATE UNOCASE,
    "SmtpPassword" TEXT COLLATE UNOCASE,
    "EmailTestoDefault" TEXT COLLATE UNOCASE,
    "CostoAdOreDipendenti" BOOLEAN NOT NULL DEFAULT 0,
    "Inserimento_articoli_FiltraTuttiDocumenti_per_cliente" BOOLEAN NOT NULL DEFAULT 0,
    "Inserimento_articoli_FiltraPreventivi_per_cliente" BOOLEAN NOT NULL DEFAULT 0,
    "Spese_di_Trasporto" REAL DEFAULT 0,
    "Spese_di_Incasso" REAL DEFAULT 0,
    "LavoraCisterne" BOOLEAN NOT NULL DEFAULT 0,
    "AzioneImportazioneVCard" INTEGER DEFAULT 0,
    "IncrementaNumeroRigaArticoli" BOOLEAN NOT NULL DEFAULT 0,
    "ModPagamento_Id" INTEGER DEFAULT 0,
    "Carico_ModPagamento_Id" INTEGER DEFAULT 0,
    "NumerazioneUnicaNoteCredito" BOOLEAN NOT NULL DEFAULT 0,
    "DuplicaFatturazioneInPrimaNota" BOOLEAN NOT NULL DEFAULT 0,
    "Bank_ID" INTEGER DEFAULT 0,
    "VerificaCoerenza_FattureElett_PrimaEsportazione" BOOLEAN NOT NULL DEFAULT 0,
    "DocumentiRigaIvato" BOOLEAN NOT NULL DEFAULT 0,
    "PrezzoPreventivo" BOOLEAN NOT NULL DEFAULT 0,
    "AggiornaAutomaticamenteInformazioniDaXml" BOOLEAN NOT NULL DEFAULT 0,
    "CartellaEsportazioneFattureElettroniche" TEXT COLLATE UNOCASE,
    "CartellaPredefinitaSequestri" TEXT COLLATE UNOCASE,
    "PrimaNotaDescrizioneSemplificata" BOOLEAN NOT NULL DEFAULT 0,
    "conto_ID_Predefinito_su_FattureAcquisto_Generale" INTEGER DEFAULT 0,
    "conto_ID_Predefinito_su_FattureAcquisto_SpeseTrasporto" INTEGER DEFAULT 0,
    "conto_ID_Predefinito_su_FattureAcquisto_SpeseIncasso" INTEGER DEFAULT 0,
    "conto_ID_Predefinito_su_FattureVendita_Generale" INTEGER DEFAULT 0,
    "conto_ID_Predefinito_su_FattureVendita_SpeseTrasporto" INTEGER DEFAULT 0,
    "conto_ID_Predefinito_su_FattureVendita_SpeseIncasso" INTEGER DEFAULT 0,
    "conto_ID_Predefinito_su_Corrispettivi" INTEGER DEFAULT 0,
    "conto_ID_Predefinito_su_NoteCreditoAcquisto_Generale" INTEGER DEFAULT 0,
    "conto_ID_Predefinito_su_NoteCreditoAcquisto_SpeseTrasporto" INTEGER DEFAULT 0,
    "conto_ID_Predefinito_su_NoteCreditoAcquisto_SpeseIncasso" INTEGER DEFAULT 0,
    "conto_ID_Predefinito_su_NoteCreditoVendita_Generale" INTEGER DEFAULT 0,
    "conto_ID_Predefinito_su_NoteCreditoVendita_SpeseTrasporto" INTEGER DEFAULT 0,
    "conto_ID_Predefinito_su_NoteCreditoVendita_SpeseIncasso" INTEGER DEFAULT 0
);
CREATE INDEX "ix_opzioni_Iva_Id" ON "opzioni" ("Iva_Id");
CREATE INDEX "ix_opzioni_ModPagamento_Id" ON "opzioni" ("ModPagamento_Id");
CREATE INDEX "ix_opzioni_Carico_ModPagamento_Id" ON "opzioni" ("Carico_ModPagamento_Id");
CREATE INDEX "ix_opzioni_Bank_ID" ON "opzioni" ("Bank_ID");

CREATE TABLE "Personalizzazioni" (
    "Id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "NomeTabella" TEXT COLLATE UNOCASE,
    "NomeCampo" TEXT COLLATE UNOCASE,
    "Tipo" TEXT COLLATE UNOCASE,
    "Valore" TEXT COLLATE UNOCASE
);

CREATE TABLE "TempStampa" (
    "Id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "NomeComputer" TEXT COLLATE UNOCASE,
    "NomeProgramma" TEXT COLLATE UNOCASE,
    "NomeReport" TEXT COLLATE UNOCASE,
    "Query" TEXT COLLATE UNOCASE,
    "QuerySottoreport1" TEXT COLLATE UNOCASE,
    "QuerySottoreport2" TEXT COLLATE UNOCASE,
    "Filtro" BOOLEAN NOT NULL DEFAULT 0,
    "Parametro" REAL DEFAULT 0,
    "Setup" BOOLEAN NOT NULL DEFAULT 0,
    "NomeReportLandscape" TEXT COLLATE UNOCASE,
    "PresenzaTestata" BOOLEAN NOT NULL DEFAULT 0,
    "Esportazione" BOOLEAN NOT NULL DEFAULT 0,
    "FileEsportazione" TEXT COLLATE UNOCASE,
    "TipoEsportazione" INTEGER DEFAULT 0
);
CREATE INDEX "ix_TempStampa_NomeComputer" ON "TempStampa" ("NomeComputer");

CREATE TABLE "TipoEsportazioniCrystalReport" (
    "Id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "Attivo" BOOLEAN NOT NULL DEFAULT 0,
    "Descrizione" TEXT COLLATE UNOCASE,
    "Numero" INTEGER DEFAULT 0,
    "Estensione" TEXT COLLATE UNOCASE
);


-- One row per update script (SQLAggio.sql) applied to this database, by its SHA-256, so that
-- a script is never applied twice, whichever workstation finds it first.
CREATE TABLE "AggiornamentiApplicati" (
    "Id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "Impronta" TEXT NOT NULL UNIQUE,
    "NomeFile" TEXT COLLATE UNOCASE,
    "DataApplicazione" DATETIME,
    "NomeComputer" TEXT COLLATE UNOCASE
);
