#include "tst_fatturaintera.h"

#include "Ambiente.h"
#include "Banco.h"
#include "Program.h"
#include "data/DB.h"
#include "db/Query.h"
#include "mail/Email.h"
#include "masterdata/Tariffe.h"
#include "sales/EditorFattura.h"
#include "sales/GrigliaFatture.h"
#include "sales/ModificaAllegati.h"
#include "sales/ModificaFatture.h"
#include "sales/ModificaOrdiniClienti.h"
#include "sales/services/Totali.h"
#include "widgets/DBEdit.h"
#include "widgets/DBLookupComboBox.h"
#include "widgets/DBMemo.h"

#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QMessageBox>
#include <QProcess>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using ambiente::conModale;

namespace {

std::unique_ptr<banco::Banco> g_banco;
std::unique_ptr<QTemporaryDir> g_cartella;
// The invoice the stages follow (0 until "Aggiungi" has stored it).
qint64 g_id = 0;

testing_support::ScriptedDialogs &dialoghi() { return g_banco->dialoghi(); }

// `sql` may name the invoice as :id.
QVariant valore(const QString &sql)
{
    if (!sql.contains(QLatin1String(":id"))) return form_DB->Connessione.scalar(sql);
    return form_DB->Connessione.scalar(sql, {{QStringLiteral(":id"), g_id}});
}
int conta(const QString &sql) { return valore(sql).toInt(); }

// The invoice's rows as stored, one text each, in row order.
QStringList righe()
{
    db::Query q(&form_DB->Connessione);
    q.setSql(QStringLiteral("select * from fattdett where NumFatt = :id order by NumeroRiga"));
    q.bind(QStringLiteral(":id"), g_id);
    q.open();
    QStringList r;
    for (q.first(); !q.eof(); q.next()) {
        QStringList c{q.fieldByName("NumeroRiga").asString(), q.fieldByName("TipoRiga").asString(),
                      q.fieldByName("Descrizione").asString()};
        for (const char *n : {"Um", "ValoreUnitario", "Sconto", "AliquotaIva", "Iva_ID", "TotaleImponibile", "ValoreTotale"})
            c << QString::number(q.fieldByName(QLatin1String(n)).asFloat());
        r << c.join(u'|');
    }
    return r;
}

// The invoice's instalments as stored: "due date amount-in-cents", in due-date order.
QStringList rate()
{
    db::Query q(&form_DB->Connessione);
    q.setSql(QStringLiteral("select * from FatturaScadenze where Fattura_ID = :id order by DataScadenza"));
    q.bind(QStringLiteral(":id"), g_id);
    q.open();
    QStringList r;
    for (q.first(); !q.eof(); q.next())
        r << q.fieldByName("DataScadenza").asDateTime().toString("dd/MM/yyyy") + u' '
                 + QString::number(qRound64(q.fieldByName("Importo").asFloat() * 100));
    return r;
}

QString centesimi(double v) { return QString::number(qRound64(v * 100)); }

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
    QTest::keyClicks(e, testo);
    QTest::keyClick(e, Qt::Key_Tab);
}

void pagina(const QString &titolo)
{
    QTabWidget *p = Form7->PageControl1;
    for (int i = 0; i < p->count(); ++i)
        if (p->tabText(i).trimmed() == titolo) {
            p->setCurrentIndex(i);
            return;
        }
    QFAIL(qPrintable("nessuna pagina " + titolo));
}

// The list's "Modifica" on the invoice: the editor shown modally, `azione` run in it, then
// "Indietro", which checks and stores the invoice and must close the editor.
void nellEditore(const std::function<void()> &azione)
{
    TfrmGrigliaFatture *l = frmGrigliaFatture;
    l->BitBtn3Click();
    QVERIFY(form_DB->Table3->locate("ID", g_id));
    bool chiuso = false;
    conModale([l] { l->spdAvanti->click(); },
              [&](QWidget *w) {
                  QCOMPARE(w, static_cast<QWidget *>(Form7));
                  Form7->activateWindow();
                  QVERIFY(QTest::qWaitForWindowActive(Form7));
                  QCOMPARE(Form7->idDocumento(), g_id);
                  azione();
                  Form7->spdIndietroClick();
                  chiuso = !Form7->isVisible();
                  if (!chiuso) {
                      // A refused save has been said: leave without it, and fail below.
                      Form7->DatiModificati = false;
                      Form7->SalvataggioFallito = false;
                      Form7->spdIndietroClick();
                  }
              });
    QVERIFY2(chiuso, "l'editor della fattura non si è chiuso con Indietro");
}

