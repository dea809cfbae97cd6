#include "tst_primanota.h"

#include "accounting/services/PrimaNota.h"
#include "support/TestCore.h"

#include <QTest>

using namespace testing_support;

namespace {

QString importo(qint64 cents) { return QString::number(double(cents) / 100.0, 'g', 17); }

// A few dozen rows of 2025 and 2026 over two banks and the three kinds of book, amounts chosen
// so that a plain sum of doubles drifts. Their sums in whole cents by the same rules are known.
struct Fixture {
    qint64 entrateTutte = 0, usciteTutte = 0;
};

void riga(TestDatabase &db, const QString &data, qint64 entrata, qint64 uscita, int banca, int tipologia)
{
    db.conn().execute(QStringLiteral("insert into finanzia (Data, Operazione, Entrata, Uscita, Banca_ID, Tipologia_ID) "
                                     "values ('%1', 'op', %2, %3, %4, %5)")
                          .arg(data, importo(entrata), importo(uscita))
                          .arg(banca)
                          .arg(tipologia));
}

} // namespace

void TestServiziPrimaNota::totaliEsattiAlCentesimo()
{
    primanota::Sommatore s;
    qint64 attesiE = 0, attesiU = 0;
    double ingenuo = 0;
    for (int i = 0; i < 10000; ++i) {
        const qint64 e = 10 + (i % 7) * 10; // 0.10 .. 0.70
        const qint64 u = (i % 3 == 0) ? 30 : 0;
        attesiE += e;
        attesiU += u;
        ingenuo += double(e) / 100.0;
        s.aggiungi(double(e) / 100.0, u ? QVariant(double(u) / 100.0) : QVariant());
    }
    QVERIFY2(ingenuo != double(attesiE) / 100.0, "the fixture must make a plain sum of doubles drift");
    QCOMPARE(s.centesimiEntrate(), attesiE);
    QCOMPARE(s.centesimiUscite(), attesiU);
    const primanota::Totali t = s.totali();
    QVERIFY(t.entrate == double(attesiE) / 100.0);
    QVERIFY(t.uscite == double(attesiU) / 100.0);
    QVERIFY(t.saldo == double(attesiE - attesiU) / 100.0);
}

void TestServiziPrimaNota::importiVuotiEArrotondati_data()
{
    QTest::addColumn<QVariant>("importo");
    QTest::addColumn<qint64>("cents");
    QTest::newRow("empty") << QVariant() << qint64(0);
    QTest::newRow("zero") << QVariant(0.0) << qint64(0);
    QTest::newRow("text not a number") << QVariant(QStringLiteral("abc")) << qint64(0);
    QTest::newRow("half a cent away from zero") << QVariant(0.125) << qint64(13);
    QTest::newRow("negative half") << QVariant(-0.125) << qint64(-13);
    QTest::newRow("large") << QVariant(12345678.91) << qint64(1234567891);
}

void TestServiziPrimaNota::importiVuotiEArrotondati()
{
    QFETCH(QVariant, importo);
    QFETCH(qint64, cents);
    QCOMPARE(primanota::centesimi(importo), cents);
}

void TestServiziPrimaNota::saldiIniziali_data()
{
    QTest::addColumn<QDate>("primoGiorno");
    QTest::addColumn<int>("banca"); // 0: the whole cash book
    QTest::addColumn<qint64>("atteso");
    // Whole book starts at 1000.00; bank 1 at 500.10, bank 2 empty (null).
    // Rows (see saldiIniziali): 2025-12-31 23:59:59, 2026-01-01 00:00:00, 2026-02-10, 2026-03-01.
    QTest::newRow("before any row") << QDate(2025, 1, 1) << 0 << qint64(100000);
    QTest::newRow("before any row, bank") << QDate(2025, 1, 1) << 1 << qint64(50010);
    QTest::newRow("bank with empty opening balance") << QDate(2025, 1, 1) << 2 << qint64(0);
    QTest::newRow("January: every row before the year, last second included") << QDate(2026, 1, 1) << 0 << qint64(100000 + 36 * 1011 - 36 * 303 + 1);
    QTest::newRow("January, bank 1 of every kind of book") << QDate(2026, 1, 1) << 1 << qint64(50010 + 12 * 1011 - 12 * 303 + 1);
    QTest::newRow("February: midnight of 1 January counts") << QDate(2026, 2, 1) << 0 << qint64(100000 + 36 * 1011 - 36 * 303 + 1 + 700);
    QTest::newRow("March: first day's rows do not count") << QDate(2026, 3, 1) << 0 << qint64(100000 + 36 * 1011 - 36 * 303 + 1 + 700 - 250);
    QTest::newRow("March, bank 2") << QDate(2026, 3, 1) << 2 << qint64(12 * 1011 - 12 * 303 - 250);
    QTest::newRow("unknown bank starts at 0") << QDate(2026, 3, 1) << 9 << qint64(0);
}

void TestServiziPrimaNota::saldiIniziali()
{
    QFETCH(QDate, primoGiorno);
    QFETCH(int, banca);
    QFETCH(qint64, atteso);
    CoreSeams seams;
    TestDatabase db(TestDatabase::WithSchema);
    db.conn().execute(QStringLiteral("update opzioni set SaldoInizialePrimaNota = 1000"));
    db.conn().execute(QStringLiteral("insert into Bank (Id, Banca, SaldoInizioAnno) values (1, 'Uno', 500.1), (2, 'Due', null)"));
    // 36 rows of 2025: 10.11 in and 3.03 out each, banks 0, 1, 2 and kinds 1, 2, 3 in turn.
    for (int i = 0; i < 36; ++i)
        riga(db, QStringLiteral("2025-%1-%2 %3:00:00").arg(i % 12 + 1, 2, 10, QChar('0')).arg(i % 28 + 1, 2, 10, QChar('0')).arg(i % 24, 2, 10, QChar('0')),
             1011, 303, i % 3, (i / 3) % 3 + 1);
    riga(db, QStringLiteral("2025-12-31 23:59:59"), 1, 0, 1, 3);
    riga(db, QStringLiteral("2026-01-01 00:00:00"), 700, 0, 0, 1);
    riga(db, QStringLiteral("2026-02-10 12:00:00"), 0, 250, 2, 2);
    riga(db, QStringLiteral("2026-03-01 00:00:00"), 99999, 0, 2, 2);
    const double saldo = banca ? primanota::saldoInizialeBanca(db.conn(), banca, primoGiorno)
                               : primanota::saldoIniziale(db.conn(), primoGiorno);
    QVERIFY2(saldo == double(atteso) / 100.0, qPrintable(QString::number(saldo, 'g', 17)));
}
