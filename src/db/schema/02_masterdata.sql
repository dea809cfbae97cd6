-- Tables of the masterdata subsystem. Text columns ignore case (UNOCASE); yes/no columns are
-- BOOLEAN 0/1, never null; dates are text 'YYYY-MM-DD HH:MM:SS'; numbers default to 0 as Access does.

CREATE TABLE "Avvisi" (
    "Id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "Descrizione" TEXT COLLATE UNOCASE,
    "Testo" TEXT COLLATE UNOCASE
);

CREATE TABLE "Bank" (
    "Id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "Annullato" BOOLEAN NOT NULL DEFAULT 0,
    "Banca" TEXT COLLATE UNOCASE,
    "Iban" TEXT COLLATE UNOCASE,
    "Via" TEXT COLLATE UNOCASE,
    "Numero" TEXT COLLATE UNOCASE,
    "Comune" TEXT COLLATE UNOCASE,
    "Cap" TEXT COLLATE UNOCASE,
    "Provincia" TEXT COLLATE UNOCASE,
    "Telefono" TEXT COLLATE UNOCASE,
    "Fax" TEXT COLLATE UNOCASE,
    "Email" TEXT COLLATE UNOCASE,
    "SaldoInizioAnno" REAL DEFAULT 0,
    "Beneficiario" TEXT COLLATE UNOCASE
);

CREATE TABLE "CategoriePersonale" (
    "Id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "Descrizione" TEXT COLLATE UNOCASE
);

CREATE TABLE "Clienti" (
    "Id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "Annullato" BOOLEAN NOT NULL DEFAULT 0,
    "Pagamento_ID" INTEGER DEFAULT 0,
    "EMail" TEXT COLLATE UNOCASE,
    "NominativoVisualizzato" TEXT COLLATE UNOCASE,
    "Cliente" TEXT COLLATE UNOCASE,
    "Cognome" TEXT COLLATE UNOCASE,
    "Nome" TEXT COLLATE UNOCASE,
    "Titolo" TEXT COLLATE UNOCASE,
    "CodEORI" TEXT COLLATE UNOCASE,
    "IdPaese" TEXT COLLATE UNOCASE,
    "Iva" TEXT COLLATE UNOCASE,
    "CodFiscale" TEXT COLLATE UNOCASE,
    "Telefono" TEXT COLLATE UNOCASE,
    "Telefono2" TEXT COLLATE UNOCASE,
    "Contatto" TEXT COLLATE UNOCASE,
    "Fax" TEXT COLLATE UNOCASE,
    "DescBanca" TEXT COLLATE UNOCASE,
    "Iban" TEXT COLLATE UNOCASE,
    "Cellulare" TEXT COLLATE UNOCASE,
    "Skype" TEXT COLLATE UNOCASE,
    "Km" REAL DEFAULT 0,
    "SaldoInizioAnno" REAL DEFAULT 0,
    "Sconto" REAL DEFAULT 0,
    "Internet" TEXT COLLATE UNOCASE,
    "DestinazioneMerce" TEXT COLLATE UNOCASE,
    "Note" TEXT COLLATE UNOCASE,
    "PrivacyFirmata" BOOLEAN NOT NULL DEFAULT 0,
    "Categoria_ID" INTEGER DEFAULT 0,
    "ColoreCategoria" INTEGER DEFAULT 0,
    "NumeroColore" INTEGER DEFAULT 0,
    "NominativoDocumenti" TEXT COLLATE UNOCASE,
    "Sede_Nazione" TEXT COLLATE UNOCASE,
    "Via" TEXT COLLATE UNOCASE,
    "Numero" TEXT COLLATE UNOCASE,
    "Citta" TEXT COLLATE UNOCASE,
    "Cap" TEXT COLLATE UNOCASE,
    "Provincia" TEXT COLLATE UNOCASE,
    "Comune_id" INTEGER DEFAULT 0,
    "Codice" TEXT COLLATE UNOCASE,
    "CodiceUnivocoUfficio" TEXT COLLATE UNOCASE,
    "Pec" TEXT COLLATE UNOCASE,
    "PubblicaAmministrazione" BOOLEAN NOT NULL DEFAULT 0,
    "ScissionePagamenti" BOOLEAN NOT NULL DEFAULT 0,
    "StabileOrganizzazione" BOOLEAN NOT NULL DEFAULT 0,
    "StabileOrganizzazione_Indirizzo" TEXT COLLATE UNOCASE,
    "StabileOrganizzazione_NumeroCivico" TEXT COLLATE UNOCASE,
    "StabileOrganizzazione_Comune" TEXT COLLATE UNOCASE,
    "StabileOrganizzazione_CAP" TEXT COLLATE UNOCASE,
    "StabileOrganizzazione_Provincia" TEXT COLLATE UNOCASE,
    "StabileOrganizzazione_Nazione" TEXT COLLATE UNOCASE,
    "RappresentanteFiscale" BOOLEAN NOT NULL DEFAULT 0,
    "RappresentanteFiscale_Nazione" TEXT COLLATE UNOCASE,
    "RappresentanteFiscale_IdCodice" TEXT COLLATE UNOCASE,
    "RappresentanteFiscale_Denominazione" TEXT COLLATE UNOCASE,
    "RappresentanteFiscale_Cognome" TEXT COLLATE UNOCASE,
    "RappresentanteFiscale_Nome" TEXT COLLATE UNOCASE
);
CREATE INDEX "ix_Clienti_Pagamento_ID" ON "Clienti" ("Pagamento_ID");
CREATE INDEX "ix_Clienti_Categoria_ID" ON "Clienti" ("Categoria_ID");
CREATE INDEX "ix_Clienti_Comune_id" ON "Clienti" ("Comune_id");

