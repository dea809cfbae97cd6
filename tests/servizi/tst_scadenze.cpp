#include "tst_scadenze.h"

#include "db/Query.h"
#include "sales/services/Scadenze.h"
#include "support/TestCore.h"

#include <QTest>
#include <cmath>

using namespace testing_support;
using scadenze::Genere;

namespace {

const QDate Data15Gennaio(2024, 1, 15);

// A payment method: n instalments, the day counts (30, 60, 90 ... unless given) and the flags.
qint64 metodo(TestDatabase &db, int n, const QList<int> &giorni = {}, bool fineMese = false, bool annoCommerciale = false,
              bool daFineMeseInizio = false)
{
    QString colonne = QStringLiteral("Descrizione, NumeroScadenze, FatturaFineMese, AnnoCommerciale, CalcolaScadenzeFineMeseInizio");
    QString valori = QStringLiteral(":d, :n, :fm, :ac, :ini");
    db::Params p{{":d", QStringLiteral("Metodo %1").arg(n)}, {":n", n}, {":fm", fineMese}, {":ac", annoCommerciale}, {":ini", daFineMeseInizio}};
    for (int i = 1; i <= 12; ++i) {
        colonne += QStringLiteral(", GG%1Scadenza").arg(i);
        valori += QStringLiteral(", :g%1").arg(i);
        p.append({QStringLiteral(":g%1").arg(i), giorni.value(i - 1, 30 * i)});
    }
    db.conn().execute(QStringLiteral("insert into ModPagamento (%1) values (%2)").arg(colonne, valori), p);
    return db.conn().lastInsertId();
}

// A document header as the editors store it. Purchase documents carry the supplier's number
// and are created with Num 1, which their texts never show.
struct Doc {
    Genere genere = Genere::FatturaVendita;
    QVariant num = 12;
    QVariant serie = QStringLiteral("A");
    QVariant numeroCarico = QStringLiteral("FT/77");
    QVariant data = Data15Gennaio;
    QVariant dataRegistrazione = QDate(2024, 1, 20);
    qint64 parte = 7;
    qint64 metodo = 0;
    qint64 banca = 3;
    double totFattura = 100;
    double totImponibile = 81.97;
    bool scissione = false;
};

bool acquisto(Genere g) { return g == Genere::FatturaAcquisto || g == Genere::NotaCreditoAcquisto; }

qint64 documento(TestDatabase &db, const Doc &d)
{
    const bool carico = acquisto(d.genere);
    const bool nota = d.genere == Genere::NotaCreditoVendita || d.genere == Genere::NotaCreditoAcquisto;
    db.conn().execute(QStringLiteral("insert into fattura (Carico, FattNota, Num, SerieFatturazione, NumeroCarico, Data, "
                                     "DataRegistrazione, Cliente_ID, Fornitore_ID, ModPagamento_Id, Banca_ID, TotFattura, "
                                     "TotImponibile, ScissionePagamenti) values (:carico, :nota, :num, :serie, :numcarico, "
                                     ":data, :datareg, :cliente, :fornitore, :metodo, :banca, :tot, :imp, :sciss)"),
                      {{":carico", carico},
                       {":nota", nota},
                       {":num", carico ? QVariant(1) : d.num},
                       {":serie", d.serie},
                       {":numcarico", carico ? d.numeroCarico : QVariant()},
                       {":data", d.data},
                       {":datareg", carico ? d.dataRegistrazione : QVariant()},
                       {":cliente", carico ? 0 : d.parte},
                       {":fornitore", carico ? d.parte : 0},
                       {":metodo", d.metodo},
                       {":banca", d.banca},
                       {":tot", d.totFattura},
                       {":imp", d.totImponibile},
                       {":sciss", d.scissione}});
    return db.conn().lastInsertId();
}

void opzioni(TestDatabase &db, bool duplica, bool semplificata = false)
{
    db.conn().execute(QStringLiteral("update opzioni set DuplicaFatturazioneInPrimaNota = :d, PrimaNotaDescrizioneSemplificata = :s"),
                      {{":d", duplica}, {":s", semplificata}});
}

QString giorno(const db::Field &f) { return f.isNull() ? QString() : f.asDateTime().date().toString("dd/MM/yyyy"); }
qint64 cent(const db::Field &f) { return std::llround(f.asFloat() * 100); }

// An instalment as stored.
struct Rata {
    qint64 id, numero, fattura, cliente, fornitore, banca, modpag, finanzia, importo;
    QString scadenza, operazione, tipo, pagamento;
    bool pagato;
};

QList<Rata> rate(TestDatabase &db, qint64 doc)
{
    db::Query q(&db.conn());
    q.setSql("select * from FatturaScadenze where Fattura_ID = :id order by Numero, Id");
    q.bind(":id", doc);
    q.open();
    QList<Rata> r;
    for (q.first(); !q.eof(); q.next())
        r.append({q.fieldByName("Id").asLargeInt(), q.fieldByName("Numero").asLargeInt(), q.fieldByName("Fattura_ID").asLargeInt(),
                  q.fieldByName("Cliente_id").asLargeInt(), q.fieldByName("Fornitore_id").asLargeInt(),
                  q.fieldByName("Banca_ID").asLargeInt(), q.fieldByName("ModPagamento_Id").asLargeInt(),
                  q.fieldByName("Finanzia_id").asLargeInt(), cent(q.fieldByName("Importo")), giorno(q.fieldByName("DataScadenza")),
                  q.fieldByName("Operazione").asString(), q.fieldByName("Tipo").asString(), giorno(q.fieldByName("DataPagamento")),
                  q.fieldByName("Pagato").asBoolean()});
    return r;
}

// A cash-book row as stored.
struct Riga {
    qint64 id, entrata, uscita, cliente, fornitore, modpag, banca, fattura, scadenza;
    QString tipo, data, operazione;
    bool storico, corrispettivi;
};

QList<Riga> righePrimaNota(TestDatabase &db, const QString &dove = "1 = 1")
{
    db::Query q(&db.conn());
    q.setSql("select * from finanzia where " + dove + " order by ID");
    q.open();
    QList<Riga> r;
    for (q.first(); !q.eof(); q.next())
        r.append({q.fieldByName("ID").asLargeInt(), cent(q.fieldByName("Entrata")), cent(q.fieldByName("Uscita")),
                  q.fieldByName("Cliente_id").asLargeInt(), q.fieldByName("Fornitore_id").asLargeInt(),
                  q.fieldByName("ModPagamento_Id").asLargeInt(), q.fieldByName("Banca_ID").asLargeInt(),
                  q.fieldByName("Fattura_ID").asLargeInt(), q.fieldByName("FatturaScadenze_Id").asLargeInt(),
                  q.fieldByName("Tipo").asString(), giorno(q.fieldByName("Data")), q.fieldByName("Operazione").asString(),
                  q.fieldByName("Storico").asBoolean(), q.fieldByName("Corrispettivi").asBoolean()});
    return r;
}

qint64 finanziaDelDocumento(TestDatabase &db, qint64 doc)
{
    return db.conn().scalar("select Finanzia_id from fattura where ID = :id", {{":id", doc}}).toLongLong();
}

QStringList operazioni(const QList<Rata> &r)
{
    QStringList t;
    for (const Rata &x : r) t << x.operazione;
    return t;
}

QList<qint64> importi(const QList<Rata> &r)
{
    QList<qint64> t;
    for (const Rata &x : r) t << x.importo;
    return t;
}

QList<qint64> ids(const QList<Rata> &r)
{
    QList<qint64> t;
    for (const Rata &x : r) t << x.id;
    return t;
}

// An instalment paid as the payment of instalments records it, with its cash-book row.
void paga(TestDatabase &db, const Rata &r, const QDate &data)
{
    db.conn().execute("insert into finanzia (Data, Operazione, Entrata, Tipo, Fattura_ID, FatturaScadenze_Id) "
                      "values (:d, :o, :e, 'F', :f, :s)",
                      {{":d", data}, {":o", r.operazione}, {":e", r.importo / 100.0}, {":f", r.fattura}, {":s", r.id}});
    db.conn().execute("update FatturaScadenze set Pagato = 1, DataPagamento = :d, Finanzia_id = :r where Id = :id",
                      {{":d", data}, {":r", db.conn().lastInsertId()}, {":id", r.id}});
}

// The texts each kind writes for a document numbered 12 (sales, series A) or "FT/77"
// (purchases), dated 15/01/2024; %1 is the instalment number.
struct TestiGenere {
    int genere;
    QString nome, tipo, rata, senzaRate;
};

const QList<TestiGenere> &generi()
{
    static const QList<TestiGenere> g{
        {int(Genere::FatturaVendita), "fattura vendita", "F", "%1° Rata fattura  numero 12 A  Data: 15/01/2024 ",
         "Fattura  numero 12 A  Data: 15/01/2024 "},
        {int(Genere::NotaCreditoVendita), "nota credito vendita", "N", "%1° Rata Nota di credito  N° 12 A  Data: 15/01/2024 ",
         "Nota di credito  N° 12 A  Data: 15/01/2024 "},
        {int(Genere::FatturaAcquisto), "fattura acquisto", "C", "%1° Rata fattura di acquisto N° FT/77  Data: 15/01/2024 ",
         "Pagamento effettuato Fattura di acquisto N° FT/77  Data: 15/01/2024 "},
        {int(Genere::NotaCreditoAcquisto), "nota credito fornitore", "B",
         "%1° Rata Nota di credito Fornitore  N° FT/77  Data: 15/01/2024 ",
         "Nota di credito da Fornitore  N° FT/77  Data: 15/01/2024 "},
    };
    return g;
}

} // namespace

