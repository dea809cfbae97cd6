#include "tst_reports.h"

#include "Layout.h"
#include "PreviewWindow.h"
#include "accounting/services/Bilancio.h"
#include "Program.h"
#include "Request.h"
#include "data/services/Stampe.h"
#include "masterdata/services/Avvisi.h"
#include "support/TestSupport.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QTest>
#include <memory>

using namespace testing_support;

namespace {

const QString InvoiceQuery = QStringLiteral(
    "SELECT fattdett.Codice, fattdett.TipoRiga, Iva.ID AS Iva_ID, Iva.Descrizione AS IVA_Descrizione, Iva.Pa_Natura_Codice AS "
    "IvaNatura, fattdett.Reparto, "
    "fattdett.AliquotaIva, fattdett.ValoreTotale, fattdett.Sconto, fattdett.ValoreUnitario, fattdett.Um, fattdett.Descrizione, "
    "fattura.Num, fattura.TotImposta, fattura.TotFattura, fattura.TotImponibile, Bank.Banca, Bank.Comune, Bank.Provincia, "
    "Bank.Cap, Bank.Via, Bank.Numero AS BancaNumero, fattura.Data AS FatturaData, fattdett.note AS RigheNote, fattura.Note AS "
    "TestataNote, ModPagamento.Descrizione AS ModPagamento, fattdett.note, fattura.ConaiAssolto, FatturaAspetto.Descrizione AS "
    "Aspetto, FatturaPorto.Descrizione AS Porto, Personale.Personale, Personale.Iva AS PersIva, Personale.CodFisc AS "
    "PersCodFisc,  Personale.Tel AS PerTels, Personale.Fax AS PersFax, Personale.Cell AS PersCell, Personale.Numero AS PersNum, "
    "Personale.Codice AS PersCodice, Comuni.Comune AS PersComune, Personale.Indirizzo AS PersIndirizzo, Comuni.Provincia AS "
    "PersProvincia, Vettore.Descrizione AS VettoreDesc, Clienti.NominativoDocumenti as Cliente, Clienti.Via AS CliVia, "
    "Clienti.Telefono AS CliTelefono, Clienti.Fax AS CliFax, Clienti.Citta AS CliCitta, Clienti.Iva AS CliIva, "
    "Clienti.Provincia AS CliProvincia, Clienti.Cap AS CliCap, Clienti.CodFiscale AS CliCodFiscale, Clienti.Numero AS "
    "CliNumero, Clienti.Codice AS CliCodice, Clienti.DestinazioneMerce AS CliDestMerce, Vettore.VettoreVisibile, Comuni.CAP AS "
    "PersCap, fattura.SerieFatturazione, fattdett.RIFDDT, fattdett.DataDDT,  fattdett.Targa1, fattura.ReferenteIva, "
    "UnitaMisura.Descrizione AS UnitaMisura, Bank.Iban AS IbanAzienda, fattura.TipoTariffa_Id, fattura.TipoFatturazione_Id, "
    "fattura.ComuneFermo_ID, fattura.ComuneDestinazione_ID, fattura.Targa, fattura.DataIngressoVeicolo, "
    "fattura.DataUscitaVeicolo, TipoTariffe.Descrizione AS TipoTariffa, TipoFatturazione.Descrizione AS TipoFatturazione, "
    "Comuni_1.Comune AS ComuneRitiro, Comuni_2.Comune AS ComuneDestinazione, fattura.Km, fattura.Giorni, "
    "fattura.Causale,fattdett.NumeroRiga FROM (((((Vettore RIGHT JOIN (((((((fattdett LEFT JOIN Iva ON fattdett.Iva_ID = "
    "Iva.ID) INNER JOIN ((fattura LEFT JOIN Bank ON fattura.Banca_ID = Bank.Id) LEFT JOIN ModPagamento ON "
    "fattura.ModPagamento_Id = ModPagamento.id) ON fattdett.NumFatt = fattura.ID) LEFT JOIN Clienti ON fattura.Cliente_ID = "
    "Clienti.Id) LEFT JOIN FatturaAspetto ON fattura.Aspetto_ID = FatturaAspetto.id) LEFT JOIN FatturaPorto ON "
    "fattura.Porto_ID = FatturaPorto.id) LEFT JOIN Personale ON fattura.Personale_ID = Personale.Id) LEFT JOIN Comuni ON "
    "Personale.Comune_Id = Comuni.ID) ON Vettore.id = fattura.Vettore_ID) LEFT JOIN UnitaMisura ON fattdett.Um_ID = "
    "UnitaMisura.Id) LEFT JOIN TipoTariffe ON fattura.TipoTariffa_Id = TipoTariffe.id) LEFT JOIN TipoFatturazione ON "
    "fattura.TipoFatturazione_Id = TipoFatturazione.id) LEFT JOIN Comuni AS Comuni_1 ON fattura.ComuneFermo_ID = "
    "Comuni_1.ID) LEFT JOIN Comuni AS Comuni_2 ON fattura.ComuneDestinazione_ID = Comuni_2.ID WHERE fattura.ID = 7 Order by "
    "fattdett.NumeroRiga");
const QString InstalmentsQuery = QStringLiteral(
    "SELECT FatturaScadenze.Numero, FatturaScadenze.DataScadenza, FatturaScadenze.Operazione, FatturaScadenze.DataPagamento, "
    "FatturaScadenze.Importo, ModPagamento.Descrizione AS ModPagamento, FatturaScadenze.Note, FatturaScadenze.Dettagli, "
    "Bank.Banca, Bank.Iban, FatturaScadenze.Fattura_ID,ModPagamento.NonVisualizzareStampa FROM ((FatturaScadenze LEFT JOIN "
    "ModPagamento ON FatturaScadenze.ModPagamento_Id = ModPagamento.id) LEFT JOIN Bank ON FatturaScadenze.Banca_ID = Bank.Id) "
    "INNER JOIN fattura ON FatturaScadenze.Fattura_ID = fattura.ID Where FatturaScadenze.Fattura_ID = 7 order by "
    "FatturaScadenze.Numero, FatturaScadenze.DataScadenza");
const QString OrdersQuery = QStringLiteral(
    "SELECT OrdiniClienti.Data, OrdiniClienti.Numero, OrdiniClienti.CodiceCig, OrdiniClienti.CodiceCup, "
    "OrdiniClienti.CodiceCommessaConvenzione, OrdiniClienti.Note FROM OrdiniClienti INNER JOIN fattura ON "
    "OrdiniClienti.Fattura_ID = fattura.ID WHERE fattura.ID = 7 order by OrdiniClienti.Data");
const QString CustomersQuery = QStringLiteral(
    "SELECT Clienti.NominativoDocumenti, Clienti.Cliente as RagioneSociale,Clienti.Cognome, Clienti.Nome, Clienti.Via, "
    "Clienti.Telefono, Clienti.Fax, Clienti.Cellulare, Clienti.EMail, Clienti.Citta, Clienti.Iva, Clienti.Provincia, "
    "Clienti.Cap, Clienti.CodFiscale, Clienti.Numero, Clienti.Codice, Clienti.SaldoInizioAnno FROM Clienti WHERE "
    "(((Clienti.Annullato)=0))");
const QString LabelsQuery = QStringLiteral(
    "SELECT Clienti.Codice, Clienti.NominativoDocumenti as Descrizione, Clienti.Via, Clienti.Citta, Clienti.Provincia, "
    "Clienti.Cap, Clienti.Numero as NumCasa  FROM Clienti WHERE (((Clienti.Annullato)=0))");

QString lit(const QString &s)
{
    return s.isNull() ? QStringLiteral("NULL") : u'\'' + QString(s).replace(u'\'', QStringLiteral("''")) + u'\'';
}

QString reportPath(const QString &name)
{
    return QDir(QStringLiteral(REPORTS_DIR)).filePath(name);
}

QString pdfText(const QString &path)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!p.waitForFinished(60000) || p.exitCode() != 0) return QStringLiteral("<pdftotext failed: %1>").arg(QString::fromUtf8(p.readAllStandardError()));
    return QString::fromUtf8(p.readAllStandardOutput());
}