QString testoPdf(const QString &path)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!p.waitForFinished(60000) || p.exitCode() != 0) return QStringLiteral("<pdftotext failed>");
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The report program beside a program folder of the test's own, with the source tree's
// templates, run in-process; the previous doubles come back however the test ends.
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

} // namespace

void TestFatturaIntera::initTestCase()
{
    g_cartella = std::make_unique<QTemporaryDir>();
    // The office: VAT 22% (Iva 1) and 10% (Iva 2); the default payment method 2 pays at once,
    // method 3 in two instalments at 30 and 60 days; the customer pays with method 3 and has no
    // discount of its own, so the tariffs keep theirs; the invoices are mirrored in the cash
    // book; invoice number 7 of this year (progressive 12) came before.
    g_banco = std::make_unique<banco::Banco>(
        QStringList{"frmGrigliaFatture", "Form7", "frmModificaFatture", "Form2", "frmModificaOrdiniClienti",
                    "frmModifica_Fattura_Allegati", "frmEmail"},
        QStringList{
            "delete from Iva",
            "insert into Iva (ID, Descrizione, Iva) values (1, 'Iva 22%', 22), (2, 'Iva 10%', 10)",
            "insert into ModPagamento (id, Descrizione, NumeroScadenze, GG1Scadenza, GG2Scadenza) values "
            "(2, 'Rimessa diretta', 1, 0, 0), (3, 'Bonifico 30 60 gg', 2, 30, 60)",
            "insert into Bank (Id, Banca, Iban) values (1, 'Banca del Borgo', 'IT60X0542811101000000123456')",
            "update opzioni set Bank_ID = 1, ModPagamento_Id = 2, AliquotaIva = 22, Iva_Id = 1, IncrementaNumeroRigaArticoli = true, "
            "DuplicaFatturazioneInPrimaNota = true",
            "insert into Clienti (Id, Cognome, NominativoVisualizzato, NominativoDocumenti, Pagamento_ID, EMail, ScissionePagamenti, "
            "PubblicaAmministrazione, Sconto) values (1, 'Bianchi', 'Autofficina Bianchi Srl', 'Autofficina Bianchi Srl', 3, "
            "'bianchi@example.it', false, false, null)",
            "insert into prezziar (Codice, Descrizione, Prezzo, AliquotaIva, Iva_Id, Sconto, TipoTariffa_Id, Annullato) values "
            "('TRA', 'Traino autostradale', 85.5, 22, 1, 10, 2, false), ('CUS', 'Custodia giornaliera', 12.4, 10, 2, null, 2, false), "
            "('SUP', 'Supplemento festivo', 40, 22, 1, null, 2, false)",
            "insert into FatturaPorto (id, Codice, Descrizione) values (1, 'DEST', 'Franco destino')",
            "insert into fattura (ID, Num, Data, Cliente_ID, Cliente, ModPagamento_Id, Carico, FattNota, Storico, "
            "DatiTrasmissione_NumeroInterno, DatiTrasmissione_ProgressivoInvio) values "
            "(5, 7, #2/27/2026#, 1, 'Autofficina Bianchi Srl', 2, false, false, false, 12, 12)",
        });
}

void TestFatturaIntera::cleanupTestCase()
{
    const bool pulito = dialoghi().clean();
    const QString resoconto = dialoghi().report();
    g_banco.reset();
    g_cartella.reset();
    QVERIFY2(pulito, qPrintable(resoconto));
}

void TestFatturaIntera::aggiungiDallElenco()
{
    TfrmGrigliaFatture *l = frmGrigliaFatture;
    conModale([l] { l->spdInserisci->click(); },
              [&](QWidget *w) {
                  QCOMPARE(w, static_cast<QWidget *>(Form7));
                  g_id = Form7->idDocumento();
                  QCOMPARE(Form7->DBEdit2->text(), QStringLiteral("8"));
                  QCOMPARE(Form7->DBEdit1->text(), QStringLiteral("15/03/2026"));
                  Form7->spdIndietroClick();
              });
    QVERIFY(g_id > 5);
    QCOMPARE(l->ultimaAggiunta(), g_id);
    // Numbered after invoice 7, the progressive after 12, the options' bank and method.
    QCOMPARE(valore("select Num from fattura where ID = :id").toInt(), 8);
    QCOMPARE(valore("select DatiTrasmissione_NumeroInterno from fattura where ID = :id").toInt(), 13);
    QCOMPARE(valore("select DatiTrasmissione_ProgressivoInvio from fattura where ID = :id").toInt(), 13);
    QCOMPARE(valore("select ModPagamento_Id from fattura where ID = :id").toInt(), 2);
    QCOMPARE(valore("select Banca_ID from fattura where ID = :id").toInt(), 1);
    // "Rimessa diretta": one instalment, due on the invoice's date, nothing to pay yet.
    QCOMPARE(rate(), QStringList{"15/03/2026 0"});
    QCOMPARE(form_DB->Table3->fieldByName("ID").asLargeInt(), g_id);
}

