#include "tst_avvisi.h"

#include "data/services/Stampe.h"
#include "db/Query.h"
#include "masterdata/services/Avvisi.h"
#include "support/TestCore.h"

#include <QTest>

#include <stdexcept>

using namespace testing_support;

Q_DECLARE_METATYPE(avvisi::Filtri)

namespace {

// Five customers (one withdrawn, one without a displayed name) and their instalments.
void clienti(TestDatabase &db)
{
    auto &c = db.conn();
    c.execute(QStringLiteral(
        "insert into Clienti (Id, NominativoVisualizzato, NominativoDocumenti, Annullato, Pagamento_ID, Categoria_ID, Comune_id, Provincia, "
        "Note, PubblicaAmministrazione) values (1, 'Rossi Srl', 'Rossi Srl', False, 1, 2, 10, 'MI', 'cliente d''oro', False)"));
    c.execute(QStringLiteral(
        "insert into Clienti (Id, NominativoVisualizzato, NominativoDocumenti, Annullato, Pagamento_ID, Categoria_ID, Comune_id, Provincia, "
        "Note, PubblicaAmministrazione) values (2, 'Comune di Como', 'Comune di Como', False, 2, 2, 11, 'CO', 'ritardi', True)"));
    c.execute(QStringLiteral("insert into Clienti (Id, NominativoVisualizzato, Annullato, Provincia) values (3, 'Verdi', True, 'MI')"));
    c.execute(QStringLiteral("insert into Clienti (Id, NominativoVisualizzato, Annullato, Provincia) values (4, '', False, 'MI')"));
    c.execute(QStringLiteral(
        "insert into Clienti (Id, NominativoVisualizzato, NominativoDocumenti, Annullato, Pagamento_ID, Categoria_ID, Comune_id, Provincia, "
        "Note, PubblicaAmministrazione) values (5, 'Neri d''Italia', 'Neri d''Italia', False, 1, 3, 10, 'MI', 'cliente nuovo', False)"));
    const char *rate[] = {
        "(1, #2/15/2024#, Null)", "(1, #3/10/2024#, Null)", "(2, #3/31/2024#, #4/5/2024#)",
        "(5, #3/31/2024 12:00:00#, Null)", "(3, #3/5/2024#, Null)"};
    for (const char *r : rate)
        c.execute(QStringLiteral("insert into FatturaScadenze (Cliente_id, DataScadenza, DataPagamento) values %1").arg(QLatin1String(r)));
}

QStringList nomi(const QList<avvisi::Cliente> &l)
{
    QStringList r;
    for (const auto &c : l) r << c.nominativo;
    r.sort();
    return r;
}

} // namespace

void TestServiziAvvisi::filtri_data()
{
    QTest::addColumn<avvisi::Filtri>("filtri");
    QTest::addColumn<QStringList>("attesi");
    const QStringList tutti{"Comune di Como", "Neri d'Italia", "Rossi Srl"};
    avvisi::Filtri f;
    QTest::newRow("no filter: every customer not withdrawn with a name") << f << tutti;
    f = {};
    f.daScadenza = "01/03/2024";
    QTest::newRow("unpaid due from a date") << f << QStringList{"Neri d'Italia", "Rossi Srl"};
    f = {};
    f.aScadenza = "30/03/2024";
    QTest::newRow("unpaid due up to a date") << f << QStringList{"Rossi Srl"};
    f.aScadenza = "31/03/2024";
    QTest::newRow("the last day is included whole") << f << QStringList{"Neri d'Italia", "Rossi Srl"};
    f = {};
    f.pagamentoEffettuato = true;
    QTest::newRow("paid") << f << QStringList{"Comune di Como"};
    f = {};
    f.provincia = "MI";
    QTest::newRow("province") << f << QStringList{"Neri d'Italia", "Rossi Srl"};
    f.provincia = "M'I";
    QTest::newRow("province with an apostrophe") << f << QStringList{};
    f = {};
    f.note = "cliente d'";
    QTest::newRow("notes with an apostrophe") << f << QStringList{"Rossi Srl"};
    f.note = "*nuovo";
    QTest::newRow("notes with an asterisk") << f << QStringList{"Neri d'Italia"};
    f.note = "' or 1=1 or Note like '";
    QTest::newRow("notes that try to end the literal") << f << QStringList{};
    f = {};
    f.pagamento = 1;
    f.categoria = 3;
    QTest::newRow("payment method and category") << f << QStringList{"Neri d'Italia"};
    f = {};
    f.comune = 11;
    QTest::newRow("town") << f << QStringList{"Comune di Como"};
    f = {};
    f.pubblicaAmministrazione = true;
    QTest::newRow("public administration") << f << QStringList{"Comune di Como"};
    f = {};
    f.pagamento = -1;
    f.comune = 0;
    QTest::newRow("keys -1 and 0: no filter") << f << tutti;
}

