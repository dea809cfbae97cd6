#include "tst_clienti.h"

#include "Ambiente.h"
#include "app/Frm1.h"
#include "data/DB.h"
#include "db/Query.h"
#include "mail/Email.h"
#include "forms/Registro.h"
#include "einvoice/TrovaPA.h"
#include "masterdata/ArchivioTipologie.h"
#include "masterdata/Comuni.h"
#include "masterdata/CategorieClienti.h"
#include "masterdata/Clienti.h"
#include "masterdata/ClientiDett.h"
#include "masterdata/TrovaCap.h"
#include "widgets/ColorBox.h"
#include "widgets/DBCheckBox.h"
#include "widgets/DBEdit.h"
#include "widgets/DBGrid.h"
#include "widgets/DBLookupComboBox.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>

using namespace ambiente;

namespace {

// Customers of several towns and categories, one withdrawn, with their colours.
void archivioClienti()
{
    esegui("insert into ClientiCategoria (ID, Descrizione, ColoreCategoria) values (1, 'Officine', 255), (2, 'Enti', 65535)");
    esegui("insert into Clienti (Id, NominativoVisualizzato, NominativoDocumenti, Cliente, Citta, Cellulare, Provincia, Note, "
           "Categoria_ID, ColoreCategoria, NumeroColore, EMail, Annullato, IdPaese, Sede_Nazione) values "
           "(101, 'Rossi Srl', 'Rossi Srl', 'Rossi Srl', 'Milano', '333111', 'MI', 'cliente d''oro', 1, 255, 16777215, "
           "'rossi@example.it', False, 'IT', 'IT'), "
           "(102, 'D''Amico Spa', 'D''Amico Spa', 'D''Amico Spa', 'Forlì', '347222', 'FC', 'nuovo', 2, 65535, 32768, "
           "'', False, 'IT', 'IT'), "
           "(103, 'Dami Luca', 'Dami Luca', '', 'Milano', '333999', 'MI', '', 0, 0, 0, 'dami@example.it', False, 'IT', 'IT'), "
           "(104, 'Zeta Annullata', 'Zeta Annullata', 'Zeta Annullata', 'Como', '', 'CO', '', 1, 255, 0, "
           "'zeta@example.it', True, 'IT', 'IT')");
    esegui("update Clienti set Cognome = 'Dami', Nome = 'Luca' where Id = 103");
    form_DB->Table7->requery();
    form_DB->TableCategoriaClienti->requery();
}

QStringList nomiMostrati()
{
    QStringList r;
    db::Query *q = form_DB->Table7;
    const int col = q->fieldIndex("NominativoVisualizzato");
    for (int i = 0; i < q->recordCount(); ++i) r << q->valueAt(i, col).toString();
    return r;
}

void scegli(QComboBox *lookup, const QString &testo)
{
    const int i = lookup->findText(testo);
    QVERIFY2(i >= 0, qPrintable(testo));
    lookup->setCurrentIndex(i);
    Q_EMIT lookup->activated(i);
}

// The window the clerk works in has the keyboard: focus moves and leaves boxes as on screen.
void attiva(QWidget *w)
{
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w));
}

// Opens the detail on customer `id` and runs `azione` in it.
void dettaglio(qint64 id, const std::function<void()> &azione)
{
    // The main window hides withdrawn customers whenever it is active again.
    form_DB->Table7->setFilter(QString());
    QVERIFY(form_DB->Table7->locate("Id", id));
    conModale([] { frmClienti->spdAvantiClick(); },
              [&](QWidget *w) {
                  QCOMPARE(w, static_cast<QWidget *>(frmClientiDett));
                  attiva(w);
                  azione();
              });
}

} // namespace

void TestClienti::init() { avvia(); }
void TestClienti::cleanup() { chiudi(); }

void TestClienti::menuElenco()
{
    archivioClienti();
    QToolButton *pulsante = Form1->menuButton(TForm1::tabArchivio, "Clienti");
    QVERIFY(pulsante && pulsante->isEnabled());
    form_DB->Table7->setFilter("NominativoVisualizzato like 'Rossi*'");
    conModale([pulsante] { pulsante->click(); },
              [](QWidget *w) {
                  QCOMPARE(w, static_cast<QWidget *>(frmClienti));
                  QVERIFY(frmClienti->isMaximized());
                  QCOMPARE(frmClienti->windowTitle(), QString("Clienti"));
                  QCOMPARE(QString(frmClienti->metaObject()->className()), QString("TfrmClienti"));
                  QCOMPARE(didascalie(frmClienti->ToolBar2, true),
                           QStringList({"Aiuto", "Ricarica", "Importa Vcard", "Esporta Vcard", "Copia email", "Invia Email",
                                        "Indietro", "Elimina", "Aggiungi", "Avanti"}));
                  QCOMPARE(frmClienti->btEsportaVCard->toolTip(), QString("Esporta i record selezionati in Vcard"));
                  QCOMPARE(frmClienti->spdElimina->toolTip(), QString("Elimina il record corrente "));
                  // The reset shows every customer, withdrawn ones included.
                  QCOMPARE(form_DB->Table7->recordCount(), 4);
                  QCOMPARE(dialoghi().messages().size(), 0);
                  QCOMPARE(frmClienti->DBGrid1->model()->headerData(0, Qt::Horizontal).toString(), QString("Cliente"));
                  // "Elimina" always asks; No keeps the customer.
                  QVERIFY(form_DB->Table7->locate("Id", 103));
                  dialoghi().expectMessage("Sei sicuro di voler eliminare il cliente?", QMessageBox::No);
                  frmClienti->spdElimina->click();
                  dialoghi().expectMessage("Sei sicuro di voler eliminare il cliente?", QMessageBox::Yes);
                  frmClienti->spdElimina->click();
                  QCOMPARE(valore("select count(*) from Clienti where Id = 103").toInt(), 0);
                  frmClienti->spdIndietro->click();
              });
    QCOMPARE(form_DB->Table7->filter(), QString("Annullato = 0"));
    QCOMPARE(form_DB->Table7->recordCount(), 2);
    // Aiuto opens the list's page.
    frmClienti->spdHelp->click();
    QCOMPARE(launcher().opened.last(), guida(2600));
}