struct Outcome {
    int exitCode = -1;
    QString errors;
};

struct Archivio {
    Seams seams;
    TestDatabase database{TestDatabase::WithSchema};
    QTemporaryDir out;

    Archivio()
    {
        seams.workstation.folder = database.folder();
        QImage logo(40, 20, QImage::Format_RGB32);
        logo.fill(QColor(200, 30, 30));
        QByteArray bmp;
        QBuffer buffer(&bmp);
        buffer.open(QIODevice::WriteOnly);
        logo.save(&buffer, "BMP");
        db::Connection &c = database.conn();
        c.execute("UPDATE ditta SET RagSoc = 'Soccorso Stradale Pellavantoria', Via = 'Via dei Mille', Numero = '8', "
                  "Cap = '20100', Comune = 'Milano', Provincia = 'MI', PIva = '09876543210', Tel = '02 1234567'");
        database.exec(QStringLiteral("UPDATE ditta SET Logo = x'%1'").arg(QString::fromLatin1(bmp.toHex())));
        database.exec(
            "INSERT INTO Clienti (Id, NominativoDocumenti, Cliente, Via, Numero, Citta, Cap, Provincia, Iva, Telefono) VALUES "
            "(1, 'Autofficina Bianchi S.r.l.', 'Bianchi', 'Via Garibaldi', '5', 'Como', '22100', 'CO', '01234567890', '031 555'),"
            "(2, 'Carrozzeria Verdi', 'Verdi', 'Corso Italia', '12', 'Lecco', '23900', 'LC', NULL, NULL);"
            "INSERT INTO Clienti (Id, NominativoDocumenti, Annullato) VALUES (3, 'Cliente Annullato', 1);");
    }

    void invoice()
    {
        database.exec(
            "DELETE FROM Iva; INSERT INTO Iva (ID, Descrizione, Iva) VALUES (1, 'IVA 22%', 22), (2, 'IVA 10%', 10);"
            "INSERT INTO Bank (Id, Banca, Iban, Via, Numero, Comune, Cap, Provincia) VALUES "
            "(1, 'Banca Popolare di Sondrio', 'IT60X0542811101000000123456', 'Via Roma', '10', 'Sondrio', '23100', 'SO');"
            "INSERT INTO ModPagamento (id, Descrizione) VALUES (1, 'Bonifico 30/60 gg');"
            "INSERT INTO fattura (ID, Num, SerieFatturazione, Data, Cliente_ID, Cliente, Banca_ID, ModPagamento_Id, Targa, Km, Giorni,"
            " DataIngressoVeicolo, DataUscitaVeicolo, TotImponibile, TotImposta, TotFattura) VALUES (7, 12, 'A', '2026-03-10 00:00:00',"
            " 1, 'Autofficina Bianchi S.r.l.', 1, 1, 'AB123CD', 120, 3, '2026-03-07 00:00:00', '2026-03-09 00:00:00', 1037.5,"
            " 223.75, 1261.25);"
            "INSERT INTO fattdett (NumFatt, NumeroRiga, Codice, Descrizione, Um, ValoreUnitario, Sconto, AliquotaIva, Iva_ID,"
            " ValoreTotale, TotaleImponibile) VALUES"
            " (7, 1, 'REC', 'Recupero veicolo con carro attrezzi', 1, 1000, 0, 22, 1, 1220, 1000),"
            " (7, 2, 'CUS', 'Custodia giornaliera', 3, 12.5, 0, 10, 2, 41.25, 37.5);"
            "INSERT INTO FatturaScadenze (Fattura_ID, Numero, DataScadenza, Importo, ModPagamento_Id, Banca_ID, Tipo) VALUES"
            " (7, 1, '2026-04-09 00:00:00', 630.62, 1, 1, 'F'), (7, 2, '2026-05-09 00:00:00', 630.63, 1, 1, 'F');");
    }

