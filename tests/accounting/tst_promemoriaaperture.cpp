#include "tst_promemoriaaperture.h"

#include "Ambiente.h"
#include "accounting/PromemoriaScadenze.h"
#include "accounting/ScadenziarioDettaglio.h"
#include "accounting/services/Promemoria.h"
#include "app/Forms.h"
#include "app/Frm1.h"
#include "data/DB.h"
#include "db/Connection.h"
#include "db/Query.h"
#include "operations/Calendario.h"
#include "operations/PersonaleScadenze.h"
#include "support/TestSupport.h"
#include "widgets/DBCheckBox.h"
#include "widgets/DBEdit.h"
#include "widgets/DBLookupComboBox.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
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
int g_forzate = 0;
int g_forzatePrima = 0;

// Today is 15/03/2026; the reminders are on and the cash book duplicates the payments. Due and
// listed: the customer instalment 1 (invoice 10) and the supplier instalment 5 (purchase 12),
// the staff deadline 51 of Rossi Mario, the calendar entry 21. Not listed, there to be
// mistaken for them: instalment 2 (not due yet), deadline 52 (notice in April), entry 20
// (notice in April, before 21 in the calendar's order).
const QStringList kFixture = {
    "update opzioni set PromemoriaScadenze = true, DuplicaFatturazioneInPrimaNota = true",
    "insert into Clienti (Id, NominativoVisualizzato, NominativoDocumenti) values (1, 'Bar Roma', 'Bar Roma Snc')",
    "insert into Fornitor (Id, Fornitore) values (1, 'Petroli Sud')",
    "insert into ModPagamento (id, Descrizione) values (1, 'Bonifico')",
    "insert into fattura (ID, Num, Data, SerieFatturazione, Carico, FattNota, Cliente_ID, Fornitore_ID) values "
    "(10, 7, #3/1/2026#, 'A', false, false, 1, 0), (12, 30, #2/1/2026#, '', true, false, 0, 1)",
    "insert into FatturaScadenze (Id, Numero, Tipo, Fattura_ID, Cliente_id, Fornitore_id, DataScadenza, DataPagamento, "
    "Pagato, Importo, Operazione, ModPagamento_Id) values "
    "(1, 1, 'F', 10, 1, null, #3/10/2026#, null, false, 100, 'Rata fattura 7', 1),"
    "(2, 2, 'F', 10, 1, null, #4/10/2026#, null, false, 80, 'Rata fattura 7 bis', 1),"
    "(5, 1, 'C', 12, null, 1, #3/1/2026#, null, false, 400, 'Gasolio', 1)",
    "insert into TipologiaCalendario (Descrizione) values ('Altro'), ('Soccorso')",
    "insert into Personale (Id, Personale) values (7, 'Rossi Mario')",
    "insert into PersonaleScadenze (Id, Personale_ID, Tipologia, Descrizione, DataScadenza, DataAvviso, Validato, Note) values "
    "(51, 7, '', 'Visita medica', #3/20/2026#, #3/10/2026#, false, 'ambulatorio'), "
    "(52, 7, '', 'Patente', #5/20/2026#, #4/20/2026#, false, '')",
    "insert into Calendario (Id, Data, DataAvviso, Conclusa, TipologiaCalendario, Cliente, Note) values "
    "(20, #3/18/2026 9.00.00#, #4/1/2026#, false, 'Altro', '', 'non ancora'), "
    "(21, #3/20/2026 15.30.00#, #3/15/2026#, false, 'Soccorso', 'Bar Roma', 'portare le catene')",
};

void prepara()
{
    g_cartella = std::make_unique<QTemporaryDir>();
    g_seams = std::make_unique<Seams>(g_cartella->path(), QDateTime(QDate(2026, 3, 15), QTime(8, 30)));
    // The start-up tells when the program's folder has no help page.
    QDir(g_cartella->path()).mkpath(QStringLiteral("aiuto"));
    QFile pagina(QDir(g_cartella->path()).filePath(QStringLiteral("aiuto/index.html")));
    QVERIFY(pagina.open(QIODevice::WriteOnly));
    pagina.close();
    const QString archivio = QDir(g_cartella->path()).filePath(QStringLiteral("archivio.db"));
    QVERIFY(QFile::copy(percorsoModello(), archivio));
    {
        db::Connection c;
        QVERIFY(c.open(archivio));
        for (const QString &s : kFixture) c.execute(s);
    }
    g_forzate = 0;
    g_forzatePrima = ambiente::chiusureForzate();
    AvvioCompletato = false;
    CreaForms();
    Form1->terminaApplicazione = [] {};
}

