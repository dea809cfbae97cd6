#include "tst_postazioni.h"

#include "db/DbError.h"
#include "db/Query.h"
#include "db/Transaction.h"
#include "accounting/services/Scadenziario.h"
#include "operations/services/Personale.h"
#include "operations/services/Rifornimento.h"
#include "operations/services/Vetture.h"
#include "sales/services/Fatture.h"
#include "sales/services/NoteCredito.h"
#include "sales/services/Numerazione.h"
#include "sales/services/PagamentoScadenze.h"
#include "sales/services/Preventivi.h"
#include "sales/services/SalvaRighe.h"
#include "sales/services/Scadenze.h"
#include "sales/services/Totali.h"
#include "support/TestCore.h"

#include <QRandomGenerator>
#include <QTest>

#include <atomic>
#include <thread>

using namespace testing_support;

namespace {

// Customer 1, a method of three instalments, tank 1 of 1000 litres, vehicles 1-6, instalments
// paid into the cash book.
void archivio(TestDatabase &d)
{
    auto &c = d.conn();
    c.execute("update opzioni set DuplicaFatturazioneInPrimaNota = true, LavoraCisterne = true, ModPagamento_Id = 7");
    c.execute("insert into ModPagamento (id, Descrizione, NumeroScadenze, GG1Scadenza, GG2Scadenza, GG3Scadenza) "
              "values (7, 'Tre rate', 3, 30, 60, 90)");
    c.execute("insert into Clienti (Id, Cognome) values (1, 'Rossi')");
    c.execute("insert into Carburanti (ID, Descrizione, Prezzo) values (1, 'Gasolio', 1.5)");
    c.execute("insert into Cisterne (ID, Descrizione, Carburante_ID, Litri) values (1, 'Cisterna A', 1, 1000)");
    for (int v = 1; v <= 6; ++v) c.execute("insert into Vetture (ID, Targa, Carburante_id) values (:v, :t, 1)", {{":v", v}, {":t", QStringLiteral("AA%1").arg(v)}});
    // Rows added later get keys after the ones written here.
    c.engine().keysFollowRows();
}

qint64 conta(db::Connection &c, const QString &sql, const db::Params &p = {}) { return c.scalar(sql, p).toLongLong(); }

// A row of 100 + 22% VAT on invoice `id`.
void riga(db::Connection &c, qint64 id)
{
    c.execute("insert into fattdett (NumFatt, NumeroRiga, TipoRiga, Um, ValoreUnitario, Sconto, AliquotaIva, TotaleImponibile, "
              "ValoreTotale, Descrizione) values (:id, 1, 'N', 1, 100, 0, 22, 100, 122, 'Traino')",
              {{":id", id}});
}

// An invoice of customer 1 with one row, its totals and three instalments: what the editor stores.
qint64 fattura(db::Connection &c)
{
    vendite::NuovoDocumento n;
    n.oggi = QDate(2026, 3, 15);
    const qint64 id = vendite::nuovoDocumento(c, n).id;
    vendite::salvaRighe(c, vendite::Righe::Fattura, id, [&] {
        c.execute("update fattura set Cliente_ID = 1, ModPagamento_Id = 7 where ID = :id", {{":id", id}});
        riga(c, id);
        return true;
    });
    return id;
}

// A credit note of customer 1 naming invoice `fattura`.
qint64 notaCredito(db::Connection &c, qint64 fattura)
{
    vendite::NuovoDocumento n;
    n.notaCredito = true;
    n.oggi = QDate(2026, 3, 16);
    const qint64 id = vendite::nuovoDocumento(c, n).id;
    c.execute("update fattura set Cliente_ID = 1, ModPagamento_Id = 7, NCFattIDRif = :f, NCFattNumRif = 1 where ID = :id",
              {{":f", fattura}, {":id", id}});
    return id;
}

std::unique_ptr<db::Connection> altra(TestDatabase &d)
{
    auto c = std::make_unique<db::Connection>();
    if (!c->open(d.path())) throw db::DbError(c->error());
    return c;
}

} // namespace

