#include "tst_notecredito.h"

#include "Ambiente.h"
#include "Banco.h"
#include "Program.h"
#include "app/Frm1.h"
#include "data/DB.h"
#include "db/Query.h"
#include "forms/ListForm.h"
#include "forms/Registro.h"
#include "masterdata/Tariffe.h"
#include "sales/EditorNotaCredito.h"
#include "sales/GrigliaNoteCredito.h"
#include "sales/ModificaAllegati.h"
#include "sales/ModificaNotaCreditoRighe.h"
#include "widgets/DBEdit.h"
#include "widgets/DBLookupComboBox.h"
#include "widgets/DBMemo.h"
#include "widgets/DBText.h"
#include "widgets/MaskedDateEdit.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using ambiente::conModale;

namespace {

std::unique_ptr<banco::Banco> g_banco;
// The credit note the stages follow (0 until "Aggiungi" has stored it).
qint64 g_id = 0;

testing_support::ScriptedDialogs &dialoghi() { return g_banco->dialoghi(); }

QVariant valore(const QString &sql, qint64 id = g_id)
{
    if (!sql.contains(QLatin1String(":id"))) return form_DB->Connessione.scalar(sql);
    return form_DB->Connessione.scalar(sql, {{QStringLiteral(":id"), id}});
}
int conta(const QString &sql, qint64 id = g_id) { return valore(sql, id).toInt(); }
QString centesimi(double v) { return QString::number(qRound64(v * 100)); }
QString centesimi(const QString &sql, qint64 id = g_id) { return centesimi(valore(sql, id).toDouble()); }

// The office: VAT 22% (Iva 1) and 10% (Iva 2); the default payment method 2 pays at once,
// method 3 in two instalments at 30 and 60 days, the customer's; documents mirrored in the
// cash book; the credit notes' three accounts 51, 52, 53; transport costs 25 with VAT. Invoice
// 5 (number 7 of 27/02/2026, progressive 12) has a "D" row and an "S" row; credit note 6
// (number 2 of 01/03/2026, progressive 11) has one row of 10 at 22%. Numbering separate.
QStringList archivio()
{
    return {
        "delete from Iva",
        "insert into Iva (ID, Descrizione, Iva) values (1, 'Iva 22%', 22), (2, 'Iva 10%', 10)",
        "insert into ModPagamento (id, Descrizione, NumeroScadenze, GG1Scadenza, GG2Scadenza) values "
        "(2, 'Rimessa diretta', 1, 0, 0), (3, 'Bonifico 30 60 gg', 2, 30, 60)",
        "insert into Bank (Id, Banca) values (1, 'Banca del Borgo')",
        "update opzioni set Bank_ID = 1, ModPagamento_Id = 2, AliquotaIva = 22, Iva_Id = 1, IncrementaNumeroRigaArticoli = true, "
        "Spese_di_Trasporto = 25, Spese_di_Incasso = 5, DuplicaFatturazioneInPrimaNota = true, NumerazioneUnicaNoteCredito = false, "
        "conto_ID_Predefinito_su_NoteCreditoVendita_Generale = 51, conto_ID_Predefinito_su_NoteCreditoVendita_SpeseTrasporto = 52, "
        "conto_ID_Predefinito_su_NoteCreditoVendita_SpeseIncasso = 53",
        "insert into Clienti (Id, Cognome, NominativoVisualizzato, NominativoDocumenti, Pagamento_ID, ScissionePagamenti, "
        "PubblicaAmministrazione, Sconto) values (1, 'Bianchi', 'Autofficina Bianchi Srl', 'Autofficina Bianchi Srl', 3, false, "
        "false, null)",
        "insert into prezziar (Codice, Descrizione, Prezzo, AliquotaIva, Iva_Id, Sconto, TipoTariffa_Id, Annullato) values "
        "('TRA', 'Traino autostradale', 85.5, 22, 1, 10, 2, false), ('CUS', 'Custodia giornaliera', 12.4, 10, 2, null, 2, false)",
        "insert into fattura (ID, Num, Data, Cliente_ID, Cliente, ModPagamento_Id, Carico, FattNota, Storico, "
        "DatiTrasmissione_NumeroInterno, DatiTrasmissione_ProgressivoInvio) values "
        "(5, 7, #2/27/2026#, 1, 'Autofficina Bianchi Srl', 2, false, false, false, 12, 12), "
        "(6, 2, #3/1/2026#, 1, 'Autofficina Bianchi Srl', 2, false, true, false, 11, 11)",
        "insert into fattdett (NumFatt, NumeroRiga, TipoRiga, Um, ValoreUnitario, Sconto, AliquotaIva, Iva_ID, TotaleImponibile, "
        "ValoreTotale, Descrizione) values (5, 1, 'D', 1, 100, 0, 22, 1, 100, 122, 'Deposito veicolo'), "
        "(5, 2, 'S', 1, 4.1, 0, 22, 1, 4.1, 5, 'Spese di Incasso')",
        "insert into NotaCreditoRighe (NotaCredito_ID, NumeroRiga, TipoRiga, Um, ValoreUnitario, Sconto, AliquotaIva, Iva_Id, "
        "Descrizione) values (6, 1, 'A', 1, 10, 0, 22, 1, 'Riga della nota')",
    };
}

QStringList formNote()
{
    return {"frmGrigliaNoteCredito", "frmNotaCredito", "frmModificaNotaCreditoRighe", "Form2", "frmModifica_Fattura_Allegati"};
}

// The credit note's rows as stored, one text each, in row order.
QStringList righe(qint64 id = g_id)
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
        c << q.fieldByName("ContabilitaConti_ID").asString();
        r << c.join(u'|');
    }
    return r;
}

