#include "tst_documenti.h"

#include "db/Connection.h"
#include "db/Transaction.h"
#include "sales/services/Documenti.h"
#include "support/TestCore.h"

#include <QTest>

Q_DECLARE_METATYPE(scadenze::Genere)

using namespace testing_support;

namespace {

int conta(db::Connection &c, const QString &sql) { return c.scalar(sql).toInt(); }

} // namespace

void TestServiziDocumenti::eliminaDocumento_data()
{
    QTest::addColumn<scadenze::Genere>("genere");
    QTest::addColumn<bool>("carico");
    QTest::addColumn<bool>("fattNota");
    QTest::addColumn<QString>("tabellaRighe");
    QTest::addColumn<QString>("legame");
    QTest::addColumn<int>("dipendenti"); // rows of OrdiniClienti and FatturaPreventiviRighe that go
    using scadenze::Genere;
    QTest::newRow("sales invoice") << Genere::FatturaVendita << false << false << "fattdett" << "NumFatt" << 2;
    QTest::newRow("sales credit note") << Genere::NotaCreditoVendita << false << true << "NotaCreditoRighe" << "NotaCredito_ID" << 0;
    QTest::newRow("purchase invoice") << Genere::FatturaAcquisto << true << false << "Movimenti" << "Fattura_ID" << 0;
    QTest::newRow("supplier credit note") << Genere::NotaCreditoAcquisto << true << true << "NotaCreditoCaricoRighe"
                                          << "NotaCredito_ID" << 0;
}

void TestServiziDocumenti::eliminaDocumento()
{
    QFETCH(scadenze::Genere, genere);
    QFETCH(bool, carico);
    QFETCH(bool, fattNota);
    QFETCH(QString, tabellaRighe);
    QFETCH(QString, legame);
    QFETCH(int, dipendenti);
    CoreSeams seams;
    TestDatabase d(TestDatabase::WithSchema);
    db::Connection &c = d.conn();
    // Document 30 goes; document 31 of the same kind stays with all that is its own.
    c.execute(QStringLiteral("insert into fattura (ID, Num, Carico, FattNota) values (30, 1, %1, %2), (31, 2, %1, %2)")
                  .arg(carico ? "true" : "false", fattNota ? "true" : "false"));
    c.execute(QStringLiteral("insert into %1 (%2, NumeroRiga) values (30, 1), (30, 2), (31, 1)").arg(tabellaRighe, legame));
    c.execute("insert into FatturaScadenze (Id, Fattura_ID, Numero) values (100, 30, 1), (101, 30, 2), (110, 31, 1)");
    // The payment of an instalment goes even when it does not name the document.
    c.execute("insert into finanzia (Fattura_ID, FatturaScadenze_Id) values (30, 0), (30, 100), (0, 101), (31, 110), (0, 0)");
    c.execute("insert into Fattura_Allegati (Fattura_Id, NomeAttachment) values (30, 'a.pdf'), (31, 'b.pdf')");
    c.execute("insert into OrdiniClienti (Fattura_ID) values (30), (31)");
    c.execute("insert into FatturaPreventiviRighe (Fattura_ID) values (30), (31)");

    const vendite::EsitoEliminazioneDocumento e = db::inTransaction(
        c, [&] { return vendite::eliminaDocumento(c, vendite::tipoDocumento(genere), 30); });
    QVERIFY(e.eliminata);
    QCOMPARE(e.righe, 2);
    QCOMPARE(e.scadenze, 2);
    QCOMPARE(e.primaNota, 3);
    QCOMPARE(e.allegati, 1);
    int dipendentiEliminati = 0;
    for (int n : e.dipendenti) dipendentiEliminati += n;
    QCOMPARE(dipendentiEliminati, dipendenti);

    QCOMPARE(conta(c, "select count(*) from fattura"), 1);
    QCOMPARE(conta(c, QStringLiteral("select count(*) from %1 where %2 = 30").arg(tabellaRighe, legame)), 0);
    QCOMPARE(conta(c, QStringLiteral("select count(*) from %1 where %2 = 31").arg(tabellaRighe, legame)), 1);
    QCOMPARE(conta(c, "select count(*) from FatturaScadenze"), 1);
    QCOMPARE(conta(c, "select count(*) from finanzia"), 2);
    QCOMPARE(conta(c, "select count(*) from Fattura_Allegati"), 1);
    QCOMPARE(conta(c, "select count(*) from OrdiniClienti") + conta(c, "select count(*) from FatturaPreventiviRighe"), 4 - dipendenti);
}
