#include "tst_clienti.h"

#include "db/Command.h"
#include "db/DbError.h"
#include "db/Query.h"
#include "masterdata/services/Clienti.h"
#include "support/TestCore.h"

#include <QTest>

using namespace testing_support;

Q_DECLARE_METATYPE(clienti::DatiMostrati)

namespace {

// Two customers, and rows of every table that copies a customer's name: documents of this
// year and of history, exported or not, calendar entries, quotes and tariffs.
void archivio(TestDatabase &db)
{
    auto &c = db.conn();
    c.execute("insert into Clienti (Id, Cliente, NominativoDocumenti, NominativoVisualizzato, PubblicaAmministrazione, Iva, "
              "CodFiscale) values (1, 'Rossi Srl', 'Rossi Srl', 'Rossi Srl', False, '01234567897', 'RSSMRA80A01F205X')");
    c.execute("insert into Clienti (Id, Cliente, NominativoDocumenti, NominativoVisualizzato, PubblicaAmministrazione, Iva, "
              "CodFiscale) values (2, 'Bianchi', 'Bianchi', 'Bianchi', False, '01234567897', 'L''AQUILA')");
    c.execute("insert into fattura (ID, Cliente_ID, Cliente, Num, Storico, EsportatoXml, DatiTrasmissione_FormatoTrasmissione) "
              "values (10, 1, 'Rossi Srl', 1, False, False, 'FPR12')");
    c.execute("insert into fattura (ID, Cliente_ID, Cliente, Num, Storico, EsportatoXml, DatiTrasmissione_FormatoTrasmissione) "
              "values (11, 1, 'Rossi Srl', 7, True, False, 'FPR12')");
    c.execute("insert into fattura (ID, Cliente_ID, Cliente, Num, Storico, EsportatoXml, DatiTrasmissione_FormatoTrasmissione) "
              "values (12, 1, 'Rossi Srl', 2, False, True, 'FPR12')");
    c.execute("insert into fattura (ID, Cliente_ID, Cliente, Num, Storico, EsportatoXml, DatiTrasmissione_FormatoTrasmissione) "
              "values (13, 2, 'Bianchi', 3, False, False, 'FPR12')");
    c.execute("insert into Calendario (Cliente_ID, Cliente, Storico) values (1, 'Rossi Srl', False), (1, 'Rossi Srl', True), "
              "(2, 'Bianchi', False)");
    c.execute("insert into PreventiTestata (Cliente_ID, Cliente, Storico) values (1, 'Rossi Srl', True), (2, 'Bianchi', False)");
    c.execute("insert into prezziar (Cliente_ID, Cliente, Descrizione) values (1, 'Rossi Srl', 'Traino'), (2, 'Bianchi', 'Traino')");
}

QStringList nomi(TestDatabase &db, const QString &tabella, int cliente)
{
    db::Query q(&db.conn());
    q.setSql("select Cliente from " + tabella + " where Cliente_ID = :c order by Cliente");
    q.bind(":c", cliente);
    q.open();
    QStringList r;
    for (q.first(); !q.eof(); q.next()) r << q.field(0).asString();
    return r;
}

QString formato(TestDatabase &db, int fattura)
{
    return db.conn().scalar("select DatiTrasmissione_FormatoTrasmissione from fattura where ID = :id", {{":id", fattura}}).toString();
}

// A customer that passes every check: an Italian company with its head office.
clienti::DatiMostrati completo()
{
    clienti::DatiMostrati d;
    d.ragioneSociale = "Rossi Srl";
    d.nazionalita = "Italia";
    d.sedeNazione = "Italia";
    d.comune = "Milano";
    d.cap = "20100";
    d.via = "Via Roma";
    d.partitaIva = "01234567897";
    return d;
}

} // namespace

void TestServiziClienti::nominativi_data()
{
    QTest::addColumn<QString>("ragione");
    QTest::addColumn<QString>("cognome");
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QString>("cf");
    QTest::addColumn<QString>("documenti");
    QTest::addColumn<QString>("visualizzato");
    QTest::newRow("one character of company name: the person, with the tax code")
        << "X" << "Rossi" << "Mario" << "RSSMRA80A01F205X" << "Rossi Mario" << "Rossi Mario - RSSMRA80A01F205X";
    QTest::newRow("no tax code") << "" << "Rossi" << "Mario" << "" << "Rossi Mario" << "Rossi Mario";
    QTest::newRow("a company name wins over the surname")
        << "Rossi Srl" << "Verdi" << "Anna" << "RSSMRA80A01F205X" << "Rossi Srl" << "Rossi Srl";
    QTest::newRow("nothing typed: one blank") << "" << "" << "" << "" << " " << " ";
}

