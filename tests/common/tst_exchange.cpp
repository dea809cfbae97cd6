#include "tst_exchange.h"

#include "common/ContentLines.h"
#include "common/ICal.h"
#include "common/TextUtils.h"
#include "common/VCard.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>

using namespace common;

using Slot = QMap<int, QString>;

namespace {

template <typename Record> Record record(const Slot &slot)
{
    Record r;
    for (auto it = slot.begin(); it != slot.end(); ++it) r.campi[it.key()] = it.value();
    return r;
}

// The slots that hold text, to compare a whole record at once.
template <typename Record> Slot pieni(const Record &r)
{
    Slot out;
    for (int i = 0; i < Record::NumeroCampi; ++i)
        if (!r.campi[i].isEmpty()) out.insert(i, r.campi[i]);
    return out;
}

QString scriviFile(const QTemporaryDir &dir, const QByteArray &byte, const QString &nome = "contatti.vcf")
{
    const QString percorso = dir.filePath(nome);
    QFile f(percorso);
    if (f.open(QIODevice::WriteOnly)) f.write(byte);
    return percorso;
}

// A card's lines between VERSION and END, each ended by CR LF.
QString scheda(const QStringList &righe)
{
    return "BEGIN:VCARD\r\nVERSION:4.0\r\n" + righe.join("\r\n") + "\r\nEND:VCARD\r\n";
}

// Runs a Python script of Debian's on a file and returns what it prints as JSON.
QJsonObject python(const QString &script, const QString &percorso)
{
    QProcess p;
    p.start("/usr/bin/python3", {"-c", script, percorso});
    p.waitForFinished(-1);
    const QByteArray errori = p.readAllStandardError();
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) qWarning("python3: %s", errori.constData());
    return QJsonDocument::fromJson(p.readAllStandardOutput()).object();
}

// Runs the pinned independent parsers (tests/common/checkers, installed by the test fixture) on
// a file. False, with the reason, when they cannot run: a missing checker fails the test.
bool controlla(const QString &tipo, const QString &percorso, QJsonObject &esito, QString &problema)
{
    const QString cartella = qEnvironmentVariable("PELLA_CHECKERS");
    for (const QString &file : {QString("check.mjs"), QString("node_modules/ical.js/package.json"), QString("node_modules/vcard4/package.json")})
        if (cartella.isEmpty() || !QFile::exists(cartella + '/' + file)) {
            problema = "checker missing: " + cartella + '/' + file + " (npm ci in the checkers folder)";
            return false;
        }
    QProcess p;
    p.start("node", {cartella + "/check.mjs", tipo, percorso});
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        problema = "node: " + p.errorString() + ' ' + QString::fromUtf8(p.readAllStandardError());
        return false;
    }
    esito = QJsonDocument::fromJson(p.readAllStandardOutput()).object();
    return true;
}

QStringList errori(const QJsonObject &esito)
{
    QStringList out;
    for (const QJsonValue &e : esito.value("errors").toArray()) out << e.toString();
    return out;
}

// True when the independent parsers find the file valid, with the components they read.
bool valido(const QString &tipo, const QString &percorso, QJsonArray &componenti, QString &problema)
{
    QJsonObject esito;
    if (!controlla(tipo, percorso, esito, problema)) return false;
    problema = errori(esito).join(" / ");
    componenti = esito.value("components").toArray();
    return problema.isEmpty();
}

// A component as the parser read it, one text per property: name, parameters, value type and
// value ("tel;type=HOME,VOICE uri: 0543 111111"); compound values as a JSON array.
QStringList comeLetto(const QJsonValue &componente)
{
    QStringList out;
    for (const QJsonValue &v : componente.toArray()) {
        const QJsonArray p = v.toArray();
        if (p[0].toString() == "version") continue;
        QString riga = p[0].toString();
        const QJsonObject parametri = p[1].toObject();
        for (auto it = parametri.begin(); it != parametri.end(); ++it) {
            const QJsonValue v = it.value();
            QStringList valori;
            for (const QJsonValue &x : v.isArray() ? v.toArray() : QJsonArray{v}) valori << x.toString();
            riga += ';' + it.key() + '=' + valori.join(',');
        }
        QJsonArray valori;
        for (qsizetype i = 3; i < p.size(); ++i) valori << p[i];
        const QString valore = valori.size() == 1 && !valori[0].isArray()
                                   ? valori[0].toVariant().toString()
                                   : QString::fromUtf8(QJsonDocument(valori.size() == 1 ? valori[0].toArray() : valori).toJson(QJsonDocument::Compact));
        out << riga + ' ' + p[2].toString() + ": " + valore;
    }
    return out;
}

// Contacts that exercise the format: every slot with separators, accents and a street number;
// long accented and non-Latin text that folds across multi-byte characters; no name and no
// organisation; a given name alone with dates in the database's form; a birthday that is text.
const QString notaLunga = "Cliente dal 2019; paga a 30 gg, fine mese.\nArchivio: C:\\clienti\\nuovi\r\nUltima riga \\ fine";
QList<Slot> contatti()
{
    return {
        {{0, "D'Angelo, jr."},        {1, "Nicolò"},          {2, "Maria; Luisa"},     {3, "Dott."},
         {4, "II"},                   {5, "Società Trasporti Forlì; Cesena s.n.c."},   {6, "Titolare"},
         {7, "/home/ufficio/foto ritratti/nicolò.jpg"},       {8, "0543 111111"},      {9, "0543 222222"},
         {10, "0543 333333"},         {11, "0543 444444"},    {12, "0543 555555"},     {13, "0543 666666"},
         {14, "333 1111111"},         {15, "333 2222222"},    {16, "347 3333333"},     {17, "347 4444444"},
         {18, "nicolo@casa.it"},      {19, "n2@casa.it"},     {20, "n3@casa.it"},      {21, "n4@casa.it"},
         {22, "ufficio@ditta.it"},    {23, "u2@ditta.it"},    {24, "u3@ditta.it"},     {25, "u4@ditta.it"},
         {26, "https://www.esempio.it/a,b;c"},                {27, "www.ditta.it"},    {28, "Via Aurelio Saffi"},
         {29, "Viale dell'Appennino"}, {30, "FC"},            {31, "RA"},              {32, "Forlì"},
         {33, "Faenza"},              {34, "12/A"},           {35, "3"},               {36, "47121"},
         {37, "48018"},               {38, "Magazzino: via Emilia, 12; cancello 2"},   {39, "7"},
         {40, "PellavantoriaC"},      {41, notaLunga},        {42, "Responsabile acquisti"},
         {43, "20240105"},            {44, "19800131"},       {45, "Chiave, pubblica"}, {46, "44.2225,12.0408"},
         {47, "Officine, carrozzerie"}},
        {{0, "Ferrari"}, {1, "Zoë"},
         {5, "Autotrasporti Città di Forlì — 北京运输公司 — Ελληνικές μεταφορές — soccorso 🚚 sempre aperto"},
         {41, "a" + QString(40, QChar(0xe8)) + QString("运输").repeated(15) + QString("🚚").repeated(10) + "ò"}},
        {{8, "0543 999999"}},
        {{1, "Mario"}, {43, "2024-02-29 00:00:00"}, {44, "1975-04-30"}},
        {{0, "Verdi"}, {44, "circa 1950"}},
    };
}

} // namespace

