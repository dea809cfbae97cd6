#include "tst_preventivifattura.h"

#include "db/Query.h"
#include "sales/services/PreventiFattura.h"
#include "sales/services/Preventivi.h"
#include "sales/services/Totali.h"
#include "support/TestCore.h"

#include <QTest>
#include <stdexcept>

using namespace testing_support;

namespace {

// Invoice 1 (customer 5) with one row of its own; quote 12 (number 7, customer 5) with rows of
// kinds N, T and S (out of order, to show the order by NumeroRiga); quote 13 of customer 5
// already invoiced, quote 14 of customer 6, quote 15 without a customer.
void fixture(db::Connection &c)
{
    c.execute("update opzioni set conto_ID_Predefinito_su_FattureVendita_Generale = 101, "
              "conto_ID_Predefinito_su_FattureVendita_SpeseTrasporto = 102, "
              "conto_ID_Predefinito_su_FattureVendita_SpeseIncasso = 103, IncrementaNumeroRigaArticoli = true");
    c.execute("insert into fattura (ID, Num, Cliente_ID, Data) values (1, 1, 5, #3/10/2026#)");
    c.execute("insert into fattdett (NumFatt, NumeroRiga, TipoRiga, Descrizione, Um, ValoreUnitario, AliquotaIva) "
              "values (1, 1, 'A', 'Riga propria', 1, 10, 22)");
    c.execute("insert into PreventiTestata (ID, Numero, Cliente_ID, Data) values (12, 7, 5, #2/20/2026#)");
    c.execute("insert into PreventiTestata (ID, Numero, Cliente_ID, Data, Fatturato) values (13, 8, 5, #2/21/2026#, true)");
    c.execute("insert into PreventiTestata (ID, Numero, Cliente_ID, Data) values (14, 9, 6, #2/22/2026#)");
    c.execute("insert into PreventiTestata (ID, Numero, Cliente_ID, Data) values (15, 10, 0, #2/23/2026#)");
    c.execute("insert into PreventiRighe (Prev_ID, NumeroRiga, TipoRiga, Descrizione, Um, ValoreUnitario, Sconto, "
              "TotaleImponibile, ValoreTotale, AliquotaIva, Iva_ID, Articolo_ID, Codice, Reparto, Scaffale, Data, "
              "DataInizioPeriodo, RiferimentoAmministrazione) values "
              "(12, 2, 'T', 'Trasporto', 1, 50, 0, 50, 61, 22, 3, 0, 'TR', 'Officina', 'S1', #2/20/2026#, #2/1/2026#, 'RIF-1')");
    c.execute("insert into PreventiRighe (Prev_ID, NumeroRiga, TipoRiga, Descrizione, Um, ValoreUnitario, Sconto, "
              "TotaleImponibile, ValoreTotale, AliquotaIva, Iva_ID, Articolo_ID, Codice) values "
              "(12, 1, 'N', 'Traino', 2, 100, 10, 180, 219.6, 22, 3, 44, 'TRA')");
    c.execute("insert into PreventiRighe (Prev_ID, NumeroRiga, TipoRiga, Descrizione, Um, ValoreUnitario, AliquotaIva) "
              "values (12, 3, 's', 'Incasso', 1, 2.5, 10.5)");
    c.execute("insert into PreventiRighe (Prev_ID, NumeroRiga, TipoRiga, Descrizione, Um, ValoreUnitario) "
              "values (14, 1, 'N', 'Altro cliente', 1, 1)");
}

// The rows copied from quote 12, one text each.
QStringList righeCopiate(db::Connection &c)
{
    db::Query q(&c);
    q.setSql("select * from fattdett where Prev_ID = 12 order by NumeroRiga");
    q.open();
    QStringList righe;
    for (q.first(); !q.eof(); q.next()) {
        QStringList v;
        for (const char *col : {"NumFatt", "NumeroRiga", "TipoRiga", "Descrizione", "Um", "ValoreUnitario", "Sconto",
                                "TotaleImponibile", "ValoreTotale", "AliquotaIva", "Iva_ID", "Articolo_ID", "Codice",
                                "Reparto", "Scaffale", "Data", "DataInizioPeriodo", "RiferimentoAmministrazione",
                                "ContabilitaConti_ID", "Note", "Storico"})
            v << q.fieldByName(col).asString();
        righe << v.join('|');
    }
    return righe;
}

} // namespace

