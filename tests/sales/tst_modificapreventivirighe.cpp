#include "tst_modificapreventivirighe.h"

#include "Ambiente.h"
#include "Banco.h"
#include "data/DB.h"
#include "db/Connection.h"
#include "db/Query.h"
#include "sales/EditorPreventivo.h"
#include "sales/ModificaPreventiviRighe.h"
#include "sales/services/Preventivi.h"
#include "sales/services/SalvaRighe.h"
#include "widgets/DBEdit.h"
#include "widgets/DBLookupComboBox.h"
#include "widgets/DBMemo.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

using ambiente::conModale;

namespace {

std::unique_ptr<banco::Banco> g_banco;
std::unique_ptr<QSignalSpy> g_salvataggi;
testing_support::ScriptedDialogs &dialoghi() { return g_banco->dialoghi(); }
QVariant colonna(const char *c, qint64 id = 50)
{
    return g_banco->valore(QString("select %1 from PreventiRighe where Id = %2").arg(QLatin1String(c)).arg(id));
}
db::Field campo(const char *nome) { return form_DB->Table11->fieldByName(QLatin1String(nome)); }

// Makes row `id` of quote 10 current, the rows pointed at the quote as the quote list does.
void punta(qint64 id = 50)
{
    form_DB->Table16->requery();
    QVERIFY(form_DB->Table16->locate("ID", 10));
    form_DB->Table11->close();
    form_DB->Table11->setSql("select * from PreventiRighe where Prev_ID = 10 order by NumeroRiga");
    form_DB->Table11->open();
    QVERIFY(form_DB->Table11->locate("Id", id));
}

// The row editor on the current row, shown as the quote editor shows it ("Annulla" for a new
// row); `azione` runs while it is open and must leave it closed.
void suRiga(const std::function<void()> &azione, bool nuova = false)
{
    conModale([nuova] { frmModificaPreventiviRighe->mostra(nuova); },
              [&](QWidget *w) {
                  QCOMPARE(w, static_cast<QWidget *>(frmModificaPreventiviRighe));
                  QVERIFY(QTest::qWaitForWindowActive(w));
                  QCOMPARE(frmModificaPreventiviRighe->spdAnnulla->isVisible(), nuova);
                  azione();
              });
    QVERIFY(!frmModificaPreventiviRighe->isVisible());
}

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

// Leaves without saving what a test left in the row.
void esciSenzaSalvare()
{
    form_DB->Table11->cancel();
    frmModificaPreventiviRighe->DatiModificati = false;
    frmModificaPreventiviRighe->spdIndietro->click();
}

} // namespace

void TestModificaPreventiviRighe::init()
{
    g_banco = std::make_unique<banco::Banco>(
        QStringList{"frmPreventivi", "frmModificaPreventiviRighe"},
        QStringList{"delete from Iva",
                    "insert into Iva (ID, Descrizione, Iva) values (1, 'Iva 22%', 22), (2, 'Iva 10%', 10), (3, 'Iva 5,5%', 5.5)",
                    "insert into UnitaMisura (Id, Descrizione) values (7, 'Ore')",
                    "insert into PreventiTestata (ID, Numero, Data, Cliente_ID, Storico) values (10, 1, #3/10/2026#, 1, false)",
                    "insert into PreventiRighe (Id, Prev_ID, NumeroRiga, TipoRiga, Codice, Descrizione, Um, ValoreUnitario, Sconto, "
                    "AliquotaIva, Iva_ID, Um_ID, Reparto, TotaleImponibile, ValoreTotale) values "
                    "(50, 10, 1, 'N', 'TR1', 'Traino', 1, 1, 0, 22, 1, 7, 'Officina', 0, 0)"});
    punta();
    g_salvataggi = std::make_unique<QSignalSpy>(frmModificaPreventiviRighe, &TfrmModificaPreventiviRighe::rigaSalvata);
}

