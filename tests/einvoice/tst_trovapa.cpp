#include "tst_trovapa.h"

#include "Banco.h"
#include "common/GridLayouts.h"
#include "data/DB.h"
#include "db/Query.h"
#include "einvoice/TrovaPA.h"
#include "widgets/DBGrid.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

namespace {

std::unique_ptr<banco::Banco> g_banco;
QVariant scalar(const QString &sql) { return g_banco->valore(sql); }
testing_support::ScriptedDialogs &dialoghi() { return g_banco->dialoghi(); }
db::Query *risultato() { return form_DB->TablePA_fatturazioneElettronica; }

const QString kSenzaCriteri = QStringLiteral("Attenzione ! E' necessario inserire i criteri di ricerca !");
const QString kDomanda = QStringLiteral("Posso sovrascrivere i dati della PA scelta con quelli del Cliente ? Vuoi proseguire ?");

// Longer than the customer's columns take: 100 characters of name, 70 of address.
const QString kNomeLungo = QStringLiteral("Azienda Sanitaria Locale Citta di Torino - Servizio Economico Finanziario e Contabilita Generale XYZ");
const QString kViaLunga = QStringLiteral("Corso Regina Margherita angolo Via della Consolata numero centoquaranta");
const QString kUfficioLungo = QStringLiteral("Ufficio per la fatturazione elettronica della struttura complessa gestione "
                                             "economico finanziaria e patrimonio aziendale");

QString ufficio(const QString &pa, const QString &ufficio, const QString &codice, const QString &via, const QString &cap,
                const QString &cf, const QString &tipologia, const QString &comune)
{
    return QStringLiteral("insert into PA_Amministrazioni_FatturaElettronica (DescrizionePA, DescrizioneUfficio, codice_Amministrazione, "
                          "cod_ou, codice_univoco, indirizzo, cap, cf, tipologia_istat, Comune_Id) "
                          "select %1, %2, 'c_x', 'ou', %3, %4, %5, %6, %7, ID from Comuni where Comune = '%8'")
        .arg(pa, ufficio, codice, via, cap, cf, tipologia, comune);
}

QString q(const QString &s) { return "'" + QString(s).replace("'", "''") + "'"; }

const QStringList kFixture = {
    ufficio("'Comune di Milano'", "'Ufficio Tributi'", "'UFMI01'", "'Piazza della Scala 2'", "'20121'", "'01199250158'",
            "'Comuni e loro Consorzi e Associazioni'", "Milano"),
    ufficio("'Ministero dell''Interno'", "'Prefettura di Milano'", "'UFPREF'", "'Corso Monforte 31'", "'20122'", "'80014130928'",
            "'Organi Costituzionali e di Rilievo Costituzionale'", "Milano"),
    ufficio("'Roma Capitale'", "'Dipartimento Mobilita'", "'UFRM99'", "'Via Capitolina 1'", "'00186'", "'02438750586'",
            "'Comuni e loro Consorzi e Associazioni'", "Roma"),
    ufficio(q(kNomeLungo), q(kUfficioLungo), "'UFTO77'", q(kViaLunga), "null", "'09737640012'", "'Aziende Sanitarie Locali'",
            "Torino"),
    "insert into Clienti (Id, Cliente, NominativoVisualizzato, NominativoDocumenti, Via, Numero, Cap, Citta, Comune_id, Provincia, "
    "Iva, CodFiscale, Note, PubblicaAmministrazione) values (1, 'Cliente Prova', 'Cliente Prova', 'Cliente Prova', 'Via Vecchia', "
    "'9', '10100', 'Vecchia', 0, 'TO', '01234567890', 'VCCCLN', 'da tenere', false)",
    // An invoice of the customer already sent and one not yet exported.
    "insert into fattura (ID, Num, Cliente_ID, FattNota, Carico, EsportatoXml, DatiTrasmissione_FormatoTrasmissione) values "
    "(1, 1, 1, false, false, true, 'FPR12'), (2, 2, 1, false, false, false, 'FPR12')",
};

// Types the boxes' texts (Edit1..Edit8) and runs "cerca".
void cerca(const QStringList &caselle)
{
    const QList<QLineEdit *> box{frmTrovaPA->Edit1, frmTrovaPA->Edit2, frmTrovaPA->Edit3, frmTrovaPA->Edit4,
                                 frmTrovaPA->Edit5, frmTrovaPA->Edit6, frmTrovaPA->Edit7, frmTrovaPA->Edit8};
    for (int i = 0; i < box.size(); ++i) box[i]->setText(caselle.value(i));
    frmTrovaPA->BitBtn2->click();
}

QStringList trovati()
{
    QStringList r;
    db::Query *q = risultato();
    if (!q->isActive()) return r;
    for (q->first(); !q->eof(); q->next()) r << q->fieldByName("DescrizionePA").asString().left(20);
    q->first();
    return r;
}

QString cliente(const QString &colonna) { return scalar("select " + colonna + " from Clienti where Id = 1").toString(); }

} // namespace