// The instalments as stored: "due date amount-in-cents", in due-date order.
QStringList rate(qint64 id = g_id)
{
    db::Query q(&form_DB->Connessione);
    q.setSql(QStringLiteral("select * from FatturaScadenze where Fattura_ID = :id order by DataScadenza"));
    q.bind(QStringLiteral(":id"), id);
    q.open();
    QStringList r;
    for (q.first(); !q.eof(); q.next())
        r << q.fieldByName("DataScadenza").asDateTime().toString("dd/MM/yyyy") + u' '
                 + QString::number(qRound64(q.fieldByName("Importo").asFloat() * 100));
    return r;
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

void svuotaLookup(ui::DBLookupComboBox *l)
{
    l->setFocus();
    QTest::keyClick(l, Qt::Key_Backspace);
}

// `azione` runs once `finestra` is the modal window in front: a form that opens after another
// one has closed, within the same click.
void quandoModale(QWidget *finestra, std::function<void()> azione)
{
    auto *t = new QTimer;
    t->setInterval(10);
    auto fatto = std::make_shared<bool>(false);
    QObject::connect(t, &QTimer::timeout, [t, finestra, azione, fatto] {
        if (*fatto || QApplication::activeModalWidget() != finestra || !finestra->isVisible()) return;
        *fatto = true;
        t->stop();
        t->deleteLater();
        azione();
    });
    QTimer::singleShot(5000, t, [t] { t->deleteLater(); });
    t->start();
}

// The list's "Avanti" on the credit note `id`: the editor shown modally, `azione` run in it,
// then "Indietro", which must close it.
void nellEditore(qint64 id, const std::function<void()> &azione)
{
    TfrmGrigliaNoteCredito *l = frmGrigliaNoteCredito;
    l->spdAggiornaClick();
    QVERIFY(form_DB->TableNotaCredito->locate("ID", id));
    bool chiuso = false;
    conModale([l] { l->spdAvanti->click(); },
              [&](QWidget *w) {
                  QCOMPARE(w, static_cast<QWidget *>(frmNotaCredito));
                  frmNotaCredito->activateWindow();
                  QVERIFY(QTest::qWaitForWindowActive(frmNotaCredito));
                  QCOMPARE(frmNotaCredito->idDocumento(), id);
                  azione();
                  frmNotaCredito->spdIndietroClick();
                  chiuso = !frmNotaCredito->isVisible();
                  if (!chiuso) {
                      frmNotaCredito->DatiModificati = false;
                      frmNotaCredito->SalvataggioFallito = false;
                      frmNotaCredito->spdIndietroClick();
                  }
              });
    QVERIFY2(chiuso, "l'editor della nota di credito non si è chiuso con Indietro");
}

void pagina(const QString &titolo)
{
    QTabWidget *p = frmNotaCredito->PageControl1;
    for (int i = 0; i < p->count(); ++i)
        if (p->tabText(i).trimmed() == titolo) {
            p->setCurrentIndex(i);
            return;
        }
    QFAIL(qPrintable("nessuna pagina " + titolo));
}

QString testoPdf(const QString &path)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!p.waitForFinished(60000) || p.exitCode() != 0) return QStringLiteral("<pdftotext failed>");
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The report program beside a program folder of the test's own, run in-process.
struct ProgrammaDiStampa {
    QTemporaryDir cartella;
    testing_support::FakeWorkstation postazione;
    testing_support::ScriptedLauncher avvio;
    core::Workstation *postazionePrima = &core::Workstation::instance();
    ui::Launcher *avvioPrima = &ui::Launcher::instance();
    ProgrammaDiStampa()
    {
        QDir().mkpath(cartella.filePath("reports"));
        for (const QString &nome : QDir(QStringLiteral(SOURCE_DIR "/reports")).entryList({"*.rpt"}))
            QFile::copy(QStringLiteral(SOURCE_DIR "/reports/") + nome, cartella.filePath("reports/" + nome));
        postazione.folder = cartella.path();
        core::Workstation::setInstance(&postazione);
        avvio.behaviour = [](const QString &, const QStringList &args) {
            return stampa::run(QStringList{QStringLiteral("stampa")} + args, false);
        };
        ui::Launcher::setInstance(&avvio);
    }
    ~ProgrammaDiStampa()
    {
        ui::Launcher::setInstance(avvioPrima);
        core::Workstation::setInstance(postazionePrima);
    }
};

const QStringList kTabelle = {"select count(*) from fattura where ID = :id",
                              "select count(*) from NotaCreditoRighe where NotaCredito_ID = :id",
                              "select count(*) from FatturaScadenze where Fattura_ID = :id",
                              "select count(*) from finanzia where Fattura_ID = :id or FatturaScadenze_Id in "
                              "(select Id from FatturaScadenze where Fattura_ID = :id)",
                              "select count(*) from Fattura_Allegati where Fattura_Id = :id"};

} // namespace

// ---------------------------------------------------------------- one credit note, stage by stage

void TestNotaCreditoIntera::initTestCase()
{
    g_id = 0;
    g_banco = std::make_unique<banco::Banco>(formNote(), archivio());
}

void TestNotaCreditoIntera::cleanupTestCase()
{
    const bool pulito = dialoghi().clean();
    const QString resoconto = dialoghi().report();
    g_banco.reset();
    QVERIFY2(pulito, qPrintable(resoconto));
}

void TestNotaCreditoIntera::aggiungiDallElenco()
{
    TfrmGrigliaNoteCredito *l = frmGrigliaNoteCredito;
    bool restaAperta = false;
    conModale([l] { l->spdInserisci->click(); },
              [&](QWidget *w) {
                  TfrmNotaCredito *f = frmNotaCredito;
                  QCOMPARE(w, static_cast<QWidget *>(f));
                  g_id = f->idDocumento();
                  QCOMPARE(f->DBEdit2->text(), QStringLiteral("3"));
                  QCOMPARE(f->DBEdit1->text(), QStringLiteral("15/03/2026"));
                  QVERIFY(f->DatiModificati);
                  QVERIFY(f->spdAnnulla->isVisible());
                  // Opened as modified: "Indietro" runs the checks, and the customer is missing.
                  dialoghi().expectMessage("Attenzione manca il Cliente");
                  f->spdIndietroClick();
                  restaAperta = f->isVisible();
                  scegli(f->DBLookupComboBox3, "Autofficina Bianchi Srl");
                  // The customer's method, the schedule rebuilt at once.
                  QCOMPARE(form_DB->TableFatturaScadenze->recordCount(), 2);
                  f->spdIndietroClick();
              });
    QVERIFY(restaAperta);
    QVERIFY(!frmNotaCredito->isVisible());
    QVERIFY(g_id > 6);
    QCOMPARE(l->ultimaAggiunta(), g_id);
    QCOMPARE(dialoghi().messages().last().caption, QStringLiteral("Messaggio di errore"));
    // Numbered among the credit notes (invoice 7 does not count), the progressive after 12.
    QCOMPARE(valore("select Num from fattura where ID = :id").toInt(), 3);
    QCOMPARE(valore("select DatiTrasmissione_NumeroInterno from fattura where ID = :id").toInt(), 13);
    QCOMPARE(valore("select DatiTrasmissione_ProgressivoInvio from fattura where ID = :id").toInt(), 13);
    QCOMPARE(conta("select count(*) from fattura where ID = :id and FattNota = true and Carico = false and Storico = false"), 1);
    QCOMPARE(valore("select Cliente from fattura where ID = :id").toString(), QStringLiteral("Autofficina Bianchi Srl"));
    QCOMPARE(valore("select DatiTrasmissione_FormatoTrasmissione from fattura where ID = :id").toString(), QStringLiteral("FPR12"));
    QCOMPARE(valore("select ModPagamento_Id from fattura where ID = :id").toInt(), 3);
    QCOMPARE(valore("select Banca_ID from fattura where ID = :id").toInt(), 1);
    QCOMPARE(rate(), (QStringList{"14/04/2026 0", "14/05/2026 0"}));
    QCOMPARE(conta("select count(*) from FatturaScadenze where Fattura_ID = :id and Tipo = 'N'"), 2);
}

