#include "tst_acquisti.h"

#include "accounting/services/Scadenziario.h"
#include "db/DbError.h"
#include "db/Query.h"
#include "purchases/services/Fatture.h"
#include "purchases/services/Numerazione.h"
#include "purchases/services/Righe.h"
#include "sales/services/PagamentoScadenze.h"
#include "sales/services/Scadenze.h"
#include "support/DuePostazioni.h"
#include "support/TestCore.h"

#include <QSet>
#include <QTest>

using namespace testing_support;

namespace {

const QDate kOggi(2026, 3, 15);

qint64 inserisci(db::Connection &c, const QString &sql, const db::Params &p = {})
{
    c.execute(sql, p);
    return c.lastInsertId();
}

int conta(db::Connection &c, const QString &sql, qint64 id = 0)
{
    return c.scalar(sql, sql.contains(":id") ? db::Params{{":id", id}} : db::Params{}).toInt();
}

// Existing documents, one text each: "progressive flags registration-year", flags among N
// (supplier credit note), S (in history), V (a sales document), "-" for none; year "-" for none.
void documenti(db::Connection &c, const QStringList &righe)
{
    for (const QString &r : righe) {
        const QStringList p = r.split(' ');
        c.execute("insert into fattura (ProgressivoCarico, Carico, FattNota, Storico, DataRegistrazione) "
                  "values (:prog, :carico, :nota, :storico, :reg)",
                  {{":prog", p[0].toLongLong()},
                   {":carico", !p[1].contains('V')},
                   {":nota", p[1].contains('N')},
                   {":storico", p[1].contains('S')},
                   {":reg", p[2] == "-" ? QVariant() : QVariant(QDate(p[2].toInt(), 6, 30))}});
    }
}

// A payment method of `rate` instalments, 30 days apart.
qint64 metodo(db::Connection &c, int rate)
{
    return inserisci(c, "insert into ModPagamento (Descrizione, NumeroScadenze, GG1Scadenza, GG2Scadenza, GG3Scadenza) "
                        "values (:d, :n, 30, 60, 90)",
                     {{":d", QString("%1 rate").arg(rate)}, {":n", rate}});
}

struct Riga {
    double quantita, prezzo, s1, s2, s3, s4;
    qint64 iva;
    double aliquota;
};

// A row written as the row editor saves it: a new row, the values typed, its amounts.
qint64 scriviRiga(db::Connection &c, qint64 fattura, const Riga &r, qint64 conto, qint64 vettura)
{
    qint64 id = 0;
    const vendite::EsitoRighe e = acquisti::salvaRighe(c, fattura, [&] {
        id = acquisti::nuovaRiga(c, fattura, acquisti::TipoRiga::Articolo);
        c.execute("update Movimenti set Um = :q, ValoreUnitario = :p, Sconto = :s1, Sconto2 = :s2, Sconto3 = :s3, Sconto4 = :s4, "
                  "Iva_ID = :iva, AliquotaIva = :a, ContabilitaConti_ID = :conto, Vettura_ID = :vettura where ID = :id",
                  {{":q", r.quantita}, {":p", r.prezzo}, {":s1", r.s1}, {":s2", r.s2}, {":s3", r.s3}, {":s4", r.s4},
                   {":iva", r.iva}, {":a", r.aliquota}, {":conto", conto}, {":vettura", vettura}, {":id", id}});
        return acquisti::aggiornaImportiRiga(c, id);
    });
    if (!e.salvato) qWarning("row not saved");
    return id;
}

double valore(db::Connection &c, const QString &sql, qint64 id) { return c.scalar(sql, {{":id", id}}).toDouble(); }

QDate dataDi(db::Connection &c, const QString &sql, qint64 id)
{
    db::Query q(&c);
    q.setSql(sql);
    q.bind(":id", id);
    q.open();
    return q.eof() ? QDate() : q.field(0).asDateTime().date();
}

} // namespace

void TestServiziAcquisti::progressivo_data()
{
    QTest::addColumn<QStringList>("esistenti");
    QTest::addColumn<bool>("numerazioneUnica"); // opzioni.NumerazioneUnicaNoteCredito
    QTest::addColumn<qint64>("fattura");        // next progressive of a purchase invoice
    QTest::addColumn<qint64>("nota");           // next progressive of a supplier credit note
    QTest::newRow("empty archive") << QStringList() << false << 1ll << 1ll;
    QTest::newRow("after the highest") << QStringList{"5 - 2026", "3 - 2026"} << false << 6ll << 1ll;
    QTest::newRow("joint off: each kind its own") << QStringList{"7 N 2026", "5 - 2026"} << false << 6ll << 8ll;
    QTest::newRow("joint on: credit note 7, invoices 5") << QStringList{"7 N 2026", "5 - 2026"} << true << 8ll << 8ll;
    QTest::newRow("joint on: invoice highest") << QStringList{"2 N 2026", "9 - 2026"} << true << 10ll << 10ll;
    QTest::newRow("history never counts") << QStringList{"40 S 2025", "40 NS 2025", "2 - 2026"} << true << 3ll << 3ll;
    QTest::newRow("new year after the roll-over") << QStringList{"40 S 2025", "12 NS 2025"} << false << 1ll << 1ll;
    QTest::newRow("new year before the roll-over") << QStringList{"40 - 2025", "3 N 2025"} << true << 1ll << 1ll;
    QTest::newRow("next year's registrations count") << QStringList{"40 - 2025", "3 - 2027"} << false << 4ll << 1ll;
    QTest::newRow("sales documents ignored") << QStringList{"90 V 2026", "4 - 2026"} << false << 5ll << 1ll;
    QTest::newRow("no registration date counts") << QStringList{"4 - -"} << false << 5ll << 1ll;
}

