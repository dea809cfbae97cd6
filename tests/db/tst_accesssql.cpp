#include "tst_accesssql.h"

#include "db/AccessSql.h"
#include "db/DbError.h"
#include "db/Query.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

using namespace testing_support;

namespace {

// Creates every table.column that a statement names as Table.Column, so a real statement
// of the program can run on a small file without the whole schema.
void createTablesNamedIn(TestDatabase &d, const QString &sql)
{
    static const QRegularExpression ref(QStringLiteral("\\[?([A-Za-z_][A-Za-z0-9_]*)\\]?\\.\\[?([A-Za-z_][A-Za-z0-9_]*)\\]?"));
    QMap<QString, QSet<QString>> tables;
    auto it = ref.globalMatch(sql);
    while (it.hasNext()) {
        const auto m = it.next();
        tables[m.captured(1)].insert(m.captured(2));
    }
    for (auto t = tables.begin(); t != tables.end(); ++t) {
        QStringList cols;
        // Keys of other tables are numbers (a server compares no text with a number), the rest text.
        for (const QString &c : t.value())
            if (c.compare(QLatin1String("ID"), Qt::CaseInsensitive) != 0)
                cols << u'"' + c
                            + (c.endsWith(QLatin1String("_ID"), Qt::CaseInsensitive) || c == QLatin1String("NumFatt")
                                   ? QStringLiteral("\" INTEGER")
                                   : QStringLiteral("\" TEXT COLLATE UNOCASE"));
        d.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS \"%1\" (ID INTEGER PRIMARY KEY AUTOINCREMENT%2%3)")
                   .arg(t.key(), cols.isEmpty() ? QString() : QStringLiteral(", "), cols.join(QStringLiteral(", "))));
    }
}

QStringList column(db::Connection &c, const QString &sql, const QString &field)
{
    db::Query q(&c);
    q.setSql(sql);
    q.open();
    QStringList out;
    for (q.first(); !q.eof(); q.next()) out << q.fieldByName(field).asString();
    return out;
}

} // namespace

