#include "tst_importafatturapa.h"

#include "db/DbError.h"
#include "db/Query.h"
#include "einvoice/services/FatturaPA.h"
#include "einvoice/services/ImportazioneFatturaPA.h"
#include "einvoice/services/RegistrazioneFatturaPA.h"
#include "sales/services/Totali.h"
#include "support/TestCore.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <thread>

using namespace testing_support;
using namespace importazione_fatturapa;
using common::Decimale;

namespace {

QString fixture(const QString &nome) { return QStringLiteral(PELLA_FIXTURE_FATTURAPA "/") + nome; }

QByteArray contenuto(const QString &percorso)
{
    QFile f(percorso);
    if (!f.open(QIODevice::ReadOnly)) qFatal("fixture mancante: %s", qPrintable(percorso));
    return f.readAll();
}

bool scrivi(const QString &percorso, const QByteArray &dati)
{
    QFile f(percorso);
    return f.open(QIODevice::WriteOnly) && f.write(dati) == dati.size();
}

int esegui(const QString &programma, const QStringList &argomenti, QByteArray *uscita = nullptr)
{
    QProcess p;
    p.start(programma, argomenti);
    p.waitForFinished(60000);
    if (uscita) *uscita = p.readAllStandardOutput() + p.readAllStandardError();
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

// What the file says, read by Python's XML parser and the openssl command.
QStringList riassuntoIndipendente(const QString &percorso)
{
    QByteArray uscita;
    const int rc = esegui(QStringLiteral("/usr/bin/python3"), {QStringLiteral(PELLA_RIASSUNTO_FATTURAPA), percorso}, &uscita);
    if (rc != 0) qWarning("%s", uscita.constData());
    return QString::fromUtf8(uscita).split(u'\n', Qt::SkipEmptyParts);
}

QString num(const Decimale &d) { return d.isZero() ? QStringLiteral("0") : d.testoEsatto(); }
QString num(const std::optional<Decimale> &d) { return d ? num(*d) : QString(); }
QString numDb(const QVariant &v) { return num(Decimale::daVariant(v)); }

// The same lines from the program's reading.
QStringList riassuntoModello(const Documento &d)
{
    QStringList r;
    if (d.intestazionePresente) {
        const Soggetto &s = d.intestazione.cedente;
        const QString nome = s.denominazione.isEmpty() ? QString(s.cognome + u' ' + s.nome).trimmed() : s.denominazione;
        r << QStringList{"cedente", s.idFiscalePresente ? s.idPaese : QString(), s.idCodice, s.codiceFiscale, nome, s.comune, s.cap}.join(u'|');
        r << QStringList{"cessionario", d.intestazione.cessionarioIdCodice, d.intestazione.cessionarioCodiceFiscale}.join(u'|');
    }
    for (const Corpo &b : d.corpi) {
        r << QStringList{"corpo", b.tipoDocumento, b.data.toString(Qt::ISODate), b.numero, num(b.totaleRitenute)}.join(u'|');
        for (const Linea &l : b.linee)
            r << QStringList{"linea",          l.numeroLinea ? QString::number(*l.numeroLinea) : QString(),
                             l.descrizione,    num(l.quantitaRiga),
                             num(l.prezzoUnitario), num(l.prezzoTotale),
                             num(l.aliquotaIva), l.natura}
                     .join(u'|');
        for (const Riepilogo &s : b.riepiloghi)
            r << QStringList{"riepilogo", num(s.aliquotaIva), s.natura, num(s.imponibile), num(s.imposta)}.join(u'|');
        for (const DatiPagamento &p : b.pagamenti)
            for (const DettaglioPagamento &x : p.dettagli)
                r << QStringList{"pagamento", p.condizioni, x.modalita, x.scadenza.toString(Qt::ISODate), num(x.importo)}.join(u'|');
    }
    return r;
}

const QStringList kFileDiRiferimento = {
    "samples/IT01234567890_FPA01.xml",         "samples/IT01234567890_FPA02.xml",
    "samples/IT01234567890_FPA03.xml",         "samples/IT01234567890_FPR01.xml",
    "samples/IT01234567890_FPR02.xml",         "samples/IT01234567890_FPR03.xml",
    "p7m/IT01234567890_FPR03.xml.p7m",         "p7m/IT01234567890_FPR03.base64.xml.p7m",
    "p7m/IT01234567890_FPR04.base64.xml.p7m",  "p7m/IT02182030391_31.xml.p7m",
    "p7m/IT02182030391_31.Base64.CRLF.xml.p7m", "p7m/IT02182030391_32.windows-1252.xml",
};

// A small supplier's file; `prefisso` is the root's ("p:", "ns2:", "" for the default namespace).
QString fattura(const QString &prefisso = QStringLiteral("p:"))
{
    const QString ns = prefisso.isEmpty() ? QStringLiteral("xmlns") : QStringLiteral("xmlns:") + prefisso.chopped(1);
    return QStringLiteral(R"(<?xml version="1.0" encoding="UTF-8"?>
<%1FatturaElettronica versione="FPR12" %2="http://ivaservizi.agenziaentrate.gov.it/docs/xsd/fatture/v1.2">
  <FatturaElettronicaHeader>
    <DatiTrasmissione>
      <IdTrasmittente><IdPaese>IT</IdPaese><IdCodice>01234567897</IdCodice></IdTrasmittente>
      <ProgressivoInvio>00001</ProgressivoInvio>
      <FormatoTrasmissione>FPR12</FormatoTrasmissione>
      <CodiceDestinatario>ABC1234</CodiceDestinatario>
    </DatiTrasmissione>
    <CedentePrestatore>
      <DatiAnagrafici>
        <IdFiscaleIVA><IdPaese>IT</IdPaese><IdCodice>01234567897</IdCodice></IdFiscaleIVA>
        <Anagrafica><Denominazione>Società Àlfa Ricambi</Denominazione></Anagrafica>
        <RegimeFiscale>RF20</RegimeFiscale>
      </DatiAnagrafici>
      <Sede><Indirizzo>Via Pò 1</Indirizzo><CAP>20121</CAP><Comune>Milano</Comune><Provincia>MI</Provincia><Nazione>IT</Nazione></Sede>
    </CedentePrestatore>
    <CessionarioCommittente>
      <DatiAnagrafici>
        <IdFiscaleIVA><IdPaese>IT</IdPaese><IdCodice>09876543210</IdCodice></IdFiscaleIVA>
        <Anagrafica><Denominazione>Soccorso Stradale Srl</Denominazione></Anagrafica>
      </DatiAnagrafici>
      <Sede><Indirizzo>Via Roma 1</Indirizzo><CAP>20100</CAP><Comune>Milano</Comune><Nazione>IT</Nazione></Sede>
    </CessionarioCommittente>
  </FatturaElettronicaHeader>
  <FatturaElettronicaBody>
    <DatiGenerali>
      <DatiGeneraliDocumento>
        <TipoDocumento>TD01</TipoDocumento><Divisa>EUR</Divisa><Data>2025-03-01</Data><Numero>FT/12</Numero>
      </DatiGeneraliDocumento>
    </DatiGenerali>
    <DatiBeniServizi>
      <DettaglioLinee>
        <NumeroLinea>1</NumeroLinea><Descrizione>Cinghia è nuova</Descrizione><Quantita>2.00</Quantita>
        <PrezzoUnitario>12.50</PrezzoUnitario><PrezzoTotale>25.00</PrezzoTotale><AliquotaIVA>22.00</AliquotaIVA>
      </DettaglioLinee>
      <DettaglioLinee>
        <NumeroLinea>2</NumeroLinea><Descrizione>Trasporto</Descrizione><Quantita>1.00</Quantita>
        <PrezzoUnitario>10.00</PrezzoUnitario><PrezzoTotale>10.00</PrezzoTotale><AliquotaIVA>0.00</AliquotaIVA><Natura>N3.1</Natura>
      </DettaglioLinee>
      <DatiRiepilogo><AliquotaIVA>22.00</AliquotaIVA><ImponibileImporto>25.00</ImponibileImporto><Imposta>5.50</Imposta></DatiRiepilogo>
      <DatiRiepilogo><AliquotaIVA>0.00</AliquotaIVA><Natura>N3.1</Natura><ImponibileImporto>10.00</ImponibileImporto><Imposta>0.00</Imposta></DatiRiepilogo>
    </DatiBeniServizi>
    <DatiPagamento>
      <CondizioniPagamento>TP01</CondizioniPagamento>
      <DettaglioPagamento><ModalitaPagamento>MP05</ModalitaPagamento><DataScadenzaPagamento>2025-03-31</DataScadenzaPagamento><ImportoPagamento>20.25</ImportoPagamento></DettaglioPagamento>
      <DettaglioPagamento><ModalitaPagamento>MP05</ModalitaPagamento><DataScadenzaPagamento>2025-04-30</DataScadenzaPagamento><ImportoPagamento>20.25</ImportoPagamento></DettaglioPagamento>
    </DatiPagamento>
  </FatturaElettronicaBody>
</%1FatturaElettronica>
)")
        .arg(prefisso, ns);
}

QByteArray sostituisci(QByteArray b, const char *da, const char *a) { return b.replace(da, a); }

int conta(db::Connection &c, const QString &sql) { return c.scalar(sql).toInt(); }

// The rows an import may write, counted: a refused import leaves them all as they were.
QList<int> conteggi(db::Connection &c)
{
    QList<int> r;
    for (const char *t : {"fattura", "Fornitor", "Movimenti", "NotaCreditoCaricoRighe", "FatturaScadenze", "Iva", "Comuni"})
        r << conta(c, QStringLiteral("select count(*) from %1").arg(QLatin1String(t)));
    return r;
}

// The company of the tests, to whom the small file is addressed by its VAT number.
void ditta(db::Connection &c, bool aggiorna = true)
{
    c.execute("update ditta set PIva = '09876543210', CodFisc = null, Pec = null, CodiceSdi = null, RagSoc = 'Soccorso Stradale Srl'");
    c.execute("update opzioni set AggiornaAutomaticamenteInformazioniDaXml = :a", {{":a", aggiorna}});
}

struct Domande {
    bool risposta = true;
    QStringList fatte;
    Domanda funzione()
    {
        return [this](const QString &d) {
            fatte << d;
            return risposta;
        };
    }
};

Risultato importaTesto(db::Connection &c, const QByteArray &xml, Domande &domande) { return importa(c, xml, domande.funzione()); }

} // namespace

void TestServiziImportaFatturaPA::fileDiRiferimento_data()
{
    QTest::addColumn<QString>("file");
    for (const QString &f : kFileDiRiferimento) QTest::newRow(qPrintable(f)) << f;
}

// Every reference file read by the program says what Python's parser and openssl read in it.
void TestServiziImportaFatturaPA::fileDiRiferimento()
{
    QFETCH(QString, file);
    const QStringList atteso = riassuntoIndipendente(fixture(file));
    QVERIFY(atteso.size() > 4);
    QString errore;
    const Documento d = leggiFile(fixture(file), &errore);
    QCOMPARE(errore, QString());
    QCOMPARE(riassuntoModello(d), atteso);
}

void TestServiziImportaFatturaPA::formeReali_data()
{
    QTest::addColumn<QByteArray>("xml");
    const QByteArray base = fattura().toUtf8();
    const QByteArray latino = fattura().toLatin1();
    QTest::newRow("UTF-8 dichiarato") << base;
    QTest::newRow("senza dichiarazione") << base.mid(base.indexOf('\n') + 1);
    QTest::newRow("radice ns2:") << fattura(QStringLiteral("ns2:")).toUtf8();
    QTest::newRow("spazio dei nomi predefinito") << fattura(QString()).toUtf8();
    QTest::newRow("BOM e CR LF") << QByteArray("\xEF\xBB\xBF") + QByteArray(base).replace("\n", "\r\n");
    QTest::newRow("commento prima della radice") << sostituisci(base, "?>\n", "?>\n<!-- inviato dal gestionale -->\n");
    QTest::newRow("ISO-8859-1") << sostituisci(latino, "UTF-8", "ISO-8859-1");
    QTest::newRow("windows-1252") << sostituisci(latino, "UTF-8", "windows-1252");
    QTest::newRow("date con fuso orario") << sostituisci(sostituisci(base, "<Data>2025-03-01</Data>", "<Data>2025-03-01+01:00</Data>"),
                                                         "2025-03-31<", "2025-03-31T00:00:00<");
    QTest::newRow("spazi di riempimento") << sostituisci(sostituisci(sostituisci(base, "<Numero>FT/12</Numero>", "<Numero> FT/12  </Numero>"),
                                                                     "<IdCodice>01234567897</IdCodice></IdFiscaleIVA>\n        <Anagrafica><Denominazione>",
                                                                     "<IdCodice> 01234567897 </IdCodice></IdFiscaleIVA>\n        <Anagrafica><Denominazione>"),
                                                         "<PrezzoTotale>25.00</PrezzoTotale>", "<PrezzoTotale>\n 25.00 </PrezzoTotale>");
}

// The forms real files come in all read the same document, accents included.
void TestServiziImportaFatturaPA::formeReali()
{
    QFETCH(QByteArray, xml);
    QString errore;
    const Documento d = leggi(xml, &errore);
    QCOMPARE(errore, QString());
    QCOMPARE(d.versione, QString("FPR12"));
    QCOMPARE(d.intestazione.cedente.denominazione, QString("Società Àlfa Ricambi"));
    QCOMPARE(d.intestazione.cedente.idCodice, QString("01234567897"));
    QCOMPARE(d.intestazione.cedente.indirizzo, QString("Via Pò 1"));
    QCOMPARE(d.corpi.size(), 1);
    const Corpo &b = d.corpi.first();
    QCOMPARE(b.genere, Genere::FatturaAcquisto);
    QCOMPARE(b.data, QDate(2025, 3, 1));
    QCOMPARE(b.numero, QString("FT/12"));
    QCOMPARE(b.linee.size(), 2);
    QCOMPARE(b.linee[0].descrizione, QString("Cinghia è nuova"));
    QCOMPARE(b.linee[0].prezzoTotale, Decimale::daScala(2500, 2));
    QCOMPARE(b.linee[0].quantitaRiga, Decimale(2));
    QCOMPARE(b.linee[1].natura, QString("N3.1"));
    QCOMPARE(b.pagamenti.first().dettagli.size(), 2);
    QCOMPARE(b.pagamenti.first().dettagli[0].scadenza, QDate(2025, 3, 31));
}

// A file signed here (DER, the XML with accents, CR LF and a byte-order mark inside) comes out
// of its envelope byte for byte: no letter is lost.
void TestServiziImportaFatturaPA::bustaFirmataConAccenti()
{
    QTemporaryDir cartella;
    const QString xml = cartella.filePath("f.xml"), chiave = cartella.filePath("k.pem"), cert = cartella.filePath("c.pem");
    QVERIFY(scrivi(xml, QByteArray("\xEF\xBB\xBF") + fattura().toUtf8().replace("\n", "\r\n")));
    QCOMPARE(esegui("openssl", {"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", chiave, "-out", cert, "-subj",
                                "/CN=Fornitore di prova", "-days", "2"}),
             0);
    for (const bool ber : {false, true}) {
        const QString busta = cartella.filePath(ber ? "ber.xml.p7m" : "der.xml.p7m");
        QStringList arg{"cms", "-sign", "-nodetach", "-binary", "-in", xml, "-signer", cert, "-inkey", chiave, "-outform", "DER", "-out", busta};
        if (ber) arg << "-stream"; // indefinite lengths
        QCOMPARE(esegui("openssl", arg), 0);
        QString errore;
        const QByteArray dentro = apriBusta(contenuto(busta), &errore);
        QCOMPARE(errore, QString());
        QCOMPARE(dentro, contenuto(xml));
        const Documento d = leggiFile(busta, &errore);
        QCOMPARE(errore, QString());
        QCOMPARE(d.intestazione.cedente.denominazione, QString("Società Àlfa Ricambi"));
        QCOMPARE(d.corpi.first().linee.first().descrizione, QString("Cinghia è nuova"));
    }
}

namespace {

struct Ostile {
    const char *nome;
    QByteArray dati;
    QString messaggio;
};

// Hostile and broken files, each with a part of the message it must get.
QList<Ostile> ostili()
{
    QList<Ostile> r;
    const QByteArray base = fattura().toUtf8();
    const QByteArray der = contenuto(fixture("p7m/IT01234567890_FPR03.xml.p7m"));
    QByteArray alterata = der;
    const int i = alterata.indexOf("SOCIETA' ALPHA");
    if (i < 0) qFatal("busta di prova senza il testo atteso");
    alterata[i] = 'Z';
    const QString dtd = "dichiarazione DTD";
    r << Ostile{"vuoto", QByteArray(), QString("vuoto")};
    r << Ostile{"due byte di scarto", contenuto(fixture("p7m/IT05979361218_fake.xml.p7m")), QString("vuoto")};
    r << Ostile{"testo qualunque", QByteArray("Gentile cliente, in allegato la fattura."), QString("né un documento XML né una busta")};
    r << Ostile{"busta alterata", alterata, QString("alterato")};
    r << Ostile{"busta base64 alterata", alterata.toBase64(), QString("alterato")};
    r << Ostile{"busta troncata", der.left(der.size() / 2), QString("non è leggibile")};
    r << Ostile{"billion laughs", QByteArray("<?xml version=\"1.0\"?>\n<!DOCTYPE r [<!ENTITY a \"aaaaaaaaaa\">"
                                                  "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\"><!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\">]>\n"
                                                  "<p:FatturaElettronica xmlns:p=\"x\"><FatturaElettronicaHeader>&c;</FatturaElettronicaHeader>"
                                                  "</p:FatturaElettronica>"), dtd};
    r << Ostile{"entità esterna", sostituisci(base, "?>\n", "?>\n<!DOCTYPE p:FatturaElettronica [<!ENTITY x SYSTEM \"file:///etc/passwd\">]>\n")
                                              .replace("Cinghia è nuova", "&x;"), dtd};
    r << Ostile{"DTD dalla rete", sostituisci(base, "?>\n", "?>\n<!doctype p:FatturaElettronica SYSTEM \"http://127.0.0.1:9/x.dtd\">\n"), dtd};
    r << Ostile{"XML rotto", base.left(base.size() - 40), QString("non è un documento XML leggibile")};
    r << Ostile{"altra radice", QByteArray("<?xml version=\"1.0\"?><html><body/></html>"), QString("non è una fattura elettronica")};
    r << Ostile{"quantità con la virgola", sostituisci(base, "<Quantita>2.00<", "<Quantita>2,00<"), QString("Quantita non è un numero")};
    r << Ostile{"importo con parole", sostituisci(base, "<ImportoPagamento>20.25<", "<ImportoPagamento>venti<"), QString("ImportoPagamento non è un numero")};
    r << Ostile{"data impossibile", sostituisci(base, "<Data>2025-03-01<", "<Data>2025-02-30<"), QString("Data non è una data")};
    r << Ostile{"numero di linea", sostituisci(base, "<NumeroLinea>2<", "<NumeroLinea>II<"), QString("NumeroLinea non è un numero intero")};
    return r;
}

} // namespace

void TestServiziImportaFatturaPA::fileOstili_data()
{
    QTest::addColumn<QByteArray>("dati");
    QTest::addColumn<QString>("messaggio");
    for (const Ostile &o : ostili()) QTest::newRow(o.nome) << o.dati << o.messaggio;
}

// A hostile or broken file gets its Italian message and an empty document.
void TestServiziImportaFatturaPA::fileOstili()
{
    QFETCH(QByteArray, dati);
    QFETCH(QString, messaggio);
    QString errore;
    const Documento d = leggi(dati, &errore);
    QVERIFY2(errore.contains(messaggio), qPrintable(errore));
    QVERIFY(d.corpi.isEmpty());
    QVERIFY(!d.intestazionePresente);
}

// Imported, each of them writes nothing and asks nothing (one archive for them all).
void TestServiziImportaFatturaPA::ostiliNonScrivono()
{
    CoreSeams seams;
    TestDatabase db(TestDatabase::WithSchema);
    ditta(db.conn());
    const QList<int> prima = conteggi(db.conn());
    const QString percorso = db.folder() + "/ostile.xml.p7m";
    for (const Ostile &o : ostili()) {
        QVERIFY(scrivi(percorso, o.dati));
        Domande domande;
        const Risultato r = importaFile(db.conn(), percorso, domande.funzione());
        QVERIFY2(!r.riuscito, o.nome);
        QVERIFY2(r.messaggio.contains(o.messaggio), qPrintable(QString(o.nome) + ": " + r.messaggio));
        QCOMPARE(conteggi(db.conn()), prima);
        QVERIFY(domande.fatte.isEmpty());
    }
}

void TestServiziImportaFatturaPA::registrazione_data() { fileDiRiferimento_data(); }

// Every reference file booked into a new archive: one document per invoice or credit-note body,
// its rows and instalments what the file says, its totals the sum of its lines.
void TestServiziImportaFatturaPA::registrazione()
{
    QFETCH(QString, file);
    CoreSeams seams;
    TestDatabase db(TestDatabase::WithSchema);
    auto &c = db.conn();
    ditta(c);
    Domande domande;
    const Risultato r = importaFile(c, fixture(file), domande.funzione());
    QVERIFY2(r.riuscito, qPrintable(r.messaggio));

    // What the file says, grouped by body, for the bodies the program books.
    const QStringList riassunto = riassuntoIndipendente(fixture(file));
    QString cedente;
    struct Atteso {
        QString tipo, data, numero;
        QStringList linee, pagamenti;
        Decimale imponibile;
    };
    QList<Atteso> attesi;
    for (const QString &riga : riassunto) {
        const QStringList p = riga.split(u'|');
        if (p[0] == "cedente") cedente = p[2];
        if (p[0] == "corpo") attesi << Atteso{p[1], p[2], p[3], {}, {}, {}};
        if (p[0] == "linea") {
            attesi.last().linee << QStringList{p[1], p[2].left(100), p[3], p[4], p[5], p[6]}.join(u'|');
            attesi.last().imponibile += *Decimale::daTesto(p[5]);
        }
        if (p[0] == "pagamento") attesi.last().pagamenti << p[3] + u'|' + p[4];
    }
    attesi.removeIf([](const Atteso &a) { return genereDa(a.tipo) == Genere::NonImportato || a.linee.isEmpty(); });

    const qint64 fornitore = c.scalar("select Id from Fornitor where Iva = :iva", {{":iva", cedente}}).toLongLong();
    QVERIFY(fornitore > 0);
    QCOMPARE(r.idFornitore, fornitore);
    db::Query doc(&c);
    doc.setSql("select * from fattura where Carico = true order by ID");
    doc.open();
    QCOMPARE(doc.recordCount(), attesi.size());
    int progressivo = 0;
    for (const Atteso &a : attesi) {
        const qint64 id = doc.fieldByName("ID").asLargeInt();
        QCOMPARE(doc.fieldByName("Fornitore_ID").asLargeInt(), fornitore);
        QCOMPARE(doc.fieldByName("NumeroCarico").asString(), a.numero);
        QCOMPARE(doc.fieldByName("Data").asDateTime().date().toString(Qt::ISODate), a.data);
        QCOMPARE(doc.fieldByName("FattNota").asBoolean(), a.tipo == "TD04");
        QVERIFY(doc.fieldByName("ImportatoXml").asBoolean());
        QCOMPARE(doc.fieldByName("ProgressivoCarico").asInteger(), ++progressivo);
        QCOMPARE(doc.fieldByName("DataRegistrazione").asDateTime().date(), QDate(2026, 3, 15));
        QCOMPARE(numDb(doc.fieldByName("TotImponibile").value()), num(a.imponibile.centesimi()));

        db::Query righe(&c);
        righe.setSql("select * from Movimenti where Fattura_ID = :id order by NumeroRiga");
        righe.bind(":id", id);
        righe.open();
        QStringList lette;
        for (righe.first(); !righe.eof(); righe.next())
            lette << QStringList{righe.fieldByName("NumeroRiga").asString(), righe.fieldByName("Descrizione").asString(),
                                 numDb(righe.fieldByName("Um").value()), numDb(righe.fieldByName("ValoreUnitario").value()),
                                 numDb(righe.fieldByName("TotaleImponibile").value()), numDb(righe.fieldByName("AliquotaIva").value())}
                         .join(u'|');
        QCOMPARE(lette, a.linee);

        db::Query scadenze(&c);
        scadenze.setSql("select * from FatturaScadenze where Fattura_ID = :id order by Numero");
        scadenze.bind(":id", id);
        scadenze.open();
        QStringList rate;
        for (scadenze.first(); !scadenze.eof(); scadenze.next()) {
            rate << scadenze.fieldByName("DataScadenza").asDateTime().date().toString(Qt::ISODate) + u'|' +
                        numDb(scadenze.fieldByName("Importo").value());
            QCOMPARE(scadenze.fieldByName("Tipo").asString(), QString("C"));
            QVERIFY(!scadenze.fieldByName("Pagato").asBoolean());
        }
        QCOMPARE(rate, a.pagamenti);
        doc.next();
    }
}

// The same file again adds nothing and leaves a paid instalment paid.
void TestServiziImportaFatturaPA::secondaImportazione()
{
    CoreSeams seams;
    TestDatabase db(TestDatabase::WithSchema);
    auto &c = db.conn();
    ditta(c);
    Domande domande;
    const QString file = fixture("samples/IT01234567890_FPR03.xml");
    const Risultato prima = importaFile(c, file, domande.funzione());
    QVERIFY2(prima.riuscito, qPrintable(prima.messaggio));
    QCOMPARE(prima.documentiCreati.size(), 2);
    c.execute("update FatturaScadenze set Pagato = true, DataPagamento = #3/10/2026#");
    const QList<int> conti = conteggi(c);
    const Risultato seconda = importaFile(c, file, domande.funzione());
    QVERIFY2(seconda.riuscito, qPrintable(seconda.messaggio));
    QCOMPARE(seconda.documentiCreati.size(), 0);
    QCOMPARE(seconda.documentiGiaPresenti, prima.documentiCreati);
    QCOMPARE(conteggi(c), conti);
    QCOMPARE(conta(c, "select count(*) from FatturaScadenze where Pagato = false"), 0);
}

void TestServiziImportaFatturaPA::destinatario_data()
{
    QTest::addColumn<QString>("impostazione");
    QTest::addColumn<bool>("risposta");
    QTest::addColumn<bool>("domanda");
    QTest::addColumn<int>("documenti");
    QTest::newRow("codice SdI") << QString("CodiceSdi = 'abc1234 '") << false << false << 1;
    QTest::newRow("PEC in altre maiuscole") << QString("Pec = 'Ufficio@PEC.it'") << false << false << 1;
    QTest::newRow("partita IVA con spazi") << QString("PIva = ' 09876543210'") << false << false << 1;
    QTest::newRow("nulla corrisponde, No") << QString("PIva = '11111111111', CodFisc = 'RSSMRA80A01F205X'") << false << true << 0;
    QTest::newRow("nulla corrisponde, Sì") << QString("PIva = '11111111111'") << true << true << 1;
    QTest::newRow("ditta senza dati, No") << QString("PIva = null") << false << true << 0;
}

// The question about a file addressed to someone else comes before any write; a No writes
// nothing at all, supplier included.
void TestServiziImportaFatturaPA::destinatario()
{
    QFETCH(QString, impostazione);
    QFETCH(bool, risposta);
    QFETCH(bool, domanda);
    QFETCH(int, documenti);
    CoreSeams seams;
    TestDatabase db(TestDatabase::WithSchema);
    auto &c = db.conn();
    ditta(c);
    c.execute("update ditta set PIva = null, CodFisc = null, Pec = null, CodiceSdi = null");
    c.execute("update ditta set " + impostazione);
    const QList<int> prima = conteggi(c);
    Domande domande;
    domande.risposta = risposta;
    const QByteArray xml = sostituisci(fattura().toUtf8(), "<CodiceDestinatario>ABC1234</CodiceDestinatario>",
                                       "<CodiceDestinatario>ABC1234</CodiceDestinatario><PECDestinatario>ufficio@pec.it</PECDestinatario>");
    const Risultato r = importaTesto(c, xml, domande);
    QCOMPARE(domande.fatte, domanda ? QStringList{domandaDestinatario()} : QStringList());
    QCOMPARE(r.rifiutato, domanda && !risposta);
    QCOMPARE(conta(c, "select count(*) from fattura"), prima[0] + documenti);
    if (documenti == 0) QCOMPARE(conteggi(c), prima);
}

void TestServiziImportaFatturaPA::fornitore_data()
{
    QTest::addColumn<QString>("archivio");
    QTest::addColumn<QByteArray>("xml");
    QTest::addColumn<bool>("aggiorna");
    QTest::addColumn<int>("fornitoreAtteso"); // -1: a new one
    QTest::addColumn<QString>("nomeDocumento");
    const QByteArray base = fattura().toUtf8();
    const QByteArray senzaIva = sostituisci(base, "<IdFiscaleIVA><IdPaese>IT</IdPaese><IdCodice>01234567897</IdCodice></IdFiscaleIVA>\n        <Anagrafica>",
                                            "<CodiceFiscale>RSSMRA80A01F205X</CodiceFiscale><Anagrafica>");
    QTest::newRow("partita IVA con spazi in archivio")
        << QString("insert into Fornitor (Id, Fornitore, Iva) values (7, 'Alfa', ' 01234567897 ')") << base << true << 7 << QString("Società Àlfa Ricambi");
    QTest::newRow("senza partita IVA non prende chi non ne ha")
        << QString("insert into Fornitor (Id, Fornitore, Iva) values (7, 'Senza partita', '')") << senzaIva << true << -1 << QString("Società Àlfa Ricambi");
    QTest::newRow("per codice fiscale")
        << QString("insert into Fornitor (Id, Fornitore, Iva, CodFiscale) values (7, 'Rossi', '', 'rssmra80a01f205x')") << senzaIva << true << 7
        << QString("Società Àlfa Ricambi");
    QTest::newRow("opzione spenta, trovato: nulla cambia")
        << QString("insert into Fornitor (Id, Fornitore, Iva) values (7, 'Alfa vecchio', '01234567897')") << base << false << 7 << QString("Società Àlfa Ricambi");
    QTest::newRow("opzione spenta, non trovato") << QString("insert into Fornitor (Id, Fornitore, Iva) values (7, 'Altro', '999')") << base << false
                                                 << 0 << QString("Società Àlfa Ricambi");
}

// The supplier of a file: found by VAT number or tax code without padding blanks, never by an
// empty VAT number; created or refreshed only with the option on.
void TestServiziImportaFatturaPA::fornitore()
{
    QFETCH(QString, archivio);
    QFETCH(QByteArray, xml);
    QFETCH(bool, aggiorna);
    QFETCH(int, fornitoreAtteso);
    QFETCH(QString, nomeDocumento);
    CoreSeams seams;
    TestDatabase db(TestDatabase::WithSchema);
    auto &c = db.conn();
    ditta(c, aggiorna);
    c.execute(archivio);
    const QString nomePrima = c.scalar("select Fornitore from Fornitor where Id = 7").toString();
    const int fornitoriPrima = conta(c, "select count(*) from Fornitor");
    Domande domande;
    const Risultato r = importaTesto(c, xml, domande);
    QVERIFY2(r.riuscito, qPrintable(r.messaggio));
    const qint64 atteso = fornitoreAtteso >= 0 ? fornitoreAtteso : c.scalar("select Id from Fornitor where Id <> 7").toLongLong();
    if (fornitoreAtteso < 0) QVERIFY(atteso > 0);
    QCOMPARE(conta(c, "select count(*) from Fornitor"), fornitoriPrima + (fornitoreAtteso < 0 ? 1 : 0));
    QCOMPARE(c.scalar("select Fornitore_ID from fattura where Carico = true").toLongLong(), atteso);
    QCOMPARE(c.scalar("select Fornitore from fattura where Carico = true").toString(), nomeDocumento);
    QCOMPARE(c.scalar("select Fornitore from Fornitor where Id = 7").toString(), aggiorna && atteso == 7 ? nomeDocumento : nomePrima);
    if (aggiorna) {
        QCOMPARE(c.scalar("select VIA from Fornitor where Id = :id", {{":id", atteso}}).toString(), QString("Via Pò 1"));
        QVERIFY(c.scalar("select ImportatoXml from Fornitor where Id = :id", {{":id", atteso}}).toBool());
    }
}

void TestServiziImportaFatturaPA::generi_data()
{
    QTest::addColumn<QString>("tipo");
    QTest::addColumn<int>("fatture");
    QTest::addColumn<int>("note");
    QTest::newRow("TD01") << "TD01" << 1 << 0;
    QTest::newRow("TD24 differita") << "TD24" << 1 << 0;
    QTest::newRow("TD29 della versione 1.2.3") << "TD29" << 1 << 0;
    QTest::newRow("TD04 nota di credito") << "TD04" << 0 << 1;
    QTest::newRow("TD02 acconto: non registrato") << "TD02" << 0 << 0;
    QTest::newRow("td01 in minuscolo: non registrato") << "td01" << 0 << 0;
}

// The kinds of document booked as a purchase invoice or a supplier credit note; the others
// write nothing.
void TestServiziImportaFatturaPA::generi()
{
    QFETCH(QString, tipo);
    QFETCH(int, fatture);
    QFETCH(int, note);
    CoreSeams seams;
    TestDatabase db(TestDatabase::WithSchema);
    auto &c = db.conn();
    ditta(c);
    Domande domande;
    const QByteArray xml = fattura().toUtf8().replace("<TipoDocumento>TD01<", QByteArray("<TipoDocumento>" + tipo.toLatin1() + "<"));
    const Risultato r = importaTesto(c, xml, domande);
    QVERIFY2(r.riuscito, qPrintable(r.messaggio));
    QCOMPARE(conta(c, "select count(*) from fattura where Carico = true and FattNota = false"), fatture);
    QCOMPARE(conta(c, "select count(*) from fattura where Carico = true and FattNota = true"), note);
    QCOMPARE(conta(c, "select count(*) from Movimenti"), 2 * fatture);
    QCOMPARE(conta(c, "select count(*) from NotaCreditoCaricoRighe"), 2 * note);
    QCOMPARE(r.corpiSaltati, fatture + note ? 0 : 1);
}

// Discounts, surcharges, article codes and VAT codes made once for a new rate and a nature.
void TestServiziImportaFatturaPA::scontiECodici()
{
    CoreSeams seams;
    TestDatabase db(TestDatabase::WithSchema);
    auto &c = db.conn();
    ditta(c);
    QCOMPARE(conta(c, "select count(*) from Iva where Iva = 5.5"), 0);
    // Without a code for the nature, the import makes one with the nature's own description.
    c.execute("delete from Iva where Pa_Natura_Codice = 'N2.2'");
    QByteArray xml = fattura().toUtf8();
    const QByteArray linee = R"(<DettaglioLinee>
        <NumeroLinea>1</NumeroLinea>
        <CodiceArticolo><CodiceTipo>EAN13</CodiceTipo><CodiceValore>8001234567890</CodiceValore></CodiceArticolo>
        <CodiceArticolo><CodiceTipo>CodiceInterno</CodiceTipo><CodiceValore>CNG-40</CodiceValore></CodiceArticolo>
        <Descrizione>Cinghia</Descrizione><PrezzoUnitario>100.00</PrezzoUnitario>
        <ScontoMaggiorazione><Tipo>SC</Tipo><Percentuale>10.00</Percentuale></ScontoMaggiorazione>
        <ScontoMaggiorazione><Tipo>MG</Tipo><Importo>3.00</Importo></ScontoMaggiorazione>
        <ScontoMaggiorazione><Tipo>SC</Tipo><Importo>2.00</Importo></ScontoMaggiorazione>
        <ScontoMaggiorazione><Tipo>SC</Tipo><Percentuale>5.00</Percentuale></ScontoMaggiorazione>
        <PrezzoTotale>88.06</PrezzoTotale><AliquotaIVA>5.50</AliquotaIVA>
      </DettaglioLinee>
      <DettaglioLinee><NumeroLinea>2</NumeroLinea><Descrizione>Olio</Descrizione><PrezzoUnitario>10.00</PrezzoUnitario>
        <ScontoMaggiorazione><Tipo>MG</Tipo><Percentuale>10.00</Percentuale></ScontoMaggiorazione>
        <PrezzoTotale>11.00</PrezzoTotale><AliquotaIVA>5.5</AliquotaIVA></DettaglioLinee>
      <DettaglioLinee><NumeroLinea>3</NumeroLinea><Descrizione>Bollo</Descrizione><PrezzoUnitario>2.00</PrezzoUnitario>
        <PrezzoTotale>2.00</PrezzoTotale><AliquotaIVA>0.00</AliquotaIVA><Natura>N2.2</Natura></DettaglioLinee>
      <DettaglioLinee><NumeroLinea>4</NumeroLinea><Descrizione>Marca</Descrizione><PrezzoUnitario>1.00</PrezzoUnitario>
        <PrezzoTotale>1.00</PrezzoTotale><AliquotaIVA>0.00</AliquotaIVA><Natura>N2.2</Natura></DettaglioLinee>
      <DatiRiepilogo>)";
    const int da = xml.indexOf("<DettaglioLinee>"), a = xml.indexOf("<DatiRiepilogo>");
    xml.replace(da, a - da + int(strlen("<DatiRiepilogo>")), linee);
    Domande domande;
    const Risultato r = importaTesto(c, xml, domande);
    QVERIFY2(r.riuscito, qPrintable(r.messaggio));
    db::Query q(&c);
    q.setSql("select Movimenti.*, Iva.Descrizione as Codice_Iva, Iva.ImportatoXml as IvaImportata from Movimenti "
             "left join Iva on Iva.Id = Movimenti.Iva_ID order by NumeroRiga");
    q.open();
    QStringList righe;
    for (q.first(); !q.eof(); q.next())
        righe << QStringList{q.fieldByName("Codice").asString(),   numDb(q.fieldByName("Um").value()),
                             numDb(q.fieldByName("ValoreUnitario").value()), numDb(q.fieldByName("Sconto").value()),
                             numDb(q.fieldByName("Sconto2").value()), numDb(q.fieldByName("Sconto3").value()),
                             numDb(q.fieldByName("PrezzoCompleto").value()), q.fieldByName("Codice_Iva").asString()}
                     .join(u'|');
    QCOMPARE(righe, (QStringList{"CNG-40|1|103|10|0|5|92.9|5,5 %", "|1|11|0|0|0|11.61|5,5 %",
                                 "|1|2|0|0|0|2|non soggette - altri casi", "|1|1|0|0|0|1|non soggette - altri casi"}));
    QCOMPARE(conta(c, "select count(*) from Iva where Iva = 5.5 and ImportatoXml = true"), 1);
    QCOMPARE(conta(c, "select count(*) from Iva where Pa_Natura_Codice = 'N2.2' and ImportatoXml = true"), 1);
    // Totals per rate: 99.06 at 5.5% gives 5.45; 3.00 without VAT.
    QCOMPARE(numDb(c.scalar("select TotImponibile from fattura")), QString("102.06"));
    QCOMPARE(numDb(c.scalar("select TotImposta from fattura")), QString("5.45"));
    QCOMPARE(numDb(c.scalar("select TotFattura from fattura")), QString("107.51"));
}

