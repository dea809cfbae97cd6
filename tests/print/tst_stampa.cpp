#include "tst_stampa.h"

#include "PrintFixture.h"
#include "data/CatalogoStampe.h"
#include "data/DB.h"
#include "db/DbError.h"
#include "db/Query.h"

#include <QFile>
#include <QSet>
#include <QTest>

namespace {

// Opens every query of a request as the report program does; fails the test on an error.
void apriQuery(PrintFixture &f, const QVariantMap &r)
{
    for (const char *col : {"Query", "QuerySottoreport1", "QuerySottoreport2"}) {
        const QString sql = r.value(col).toString();
        if (sql.isEmpty()) continue;
        try {
            f.righeDi(sql);
        } catch (const db::DbError &e) {
            QFAIL(qPrintable(QStringLiteral("%1: %2\n%3").arg(col, e.message(), sql)));
        }
    }
}

void scriviFile(const QString &path, const QByteArray &data)
{
    QFile out(path);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(data);
}

QByteArray leggiFile(const QString &path)
{
    QFile in(path);
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray("<assente>");
}

} // namespace

void TestStampa::init() { f = std::make_unique<PrintFixture>(); }

void TestStampa::cleanup()
{
    const QString report = f->seams.dialogs.report();
    const bool clean = f->seams.dialogs.clean();
    f.reset();
    QVERIFY2(clean, qPrintable(report));
}