void TestServiziAcquisti::progressivo()
{
    QFETCH(QStringList, esistenti);
    QFETCH(bool, numerazioneUnica);
    QFETCH(qint64, fattura);
    QFETCH(qint64, nota);
    CoreSeams seams;
    TestDatabase d(TestDatabase::WithSchema);
    documenti(d.conn(), esistenti);
    d.conn().execute("update opzioni set NumerazioneUnicaNoteCredito = :v", {{":v", numerazioneUnica}});
    QCOMPARE(acquisti::prossimoProgressivo(d.conn(), false, kOggi), fattura);
    QCOMPARE(acquisti::prossimoProgressivo(d.conn(), true, kOggi), nota);
    const acquisti::FatturaCreata f = acquisti::nuovaFattura(d.conn(), {.oggi = kOggi});
    QCOMPARE(f.progressivo, fattura);
    QCOMPARE(valore(d.conn(), "select ProgressivoCarico from fattura where ID = :id", f.id), double(fattura));
    QCOMPARE(conta(d.conn(), "select count(*) from fattura"), int(esistenti.size()) + 1);
}

void TestServiziAcquisti::nuovaFatturaScritta()
{
    CoreSeams seams;
    TestDatabase d(TestDatabase::WithSchema);
    db::Connection &c = d.conn();
    c.execute("update opzioni set Carico_ModPagamento_Id = 6, ModPagamento_Id = 9, Bank_ID = 4");
    const acquisti::FatturaCreata f = acquisti::nuovaFattura(c, {.oggi = kOggi});
    db::Query q(&c);
    q.setSql("select * from fattura where ID = :id");
    q.bind(":id", f.id);
    q.open();
    QCOMPARE(q.fieldByName("Num").asInteger(), 1);
    QCOMPARE(q.fieldByName("ProgressivoCarico").asInteger(), 1);
    QVERIFY(q.fieldByName("Carico").asBoolean());
    QVERIFY(!q.fieldByName("FattNota").asBoolean());
    QVERIFY(!q.fieldByName("Storico").asBoolean());
    QCOMPARE(q.fieldByName("Data").asDateTime().date(), kOggi);
    QCOMPARE(q.fieldByName("DataRegistrazione").asDateTime().date(), kOggi);
    QCOMPARE(q.fieldByName("ModPagamento_Id").asInteger(), 6);
    QCOMPARE(q.fieldByName("Banca_ID").asInteger(), 4);
    // The saved default values come last and win; a refused post stores nothing.
    const auto g = acquisti::nuovaFattura(c, {.oggi = kOggi, .valoriPredefiniti = [](db::Query &n) {
                                                  n.fieldByName("Banca_ID").setValue(8);
                                              }});
    QCOMPARE(g.progressivo, 2);
    QCOMPARE(valore(c, "select Banca_ID from fattura where ID = :id", g.id), 8.0);
    QVERIFY_THROWS_EXCEPTION(db::DbError, acquisti::nuovaFattura(c, {.oggi = kOggi, .valoriPredefiniti = [](db::Query &n) {
                                                                     n.fieldByName("ID").setValue(0);
                                                                     n.fieldByName("NonEsiste").setValue(1);
                                                                 }}));
    QCOMPARE(conta(c, "select count(*) from fattura"), 2);
}

void TestServiziAcquisti::duplicati()
{
    CoreSeams seams;
    TestDatabase d(TestDatabase::WithSchema);
    db::Connection &c = d.conn();
    const QDate data(2026, 3, 1);
    const auto documento = [&](const QString &numero, qint64 fornitore, bool nota, bool storico, qint64 prog, const QDate &reg) {
        return inserisci(c, "insert into fattura (Carico, FattNota, Storico, NumeroCarico, Data, Fornitore_ID, ProgressivoCarico, "
                            "DataRegistrazione) values (true, :nota, :storico, :numero, :data, :fornitore, :prog, :reg)",
                         {{":nota", nota}, {":storico", storico}, {":numero", numero}, {":data", data},
                          {":fornitore", fornitore}, {":prog", prog}, {":reg", reg}});
    };
    const qint64 a = documento("12/A", 3, false, false, 5, QDate(2026, 3, 2));
    documento("D'1", 4, true, false, 6, QDate(2026, 12, 31));
    c.execute("update fattura set DataRegistrazione = :r where NumeroCarico = 'D''1'", {{":r", QDateTime(QDate(2026, 12, 31), QTime(15, 0))}});
    documento("12/A", 3, false, true, 5, QDate(2025, 4, 1));
    // A sales invoice with the same number never counts.
    inserisci(c, "insert into fattura (Carico, NumeroCarico, Data, Fornitore_ID) values (false, '12/A', :d, 3)", {{":d", data}});

    using namespace acquisti;
    // Same supplier, number and date: the other purchase invoices (the one of 2025 too).
    QCOMPARE(stessoNumeroDelFornitore(c, 0, "12/A", data, 3), 2);
    QCOMPARE(stessoNumeroDelFornitore(c, a, "12/a", data, 3), 1);
    QCOMPARE(stessoNumeroDelFornitore(c, 0, "12/A", data, 4), 0);
    QCOMPARE(stessoNumeroDelFornitore(c, 0, "12/A", data.addDays(1), 3), 0);
    QCOMPARE(stessoNumeroDelFornitore(c, 0, "D'1", data, 4), 0); // a credit note is not an invoice
    QCOMPARE(stessoNumeroDelFornitore(c, 0, "", data, 3), 0);
    // Progressive of the registration year, both kinds, history included.
    QCOMPARE(stessoProgressivo(c, 0, 5, QDate(2026, 7, 1)), 1);
    QCOMPARE(stessoProgressivo(c, a, 5, QDate(2026, 7, 1)), 0);
    QCOMPARE(stessoProgressivo(c, 0, 5, QDate(2025, 1, 1)), 1);
    QCOMPARE(stessoProgressivo(c, 0, 6, QDate(2026, 1, 1)), 1); // the credit note of 31/12 at 15:00
    QCOMPARE(stessoProgressivo(c, 0, 6, QDate(2027, 1, 1)), 0);
    QCOMPARE(stessoProgressivo(c, 0, 7, QDate(2026, 1, 1)), 0);
    // Number and date of any purchase document of any supplier.
    QCOMPARE(stessoNumeroEData(c, 0, "D'1", data), 1);
    QCOMPARE(stessoNumeroEData(c, 0, "12/A", data), 2);
    QCOMPARE(stessoNumeroEData(c, 0, "12/A' or 1=1 --", data), 0);
    QCOMPARE(stessoNumeroEData(c, 0, "12/A", QDate()), 0);

    QCOMPARE(avvisoNumeroDelFornitore("12/A", 2).testo, QString("Attenzione la fattura 12/A è già presente in altri 2 Record."));
    QCOMPARE(avvisoNumeroDelFornitore("12/A", 2).titolo,
             QString("Attenzione si è caricato una fattura fornitore già presente in archivio"));
    QCOMPARE(avvisoProgressivo(5, 1).testo, QString("Attenzione il Numero Progressivo (Numero:5) è già presente in altri 1 Record."));
    QCOMPARE(avvisoNumeroEData("D'1", 1).testo,
             QString("Attenzione la data ed il Numero di Fattura:D'1 è già presente in altri 1 Record."));
    QCOMPARE(avvisoNumeroEData("D'1", 1).titolo, QString("Attenzione si è inserito un numero progressivo già presente in archivio"));
}

