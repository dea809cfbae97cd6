#include "tst_records.h"

#include "common/RecordHelpers.h"
#include "db/Query.h"
#include "support/TestSupport.h"

#include <QTest>
#include <memory>
#include <stdexcept>

using namespace common;
using namespace testing_support;

namespace {

// Three invoices numbered 10, 20 and 30 (numbers are unique), and the defaults table.
struct Archivio {
    Seams seams;
    TestDatabase database{TestDatabase::WithSchema};
    db::Query fatture{&database.conn()};
    db::Query personalizzazioni{&database.conn()};

    Archivio()
    {
        database.exec("CREATE UNIQUE INDEX ix_prova_num ON fattura (Num);"
                      "INSERT INTO fattura (Num, Targa) VALUES (10, 'AA111AA'), (20, 'BB222BB'), (30, 'CC333CC');");
        personalizzazioni.setSql("select * from Personalizzazioni order by NomeTabella, NomeCampo");
        personalizzazioni.open();
    }
    void apri(const QString &sql = "select * from fattura order by Num")
    {
        fatture.setSql(sql);
        fatture.open();
    }
    int num() { return fatture.isEmpty() ? -1 : fatture.fieldByName("Num").asInteger(); }
    QStringList numeriSalvati()
    {
        return database.scalar("select group_concat(Num, ',') from (select Num from fattura order by Num)")
            .toString()
            .split(',', Qt::SkipEmptyParts);
    }
};
std::unique_ptr<Archivio> a;

} // namespace

void TestRecords::init() { a = std::make_unique<Archivio>(); }

void TestRecords::cleanup()
{
    QVERIFY2(a->seams.dialogs.clean(), qPrintable(a->seams.dialogs.report()));
    a.reset();
}

void TestRecords::savesAndStaysInEdit()
{
    a->apri();
    a->fatture.setRecNo(2);
    a->fatture.fieldByName("Targa").setAsString("ZZ999ZZ");
    QVERIFY(SalvaRecord(a->fatture, "Id"));
    QCOMPARE(a->database.scalar("select Targa from fattura where Num = 20").toString(), QString("ZZ999ZZ"));
    QCOMPARE(a->fatture.state(), db::Query::State::Edit);
    QCOMPARE(a->num(), 20);
}

void TestRecords::refusedSaveKeepsEdits_data()
{
    QTest::addColumn<bool>("nuovo");
    QTest::addColumn<bool>("salvaNuovo"); // SalvaNuovoRecord, else SalvaRecord
    QTest::newRow("existing row") << false << false;
    QTest::newRow("existing row saved as new") << false << true;
    QTest::newRow("inserted row") << true << true;
}

void TestRecords::refusedSaveKeepsEdits()
{
    QFETCH(bool, nuovo);
    QFETCH(bool, salvaNuovo);
    a->apri();
    a->fatture.last();
    if (nuovo) a->fatture.append();
    a->fatture.fieldByName("Targa").setAsString("ZZ999ZZ");
    a->fatture.fieldByName("Num").setAsInteger(10); // taken
    a->seams.dialogs.expectMessage("UNIQUE");

    QVERIFY(!(salvaNuovo ? SalvaNuovoRecord(a->fatture, "Id") : SalvaRecord(a->fatture, "Id")));

    QCOMPARE(a->seams.dialogs.messages().size(), 1);
    QCOMPARE(a->seams.dialogs.messages().first().caption, QString("Messaggio di errore"));
    QCOMPARE(a->fatture.state(), nuovo ? db::Query::State::Insert : db::Query::State::Edit);
    QCOMPARE(a->fatture.fieldByName("Targa").asString(), QString("ZZ999ZZ"));
    QCOMPARE(a->num(), 10);
    QCOMPARE(a->numeriSalvati(), QStringList({"10", "20", "30"}));
    QCOMPARE(a->database.scalar("select count(*) from fattura where Targa = 'ZZ999ZZ'").toInt(), 0);
}

void TestRecords::savesNewRowAndMakesItCurrent_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<bool>("nuovo");
    QTest::newRow("id returned by the post") << "select * from fattura order by Num" << true;
    // The id is an expression: the post cannot give it back, the identity query does.
    QTest::newRow("id from the identity query") << "select ID + 0 as ID, Num, Targa from fattura order by Num" << true;
    QTest::newRow("row already saved") << "select * from fattura order by Num" << false;
}