void TestStampa::everyCode_data()
{
    QTest::addColumn<int>("codice");
    QTest::addColumn<QString>("report");
    QTest::addColumn<QString>("landscape");
    QTest::addColumn<bool>("filtro");
    QTest::addColumn<bool>("testata");
    QTest::addColumn<int>("sottoreport");
    QTest::addColumn<double>("parametro");
    QTest::addColumn<int>("righe"); // rows of the main query in the fixture; -1: not checked

    QSet<int> codici;
    const auto riga = [&codici](int codice, const QString &report, const QString &landscape, bool filtro,
                                bool testata = true, int sottoreport = 0, double parametro = 0, int righe = -1) {
        if (!report.isEmpty()) codici << codice;
        QTest::addRow("%d", codice) << codice << report << landscape << filtro << testata << sottoreport << parametro << righe;
    };
    const auto elenco = [&riga](int codice, const QString &nome, bool filtro, int sottoreport = 0, double parametro = 0,
                                int righe = -1) {
        riga(codice, nome + ".rpt", nome + "Lan.rpt", filtro, true, sottoreport, parametro, righe);
    };
    // The options of a new database: prices on quotes and VAT per row both off.
    elenco(1, "Clienti", true);
    elenco(2, "Tariffe", true);
    elenco(3, "Fornitori", true);
    riga(4, "NoteCreditoNoRigaIva.rpt", "NoteCreditoNoRigaIvaLan.rpt", false, true, 1, 0, 1);
    riga(5, "Preventivi2.rpt", "PreventiviLan2.rpt", false, true, 0, 0, 1);
    elenco(6, "Sequestri", true, 0, 0, 1);
    elenco(7, "PrimaNotaSituazioneClienti", false, 1);
    riga(8, "FattureNoRigaIva.rpt", "FattureNoRigaIvaLan.rpt", false, true, 2, 0, 1);
    elenco(9, "PrimaNota", true, 0, 250.5);
    elenco(10, "PrimaNotaClienti", true, 0, 250.5);
    elenco(11, "PrimaNotaFornitori", true, 0, 250.5);
    elenco(12, "SituazioneClienti", true);
    elenco(13, "SituazioneFornitori", true);
    elenco(14, "NotaCreditoFornitoreLista", true);
    elenco(15, "Bilancio", true);
    elenco(16, "ChiusuraIva", true);
    elenco(17, "PrimaNotaSituazioneFornitori", false, 1);
    elenco(18, "PersonaleCosti", false);
    elenco(19, "PersonaleCosti", true);
    elenco(20, "Scadenziario", true);
    elenco(21, "Pagamenti", true);
    elenco(22, "Cisterne", true, 2);
    elenco(23, "Calendario", true);
    elenco(24, "PrimaNotaBanca", false, 0, 1500.5);
    elenco(25, "Personale", true, 0, 0, 1);
    riga(26, "Etichette.rpt", "Etichette.rpt", false, false);
    elenco(27, "PrimaNotaMese", false, 0, 1500.5);
    elenco(28, "ContabilitaSituazioneConto", false);
    elenco(29, "SequestriNonDissequestrati", true, 0, 0, 1);
    elenco(30, "FattureLista", true, 0, 0, 2);
    elenco(31, "CaricoLista", true);
    elenco(32, "Avvisi", false, 0, 0, 1);
    elenco(33, "NoteCreditoLista", true, 0, 0, 1);
    elenco(34, "ChiusuraIvaMensile", true);
    elenco(35, "PreventiviLista", true, 0, 0, 1);
    riga(36, "EtichetteClienti.rpt", "EtichetteClienti.rpt", true, true, 0, 0, 2);
    riga(37, "EtichetteClienti.rpt", "EtichetteClienti.rpt", true, true, 0, 0, 2);
    riga(38, "EtichetteClienti.rpt", "EtichetteClienti.rpt", true, false, 0, 0, 2);
    riga(41, "EtichetteAzienda.rpt", "EtichetteAzienda.rpt", false, false, 0, 0, 1);
    elenco(42, "ScadenziarioFornitori", true);
    elenco(43, "PagamentiFornitori", true);
    elenco(44, "VettureCosti", false);
    elenco(45, "VettureCarburante", false);
    elenco(46, "VettureCostiElenco", true);
    elenco(47, "VettureCarburanteElenco", true);
    elenco(48, "VettureGenerale", false, 0, 0, 1);
    elenco(49, "VettureScadenze", false);
    elenco(50, "VettureSchede", false);
    elenco(51, "VettureScadenzeElenco", true);
    elenco(52, "VettureElenco", true, 0, 0, 1);
    elenco(53, "PersonaleScadenze", false);
    elenco(54, "PersonaleScadenze", false);
    elenco(55, "PersonaleScadenze", true);
    elenco(57, "VettureCaricoRighe", true);
    elenco(58, "PrivacyClienti", false, 0, 0, 1);
    elenco(59, "PrivacyFornitori", false, 0, 0, 1);
    elenco(60, "PrivacyPersonale", false, 0, 0, 1);
    elenco(65, "PersonaleStipendi", true);
    elenco(66, "PersonaleStipendiMese", true);
    elenco(67, "PersonaleStipendiDescrizioni", true);
    // Codes without a report still post a request and start the report program.
    for (int codice : {0, 39, 40, 56, 61, 62, 63, 64, -1, 68}) riga(codice, QString(), QString(), false);

    QSet<int> catalogo;
    for (const stampe::Voce &v : stampe::catalogo()) catalogo << v.codice;
    QCOMPARE(catalogo, codici);
}

void TestStampa::everyCode()
{
    QFETCH(int, codice);
    QFETCH(QString, report);
    QFETCH(QString, landscape);
    QFETCH(bool, filtro);
    QFETCH(bool, testata);
    QFETCH(int, sottoreport);
    QFETCH(double, parametro);
    QFETCH(int, righe);

    const QVariantMap altra = f->richiesta(PrintFixture::altra);
    QVariantMap letta; // what the report program finds when it starts
    f->seams.launcher.behaviour = [&](const QString &, const QStringList &) {
        letta = f->richiestaSalvata(PrintFixture::postazione);
        return 0;
    };
    CodiceStampa = codice;
    CriteriStampaDigitati = PrintFixture::criteriValidi();
    QVERIFY(form_DB->Button2Click());

    QCOMPARE(f->righe(PrintFixture::postazione), 1);
    QCOMPARE(f->richiesta(PrintFixture::altra), altra);
    const QVariantMap r = f->richiesta(PrintFixture::postazione);
    QCOMPARE(r["NomeProgramma"].toString(), QString("Pellavantoria"));
    QCOMPARE(r["NomeReport"].toString(), report.isEmpty() ? QString() : f->report(report));
    QCOMPARE(r["NomeReportLandscape"].toString(), landscape.isEmpty() ? QString() : f->report(landscape));
    QCOMPARE(r["Filtro"].toBool(), filtro);
    QCOMPARE(r["PresenzaTestata"].toBool(), testata);
    QCOMPARE(r["Setup"].toBool(), true); // the options ask for the printer dialog
    QCOMPARE(r["Parametro"].toDouble(), parametro);
    QCOMPARE(r["Esportazione"].toBool(), false);
    QVERIFY(r["FileEsportazione"].isNull());
    QCOMPARE(r["Query"].toString().isEmpty(), report.isEmpty());
    QCOMPARE(int(!r["QuerySottoreport1"].isNull()) + int(!r["QuerySottoreport2"].isNull()), sottoreport);
    apriQuery(*f, r);
    if (QTest::currentTestFailed()) return;
    if (righe >= 0) QCOMPARE(f->righeDi(r["Query"].toString()), righe);

    QCOMPARE(f->seams.launcher.started.size(), 1);
    QCOMPARE(f->seams.launcher.started[0].program, f->programma());
    QCOMPARE(f->seams.launcher.started[0].args, QStringList({f->db.path()})); // the database it reads
    QCOMPARE(f->seams.launcher.started[0].wait, false);
    QCOMPARE(PercorsoProgrammaStampa, f->programma());
    QCOMPARE(letta, r);
}