void TestFatturaIntera::sceltaDelCliente()
{
    if (g_id == 0) QSKIP("nessuna fattura aggiunta");
    nellEditore([] {
        scegli(Form7->DBLookupComboBox2, "Autofficina Bianchi Srl");
        QVERIFY(Form7->DatiModificati);
        // The schedule was rebuilt at once from the customer's method.
        QCOMPARE(form_DB->TableFatturaScadenze->recordCount(), 2);
    });
    QCOMPARE(valore("select Cliente from fattura where ID = :id").toString(), QStringLiteral("Autofficina Bianchi Srl"));
    QCOMPARE(valore("select Cliente_ID from fattura where ID = :id").toInt(), 1);
    QCOMPARE(valore("select DatiTrasmissione_FormatoTrasmissione from fattura where ID = :id").toString(), QStringLiteral("FPR12"));
    QCOMPARE(valore("select ModPagamento_Id from fattura where ID = :id").toInt(), 3);
    // 30 and 60 days from 15/03/2026; no rows yet, nothing to pay.
    QCOMPARE(rate(), (QStringList{"14/04/2026 0", "14/05/2026 0"}));
    QCOMPARE(conta("select count(*) from FatturaScadenze where Fattura_ID = :id and ModPagamento_Id = 3"), 2);
}

void TestFatturaIntera::righeETotali()
{
    if (g_id == 0) QSKIP("nessuna fattura aggiunta");
    nellEditore([] {
        pagina("Righe");
        // Two tariffs picked in the price list.
        conModale([] { Form7->spdInserisciDett->click(); },
                  [](QWidget *w) {
                      QCOMPARE(w, static_cast<QWidget *>(Form2));
                      db::Query *q = form_DB->Table1;
                      q->clearSelection();
                      int riga = 0;
                      for (q->first(); !q->eof(); q->next(), ++riga)
                          if (QStringList{"TRA", "CUS"}.contains(q->fieldByName("Codice").asString())) q->setRowSelected(riga, true);
                      Form2->spdAvanti->click();
                  });
        // The free row, completed in the row editor.
        conModale([] { Form7->spdArticoloNonArchivio->click(); },
                  [](QWidget *w) {
                      TfrmModificaFatture *f = frmModificaFatture;
                      QCOMPARE(w, static_cast<QWidget *>(f));
                      QVERIFY(QTest::qWaitForWindowActive(w));
                      f->DBMemo1->setFocus();
                      f->DBMemo1->selectAll();
                      QTest::keyClick(f->DBMemo1, Qt::Key_Delete);
                      QTest::keyClicks(f->DBMemo1, "Sostituzione pneumatico");
                      scrivi(f->DBEdit4, "3");
                      scrivi(f->DBEdit6, "18.35");
                      scrivi(f->DBEdit7, "5");
                      scegli(f->DBLookupComboBox1, "Iva 10%");
                      f->spdIndietro->click();
                      QVERIFY(!f->isVisible());
                  });
    });
    // The rows as stored: the tariffs in the price list's order (by description), the free row
    // after them; quantity, unit price, discount, rate, VAT row, net, gross.
    //   Custodia giornaliera   1 × 12.40           = 12.40     at 10%: gross 13.64
    //   Traino autostradale    1 × 85.50 less 10%  = 76.95     at 22%: gross 93.879 → 93.88
    //   Sostituzione pneumatico 3 × 18.35 = 55.05 less 5% = 52.2975 at 10%: gross 57.52725 → 57.53
    QCOMPARE(righe(), (QStringList{"1|N|Custodia giornaliera|1|12.4|0|10|2|12.4|13.64",
                                   "2|N|Traino autostradale|1|85.5|10|22|1|76.95|93.88",
                                   "3|A|Sostituzione pneumatico|3|18.35|5|10|2|52.2975|57.53"}));
    // The totals by hand, each rate's net rounded once to the cent and its VAT from it:
    //   22%: net 76.95,                          VAT 76.95 × 0.22 = 16.929 → 16.93
    //   10%: net 12.40 + 52.2975 = 64.6975 → 64.70, VAT 64.70 × 0.10 = 6.47
    //   TotImponibile 76.95 + 64.70 = 141.65, TotImposta 16.93 + 6.47 = 23.40, TotFattura 165.05
    QCOMPARE(centesimi(valore("select TotImponibile from fattura where ID = :id").toDouble()), QStringLiteral("14165"));
    QCOMPARE(centesimi(valore("select TotImposta from fattura where ID = :id").toDouble()), QStringLiteral("2340"));
    QCOMPARE(centesimi(valore("select TotFattura from fattura where ID = :id").toDouble()), QStringLiteral("16505"));
    const vendite::Totali t = vendite::calcolaTotaliFattura(form_DB->Connessione, g_id);
    QStringList riepilogo;
    for (const vendite::RiepilogoIva &r : t.riepilogo)
        riepilogo << QStringLiteral("%1%/%2: %3 + %4").arg(r.aliquota).arg(r.ivaId).arg(centesimi(r.imponibile), centesimi(r.imposta));
    QCOMPARE(riepilogo, (QStringList{"10%/2: 6470 + 647", "22%/1: 7695 + 1693"}));
    // 165.05 in two: 82.525 → 82.53, the last the rest 82.52; together the total.
    QCOMPARE(rate(), (QStringList{"14/04/2026 8253", "14/05/2026 8252"}));
    // The cash book mirrors the invoice: its document row carries the total.
    QCOMPARE(centesimi(valore("select Uscita from finanzia where Tipo = '1' and Fattura_ID = :id").toDouble()), QStringLiteral("16505"));
}

