#include "tst_notecredito.h"

#include "db/DbError.h"
#include "db/Query.h"
#include "sales/services/NoteCredito.h"
#include "sales/services/Numerazione.h"
#include "sales/services/RigheFattura.h"
#include "sales/services/Totali.h"
#include "support/TestCore.h"

#include <QTest>

Q_DECLARE_METATYPE(vendite::CriteriNoteCredito)

using namespace testing_support;

namespace {

int conta(db::Connection &c, const QString &sql) { return c.scalar(sql).toInt(); }

// Invoice 10 of customer 1 (number 7, series "B", 05/02/2026) with six rows of every kind, and
// credit note 20 of the same customer that refers to it, with a payment method of one
// instalment and one row typed by hand. The options name the credit notes' three accounts.
void archivio(db::Connection &c)
{
    c.execute("update opzioni set conto_ID_Predefinito_su_NoteCreditoVendita_Generale = 51, "
              "conto_ID_Predefinito_su_NoteCreditoVendita_SpeseTrasporto = 52, "
              "conto_ID_Predefinito_su_NoteCreditoVendita_SpeseIncasso = 53, IncrementaNumeroRigaArticoli = true");
    c.execute("insert into ModPagamento (id, Descrizione, NumeroScadenze, GG1Scadenza) values (5, 'Rimessa 30', 1, 30)");
    c.execute("insert into Clienti (Id, Cognome) values (1, 'Rossi')");
    c.execute("insert into fattura (ID, Num, Data, SerieFatturazione, Cliente_ID, FattNota, Carico) "
              "values (10, 7, #2/5/2026#, 'B', 1, false, false), (11, 8, #2/6/2026#, 'B', 1, false, false)");
    c.execute("insert into fattdett (NumFatt, NumeroRiga, TipoRiga, Um, ValoreUnitario, Sconto, AliquotaIva, Iva_ID, "
              "TotaleImponibile, ValoreTotale, Descrizione, Codice, Targa1, Reparto, Note, ContabilitaConti_ID, RIFDDT, DDT_ID) values "
              "(10, 1, 'N', 2, 100, 10, 22, 1, 180, 219.6, 'Traino', 'TR', 'AB123CD', 'Officina', 'nota fattura', 9, 'DDT1', 4), "
              "(10, 2, 'D', 1, 33.33, 0, 22, 1, 33.33, 40.66, 'Deposito', null, null, null, null, 9, null, 0), "
              "(10, 3, 'C', -1, 10, 0, 22, 1, -10, -12.2, 'Storno', null, null, null, null, 9, null, 0), "
              "(10, 4, 'd', 1, 1, 0, 10, 2, 1, 1.1, 'Minuscola', null, null, null, null, 9, null, 0), "
              "(10, 5, 's', 1, 4.1, 0, 22, 1, 4.1, 5, 'Spese di Incasso', null, null, null, null, 9, null, 0), "
              "(10, 6, 'T', 1, 20.49, 0, 22, 1, 20.49, 25, 'Spese di Trasporto', null, null, null, null, 9, null, 0), "
              "(11, 1, 'N', 1, 50, 0, 22, 1, 50, 61, 'Altra', null, null, null, null, 9, null, 0)");
    c.execute("insert into fattura (ID, Num, Data, Cliente_ID, FattNota, Carico, ModPagamento_Id, NCFattIDRif, NCFattNumRif, "
              "NCFatSerieRif, NCFattDataRif) values (20, 1, #3/1/2026#, 1, true, false, 5, 10, 7, 'B', #2/5/2026#)");
    c.execute("insert into NotaCreditoRighe (NotaCredito_ID, NumeroRiga, TipoRiga, Um, ValoreUnitario, Sconto, AliquotaIva, "
              "Descrizione) values (20, 1, 'A', 1, 5, 0, 22, 'A mano')");
}

} // namespace

