#include "tst_tariffe.h"

#include "Ambiente.h"
#include "Banco.h"
#include "data/DB.h"
#include "db/Query.h"
#include "masterdata/ClientiDett.h"
#include "masterdata/Tariffe.h"
#include "masterdata/TariffeCambiaPrezzi.h"
#include "masterdata/TariffeDett.h"
#include "widgets/DBEdit.h"
#include "widgets/DBGrid.h"
#include "widgets/DBLookupComboBox.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

using ambiente::conModale;

namespace {

std::unique_ptr<banco::Banco> g_banco;
QVariant scalar(const QString &sql) { return g_banco->valore(sql); }
testing_support::ScriptedDialogs &dialoghi() { return g_banco->dialoghi(); }

const QString kAvviso = QStringLiteral("Messaggio di avviso");
const QString kErrore = QStringLiteral("Messaggio di errore");

void scrivi(QLineEdit *e, const QString &testo)
{
    e->setFocus();
    e->selectAll();
    QTest::keyClick(e, Qt::Key_Delete);
    if (!testo.isEmpty()) QTest::keyClicks(e, testo);
}

void scegli(ui::DBLookupComboBox *l, const QString &testo)
{
    const int i = l->findText(testo);
    QVERIFY2(i >= 0, qPrintable(testo));
    l->setFocus();
    l->setCurrentIndex(i);
    Q_EMIT l->activated(i);
}

// Selects the rows of Table1 whose descriptions are given, as Ctrl+click does.
void seleziona(const QStringList &descrizioni)
{
    db::Query *q = form_DB->Table1;
    q->clearSelection();
    int riga = 0;
    for (q->first(); !q->eof(); q->next(), ++riga)
        if (descrizioni.contains(q->fieldByName("Descrizione").asString())) q->setRowSelected(riga, true);
}

// "Prezzo/PrezzoCompleto" in cents.
QString prezzi(const QString &descrizione)
{
    const QString w = QString(" from prezziar where Descrizione = '%1'").arg(QString(descrizione).replace("'", "''"));
    return QString("%1/%2")
        .arg(qRound64(scalar("select Prezzo" + w).toDouble() * 100))
        .arg(qRound64(scalar("select PrezzoCompleto" + w).toDouble() * 100));
}

QStringList descrizioniMostrate()
{
    QStringList r;
    db::Query *q = form_DB->Table1;
    for (q->first(); !q->eof(); q->next()) r << q->fieldByName("Descrizione").asString();
    return r;
}

} // namespace

void TestTariffe::init()
{
    ListinoDaMenu = false;
    FiltroTariffe.clear();
    TariffeScelte.clear();
    g_banco = std::make_unique<banco::Banco>(
        QStringList{"Form2", "frmCambiaValoreUnitario", "frmClienti"},
        QStringList{
            "delete from Iva", "delete from TipoTariffe", "delete from TipoFatturazione",
            "insert into Iva (ID, Descrizione, Iva) values (1, 'Iva 22%', 22)",
            "insert into Iva (ID, Descrizione, Iva) values (2, 'Esente', 0)",
            "insert into TipoTariffe (Id, Descrizione) values (1, 'Urbano')",
            "insert into TipoFatturazione (Id, Descrizione) values (1, 'A corpo')",
            "update opzioni set AliquotaIva = 22, Iva_Id = 1",
            "insert into Clienti (Id, NominativoVisualizzato, NominativoDocumenti, Annullato) values (1, 'Rossi Mario', 'Rossi Mario', False)",
            "insert into Clienti (Id, NominativoVisualizzato, NominativoDocumenti, Annullato, Note) "
            "values (2, 'Rossi Mario', 'Rossi Mario', False, 'il secondo')",
            "insert into prezziar (Codice, Descrizione, Prezzo, PrezzoCompleto, AliquotaIva, Iva_Id, Sconto, Cliente, Cliente_ID, "
            "Reparto, Note, PartenzaCitta, FineCitta, Annullato, TipoTariffa_Id, TipoFatturazione_Id) "
            "values ('TR1', 'Traino urbano', 100, 122, 22, 1, 0, 'Rossi Mario', 2, 'Officina', 'giorno', 'Como', 'Milano', False, 1, 1)",
            "insert into prezziar (Codice, Descrizione, Prezzo, PrezzoCompleto, AliquotaIva, Iva_Id, Sconto, Reparto, Note, "
            "PartenzaCitta, FineCitta, Annullato, TipoTariffa_Id, TipoFatturazione_Id) "
            "values ('TR2', 'Traino notturno', 100, 109.8, 22, 1, 10, 'Officina', 'notte', 'Como', 'Lecco', False, 1, 1)",
            "insert into prezziar (Codice, Descrizione, Prezzo, PrezzoCompleto, AliquotaIva, Iva_Id, Annullato) "
            "values ('CU1', 'Custodia d''auto', 33.33, 40.66, 22, 1, False)",
            "insert into prezziar (Codice, Descrizione, Prezzo, PrezzoCompleto, AliquotaIva, Annullato) "
            "values ('SO1', 'Soccorso', 50, 61, Null, False)",
            "insert into prezziar (Codice, Descrizione, Prezzo, PrezzoCompleto, AliquotaIva, Annullato) "
            "values ('VE1', 'Vecchio traino', 80, 97.6, 22, True)"});
    form_DB->Table1->setFilter(QString());
}

