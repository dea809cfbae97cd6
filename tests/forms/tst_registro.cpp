#include "tst_registro.h"

#include "Ambiente.h"
#include "Banco.h"
#include "app/Forms.h"
#include "app/Frm1.h"
#include "data/DB.h"
#include "db/Query.h"
#include "forms/GriglieAggiunte.h"
#include "forms/Registro.h"
#include "masterdata/Modelli.h"
#include "masterdata/Veicoli.h"
#include "settings/Password.h"
#include "widgets/DBEdit.h"
#include "widgets/DBLookupComboBox.h"

#include <QApplication>
#include <QSet>
#include <QTest>
#include <QToolButton>

using forms::Registro;

void TestRegistro::dichiarazioni()
{
    const QStringList &ordine = Registro::ordineCreazione();
    QCOMPARE(ordine.size(), 144);
    QCOMPARE(QSet<QString>(ordine.begin(), ordine.end()).size(), 144);
    QCOMPARE(Registro::ordineGriglie().size(), 57);
    QVERIFY(Registro::istanza().voce("frmVeicoli"));
    for (const forms::VoceForm &v : Registro::istanza().voci()) {
        // The class is T followed by the pointer's name, and the pointer has its place.
        QCOMPARE(v.classe, "T" + v.nome);
        QVERIFY2(ordine.contains(v.nome), qPrintable(v.nome));
        if (!v.dichiarazione.dettaglio.isEmpty()) QVERIFY2(Registro::istanza().voce(v.dichiarazione.dettaglio), qPrintable(v.nome));
        for (const forms::GrigliaSalvata &g : v.dichiarazione.griglie)
            QVERIFY2(Registro::ordineGriglie().contains(g.chiave), qPrintable(g.chiave));
    }
    // The grids a page built apart declares belong to a registered form and have their place.
    for (const auto &[form, g] : forms::griglieAggiunte()) {
        QVERIFY2(Registro::istanza().voce(form), qPrintable(form));
        QVERIFY2(Registro::ordineGriglie().contains(g.chiave), qPrintable(g.chiave));
    }
}

void TestRegistro::creaSoloLeFormRichieste()
{
    {
        banco::Banco b({"frmVeicoli"});
        QVERIFY(frmVeicoli);
        QVERIFY(frmVeicoliDettaglio); // the list's detail comes with it
        QCOMPARE(frmVeicoli->dettaglio(), frmVeicoliDettaglio);
        QCOMPARE(frmVeicoli->parentWidget(), b.finestra());
        QVERIFY(!frmModelli);
        QVERIFY(!Form1);
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, Registro::istanza().crea({"frmNessuno"}, b.finestra()));
    }
    QVERIFY(!frmVeicoli);
    QVERIFY(!frmVeicoliDettaglio);
    QVERIFY(!form_DB);
}

void TestRegistro::programmaCompletoInOrdine()
{
    testing_support::Seams seams;
    testing_support::TestDatabase db(testing_support::TestDatabase::WithSchema);
    CreaForms();
    // Every registered form is there, owned by the main window, in the program's order.
    QStringList creati;
    for (QObject *o : Form1->children())
        if (Registro::istanza().voce(o->objectName())) creati << o->objectName();
    QStringList attesi;
    for (const QString &n : Registro::ordineCreazione())
        if (Registro::istanza().voce(n)) attesi << n;
    QCOMPARE(creati, attesi);
    QCOMPARE(creati.size(), Registro::istanza().voci().size());
    // The start-up restores the grids the forms declared, in its order: a grid without a saved
    // layout gets its columns stored under its key.
    QVERIFY(form_DB->Connessione.open(db.path()));
    form_DB->TableGriglie->open();
    Form1->CaricaTutteLeGriglie();
    QStringList chiavi;
    db::Query q(&form_DB->Connessione);
    q.setSql("select NomeGriglia from griglie where NomeComputer = 'POSTAZIONE1' order by Id");
    q.open();
    for (q.first(); !q.eof(); q.next()) chiavi << q.field(0).asString();
    QCOMPARE(chiavi, QStringList({"Form2_Griglia", "GrigliaContabilitaConti", "GrigliaContabilitaRaggruppamenti",
                                  "GrigliaContabilitaClassi", "Form7_DBGrid2", "Form7_DBGrid3", "Fornitori_Griglia",
                                  "frmClienti_Griglia", "frmGrigliaBanche_Griglia", "frmGrigliaComuni_Griglia",
                                  "frmGrigliaFatture_Griglia", "frmGrigliaPersonale_Griglia", "frmModelli_Griglia",
                                  "frmModPagam_Griglia", "frmNotaCreditoDBGrid1", "frmNotaCreditoDBGrid3",
                                  "frmPreventivi_Griglia", "frmReparti_Griglia", "frmScadenziario_Griglia",
                                  "frmGrigliaPreventivi_Griglia", "frmGrigliaNoteCredito_Griglia",
                                  "frmGrigliaTipoDocumenti", "Form5_DBGrid1",
                                  "frmGrigliaCarburanti", "frmTrovaCap", "frmVettureDettaglio_DBGrid1",
                                  "frmVettureDettaglio_DBGrid2", "frmVettureDettaglio_DBGrid3",
                                  "frmVettureDettaglio_DBGrid4", "frmVetture", "frmVeicoli", "frmGrigliaProvince",
                                  "frmGrigliaIva", "frmPersonaleDettaglio_DBGrid1", "frmPersonaleDettaglio_DBGrid2",
                                  "frmPersonaleDettaglio_DBGrid4", "frmGrigliaRifornimenti", "frmGrigliaCisterne",
                                  "frmCisterneDettaglio_DBGrid1", "frmGrigliaCalendario", "frmGrigliaSequestri",
                                  "frmContabilitaChiusuraIva_DBGrid1", "frmContabilitaChiusuraIva_DBGrid2",
                                  "frmGrigliaContabilitaChiusuraIva", "frmContabilitaChiusuraIvaMensile_DBGrid1",
                                  "frmContabilitaChiusuraIvaMensile_DBGrid2", "frmGrigliaContabilitaChiusuraIvaMensile",
                                  "frmTrovaPA", "frmGrigliaErroriFatturazioneElettronica", "frmGrigliaAvvisi"}));
    DistruggiForms();
    QVERIFY(!frmVeicoli);
    QVERIFY(!frmPass);
}