void TestServiziPreventiviFattura::importaRigheNTS()
{
    CoreSeams seams;
    TestDatabase d(TestDatabase::WithSchema);
    fixture(d.conn());
    const vendite::ImportazionePreventivo esito = vendite::importaPreventivo(d.conn(), 1, 12, false);
    QCOMPARE(esito.righeCopiate, 3);
    QCOMPARE(esito.righeSostituite, 0);
    // Numbers after the invoice's own row; each kind on its account; empty values stay empty.
    QCOMPARE(righeCopiate(d.conn()),
             QStringList({"1|2|N|Traino|2|100|10|180|219,6|22|3|44|TRA||||||101|Preventivo numero 7|False",
                          "1|3|T|Trasporto|1|50|0|50|61|22|3|0|TR|Officina|S1|20/02/2026|01/02/2026|RIF-1|102|Preventivo numero 7|False",
                          "1|4|s|Incasso|1|2,5|0|2,5|2,76|10,5|0|0|||||||103|Preventivo numero 7|False"}));
    QCOMPARE(d.scalar("select Fatturato from PreventiTestata where ID = 12").toInt(), 1);
    QCOMPARE(d.scalar("select count(*) from FatturaPreventiviRighe").toInt(), 1);
    db::Query link(&d.conn());
    link.setSql("select * from FatturaPreventiviRighe");
    link.open();
    QCOMPARE(link.fieldByName("Id").asLargeInt(), esito.idCollegamento);
    QCOMPARE(link.fieldByName("Fattura_ID").asLargeInt(), 1ll);
    QCOMPARE(link.fieldByName("Preventivo_Id").asLargeInt(), 12ll);
    QCOMPARE(link.fieldByName("Numero").asLargeInt(), 7ll);
    QCOMPARE(link.fieldByName("Data").asString(), QString("20/02/2026"));
    // The invoice's own row is untouched; nothing of the other customer's quote came.
    QCOMPARE(d.scalar("select count(*) from fattdett").toInt(), 4);
    QCOMPARE(d.scalar("select Descrizione from fattdett where Prev_ID = 0").toString(), QString("Riga propria"));
}

// A quote and the invoice made from it have the same totals and VAT summary, by the one rule;
// a row whose stored gross does not follow its discount gets the gross of its own values.
void TestServiziPreventiviFattura::stessiTotali()
{
    CoreSeams seams;
    TestDatabase d(TestDatabase::WithSchema);
    db::Connection &c = d.conn();
    c.execute("insert into fattura (ID, Num, Cliente_ID, Data) values (2, 2, 5, #3/10/2026#)");
    c.execute("insert into PreventiTestata (ID, Numero, Cliente_ID, Data) values (20, 11, 5, #2/20/2026#)");
    c.execute("insert into PreventiRighe (Prev_ID, NumeroRiga, TipoRiga, Descrizione, Um, ValoreUnitario, Sconto, "
              "TotaleImponibile, ValoreTotale, AliquotaIva) values "
              "(20, 1, 'N', 'Custodia', 1, 10.05, 0, 10.05, 11.06, 10), "
              "(20, 2, 'N', 'Traino', 1, 67.5, 10, 60.75, 82.35, 22), "
              "(20, 3, 'N', 'Recupero', 1, 30.25, 0, 30.25, 36.91, 22)");
    const vendite::Totali preventivo = vendite::calcolaTotaliPreventivo(c, 20);
    vendite::importaPreventivo(c, 2, 20, false);
    const vendite::Totali fattura = vendite::calcolaTotaliFattura(c, 2);
    for (const vendite::Totali &t : {preventivo, fattura}) {
        QCOMPARE(t.imponibile, 101.05);
        QCOMPARE(t.imposta, 21.03);
        QCOMPARE(t.totale, 122.08);
        QCOMPARE(t.riepilogo.size(), 2);
        QCOMPARE(t.riepilogo[0].imposta, 1.01);
        QCOMPARE(t.riepilogo[1].imponibile, 91.0);
        QCOMPARE(t.riepilogo[1].imposta, 20.02);
    }
    // The copied row of 67.50 less 10% is 74.12 gross, not the 82.35 the quote row carried.
    QCOMPARE(d.scalar("select ValoreTotale from fattdett where NumFatt = 2 and Descrizione = 'Traino'").toDouble(), 74.12);
}