void TestAccessSql::translatesText_data()
{
    QTest::addColumn<QString>("access");
    QTest::addColumn<QString>("expected");
    QTest::newRow("date") << "select * from t where Data < #1/5/2026#"
                          << "select * from t where Data < '2026-01-05 00:00:00'";
    QTest::newRow("date with dotted time") << "Data <= #12/31/2025 23.59.59#" << "Data <= '2025-12-31 23:59:59'";
    QTest::newRow("date with colon time") << "Data <= #3/1/2026 8:05:09#" << "Data <= '2026-03-01 08:05:09'";
    QTest::newRow("delete star") << "delete * from TempStampa where NomeComputer ='PC'"
                                 << "delete from TempStampa where NomeComputer ='PC'";
    QTest::newRow("delete table star") << "DELETE t.* FROM t" << "DELETE FROM t";
    QTest::newRow("top") << "select top 1 * from finanzia order by Data desc"
                         << "select * from finanzia order by Data desc LIMIT 1";
    QTest::newRow("top distinct in subquery")
        << "select * from a where id in (select distinct top 3 id from b order by id);"
        << "select * from a where id in (select distinct id from b order by id LIMIT 3);";
    QTest::newRow("booleans outside literals") << "update t set a = true, b = 'true' where c = False"
                                               << "update t set a = 1, b = 'true' where c = 0";
    QTest::newRow("double quotes are text") << "select \"l'auto \"\"x\"\"\" as a" << "select 'l''auto \"x\"' as a";
    QTest::newRow("identity") << "SELECT @@IDENTITY as ID;" << "SELECT last_insert_rowid() as ID;";
    QTest::newRow("brackets stay") << "select [Ragione Sociale] from [ditta]" << "select [Ragione Sociale] from [ditta]";
    QTest::newRow("left function, left join")
        << "select Left(a.Nome, 3) from a LEFT JOIN b ON a.id = b.id"
        << "select acc_left(a.Nome, 3) from a LEFT JOIN b ON a.id = b.id";
    QTest::newRow("hash inside text untouched") << "select 'n. #1/2/2026#'" << "select 'n. #1/2/2026#'";
    QTest::newRow("ddl add column")
        << "ALTER TABLE Clienti ADD Nuova TEXT(50)" << "ALTER TABLE Clienti ADD COLUMN Nuova TEXT COLLATE UNOCASE";
    QTest::newRow("ddl create table")
        << "CREATE TABLE Prova (Id COUNTER, Flag YESNO, Importo CURRENCY, Note MEMO, Il DATETIME)"
        << "CREATE TABLE Prova (Id INTEGER PRIMARY KEY AUTOINCREMENT, Flag BOOLEAN NOT NULL DEFAULT 0, Importo REAL DEFAULT 0,"
           " Note TEXT COLLATE UNOCASE, Il DATETIME)";
    QTest::newRow("comment ends at the line")
        << "delete * from Colori -- prove\nwhere Descrizione = 'x';" << "delete from Colori where Descrizione = 'x';";
    QTest::newRow("comment at the end") << "select a from t -- fine" << "select a from t";
    QTest::newRow("block comment") << "update t /* a; b\n c */set a = 1 where/**/b = 2" << "update t set a = 1 where b = 2";
    QTest::newRow("unclosed block comment") << "select a from t /* x\n where 0" << "select a from t";
    QTest::newRow("comment marks in literals stay")
        << "select '--a', \"/*b*/\", [c--d] from t" << "select '--a', '/*b*/', [c--d] from t";
    QTest::newRow("minus stays") << "select a - -1, b-2 from t" << "select a - -1, b-2 from t";
    QTest::newRow("parameters pass untouched")
        << "update t set Note = :testo, Data=:data where Id = :Id and Tipo = 'a:b' and x = :true and y = :mod"
        << "update t set Note = :testo, Data=:data where Id = :Id and Tipo = 'a:b' and x = :true and y = :mod";
    QTest::newRow("parameter in concatenation") << "select :nome & Cognome from t"
                                                << "select acc_text(:nome) || acc_text(Cognome) from t";
    QTest::newRow("month and year become a date range")
        << "select * from finanzia where Month(Finanzia.Data)=3 and Year(Finanzia.Data)= 2025 ORDER BY finanzia.Data"
        << "select * from finanzia where Finanzia.Data >= '2025-03-01 00:00:00' AND Finanzia.Data < '2025-04-01 00:00:00'"
           " ORDER BY finanzia.Data";
    QTest::newRow("year first, december")
        << "where Year([Data]) = 2024 And Month([Data]) = 12 and Banca_ID=2"
        << "where [Data] >= '2024-12-01 00:00:00' AND [Data] < '2025-01-01 00:00:00' and Banca_ID=2";
    QTest::newRow("month and year in parentheses")
        << "where (Month(Data) = 2 and Year(Data) = 2024) or Id = 1"
        << "where (Data >= '2024-02-01 00:00:00' AND Data < '2024-03-01 00:00:00') or Id = 1";
    QTest::newRow("two columns stay") << "where Month(a) = 1 and Year(b) = 2024" << "where Month(a) = 1 and Year(b) = 2024";
    QTest::newRow("negation stays") << "where not Month(Data) = 1 and Year(Data) = 2024"
                                    << "where not Month(Data) = 1 and Year(Data) = 2024";
    QTest::newRow("arithmetic after stays") << "where Month(Data) = 1 and Year(Data) = 2024 + 1"
                                            << "where Month(Data) = 1 and Year(Data) = 2024 + 1";
    QTest::newRow("between before stays") << "where x between 1 and Month(Data) = 1 and Year(Data) = 2024"
                                          << "where x between 1 and Month(Data) = 1 and Year(Data) = 2024";
    QTest::newRow("no month 13") << "where Month(Data) = 13 and Year(Data) = 2024"
                                 << "where Month(Data) = 13 and Year(Data) = 2024";
    QTest::newRow("month alone stays") << "select Month(Data) from t where Month(Data) = 3"
                                       << "select Month(Data) from t where Month(Data) = 3";
    QTest::newRow("plain update strips qualifier") << "UPDATE Fattura SET Fattura.Storico = true WHERE Fattura.Id = 3"
                                                   << "UPDATE Fattura SET Storico = 1 WHERE Fattura.Id = 3";
}

void TestAccessSql::translatesText()
{
    QFETCH(QString, access);
    QFETCH(QString, expected);
    QCOMPARE(db::AccessSql::translate(access), expected);
}

