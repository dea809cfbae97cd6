#include "tst_editorpreventivo.h"

#include "Ambiente.h"
#include "Banco.h"
#include "Layout.h"
#include "Program.h"
#include "Request.h"
#include "data/DB.h"
#include "db/Query.h"
#include "forms/ListForm.h"
#include "forms/Registro.h"
#include "sales/EditorPreventivo.h"
#include "widgets/DBCheckBox.h"
#include "widgets/DBEdit.h"
#include "widgets/DBLookupComboBox.h"

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
#include <QToolBar>
#include <QToolButton>

using ambiente::conModale;

namespace {

std::unique_ptr<banco::Banco> g_banco;
testing_support::ScriptedDialogs &dialoghi() { return g_banco->dialoghi(); }
QVariant valore(const QString &sql) { return g_banco->valore(sql); }
db::Field campo(const char *nome) { return form_DB->Table16->fieldByName(QLatin1String(nome)); }

// Customers 1 (document name apart from its name and its list text), 2 and 3 (withdrawn); a
// staff member; two billing types; quote 10 (n. 1, 10/03/2026, Verdi, staff member, billing
// type 1, tariff type 5, plate and dates) and quote 11 (n. 2, no customer).
QStringList archivio()
{
    return {"delete from Iva",
            "insert into Iva (ID, Descrizione, Iva) values (1, 'Iva 22%', 22), (2, 'Iva 5,5%', 5.5)",
            "insert into Clienti (Id, Cliente, NominativoVisualizzato, NominativoDocumenti, Annullato, Via, Citta) values "
            "(1, 'Rossi Mario', 'Rossi Mario (Milano)', 'Autofficina Rossi di Mario Rossi', false, 'Via Roma 5', 'Milano'), "
            "(2, 'Verdi Srl', 'Verdi Srl', 'Verdi Srl', false, null, null), (3, 'Neri Spa', 'Neri Spa', 'Neri Spa', true, null, null)",
            "insert into Personale (Id, Personale) values (1, 'Bianchi Luca')",
            "delete from TipoFatturazione",
            "insert into TipoFatturazione (Id, Descrizione) values (1, 'Privati'), (2, 'Enti')",
            "insert into PreventiTestata (ID, Numero, Data, Cliente_ID, Cliente, Storico, Personale_ID, TipoFatturazione_Id, "
            "TipoTariffa_Id, Targa1, DataIngressoVeicolo, DataUscitaVeicolo, Giorni) values "
            "(10, 1, #3/10/2026#, 2, 'Verdi Srl', false, 1, 1, 5, 'AB123CD', #3/8/2026#, #3/10/2026#, 3)",
            "insert into PreventiTestata (ID, Numero, Data, Storico) values (11, 2, #3/11/2026#, false)"};
}

// Makes quote `id` current in Table16, as the quote list does before it shows the editor.
void punta(qint64 id)
{
    form_DB->Table16->requery();
    QVERIFY(form_DB->Table16->locate("ID", id));
}

// The editor shown on quote `id` as the list shows it (a new quote with "Annulla"); `azione`
// runs while it is open, and the editor is closed afterwards if it is still open.
void suPreventivo(qint64 id, const std::function<void()> &azione, bool nuovo = false)
{
    punta(id);
    conModale([nuovo] { frmPreventivi->mostra(nuovo); }, [&](QWidget *w) {
        QCOMPARE(w, static_cast<QWidget *>(frmPreventivi));
        // Focus and leaving a field need the editor to be the active window.
        frmPreventivi->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frmPreventivi));
        azione();
        if (frmPreventivi->isVisible()) {
            if (form_DB->Table16->isEditing()) form_DB->Table16->cancel();
            frmPreventivi->DatiModificati = false;
            frmPreventivi->SalvataggioFallito = false;
            frmPreventivi->spdIndietroClick();
        }
    });
}

void scegli(ui::DBLookupComboBox *l, const QString &testo)
{
    const int i = l->findText(testo);
    QVERIFY2(i >= 0, qPrintable(testo));
    l->setCurrentIndex(i);
    Q_EMIT l->activated(i);
}

