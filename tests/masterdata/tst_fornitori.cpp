#include "tst_fornitori.h"

#include "Ambiente.h"
#include "app/Frm1.h"
#include "data/DB.h"
#include "db/Query.h"
#include "mail/Email.h"
#include "masterdata/Fornitori.h"
#include "masterdata/FornitoriDett.h"
#include "sales/PagaFatture.h"
#include "widgets/DBCheckBox.h"
#include "widgets/DBEdit.h"
#include "widgets/DBGrid.h"
#include "widgets/DBLookupComboBox.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
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

// Suppliers of several towns and categories, one withdrawn, and documents of the first.
void archivioFornitori()
{
    esegui("insert into FornitorCategoria (ID, Descrizione) values (4, 'Ricambi'), (5, 'Gomme')");
    esegui("insert into Fornitor (Id, Fornitore, Comune, Cellulare, Provincia, Note, Categoria_ID, Email, Annullato, IdPaese, "
           "Iva) values "
           "(201, 'Rossi Ricambi', 'Roma', '333111', 'RM', 'marmitte', 4, 'rossi@example.it', False, 'IT', '01234567897'), "
           "(202, 'O''Brien Gomme', 'Rovigo', '347222', 'RO', 'gomme', 5, '', False, 'IT', '01234567897'), "
           "(203, 'Rosa Trasporti', 'Milano', '333999', 'MI', 'martedì', 4, 'rosa@example.it', False, 'IT', null), "
           "(204, 'Zeta Annullato', 'Como', '', 'CO', '', 4, 'zeta@example.it', True, 'IT', '01234567897')");
    form_DB->Table9->requery();
    form_DB->TableCategorieFornitori->requery();
}

QStringList nomiMostrati()
{
    QStringList r;
    db::Query *q = form_DB->Table9;
    const int col = q->fieldIndex("Fornitore");
    for (int i = 0; i < q->recordCount(); ++i) r << q->valueAt(i, col).toString();
    return r;
}

void attiva(QWidget *w)
{
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w));
}

// Opens the detail on supplier `id` and runs `azione` in it.
void dettaglio(qint64 id, const std::function<void()> &azione)
{
    form_DB->Table9->setFilter(QString());
    QVERIFY(form_DB->Table9->locate("Id", id));
    conModale([] { Fornitori->spdAvantiClick(); },
              [&](QWidget *w) {
                  QCOMPARE(w, static_cast<QWidget *>(frmFornitDett));
                  attiva(w);
                  azione();
              });
}

QStringList nomiDocumenti(qint64 fornitore)
{
    QStringList r;
    db::Query q(&form_DB->Connessione);
    q.setSql("select Fornitore from fattura where Fornitore_ID = :f order by ID");
    q.bind(":f", fornitore);
    q.open();
    for (q.first(); !q.eof(); q.next()) r << q.field(0).asString();
    return r;
}

} // namespace

void TestFornitori::init() { avvia(); }
void TestFornitori::cleanup() { chiudi(); }

