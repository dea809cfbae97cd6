#include "tst_trovafattura.h"

#include "Ambiente.h"
#include "Banco.h"
#include "data/DB.h"
#include "db/Query.h"
#include "sales/TrovaFattura.h"
#include "widgets/DBGrid.h"
#include "widgets/MaskedDateEdit.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

using ambiente::conModale;

namespace {

std::unique_ptr<banco::Banco> g_banco;
testing_support::ScriptedDialogs &dialoghi() { return g_banco->dialoghi(); }

// Customers whose displayed name differs from the name their documents carry; invoices of two
// years in two series (one with an apostrophe), a time of day on 28/02/2025, and a credit note
// the callers' query leaves out.
QStringList archivio()
{
    return {
        "insert into Clienti (Id, NominativoVisualizzato, NominativoDocumenti) values "
        "(1, 'Rossi Mario', 'Rossi Mario Srl'), (2, 'L''Officina', 'L''Officina snc'), (3, 'Bianchi', 'Bianchi'), "
        "(4, 'D''Amico', 'D''Amico')",
        "insert into fattura (ID, Num, Data, Cliente_ID, Cliente, SerieFatturazione, TotFattura, Storico) values "
        "(101, 1, #1/15/2024#, 1, 'Rossi Mario Srl', 'A', 100, true), "
        "(102, 2, #3/15/2024#, 2, 'L''Officina snc', 'A', 200, true), "
        "(103, 1, #6/20/2024#, 3, 'Bianchi', 'B''X', 300, true), "
        "(104, 1, #1/10/2025#, 1, 'Rossi Mario Srl', 'A', 400, false), "
        "(105, 2, #2/28/2025 10.30.00#, 2, 'L''Officina snc', 'B''X', 500, false), "
        "(106, 3, #3/1/2025#, 3, 'Bianchi', 'A', 600, false), "
        "(107, 4, #3/2/2025#, 4, 'D''Amico', 'A', 700, false)",
        "insert into fattura (ID, Num, Data, Cliente_ID, Cliente, FattNota) values (108, 9, #3/3/2025#, 1, 'Rossi Mario Srl', true)",
    };
}

const QString kConId = "SELECT ID, Data, Num as Numero, SerieFatturazione as Serie, TotFattura as TotaleFattura, Cliente, Cliente_ID "
                       "FROM fattura WHERE FattNota=False AND Carico=false order by Data, Num";
const QString kSenzaId = "SELECT ID, Data, Num as Numero, SerieFatturazione as Serie, TotFattura as Totale, Cliente "
                         "FROM fattura WHERE FattNota=False AND Carico=false order by Data, Num";

// What a caller does before showing the finder.
void apri(const QString &sql)
{
    db::Query *q = form_DB->TableTrovaFattura;
    q->close();
    q->setSql(sql);
    q->open();
}

// The ids the finder lists, in its order.
QList<int> ids()
{
    db::Query *q = form_DB->TableTrovaFattura;
    QList<int> r;
    for (int i = 0; i < q->recordCount(); ++i) r << q->valueAt(i, q->fieldIndex("ID")).toInt();
    return r;
}

const QList<int> kTutte = {101, 102, 103, 104, 105, 106, 107};

// Types `testo` into the box named `nome` (the customer box: picks that name) and presses Enter.
void cerca(const QString &nome, const QString &testo)
{
    TfrmTrovaFattura *f = frmTrovaFattura;
    if (nome == "DBLookupComboBox1") {
        const int i = f->DBLookupComboBox1->findText(testo);
        QVERIFY2(i >= 0, qPrintable(testo));
        f->DBLookupComboBox1->setCurrentIndex(i);
        QTest::keyClick(f->DBLookupComboBox1, Qt::Key_Return);
        return;
    }
    auto *box = f->findChild<QLineEdit *>(nome);
    QVERIFY2(box, qPrintable(nome));
    box->setFocus();
    // A date box may hold the end of the year proposed on leaving the start date.
    box->clear();
    box->setCursorPosition(0);
    QTest::keyClicks(box, testo);
    QTest::keyClick(box, Qt::Key_Return);
}

void mostra()
{
    TfrmTrovaFattura *f = frmTrovaFattura;
    f->show();
    f->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f));
}

} // namespace

