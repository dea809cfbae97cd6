#include "tst_notacreditoriferimento.h"

#include "Ambiente.h"
#include "Banco.h"
#include "data/DB.h"
#include "db/Query.h"
#include "forms/DetailForm.h"
#include "forms/Registro.h"
#include "sales/EditorNotaCredito.h"
#include "sales/GrigliaNoteCredito.h"
#include "widgets/DBLookupComboBox.h"
#include "widgets/DBText.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

using ambiente::conModale;

namespace {

std::unique_ptr<banco::Banco> g_banco;
testing_support::ScriptedDialogs &dialoghi() { return g_banco->dialoghi(); }

QVariant valore(const QString &sql, qint64 id)
{
    return form_DB->Connessione.scalar(sql, {{QStringLiteral(":id"), id}});
}
QString centesimi(const QString &sql, qint64 id) { return QString::number(qRound64(valore(sql, id).toDouble() * 100)); }

// VAT 22% (Iva 1) and 10% (Iva 2); the customer's method 3 pays in two instalments at 30 and
// 60 days; the credit notes' accounts 51 (general), 52 (transport), 53 (collection).
// Customer 1 has invoice 10 (number 4 of 12/11/2025) and invoice 11 (number 7 of 27/02/2026,
// series A) with a towing row at 22% less 10%, a "D" storage row at 10% and an "s" collection
// row at 22%; customer 2 has invoice 12; credit note 6 (number 2 of 01/03/2026) is customer 1's.
QStringList archivio()
{
    return {
        "delete from Iva",
        "insert into Iva (ID, Descrizione, Iva) values (1, 'Iva 22%', 22), (2, 'Iva 10%', 10)",
        "insert into ModPagamento (id, Descrizione, NumeroScadenze, GG1Scadenza, GG2Scadenza) values "
        "(2, 'Rimessa diretta', 1, 0, 0), (3, 'Bonifico 30 60 gg', 2, 30, 60)",
        "insert into Bank (Id, Banca) values (1, 'Banca del Borgo')",
        "update opzioni set Bank_ID = 1, ModPagamento_Id = 2, AliquotaIva = 22, Iva_Id = 1, IncrementaNumeroRigaArticoli = true, "
        "DuplicaFatturazioneInPrimaNota = false, NumerazioneUnicaNoteCredito = false, "
        "conto_ID_Predefinito_su_NoteCreditoVendita_Generale = 51, conto_ID_Predefinito_su_NoteCreditoVendita_SpeseTrasporto = 52, "
        "conto_ID_Predefinito_su_NoteCreditoVendita_SpeseIncasso = 53",
        "insert into Clienti (Id, Cognome, NominativoVisualizzato, NominativoDocumenti, Pagamento_ID, ScissionePagamenti, "
        "PubblicaAmministrazione) values (1, 'Bianchi', 'Autofficina Bianchi Srl', 'Autofficina Bianchi Srl', 3, false, false), "
        "(2, 'Verdi', 'Carrozzeria Verdi', 'Carrozzeria Verdi', 2, false, false)",
        "insert into fattura (ID, Num, Data, Cliente_ID, Cliente, ModPagamento_Id, SerieFatturazione, TotFattura, Carico, FattNota, "
        "Storico) values "
        "(10, 4, #11/12/2025#, 1, 'Autofficina Bianchi Srl', 2, 'A', 61, false, false, true), "
        "(11, 7, #2/27/2026#, 1, 'Autofficina Bianchi Srl', 2, 'A', 233.68, false, false, false), "
        "(12, 8, #2/28/2026#, 2, 'Carrozzeria Verdi', 2, 'A', 122, false, false, false), "
        "(6, 2, #3/1/2026#, 1, 'Autofficina Bianchi Srl', 3, 'A', 12.2, false, true, false)",
        "update fattura set Banca_ID = 1 where ID = 6",
        "insert into fattdett (NumFatt, NumeroRiga, TipoRiga, Um, ValoreUnitario, Sconto, AliquotaIva, Iva_ID, TotaleImponibile, "
        "ValoreTotale, Descrizione) values (10, 1, 'A', 1, 50, 0, 22, 1, 50, 61, 'Soccorso stradale'), "
        "(11, 1, 'A', 2, 85.5, 10, 22, 1, 153.9, 187.76, 'Traino autostradale'), "
        "(11, 2, 'D', 3, 12.4, 0, 10, 2, 37.2, 40.92, 'Deposito veicolo'), "
        "(11, 3, 's', 1, 4.1, 0, 22, 1, 4.1, 5, 'Spese di incasso'), "
        "(12, 1, 'A', 1, 100, 0, 22, 1, 100, 122, 'Traino urbano')",
        "insert into NotaCreditoRighe (NotaCredito_ID, NumeroRiga, TipoRiga, Um, ValoreUnitario, Sconto, AliquotaIva, Iva_Id, "
        "TotaleImponibile, ValoreTotale, Descrizione) values (6, 1, 'A', 1, 10, 0, 22, 1, 10, 12.2, 'Riga della nota')",
        "insert into FatturaScadenze (Fattura_ID, Numero, Operazione, DataScadenza, Importo, Tipo, Pagato, Cliente_id, "
        "ModPagamento_Id, Banca_ID) values (6, 1, 'Nota 2 rata 1', #3/31/2026#, 6.1, 'N', false, 1, 3, 1), "
        "(6, 2, 'Nota 2 rata 2', #4/30/2026#, 6.1, 'N', false, 1, 3, 1)",
    };
}

// The credit note's rows as stored, one text each, in row order.
QStringList righe(qint64 id)
{
    db::Query q(&form_DB->Connessione);
    q.setSql(QStringLiteral("select * from NotaCreditoRighe where NotaCredito_ID = :id order by NumeroRiga"));
    q.bind(QStringLiteral(":id"), id);
    q.open();
    QStringList r;
    for (q.first(); !q.eof(); q.next()) {
        QStringList c{q.fieldByName("NumeroRiga").asString(), q.fieldByName("TipoRiga").asString(),
                      q.fieldByName("Descrizione").asString()};
        for (const char *n : {"Um", "ValoreUnitario", "Sconto", "AliquotaIva", "TotaleImponibile", "ValoreTotale"})
            c << QString::number(q.fieldByName(QLatin1String(n)).asFloat());
        c << q.fieldByName("ContabilitaConti_ID").asString() << q.fieldByName("Fattura_ID").asString();
        r << c.join(u'|');
    }
    return r;
}

// The instalments as stored: "number due-date amount-in-cents type customer", in number order.
QStringList rate(qint64 id)
{
    db::Query q(&form_DB->Connessione);
    q.setSql(QStringLiteral("select * from FatturaScadenze where Fattura_ID = :id order by Numero"));
    q.bind(QStringLiteral(":id"), id);
    q.open();
    QStringList r;
    for (q.first(); !q.eof(); q.next())
        r << QStringList{q.fieldByName("Numero").asString(), q.fieldByName("DataScadenza").asDateTime().toString("dd/MM/yyyy"),
                         QString::number(qRound64(q.fieldByName("Importo").asFloat() * 100)), q.fieldByName("Tipo").asString(),
                         q.fieldByName("Cliente_id").asString()}
                 .join(u' ');
    return r;
}

// The credit note's reference as stored: "number date series invoice-id".
QString riferimento(qint64 id)
{
    db::Query q(&form_DB->Connessione);
    q.setSql(QStringLiteral("select NCFattNumRif, NCFattDataRif, NCFatSerieRif, NCFattIDRif from fattura where ID = :id"));
    q.bind(QStringLiteral(":id"), id);
    q.open();
    return QStringList{q.fieldByName("NCFattNumRif").asString(), q.fieldByName("NCFattDataRif").asDateTime().toString("dd/MM/yyyy"),
                       q.fieldByName("NCFatSerieRif").asString(), q.fieldByName("NCFattIDRif").asString()}
        .join(u' ');
}

void scegli(ui::DBLookupComboBox *l, const QString &testo)
{
    const int i = l->findText(testo);
    QVERIFY2(i >= 0, qPrintable(testo));
    l->setCurrentIndex(i);
    Q_EMIT l->activated(i);
}

// Types into a box as the user does, then leaves it.
void scrivi(QLineEdit *e, const QString &testo)
{
    e->setFocus();
    e->selectAll();
    QTest::keyClick(e, Qt::Key_Delete);
    if (!testo.isEmpty()) QTest::keyClicks(e, testo);
    QTest::keyClick(e, Qt::Key_Tab);
}

// The ids the finder lists, in its order.
QList<qint64> elencate()
{
    db::Query *q = form_DB->TableTrovaFattura;
    QList<qint64> r;
    for (int i = 0; i < q->recordCount(); ++i) r << q->valueAt(i, q->fieldIndex("ID")).toLongLong();
    return r;
}

QDialog *trovaFattura() { return qobject_cast<QDialog *>(forms::Registro::istanza().voce("frmTrovaFattura")->corrente()); }
forms::DetailForm *dettaglioScadenza()
{
    return qobject_cast<forms::DetailForm *>(forms::Registro::istanza().voce("frmScadenziarioDettaglio")->corrente());
}

// The list's "Avanti" on the credit note `id`: `azione` in the editor, then "Indietro", which
// must close it.
void nellEditore(qint64 id, const std::function<void()> &azione)
{
    TfrmGrigliaNoteCredito *l = frmGrigliaNoteCredito;
    l->spdAggiornaClick();
    QVERIFY(form_DB->TableNotaCredito->locate("ID", id));
    bool chiuso = false;
    conModale([l] { l->spdAvanti->click(); },
              [&](QWidget *w) {
                  QCOMPARE(w, static_cast<QWidget *>(frmNotaCredito));
                  QCOMPARE(frmNotaCredito->idDocumento(), id);
                  azione();
                  frmNotaCredito->spdIndietroClick();
                  chiuso = !frmNotaCredito->isVisible();
                  if (!chiuso) {
                      frmNotaCredito->DatiModificati = false;
                      frmNotaCredito->spdIndietroClick();
                  }
              });
    QVERIFY2(chiuso, "l'editor della nota di credito non si è chiuso con Indietro");
}

// The instalment editor as a supplier's document leaves it: the credit note must turn it back.
void lasciatoPerFornitore()
{
    forms::DetailForm *d = dettaglioScadenza();
    d->findChild<QLabel *>("Label2")->setText(QStringLiteral("Fornitore"));
    d->findChild<QWidget *>("LookClienti")->setVisible(false);
    d->findChild<QWidget *>("LookFornitori")->setVisible(true);
}

// The instalment editor as the credit note shows it: for a customer, with the customer's name.
void verificaParteCliente(forms::DetailForm *d)
{
    QCOMPARE(d->findChild<QLabel *>("Label2")->text(), QStringLiteral("Cliente"));
    auto *clienti = d->findChild<ui::DBLookupComboBox *>("LookClienti");
    QVERIFY(clienti->isVisibleTo(d));
    QVERIFY(!d->findChild<QWidget *>("LookFornitori")->isVisibleTo(d));
    QCOMPARE(clienti->currentText(), QStringLiteral("Autofficina Bianchi Srl"));
}

} // namespace

