#include "tst_cassastorico.h"
#include "tst_cassa.h"

#include "Ambiente.h"
#include "accounting/CassaPrimaNota.h"
#include "app/Frm1.h"
#include "data/DB.h"
#include "db/Query.h"
#include "widgets/MaskedDateEdit.h"

#include <QLabel>
#include <QTest>
#include <QToolButton>

void TestCassaStorico::init()
{
    ambiente::avvia();
    // The tests' clock is 15 March 2026; the start-up has already rolled the history.
    ambiente::esegui("insert into finanzia (ID, Data, Operazione, Entrata, Storico) values "
                     "(1, #1/1/2025#, 'Inizio 2025', 1, true), (2, #12/31/2025 23:59:59#, 'Fine 2025', 2, true),"
                     "(3, #1/1/2026#, 'Inizio 2026', 4, false), (4, #3/14/2026 9:00:00#, 'Marzo 2026', 8, false),"
                     "(5, #12/31/2024#, 'Fine 2024', 16, true)");
}

void TestCassaStorico::cleanup() { ambiente::chiudi(); }

void TestCassaStorico::primaNotaDellAnno()
{
    Form1->btnAttivitaPrimaNotaClick();
    QVERIFY(Form5->isVisible());
    QCOMPARE(idMostrati(), QList<int>({3, 4}));
    QCOMPARE(form_DB->TableCercaPrimaNota->fieldByName("ID").asInteger(), 4); // newest first
    QCOMPARE(Form5->lblEntrate->text(), QString("12"));
    Form5->spdIndietro->click();
}

void TestCassaStorico::storico_data()
{
    QTest::addColumn<QString>("da");
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("messaggio"); // empty: the browser opens
    QTest::addColumn<QList<int>>("attesi");
    QTest::newRow("a past year, the end day whole") << "01/01/2025" << "31/12/2025" << "" << QList<int>{1, 2};
    QTest::newRow("this year's range shows current rows") << "01/01/2026" << "31/12/2026" << "" << QList<int>{3, 4};
    QTest::newRow("no start") << "" << "31/12/2025" << "Attenzione E' necessario definire la data di inizio..." << QList<int>{};
    QTest::newRow("no end") << "01/01/2025" << "" << "Attenzione E' necessario definire la data di fine..." << QList<int>{};
    QTest::newRow("two years") << "01/12/2024" << "31/01/2025"
                               << "Attenzione E' necessario che la data di inizio e la data di fine abbiano lo stesso anno..."
                               << QList<int>{};
    QTest::newRow("not a date") << "31/02/2025" << "31/12/2025" << "Attenzione data non valida: 31/02/2025 - 31/12/2025"
                                << QList<int>{};
}

void TestCassaStorico::storico()
{
    QFETCH(QString, da);
    QFETCH(QString, a);
    QFETCH(QString, messaggio);
    QFETCH(QList<int>, attesi);
    const QString prima = form_DB->TableCercaPrimaNota->sql();
    Form1->maskDa->setText(da);
    Form1->maskA->setText(a);
    if (!messaggio.isEmpty()) {
        ambiente::dialoghi().expectMessage(messaggio);
        Form1->BitBtn1Click();
        QVERIFY(!Form5->isVisible());
        QCOMPARE(form_DB->TableCercaPrimaNota->sql(), prima);
        return;
    }
    QList<int> visti;
    ambiente::conModale([] { Form1->BitBtn1Click(); },
                        [&](QWidget *w) {
                            QCOMPARE(w, Form5);
                            visti = idMostrati();
                            Form5->spdIndietro->click();
                        });
    QCOMPARE(visti, attesi);
    // The list's query is the one it had before.
    QCOMPARE(form_DB->TableCercaPrimaNota->sql(), prima);
}