void TestServiziNoteCredito::filtro_data()
{
    QTest::addColumn<vendite::CriteriNoteCredito>("criteri");
    QTest::addColumn<QString>("atteso");
    QTest::addColumn<QString>("errore");
    using K = vendite::CriteriNoteCredito;
    QTest::newRow("nothing") << K{} << "" << "";
    QTest::newRow("stars") << K{.numero = "*", .serie = "*"} << "" << "";
    QTest::newRow("number is exact") << K{.numero = " 12"} << "Num = 12" << "";
    QTest::newRow("every box, in order")
        << K{.numero = "3", .daData = "01/02/2026", .aData = "28/02/2026", .cliente = 4, .serie = "A"}
        << "Num = 3 and Data >= #01/02/2026# and Data < #01/03/2026# and Cliente_ID = 4 and SerieFatturazione = 'A'" << "";
    QTest::newRow("series with an apostrophe") << K{.serie = "D'A"} << "SerieFatturazione = 'D''A'" << "";
    QTest::newRow("no such day") << K{.daData = "31/02/2026"} << "" << "maskDaData";
    QTest::newRow("SQL in the number") << K{.numero = "1 or 1=1"} << "" << "Edit2";
}

void TestServiziNoteCredito::filtro()
{
    QFETCH(vendite::CriteriNoteCredito, criteri);
    QFETCH(QString, atteso);
    QFETCH(QString, errore);
    const vendite::FiltroFatture f = vendite::filtroNoteCredito(criteri);
    QCOMPARE(f.filtro, atteso);
    QCOMPARE(f.casella, errore);
    QCOMPARE(f.valido(), errore.isEmpty());
}

void TestServiziNoteCredito::filtroApplicato()
{
    CoreSeams seams;
    TestDatabase d(TestDatabase::WithSchema);
    d.conn().execute("insert into fattura (ID, Num, Data, SerieFatturazione, FattNota) values "
                     "(1, 1, #2/1/2026#, 'A''B', true), (2, 12, '2026-02-28 18:30:00', 'A', true), (3, 120, #3/1/2026#, 'A', true)");
    db::Query q(&d.conn());
    q.setSql("select * from fattura order by Num");
    q.open();
    const auto righe = [&](const vendite::CriteriNoteCredito &k) {
        q.setFilter(vendite::filtroNoteCredito(k).filtro);
        QStringList ids;
        for (q.first(); !q.eof(); q.next()) ids << q.fieldByName("ID").asString();
        return ids;
    };
    QCOMPARE(righe({.numero = "12"}), QStringList({"2"}));
    QCOMPARE(righe({.daData = "01/02/2026", .aData = "28/02/2026"}), QStringList({"1", "2"}));
    QCOMPARE(righe({.serie = "a'b"}), QStringList({"1"}));
    QCOMPARE(righe({}), QStringList({"1", "2", "3"}));
}

void TestServiziNoteCredito::numerazione_data()
{
    QTest::addColumn<bool>("unica");
    QTest::addColumn<bool>("multipla");
    QTest::addColumn<QString>("serie");
    QTest::addColumn<qint64>("numero");
    // Invoices up to 9 (series A up to 9, series B 4), credit notes up to 2 (series B).
    QTest::newRow("separate numbering: among the credit notes") << false << false << "" << qint64(3);
    QTest::newRow("joint numbering: after the invoices") << true << false << "" << qint64(10);
    QTest::newRow("joint, in series B") << true << true << "B" << qint64(5);
    QTest::newRow("separate, in series A: the first") << false << true << "A" << qint64(1);
}

