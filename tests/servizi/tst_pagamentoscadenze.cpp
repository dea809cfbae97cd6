#include "tst_pagamentoscadenze.h"

#include "db/Query.h"
#include "sales/services/PagamentoScadenze.h"
#include "support/TestCore.h"

#include <QTest>

#include <cmath>

using namespace testing_support;
using pagamenti::Parte;

namespace {

const QString kQui = QStringLiteral("UFFICIO1");
const QString kAltra = QStringLiteral("MAGAZZINO");

qint64 documento(TestDatabase &db, bool carico, bool nota, qint64 parte)
{
    db.conn().execute(QStringLiteral("insert into fattura (Carico, FattNota, Cliente_ID, Fornitore_ID, Num, Data) values "
                                     "(:carico, :nota, :cliente, :fornitore, 1, :data)"),
                      {{":carico", carico},
                       {":nota", nota},
                       {":cliente", carico ? 0 : parte},
                       {":fornitore", carico ? parte : 0},
                       {":data", QDate(2026, 1, 10)}});
    return db.conn().lastInsertId();
}

qint64 rata(TestDatabase &db, qint64 doc, const QString &tipo, qint64 parte, double importo, const QDate &scadenza)
{
    const bool fornitore = tipo == "C" || tipo == "B";
    db.conn().execute(QStringLiteral("insert into FatturaScadenze (Fattura_ID, Cliente_id, Fornitore_id, Tipo, Importo, DataScadenza, "
                                     "Operazione, ModPagamento_Id, Banca_ID, Dettagli, Pagato) values (:doc, :cliente, :fornitore, "
                                     ":tipo, :importo, :scadenza, :op, 4, 5, 'vecchi dettagli', 0)"),
                      {{":doc", doc},
                       {":cliente", fornitore ? 0 : parte},
                       {":fornitore", fornitore ? parte : 0},
                       {":tipo", tipo},
                       {":importo", importo},
                       {":scadenza", scadenza},
                       {":op", QStringLiteral("Rata del %1").arg(scadenza.toString("dd/MM/yyyy"))}});
    return db.conn().lastInsertId();
}

void opzione(TestDatabase &db, bool duplica)
{
    db.conn().execute(QStringLiteral("update opzioni set DuplicaFatturazioneInPrimaNota = :d"), {{":d", duplica}});
}

// Customer 7: an invoice with three instalments (100 + 150 + 100), a credit note with one; customer 8 one.
struct Archivio {
    qint64 fattura = 0;
    QList<qint64> rate;
    qint64 nota = 0, altroCliente = 0;
};

Archivio archivio(TestDatabase &db)
{
    Archivio a;
    a.fattura = documento(db, false, false, 7);
    a.rate << rata(db, a.fattura, "F", 7, 100, QDate(2026, 2, 28)) << rata(db, a.fattura, "F", 7, 150, QDate(2026, 3, 31))
           << rata(db, a.fattura, "F", 7, 100, QDate(2026, 4, 30));
    a.nota = rata(db, documento(db, false, true, 7), "N", 7, 40, QDate(2026, 2, 1));
    a.altroCliente = rata(db, documento(db, false, false, 8), "F", 8, 70, QDate(2026, 2, 1));
    return a;
}

QList<qint64> aperte(TestDatabase &db, Parte parte, qint64 id)
{
    db::Query q(&db.conn());
    q.setSql(pagamenti::sqlScadenzeAperte(parte));
    q.bind(":parte", id);
    q.open();
    QList<qint64> r;
    for (q.first(); !q.eof(); q.next()) r << q.fieldByName("Id").asLargeInt();
    return r;
}

struct Stato {
    bool pagato = false, selezionata = false;
    QString pagamento, dettagli;
    qint64 modpag = 0, banca = 0, finanzia = 0;
};

Stato stato(TestDatabase &db, qint64 id)
{
    db::Query q(&db.conn());
    q.setSql("select * from FatturaScadenze where Id = :id");
    q.bind(":id", id);
    q.open();
    const db::Field p = q.fieldByName("DataPagamento");
    return {q.fieldByName("Pagato").asBoolean(), q.fieldByName("TemporaneaSelezionata").asBoolean(),
            p.isNull() ? QString() : p.asDateTime().date().toString("dd/MM/yyyy"), q.fieldByName("Dettagli").asString(),
            q.fieldByName("ModPagamento_Id").asLargeInt(), q.fieldByName("Banca_ID").asLargeInt(),
            q.fieldByName("Finanzia_id").asLargeInt()};
}

qint64 conta(TestDatabase &db, const QString &sql) { return db.scalar(sql).toLongLong(); }

} // namespace

