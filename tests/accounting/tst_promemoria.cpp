#include "tst_promemoria.h"

#include "Ambiente.h"
#include "accounting/PromemoriaScadenze.h"
#include "app/Forms.h"
#include "app/Frm1.h"
#include "data/DB.h"
#include "db/Connection.h"
#include "db/Query.h"
#include "operations/VettureScadenze.h"
#include "support/TestSupport.h"
#include "widgets/DBEdit.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <functional>
#include <memory>

using namespace testing_support;

namespace {

std::unique_ptr<QTemporaryDir> g_cartella;
std::unique_ptr<Seams> g_seams;
int g_forzate = 0;       // windows closed by force (a test gone wrong)
int g_forzatePrima = 0;  // the nested helper's count when the test began

// The program's database as the user finds it, with the test's rows, and its forms; the
// start-up has not run yet. Today is 15/03/2026.
void prepara(bool promemoria, const QStringList &righe)
{
    g_cartella = std::make_unique<QTemporaryDir>();
    g_seams = std::make_unique<Seams>(g_cartella->path(), QDateTime(QDate(2026, 3, 15), QTime(8, 30)));
    QDir(g_cartella->path()).mkpath(QStringLiteral("aiuto"));
    QFile pagina(QDir(g_cartella->path()).filePath(QStringLiteral("aiuto/index.html")));
    QVERIFY(pagina.open(QIODevice::WriteOnly));
    pagina.close();
    const QString archivio = QDir(g_cartella->path()).filePath(QStringLiteral("archivio.db"));
    QVERIFY(QFile::copy(percorsoModello(), archivio));
    {
        db::Connection c;
        QVERIFY(c.open(archivio));
        c.execute(QStringLiteral("update opzioni set PromemoriaScadenze = :si"), {{QStringLiteral(":si"), promemoria}});
        for (const QString &s : righe) c.execute(s);
    }
    g_forzate = 0;
    g_forzatePrima = ambiente::chiusureForzate();
    AvvioCompletato = false;
    CreaForms();
    Form1->terminaApplicazione = [] {};
}

// Activates the main window as the toolkit does; `azione` runs on the reminder window while the
// start-up shows it, which is closed afterwards. True when it was shown. A window left open by
// a test gone wrong is closed after a few seconds and counted by ambiente::chiusureForzate().
bool attiva(const std::function<void()> &azione = {})
{
    QObject contesto;
    bool mostrata = false;
    QWidget *altra = nullptr;
    QTimer::singleShot(0, &contesto, [&] {
        QWidget *w = QApplication::activeModalWidget();
        if (w != frmPromemoriaScadenze) {
            altra = w;
            if (w) w->close();
            return;
        }
        mostrata = true;
        if (azione) azione();
        frmPromemoriaScadenze->spdIndietro->click();
    });
    QTimer sicurezza;
    sicurezza.setSingleShot(true);
    QObject::connect(&sicurezza, &QTimer::timeout, [] {
        ++g_forzate;
        while (QWidget *w = QApplication::activeModalWidget()) w->close();
    });
    sicurezza.start(5000);
    Form1->FormActivate();
    QCoreApplication::processEvents();
    if (altra) qWarning("unexpected window: %s", qPrintable(altra->objectName()));
    return mostrata && !altra;
}

QStringList titoli(QTableWidget *g)
{
    QStringList t;
    for (int c = 0; c < g->columnCount(); ++c) {
        const QTableWidgetItem *h = g->horizontalHeaderItem(c);
        t << (h ? h->text() : QString());
    }
    return t;
}

QStringList riga(QTableWidget *g, int r)
{
    QStringList t;
    for (int c = 0; c < g->columnCount(); ++c) {
        const QTableWidgetItem *i = g->item(r, c);
        t << (i ? i->text() : QString());
    }
    return t;
}

bool rigaVuota(QTableWidget *g, int r) { return riga(g, r).join(QString()).isEmpty(); }

const QString kRate = QStringLiteral(
    "insert into FatturaScadenze (Id, DataScadenza, DataPagamento, Tipo, Operazione, Importo, Cliente_id) values "
    "(11, #3/1/2026#, null, 'F', 'Fattura n. 3', 50, 0), (12, #3/15/2026#, null, 'C', 'Acquisto FT/9', 99.9, 0), "
    "(13, #3/10/2026#, null, 'N', 'Nota n. 1', 20, 0), (14, #3/16/2026#, null, 'F', 'Domani', 5, 0), "
    "(15, #3/1/2026#, #3/2/2026#, 'F', 'Pagata', 5, 0)");
const QString kCalendario = QStringLiteral(
    "insert into Calendario (Id, Data, DataAvviso, Conclusa, TipologiaCalendario, Cliente) values "
    "(21, #3/20/2026 15.30.00#, #3/15/2026#, false, 'Soccorso', 'Bar Roma'), (22, #3/20/2026#, #3/14/2026#, true, 'Fatto', '')");
const QStringList kVettura = {
    QStringLiteral("insert into Vetture (ID, Targa) values (31, 'AB123CD')"),
    QStringLiteral("insert into VettureScadenze (Id, Vettura_ID, Descrizione, DataScadenza, DataAvviso, Validato) values "
                   "(41, 31, 'Revisione', #4/15/2026#, #3/15/2026#, false), "
                   "(42, 31, 'Bollo', #3/20/2026#, #3/1/2026#, true)")};

} // namespace

