#include "tst_righefattura.h"

#include "db/DbError.h"
#include "sales/services/RigheFattura.h"
#include "sales/services/Totali.h"
#include "support/TestCore.h"

#include <QTest>

using namespace testing_support;

namespace {

QVariant valore(TestDatabase &db, const QString &sql) { return db.scalar(sql); }

// A sales invoice dated 10/03/2026, of the customer `cliente` (0: none).
qint64 fattura(TestDatabase &db, int num, qint64 cliente = 0)
{
    db.conn().execute(QStringLiteral("insert into fattura (Num, Data, Carico, FattNota, Cliente_ID) values (:num, #3/10/2026#, false, false, :cliente)"),
                      {{":num", num}, {":cliente", cliente > 0 ? QVariant(cliente) : QVariant()}});
    return valore(db, QStringLiteral("select ID from fattura where Num = %1").arg(num)).toLongLong();
}

qint64 tariffa(TestDatabase &db, const QString &codice, double prezzo, const QString &sconto, bool prezzoImposto)
{
    db.conn().execute(QStringLiteral("insert into prezziar (Codice, Descrizione, Prezzo, AliquotaIva, Iva_Id, Sconto, PrezzoImposto, "
                                     "Reparto, Um_Id) values (:codice, :descr, :prezzo, 22, 1, %1, :imposto, 'Officina', 3)")
                          .arg(sconto),
                      {{QStringLiteral(":codice"), codice},
                       {QStringLiteral(":descr"), QString(QStringLiteral("Tariffa ") + codice)},
                       {QStringLiteral(":prezzo"), prezzo},
                       {QStringLiteral(":imposto"), QVariant(prezzoImposto)}});
    return valore(db, QStringLiteral("select Id from prezziar where Codice = '%1'").arg(codice)).toLongLong();
}

void opzioni(TestDatabase &db, const QString &set) { db.conn().execute("update opzioni set " + set); }

} // namespace

void TestServiziRigheFattura::rigaDaTariffa_data()
{
    QTest::addColumn<QString>("scontoTariffa"); // SQL value
    QTest::addColumn<bool>("prezzoImposto");
    QTest::addColumn<QString>("scontoCliente"); // SQL value, empty: no customer
    QTest::addColumn<double>("sconto");
    QTest::addColumn<double>("imponibile");
    QTest::addColumn<double>("totale");
    QTest::newRow("tariff's discount, no customer") << "10" << false << "" << 10.0 << 90.0 << 109.80;
    QTest::newRow("no discount, no customer") << "null" << false << "" << 0.0 << 100.0 << 122.0;
    QTest::newRow("customer's replaces the tariff's") << "10" << false << "5" << 5.0 << 95.0 << 115.90;
    QTest::newRow("fixed price keeps the tariff's") << "10" << true << "5" << 10.0 << 90.0 << 109.80;
    QTest::newRow("customer's 0 is a discount") << "10" << false << "0" << 0.0 << 100.0 << 122.0;
    QTest::newRow("customer without one") << "10" << false << "null" << 10.0 << 90.0 << 109.80;
}

void TestServiziRigheFattura::rigaDaTariffa()
{
    QFETCH(QString, scontoTariffa);
    QFETCH(bool, prezzoImposto);
    QFETCH(QString, scontoCliente);
    QFETCH(double, sconto);
    QFETCH(double, imponibile);
    QFETCH(double, totale);
    CoreSeams seams;
    TestDatabase db(TestDatabase::WithSchema);
    opzioni(db, "conto_ID_Predefinito_su_FattureVendita_Generale = 41");
    qint64 cliente = 0;
    if (!scontoCliente.isEmpty()) {
        // A customer never invoiced before: the discount is the customer's own.
        db.conn().execute("insert into Clienti (Cognome, Sconto) values ('Rossi', " + scontoCliente + ")");
        cliente = valore(db, "select Id from Clienti").toLongLong();
    }
    const qint64 id = fattura(db, 1, cliente);
    const qint64 t = tariffa(db, "TR1", 100, scontoTariffa, prezzoImposto);
    const QList<qint64> righe = vendite::righeDaTariffe(db.conn(), id, {t});
    QCOMPARE(righe.size(), 1);
    const QString riga = QStringLiteral(" from fattdett where Idx = %1").arg(righe[0]);
    auto campo = [&](const char *c) { return valore(db, QStringLiteral("select ") + c + riga); };
    QCOMPARE(campo("NumFatt").toLongLong(), id);
    QCOMPARE(campo("Descrizione").toString(), QString("Tariffa TR1"));
    QCOMPARE(campo("Codice").toString(), QString("TR1"));
    QCOMPARE(campo("Articolo_ID").toLongLong(), t);
    QCOMPARE(campo("Um").toDouble(), 1.0);
    QCOMPARE(campo("ValoreUnitario").toDouble(), 100.0);
    QCOMPARE(campo("AliquotaIva").toDouble(), 22.0);
    QCOMPARE(campo("Iva_ID").toInt(), 1);
    QCOMPARE(campo("Sconto").toDouble(), sconto);
    QCOMPARE(campo("TotaleImponibile").toDouble(), imponibile);
    QCOMPARE(campo("ValoreTotale").toDouble(), totale);
    QCOMPARE(campo("TipoRiga").toString(), QString("N"));
    QCOMPARE(campo("Reparto").toString(), QString("Officina"));
    QCOMPARE(campo("Um_ID").toInt(), 3);
    QCOMPARE(campo("ContabilitaConti_ID").toInt(), 41);
    QCOMPARE(campo("Storico").toInt(), 0);
    QCOMPARE(campo("NumeroRiga").toInt(), 1);
    QCOMPARE(valore(db, "select count(*)" + riga + " and Data = #3/10/2026#").toInt(), 1);
}

