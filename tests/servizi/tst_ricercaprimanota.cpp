#include "tst_ricercaprimanota.h"

#include "accounting/services/RicercaPrimaNota.h"
#include "db/Query.h"
#include "support/TestCore.h"

#include <QTest>
#include <algorithm>

using namespace testing_support;

namespace {

// Rows of the fixture: id, day and time, description, note, income and outgoing in cents
// (-1: empty), customer, supplier, payment method, bank, kind of book, history flag.
struct Riga {
    int id;
    const char *data;
    const char *operazione;
    const char *note;
    qint64 entrata, uscita;
    int cliente, fornitore, pagamento, banca, tipologia;
    bool storico;
};

const Riga kRighe[] = {
    {1, "2026-01-01 00:00:00", "Incasso bar", "contanti", 1011, -1, 1, 0, 1, 0, 1, false},
    {2, "2026-01-31 23:59:59", "Incasso d'Angelo", "bonifico", 250005, 0, 2, 0, 2, 1, 2, false},
    {3, "2026-02-01 00:00:00", "Pagamento gasolio", "", -1, 4599, 0, 1, 1, 0, 1, false},
    {4, "2026-02-15 10:30:00", "Pagamento affitto", "d'accordo", 0, 80000, 0, 2, 2, 2, 2, false},
    {5, "2026-03-01 08:00:00", "incasso officina", "", 333, 0, 1, 0, 0, 0, 3, false},
    {6, "2026-03-31 23:59:59", "Giroconto", "fuori", 100, 100, 0, 0, 0, 2, 3, false},
    {7, "2025-12-31 12:00:00", "Incasso vecchio", "", 777, 0, 1, 0, 1, 1, 1, true},
};

QString importo(qint64 c) { return c < 0 ? QStringLiteral("null") : QString::number(double(c) / 100.0, 'f', 2); }

void popola(TestDatabase &db)
{
    db::Connection &c = db.conn();
    c.execute(QStringLiteral("insert into Clienti (Id, NominativoVisualizzato) values (1, 'Bar Roma'), (2, 'D''Angelo Mario')"));
    c.execute(QStringLiteral("insert into Fornitor (Id, Fornitore) values (1, 'Petroli Sud'), (2, 'Immobiliare Po')"));
    c.execute(QStringLiteral("insert into ModPagamento (id, Descrizione) values (101, 'Contanti'), (102, 'Bonifico')"));
    c.execute(QStringLiteral("insert into Bank (Id, Banca, Iban) values (1, 'Banca Uno', 'IT01'), (2, 'Banca Due', 'IT02')"));
    for (const Riga &r : kRighe)
        c.execute(QStringLiteral("insert into finanzia (ID, Data, Operazione, Note, Entrata, Uscita, Cliente_id, Fornitore_id, "
                                 "ModPagamento_Id, Banca_ID, Tipologia_ID, Storico) values (%1, :data, :op, :note, %2, %3, %4, %5, "
                                 "%6, %7, %8, :storico)")
                      .arg(r.id)
                      .arg(importo(r.entrata), importo(r.uscita))
                      .arg(r.cliente)
                      .arg(r.fornitore)
                      .arg(r.pagamento ? r.pagamento + 100 : 0)
                      .arg(r.banca)
                      .arg(r.tipologia),
                  {{QStringLiteral(":data"), QDateTime::fromString(QString::fromLatin1(r.data), QStringLiteral("yyyy-MM-dd HH:mm:ss"))},
                   {QStringLiteral(":op"), QString::fromUtf8(r.operazione)},
                   {QStringLiteral(":note"), QString::fromUtf8(r.note)},
                   {QStringLiteral(":storico"), r.storico}});
}

QList<int> ids(db::Query &q)
{
    QList<int> l;
    const int col = q.fieldIndex(QStringLiteral("ID"));
    for (int r = 0; r < q.recordCount(); ++r) l << q.valueAt(r, col).toInt();
    std::sort(l.begin(), l.end());
    return l;
}

} // namespace

