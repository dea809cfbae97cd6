#include "tst_grigliapreventivi.h"

#include "Ambiente.h"
#include "FixturePreventivi.h"
#include "app/Frm1.h"
#include "data/DB.h"
#include "db/Query.h"
#include "sales/EditorPreventivo.h"
#include "sales/GrigliaPreventivi.h"
#include "widgets/DBGrid.h"
#include "widgets/MaskedDateEdit.h"

#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <functional>

using ambiente::conModale;

namespace {

std::unique_ptr<banco::Banco> g_banco;
testing_support::ScriptedDialogs &dialoghi() { return g_banco->dialoghi(); }
int conta(const QString &sql) { return g_banco->valore(sql).toInt(); }
QVariant valore(const QString &sql, qint64 id) { return form_DB->Connessione.scalar(sql, {{":id", id}}); }

// The numbers the list shows, in its order.
QStringList numeri()
{
    db::Query *q = form_DB->Table16;
    QStringList r;
    for (int i = 0; i < q->recordCount(); ++i) r << q->valueAt(i, q->fieldIndex("Numero")).toString();
    return r;
}

bool annullaVisibile()
{
    for (QAction *a : frmPreventivi->ToolBar2->actions())
        if (frmPreventivi->ToolBar2->widgetForAction(a) == frmPreventivi->spdAnnulla) return a->isVisible();
    return false;
}

// Closes the editor without a save: whatever checks its save runs, a quote left unmodified
// closes at once.
void chiudiEditor()
{
    frmPreventivi->DatiModificati = false;
    frmPreventivi->spdIndietroClick();
}

// Runs `azione`; a modal window it opens (it should open none) is closed and reported.
bool apreUnaFinestra(const std::function<void()> &azione)
{
    bool aperta = false;
    QObject contesto;
    QTimer::singleShot(0, &contesto, [&] {
        if (QWidget *w = QApplication::activeModalWidget()) {
            aperta = true;
            if (w == frmPreventivi) chiudiEditor();
            else w->close();
        }
    });
    azione();
    QCoreApplication::processEvents();
    return aperta;
}

const QString kSqlAnno = "select * from PreventiTestata where Storico = false Order By Numero";

void ripunta(const QString &sql)
{
    db::Query *q = form_DB->Table16;
    q->close();
    q->setSql(sql);
    q->open();
}

} // namespace

void TestGrigliaPreventivi::init()
{
    g_banco = fixture_preventivi::crea({"frmGrigliaPreventivi"});
}

void TestGrigliaPreventivi::cleanup()
{
    ModalitaStorico = false;
    DaSequestro = false;
    EliminaSenzaConferma = false;
    const bool pulito = dialoghi().clean();
    const QString resoconto = dialoghi().report();
    g_banco.reset();
    QVERIFY2(pulito, qPrintable(resoconto));
}

void TestGrigliaPreventivi::elenco()
{
    TfrmGrigliaPreventivi *l = frmGrigliaPreventivi;
    QCOMPARE(l->windowTitle(), QString("Preventivi"));
    QCOMPARE(l->property("helpContext").toInt(), 4600);
    QCOMPARE(l->dettaglio(), static_cast<forms::DetailForm *>(frmPreventivi));
    QStringList colonne;
    for (const ui::DBGrid::Column &c : l->DBGrid1->columns()) colonne << c.caption + "=" + c.fieldName;
    QCOMPARE(colonne, (QStringList{"Data=Data", "Numero=Numero", "Cliente=Cliente", "Totale=TotalePreventivo", "Note=Note"}));
    QCOMPARE(ambiente::didascalie(l->ToolBar2, true).size(), 6);
    QVERIFY(!l->btnRequery->isVisible());
    QCOMPARE(l->GroupBox1->title(), QString("Filtra per "));
    // The quotes not in history, by number.
    QCOMPARE(numeri(), QStringList({"1", "2", "3"}));
}

