#include "tst_modpagamento.h"

#include "Ambiente.h"
#include "Banco.h"
#include "data/DB.h"
#include "db/Query.h"
#include "forms/DetailForm.h"
#include "masterdata/ModPagamento.h"
#include "widgets/DBEdit.h"
#include "widgets/DBLookupComboBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

using ambiente::conModale;

namespace {

std::unique_ptr<banco::Banco> g_banco;
QVariant scalar(const QString &sql) { return g_banco->valore(sql); }
testing_support::ScriptedDialogs &dialoghi() { return g_banco->dialoghi(); }

const QString kErrore = QStringLiteral("Messaggio di errore");
const QString kErroreM = QStringLiteral("Messaggio di Errore");
const QString kTipologia = QStringLiteral("Attenzione manca la Tipologia");
const QString kDescrizione = QStringLiteral("Attenzione manca la Descrizione");
const QString kGiornoUnico = QStringLiteral("Attenzione manca il numero dei Giorni di scadenza Pagamento");
const QString kUnGiorno = QStringLiteral("Attenzione manca un numero dei Giorni di scadenza Pagamento");

// Types over what a box shows, as the clerk does; an empty text only empties it.
void scrivi(QLineEdit *e, const QString &testo)
{
    e->setFocus();
    e->selectAll();
    QTest::keyClick(e, Qt::Key_Delete);
    if (!testo.isEmpty()) QTest::keyClicks(e, testo);
}

// Picks a FatturaPA payment mode by its description in the "Tipologia" lookup.
void scegliTipologia(const QString &descrizione)
{
    ui::DBLookupComboBox *l = frmModPagamDett->DBLookupComboBox10;
    const int i = l->findText(descrizione);
    QVERIFY2(i >= 0, qPrintable(descrizione));
    l->setFocus();
    l->setCurrentIndex(i);
    Q_EMIT l->activated(i);
}

// The day columns of the newest method, as "GG1,GG2,...,GG12".
QString giorniUltimo()
{
    QStringList g;
    for (int i = 1; i <= 12; ++i)
        g << scalar(QString("select GG%1Scadenza from ModPagamento order by id desc limit 1").arg(i)).toString();
    return g.join(',');
}

int metodi() { return scalar("select count(*) from ModPagamento").toInt(); }

} // namespace

void TestModPagamento::init()
{
    g_banco = std::make_unique<banco::Banco>(
        QStringList{"frmModPagam"},
        QStringList{"insert into ModPagamento (Descrizione, NumeroScadenze, GG1Scadenza, GG2Scadenza, PA_ModalitaPagamento_Codice) "
                    "values ('Bonifico 30 60', 2, 30, 60, 'MP05')",
                    "insert into ModPagamento (Descrizione, NumeroScadenze, PA_ModalitaPagamento_Codice) values ('Contanti', 0, 'MP01')",
                    "insert into ModPagamento (Descrizione, NumeroScadenze, GG1Scadenza, PA_ModalitaPagamento_Codice) "
                    "values ('Rimessa d''assegno', 1, 10, 'MP02')"});
}

void TestModPagamento::cleanup()
{
    const bool pulito = dialoghi().clean();
    const QString resoconto = dialoghi().report();
    g_banco.reset();
    QVERIFY2(pulito, qPrintable(resoconto));
}