void TestExchange::foldsLines_data()
{
    QTest::addColumn<QString>("riga");
    QTest::addColumn<QString>("scritta");
    const QString a74(74, 'a');
    QTest::newRow("short line") << "FN:Rossi" << "FN:Rossi\r\n";
    QTest::newRow("75 octets stay on one line") << QString(75, 'A') << QString(75, 'A') + "\r\n";
    QTest::newRow("the 76th octet folds") << QString(76, 'A') << QString(75, 'A') + "\r\n A\r\n";
    QTest::newRow("a continuation holds 74 octets after its blank")
        << QString(75 + 74 + 1, 'A') << QString(75, 'A') + "\r\n " + QString(74, 'A') + "\r\n A\r\n";
    QTest::newRow("two-octet letter that fits") << QString(73, 'a') + "è" << QString(73, 'a') + "è\r\n";
    QTest::newRow("two-octet letter not split") << a74 + "èb" << a74 + "\r\n èb\r\n";
    QTest::newRow("three-octet character not split") << QString(73, 'a') + "北" << QString(73, 'a') + "\r\n 北\r\n";
    QTest::newRow("four-octet character that fits") << QString(71, 'a') + "🚚" << QString(71, 'a') + "🚚\r\n";
    QTest::newRow("four-octet character not split") << QString(72, 'a') + "🚚x" << QString(72, 'a') + "\r\n 🚚x\r\n";
    QTest::newRow("empty") << "" << "\r\n";
}

void TestExchange::foldsLines()
{
    QFETCH(QString, riga);
    QFETCH(QString, scritta);
    QCOMPARE(RigaContenuto(riga), scritta);
}

void TestExchange::escapesText_data()
{
    QTest::addColumn<QString>("testo");
    QTest::addColumn<bool>("puntoEVirgola");
    QTest::addColumn<QString>("scritto");
    QTest::addColumn<QString>("letto"); // the escapes undone
    QTest::newRow("single value") << "a,b;c\\d\ne" << false << "a\\,b;c\\\\d\\ne" << "a,b;c\\d\ne";
    QTest::newRow("component or iCalendar text") << "a,b;c\\d\ne" << true << "a\\,b\\;c\\\\d\\ne" << "a,b;c\\d\ne";
    QTest::newRow("CR LF and CR are line breaks") << "a\r\nb\rc" << false << "a\\nb\\nc" << "a\nb\nc";
    QTest::newRow("backslash before n") << "C:\\nuovi\\" << true << "C:\\\\nuovi\\\\" << "C:\\nuovi\\";
    QTest::newRow("nothing to escape") << "Forlì: 47121" << true << "Forlì: 47121" << "Forlì: 47121";
}

void TestExchange::escapesText()
{
    QFETCH(QString, testo);
    QFETCH(bool, puntoEVirgola);
    QFETCH(QString, scritto);
    QFETCH(QString, letto);
    QCOMPARE(TestoEscape(testo, puntoEVirgola), scritto);
    QCOMPARE(TestoSenzaEscape(scritto), letto);
}