    // This workstation's print request, as the print dispatcher writes it.
    void request(const QString &report, const QString &query, const QString &sub1 = QString(), const QString &sub2 = QString(),
                 bool exporting = true, int format = 1, const QString &computer = QString())
    {
        database.exec("DELETE FROM TempStampa");
        database.exec(QStringLiteral("INSERT INTO TempStampa (NomeComputer, NomeProgramma, NomeReport, NomeReportLandscape, Query, "
                                     "QuerySottoreport1, QuerySottoreport2, Filtro, Setup, PresenzaTestata, Esportazione, "
                                     "FileEsportazione, TipoEsportazione, Parametro) VALUES (%1, 'Pellavantoria', %2, %3, %4, %5, "
                                     "%6, 0, 0, %7, %8, %9, %10, %11)")
                          .arg(lit(computer.isEmpty() ? seams.workstation.name : computer), lit(report),
                               lit(QString(report).replace(QStringLiteral(".rpt"), QStringLiteral("Lan.rpt"))), lit(query),
                               lit(sub1), lit(sub2),
                               report.contains(QStringLiteral("Etichette")) ? QStringLiteral("0") : QStringLiteral("1"),
                               exporting ? QStringLiteral("1") : QStringLiteral("0"), lit(pdf()))
                          .arg(format)
                          .arg(parametro));
    }
    double parametro = 0;
    QString pdf() const { return out.filePath(QStringLiteral("stampa.pdf")); }

    int runInProcess() { return stampa::run({QStringLiteral("stampa"), database.path()}); }

    // The program itself, started as the print dispatcher starts it, on this machine's name.
    Outcome runProgram(const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment())
    {
        QProcess p;
        p.setProcessEnvironment(environment);
        p.start(QStringLiteral(STAMPA_EXE), {database.path()});
        if (!p.waitForFinished(120000)) {
            p.kill();
            p.waitForFinished();
            return Outcome{-1, QStringLiteral("stampa did not end")};
        }
        return Outcome{p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardError())};
    }
    QString realComputerName()
    {
        ui::Workstation::setInstance(nullptr);
        const QString name = stampa::workstationName();
        ui::Workstation::setInstance(&seams.workstation);
        return name;
    }
};
std::unique_ptr<Archivio> a;

#define VERIFY_TEXT(text, part) QVERIFY2((text).contains(part), qPrintable(QStringLiteral("missing \"%1\" in:\n%2").arg(part, text)))

} // namespace

void TestReports::init() { a = std::make_unique<Archivio>(); }

void TestReports::cleanup()
{
    QVERIFY2(a->seams.dialogs.clean(), qPrintable(a->seams.dialogs.report()));
    a.reset();
}

void TestReports::listShowsCustomersUnderTheCompanyHeader()
{
    a->request(reportPath("Clienti.rpt"), CustomersQuery);
    QCOMPARE(a->runInProcess(), 0);
    const QString text = pdfText(a->pdf());
    VERIFY_TEXT(text, "Soccorso Stradale Pellavantoria");
    VERIFY_TEXT(text, "P.IVA 09876543210");
    VERIFY_TEXT(text, "Elenco clienti");
    VERIFY_TEXT(text, "Autofficina Bianchi S.r.l.");
    VERIFY_TEXT(text, "Via Garibaldi 5");
    VERIFY_TEXT(text, "22100 Como (CO)");
    VERIFY_TEXT(text, "Carrozzeria Verdi");
    VERIFY_TEXT(text, "Pagina 1 di 1");
    QVERIFY(!text.contains("Cliente Annullato"));

    QProcess images; // the company's logo is on the page
    images.start(QStringLiteral("pdfimages"), {QStringLiteral("-list"), a->pdf()});
    QVERIFY(images.waitForFinished(60000));
    QCOMPARE(QString::fromUtf8(images.readAllStandardOutput()).count(QStringLiteral(" image ")), 1);
}