void TestNotaCreditoRiferimento::init()
{
    g_banco = std::make_unique<banco::Banco>(QStringList{"frmGrigliaNoteCredito", "frmNotaCredito", "frmModificaNotaCreditoRighe",
                                                         "frmTrovaFattura", "frmScadenziarioDettaglio"},
                                             archivio());
}

void TestNotaCreditoRiferimento::cleanup()
{
    const bool pulito = dialoghi().clean();
    const QString resoconto = dialoghi().report();
    g_banco.reset();
    QVERIFY2(pulito, qPrintable(resoconto));
}

void TestNotaCreditoRiferimento::dallaFatturaTrovata()
{
    TfrmGrigliaNoteCredito *l = frmGrigliaNoteCredito;
    qint64 id = 0;
    QList<qint64> elenco;
    QString riferimentoMostrato;
    bool finderAperto = false;
    bool chiusa = false;
    conModale([l] { l->spdInserisci->click(); },
              [&](QWidget *w) {
                  TfrmNotaCredito *f = frmNotaCredito;
                  QCOMPARE(w, static_cast<QWidget *>(f));
                  id = f->idDocumento();
                  scegli(f->DBLookupComboBox3, "Autofficina Bianchi Srl");
                  QVERIFY(f->Button3->isEnabled());
                  conModale([f] { f->Button3->click(); },
                            [&](QWidget *t) {
                                finderAperto = t == trovaFattura();
                                elenco = elencate();
                                QVERIFY(form_DB->TableTrovaFattura->locate("ID", 11));
                                t->findChild<QToolButton *>("spdAvanti")->click();
                            });
                  riferimentoMostrato = f->DBText1->text() + u' ' + f->DBText2->text() + u' ' + f->DBText3->text();
                  dialoghi().expectMessage("Importazione avvenuta con successo !");
                  f->btnImporta->click();
                  // Every check passes: "Indietro" saves and closes.
                  f->spdIndietroClick();
                  chiusa = !f->isVisible();
              });
    QVERIFY(finderAperto);
    QVERIFY(chiusa);
    QVERIFY(id > 12);
    // Both years of this customer's invoices, neither the other customer's nor a credit note.
    QCOMPARE(elenco, (QList<qint64>{10, 11}));
    QCOMPARE(riferimentoMostrato, QStringLiteral("7 A 27/02/2026"));
    QCOMPARE(riferimento(id), QStringLiteral("7 27/02/2026 A 11"));
    QCOMPARE(dialoghi().messages().last().caption, QStringLiteral("Messaggio di Conferma"));
    // "D" became "N", the lower-case collection row kept its type and got the collection account.
    QCOMPARE(righe(id), (QStringList{"1|A|Traino autostradale|2|85.5|10|22|153.9|187.76|51|11",
                                     "2|N|Deposito veicolo|3|12.4|0|10|37.2|40.92|51|11",
                                     "3|s|Spese di incasso|1|4.1|0|22|4.1|5|53|11"}));
    QCOMPARE(form_DB->Connessione
                 .scalar("select count(*) from NotaCreditoRighe where NotaCredito_ID = :id and "
                         "Note = ' Fattura numero: 7 Serie: A Data: 27/02/2026'",
                         {{":id", id}})
                 .toInt(),
             3);
    // 22%: 2 x 85.50 less 10% = 153.90, + 4.10 = 158.00, VAT 34.76; 10%: 3 x 12.40 = 37.20, VAT 3.72.
    QCOMPARE(centesimi("select TotImponibile from fattura where ID = :id", id), QStringLiteral("19520"));
    QCOMPARE(centesimi("select TotImposta from fattura where ID = :id", id), QStringLiteral("3848"));
    QCOMPARE(centesimi("select TotFattura from fattura where ID = :id", id), QStringLiteral("23368"));
    // The customer's method: two instalments at 30 and 60 days from the credit note's date.
    QCOMPARE(rate(id), (QStringList{"1 14/04/2026 11684 N 1", "2 14/05/2026 11684 N 1"}));
    // The invoice keeps its rows.
    QCOMPARE(form_DB->Connessione.scalar("select count(*) from fattdett where NumFatt = 11").toInt(), 3);
}