// A credit note linked to the invoice booked before it, numbered on its own, rows and
// instalments of its own kind.
void TestServiziImportaFatturaPA::notaDiCredito()
{
    CoreSeams seams;
    TestDatabase db(TestDatabase::WithSchema);
    auto &c = db.conn();
    ditta(c);
    Domande domande;
    const Risultato f = importaTesto(c, fattura().toUtf8(), domande);
    QVERIFY2(f.riuscito, qPrintable(f.messaggio));
    QByteArray nota = sostituisci(sostituisci(fattura().toUtf8(), "<TipoDocumento>TD01<", "<TipoDocumento>TD04<"), "<Numero>FT/12<", "<Numero>NC/1<");
    nota.replace("</DatiGeneraliDocumento>", "<DatiRitenuta><TipoRitenuta>RT02</TipoRitenuta><ImportoRitenuta>2.00</ImportoRitenuta>"
                                             "<AliquotaRitenuta>20.00</AliquotaRitenuta><CausalePagamento>A</CausalePagamento></DatiRitenuta>"
                                             "<DatiRitenuta><TipoRitenuta>RT01</TipoRitenuta><ImportoRitenuta>0.50</ImportoRitenuta>"
                                             "<AliquotaRitenuta>4.00</AliquotaRitenuta><CausalePagamento>A</CausalePagamento></DatiRitenuta>"
                                             "</DatiGeneraliDocumento><DatiFattureCollegate><IdDocumento>FT/12</IdDocumento>"
                                             "<Data>2025-03-01</Data></DatiFattureCollegate>");
    const Risultato n = importaTesto(c, nota, domande);
    QVERIFY2(n.riuscito, qPrintable(n.messaggio));
    QCOMPARE(n.documentiCreati.size(), 1);
    const qint64 id = n.documentiCreati.first();
    db::Query q(&c);
    q.setSql("select * from fattura where ID = :id");
    q.bind(":id", id);
    q.open();
    QVERIFY(q.fieldByName("FattNota").asBoolean());
    QCOMPARE(q.fieldByName("NCFattIDRif").asLargeInt(), f.documentiCreati.first());
    QCOMPARE(q.fieldByName("NCFattNumRifCarico").asString(), QString("FT/12"));
    QCOMPARE(q.fieldByName("NCFattDataRif").asDateTime().date(), QDate(2025, 3, 1));
    QCOMPARE(q.fieldByName("ProgressivoCarico").asInteger(), 1);
    QCOMPARE(numDb(q.fieldByName("RitenutaAcconto").value()), QString("2.5"));
    QCOMPARE(conta(c, QString("select count(*) from NotaCreditoCaricoRighe where NotaCredito_ID = %1").arg(id)), 2);
    QCOMPARE(numDb(c.scalar(QString("select ValoreTotale from NotaCreditoCaricoRighe where NotaCredito_ID = %1 and NumeroRiga = 1").arg(id))),
             QString("30.5"));
    QCOMPARE(conta(c, QString("select count(*) from FatturaScadenze where Fattura_ID = %1 and Tipo = 'B'").arg(id)), 2);
}