void TestModificaPreventiviRighe::cleanup()
{
    g_salvataggi.reset();
    const bool pulito = dialoghi().clean();
    const QString resoconto = dialoghi().report();
    g_banco.reset();
    QVERIFY2(pulito, qPrintable(resoconto));
}

void TestModificaPreventiviRighe::campi()
{
    TfrmModificaPreventiviRighe *f = frmModificaPreventiviRighe;
    QCOMPARE(f->windowTitle(), QString("Modifica Righe Preventivi"));
    QCOMPARE(f->property("helpContext").toInt(), 4800);
    suRiga([f] {
        QCOMPARE(ambiente::didascalie(f->ToolBar2, true), QStringList{"Indietro"});
        QVERIFY(!f->Calcolo->isVisible());
        QCOMPARE(f->Calcolo->text(), QString("calcolo_prezzoIvato"));
        QCOMPARE(f->BitBtn1->toolTip(), QString("Calcola il Valore Unitario"));
        // The units come with forms this test does not create.
        QVERIFY(!f->SpeedButton16->isEnabled());
        QVERIFY(!f->SpeedButton17->isEnabled());
        // The row as the fields show it, in tab order; each aqua while focused, white once left.
        const QList<QWidget *> campi = {f->DBEdit8, f->DBEdit7, f->DBMemo1, f->DBEdit2, f->DBLookupComboBox3, f->DBEdit6, f->DBEdit5,
                                        f->DBLookupComboBox1, f->DBEdit4, f->DBEdit3, f->DBEdit1, f->DBEdit9, f->DBEdit10};
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(f->DBEdit8));
        QStringList mostrati;
        QWidget *prima = nullptr;
        for (int i = 0; i < campi.size(); ++i) {
            QWidget *w = QApplication::focusWidget();
            QCOMPARE(w, campi[i]);
            QCOMPARE(w->palette().color(QPalette::Base), QColor(0, 255, 255));
            if (prima) QCOMPARE(prima->palette().color(QPalette::Base), QColor(Qt::white));
            if (auto *e = qobject_cast<QLineEdit *>(w)) mostrati << e->text();
            else if (auto *c = qobject_cast<QComboBox *>(w)) mostrati << c->currentText();
            else mostrati << f->DBMemo1->toPlainText();
            prima = w;
            QTest::keyClick(w, Qt::Key_Tab);
        }
        // Leaving the quantity computed the final price (1 at 22%).
        QCOMPARE(mostrati, (QStringList{"TR1", "1", "Traino", "1", "Ore", "1", "0", "Iva 22%", "1,22", "Officina", "", "", ""}));
        QVERIFY(!f->DatiModificati);
        // Enter moves on from a text box; in the description it starts a line, in a lookup it
        // stays.
        f->DBEdit2->setFocus();
        QTest::keyClick(f->DBEdit2, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(f->DBLookupComboBox3));
        QTest::keyClick(f->DBLookupComboBox3, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(f->DBLookupComboBox3));
        f->DBMemo1->setFocus();
        f->DBMemo1->moveCursor(QTextCursor::End);
        QTest::keyClick(f->DBMemo1, Qt::Key_Return);
        QTest::keyClicks(f->DBMemo1, "notturno");
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(f->DBMemo1));
        QCOMPARE(f->DBMemo1->toPlainText(), QString("Traino\nnotturno"));
        QVERIFY(f->DatiModificati);
        // A unit picked marks the row modified; the period and reference are stored with it.
        f->DatiModificati = false;
        scegli(f->DBLookupComboBox3, "Ore");
        QVERIFY(f->DatiModificati);
        scrivi(f->DBEdit1, "01/03/2026");
        scrivi(f->DBEdit9, "31/03/2026");
        scrivi(f->DBEdit10, "Rif. 12");
        f->spdIndietro->click();
    });
    QCOMPARE(colonna("Descrizione").toString(), QString("Traino\nnotturno"));
    QCOMPARE(g_banco->valore("select count(*) from PreventiRighe where Id = 50 and DataInizioPeriodo = #3/1/2026# and "
                             "DataFinePeriodo = #3/31/2026# and RiferimentoAmministrazione = 'Rif. 12'")
                 .toInt(),
             1);
}

