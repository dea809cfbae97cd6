#include "tst_templates.h"

#include "Fields.h"
#include "Request.h"
#include "Template.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace stampa;

namespace {

QString errorOf(const QString &text)
{
    try {
        parseTemplate(text, QStringLiteral("Prova.rpt"));
    } catch (const ReportError &e) {
        return e.message();
    }
    return QString();
}

DataSet oneRow(const QStringList &columns, const QVariantList &values, const QList<db::FieldType> &types)
{
    DataSet s;
    s.present = true;
    for (int i = 0; i < columns.size(); ++i) s.addColumn(columns[i], types[i]);
    s.rows.push_back(std::vector<QVariant>(values.begin(), values.end()));
    return s;
}

} // namespace

void TestTemplates::readsAListTemplate()
{
    const Template t = parseTemplate(QStringLiteral("# elenco\n"
                                                    "[report]\n"
                                                    "titolo = Elenco fatture\n"
                                                    "orientamento = orizzontale\n"
                                                    "\n"
                                                    "[tabella]\n"
                                                    "raggruppa = Cliente\n"
                                                    "intestazione = Cliente: {Cliente}\n"
                                                    "colonna = DataFattura | Data | 10 | data\n"
                                                    "colonna = {Numero}[[/{SerieFatturazione}]] | Numero | 8\n"
                                                    "colonna = TotFattura | Totale | 12 | valuta\n"
                                                    "colonna = FattNota | Tipo | 8 | sino=Nota/Fattura\n"
                                                    "totali = TotFattura\n"),
                                     QStringLiteral("FattureLista.rpt"));
    QCOMPARE(t.orientation, QPageLayout::Landscape);
    QCOMPARE(t.blocks.size(), size_t(1));
    const Block &b = t.blocks.front();
    QCOMPARE(b.kind, Block::Table);
    QCOMPARE(b.columns.size(), size_t(4));
    QCOMPARE(b.columns[0].value.bareField(), QStringLiteral("DataFattura"));
    QCOMPARE(b.columns[0].format.kind, Format::Date);
    QCOMPARE(b.columns[1].value.bareField(), QString()); // a text with two fields
    QCOMPARE(b.columns[1].value.fields(), QStringList({"Numero", "SerieFatturazione"}));
    QCOMPARE(b.columns[2].caption, QStringLiteral("Totale"));
    QCOMPARE(b.columns[2].width, 12.0);
    QCOMPARE(b.columns[3].format.yes, QStringLiteral("Nota"));
    QCOMPARE(b.columns[3].format.no, QStringLiteral("Fattura"));
    QCOMPARE(b.groupBy.bareField(), QStringLiteral("Cliente"));
    QCOMPARE(b.totals, QStringList{"TotFattura"});
}

void TestTemplates::readsADocumentTemplate()
{
    const Template t = parseTemplate(QStringLiteral("[report]\n"
                                                    "titolo = Fattura n. {Num} del {FatturaData:data}\n"
                                                    "[calcoli]\n"
                                                    "Netto = Um * ValoreUnitario * (100 - max(Sconto, 0)) / 100\n"
                                                    "[riquadro]\n"
                                                    "larghezza = 50\n"
                                                    "grande = {Cliente}\n"
                                                    "campo = Targa | {Targa}\n"
                                                    "[riquadro]\n"
                                                    "larghezza = 50\n"
                                                    "allinea = destra\n"
                                                    "bordo = no\n"
                                                    "totale = Totale | {TotFattura:valuta}\n"
                                                    "[tabella]\n"
                                                    "sorgente = sottoreport1\n"
                                                    "escludi se = NonVisualizzareStampa\n"
                                                    "colonna = Importo | Importo | 10 | valuta\n"
                                                    "[dettaglio]\n"
                                                    "sorgente = sottoreport2\n"
                                                    "collega = Fattura_ID = Fattura_ID\n"
                                                    "colonna = Note | Note\n"),
                                     QStringLiteral("Fatture.rpt"));
    QCOMPARE(t.orientation, QPageLayout::Portrait);
    QCOMPARE(t.title.fields(), QStringList({"Num", "FatturaData"}));
    QCOMPARE(t.calcs.size(), size_t(1));
    QCOMPARE(t.calcs[0].expression.names(), QStringList({"Um", "ValoreUnitario", "Sconto"}));
    QCOMPARE(t.blocks.size(), size_t(4));
    QCOMPARE(t.blocks[0].entries.size(), size_t(2));
    QCOMPARE(t.blocks[0].entries[1].kind, Entry::Field);
    QCOMPARE(t.blocks[0].entries[1].label, QStringLiteral("Targa"));
    QVERIFY(t.blocks[1].alignRight);
    QVERIFY(!t.blocks[1].border);
    QCOMPARE(t.blocks[2].source, Source::Sub1);
    QCOMPARE(t.blocks[2].skipIf, QStringLiteral("NonVisualizzareStampa"));
    QCOMPARE(t.blocks[3].kind, Block::Detail);
    QCOMPARE(t.blocks[3].linkParent, QStringLiteral("Fattura_ID"));
    QCOMPARE(t.blocks[3].columns[0].width, 10.0); // the default
}