void TestAccessSql::rollOverUpdatesRunOnSqlite()
{
    Seams seams;
    TestDatabase d(TestDatabase::Empty);
    d.exec("CREATE TABLE finanzia (ID INTEGER PRIMARY KEY AUTOINCREMENT, Data DATETIME, Storico BOOLEAN NOT NULL DEFAULT 0);"
           "CREATE TABLE Calendario (ID INTEGER PRIMARY KEY AUTOINCREMENT, Data DATETIME, Conclusa BOOLEAN NOT NULL DEFAULT 0,"
           " Storico BOOLEAN NOT NULL DEFAULT 0);"
           "CREATE TABLE FatturaScadenze (Id INTEGER PRIMARY KEY AUTOINCREMENT, DataPagamento DATETIME,"
           " Pagato BOOLEAN NOT NULL DEFAULT 0);"
           "INSERT INTO finanzia (Data, Storico) VALUES ('2025-12-31 00:00:00', 0), ('2026-01-01 00:00:00', 1),"
           " ('2026-12-31 00:00:00', 1), ('2027-01-01 00:00:00', 1);"
           "INSERT INTO Calendario (Data, Conclusa, Storico) VALUES ('2025-06-01 00:00:00', 1, 0), ('2025-06-01 00:00:00', 0, 0),"
           " ('2026-02-01 00:00:00', 0, 1), ('2026-02-01 00:00:00', 1, 1);"
           "INSERT INTO FatturaScadenze (DataPagamento, Pagato) VALUES ('2026-01-10 00:00:00', 0), (NULL, 1), (NULL, 0);");
    const QString D = "1/1/2026", E = "1/1/2027";
    auto &c = d.conn();
    QCOMPARE(c.execute("UPDATE finanzia SET Storico = true where Storico = false and Data < #" + D + "#"), 1);
    QCOMPARE(c.execute("UPDATE finanzia SET Storico = false where Storico = true and Data >= #" + D + "# and Data <#" + E + "#"), 2);
    QCOMPARE(c.execute("UPDATE Calendario SET Storico = true where Conclusa=true and Storico = false and Data < #" + D + "#"), 1);
    QCOMPARE(c.execute("UPDATE Calendario SET Storico = false where Conclusa=false and Storico = true and Data >= #" + D
                       + "# and Data <#" + E + "#"), 1);
    QCOMPARE(c.execute("UPDATE FatturaScadenze SET Pagato = true where Pagato = false and DataPagamento Is Not Null"), 1);
    QCOMPARE(c.execute("UPDATE FatturaScadenze SET Pagato = false where Pagato = true and DataPagamento Is Null"), 1);
    QCOMPARE(column(c, "select Storico from finanzia order by ID", "Storico"),
             QStringList({"True", "False", "False", "True"}));
    QCOMPARE(column(c, "select Storico from Calendario order by ID", "Storico"),
             QStringList({"True", "False", "False", "True"}));
    QCOMPARE(column(c, "select Pagato from FatturaScadenze order by Id", "Pagato"), QStringList({"True", "False", "False"}));
    // Running the roll-over again changes nothing.
    QCOMPARE(c.execute("UPDATE finanzia SET Storico = true where Storico = false and Data < #" + D + "#"), 0);
}

void TestAccessSql::workstationDeleteTouchesOnlyItsRows()
{
    Seams seams;
    TestDatabase d(TestDatabase::Empty);
    d.exec("CREATE TABLE TempStampa (Id INTEGER PRIMARY KEY AUTOINCREMENT, NomeComputer TEXT COLLATE UNOCASE);"
           "INSERT INTO TempStampa (NomeComputer) VALUES ('PC1'), ('pc1'), ('PC2'), ('O''BRIEN');");
    QCOMPARE(d.conn().execute("delete * from TempStampa where NomeComputer ='PC1'"), 2);
    QCOMPARE(d.conn().execute("delete * from TempStampa where NomeComputer ='O''BRIEN'"), 1);
    QCOMPARE(d.scalar("select count(*) from TempStampa").toInt(), 1);
}

void TestAccessSql::topBecomesLimit()
{
    Seams seams;
    TestDatabase d(TestDatabase::Empty);
    d.exec("CREATE TABLE finanzia (ID INTEGER PRIMARY KEY AUTOINCREMENT, Data DATETIME, Operazione TEXT COLLATE UNOCASE,"
           " Storico BOOLEAN NOT NULL DEFAULT 0);"
           "INSERT INTO finanzia (Data, Operazione) VALUES ('2026-01-02 00:00:00', 'b'), ('2026-03-01 00:00:00', 'z'),"
           " ('2026-03-01 00:00:00', 'a'), ('2026-04-01 00:00:00', 'old');"
           "UPDATE finanzia SET Storico = 1 WHERE Operazione = 'old';");
    QCOMPARE(column(d.conn(), "select top 1 * from finanzia where storico = false order by Data desc, Operazione", "Operazione"),
             QStringList({"a"}));
}

void TestAccessSql::identityAfterInsert()
{
    Seams seams;
    TestDatabase d(TestDatabase::Empty);
    d.exec("CREATE TABLE t (Id INTEGER PRIMARY KEY AUTOINCREMENT, a TEXT); INSERT INTO t (a) VALUES ('x'), ('y');");
    d.conn().execute("insert into t (a) values ('z')");
    QCOMPARE(d.scalar("SELECT @@IDENTITY as ID;").toInt(), 3);
}