// Types into a box as the user does, staying in it.
void scrivi(QLineEdit *e, const QString &testo)
{
    e->setFocus();
    e->selectAll();
    QTest::keyClick(e, Qt::Key_Delete);
    QTest::keyClicks(e, testo);
}

void paginaSenzaSegnali(int i)
{
    const QSignalBlocker quiet(frmPreventivi->PageControl1);
    frmPreventivi->PageControl1->setCurrentIndex(i);
}

} // namespace

void TestEditorPreventivo::init() { g_banco = std::make_unique<banco::Banco>(QStringList{"frmPreventivi", "frmClienti"}, archivio()); }

void TestEditorPreventivo::cleanup()
{
    const bool pulito = dialoghi().clean();
    const QString resoconto = dialoghi().report();
    g_banco.reset();
    QVERIFY2(pulito, qPrintable(resoconto));
}

void TestEditorPreventivo::aspetto()
{
    TfrmPreventivi *f = frmPreventivi;
    QCOMPARE(f->windowTitle(), QString("Preventivi"));
    QCOMPARE(f->property("helpContext").toInt(), 4700);
    QCOMPARE(f->PageControl1->tabText(0), QString("   Testata   "));
    QCOMPARE(f->PageControl1->tabText(1), QString("   Righe   "));
    QCOMPARE(f->spdSalva->text(), QString("salva"));
    QCOMPARE(f->spdSalva->toolTip(), QString("Sava le modifiche effettuate"));
    QCOMPARE(f->SpeedButton3->toolTip(), QString("Visualizza l'anteprima di Stampa del Documento"));
    suPreventivo(10, [f] {
        QCOMPARE(ambiente::didascalie(f->ToolBar2, true), (QStringList{"Aiuto", "Stampa", "Indietro"}));
        // The seizures and the staff come with forms this test does not create.
        for (QToolButton *b : {f->btnSequestri, f->SpeedButton1, f->SpeedButton5}) QVERIFY2(!b->isEnabled(), qPrintable(b->objectName()));
        for (QToolButton *b : {f->SpeedButton7, f->SpeedButton8, f->SpeedButton9}) QVERIFY2(b->isEnabled(), qPrintable(b->objectName()));
        // The stored quote as the header shows it.
        QCOMPARE(f->DBEdit2->text(), QString("1"));
        QCOMPARE(f->DBEdit3->text(), QString("10/03/2026"));
        QCOMPARE(f->DBLookupComboBox2->currentText(), QString("Verdi Srl"));
        QCOMPARE(f->DBLookupComboBox8->currentText(), QString("Privati"));
        QCOMPARE(f->DBLookupComboBox3->currentText(), QString("Supplementi"));
        QCOMPARE(f->DBLookupComboBox1->currentText(), QString("Bianchi Luca"));
        QCOMPARE(f->DBEdit7->text(), QString("AB123CD"));
        QCOMPARE(f->DBEdit10->text(), QString("3"));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(f->DBEdit2));
    });
    suPreventivo(11, [f] { QCOMPARE(ambiente::didascalie(f->ToolBar2, true), (QStringList{"Annulla", "Aiuto", "Stampa", "Indietro"})); },
                 true);
    QCOMPARE(ambiente::didascalie(f->ToolBar2, true), (QStringList{"Aiuto", "Stampa", "Indietro"}));
}

void TestEditorPreventivo::controlliInOrdine_data()
{
    QTest::addColumn<QStringList>("vuoti");  // columns the quote lacks
    QTest::addColumn<QString>("casella");    // a box typed into ...
    QTest::addColumn<QString>("testo");      // ... with this text
    QTest::addColumn<QString>("messaggio");
    QTest::addColumn<QString>("fuoco");
    QTest::newRow("no date") << QStringList{"Data", "Numero", "Cliente_ID"} << "" << "" << "Attenzione manca la data" << "DBEdit3";
    QTest::newRow("no number") << QStringList{"Numero", "Cliente_ID"} << "" << "" << "Attenzione manca il numero di preventivo"
                               << "DBEdit2";
    QTest::newRow("no customer") << QStringList{"Cliente_ID"} << "" << "" << "Attenzione manca il cliente del preventivo"
                                 << "DBLookupComboBox2";
    QTest::newRow("date not a date") << QStringList{} << "DBEdit3" << "31/02/2026" << "Attenzione data non valida: 31/02/2026"
                                     << "DBEdit3";
    QTest::newRow("exit date not a date") << QStringList{} << "DBEdit9" << "5/13/2026" << "Attenzione data non valida: 5/13/2026"
                                          << "DBEdit9";
}

