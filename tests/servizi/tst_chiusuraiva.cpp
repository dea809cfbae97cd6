#include "tst_chiusuraiva.h"

#include "accounting/services/Bilancio.h"
#include "accounting/services/ChiusuraIva.h"
#include "db/Connection.h"
#include "db/DbError.h"
#include "db/Query.h"
#include "support/TestCore.h"

#include <QTest>

using namespace testing_support;
using contabilita::Periodicita;

namespace {

// A year of a small company. VAT codes: 1 22%, 2 10%, 3 exempt N4 (0%), 4 N2.2, 5 N2.1.
// Sales: F1 15/1 (1000 at 22%, 2 × 50 less 10% at 10%); F2 28/2 18:30 (333.33 and a discount
// line of -33.33 at 22%); F3 31/3 23:00 (200 exempt, 150 N2.2); F4 1/4 (500 at 22%); F5 10/2
// split payment (left out); in August F7 (three lines of 0.10 at 22%) and F8-F10 (0.03 at 22%
// each), whose VAT is what each invoice shows: 0.07 and 0.01 each. Sales credit notes: N1 10/3 (100 at 22%), N2 15/6 (40 at 10%).
// Purchases by registration date: A1 dated 28/3 registered 2/4 (400 at 22%); A2 20/1 (250 at
// 22%, 80 at 10%, and a row taken back, Scarico, of 999); A3 5/2 (60 N2.1); A4 10/7 (1000 at
// 22%). Supplier credit notes: C1 15/2 (50 at 22%), C2 5/5 (30 at 10%). Cash receipts: 31/1
// 122.00 at 22%, 20/5 an outgoing 11.00 at 10%, 1/2 50.00 without a VAT code (matches none).
void anno(TestDatabase &db)
{
    db.exec("DELETE FROM Iva;"
            "INSERT INTO Iva (ID, Descrizione, Iva, Pa_Natura_Codice) VALUES (1, 'IVA 22%', 22, NULL), (2, 'IVA 10%', 10, ''),"
            " (3, 'Esente art.10', 0, 'N4'), (4, 'Fuori campo', 0, 'N2.2'), (5, 'Non soggetta art.7', 0, 'N2.1');"
            "INSERT INTO fattura (ID, Num, Data, DataRegistrazione, Carico, FattNota, ScissionePagamenti, NumeroCarico, ProgressivoCarico,"
            " SerieFatturazione) VALUES"
            " (1, 1, '2025-01-15 00:00:00', NULL, 0, 0, 0, NULL, 0, 'A'), (2, 2, '2025-02-28 18:30:00', NULL, 0, 0, 0, NULL, 0, 'A'),"
            " (3, 3, '2025-03-31 23:00:00', NULL, 0, 0, 0, NULL, 0, 'A'), (4, 4, '2025-04-01 00:00:00', NULL, 0, 0, 0, NULL, 0, 'A'),"
            " (5, 5, '2025-02-10 00:00:00', NULL, 0, 0, 1, NULL, 0, 'A'), (7, 7, '2025-08-01 00:00:00', NULL, 0, 0, 0, NULL, 0, 'A'),"
            " (8, 8, '2025-08-02 00:00:00', NULL, 0, 0, 0, NULL, 0, 'A'), (9, 9, '2025-08-02 00:00:00', NULL, 0, 0, 0, NULL, 0, 'A'),"
            " (10, 10, '2025-08-02 00:00:00', NULL, 0, 0, 0, NULL, 0, 'A'),"
            " (11, 1, '2025-03-10 00:00:00', NULL, 0, 1, 0, NULL, 0, 'NC'), (12, 2, '2025-06-15 00:00:00', NULL, 0, 1, 0, NULL, 0, 'NC'),"
            " (21, 0, '2025-03-28 00:00:00', '2025-04-02 00:00:00', 1, 0, 0, 'F-77', 3, NULL),"
            " (22, 0, '2025-01-18 00:00:00', '2025-01-20 00:00:00', 1, 0, 0, 'F-12', 1, NULL),"
            " (23, 0, '2025-02-05 00:00:00', '2025-02-05 00:00:00', 1, 0, 0, 'F-30', 2, NULL),"
            " (24, 0, '2025-07-10 00:00:00', '2025-07-10 00:00:00', 1, 0, 0, 'F-90', 4, NULL),"
            " (31, 0, '2025-02-14 00:00:00', '2025-02-15 00:00:00', 1, 1, 0, 'NC-5', 1, NULL),"
            " (32, 0, '2025-05-05 00:00:00', '2025-05-05 00:00:00', 1, 1, 0, 'NC-6', 2, NULL);"
            "INSERT INTO fattdett (NumFatt, Descrizione, Um, ValoreUnitario, Sconto, AliquotaIva, Iva_ID, ContabilitaConti_ID) VALUES"
            " (1, 'Recupero', 1, 1000, 0, 22, 1, 101), (1, 'Custodia', 2, 50, 10, 10, 2, 102),"
            " (2, 'Traino', 1, 333.33, 0, 22, 1, 101), (2, 'Sconto', 1, -33.33, 0, 22, 1, 101),"
            " (3, 'Esente', 1, 200, 0, 0, 3, 101), (3, 'Fuori campo', 1, 150, 0, 0, 4, 101),"
            " (4, 'Recupero', 1, 500, 0, 22, 1, 101), (5, 'Ente pubblico', 1, 1000, 0, 22, 1, 101),"
            " (7, 'Minuteria', 1, 0.1, 0, 22, 1, NULL), (7, 'Minuteria', 1, 0.1, 0, 22, 1, NULL), (7, 'Minuteria', 1, 0.1, 0, 22, 1, NULL),"
            " (8, 'Fascetta', 1, 0.03, 0, 22, 1, NULL), (9, 'Fascetta', 1, 0.03, 0, 22, 1, NULL), (10, 'Fascetta', 1, 0.03, 0, 22, 1, NULL);"
            "INSERT INTO NotaCreditoRighe (NotaCredito_ID, Descrizione, Um, ValoreUnitario, Sconto, AliquotaIva, Iva_Id, ContabilitaConti_ID)"
            " VALUES (11, 'Storno', 1, 100, 0, 22, 1, 101), (12, 'Storno custodia', 1, 40, 0, 10, 2, 102);"
            "INSERT INTO Movimenti (Fattura_ID, Descrizione, TotaleImponibile, AliquotaIva, Iva_ID, Scarico, ContabilitaConti_ID) VALUES"
            " (21, 'Gasolio', 400, 22, 1, 0, 201), (22, 'Ricambi', 250, 22, 1, 0, 201), (22, 'Manutenzione', 80, 10, 2, 0, 202),"
            " (22, 'Reso', 999, 22, 1, 1, 201), (23, 'Pedaggi esteri', 60, 0, 5, 0, 202), (24, 'Carro attrezzi', 1000, 22, 1, 0, 201);"
            "INSERT INTO NotaCreditoCaricoRighe (NotaCredito_ID, Descrizione, TotaleImponibile, AliquotaIva, Iva_ID, ContabilitaConti_ID)"
            " VALUES (31, 'Abbuono ricambi', 50, 22, 1, 201), (32, 'Abbuono manutenzione', 30, 10, 2, 202);"
            "INSERT INTO finanzia (Data, Operazione, Entrata, Uscita, AliquotaIva, Iva_id, Corrispettivi, ContabilitaConti_ID) VALUES"
            " ('2025-01-31 12:00:00', 'Incasso banco', 122, 0, 22, 1, 1, 0), ('2025-05-20 00:00:00', 'Reso banco', 0, 11, 10, 2, 1, 0),"
            " ('2025-02-01 00:00:00', 'Senza aliquota', 50, 0, 22, NULL, 1, 0)");
}

struct Riga {
    qint64 iva;
    bool carico;
    bool corrispettivi;
    double imponibile;
    double imposta;
    bool operator==(const Riga &) const = default;
};
using Righe = QList<Riga>;

Righe righe(TestDatabase &db, const QString &tabella, const QString &legame, qint64 id)
{
    db::Query q(&db.conn());
    q.setSql(QStringLiteral("select Iva_ID, Carico, Corrispettivi, TotaleImponibile, TotaleIva from %1 where %2 = %3 order by Carico desc, "
                            "Corrispettivi, Iva_ID")
                 .arg(tabella, legame)
                 .arg(id));
    q.open();
    Righe r;
    for (q.first(); !q.eof(); q.next())
        r << Riga{q.fieldByName("Iva_ID").asLargeInt(), q.fieldByName("Carico").asBoolean(), q.fieldByName("Corrispettivi").asBoolean(),
                  q.fieldByName("TotaleImponibile").asFloat(), q.fieldByName("TotaleIva").asFloat()};
    return r;
}

// The header's figures: carried credit, purchases, sales, receipts (net, VAT), debit, credit,
// non-subject purchases, sales and receipts.
QList<double> testata(TestDatabase &db, Periodicita p, qint64 id)
{
    const contabilita::TabelleChiusura &t = contabilita::tabelle(p);
    db::Query q(&db.conn());
    q.setSql(QStringLiteral("select * from %1 where Id = %2").arg(t.testata).arg(id));
    q.open();
    QList<double> v{q.fieldByName(t.credito).asFloat()};
    for (const char *c : {"AcquistiImponibile", "AcquistiImposta", "VenditaImponibile", "VenditaImposta", "CorrispettiviImponibile",
                          "CorrispettiviImposta", "TotaleIvaDebito", "TotaleIvaCredito", "AcquistiImponibileNonSoggetta",
                          "VenditaImponibileNonSoggetta", "CorrispettiviImponibileNonSoggetta"})
        v << q.fieldByName(QString::fromLatin1(c)).asFloat();
    return v;
}

qint64 calcola(TestDatabase &db, Periodicita p, int anno, int numero)
{
    const contabilita::TabelleChiusura &t = contabilita::tabelle(p);
    db.conn().execute(QStringLiteral("insert into %1 (Anno, %2) values (%3, %4)").arg(t.testata, t.periodo).arg(anno).arg(numero));
    const qint64 id = db.scalar(QStringLiteral("select max(Id) from %1").arg(t.testata)).toLongLong();
    const contabilita::EsitoCalcolo e = contabilita::calcolaChiusura(db.conn(), p, id, anno, numero);
    if (e != contabilita::EsitoCalcolo::Fatto) qWarning("settlement not computed");
    return id;
}

} // namespace

