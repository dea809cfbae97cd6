-- Tables of the operations subsystem. Text columns ignore case (UNOCASE); yes/no columns are
-- BOOLEAN 0/1, never null; dates are text 'YYYY-MM-DD HH:MM:SS'; numbers default to 0 as Access does.

CREATE TABLE "Calendario" (
    "Id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "Cliente" TEXT COLLATE UNOCASE,
    "Cliente_ID" INTEGER DEFAULT 0,
    "Storico" BOOLEAN NOT NULL DEFAULT 0,
    "Data" DATETIME,
    "Conclusa" BOOLEAN NOT NULL DEFAULT 0,
    "Personale" TEXT COLLATE UNOCASE,
    "TipologiaCalendario" TEXT COLLATE UNOCASE,
    "Note" TEXT COLLATE UNOCASE,
    "DataAvviso" DATETIME,
    "Tariffa_ID" INTEGER DEFAULT 0,
    "Personale_Id" INTEGER DEFAULT 0
);
CREATE INDEX "ix_Calendario_Cliente_ID" ON "Calendario" ("Cliente_ID");
CREATE INDEX "ix_Calendario_Storico_Conclusa_Data" ON "Calendario" ("Storico", "Conclusa", "Data");
CREATE INDEX "ix_Calendario_Data" ON "Calendario" ("Data");
CREATE INDEX "ix_Calendario_Tariffa_ID" ON "Calendario" ("Tariffa_ID");
CREATE INDEX "ix_Calendario_Personale_Id" ON "Calendario" ("Personale_Id");

CREATE TABLE "Carburanti" (
    "ID" INTEGER PRIMARY KEY AUTOINCREMENT,
    "Descrizione" TEXT COLLATE UNOCASE,
    "Prezzo" REAL DEFAULT 0
);

CREATE TABLE "Cisterne" (
    "ID" INTEGER PRIMARY KEY AUTOINCREMENT,
    "Descrizione" TEXT COLLATE UNOCASE,
    "Carburante_ID" INTEGER DEFAULT 0,
    "Litri" REAL DEFAULT 0,
    "Note" TEXT COLLATE UNOCASE
);
CREATE INDEX "ix_Cisterne_Carburante_ID" ON "Cisterne" ("Carburante_ID");

CREATE TABLE "CisterneCarico" (
    "ID" INTEGER PRIMARY KEY AUTOINCREMENT,
    "Data" DATETIME,
    "Cisterna_ID" INTEGER DEFAULT 0,
    "Fattura_ID" INTEGER DEFAULT 0,
    "Importo" REAL DEFAULT 0,
    "Litri" REAL DEFAULT 0,
    "FatturaDescrizione" TEXT COLLATE UNOCASE
);
CREATE INDEX "ix_CisterneCarico_Data" ON "CisterneCarico" ("Data");
CREATE INDEX "ix_CisterneCarico_Cisterna_ID" ON "CisterneCarico" ("Cisterna_ID");
CREATE INDEX "ix_CisterneCarico_Fattura_ID" ON "CisterneCarico" ("Fattura_ID");