void TestServiziNoteCredito::numerazione()
{
    QFETCH(bool, unica);
    QFETCH(bool, multipla);
    QFETCH(QString, serie);
    QFETCH(qint64, numero);
    CoreSeams seams;
    TestDatabase d(TestDatabase::WithSchema);
    db::Connection &c = d.conn();
    c.execute(QStringLiteral("update opzioni set NumerazioneUnicaNoteCredito = %1, Bank_ID = 3, ModPagamento_Id = 5").arg(unica ? 1 : 0));
    c.execute(QStringLiteral("update ditta set FatturazioneMultipla = %1").arg(multipla ? 1 : 0));
    c.execute("insert into fattura (Num, FattNota, SerieFatturazione, DatiTrasmissione_NumeroInterno) values "
              "(9, false, 'A', 30), (4, false, 'B', 31), (2, true, 'B', 32), (1, true, 'B', 33)");
    const vendite::DocumentoCreato n =
        vendite::nuovoDocumento(c, {.notaCredito = true, .serie = serie, .oggi = QDate(2026, 3, 1)});
    QCOMPARE(n.numero, numero);
    QCOMPARE(n.progressivo, qint64(34));
    db::Query q(&c);
    q.setSql(QStringLiteral("select * from fattura where ID = %1").arg(n.id));
    q.open();
    QCOMPARE(q.fieldByName("Num").asLargeInt(), numero);
    QVERIFY(q.fieldByName("FattNota").asBoolean());
    QVERIFY(!q.fieldByName("Carico").asBoolean());
    QVERIFY(!q.fieldByName("Storico").asBoolean());
    QVERIFY(!q.fieldByName("EsportatoXml").asBoolean());
    QCOMPARE(q.fieldByName("DatiGenerali_Divisa").asString(), QString("EUR"));
    QCOMPARE(q.fieldByName("Banca_ID").asLargeInt(), qint64(3));
    QCOMPARE(q.fieldByName("ModPagamento_Id").asLargeInt(), qint64(5));
    QCOMPARE(q.fieldByName("DatiTrasmissione_ProgressivoInvio").asLargeInt(), qint64(34));
}

void TestServiziNoteCredito::dataPrecedente_data()
{
    QTest::addColumn<bool>("unica");
    QTest::addColumn<QVariant>("atteso");
    // Credit note 4 dated 20/03; invoice 4 dated 25/03; the credit note being typed is 5 of 10/03.
    QTest::newRow("separate: the credit note before") << false << QVariant(qint64(4));
    QTest::newRow("joint: the invoice counts too") << true << QVariant(qint64(4));
}

void TestServiziNoteCredito::dataPrecedente()
{
    QFETCH(bool, unica);
    QFETCH(QVariant, atteso);
    CoreSeams seams;
    TestDatabase d(TestDatabase::WithSchema);
    db::Connection &c = d.conn();
    c.execute(QStringLiteral("update opzioni set NumerazioneUnicaNoteCredito = %1").arg(unica ? 1 : 0));
    // Only an invoice: it counts only with the joint numbering.
    c.execute("insert into fattura (Num, Data, FattNota) values (4, #3/25/2026#, false)");
    const std::optional<qint64> soloFattura = vendite::precedenteConDataSuccessiva(c, 5, QDate(2026, 3, 10), QString(), true);
    QCOMPARE(soloFattura.has_value(), unica);
    c.execute("delete from fattura");
    c.execute("insert into fattura (Num, Data, FattNota) values (4, #3/20/2026#, true)");
    const std::optional<qint64> p = vendite::precedenteConDataSuccessiva(c, 5, QDate(2026, 3, 10), QString(), true);
    QVERIFY(p.has_value());
    QCOMPARE(QVariant(*p), atteso);
    // The invoice editor's check never sees credit notes while the numbering is separate.
    QCOMPARE(vendite::precedenteConDataSuccessiva(c, 5, QDate(2026, 3, 10), QString()).has_value(), unica);
}

