#include "tst_arithmetic.h"

#include "common/Dates.h"
#include "common/Decimale.h"
#include "db/DbError.h"
#include "common/LineArithmetic.h"
#include "common/Rounding.h"
#include "common/SqlText.h"

#include <QTest>
#include <stdexcept>

using namespace common;

void TestArithmetic::roundsToInteger_data()
{
    QTest::addColumn<double>("valore");
    QTest::addColumn<int>("atteso");
    QTest::newRow("half up") << 2.5 << 3;
    QTest::newRow("negative half away from zero") << -2.5 << -3;
    QTest::newRow("one half") << 0.5 << 1;
    QTest::newRow("minus one half") << -0.5 << -1;
    QTest::newRow("zero") << 0.0 << 0;
    QTest::newRow("below a half") << 1.4999 << 1;
    // Adding 0.5 in double would round these up to a whole number.
    QTest::newRow("just below a half") << 0.49999999999999994 << 0;
    QTest::newRow("just above minus a half") << -0.49999999999999994 << 0;
    QTest::newRow("largest count") << 2147483646.6 << 2147483647;
}

void TestArithmetic::roundsToInteger()
{
    QFETCH(double, valore);
    QFETCH(int, atteso);
    QCOMPARE(ArrotondaIntero(valore), atteso);
}

void TestArithmetic::roundsMoney_data()
{
    QTest::addColumn<double>("valore");
    QTest::addColumn<double>("atteso");
    QTest::newRow("half cent up") << 0.125 << 0.13;
    QTest::newRow("negative half cent") << -0.125 << -0.13;
    // The double of each lies below the half cent; its decimal value is on it.
    QTest::newRow("1.005") << 1.005 << 1.01;
    QTest::newRow("-1.005") << -1.005 << -1.01;
    QTest::newRow("2.675") << 2.675 << 2.68;
    QTest::newRow("1.045") << 1.045 << 1.05;
    QTest::newRow("12.345") << 12.345 << 12.35;
    QTest::newRow("0.285") << 0.285 << 0.29;
    QTest::newRow("74.115") << 74.115 << 74.12;
    QTest::newRow("zero") << 0.0 << 0.0;
    QTest::newRow("already two decimals") << 19.99 << 19.99;
    QTest::newRow("just below half a cent") << 0.004999999999999999 << 0.0;
    // Hundredths beyond a 32-bit count.
    QTest::newRow("rounds up to the 32-bit limit") << 21474836.475 << 21474836.48;
    QTest::newRow("32-bit limit") << 21474836.48 << 21474836.48;
    QTest::newRow("above the 32-bit limit") << 21474836.485 << 21474836.49;
    QTest::newRow("hundred million") << 99999999.995 << 100000000.0;
    QTest::newRow("large negative") << -30000000.005 << -30000000.01;
    QTest::newRow("a billion") << 1000000000.125 << 1000000000.13;
}

void TestArithmetic::roundsMoney()
{
    QFETCH(double, valore);
    QFETCH(double, atteso);
    QCOMPARE(Arrotonda2Decimali(valore), atteso);
}

void TestArithmetic::sqlLiterals_data()
{
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QString>("apici");
    QTest::addColumn<QString>("like");
    QTest::newRow("apostrophe") << "L'Aquila" << "L''Aquila" << "L''Aquila";
    QTest::newRow("two apostrophes") << "''" << "''''" << "''''";
    QTest::newRow("empty") << "" << "" << "";
    QTest::newRow("apostrophe and wildcard") << "Dell'*" << "Dell''*" << "Dell''%";
    QTest::newRow("wildcards") << "*ross*" << "*ross*" << "%ross%";
    QTest::newRow("plain") << "Forlì" << "Forlì" << "Forlì";
}

void TestArithmetic::sqlLiterals()
{
    QFETCH(QString, testo);
    QFETCH(QString, apici);
    QFETCH(QString, like);
    QCOMPARE(RaddoppiaApici(testo), apici);
    QCOMPARE(FiltroLike(testo), like);
}