// The balance and an account statement, built for this workstation and printed by the report
// program as the print dispatcher asks for codes 15 and 28. Another workstation's rows stay out.
void TestReports::balanceAndAccountStatementOfThisWorkstation()
{
    a->database.exec(
        "INSERT INTO ContabilitaClassi (Id, Descrizione) VALUES (1, 'Ricavi'), (2, 'Costi');"
        "INSERT INTO ContabilitaRaggruppamenti (Id, Descrizione, Classe_ID) VALUES (10, 'Servizi', 1), (20, 'Acquisti', 2);"
        "INSERT INTO ContabilitaConti (ID, Descrizione, Raggruppamento_ID) VALUES (101, 'Soccorsi', 10), (201, 'Ricambi', 20), (301, 'Cassa', 10);"
        "UPDATE opzioni SET conto_ID_Predefinito_su_Corrispettivi = 301;"
        "INSERT INTO fattura (ID, Num, SerieFatturazione, Data, DataRegistrazione, Carico, FattNota, NumeroCarico, ProgressivoCarico) VALUES"
        " (1, 14, 'A', '2025-03-10 00:00:00', NULL, 0, 0, NULL, 0), (2, 3, 'NC', '2025-04-01 00:00:00', NULL, 0, 1, NULL, 0),"
        " (3, 0, NULL, '2025-01-30 00:00:00', '2025-02-02 00:00:00', 1, 0, 'FT-881', 7);"
        "INSERT INTO fattdett (NumFatt, Descrizione, Um, ValoreUnitario, Sconto, ContabilitaConti_ID) VALUES (1, 'Soccorso A1', 2, 612.25, 0, 101);"
        "INSERT INTO NotaCreditoRighe (NotaCredito_ID, Descrizione, Um, ValoreUnitario, Sconto, ContabilitaConti_ID) VALUES (2, 'Abbuono', 1, 24.5, 0, 101);"
        "INSERT INTO Movimenti (Fattura_ID, Descrizione, TotaleImponibile, Scarico, ContabilitaConti_ID) VALUES (3, 'Pastiglie freno', 345.67, 0, 201);"
        "INSERT INTO finanzia (Data, Operazione, Entrata, Uscita, AliquotaIva, Corrispettivi, ContabilitaConti_ID) VALUES"
        " ('2025-05-05 00:00:00', 'Spese postali', 0, 0.33, 0, 0, 201), ('2025-06-06 00:00:00', 'Incassi banco', 244, 0, 22, 1, 0);"
        "INSERT INTO TempBilancio (NomeComputer, ContabilitaConti_ID, TotaleImponibile, DescrizioneData) VALUES ('ALTRA', 101, 777777, 'x');");
    const auto periodo = contabilita::periodoStampa(QStringLiteral("01/01/2025"), QStringLiteral("31/12/2025"));
    QVERIFY(periodo);
    const QString pc = a->seams.workstation.name;
    QCOMPARE(contabilita::calcolaBilancio(a->database.conn(), pc, *periodo), 3);
    const auto richiesta = [&](int codice) {
        return stampe::prepara(codice, {}, {}, stampe::leggiOpzioni(a->database.conn()), pc, QStringLiteral(REPORTS_DIR)).richiesta;
    };
    stampe::Richiesta r = richiesta(15);
    a->request(r.nomeReport, r.query);
    QCOMPARE(a->runInProcess(), 0);
    QString text = pdfText(a->pdf());
    VERIFY_TEXT(text, "Dal 01/01/2025 al 31/12/2025");
    VERIFY_TEXT(text, "Soccorsi");
    VERIFY_TEXT(text, "1.200,00");
    VERIFY_TEXT(text, "Ricambi");
    VERIFY_TEXT(text, "-346,00");
    VERIFY_TEXT(text, "Cassa");
    VERIFY_TEXT(text, "200,00");
    QVERIFY(!text.contains("777.777"));

    QCOMPARE(contabilita::calcolaSituazioneConto(a->database.conn(), pc, 201, *periodo), 2);
    r = richiesta(28);
    a->request(r.nomeReport, r.query);
    QCOMPARE(a->runInProcess(), 0);
    text = pdfText(a->pdf());
    VERIFY_TEXT(text, "Situazione del conto Ricambi Dal 01/01/2025 al 31/12/2025");
    VERIFY_TEXT(text, "Fatture di Acquisto");
    VERIFY_TEXT(text, "FT-881");
    VERIFY_TEXT(text, "Pastiglie freno");
    VERIFY_TEXT(text, "345,67");
    VERIFY_TEXT(text, "Prima Nota in Avere");
    VERIFY_TEXT(text, "Spese postali");
    VERIFY_TEXT(text, "0,33");
    QVERIFY(!text.contains("Soccorso A1"));
}

void TestReports::invoiceShowsCustomerRowsVatTotalsAndInstalments()
{
    a->invoice();
    a->request(reportPath("Fatture.rpt"), InvoiceQuery, InstalmentsQuery, OrdersQuery);
    QCOMPARE(a->runInProcess(), 0);
    const QString text = pdfText(a->pdf());
    VERIFY_TEXT(text, "Fattura n. 12/A del 10/03/2026");
    VERIFY_TEXT(text, "Soccorso Stradale Pellavantoria");
    VERIFY_TEXT(text, "Autofficina Bianchi S.r.l.");
    VERIFY_TEXT(text, "Via Garibaldi 5");
    VERIFY_TEXT(text, "P.IVA 01234567890");
    VERIFY_TEXT(text, "AB123CD");
    VERIFY_TEXT(text, "07/03/2026");
    // rows: quantity, price and the total with VAT
    VERIFY_TEXT(text, "Recupero veicolo con carro attrezzi");
    VERIFY_TEXT(text, "1.220,00");
    VERIFY_TEXT(text, "Custodia giornaliera");
    VERIFY_TEXT(text, "12,50");
    VERIFY_TEXT(text, "41,25");
    // VAT summary, one line per rate
    VERIFY_TEXT(text, "IVA 22%");
    VERIFY_TEXT(text, "1.000,00");
    VERIFY_TEXT(text, "220,00");
    VERIFY_TEXT(text, "IVA 10%");
    VERIFY_TEXT(text, "37,50");
    VERIFY_TEXT(text, "3,75");
    // totals
    VERIFY_TEXT(text, "1.037,50");
    VERIFY_TEXT(text, "223,75");
    VERIFY_TEXT(text, "1.261,25");
    // instalments and bank
    VERIFY_TEXT(text, "09/04/2026");
    VERIFY_TEXT(text, "630,62");
    VERIFY_TEXT(text, "09/05/2026");
    VERIFY_TEXT(text, "630,63");
    VERIFY_TEXT(text, "Bonifico 30/60 gg");
    VERIFY_TEXT(text, "IT60X0542811101000000123456");
    QVERIFY(!text.contains("Ordini del cliente")); // no orders: the section is left out
}

// The printed summary is the stored totals' rule: each rate's VAT on its exact net, rounded once,
// halves on the decimal value (10.05 at 10% is 1.005, printed 1,01 as stored, not 1,00).
void TestReports::invoiceSummaryShowsWhatIsStored()
{
    a->invoice();
    a->database.exec("UPDATE fattdett SET Um = 1, ValoreUnitario = 10.05, ValoreTotale = 11.06, TotaleImponibile = 10.05 "
                     "WHERE NumeroRiga = 2;"
                     "INSERT INTO fattdett (NumFatt, NumeroRiga, Codice, Descrizione, Um, ValoreUnitario, Sconto, AliquotaIva, "
                     "Iva_ID, ValoreTotale, TotaleImponibile) VALUES (7, 3, 'SPE', 'Spese', 1, 67.5, 10, 22, 1, 74.12, 60.75);"
                     "UPDATE fattura SET TotImponibile = 1070.8, TotImposta = 234.38, TotFattura = 1305.18 WHERE ID = 7");
    a->request(reportPath("Fatture.rpt"), InvoiceQuery, InstalmentsQuery, OrdersQuery);
    QCOMPARE(a->runInProcess(), 0);
    const QString text = pdfText(a->pdf());
    VERIFY_TEXT(text, "11,06");
    VERIFY_TEXT(text, "74,12");
    // 22%: 1,060.75 and 233.365; 10%: 10.05 and 1.005.
    VERIFY_TEXT(text, "1.060,75");
    VERIFY_TEXT(text, "233,37");
    VERIFY_TEXT(text, "1,01");
    QVERIFY2(!text.contains("1,00 "), qPrintable(text));
    VERIFY_TEXT(text, "1.305,18");
}