void TestGrigliaPreventivi::ricerca_data()
{
    QTest::addColumn<QString>("casella");
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QStringList>("attesi");
    QTest::addColumn<QString>("messaggio"); // the box that refuses the text says so; the filter in force stays
    const QStringList tutti = {"1", "2", "3"};
    QTest::newRow("customer, any case") << "Edit1" << "ross" << QStringList{"1", "3"} << "";
    QTest::newRow("customer with an apostrophe") << "Edit1" << "d'a" << QStringList{"2"} << "";
    QTest::newRow("customer: a prefix, not a part") << "Edit1" << "amico" << QStringList{} << "";
    QTest::newRow("star") << "Edit1" << "*" << tutti << "";
    QTest::newRow("plate with an apostrophe") << "Edit3" << "ab'" << QStringList{"1"} << "";
    QTest::newRow("number") << "Edit2" << "3" << QStringList{"3"} << "";
    QTest::newRow("number with a letter: the filter of \"3\" stays") << "Edit2" << "3x" << QStringList{"3"}
                                                                   << "Attenzione numero non valido: 3x";
    QTest::newRow("number with an apostrophe") << "Edit2" << "'" << tutti << "Attenzione numero non valido: '";
    QTest::newRow("from date") << "maskDaData" << "05032026" << QStringList{"2", "3"} << "";
    QTest::newRow("to date, that day whole") << "maskAData" << "05032026" << QStringList{"1", "2"} << "";
    QTest::newRow("impossible date") << "maskDaData" << "31022026" << tutti << "Attenzione data non valida: 31/02/2026";
}

void TestGrigliaPreventivi::ricerca()
{
    QFETCH(QString, casella);
    QFETCH(QString, testo);
    QFETCH(QStringList, attesi);
    QFETCH(QString, messaggio);
    TfrmGrigliaPreventivi *l = frmGrigliaPreventivi;
    // A time on a row of the last day still counts for that day.
    g_banco->esegui("update PreventiTestata set Data = #3/5/2026 18.30.00# where ID = 11");
    form_DB->Table16->requery();
    auto *box = l->findChild<QLineEdit *>(casella);
    QVERIFY(box);
    box->setFocus();
    if (!messaggio.isEmpty()) dialoghi().expectMessage(messaggio);
    // Filtered at every key, with no button.
    QTest::keyClicks(box, testo);
    QCOMPARE(numeri(), attesi);
}

void TestGrigliaPreventivi::tastiDiRicerca()
{
    TfrmGrigliaPreventivi *l = frmGrigliaPreventivi;
    l->show();
    l->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(l));
    // Enter and Down go to the next box, Up back; the box with the focus is aqua.
    l->Edit1->setFocus();
    QCOMPARE(l->Edit1->palette().color(QPalette::Base), QColor(0, 255, 255));
    QTest::keyClick(l->Edit1, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(l->Edit2));
    QCOMPARE(l->Edit1->palette().color(QPalette::Base), QColor(Qt::white));
    QVERIFY(l->isVisible());
    QTest::keyClick(l->Edit2, Qt::Key_Down);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(l->maskDaData));
    QTest::keyClick(l->maskDaData, Qt::Key_Up);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(l->Edit2));
    // Escape in "alla Data": the box is emptied, the list re-filtered, the focus on "Cliente".
    l->maskAData->setFocus();
    QTest::keyClicks(l->maskAData, "01032026");
    QCOMPARE(numeri(), QStringList({"1"}));
    QTest::keyClick(l->maskAData, Qt::Key_Escape);
    QCOMPARE(l->maskAData->date(), QDate());
    QCOMPARE(numeri(), QStringList({"1", "2", "3"}));
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(l->Edit1));
    QVERIFY(l->isVisible());
    l->hide();
}