void TestServiziPagamentoScadenze::scadenzeAperte()
{
    CoreSeams seams;
    TestDatabase db(TestDatabase::WithSchema);
    const Archivio a = archivio(db);
    // Only invoices, only the party's, by due date; a paid one is gone.
    QCOMPARE(aperte(db, Parte::Cliente, 7), a.rate);
    db.conn().execute("update FatturaScadenze set Pagato = 1 where Id = :id", {{":id", a.rate[1]}});
    QCOMPARE(aperte(db, Parte::Cliente, 7), (QList<qint64>{a.rate[0], a.rate[2]}));
    const qint64 acquisto = documento(db, true, false, 7);
    const qint64 rataAcquisto = rata(db, acquisto, "C", 7, 90, QDate(2026, 5, 1));
    rata(db, documento(db, true, true, 7), "B", 7, 10, QDate(2026, 5, 1));
    QCOMPARE(aperte(db, Parte::Fornitore, 7), QList<qint64>{rataAcquisto});
    // A customer with only a credit note's instalment has nothing to pay.
    rata(db, documento(db, false, true, 9), "N", 9, 10, QDate(2026, 5, 1));
    QVERIFY(aperte(db, Parte::Cliente, 9).isEmpty());
}

void TestServiziPagamentoScadenze::pagaDueDiTre_data()
{
    QTest::addColumn<bool>("primaNota");
    QTest::addColumn<qint64>("modpag");
    QTest::addColumn<qint64>("banca");
    QTest::addColumn<QString>("dettagli");
    QTest::newRow("mirrored, method and bank chosen") << true << qint64(2) << qint64(3) << QString("bonifico n. 12");
    QTest::newRow("mirrored, each keeps its method and bank, details cleared") << true << qint64(0) << qint64(0) << QString();
    QTest::newRow("not mirrored") << false << qint64(2) << qint64(0) << QString("contanti");
}