void TestNotaCreditoRiferimento::trovaFatturaIndietro()
{
    g_banco->esegui("update fattura set NCFattIDRif = 10, NCFattNumRif = 4, NCFatSerieRif = 'A', NCFattDataRif = #11/12/2025# "
                    "where ID = 6");
    QString mostrato;
    nellEditore(6, [&] {
        conModale([] { frmNotaCredito->Button3->click(); },
                  [&](QWidget *t) {
                      QCOMPARE(t, static_cast<QWidget *>(trovaFattura()));
                      // Standing on another invoice, the user goes back.
                      QVERIFY(form_DB->TableTrovaFattura->locate("ID", 11));
                      t->findChild<QToolButton *>("spdIndietro")->click();
                  });
        mostrato = frmNotaCredito->DBText1->text();
    });
    QCOMPARE(mostrato, QStringLiteral("4"));
    QCOMPARE(riferimento(6), QStringLiteral("4 12/11/2025 A 10"));
    QCOMPARE(form_DB->Connessione.scalar("select count(*) from NotaCreditoRighe where NotaCredito_ID = 6").toInt(), 1);
}

void TestNotaCreditoRiferimento::modificaScadenza()
{
    bool aperto = false;
    nellEditore(6, [&] {
        QVERIFY(frmNotaCredito->spdModificaPiccolo->isEnabled());
        QVERIFY(form_DB->TableFatturaScadenze->locate("Numero", 2));
        lasciatoPerFornitore();
        conModale([] { frmNotaCredito->spdModificaPiccolo->click(); },
                  [&](QWidget *w) {
                      forms::DetailForm *d = dettaglioScadenza();
                      aperto = w == d;
                      verificaParteCliente(d);
                      scrivi(d->findChild<QLineEdit *>("DBEdit4"), "7,35");
                      d->spdIndietro->click();
                      QVERIFY(!d->isVisible());
                  });
    });
    QVERIFY(aperto);
    QCOMPARE(rate(6), (QStringList{"1 31/03/2026 610 N 1", "2 30/04/2026 735 N 1"}));
}