CREATE TABLE "Personale" (
    "Id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "Annullato" BOOLEAN NOT NULL DEFAULT 0,
    "CategoriaPersonale_ID" INTEGER DEFAULT 0,
    "Personale" TEXT COLLATE UNOCASE,
    "Numero" TEXT COLLATE UNOCASE,
    "Comune_Id" INTEGER DEFAULT 0,
    "Cell" TEXT COLLATE UNOCASE,
    "CodFisc" TEXT COLLATE UNOCASE,
    "Codice" TEXT COLLATE UNOCASE,
    "CQC" TEXT COLLATE UNOCASE,
    "DataAssunzione" DATETIME,
    "DataFineRapporto" DATETIME,
    "DataNascita" DATETIME,
    "DocTipo" TEXT COLLATE UNOCASE,
    "Documento" TEXT COLLATE UNOCASE,
    "Email" TEXT COLLATE UNOCASE,
    "Fax" TEXT COLLATE UNOCASE,
    "Indirizzo" TEXT COLLATE UNOCASE,
    "Iva" TEXT COLLATE UNOCASE,
    "PagaMensile" REAL DEFAULT 0,
    "Tachigrafo" TEXT COLLATE UNOCASE,
    "TariffaGiornaliera" REAL DEFAULT 0,
    "Tel" TEXT COLLATE UNOCASE,
    "IdPaese" TEXT COLLATE UNOCASE,
    "Nome" TEXT COLLATE UNOCASE,
    "Cognome" TEXT COLLATE UNOCASE,
    "Titolo" TEXT COLLATE UNOCASE,
    "CodEORI" TEXT COLLATE UNOCASE,
    "NumeroLicenzaGuida" TEXT COLLATE UNOCASE,
    "Cap" TEXT COLLATE UNOCASE,
    "Telefono2" TEXT COLLATE UNOCASE,
    "Skype" TEXT COLLATE UNOCASE,
    "Note" TEXT COLLATE UNOCASE,
    "CartellaServer" TEXT COLLATE UNOCASE,
    "PrivacyFirmata" BOOLEAN NOT NULL DEFAULT 0,
    "TariffaOraria" REAL DEFAULT 0,
    "Iban" TEXT COLLATE UNOCASE,
    "DescBanca" TEXT COLLATE UNOCASE,
    "LuogoNascita_id" INTEGER DEFAULT 0,
    "StatoNascita" TEXT COLLATE UNOCASE,
    "Cittadinanza" TEXT COLLATE UNOCASE,
    "Passaporto_Numero" TEXT COLLATE UNOCASE,
    "Passaporto_DataRilascio" DATETIME,
    "PermSogg_Questura" TEXT COLLATE UNOCASE,
    "PermSogg_Numero" TEXT COLLATE UNOCASE,
    "PermSogg_Data" DATETIME,
    "PermSogg_Scadenza" DATETIME
);
CREATE INDEX "ix_Personale_CategoriaPersonale_ID" ON "Personale" ("CategoriaPersonale_ID");
CREATE INDEX "ix_Personale_Comune_Id" ON "Personale" ("Comune_Id");
CREATE INDEX "ix_Personale_LuogoNascita_id" ON "Personale" ("LuogoNascita_id");

CREATE TABLE "PersonaleCosti" (
    "Id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "Data" DATETIME,
    "Importo" REAL DEFAULT 0,
    "Note" TEXT COLLATE UNOCASE,
    "Personale_ID" INTEGER DEFAULT 0,
    "TipologiaCosto" TEXT COLLATE UNOCASE,
    "TipologiaCosto_id" INTEGER DEFAULT 0
);
CREATE INDEX "ix_PersonaleCosti_Data" ON "PersonaleCosti" ("Data");
CREATE INDEX "ix_PersonaleCosti_Personale_ID" ON "PersonaleCosti" ("Personale_ID");
CREATE INDEX "ix_PersonaleCosti_TipologiaCosto_id" ON "PersonaleCosti" ("TipologiaCosto_id");

CREATE TABLE "PersonaleScadenze" (
    "Id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "Note" TEXT COLLATE UNOCASE,
    "DataScadenza" DATETIME,
    "Descrizione" TEXT COLLATE UNOCASE,
    "Personale_ID" INTEGER DEFAULT 0,
    "Validato" BOOLEAN NOT NULL DEFAULT 0,
    "DataAvviso" DATETIME,
    "Tipologia" TEXT COLLATE UNOCASE
);
CREATE INDEX "ix_PersonaleScadenze_DataScadenza" ON "PersonaleScadenze" ("DataScadenza");
CREATE INDEX "ix_PersonaleScadenze_Personale_ID" ON "PersonaleScadenze" ("Personale_ID");

CREATE TABLE "PersonaleStipendi" (
    "Id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "Anno" INTEGER DEFAULT 0,
    "Mese" TEXT COLLATE UNOCASE,
    "Accrediti" REAL DEFAULT 0,
    "Accrediti_Descrizione" TEXT COLLATE UNOCASE,
    "Addebiti" REAL DEFAULT 0,
    "Addebiti_Descrizione" TEXT COLLATE UNOCASE,
    "Assegni" REAL DEFAULT 0,
    "Base" REAL DEFAULT 0,
    "DataPagamento" DATETIME,
    "Giorni" REAL DEFAULT 0,
    "ImportoBonifico" REAL DEFAULT 0,
    "Note" TEXT COLLATE UNOCASE,
    "Personale_ID" INTEGER DEFAULT 0,
    "Trasferta" REAL DEFAULT 0,
    "TotaleParziale" REAL DEFAULT 0
);
CREATE INDEX "ix_PersonaleStipendi_Personale_ID" ON "PersonaleStipendi" ("Personale_ID");