void TestArithmetic::accessDateLiteral_data()
{
    QTest::addColumn<QString>("data");
    QTest::addColumn<QString>("atteso"); // empty: not a date
    QTest::newRow("day first") << "05/01/2024" << "1/5/2024";
    QTest::newRow("time dropped") << "31/12/2023 18:30:00" << "12/31/2023";
    QTest::newRow("time with dots dropped") << "31/12/2023 18.30.00" << "12/31/2023";
    QTest::newRow("single digits") << "3/7/2024" << "7/3/2024";
    QTest::newRow("two-digit year this century") << "25/12/24" << "12/25/2024";
    QTest::newRow("two-digit year last century") << "25/12/99" << "12/25/1999";
    QTest::newRow("four-digit year below 100") << "01/01/0029" << "";
    QTest::newRow("three-digit year below 100") << "01/01/099" << "";
    QTest::newRow("year 100") << "01/01/0100" << "1/1/100";
    QTest::newRow("no such day") << "31/02/2024" << "";
    QTest::newRow("month first is not read") << "12/31/2023" << "";
    QTest::newRow("empty") << "" << "";
    QTest::newRow("words") << "domani" << "";
}

void TestArithmetic::accessDateLiteral()
{
    QFETCH(QString, data);
    QFETCH(QString, atteso);
    if (atteso.isEmpty()) QVERIFY_THROWS_EXCEPTION(std::invalid_argument, DataSql(data));
    else QCOMPARE(DataSql(data), atteso);
}

void TestArithmetic::rowAmounts_data()
{
    QTest::addColumn<bool>("arrotonda");
    QTest::addColumn<double>("quantita");
    QTest::addColumn<double>("prezzo");
    QTest::addColumn<double>("iva");
    QTest::addColumn<QList<double>>("sconti");
    QTest::addColumn<double>("netto");
    QTest::addColumn<double>("imposta");
    QTest::addColumn<double>("ivato");
    QTest::addColumn<double>("sconto");
    const QList<double> nessuno{0, 0, 0, 0};
    QTest::newRow("two discounts") << true << 2.0 << 50.0 << 22.0 << QList<double>{10, 10, 0, 0} << 81.0 << 17.82 << 98.82 << 19.0;
    QTest::newRow("four cascaded discounts")
        << true << 1.0 << 1000.0 << 22.0 << QList<double>{10, 10, 10, 10} << 656.1 << 144.34 << 800.44 << 343.9;
    QTest::newRow("unrounded") << false << 3.0 << 0.333 << 10.0 << nessuno << 0.999 << 0.0999 << 1.0989 << 0.0;
    // The gross total is rounded once: 0.15, not 0.13 + 0.03.
    QTest::newRow("gross rounded once") << true << 1.0 << 0.125 << 22.0 << nessuno << 0.13 << 0.03 << 0.15 << 0.0;
    QTest::newRow("zero quantity") << true << 0.0 << 50.0 << 22.0 << QList<double>{10, 0, 0, 0} << 0.0 << 0.0 << 0.0 << 0.0;
    QTest::newRow("zero price") << true << 3.0 << 0.0 << 22.0 << QList<double>{10, 0, 0, 0} << 0.0 << 0.0 << 0.0 << 0.0;
    QTest::newRow("negative quantity")
        << true << -2.0 << 50.0 << 22.0 << QList<double>{10, 10, 0, 0} << -81.0 << -17.82 << -98.82 << -19.0;
    QTest::newRow("negative discount ignored")
        << true << 2.0 << 50.0 << 22.0 << QList<double>{-10, 0, 0, 0} << 100.0 << 22.0 << 122.0 << 0.0;
    QTest::newRow("negative VAT ignored") << true << 2.0 << 50.0 << -22.0 << nessuno << 100.0 << 0.0 << 100.0 << 0.0;
    // Cases binary doubles get a cent wrong.
    QTest::newRow("10.05 at 10%") << true << 1.0 << 10.05 << 10.0 << nessuno << 10.05 << 1.01 << 11.06 << 0.0;
    QTest::newRow("30.25 at 22%") << true << 1.0 << 30.25 << 22.0 << nessuno << 30.25 << 6.66 << 36.91 << 0.0;
    QTest::newRow("67.50 less 10% at 22%")
        << true << 1.0 << 67.50 << 22.0 << QList<double>{10, 0, 0, 0} << 60.75 << 13.37 << 74.12 << 6.75;
    QTest::newRow("1.005 at 0%") << true << 1.0 << 1.005 << 0.0 << nessuno << 1.01 << 0.0 << 1.01 << 0.0;
    QTest::newRow("unrounded is exact") << false << 1.0 << 67.50 << 22.0 << QList<double>{10, 0, 0, 0} << 60.75 << 13.365 << 74.115 << 6.75;
}