void TestTariffe::cleanup()
{
    ListinoDaMenu = false;
    FiltroTariffe.clear();
    const bool pulito = dialoghi().clean();
    const QString resoconto = dialoghi().report();
    g_banco.reset();
    QVERIFY2(pulito, qPrintable(resoconto));
}

void TestTariffe::ricerca_data()
{
    QTest::addColumn<bool>("daMenu");
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("caselle"); // "Edit4=TR;Edit1=Tra"
    QTest::addColumn<QString>("filtro");
    QTest::addColumn<QStringList>("mostrate");
    QTest::newRow("picker: withdrawn hidden") << false << "" << "Edit1=Tra" << "Descrizione like 'Tra*' and annullato = false"
                                              << QStringList{"Traino notturno", "Traino urbano"};
    QTest::newRow("menu: withdrawn listed") << true << "" << "Edit3=no" << "Note like 'no*'" << QStringList{"Traino notturno"};
    QTest::newRow("menu: withdrawn kept while searching")
        << true << "" << "Edit4=*;Edit1=V" << "Descrizione like 'V*'" << QStringList{"Vecchio traino"};
    QTest::newRow("a lone * adds nothing") << true << "" << "Edit1=*" << "" << QStringList{
        "Custodia d'auto", "Soccorso", "Traino notturno", "Traino urbano", "Vecchio traino"};
    QTest::newRow("apostrophe doubled") << false << "" << "Edit1=Custodia d'"
                                        << "Descrizione like 'Custodia d''*' and annullato = false" << QStringList{"Custodia d'auto"};
    QTest::newRow("filter order: Descrizione, Codice, Da, A, Cliente, Reparto, Note")
        << true << "" << "Edit3=g;Edit5=Off;Edit2=Ros;Edit7=Mi;Edit6=Co;Edit4=TR;Edit1=T"
        << "Descrizione like 'T*' and Codice like 'TR*' and PartenzaCitta like 'Co*' and FineCitta like 'Mi*' and "
           "Cliente like 'Ros*' and Reparto like 'Off*' and Note like 'g*'"
        << QStringList{"Traino urbano"};
    QTest::newRow("the caller's base first, unchanged")
        << false << "annullato = false and Cliente_ID = 2" << "Edit1=T"
        << "annullato = false and Cliente_ID = 2 and Descrizione like 'T*' and annullato = false" << QStringList{"Traino urbano"};
}

void TestTariffe::ricerca()
{
    QFETCH(bool, daMenu);
    QFETCH(QString, base);
    QFETCH(QString, caselle);
    QFETCH(QString, filtro);
    QFETCH(QStringList, mostrate);
    ListinoDaMenu = daMenu;
    FiltroTariffe = base;
    for (const QString &c : caselle.split(';')) scrivi(Form2->casella(c.section('=', 0, 0)), c.section('=', 1));
    QCOMPARE(form_DB->Table1->filter(), filtro);
    QCOMPARE(descrizioniMostrate(), mostrate);
    // Aggiungi's emptying of four boxes searches again with what the others hold.
    Form2->svuotaCaselle();
    for (const char *n : {"Edit1", "Edit2", "Edit4", "Edit5"}) QCOMPARE(Form2->casella(n)->text(), QString());
}