void TestFornitori::menuElenco()
{
    archivioFornitori();
    QToolButton *pulsante = Form1->menuButton(TForm1::tabArchivio, "Fornitori");
    QVERIFY(pulsante && pulsante->isEnabled());
    form_DB->Table9->setFilter("Fornitore like 'Rossi*'");
    conModale([pulsante] { pulsante->click(); },
              [](QWidget *w) {
                  QCOMPARE(w, static_cast<QWidget *>(Fornitori));
                  QVERIFY(Fornitori->isMaximized());
                  QCOMPARE(Fornitori->windowTitle(), QString("Fornitori"));
                  QCOMPARE(QString(Fornitori->metaObject()->className()), QString("TFornitori"));
                  QCOMPARE(didascalie(Fornitori->ToolBar2, true),
                           QStringList({"Aiuto", "Ricarica", "Importa Vcard", "Esporta Vcard", "Copia Email", "Invia Email",
                                        "Indietro", "Elimina", "Aggiungi", "Avanti"}));
                  // The reset shows every supplier, withdrawn ones included.
                  QCOMPARE(form_DB->Table9->recordCount(), 4);
                  QCOMPARE(Fornitori->DBGrid1->model()->headerData(0, Qt::Horizontal).toString(), QString("Fornitore"));
                  QVERIFY(form_DB->Table9->locate("Id", 203));
                  dialoghi().expectMessage("Sei sicuro di voler eliminare il Fornitore?", QMessageBox::No);
                  Fornitori->spdElimina->click();
                  QCOMPARE(valore("select count(*) from Fornitor where Id = 203").toInt(), 1);
                  dialoghi().expectMessage("Sei sicuro di voler eliminare il Fornitore?", QMessageBox::Yes);
                  Fornitori->spdElimina->click();
                  QCOMPARE(valore("select count(*) from Fornitor where Id = 203").toInt(), 0);
                  Fornitori->spdIndietro->click();
              });
    // Other forms see only the suppliers not withdrawn.
    QCOMPARE(form_DB->Table9->filter(), QString("Annullato = 0"));
}

void TestFornitori::ricerca()
{
    archivioFornitori();
    Fornitori->BitBtn3Click();
    conModale([] { Fornitori->exec(); },
              [](QWidget *w) {
                  attiva(w);
                  db::Query *q = form_DB->Table9;
                  QTest::keyClicks(Fornitori->Edit2, "Ro");
                  Fornitori->Edit1->setFocus();
                  QTest::keyClicks(Fornitori->Edit1, "ros");
                  QCOMPARE(q->recordCount(), 4); // nothing filters before "cerca" or Enter
                  QTest::keyClick(Fornitori->Edit1, Qt::Key_Return);
                  QCOMPARE(q->filter(), QString("Fornitore like 'ros*' and Comune like 'Ro*'"));
                  QCOMPARE(nomiMostrati(), QStringList({"Rossi Ricambi"}));
                  QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(Fornitori->Edit2));
                  // With a category too: the example of the filter.
                  Fornitori->cboCategorie->setCurrentIndex(Fornitori->cboCategorie->findText("Ricambi"));
                  QCOMPARE(q->filter(), QString("Fornitore like 'ros*' and Comune like 'Ro*' and Categoria_ID = 4"));
                  Fornitori->BitBtn3->click();
                  QCOMPARE(q->filter(), QString());
                  QCOMPARE(Fornitori->cboCategorie->currentText(), QString());
                  // The apostrophe doubled inside the condition.
                  Fornitori->Edit1->setText("o'b");
                  Fornitori->Filtra->click();
                  QCOMPARE(q->filter(), QString("Fornitore like 'o''b*'"));
                  QCOMPARE(nomiMostrati(), QStringList({"O'Brien Gomme"}));
                  // "*" adds nothing; notes are searched by their start.
                  Fornitori->Edit1->setText("*");
                  Fornitori->Edit5->setText("mar");
                  Fornitori->Filtra->click();
                  QCOMPARE(q->filter(), QString("Note like 'mar*'"));
                  QCOMPARE(nomiMostrati(), QStringList({"Rosa Trasporti", "Rossi Ricambi"}));
                  // Backspace in the category box empties it and filters without it.
                  Fornitori->cboCategorie->setEditText("Gomme");
                  QCOMPARE(q->filter(), QString("Note like 'mar*' and Categoria_ID = 5"));
                  QVERIFY(nomiMostrati().isEmpty());
                  Fornitori->cboCategorie->setFocus();
                  QTest::keyClick(Fornitori->cboCategorie, Qt::Key_Backspace);
                  QCOMPARE(Fornitori->cboCategorie->currentText(), QString());
                  QCOMPARE(q->filter(), QString("Note like 'mar*'"));
                  // A category typed that no description matches adds nothing.
                  Fornitori->cboCategorie->setEditText("Gom");
                  QCOMPARE(q->filter(), QString("Note like 'mar*'"));
                  Fornitori->spdIndietro->click();
              });
}