void TestStampa::documentTemplatesFollowOptions_data()
{
    QTest::addColumn<int>("codice");
    QTest::addColumn<bool>("rigaIvato");
    QTest::addColumn<bool>("prezzo");
    QTest::addColumn<QString>("report");
    QTest::addColumn<QString>("landscape");
    QTest::newRow("credit note, VAT per row") << 4 << true << false << "NoteCredito.rpt" << "NoteCreditoLan.rpt";
    QTest::newRow("credit note") << 4 << false << true << "NoteCreditoNoRigaIva.rpt" << "NoteCreditoNoRigaIvaLan.rpt";
    QTest::newRow("invoice, VAT per row") << 8 << true << false << "Fatture.rpt" << "FattureLan.rpt";
    QTest::newRow("invoice") << 8 << false << true << "FattureNoRigaIva.rpt" << "FattureNoRigaIvaLan.rpt";
    QTest::newRow("quote with prices, VAT per row") << 5 << true << true << "Preventivi.rpt" << "PreventiviLan.rpt";
    QTest::newRow("quote with prices") << 5 << false << true << "PreventiviNoRigaIva.rpt" << "PreventiviNoRigaIvaLan.rpt";
    QTest::newRow("quote without prices, VAT per row") << 5 << true << false << "Preventivi2.rpt" << "PreventiviLan2.rpt";
    QTest::newRow("quote without prices") << 5 << false << false << "Preventivi2.rpt" << "PreventiviLan2.rpt";
}

void TestStampa::documentTemplatesFollowOptions()
{
    QFETCH(int, codice);
    QFETCH(bool, rigaIvato);
    QFETCH(bool, prezzo);
    QFETCH(QString, report);
    QFETCH(QString, landscape);
    f->opzioniDocumenti(rigaIvato, prezzo);
    CodiceStampa = codice;
    QVERIFY(form_DB->Button2Click());
    const QVariantMap r = f->richiesta(PrintFixture::postazione);
    QCOMPARE(r["NomeReport"].toString(), f->report(report));
    QCOMPARE(r["NomeReportLandscape"].toString(), f->report(landscape));
}

void TestStampa::nothingCurrentStopsSilently_data()
{
    QTest::addColumn<int>("codice");
    QTest::addColumn<bool>("daSequestro");
    QTest::addColumn<bool>("stampa");
    QTest::newRow("credit note") << 4 << false << false;
    QTest::newRow("credit note, from a seizure") << 4 << true << false;
    QTest::newRow("invoice") << 8 << false << false;
    QTest::newRow("invoice, from a seizure") << 8 << true << true; // the seizure's invoice
}

