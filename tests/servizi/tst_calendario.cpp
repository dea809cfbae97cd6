#include "tst_calendario.h"

#include "db/Query.h"
#include "operations/services/Calendario.h"
#include "support/TestCore.h"

#include <QRegularExpression>
#include <QTest>
#include <ctime>

using namespace testing_support;

namespace {

// Entries of March 2025 (one on the 31st with a time of day), one of April, names with an
// apostrophe and a lone prefix.
void archivio(TestDatabase &db)
{
    db.conn().execute(
        "insert into Calendario (Id, Data, Personale, TipologiaCalendario, Cliente, Note) values "
        "(1, #3/1/2025#, 'Operatore A', 'Intervento', 'Rossi Srl', 'Traino'), "
        "(2, #3/15/2025 10.30.00#, 'D''Angelo', 'Intervento', 'L''Officina', 'Deposito'), "
        "(3, #3/31/2025 18.00.00#, 'Operatore B', 'Sopralluogo', 'Bianchi', null), "
        "(4, #4/1/2025#, 'Operatore A', 'Sopralluogo', null, 'Traino lungo')");
}

QList<int> filtrate(TestDatabase &db, const QString &filtro)
{
    db::Query q(&db.conn());
    q.setSql("select * from Calendario order by Data, Id");
    q.open();
    q.setFilter(filtro);
    QList<int> r;
    for (q.first(); !q.eof(); q.next()) r << q.fieldByName("Id").asInteger();
    return r;
}

} // namespace

void TestServiziCalendario::initTestCase()
{
    // The export writes UTC: its expectations are those of an Italian workstation.
    m_tz = qgetenv("TZ");
    qputenv("TZ", "Europe/Rome");
    tzset();
}

void TestServiziCalendario::cleanupTestCase()
{
    if (m_tz.isEmpty()) qunsetenv("TZ");
    else qputenv("TZ", m_tz);
    tzset();
}

void TestServiziCalendario::filtroRicerca_data()
{
    QTest::addColumn<QStringList>("caselle"); // personale, cliente, tipologia, note, da, a
    QTest::addColumn<QDate>("giorno");        // a day clicked on the month calendar, or none
    QTest::addColumn<QList<int>>("attese");
    QTest::addColumn<QString>("errore");
    const QString vuota = "  /  /    ";
    QTest::newRow("nothing") << QStringList{"", "", "", "", vuota, vuota} << QDate() << QList<int>{1, 2, 3, 4} << "";
    QTest::newRow("staff prefix, any case") << QStringList{"operatore a", "", "", "", vuota, vuota} << QDate() << QList<int>{1, 4}
                                            << "";
    QTest::newRow("apostrophe") << QStringList{"D'A", "L'Off", "", "", vuota, vuota} << QDate() << QList<int>{2} << "";
    QTest::newRow("star adds nothing") << QStringList{"*", "*", "*", "*", vuota, vuota} << QDate() << QList<int>{1, 2, 3, 4} << "";
    QTest::newRow("type and note") << QStringList{"", "", "Sopr", "Traino", vuota, vuota} << QDate() << QList<int>{4} << "";
    QTest::newRow("March with the 31st's evening") << QStringList{"", "", "", "", "01/03/2025", "31/03/2025"} << QDate()
                                                   << QList<int>{1, 2, 3} << "";
    QTest::newRow("incomplete date ignored") << QStringList{"", "", "", "", "01/04/2", vuota} << QDate() << QList<int>{1, 2, 3, 4}
                                             << "";
    QTest::newRow("no such day") << QStringList{"", "", "", "", "31/02/2025", vuota} << QDate() << QList<int>{}
                                 << "Attenzione data non valida: 31/02/2025";
    QTest::newRow("a day clicked, the dates aside") << QStringList{"", "", "", "", "01/04/2025", "30/04/2025"} << QDate(2025, 3, 15)
                                                    << QList<int>{2} << "";
    QTest::newRow("a day clicked and a staff member") << QStringList{"Operatore", "", "", "", vuota, vuota} << QDate(2025, 3, 31)
                                                      << QList<int>{3} << "";
}