void TestServiziChiusuraIva::periodi_data()
{
    QTest::addColumn<bool>("mensile");
    QTest::addColumn<int>("anno");
    QTest::addColumn<int>("numero");
    QTest::addColumn<QDate>("inizio");
    QTest::addColumn<QDate>("fine");
    QTest::addColumn<QList<int>>("precedente");
    QTest::newRow("first quarter") << false << 2025 << 1 << QDate(2025, 1, 1) << QDate(2025, 3, 31) << QList<int>{2024, 4};
    QTest::newRow("second quarter") << false << 2025 << 2 << QDate(2025, 4, 1) << QDate(2025, 6, 30) << QList<int>{2025, 1};
    QTest::newRow("fourth quarter") << false << 2025 << 4 << QDate(2025, 10, 1) << QDate(2025, 12, 31) << QList<int>{2025, 3};
    QTest::newRow("january") << true << 2025 << 1 << QDate(2025, 1, 1) << QDate(2025, 1, 31) << QList<int>{2024, 12};
    QTest::newRow("leap february") << true << 2024 << 2 << QDate(2024, 2, 1) << QDate(2024, 2, 29) << QList<int>{2024, 1};
    QTest::newRow("february") << true << 2025 << 2 << QDate(2025, 2, 1) << QDate(2025, 2, 28) << QList<int>{2025, 1};
    QTest::newRow("april") << true << 2025 << 4 << QDate(2025, 4, 1) << QDate(2025, 4, 30) << QList<int>{2025, 3};
}