void TestTrovaFattura::init()
{
    g_banco = std::make_unique<banco::Banco>(QStringList{"frmTrovaFattura"}, archivio());
    frmTrovaFattura->BitBtn3Click();
    apri(kConId);
}

void TestTrovaFattura::cleanup()
{
    if (frmTrovaFattura && frmTrovaFattura->isVisible()) frmTrovaFattura->hide();
    const bool pulito = dialoghi().clean();
    const QString resoconto = dialoghi().report();
    g_banco.reset();
    QVERIFY2(pulito, qPrintable(resoconto));
}

void TestTrovaFattura::ricerca_data()
{
    QTest::addColumn<QStringList>("caselle"); // "box=text", typed in this order, Enter after each
    QTest::addColumn<QList<int>>("attese");
    QTest::addColumn<QString>("messaggio"); // the refusal of a box that holds no date or number
    QTest::newRow("from date") << QStringList{"maskDaData=01012025"} << QList<int>{104, 105, 106, 107} << "";
    QTest::newRow("to date: the end day whole") << QStringList{"maskAData=28022025"} << QList<int>{101, 102, 103, 104, 105} << "";
    QTest::newRow("range of dates") << QStringList{"maskDaData=15032024", "maskAData=10012025"} << QList<int>{102, 103, 104}
                                    << "";
    QTest::newRow("range of numbers over both years") << QStringList{"txtDaNumero=2", "txtANumero=3"}
                                                      << QList<int>{102, 105, 106} << "";
    QTest::newRow("star: no condition") << QStringList{"txtDaNumero=*", "txtSerie=*"} << kTutte << "";
    QTest::newRow("bad number") << QStringList{"txtANumero=2x"} << kTutte << "Attenzione numero non valido: 2x";
    QTest::newRow("bad number with an apostrophe") << QStringList{"txtDaNumero=1'"} << kTutte
                                                   << "Attenzione numero non valido: 1'";
    QTest::newRow("bad date") << QStringList{"maskDaData=31022025"} << kTutte << "Attenzione data non valida: 31/02/2025";
    QTest::newRow("incomplete date") << QStringList{"maskAData=0103"} << kTutte << "Attenzione data non valida: 01/03/";
    QTest::newRow("series, any case") << QStringList{"txtSerie=a"} << QList<int>{101, 102, 104, 106, 107} << "";
    QTest::newRow("series with an apostrophe") << QStringList{"txtSerie=B'X"} << QList<int>{103, 105} << "";
    QTest::newRow("customer by id: its documents carry another name")
        << QStringList{"DBLookupComboBox1=Rossi Mario"} << QList<int>{101, 104} << "";
    QTest::newRow("customer with an apostrophe") << QStringList{"DBLookupComboBox1=L'Officina"} << QList<int>{102, 105} << "";
    QTest::newRow("customer and series and year") << QStringList{"DBLookupComboBox1=Bianchi", "txtSerie=A", "maskDaData=01012025"}
                                                  << QList<int>{106} << "";
}

void TestTrovaFattura::ricerca()
{
    QFETCH(QStringList, caselle);
    QFETCH(QList<int>, attese);
    QFETCH(QString, messaggio);
    mostra();
    QCOMPARE(ids(), kTutte);
    if (!messaggio.isEmpty()) dialoghi().expectMessage(messaggio);
    for (const QString &c : caselle) cerca(c.section('=', 0, 0), c.section('=', 1));
    QCOMPARE(ids(), attese);
    if (!messaggio.isEmpty()) {
        QCOMPARE(form_DB->TableTrovaFattura->filter(), QString());
        QCOMPARE(dialoghi().messages().last().caption, QString("Messaggio di avviso"));
    }
}