void TestServiziClienti::nominativi()
{
    QFETCH(QString, ragione);
    QFETCH(QString, cognome);
    QFETCH(QString, nome);
    QFETCH(QString, cf);
    const clienti::Nominativi n = clienti::calcolaNominativi(ragione, cognome, nome, cf);
    QTEST(n.documenti, "documenti");
    QTEST(n.visualizzato, "visualizzato");
}

void TestServiziClienti::validazione_data()
{
    QTest::addColumn<clienti::DatiMostrati>("dati");
    QTest::addColumn<bool>("soloGenerale");
    QTest::addColumn<int>("regola"); // 0: every rule passes
    QTest::addColumn<int>("pagina");
    QTest::addColumn<QString>("fuoco");

    clienti::DatiMostrati d = completo();
    QTest::newRow("Italian company complete") << d << false << 0 << 0 << "";
    d.ragioneSociale.clear();
    QTest::newRow("no name at all") << d << false << 1 << 0 << "DBEdit1";
    d.cognome = "Rossi";
    QTest::newRow("surname without first name") << d << false << 2 << 0 << "DBEdit3";
    QTest::newRow("surname without first name, on the change of page") << d << true << 2 << 0 << "DBEdit3";
    d.nome = "Mario";
    QTest::newRow("private person") << d << false << 0 << 0 << "";
    d = completo();
    d.nazionalita.clear();
    QTest::newRow("no nationality") << d << false << 3 << 0 << "DBLookupComboBox2";
    d = completo();
    d.comune.clear();
    d.cap.clear();
    QTest::newRow("a new customer with only the name stops at the town") << d << false << 5 << 1 << "DBLookupComboBox5";
    QTest::newRow("the page change checks only the first page") << d << true << 0 << 0 << "";
    d = completo();
    d.sedeNazione.clear();
    QTest::newRow("no head-office country") << d << false << 4 << 1 << "DBLookupComboBox4";
    d = completo();
    d.cap.clear();
    QTest::newRow("no postcode") << d << false << 6 << 1 << "DBEdit27";
    d = completo();
    d.via.clear();
    QTest::newRow("no street") << d << false << 7 << 1 << "DBEdit25";

    d = completo();
    d.pubblicaAmministrazione = true;
    QTest::newRow("public administration without office code") << d << false << 8 << 1 << "DBEdit23";
    d.codiceUnivocoUfficio = "UFE8Q2";
    QTest::newRow("public administration with office code") << d << false << 0 << 0 << "";
    d.nazionalita = "Francia";
    QTest::newRow("foreign public administration without SdI code") << d << false << 0 << 0 << "";

    d = completo();
    d.nazionalita = "Francia";
    d.partitaIva = "FR40303265045";
    d.codiceSdi = "0000000";
    QTest::newRow("French company with 0000000") << d << false << 9 << 1 << "DBEdit22";
    d.codiceSdi = "XXXXXXX";
    QTest::newRow("French company with XXXXXXX") << d << false << 0 << 0 << "";
    d.codiceSdi = "xxxxxxx";
    QTest::newRow("French company with xxxxxxx") << d << false << 0 << 0 << "";
    d.codiceSdi.clear();
    d.partitaIva.clear();
    QTest::newRow("foreign customer without VAT number") << d << false << 0 << 0 << "";
    d = completo();
    d.codiceSdi.clear();
    QTest::newRow("Italian company without SdI code (reached by PEC)") << d << false << 0 << 0 << "";

    d = completo();
    d.stabile = true;
    QTest::newRow("establishment without street") << d << false << 10 << 1 << "DBEdit29";
    d.stabileIndirizzo = "Via Po";
    QTest::newRow("establishment without postcode") << d << false << 11 << 1 << "DBEdit31";
    d.stabileCap = "2010";
    QTest::newRow("establishment postcode of four characters") << d << false << 12 << 1 << "DBEdit31";
    d.stabileCap = "20100";
    QTest::newRow("establishment without town") << d << false << 13 << 1 << "DBLookupComboBox6";
    d.stabileComune = "Milano";
    QTest::newRow("establishment without country") << d << false << 14 << 1 << "DBLookupComboBox8";
    d.stabileNazione = "Italia";
    QTest::newRow("establishment complete") << d << false << 0 << 0 << "";
    d = completo();
    d.stabileCap = "1";
    QTest::newRow("establishment not included: its postcode is not looked at") << d << false << 0 << 0 << "";

    d = completo();
    d.rappresentante = true;
    QTest::newRow("representative without VAT number") << d << false << 15 << 1 << "DBEdit35";
    d.rappresentantePartitaIva = "01234567897";
    QTest::newRow("representative without country") << d << false << 16 << 1 << "DBLookupComboBox9";
    d.rappresentanteNazione = "Italia";
    QTest::newRow("representative without any name") << d << false << 17 << 1 << "";
    d.rappresentanteNome = "Mario";
    QTest::newRow("representative with only the first name") << d << false << 0 << 0 << "";
}