void TestGrigliaPreventivi::aggiungi()
{
    g_banco->esegui("insert into Personalizzazioni (NomeTabella, NomeCampo, Tipo, Valore) values "
                    "('PreventiviTestata', 'Note', 't', 'Nota predefinita')");
    form_DB->TablePersonalizzazioni->requery();
    TfrmGrigliaPreventivi *l = frmGrigliaPreventivi;
    l->Edit2->setText("3");
    QCOMPARE(numeri(), QStringList({"3"}));
    // The current quote is not the one the editor gets.
    QVERIFY(form_DB->Table16->locate("ID", 12));
    bool aperto = false;
    conModale([l] { l->spdInserisci->click(); }, [&](QWidget *w) {
        aperto = true;
        QCOMPARE(w, static_cast<QWidget *>(frmPreventivi));
        QVERIFY(annullaVisibile());
        QVERIFY(frmPreventivi->DatiModificati);
        QCOMPARE(frmPreventivi->PageControl1->currentIndex(), 0);
        QCOMPARE(frmPreventivi->idDocumento(), l->ultimaAggiunta());
        QCOMPARE(form_DB->Table16->fieldByName("Numero").asInteger(), 4);
        // The rows are those of the new quote: none.
        QVERIFY(form_DB->Table11->sql().contains(QString("Prev_ID = %1 ").arg(l->ultimaAggiunta())));
        QCOMPARE(form_DB->Table11->recordCount(), 0);
        chiudiEditor();
    });
    QVERIFY(aperto);
    QVERIFY(!annullaVisibile());
    const qint64 id = l->ultimaAggiunta();
    QVERIFY(id > 13);
    QCOMPARE(valore("select Numero from PreventiTestata where ID = :id", id).toInt(), 4);
    QCOMPARE(valore("select Storico from PreventiTestata where ID = :id", id).toInt(), 0);
    QCOMPARE(valore("select Note from PreventiTestata where ID = :id", id).toString(), QString("Nota predefinita"));
    QCOMPARE(valore("select count(*) from PreventiTestata where ID = :id and Data = #3/15/2026#", id).toInt(), 1);
    // The filter was emptied, the box keeps its text; the list stands on the new quote.
    QCOMPARE(form_DB->Table16->filter(), QString());
    QCOMPARE(l->Edit2->text(), QString("3"));
    QCOMPARE(numeri(), QStringList({"1", "2", "3", "4"}));
    QCOMPARE(form_DB->Table16->fieldByName("ID").asLargeInt(), id);
}

void TestGrigliaPreventivi::aggiungiPrimoDellAnno()
{
    // Only quotes of past years (in history), and the year's last ones deleted: number 1.
    g_banco->esegui("delete from PreventiTestata where Storico = false");
    form_DB->Table16->requery();
    TfrmGrigliaPreventivi *l = frmGrigliaPreventivi;
    conModale([l] { l->spdInserisciClick(); }, [&](QWidget *) { chiudiEditor(); });
    QCOMPARE(valore("select Numero from PreventiTestata where ID = :id", l->ultimaAggiunta()).toInt(), 1);
    QCOMPARE(numeri(), QStringList({"1"}));
}

void TestGrigliaPreventivi::aggiungiInStorico_data()
{
    QTest::addColumn<QString>("periodo");
    QTest::addColumn<int>("numero");
    QTest::addColumn<QStringList>("mostrati"); // the period's quotes, after
    // A new quote is of this year, numbered after this year's highest, whatever period is shown.
    QTest::newRow("2025, up to 41") << "Data >= #1/1/2025# and Data < #1/1/2026#" << 4 << QStringList{"41"};
    QTest::newRow("an empty period") << "Data >= #1/1/2024# and Data < #1/1/2025#" << 4 << QStringList{};
}

void TestGrigliaPreventivi::aggiungiInStorico()
{
    QFETCH(QString, periodo);
    QFETCH(int, numero);
    QFETCH(QStringList, mostrati);
    const QString sqlPeriodo = "select * from PreventiTestata where " + periodo + "  Order By Numero";
    ripunta(sqlPeriodo);
    ModalitaStorico = true;
    TfrmGrigliaPreventivi *l = frmGrigliaPreventivi;
    conModale([l] { l->spdInserisciClick(); }, [&](QWidget *) {
        // The new quote, dated today, is not in the period: the list holds it alone meanwhile.
        QCOMPARE(form_DB->Table16->recordCount(), 1);
        QCOMPARE(frmPreventivi->idDocumento(), l->ultimaAggiunta());
        chiudiEditor();
    });
    const qint64 id = l->ultimaAggiunta();
    QCOMPARE(valore("select Numero from PreventiTestata where ID = :id", id).toInt(), numero);
    QCOMPARE(valore("select Storico from PreventiTestata where ID = :id", id).toInt(), 0);
    QCOMPARE(valore("select count(*) from PreventiTestata where ID = :id and Data = #3/15/2026#", id).toInt(), 1);
    QCOMPARE(conta("select count(*) from PreventiTestata where Numero = 4"), 1);
    // The period is shown again.
    QCOMPARE(form_DB->Table16->sql(), sqlPeriodo);
    QCOMPARE(numeri(), mostrati);
    ripunta(kSqlAnno);
}

