#include "tst_vcardclienti.h"

#include "common/TextUtils.h"
#include "common/VCard.h"
#include "db/DbError.h"
#include "db/Query.h"
#include "masterdata/services/VCardClienti.h"
#include "support/TestCore.h"

#include <QDir>
#include <QTest>

#include <stdexcept>

using namespace testing_support;
using common::Vcard4;

namespace {

// A card with the given slots filled.
Vcard4 carta(std::initializer_list<std::pair<int, QString>> campi)
{
    Vcard4 s;
    for (const auto &[slot, testo] : campi) s.campi[slot] = testo;
    return s;
}

QString testo(TestDatabase &db, const QString &sql) { return db.scalar(sql).toString(); }
int conta(TestDatabase &db, const QString &sql) { return db.scalar(sql).toInt(); }

// Every customer's mapped columns, by displayed name: what a round trip must keep.
QStringList clienti(TestDatabase &db)
{
    db::Query q(&db.conn());
    q.setSql("select Clienti.*, ClientiCategoria.Descrizione as Categoria from Clienti left join ClientiCategoria "
             "on Clienti.Categoria_ID = ClientiCategoria.ID order by NominativoVisualizzato");
    q.open();
    QStringList r;
    const QStringList colonne{"NominativoVisualizzato", "NominativoDocumenti", "Cliente", "Cognome", "Nome", "Telefono",
                              "Telefono2", "Cellulare", "Fax", "EMail", "Internet", "Via", "Numero", "Cap", "Citta",
                              "Comune_id", "Note", "DestinazioneMerce", "Categoria"};
    for (q.first(); !q.eof(); q.next()) {
        QStringList riga;
        for (const QString &c : colonne) riga << c + "=" + q.fieldByName(c).asString();
        r << riga.join(" | ");
    }
    return r;
}

const int kNessunaDomanda = -1;

// The question callback of the tests: records the questions and answers `skip`.
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

// Rows written with their keys: on the server the next key given must come after them.
void chiaviDopoRighe(TestDatabase &db) { db.conn().engine().keysFollowRows(); }

void dueClienti(TestDatabase &db)
{
    db.conn().execute("insert into Clienti (Id, Cliente, NominativoVisualizzato, NominativoDocumenti, Note, Telefono) values "
                      "(5, 'Rossi Srl', 'Rossi Srl', 'Rossi Srl', 'buon cliente', '011 5'), "
                      "(12, 'Bianchi Spa', 'Bianchi Spa', 'Bianchi Spa', null, '011 12')");
    chiaviDopoRighe(db);
}

} // namespace

void TestServiziVCardClienti::esporta()
{
    TestDatabase db(TestDatabase::WithSchema);
    db.conn().execute("insert into ClientiCategoria (ID, Descrizione) values (3, 'Officine')");
    db.conn().execute("insert into Clienti (Id, Cognome, Nome, NominativoVisualizzato, Categoria_ID) values "
                      "(123, 'Rossi', 'Mario', 'Rossi Mario', 3)");
    db.conn().execute("insert into Clienti (Id, Cliente, NominativoVisualizzato, Note, Via, Numero, Citta, Cap) values "
                      "(7, 'Bar Sport', 'Bar Sport', 'paga; a fine, mese', 'Via Roma', '3', 'Torino', '10100')");
    const QString file = vcard_clienti::esporta(db.conn(), {123, 999, 7});
    // In the order asked; an id without a customer adds nothing.
    QCOMPARE(file.count("BEGIN:VCARD"), 2);
    QVERIFY(file.indexOf("UID;VALUE=text:PellavantoriaC123\r\n") < file.indexOf("UID;VALUE=text:PellavantoriaC7\r\n"));
    const QString primo = file.left(file.indexOf("END:VCARD"));
    QVERIFY2(primo.contains("N:Rossi;Mario;;;\r\n"), qPrintable(primo));
    QVERIFY(primo.contains("CATEGORIES:Officine\r\n"));
    QVERIFY2(!primo.contains("NOTE"), "an empty note writes no NOTE line");
    QVERIFY(!primo.contains("ORG"));
    const QString secondo = file.mid(file.indexOf("END:VCARD"));
    QVERIFY(secondo.contains("ORG:Bar Sport\r\n"));
    QVERIFY(secondo.contains("NOTE:paga; a fine\\, mese\r\n"));
    QVERIFY2(secondo.contains("ADR;TYPE=HOME:;;Via Roma N°3;Torino;10100;;\r\n"), qPrintable(secondo));
}