void TestPromemoria::cleanup()
{
    DistruggiForms();
    const bool pulito = g_seams ? g_seams->dialogs.clean() : true;
    const QString resoconto = g_seams ? g_seams->dialogs.report() : QString();
    g_seams.reset();
    g_cartella.reset();
    QVERIFY2(pulito, qPrintable(resoconto));
    QCOMPARE(g_forzate, 0);
    QCOMPARE(ambiente::chiusureForzate(), g_forzatePrima);
}

void TestPromemoria::mostrataSoloSeServe_data()
{
    QTest::addColumn<bool>("opzione");
    QTest::addColumn<QStringList>("righe");
    QTest::addColumn<bool>("mostrata");
    QTest::newRow("option on, instalments due") << true << QStringList{kRate} << true;
    QTest::newRow("option off, instalments due") << false << QStringList{kRate} << false;
    QTest::newRow("option on, vehicle deadline come") << true << kVettura << true;
    QTest::newRow("option on, nothing due") << true
                                            << QStringList{"insert into FatturaScadenze (DataScadenza, Tipo) values "
                                                           "(#3/16/2026#, 'F')",
                                                           "insert into Calendario (DataAvviso, Conclusa) values "
                                                           "(#3/15/2026#, true)"}
                                            << false;
    QTest::newRow("option on, empty database") << true << QStringList() << false;
}

void TestPromemoria::mostrataSoloSeServe()
{
    QFETCH(bool, opzione);
    QFETCH(QStringList, righe);
    QFETCH(bool, mostrata);
    prepara(opzione, righe);
    QCOMPARE(attiva(), mostrata);
    QVERIFY(AvvioCompletato);
    // Coming back to the main window later never shows it again.
    QVERIFY(!attiva());
}

void TestPromemoria::scaduteElencate()
{
    prepara(true, {kRate, kVettura.at(0), kVettura.at(1)});
    QTableWidget *g = nullptr;
    const bool mostrata = attiva([&] {
        QCOMPARE(frmPromemoriaScadenze->windowTitle(), QString("Promemoria Scadenze"));
        QVERIFY(frmPromemoriaScadenze->isVisible());
        g = frmPromemoriaScadenze->StringGrid1;
        // Three instalments due and not paid, by due date, then one blank row.
        QCOMPARE(g->rowCount(), 4);
        QCOMPARE(titoli(g), QStringList({"Data Scadenza", "Operazione", "Cliente", "Fornitore", "Importo", "Mod.Pagamento",
                                         "Note", "id_scad", "Tipo"}));
        QCOMPARE(riga(g, 0), QStringList({"01/03/2026", "Fattura n. 3", "", "", "50", "", "", "11", "F"}));
        QCOMPARE(riga(g, 1), QStringList({"10/03/2026", "Nota n. 1", "", "", "20", "", "", "13", "N"}));
        QCOMPARE(riga(g, 2), QStringList({"15/03/2026", "Acquisto FT/9", "", "", "99,9", "", "", "12", "C"}));
        QVERIFY(rigaVuota(g, 3));
        // Every title shown whole, "Data Scadenza" included.
        for (QTableWidget *t : {g, frmPromemoriaScadenze->StringGrid2, frmPromemoriaScadenze->StringGrid3})
            for (int c = 0; c < t->columnCount(); ++c)
                if (!t->isColumnHidden(c))
                    QVERIFY2(t->columnWidth(c) > t->horizontalHeader()->fontMetrics().horizontalAdvance(titoli(t).at(c)) + 8,
                             qPrintable(titoli(t).at(c)));
        // The id and the letter are kept out of sight.
        QVERIFY(g->isColumnHidden(7) && g->isColumnHidden(8) && !g->isColumnHidden(6));
        QCOMPARE(frmPromemoriaScadenze->StringGrid2->rowCount(), 2);
        QCOMPARE(riga(frmPromemoriaScadenze->StringGrid2, 0),
                 QStringList({"15/04/2026", "Revisione", "", "AB123CD", "", "41"}));
        // Nothing for the staff: no titles; the calendar is titled anyway.
        QCOMPARE(titoli(frmPromemoriaScadenze->StringGrid4), QStringList(5, QString()));
        QCOMPARE(frmPromemoriaScadenze->StringGrid4->rowCount(), 1);
        QCOMPARE(titoli(frmPromemoriaScadenze->StringGrid3), QStringList({"Data", "Tipologia", "Cliente", "Personale", "Note", "Id"}));
        QCOMPARE(frmPromemoriaScadenze->StringGrid3->rowCount(), 1);
    });
    QVERIFY(mostrata);
}