void TestArithmetic::rowAmounts()
{
    QFETCH(bool, arrotonda);
    QFETCH(double, quantita);
    QFETCH(double, prezzo);
    QFETCH(double, iva);
    QFETCH(QList<double>, sconti);
    QFETCH(double, netto);
    QFETCH(double, imposta);
    QFETCH(double, ivato);
    QFETCH(double, sconto);
    const auto &s = sconti;
    QCOMPARE(TotaleRigaNetto(arrotonda, quantita, prezzo, s[0], s[1], s[2], s[3]), netto);
    QCOMPARE(TotaleImpostaRiga(arrotonda, quantita, prezzo, iva, s[0], s[1], s[2], s[3]), imposta);
    QCOMPARE(TotaleRigaIvato(arrotonda, quantita, prezzo, iva, s[0], s[1], s[2], s[3]), ivato);
    QCOMPARE(ScontoRiga(arrotonda, quantita, prezzo, s[0], s[1], s[2], s[3]), sconto);
}

void TestArithmetic::pricesFromTotals_data()
{
    QTest::addColumn<bool>("listino"); // PrezzoListinoDaNetto, else PrezzoUnitarioDaTotale
    QTest::addColumn<double>("quantita");
    QTest::addColumn<double>("totale");
    QTest::addColumn<double>("iva");
    QTest::addColumn<QList<double>>("sconti");
    QTest::addColumn<double>("atteso");
    const QList<double> nessuno{0, 0, 0, 0};
    QTest::newRow("unit price without VAT") << false << 1.0 << 122.0 << 22.0 << nessuno << 100.0;
    QTest::newRow("unit price before discount") << false << 1.0 << 122.0 << 22.0 << QList<double>{20, 0, 0, 0} << 125.0;
    QTest::newRow("unit price to four decimals") << false << 3.0 << 100.0 << 0.0 << nessuno << 33.3333;
    QTest::newRow("exact half goes away from zero") << false << 32.0 << 1.0 << 0.0 << nessuno << 0.0313;
    QTest::newRow("negative exact half") << false << 32.0 << -1.0 << 0.0 << nessuno << -0.0313;
    QTest::newRow("four discounts undone")
        << false << 1.0 << 800.442 << 22.0 << QList<double>{10, 10, 10, 10} << 1000.0;
    QTest::newRow("unit price, full discount") << false << 1.0 << 122.0 << 22.0 << QList<double>{100, 0, 0, 0} << 0.0;
    QTest::newRow("unit price, discount above 100") << false << 1.0 << 122.0 << 22.0 << QList<double>{10, 150, 0, 0} << 0.0;
    QTest::newRow("unit price, zero quantity") << false << 0.0 << 122.0 << 22.0 << nessuno << 0.0;
    QTest::newRow("unit price, zero total") << false << 2.0 << 0.0 << 22.0 << nessuno << 0.0;
    QTest::newRow("unit price of 11.06 at 10%") << false << 1.0 << 11.06 << 10.0 << nessuno << 10.0545;
    QTest::newRow("unit price of 74.12 at 22% less 10%") << false << 1.0 << 74.12 << 22.0 << QList<double>{10, 0, 0, 0} << 67.5046;
    QTest::newRow("unit price at 5.5%") << false << 3.0 << 100.0 << 5.5 << nessuno << 31.5956;
    QTest::newRow("list price") << true << 3.0 << 81.0 << 0.0 << QList<double>{10, 10, 0, 0} << 33.33;
    QTest::newRow("list price, full discount") << true << 3.0 << 81.0 << 0.0 << QList<double>{0, 0, 0, 100} << 0.0;
    QTest::newRow("list price, zero quantity") << true << 0.0 << 81.0 << 0.0 << QList<double>{10, 0, 0, 0} << 0.0;
}

