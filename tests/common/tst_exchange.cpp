#include "tst_exchange.h"

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

QString scriviFile(const QTemporaryDir &dir, const QByteArray &byte)
{
    const QString percorso = dir.filePath("contatti.vcf");
    QFile f(percorso);
    if (f.open(QIODevice::WriteOnly)) f.write(byte);
    return percorso;
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

} // namespace

void TestExchange::writesCard_data()
{
    QTest::addColumn<Slot>("slot");
    QTest::addColumn<QString>("testo");
    const QString inizio = "\nBEGIN:VCARD\nVERSION:4.0\n";
    QTest::newRow("name only") << Slot{{0, "Rossi"}, {1, "Mario"}}
                               << inizio + "FN:Mario Rossi\nN:Rossi;Mario;;;\nEND:VCARD\n";
    QTest::newRow("family name only") << Slot{{0, "Rossi"}} << inizio + "FN: Rossi\nN:Rossi;;;;\nEND:VCARD\n";
    QTest::newRow("organisation names the card")
        << Slot{{0, "Bianchi"}, {5, "Officina Bianchi; snc"}}
        << inizio + "FN:Officina Bianchi, snc\nN:Bianchi;;;;\nORG:Officina Bianchi, snc\nEND:VCARD\n";
    QTest::newRow("no name, no organisation") << Slot{{6, "Autista"}} << inizio + "TITLE:Autista\nEND:VCARD\n";
    QTest::newRow("empty record") << Slot{} << inizio + "END:VCARD\n";
    QTest::newRow("separators in values")
        << Slot{{26, "http://a,b;c.it"}, {27, "http://x;y.it"}, {28, "Via Roma; scala B"}, {32, "Forlì"}, {36, "47121"}}
        << inizio + "URL;HOME:http://abc.it\nURL;WORK:http://x,y.it\nADR;HOME:;;Via Roma, scala B N°;Forlì;;47121\nEND:VCARD\n";
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
        << inizio
            + "FN:Ditta\nCATEGORIES:Clienti\nURL;WORK:www.ditta.it\nORG:Ditta\nTITLE:Titolo\n"
              "PHOTO;MEDIATYPE=image/jpg:/foto/ritratto.jpg\n"
              "TEL;HOME;VOICE:1\nTEL;HOME;VOICE:2\nTEL;WORK;VOICE:4\nTEL;WORK;VOICE:5\nTEL;HOME;FAX;VOICE:3\n"
              "TEL;WORK;FAX;VOICE:6\nTEL;HOME;CELL;VOICE:7\nTEL;HOME;CELL;VOICE:8\nTEL;WORK;CELL;VOICE:9\n"
              "TEL;WORK;CELL;VOICE:10\nEMAIL;HOME;PREF;INTERNET:a@casa.it\nEMAIL;HOME;PREF;INTERNET:d@casa.it\n"
              "EMAIL;WORK;PREF;INTERNET:e@ditta.it\nEMAIL;WORK;PREF;INTERNET:h@ditta.it\n"
              "ADR;WORK:;;Via Emilia N°12;Cesena;FC;47521\nUID:pellavantoriap42\nNOTE:Nota\nROLE:Ruolo\n"
              "GEO:geo:44.2,12.0\nKEY:Chiave\nREV:20240105T195243Z\nBDAY:19800101T195243Z\nLABEL:Etichetta\nEND:VCARD\n";
}

void TestExchange::writesCard()
{
    QFETCH(Slot, slot);
    QFETCH(QString, testo);
    QCOMPARE(ScriviVCard(record<Vcard4>(slot)), testo);
}