void TestServiziAcquisti::importiRiga_data()
{
    QTest::addColumn<double>("quantita");
    QTest::addColumn<double>("prezzo");
    QTest::addColumn<QList<double>>("sconti");
    QTest::addColumn<double>("aliquota");
    QTest::addColumn<double>("imponibile");
    QTest::addColumn<double>("totale");
    QTest::newRow("two discounts") << 2.0 << 50.0 << QList<double>{10, 5, 0, 0} << 22.0 << 85.5 << 104.31;
    QTest::newRow("four discounts") << 1.0 << 100.0 << QList<double>{10, 10, 10, 10} << 22.0 << 65.61 << 80.04;
    QTest::newRow("net not rounded") << 3.0 << 0.3333 << QList<double>{0, 0, 0, 0} << 22.0 << 0.9999 << 1.22;
    QTest::newRow("rate with decimals") << 1.0 << 100.0 << QList<double>{0, 0, 0, 0} << 5.5 << 100.0 << 105.5;
    QTest::newRow("half cent away from zero") << 1.0 << 0.05 << QList<double>{0, 0, 0, 0} << 10.0 << 0.05 << 0.06;
    QTest::newRow("negative row") << -1.0 << 10.05 << QList<double>{0, 0, 0, 0} << 22.0 << -10.05 << -12.26;
    QTest::newRow("discount 100") << 1.0 << 100.0 << QList<double>{100, 0, 0, 0} << 22.0 << 0.0 << 0.0;
    QTest::newRow("discount above 100") << 2.0 << 10.0 << QList<double>{10, 150, 0, 0} << 22.0 << 0.0 << 0.0;
    QTest::newRow("negative discount ignored") << 1.0 << 10.0 << QList<double>{-5, 0, 0, 0} << 0.0 << 10.0 << 10.0;
    QTest::newRow("no quantity") << 0.0 << 10.0 << QList<double>{0, 0, 0, 0} << 22.0 << 0.0 << 0.0;
}

void TestServiziAcquisti::importiRiga()
{
    QFETCH(double, quantita);
    QFETCH(double, prezzo);
    QFETCH(QList<double>, sconti);
    QFETCH(double, aliquota);
    QFETCH(double, imponibile);
    QFETCH(double, totale);
    const acquisti::ImportiRiga i =
        acquisti::importiRiga({quantita, prezzo, {sconti[0], sconti[1], sconti[2], sconti[3]}, aliquota});
    QCOMPARE(i.imponibile, imponibile);
    QCOMPARE(i.totale, totale);
}

void TestServiziAcquisti::prezzoDaTotale_data()
{
    QTest::addColumn<double>("quantita");
    QTest::addColumn<double>("totale");
    QTest::addColumn<QList<double>>("sconti");
    QTest::addColumn<double>("aliquota");
    QTest::addColumn<double>("prezzo");
    QTest::newRow("one unit at 22") << 1.0 << 100.0 << QList<double>{0, 0, 0, 0} << 22.0 << 81.9672;
    QTest::newRow("rate with decimals") << 1.0 << 105.5 << QList<double>{0, 0, 0, 0} << 5.5 << 100.0;
    QTest::newRow("discounts taken back") << 2.0 << 104.31 << QList<double>{10, 5, 0, 0} << 22.0 << 50.0;
    QTest::newRow("discount 100") << 1.0 << 100.0 << QList<double>{0, 0, 100, 0} << 22.0 << 0.0;
    QTest::newRow("discount above 100") << 1.0 << 100.0 << QList<double>{0, 0, 0, 120} << 22.0 << 0.0;
    QTest::newRow("no quantity") << 0.0 << 100.0 << QList<double>{0, 0, 0, 0} << 22.0 << 0.0;
}

void TestServiziAcquisti::prezzoDaTotale()
{
    QFETCH(double, quantita);
    QFETCH(double, totale);
    QFETCH(QList<double>, sconti);
    QFETCH(double, aliquota);
    QFETCH(double, prezzo);
    QCOMPARE(acquisti::prezzoDaTotale({quantita, 0, {sconti[0], sconti[1], sconti[2], sconti[3]}, aliquota}, totale), prezzo);
}

void TestServiziAcquisti::nuoveRighe_data()
{
    QTest::addColumn<int>("tipo");
    QTest::addColumn<double>("costo"); // the options' VAT-included cost of the kind
    QTest::addColumn<QString>("descrizione");
    QTest::addColumn<QString>("codice");
    QTest::addColumn<double>("prezzo");
    QTest::addColumn<double>("totale");
    QTest::addColumn<qint64>("conto");
    QTest::newRow("transport 12.20") << int(acquisti::TipoRiga::SpeseTrasporto) << 12.20 << "Spese di Trasporto" << "spsTrasp"
                                     << 10.0 << 12.20 << 31ll;
    QTest::newRow("transport 10.00") << int(acquisti::TipoRiga::SpeseTrasporto) << 10.0 << "Spese di Trasporto" << "spsTrasp"
                                     << 8.1967 << 10.0 << 31ll;
    QTest::newRow("transport 0") << int(acquisti::TipoRiga::SpeseTrasporto) << 0.0 << "Spese di Trasporto" << "spsTrasp" << 0.0
                                 << 0.0 << 31ll;
    QTest::newRow("collection") << int(acquisti::TipoRiga::SpeseIncasso) << 2.44 << "Spese di Incasso" << "spsIncasso" << 2.0
                                << 2.44 << 32ll;
    QTest::newRow("free row") << int(acquisti::TipoRiga::Articolo) << 99.0 << "Descrizione Articolo" << "Codice Art" << 1.0 << 1.22
                              << 30ll;
}