// Every kind with 0, 1, 2, 3 and 12 instalments of a total of 100.00 over a method of 30, 60,
// 90 ... days from 15/01/2024.
void TestServiziScadenze::ricostruzione_data()
{
    QTest::addColumn<int>("genere");
    QTest::addColumn<QString>("tipo");
    QTest::addColumn<int>("n");
    QTest::addColumn<QStringList>("testi");
    QTest::addColumn<QList<qint64>>("importi");
    QTest::addColumn<QStringList>("scadenze");
    QTest::addColumn<bool>("pagate");
    struct Caso {
        int n;
        QList<qint64> importi;
        QStringList scadenze;
    };
    const QList<Caso> casi{
        {0, {10000}, {"15/01/2024"}},
        {1, {10000}, {"14/02/2024"}},
        {2, {5000, 5000}, {"14/02/2024", "15/03/2024"}},
        {3, {3333, 3333, 3334}, {"14/02/2024", "15/03/2024", "14/04/2024"}},
        {12,
         {833, 833, 833, 833, 833, 833, 833, 833, 833, 833, 833, 837},
         {"14/02/2024", "15/03/2024", "14/04/2024", "14/05/2024", "13/06/2024", "13/07/2024", "12/08/2024", "11/09/2024",
          "11/10/2024", "10/11/2024", "10/12/2024", "09/01/2025"}},
    };
    for (const TestiGenere &g : generi())
        for (const Caso &c : casi) {
            QStringList testi;
            if (c.n == 0)
                testi << g.senzaRate;
            else
                for (int i = 1; i <= c.n; ++i) testi << g.rata.arg(i);
            QTest::addRow("%s, %d rate", qPrintable(g.nome), c.n)
                << g.genere << g.tipo << c.n << testi << c.importi << c.scadenze << (c.n == 0);
        }
}

void TestServiziScadenze::ricostruzione()
{
    QFETCH(int, genere);
    QFETCH(QString, tipo);
    QFETCH(int, n);
    QFETCH(QStringList, testi);
    QFETCH(QList<qint64>, importi);
    QFETCH(QStringList, scadenze);
    QFETCH(bool, pagate);
    CoreSeams seams;
    TestDatabase db(TestDatabase::WithSchema);
    opzioni(db, false);
    Doc d;
    d.genere = Genere(genere);
    d.metodo = metodo(db, n);
    const qint64 doc = documento(db, d);
    const qint64 altro = documento(db, d);
    scadenze::generaScadenze(db.conn(), altro, d.genere, false);

    const scadenze::Esito e = scadenze::generaScadenze(db.conn(), doc, d.genere, false);
    QVERIFY(e.eseguito);
    const QList<Rata> r = rate(db, doc);
    QCOMPARE(r.size(), testi.size());
    QCOMPARE(e.scadenzeInserite, ids(r));
    QCOMPARE(operazioni(r), testi);
    QCOMPARE(::importi(r), importi);
    for (int i = 0; i < r.size(); ++i) {
        QCOMPARE(r[i].numero, i + 1);
        QCOMPARE(r[i].scadenza, scadenze[i]);
        QCOMPARE(r[i].tipo, tipo);
        QCOMPARE(r[i].pagato, pagate);
        QCOMPARE(r[i].pagamento, pagate ? scadenze[i] : QString());
        QCOMPARE(r[i].banca, 3);
        QCOMPARE(r[i].modpag, d.metodo);
        QCOMPARE(r[i].cliente, acquisto(d.genere) ? 0 : 7);
        QCOMPARE(r[i].fornitore, acquisto(d.genere) ? 7 : 0);
        QCOMPARE(r[i].finanzia, 0);
    }
    QCOMPARE(db.scalar(QString("select count(*) from FatturaScadenze where Fattura_ID = %1").arg(altro)).toInt(), testi.size());
    QVERIFY(righePrimaNota(db).isEmpty()); // the option is off

    // Rebuilt again: the same schedule in new rows, nothing doubled.
    const scadenze::Esito di_nuovo = scadenze::generaScadenze(db.conn(), doc, d.genere, false);
    QCOMPARE(di_nuovo.scadenzeEliminate, testi.size());
    const QList<Rata> nuove = rate(db, doc);
    QCOMPARE(operazioni(nuove), testi);
    QVERIFY(nuove.first().id > r.last().id);
}