void TestGuardiePostazioni::pagamentoGiaPagato()
{
    CoreSeams seams;
    TestDatabase d(TestDatabase::WithSchema);
    archivio(d);
    const qint64 f = fattura(d.conn());
    const qint64 rata = conta(d.conn(), "select min(Id) from FatturaScadenze where Fattura_ID = :f", {{":f", f}});
    auto b = altra(d);
    // Both workstations choose the same instalment; the first pays it.
    QCOMPARE(pagamenti::aggiungi(d.conn(), "UFFICIO", {rata}), 1);
    QCOMPARE(pagamenti::aggiungi(*b, "MAGAZZINO", {rata}), 1);
    pagamenti::Pagamento primo;
    primo.data = QDate(2026, 4, 1);
    primo.dettagli = "primo";
    QVERIFY(pagamenti::paga(d.conn(), "UFFICIO", primo).eseguito);
    pagamenti::Pagamento secondo;
    secondo.data = QDate(2026, 4, 2);
    secondo.dettagli = "secondo";
    const auto esito = pagamenti::paga(*b, "MAGAZZINO", secondo);
    QVERIFY(!esito.eseguito);
    QCOMPARE(esito.giaPagate, QList<qint64>{rata});
    QVERIFY(pagamenti::messaggioGiaPagate(1).contains("già pagata"));
    // The first payment stands, with one cash-book row.
    QCOMPARE(d.scalar(QString("select Dettagli from FatturaScadenze where Id = %1").arg(rata)).toString(), QString("primo"));
    QCOMPARE(conta(d.conn(), "select count(*) from finanzia where FatturaScadenze_Id = :r", {{":r", rata}}), 1);
    QCOMPARE(conta(d.conn(), "select count(*) from TempFatturaScadenzeCumulativo where NomeComputer = 'MAGAZZINO'"), 1);
}

void TestGuardiePostazioni::importaRigheDiFatturaEliminata()
{
    CoreSeams seams;
    TestDatabase d(TestDatabase::WithSchema);
    archivio(d);
    const qint64 f = fattura(d.conn());
    const qint64 nota = notaCredito(d.conn(), f);
    QCOMPARE(vendite::importaRigheFattura(d.conn(), nota).copiate.size(), 1);
    // Another workstation removes the invoice by hand (an older program, the database tool).
    auto b = altra(d);
    b->execute("delete from fattdett where NumFatt = :f", {{":f", f}});
    b->execute("delete from fattura where ID = :f", {{":f", f}});
    const auto esito = vendite::importaRigheFattura(d.conn(), nota);
    QVERIFY(esito.fatturaMancante);
    QCOMPARE(esito.eliminate, 0);
    QCOMPARE(conta(d.conn(), "select count(*) from NotaCreditoRighe where NotaCredito_ID = :n", {{":n", nota}}), 1);
    QCOMPARE(d.scalar(QString("select TotFattura from fattura where ID = %1").arg(nota)).toDouble(), 122.0);
}

void TestGuardiePostazioni::eliminaFatturaConNoteDiCredito()
{
    CoreSeams seams;
    TestDatabase d(TestDatabase::WithSchema);
    archivio(d);
    const qint64 f = fattura(d.conn());
    auto b = altra(d);
    const qint64 nota = notaCredito(*b, f);
    const auto esito = vendite::eliminaFattura(d.conn(), f);
    QVERIFY(!esito.eliminata);
    QCOMPARE(esito.noteCredito, QStringList{"n. 1 del 16/03/2026"});
    QVERIFY(vendite::messaggioNoteCollegate(esito.noteCredito).contains("n. 1 del 16/03/2026"));
    QCOMPARE(conta(d.conn(), "select count(*) from fattdett where NumFatt = :f", {{":f", f}}), 1);
    QCOMPARE(conta(d.conn(), "select count(*) from FatturaScadenze where Fattura_ID = :f", {{":f", f}}), 3);
    // Without the note the invoice goes, with all it has.
    b->execute("update fattura set NCFattIDRif = 0 where ID = :n", {{":n", nota}});
    QVERIFY(vendite::eliminaFattura(d.conn(), f).eliminata);
    QCOMPARE(conta(d.conn(), "select count(*) from FatturaScadenze where Fattura_ID = :f", {{":f", f}}), 0);
}