void TestClienti::ricerca()
{
    archivioClienti();
    frmClienti->BitBtn3Click();
    conModale([] { frmClienti->exec(); },
              [](QWidget *w) {
                  attiva(w);
                  db::Query *q = form_DB->Table7;
                  // Città typed first, then the name: the name's condition comes first.
                  QTest::keyClicks(frmClienti->Edit4, "Mil");
                  frmClienti->Edit1->setFocus();
                  QTest::keyClicks(frmClienti->Edit1, "ross");
                  QCOMPARE(q->recordCount(), 4); // nothing filters before "cerca" or Enter
                  QTest::keyClick(frmClienti->Edit1, Qt::Key_Return);
                  QCOMPARE(q->filter(), QString("NominativoVisualizzato like 'ross*' and Citta like 'Mil*'"));
                  QCOMPARE(nomiMostrati(), QStringList({"Rossi Srl"}));
                  // Enter moved on to the next box.
                  QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(frmClienti->Edit2));
                  frmClienti->BitBtn3->click();
                  QCOMPARE(q->filter(), QString());
                  QCOMPARE(frmClienti->Edit4->text(), QString());
                  // An apostrophe is doubled inside the condition and matches.
                  frmClienti->Edit1->setText("D'A");
                  frmClienti->Filtra->click();
                  QCOMPARE(q->filter(), QString("NominativoVisualizzato like 'D''A*'"));
                  QCOMPARE(nomiMostrati(), QStringList({"D'Amico Spa"}));
                  // "*" adds nothing; accented letters match whatever their case.
                  frmClienti->Edit1->setText("*");
                  frmClienti->Edit4->setText("FORLÌ");
                  frmClienti->Filtra->click();
                  QCOMPARE(q->filter(), QString("Citta like 'FORLÌ*'"));
                  QCOMPARE(nomiMostrati(), QStringList({"D'Amico Spa"}));
                  frmClienti->BitBtn3Click();
                  // The category combo filters as it changes; a name not among the categories adds nothing.
                  QCOMPARE(frmClienti->ComboBox1->count(), 2);
                  frmClienti->ComboBox1->setCurrentIndex(frmClienti->ComboBox1->findText("Officine"));
                  QCOMPARE(q->filter(), QString("Categoria_ID = 1"));
                  QCOMPARE(nomiMostrati(), QStringList({"Rossi Srl", "Zeta Annullata"}));
                  frmClienti->Edit3->setText("CO");
                  QTest::keyClick(frmClienti->Edit3, Qt::Key_Return);
                  QCOMPARE(q->filter(), QString("Provincia like 'CO*' and Categoria_ID = 1"));
                  frmClienti->ComboBox1->setEditText("Officin");
                  QCOMPARE(q->filter(), QString("Provincia like 'CO*'"));
                  // Delete in the combo empties it and filters again.
                  frmClienti->ComboBox1->setEditText("Enti");
                  frmClienti->ComboBox1->setFocus();
                  QTest::keyClick(frmClienti->ComboBox1, Qt::Key_Delete);
                  QCOMPARE(frmClienti->ComboBox1->currentText(), QString());
                  QCOMPARE(q->filter(), QString("Provincia like 'CO*'"));
                  frmClienti->spdIndietro->click();
              });
}

void TestClienti::coloriRighe()
{
    archivioClienti();
    frmClienti->BitBtn3Click();
    conModale([] { frmClienti->exec(); },
              [](QWidget *) {
                  QAbstractItemModel *m = frmClienti->DBGrid1->model();
                  QHash<QString, QColor> colori;
                  for (int r = 0; r < m->rowCount(); ++r)
                      colori[m->index(r, 0).data().toString()] = m->index(r, 0).data(Qt::BackgroundRole).value<QColor>();
                  // Own colour white: the category's (red); own colour green wins over the category's;
                  // no colour at all: white; own colour 0 ("Nero"): the category's.
                  QCOMPARE(colori["Rossi Srl"], QColor(255, 0, 0));
                  QCOMPARE(colori["D'Amico Spa"], QColor(0, 128, 0));
                  QCOMPARE(colori["Dami Luca"], QColor(Qt::white));
                  QCOMPARE(colori["Zeta Annullata"], QColor(255, 0, 0));
                  frmClienti->spdIndietro->click();
              });
}