void TestTemplates::rejectsBrokenTemplates_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    const QString table = QStringLiteral("[tabella]\ncolonna = A | A\n");
    QTest::newRow("nothing to print") << "[report]\ntitolo = Vuoto\n" << "non contiene riquadri";
    QTest::newRow("unknown section") << "[tabelle]\n" << "riga 1): sezione sconosciuta [tabelle]";
    QTest::newRow("unknown key") << table + "colore = rosso\n" << "riga 3): chiave sconosciuta \"colore\"";
    QTest::newRow("line without key") << table + "solo testo\n" << "riga 3): riga non valida";
    QTest::newRow("key outside a section") << "titolo = X\n" << "fuori da ogni sezione";
    QTest::newRow("unknown format") << "[tabella]\ncolonna = A | A | 10 | euro\n" << "formato sconosciuto \"euro\"";
    QTest::newRow("unclosed placeholder") << "[riquadro]\nriga = Totale {TotFattura\n" << "manca '}'";
    QTest::newRow("unclosed optional part") << "[riquadro]\nriga = [[Fax {Fax}\n" << "manca ']]'";
    QTest::newRow("bad field name") << "[riquadro]\nriga = {Tot Fattura}\n" << "nome di campo non valido";
    QTest::newRow("table without columns") << "[tabella]\ntitolo = X\n" << "riga 1): la tabella non ha colonne";
    QTest::newRow("total without its column") << table + "totali = B\n" << "il totale \"B\" non ha una colonna";
    QTest::newRow("bad width") << "[tabella]\ncolonna = A | A | largo\n" << "atteso un numero";
    QTest::newRow("bad orientation") << "[report]\norientamento = obliquo\n" + table << "atteso verticale o orizzontale";
    QTest::newRow("detail first") << "[dettaglio]\ncollega = A = B\n" << "deve seguire una [tabella]";
    QTest::newRow("detail without link") << table + "[dettaglio]\nsorgente = sottoreport1\ncolonna = B | B\n"
                                         << "senza \"collega";
    QTest::newRow("bad calculation") << "[calcoli]\nNetto = Um * \n" + table << "calcolo \"Netto\"";
    QTest::newRow("labels with a table") << "[etichette]\nriga = {A}\n" + table << "non si combina";
    QTest::newRow("bad yes/no") << "[riquadro]\nbordo = forse\nriga = x\n" << "atteso \"si\" o \"no\"";
}

void TestTemplates::rejectsBrokenTemplates()
{
    QFETCH(QString, text);
    QFETCH(QString, message);
    const QString error = errorOf(text);
    QVERIFY2(error.startsWith(QStringLiteral("Modello di report non valido (Prova.rpt")), qPrintable(error));
    QVERIFY2(error.contains(message), qPrintable(error));
}

void TestTemplates::missingTemplateFileIsReported()
{
    QTemporaryDir dir;
    try {
        loadTemplate(dir.filePath(QStringLiteral("Manca.rpt")));
        QFAIL("a missing file was read");
    } catch (const ReportError &e) {
        QVERIFY2(e.message().startsWith(QStringLiteral("Modello di report non trovato")), qPrintable(e.message()));
    }
    try {
        findTemplate(dir.filePath(QStringLiteral("Manca.rpt")), dir.path());
        QFAIL("a missing template was found");
    } catch (const ReportError &e) {
        QVERIFY2(e.message().contains(QStringLiteral("Manca.rpt")), qPrintable(e.message()));
    }
}

