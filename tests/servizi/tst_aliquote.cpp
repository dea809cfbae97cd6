#include "tst_aliquote.h"

#include "accounting/services/AliquoteIva.h"
#include "db/Connection.h"
#include "db/Engine.h"
#include "db/Schema.h"
#include "support/TestCore.h"

#include <QTest>

using contabilita::EsitoAliquota;
using namespace testing_support;

namespace {

// The rates in the order stored, as "description|rate|nature|not deletable".
QStringList aliquote(TestDatabase &db)
{
    QStringList r;
    db::Connection &c = db.conn();
    const QVariant ultimo = c.scalar("select max(ID) from Iva");
    for (qint64 id = 1; !ultimo.isNull() && id <= ultimo.toLongLong(); ++id) {
        const db::Params p{{":id", id}};
        if (c.scalar("select count(*) from Iva where ID = :id", p).toInt() == 0) continue;
        r << QStringList{c.scalar("select Descrizione from Iva where ID = :id", p).toString(),
                         QString::number(c.scalar("select Iva from Iva where ID = :id", p).toDouble()),
                         c.scalar("select Pa_Natura_Codice from Iva where ID = :id", p).toString(),
                         QString::number(c.scalar("select NonEliminabile from Iva where ID = :id", p).toInt())}
                 .join('|');
    }
    return r;
}

QStringList attese()
{
    return {"Iva 22%|22||1",
            "Iva 10%|10||0",
            "Iva 5%|5||0",
            "Iva 4%|4||0",
            "Escluso art. 15 DPR 633/72|0|N1|1",
            "Non soggetto - altri casi|0|N2.2|0",
            "Non imponibile - esportazioni|0|N3.1|0",
            "Non imponibile - cessioni intracomunitarie|0|N3.2|0",
            "Non imponibile - dichiarazione d'intento|0|N3.5|0",
            "Esente art. 10 DPR 633/72|0|N4|0",
            "Inversione contabile - altri casi|0|N6.9|0"};
}

} // namespace

void TestServiziAliquote::regola_data()
{
    QTest::addColumn<double>("iva");
    QTest::addColumn<QString>("natura");
    QTest::addColumn<int>("esito");
    QTest::newRow("22 without nature") << 22.0 << "" << int(EsitoAliquota::Valida);
    QTest::newRow("22 with a nature") << 22.0 << "N4" << int(EsitoAliquota::TogliNatura);
    QTest::newRow("0 with a nature") << 0.0 << "N2.2" << int(EsitoAliquota::Valida);
    QTest::newRow("0 without nature") << 0.0 << "" << int(EsitoAliquota::MancaNatura);
    QTest::newRow("0 with blanks only") << 0.0 << "  " << int(EsitoAliquota::MancaNatura);
    QTest::newRow("a hundredth is not 0") << 0.01 << "" << int(EsitoAliquota::Valida);
    QTest::newRow("negative zero is 0") << -0.0 << "" << int(EsitoAliquota::MancaNatura);
}

void TestServiziAliquote::regola()
{
    QFETCH(double, iva);
    QFETCH(QString, natura);
    QFETCH(int, esito);
    QCOMPARE(int(contabilita::controllaAliquota(iva, natura)), esito);
}

void TestServiziAliquote::aliquoteDiUnArchivioNuovo()
{
    TestDatabase db(TestDatabase::WithSchema);
    QCOMPARE(aliquote(db), attese());
    // Every nature named is one of the code list's.
    QCOMPARE(db.scalar("select count(*) from Iva where Pa_Natura_Codice is not null and Pa_Natura_Codice not in "
                       "(select Codice from PA_Natura)")
                 .toInt(),
             0);
}

void TestServiziAliquote::aggiornamentoSoloSenzaAliquote_data()
{
    QTest::addColumn<QString>("prima");   // what the older database holds
    QTest::addColumn<QStringList>("dopo");
    QTest::newRow("no rates") << "delete from Iva" << attese();
    QTest::newRow("rates of its own") << "delete from Iva; insert into Iva (Descrizione, Iva) values ('Mia 21', 21)"
                                      << QStringList{"Mia 21|21||0"};
}

void TestServiziAliquote::aggiornamentoSoloSenzaAliquote()
{
    QFETCH(QString, prima);
    QFETCH(QStringList, dopo);
    TestDatabase db(TestDatabase::WithSchema);
    for (const QString &istruzione : prima.split(u';')) db.conn().execute(istruzione.trimmed());
    // An archive of the version before the rates came with the database, on either engine.
    db.conn().engine().setUserVersion(3);
    db::schema::ensureCurrent(db.conn());
    QVERIFY(db::schema::version(db.conn()) >= 4);
    QCOMPARE(aliquote(db), dopo);
}