void TestServiziRigheFattura::righeNellOrdineDato()
{
    CoreSeams seams;
    TestDatabase db(TestDatabase::WithSchema);
    opzioni(db, "IncrementaNumeroRigaArticoli = true");
    const qint64 id = fattura(db, 1);
    const qint64 a = tariffa(db, "A", 10, "null", false);
    const qint64 b = tariffa(db, "B", 20, "null", false);
    // An id that is no tariff (deleted meanwhile) is skipped.
    const QList<qint64> righe = vendite::righeDaTariffe(db.conn(), id, {b, 999, a});
    QCOMPARE(righe.size(), 2);
    QCOMPARE(valore(db, QString("select Codice from fattdett where Idx = %1").arg(righe[0])).toString(), QString("B"));
    QCOMPARE(valore(db, QString("select NumeroRiga from fattdett where Idx = %1").arg(righe[0])).toInt(), 1);
    QCOMPARE(valore(db, QString("select Codice from fattdett where Idx = %1").arg(righe[1])).toString(), QString("A"));
    QCOMPARE(valore(db, QString("select NumeroRiga from fattdett where Idx = %1").arg(righe[1])).toInt(), 2);
}

void TestServiziRigheFattura::numeroRiga_data()
{
    QTest::addColumn<bool>("incrementa");
    QTest::addColumn<QList<int>>("numeri");
    QTest::newRow("after the existing rows") << true << QList<int>{3, 4, 5};
    QTest::newRow("always 1") << false << QList<int>{1, 1, 1};
}

void TestServiziRigheFattura::numeroRiga()
{
    QFETCH(bool, incrementa);
    QFETCH(QList<int>, numeri);
    CoreSeams seams;
    TestDatabase db(TestDatabase::WithSchema);
    opzioni(db, QString("IncrementaNumeroRigaArticoli = %1").arg(incrementa ? "true" : "false"));
    const qint64 id = fattura(db, 1);
    const qint64 altra = fattura(db, 2);
    // Two rows already; another invoice's rows do not count.
    db.conn().execute(QString("insert into fattdett (NumFatt, NumeroRiga) values (%1, 1), (%1, 2), (%2, 1)").arg(id).arg(altra));
    QCOMPARE(vendite::numeroNuovaRiga(db.conn(), id), numeri[0]);
    const qint64 t = tariffa(db, "T", 10, "null", false);
    const qint64 r1 = vendite::righeDaTariffe(db.conn(), id, {t}).value(0);
    const qint64 r2 = vendite::rigaSpeciale(db.conn(), id, vendite::RigaSpeciale::SpeseIncasso);
    const qint64 r3 = vendite::rigaSpeciale(db.conn(), id, vendite::RigaSpeciale::Articolo);
    int i = 0;
    for (const qint64 r : {r1, r2, r3})
        QCOMPARE(valore(db, QString("select NumeroRiga from fattdett where Idx = %1").arg(r)).toInt(), numeri[i++]);
}

