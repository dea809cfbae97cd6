#include "tst_pianoconti.h"

#include "Ambiente.h"
#include "Banco.h"
#include "accounting/ArchivioContabilita.h"
#include "accounting/GrigliaContabilitaClassi.h"
#include "accounting/GrigliaContabilitaConti.h"
#include "accounting/GrigliaContabilitaRaggruppamenti.h"
#include "data/DB.h"
#include "db/Query.h"
#include "widgets/DBGrid.h"
#include "widgets/DBEdit.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QToolButton>

using ambiente::conModale;

namespace {

std::unique_ptr<banco::Banco> g_banco;
QVariant scalar(const QString &sql) { return g_banco->valore(sql); }
testing_support::ScriptedDialogs &dialoghi() { return g_banco->dialoghi(); }

forms::ListForm *lista(const QString &nome)
{
    if (nome == "classi") return frmGrigliaContabilitaClassi;
    if (nome == "raggruppamenti") return frmGrigliaContabilitaRaggruppamenti;
    return frmGrigliaContabilitaConti;
}

QList<int> conteggi()
{
    return {scalar("select count(*) from ContabilitaClassi").toInt(), scalar("select count(*) from ContabilitaRaggruppamenti").toInt(),
            scalar("select count(*) from ContabilitaConti").toInt()};
}

} // namespace

void TestPianoConti::init()
{
    g_banco = std::make_unique<banco::Banco>(
        QStringList{"frmArchivioContabilita", "frmGrigliaContabilitaClassi", "frmGrigliaContabilitaRaggruppamenti",
                    "frmGrigliaContabilitaConti"},
        QStringList{"insert into ContabilitaClassi (Id, Descrizione) values (1, 'Attivo'), (2, 'Passivo')",
                    "insert into ContabilitaRaggruppamenti (Id, Descrizione, Classe_ID) values (10, 'Cassa', 1), (11, 'Banche', 1),"
                    " (20, 'Debiti', 2), (30, 'Vari', 0)",
                    "insert into ContabilitaConti (ID, Descrizione, Raggruppamento_ID) values (100, 'Contanti', 10),"
                    " (101, 'Assegni', 10), (102, 'Valori', 10), (110, 'Conto BPS', 11), (111, 'Conto BCC', 11),"
                    " (112, 'Conto Poste', 11), (200, 'Fornitori', 20), (300, 'Diversi', 30)"});
}

void TestPianoConti::cleanup()
{
    QVERIFY2(dialoghi().clean(), qPrintable(dialoghi().unexpected().join('\n')));
    g_banco.reset();
}

void TestPianoConti::elimina_data()
{
    QTest::addColumn<QString>("elenco");
    QTest::addColumn<QString>("colonna");
    QTest::addColumn<QString>("valore");
    QTest::addColumn<QString>("domanda");
    QTest::addColumn<bool>("si");
    QTest::addColumn<QList<int>>("restano");
    QTest::addColumn<int>("contiInElenco"); // rows the accounts' list shows afterwards
    QTest::newRow("class and all it holds") << "classi" << "Descrizione" << "Attivo" << "Sei sicuro di voler eliminare la Classe ?"
                                            << true << QList<int>{1, 2, 2} << 2;
    QTest::newRow("class kept on No") << "classi" << "Descrizione" << "Attivo" << "Sei sicuro di voler eliminare la Classe ?"
                                      << false << QList<int>{2, 4, 8} << 8;
    QTest::newRow("grouping and its accounts") << "raggruppamenti" << "Raggruppamento" << "Banche"
                                               << "Sei sicuro di voler eliminare il Raggruppamento ?" << true
                                               << QList<int>{2, 3, 5} << 5;
    QTest::newRow("one account") << "conti" << "Conto" << "Fornitori" << "Sei sicuro di voler eliminare il Conto ?" << true
                                 << QList<int>{2, 4, 7} << 7;
}

void TestPianoConti::elimina()
{
    QFETCH(QString, elenco);
    QFETCH(QString, colonna);
    QFETCH(QString, valore);
    QFETCH(QString, domanda);
    QFETCH(bool, si);
    QFETCH(QList<int>, restano);
    QFETCH(int, contiInElenco);
    forms::ListForm *l = lista(elenco);
    QVERIFY(l->dataset()->locate(colonna, valore));
    dialoghi().expectMessage(domanda, si ? QMessageBox::Yes : QMessageBox::No);
    l->spdElimina->click();
    QCOMPARE(conteggi(), restano);
    QCOMPARE(frmGrigliaContabilitaConti->dataset()->recordCount(), contiInElenco);
}