void TestExchange::writesCard_data()
{
    QTest::addColumn<Slot>("slot");
    QTest::addColumn<QString>("testo");
    QTest::newRow("name only") << Slot{{0, "Rossi"}, {1, "Mario"}} << scheda({"FN:Mario Rossi", "N:Rossi;Mario;;;"});
    QTest::newRow("family name only") << Slot{{0, "Rossi"}} << scheda({"FN:Rossi", "N:Rossi;;;;"});
    QTest::newRow("given name only") << Slot{{1, "Mario"}} << scheda({"FN:Mario", "N:;Mario;;;"});
    QTest::newRow("organisation names the card")
        << Slot{{0, "Bianchi"}, {5, "Officina Bianchi; snc"}}
        << scheda({"FN:Officina Bianchi; snc", "N:Bianchi;;;;", "ORG:Officina Bianchi\\; snc"});
    QTest::newRow("no name, no organisation") << Slot{{6, "Autista"}} << scheda({"FN:", "TITLE:Autista"});
    QTest::newRow("empty record") << Slot{} << scheda({"FN:"});
    QTest::newRow("separators in values")
        << Slot{{0, "D'Angelo, jr."}, {26, "http://a,b;c.it"}, {28, "Via Roma; scala B"}, {32, "Forlì"}, {36, "47121"}}
        << scheda({"FN:D'Angelo\\, jr.", "N:D'Angelo\\, jr.;;;;", "URL;TYPE=HOME:http://a,b;c.it",
                   "ADR;TYPE=HOME:;;Via Roma\\; scala B N°;Forlì;;47121;"});
    QTest::newRow("multi-line note")
        << Slot{{41, "Paga a 30 gg, fine mese;\nchiamare C:\\archivio\r\nprima\rdelle 12"}}
        << scheda({"FN:", "NOTE:Paga a 30 gg\\, fine mese;\\nchiamare C:\\\\archivio\\nprima\\ndelle 12"});
    QTest::newRow("long note folded")
        << Slot{{41, QString(80, 'x')}} << scheda({"FN:", "NOTE:" + QString(70, 'x') + "\r\n " + QString(10, 'x')});
    QTest::newRow("birthday") << Slot{{44, "19800131"}} << scheda({"FN:", "BDAY:19800131"});
    QTest::newRow("birthday with dashes") << Slot{{44, "1980-01-31"}} << scheda({"FN:", "BDAY:19800131"});
    QTest::newRow("birthday stored with a time") << Slot{{44, "1980-01-31 00:00:00"}} << scheda({"FN:", "BDAY:19800131"});
    QTest::newRow("birthday that is no date") << Slot{{44, "circa 1950, forse"}} << scheda({"FN:", "BDAY;VALUE=text:circa 1950\\, forse"});
    QTest::newRow("impossible date") << Slot{{44, "19800231"}} << scheda({"FN:", "BDAY;VALUE=text:19800231"});
    QTest::newRow("revision") << Slot{{43, "2024-01-05"}} << scheda({"FN:", "REV:20240105T000000Z"});
    QTest::newRow("revision that is no date") << Slot{{43, "ieri"}} << scheda({"FN:"});
    QTest::newRow("photo path") << Slot{{7, "/foto/mio ritratto.jpg"}}
                                << scheda({"FN:", "PHOTO;MEDIATYPE=image/jpg:file:///foto/mio%20ritratto.jpg"});
    QTest::newRow("photo address without extension")
        << Slot{{7, "https://esempio.it/foto"}} << scheda({"FN:", "PHOTO:https://esempio.it/foto"});
    QTest::newRow("every property in order")
        << Slot{{5, "Ditta"},          {6, "Titolo"},         {7, "/foto/ritratto.jpg"}, {8, "1"},
                {9, "2"},              {10, "3"},             {11, "4"},                 {12, "5"},
                {13, "6"},             {14, "7"},             {15, "8"},                 {16, "9"},
                {17, "10"},            {18, "a@casa.it"},     {21, "d@casa.it"},         {22, "e@ditta.it"},
                {25, "h@ditta.it"},    {27, "www.ditta.it"},  {29, "Via Emilia"},        {31, "FC"},
                {33, "Cesena"},        {35, "12"},            {37, "47521"},             {38, "Etichetta"},
                {39, "42"},            {40, "pellavantoriap"}, {41, "Nota"},             {42, "Ruolo"},
                {43, "20240105"},      {44, "19800101"},      {45, "Chiave"},            {46, "44.2,12.0"},
                {47, "Clienti"}}
        << scheda({"FN:Ditta", "CATEGORIES:Clienti", "URL;TYPE=WORK:www.ditta.it", "ORG:Ditta", "TITLE:Titolo",
                   "PHOTO;MEDIATYPE=image/jpg:file:///foto/ritratto.jpg", "TEL;TYPE=HOME,VOICE:1", "TEL;TYPE=HOME,VOICE:2",
                   "TEL;TYPE=WORK,VOICE:4", "TEL;TYPE=WORK,VOICE:5", "TEL;TYPE=HOME,FAX:3", "TEL;TYPE=WORK,FAX:6",
                   "TEL;TYPE=HOME,CELL,VOICE:7", "TEL;TYPE=HOME,CELL,VOICE:8", "TEL;TYPE=WORK,CELL,VOICE:9",
                   "TEL;TYPE=WORK,CELL,VOICE:10", "EMAIL;TYPE=HOME;PREF=1:a@casa.it", "EMAIL;TYPE=HOME;PREF=1:d@casa.it",
                   "EMAIL;TYPE=WORK;PREF=1:e@ditta.it", "EMAIL;TYPE=WORK;PREF=1:h@ditta.it",
                   "ADR;TYPE=WORK:;;Via Emilia N°12;Cesena;FC;47521;", "UID;VALUE=text:pellavantoriap42", "NOTE:Nota",
                   "ROLE:Ruolo", "GEO:geo:44.2,12.0", "KEY;VALUE=text:Chiave", "REV:20240105T000000Z", "BDAY:19800101",
                   "X-LABEL;VALUE=text:Etichetta"});
}

void TestExchange::writesCard()
{
    QFETCH(Slot, slot);
    QFETCH(QString, testo);
    QCOMPARE(ScriviVCard(record<Vcard4>(slot)), testo);
}

