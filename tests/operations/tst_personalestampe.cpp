#include "tst_personalestampe.h"
#include "PrintFixture.h"

#include "Program.h"
#include "app/Frm1.h"
#include "data/DB.h"
#include "db/Query.h"
#include "operations/GrigliaPersonale.h"
#include "operations/PersonaleDettaglio.h"
#include "operations/StampaPersonale.h"

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

void TestPersonaleStampe::init()
{
    f = std::make_unique<PrintFixture>();
    // Employee 50 of the fixture, a second one and a withdrawn one; costs, deadlines and
    // salaries of the first two.
    for (const char *sql : {
             "insert into CategoriePersonale (Id, Descrizione) values (1, 'Autisti')",
             "update Personale set CategoriaPersonale_ID = 1, Iva = '01234567890', CodFisc = 'VRDMRA80A01L219X', "
             "Tel = '011 555', Email = 'mario@verdi.it', PagaMensile = 1500 where Id = 50",
             "insert into Personale (Id, Personale, CodFisc) values (51, 'Neri Paolo', 'NRIPLA75B02F205Y')",
             "insert into Personale (Id, Personale, Annullato) values (52, 'Gialli Ritirato', true)",
             "insert into PersonaleCosti (Personale_ID, Data, Importo, TipologiaCosto) values "
             "(50, #3/2/2026#, 120, 'Formazione'), (51, #3/3/2026#, 80, 'Vestiario')",
             "insert into PersonaleScadenze (Personale_ID, Descrizione, DataScadenza, DataAvviso) values "
             "(50, 'Visita medica', #4/30/2026#, #4/1/2026#), (51, 'Rinnovo patente', #5/31/2026#, #5/1/2026#)",
             "insert into PersonaleStipendi (Personale_ID, Anno, Mese, ImportoBonifico, Base, Addebiti_Descrizione) values "
             "(50, 2026, '02', 1450, 1500, 'Anticipo'), (51, 2026, '01', 1300, 1300, 'Multa')",
         })
        f->exec(QString::fromUtf8(sql));
    form_DB->TablePersonale->setFilter(QString());
    form_DB->TablePersonale->requery();
    QDir().mkpath(f->cartella() + "/reports");
    for (const QString &nome : QDir(QStringLiteral(SOURCE_DIR "/reports")).entryList({"*Personale*.rpt"}))
        QFile::copy(QStringLiteral(SOURCE_DIR "/reports/") + nome, f->cartella() + "/reports/" + nome);
    f->seams.launcher.behaviour = [](const QString &, const QStringList &args) {
        return stampa::run(QStringList{QStringLiteral("stampa")} + args, false);
    };
    EsportaStampa = true;
    FileEsportazioneStampa = f->cartella() + "/personale.pdf";
}

void TestPersonaleStampe::cleanup()
{
    QVERIFY2(f->seams.dialogs.clean(), qPrintable(f->seams.dialogs.report()));
    f.reset();
}

void TestPersonaleStampe::ogniStampa_data()
{
    QTest::addColumn<QString>("pulsante"); // a button of the print menu, or of the staff editor
    QTest::addColumn<int>("codice");
    QTest::addColumn<QStringList>("presenti");
    QTest::addColumn<QStringList>("assenti");
    QTest::newRow("25 the staff, not the withdrawn") << "btnStampePersonale" << 25
                                                     << QStringList{"Verdi Mario", "Neri Paolo", "Autisti", "01234567890"}
                                                     << QStringList{"Gialli Ritirato"};
    QTest::newRow("19 every cost") << "BitBtn2" << 19 << QStringList{"Verdi Mario", "Neri Paolo", "Formazione", "Vestiario"}
                                   << QStringList{};
    QTest::newRow("65 the salaries") << "btnStampaPersonaleStipendi" << 65 << QStringList{"Verdi Mario", "Neri Paolo", "1.450"}
                                     << QStringList{};
    QTest::newRow("66 the salaries by month") << "BitBtn1" << 66 << QStringList{"Verdi Mario", "Neri Paolo"} << QStringList{};
    QTest::newRow("67 the salaries by description") << "BitBtn3" << 67 << QStringList{"Verdi Mario", "Neri Paolo", "Anticipo", "Multa"}
                                                    << QStringList{};
    QTest::newRow("55 every deadline") << "BitBtn4" << 55 << QStringList{"Visita medica", "Rinnovo patente"} << QStringList{};
    QTest::newRow("18 the employee's costs") << "SpeedButton23" << 18 << QStringList{"Verdi Mario", "Formazione"}
                                             << QStringList{"Vestiario"};
    QTest::newRow("54 the employee's deadlines") << "SpeedButton6" << 54 << QStringList{"Verdi Mario", "Visita medica"}
                                                 << QStringList{"Rinnovo patente"};
    QTest::newRow("60 the privacy sheet") << "SpeedButton1" << 60 << QStringList{"Verdi Mario", "VRDMRA80A01L219X"}
                                          << QStringList{"Neri Paolo"};
}

void TestPersonaleStampe::ogniStampa()
{
    QFETCH(QString, pulsante);
    QFETCH(int, codice);
    QFETCH(QStringList, presenti);
    QFETCH(QStringList, assenti);
    QToolButton *b = frmStampaPersonale->findChild<QToolButton *>(pulsante);
    if (!b) {
        QVERIFY(form_DB->TablePersonale->locate("Id", 50));
        frmGrigliaPersonale->btnRequeryClick();
        b = frmPersonaleDettaglio->findChild<QToolButton *>(pulsante);
    }
    QVERIFY2(b, qPrintable(pulsante));
    b->click();
    QCOMPARE(CodiceStampa, codice);
    QVERIFY2(QFile::exists(FileEsportazioneStampa), qPrintable(f->seams.dialogs.report()));
    const QString testo = testoPdf(FileEsportazioneStampa);
    for (const QString &t : presenti) QVERIFY2(testo.contains(t), qPrintable(t + "\n" + testo));
    for (const QString &t : assenti) QVERIFY2(!testo.contains(t), qPrintable(t + "\n" + testo));
}

void TestPersonaleStampe::paginaVuotaNonStampa()
{
    // An employee without deadlines or costs: the page buttons print nothing.
    QVERIFY(form_DB->TablePersonale->locate("Id", 52));
    frmGrigliaPersonale->btnRequeryClick();
    CodiceStampa = 0;
    frmPersonaleDettaglio->SpeedButton6->click();
    frmPersonaleDettaglio->SpeedButton23->click();
    QCOMPARE(CodiceStampa, 0);
    QVERIFY(!QFile::exists(FileEsportazioneStampa));
}

void TestPersonaleStampe::menuPrincipale()
{
    // The Stampe tab's "Personale" shows the menu without waiting.
    QToolButton *b = Form1->pgcBarra->widget(TForm1::tabStampe)->findChild<QToolButton *>("btnStampePersonale");
    QVERIFY(b);
    QVERIFY(b->isEnabled());
    b->click();
    QVERIFY(frmStampaPersonale->isVisible());
    QVERIFY(!frmStampaPersonale->isModal());
    frmStampaPersonale->spdIndietro->click();
    QVERIFY(!frmStampaPersonale->isVisible());
}