void TestTariffe::sceltaTariffe()
{
    // A document's pick: only the customer's and the general tariffs, not withdrawn.
    FiltroTariffe = "annullato = false and Codice like 'T*'";
    form_DB->Table1->setFilter(FiltroTariffe);
    Form2->SceltaEffettuata = false;
    conModale([] { Form2->exec(); },
              [](QWidget *w) {
                  QCOMPARE(w, static_cast<QWidget *>(Form2));
                  for (QToolButton *b : {Form2->spdCopia, Form2->spdAumentaDiminuisci, Form2->spdInserisci, Form2->spdElimina})
                      QVERIFY2(!b->isEnabled(), qPrintable(b->objectName()));
                  QCOMPARE(descrizioniMostrate(), (QStringList{"Traino notturno", "Traino urbano"}));
                  Form2->SelezionaTutti1->trigger();
                  QCOMPARE(form_DB->Table1->selectedCount(), 2);
                  Form2->spdAvanti->click();
              });
    QVERIFY(Form2->SceltaEffettuata);
    const QString scelte = TariffeScelte;
    QCOMPARE(scelte.count("prezziar.id = "), 1);
    QCOMPARE(scelte.count(" or prezziar.id ="), 1);
    db::Query q(&form_DB->Connessione);
    q.setSql("SELECT * FROM prezziar " + scelte + " order by Descrizione");
    q.open();
    QStringList lette;
    for (q.first(); !q.eof(); q.next()) lette << q.fieldByName("Codice").asString();
    QCOMPARE(lette, (QStringList{"TR2", "TR1"}));

    // Three rows chosen by hand; "Indietro" returns nothing even with rows selected.
    FiltroTariffe.clear();
    form_DB->Table1->setFilter("Annullato = false");
    seleziona({"Traino urbano", "Soccorso", "Custodia d'auto"});
    conModale([] { Form2->exec(); }, [](QWidget *) { Form2->spdAvanti->click(); });
    QVERIFY(TariffeScelte.startsWith("where prezziar.id = "));
    QCOMPARE(TariffeScelte.count(" or prezziar.id ="), 2);
    QVERIFY(!TariffeScelte.contains("or prezziar.id = "));
    Form2->SceltaEffettuata = false;
    conModale([] { Form2->exec(); }, [](QWidget *) { Form2->spdIndietro->click(); });
    QVERIFY(!Form2->SceltaEffettuata);
    // A confirmed pick without selection: nothing to add.
    form_DB->Table1->clearSelection();
    conModale([] { Form2->exec(); }, [](QWidget *) { Form2->DBGrid1DblClick(); });
    QVERIFY(Form2->SceltaEffettuata);
    QCOMPARE(TariffeScelte, QString());

    // From the main menu the four buttons change the list.
    ListinoDaMenu = true;
    conModale([] { Form2->exec(); },
              [](QWidget *) {
                  for (QToolButton *b : {Form2->spdCopia, Form2->spdAumentaDiminuisci, Form2->spdInserisci, Form2->spdElimina})
                      QVERIFY2(b->isEnabled(), qPrintable(b->objectName()));
                  Form2->spdIndietro->click();
              });
}