void TestPromemoria::soloCalendario()
{
    prepara(true, {kCalendario});
    QVERIFY(attiva([] {
        for (QTableWidget *g : {frmPromemoriaScadenze->StringGrid1, frmPromemoriaScadenze->StringGrid2,
                                frmPromemoriaScadenze->StringGrid4}) {
            QCOMPARE(g->rowCount(), 1);
            QVERIFY(rigaVuota(g, 0));
            QCOMPARE(titoli(g).join(QString()), QString());
        }
        QTableWidget *g = frmPromemoriaScadenze->StringGrid3;
        QCOMPARE(titoli(g), QStringList({"Data", "Tipologia", "Cliente", "Personale", "Note", "Id"}));
        QCOMPARE(g->rowCount(), 2);
        QCOMPARE(riga(g, 0), QStringList({"20/03/2026 15:30:00", "Soccorso", "Bar Roma", "", "", "21"}));
        QVERIFY(rigaVuota(g, 1));
        // A double click on the blank rows of the empty grids opens nothing.
        frmPromemoriaScadenze->StringGrid1->setCurrentCell(0, 0);
        frmPromemoriaScadenze->StringGrid1DblClick();
        frmPromemoriaScadenze->StringGrid2->setCurrentCell(0, 0);
        frmPromemoriaScadenze->StringGrid2DblClick();
        QCOMPARE(QApplication::activeModalWidget(), frmPromemoriaScadenze);
    }));
}

void TestPromemoria::doppioClicVettura()
{
    prepara(true, kVettura);
    QVERIFY(attiva([] {
        QTableWidget *g = frmPromemoriaScadenze->StringGrid2;
        const QPoint centro = g->visualRect(g->model()->index(0, 1)).center();
        bool aperta = false;
        // The press selects the row, the second click of the pair is the double click.
        ambiente::conModale([&] {
            QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, centro);
            QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, centro);
        },
                            [&](QWidget *w) {
                                aperta = true;
                                QCOMPARE(w, frmVettureScadenze);
                                QCOMPARE(form_DB->TableVettureScadenze->recordCount(), 1);
                                QCOMPARE(form_DB->TableVettureScadenze->fieldByName("Id").asInteger(), 41);
                                QCOMPARE(frmVettureScadenze->DBEdit1->text(), QString("Revisione"));
                                frmVettureScadenze->spdIndietro->click();
                            });
        QVERIFY(aperta);
        QVERIFY(!frmVettureScadenze->isVisible());
        // The blank last row opens nothing.
        g->setCurrentCell(1, 1);
        frmPromemoriaScadenze->StringGrid2DblClick();
        QCOMPARE(QApplication::activeModalWidget(), frmPromemoriaScadenze);
        // A deadline deleted since the start opens nothing either; the window keeps its row.
        form_DB->Connessione.execute("delete from VettureScadenze where Id = 41");
        g->setCurrentCell(0, 1);
        frmPromemoriaScadenze->StringGrid2DblClick();
        QCOMPARE(QApplication::activeModalWidget(), frmPromemoriaScadenze);
        QCOMPARE(riga(g, 0).value(5), QString("41"));
    }));
}

void TestPromemoria::appuntamentoFuoriCalendario()
{
    // Not concluded, but in history: listed, yet not among the calendar's rows.
    prepara(true, {"insert into Calendario (Id, Data, DataAvviso, Conclusa, Storico, TipologiaCalendario) values "
                   "(23, #12/30/2025#, #12/28/2025#, false, true, 'Vecchio')"});
    QVERIFY(attiva([] {
        QTableWidget *g = frmPromemoriaScadenze->StringGrid3;
        QCOMPARE(riga(g, 0).value(5), QString("23"));
        g_seams->dialogs.expectMessage("nello storico");
        g->setCurrentCell(0, 0);
        frmPromemoriaScadenze->StringGrid3DblClick();
        QCOMPARE(g_seams->dialogs.messages().size(), 1);
        QCOMPARE(QApplication::activeModalWidget(), frmPromemoriaScadenze);
    }));
}