void TestNotaCreditoRiferimento::aggiungiScadenza()
{
    bool aperto = false;
    nellEditore(6, [&] {
        QVERIFY(frmNotaCredito->spdInserisciPiccolo->isEnabled());
        lasciatoPerFornitore();
        conModale([] { frmNotaCredito->spdInserisciPiccolo->click(); },
                  [&](QWidget *w) {
                      forms::DetailForm *d = dettaglioScadenza();
                      aperto = w == d;
                      verificaParteCliente(d);
                      scrivi(d->findChild<QLineEdit *>("DBEdit1"), "Nota 2 rata 3");
                      scrivi(d->findChild<QLineEdit *>("DBEdit4"), "2,50");
                      d->spdIndietro->click();
                      QVERIFY(!d->isVisible());
                  });
    });
    QVERIFY(aperto);
    // Dated today, for the credit note's customer, with its method and bank.
    QCOMPARE(rate(6), (QStringList{"1 31/03/2026 610 N 1", "2 30/04/2026 610 N 1", "3 15/03/2026 250 N 1"}));
    QCOMPARE(form_DB->Connessione
                 .scalar("select count(*) from FatturaScadenze where Fattura_ID = 6 and Numero = 3 and ModPagamento_Id = 3 "
                         "and Banca_ID = 1 and Operazione = 'Nota 2 rata 3' and Pagato = false")
                 .toInt(),
             1);
}