// Every row of the due-date table, with one instalment of the method's days.
void TestServiziScadenze::scadenze_data()
{
    QTest::addColumn<QDate>("inizio");
    QTest::addColumn<int>("giorni");
    QTest::addColumn<bool>("fineMese");
    QTest::addColumn<bool>("annoCommerciale");
    QTest::addColumn<bool>("daFineMeseInizio");
    QTest::addColumn<QString>("scadenza");
    const QDate s = Data15Gennaio;
    QTest::newRow("30 days") << s << 30 << false << false << false << "14/02/2024";
    QTest::newRow("30 days, from end of month alone does nothing") << s << 30 << false << false << true << "14/02/2024";
    QTest::newRow("30 days, end of month") << s << 30 << true << false << false << "29/02/2024";
    QTest::newRow("30 days, end of month first") << s << 30 << true << false << true << "01/03/2024";
    QTest::newRow("45 days, end of month first") << s << 45 << true << false << true << "16/03/2024";
    QTest::newRow("10 days, end of month first") << s << 10 << true << false << true << "10/02/2024";
    QTest::newRow("30 days, commercial year") << s << 30 << false << true << false << "15/02/2024";
    QTest::newRow("45 days, commercial year") << s << 45 << false << true << false << "01/03/2024";
    QTest::newRow("45 days, commercial year, from end of month alone") << s << 45 << false << true << true << "01/03/2024";
    QTest::newRow("45 days, commercial year, end of month") << s << 45 << true << true << false << "31/03/2024";
    QTest::newRow("45 days, all three") << s << 45 << true << true << true << "15/03/2024";
    QTest::newRow("31 January, 30 days, commercial year") << QDate(2024, 1, 31) << 30 << false << true << false << "29/02/2024";
    QTest::newRow("0 days, end of month") << s << 0 << true << false << false << "31/01/2024";
}

void TestServiziScadenze::scadenze()
{
    QFETCH(QDate, inizio);
    QFETCH(int, giorni);
    QFETCH(bool, fineMese);
    QFETCH(bool, annoCommerciale);
    QFETCH(bool, daFineMeseInizio);
    QFETCH(QString, scadenza);
    CoreSeams seams;
    TestDatabase db(TestDatabase::WithSchema);
    Doc d;
    d.data = inizio;
    d.metodo = metodo(db, 1, {giorni}, fineMese, annoCommerciale, daFineMeseInizio);
    const qint64 doc = documento(db, d);
    scadenze::generaScadenze(db.conn(), doc, d.genere, false);
    const QList<Rata> r = rate(db, doc);
    QCOMPARE(r.size(), 1);
    QCOMPARE(r[0].scadenza, scadenza);
}

// The instalments add up to the total exactly: the rounding rest goes on the last one.
void TestServiziScadenze::importi_data()
{
    QTest::addColumn<double>("totale");
    QTest::addColumn<int>("n");
    QTest::addColumn<QList<qint64>>("importi");
    QTest::newRow("100.00 in three") << 100.0 << 3 << QList<qint64>{3333, 3333, 3334};
    QTest::newRow("0.01 in two") << 0.01 << 2 << QList<qint64>{1, 0};
    QTest::newRow("2.01 in two, the half cent up") << 2.01 << 2 << QList<qint64>{101, 100};
    QTest::newRow("1.00 in three") << 1.0 << 3 << QList<qint64>{33, 33, 34};
    QTest::newRow("200.00 in twelve, rounded up") << 200.0 << 12 << QList<qint64>{1667, 1667, 1667, 1667, 1667, 1667, 1667, 1667, 1667, 1667, 1667, 1663};
    QTest::newRow("0.07 in twelve never leaves a negative last")
        << 0.07 << 12 << QList<qint64>{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 7};
    QTest::newRow("-100.00 in three") << -100.0 << 3 << QList<qint64>{-3333, -3333, -3334};
    QTest::newRow("10.00 in four") << 10.0 << 4 << QList<qint64>{250, 250, 250, 250};
    QTest::newRow("0 in two") << 0.0 << 2 << QList<qint64>{0, 0};
    QTest::newRow("a total with a stray fraction is split to the cent") << 100.004 << 2 << QList<qint64>{5000, 5000};
}

void TestServiziScadenze::importi()
{
    QFETCH(double, totale);
    QFETCH(int, n);
    QFETCH(QList<qint64>, importi);
    CoreSeams seams;
    TestDatabase db(TestDatabase::WithSchema);
    Doc d;
    d.metodo = metodo(db, n);
    d.totFattura = totale;
    const qint64 doc = documento(db, d);
    scadenze::generaScadenze(db.conn(), doc, d.genere, false);
    QCOMPARE(::importi(rate(db, doc)), importi);
}

// Under split payment the sales kinds split the net total; purchases always the whole total.
void TestServiziScadenze::scissionePagamenti_data()
{
    QTest::addColumn<int>("genere");
    QTest::addColumn<bool>("scissione");
    QTest::addColumn<qint64>("importo");
    QTest::addColumn<QString>("colonna");
    QTest::newRow("sales invoice, split payment") << int(Genere::FatturaVendita) << true << qint64(8197) << "Uscita";
    QTest::newRow("sales invoice") << int(Genere::FatturaVendita) << false << qint64(10000) << "Uscita";
    QTest::newRow("sales credit note, split payment") << int(Genere::NotaCreditoVendita) << true << qint64(8197) << "Entrata";
    QTest::newRow("purchase invoice marked split") << int(Genere::FatturaAcquisto) << true << qint64(10000) << "Entrata";
    QTest::newRow("supplier credit note marked split") << int(Genere::NotaCreditoAcquisto) << true << qint64(10000) << "Uscita";
}