void TestRecords::savesNewRowAndMakesItCurrent()
{
    QFETCH(QString, sql);
    QFETCH(bool, nuovo);
    a->apri(sql);
    a->fatture.last();
    if (nuovo) a->fatture.append();
    a->fatture.fieldByName("Num").setAsInteger(15); // read back second, not first
    a->fatture.fieldByName("Targa").setAsString("NN000NN");

    QVERIFY(SalvaNuovoRecord(a->fatture, "id"));

    const qint64 id = a->database.scalar("select ID from fattura where Targa = 'NN000NN'").toLongLong();
    QVERIFY(id > 0);
    QCOMPARE(a->fatture.fieldByName("ID").asLargeInt(), id);
    QCOMPARE(a->num(), 15);
    QCOMPARE(a->fatture.recNo(), 2);
    QCOMPARE(a->fatture.sql(), sql);
    QCOMPARE(a->fatture.recordCount(), nuovo ? 4 : 3);
    QCOMPARE(a->numeriSalvati(), nuovo ? QStringList({"10", "15", "20", "30"}) : QStringList({"10", "15", "20"}));
}

void TestRecords::savedRowOutsideQueryIsReported()
{
    a->apri("select * from fattura where Num < 100 order by Num desc");
    a->fatture.setRecNo(2);
    a->fatture.append();
    a->fatture.fieldByName("Num").setAsInteger(500);
    QVERIFY(!SalvaNuovoRecord(a->fatture, "ID"));
    // Saved all the same, and the dataset says where it is rather than pretending.
    QCOMPARE(a->numeriSalvati(), QStringList({"10", "20", "30", "500"}));
    QCOMPARE(a->fatture.recNo(), 1);
    QCOMPARE(a->num(), 30);
    QCOMPARE(a->fatture.state(), db::Query::State::Browse);
}

void TestRecords::deletesAndMovesToNeighbour_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<int>("riga");     // 1-based; 0: the dataset is empty
    QTest::addColumn<int>("corrente"); // Num of the row current afterwards; -1: none
    QTest::addColumn<QStringList>("rimasti");
    const QString tutte = "select * from fattura order by Num";
    QTest::newRow("middle row: the one before") << tutte << 2 << 10 << QStringList({"10", "30"});
    QTest::newRow("last row: the one before") << tutte << 3 << 20 << QStringList({"10", "20"});
    QTest::newRow("first row: the one after") << tutte << 1 << 20 << QStringList({"20", "30"});
    QTest::newRow("only row: empty") << "select * from fattura where Num = 20" << 1 << -1 << QStringList({"10", "30"});
    QTest::newRow("empty dataset: nothing") << "select * from fattura where Num = 99" << 0 << -1
                                            << QStringList({"10", "20", "30"});
}

void TestRecords::deletesAndMovesToNeighbour()
{
    QFETCH(QString, sql);
    QFETCH(int, riga);
    QFETCH(int, corrente);
    QFETCH(QStringList, rimasti);
    a->apri(sql);
    a->fatture.setRecNo(riga);
    EliminaRecord(a->fatture, "Id");
    QCOMPARE(a->num(), corrente);
    QCOMPARE(a->numeriSalvati(), rimasti);
}

void TestRecords::requeriesOnSameRow_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<int>("riga");
    QTest::addColumn<QString>("altrove"); // what another workstation changes meanwhile
    QTest::addColumn<bool>("ritrovato");
    QTest::addColumn<int>("corrente");
    QTest::addColumn<int>("righe");
    const QString tutte = "select * from fattura order by Num";
    QTest::newRow("same row after rows added") << tutte << 3 << "insert into fattura (Num) values (5)" << true << 30 << 4;
    QTest::newRow("row deleted elsewhere") << tutte << 2 << "delete from fattura where Num = 20" << false << 10 << 2;
    QTest::newRow("empty dataset is not re-read")
        << "select * from fattura where Num > 100" << 0 << "insert into fattura (Num) values (200)" << true << -1 << 0;
}