void TestArithmetic::pricesFromTotals()
{
    QFETCH(bool, listino);
    QFETCH(double, quantita);
    QFETCH(double, totale);
    QFETCH(double, iva);
    QFETCH(QList<double>, sconti);
    QFETCH(double, atteso);
    const auto &s = sconti;
    const double prezzo = listino ? PrezzoListinoDaNetto(quantita, totale, s[0], s[1], s[2], s[3])
                                  : PrezzoUnitarioDaTotale(quantita, totale, iva, s[0], s[1], s[2], s[3]);
    QVERIFY(qIsFinite(prezzo));
    QCOMPARE(prezzo, atteso);
}

void TestArithmetic::decimals_data()
{
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QString>("esatto"); // empty: refused
    QTest::addColumn<QString>("centesimi");
    QTest::newRow("plain") << "10.05" << "10.05" << "10.05";
    QTest::newRow("decimal comma") << "0,5" << "0.5" << "0.50";
    QTest::newRow("negative half cent") << "-1.005" << "-1.005" << "-1.01";
    QTest::newRow("spaces around") << "  12 " << "12" << "12.00";
    QTest::newRow("leading point") << ".25" << "0.25" << "0.25";
    QTest::newRow("many decimals") << "0.000000000000000000000001" << "0.000000000000000000000001" << "0.00";
    QTest::newRow("NaN") << "NaN" << "" << "";
    QTest::newRow("nan") << "nan" << "" << "";
    QTest::newRow("inf") << "inf" << "" << "";
    QTest::newRow("-inf") << "-inf" << "" << "";
    QTest::newRow("thousands separator") << "1,234.56" << "" << "";
    QTest::newRow("Italian thousands") << "1.234,56" << "" << "";
    QTest::newRow("exponent") << "1e300" << "" << "";
    QTest::newRow("two signs") << "--1" << "" << "";
    QTest::newRow("sign only") << "-" << "" << "";
    QTest::newRow("point only") << "." << "" << "";
    QTest::newRow("space inside") << "1 000" << "" << "";
    QTest::newRow("empty") << "" << "" << "";
}

void TestArithmetic::decimals()
{
    QFETCH(QString, testo);
    QFETCH(QString, esatto);
    QFETCH(QString, centesimi);
    const auto d = Decimale::daTesto(testo);
    QCOMPARE(d.has_value(), !esatto.isEmpty());
    if (!d) return;
    QCOMPARE(d->testoEsatto(), esatto);
    QCOMPARE(d->testo(2), centesimi);
    QCOMPARE(d->toDouble(), esatto.toDouble());
}