// A sales invoice exported by the program, read back by its customer as a supplier's file:
// rows, totals and instalments are the same.
void TestServiziImportaFatturaPA::giroCompleto()
{
    CoreSeams seams;
    TestDatabase vendita(TestDatabase::WithSchema);
    auto &v = vendita.conn();
    v.execute("update ditta set IdPaese = 'IT', PIva = '01234567897', CodFisc = '01234567897', RagSoc = 'Traino & Soccorso Srl', "
              "Via = 'Via Roma', Numero = '1', Cap = '20100', Comune = 'Milano', Provincia = 'MI', RegimeFiscale = 'RF01'");
    v.execute("insert into ModPagamento (Id, Descrizione, NumeroScadenze, PA_ModalitaPagamento_Codice) values (50, 'Bonifico 30 60', 2, 'MP05')");
    v.execute("insert into Clienti (Id, Cliente, Iva, CodFiscale, IdPaese, Codice, Via, Cap, Citta, Provincia) values "
              "(1, 'Officina Bianchi Snc', '01879020517', '01879020517', 'IT', 'ABC1234', 'Via Verdi 3', '20121', 'Milano', 'MI')");
    v.execute("insert into fattura (ID, Num, Data, Cliente_ID, FattNota, Carico, Storico, DatiTrasmissione_FormatoTrasmissione, "
              "DatiTrasmissione_ProgressivoInvio, ModPagamento_Id) values (1, 12, #3/5/2026#, 1, false, false, false, 'FPR12', '7', 50)");
    const qint64 iva22 = v.scalar("select min(ID) from Iva where Iva = 22").toLongLong();
    const qint64 iva10 = v.scalar("select min(ID) from Iva where Iva = 10").toLongLong();
    const qint64 esente = v.scalar("select min(ID) from Iva where Pa_Natura_Codice = 'N4'").toLongLong();
    QVERIFY(iva22 > 0 && iva10 > 0 && esente > 0);
    const struct {
        const char *descrizione;
        double q, prezzo, sconto, aliquota;
        qint64 iva;
    } righe[] = {{"Traino veicolo", 2, 12.5, 10, 22, iva22}, {"Deposito giornaliero", 3, 33.33, 0, 10, iva10},
                 {"Custodia esente", 1, 50, 0, 0, esente}};
    int n = 0;
    for (const auto &r : righe)
        v.execute("insert into fattdett (NumFatt, NumeroRiga, TipoRiga, Descrizione, Um, ValoreUnitario, Sconto, AliquotaIva, Iva_ID, "
                  "TotaleImponibile) values (1, :n, 'N', :d, :q, :p, :s, :a, :iva, :t)",
                  {{":n", ++n}, {":d", r.descrizione}, {":q", r.q}, {":p", r.prezzo}, {":s", r.sconto}, {":a", r.aliquota},
                   {":iva", r.iva}, {":t", (Decimale::daDouble(r.q) * Decimale::daDouble(r.prezzo)).toDouble() * (100 - r.sconto) / 100}});
    const vendite::Totali totali = vendite::aggiornaTotali(v, vendite::Righe::Fattura, 1);
    v.execute("insert into FatturaScadenze (Fattura_ID, Numero, DataScadenza, Importo, ModPagamento_Id) values "
              "(1, 1, #4/4/2026#, 100, 50), (1, 2, #5/4/2026#, :resto, 50)",
              {{":resto", (Decimale::daDouble(totali.totale) - Decimale(100)).toDouble()}});
    fatturapa::Esito rifiuto;
    const QByteArray xml = fatturapa::costruisci(v, 1, &rifiuto);
    QVERIFY2(!xml.isEmpty(), qPrintable(rifiuto.messaggio));

    TestDatabase acquisto(TestDatabase::WithSchema);
    auto &c = acquisto.conn();
    c.execute("update ditta set PIva = '01879020517', RagSoc = 'Officina Bianchi Snc'");
    c.execute("update opzioni set AggiornaAutomaticamenteInformazioniDaXml = true");
    Domande domande;
    const Risultato r = importaTesto(c, xml, domande);
    QVERIFY2(r.riuscito, qPrintable(r.messaggio));
    QVERIFY(domande.fatte.isEmpty());
    QCOMPARE(r.documentiCreati.size(), 1);
    const qint64 id = r.documentiCreati.first();

    auto elenco = [](db::Connection &conn, const QString &sql, const QStringList &colonne, qint64 doc) {
        db::Query q(&conn);
        q.setSql(sql);
        q.bind(":id", doc);
        q.open();
        QStringList r;
        for (q.first(); !q.eof(); q.next()) {
            QStringList riga;
            for (const QString &col : colonne) {
                const QVariant x = q.fieldByName(col).value();
                riga << (x.typeId() == QMetaType::QString ? x.toString() : numDb(x));
            }
            r << riga.join(u'|');
        }
        return r;
    };
    const QStringList colonne{"NumeroRiga", "Descrizione", "Um", "ValoreUnitario", "Sconto", "AliquotaIva", "TotaleImponibile"};
    QCOMPARE(elenco(c, "select * from Movimenti where Fattura_ID = :id order by NumeroRiga", colonne, id),
             elenco(v, "select * from fattdett where NumFatt = :id order by NumeroRiga", colonne, 1));
    const QStringList tot{"TotImponibile", "TotImposta", "TotFattura"};
    QCOMPARE(elenco(c, "select TotImponibile, TotImposta, TotFattura from fattura where ID = :id", tot, id),
             elenco(v, "select TotImponibile, TotImposta, TotFattura from fattura where ID = :id", tot, 1));
    QCOMPARE(c.scalar("select NumeroCarico from fattura").toString(), QString("12"));
    QCOMPARE(elenco(c, "select Importo, DataScadenza from FatturaScadenze where Fattura_ID = :id order by Numero", {"Importo", "DataScadenza"}, id),
             elenco(v, "select Importo, DataScadenza from FatturaScadenze where Fattura_ID = :id order by Numero", {"Importo", "DataScadenza"}, 1));
    QCOMPARE(c.scalar("select Fornitore from Fornitor").toString(), QString("Traino & Soccorso Srl"));
}