void TestExchange::cardRoundTrip()
{
    Vcard4 scheda;
    for (int i = 0; i < Vcard4::NumeroCampi; ++i) scheda.campi[i] = QString("Società %1; Forlì").arg(i);
    scheda.campi[26] = "www.casa,rossi;it";
    scheda.campi[43] = "2024-01-05";
    scheda.campi[44] = "1980-12-31";
    QTemporaryDir dir;
    const QString percorso = dir.filePath("contatti.vcf");
    ScriviFileTesto(percorso, ScriviVCard(scheda) + ScriviVCard(Vcard4{}), false);

    const QList<Vcard4> lette = LeggiVCard(percorso);
    QCOMPARE(lette.size(), 2);
    Slot attese;
    for (int i = 0; i < Vcard4::NumeroCampi; ++i) attese.insert(i, QString("Società %1, Forlì").arg(i));
    attese[26] = "www.casarossiit";
    attese[28] = "Società 28, Forlì N°Società 34, Forlì";
    attese[29] = "Società 29, Forlì N°Società 35, Forlì";
    attese[39] = "Società 40, ForlìSocietà 39, Forlì";
    attese[43] = "2024-01-05";
    attese[44] = "1980-12-31";
    attese[46] = "geo:Società 46, Forlì";
    for (int i : {7, 34, 35, 40}) attese.remove(i); // the photo line carries parameters; the others live inside slots
    QCOMPARE(pieni(lette[0]), attese);
    QCOMPARE(pieni(lette[1]), Slot());
}

void TestExchange::readsOtherCards_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<Slot>("letti");
    QTest::newRow("CR LF line breaks")
        << QByteArray("BEGIN:VCARD\r\nVERSION:4.0\r\nN:Rossi;Mario;;;\r\nTEL;HOME;VOICE:0543 123\r\n"
                      "NOTE:Societ\xc3\xa0\r\nEND:VCARD\r\n")
        << Slot{{0, "Rossi"}, {1, "Mario"}, {8, "0543 123"}, {41, "Società"}};
    QTest::newRow("one byte per character")
        << QByteArray("BEGIN:VCARD\nN:Rossi;Nicol\xf2\nADR;HOME:;;Via Roma 1;Forl\xec;FC;47121;Italia\nEND:VCARD\n")
        << Slot{{0, "Rossi"}, {1, "Nicolò"}, {28, "Via Roma 1"}, {32, "Forlì"}, {30, "FC"}, {36, "47121"}};
    QTest::newRow("another program's card")
        << QByteArray("begin:vcard\nVERSION:3.0\nNAME:Bianchi;Anna\nFN:Anna Bianchi\nTEL;TYPE=CELL:333\n"
                      "item1.EMAIL;HOME:anna@casa.it\nEMAIL:senza@tipo.it\nURL:www.anna.it\nADR;TYPE=WORK:;;Via Po 2;Rimini\n"
                      "BDAY:1990-05-04\nREV:20240101T101010Z\nUID:abc;def\nriga senza due punti\nEnd:VCard\n")
        << Slot{{0, "Bianchi"}, {1, "Anna"}, {18, "anna@casa.it"}, {27, "www.anna.it"}, {29, "Via Po 2"},
                {33, "Rimini"}, {44, "1990-05-04"}, {43, "20240101"}, {39, "abc"}};
    QTest::newRow("a third telephone overwrites the second")
        << QByteArray("BEGIN:VCARD\nTEL;HOME;VOICE:1\nTEL;HOME;VOICE:2\nTEL;HOME:3\nTEL;WORK;CELL:4;x\nEND:VCARD\n")
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
                                    {39, "7"}, {40, "pellavantoriap"}, {41, "Cliente affidabile dal 2019"},
                                    {44, "19800131"}});
    QTemporaryDir dir;
    const QString percorso = dir.filePath("contatti.vcf");
    ScriviFileTesto(percorso, ScriviVCard(scheda), false);
    const QJsonObject letto = python(R"(
import sys, json, vobject
with open(sys.argv[1], encoding='utf-8') as f:
    c = vobject.readOne(f.read())
a = c.adr.value
print(json.dumps({'fn': c.fn.value, 'family': c.n.value.family, 'given': c.n.value.given, 'org': c.org.value[0],
    'title': c.title.value, 'tel': [' '.join([t.value] + t.singletonparams) for t in c.contents['tel']],
    'email': c.email.value, 'street': a.street, 'city': a.city, 'region': a.region, 'code': a.code,
    'uid': c.uid.value, 'note': c.note.value, 'bday': c.bday.value, 'version': c.version.value}))
)", percorso);
    QCOMPARE(letto.value("fn").toString(), QString("Società Trasporti Forlì"));
    QCOMPARE(letto.value("family").toString(), QString("Rossi"));
    QCOMPARE(letto.value("given").toString(), QString("Nicolò"));
    QCOMPARE(letto.value("org").toString(), QString("Società Trasporti Forlì"));
    QCOMPARE(letto.value("title").toString(), QString("Titolare"));
    QCOMPARE(letto.value("tel").toArray(), QJsonArray({"0543 123456 HOME VOICE", "333 1234567 WORK CELL VOICE"}));
    QCOMPARE(letto.value("email").toString(), QString("nicolo@casa.it"));
    QCOMPARE(letto.value("street").toString(), QString("Via Aurelio Saffi N°12"));
    QCOMPARE(letto.value("city").toString(), QString("Forlì"));
    QCOMPARE(letto.value("region").toString(), QString("FC"));
    QCOMPARE(letto.value("code").toString(), QString("47121"));
    QCOMPARE(letto.value("uid").toString(), QString("pellavantoriap7"));
    QCOMPARE(letto.value("note").toString(), QString("Cliente affidabile dal 2019"));
    QCOMPARE(letto.value("bday").toString(), QString("19800131T195243Z"));
    QCOMPARE(letto.value("version").toString(), QString("4.0"));
}