void TestRecords::requeriesOnSameRow()
{
    QFETCH(QString, sql);
    QFETCH(int, riga);
    QFETCH(QString, altrove);
    QFETCH(bool, ritrovato);
    QFETCH(int, corrente);
    QFETCH(int, righe);
    a->apri(sql);
    a->fatture.setRecNo(riga);
    a->database.conn().execute(altrove);
    QCOMPARE(RicaricaDataset(a->fatture, "Id"), ritrovato);
    QCOMPARE(a->num(), corrente);
    QCOMPARE(a->fatture.recordCount(), righe);
}

void TestRecords::setsDefaultValues_data()
{
    QTest::addColumn<QString>("chiave");
    QTest::addColumn<QString>("causale");
    QTest::addColumn<int>("pagamento");
    QTest::addColumn<double>("ritenuta");
    QTest::newRow("text, integer and number") << "fattura" << "Vendita" << 3 << 20.5;
    QTest::newRow("another key") << "fatturaNotaCredito" << "Storno" << 0 << 0.0;
    QTest::newRow("key without rows") << "Clienti" << "" << 0 << 0.0;
}

void TestRecords::setsDefaultValues()
{
    QFETCH(QString, chiave);
    QFETCH(QString, causale);
    QFETCH(int, pagamento);
    QFETCH(double, ritenuta);
    a->database.exec("INSERT INTO Personalizzazioni (NomeTabella, NomeCampo, Tipo, Valore) VALUES"
                     " ('fattura', 'Causale', 't', 'Vendita'), ('fattura', 'ModPagamento_Id', 'n', '3'),"
                     " ('fattura', 'RitenutaAcconto', 'f', '20,5'), ('fattura', 'Targa', 'T', 'AB123CD'),"
                     " ('fattura', 'Note', 'x', 'ignorata'), ('fatturaNotaCredito', 'Causale', 't', 'Storno');");
    a->personalizzazioni.requery();
    a->apri();
    a->fatture.append();
    a->fatture.fieldByName("Num").setAsInteger(40);

    ImpostaValoriPredefiniti(chiave, a->fatture, a->personalizzazioni);

    QCOMPARE(a->fatture.state(), db::Query::State::Insert);
    QCOMPARE(a->personalizzazioni.filter(), QString());
    QCOMPARE(a->personalizzazioni.recordCount(), 6);
    QVERIFY(SalvaNuovoRecord(a->fatture, "ID"));
    const QString riga = "select %1 from fattura where Num = 40";
    QCOMPARE(a->database.scalar(riga.arg("Causale")).toString(), causale);
    QCOMPARE(a->database.scalar(riga.arg("ModPagamento_Id")).toInt(), pagamento);
    QCOMPARE(a->database.scalar(riga.arg("RitenutaAcconto")).toDouble(), ritenuta);
    QVERIFY(a->database.scalar(riga.arg("Targa")).isNull());
    QVERIFY(a->database.scalar(riga.arg("Note")).isNull());
}

void TestRecords::badDefaultValueStops_data()
{
    QTest::addColumn<QString>("campo");
    QTest::addColumn<QString>("tipo");
    QTest::addColumn<QString>("valore");
    QTest::newRow("integer that is not") << "ModPagamento_Id" << "n" << "tre";
    QTest::newRow("number that is not") << "RitenutaAcconto" << "f" << "venti";
    QTest::newRow("column the dataset lacks") << "Zona" << "t" << "Nord";
}

void TestRecords::badDefaultValueStops()
{
    QFETCH(QString, campo);
    QFETCH(QString, tipo);
    QFETCH(QString, valore);
    a->database.exec(QString("INSERT INTO Personalizzazioni (NomeTabella, NomeCampo, Tipo, Valore) VALUES"
                             " ('fattura', 'Causale', 't', 'Vendita'), ('fattura', '%1', '%2', '%3');")
                         .arg(campo, tipo, valore));
    a->personalizzazioni.requery();
    a->apri();
    a->fatture.append();
    bool fermato = false;
    try {
        ImpostaValoriPredefiniti("fattura", a->fatture, a->personalizzazioni);
    } catch (const std::exception &) {
        fermato = true;
    }
    QVERIFY(fermato);
    QCOMPARE(a->fatture.fieldByName("Causale").asString(), QString("Vendita")); // written before the bad row
    QCOMPARE(a->personalizzazioni.filter(), QString());
}