void TestServiziRigheFattura::rigaSpeciale_data()
{
    QTest::addColumn<int>("tipo");
    QTest::addColumn<QString>("opzioni");
    QTest::addColumn<QString>("descrizione");
    QTest::addColumn<QString>("tipoRiga");
    QTest::addColumn<double>("prezzo");
    QTest::addColumn<double>("totale");
    QTest::addColumn<int>("conto");
    const QString base = "conto_ID_Predefinito_su_FattureVendita_Generale = 41, conto_ID_Predefinito_su_FattureVendita_SpeseTrasporto = 42, "
                         "conto_ID_Predefinito_su_FattureVendita_SpeseIncasso = 43, Spese_di_Trasporto = 61, Spese_di_Incasso = 5, ";
    QTest::newRow("transport 61 at 22") << int(vendite::RigaSpeciale::SpeseTrasporto) << base + "AliquotaIva = 22, Iva_Id = 1"
                                        << "Spese di Trasporto" << "T" << 50.0 << 61.0 << 42;
    QTest::newRow("collection 5 at 22") << int(vendite::RigaSpeciale::SpeseIncasso) << base + "AliquotaIva = 22, Iva_Id = 1"
                                        << "Spese di Incasso" << "S" << 4.0984 << 5.0 << 43;
    // The free row's gross follows its own rate, not a fixed 22%.
    QTest::newRow("free row at 10") << int(vendite::RigaSpeciale::Articolo) << base + "AliquotaIva = 10, Iva_Id = 2"
                                    << "Articolo da inserire" << "A" << 1.0 << 1.10 << 41;
    QTest::newRow("free row at 22") << int(vendite::RigaSpeciale::Articolo) << base + "AliquotaIva = 22, Iva_Id = 1"
                                    << "Articolo da inserire" << "A" << 1.0 << 1.22 << 41;
}

void TestServiziRigheFattura::rigaSpeciale()
{
    QFETCH(int, tipo);
    QFETCH(QString, opzioni);
    QFETCH(QString, descrizione);
    QFETCH(QString, tipoRiga);
    QFETCH(double, prezzo);
    QFETCH(double, totale);
    QFETCH(int, conto);
    CoreSeams seams; // today is 15/03/2026
    TestDatabase db(TestDatabase::WithSchema);
    ::opzioni(db, opzioni);
    // An invoice without a date nor a transport date: both rows' dates are today.
    db.conn().execute("insert into fattura (Num) values (1)");
    const qint64 id = valore(db, "select ID from fattura").toLongLong();
    const qint64 idx = vendite::rigaSpeciale(db.conn(), id, vendite::RigaSpeciale(tipo));
    const QString riga = QStringLiteral(" from fattdett where Idx = %1").arg(idx);
    auto campo = [&](const char *c) { return valore(db, QStringLiteral("select ") + c + riga); };
    QCOMPARE(campo("NumFatt").toLongLong(), id);
    QCOMPARE(campo("Descrizione").toString(), descrizione);
    QCOMPARE(campo("TipoRiga").toString(), tipoRiga);
    QCOMPARE(campo("Um").toDouble(), 1.0);
    QCOMPARE(campo("ValoreUnitario").toDouble(), prezzo);
    QCOMPARE(campo("TotaleImponibile").toDouble(), prezzo);
    QCOMPARE(campo("ValoreTotale").toDouble(), totale);
    QCOMPARE(campo("Sconto").toDouble(), 0.0);
    QCOMPARE(campo("ContabilitaConti_ID").toInt(), conto);
    QCOMPARE(valore(db, "select count(*)" + riga + " and Data = #3/15/2026#").toInt(), 1);
    const bool trasporto = tipoRiga == "T";
    QCOMPARE(valore(db, "select count(*)" + riga + " and DataInizioPeriodo = #3/15/2026#").toInt(), trasporto ? 1 : 0);
}

void TestServiziRigheFattura::fatturaInesistente()
{
    CoreSeams seams;
    TestDatabase db(TestDatabase::WithSchema);
    const qint64 t = tariffa(db, "T", 10, "null", false);
    QVERIFY_THROWS_EXCEPTION(db::DbError, vendite::righeDaTariffe(db.conn(), 77, {t}));
    QVERIFY_THROWS_EXCEPTION(db::DbError, vendite::rigaSpeciale(db.conn(), 77, vendite::RigaSpeciale::Articolo));
    QCOMPARE(valore(db, "select count(*) from fattdett").toInt(), 0);
}