void TestGrigliaPreventivi::aggiungiDaSequestro()
{
    g_banco->esegui("insert into Personalizzazioni (NomeTabella, NomeCampo, Tipo, Valore) values "
                    "('PreventiviTestata', 'Targa1', 't', 'PREDEF')");
    g_banco->esegui("insert into Sequestri (Id, Numero, Data, DataDissequestro, AutoTarga) values "
                    "(29, 4, #1/5/2026#, null, 'XX111XX'), (30, 5, #2/10/2026#, #3/2/2026#, 'EF789GH')");
    form_DB->TablePersonalizzazioni->requery();
    form_DB->TableSequestri->requery();
    QVERIFY(form_DB->TableSequestri->locate("Id", 30));
    DaSequestro = true;
    TfrmGrigliaPreventivi *l = frmGrigliaPreventivi;
    conModale([l] { l->spdInserisciClick(); }, [&](QWidget *) {
        // The seizure's plate wins over the default one.
        QCOMPARE(form_DB->Table16->fieldByName("Targa1").asString(), QString("EF789GH"));
        chiudiEditor();
    });
    DaSequestro = false;
    const qint64 id = l->ultimaAggiunta();
    QCOMPARE(valore("select Targa1 from PreventiTestata where ID = :id", id).toString(), QString("EF789GH"));
    QCOMPARE(valore("select count(*) from PreventiTestata where ID = :id and DataIngressoVeicolo = #2/10/2026# "
                    "and DataUscitaVeicolo = #3/2/2026#",
                    id)
                 .toInt(),
             1);
    QCOMPARE(conta("select Preventivo_Id from Sequestri where Id = 30"), int(id));
    QCOMPARE(g_banco->valore("select Preventivo_Descrizione from Sequestri where Id = 30").toString(), QString("4 - del 15/03/2026"));
    QCOMPARE(conta("select count(*) from Sequestri where Id = 29 and (Preventivo_Id = 0 or Preventivo_Id is null)"), 1);
    // The seizure stays current, and shows its quote.
    QCOMPARE(form_DB->TableSequestri->fieldByName("Id").asInteger(), 30);
    QCOMPARE(form_DB->TableSequestri->fieldByName("Preventivo_Id").asLargeInt(), id);
}

void TestGrigliaPreventivi::annullaEliminaIlNuovo()
{
    g_banco->esegui("insert into Sequestri (Id, Numero, Data, AutoTarga) values (30, 5, #2/10/2026#, 'EF789GH')");
    form_DB->TableSequestri->requery();
    QVERIFY(form_DB->TableSequestri->locate("Id", 30));
    DaSequestro = true;
    TfrmGrigliaPreventivi *l = frmGrigliaPreventivi;
    const int prima = conta("select count(*) from PreventiTestata");
    // One question only: the list's delete does not ask again.
    dialoghi().expectMessage("Sei sicuro di voler annullare l'inserimento ?", QMessageBox::Yes);
    conModale([l] { l->spdInserisciClick(); }, [&](QWidget *) { frmPreventivi->spdAnnulla->click(); });
    DaSequestro = false;
    QVERIFY(!frmPreventivi->isVisible());
    QVERIFY(l->ultimaAggiunta() > 0);
    QCOMPARE(conta("select count(*) from PreventiTestata"), prima);
    QCOMPARE(conta("select count(*) from Sequestri where Id = 30 and Preventivo_Id is null and Preventivo_Descrizione is null"), 1);
    QCOMPARE(numeri(), QStringList({"1", "2", "3"}));
}

void TestGrigliaPreventivi::avanti()
{
    TfrmGrigliaPreventivi *l = frmGrigliaPreventivi;
    QVERIFY(form_DB->Table16->locate("ID", 10));
    conModale([l] { l->spdAvanti->click(); }, [&](QWidget *w) {
        QCOMPARE(w, static_cast<QWidget *>(frmPreventivi));
        QVERIFY(!annullaVisibile());
        QCOMPARE(frmPreventivi->idDocumento(), qint64(10));
        QCOMPARE(form_DB->Table11->recordCount(), 2);
        chiudiEditor();
    });
    QCOMPARE(conta("select count(*) from PreventiTestata"), 4);
    // On an empty list nothing opens.
    l->Edit1->setText("nessuno");
    QCOMPARE(form_DB->Table16->recordCount(), 0);
    QVERIFY(!apreUnaFinestra([l] { l->spdAvantiClick(); }));
}

void TestGrigliaPreventivi::elimina_data()
{
    QTest::addColumn<bool>("conferma");
    QTest::newRow("yes") << true;
    QTest::newRow("no") << false;
}