void TestStampa::nothingCurrentStopsSilently()
{
    QFETCH(int, codice);
    QFETCH(bool, daSequestro);
    QFETCH(bool, stampa);
    form_DB->TableNotaCredito->setFilter("ID = 0");
    form_DB->Table3->setFilter("ID = 0");
    QVERIFY(form_DB->TableNotaCredito->isEmpty() && form_DB->Table3->isEmpty());
    const QVariantMap altra = f->richiesta(PrintFixture::altra);
    DaSequestro = daSequestro;
    CodiceStampa = codice;
    QCOMPARE(form_DB->Button2Click(), stampa);
    // The earlier request is gone either way; no message (cleanup checks it).
    QCOMPARE(f->righe(PrintFixture::postazione), stampa ? 1 : 0);
    QCOMPARE(f->richiesta(PrintFixture::altra), altra);
    QCOMPARE(f->seams.launcher.started.size(), stampa ? 1 : 0);
    if (stampa) QCOMPARE(f->righeDi(f->richiesta(PrintFixture::postazione)["Query"].toString()), 1);
}

void TestStampa::seizureInvoicePrintsOnlyItsOwnRows()
{
    // The seizure's invoice is 10; invoice 11 has the same plate (with an apostrophe) and is the
    // one open in the invoice editor.
    QVERIFY(form_DB->Table3->locate("ID", 11));
    form_DB->Table16->setFilter("ID = 0");
    DaSequestro = true;

    CodiceStampa = 8;
    QVERIFY(form_DB->Button2Click());
    QVariantMap r = f->richiesta(PrintFixture::postazione);
    db::Query rate(&form_DB->Connessione);
    rate.setSql(r["QuerySottoreport1"].toString());
    rate.open();
    QCOMPARE(rate.recordCount(), 1);
    QCOMPARE(rate.fieldByName("Fattura_ID").asInteger(), 10);
    db::Query ordini(&form_DB->Connessione);
    ordini.setSql(r["QuerySottoreport2"].toString());
    ordini.open();
    QCOMPARE(ordini.recordCount(), 1);
    QCOMPARE(ordini.fieldByName("Numero").asString(), QString("ORD-10"));
    db::Query righe(&form_DB->Connessione);
    righe.setSql(r["Query"].toString());
    righe.open();
    QCOMPARE(righe.recordCount(), 1);
    QCOMPARE(righe.fieldByName("Descrizione").asString(), QString("Traino"));

    // The quote from the same seizure, with no quote open in the editor.
    CodiceStampa = 5;
    QVERIFY(form_DB->Button2Click());
    r = f->richiesta(PrintFixture::postazione);
    QCOMPARE(f->righeDi(r["Query"].toString()), 1);
}

void TestStampa::invoiceListJoinsBillingTypeByItsOwnKey()
{
    CodiceStampa = 30;
    QVERIFY(form_DB->Button2Click());
    db::Query q(&form_DB->Connessione);
    q.setSql(f->richiesta(PrintFixture::postazione)["Query"].toString());
    q.open();
    QVERIFY(q.locate("Numero", 1));
    QCOMPARE(q.fieldByName("TipoFattura").asString(), QString("Enti"));
    QCOMPARE(q.fieldByName("Tariffa").asString(), QString("Ordinaria"));
    QVERIFY(q.locate("Numero", 2));
    QCOMPARE(q.fieldByName("TipoFattura").asString(), QString("Privati"));
}

void TestStampa::noticesOfThisWorkstationOnly()
{
    CodiceStampa = 32;
    QVERIFY(form_DB->Button2Click());
    db::Query q(&form_DB->Connessione);
    q.setSql(f->richiesta(PrintFixture::postazione)["Query"].toString());
    q.open();
    QCOMPARE(q.recordCount(), 1);
    QCOMPARE(q.fieldByName("Cliente").asString(), QString("Rossi Srl"));
    QCOMPARE(q.fieldByName("Testo").asString(), QString("Avviso nostro"));
}

