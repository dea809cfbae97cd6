#include "tst_vcardclientiform.h"

#include "Banco.h"
#include "common/TextUtils.h"
#include "common/VCard.h"
#include "data/DB.h"
#include "db/Query.h"
#include "masterdata/VCardClientiForm.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>

namespace {

std::unique_ptr<banco::Banco> g_banco;
std::unique_ptr<QTemporaryDir> g_cartella;
QVariant scalar(const QString &sql) { return g_banco->valore(sql); }
testing_support::ScriptedDialogs &dialoghi() { return g_banco->dialoghi(); }
QString percorso(const QString &nome) { return QDir(g_cartella->path()).filePath(nome); }

const QString kDomanda = QStringLiteral("Il Cliente :Rossi Srl e' già presente in archivio: Come si vuole procedere ? Salto il Cliente ?");

const QStringList kFixture = {
    "insert into Clienti (Id, Cliente, NominativoVisualizzato, NominativoDocumenti, Telefono, Annullato) values "
    "(5, 'Rossi Srl', 'Rossi Srl', 'Rossi Srl', '011 5', false), (6, 'Bianchi Spa', 'Bianchi Spa', 'Bianchi Spa', '011 6', false), "
    "(7, 'Vecchio Cliente', 'Vecchio Cliente', 'Vecchio Cliente', null, true)",
};

// A file of cards written by the program's own format.
QString fileSchede(const QString &nome, const QList<QList<std::pair<int, QString>>> &schede)
{
    QString testo;
    for (const auto &campi : schede) {
        common::Vcard4 s;
        for (const auto &[slot, valore] : campi) s.campi[slot] = valore;
        testo += common::ScriviVCard(s);
    }
    const QString p = percorso(nome);
    common::ScriviFileTesto(p, testo, false);
    return p;
}

bool senzaClessidra() { return QGuiApplication::overrideCursor() == nullptr; }

} // namespace

void TestVCardClientiForm::init()
{
    g_cartella = std::make_unique<QTemporaryDir>();
    g_banco = std::make_unique<banco::Banco>(QStringList{}, kFixture);
}

void TestVCardClientiForm::cleanup()
{
    QVERIFY2(dialoghi().clean(), qPrintable(dialoghi().report()));
    g_banco.reset();
    g_cartella.reset();
    while (QGuiApplication::overrideCursor()) QGuiApplication::restoreOverrideCursor();
}