void TestGrigliaPreventivi::elimina()
{
    QFETCH(bool, conferma);
    g_banco->esegui("insert into Sequestri (Id, Numero, Preventivo_Id, Preventivo_Descrizione) values "
                    "(30, 1, 12, '3 - del 10/03/2026'), (31, 2, 11, '2 - del 05/03/2026')");
    g_banco->esegui("insert into PreventiRighe (Prev_ID, NumeroRiga, Descrizione) values (12, 1, 'a'), (12, 2, 'b')");
    // An invoice imported the quote's rows.
    g_banco->esegui("insert into fattura (ID, Num) values (1, 1)");
    g_banco->esegui("insert into fattdett (NumFatt, Prev_ID, Descrizione) values (1, 12, 'a')");
    g_banco->esegui("insert into FatturaPreventiviRighe (Fattura_ID, Preventivo_Id, Numero) values (1, 12, 3)");
    TfrmGrigliaPreventivi *l = frmGrigliaPreventivi;
    QVERIFY(form_DB->Table16->locate("ID", 12));
    dialoghi().expectMessage("Sei sicuro di voler eliminare il preventivo?", conferma ? QMessageBox::Yes : QMessageBox::No);
    l->spdElimina->click();
    const int resta = conferma ? 0 : 1;
    QCOMPARE(conta("select count(*) from PreventiTestata where ID = 12"), resta);
    QCOMPARE(conta("select count(*) from PreventiRighe where Prev_ID = 12"), conferma ? 0 : 2);
    QCOMPARE(conta("select count(*) from Sequestri where Id = 30 and Preventivo_Id = 12"), resta);
    // What does not name the quote stays; the invoice keeps its rows and its link.
    QCOMPARE(conta("select count(*) from Sequestri where Id = 31 and Preventivo_Id = 11"), 1);
    QCOMPARE(conta("select count(*) from PreventiRighe where Prev_ID = 10"), 2);
    QCOMPARE(conta("select count(*) from fattdett where Prev_ID = 12"), 1);
    QCOMPARE(conta("select count(*) from FatturaPreventiviRighe where Preventivo_Id = 12"), 1);
    QCOMPARE(numeri(), conferma ? QStringList({"1", "2"}) : QStringList({"1", "2", "3"}));
    if (conferma) {
        // The list stands on the quote above, its rows pointed at it.
        QCOMPARE(form_DB->Table16->fieldByName("ID").asInteger(), 11);
        QVERIFY(form_DB->Table11->sql().contains("Prev_ID = 11 "));
    }
}

void TestGrigliaPreventivi::eliminaSuElencoVuoto()
{
    TfrmGrigliaPreventivi *l = frmGrigliaPreventivi;
    l->Edit1->setText("nessuno");
    // No question, nothing deleted.
    l->spdEliminaClick();
    EliminaSenzaConferma = true;
    l->spdEliminaClick();
    EliminaSenzaConferma = false;
    QCOMPARE(conta("select count(*) from PreventiTestata"), 4);
}

void TestMenuPreventivi::init() { ambiente::avvia(); }
void TestMenuPreventivi::cleanup() { ambiente::chiudi(); }

void TestMenuPreventivi::apreLElencoConLeCaselleVuote()
{
    ambiente::esegui("insert into PreventiTestata (Numero, Data, Cliente, Targa1) values "
                     "(1, #3/1/2026#, 'Rossi', 'AB1'), (2, #3/2/2026#, 'Bianchi', 'AB2')");
    form_DB->Table16->requery();
    TfrmGrigliaPreventivi *l = frmGrigliaPreventivi;
    // What a previous search left: the plate box keeps its text, the others are emptied.
    l->Edit1->setText("Ro");
    l->Edit3->setText("AB");
    QCOMPARE(form_DB->Table16->recordCount(), 1);
    form_DB->Table7->setFilter("Annullato = 0");
    QToolButton *pulsante = Form1->menuButton(TForm1::tabDocClienti, QStringLiteral("Preventivi"));
    QVERIFY(pulsante);
    QVERIFY(pulsante->isEnabled());
    bool aperto = false;
    conModale([pulsante] { pulsante->click(); }, [&](QWidget *w) {
        aperto = true;
        QCOMPARE(w, static_cast<QWidget *>(l));
        QCOMPARE(l->Edit1->text(), QString());
        QCOMPARE(l->Edit3->text(), QString("AB"));
        QCOMPARE(form_DB->Table7->filter(), QString());
        QCOMPARE(form_DB->Table16->recordCount(), 2);
        l->spdIndietro->click();
    });
    QVERIFY(aperto);
    QCOMPARE(form_DB->Table7->filter(), QString());
}
