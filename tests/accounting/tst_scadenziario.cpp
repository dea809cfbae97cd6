#include "tst_scadenziario.h"

#include "Ambiente.h"
#include "Banco.h"
#include "Program.h"
#include "accounting/CassaPrimaNota.h"
#include "accounting/Scadenziario.h"
#include "accounting/ScadenziarioDettaglio.h"
#include "accounting/StampaScadenziario.h"
#include "app/Frm1.h"
#include "data/DB.h"
#include "db/Query.h"
#include "widgets/DBEdit.h"
#include "widgets/DBGrid.h"
#include "widgets/DBLookupComboBox.h"
#include "widgets/MaskedDateEdit.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using ambiente::conModale;
using scadenziario::Vista;

Q_DECLARE_METATYPE(scadenziario::Vista)

namespace {

std::unique_ptr<banco::Banco> g_banco;
QVariant scalar(const QString &sql) { return g_banco->valore(sql); }
testing_support::ScriptedDialogs &dialoghi() { return g_banco->dialoghi(); }

// The tests' clock is 15 March 2026. Instalments of an invoice (10), a credit note (11), a
// purchase invoice (12) and a supplier credit note (13):
//  1 F  due 10/03 open (overdue)     2 F  due 20/03 paid 12/03, its cash-book row 900
//  3 N  due 01/03 open (overdue)     4 N  due 05/03 paid 06/03
//  5 C  due 31/03 open               6 C  due 15/02 paid 15/02
//  7 B  due 01/04 open               8 B  due 02/03 paid 03/03
//  9 F  due 15/03 open (due today, not overdue)
const QStringList kFixture = {
    "insert into Clienti (Id, NominativoVisualizzato, NominativoDocumenti) values (1, 'Bar Roma', 'Bar Roma Snc'), "
    "(2, 'D''Angelo', 'D''Angelo Mario')",
    "insert into Fornitor (Id, Fornitore) values (1, 'Petroli Sud'), (2, 'Ricambi')",
    "insert into ModPagamento (id, Descrizione) values (1, 'Bonifico'), (2, 'Contanti')",
    "insert into Bank (Id, Banca, Iban) values (1, 'Banca Uno', 'IT60X0542811101000000123456')",
    "update opzioni set DuplicaFatturazioneInPrimaNota = true",
    "insert into fattura (ID, Num, Data, SerieFatturazione, Carico, FattNota, Cliente_ID, Fornitore_ID) values "
    "(10, 7, #3/1/2026#, 'A', false, false, 1, 0), (11, 8, #3/2/2026#, '', false, true, 2, 0), "
    "(12, 30, #2/1/2026#, '', true, false, 0, 1), (13, 31, #2/2/2026#, '', true, true, 0, 2)",
    "insert into FatturaScadenze (Id, Numero, Tipo, Fattura_ID, Cliente_id, Fornitore_id, DataScadenza, DataPagamento, "
    "Pagato, Importo, Operazione, ModPagamento_Id, Banca_ID, Dettagli, Finanzia_id) values "
    "(1, 1, 'F', 10, 1, null, #3/10/2026#, null, false, 100, 'Rata fattura 7', 1, 1, null, null),"
    "(2, 2, 'F', 10, 1, null, #3/20/2026#, #3/12/2026#, true, 50, 'Rata fattura 7 bis', 1, 1, 'bonifico ricevuto', 900),"
    "(3, 1, 'N', 11, 2, null, #3/1/2026#, null, false, 30, 'Nota 8', 2, null, 'rimborso', null),"
    "(4, 2, 'N', 11, 2, null, #3/5/2026#, #3/6/2026#, true, 20, 'Nota 8 bis', 2, null, null, null),"
    "(5, 1, 'C', 12, null, 1, #3/31/2026#, null, false, 400, 'Gasolio', 2, null, null, null),"
    "(6, 2, 'C', 12, null, 1, #2/15/2026#, #2/15/2026#, true, 200, 'Gasolio bis', 2, null, null, null),"
    "(7, 1, 'B', 13, null, 2, #4/1/2026#, null, false, 15, 'Reso', 1, null, null, null),"
    "(8, 2, 'B', 13, null, 2, #3/2/2026#, #3/3/2026#, true, 5, 'Reso bis', 1, null, null, null),"
    "(9, 3, 'F', 10, 1, null, #3/15/2026#, null, false, 60, 'Rata di oggi', 1, 1, null, null)",
    "insert into finanzia (ID, Tipo, Data, Operazione, Entrata, Uscita, Cliente_id, ModPagamento_Id, Banca_ID, Fattura_ID, "
    "FatturaScadenze_Id) values (900, 'F', #3/12/2026#, 'Rata fattura 7 bis', 50, 0, 1, 1, 1, 10, 2)",
};

QList<int> idMostrati()
{
    QList<int> l;
    db::Query *q = form_DB->TableCercaFattureScadenze;
    const int col = q->fieldIndex("Id");
    for (int r = 0; r < q->recordCount(); ++r) l << q->valueAt(r, col).toInt();
    return l;
}

bool colonnaNascosta(const QString &campo)
{
    const QList<ui::GridColumn> c = frmScadenziario->DBGrid1->columns();
    for (int i = 0; i < c.size(); ++i)
        if (c[i].fieldName == campo) return frmScadenziario->DBGrid1->isColumnHidden(i);
    return true;
}

void scrivi(QWidget *w, const QString &testo)
{
    w->setFocus();
    if (auto *e = qobject_cast<QLineEdit *>(w)) e->selectAll();
    QTest::keyClick(w, Qt::Key_Delete);
    if (!testo.isEmpty()) QTest::keyClicks(w, testo);
}

// The columns of the first row a query gives, as the fields show them ("-" for null), joined by "|".
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

// An instalment as "Pagato|DataPagamento|Finanzia_id".
QString stato(int id) { return riga(QString("select Pagato, DataPagamento, Finanzia_id from FatturaScadenze where Id = %1").arg(id)); }
int righePrimaNota(int id) { return scalar(QString("select count(*) from finanzia where FatturaScadenze_Id = %1").arg(id)).toInt(); }

QString testoPdf(const QString &path)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!p.waitForFinished(60000) || p.exitCode() != 0) return QStringLiteral("<pdftotext failed>");
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