void TestAccessSql::concatenationShowsDatesDayFirst()
{
    Seams seams;
    TestDatabase d(TestDatabase::Empty);
    d.exec("CREATE TABLE PreventiTestata (ID INTEGER PRIMARY KEY AUTOINCREMENT, Numero INTEGER, Data DATETIME, Cliente_ID INTEGER);"
           "INSERT INTO PreventiTestata (Numero, Data, Cliente_ID) VALUES (5, '2026-02-03 00:00:00', 1), (6, NULL, 2);");
    const QString sql = "SELECT PreventiTestata.Id, \"N° \" & [Numero] & \" Data: \" & [Data] as Scelta, Numero,Data,Cliente_ID "
                        "FROM PreventiTestata order by Numero";
    QCOMPARE(column(d.conn(), sql, "Scelta"), QStringList({"N° 5 Data: 03/02/2026", "N° 6 Data: "}));
    QCOMPARE(d.scalar("select 'a' & Year(#2/3/2026#) & (1+1) & Left('xyz', 2)").toString(), QString("a20262xy"));
}

void TestAccessSql::updateWithJoinTargetsTheSetTable_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("check");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("first table")
        << "UPDATE fattura INNER JOIN Clienti ON fattura.Cliente_ID = Clienti.Id SET fattura.Cliente = "
           "[Clienti].[NominativoDocumenti] where Clienti.Id=1"
        << "select Cliente from fattura order by ID" << QStringList({"Rossi Srl", "vecchio", "Rossi Srl"});
    QTest::newRow("second table")
        << "UPDATE FatturaPreventiviRighe INNER JOIN PreventiTestata ON FatturaPreventiviRighe.Preventivo_Id = "
           "PreventiTestata.ID SET PreventiTestata.Fatturato = False where FatturaPreventiviRighe.Fattura_ID = 7"
        << "select Fatturato from PreventiTestata order by ID" << QStringList({"False", "True"});
    QTest::newRow("parenthesised conditions")
        << "UPDATE fattura INNER JOIN TempXml_NotaCredito ON (fattura.Fornitore_ID = TempXml_NotaCredito.Fornitore_ID) AND "
           "(fattura.Data = TempXml_NotaCredito.Data) AND (fattura.NumeroCarico = TempXml_NotaCredito.Numero) SET "
           "TempXml_NotaCredito.Fattura_ID = [fattura].[ID]"
        << "select Fattura_ID from TempXml_NotaCredito order by Id" << QStringList({"2", ""});
}

void TestAccessSql::updateWithJoinTargetsTheSetTable()
{
    QFETCH(QString, sql);
    QFETCH(QString, check);
    QFETCH(QStringList, expected);
    Seams seams;
    TestDatabase d(TestDatabase::Empty);
    d.exec("CREATE TABLE Clienti (Id INTEGER PRIMARY KEY AUTOINCREMENT, NominativoDocumenti TEXT);"
           "CREATE TABLE fattura (ID INTEGER PRIMARY KEY AUTOINCREMENT, Cliente_ID INTEGER, Cliente TEXT, Fornitore_ID INTEGER,"
           " Data DATETIME, NumeroCarico TEXT);"
           "CREATE TABLE PreventiTestata (ID INTEGER PRIMARY KEY AUTOINCREMENT, Fatturato BOOLEAN NOT NULL DEFAULT 0);"
           "CREATE TABLE FatturaPreventiviRighe (Id INTEGER PRIMARY KEY AUTOINCREMENT, Preventivo_Id INTEGER, Fattura_ID INTEGER);"
           "CREATE TABLE TempXml_NotaCredito (Id INTEGER PRIMARY KEY AUTOINCREMENT, Fornitore_ID INTEGER, Data DATETIME,"
           " Numero TEXT, Fattura_ID INTEGER);"
           "INSERT INTO Clienti (NominativoDocumenti) VALUES ('Rossi Srl'), ('Bianchi');"
           "INSERT INTO fattura (Cliente_ID, Cliente, Fornitore_ID, Data, NumeroCarico) VALUES"
           " (1, 'vecchio', 0, NULL, NULL), (2, 'vecchio', 9, '2026-01-05 00:00:00', 'A1'), (1, 'vecchio', 0, NULL, NULL);"
           "INSERT INTO PreventiTestata (Fatturato) VALUES (1), (1);"
           "INSERT INTO FatturaPreventiviRighe (Preventivo_Id, Fattura_ID) VALUES (1, 7), (2, 8);"
           "INSERT INTO TempXml_NotaCredito (Fornitore_ID, Data, Numero) VALUES (9, '2026-01-05 00:00:00', 'A1'),"
           " (9, '2026-01-05 00:00:00', 'A2');");
    d.conn().execute(sql);
    const QString field = check.section(u' ', 1, 1);
    QCOMPARE(column(d.conn(), check, field), expected);
}