void TestServiziVCardClienti::giroCompleto()
{
    TestDatabase origine(TestDatabase::WithSchema);
    const qint64 milano = origine.scalar("select ID from Comuni where Comune = 'Milano'").toLongLong();
    const qint64 como = origine.scalar("select ID from Comuni where Comune = 'Como'").toLongLong();
    QVERIFY(milano > 0 && como > 0);
    auto &c = origine.conn();
    c.execute("insert into ClientiCategoria (ID, Descrizione) values (1, 'Carrozzerie'), (2, 'Enti')");
    c.execute("insert into Clienti (Id, Cliente, NominativoVisualizzato, NominativoDocumenti, Cognome, Nome, Telefono, Telefono2, "
              "Cellulare, Fax, EMail, Internet, Via, Numero, Cap, Citta, Comune_id, Note, DestinazioneMerce, Categoria_ID) values "
              "(1, 'Carrozzeria D''Amico', 'Carrozzeria D''Amico', 'Carrozzeria D''Amico', 'D''Amico', 'Luca', '02 123', '02 456', "
              "'333 1', '02 789', 'info@damico.it', 'https://damico.it', 'Via dell''Acqua', '12/b', '20100', 'Milano', :milano, "
              "'Prima riga\nseconda; riga, con virgola', 'Magazzino: Via Po 1', 1)",
              {{":milano", milano}});
    c.execute("insert into Clienti (Id, NominativoVisualizzato, NominativoDocumenti, Cognome, Nome, Cellulare, Via, Numero, Cap, "
              "Citta, Comune_id, Categoria_ID) values "
              "(2, 'Verdi Anna', 'Verdi Anna', 'Verdi', 'Anna', '347 2', 'Corso Como', '5', '22100', 'Como', :como, 1)",
              {{":como", como}});
    c.execute("insert into Clienti (Id, Cliente, NominativoVisualizzato, NominativoDocumenti, EMail, Via, Cap, Citta, Comune_id, "
              "Categoria_ID) values (3, 'Comune di Como', 'Comune di Como', 'Comune di Como', 'pec@comune.como.it', "
              "'Piazza Duomo', '22100', 'Como', :como, 2)",
              {{":como", como}});
    const QString percorso = QDir(origine.folder()).filePath("clienti.vcf");
    QVERIFY(common::ScriviFileTesto(percorso, vcard_clienti::esporta(c, {3, 1, 2}), false));

    TestDatabase destinazione(TestDatabase::WithSchema);
    Domande domande;
    const QList<Vcard4> schede = common::LeggiVCard(percorso);
    QCOMPARE(schede.size(), 3);
    const scambio_vcard::Esito e = vcard_clienti::importa(destinazione.conn(), schede, scambio_vcard::Chiedi, domande.funzione());
    QCOMPARE(e.creati.size(), 3);
    QVERIFY(domande.fatte.isEmpty());
    QCOMPARE(clienti(destinazione), clienti(origine));
    // The category shared by two customers is created once.
    QCOMPARE(conta(destinazione, "select count(*) from ClientiCategoria where Descrizione = 'Carrozzerie'"), 1);

    // The same file again: every card finds the customer its UID's id names here, and the
    // question names the card's organisation or names.
    const QStringList prima = clienti(destinazione);
    const scambio_vcard::Esito ancora = vcard_clienti::importa(destinazione.conn(), schede, scambio_vcard::Chiedi, domande.funzione());
    QCOMPARE(ancora.saltati, 3);
    QCOMPARE(domande.fatte,
             QStringList({"Il Cliente :Comune di Como e' già presente in archivio: Come si vuole procedere ? Salto il Cliente ?",
                          "Il Cliente :Carrozzeria D'Amico e' già presente in archivio: Come si vuole procedere ? Salto il Cliente ?",
                          "Il Cliente :Verdi Anna e' già presente in archivio: Come si vuole procedere ? Salto il Cliente ?"}));
    QCOMPARE(clienti(destinazione), prima);
}

void TestServiziVCardClienti::azione_data()
{
    QTest::addColumn<int>("azione");
    QTest::addColumn<int>("risposta"); // kNessunaDomanda: no question may be asked; else 1 skips (Yes)
    QTest::addColumn<bool>("aggiornato");
    QTest::newRow("0 asks, Yes skips") << 0 << 1 << false;
    QTest::newRow("0 asks, No updates") << 0 << 0 << true;
    QTest::newRow("1 skips without asking") << 1 << kNessunaDomanda << false;
    QTest::newRow("2 updates without asking") << 2 << kNessunaDomanda << true;
    QTest::newRow("another value updates too") << 7 << kNessunaDomanda << true;
}