// The start-up as the toolkit activates the main window; `azione` runs on the reminder window
// while it is shown, which is closed afterwards. True when it was shown.
bool avvio(const std::function<void()> &azione)
{
    QObject contesto;
    bool mostrata = false;
    QTimer::singleShot(0, &contesto, [&] {
        if (QApplication::activeModalWidget() != frmPromemoriaScadenze) return;
        mostrata = true;
        azione();
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
    return mostrata;
}

// The grid row whose hidden id column holds `id`, -1 when none.
int rigaDi(QTableWidget *g, int colonnaId, int id)
{
    for (int r = 0; r < g->rowCount(); ++r)
        if (const QTableWidgetItem *i = g->item(r, colonnaId); i && i->text() == QString::number(id)) return r;
    return -1;
}

// Double-clicks the row as the user does and runs `azione` on the window it opens; false when
// none opened.
bool doppioClic(QTableWidget *g, int riga, const std::function<void(QWidget *)> &azione)
{
    if (riga < 0) return false;
    const QPoint punto = g->visualRect(g->model()->index(riga, 1)).center();
    bool aperta = false;
    ambiente::conModale(
        [&] {
            QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, punto);
            QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, punto);
        },
        [&](QWidget *w) {
            aperta = true;
            azione(w);
        });
    return aperta;
}

void scrivi(QLineEdit *e, const QString &testo)
{
    e->setFocus();
    e->selectAll();
    QTest::keyClick(e, Qt::Key_Delete);
    QTest::keyClicks(e, testo);
}

// The columns of the first row of a query, "-" for null, joined by "|".
QString riga(const QString &sql)
{
    db::Query q(&form_DB->Connessione);
    q.setSql(sql);
    q.open();
    if (q.eof()) return QStringLiteral("<nessuna riga>");
    QStringList l;
    for (int i = 0; i < q.fieldCount(); ++i) l << (q.field(i).isNull() ? QStringLiteral("-") : q.field(i).asString());
    return l.join(u'|');
}

} // namespace

void TestPromemoriaAperture::cleanup()
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

void TestPromemoriaAperture::rateFornitoreECliente()
{
    prepara();
    QVERIFY(avvio([] {
        QTableWidget *g = frmPromemoriaScadenze->StringGrid1;
        const int colonna = promemoria::kColonnaIdPagamenti;
        QCOMPARE(g->rowCount(), 3); // instalments 5 and 1, then the blank row
        // The supplier's first: the editor names the supplier and shows its lookup only.
        QVERIFY(doppioClic(g, rigaDi(g, colonna, 5), [](QWidget *w) {
            QCOMPARE(w, static_cast<QWidget *>(frmScadenziarioDettaglio));
            QCOMPARE(frmScadenziarioDettaglio->DBEdit1->text(), QString("Gasolio"));
            QCOMPARE(frmScadenziarioDettaglio->DBEdit4->text(), QString("400"));
            QCOMPARE(frmScadenziarioDettaglio->Label2->text(), QString("Fornitore"));
            QVERIFY(frmScadenziarioDettaglio->LookFornitori->isVisible());
            QVERIFY(!frmScadenziarioDettaglio->LookClienti->isVisible());
            QCOMPARE(frmScadenziarioDettaglio->LookFornitori->currentText(), QString("Petroli Sud"));
            scrivi(frmScadenziarioDettaglio->DBEdit6, "14/03/2026");
            frmScadenziarioDettaglio->spdIndietro->click();
        }));
        QVERIFY(!frmScadenziarioDettaglio->isVisible());
        // Then the customer's: the same editor turns back to the customer.
        QVERIFY(doppioClic(g, rigaDi(g, colonna, 1), [](QWidget *w) {
            QCOMPARE(w, static_cast<QWidget *>(frmScadenziarioDettaglio));
            QCOMPARE(frmScadenziarioDettaglio->DBEdit1->text(), QString("Rata fattura 7"));
            QCOMPARE(frmScadenziarioDettaglio->DBEdit2->text(), QString("10/03/2026"));
            QCOMPARE(frmScadenziarioDettaglio->Label2->text(), QString("Cliente"));
            QVERIFY(frmScadenziarioDettaglio->LookClienti->isVisible());
            QVERIFY(!frmScadenziarioDettaglio->LookFornitori->isVisible());
            QCOMPARE(frmScadenziarioDettaglio->LookClienti->currentText(), QString("Bar Roma"));
            frmScadenziarioDettaglio->Button1->click(); // "Oggi"
            frmScadenziarioDettaglio->spdIndietro->click();
        }));
    }));
    // Both paid with their dates, each with its one cash-book row on the right side.
    const QString supplier = riga("select Pagato, DataPagamento, Finanzia_id from FatturaScadenze where Id = 5");
    QCOMPARE(supplier.section(u'|', 0, 1), QString("True|14/03/2026"));
    QCOMPARE(riga("select count(*) from finanzia where FatturaScadenze_Id = 5"), QString("1"));
    QCOMPARE(riga("select ID, Entrata, Uscita, Data, Cliente_id, Fornitore_id, Fattura_ID from finanzia where "
                  "FatturaScadenze_Id = 5"),
             supplier.section(u'|', 2) + "|0|400|14/03/2026|-|1|12");
    const QString customer = riga("select Pagato, DataPagamento, Finanzia_id from FatturaScadenze where Id = 1");
    QCOMPARE(customer.section(u'|', 0, 1), QString("True|15/03/2026"));
    QCOMPARE(riga("select ID, Entrata, Uscita, Data, Cliente_id, Fornitore_id, Fattura_ID from finanzia where "
                  "FatturaScadenze_Id = 1"),
             customer.section(u'|', 2) + "|100|0|15/03/2026|1|-|10");
    // The instalment not opened is untouched.
    QCOMPARE(riga("select Pagato, DataPagamento, Finanzia_id from FatturaScadenze where Id = 2"), QString("False|-|0"));
    QCOMPARE(riga("select count(*) from finanzia"), QString("2"));
}