void TestNotaCreditoIntera::righeDalListinoESpeciale()
{
    if (g_id == 0) QSKIP("nessuna nota di credito aggiunta");
    QString totaleSenzaTrasporto;
    nellEditore(g_id, [&] {
        pagina("Righe");
        QVERIFY(frmNotaCredito->GroupBox2->isVisible());
        // Two tariffs picked in the price list; the row editor then opens on the last one.
        bool rigaMostrata = false;
        conModale([] { frmNotaCredito->spdInserisciDett->click(); },
                  [&](QWidget *w) {
                      QCOMPARE(w, static_cast<QWidget *>(Form2));
                      db::Query *q = form_DB->Table1;
                      q->clearSelection();
                      int riga = 0;
                      for (q->first(); !q->eof(); q->next(), ++riga)
                          if (QStringList{"TRA", "CUS"}.contains(q->fieldByName("Codice").asString())) q->setRowSelected(riga, true);
                      quandoModale(frmModificaNotaCreditoRighe, [&] {
                          TfrmModificaNotaCreditoRighe *f = frmModificaNotaCreditoRighe;
                          rigaMostrata = true;
                          QVERIFY(f->spdAnnulla->isVisible());
                          QCOMPARE(f->DBMemo1->toPlainText(), QStringLiteral("Traino autostradale"));
                          f->spdIndietro->click();
                      });
                      Form2->spdAvanti->click();
                  });
        QVERIFY(rigaMostrata);
        QVERIFY(!frmModificaNotaCreditoRighe->isVisible());
        totaleSenzaTrasporto = centesimi("select TotFattura from fattura where ID = :id");
        // "Spese di Trasporto": stored, completed in the row editor (two of them).
        conModale([] { frmNotaCredito->SpeedButton11->click(); },
                  [&](QWidget *w) {
                      TfrmModificaNotaCreditoRighe *f = frmModificaNotaCreditoRighe;
                      QCOMPARE(w, static_cast<QWidget *>(f));
                      QVERIFY(QTest::qWaitForWindowActive(w));
                      // The totals do not count the new row yet.
                      QCOMPARE(centesimi("select TotFattura from fattura where ID = :id"), totaleSenzaTrasporto);
                      scrivi(f->DBEdit4, "2");
                      f->spdIndietro->click();
                      QVERIFY(!f->isVisible());
                  });
    });
    // Custodia 12.40 at 10%; Traino 85.50 less 10% = 76.95 at 22%: 12.40 + 1.24 + 76.95 + 16.93.
    QCOMPARE(totaleSenzaTrasporto, QStringLiteral("10752"));
    // Transport: 25 with VAT is 20.4918 a unit; two of them 40.9836, gross 50.00.
    QCOMPARE(righe(), (QStringList{"1|N|Custodia giornaliera|1|12.4|0|10|12.4|13.64|51",
                                   "2|N|Traino autostradale|1|85.5|10|22|76.95|93.88|51",
                                   "3|T|Spese di Trasporto|2|20.4918|0|22|40.9836|50|52"}));
    // 22%: 76.95 + 40.9836 = 117.9336 -> 117.93, VAT 25.95; 10%: 12.40, VAT 1.24.
    QCOMPARE(centesimi("select TotImponibile from fattura where ID = :id"), QStringLiteral("13033"));
    QCOMPARE(centesimi("select TotImposta from fattura where ID = :id"), QStringLiteral("2719"));
    QCOMPARE(centesimi("select TotFattura from fattura where ID = :id"), QStringLiteral("15752"));
    QCOMPARE(rate(), (QStringList{"14/04/2026 7876", "14/05/2026 7876"}));
    // The cash book mirrors the credit note with its kind '2'.
    QCOMPARE(conta("select count(*) from finanzia where Tipo = '2' and Fattura_ID = :id"), 1);
}

void TestNotaCreditoIntera::importaRigheDellaFattura()
{
    if (g_id == 0) QSKIP("nessuna nota di credito aggiunta");
    // The invoice the credit note corrects, as "Trova Fattura" records it.
    g_banco->esegui(QStringLiteral("update fattura set NCFattIDRif = 5, NCFattNumRif = 7, NCFatSerieRif = 'A', "
                                   "NCFattDataRif = #2/27/2026# where ID = %1")
                        .arg(g_id));
    nellEditore(g_id, [] {
        QCOMPARE(frmNotaCredito->DBText1->text(), QStringLiteral("7"));
        for (int volta = 0; volta < 2; ++volta) {
            dialoghi().expectMessage("Importazione avvenuta con successo !");
            frmNotaCredito->btnImporta->click();
        }
        QCOMPARE(dialoghi().messages().last().caption, QStringLiteral("Messaggio di Conferma"));
        QVERIFY(frmNotaCredito->DatiModificati);
        QCOMPARE(form_DB->TableNCRighe->recordCount(), 5);
    });
    // One copy of the invoice's rows: "D" became "N", the collection cost got its account.
    QCOMPARE(righe().mid(3), (QStringList{"4|N|Deposito veicolo|1|100|0|22|100|122|51", "5|S|Spese di Incasso|1|4.1|0|22|4.1|5|53"}));
    QCOMPARE(conta("select count(*) from NotaCreditoRighe where NotaCredito_ID = :id and Fattura_ID = 5 and "
                   "Note = ' Fattura numero: 7 Serie: A Data: 27/02/2026'"),
             2);
    // 22%: 117.9336 + 100 + 4.1 = 222.0336 -> 222.03, VAT 48.85; 10%: 12.40, VAT 1.24.
    QCOMPARE(centesimi("select TotImponibile from fattura where ID = :id"), QStringLiteral("23443"));
    QCOMPARE(centesimi("select TotImposta from fattura where ID = :id"), QStringLiteral("5009"));
    QCOMPARE(centesimi("select TotFattura from fattura where ID = :id"), QStringLiteral("28452"));
    QCOMPARE(rate(), (QStringList{"14/04/2026 14226", "14/05/2026 14226"}));
}