void TestServiziAcquisti::nuoveRighe()
{
    QFETCH(int, tipo);
    QFETCH(double, costo);
    QFETCH(QString, descrizione);
    QFETCH(QString, codice);
    QFETCH(double, prezzo);
    QFETCH(double, totale);
    QFETCH(qint64, conto);
    CoreSeams seams;
    TestDatabase d(TestDatabase::WithSchema);
    db::Connection &c = d.conn();
    c.execute("update opzioni set AliquotaIva = 22, Iva_ID = 5, Spese_di_Trasporto = :c, Spese_di_Incasso = :c, "
              "conto_ID_Predefinito_su_FattureAcquisto_Generale = 30, conto_ID_Predefinito_su_FattureAcquisto_SpeseTrasporto = 31, "
              "conto_ID_Predefinito_su_FattureAcquisto_SpeseIncasso = 32",
              {{":c", costo}});
    const qint64 f = acquisti::nuovaFattura(c, {.oggi = QDate(2026, 2, 1)}).id;
    const qint64 id = acquisti::nuovaRiga(c, f, acquisti::TipoRiga(tipo));
    db::Query q(&c);
    q.setSql("select * from Movimenti where ID = :id");
    q.bind(":id", id);
    q.open();
    QCOMPARE(q.fieldByName("Fattura_ID").asLargeInt(), f);
    QCOMPARE(q.fieldByName("Descrizione").asString(), descrizione);
    QCOMPARE(q.fieldByName("Codice").asString(), codice);
    QCOMPARE(q.fieldByName("Um").asFloat(), 1.0);
    QCOMPARE(q.fieldByName("ValoreUnitario").asFloat(), prezzo);
    QCOMPARE(q.fieldByName("TotaleImponibile").asFloat(), prezzo);
    QCOMPARE(q.fieldByName("PrezzoCompleto").asFloat(), totale);
    QCOMPARE(q.fieldByName("Sconto").asFloat(), 0.0);
    QCOMPARE(q.fieldByName("AliquotaIva").asFloat(), 22.0);
    QCOMPARE(q.fieldByName("Iva_ID").asLargeInt(), 5);
    QCOMPARE(q.fieldByName("ContabilitaConti_ID").asLargeInt(), conto);
    QCOMPARE(q.fieldByName("NumeroRiga").asInteger(), 1);
    QCOMPARE(q.fieldByName("Data").asDateTime().date(), QDate(2026, 2, 1));
    QVERIFY(!q.fieldByName("Scarico").asBoolean());
    QVERIFY(!q.fieldByName("Storico").asBoolean());
}

void TestServiziAcquisti::numeroENumeroRiga()
{
    CoreSeams seams;
    TestDatabase d(TestDatabase::WithSchema);
    db::Connection &c = d.conn();
    const qint64 f = acquisti::nuovaFattura(c, {.oggi = QDate(2026, 2, 1)}).id;
    c.execute("update fattura set Data = null where ID = :id", {{":id", f}});
    QList<qint64> righe;
    for (int i = 0; i < 4; ++i) righe << acquisti::nuovaRiga(c, f, acquisti::TipoRiga::Articolo);
    QCOMPARE(valore(c, "select NumeroRiga from Movimenti where ID = :id", righe[3]), 4.0);
    // Without an invoice date the row is dated today.
    QCOMPARE(c.scalar("select Data from fattura where ID = :id", {{":id", f}}).isNull(), true);
    QCOMPARE(dataDi(c, "select Data from Movimenti where ID = :id", righe[0]), kOggi);
    c.execute("delete from Movimenti where ID = :id", {{":id", righe[1]}});
    const qint64 nuova = acquisti::nuovaRiga(c, f, acquisti::TipoRiga::Articolo);
    QCOMPARE(valore(c, "select NumeroRiga from Movimenti where ID = :id", nuova), 4.0);
    // The rows are 1, 3, 4 and the new one: the others keep their numbers.
    QCOMPARE(valore(c, "select NumeroRiga from Movimenti where ID = :id", righe[2]), 3.0);
    // No row for an invoice that is not there.
    QVERIFY_THROWS_EXCEPTION(db::DbError, acquisti::nuovaRiga(c, f + 100, acquisti::TipoRiga::Articolo));
    QCOMPARE(conta(c, "select count(*) from Movimenti"), 4);
}

// The row editor's save refuses a row without a quantity: nothing of the action stays.
void TestServiziAcquisti::rigaSenzaQuantita()
{
    CoreSeams seams;
    TestDatabase d(TestDatabase::WithSchema);
    db::Connection &c = d.conn();
    const qint64 f = acquisti::nuovaFattura(c, {.oggi = kOggi}).id;
    const qint64 r = acquisti::nuovaRiga(c, f, acquisti::TipoRiga::Articolo);
    const vendite::EsitoRighe e = acquisti::salvaRighe(c, f, [&] {
        c.execute("update Movimenti set Um = null, ValoreUnitario = 70 where ID = :id", {{":id", r}});
        return acquisti::aggiornaImportiRiga(c, r);
    });
    QVERIFY(e.rifiutato);
    QVERIFY(!e.salvato);
    QCOMPARE(valore(c, "select Um from Movimenti where ID = :id", r), 1.0);
    QCOMPARE(valore(c, "select ValoreUnitario from Movimenti where ID = :id", r), 1.0);
    // A quantity of 0 is accepted.
    QVERIFY(acquisti::salvaRighe(c, f, [&] {
                c.execute("update Movimenti set Um = 0, ValoreUnitario = 70 where ID = :id", {{":id", r}});
                return acquisti::aggiornaImportiRiga(c, r);
            }).salvato);
    QCOMPARE(valore(c, "select PrezzoCompleto from Movimenti where ID = :id", r), 0.0);
    // An invoice deleted meanwhile gets no row.
    QVERIFY(acquisti::eliminaFattura(c, f).eliminata);
    const vendite::EsitoRighe mancante = acquisti::salvaRighe(c, f, [&] {
        acquisti::nuovaRiga(c, f, acquisti::TipoRiga::Articolo);
        return true;
    });
    QVERIFY(mancante.documentoMancante);
    QCOMPARE(conta(c, "select count(*) from Movimenti"), 0);
}