void TestGuardiePostazioni::righeDiFatturaEliminata()
{
    CoreSeams seams;
    TestDatabase d(TestDatabase::WithSchema);
    archivio(d);
    const qint64 f = fattura(d.conn());
    auto b = altra(d);
    QVERIFY(vendite::eliminaFattura(*b, f).eliminata);
    bool scritta = false;
    const auto esito = vendite::salvaRighe(d.conn(), vendite::Righe::Fattura, f, [&] {
        riga(d.conn(), f);
        scritta = true;
        return true;
    });
    QVERIFY(esito.documentoMancante);
    QVERIFY(!scritta);
    QCOMPARE(conta(d.conn(), "select count(*) from fattdett where NumFatt = :f", {{":f", f}}), 0);
    QCOMPARE(conta(d.conn(), "select count(*) from FatturaScadenze where Fattura_ID = :f", {{":f", f}}), 0);
    // A refused write leaves nothing either: the row written before the refusal goes too.
    const qint64 g = fattura(d.conn());
    const auto rifiutato = vendite::salvaRighe(d.conn(), vendite::Righe::Fattura, g, [&] {
        riga(d.conn(), g);
        return false;
    });
    QVERIFY(rifiutato.rifiutato);
    QCOMPARE(conta(d.conn(), "select count(*) from fattdett where NumFatt = :g", {{":g", g}}), 1);
    QCOMPARE(d.scalar(QString("select TotFattura from fattura where ID = %1").arg(g)).toDouble(), 122.0);
}

void TestGuardiePostazioni::rifornimentoDiVetturaEliminata()
{
    CoreSeams seams;
    TestDatabase d(TestDatabase::WithSchema);
    archivio(d);
    d.conn().execute("insert into VettureCarburante (Vettura_ID, Data, Litri, Cisterna_ID) values (3, #3/15/2026#, 0, 1)");
    const qint64 id = conta(d.conn(), "select max(ID) from VettureCarburante");
    auto b = altra(d);
    vetture::elimina(*b, 3, true);
    d.conn().execute("insert into VettureCarburante (ID, Vettura_ID, Data, Litri, Cisterna_ID) values (:id, 3, #3/15/2026#, 0, 1)",
                     {{":id", id + 1000}});
    const auto esito = rifornimenti::salva(d.conn(), id + 1000, true, [&] {
        d.conn().execute("update VettureCarburante set Litri = 40 where ID = :id", {{":id", id + 1000}});
        return true;
    });
    QVERIFY(esito.vetturaMancante);
    QVERIFY(!esito.salvato);
    QCOMPARE(d.scalar("select Litri from Cisterne where ID = 1").toDouble(), 1000.0);
    QCOMPARE(d.scalar(QString("select Litri from VettureCarburante where ID = %1").arg(id + 1000)).toDouble(), 0.0);
}