void TestServiziPreventiviFattura::numeroRigaDaOpzione_data()
{
    QTest::addColumn<bool>("incrementa");
    QTest::addColumn<bool>("storico");
    QTest::addColumn<QString>("numeri");
    QTest::addColumn<QString>("storici");
    QTest::newRow("option on") << true << false << "2,3,4" << "0,0,0";
    QTest::newRow("option off: every row 1") << false << false << "1,1,1" << "0,0,0";
    QTest::newRow("while browsing history") << true << true << "2,3,4" << "1,1,1";
}

void TestServiziPreventiviFattura::numeroRigaDaOpzione()
{
    QFETCH(bool, incrementa);
    QFETCH(bool, storico);
    QFETCH(QString, numeri);
    QFETCH(QString, storici);
    CoreSeams seams;
    TestDatabase d(TestDatabase::WithSchema);
    fixture(d.conn());
    d.conn().execute("update opzioni set IncrementaNumeroRigaArticoli = :v", {{":v", incrementa}});
    vendite::importaPreventivo(d.conn(), 1, 12, storico);
    db::Query q(&d.conn());
    q.setSql("select NumeroRiga, Storico from fattdett where Prev_ID = 12 order by Idx");
    q.open();
    QStringList n, s;
    for (q.first(); !q.eof(); q.next()) {
        n << q.fieldByName("NumeroRiga").asString();
        s << QString::number(q.fieldByName("Storico").asInteger());
    }
    QCOMPARE(n.join(','), numeri);
    QCOMPARE(s.join(','), storici);
}

void TestServiziPreventiviFattura::importaDiNuovoSostituisce()
{
    CoreSeams seams;
    TestDatabase d(TestDatabase::WithSchema);
    fixture(d.conn());
    vendite::importaPreventivo(d.conn(), 1, 12, false);
    // The flag cleared elsewhere, the quote is imported a second time: it replaces, never adds.
    d.conn().execute("update PreventiTestata set Fatturato = false where ID = 12");
    const vendite::ImportazionePreventivo esito = vendite::importaPreventivo(d.conn(), 1, 12, false);
    QCOMPARE(esito.righeSostituite, 3);
    QCOMPARE(esito.righeCopiate, 3);
    QCOMPARE(d.scalar("select count(*) from fattdett where Prev_ID = 12").toInt(), 3);
    QCOMPARE(d.scalar("select count(*) from FatturaPreventiviRighe").toInt(), 1);
    QCOMPARE(d.scalar("select Id from FatturaPreventiviRighe").toLongLong(), esito.idCollegamento);
    QCOMPARE(d.scalar("select Fatturato from PreventiTestata where ID = 12").toInt(), 1);
    // The numbers continue after the rows left: the invoice's own.
    QCOMPARE(d.scalar("select min(NumeroRiga) from fattdett where Prev_ID = 12").toInt(), 2);
}

void TestServiziPreventiviFattura::annullaRipristina()
{
    CoreSeams seams;
    TestDatabase d(TestDatabase::WithSchema);
    fixture(d.conn());
    const auto importato = vendite::importaPreventivo(d.conn(), 1, 12, false);
    const vendite::AnnullamentoPreventivo esito = vendite::annullaPreventivo(d.conn(), importato.idCollegamento);
    QCOMPARE(esito.idPreventivo, 12ll);
    QCOMPARE(esito.righeEliminate, 3);
    QCOMPARE(d.scalar("select Fatturato from PreventiTestata where ID = 12").toInt(), 0);
    QCOMPARE(d.scalar("select count(*) from FatturaPreventiviRighe").toInt(), 0);
    QCOMPARE(d.scalar("select count(*) from fattdett").toInt(), 1);
    // The quote is offered again.
    db::Query q(&d.conn());
    q.setSql(vendite::sqlPreventiDaFatturare(5));
    q.open();
    QVERIFY(q.locate("Id", 12));
}