void TestClienti::sceltaDaAltroForm()
{
    archivioClienti();
    std::optional<qint64> scelto;
    conModale([&] { scelto = frmClienti->scegli("Annullato = 0"); },
              [](QWidget *) {
                  // Withdrawn customers are hidden; nothing but choosing is allowed.
                  QCOMPARE(form_DB->Table7->recordCount(), 3);
                  for (QToolButton *b : {frmClienti->btImportaVCard, frmClienti->btEsportaVCard, frmClienti->spdCopyEmail,
                                         frmClienti->spdEmail, frmClienti->spdElimina, frmClienti->spdInserisci})
                      QVERIFY2(!b->isEnabled(), qPrintable(b->text()));
                  QVERIFY(form_DB->Table7->locate("Id", 103));
                  frmClienti->spdAvanti->click();
              });
    QCOMPARE(scelto.value_or(0), 103);
    QVERIFY(frmClienti->spdEmail->isEnabled());
    QVERIFY(frmClienti->spdInserisci->isEnabled());
    QVERIFY(!frmClienti->ModalitaScelta);
    // An empty list picks nothing.
    conModale([&] { scelto = frmClienti->scegli("Annullato = 0 and Id = 999"); },
              [](QWidget *) { frmClienti->spdAvanti->click(); });
    QVERIFY(!scelto);
}

void TestClienti::aggiungiEAnnulla()
{
    archivioClienti();
    esegui("insert into Personalizzazioni (NomeTabella, NomeCampo, Tipo, Valore) values ('Clienti', 'Sconto', 'f', '5,5')");
    form_DB->TablePersonalizzazioni->requery();
    // The list is not shown: another form adds a customer on the fly.
    frmClienti->Edit1->setText("Rossi");
    frmClienti->FiltraClick();
    const int prima = valore("select count(*) from Clienti").toInt();
    conModale([] { frmClienti->spdInserisciClick(); },
              [&](QWidget *w) {
                  QCOMPARE(w, static_cast<QWidget *>(frmClientiDett));
                  attiva(w);
                  QCOMPARE(frmClienti->Edit1->text(), QString());
                  QCOMPARE(form_DB->Table7->filter(), QString());
                  QCOMPARE(valore("select count(*) from Clienti").toInt(), prima + 1);
                  QCOMPARE(valore("select IdPaese || Sede_Nazione || NumeroColore from Clienti where Id = (select max(Id) from Clienti)")
                               .toString(),
                           QString("ITIT16777215"));
                  QCOMPARE(valore("select Sconto from Clienti where Id = (select max(Id) from Clienti)").toDouble(), 5.5);
                  QVERIFY(frmClientiDett->spdAnnulla->isVisible());
                  QCOMPARE(frmClientiDett->PageControl1->currentIndex(), 0);
                  QCOMPARE(frmClientiDett->ColorBox1->currentText(), QString("Bianco"));
                  // The clerk starts on the first field, the category, not on the pages' tabs.
                  QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(frmClientiDett->DBLookupComboBox1));
                  QTest::keyClicks(frmClientiDett->DBEdit1, "Nuovo Cliente");
                  // Nationality and head-office country come filled: the town is the first thing missing.
                  dialoghi().expectMessage("Attenzione manca il comune della sede!");
                  frmClientiDett->spdIndietro->click();
                  QVERIFY(frmClientiDett->isVisible());
                  QCOMPARE(frmClientiDett->PageControl1->currentIndex(), 1);
                  QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(frmClientiDett->DBLookupComboBox5));
                  QCOMPARE(dialoghi().messages().last().caption, QString("Messaggio di errore"));
                  // "Annulla", No: still there; Yes: the new row is gone.
                  dialoghi().expectMessage("Sei sicuro di voler annullare l'inserimento ?", QMessageBox::No);
                  frmClientiDett->spdAnnulla->click();
                  QVERIFY(frmClientiDett->isVisible());
                  dialoghi().expectMessage("Sei sicuro di voler annullare l'inserimento ?", QMessageBox::Yes);
                  frmClientiDett->spdAnnulla->click();
              });
    QVERIFY(!frmClientiDett->isVisible());
    QVERIFY(!frmClientiDett->spdAnnulla->isVisible());
    QCOMPARE(valore("select count(*) from Clienti").toInt(), prima);
    QVERIFY(!frmClientiDett->NominativoModificato);
}