void TestArithmetic::decimalArithmetic()
{
    // Doubles read at their shortest decimal form.
    QCOMPARE(Decimale::daDouble(10.05).testoEsatto(), QString("10.05"));
    QCOMPARE(Decimale::daDouble(0.1 + 0.2).testoEsatto(), QString("0.30000000000000004"));
    QCOMPARE(Decimale::daDouble(1e20).testoEsatto(), QString("100000000000000000000"));
    QCOMPARE(Decimale::daDouble(-2.5e-7).testoEsatto(), QString("-0.00000025"));
    QVERIFY_THROWS_EXCEPTION(db::DbError, Decimale::daDouble(qQNaN()));
    QVERIFY_THROWS_EXCEPTION(db::DbError, Decimale::daDouble(qInf()));
    // Exact products, sums and percentages.
    const Decimale a = Decimale::daDouble(67.5), sconto(10), aliquota = Decimale::daDouble(22);
    const Decimale netto = a - a.percento(sconto);
    QCOMPARE((netto + netto.percento(aliquota)).testoEsatto(), QString("74.115"));
    QCOMPARE((netto + netto.percento(aliquota)).centesimi().toDouble(), 74.12);
    Decimale somma;
    for (int i = 0; i < 10; ++i) somma += Decimale::daDouble(0.1);
    QCOMPARE(somma, Decimale(1));
    QCOMPARE((Decimale::daDouble(0.1) * Decimale::daDouble(0.2)).testoEsatto(), QString("0.02"));
    QVERIFY(Decimale::daDouble(1.005) > Decimale::daDouble(1.0049));
    QVERIFY(Decimale::daTesto(u"2.50") == Decimale::daTesto(u"2.5"));
    // Divisions round where asked, halves away from zero.
    QCOMPARE(Decimale::dividi(Decimale(100), Decimale(3), 2).testo(2), QString("33.33"));
    QCOMPARE(Decimale::dividi(Decimale(-1), Decimale(8), 2).testo(2), QString("-0.13"));
    QCOMPARE(Decimale::dividi(Decimale(2), Decimale(3), 4).testoEsatto(), QString("0.6667"));
    QCOMPARE(Decimale::dividi(Decimale(1), Decimale(0), 2), Decimale());
    // Large values keep every cent.
    const Decimale grande = *Decimale::daTesto(u"999999999.99");
    QCOMPARE((grande * grande).testoEsatto(), QString("999999999980000000.0001"));
    QCOMPARE((grande + Decimale::daDouble(0.01)).testo(2), QString("1000000000.00"));
}

void TestArithmetic::dueDates_data()
{
    QTest::addColumn<QString>("inizio");
    QTest::addColumn<int>("giorni");
    QTest::addColumn<bool>("fineMese");
    QTest::addColumn<bool>("commerciale");
    QTest::addColumn<bool>("daFineMeseInizio");
    QTest::addColumn<QString>("scadenza"); // empty: the start is not a date
    QTest::newRow("30 days") << "15/01/2024" << 30 << false << false << false << "14/02/2024";
    QTest::newRow("30 days, end of month (29 February)") << "15/01/2024" << 30 << true << false << false << "29/02/2024";
    QTest::newRow("30 days from the end of the start month") << "15/01/2024" << 30 << true << false << true << "01/03/2024";
    QTest::newRow("from end of start month needs end of month") << "15/01/2024" << 30 << false << false << true << "14/02/2024";
    QTest::newRow("60 days commercial") << "15/01/2024" << 60 << false << true << false << "15/03/2024";
    QTest::newRow("45 days commercial") << "15/01/2024" << 45 << false << true << false << "01/03/2024";
    QTest::newRow("45 days commercial, end of month") << "15/01/2024" << 45 << true << true << false << "31/03/2024";
    QTest::newRow("45 days commercial from end of start month") << "15/01/2024" << 45 << true << true << true << "15/03/2024";
    QTest::newRow("0 days, end of month") << "15/01/2024" << 0 << true << false << false << "31/01/2024";
    QTest::newRow("0 days") << "15/01/2024" << 0 << false << false << false << "15/01/2024";
    QTest::newRow("commercial month into a shorter February") << "31/01/2024" << 30 << false << true << false << "29/02/2024";
    QTest::newRow("commercial month, not a leap year") << "31/01/2023" << 30 << false << true << false << "28/02/2023";
    QTest::newRow("across the year") << "20/12/2023" << 30 << true << false << false << "31/01/2024";
    QTest::newRow("time of the start ignored") << "15/01/2024 18:30:00" << 30 << false << false << false << "14/02/2024";
    QTest::newRow("no such start date") << "30/02/2024" << 30 << false << false << false << "";
}

void TestArithmetic::dueDates()
{
    QFETCH(QString, inizio);
    QFETCH(int, giorni);
    QFETCH(bool, fineMese);
    QFETCH(bool, commerciale);
    QFETCH(bool, daFineMeseInizio);
    QFETCH(QString, scadenza);
    if (scadenza.isEmpty())
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, CalcolaScadenza(inizio, giorni, fineMese, commerciale, daFineMeseInizio));
    else QCOMPARE(CalcolaScadenza(inizio, giorni, fineMese, commerciale, daFineMeseInizio), scadenza);
}