void TestNotaCreditoIntera::stampa()
{
    if (g_id == 0) QSKIP("nessuna nota di credito aggiunta");
    ProgrammaDiStampa programma;
    QTemporaryDir cartella;
    const QString file = cartella.filePath("nota.pdf");
    form_DB->TableNotaCredito->requery();
    QVERIFY(form_DB->TableNotaCredito->locate("ID", g_id));
    EsportaStampa = true;
    FileEsportazioneStampa = file;
    frmNotaCredito->SpeedButton8Click();
    EsportaStampa = false;
    QCOMPARE(CodiceStampa, 4);
    QCOMPARE(programma.avvio.started.size(), 1);
    const QString testo = testoPdf(file);
    for (const char *atteso : {"Autofficina Bianchi Srl", "Custodia giornaliera", "Traino autostradale", "Deposito veicolo",
                               "Spese di Trasporto", "234,43", "50,09", "284,52", "14/04/2026", "142,26"})
        QVERIFY2(testo.contains(QString::fromUtf8(atteso)), qPrintable(QString::fromUtf8(atteso) + " in:\n" + testo));
}

void TestNotaCreditoIntera::eliminazioneACascata()
{
    if (g_id == 0) QSKIP("nessuna nota di credito aggiunta");
    // An attachment, and an instalment paid with its cash-book row naming only the instalment.
    g_banco->esegui(QStringLiteral("insert into Fattura_Allegati (Fattura_Id, NomeAttachment) values (%1, 'a.pdf')").arg(g_id));
    g_banco->esegui(QStringLiteral("insert into finanzia (Fattura_ID, FatturaScadenze_Id) select 0, Id from FatturaScadenze "
                                   "where Fattura_ID = %1")
                        .arg(g_id));
    for (const QString &sql : kTabelle) QVERIFY2(conta(sql) > 0, qPrintable(sql));
    TfrmGrigliaNoteCredito *l = frmGrigliaNoteCredito;
    l->spdAggiornaClick();
    QVERIFY(form_DB->TableNotaCredito->locate("ID", g_id));
    dialoghi().expectMessage("Sei sicuro di voler eliminare la nota di credito?", QMessageBox::Yes);
    l->spdElimina->click();
    for (const QString &sql : kTabelle) QVERIFY2(conta(sql) == 0, qPrintable(sql));
    // The invoice and the other credit note keep their rows.
    QCOMPARE(conta("select count(*) from fattdett where NumFatt = 5"), 2);
    QCOMPARE(conta("select count(*) from NotaCreditoRighe where NotaCredito_ID = 6"), 1);
    QCOMPARE(form_DB->TableNotaCredito->fieldByName("ID").asLargeInt(), 6);
}

// ---------------------------------------------------------------- the editors' own behaviour

void TestEditorNotaCredito::init()
{
    g_id = 6;
    g_banco = std::make_unique<banco::Banco>(formNote(), archivio());
}

void TestEditorNotaCredito::cleanup()
{
    ModalitaStorico = false;
    const bool pulito = dialoghi().clean();
    const QString resoconto = dialoghi().report();
    g_banco.reset();
    QVERIFY2(pulito, qPrintable(resoconto));
}

void TestEditorNotaCredito::ordineDeiControlli()
{
    QStringList messaggi;
    QList<QWidget *> fuochi;
    nellEditore(6, [&] {
        TfrmNotaCredito *f = frmNotaCredito;
        const auto salvaERegistra = [&] {
            const qsizetype prima = dialoghi().messages().size();
            dialoghi().expectMessage(QString());
            f->spdIndietroClick();
            QVERIFY(f->isVisible());
            QCOMPARE(dialoghi().messages().size(), prima + 1);
            messaggi << dialoghi().messages().last().text;
            QCOMPARE(dialoghi().messages().last().caption, QStringLiteral("Messaggio di errore"));
            fuochi << QApplication::focusWidget();
        };
        // Everything missing at once: only the date is said.
        svuotaLookup(f->DBLookupComboBox3);
        svuotaLookup(f->DBLookupComboBox6);
        scrivi(f->DBEdit2, QString());
        scrivi(f->DBEdit1, QString());
        // Another page only warns; the save then brings "Testata" back.
        dialoghi().expectMessage("salvare il numero di Nota Credito");
        pagina("Altro");
        salvaERegistra();
        QCOMPARE(f->PageControl1->currentIndex(), 0);
        scrivi(f->DBEdit1, "01/03/2026");
        salvaERegistra();
        scegli(f->DBLookupComboBox6, "Rimessa diretta");
        salvaERegistra();
        scrivi(f->DBEdit2, "2");
        salvaERegistra();
        scegli(f->DBLookupComboBox3, "Autofficina Bianchi Srl");
    });
    QCOMPARE(messaggi, (QStringList{"Attenzione manca la data", "Attenzione manca la Modalità di pagamento",
                                    "Attenzione manca il numero di nota credito", "Attenzione manca il Cliente"}));
    QCOMPARE(fuochi, (QList<QWidget *>{frmNotaCredito->DBEdit1, frmNotaCredito->DBLookupComboBox6, frmNotaCredito->DBEdit2,
                                       frmNotaCredito->DBLookupComboBox3}));
    QCOMPARE(valore("select Cliente_ID from fattura where ID = 6").toInt(), 1);
}