void TestExchange::writesEvent_data()
{
    QTest::addColumn<Slot>("slot");
    QTest::addColumn<QString>("testo");
    const QString fisse = "X-MICROSOFT-CDO-BUSYSTATUS:BUSY\nX-MICROSOFT-CDO-IMPORTANCE:1\nX-MICROSOFT-DISALLOW-COUNTER:FALSE\n"
                          "X-MS-OLK-ALLOWEXTERNCHECK:TRUE\nX-MS-OLK-AUTOFILLLOCATION:FALSE\nX-MS-OLK-CONFTYPE:0\nEND:VEVENT\n";
    QTest::newRow("every slot")
        << Slot{{0, "20240301T080000Z"}, {1, "Ritiro; carro attrezzi"}, {2, "20240305T080703Z"}, {3, "20240305T090000Z"},
                {4, "20240302T100000Z"}, {5, "20240303T110000Z"}, {6, "Forlì; via Emilia"}, {7, "5"}, {8, "2"},
                {9, "Riunione; ufficio"}, {10, "OPAQUE"}, {11, "pellavantoria-calendario-12"}}
        << "BEGIN:VEVENT\nCREATED:20240301T080000Z\nDESCRIPTION:Ritiro, carro attrezzi\nDTEND:20240305T090000Z\n"
           "DTSTAMP:20240302T100000Z\nDTSTART:20240305T080703Z\nLAST-MODIFIED:20240303T110000Z\n"
           "LOCATION:Forlì, via Emilia\nPRIORITY:5\nSEQUENCE:2\nSUMMARY;LANGUAGE=it-IT:Riunione, ufficio\n"
           "TRANSP:OPAQUE\nUID:pellavantoria-calendario-12\n"
               + fisse;
    QTest::newRow("empty record") << Slot{} << "BEGIN:VEVENT\n" + fisse;
    QTest::newRow("summary only") << Slot{{9, "Riunione; ufficio"}}
                                  << "BEGIN:VEVENT\nSUMMARY;LANGUAGE=it-IT:Riunione, ufficio\n" + fisse;
}

void TestExchange::writesEvent()
{
    QFETCH(Slot, slot);
    QFETCH(QString, testo);
    QCOMPARE(ScriviEventoICal(record<iCal>(slot)), testo);
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
    evento.campi[1] = "Ritiro veicolo; portare documenti";
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
with open(sys.argv[1], encoding='utf-8') as f:
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
    QCOMPARE(letto.value("description").toString(), QString("Ritiro veicolo, portare documenti"));
    QCOMPARE(letto.value("location").toString(), QString("Officina di Forlì"));
    QCOMPARE(letto.value("priority").toInt(), 5);
    QCOMPARE(letto.value("sequence").toInt(), 2);
    QCOMPARE(letto.value("summary").toString(), QString("Riunione, ufficio"));
    QCOMPARE(letto.value("language").toString(), QString("it-IT"));
    QCOMPARE(letto.value("transp").toString(), QString("OPAQUE"));
    QCOMPARE(letto.value("uid").toString(), QString("pellavantoria-calendario-12"));
    QCOMPARE(letto.value("conftype").toString(), QString("0"));
}