void TestServiziPreventiviFattura::annullaCollegamentoInesistente()
{
    CoreSeams seams;
    TestDatabase d(TestDatabase::WithSchema);
    fixture(d.conn());
    vendite::importaPreventivo(d.conn(), 1, 12, false);
    const vendite::AnnullamentoPreventivo esito = vendite::annullaPreventivo(d.conn(), 999);
    QCOMPARE(esito.idPreventivo, 0ll);
    QCOMPARE(d.scalar("select count(*) from fattdett where Prev_ID = 12").toInt(), 3);
    QCOMPARE(d.scalar("select Fatturato from PreventiTestata where ID = 12").toInt(), 1);
}

void TestServiziPreventiviFattura::importaFatturaOPreventivoInesistente()
{
    CoreSeams seams;
    TestDatabase d(TestDatabase::WithSchema);
    fixture(d.conn());
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, vendite::importaPreventivo(d.conn(), 1, 99, false));
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, vendite::importaPreventivo(d.conn(), 99, 12, false));
    // Nothing was left half done.
    QCOMPARE(d.scalar("select count(*) from FatturaPreventiviRighe").toInt(), 0);
    QCOMPARE(d.scalar("select count(*) from fattdett").toInt(), 1);
    QCOMPARE(d.scalar("select Fatturato from PreventiTestata where ID = 12").toInt(), 0);
}

void TestServiziPreventiviFattura::elencoPreventivi()
{
    CoreSeams seams;
    TestDatabase d(TestDatabase::WithSchema);
    fixture(d.conn());
    auto elenco = [&](qint64 cliente) {
        db::Query q(&d.conn());
        q.setSql(vendite::sqlPreventiDaFatturare(cliente));
        q.open();
        QStringList s;
        for (q.first(); !q.eof(); q.next()) s << q.fieldByName("Id").asString() + " " + q.fieldByName("Scelta").asString();
        return s;
    };
    // The customer's quotes not invoiced, with the same text on both engines.
    QCOMPARE(elenco(5), QStringList({"12 numero 7 Data: 20/02/2026"}));
    QCOMPARE(elenco(6), QStringList({"14 numero 9 Data: 22/02/2026"}));
    // No customer, no quotes: not even those that have none.
    QCOMPARE(elenco(0), QStringList());
    vendite::importaPreventivo(d.conn(), 1, 12, false);
    QCOMPARE(elenco(5), QStringList());
}

void TestServiziPreventiviFattura::eliminaScadenzaConPrimaNota_data()
{
    QTest::addColumn<bool>("opzione");
    QTest::addColumn<int>("movimentiRestanti");
    QTest::newRow("option on: the payment goes too") << true << 2;
    QTest::newRow("option off: only the instalment") << false << 3;
}

void TestServiziPreventiviFattura::eliminaScadenzaConPrimaNota()
{
    QFETCH(bool, opzione);
    QFETCH(int, movimentiRestanti);
    CoreSeams seams;
    TestDatabase d(TestDatabase::WithSchema);
    fixture(d.conn());
    d.conn().execute("update opzioni set DuplicaFatturazioneInPrimaNota = :v", {{":v", opzione}});
    d.conn().execute("insert into FatturaScadenze (Id, Fattura_ID, Numero, Importo, DataPagamento, Pagato) values "
                     "(1, 1, 1, 50, #3/12/2026#, true), (2, 1, 2, 72, null, false)");
    // The document's row, the payment of instalment 1, a row of another instalment.
    d.conn().execute("insert into finanzia (ID, Tipo, Fattura_ID, FatturaScadenze_Id, Entrata, Uscita) values "
                     "(1, '1', 1, 0, 122, 0), (2, 'A', 1, 1, 0, 50), (3, 'A', 1, 2, 0, 72)");
    const vendite::EliminazioneScadenza esito = vendite::eliminaScadenza(d.conn(), 1);
    QCOMPARE(esito.scadenze, 1);
    QCOMPARE(esito.movimenti, opzione ? 1 : 0);
    QCOMPARE(d.scalar("select count(*) from FatturaScadenze").toInt(), 1);
    QCOMPARE(d.scalar("select Importo from FatturaScadenze where Id = 2").toDouble(), 72.0);
    QCOMPARE(d.scalar("select count(*) from finanzia").toInt(), movimentiRestanti);
    QCOMPARE(d.scalar("select count(*) from finanzia where FatturaScadenze_Id = 1").toInt(), opzione ? 0 : 1);
}