void TestServiziVCardClienti::azione()
{
    QFETCH(int, azione);
    QFETCH(int, risposta);
    QFETCH(bool, aggiornato);
    TestDatabase db(TestDatabase::WithSchema);
    dueClienti(db);
    db.conn().execute("update opzioni set AzioneImportazioneVCard = :a", {{":a", azione}});
    QCOMPARE(scambio_vcard::azioneImportazione(db.conn()), azione);
    Domande domande;
    domande.salta = risposta == 1;
    const scambio_vcard::Esito e = vcard_clienti::importa(
        db.conn(), {carta({{5, "Rossi Srl"}, {8, "011 999"}}), carta({{5, "Nuovi Srl"}})},
        scambio_vcard::azioneImportazione(db.conn()), domande.funzione());
    QCOMPARE(domande.fatte.size(), risposta == kNessunaDomanda ? 0 : 1);
    QCOMPARE(testo(db, "select Telefono from Clienti where Id = 5"), aggiornato ? QString("011 999") : QString("011 5"));
    QCOMPARE(e.aggiornati, aggiornato ? QList<qint64>{5} : QList<qint64>{});
    // A card that matches nobody is added whatever the option.
    QCOMPARE(e.creati.size(), 1);
    QCOMPARE(conta(db, "select count(*) from Clienti where Cliente = 'Nuovi Srl'"), 1);
}

void TestServiziVCardClienti::uid_data()
{
    QTest::addColumn<QString>("uid");
    QTest::addColumn<QString>("organizzazione");
    QTest::addColumn<int>("aggiornato"); // the customer updated, 0: a new one
    QTest::newRow("our prefix and the id") << "PellavantoriaC12" << "Bianchi Spa" << 12;
    QTest::newRow("the UID wins over the names") << "PellavantoriaC12" << "Rossi Srl" << 12;
    QTest::newRow("a supplier's card in capitals never names a customer's id") << "PELLAVANTORIAC12" << "Altri" << 0;
    QTest::newRow("digits alone") << "12" << "Altri" << 12;
    QTest::newRow("an id not here: new, even with a known name") << "PellavantoriaC999" << "Rossi Srl" << 0;
    QTest::newRow("a supplier's card never names a customer's id") << "pellavantoriac12" << "Altri" << 0;
    QTest::newRow("a supplier's card falls to the names") << "pellavantoriac12" << "Rossi Srl" << 5;
    QTest::newRow("foreign uid falls to the names") << "urn:uuid:4fbe8971-0bc3-424c-9c26-36c3e1eff6b1" << "Rossi Srl" << 5;
    QTest::newRow("prefix and letters") << "PellavantoriaC12abc" << "Altri" << 0;
    QTest::newRow("condition in the uid") << "1 or 1=1" << "Altri" << 0;
    QTest::newRow("statement in the uid") << "'; drop table Clienti; --" << "Altri" << 0;
    QTest::newRow("prefixed statement") << "PellavantoriaC5; delete from Clienti" << "Rossi Srl" << 5;
    QTest::newRow("too many digits") << "PellavantoriaC123456789012345678901234567890" << "Altri" << 0;
    QTest::newRow("blanks around") << " PellavantoriaC12 " << "Altri" << 12;
}

void TestServiziVCardClienti::uid()
{
    QFETCH(QString, uid);
    QFETCH(QString, organizzazione);
    QFETCH(int, aggiornato);
    TestDatabase db(TestDatabase::WithSchema);
    dueClienti(db);
    Domande domande;
    domande.salta = false;
    const scambio_vcard::Esito e = vcard_clienti::importa(db.conn(), {carta({{39, uid}, {5, organizzazione}, {41, "dal file"}})},
                                                          scambio_vcard::Chiedi, domande.funzione());
    QCOMPARE(conta(db, "select count(*) from Clienti"), aggiornato ? 2 : 3);
    if (aggiornato) {
        QCOMPARE(e.aggiornati, QList<qint64>{aggiornato});
        // The question names the card, not the stored customer.
        QCOMPARE(domande.fatte, QStringList{"Il Cliente :" + organizzazione
                                            + " e' già presente in archivio: Come si vuole procedere ? Salto il Cliente ?"});
        QCOMPARE(testo(db, QString("select Cliente from Clienti where Id = %1").arg(aggiornato)), organizzazione);
    } else {
        QCOMPARE(e.creati.size(), 1);
        QVERIFY(domande.fatte.isEmpty());
        QCOMPARE(testo(db, QString("select Cliente from Clienti where Id = %1").arg(e.creati[0])), organizzazione);
    }
    // Only the customer named was touched.
    QCOMPARE(conta(db, "select count(*) from Clienti where Note = 'dal file'"), 1);
}