void TestStampa::personAndDateCriteria_data()
{
    QTest::addColumn<int>("codice");
    QTest::addColumn<QString>("soggetto");
    QTest::addColumn<QString>("daData");
    QTest::addColumn<QString>("aData");
    QTest::addColumn<QString>("fineQuery");
    QTest::addColumn<QString>("fineSottoreport");
    QTest::addColumn<int>("righe");
    const QString vuota = "  /  /    ";
    QTest::newRow("customer and both dates")
        << 7 << "1" << "01/03/2026" << "31/03/2026"
        << "= Clienti.Id  where Clienti.ID=1 and  fattura.Data>=#3/1/2026# and \tfattura.Data <=#3/31/2026 23.59.59# "
           "ORDER BY Clienti.NominativoDocumenti, fattura.Data"
        << "ModPagamento.id where Finanzia.Cliente_id=1 and  finanzia.Data>=#3/1/2026# and \tfinanzia.Data "
           "<=#3/31/2026 23.59.59# order by finanzia.Data"
        << 2;
    QTest::newRow("customers from a date")
        << 7 << "" << "01/03/2026" << vuota
        << "= Clienti.Id  where  fattura.Data>=#3/1/2026# ORDER BY Clienti.NominativoDocumenti, fattura.Data"
        << "ModPagamento.id where  finanzia.Data>=#3/1/2026# order by finanzia.Data" << 3;
    QTest::newRow("suppliers, nothing typed")
        << 17 << "" << vuota << vuota << "= Fornitor.Id  ORDER BY Fornitor.Fornitore,fattura.DataRegistrazione"
        << "ModPagamento.id order by finanzia.Data" << 1;
    QTest::newRow("supplier up to a date")
        << 17 << "1" << vuota << "31/03/2026"
        << "= Fornitor.Id  where Fornitor.ID=1 and  fattura.DataRegistrazione <=#3/31/2026 23.59.59# "
           "ORDER BY Fornitor.Fornitore,fattura.DataRegistrazione"
        << "ModPagamento.id where finanzia.Fornitore_id=1 and  finanzia.Data <=#3/31/2026 23.59.59# order by "
           "finanzia.Data"
        << 0;
}

void TestStampa::personAndDateCriteria()
{
    QFETCH(int, codice);
    QFETCH(QString, soggetto);
    QFETCH(QString, daData);
    QFETCH(QString, aData);
    QFETCH(QString, fineQuery);
    QFETCH(QString, fineSottoreport);
    QFETCH(int, righe);
    CriteriStampaDigitati.soggetto = soggetto;
    CriteriStampaDigitati.daData = daData;
    CriteriStampaDigitati.aData = aData;
    CodiceStampa = codice;
    QVERIFY(form_DB->Button2Click());
    const QVariantMap r = f->richiesta(PrintFixture::postazione);
    QVERIFY2(r["Query"].toString().endsWith(fineQuery), qPrintable(r["Query"].toString()));
    QVERIFY2(r["QuerySottoreport1"].toString().endsWith(fineSottoreport), qPrintable(r["QuerySottoreport1"].toString()));
    apriQuery(*f, r);
    if (QTest::currentTestFailed()) return;
    QCOMPARE(f->righeDi(r["Query"].toString()), righe);
}

void TestStampa::typedCriteriaAreCheckedFirst_data()
{
    QTest::addColumn<int>("codice");
    QTest::addColumn<QString>("campo");
    QTest::addColumn<QString>("valore");
    QTest::addColumn<QString>("messaggio");
    QTest::newRow("blank year") << 24 << "anno" << "" << "anno";
    QTest::newRow("year with SQL") << 27 << "anno" << "2026 or 1=1" << "anno";
    QTest::newRow("two-digit year") << 24 << "anno" << "26" << "anno";
    QTest::newRow("no month") << 27 << "mese" << "" << "mese";
    QTest::newRow("month 13") << 24 << "mese" << "13" << "mese";
    QTest::newRow("no bank") << 24 << "banca" << "" << "banca";
    QTest::newRow("bank with SQL") << 24 << "banca" << "1 or 1=1" << "banca";
    QTest::newRow("balance not a number") << 27 << "saldoIniziale" << "mille" << "saldo iniziale";
    QTest::newRow("impossible date") << 7 << "daData" << "31/02/2026" << "data non valida";
    QTest::newRow("supplier key with SQL") << 17 << "soggetto" << "1; delete * from fattura" << "non è valido";
}