void TestEditorPreventivo::controlliInOrdine()
{
    QFETCH(QStringList, vuoti);
    QFETCH(QString, casella);
    QFETCH(QString, testo);
    QFETCH(QString, messaggio);
    QFETCH(QString, fuoco);
    suPreventivo(10, [&] {
        TfrmPreventivi *f = frmPreventivi;
        form_DB->Table16->edit();
        for (const QString &c : vuoti) form_DB->Table16->fieldByName(c).clear();
        if (casella.isEmpty()) {
            // The check brings the header page back.
            paginaSenzaSegnali(1);
        } else {
            scrivi(f->findChild<QLineEdit *>(casella), testo);
        }
        f->DatiModificati = true;
        dialoghi().expectMessage(messaggio);
        f->spdIndietroClick();
        QCOMPARE(dialoghi().messages().size(), 1);
        QCOMPARE(dialoghi().messages().last().caption, QStringLiteral("Messaggio di errore"));
        QVERIFY(f->isVisible());
        QVERIFY(f->SalvataggioFallito);
        QVERIFY(f->DatiModificati);
        QCOMPARE(f->PageControl1->currentIndex(), 0);
        QCOMPARE(QApplication::focusWidget(), f->findChild<QWidget *>(fuoco));
    });
    // Nothing was stored.
    QCOMPARE(valore("select count(*) from PreventiTestata where ID = 10 and Numero = 1 and Cliente_ID = 2 and "
                    "Data = #3/10/2026# and DataIngressoVeicolo = #3/8/2026# and DataUscitaVeicolo = #3/10/2026#")
                 .toInt(),
             1);
}

void TestEditorPreventivo::salvaEChiude()
{
    bool chiuso = false;
    suPreventivo(10, [&] {
        scrivi(frmPreventivi->DBEdit6, "Urgente");
        scrivi(frmPreventivi->DBEdit11, "RG 45/2026");
        scrivi(frmPreventivi->DBEdit8, "09/03/2026");
        QTest::keyClick(frmPreventivi->DBEdit8, Qt::Key_Tab);
        QVERIFY(frmPreventivi->DatiModificati);
        frmPreventivi->spdIndietroClick();
        chiuso = !frmPreventivi->isVisible();
    });
    QVERIFY(chiuso);
    QVERIFY(!frmPreventivi->DatiModificati);
    QCOMPARE(valore("select count(*) from PreventiTestata where ID = 10 and Note = 'Urgente' and ProcPen = 'RG 45/2026' and "
                    "DataIngressoVeicolo = #3/9/2026#")
                 .toInt(),
             1);
}

void TestEditorPreventivo::indietroSenzaModifiche()
{
    // Quote 11 has no customer: unchanged, it is left without the checks.
    bool chiuso = false;
    suPreventivo(11, [&] {
        frmPreventivi->spdIndietroClick();
        chiuso = !frmPreventivi->isVisible();
    });
    QVERIFY(chiuso);
}

void TestEditorPreventivo::sceltaCliente_data()
{
    QTest::addColumn<bool>("dallElenco");
    QTest::newRow("in the lookup") << false;
    QTest::newRow("in the customers' list") << true;
}

