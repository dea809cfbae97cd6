#include "tst_opzionicontabilita.h"

#include "Ambiente.h"
#include "Banco.h"
#include "accounting/GrigliaContabilitaConti.h"
#include "data/DB.h"
#include "db/Query.h"
#include "forms/Registro.h"
#include "sales/SerieFatturazione.h"
#include "settings/Opzioni.h"
#include "widgets/DBCheckBox.h"
#include "widgets/DBEdit.h"
#include "widgets/DBLookupComboBox.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

using ambiente::conModale;

namespace {

std::unique_ptr<banco::Banco> g_banco;

QVariant valore(const QString &sql) { return g_banco->valore(sql); }
testing_support::ScriptedDialogs &dialoghi() { return g_banco->dialoghi(); }

// Thirteen accounts (ids 101 to 113, "Conto 1" to "Conto 13") in one grouping, two banks, and
// tariffs: 100 less 10%, a free one, 50, and a withdrawn one the price list does not show.
void avvia()
{
    QStringList righe{"insert into ContabilitaClassi (Id, Descrizione) values (1, 'Costi')",
                      "insert into ContabilitaRaggruppamenti (Id, Descrizione, Classe_ID) values (10, 'Vari', 1)",
                      "insert into Bank (Id, Banca, Annullato) values (1, 'Banca Uno', False), (2, 'Banca Due', False)",
                      "insert into prezziar (Id, Descrizione, Prezzo, Sconto, AliquotaIva, Iva_Id, PrezzoCompleto, Annullato) values "
                      "(1, 'Traino', 100, 10, 10, 2, 99, False), (2, 'Fermo', 0, 0, 10, 2, 0, False), "
                      "(3, 'Custodia', 50, 0, 10, 2, 55, False), (4, 'Vecchia', 80, 0, 10, 2, 88, True)"};
    for (int i = 1; i <= 13; ++i)
        righe << QStringLiteral("insert into ContabilitaConti (ID, Descrizione, Raggruppamento_ID) values (%1, 'Conto %2', 10)")
                     .arg(100 + i)
                     .arg(i);
    g_banco = std::make_unique<banco::Banco>(QStringList{"frmOpzioni", "frmGrigliaContabilitaConti", "frmSerieFatturazione"},
                                             righe);
}

void scegli(ui::DBLookupComboBox *l, const QString &testo)
{
    const int i = l->findText(testo);
    QVERIFY2(i >= 0, qPrintable(testo));
    l->setCurrentIndex(i);
    Q_EMIT l->activated(i);
}

// Picks the account `id` through the search button; with `conferma` false the list is left
// with "Indietro" after a search has been typed.
void scegliConto(QToolButton *cerca, qint64 id, bool conferma = true)
{
    conModale([cerca] { cerca->click(); },
              [&](QWidget *w) {
                  TfrmGrigliaContabilitaConti *lista = frmGrigliaContabilitaConti;
                  QCOMPARE(w, static_cast<QWidget *>(lista));
                  QVERIFY(lista->ModalitaScelta);
                  QTest::keyClicks(lista->casella("Edit3"), "Conto");
                  QVERIFY(lista->dataset()->locate("ID", id));
                  if (conferma) lista->spdAvanti->click();
                  else lista->spdIndietro->click();
              });
    // The list is left unfiltered, with empty search boxes and out of pick mode.
    TfrmGrigliaContabilitaConti *lista = frmGrigliaContabilitaConti;
    QVERIFY(!lista->ModalitaScelta);
    for (const char *casella : {"Edit1", "Edit2", "Edit3"})
        if (QLineEdit *e = lista->casella(casella)) QVERIFY2(e->text().isEmpty(), casella);
    QCOMPARE(lista->dataset()->recordCount(), 13);
}

QString tariffa(int id)
{
    auto testo = [id](const char *campo) {
        const QVariant v = valore(QStringLiteral("select %1 from prezziar where Id = %2").arg(QLatin1String(campo)).arg(id));
        return v.isNull() ? QStringLiteral("-") : QString::number(v.toDouble());
    };
    return testo("AliquotaIva") + u'|' + testo("Iva_Id") + u'|' + testo("PrezzoCompleto");
}

} // namespace

void TestOpzioniContabilita::cleanup()
{
    if (g_banco) QVERIFY2(dialoghi().clean(), qPrintable(dialoghi().report()));
    g_banco.reset();
}

