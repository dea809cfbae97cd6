#include "tst_stampeprimanota.h"
#include "PrintFixture.h"

#include "Program.h"
#include "accounting/StampePrimaNota.h"
#include "app/Frm1.h"
#include "data/DB.h"
#include "widgets/MaskedDateEdit.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QTest>
#include <QToolButton>

namespace {

QString pdfText(const QString &path)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!p.waitForFinished(60000) || p.exitCode() != 0) return QStringLiteral("<pdftotext failed>");
    return QString::fromUtf8(p.readAllStandardOutput());
}

void scegli(QComboBox *c, const QVariant &chiave)
{
    const int i = c->findData(chiave);
    QVERIFY2(i >= 0, qPrintable(chiave.toString()));
    c->setCurrentIndex(i);
}

} // namespace

void TestStampePrimaNota::init()
{
    f = std::make_unique<PrintFixture>();
    // Rows of February and March 2026; the options' opening balance is 250,50.
    f->exec("insert into finanzia (Data, Operazione, Entrata, Uscita, Banca_ID, Cliente_id, Fornitore_id, Tipologia_ID) values "
            "(#2/20/2026#, 'Acconto febbraio', 100, 0, 1, 1, 0, 2),"
            "(#3/2/2026#, 'Incasso fattura uno', 321.45, 0, 1, 1, 0, 2),"
            "(#3/10/2026 18:00:00#, 'Pagamento ricambi', 0, 54.3, 0, 0, 1, 1)");
    f->exec("insert into fattura (ID, Num, Data, DataRegistrazione, Fornitore_ID, Carico) values (13, 7, #3/9/2026#, #3/10/2026#, 1, true)");
    // The report program reads its templates beside itself.
    QDir().mkpath(f->cartella() + "/reports");
    for (const QString &nome : QDir(QStringLiteral(SOURCE_DIR "/reports")).entryList({"PrimaNota*.rpt"}))
        QFile::copy(QStringLiteral(SOURCE_DIR "/reports/") + nome, f->cartella() + "/reports/" + nome);
    f->seams.launcher.behaviour = [](const QString &, const QStringList &args) {
        return stampa::run(QStringList{QStringLiteral("stampa")} + args, false);
    };
    EsportaStampa = true;
    FileEsportazioneStampa = f->cartella() + "/prima_nota.pdf";
}

void TestStampePrimaNota::cleanup()
{
    QVERIFY2(f->seams.dialogs.clean(), qPrintable(f->seams.dialogs.report()));
    f.reset();
}

void TestStampePrimaNota::ogniCodice_data()
{
    QTest::addColumn<int>("codice");
    QTest::addColumn<QStringList>("presenti");
    QTest::addColumn<QStringList>("assenti");
    const QStringList tutte = {"Acconto febbraio", "Incasso fattura uno", "Pagamento ricambi"};
    QTest::newRow("9 whole book") << 9 << tutte << QStringList{};
    // Grouped by customer or supplier: the rows of one.
    QTest::newRow("10 by customer") << 10 << QStringList{"Rossi Srl", "Acconto febbraio", "Incasso fattura uno"} << QStringList{};
    QTest::newRow("11 by supplier") << 11 << QStringList{"Ricambi Srl", "Pagamento ricambi"} << QStringList{};
    QTest::newRow("27 March") << 27 << QStringList{"Incasso fattura uno", "Pagamento ricambi", "350,5"}
                              << QStringList{"Acconto febbraio"};
    QTest::newRow("24 March, bank") << 24 << QStringList{"Incasso fattura uno", "100"}
                                    << QStringList{"Acconto febbraio", "Pagamento ricambi"};
    QTest::newRow("7 customer situation") << 7 << QStringList{"Rossi Srl", "Incasso fattura uno"} << QStringList{"Bianchi Spa"};
    QTest::newRow("17 supplier situation") << 17 << QStringList{"Ricambi Srl", "Pagamento ricambi"}
                                           << QStringList{"Incasso fattura uno"};
}

