#include "tst_scadenziario.h"

#include "accounting/services/Scadenziario.h"
#include "db/DbError.h"
#include "db/Query.h"
#include "support/TestCore.h"

#include <QTest>

using namespace testing_support;
using scadenziario::Vista;

Q_DECLARE_METATYPE(scadenziario::Vista)

namespace {

// Customers 1 "Bar Roma" and 2 "D'Angelo"; suppliers 1 "Petroli Sud" and 2 "Ricambi"; an invoice
// (10), a credit note (11), a purchase invoice (12) and a supplier credit note (13). Instalments:
//  1 F  due 10/03/2026 open         customer 1, method "Bonifico"
//  2 F  due 20/03/2026 paid 12/03   customer 1
//  3 N  due 01/03/2026 open         customer 2, details "rimborso"
//  4 N  due 05/03/2026 paid 06/03   customer 2
//  5 C  due 31/03/2026 open         supplier 1, method "Contanti"
//  6 C  due 15/02/2026 paid 15/02   supplier 1
//  7 B  due 01/04/2026 open         supplier 2
//  8 B  due 02/03/2026 paid 03/03   supplier 2
void archivio(TestDatabase &db)
{
    db::Connection &c = db.conn();
    c.execute("insert into Clienti (Id, NominativoVisualizzato) values (1, 'Bar Roma'), (2, 'D''Angelo')");
    c.execute("insert into Fornitor (Id, Fornitore) values (1, 'Petroli Sud'), (2, 'Ricambi')");
    c.execute("insert into ModPagamento (id, Descrizione) values (1, 'Bonifico'), (2, 'Contanti')");
    c.execute("insert into Bank (Id, Banca, Iban) values (1, 'Banca Uno', 'IT60X0542811101000000123456')");
    c.execute("insert into fattura (ID, Num, Data, SerieFatturazione, Carico, FattNota, Cliente_ID, Fornitore_ID) values "
              "(10, 7, #3/1/2026#, 'A', false, false, 1, 0), (11, 8, #3/2/2026#, '', false, true, 2, 0), "
              "(12, 30, #2/1/2026#, '', true, false, 0, 1), (13, 31, #2/2/2026#, '', true, true, 0, 2)");
    c.execute("insert into FatturaScadenze (Id, Numero, Tipo, Fattura_ID, Cliente_id, Fornitore_id, DataScadenza, DataPagamento, "
              "Pagato, Importo, Operazione, ModPagamento_Id, Banca_ID, Dettagli) values "
              "(1, 1, 'F', 10, 1, null, #3/10/2026#, null, false, 100, 'Rata fattura 7', 1, 1, null),"
              "(2, 2, 'F', 10, 1, null, #3/20/2026#, #3/12/2026#, true, 50, 'Rata fattura 7', 1, 1, 'bonifico ricevuto'),"
              "(3, 1, 'N', 11, 2, null, #3/1/2026#, null, false, 30, 'Nota 8', 2, null, 'rimborso'),"
              "(4, 2, 'N', 11, 2, null, #3/5/2026#, #3/6/2026#, true, 20, 'Nota 8', 2, null, null),"
              "(5, 1, 'C', 12, null, 1, #3/31/2026#, null, false, 400, 'Gasolio', 2, null, null),"
              "(6, 2, 'C', 12, null, 1, #2/15/2026#, #2/15/2026#, true, 200, 'Gasolio', 2, null, null),"
              "(7, 1, 'B', 13, null, 2, #4/1/2026#, null, false, 15, 'Reso', 1, null, null),"
              "(8, 2, 'B', 13, null, 2, #3/2/2026#, #3/3/2026#, true, 5, 'Reso', 1, null, null)");
}

void opzione(TestDatabase &db, bool duplica)
{
    db.conn().execute("update opzioni set DuplicaFatturazioneInPrimaNota = :d", {{":d", duplica}});
}

QList<int> ids(TestDatabase &db, const QString &sql, const QString &filtro = QString())
{
    db::Query q(&db.conn());
    q.setSql(sql);
    q.open();
    if (!filtro.isEmpty()) q.setFilter(filtro);
    QList<int> l;
    for (q.first(); !q.eof(); q.next()) l << q.fieldByName("Id").asInteger();
    return l;
}

// An instalment as "paid|payment date|Finanzia_id|amount" and its cash-book rows as
// "ID:Tipo:Data:Entrata:Uscita:Cliente:Fornitore:Mod:Banca:Fattura" ("-" for null).
QString valore(const db::Field &f)
{
    if (f.isNull()) return QStringLiteral("-");
    return f.asString();
}

QString scadenza(TestDatabase &db, qint64 id)
{
    db::Query q(&db.conn());
    q.setSql("select * from FatturaScadenze where Id = :id");
    q.bind(":id", id);
    q.open();
    return QStringList{valore(q.fieldByName("Pagato")), valore(q.fieldByName("DataPagamento")), valore(q.fieldByName("Finanzia_id")),
                       valore(q.fieldByName("Importo"))}
        .join(u'|');
}

QStringList righe(TestDatabase &db, qint64 id)
{
    db::Query q(&db.conn());
    q.setSql("select * from finanzia where FatturaScadenze_Id = :id order by ID");
    q.bind(":id", id);
    q.open();
    QStringList l;
    for (q.first(); !q.eof(); q.next()) {
        QStringList c;
        for (const char *campo : {"ID", "Tipo", "Data", "Entrata", "Uscita", "Cliente_id", "Fornitore_id", "ModPagamento_Id",
                                  "Banca_ID", "Fattura_ID", "Storico", "Corrispettivi"})
            c << valore(q.fieldByName(campo));
        l << c.join(u':');
    }
    return l;
}

// What the editor's post does: the row as the user left it.
std::function<bool()> posta(TestDatabase &db, qint64 id, const QVariant &pagamento, double importo)
{
    return [&db, id, pagamento, importo] {
        db.conn().execute("update FatturaScadenze set DataPagamento = :d, Importo = :i where Id = :id",
                          {{":d", pagamento}, {":i", importo}, {":id", id}});
        return true;
    };
}

} // namespace

