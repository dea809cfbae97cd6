#include "tst_menu.h"

#include "Ambiente.h"
#include "app/Frm1.h"
#include "db/Query.h"
#include "forms/ListForm.h"
#include "accounting/ArchivioContabilita.h"
#include "accounting/GrigliaContabilitaClassi.h"
#include "masterdata/ArchivioTipologie.h"
#include "masterdata/Province.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTest>
#include <QToolButton>

using namespace ambiente;

namespace {

const QStringList kCaselle = {"Edit1", "Edit2", "Edit3", "Edit4", "Edit5", "txtCap"};

// Leaves text in every search box of the list without filtering, as an earlier use may.
void riempiCaselle(forms::ListForm *lista)
{
    for (const QString &nome : kCaselle)
        if (QLineEdit *b = lista->casella(nome)) {
            const QSignalBlocker quiet(b);
            b->setText("x");
        }
}

void controllaCaselle(forms::ListForm *lista, const QStringList &vuote)
{
    for (const QString &nome : kCaselle)
        if (QLineEdit *b = lista->casella(nome)) QCOMPARE(b->text(), vuote.contains(nome) ? QString() : QString("x"));
}

} // namespace

void TestMenuArchivio::init() { avvia(); }
void TestMenuArchivio::cleanup() { chiudi(); }

void TestMenuArchivio::pulsantiMenu_data()
{
    QTest::addColumn<QString>("didascalia");
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QString>("filtro");     // a filter an earlier use left on the dataset
    QTest::addColumn<bool>("filtroPrima");   // cleared before the list shows
    QTest::addColumn<QStringList>("svuotate"); // boxes emptied when it closes
    QTest::newRow("Avvisi") << "Avvisi" << "frmGrigliaAvvisi" << "Descrizione = 'x'" << true << QStringList{"Edit1"};
    QTest::newRow("Colori") << "Colori" << "frmGrigliaColori" << "Descrizione = 'x'" << true << QStringList{"Edit1"};
    QTest::newRow("Comuni") << "Comuni" << "frmGrigliaComuni" << "Comune = 'x'" << false << kCaselle;
    QTest::newRow("Enti Sequestratori") << "Enti Sequestratori" << "frmGrigliaEntiSequestratori" << "Descrizione = 'x'" << true
                                        << QStringList{"Edit1"};
    QTest::newRow("Iva") << "Iva" << "frmGrigliaIva" << "Descrizione = 'x'" << true << QStringList{};
    QTest::newRow("Mododalità Pagamento") << "Mododalità Pagamento" << "frmModPagam" << "Descrizione = 'x'" << true
                                          << QStringList{"Edit1"};
    QTest::newRow("Marche") << "Marche" << "frmModelli" << "Descrizione = 'x'" << true << QStringList{"Edit1"};
    QTest::newRow("Province") << "Province" << "frmGrigliaProvince" << "PROVINCIA = 'x'" << false
                              << QStringList{"Edit1", "Edit2"};
    QTest::newRow("Reparti") << "Reparti" << "frmReparti" << "Descrizione = 'x'" << true << QStringList{"Edit1"};
    QTest::newRow("Unità di Misura") << "Unità di Misura" << "frmGrigliaUnitaMisura" << "Descrizione = 'x'" << true
                                     << QStringList{};
}

void TestMenuArchivio::pulsantiMenu()
{
    QFETCH(QString, didascalia);
    QFETCH(QString, nome);
    QFETCH(QString, filtro);
    QFETCH(bool, filtroPrima);
    QFETCH(QStringList, svuotate);
    auto *lista = Form1->findChild<forms::ListForm *>(nome);
    QVERIFY(lista);
    QToolButton *pulsante = Form1->menuButton(TForm1::tabArchivio, didascalia);
    QVERIFY(pulsante);
    QVERIFY(pulsante->isEnabled());
    riempiCaselle(lista);
    lista->dataset()->setFilter(filtro);
    conModale([pulsante] { pulsante->click(); },
              [&](QWidget *w) {
                  QCOMPARE(w, lista);
                  QCOMPARE(lista->dataset()->filter(), filtroPrima ? QString() : filtro);
                  if (lista == frmGrigliaProvince) {
                      QComboBox *regione = frmGrigliaProvince->DBLookupComboBox2;
                      regione->setCurrentIndex(regione->findText("Lazio"));
                  }
                  lista->spdIndietro->click();
              });
    QCOMPARE(lista->dataset()->filter(), QString());
    controllaCaselle(lista, svuotate);
    if (lista == frmGrigliaProvince) QCOMPARE(frmGrigliaProvince->DBLookupComboBox2->currentIndex(), -1);
}