// A whole purchase invoice: header, rows with four discounts at two rates with an account and a
// vehicle, withholding tax, totals, schedule and its cash-book rows, one payment, a row deleted
// after the payment, and the delete with everything that depends on it.
void TestServiziAcquisti::fatturaIntera()
{
    CoreSeams seams;
    TestDatabase d(TestDatabase::WithSchema);
    db::Connection &c = d.conn();
    c.execute("update opzioni set DuplicaFatturazioneInPrimaNota = true, PrimaNotaDescrizioneSemplificata = false, "
              "AliquotaIva = 22, Bank_ID = 2, Carico_ModPagamento_Id = 0");
    const qint64 iva22 = inserisci(c, "insert into Iva (Descrizione, Iva) values ('Iva 22%', 22)");
    const qint64 iva10 = inserisci(c, "insert into Iva (Descrizione, Iva) values ('Iva 10%', 10)");
    const qint64 tre = metodo(c, 3);
    const qint64 fornitore =
        inserisci(c, "insert into Fornitor (Fornitore, Pagamento_ID) values ('Ricambi D''Angelo', :m)", {{":m", tre}});
    const qint64 conto = inserisci(c, "insert into ContabilitaConti (Descrizione, Conto) values ('Ricambi', 'Ricambi')");
    const qint64 vettura = inserisci(c, "insert into Vetture (Targa) values ('AB123CD')");

    // Another supplier's invoice that nothing here may touch.
    const qint64 altra = acquisti::nuovaFattura(c, {.oggi = kOggi}).id;
    c.execute("update fattura set ModPagamento_Id = :m, NumeroCarico = 'X1', Fornitore_ID = 99 where ID = :id",
              {{":m", tre}, {":id", altra}});
    scriviRiga(c, altra, {1, 30, 0, 0, 0, 0, iva22, 22}, conto, 0);

    const acquisti::FatturaCreata nuova = acquisti::nuovaFattura(c, {.oggi = kOggi});
    const qint64 f = nuova.id;
    QCOMPARE(nuova.progressivo, 2);
    // The header as the editor posts it, then the schedule made again for the chosen supplier.
    QVERIFY(acquisti::salvaTestata(c, f, [&] {
                c.execute("update fattura set Fornitore_ID = :f, Fornitore = 'Ricambi D''Angelo', ModPagamento_Id = :m, "
                          "NumeroCarico = '123/A', Data = :data, RitenutaAcconto = 20 where ID = :id",
                          {{":f", fornitore}, {":m", tre}, {":data", QDate(2026, 3, 10)}, {":id", f}});
                return true;
            }, true).scadenze.eseguito);

    const QList<Riga> righe = {{2, 50, 10, 5, 0, 0, iva22, 22},       // 85.50
                               {1, 100, 10, 10, 10, 10, iva22, 22},   // 65.61
                               {4, 12.5, 20, 0, 0, 0, iva10, 10},     // 40.00
                               {1, 200, 5, 5, 5, 5, iva10, 10}};      // 162.90125
    QList<qint64> id;
    for (const Riga &r : righe) id << scriviRiga(c, f, r, conto, vettura);
    const double netti[] = {85.5, 65.61, 40, 162.90125};
    const double finali[] = {104.31, 80.04, 44, 179.19};
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(valore(c, "select TotaleImponibile from Movimenti where ID = :id", id[i]), netti[i]);
        QCOMPARE(valore(c, "select PrezzoCompleto from Movimenti where ID = :id", id[i]), finali[i]);
        QCOMPARE(valore(c, "select ContabilitaConti_ID from Movimenti where ID = :id", id[i]), double(conto));
        QCOMPARE(valore(c, "select Vettura_ID from Movimenti where ID = :id", id[i]), double(vettura));
        QCOMPARE(valore(c, "select NumeroRiga from Movimenti where ID = :id", id[i]), double(i + 1));
    }
    // 22%: net 151.11, VAT 33.2442 -> 33.24; 10%: net 202.90125 -> 202.90, VAT 20.290125 -> 20.29.
    const vendite::Totali t = acquisti::calcolaTotali(c, f);
    QCOMPARE(t.riepilogo.size(), 2);
    QCOMPARE(t.riepilogo[0].aliquota, 10.0);
    QCOMPARE(t.riepilogo[0].imponibile, 202.90);
    QCOMPARE(t.riepilogo[0].imposta, 20.29);
    QCOMPARE(t.riepilogo[1].imponibile, 151.11);
    QCOMPARE(t.riepilogo[1].imposta, 33.24);
    QCOMPARE(valore(c, "select TotImponibile from fattura where ID = :id", f), 354.01);
    QCOMPARE(valore(c, "select TotImposta from fattura where ID = :id", f), 53.53);
    QCOMPARE(valore(c, "select TotFattura from fattura where ID = :id", f), 387.54); // 407.54 less 20 withheld

    // Three instalments of 129.18 from the supplier's invoice date, and the invoice in the cash book.
    db::Query s(&c);
    s.setSql("select * from FatturaScadenze where Fattura_ID = :id order by Numero");
    s.bind(":id", f);
    s.open();
    QCOMPARE(s.recordCount(), 3);
    const QDate scadenze[] = {QDate(2026, 4, 9), QDate(2026, 5, 9), QDate(2026, 6, 8)};
    QList<qint64> rate;
    for (int i = 0; !s.eof(); s.next(), ++i) {
        rate << s.fieldByName("Id").asLargeInt();
        QCOMPARE(s.fieldByName("Importo").asFloat(), 129.18);
        QCOMPARE(s.fieldByName("Tipo").asString(), QString("C"));
        QCOMPARE(s.fieldByName("Fornitore_id").asLargeInt(), fornitore);
        QCOMPARE(s.fieldByName("Banca_ID").asLargeInt(), 2);
        QCOMPARE(s.fieldByName("DataScadenza").asDateTime().date(), scadenze[i]);
        QVERIFY(!s.fieldByName("Pagato").asBoolean());
        QCOMPARE(s.fieldByName("Operazione").asString(), QString("%1° Rata fattura di acquisto N° 123/A  Data: 10/03/2026 ").arg(i + 1));
    }
    QCOMPARE(conta(c, "select count(*) from finanzia where Fattura_ID = :id", f), 1);
    db::Query p(&c);
    p.setSql("select * from finanzia where Fattura_ID = :id");
    p.bind(":id", f);
    p.open();
    QCOMPARE(p.fieldByName("Tipo").asString(), QString("3"));
    QCOMPARE(p.fieldByName("Entrata").asFloat(), 387.54);
    QCOMPARE(p.fieldByName("Data").asDateTime().date(), kOggi); // the registration date
    QCOMPARE(p.fieldByName("Fornitore_ID").asLargeInt(), fornitore);
    QCOMPARE(p.fieldByName("Operazione").asString(), QString("fattura numero 123/A  Data: 10/03/2026 "));
    QCOMPARE(valore(c, "select Finanzia_id from fattura where ID = :id", f), double(p.fieldByName("ID").asLargeInt()));

    // The supplier's detail pays the first instalment: its cash-book row goes out.
    pagamenti::preparaSelezione(c, "UFFICIO1", pagamenti::Parte::Fornitore, fornitore);
    QCOMPARE(pagamenti::aggiungi(c, "UFFICIO1", {rate[0]}), 1);
    const pagamenti::Esito pagato = pagamenti::paga(c, "UFFICIO1", {QDate(2026, 4, 9), 0, 0, QString()});
    QVERIFY(pagato.eseguito);
    QCOMPARE(pagato.righePrimaNota.size(), 1);
    QCOMPARE(valore(c, "select Uscita from finanzia where ID = :id", pagato.righePrimaNota[0]), 129.18);
    QCOMPARE(valore(c, "select Entrata from finanzia where ID = :id", pagato.righePrimaNota[0]), 0.0);
    QCOMPARE(c.scalar("select Tipo from finanzia where ID = :id", {{":id", pagato.righePrimaNota[0]}}).toString(), QString("C"));

    // A row deleted after the payment: the paid instalment stays as paid, the rest is shared.
    const vendite::EsitoRighe tolta = acquisti::salvaRighe(c, f, [&] {
        return c.execute("delete from Movimenti where ID = :id", {{":id", id[1]}}) == 1;
    });
    QVERIFY(tolta.salvato);
    // 22%: 85.50 and 18.81; 10% as before: 288.40 + 39.10 - 20 = 307.50.
    QCOMPARE(valore(c, "select TotFattura from fattura where ID = :id", f), 307.50);
    QCOMPARE(valore(c, "select Importo from FatturaScadenze where Id = :id", rate[0]), 129.18);
    QVERIFY(c.scalar("select Pagato from FatturaScadenze where Id = :id", {{":id", rate[0]}}).toBool());
    QCOMPARE(dataDi(c, "select DataPagamento from FatturaScadenze where Id = :id", rate[0]), QDate(2026, 4, 9));
    QCOMPARE(valore(c, "select Importo from FatturaScadenze where Id = :id", rate[1]), 89.16);
    QCOMPARE(valore(c, "select Importo from FatturaScadenze where Id = :id", rate[2]), 89.16);
    QCOMPARE(valore(c, "select Entrata from finanzia where Tipo = '3' and Fattura_ID = :id", f), 307.50);
    QCOMPARE(conta(c, "select count(*) from finanzia where Fattura_ID = :id", f), 2);

    // The delete takes the invoice's rows of every table, and nothing of the other invoice.
    const int altreRighe = conta(c, "select count(*) from Movimenti where Fattura_ID = :id", altra);
    const int altreRate = conta(c, "select count(*) from FatturaScadenze where Fattura_ID = :id", altra);
    const int altraPrimaNota = conta(c, "select count(*) from finanzia where Fattura_ID = :id", altra);
    QVERIFY(altreRighe == 1 && altreRate == 3 && altraPrimaNota == 1);
    const acquisti::EsitoEliminazione e = acquisti::eliminaFattura(c, f);
    QVERIFY(e.eliminata);
    QCOMPARE(e.primaNota, 2);
    QCOMPARE(e.scadenze, 3);
    QCOMPARE(e.righe, 3);
    QCOMPARE(conta(c, "select count(*) from fattura where ID = :id", f), 0);
    QCOMPARE(conta(c, "select count(*) from Movimenti where Fattura_ID = :id", f), 0);
    QCOMPARE(conta(c, "select count(*) from FatturaScadenze where Fattura_ID = :id", f), 0);
    QCOMPARE(conta(c, "select count(*) from finanzia where Fattura_ID = :id", f), 0);
    QCOMPARE(conta(c, "select count(*) from finanzia where FatturaScadenze_Id = :id", rate[0]), 0);
    QCOMPARE(conta(c, "select count(*) from Movimenti where Fattura_ID = :id", altra), altreRighe);
    QCOMPARE(conta(c, "select count(*) from FatturaScadenze where Fattura_ID = :id", altra), altreRate);
    QCOMPARE(conta(c, "select count(*) from finanzia where Fattura_ID = :id", altra), altraPrimaNota);
    QCOMPARE(conta(c, "select count(*) from fattura"), 1);
}