void TestEditorNotaCredito::indietroSenzaModifiche()
{
    // Without customer and payment method, unchanged: "Indietro" closes without a check.
    g_banco->esegui("update fattura set Cliente_ID = null, Cliente = null, ModPagamento_Id = null where ID = 6");
    nellEditore(6, [] { QVERIFY(!frmNotaCredito->DatiModificati); });
    QVERIFY(dialoghi().messages().isEmpty());
    // After a change of the rows the same "Indietro" runs the checks: the totals marked it.
    bool aperta = false;
    nellEditore(6, [&] {
        dialoghi().expectMessage("Attenzione: Prima di inserire le righe è necessario scegliere il Cliente!!!");
        pagina("Righe");
        dialoghi().expectMessage("Sei sicuro di voler eliminare il record ?", QMessageBox::Yes);
        frmNotaCredito->spdEliminaDett->click();
        QVERIFY(frmNotaCredito->DatiModificati);
        dialoghi().expectMessage("Attenzione manca la Modalità di pagamento");
        frmNotaCredito->spdIndietroClick();
        aperta = frmNotaCredito->isVisible();
        frmNotaCredito->DatiModificati = false;
    });
    QVERIFY(aperta);
    QCOMPARE(conta("select count(*) from NotaCreditoRighe where NotaCredito_ID = 6"), 0);
    QCOMPARE(centesimi("select TotFattura from fattura where ID = 6"), QStringLiteral("0"));
}

void TestEditorNotaCredito::cambioPagina_data()
{
    QTest::addColumn<QString>("vuota"); // the box emptied: DBEdit2 number, DBEdit1 date, customer
    QTest::addColumn<QString>("messaggio");
    QTest::newRow("complete") << "" << "";
    QTest::newRow("no number") << "DBEdit2" << "Attenzione: Prima di inserire le righe è necessario salvare il numero di Nota Credito!!!";
    QTest::newRow("no date") << "DBEdit1" << "Attenzione: Prima di inserire le righe è necessario salvare la data di Nota Credito!!!";
    QTest::newRow("no customer") << "DBLookupComboBox3" << "Attenzione: Prima di inserire le righe è necessario scegliere il Cliente!!!";
}

void TestEditorNotaCredito::cambioPagina()
{
    QFETCH(QString, vuota);
    QFETCH(QString, messaggio);
    bool righeVisibili = false;
    int pagina = -1;
    nellEditore(6, [&] {
        TfrmNotaCredito *f = frmNotaCredito;
        if (vuota == QLatin1String("DBLookupComboBox3")) svuotaLookup(f->DBLookupComboBox3);
        else if (!vuota.isEmpty()) scrivi(f->findChild<QLineEdit *>(vuota), QString());
        if (!messaggio.isEmpty()) dialoghi().expectMessage(messaggio);
        f->PageControl1->setCurrentIndex(1);
        righeVisibili = f->GroupBox2->isVisible();
        pagina = f->PageControl1->currentIndex();
        // Leave without saving what was emptied.
        form_DB->TableNotaCredito->cancel();
        f->DatiModificati = false;
    });
    QCOMPARE(righeVisibili, messaggio.isEmpty());
    // The page change neither returns to the first page nor saves.
    QCOMPARE(pagina, 1);
    if (!messaggio.isEmpty()) QCOMPARE(dialoghi().messages().last().caption, QStringLiteral("Messaggio di Avviso!!"));
    QCOMPARE(valore("select Num from fattura where ID = 6").toInt(), 2);
    QCOMPARE(valore("select Cliente_ID from fattura where ID = 6").toInt(), 1);
}

void TestEditorNotaCredito::rigaFuocoPerControllo_data()
{
    QTest::addColumn<QString>("campo");
    QTest::addColumn<QString>("messaggio");
    QTest::newRow("quantity") << "DBEdit4" << "Attenzione manca la quantità";
    QTest::newRow("unit price") << "DBEdit6" << "Attenzione manca il Valore Unitario";
    QTest::newRow("VAT rate") << "DBLookupComboBox1" << "Attenzione manca l'Aliquota Iva";
    QTest::newRow("description") << "DBMemo1" << "Attenzione manca la descrizione";
}

void TestEditorNotaCredito::rigaFuocoPerControllo()
{
    QFETCH(QString, campo);
    QFETCH(QString, messaggio);
    form_DB->TableNotaCredito->locate("ID", 6);
    frmGrigliaNoteCredito->btnRequeryClick();
    QWidget *fuoco = nullptr;
    bool aperta = false;
    conModale([] { frmNotaCredito->spdAvantiDettClick(); },
              [&](QWidget *w) {
                  TfrmModificaNotaCreditoRighe *f = frmModificaNotaCreditoRighe;
                  QCOMPARE(w, static_cast<QWidget *>(f));
                  QVERIFY(QTest::qWaitForWindowActive(w));
                  QVERIFY(!f->spdAnnulla->isVisible());
                  if (campo == QLatin1String("DBLookupComboBox1")) {
                      svuotaLookup(f->DBLookupComboBox1);
                  } else if (campo == QLatin1String("DBMemo1")) {
                      f->DBMemo1->setFocus();
                      f->DBMemo1->selectAll();
                      QTest::keyClick(f->DBMemo1, Qt::Key_Delete);
                  } else {
                      scrivi(f->findChild<QLineEdit *>(campo), QString());
                  }
                  f->DBEdit11->setFocus();
                  dialoghi().expectMessage(messaggio);
                  f->spdIndietro->click();
                  aperta = f->isVisible();
                  fuoco = QApplication::focusWidget();
                  form_DB->TableNCRighe->cancel();
                  f->DatiModificati = false;
                  f->spdIndietro->click();
              });
    QVERIFY(aperta);
    QCOMPARE(fuoco ? fuoco->objectName() : QString(), campo);
    QCOMPARE(dialoghi().messages().last().caption, QStringLiteral("Messaggio di avviso"));
}