void TestScadenziario::init()
{
    g_banco = std::make_unique<banco::Banco>(QStringList{"frmScadenziario", "frmScadenziarioDettaglio", "frmStampaScadenziario", "Form5"},
                                             kFixture);
}

void TestScadenziario::cleanup()
{
    QVERIFY2(dialoghi().clean(), qPrintable(dialoghi().report()));
    g_banco.reset();
}

void TestScadenziario::viste_data()
{
    QTest::addColumn<Vista>("vista");
    QTest::addColumn<QString>("titolo");
    QTest::addColumn<QList<int>>("righe");
    QTest::addColumn<QString>("parte");
    QTest::newRow("Scadenze, Clienti: credit notes too") << Vista::ScadenzeClienti << "Scadenziario Clienti" << QList<int>{3, 1, 9}
                                                          << "Cliente";
    QTest::newRow("Pagamenti, Clienti") << Vista::PagamentiClienti << "Pagamenti Clienti" << QList<int>{4, 2} << "Cliente";
    QTest::newRow("Scadenze, Fornitori") << Vista::ScadenzeFornitori << "Scadenziario Fornitori" << QList<int>{5, 7} << "Fornitore";
    QTest::newRow("Pagamenti, Fornitori: the supplier credit note") << Vista::PagamentiFornitori << "Pagamenti Fornitori"
                                                                    << QList<int>{6, 8} << "Fornitore";
}

void TestScadenziario::viste()
{
    QFETCH(Vista, vista);
    QFETCH(QString, titolo);
    QFETCH(QList<int>, righe);
    QFETCH(QString, parte);
    // The editor was last prepared for the other side.
    frmScadenziarioDettaglio->mostraParte(parte == "Cliente");
    QList<int> visti;
    conModale([vista] { frmScadenziario->mostraVista(vista); },
              [&](QWidget *w) {
                  QCOMPARE(w, static_cast<QWidget *>(frmScadenziario));
                  QCOMPARE(w->windowTitle(), titolo);
                  visti = idMostrati();
                  QVERIFY(!colonnaNascosta(parte));
                  QVERIFY(colonnaNascosta(parte == "Cliente" ? "Fornitore" : "Cliente"));
                  QCOMPARE(frmScadenziarioDettaglio->Label2->text(), parte);
                  QCOMPARE(frmScadenziarioDettaglio->LookClienti->isVisibleTo(frmScadenziarioDettaglio), parte == "Cliente");
                  QCOMPARE(frmScadenziarioDettaglio->LookFornitori->isVisibleTo(frmScadenziarioDettaglio), parte == "Fornitore");
                  frmScadenziario->spdIndietro->click();
              });
    QCOMPARE(visti, righe);
}