void TestEditorPreventivo::sceltaCliente()
{
    QFETCH(bool, dallElenco);
    suPreventivo(11, [&] {
        TfrmPreventivi *f = frmPreventivi;
        QVERIFY(!f->DatiModificati);
        if (dallElenco) {
            conModale([f] { f->SpeedButton7->click(); }, [](QWidget *w) {
                auto *lista = qobject_cast<forms::ListForm *>(w);
                QVERIFY(lista);
                QVERIFY(lista->ModalitaScelta);
                // Withdrawn customers are not offered.
                QVERIFY(!lista->dataset()->locate("Id", 3));
                QVERIFY(lista->dataset()->locate("Id", 1));
                lista->spdAvanti->click();
            });
        } else {
            scegli(f->DBLookupComboBox2, "Rossi Mario (Milano)");
        }
        QVERIFY(f->DatiModificati);
        // Either way the quote names the customer as its documents do.
        QCOMPARE(campo("Cliente_ID").asInteger(), 1);
        QCOMPARE(campo("Cliente").asString(), QString("Autofficina Rossi di Mario Rossi"));
        QCOMPARE(f->DBLookupComboBox2->currentText(), QString("Rossi Mario (Milano)"));
        f->spdIndietroClick();
        QVERIFY(!f->isVisible());
    });
    QCOMPARE(valore("select Cliente from PreventiTestata where ID = 11").toString(), QString("Autofficina Rossi di Mario Rossi"));
    QCOMPARE(valore("select Cliente_ID from PreventiTestata where ID = 11").toInt(), 1);
    auto *lista = qobject_cast<forms::ListForm *>(forms::Registro::istanza().voce("frmClienti")->corrente());
    QVERIFY(!lista->ModalitaScelta);
    QVERIFY(!lista->SceltaEffettuata);
}

void TestEditorPreventivo::sceltaDallElencoAnnullata()
{
    suPreventivo(10, [&] {
        TfrmPreventivi *f = frmPreventivi;
        // A first pick, then the list left with "Indietro": the first pick stays.
        conModale([f] { f->SpeedButton7->click(); }, [](QWidget *w) {
            auto *lista = qobject_cast<forms::ListForm *>(w);
            QVERIFY(lista->dataset()->locate("Id", 1));
            lista->spdAvanti->click();
        });
        QCOMPARE(campo("Cliente_ID").asInteger(), 1);
        f->DatiModificati = false;
        conModale([f] { f->SpeedButton7->click(); }, [](QWidget *w) {
            auto *lista = qobject_cast<forms::ListForm *>(w);
            QVERIFY(lista->dataset()->locate("Id", 2));
            lista->spdIndietro->click();
        });
        QCOMPARE(campo("Cliente_ID").asInteger(), 1);
        QCOMPARE(campo("Cliente").asString(), QString("Autofficina Rossi di Mario Rossi"));
        QVERIFY(!f->DatiModificati);
    });
}

void TestEditorPreventivo::svuotaLookup()
{
    suPreventivo(10, [&] {
        TfrmPreventivi *f = frmPreventivi;
        // The customer takes its name with it.
        f->DBLookupComboBox2->setFocus();
        QTest::keyClick(f->DBLookupComboBox2, Qt::Key_Backspace);
        QVERIFY(f->DatiModificati);
        QVERIFY(campo("Cliente_ID").isNull());
        QVERIFY(campo("Cliente").isNull());
        // Enter moves on from the customer, not from the billing or tariff type.
        QTest::keyClick(f->DBLookupComboBox2, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(f->DBLookupComboBox8));
        QTest::keyClick(f->DBLookupComboBox8, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(f->DBLookupComboBox8));
        const std::pair<ui::DBLookupComboBox *, const char *> altri[] = {
            {f->DBLookupComboBox8, "TipoFatturazione_Id"}, {f->DBLookupComboBox3, "TipoTariffa_Id"}, {f->DBLookupComboBox1, "Personale_ID"}};
        for (const auto &[l, colonna] : altri) {
            f->DatiModificati = false;
            l->setFocus();
            QTest::keyClick(l, Qt::Key_Delete);
            QVERIFY2(f->DatiModificati, colonna);
            QVERIFY2(campo(colonna).isNull() || campo(colonna).asInteger() == 0, colonna);
            QCOMPARE(l->currentText(), QString());
        }
        dialoghi().expectMessage("Attenzione manca il cliente del preventivo");
        f->spdIndietroClick();
        QVERIFY(f->isVisible());
    });
    QCOMPARE(valore("select Cliente_ID from PreventiTestata where ID = 10").toInt(), 2);
}