void TestStampePrimaNota::ogniCodice()
{
    QFETCH(int, codice);
    QFETCH(QStringList, presenti);
    QFETCH(QStringList, assenti);
    switch (codice) {
    case 9: frmStampaPrimNota->SpeedButton1->click(); break;
    case 10: frmStampaPrimNota->SpeedButton2->click(); break;
    case 11: frmStampaPrimNota->SpeedButton3->click(); break;
    case 27:
    case 24: {
        StampaPrimaNotaMese *m = codice == 27 ? static_cast<StampaPrimaNotaMese *>(frmPrimaNotaStampaMese) : frmPrimaNotaStampaBanca;
        (codice == 27 ? frmStampaPrimNota->SpeedButton6 : frmStampaPrimNota->SpeedButton7)->click();
        QVERIFY(m->isVisible());
        QCOMPARE(m->txtAnno->text(), QString("2026"));
        QCOMPARE(m->txtSaldoIniziale->text(), QString("0"));
        scegli(m->DBLookupComboBox2, 3);
        if (m->DBLookupComboBox4) scegli(m->DBLookupComboBox4, 1);
        m->Calcola->click();
        m->SpeedButton6->click();
        m->close();
        break;
    }
    case 7:
    case 17: {
        StampaSituazione *s = codice == 7 ? static_cast<StampaSituazione *>(frmStampaPrimaNotaSituazioneClienti)
                                          : frmStampaPrimaNotaSituazioneFornitori;
        (codice == 7 ? frmStampaPrimNota->SpeedButton4 : frmStampaPrimNota->SpeedButton5)->click();
        QVERIFY(s->isVisible());
        scegli(s->DBLookupComboBox2, 1);
        s->maskA->setDate(QDate(2026, 3, 10)); // the whole end day
        s->SpeedButton4->click();
        s->close();
        break;
    }
    }
    QCOMPARE(CodiceStampa, codice);
    const QString testo = pdfText(FileEsportazioneStampa);
    for (const QString &t : presenti) QVERIFY2(testo.contains(t), qPrintable(t + "\n" + testo));
    for (const QString &t : assenti) QVERIFY2(!testo.contains(t), qPrintable(t + "\n" + testo));
}

void TestStampePrimaNota::saldoInizialeCalcolato_data()
{
    QTest::addColumn<bool>("banca");
    QTest::addColumn<int>("mese");
    QTest::addColumn<QString>("saldo"); // with the comma
    QTest::newRow("book, January: the options' balance") << false << 1 << "250,5";
    QTest::newRow("book, March") << false << 3 << "350,5";
    QTest::newRow("book, April") << false << 4 << "617,65";
    QTest::newRow("bank without opening balance, March") << true << 3 << "100";
    QTest::newRow("bank, April: its rows only") << true << 4 << "421,45";
}

void TestStampePrimaNota::saldoInizialeCalcolato()
{
    QFETCH(bool, banca);
    QFETCH(int, mese);
    QFETCH(QString, saldo);
    StampaPrimaNotaMese *m = banca ? static_cast<StampaPrimaNotaMese *>(frmPrimaNotaStampaBanca) : frmPrimaNotaStampaMese;
    (banca ? frmStampaPrimNota->SpeedButton7 : frmStampaPrimNota->SpeedButton6)->click();
    scegli(m->DBLookupComboBox2, mese);
    if (banca) scegli(m->DBLookupComboBox4, 1);
    m->Calcola->click();
    QCOMPARE(m->txtSaldoIniziale->text(), saldo);
    m->close();
}

void TestStampePrimaNota::campiMancanti_data()
{
    QTest::addColumn<bool>("banca");
    QTest::addColumn<QString>("vuoto"); // the field left empty
    QTest::addColumn<QString>("messaggio");
    QTest::newRow("month") << false << "mese" << "Attenzione E' necessario definire il mese...";
    QTest::newRow("year") << false << "anno" << "Attenzione E' necessario definire l'anno...";
    QTest::newRow("balance") << false << "saldo" << "Attenzione E' necessario definire il Saldo Iniziale...";
    QTest::newRow("bank") << true << "banca" << "Attenzione E' necessario definire la Banca...";
}

void TestStampePrimaNota::campiMancanti()
{
    QFETCH(bool, banca);
    QFETCH(QString, vuoto);
    QFETCH(QString, messaggio);
    StampaPrimaNotaMese *m = banca ? static_cast<StampaPrimaNotaMese *>(frmPrimaNotaStampaBanca) : frmPrimaNotaStampaMese;
    (banca ? frmStampaPrimNota->SpeedButton7 : frmStampaPrimNota->SpeedButton6)->click();
    if (vuoto != "mese") scegli(m->DBLookupComboBox2, 3);
    if (banca && vuoto != "banca") scegli(m->DBLookupComboBox4, 1);
    if (vuoto == "anno") m->txtAnno->clear();
    if (vuoto == "saldo") m->txtSaldoIniziale->clear();
    CodiceStampa = 0;
    f->seams.dialogs.expectMessage(messaggio);
    m->SpeedButton6->click();
    QCOMPARE(CodiceStampa, 0);
    QVERIFY(!QFile::exists(FileEsportazioneStampa));
    m->close();
}