void TestServiziScadenziario::viste_data()
{
    QTest::addColumn<Vista>("vista");
    QTest::addColumn<QList<int>>("attese"); // in due-date order
    QTest::addColumn<QString>("titolo");
    QTest::newRow("open, customers: invoices and credit notes") << Vista::ScadenzeClienti << QList<int>{3, 1} << "Scadenziario Clienti";
    QTest::newRow("paid, customers") << Vista::PagamentiClienti << QList<int>{4, 2} << "Pagamenti Clienti";
    QTest::newRow("open, suppliers") << Vista::ScadenzeFornitori << QList<int>{5, 7} << "Scadenziario Fornitori";
    QTest::newRow("paid, suppliers: the credit note only here") << Vista::PagamentiFornitori << QList<int>{6, 8}
                                                                << "Pagamenti Fornitori";
}

void TestServiziScadenziario::viste()
{
    QFETCH(Vista, vista);
    QFETCH(QList<int>, attese);
    QFETCH(QString, titolo);
    CoreSeams seams;
    TestDatabase db(TestDatabase::WithSchema);
    QCOMPARE(ids(db, scadenziario::sqlVista(vista)), QList<int>{});
    archivio(db);
    QCOMPARE(ids(db, scadenziario::sqlVista(vista)), attese);
    QCOMPARE(scadenziario::titoloVista(vista), titolo);
    QCOMPARE(scadenziario::vistaFornitori(vista), vista == Vista::ScadenzeFornitori || vista == Vista::PagamentiFornitori);
}

