#include "tst_fatture.h"

#include "db/DbError.h"
#include "db/Query.h"
#include "sales/services/Fatture.h"
#include "support/TestCore.h"

#include <QTest>

Q_DECLARE_METATYPE(vendite::CriteriFatture)

using namespace testing_support;

namespace {

// Orders of three invoices: 4 and 9 have one matching "ORD-1", 9 a second one.
void ordini(db::Connection &c)
{
    c.execute("insert into OrdiniClienti (Fattura_ID, Numero) values (4, 'ORD-12'), (9, 'XORD-1'), (9, 'ord-19'), (5, 'ALTRO')");
}

QStringList ids(db::Query &q)
{
    QStringList r;
    for (q.first(); !q.eof(); q.next()) r << q.fieldByName("ID").asString();
    return r;
}

} // namespace

void TestServiziFatture::filtro_data()
{
    QTest::addColumn<vendite::CriteriFatture>("criteri");
    QTest::addColumn<QString>("atteso");
    using K = vendite::CriteriFatture;
    QTest::newRow("nothing") << K{} << "";
    QTest::newRow("empty masks and stars") << K{.daData = "  /  /    ", .aData = "__/__/____", .daNumero = "*", .serie = "*"} << "";
    QTest::newRow("dates: the end day whole")
        << K{.daData = "01/02/2026", .aData = " 28/02/2026 "} << "Data >= #01/02/2026# and Data < #01/03/2026#";
    QTest::newRow("numbers")
        << K{.daNumero = "10", .aNumero = " 20"} << "Num >= 10 and Num <= 20";
    QTest::newRow("plate prefix, apostrophe doubled") << K{.targa = "AB'1"} << "Targa like 'AB''1*'";
    QTest::newRow("series exact, apostrophe doubled") << K{.serie = "A'B"} << "SerieFatturazione = 'A''B'";
    QTest::newRow("keys") << K{.cliente = 3, .banca = 4, .modPagamento = 5} << "Cliente_ID = 3 and Banca_ID = 4 and ModPagamento_Id = 5";
    QTest::newRow("order matching several, with from number")
        << K{.daNumero = "10", .ordine = "ord-1"} << "Num >= 10 and (ID = 4 or ID = 9)";
    QTest::newRow("order matching none: nothing shown, later conditions joined")
        << K{.daData = "01/02/2026", .daNumero = "10", .aNumero = "20", .ordine = "zzz", .cliente = 2}
        << "Id=0 and Num <= 20 and Cliente_ID = 2";
    QTest::newRow("order with an apostrophe matches nothing") << K{.ordine = "O'R"} << "Id=0";
    QTest::newRow("every box, in the order of the conditions")
        << K{.daData = "01/01/2026", .aData = "31/12/2026", .daNumero = "1", .aNumero = "9", .serie = "B", .targa = "XY",
             .ordine = "ALTRO", .cliente = 1, .banca = 2, .modPagamento = 3}
        << "Data >= #01/01/2026# and Data < #01/01/2027# and Num >= 1 and Targa like 'XY*' and (ID = 5) and Num <= 9 and "
           "Cliente_ID = 1 and SerieFatturazione = 'B' and Banca_ID = 2 and ModPagamento_Id = 3";
}

void TestServiziFatture::filtro()
{
    QFETCH(vendite::CriteriFatture, criteri);
    QFETCH(QString, atteso);
    CoreSeams seams;
    TestDatabase d(TestDatabase::WithSchema);
    ordini(d.conn());
    const vendite::FiltroFatture f = vendite::filtroRicerca(d.conn(), criteri);
    QVERIFY2(f.valido(), qPrintable(f.errore));
    QCOMPARE(f.filtro, atteso);
}

void TestServiziFatture::filtroRifiutato_data()
{
    QTest::addColumn<vendite::CriteriFatture>("criteri");
    QTest::addColumn<QString>("errore");
    QTest::addColumn<QString>("casella");
    using K = vendite::CriteriFatture;
    QTest::newRow("no such day") << K{.daData = "31/02/2026"} << "Attenzione data non valida: 31/02/2026" << "maskDaData";
    QTest::newRow("half typed") << K{.aData = "12/0_/____"} << "Attenzione data non valida: 12/0_/____" << "maskAData";
    QTest::newRow("number with letters") << K{.daNumero = "1a"} << "Attenzione numero non valido: 1a" << "txtDaNumero";
    QTest::newRow("SQL in the number") << K{.aNumero = "1 or 1=1"} << "Attenzione numero non valido: 1 or 1=1" << "txtANumero";
    QTest::newRow("first wrong box wins") << K{.aData = "99/99/9999", .daNumero = "x"} << "Attenzione data non valida: 99/99/9999"
                                          << "maskAData";
}