void TestClienti::salvaNomeEFormato()
{
    archivioClienti();
    esegui("insert into Comuni (ID, Comune, Provincia, Cap) values (900001, 'Borgo Prova', 'MI', '20099')");
    esegui("insert into fattura (ID, Cliente_ID, Cliente, Num, Storico, EsportatoXml, DatiTrasmissione_FormatoTrasmissione) values "
           "(10, 103, 'Dami Luca', 1, False, False, 'FPR12'), (11, 103, 'Dami Luca', 5, True, True, 'FPR12')");
    esegui("insert into Calendario (Cliente_ID, Cliente, Storico) values (103, 'Dami Luca', True)");
    esegui("insert into PreventiTestata (Cliente_ID, Cliente, Storico) values (103, 'Dami Luca', False)");
    esegui("insert into prezziar (Cliente_ID, Cliente, Descrizione) values (103, 'Dami Luca', 'Traino')");
    form_DB->Table8->requery();
    dettaglio(103, [] {
        auto *d = frmClientiDett;
        QCOMPARE(d->windowTitle(), QString("Clienti"));
        QCOMPARE(d->PageControl1->tabText(0), QString("  Generale "));
        QCOMPARE(d->PageControl1->tabText(1), QString("  Fatturazione Elettronica"));
        QVERIFY(!d->spdAnnulla->isVisible());
        // A private person: the surname and first name, the tax code after them.
        d->DBEdit3->clear();
        QTest::keyClicks(d->DBEdit3, "Luca Maria");
        QTest::keyClicks(d->DBEdit11, "DMALCU80A01F205X");
        QVERIFY(d->NominativoModificato);
        d->PageControl1->setCurrentIndex(1);
        scegli(d->DBLookupComboBox5, "Borgo Prova");
        QCOMPARE(d->DBEdit27->text(), QString("20099"));
        QTest::keyClicks(d->DBEdit25, "Via Roma 1");
        d->DBCheckBox4->click();
        QTest::keyClicks(d->DBEdit23, "UFE8Q2");
        d->spdIndietro->click();
        QVERIFY(!d->isVisible());
    });
    QCOMPARE(valore("select NominativoDocumenti from Clienti where Id = 103").toString(), QString("Dami Luca Maria"));
    QCOMPARE(valore("select NominativoVisualizzato from Clienti where Id = 103").toString(),
             QString("Dami Luca Maria - DMALCU80A01F205X"));
    QCOMPARE(valore("select Provincia || Comune_id from Clienti where Id = 103").toString(), QString("MI900001"));
    for (const char *t : {"fattura", "Calendario", "PreventiTestata", "prezziar"})
        QCOMPARE(valore(QString("select count(*) from %1 where Cliente_ID = 103 and Cliente = 'Dami Luca Maria'").arg(t)).toInt(),
                 valore(QString("select count(*) from %1 where Cliente_ID = 103").arg(t)).toInt());
    // The invoice sent keeps its format; the other follows the flag.
    QCOMPARE(valore("select DatiTrasmissione_FormatoTrasmissione from fattura where ID = 10").toString(), QString("FPA12"));
    QCOMPARE(valore("select DatiTrasmissione_FormatoTrasmissione from fattura where ID = 11").toString(), QString("FPR12"));
    QVERIFY(!frmClientiDett->NominativoModificato);

    // Only the telephone: no name and no document touched.
    esegui("update fattura set Cliente = 'scritto a mano' where ID = 10");
    dettaglio(103, [] {
        QTest::keyClicks(frmClientiDett->findChild<QLineEdit *>("DBEdit6"), "0299");
        frmClientiDett->spdIndietro->click();
    });
    QCOMPARE(valore("select Telefono from Clienti where Id = 103").toString(), QString("0299"));
    QCOMPARE(valore("select Cliente from fattura where ID = 10").toString(), QString("scritto a mano"));
}

void TestClienti::controlliAlCambioPagina()
{
    archivioClienti();
    dettaglio(101, [] {
        auto *d = frmClientiDett;
        // A colour chosen, then the page changed and back: the stored colour is shown again.
        QCOMPARE(d->ColorBox1->currentText(), QString("Bianco"));
        scegli(d->ColorBox1, "Giallo");
        d->DBEdit1->clear();
        QTest::keyClicks(d->DBEdit2, "Rossi");
        dialoghi().expectMessage("Attenzione manca il Nome");
        d->PageControl1->setCurrentIndex(1);
        QCOMPARE(d->PageControl1->currentIndex(), 0);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(d->DBEdit3));
        QTest::keyClicks(d->DBEdit3, "Mario");
        // The first page is complete; the head office lacks its postcode.
        d->PageControl1->setCurrentIndex(1);
        QCOMPARE(d->PageControl1->currentIndex(), 1);
        // Back on the first page the colour not saved is forgotten.
        d->PageControl1->setCurrentIndex(0);
        QCOMPARE(d->ColorBox1->currentText(), QString("Bianco"));
        dialoghi().expectMessage("Attenzione manca il cap della sede!");
        d->spdIndietro->click();
        QVERIFY(d->isVisible());
        // A modified record is never left unsaved: Escape behaves as "Indietro", without asking
        // to abandon a row that is not new.
        dialoghi().expectMessage("Attenzione manca il cap della sede!");
        QTest::keyClick(d, Qt::Key_Escape);
        QVERIFY(d->isVisible());
        QVERIFY(dialoghi().clean());
        // It is left by completing it.
        d->PageControl1->setCurrentIndex(1);
        esegui("insert into Comuni (ID, Comune, Provincia, Cap) values (900002, 'Borgo Secondo', 'MI', '20098')");
        form_DB->Table8->requery();
        scegli(d->DBLookupComboBox5, "Borgo Secondo");
        QTest::keyClicks(d->DBEdit25, "Via Po");
        scegli(d->ColorBox1, "Giallo");
        d->spdIndietro->click();
        QVERIFY(!d->isVisible());
    });
    QCOMPARE(valore("select NumeroColore from Clienti where Id = 101").toInt(), 65535);
    QCOMPARE(valore("select NominativoDocumenti from Clienti where Id = 101").toString(), QString("Rossi Mario"));
    // An untouched record closes without checks, whatever it lacks.
    dettaglio(104, [] {
        frmClientiDett->spdIndietro->click();
        QVERIFY(!frmClientiDett->isVisible());
    });
}