void TestServiziScadenziario::filtro_data()
{
    QTest::addColumn<Vista>("vista");
    QTest::addColumn<QStringList>("caselle"); // da, a, cliente, fornitore, mod., dettagli, iban, numero, serie
    QTest::addColumn<QList<int>>("attese");
    QTest::addColumn<QString>("errore");
    const QString vuota = "  /  /    ";
    auto c = [&](std::initializer_list<QString> l) {
        QStringList s(l);
        while (s.size() < 9) s << QString();
        if (s[0].isEmpty()) s[0] = vuota;
        if (s[1].isEmpty()) s[1] = vuota;
        return s;
    };
    QTest::newRow("nothing") << Vista::ScadenzeClienti << c({}) << QList<int>{3, 1} << "";
    QTest::newRow("from a date on") << Vista::ScadenzeClienti << c({"05/03/2026"}) << QList<int>{1} << "";
    QTest::newRow("to a date, the day whole") << Vista::PagamentiClienti << c({"", "05/03/2026"}) << QList<int>{4} << "";
    QTest::newRow("both dates") << Vista::ScadenzeFornitori << c({"31/03/2026", "01/04/2026"}) << QList<int>{5, 7} << "";
    QTest::newRow("an impossible date") << Vista::ScadenzeClienti << c({"31/02/2026"}) << QList<int>{}
                                        << "Attenzione data non valida: 31/02/2026";
    QTest::newRow("a partial date") << Vista::ScadenzeClienti << c({"", "12/03/20  "}) << QList<int>{}
                                    << "Attenzione data non valida: 12/03/20";
    QTest::newRow("customer prefix, any case") << Vista::ScadenzeClienti << c({"", "", "bar"}) << QList<int>{1} << "";
    QTest::newRow("customer with an apostrophe") << Vista::ScadenzeClienti << c({"", "", "D'Ang"}) << QList<int>{3} << "";
    QTest::newRow("star alone adds nothing") << Vista::ScadenzeClienti << c({"", "", "*", "*"}) << QList<int>{3, 1} << "";
    QTest::newRow("supplier") << Vista::PagamentiFornitori << c({"", "", "", "Ric"}) << QList<int>{8} << "";
    QTest::newRow("payment method") << Vista::ScadenzeFornitori << c({"", "", "", "", "Cont"}) << QList<int>{5} << "";
    QTest::newRow("details") << Vista::ScadenzeClienti << c({"", "", "", "", "", "rimb"}) << QList<int>{3} << "";
    QTest::newRow("iban") << Vista::ScadenzeClienti << c({"", "", "", "", "", "", "IT60"}) << QList<int>{1} << "";
    QTest::newRow("document number") << Vista::ScadenzeClienti << c({"", "", "", "", "", "", "", "8"}) << QList<int>{3} << "";
    QTest::newRow("document number not a number") << Vista::ScadenzeClienti << c({"", "", "", "", "", "", "", "8 or 1=1"})
                                                  << QList<int>{} << "Attenzione numero non valido: 8 or 1=1";
    QTest::newRow("series, quote inside") << Vista::ScadenzeClienti << c({"", "", "", "", "", "", "", "", "A'"}) << QList<int>{}
                                          << "";
    QTest::newRow("series") << Vista::ScadenzeClienti << c({"", "", "", "", "", "", "", "", "a"}) << QList<int>{1} << "";
}

void TestServiziScadenziario::filtro()
{
    QFETCH(Vista, vista);
    QFETCH(QStringList, caselle);
    QFETCH(QList<int>, attese);
    QFETCH(QString, errore);
    scadenziario::CriteriRicerca c{caselle[0], caselle[1], caselle[2], caselle[3], caselle[4],
                                   caselle[5], caselle[6], caselle[7], caselle[8]};
    const scadenziario::FiltroRicerca f = scadenziario::filtroRicerca(c);
    QCOMPARE(f.errore, errore);
    if (!errore.isEmpty()) {
        QVERIFY(f.filtro.isEmpty());
        return;
    }
    CoreSeams seams;
    TestDatabase db(TestDatabase::WithSchema);
    archivio(db);
    db::Query q(&db.conn());
    q.setSql(scadenziario::sqlVista(vista));
    q.open();
    q.setFilter(f.filtro);
    QList<int> l;
    for (q.first(); !q.eof(); q.next()) l << q.fieldByName("Id").asInteger();
    QCOMPARE(l, attese);
}

void TestServiziScadenziario::scaduta_data()
{
    QTest::addColumn<bool>("pagato");
    QTest::addColumn<QDate>("scadenza");
    QTest::addColumn<bool>("attesa");
    const QDate oggi(2026, 3, 15);
    QTest::newRow("open, due yesterday") << false << oggi.addDays(-1) << true;
    QTest::newRow("open, due today") << false << oggi << false;
    QTest::newRow("open, due tomorrow") << false << oggi.addDays(1) << false;
    QTest::newRow("paid, due last year") << true << QDate(2025, 1, 1) << false;
    QTest::newRow("no due date") << false << QDate() << false;
}