void TestServiziNoteCredito::eliminaConTuttoCioCheNeDipende()
{
    CoreSeams seams;
    TestDatabase d(TestDatabase::WithSchema);
    db::Connection &c = d.conn();
    // Credit note 20 with everything that hangs on it; credit note 21 with the same kinds stays.
    c.execute("insert into fattura (ID, Num, FattNota) values (20, 1, true), (21, 2, true)");
    c.execute("insert into NotaCreditoRighe (NotaCredito_ID, NumeroRiga) values (20, 1), (20, 2), (21, 1)");
    c.execute("insert into FatturaScadenze (Id, Fattura_ID, Numero, Tipo) values (100, 20, 1, 'N'), (101, 20, 2, 'N'), (110, 21, 1, 'N')");
    c.execute("insert into finanzia (Fattura_ID, FatturaScadenze_Id) values (20, 0), (20, 100), (0, 101), (21, 110), (0, 0)");
    c.execute("insert into Fattura_Allegati (Fattura_Id, NomeAttachment) values (20, 'a.pdf'), (21, 'b.pdf')");
    const vendite::EsitoEliminazioneNota e = vendite::eliminaNotaCredito(c, 20);
    QVERIFY(e.eliminata);
    QCOMPARE(e.primaNota, 3);
    QCOMPARE(e.scadenze, 2);
    QCOMPARE(e.righe, 2);
    QCOMPARE(e.allegati, 1);
    for (const char *sql : {"select count(*) from fattura where ID = 20", "select count(*) from NotaCreditoRighe where NotaCredito_ID = 20",
                            "select count(*) from FatturaScadenze where Fattura_ID = 20",
                            "select count(*) from finanzia where Fattura_ID = 20 or FatturaScadenze_Id in (100, 101)",
                            "select count(*) from Fattura_Allegati where Fattura_Id = 20"})
        QVERIFY2(conta(c, QString::fromLatin1(sql)) == 0, sql);
    for (const char *sql : {"select count(*) from fattura where ID = 21", "select count(*) from NotaCreditoRighe where NotaCredito_ID = 21",
                            "select count(*) from FatturaScadenze where Fattura_ID = 21",
                            "select count(*) from finanzia where Fattura_ID = 21",
                            "select count(*) from Fattura_Allegati where Fattura_Id = 21"})
        QVERIFY2(conta(c, QString::fromLatin1(sql)) == 1, sql);
    QCOMPARE(conta(c, "select count(*) from finanzia"), 2);
}

void TestServiziNoteCredito::righeDaTariffeESpeciali()
{
    CoreSeams seams;
    TestDatabase d(TestDatabase::WithSchema);
    db::Connection &c = d.conn();
    archivio(c);
    c.execute("update opzioni set AliquotaIva = 22, Iva_Id = 1, Spese_di_Trasporto = 25, Spese_di_Incasso = 5, "
              "conto_ID_Predefinito_su_FattureVendita_Generale = 41, conto_ID_Predefinito_su_FattureVendita_SpeseTrasporto = 42");
    c.execute("update Clienti set Sconto = 5 where Id = 1");
    c.execute("insert into prezziar (Id, Codice, Descrizione, Prezzo, AliquotaIva, Iva_Id, Sconto, Reparto, Um_Id) "
              "values (70, 'T1', 'Traino', 100, 22, 1, 10, 'Officina', 3), (71, 'T2', 'Senza iva', 10, null, null, null, null, null)");
    const QList<qint64> righe = vendite::righeDaTariffe(c, vendite::Righe::NotaCredito, 20, {70, 71});
    QCOMPARE(righe.size(), 2);
    db::Query q(&c);
    q.setSql(QStringLiteral("select * from NotaCreditoRighe where Idx = %1").arg(righe[0]));
    q.open();
    QCOMPARE(q.fieldByName("NotaCredito_ID").asLargeInt(), qint64(20));
    QCOMPARE(q.fieldByName("ContabilitaConti_ID").asLargeInt(), qint64(51));
    QCOMPARE(q.fieldByName("Sconto").asFloat(), 5.0); // the customer's
    QCOMPARE(q.fieldByName("ValoreTotale").asFloat(), 115.9);
    QCOMPARE(q.fieldByName("NumeroRiga").asInteger(), 2);
    QCOMPARE(q.fieldByName("TipoRiga").asString(), QString("N"));
    QVERIFY(q.fieldByName("Reparto").isNull());
    QCOMPARE(q.fieldByName("Um_ID").asLargeInt(), qint64(0));
    // A tariff without a VAT row still gets its row number; its VAT row stays empty.
    QCOMPARE(c.scalar(QStringLiteral("select NumeroRiga from NotaCreditoRighe where Idx = %1").arg(righe[1])).toInt(), 3);
    QCOMPARE(c.scalar(QStringLiteral("select count(*) from NotaCreditoRighe where Idx = %1 and (Iva_Id is null or Iva_Id = 0)")
                          .arg(righe[1]))
                 .toInt(),
             1);
    QCOMPARE(conta(c, "select count(*) from fattdett where NumFatt = 20"), 0);

    const qint64 trasporto = vendite::rigaSpeciale(c, vendite::Righe::NotaCredito, 20, vendite::RigaSpeciale::SpeseTrasporto);
    q.close();
    q.setSql(QStringLiteral("select * from NotaCreditoRighe where Idx = %1").arg(trasporto));
    q.open();
    QCOMPARE(q.fieldByName("TipoRiga").asString(), QString("T"));
    QCOMPARE(q.fieldByName("ContabilitaConti_ID").asLargeInt(), qint64(52));
    QCOMPARE(q.fieldByName("ValoreTotale").asFloat(), 25.0);
    QVERIFY(q.fieldByName("DataInizioPeriodo").isNull());
    const qint64 incasso = vendite::rigaSpeciale(c, vendite::Righe::NotaCredito, 20, vendite::RigaSpeciale::SpeseIncasso);
    QCOMPARE(c.scalar(QStringLiteral("select ContabilitaConti_ID from NotaCreditoRighe where Idx = %1").arg(incasso)).toInt(), 53);
    // The invoice's rows keep the invoices' accounts.
    const qint64 fattura = vendite::rigaSpeciale(c, 10, vendite::RigaSpeciale::SpeseTrasporto);
    QCOMPARE(c.scalar(QStringLiteral("select ContabilitaConti_ID from fattdett where Idx = %1").arg(fattura)).toInt(), 42);
}