// The delete acts on purchase invoices only: a sales invoice or a supplier credit note with the
// same id keeps everything.
void TestServiziAcquisti::eliminaSoloAcquisti()
{
    CoreSeams seams;
    TestDatabase d(TestDatabase::WithSchema);
    db::Connection &c = d.conn();
    const qint64 vendita = inserisci(c, "insert into fattura (Carico, FattNota, Num) values (false, false, 1)");
    const qint64 nota = inserisci(c, "insert into fattura (Carico, FattNota, NumeroCarico) values (true, true, 'N1')");
    for (qint64 id : {vendita, nota}) {
        c.execute("insert into FatturaScadenze (Fattura_ID, Importo) values (:id, 5)", {{":id", id}});
        c.execute("insert into finanzia (Fattura_ID, Entrata) values (:id, 5)", {{":id", id}});
        c.execute("insert into Movimenti (Fattura_ID, Um) values (:id, 1)", {{":id", id}});
        const acquisti::EsitoEliminazione e = acquisti::eliminaFattura(c, id);
        QVERIFY(!e.eliminata);
        QCOMPARE(e.primaNota + e.scadenze + e.righe, 0);
    }
    QCOMPARE(conta(c, "select count(*) from fattura"), 2);
    QCOMPARE(conta(c, "select count(*) from FatturaScadenze"), 2);
    QCOMPARE(conta(c, "select count(*) from finanzia"), 2);
    QCOMPARE(conta(c, "select count(*) from Movimenti"), 2);
}