void TestVCardClientiForm::esportaSenzaSelezione()
{
    dialoghi().expectMessage("Attenzione devi selezionare i contatti da Esportare");
    esportaVCardClienti(g_banco->finestra(), {});
    QCOMPARE(dialoghi().messages().size(), 1);
    QCOMPARE(dialoghi().messages()[0].caption, QString("Messaggio di errore"));
    QCOMPARE(dialoghi().messages()[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QVERIFY(senzaClessidra());
}

void TestVCardClientiForm::esportaFile_data()
{
    QTest::addColumn<QString>("scelto"); // relative to the test's folder; empty: cancelled
    QTest::addColumn<QString>("scritto"); // the file written; empty: none
    QTest::newRow("no extension: .vcf added") << "clienti" << "clienti.vcf";
    QTest::newRow("an extension of its own is kept") << "clienti.txt" << "clienti.txt";
    QTest::newRow("a point in the folder's name counts as one") << "cartella.nuova/clienti" << "cartella.nuova/clienti";
    QTest::newRow("cancelled") << "" << "";
}

void TestVCardClientiForm::esportaFile()
{
    QFETCH(QString, scelto);
    QFETCH(QString, scritto);
    QDir(g_cartella->path()).mkdir("cartella.nuova");
    QFile::remove(percorso("clienti.vcf"));
    // A file already there is replaced.
    common::ScriviFileTesto(percorso("clienti.txt"), "vecchio", false);
    dialoghi().queueSaveFile(scelto.isEmpty() ? QString() : percorso(scelto));
    esportaVCardClienti(g_banco->finestra(), {6, 5});
    QVERIFY(senzaClessidra());
    if (scritto.isEmpty()) {
        QVERIFY(!QFile::exists(percorso("clienti.vcf")));
        QCOMPARE(common::LeggiFileTesto(percorso("clienti.txt"), false), QString("vecchio"));
        return;
    }
    const QList<common::Vcard4> schede = common::LeggiVCard(percorso(scritto));
    QCOMPARE(schede.size(), 2);
    QCOMPARE(schede[0].campi[39], QString("PellavantoriaC6"));
    QCOMPARE(schede[0].campi[5], QString("Bianchi Spa"));
    QCOMPARE(schede[1].campi[39], QString("PellavantoriaC5"));
    QCOMPARE(schede[1].campi[8], QString("011 5"));
}

void TestVCardClientiForm::esportaInCartellaMancante()
{
    dialoghi().queueSaveFile(percorso("manca/clienti.vcf"));
    dialoghi().expectMessage("Attenzione il file Vcard non è stato scritto.");
    esportaVCardClienti(g_banco->finestra(), {5});
    QVERIFY(!QFile::exists(percorso("manca/clienti.vcf")));
    QVERIFY(senzaClessidra());
}

void TestVCardClientiForm::importa()
{
    db::Query *t7 = form_DB->Table7;
    t7->setFilter("Annullato = false");
    QCOMPARE(t7->recordCount(), 2);
    const QString file = fileSchede("importa.vcf", {{{5, "Rossi Srl"}, {8, "011 999"}}, {{0, "Gialli"}, {1, "Ugo"}}});
    dialoghi().queueOpenFile(file);
    dialoghi().expectMessage(kDomanda, QMessageBox::No); // option 0 asks; No updates
    QCOMPARE(scalar("select AzioneImportazioneVCard from opzioni").toInt(), 0);
    importaVCardClienti(g_banco->finestra());
    QVERIFY(senzaClessidra());
    QCOMPARE(dialoghi().messages().size(), 1);
    QCOMPARE(dialoghi().messages()[0].caption, QString("Messaggio di avviso"));
    QCOMPARE(scalar("select Telefono from Clienti where Id = 5").toString(), QString("011 999"));
    // The list is read again without its filter: the new customer and the withdrawn one show.
    QCOMPARE(t7->filter(), QString());
    QCOMPARE(t7->recordCount(), 4);
    QVERIFY(t7->locate("NominativoVisualizzato", "Gialli Ugo"));
    QVERIFY(t7->locate("Id", 7));

    // Option 1: the same file again skips both without asking (Rossi by the organisation,
    // Gialli Ugo by family and given name).
    g_banco->esegui("update opzioni set AzioneImportazioneVCard = 1");
    dialoghi().queueOpenFile(file);
    importaVCardClienti(g_banco->finestra());
    QCOMPARE(dialoghi().messages().size(), 1);
    QCOMPARE(scalar("select count(*) from Clienti").toInt(), 4);
}

void TestVCardClientiForm::importaAnnullato()
{
    form_DB->Table7->setFilter("Annullato = false");
    dialoghi().queueOpenFile(QString());
    importaVCardClienti(g_banco->finestra());
    QVERIFY(senzaClessidra());
    QCOMPARE(form_DB->Table7->filter(), QString("Annullato = false"));
    QCOMPARE(scalar("select count(*) from Clienti").toInt(), 3);
}

void TestVCardClientiForm::importaFileSbagliato_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("messaggio");
    QTest::newRow("missing") << "manca.vcf" << "Attenzione il file scelto non contiene contatti Vcard.";
    QTest::newRow("without cards") << "testo.vcf" << "Attenzione il file scelto non contiene contatti Vcard.";
    QTest::newRow("a folder, not a file") << "cartella.vcf" << "Attenzione il file Vcard non si può leggere";
}

void TestVCardClientiForm::importaFileSbagliato()
{
    QFETCH(QString, file);
    QFETCH(QString, messaggio);
    common::ScriviFileTesto(percorso("testo.vcf"), "BEGIN:VCARD senza fine\r\nFN:Nessuno\r\n", false);
    QDir(g_cartella->path()).mkdir("cartella.vcf");
    form_DB->Table7->setFilter("Annullato = false");
    dialoghi().queueOpenFile(percorso(file));
    dialoghi().expectMessage(messaggio);
    importaVCardClienti(g_banco->finestra());
    QVERIFY(senzaClessidra());
    QCOMPARE(scalar("select count(*) from Clienti").toInt(), 3);
    QCOMPARE(form_DB->Table7->filter(), QString("Annullato = false"));
}

void TestVCardClientiForm::importaErroreNonScriveNulla()
{
    // Two customers with one telephone are refused, as any database error would stop the file.
    form_DB->Connessione.executeNative("CREATE UNIQUE INDEX ux_prova_telefono ON Clienti (Telefono)");
    g_banco->esegui("update opzioni set AzioneImportazioneVCard = 2");
    const QString file = fileSchede("guasto.vcf", {{{5, "Nuovo Uno"}, {47, "Categoria nuova"}},
                                                   {{5, "Rossi Srl"}, {41, "aggiornato"}},
                                                   {{5, "Nuovo Due"}, {8, "011 6"}}});
    dialoghi().queueOpenFile(file);
    dialoghi().expectMessage("Attenzione l'importazione non è stata eseguita: nessun cliente è stato importato.");
    importaVCardClienti(g_banco->finestra());
    QVERIFY(senzaClessidra());
    QCOMPARE(scalar("select count(*) from Clienti").toInt(), 3);
    QVERIFY(scalar("select Note from Clienti where Id = 5").isNull());
    QCOMPARE(scalar("select count(*) from ClientiCategoria").toInt(), 0);
}
