#include "tst_fatturapa.h"

#include "common/LineArithmetic.h"
#include "einvoice/services/FatturaPA.h"
#include "sales/services/Totali.h"
#include "support/TestCore.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace testing_support;

namespace {

// Documents of the fixture set: their fattura ID.
enum : qint64 {
    kAzienda = 101,      // business, several rates and discounts, two natures, transport and
                         // collection rows, stamp duty, instalments with bank, an attachment
    kPrivato = 102,      // private person (tax code only), attachment without instalments
    kPA = 103,           // public administration, split payment, office code, order with CIG
    kEstero = 104,       // foreign customer, intra-EU nature
    kNotaRif = 105,      // credit note with its reference
    kNotaSenzaRif = 106, // credit note without reference
    kDueCodici = 107,    // two VAT codes at 22
};

int conta(db::Connection &c, const QString &sql) { return c.scalar(sql).toInt(); }

void riga(db::Connection &c, qint64 doc, bool nota, int numero, const QString &descrizione, double q, double prezzo,
          double sconto, double aliquota, qint64 iva, const QString &tipo = QStringLiteral("N"))
{
    const QString tabella = nota ? QStringLiteral("NotaCreditoRighe") : QStringLiteral("fattdett");
    const QString legame = nota ? QStringLiteral("NotaCredito_ID") : QStringLiteral("NumFatt");
    c.execute(QStringLiteral("insert into %1 (%2, NumeroRiga, TipoRiga, Descrizione, Um, ValoreUnitario, Sconto, AliquotaIva, "
                             "Iva_ID, TotaleImponibile) values (:doc, :n, :tipo, :descr, :q, :p, :s, :a, :iva, :tot)")
                  .arg(tabella, legame),
              {{":doc", doc}, {":n", numero}, {":tipo", tipo}, {":descr", descrizione}, {":q", q}, {":p", prezzo},
               {":s", sconto}, {":a", aliquota}, {":iva", iva},
               {":tot", common::TotaleRigaNetto(false, q, prezzo, sconto, 0, 0, 0)}});
}

qint64 ivaDi(db::Connection &c, const QString &natura)
{
    return c.scalar(QStringLiteral("select ID from Iva where Pa_Natura_Codice = :n"), {{":n", natura}}).toLongLong();
}
qint64 ivaAl(db::Connection &c, double aliquota)
{
    return c.scalar(QStringLiteral("select min(ID) from Iva where Iva = :a"), {{":a", aliquota}}).toLongLong();
}

// The company, four customers and the seven documents above, totals from the one totals function.
void archivio(db::Connection &c, const QString &cartella)
{
    c.execute("update ditta set IdPaese = 'IT', PIva = '01234567890', CodFisc = '01234567890', RagSoc = 'Soccorso & Traino Srl', "
              "Via = 'Via Roma', Numero = '1', Cap = '20100', Comune = 'Milano', Provincia = 'MI', RegimeFiscale = 'RF01', "
              "Tel = '021234567', Email = 'ufficio@traino.it', FatturaAnno = true, FatturazioneMultipla = true, "
              "Iscrizione_REA = true, Iscrizione_REA_Ufficio = 'MI', Iscrizione_REA_NumeroREA = '123456', "
              "Iscrizione_REA_CapitaleSociale = 10000, Iscrizione_REA_SocioUnico = 'SU', Iscrizione_REA_StatoLiquidazione = 'LN'");
    c.execute("insert into Bank (Id, Banca, Iban, Beneficiario) values (1, 'Banca Uno', 'IT60X0542811101000000123456', 'Soccorso Srl')");
    c.execute("insert into ModPagamento (Id, Descrizione, NumeroScadenze, PA_ModalitaPagamento_Codice) values "
              "(1, 'Bonifico 30 60', 2, 'MP05'), (2, 'Contanti', 0, 'MP01')");
    c.execute("insert into Clienti (Id, Cliente, Iva, CodFiscale, IdPaese, Codice, Via, Numero, Cap, Citta, Provincia) values "
              "(1, 'Autofficina Bianchi Snc', '01879020517', '01879020517', 'IT', 'ABC1234XYZ', 'Via Verdi', '3', '20121', 'Milano', 'MI')");
    c.execute("insert into Clienti (Id, Nome, Cognome, CodFiscale, IdPaese, Via, Cap, Citta, Provincia, Pec) values "
              "(2, 'Mario', 'Rossi', 'rssmra80a01h501u', 'IT', 'Via Po', '00100', 'Roma', 'RM', 'mario@pec.it')");
    c.execute("insert into Clienti (Id, Cliente, Iva, CodFiscale, IdPaese, PubblicaAmministrazione, CodiceUnivocoUfficio, Via, Cap, "
              "Citta, Provincia) values (3, 'Comune di Lodi', '80012345678', '80012345678', 'IT', true, 'UFY9MH', 'Piazza Broletto', "
              "'26900', 'Lodi', 'LO')");
    // A foreign customer carries the exchange system's code of foreign addressees.
    c.execute("insert into Clienti (Id, Cliente, Iva, IdPaese, Codice, Via, Cap, Citta) values "
              "(4, 'Abschlepp GmbH', '123456789', 'DE', 'XXXXXXX', 'Hauptstrasse 5', '10115', 'Berlin')");

    auto documento = [&](qint64 id, int num, const QString &data, qint64 cliente, bool nota, const QString &formato,
                         const QString &progressivo, const QString &altro = QString()) {
        c.execute(QStringLiteral("insert into fattura (ID, Num, Data, Cliente_ID, FattNota, Carico, Storico, SerieFatturazione, "
                                 "DatiTrasmissione_FormatoTrasmissione, DatiTrasmissione_ProgressivoInvio, ModPagamento_Id, Banca_ID) "
                                 "values (:id, :num, #%1#, :cli, :nota, false, false, 'B', :fmt, :prog, 2, 1)")
                      .arg(data),
                  {{":id", id}, {":num", num}, {":cli", cliente}, {":nota", nota}, {":fmt", formato}, {":prog", progressivo}});
        if (!altro.isEmpty()) c.execute(QStringLiteral("update fattura set %1 where ID = %2").arg(altro).arg(id));
    };
    documento(kAzienda, 12, "3/5/2024", 1, false, "FPR12", "7", "ImportoMarcaBollo = 2, ModPagamento_Id = 1, Causale = 'Traino del 4/3'");
    riga(c, kAzienda, false, 1, "Traino veicolo", 2, 12.5, 10, 22, ivaAl(c, 22));
    riga(c, kAzienda, false, 2, "Deposito giornaliero", 3, 33.33, 0, 10, ivaAl(c, 10));
    riga(c, kAzienda, false, 3, "Spese di Trasporto", 1, 20.49, 0, 22, ivaAl(c, 22), "T");
    riga(c, kAzienda, false, 4, "Spese di Incasso", 1, 4.1, 0, 22, ivaAl(c, 22), "S");
    riga(c, kAzienda, false, 5, "Anticipazione bolli", 1, 16, 0, 0, ivaDi(c, "N1"));
    riga(c, kAzienda, false, 6, "Custodia esente", 1, 50, 0, 0, ivaDi(c, "N4"));
    c.execute("insert into FatturaScadenze (Fattura_ID, Numero, DataScadenza, Importo, ModPagamento_Id, Banca_ID) values "
              "(101, 1, #4/4/2024#, 80, 1, 0), (101, 2, #5/4/2024#, 79.74, 1, 1)");
    c.execute(QStringLiteral("insert into Fattura_Allegati (Fattura_Id, NomeAttachment, FormatoAttachment, DescrizioneAttachment, "
                             "PercorsoCompleto) values (101, 'verbale.txt', 'TXT', 'Verbale di traino', :p), "
                             "(102, 'foto.txt', 'TXT', 'Foto', :p), (101, 'vuoto', null, null, '')"),
              {{":p", QString(cartella + "/verbale.txt")}});

    documento(kPrivato, 13, "3/6/2024", 2, false, "FPR12", "8");
    riga(c, kPrivato, false, 1, "Soccorso stradale", 1, 100, 0, 22, ivaAl(c, 22));

    documento(kPA, 14, "3/7/2024", 3, false, "FPA12", "9", "ScissionePagamenti = true");
    riga(c, kPA, false, 1, "Rimozione veicolo", 1, 250, 0, 22, ivaAl(c, 22));
    c.execute("insert into OrdiniClienti (Fattura_ID, Numero, Data, CodiceCig) values (103, 'DET-45', #2/1/2024#, 'Z1234567AB')");
    c.execute("insert into FatturaScadenze (Fattura_ID, Numero, DataScadenza, Importo, ModPagamento_Id, Banca_ID) values "
              "(103, 1, #4/7/2024#, 250, 0, 0)");

    documento(kEstero, 15, "3/8/2024", 4, false, "FPR12", "10");
    riga(c, kEstero, false, 1, "Recupero veicolo", 1, 400, 0, 0, ivaDi(c, "N3.2"));
    // A unit discount whose double carries noise beyond the schema's eight decimals.
    riga(c, kEstero, false, 2, "Custodia", 1, 84.21, 10, 0, ivaDi(c, "N3.2"));

    documento(kNotaRif, 1, "1/15/2025", 1, true, "FPR12", "11",
              "NCFattIDRif = 101, NCFattNumRif = 12, NCFatSerieRif = 'B', NCFattDataRif = #3/5/2024#");
    riga(c, kNotaRif, true, 1, "Storno traino", 1, 10, 0, 22, ivaAl(c, 22));
    documento(kNotaSenzaRif, 2, "1/16/2025", 2, true, "FPR12", "12");
    riga(c, kNotaSenzaRif, true, 1, "Abbuono", 1, 5, 0, 22, ivaAl(c, 22));

    c.execute("insert into Iva (ID, Iva, Descrizione) values (900, 22, 'Iva 22% seconda')");
    documento(kDueCodici, 16, "3/9/2024", 1, false, "FPR12", "13");
    riga(c, kDueCodici, false, 1, "Prima", 1, 10.10, 0, 22, ivaAl(c, 22));
    riga(c, kDueCodici, false, 2, "Seconda", 1, 20.20, 0, 22, 900);

    for (qint64 id : {kAzienda, kPrivato, kPA, kEstero, kDueCodici}) vendite::aggiornaTotali(c, vendite::Righe::Fattura, id);
    for (qint64 id : {kNotaRif, kNotaSenzaRif}) vendite::aggiornaTotali(c, vendite::Righe::NotaCredito, id);
}

void scriviAllegato(const QString &cartella)
{
    QFile f(cartella + "/verbale.txt");
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("Verbale: veicolo trainato il 4 marzo.\n");
}

const QList<qint64> kDocumenti = {kAzienda, kPrivato, kPA, kEstero, kNotaRif, kNotaSenzaRif, kDueCodici};

// Runs a program, returning its exit code and, in `uscita`, what it wrote.
int esegui(const QString &programma, const QStringList &argomenti, QString *uscita = nullptr,
           const QProcessEnvironment &ambiente = QProcessEnvironment::systemEnvironment())
{
    QProcess p;
    p.setProcessEnvironment(ambiente);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(programma, argomenti);
    if (!p.waitForFinished(120000)) return -1;
    if (uscita) *uscita = QString::fromUtf8(p.readAll());
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

QString leggi(const QString &percorso)
{
    QFile f(percorso);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// The text of the first element `nome` after the text `dopo` (or from the start).
QString elemento(const QString &xml, const QString &nome, const QString &dopo = QString())
{
    const qsizetype da = dopo.isEmpty() ? 0 : xml.indexOf(dopo);
    const QRegularExpression re(QStringLiteral("<%1>([^<]*)</%1>").arg(nome));
    const QRegularExpressionMatch m = re.match(xml, qMax<qsizetype>(0, da));
    return m.hasMatch() ? m.captured(1) : QStringLiteral("<assente>");
}

struct Esportazione {
    QTemporaryDir cartella;
    CoreSeams seams;
    TestDatabase db{TestDatabase::WithSchema};
    Esportazione()
    {
        scriviAllegato(cartella.path());
        archivio(db.conn(), cartella.path());
    }
    QString percorso(qint64 id) { return cartella.filePath(fatturapa::nomeFile(db.conn(), id)); }
    fatturapa::Esito esporta(qint64 id) { return fatturapa::esporta(db.conn(), id, percorso(id)); }
};

} // namespace

void TestServiziFatturaPA::fileValidi()
{
    Esportazione e;
    QStringList file;
    for (qint64 id : kDocumenti) {
        const fatturapa::Esito esito = e.esporta(id);
        QVERIFY2(esito.riuscito, qPrintable(esito.messaggio));
        QVERIFY(QFile::exists(e.percorso(id)));
        file << e.percorso(id);
    }
    QCOMPARE(conta(e.db.conn(), "select count(*) from fattura where EsportatoXml = true"), kDocumenti.size());
    // No temporary file is left beside them.
    QCOMPARE(QDir(e.cartella.path()).entryList(QDir::Files).size(), kDocumenti.size() + 1);

    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    ambiente.insert("XML_CATALOG_FILES", QStringLiteral(PELLA_SCHEMA_FATTURAPA "/catalog.xml"));
    QString uscita;
    const int xmllint = esegui("xmllint", QStringList{"--noout", "--nonet", "--schema",
                                                      PELLA_XSD_FATTURAPA_122} + file,
                               &uscita, ambiente);
    QVERIFY2(xmllint == 0, qPrintable(uscita));
    const int a38 = esegui("/usr/bin/python3", QStringList{PELLA_A38_VERIFICA} + file, &uscita);
    QVERIFY2(a38 == 0, qPrintable(uscita));
}

void TestServiziFatturaPA::contenuto()
{
    Esportazione e;
    for (qint64 id : kDocumenti) QVERIFY(e.esporta(id).riuscito);
    const QString azienda = leggi(e.percorso(kAzienda));
    QVERIFY(azienda.startsWith(R"(<?xml version="1.0" encoding="UTF-8"?>)"));
    QVERIFY(azienda.contains(R"(<p:FatturaElettronica versione="FPR12")"));
    QVERIFY(azienda.trimmed().endsWith("</p:FatturaElettronica>"));
    QCOMPARE(elemento(azienda, "Denominazione"), QString("Soccorso &amp; Traino Srl"));
    QCOMPARE(elemento(azienda, "CodiceDestinatario"), QString("ABC1234"));
    QCOMPARE(elemento(azienda, "Numero", "<DatiGeneraliDocumento>"), QString("12/2024/B"));
    QCOMPARE(elemento(azienda, "ImportoBollo"), QString("2.00"));
    QCOMPARE(elemento(azienda, "Importo", "<ScontoMaggiorazione>"), QString("1.25"));
    QCOMPARE(elemento(azienda, "CapitaleSociale"), QString("10000.00"));
    // One summary block per rate and nature, the zero rates each with its nature.
    QCOMPARE(azienda.count("<DatiRiepilogo>"), 4);
    QVERIFY(azienda.contains("<Natura>N1</Natura>"));
    QVERIFY(azienda.contains("<Natura>N4</Natura>"));
    const QRegularExpression blocco22(R"(<AliquotaIVA>22.00</AliquotaIVA>\s*<ImponibileImporto>([^<]*)</ImponibileImporto>\s*<Imposta>([^<]*)<)");
    QCOMPARE(blocco22.match(azienda).captured(1), QString("47.09"));
    QCOMPARE(blocco22.match(azienda).captured(2), QString("10.36"));
    QCOMPARE(azienda.count("<DettaglioPagamento>"), 2);
    QCOMPARE(elemento(azienda, "CondizioniPagamento"), QString("TP01"));
    QCOMPARE(elemento(azienda, "IBAN"), QString("IT60X0542811101000000123456"));
    QCOMPARE(azienda.count("<Allegati>"), 1);
    QCOMPARE(elemento(azienda, "Attachment"), QString::fromLatin1(QByteArray("Verbale: veicolo trainato il 4 marzo.\n").toBase64()));

    // A private person: tax code upper-cased, no VAT identity, the PEC with the code of zeros;
    // the attachment kept without instalments.
    const QString privato = leggi(e.percorso(kPrivato));
    QVERIFY(!privato.contains("<CessionarioCommittente>\n    <DatiAnagrafici>\n      <IdFiscaleIVA>"));
    QCOMPARE(elemento(privato, "CodiceFiscale", "<CessionarioCommittente>"), QString("RSSMRA80A01H501U"));
    QCOMPARE(elemento(privato, "CodiceDestinatario"), QString("0000000"));
    QCOMPARE(elemento(privato, "PECDestinatario"), QString("mario@pec.it"));
    QVERIFY(!privato.contains("<DatiPagamento>"));
    QCOMPARE(privato.count("<Allegati>"), 1);

    const QString pa = leggi(e.percorso(kPA));
    QVERIFY(pa.contains(R"(versione="FPA12")"));
    QCOMPARE(elemento(pa, "CodiceDestinatario"), QString("UFY9MH"));
    QCOMPARE(elemento(pa, "EsigibilitaIVA"), QString("S"));
    QCOMPARE(elemento(pa, "CodiceCIG"), QString("Z1234567AB"));

    const QString estero = leggi(e.percorso(kEstero));
    QCOMPARE(elemento(estero, "IdPaese", "<CessionarioCommittente>"), QString("DE"));
    QCOMPARE(elemento(estero, "Natura"), QString("N3.2"));
    QCOMPARE(elemento(estero, "Importo", "<ScontoMaggiorazione>"), QString("8.421"));

    const QString notaRif = leggi(e.percorso(kNotaRif));
    QCOMPARE(elemento(notaRif, "TipoDocumento"), QString("TD04"));
    QCOMPARE(elemento(notaRif, "IdDocumento", "<DatiFattureCollegate>"), QString("12/2024/B"));
    QCOMPARE(elemento(notaRif, "Data", "<DatiFattureCollegate>"), QString("2024-03-05"));
    QCOMPARE(elemento(notaRif, "Numero", "<DatiGeneraliDocumento>"), QString("1/2025/B"));
    // Without a reference: no linked-document block, no number 0 nor date of 1899.
    const QString notaSenza = leggi(e.percorso(kNotaSenzaRif));
    QVERIFY(!notaSenza.contains("DatiFattureCollegate"));
    QVERIFY(!notaSenza.contains("1899"));

    // Two VAT codes at one rate and no nature: one block of both rows, counted once.
    const QString dueCodici = leggi(e.percorso(kDueCodici));
    QCOMPARE(dueCodici.count("<DatiRiepilogo>"), 1);
    QCOMPARE(elemento(dueCodici, "ImponibileImporto"), QString("30.30"));
    QCOMPARE(elemento(dueCodici, "Imposta", "<DatiRiepilogo>"), QString("6.67"));
}

void TestServiziFatturaPA::rifiuti_data()
{
    QTest::addColumn<qint64>("documento");
    QTest::addColumn<QString>("modifica");
    QTest::addColumn<QString>("elemento");
    QTest::addColumn<QString>("messaggio");
    QTest::newRow("zero rate without nature")
        << qint64(kPrivato) << "insert into Iva (ID, Iva, Descrizione) values (901, 0, 'Zero'); update fattdett set AliquotaIva = 0, Iva_ID = 901 where NumFatt = 102"
        << "FatturaElettronicaBody/DatiBeniServizi/DettaglioLinee/Natura" << "manca la natura";
    QTest::newRow("generic nature")
        << qint64(kPrivato) << "insert into Iva (ID, Iva, Descrizione, Pa_Natura_Codice) values (902, 0, 'Vecchia', 'N2'); update fattdett set AliquotaIva = 0, Iva_ID = 902 where NumFatt = 102"
        << "FatturaElettronicaBody/DatiBeniServizi/DettaglioLinee/Natura" << "codice di dettaglio";
    QTest::newRow("customer without address")
        << qint64(kPrivato) << "update Clienti set Via = '' where Id = 2"
        << "FatturaElettronicaHeader/CessionarioCommittente/Sede/Indirizzo" << "Indirizzo";
    QTest::newRow("postal code of three digits")
        << qint64(kPrivato) << "update Clienti set Cap = '153' where Id = 2"
        << "FatturaElettronicaHeader/CessionarioCommittente/Sede/CAP" << "CAP";
    QTest::newRow("customer without tax id")
        << qint64(kPrivato) << "update Clienti set CodFiscale = '' where Id = 2"
        << "FatturaElettronicaHeader/CessionarioCommittente/DatiAnagrafici/CodiceFiscale" << "né la partita IVA né il codice fiscale";
    QTest::newRow("euro sign in a description")
        << qint64(kPrivato) << QString::fromUtf8("update fattdett set Descrizione = 'Traino 100 €' where NumFatt = 102")
        << "FatturaElettronicaBody/DatiBeniServizi/DettaglioLinee/Descrizione" << "8364";
    QTest::newRow("curly quote in the company name")
        << qint64(kPrivato) << QString::fromUtf8("update ditta set RagSoc = 'L’Officina'")
        << "FatturaElettronicaHeader/CedentePrestatore/DatiAnagrafici/Anagrafica/Denominazione" << "8217";
    QTest::newRow("line total off by more than a cent")
        << qint64(kPrivato) << "update fattdett set TotaleImponibile = 99.98 where NumFatt = 102"
        << "FatturaElettronicaBody/DatiBeniServizi/DettaglioLinee/PrezzoTotale" << "non è il prezzo per la quantità";
    QTest::newRow("summary without its lines")
        << qint64(kDueCodici) << "update fattdett set TotaleImponibile = 0 where NumFatt = 107 and NumeroRiga = 2"
        << "FatturaElettronicaBody/DatiBeniServizi/DettaglioLinee[2]/PrezzoTotale" << "non è il prezzo per la quantità";
    QTest::newRow("negative quantity")
        << qint64(kPrivato) << "update fattdett set Um = -1, TotaleImponibile = -100 where NumFatt = 102"
        << "FatturaElettronicaBody/DatiBeniServizi/DettaglioLinee/Quantita" << "Quantita";
    QTest::newRow("missing attachment")
        << qint64(kPrivato) << "update Fattura_Allegati set PercorsoCompleto = '/non/esiste/foto.txt' where Fattura_Id = 102"
        << "" << "Attenzione non è più presente il file allegato : /non/esiste/foto.txt";
    QTest::newRow("customer no longer in the archive")
        << qint64(kPrivato) << "delete from Clienti where Id = 2" << "" << "non è presente in archivio";
}

void TestServiziFatturaPA::rifiuti()
{
    QFETCH(qint64, documento);
    QFETCH(QString, modifica);
    QFETCH(QString, elemento);
    QFETCH(QString, messaggio);
    Esportazione e;
    const QString percorso = e.percorso(documento);
    for (const QString &istruzione : modifica.split("; ")) e.db.conn().execute(istruzione);
    const fatturapa::Esito esito = e.esporta(documento);
    QVERIFY(!esito.riuscito);
    QVERIFY2(esito.messaggio.contains(messaggio), qPrintable(esito.messaggio));
    QCOMPARE(esito.elemento, elemento);
    if (!elemento.isEmpty()) {
        QVERIFY2(esito.messaggio.contains(elemento), qPrintable(esito.messaggio));
        QVERIFY2(esito.messaggio.contains(documento == kDueCodici ? "la fattura numero 16 del 09/03/2024" : "la fattura numero 13 del 06/03/2024"),
                 qPrintable(esito.messaggio));
    }
    // Nothing is left and nothing is marked.
    QVERIFY(!QFile::exists(percorso));
    QCOMPARE(QDir(e.cartella.path()).entryList(QDir::Files), QStringList{"verbale.txt"});
    QCOMPARE(conta(e.db.conn(), "select count(*) from fattura where EsportatoXml = true"), 0);
}

void TestServiziFatturaPA::nomeFile_data()
{
    QTest::addColumn<QString>("ditta");
    QTest::addColumn<QString>("progressivo");
    QTest::addColumn<QString>("atteso");
    QTest::newRow("VAT number, padded progressive") << "" << "7" << "IT01234567890_00007.xml";
    QTest::newRow("first five characters") << "" << "123456" << "IT01234567890_12345.xml";
    QTest::newRow("tax code upper-cased") << "Trasmissione_CodFisc = true, CodFisc = 'rssmra80a01h501u'" << "42"
                                          << "ITRSSMRA80A01H501U_00042.xml";
}

void TestServiziFatturaPA::nomeFile()
{
    QFETCH(QString, ditta);
    QFETCH(QString, progressivo);
    QFETCH(QString, atteso);
    Esportazione e;
    if (!ditta.isEmpty()) e.db.conn().execute("update ditta set " + ditta);
    e.db.conn().execute("update fattura set DatiTrasmissione_ProgressivoInvio = :p where ID = 102", {{":p", progressivo}});
    QCOMPARE(fatturapa::nomeFile(e.db.conn(), kPrivato), atteso);
    QVERIFY(e.esporta(kPrivato).riuscito);
    QVERIFY(QFile::exists(e.cartella.filePath(atteso)));
    QCOMPARE(elemento(leggi(e.cartella.filePath(atteso)), "ProgressivoInvio"), progressivo);
}

void TestServiziFatturaPA::cartellaNonScrivibile()
{
    Esportazione e;
    const QString percorso = e.cartella.filePath("manca/IT01234567890_00008.xml");
    const fatturapa::Esito esito = fatturapa::esporta(e.db.conn(), kPrivato, percorso);
    QVERIFY(!esito.riuscito);
    QVERIFY2(esito.messaggio.contains("non è stato scritto"), qPrintable(esito.messaggio));
    QCOMPARE(conta(e.db.conn(), "select count(*) from fattura where EsportatoXml = true"), 0);
    // An existing file is replaced whole.
    QFile vecchio(e.percorso(kPrivato));
    QVERIFY(vecchio.open(QIODevice::WriteOnly));
    vecchio.write("vecchio");
    vecchio.close();
    QVERIFY(e.esporta(kPrivato).riuscito);
    QVERIFY(leggi(e.percorso(kPrivato)).contains("</p:FatturaElettronica>"));
    QCOMPARE(conta(e.db.conn(), "select count(*) from fattura where EsportatoXml = true and ID = 102"), 1);
}

void TestServiziFatturaPA::foglioDiStile()
{
    Esportazione e;
    QVERIFY(e.esporta(kAzienda).riuscito);
    QString html;
    QCOMPARE(esegui("xsltproc", {PELLA_FOGLIO_FATTURAPA, e.percorso(kAzienda)}, &html), 0);
    // The rendering shows the invoice's total and the summary's taxable and VAT per rate.
    const vendite::Totali t = vendite::calcolaTotali(e.db.conn(), vendite::Righe::Fattura, kAzienda);
    auto testo = [](double v) { return QString::number(v, 'f', 2); };
    QVERIFY2(html.contains(testo(t.totale)), qPrintable(testo(t.totale)));
    for (const vendite::RiepilogoIva &r : t.riepilogo) {
        QVERIFY2(html.contains(testo(r.imponibile)), qPrintable(testo(r.imponibile)));
        if (r.imposta != 0) QVERIFY2(html.contains(testo(r.imposta)), qPrintable(testo(r.imposta)));
    }
    QCOMPARE(e.db.scalar("select TotFattura from fattura where ID = 101").toDouble(), t.totale);
}

void TestServiziFatturaPA::coerenza()
{
    Esportazione e;
    QCOMPARE(fatturapa::verificaCoerenza(e.db.conn(), kAzienda), QString());
    e.db.conn().execute("update fattdett set TotaleImponibile = 10 where NumFatt = 102");
    e.db.conn().execute("update fattura set TotFattura = 1 where ID = 102");
    const QString m = fatturapa::verificaCoerenza(e.db.conn(), kPrivato);
    QCOMPARE(m, QString("La riga numero:1 ha un imponibile di : 10 diverso da quello calcolato: 100\n"
                        "Il totale della fattura: ha un valore di : 1 diverso da quello calcolato: 122\n"));

    // Totals stored by the one totals rule are coherent: 10.05 at 10% and 30.25 at 22% have VAT
    // 1.01 and 6.66 (7.67), where one sum of the rows' VAT rounded once gives 7.66.
    e.db.conn().execute("delete from fattdett where NumFatt = 102");
    riga(e.db.conn(), kPrivato, false, 1, "Deposito", 1, 10.05, 0, 10, ivaAl(e.db.conn(), 10));
    riga(e.db.conn(), kPrivato, false, 2, "Traino", 1, 30.25, 0, 22, ivaAl(e.db.conn(), 22));
    vendite::aggiornaTotali(e.db.conn(), vendite::Righe::Fattura, kPrivato);
    QCOMPARE(e.db.scalar("select TotImposta from fattura where ID = 102").toDouble(), 7.67);
    QCOMPARE(fatturapa::verificaCoerenza(e.db.conn(), kPrivato), QString());
}

void TestServiziFatturaPA::clienteControlli_data()
{
    QTest::addColumn<QString>("modifica");
    QTest::addColumn<QString>("messaggio");
    QTest::newRow("business with code") << "" << "";
    QTest::newRow("business without code nor PEC") << "update Clienti set Codice = '' where Id = 1" << "la pec o il codice sdi";
    QTest::newRow("business with PEC only") << "update Clienti set Codice = '', Pec = 'a@pec.it' where Id = 1" << "";
    QTest::newRow("public administration without office") << "update Clienti set PubblicaAmministrazione = true, CodiceUnivocoUfficio = '' where Id = 1"
                                                          << "Codice Univoco Ufficio";
    QTest::newRow("missing customer") << "update fattura set Cliente_ID = 99 where ID = 101" << "non è presente in archivio";
}

void TestServiziFatturaPA::clienteControlli()
{
    QFETCH(QString, modifica);
    QFETCH(QString, messaggio);
    Esportazione e;
    if (!modifica.isEmpty()) e.db.conn().execute(modifica);
    const QString m = fatturapa::controllaCliente(e.db.conn(), kAzienda);
    if (messaggio.isEmpty()) QCOMPARE(m, QString());
    else QVERIFY2(m.contains(messaggio), qPrintable(m));
}

// The codes of the schema in force since April 2025: a company under the cross-border
// franchise regime exports, and a document of type TD29 passes the check.
void TestServiziFatturaPA::codiciVersione123()
{
    Esportazione e;
    QCOMPARE(conta(e.db.conn(), "select count(*) from PA_RegimeFiscale where Codice = 'RF20'"), 1);
    e.db.conn().execute("update ditta set RegimeFiscale = 'RF20'");
    const fatturapa::Esito esito = e.esporta(kPrivato);
    QVERIFY2(esito.riuscito, qPrintable(esito.messaggio));
    const QString xml = leggi(e.percorso(kPrivato));
    QCOMPARE(elemento(xml, "RegimeFiscale"), QString("RF20"));
    QByteArray td29 = xml.toUtf8();
    td29.replace("<TipoDocumento>TD01</TipoDocumento>", "<TipoDocumento>TD29</TipoDocumento>");
    QVERIFY(td29.contains("TD29"));
    const fatturapa::Esito controllo = fatturapa::verifica(td29, QStringLiteral("la prova"));
    QVERIFY2(controllo.riuscito, qPrintable(controllo.messaggio));
    // An unknown code is still refused by the schema.
    td29.replace("TD29", "TD30");
    QVERIFY(!fatturapa::verifica(td29, QStringLiteral("la prova")).riuscito);
}

// Several documents at once: each under its standard name and marked; a refused document is
// reported alone and the others still go; an unwritable folder writes and marks nothing.
void TestServiziFatturaPA::esportaTutti()
{
    Esportazione e;
    e.db.conn().execute("update Clienti set Via = '' where Id = 2"); // the private person's invoice is refused
    const QString uscita = e.cartella.filePath("lotto");
    QVERIFY(QDir().mkpath(uscita));
    const QList<qint64> ids{kAzienda, kPrivato, kPA};
    const QList<fatturapa::Esito> esiti = fatturapa::esportaTutti(e.db.conn(), ids, uscita);
    QCOMPARE(esiti.size(), 3);
    QVERIFY2(esiti[0].riuscito, qPrintable(esiti[0].messaggio));
    QVERIFY(!esiti[1].riuscito);
    QCOMPARE(esiti[1].elemento, QString("FatturaElettronicaHeader/CessionarioCommittente/Sede/Indirizzo"));
    QVERIFY(esiti[2].riuscito);
    QCOMPARE(QDir(uscita).entryList(QDir::Files),
             (QStringList{fatturapa::nomeFile(e.db.conn(), kAzienda), fatturapa::nomeFile(e.db.conn(), kPA)}));
    QCOMPARE(conta(e.db.conn(), "select count(*) from fattura where EsportatoXml = true"), 2);
    QCOMPARE(conta(e.db.conn(), "select count(*) from fattura where EsportatoXml = true and ID in (101, 103)"), 2);
    QString uscitaLint;
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    ambiente.insert("XML_CATALOG_FILES", QStringLiteral(PELLA_SCHEMA_FATTURAPA "/catalog.xml"));
    QCOMPARE(esegui("xmllint", QStringList{"--noout", "--nonet", "--schema", PELLA_XSD_FATTURAPA_122,
                                           QDir(uscita).filePath(fatturapa::nomeFile(e.db.conn(), kPA))},
                    &uscitaLint, ambiente),
             0);

    e.db.conn().execute("update fattura set EsportatoXml = false");
    const QList<fatturapa::Esito> falliti = fatturapa::esportaTutti(e.db.conn(), {kAzienda, kPA}, e.cartella.filePath("manca"));
    QCOMPARE(falliti.size(), 2);
    for (const fatturapa::Esito &f : falliti) {
        QVERIFY(!f.riuscito);
        QVERIFY2(f.messaggio.contains("non è stato scritto"), qPrintable(f.messaggio));
    }
    QCOMPARE(conta(e.db.conn(), "select count(*) from fattura where EsportatoXml = true"), 0);
    QVERIFY(!QDir(e.cartella.filePath("manca")).exists());
}
