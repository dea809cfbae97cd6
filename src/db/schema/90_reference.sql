-- Rows a new database comes with (the longer lists are in data/*.tsv).

INSERT INTO "TipologiaPrimaNota" ("Id", "Descrizione") VALUES (1, 'Cassa'), (2, 'Banca'), (3, 'Fuori Cassa');

INSERT INTO "Mesi" ("numero", "Mese") VALUES
    (1, 'Gennaio'), (2, 'Febbraio'), (3, 'Marzo'), (4, 'Aprile'), (5, 'Maggio'), (6, 'Giugno'),
    (7, 'Luglio'), (8, 'Agosto'), (9, 'Settembre'), (10, 'Ottobre'), (11, 'Novembre'), (12, 'Dicembre');

INSERT INTO "ContabilitaTrimestri" ("Numero", "Descrizione") VALUES
    (1, '1° Trimestre'), (2, '2° Trimestre'), (3, '3° Trimestre'), (4, '4° Trimestre');

-- The export formats the report program really writes.
INSERT INTO "TipoEsportazioniCrystalReport" ("Numero", "Descrizione", "Estensione", "Attivo") VALUES (1, 'PDF', 'pdf', 1);

-- The supplements tariff type: invoices and quotes offer supplements by this id.
INSERT INTO "TipoTariffe" ("Id", "Descrizione") VALUES (5, 'Supplementi');

-- The single rows of the options and of the company.
INSERT INTO "opzioni" ("TipoEsportazione", "EstensioneEsportazione") VALUES (1, 'pdf');
INSERT INTO "ditta" DEFAULT VALUES;