void TestScadenziario::filtroAzzeratoAllaChiusura()
{
    conModale([] { frmScadenziario->mostraVista(Vista::ScadenzeClienti); },
              [](QWidget *) {
                  scrivi(frmScadenziario->txtCliente, "bar");
                  frmScadenziario->BitBtn2->click();
                  QCOMPARE(idMostrati(), QList<int>({1, 9}));
                  frmScadenziario->spdIndietro->click();
              });
    QVERIFY(form_DB->TableCercaFattureScadenze->filter().isEmpty());
    // The same view opened again starts with empty boxes and every row.
    QString casella;
    QList<int> visti;
    conModale([] { frmScadenziario->mostraVista(Vista::ScadenzeClienti); },
              [&](QWidget *) {
                  casella = frmScadenziario->txtCliente->text();
                  visti = idMostrati();
                  frmScadenziario->spdIndietro->click();
              });
    QCOMPARE(casella, QString());
    QCOMPARE(visti, QList<int>({3, 1, 9}));
}

void TestScadenziario::righeScaduteInRosso()
{
    frmScadenziario->preparaVista(Vista::ScadenzeClienti);
    const ui::QueryModel *m = frmScadenziario->DBGrid1->queryModel();
    auto sfondo = [m](int r) { return m->data(m->index(r, 0), Qt::BackgroundRole).value<QColor>(); };
    QCOMPARE(idMostrati(), QList<int>({3, 1, 9}));
    QCOMPARE(sfondo(0), QColor(255, 0, 0)); // due 01/03, open
    QCOMPARE(sfondo(1), QColor(255, 0, 0)); // due 10/03, open
    QCOMPARE(sfondo(2), QColor(Qt::white)); // due today
    frmScadenziario->preparaVista(Vista::PagamentiClienti);
    QCOMPARE(idMostrati(), QList<int>({4, 2}));
    QCOMPARE(sfondo(0), QColor(Qt::white)); // paid, due 05/03
    QCOMPARE(sfondo(1), QColor(Qt::white));
}

void TestScadenziario::filtri_data()
{
    QTest::addColumn<Vista>("vista");
    QTest::addColumn<QString>("casella");
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QList<int>>("righe"); // after the search
    QTest::addColumn<QString>("messaggio");
    QTest::newRow("from a due date") << Vista::ScadenzeClienti << "maskDaScadenza" << "05/03/2026" << QList<int>{1, 9} << "";
    QTest::newRow("to a due date") << Vista::ScadenzeClienti << "maskAScadenza" << "10/03/2026" << QList<int>{3, 1} << "";
    QTest::newRow("impossible date: said, filter kept") << Vista::ScadenzeClienti << "maskDaScadenza" << "31022026" << QList<int>{3}
                                                         << "Attenzione data non valida: 31/02/2026";
    QTest::newRow("customer with apostrophe") << Vista::ScadenzeClienti << "txtCliente" << "d'a" << QList<int>{3} << "";
    QTest::newRow("supplier") << Vista::ScadenzeFornitori << "txtFornitore" << "ricambi" << QList<int>{7} << "";
    QTest::newRow("payment method") << Vista::ScadenzeClienti << "Edit1" << "Bon" << QList<int>{1, 9} << "";
    QTest::newRow("details") << Vista::PagamentiClienti << "Edit2" << "bonifico" << QList<int>{2} << "";
    QTest::newRow("iban") << Vista::ScadenzeClienti << "Edit3" << "IT60" << QList<int>{1, 9} << "";
    QTest::newRow("document number") << Vista::ScadenzeClienti << "Edit4" << "7" << QList<int>{1, 9} << "";
    QTest::newRow("document number with text: said, filter kept") << Vista::ScadenzeClienti << "Edit4" << "7 or 1=1"
                                                                   << QList<int>{3} << "Attenzione numero non valido: 7 or 1=1";
    QTest::newRow("series") << Vista::ScadenzeClienti << "Edit5" << "a" << QList<int>{1, 9} << "";
    QTest::newRow("star adds nothing") << Vista::ScadenzeClienti << "txtCliente" << "*" << QList<int>{3, 1, 9} << "";
}