void TestModPagamento::controlliSalvataggio_data()
{
    QTest::addColumn<QString>("tipologia");   // picked by description; empty: none
    QTest::addColumn<QString>("descrizione");
    QTest::addColumn<QString>("numero");      // typed last in "N° Scadenze", the box not left
    QTest::addColumn<QString>("giorni");      // "box=text;..." typed over the day boxes first (a new method shows 0)
    QTest::addColumn<QString>("messaggio");   // empty: stored
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("fuoco");       // the box the focus goes to
    QTest::addColumn<int>("numeroSalvato");
    QTest::addColumn<QString>("giorniSalvati");
    const QString zeri = "0,0,0,0,0,0,0,0,0,0,0,0";
    QTest::newRow("no payment mode") << "" << "Bonifico" << "1" << "1=30" << kTipologia << kErrore << "DBLookupComboBox10" << 0 << "";
    QTest::newRow("no description") << "bonifico" << "" << "1" << "1=30" << kDescrizione << kErroreM << "DBEdit2" << 0 << "";
    QTest::newRow("one instalment, its day empty") << "bonifico" << "B 30" << "1" << "1=" << kGiornoUnico << kErroreM
                                                   << "DBEditGiorni1" << 0 << "";
    QTest::newRow("three instalments, the 1st empty: focus on the 3rd")
        << "bonifico" << "B 3" << "3" << "1=;2=60;3=90" << kUnGiorno << kErroreM << "DBEditGiorni3" << 0 << "";
    QTest::newRow("twelve instalments, the 7th empty") << "RIBA" << "R 12" << "12" << "7=" << kUnGiorno << kErroreM
                                                        << "DBEditGiorni12" << 0 << "";
    QTest::newRow("payment in full, every day box empty")
        << "contanti" << "Contanti subito" << "0" << "1=;2=;3=;4=;5=;6=;7=;8=;9=;10=;11=;12=" << "" << "" << "" << 0
        << ",,,,,,,,,,,";
    QTest::newRow("empty count stored as 0") << "contanti" << "Contanti" << "" << "" << "" << "" << "" << 0 << zeri;
    QTest::newRow("two instalments, the 5th empty") << "bonifico" << "B 30 60" << "2" << "1=30;2=60;5=" << "" << "" << ""
                                                    << 2 << "30,60,0,0,,0,0,0,0,0,0,0";
    QTest::newRow("400 becomes 360, also beyond the count")
        << "bonifico" << "B 400" << "1" << "1=400;2=360;9=400" << "" << "" << "" << 1 << "360,360,0,0,0,0,0,0,360,0,0,0";
    QTest::newRow("a count above 12 is stored as 12") << "RIBA" << "R 15" << "15" << "1=30;12=360" << "" << "" << "" << 12
                                                      << "30,0,0,0,0,0,0,0,0,0,0,360";
    QTest::newRow("a negative count is stored as 0") << "contanti" << "C" << "-2" << "1=" << "" << "" << "" << 0
                                                     << ",0,0,0,0,0,0,0,0,0,0,0";
    QTest::newRow("a count above 12 needs twelve days") << "RIBA" << "R 15" << "15" << "12=" << kUnGiorno << kErroreM
                                                        << "DBEditGiorni12" << 0 << "";
}

void TestModPagamento::controlliSalvataggio()
{
    QFETCH(QString, tipologia);
    QFETCH(QString, descrizione);
    QFETCH(QString, numero);
    QFETCH(QString, giorni);
    QFETCH(QString, messaggio);
    QFETCH(QString, caption);
    QFETCH(QString, fuoco);
    QFETCH(int, numeroSalvato);
    QFETCH(QString, giorniSalvati);
    const int prima = metodi();
    if (!messaggio.isEmpty()) {
        dialoghi().expectMessage(messaggio);
        dialoghi().expectMessage("Sei sicuro di voler annullare l'inserimento ?", QMessageBox::Yes);
    }
    TfrmModPagamDett *d = frmModPagamDett;
    // The "+" of another form: the list itself stays hidden.
    conModale([] { frmModPagam->spdInserisciClick(); },
              [&](QWidget *w) {
                  QCOMPARE(w, d);
                  QVERIFY(QTest::qWaitForWindowActive(w));
                  QVERIFY(!frmModPagam->isVisible());
                  QVERIFY(d->spdAnnulla->isVisible());
                  QVERIFY(d->DatiModificati);
                  QCOMPARE(d->DBEdit2->text(), QString()); // no placeholder description
                  if (!tipologia.isEmpty()) scegliTipologia(tipologia);
                  scrivi(d->DBEdit2, descrizione);
                  for (const QString &g : giorni.split(';', Qt::SkipEmptyParts)) {
                      const int i = g.section('=', 0, 0).toInt();
                      scrivi(d->DBEditGiorni[i - 1], g.section('=', 1));
                  }
                  // The count last: the box still has the focus when "Indietro" saves.
                  scrivi(d->DBEdit7, numero);
                  d->spdIndietro->click();
                  if (messaggio.isEmpty()) return;
                  QVERIFY(d->isVisible());
                  QVERIFY(d->SalvataggioFallito);
                  QCOMPARE(dialoghi().messages().last().text, messaggio);
                  QCOMPARE(dialoghi().messages().last().caption, caption);
                  QVERIFY(dialoghi().messages().last().icon == QMessageBox::NoIcon);
                  QCOMPARE(QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString(), fuoco);
                  QCOMPARE(d->DBEdit2->text(), descrizione); // what was typed stays
                  d->spdAnnulla->click();
              });
    QVERIFY(!d->isVisible());
    QVERIFY(!d->spdAnnulla->isVisible());
    if (!messaggio.isEmpty()) {
        QCOMPARE(metodi(), prima);
        return;
    }
    QCOMPARE(metodi(), prima + 1);
    QCOMPARE(scalar("select Descrizione from ModPagamento order by id desc limit 1").toString(), descrizione);
    QCOMPARE(scalar("select NumeroScadenze from ModPagamento order by id desc limit 1").toInt(), numeroSalvato);
    QVERIFY(!scalar("select NumeroScadenze from ModPagamento order by id desc limit 1").isNull());
    QCOMPARE(giorniUltimo(), giorniSalvati);
    // The new method is current in the shared dataset, every row shown.
    QCOMPARE(form_DB->TableModPaga->fieldByName("Descrizione").asString(), descrizione);
    QCOMPARE(form_DB->TableModPaga->filter(), QString());
    QCOMPARE(form_DB->TableModPaga->recordCount(), prima + 1);
}