void TestTrovaPA::init()
{
    g_banco = std::make_unique<banco::Banco>(QStringList{"frmTrovaPA"}, kFixture);
    QVERIFY(form_DB->Table7->locate("Id", 1));
    QMetaObject::invokeMethod(frmTrovaPA, "BitBtn3Click"); // as the customer detail opens it
}

void TestTrovaPA::cleanup()
{
    QVERIFY2(dialoghi().clean(), qPrintable(dialoghi().report()));
    g_banco.reset();
}

void TestTrovaPA::ricerca_data()
{
    QTest::addColumn<QStringList>("caselle");
    QTest::addColumn<QStringList>("attesi");
    const QStringList milano{"Comune di Milano", "Ministero dell'Inter"};
    QTest::newRow("town, part of the name") << QStringList{"mil"} << milano;
    QTest::newRow("a lone * adds nothing") << QStringList{"mil", "*"} << milano;
    QTest::newRow("* inside: Ro then a") << QStringList{"", "Ro*a"} << QStringList{"Roma Capitale"};
    QTest::newRow("apostrophe") << QStringList{"", "dell'Interno"} << QStringList{"Ministero dell'Inter"};
    QTest::newRow("text that tries to end the literal") << QStringList{"", "' or 1=1 or DescrizionePA like '"} << QStringList{};
    QTest::newRow("unique code") << QStringList{"", "", "ufrm"} << QStringList{"Roma Capitale"};
    QTest::newRow("office") << QStringList{"", "", "", "Prefettura"} << QStringList{"Ministero dell'Inter"};
    QTest::newRow("tax code") << QStringList{"", "", "", "", "0973"} << QStringList{"Azienda Sanitaria Lo"};
    QTest::newRow("province, two letters") << QStringList{"", "", "", "", "", "MI"} << milano;
    QTest::newRow("province in lower case") << QStringList{"", "", "", "", "", "rm"} << QStringList{"Roma Capitale"};
    QTest::newRow("province of three letters ignored") << QStringList{"", "Roma", "", "", "", "MIL"} << QStringList{"Roma Capitale"};
    QTest::newRow("province of one letter ignored") << QStringList{"", "Roma", "", "", "", "M"} << QStringList{"Roma Capitale"};
    QTest::newRow("province matches the whole code") << QStringList{"", "", "", "", "", "IL"} << QStringList{};
    QTest::newRow("address") << QStringList{"", "", "", "", "", "", "Corso"} << QStringList{"Ministero dell'Inter", "Azienda Sanitaria Lo"};
    QTest::newRow("category") << QStringList{"", "", "", "", "", "", "", "consorzi"} << QStringList{"Comune di Milano", "Roma Capitale"};
    QTest::newRow("all conditions together") << QStringList{"Milano", "Comune", "UFMI", "Tributi", "0119", "MI", "Scala", "Comuni"}
                                             << QStringList{"Comune di Milano"};
    QTest::newRow("text used as typed, blank included") << QStringList{" mil"} << QStringList{};
}