void TestScadenziario::filtri()
{
    QFETCH(Vista, vista);
    QFETCH(QString, casella);
    QFETCH(QString, testo);
    QFETCH(QList<int>, righe);
    QFETCH(QString, messaggio);
    frmScadenziario->preparaVista(vista);
    frmScadenziario->show();
    if (!messaggio.isEmpty()) {
        // A filter in force: the customers beginning with "D".
        scrivi(frmScadenziario->txtCliente, "D");
        frmScadenziario->BitBtn2->click();
        QCOMPARE(idMostrati(), QList<int>{3});
        dialoghi().expectMessage(messaggio);
    }
    auto *w = frmScadenziario->findChild<QLineEdit *>(casella);
    QVERIFY(w);
    scrivi(w, testo);
    // Enter in a box searches.
    QTest::keyClick(w, Qt::Key_Return);
    QCOMPARE(idMostrati(), righe);
    if (!messaggio.isEmpty()) QCOMPARE(dialoghi().messages().last().caption, QString("Messaggio di avviso"));
    // "reset" empties the boxes and the filter.
    frmScadenziario->BitBtn3->click();
    QCOMPARE(w->text().trimmed().remove(u'/'), QString());
    QVERIFY(form_DB->TableCercaFattureScadenze->filter().isEmpty());
    frmScadenziario->hide();
}

void TestScadenziario::tastiDelleCaselle()
{
    frmScadenziario->preparaVista(Vista::ScadenzeClienti);
    frmScadenziario->show();
    QVERIFY(QTest::qWaitForWindowExposed(frmScadenziario));
    frmScadenziario->activateWindow();
    scrivi(frmScadenziario->maskDaScadenza, "01032026");
    QTest::keyClick(frmScadenziario->maskDaScadenza, Qt::Key_Escape);
    QCOMPARE(frmScadenziario->maskDaScadenza->text(), QString("  /  /    "));
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(frmScadenziario->Edit1));
    QTest::keyClick(frmScadenziario->Edit1, Qt::Key_Down);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(frmScadenziario->Edit2));
    QTest::keyClick(frmScadenziario->Edit2, Qt::Key_Up);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(frmScadenziario->Edit1));
    QVERIFY(frmScadenziario->isVisible()); // Escape in a box does not close the list
    frmScadenziario->hide();
}

void TestScadenziario::pagaEAnnullaPagamento()
{
    // "Oggi" on instalment 1 from the open customers' view.
    frmScadenziario->preparaVista(Vista::ScadenzeClienti);
    QVERIFY(form_DB->TableCercaFattureScadenze->locate("Id", 1));
    conModale([] { frmScadenziario->spdAvanti->click(); },
              [](QWidget *w) {
                  QCOMPARE(w, static_cast<QWidget *>(frmScadenziarioDettaglio));
                  QCOMPARE(frmScadenziarioDettaglio->DBEdit1->text(), QString("Rata fattura 7"));
                  frmScadenziarioDettaglio->Button1->click();
                  QCOMPARE(frmScadenziarioDettaglio->DBEdit6->text(), QString("15/03/2026"));
                  frmScadenziarioDettaglio->spdIndietro->click();
              });
    QCOMPARE(stato(1).section(u'|', 0, 1), QString("True|15/03/2026"));
    const QString riga1 = riga("select ID, Tipo, Entrata, Uscita, Data, Cliente_id, Fornitore_id, Banca_ID, Fattura_ID from finanzia "
                               "where FatturaScadenze_Id = 1");
    const QString id = riga1.section(u'|', 0, 0);
    QCOMPARE(riga1.section(u'|', 1), QString("F|100|0|15/03/2026|1|-|1|10"));
    QCOMPARE(stato(1).section(u'|', 2), id);
    // The list was read again: the paid instalment left the open view.
    QCOMPARE(idMostrati(), QList<int>({3, 9}));

    // Undone from the paid view: the date emptied, the cash-book row gone.
    frmScadenziario->preparaVista(Vista::PagamentiClienti);
    QVERIFY(form_DB->TableCercaFattureScadenze->locate("Id", 1));
    conModale([] { frmScadenziario->spdAvanti->click(); },
              [](QWidget *) {
                  scrivi(frmScadenziarioDettaglio->DBEdit6, QString());
                  frmScadenziarioDettaglio->spdIndietro->click();
              });
    QCOMPARE(stato(1), QString("False|-|-"));
    QCOMPARE(righePrimaNota(1), 0);
    QCOMPARE(idMostrati(), QList<int>({4, 2}));
    // The other payment keeps its row.
    QCOMPARE(righePrimaNota(2), 1);
}