void TestFatturaIntera::pagineLaterali()
{
    if (g_id == 0) QSKIP("nessuna fattura aggiunta");
    const QString verbale = g_cartella->filePath("verbale.pdf");
    {
        QFile f(verbale);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("%PDF-1.4\n");
    }
    nellEditore([&] {
        pagina("Ordini");
        conModale([] { Form7->SpeedButton18->click(); },
                  [](QWidget *w) {
                      TfrmModificaOrdiniClienti *f = frmModificaOrdiniClienti;
                      QCOMPARE(w, static_cast<QWidget *>(f));
                      QVERIFY(QTest::qWaitForWindowActive(w));
                      scrivi(f->DBNumero, "ORD-2026/15");
                      scrivi(f->DBData, "12/03/2026");
                      f->spdIndietro->click();
                      QVERIFY(!f->isVisible());
                  });
        pagina("Accompagnatoria");
        scegli(Form7->DBLookupComboBox7, "Franco destino");
        pagina("Allegati");
        conModale([] { Form7->spdInserisciAllegato->click(); },
                  [&](QWidget *w) {
                      TfrmModifica_Fattura_Allegati *f = frmModifica_Fattura_Allegati;
                      QCOMPARE(w, static_cast<QWidget *>(f));
                      QVERIFY(QTest::qWaitForWindowActive(w));
                      scrivi(f->DBNomeAttachment, "Verbale di recupero");
                      dialoghi().queueOpenFile(verbale);
                      f->Cerca->click();
                      f->spdIndietro->click();
                      QVERIFY(!f->isVisible());
                  });
    });
    QCOMPARE(conta("select count(*) from OrdiniClienti where Fattura_ID = :id"), 1);
    QCOMPARE(valore("select Numero from OrdiniClienti where Fattura_ID = :id").toString(), QStringLiteral("ORD-2026/15"));
    QCOMPARE(valore("select Data from OrdiniClienti where Fattura_ID = :id").toDateTime().date(), QDate(2026, 3, 12));
    QCOMPARE(valore("select Porto_ID from fattura where ID = :id").toInt(), 1);
    QCOMPARE(conta("select count(*) from Fattura_Allegati where Fattura_Id = :id"), 1);
    QCOMPARE(valore("select NomeAttachment from Fattura_Allegati where Fattura_Id = :id").toString(), QStringLiteral("Verbale di recupero"));
    QCOMPARE(valore("select PercorsoCompleto from Fattura_Allegati where Fattura_Id = :id").toString(), verbale);
    // The side pages left the rows and the totals alone.
    QCOMPARE(centesimi(valore("select TotFattura from fattura where ID = :id").toDouble()), QStringLiteral("16505"));
    QCOMPARE(rate(), (QStringList{"14/04/2026 8253", "14/05/2026 8252"}));
}