void TestServiziNoteCredito::importaRighe()
{
    CoreSeams seams;
    TestDatabase d(TestDatabase::WithSchema);
    db::Connection &c = d.conn();
    archivio(c);
    const vendite::EsitoImportazione e = vendite::importaRigheFattura(c, 20);
    QVERIFY(!e.senzaRiferimento);
    QCOMPARE(e.eliminate, 0);
    QCOMPARE(e.copiate.size(), 6);
    db::Query q(&c);
    q.setSql("select * from NotaCreditoRighe where NotaCredito_ID = 20 and Fattura_ID = 10 order by NumeroRiga");
    q.open();
    QCOMPARE(q.recordCount(), 6);
    const QString nota = QStringLiteral(" Fattura numero: 7 Serie: B Data: 05/02/2026");
    // Type, account, quantity and gross of each copied row, in the invoice's order.
    const struct {
        const char *tipo;
        qint64 conto;
        double um;
        double totale;
    } attesi[] = {{"N", 51, 2, 219.6}, {"N", 51, 1, 40.66}, {"N", 51, -1, -12.2}, {"d", 51, 1, 1.1}, {"s", 53, 1, 5}, {"T", 52, 1, 25}};
    int numero = 2; // after the row typed by hand
    for (const auto &a : attesi) {
        QCOMPARE(q.fieldByName("TipoRiga").asString(), QString::fromLatin1(a.tipo));
        QCOMPARE(q.fieldByName("ContabilitaConti_ID").asLargeInt(), a.conto);
        QCOMPARE(q.fieldByName("Um").asFloat(), a.um);
        QCOMPARE(q.fieldByName("ValoreTotale").asFloat(), a.totale);
        QCOMPARE(q.fieldByName("Note").asString(), nota);
        QCOMPARE(q.fieldByName("NumeroRiga").asInteger(), numero++);
        QCOMPARE(q.fieldByName("Data").asDateTime().date(), QDate(2026, 3, 1));
        q.next();
    }
    q.first();
    // The first row carries the invoice's values as they are; what is not copied stays empty.
    QCOMPARE(q.fieldByName("ValoreUnitario").asFloat(), 100.0);
    QCOMPARE(q.fieldByName("Sconto").asFloat(), 10.0);
    QCOMPARE(q.fieldByName("TotaleImponibile").asFloat(), 180.0);
    QCOMPARE(q.fieldByName("Codice").asString(), QString("TR"));
    QCOMPARE(q.fieldByName("Targa1").asString(), QString("AB123CD"));
    QCOMPARE(q.fieldByName("RIFDDT").asString(), QString("DDT1"));
    QCOMPARE(q.fieldByName("DDT_ID").asLargeInt(), qint64(4));
    QCOMPARE(q.fieldByName("Iva_Id").asLargeInt(), qint64(1));
    QVERIFY(q.fieldByName("Reparto").isNull());

    // The totals are those of the same rows typed by hand, and the instalment follows them.
    const vendite::Totali t = vendite::calcolaTotali(c, vendite::Righe::NotaCredito, 20);
    QCOMPARE(e.totali.totale, t.totale);
    QCOMPARE(c.scalar("select TotFattura from fattura where ID = 20").toDouble(), t.totale);
    QCOMPARE(c.scalar("select TotImponibile from fattura where ID = 20").toDouble(), t.imponibile);
    // 5 (typed, no VAT row), 180 + 33.33 - 10 + 4.1 + 20.49 at 22% (VAT row 1), and 1 at 10%.
    QCOMPARE(t.imponibile, 233.92);
    QCOMPARE(t.imposta, 51.34);
    QCOMPARE(t.totale, 285.26);
    QCOMPARE(conta(c, "select count(*) from FatturaScadenze where Fattura_ID = 20 and Tipo = 'N'"), 1);
    QCOMPARE(c.scalar("select Importo from FatturaScadenze where Fattura_ID = 20").toDouble(), 285.26);
}