void TestServiziClienti::validazione()
{
    QFETCH(clienti::DatiMostrati, dati);
    QFETCH(bool, soloGenerale);
    QFETCH(int, regola);
    const auto r = clienti::valida(dati, soloGenerale);
    QCOMPARE(r ? r->numero : 0, regola);
    if (!r) return;
    QTEST(r->pagina, "pagina");
    QTEST(r->fuoco, "fuoco");
    QVERIFY(r->messaggio.startsWith("Attenzione"));
}

void TestServiziClienti::duplicati()
{
    TestDatabase db(TestDatabase::WithSchema);
    archivio(db);
    db.conn().execute("insert into Clienti (Id, Iva, CodFiscale) values (3, '01234567897', 'L''AQUILA')");
    QCOMPARE(clienti::duplicatiPartitaIva(db.conn(), "01234567897", 1), 2);
    QCOMPARE(clienti::duplicatiPartitaIva(db.conn(), "01234567897", 0), 3);
    QCOMPARE(clienti::duplicatiCodiceFiscale(db.conn(), "RSSMRA80A01F205X", 1), 0); // its own code
    QCOMPARE(clienti::duplicatiCodiceFiscale(db.conn(), "L'AQUILA", 2), 1);
    QCOMPARE(clienti::duplicatiCodiceFiscale(db.conn(), "' or ''='", 1), 0);
}

void TestServiziClienti::propagazioneNominativo()
{
    TestDatabase db(TestDatabase::WithSchema);
    archivio(db);
    db.conn().execute("update Clienti set NominativoDocumenti = 'Rossi & Figli d''Italia' where Id = 1");
    const clienti::Propagazione p = clienti::propagaNominativo(db.conn(), 1);
    QCOMPARE(p.documenti, 3);
    QCOMPARE(p.calendario, 2);
    QCOMPARE(p.preventivi, 1);
    QCOMPARE(p.tariffe, 1);
    const QString nuovo = "Rossi & Figli d'Italia";
    QCOMPARE(nomi(db, "fattura", 1), QStringList({nuovo, nuovo, nuovo})); // history rows too
    QCOMPARE(nomi(db, "Calendario", 1), QStringList({nuovo, nuovo}));
    QCOMPARE(nomi(db, "PreventiTestata", 1), QStringList({nuovo}));
    QCOMPARE(nomi(db, "prezziar", 1), QStringList({nuovo}));
    // The other customer's rows keep its name.
    for (const char *t : {"fattura", "Calendario", "PreventiTestata", "prezziar"})
        QCOMPARE(nomi(db, t, 2), QStringList({"Bianchi"}));
}

void TestServiziClienti::formatoSoloDocumentiNonEsportati()
{
    TestDatabase db(TestDatabase::WithSchema);
    archivio(db);
    // The flag as stored: nothing to change.
    QCOMPARE(clienti::allineaFormatoTrasmissione(db.conn(), 1, false), 0);
    // Ticked: the customer's documents not yet sent, this year's and history's; the exported one
    // keeps the format of its file; another customer's document is left alone.
    QCOMPARE(clienti::allineaFormatoTrasmissione(db.conn(), 1, true), 2);
    QCOMPARE(formato(db, 10), QString("FPA12"));
    QCOMPARE(formato(db, 11), QString("FPA12"));
    QCOMPARE(formato(db, 12), QString("FPR12"));
    QCOMPARE(formato(db, 13), QString("FPR12"));
    // Stored and unticked again.
    db.conn().execute("update Clienti set PubblicaAmministrazione = True where Id = 1");
    QCOMPARE(clienti::allineaFormatoTrasmissione(db.conn(), 1, false), 2);
    QCOMPARE(formato(db, 10), QString("FPR12"));
    QCOMPARE(formato(db, 12), QString("FPR12"));
    // A customer not stored changes nothing.
    QCOMPARE(clienti::allineaFormatoTrasmissione(db.conn(), 99, true), 0);
}

