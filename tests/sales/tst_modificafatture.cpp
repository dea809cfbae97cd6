#include "tst_modificafatture.h"

#include "Ambiente.h"
#include "FixtureRighe.h"
#include "data/DB.h"
#include "db/Connection.h"
#include "db/Query.h"
#include "forms/ListForm.h"
#include "sales/EditorFattura.h"
#include "sales/ModificaFatture.h"
#include "sales/services/Fatture.h"
#include "sales/services/SalvaRighe.h"
#include "widgets/DBEdit.h"
#include "widgets/DBLookupComboBox.h"
#include "widgets/DBMemo.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

using ambiente::conModale;

namespace {

std::unique_ptr<banco::Banco> g_banco;
qint64 g_id = 0;
QVariant scalar(const QString &sql) { return g_banco->valore(sql); }
testing_support::ScriptedDialogs &dialoghi() { return g_banco->dialoghi(); }

QVariant colonna(const char *c) { return scalar(QString("select %1 from fattdett where NumFatt = %2").arg(c).arg(g_id)); }

// Types into a box as the user does; Enter hands the text to the row and moves on.
void scrivi(QLineEdit *e, const QString &testo)
{
    e->setFocus();
    e->selectAll();
    QTest::keyClick(e, Qt::Key_Delete);
    QTest::keyClicks(e, testo);
    QTest::keyClick(e, Qt::Key_Return);
}

void scegli(ui::DBLookupComboBox *l, const QString &testo)
{
    const int i = l->findText(testo);
    QVERIFY2(i >= 0, qPrintable(testo));
    l->setCurrentIndex(i);
    Q_EMIT l->activated(i);
}

// The row editor on the invoice's only row, opened as "Modifica" opens it.
void suRiga(const std::function<void()> &azione)
{
    conModale([] { Form7->spdAvantiDettClick(); },
              [&](QWidget *w) {
                  QCOMPARE(w, static_cast<QWidget *>(frmModificaFatture));
                  QVERIFY(QTest::qWaitForWindowActive(w));
                  QVERIFY(!frmModificaFatture->spdAnnulla->isVisible());
                  azione();
              });
    QVERIFY(!frmModificaFatture->isVisible());
}

// Leaves without saving what a test left in the row.
void esciSenzaSalvare()
{
    form_DB->Table4->cancel();
    frmModificaFatture->DatiModificati = false;
    frmModificaFatture->spdIndietro->click();
}

} // namespace

void TestModificaFatture::init()
{
    g_banco = fixture_righe::crea({"frmGrigliaContabilitaConti"},
                                  {"insert into ContabilitaConti (ID, Descrizione) values (41, 'Ricavi traini'), (42, 'Ricavi custodie')"});
    g_id = fixture_righe::idFattura();
    g_banco->esegui(QString("insert into fattdett (NumFatt, Descrizione, NumeroRiga, Um, ValoreUnitario, Sconto, AliquotaIva, Iva_ID, "
                            "Articolo_ID) values (%1, 'Traino', 1, 1, 1, 0, 22, 1, 7)").arg(g_id));
    fixture_righe::puntaFattura(g_id);
}

void TestModificaFatture::cleanup()
{
    const bool pulito = dialoghi().clean();
    const QString resoconto = dialoghi().report();
    g_banco.reset();
    QVERIFY2(pulito, qPrintable(resoconto));
}

void TestModificaFatture::salvaRiga()
{
    suRiga([] {
        QCOMPARE(frmModificaFatture->windowTitle(), QString("Modifica righe Fattura"));
        scrivi(frmModificaFatture->DBEdit4, "2");
        // A typed point is the decimal comma.
        scrivi(frmModificaFatture->DBEdit6, "10.00");
        QCOMPARE(form_DB->Table4->fieldByName("ValoreUnitario").asFloat(), 10.0);
        scrivi(frmModificaFatture->DBEdit7, "10");
        // Leaving the discount computed the gross.
        QCOMPARE(form_DB->Table4->fieldByName("ValoreTotale").asFloat(), 21.96);
        QVERIFY(frmModificaFatture->DatiModificati);
        frmModificaFatture->spdIndietro->click();
    });
    QCOMPARE(colonna("Um").toDouble(), 2.0);
    QCOMPARE(colonna("ValoreUnitario").toDouble(), 10.0);
    QCOMPARE(colonna("TotaleImponibile").toDouble(), 18.0);
    QCOMPARE(colonna("ValoreTotale").toDouble(), 21.96);
    // The invoice's totals and instalments followed the row.
    QCOMPARE(fixture_righe::totali(g_id), QString("1800/396/2196"));
    QCOMPARE(fixture_righe::rate(g_id), (QList<qint64>{1098, 1098}));
    QVERIFY(!frmModificaFatture->DatiModificati);
}