void TestScadenziario::salvataggioRifiutatoNonCambiaNulla()
{
    // The cash book refuses every write, after the instalment has been posted.
    for (const char *evento : {"INSERT", "UPDATE", "DELETE"})
        form_DB->Connessione.executeNative(
            QString("CREATE TRIGGER rifiuta_%1 BEFORE %1 ON finanzia BEGIN SELECT RAISE(ABORT, 'prima nota bloccata'); END").arg(evento));
    frmScadenziario->preparaVista(Vista::PagamentiClienti);
    QVERIFY(form_DB->TableCercaFattureScadenze->locate("Id", 2));
    const QString prima = riga("select Pagato, DataPagamento, Finanzia_id, Importo from FatturaScadenze where Id = 2");
    bool apertaDopoErrore = false;
    QString importoMostrato;
    conModale([] { frmScadenziario->spdAvanti->click(); },
              [&](QWidget *) {
                  scrivi(frmScadenziarioDettaglio->DBEdit4, "75");
                  scrivi(frmScadenziarioDettaglio->DBEdit6, "14/03/2026");
                  dialoghi().expectMessage("prima nota bloccata");
                  frmScadenziarioDettaglio->spdIndietro->click();
                  apertaDopoErrore = frmScadenziarioDettaglio->isVisible();
                  importoMostrato = frmScadenziarioDettaglio->DBEdit4->text();
                  // Both tables as they were, while the form keeps what was typed.
                  QCOMPARE(riga("select Pagato, DataPagamento, Finanzia_id, Importo from FatturaScadenze where Id = 2"),
                           prima);
                  QCOMPARE(riga("select Entrata, Data from finanzia where ID = 900"), QString("50|12/03/2026"));
                  // Once the cash book takes writes again, the same save goes through.
                  for (const char *evento : {"INSERT", "UPDATE", "DELETE"})
                      form_DB->Connessione.executeNative(QString("DROP TRIGGER rifiuta_%1").arg(evento));
                  frmScadenziarioDettaglio->spdIndietro->click();
              });
    QVERIFY(apertaDopoErrore);
    QCOMPARE(importoMostrato, QString("75"));
    QCOMPARE(riga("select Importo, DataPagamento from FatturaScadenze where Id = 2"), QString("75|14/03/2026"));
    QCOMPARE(riga("select ID, Entrata, Data from finanzia where FatturaScadenze_Id = 2"), QString("900|75|14/03/2026"));
}

void TestScadenziario::campiMancanti_data()
{
    QTest::addColumn<QStringList>("vuoti");
    QTest::addColumn<QString>("messaggio");
    QTest::newRow("due date") << QStringList{"DBEdit2"} << "Attenzione manca la data della scadenza !!";
    QTest::newRow("description and amount: the description only") << QStringList{"DBEdit4", "DBEdit1"}
                                                                   << "Attenzione manca la descrizione dell'operazione !!";
    QTest::newRow("amount") << QStringList{"DBEdit4"} << "Attenzione manca l'importo !!";
    QTest::newRow("number") << QStringList{"DBEdit7"} << "Attenzione manca il numero cronologico di pagamento !!";
    QTest::newRow("payment date that is no date") << QStringList{"DBEdit6=31/02/2026"} << "Attenzione data non valida: 31/02/2026";
    QTest::newRow("payment method") << QStringList{"DBLookupComboBox1"} << "Attenzione manca la modalità di pagamento !!";
}