// Two workstations import two files of one new supplier at the same moment: one supplier,
// two documents with their own progressives.
void TestServiziImportaFatturaPA::dueImportazioniInsieme()
{
    CoreSeams seams;
    TestDatabase db(TestDatabase::WithSchema);
    ditta(db.conn());
    std::atomic<int> pronte{0};
    QString errori[2];
    Risultato esiti[2];
    auto postazione = [&](int k) {
        try {
            db::Connection c;
            if (!c.open(db.path())) throw db::DbError(c.error());
            const QByteArray xml = sostituisci(fattura().toUtf8(), "<Numero>FT/12<", k ? "<Numero>FT/13<" : "<Numero>FT/14<");
            QString errore;
            const Documento d = leggi(xml, &errore);
            ++pronte;
            while (pronte < 2) std::this_thread::yield();
            esiti[k] = registra(c, d, [](const QString &) { return true; });
        } catch (const std::exception &e) {
            ++pronte;
            errori[k] = QString::fromUtf8(e.what());
        }
    };
    std::thread a(postazione, 0), b(postazione, 1);
    a.join();
    b.join();
    QVERIFY2(errori[0].isEmpty() && errori[1].isEmpty(), qPrintable(errori[0] + errori[1]));
    QVERIFY(esiti[0].riuscito && esiti[1].riuscito);
    auto &c = db.conn();
    QCOMPARE(conta(c, "select count(*) from Fornitor where Iva = '01234567897'"), 1);
    QCOMPARE(conta(c, "select count(distinct ProgressivoCarico) from fattura where Carico = true"), 2);
    QCOMPARE(conta(c, "select count(*) from Movimenti"), 4);
    QCOMPARE(conta(c, "select count(*) from FatturaScadenze"), 4);
}