// Two VAT codes at one rate with different natures are two lines of the summary, as the stored
// totals count them; the print reads the catalogue's own query.
void TestReports::summaryGroupsByRateAndNature_data()
{
    QTest::addColumn<int>("codice");
    QTest::addColumn<QString>("modello");
    QTest::newRow("invoice") << 8 << "Fatture.rpt";
    QTest::newRow("credit note") << 4 << "NoteCredito.rpt";
    QTest::newRow("quote") << 5 << "Preventivi.rpt";
}

void TestReports::summaryGroupsByRateAndNature()
{
    QFETCH(int, codice);
    QFETCH(QString, modello);
    a->invoice();
    a->database.exec(
        "INSERT INTO Iva (ID, Descrizione, Iva, Pa_Natura_Codice) VALUES (3, 'Esente art. 10', 0, 'N4'),"
        " (4, 'Non imponibile art. 8', 0, 'N3.1');"
        "UPDATE fattura SET FattNota = 1 WHERE ID = 7;"
        "INSERT INTO fattdett (NumFatt, NumeroRiga, Codice, Descrizione, Um, ValoreUnitario, Sconto, AliquotaIva, Iva_ID,"
        " ValoreTotale, TotaleImponibile) VALUES (7, 3, 'ESE', 'Pratica esente', 1, 100, 0, 0, 3, 100, 100),"
        " (7, 4, 'EXP', 'Trasporto estero', 1, 50, 0, 0, 4, 50, 50);"
        "INSERT INTO NotaCreditoRighe (NotaCredito_ID, NumeroRiga, Codice, Descrizione, Um, ValoreUnitario, Sconto, AliquotaIva,"
        " Iva_Id, ValoreTotale) SELECT NumFatt, NumeroRiga, Codice, Descrizione, Um, ValoreUnitario, Sconto, AliquotaIva, Iva_ID,"
        " ValoreTotale FROM fattdett WHERE NumFatt = 7;"
        "INSERT INTO PreventiTestata (ID, Numero, Data, Cliente_ID, Cliente) VALUES (9, 4, '2026-03-10 00:00:00', 1, 'Bianchi');"
        "INSERT INTO PreventiRighe (Prev_ID, NumeroRiga, Codice, Descrizione, Um, ValoreUnitario, Sconto, AliquotaIva, Iva_ID,"
        " ValoreTotale) SELECT 9, NumeroRiga, Codice, Descrizione, Um, ValoreUnitario, Sconto, AliquotaIva, Iva_ID,"
        " ValoreTotale FROM fattdett WHERE NumFatt = 7;");
    stampe::Chiavi chiavi;
    chiavi.fattura = 7;
    chiavi.notaCredito = 7;
    chiavi.preventivo = 9;
    stampe::Opzioni opzioni;
    opzioni.documentiRigaIvato = true;
    opzioni.prezzoPreventivo = true;
    const stampe::Esito e = stampe::prepara(codice, chiavi, {}, opzioni, a->seams.workstation.name, QStringLiteral(REPORTS_DIR));
    QCOMPARE(e.tipo, stampe::Esito::Pronta);
    QVERIFY2(e.richiesta.nomeReport.endsWith(modello), qPrintable(e.richiesta.nomeReport));
    a->request(e.richiesta.nomeReport, e.richiesta.query, e.richiesta.sottoreport1, e.richiesta.sottoreport2);
    QCOMPARE(a->runInProcess(), 0);
    const QString text = pdfText(a->pdf());
    // One line per nature at 0%, each with its own net; never the two counted as one block.
    const QStringList righe = text.split(u'\n');
    auto riga = [&](const QString &inizio) {
        for (const QString &r : righe)
            if (r.trimmed().startsWith(inizio)) return r.simplified();
        return QString();
    };
    QCOMPARE(riga(QStringLiteral("Esente art. 10")), QStringLiteral("Esente art. 10 100,00 0,00"));
    QCOMPARE(riga(QStringLiteral("Non imponibile art. 8")), QStringLiteral("Non imponibile art. 8 50,00 0,00"));
    QVERIFY2(!text.contains(QStringLiteral("150,00")), qPrintable(text));
}

void TestReports::invoiceWithoutVatInRowsShowsNetRowTotals()
{
    a->invoice();
    a->request(reportPath("FattureNoRigaIva.rpt"), InvoiceQuery, InstalmentsQuery, OrdersQuery);
    QCOMPARE(a->runInProcess(), 0);
    const QString text = pdfText(a->pdf());
    VERIFY_TEXT(text, "Custodia giornaliera");
    VERIFY_TEXT(text, "37,50");
    QVERIFY2(!text.contains("41,25"), qPrintable(text)); // the row's total with VAT is not printed
    VERIFY_TEXT(text, "1.261,25");
}