void TestEditorNotaCredito::annullaRigaNuova()
{
    form_DB->TableNotaCredito->locate("ID", 6);
    frmGrigliaNoteCredito->btnRequeryClick();
    conModale([] { frmNotaCredito->SpeedButton25Click(); },
              [&](QWidget *w) {
                  TfrmModificaNotaCreditoRighe *f = frmModificaNotaCreditoRighe;
                  QCOMPARE(w, static_cast<QWidget *>(f));
                  QVERIFY(f->spdAnnulla->isVisible());
                  QCOMPARE(conta("select count(*) from NotaCreditoRighe where NotaCredito_ID = 6"), 2);
                  QCOMPARE(valore("select ContabilitaConti_ID from NotaCreditoRighe where TipoRiga = 'S'").toInt(), 53);
                  dialoghi().expectMessage("Sei sicuro di voler annullare l'inserimento ?", QMessageBox::Yes);
                  f->spdAnnulla->click();
              });
    // One question only; the row is gone and the totals count the row that stays (10 + 22%).
    QCOMPARE(dialoghi().messages().size(), 1);
    QCOMPARE(conta("select count(*) from NotaCreditoRighe where NotaCredito_ID = 6"), 1);
    QCOMPARE(centesimi("select TotFattura from fattura where ID = 6"), QStringLiteral("1220"));
    QVERIFY(!EliminaSenzaConferma);
}

void TestEditorNotaCredito::calcoloSegnaModificata()
{
    g_banco->esegui("update NotaCreditoRighe set TotaleImponibile = null, ValoreTotale = null where NotaCredito_ID = 6");
    form_DB->TableNotaCredito->locate("ID", 6);
    frmGrigliaNoteCredito->btnRequeryClick();
    bool modificata = false;
    conModale([] { frmNotaCredito->spdAvantiDettClick(); },
              [&](QWidget *w) {
                  TfrmModificaNotaCreditoRighe *f = frmModificaNotaCreditoRighe;
                  QVERIFY(QTest::qWaitForWindowActive(w));
                  QVERIFY(!f->DatiModificati);
                  // F12 in the unit price asks nothing here.
                  f->DBEdit6->setFocus();
                  QTest::keyClick(f->DBEdit6, Qt::Key_F12);
                  QTest::keyClick(f->DBEdit6, Qt::Key_Tab);
                  modificata = f->DatiModificati;
                  f->spdIndietro->click();
                  QVERIFY(!f->isVisible());
              });
    QVERIFY(modificata);
    // "Indietro" saved the row and ran the credit note's totals.
    QCOMPARE(centesimi("select TotaleImponibile from NotaCreditoRighe where NotaCredito_ID = 6"), QStringLiteral("1000"));
    QCOMPARE(centesimi("select ValoreTotale from NotaCreditoRighe where NotaCredito_ID = 6"), QStringLiteral("1220"));
    QCOMPARE(centesimi("select TotFattura from fattura where ID = 6"), QStringLiteral("1220"));
    QVERIFY(frmNotaCredito->DatiModificati);
}

void TestEditorNotaCredito::rigaNonSalvata_data()
{
    QTest::addColumn<QString>("altraPostazione");
    QTest::addColumn<QString>("messaggio");
    QTest::newRow("credit note deleted elsewhere") << "delete from fattura where ID = 6" << "non esiste più nell'archivio";
    QTest::newRow("row changed elsewhere") << "update NotaCreditoRighe set ValoreUnitario = 11 where NotaCredito_ID = 6"
                                           << "modificato da un'altra postazione";
}

void TestEditorNotaCredito::rigaNonSalvata()
{
    QFETCH(QString, altraPostazione);
    QFETCH(QString, messaggio);
    form_DB->TableNotaCredito->locate("ID", 6);
    frmGrigliaNoteCredito->btnRequeryClick();
    bool aperta = false;
    QString prezzoMostrato;
    conModale([] { frmNotaCredito->spdAvantiDettClick(); },
              [&](QWidget *w) {
                  TfrmModificaNotaCreditoRighe *f = frmModificaNotaCreditoRighe;
                  QVERIFY(QTest::qWaitForWindowActive(w));
                  scrivi(f->DBEdit6, QStringLiteral("40"));
                  f->DBEdit11->setFocus();
                  g_banco->esegui(altraPostazione);
                  dialoghi().expectMessage(messaggio);
                  f->spdIndietro->click();
                  aperta = f->isVisible();
                  prezzoMostrato = f->DBEdit6->text();
                  form_DB->TableNCRighe->cancel();
                  f->DatiModificati = false;
                  f->spdIndietro->click();
              });
    // The save said so, the editor stayed open with what was typed, and nothing was written:
    // neither the row nor the totals nor any instalment or cash-book row.
    QVERIFY(aperta);
    QCOMPARE(prezzoMostrato, QStringLiteral("40"));
    QCOMPARE(dialoghi().messages().size(), 1);
    QCOMPARE(dialoghi().messages().last().caption, QStringLiteral("Messaggio di errore"));
    QCOMPARE(conta("select count(*) from NotaCreditoRighe where NotaCredito_ID = 6 and ValoreUnitario = 40"), 0);
    QCOMPARE(conta("select count(*) from NotaCreditoRighe where NotaCredito_ID = 6 and ValoreTotale <> 0"), 0);
    QCOMPARE(conta("select count(*) from fattura where ID = 6 and TotFattura <> 0"), 0);
    QCOMPARE(conta("select count(*) from FatturaScadenze where Fattura_ID = 6"), 0);
    QCOMPARE(conta("select count(*) from finanzia where Fattura_ID = 6"), 0);
}

void TestEditorNotaCredito::numerazioneUnica_data()
{
    QTest::addColumn<bool>("unica");
    QTest::addColumn<bool>("storico"); // a past period browsed: the new credit note is of this year all the same
    QTest::addColumn<QString>("numero");
    QTest::newRow("separate: after credit note 2") << false << false << "3";
    QTest::newRow("joint: after invoice 7") << true << false << "8";
    QTest::newRow("separate, history browsed") << false << true << "3";
    QTest::newRow("joint, history browsed") << true << true << "8";
}