void TestTariffe::copiaEConta()
{
    ListinoDaMenu = true;
    db::Query *q = form_DB->Table1;
    QVERIFY(q->locate("Descrizione", "Traino notturno"));
    Form2->spdCopiaClick();
    QCOMPARE(q->fieldByName("Descrizione").asString(), QString("Traino notturno(COPIA)"));
    QCOMPARE(q->fieldByName("Sconto").asFloat(), 10.0);
    QCOMPARE(prezzi("Traino notturno(COPIA)"), QString("10000/10980"));
    // "Conta record" counts what the filter lets through.
    scrivi(Form2->Edit1, "Traino n");
    dialoghi().expectMessage("2");
    Form2->ContaRecord1->trigger();
    QCOMPARE(dialoghi().messages().last().caption, QString("Numero dei records"));
    // "Cambia prezzi" without selection refuses.
    q->clearSelection();
    dialoghi().expectMessage("Seleziona uno o più articoli per poterne aumentare o diminuire il valore Unitario.");
    Form2->spdAumentaDiminuisciClick();
    QCOMPARE(dialoghi().messages().last().caption, kAvviso);
    // "Elimina" asks, then deletes the current row.
    QVERIFY(q->locate("Descrizione", "Traino notturno(COPIA)"));
    dialoghi().expectMessage("Sei sicuro di voler eliminare la tariffa ?", QMessageBox::Yes);
    Form2->spdEliminaClick();
    QCOMPARE(scalar("select count(*) from prezziar where Descrizione like 'Traino notturno(COPIA)'").toInt(), 0);
}

void TestTariffe::controlliDettaglio_data()
{
    QTest::addColumn<QString>("iva");
    QTest::addColumn<QString>("tipo");
    QTest::addColumn<QString>("fatturazione");
    QTest::addColumn<QString>("valore");
    QTest::addColumn<QString>("descrizione");
    QTest::addColumn<QString>("messaggio");
    QTest::addColumn<QString>("fuoco");
    QTest::newRow("VAT cleared") << "" << "Urbano" << "A corpo" << "10" << "X" << "Attenzione manca l'IVA" << "DBLookupComboBox2";
    QTest::newRow("no tariff type") << "Iva 22%" << "" << "A corpo" << "10" << "X" << "Attenzione manca il tipo di tariffa"
                                    << "DBLookupComboBox9";
    QTest::newRow("no billing type") << "Iva 22%" << "Urbano" << "" << "10" << "X"
                                     << "Attenzione manca la tipologia di Fatturazione" << "DBLookupComboBox10";
    QTest::newRow("no unit price") << "Iva 22%" << "Urbano" << "A corpo" << "" << "X" << "Attenzione manca il Valore unitario"
                                   << "DBEdit3";
    QTest::newRow("no description") << "Iva 22%" << "Urbano" << "A corpo" << "10" << "" << "Attenzione manca la Descrizione"
                                     << "DBEdit2";
    QTest::newRow("stored") << "Iva 22%" << "Urbano" << "A corpo" << "10" << "Nuova" << "" << "";
}

void TestTariffe::controlliDettaglio()
{
    QFETCH(QString, iva);
    QFETCH(QString, tipo);
    QFETCH(QString, fatturazione);
    QFETCH(QString, valore);
    QFETCH(QString, descrizione);
    QFETCH(QString, messaggio);
    QFETCH(QString, fuoco);
    ListinoDaMenu = true;
    const int prima = scalar("select count(*) from prezziar").toInt();
    if (!messaggio.isEmpty()) {
        dialoghi().expectMessage(messaggio);
        dialoghi().expectMessage("Sei sicuro di voler annullare l'inserimento ?", QMessageBox::Yes);
    }
    conModale([] { Form2->spdInserisciClick(); },
              [&](QWidget *w) {
                  QCOMPARE(w, static_cast<QWidget *>(Form3));
                  QVERIFY(QTest::qWaitForWindowActive(w));
                  QVERIFY(Form3->spdAnnulla->isVisible());
                  // A new tariff takes the options' VAT.
                  QCOMPARE(Form3->DBLookupComboBox2->currentText(), QString("Iva 22%"));
                  if (iva.isEmpty()) {
                      Form3->DBLookupComboBox2->setFocus();
                      QTest::keyClick(Form3->DBLookupComboBox2, Qt::Key_Delete);
                  }
                  if (!tipo.isEmpty()) scegli(Form3->DBLookupComboBox9, tipo);
                  if (!fatturazione.isEmpty()) scegli(Form3->DBLookupComboBox10, fatturazione);
                  scrivi(Form3->DBEdit2, descrizione);
                  scrivi(Form3->DBEdit3, valore);
                  QTest::keyClick(Form3->DBEdit3, Qt::Key_Return); // leaving it computes the final price
                  Form3->PageControl1->setCurrentIndex(1);
                  Form3->spdIndietro->click();
                  if (messaggio.isEmpty()) return;
                  QVERIFY(Form3->isVisible());
                  QVERIFY(Form3->SalvataggioFallito);
                  QCOMPARE(dialoghi().messages().last().caption, kErrore);
                  QCOMPARE(Form3->PageControl1->currentIndex(), 0);
                  QCOMPARE(QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString(), fuoco);
                  Form3->spdAnnulla->click();
              });
    QVERIFY(!Form3->isVisible());
    if (!messaggio.isEmpty()) {
        QCOMPARE(scalar("select count(*) from prezziar").toInt(), prima);
        return;
    }
    QCOMPARE(scalar("select count(*) from prezziar").toInt(), prima + 1);
    QCOMPARE(prezzi("Nuova"), QString("1000/1220"));
    QCOMPARE(scalar("select Tariffa from prezziar where Descrizione = 'Nuova'").toString(), QString("Urbano"));
    QCOMPARE(scalar("select PrezzoFornitore from prezziar where Descrizione = 'Nuova'").toDouble(), 0.0);
    QCOMPARE(scalar("select Iva_Id from prezziar where Descrizione = 'Nuova'").toInt(), 1);
}