void TestScadenziario::campiMancanti()
{
    QFETCH(QStringList, vuoti);
    QFETCH(QString, messaggio);
    frmScadenziario->preparaVista(Vista::ScadenzeClienti);
    QVERIFY(form_DB->TableCercaFattureScadenze->locate("Id", 1));
    const QString prima = riga("select Numero, Operazione, Importo, DataScadenza, DataPagamento from FatturaScadenze where Id = 1");
    bool aperta = false;
    conModale([] { frmScadenziario->spdAvanti->click(); },
              [&](QWidget *) {
                  for (const QString &v : vuoti) {
                      if (auto *l = frmScadenziarioDettaglio->findChild<ui::DBLookupComboBox *>(v)) {
                          l->setFocus();
                          QTest::keyClick(l, Qt::Key_Backspace);
                          QCOMPARE(l->currentText(), QString());
                          continue;
                      }
                      scrivi(frmScadenziarioDettaglio->findChild<QLineEdit *>(v.section(u'=', 0, 0)), v.section(u'=', 1));
                  }
                  dialoghi().expectMessage(messaggio);
                  frmScadenziarioDettaglio->spdIndietro->click();
                  aperta = frmScadenziarioDettaglio->isVisible();
                  QCOMPARE(dialoghi().messages().last().caption, QString("Messaggio di errore"));
                  // Nothing written: the form leaves with "Annulla"'s cousin, the edits dropped by hand.
                  frmScadenziarioDettaglio->DatiModificati = false;
                  form_DB->TableFatturaScadenze->cancel();
                  frmScadenziarioDettaglio->spdIndietro->click();
              });
    QVERIFY(aperta);
    QCOMPARE(riga("select Numero, Operazione, Importo, DataScadenza, DataPagamento from FatturaScadenze where Id = 1"),
             prima);
    QCOMPARE(righePrimaNota(1), 0);
}

void TestScadenziario::elimina_data()
{
    QTest::addColumn<bool>("opzione");
    QTest::addColumn<int>("risposta");
    QTest::addColumn<int>("scadenze");
    QTest::addColumn<int>("movimenti");
    QTest::newRow("option on: the payment's row goes too") << true << int(QMessageBox::Yes) << 8 << 0;
    QTest::newRow("option off: the cash book keeps it") << false << int(QMessageBox::Yes) << 8 << 1;
    QTest::newRow("No keeps both") << true << int(QMessageBox::No) << 9 << 1;
}

void TestScadenziario::elimina()
{
    QFETCH(bool, opzione);
    QFETCH(int, risposta);
    QFETCH(int, scadenze);
    QFETCH(int, movimenti);
    g_banco->esegui(QString("update opzioni set DuplicaFatturazioneInPrimaNota = %1").arg(opzione ? "true" : "false"));
    frmScadenziario->preparaVista(Vista::PagamentiClienti);
    QVERIFY(form_DB->TableCercaFattureScadenze->locate("Id", 2));
    dialoghi().expectMessage("Sei sicuro di voler eliminare il Record?", QMessageBox::StandardButton(risposta));
    frmScadenziario->spdElimina->click();
    QCOMPARE(dialoghi().messages().last().caption, QString("Messaggio di avviso"));
    QCOMPARE(scalar("select count(*) from FatturaScadenze").toInt(), scadenze);
    QCOMPARE(scalar("select count(*) from finanzia").toInt(), movimenti);
    // The document and its other instalments stay; the list is read again.
    QCOMPARE(scalar("select count(*) from fattura where ID = 10").toInt(), 1);
    QCOMPARE(scalar("select count(*) from FatturaScadenze where Fattura_ID = 10").toInt(), scadenze == 9 ? 3 : 2);
    QCOMPARE(idMostrati(), scadenze == 9 ? QList<int>({4, 2}) : QList<int>({4}));
}

void TestScadenziario::avantiSuElencoVuoto()
{
    g_banco->esegui("delete from FatturaScadenze");
    for (Vista v : {Vista::ScadenzeClienti, Vista::PagamentiClienti, Vista::ScadenzeFornitori, Vista::PagamentiFornitori}) {
        frmScadenziario->preparaVista(v);
        QCOMPARE(idMostrati(), QList<int>{});
        // Nothing to open, nothing to delete: no window, no question.
        frmScadenziario->spdAvanti->click();
        frmScadenziario->spdElimina->click();
        QVERIFY(!frmScadenziarioDettaglio->isVisible());
    }
}

