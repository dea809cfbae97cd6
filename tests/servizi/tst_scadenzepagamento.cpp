#include "tst_scadenzepagamento.h"

#include "masterdata/services/ScadenzePagamento.h"

#include <QTest>

using anagrafiche::EsitoScadenze;

namespace {

const QString kUnico = QStringLiteral("Attenzione manca il numero dei Giorni di scadenza Pagamento");
const QString kUno = QStringLiteral("Attenzione manca un numero dei Giorni di scadenza Pagamento");

// Twelve day boxes all holding 30, then the given ones emptied (1 is the first box).
QStringList giorniSenza(std::initializer_list<int> vuote)
{
    QStringList g(12, QStringLiteral("30"));
    for (int i : vuote) g[i - 1].clear();
    return g;
}

} // namespace

void TestServiziScadenzePagamento::controllo_data()
{
    QTest::addColumn<int>("numero");
    QTest::addColumn<QStringList>("giorni");
    QTest::addColumn<int>("esito");
    QTest::addColumn<int>("casella");
    QTest::addColumn<QString>("messaggio");
    QTest::newRow("0 instalments, every box empty") << 0 << QStringList(12) << int(EsitoScadenze::Valide) << 0 << "";
    QTest::newRow("1 instalment, its box empty") << 1 << giorniSenza({1}) << int(EsitoScadenze::MancaGiornoUnico) << 1 << kUnico;
    QTest::newRow("1 instalment filled, the rest empty") << 1 << giorniSenza({2, 3, 12}) << int(EsitoScadenze::Valide) << 0 << "";
    QTest::newRow("3 instalments, the 1st empty: focus on the 3rd") << 3 << giorniSenza({1}) << int(EsitoScadenze::MancaUnGiorno) << 3 << kUno;
    QTest::newRow("3 instalments, the 3rd empty") << 3 << giorniSenza({3}) << int(EsitoScadenze::MancaUnGiorno) << 3 << kUno;
    QTest::newRow("2 instalments, the 5th empty") << 2 << giorniSenza({5}) << int(EsitoScadenze::Valide) << 0 << "";
    QTest::newRow("12 instalments, the 12th empty") << 12 << giorniSenza({12}) << int(EsitoScadenze::MancaUnGiorno) << 12 << kUno;
    QTest::newRow("12 instalments all filled") << 12 << giorniSenza({}) << int(EsitoScadenze::Valide) << 0 << "";
    QTest::newRow("a box of 0 is filled") << 2 << QStringList{"0", "0"} << int(EsitoScadenze::Valide) << 0 << "";
    QTest::newRow("fewer boxes than the count") << 4 << QStringList{"30", "60"} << int(EsitoScadenze::MancaUnGiorno) << 4 << kUno;
    QTest::newRow("negative count checks nothing") << -2 << QStringList(12) << int(EsitoScadenze::Valide) << 0 << "";
}

void TestServiziScadenzePagamento::controllo()
{
    QFETCH(int, numero);
    QFETCH(QStringList, giorni);
    QFETCH(int, esito);
    QFETCH(int, casella);
    QFETCH(QString, messaggio);
    const anagrafiche::ControlloScadenze r = anagrafiche::controllaScadenze(numero, giorni);
    QCOMPARE(int(r.esito), esito);
    QCOMPARE(r.casella, casella);
    QCOMPARE(r.messaggio, messaggio);
}

void TestServiziScadenzePagamento::numeroAmmesso_data()
{
    QTest::addColumn<QString>("testo");
    QTest::addColumn<int>("numero");
    QTest::newRow("empty is 0") << "" << 0;
    QTest::newRow("blanks are 0") << "  " << 0;
    QTest::newRow("3") << "3" << 3;
    QTest::newRow("12 stays") << "12" << 12;
    QTest::newRow("13 is 12") << "13" << 12;
    QTest::newRow("15 is 12") << "15" << 12;
    QTest::newRow("huge is 12") << "99999999999" << 12;
    QTest::newRow("negative is 0") << "-3" << 0;
    QTest::newRow("no number is 0") << "tre" << 0;
}

void TestServiziScadenzePagamento::numeroAmmesso()
{
    QFETCH(QString, testo);
    QFETCH(int, numero);
    QCOMPARE(anagrafiche::numeroScadenzeAmmesso(testo), numero);
}

void TestServiziScadenzePagamento::giorniAmmessi()
{
    QCOMPARE(anagrafiche::giorniAmmessi(400), 360);
    QCOMPARE(anagrafiche::giorniAmmessi(361), 360);
    QCOMPARE(anagrafiche::giorniAmmessi(360), 360);
    QCOMPARE(anagrafiche::giorniAmmessi(30), 30);
    QCOMPARE(anagrafiche::giorniAmmessi(0), 0);
}
