#include "tst_codici.h"

#include "Ambiente.h"
#include "app/Frm1.h"
#include "data/DB.h"
#include "db/Query.h"
#include "forms/DetailForm.h"
#include "forms/ListForm.h"
#include "masterdata/Aspetto.h"
#include "masterdata/EntiSequestratori.h"
#include "masterdata/Modelli.h"
#include "masterdata/Porto.h"
#include "masterdata/Reparti.h"
#include "masterdata/StatoUso.h"
#include "masterdata/TipologiaCostiVetture.h"
#include "masterdata/Veicoli.h"
#include "widgets/DBCheckBox.h"
#include "widgets/DBEdit.h"
#include "widgets/DBGrid.h"
#include "widgets/DBLookupComboBox.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

using namespace ambiente;

namespace {

// What a list and its detail show, as the users of the program know them.
struct Voce {
    QString lista;
    QString titolo;
    int aiuto = 0;
    QStringList colonne = {QStringLiteral("Descrizione|Descrizione")}; // field|title[|width]
    QStringList ricerca = {QStringLiteral("Edit1|Ricerca Per Descrizione")}; // box|label
    QString ricarica = QStringLiteral("spdAggiorna");
    QString indietro = QStringLiteral("Indietro");
    QString domanda;
    QString dettaglio;
    QString titoloDettaglio;
    int aiutoDettaglio = 0;
    bool conAiuto = false;
    QString salva = QStringLiteral("Salva");
    QString richiesto = QStringLiteral("DBEdit2");
    QString messaggio = QStringLiteral("Attenzione manca la Descrizione");
    QString caption = QStringLiteral("Messaggio di errore");
    QString riga;   // a row to open, in SQL
    QString valore; // its text in the required field
};

forms::ListForm *lista(const QString &nome) { return Form1->findChild<forms::ListForm *>(nome); }

int conta(const QString &tabella, const QString &condizione = QString())
{
    return valore(QStringLiteral("select count(*) from ") + tabella
                  + (condizione.isEmpty() ? QString() : QStringLiteral(" where ") + condizione))
        .toInt();
}

// A key typed at the end of an edit's text.
void aggiungiTesto(QLineEdit *campo, const QString &testo)
{
    campo->setFocus();
    campo->end(false);
    QTest::keyClicks(campo, testo);
}

void svuotaCampo(QLineEdit *campo)
{
    campo->setFocus();
    campo->selectAll();
    QTest::keyClick(campo, Qt::Key_Backspace);
}

// Picks an entry of a lookup as the user does.
void scegli(QComboBox *lookup, const QString &testo)
{
    const int i = lookup->findText(testo);
    QVERIFY2(i >= 0, qPrintable(testo));
    lookup->setCurrentIndex(i);
    Q_EMIT lookup->activated(i);
}

} // namespace

Q_DECLARE_METATYPE(Voce)

void TestCodici::init() { avvia(); }
void TestCodici::cleanup() { chiudi(); }

