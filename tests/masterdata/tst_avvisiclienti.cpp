#include "tst_avvisiclienti.h"

#include "Ambiente.h"
#include "app/Frm1.h"
#include "data/DB.h"
#include "db/Query.h"
#include "core/Workstation.h"
#include "masterdata/AvvisiClienti.h"
#include "widgets/MaskedDateEdit.h"
#include "Program.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTest>
#include <QToolButton>

using namespace ambiente;

namespace {

void clienti()
{
    esegui("insert into Clienti (Id, NominativoVisualizzato, NominativoDocumenti, Provincia, Note, Annullato) values "
           "(101, 'Rossi Srl', 'Rossi Srl', 'MI', 'cliente d''oro', False)");
    esegui("insert into Clienti (Id, NominativoVisualizzato, NominativoDocumenti, Provincia, Note, Annullato) values "
           "(102, 'Bianchi Spa', 'Bianchi Spa', 'MI', 'cliente nuovo', False)");
    esegui("insert into Clienti (Id, NominativoVisualizzato, NominativoDocumenti, Provincia, Note, Annullato) values "
           "(103, 'Verdi', 'Verdi', 'CO', 'cliente d''oro', False)");
    esegui("insert into Avvisi (Descrizione, Testo) values ('Chiusura', 'Il deposito resta chiuso ad agosto.')");
    // Another workstation is preparing its own notice at the same time.
    esegui("insert into TempAvvisi (NomeComputer, Testo) values ('MAGAZZINO', 'Altro avviso')");
    esegui("insert into TempAvvisiClienti (NomeComputer, Cliente_ID) values ('MAGAZZINO', 103)");
}

QStringList scelti(const QString &postazione)
{
    db::Query q(&form_DB->Connessione);
    q.setSql("select Cliente_ID from TempAvvisiClienti where NomeComputer = :p order by Cliente_ID");
    q.bind(":p", postazione);
    q.open();
    QStringList r;
    for (q.first(); !q.eof(); q.next()) r << q.field(0).asString();
    return r;
}

QString testoPdf(const QString &path)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!p.waitForFinished(60000) || p.exitCode() != 0) return QStringLiteral("<pdftotext failed>");
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

void TestAvvisiClienti::init() { avvia(); }
void TestAvvisiClienti::cleanup() { chiudi(); }

void TestAvvisiClienti::stampaPerIClientiFiltrati()
{
    clienti();
    // The report program, run in-process beside the program folder, exports the notice to a file.
    const QString cartella = core::Workstation::instance().programFolder();
    QDir().mkpath(cartella + "/reports");
    for (const QString &nome : QDir(QStringLiteral(SOURCE_DIR "/reports")).entryList({"*.rpt"}))
        QFile::copy(QStringLiteral(SOURCE_DIR "/reports/") + nome, cartella + "/reports/" + nome);
    launcher().behaviour = [](const QString &, const QStringList &args) { return stampa::run(QStringList{"stampa"} + args, false); };
    const QString pdf = cartella + "/avviso.pdf";
    QToolButton *pulsante = Form1->menuButton(TForm1::tabAttivita, QStringLiteral("Avvisi Clienti"));
    QVERIFY(pulsante);
    QStringList trovati;
    conModale([pulsante] { pulsante->click(); }, [&](QWidget *w) {
        auto *p1 = frmAvvisiClienti_Campi;
        QCOMPARE(w, static_cast<QWidget *>(p1));
        QComboBox *importa = p1->DBLookupComboBox1;
        const int i = importa->findText("Chiusura");
        QVERIFY(i > 0);
        importa->setCurrentIndex(i);
        Q_EMIT importa->activated(i); // an empty text is replaced without asking
        QCOMPARE(p1->DBMemo1->toPlainText(), QStringLiteral("Il deposito resta chiuso ad agosto."));
        conModale([p1] { p1->spdContinua->click(); }, [&](QWidget *w2) {
            auto *p2 = frmAvvisiClienti_Filtri;
            QCOMPARE(w2, static_cast<QWidget *>(p2));
            p2->DBLookupComboBox2->setCurrentIndex(p2->DBLookupComboBox2->findText("MI"));
            p2->Edit4->setText("cliente d'");
            conModale([p2] { p2->btnContinua->click(); }, [&](QWidget *w3) {
                auto *p3 = frmAvvisiClienti_Griglia;
                QCOMPARE(w3, static_cast<QWidget *>(p3));
                for (int k = 0; k < p3->CheckListBox1->count(); ++k) {
                    QCOMPARE(p3->CheckListBox1->item(k)->checkState(), Qt::Checked);
                    trovati << p3->CheckListBox1->item(k)->text();
                }
                EsportaStampa = true;
                FileEsportazioneStampa = pdf;
                p3->btnStampa->click();
                EsportaStampa = false;
                p3->spdIndietro->click();
            });
            p2->spdIndietro->click();
        });
        p1->spdIndietro->click();
    });
    QCOMPARE(trovati, QStringList({"   Rossi Srl"}));
    QCOMPARE(scelti(NomeComputerLocale), QStringList({"101"}));
    QCOMPARE(scelti("MAGAZZINO"), QStringList({"103"}));
    QCOMPARE(valore("select Testo from TempAvvisi where NomeComputer = 'MAGAZZINO'").toString(), QStringLiteral("Altro avviso"));
    // The printed notice: this workstation's text for its own customer, nothing of the other workstation's.
    QCOMPARE(CodiceStampa, 32);
    const QString testo = testoPdf(pdf);
    for (const char *atteso : {"Rossi Srl", "Il deposito resta chiuso ad agosto."})
        QVERIFY2(testo.contains(QString::fromUtf8(atteso)), qPrintable(QString::fromUtf8(atteso) + "\n" + testo));
    for (const char *assente : {"Bianchi Spa", "Verdi", "Altro avviso"})
        QVERIFY2(!testo.contains(QString::fromUtf8(assente)), qPrintable(QString::fromUtf8(assente) + "\n" + testo));
}

