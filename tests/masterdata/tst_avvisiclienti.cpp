#include "tst_avvisiclienti.h"

#include "Ambiente.h"
#include "app/Frm1.h"
#include "data/DB.h"
#include "db/Query.h"
#include "masterdata/AvvisiClienti.h"

#include <QComboBox>
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

} // namespace

void TestAvvisiClienti::init() { avvia(); }
void TestAvvisiClienti::cleanup() { chiudi(); }

void TestAvvisiClienti::stampaPerIClientiFiltrati()
{
    clienti();
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
                p3->btnStampa->click();
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
    // The print request of this workstation reads its own notice for its own customers.
    db::Query r(&form_DB->Connessione);
    r.setSql("select Query from TempStampa where NomeComputer = :p");
    r.bind(":p", NomeComputerLocale);
    r.open();
    QVERIFY(!r.isEmpty());
    db::Query q(&form_DB->Connessione);
    q.setSql(r.fieldByName("Query").asString());
    q.open();
    QCOMPARE(q.recordCount(), 1);
    QCOMPARE(q.fieldByName("Cliente").asString(), QStringLiteral("Rossi Srl"));
    QCOMPARE(q.fieldByName("Testo").asString(), QStringLiteral("Il deposito resta chiuso ad agosto."));
    QVERIFY(!launcher().started.isEmpty());
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
