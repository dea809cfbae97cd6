#include "tst_personale.h"

#include "common/TextUtils.h"
#include "common/VCard.h"
#include "db/DbError.h"
#include "db/Query.h"
#include "operations/services/Personale.h"
#include "support/TestCore.h"

#include <QDir>
#include <QTest>

using namespace testing_support;
using common::Vcard4;

namespace {

int conta(TestDatabase &db, const QString &sql) { return db.scalar(sql).toInt(); }
QString testo(TestDatabase &db, const QString &sql) { return db.scalar(sql).toString(); }

Vcard4 carta(std::initializer_list<std::pair<int, QString>> campi)
{
    Vcard4 s;
    for (const auto &[slot, t] : campi) s.campi[slot] = t;
    return s;
}

// Employee 7 with three deadlines, two costs and twelve salaries (seventeen rows) and two
// calendar entries; employee 8 with one row of each kind.
void archivio(TestDatabase &db)
{
    auto &c = db.conn();
    c.execute("insert into Personale (Id, Personale, IdPaese) values (7, 'Rossi Mario', 'IT'), (8, 'Bianchi Luca', 'IT')");
    c.execute("insert into PersonaleScadenze (Personale_ID, Descrizione) values (7, 'Visita'), (7, 'Corso'), (7, 'Patente'), "
              "(8, 'Visita')");
    c.execute("insert into PersonaleCosti (Personale_ID, Importo) values (7, 10), (7, 20), (8, 30)");
    for (int mese = 1; mese <= 12; ++mese)
        c.execute("insert into PersonaleStipendi (Personale_ID, Anno, Mese) values (7, 2025, :m)",
                  {{":m", QString("%1").arg(mese, 2, 10, QChar('0'))}});
    c.execute("insert into PersonaleStipendi (Personale_ID, Anno, Mese) values (8, 2025, '01')");
    c.execute("insert into Calendario (Personale_Id, Personale, Storico, Conclusa) values "
              "(7, 'Rossi Mario', false, false), (7, 'Rossi Mario', true, true), (8, 'Bianchi Luca', false, false)");
    c.engine().keysFollowRows();
}

struct Domande {
    bool salta = true;
    QStringList fatte;
    scambio_vcard::Domanda funzione()
    {
        return [this](const QString &d) {
            fatte << d;
            return salta;
        };
    }
};

// Every column of every employee, by id: what a round trip must leave as it was.
QStringList righePersonale(TestDatabase &db)
{
    db::Query q(&db.conn());
    q.setSql("select * from Personale order by Id");
    q.open();
    QStringList r;
    for (q.first(); !q.eof(); q.next()) {
        QStringList riga;
        for (int i = 0; i < q.fieldCount(); ++i) riga << q.field(i).fieldName() + "=" + q.field(i).asString();
        r << riga.join(" | ");
    }
    return r;
}

} // namespace

void TestServiziPersonale::eliminaACascata()
{
    CoreSeams seams;
    TestDatabase db(TestDatabase::WithSchema);
    archivio(db);
    const personale::Eliminazione e = personale::elimina(db.conn(), 7);
    QCOMPARE(e.scadenze, 3);
    QCOMPARE(e.costi, 2);
    QCOMPARE(e.stipendi, 12);
    QCOMPARE(e.personale, 1);
    for (const char *t : {"PersonaleScadenze", "PersonaleCosti", "PersonaleStipendi"}) {
        QCOMPARE(conta(db, QString("select count(*) from %1 where Personale_ID = 7").arg(t)), 0);
        QCOMPARE(conta(db, QString("select count(*) from %1 where Personale_ID = 8").arg(t)), 1);
    }
    QCOMPARE(conta(db, "select count(*) from Personale"), 1);
    // The calendar keeps its entries, with the id and the copied name.
    QCOMPARE(conta(db, "select count(*) from Calendario where Personale_Id = 7 and Personale = 'Rossi Mario'"), 2);
}

void TestServiziPersonale::eliminaFallitaNonCambiaNulla()
{
    CoreSeams seams;
    TestDatabase db(TestDatabase::WithSchema);
    archivio(db);
    auto &c = db.conn();
    // The employee's own delete, the last statement, is refused: the rows deleted before it come back.
    if (suServer()) {
        c.executeNative("create function rifiuta() returns trigger as $$ begin raise exception 'rifiutata'; end $$ language plpgsql");
        c.executeNative("create trigger no_delete before delete on personale for each row execute function rifiuta()");
    } else {
        c.executeNative("create trigger no_delete before delete on Personale begin select raise(abort, 'rifiutata'); end");
    }
    QVERIFY_THROWS_EXCEPTION(db::DbError, personale::elimina(c, 7));
    QCOMPARE(conta(db, "select count(*) from PersonaleScadenze where Personale_ID = 7"), 3);
    QCOMPARE(conta(db, "select count(*) from PersonaleCosti where Personale_ID = 7"), 2);
    QCOMPARE(conta(db, "select count(*) from PersonaleStipendi where Personale_ID = 7"), 12);
    QCOMPARE(conta(db, "select count(*) from Personale"), 2);
}