void TestModificaFatture::fatturaEliminataAltrove()
{
    suRiga([] {
        scrivi(frmModificaFatture->DBEdit4, "7");
        // Another workstation deletes the invoice while the row is being edited.
        db::Connection b;
        QVERIFY(b.open(form_DB->Connessione.path()));
        QVERIFY(vendite::eliminaFattura(b, g_id).eliminata);
        b.close();
        dialoghi().expectMessage(vendite::messaggioDocumentoMancante());
        frmModificaFatture->spdIndietro->click();
        // One message, said after the transaction; the editor stays open with what was typed.
        QCOMPARE(dialoghi().messages().size(), 1);
        QCOMPARE(dialoghi().messages().last().caption, QString("Messaggio di errore"));
        QVERIFY(frmModificaFatture->isVisible());
        QCOMPARE(frmModificaFatture->DBEdit4->text(), QString("7"));
        QCOMPARE(form_DB->Table4->fieldByName("Um").asFloat(), 7.0);
        QVERIFY(form_DB->Table4->isEditing());
        esciSenzaSalvare();
    });
    // Nothing of the row's save was stored: no row of a missing invoice.
    QCOMPARE(g_banco->valore(QString("select count(*) from fattdett where NumFatt = %1").arg(g_id)).toInt(), 0);
}

void TestModificaFatture::aliquotaConDecimali()
{
    suRiga([] {
        scrivi(frmModificaFatture->DBEdit6, "10");
        scegli(frmModificaFatture->DBLookupComboBox1, "Iva 5,5%");
        QCOMPARE(form_DB->Table4->fieldByName("AliquotaIva").asFloat(), 5.5);
        QCOMPARE(form_DB->Table4->fieldByName("Iva_ID").asInteger(), 3);
        QCOMPARE(form_DB->Table4->fieldByName("ValoreTotale").asFloat(), 10.55);
        frmModificaFatture->spdIndietro->click();
    });
    QCOMPARE(colonna("ValoreTotale").toDouble(), 10.55);
    QCOMPARE(fixture_righe::totali(g_id), QString("1000/55/1055"));
}

void TestModificaFatture::prezzoDaTotale_data()
{
    QTest::addColumn<QString>("sconto");
    QTest::addColumn<double>("prezzo");
    QTest::newRow("no discount") << "0" << 100.0;
    QTest::newRow("discount 10") << "10" << 111.1111;
}

void TestModificaFatture::prezzoDaTotale()
{
    QFETCH(QString, sconto);
    QFETCH(double, prezzo);
    suRiga([&] {
        scrivi(frmModificaFatture->DBEdit7, sconto);
        scrivi(frmModificaFatture->DBEdit8, "122");
        frmModificaFatture->DatiModificati = false;
        frmModificaFatture->BitBtn1->click();
        QCOMPARE(form_DB->Table4->fieldByName("ValoreUnitario").asFloat(), prezzo);
        QVERIFY(frmModificaFatture->DatiModificati);
        // The final price stays as typed until the gross is computed again.
        QCOMPARE(form_DB->Table4->fieldByName("ValoreTotale").asFloat(), 122.0);
        frmModificaFatture->spdIndietro->click();
    });
    QCOMPARE(colonna("ValoreUnitario").toDouble(), prezzo);
    QCOMPARE(colonna("ValoreTotale").toDouble(), 122.0);
}

void TestModificaFatture::prezzoFinaleMancante()
{
    suRiga([] {
        scrivi(frmModificaFatture->DBEdit8, "");
        dialoghi().expectMessage("Attenzione Inserire il Prezzo finale");
        frmModificaFatture->BitBtn1->click();
        QCOMPARE(form_DB->Table4->fieldByName("ValoreUnitario").asFloat(), 1.0);
        esciSenzaSalvare();
    });
    QCOMPARE(dialoghi().messages().last().caption, QString("Messaggio di avviso"));
}