void TestEditorPreventivo::calcolaGiorni_data()
{
    QTest::addColumn<QString>("ingresso");
    QTest::addColumn<QString>("uscita");
    QTest::addColumn<int>("giorni"); // -1: unchanged
    QTest::newRow("3 to 5 March") << "03/03/2026" << "05/03/2026" << 3;
    QTest::newRow("the same day") << "03/03/2026" << "03/03/2026" << 1;
    QTest::newRow("dates swapped") << "05/03/2026" << "03/03/2026" << 3;
    QTest::newRow("across the year") << "30/12/2025" << "02/01/2026" << 4;
    QTest::newRow("no exit date") << "03/03/2026" << "" << -1;
    QTest::newRow("no entry date") << "" << "05/03/2026" << -1;
}

void TestEditorPreventivo::calcolaGiorni()
{
    QFETCH(QString, ingresso);
    QFETCH(QString, uscita);
    QFETCH(int, giorni);
    suPreventivo(10, [&] {
        TfrmPreventivi *f = frmPreventivi;
        form_DB->Table16->edit();
        campo("Giorni").setAsInteger(99);
        // Typed and not yet left: "Calcola" takes what the boxes show.
        scrivi(f->DBEdit8, ingresso);
        scrivi(f->DBEdit9, uscita);
        f->DatiModificati = false;
        f->Button1->click();
        QCOMPARE(campo("Giorni").asInteger(), giorni < 0 ? 99 : giorni);
        QCOMPARE(f->DatiModificati, giorni >= 0);
        QCOMPARE(f->DBEdit10->text(), QString::number(giorni < 0 ? 99 : giorni));
    });
}

void TestEditorPreventivo::paginaRighe_data()
{
    QTest::addColumn<bool>("nonSalvato"); // a header row never stored
    QTest::addColumn<int>("cliente");
    QTest::addColumn<QString>("numero");
    QTest::addColumn<QString>("messaggio"); // empty: the rows page opens
    QTest::newRow("header not stored") << true << 2 << "1" << "Attenzione: Prima di inserire le righe è necessario salvare la Testata!!!";
    QTest::newRow("no customer") << false << 0 << "1" << "Attenzione: Prima di inserire le righe è necessario salvare il Cliente!!!";
    QTest::newRow("no customer nor number") << false << 0 << ""
                                            << "Attenzione: Prima di inserire le righe è necessario salvare il Cliente!!!";
    QTest::newRow("no number") << false << 2 << ""
                               << "Attenzione: Prima di inserire le righe è necessario salvare il numero di Preventivo!!!";
    QTest::newRow("a customer just chosen") << false << 1 << "1" << "";
}

void TestEditorPreventivo::paginaRighe()
{
    QFETCH(bool, nonSalvato);
    QFETCH(int, cliente);
    QFETCH(QString, numero);
    QFETCH(QString, messaggio);
    suPreventivo(10, [&] {
        TfrmPreventivi *f = frmPreventivi;
        QWidget *pagina = f->PageControl1->widget(1);
        // The rows page's group (laid by the rows page; a stand-in while it has none).
        QWidget *gruppo = pagina->findChild<QWidget *>("GroupBox1");
        if (!gruppo) {
            gruppo = new QGroupBox(pagina);
            gruppo->setObjectName("GroupBox1");
        }
        if (nonSalvato) {
            form_DB->Table16->append();
            campo("Numero").setAsInteger(9);
        } else {
            form_DB->Table16->edit();
        }
        if (cliente) campo("Cliente_ID").setAsInteger(cliente);
        else campo("Cliente_ID").clear();
        scrivi(f->DBEdit2, numero);
        if (!messaggio.isEmpty()) dialoghi().expectMessage(messaggio);
        f->PageControl1->setCurrentIndex(1);
        QCOMPARE(dialoghi().messages().size(), messaggio.isEmpty() ? 0 : 1);
        if (!messaggio.isEmpty()) QCOMPARE(dialoghi().messages().last().caption, QString("Messaggio di Avviso!!"));
        QCOMPARE(f->PageControl1->currentIndex(), 1);
        QCOMPARE(gruppo->isVisibleTo(pagina), messaggio.isEmpty());
        // Any change of page shows the group again.
        f->PageControl1->setCurrentIndex(0);
        QVERIFY(gruppo->isVisibleTo(pagina));
    });
    // Changing page saved nothing.
    QCOMPARE(valore("select Cliente_ID from PreventiTestata where ID = 10").toInt(), 2);
    QCOMPARE(valore("select count(*) from PreventiTestata").toInt(), 2);
}