void TestServiziPersonale::salvaPropagaNome_data()
{
    QTest::addColumn<bool>("nomeModificato");
    QTest::addColumn<bool>("postaRiuscita");
    QTest::addColumn<QString>("calendario"); // the name of employee 7's entries after the save
    QTest::newRow("name typed into") << true << true << "Rossi Mario Jr";
    QTest::newRow("another field only") << false << true << "Rossi Mario";
    QTest::newRow("post refused") << true << false << "Rossi Mario";
}

void TestServiziPersonale::salvaPropagaNome()
{
    QFETCH(bool, nomeModificato);
    QFETCH(bool, postaRiuscita);
    QFETCH(QString, calendario);
    CoreSeams seams;
    TestDatabase db(TestDatabase::WithSchema);
    archivio(db);
    auto &c = db.conn();
    const personale::EsitoSalvataggio e = personale::salva(c, 7, nomeModificato, [&] {
        c.execute("update Personale set Personale = 'Rossi Mario Jr', Note = 'x' where Id = 7");
        return postaRiuscita;
    });
    QCOMPARE(e.salvato, postaRiuscita);
    QCOMPARE(e.calendario, nomeModificato && postaRiuscita ? 2 : 0);
    // Concluded and history entries alike; another employee's never.
    QCOMPARE(conta(db, "select count(*) from Calendario where Personale_Id = 7 and Personale = '" + calendario + "'"), 2);
    QCOMPARE(testo(db, "select Personale from Calendario where Personale_Id = 8"), QString("Bianchi Luca"));
    // A refused post leaves nothing of the save.
    QCOMPARE(testo(db, "select Personale from Personale where Id = 7"), postaRiuscita ? QString("Rossi Mario Jr") : QString("Rossi Mario"));
}

void TestServiziPersonale::tariffe_data()
{
    QTest::addColumn<double>("paga");
    QTest::addColumn<double>("giornaliera"); // -1: none
    QTest::addColumn<double>("oraria");
    QTest::newRow("1500.00") << 1500.0 << 71.43 << 8.93;
    QTest::newRow("2100.00, whole") << 2100.0 << 100.0 << 12.5;
    QTest::newRow("0") << 0.0 << -1.0 << -1.0;
    QTest::newRow("negative") << -10.0 << -1.0 << -1.0;
}

void TestServiziPersonale::tariffe()
{
    QFETCH(double, paga);
    QFETCH(double, giornaliera);
    QFETCH(double, oraria);
    const auto g = personale::tariffaGiornaliera(paga);
    QCOMPARE(g.has_value(), giornaliera >= 0);
    if (!g) {
        QVERIFY(!personale::tariffaOraria(paga).has_value());
        return;
    }
    QCOMPARE(*g, giornaliera);
    // The hourly rate comes from the daily rate as rounded.
    QCOMPARE(personale::tariffaOraria(*g).value(), oraria);
}

void TestServiziPersonale::totaleParziale()
{
    // Base + travel + charges - credits; the allowances are not part of it; no rounding.
    QCOMPARE(personale::totaleParziale(1500, 100, 50, 20), 1630.0);
    QCOMPARE(personale::totaleParziale(0, 0, 0, 20), -20.0);
    QCOMPARE(personale::totaleParziale(1000.005, 0, 0, 0), 1000.005);
}

void TestServiziPersonale::esporta()
{
    CoreSeams seams;
    TestDatabase db(TestDatabase::WithSchema);
    auto &c = db.conn();
    const qint64 como = db.scalar("select ID from Comuni where Comune = 'Como'").toLongLong();
    QVERIFY(como > 0);
    c.execute("update Comuni set Cap = '22100' where ID = :id", {{":id", como}});
    c.execute("insert into Personale (Id, Personale, Tel, Email, Indirizzo, Numero, Comune_Id, Note) values "
              "(3, 'Verdi Anna', '031 1', 'anna@verdi.it', 'Via Milano', '4', :como, 'note; con, segni'), "
              "(9, 'Neri Paolo', null, null, null, null, 0, null)",
              {{":como", como}});
    const QString file = personale::esporta(c, {9, 3, 77});
    QCOMPARE(file.count("BEGIN:VCARD"), 2);
    QVERIFY(file.indexOf("PellavantoriaP9\r\n") < file.indexOf("PellavantoriaP3\r\n"));
    const QString neri = file.left(file.indexOf("END:VCARD"));
    QVERIFY2(neri.contains("N:Neri Paolo;;;;\r\n"), qPrintable(neri));
    for (const char *assente : {"EMAIL", "TEL", "ADR", "NOTE"}) QVERIFY2(!neri.contains(assente), assente);
    const QString verdi = file.mid(file.indexOf("END:VCARD"));
    QVERIFY(verdi.contains("anna@verdi.it\r\n"));
    // The town's postcode in the fifth component, the postal-code component empty.
    QVERIFY2(verdi.contains(";;Via Milano N°4;Como;22100;;\r\n"), qPrintable(verdi));
    QVERIFY(verdi.contains("NOTE:note; con\\, segni\r\n"));
}