void TestModificaFatture::controlli_data()
{
    QTest::addColumn<QStringList>("vuoti");
    QTest::addColumn<QString>("messaggio");
    QTest::newRow("quantity") << QStringList{"Um"} << "Attenzione manca la quantità";
    QTest::newRow("unit price") << QStringList{"ValoreUnitario"} << "Attenzione manca il Valore Unitario";
    QTest::newRow("VAT rate") << QStringList{"Iva"} << "Attenzione manca l'Aliquota Iva";
    QTest::newRow("description") << QStringList{"Descrizione"} << "Attenzione manca la descrizione";
    QTest::newRow("in order") << QStringList{"Descrizione", "Iva", "ValoreUnitario", "Um"} << "Attenzione manca la quantità";
    QTest::newRow("0 is a quantity") << QStringList{"Descrizione", "Zero"} << "Attenzione manca la descrizione";
}

void TestModificaFatture::controlli()
{
    QFETCH(QStringList, vuoti);
    QFETCH(QString, messaggio);
    suRiga([&] {
        TfrmModificaFatture *f = frmModificaFatture;
        for (const QString &v : vuoti) {
            if (v == "Um") scrivi(f->DBEdit4, "");
            if (v == "Zero") scrivi(f->DBEdit4, "0");
            if (v == "ValoreUnitario") scrivi(f->DBEdit6, "");
            if (v == "Descrizione") {
                f->DBMemo1->setFocus();
                f->DBMemo1->selectAll();
                QTest::keyClick(f->DBMemo1, Qt::Key_Delete);
                f->DBEdit7->setFocus();
            }
            if (v == "Iva") {
                f->DBLookupComboBox1->setFocus();
                QTest::keyClick(f->DBLookupComboBox1, Qt::Key_Backspace);
                QVERIFY(form_DB->Table4->fieldByName("AliquotaIva").isNull());
            }
        }
        QVERIFY(f->DatiModificati);
        dialoghi().expectMessage(messaggio);
        f->spdIndietro->click();
        // The form stays open on a failed check; nothing was stored.
        QVERIFY(f->isVisible());
        QVERIFY(f->SalvataggioFallito);
        if (messaggio.contains("descrizione")) QCOMPARE(f->focusWidget(), static_cast<QWidget *>(f->DBMemo1));
        QCOMPARE(colonna("Descrizione").toString(), QString("Traino"));
        QCOMPARE(colonna("Um").toDouble(), 1.0);
        esciSenzaSalvare();
    });
    QCOMPARE(dialoghi().messages().last().caption, QString("Messaggio di avviso"));
}

void TestModificaFatture::chilometri_data()
{
    QTest::addColumn<int>("kmFattura");
    QTest::addColumn<double>("quantita");
    QTest::newRow("beyond the customer's") << 150 << 50.0;
    QTest::newRow("within the customer's") << 80 << 1.0;
}

void TestModificaFatture::chilometri()
{
    QFETCH(int, kmFattura);
    QFETCH(double, quantita);
    g_banco->esegui(QString("update fattura set Cliente_ID = 1, Km = %1 where ID = %2").arg(kmFattura).arg(g_id));
    fixture_righe::puntaFattura(g_id);
    suRiga([&] {
        frmModificaFatture->Button1->click();
        QCOMPARE(form_DB->Table4->fieldByName("Um").asFloat(), quantita);
        QVERIFY(frmModificaFatture->DatiModificati);
        frmModificaFatture->spdIndietro->click();
    });
    QCOMPARE(colonna("Um").toDouble(), quantita);
}

void TestModificaFatture::ultimoPrezzo()
{
    g_banco->esegui(QString("update fattura set Cliente_ID = 1 where ID = %1").arg(g_id));
    fixture_righe::puntaFattura(g_id);
    // The invoice being edited holds the article, but only other invoices count.
    suRiga([] {
        dialoghi().expectMessage("Non sono presenti fatture per questo articolo e per questo Cliente!");
        frmModificaFatture->DBEdit6->setFocus();
        QTest::keyClick(frmModificaFatture->DBEdit6, Qt::Key_F12);
        esciSenzaSalvare();
    });
    g_banco->esegui("insert into fattura (Num, Data, Cliente_ID, Carico, FattNota, Storico) values (2, #3/1/2026#, 1, false, false, false)");
    g_banco->esegui("insert into fattdett (NumFatt, Articolo_ID, ValoreUnitario, Sconto) select ID, 7, 80.5, 5 from fattura where Num = 2");
    suRiga([] {
        dialoghi().expectMessage("Ultima fattura: 01/03/2026\n Valore Unitario: 80,5\n Sconto: 5");
        frmModificaFatture->DBEdit6->setFocus();
        QTest::keyClick(frmModificaFatture->DBEdit6, Qt::Key_F12);
        // Nothing is copied into the row.
        QCOMPARE(form_DB->Table4->fieldByName("ValoreUnitario").asFloat(), 1.0);
        esciSenzaSalvare();
    });
    QCOMPARE(dialoghi().messages().last().text, QString("Ultima fattura: 01/03/2026\n Valore Unitario: 80,5\n Sconto: 5"));
}

