#include "tst_menustampe.h"

#include "PrintFixture.h"
#include "app/Frm1.h"
#include "data/DB.h"

#include <QColor>
#include <QGroupBox>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

namespace {

QWidget *paginaStampe() { return Form1->pgcBarra->widget(TForm1::tabStampe); }

QGroupBox *gruppo(const QString &titolo)
{
    for (QGroupBox *g : paginaStampe()->findChildren<QGroupBox *>())
        if (g->title() == titolo) return g;
    return nullptr;
}

} // namespace

void TestMenuStampe::init() { f = std::make_unique<PrintFixture>(); }

void TestMenuStampe::cleanup()
{
    const QString report = f->seams.dialogs.report();
    const bool clean = f->seams.dialogs.clean();
    f.reset();
    QVERIFY2(clean, qPrintable(report));
}

void TestMenuStampe::groupsAndCaptions_data()
{
    QTest::addColumn<QString>("titolo");
    QTest::addColumn<QColor>("colore");
    QTest::addColumn<QStringList>("pulsanti");
    QTest::newRow("customers") << "Doc. Clienti" << QColor(255, 128, 128)
                               << QStringList{"Fatture", "Note Credito", "Preventivi", "Sequestri",
                                              "Sequestri non dissequestrati"};
    QTest::newRow("suppliers") << "Doc. Fornitori" << QColor(128, 255, 255) << QStringList{"Fatture", "Note Credito"};
    QTest::newRow("other") << "Altro" << QColor(255, 128, 64)
                           << QStringList{"Calendario", "Cisterne", "Clienti", "Contabilità", "Fornitori", "Personale",
                                          "Prima nota", "Tariffe", "Scadenziario", "Vetture", "Vetture Carburante",
                                          "Vetture Costi"};
}

void TestMenuStampe::groupsAndCaptions()
{
    QFETCH(QString, titolo);
    QFETCH(QColor, colore);
    QFETCH(QStringList, pulsanti);
    QCOMPARE(paginaStampe()->findChildren<QGroupBox *>().size(), 3);
    QGroupBox *g = gruppo(titolo);
    QVERIFY(g);
    QCOMPARE(g->palette().color(QPalette::Window), colore);
    QVERIFY(g->autoFillBackground());
    QVERIFY(g->font().bold());
    QCOMPARE(g->font().pixelSize(), 13);
    QStringList testi;
    for (QToolButton *b : g->findChildren<QToolButton *>()) testi << b->text();
    QCOMPARE(testi, pulsanti);
}

void TestMenuStampe::buttons_data()
{
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QString>("titolo");
    QTest::addColumn<QString>("testo");
    QTest::addColumn<int>("codice");    // 0: its print form is not built yet
    QTest::addColumn<QString>("report");
    QTest::newRow("customer invoices") << "btnStampeFattureClienti" << "Doc. Clienti" << "Fatture" << 30 << "FattureLista.rpt";
    QTest::newRow("customer credit notes") << "btnStampeNoteCreditoClienti" << "Doc. Clienti" << "Note Credito" << 33
                                           << "NoteCreditoLista.rpt";
    QTest::newRow("quotes") << "btnStampePreventiviClienti" << "Doc. Clienti" << "Preventivi" << 35 << "PreventiviLista.rpt";
    QTest::newRow("seizures") << "btnStampaSequestri" << "Doc. Clienti" << "Sequestri" << 6 << "Sequestri.rpt";
    QTest::newRow("seizures not released") << "btnStampaSequestriNonDissequestrati" << "Doc. Clienti"
                                           << "Sequestri non dissequestrati" << 29 << "SequestriNonDissequestrati.rpt";
    QTest::newRow("purchase invoices") << "btnStampeFattureFornitori" << "Doc. Fornitori" << "Fatture" << 31 << "CaricoLista.rpt";
    QTest::newRow("supplier credit notes") << "btnStampeNoteCreditoFornitori" << "Doc. Fornitori" << "Note Credito" << 14
                                           << "NotaCreditoFornitoreLista.rpt";
    QTest::newRow("calendar") << "BitBtn4" << "Altro" << "Calendario" << 23 << "Calendario.rpt";
    QTest::newRow("fuel tanks") << "btnStampeCisterne" << "Altro" << "Cisterne" << 22 << "Cisterne.rpt";
    QTest::newRow("customers") << "btnStampeClienti" << "Altro" << "Clienti" << 1 << "Clienti.rpt";
    QTest::newRow("accounting") << "btnStampeContabilita" << "Altro" << "Contabilità" << 0 << "";
    QTest::newRow("suppliers") << "btnStampeFornitori" << "Altro" << "Fornitori" << 3 << "Fornitori.rpt";
    QTest::newRow("staff") << "btnStampePersonale" << "Altro" << "Personale" << 0 << "";
    QTest::newRow("cash book") << "btnStampePrimaNota" << "Altro" << "Prima nota" << 0 << "";
    QTest::newRow("price list") << "btnStampeTariffe" << "Altro" << "Tariffe" << 2 << "Tariffe.rpt";
    QTest::newRow("schedule") << "btnStampeScadenziario" << "Altro" << "Scadenziario" << 0 << "";
    QTest::newRow("vehicles") << "btnStampeVetture" << "Altro" << "Vetture" << 52 << "VettureElenco.rpt";
    QTest::newRow("fuel log") << "btnStampeVettureCarburante" << "Altro" << "Vetture Carburante" << 47
                              << "VettureCarburanteElenco.rpt";
    QTest::newRow("vehicle costs") << "btnStampeVettureCosti" << "Altro" << "Vetture Costi" << 46 << "VettureCostiElenco.rpt";
}

void TestMenuStampe::buttons()
{
    QFETCH(QString, nome);
    QFETCH(QString, titolo);
    QFETCH(QString, testo);
    QFETCH(int, codice);
    QFETCH(QString, report);
    QToolButton *b = paginaStampe()->findChild<QToolButton *>(nome);
    QVERIFY(b);
    QCOMPARE(b->parentWidget(), gruppo(titolo));
    QCOMPARE(b->text(), testo);
    // The cash book, the staff, the schedule and the accounting open their own print menus.
    QCOMPARE(b->isEnabled(), codice != 0 || nome == "btnStampePrimaNota" || nome == "btnStampePersonale" ||
                                 nome == "btnStampeScadenziario" || nome == "btnStampeContabilita");
    if (!codice) return;
    b->click();
    QCOMPARE(CodiceStampa, codice);
    QCOMPARE(f->righe(PrintFixture::postazione), 1);
    QCOMPARE(f->richiesta(PrintFixture::postazione)["NomeReport"].toString(), f->report(report));
    QCOMPARE(f->seams.launcher.started.size(), 1);
    QCOMPARE(f->seams.launcher.started[0].program, f->programma());
    QCOMPARE(f->seams.launcher.started[0].wait, false);
}

void TestMenuStampe::twoClicksReplaceTheRequest()
{
    QToolButton *clienti = paginaStampe()->findChild<QToolButton *>("btnStampeClienti");
    clienti->click();
    clienti->click();
    QCOMPARE(f->righe(PrintFixture::postazione), 1);
    QCOMPARE(f->richiesta(PrintFixture::postazione)["NomeReport"].toString(), f->report("Clienti.rpt"));
    QCOMPARE(f->seams.launcher.started.size(), 2);
}