void TestServiziPagamentoScadenze::pagaDueDiTre()
{
    QFETCH(bool, primaNota);
    QFETCH(qint64, modpag);
    QFETCH(qint64, banca);
    QFETCH(QString, dettagli);
    CoreSeams seams;
    TestDatabase db(TestDatabase::WithSchema);
    opzione(db, primaNota);
    const Archivio a = archivio(db);
    pagamenti::preparaSelezione(db.conn(), kQui, Parte::Cliente, 7);
    QCOMPARE(pagamenti::aggiungi(db.conn(), kQui, {a.rate[0], a.rate[1]}), 2);
    QVERIFY(stato(db, a.rate[0]).selezionata);
    const pagamenti::Esito e = pagamenti::paga(db.conn(), kQui, {QDate(2026, 3, 5), modpag, banca, dettagli});
    QVERIFY(e.eseguito);
    QCOMPARE(e.scadenzePagate, (QList<qint64>{a.rate[0], a.rate[1]}));
    for (int i : {0, 1}) {
        const Stato s = stato(db, a.rate[i]);
        QVERIFY(s.pagato);
        QVERIFY(!s.selezionata);
        QCOMPARE(s.pagamento, QString("05/03/2026"));
        QCOMPARE(s.dettagli, dettagli);
        QCOMPARE(s.modpag, modpag ? modpag : 4);
        QCOMPARE(s.banca, banca ? banca : 5);
    }
    const Stato terza = stato(db, a.rate[2]);
    QVERIFY(!terza.pagato);
    QVERIFY(terza.pagamento.isEmpty());
    QCOMPARE(terza.dettagli, QString("vecchi dettagli"));
    QCOMPARE(conta(db, "select count(*) from TempFatturaScadenzeCumulativo"), 0);
    QCOMPARE(aperte(db, Parte::Cliente, 7), QList<qint64>{a.rate[2]});
    if (!primaNota) {
        QCOMPARE(conta(db, "select count(*) from finanzia"), 0);
        QVERIFY(e.righePrimaNota.isEmpty());
        return;
    }
    QCOMPARE(e.righePrimaNota.size(), 2);
    db::Query q(&db.conn());
    q.setSql("select * from finanzia order by ID");
    q.open();
    QCOMPARE(q.recordCount(), 2);
    const double importi[] = {100, 150};
    int i = 0;
    for (q.first(); !q.eof(); q.next(), ++i) {
        QCOMPARE(q.fieldByName("ID").asLargeInt(), e.righePrimaNota[i]);
        QCOMPARE(q.fieldByName("FatturaScadenze_Id").asLargeInt(), a.rate[i]);
        QCOMPARE(stato(db, a.rate[i]).finanzia, e.righePrimaNota[i]);
        QCOMPARE(q.fieldByName("Fattura_ID").asLargeInt(), a.fattura);
        QCOMPARE(q.fieldByName("Data").asDateTime().date(), QDate(2026, 3, 5));
        QCOMPARE(q.fieldByName("Entrata").asFloat(), importi[i]);
        QCOMPARE(q.fieldByName("Uscita").asFloat(), 0.0);
        QCOMPARE(q.fieldByName("Tipo").asString(), QString("F"));
        QCOMPARE(q.fieldByName("Cliente_id").asLargeInt(), 7);
        QCOMPARE(q.fieldByName("ModPagamento_Id").asLargeInt(), modpag ? modpag : 4);
        QCOMPARE(q.fieldByName("Banca_ID").asLargeInt(), banca ? banca : 5);
        QCOMPARE(q.fieldByName("Operazione").asString(),
                 QString("Rata del %1").arg(i == 0 ? "28/02/2026" : "31/03/2026"));
        QVERIFY(!q.fieldByName("Storico").asBoolean());
    }
}

// A supplier's instalment that already had its cash-book row gets that row rewritten, in Uscita.
void TestServiziPagamentoScadenze::rigaEsistenteRiscritta()
{
    CoreSeams seams;
    TestDatabase db(TestDatabase::WithSchema);
    opzione(db, true);
    const qint64 r = rata(db, documento(db, true, false, 6), "C", 6, 80.5, QDate(2026, 5, 1));
    db.conn().execute("insert into finanzia (Entrata, Uscita, FatturaScadenze_Id, Storico) values (12, 3, :r, 1)", {{":r", r}});
    const qint64 esistente = db.conn().lastInsertId();
    pagamenti::preparaSelezione(db.conn(), kQui, Parte::Fornitore, 6);
    pagamenti::aggiungi(db.conn(), kQui, {r});
    const pagamenti::Esito e = pagamenti::paga(db.conn(), kQui, {QDate(2026, 5, 2), 0, 0, QString()});
    QCOMPARE(e.righePrimaNota, QList<qint64>{esistente});
    QCOMPARE(conta(db, "select count(*) from finanzia"), 1);
    QCOMPARE(db.scalar("select Uscita from finanzia").toDouble(), 80.5);
    QCOMPARE(db.scalar("select Entrata from finanzia").toDouble(), 0.0);
    QCOMPARE(db.scalar("select Fornitore_id from finanzia").toLongLong(), 6);
    QCOMPARE(stato(db, r).finanzia, esistente);
}

void TestServiziPagamentoScadenze::dataNonValida()
{
    CoreSeams seams;
    TestDatabase db(TestDatabase::WithSchema);
    opzione(db, true);
    const Archivio a = archivio(db);
    pagamenti::aggiungi(db.conn(), kQui, {a.rate[0]});
    const pagamenti::Esito e = pagamenti::paga(db.conn(), kQui, {QDate(2026, 2, 30), 0, 0, QString()});
    QVERIFY(!e.eseguito);
    QVERIFY(e.dataNonValida);
    QVERIFY(!stato(db, a.rate[0]).pagato);
    QVERIFY(stato(db, a.rate[0]).selezionata);
    QCOMPARE(conta(db, "select count(*) from TempFatturaScadenzeCumulativo"), 1);
    QCOMPARE(conta(db, "select count(*) from finanzia"), 0);
    // An empty selection pays nothing.
    QVERIFY(!pagamenti::paga(db.conn(), kAltra, {QDate(2026, 3, 1), 0, 0, QString()}).eseguito);
}