void TestAvvisiClienti::dateELookupDeiFiltri()
{
    clienti();
    esegui("insert into FatturaScadenze (Cliente_id, DataScadenza, Importo) values (101, #2/15/2024#, 10), (102, #3/1/2024#, 20), "
           "(103, #3/15/2024 10.00.00#, 30), (103, #3/16/2024#, 40)");
    QStringList trovati;
    conModale([] { frmAvvisiClienti_Campi->exec(); }, [&](QWidget *) {
        auto *p1 = frmAvvisiClienti_Campi;
        p1->DBMemo1->setPlainText("Avviso");
        conModale([p1] { p1->spdContinua->click(); }, [&](QWidget *) {
            auto *p2 = frmAvvisiClienti_Filtri;
            p2->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(p2));
            // Enter moves on from a lookup; Backspace empties it, so it filters nothing.
            p2->DBLookupComboBox2->setCurrentIndex(p2->DBLookupComboBox2->findText("CO"));
            p2->DBLookupComboBox2->setFocus();
            QTest::keyClick(p2->DBLookupComboBox2, Qt::Key_Backspace);
            QCOMPARE(p2->DBLookupComboBox2->currentText(), QString());
            QTest::keyClick(p2->DBLookupComboBox2, Qt::Key_Return);
            QCOMPARE(p2->focusWidget(), static_cast<QWidget *>(p2->Edit4));
            QCOMPARE(p2->Edit4->palette().color(QPalette::Base), QColor(0, 255, 255));
            // Dates typed as digits into the mask.
            p2->maskDa->setFocus();
            p2->maskDa->home(false);
            QTest::keyClicks(p2->maskDa, "01032024");
            QCOMPARE(p2->maskDa->text(), QString("01/03/2024"));
            p2->maskA->setFocus();
            p2->maskA->home(false);
            QTest::keyClicks(p2->maskA, "15032024");
            conModale([p2] { p2->btnContinua->click(); }, [&](QWidget *) {
                auto *p3 = frmAvvisiClienti_Griglia;
                for (int k = 0; k < p3->CheckListBox1->count(); ++k) trovati << p3->CheckListBox1->item(k)->text().trimmed();
                p3->spdIndietro->click();
            });
            p2->spdIndietro->click();
        });
        p1->spdIndietro->click();
    });
    // Due from 1 March to the whole of 15 March; the province chosen and then cleared filters nothing.
    trovati.sort();
    QCOMPARE(trovati, QStringList({"Bianchi Spa", "Verdi"}));
}

void TestAvvisiClienti::testoMancanteEDataNonValida()
{
    clienti();
    dialoghi().expectMessage(QStringLiteral("Attenzione manca il testo"));
    dialoghi().expectMessage(QStringLiteral("La data di scadenza non è valida"));
    conModale([] { frmAvvisiClienti_Campi->exec(); }, [&](QWidget *) {
        auto *p1 = frmAvvisiClienti_Campi;
        p1->DBMemo1->clear();
        p1->spdContinua->click(); // stays: no text
        QVERIFY(p1->isVisible());
        p1->DBMemo1->setPlainText("Avviso");
        conModale([p1] { p1->spdContinua->click(); }, [&](QWidget *) {
            auto *p2 = frmAvvisiClienti_Filtri;
            p2->maskDa->setText("31/02/2024");
            p2->btnContinua->click(); // refused: step 3 does not open
            QVERIFY(!frmAvvisiClienti_Griglia->isVisible());
            p2->spdIndietro->click();
        });
        p1->spdIndietro->click();
    });
    QCOMPARE(valore("select Testo from TempAvvisi where NomeComputer = '" + NomeComputerLocale + "'").toString(), QStringLiteral("Avviso"));
}