// Clearing the payment method of an invoice paid at issue removes its instalment and every
// cash-book row the schedule made, and the header's link to them; choosing a method makes them
// again; paid instalments are never discarded without leave, and then the header's change waits
// too.
void TestServiziAcquisti::modalitaTolta()
{
    CoreSeams seams;
    TestDatabase d(TestDatabase::WithSchema);
    db::Connection &c = d.conn();
    c.execute("update opzioni set DuplicaFatturazioneInPrimaNota = true");
    const qint64 contanti = metodo(c, 0), tre = metodo(c, 3);
    const qint64 f = acquisti::nuovaFattura(c, {.oggi = kOggi}).id;
    scriviRiga(c, f, {1, 100, 0, 0, 0, 0, 0, 22}, 0, 0);
    const auto metodoScelto = [&](const QVariant &m) {
        return [&c, m, f] {
            return c.execute("update fattura set ModPagamento_Id = :m, NumeroCarico = '7', Fornitore_ID = 3 where ID = :id",
                             {{":m", m}, {":id", f}}) == 1;
        };
    };
    QVERIFY(acquisti::salvaTestata(c, f, metodoScelto(contanti), true).salvato);
    QCOMPARE(conta(c, "select count(*) from FatturaScadenze where Fattura_ID = :id and Pagato <> 0", f), 1);
    QCOMPARE(valore(c, "select Uscita from finanzia where Tipo = 'C' and Fattura_ID = :id", f), 122.0);
    QCOMPARE(valore(c, "select Entrata from finanzia where Tipo = '3' and Fattura_ID = :id", f), 122.0);
    QVERIFY(valore(c, "select Finanzia_id from fattura where ID = :id", f) > 0);

    const acquisti::EsitoTestata tolto = acquisti::salvaTestata(c, f, metodoScelto(QVariant()), true);
    QVERIFY(tolto.salvato);
    QVERIFY(!tolto.scadenze.eseguito);
    QCOMPARE(conta(c, "select count(*) from FatturaScadenze where Fattura_ID = :id", f), 0);
    QCOMPARE(conta(c, "select count(*) from finanzia where Fattura_ID = :id", f), 0);
    QCOMPARE(valore(c, "select Finanzia_id from fattura where ID = :id", f), 0.0);

    QVERIFY(acquisti::salvaTestata(c, f, metodoScelto(tre), true).salvato);
    QCOMPARE(conta(c, "select count(*) from FatturaScadenze where Fattura_ID = :id", f), 3);
    QCOMPARE(valore(c, "select Finanzia_id from fattura where ID = :id", f),
             valore(c, "select ID from finanzia where Tipo = '3' and Fattura_ID = :id", f));
    c.execute("update FatturaScadenze set Pagato = true, DataPagamento = :p where Fattura_ID = :id and Numero = 1",
              {{":p", QDate(2026, 4, 1)}, {":id", f}});
    const acquisti::EsitoTestata conservate = acquisti::salvaTestata(c, f, metodoScelto(QVariant()), true);
    QVERIFY(conservate.pagateConservate);
    QVERIFY(!conservate.salvato);
    QCOMPARE(valore(c, "select ModPagamento_Id from fattura where ID = :id", f), double(tre));
    QCOMPARE(conta(c, "select count(*) from FatturaScadenze where Fattura_ID = :id", f), 3);
    // A refused post writes nothing either.
    QVERIFY(acquisti::salvaTestata(c, f, [] { return false; }, true, true).rifiutato);
    QCOMPARE(conta(c, "select count(*) from FatturaScadenze where Fattura_ID = :id", f), 3);
    // With leave the payments go with the method.
    QVERIFY(acquisti::salvaTestata(c, f, metodoScelto(QVariant()), true, true).salvato);
    QCOMPARE(conta(c, "select count(*) from FatturaScadenze where Fattura_ID = :id", f), 0);
    QCOMPARE(conta(c, "select count(*) from finanzia where Fattura_ID = :id", f), 0);
}

