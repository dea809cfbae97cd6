#include "tst_banche.h"

#include "Ambiente.h"
#include "Banco.h"
#include "data/DB.h"
#include "forms/Registro.h"
#include "db/Query.h"
#include "masterdata/Banche.h"
#include "widgets/DBEdit.h"
#include "widgets/DBGrid.h"
#include "widgets/DBLookupComboBox.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QToolBar>

using ambiente::conModale;

namespace {

std::unique_ptr<banco::Banco> g_banco;

QVariant valore(const QString &sql) { return g_banco->valore(sql); }
testing_support::ScriptedDialogs &dialoghi() { return g_banco->dialoghi(); }

void scegli(ui::DBLookupComboBox *l, const QString &testo)
{
    const int i = l->findText(testo);
    QVERIFY2(i >= 0, qPrintable(testo));
    l->setCurrentIndex(i);
    Q_EMIT l->activated(i);
}

} // namespace

void TestBanche::init()
{
    g_banco = std::make_unique<banco::Banco>(
        QStringList{QStringLiteral("frmGrigliaBanche")},
        QStringList{QStringLiteral("insert into Bank (Id, Banca, Comune, Iban) values (1, 'Banca del Borgo', 'Roma', 'IT01'), "
                                   "(2, 'Cassa d''Italia', 'Milano', 'IT60X'), (3, 'Ritirata', 'Roma', 'IT99')"),
                    QStringLiteral("update Bank set Annullato = 1 where Id = 3"),
                    QStringLiteral("insert into Comuni (Comune, Cap, Provincia) values ('Borgo Prova', '12345', 'BP')")});
}

void TestBanche::cleanup()
{
    QVERIFY2(dialoghi().clean(), qPrintable(dialoghi().report()));
    g_banco.reset();
}

void TestBanche::filtroDelleCaselle_data()
{
    QTest::addColumn<QString>("banca");
    QTest::addColumn<QString>("comune");
    QTest::addColumn<QString>("iban");
    QTest::addColumn<QString>("filtro");
    QTest::addColumn<int>("righe");
    QTest::newRow("nessuna") << "" << "" << "" << "" << 2;
    QTest::newRow("asterisco e comune") << "*" << "Mil" << "" << "Comune like 'Mil*'" << 1;
    QTest::newRow("tutte, in ordine Banca Iban Comune")
        << "Cassa d'" << "mi" << "IT6" << "Banca like 'Cassa d''*' and Iban like 'IT6*' and Comune like 'mi*'" << 1;
    QTest::newRow("solo iban") << "" << "" << "IT0" << "Iban like 'IT0*'" << 1;
}

void TestBanche::filtroDelleCaselle()
{
    QFETCH(QString, banca);
    QFETCH(QString, comune);
    QFETCH(QString, iban);
    QFETCH(QString, filtro);
    QFETCH(int, righe);
    TfrmGrigliaBanche *l = frmGrigliaBanche;
    QCOMPARE(l->windowTitle(), QStringLiteral("Banche"));
    l->casella("Edit2")->setText(banca);
    l->casella("Edit4")->setText(comune);
    l->casella("Edit3")->setText(iban);
    QCOMPARE(l->dataset()->filter(), filtro);
    // The withdrawn account is never listed.
    QCOMPARE(l->dataset()->recordCount(), righe);
}

void TestBanche::nuovaBancaRichiedeNomeEIban()
{
    TAnaBanca *d = AnaBanca;
    frmGrigliaBanche->casella("Edit2")->setText("zzz");
    dialoghi().expectMessage(QStringLiteral("Attenzione manca la Descrizione della banca"));
    dialoghi().expectMessage(QStringLiteral("Attenzione manca il Codice Iban"));
    conModale([] { frmGrigliaBanche->spdInserisciClick(); },
              [&](QWidget *w) {
                  QCOMPARE(w, static_cast<QWidget *>(d));
                  QVERIFY(QTest::qWaitForWindowActive(w));
                  QCOMPARE(w->windowTitle(), QStringLiteral("Anagrafica Dati Bancari"));
                  // The search boxes were emptied for the new account.
                  QCOMPARE(frmGrigliaBanche->casella("Edit2")->text(), QString());
                  d->spdIndietro->click();
                  QVERIFY(d->isVisible());
                  QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(d->DBEdit1));
                  QTest::keyClicks(d->DBEdit1, "Banca Nuova");
                  d->spdIndietro->click();
                  QVERIFY(d->isVisible());
                  QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(d->DBEdit13));
                  QTest::keyClicks(d->DBEdit13, "IT60 X054 2811 1010 0000 0123 456");
                  d->spdIndietro->click();
                  QVERIFY(!d->isVisible());
              });
    QCOMPARE(dialoghi().messages().first().caption, QStringLiteral("Messaggio di errore"));
    QCOMPARE(valore("select Iban from Bank where Banca = 'Banca Nuova'").toString(), QString("IT60X0542811101000000123456"));
    QCOMPARE(valore("select Cap from Bank where Banca = 'Banca Nuova'").toString(), QString("00000"));
    QCOMPARE(valore("select Annullato from Bank where Banca = 'Banca Nuova'").toInt(), 0);
}