void TestServiziRicercaPrimaNota::filtri_data()
{
    QTest::addColumn<primanota::CriteriRicerca>("criteri");
    QTest::addColumn<QList<int>>("attesi");
    auto c = [] { return primanota::CriteriRicerca{}; };
    const QList<int> tutte = {1, 2, 3, 4, 5, 6, 7};
    QTest::newRow("nothing") << c() << tutte;
    QTest::newRow("empty masks") << [&] { auto x = c(); x.daData = "  /  /    "; x.aData = "//"; return x; }() << tutte;
    QTest::newRow("from, first second of the day") << [&] { auto x = c(); x.daData = "01/02/2026"; return x; }() << QList<int>{3, 4, 5, 6};
    QTest::newRow("to, last second of the day") << [&] { auto x = c(); x.aData = "31/01/2026"; return x; }() << QList<int>{1, 2, 7};
    QTest::newRow("to, whole end day with time") << [&] { auto x = c(); x.aData = "31/03/2026"; return x; }() << tutte;
    QTest::newRow("one day") << [&] { auto x = c(); x.daData = "15/02/2026"; x.aData = "15/02/2026"; return x; }() << QList<int>{4};
    QTest::newRow("blanks around a date") << [&] { auto x = c(); x.daData = " 01/03/2026 "; return x; }() << QList<int>{5, 6};
    QTest::newRow("Cassa") << [&] { auto x = c(); x.tipologia = 1; return x; }() << QList<int>{1, 3, 7};
    QTest::newRow("Banca") << [&] { auto x = c(); x.tipologia = 2; return x; }() << QList<int>{2, 4};
    QTest::newRow("Fuori Cassa") << [&] { auto x = c(); x.tipologia = 3; return x; }() << QList<int>{5, 6};
    QTest::newRow("operation prefix, any case") << [&] { auto x = c(); x.operazione = "incasso"; return x; }() << QList<int>{1, 2, 5, 7};
    QTest::newRow("operation star") << [&] { auto x = c(); x.operazione = "*"; return x; }() << tutte;
    QTest::newRow("operation prefix only, not inside") << [&] { auto x = c(); x.operazione = "bar"; return x; }() << QList<int>{};
    QTest::newRow("apostrophe in operation") << [&] { auto x = c(); x.operazione = "Incasso d'A"; return x; }() << QList<int>{2};
    QTest::newRow("apostrophe in note") << [&] { auto x = c(); x.note = "d'acc"; return x; }() << QList<int>{4};
    QTest::newRow("customer with apostrophe") << [&] { auto x = c(); x.cliente = "D'Angelo"; return x; }() << QList<int>{2};
    QTest::newRow("customer") << [&] { auto x = c(); x.cliente = "Bar"; return x; }() << QList<int>{1, 5, 7};
    QTest::newRow("supplier") << [&] { auto x = c(); x.fornitore = "Imm"; return x; }() << QList<int>{4};
    QTest::newRow("payment method") << [&] { auto x = c(); x.modPagamento = "Bon"; return x; }() << QList<int>{2, 4};
    QTest::newRow("bank") << [&] { auto x = c(); x.banca = 2; return x; }() << QList<int>{4, 6};
    QTest::newRow("every box") << [&] {
        auto x = c();
        x.daData = "01/01/2026";
        x.aData = "31/01/2026";
        x.tipologia = 2;
        x.operazione = "Inc";
        x.note = "bon";
        x.cliente = "D'";
        x.modPagamento = "Bonifico";
        x.banca = 1;
        return x;
    }() << QList<int>{2};
}