void TestServiziFatture::filtroRifiutato()
{
    QFETCH(vendite::CriteriFatture, criteri);
    QFETCH(QString, errore);
    QFETCH(QString, casella);
    CoreSeams seams;
    TestDatabase d(TestDatabase::WithSchema);
    const vendite::FiltroFatture f = vendite::filtroRicerca(d.conn(), criteri);
    QVERIFY(!f.valido());
    QCOMPARE(f.errore, errore);
    QCOMPARE(f.casella, casella);
    QVERIFY(f.filtro.isEmpty());
}

void TestServiziFatture::filtroApplicato()
{
    // The filter the boxes give is one the invoices' dataset reads as meant.
    CoreSeams seams;
    TestDatabase d(TestDatabase::WithSchema);
    d.conn().execute("insert into fattura (ID, Num, Data, Targa, SerieFatturazione) values "
                     "(1, 1, #2/1/2026#, 'AB''12', 'A'), (2, 2, '2026-02-28 18:30:00', 'AB''99', 'A'), "
                     "(3, 3, #3/1/2026#, 'AB''12', 'A'), (4, 4, #2/10/2026#, 'CD', 'B')");
    ordini(d.conn());
    db::Query q(&d.conn());
    q.setSql("select * from fattura order by Num");
    q.open();
    const auto applica = [&](const vendite::CriteriFatture &k) {
        const vendite::FiltroFatture f = vendite::filtroRicerca(d.conn(), k);
        q.setFilter(f.filtro);
        return ids(q);
    };
    QCOMPARE(applica({.daData = "01/02/2026", .aData = "28/02/2026"}), QStringList({"1", "2", "4"}));
    QCOMPARE(applica({.targa = "ab'1"}), QStringList({"1", "3"}));
    QCOMPARE(applica({.daNumero = "2", .serie = "a"}), QStringList({"2", "3"}));
    QCOMPARE(applica({.ordine = "ORD-1"}), QStringList({"4"}));
    QCOMPARE(applica({.ordine = "nessuno"}), QStringList());
}

void TestServiziFatture::dataPrecedente_data()
{
    QTest::addColumn<QString>("dataNove"); // date of invoice 9, month first
    QTest::addColumn<bool>("piuSerie");
    QTest::addColumn<QString>("serie");
    QTest::addColumn<bool>("unica"); // NumerazioneUnicaNoteCredito
    QTest::addColumn<qint64>("numero"); // typed
    QTest::addColumn<qint64>("atteso"); // 0 none
    QTest::newRow("9 later than the typed date") << "2/5/2026" << false << "" << false << 10ll << 9ll;
    QTest::newRow("9 on the same day") << "2/2/2026" << false << "" << false << 10ll << 0ll;
    QTest::newRow("9 earlier") << "1/30/2026" << false << "" << false << 10ll << 0ll;
    QTest::newRow("9 of another year") << "2/5/2025" << false << "" << false << 10ll << 0ll;
    QTest::newRow("series A: only A compared") << "2/5/2026" << true << "A" << false << 10ll << 0ll;
    QTest::newRow("series B: 9 is of B") << "2/5/2026" << true << "B" << false << 10ll << 9ll;
    QTest::newRow("joint numbering: the credit note 8 counts") << "2/5/2026" << false << "" << true << 9ll << 8ll;
    QTest::newRow("joint numbering off: credit note 8 ignored") << "2/5/2026" << false << "" << false << 9ll << 0ll;
}

void TestServiziFatture::dataPrecedente()
{
    QFETCH(QString, dataNove);
    QFETCH(bool, piuSerie);
    QFETCH(QString, serie);
    QFETCH(bool, unica);
    QFETCH(qint64, numero);
    QFETCH(qint64, atteso);
    CoreSeams seams;
    TestDatabase d(TestDatabase::WithSchema);
    d.conn().execute("update ditta set FatturazioneMultipla = :v", {{":v", piuSerie}});
    d.conn().execute("update opzioni set NumerazioneUnicaNoteCredito = :v", {{":v", unica}});
    d.conn().execute("insert into fattura (Num, Data, SerieFatturazione) values (7, #1/10/2026#, 'A'), (9, #" + dataNove + "#, 'B')");
    // A credit note numbered 8, dated later, and a purchase invoice never count unless joined.
    d.conn().execute("insert into fattura (Num, Data, FattNota) values (8, #2/20/2026#, true)");
    d.conn().execute("insert into fattura (Num, Data, Carico) values (9, #2/25/2026#, true)");
    const std::optional<qint64> n = vendite::precedenteConDataSuccessiva(d.conn(), numero, QDate(2026, 2, 2), serie);
    QCOMPARE(n.value_or(0), atteso);
}