void TestServiziClienti::salvataggioRifiutatoNonLasciaNulla()
{
    TestDatabase db(TestDatabase::WithSchema);
    archivio(db);
    // The post refused: the documents keep their format, nothing of the save stays.
    auto rifiuto = clienti::salva(db.conn(), 1, true, true, [&db] {
        db.conn().execute("update Clienti set NominativoDocumenti = 'Mai salvato' where Id = 1");
        return false;
    });
    QVERIFY(!rifiuto.salvato);
    QCOMPARE(formato(db, 10), QString("FPR12"));
    QCOMPARE(db.scalar("select NominativoDocumenti from Clienti where Id = 1").toString(), QString("Rossi Srl"));
    // A statement failing after the post takes the post back with it.
    const std::function<bool()> postaPoiGuasto = [&db] {
        db.conn().execute("update Clienti set PubblicaAmministrazione = True, NominativoDocumenti = 'Rossi Spa' where Id = 1");
        db.conn().execute("update TabellaCheNonEsiste set x = 1");
        return true;
    };
    bool lanciata = false;
    try {
        clienti::salva(db.conn(), 1, true, true, postaPoiGuasto);
    } catch (const db::DbError &) {
        lanciata = true;
    }
    QVERIFY(lanciata);
    QCOMPARE(formato(db, 10), QString("FPR12"));
    QCOMPARE(db.scalar("select NominativoDocumenti from Clienti where Id = 1").toString(), QString("Rossi Srl"));
    // Accepted: format, row and name in every table.
    auto esito = clienti::salva(db.conn(), 1, true, true, [&db] {
        db.conn().execute("update Clienti set PubblicaAmministrazione = True, NominativoDocumenti = 'Rossi Spa' where Id = 1");
        return true;
    });
    QVERIFY(esito.salvato);
    QCOMPARE(esito.documentiRiformattati, 2);
    QCOMPARE(esito.propagazione.documenti, 3);
    QCOMPARE(formato(db, 10), QString("FPA12"));
    QCOMPARE(nomi(db, "prezziar", 1), QStringList({"Rossi Spa"}));
    // Without a change of name the copies are not touched.
    db.conn().execute("update prezziar set Cliente = 'scritto a mano' where Cliente_ID = 1");
    esito = clienti::salva(db.conn(), 1, true, false, [] { return true; });
    QCOMPARE(esito.documentiRiformattati, 0);
    QCOMPARE(nomi(db, "prezziar", 1), QStringList({"scritto a mano"}));
}

void TestServiziClienti::eliminaCategoria()
{
    TestDatabase db(TestDatabase::WithSchema);
    auto &c = db.conn();
    c.execute("insert into ClientiCategoria (ID, Descrizione, ColoreCategoria) values (1, 'Officine', 255), (2, 'Enti', 65535)");
    c.execute("insert into Clienti (Id, Categoria_ID, ColoreCategoria) values (1, 1, 255), (2, 1, 255), (3, 2, 65535)");
    QCOMPARE(clienti::eliminaCategoria(c, 1), 2);
    QCOMPARE(db.scalar("select count(*) from ClientiCategoria").toInt(), 1);
    QCOMPARE(db.scalar("select count(*) from Clienti where Categoria_ID = 1 and ColoreCategoria is null").toInt(), 2);
    QCOMPARE(db.scalar("select ColoreCategoria from Clienti where Id = 3").toInt(), 65535);
}

void TestServiziClienti::capEcategorie()
{
    TestDatabase db(TestDatabase::WithSchema);
    auto &c = db.conn();
    c.execute("insert into Comuni (ID, Comune, Provincia) values (900001, 'Sant''Agata Prova', 'ME'), (900002, 'Borgo Prova', 'MI')");
    c.execute("insert into Indirizzi (Comune_ID, Cap, Frazione, Indirizzo) values (900001, '98076', 'Centro', 'Via Roma'), "
              "(900002, '20010', 'Nord', 'Via Po'), (900002, '20011', 'Sud', 'Via Adda')");
    QCOMPARE(clienti::capDelComune(c, "Sant'Agata Prova"), QStringList({"98076"}));
    QCOMPARE(clienti::capDelComune(c, "Borgo Prova").size(), 2);
    QCOMPARE(clienti::capDelComune(c, "Nessun Comune").size(), 0);
    c.execute("insert into ClientiCategoria (ID, Descrizione) values (5, 'Officine d''Italia'), (6, 'Città')");
    QCOMPARE(clienti::idCategoria(c, "Officine d'Italia").value_or(0), 5);
    QCOMPARE(clienti::idCategoria(c, "Città").value_or(0), 6);
    QVERIFY(!clienti::idCategoria(c, "officine d'italia")); // the search names it exactly
    QVERIFY(!clienti::idCategoria(c, "Officine"));
}