void TestRegistro::pulsantiLookup_data()
{
    QTest::addColumn<QString>("marca"); // the make of the vehicle type, as stored
    QTest::addColumn<bool>("apre");      // the edit button opens the make's detail
    QTest::newRow("stored make") << "'Iveco'" << true;
    QTest::newRow("no make") << "null" << false;
    QTest::newRow("make not among the makes") << "'Scania'" << false;
}

void TestRegistro::pulsantiLookup()
{
    QFETCH(QString, marca);
    QFETCH(bool, apre);
    banco::Banco b({"frmVeicoli", "frmModelli"},
                   {"insert into Modelli (Descrizione) values ('Fiat'), ('Iveco')",
                    "insert into Veicoli (Descrizione, Modello) values ('Furgone', " + marca + ")"});
    form_DB->TableModelli->first(); // on Fiat: the button must move to the make of the type
    QVERIFY(frmVeicoliDettaglio->SpeedButton8->toolTip() == "Modifica la Marca");
    QVERIFY(frmVeicoliDettaglio->SpeedButton9->toolTip() == "Aggiungi una Marca");
    if (!apre) {
        frmVeicoliDettaglio->SpeedButton8->click();
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(form_DB->TableModelli->fieldByName("Descrizione").asString(), QString("Fiat"));
        return;
    }
    bool aperto = false;
    ambiente::conModale([] { frmVeicoliDettaglio->SpeedButton8->click(); },
                        [&](QWidget *w) {
                            aperto = true;
                            QCOMPARE(w, frmModelliDett);
                            QCOMPARE(frmModelliDett->DBEdit2->text(), QString("Iveco"));
                            frmModelliDett->spdIndietro->click();
                        });
    QVERIFY(aperto);
    // "+" adds a make through the makes' list, which opens its detail on the new row.
    ambiente::conModale([] { frmVeicoliDettaglio->SpeedButton9->click(); },
                        [](QWidget *w) {
                            QCOMPARE(w, frmModelliDett);
                            QVERIFY(frmModelliDett->spdAnnulla->isVisible());
                            QTest::keyClicks(frmModelliDett->DBEdit2, "Renault");
                            frmModelliDett->spdIndietro->click();
                        });
    QCOMPARE(b.valore("select count(*) from Modelli where Descrizione = 'Renault'").toInt(), 1);
    QCOMPARE(form_DB->TableModelli->fieldByName("Descrizione").asString(), QString("Renault"));
    QVERIFY(frmVeicoliDettaglio->DBLookupComboBox1->findText("Renault") >= 0);
    QVERIFY(b.dialoghi().clean());
}

void TestRegistro::aggiungiSenzaListaCreata()
{
    // Only the types' forms: the buttons find no makes' list and do nothing.
    banco::Banco b({"frmVeicoli"}, {"insert into Veicoli (Descrizione, Modello) values ('Furgone', 'Iveco')"});
    frmVeicoliDettaglio->SpeedButton9->click();
    frmVeicoliDettaglio->SpeedButton8->click();
    QVERIFY(!QApplication::activeModalWidget());
    QCOMPARE(b.valore("select count(*) from Modelli").toInt(), 0);
}