void TestServiziFatture::eliminaConTuttoCioCheNeDipende()
{
    CoreSeams seams;
    TestDatabase d(TestDatabase::WithSchema);
    db::Connection &c = d.conn();
    // Invoice 10 with everything that hangs on it; invoice 11 with the same kinds of rows stays.
    c.execute("insert into fattura (ID, Num, Data) values (10, 1, #3/1/2026#), (11, 2, #3/2/2026#)");
    c.execute("insert into fattdett (NumFatt, NumeroRiga) values (10, 1), (10, 2), (11, 1)");
    c.execute("insert into FatturaScadenze (Id, Fattura_ID, Numero) values (100, 10, 1), (101, 10, 2), (110, 11, 1)");
    // The document's row, a payment naming the invoice, a payment naming only its instalment.
    c.execute("insert into finanzia (Fattura_ID, FatturaScadenze_Id) values (10, 0), (10, 100), (0, 101), (11, 110), (0, 0)");
    c.execute("insert into OrdiniClienti (Fattura_ID, Numero) values (10, 'O1'), (11, 'O2')");
    c.execute("insert into Fattura_Allegati (Fattura_Id, NomeAttachment) values (10, 'a.pdf'), (11, 'b.pdf')");
    c.execute("insert into PreventiTestata (ID, Numero, Fatturato) values (20, 1, true), (21, 2, true), (22, 3, true)");
    c.execute("insert into FatturaPreventiviRighe (Fattura_ID, Preventivo_Id) values (10, 20), (10, 21), (11, 22)");
    c.execute("insert into Sequestri (Id, Numero, Fatturato, Fattura_Id) values (30, 1, true, 10), (31, 2, true, 11)");

    const vendite::EsitoEliminazione e = vendite::eliminaFattura(c, 10);
    QVERIFY(e.eliminata);
    QCOMPARE(e.preventiviLiberati, 2);
    QCOMPARE(e.sequestriLiberati, 1);
    QCOMPARE(e.primaNota, 3);
    QCOMPARE(e.scadenze, 2);
    QCOMPARE(e.righe, 2);
    QCOMPARE(e.ordini, 1);
    QCOMPARE(e.allegati, 1);
    QCOMPARE(e.collegamentiPreventivi, 2);
    // Nothing points at invoice 10 any more; invoice 11 keeps all its rows.
    for (const char *sql : {"select count(*) from fattura where ID = 10", "select count(*) from fattdett where NumFatt = 10",
                            "select count(*) from FatturaScadenze where Fattura_ID = 10",
                            "select count(*) from finanzia where Fattura_ID = 10 or FatturaScadenze_Id in (100, 101)",
                            "select count(*) from OrdiniClienti where Fattura_ID = 10",
                            "select count(*) from Fattura_Allegati where Fattura_Id = 10",
                            "select count(*) from FatturaPreventiviRighe where Fattura_ID = 10",
                            "select count(*) from Sequestri where Fattura_Id = 10 or Fatturato = false and Id = 31"})
        QVERIFY2(c.scalar(QString::fromLatin1(sql)).toInt() == 0, sql);
    QCOMPARE(c.scalar("select Fatturato from Sequestri where Id = 30").toInt(), 0);
    QCOMPARE(c.scalar("select count(*) from PreventiTestata where Fatturato = true").toInt(), 1);
    QCOMPARE(c.scalar("select Fatturato from PreventiTestata where ID = 22").toInt(), 1);
    for (const char *sql : {"select count(*) from fattura where ID = 11", "select count(*) from fattdett where NumFatt = 11",
                            "select count(*) from FatturaScadenze where Fattura_ID = 11",
                            "select count(*) from finanzia where Fattura_ID = 11",
                            "select count(*) from OrdiniClienti where Fattura_ID = 11",
                            "select count(*) from Fattura_Allegati where Fattura_Id = 11",
                            "select count(*) from FatturaPreventiviRighe where Fattura_ID = 11",
                            "select count(*) from Sequestri where Fattura_Id = 11 and Fatturato = true"})
        QVERIFY2(c.scalar(QString::fromLatin1(sql)).toInt() == 1, sql);
    // The unrelated cash-book row stays.
    QCOMPARE(c.scalar("select count(*) from finanzia").toInt(), 2);
}

void TestServiziFatture::eliminaFallitaNonCambiaNulla()
{
    CoreSeams seams;
    TestDatabase d(TestDatabase::WithSchema);
    db::Connection &c = d.conn();
    c.execute("insert into fattura (ID, Num) values (10, 1)");
    c.execute("insert into fattdett (NumFatt, NumeroRiga) values (10, 1)");
    c.execute("insert into FatturaScadenze (Fattura_ID, Numero) values (10, 1)");
    // The last statement is refused: what ran before it is undone.
    if (suServer()) {
        c.executeNative("create function rifiuta() returns trigger as $$ begin raise exception 'rifiutata'; end $$ language plpgsql");
        c.executeNative("create trigger no_delete before delete on fattura for each row execute function rifiuta()");
    } else {
        c.executeNative("create trigger no_delete before delete on fattura begin select raise(abort, 'rifiutata'); end");
    }
    QVERIFY_THROWS_EXCEPTION(db::DbError, vendite::eliminaFattura(c, 10));
    QCOMPARE(c.scalar("select count(*) from fattdett").toInt(), 1);
    QCOMPARE(c.scalar("select count(*) from FatturaScadenze").toInt(), 1);
    QCOMPARE(c.scalar("select count(*) from fattura").toInt(), 1);
}