void TestTrovaFattura::erroreTieneIlFiltro()
{
    mostra();
    cerca("txtSerie", "A");
    const QString filtro = form_DB->TableTrovaFattura->filter();
    QCOMPARE(ids(), QList<int>({101, 102, 104, 106, 107}));
    dialoghi().expectMessage("Attenzione data non valida: 30/02/2024");
    cerca("maskAData", "30022024");
    // The box that refused has the focus; the search in force stays.
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(frmTrovaFattura->maskAData));
    QCOMPARE(form_DB->TableTrovaFattura->filter(), filtro);
    QCOMPARE(ids(), QList<int>({101, 102, 104, 106, 107}));
}

void TestTrovaFattura::clientePerNomeSenzaId()
{
    // A caller's query without Cliente_ID: the customer is the name the documents carry.
    apri(kSenzaId);
    mostra();
    cerca("DBLookupComboBox1", "D'Amico");
    QCOMPARE(ids(), QList<int>({107}));
    QCOMPARE(form_DB->TableTrovaFattura->filter(), QString("Cliente = 'D''Amico'"));
}

void TestTrovaFattura::reset()
{
    mostra();
    TfrmTrovaFattura *f = frmTrovaFattura;
    cerca("txtDaNumero", "2");
    cerca("txtSerie", "A");
    cerca("maskDaData", "01012024");
    cerca("DBLookupComboBox1", "L'Officina");
    QCOMPARE(ids(), QList<int>({102}));
    f->BitBtn3->click();
    QCOMPARE(form_DB->TableTrovaFattura->filter(), QString());
    QCOMPARE(ids(), kTutte);
    for (QLineEdit *e : {f->txtDaNumero, f->txtANumero, f->txtSerie}) QCOMPARE(e->text(), QString());
    QCOMPARE(f->maskDaData->date(), QDate());
    QCOMPARE(f->maskAData->date(), QDate());
    QCOMPARE(f->DBLookupComboBox1->currentIndex(), -1);
}

void TestTrovaFattura::scelta_data()
{
    QTest::addColumn<QString>("come");
    QTest::addColumn<int>("risultato");
    QTest::addColumn<bool>("annullata");
    QTest::newRow("Avanti") << "Avanti" << int(QDialog::Accepted) << false;
    QTest::newRow("double click") << "doppio clic" << int(QDialog::Accepted) << false;
    QTest::newRow("Indietro") << "Indietro" << int(QDialog::Rejected) << true;
    QTest::newRow("Escape") << "Esc" << int(QDialog::Rejected) << true;
}

void TestTrovaFattura::scelta()
{
    QFETCH(QString, come);
    QFETCH(int, risultato);
    QFETCH(bool, annullata);
    TfrmTrovaFattura *f = frmTrovaFattura;
    // The flag starts opposite to what this showing must leave.
    f->RicercaAnnullata = !annullata;
    QVERIFY(form_DB->TableTrovaFattura->locate("ID", 103));
    int esito = -1;
    conModale([&] { esito = f->exec(); }, [&](QWidget *w) {
        QCOMPARE(w, static_cast<QWidget *>(f));
        if (come == "Avanti") {
            f->spdAvanti->click();
        } else if (come == "doppio clic") {
            // The row under the mouse is the choice: the third row, invoice 103.
            f->DBGrid1->setCurrentIndex(f->DBGrid1->model()->index(0, 0));
            const QRect r = f->DBGrid1->visualRect(f->DBGrid1->model()->index(2, 1));
            QTest::mouseDClick(f->DBGrid1->viewport(), Qt::LeftButton, {}, r.center());
        } else if (come == "Indietro") {
            f->spdIndietro->click();
        } else {
            QTest::keyClick(f->DBGrid1, Qt::Key_Escape);
        }
    });
    QCOMPARE(esito, risultato);
    QCOMPARE(f->RicercaAnnullata, annullata);
    QCOMPARE(f->property("RicercaAnnullata").toBool(), annullata);
    if (!annullata) QCOMPARE(form_DB->TableTrovaFattura->fieldByName("ID").asInteger(), 103);
}

