#include "tst_stampe.h"

#include "data/services/Stampe.h"
#include "print/AttesiStampe.h"
#include "support/TestCore.h"

#include <QSet>
#include <QTest>

using namespace attesi_stampe;
using namespace testing_support;

namespace {

// The records of the expected texts: credit note 12, invoice 11, quote 20, customer 2,
// supplier 1, vehicle 40, staff member 50.
stampe::Chiavi chiavi()
{
    stampe::Chiavi k;
    k.notaCredito = 12;
    k.fattura = 11;
    k.preventivo = 20;
    k.cliente = 2;
    k.fornitore = 1;
    k.vettura = 40;
    k.personale = 50;
    return k;
}

void confronta(const stampe::Richiesta &r, const QStringList &attese)
{
    const QString scritte[] = {r.query, r.sottoreport1, r.sottoreport2};
    for (int i = 0; i < 3; ++i) {
        if (attese[i].isNull()) {
            QVERIFY2(scritte[i].isNull(), qPrintable(QString("%1 written: %2").arg(kCampi[i], scritte[i])));
            continue;
        }
        QVERIFY2(scritte[i] == attese[i], qPrintable(QString("%1 %2").arg(kCampi[i], differenza(scritte[i], attese[i]))));
    }
}

} // namespace

void TestServiziStampe::everyCodeFromIds_data()
{
    QTest::addColumn<int>("codice");
    QTest::addColumn<QStringList>("attese");
    const QMap<int, QStringList> attese = attesePerCodice();
    for (auto e = attese.begin(); e != attese.end(); ++e) QTest::addRow("%d", e.key()) << e.key() << e.value();
    QSet<int> catalogo;
    for (const stampe::Voce &v : stampe::catalogo()) catalogo << v.codice;
    QCOMPARE(catalogo, QSet<int>(attese.keyBegin(), attese.keyEnd()));
}

void TestServiziStampe::everyCodeFromIds()
{
    QFETCH(int, codice);
    QFETCH(QStringList, attese);
    const stampe::Esito e = stampe::prepara(codice, chiavi(), criteri(), stampe::Opzioni(), "POSTAZIONE1", "/modelli");
    QCOMPARE(e.tipo, stampe::Esito::Pronta);
    confronta(e.richiesta, attese);
    QVERIFY(e.richiesta.nomeReport.startsWith("/modelli/"));
}

void TestServiziStampe::fromASeizure()
{
    // Seizure 30: its own invoice 10 and quote 20, whatever invoice is open elsewhere.
    QMap<int, QStringList> attese = attesePerCodice();
    for (const Cambio &c : kDaSequestro) attese[c.codice][indiceCampo(c.campo)].replace(QString::fromUtf8(c.prima), QString::fromUtf8(c.dopo));
    stampe::Chiavi k = chiavi();
    k.daSequestro = true;
    k.fattura = 10;
    for (int codice : {5, 8}) {
        const stampe::Esito e = stampe::prepara(codice, k, criteri(), stampe::Opzioni(), "POSTAZIONE1", "/modelli");
        confronta(e.richiesta, attese.value(codice));
    }
    // A seizure without an invoice prints an empty invoice; without a seizure nothing is printed.
    k.fattura.reset();
    QCOMPARE(stampe::prepara(8, k, criteri(), {}, "P", "/m").tipo, stampe::Esito::Pronta);
    k.daSequestro = false;
    QCOMPARE(stampe::prepara(8, k, criteri(), {}, "P", "/m").tipo, stampe::Esito::NienteDaStampare);
}

void TestServiziStampe::nothingOrRefused()
{
    stampe::Chiavi k = chiavi();
    k.notaCredito.reset();
    QCOMPARE(stampe::prepara(4, k, criteri(), {}, "P", "/m").tipo, stampe::Esito::NienteDaStampare);
    // Typed criteria are checked before any SQL is built.
    CriteriStampa c = criteri();
    c.anno = "26";
    const stampe::Esito e = stampe::prepara(24, chiavi(), c, {}, "P", "/m");
    QCOMPARE(e.tipo, stampe::Esito::CriteriNonValidi);
    QVERIFY(e.messaggio.startsWith("Attenzione"));
    QVERIFY(e.richiesta.query.isNull());
    // A workstation name with an apostrophe reaches the SQL doubled.
    const stampe::Esito p = stampe::prepara(32, chiavi(), criteri(), {}, "PC dell'ufficio", "/m");
    QVERIFY2(p.richiesta.query.contains("'PC dell''ufficio'"), qPrintable(p.richiesta.query));
}

void TestServiziStampe::requestRowReplacesOnlyThisWorkstations()
{
    TestDatabase d(TestDatabase::WithSchema);
    d.conn().execute("insert into TempStampa (NomeComputer, NomeReport) values ('ALTRA', 'x.rpt'), ('P''1', 'vecchio.rpt')");
    const stampe::Esito e = stampe::prepara(1, chiavi(), criteri(), {}, "P'1", "/m");
    stampe::Scrittura w;
    w.esporta = true;
    w.file = "/tmp/Fattura_1_2026.pdf";
    w.tipoEsportazione = 1;
    stampe::scriviRichiesta(d.conn(), "P'1", &e.richiesta, w);
    QCOMPARE(d.scalar("select count(*) from TempStampa where NomeComputer = 'P''1'").toInt(), 1);
    QCOMPARE(d.scalar("select NomeReport from TempStampa where NomeComputer = 'P''1'").toString(), QString("/m/Clienti.rpt"));
    QCOMPARE(d.scalar("select Esportazione & FileEsportazione from TempStampa where NomeComputer = 'P''1'").toString(),
             QString("1/tmp/Fattura_1_2026.pdf"));
    QCOMPARE(d.scalar("select Query from TempStampa where NomeComputer = 'P''1'").toString(), e.richiesta.query);
    QCOMPARE(d.scalar("select NomeReport from TempStampa where NomeComputer = 'ALTRA'").toString(), QString("x.rpt"));
    // Nothing to print: this workstation's old request is gone all the same.
    stampe::scriviRichiesta(d.conn(), "P'1", nullptr, {});
    QCOMPARE(d.scalar("select count(*) from TempStampa").toInt(), 1);
}
