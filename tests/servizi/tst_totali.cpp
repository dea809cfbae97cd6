#include "tst_totali.h"

#include "sales/services/Totali.h"
#include "support/TestCore.h"

#include <QTest>

using namespace testing_support;

namespace {

// One row of fattdett: quantity (null when empty), unit price, discount, VAT rate.
struct Riga {
    QString um;
    double prezzo;
    double sconto;
    double aliquota;
};

void inserisci(TestDatabase &db, qint64 fattura, const QList<Riga> &righe)
{
    for (const Riga &r : righe)
        db.conn().execute(QStringLiteral("insert into fattdett (NumFatt, Um, ValoreUnitario, Sconto, AliquotaIva) "
                                         "values (%1, %2, %3, %4, %5)")
                              .arg(fattura)
                              .arg(r.um)
                              .arg(r.prezzo, 0, 'g', 17)
                              .arg(r.sconto, 0, 'g', 17)
                              .arg(r.aliquota, 0, 'g', 17));
}

} // namespace

void TestServiziTotali::totaliDaRighe_data()
{
    QTest::addColumn<QList<Riga>>("righe");
    QTest::addColumn<double>("imponibile");
    QTest::addColumn<double>("imposta");
    QTest::newRow("two rows, one discounted") << QList<Riga>{{"2", 12.50, 10, 22}, {"1", 30, 0, 10}} << 52.50 << 7.95;
    QTest::newRow("no rows") << QList<Riga>{} << 0.0 << 0.0;
    QTest::newRow("empty quantity counts for nothing") << QList<Riga>{{"null", 100, 0, 22}, {"1", 10, 0, 22}} << 10.0 << 2.20;
    // The rate keeps its decimals (a whole-number rate taxed 5.5% as 6%).
    QTest::newRow("rate keeps its decimals") << QList<Riga>{{"1", 100, 0, 5.5}} << 100.0 << 5.50;
    QTest::newRow("sums rounded once, not per row") << QList<Riga>{{"3", 3.333, 0, 22}, {"3", 3.333, 0, 22}} << 20.0 << 4.40;
    QTest::newRow("half a cent away from zero") << QList<Riga>{{"1", 0.125, 0, 0}} << 0.13 << 0.0;
}

void TestServiziTotali::totaliDaRighe()
{
    QFETCH(QList<Riga>, righe);
    QFETCH(double, imponibile);
    QFETCH(double, imposta);
    CoreSeams seams;
    TestDatabase db(TestDatabase::WithSchema);
    inserisci(db, 7, righe);
    inserisci(db, 8, {{"1", 1000, 0, 22}}); // another invoice's row is not counted
    const vendite::Totali t = vendite::calcolaTotaliFattura(db.conn(), 7);
    QCOMPARE(t.imponibile, imponibile);
    QCOMPARE(t.imposta, imposta);
    QCOMPARE(t.totale, imponibile + imposta);
}

void TestServiziTotali::totaliScritti()
{
    CoreSeams seams;
    TestDatabase db(TestDatabase::WithSchema);
    db.conn().execute("insert into fattura (Num, TotImponibile, TotImposta, TotFattura) values (1, 1, 1, 1), (2, 5, 5, 5)");
    const qint64 id = db.scalar("select ID from fattura where Num = 1").toLongLong();
    inserisci(db, id, {{"2", 12.50, 10, 22}, {"1", 30, 0, 10}});
    const vendite::Totali t = vendite::aggiornaTotaliFattura(db.conn(), id);
    QCOMPARE(t.totale, 60.45);
    QCOMPARE(db.scalar(QString("select TotImponibile from fattura where ID = %1").arg(id)).toDouble(), 52.50);
    QCOMPARE(db.scalar(QString("select TotImposta from fattura where ID = %1").arg(id)).toDouble(), 7.95);
    QCOMPARE(db.scalar(QString("select TotFattura from fattura where ID = %1").arg(id)).toDouble(), 60.45);
    // The other invoice keeps what it had.
    QCOMPARE(db.scalar("select TotFattura from fattura where Num = 2").toDouble(), 5.0);
}