void TestGuardiePostazioni::rifornimentoMentreSiEliminaLaVettura()
{
    if (!suServer()) QSKIP("a file has one writer at a time: its transactions never overlap");
    CoreSeams seams;
    TestDatabase d(TestDatabase::WithSchema);
    archivio(d);
    // The other workstation is deleting vehicle 3 (its transaction already sees the world, and
    // has not committed) when this one adds a refuelling of 3 and saves 40 litres of it.
    auto b = altra(d);
    db::Transaction eliminazione(*b);
    vetture::elimina(*b, 3, true);
    rifornimenti::EsitoSalvataggio esito;
    QString errore;
    std::thread postazione([&] {
        db::Connection a;
        if (!a.open(d.path())) {
            errore = a.error();
            return;
        }
        try {
            a.execute("insert into VettureCarburante (Vettura_ID, Data, Litri, Cisterna_ID) values (3, #3/15/2026#, 0, 1)");
            const qint64 id = a.lastInsertId();
            esito = rifornimenti::salva(a, id, true, [&] {
                a.execute("update VettureCarburante set Litri = 40 where ID = :id", {{":id", id}});
                return true;
            });
        } catch (const db::DbError &e) {
            errore = e.message();
        }
    });
    // Give the save the time to reach the vehicle before the delete commits (only how likely the
    // fault would show depends on it, never the result).
    QTest::qWait(300);
    eliminazione.commit();
    postazione.join();
    QVERIFY2(errore.isEmpty(), qPrintable(errore));
    QVERIFY(esito.vetturaMancante);
    QCOMPARE(conta(d.conn(), "select count(*) from VettureCarburante where Litri <> 0 and Vettura_ID not in (select ID from Vetture)"), 0);
    QCOMPARE(d.scalar("select Litri from Cisterne where ID = 1").toDouble(), 1000.0);
}

void TestGuardiePostazioni::conflittoRipetuto()
{
    if (!suServer()) QSKIP("a file has one writer at a time: its transactions never collide");
    CoreSeams seams;
    TestDatabase d(TestDatabase::WithSchema);
    archivio(d);
    auto b = altra(d);
    // The first run reads the stock, the other workstation changes it and commits, the first
    // writes: the server cancels it, and the whole runs again on what the other stored.
    int giri = 0;
    const double scritto = db::inTransaction(d.conn(), [&] {
        ++giri;
        const double litri = d.scalar("select Litri from Cisterne where ID = 1").toDouble();
        if (giri == 1) b->execute("update Cisterne set Litri = Litri - 100 where ID = 1");
        d.conn().execute("update Cisterne set Litri = :l where ID = 1", {{":l", litri - 10}});
        return litri - 10;
    });
    QCOMPARE(giri, 2);
    QCOMPARE(scritto, 890.0);
    QCOMPARE(d.scalar("select Litri from Cisterne where ID = 1").toDouble(), 890.0);
    // Cancelled every time: a clear message, nothing written.
    try {
        db::inTransaction(d.conn(), [&] {
            const double litri = d.scalar("select Litri from Cisterne where ID = 1").toDouble();
            b->execute("update Cisterne set Litri = Litri - 1 where ID = 1");
            d.conn().execute("update Cisterne set Litri = :l where ID = 1", {{":l", litri + 500}});
        });
        QFAIL("no conflict reported");
    } catch (const db::DbError &e) {
        QCOMPARE(e.kind(), db::DbError::Kind::Conflict);
        QVERIFY2(e.message().startsWith("Altre postazioni stanno modificando gli stessi dati"), qPrintable(e.message()));
        QVERIFY(!e.message().contains("set Litri", Qt::CaseInsensitive));
    }
    QCOMPARE(d.scalar("select Litri from Cisterne where ID = 1").toDouble(), 890.0 - db::kTentativiTransazione);
}

void TestGuardiePostazioni::postAnnullatoTornaInModifica()
{
    CoreSeams seams;
    TestDatabase d(TestDatabase::WithSchema);
    archivio(d);
    db::Query q(&d.conn());
    q.setSql("select * from Vetture order by ID");
    q.open();
    q.edit();
    q.fieldByName("Targa").setAsString("NUOVA");
    {
        db::Transaction t(d.conn());
        QVERIFY(q.post());
        QCOMPARE(q.state(), db::Query::State::Browse);
    } // rolled back
    QCOMPARE(q.state(), db::Query::State::Edit);
    QCOMPARE(q.fieldByName("Targa").asString(), QString("NUOVA"));
    QCOMPARE(d.scalar("select Targa from Vetture where ID = 1").toString(), QString("AA1"));
    // Posted again, now for good.
    QVERIFY(q.post());
    QCOMPARE(d.scalar("select Targa from Vetture where ID = 1").toString(), QString("NUOVA"));
    // A new row posted in a rolled-back transaction is a new row again: posting it stores it.
    q.append();
    q.fieldByName("Targa").setAsString("ALTRA");
    {
        db::Transaction t(d.conn());
        QVERIFY(q.post());
    }
    QCOMPARE(q.state(), db::Query::State::Insert);
    QCOMPARE(conta(d.conn(), "select count(*) from Vetture where Targa = 'ALTRA'"), 0);
    QVERIFY(q.post());
    QCOMPARE(conta(d.conn(), "select count(*) from Vetture where Targa = 'ALTRA'"), 1);
}