void TestTrovaPA::ricerca()
{
    QFETCH(QStringList, caselle);
    QFETCH(QStringList, attesi);
    cerca(caselle);
    QVERIFY(risultato()->isActive());
    QCOMPARE(trovati(), attesi);
}

void TestTrovaPA::sqlDellaRicerca()
{
    cerca({"Mil", "", "UF"});
    const QString atteso =
        "SELECT PA_Amministrazioni_FatturaElettronica.DescrizionePA, PA_Amministrazioni_FatturaElettronica.DescrizioneUfficio, "
        "PA_Amministrazioni_FatturaElettronica.codice_Amministrazione, PA_Amministrazioni_FatturaElettronica.cod_ou, "
        "PA_Amministrazioni_FatturaElettronica.codice_univoco, PA_Amministrazioni_FatturaElettronica.indirizzo, "
        "PA_Amministrazioni_FatturaElettronica.cap, PA_Amministrazioni_FatturaElettronica.cf, Comuni.Comune, Comuni.Provincia, "
        "PA_Amministrazioni_FatturaElettronica.tipologia_istat, Comuni.Id as Comune_id FROM PA_Amministrazioni_FatturaElettronica "
        "INNER JOIN Comuni ON PA_Amministrazioni_FatturaElettronica.Comune_Id = Comuni.ID where  Comuni.Comune like '%Mil%' and  "
        "PA_Amministrazioni_FatturaElettronica.codice_univoco like '%UF%' ORDER BY Comuni.Comune, "
        "PA_Amministrazioni_FatturaElettronica.DescrizionePA, PA_Amministrazioni_FatturaElettronica.DescrizioneUfficio";
    QCOMPARE(risultato()->sql(), atteso);
    cerca({"", "d'A*b", "", "", "", "M'"});
    QVERIFY(risultato()->sql().contains("where  PA_Amministrazioni_FatturaElettronica.DescrizionePA like '%d''A%b%' and  "
                                        "Comuni.Provincia like 'M''' ORDER BY"));
    // The grid shows the first row found.
    cerca({"Milano"});
    QCOMPARE(risultato()->recNo(), 1);
    QCOMPARE(frmTrovaPA->DBGrid1->model()->rowCount(), 2);
}

void TestTrovaPA::senzaCriteri_data()
{
    QTest::addColumn<QStringList>("caselle");
    QTest::newRow("all empty") << QStringList{};
    QTest::newRow("only asterisks") << QStringList{"*", "*", "*", "*", "*", "", "*", "*"};
    QTest::newRow("province of one letter") << QStringList{"", "", "", "", "", "T"};
    QTest::newRow("province of three letters") << QStringList{"", "", "", "", "", "TOR"};
}

void TestTrovaPA::senzaCriteri()
{
    QFETCH(QStringList, caselle);
    cerca({"Milano"});
    QVERIFY(risultato()->isActive());
    dialoghi().expectMessage(kSenzaCriteri);
    cerca(caselle);
    QCOMPARE(dialoghi().messages().constLast().caption, QString("Messaggio di avviso"));
    QVERIFY(!risultato()->isActive());
    QCOMPARE(frmTrovaPA->DBGrid1->model()->rowCount(), 0);
}

void TestTrovaPA::registroVuoto()
{
    g_banco->esegui("delete from PA_Amministrazioni_FatturaElettronica");
    // Without criteria the criteria are asked first.
    dialoghi().expectMessage(kSenzaCriteri);
    cerca({});
    dialoghi().expectMessage("Attenzione ! L'archivio delle Pubbliche Amministrazioni è vuoto");
    cerca({"Milano"});
    QCOMPARE(dialoghi().messages().constLast().caption, QString("Messaggio di avviso"));
    QVERIFY(!risultato()->isActive());
    // Avanti then does nothing.
    frmTrovaPA->spdAvanti->click();
    QCOMPARE(cliente("Cliente"), QString("Cliente Prova"));
}