CREATE TABLE "ClientiCategoria" (
    "ID" INTEGER PRIMARY KEY AUTOINCREMENT,
    "Descrizione" TEXT COLLATE UNOCASE,
    "ColoreCategoria" INTEGER DEFAULT 0
);

CREATE TABLE "Colori" (
    "Id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "Descrizione" TEXT COLLATE UNOCASE
);

CREATE TABLE "Comuni" (
    "ID" INTEGER PRIMARY KEY AUTOINCREMENT,
    "Cap" TEXT COLLATE UNOCASE,
    "Provincia" TEXT COLLATE UNOCASE,
    "Regione_ID" INTEGER DEFAULT 0,
    "Nazione_ID" INTEGER DEFAULT 0,
    "Comune" TEXT COLLATE UNOCASE,
    "COD_ISTAT" TEXT COLLATE UNOCASE,
    "CODICE_F" TEXT COLLATE UNOCASE,
    "PrefNaz" TEXT COLLATE UNOCASE,
    "Longitudine" REAL DEFAULT 0,
    "Latitudine" REAL DEFAULT 0,
    "Capoluogo" BOOLEAN NOT NULL DEFAULT 0,
    "ImportatoXml" BOOLEAN NOT NULL DEFAULT 0
);
CREATE INDEX "ix_Comuni_Regione_ID" ON "Comuni" ("Regione_ID");
CREATE INDEX "ix_Comuni_Nazione_ID" ON "Comuni" ("Nazione_ID");

CREATE TABLE "EntiSequestratori" (
    "Id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "Descrizione" TEXT COLLATE UNOCASE
);

CREATE TABLE "FatturaAspetto" (
    "id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "Descrizione" TEXT COLLATE UNOCASE
);

CREATE TABLE "FatturaPorto" (
    "id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "Descrizione" TEXT COLLATE UNOCASE,
    "Codice" TEXT COLLATE UNOCASE
);

CREATE TABLE "Fornitor" (
    "Id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "Annullato" BOOLEAN NOT NULL DEFAULT 0,
    "Pagamento_ID" INTEGER DEFAULT 0,
    "Fornitore" TEXT COLLATE UNOCASE,
    "Categoria_ID" INTEGER DEFAULT 0,
    "Cognome" TEXT COLLATE UNOCASE,
    "Nome" TEXT COLLATE UNOCASE,
    "Titolo" TEXT COLLATE UNOCASE,
    "CodEORI" TEXT COLLATE UNOCASE,
    "Codice" TEXT COLLATE UNOCASE,
    "PrivacyFirmata" BOOLEAN NOT NULL DEFAULT 0,
    "ImportatoXml" BOOLEAN NOT NULL DEFAULT 0,
    "Iva" TEXT COLLATE UNOCASE,
    "CodFiscale" TEXT COLLATE UNOCASE,
    "IdPaese" TEXT COLLATE UNOCASE,
    "VIA" TEXT COLLATE UNOCASE,
    "Numero" TEXT COLLATE UNOCASE,
    "Comune" TEXT COLLATE UNOCASE,
    "Cap" TEXT COLLATE UNOCASE,
    "Provincia" TEXT COLLATE UNOCASE,
    "Comune_id" INTEGER DEFAULT 0,
    "Telefono" TEXT COLLATE UNOCASE,
    "Telefono2" TEXT COLLATE UNOCASE,
    "Cellulare" TEXT COLLATE UNOCASE,
    "Fax" TEXT COLLATE UNOCASE,
    "Email" TEXT COLLATE UNOCASE,
    "Pec" TEXT COLLATE UNOCASE,
    "Skype" TEXT COLLATE UNOCASE,
    "Internet" TEXT COLLATE UNOCASE,
    "DestinazioneMerce" TEXT COLLATE UNOCASE,
    "Note" TEXT COLLATE UNOCASE,
    "Iban" TEXT COLLATE UNOCASE,
    "DescBanca" TEXT COLLATE UNOCASE,
    "SaldoInizioAnno" REAL DEFAULT 0
);
CREATE INDEX "ix_Fornitor_Pagamento_ID" ON "Fornitor" ("Pagamento_ID");
CREATE INDEX "ix_Fornitor_Categoria_ID" ON "Fornitor" ("Categoria_ID");
CREATE INDEX "ix_Fornitor_Comune_id" ON "Fornitor" ("Comune_id");

