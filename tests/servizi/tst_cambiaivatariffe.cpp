#include "tst_cambiaivatariffe.h"

#include "db/DbError.h"
#include "masterdata/services/CambiaIvaTariffe.h"
#include "support/TestCore.h"

#include <QTest>

using namespace testing_support;

namespace {

// Four tariffs with a 10% rate: the fourth is withdrawn and is not among those changed.
void listino(TestDatabase &db)
{
    db.conn().execute("insert into prezziar (Id, Descrizione, Prezzo, Sconto, AliquotaIva, Iva_Id, PrezzoCompleto, Annullato) values "
                      "(1, 'Traino', 100, 10, 10, 10, 99, False), (2, 'Fermo', 0, 0, 10, 10, 0, False), "
                      "(3, 'Custodia', 50, 0, 10, 10, 55, False), (4, 'Vecchia', 80, 0, 10, 10, 88, True)");
}

// A tariff as "rate|key|complete price", "-" for null.
QString tariffa(TestDatabase &db, int id)
{
    const db::Params p{{":id", id}};
    auto testo = [&](const char *campo) {
        const QVariant v = db.conn().scalar(QStringLiteral("select %1 from prezziar where Id = :id").arg(QLatin1String(campo)), p);
        return v.isNull() ? QStringLiteral("-") : QString::number(v.toDouble());
    };
    return testo("AliquotaIva") + u'|' + testo("Iva_Id") + u'|' + testo("PrezzoCompleto");
}

} // namespace

void TestServiziCambiaIvaTariffe::aliquotaApplicata()
{
    TestDatabase db(TestDatabase::WithSchema);
    listino(db);
    QCOMPARE(tariffe::cambiaIvaTariffe(db.conn(), {1, 2, 3}, 22, 22.0), 3);
    QCOMPARE(tariffa(db, 1), QString("22|22|109.8")); // 100 less 10%, plus 22%
    QCOMPARE(tariffa(db, 2), QString("22|22|0"));     // no price, no complete price
    QCOMPARE(tariffa(db, 3), QString("22|22|61"));
    QCOMPARE(tariffa(db, 4), QString("10|10|88"));
}

void TestServiziCambiaIvaTariffe::senzaAliquota()
{
    TestDatabase db(TestDatabase::WithSchema);
    listino(db);
    QCOMPARE(tariffe::cambiaIvaTariffe(db.conn(), {1, 3}, QVariant(), QVariant()), 2);
    QCOMPARE(tariffa(db, 1), QString("-|-|90"));
    QCOMPARE(tariffa(db, 3), QString("-|-|50"));
}

void TestServiziCambiaIvaTariffe::rigaRifiutataNonCambiaNulla()
{
    TestDatabase db(TestDatabase::WithSchema);
    listino(db);
    // The second tariff is refused by the database, after the first has been written.
    if (suServer()) {
        db.exec("CREATE FUNCTION rifiuta_tariffa() RETURNS trigger AS $$ BEGIN RAISE EXCEPTION 'tariffa rifiutata'; END $$ "
                "LANGUAGE plpgsql");
        db.exec("CREATE TRIGGER rifiuta BEFORE UPDATE ON prezziar FOR EACH ROW WHEN (NEW.\"Id\" = 2) EXECUTE FUNCTION "
                "rifiuta_tariffa()");
    } else {
        db.exec("CREATE TRIGGER rifiuta BEFORE UPDATE ON prezziar WHEN NEW.Id = 2 BEGIN SELECT RAISE(ABORT, 'tariffa rifiutata'); "
                "END");
    }
    bool rifiutata = false;
    try {
        tariffe::cambiaIvaTariffe(db.conn(), {1, 2, 3}, 22, 22.0);
    } catch (const db::DbError &e) {
        rifiutata = e.message().contains("tariffa rifiutata");
    }
    QVERIFY(rifiutata);
    for (const int id : {1, 2, 3}) QCOMPARE(tariffa(db, id).section(u'|', 0, 1), QString("10|10"));
    QCOMPARE(tariffa(db, 1), QString("10|10|99"));
    QCOMPARE(tariffa(db, 3), QString("10|10|55"));
    // The connection is usable again: nothing of the failed change is left pending.
    QCOMPARE(db.conn().execute("update prezziar set Note = 'ok' where Id = 1"), 1);
}
