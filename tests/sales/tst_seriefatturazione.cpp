#include "tst_seriefatturazione.h"

#include "Ambiente.h"
#include "Banco.h"
#include "data/DB.h"
#include "db/Query.h"
#include "sales/SceltaFatturazioneNotaCr.h"
#include "sales/SceltaSerieFatturazione.h"
#include "sales/SerieFatturazione.h"
#include "widgets/DBEdit.h"
#include "widgets/DBLookupComboBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

using ambiente::conModale;

namespace {

std::unique_ptr<banco::Banco> g_banco;
QVariant scalar(const QString &sql) { return g_banco->valore(sql); }
testing_support::ScriptedDialogs &dialoghi() { return g_banco->dialoghi(); }

void scrivi(QLineEdit *e, const QString &testo)
{
    e->setFocus();
    e->selectAll();
    QTest::keyClick(e, Qt::Key_Delete);
    QTest::keyClicks(e, testo);
}

void scegliSerie(ui::DBLookupComboBox *l, const QString &serie)
{
    const int i = l->findText(serie);
    QVERIFY2(i >= 0, qPrintable(serie));
    l->setCurrentIndex(i);
    Q_EMIT l->activated(i);
}

// The chooser of a kind of document, with the dataset its new row is begun in.
struct Tipo {
    vendite::SceltaSerie *scelta;
    db::Query *documenti;
    bool notaCredito;
};
Tipo tipo(const QString &nome)
{
    if (nome == "fattura") return {frmSceltaSerieFatturazione, form_DB->Table3, false};
    return {frmSceltaFatturazioneNotaCr, form_DB->TableNotaCredito, true};
}

// The new document as its list begins it: appended, not stored yet.
void nuovoDocumento(const Tipo &t)
{
    t.documenti->append();
    t.documenti->fieldByName("FattNota").setAsBoolean(t.notaCredito);
    t.documenti->fieldByName("Num").setAsInteger(7);
}

} // namespace

void TestSerieFatturazione::init()
{
    g_banco = std::make_unique<banco::Banco>(
        QStringList{"frmSceltaSerieFatturazione", "frmSerieFatturazione", "frmSceltaFatturazioneNotaCr"},
        QStringList{"insert into SerieFatturazione (Serie, Descrizione) values ('A', 'Soccorso'), ('B', 'Rimozioni')"});
}

void TestSerieFatturazione::cleanup()
{
    const bool pulito = dialoghi().clean();
    const QString resoconto = dialoghi().report();
    g_banco.reset();
    QVERIFY2(pulito, qPrintable(resoconto));
}

void TestSerieFatturazione::sceltaScriveLaSerie_data()
{
    QTest::addColumn<QString>("documento");
    QTest::addColumn<QString>("titolo");
    QTest::newRow("invoice") << "fattura" << "Seleziona la Serie di Fatturazione";
    QTest::newRow("credit note") << "nota" << "Scegli la Serie Fatturazione";
}

void TestSerieFatturazione::sceltaScriveLaSerie()
{
    QFETCH(QString, documento);
    QFETCH(QString, titolo);
    const Tipo t = tipo(documento);
    nuovoDocumento(t);
    QString scelta;
    conModale([&] { scelta = t.scelta->scegli(); },
              [&](QWidget *w) {
                  QCOMPARE(w, static_cast<QWidget *>(t.scelta));
                  QCOMPARE(w->windowTitle(), titolo);
                  QCOMPARE(t.scelta->spdIndietro->text(), QString("Avanti"));
                  QCOMPARE(t.scelta->Button1->text(), QString("....."));
                  QCOMPARE(t.scelta->DBLookupComboBox1->count(), 2);
                  scegliSerie(t.scelta->DBLookupComboBox1, "B");
                  // Written into the new row at the pick, before the chooser closes.
                  QCOMPARE(t.documenti->fieldByName("SerieFatturazione").asString(), QString("B"));
                  t.scelta->spdIndietro->click();
              });
    QVERIFY(!t.scelta->isVisible());
    QCOMPARE(scelta, QString("B"));
    // The caller stores its row with the series.
    QVERIFY(t.documenti->post());
    QCOMPARE(scalar("select SerieFatturazione from fattura where Num = 7").toString(), QString("B"));
}

void TestSerieFatturazione::sceltaSenzaSerie_data()
{
    QTest::addColumn<QString>("documento");
    QTest::newRow("invoice") << "fattura";
    QTest::newRow("credit note") << "nota";
}

void TestSerieFatturazione::sceltaSenzaSerie()
{
    QFETCH(QString, documento);
    const Tipo t = tipo(documento);
    nuovoDocumento(t);
    QString scelta = "x";
    conModale([&] { scelta = t.scelta->scegli(); }, [&](QWidget *) { t.scelta->spdIndietro->click(); });
    QCOMPARE(scelta, QString());
    QVERIFY(t.documenti->post());
    QVERIFY(scalar("select SerieFatturazione from fattura where Num = 7").isNull());
}

