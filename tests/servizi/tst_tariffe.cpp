#include "tst_tariffe.h"

#include "db/DbError.h"
#include "db/Query.h"
#include "masterdata/services/Tariffe.h"
#include "support/TestCore.h"

#include <QTest>

using namespace testing_support;

namespace {

// Four tariffs: 100 at 22%, 100 at 22% with 10% discount, 33.33 at 22%, 50 without VAT rate.
void listino(TestDatabase &db)
{
    auto &c = db.conn();
    c.execute(QStringLiteral("insert into prezziar (Id, Descrizione, Prezzo, PrezzoCompleto, AliquotaIva, Sconto) "
                             "values (1, 'Traino', 100, 122, 22, 0)"));
    c.execute(QStringLiteral("insert into prezziar (Id, Descrizione, Prezzo, PrezzoCompleto, AliquotaIva, Sconto) "
                             "values (2, 'Traino scontato', 100, 109.8, 22, 10)"));
    c.execute(QStringLiteral("insert into prezziar (Id, Descrizione, Prezzo, PrezzoCompleto, AliquotaIva, Sconto) "
                             "values (3, 'Custodia', 33.33, 40.66, 22, 0)"));
    c.execute(QStringLiteral("insert into prezziar (Id, Descrizione, Prezzo, PrezzoCompleto, AliquotaIva, Sconto) "
                             "values (4, 'Soccorso', 50, 61, Null, 0)"));
}

// "Prezzo/PrezzoCompleto" of a tariff, in cents, so that no float comparison hides a cent.
QString prezzi(TestDatabase &db, int id)
{
    db::Query q(&db.conn());
    q.setSql(QStringLiteral("select Prezzo, PrezzoCompleto from prezziar where Id = :id"));
    q.bind(QStringLiteral(":id"), id);
    q.open();
    return QStringLiteral("%1/%2")
        .arg(qRound64(q.fieldByName(QStringLiteral("Prezzo")).asFloat() * 100))
        .arg(qRound64(q.fieldByName(QStringLiteral("PrezzoCompleto")).asFloat() * 100));
}

} // namespace

void TestServiziTariffe::scelte()
{
    QCOMPARE(tariffe::tariffeScelte({}), QString());
    QCOMPARE(tariffe::tariffeScelte({7}), QStringLiteral("where prezziar.id = 7"));
    QCOMPARE(tariffe::tariffeScelte({7, 3, 12}), QStringLiteral("where prezziar.id = 7 or prezziar.id =3 or prezziar.id =12"));
}

void TestServiziTariffe::nuoviPrezzi_data()
{
    QTest::addColumn<double>("prezzo");
    QTest::addColumn<double>("sconto");
    QTest::addColumn<double>("aliquota");
    QTest::addColumn<bool>("aumento");
    QTest::addColumn<bool>("percentuale");
    QTest::addColumn<double>("valore");
    QTest::addColumn<double>("nuovo");
    QTest::addColumn<double>("completo");
    QTest::newRow("+10%") << 100.0 << 0.0 << 22.0 << true << true << 10.0 << 110.0 << 134.2;
    QTest::newRow("+10% with 10% discount") << 100.0 << 10.0 << 22.0 << true << true << 10.0 << 110.0 << 120.78;
    QTest::newRow("+5 fixed") << 100.0 << 0.0 << 22.0 << true << false << 5.0 << 105.0 << 128.1;
    QTest::newRow("-10%") << 100.0 << 0.0 << 22.0 << false << true << 10.0 << 90.0 << 109.8;
    // 36.663: the unit price rounds to 36.66, the final price comes from 36.663 (44.72886).
    QTest::newRow("+10% of 33.33") << 33.33 << 0.0 << 22.0 << true << true << 10.0 << 36.66 << 44.73;
    QTest::newRow("lowered below 0: no VAT") << 10.0 << 0.0 << 22.0 << false << false << 15.0 << -5.0 << -5.0;
    QTest::newRow("VAT 0: rounding only") << 10.0 << 0.0 << 0.0 << true << false << 0.125 << 10.13 << 10.13;
    // Exact decimals: 61.875 less 10% at 22% is 67.93875; 10.05 at 10% is 11.055 and 60.75 at
    // 22% is 74.115, whose doubles lie below the half cent; a rate of 5.5 keeps its decimals.
    QTest::newRow("+10% of 56.25 with 10% discount") << 56.25 << 10.0 << 22.0 << true << true << 10.0 << 61.88 << 67.94;
    QTest::newRow("10.05 at 10%") << 10.05 << 0.0 << 10.0 << true << false << 0.0 << 10.05 << 11.06;
    QTest::newRow("67.50 less 10% at 22%") << 67.5 << 10.0 << 22.0 << true << false << 0.0 << 67.5 << 74.12;
    QTest::newRow("rate 5.5") << 100.0 << 0.0 << 5.5 << true << false << 0.0 << 100.0 << 105.5;
}