void TestServiziCalendario::filtroRicerca()
{
    QFETCH(QStringList, caselle);
    QFETCH(QDate, giorno);
    QFETCH(QList<int>, attese);
    QFETCH(QString, errore);
    CoreSeams seams;
    TestDatabase db(TestDatabase::WithSchema);
    archivio(db);
    calendario::CriteriCalendario k;
    k.personale = caselle[0];
    k.cliente = caselle[1];
    k.tipologia = caselle[2];
    k.note = caselle[3];
    k.daData = caselle[4];
    k.aData = caselle[5];
    k.giornoAttivo = giorno.isValid();
    k.giorno = giorno;
    const calendario::FiltroCalendario f = calendario::filtroRicerca(k);
    QCOMPARE(f.errore, errore);
    if (!errore.isEmpty()) {
        QCOMPARE(f.filtro, QString());
        QCOMPARE(f.casella, QString("maskDaData"));
        return;
    }
    QCOMPARE(filtrate(db, f.filtro), attese);
}

void TestServiziCalendario::controllaDate_data()
{
    QTest::addColumn<QDateTime>("data");
    QTest::addColumn<QDateTime>("avviso");
    QTest::addColumn<int>("esito");
    const QDateTime giorno(QDate(2025, 3, 5), QTime(0, 0));
    QTest::newRow("no day") << QDateTime() << giorno << int(calendario::EsitoDate::MancaData);
    QTest::newRow("no notice") << giorno << QDateTime() << int(calendario::EsitoDate::Valide);
    QTest::newRow("notice the same day") << giorno << giorno << int(calendario::EsitoDate::Valide);
    QTest::newRow("notice later the same day") << giorno << giorno.addSecs(3600) << int(calendario::EsitoDate::Valide);
    QTest::newRow("notice days before") << giorno << giorno.addDays(-10) << int(calendario::EsitoDate::Valide);
    QTest::newRow("notice the day after") << giorno << giorno.addDays(1) << int(calendario::EsitoDate::AvvisoDopoData);
}

void TestServiziCalendario::controllaDate()
{
    QFETCH(QDateTime, data);
    QFETCH(QDateTime, avviso);
    QFETCH(int, esito);
    QCOMPARE(int(calendario::controllaDate(data, avviso)), esito);
}

void TestServiziCalendario::testoICal()
{
    calendario::Voce inverno{7, QDateTime(QDate(2025, 3, 5), QTime(10, 0)), "Operatore A", "Intervento", "Rossi; Figli", "Nota"};
    calendario::Voce estate{8, QDateTime(QDate(2025, 7, 15), QTime(0, 0)), "", "", "", ""};
    const QString t = calendario::testoICal({inverno, estate}, QDate(2025, 3, 1), QDateTime(QDate(2025, 3, 1), QTime(12, 0)));
    QVERIFY(t.startsWith("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:Calendario-Pellavantoria\r\nBEGIN:VEVENT\r\n"));
    QVERIFY(t.endsWith("END:VEVENT\r\nEND:VCALENDAR\r\n"));
    QVERIFY(!t.contains(QRegularExpression("[^\r]\n")));
    // Local Italian time written in UTC: one hour back in winter, two in summer.
    QVERIFY(t.contains("CREATED:20250228T230000Z\r\n"));
    QVERIFY(t.contains("DTSTART:20250305T090000Z\r\n"));
    QVERIFY(t.contains("DTEND:20250305T090000Z\r\n"));
    QCOMPARE(t.count("20250305T090000Z"), 2);
    QCOMPARE(t.count("20250714T220000Z"), 2);
    QVERIFY(t.contains("DTSTAMP:20250301T110000Z\r\n"));
    QVERIFY(t.contains("SUMMARY;LANGUAGE=it-IT:Operatore A - Intervento / Rossi\\; Figli : Nota\r\n"));
    QVERIFY(t.contains("UID:Calendario-7@Pellavantoria\r\n"));
    // The entry without staff, type, customer and note has no summary.
    QCOMPARE(t.count("SUMMARY"), 1);
    QCOMPARE(t.count("BEGIN:VEVENT"), 2);
    QCOMPARE(calendario::sommario({0, {}, "Operatore A", "Intervento", "", ""}), QString("Operatore A - Intervento / "));
    // An empty list: the calendar alone.
    QCOMPARE(calendario::testoICal({}, QDate(2025, 3, 1), QDateTime()),
             QString("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:Calendario-Pellavantoria\r\nEND:VCALENDAR\r\n"));
}

void TestServiziCalendario::elimina()
{
    CoreSeams seams;
    TestDatabase db(TestDatabase::WithSchema);
    archivio(db);
    QVERIFY(calendario::elimina(db.conn(), 2));
    QCOMPARE(filtrate(db, QString()), QList<int>({1, 3, 4}));
    // Gone already: nothing else is touched.
    QVERIFY(!calendario::elimina(db.conn(), 2));
    QCOMPARE(filtrate(db, QString()), QList<int>({1, 3, 4}));
}