void TestServiziScadenze::scissionePagamenti()
{
    QFETCH(int, genere);
    QFETCH(bool, scissione);
    QFETCH(qint64, importo);
    QFETCH(QString, colonna);
    CoreSeams seams;
    TestDatabase db(TestDatabase::WithSchema);
    opzioni(db, true);
    Doc d;
    d.genere = Genere(genere);
    d.scissione = scissione;
    d.metodo = metodo(db, 1);
    const qint64 doc = documento(db, d);
    scadenze::generaScadenze(db.conn(), doc, d.genere, false);
    QCOMPARE(::importi(rate(db, doc)), QList<qint64>{importo});
    const QList<Riga> pn = righePrimaNota(db);
    QCOMPARE(pn.size(), 1);
    QCOMPARE(colonna == "Entrata" ? pn[0].entrata : pn[0].uscita, importo);
    QCOMPARE(colonna == "Entrata" ? pn[0].uscita : pn[0].entrata, 0);
}

// Texts with and without number, series and date; a document without a date starts its
// schedule today (15/03/2026 on the tests' clock) and mirrors without a date.
void TestServiziScadenze::testi_data()
{
    QTest::addColumn<int>("genere");
    QTest::addColumn<QVariant>("numero");
    QTest::addColumn<QVariant>("serie");
    QTest::addColumn<QVariant>("data");
    QTest::addColumn<QString>("rata");
    QTest::addColumn<QString>("riga");
    QTest::addColumn<QString>("scadenza");
    const QVariant nulla;
    const QVariant data = Data15Gennaio;
    const int fv = int(Genere::FatturaVendita), fa = int(Genere::FatturaAcquisto);
    QTest::newRow("invoice, all") << fv << QVariant(12) << QVariant("A") << data << "1° Rata fattura  numero 12 A  Data: 15/01/2024 "
                                  << "Emessa fattura numero 12 A  Data: 15/01/2024 " << "14/02/2024";
    QTest::newRow("invoice, no number") << fv << nulla << QVariant("A") << data << "1° Rata fattura A  Data: 15/01/2024 "
                                        << "Emessa fattura numero A  Data: 15/01/2024 " << "14/02/2024";
    QTest::newRow("invoice, empty series") << fv << QVariant(12) << QVariant("") << data
                                           << "1° Rata fattura  numero 12  Data: 15/01/2024 "
                                           << "Emessa fattura numero 12  Data: 15/01/2024 " << "14/02/2024";
    QTest::newRow("invoice, no date") << fv << QVariant(12) << QVariant("A") << nulla << "1° Rata fattura  numero 12 A "
                                      << "Emessa fattura numero 12 A " << "14/04/2026";
    QTest::newRow("invoice, nothing") << fv << nulla << nulla << nulla << "1° Rata fattura " << "Emessa fattura numero "
                                      << "14/04/2026";
    QTest::newRow("sales credit note") << int(Genere::NotaCreditoVendita) << QVariant(12) << QVariant("A") << data
                                       << "1° Rata Nota di credito  N° 12 A  Data: 15/01/2024 "
                                       << "Emessa Nota di credito numero 12 A  Data: 15/01/2024 " << "14/02/2024";
    QTest::newRow("purchase invoice, its series ignored")
        << fa << QVariant("FT/77") << QVariant("A") << data << "1° Rata fattura di acquisto N° FT/77  Data: 15/01/2024 "
        << "fattura numero FT/77  Data: 15/01/2024 " << "14/02/2024";
    QTest::newRow("purchase invoice, no number") << fa << QVariant("") << nulla << data << "1° Rata fattura di acquisto Data: 15/01/2024 "
                                                 << "fattura numero  Data: 15/01/2024 " << "14/02/2024";
    QTest::newRow("supplier credit note") << int(Genere::NotaCreditoAcquisto) << QVariant("FT/77") << nulla << data
                                          << "1° Rata Nota di credito Fornitore  N° FT/77  Data: 15/01/2024 "
                                          << "Nota di credito numero FT/77  Data: 15/01/2024 " << "14/02/2024";
}

void TestServiziScadenze::testi()
{
    QFETCH(int, genere);
    QFETCH(QVariant, numero);
    QFETCH(QVariant, serie);
    QFETCH(QVariant, data);
    QFETCH(QString, rata);
    QFETCH(QString, riga);
    QFETCH(QString, scadenza);
    CoreSeams seams;
    TestDatabase db(TestDatabase::WithSchema);
    opzioni(db, true);
    Doc d;
    d.genere = Genere(genere);
    d.num = numero;
    d.numeroCarico = numero;
    d.serie = serie;
    d.data = data;
    d.dataRegistrazione = data; // the cash book's date of a purchase
    d.metodo = metodo(db, 2);
    const qint64 doc = documento(db, d);
    scadenze::generaScadenze(db.conn(), doc, d.genere, false);
    const QList<Rata> r = rate(db, doc);
    QCOMPARE(r.size(), 2);
    QCOMPARE(r[0].operazione, rata);
    QCOMPARE(r[0].scadenza, scadenza);
    const QList<Riga> pn = righePrimaNota(db);
    QCOMPARE(pn.size(), 1);
    QCOMPARE(pn[0].operazione, riga);
    QCOMPARE(pn[0].data, data.isNull() ? QString() : "15/01/2024");
}

// A text longer than 199 characters keeps its first 198; one of exactly 199 stays whole. The
// instalment text is 46 characters and the document's 44 besides the series.
void TestServiziScadenze::taglioTesti_data()
{
    QTest::addColumn<int>("lunghezzaSerie");
    QTest::addColumn<int>("rata");
    QTest::addColumn<int>("riga");
    QTest::newRow("instalment 199, whole") << 153 << 199 << 197;
    QTest::newRow("instalment 200, cut") << 154 << 198 << 198;
    QTest::newRow("document 199, whole") << 155 << 198 << 199;
    QTest::newRow("250, cut") << 204 << 198 << 198;
}