void TestServiziPersonale::giroCompleto()
{
    CoreSeams seams;
    TestDatabase db(TestDatabase::WithSchema);
    auto &c = db.conn();
    const qint64 como = db.scalar("select ID from Comuni where Comune = 'Como'").toLongLong();
    c.execute("insert into CategoriePersonale (Id, Descrizione) values (2, 'Autisti')");
    c.execute("insert into Personale (Id, Codice, Personale, Cognome, Nome, CategoriaPersonale_ID, Indirizzo, Numero, Comune_Id, Cap, "
              "IdPaese, Tel, Telefono2, Fax, Cell, Email, Skype, Iva, CodFisc, Note, PagaMensile, TariffaGiornaliera, Iban, "
              "DataAssunzione, CQC, Annullato, PrivacyFirmata) values "
              "(3, 'A1', 'D''Amico Luca', 'D''Amico', 'Luca', 2, 'Via dell''Acqua', '12/b', :como, '22100', 'IT', '031 1', "
              "'031 2', '031 3', '333 4', 'luca@damico.it', 'luca.d', '01234567890', 'DMCLCU80A01C933X', "
              "'prima riga\nseconda; riga, virgola', 1500, 71.43, 'IT60X0542811101000000123456', #3/1/2020#, 'CQC1', true, true), "
              "(4, null, 'Verdi Anna', null, null, 0, 'Corso Como', null, 0, null, 'IT', null, null, null, '347 2', null, null, "
              "null, null, null, 0, 0, null, null, null, false, false)",
              {{":como", como}});
    c.engine().keysFollowRows();
    const QString percorso = QDir(db.folder()).filePath("personale.vcf");
    QVERIFY(common::ScriviFileTesto(percorso, personale::esporta(c, {3, 4}), false));
    const QStringList prima = righePersonale(db);
    // Re-imported over themselves twice, overwriting: every column as it was (the street does
    // not gather " N°" at each round, the number stays in its own column).
    for (int giro = 0; giro < 2; ++giro) {
        Domande domande;
        domande.salta = false;
        const scambio_vcard::Esito e = personale::importa(c, common::LeggiVCard(percorso), scambio_vcard::Chiedi, domande.funzione());
        QCOMPARE(e.aggiornati, (QList<qint64>{3, 4}));
        QVERIFY(e.creati.isEmpty());
        QCOMPARE(domande.fatte.size(), 2);
        QCOMPARE(domande.fatte.first(),
                 QString("Il Personale :D'Amico Luca  e' già presente in archivio: Come si vuole procedere ? Salto il Personale ?"));
        QCOMPARE(righePersonale(db), prima);
    }

    // Into another archive: two new employees with the card's columns, no nation.
    TestDatabase altro(TestDatabase::WithSchema);
    Domande nessuna;
    const scambio_vcard::Esito e = personale::importa(altro.conn(), common::LeggiVCard(percorso), scambio_vcard::Chiedi, nessuna.funzione());
    QCOMPARE(e.creati.size(), 2);
    QVERIFY(nessuna.fatte.isEmpty());
    db::Query q(&altro.conn());
    q.setSql("select * from Personale where Personale = 'D''Amico Luca'");
    q.open();
    QCOMPARE(q.recordCount(), 1);
    const QStringList attesi{"Tel=031 1", "Fax=031 3", "Cell=333 4", "Email=luca@damico.it", "Indirizzo=Via dell'Acqua",
                             "Numero=12/b", "Note=prima riga\nseconda; riga, virgola", "IdPaese=", "Telefono2="};
    for (const QString &a : attesi) {
        const QString col = a.section('=', 0, 0);
        QCOMPARE(col + "=" + q.fieldByName(col).asString(), a);
    }
    QCOMPARE(q.fieldByName("Comune_Id").asLargeInt(), altro.scalar("select ID from Comuni where Comune = 'Como'").toLongLong());
}

