#include "tst_vetturestampe.h"
#include "PrintFixture.h"

#include "Program.h"
#include "app/Frm1.h"
#include "data/DB.h"
#include "db/Query.h"
#include "operations/Vetture.h"
#include "operations/VettureDettaglio.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

namespace {

QString testoPdf(const QString &percorso)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), percorso, QStringLiteral("-")});
    if (!p.waitForFinished(60000) || p.exitCode() != 0) return QStringLiteral("<pdftotext non riuscito>");
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

void TestVettureStampe::init()
{
    f = std::make_unique<PrintFixture>();
    // Vehicle 40 (CD456EF) of the fixture, and a second one; costs, refuellings, a deadline
    // and a card of each.
    for (const char *sql : {
             "insert into Carburanti (ID, Descrizione, Prezzo) values (1, 'Gasolio', 1.5)",
             "update Vetture set Modello = 'Iveco', VeicoloDesc = 'Carro attrezzi', NumTelaio = 'ZFA4040', Carburante_id = 1, "
             "DataImmatricolazione = #5/10/2019# where ID = 40",
             "insert into Vetture (ID, Targa, Modello, NumTelaio, Carburante_id) values (41, 'GH789IJ', 'Fiat', 'ZFA4141', 1)",
             "insert into VettureCosti (Vettura_ID, Data, Importo, TipologiaCosto) values "
             "(40, #3/2/2026#, 120, 'Tagliando'), (41, #3/3/2026#, 80, 'Gomme')",
             "insert into Rifornimenti (ID, Descrizione) values (1, 'Distributore Nord'), (2, 'Distributore Sud')",
             "insert into VettureCarburante (Vettura_ID, Data, Litri, Importo, KmPartenza, Rifornimento_ID) values "
             "(40, #3/4/2026#, 40, 60, 8200, 1), (41, #3/5/2026#, 12, 18, 900, 2)",
             "insert into VettureScadenze (Vettura_ID, Descrizione, DataScadenza, DataAvviso) values "
             "(40, 'Revisione annuale', #4/30/2026#, #4/1/2026#)",
             "insert into VettureSchede (Vettura_ID, Scheda, Numero, Pin) values (40, 'Carta Rossa', '7788', '1234')",
         })
        f->exec(QString::fromUtf8(sql));
    form_DB->TableVetture->requery();
    QDir().mkpath(f->cartella() + "/reports");
    for (const QString &nome : QDir(QStringLiteral(SOURCE_DIR "/reports")).entryList({"Vetture*.rpt"}))
        QFile::copy(QStringLiteral(SOURCE_DIR "/reports/") + nome, f->cartella() + "/reports/" + nome);
    f->seams.launcher.behaviour = [](const QString &, const QStringList &args) {
        return stampa::run(QStringList{QStringLiteral("stampa")} + args, false);
    };
    EsportaStampa = true;
    FileEsportazioneStampa = f->cartella() + "/vetture.pdf";
}

void TestVettureStampe::cleanup()
{
    QVERIFY2(f->seams.dialogs.clean(), qPrintable(f->seams.dialogs.report()));
    f.reset();
}

void TestVettureStampe::ogniStampa_data()
{
    QTest::addColumn<QString>("pulsante"); // a button of the Stampe tab, or of the vehicle editor
    QTest::addColumn<int>("codice");
    QTest::addColumn<QStringList>("presenti");
    QTest::addColumn<QStringList>("assenti");
    QTest::newRow("52 the fleet") << "btnStampeVetture" << 52 << QStringList{"CD456EF", "GH789IJ", "ZFA4040", "Iveco"}
                                  << QStringList{};
    QTest::newRow("47 the fleet's fuel") << "btnStampeVettureCarburante" << 47
                                         << QStringList{"CD456EF", "GH789IJ", "Distributore Nord", "Distributore Sud", "Gasolio", "52"}
                                         << QStringList{};
    QTest::newRow("46 the fleet's costs") << "btnStampeVettureCosti" << 46
                                          << QStringList{"CD456EF", "GH789IJ", "Tagliando", "Gomme", "120"} << QStringList{};
    QTest::newRow("44 the vehicle's costs") << "SpeedButton23" << 44 << QStringList{"CD456EF", "Tagliando"} << QStringList{"Gomme"};
    QTest::newRow("45 the vehicle's fuel") << "SpeedButton24" << 45 << QStringList{"CD456EF", "Distributore Nord", "8.200"}
                                           << QStringList{"Distributore Sud"};
    QTest::newRow("48 the vehicle sheet") << "spdStampa" << 48 << QStringList{"CD456EF", "ZFA4040"} << QStringList{"GH789IJ"};
    QTest::newRow("49 the vehicle's deadlines") << "SpeedButton1" << 49 << QStringList{"CD456EF", "Revisione annuale"}
                                                << QStringList{};
    QTest::newRow("50 the vehicle's cards") << "SpeedButton5" << 50 << QStringList{"CD456EF", "Carta Rossa", "7788", "1234"}
                                            << QStringList{};
}

void TestVettureStampe::ogniStampa()
{
    QFETCH(QString, pulsante);
    QFETCH(int, codice);
    QFETCH(QStringList, presenti);
    QFETCH(QStringList, assenti);
    QToolButton *b = nullptr;
    if (pulsante.startsWith("btnStampe")) {
        b = Form1->pgcBarra->widget(TForm1::tabStampe)->findChild<QToolButton *>(pulsante);
    } else {
        QVERIFY(form_DB->TableVetture->locate("ID", 40));
        frmVetture->btnRequeryClick();
        b = frmVettureDettaglio->findChild<QToolButton *>(pulsante);
    }
    QVERIFY2(b, qPrintable(pulsante));
    QVERIFY(b->isEnabled());
    b->click();
    QCOMPARE(CodiceStampa, codice);
    QVERIFY2(QFile::exists(FileEsportazioneStampa), qPrintable(f->seams.dialogs.report()));
    const QString testo = testoPdf(FileEsportazioneStampa);
    for (const QString &t : presenti) QVERIFY2(testo.contains(t), qPrintable(t + "\n" + testo));
    for (const QString &t : assenti) QVERIFY2(!testo.contains(t), qPrintable(t + "\n" + testo));
}