void TestServiziScadenze::taglioTesti()
{
    QFETCH(int, lunghezzaSerie);
    QFETCH(int, rata);
    QFETCH(int, riga);
    CoreSeams seams;
    TestDatabase db(TestDatabase::WithSchema);
    opzioni(db, true);
    const QString serie = QString(lunghezzaSerie - 1, u's') + u'Z';
    Doc d;
    d.serie = serie;
    d.metodo = metodo(db, 1);
    const qint64 doc = documento(db, d);
    scadenze::generaScadenze(db.conn(), doc, d.genere, false);
    const QString interaRata = "1° Rata fattura  numero 12 " + serie + "  Data: 15/01/2024 ";
    const QString interaRiga = "Emessa fattura numero 12 " + serie + "  Data: 15/01/2024 ";
    const QList<Rata> r = rate(db, doc);
    QCOMPARE(r[0].operazione.size(), rata);
    QCOMPARE(r[0].operazione, interaRata.left(rata));
    const QList<Riga> pn = righePrimaNota(db);
    QCOMPARE(pn[0].operazione.size(), riga);
    QCOMPARE(pn[0].operazione, interaRiga.left(riga));
}

// With the simplified option every instalment of a document has the same text; a method
// without instalments keeps its own.
void TestServiziScadenze::descrizioneSemplificata_data()
{
    QTest::addColumn<int>("genere");
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("testo");
    QTest::newRow("sales invoice") << int(Genere::FatturaVendita) << 2 << "fattura  numero 12 A  Data: 15/01/2024 ";
    QTest::newRow("sales credit note") << int(Genere::NotaCreditoVendita) << 2 << "Nota di credito  N° 12 A  Data: 15/01/2024 ";
    QTest::newRow("purchase invoice") << int(Genere::FatturaAcquisto) << 2
                                      << "Pagamento effettuato fattura di acquisto N° FT/77  Data: 15/01/2024 ";
    QTest::newRow("supplier credit note") << int(Genere::NotaCreditoAcquisto) << 2
                                          << "Pagamento ricevuto Nota di credito da Fornitore  N° FT/77  Data: 15/01/2024 ";
    QTest::newRow("no instalments") << int(Genere::FatturaVendita) << 0 << "Fattura  numero 12 A  Data: 15/01/2024 ";
}

void TestServiziScadenze::descrizioneSemplificata()
{
    QFETCH(int, genere);
    QFETCH(int, n);
    QFETCH(QString, testo);
    CoreSeams seams;
    TestDatabase db(TestDatabase::WithSchema);
    opzioni(db, false, true);
    Doc d;
    d.genere = Genere(genere);
    d.metodo = metodo(db, n);
    const qint64 doc = documento(db, d);
    scadenze::generaScadenze(db.conn(), doc, d.genere, false);
    const QStringList t = operazioni(rate(db, doc));
    QCOMPARE(t, QStringList(qMax(n, 1), testo));
}

// The cash-book mirror of a method without instalments: the document's row and the payment
// row of its instalment, linked both ways, netting to zero; nothing with the option off.
void TestServiziScadenze::primaNota_data()
{
    QTest::addColumn<int>("genere");
    QTest::addColumn<bool>("opzione");
    QTest::addColumn<QString>("tipoDocumento");
    QTest::addColumn<bool>("documentoInUscita");
    QTest::addColumn<QString>("data");
    for (const bool on : {true, false}) {
        const char *o = on ? "on" : "off";
        QTest::addRow("sales invoice, option %s", o) << int(Genere::FatturaVendita) << on << "1" << true << "15/01/2024";
        QTest::addRow("sales credit note, option %s", o) << int(Genere::NotaCreditoVendita) << on << "2" << false << "15/01/2024";
        QTest::addRow("purchase invoice, option %s", o) << int(Genere::FatturaAcquisto) << on << "3" << false << "20/01/2024";
        QTest::addRow("supplier credit note, option %s", o) << int(Genere::NotaCreditoAcquisto) << on << "4" << true << "20/01/2024";
    }
}

void TestServiziScadenze::primaNota()
{
    QFETCH(int, genere);
    QFETCH(bool, opzione);
    QFETCH(QString, tipoDocumento);
    QFETCH(bool, documentoInUscita);
    QFETCH(QString, data);
    CoreSeams seams;
    TestDatabase db(TestDatabase::WithSchema);
    opzioni(db, opzione);
    const TestiGenere &g = generi()[genere];
    Doc d;
    d.genere = Genere(genere);
    d.metodo = metodo(db, 0);
    const qint64 doc = documento(db, d);
    const scadenze::Esito e = scadenze::generaScadenze(db.conn(), doc, d.genere, false);
    const QList<Rata> r = rate(db, doc);
    QCOMPARE(r.size(), 1);
    if (!opzione) {
        QVERIFY(righePrimaNota(db).isEmpty());
        QCOMPARE(finanziaDelDocumento(db, doc), 0);
        QCOMPARE(r[0].finanzia, 0);
        QCOMPARE(e.rigaDocumento, 0);
        return;
    }
    const QList<Riga> pn = righePrimaNota(db);
    QCOMPARE(pn.size(), 2);
    const Riga &documentale = pn[0], &pagamento = pn[1];
    QCOMPARE(e.rigaDocumento, documentale.id);
    QCOMPARE(e.righePagamento, QList<qint64>{pagamento.id});
    QCOMPARE(finanziaDelDocumento(db, doc), documentale.id);
    QCOMPARE(r[0].finanzia, pagamento.id);

    QCOMPARE(documentale.tipo, tipoDocumento);
    QCOMPARE(documentale.data, data);
    QCOMPARE(documentale.entrata, documentoInUscita ? 0 : 10000);
    QCOMPARE(documentale.uscita, documentoInUscita ? 10000 : 0);
    QCOMPARE(documentale.scadenza, 0);
    QCOMPARE(pagamento.tipo, g.tipo);
    QCOMPARE(pagamento.data, data);
    QCOMPARE(pagamento.operazione, g.senzaRate);
    QCOMPARE(pagamento.entrata, documentoInUscita ? 10000 : 0);
    QCOMPARE(pagamento.uscita, documentoInUscita ? 0 : 10000);
    QCOMPARE(pagamento.scadenza, r[0].id);
    for (const Riga &x : pn) {
        QCOMPARE(x.fattura, doc);
        QCOMPARE(x.cliente, acquisto(d.genere) ? 0 : 7);
        QCOMPARE(x.fornitore, acquisto(d.genere) ? 7 : 0);
        QCOMPARE(x.modpag, d.metodo);
        QCOMPARE(x.banca, 3);
        QVERIFY(!x.storico);
        QVERIFY(!x.corrispettivi);
    }

    // An update rewrites both rows in place; the column the schedule does not own keeps what
    // was typed in it.
    db.conn().execute("update fattura set TotFattura = 120 where ID = :id", {{":id", doc}});
    db.conn().execute(QString("update finanzia set %1 = 5 where ID = :id").arg(documentoInUscita ? "Entrata" : "Uscita"),
                      {{":id", documentale.id}});
    scadenze::generaScadenze(db.conn(), doc, d.genere, true);
    const QList<Riga> dopo = righePrimaNota(db);
    QCOMPARE(dopo.size(), 2);
    QCOMPARE(dopo[0].id, documentale.id);
    QCOMPARE(dopo[1].id, pagamento.id);
    QCOMPARE(documentoInUscita ? dopo[0].uscita : dopo[0].entrata, 12000);
    QCOMPARE(documentoInUscita ? dopo[0].entrata : dopo[0].uscita, 500);
    QCOMPARE(documentoInUscita ? dopo[1].entrata : dopo[1].uscita, 12000);
    QCOMPARE(rate(db, doc)[0].importo, 12000);
}

