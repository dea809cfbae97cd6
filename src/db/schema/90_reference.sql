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

-- The kinds of seizure the seizure editor offers (nothing in the program writes them).
INSERT INTO "TipoSequestri" ("ID", "Descrizione") VALUES
    (1, 'Fermo amministrativo'), (2, 'Sequestro amministrativo'), (3, 'Sequestro penale preventivo'),
    (4, 'Sequestro penale probatorio'), (5, 'Sequestro conservativo');

-- The single rows of the options and of the company.
INSERT INTO "opzioni" ("TipoEsportazione", "EstensioneEsportazione") VALUES (1, 'pdf');
INSERT INTO "ditta" DEFAULT VALUES;

-- The VAT rates a company needs from the first day: the four Italian rates and, at 0, the
-- natures an invoice most often carries. The ordinary rate and the excluded disbursements are
-- not deletable (upgrades/004 adds the same rows to a database that has no rate at all).
INSERT INTO "Iva" ("Iva", "Descrizione", "Pa_Natura_Codice", "NonEliminabile") VALUES
    (22, 'Iva 22%', NULL, 1),
    (10, 'Iva 10%', NULL, 0),
    (5, 'Iva 5%', NULL, 0),
    (4, 'Iva 4%', NULL, 0),
    (0, 'Escluso art. 15 DPR 633/72', 'N1', 1),
    (0, 'Non soggetto - altri casi', 'N2.2', 0),
    (0, 'Non imponibile - esportazioni', 'N3.1', 0),
    (0, 'Non imponibile - cessioni intracomunitarie', 'N3.2', 0),
    (0, 'Non imponibile - dichiarazione d''intento', 'N3.5', 0),
    (0, 'Esente art. 10 DPR 633/72', 'N4', 0),
    (0, 'Inversione contabile - altri casi', 'N6.9', 0);