void TestAccessSql::nestedJoinsOfInvoiceReportRun()
{
    // The sales-invoice print query: nested parenthesised joins, RIGHT JOIN and aliases.
    const QString sql = QStringLiteral(
        "SELECT fattdett.Codice, fattdett.TipoRiga, Iva.ID AS Iva_ID, Iva.Descrizione AS IVA_Descrizione, fattdett.Reparto, "
        "fattdett.AliquotaIva, fattdett.ValoreTotale, fattdett.Sconto, fattdett.ValoreUnitario, fattdett.Um, fattdett.Descrizione, "
        "fattura.Num, fattura.TotImposta, fattura.TotFattura, fattura.TotImponibile, Bank.Banca, Bank.Comune, Bank.Provincia, "
        "Bank.Cap, Bank.Via, Bank.Numero AS BancaNumero, fattura.Data AS FatturaData, fattdett.note AS RigheNote, fattura.Note AS "
        "TestataNote, ModPagamento.Descrizione AS ModPagamento, fattdett.note, fattura.ConaiAssolto, FatturaAspetto.Descrizione AS "
        "Aspetto, FatturaPorto.Descrizione AS Porto, Personale.Personale, Personale.Iva AS PersIva, Personale.CodFisc AS PersCodFisc, "
        " Personale.Tel AS PerTels, Personale.Fax AS PersFax, Personale.Cell AS PersCell, Personale.Numero AS PersNum, "
        "Personale.Codice AS PersCodice, Comuni.Comune AS PersComune, Personale.Indirizzo AS PersIndirizzo, Comuni.Provincia AS "
        "PersProvincia, Vettore.Descrizione AS VettoreDesc, Clienti.NominativoDocumenti as Cliente, Clienti.Via AS CliVia, "
        "Clienti.Telefono AS CliTelefono, Clienti.Fax AS CliFax, Clienti.Citta AS CliCitta, Clienti.Iva AS CliIva, "
        "Clienti.Provincia AS CliProvincia, Clienti.Cap AS CliCap, Clienti.CodFiscale AS CliCodFiscale, Clienti.Numero AS "
        "CliNumero, Clienti.Codice AS CliCodice, Clienti.DestinazioneMerce AS CliDestMerce, Vettore.VettoreVisibile, Comuni.CAP AS "
        "PersCap, fattura.SerieFatturazione, fattdett.RIFDDT, fattdett.DataDDT,  fattdett.Targa1, fattura.ReferenteIva, "
        "UnitaMisura.Descrizione AS UnitaMisura, Bank.Iban AS IbanAzienda, fattura.TipoTariffa_Id, fattura.TipoFatturazione_Id, "
        "fattura.ComuneFermo_ID, fattura.ComuneDestinazione_ID, fattura.Targa, fattura.DataIngressoVeicolo, "
        "fattura.DataUscitaVeicolo, TipoTariffe.Descrizione AS TipoTariffa, TipoFatturazione.Descrizione AS TipoFatturazione, "
        "Comuni_1.Comune AS ComuneRitiro, Comuni_2.Comune AS ComuneDestinazione, fattura.Km, fattura.Giorni, "
        "fattura.Causale,fattdett.NumeroRiga FROM (((((Vettore RIGHT JOIN (((((((fattdett LEFT JOIN Iva ON fattdett.Iva_ID = "
        "Iva.ID) INNER JOIN ((fattura LEFT JOIN Bank ON fattura.Banca_ID = Bank.Id) LEFT JOIN ModPagamento ON "
        "fattura.ModPagamento_Id = ModPagamento.id) ON fattdett.NumFatt = fattura.ID) LEFT JOIN Clienti ON fattura.Cliente_ID = "
        "Clienti.Id) LEFT JOIN FatturaAspetto ON fattura.Aspetto_ID = FatturaAspetto.id) LEFT JOIN FatturaPorto ON "
        "fattura.Porto_ID = FatturaPorto.id) LEFT JOIN Personale ON fattura.Personale_ID = Personale.Id) LEFT JOIN Comuni ON "
        "Personale.Comune_Id = Comuni.ID) ON Vettore.id = fattura.Vettore_ID) LEFT JOIN UnitaMisura ON fattdett.Um_ID = "
        "UnitaMisura.Id) LEFT JOIN TipoTariffe ON fattura.TipoTariffa_Id = TipoTariffe.id) LEFT JOIN TipoFatturazione ON "
        "fattura.TipoFatturazione_Id = TipoFatturazione.id) LEFT JOIN Comuni AS Comuni_1 ON fattura.ComuneFermo_ID = Comuni_1.ID) "
        "LEFT JOIN Comuni AS Comuni_2 ON fattura.ComuneDestinazione_ID = Comuni_2.ID WHERE fattura.ID = 1 Order by "
        "fattdett.NumeroRiga");
    Seams seams;
    TestDatabase d(TestDatabase::Empty);
    createTablesNamedIn(d, sql);
    d.exec("INSERT INTO Comuni (Comune) VALUES ('Forlì'), ('Cesena');"
           "INSERT INTO Clienti (NominativoDocumenti) VALUES ('Rossi Srl');"
           "INSERT INTO fattura (Num, Cliente_ID, ComuneFermo_ID, ComuneDestinazione_ID) VALUES ('1', 1, 1, 2), ('2', 1, 2, 1);"
           "INSERT INTO fattdett (NumFatt, NumeroRiga, Descrizione) VALUES (1, 2, 'Traino'), (1, 1, 'Deposito'), (2, 1, 'Altro');");
    db::Query q(&d.conn());
    q.setSql(sql);
    q.open();
    QCOMPARE(q.recordCount(), 2);
    QCOMPARE(q.fieldByName("Descrizione").asString(), QString("Deposito"));
    QCOMPARE(q.fieldByName("Cliente").asString(), QString("Rossi Srl"));
    QCOMPARE(q.fieldByName("ComuneRitiro").asString(), QString("Forlì"));
    QCOMPARE(q.fieldByName("ComuneDestinazione").asString(), QString("Cesena"));
}