void TestEditorPreventivo::fatturatoNonModifica()
{
    suPreventivo(10, [&] {
        TfrmPreventivi *f = frmPreventivi;
        QVERIFY(!f->DBCheckBox1->isChecked());
        QTest::mouseClick(f->DBCheckBox1, Qt::LeftButton);
        QVERIFY(f->DBCheckBox1->isChecked());
        QVERIFY(campo("Fatturato").asBoolean());
        QVERIFY(!f->DatiModificati);
    });
}

void TestEditorPreventivo::coloriEOrdine()
{
    suPreventivo(10, [&] {
        TfrmPreventivi *f = frmPreventivi;
        const QList<QWidget *> campi = {f->DBEdit2,  f->DBEdit3,  f->DBLookupComboBox2, f->DBLookupComboBox8, f->DBLookupComboBox3,
                                        f->DBEdit7,  f->DBEdit8,  f->DBEdit9,           f->DBEdit10,          f->DBEdit11,
                                        f->DBEdit12, f->DBLookupComboBox1, f->DBEdit5,  f->DBEdit4,           f->DBEdit1,
                                        f->DBEdit6};
        // Tab walks the fields in their order, then the seizure button (off here), "Fatturato"
        // and "Calcola"; every field is aqua while it has the focus and white once left.
        f->DBEdit2->setFocus();
        QStringList ordine;
        QWidget *prima = nullptr;
        for (int i = 0; i < campi.size() + 2; ++i) {
            QWidget *w = QApplication::focusWidget();
            ordine << w->objectName();
            if (campi.contains(w)) QCOMPARE(w->palette().color(QPalette::Base), QColor(0, 255, 255));
            if (prima) QCOMPARE(prima->palette().color(QPalette::Base), QColor(Qt::white));
            prima = campi.contains(w) ? w : nullptr;
            QTest::keyClick(w, Qt::Key_Tab);
        }
        QStringList atteso;
        for (QWidget *w : campi) atteso << w->objectName();
        atteso << "DBCheckBox1" << "Button1";
        QCOMPARE(ordine, atteso);
        QVERIFY(!f->DatiModificati);
    });
}

void TestEditorPreventivo::stampaDiPreventivoModificato()
{
    suPreventivo(10, [&] {
        TfrmPreventivi *f = frmPreventivi;
        scrivi(f->DBEdit2, "");
        QTest::keyClick(f->DBEdit2, Qt::Key_Tab);
        QVERIFY(f->DatiModificati);
        f->SpeedButton3->click();
        // Stored without the checks, and still marked modified for "Indietro".
        QCOMPARE(valore("select count(*) from PreventiTestata where ID = 10 and Numero is null").toInt(), 1);
        QVERIFY(f->DatiModificati);
        QCOMPARE(CodiceStampa, 5);
        QCOMPARE(valore("select count(*) from TempStampa where NomeReport like '%Preventivi%.rpt'").toInt(), 1);
        dialoghi().expectMessage("Attenzione manca il numero di preventivo");
        f->spdIndietroClick();
        QVERIFY(f->isVisible());
        // A date typed wrong is said before anything is stored or printed.
        scrivi(f->DBEdit2, "1");
        scrivi(f->DBEdit3, "30/02/2026");
        g_banco->esegui("delete from TempStampa");
        dialoghi().expectMessage("Attenzione data non valida: 30/02/2026");
        f->SpeedButton3->click();
        QCOMPARE(valore("select count(*) from TempStampa").toInt(), 0);
        QCOMPARE(valore("select count(*) from PreventiTestata where ID = 10 and Numero is null").toInt(), 1);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(f->DBEdit3));
    });
}