void TestOpzioniContabilita::contiEAliquotaScrittiERiletti()
{
    avvia();
    const int iva10 = valore("select ID from Iva where Descrizione = 'Iva 10%'").toInt();
    conModale([] { frmOpzioni->apri(); },
              [&](QWidget *) {
                  TfrmOpzioni *o = frmOpzioni;
                  QVERIFY(o->PageControl1->isTabEnabled(TfrmOpzioni::pagContabilita));
                  o->PageControl1->setCurrentIndex(TfrmOpzioni::pagContabilita);
                  const auto conti = o->contiPredefiniti();
                  QCOMPARE(conti.size(), 13);
                  for (int i = 0; i < conti.size(); ++i) {
                      QCOMPARE(conti[i].cerca->toolTip(), QString("Cerca il tipo di Conto"));
                      scegliConto(conti[i].cerca, 101 + i);
                      QCOMPARE(conti[i].lookup->currentText(), QStringLiteral("Conto %1").arg(i + 1));
                  }
                  // Delete in a lookup clears its account.
                  o->DBLookupComboBox2->setFocus();
                  QTest::keyClick(o->DBLookupComboBox2, Qt::Key_Delete);
                  scegli(o->DBLookupComboBox21, "Iva 10%");
                  scegli(o->DBLookupComboBox6, "Banca Due");
                  o->DBEdit4->setFocus();
                  o->DBEdit4->selectAll();
                  QTest::keyClicks(o->DBEdit4, "1250,5");
                  for (ui::DBCheckBox *c : {o->DBCheckBox13, o->DBCheckBox14, o->DBCheckBox7, o->DBCheckBox9, o->DBCheckBox10})
                      c->click();
                  o->spdIndietro->click();
                  QVERIFY(!o->isVisible());
              });
    const auto conti = frmOpzioni->contiPredefiniti();
    for (int i = 0; i < conti.size(); ++i) {
        const QVariant v = valore(QStringLiteral("select %1 from opzioni").arg(QLatin1String(conti[i].campo)));
        if (conti[i].lookup == frmOpzioni->DBLookupComboBox2) QVERIFY2(v.isNull(), conti[i].campo);
        else QVERIFY2(v.toInt() == 101 + i, conti[i].campo);
    }
    QCOMPARE(valore("select AliquotaIva from opzioni").toDouble(), 10.0);
    QCOMPARE(valore("select Iva_Id from opzioni").toInt(), iva10);
    QCOMPARE(valore("select Bank_ID from opzioni").toInt(), 2);
    QCOMPARE(valore("select SaldoInizialePrimaNota from opzioni").toDouble(), 1250.5);
    for (const char *campo : {"NumerazioneUnicaNoteCredito", "DuplicaFatturazioneInPrimaNota", "ChiusuraIvaMensile",
                              "VerificaCoerenza_FattureElett_PrimaEsportazione"})
        QVERIFY2(valore(QStringLiteral("select %1 from opzioni").arg(QLatin1String(campo))).toInt() == 1, campo);
    QCOMPARE(valore("select FatturazioneMultipla from ditta").toInt(), 1);

    // The editor made again over the options read again shows every value.
    delete frmOpzioni;
    frmOpzioni = nullptr;
    form_DB->TableOpzioni->close();
    form_DB->TableOpzioni->open();
    forms::Registro::istanza().crea({QStringLiteral("frmOpzioni")}, g_banco->finestra());
    QVERIFY(frmOpzioni);
    conModale([] { frmOpzioni->apri(); },
              [&](QWidget *) {
                  TfrmOpzioni *o = frmOpzioni;
                  const auto conti = o->contiPredefiniti();
                  for (int i = 0; i < conti.size(); ++i)
                      QCOMPARE(conti[i].lookup->currentText(),
                               conti[i].lookup == o->DBLookupComboBox2 ? QString() : QStringLiteral("Conto %1").arg(i + 1));
                  QCOMPARE(o->DBLookupComboBox21->currentText(), QString("Iva 10%"));
                  QCOMPARE(o->DBLookupComboBox6->currentText(), QString("Banca Due"));
                  QCOMPARE(o->DBEdit4->text(), QString("1250,5"));
                  QVERIFY(o->DBCheckBox13->isChecked());
                  // Backspace in the rate clears the rate and its key.
                  o->PageControl1->setCurrentIndex(TfrmOpzioni::pagContabilita);
                  o->DBLookupComboBox21->setFocus();
                  QTest::keyClick(o->DBLookupComboBox21, Qt::Key_Backspace);
                  o->spdIndietro->click();
              });
    QVERIFY(valore("select AliquotaIva from opzioni").isNull());
    QVERIFY(valore("select Iva_Id from opzioni").isNull());
}