void TestTariffe::prezzoFinale()
{
    ListinoDaMenu = true;
    QVERIFY(form_DB->Table1->locate("Descrizione", "Traino notturno")); // discount 10
    dialoghi().expectMessage("Attenzione Inserire il Prezzo finale");
    conModale([] { Form3->mostra(); },
              [](QWidget *w) {
                  QVERIFY(QTest::qWaitForWindowActive(w));
                  // Leaving the unit price recomputes the final price: VAT only, no discount.
                  scrivi(Form3->DBEdit3, "10.125");
                  QCOMPARE(Form3->DBEdit3->text(), QString("10,125")); // the point typed is the decimal comma
                  Form3->DBEdit4->setFocus();
                  QCOMPARE(form_DB->Table1->fieldByName("PrezzoCompleto").asFloat(), 12.35); // 12.3525
                  // Another VAT rate: rounding only.
                  scegli(Form3->DBLookupComboBox2, "Esente");
                  QCOMPARE(form_DB->Table1->fieldByName("PrezzoCompleto").asFloat(), 10.13);
                  scegli(Form3->DBLookupComboBox2, "Iva 22%");
                  scrivi(Form3->DBEdit4, "122");
                  Form3->BitBtn1->click();
                  // Final 122 less VAT 22 less the discount 10: 111.1111, to 4 decimals.
                  QCOMPARE(form_DB->Table1->fieldByName("Prezzo").asFloat(), 111.1111);
                  scrivi(Form3->DBEdit4, "");
                  Form3->BitBtn1->click();
                  Form3->spdIndietro->click();
              });
    QVERIFY(!Form3->isVisible());
    QCOMPARE(scalar("select Prezzo from prezziar where Descrizione = 'Traino notturno'").toDouble(), 111.1111);
}

void TestTariffe::clienteAperto()
{
    ListinoDaMenu = true;
    // Two customers share the name: the tariff's is the second.
    QVERIFY(form_DB->Table1->locate("Descrizione", "Traino urbano"));
    conModale([] { Form3->mostra(); },
              [](QWidget *) {
                  conModale([] { Form3->SpeedButton1->click(); },
                            [](QWidget *w) {
                                QCOMPARE(w, static_cast<QWidget *>(frmClientiDett));
                                QCOMPARE(form_DB->Table7->fieldByName("Id").asInteger(), 2);
                                QCOMPARE(form_DB->Table7->fieldByName("Note").asString(), QString("il secondo"));
                                frmClientiDett->spdIndietro->click();
                            });
                  Form3->spdIndietro->click();
              });
    // Without customer the button opens nothing.
    QVERIFY(form_DB->Table1->locate("Descrizione", "Soccorso"));
    conModale([] { Form3->mostra(); },
              [](QWidget *) {
                  Form3->SpeedButton1->click();
                  QVERIFY(!frmClientiDett->isVisible());
                  Form3->spdIndietro->click();
              });
}