void TestScadenziario::stampaScadenzeClienti()
{
    QTemporaryDir cartella;
    QDir().mkpath(cartella.filePath("reports"));
    for (const QString &nome : QDir(QStringLiteral(SOURCE_DIR "/reports")).entryList({"Scadenziario*.rpt"}))
        QFile::copy(QStringLiteral(SOURCE_DIR "/reports/") + nome, cartella.filePath("reports/" + nome));
    testing_support::FakeWorkstation postazione;
    postazione.folder = cartella.path();
    core::Workstation *postazionePrima = &core::Workstation::instance();
    core::Workstation::setInstance(&postazione);
    testing_support::ScriptedLauncher avvio;
    avvio.behaviour = [](const QString &, const QStringList &args) {
        return stampa::run(QStringList{QStringLiteral("stampa")} + args, false);
    };
    ui::Launcher *avvioPrima = &ui::Launcher::instance();
    ui::Launcher::setInstance(&avvio);
    EsportaStampa = true;
    FileEsportazioneStampa = cartella.filePath("scadenziario.pdf");
    frmStampaScadenziario->SpeedButton2->click();
    EsportaStampa = false;
    ui::Launcher::setInstance(avvioPrima);
    core::Workstation::setInstance(postazionePrima);
    QCOMPARE(CodiceStampa, 20);
    const QString testo = testoPdf(cartella.filePath("scadenziario.pdf"));
    // The customers' open instalments: invoices and credit notes, never the suppliers' nor the paid ones.
    for (const char *atteso : {"Bar Roma Snc", "D'Angelo Mario", "01/03/2026", "10/03/2026", "15/03/2026", "Bonifico", "Contanti"})
        QVERIFY2(testo.contains(QString::fromUtf8(atteso)), qPrintable(QString::fromUtf8(atteso) + "\n" + testo));
    for (const char *assente : {"Petroli Sud", "Ricambi", "20/03/2026", "31/03/2026"})
        QVERIFY2(!testo.contains(QString::fromUtf8(assente)), qPrintable(QString::fromUtf8(assente) + "\n" + testo));
}

void TestScadenziario::primaNota_data()
{
    QTest::addColumn<int>("rata");
    QTest::addColumn<bool>("opzione");
    QTest::addColumn<bool>("apre");
    QTest::newRow("paid instalment with its row") << 2 << true << true;
    QTest::newRow("mirror option off") << 2 << false << false;
    QTest::newRow("open instalment, no row") << 1 << true << false;
}

void TestScadenziario::primaNota()
{
    QFETCH(int, rata);
    QFETCH(bool, opzione);
    QFETCH(bool, apre);
    g_banco->esegui(QString("update opzioni set DuplicaFatturazioneInPrimaNota = %1").arg(opzione ? "true" : "false"));
    frmScadenziario->preparaVista(rata == 2 ? Vista::PagamentiClienti : Vista::ScadenzeClienti);
    QVERIFY(form_DB->TableCercaFattureScadenze->locate("Id", rata));
    bool aperta = false;
    conModale([] { frmScadenziario->spdAvanti->click(); },
              [&](QWidget *) {
                  if (!apre) {
                      frmScadenziarioDettaglio->spdPrimaNota->click();
                      QVERIFY(!CassaDettaglio->isVisible());
                  } else {
                      conModale([] { frmScadenziarioDettaglio->spdPrimaNota->click(); },
                                [&](QWidget *w) {
                                    aperta = w == CassaDettaglio;
                                    // The payment's row, every field open to editing.
                                    QCOMPARE(CassaDettaglio->DBEdit2->text(), QString("Rata fattura 7 bis"));
                                    for (QWidget *c : std::initializer_list<QWidget *>{CassaDettaglio->DBEdit1, CassaDettaglio->DBEdit2,
                                                                                      CassaDettaglio->DBEdit3, CassaDettaglio->DBEdit4,
                                                                                      CassaDettaglio->DBLookupComboBox2,
                                                                                      CassaDettaglio->DBLookupComboBox1})
                                        QVERIFY(c->isEnabled());
                                    scrivi(CassaDettaglio->DBEdit5, "visto");
                                    CassaDettaglio->spdIndietro->click();
                                });
                  }
                  frmScadenziarioDettaglio->spdIndietro->click();
              });
    QCOMPARE(aperta, apre);
    QCOMPARE(scalar("select count(*) from finanzia where Note = 'visto'").toInt(), apre ? 1 : 0);
}