void TestPromemoriaAperture::scadenzaPersonale()
{
    prepara();
    QVERIFY(avvio([] {
        QTableWidget *g = frmPromemoriaScadenze->StringGrid4;
        QCOMPARE(g->rowCount(), 2);
        QVERIFY(doppioClic(g, rigaDi(g, promemoria::kColonnaIdPersonale, 51), [](QWidget *w) {
            QCOMPARE(w, static_cast<QWidget *>(frmPersonaleScadenze));
            QCOMPARE(frmPersonaleScadenze->DBEdit1->text(), QString("Visita medica"));
            QCOMPARE(frmPersonaleScadenze->DBEdit2->text(), QString("20/03/2026"));
            QCOMPARE(frmPersonaleScadenze->DBEdit4->text(), QString("ambulatorio"));
            QVERIFY(!frmPersonaleScadenze->DBCheckBox1->isChecked());
            // Dealt with: "Effettuato" ticked, then back.
            QTest::mouseClick(frmPersonaleScadenze->DBCheckBox1, Qt::LeftButton, {},
                              QPoint(8, frmPersonaleScadenze->DBCheckBox1->height() / 2));
            QVERIFY(frmPersonaleScadenze->DBCheckBox1->isChecked());
            frmPersonaleScadenze->spdIndietro->click();
        }));
        QVERIFY(!frmPersonaleScadenze->isVisible());
    }));
    QCOMPARE(riga("select Validato, Descrizione from PersonaleScadenze where Id = 51"), QString("True|Visita medica"));
    QCOMPARE(riga("select Validato from PersonaleScadenze where Id = 52"), QString("False"));
}

void TestPromemoriaAperture::appuntamentoCalendario()
{
    prepara();
    QVERIFY(avvio([] {
        QTableWidget *g = frmPromemoriaScadenze->StringGrid3;
        QCOMPARE(g->rowCount(), 2);
        QVERIFY(doppioClic(g, rigaDi(g, promemoria::kColonnaIdCalendario, 21), [](QWidget *w) {
            QCOMPARE(w, static_cast<QWidget *>(frmCalendario));
            QVERIFY(frmCalendario->DBEdit1->text().startsWith("20/03/2026 15:30"));
            QCOMPARE(frmCalendario->DBEdit4->text(), QString("portare le catene"));
            QCOMPARE(frmCalendario->DBLookupComboBox1->currentText(), QString("Soccorso"));
            scrivi(frmCalendario->DBEdit4, "catene montate");
            QTest::mouseClick(frmCalendario->DBCheckBox1, Qt::LeftButton, {},
                              QPoint(8, frmCalendario->DBCheckBox1->height() / 2));
            frmCalendario->spdIndietro->click();
        }));
        QVERIFY(!frmCalendario->isVisible());
    }));
    QCOMPARE(riga("select Conclusa, Note from Calendario where Id = 21"), QString("True|catene montate"));
    QCOMPARE(riga("select Conclusa, Note from Calendario where Id = 20"), QString("False|non ancora"));
}