void TestReports::groupsTotalsAndDetailsOfAList()
{
    a->invoice();
    a->database.exec("INSERT INTO fattura (ID, Num, Data, Cliente_ID, Cliente, TotFattura) VALUES"
                     " (8, 13, '2026-03-11 00:00:00', 1, 'Autofficina Bianchi S.r.l.', 100.5),"
                     " (9, 14, '2026-03-12 00:00:00', 2, 'Carrozzeria Verdi', 2000),"
                     " (10, 15, '2026-03-13 00:00:00', 1, 'Autofficina Bianchi S.r.l.', 0);");
    QFile f(a->out.filePath("Prova.rpt"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("[report]\ntitolo = Fatture per cliente\nordina = Cliente, Num\n"
            "[tabella]\nraggruppa = Cliente\nintestazione = Cliente: {Cliente}\nsolo se = TotFattura\n"
            "colonna = Num | Numero | 20\ncolonna = Data | Data | 10 | data\ncolonna = TotFattura | Totale | 10 | valuta\n"
            "colonna = ID | Id | 10\n"
            "totali = TotFattura\n"
            "[dettaglio]\ntitolo = Scadenze della fattura\nsorgente = sottoreport1\ncollega = ID = Fattura_ID\n"
            "colonna = DataScadenza | Scadenza | 10 | data\ncolonna = Importo | Importo | 10 | valuta\n");
    f.close();
    a->request(f.fileName(), "SELECT ID, Num, Data, Cliente, TotFattura FROM fattura ORDER BY Num DESC",
               "SELECT Fattura_ID, DataScadenza, Importo FROM FatturaScadenze ORDER BY DataScadenza");
    QCOMPARE(a->runInProcess(), 0);
    const QString text = pdfText(a->pdf());
    VERIFY_TEXT(text, "Cliente: Autofficina Bianchi S.r.l.");
    VERIFY_TEXT(text, "Totale Cliente: Autofficina Bianchi S.r.l.");
    VERIFY_TEXT(text, "1.361,75"); // 1261,25 + 100,50
    VERIFY_TEXT(text, "Totale Cliente: Carrozzeria Verdi");
    VERIFY_TEXT(text, "Totale generale");
    VERIFY_TEXT(text, "3.361,75");
    QCOMPARE(text.count("Scadenze della fattura"), 1); // only invoice 7 has instalments
    VERIFY_TEXT(text, "630,63");
    // sorted by customer and number although the query gives them the other way round
    QVERIFY2(text.indexOf("Bianchi") < text.indexOf("Verdi"), qPrintable(text));
    QVERIFY2(text.indexOf("10/03/2026") < text.indexOf("11/03/2026"), qPrintable(text));
    QVERIFY2(!text.contains("13/03/2026"), qPrintable(text)); // the invoice with no total is left out
    // a total stands under its own column, not under the empty ones after it
    auto endColumn = [&](const QString &value) -> qsizetype {
        for (const QString &line : text.split(u'\n'))
            if (line.contains(value)) return line.indexOf(value) + value.size();
        return -1;
    };
    QVERIFY(endColumn("2.000,00") > 0);
    QVERIFY2(qAbs(endColumn("3.361,75") - endColumn("2.000,00")) <= 1, qPrintable(text));
}

void TestReports::cashBookShowsOpeningAndClosingBalance()
{
    a->database.exec("INSERT INTO finanzia (Data, Operazione, Entrata, Uscita, Tipologia_ID, Cliente_id) VALUES"
                     " ('2026-03-01 00:00:00', 'Incasso fattura n. 10', 500, 0, 1, 1),"
                     " ('2026-03-03 00:00:00', 'Pagamento carburante', 0, 85.4, 1, 0),"
                     " ('2026-03-05 00:00:00', 'Bonifico ricevuto', 1200, 0, 2, 2);");
    a->parametro = 1500;
    a->request(reportPath("PrimaNota.rpt"),
               "SELECT finanzia.Data, TipologiaPrimaNota.Descrizione AS Tipologia, finanzia.Operazione, Fornitor.Fornitore, "
               "Clienti.NominativoDocumenti as Cliente, finanzia.Entrata, finanzia.Uscita, finanzia.Note, finanzia.Tipologia_ID, "
               "ModPagamento.Descrizione AS ModalitaPagamento, Bank.Banca, Bank.Iban, ContabilitaConti.Descrizione as "
               "ContabilitaConto, finanzia.Corrispettivi, finanzia.AliquotaIva FROM (((((finanzia LEFT JOIN Clienti ON "
               "finanzia.Cliente_id = Clienti.Id) LEFT JOIN Fornitor ON finanzia.Fornitore_id = Fornitor.Id) LEFT JOIN "
               "ModPagamento ON finanzia.ModPagamento_Id = ModPagamento.id) LEFT JOIN Bank ON finanzia.Banca_ID = Bank.Id) LEFT "
               "JOIN TipologiaPrimaNota ON finanzia.Tipologia_ID = TipologiaPrimaNota.Id) LEFT JOIN ContabilitaConti ON "
               "finanzia.ContabilitaConti_ID = ContabilitaConti.ID ORDER BY finanzia.Tipologia_ID,finanzia.Data, "
               "finanzia.Operazione");
    QCOMPARE(a->runInProcess(), 0);
    const QString text = pdfText(a->pdf());
    VERIFY_TEXT(text, "Totale Cassa");
    VERIFY_TEXT(text, "Totale Banca");
    VERIFY_TEXT(text, "1.700,00"); // all receipts
    VERIFY_TEXT(text, "85,40");
    VERIFY_TEXT(text, "1.500,00"); // the opening balance of the request
    VERIFY_TEXT(text, "3.114,60"); // 1500 + 1700 - 85,40
}

void TestReports::lettersStartOnANewPageForEachCustomer()
{
    a->database.exec("INSERT INTO TempAvvisi (NomeComputer, Testo) VALUES ('POSTAZIONE1', 'Il deposito resterà chiuso il 2 giugno.');"
                     "INSERT INTO TempAvvisiClienti (NomeComputer, Cliente_ID) VALUES ('POSTAZIONE1', 1), ('POSTAZIONE1', 2);");
    a->request(reportPath("Avvisi.rpt"),
               "SELECT Clienti.NominativoDocumenti as Cliente, Clienti.Via AS AssociatoIndirizzo, Clienti.Telefono AS "
               "AssociatoTelefono, Clienti.Cellulare AS AssociatoCellulare, Clienti.Citta AS AssociatoComune, Clienti.Provincia AS "
               "AssociatoProvincia, Clienti.Cap AS AssociatoCap, Clienti.CodFiscale AS AssociatoCodFiscale, Clienti.Numero AS "
               "AssociatoCivico, TempAvvisi.Testo, Clienti.Iva as PartitaIva FROM (TempAvvisiClienti INNER JOIN Clienti ON "
               "TempAvvisiClienti.Cliente_ID = Clienti.Id) INNER JOIN TempAvvisi ON TempAvvisiClienti.NomeComputer = "
               "TempAvvisi.NomeComputer ORDER BY Clienti.NominativoDocumenti");
    QCOMPARE(a->runInProcess(), 0);
    const QStringList pages = pdfText(a->pdf()).split(u'\f', Qt::SkipEmptyParts);
    QCOMPARE(pages.size(), 2);
    VERIFY_TEXT(pages[0], "Autofficina Bianchi S.r.l.");
    VERIFY_TEXT(pages[0], "Il deposito resterà chiuso il 2 giugno.");
    VERIFY_TEXT(pages[0], "Pagina 1 di 1");
    VERIFY_TEXT(pages[1], "Carrozzeria Verdi");
    VERIFY_TEXT(pages[1], "Corso Italia 12");
    VERIFY_TEXT(pages[1], "Il deposito resterà chiuso il 2 giugno.");
}

void TestReports::noticeForTheFilteredCustomersOnly()
{
    // The wizard's way: the customers of the filters (province LC) become this workstation's
    // choice, another workstation has chosen the other customer, the catalogue gives the query.
    db::Connection &c = a->database.conn();
    c.execute("UPDATE Clienti SET NominativoVisualizzato = NominativoDocumenti");
    const QString postazione = a->seams.workstation.name;
    avvisi::Filtri f;
    f.provincia = "LC";
    QList<int> scelti;
    for (const auto &cliente : avvisi::clienti(c, f)) scelti << cliente.id;
    QCOMPARE(scelti, QList<int>({2}));
    avvisi::salvaTesto(c, postazione, QStringLiteral("Dal 1° luglio l'officina apre alle 7."));
    avvisi::scegli(c, postazione, scelti);
    avvisi::salvaTesto(c, QStringLiteral("ALTRA"), QStringLiteral("Avviso dell'altra postazione"));
    avvisi::scegli(c, QStringLiteral("ALTRA"), {1});
    const stampe::Esito e = stampe::prepara(32, {}, {}, {}, postazione, QStringLiteral(REPORTS_DIR));
    QCOMPARE(e.tipo, stampe::Esito::Pronta);
    a->request(e.richiesta.nomeReport, e.richiesta.query);
    QCOMPARE(a->runInProcess(), 0);
    const QString text = pdfText(a->pdf());
    VERIFY_TEXT(text, "Carrozzeria Verdi");
    VERIFY_TEXT(text, "Dal 1° luglio l'officina apre alle 7.");
    QVERIFY2(!text.contains("Autofficina Bianchi"), qPrintable(text));
    QVERIFY2(!text.contains("altra postazione"), qPrintable(text));
}

void TestReports::emptyResultIsSaidOnThePage()
{
    a->request(reportPath("Clienti.rpt"), CustomersQuery + " AND Clienti.Id = 0");
    QCOMPARE(a->runInProcess(), 0);
    const QString text = pdfText(a->pdf());
    VERIFY_TEXT(text, "Elenco clienti");
    VERIFY_TEXT(text, "Nessun dato da stampare.");
}

void TestReports::longListRepeatsItsHeaderOnEveryPage()
{
    a->database.exec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 120) "
                     "INSERT INTO Clienti (NominativoDocumenti, Via, Citta) SELECT 'Cliente di prova ' || i, 'Via Lunga', 'Lecco' FROM n");
    a->request(reportPath("Clienti.rpt"), CustomersQuery);
    QCOMPARE(a->runInProcess(), 0);
    const QStringList pages = pdfText(a->pdf()).split(u'\f', Qt::SkipEmptyParts);
    QVERIFY2(pages.size() >= 2, qPrintable(QString::number(pages.size())));
    for (int i = 0; i < pages.size(); ++i) {
        VERIFY_TEXT(pages[i], "Dati fiscali"); // the column headings
        VERIFY_TEXT(pages[i], QStringLiteral("Pagina %1 di %2").arg(i + 1).arg(pages.size()));
    }
    VERIFY_TEXT(pages.last(), "Cliente di prova 120");
    QVERIFY(!pages[1].contains("Soccorso Stradale Pellavantoria")); // the company heads the first page only
}

