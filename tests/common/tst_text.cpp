#include "tst_text.h"

#include "common/TextUtils.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <stdexcept>

using namespace common;

namespace {

QByteArray contenuto(const QString &percorso)
{
    QFile f(percorso);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

} // namespace

void TestText::vatNumbers_data()
{
    QTest::addColumn<QString>("partitaIva");
    QTest::addColumn<bool>("valida");
    QTest::newRow("valid") << "12345678903" << true;
    QTest::newRow("valid with leading zero") << "01114601006" << true;
    QTest::newRow("valid, check digit 0 after a sum of 10") << "10000000090" << true;
    QTest::newRow("sum of 10, wrong check digit") << "10000000091" << false;
    QTest::newRow("valid, all zeros") << "00000000000" << true;
    QTest::newRow("wrong check digit") << "12345678901" << false;
    QTest::newRow("ten digits") << "1234567890" << false;
    QTest::newRow("twelve digits") << "123456789030" << false;
    QTest::newRow("space") << "1234567890 " << false;
    QTest::newRow("letter") << "1234567890A" << false;
    QTest::newRow("country prefix") << "IT12345678903" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("digits of another script") << QString::fromUtf8("١٢٣٤٥٦٧٨٩٠٣") << false;
}

void TestText::vatNumbers()
{
    QFETCH(QString, partitaIva);
    QFETCH(bool, valida);
    QCOMPARE(ControllaPartitaIva(partitaIva), valida);
}

void TestText::replacesText_data()
{
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QString>("cerca");
    QTest::addColumn<QString>("sostituto");
    QTest::addColumn<QString>("atteso");
    QTest::newRow("replacement not searched again") << "aaa" << "a" << "aa" << "aaaaaa";
    QTest::newRow("longer replacement") << "abab" << "ab" << "xyz" << "xyzxyz";
    QTest::newRow("escape once") << "a;b;c;" << ";" << "\\;" << "a\\;b\\;c\\;";
    QTest::newRow("case-sensitive") << "Via VIA via" << "via" << "Strada" << "Via VIA Strada";
    QTest::newRow("empty replacement deletes") << "1.234.567" << "." << "" << "1234567";
    QTest::newRow("not found") << "Forlì" << "x" << "y" << "Forlì";
    QTest::newRow("empty text") << "" << "a" << "b" << "";
    QTest::newRow("empty search gives empty") << "abc" << "" << "b" << "";
}

void TestText::replacesText()
{
    QFETCH(QString, testo);
    QFETCH(QString, cerca);
    QFETCH(QString, sostituto);
    QFETCH(QString, atteso);
    QCOMPARE(SostituisciTesto(testo, cerca, sostituto), atteso);
}

void TestText::fields_data()
{
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QStringList>("campi");
    QTest::newRow("empty field between") << "a;;b" << QStringList{"a", "", "b"};
    QTest::newRow("trailing delimiter") << "a;;b;" << QStringList{"a", "", "b"};
    QTest::newRow("two fields") << "a;b" << QStringList{"a", "b"};
    QTest::newRow("single delimiter") << ";" << QStringList{""};
    QTest::newRow("no delimiter") << "Cliente" << QStringList{"Cliente"};
    QTest::newRow("empty field first") << ";x" << QStringList{"", "x"};
    QTest::newRow("empty text") << "" << QStringList{};
}

void TestText::fields()
{
    QFETCH(QString, testo);
    QFETCH(QStringList, campi);
    QCOMPARE(ContaCampi(testo, u';'), campi.size());
    QStringList letti;
    for (int n = 1; n <= campi.size(); ++n) letti << EstraiCampo(testo, n, u';');
    QCOMPARE(letti, campi);
    QCOMPARE(EstraiCampo(testo, campi.size() + 1, u';'), QString());
    QCOMPARE(EstraiCampo(testo, 0, u';'), QString());
}

void TestText::smallFormats_data()
{
    // Each row holds a call and what it must give.
    QTest::addColumn<QString>("risultato");
    QTest::addColumn<QString>("atteso");
    QTest::newRow("extension") << EstensioneFile("Clienti.2024.VCF") << "VCF";
    QTest::newRow("extension in a path") << EstensioneFile("/home/a.b/contatti") << "b/contatti";
    QTest::newRow("no extension") << EstensioneFile("contatti") << "";
    QTest::newRow("point at the end") << EstensioneFile("contatti.") << "";
    QTest::newRow("backslash folder") << AggiungiSeparatore("D:\\Dati") << "D:\\Dati\\";
    QTest::newRow("slash folder") << AggiungiSeparatore("//server/dati") << "//server/dati/";
    QTest::newRow("first separator decides") << AggiungiSeparatore("C:\\a/b") << "C:\\a/b\\";
    QTest::newRow("already ends with a separator") << AggiungiSeparatore("/tmp/") << "/tmp/";
    QTest::newRow("no separator") << AggiungiSeparatore("Dati") << "Dati";
    QTest::newRow("empty folder") << AggiungiSeparatore("") << "";
    QTest::newRow("postal code padded") << CapCinqueCifre("123") << "00123";
    QTest::newRow("postal code empty") << CapCinqueCifre("") << "00000";
    QTest::newRow("postal code long") << CapCinqueCifre("1234567") << "1234567";
    QTest::newRow("cut text") << TroncaTesto("Società", 6) << "Societ";
    QTest::newRow("short text not cut") << TroncaTesto("Ab", 6) << "Ab";
    QTest::newRow("cut to nothing") << TroncaTesto("Ab", 0) << "";
    QTest::newRow("integer") << InteroTesto(-1234, 10) << "-1234";
    QTest::newRow("integer cut") << InteroTesto(123456, 4) << "1234";
    QTest::newRow("integer zero") << InteroTesto(0, 0) << "0";
    QTest::newRow("semicolons to commas") << SostituisciPuntoEVirgola("Via Roma; scala B;") << "Via Roma, scala B,";
    QTest::newRow("value separators removed") << TogliSeparatoriVCard("www.a,b;c.it") << "www.abc.it";
}

void TestText::smallFormats()
{
    QFETCH(QString, risultato);
    QFETCH(QString, atteso);
    QCOMPARE(risultato, atteso);
}

void TestText::amountTexts_data()
{
    QTest::addColumn<double>("importo");
    QTest::addColumn<int>("lunghezza");
    QTest::addColumn<QString>("atteso");
    QTest::newRow("one decimal") << 1234.5 << 15 << "1234.50";
    QTest::newRow("integer") << 10.0 << 15 << "10.00";
    QTest::newRow("tenth") << 0.1 << 15 << "0.10";
    QTest::newRow("more decimals kept") << 3.14159 << 15 << "3.14159";
    QTest::newRow("half cent kept") << 0.005 << 15 << "0.005";
    QTest::newRow("15 significant digits") << 0.1 + 0.2 << 15 << "0.30";
    QTest::newRow("negative") << -7.5 << 15 << "-7.50";
    QTest::newRow("above the 32-bit cents") << 21474836.48 << 15 << "21474836.48";
    QTest::newRow("cut drops the point") << 12345.678 << 6 << "12345";
    QTest::newRow("cut inside decimals") << 12345.678 << 7 << "12345.6";
    QTest::newRow("zero whatever the length") << 0.0 << 2 << "0.00";
}

void TestText::amountTexts()
{
    QFETCH(double, importo);
    QFETCH(int, lunghezza);
    QFETCH(QString, atteso);
    QCOMPARE(ImportoTesto(importo, lunghezza, u','), atteso);
}

void TestText::cleansForFatturaPA_data()
{
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QString>("atteso");
    QTest::newRow("Latin-1 letters kept") << "Società Forlì, Perché €?" << "Società Forlì, Perché ?";
    QTest::newRow("line breaks kept, tab dropped") << "a\tb\r\nc" << "ab\r\nc";
    QTest::newRow("controls 31 and 127 dropped") << QString("x%1y%2z").arg(QChar(31)).arg(QChar(127)) << "xyz";
    QTest::newRow("C1 controls dropped") << QString("x%1y").arg(QChar(0x85)) << "xy";
    QTest::newRow("non-breaking space and symbols kept") << QString("1%1000 %2").arg(QChar(160)).arg(QChar(0xB0)) << QString("1%1000 %2").arg(QChar(160)).arg(QChar(0xB0));
    QTest::newRow("outside Latin-1 dropped") << QString::fromUtf8("Łódź 漢 😀") << "ód  ";
    const QChar uno(1);
    QTest::newRow("code 1 takes a 4 with it") << "a" + QString(uno) + "4b" << "ab";
    QTest::newRow("code 1 takes a b with it") << "a" + QString(uno) + "bc" << "ac";
    QTest::newRow("code 1 alone") << "a" + QString(uno) + "xc" << "axc";
    QTest::newRow("code 1 at the end") << "a" + QString(uno) << "a";
}

void TestText::cleansForFatturaPA()
{
    QFETCH(QString, testo);
    QFETCH(QString, atteso);
    QCOMPARE(PulisciTesto(testo), atteso);
}

void TestText::cutsBetweenMarkers()
{
    QString sorgente = "prima begin:vcard\nN:Rossi\nEnd:VCard mezzo BEGIN:VCARD\nN:Bianchi\nEND:VCARD dopo";
    const QString inizio = "BEGIN:VCARD", fine = "END:VCARD";
    QCOMPARE(TestoTraMarcatori(inizio, fine, sorgente, 0), QString("\nN:Rossi\n"));
    QCOMPARE(sorgente, QString(" mezzo BEGIN:VCARD\nN:Bianchi\nEND:VCARD dopo"));
    QCOMPARE(TestoTraMarcatori(inizio, fine, sorgente, 0), QString("\nN:Bianchi\n"));
    QCOMPARE(sorgente, QString(" dopo"));
    QCOMPARE(TestoTraMarcatori(inizio, fine, sorgente, 0), QString());
    QCOMPARE(sorgente, QString(" dopo"));

    // The start marker must begin within the limit; an end marker must follow.
    sorgente = "12345BEGIN:VCARDxEND:VCARD";
    QCOMPARE(TestoTraMarcatori(inizio, fine, sorgente, 5), QString());
    QCOMPARE(sorgente, QString("12345BEGIN:VCARDxEND:VCARD"));
    QCOMPARE(TestoTraMarcatori(inizio, fine, sorgente, 6), QString("x"));
    QCOMPARE(sorgente, QString());
    sorgente = "BEGIN:VCARD senza fine";
    QCOMPARE(TestoTraMarcatori(inizio, fine, sorgente, 0), QString());
    QCOMPARE(sorgente, QString("BEGIN:VCARD senza fine"));
}

void TestText::readsTextFiles_data()
{
    QTest::addColumn<QByteArray>("byte");
    QTest::addColumn<bool>("senzaACapo");
    QTest::addColumn<QString>("atteso");
    QTest::newRow("UTF-8") << QByteArray("Societ\xc3\xa0\nForl\xc3\xac") << false << "Società\nForlì";
    QTest::newRow("one byte per character") << QByteArray("Societ\xe0\nForl\xec") << false << "Società\nForlì";
    QTest::newRow("CR LF read as LF") << QByteArray("a\r\nb\r\n") << false << "a\nb\n";
    QTest::newRow("lone CR kept") << QByteArray("a\rb") << false << "a\rb";
    QTest::newRow("CR before CR LF kept") << QByteArray("a\r\r\nb\r") << false << "a\r\nb\r";
    QTest::newRow("line breaks removed") << QByteArray("a\r\nb\nc\rd") << true << "abcd";
    QTest::newRow("empty file") << QByteArray() << false << "";
}

void TestText::readsTextFiles()
{
    QFETCH(QByteArray, byte);
    QFETCH(bool, senzaACapo);
    QFETCH(QString, atteso);
    QTemporaryDir dir;
    const QString percorso = dir.filePath("prova.txt");
    QFile f(percorso);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(byte);
    f.close();
    QCOMPARE(LeggiFileTesto(percorso, senzaACapo), atteso);
    QCOMPARE(LeggiFileTesto(dir.filePath("manca.txt"), senzaACapo), QString());
}

void TestText::writesTextFiles()
{
    QTemporaryDir dir;
    const QString percorso = dir.filePath("contatti.vcf");
    QVERIFY(ScriviFileTesto(percorso, "vecchio contenuto più lungo", false));
    QVERIFY(ScriviFileTesto(percorso, "Società\nForlì\n", false));
    QCOMPARE(contenuto(percorso), QByteArray("Societ\xc3\xa0\nForl\xc3\xac\n")); // UTF-8, no byte-order mark
    QCOMPARE(LeggiFileTesto(percorso, false), QString("Società\nForlì\n"));
    QVERIFY(ScriviFileTesto(percorso, "a\r\nb\nc", true));
    QCOMPARE(contenuto(percorso), QByteArray("abc"));
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, ScriviFileTesto(dir.filePath("manca/contatti.vcf"), "x", false));
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, LeggiFileTesto(dir.path(), false)); // a folder is not a file
}