void TestModificaFatture::sceltaConto()
{
    suRiga([] {
        QVERIFY(frmModificaFatture->SpeedButton14->isEnabled());
        // Left with "Indietro": nothing is copied.
        conModale([] { frmModificaFatture->SpeedButton14->click(); },
                  [](QWidget *w) {
                      auto *lista = qobject_cast<forms::ListForm *>(w);
                      QVERIFY(lista);
                      lista->spdIndietro->click();
                  });
        QVERIFY(form_DB->Table4->fieldByName("ContabilitaConti_ID").asInteger() == 0);
        conModale([] { frmModificaFatture->SpeedButton14->click(); },
                  [](QWidget *w) {
                      auto *lista = qobject_cast<forms::ListForm *>(w);
                      QVERIFY(lista->dataset()->locate("ID", 42));
                      lista->spdAvanti->click();
                  });
        QCOMPARE(form_DB->Table4->fieldByName("ContabilitaConti_ID").asInteger(), 42);
        QVERIFY(frmModificaFatture->DatiModificati);
        QCOMPARE(frmModificaFatture->DBLookupComboBox5->currentText(), QString("Ricavi custodie"));
        frmModificaFatture->spdIndietro->click();
    });
    QCOMPARE(colonna("ContabilitaConti_ID").toInt(), 42);
}

void TestModificaFatture::senzaModifiche()
{
    g_banco->esegui(QString("update fattura set TotFattura = 999 where ID = %1").arg(g_id));
    fixture_righe::puntaFattura(g_id);
    suRiga([] { frmModificaFatture->spdIndietro->click(); });
    // Nothing was saved, so the totals were not recomputed either.
    QCOMPARE(scalar(QString("select TotFattura from fattura where ID = %1").arg(g_id)).toDouble(), 999.0);
    QCOMPARE(colonna("ValoreTotale").toDouble(), 0.0);
}

void TestModificaFatture::pulsantiDiFormNonPresenti()
{
    suRiga([] {
        // Staff and vehicles come with forms this program does not have yet.
        for (QToolButton *b : {frmModificaFatture->SpeedButton3, frmModificaFatture->SpeedButton4, frmModificaFatture->SpeedButton5,
                               frmModificaFatture->SpeedButton6})
            QVERIFY2(!b->isEnabled(), qPrintable(b->objectName()));
        QCOMPARE(frmModificaFatture->property("helpContext").toInt(), 5300);
        QVERIFY(!frmModificaFatture->Calcolo->isVisible());
        frmModificaFatture->spdIndietro->click();
    });
}

void TestModificaFatture::descrizioneIntera()
{
    const QString lunga = QString("Traino dal casello all'officina ").repeated(5); // 160 characters
    g_banco->esegui(QString("update fattdett set Descrizione = '%1'").arg(QString(lunga).replace("'", "''")));
    fixture_righe::puntaFattura(g_id);
    // The editor's showing makes the grid show the first 100 characters.
    QEvent mostra(QEvent::Show);
    QApplication::sendEvent(Form7, &mostra);
    QCOMPARE(form_DB->Table4->fieldByName("Descrizione").displayText(), lunga.left(100));
    suRiga([&] {
        // The row editor edits it whole; saving keeps every character.
        QCOMPARE(frmModificaFatture->DBMemo1->toPlainText(), lunga);
        frmModificaFatture->DatiModificati = true;
        frmModificaFatture->spdIndietro->click();
    });
    QCOMPARE(colonna("Descrizione").toString(), lunga);
    QCOMPARE(form_DB->Table4->fieldByName("Descrizione").displayText(), lunga.left(100));
}
