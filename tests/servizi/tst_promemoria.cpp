#include "tst_promemoria.h"

#include "accounting/services/Promemoria.h"
#include "support/TestCore.h"

#include <QTest>
#include <memory>

using namespace testing_support;

namespace {

std::unique_ptr<CoreSeams> g_seams;
std::unique_ptr<TestDatabase> g_db;

db::Connection &conn() { return g_db->conn(); }

QVariant quando(const char *testo)
{
    return testo ? QVariant(QDateTime::fromString(QString::fromLatin1(testo), QStringLiteral("yyyy-MM-dd HH:mm"))) : QVariant();
}

// Instalments: id, due, paid on, Pagato, letter, description, customer, supplier, payment
// method, amount, note.
struct Rata {
    int id;
    const char *scadenza;
    const char *pagamento;
    bool pagato;
    const char *tipo;
    const char *operazione;
    int cliente, fornitore, metodo;
    double importo;
    const char *note;
};
const Rata kRate[] = {
    {1, "2026-03-14 00:00", nullptr, false, "F", "Fattura n. 1 del 10/03/2026", 1, 0, 101, 120.5, "prima rata"},
    {2, "2026-03-15 00:00", nullptr, false, "C", "Fattura acquisto FT/7", 0, 1, 102, 99.9, nullptr},
    {3, "2026-03-15 18:00", nullptr, false, "N", "Nota di credito n. 2", 2, 0, 103, 10, nullptr},
    {4, "2026-03-16 00:00", nullptr, false, "F", "Domani", 1, 0, 101, 5, nullptr},
    {5, "2026-03-14 00:00", "2026-03-10 00:00", false, "F", "Pagata", 1, 0, 101, 5, nullptr},
    {6, "2026-03-14 00:00", nullptr, true, "B", "Affitto marzo", 0, 2, 0, 800, "d'accordo"},
    {7, nullptr, nullptr, false, "F", "Senza scadenza", 1, 0, 101, 5, nullptr},
};

// Vehicle and staff deadlines: id, owner (vehicle or person), notice, due, validated, text, note.
struct Scadenza {
    int id;
    int di;
    const char *avviso;
    const char *scadenza;
    bool validato;
    const char *descrizione;
    const char *note;
};
const Scadenza kVetture[] = {
    {1, 1, "2026-03-15 00:00", "2026-04-15 00:00", false, "Revisione", "officina Po"},
    {2, 1, "2026-03-14 00:00", "2026-03-20 00:00", true, "Assicurazione", nullptr},
    {3, 1, "2026-03-16 00:00", "2026-03-30 00:00", false, "Bollo", nullptr},
    {4, 2, "2026-03-01 00:00", "2026-03-10 00:00", false, "Tagliando", nullptr},
    {5, 99, "2026-03-01 00:00", "2026-03-10 00:00", false, "Vettura eliminata", nullptr},
};
const Scadenza kPersonale[] = {
    {1, 1, "2026-03-15 00:00", "2026-05-01 00:00", false, "Visita medica", nullptr},
    {2, 1, "2026-03-15 08:30", "2026-03-31 00:00", false, "CQC", "rinnovo"},
    {3, 1, "2026-03-01 00:00", "2026-03-31 00:00", true, "Patente", nullptr},
    {4, 1, "2026-03-16 00:00", "2026-03-31 00:00", false, "Corso", nullptr},
};

// Calendar entries: id, day, notice, concluded, history, customer, staff, kind, note.
struct Appuntamento {
    int id;
    const char *data;
    const char *avviso;
    bool conclusa;
    bool storico;
    const char *cliente;
    const char *personale;
    const char *tipologia;
    const char *note;
};
const Appuntamento kCalendario[] = {
    {1, "2026-03-20 15:30", "2026-03-15 09:00", false, false, "Bar Roma", "Rossi Mario", "Soccorso", "autostrada"},
    {2, "2026-03-20 00:00", "2026-03-15 00:00", true, false, "Bar Roma", nullptr, "Recupero", nullptr},
    {3, "2026-03-21 00:00", "2026-03-16 00:00", false, false, nullptr, nullptr, "Recupero", nullptr},
    {4, "2025-12-30 00:00", "2025-12-28 00:00", false, true, nullptr, "Rossi Mario", nullptr, nullptr},
};

QVariant testo(const char *t) { return t ? QVariant(QString::fromUtf8(t)) : QVariant(); }

void popola()
{
    db::Connection &c = conn();
    c.execute("insert into Clienti (Id, NominativoVisualizzato) values (1, 'Bar Roma'), (2, 'D''Angelo Mario')");
    c.execute("insert into Fornitor (Id, Fornitore) values (1, 'Petroli Sud'), (2, 'Immobiliare Po')");
    c.execute("insert into ModPagamento (id, Descrizione) values (101, 'Bonifico'), (102, '0'), (103, ' Contanti')");
    c.execute("insert into Veicoli (Id, Descrizione) values (1, 'Carro attrezzi')");
    c.execute("insert into Vetture (ID, Targa, Veicolo_ID) values (1, 'AB123CD', 1), (2, 'ZZ999ZZ', 0)");
    c.execute("insert into Personale (Id, Personale) values (1, 'Rossi Mario')");
    for (const Rata &r : kRate)
        c.execute("insert into FatturaScadenze (Id, DataScadenza, DataPagamento, Pagato, Tipo, Operazione, Cliente_id, "
                  "Fornitore_id, ModPagamento_Id, Importo, Note) values (:id, :scad, :pag, :pagato, :tipo, :op, :cli, "
                  ":forn, :mp, :imp, :note)",
                  {{":id", r.id}, {":scad", quando(r.scadenza)}, {":pag", quando(r.pagamento)}, {":pagato", r.pagato},
                   {":tipo", testo(r.tipo)}, {":op", testo(r.operazione)}, {":cli", r.cliente}, {":forn", r.fornitore},
                   {":mp", r.metodo}, {":imp", r.importo}, {":note", testo(r.note)}});
    const auto scadenze = [&c](const QString &tabella, const QString &chiave, const auto &righe) {
        for (const Scadenza &s : righe)
            c.execute(QStringLiteral("insert into %1 (Id, %2, DataAvviso, DataScadenza, Validato, Descrizione, Note) values "
                                     "(:id, :di, :avviso, :scad, :val, :descr, :note)")
                          .arg(tabella, chiave),
                      {{":id", s.id}, {":di", s.di}, {":avviso", quando(s.avviso)}, {":scad", quando(s.scadenza)},
                       {":val", s.validato}, {":descr", testo(s.descrizione)}, {":note", testo(s.note)}});
    };
    scadenze("VettureScadenze", "Vettura_ID", kVetture);
    scadenze("PersonaleScadenze", "Personale_ID", kPersonale);
    for (const Appuntamento &a : kCalendario)
        c.execute("insert into Calendario (Id, Data, DataAvviso, Conclusa, Storico, Cliente, Personale, TipologiaCalendario, "
                  "Note) values (:id, :data, :avviso, :concl, :storico, :cli, :pers, :tipo, :note)",
                  {{":id", a.id}, {":data", quando(a.data)}, {":avviso", quando(a.avviso)}, {":concl", a.conclusa},
                   {":storico", a.storico}, {":cli", testo(a.cliente)}, {":pers", testo(a.personale)},
                   {":tipo", testo(a.tipologia)}, {":note", testo(a.note)}});
}

// The ids of a list, in its order.
QList<int> ids(const promemoria::Elenco &e, int colonna)
{
    QList<int> l;
    for (const QStringList &r : e.righe) l << r.value(colonna).toInt();
    return l;
}

} // namespace