void TestModificaPreventiviRighe::salvaRiga()
{
    suRiga([] {
        TfrmModificaPreventiviRighe *f = frmModificaPreventiviRighe;
        scrivi(f->DBEdit2, "3");
        // A typed point is the decimal comma.
        scrivi(f->DBEdit6, "10.00");
        QCOMPARE(campo("ValoreUnitario").asFloat(), 10.0);
        scrivi(f->DBEdit5, "10");
        // Leaving the discount computed the final price.
        QCOMPARE(campo("ValoreTotale").asFloat(), 32.94);
        QCOMPARE(f->DBEdit4->text(), QString("32,94"));
        QVERIFY(f->DatiModificati);
        QCOMPARE(g_salvataggi->count(), 0);
        f->spdIndietro->click();
    });
    QCOMPARE(colonna("Um").toDouble(), 3.0);
    QCOMPARE(colonna("ValoreUnitario").toDouble(), 10.0);
    QCOMPARE(colonna("Sconto").toDouble(), 10.0);
    QCOMPARE(colonna("TotaleImponibile").toDouble(), 27.0);
    QCOMPARE(colonna("ValoreTotale").toDouble(), 32.94);
    // The save made the quote's totals follow, once.
    QCOMPARE(g_salvataggi->count(), 1);
    QCOMPARE(g_banco->valore("select TotalePreventivo from PreventiTestata where ID = 10").toDouble(), 32.94);
    QCOMPARE(g_banco->valore("select TotImponibile from PreventiTestata where ID = 10").toDouble(), 27.0);
    QVERIFY(!frmModificaPreventiviRighe->DatiModificati);
}

void TestModificaPreventiviRighe::preventivoEliminatoAltrove()
{
    suRiga([] {
        TfrmModificaPreventiviRighe *f = frmModificaPreventiviRighe;
        scrivi(f->DBEdit2, "3");
        // Another workstation deletes the quote while the row is being edited.
        db::Connection b;
        QVERIFY(b.open(form_DB->Connessione.path()));
        QVERIFY(vendite::eliminaPreventivo(b, 10).eliminato);
        b.close();
        dialoghi().expectMessage(vendite::messaggioDocumentoMancante());
        f->spdIndietro->click();
        // Said once; the editor stays open with what was typed.
        QCOMPARE(dialoghi().messages().size(), 1);
        QVERIFY(f->isVisible());
        QCOMPARE(f->DBEdit2->text(), QString("3"));
        QCOMPARE(campo("Um").asFloat(), 3.0);
        esciSenzaSalvare();
    });
    QCOMPARE(g_salvataggi->count(), 0);
    QCOMPARE(g_banco->valore("select count(*) from PreventiRighe where Prev_ID = 10").toInt(), 0);
}

void TestModificaPreventiviRighe::aliquotaConDecimali()
{
    suRiga([] {
        TfrmModificaPreventiviRighe *f = frmModificaPreventiviRighe;
        scrivi(f->DBEdit6, "10");
        f->DatiModificati = false;
        scegli(f->DBLookupComboBox1, "Iva 5,5%");
        QVERIFY(f->DatiModificati);
        QCOMPARE(campo("AliquotaIva").asFloat(), 5.5);
        QCOMPARE(campo("Iva_ID").asInteger(), 3);
        // 5.5 is 5.5%, while typing as in the stored row.
        QCOMPARE(campo("ValoreTotale").asFloat(), 10.55);
        f->spdIndietro->click();
    });
    QCOMPARE(colonna("AliquotaIva").toDouble(), 5.5);
    QCOMPARE(colonna("TotaleImponibile").toDouble(), 10.0);
    QCOMPARE(colonna("ValoreTotale").toDouble(), 10.55);
}