void TestServiziTariffe::prezzoIvato()
{
    // The tariff editor's final price: the rate with its decimals, halves on the decimal value.
    QCOMPARE(tariffe::prezzoIvato(100, 5.5), 105.5);
    QCOMPARE(tariffe::prezzoIvato(10.05, 10), 11.06);
    QCOMPARE(tariffe::prezzoIvato(30.25, 22), 36.91);
    QCOMPARE(tariffe::prezzoIvato(1.005, 0), 1.01);
    QCOMPARE(tariffe::prezzoIvato(-10, 22), -10.0);
}

void TestServiziTariffe::nuoviPrezzi()
{
    QFETCH(double, prezzo);
    QFETCH(double, sconto);
    QFETCH(double, aliquota);
    QFETCH(bool, aumento);
    QFETCH(bool, percentuale);
    QFETCH(double, valore);
    QFETCH(double, nuovo);
    QFETCH(double, completo);
    const tariffe::NuoviPrezzi n = tariffe::nuoviPrezzi(prezzo, sconto, aliquota, {aumento, percentuale, valore});
    QCOMPARE(qRound64(n.prezzo * 100), qRound64(nuovo * 100));
    QVERIFY(n.completo.has_value());
    QCOMPARE(qRound64(*n.completo * 100), qRound64(completo * 100));
    QVERIFY(!tariffe::nuoviPrezzi(prezzo, sconto, std::nullopt, {aumento, percentuale, valore}).completo);
}

void TestServiziTariffe::cambiaSelezionate()
{
    TestDatabase db(TestDatabase::WithSchema);
    listino(db);
    // Raise 1, 2, 3 and 4 by 10 percent: 4 has no VAT rate and keeps its final price.
    QCOMPARE(tariffe::cambiaPrezzi(db.conn(), {1, 2, 3, 4}, {true, true, 10}), 4);
    QCOMPARE(prezzi(db, 1), QStringLiteral("11000/13420"));
    QCOMPARE(prezzi(db, 2), QStringLiteral("11000/12078"));
    QCOMPARE(prezzi(db, 3), QStringLiteral("3666/4473"));
    QCOMPARE(prezzi(db, 4), QStringLiteral("5500/6100"));
    // Lower only 1 by the amount 5,50; the others stay.
    QCOMPARE(tariffe::cambiaPrezzi(db.conn(), {1}, {false, false, 5.5}), 1);
    QCOMPARE(prezzi(db, 1), QStringLiteral("10450/12749"));
    QCOMPARE(prezzi(db, 2), QStringLiteral("11000/12078"));
    // A tariff deleted meanwhile is passed over.
    QCOMPARE(tariffe::cambiaPrezzi(db.conn(), {99, 2}, {true, false, 1}), 1);
    QCOMPARE(prezzi(db, 2), QStringLiteral("11100/12188"));
}

void TestServiziTariffe::erroreNonCambiaNulla()
{
    TestDatabase db(TestDatabase::WithSchema);
    listino(db);
    // The database refuses the third tariff of the selection.
    if (suServer()) {
        db.exec(QStringLiteral("create function blocca_tariffa() returns trigger as $$ begin "
                               "if new.\"Id\" = 3 then raise exception 'tariffa bloccata'; end if; return new; end $$ "
                               "language plpgsql"));
        db.exec(QStringLiteral("create trigger blocca before update on prezziar for each row execute function blocca_tariffa()"));
    } else {
        db.exec(QStringLiteral("create trigger blocca before update on prezziar when new.Id = 3 "
                               "begin select raise(abort, 'tariffa bloccata'); end"));
    }
    QVERIFY_THROWS_EXCEPTION(db::DbError, tariffe::cambiaPrezzi(db.conn(), {1, 2, 3, 4}, {true, true, 10}));
    QCOMPARE(prezzi(db, 1), QStringLiteral("10000/12200"));
    QCOMPARE(prezzi(db, 2), QStringLiteral("10000/10980"));
    QCOMPARE(prezzi(db, 3), QStringLiteral("3333/4066"));
    QCOMPARE(prezzi(db, 4), QStringLiteral("5000/6100"));
    // The connection works on afterwards: the transaction is not left open.
    QCOMPARE(tariffe::cambiaPrezzi(db.conn(), {1}, {true, true, 10}), 1);
    QCOMPARE(prezzi(db, 1), QStringLiteral("11000/13420"));
}