void TestCodici::elenchiEDettagli_data()
{
    QTest::addColumn<Voce>("v");
    const auto codice = [](const char *nome, Voce v, const QString &tabella) {
        v.riga = QStringLiteral("insert into %1 (Descrizione) values ('Prova')").arg(tabella);
        v.valore = QStringLiteral("Prova");
        QTest::newRow(nome) << v;
    };
    Voce v;
    v = {};
    v.lista = "frmGrigliaUnitaMisura", v.titolo = "Unità di misura", v.aiuto = 3500;
    v.domanda = "Sei sicuro di voler eliminare l' Unità di misura?";
    v.dettaglio = "frmUnitaMisura", v.titoloDettaglio = "Unità di misura", v.aiutoDettaglio = 3500;
    v.caption = "Messaggio di Errore";
    codice("unità di misura", v, "UnitaMisura");
    v = {};
    v.lista = "frmGrigliaTipoTariffe", v.titolo = "Tipologia Tariffe", v.ricerca = {};
    v.domanda = "Sei sicuro di voler eliminare la Tipologia di Tariffa?";
    v.dettaglio = "frmTipoTariffe_Dettaglio", v.titoloDettaglio = "Tipologia Tariffe", v.caption = "Messaggio di Errore";
    codice("tipi di tariffa", v, "TipoTariffe");
    v = {};
    v.lista = "frmReparti", v.titolo = "Reparti", v.aiuto = 1600, v.domanda = "Sei sicuro di voler eliminare il Reparto?";
    v.dettaglio = "frmRepartiDett", v.titoloDettaglio = "Reparti", v.aiutoDettaglio = 1600;
    codice("reparti", v, "Reparti");
    v = {};
    v.lista = "frmModelli", v.titolo = "Marche", v.aiuto = 1500, v.domanda = "Sei sicuro di voler eliminare il Modello?";
    v.dettaglio = "frmModelliDett", v.titoloDettaglio = "Marche", v.aiutoDettaglio = 1500;
    codice("marche", v, "Modelli");
    v = {};
    v.lista = "frmVeicoli", v.titolo = "Tipologia Veicoli", v.aiuto = 1800;
    v.colonne = {"Descrizione|Descrizione", "Modello|Marca"}, v.ricerca = {"Edit4|Cerca   per Marca", "Edit1|per Descriz."};
    v.domanda = "Sei sicuro di voler eliminare il Veicolo";
    v.dettaglio = "frmVeicoliDettaglio", v.titoloDettaglio = "Tipologia Veicoli", v.aiutoDettaglio = 1800;
    codice("tipi di veicolo", v, "Veicoli");
    v = {};
    v.lista = "frmGrigliaTipoDocumenti", v.titolo = "Tipo di Documenti", v.aiuto = 2300;
    v.domanda = "Sei sicuro di voler eliminare il tipo di documento?";
    v.dettaglio = "frmTipoDocumenti", v.titoloDettaglio = "Tipo Documenti", v.aiutoDettaglio = 2300;
    codice("tipi di documento", v, "TipoDocumenti");
    v = {};
    v.lista = "frmGrigliaTipologieCostiPersonale", v.titolo = "Tipo costi Personale", v.aiuto = 7900;
    v.domanda = "Sei sicuro di voler eliminare la tipologia di costo per le Personale?";
    v.dettaglio = "frmTipologiaCostiPersonaleDettaglio", v.titoloDettaglio = "Tipo Costi per Personale", v.aiutoDettaglio = 7900;
    v.conAiuto = true, v.caption = "Messaggio di Errore";
    codice("costi del personale", v, "TipologiaCostiPersonale");
    v = {};
    v.lista = "frmGrigliaTipologiaCostiVetture", v.titolo = "Tipo Costi per Vetture", v.aiuto = 7900;
    v.domanda = "Sei sicuro di voler eliminare la tipologia di costo per le vetture?";
    v.dettaglio = "frmTipologiaCostiVettureDettaglio", v.titoloDettaglio = "Tipologia Costo per Vetture", v.aiutoDettaglio = 7900;
    v.conAiuto = true, v.caption = "Messaggio di Errore";
    codice("costi delle vetture", v, "TipologiaCostiVetture");
    v = {};
    v.lista = "frmGrigliaTipologieCalendario", v.titolo = "Tipologie Calendario";
    v.domanda = "Sei sicuro di voler eliminare la tipologia di Calendario ?";
    v.dettaglio = "frmTipologiaCalendario", v.titoloDettaglio = "Tipologie di Calendario", v.conAiuto = true;
    codice("calendario", v, "TipologiaCalendario");
    v = {};
    v.lista = "frmGrigliaTipologieScadenzePersonale", v.titolo = "Tipologie Scadenze Personale";
    v.domanda = "Sei sicuro di voler eliminare la tipologia di Scadenza ?";
    v.dettaglio = "frmTipologiaScadenzaPersonale", v.titoloDettaglio = "Tipologie Scadenze del Personale", v.conAiuto = true;
    codice("scadenze del personale", v, "TipologiaScadenzePersonale");
    v = {};
    v.lista = "frmGrigliaCategoriePersonale", v.titolo = "Categorie Personale", v.aiuto = 7300;
    v.domanda = "Sei sicuro di voler eliminare la Categoria?";
    v.dettaglio = "frmCategoriePersonaleDettaglio", v.titoloDettaglio = "Categorie Personale", v.aiutoDettaglio = 7300;
    v.caption = "Messaggio di Errore";
    codice("categorie del personale", v, "CategoriePersonale");
    v = {};
    v.lista = "frmGrigliaEntiSequestratori", v.titolo = "Enti Sequestratori", v.aiuto = 8200;
    v.domanda = "Sei sicuro di voler eliminare l'Ente?";
    v.dettaglio = "frmEntiSequestratori_Dettaglio", v.titoloDettaglio = "Enti Sequestratori", v.aiutoDettaglio = 8200;
    codice("enti sequestratori", v, "EntiSequestratori");
    v = {};
    v.lista = "frmCategorieFornitori_Griglia", v.titolo = "Categorie Fornitori", v.aiuto = 7300;
    v.colonne = {"Descrizione|Descrizione|322"}, v.ricarica = "spdRicarica";
    v.domanda = "Sei sicuro di voler eliminare la Categoria?";
    v.dettaglio = "frmCategorieFornitori", v.titoloDettaglio = "Categorie", v.aiutoDettaglio = 7300;
    v.caption = "Messaggio di Errore";
    codice("categorie dei fornitori", v, "FornitorCategoria");
    v = {};
    v.lista = "frmGrigliaColori", v.titolo = "Colori", v.aiuto = 3300, v.ricarica = "spdRicarica", v.indietro = "Sinistra";
    v.domanda = "Sei sicuro di voler eliminare il Colore?";
    v.dettaglio = "frmColoriDett", v.titoloDettaglio = "Colori", v.aiutoDettaglio = 3300;
    v.messaggio = "Attenzione manca la Descrizione ";
    codice("colori", v, "Colori");
    v = {};
    v.lista = "frmGrigliaComuni", v.titolo = "Comuni", v.aiuto = 3100;
    v.colonne = {"Comune|Comune", "Provincia|Prov.", "Cap|Cap", "COD_ISTAT|Cod. Istat", "CODICE_F|Cod. Fisc.", "PrefNaz|Prefisso Tel."};
    v.ricerca = {"Edit2|Descrizione", "Edit4|Provincia", "Edit3|Codice Istat", "Edit1|Codice Belfiore", "Edit5|Prefisso", "txtCap|Cap"};
    v.domanda = "Sei sicuro di voler eliminare il Comune ?";
    v.dettaglio = "frmComuniDett", v.titoloDettaglio = "Comuni", v.aiutoDettaglio = 1300, v.conAiuto = true;
    v.messaggio = "Attenzione manca la Descrizione del Comune";
    v.riga = "insert into Comuni (Comune, Provincia) values ('Borgo Prova', 'RM')", v.valore = "Borgo Prova";
    QTest::newRow("comuni") << v;
    v = {};
    v.lista = "frmGrigliaProvince", v.titolo = "Province", v.aiuto = 3700;
    v.colonne = {"PROVINCIA|Prov", "CAPOLUOGO|Capoluogo"}, v.ricerca = {"Edit1|Ricerca Per Provincia", "Edit2|Capoluogo"};
    v.domanda = "Sei sicuro di voler eliminare la provincia ?";
    v.dettaglio = "frmProvinceDettaglio", v.titoloDettaglio = "Province", v.aiutoDettaglio = 4100, v.salva = "salva";
    v.richiesto = "DBEdit1", v.messaggio = "Attenzione la Sigla";
    v.riga = "insert into Province (PROVINCIA, CAPOLUOGO) values ('QQ', 'Prova')", v.valore = "QQ";
    QTest::newRow("province") << v;
}