void TestModPagamento::aggiungiAnnulla()
{
    const int prima = metodi();
    frmModPagam->Edit1->setText("Bon");
    // "No" keeps the new method open; "Yes" removes it.
    dialoghi().expectMessage("Sei sicuro di voler annullare l'inserimento ?", QMessageBox::No);
    dialoghi().expectMessage("Sei sicuro di voler annullare l'inserimento ?", QMessageBox::Yes);
    conModale([] { frmModPagam->spdInserisciClick(); },
              [&](QWidget *) {
                  QCOMPARE(form_DB->TableModPaga->filter(), QString()); // every row while adding
                  QCOMPARE(frmModPagam->Edit1->text(), QString("Bon"));
                  QCOMPARE(metodi(), prima + 1); // stored before it is shown
                  scrivi(frmModPagamDett->DBEdit2, "Da buttare");
                  frmModPagamDett->spdAnnulla->click();
                  QVERIFY(frmModPagamDett->isVisible());
                  frmModPagamDett->spdAnnulla->click();
              });
    QVERIFY(!frmModPagamDett->isVisible());
    QCOMPARE(metodi(), prima);
    QCOMPARE(scalar("select count(*) from ModPagamento where Descrizione = 'Da buttare' or Descrizione is null").toInt(), 0);
    QVERIFY(!frmModPagamDett->DatiModificati);
}

void TestModPagamento::tipologiaSconosciuta()
{
    g_banco->esegui("update ModPagamento set PA_ModalitaPagamento_Codice = 'MP99' where Descrizione = 'Contanti'");
    form_DB->TableModPaga->requery();
    QVERIFY(form_DB->TableModPaga->locate("Descrizione", "Contanti"));
    dialoghi().expectMessage(kTipologia);
    conModale([] { frmModPagam->spdAvantiClick(); },
              [&](QWidget *w) {
                  QVERIFY(QTest::qWaitForWindowActive(w));
                  TfrmModPagamDett *d = frmModPagamDett;
                  QVERIFY(!d->spdAnnulla->isVisible());
                  QCOMPARE(d->DBLookupComboBox10->currentText(), QString());
                  scrivi(d->DBEdit2, "Contanti alla consegna");
                  d->spdIndietro->click();
                  QVERIFY(d->isVisible());
                  QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(d->DBLookupComboBox10));
                  scegliTipologia("contanti");
                  d->spdIndietro->click();
                  QVERIFY(!d->isVisible());
              });
    QCOMPARE(scalar("select PA_ModalitaPagamento_Codice from ModPagamento where Descrizione = 'Contanti alla consegna'").toString(),
             QString("MP01"));
}

void TestModPagamento::uscitaNumeroScadenze_data()
{
    QTest::addColumn<QString>("digitato");
    QTest::addColumn<QString>("mostrato"); // after the box is left
    QTest::addColumn<int>("salvato");
    QTest::newRow("15 becomes 12") << "15" << "12" << 12;
    QTest::newRow("13 becomes 12") << "13" << "12" << 12;
    QTest::newRow("12 stays") << "12" << "12" << 12;
    QTest::newRow("2 stays") << "2" << "2" << 2;
    QTest::newRow("negative becomes 0") << "-3" << "0" << 0;
}