void TestExchange::cardsPassStrictParsers()
{
    QString testo;
    for (const Slot &s : contatti()) testo += ScriviVCard(record<Vcard4>(s));
    QTemporaryDir dir;
    const QString percorso = dir.filePath("contatti.vcf");
    ScriviFileTesto(percorso, testo, false);
    QJsonArray schede;
    QString problema;
    QVERIFY2(valido("vcard", percorso, schede, problema), qPrintable(problema));
    QCOMPARE(schede.size(), 5);

    const QString nota = QString(notaLunga).replace("\r\n", "\n");
    QCOMPARE(comeLetto(schede[0]),
             QStringList({"fn text: Società Trasporti Forlì; Cesena s.n.c.",
                          R"(n text: ["D'Angelo, jr.","Nicolò","Maria; Luisa","Dott.","II"])",
                          "categories text: Officine, carrozzerie",
                          "url;type=HOME uri: https://www.esempio.it/a,b;c",
                          "url;type=WORK uri: www.ditta.it",
                          "org text: Società Trasporti Forlì; Cesena s.n.c.",
                          "title text: Titolare",
                          "photo;mediatype=image/jpg uri: file:///home/ufficio/foto%20ritratti/nicol%C3%B2.jpg",
                          "tel;type=HOME,VOICE uri: 0543 111111",
                          "tel;type=HOME,VOICE uri: 0543 222222",
                          "tel;type=WORK,VOICE uri: 0543 444444",
                          "tel;type=WORK,VOICE uri: 0543 555555",
                          "tel;type=HOME,FAX uri: 0543 333333",
                          "tel;type=WORK,FAX uri: 0543 666666",
                          "tel;type=HOME,CELL,VOICE uri: 333 1111111",
                          "tel;type=HOME,CELL,VOICE uri: 333 2222222",
                          "tel;type=WORK,CELL,VOICE uri: 347 3333333",
                          "tel;type=WORK,CELL,VOICE uri: 347 4444444",
                          "email;pref=1;type=HOME text: nicolo@casa.it",
                          "email;pref=1;type=HOME text: n2@casa.it",
                          "email;pref=1;type=HOME text: n3@casa.it",
                          "email;pref=1;type=HOME text: n4@casa.it",
                          "email;pref=1;type=WORK text: ufficio@ditta.it",
                          "email;pref=1;type=WORK text: u2@ditta.it",
                          "email;pref=1;type=WORK text: u3@ditta.it",
                          "email;pref=1;type=WORK text: u4@ditta.it",
                          R"(adr;type=HOME text: ["","","Via Aurelio Saffi N°12/A","Forlì","FC","47121",""])",
                          R"(adr;type=WORK text: ["","","Viale dell'Appennino N°3","Faenza","RA","48018",""])",
                          "uid text: PellavantoriaC7",
                          "note text: " + nota,
                          "role text: Responsabile acquisti",
                          "geo uri: geo:44.2225,12.0408",
                          "key text: Chiave, pubblica",
                          "rev timestamp: 2024-01-05T00:00:00Z",
                          "bday date-and-or-time: 1980-01-31",
                          "x-label text: Magazzino: via Emilia, 12; cancello 2"}));
    const Slot lunghi = contatti()[1];
    QCOMPARE(comeLetto(schede[1]), QStringList({"fn text: " + lunghi[5], R"(n text: ["Ferrari","Zoë","","",""])",
                                                "org text: " + lunghi[5], "note text: " + lunghi[41]}));
    QCOMPARE(comeLetto(schede[2]), QStringList({"fn text: ", "tel;type=HOME,VOICE uri: 0543 999999"}));
    QCOMPARE(comeLetto(schede[3]), QStringList({"fn text: Mario", R"(n text: ["","Mario","","",""])",
                                                "rev timestamp: 2024-02-29T00:00:00Z", "bday date-and-or-time: 1975-04-30"}));
    QCOMPARE(comeLetto(schede[4]), QStringList({"fn text: Verdi", R"(n text: ["Verdi","","","",""])", "bday text: circa 1950"}));
}

void TestExchange::cardRoundTrip()
{
    const QList<Slot> scritti = contatti();
    QString testo;
    for (const Slot &s : scritti) testo += ScriviVCard(record<Vcard4>(s));
    QTemporaryDir dir;
    const QString percorso = dir.filePath("contatti.vcf");
    ScriviFileTesto(percorso, testo + ScriviVCard(Vcard4{}), false);

    const QList<Vcard4> lette = LeggiVCard(percorso);
    QCOMPARE(lette.size(), scritti.size() + 1);
    QList<Slot> attesi = scritti;
    // The street numbers come back inside the streets, the identifier's prefix inside it.
    attesi[0][28] = "Via Aurelio Saffi N°12/A";
    attesi[0][29] = "Viale dell'Appennino N°3";
    attesi[0][39] = "PellavantoriaC7";
    for (int i : {34, 35, 40}) attesi[0].remove(i);
    attesi[0][41].replace("\r\n", "\n");
    // Dates come back as the file writes them.
    attesi[3][43] = "20240229";
    attesi[3][44] = "19750430";
    for (int i = 0; i < scritti.size(); ++i) QCOMPARE(pieni(lette[i]), attesi[i]);
    QCOMPARE(pieni(lette.last()), Slot());
}

