#include "tst_pagafatture.h"

#include "Ambiente.h"
#include "Banco.h"
#include "core/Clock.h"
#include "data/DB.h"
#include "db/Query.h"
#include "sales/PagaFatture.h"
#include "widgets/DBGrid.h"
#include "widgets/MaskedDateEdit.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

using ambiente::conModale;
using pagamenti::Parte;

namespace {

std::unique_ptr<banco::Banco> g_banco;
QVariant scalar(const QString &sql) { return g_banco->valore(sql); }
qint64 conta(const QString &sql) { return scalar(sql).toLongLong(); }
testing_support::ScriptedDialogs &dialoghi() { return g_banco->dialoghi(); }

const QString kSuccesso = QStringLiteral("pagamenti registrati con successo!");
const QString kDomanda = QStringLiteral("Sei sicuro di voler pagare le scadenze ?");

QStringList etichette()
{
    return {frmPagaFatture->lblTotaleFatture->text(), frmPagaFatture->lblTotaleInPagamento->text(),
            frmPagaFatture->lblTotaleDaPagare->text()};
}

int righeAperte() { return form_DB->TableScadenzeCumulative->recordCount(); }
int righeScelte() { return form_DB->TableTempScadenzeCumulative->recordCount(); }

// Puts the open grid on the instalment of that amount.
void suImporto(double importo)
{
    QVERIFY(form_DB->TableScadenzeCumulative->locate("Importo", importo));
}

void scegli(QComboBox *box, const QString &testo)
{
    const int i = box->findText(testo);
    QVERIFY2(i >= 0, qPrintable(testo));
    box->setCurrentIndex(i);
}

// The payment form filled as the user does, without showing it.
void compila(const QString &data, const QString &dettagli)
{
    auto *f = frmPagaFattureModPagamento;
    f->riempiListe();
    f->maskData->setFocus();
    f->maskData->selectAll();
    QTest::keyClick(f->maskData, Qt::Key_Delete);
    if (!data.isEmpty()) QTest::keyClicks(f->maskData, data);
    f->Edit1->setText(dettagli);
}

qint64 pagate() { return conta("select count(*) from FatturaScadenze where Pagato <> 0"); }

} // namespace

void TestPagaFatture::init()
{
    g_banco = std::make_unique<banco::Banco>(
        QStringList{"frmPagaFatture", "frmPagaFattureModPagamento"},
        QStringList{
            "update opzioni set DuplicaFatturazioneInPrimaNota = True",
            "insert into Bank (Id, Banca, Annullato) values (3, 'Banca del Borgo', False)",
            "insert into ModPagamento (Id, Descrizione, NumeroScadenze) values (2, 'Bonifico 30 60 90', 3)",
            "insert into fattura (ID, Carico, FattNota, Cliente_ID, Num, Data) values (50, False, False, 7, 12, #1/10/2026#)",
            "insert into fattura (ID, Carico, FattNota, Cliente_ID, Num, Data) values (51, False, True, 7, 1, #1/20/2026#)",
            "insert into fattura (ID, Carico, FattNota, Cliente_ID, Num, Data) values (52, False, True, 9, 2, #1/20/2026#)",
            "insert into FatturaScadenze (Id, Fattura_ID, Cliente_id, Tipo, Importo, DataScadenza, Operazione, Pagato) values "
            "(501, 50, 7, 'F', 100, #2/28/2026#, '1° Rata fattura 12', False)",
            "insert into FatturaScadenze (Id, Fattura_ID, Cliente_id, Tipo, Importo, DataScadenza, Operazione, Pagato) values "
            "(502, 50, 7, 'F', 150, #3/31/2026#, '2° Rata fattura 12', False)",
            "insert into FatturaScadenze (Id, Fattura_ID, Cliente_id, Tipo, Importo, DataScadenza, Operazione, Pagato) values "
            "(503, 50, 7, 'F', 100.5, #4/30/2026#, '3° Rata fattura 12', False)",
            "insert into FatturaScadenze (Id, Fattura_ID, Cliente_id, Tipo, Importo, DataScadenza, Operazione, Pagato) values "
            "(511, 51, 7, 'N', 40, #2/20/2026#, 'Nota di credito', False)",
            "insert into FatturaScadenze (Id, Fattura_ID, Cliente_id, Tipo, Importo, DataScadenza, Operazione, Pagato) values "
            "(521, 52, 9, 'N', 40, #2/20/2026#, 'Nota di credito', False)"});
}

void TestPagaFatture::cleanup()
{
    const bool pulito = dialoghi().clean();
    const QString resoconto = dialoghi().report();
    g_banco.reset();
    QVERIFY2(pulito, qPrintable(resoconto));
}