void TestServiziChiusuraIva::periodi()
{
    QFETCH(bool, mensile);
    QFETCH(int, anno);
    QFETCH(int, numero);
    QFETCH(QDate, inizio);
    QFETCH(QDate, fine);
    QFETCH(QList<int>, precedente);
    const Periodicita p = mensile ? Periodicita::Mensile : Periodicita::Trimestrale;
    const auto per = contabilita::periodo(p, anno, numero);
    QVERIFY(per);
    QCOMPARE(per->inizio, inizio);
    QCOMPARE(per->fine, fine);
    const auto [a, n] = contabilita::periodoPrecedente(p, anno, numero);
    QCOMPARE((QList<int>{a, n}), precedente);
}

// The year settled by quarter, against figures worked by hand. The discount line of F2 lowers
// the VAT of its rate as it does on the invoice (300.00 at 22% is 66.00).
void TestServiziChiusuraIva::annoTrimestrale()
{
    TestDatabase db(TestDatabase::WithSchema);
    anno(db);
    const QString r = QStringLiteral("ContabilitaChiusuraIvaTrimestreRighe"), ns = QStringLiteral("ContabilitaChiusuraIvaTrimestreRigheNonSoggetta"),
                  l = QStringLiteral("ContabilitaChiusuraIvaTrimestre_ID");
    const Periodicita T = Periodicita::Trimestrale;
    const qint64 q1 = calcola(db, T, 2025, 1);
    QCOMPARE(righe(db, r, l, q1), (Righe{{1, true, false, 200, 44}, {2, true, false, 80, 8}, {1, false, false, 1200, 264},
                                         {2, false, false, 90, 9}, {3, false, false, 200, 0}, {1, false, true, 100, 22}}));
    QCOMPARE(righe(db, ns, l, q1), (Righe{{5, true, false, 60, 0}, {4, false, false, 150, 0}}));
    QCOMPARE(testata(db, T, q1), (QList<double>{0, 280, 52, 1490, 273, 100, 22, 295, 52, 60, 150, 0}));
    QCOMPARE(db.scalar(QStringLiteral("select IvaDescrizione from %1 where %2 = %3 and Iva_ID = 3").arg(r, l).arg(q1)).toString(),
             QStringLiteral("Esente art.10"));

    // Q2: a credit note at a rate without invoices gives negative rows; an outgoing receipt too.
    const qint64 q2 = calcola(db, T, 2025, 2);
    QCOMPARE(righe(db, r, l, q2), (Righe{{1, true, false, 400, 88}, {2, true, false, -30, -3}, {1, false, false, 500, 110},
                                         {2, false, false, -40, -4}, {2, false, true, -10, -1}}));
    QCOMPARE(righe(db, ns, l, q2), Righe{});
    QCOMPARE(testata(db, T, q2), (QList<double>{0, 370, 85, 460, 106, -10, -1, 105, 85, 0, 0, 0}));

    // Q3 ends in credit, carried into Q4, which has no documents. Its sales VAT is the sum of
    // the invoices' own: 0.07 + 3 × 0.01 (not 0.39 at 22% = 0.09, nor 0.02 per line).
    const qint64 q3 = calcola(db, T, 2025, 3);
    QCOMPARE(testata(db, T, q3), (QList<double>{0, 1000, 220, 0.39, 0.10, 0, 0, 0.10, 220, 0, 0, 0}));
    const qint64 q4 = calcola(db, T, 2025, 4);
    QCOMPARE(righe(db, r, l, q4), Righe{});
    QCOMPARE(testata(db, T, q4), (QList<double>{219.9, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    // Computing again replaces the rows, not adds to them.
    QCOMPARE(contabilita::calcolaChiusura(db.conn(), T, q1, 2025, 1), contabilita::EsitoCalcolo::Fatto);
    QCOMPARE(db.scalar(QStringLiteral("select count(*) from %1 where %2 = %3").arg(r, l).arg(q1)).toInt(), 6);
}

void TestServiziChiusuraIva::annoMensile()
{
    TestDatabase db(TestDatabase::WithSchema);
    anno(db);
    const QString r = QStringLiteral("ContabilitaChiusuraIvaMensileRighe"), l = QStringLiteral("ContabilitaChiusuraIvaMensile_ID");
    const Periodicita M = Periodicita::Mensile;
    const qint64 gen = calcola(db, M, 2025, 1);
    QCOMPARE(righe(db, r, l, gen), (Righe{{1, true, false, 250, 55}, {2, true, false, 80, 8}, {1, false, false, 1000, 220},
                                          {2, false, false, 90, 9}, {1, false, true, 100, 22}}));
    QCOMPARE(testata(db, M, gen), (QList<double>{0, 330, 63, 1090, 229, 100, 22, 251, 63, 0, 0, 0}));
    QCOMPARE(db.scalar(QStringLiteral("select DescrizioneMese from ContabilitaChiusuraIvaMensile where Id = %1").arg(gen)).toString(),
             db.scalar("select Mese from Mesi where numero = 1").toString());
    // February: the supplier credit note of a rate without purchases gives a negative purchase row.
    const qint64 feb = calcola(db, M, 2025, 2);
    QCOMPARE(righe(db, r, l, feb), (Righe{{1, true, false, -50, -11}, {1, false, false, 300, 66}}));
    QCOMPARE(testata(db, M, feb), (QList<double>{0, -50, -11, 300, 66, 0, 0, 66, -11, 60, 0, 0}));
    // March: the invoice of the last day at 23:00 is inside.
    const qint64 mar = calcola(db, M, 2025, 3);
    QCOMPARE(righe(db, r, l, mar), (Righe{{1, false, false, -100, -22}, {3, false, false, 200, 0}}));
    QCOMPARE(testata(db, M, mar), (QList<double>{0, 0, 0, 100, -22, 0, 0, -22, 0, 0, 150, 0}));
    // April: A1, dated in March, is registered in April.
    const qint64 apr = calcola(db, M, 2025, 4);
    QCOMPARE(testata(db, M, apr), (QList<double>{22, 400, 88, 500, 110, 0, 0, 110, 88, 0, 0, 0}));
}

// Months and quarters read the documents by the same rule: the three months add up to their quarter.
void TestServiziChiusuraIva::mesiSommanoIlTrimestre()
{
    TestDatabase db(TestDatabase::WithSchema);
    anno(db);
    for (int q = 1; q <= 4; ++q) {
        const QList<double> trimestre = testata(db, Periodicita::Trimestrale, calcola(db, Periodicita::Trimestrale, 2025, q));
        QList<double> mesi(12, 0.0);
        for (int m = 3 * q - 2; m <= 3 * q; ++m) {
            const QList<double> v = testata(db, Periodicita::Mensile, calcola(db, Periodicita::Mensile, 2025, m));
            for (int i = 1; i < v.size(); ++i) mesi[i] = qRound64((mesi[i] + v[i]) * 100) / 100.0;
        }
        QCOMPARE(trimestre.mid(1), mesi.mid(1));
    }
}

void TestServiziChiusuraIva::febbraioBisestile()
{
    TestDatabase db(TestDatabase::WithSchema);
    db.exec("DELETE FROM Iva; INSERT INTO Iva (ID, Descrizione, Iva) VALUES (1, 'IVA 22%', 22);"
            "INSERT INTO fattura (ID, Data, Carico, FattNota) VALUES (1, '2024-02-29 17:00:00', 0, 0), (2, '2024-03-01 00:00:00', 0, 0);"
            "INSERT INTO fattdett (NumFatt, Um, ValoreUnitario, AliquotaIva, Iva_ID) VALUES (1, 1, 10, 22, 1), (2, 1, 20, 22, 1)");
    const qint64 id = calcola(db, Periodicita::Mensile, 2024, 2);
    QCOMPARE(testata(db, Periodicita::Mensile, id).mid(3, 2), (QList<double>{10, 2.2}));
}

void TestServiziChiusuraIva::annoOPeriodoNonValidi()
{
    TestDatabase db(TestDatabase::WithSchema);
    anno(db);
    db.conn().execute("insert into ContabilitaChiusuraIvaTrimestre (Anno, Trimestre, VenditaImposta) values (2025, 1, 7)");
    const qint64 id = db.scalar("select max(Id) from ContabilitaChiusuraIvaTrimestre").toLongLong();
    using E = contabilita::EsitoCalcolo;
    QCOMPARE(contabilita::calcolaChiusura(db.conn(), Periodicita::Trimestrale, id, 202, 1), E::AnnoNonValido);
    QCOMPARE(contabilita::calcolaChiusura(db.conn(), Periodicita::Trimestrale, id, 20251, 1), E::AnnoNonValido);
    QCOMPARE(contabilita::calcolaChiusura(db.conn(), Periodicita::Trimestrale, id, 2025, 5), E::PeriodoNonValido);
    QCOMPARE(contabilita::calcolaChiusura(db.conn(), Periodicita::Mensile, id, 2025, 13), E::PeriodoNonValido);
    QCOMPARE(contabilita::calcolaChiusura(db.conn(), Periodicita::Trimestrale, id + 1, 2025, 1), E::NonTrovata);
    QCOMPARE(db.scalar("select VenditaImposta from ContabilitaChiusuraIvaTrimestre").toDouble(), 7.0);
    QCOMPARE(db.scalar("select count(*) from ContabilitaChiusuraIvaTrimestre").toInt(), 1);
}

// A rebuild that fails part-way (here the month names cannot be read, after the rows are
// rewritten) leaves the settlement computed before, rows and totals.
void TestServiziChiusuraIva::ricalcoloFallitoLasciaIlPrecedente()
{
    TestDatabase db(TestDatabase::WithSchema);
    anno(db);
    const qint64 id = calcola(db, Periodicita::Mensile, 2025, 1);
    const QString r = QStringLiteral("ContabilitaChiusuraIvaMensileRighe"), l = QStringLiteral("ContabilitaChiusuraIvaMensile_ID");
    const Righe prima = righe(db, r, l, id);
    const QList<double> totali = testata(db, Periodicita::Mensile, id);
    db.exec("ALTER TABLE Mesi RENAME TO MesiAltrove");
    db.conn().clearMetadataCache();
    QVERIFY_THROWS_EXCEPTION(db::DbError, contabilita::calcolaChiusura(db.conn(), Periodicita::Mensile, id, 2025, 2));
    QCOMPARE(righe(db, r, l, id), prima);
    QCOMPARE(testata(db, Periodicita::Mensile, id), totali);
    QCOMPARE(db.scalar("select Mese from ContabilitaChiusuraIvaMensile").toInt(), 1);
}

void TestServiziChiusuraIva::nuovoPeriodo_data()
{
    QTest::addColumn<bool>("mensile");
    QTest::addColumn<QString>("ultimo"); // "anno,periodo,credito,debito", empty for none
    QTest::addColumn<QList<double>>("atteso"); // anno, periodo, carried credit
    QTest::newRow("none: period 1 of this year") << false << QString() << QList<double>{2026, 1, 0};
    QTest::newRow("after Q4 2024 in credit") << false << "2024,4,500,200" << QList<double>{2025, 1, 300};
    QTest::newRow("after Q2 in debit") << false << "2024,2,200,500" << QList<double>{2024, 3, 0};
    QTest::newRow("after December") << true << "2024,12,0,0" << QList<double>{2025, 1, 0};
    QTest::newRow("after March in credit") << true << "2025,3,80.1,-5" << QList<double>{2025, 4, 80.1};
}

void TestServiziChiusuraIva::nuovoPeriodo()
{
    QFETCH(bool, mensile);
    QFETCH(QString, ultimo);
    QFETCH(QList<double>, atteso);
    TestDatabase db(TestDatabase::WithSchema);
    const Periodicita p = mensile ? Periodicita::Mensile : Periodicita::Trimestrale;
    const contabilita::TabelleChiusura &t = contabilita::tabelle(p);
    if (!ultimo.isEmpty()) {
        const QStringList v = ultimo.split(',');
        // An earlier row with a greater id comes first by period, so the order is by period.
        db.conn().execute(QStringLiteral("insert into %1 (Anno, %2, TotaleIvaCredito, TotaleIvaDebito, %3) values (%4, %5, %6, %7, 999)")
                              .arg(t.testata, t.periodo, t.credito, v[0], v[1], v[2], v[3]));
        db.conn().execute(QStringLiteral("insert into %1 (Anno, %2, TotaleIvaCredito) values (2001, 1, 1000)").arg(t.testata, t.periodo));
    }
    const qint64 id = contabilita::nuovoPeriodo(db.conn(), p, 2026);
    QCOMPARE(id, db.scalar(QStringLiteral("select max(Id) from %1").arg(t.testata)).toLongLong());
    db::Query q(&db.conn());
    q.setSql(QStringLiteral("select * from %1 where Id = %2").arg(t.testata).arg(id));
    q.open();
    QCOMPARE((QList<double>{q.fieldByName("Anno").asFloat(), q.fieldByName(t.periodo).asFloat(), q.fieldByName(t.credito).asFloat()}), atteso);
}

void TestServiziChiusuraIva::eliminaConLeRighe()
{
    TestDatabase db(TestDatabase::WithSchema);
    anno(db);
    const qint64 q1 = calcola(db, Periodicita::Trimestrale, 2025, 1);
    const qint64 q2 = calcola(db, Periodicita::Trimestrale, 2025, 2);
    contabilita::eliminaChiusura(db.conn(), Periodicita::Trimestrale, q1);
    QCOMPARE(db.scalar("select count(*) from ContabilitaChiusuraIvaTrimestre").toInt(), 1);
    QCOMPARE(db.scalar(QStringLiteral("select count(*) from ContabilitaChiusuraIvaTrimestreRighe where ContabilitaChiusuraIvaTrimestre_ID = %1")
                           .arg(q1))
                 .toInt(),
             0);
    QCOMPARE(db.scalar("select count(*) from ContabilitaChiusuraIvaTrimestreRigheNonSoggetta").toInt(), 0);
    QCOMPARE(db.scalar(QStringLiteral("select count(*) from ContabilitaChiusuraIvaTrimestreRighe where ContabilitaChiusuraIvaTrimestre_ID = %1")
                           .arg(q2))
                 .toInt(),
             5);
}

namespace {

// The chart: class Ricavi (grouping Servizi: 101 Soccorsi, 102 Custodie), class Costi (grouping
// Acquisti: 201 Ricambi, 202 Manutenzioni), and 301 Cassa, the receipts account; cash-book rows
// of the year: an income of 500.50 on 101, an expense of 70.25 on 201, a row with both on 202,
// and one without an account.
void piano(TestDatabase &db)
{
    db.exec("INSERT INTO ContabilitaClassi (Id, Descrizione) VALUES (1, 'Ricavi'), (2, 'Costi');"
            "INSERT INTO ContabilitaRaggruppamenti (Id, Descrizione, Classe_ID) VALUES (10, 'Servizi', 1), (20, 'Acquisti', 2), (30, 'Liquidità', 1);"
            "INSERT INTO ContabilitaConti (ID, Descrizione, Raggruppamento_ID) VALUES (101, 'Soccorsi', 10), (102, 'Custodie', 10),"
            " (201, 'Ricambi', 20), (202, 'Manutenzioni', 20), (301, 'Cassa', 30);"
            "UPDATE opzioni SET conto_ID_Predefinito_su_Corrispettivi = 301;"
            "INSERT INTO finanzia (Data, Operazione, Entrata, Uscita, Corrispettivi, ContabilitaConti_ID) VALUES"
            " ('2025-03-01 00:00:00', 'Incasso contanti', 500.5, 0, 0, 101), ('2025-12-31 23:59:59', 'Bollo', 0, 70.25, 0, 201),"
            " ('2025-06-01 00:00:00', 'Giroconto', 10, 4, 0, 202), ('2025-06-02 00:00:00', 'Senza conto', 99, 0, 0, NULL),"
            " ('2026-01-01 00:00:00', 'Anno dopo', 1000, 0, 0, 101)");
}

QMap<qint64, QList<double>> righeBilancio(TestDatabase &db, const QString &pc)
{
    db::Query q(&db.conn());
    q.setSql(QStringLiteral("select ContabilitaConti_ID, TotaleImponibile, DescrizioneData from TempBilancio where NomeComputer = '%1'").arg(pc));
    q.open();
    QMap<qint64, QList<double>> m;
    for (q.first(); !q.eof(); q.next()) {
        m[q.fieldByName("ContabilitaConti_ID").asLargeInt()] << q.fieldByName("TotaleImponibile").asFloat();
        if (q.fieldByName("DescrizioneData").asString() != QLatin1String("Dal 01/01/2025 al 31/12/2025") &&
            q.fieldByName("DescrizioneData").asString() != QLatin1String("Dal 01/01/2025 al 30/06/2025"))
            m[-1] << 1;
    }
    return m;
}

} // namespace

// The year's balance, by hand. 101: sales 1000 + 300 + 200 + 150 + 500 + 1000 (the split-payment
// invoice counts here) less the credit note 100, plus the income 500.50 = 3550.50. 102: 90 - 40
// = 50. 201: purchases -(400 + 250 + 1000) (the row taken back is left out) + 50 - 70.25 =
// -1670.25. 202: -(80 + 60) + 30 + 10 - 4 = -104. 301: receipts 100 - 10 + 50/1.22 (40.9836) =
// 130.98.
void TestServiziChiusuraIva::bilancio()
{
    TestDatabase db(TestDatabase::WithSchema);
    anno(db);
    piano(db);
    // A cash receipt counts through the receipts only, never on an account of its own.
    db.exec("UPDATE finanzia SET ContabilitaConti_ID = 201 WHERE Operazione = 'Incasso banco'");
    const auto per = contabilita::periodoStampa(QStringLiteral("01/01/2025"), QStringLiteral("31/12/2025"));
    QVERIFY(per);
    QCOMPARE(contabilita::calcolaBilancio(db.conn(), QStringLiteral("PC1"), *per), 5);
    const QMap<qint64, QList<double>> atteso{{101, {3550.5}}, {102, {50}}, {201, {-1670.25}}, {202, {-104}}, {301, {130.98}}};
    QCOMPARE(righeBilancio(db, QStringLiteral("PC1")), atteso);

    // One day: 31 December up to 23:59:59.
    const auto giorno = contabilita::periodoStampa(QStringLiteral("31/12/2025"), QStringLiteral("31/12/2025"));
    QCOMPARE(contabilita::calcolaBilancio(db.conn(), QStringLiteral("PC1"), *giorno), 1);
    QCOMPARE(db.scalar("select TotaleImponibile from TempBilancio").toDouble(), -70.25);
    QVERIFY(!contabilita::periodoStampa(QStringLiteral("31/02/2025"), QStringLiteral("31/12/2025")));
    QVERIFY(!contabilita::periodoStampa(QStringLiteral("01/01/2025"), QStringLiteral("  /  /    ")));
}

void TestServiziChiusuraIva::bilancioDueVolteEPostazioni()
{
    TestDatabase db(TestDatabase::WithSchema);
    anno(db);
    piano(db);
    db.conn().execute("insert into TempBilancio (NomeComputer, ContabilitaConti_ID, TotaleImponibile) values ('PC2', 101, 1)");
    const auto per = contabilita::periodoStampa(QStringLiteral("01/01/2025"), QStringLiteral("30/06/2025"));
    contabilita::calcolaBilancio(db.conn(), QStringLiteral("PC1"), *per);
    const QMap<qint64, QList<double>> prima = righeBilancio(db, QStringLiteral("PC1"));
    contabilita::calcolaBilancio(db.conn(), QStringLiteral("PC1"), *per);
    QVERIFY(!prima.contains(-1)); // every row carries the period's label
    QCOMPARE(righeBilancio(db, QStringLiteral("PC1")), prima);
    QCOMPARE(db.scalar("select count(*) from TempBilancio where NomeComputer = 'PC2'").toInt(), 1);
}

// The statement of account 201: purchases by registration date, the supplier credit note, a cash
// receipt and the cash-book expense, each with its own amount; the row taken back is left out.
void TestServiziChiusuraIva::situazioneConto()
{
    TestDatabase db(TestDatabase::WithSchema);
    anno(db);
    piano(db);
    db.exec(QStringLiteral("UPDATE NotaCreditoCaricoRighe SET Descrizione = '%1' WHERE NotaCredito_ID = 31").arg(QString(300, 'x')));
    // A cash receipt booked to the account is listed like any cash-book income.
    db.exec("UPDATE finanzia SET ContabilitaConti_ID = 201 WHERE Operazione = 'Incasso banco'");
    const auto per = contabilita::periodoStampa(QStringLiteral("01/01/2025"), QStringLiteral("31/12/2025"));
    QCOMPARE(contabilita::calcolaSituazioneConto(db.conn(), QStringLiteral("PC1"), 201, *per), 6);
    db::Query q(&db.conn());
    q.setSql("select * from TempContabilitaConto where NomeComputer = 'PC1' order by Id");
    q.open();
    QStringList righe;
    for (q.first(); !q.eof(); q.next())
        righe << QStringLiteral("%1 %2 %3 %4 %5 %6 %7")
                     .arg(q.fieldByName("Tipologia").asString(), q.fieldByName("DescrizioneTipologia").asString(),
                          QString::number(q.fieldByName("TotaleImponibile").asFloat(), 'f', 2), q.fieldByName("NumeroDocumento").asString(),
                          q.fieldByName("ProgressivoCarico").asString(), QString::number(q.fieldByName("Descrizione").asString().size()),
                          q.fieldByName("DescrizioneData").asString());
    const QString l = QStringLiteral("Dal 01/01/2025 al 31/12/2025");
    QCOMPARE(righe, (QStringList{"3 Fatture di Acquisto 250.00 F-12 1 7 " + l, "3 Fatture di Acquisto 400.00 F-77 3 7 " + l,
                                 "3 Fatture di Acquisto 1000.00 F-90 4 14 " + l, "4 Note di Credito da Fornitore 50.00 NC-5 1 250 " + l,
                                 "5 Prima Nota in Dare 122.00   13 " + l, "6 Prima Nota in Avere 70.25   5 " + l}));
    // Sales rows carry the line's net and the invoice number; a second build replaces the first.
    QCOMPARE(contabilita::calcolaSituazioneConto(db.conn(), QStringLiteral("PC1"), 102, *per), 2);
    QCOMPARE(db.scalar("select TotaleImponibile from TempContabilitaConto where Tipologia = 1").toDouble(), 90.0);
    QCOMPARE(db.scalar("select NumeroDocumento from TempContabilitaConto where Tipologia = 1").toString(), QStringLiteral("1"));
    QCOMPARE(db.scalar("select SerieFatturazione from TempContabilitaConto where Tipologia = 2").toString(), QStringLiteral("NC"));
    QCOMPARE(db.scalar("select TotaleImponibile from TempContabilitaConto where Tipologia = 2").toDouble(), 40.0);
    // A cash-book row with both an income and an expense is listed twice.
    QCOMPARE(contabilita::calcolaSituazioneConto(db.conn(), QStringLiteral("PC1"), 202, *per), 5);
    QCOMPARE(db.scalar("select count(*) from TempContabilitaConto").toInt(), 5);
    QCOMPARE(db.scalar("select TotaleImponibile from TempContabilitaConto where Tipologia = 5").toDouble(), 10.0);
    QCOMPARE(db.scalar("select TotaleImponibile from TempContabilitaConto where Tipologia = 6").toDouble(), 4.0);
}