void TestExchange::readsOtherCards_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<Slot>("letti");
    QTest::newRow("our older files")
        << QByteArray("\nBEGIN:VCARD\nVERSION:4.0\nFN:Ditta\nCATEGORIES:Clienti\nURL;HOME:www.casa.it\nURL;WORK:www.ditta.it\n"
                      "ORG:Ditta\nTITLE:Titolo\nPHOTO;MEDIATYPE=image/jpg:/foto/ritratto.jpg\nTEL;HOME;VOICE:1\nTEL;HOME;VOICE:2\n"
                      "TEL;WORK;VOICE:4\nTEL;WORK;VOICE:5\nTEL;HOME;FAX;VOICE:3\nTEL;WORK;FAX;VOICE:6\nTEL;HOME;CELL;VOICE:7\n"
                      "TEL;HOME;CELL;VOICE:8\nTEL;WORK;CELL;VOICE:9\nTEL;WORK;CELL;VOICE:10\nEMAIL;HOME;PREF;INTERNET:a@casa.it\n"
                      "EMAIL;HOME;PREF;INTERNET:d@casa.it\nEMAIL;WORK;PREF;INTERNET:e@ditta.it\nEMAIL;WORK;PREF;INTERNET:h@ditta.it\n"
                      "ADR;HOME:;;Via Roma N°3;Forlì;FC;47121\nADR;WORK:;;Via Emilia N°12;Cesena;FC;47521\n"
                      "UID:pellavantoriap42\nNOTE:Nota\nROLE:Ruolo\nGEO:geo:44.2,12.0\nKEY:Chiave\nREV:20240105T195243Z\n"
                      "BDAY:19800101T195243Z\nLABEL:Etichetta\nEND:VCARD\n")
        << Slot{{5, "Ditta"},        {47, "Clienti"},     {26, "www.casa.it"},  {27, "www.ditta.it"}, {6, "Titolo"},
                {7, "/foto/ritratto.jpg"}, {8, "1"},      {9, "2"},             {11, "4"},            {12, "5"},
                {10, "3"},           {13, "6"},           {14, "7"},            {15, "8"},            {16, "9"},
                {17, "10"},          {18, "a@casa.it"},   {19, "d@casa.it"},    {22, "e@ditta.it"},   {23, "h@ditta.it"},
                {28, "Via Roma N°3"}, {32, "Forlì"},      {30, "FC"},           {36, "47121"},        {29, "Via Emilia N°12"},
                {33, "Cesena"},      {31, "FC"},          {37, "47521"},        {39, "pellavantoriap42"}, {41, "Nota"},
                {42, "Ruolo"},       {46, "44.2,12.0"},   {45, "Chiave"},       {43, "20240105"},     {44, "19800101"},
                {38, "Etichetta"}};
    QTest::newRow("CR LF line breaks")
        << QByteArray("BEGIN:VCARD\r\nVERSION:4.0\r\nN:Rossi;Mario;;;\r\nTEL;HOME;VOICE:0543 123\r\n"
                      "NOTE:Societ\xc3\xa0\r\nEND:VCARD\r\n")
        << Slot{{0, "Rossi"}, {1, "Mario"}, {8, "0543 123"}, {41, "Società"}};
    QTest::newRow("one byte per character")
        << QByteArray("BEGIN:VCARD\nN:Rossi;Nicol\xf2\nADR;HOME:;;Via Roma 1;Forl\xec;FC;47121;Italia\nEND:VCARD\n")
        << Slot{{0, "Rossi"}, {1, "Nicolò"}, {28, "Via Roma 1"}, {32, "Forlì"}, {30, "FC"}, {36, "47121"}};
    QTest::newRow("one line of one byte per character among UTF-8 ones")
        << QByteArray("BEGIN:VCARD\nN:Rossi;Nicol\xc3\xb2\nADR;HOME:;;Via Roma 1;Forl\xec;FC;47121;Italia\nNOTE:Societ\xc3\xa0\nEND:VCARD\n")
        << Slot{{0, "Rossi"}, {1, "Nicolò"}, {28, "Via Roma 1"}, {32, "Forlì"}, {30, "FC"}, {36, "47121"}, {41, "Società"}};
    QTest::newRow("END:VCARD inside a note, as our export writes it")
        << ScriviVCard(record<Vcard4>(Slot{{0, "Rossi"}, {41, "prima\nEND:VCARD\nEND:VCARD dopo"}, {8, "0543 1"}})).toUtf8()
        << Slot{{0, "Rossi"}, {8, "0543 1"}, {41, "prima\nEND:VCARD\nEND:VCARD dopo"}};
    QTest::newRow("another program's card")
        << QByteArray("begin:vcard\nVERSION:3.0\nNAME:Bianchi;Anna\nFN:Anna Bianchi\nTEL;TYPE=CELL:333\n"
                      "item1.EMAIL;HOME:anna@casa.it\nEMAIL:senza@tipo.it\nURL:www.anna.it\nADR;TYPE=WORK:;;Via Po 2;Rimini\n"
                      "BDAY:1990-05-04\nREV:20240101T101010Z\nUID:abc;def\nriga senza due punti\nEnd:VCard\n")
        << Slot{{0, "Bianchi"}, {1, "Anna"}, {18, "anna@casa.it"}, {27, "www.anna.it"}, {29, "Via Po 2"},
                {33, "Rimini"}, {44, "1990-05-04"}, {43, "20240101"}, {39, "abc;def"}};
    QTest::newRow("folded, escaped, quoted parameters")
        << QByteArray("BEGIN:VCARD\r\nVERSION:4.0\r\nfn:Anna\r\nn:Neri\\, Bruni;Anna;;;\r\nTEL;TYPE=\"home,voice\";PREF=1:+39 0543\r\n"
                      "  123\r\nEMAIL;type=work:anna@\r\n\tditta.it\r\nADR;TYPE=home;LABEL=\"Via Po: 2\\nRimini\":;;Via Po\\, 2;Rimini;"
                      "RN;47921;Italia\r\nNOTE:prima riga\\Nseconda\\, con virgola\\; e punto e virgola \\\\ e \\x\r\n"
                      "BDAY;VALUE=text:circa 1950\r\nEND:VCARD\r\n")
        << Slot{{0, "Neri, Bruni"}, {1, "Anna"}, {8, "+39 0543 123"}, {22, "anna@ditta.it"}, {28, "Via Po, 2"},
                {32, "Rimini"}, {30, "RN"}, {36, "47921"}, {41, "prima riga\nseconda, con virgola; e punto e virgola \\ e \\x"},
                {44, "circa 1950"}};
    QTest::newRow("photos: an address read, data inside the card ignored")
        << QByteArray("BEGIN:VCARD\nPHOTO;VALUE=uri:file:///foto/a%20b.jpg\nPHOTO;ENCODING=b;TYPE=JPEG:QUFB\n"
                      "PHOTO:data:image/jpeg;base64,QUFB\nEND:VCARD\n")
        << Slot{{7, "/foto/a b.jpg"}};
    QTest::newRow("a third telephone overwrites the second")
        << QByteArray("BEGIN:VCARD\nTEL;HOME;VOICE:1\nTEL;HOME;VOICE:2\nTEL;TYPE=HOME:3\nTEL;WORK;CELL:4\nTEL:5\nEND:VCARD\n")
        << Slot{{8, "1"}, {9, "3"}, {16, "4"}};
    QTest::newRow("a fifth e-mail overwrites the fourth")
        << QByteArray("BEGIN:VCARD\nEMAIL;WORK:1\nEMAIL;WORK:2\nEMAIL;WORK:3\nEMAIL;WORK:4\nEMAIL;WORK:5\nEND:VCARD\n")
        << Slot{{22, "1"}, {23, "2"}, {24, "3"}, {25, "5"}};
}

void TestExchange::readsOtherCards()
{
    QFETCH(QByteArray, file);
    QFETCH(Slot, letti);
    QTemporaryDir dir;
    const QList<Vcard4> schede = LeggiVCard(scriviFile(dir, file));
    QCOMPARE(schede.size(), 1);
    QCOMPARE(pieni(schede.first()), letti);
}