void TestTariffe::cambiaPrezzi()
{
    ListinoDaMenu = true;
    seleziona({"Traino urbano", "Traino notturno", "Custodia d'auto", "Soccorso"});
    dialoghi().expectMessage("Il valore degli articoli selezionati è stato aumentato con successo");
    conModale([] { Form2->spdAumentaDiminuisciClick(); },
              [](QWidget *w) {
                  QCOMPARE(w, static_cast<QWidget *>(frmCambiaValoreUnitario));
                  auto *d = frmCambiaValoreUnitario;
                  scrivi(d->txtFisso, "3");
                  scrivi(d->txtPercentuale, "10");
                  QCOMPARE(d->txtFisso->text(), QString()); // one way at a time
                  d->SpeedButton1->click();
              });
    QCOMPARE(prezzi("Traino urbano"), QString("11000/13420"));
    QCOMPARE(prezzi("Traino notturno"), QString("11000/12078"));
    QCOMPARE(prezzi("Custodia d'auto"), QString("3666/4473"));
    QCOMPARE(prezzi("Soccorso"), QString("5500/6100")); // no VAT rate: final price kept
    QCOMPARE(prezzi("Vecchio traino"), QString("8000/9760"));
    // Nothing left pending in the list, and it shows the new prices.
    QVERIFY(!form_DB->Table1->isEditing());
    QVERIFY(form_DB->Table1->locate("Descrizione", "Soccorso"));
    QCOMPARE(form_DB->Table1->fieldByName("Prezzo").asFloat(), 55.0);

    // Lower one tariff by the amount 5,50: the dialog keeps the typed text.
    seleziona({"Traino urbano"});
    dialoghi().expectMessage("Il valore degli articoli selezionati è stato diminuito con successo");
    conModale([] { Form2->spdAumentaDiminuisciClick(); },
              [](QWidget *) {
                  auto *d = frmCambiaValoreUnitario;
                  QCOMPARE(d->txtPercentuale->text(), QString("10"));
                  scrivi(d->txtFisso, "5.5");
                  d->SpeedButton2->click();
              });
    QCOMPARE(prezzi("Traino urbano"), QString("10450/12749"));
    QCOMPARE(prezzi("Traino notturno"), QString("11000/12078"));

    // No value typed: nothing changes.
    seleziona({"Traino urbano"});
    dialoghi().expectMessage("Inserisci un valore da aumentare");
    conModale([] { Form2->spdAumentaDiminuisciClick(); },
              [](QWidget *) {
                  auto *d = frmCambiaValoreUnitario;
                  d->txtFisso->clear();
                  d->txtPercentuale->clear();
                  d->SpeedButton1->click();
                  QVERIFY(d->isVisible());
                  d->spdIndietro->click();
              });
    QCOMPARE(prezzi("Traino urbano"), QString("10450/12749"));
}

void TestTariffe::cambiaPrezziErrore()
{
    if (testing_support::suServer()) QSKIP("the refusing trigger is SQLite's; the service test covers the server");
    // The database refuses the last selected tariff (in the list's order): no tariff changes.
    g_banco->esegui("select 1"); // the connection is open
    form_DB->Connessione.executeNative("create trigger blocca before update on prezziar when new.Descrizione = 'Traino urbano' "
                                       "begin select raise(abort, 'tariffa bloccata'); end");
    ListinoDaMenu = true;
    seleziona({"Traino urbano", "Traino notturno", "Soccorso"});
    dialoghi().expectMessage("tariffa bloccata");
    conModale([] { Form2->spdAumentaDiminuisciClick(); },
              [](QWidget *) {
                  auto *d = frmCambiaValoreUnitario;
                  scrivi(d->txtPercentuale, "10");
                  d->SpeedButton1->click();
                  QVERIFY(d->isVisible()); // the dialog stays open
                  d->spdIndietro->click();
              });
    QCOMPARE(prezzi("Traino urbano"), QString("10000/12200"));
    QCOMPARE(prezzi("Traino notturno"), QString("10000/10980"));
    QCOMPARE(prezzi("Soccorso"), QString("5000/6100"));
    QVERIFY(!form_DB->Table1->isEditing());
}