void TestCodici::elenchiEDettagli()
{
    QFETCH(Voce, v);
    forms::ListForm *l = lista(v.lista);
    auto *d = Form1->findChild<forms::DetailForm *>(v.dettaglio);
    QVERIFY(l);
    QVERIFY(d);
    QCOMPARE(l->dettaglio(), d);
    QCOMPARE(l->windowTitle(), v.titolo);
    QStringList colonne;
    for (int i = 0; i < l->DBGrid1->columns().size(); ++i) {
        const ui::GridColumn c = l->DBGrid1->columns()[i];
        const bool conLarghezza = v.colonne.value(i).count(u'|') == 2;
        colonne << c.fieldName + u'|' + c.caption + (conLarghezza ? u'|' + QString::number(c.width) : QString());
    }
    QCOMPARE(colonne, v.colonne);
    QStringList ricerca;
    for (QLabel *etichetta : l->findChildren<QLabel *>())
        if (auto *casella = qobject_cast<QLineEdit *>(etichetta->buddy())) ricerca << casella->objectName() + u'|' + etichetta->text();
    QCOMPARE(ricerca, v.ricerca);
    QCOMPARE(didascalie(l->ToolBar2, true),
             QStringList({"Aiuto", "Ricarica", v.indietro, "Elimina", "Aggiungi", "Avanti"}));
    QCOMPARE(l->spdAggiorna->objectName(), v.ricarica);
    l->spdHelp->click();
    QCOMPARE(launcher().opened.last(), guida(v.aiuto));

    // The detail on a row of the list: the required field refuses "Indietro" while empty.
    auto *campo = d->findChild<ui::DBEdit *>(v.richiesto);
    QVERIFY(campo);
    esegui(v.riga);
    l->dataset()->requery();
    QVERIFY(l->dataset()->locate(campo->dataField(), v.valore));
    dialoghi().expectMessage(v.messaggio);
    conModale([l] { l->spdAvantiClick(); },
              [&](QWidget *w) {
                  QCOMPARE(w, d);
                  QCOMPARE(d->windowTitle(), v.titoloDettaglio);
                  QStringList tutti = {"Annulla", v.salva, "Indietro"};
                  if (v.conAiuto) tutti.insert(2, "Aiuto");
                  QCOMPARE(didascalie(d->ToolBar2, false), tutti);
                  QCOMPARE(didascalie(d->ToolBar2, true),
                           v.conAiuto ? QStringList({"Aiuto", "Indietro"}) : QStringList({"Indietro"}));
                  if (v.conAiuto) {
                      d->spdHelp->click();
                      QCOMPARE(launcher().opened.last(), guida(v.aiutoDettaglio));
                  }
                  QCOMPARE(campo->text(), v.valore);
                  svuotaCampo(campo);
                  d->spdIndietro->click();
                  QVERIFY(d->isVisible());
                  QVERIFY(d->SalvataggioFallito);
                  QCOMPARE(dialoghi().messages().last().text, v.messaggio);
                  QCOMPARE(dialoghi().messages().last().caption, v.caption);
                  QCOMPARE(d->focusWidget(), campo);
                  QTest::keyClicks(campo, v.valore + u'2');
                  d->spdIndietro->click();
                  QVERIFY(!d->isVisible());
              });
    const QString tabella = l->dataset()->updateTable();
    QCOMPARE(conta(tabella, campo->dataField() + " = '" + v.valore + "2'"), 1);

    // Deleting asks first; No keeps the row.
    const int righe = l->dataset()->recordCount();
    dialoghi().expectMessage(v.domanda, QMessageBox::No);
    l->spdElimina->click();
    QCOMPARE(dialoghi().messages().last().text, v.domanda);
    QCOMPARE(dialoghi().messages().last().caption, QString("Messaggio di avviso"));
    QCOMPARE(dialoghi().messages().last().buttons, QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(l->dataset()->recordCount(), righe);
}

void TestCodici::aggiungiPoiIndietro_data()
{
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QString>("campo");     // the field typed into when the new row is refused
    QTest::addColumn<QString>("messaggio"); // empty: the placeholder blank is kept
    QTest::addColumn<QString>("fisso");     // column=value set on every new row
    const QString manca = QStringLiteral("Attenzione manca la Descrizione");
    QTest::newRow("unità di misura: svuotata") << "frmGrigliaUnitaMisura" << "DBEdit2" << manca << "";
    QTest::newRow("tipi di tariffa: spazio") << "frmGrigliaTipoTariffe" << "DBEdit2" << "" << "";
    QTest::newRow("reparti: svuotata") << "frmReparti" << "DBEdit2" << manca << "";
    QTest::newRow("marche: svuotata") << "frmModelli" << "DBEdit2" << manca << "";
    QTest::newRow("tipi di veicolo: spazio") << "frmVeicoli" << "DBEdit2" << "" << "";
    QTest::newRow("tipi di documento: svuotata") << "frmGrigliaTipoDocumenti" << "DBEdit2" << manca << "";
    QTest::newRow("costi del personale: spazio") << "frmGrigliaTipologieCostiPersonale" << "DBEdit2" << "" << "";
    QTest::newRow("costi delle vetture: spazio") << "frmGrigliaTipologiaCostiVetture" << "DBEdit2" << "" << "";
    QTest::newRow("calendario: spazio") << "frmGrigliaTipologieCalendario" << "DBEdit2" << "" << "";
    QTest::newRow("scadenze del personale: spazio") << "frmGrigliaTipologieScadenzePersonale" << "DBEdit2" << "" << "";
    QTest::newRow("categorie del personale: spazio") << "frmGrigliaCategoriePersonale" << "DBEdit2" << "" << "";
    QTest::newRow("enti sequestratori: svuotata") << "frmGrigliaEntiSequestratori" << "DBEdit2" << manca << "";
    QTest::newRow("categorie dei fornitori: spazio") << "frmCategorieFornitori_Griglia" << "DBEdit2" << "" << "";
    QTest::newRow("comuni: cap fisso") << "frmGrigliaComuni" << "DBEdit2" << "Attenzione manca la Descrizione del Comune"
                                       << "Cap=00000";
    QTest::newRow("province: sigla fissa") << "frmGrigliaProvince" << "DBEdit2" << "Attenzione manca la provincia"
                                           << "PROVINCIA=ZZ";
}

void TestCodici::aggiungiPoiIndietro()
{
    QFETCH(QString, nome);
    QFETCH(QString, campo);
    QFETCH(QString, messaggio);
    QFETCH(QString, fisso);
    forms::ListForm *l = lista(nome);
    QVERIFY(l);
    forms::DetailForm *d = l->dettaglio();
    auto *edit = d->findChild<ui::DBEdit *>(campo);
    QVERIFY(edit);
    const QString tabella = l->dataset()->updateTable();
    const int prima = conta(tabella);
    // A placeholder description is a blank the user sees; an emptied one or none shows nothing.
    const bool spazio = messaggio.isEmpty();
    if (!spazio) dialoghi().expectMessage(messaggio);
    conModale([l] { l->spdInserisciClick(); },
              [&](QWidget *w) {
                  QCOMPARE(w, d);
                  QVERIFY(d->spdAnnulla->isVisible());
                  QVERIFY(d->DatiModificati);
                  QCOMPARE(edit->text(), spazio ? QString(" ") : QString());
                  d->spdIndietro->click();
                  if (!spazio) {
                      QVERIFY(d->isVisible());
                      QTest::keyClicks(edit, "Nuovo");
                      d->spdIndietro->click();
                  }
                  QVERIFY(!d->isVisible());
              });
    QCOMPARE(conta(tabella), prima + 1);
    const QString ultima = QStringLiteral(" from %1 order by Id desc").arg(tabella);
    QCOMPARE(valore("select top 1 " + edit->dataField() + ultima).toString(), spazio ? QString(" ") : QString("Nuovo"));
    if (!fisso.isEmpty())
        QCOMPARE(valore("select top 1 " + fisso.section('=', 0, 0) + ultima).toString(), fisso.section('=', 1));
    QVERIFY(!d->spdAnnulla->isVisible());
    QCOMPARE(l->dataset()->fieldByName(edit->dataField()).asString(), spazio ? QString(" ") : QString("Nuovo"));
}

void TestCodici::annulla_data()
{
    QTest::addColumn<QString>("nome");
    QTest::addColumn<int>("risposta"); // NoButton: no question asked
    QTest::newRow("tipi di tariffa: sì") << "frmGrigliaTipoTariffe" << int(QMessageBox::Yes);
    QTest::newRow("tipi di tariffa: no") << "frmGrigliaTipoTariffe" << int(QMessageBox::No);
    QTest::newRow("comuni: sì") << "frmGrigliaComuni" << int(QMessageBox::Yes);
    QTest::newRow("province: no") << "frmGrigliaProvince" << int(QMessageBox::No);
    QTest::newRow("calendario: senza chiedere") << "frmGrigliaTipologieCalendario" << int(QMessageBox::NoButton);
}

void TestCodici::annulla()
{
    QFETCH(QString, nome);
    QFETCH(int, risposta);
    forms::ListForm *l = lista(nome);
    forms::DetailForm *d = l->dettaglio();
    const QString tabella = l->dataset()->updateTable();
    const int prima = conta(tabella);
    const int messaggi = dialoghi().messages().size();
    if (risposta != QMessageBox::NoButton)
        dialoghi().expectMessage("Sei sicuro di voler annullare l'inserimento ?", QMessageBox::StandardButton(risposta));
    conModale([l] { l->spdInserisciClick(); },
              [&](QWidget *) {
                  QCOMPARE(conta(tabella), prima + 1); // stored before the detail shows
                  d->spdAnnulla->click();
                  QCOMPARE(d->isVisible(), risposta == QMessageBox::No);
                  if (risposta == QMessageBox::No) {
                      QCOMPARE(dialoghi().messages().last().caption, QString("Messaggio di avviso"));
                      // The row stays; a province needs its name before it can be left.
                      if (nome == "frmGrigliaProvince") QTest::keyClicks(d->findChild<ui::DBEdit *>("DBEdit2"), "Nuova");
                      d->spdIndietro->click();
                  }
              });
    QCOMPARE(conta(tabella), risposta == QMessageBox::No ? prima + 1 : prima);
    QCOMPARE(dialoghi().messages().size(), messaggi + (risposta == QMessageBox::NoButton ? 0 : 1));
    QVERIFY(!d->DatiModificati);
}

void TestCodici::tipoVeicoloRinominato()
{
    esegui("insert into Veicoli (Descrizione, Modello) values ('Furgone', 'Iveco')");
    const qint64 id = valore("select Id from Veicoli where Descrizione = 'Furgone'").toLongLong();
    esegui(QString("insert into Vetture (Targa, Veicolo_ID, VeicoloDesc) values ('AB123CD', %1, 'Furgone'), "
                   "('EF456GH', %1, 'Furgone'), ('XX000XX', %2, 'Furgone')")
               .arg(id)
               .arg(id + 1));
    form_DB->TableVeicoli->requery();
    form_DB->TableVetture->requery();
    QVERIFY(form_DB->TableVeicoli->locate("Descrizione", "Furgone"));
    QVERIFY(form_DB->TableVetture->locate("Targa", "EF456GH"));
    conModale([] { frmVeicoli->spdAvantiClick(); },
              [](QWidget *) {
                  aggiungiTesto(frmVeicoliDettaglio->DBEdit2, " grande");
                  QVERIFY(frmVeicoliDettaglio->DescrizioneModificata);
                  frmVeicoliDettaglio->spdIndietro->click();
              });
    QCOMPARE(conta("Vetture", "VeicoloDesc = 'Furgone grande'"), 2);
    QCOMPARE(valore("select VeicoloDesc from Vetture where Targa = 'XX000XX'").toString(), QString("Furgone"));
    QVERIFY(!frmVeicoliDettaglio->DescrizioneModificata);
    // The shared vehicles are read again, on the same vehicle.
    QCOMPARE(form_DB->TableVetture->fieldByName("Targa").asString(), QString("EF456GH"));
    QCOMPARE(form_DB->TableVetture->fieldByName("VeicoloDesc").asString(), QString("Furgone grande"));
}

void TestCodici::marcaCambiataNonPropaga()
{
    esegui("insert into Modelli (Descrizione) values ('Fiat'), ('Iveco')");
    esegui("insert into Veicoli (Descrizione, Modello) values ('Furgone', 'Iveco')");
    const qint64 id = valore("select Id from Veicoli").toLongLong();
    esegui(QString("insert into Vetture (Targa, Veicolo_ID, VeicoloDesc) values ('AB123CD', %1, 'testo di prima')").arg(id));
    form_DB->TableModelli->requery();
    form_DB->TableVeicoli->requery();
    conModale([] { frmVeicoli->spdAvantiClick(); },
              [](QWidget *) {
                  ui::DBLookupComboBox *marca = frmVeicoliDettaglio->DBLookupComboBox1;
                  QCOMPARE(marca->currentText(), QString("Iveco"));
                  scegli(marca, "Fiat");
                  QVERIFY(frmVeicoliDettaglio->DatiModificati);
                  QVERIFY(!frmVeicoliDettaglio->DescrizioneModificata);
                  frmVeicoliDettaglio->spdIndietro->click();
              });
    QCOMPARE(valore("select Modello from Veicoli").toString(), QString("Fiat"));
    QCOMPARE(valore("select VeicoloDesc from Vetture").toString(), QString("testo di prima"));
    // Backspace in the make's lookup empties the make; "Indietro" saves it.
    conModale([] { frmVeicoli->spdAvantiClick(); },
              [](QWidget *) {
                  ui::DBLookupComboBox *marca = frmVeicoliDettaglio->DBLookupComboBox1;
                  marca->setFocus();
                  QTest::keyClick(marca, Qt::Key_Backspace);
                  QCOMPARE(marca->currentIndex(), -1);
                  QVERIFY(frmVeicoliDettaglio->DatiModificati);
                  frmVeicoliDettaglio->spdIndietro->click();
              });
    QVERIFY(valore("select Modello from Veicoli").isNull());
    QCOMPARE(valore("select VeicoloDesc from Vetture").toString(), QString("testo di prima"));
}

void TestCodici::enteRinominato()
{
    esegui("insert into EntiSequestratori (Descrizione) values ('Polizia'), ('Carabinieri')");
    const qint64 polizia = valore("select Id from EntiSequestratori where Descrizione = 'Polizia'").toLongLong();
    const qint64 carabinieri = valore("select Id from EntiSequestratori where Descrizione = 'Carabinieri'").toLongLong();
    esegui(QString("insert into Sequestri (Numero, Data, Storico, EnteSequestratore, EnteSequestratore_Id) values "
                   "(1, #6/1/2024#, true, 'Polizia', %1), (2, #2/1/2026#, false, 'Polizia', %1), "
                   "(3, #2/2/2026#, false, 'Carabinieri', %2)")
               .arg(polizia)
               .arg(carabinieri));
    form_DB->TableEntiSequestratori->requery();
    form_DB->TableSequestri->requery();
    QVERIFY(form_DB->TableEntiSequestratori->locate("Descrizione", "Polizia"));
    QVERIFY(form_DB->TableSequestri->locate("Numero", 2));
    conModale([] { frmGrigliaEntiSequestratori->spdAvantiClick(); },
              [](QWidget *) {
                  aggiungiTesto(frmEntiSequestratori_Dettaglio->DBEdit2, " Stradale");
                  frmEntiSequestratori_Dettaglio->spdIndietro->click();
                  QVERIFY(!frmEntiSequestratori_Dettaglio->isVisible());
              });
    // Every seizure of the authority, past years included, carries the new name.
    QCOMPARE(conta("Sequestri", "EnteSequestratore = 'Polizia Stradale'"), 2);
    QCOMPARE(conta("Sequestri", "EnteSequestratore = 'Carabinieri'"), 1);
    QCOMPARE(form_DB->TableSequestri->fieldByName("Numero").asInteger(), 2);
    QCOMPARE(form_DB->TableSequestri->fieldByName("EnteSequestratore").asString(), QString("Polizia Stradale"));
    // Saving without a new name writes the name again.
    esegui("update Sequestri set EnteSequestratore = 'altro' where Numero = 1");
    conModale([] { frmGrigliaEntiSequestratori->spdAvantiClick(); },
              [](QWidget *) {
                  ui::DBEdit *e = frmEntiSequestratori_Dettaglio->DBEdit2;
                  QMouseEvent destro(QEvent::MouseButtonPress, QPointF(2, 2), e->mapToGlobal(QPointF(2, 2)), Qt::RightButton,
                                     Qt::RightButton, Qt::NoModifier);
                  QApplication::sendEvent(e, &destro);
                  QVERIFY(frmEntiSequestratori_Dettaglio->DatiModificati);
                  frmEntiSequestratori_Dettaglio->spdIndietro->click();
              });
    QCOMPARE(valore("select EnteSequestratore from Sequestri where Numero = 1").toString(), QString("Polizia Stradale"));
}

void TestCodici::veicoliRicercaEPredefiniti()
{
    esegui("insert into Veicoli (Descrizione, Modello) values ('Cisterna', 'Iveco'), ('Citycar', 'Fiat'), ('Camion', 'Iveco')");
    form_DB->TableVeicoli->requery();
    QLineEdit *descrizione = frmVeicoli->casella("Edit1");
    QLineEdit *marca = frmVeicoli->casella("Edit4");
    QTest::keyClicks(marca, "Iv");
    QCOMPARE(form_DB->TableVeicoli->filter(), QString("Modello like 'Iv*'"));
    QCOMPARE(form_DB->TableVeicoli->recordCount(), 2);
    QTest::keyClicks(descrizione, "Ci");
    QCOMPARE(form_DB->TableVeicoli->filter(), QString("Descrizione like 'Ci*' and Modello like 'Iv*'"));
    QCOMPARE(form_DB->TableVeicoli->recordCount(), 1);
    // Typed apostrophes become the acute accent.
    descrizione->clear();
    QTest::keyClicks(descrizione, "l'a");
    QCOMPARE(descrizione->text(), QString("l") + QChar(0x00B4) + "a");
    frmVeicoli->BitBtn3Click();
    // The grid's menu, selection and sort.
    QStringList voci;
    for (QAction *a : frmVeicoli->PopupMenu1->actions()) voci << a->text();
    QCOMPARE(voci, QStringList({"Salva Griglia", "Elimina Colonna", "Reset Griglia"}));
    QVERIFY(frmVeicoli->DBGrid1->isMultiSelect());
    frmVeicoli->DBGrid1TitleClick("Modello");
    QCOMPARE(form_DB->TableVeicoli->sort(), QString("Modello ASC"));
    form_DB->TableVeicoli->setSort(QString());
    // A new type takes the defaults kept for "Veicoli" after its blank description.
    esegui("insert into Personalizzazioni (NomeTabella, NomeCampo, Tipo, Valore) values ('Veicoli', 'Modello', 't', 'Fiat')");
    form_DB->TablePersonalizzazioni->requery();
    conModale([] { frmVeicoli->spdInserisciClick(); },
              [](QWidget *) {
                  QCOMPARE(frmVeicoliDettaglio->DBEdit2->text(), QString(" "));
                  QVERIFY(!frmVeicoliDettaglio->DescrizioneModificata);
                  frmVeicoliDettaglio->spdIndietro->click();
              });
    QCOMPARE(valore("select top 1 Modello from Veicoli order by Id desc").toString(), QString("Fiat"));
    QCOMPARE(valore("select top 1 Descrizione from Veicoli order by Id desc").toString(), QString(" "));
}

void TestCodici::veicoliPulsantiMarca()
{
    esegui("insert into Modelli (Descrizione) values ('Fiat'), ('Iveco')");
    esegui("insert into Veicoli (Descrizione, Modello) values ('Furgone', 'Iveco')");
    form_DB->TableModelli->requery();
    form_DB->TableVeicoli->requery();
    conModale([] { frmVeicoli->spdAvantiClick(); },
              [](QWidget *) {
                  // The edit button opens the make of the type.
                  conModale([] { frmVeicoliDettaglio->SpeedButton8->click(); },
                            [](QWidget *w) {
                                QCOMPARE(w, frmModelliDett);
                                QCOMPARE(frmModelliDett->DBEdit2->text(), QString("Iveco"));
                                // A new make name does not reach the types that hold the old one.
                                aggiungiTesto(frmModelliDett->DBEdit2, " Trucks");
                                frmModelliDett->spdIndietro->click();
                            });
                  // The add button adds a make, which the lookup then offers.
                  conModale([] { frmVeicoliDettaglio->SpeedButton9->click(); },
                            [](QWidget *w) {
                                QCOMPARE(w, frmModelliDett);
                                QVERIFY(frmModelliDett->spdAnnulla->isVisible());
                                QTest::keyClicks(frmModelliDett->DBEdit2, "Renault");
                                frmModelliDett->spdIndietro->click();
                            });
                  QVERIFY(frmVeicoliDettaglio->DBLookupComboBox1->findText("Renault") >= 0);
                  frmVeicoliDettaglio->spdIndietro->click();
              });
    QCOMPARE(conta("Modelli", "Descrizione = 'Iveco Trucks'"), 1);
    QCOMPARE(conta("Modelli", "Descrizione = 'Renault'"), 1);
    QCOMPARE(valore("select Modello from Veicoli").toString(), QString("Iveco"));
}

void TestCodici::straordinarioSalvatoDaIndietro()
{
    esegui("insert into TipologiaCostiVetture (Descrizione) values ('Bollo')");
    form_DB->TableTipologiaCostiVetture->requery();
    conModale([] { frmGrigliaTipologiaCostiVetture->spdAvantiClick(); },
              [](QWidget *) {
                  ui::DBCheckBox *straordinario = frmTipologiaCostiVettureDettaglio->DBCheckBox2;
                  QCOMPARE(straordinario->text(), QString("Straordinario"));
                  QVERIFY(!straordinario->isChecked());
                  QVERIFY(!frmTipologiaCostiVettureDettaglio->DatiModificati);
                  straordinario->click();
                  QVERIFY(frmTipologiaCostiVettureDettaglio->DatiModificati);
                  frmTipologiaCostiVettureDettaglio->spdIndietro->click();
              });
    QCOMPARE(valore("select Straordinaria from TipologiaCostiVetture").toInt(), 1);
}

void TestCodici::repartiApostrofo()
{
    // The search box turns a typed apostrophe into the acute accent, the detail keeps it as
    // typed: the search finds the department either way.
    esegui("insert into Reparti (Descrizione) values ('Soccorso d´urgenza'), ('Officina')");
    form_DB->TableReparti->requery();
    conModale([] { frmReparti->spdInserisciClick(); },
              [](QWidget *) {
                  QTest::keyClicks(frmRepartiDett->DBEdit2, "Soccorso d'urto");
                  frmRepartiDett->spdIndietro->click();
              });
    QCOMPARE(conta("Reparti", "Descrizione = 'Soccorso d''urto'"), 1);
    QTest::keyClicks(frmReparti->Edit1, "Soccorso d'ur");
    QCOMPARE(frmReparti->Edit1->text(), QString("Soccorso d") + QChar(0x00B4) + "ur");
    QCOMPARE(form_DB->TableReparti->recordCount(), 2);
    QTest::keyClicks(frmReparti->Edit1, "t");
    QCOMPARE(form_DB->TableReparti->recordCount(), 1);
    QCOMPARE(form_DB->TableReparti->fieldByName("Descrizione").asString(), QString("Soccorso d'urto"));
    frmReparti->BitBtn3Click();
}

void TestCodici::aspetto()
{
    db::Query *q = form_DB->TableAspetto;
    const QString cartone = QString("Cartone dell") + QChar(0x00B4) + "usato";
    conModale([] { frmAspetto->exec(); },
              [&](QWidget *w) {
                  QCOMPARE(w, frmAspetto);
                  QCOMPARE(frmAspetto->windowTitle(), QString("Aspetto"));
                  QCOMPARE(didascalie(frmAspetto->ToolBar2, true), QStringList({"Indietro"}));
                  frmAspetto->Button4->click();
                  QCOMPARE(q->state(), db::Query::State::Insert);
                  frmAspetto->DBEdit2->setFocus();
                  QTest::keyClicks(frmAspetto->DBEdit2, "Cartone dell'usato");
                  QCOMPARE(frmAspetto->DBEdit2->text(), cartone);
                  // "+" stores what was typed, then begins an empty row.
                  frmAspetto->Button4->click();
                  QCOMPARE(conta("FatturaAspetto", "Descrizione = '" + cartone + "'"), 1);
                  QCOMPARE(q->state(), db::Query::State::Insert);
                  QCOMPARE(frmAspetto->DBEdit2->text(), QString());
                  dialoghi().expectMessage("Attenzione manca la Descrizione dei tipo di Aspetto merce");
                  frmAspetto->bitSalva->click();
                  QCOMPARE(dialoghi().messages().last().caption, QString("Messaggio di Errore"));
                  QTest::keyClicks(frmAspetto->DBEdit2, "Sfuso");
                  frmAspetto->bitSalva->click();
                  QCOMPARE(conta("FatturaAspetto"), 2);
                  QCOMPARE(q->fieldByName("Descrizione").asString(), QString("Sfuso"));
                  QVERIFY(!q->fieldByName("Id").isNull());
                  // "-" asks; the row before the deleted one becomes current.
                  dialoghi().expectMessage("Sei sicuro di voler eliminare la tipologia di Aspetto merce?", QMessageBox::No);
                  frmAspetto->Button3->click();
                  QCOMPARE(conta("FatturaAspetto"), 2);
                  dialoghi().expectMessage("Sei sicuro di voler eliminare la tipologia di Aspetto merce?", QMessageBox::Yes);
                  frmAspetto->Button3->click();
                  QCOMPARE(dialoghi().messages().last().caption, QString("Messaggio di avviso"));
                  QCOMPARE(conta("FatturaAspetto", "Descrizione = 'Sfuso'"), 0);
                  QCOMPARE(frmAspetto->DBEdit2->text(), cartone);
                  frmAspetto->spdIndietro->click();
              });
    QVERIFY(!frmAspetto->isVisible());
}

void TestCodici::porto()
{
    db::Query *q = form_DB->TablePorto;
    conModale([] { frmPorto->mostra(); },
              [&](QWidget *w) {
                  QCOMPARE(w, frmPorto);
                  QCOMPARE(frmPorto->windowTitle(), QString("Porto"));
                  QCOMPARE(didascalie(frmPorto->ToolBar2, false), QStringList({"Annulla", "salva", "Indietro"}));
                  QCOMPARE(didascalie(frmPorto->ToolBar2, true), QStringList({"Indietro"}));
                  frmPorto->Button4->click();
                  QCOMPARE(q->state(), db::Query::State::Insert);
                  QVERIFY(!frmPorto->DatiModificati);
                  // Both fields empty and the row marked modified: only the code is asked for.
                  frmPorto->DBEdit2->setFocus();
                  QTest::keyClick(frmPorto->DBEdit2, Qt::Key_X);
                  QTest::keyClick(frmPorto->DBEdit2, Qt::Key_Backspace);
                  QVERIFY(frmPorto->DatiModificati);
                  dialoghi().expectMessage("Attenzione manca il Codice");
                  frmPorto->spdIndietro->click();
                  QVERIFY(frmPorto->isVisible());
                  QCOMPARE(dialoghi().messages().size(), 1);
                  QCOMPARE(dialoghi().messages().last().caption, QString("Messaggio di errore"));
                  QCOMPARE(frmPorto->focusWidget(), frmPorto->DBEdit1);
                  QTest::keyClicks(frmPorto->DBEdit1, "EXW");
                  dialoghi().expectMessage("Attenzione manca la Descrizione");
                  frmPorto->spdIndietro->click();
                  QVERIFY(frmPorto->isVisible());
                  QCOMPARE(frmPorto->focusWidget(), frmPorto->DBEdit2);
                  QTest::keyClicks(frmPorto->DBEdit2, "Franco fabbrica");
                  frmPorto->spdIndietro->click();
                  QVERIFY(!frmPorto->isVisible());
              });
    QCOMPARE(conta("FatturaPorto", "Codice = 'EXW' and Descrizione = 'Franco fabbrica'"), 1);
    // Stored as a new record: read again, current, with its id.
    QCOMPARE(q->state(), db::Query::State::Browse);
    QCOMPARE(q->fieldByName("Codice").asString(), QString("EXW"));
    QVERIFY(q->fieldByName("id").asInteger() > 0);
    // "-": No keeps the row, Yes deletes it.
    dialoghi().expectMessage("Sei sicuro di voler eliminare la tipologia di Porto?", QMessageBox::No);
    frmPorto->Button3Click();
    QCOMPARE(conta("FatturaPorto"), 1);
    dialoghi().expectMessage("Sei sicuro di voler eliminare la tipologia di Porto?", QMessageBox::Yes);
    frmPorto->Button3Click();
    QCOMPARE(dialoghi().messages().last().caption, QString("Messaggio di avviso"));
    QCOMPARE(conta("FatturaPorto"), 0);
    // On an empty table "-" asks nothing.
    frmPorto->Button3Click();
}

void TestCodici::portoNuovoNonScritto()
{
    // "+" and "Indietro" without typing: the form closes, nothing is stored, and no blank row is
    // left pending in the shared dataset.
    conModale([] { frmPorto->mostra(); },
              [](QWidget *) {
                  frmPorto->Button4->click();
                  frmPorto->spdIndietro->click();
                  QVERIFY(!frmPorto->isVisible());
              });
    QCOMPARE(conta("FatturaPorto"), 0);
    QCOMPARE(form_DB->TablePorto->state(), db::Query::State::Browse);
    QCOMPARE(form_DB->TablePorto->recordCount(), 0);
}

void TestCodici::aspettoNuovoNonLasciato()
{
    // "+" then "Indietro": nothing stored and no blank row left pending in the shared dataset.
    conModale([] { frmAspetto->exec(); },
              [](QWidget *) {
                  frmAspetto->Button4->click();
                  frmAspetto->spdIndietro->click();
              });
    QCOMPARE(conta("FatturaAspetto"), 0);
    QCOMPARE(form_DB->TableAspetto->state(), db::Query::State::Browse);
}

void TestCodici::statoUso()
{
    conModale([] { frmStatoUso->exec(); },
              [](QWidget *w) {
                  QCOMPARE(w, frmStatoUso);
                  QCOMPARE(frmStatoUso->windowTitle(), QString("Stato di Utilizzo"));
                  QVERIFY(frmStatoUso->bitSalva->isVisible());
                  QCOMPARE(frmStatoUso->bitSalva->focusPolicy(), Qt::NoFocus);
                  frmStatoUso->Button4->click();
                  dialoghi().expectMessage("Attenzione manca la Descrizione");
                  frmStatoUso->bitSalva->click();
                  QCOMPARE(dialoghi().messages().last().caption, QString("Messaggio di errore"));
                  QTest::keyClicks(frmStatoUso->DBEdit2, "Nuovo");
                  frmStatoUso->bitSalva->click();
                  QCOMPARE(conta("StatoUso", "Descrizione = 'Nuovo'"), 1);
                  // A change left without "salva" is not stored by "Indietro".
                  QTest::keyClicks(frmStatoUso->DBEdit2, " usato");
                  frmStatoUso->spdIndietro->click();
              });
    QCOMPARE(conta("StatoUso", "Descrizione = 'Nuovo'"), 1);
    form_DB->TableStatoUso->cancel();
    dialoghi().expectMessage("Sei sicuro di voler eliminare lo Stato di Uso?", QMessageBox::Yes);
    frmStatoUso->Button3Click();
    QCOMPARE(conta("StatoUso"), 0);
}

void TestCodici::menoDopoPiu_data()
{
    QTest::addColumn<QString>("forma");
    QTest::addColumn<QString>("tabella");
    QTest::addColumn<QString>("domanda");
    QTest::newRow("aspetto") << "frmAspetto" << "FatturaAspetto" << "Sei sicuro di voler eliminare la tipologia di Aspetto merce?";
    QTest::newRow("stato d'uso") << "frmStatoUso" << "StatoUso" << "Sei sicuro di voler eliminare lo Stato di Uso?";
    QTest::newRow("porto") << "frmPorto" << "FatturaPorto" << "Sei sicuro di voler eliminare la tipologia di Porto?";
}

void TestCodici::menoDopoPiu()
{
    // "-" on a row begun with "+" and never stored drops that row: nothing stored is deleted.
    QFETCH(QString, forma);
    QFETCH(QString, tabella);
    QFETCH(QString, domanda);
    auto *f = Form1->findChild<QDialog *>(forma);
    QVERIFY(f);
    auto *descrizione = f->findChild<ui::DBEdit *>("DBEdit2");
    db::Query *q = descrizione->dataSource()->dataset();
    esegui("insert into " + tabella + " (Descrizione) values ('Alfa'), ('Beta'), ('Gamma')");
    q->requery();
    QVERIFY(q->locate("Descrizione", "Beta"));
    conModale([f] { f->exec(); },
              [&](QWidget *) {
                  f->findChild<QPushButton *>("Button4")->click();
                  QCOMPARE(q->state(), db::Query::State::Insert);
                  dialoghi().expectMessage(domanda, QMessageBox::Yes);
                  f->findChild<QPushButton *>("Button3")->click();
                  QCOMPARE(q->state(), db::Query::State::Browse);
                  QCOMPARE(descrizione->text(), QString("Beta"));
                  f->findChild<QToolButton *>("spdIndietro")->click();
              });
    QCOMPARE(conta(tabella), 3);
    QCOMPARE(q->recordCount(), 3);
    QCOMPARE(q->fieldByName("Descrizione").asString(), QString("Beta"));
}

void TestCodici::tastoGuida_data()
{
    QTest::addColumn<QString>("forma");
    QTest::addColumn<int>("contesto"); // 0: the help's start page, not the main window's context
    QTest::newRow("lista") << "frmReparti" << 1600;
    QTest::newRow("dettaglio") << "frmRepartiDett" << 1600;
    QTest::newRow("dettaglio senza contesto") << "frmTipologiaCalendario" << 0;
    QTest::newRow("Tipologie") << "frmArchivioTipologie" << 0;
    QTest::newRow("aspetto") << "frmAspetto" << 0;
    QTest::newRow("stato d'uso") << "frmStatoUso" << 0;
    QTest::newRow("porto") << "frmPorto" << 0;
    QTest::newRow("trova cap") << "frmTrovaCap" << 0;
}

void TestCodici::tastoGuida()
{
    // F1 anywhere in a window opens the help at that window's context.
    QFETCH(QString, forma);
    QFETCH(int, contesto);
    auto *f = Form1->findChild<QDialog *>(forma);
    QVERIFY(f);
    const int aperti = launcher().opened.size();
    conModale([f] { f->exec(); },
              [f](QWidget *w) {
                  QVERIFY(QTest::qWaitForWindowActive(w));
                  QTest::keyClick(static_cast<QWidget *>(nullptr), Qt::Key_F1);
                  f->done(QDialog::Accepted);
              });
    QCOMPARE(launcher().opened.size(), aperti + 1);
    QCOMPARE(launcher().opened.last(), guida(contesto));
}