void TestFatturaIntera::esportazioneStampata()
{
    if (g_id == 0) QSKIP("nessuna fattura aggiunta");
    ProgrammaDiStampa programma;
    QTemporaryDir esportazione;
    g_banco->esegui("update opzioni set EstensioneEsportazione = 'pdf', CartellaEsportazioneDocumenti = '" + esportazione.path() + "/'");
    form_DB->TableOpzioni->requery();
    TfrmGrigliaFatture *l = frmGrigliaFatture;
    l->BitBtn3Click();
    QVERIFY(form_DB->Table3->locate("ID", g_id));
    QStringList destinatari, allegati;
    conModale([l] { l->spdEsportaDocumento->click(); },
              [&](QWidget *w) {
                  QCOMPARE(w, static_cast<QWidget *>(frmEmail));
                  for (int i = 0; i < frmEmail->txtDestinatario->count(); ++i) destinatari << frmEmail->txtDestinatario->item(i)->text();
                  for (int i = 0; i < frmEmail->txtAllegati->count(); ++i) allegati << frmEmail->txtAllegati->item(i)->text();
                  frmEmail->spdIndietro->click();
              });
    // The report program ran once, on code 8 (the invoice).
    QCOMPARE(programma.avvio.started.size(), 1);
    QCOMPARE(CodiceStampa, 8);
    const QString file = QDir(esportazione.path()).filePath("Fattura_8_2026.pdf");
    QCOMPARE(destinatari, QStringList{"bianchi@example.it"});
    QCOMPARE(allegati, QStringList{file});
    const QString testo = testoPdf(file);
    // The customer, each row with its net, the totals, the instalments' dates and amounts, the order.
    for (const char *atteso : {"Autofficina Bianchi Srl", "Custodia giornaliera", "Traino autostradale", "Sostituzione pneumatico",
                               "12,40", "76,95", "52,30", "141,65", "23,40", "165,05", "14/04/2026", "14/05/2026", "82,53",
                               "82,52", "ORD-2026/15"})
        QVERIFY2(testo.contains(QString::fromUtf8(atteso)), qPrintable(QString::fromUtf8(atteso) + " in:\n" + testo));
    // The VAT summary: one line per rate with the hand figures, the rows of 10% (not next to
    // each other) together.
    QStringList riepilogo;
    static const QRegularExpression rigaIva(QStringLiteral("^Iva (\\d+)%\\s+([\\d.,]+)\\s+([\\d.,]+)$"));
    for (const QString &riga : testo.split(u'\n')) {
        const QRegularExpressionMatch m = rigaIva.match(riga.trimmed());
        if (m.hasMatch()) riepilogo << m.captured(1) + u' ' + m.captured(2) + u' ' + m.captured(3);
    }
    QCOMPARE(riepilogo, (QStringList{"10 64,70 6,47", "22 76,95 16,93"}));
}

void TestFatturaIntera::eliminazioneACascata()
{
    if (g_id == 0) QSKIP("nessuna fattura aggiunta");
    // A quote linked as the import page leaves it, for the deletion to free it.
    g_banco->esegui("insert into PreventiTestata (ID, Numero, Cliente_ID, Fatturato) values (20, 1, 1, true)");
    g_banco->esegui(QString("insert into FatturaPreventiviRighe (Fattura_ID, Preventivo_Id) values (%1, 20)").arg(g_id));
    const QStringList tabelle = {"select count(*) from fattura where ID = :id", "select count(*) from fattdett where NumFatt = :id",
                                 "select count(*) from FatturaScadenze where Fattura_ID = :id",
                                 "select count(*) from finanzia where Fattura_ID = :id",
                                 "select count(*) from OrdiniClienti where Fattura_ID = :id",
                                 "select count(*) from Fattura_Allegati where Fattura_Id = :id",
                                 "select count(*) from FatturaPreventiviRighe where Fattura_ID = :id"};
    for (const QString &sql : tabelle) QVERIFY2(conta(sql) > 0, qPrintable(sql));
    TfrmGrigliaFatture *l = frmGrigliaFatture;
    l->BitBtn3Click();
    QVERIFY(form_DB->Table3->locate("ID", g_id));
    dialoghi().expectMessage("Sei sicuro di voler eliminare la fattura?", QMessageBox::Yes);
    l->spdElimina->click();
    for (const QString &sql : tabelle) QVERIFY2(conta(sql) == 0, qPrintable(sql));
    QCOMPARE(conta("select count(*) from PreventiTestata where ID = 20 and Fatturato = true"), 0);
    // The invoice before it keeps its row; the list stands on it.
    QCOMPARE(conta("select count(*) from fattura where ID = 5"), 1);
    QCOMPARE(form_DB->Table3->recordCount(), 1);
    QCOMPARE(form_DB->Table3->fieldByName("ID").asLargeInt(), 5);
}