// Instalments not paid at issue get no cash-book row; the document's row is written once.
void TestServiziScadenze::rateDelMetodoSenzaPrimaNota()
{
    CoreSeams seams;
    TestDatabase db(TestDatabase::WithSchema);
    opzioni(db, true);
    Doc d;
    d.metodo = metodo(db, 3);
    const qint64 doc = documento(db, d);
    scadenze::generaScadenze(db.conn(), doc, d.genere, false);
    scadenze::generaScadenze(db.conn(), doc, d.genere, true);
    const QList<Riga> pn = righePrimaNota(db);
    QCOMPARE(pn.size(), 1);
    QCOMPARE(pn[0].tipo, "1");
    QCOMPARE(pn[0].uscita, 10000);
    QCOMPARE(pn[0].operazione, "Emessa fattura numero 12 A  Data: 15/01/2024 ");
    for (const Rata &r : rate(db, doc)) QCOMPARE(r.finanzia, 0);
}

// A rebuild never discards a payment unless the caller confirms it.
void TestServiziScadenze::ricostruzioneConPagate_data()
{
    QTest::addColumn<bool>("opzione");
    QTest::newRow("option on") << true;
    QTest::newRow("option off") << false;
}

void TestServiziScadenze::ricostruzioneConPagate()
{
    QFETCH(bool, opzione);
    CoreSeams seams;
    TestDatabase db(TestDatabase::WithSchema);
    opzioni(db, true);
    Doc d;
    d.metodo = metodo(db, 2);
    const qint64 doc = documento(db, d);
    scadenze::generaScadenze(db.conn(), doc, d.genere, false);
    QVERIFY(!scadenze::haScadenzePagate(db.conn(), doc));
    const QList<Rata> prima = rate(db, doc);
    paga(db, prima[0], QDate(2024, 2, 10));
    opzioni(db, opzione);
    const qint64 rigaDocumento = finanziaDelDocumento(db, doc);
    db.conn().execute("insert into finanzia (Operazione, Entrata) values ('altro', 1)");
    QVERIFY(scadenze::haScadenzePagate(db.conn(), doc));

    const scadenze::Esito rifiutata = scadenze::generaScadenze(db.conn(), doc, d.genere, false);
    QVERIFY(rifiutata.pagateConservate);
    QVERIFY(!rifiutata.eseguito);
    const QList<Rata> tenute = rate(db, doc);
    QCOMPARE(ids(tenute), ids(prima));
    QVERIFY(tenute[0].pagato);
    QCOMPARE(tenute[0].pagamento, "10/02/2024");
    QCOMPARE(righePrimaNota(db).size(), 3);
    QCOMPARE(righePrimaNota(db, QString("FatturaScadenze_Id = %1").arg(prima[0].id)).size(), 1);

    const scadenze::Esito fatta = scadenze::generaScadenze(db.conn(), doc, d.genere, false, true);
    QVERIFY(fatta.eseguito);
    QCOMPARE(fatta.scadenzeEliminate, 2);
    const QList<Rata> nuove = rate(db, doc);
    QCOMPARE(nuove.size(), 2);
    QVERIFY(nuove[0].id > prima[1].id);
    QVERIFY(!nuove[0].pagato);
    QCOMPARE(nuove[0].pagamento, QString());
    // The payment's row goes with its instalment; the document's row is made again with the
    // option, kept without it; other rows stay.
    QCOMPARE(righePrimaNota(db, QString("FatturaScadenze_Id = %1").arg(prima[0].id)).size(), 0);
    const QList<Riga> delDocumento = righePrimaNota(db, QString("Fattura_ID = %1").arg(doc));
    QCOMPARE(delDocumento.size(), 1);
    if (opzione)
        QVERIFY(delDocumento[0].id > rigaDocumento);
    else
        QCOMPARE(delDocumento[0].id, rigaDocumento);
    QCOMPARE(finanziaDelDocumento(db, doc), delDocumento[0].id);
    QCOMPARE(righePrimaNota(db, "Operazione = 'altro'").size(), 1);
}