void TestStampa::typedCriteriaAreCheckedFirst()
{
    QFETCH(int, codice);
    QFETCH(QString, campo);
    QFETCH(QString, valore);
    QFETCH(QString, messaggio);
    const QHash<QString, QString CriteriStampa::*> campi = {
        {"soggetto", &CriteriStampa::soggetto}, {"daData", &CriteriStampa::daData}, {"mese", &CriteriStampa::mese},
        {"anno", &CriteriStampa::anno},         {"banca", &CriteriStampa::banca},   {"saldoIniziale", &CriteriStampa::saldoIniziale}};
    CriteriStampaDigitati = PrintFixture::criteriValidi();
    CriteriStampaDigitati.*campi.value(campo) = valore;
    const QVariantMap prima = f->richiesta(PrintFixture::postazione);
    f->seams.dialogs.expectMessage(messaggio);
    CodiceStampa = codice;
    QVERIFY(!form_DB->Button2Click());
    QVERIFY(f->seams.dialogs.messages().value(0).text.startsWith("Attenzione"));
    QCOMPARE(f->seams.dialogs.messages().value(0).caption, QString("Messaggio di errore"));
    QCOMPARE(f->righe(PrintFixture::postazione), 1);
    QCOMPARE(f->richiesta(PrintFixture::postazione), prima);
    QVERIFY(f->seams.launcher.started.isEmpty());
    QCOMPARE(f->scalar("select count(*) from fattura").toInt(), 3);
}

void TestStampa::setupFollowsDefaultPrinterOption_data()
{
    QTest::addColumn<bool>("stampanteDefault");
    QTest::addColumn<bool>("esporta");
    QTest::addColumn<bool>("setup");
    QTest::newRow("printer dialog") << false << false << true;
    QTest::newRow("default printer") << true << false << false;
    QTest::newRow("export, printer dialog option") << false << true << false;
    QTest::newRow("export, default printer") << true << true << false;
}

void TestStampa::setupFollowsDefaultPrinterOption()
{
    QFETCH(bool, stampanteDefault);
    QFETCH(bool, esporta);
    QFETCH(bool, setup);
    f->exec(QStringLiteral("update opzioni set StampanteDefault = %1").arg(stampanteDefault ? "true" : "false"));
    form_DB->TableOpzioni->requery();
    const QString file = f->cartella() + "/Clienti.pdf";
    f->seams.launcher.behaviour = [file](const QString &, const QStringList &) {
        scriviFile(file, "%PDF-1.4");
        return 0;
    };
    EsportaStampa = esporta;
    FileEsportazioneStampa = file;
    CodiceStampa = 1;
    QVERIFY(form_DB->Button2Click());
    QCOMPARE(f->richiesta(PrintFixture::postazione)["Setup"].toBool(), setup);
}

void TestStampa::exportWaitsAndChecksTheFile_data()
{
    QTest::addColumn<QByteArray>("scritto"); // what the report program writes; empty: nothing
    QTest::addColumn<int>("uscita");
    QTest::addColumn<bool>("avviabile");
    QTest::addColumn<bool>("precedente"); // a file of an earlier export is there
    QTest::addColumn<bool>("riuscita");
    QTest::addColumn<QString>("messaggio");
    const QByteArray pdf = "%PDF-1.4 nuovo";
    QTest::newRow("written") << pdf << 0 << true << false << true << "";
    QTest::newRow("written over an earlier export") << pdf << 0 << true << true << true << "";
    QTest::newRow("program fails") << QByteArray() << 3 << true << false << false << "errore";
    QTest::newRow("program fails after writing") << pdf << 2 << true << false << false << "errore";
    QTest::newRow("program missing") << QByteArray() << 0 << false << true << false << "non si è avviato";
    QTest::newRow("nothing written, earlier file there") << QByteArray() << 0 << true << true << false << "non ha creato";
}