// An instalment stored without a due date is refused; nothing of its save stays.
void TestServiziAcquisti::scadenzaSenzaData()
{
    CoreSeams seams;
    TestDatabase d(TestDatabase::WithSchema);
    db::Connection &c = d.conn();
    c.execute("update opzioni set DuplicaFatturazioneInPrimaNota = true");
    const qint64 f = acquisti::nuovaFattura(c, {.oggi = kOggi}).id;
    const qint64 r = inserisci(c, "insert into FatturaScadenze (Fattura_ID, Tipo, Importo, DataScadenza) values (:f, 'C', 50, :d)",
                               {{":f", f}, {":d", QDate(2026, 4, 1)}});
    try {
        scadenziario::salvaScadenza(c, r, [&] {
            c.execute("update FatturaScadenze set DataScadenza = null, DataPagamento = :p, Importo = 60 where Id = :id",
                      {{":p", QDate(2026, 4, 2)}, {":id", r}});
            return true;
        });
        QFAIL("an instalment without a due date was saved");
    } catch (const db::DbError &e) {
        QCOMPARE(e.message(), QString("Attenzione manca la data della scadenza !!"));
    }
    QCOMPARE(dataDi(c, "select DataScadenza from FatturaScadenze where Id = :id", r), QDate(2026, 4, 1));
    QCOMPARE(valore(c, "select Importo from FatturaScadenze where Id = :id", r), 50.0);
    QCOMPARE(conta(c, "select count(*) from finanzia"), 0);
    // With its date the same save goes through, with the payment's cash-book row.
    const scadenziario::EsitoSalvataggio ok = scadenziario::salvaScadenza(c, r, [&] {
        c.execute("update FatturaScadenze set DataPagamento = :p where Id = :id", {{":p", QDate(2026, 4, 2)}, {":id", r}});
        return true;
    });
    QVERIFY(ok.salvato);
    QCOMPARE(valore(c, "select Uscita from finanzia where FatturaScadenze_Id = :id", r), 50.0);
}

void TestDuePostazioniAcquisti::progressiviSimultanei()
{
    CoreSeams seams;
    TestDatabase d(TestDatabase::WithSchema);
    constexpr int kPerPostazione = 30;
    QList<acquisti::FatturaCreata> create[2];
    const QStringList errori = suDuePostazioni(d, [&](int k, db::Connection &c) {
        for (int i = 0; i < kPerPostazione; ++i) create[k] << acquisti::nuovaFattura(c, {.oggi = kOggi});
    });
    QVERIFY2(errori.isEmpty(), qPrintable(errori.join("\n")));
    QSet<qint64> progressivi;
    for (const auto &lista : create)
        for (const auto &f : lista) progressivi << f.progressivo;
    QCOMPARE(progressivi.size(), 2 * kPerPostazione);
    QCOMPARE(d.conn().scalar("select count(distinct ProgressivoCarico) from fattura").toInt(), 2 * kPerPostazione);
    QCOMPARE(d.conn().scalar("select max(ProgressivoCarico) from fattura").toInt(), 2 * kPerPostazione);
}

// The same purchase instalment chosen on two workstations: the second payment is refused and
// writes nothing, so the cash book holds one payment.
void TestDuePostazioniAcquisti::pagamentoDoppio()
{
    CoreSeams seams;
    TestDatabase d(TestDatabase::WithSchema);
    db::Connection &c = d.conn();
    c.execute("update opzioni set DuplicaFatturazioneInPrimaNota = true");
    const qint64 f = acquisti::nuovaFattura(c, {.oggi = kOggi}).id;
    c.execute("update fattura set ModPagamento_Id = :m, NumeroCarico = 'A9', Fornitore_ID = 5 where ID = :id",
              {{":m", metodo(c, 1)}, {":id", f}});
    scriviRiga(c, f, {3, 33.33, 0, 0, 0, 0, 0, 22}, 0, 0);
    const qint64 rata = c.scalar("select Id from FatturaScadenze where Fattura_ID = :id", {{":id", f}}).toLongLong();
    QCOMPARE(valore(c, "select Importo from FatturaScadenze where Id = :id", rata), 121.99); // 99.99 + 21.9978
    db::Connection altra;
    QVERIFY(altra.open(d.path()));
    QCOMPARE(pagamenti::aggiungi(c, "UFFICIO1", {rata}), 1);
    QCOMPARE(pagamenti::aggiungi(altra, "MAGAZZINO", {rata}), 1);
    QVERIFY(pagamenti::paga(c, "UFFICIO1", {QDate(2026, 4, 15), 0, 0, QString()}).eseguito);
    const pagamenti::Esito seconda = pagamenti::paga(altra, "MAGAZZINO", {QDate(2026, 4, 20), 0, 0, QString()});
    QVERIFY(!seconda.eseguito);
    QCOMPARE(seconda.giaPagate, QList<qint64>{rata});
    QCOMPARE(conta(c, "select count(*) from finanzia where FatturaScadenze_Id = :id", rata), 1);
    QCOMPARE(valore(c, "select Uscita from finanzia where FatturaScadenze_Id = :id", rata), 121.99);
    QCOMPARE(dataDi(c, "select DataPagamento from FatturaScadenze where Id = :id", rata), QDate(2026, 4, 15));

    // Both at the same moment, on another instalment: one pays, the other is told.
    const qint64 g = acquisti::nuovaFattura(c, {.oggi = kOggi}).id;
    c.execute("update fattura set ModPagamento_Id = :m, Fornitore_ID = 5 where ID = :id", {{":m", metodo(c, 1)}, {":id", g}});
    scriviRiga(c, g, {1, 10, 0, 0, 0, 0, 0, 22}, 0, 0);
    const qint64 altraRata = c.scalar("select Id from FatturaScadenze where Fattura_ID = :id", {{":id", g}}).toLongLong();
    const QString postazioni[] = {"UFFICIO1", "MAGAZZINO"};
    pagamenti::Esito esiti[2];
    const QStringList errori = suDuePostazioni(d, [&](int k, db::Connection &conn) {
        pagamenti::aggiungi(conn, postazioni[k], {altraRata});
        esiti[k] = pagamenti::paga(conn, postazioni[k], {QDate(2026, 5, 1 + k), 0, 0, QString()});
    });
    QVERIFY2(errori.isEmpty(), qPrintable(errori.join("\n")));
    QCOMPARE(int(esiti[0].eseguito) + int(esiti[1].eseguito), 1);
    QCOMPARE(conta(c, "select count(*) from finanzia where FatturaScadenze_Id = :id", altraRata), 1);
    QCOMPARE(valore(c, "select Uscita from finanzia where FatturaScadenze_Id = :id", altraRata), 12.2);
}