void TestReports::labelsFillAGrid()
{
    a->request(reportPath("EtichetteClienti.rpt"), LabelsQuery);
    QCOMPARE(a->runInProcess(), 0);
    const QString text = pdfText(a->pdf());
    VERIFY_TEXT(text, "Autofficina Bianchi S.r.l.");
    VERIFY_TEXT(text, "Corso Italia 12");
    VERIFY_TEXT(text, "23900 Lecco (LC)");
    QVERIFY(!text.contains("Pagina")); // a label sheet has no header or footer
    QVERIFY(!text.contains("Soccorso Stradale"));
}

void TestReports::readsTheDatabaseNamedByPercorso()
{
    QTemporaryDir program;
    a->seams.workstation.folder = program.path();
    QFile percorso(program.filePath("percorso.txt"));
    QVERIFY(percorso.open(QIODevice::WriteOnly));
    percorso.write(a->database.path().toUtf8() + "\r\n");
    percorso.close();
    a->request(reportPath("Clienti.rpt"), CustomersQuery);
    QCOMPARE(stampa::run({QStringLiteral("stampa")}), 0);
    VERIFY_TEXT(pdfText(a->pdf()), "Carrozzeria Verdi");
}

void TestReports::fieldMissingFromTheQueryWritesNoFile()
{
    a->request(reportPath("Clienti.rpt"), "SELECT Clienti.NominativoDocumenti FROM Clienti");
    QCOMPARE(a->runInProcess(), 1);
    QVERIFY(!QFile::exists(a->pdf()));
}

void TestReports::interactiveErrorsAreShownInMessageBoxes()
{
    a->request(a->out.filePath("Manca.rpt"), CustomersQuery, QString(), QString(), false);
    a->seams.dialogs.expectMessage("Modello di report non trovato: Manca.rpt");
    QCOMPARE(a->runInProcess(), 1);

    a->request(reportPath("Clienti.rpt"), CustomersQuery, QString(), QString(), false, 1, "ALTRA");
    a->seams.dialogs.expectMessage("Nessuna richiesta di stampa per la postazione \"POSTAZIONE1\".");
    QCOMPARE(a->runInProcess(), 1);

    a->seams.dialogs.expectMessage("Database non trovato");
    QCOMPARE(stampa::run({QStringLiteral("stampa"), a->out.filePath("nessuno.db")}), 1);
    QVERIFY(!QFile::exists(a->out.filePath("nessuno.db")));
}