// The cash book cannot be written: no instalment is marked paid either, the selection stays.
void TestServiziPagamentoScadenze::fallimentoNonScriveNulla()
{
    CoreSeams seams;
    TestDatabase db(TestDatabase::WithSchema);
    opzione(db, true);
    const Archivio a = archivio(db);
    pagamenti::aggiungi(db.conn(), kQui, {a.rate[0], a.rate[1]});
    db.exec("drop table finanzia");
    QVERIFY_THROWS_EXCEPTION(std::exception, pagamenti::paga(db.conn(), kQui, {QDate(2026, 3, 5), 2, 3, QString("x")}));
    for (int i : {0, 1}) {
        const Stato s = stato(db, a.rate[i]);
        QVERIFY(!s.pagato);
        QVERIFY(s.pagamento.isEmpty());
        QCOMPARE(s.dettagli, QString("vecchi dettagli"));
        QVERIFY(s.selezionata);
    }
    QCOMPARE(conta(db, "select count(*) from TempFatturaScadenzeCumulativo"), 2);
}

// Two workstations keep their selections apart; only the mark on the shared row is seen by both.
void TestServiziPagamentoScadenze::duePostazioni()
{
    CoreSeams seams;
    TestDatabase db(TestDatabase::WithSchema);
    opzione(db, false);
    const Archivio a = archivio(db);
    QCOMPARE(pagamenti::aggiungi(db.conn(), kQui, {a.rate[0], a.rate[0]}), 1);
    pagamenti::aggiungi(db.conn(), kAltra, {a.altroCliente, a.rate[2]});
    // Preparing for customer 8 empties only this workstation's selection.
    pagamenti::preparaSelezione(db.conn(), kAltra, Parte::Cliente, 8);
    QCOMPARE(conta(db, "select count(*) from TempFatturaScadenzeCumulativo where NomeComputer = 'UFFICIO1'"), 1);
    QCOMPARE(conta(db, "select count(*) from TempFatturaScadenzeCumulativo where NomeComputer = 'MAGAZZINO'"), 0);
    QVERIFY(stato(db, a.rate[0]).selezionata);
    pagamenti::aggiungi(db.conn(), kAltra, {a.rate[1], a.rate[2]});
    const qint64 rigaAltra = db.scalar("select min(id) from TempFatturaScadenzeCumulativo where NomeComputer = 'MAGAZZINO'").toLongLong();
    // One workstation cannot remove another's row.
    QVERIFY(!pagamenti::togli(db.conn(), kQui, rigaAltra));
    QVERIFY(stato(db, a.rate[1]).selezionata);
    QVERIFY(pagamenti::togli(db.conn(), kAltra, rigaAltra));
    QVERIFY(!stato(db, a.rate[1]).selezionata);
    QCOMPARE(pagamenti::togliTutte(db.conn(), kAltra), 1);
    QVERIFY(!stato(db, a.rate[2]).selezionata);
    QVERIFY(stato(db, a.rate[0]).selezionata);
    // Paying on this workstation pays only its own selection.
    pagamenti::aggiungi(db.conn(), kAltra, {a.rate[2]});
    const pagamenti::Esito e = pagamenti::paga(db.conn(), kQui, {QDate(2026, 3, 1), 0, 0, QString()});
    QCOMPARE(e.scadenzePagate, QList<qint64>{a.rate[0]});
    QVERIFY(!stato(db, a.rate[2]).pagato);
    QCOMPARE(conta(db, "select count(*) from TempFatturaScadenzeCumulativo where NomeComputer = 'MAGAZZINO'"), 1);
}
