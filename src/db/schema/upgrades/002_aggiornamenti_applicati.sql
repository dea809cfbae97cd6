CREATE TABLE "AggiornamentiApplicati" (
    "Id" INTEGER PRIMARY KEY AUTOINCREMENT,
    "Impronta" TEXT NOT NULL UNIQUE,
    "NomeFile" TEXT COLLATE UNOCASE,
    "DataApplicazione" DATETIME,
    "NomeComputer" TEXT COLLATE UNOCASE
);