void TestReports::previewShowsTheReportAndSavesItAsPdf()
{
    a->invoice();
    a->request(reportPath("Fatture.rpt"), InvoiceQuery, InstalmentsQuery, OrdersQuery, false);
    const stampa::Request request = stampa::readRequest(a->database.conn(), stampa::workstationName());
    const stampa::ReportData data = stampa::fetchData(a->database.conn(), request);
    stampa::PreviewWindow window(request, stampa::loadTemplate(request.report), data, a->out.path());
    QCOMPARE(window.windowTitle(), QStringLiteral("Anteprima di stampa - Fattura n. 12/A del 10/03/2026"));
    auto *preview = window.findChild<QPrintPreviewWidget *>();
    QVERIFY(preview);
    preview->updatePreview();
    QCOMPARE(preview->pageCount(), 1);
    QCOMPARE(preview->orientation(), QPageLayout::Portrait);

    window.setLandscape(true); // the request's landscape template
    QCOMPARE(preview->orientation(), QPageLayout::Landscape);

    const QString saved = a->out.filePath("copia");
    a->seams.dialogs.queueSaveFile(saved);
    window.savePdf();
    VERIFY_TEXT(pdfText(saved + ".pdf"), "1.261,25");
}

void TestReports::previewFitsTheScreen()
{
    a->request(reportPath("Clienti.rpt"), CustomersQuery, QString(), QString(), false);
    const stampa::Request request = stampa::readRequest(a->database.conn(), stampa::workstationName());
    const stampa::ReportData data = stampa::fetchData(a->database.conn(), request);
    stampa::PreviewWindow window(request, stampa::loadTemplate(request.report), data, a->out.path());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QRect screen = window.screen()->availableGeometry();
    const QRect frame = window.frameGeometry();
    QVERIFY2(screen.contains(frame), qPrintable(QStringLiteral("%1x%2 at %3,%4 on %5x%6")
                                                    .arg(frame.width()).arg(frame.height()).arg(frame.x()).arg(frame.y())
                                                    .arg(screen.width()).arg(screen.height())));
    QVERIFY(window.width() >= screen.width() / 2); // still a useful size
}

void TestReports::programExportsThePdf()
{
    a->invoice();
    // The request names the program's folder; the templates are in its reports folder.
    a->request(a->out.filePath("Fatture.rpt"), InvoiceQuery, InstalmentsQuery, OrdersQuery, true, 1, a->realComputerName());
    const Outcome o = a->runProgram();
    QVERIFY2(o.exitCode == 0, qPrintable(o.errors));
    QVERIFY(QFile::exists(a->pdf()));
    const QString text = pdfText(a->pdf());
    VERIFY_TEXT(text, "Autofficina Bianchi S.r.l.");
    VERIFY_TEXT(text, "1.261,25");
}

// As on a server or in a service: no display, and no platform chosen.
QProcessEnvironment withoutDisplay()
{
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) e.remove(QString::fromLatin1(name));
    return e;
}

void TestReports::programExportsWithoutADisplay()
{
    a->invoice();
    a->request(reportPath("Fatture.rpt"), InvoiceQuery, InstalmentsQuery, OrdersQuery, true, 1, a->realComputerName());
    const Outcome o = a->runProgram(withoutDisplay());
    QVERIFY2(o.exitCode == 0, qPrintable(QStringLiteral("exit %1: %2").arg(o.exitCode).arg(o.errors)));
    VERIFY_TEXT(pdfText(a->pdf()), "1.261,25");
}

void TestReports::previewWithoutADisplayIsReported()
{
    a->request(reportPath("Clienti.rpt"), CustomersQuery, QString(), QString(), false, 1, a->realComputerName());
    const Outcome o = a->runProgram(withoutDisplay());
    QCOMPARE(o.exitCode, 1);
    VERIFY_TEXT(o.errors, "anteprima");
}

void TestReports::standardDialogsSpeakItalian()
{
    stampa::setupApplication();
    // The file chooser of "Salva PDF" and the printer dialog of "Stampa".
    QCOMPARE(QCoreApplication::translate("QFileDialog", "Save As"), QStringLiteral("Salva come"));
    QCOMPARE(QCoreApplication::translate("QPrintDialog", "Print"), QStringLiteral("Stampa"));
    QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("Pellavantoria"));
}

void TestReports::programReportsAMissingTemplate()
{
    a->request(a->out.filePath("Manca.rpt"), CustomersQuery, QString(), QString(), true, 1, a->realComputerName());
    const Outcome o = a->runProgram();
    QVERIFY(o.exitCode != 0);
    VERIFY_TEXT(o.errors, "Modello di report non trovato: Manca.rpt");
    QVERIFY(!QFile::exists(a->pdf()));
}

void TestReports::programReportsAFailingQuery()
{
    a->request(reportPath("Clienti.rpt"), "SELECT Clienti.Nonesiste FROM Clienti", QString(), QString(), true, 1,
               a->realComputerName());
    const Outcome o = a->runProgram();
    QVERIFY(o.exitCode != 0);
    VERIFY_TEXT(o.errors, "La query del report non può essere eseguita.");
    VERIFY_TEXT(o.errors, "Nonesiste");
    QVERIFY(!QFile::exists(a->pdf()));
}

void TestReports::programRefusesOtherExportFormats()
{
    a->request(reportPath("Clienti.rpt"), CustomersQuery, QString(), QString(), true, 2, a->realComputerName());
    const Outcome o = a->runProgram();
    QVERIFY(o.exitCode != 0);
    VERIFY_TEXT(o.errors, "Formato di esportazione 2 non disponibile: si può esportare solo in PDF");
    QVERIFY(!QFile::exists(a->pdf()));
}