void TestTemplates::formatsValuesInItalian_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("expected");
    const int real = int(db::FieldType::Float), text = int(db::FieldType::Text), date = int(db::FieldType::DateTime);
    const int integer = int(db::FieldType::Integer), yesNo = int(db::FieldType::Boolean);
    QTest::newRow("money with thousands") << QVariant(1234.56) << real << "valuta" << "1.234,56";
    QTest::newRow("money rounds to cents") << QVariant(1234.567) << real << "valuta" << "1.234,57";
    QTest::newRow("money of a whole number") << QVariant(1000000) << integer << "valuta" << "1.000.000,00";
    QTest::newRow("negative money") << QVariant(-45.5) << real << "valuta" << "-45,50";
    QTest::newRow("money zero") << QVariant(0.0) << real << "valuta" << "0,00";
    QTest::newRow("money null") << QVariant() << real << "valuta" << "";
    QTest::newRow("number trims zeros") << QVariant(1.5) << real << "numero" << "1,5";
    QTest::newRow("number whole") << QVariant(12345.0) << real << "numero" << "12.345";
    QTest::newRow("date of a stored date") << QVariant("2026-03-05 00:00:00") << date << "data" << "05/03/2026";
    QTest::newRow("date drops the time") << QVariant("2026-03-05 14:30:00") << date << "data" << "05/03/2026";
    QTest::newRow("automatic date keeps the time") << QVariant("2026-03-05 14:30:00") << date << "" << "05/03/2026 14:30:00";
    QTest::newRow("automatic midnight") << QVariant("2026-03-05 00:00:00") << date << "" << "05/03/2026";
    QTest::newRow("automatic real") << QVariant(2.25) << real << "" << "2,25";
    QTest::newRow("automatic integer has no separator") << QVariant(2026) << integer << "" << "2026";
    QTest::newRow("yes") << QVariant(1) << yesNo << "sino" << "Sì";
    QTest::newRow("no") << QVariant(0) << yesNo << "sino" << "No";
    QTest::newRow("own words") << QVariant(1) << yesNo << "sino=Acquisti/Vendite" << "Acquisti";
    QTest::newRow("automatic yes/no") << QVariant(0) << yesNo << "" << "No";
    QTest::newRow("text") << QVariant("Via Roma") << text << "testo" << "Via Roma";
}

void TestTemplates::formatsValuesInItalian()
{
    QFETCH(QVariant, value);
    QFETCH(int, type);
    QFETCH(QString, format);
    QFETCH(QString, expected);
    FieldFormat fieldFormat;
    if (!format.isEmpty()) QVERIFY(parseFormat(format, &fieldFormat));
    QCOMPARE(formatValue(value, db::FieldType(type), fieldFormat), expected);
}

void TestTemplates::optionalPartsVanishWhenEmpty()
{
    const DataSet s = oneRow({"Via", "Numero", "Fax", "Km", "Nota"}, {QStringLiteral("Via Roma"), QVariant(), QString(), 0.0, 0},
                             {db::FieldType::Text, db::FieldType::Text, db::FieldType::Text, db::FieldType::Float,
                              db::FieldType::Boolean});
    QHash<QString, QVariant> company{{"ragsoc", QStringLiteral("Soccorso Rossi")}};
    const Scope scope{&s, 0, &company, QVariant(150.0)};
    auto run = [&](const QString &text) -> QString {
        QString error;
        const TextTemplate t = TextTemplate::parse(text, &error);
        if (!error.isEmpty()) return QStringLiteral("<") + error + u'>';
        return expand(t, scope);
    };
    QCOMPARE(run("{Via}[[ {Numero}]]"), QStringLiteral("Via Roma"));
    QCOMPARE(run("[[Fax {Fax}]]"), QString());
    QCOMPARE(run("[[Km {Km}]]"), QString()); // zero counts as not given
    QCOMPARE(run("[[Nota di credito {Nota}]]"), QString());
    QCOMPARE(run("[[{Via}, {Fax}]]"), QStringLiteral("Via Roma, ")); // one value is enough
    QCOMPARE(run("{ditta.RagSoc} - {Parametro:valuta}"), QStringLiteral("Soccorso Rossi - 150,00"));
    QCOMPARE(run("riga 1\\nriga 2"), QStringLiteral("riga 1\nriga 2"));
    try {
        run("{Telefono}");
        QFAIL("an unknown field was printed");
    } catch (const ReportError &e) {
        QVERIFY(e.message().contains(QStringLiteral("\"Telefono\"")));
    }
}