void TestServiziPromemoria::init()
{
    g_seams = std::make_unique<CoreSeams>(QString(), QDateTime(QDate(2026, 3, 15), QTime(10, 30)));
    g_db = std::make_unique<TestDatabase>(TestDatabase::WithSchema);
}

void TestServiziPromemoria::cleanup()
{
    g_db.reset();
    g_seams.reset();
}

void TestServiziPromemoria::elenchi()
{
    popola();
    const promemoria::Promemoria p = promemoria::leggi(conn(), QDate(2026, 3, 15));
    QCOMPARE(p.pagamenti.titoli, QStringList({"Data Scadenza", "Operazione", "Cliente", "Fornitore", "Importo",
                                              "Mod.Pagamento", "Note", "id_scad", "Tipo"}));
    // Due yesterday or today (a time on today's date too), without a payment date whatever
    // Pagato says; by due date, then description.
    const QList<QStringList> rate = {
        {"14/03/2026", "Affitto marzo", "", "Immobiliare Po", "800", "", "d'accordo", "6", "B"},
        {"14/03/2026", "Fattura n. 1 del 10/03/2026", "Bar Roma", "", "120,5", "Bonifico", "prima rata", "1", "F"},
        {"15/03/2026", "Fattura acquisto FT/7", "", "Petroli Sud", "99,9", "", "", "2", "C"},
        {"15/03/2026 18:00:00", "Nota di credito n. 2", "D'Angelo Mario", "", "10", "", "", "3", "N"},
    };
    QCOMPARE(p.pagamenti.righe, rate);

    QCOMPARE(p.vetture.titoli, QStringList({"Data Scadenza", "Operazione", "Veicolo", "Targa", "Note", "id_scad"}));
    // Notice date come and not validated; a vehicle no longer there takes its deadlines away.
    const QList<QStringList> vetture = {
        {"10/03/2026", "Tagliando", "", "ZZ999ZZ", "", "4"},
        {"15/04/2026", "Revisione", "Carro attrezzi", "AB123CD", "officina Po", "1"},
    };
    QCOMPARE(p.vetture.righe, vetture);

    QCOMPARE(p.personale.titoli, QStringList({"Data Scadenza", "Operazione", "Personale", "Note", "id_scad"}));
    const QList<QStringList> personale = {
        {"31/03/2026", "CQC", "Rossi Mario", "rinnovo", "2"},
        {"01/05/2026", "Visita medica", "Rossi Mario", "", "1"},
    };
    QCOMPARE(p.personale.righe, personale);

    QCOMPARE(p.calendario.titoli, QStringList({"Data", "Tipologia", "Cliente", "Personale", "Note", "Id"}));
    // Not concluded, notice date come, by notice date: in history or not.
    const QList<QStringList> calendario = {
        {"30/12/2025", "", "", "Rossi Mario", "", "4"},
        {"20/03/2026 15:30:00", "Soccorso", "Bar Roma", "Rossi Mario", "autostrada", "1"},
    };
    QCOMPARE(p.calendario.righe, calendario);
    QVERIFY(!p.isEmpty());
}