void TestAccessSql::likeBackslashIsALetter_data()
{
    QTest::addColumn<QString>("condizione");
    QTest::addColumn<QStringList>("trovati");
    // What a search box builds: the text typed between apostrophes, or bound.
    QTest::newRow("backslash typed") << "Nome like 'a\\b'" << QStringList({"a\\b"});
    QTest::newRow("backslash then a wildcard") << "Nome like 'a\\%' order by Id" << QStringList({"a\\b", "a\\\\b"});
    QTest::newRow("two backslashes") << "Nome like '%\\\\%'" << QStringList({"a\\\\b"});
    QTest::newRow("bound") << "Nome like :p" << QStringList({"a\\b"});
    QTest::newRow("not like") << "Nome not like 'a\\b' order by Id" << QStringList({"ab", "a\\\\b", "a%b"});
    QTest::newRow("own escape kept") << "Nome like 'a!%b' escape '!'" << QStringList({"a%b"});
}

void TestAccessSql::likeBackslashIsALetter()
{
    QFETCH(QString, condizione);
    QFETCH(QStringList, trovati);
    Seams seams;
    TestDatabase d(TestDatabase::Empty);
    d.exec("CREATE TABLE Voci (Id INTEGER PRIMARY KEY, Nome TEXT COLLATE UNOCASE);");
    for (const auto &[id, nome] : std::vector<std::pair<int, QString>>{{1, "a\\b"}, {2, "ab"}, {3, "a\\\\b"}, {4, "a%b"}})
        d.conn().execute("insert into Voci (Id, Nome) values (:id, :nome)", {{":id", id}, {":nome", nome}});
    db::Query q(&d.conn());
    q.setSql("select Nome from Voci where " + condizione);
    if (condizione.contains(":p")) q.bind(":p", QString("a\\b"));
    q.open();
    QStringList letti;
    for (q.first(); !q.eof(); q.next()) letti << q.fieldByName("Nome").asString();
    QCOMPARE(letti, trovati);
}

void TestAccessSql::textIsCaseInsensitiveWithAccents()
{
    Seams seams;
    TestDatabase d(TestDatabase::Empty);
    d.exec("CREATE TABLE Clienti (Id INTEGER PRIMARY KEY AUTOINCREMENT, Nome TEXT COLLATE UNOCASE);"
           "INSERT INTO Clienti (Nome) VALUES ('CITTÀ DI FORLÌ'), ('bianchi'), ('Àrea'), ('Zeta'), ('alfa');");
    QCOMPARE(column(d.conn(), "select Nome from Clienti where Nome = 'città di forlì'", "Nome"), QStringList({"CITTÀ DI FORLÌ"}));
    QCOMPARE(column(d.conn(), "select Nome from Clienti where Nome like 'cit%'", "Nome"), QStringList({"CITTÀ DI FORLÌ"}));
    QCOMPARE(column(d.conn(), "select Nome from Clienti where Nome like '%forlì'", "Nome"), QStringList({"CITTÀ DI FORLÌ"}));
    QCOMPARE(column(d.conn(), "select Nome from Clienti where Nome like 'àr_a'", "Nome"), QStringList({"Àrea"}));
    QCOMPARE(column(d.conn(), "select Nome from Clienti where Nome < 'C' order by Nome", "Nome"), QStringList({"alfa", "bianchi"}));
    QCOMPARE(column(d.conn(), "select Nome from Clienti order by Nome", "Nome"),
             QStringList({"alfa", "bianchi", "CITTÀ DI FORLÌ", "Zeta", "Àrea"}));
}