void TestGuardiePostazioni::erroreSenzaIstruzione()
{
    CoreSeams seams;
    TestDatabase d(TestDatabase::WithSchema);
    // The user reads what went wrong, never the statement.
    try {
        d.conn().execute("update Vetture set NonEsiste = 1 where Targa = 'SEGRETO'");
        QFAIL("no error");
    } catch (const db::DbError &e) {
        QVERIFY(!e.message().contains("SEGRETO"));
        QVERIFY(!e.message().isEmpty());
    }
    // A typed backslash is a backslash: searched as it is, on both engines.
    d.conn().execute("insert into Clienti (Id, Cognome) values (5, 'A\\B')");
    QCOMPARE(conta(d.conn(), "select count(*) from Clienti where Cognome = 'A\\B'"), 1);
}

void TestGuardiePostazioni::righeDiPreventivoEliminato()
{
    CoreSeams seams;
    TestDatabase d(TestDatabase::WithSchema);
    archivio(d);
    auto &c = d.conn();
    c.execute("insert into PreventiTestata (ID, Numero, Data, Cliente_ID) values (10, 1, #3/10/2026#, 1), (11, 2, #3/11/2026#, 1)");
    auto rigaPreventivo = [&c](qint64 id) {
        c.execute("insert into PreventiRighe (Prev_ID, NumeroRiga, TipoRiga, Um, ValoreUnitario, Sconto, AliquotaIva, "
                  "TotaleImponibile, ValoreTotale, Descrizione) values (:id, 1, 'N', 1, 100, 0, 22, 100, 122, 'Traino')",
                  {{":id", id}});
        return true;
    };
    // The row and the quote's totals together.
    const auto salvato = vendite::salvaRighePreventivo(c, 10, [&] { return rigaPreventivo(10); });
    QVERIFY(salvato.salvato);
    QCOMPARE(d.scalar("select TotalePreventivo from PreventiTestata where ID = 10").toDouble(), 122.0);
    QCOMPARE(d.scalar("select TotImposta from PreventiTestata where ID = 10").toDouble(), 22.0);
    // Deleted on another workstation: no row of nobody's, nothing written.
    auto b = altra(d);
    QVERIFY(vendite::eliminaPreventivo(*b, 11).eliminato);
    bool scritta = false;
    const auto mancante = vendite::salvaRighePreventivo(c, 11, [&] { return scritta = rigaPreventivo(11); });
    QVERIFY(mancante.documentoMancante);
    QVERIFY(!mancante.salvato);
    QVERIFY(!scritta);
    QCOMPARE(conta(c, "select count(*) from PreventiRighe where Prev_ID = 11"), 0);
    // A refused write leaves nothing: the row written before the refusal goes too.
    const auto rifiutato = vendite::salvaRighePreventivo(c, 10, [&] { return !rigaPreventivo(10); });
    QVERIFY(rifiutato.rifiutato);
    QCOMPARE(conta(c, "select count(*) from PreventiRighe where Prev_ID = 10"), 1);
    QCOMPARE(d.scalar("select TotalePreventivo from PreventiTestata where ID = 10").toDouble(), 122.0);
}