void TestClienti::partitaIvaECodiceFiscale()
{
    archivioClienti();
    esegui("update Clienti set Iva = '01234567897', CodFiscale = 'L''AQUILA1' where Id in (102, 103)");
    dettaglio(101, [] {
        auto *d = frmClientiDett;
        d->DBEdit9->setFocus();
        QTest::keyClicks(d->DBEdit9, "01234567890"); // wrong check digit: no duplicate query
        dialoghi().expectMessage("Attenzione la partita Iva appena inserita non è valida!!!");
        QTest::keyClick(d->DBEdit9, Qt::Key_Tab);
        d->DBEdit9->setFocus();
        d->DBEdit9->clear();
        QTest::keyClicks(d->DBEdit9, "01234567897");
        dialoghi().expectMessage("Attenzione la partita Iva 01234567897 è già presente in altri 2 Record.");
        QTest::keyClick(d->DBEdit9, Qt::Key_Tab);
        QCOMPARE(dialoghi().messages().last().caption, QString("Attenzione si è caricato un cliente già presente in archivio"));
        d->DBEdit11->setFocus();
        QTest::keyClicks(d->DBEdit11, "L'AQUILA1");
        dialoghi().expectMessage("Attenzione il Codice fiscale L'AQUILA1 è già presente in altri 2 Record.");
        QTest::keyClick(d->DBEdit11, Qt::Key_Tab);
        QVERIFY(dialoghi().clean());
        // The warnings never block; the record is left by "Annulla"-free "Indietro" once complete.
        esegui("insert into Comuni (ID, Comune, Provincia, Cap) values (900003, 'Borgo Terzo', 'MI', '20097')");
        form_DB->Table8->requery();
        d->PageControl1->setCurrentIndex(1);
        scegli(d->DBLookupComboBox5, "Borgo Terzo");
        QTest::keyClicks(d->DBEdit25, "Via Po");
        d->spdIndietro->click();
        QVERIFY(!d->isVisible());
    });
    QCOMPARE(valore("select count(*) from Clienti where Iva = '01234567897'").toInt(), 3);
    // The customer's own tax code, unchanged, is no duplicate.
    esegui("update Clienti set CodFiscale = 'ZTEANN80A01F205X' where Id = 104");
    form_DB->Table7->requery();
    dettaglio(104, [] {
        frmClientiDett->DBEdit11->setFocus();
        QTest::keyClick(frmClientiDett->DBEdit11, Qt::Key_Tab);
        QTest::keyClick(frmClientiDett->DBEdit11, Qt::Key_Tab);
        frmClientiDett->spdIndietro->click();
    });
    QCOMPARE(dialoghi().messages().size(), 3);
}

void TestClienti::email()
{
    archivioClienti();
    frmClienti->BitBtn3Click();
    conModale([] { frmClienti->exec(); },
              [](QWidget *) {
                  dialoghi().expectMessage("Attenzione devi selezionare i contatti da copiare le email");
                  frmClienti->spdEmail->click();
                  QCOMPARE(dialoghi().messages().last().caption, QString("Messaggio di errore"));
                  // Three selected, one without an address: two recipients.
                  db::Query *q = form_DB->Table7;
                  for (qint64 id : {101, 102, 104}) {
                      QVERIFY(q->locate("Id", id));
                      q->setRowSelected(q->currentIndex(), true);
                  }
                  QCOMPARE(frmClienti->clientiSelezionati().size(), 3);
                  // "Seleziona tutti" selects every row shown and ends on the last one.
                  frmClienti->SelezionaTutti1->trigger();
                  QCOMPARE(frmClienti->clientiSelezionati().size(), q->recordCount());
                  QCOMPARE(q->recNo(), q->recordCount());
                  q->clearSelection();
                  frmClienti->DBGrid1->clearSelection();
                  for (qint64 id : {101, 102, 104}) {
                      QVERIFY(q->locate("Id", id));
                      q->setRowSelected(q->currentIndex(), true);
                  }
                  QStringList destinatari;
                  conModale([] { frmClienti->spdEmail->click(); },
                            [&](QWidget *w) {
                                QCOMPARE(w, static_cast<QWidget *>(frmEmail));
                                for (int i = 0; i < frmEmail->txtDestinatario->count(); ++i)
                                    destinatari << frmEmail->txtDestinatario->item(i)->text();
                                frmEmail->reject();
                            });
                  destinatari.sort();
                  QCOMPARE(destinatari, QStringList({"rossi@example.it", "zeta@example.it"}));
                  QString copiati;
                  conModale([] { frmClienti->spdCopyEmail->click(); },
                            [&](QWidget *w) {
                                QCOMPARE(w, static_cast<QWidget *>(frmIndirizziEmail));
                                copiati = frmIndirizziEmail->RichEdit1->toPlainText();
                                frmIndirizziEmail->reject();
                            });
                  QVERIFY(copiati.contains("rossi@example.it, "));
                  QVERIFY(copiati.contains("zeta@example.it, "));
                  QCOMPARE(copiati.count("@"), 2);
                  frmClienti->spdIndietro->click();
              });
}

void TestClienti::vcardDaiPulsanti()
{
    // The list's buttons export the selected customers and import the file back.
    archivioClienti();
    QTemporaryDir cartella;
    const QString file = cartella.filePath("scelti.vcf");
    frmClienti->BitBtn3Click();
    conModale([] { frmClienti->exec(); },
              [&](QWidget *) {
                  db::Query *q = form_DB->Table7;
                  for (qint64 id : {102, 101}) {
                      QVERIFY(q->locate("Id", id));
                      q->setRowSelected(q->currentIndex(), true);
                  }
                  dialoghi().queueSaveFile(file);
                  frmClienti->btEsportaVCard->click();
                  QVERIFY(QFile::exists(file));
                  esegui("update Clienti set Cellulare = '000' where Id in (101, 102)");
                  // Option 2: the customers found by the cards' UID are updated without asking.
                  esegui("update opzioni set AzioneImportazioneVCard = 2");
                  dialoghi().queueOpenFile(file);
                  frmClienti->btImportaVCard->click();
                  frmClienti->spdIndietro->click();
              });
    db::Query q(&form_DB->Connessione);
    q.setSql("select Id, Cellulare from Clienti order by Id");
    q.open();
    QStringList righe;
    for (q.first(); !q.eof(); q.next()) righe << q.field(0).asString() + " " + q.field(1).asString();
    QCOMPARE(righe, QStringList({"101 333111", "102 347222", "103 333999", "104 "}));
}