CREATE TABLE "FornitorCategoria" (
    "ID" INTEGER PRIMARY KEY AUTOINCREMENT,
    "Descrizione" TEXT COLLATE UNOCASE
);

CREATE TABLE "Indirizzi" (
    "id_cap" INTEGER PRIMARY KEY AUTOINCREMENT,
    "Frazione" TEXT COLLATE UNOCASE,
    "NumeroCivico" TEXT COLLATE UNOCASE,
    "Cap" TEXT COLLATE UNOCASE,
    "Comune_ID" INTEGER DEFAULT 0,
    "Indirizzo" TEXT COLLATE UNOCASE
);
CREATE INDEX "ix_Indirizzi_Comune_ID" ON "Indirizzi" ("Comune_ID");

CREATE TABLE "Modelli" (
    "Id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "Descrizione" TEXT COLLATE UNOCASE
);

CREATE TABLE "ModPagamento" (
    "id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "Descrizione" TEXT COLLATE UNOCASE,
    "FatturaFineMese" BOOLEAN NOT NULL DEFAULT 0,
    "AnnoCommerciale" BOOLEAN NOT NULL DEFAULT 0,
    "CalcolaScadenzeFineMeseInizio" BOOLEAN NOT NULL DEFAULT 0,
    "GG1Scadenza" INTEGER DEFAULT 0,
    "GG2Scadenza" INTEGER DEFAULT 0,
    "GG3Scadenza" INTEGER DEFAULT 0,
    "GG4Scadenza" INTEGER DEFAULT 0,
    "GG5Scadenza" INTEGER DEFAULT 0,
    "GG6Scadenza" INTEGER DEFAULT 0,
    "GG7Scadenza" INTEGER DEFAULT 0,
    "GG8Scadenza" INTEGER DEFAULT 0,
    "GG9Scadenza" INTEGER DEFAULT 0,
    "GG10Scadenza" INTEGER DEFAULT 0,
    "GG11Scadenza" INTEGER DEFAULT 0,
    "GG12Scadenza" INTEGER DEFAULT 0,
    "NonVisualizzareStampa" BOOLEAN NOT NULL DEFAULT 0,
    "NumeroScadenze" INTEGER DEFAULT 0,
    "FlagCassa" BOOLEAN NOT NULL DEFAULT 0,
    "PA_ModalitaPagamento_Codice" TEXT COLLATE UNOCASE
);

CREATE TABLE "Nazioni" (
    "IDNazione" INTEGER PRIMARY KEY AUTOINCREMENT,
    "Id" INTEGER DEFAULT 0,
    "SIGLA" TEXT COLLATE UNOCASE,
    "DENOMINAZ" TEXT COLLATE UNOCASE
);

CREATE TABLE "PA_ModalitaPagamento" (
    "Id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "Descrizione" TEXT COLLATE UNOCASE,
    "Codice" TEXT COLLATE UNOCASE
);

CREATE TABLE "prezziar" (
    "Id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "Annullato" BOOLEAN NOT NULL DEFAULT 0,
    "DataInserimento" DATETIME,
    "AliquotaIva" REAL DEFAULT 0,
    "Iva_Id" INTEGER DEFAULT 0,
    "Tariffa" TEXT COLLATE UNOCASE,
    "Um_Id" INTEGER DEFAULT 0,
    "Descrizione" TEXT COLLATE UNOCASE,
    "PrezzoCompleto" REAL DEFAULT 0,
    "Prezzo" REAL DEFAULT 0,
    "Sconto" REAL DEFAULT 0,
    "Cliente" TEXT COLLATE UNOCASE,
    "Cliente_ID" INTEGER DEFAULT 0,
    "Codice" TEXT COLLATE UNOCASE,
    "TipoTariffa_Id" INTEGER DEFAULT 0,
    "TipoFatturazione_Id" INTEGER DEFAULT 0,
    "PrezzoFornitore" REAL DEFAULT 0,
    "PrezzoImposto" BOOLEAN NOT NULL DEFAULT 0,
    "Reparto" TEXT COLLATE UNOCASE,
    "Note" TEXT COLLATE UNOCASE,
    "PartenzaCitta" TEXT COLLATE UNOCASE,
    "FineCitta" TEXT COLLATE UNOCASE,
    "Chilometri" REAL DEFAULT 0
);
CREATE INDEX "ix_prezziar_Iva_Id" ON "prezziar" ("Iva_Id");
CREATE INDEX "ix_prezziar_Um_Id" ON "prezziar" ("Um_Id");
CREATE INDEX "ix_prezziar_Cliente_ID" ON "prezziar" ("Cliente_ID");
CREATE INDEX "ix_prezziar_TipoTariffa_Id" ON "prezziar" ("TipoTariffa_Id");
CREATE INDEX "ix_prezziar_TipoFatturazione_Id" ON "prezziar" ("TipoFatturazione_Id");