void TestEditorNotaCredito::numerazioneUnica()
{
    QFETCH(bool, unica);
    QFETCH(bool, storico);
    QFETCH(QString, numero);
    g_banco->esegui(QStringLiteral("update opzioni set NumerazioneUnicaNoteCredito = %1").arg(unica ? 1 : 0));
    TfrmGrigliaNoteCredito *l = frmGrigliaNoteCredito;
    ModalitaStorico = storico;
    QString mostrato;
    QString progressivo;
    conModale([l] { l->spdInserisci->click(); },
              [&](QWidget *) {
                  mostrato = frmNotaCredito->DBEdit2->text();
                  progressivo = valore("select DatiTrasmissione_ProgressivoInvio || '/' || Storico from fattura where ID = :id",
                                       l->ultimaAggiunta())
                                    .toString();
                  // "Annulla" deletes the new credit note with what it got, without a second question.
                  dialoghi().expectMessage("Sei sicuro di voler annullare l'inserimento ?", QMessageBox::Yes);
                  frmNotaCredito->spdAnnulla->click();
              });
    ModalitaStorico = false;
    QCOMPARE(mostrato, numero);
    QCOMPARE(progressivo, QStringLiteral("13/0"));
    const qint64 nuova = l->ultimaAggiunta();
    QVERIFY(nuova > 6);
    QCOMPARE(dialoghi().messages().size(), 1);
    for (const QString &sql : kTabelle) QVERIFY2(conta(sql, nuova) == 0, qPrintable(sql));
    QCOMPARE(conta("select count(*) from fattura"), 2);
}

void TestEditorNotaCredito::ricercaElenco()
{
    g_banco->esegui("insert into fattura (ID, Num, Data, Cliente_ID, FattNota, Carico, Storico, SerieFatturazione) values "
                    "(8, 12, #2/20/2026#, null, true, false, false, 'B''X')");
    TfrmGrigliaNoteCredito *l = frmGrigliaNoteCredito;
    db::Query *q = form_DB->TableNotaCredito;
    l->spdAggiornaClick();
    QCOMPARE(q->recordCount(), 2);
    QTest::keyClicks(l->Edit2, "2");
    QCOMPARE(q->recordCount(), 1);
    QCOMPARE(q->fieldByName("Num").asInteger(), 2);
    l->Edit2->clear();
    QCOMPARE(q->recordCount(), 2);
    l->Edit3->setText("b'x");
    QCOMPARE(q->recordCount(), 1);
    QCOMPARE(q->fieldByName("ID").asLargeInt(), 8);
    l->Edit3->clear();
    l->maskDaData->setFocus();
    QTest::keyClicks(l->maskDaData, "01032026");
    QCOMPARE(q->recordCount(), 1);
    QCOMPARE(q->fieldByName("ID").asLargeInt(), 6);
    // Escape empties the date and moves to the customer.
    QTest::keyClick(l->maskDaData, Qt::Key_Escape);
    QCOMPARE(q->recordCount(), 2);
    // "Avanti" and back: every credit note shown, the boxes keep their texts.
    QTest::keyClicks(l->Edit2, "12");
    QCOMPARE(q->recordCount(), 1);
    conModale([l] { l->spdAvanti->click(); }, [](QWidget *) { frmNotaCredito->spdIndietroClick(); });
    QCOMPARE(l->Edit2->text(), QStringLiteral("12"));
    QCOMPARE(q->recordCount(), 2);
    // The main menu's preparation: no filter, number and dates empty, the series kept.
    l->Edit3->setText("A");
    l->preparaDaMenu();
    QVERIFY(l->Edit2->text().isEmpty());
    QCOMPARE(l->Edit3->text(), QStringLiteral("A"));
    QCOMPARE(q->recordCount(), 2);
}

void TestEditorNotaCredito::importaSenzaRiferimento()
{
    nellEditore(6, [] {
        dialoghi().expectMessage("Attenzione E' necessario trovare e scegliere una fattura prima di poterne importare le righe");
        frmNotaCredito->btnImporta->click();
    });
    QCOMPARE(dialoghi().messages().last().caption, QStringLiteral("Messaggio di errore"));
    QCOMPARE(conta("select count(*) from NotaCreditoRighe where NotaCredito_ID = 6"), 1);
}

void TestEditorNotaCredito::trovaFatturaSenzaCliente()
{
    g_banco->esegui("update fattura set Cliente_ID = null, Cliente = null where ID = 6");
    QWidget *fuoco = nullptr;
    nellEditore(6, [&] {
        frmNotaCredito->DBEdit3->setFocus();
        dialoghi().expectMessage("Attenzione E' necessario scegliere il Cliente prima di poter proseguire");
        frmNotaCredito->Button3Click();
        fuoco = QApplication::focusWidget();
        QVERIFY(!frmNotaCredito->DatiModificati);
    });
    QCOMPARE(fuoco, static_cast<QWidget *>(frmNotaCredito->DBLookupComboBox3));
    QCOMPARE(dialoghi().messages().last().caption, QStringLiteral("Messaggio di errore"));
    QCOMPARE(conta("select count(*) from fattura where ID = 6 and NCFattIDRif = 0"), 1);
}

// ---------------------------------------------------------------- the main window's button

void TestMenuNoteCredito::init() { ambiente::avvia(); }
void TestMenuNoteCredito::cleanup() { ambiente::chiudi(); }

void TestMenuNoteCredito::apreLElencoSenzaFiltro()
{
    ambiente::esegui("insert into fattura (Num, Data, FattNota, SerieFatturazione) values "
                     "(1, #3/1/2026#, true, 'A'), (2, #3/2/2026#, true, 'A'), (3, #3/3/2026#, false, 'A')");
    db::Query *q = form_DB->TableNotaCredito;
    q->requery();
    // What a previous search left: the number goes, the series stays in its box.
    frmGrigliaNoteCredito->Edit3->setText("A");
    frmGrigliaNoteCredito->Edit2->setText("2");
    QCOMPARE(q->recordCount(), 1);
    QToolButton *pulsante = Form1->menuButton(TForm1::tabDocClienti, QStringLiteral("Note Credito"));
    QVERIFY(pulsante);
    QVERIFY(pulsante->isEnabled());
    bool aperto = false;
    conModale([pulsante] { pulsante->click(); }, [&](QWidget *w) {
        aperto = true;
        QCOMPARE(w, static_cast<QWidget *>(frmGrigliaNoteCredito));
        QCOMPARE(frmGrigliaNoteCredito->Edit2->text(), QString());
        QCOMPARE(frmGrigliaNoteCredito->Edit3->text(), QStringLiteral("A"));
        QCOMPARE(q->recordCount(), 2);
        frmGrigliaNoteCredito->Edit2->setText("1");
        QCOMPARE(q->recordCount(), 1);
        frmGrigliaNoteCredito->spdIndietro->click();
    });
    QVERIFY(aperto);
    QCOMPARE(q->filter(), QString());
}