void TestClienti::capDelComune()
{
    archivioClienti();
    esegui("insert into Comuni (ID, Comune, Provincia, Cap) values (900001, 'Sant''Agata Prova', 'ME', ''), "
           "(900002, 'Borgo Prova', 'MI', '')");
    esegui("insert into Indirizzi (Comune_ID, Cap, Frazione, Indirizzo) values (900001, '98076', 'Centro', 'Via Roma'), "
           "(900002, '20010', 'Nord', 'Via Po'), (900002, '20011', 'Sud', 'Via Adda')");
    form_DB->Table8->requery();
    dettaglio(103, [] {
        auto *d = frmClientiDett;
        d->PageControl1->setCurrentIndex(1);
        // Delete empties the town with its postcode and province; without a town: the message.
        d->DBLookupComboBox5->setFocus();
        QTest::keyClick(d->DBLookupComboBox5, Qt::Key_Delete);
        QCOMPARE(d->DBLookupComboBox5->currentText(), QString());
        QVERIFY(form_DB->Table7->fieldByName("Provincia").isNull());
        dialoghi().expectMessage("Prima devi selezionare la Città !");
        d->SpeedButton23->click();
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(d->DBLookupComboBox5));
        // One postcode fills at once.
        scegli(d->DBLookupComboBox5, "Sant'Agata Prova");
        d->SpeedButton23->click();
        QCOMPARE(d->DBEdit27->text(), QString("98076"));
        // Several: the finder, then the chosen row's postcode.
        scegli(d->DBLookupComboBox5, "Borgo Prova");
        conModale([d] { d->SpeedButton23->click(); },
                  [](QWidget *w) {
                      QCOMPARE(w, static_cast<QWidget *>(frmTrovaCap));
                      QCOMPARE(form_DB->TableIndirizzi->recordCount(), 2);
                      QVERIFY(form_DB->TableIndirizzi->locate("Frazione", "Sud"));
                      frmTrovaCap->spdAvantiClick();
                  });
        QCOMPARE(d->DBEdit27->text(), QString("20011"));
        // "Indietro" of the finder changes nothing.
        conModale([d] { d->SpeedButton23->click(); }, [](QWidget *) { frmTrovaCap->spdIndietro->click(); });
        QCOMPARE(d->DBEdit27->text(), QString("20011"));
        QTest::keyClicks(d->DBEdit25, "Via Po");
        d->spdIndietro->click();
    });
    QCOMPARE(valore("select Cap from Clienti where Id = 103").toString(), QString("20011"));
}

void TestClienti::stampaPrivacy()
{
    archivioClienti();
    dettaglio(101, [] {
        auto *d = frmClientiDett;
        QCOMPARE(d->spdStampa->toolTip(), QString("Stampa il documento"));
        d->DBEdit1->clear();
        QTest::keyClicks(d->DBEdit1, "Rossi e Figli");
        // Printed without the checks, after saving what was typed.
        d->spdStampa->click();
        QVERIFY(!d->DatiModificati);
        // The finder of public administrations and the payment of instalments are in the program.
        QVERIFY(d->spdTrovaPa->isEnabled());
        QVERIFY(d->btnAssegnoFornitori->isEnabled());
        // A customer without invoices has no instalment to pay: the form does not open.
        dialoghi().expectMessage("Non sono presenti scadenze non pagate");
        d->btnAssegnoFornitori->click();
        d->spdIndietro->click();
    });
    QCOMPARE(valore("select NominativoDocumenti from Clienti where Id = 101").toString(), QString("Rossi e Figli"));
    QVERIFY(valore("select NomeReport from TempStampa").toString().endsWith("PrivacyClienti.rpt"));
    QVERIFY(valore("select Query from TempStampa").toString().endsWith("WHERE Id = 101"));
    QVERIFY(!launcher().started.isEmpty());
}

void TestClienti::coloreDopoLaStampa()
{
    // A colour chosen, the customer printed, then left: the colour is kept.
    archivioClienti();
    dettaglio(101, [] {
        auto *d = frmClientiDett;
        scegli(d->ColorBox1, "Giallo");
        d->spdStampa->click();
        d->spdIndietro->click();
        QVERIFY(!d->isVisible());
    });
    QCOMPARE(valore("select NumeroColore from Clienti where Id = 101").toInt(), 65535);
}