void TestAccessSql::accessFunctions_data()
{
    QTest::addColumn<QString>("expr");
    QTest::addColumn<QString>("expected");
    QTest::newRow("year") << "Year(#12/31/2025 23.59.59#)" << "2025";
    QTest::newRow("month") << "Month(#2/3/2026#)" << "2";
    QTest::newRow("day") << "Day(#2/3/2026#)" << "3";
    QTest::newRow("year of null") << "Year(null)" << "";
    QTest::newRow("iif true") << "IIf(1 > 0, 'si', 'no')" << "si";
    QTest::newRow("iif null") << "IIf(null, 'si', 'no')" << "no";
    QTest::newRow("nz") << "Nz(null, 5)" << "5";
    QTest::newRow("nz value") << "Nz(7, 5)" << "7";
    QTest::newRow("date is the clock") << "Date()" << "2026-03-15 00:00:00";
    QTest::newRow("now is the clock") << "Now()" << "2026-03-15 10:30:00";
    QTest::newRow("dateserial overflow") << "DateSerial(2025, 13, 1)" << "2026-01-01 00:00:00";
    QTest::newRow("dateadd month") << "DateAdd('m', 1, #1/31/2026#)" << "2026-02-28 00:00:00";
    QTest::newRow("datediff days") << "DateDiff('d', #1/1/2026#, #3/1/2026#)" << "59";
    QTest::newRow("format date") << "Format(#3/9/2026#, 'dd/mm/yyyy')" << "09/03/2026";
    QTest::newRow("format number") << "Format(1234.5, '0.00')" << "1234,50";
    QTest::newRow("mid") << "Mid('Pellavantoria', 6, 4)" << "vant";
    QTest::newRow("ucase accent") << "UCase('città')" << "CITTÀ";
    QTest::newRow("clng halves to even") << "CLng(2.5)" << "2";
    QTest::newRow("int floors") << "Int(-2.5)" << "-3";
}

void TestAccessSql::accessFunctions()
{
    QFETCH(QString, expr);
    QFETCH(QString, expected);
    Seams seams;
    TestDatabase d(TestDatabase::Empty);
    QCOMPARE(d.scalar("select " + expr).toString(), expected);
}

void TestAccessSql::storedDatesAreRead_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("read"); // Year|Month|Day|Hour|Minute|as "&" shows it
    QTest::newRow("midnight") << "2025-03-02 00:00:00" << "2025|3|2|0|0|02/03/2025";
    QTest::newRow("with time") << "2025-12-31 23:59:07" << "2025|12|31|23|59|31/12/2025 23:59:07";
    QTest::newRow("leap day") << "2024-02-29 00:00:00" << "2024|2|29|0|0|29/02/2024";
    QTest::newRow("date alone") << "2025-03-02" << "2025|3|2|0|0|2025-03-02";
    QTest::newRow("T separator") << "2025-03-02T08:30:00" << "2025|3|2|8|30|02/03/2025 08:30:00";
    QTest::newRow("no seconds") << "2025-03-02 08:30" << "2025|3|2|8|30|2025-03-02 08:30";
    QTest::newRow("day first") << "02/03/2025" << "2025|3|2|0|0|02/03/2025";
    QTest::newRow("no such day") << "2025-02-29 00:00:00" << "|||||2025-02-29 00:00:00";
    QTest::newRow("no such hour") << "2025-03-02 24:00:00" << "|||||2025-03-02 24:00:00";
    QTest::newRow("letters in the time") << "2025-03-02 1a:00:00" << "|||||2025-03-02 1a:00:00";
    QTest::newRow("not a date") << "abc" << "|||||abc";
}

void TestAccessSql::storedDatesAreRead()
{
    QFETCH(QString, stored);
    QFETCH(QString, read);
    Seams seams;
    TestDatabase d(TestDatabase::Empty);
    QCOMPARE(d.conn().scalar("select Year(:d) & '|' & Month(:d) & '|' & Day(:d) & '|' & Hour(:d) & '|' & Minute(:d) & '|' & :d",
                      {{":d", stored}})
                 .toString(),
             read);
}

void TestAccessSql::badDateLiteralIsAnError()
{
    QVERIFY_THROWS_EXCEPTION(db::DbError, db::AccessSql::translate("select * from t where Data < #31/31/2026#"));
    QVERIFY_THROWS_EXCEPTION(db::DbError, db::AccessSql::translate("select * from t where Data < #1/1/2026"));
}

void TestAccessSql::scriptSplitKeepsLiterals()
{
    const QStringList parts = db::AccessSql::splitScript("update a set b = 'x;y';\n\n ; alter table [c;d] add e TEXT(5);  ");
    QCOMPARE(parts, QStringList({"update a set b = 'x;y'", "alter table [c;d] add e TEXT(5)"}));
    QVERIFY(db::AccessSql::splitScript(" ;\n; ").isEmpty());
}