void TestServiziRigheFattura::riepilogoIva()
{
    CoreSeams seams;
    TestDatabase db(TestDatabase::WithSchema);
    const qint64 id = fattura(db, 1);
    // By hand: at 22 (VAT row 1) 2 × 12.50 less 10% = 22.50 and 1 × 40 = 40, together 62.50,
    // VAT 13.75; at 10 (row 2) 30, VAT 3; at 5.5 (row 7) 100, VAT 5.50; a row without a
    // quantity counts for nothing.
    db.conn().execute(QString("insert into fattdett (NumFatt, Um, ValoreUnitario, Sconto, AliquotaIva, Iva_ID) values "
                              "(%1, 2, 12.5, 10, 22, 1), (%1, 1, 30, 0, 10, 2), (%1, 1, 40, 0, 22, 1), "
                              "(%1, 1, 100, 0, 5.5, 7), (%1, null, 500, 0, 22, 1)")
                          .arg(id));
    const vendite::Totali t = vendite::calcolaTotaliFattura(db.conn(), id);
    QCOMPARE(t.riepilogo.size(), 3);
    const struct {
        double aliquota;
        qint64 iva;
        double imponibile;
        double imposta;
    } attesi[] = {{5.5, 7, 100, 5.50}, {10, 2, 30, 3}, {22, 1, 62.50, 13.75}};
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(t.riepilogo[i].aliquota, attesi[i].aliquota);
        QCOMPARE(t.riepilogo[i].ivaId, attesi[i].iva);
        QCOMPARE(t.riepilogo[i].imponibile, attesi[i].imponibile);
        QCOMPARE(t.riepilogo[i].imposta, attesi[i].imposta);
    }
    QCOMPARE(t.imponibile, 192.50);
    QCOMPARE(t.imposta, 22.25);
    QCOMPARE(t.totale, 214.75);
}

void TestServiziRigheFattura::riepilogoSommaAlCentesimo()
{
    CoreSeams seams;
    TestDatabase db(TestDatabase::WithSchema);
    const qint64 id = fattura(db, 1);
    // Each rate's net is 0.125, 0.13 to the cent: the totals are the summary's sums (0.26),
    // not the grand sum rounded once (0.25), so the printed summary adds up.
    db.conn().execute(QString("insert into fattdett (NumFatt, Um, ValoreUnitario, Sconto, AliquotaIva, Iva_ID) values "
                              "(%1, 1, 0.125, 0, 22, 1), (%1, 1, 0.125, 0, 10, 2)")
                          .arg(id));
    const vendite::Totali t = vendite::aggiornaTotaliFattura(db.conn(), id);
    double imponibile = 0, imposta = 0;
    for (const vendite::RiepilogoIva &r : t.riepilogo) {
        imponibile += r.imponibile;
        imposta += r.imposta;
    }
    QCOMPARE(t.imponibile, 0.26);
    QCOMPARE(t.imponibile, imponibile);
    QCOMPARE(t.imposta, imposta);
    QCOMPARE(t.imposta, 0.04); // 0.13 × 22% = 0.03, 0.13 × 10% = 0.01
    QCOMPARE(valore(db, QString("select TotFattura from fattura where ID = %1").arg(id)).toDouble(), 0.30);
}

void TestServiziRigheFattura::ultimoPrezzo()
{
    CoreSeams seams;
    TestDatabase db(TestDatabase::WithSchema);
    db.conn().execute("insert into Clienti (Cognome) values ('Rossi'), ('Bianchi')");
    const qint64 rossi = valore(db, "select Id from Clienti where Cognome = 'Rossi'").toLongLong();
    const qint64 bianchi = valore(db, "select Id from Clienti where Cognome = 'Bianchi'").toLongLong();
    auto documento = [&](int num, const QString &data, qint64 cliente, bool nota, double prezzo, double sconto) {
        db.conn().execute(QString("insert into fattura (Num, Data, Cliente_ID, Carico, FattNota, Storico) values (%1, #%2#, %3, false, %4, %5)")
                              .arg(num)
                              .arg(data)
                              .arg(cliente)
                              .arg(nota ? "true" : "false")
                              .arg(data.endsWith("2025") ? "true" : "false"));
        const qint64 id = valore(db, QString("select max(ID) from fattura")).toLongLong();
        db.conn().execute(QString("insert into fattdett (NumFatt, Articolo_ID, ValoreUnitario, Sconto) values (%1, 9, %2, %3)")
                              .arg(id)
                              .arg(prezzo)
                              .arg(sconto));
        return id;
    };
    const qint64 corrente = documento(1, "3/14/2026", rossi, false, 99, 0);
    QVERIFY(!vendite::ultimoPrezzo(db.conn(), rossi, corrente, 9)); // only the invoice being edited
    documento(2, "6/1/2025", rossi, false, 80.5, 5);  // last year's, in history
    documento(3, "1/2/2025", rossi, false, 70, 0);
    documento(4, "3/1/2026", rossi, true, 60, 0);     // a credit note never counts
    documento(5, "3/5/2026", bianchi, false, 50, 0);  // another customer's
    const std::optional<vendite::UltimoPrezzo> u = vendite::ultimoPrezzo(db.conn(), rossi, corrente, 9);
    QVERIFY(u);
    QCOMPARE(u->data.date(), QDate(2025, 6, 1));
    QCOMPARE(u->valoreUnitario, 80.5);
    QCOMPARE(u->sconto, 5.0);
    QVERIFY(!vendite::ultimoPrezzo(db.conn(), rossi, corrente, 10)); // another article
}