void TestServiziVCardClienti::nomi()
{
    TestDatabase db(TestDatabase::WithSchema);
    db.conn().execute("insert into Clienti (Id, Cognome, Nome, NominativoVisualizzato, Note) values "
                      "(1, 'D''Amico', 'Dell''Acqua', 'D''Amico Dell''Acqua', 'vecchio'), (2, 'Neri', null, 'Neri', 'solo cognome')");
    chiaviDopoRighe(db);
    Domande domande;
    domande.salta = false;
    const scambio_vcard::Esito e = vcard_clienti::importa(
        db.conn(),
        {carta({{0, "D'Amico"}, {1, "Dell'Acqua"}, {41, "nuovo"}}),         // found by its names
         carta({{0, "Rossi"}, {1, "Mario"}, {44, "1970-05-31"}}),             // new, the birthday shown
         carta({{0, "Neri"}, {8, "055 1"}}),                                  // a family name alone names nobody
         carta({{1, "Solo nome"}, {8, "055 2"}}),                             // no family name, no organisation: left out
         carta({{39, "urn:uuid:1"}, {8, "055 3"}})},
        scambio_vcard::Chiedi, domande.funzione());
    QCOMPARE(e.aggiornati, QList<qint64>{1});
    QCOMPARE(e.creati.size(), 2);
    QCOMPARE(e.saltati, 2);
    QCOMPARE(domande.fatte, QStringList{"Il Cliente :D'Amico Dell'Acqua e' già presente in archivio: Come si vuole procedere ? "
                                        "Salto il Cliente ?"});
    QCOMPARE(testo(db, "select Note from Clienti where Id = 1"), QString("nuovo"));
    QCOMPARE(testo(db, "select Nome from Clienti where Id = 1"), QString("Dell'Acqua"));
    QCOMPARE(testo(db, "select NominativoDocumenti from Clienti where Cognome = 'Rossi'"), QString("Rossi Mario"));
    QCOMPARE(testo(db, "select NominativoVisualizzato from Clienti where Cognome = 'Rossi'"), QString("Rossi Mario - 1970-05-31"));
    // The customer with that family name is untouched; the card is a new customer.
    QCOMPARE(testo(db, "select Telefono from Clienti where Id = 2"), QString());
    QCOMPARE(testo(db, "select NominativoVisualizzato from Clienti where Telefono = '055 1'"), QString("Neri"));
    QCOMPARE(conta(db, "select count(*) from Clienti where Telefono in ('055 2', '055 3')"), 0);
}

void TestServiziVCardClienti::comuneECategoria()
{
    TestDatabase db(TestDatabase::WithSchema);
    const qint64 milano = db.scalar("select ID from Comuni where Comune = 'Milano'").toLongLong();
    db.conn().execute("insert into Clienti (Id, Cliente, NominativoVisualizzato, Citta, Comune_id, Cap, Provincia) values "
                      "(4, 'Officina', 'Officina', 'Paese mio', 77, '00000', 'XX')");
    db.conn().execute("insert into ClientiCategoria (ID, Descrizione, ColoreCategoria) values (9, 'Privati', 255)");
    chiaviDopoRighe(db);
    Domande domande;
    domande.salta = false;
    vcard_clienti::importa(db.conn(),
                           {carta({{5, "Nuova"}, {32, "MILANO"}, {47, "Carrozzerie"}}),
                            carta({{5, "Altra"}, {32, "Milano"}, {47, "carrozzerie"}}),
                            carta({{5, "Terza"}, {47, "Privati"}}),
                            carta({{5, "Officina"}, {32, "Paese che non c'è"}, {30, "12345"}})},
                           scambio_vcard::Aggiorna, domande.funzione());
    // The town's key and its name as the towns hold it; postcode and province never from the town.
    QCOMPARE(db.scalar("select Comune_id from Clienti where Cliente = 'Nuova'").toLongLong(), milano);
    QCOMPARE(testo(db, "select Citta from Clienti where Cliente = 'Nuova'"), QString("Milano"));
    QCOMPARE(testo(db, "select Cap from Clienti where Cliente = 'Nuova'"), QString());
    QCOMPARE(testo(db, "select Provincia from Clienti where Cliente = 'Nuova'"), QString());
    // An unknown town leaves both columns; the postcode of the card is written.
    QCOMPARE(testo(db, "select Citta from Clienti where Id = 4"), QString("Paese mio"));
    QCOMPARE(conta(db, "select Comune_id from Clienti where Id = 4"), 77);
    QCOMPARE(testo(db, "select Cap from Clienti where Id = 4"), QString("12345"));
    // A new category is created once and reused; an existing one is taken as it is.
    QCOMPARE(conta(db, "select count(*) from ClientiCategoria where Descrizione = 'Carrozzerie'"), 1);
    QCOMPARE(conta(db, "select count(*) from Clienti where Categoria_ID = (select ID from ClientiCategoria where Descrizione = "
                       "'Carrozzerie')"),
             2);
    QCOMPARE(conta(db, "select Categoria_ID from Clienti where Cliente = 'Terza'"), 9);
    QCOMPARE(conta(db, "select count(*) from ClientiCategoria"), 2);
    QCOMPARE(conta(db, "select ColoreCategoria from Clienti where Cliente = 'Terza'"), 0);
}

