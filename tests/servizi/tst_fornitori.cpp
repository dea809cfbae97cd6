#include "tst_fornitori.h"

#include "common/TextUtils.h"
#include "common/VCard.h"
#include "db/DbError.h"
#include "db/Query.h"
#include "masterdata/services/Fornitori.h"
#include "masterdata/services/VCardClienti.h"
#include "masterdata/services/VCardFornitori.h"
#include "support/TestCore.h"

#include <QDir>
#include <QRegularExpression>
#include <QTest>

using namespace testing_support;
using common::Vcard4;

namespace {

// Three suppliers (two share a VAT number) and documents of the first: purchase invoices of
// this year and of history, a credit note, and a sales invoice of a customer with the same id.
void archivio(TestDatabase &db)
{
    auto &c = db.conn();
    c.execute("insert into Fornitor (Id, Fornitore, Iva, CodFiscale) values (1, 'Rossi Ricambi', '01234567897', 'RSSMRA80A01F205X'), "
              "(2, 'Bianchi', '01234567897', 'L''AQUILA'), (3, 'Verdi', '01234567897', null)");
    c.execute("insert into fattura (ID, Fornitore_ID, Fornitore, Num, Storico, Carico, FattNota) values "
              "(10, 1, 'Rossi Ricambi', 1, False, True, False), (11, 1, 'Rossi Ricambi', 7, True, True, False), "
              "(12, 1, 'Rossi Ricambi', 2, False, True, True), (13, 2, 'Bianchi', 3, False, True, False)");
    c.execute("insert into fattura (ID, Cliente_ID, Cliente, Num, Storico, Carico) values (14, 1, 'Cliente Uno', 4, False, False)");
}

QStringList nomi(TestDatabase &db, int fornitore)
{
    db::Query q(&db.conn());
    q.setSql("select Fornitore from fattura where Fornitore_ID = :f order by ID");
    q.bind(":f", fornitore);
    q.open();
    QStringList r;
    for (q.first(); !q.eof(); q.next()) r << q.field(0).asString();
    return r;
}

Vcard4 carta(std::initializer_list<std::pair<int, QString>> campi)
{
    Vcard4 s;
    for (const auto &[slot, testo] : campi) s.campi[slot] = testo;
    return s;
}

// Every supplier's exchanged columns, by name: what a round trip must keep.
QStringList righeFornitori(TestDatabase &db)
{
    db::Query q(&db.conn());
    q.setSql("select Fornitor.*, FornitorCategoria.Descrizione as Categoria from Fornitor left join FornitorCategoria "
             "on Fornitor.Categoria_ID = FornitorCategoria.ID order by Fornitore");
    q.open();
    QStringList r;
    const QStringList colonne{"Fornitore", "Telefono", "Cellulare", "Fax", "Email", "Internet", "Via",
                              "Numero", "Cap", "Comune", "Comune_id", "Note", "Categoria"};
    for (q.first(); !q.eof(); q.next()) {
        QStringList riga;
        for (const QString &c : colonne) riga << c + "=" + q.fieldByName(c).asString();
        r << riga.join(" | ");
    }
    return r;
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

} // namespace

void TestServiziFornitori::duplicati_data()
{
    QTest::addColumn<QString>("colonna");
    QTest::addColumn<QString>("valore");
    QTest::addColumn<int>("escluso");
    QTest::addColumn<int>("attesi");
    QTest::newRow("iva condivisa con altri due") << "Iva" << "01234567897" << 1 << 2;
    QTest::newRow("iva di nessuno") << "Iva" << "09876543210" << 1 << 0;
    QTest::newRow("iva, fornitore nuovo") << "Iva" << "01234567897" << 0 << 3;
    QTest::newRow("codice fiscale proprio") << "CodFiscale" << "RSSMRA80A01F205X" << 1 << 0;
    QTest::newRow("codice fiscale con apostrofo") << "CodFiscale" << "L'AQUILA" << 1 << 1;
    QTest::newRow("codice fiscale come SQL") << "CodFiscale" << "' or ''='" << 1 << 0;
}

void TestServiziFornitori::duplicati()
{
    QFETCH(QString, colonna);
    QFETCH(QString, valore);
    QFETCH(int, escluso);
    QFETCH(int, attesi);
    TestDatabase db(TestDatabase::WithSchema);
    archivio(db);
    // A customer with the same number is no duplicate of a supplier.
    db.conn().execute("insert into Clienti (Id, Cliente, Iva, CodFiscale) values (50, 'C', '01234567897', 'L''AQUILA')");
    const int n = colonna == "Iva" ? fornitori::duplicatiPartitaIva(db.conn(), valore, escluso)
                                   : fornitori::duplicatiCodiceFiscale(db.conn(), valore, escluso);
    QCOMPARE(n, attesi);
}

void TestServiziFornitori::propagazioneNome()
{
    TestDatabase db(TestDatabase::WithSchema);
    archivio(db);
    db.conn().execute("update Fornitor set Fornitore = 'Rossi & Figli d''Italia' where Id = 1");
    QCOMPARE(fornitori::propagaNome(db.conn(), 1), 3);
    const QString nuovo = "Rossi & Figli d'Italia";
    // Invoices of this year and of history, and the credit note.
    QCOMPARE(nomi(db, 1), QStringList({nuovo, nuovo, nuovo}));
    QCOMPARE(nomi(db, 2), QStringList({"Bianchi"}));
    // The sales invoice of customer 1 is not a document of supplier 1.
    QCOMPARE(db.scalar("select Cliente from fattura where ID = 14").toString(), QString("Cliente Uno"));
    QVERIFY(db.scalar("select Fornitore from fattura where ID = 14").isNull());
}

void TestServiziFornitori::salvataggioUnaTransazione()
{
    TestDatabase db(TestDatabase::WithSchema);
    archivio(db);
    // Refused: nothing of the save stays.
    auto esito = fornitori::salva(db.conn(), 1, true, [&db] {
        db.conn().execute("update Fornitor set Fornitore = 'Mai salvato' where Id = 1");
        return false;
    });
    QVERIFY(!esito.salvato);
    QCOMPARE(db.scalar("select Fornitore from Fornitor where Id = 1").toString(), QString("Rossi Ricambi"));
    // A statement failing after the post takes the post back with it.
    bool lanciata = false;
    try {
        fornitori::salva(db.conn(), 1, true, [&db] {
            db.conn().execute("update Fornitor set Fornitore = 'Rossi Spa' where Id = 1");
            db.conn().execute("update TabellaCheNonEsiste set x = 1");
            return true;
        });
    } catch (const db::DbError &) {
        lanciata = true;
    }
    QVERIFY(lanciata);
    QCOMPARE(db.scalar("select Fornitore from Fornitor where Id = 1").toString(), QString("Rossi Ricambi"));
    QCOMPARE(nomi(db, 1), QStringList({"Rossi Ricambi", "Rossi Ricambi", "Rossi Ricambi"}));
    // Accepted: the row and its documents.
    esito = fornitori::salva(db.conn(), 1, true, [&db] {
        db.conn().execute("update Fornitor set Fornitore = 'Rossi Spa' where Id = 1");
        return true;
    });
    QVERIFY(esito.salvato);
    QCOMPARE(esito.documenti, 3);
    QCOMPARE(nomi(db, 1), QStringList({"Rossi Spa", "Rossi Spa", "Rossi Spa"}));
    // Only the telephone changed: the documents are not touched.
    db.conn().execute("update fattura set Fornitore = 'scritto a mano' where ID = 10");
    esito = fornitori::salva(db.conn(), 1, false, [&db] {
        db.conn().execute("update Fornitor set Telefono = '011' where Id = 1");
        return true;
    });
    QVERIFY(esito.salvato);
    QCOMPARE(esito.documenti, 0);
    QCOMPARE(nomi(db, 1).first(), QString("scritto a mano"));
}

void TestServiziFornitori::categoriaEsatta()
{
    TestDatabase db(TestDatabase::WithSchema);
    db.conn().execute("insert into FornitorCategoria (ID, Descrizione) values (4, 'Ricambi'), (5, 'Ricambi auto'), (6, 'D''Amico')");
    QCOMPARE(fornitori::idCategoria(db.conn(), "Ricambi"), std::optional<qint64>(4));
    QCOMPARE(fornitori::idCategoria(db.conn(), "D'Amico"), std::optional<qint64>(6));
    QVERIFY(!fornitori::idCategoria(db.conn(), "Ricam"));
    // A customer category is not a supplier's.
    db.conn().execute("insert into ClientiCategoria (ID, Descrizione) values (9, 'Officine')");
    QVERIFY(!fornitori::idCategoria(db.conn(), "Officine"));
}

void TestServiziFornitori::vcardEsporta()
{
    TestDatabase db(TestDatabase::WithSchema);
    db.conn().execute("insert into FornitorCategoria (ID, Descrizione) values (3, 'Ricambi')");
    db.conn().execute("insert into Fornitor (Id, Fornitore, Categoria_ID, Via, Numero, Comune, Cap, Note) values "
                      "(7, 'Rossi Trasporti', 3, 'Via Roma', '3', 'Torino', '10100', 'paga; a fine, mese')");
    const QString file = vcard_fornitori::esporta(db.conn(), {7, 999});
    QCOMPARE(file.count("BEGIN:VCARD"), 1);
    QVERIFY2(file.contains("UID;VALUE=text:pellavantoriac7\r\n"), qPrintable(file));
    // The name in the family-name slot, an empty given name; no organisation.
    QVERIFY2(file.contains("N:Rossi Trasporti;;;;\r\n"), qPrintable(file));
    QVERIFY(file.contains(QRegularExpression("\r\nFN: ?Rossi Trasporti ?\r\n")));
    QVERIFY(!file.contains("ORG"));
    QVERIFY(file.contains("CATEGORIES:Ricambi\r\n"));
    QVERIFY(file.contains("ADR;TYPE=HOME:;;Via Roma N°3;Torino;10100;;\r\n"));
}

void TestServiziFornitori::vcardGiroCompleto()
{
    TestDatabase origine(TestDatabase::WithSchema);
    const qint64 milano = origine.scalar("select ID from Comuni where Comune = 'Milano'").toLongLong();
    QVERIFY(milano > 0);
    auto &c = origine.conn();
    c.execute("insert into FornitorCategoria (ID, Descrizione) values (1, 'Ricambi'), (2, 'Gomme')");
    c.execute("insert into Fornitor (Id, Fornitore, Telefono, Cellulare, Fax, Email, Internet, Via, Numero, Cap, Comune, "
              "Comune_id, Note, Categoria_ID) values (1, 'Ricambi D''Amico', '02 123', '333 1', '02 789', 'info@damico.it', "
              "'https://damico.it', 'Via dell''Acqua', '12/b', '20100', 'Milano', :milano, 'Prima riga\nseconda; riga, con "
              "virgola', 1), (2, 'Gomme Verdi', null, '347 2', null, null, null, 'Corso Como', '5', '20100', 'Milano', :milano, "
              "null, 2)",
              {{":milano", milano}});
    const QString percorso = QDir(origine.folder()).filePath("fornitori.vcf");
    QVERIFY(common::ScriviFileTesto(percorso, vcard_fornitori::esporta(c, {1, 2}), false));

    TestDatabase destinazione(TestDatabase::WithSchema);
    Domande domande;
    const QList<Vcard4> schede = common::LeggiVCard(percorso);
    QCOMPARE(schede.size(), 2);
    const auto e = vcard_fornitori::importa(destinazione.conn(), schede, scambio_vcard::Chiedi, domande.funzione());
    QCOMPARE(e.creati.size(), 2);
    QVERIFY(domande.fatte.isEmpty());
    QCOMPARE(righeFornitori(destinazione), righeFornitori(origine));
    // Nothing reached the customers.
    QCOMPARE(destinazione.scalar("select count(*) from Clienti").toInt(), 0);
}

void TestServiziFornitori::vcardUidNonSiIncrociano()
{
    TestDatabase db(TestDatabase::WithSchema);
    auto &c = db.conn();
    c.execute("insert into Fornitor (Id, Fornitore) values (7, 'Fornitore Sette')");
    c.execute("insert into Clienti (Id, Cliente, NominativoVisualizzato, NominativoDocumenti) values (7, 'Cliente Sette', "
              "'Cliente Sette', 'Cliente Sette')");
    Domande domande;
    // A supplier's own card finds supplier 7 by its UID, whatever its name now.
    auto e = vcard_fornitori::importa(c, {carta({{0, "Altro Nome"}, {39, "pellavantoriac7"}, {8, "011 7"}})},
                                      scambio_vcard::Aggiorna, domande.funzione());
    QCOMPARE(e.aggiornati, QList<qint64>({7}));
    QCOMPARE(db.scalar("select Fornitore from Fornitor where Id = 7").toString(), QString("Altro Nome"));
    // A customer's card never names supplier 7: it is matched by name, here a new supplier.
    e = vcard_fornitori::importa(c, {carta({{0, "Cliente Sette"}, {39, "PellavantoriaC7"}})}, scambio_vcard::Aggiorna,
                                 domande.funzione());
    QCOMPARE(e.creati.size(), 1);
    QCOMPARE(db.scalar("select Fornitore from Fornitor where Id = 7").toString(), QString("Altro Nome"));
    // And a supplier's card never names customer 7.
    e = vcard_clienti::importa(c, {carta({{5, "Fornitore X"}, {39, "pellavantoriac7"}})}, scambio_vcard::Aggiorna,
                               domande.funzione());
    QCOMPARE(e.creati.size(), 1);
    QCOMPARE(db.scalar("select Cliente from Clienti where Id = 7").toString(), QString("Cliente Sette"));
    // Nor in capitals, as some programs write UIDs: it is still a supplier's.
    e = vcard_clienti::importa(c, {carta({{5, "Fornitore Y"}, {39, "PELLAVANTORIAC7"}})}, scambio_vcard::Aggiorna,
                               domande.funzione());
    QCOMPARE(e.creati.size(), 1);
    QCOMPARE(db.scalar("select Cliente from Clienti where Id = 7").toString(), QString("Cliente Sette"));
    e = vcard_fornitori::importa(c, {carta({{0, "Nome Maiuscolo"}, {39, "PELLAVANTORIAC7"}})}, scambio_vcard::Aggiorna,
                                 domande.funzione());
    QCOMPARE(e.aggiornati, QList<qint64>({7}));
    QCOMPARE(db.scalar("select Fornitore from Fornitor where Id = 7").toString(), QString("Nome Maiuscolo"));
}

void TestServiziFornitori::vcardNomiEDomanda()
{
    TestDatabase db(TestDatabase::WithSchema);
    auto &c = db.conn();
    Domande domande;
    // An organisation alone names no supplier: skipped.
    auto e = vcard_fornitori::importa(c, {carta({{5, "Solo Ditta"}})}, scambio_vcard::Chiedi, domande.funzione());
    QCOMPARE(e.saltati, 1);
    QCOMPARE(db.scalar("select count(*) from Fornitor").toInt(), 0);
    // Family and given name make one name, apostrophe kept single; the same card again finds it.
    const Vcard4 rossi = carta({{0, "Rossi"}, {1, "D'Angelo"}, {8, "011 1"}});
    e = vcard_fornitori::importa(c, {rossi}, scambio_vcard::Chiedi, domande.funzione());
    QCOMPARE(e.creati.size(), 1);
    QCOMPARE(db.scalar("select Fornitore from Fornitor").toString(), QString("Rossi D'Angelo"));
    e = vcard_fornitori::importa(c, {rossi}, scambio_vcard::Chiedi, domande.funzione());
    QCOMPARE(e.saltati, 1);
    QCOMPARE(domande.fatte.last(),
             QString("Il Fornitore :Rossi D'Angelo e' già presente in archivio: Come si vuole procedere ? Salto il Fornitore ?"));
    // An empty given name: two blanks in the question.
    c.execute("insert into Fornitor (Fornitore) values ('Neri')");
    e = vcard_fornitori::importa(c, {carta({{0, "Neri"}})}, scambio_vcard::Chiedi, domande.funzione());
    QCOMPARE(domande.fatte.last(),
             QString("Il Fornitore :Neri  e' già presente in archivio: Come si vuole procedere ? Salto il Fornitore ?"));
    QCOMPARE(db.scalar("select count(*) from Fornitor").toInt(), 2);
}