void TestExchange::findsCardsInFile_data()
{
    QTest::addColumn<QByteArray>("file"); // null: no file
    QTest::addColumn<QStringList>("cognomi");
    const QByteArray rossi = "BEGIN:VCARD\nN:Rossi\nEND:VCARD\n", bianchi = "BEGIN:VCARD\nN:Bianchi\nEND:VCARD\n";
    QTest::newRow("two cards") << rossi + "\n" + bianchi << QStringList{"Rossi", "Bianchi"};
    QTest::newRow("next card within 5000 characters") << rossi + QByteArray(4990, 'x') + bianchi << QStringList{"Rossi", "Bianchi"};
    QTest::newRow("next card beyond 5000 characters") << rossi + QByteArray(5000, 'x') + bianchi << QStringList{"Rossi"};
    QTest::newRow("card without end") << rossi + "BEGIN:VCARD\nN:Verdi\n" << QStringList{"Rossi"};
    QTest::newRow("markers in any case") << QByteArray("begin:vcard\nN:Neri\nend:VCard\n") + bianchi << QStringList{"Neri", "Bianchi"};
    QTest::newRow("END:VCARD ends a card only as a line of its own")
        << QByteArray("BEGIN:VCARD\nN:Rossi\nNOTE:scrivere END:VCARD qui\n END:VCARD\nEND:VCARD  \r\n") + bianchi
        << QStringList{"Rossi", "Bianchi"};
    QTest::newRow("no card") << QByteArray("Nome;Telefono\nRossi;123\n") << QStringList{};
    QTest::newRow("empty file") << QByteArray("") << QStringList{};
    QTest::newRow("missing file") << QByteArray() << QStringList{};
}

void TestExchange::findsCardsInFile()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, cognomi);
    QTemporaryDir dir;
    const QString percorso = file.isNull() ? dir.filePath("manca.vcf") : scriviFile(dir, file);
    QStringList letti;
    for (const Vcard4 &s : LeggiVCard(percorso)) letti << s.campi[0];
    QCOMPARE(letti, cognomi);
}

void TestExchange::cardReadByVobject()
{
    Vcard4 scheda = record<Vcard4>({{0, "Rossi"}, {1, "Nicolò"}, {5, "Società Trasporti Forlì"}, {6, "Titolare"},
                                    {8, "0543 123456"}, {16, "333 1234567"}, {18, "nicolo@casa.it"},
                                    {28, "Via Aurelio Saffi"}, {34, "12"}, {32, "Forlì"}, {30, "FC"}, {36, "47121"},
                                    {39, "7"}, {40, "pellavantoriap"}, {41, "Cliente affidabile; dal 2019,\nfine mese"},
                                    {44, "19800131"}});
    QTemporaryDir dir;
    const QString percorso = dir.filePath("contatti.vcf");
    ScriviFileTesto(percorso, ScriviVCard(scheda), false);
    const QJsonObject letto = python(R"(
import sys, json, vobject
with open(sys.argv[1], encoding='utf-8', newline='') as f:
    c = vobject.readOne(f.read())
a = c.adr.value
print(json.dumps({'fn': c.fn.value, 'family': c.n.value.family, 'given': c.n.value.given, 'org': c.org.value[0],
    'title': c.title.value, 'tel': [t.value + ' ' + ','.join(t.params['TYPE']) for t in c.contents['tel']],
    'email': c.email.value, 'street': a.street, 'city': a.city, 'region': a.region, 'code': a.code,
    'uid': c.uid.value, 'note': c.note.value, 'bday': c.bday.value, 'version': c.version.value}))
)", percorso);
    QCOMPARE(letto.value("fn").toString(), QString("Società Trasporti Forlì"));
    QCOMPARE(letto.value("family").toString(), QString("Rossi"));
    QCOMPARE(letto.value("given").toString(), QString("Nicolò"));
    QCOMPARE(letto.value("org").toString(), QString("Società Trasporti Forlì"));
    QCOMPARE(letto.value("title").toString(), QString("Titolare"));
    QCOMPARE(letto.value("tel").toArray(), QJsonArray({"0543 123456 HOME,VOICE", "333 1234567 WORK,CELL,VOICE"}));
    QCOMPARE(letto.value("email").toString(), QString("nicolo@casa.it"));
    QCOMPARE(letto.value("street").toString(), QString("Via Aurelio Saffi N°12"));
    QCOMPARE(letto.value("city").toString(), QString("Forlì"));
    QCOMPARE(letto.value("region").toString(), QString("FC"));
    QCOMPARE(letto.value("code").toString(), QString("47121"));
    QCOMPARE(letto.value("uid").toString(), QString("pellavantoriap7"));
    QCOMPARE(letto.value("note").toString(), QString("Cliente affidabile; dal 2019,\nfine mese"));
    QCOMPARE(letto.value("bday").toString(), QString("19800131"));
    QCOMPARE(letto.value("version").toString(), QString("4.0"));
}

// The checkers can fail: the forms this program wrote before are refused.
void TestExchange::strictParsersRefuseOldForms_data()
{
    QTest::addColumn<QString>("tipo");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("errore");
    const QByteArray buona = "BEGIN:VCARD\r\nVERSION:4.0\r\nFN:Rossi\r\n";
    QTest::newRow("LF line ends") << "vcard" << QByteArray("BEGIN:VCARD\nVERSION:4.0\nFN:Rossi\nEND:VCARD\n") << "line 1: ends with LF alone";
    QTest::newRow("2.1 parameters") << "vcard" << buona + "TEL;HOME;VOICE:1\r\nEND:VCARD\r\n" << "vcard4: ";
    QTest::newRow("LABEL property") << "vcard" << buona + "LABEL:Etichetta\r\nEND:VCARD\r\n" << "vcard4: vCard has unknown property: LABEL";
    QTest::newRow("no FN") << "vcard" << QByteArray("BEGIN:VCARD\r\nVERSION:4.0\r\nN:Rossi;;;;\r\nTITLE:x\r\nEND:VCARD\r\n")
                           << "vcard4: vCard must have at least one FN property";
    QTest::newRow("unfolded line") << "vcard" << buona + "NOTE:" + QByteArray(75, 'x') + "\r\nEND:VCARD\r\n" << "line 4: 80 octets";
    QTest::newRow("folding inside a character")
        << "vcard" << buona + "NOTE:\xc3\r\n \xa8\r\nEND:VCARD\r\n" << "line 4: not UTF-8 by itself (a character split by folding?)";
    QTest::newRow("an unescaped line break")
        << "ical" << QByteArray("BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nDESCRIPTION:prima\r\nseconda\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n")
        << "ical.js: invalid line (no token \";\" or \":\") \"seconda\"";
}