void TestMenuNoteCredito::storicoDeiClienti_data()
{
    QTest::addColumn<QString>("pulsante");
    QTest::addColumn<QString>("lista");
    QTest::addColumn<QStringList>("attesi"); // Num (Numero) of the rows shown, the year browsed
    QTest::addColumn<QStringList>("dopo");   // the rows shown again once the list is closed
    QTest::newRow("invoices") << "btnStoricoFattureClienti" << "frmGrigliaFatture" << QStringList{"31", "32"} << QStringList{"41"};
    QTest::newRow("credit notes") << "btnStoricoNoteCreditoClienti" << "frmGrigliaNoteCredito" << QStringList{"33"} << QStringList{"43"};
    QTest::newRow("quotes") << "btnStoricoPreventiviClienti" << "frmGrigliaPreventivi" << QStringList{"35"} << QStringList{"45"};
}

void TestMenuNoteCredito::storicoDeiClienti()
{
    QFETCH(QString, pulsante);
    QFETCH(QString, lista);
    QFETCH(QStringList, attesi);
    QFETCH(QStringList, dopo);
    // Documents of 2025, in history, and of this year; a credit note and a purchase invoice of 2025 among the invoices.
    ambiente::esegui("insert into fattura (Num, Data, FattNota, Carico, Storico) values (31, #1/10/2025#, false, false, true), "
                     "(32, #12/31/2025 18.00.00#, false, false, true), (33, #6/1/2025#, true, false, true), "
                     "(34, #6/1/2025#, false, true, true), (41, #3/1/2026#, false, false, false), (43, #3/2/2026#, true, false, false)");
    ambiente::esegui("insert into PreventiTestata (Numero, Data, Storico) values (35, #5/5/2025#, true), (45, #3/3/2026#, false)");
    auto *l = qobject_cast<forms::ListForm *>(forms::creata(lista.toLatin1().constData()));
    QVERIFY(l);
    db::Query *q = l->dataset();
    const QString numero = lista == "frmGrigliaPreventivi" ? "Numero" : "Num";
    auto mostrati = [q, numero] {
        QStringList n;
        for (int r = 0; r < q->recordCount(); ++r) n << q->valueAt(r, q->fieldIndex(numero)).toString();
        n.sort();
        return n;
    };
    q->requery();
    QCOMPARE(mostrati(), dopo);
    Form1->maskDa->setText("01/01/2025");
    Form1->maskA->setText("31/12/2025");
    auto *b = Form1->findChild<QToolButton *>(pulsante);
    QVERIFY(b && b->isEnabled());
    bool aperto = false;
    conModale([b] { b->click(); }, [&](QWidget *w) {
        aperto = w == l;
        QVERIFY(ModalitaStorico);
        QCOMPARE(mostrati(), attesi);
        l->spdIndietro->click();
    });
    QVERIFY(aperto);
    QVERIFY(!ModalitaStorico);
    QVERIFY(FiltroStorico.isEmpty());
    QCOMPARE(mostrati(), dopo);
}

void TestEditorNotaCredito::scadenzePagateChiedeConferma_data()
{
    QTest::addColumn<bool>("svuota"); // Backspace on the method instead of another method picked
    QTest::addColumn<bool>("scarta"); // the answer to the question
    QTest::newRow("other method, keep the payment") << false << false;
    QTest::newRow("other method, discard it") << false << true;
    QTest::newRow("method emptied, keep the payment") << true << false;
    QTest::newRow("method emptied, discard it") << true << true;
}

void TestEditorNotaCredito::scadenzePagateChiedeConferma()
{
    QFETCH(bool, svuota);
    QFETCH(bool, scarta);
    // The credit note's first instalment has been paid back already.
    g_banco->esegui("insert into FatturaScadenze (Fattura_ID, Cliente_id, Numero, DataScadenza, Importo, Pagato, DataPagamento, Tipo) "
                    "values (6, 1, 1, #3/1/2026#, 6.1, true, #3/2/2026#, 'N'), (6, 1, 2, #4/1/2026#, 6.1, false, null, 'N')");
    nellEditore(6, [&] {
        dialoghi().expectMessage("scadenze già pagate", scarta ? QMessageBox::Yes : QMessageBox::No);
        if (svuota) svuotaLookup(frmNotaCredito->DBLookupComboBox6);
        else scegli(frmNotaCredito->DBLookupComboBox6, "Bonifico 30 60 gg");
        QCOMPARE(dialoghi().messages().size(), 1);
        QCOMPARE(conta("select count(*) from FatturaScadenze where Fattura_ID = 6 and Pagato = true"), scarta ? 0 : 1);
        if (!scarta) QCOMPARE(valore("select DataPagamento from FatturaScadenze where Fattura_ID = 6 and Pagato = true").toDateTime().date(),
                              QDate(2026, 3, 2));
        if (svuota) {
            // The method stays empty; the note cannot be left without one.
            frmNotaCredito->DatiModificati = false;
        }
    });
    if (svuota && scarta) QCOMPARE(conta("select count(*) from FatturaScadenze where Fattura_ID = 6"), 0);
}

void TestEditorNotaCredito::allegatoNuovoSenzaFile()
{
    // An attachment begun by mistake, with a name typed and no file to give: "Annulla" removes it.
    const int prima = conta("select count(*) from Fattura_Allegati");
    nellEditore(6, [&] {
        pagina("Allegati");
        QVERIFY(frmNotaCredito->spdInserisciAllegato->isEnabled());
        dialoghi().expectMessage("Attenzione manca il Percorso dell'allegato");
        dialoghi().expectMessage("Sei sicuro di voler annullare l'inserimento ?", QMessageBox::Yes);
        conModale([] { frmNotaCredito->spdInserisciAllegato->click(); },
                  [&](QWidget *w) {
                      TfrmModifica_Fattura_Allegati *f = frmModifica_Fattura_Allegati;
                      QCOMPARE(w, static_cast<QWidget *>(f));
                      QVERIFY(f->spdAnnulla->isVisible());
                      scrivi(f->DBNomeAttachment, "Verbale");
                      f->spdIndietro->click();
                      QVERIFY(f->isVisible());
                      f->spdAnnulla->click();
                      QVERIFY(!f->isVisible());
                  });
    });
    QCOMPARE(conta("select count(*) from Fattura_Allegati"), prima);
}