void TestFornitori::sceltaDaAltroForm()
{
    archivioFornitori();
    std::optional<qint64> scelto;
    conModale([&] { scelto = Fornitori->scegli("Annullato = 0"); },
              [](QWidget *) {
                  QCOMPARE(form_DB->Table9->recordCount(), 3);
                  for (QToolButton *b : {Fornitori->btImportaVCard, Fornitori->btEsportaVCard, Fornitori->spdCopyEmail,
                                         Fornitori->spdEmail, Fornitori->spdElimina, Fornitori->spdInserisci})
                      QVERIFY2(!b->isEnabled(), qPrintable(b->text()));
                  QVERIFY(form_DB->Table9->locate("Id", 202));
                  Fornitori->spdAvanti->click();
              });
    QCOMPARE(scelto.value_or(0), 202);
    QVERIFY(Fornitori->spdEmail->isEnabled());
    QVERIFY(Fornitori->btImportaVCard->isEnabled());
    QCOMPARE(form_DB->Table9->filter(), QString());
    conModale([&] { scelto = Fornitori->scegli("Annullato = 0 and Id = 999"); },
              [](QWidget *) { Fornitori->spdAvanti->click(); });
    QVERIFY(!scelto);
}

void TestFornitori::aggiungiEAnnulla()
{
    archivioFornitori();
    Fornitori->Edit1->setText("Rossi");
    Fornitori->FiltraClick();
    const int prima = valore("select count(*) from Fornitor").toInt();
    conModale([] { Fornitori->spdInserisciClick(); },
              [&](QWidget *w) {
                  QCOMPARE(w, static_cast<QWidget *>(frmFornitDett));
                  attiva(w);
                  QCOMPARE(Fornitori->Edit1->text(), QString());
                  QCOMPARE(form_DB->Table9->filter(), QString());
                  QCOMPARE(valore("select count(*) from Fornitor").toInt(), prima + 1);
                  QCOMPARE(valore("select IdPaese from Fornitor where Id = (select max(Id) from Fornitor)").toString(), QString("IT"));
                  QVERIFY(frmFornitDett->spdAnnulla->isVisible());
                  QVERIFY(frmFornitDett->DatiModificati);
                  // No name: "Indietro" stays.
                  dialoghi().expectMessage("Attenzione manca la denominazione del fornitore");
                  frmFornitDett->spdIndietro->click();
                  QVERIFY(frmFornitDett->isVisible());
                  QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(frmFornitDett->DBEdit1));
                  QTest::keyClicks(frmFornitDett->DBEdit1, "Mai Salvato");
                  QVERIFY(frmFornitDett->NomeFornitoreModificato);
                  dialoghi().expectMessage("Sei sicuro di voler annullare l'inserimento ?", QMessageBox::No);
                  frmFornitDett->spdAnnulla->click();
                  QVERIFY(frmFornitDett->isVisible());
                  dialoghi().expectMessage("Sei sicuro di voler annullare l'inserimento ?", QMessageBox::Yes);
                  frmFornitDett->spdAnnulla->click();
              });
    QVERIFY(!frmFornitDett->isVisible());
    QVERIFY(!frmFornitDett->spdAnnulla->isVisible());
    QCOMPARE(valore("select count(*) from Fornitor").toInt(), prima);
    QVERIFY(!frmFornitDett->NomeFornitoreModificato);
}

void TestFornitori::nomeRichiesto_data()
{
    QTest::addColumn<QString>("nome");
    QTest::addColumn<bool>("salvato");
    QTest::newRow("vuoto") << "" << false;
    QTest::newRow("un blank") << " " << true;
    QTest::newRow("con apostrofo") << "D'Angelo Srl" << true;
}

