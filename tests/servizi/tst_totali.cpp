#include "tst_totali.h"

#include "common/Rounding.h"
#include "sales/services/Totali.h"
#include "support/TestCore.h"

#include <QTest>
#include <tuple>

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
    QTest::newRow("empty quantity counts for nothing") << QList<Riga>{{"null", 100, 0, 10}, {"1", 10, 0, 22}} << 10.0 << 2.20;
    // The rate keeps its decimals (a whole-number rate taxed 5.5% as 6%).
    QTest::newRow("rate keeps its decimals") << QList<Riga>{{"1", 100, 0, 5.5}} << 100.0 << 5.50;
    QTest::newRow("sums rounded once, not per row") << QList<Riga>{{"3", 3.333, 0, 22}, {"3", 3.333, 0, 22}} << 20.0 << 4.40;
    QTest::newRow("half a cent away from zero") << QList<Riga>{{"1", 0.125, 0, 0}} << 0.13 << 0.0;
    // Amounts whose binary double lies below the half cent: the decimal value decides.
    QTest::newRow("1.005 to the cent") << QList<Riga>{{"1", 1.005, 0, 0}} << 1.01 << 0.0;
    QTest::newRow("-1.005 to the cent") << QList<Riga>{{"-1", 1.005, 0, 0}} << -1.01 << 0.0;
    QTest::newRow("10.05 at 10%") << QList<Riga>{{"1", 10.05, 0, 10}} << 10.05 << 1.01;
    QTest::newRow("30.25 at 22%") << QList<Riga>{{"1", 30.25, 0, 22}} << 30.25 << 6.66;
    QTest::newRow("67.50 less 10% at 22%") << QList<Riga>{{"1", 67.50, 10, 22}} << 60.75 << 13.37;
    QTest::newRow("eight rows of 1.005 at 22%") << QList<Riga>(8, {"1", 1.005, 0, 22}) << 8.04 << 1.77;
    QTest::newRow("quantity with decimals") << QList<Riga>{{"2.5", 0.57, 0, 22}} << 1.43 << 0.31;
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
    QCOMPARE(t.totale, common::Arrotonda2Decimali(imponibile + imposta));
    // A rate shows in the VAT summary only through a row with a quantity: an empty quantity
    // reads as no row at all, not as a row of 0.
    QStringList aliquote, attese;
    for (const vendite::RiepilogoIva &r : t.riepilogo) aliquote << QString::number(r.aliquota);
    for (const Riga &r : righe)
        if (r.um != "null" && !attese.contains(QString::number(r.aliquota))) attese << QString::number(r.aliquota);
    aliquote.sort();
    attese.sort();
    QCOMPARE(aliquote, attese);
}

void TestServiziTotali::bloccoPerAliquotaENatura()
{
    CoreSeams seams;
    TestDatabase db(TestDatabase::WithSchema);
    // Two codes of 0% exempt under different natures, and two codes of 22% without one.
    db.conn().execute("insert into Iva (Id, Iva, Descrizione, Pa_Natura_Codice) values (901, 0, 'Esente art. 10', 'N4'), "
                      "(902, 0, 'Non soggetta', 'N2.2'), (903, 22, 'Ordinaria', null), (904, 22, 'Ordinaria bis', '')");
    for (const auto &[iva, aliquota, prezzo] : QList<std::tuple<int, int, QString>>{
             {901, 0, "10.05"}, {902, 0, "20"}, {901, 0, "1.005"}, {903, 22, "30.25"}, {904, 22, "67.5"}})
        db.conn().execute(QString("insert into fattdett (NumFatt, Um, ValoreUnitario, Sconto, AliquotaIva, Iva_ID) "
                                  "values (7, 1, %1, 0, %2, %3)").arg(prezzo).arg(aliquota).arg(iva));
    const vendite::Totali t = vendite::calcolaTotaliFattura(db.conn(), 7);
    QStringList blocchi;
    for (const vendite::RiepilogoIva &r : t.riepilogo)
        blocchi << QString("%1%%2 %3: %4 + %5").arg(r.aliquota).arg(r.natura.isEmpty() ? QString() : " " + r.natura).arg(r.ivaId)
                       .arg(r.imponibile, 0, 'f', 2).arg(r.imposta, 0, 'f', 2);
    QCOMPARE(blocchi, (QStringList{"0% N2.2 902: 20.00 + 0.00", "0% N4 901: 11.06 + 0.00", "22% 903: 97.75 + 21.51"}));
    QCOMPARE(t.imponibile, 128.81);
    QCOMPARE(t.imposta, 21.51);
    QCOMPARE(t.totale, 150.32);
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