void TestModPagamento::uscitaNumeroScadenze()
{
    QFETCH(QString, digitato);
    QFETCH(QString, mostrato);
    QFETCH(int, salvato);
    QVERIFY(form_DB->TableModPaga->locate("Descrizione", "Bonifico 30 60"));
    conModale([] { frmModPagam->spdAvantiClick(); },
              [&](QWidget *w) {
                  QVERIFY(QTest::qWaitForWindowActive(w));
                  TfrmModPagamDett *d = frmModPagamDett;
                  // Every day box holds a number, so any count up to 12 saves.
                  scrivi(d->DBEdit7, digitato);
                  QTest::keyClick(d->DBEdit7, Qt::Key_Tab);
                  QVERIFY(!d->DBEdit7->hasFocus());
                  QCOMPARE(d->DBEdit7->text(), mostrato);
                  d->spdIndietro->click();
                  QVERIFY(!d->isVisible());
              });
    QCOMPARE(scalar("select NumeroScadenze from ModPagamento where Descrizione = 'Bonifico 30 60'").toInt(), salvato);
}

void TestModPagamento::eliminazione_data()
{
    QTest::addColumn<int>("risposta");
    QTest::addColumn<bool>("eliminato");
    QTest::newRow("Yes deletes, also a method documents name") << int(QMessageBox::Yes) << true;
    QTest::newRow("No keeps it") << int(QMessageBox::No) << false;
}

void TestModPagamento::eliminazione()
{
    QFETCH(int, risposta);
    QFETCH(bool, eliminato);
    const qint64 id = scalar("select id from ModPagamento where Descrizione = 'Contanti'").toLongLong();
    g_banco->esegui(QString("insert into fattura (Num, ModPagamento_Id) values (1, %1)").arg(id));
    QVERIFY(form_DB->TableModPaga->locate("Descrizione", "Contanti"));
    dialoghi().expectMessage("Sei sicuro di voler eliminare la modalità di pagamento?", QMessageBox::StandardButton(risposta));
    frmModPagam->spdElimina->click();
    QCOMPARE(dialoghi().messages().last().caption, QString("Messaggio di avviso"));
    QCOMPARE(scalar("select count(*) from ModPagamento where Descrizione = 'Contanti'").toInt(), eliminato ? 0 : 1);
    // The document keeps the id it had.
    QCOMPARE(scalar("select ModPagamento_Id from fattura").toLongLong(), id);
    if (eliminato) {
        // The row before the deleted one ("Bonifico 30 60", in description order) is current.
        QCOMPARE(form_DB->TableModPaga->fieldByName("Descrizione").asString(), QString("Bonifico 30 60"));
        // An empty list asks nothing.
        g_banco->esegui("delete from ModPagamento");
        form_DB->TableModPaga->requery();
        frmModPagam->spdElimina->click();
    }
}

void TestModPagamento::ricerca_data()
{
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QString>("filtro");
    QTest::addColumn<int>("righe");
    QTest::newRow("empty") << "" << "" << 3;
    QTest::newRow("star") << "*" << "" << 3;
    QTest::newRow("prefix, any case") << "bon" << "Descrizione like 'bon*'" << 1;
    QTest::newRow("apostrophe") << "rimessa d'" << "Descrizione like 'rimessa d''*'" << 1;
    QTest::newRow("nothing") << "z" << "Descrizione like 'z*'" << 0;
}

void TestModPagamento::ricerca()
{
    QFETCH(QString, testo);
    QFETCH(QString, filtro);
    QFETCH(int, righe);
    frmModPagam->Edit1->setText("x");
    frmModPagam->Edit1->setText(testo);
    QCOMPARE(form_DB->TableModPaga->filter(), filtro);
    QCOMPARE(form_DB->TableModPaga->recordCount(), righe);
}

void TestModPagamento::sceltaDaAltroForm()
{
    // Another form picks a method: Avanti chooses the current row, Indietro chooses nothing.
    const qint64 contanti = scalar("select id from ModPagamento where Descrizione = 'Contanti'").toLongLong();
    std::optional<qint64> scelto;
    conModale([&] { scelto = frmModPagam->scegli(); },
              [&](QWidget *w) {
                  QCOMPARE(w, frmModPagam);
                  QVERIFY(!frmModPagam->spdInserisci->isEnabled());
                  QVERIFY(!frmModPagam->spdElimina->isEnabled());
                  QVERIFY(form_DB->TableModPaga->locate("Descrizione", "Contanti"));
                  frmModPagam->spdAvanti->click();
              });
    QVERIFY(scelto.has_value());
    QCOMPARE(*scelto, contanti);
    QVERIFY(!frmModPagamDett->isVisible());
    conModale([&] { scelto = frmModPagam->scegli(); }, [&](QWidget *) { frmModPagam->spdIndietro->click(); });
    QVERIFY(!scelto.has_value());
    // Outside a pick, Avanti opens the detail again.
    QVERIFY(frmModPagam->spdInserisci->isEnabled());
    QVERIFY(!frmModPagam->ModalitaScelta);
}