void TestEditorPreventivo::annullaNuovo()
{
    // Quote 11 as the list hands a new quote over: stored, marked modified, with "Annulla".
    suPreventivo(
        11,
        [&] {
            TfrmPreventivi *f = frmPreventivi;
            f->DatiModificati = true;
            QVERIFY(f->spdAnnulla->isVisible());
            dialoghi().expectMessage("Sei sicuro di voler annullare l'inserimento ?", QMessageBox::No);
            f->spdAnnulla->click();
            QVERIFY(f->isVisible());
            QCOMPARE(valore("select count(*) from PreventiTestata where ID = 11").toInt(), 1);
            scrivi(f->DBEdit6, "da togliere");
            dialoghi().expectMessage("Sei sicuro di voler annullare l'inserimento ?", QMessageBox::Yes);
            f->spdAnnulla->click();
            QVERIFY(!f->isVisible());
            QCOMPARE(dialoghi().messages().last().caption, QString("Messaggio di avviso"));
        },
        true);
    QCOMPARE(valore("select count(*) from PreventiTestata where ID = 11").toInt(), 0);
    QCOMPARE(valore("select count(*) from PreventiTestata where ID = 10").toInt(), 1);
    QVERIFY(!frmPreventivi->DatiModificati);
    QVERIFY(!EliminaSenzaConferma);
}

// ---------------------------------------------------------------- prints