void TestPianoConti::aggiungi_data()
{
    QTest::addColumn<QString>("elenco");
    QTest::addColumn<QString>("tabella");
    QTest::addColumn<QString>("messaggio"); // shown by "Indietro" on an empty description
    QTest::addColumn<bool>("annulla");      // given up instead of typed
    QTest::newRow("class typed") << "classi" << "ContabilitaClassi" << "" << false;
    QTest::newRow("grouping typed") << "raggruppamenti" << "ContabilitaRaggruppamenti" << "Attenzione manca la Descrizione"
                                    << false;
    QTest::newRow("account typed") << "conti" << "ContabilitaConti" << "Attenzione manca la Descrizione del Conto" << false;
    QTest::newRow("account given up") << "conti" << "ContabilitaConti" << "Attenzione manca la Descrizione del Conto" << true;
}

void TestPianoConti::aggiungi()
{
    QFETCH(QString, elenco);
    QFETCH(QString, tabella);
    QFETCH(QString, messaggio);
    QFETCH(bool, annulla);
    const int prima = scalar("select count(*) from " + tabella).toInt();
    forms::ListForm *l = lista(elenco);
    if (!messaggio.isEmpty()) dialoghi().expectMessage(messaggio);
    if (annulla) dialoghi().expectMessage("Sei sicuro di voler annullare l'inserimento ?", QMessageBox::Yes);
    conModale([l] { l->spdInserisci->click(); },
              [&](QWidget *w) {
                  auto *d = qobject_cast<forms::DetailForm *>(w);
                  QVERIFY(d);
                  QVERIFY(d->spdAnnulla->isVisible());
                  // The row is stored already.
                  QCOMPARE(scalar("select count(*) from " + tabella).toInt(), prima + 1);
                  d->spdIndietro->click();
                  if (!messaggio.isEmpty()) QVERIFY(d->isVisible()); // no description yet
                  if (annulla) {
                      d->spdAnnulla->click();
                      return;
                  }
                  if (!d->isVisible()) return; // a class starts with a blank name, which passes
                  d->DBEdit2->selectAll();
                  QTest::keyClicks(d->DBEdit2, "Nuovo");
                  d->spdIndietro->click();
              });
    QVERIFY(!lista(elenco)->dettaglio()->isVisible());
    QCOMPARE(scalar("select count(*) from " + tabella).toInt(), annulla ? prima : prima + 1);
    if (annulla || elenco == "classi") return;
    QCOMPARE(scalar("select count(*) from " + tabella + " where Descrizione = 'Nuovo'").toInt(), 1);
    // The list shows the new row, current.
    QCOMPARE(l->dataset()->fieldByName(elenco == "conti" ? "Conto" : "Raggruppamento").asString(), QString("Nuovo"));
}

void TestPianoConti::scegliConto_data()
{
    QTest::addColumn<bool>("conferma");
    QTest::newRow("Avanti picks") << true;
    QTest::newRow("Indietro picks nothing") << false;
}

void TestPianoConti::scegliConto()
{
    QFETCH(bool, conferma);
    std::optional<qint64> scelto;
    // An earlier pick in the same run must not answer for a later one.
    for (int volta = 0; volta < 2; ++volta) {
        conModale([&] { scelto = frmGrigliaContabilitaConti->scegli(QString(), "ID"); },
                  [&](QWidget *w) {
                      QCOMPARE(w, frmGrigliaContabilitaConti);
                      QVERIFY(!frmGrigliaContabilitaConti->spdInserisci->isEnabled());
                      QVERIFY(!frmGrigliaContabilitaConti->spdElimina->isEnabled());
                      QTest::keyClicks(frmGrigliaContabilitaConti->casella("Edit3"), "Conto BC");
                      if (volta == 0 || conferma) frmGrigliaContabilitaConti->spdAvanti->click();
                      else frmGrigliaContabilitaConti->spdIndietro->click();
                  });
    }
    QCOMPARE(scelto.has_value(), conferma);
    if (conferma) QCOMPARE(*scelto, qint64(111));
    QVERIFY(frmGrigliaContabilitaConti->casella("Edit3")->text().isEmpty());
    // From the hub the list manages again.
    conModale([] { frmArchivioContabilita->btnContabilitaConti->click(); },
              [](QWidget *w) {
                  QCOMPARE(w, frmGrigliaContabilitaConti);
                  QVERIFY(frmGrigliaContabilitaConti->spdInserisci->isEnabled());
                  QVERIFY(frmGrigliaContabilitaConti->spdElimina->isEnabled());
                  QCOMPARE(frmGrigliaContabilitaConti->dataset()->recordCount(), 8);
                  w->close();
              });
}