CREATE TABLE "Rifornimenti" (
    "ID" INTEGER PRIMARY KEY AUTOINCREMENT,
    "Descrizione" TEXT COLLATE UNOCASE,
    "Comune" TEXT COLLATE UNOCASE,
    "Comune_ID" INTEGER DEFAULT 0,
    "Indirizzo" TEXT COLLATE UNOCASE,
    "Note" TEXT COLLATE UNOCASE
);
CREATE INDEX "ix_Rifornimenti_Comune_ID" ON "Rifornimenti" ("Comune_ID");

CREATE TABLE "Sequestri" (
    "Id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "EnteSequestratore" TEXT COLLATE UNOCASE,
    "EnteSequestratore_Id" INTEGER DEFAULT 0,
    "Storico" BOOLEAN NOT NULL DEFAULT 0,
    "Preventivo_Id" INTEGER DEFAULT 0,
    "Fattura_Id" INTEGER DEFAULT 0,
    "AutoTarga" TEXT COLLATE UNOCASE,
    "Numero" INTEGER DEFAULT 0,
    "NumeroLettera" TEXT COLLATE UNOCASE,
    "Data" DATETIME,
    "AutoModello" TEXT COLLATE UNOCASE,
    "Confisca" BOOLEAN NOT NULL DEFAULT 0,
    "DataDissequestro" DATETIME,
    "Matricola" TEXT COLLATE UNOCASE,
    "Note" TEXT COLLATE UNOCASE,
    "Proprietario" TEXT COLLATE UNOCASE,
    "TipoSequestro" TEXT COLLATE UNOCASE,
    "Fatturato" BOOLEAN NOT NULL DEFAULT 0,
    "Preventivo_Descrizione" TEXT COLLATE UNOCASE,
    "Fattura_Descrizione" TEXT COLLATE UNOCASE,
    "TipoSequestro_Id" INTEGER DEFAULT 0,
    "Cartella" TEXT COLLATE UNOCASE
);
CREATE INDEX "ix_Sequestri_EnteSequestratore_Id" ON "Sequestri" ("EnteSequestratore_Id");
CREATE INDEX "ix_Sequestri_Storico_Data" ON "Sequestri" ("Storico", "Data");
CREATE INDEX "ix_Sequestri_Preventivo_Id" ON "Sequestri" ("Preventivo_Id");
CREATE INDEX "ix_Sequestri_Fattura_Id" ON "Sequestri" ("Fattura_Id");
CREATE INDEX "ix_Sequestri_Data" ON "Sequestri" ("Data");
CREATE INDEX "ix_Sequestri_TipoSequestro_Id" ON "Sequestri" ("TipoSequestro_Id");

CREATE TABLE "TipoSequestri" (
    "ID" INTEGER PRIMARY KEY AUTOINCREMENT,
    "Descrizione" TEXT COLLATE UNOCASE
);

CREATE TABLE "Vetture" (
    "ID" INTEGER PRIMARY KEY AUTOINCREMENT,
    "Colore" TEXT COLLATE UNOCASE,
    "Modello" TEXT COLLATE UNOCASE,
    "VeicoloDesc" TEXT COLLATE UNOCASE,
    "Targa" TEXT COLLATE UNOCASE,
    "Veicolo_ID" INTEGER DEFAULT 0,
    "Carburante_id" INTEGER DEFAULT 0,
    "Chilometri" REAL DEFAULT 0,
    "Cilindrata" REAL DEFAULT 0,
    "DataImmatricolazione" DATETIME,
    "Note" TEXT COLLATE UNOCASE,
    "NumTelaio" TEXT COLLATE UNOCASE,
    "Personale_ID" INTEGER DEFAULT 0,
    "CartellaServer" TEXT COLLATE UNOCASE,
    "TassaCircolazioneAnnua" REAL DEFAULT 0,
    "Assicurazione" REAL DEFAULT 0,
    "TotaleCostoManutenzione" REAL DEFAULT 0,
    "TotaleCarburante" REAL DEFAULT 0,
    "TotaleLitriCarburante" REAL DEFAULT 0
);
CREATE INDEX "ix_Vetture_Veicolo_ID" ON "Vetture" ("Veicolo_ID");
CREATE INDEX "ix_Vetture_Carburante_id" ON "Vetture" ("Carburante_id");
CREATE INDEX "ix_Vetture_Personale_ID" ON "Vetture" ("Personale_ID");