void TestServiziRicercaPrimaNota::filtri()
{
    QFETCH(primanota::CriteriRicerca, criteri);
    QFETCH(QList<int>, attesi);
    CoreSeams seams;
    TestDatabase db(TestDatabase::WithSchema);
    popola(db);
    db::Query q(&db.conn());
    q.setSql(primanota::sqlElenco());
    q.open();
    const primanota::FiltroRicerca f = primanota::filtroRicerca(criteri);
    QVERIFY2(f.valido(), qPrintable(f.errore));
    q.setFilter(f.filtro);
    QCOMPARE(ids(q), attesi);
    // The totals are those of the rows shown, summed in whole cents; empty amounts count 0.
    qint64 e = 0, u = 0;
    for (const Riga &r : kRighe)
        if (attesi.contains(r.id)) {
            e += std::max<qint64>(r.entrata, 0);
            u += std::max<qint64>(r.uscita, 0);
        }
    const primanota::Totali t = primanota::totaliElenco(q);
    QVERIFY(t.entrate == double(e) / 100.0);
    QVERIFY(t.uscite == double(u) / 100.0);
    QVERIFY(t.saldo == double(e - u) / 100.0);
}

void TestServiziRicercaPrimaNota::dataNonValida_data()
{
    QTest::addColumn<QString>("da");
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("messaggio");
    QTest::newRow("day 31 of February") << "31/02/2026" << "" << "Attenzione data non valida: 31/02/2026";
    QTest::newRow("month 13") << "" << "01/13/2026" << "Attenzione data non valida: 01/13/2026";
    QTest::newRow("half typed") << "12/05/    " << "" << "Attenzione data non valida: 12/05/";
    QTest::newRow("month first") << "" << "12/31/2026" << "Attenzione data non valida: 12/31/2026";
}

void TestServiziRicercaPrimaNota::dataNonValida()
{
    QFETCH(QString, da);
    QFETCH(QString, a);
    QFETCH(QString, messaggio);
    primanota::CriteriRicerca c;
    c.daData = da;
    c.aData = a;
    c.operazione = "Inc";
    const primanota::FiltroRicerca f = primanota::filtroRicerca(c);
    QVERIFY(!f.valido());
    QCOMPARE(f.errore, messaggio);
    QVERIFY(f.filtro.isEmpty());
}

void TestServiziRicercaPrimaNota::elencoAnnoEPeriodo()
{
    CoreSeams seams;
    TestDatabase db(TestDatabase::WithSchema);
    popola(db);
    db::Query q(&db.conn());
    q.setSql(primanota::sqlElencoAnno(2026));
    q.open();
    QCOMPARE(ids(q), QList<int>({1, 2, 3, 4, 5, 6}));
    QCOMPARE(q.fieldByName("ID").asInteger(), 6); // newest first
    q.close();
    // A range takes its rows whatever their history flag, the end day whole.
    q.setSql(primanota::sqlElencoPeriodo("31/12/2025", "31/01/2026"));
    q.open();
    QCOMPARE(ids(q), QList<int>({1, 2, 7}));
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, primanota::sqlElencoPeriodo("31/02/2025", "31/01/2026"));
}

void TestServiziRicercaPrimaNota::legataADocumento_data()
{
    QTest::addColumn<bool>("opzione");
    QTest::addColumn<QVariant>("fattura");
    QTest::addColumn<bool>("legata");
    QTest::newRow("option on, document") << true << QVariant(12) << true;
    QTest::newRow("option off, document") << false << QVariant(12) << false;
    QTest::newRow("option on, zero") << true << QVariant(0) << false;
    QTest::newRow("option on, empty") << true << QVariant() << false;
}

void TestServiziRicercaPrimaNota::legataADocumento()
{
    QFETCH(bool, opzione);
    QFETCH(QVariant, fattura);
    QFETCH(bool, legata);
    CoreSeams seams;
    TestDatabase db(TestDatabase::WithSchema);
    db.conn().execute(QStringLiteral("update opzioni set DuplicaFatturazioneInPrimaNota = :v"), {{QStringLiteral(":v"), opzione}});
    QCOMPARE(primanota::legataADocumento(db.conn(), fattura), legata);
}