void TestPianoConti::contoSceglieRaggruppamento()
{
    QVERIFY(frmGrigliaContabilitaConti->dataset()->locate("Conto", "Diversi"));
    conModale([] { frmGrigliaContabilitaConti->spdAvanti->click(); },
              [](QWidget *w) {
                  QCOMPARE(w, frmContabilitaConti);
                  QCOMPARE(frmContabilitaConti->DBEdit2->text(), QString("Diversi"));
                  conModale([] { frmContabilitaConti->SpeedButton14->click(); },
                            [](QWidget *g) {
                                QCOMPARE(g, frmGrigliaContabilitaRaggruppamenti);
                                QTest::keyClicks(frmGrigliaContabilitaRaggruppamenti->casella("Edit2"), "Debiti");
                                frmGrigliaContabilitaRaggruppamenti->spdAvanti->click();
                            });
                  frmContabilitaConti->spdIndietro->click();
              });
    QVERIFY(!frmContabilitaConti->isVisible());
    QCOMPARE(scalar("select Raggruppamento_ID from ContabilitaConti where ID = 300").toInt(), 20);
    QVERIFY(frmGrigliaContabilitaConti->dataset()->locate("Conto", "Diversi"));
    QCOMPARE(frmGrigliaContabilitaConti->dataset()->fieldByName("Classe").asString(), QString("Passivo"));
}

void TestPianoConti::gruppoSenzaClasse()
{
    // A grouping without class shows an empty class in both lists.
    QVERIFY(frmGrigliaContabilitaRaggruppamenti->dataset()->locate("Raggruppamento", "Vari"));
    QVERIFY(frmGrigliaContabilitaRaggruppamenti->dataset()->fieldByName("Classe").asString().isEmpty());
    QVERIFY(frmGrigliaContabilitaConti->dataset()->locate("Conto", "Diversi"));
    QVERIFY(frmGrigliaContabilitaConti->dataset()->fieldByName("Classe").asString().isEmpty());
    // "abc" in the class box and "*" in the account box filter by class only.
    QTest::keyClicks(frmGrigliaContabilitaConti->casella("Edit1"), "Pass");
    QTest::keyClicks(frmGrigliaContabilitaConti->casella("Edit3"), "*");
    QCOMPARE(frmGrigliaContabilitaConti->dataset()->filter(), QString("Classe like 'Pass*'"));
    QCOMPARE(frmGrigliaContabilitaConti->dataset()->recordCount(), 1);
}

void TestPianoConti::classiOrdineERicarica()
{
    db::Query *q = frmGrigliaContabilitaClassi->dataset();
    auto ordine = [q] {
        QStringList l;
        for (q->first(); !q->eof(); q->next()) l << q->fieldByName("Descrizione").asString();
        return l;
    };
    // Another workstation adds a class, a grouping and an account that sort first.
    g_banco->esegui("insert into ContabilitaClassi (Id, Descrizione) values (3, 'Ammortamenti')");
    g_banco->esegui("insert into ContabilitaRaggruppamenti (Id, Descrizione, Classe_ID) values (40, 'Anticipi', 3)");
    g_banco->esegui("insert into ContabilitaConti (ID, Descrizione, Raggruppamento_ID) values (400, 'Acconti', 40)");
    QCOMPARE(ordine(), QStringList({"Attivo", "Passivo"}));
    frmGrigliaContabilitaClassi->spdAggiorna->click();
    QCOMPARE(ordine(), QStringList({"Ammortamenti", "Attivo", "Passivo"}));
    QCOMPARE(form_DB->TableContabilitaRaggruppamenti->fieldByName("Descrizione").asString(), QString("Anticipi"));
    QCOMPARE(form_DB->TableContabilitaConti->fieldByName("Descrizione").asString(), QString("Acconti"));
    // A title click sorts ascending, every time.
    q->setSort("Descrizione DESC");
    QCOMPARE(ordine(), QStringList({"Passivo", "Attivo", "Ammortamenti"}));
    for (int volta = 0; volta < 2; ++volta) {
        Q_EMIT frmGrigliaContabilitaClassi->DBGrid1->titleClicked("Descrizione");
        QCOMPARE(ordine(), QStringList({"Ammortamenti", "Attivo", "Passivo"}));
    }
    q->setSort(QString());
}