CREATE TABLE "VettureCarburante" (
    "ID" INTEGER PRIMARY KEY AUTOINCREMENT,
    "Data" DATETIME,
    "Cisterna_ID" INTEGER DEFAULT 0,
    "Importo" REAL DEFAULT 0,
    "KmArrivo" REAL DEFAULT 0,
    "KmDifferenza" REAL DEFAULT 0,
    "KmPartenza" REAL DEFAULT 0,
    "Litri" REAL DEFAULT 0,
    "Note" TEXT COLLATE UNOCASE,
    "Personale_ID" INTEGER DEFAULT 0,
    "Rifornimento_ID" INTEGER DEFAULT 0,
    "Vettura_ID" INTEGER DEFAULT 0,
    "VettureScheda_ID" INTEGER DEFAULT 0,
    "Cisterna" TEXT COLLATE UNOCASE
);
CREATE INDEX "ix_VettureCarburante_Data" ON "VettureCarburante" ("Data");
CREATE INDEX "ix_VettureCarburante_Cisterna_ID" ON "VettureCarburante" ("Cisterna_ID");
CREATE INDEX "ix_VettureCarburante_Personale_ID" ON "VettureCarburante" ("Personale_ID");
CREATE INDEX "ix_VettureCarburante_Rifornimento_ID" ON "VettureCarburante" ("Rifornimento_ID");
CREATE INDEX "ix_VettureCarburante_Vettura_ID" ON "VettureCarburante" ("Vettura_ID");
CREATE INDEX "ix_VettureCarburante_VettureScheda_ID" ON "VettureCarburante" ("VettureScheda_ID");

CREATE TABLE "VettureCosti" (
    "Id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "Data" DATETIME,
    "Importo" REAL DEFAULT 0,
    "Note" TEXT COLLATE UNOCASE,
    "TipologiaCosto" TEXT COLLATE UNOCASE,
    "Vettura_ID" INTEGER DEFAULT 0,
    "TipologiaCosto_id" INTEGER DEFAULT 0
);
CREATE INDEX "ix_VettureCosti_Data" ON "VettureCosti" ("Data");
CREATE INDEX "ix_VettureCosti_Vettura_ID" ON "VettureCosti" ("Vettura_ID");
CREATE INDEX "ix_VettureCosti_TipologiaCosto_id" ON "VettureCosti" ("TipologiaCosto_id");

CREATE TABLE "VettureScadenze" (
    "Id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "Note" TEXT COLLATE UNOCASE,
    "DataScadenza" DATETIME,
    "Descrizione" TEXT COLLATE UNOCASE,
    "Vettura_ID" INTEGER DEFAULT 0,
    "Validato" BOOLEAN NOT NULL DEFAULT 0,
    "DataAvviso" DATETIME
);
CREATE INDEX "ix_VettureScadenze_DataScadenza" ON "VettureScadenze" ("DataScadenza");
CREATE INDEX "ix_VettureScadenze_Vettura_ID" ON "VettureScadenze" ("Vettura_ID");

CREATE TABLE "VettureSchede" (
    "Id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "Numero" TEXT COLLATE UNOCASE,
    "Note" TEXT COLLATE UNOCASE,
    "Pin" TEXT COLLATE UNOCASE,
    "Scheda" TEXT COLLATE UNOCASE,
    "Vettura_ID" INTEGER DEFAULT 0
);
CREATE INDEX "ix_VettureSchede_Vettura_ID" ON "VettureSchede" ("Vettura_ID");