void TestServiziPromemoria::giorni_data()
{
    QTest::addColumn<QDate>("giorno");
    QTest::addColumn<QList<int>>("rate");
    QTest::addColumn<QList<int>>("vetture");
    QTest::addColumn<QList<int>>("personale");
    QTest::addColumn<QList<int>>("calendario");
    QTest::newRow("day before yesterday") << QDate(2026, 3, 13) << QList<int>() << QList<int>{4} << QList<int>()
                                          << QList<int>{4};
    QTest::newRow("yesterday") << QDate(2026, 3, 14) << QList<int>{6, 1} << QList<int>{4} << QList<int>() << QList<int>{4};
    QTest::newRow("today") << QDate(2026, 3, 15) << QList<int>{6, 1, 2, 3} << QList<int>{4, 1} << QList<int>{2, 1}
                           << QList<int>{4, 1};
    QTest::newRow("tomorrow") << QDate(2026, 3, 16) << QList<int>{6, 1, 2, 3, 4} << QList<int>{4, 3, 1}
                              << QList<int>{4, 2, 1} << QList<int>{4, 1, 3};
}

void TestServiziPromemoria::giorni()
{
    QFETCH(QDate, giorno);
    QFETCH(QList<int>, rate);
    QFETCH(QList<int>, vetture);
    QFETCH(QList<int>, personale);
    QFETCH(QList<int>, calendario);
    popola();
    const promemoria::Promemoria p = promemoria::leggi(conn(), giorno);
    QCOMPARE(ids(p.pagamenti, promemoria::kColonnaIdPagamenti), rate);
    QCOMPARE(ids(p.vetture, promemoria::kColonnaIdVetture), vetture);
    QCOMPARE(ids(p.personale, promemoria::kColonnaIdPersonale), personale);
    QCOMPARE(ids(p.calendario, promemoria::kColonnaIdCalendario), calendario);
}

void TestServiziPromemoria::oggiDalClock()
{
    popola();
    g_seams->clock.set(QDateTime(QDate(2026, 3, 16), QTime(23, 59, 59)));
    QCOMPARE(ids(promemoria::leggi(conn()).pagamenti, promemoria::kColonnaIdPagamenti), QList<int>({6, 1, 2, 3, 4}));
    g_seams->clock.set(QDateTime(QDate(2026, 3, 14), QTime(0, 0)));
    QCOMPARE(ids(promemoria::leggi(conn()).pagamenti, promemoria::kColonnaIdPagamenti), QList<int>({6, 1}));
}

void TestServiziPromemoria::nienteDaRicordare()
{
    const promemoria::Promemoria p = promemoria::leggi(conn(), QDate(2026, 3, 15));
    QVERIFY(p.isEmpty());
    // Even empty, each list keeps its titles for the grid that is titled anyway.
    QCOMPARE(p.calendario.titoli.size(), 6);
}

void TestServiziPromemoria::modPagamento_data()
{
    QTest::addColumn<QString>("descrizione");
    QTest::addColumn<QString>("cella");
    QTest::newRow("text") << "Bonifico" << "Bonifico";
    QTest::newRow("empty") << "" << "";
    QTest::newRow("zero") << "0" << "";
    QTest::newRow("zero then more") << "0 giorni" << "0 giorni";
    QTest::newRow("digit") << "30 gg" << "30 gg";
    QTest::newRow("leading blank") << " Contanti" << "";
    QTest::newRow("bracket") << "(rimessa)" << "";
}

void TestServiziPromemoria::modPagamento()
{
    QFETCH(QString, descrizione);
    QFETCH(QString, cella);
    QCOMPARE(promemoria::testoModPagamento(descrizione), cella);
}