void TestOpzioniContabilita::sceltaAnnullataLasciaIlConto()
{
    avvia();
    conModale([] { frmOpzioni->apri(); },
              [&](QWidget *) {
                  TfrmOpzioni *o = frmOpzioni;
                  scegliConto(o->SpeedButton1, 105);
                  // An earlier confirmed pick does not answer for a cancelled one.
                  scegliConto(o->SpeedButton1, 107, false);
                  QCOMPARE(o->DBLookupComboBox1->currentText(), QString("Conto 5"));
                  o->spdIndietro->click();
              });
    QCOMPARE(valore("select conto_ID_Predefinito_su_FattureVendita_Generale from opzioni").toInt(), 105);
}

void TestOpzioniContabilita::cambiaTutteLeTariffe()
{
    avvia();
    const int iva22 = valore("select ID from Iva where Descrizione = 'Iva 22%'").toInt();
    // The price list as the program starts it: withdrawn tariffs hidden.
    form_DB->cmdFiltriClick();
    conModale([] { frmOpzioni->apri(); },
              [&](QWidget *) {
                  TfrmOpzioni *o = frmOpzioni;
                  o->PageControl1->setCurrentIndex(TfrmOpzioni::pagContabilita);
                  scegli(o->DBLookupComboBox21, "Iva 22%");
                  dialoghi().expectMessage("Sei sicuro di voler aggiornare l'iva di tutte le tariffe ?", QMessageBox::No);
                  o->Button1->click();
                  QCOMPARE(tariffa(1), QString("10|2|99"));
                  dialoghi().expectMessage("Sei sicuro di voler aggiornare l'iva di tutte le tariffe ?", QMessageBox::Yes);
                  dialoghi().expectMessage("Articoli cambiati con successo !");
                  o->Button1->click();
                  QCOMPARE(tariffa(1), QString("22|%1|109.8").arg(iva22));
                  QCOMPARE(tariffa(2), QString("22|%1|0").arg(iva22));
                  QCOMPARE(tariffa(3), QString("22|%1|61").arg(iva22));
                  // The price list shows the new values and holds no pending row.
                  QVERIFY(!form_DB->Table1->isEditing());
                  QVERIFY(form_DB->Table1->locate("Id", 1));
                  QCOMPARE(form_DB->Table1->fieldByName("PrezzoCompleto").asFloat(), 109.8);
                  o->spdIndietro->click();
              });
    QCOMPARE(dialoghi().messages().first().caption, QString("Messaggio di avviso"));
    QCOMPARE(dialoghi().messages().last().caption, QString("Messaggio di avviso"));
    // The withdrawn tariff is not in the price list and keeps its rate.
    QCOMPARE(tariffa(4), QString("10|2|88"));
    QCOMPARE(valore("select AliquotaIva from opzioni").toDouble(), 22.0);
}

void TestOpzioniContabilita::tariffaRifiutataNonCambiaNulla()
{
    avvia();
    // "Traino", last in the price list's order, is refused after the other two have been written.
    form_DB->Connessione.executeNative(
        "CREATE TRIGGER rifiuta BEFORE UPDATE ON prezziar WHEN NEW.Id = 1 BEGIN SELECT RAISE(ABORT, 'tariffa rifiutata'); END");
    conModale([] { frmOpzioni->apri(); },
              [&](QWidget *) {
                  TfrmOpzioni *o = frmOpzioni;
                  scegli(o->DBLookupComboBox21, "Iva 22%");
                  dialoghi().expectMessage("Sei sicuro di voler aggiornare l'iva di tutte le tariffe ?", QMessageBox::Yes);
                  dialoghi().expectMessage("tariffa rifiutata");
                  o->Button1->click();
                  QVERIFY(!form_DB->Table1->isEditing());
                  o->spdIndietro->click();
              });
    QCOMPARE(dialoghi().messages().size(), 2);
    QCOMPARE(dialoghi().messages().last().caption, QString("Messaggio di errore"));
    for (int id : {1, 2, 3}) QCOMPARE(tariffa(id).section(u'|', 0, 1), QString("10|2"));
    QCOMPARE(tariffa(1), QString("10|2|99"));
}

void TestOpzioniContabilita::serieFatturazioni()
{
    avvia();
    conModale([] { frmOpzioni->apri(); },
              [&](QWidget *) {
                  TfrmOpzioni *o = frmOpzioni;
                  bool aperta = false;
                  conModale([o] { o->Button3->click(); },
                            [&](QWidget *w) {
                                aperta = w == static_cast<QWidget *>(frmSerieFatturazione);
                                frmSerieFatturazione->spdIndietro->click();
                            });
                  QVERIFY(aperta);
                  QVERIFY(o->isVisible());
                  o->spdIndietro->click();
              });
}