void TestServiziScadenziario::scaduta()
{
    QFETCH(bool, pagato);
    QFETCH(QDate, scadenza);
    QFETCH(bool, attesa);
    QCOMPARE(scadenziario::scaduta(pagato, scadenza, QDate(2026, 3, 15)), attesa);
}

void TestServiziScadenziario::salva_data()
{
    QTest::addColumn<bool>("opzione");
    QTest::addColumn<int>("rata");
    QTest::addColumn<QDate>("pagamento");
    QTest::addColumn<double>("importo");
    QTest::addColumn<QString>("stato");
    QTest::addColumn<QStringList>("primaNota"); // ID replaced by "#"
    const QDate d(2026, 3, 14);
    const QString data = "14/03/2026";
    QTest::newRow("customer invoice paid: money in")
        << true << 1 << d << 100.0 << "True|" + data + "|#|100"
        << QStringList{"#:F:" + data + ":100:0:1:-:1:1:10:False:False"};
    QTest::newRow("purchase invoice paid: money out, no customer, no bank")
        << true << 5 << d << 400.0 << "True|" + data + "|#|400" << QStringList{"#:C:" + data + ":0:400:-:1:2:0:12:False:False"};
    QTest::newRow("customer credit note: money out")
        << true << 3 << d << 30.0 << "True|" + data + "|#|30" << QStringList{"#:N:" + data + ":0:30:2:-:2:0:11:False:False"};
    QTest::newRow("supplier credit note: money in")
        << true << 7 << d << 15.5 << "True|" + data + "|#|15,5" << QStringList{"#:B:" + data + ":15,5:0:-:2:1:0:13:False:False"};
    QTest::newRow("paid again with another amount: the same row rewritten")
        << true << 2 << QDate(2026, 3, 13) << 120.0 << "True|13/03/2026|#|120"
        << QStringList{"#:F:13/03/2026:120:0:1:-:1:1:10:False:False"};
    QTest::newRow("payment undone: its rows go") << true << 2 << QDate() << 50.0 << "False|-|-|50" << QStringList{};
    // Without the option a payment leaves Finanzia_id as it was (0 as a new row gets it).
    QTest::newRow("option off: only the paid mark") << false << 1 << d << 100.0 << "True|" + data + "|0|100" << QStringList{};
    QTest::newRow("option off, undone: the rows stay") << false << 2 << QDate() << 50.0 << "False|-|-|50"
                                                       << QStringList{"900:F:12/03/2026:50:0:1:0:1:1:10:False:False"};
}

void TestServiziScadenziario::salva()
{
    QFETCH(bool, opzione);
    QFETCH(int, rata);
    QFETCH(QDate, pagamento);
    QFETCH(double, importo);
    QFETCH(QString, stato);
    QFETCH(QStringList, primaNota);
    CoreSeams seams;
    TestDatabase db(TestDatabase::WithSchema);
    archivio(db);
    ::opzione(db, opzione);
    // Instalment 2 was paid with the option on: its row, linked both ways (and a stray second one).
    db.conn().execute("insert into finanzia (ID, Tipo, Data, Entrata, Uscita, Cliente_id, ModPagamento_Id, Banca_ID, Fattura_ID, "
                      "FatturaScadenze_Id, Storico, Corrispettivi) values (900, 'F', #3/12/2026#, 50, 0, 1, 1, 1, 10, 2, false, false)");
    db.conn().execute("update FatturaScadenze set Finanzia_id = 900 where Id = 2");
    const QStringList pagamentoDi2 = righe(db, 2);
    const scadenziario::EsitoSalvataggio e =
        scadenziario::salvaScadenza(db.conn(), rata, posta(db, rata, pagamento.isValid() ? QVariant(pagamento) : QVariant(), importo));
    QVERIFY(e.salvato);
    QCOMPARE(e.pagata, pagamento.isValid());
    QStringList trovate = righe(db, rata);
    QString s = scadenza(db, rata);
    if (opzione && pagamento.isValid()) {
        QCOMPARE(trovate.size(), 1);
        const QString id = trovate[0].section(u':', 0, 0);
        QCOMPARE(QString::number(e.rigaPrimaNota), id);
        if (rata == 2) QCOMPARE(id, QString("900")); // rewritten, never a second row
        QCOMPARE(s.section(u'|', 2, 2), id);
        s.replace("|" + id + "|", "|#|");
        trovate[0].replace(0, id.size(), "#");
    }
    QCOMPARE(s, stato);
    QCOMPARE(trovate, primaNota);
    // The other instalments and the cash book's other rows are untouched.
    QCOMPARE(scadenza(db, 4), QString("True|06/03/2026|0|20"));
    if (rata != 2) QCOMPARE(righe(db, 2), pagamentoDi2);
    QCOMPARE(db.scalar("select count(*) from finanzia").toInt(), (rata != 2 ? 1 : 0) + trovate.size());
}