void TestMenuArchivio::tipologieNonModale()
{
    QToolButton *pulsante = Form1->menuButton(TForm1::tabArchivio, "Tipologie");
    QVERIFY(pulsante);
    pulsante->click();
    QVERIFY(frmArchivioTipologie->isVisible());
    QVERIFY(!frmArchivioTipologie->isModal());
    QVERIFY(!QApplication::activeModalWidget());
    QCOMPARE(frmArchivioTipologie->windowTitle(), QString("Tipologie"));
    QStringList testi;
    for (QToolButton *b : {frmArchivioTipologie->btnTipoDocumenti, frmArchivioTipologie->btnVeicoli,
                           frmArchivioTipologie->btnTipoCostiVetture, frmArchivioTipologie->btnTipoCostiPersonale,
                           frmArchivioTipologie->btnTipoCalendario, frmArchivioTipologie->btnTipoScadenzePersonale,
                           frmArchivioTipologie->BitBtn3, frmArchivioTipologie->btnCategorieClienti,
                           frmArchivioTipologie->btnCategorieFornitori, frmArchivioTipologie->btnCategoriePersonale}) {
        testi << b->text() + (b->isEnabled() ? QString() : QString(" (spento)"));
        // Each button is as wide as its caption needs: nothing is cut short.
        QVERIFY2(b->width() >= b->sizeHint().width(), qPrintable(b->text()));
    }
    QCOMPARE(testi, QStringList({"Documenti", "Veicoli", "Costi Vetture", "Costi Personale", "Calendario",
                                 "Scadenze del Personale", "Tariffe", "Categorie Clienti", "Categorie Fornitori",
                                 "Categorie Personale"}));
    QCOMPARE(frmArchivioTipologie->spdIndietro->text(), QString("Indietro"));
    QCOMPARE(frmArchivioTipologie->spdIndietro->toolTip(), QString("Torna indietro"));
    frmArchivioTipologie->spdIndietro->click();
    QVERIFY(!frmArchivioTipologie->isVisible());
}

void TestMenuArchivio::tipologieApreListe_data()
{
    QTest::addColumn<QString>("pulsante");
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QStringList>("prima"); // boxes emptied before the list shows
    QTest::addColumn<QStringList>("dopo");  // and after it closes
    QTest::newRow("Documenti") << "btnTipoDocumenti" << "frmGrigliaTipoDocumenti" << QStringList{} << QStringList{"Edit1"};
    QTest::newRow("Veicoli") << "btnVeicoli" << "frmVeicoli" << QStringList{"Edit1", "Edit4"} << QStringList{};
    QTest::newRow("Costi Vetture") << "btnTipoCostiVetture" << "frmGrigliaTipologiaCostiVetture" << QStringList{"Edit1"}
                                   << QStringList{};
    QTest::newRow("Costi Personale") << "btnTipoCostiPersonale" << "frmGrigliaTipologieCostiPersonale" << QStringList{"Edit1"}
                                     << QStringList{};
    QTest::newRow("Calendario") << "btnTipoCalendario" << "frmGrigliaTipologieCalendario" << QStringList{"Edit1"}
                                << QStringList{"Edit1"};
    QTest::newRow("Scadenze del Personale") << "btnTipoScadenzePersonale" << "frmGrigliaTipologieScadenzePersonale"
                                            << QStringList{"Edit1"} << QStringList{"Edit1"};
    QTest::newRow("Tariffe") << "BitBtn3" << "frmGrigliaTipoTariffe" << QStringList{} << QStringList{};
    QTest::newRow("Categorie Fornitori") << "btnCategorieFornitori" << "frmCategorieFornitori_Griglia" << QStringList{}
                                         << QStringList{"Edit1"};
    QTest::newRow("Categorie Personale") << "btnCategoriePersonale" << "frmGrigliaCategoriePersonale" << QStringList{}
                                         << QStringList{"Edit1"};
}

void TestMenuArchivio::tipologieApreListe()
{
    QFETCH(QString, pulsante);
    QFETCH(QString, nome);
    QFETCH(QStringList, prima);
    QFETCH(QStringList, dopo);
    auto *lista = Form1->findChild<forms::ListForm *>(nome);
    auto *b = frmArchivioTipologie->findChild<QToolButton *>(pulsante);
    QVERIFY(lista);
    QVERIFY(b);
    frmArchivioTipologie->show();
    riempiCaselle(lista);
    lista->dataset()->setFilter("Descrizione = 'nessuno'");
    conModale([b] { b->click(); },
              [&](QWidget *w) {
                  QCOMPARE(w, lista);
                  QCOMPARE(lista->dataset()->filter(), QString());
                  controllaCaselle(lista, prima);
                  if (nome == "frmVeicoli") QVERIFY(lista->isMaximized());
                  lista->spdIndietro->click();
              });
    QCOMPARE(lista->dataset()->filter(), QString());
    controllaCaselle(lista, prima + dopo);
    QVERIFY(frmArchivioTipologie->isVisible());
    frmArchivioTipologie->spdIndietro->click();
}

void TestMenuArchivio::contabilitaNonModale()
{
    QToolButton *pulsante = Form1->menuButton(TForm1::tabArchivio, "Contabilit\u00e0");
    QVERIFY(pulsante);
    QVERIFY(pulsante->isEnabled());
    pulsante->click();
    QVERIFY(frmArchivioContabilita->isVisible());
    QVERIFY(!QApplication::activeModalWidget());
    QCOMPARE(frmArchivioContabilita->windowTitle(), QString("Contabilit\u00e0"));
    // Its buttons open the lists of the chart of accounts.
    conModale([] { frmArchivioContabilita->btnContabilitaClassi->click(); },
              [](QWidget *w) {
                  QCOMPARE(w, frmGrigliaContabilitaClassi);
                  w->close();
              });
    frmArchivioContabilita->spdIndietro->click();
    QVERIFY(!frmArchivioContabilita->isVisible());
}