void TestBanche::annullaTogliNuovaBanca()
{
    // "Annulla" asks first: No keeps the new account and the form, Yes removes it.
    const QString domanda = QStringLiteral("Sei sicuro di voler annullare l'inserimento ?");
    dialoghi().expectMessage(domanda, QMessageBox::No);
    dialoghi().expectMessage(domanda, QMessageBox::Yes);
    conModale([] { frmGrigliaBanche->spdInserisciClick(); },
              [&](QWidget *) {
                  QTest::keyClicks(AnaBanca->DBEdit1, "Da buttare");
                  AnaBanca->spdAnnulla->click();
                  QVERIFY(AnaBanca->isVisible());
                  QCOMPARE(valore("select count(*) from Bank").toInt(), 4);
                  AnaBanca->spdAnnulla->click();
                  QVERIFY(!AnaBanca->isVisible());
              });
    QCOMPARE(dialoghi().messages().size(), 2);
    QCOMPARE(dialoghi().messages().first().caption, QStringLiteral("Messaggio di avviso"));
    QCOMPARE(valore("select count(*) from Bank").toInt(), 3);
}

void TestBanche::comuneCopiaCapEProvincia()
{
    QVERIFY(form_DB->Table5->locate("Id", 1));
    conModale([] { frmGrigliaBanche->spdAvantiClick(); },
              [&](QWidget *) {
                  TAnaBanca *d = AnaBanca;
                  scegli(d->DBLookupComboBox1, "Borgo Prova");
                  QCOMPARE(d->DBEdit7->text(), QString("12345"));
                  QCOMPARE(d->DBEdit8->text(), QString("BP"));
                  QVERIFY(d->DatiModificati);
                  d->spdIndietro->click();
              });
    QCOMPARE(valore("select Comune || '/' || Cap || '/' || Provincia from Bank where Id = 1").toString(), QString("Borgo Prova/12345/BP"));
    conModale([] { frmGrigliaBanche->spdAvantiClick(); },
              [&](QWidget *) {
                  TAnaBanca *d = AnaBanca;
                  d->DBLookupComboBox1->setFocus();
                  QTest::keyClick(d->DBLookupComboBox1, Qt::Key_Backspace);
                  QCOMPARE(d->DBEdit7->text(), QString());
                  d->spdIndietro->click();
              });
    QVERIFY(valore("select coalesce(Comune, Cap, Provincia) from Bank where Id = 1").isNull());
}

void TestBanche::eliminaChiedeELasciaIDocumenti()
{
    g_banco->esegui("insert into fattura (ID, Num, Banca_ID) values (5, 1, 2)");
    QVERIFY(form_DB->Table5->locate("Id", 2));
    dialoghi().expectMessage(QStringLiteral("Sei sicuro di voler eliminare la Banca?"), QMessageBox::No);
    frmGrigliaBanche->spdEliminaClick();
    QCOMPARE(valore("select count(*) from Bank where Id = 2").toInt(), 1);
    // The global "delete without asking" is not for this list.
    EliminaSenzaConferma = true;
    dialoghi().expectMessage(QStringLiteral("Sei sicuro di voler eliminare la Banca?"), QMessageBox::Yes);
    frmGrigliaBanche->spdEliminaClick();
    EliminaSenzaConferma = false;
    QCOMPARE(valore("select count(*) from Bank where Id = 2").toInt(), 0);
    QCOMPARE(valore("select Banca_ID from fattura where ID = 5").toInt(), 2);
}

void TestBanche::aggiuntaDaUnAltroForm()
{
    // What a document editor's "+" does: the new account is then the current one.
    conModale([] { frmGrigliaBanche->spdInserisciClick(); },
              [&](QWidget *) {
                  QTest::keyClicks(AnaBanca->DBEdit1, "Banca Aggiunta");
                  QTest::keyClicks(AnaBanca->DBEdit13, "IT77");
                  AnaBanca->spdIndietro->click();
              });
    QCOMPARE(form_DB->Table5->fieldByName("Banca").asString(), QString("Banca Aggiunta"));
    QCOMPARE(form_DB->Table5->fieldByName("Id").asInteger(), valore("select Id from Bank where Banca = 'Banca Aggiunta'").toInt());
}

void TestBanche::sceltaDaUnAltroForm()
{
    std::optional<qint64> scelta;
    conModale([&] { scelta = frmGrigliaBanche->scegli(); },
              [&](QWidget *) {
                  QVERIFY(form_DB->Table5->locate("Banca", "Cassa d'Italia"));
                  frmGrigliaBanche->spdAvanti->click();
              });
    QCOMPARE(scelta, std::optional<qint64>(2));
    conModale([&] { scelta = frmGrigliaBanche->scegli(); }, [&](QWidget *) { frmGrigliaBanche->spdIndietro->click(); });
    QVERIFY(!scelta);
}

void TestBanche::grigliaEBarra()
{
    // The layout of the list's grid is one the start-up restores.
    bool trovata = false;
    for (const auto &g : forms::Registro::istanza().griglieCreate())
        if (g.chiave == QLatin1String("frmGrigliaBanche_Griglia")) trovata = g.griglia == static_cast<QWidget *>(frmGrigliaBanche->DBGrid1);
    QVERIFY(trovata);
    QCOMPARE(ambiente::didascalie(frmGrigliaBanche->ToolBar2, true),
             QStringList({"Aiuto", "Ricarica", "Indietro", "Elimina", "Aggiungi", "Avanti"}));
}