void TestExchange::strictParsersRefuseOldForms()
{
    QFETCH(QString, tipo);
    QFETCH(QByteArray, file);
    QFETCH(QString, errore);
    QTemporaryDir dir;
    QJsonObject esito;
    QString problema;
    QVERIFY2(controlla(tipo, scriviFile(dir, file), esito, problema), qPrintable(problema));
    const QStringList trovati = errori(esito);
    QVERIFY2(std::any_of(trovati.begin(), trovati.end(), [&](const QString &e) { return e.startsWith(errore); }),
             qPrintable(trovati.join(" / ")));
}

void TestExchange::writesEvent_data()
{
    QTest::addColumn<Slot>("slot");
    QTest::addColumn<QString>("testo");
    const QString fisse = "X-MICROSOFT-CDO-BUSYSTATUS:BUSY\r\nX-MICROSOFT-CDO-IMPORTANCE:1\r\nX-MICROSOFT-DISALLOW-COUNTER:FALSE\r\n"
                          "X-MS-OLK-ALLOWEXTERNCHECK:TRUE\r\nX-MS-OLK-AUTOFILLLOCATION:FALSE\r\nX-MS-OLK-CONFTYPE:0\r\nEND:VEVENT\r\n";
    QTest::newRow("every slot")
        << Slot{{0, "20240301T080000Z"}, {1, "Ritiro; carro attrezzi"}, {2, "20240305T080703Z"}, {3, "20240305T090000Z"},
                {4, "20240302T100000Z"}, {5, "20240303T110000Z"}, {6, "Forlì, via Emilia"}, {7, "5"}, {8, "2"},
                {9, "Riunione; ufficio"}, {10, "OPAQUE"}, {11, "pellavantoria-calendario-12"}}
        << "BEGIN:VEVENT\r\nCREATED:20240301T080000Z\r\nDESCRIPTION:Ritiro\\; carro attrezzi\r\nDTEND:20240305T090000Z\r\n"
           "DTSTAMP:20240302T100000Z\r\nDTSTART:20240305T080703Z\r\nLAST-MODIFIED:20240303T110000Z\r\n"
           "LOCATION:Forlì\\, via Emilia\r\nPRIORITY:5\r\nSEQUENCE:2\r\nSUMMARY;LANGUAGE=it-IT:Riunione\\; ufficio\r\n"
           "TRANSP:OPAQUE\r\nUID:pellavantoria-calendario-12\r\n"
               + fisse;
    QTest::newRow("empty record") << Slot{} << "BEGIN:VEVENT\r\n" + fisse;
    QTest::newRow("multi-line description")
        << Slot{{1, "Portare:\r\n- libretto, \\ chiavi\n- documenti"}}
        << "BEGIN:VEVENT\r\nDESCRIPTION:Portare:\\n- libretto\\, \\\\ chiavi\\n- documenti\r\n" + fisse;
    QTest::newRow("long summary folded")
        << Slot{{9, QString(60, QChar(0xe8))}}
        << "BEGIN:VEVENT\r\nSUMMARY;LANGUAGE=it-IT:" + QString(26, QChar(0xe8)) + "\r\n " + QString(34, QChar(0xe8)) + "\r\n" + fisse;
}

void TestExchange::writesEvent()
{
    QFETCH(Slot, slot);
    QFETCH(QString, testo);
    QCOMPARE(ScriviEventoICal(record<iCal>(slot)), testo);
}

void TestExchange::eventPassesStrictParser()
{
    const QTimeZone italia(3600);
    const QString descrizione = "Ritiro veicolo; portare documenti, libretto\ne chiavi (C:\\archivio\\nuovi)";
    const QString titolo = "Riunione; ufficio — 北京运输公司 — Ελληνικές μεταφορές — è più lunga di una riga 🚚";
    iCal evento = record<iCal>({{1, descrizione}, {6, "Officina di Forlì, via Emilia; cancello 2"}, {7, "5"}, {8, "2"},
                                {9, titolo}, {10, "OPAQUE"}, {11, "pellavantoria-calendario-12"}});
    evento.campi[0] = DataOraICal(QDateTime(QDate(2024, 3, 1), QTime(9, 0), italia));
    evento.campi[2] = DataOraICal(QDateTime(QDate(2024, 3, 5), QTime(9, 7, 3), italia));
    evento.campi[3] = DataOraICal(QDateTime(QDate(2024, 3, 5), QTime(10, 30), italia));
    evento.campi[4] = DataOraICal(QDateTime(QDate(2024, 3, 2), QTime(11, 0), italia));
    evento.campi[5] = DataOraICal(QDateTime(QDate(2024, 3, 3), QTime(12, 0), italia));
    QTemporaryDir dir;
    const QString percorso = dir.filePath("Calendario.ics");
    // The calendar around the events, as the calendar's export writes it.
    ScriviFileTesto(percorso, "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Pellavantoria//Calendario//IT\r\n"
                                  + ScriviEventoICal(evento) + ScriviEventoICal(iCal{}) + "END:VCALENDAR\r\n", false);
    QJsonArray eventi;
    QString problema;
    QVERIFY2(valido("ical", percorso, eventi, problema), qPrintable(problema));
    QCOMPARE(eventi.size(), 2);
    const QStringList fisse = {"x-microsoft-cdo-busystatus unknown: BUSY", "x-microsoft-cdo-importance unknown: 1",
                               "x-microsoft-disallow-counter unknown: FALSE", "x-ms-olk-allowexterncheck unknown: TRUE",
                               "x-ms-olk-autofilllocation unknown: FALSE", "x-ms-olk-conftype unknown: 0"};
    QCOMPARE(comeLetto(eventi[0]), QStringList({"created date-time: 2024-03-01T08:00:00Z",
                                                "description text: " + descrizione,
                                                "dtend date-time: 2024-03-05T09:30:00Z",
                                                "dtstamp date-time: 2024-03-02T10:00:00Z",
                                                "dtstart date-time: 2024-03-05T08:07:03Z",
                                                "last-modified date-time: 2024-03-03T11:00:00Z",
                                                "location text: Officina di Forlì, via Emilia; cancello 2",
                                                "priority integer: 5",
                                                "sequence integer: 2",
                                                "summary;language=it-IT text: " + titolo,
                                                "transp text: OPAQUE",
                                                "uid text: pellavantoria-calendario-12"})
                                       + fisse);
    QCOMPARE(comeLetto(eventi[1]), fisse);
}