void TestModificaPreventiviRighe::importoNegativo()
{
    suRiga([] {
        TfrmModificaPreventiviRighe *f = frmModificaPreventiviRighe;
        scrivi(f->DBEdit6, "-50");
        // While typing a negative amount gets no VAT ...
        QCOMPARE(campo("ValoreTotale").asFloat(), -50.0);
        f->spdIndietro->click();
    });
    // ... the stored row has it.
    QCOMPARE(colonna("TotaleImponibile").toDouble(), -50.0);
    QCOMPARE(colonna("ValoreTotale").toDouble(), -61.0);
}

void TestModificaPreventiviRighe::prezzoDaTotale_data()
{
    QTest::addColumn<QString>("quantita");
    QTest::addColumn<QString>("sconto");
    QTest::addColumn<QString>("iva");
    QTest::addColumn<double>("prezzo");
    QTest::newRow("one, no discount") << "1" << "0" << "Iva 22%" << 100.0;
    QTest::newRow("two, discount 20") << "2" << "20" << "Iva 22%" << 62.5;
    QTest::newRow("rate with decimals") << "1" << "0" << "Iva 5,5%" << 115.6398;
}

void TestModificaPreventiviRighe::prezzoDaTotale()
{
    QFETCH(QString, quantita);
    QFETCH(QString, sconto);
    QFETCH(QString, iva);
    QFETCH(double, prezzo);
    suRiga([&] {
        TfrmModificaPreventiviRighe *f = frmModificaPreventiviRighe;
        scegli(f->DBLookupComboBox1, iva);
        scrivi(f->DBEdit2, quantita);
        scrivi(f->DBEdit5, sconto);
        scrivi(f->DBEdit4, "122");
        f->DatiModificati = false;
        f->BitBtn1->click();
        QCOMPARE(campo("ValoreUnitario").asFloat(), prezzo);
        QVERIFY(f->DatiModificati);
        // The final price stays as typed until it is computed again.
        QCOMPARE(campo("ValoreTotale").asFloat(), 122.0);
        esciSenzaSalvare();
    });
    QCOMPARE(colonna("ValoreUnitario").toDouble(), 1.0);
}

void TestModificaPreventiviRighe::prezzoFinaleMancante()
{
    suRiga([] {
        TfrmModificaPreventiviRighe *f = frmModificaPreventiviRighe;
        scrivi(f->DBEdit4, "");
        dialoghi().expectMessage("Attenzione Inserire il Prezzo finale");
        f->BitBtn1->click();
        QCOMPARE(campo("ValoreUnitario").asFloat(), 1.0);
        esciSenzaSalvare();
    });
    QCOMPARE(dialoghi().messages().last().caption, QString("Messaggio di avviso"));
}

void TestModificaPreventiviRighe::controlli_data()
{
    QTest::addColumn<QStringList>("vuoti");
    QTest::addColumn<QString>("messaggio");
    QTest::addColumn<QString>("fuoco");
    QTest::newRow("quantity") << QStringList{"Um"} << "Attenzione manca la quantità" << "DBEdit2";
    QTest::newRow("unit price") << QStringList{"ValoreUnitario"} << "Attenzione manca il Valore Unitario" << "DBEdit6";
    QTest::newRow("VAT rate") << QStringList{"Iva"} << "Attenzione manca l'Aliquota Iva" << "DBLookupComboBox1";
    QTest::newRow("in order") << QStringList{"Iva", "ValoreUnitario", "Um"} << "Attenzione manca la quantità" << "DBEdit2";
    QTest::newRow("period start not a date") << QStringList{"DataInizio"} << "Attenzione data non valida: 31/02/2026" << "DBEdit1";
}