void TestScadenziario::vedi_data()
{
    QTest::addColumn<QString>("file"); // "esiste": a file that exists; empty: none
    QTest::addColumn<QString>("messaggio"); // empty: the file is opened
    QTest::newRow("no file") << "" << "Attenzione manca il percorso dell'immagine";
    QTest::newRow("file moved") << "/non/esiste/ricevuta.pdf" << "Il file: /non/esiste/ricevuta.pdf non esiste più oppure e' stato spostato !!!";
    QTest::newRow("file there") << "esiste" << "";
}

void TestScadenziario::vedi()
{
    QFETCH(QString, file);
    QFETCH(QString, messaggio);
    QTemporaryDir cartella;
    QString percorso = file;
    if (file == "esiste") {
        percorso = cartella.filePath("ricevuta.pdf");
        QFile f(percorso);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("%PDF-1.4");
    }
    if (!percorso.isEmpty())
        g_banco->esegui(QString("update FatturaScadenze set File = '%1' where Id = 2").arg(percorso));
    if (!messaggio.isEmpty()) dialoghi().expectMessage(messaggio);
    const int aperti = g_banco->launcher().opened.size();
    frmScadenziario->preparaVista(Vista::PagamentiClienti);
    QVERIFY(form_DB->TableCercaFattureScadenze->locate("Id", 2));
    conModale([] { frmScadenziario->spdAvanti->click(); },
              [&](QWidget *) {
                  frmScadenziarioDettaglio->Button7->click();
                  QVERIFY(frmScadenziarioDettaglio->isVisible());
                  frmScadenziarioDettaglio->spdIndietro->click();
              });
    if (messaggio.isEmpty()) {
        QCOMPARE(g_banco->launcher().opened.size(), aperti + 1);
        QCOMPARE(g_banco->launcher().opened.last(), percorso);
    } else {
        QCOMPARE(dialoghi().messages().size(), 1);
        QCOMPARE(dialoghi().messages().first().text, messaggio);
        QCOMPARE(g_banco->launcher().opened.size(), aperti);
    }
}

void TestMenuScadenziario::init()
{
    ambiente::avvia();
    for (const QString &sql : kFixture) ambiente::esegui(sql);
}

void TestMenuScadenziario::cleanup() { ambiente::chiudi(); }

void TestMenuScadenziario::pulsanti_data()
{
    QTest::addColumn<QString>("pulsante");
    QTest::addColumn<QString>("titolo");
    QTest::addColumn<QList<int>>("righe");
    QTest::addColumn<QString>("parte");
    QTest::newRow("Scadenze, Clienti") << "btnScadenziarioScadenzeClienti" << "Scadenziario Clienti" << QList<int>{3, 1, 9} << "Cliente";
    QTest::newRow("Pagamenti, Clienti") << "btnScadenziarioPagamentiClienti" << "Pagamenti Clienti" << QList<int>{4, 2} << "Cliente";
    QTest::newRow("Scadenze, Fornitori") << "btnScadenziarioScadenzeFornitori" << "Scadenziario Fornitori" << QList<int>{5, 7}
                                         << "Fornitore";
    QTest::newRow("Pagamenti, Fornitori") << "btnScadenziarioPagamentiFornitori" << "Pagamenti Fornitori" << QList<int>{6, 8}
                                          << "Fornitore";
}

void TestMenuScadenziario::pulsanti()
{
    QFETCH(QString, pulsante);
    QFETCH(QString, titolo);
    QFETCH(QList<int>, righe);
    QFETCH(QString, parte);
    auto *b = Form1->pgcBarra->widget(TForm1::tabScadenziario)->findChild<QToolButton *>(pulsante);
    QVERIFY(b);
    QVERIFY(b->isEnabled());
    QList<int> visti;
    QString etichetta;
    conModale([b] { b->click(); },
              [&](QWidget *w) {
                  QCOMPARE(w, static_cast<QWidget *>(frmScadenziario));
                  QCOMPARE(w->windowTitle(), titolo);
                  QVERIFY(w->isMaximized());
                  visti = idMostrati();
                  etichetta = frmScadenziarioDettaglio->Label2->text();
                  scrivi(frmScadenziario->Edit5, "zz");
                  frmScadenziario->BitBtn2->click();
                  frmScadenziario->spdIndietro->click();
              });
    QCOMPARE(visti, righe);
    QCOMPARE(etichetta, parte);
    QVERIFY(form_DB->TableCercaFattureScadenze->filter().isEmpty());
}