void TestServiziVCardClienti::slotVuoti()
{
    TestDatabase db(TestDatabase::WithSchema);
    db.conn().execute("insert into Clienti (Id, Cliente, NominativoVisualizzato, NominativoDocumenti, Cognome, Nome, Telefono, "
                      "EMail, Via, Numero, Note, DestinazioneMerce, Categoria_ID) values "
                      "(3, 'Bar Sport', 'Bar Sport (centro)', 'Bar Sport', 'Gialli', 'Ugo', '011 1', 'bar@sport.it', 'Via Po', '2', "
                      "'nota', 'retro', 4)");
    chiaviDopoRighe(db);
    Domande domande;
    const QString prima = clienti(db).join('\n');
    vcard_clienti::importa(db.conn(), {carta({{39, "PellavantoriaC3"}, {5, "Bar Sport"}})}, scambio_vcard::Aggiorna,
                           domande.funzione());
    // Only the names from the organisation are written; every other stored value stays.
    QCOMPARE(testo(db, "select NominativoVisualizzato from Clienti where Id = 3"), QString("Bar Sport"));
    QCOMPARE(testo(db, "select Telefono & '/' & EMail & '/' & Via & '/' & Numero & '/' & Note & '/' & DestinazioneMerce "
                       "& '/' & Cognome & '/' & Nome & '/' & Categoria_ID from Clienti where Id = 3"),
             QString("011 1/bar@sport.it/Via Po/2/nota/retro/Gialli/Ugo/4"));
    QVERIFY(prima != clienti(db).join('\n'));
    // A street that our export wrote with " N°" and no number leaves the stored number.
    vcard_clienti::importa(db.conn(), {carta({{39, "PellavantoriaC3"}, {5, "Bar Sport"}, {28, "Via Dora N°"}})},
                           scambio_vcard::Aggiorna, domande.funzione());
    QCOMPARE(testo(db, "select Via & '/' & Numero from Clienti where Id = 3"), QString("Via Dora/2"));
}

void TestServiziVCardClienti::fileSenzaSchede()
{
    TestDatabase db(TestDatabase::WithSchema);
    dueClienti(db);
    const QString vuoto = QDir(db.folder()).filePath("vuoto.vcf");
    QVERIFY(common::ScriviFileTesto(vuoto, "nessuna scheda qui\r\n", false));
    Domande domande;
    const QStringList prima = clienti(db);
    QCOMPARE(vcard_clienti::importa(db.conn(), common::LeggiVCard(vuoto), scambio_vcard::Aggiorna, domande.funzione()).creati.size(), 0);
    // Every card left out: nothing either.
    const scambio_vcard::Esito e = vcard_clienti::importa(db.conn(), {carta({{1, "Mario"}}), carta({{8, "011"}})},
                                                          scambio_vcard::Aggiorna, domande.funzione());
    QCOMPARE(e.saltati, 2);
    QCOMPARE(clienti(db), prima);
    QCOMPARE(conta(db, "select count(*) from ClientiCategoria"), 0);
}