void TestTrovaFattura::avantiSenzaRighe()
{
    TfrmTrovaFattura *f = frmTrovaFattura;
    f->txtDaNumero->setText("50");
    f->FiltraClick();
    QCOMPARE(ids(), QList<int>());
    int esito = -1;
    conModale([&] { esito = f->exec(); }, [&](QWidget *) {
        // Nothing to choose: "Avanti" leaves the finder open.
        f->spdAvanti->click();
        QVERIFY(f->isVisible());
        f->spdIndietro->click();
    });
    QCOMPARE(esito, int(QDialog::Rejected));
    QVERIFY(f->RicercaAnnullata);
}

void TestTrovaFattura::fineAnno_data()
{
    QTest::addColumn<QString>("dalla");
    QTest::addColumn<QString>("allaPrima");
    QTest::addColumn<QString>("allaDopo");
    QTest::newRow("proposed") << "15032024" << "" << "31/12/2024";
    QTest::newRow("end date already typed") << "15032024" << "10102024" << "10/10/2024";
    QTest::newRow("incomplete start date") << "1503" << "" << "  /  /    ";
}

void TestTrovaFattura::fineAnno()
{
    QFETCH(QString, dalla);
    QFETCH(QString, allaPrima);
    QFETCH(QString, allaDopo);
    mostra();
    TfrmTrovaFattura *f = frmTrovaFattura;
    if (!allaPrima.isEmpty()) {
        f->maskAData->setFocus();
        QTest::keyClicks(f->maskAData, allaPrima);
    }
    f->maskDaData->setFocus();
    QTest::keyClicks(f->maskDaData, dalla);
    f->txtDaNumero->setFocus();
    QCOMPARE(f->maskAData->text(), allaDopo);
    // Nothing is searched by leaving the box.
    QCOMPARE(form_DB->TableTrovaFattura->filter(), QString());
    QCOMPARE(ids(), kTutte);
}

void TestTrovaFattura::tasti()
{
    mostra();
    TfrmTrovaFattura *f = frmTrovaFattura;
    // Aqua while a box has the focus, white again after.
    f->txtSerie->setFocus();
    QVERIFY(f->txtSerie->styleSheet().contains("aqua"));
    QTest::keyClick(f->txtSerie, Qt::Key_Down);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(f->maskDaData));
    QVERIFY(f->txtSerie->styleSheet().contains("white"));
    QTest::keyClick(f->maskDaData, Qt::Key_Up);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(f->txtSerie));
    // Escape in a date box empties it, goes to "Dal numero" and searches again.
    cerca("maskAData", "31122024");
    QCOMPARE(ids(), QList<int>({101, 102, 103}));
    QTest::keyClick(f->maskAData, Qt::Key_Escape);
    QVERIFY(f->isVisible());
    QCOMPARE(f->maskAData->date(), QDate());
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(f->txtDaNumero));
    QCOMPARE(ids(), kTutte);
    // Delete in the customer box empties it and searches again.
    cerca("DBLookupComboBox1", "Bianchi");
    QCOMPARE(ids(), QList<int>({103, 106}));
    f->DBLookupComboBox1->setFocus();
    QTest::keyClick(f->DBLookupComboBox1, Qt::Key_Delete);
    QCOMPARE(f->DBLookupComboBox1->currentIndex(), -1);
    QCOMPARE(ids(), kTutte);
}

void TestTrovaFattura::ordinamento()
{
    TfrmTrovaFattura *f = frmTrovaFattura;
    // The grid shows the caller's columns as they are.
    QCOMPARE(f->DBGrid1->model()->columnCount(), 7);
    f->DBGrid1TitleClick("TotaleFattura");
    QCOMPARE(form_DB->TableTrovaFattura->sort(), QString("TotaleFattura ASC"));
    f->DBGrid1TitleClick("TotaleFattura");
    QCOMPARE(ids(), QList<int>({107, 106, 105, 104, 103, 102, 101}));
    // The reset leaves no sort a next caller's query might lack.
    f->BitBtn3Click();
    QCOMPARE(form_DB->TableTrovaFattura->sort(), QString());
    apri(kSenzaId);
    QCOMPARE(ids(), kTutte);
}
