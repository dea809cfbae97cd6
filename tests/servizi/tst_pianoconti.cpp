#include "tst_pianoconti.h"

#include "accounting/services/PianoDeiConti.h"
#include "db/Connection.h"
#include "support/TestCore.h"

#include <QTest>

using namespace testing_support;

namespace {

// Class 1 holds groupings 10 and 11 of three accounts each; class 2 grouping 20 with one
// account; grouping 30 has no class and one account.
void piano(TestDatabase &db)
{
    db.exec("insert into ContabilitaClassi (Id, Descrizione) values (1, 'Attivo'), (2, 'Passivo');"
            "insert into ContabilitaRaggruppamenti (Id, Descrizione, Classe_ID) values (10, 'Cassa', 1), (11, 'Banche', 1),"
            " (20, 'Debiti', 2), (30, 'Vari', 0);"
            "insert into ContabilitaConti (ID, Descrizione, Raggruppamento_ID) values (100, 'a', 10), (101, 'b', 10), (102, 'c', 10),"
            " (110, 'd', 11), (111, 'e', 11), (112, 'f', 11), (200, 'g', 20), (300, 'h', 30)");
}

} // namespace

void TestServiziPianoConti::eliminazioni_data()
{
    QTest::addColumn<QString>("livello");
    QTest::addColumn<qint64>("id");
    QTest::addColumn<QList<int>>("eliminati"); // classes, groupings, accounts
    QTest::addColumn<QList<int>>("restano");
    QTest::newRow("class with two groupings of three") << "classe" << qint64(1) << QList<int>{1, 2, 6} << QList<int>{1, 2, 2};
    QTest::newRow("grouping keeps its class") << "raggruppamento" << qint64(10) << QList<int>{0, 1, 3} << QList<int>{2, 3, 5};
    QTest::newRow("grouping without class") << "raggruppamento" << qint64(30) << QList<int>{0, 1, 1} << QList<int>{2, 3, 7};
    QTest::newRow("one account") << "conto" << qint64(200) << QList<int>{0, 0, 1} << QList<int>{2, 4, 7};
    QTest::newRow("class not there") << "classe" << qint64(9) << QList<int>{0, 0, 0} << QList<int>{2, 4, 8};
}

void TestServiziPianoConti::eliminazioni()
{
    QFETCH(QString, livello);
    QFETCH(qint64, id);
    QFETCH(QList<int>, eliminati);
    QFETCH(QList<int>, restano);
    TestDatabase db(TestDatabase::WithSchema);
    piano(db);
    // A cash-book row naming an account keeps it.
    db.exec("insert into finanzia (ContabilitaConti_ID) values (100)");
    const contabilita::Eliminati e = livello == "classe"           ? contabilita::eliminaClasse(db.conn(), id)
                                     : livello == "raggruppamento" ? contabilita::eliminaRaggruppamento(db.conn(), id)
                                                                   : contabilita::eliminaConto(db.conn(), id);
    QCOMPARE((QList<int>{e.classi, e.raggruppamenti, e.conti}), eliminati);
    QCOMPARE((QList<int>{db.scalar("select count(*) from ContabilitaClassi").toInt(),
                         db.scalar("select count(*) from ContabilitaRaggruppamenti").toInt(),
                         db.scalar("select count(*) from ContabilitaConti").toInt()}),
             restano);
    QCOMPARE(db.scalar("select count(*) from finanzia where ContabilitaConti_ID = 100").toInt(), 1);
}