void TestServiziScadenziario::salvataggioRifiutato()
{
    CoreSeams seams;
    TestDatabase db(TestDatabase::WithSchema);
    archivio(db);
    opzione(db, true);
    const scadenziario::EsitoSalvataggio e = scadenziario::salvaScadenza(db.conn(), 1, [&db] {
        db.conn().execute("update FatturaScadenze set DataPagamento = #3/14/2026#, Importo = 1 where Id = 1");
        return false; // the post was refused
    });
    QVERIFY(!e.salvato);
    QCOMPARE(scadenza(db, 1), QString("False|-|0|100"));
    QCOMPARE(db.scalar("select count(*) from finanzia").toInt(), 0);
}

void TestServiziScadenziario::secondaScritturaFallita_data()
{
    QTest::addColumn<int>("rata");
    QTest::addColumn<QDate>("pagamento");
    QTest::newRow("paying: the cash-book row refused") << 1 << QDate(2026, 3, 14);
    QTest::newRow("re-paying: its rewrite refused") << 2 << QDate(2026, 3, 13);
    QTest::newRow("undoing: its delete refused") << 2 << QDate();
}

void TestServiziScadenziario::secondaScritturaFallita()
{
    QFETCH(int, rata);
    QFETCH(QDate, pagamento);
    CoreSeams seams;
    TestDatabase db(TestDatabase::WithSchema);
    archivio(db);
    opzione(db, true);
    db.conn().execute("insert into finanzia (ID, Tipo, Data, Entrata, Uscita, Cliente_id, ModPagamento_Id, Banca_ID, Fattura_ID, "
                      "FatturaScadenze_Id) values (900, 'F', #3/12/2026#, 50, 0, 1, 1, 1, 10, 2)");
    db.conn().execute("update FatturaScadenze set Finanzia_id = 900 where Id = 2");
    // The cash book refuses every change, after the instalment has been written.
    if (suServer()) {
        db.exec("CREATE FUNCTION rifiuta_riga() RETURNS trigger AS $$ BEGIN RAISE EXCEPTION 'prima nota bloccata'; END $$ "
                "LANGUAGE plpgsql");
        db.exec("CREATE TRIGGER rifiuta BEFORE INSERT OR UPDATE OR DELETE ON finanzia FOR EACH ROW EXECUTE FUNCTION rifiuta_riga()");
    } else {
        for (const char *evento : {"INSERT", "UPDATE", "DELETE"})
            db.exec(QStringLiteral("CREATE TRIGGER rifiuta_%1 BEFORE %1 ON finanzia BEGIN SELECT RAISE(ABORT, 'prima nota bloccata'); "
                                   "END")
                        .arg(QLatin1String(evento)));
    }
    const QString prima = scadenza(db, rata);
    const QStringList righePrima = righe(db, 2);
    bool rifiutata = false;
    try {
        scadenziario::salvaScadenza(db.conn(), rata, posta(db, rata, pagamento.isValid() ? QVariant(pagamento) : QVariant(), 77));
    } catch (const db::DbError &e) {
        rifiutata = e.message().contains("prima nota bloccata");
    }
    QVERIFY(rifiutata);
    // Both tables as they were: the instalment's own post is rolled back too.
    QCOMPARE(scadenza(db, rata), prima);
    QCOMPARE(righe(db, 2), righePrima);
    QCOMPARE(db.scalar("select count(*) from finanzia").toInt(), 1);
    // Nothing is left pending on the connection.
    QCOMPARE(db.conn().execute("update FatturaScadenze set Note = 'ok' where Id = 1"), 1);
}