void TestFornitori::nomeRichiesto()
{
    QFETCH(QString, nome);
    QFETCH(bool, salvato);
    archivioFornitori();
    dettaglio(203, [&] {
        auto *d = frmFornitDett;
        d->DBEdit1->setFocus();
        d->DBEdit1->selectAll();
        QTest::keyClick(d->DBEdit1, Qt::Key_Delete);
        QTest::keyClicks(d->DBEdit1, nome);
        if (!salvato) dialoghi().expectMessage("Attenzione manca la denominazione del fornitore");
        d->spdIndietro->click();
        QCOMPARE(d->isVisible(), !salvato);
        QCOMPARE(d->SalvataggioFallito, !salvato);
        if (d->isVisible()) {
            QCOMPARE(dialoghi().messages().last().caption, QString("Messaggio di errore"));
            QTest::keyClicks(d->DBEdit1, "Rosa");
            d->spdIndietro->click();
        }
    });
    QCOMPARE(valore("select Fornitore from Fornitor where Id = 203").toString(), salvato ? nome : QString("Rosa"));
}

void TestFornitori::salvaNome()
{
    archivioFornitori();
    esegui("insert into fattura (ID, Fornitore_ID, Fornitore, Num, Storico, Carico, FattNota) values "
           "(10, 201, 'Rossi Ricambi', 1, False, True, False), (11, 201, 'Rossi Ricambi', 5, True, True, False), "
           "(12, 201, 'Rossi Ricambi', 6, False, True, True), (13, 202, 'O''Brien Gomme', 2, False, True, False)");
    // Only the telephone: the documents keep their name.
    esegui("update fattura set Fornitore = 'a mano' where ID = 10");
    dettaglio(201, [] {
        auto *d = frmFornitDett;
        QCOMPARE(d->windowTitle(), QString("Fornitori"));
        auto *telefono = d->findChild<ui::DBEdit *>("DBEdit13");
        telefono->setFocus();
        QTest::keyClicks(telefono, "011");
        d->spdIndietro->click();
        QVERIFY(!d->isVisible());
    });
    QCOMPARE(valore("select Telefono from Fornitor where Id = 201").toString(), QString("011"));
    QCOMPARE(nomiDocumenti(201).first(), QString("a mano"));
    // The name: every document of the supplier, history and credit notes included.
    dettaglio(201, [] {
        auto *d = frmFornitDett;
        d->DBEdit1->setFocus();
        d->DBEdit1->end(false);
        QTest::keyClicks(d->DBEdit1, " d'Italia");
        d->spdIndietro->click();
        QVERIFY(!d->isVisible());
    });
    const QString nuovo = "Rossi Ricambi d'Italia";
    QCOMPARE(nomiDocumenti(201), QStringList({nuovo, nuovo, nuovo}));
    QCOMPARE(nomiDocumenti(202), QStringList({"O'Brien Gomme"}));
    QVERIFY(!frmFornitDett->NomeFornitoreModificato);
}

void TestFornitori::partitaIvaECodiceFiscale_data()
{
    QTest::addColumn<QString>("campo");
    QTest::addColumn<QString>("valore");
    QTest::addColumn<QString>("messaggio");
    QTest::newRow("iva non valida") << "DBEdit9" << "01234567890"
                                    << "Attenzione la partita Iva appena inserita non è valida!!!";
    QTest::newRow("iva di altri due")
        << "DBEdit9" << "01234567897" << "Attenzione la partita Iva 01234567897 è già presente in altri 2 Record.";
    QTest::newRow("iva di nessuno") << "DBEdit9" << "12345678903" << "";
    QTest::newRow("codice fiscale con apostrofo")
        << "DBEdit10" << "L'AQUILA1" << "Attenzione il Codice fiscale L'AQUILA1 è già presente in altri 1 Record.";
    QTest::newRow("codice fiscale di nessuno") << "DBEdit10" << "NESSUNO" << "";
}