void TestStampa::exportWaitsAndChecksTheFile()
{
    QFETCH(QByteArray, scritto);
    QFETCH(int, uscita);
    QFETCH(bool, avviabile);
    QFETCH(bool, precedente);
    QFETCH(bool, riuscita);
    QFETCH(QString, messaggio);
    const QString file = f->cartella() + "/Fattura_1_2026.pdf";
    if (precedente) scriviFile(file, "vecchio");
    bool richiestaPronta = false;
    f->seams.launcher.startable = avviabile;
    f->seams.launcher.behaviour = [&](const QString &, const QStringList &) {
        // The request is committed before the report program reads it.
        richiestaPronta = f->richiestaSalvata(PrintFixture::postazione)["Esportazione"].toBool();
        if (!scritto.isEmpty()) scriviFile(file, scritto);
        return uscita;
    };
    if (!messaggio.isEmpty()) f->seams.dialogs.expectMessage(messaggio);
    EsportaStampa = true;
    FileEsportazioneStampa = file;
    CodiceStampa = 8;
    QCOMPARE(form_DB->Button2Click(), riuscita);

    QCOMPARE(f->seams.launcher.started.size(), 1);
    QCOMPARE(f->seams.launcher.started[0].program, f->programma());
    QCOMPARE(f->seams.launcher.started[0].wait, true);
    QCOMPARE(richiestaPronta, avviabile);
    const QVariantMap r = f->richiesta(PrintFixture::postazione);
    QCOMPARE(r["Esportazione"].toBool(), true);
    QCOMPARE(r["FileEsportazione"].toString(), file);
    QCOMPARE(r["TipoEsportazione"].toInt(), 1);
    QCOMPARE(r["Setup"].toBool(), false);
    QVERIFY(EsportaStampa); // left to the caller
    if (riuscita) QCOMPARE(leggiFile(file), scritto);
    QVERIFY(leggiFile(file) != "vecchio"); // an earlier export never passes for this one
}

void TestStampa::missingReportProgramIsReported()
{
    f->seams.launcher.startable = false;
    f->seams.dialogs.expectMessage("impossibile avviare il programma di stampa");
    CodiceStampa = 1;
    QVERIFY(!form_DB->Button2Click());
    QCOMPARE(f->seams.launcher.started.size(), 1);
    QCOMPARE(f->seams.launcher.started[0].wait, false);
    QCOMPARE(f->richiesta(PrintFixture::postazione)["NomeReport"].toString(), f->report("Clienti.rpt"));
}

void TestStampa::twoDispatchesLeaveOneRequest()
{
    CodiceStampa = 1;
    QVERIFY(form_DB->Button2Click());
    CodiceStampa = 3;
    QVERIFY(form_DB->Button2Click());
    QCOMPARE(f->righe(PrintFixture::postazione), 1);
    QCOMPARE(f->richiesta(PrintFixture::postazione)["NomeReport"].toString(), f->report("Fornitori.rpt"));
    QCOMPARE(f->seams.launcher.started.size(), 2);
    QCOMPARE(CodiceStampa, 3);
}

void TestStampa::workstationNameWithApostrophe()
{
    NomeComputerLocale = "PC dell'ufficio";
    f->exec("insert into TempAvvisi (NomeComputer, Testo) values ('PC dell''ufficio', 'Avviso')");
    f->exec("insert into TempAvvisiClienti (NomeComputer, Cliente_ID) values ('PC dell''ufficio', 2)");
    const QVariantMap postazione1 = f->richiesta(PrintFixture::postazione);
    for (int codice : {15, 26, 28, 32}) {
        CodiceStampa = codice;
        QVERIFY(form_DB->Button2Click());
        QCOMPARE(f->righe("PC dell''ufficio"), 1);
        const QVariantMap r = f->richiesta("PC dell''ufficio");
        QCOMPARE(r["NomeComputer"].toString(), NomeComputerLocale);
        apriQuery(*f, r);
        if (QTest::currentTestFailed()) return;
    }
    QCOMPARE(f->righeDi(f->richiesta("PC dell''ufficio")["Query"].toString()), 1); // code 32: its own notice
    QCOMPARE(f->richiesta(PrintFixture::postazione), postazione1);
}

void TestStampa::newDatabaseExportsOnlyPdf()
{
    QCOMPARE(f->scalar("select count(*) from TipoEsportazioniCrystalReport").toInt(), 1);
    QCOMPARE(f->scalar("select Numero from TipoEsportazioniCrystalReport").toInt(), 1);
    QCOMPARE(f->scalar("select Estensione from TipoEsportazioniCrystalReport").toString(), QString("pdf"));
}