void TestServiziAvvisi::filtri()
{
    QFETCH(avvisi::Filtri, filtri);
    QFETCH(QStringList, attesi);
    TestDatabase db(TestDatabase::WithSchema);
    clienti(db);
    QCOMPARE(nomi(avvisi::clienti(db.conn(), filtri)), attesi);
}

void TestServiziAvvisi::dataNonValida()
{
    avvisi::Filtri f;
    f.daScadenza = "31/02/2024";
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, avvisi::sqlClienti(f));
}

void TestServiziAvvisi::perPostazione()
{
    TestDatabase db(TestDatabase::WithSchema);
    clienti(db);
    const QString a = QStringLiteral("PC dell'ufficio"), b = QStringLiteral("MAGAZZINO");
    avvisi::salvaTesto(db.conn(), a, QStringLiteral("Il deposito resterà chiuso il 2 giugno."));
    avvisi::salvaTesto(db.conn(), b, QStringLiteral("Nuovi orari"));
    avvisi::salvaTesto(db.conn(), a, QStringLiteral("Il deposito resterà chiuso il 2 giugno!"));
    QCOMPARE(db.scalar("select count(*) from TempAvvisi").toInt(), 2);
    QCOMPARE(avvisi::testo(db.conn(), a), QStringLiteral("Il deposito resterà chiuso il 2 giugno!"));
    QCOMPARE(avvisi::testo(db.conn(), b), QStringLiteral("Nuovi orari"));

    // Both prepare their notice; a choosing again leaves b's choice alone.
    avvisi::scegli(db.conn(), a, {1, 2});
    avvisi::scegli(db.conn(), b, {5});
    avvisi::Filtri f;
    f.provincia = "MI";
    QList<int> scelti;
    for (const auto &c : avvisi::clienti(db.conn(), f)) scelti << c.id;
    avvisi::scegli(db.conn(), a, scelti);

    // The notice report reads, for each workstation, its own text and customers only.
    auto stampa = [&](const QString &postazione) {
        const stampe::Esito e = stampe::prepara(32, {}, {}, {}, postazione, db.folder());
        db::Query q(&db.conn());
        q.setSql(e.richiesta.query);
        q.open();
        QStringList r;
        for (q.first(); !q.eof(); q.next())
            r << q.fieldByName("Cliente").asString() + " / " + q.fieldByName("Testo").asString();
        return r;
    };
    QCOMPARE(stampa(a), QStringList({"Neri d'Italia / Il deposito resterà chiuso il 2 giugno!",
                                     "Rossi Srl / Il deposito resterà chiuso il 2 giugno!"}));
    QCOMPARE(stampa(b), QStringList({"Neri d'Italia / Nuovi orari"}));
    avvisi::scegli(db.conn(), a, {});
    QCOMPARE(stampa(a), QStringList());
    QCOMPARE(stampa(b).size(), 1);
}