// An update keeps rows, due dates, numbers, bank, method and payments; it rewrites amounts,
// texts and the party of the open instalments and leaves a paid one whole.
void TestServiziScadenze::aggiornamento()
{
    CoreSeams seams;
    TestDatabase db(TestDatabase::WithSchema);
    opzioni(db, false);
    Doc d;
    d.metodo = metodo(db, 3);
    const qint64 doc = documento(db, d);
    scadenze::generaScadenze(db.conn(), doc, d.genere, false);
    const QList<Rata> prima = rate(db, doc);
    paga(db, prima[0], QDate(2024, 2, 14));
    db.conn().execute("update FatturaScadenze set DataScadenza = :d where Id = :id", {{":d", QDate(2024, 3, 20)}, {":id", prima[1].id}});
    const qint64 altroMetodo = metodo(db, 3, {10, 20, 30});
    db.conn().execute("update fattura set Cliente_ID = 8, Banca_ID = 4, ModPagamento_Id = :m, Num = 13, TotFattura = 90 where ID = :id",
                      {{":m", altroMetodo}, {":id", doc}});

    const scadenze::Esito e = scadenze::generaScadenze(db.conn(), doc, d.genere, true);
    QVERIFY(e.eseguito);
    QCOMPARE(e.scadenzeAggiornate, ids(prima).mid(1));
    QVERIFY(e.scadenzeInserite.isEmpty());
    const QList<Rata> dopo = rate(db, doc);
    QCOMPARE(ids(dopo), ids(prima));
    // The paid 33.33 stays; 90 - 33.33 is shared over the two open instalments.
    QCOMPARE(::importi(dopo), (QList<qint64>{3333, 2834, 2833}));
    QCOMPARE(operazioni(dopo), (QStringList{prima[0].operazione,
                                            "2° Rata fattura  numero 13 A  Data: 15/01/2024 ",
                                            "3° Rata fattura  numero 13 A  Data: 15/01/2024 "}));
    QCOMPARE(dopo[0].scadenza, "14/02/2024");
    QCOMPARE(dopo[1].scadenza, "20/03/2024");
    QCOMPARE(dopo[2].scadenza, "14/04/2024");
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(dopo[i].numero, i + 1);
        QCOMPARE(dopo[i].cliente, i == 0 ? 7 : 8);
        QCOMPARE(dopo[i].banca, 3);
        QCOMPARE(dopo[i].modpag, d.metodo);
        QCOMPARE(dopo[i].pagato, i == 0);
    }
    QCOMPARE(dopo[0].pagamento, "14/02/2024");
    QCOMPARE(dopo[1].pagamento, QString());
}

// An update after the total changed never rewrites a paid instalment nor its cash-book row: the
// rest is shared over the open ones, and when nothing is left to share the schedule stays.
void TestServiziScadenze::aggiornamentoConPagate_data()
{
    QTest::addColumn<int>("numeroRate");
    QTest::addColumn<QList<int>>("pagate"); // instalment numbers paid
    QTest::addColumn<double>("totale");     // the new total
    QTest::addColumn<QList<qint64>>("importi");
    QTest::addColumn<QString>("avviso");    // a part of the message; empty: updated
    QTest::newRow("100 in two, first paid, raised to 120") << 2 << QList<int>{1} << 120.0 << QList<qint64>{5000, 7000} << "";
    QTest::newRow("100 in three, second paid, raised to 100.05")
        << 3 << QList<int>{2} << 100.05 << QList<qint64>{3336, 3333, 3336} << "";
    QTest::newRow("lowered to what is paid") << 2 << QList<int>{1} << 50.0 << QList<qint64>{5000, 0} << "";
    QTest::newRow("lowered below what is paid")
        << 2 << QList<int>{1} << 40.0 << QList<qint64>{5000, 5000} << "ammontano a 50,00 e il totale del documento è ora 40,00";
    QTest::newRow("all paid, total changed")
        << 2 << QList<int>{1, 2} << 120.0 << QList<qint64>{5000, 5000} << "ammontano a 100,00 e il totale del documento è ora 120,00";
    QTest::newRow("all paid, same total") << 2 << QList<int>{1, 2} << 100.0 << QList<qint64>{5000, 5000} << "";
}

void TestServiziScadenze::aggiornamentoConPagate()
{
    QFETCH(int, numeroRate);
    QFETCH(QList<int>, pagate);
    QFETCH(double, totale);
    QFETCH(QList<qint64>, importi);
    QFETCH(QString, avviso);
    CoreSeams seams;
    TestDatabase db(TestDatabase::WithSchema);
    opzioni(db, true);
    Doc d;
    d.metodo = metodo(db, numeroRate);
    const qint64 doc = documento(db, d);
    scadenze::generaScadenze(db.conn(), doc, d.genere, false);
    const QList<Rata> prima = rate(db, doc);
    for (int n : pagate) paga(db, prima[n - 1], QDate(2024, 2, 14));
    const QList<Riga> pagamenti = righePrimaNota(db, "FatturaScadenze_Id is not null");
    db.conn().execute("update fattura set TotFattura = :t where ID = :id", {{":t", totale}, {":id", doc}});

    const scadenze::Esito e = scadenze::generaScadenze(db.conn(), doc, d.genere, true);
    QCOMPARE(e.pagateNonRipartibili, !avviso.isEmpty());
    QCOMPARE(e.eseguito, avviso.isEmpty());
    const QString testo = scadenze::avvisoScadenzeNonAggiornate(e);
    QVERIFY2(avviso.isEmpty() ? testo.isEmpty() : testo.contains(avviso), qPrintable(testo));
    const QList<Rata> dopo = rate(db, doc);
    QCOMPARE(::importi(dopo), importi);
    for (int n : pagate) {
        QVERIFY(dopo[n - 1].pagato);
        QCOMPARE(dopo[n - 1].pagamento, "14/02/2024");
        QCOMPARE(dopo[n - 1].operazione, prima[n - 1].operazione);
    }
    // The payments in the cash book are as they were.
    const QList<Riga> pagamentiDopo = righePrimaNota(db, "FatturaScadenze_Id is not null");
    QCOMPARE(pagamentiDopo.size(), pagamenti.size());
    for (int i = 0; i < pagamenti.size(); ++i) {
        QCOMPARE(pagamentiDopo[i].id, pagamenti[i].id);
        QCOMPARE(pagamentiDopo[i].entrata, pagamenti[i].entrata);
    }
}

// An update over stored rows that are not the method's count: numbers are paired with rows,
// what is missing is added, no row is written twice and none is left without a due date.
void TestServiziScadenze::aggiornamentoRigheDiverse_data()
{
    QTest::addColumn<QString>("modifica");
    QTest::addColumn<QList<qint64>>("numeri");
    QTest::addColumn<QStringList>("scadenze");
    QTest::addColumn<QList<qint64>>("importi");
    QTest::addColumn<int>("inserite");
    QTest::newRow("second of three deleted by hand")
        << "delete from FatturaScadenze where Numero = 2" << QList<qint64>{1, 2, 3}
        << QStringList{"14/02/2024", "15/03/2024", "14/04/2024"} << QList<qint64>{3333, 3333, 3334} << 1;
    QTest::newRow("all deleted") << "delete from FatturaScadenze" << QList<qint64>{1, 2, 3}
                                 << QStringList{"14/02/2024", "15/03/2024", "14/04/2024"} << QList<qint64>{3333, 3333, 3334} << 3;
    QTest::newRow("one added by hand is left as typed")
        << "insert into FatturaScadenze (Fattura_ID, Numero, DataScadenza, Importo, Operazione, Tipo) "
           "values (:doc, 4, '2024-01-31 00:00:00', 7, 'a mano', 'F')"
        << QList<qint64>{1, 2, 3, 4} << QStringList{"14/02/2024", "15/03/2024", "14/04/2024", "31/01/2024"}
        << QList<qint64>{3333, 3333, 3334, 700} << 0;
    QTest::newRow("a due date cleared") << "update FatturaScadenze set DataScadenza = null where Numero = 2" << QList<qint64>{1, 2, 3}
                                        << QStringList{"14/02/2024", "15/03/2024", "14/04/2024"}
                                        << QList<qint64>{3333, 3333, 3334} << 0;
    QTest::newRow("numbers lost, paired by due date") << "update FatturaScadenze set Numero = 9 - Numero" << QList<qint64>{1, 2, 3}
                                                      << QStringList{"14/02/2024", "15/03/2024", "14/04/2024"}
                                                      << QList<qint64>{3333, 3333, 3334} << 0;
}