void TestTrovaPA::invioCercaEReset()
{
    frmTrovaPA->show();
    frmTrovaPA->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(frmTrovaPA));
    QVERIFY(frmTrovaPA->windowState() & Qt::WindowMaximized);
    frmTrovaPA->Edit2->setFocus();
    QTest::keyClicks(frmTrovaPA->Edit2, "Roma");
    QCOMPARE(frmTrovaPA->Edit2->palette().color(QPalette::Base), QColor(0, 255, 255));
    // Down and Up move between the boxes, Enter searches.
    QTest::keyClick(frmTrovaPA->Edit2, Qt::Key_Down);
    QCOMPARE(QApplication::focusWidget(), frmTrovaPA->Edit3);
    QCOMPARE(frmTrovaPA->Edit2->palette().color(QPalette::Base), QColor(Qt::white));
    QTest::keyClick(frmTrovaPA->Edit3, Qt::Key_Up);
    QCOMPARE(QApplication::focusWidget(), frmTrovaPA->Edit2);
    QTest::keyClick(frmTrovaPA->Edit2, Qt::Key_Return);
    QVERIFY(frmTrovaPA->isVisible());
    QCOMPARE(trovati(), QStringList{"Roma Capitale"});
    // The boxes keep their text between searches, until reset.
    frmTrovaPA->Edit6->setText("RM");
    frmTrovaPA->BitBtn2->click();
    QCOMPARE(trovati(), QStringList{"Roma Capitale"});
    frmTrovaPA->BitBtn3->click();
    QVERIFY(frmTrovaPA->Edit2->text().isEmpty() && frmTrovaPA->Edit6->text().isEmpty());
    QVERIFY(!risultato()->isActive());
    QCOMPARE(frmTrovaPA->DBGrid1->model()->rowCount(), 0);
    // Indietro closes without copying.
    frmTrovaPA->spdIndietro->click();
    QVERIFY(!frmTrovaPA->isVisible());
    QCOMPARE(cliente("Cliente"), QString("Cliente Prova"));
}

void TestTrovaPA::ordinaEGriglia()
{
    // The layout is restored at start-up under the finder's key.
    common::CaricaGriglia("frmTrovaPA", *frmTrovaPA->DBGrid1, *form_DB->TableGriglie, false, false, NomeComputerLocale);
    QCOMPARE(scalar("select count(*) from griglie where NomeGriglia = 'frmTrovaPA'").toInt(), 1);
    cerca({"", "", "", "", "", "", "", "Comuni"});
    frmTrovaPA->DBGrid1TitleClick("DescrizionePA");
    QCOMPARE(risultato()->sort(), QString("DescrizionePA ASC"));
    frmTrovaPA->DBGrid1TitleClick("DescrizionePA");
    QCOMPARE(trovati(), QStringList({"Roma Capitale", "Comune di Milano"}));
    frmTrovaPA->DBGrid1TitleClick("Comune");
    QCOMPARE(risultato()->sort(), QString("Comune ASC"));

    ui::DBGrid *g = frmTrovaPA->DBGrid1;
    QCOMPARE(g->columns().size(), 8);
    g->setCurrentIndex(g->model()->index(0, 1));
    frmTrovaPA->EliminaColonna1->trigger();
    QCOMPARE(g->columns().size(), 7);
    frmTrovaPA->SalvaGriglia1->trigger();
    frmTrovaPA->ResetGriglia1->trigger();
    QCOMPARE(g->columns().size(), 8);
    QCOMPARE(g->columns()[1].fieldName, QString("DescrizionePA"));
}