void TestServiziPersonale::uid_data()
{
    QTest::addColumn<QString>("uid");
    QTest::addColumn<QString>("cognome");
    QTest::addColumn<int>("aggiornato"); // the employee updated, 0: a new one
    QTest::newRow("our prefix and the id") << "PellavantoriaP8" << "Altri" << 8;
    QTest::newRow("the UID wins over the name") << "PellavantoriaP8" << "Rossi Mario" << 8;
    QTest::newRow("prefix in another case") << "pellavantoriap8" << "Altri" << 8;
    QTest::newRow("digits alone") << "8" << "Altri" << 8;
    QTest::newRow("an id not here: new, even with a known name") << "PellavantoriaP999" << "Rossi Mario" << 0;
    QTest::newRow("a customer's card falls to the name") << "PellavantoriaC8" << "Rossi Mario" << 7;
    QTest::newRow("a customer's card with an unknown name is new") << "PellavantoriaC8" << "Altri" << 0;
    QTest::newRow("foreign uid falls to the name") << "urn:uuid:4fbe8971-0bc3-424c-9c26-36c3e1eff6b1" << "Rossi Mario" << 7;
    QTest::newRow("prefix and letters") << "PellavantoriaP8abc" << "Altri" << 0;
    QTest::newRow("condition in the uid") << "8 or 1=1" << "Altri" << 0;
    QTest::newRow("prefixed condition") << "PellavantoriaP8 or Id > 0" << "Rossi Mario" << 7;
    QTest::newRow("statement in the uid") << "'; delete from Personale; --" << "Altri" << 0;
    QTest::newRow("too many digits") << "PellavantoriaP123456789012345678901234567890" << "Altri" << 0;
    QTest::newRow("blanks around") << " PellavantoriaP8 " << "Altri" << 8;
}

void TestServiziPersonale::uid()
{
    QFETCH(QString, uid);
    QFETCH(QString, cognome);
    QFETCH(int, aggiornato);
    CoreSeams seams;
    TestDatabase db(TestDatabase::WithSchema);
    archivio(db);
    Domande domande;
    domande.salta = false;
    const scambio_vcard::Esito e =
        personale::importa(db.conn(), {carta({{39, uid}, {0, cognome}, {41, "dal file"}})}, scambio_vcard::Chiedi, domande.funzione());
    QCOMPARE(conta(db, "select count(*) from Personale"), aggiornato ? 2 : 3);
    if (aggiornato) {
        QCOMPARE(e.aggiornati, QList<qint64>{aggiornato});
        QCOMPARE(testo(db, QString("select Personale from Personale where Id = %1").arg(aggiornato)), cognome);
    } else {
        QCOMPARE(e.creati.size(), 1);
        QCOMPARE(testo(db, QString("select Personale from Personale where Id = %1").arg(e.creati[0])), cognome);
    }
    // Only the employee named was touched; the sub-records are all there.
    QCOMPARE(conta(db, "select count(*) from Personale where Note = 'dal file'"), 1);
    QCOMPARE(conta(db, "select count(*) from PersonaleStipendi"), 13);
}

void TestServiziPersonale::nomiEOpzione()
{
    CoreSeams seams;
    TestDatabase db(TestDatabase::WithSchema);
    archivio(db);
    auto &c = db.conn();
    // Without UID the name is family name, a blank and given name; an apostrophe is stored once.
    // Two cards for the same new person: the first added, the second found by its name.
    Domande domande;
    domande.salta = true;
    const scambio_vcard::Esito e = personale::importa(
        c,
        {carta({{0, "Rossi"}, {1, "Mario"}, {8, "011 9"}}), carta({{0, "D'Arco"}, {1, "Gianna"}}),
         carta({{0, "D'Arco"}, {1, "Gianna"}, {14, "333"}}), carta({{1, "senza cognome"}})},
        scambio_vcard::Chiedi, domande.funzione());
    QCOMPARE(domande.fatte.size(), 2);
    QCOMPARE(e.saltati, 3);
    QCOMPARE(e.creati.size(), 1);
    QCOMPARE(testo(db, "select Tel from Personale where Id = 7"), QString());
    QCOMPARE(conta(db, "select count(*) from Personale where Personale = 'D''Arco Gianna' and Cell is null"), 1);
    // With the option at 1 a file whose cards all match changes nothing and asks nothing.
    const QStringList prima = righePersonale(db);
    Domande mai;
    personale::importa(c, {carta({{0, "Rossi Mario"}, {8, "1"}}), carta({{39, "PellavantoriaP8"}, {0, "X"}})}, scambio_vcard::Salta,
                       mai.funzione());
    QVERIFY(mai.fatte.isEmpty());
    QCOMPARE(righePersonale(db), prima);
}