void TestServiziScadenze::aggiornamentoRigheDiverse()
{
    QFETCH(QString, modifica);
    QFETCH(QList<qint64>, numeri);
    QFETCH(QStringList, scadenze);
    QFETCH(QList<qint64>, importi);
    QFETCH(int, inserite);
    CoreSeams seams;
    TestDatabase db(TestDatabase::WithSchema);
    opzioni(db, false);
    Doc d;
    d.metodo = metodo(db, 3);
    const qint64 doc = documento(db, d);
    scadenze::generaScadenze(db.conn(), doc, d.genere, false);
    db::Params p;
    if (modifica.contains(":doc")) p.append({":doc", doc});
    db.conn().execute(modifica, p);
    const scadenze::Esito e = scadenze::generaScadenze(db.conn(), doc, d.genere, true);
    QCOMPARE(e.scadenzeInserite.size(), inserite);
    QCOMPARE(e.scadenzeAggiornate.size() + inserite, 3);
    const QList<Rata> r = rate(db, doc);
    QList<qint64> n;
    QStringList s;
    for (const Rata &x : r) n << x.numero, s << x.scadenza;
    QCOMPARE(n, numeri);
    QCOMPARE(s, scadenze);
    QCOMPARE(::importi(r), importi);
    QStringList attesi{"1° Rata fattura  numero 12 A  Data: 15/01/2024 ", "2° Rata fattura  numero 12 A  Data: 15/01/2024 ",
                       "3° Rata fattura  numero 12 A  Data: 15/01/2024 "};
    if (r.size() == 4) attesi << "a mano";
    QCOMPARE(operazioni(r), attesi);
}

// Without a payment method, or with one that no longer exists, a rebuild leaves the document
// without instalments and without cash-book rows; another document is not touched.
void TestServiziScadenze::senzaMetodo_data()
{
    QTest::addColumn<QVariant>("metodo");
    QTest::newRow("method cleared") << QVariant(0);
    QTest::newRow("method empty") << QVariant();
    QTest::newRow("method deleted") << QVariant(999);
}

void TestServiziScadenze::senzaMetodo()
{
    QFETCH(QVariant, metodo);
    CoreSeams seams;
    TestDatabase db(TestDatabase::WithSchema);
    opzioni(db, true);
    Doc d;
    d.metodo = ::metodo(db, 0);
    const qint64 doc = documento(db, d);
    const qint64 altro = documento(db, d);
    scadenze::generaScadenze(db.conn(), doc, d.genere, false);
    scadenze::generaScadenze(db.conn(), altro, d.genere, false);
    QCOMPARE(righePrimaNota(db).size(), 4);
    QVERIFY(!scadenze::haScadenzePagate(db.conn(), doc)); // paid at issue is the schedule's own

    db.conn().execute("update fattura set ModPagamento_Id = :m where ID = :id", {{":m", metodo}, {":id", doc}});
    const scadenze::Esito e = scadenze::generaScadenze(db.conn(), doc, d.genere, false);
    QVERIFY(!e.eseguito);
    QCOMPARE(e.scadenzeEliminate, 1);
    QCOMPARE(e.primaNotaEliminate, 2);
    QVERIFY(rate(db, doc).isEmpty());
    QVERIFY(righePrimaNota(db, QString("Fattura_ID = %1").arg(doc)).isEmpty());
    QCOMPARE(rate(db, altro).size(), 1);
    QCOMPARE(righePrimaNota(db, QString("Fattura_ID = %1").arg(altro)).size(), 2);

    // No such document: nothing happens.
    const scadenze::Esito nessuno = scadenze::generaScadenze(db.conn(), 12345, d.genere, false);
    QVERIFY(!nessuno.eseguito);
    QCOMPARE(nessuno.scadenzeEliminate, 0);
    QCOMPARE(righePrimaNota(db).size(), 2);
}

// Clearing the payment method takes the instalments with the rows of their payments, also
// with the option off, and only with leave when one is paid.
void TestServiziScadenze::eliminaScadenze()
{
    CoreSeams seams;
    TestDatabase db(TestDatabase::WithSchema);
    opzioni(db, true);
    Doc d;
    d.metodo = metodo(db, 2);
    const qint64 doc = documento(db, d);
    scadenze::generaScadenze(db.conn(), doc, d.genere, false);
    const qint64 rigaDocumento = finanziaDelDocumento(db, doc);
    const QList<Rata> r = rate(db, doc);
    paga(db, r[1], QDate(2024, 3, 1));
    opzioni(db, false);

    const scadenze::Esito rifiutata = scadenze::eliminaScadenze(db.conn(), doc);
    QVERIFY(rifiutata.pagateConservate);
    QCOMPARE(rate(db, doc).size(), 2);
    QCOMPARE(righePrimaNota(db).size(), 2);

    const scadenze::Esito e = scadenze::eliminaScadenze(db.conn(), doc, true);
    QVERIFY(e.eseguito);
    QCOMPARE(e.scadenzeEliminate, 2);
    QCOMPARE(e.primaNotaEliminate, 1);
    QVERIFY(rate(db, doc).isEmpty());
    const QList<Riga> pn = righePrimaNota(db);
    QCOMPARE(pn.size(), 1);
    QCOMPARE(pn[0].id, rigaDocumento);

    // A document whose instalments are all unpaid needs no leave.
    const qint64 altro = documento(db, d);
    scadenze::generaScadenze(db.conn(), altro, d.genere, false);
    QVERIFY(scadenze::eliminaScadenze(db.conn(), altro).eseguito);
    QVERIFY(rate(db, altro).isEmpty());
}