void TestExchange::writesUtcTime_data()
{
    QTest::addColumn<QDateTime>("dataOra");
    QTest::addColumn<QString>("testo");
    const QTimeZone inverno(3600), estate(7200); // Italy's offsets, without relying on the zone database
    QTest::newRow("winter") << QDateTime(QDate(2024, 3, 5), QTime(9, 7, 3), inverno) << "20240305T080703Z";
    QTest::newRow("summer") << QDateTime(QDate(2024, 7, 15), QTime(9, 7, 3), estate) << "20240715T070703Z";
    QTest::newRow("local midnight is the day before") << QDateTime(QDate(2024, 1, 1), QTime(0, 0), inverno) << "20231231T230000Z";
    QTest::newRow("UTC midnight") << QDateTime(QDate(2024, 1, 1), QTime(0, 0), QTimeZone::utc()) << "20240101T000000Z";
    QTest::newRow("milliseconds dropped") << QDateTime(QDate(2024, 1, 1), QTime(10, 20, 59, 999), inverno) << "20240101T092059Z";
}

void TestExchange::writesUtcTime()
{
    QFETCH(QDateTime, dataOra);
    QFETCH(QString, testo);
    QCOMPARE(DataOraICal(dataOra), testo);
}

void TestExchange::eventReadByIcalendar()
{
    const QTimeZone italia(3600);
    iCal evento;
    evento.campi[0] = DataOraICal(QDateTime(QDate(2024, 3, 1), QTime(9, 0), italia));
    evento.campi[1] = "Ritiro veicolo; portare documenti,\ne chiavi";
    evento.campi[2] = DataOraICal(QDateTime(QDate(2024, 3, 5), QTime(9, 7, 3), italia));
    evento.campi[3] = DataOraICal(QDateTime(QDate(2024, 3, 5), QTime(10, 30), italia));
    evento.campi[4] = DataOraICal(QDateTime(QDate(2024, 3, 2), QTime(11, 0), italia));
    evento.campi[5] = DataOraICal(QDateTime(QDate(2024, 3, 3), QTime(12, 0), italia));
    evento.campi[6] = "Officina di Forlì";
    evento.campi[7] = "5";
    evento.campi[8] = "2";
    evento.campi[9] = "Riunione; ufficio";
    evento.campi[10] = "OPAQUE";
    evento.campi[11] = "pellavantoria-calendario-12";
    QTemporaryDir dir;
    const QString percorso = dir.filePath("Calendario.ics");
    ScriviFileTesto(percorso, ScriviEventoICal(evento), false);
    const QJsonObject letto = python(R"(
import sys, json, icalendar
with open(sys.argv[1], encoding='utf-8', newline='') as f:
    e = icalendar.Event.from_ical(f.read())
print(json.dumps({'name': e.name, 'created': e.decoded('CREATED').isoformat(), 'start': e.decoded('DTSTART').isoformat(),
    'end': e.decoded('DTEND').isoformat(), 'stamp': e.decoded('DTSTAMP').isoformat(),
    'modified': e.decoded('LAST-MODIFIED').isoformat(), 'description': str(e['DESCRIPTION']),
    'location': str(e['LOCATION']), 'priority': e.decoded('PRIORITY'), 'sequence': e.decoded('SEQUENCE'),
    'summary': str(e['SUMMARY']), 'language': e['SUMMARY'].params['LANGUAGE'], 'transp': str(e['TRANSP']),
    'uid': str(e['UID']), 'conftype': str(e['X-MS-OLK-CONFTYPE'])}))
)", percorso);
    QCOMPARE(letto.value("name").toString(), QString("VEVENT"));
    QCOMPARE(letto.value("created").toString(), QString("2024-03-01T08:00:00+00:00"));
    QCOMPARE(letto.value("start").toString(), QString("2024-03-05T08:07:03+00:00"));
    QCOMPARE(letto.value("end").toString(), QString("2024-03-05T09:30:00+00:00"));
    QCOMPARE(letto.value("stamp").toString(), QString("2024-03-02T10:00:00+00:00"));
    QCOMPARE(letto.value("modified").toString(), QString("2024-03-03T11:00:00+00:00"));
    QCOMPARE(letto.value("description").toString(), QString("Ritiro veicolo; portare documenti,\ne chiavi"));
    QCOMPARE(letto.value("location").toString(), QString("Officina di Forlì"));
    QCOMPARE(letto.value("priority").toInt(), 5);
    QCOMPARE(letto.value("sequence").toInt(), 2);
    QCOMPARE(letto.value("summary").toString(), QString("Riunione; ufficio"));
    QCOMPARE(letto.value("language").toString(), QString("it-IT"));
    QCOMPARE(letto.value("transp").toString(), QString("OPAQUE"));
    QCOMPARE(letto.value("uid").toString(), QString("pellavantoria-calendario-12"));
    QCOMPARE(letto.value("conftype").toString(), QString("0"));
}