void TestSerieFatturazione::serieAggiuntaDallaScelta()
{
    const Tipo t = tipo("fattura");
    nuovoDocumento(t);
    QString scelta;
    conModale([&] { scelta = t.scelta->scegli(); },
              [&](QWidget *) {
                  conModale([&] { t.scelta->Button1->click(); },
                            [&](QWidget *w) {
                                QCOMPARE(w, frmSerieFatturazione);
                                QCOMPARE(w->windowTitle(), QString("Serie di Fatturazione"));
                                frmSerieFatturazione->Button4->click();
                                scrivi(frmSerieFatturazione->DBEdit1, "C");
                                scrivi(frmSerieFatturazione->DBEdit2, "Custodia");
                                frmSerieFatturazione->bitSalva->click();
                                frmSerieFatturazione->spdIndietro->click();
                            });
                  // Offered as soon as the editor closes.
                  scegliSerie(t.scelta->DBLookupComboBox1, "C");
                  t.scelta->spdIndietro->click();
              });
    QCOMPARE(scelta, QString("C"));
    QCOMPARE(scalar("select Descrizione from SerieFatturazione where Serie = 'C'").toString(), QString("Custodia"));
}

void TestSerieFatturazione::salvaRichiedeLaSerie()
{
    dialoghi().expectMessage("Attenzione manca la Serie");
    conModale([] { frmSerieFatturazione->exec(); },
              [&](QWidget *w) {
                  QVERIFY(QTest::qWaitForWindowActive(w));
                  TfrmSerieFatturazione *f = frmSerieFatturazione;
                  f->Button4->click();
                  scrivi(f->DBEdit2, "Senza codice");
                  f->bitSalva->click();
                  QCOMPARE(dialoghi().messages().last().caption, QString("Messaggio di avviso"));
                  QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(f->DBEdit1));
                  QCOMPARE(f->DBEdit2->text(), QString("Senza codice"));
                  f->spdIndietro->click();
              });
    QCOMPARE(scalar("select count(*) from SerieFatturazione").toInt(), 2);
}

void TestSerieFatturazione::serieUgualiEApostrofo()
{
    conModale([] { frmSerieFatturazione->exec(); },
              [&](QWidget *) {
                  TfrmSerieFatturazione *f = frmSerieFatturazione;
                  for (const QString &codice : {QString("A"), QString("D'A")}) {
                      f->Button4->click();
                      scrivi(f->DBEdit1, codice);
                      scrivi(f->DBEdit3, "nota d'uso");
                      f->bitSalva->click();
                  }
                  f->spdIndietro->click();
              });
    QCOMPARE(scalar("select count(*) from SerieFatturazione where Serie = 'A'").toInt(), 2);
    QCOMPARE(scalar("select count(*) from SerieFatturazione where Serie = 'D" + QString(QChar(0x00B4)) + "A'").toInt(), 1);
    QCOMPARE(scalar("select count(*) from SerieFatturazione where Serie like '%''%' or Note like '%''%'").toInt(), 0);
}

void TestSerieFatturazione::eliminazione_data()
{
    QTest::addColumn<int>("risposta");
    QTest::addColumn<int>("restano");
    QTest::newRow("Yes deletes") << int(QMessageBox::Yes) << 1;
    QTest::newRow("No keeps") << int(QMessageBox::No) << 2;
}

void TestSerieFatturazione::eliminazione()
{
    QFETCH(int, risposta);
    QFETCH(int, restano);
    g_banco->esegui("insert into fattura (Num, SerieFatturazione) values (3, 'B')");
    dialoghi().expectMessage("Sei sicuro di voler eliminare la Serie di Fatturazione?", QMessageBox::StandardButton(risposta));
    conModale([] { frmSerieFatturazione->exec(); },
              [&](QWidget *) {
                  QVERIFY(form_DB->TableSerieFatturazione->locate("Serie", "B"));
                  frmSerieFatturazione->Button3->click();
                  frmSerieFatturazione->spdIndietro->click();
              });
    QCOMPARE(scalar("select count(*) from SerieFatturazione").toInt(), restano);
    // The document keeps the code it carries.
    QCOMPARE(scalar("select SerieFatturazione from fattura where Num = 3").toString(), QString("B"));
    // "-" on an empty table asks nothing.
    g_banco->esegui("delete from SerieFatturazione");
    form_DB->TableSerieFatturazione->requery();
    conModale([] { frmSerieFatturazione->exec(); },
              [&](QWidget *) {
                  frmSerieFatturazione->Button3->click();
                  frmSerieFatturazione->spdIndietro->click();
              });
}

void TestSerieFatturazione::indietroNonSalva()
{
    // A change not stored with "salva", and a series begun and not stored, are dropped.
    for (bool nuova : {false, true}) {
        conModale([] { frmSerieFatturazione->exec(); },
                  [&](QWidget *) {
                      TfrmSerieFatturazione *f = frmSerieFatturazione;
                      QVERIFY(form_DB->TableSerieFatturazione->locate("Serie", "A"));
                      if (nuova) f->Button4->click();
                      scrivi(f->DBEdit1, "Z");
                      scrivi(f->DBEdit2, "Cambiata");
                      f->spdIndietro->click();
                  });
        QVERIFY(!frmSerieFatturazione->isVisible());
        QVERIFY(!form_DB->TableSerieFatturazione->isEditing());
        QCOMPARE(scalar("select count(*) from SerieFatturazione where Serie = 'Z' or Descrizione = 'Cambiata'").toInt(), 0);
        QCOMPARE(form_DB->TableSerieFatturazione->recordCount(), 2);
        // Nothing is left to be stored by a later move of the shared dataset.
        form_DB->TableSerieFatturazione->last();
        form_DB->TableSerieFatturazione->first();
        QCOMPARE(scalar("select count(*) from SerieFatturazione where Serie = 'Z' or Descrizione = 'Cambiata'").toInt(), 0);
    }
}