void TestServiziNoteCredito::importaRipetuta()
{
    CoreSeams seams;
    TestDatabase d(TestDatabase::WithSchema);
    db::Connection &c = d.conn();
    archivio(c);
    vendite::importaRigheFattura(c, 20);
    const vendite::EsitoImportazione seconda = vendite::importaRigheFattura(c, 20);
    QCOMPARE(seconda.eliminate, 6);
    QCOMPARE(conta(c, "select count(*) from NotaCreditoRighe where NotaCredito_ID = 20 and Fattura_ID = 10"), 6);
    // Another invoice referenced: its rows are added, the first invoice's stay.
    c.execute("update fattura set NCFattIDRif = 11, NCFattNumRif = 8 where ID = 20");
    vendite::importaRigheFattura(c, 20);
    QCOMPARE(conta(c, "select count(*) from NotaCreditoRighe where NotaCredito_ID = 20 and Fattura_ID = 10"), 6);
    QCOMPARE(conta(c, "select count(*) from NotaCreditoRighe where NotaCredito_ID = 20 and Fattura_ID = 11"), 1);
    QCOMPARE(conta(c, "select count(*) from NotaCreditoRighe where NotaCredito_ID = 20"), 8);
    QCOMPARE(c.scalar("select TotFattura from fattura where ID = 20").toDouble(), 285.26 + 61);
}

void TestServiziNoteCredito::importaSenzaRiferimento()
{
    CoreSeams seams;
    TestDatabase d(TestDatabase::WithSchema);
    db::Connection &c = d.conn();
    archivio(c);
    // Nothing, or the column's default 0, names no invoice.
    for (const char *vuoto : {"null", "0"}) {
        c.execute(QStringLiteral("update fattura set NCFattIDRif = %1 where ID = 20").arg(QLatin1String(vuoto)));
        const vendite::EsitoImportazione e = vendite::importaRigheFattura(c, 20);
        QVERIFY(e.senzaRiferimento);
    }
    QCOMPARE(conta(c, "select count(*) from NotaCreditoRighe where NotaCredito_ID = 20"), 1);
    QCOMPARE(conta(c, "select count(*) from FatturaScadenze"), 0);
    QVERIFY_THROWS_EXCEPTION(db::DbError, vendite::importaRigheFattura(c, 999));
}

void TestServiziNoteCredito::importaFatturaSenzaRighe()
{
    // An invoice without rows: nothing copied, the totals recomputed from the rows already there.
    CoreSeams seams;
    TestDatabase d(TestDatabase::WithSchema);
    db::Connection &c = d.conn();
    archivio(c);
    c.execute("delete from fattdett where NumFatt = 10");
    const vendite::EsitoImportazione e = vendite::importaRigheFattura(c, 20);
    QVERIFY(e.copiate.isEmpty());
    QCOMPARE(c.scalar("select TotFattura from fattura where ID = 20").toDouble(), 6.1);
}