void TestFornitori::partitaIvaECodiceFiscale()
{
    QFETCH(QString, campo);
    QFETCH(QString, valore);
    QFETCH(QString, messaggio);
    const QString scritto = valore;
    archivioFornitori();
    esegui("update Fornitor set CodFiscale = 'L''AQUILA1' where Id = 202");
    form_DB->Table9->requery();
    dettaglio(201, [&] {
        auto *d = frmFornitDett;
        auto *edit = d->findChild<ui::DBEdit *>(campo);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, valore);
        if (!messaggio.isEmpty()) dialoghi().expectMessage(messaggio);
        const int prima = dialoghi().messages().size();
        QTest::keyClick(edit, Qt::Key_Tab);
        QCOMPARE(dialoghi().messages().size(), prima + (messaggio.isEmpty() ? 0 : 1));
        if (!messaggio.isEmpty() && !messaggio.contains("non è valida"))
            QCOMPARE(dialoghi().messages().last().caption,
                     QString("Attenzione si è caricato un fornitore già presente in archivio"));
        // A warning only: the value is saved.
        d->spdIndietro->click();
        QVERIFY(!d->isVisible());
    });
    const QString colonna = campo == "DBEdit9" ? "Iva" : "CodFiscale";
    QCOMPARE(ambiente::valore("select " + colonna + " from Fornitor where Id = 201").toString(), scritto);
}

void TestFornitori::comuneECap()
{
    archivioFornitori();
    esegui("insert into Comuni (ID, Comune, Provincia, Cap) values (900011, 'Borgo D''Oro', 'RM', '00060')");
    esegui("insert into Indirizzi (Comune_ID, Cap, Frazione) values (900011, '00060', '')");
    form_DB->Table8->requery();
    dettaglio(201, [] {
        auto *d = frmFornitDett;
        const int i = d->DBLookupComboBox3->findText("Borgo D'Oro");
        QVERIFY(i >= 0);
        d->DBLookupComboBox3->setCurrentIndex(i);
        Q_EMIT d->DBLookupComboBox3->activated(i);
        QCOMPARE(form_DB->Table9->fieldByName("Comune_id").asLargeInt(), 900011);
        QCOMPARE(form_DB->Table9->fieldByName("Provincia").asString(), QString("RM"));
        form_DB->Table9->fieldByName("Cap").setAsString("x");
        // One postcode: filled without the finder, apostrophe in the town's name and all.
        d->SpeedButton23->click();
        QCOMPARE(form_DB->Table9->fieldByName("Cap").asString(), QString("00060"));
        // Backspace empties town, postcode, province and town id together.
        d->DBLookupComboBox3->setFocus();
        QTest::keyClick(d->DBLookupComboBox3, Qt::Key_Backspace);
        for (const char *c : {"Comune", "Cap", "Provincia", "Comune_id"})
            QVERIFY2(form_DB->Table9->fieldByName(c).isNull(), c);
        dialoghi().expectMessage("Prima devi selezionare la Città !");
        d->SpeedButton23->click();
        QVERIFY(d->DatiModificati);
        d->spdIndietro->click();
        QVERIFY(!d->isVisible());
    });
    QVERIFY(valore("select Comune from Fornitor where Id = 201").isNull());
}

void TestFornitori::email()
{
    archivioFornitori();
    Fornitori->BitBtn3Click();
    conModale([] { Fornitori->exec(); },
              [](QWidget *) {
                  dialoghi().expectMessage("Attenzione devi selezionare i contatti da copiare le email");
                  Fornitori->spdCopyEmail->click();
                  QCOMPARE(dialoghi().messages().last().caption, QString("Messaggio di errore"));
                  db::Query *q = form_DB->Table9;
                  for (qint64 id : {201, 202, 204}) {
                      QVERIFY(q->locate("Id", id));
                      q->setRowSelected(q->currentIndex(), true);
                  }
                  QStringList destinatari;
                  conModale([] { Fornitori->spdEmail->click(); },
                            [&](QWidget *w) {
                                QCOMPARE(w, static_cast<QWidget *>(frmEmail));
                                for (int i = 0; i < frmEmail->txtDestinatario->count(); ++i)
                                    destinatari << frmEmail->txtDestinatario->item(i)->text();
                                frmEmail->reject();
                            });
                  destinatari.sort();
                  QCOMPARE(destinatari, QStringList({"rossi@example.it", "zeta@example.it"}));
                  QString copiati;
                  conModale([] { Fornitori->spdCopyEmail->click(); },
                            [&](QWidget *w) {
                                QCOMPARE(w, static_cast<QWidget *>(frmIndirizziEmail));
                                copiati = frmIndirizziEmail->RichEdit1->toPlainText();
                                frmIndirizziEmail->reject();
                            });
                  QCOMPARE(copiati.count("@"), 2);
                  QVERIFY(copiati.contains("rossi@example.it, "));
                  Fornitori->spdIndietro->click();
              });
}

