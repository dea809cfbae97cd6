-- The VAT rates of a new database, for a database that has none (rates already kept are left
-- as they are).
INSERT INTO "Iva" ("Iva", "Descrizione", "Pa_Natura_Codice", "NonEliminabile")
SELECT r.iva, r.descrizione, r.natura, r.fissa FROM (
    SELECT 22 AS iva, 'Iva 22%' AS descrizione, NULL AS natura, 1 AS fissa
    UNION ALL SELECT 10, 'Iva 10%', NULL, 0
    UNION ALL SELECT 5, 'Iva 5%', NULL, 0
    UNION ALL SELECT 4, 'Iva 4%', NULL, 0
    UNION ALL SELECT 0, 'Escluso art. 15 DPR 633/72', 'N1', 1
    UNION ALL SELECT 0, 'Non soggetto - altri casi', 'N2.2', 0
    UNION ALL SELECT 0, 'Non imponibile - esportazioni', 'N3.1', 0
    UNION ALL SELECT 0, 'Non imponibile - cessioni intracomunitarie', 'N3.2', 0
    UNION ALL SELECT 0, 'Non imponibile - dichiarazione d''intento', 'N3.5', 0
    UNION ALL SELECT 0, 'Esente art. 10 DPR 633/72', 'N4', 0
    UNION ALL SELECT 0, 'Inversione contabile - altri casi', 'N6.9', 0
) AS r
WHERE NOT EXISTS (SELECT 1 FROM "Iva");