// Two of three instalments paid through both forms: the instalments and their cash-book rows.
void TestPagaFatture::pagaDueDiTre()
{
    QVERIFY(frmPagaFatture->prepara(Parte::Cliente, 7));
    QCOMPARE(righeAperte(), 3); // the credit note's instalment is not offered
    suImporto(150);
    frmPagaFatture->SpeedButton2->click();
    suImporto(100);
    Q_EMIT frmPagaFatture->DBGrid1->doubleClicked(); // the double click on the open grid
    QCOMPARE(righeAperte(), 1);
    QCOMPARE(righeScelte(), 2);
    QCOMPARE(etichette(), (QStringList{"350,5", "250", "100,5"}));

    dialoghi().expectMessage(kDomanda, QMessageBox::Yes);
    dialoghi().expectMessage(kSuccesso);
    conModale([] { frmPagaFatture->SpeedButton1->click(); },
              [](QWidget *w) {
                  QCOMPARE(w, frmPagaFattureModPagamento);
                  // "Paga fatture" put today's date in the box.
                  QCOMPARE(frmPagaFattureModPagamento->maskData->date(), core::Clock::instance().today());
                  compila("05032026", "bonifico n. 12");
                  scegli(frmPagaFattureModPagamento->DBLookupComboBox2, "Banca del Borgo");
                  frmPagaFattureModPagamento->SpeedButton1->click();
                  QVERIFY(!w->isVisible());
              });

    db::Query q(&form_DB->Connessione);
    q.setSql("select * from FatturaScadenze where Fattura_ID = 50 order by Id");
    q.open();
    QCOMPARE(q.recordCount(), 3);
    for (q.first(); !q.eof(); q.next()) {
        const bool pagata = q.fieldByName("Id").asLargeInt() != 503;
        QCOMPARE(q.fieldByName("Pagato").asBoolean(), pagata);
        QVERIFY(!q.fieldByName("TemporaneaSelezionata").asBoolean());
        if (!pagata) {
            QVERIFY(q.fieldByName("DataPagamento").isNull());
            QCOMPARE(q.fieldByName("Finanzia_id").asLargeInt(), 0);
            continue;
        }
        QCOMPARE(q.fieldByName("DataPagamento").asDateTime().date(), QDate(2026, 3, 5));
        QCOMPARE(q.fieldByName("Dettagli").asString(), QString("bonifico n. 12"));
        QCOMPARE(q.fieldByName("Banca_ID").asLargeInt(), 3);
        const qint64 riga = q.fieldByName("Finanzia_id").asLargeInt();
        const QString dove = QString(" from finanzia where ID = %1").arg(riga);
        QCOMPARE(conta("select FatturaScadenze_Id" + dove), q.fieldByName("Id").asLargeInt());
        QCOMPARE(scalar("select Entrata" + dove).toDouble(), q.fieldByName("Importo").asFloat());
        QCOMPARE(scalar("select Data" + dove).toDate(), QDate(2026, 3, 5));
        QCOMPARE(conta("select Banca_ID" + dove), 3);
    }
    QCOMPARE(conta("select count(*) from finanzia"), 2);
    QCOMPARE(conta("select count(*) from TempFatturaScadenzeCumulativo"), 0);
    // What is left: the third instalment, nothing in payment.
    QCOMPARE(righeAperte(), 1);
    QCOMPARE(righeScelte(), 0);
    QCOMPARE(etichette(), (QStringList{"100,5", "0", "0"}));
}

// One instalment of 100 out of 350.5 in and out of the selection.
void TestPagaFatture::totali()
{
    QVERIFY(frmPagaFatture->prepara(Parte::Cliente, 7));
    QCOMPARE(etichette(), (QStringList{"350,5", "0", "350,5"}));
    suImporto(100);
    frmPagaFatture->SpeedButton2->click();
    QCOMPARE(etichette(), (QStringList{"350,5", "100", "250,5"}));
    QVERIFY(scalar("select TemporaneaSelezionata from FatturaScadenze where Id = 501").toBool());
    frmPagaFatture->SpeedButton3->click();
    QCOMPARE(etichette(), (QStringList{"350,5", "0", "350,5"}));
    QVERIFY(!scalar("select TemporaneaSelezionata from FatturaScadenze where Id = 501").toBool());
    QCOMPARE(righeAperte(), 3);
    QCOMPARE(righeScelte(), 0);
    // Both buttons do nothing on an empty grid.
    frmPagaFatture->SpeedButton3->click();
    QCOMPARE(etichette(), (QStringList{"350,5", "0", "350,5"}));
}

// Amounts whose sum in binary doubles is a cent short (6.61 + 19.365 gives 25.97): the totals
// are added at their decimal value and rounded to the cent once.
void TestPagaFatture::totaliAlCentesimo()
{
    g_banco->esegui("update FatturaScadenze set Importo = 6.61 where Id = 501");
    g_banco->esegui("update FatturaScadenze set Importo = 19.365 where Id = 502");
    QVERIFY(frmPagaFatture->prepara(Parte::Cliente, 7));
    QCOMPARE(etichette(), (QStringList{"126,48", "0", "126,48"}));
    suImporto(6.61);
    frmPagaFatture->SpeedButton2->click();
    suImporto(19.365);
    frmPagaFatture->SpeedButton2->click();
    QCOMPARE(etichette(), (QStringList{"126,48", "25,98", "100,5"}));
}