// "Paga fatture" opens the payment of the supplier's purchase-invoice instalments; credit notes
// and sales documents are not offered, and a supplier without any gets the notice.
void TestFornitori::pagaFatture()
{
    archivioFornitori();
    esegui("insert into fattura (ID, Fornitore_ID, Num, Carico, FattNota) values (10, 201, 1, True, False), "
           "(12, 201, 2, True, True)");
    esegui("insert into FatturaScadenze (Id, Fattura_ID, Fornitore_id, Tipo, Importo, Pagato) values "
           "(31, 10, 201, 'C', 90.25, False), (32, 12, 201, 'B', 15, False)");
    dettaglio(201, [] {
        auto *d = frmFornitDett;
        QVERIFY(d->btnAssegnoFornitori->isEnabled());
        conModale([d] { d->btnAssegnoFornitori->click(); },
                  [](QWidget *w) {
                      QCOMPARE(w, frmPagaFatture);
                      QCOMPARE(form_DB->TableScadenzeCumulative->recordCount(), 1);
                      QCOMPARE(form_DB->TableScadenzeCumulative->fieldByName("Id").asLargeInt(), 31);
                      QCOMPARE(frmPagaFatture->lblTotaleFatture->text(), QString("90,25"));
                      frmPagaFatture->spdIndietro->click();
                  });
        d->spdIndietro->click();
    });
    dettaglio(202, [] {
        dialoghi().expectMessage("Non sono presenti scadenze non pagate");
        frmFornitDett->btnAssegnoFornitori->click();
        frmFornitDett->spdIndietro->click();
    });
}

void TestFornitori::comuniOmonimi()
{
    // Two towns named Castro: the pick stores the one picked, and "Modifica il comune" opens
    // that one, found by its id.
    archivioFornitori();
    for (const QString provincia : {QStringLiteral("LE"), QStringLiteral("BG")}) {
        const qint64 id = valore("select ID from Comuni where Comune = 'Castro' and Provincia = '" + provincia + "'").toLongLong();
        QVERIFY(id > 0);
        dettaglio(201, [&] {
            auto *d = frmFornitDett;
            QVERIFY(scegliComune(d->DBLookupComboBox3, "Castro", provincia));
            QCOMPARE(form_DB->Table9->fieldByName("Comune_id").asLargeInt(), id);
            QCOMPARE(form_DB->Table9->fieldByName("Provincia").asString(), provincia);
            d->spdIndietro->click();
            QVERIFY(!d->isVisible());
        });
        QCOMPARE(valore("select Provincia from Fornitor where Id = 201").toString(), provincia);
        QCOMPARE(valore("select Comune_id from Fornitor where Id = 201").toLongLong(), id);
        // The list of towns stands elsewhere before the button is pressed.
        QVERIFY(form_DB->Table8->locate("Comune", "Roma"));
        dettaglio(201, [&] {
            conModale([] { frmFornitDett->SpeedButton8->click(); },
                      [&](QWidget *w) {
                          QCOMPARE(form_DB->Table8->fieldByName("ID").asLargeInt(), id);
                          QCOMPARE(form_DB->Table8->fieldByName("Provincia").asString(), provincia);
                          w->close();
                      });
            frmFornitDett->spdIndietro->click();
        });
    }
}