namespace {

// Runs `operazione` on connection `a` while connection `b` holds `scritturaB` uncommitted: on
// the server `operazione` runs in a thread of its own, `b` commits once the server shows it
// waiting for `b`'s lock, so the operation's transaction, begun before that commit, is cancelled
// by the server and must run again on what `b` stored. A file has one writer at a time: there
// `b` commits first, then `operazione` runs.
template <class F>
void conScritturaAltrui(TestDatabase &d, const QString &scritturaB, F operazione)
{
    auto b = altra(d);
    if (!suServer()) {
        b->execute(scritturaB);
        auto a = altra(d);
        operazione(*a);
        return;
    }
    auto osservatore = altra(d);
    db::Transaction t(*b);
    b->execute(scritturaB);
    QString errore;
    std::atomic<bool> finita{false};
    std::thread filo([&] {
        try {
            auto a = altra(d);
            operazione(*a);
        } catch (const db::DbError &e) {
            errore = e.message();
        }
        finita = true;
    });
    bool inAttesa = false;
    for (int i = 0; i < 100000 && !inAttesa && !finita; ++i) {
        inAttesa = conta(*osservatore, "select count(*) from pg_locks where not granted") > 0;
        if (!inAttesa) std::this_thread::yield();
    }
    t.commit();
    filo.join();
    QVERIFY2(errore.isEmpty(), qPrintable(errore));
    QVERIFY2(inAttesa, "the operation never waited for the other workstation");
}

} // namespace

void TestGuardiePostazioni::operazioneRipetutaDopoScritturaAltrui_data()
{
    QTest::addColumn<QString>("operazione");
    QTest::addColumn<QString>("scritturaB");      // the other workstation's write, on what the operation writes
    QTest::addColumn<QString>("verifica");        // a count that must be 1 afterwards
    QTest::newRow("invoice totals") << "totali" << "update fattura set Note = 'altrove' where ID = 1"
                                    << "select count(*) from fattura where ID = 1 and Note = 'altrove' and TotFattura = 244";
    QTest::newRow("instalments made again")
        << "scadenze" << "update FatturaScadenze set Note = 'altrove' where Fattura_ID = 1"
        << "select count(*) from fattura where ID = 1 and (select count(*) from FatturaScadenze where Fattura_ID = 1) = 3 "
           "and (select sum(Importo) from FatturaScadenze where Fattura_ID = 1) = 122";
    QTest::newRow("staff save") << "personale" << "update Personale set Tel = '0612345' where Id = 1"
                                << "select count(*) from Calendario where Personale = 'Bianchi Anna' and "
                                   "(select count(*) from Personale where Tel = '0612345' and Personale = 'Bianchi Anna') = 1";
    QTest::newRow("instalment save") << "scadenza" << "update FatturaScadenze set Note = 'altrove' where Fattura_ID = 1"
                                     << "select count(*) from FatturaScadenze where Fattura_ID = 1 and Note = 'altrove' and "
                                        "Numero = 1 and Pagato <> 0 and (select count(*) from finanzia where "
                                        "finanzia.FatturaScadenze_Id = FatturaScadenze.Id) = 1";
}