void TestPagaFatture::aggiungiTutteTogliTutte()
{
    QVERIFY(frmPagaFatture->prepara(Parte::Cliente, 7));
    frmPagaFatture->SpeedButton5->click();
    QCOMPARE(righeAperte(), 0);
    QCOMPARE(righeScelte(), 3);
    QCOMPARE(etichette(), (QStringList{"350,5", "350,5", "0"}));
    frmPagaFatture->SpeedButton2->click(); // nothing left to add
    QCOMPARE(righeScelte(), 3);
    frmPagaFatture->SpeedButton4->click();
    QCOMPARE(righeAperte(), 3);
    QCOMPARE(righeScelte(), 0);
    QCOMPARE(etichette(), (QStringList{"350,5", "0", "350,5"}));
    QCOMPARE(conta("select count(*) from FatturaScadenze where TemporaneaSelezionata <> 0"), 0);
    QCOMPARE(pagate(), 0);
}

void TestPagaFatture::aggiungiTutteSaltaLePagate()
{
    QVERIFY(frmPagaFatture->prepara(Parte::Cliente, 7));
    // Another workstation pays the instalment of 150 while the grid still shows it.
    g_banco->esegui("update FatturaScadenze set Pagato = True where Id = 502");
    frmPagaFatture->SpeedButton5->click();
    QCOMPARE(righeScelte(), 2);
    QCOMPARE(etichette(), (QStringList{"350,5", "200,5", "150"}));
    frmPagaFatture->SpeedButton3->click();
    QCOMPARE(righeScelte(), 1);
    QCOMPARE(etichette(), (QStringList{"350,5", "100,5", "250"}));
}

void TestPagaFatture::senzaScadenzeAperte()
{
    dialoghi().expectMessage("Non sono presenti scadenze non pagate");
    QVERIFY(!frmPagaFatture->prepara(Parte::Cliente, 9));
    QCOMPARE(dialoghi().messages().last().caption, QString("Messaggio di avviso"));
}

void TestPagaFatture::selezioneVuota()
{
    QVERIFY(frmPagaFatture->prepara(Parte::Cliente, 7));
    dialoghi().expectMessage("Attenzione è necessario scegliere una scadenza in pagamento prima di proseguire!");
    frmPagaFatture->SpeedButton1->click();
}

void TestPagaFatture::dataRifiutata_data()
{
    QTest::addColumn<QString>("data");
    QTest::newRow("empty box") << QString();
    QTest::newRow("impossible date") << QString("31022026");
    QTest::newRow("incomplete date") << QString("0503");
}

void TestPagaFatture::dataRifiutata()
{
    QFETCH(QString, data);
    QVERIFY(frmPagaFatture->prepara(Parte::Cliente, 7));
    frmPagaFatture->SpeedButton5->click();
    compila(data, "x");
    dialoghi().expectMessage("Attenzione E' necessario definire la data pagamento...");
    frmPagaFattureModPagamento->SpeedButton1->click();
    QCOMPARE(dialoghi().messages().last().caption, QString("Messaggio di avviso!!"));
    QCOMPARE(pagate(), 0);
    QCOMPARE(conta("select count(*) from finanzia"), 0);
    QCOMPARE(righeScelte(), 3);
}

void TestPagaFatture::rispostaNo()
{
    QVERIFY(frmPagaFatture->prepara(Parte::Cliente, 7));
    frmPagaFatture->SpeedButton2->click();
    compila("05032026", "x");
    dialoghi().expectMessage(kDomanda, QMessageBox::No);
    frmPagaFattureModPagamento->SpeedButton1->click();
    QCOMPARE(pagate(), 0);
    QCOMPARE(righeScelte(), 1);
    QCOMPARE(etichette(), (QStringList{"350,5", "100", "250,5"}));
}

// The cash book cannot be written: no instalment is paid either, the selection stays.
void TestPagaFatture::pagamentoFallito()
{
    QVERIFY(frmPagaFatture->prepara(Parte::Cliente, 7));
    frmPagaFatture->SpeedButton5->click();
    g_banco->esegui("drop table finanzia");
    compila("05032026", "x");
    dialoghi().expectMessage(kDomanda, QMessageBox::Yes);
    dialoghi().expectMessage(QString()); // the database's error
    frmPagaFattureModPagamento->SpeedButton1->click();
    QVERIFY(!dialoghi().messageTexts().contains(kSuccesso));
    QCOMPARE(pagate(), 0);
    QCOMPARE(conta("select count(*) from FatturaScadenze where DataPagamento is not null"), 0);
    QCOMPARE(conta("select count(*) from TempFatturaScadenzeCumulativo"), 3);
    QCOMPARE(righeScelte(), 3);
}

// What the customer detail's button does: the form opens on the customer's open instalments.
void TestPagaFatture::apertaDalCliente()
{
    conModale([] { frmPagaFatture->apri(false, 7); },
              [](QWidget *w) {
                  QCOMPARE(w, frmPagaFatture);
                  QCOMPARE(righeAperte(), 3);
                  frmPagaFatture->spdIndietro->click();
              });
    dialoghi().expectMessage("Non sono presenti scadenze non pagate");
    frmPagaFatture->apri(false, 9);
}