void TestModPagamento::avantiSenzaModifiche()
{
    QVERIFY(form_DB->TableModPaga->locate("Descrizione", "Rimessa d'assegno"));
    conModale([] { frmModPagam->spdAvantiClick(); },
              [&](QWidget *) {
                  TfrmModPagamDett *d = frmModPagamDett;
                  QCOMPARE(ambiente::didascalie(d->ToolBar2, true), QStringList({"Aiuto", "Indietro"}));
                  QCOMPARE(d->windowTitle(), QString("Modalità di Pagamento"));
                  QCOMPARE(d->DBLookupComboBox10->currentText(), QString("assegno"));
                  QCOMPARE(d->DBEdit7->text(), QString("1"));
                  QCOMPARE(d->DBEditGiorni[0]->text(), QString("10"));
                  QVERIFY(!d->DatiModificati);
                  d->spdIndietro->click();
                  QVERIFY(!d->isVisible());
              });
    QVERIFY(!form_DB->TableModPaga->isEditing());
    // An empty list opens nothing.
    form_DB->TableModPaga->setFilter("Descrizione like 'zzz*'");
    frmModPagam->spdAvantiClick();
    QVERIFY(!frmModPagamDett->isVisible());
}

namespace {

// A form with a payment-method lookup and its buttons, as the customer detail has them: they
// reach the payment methods' forms through the registry by name.
class ConPagamento : public forms::DetailForm {
public:
    explicit ConPagamento(QWidget *p)
        : forms::DetailForm(
              [] {
                  Config c;
                  c.nome = "prova";
                  c.titolo = "Cliente";
                  c.dataset = form_DB->Table7;
                  c.source = form_DB->Source7;
                  return c;
              }(),
              p)
    {
        pulsanti = aggiungiLookup("DBLookupComboBox3", "Modalità di Pagamento", "Pagamento_ID", form_DB->SourceModPaga, "id",
                                  "Descrizione", {"frmModPagam", {"SpeedButton8", ""}, {"SpeedButton9", ""}});
    }
    LookupConPulsanti pulsanti;
};

} // namespace

void TestModPagamento::pulsantiAccantoAlLookup()
{
    const qint64 rimessa = scalar("select id from ModPagamento where Descrizione = 'Rimessa d''assegno'").toLongLong();
    g_banco->esegui(QString("insert into Clienti (Cliente, NominativoVisualizzato, Pagamento_ID) values ('Rossi', 'Rossi', %1)").arg(rimessa));
    form_DB->Table7->requery();
    QVERIFY(form_DB->Table7->locate("Cliente", "Rossi"));
    ConPagamento f(g_banco->finestra());
    // Edit: the detail on the customer's method, without "Annulla".
    conModale([&] { f.pulsanti.modifica->click(); },
              [&](QWidget *w) {
                  QCOMPARE(w, frmModPagamDett);
                  QVERIFY(!frmModPagamDett->spdAnnulla->isVisible());
                  QCOMPARE(frmModPagamDett->DBEdit2->text(), QString("Rimessa d'assegno"));
                  frmModPagamDett->spdIndietro->click();
              });
    // "+": a new method, current in the shared dataset when the detail closes.
    conModale([&] { f.pulsanti.aggiungi->click(); },
              [&](QWidget *w) {
                  QCOMPARE(w, frmModPagamDett);
                  QVERIFY(frmModPagamDett->spdAnnulla->isVisible());
                  scegliTipologia("RIBA");
                  scrivi(frmModPagamDett->DBEdit2, "Riba 90");
                  frmModPagamDett->spdIndietro->click();
                  QVERIFY(!frmModPagamDett->isVisible());
              });
    QCOMPARE(form_DB->TableModPaga->fieldByName("Descrizione").asString(), QString("Riba 90"));
    QVERIFY(f.pulsanti.lookup->findText("Riba 90") >= 0);
    // The customer's own method is not changed by it.
    QCOMPARE(scalar("select Pagamento_ID from Clienti where Cliente = 'Rossi'").toLongLong(), rimessa);
}