void TestGuardiePostazioni::operazioneRipetutaDopoScritturaAltrui()
{
    QFETCH(QString, operazione);
    QFETCH(QString, scritturaB);
    QFETCH(QString, verifica);
    CoreSeams seams;
    TestDatabase d(TestDatabase::WithSchema);
    archivio(d);
    auto &c = d.conn();
    QCOMPARE(fattura(c), qint64(1));
    c.execute("insert into Personale (Id, Personale) values (1, 'Bianchi')");
    c.execute("insert into Calendario (Personale_Id, Personale, Data) values (1, 'Bianchi', #3/20/2026#)");
    const qint64 rata = conta(c, "select min(Id) from FatturaScadenze where Fattura_ID = 1");
    conScritturaAltrui(d, scritturaB, [&](db::Connection &a) {
        if (operazione == "totali") {
            a.execute("insert into fattdett (NumFatt, NumeroRiga, TipoRiga, Um, ValoreUnitario, Sconto, AliquotaIva, "
                      "TotaleImponibile, ValoreTotale, Descrizione) values (1, 2, 'N', 1, 100, 0, 22, 100, 122, 'Custodia')");
            vendite::aggiornaTotali(a, vendite::Righe::Fattura, 1);
        } else if (operazione == "scadenze") {
            scadenze::generaScadenze(a, 1, scadenze::Genere::FatturaVendita, false);
        } else if (operazione == "personale") {
            personale::salva(a, 1, true, [&] {
                a.execute("update Personale set Personale = 'Bianchi Anna' where Id = 1");
                return true;
            });
        } else {
            scadenziario::salvaScadenza(a, rata, [&] {
                a.execute("update FatturaScadenze set DataPagamento = #4/1/2026# where Id = :r", {{":r", rata}});
                return true;
            });
        }
    });
    QCOMPARE(conta(c, verifica), 1);
}