void TestModificaPreventiviRighe::controlli()
{
    QFETCH(QStringList, vuoti);
    QFETCH(QString, messaggio);
    QFETCH(QString, fuoco);
    suRiga([&] {
        TfrmModificaPreventiviRighe *f = frmModificaPreventiviRighe;
        // A quantity of 0 is a quantity.
        if (!vuoti.contains("Um")) scrivi(f->DBEdit2, "0");
        for (const QString &v : vuoti) {
            if (v == "Um") scrivi(f->DBEdit2, "");
            if (v == "ValoreUnitario") scrivi(f->DBEdit6, "");
            if (v == "Iva") {
                f->DBLookupComboBox1->setFocus();
                f->DatiModificati = false;
                QTest::keyClick(f->DBLookupComboBox1, Qt::Key_Backspace);
                // The rate goes with its VAT row.
                QVERIFY(campo("AliquotaIva").isNull());
                QVERIFY(campo("Iva_ID").isNull() || campo("Iva_ID").asInteger() == 0);
                QVERIFY(f->DatiModificati);
            }
        }
        if (vuoti.contains("DataInizio")) {
            // Typed, and "Indietro" pressed while still in the box.
            f->DBEdit1->setFocus();
            QTest::keyClicks(f->DBEdit1, "31/02/2026");
        } else {
            f->DBEdit8->setFocus();
        }
        QVERIFY(f->DatiModificati);
        dialoghi().expectMessage(messaggio);
        f->spdIndietro->click();
        // The form stays open on a failed check, the focus on the field; nothing was stored.
        QCOMPARE(dialoghi().messages().size(), 1);
        QVERIFY(f->isVisible());
        QVERIFY(f->SalvataggioFallito);
        QCOMPARE(QApplication::focusWidget(), f->findChild<QWidget *>(fuoco));
        esciSenzaSalvare();
    });
    QCOMPARE(dialoghi().messages().last().caption, QString("Messaggio di avviso"));
    QCOMPARE(colonna("Um").toDouble(), 1.0);
    QCOMPARE(colonna("Iva_ID").toInt(), 1);
    QCOMPARE(g_salvataggi->count(), 0);
}

void TestModificaPreventiviRighe::senzaModifiche()
{
    suRiga([] { frmModificaPreventiviRighe->spdIndietro->click(); });
    // Nothing was saved: the amounts were not computed, the totals not recomputed.
    QCOMPARE(colonna("ValoreTotale").toDouble(), 0.0);
    QCOMPARE(g_salvataggi->count(), 0);
}

void TestModificaPreventiviRighe::annullaNuovaRiga()
{
    // A free row as the quote editor adds it: stored, then shown with "Annulla".
    g_banco->esegui("insert into PreventiRighe (Id, Prev_ID, NumeroRiga, TipoRiga, Codice, Descrizione, Um, ValoreUnitario, "
                    "AliquotaIva, Iva_ID, TotaleImponibile, ValoreTotale) values "
                    "(51, 10, 2, 'A', '00000', 'Articolo da inserire', 1, 1, 22, 1, 1, 1.22)");
    punta(51);
    frmModificaPreventiviRighe->DatiModificati = true;
    suRiga(
        [] {
            TfrmModificaPreventiviRighe *f = frmModificaPreventiviRighe;
            dialoghi().expectMessage("Sei sicuro di voler annullare l'inserimento ?", QMessageBox::No);
            f->spdAnnulla->click();
            QVERIFY(f->isVisible());
            QCOMPARE(g_banco->valore("select count(*) from PreventiRighe where Id = 51").toInt(), 1);
            scrivi(f->DBEdit6, "80");
            dialoghi().expectMessage("Sei sicuro di voler annullare l'inserimento ?", QMessageBox::Yes);
            f->spdAnnulla->click();
        },
        true);
    QCOMPARE(dialoghi().messages().last().caption, QString("Messaggio di avviso"));
    QCOMPARE(g_banco->valore("select count(*) from PreventiRighe where Id = 51").toInt(), 0);
    QCOMPARE(g_banco->valore("select count(*) from PreventiRighe where Id = 50").toInt(), 1);
    QVERIFY(!frmModificaPreventiviRighe->DatiModificati);
    // The quote's totals never counted the new row.
    QCOMPARE(g_salvataggi->count(), 0);
    QCOMPARE(ambiente::didascalie(frmModificaPreventiviRighe->ToolBar2, true), QStringList{"Indietro"});
}
