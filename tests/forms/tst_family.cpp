#include "tst_family.h"

#include "db/Connection.h"
#include "masterdata/Modelli.h"
#include "masterdata/Reparti.h"

#include "Ambiente.h"
#include "Banco.h"
#include "forms/Registro.h"
#include "app/Frm1.h"
#include "data/DB.h"
#include "db/Query.h"
#include "forms/DetailForm.h"
#include "forms/ListForm.h"
#include "masterdata/Colori.h"
#include "widgets/DBEdit.h"
#include "widgets/DBGrid.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

using ambiente::conModale;

namespace {

// Only the lists these tests drive, with their details.
std::unique_ptr<banco::Banco> g_banco;
int g_chiusure = 0;
QVariant scalar(const QString &sql) { return g_banco->valore(sql); }
void exec(const QString &sql) { g_banco->esegui(sql); }
testing_support::ScriptedDialogs &dialoghi() { return g_banco->dialoghi(); }
QWidget *finestra() { return g_banco->finestra(); }

// Keys as the clerk types them: to whatever has the focus in the active window.
void digita(const QString &testo)
{
    QVERIFY2(QApplication::focusWidget(), "nessun campo ha il fuoco");
    QTest::keyClicks(static_cast<QWidget *>(nullptr), testo);
}
void tasto(Qt::Key k)
{
    QVERIFY2(QApplication::focusWidget(), "nessun campo ha il fuoco");
    QTest::keyClick(static_cast<QWidget *>(nullptr), k);
}

// The toolbar is never where typing lands.
bool inBarra(QWidget *w) { return w && qobject_cast<QToolBar *>(w->parentWidget()); }

// A double click with the mouse on a row of a list's grid, as the clerk gives it.
void doppioClic(forms::ListForm *l, int riga)
{
    ui::DBGrid *g = l->DBGrid1;
    const QRect r = g->visualRect(g->model()->index(riga, 0));
    QVERIFY(r.isValid());
    QTest::mouseDClick(g->viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
}

// A list over the towns with two search boxes laid out Provincia first but filtering on the
// town name first, and a detail with the name required.
struct Comuni {
    forms::ListForm *lista;
    forms::DetailForm *dettaglio;
};

class DettaglioComune : public forms::DetailForm {
public:
    explicit DettaglioComune(QWidget *p)
        : forms::DetailForm(
              [] {
                  Config c;
                  c.nome = "prova";
                  c.titolo = "Comune";
                  c.dataset = form_DB->Table8;
                  c.source = form_DB->Source8;
                  return c;
              }(),
              p)
    {
        richiesto(aggiungiEdit("DBEdit1", "Comune", "Comune"), "Attenzione manca la Descrizione del Comune");
    }
};

Comuni comuni()
{
    forms::ListForm::Config c;
    c.nome = "listaProva";
    c.titolo = "Comuni";
    c.dataset = form_DB->Table8;
    c.source = form_DB->Source8;
    c.colonne = {{"Comune", "Comune", 200}, {"Provincia", "Prov.", 50}};
    c.ricerca = {{"Edit2", "Provincia", "Provincia", 1}, {"Edit1", "Descrizione", "Comune", 0}};
    c.domandaElimina = "Sei sicuro di voler eliminare il Comune ?";
    c.descrizioneSpazio = false;
    c.ordinabile = true;
    c.nomeGriglia = "prova_Griglia";
    c.menuGrigliaCompleto = true;
    auto *lista = new forms::ListForm(c, finestra());
    auto *dett = new DettaglioComune(finestra());
    lista->setDettaglio(dett);
    return {lista, dett};
}

} // namespace

void TestFamily::init()
{
    g_chiusure = ambiente::chiusureForzate();
    g_banco = std::make_unique<banco::Banco>(
        QStringList{"frmGrigliaColori", "frmReparti", "frmCategorieFornitori_Griglia", "frmVeicoli", "frmModelli"},
        QStringList{"insert into Colori (Descrizione) values ('Blu'), ('Rosso'), ('Verde')"});
}

void TestFamily::cleanup()
{
    const bool pulito = dialoghi().clean();
    const QString resoconto = dialoghi().report();
    g_banco.reset();
    QVERIFY2(pulito, qPrintable(resoconto));
    QCOMPARE(ambiente::chiusureForzate(), g_chiusure);
}

void TestFamily::searchBuildsFilter_data()
{
    QTest::addColumn<QString>("descrizione");
    QTest::addColumn<QString>("provincia");
    QTest::addColumn<QString>("filtro");
    QTest::addColumn<int>("righe");
    QTest::newRow("empty") << "" << "" << "" << -1;
    QTest::newRow("star") << "*" << "*" << "" << -1;
    QTest::newRow("prefix") << "forl" << "" << "Comune like 'forl*'" << 3;
    QTest::newRow("apostrophe") << "l'aq" << "" << "Comune like 'l''aq*'" << 1;
    QTest::newRow("both in order") << "forl" << "fc" << "Comune like 'forl*' and Provincia like 'fc*'" << 2;
    QTest::newRow("second only") << "" << "FC" << "Provincia like 'FC*'" << 30;
}

void TestFamily::searchBuildsFilter()
{
    QFETCH(QString, descrizione);
    QFETCH(QString, provincia);
    QFETCH(QString, filtro);
    QFETCH(int, righe);
    Comuni c = comuni();
    QTest::keyClicks(c.lista->casella("Edit1"), descrizione);
    QTest::keyClicks(c.lista->casella("Edit2"), provincia);
    QCOMPARE(form_DB->Table8->filter(), filtro);
    if (righe < 0) QVERIFY(form_DB->Table8->recordCount() > 7800);
    else QCOMPARE(form_DB->Table8->recordCount(), righe);
    c.lista->BitBtn3Click();
    QCOMPARE(form_DB->Table8->filter(), QString());
    QCOMPARE(c.lista->casella("Edit1")->text(), QString());
}

void TestFamily::titleClickToggles()
{
    Comuni c = comuni();
    db::Query *q = form_DB->Table8;
    q->setSort("");
    c.lista->DBGrid1TitleClick("Comune");
    QCOMPARE(q->sort(), QString("Comune ASC"));
    c.lista->DBGrid1TitleClick("Comune");
    QCOMPARE(q->sort(), QString("Comune DESC"));
    c.lista->DBGrid1TitleClick("Comune");
    QCOMPARE(q->sort(), QString("Comune ASC"));
    c.lista->DBGrid1TitleClick("Provincia"); // after an ascending sort another column goes descending
    QCOMPARE(q->sort(), QString("Provincia DESC"));
    emit c.lista->DBGrid1->titleClicked("Comune"); // the grid's title click reaches the handler
    QCOMPARE(q->sort(), QString("Comune ASC"));
}

void TestFamily::addThenBackKeepsRow_data()
{
    QTest::addColumn<bool>("svuotata");
    QTest::newRow("blank kept") << false;
    QTest::newRow("emptied is refused") << true;
}

void TestFamily::addThenBackKeepsRow()
{
    QFETCH(bool, svuotata);
    forms::ListForm::Config cfg = frmGrigliaColori->config();
    cfg.descrizioneSvuotata = svuotata;
    forms::ListForm lista(cfg, finestra());
    lista.setDettaglio(frmColoriDett);
    const int prima = scalar("select count(*) from Colori").toInt();
    if (svuotata) dialoghi().expectMessage("Attenzione manca la Descrizione ");
    conModale([&] { lista.spdInserisciClick(); },
              [svuotata](QWidget *w) {
                  auto *d = qobject_cast<forms::DetailForm *>(w);
                  QVERIFY(d);
                  QVERIFY(d->spdAnnulla->isVisible());
                  d->spdIndietro->click();
                  if (svuotata) {
                      QVERIFY(d->isVisible()); // refused: still open
                      QTest::keyClicks(d->DBEdit2, "Giallo");
                      d->spdIndietro->click();
                  }
              });
    QVERIFY(!frmColoriDett->isVisible());
    QCOMPARE(scalar("select count(*) from Colori").toInt(), prima + 1);
    const QString stored = scalar("select Descrizione from Colori order by Id desc").toString();
    QCOMPARE(stored, svuotata ? QString("Giallo") : QString(" "));
    QCOMPARE(form_DB->TableColori->fieldByName("Descrizione").asString(), stored);
    QVERIFY(!frmColoriDett->spdAnnulla->isVisible());
}

void TestFamily::addThenCancel_data()
{
    QTest::addColumn<bool>("yes");
    QTest::newRow("yes removes the row") << true;
    QTest::newRow("no keeps the form open") << false;
}

void TestFamily::addThenCancel()
{
    QFETCH(bool, yes);
    const int prima = scalar("select count(*) from Colori").toInt();
    dialoghi().expectMessage("Sei sicuro di voler annullare l'inserimento ?", yes ? QMessageBox::Yes : QMessageBox::No);
    conModale([&] { frmGrigliaColori->spdInserisciClick(); },
              [yes](QWidget *w) {
                  auto *d = qobject_cast<forms::DetailForm *>(w);
                  QTest::keyClicks(d->DBEdit2, "Nero");
                  d->spdAnnulla->click();
                  QCOMPARE(d->isVisible(), !yes);
                  if (!yes) {
                      QCOMPARE(scalar("select count(*) from Colori where Descrizione = ' '").toInt(), 1);
                      d->spdIndietro->click();
                  }
              });
    QCOMPARE(scalar("select count(*) from Colori").toInt(), yes ? prima : prima + 1);
    if (yes) QCOMPARE(form_DB->TableColori->state(), db::Query::State::Browse);
    if (!yes) QCOMPARE(scalar("select count(*) from Colori where Descrizione = 'Nero'").toInt(), 1);
}

void TestFamily::requiredFieldRefusedThenAccepted()
{
    QVERIFY(form_DB->TableColori->locate("Descrizione", "Rosso"));
    dialoghi().expectMessage("Attenzione manca la Descrizione ");
    conModale([&] { frmGrigliaColori->spdAvantiClick(); },
              [](QWidget *w) {
                  auto *d = qobject_cast<forms::DetailForm *>(w);
                  QVERIFY(!d->spdAnnulla->isVisible());
                  d->DBEdit2->setFocus();
                  d->DBEdit2->selectAll();
                  QTest::keyClick(d->DBEdit2, Qt::Key_Backspace);
                  d->spdIndietro->click();
                  QVERIFY(d->SalvataggioFallito);
                  QVERIFY(d->isVisible());
                  QCOMPARE(dialoghi().messages().last().caption, QString("Messaggio di errore"));
                  QTest::keyClicks(d->DBEdit2, "Porpora");
                  d->spdIndietro->click();
              });
    QCOMPARE(scalar("select count(*) from Colori where Descrizione = 'Porpora'").toInt(), 1);
    QCOMPARE(scalar("select count(*) from Colori where Descrizione = 'Rosso'").toInt(), 0);
    // A detail left without touching anything writes nothing and closes.
    conModale([&] { frmGrigliaColori->spdAvantiClick(); },
              [](QWidget *w) { qobject_cast<forms::DetailForm *>(w)->spdIndietro->click(); });
    QVERIFY(!frmColoriDett->isVisible());
}

void TestFamily::refusedPostKeepsFormOpen()
{
    // Another workstation deleted the row meanwhile: the save is refused, shown, and the
    // form keeps what was typed.
    QVERIFY(form_DB->TableColori->locate("Descrizione", "Verde"));
    dialoghi().expectMessage("");
    conModale([&] { frmGrigliaColori->spdAvantiClick(); },
              [](QWidget *w) {
                  auto *d = qobject_cast<forms::DetailForm *>(w);
                  exec("delete from Colori where Descrizione = 'Verde'");
                  d->DBEdit2->end(false);
                  QTest::keyClicks(d->DBEdit2, " chiaro");
                  d->spdIndietro->click();
                  QVERIFY(d->isVisible());
                  QCOMPARE(d->DBEdit2->text(), QString("Verde chiaro"));
                  form_DB->TableColori->cancel();
                  d->DatiModificati = false;
                  d->spdIndietro->click();
              });
    QCOMPARE(dialoghi().messages().last().caption, QString("Messaggio di errore"));
}

void TestFamily::deleteAsks_data()
{
    QTest::addColumn<bool>("yes");
    QTest::addColumn<int>("dopo");
    QTest::newRow("yes") << true << 2;
    QTest::newRow("no") << false << 3;
}

void TestFamily::deleteAsks()
{
    QFETCH(bool, yes);
    QFETCH(int, dopo);
    QVERIFY(form_DB->TableColori->locate("Descrizione", "Rosso"));
    dialoghi().expectMessage("Sei sicuro di voler eliminare il Colore?", yes ? QMessageBox::Yes : QMessageBox::No);
    frmGrigliaColori->spdElimina->click();
    QCOMPARE(dialoghi().messages().last().caption, QString("Messaggio di avviso"));
    QCOMPARE(scalar("select count(*) from Colori").toInt(), dopo);
    if (yes) QCOMPARE(form_DB->TableColori->fieldByName("Descrizione").asString(), QString("Blu")); // the one before
    // On an empty list nothing is asked.
    form_DB->TableColori->setFilter("Descrizione = 'nessuno'");
    frmGrigliaColori->spdEliminaClick();
    frmGrigliaColori->spdAvantiClick();
    QCOMPARE(scalar("select count(*) from Colori").toInt(), dopo);
}

void TestFamily::pickMode_data()
{
    QTest::addColumn<QString>("filtro");
    QTest::addColumn<bool>("conferma");
    QTest::addColumn<QString>("scelto");
    QTest::newRow("chosen") << "" << true << "Verde";
    QTest::newRow("left with back") << "" << false << "";
    QTest::newRow("empty filtered list") << "Descrizione = 'nessuno'" << true << "";
}

void TestFamily::pickMode()
{
    QFETCH(QString, filtro);
    QFETCH(bool, conferma);
    QFETCH(QString, scelto);
    for (int round = 0; round < 2; ++round) { // a second pick never reuses the first one's choice
        std::optional<qint64> id;
        conModale([&] { id = frmGrigliaColori->scegli(filtro); },
                  [conferma, round](QWidget *w) {
                      auto *l = qobject_cast<forms::ListForm *>(w);
                      QVERIFY(!l->spdInserisci->isEnabled());
                      QVERIFY(!l->spdElimina->isEnabled());
                      if (!l->dataset()->isEmpty()) QVERIFY(l->dataset()->locate("Descrizione", "Verde"));
                      if (conferma && round == 0) l->spdAvanti->click();
                      else l->spdIndietro->click();
                  });
        const QString atteso = round == 0 ? scelto : QString();
        QCOMPARE(id.has_value(), !atteso.isEmpty());
        if (id) QCOMPARE(scalar(QString("select Descrizione from Colori where Id = %1").arg(*id)).toString(), atteso);
        QVERIFY(!frmGrigliaColori->ModalitaScelta);
        QVERIFY(!frmGrigliaColori->SceltaEffettuata);
        QVERIFY(frmGrigliaColori->spdInserisci->isEnabled());
        QCOMPARE(form_DB->TableColori->filter(), QString());
    }
}

void TestFamily::gridLayoutPerComputer()
{
    Comuni c = comuni();
    c.lista->SalvaGriglia1Click(); // this computer's layout, and the default the first time
    c.lista->DBGrid1->selectColumn(1);
    c.lista->EliminaColonna1Click();
    QCOMPARE(c.lista->DBGrid1->columns().size(), 1);
    c.lista->SalvaGriglia1Click();
    QCOMPARE(scalar("select count(*) from griglie where NomeGriglia = 'prova_Griglia' and NomeComputer = 'POSTAZIONE1'").toInt(), 1);
    // Another computer keeps its own layout; the reset brings back the form's columns.
    form_DB->Connessione.execute("insert into griglie (NomeComputer, NomeGriglia, CampiUtente) values ('ALTRA', 'prova_Griglia', 'Provincia')");
    c.lista->ResetGriglia1Click();
    QCOMPARE(c.lista->DBGrid1->columns().size(), 2);
    QCOMPARE(scalar("select CampiUtente from griglie where NomeComputer = 'ALTRA'").toString(), QString("Provincia"));
}

void TestFamily::defaultsOfTheTable()
{
    exec("insert into Personalizzazioni (NomeTabella, NomeCampo, Tipo, Valore) values "
         "('Colori', 'Descrizione', 't', 'Metallizzato')");
    form_DB->TablePersonalizzazioni->requery(); // the defaults come with the database, read at start-up
    forms::ListForm::Config cfg = frmGrigliaColori->config();
    cfg.chiavePredefiniti = "Colori";
    forms::ListForm lista(cfg, finestra());
    lista.setDettaglio(frmColoriDett);
    conModale([&] { lista.spdInserisciClick(); },
              [](QWidget *w) {
                  auto *d = qobject_cast<forms::DetailForm *>(w);
                  QCOMPARE(d->DBEdit2->text(), QString("Metallizzato"));
                  d->spdIndietro->click();
              });
    QCOMPARE(scalar("select count(*) from Colori where Descrizione = 'Metallizzato'").toInt(), 1);
    QCOMPARE(form_DB->TablePersonalizzazioni->filter(), QString());
}

void TestFamily::escapeActsAsBack()
{
    QVERIFY(form_DB->TableColori->locate("Descrizione", "Blu"));
    conModale([&] { frmGrigliaColori->spdAvantiClick(); },
              [](QWidget *w) {
                  auto *d = qobject_cast<forms::DetailForm *>(w);
                  d->DBEdit2->setFocus();
                  d->DBEdit2->end(false);
                  QTest::keyClicks(d->DBEdit2, "2");
                  QTest::keyClick(d, Qt::Key_Escape);
              });
    QVERIFY(!frmColoriDett->isVisible());
    QCOMPARE(scalar("select count(*) from Colori where Descrizione = 'Blu2'").toInt(), 1);
}

void TestFamily::newRowTakesTyping_data()
{
    QTest::addColumn<QString>("nome");
    QTest::newRow("blank placeholder, no navigation") << "frmGrigliaColori";
    QTest::newRow("emptied, Enter moves") << "frmReparti";
    QTest::newRow("blank placeholder, Enter moves") << "frmCategorieFornitori_Griglia";
    QTest::newRow("two fields") << "frmVeicoli";
}

void TestFamily::newRowTakesTyping()
{
    // "Aggiungi": what the clerk types goes into the description at once, replacing the
    // placeholder; Enter stays among the fields; Escape stores what was typed. The second
    // row starts in the description again, wherever the first was left.
    QFETCH(QString, nome);
    auto *l = qobject_cast<forms::ListForm *>(forms::Registro::istanza().voce(nome)->corrente());
    QVERIFY(l);
    forms::DetailForm *d = l->dettaglio();
    const QString tabella = l->dataset()->updateTable();
    for (const QString testo : {QString("Carro attrezzi"), QString("Carro gru")}) {
        conModale([l] { l->spdInserisciClick(); },
                  [d, testo](QWidget *w) {
                      QCOMPARE(w, d);
                      QVERIFY(QTest::qWaitForWindowActive(w));
                      QCOMPARE(QApplication::focusWidget(), d->DBEdit2);
                      digita(testo);
                      QCOMPARE(d->DBEdit2->text(), testo);
                      tasto(Qt::Key_Return);
                      QWidget *dopoInvio = QApplication::focusWidget();
                      QVERIFY(dopoInvio && dopoInvio->window() == d);
                      QVERIFY2(!inBarra(dopoInvio), qPrintable(dopoInvio->objectName()));
                      if (dopoInvio == d->DBEdit2) { // a blank typed there is text, not a button press
                          tasto(Qt::Key_Space);
                          tasto(Qt::Key_Backspace);
                      }
                      tasto(Qt::Key_Escape);
                      QVERIFY(!d->isVisible());
                  });
        const QString ultima = QStringLiteral("select top 1 Descrizione from %1 order by Id desc").arg(tabella);
        QCOMPARE(scalar(ultima).toString(), testo);
    }
    QTest::keyClicks(l->casella("Edit1"), "Carro");
    QCOMPARE(l->dataset()->recordCount(), 2);
    l->BitBtn3Click();
}

void TestFamily::placeholderNeverLeads_data()
{
    QTest::addColumn<bool>("mouse"); // the field clicked with the mouse after the blank, or left as it opened
    QTest::newRow("as opened") << false;
    QTest::newRow("clicked after the blank") << true;
}

void TestFamily::placeholderNeverLeads()
{
    QFETCH(bool, mouse);
    conModale([] { frmGrigliaColori->spdInserisciClick(); },
              [mouse](QWidget *w) {
                  QVERIFY(QTest::qWaitForWindowActive(w));
                  ui::DBEdit *e = frmColoriDett->DBEdit2;
                  QCOMPARE(e->text(), QString(" "));
                  QCOMPARE(e->selectedText(), QString(" "));
                  if (mouse) {
                      QTest::mouseClick(e, Qt::LeftButton, Qt::NoModifier, QPoint(e->width() - 4, e->height() / 2));
                      QCOMPARE(e->cursorPosition(), 1);
                  }
                  digita("Carro attrezzi");
                  frmColoriDett->spdIndietro->click();
              });
    QCOMPARE(scalar("select count(*) from Colori where Descrizione = 'Carro attrezzi'").toInt(), 1);
    QCOMPARE(scalar("select count(*) from Colori where Descrizione like ' %'").toInt(), 0);
}

void TestFamily::doubleClickAfterSave()
{
    // Once a detail has saved, one double click on another row opens that row.
    QVERIFY(form_DB->TableColori->locate("Descrizione", "Blu"));
    conModale([] { frmGrigliaColori->spdAvantiClick(); },
              [](QWidget *) {
                  QVERIFY(QTest::qWaitForWindowActive(frmColoriDett));
                  frmColoriDett->DBEdit2->end(false);
                  digita(" notte");
                  frmColoriDett->spdIndietro->click();
              });
    QCOMPARE(scalar("select count(*) from Colori where Descrizione = 'Blu notte'").toInt(), 1);
    conModale([] { frmGrigliaColori->exec(); },
              [](QWidget *w) {
                  QVERIFY(QTest::qWaitForWindowActive(w));
                  QString aperto;
                  conModale([] { doppioClic(frmGrigliaColori, 2); },
                            [&aperto](QWidget *d) {
                                QCOMPARE(d, frmColoriDett);
                                aperto = frmColoriDett->DBEdit2->text();
                                frmColoriDett->spdIndietro->click();
                            });
                  QCOMPARE(aperto, QString("Verde"));
                  frmGrigliaColori->spdIndietro->click();
              });
}

void TestFamily::enterOnRowOpens()
{
    conModale([] { frmGrigliaColori->exec(); },
              [](QWidget *w) {
                  QVERIFY(QTest::qWaitForWindowActive(w));
                  frmGrigliaColori->DBGrid1->setFocus();
                  QTest::keyClick(frmGrigliaColori->DBGrid1, Qt::Key_Down); // from Blu to Rosso
                  QString aperto;
                  conModale([] { tasto(Qt::Key_Return); },
                            [&aperto](QWidget *d) {
                                QCOMPARE(d, frmColoriDett);
                                QVERIFY(!frmColoriDett->spdAnnulla->isVisible());
                                aperto = frmColoriDett->DBEdit2->text();
                                frmColoriDett->spdIndietro->click();
                            });
                  QCOMPARE(aperto, QString("Rosso"));
                  frmGrigliaColori->spdIndietro->click();
              });
}

void TestFamily::dynamicListSeesOtherWorkstations()
{
    // Another workstation on the same database adds a make and a department.
    db::Connection altra;
    QVERIFY(altra.open(form_DB->Connessione.path()));
    form_DB->TableModelli->requery();
    form_DB->TableReparti->requery();
    altra.execute("insert into Modelli (Descrizione) values ('Scania')");
    altra.execute("insert into Reparti (Descrizione) values ('Officina')");
    // The makes are a dynamic cursor: shown again, the list reads them again.
    frmModelli->show();
    QVERIFY(form_DB->TableModelli->locate("Descrizione", "Scania"));
    frmModelli->hide();
    // The departments are not: the list shows what it read until it is read again.
    frmReparti->show();
    QVERIFY(!form_DB->TableReparti->locate("Descrizione", "Officina"));
    frmReparti->hide();
}