void TestClienti::categorie()
{
    archivioClienti();
    frmArchivioTipologie->show();
    QVERIFY(frmArchivioTipologie->btnCategorieClienti->isEnabled());
    form_DB->TableCategoriaClienti->setFilter("Descrizione like 'X*'");
    conModale([] { frmArchivioTipologie->btnCategorieClienti->click(); },
              [](QWidget *w) {
                  QCOMPARE(w, static_cast<QWidget *>(frmCategorieClienti_Griglia));
                  QCOMPARE(frmCategorieClienti_Griglia->windowTitle(), QString("Categorie Clienti"));
                  db::Query *q = form_DB->TableCategoriaClienti;
                  QCOMPARE(q->recordCount(), 2);
                  QTest::keyClicks(frmCategorieClienti_Griglia->Edit1, "*");
                  QCOMPARE(q->recordCount(), 2);
                  // "Aggiungi", then "Indietro" with no description: the message, the form stays.
                  conModale([] { frmCategorieClienti_Griglia->spdInserisci->click(); },
                            [q](QWidget *w2) {
                                QCOMPARE(w2, static_cast<QWidget *>(frmCategorieClienti));
                                QCOMPARE(frmCategorieClienti->ColorBox1->currentText(), QString("Bianco"));
                                dialoghi().expectMessage("Attenzione manca la Descrizione");
                                frmCategorieClienti->spdIndietro->click();
                                QVERIFY(frmCategorieClienti->isVisible());
                                QCOMPARE(dialoghi().messages().last().caption, QString("Messaggio di Errore"));
                                dialoghi().expectMessage("Sei sicuro di voler annullare l'inserimento ?", QMessageBox::Yes);
                                frmCategorieClienti->spdAnnulla->click();
                                Q_UNUSED(q);
                            });
                  QCOMPARE(valore("select count(*) from ClientiCategoria").toInt(), 2);
                  // A new category saved with its colour.
                  conModale([] { frmCategorieClienti_Griglia->spdInserisci->click(); },
                            [](QWidget *) {
                                QTest::keyClicks(frmCategorieClienti->DBEdit2, "Privati");
                                scegli(frmCategorieClienti->ColorBox1, "Fucsia");
                                frmCategorieClienti->spdIndietro->click();
                            });
                  QCOMPARE(valore("select ColoreCategoria from ClientiCategoria where Descrizione = 'Privati'").toInt(), 16711935);
                  // Changing a category's colour leaves its customers' copies alone.
                  QVERIFY(q->locate("Descrizione", "Officine"));
                  conModale([] { frmCategorieClienti_Griglia->spdAvanti->click(); },
                            [](QWidget *) {
                                QCOMPARE(frmCategorieClienti->ColorBox1->currentText(), QString("Rosso"));
                                scegli(frmCategorieClienti->ColorBox1, "Blu");
                                frmCategorieClienti->spdIndietro->click();
                            });
                  QCOMPARE(valore("select ColoreCategoria from ClientiCategoria where ID = 1").toInt(), 16711680);
                  QCOMPARE(valore("select ColoreCategoria from Clienti where Id = 101").toInt(), 255);
                  // Deleting it empties its customers' copied colour; they keep the category's id.
                  QVERIFY(q->locate("Descrizione", "Officine"));
                  dialoghi().expectMessage("Sei sicuro di voler eliminare la Categoria?", QMessageBox::Yes);
                  frmCategorieClienti_Griglia->spdElimina->click();
                  frmCategorieClienti_Griglia->spdIndietro->click();
              });
    QCOMPARE(form_DB->TableCategoriaClienti->filter(), QString());
    QCOMPARE(valore("select count(*) from ClientiCategoria where ID = 1").toInt(), 0);
    QCOMPARE(valore("select count(*) from Clienti where Categoria_ID = 1 and ColoreCategoria is null").toInt(), 2);

    // The customer detail's category buttons: edit shows the category's own colour.
    dettaglio(102, [] {
        auto *d = frmClientiDett;
        conModale([d] { d->SpeedButton5->click(); },
                  [](QWidget *w) {
                      QCOMPARE(w, static_cast<QWidget *>(frmCategorieClienti));
                      QCOMPARE(frmCategorieClienti->DBEdit2->text(), QString("Enti"));
                      QCOMPARE(frmCategorieClienti->ColorBox1->currentText(), QString("Giallo"));
                      frmCategorieClienti->spdIndietro->click();
                  });
        // Picking a category copies its colour into the customer.
        scegli(d->DBLookupComboBox1, "Privati");
        QVERIFY(d->DatiModificati);
        d->PageControl1->setCurrentIndex(1);
        esegui("insert into Comuni (ID, Comune, Provincia, Cap) values (900004, 'Borgo Quarto', 'MI', '20096')");
        form_DB->Table8->requery();
        scegli(d->DBLookupComboBox5, "Borgo Quarto");
        QTest::keyClicks(d->DBEdit25, "Via Po");
        d->spdIndietro->click();
    });
    QCOMPARE(valore("select ColoreCategoria from Clienti where Id = 102").toInt(), 16711935);
    frmArchivioTipologie->close();
}

void TestClienti::pulsantiAccanto()
{
    archivioClienti();
    dettaglio(103, [] {
        auto *d = frmClientiDett;
        // The payment methods' forms are in the program: their buttons are on.
        QVERIFY(d->SpeedButton8->isEnabled());
        QVERIFY(d->SpeedButton9->isEnabled());
        // No category: its edit button does nothing.
        d->SpeedButton5->click();
        QVERIFY(QApplication::activeModalWidget() == d);
        // "+" adds a category through its list; the customer's field is not written.
        conModale([d] { d->SpeedButton3->click(); },
                  [](QWidget *w) {
                      QCOMPARE(w, static_cast<QWidget *>(frmCategorieClienti));
                      QVERIFY(frmCategorieClienti->spdAnnulla->isVisible());
                      QTest::keyClicks(frmCategorieClienti->DBEdit2, "Carrozzerie");
                      frmCategorieClienti->spdIndietro->click();
                  });
        QCOMPARE(valore("select count(*) from ClientiCategoria where Descrizione = 'Carrozzerie'").toInt(), 1);
        QVERIFY(form_DB->Table7->fieldByName("Categoria_ID").asLargeInt() == 0);
        // The town edit opens the town's detail even without a town.
        esegui("update Clienti set Comune_id = 0 where Id = 103");
        conModale([d] { d->SpeedButton4->click(); },
                  [](QWidget *w) {
                      QCOMPARE(w, static_cast<QWidget *>(frmComuniDett));
                      frmComuniDett->spdIndietro->click();
                  });
        d->spdIndietro->click();
    });
}