namespace {

std::unique_ptr<QTemporaryDir> g_esportazione;

QString testoPdf(const QString &path)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!p.waitForFinished(60000) || p.exitCode() != 0) return QStringLiteral("<pdftotext failed>");
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The report program beside a program folder of the test's own, with the source tree's
// templates, run in-process.
struct ProgrammaDiStampa {
    QTemporaryDir cartella;
    testing_support::FakeWorkstation postazione;
    testing_support::ScriptedLauncher avvio;
    core::Workstation *postazionePrima = &core::Workstation::instance();
    ui::Launcher *avvioPrima = &ui::Launcher::instance();
    ProgrammaDiStampa()
    {
        QDir().mkpath(cartella.filePath("reports"));
        for (const QString &nome : QDir(QStringLiteral(SOURCE_DIR "/reports")).entryList({"Preventivi*.rpt"}))
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
std::unique_ptr<ProgrammaDiStampa> g_programma;

} // namespace

void TestStampaPreventivo::initTestCase()
{
    // Quote 7 of customer 1 with its seizure, two rows at 22% (discount 10) and at 5.5%, and its
    // totals: 90 + 19.80 and 20 + 1.10.
    QStringList sql = archivio();
    sql << "insert into PreventiTestata (ID, Numero, Data, Cliente_ID, Cliente, Storico, Targa1, DataIngressoVeicolo, "
           "DataUscitaVeicolo, Giorni, ProcPen, Gip, TotImponibile, TotImposta, TotalePreventivo) values (20, 7, #3/10/2026#, 1, "
           "'Autofficina Rossi di Mario Rossi', false, 'AB123CD', #3/8/2026#, #3/10/2026#, 3, 'RG 45/2026', 'Dott. Gialli', 110, "
           "20.9, 130.9)"
        << "insert into Sequestri (Id, Numero, Preventivo_Id, AutoTarga, AutoModello, Proprietario) values "
           "(30, 1, 20, 'AB123CD', 'Fiat Panda', 'Sig. Neri')"
        << "insert into PreventiRighe (Prev_ID, NumeroRiga, TipoRiga, Codice, Descrizione, Um, ValoreUnitario, Sconto, AliquotaIva, "
           "Iva_ID, TotaleImponibile, ValoreTotale) values "
           "(20, 1, 'N', 'TR1', 'Traino autostradale', 1, 100, 10, 22, 1, 90, 109.8), "
           "(20, 2, 'A', '00000', 'Custodia giornaliera', 2, 10, 0, 5.5, 2, 20, 21.1)";
    g_banco = std::make_unique<banco::Banco>(QStringList{"frmPreventivi"}, sql);
    g_programma = std::make_unique<ProgrammaDiStampa>();
    g_esportazione = std::make_unique<QTemporaryDir>();
}

void TestStampaPreventivo::cleanupTestCase()
{
    g_programma.reset();
    g_esportazione.reset();
    const bool pulito = dialoghi().clean();
    const QString resoconto = dialoghi().report();
    g_banco.reset();
    QVERIFY2(pulito, qPrintable(resoconto));
}

void TestStampaPreventivo::modelli_data()
{
    QTest::addColumn<bool>("prezzo");    // opzioni.PrezzoPreventivo
    QTest::addColumn<bool>("rigaIvato"); // opzioni.DocumentiRigaIvato
    QTest::addColumn<QString>("modello");
    QTest::addColumn<QStringList>("righe");  // what the rows show besides code and description
    QTest::addColumn<QStringList>("assenti"); // what the layout must not show
    const QStringList prezzi = {"100,00"};
    QTest::newRow("prices, rows with VAT") << true << true << "Preventivi" << (prezzi + QStringList{"109,80", "21,10"}) << QStringList{};
    QTest::newRow("prices, net rows") << true << false << "PreventiviNoRigaIva" << (prezzi + QStringList{"90,00", "20,00"})
                                      << QStringList{"109,80", "21,10"};
    QTest::newRow("no prices") << false << true << "Preventivi2" << QStringList{} << QStringList{"100,00", "109,80", "21,10"};
    QTest::newRow("no prices, net rows") << false << false << "Preventivi2" << QStringList{} << QStringList{"100,00", "109,80"};
}

void TestStampaPreventivo::modelli()
{
    QFETCH(bool, prezzo);
    QFETCH(bool, rigaIvato);
    QFETCH(QString, modello);
    QFETCH(QStringList, righe);
    QFETCH(QStringList, assenti);
    g_banco->esegui(QString("update opzioni set PrezzoPreventivo = %1, DocumentiRigaIvato = %2")
                        .arg(prezzo ? "true" : "false", rigaIvato ? "true" : "false"));
    form_DB->TableOpzioni->requery();
    const QString file = QDir(g_esportazione->path()).filePath(modello + ".pdf");
    suPreventivo(20, [&] {
        EsportaStampa = true;
        FileEsportazioneStampa = file;
        frmPreventivi->SpeedButton3->click();
        EsportaStampa = false;
    });
    QCOMPARE(CodiceStampa, 5);
    const stampa::Request richiesta = stampa::readRequest(form_DB->Connessione, NomeComputerLocale);
    QCOMPARE(QFileInfo(richiesta.report).fileName(), modello + ".rpt");
    QCOMPARE(QFileInfo(richiesta.reportLandscape).fileName(), QString(modello).insert(modello.endsWith('2') ? modello.size() - 1 : modello.size(), "Lan") + ".rpt");

    // The landscape layout, rendered from the same request.
    const QString orizzontale = QDir(g_esportazione->path()).filePath(modello + "Lan.pdf");
    try {
        const stampa::Template t = stampa::loadTemplate(stampa::findTemplate(richiesta.reportLandscape, g_programma->cartella.path()));
        QString errore;
        QVERIFY2(stampa::writePdf(t, stampa::fetchData(form_DB->Connessione, richiesta), orizzontale, &errore), qPrintable(errore));
    } catch (const stampa::ReportError &e) {
        QFAIL(qPrintable(e.message()));
    }

    const QStringList comuni = {"Preventivo n. 7 del 10/03/2026", "Autofficina Rossi di Mario Rossi", "Via Roma 5", "Milano",
                                "AB123CD", "Fiat Panda", "Sig. Neri", "08/03/2026", "RG 45/2026", "Dott. Gialli",
                                "Traino autostradale", "Custodia giornaliera", "TR1", "110,00", "20,90", "130,90"};
    for (const QString &pdf : {file, orizzontale}) {
        const QString testo = testoPdf(pdf);
        for (const QString &atteso : comuni + righe) QVERIFY2(testo.contains(atteso), qPrintable(pdf + ": " + atteso + " in:\n" + testo));
        for (const QString &assente : assenti) QVERIFY2(!testo.contains(assente), qPrintable(pdf + ": " + assente + " in:\n" + testo));
        // The rows in their order.
        QVERIFY(testo.indexOf("Traino autostradale") < testo.indexOf("Custodia giornaliera"));
    }
}