void TestTrovaPA::copia()
{
    frmTrovaPA->show();
    cerca({"Torino"});
    QCOMPARE(trovati().size(), 1);
    dialoghi().expectMessage(kDomanda, QMessageBox::Yes);
    frmTrovaPA->spdAvanti->click();
    QCOMPARE(dialoghi().messages().constLast().caption, QString("Messaggio di avviso"));
    QVERIFY(!frmTrovaPA->isVisible());
    const qint64 torino = scalar("select ID from Comuni where Comune = 'Torino'").toLongLong();
    QCOMPARE(cliente("Cliente"), kNomeLungo.left(80));
    QCOMPARE(cliente("NominativoDocumenti"), kNomeLungo.left(80));
    QCOMPARE(cliente("NominativoVisualizzato"), kNomeLungo.left(80));
    QCOMPARE(cliente("Via"), kViaLunga.left(60));
    QCOMPARE(cliente("DestinazioneMerce"), kUfficioLungo);
    QCOMPARE(scalar("select Comune_id from Clienti where Id = 1").toLongLong(), torino);
    QCOMPARE(cliente("Citta"), QString("Torino"));
    QVERIFY(scalar("select Cap from Clienti where Id = 1").isNull()); // copied as stored, null included
    QCOMPARE(cliente("CodFiscale"), QString("09737640012"));
    QCOMPARE(cliente("CodiceUnivocoUfficio"), QString("UFTO77"));
    QCOMPARE(scalar("select PubblicaAmministrazione from Clienti where Id = 1").toInt(), 1);
    // Its invoice not yet exported goes out in the public administration's format; the one sent keeps its file's.
    QCOMPARE(scalar("select DatiTrasmissione_FormatoTrasmissione from fattura where ID = 2").toString(), QString("FPA12"));
    QCOMPARE(scalar("select DatiTrasmissione_FormatoTrasmissione from fattura where ID = 1").toString(), QString("FPR12"));
    // Nothing else changes.
    QCOMPARE(cliente("Provincia"), QString("TO"));
    QCOMPARE(cliente("Iva"), QString("01234567890"));
    QCOMPARE(cliente("Numero"), QString("9"));
    QCOMPARE(cliente("Note"), QString("da tenere"));
    // The customer's shared query shows it, still on the customer.
    QCOMPARE(form_DB->Table7->fieldByName("Id").asInteger(), 1);
    QCOMPARE(form_DB->Table7->fieldByName("CodiceUnivocoUfficio").asString(), QString("UFTO77"));

    // A double click copies the current row too.
    QMetaObject::invokeMethod(frmTrovaPA, "BitBtn3Click");
    frmTrovaPA->show();
    cerca({"", "Roma"});
    dialoghi().expectMessage(kDomanda, QMessageBox::Yes);
    emit frmTrovaPA->DBGrid1->doubleClicked();
    QCOMPARE(cliente("Cliente"), QString("Roma Capitale"));
    QCOMPARE(cliente("Cap"), QString("00186"));
    QCOMPARE(cliente("DestinazioneMerce"), QString("Dipartimento Mobilita"));
}

void TestTrovaPA::copiaRifiutata()
{
    frmTrovaPA->show();
    cerca({"Milano"});
    risultato()->last();
    dialoghi().expectMessage(kDomanda, QMessageBox::No);
    frmTrovaPA->DBGrid1DblClick();
    QVERIFY(frmTrovaPA->isVisible());
    QCOMPARE(form_DB->Table7->state(), db::Query::State::Browse);
    QCOMPARE(cliente("Cliente"), QString("Cliente Prova"));
    QCOMPARE(cliente("Cap"), QString("10100"));
    QCOMPARE(scalar("select PubblicaAmministrazione from Clienti where Id = 1").toInt(), 0);
    QCOMPARE(scalar("select DatiTrasmissione_FormatoTrasmissione from fattura where ID = 2").toString(), QString("FPR12"));
    frmTrovaPA->spdIndietro->click();
}

void TestTrovaPA::copiaSenzaRighe()
{
    frmTrovaPA->show();
    cerca({"Napoli"});
    QVERIFY(risultato()->isActive());
    QCOMPARE(trovati(), QStringList{});
    frmTrovaPA->spdAvanti->click(); // no question: nothing to copy
    QVERIFY(frmTrovaPA->isVisible());
    QCOMPARE(cliente("Cliente"), QString("Cliente Prova"));
    frmTrovaPA->spdIndietro->click();
}