void TestClienti::trovaPA()
{
    archivioClienti();
    forms::Registro &r = forms::Registro::istanza();
    r.crea({"frmTrovaPA"}, Form1);
    QWidget *trova = r.voce("frmTrovaPA")->corrente();
    QVERIFY(trova);
    // A search left from an earlier use, which the detail's reset must empty.
    frmTrovaPA->Edit1->setText("Roma");
    form_DB->TablePA_fatturazioneElettronica->open();
    dettaglio(101, [trova] {
        auto *d = frmClientiDett;
        QVERIFY(d->spdTrovaPa->isEnabled());
        QCOMPARE(d->spdTrovaPa->toolTip(), QString("Trova il cliente tra l'archivio della pubblica amministrazione"));
        dialoghi().expectMessage("potrebbe sovrascrivere i dati di questo cliente", QMessageBox::No);
        d->spdTrovaPa->click();
        QVERIFY(QApplication::activeModalWidget() == d);
        dialoghi().expectMessage("potrebbe sovrascrivere i dati di questo cliente", QMessageBox::Yes);
        conModale([d] { d->spdTrovaPa->click(); },
                  [trova](QWidget *w) {
                      QCOMPARE(w, trova);
                      QVERIFY(frmTrovaPA->Edit1->text().isEmpty());
                      static_cast<QDialog *>(w)->reject();
                  });
        d->spdIndietro->click();
    });
    QVERIFY(!form_DB->TablePA_fatturazioneElettronica->isActive());
}

void TestClienti::salvataggioFallitoTieneIlTesto()
{
    archivioClienti();
    esegui("insert into fattura (ID, Cliente_ID, Cliente, Num, EsportatoXml, DatiTrasmissione_FormatoTrasmissione) values "
           "(10, 101, 'Rossi Srl', 1, False, 'FPR12')");
    // The tariffs cannot be written: the name cannot reach them.
    esegui("alter table prezziar rename to prezziar_altrove");
    dettaglio(101, [] {
        auto *d = frmClientiDett;
        d->DBEdit1->clear();
        QTest::keyClicks(d->DBEdit1, "Rossi Spa");
        d->PageControl1->setCurrentIndex(1);
        d->DBCheckBox4->click();
        QTest::keyClicks(d->DBEdit23, "UFE8Q2");
        esegui("insert into Comuni (ID, Comune, Provincia, Cap) values (900005, 'Borgo Quinto', 'MI', '20095')");
        form_DB->Table8->requery();
        scegli(d->DBLookupComboBox5, "Borgo Quinto");
        QTest::keyClicks(d->DBEdit25, "Via Po");
        dialoghi().expectMessage("prezziar");
        d->spdIndietro->click();
        // Shown, nothing stored, the form open with what was typed.
        QVERIFY(d->isVisible());
        QVERIFY(d->DatiModificati);
        QCOMPARE(d->DBEdit1->text(), QString("Rossi Spa"));
        QVERIFY(d->DBCheckBox4->isChecked());
        QCOMPARE(valore("select NominativoDocumenti from Clienti where Id = 101").toString(), QString("Rossi Srl"));
        QCOMPARE(valore("select Cliente || DatiTrasmissione_FormatoTrasmissione from fattura where ID = 10").toString(),
                 QString("Rossi SrlFPR12"));
        // Once the tariffs are back, the same "Indietro" stores it all.
        esegui("alter table prezziar_altrove rename to prezziar");
        d->spdIndietro->click();
        QVERIFY(!d->isVisible());
    });
    QCOMPARE(valore("select NominativoDocumenti from Clienti where Id = 101").toString(), QString("Rossi Spa"));
    QCOMPARE(valore("select Cliente || DatiTrasmissione_FormatoTrasmissione from fattura where ID = 10").toString(),
             QString("Rossi SpaFPA12"));
}

void TestClienti::comuniOmonimi()
{
    // Two towns named Castro (BG and LE): each pick stores its own id and province.
    archivioClienti();
    for (const QString provincia : {QStringLiteral("LE"), QStringLiteral("BG")}) {
        const qint64 id = valore("select ID from Comuni where Comune = 'Castro' and Provincia = '" + provincia + "'").toLongLong();
        QVERIFY(id > 0);
        dettaglio(103, [&] {
            auto *d = frmClientiDett;
            d->PageControl1->setCurrentIndex(1);
            QVERIFY(scegliComune(d->DBLookupComboBox5, "Castro", provincia));
            QCOMPARE(d->DBLookupComboBox5->currentText(), QString("Castro"));
            // The reference towns come without postcodes; the customer needs one.
            d->DBEdit27->clear();
            QTest::keyClicks(d->DBEdit27, "73030");
            d->DBEdit25->clear();
            QTest::keyClicks(d->DBEdit25, "Via Roma 1");
            d->spdIndietro->click();
            QVERIFY(!d->isVisible());
        });
        QCOMPARE(valore("select Provincia from Clienti where Id = 103").toString(), provincia);
        QCOMPARE(valore("select Comune_id from Clienti where Id = 103").toLongLong(), id);
    }
}