void TestAccessSql::commentNeverSwallowsTheNextLine()
{
    Seams seams;
    TestDatabase d(TestDatabase::Empty);
    d.exec("CREATE TABLE Colori (Id INTEGER PRIMARY KEY AUTOINCREMENT, Descrizione TEXT COLLATE UNOCASE, Note TEXT);"
           "INSERT INTO Colori (Descrizione) VALUES ('x'), ('rosso'), ('verde'), ('blu');");
    const QString script = "-- prove; di aggiornamento\n"
                           "delete * from Colori -- prove\nwhere Descrizione = 'x';\n"
                           "UPDATE Colori SET Note = 'n;1' -- nota; con punto e virgola\r\n  WHERE Descrizione = 'rosso';\n"
                           "/* blocco; */ update Colori set Note = 'v' /* ; */ where Descrizione = 'verde';\n"
                           "-- fine";
    const QStringList parts = db::AccessSql::splitScript(script);
    QCOMPARE(parts.size(), 3);
    QList<int> changed;
    for (const QString &p : parts) changed << d.conn().execute(p);
    QCOMPARE(changed, QList<int>({1, 1, 1}));
    QCOMPARE(column(d.conn(), "select Descrizione & '=' & Note as r from Colori order by Id", "r"),
             QStringList({"rosso=n;1", "verde=v", "blu="}));
}

void TestAccessSql::transactionStatements_data()
{
    QTest::addColumn<QString>("statement");
    QTest::addColumn<bool>("transaction");
    QTest::newRow("begin") << "BEGIN" << true;
    QTest::newRow("begin transaction") << "begin transaction" << true;
    QTest::newRow("begin immediate") << "Begin Immediate Transaction" << true;
    QTest::newRow("commit") << "COMMIT" << true;
    QTest::newRow("end") << "end transaction" << true;
    QTest::newRow("rollback to") << "ROLLBACK TO sp1" << true;
    QTest::newRow("savepoint") << "SAVEPOINT a" << true;
    QTest::newRow("release") << "release savepoint a" << true;
    QTest::newRow("after comments") << "-- apre\n /* sì */ BEGIN" << true;
    QTest::newRow("update") << "update t set Fine = 1 where Commit = 0" << false;
    QTest::newRow("longer word") << "BEGINNING" << false;
    QTest::newRow("word in a literal") << "select 'begin'" << false;
    QTest::newRow("bracketed name") << "[commit]" << false;
    QTest::newRow("commented out") << "-- commit" << false;
    QTest::newRow("empty") << "" << false;
}

void TestAccessSql::transactionStatements()
{
    QFETCH(QString, statement);
    QFETCH(bool, transaction);
    QCOMPARE(db::AccessSql::isTransactionStatement(statement), transaction);
}

void TestAccessSql::deepNestingIsAnError()
{
    const QString open(100000, u'('), close(100000, u')');
    const QStringList deep = {"select " + open + "1" + close + " as a",
                              "UPDATE " + open + "a INNER JOIN b ON a.x = b.x" + close + " SET a.y = 1"};
    for (const QString &sql : deep) {
        try {
            db::AccessSql::translate(sql);
            QFAIL("no error");
        } catch (const db::DbError &e) {
            QVERIFY2(e.message().startsWith("Query non valida: troppe parentesi una dentro l'altra"),
                     qPrintable(e.message().left(200)));
        }
    }
    // The depth the program's own queries reach is far below the limit.
    const QString ten = "select * from " + QString(10, u'(') + "t" + QString(10, u')');
    QCOMPARE(db::AccessSql::translate(ten), ten);
}

void TestAccessSql::connectionRefusesNonDatabaseFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("non_un_db.db");
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(4096, 'x'));
    f.close();
    db::Connection c;
    QVERIFY(!c.open(path));
    QVERIFY(!c.error().isEmpty());
    QVERIFY(!c.isOpen());
}

void TestAccessSql::accessDdlRunsAndNewColumnsAreEditable()
{
    Seams seams;
    TestDatabase d(TestDatabase::Empty);
    auto &c = d.conn();
    c.execute("CREATE TABLE Prova (Id COUNTER, Flag YESNO, Importo CURRENCY, Note MEMO, Il DATETIME)");
    c.execute("insert into Prova (Note) values ('prima')");
    db::Query q(&c);
    q.setSql("select * from Prova");
    q.open();
    QCOMPARE(q.fieldByName("Flag").asInteger(), 0);
    // A column added after the table was read is known, and written, like the others.
    c.execute("ALTER TABLE Prova ADD Nuova TEXT(50)");
    db::Query r(&c);
    r.setSql("select Id, Nuova from Prova");
    r.open();
    r.fieldByName("Nuova").setAsString("Scritta");
    QVERIFY2(r.post(), qPrintable(r.lastError()));
    QCOMPARE(d.scalar("select Nuova from Prova where Nuova = 'SCRITTA'").toString(), QString("Scritta"));
}