void TestTemplates::computesExpressions_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("row");
    QTest::addColumn<double>("expected");
    QTest::newRow("row net with discount") << "Um * ValoreUnitario * (100 - max(Sconto, 0)) / 100" << 0 << 90.0;
    QTest::newRow("negative discount ignored") << "Um * ValoreUnitario * (100 - max(Sconto, 0)) / 100" << 1 << 30.0;
    QTest::newRow("precedence") << "2 + 3 * 4 - 10 / 5" << 0 << 12.0;
    QTest::newRow("unary minus") << "-Um + 1" << 0 << -1.0;
    QTest::newRow("sum over the rows") << "somma(Um * ValoreUnitario)" << 1 << 130.0;
    QTest::newRow("division by zero prints zero") << "ValoreUnitario / (Um - Um)" << 0 << 0.0;
    QTest::newRow("decimal number") << "ValoreUnitario * 0.22" << 0 << 11.0;
}

void TestTemplates::computesExpressions()
{
    QFETCH(QString, text);
    QFETCH(int, row);
    QFETCH(double, expected);
    // Two rows: quantity 2 at 50 with 10% discount; quantity 1 at 30 with a negative discount.
    const double rows[2][3] = {{2, 50, 10}, {1, 30, -5}};
    Expression::Context ctx;
    ctx.rows = 2;
    ctx.value = [&](const QString &name, int r) {
        const int c = name == u"Um" ? 0 : name == u"ValoreUnitario" ? 1 : 2;
        return rows[r][c];
    };
    QString error;
    const Expression e = Expression::parse(text, &error);
    QVERIFY2(e.isValid(), qPrintable(error));
    QCOMPARE(e.evaluate(ctx, row), expected);
}

void TestTemplates::rejectsBadExpressions_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::newRow("dangling operator") << "Um *" << "incompleta";
    QTest::newRow("unclosed parenthesis") << "(Um + 1" << "manca ')'";
    QTest::newRow("unknown function") << "media(Um)" << "funzione sconosciuta 'media'";
    QTest::newRow("stray character") << "Um ; 2" << "carattere inatteso ';'";
}

void TestTemplates::rejectsBadExpressions()
{
    QFETCH(QString, text);
    QFETCH(QString, message);
    QString error;
    QVERIFY(!Expression::parse(text, &error).isValid());
    QVERIFY2(error.contains(message), qPrintable(error));
}

void TestTemplates::everyReportFileExistsAndReads_data()
{
    QTest::addColumn<QString>("name");
    // The report files the program's print requests name, portrait and landscape.
    const QStringList pairs = {
        "Clienti", "Tariffe", "Fornitori", "NoteCredito", "NoteCreditoNoRigaIva", "Preventivi", "PreventiviNoRigaIva",
        "Fatture", "FattureNoRigaIva", "NotaCreditoFornitoreLista", "FattureLista", "CaricoLista", "Avvisi",
        "NoteCreditoLista", "PreventiviLista", "PrivacyClienti", "PrivacyFornitori", "PrimaNotaSituazioneClienti",
        "PrimaNota", "PrimaNotaClienti", "PrimaNotaFornitori", "SituazioneClienti", "SituazioneFornitori", "Bilancio",
        "ChiusuraIva", "PrimaNotaSituazioneFornitori", "Scadenziario", "Pagamenti", "PrimaNotaBanca", "PrimaNotaMese",
        "ContabilitaSituazioneConto", "ChiusuraIvaMensile", "ScadenziarioFornitori", "PagamentiFornitori", "Sequestri",
        "PersonaleCosti", "Cisterne", "Calendario", "Personale", "SequestriNonDissequestrati", "VettureCosti",
        "VettureCarburante", "VettureCostiElenco", "VettureCarburanteElenco", "VettureGenerale", "VettureScadenze",
        "VettureSchede", "VettureScadenzeElenco", "VettureElenco", "PersonaleScadenze", "VettureCaricoRighe",
        "PrivacyPersonale", "PersonaleStipendi", "PersonaleStipendiMese", "PersonaleStipendiDescrizioni"};
    QStringList names;
    for (const QString &p : pairs) names << p + ".rpt" << p + "Lan.rpt";
    names << "Preventivi2.rpt" << "PreventiviLan2.rpt" << "Etichette.rpt" << "EtichetteClienti.rpt" << "EtichetteAzienda.rpt";
    for (const QString &n : names) QTest::newRow(qPrintable(n)) << n;
}

void TestTemplates::everyReportFileExistsAndReads()
{
    QFETCH(QString, name);
    const QString path = QDir(QStringLiteral(REPORTS_DIR)).filePath(name);
    try {
        const Template t = loadTemplate(path);
        QCOMPARE(t.orientation, name.contains(QStringLiteral("Lan")) ? QPageLayout::Landscape : QPageLayout::Portrait);
    } catch (const ReportError &e) {
        QFAIL(qPrintable(e.message()));
    }
}