void TestServiziTariffe::copia()
{
    TestDatabase db(TestDatabase::WithSchema);
    auto &c = db.conn();
    const QString lunga91(91, u'a'), lunga92(92, u'b');
    c.execute(QStringLiteral(
        "insert into prezziar (Codice, Descrizione, Tariffa, TipoTariffa_Id, TipoFatturazione_Id, Prezzo, PrezzoCompleto, "
        "PrezzoFornitore, Sconto, AliquotaIva, Iva_Id, Um_Id, Cliente, Cliente_ID, Reparto, Note, Annullato, PrezzoImposto, "
        "PartenzaCitta, FineCitta, Chilometri, DataInserimento) values ('T1', '%1', 'Urbano', 3, -1, 80.5, 98.21, 40, 12.5, 22, 2, "
        "4, 'Rossi d''Italia', 9, 'Officina', 'notte', True, True, 'Como', 'Milano', 48, #1/2/2020#)").arg(lunga91));
    c.execute(QStringLiteral("insert into prezziar (Codice, Descrizione) values ('T2', '%1')").arg(lunga92));
    // The server numbers the rows itself: the keys are read back.
    const qint64 primo = db.scalar(QStringLiteral("select Id from prezziar where Codice = 'T1'")).toLongLong();
    const qint64 secondo = db.scalar(QStringLiteral("select Id from prezziar where Codice = 'T2'")).toLongLong();
    const std::optional<qint64> nuovo = tariffe::copia(c, primo, QDate(2026, 12, 11));
    QVERIFY(nuovo && *nuovo != primo && *nuovo != secondo);
    db::Query q(&c);
    q.setSql(QStringLiteral("select * from prezziar where Id = :id"));
    q.bind(QStringLiteral(":id"), *nuovo);
    q.open();
    auto f = [&q](const char *n) { return q.fieldByName(QLatin1String(n)); };
    QCOMPARE(f("Descrizione").asString(), lunga91 + QStringLiteral("(COPIA)"));
    QCOMPARE(f("Codice").asString(), QStringLiteral("T1"));
    QCOMPARE(f("Tariffa").asString(), QStringLiteral("Urbano"));
    QCOMPARE(f("TipoTariffa_Id").asInteger(), 3);
    QCOMPARE(f("TipoFatturazione_Id").asInteger(), 0); // below 0 is not taken
    QCOMPARE(f("Prezzo").asFloat(), 80.5);
    QCOMPARE(f("PrezzoCompleto").asFloat(), 98.21);
    QCOMPARE(f("PrezzoFornitore").asFloat(), 40.0);
    QCOMPARE(f("Sconto").asFloat(), 12.5);
    QCOMPARE(f("AliquotaIva").asFloat(), 22.0);
    QCOMPARE(f("Iva_Id").asInteger(), 2);
    QCOMPARE(f("Um_Id").asInteger(), 4);
    QCOMPARE(f("Cliente").asString(), QStringLiteral("Rossi d'Italia"));
    QCOMPARE(f("Cliente_ID").asInteger(), 9);
    QCOMPARE(f("Reparto").asString(), QStringLiteral("Officina"));
    QCOMPARE(f("Note").asString(), QStringLiteral("notte"));
    QVERIFY(f("Annullato").asBoolean());
    QVERIFY(f("PrezzoImposto").asBoolean());
    QCOMPARE(f("DataInserimento").asDateTime().date(), QDate(2026, 12, 11));
    QVERIFY(f("PartenzaCitta").isNull());
    QVERIFY(f("FineCitta").isNull());
    QCOMPARE(f("Chilometri").asFloat(), 0.0);
    // 92 characters: copied unchanged.
    const std::optional<qint64> altro = tariffe::copia(c, secondo, QDate(2026, 12, 11));
    QVERIFY(altro);
    QCOMPARE(db.scalar(QStringLiteral("select Descrizione from prezziar where Id = %1").arg(*altro)).toString(), lunga92);
    QVERIFY(!tariffe::copia(c, 9999, QDate(2026, 12, 11)));
    QCOMPARE(db.scalar(QStringLiteral("select count(*) from prezziar")).toInt(), 4);
}