void TestServiziVCardClienti::erroreAMetaNonScriveNulla()
{
    TestDatabase db(TestDatabase::WithSchema);
    dueClienti(db);
    // Two customers with one telephone are refused here, as any database error would stop the file.
    db.exec("CREATE UNIQUE INDEX ux_prova_telefono ON Clienti (Telefono)");
    const QStringList prima = clienti(db);
    const QList<Vcard4> schede{carta({{5, "Primo Nuovo"}, {47, "Categoria nuova"}, {8, "02 1"}}),
                               carta({{39, "PellavantoriaC12"}, {5, "Bianchi Spa"}, {41, "aggiornato"}}),
                               carta({{5, "Secondo Nuovo"}, {8, "011 5"}}), // the telephone of customer 5
                               carta({{5, "Mai letto"}})};
    Domande domande;
    QVERIFY_THROWS_EXCEPTION(db::DbError, vcard_clienti::importa(db.conn(), schede, scambio_vcard::Aggiorna, domande.funzione()));
    QCOMPARE(clienti(db), prima);
    QCOMPARE(conta(db, "select count(*) from ClientiCategoria"), 0);
    QCOMPARE(conta(db, "select count(*) from Clienti"), 2);

    // A question that fails (the window asking it gone) leaves nothing either.
    db.exec("DROP INDEX ux_prova_telefono");
    const scambio_vcard::Domanda guasta = [](const QString &) -> bool { throw std::runtime_error("finestra chiusa"); };
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, vcard_clienti::importa(db.conn(), schede, scambio_vcard::Chiedi, guasta));
    QCOMPARE(clienti(db), prima);
    QCOMPARE(conta(db, "select count(*) from ClientiCategoria"), 0);
}

void TestServiziVCardClienti::domandePrimaDiScrivere()
{
    TestDatabase db(TestDatabase::WithSchema);
    dueClienti(db);
    db::Connection altra;
    QVERIFY(altra.open(db.path()));
    // While the user answers about the second card, another workstation writes the customer of
    // the first: the import holds no lock while a question is open.
    QStringList fatte;
    const scambio_vcard::Esito e = vcard_clienti::importa(
        db.conn(), {carta({{5, "Rossi Srl"}, {41, "dal file"}}), carta({{5, "Bianchi Spa"}, {41, "dal file"}})},
        scambio_vcard::Chiedi, [&](const QString &d) {
            fatte << d;
            if (fatte.size() == 2) altra.execute("update Clienti set Telefono = 'altra postazione' where Id = 5");
            return false;
        });
    QCOMPARE(fatte.size(), 2);
    QCOMPARE(e.aggiornati, QList<qint64>({5, 12}));
    QCOMPARE(testo(db, "select Telefono from Clienti where Id = 5"), QString("altra postazione"));
    QCOMPARE(conta(db, "select count(*) from Clienti where Note = 'dal file'"), 2);
}

void TestServiziVCardClienti::moltiClientiUnaVolta()
{
    // Cards matched by names, by UID and new ones, with names repeated inside the file: each
    // card finds the record the one before it wrote.
    TestDatabase db(TestDatabase::WithSchema);
    dueClienti(db);
    const QList<Vcard4> schede{carta({{5, "Nuova Srl"}, {8, "1"}}), carta({{5, "Nuova Srl"}, {8, "2"}}),
                               carta({{39, "PellavantoriaC12"}, {5, "Verdi Snc"}}), carta({{5, "Bianchi Spa"}, {8, "3"}}),
                               carta({{5, "Verdi Snc"}, {8, "4"}}), carta({{0, "Neri"}, {1, "Anna"}}),
                               carta({{0, "Neri"}, {1, "Anna"}, {8, "5"}})};
    const scambio_vcard::Esito e = vcard_clienti::importa(db.conn(), schede, scambio_vcard::Aggiorna, {});
    QCOMPARE(e.creati.size(), 3); // Nuova Srl, Bianchi Spa (12 was renamed first), Neri Anna
    QCOMPARE(e.aggiornati.size(), 4);
    QCOMPARE(conta(db, "select count(*) from Clienti"), 5);
    QCOMPARE(testo(db, "select Telefono from Clienti where Cliente = 'Nuova Srl'"), QString("2"));
    QCOMPARE(testo(db, "select Telefono from Clienti where Id = 12"), QString("4"));
    QCOMPARE(testo(db, "select Cliente from Clienti where Id = 12"), QString("Verdi Snc"));
    QCOMPARE(testo(db, "select Telefono from Clienti where Cliente = 'Bianchi Spa'"), QString("3"));
    QCOMPARE(testo(db, "select Telefono from Clienti where Cognome = 'Neri'"), QString("5"));
}