CREATE TABLE "Province" (
    "Id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "CODPROV" TEXT COLLATE UNOCASE,
    "PROVINCIA" TEXT COLLATE UNOCASE,
    "CAPOLUOGO" TEXT COLLATE UNOCASE,
    "Regione_ID" INTEGER DEFAULT 0
);
CREATE INDEX "ix_Province_Regione_ID" ON "Province" ("Regione_ID");

CREATE TABLE "regioni" (
    "IDRegione" INTEGER PRIMARY KEY AUTOINCREMENT,
    "Descrizione" TEXT COLLATE UNOCASE
);

CREATE TABLE "Reparti" (
    "Id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "Descrizione" TEXT COLLATE UNOCASE
);

CREATE TABLE "StatoUso" (
    "Id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "Descrizione" TEXT COLLATE UNOCASE
);

CREATE TABLE "TempAvvisi" (
    "Id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "NomeComputer" TEXT COLLATE UNOCASE,
    "Testo" TEXT COLLATE UNOCASE
);
CREATE INDEX "ix_TempAvvisi_NomeComputer" ON "TempAvvisi" ("NomeComputer");

CREATE TABLE "TempAvvisiClienti" (
    "Id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "NomeComputer" TEXT COLLATE UNOCASE,
    "Cliente_ID" INTEGER DEFAULT 0
);
CREATE INDEX "ix_TempAvvisiClienti_NomeComputer" ON "TempAvvisiClienti" ("NomeComputer");
CREATE INDEX "ix_TempAvvisiClienti_Cliente_ID" ON "TempAvvisiClienti" ("Cliente_ID");

CREATE TABLE "TempoEtichette" (
    "Id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "NomeComputer" TEXT COLLATE UNOCASE,
    "Descrizione" TEXT COLLATE UNOCASE
);
CREATE INDEX "ix_TempoEtichette_NomeComputer" ON "TempoEtichette" ("NomeComputer");

CREATE TABLE "TempoEtichetteStatiche" (
    "Id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "NomeComputer" TEXT COLLATE UNOCASE,
    "Articolo_ID" INTEGER DEFAULT 0,
    "Barre" TEXT COLLATE UNOCASE,
    "Descrizione" TEXT COLLATE UNOCASE,
    "Prezzo" REAL DEFAULT 0
);
CREATE INDEX "ix_TempoEtichetteStatiche_NomeComputer" ON "TempoEtichetteStatiche" ("NomeComputer");
CREATE INDEX "ix_TempoEtichetteStatiche_Articolo_ID" ON "TempoEtichetteStatiche" ("Articolo_ID");

CREATE TABLE "TipoDocumenti" (
    "Id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "Descrizione" TEXT COLLATE UNOCASE
);

CREATE TABLE "TipoFatturazione" (
    "Id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "Descrizione" TEXT COLLATE UNOCASE
);

CREATE TABLE "TipologiaCalendario" (
    "Id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "Descrizione" TEXT COLLATE UNOCASE
);

CREATE TABLE "TipologiaCostiPersonale" (
    "Id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "Descrizione" TEXT COLLATE UNOCASE
);

CREATE TABLE "TipologiaCostiVetture" (
    "Id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "Descrizione" TEXT COLLATE UNOCASE,
    "Straordinaria" BOOLEAN NOT NULL DEFAULT 0
);

CREATE TABLE "TipologiaScadenzePersonale" (
    "Id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "Descrizione" TEXT COLLATE UNOCASE
);

CREATE TABLE "TipoTariffe" (
    "Id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "Descrizione" TEXT COLLATE UNOCASE
);

CREATE TABLE "UnitaMisura" (
    "Id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "Descrizione" TEXT COLLATE UNOCASE
);

CREATE TABLE "Veicoli" (
    "Id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "Descrizione" TEXT COLLATE UNOCASE,
    "Modello" TEXT COLLATE UNOCASE
);