void TestStressPostazioni::operazioniMiste()
{
    CoreSeams seams;
    TestDatabase d(TestDatabase::WithSchema);
    archivio(d);
    // Two invoices named by credit notes, whose rows the notes import over and over.
    QList<qint64> note;
    for (int i = 0; i < 2; ++i) note << notaCredito(d.conn(), fattura(d.conn()));

    constexpr int kPostazioni = 5;
    constexpr int kOperazioni = 60;
    std::atomic<int> pronte{0};
    std::atomic<int> conflitti{0};
    QStringList errori[kPostazioni];
    auto postazione = [&](int k) {
        db::Connection c;
        if (!c.open(d.path())) {
            errori[k] << c.error();
            ++pronte;
            return;
        }
        ++pronte;
        while (pronte < kPostazioni) std::this_thread::yield();
        QRandomGenerator caso(quint32(1000 + k));
        const QString nome = QStringLiteral("POSTAZIONE%1").arg(k);
        auto unaFattura = [&]() -> qint64 {
            const QVariant id = c.scalar("select max(ID) from fattura where FattNota = 0 and ID <= :x",
                                         {{":x", caso.bounded(1, 400)}});
            return id.isNull() ? c.scalar("select min(ID) from fattura where FattNota = 0").toLongLong() : id.toLongLong();
        };
        for (int i = 0; i < kOperazioni; ++i) {
            try {
                const int op = caso.bounded(100);
                if (op < 25) {
                    fattura(c);
                } else if (op < 40) {
                    const qint64 f = unaFattura();
                    vendite::salvaRighe(c, vendite::Righe::Fattura, f, [&] {
                        riga(c, f);
                        return true;
                    });
                } else if (op < 50) {
                    vendite::eliminaFattura(c, unaFattura());
                } else if (op < 65) {
                    const QVariant rata = c.scalar("select min(Id) from FatturaScadenze where Cliente_id = 1 and Pagato = 0 and Tipo = 'F'");
                    if (rata.isNull()) continue;
                    pagamenti::togliTutte(c, nome);
                    pagamenti::aggiungi(c, nome, {rata.toLongLong()});
                    pagamenti::Pagamento p;
                    p.data = QDate(2026, 4, 1);
                    p.dettagli = nome;
                    pagamenti::paga(c, nome, p);
                } else if (op < 75) {
                    vendite::importaRigheFattura(c, note[caso.bounded(int(note.size()))]);
                } else if (op < 92) {
                    const QVariant v = c.scalar("select min(ID) from Vetture where ID >= :v", {{":v", caso.bounded(1, 8)}});
                    if (v.isNull()) continue;
                    c.execute("insert into VettureCarburante (Vettura_ID, Data, Litri, Cisterna_ID) values (:v, #3/15/2026#, 0, 1)",
                              {{":v", v}});
                    const qint64 id = c.lastInsertId();
                    const auto esito = rifornimenti::salva(c, id, true, [&] {
                        c.execute("update VettureCarburante set Litri = 40 where ID = :id", {{":id", id}});
                        return true;
                    });
                    // The editor's "Annulla" of a refuelling of a vehicle deleted meanwhile.
                    if (!esito.salvato) rifornimenti::elimina(c, id, true);
                } else {
                    const QVariant v = c.scalar("select min(ID) from Vetture where ID >= :v", {{":v", caso.bounded(1, 8)}});
                    if (!v.isNull()) vetture::elimina(c, v.toLongLong(), true);
                    c.execute("insert into Vetture (Targa, Carburante_id) values (:t, 1)", {{":t", nome}});
                }
            } catch (const db::DbError &e) {
                // Given up after every retry: a clear message and nothing written, which the
                // invariants below check as well.
                if (e.kind() == db::DbError::Kind::Conflict) ++conflitti;
                else errori[k] << e.message();
            }
        }
    };
    std::vector<std::thread> fili;
    for (int k = 0; k < kPostazioni; ++k) fili.emplace_back(postazione, k);
    for (auto &f : fili) f.join();
    QStringList tutti;
    for (const auto &e : errori) tutti += e;
    QVERIFY2(tutti.isEmpty(), qPrintable(tutti.join("\n")));
    qInfo("operazioni annullate dopo tutti i tentativi: %d", conflitti.load());

    auto &c = d.conn();
    const std::pair<const char *, const char *> invarianti[] = {
        {"righe di fatture mancanti", "select count(*) from fattdett where NumFatt not in (select ID from fattura)"},
        {"scadenze di documenti mancanti", "select count(*) from FatturaScadenze where Fattura_ID not in (select ID from fattura)"},
        {"prima nota di documenti mancanti",
         "select count(*) from finanzia where Fattura_ID <> 0 and Fattura_ID not in (select ID from fattura)"},
        {"pagamenti di scadenze mancanti",
         "select count(*) from finanzia where FatturaScadenze_Id <> 0 and FatturaScadenze_Id not in (select Id from FatturaScadenze)"},
        {"righe di note mancanti", "select count(*) from NotaCreditoRighe where NotaCredito_ID not in (select ID from fattura)"},
        {"scadenze pagate senza un solo pagamento",
         "select count(*) from FatturaScadenze where Pagato <> 0 and "
         "(select count(*) from finanzia where finanzia.FatturaScadenze_Id = FatturaScadenze.Id) <> 1"},
        {"numeri ripetuti",
         "select count(*) from (select Num from fattura where FattNota = 0 group by Num having count(*) > 1) x"},
        {"progressivi ripetuti",
         "select count(*) from (select DatiTrasmissione_NumeroInterno from fattura group by DatiTrasmissione_NumeroInterno "
         "having count(*) > 1) x"},
        {"note importate due volte",
         "select count(*) from fattura where FattNota <> 0 and (select count(*) from NotaCreditoRighe where NotaCredito_ID = fattura.ID) "
         "<> (select count(*) from fattdett where NumFatt = fattura.NCFattIDRif)"},
        {"rifornimenti di vetture mancanti",
         "select count(*) from VettureCarburante where Litri <> 0 and Vettura_ID not in (select ID from Vetture)"},
        {"totali diversi dalle righe",
         "select count(*) from fattura where FattNota = 0 and abs(TotFattura - 122 * (select count(*) from fattdett where NumFatt = "
         "fattura.ID)) > 0.001"},
    };
    for (const auto &[cosa, sql] : invarianti) QVERIFY2(conta(c, QString::fromLatin1(sql)) == 0, cosa);
    QCOMPARE(c.scalar("select Litri from Cisterne where ID = 1").toDouble()
                 + c.scalar("select coalesce(sum(Litri), 0) from VettureCarburante where Cisterna_ID = 1").toDouble(),
             1000.0);
    QVERIFY(conta(c, "select count(*) from fattura where FattNota = 0") > 2);
    QVERIFY(conta(c, "select count(*) from FatturaScadenze where Pagato <> 0") > 0);
}
