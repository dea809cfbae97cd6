#include "tst_logo.h"

#include "Ambiente.h"
#include "Banco.h"
#include "data/DB.h"
#include "db/Query.h"
#include "purchases/ImmagineDocumento.h"
#include "settings/Logo.h"
#include "settings/Opzioni.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

namespace {

std::unique_ptr<banco::Banco> g_banco;
std::unique_ptr<QTemporaryDir> g_dir;

void avvia()
{
    g_dir = std::make_unique<QTemporaryDir>();
    g_banco = std::make_unique<banco::Banco>(QStringList{QStringLiteral("frmOpzioni")});
}

QVariant valore(const QString &sql) { return g_banco->valore(sql); }
testing_support::ScriptedDialogs &dialoghi() { return g_banco->dialoghi(); }
testing_support::ScriptedLauncher &launcher() { return static_cast<testing_support::ScriptedLauncher &>(ui::Launcher::instance()); }
QString percorso(const QString &nome) { return g_dir->path() + u'/' + nome; }

// A picture of one colour, written in the format its name asks.
QString immagine(const QString &nome, QColor colore, QSize misura = QSize(120, 60), const char *formato = nullptr)
{
    QImage i(misura, QImage::Format_RGB32);
    i.fill(colore);
    const QString p = percorso(nome);
    if (!i.save(p, formato)) return {};
    return p;
}

// SANE reads the folder of its configuration once per process: one folder serves every test.
QString cartellaSane()
{
    static QTemporaryDir dir;
    qputenv("SANE_CONFIG_DIR", dir.path().toLocal8Bit());
    return dir.path();
}

void scrivi(const QString &file, const QByteArray &testo)
{
    QFile f(cartellaSane() + u'/' + file);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(testo);
}

// SANE's test scanner alone, set up with the given lines of its configuration: a picture of
// 157 by 196 pixels (8 by 10 cm at 50 dpi).
void scannerDiProva(const QByteArray &configurazione)
{
    scrivi(QStringLiteral("dll.conf"), "test\n");
    // A configuration file replaces every default: the resolution is given too.
    scrivi(QStringLiteral("test.conf"), "number_of_devices 1\nresolution_min 1.0\nresolution_max 1200.0\n"
                                        "resolution_quant 1.0\nresolution 50.0\n" + configurazione);
}

QImage logoSalvato()
{
    QImage i;
    i.loadFromData(valore("select Logo from ditta").toByteArray());
    return i;
}

// Runs the action on the options editor's Logo page and leaves with "Indietro".
void sulLogo(const std::function<void(TfrmOpzioni *)> &azione)
{
    ambiente::conModale([] { frmOpzioni->apri(); },
                        [&](QWidget *) {
                            frmOpzioni->PageControl1->setCurrentIndex(TfrmOpzioni::pagLogo);
                            azione(frmOpzioni);
                            frmOpzioni->spdIndietro->click();
                            QVERIFY(!frmOpzioni->isVisible());
                        });
}

bool simile(QColor a, QColor b) { return qAbs(a.red() - b.red()) < 40 && qAbs(a.green() - b.green()) < 40 && qAbs(a.blue() - b.blue()) < 40; }

} // namespace

void TestLogo::cleanup()
{
    if (g_banco) QVERIFY2(dialoghi().clean(), qPrintable(dialoghi().report()));
    g_banco.reset();
    g_dir.reset();
}

void TestLogo::adattaAlRiquadro_data()
{
    QTest::addColumn<QSize>("immagine");
    QTest::addColumn<QSize>("atteso");
    QTest::newRow("largo il doppio") << QSize(2000, 1000) << QSize(714, 357);
    QTest::newRow("quadrato") << QSize(1000, 1000) << QSize(357, 357);
    QTest::newRow("molto largo") << QSize(1654, 357) << QSize(827, 178);
}

void TestLogo::adattaAlRiquadro()
{
    QFETCH(QSize, immagine);
    QFETCH(QSize, atteso);
    QCOMPARE(logo::adatta(immagine, QSize(827, 357)), atteso);
}

void TestLogo::caricaPngEJpeg()
{
    avvia();
    const QString png = immagine("logo.png", Qt::red);
    const QString jpeg = immagine("LOGO.JPEG", Qt::blue, QSize(90, 90), "JPEG");
    sulLogo([&](TfrmOpzioni *o) {
        dialoghi().queueOpenFile(png);
        o->Button6->click();
        QVERIFY(!o->DBImage1->pixmap().isNull());
    });
    QVERIFY(valore("select Logo from ditta").toByteArray().startsWith("BM"));
    QCOMPARE(logoSalvato().size(), QSize(120, 60));
    QVERIFY(simile(logoSalvato().pixelColor(5, 5), Qt::red));
    sulLogo([&](TfrmOpzioni *o) {
        dialoghi().queueOpenFile(jpeg);
        o->Button6->click();
    });
    QVERIFY(valore("select Logo from ditta").toByteArray().startsWith("BM"));
    QCOMPARE(logoSalvato().size(), QSize(90, 90));
    QVERIFY(simile(logoSalvato().pixelColor(5, 5), Qt::blue));
}

void TestLogo::estensioneNonAccettataNonCarica()
{
    avvia();
    const QString png = immagine("logo.png", Qt::red);
    const QString gif = immagine("altro.gif", Qt::green, QSize(10, 10), "PNG");
    sulLogo([&](TfrmOpzioni *o) {
        dialoghi().queueOpenFile(png);
        o->Button6->click();
        dialoghi().queueOpenFile(gif);
        o->Button6->click();
        dialoghi().queueOpenFile(QString()); // cancelled
        o->Button6->click();
    });
    QCOMPARE(logoSalvato().size(), QSize(120, 60));
}

void TestLogo::fileIllegibileAvvisa()
{
    avvia();
    const QString rotto = percorso("rotto.png");
    QFile f(rotto);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("non sono una immagine");
    f.close();
    dialoghi().expectMessage(QStringLiteral("Impossibile leggere l'immagine"));
    sulLogo([&](TfrmOpzioni *o) {
        dialoghi().queueOpenFile(rotto);
        o->Button6->click();
    });
    QVERIFY(valore("select Logo from ditta").isNull());
}

void TestLogo::salvaComeImmagine_data()
{
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("inizio");
    QTest::newRow("jpg") << "logo.jpg" << "logo.jpg" << QByteArray("\xFF\xD8");
    QTest::newRow("JPG maiuscolo") << "logo.JPG" << "logo.JPG" << QByteArray("\xFF\xD8");
    QTest::newRow("jpeg dà una bitmap") << "logo.jpeg" << "logo.jpeg" << QByteArray("BM");
    QTest::newRow("png dà una bitmap") << "logo.png" << "logo.png" << QByteArray("BM");
    QTest::newRow("senza estensione") << "logo" << "logo.JPG" << QByteArray("\xFF\xD8");
}

void TestLogo::salvaComeImmagine()
{
    QFETCH(QString, nome);
    QFETCH(QString, file);
    QFETCH(QByteArray, inizio);
    avvia();
    const QString png = immagine("origine.png", Qt::red);
    sulLogo([&](TfrmOpzioni *o) {
        // Without a logo nothing is asked.
        o->Button8->click();
        dialoghi().queueOpenFile(png);
        o->Button6->click();
        dialoghi().queueSaveFile(percorso(nome));
        o->Button8->click();
    });
    QFile salvato(percorso(file));
    QVERIFY2(salvato.open(QIODevice::ReadOnly), qPrintable(file));
    QVERIFY(salvato.readAll().startsWith(inizio));
    QImage letto(percorso(file));
    QCOMPARE(letto.size(), QSize(120, 60));
}

void TestLogo::cancellaESalva()
{
    avvia();
    const QString png = immagine("logo.png", Qt::red);
    sulLogo([&](TfrmOpzioni *o) {
        dialoghi().queueOpenFile(png);
        o->Button6->click();
    });
    QVERIFY(!valore("select Logo from ditta").isNull());
    sulLogo([&](TfrmOpzioni *o) {
        o->Button9->click();
        QVERIFY(o->DBImage1->pixmap().isNull());
    });
    QVERIFY(valore("select Logo from ditta").isNull());
}

void TestLogo::modificaApreLogoMaga()
{
    avvia();
    // The program's folder is the test's own.
    static_cast<testing_support::FakeWorkstation &>(ui::Workstation::instance()).folder = g_dir->path();
    const QString file = percorso("LogoMaga.bmp");
    dialoghi().expectMessage(QStringLiteral("LogoMaga.bmp non esiste"));
    sulLogo([&](TfrmOpzioni *o) { o->btnModificaLogo->click(); });
    QVERIFY(launcher().opened.isEmpty());
    QImage(10, 10, QImage::Format_RGB32).save(file, "BMP");
    sulLogo([&](TfrmOpzioni *o) { o->btnModificaLogo->click(); });
    QCOMPARE(launcher().opened, QStringList{file});
}

void TestLogo::scansioneDalBackendTest()
{
    avvia();
    scannerDiProva("mode Gray\ndepth 8\ntest-picture \"Solid black\"\n");
    sulLogo([&](TfrmOpzioni *o) {
        o->Button7->click();
        QVERIFY(!o->DBImage1->pixmap().isNull());
    });
    // Fitted into the picture box keeping its proportions.
    const QImage logo = logoSalvato();
    QCOMPARE(logo.size(), QSize(285, 357));
    QCOMPARE(logo.pixelColor(100, 100), QColor(Qt::black));
}

void TestLogo::senzaScannerNienteSuccede()
{
    avvia();
    scrivi(QStringLiteral("dll.conf"), "");
    sulLogo([&](TfrmOpzioni *o) { o->Button7->click(); });
    QVERIFY(valore("select Logo from ditta").isNull());
}

void TestLogo::scansioneAColori()
{
    avvia();
    scannerDiProva("mode Color\ndepth 8\ntest-picture \"Color pattern\"\n");
    sulLogo([&](TfrmOpzioni *o) { o->Button7->click(); });
    const QImage logo = logoSalvato();
    QVERIFY(!logo.isNull());
    // Colour stripes: some pixels are far from grey.
    int colorati = 0;
    for (int y = 0; y < logo.height(); y += 4)
        for (int x = 0; x < logo.width(); x += 4) {
            const QColor c = logo.pixelColor(x, y);
            if (qMax(c.red(), qMax(c.green(), c.blue())) - qMin(c.red(), qMin(c.green(), c.blue())) > 100) ++colorati;
        }
    QVERIFY2(colorati > 50, qPrintable(QString::number(colorati)));
}

void TestLogo::scansioneA16Bit_data()
{
    QTest::addColumn<QByteArray>("modo");
    QTest::newRow("grey") << QByteArray("Gray");
    QTest::newRow("colour") << QByteArray("Color");
}

void TestLogo::scansioneA16Bit()
{
    // At 16 bits the test scanner's pattern brightens from left to right and keeps its
    // brightness from top to bottom.
    QFETCH(QByteArray, modo);
    avvia();
    scannerDiProva("mode " + modo + "\ndepth 16\ntest-picture \"Color pattern\"\n");
    sulLogo([&](TfrmOpzioni *o) { o->Button7->click(); });
    const QImage logo = logoSalvato();
    QCOMPARE(logo.size(), QSize(285, 357));
    // Red is the pattern's first band in colour, and the grey itself in grey.
    const auto luce = [&logo](int x, int y) { return qRed(logo.pixel(x, y)); };
    // Scanned columns 20 and 140 of row 100, columns 20 of rows 20 and 180, fitted into the box.
    const int sinistra = luce(36, 182), destra = luce(254, 182), alto = luce(36, 36), basso = luce(36, 327);
    const QString misure = QStringLiteral("%1 %2 %3 %4").arg(sinistra).arg(destra).arg(alto).arg(basso);
    QVERIFY2(destra - sinistra > 60, qPrintable(misure));
    QVERIFY2(qAbs(alto - basso) < 20, qPrintable(misure));
}

void TestLogo::scansioneAnnullata()
{
    avvia();
    const QString png = immagine("logo.png", Qt::red);
    sulLogo([&](TfrmOpzioni *o) {
        dialoghi().queueOpenFile(png);
        o->Button6->click();
    });
    // The scan is cancelled while it is read: the logo stays and nothing is said.
    scannerDiProva("read-status-code \"SANE_STATUS_CANCELLED\"\n");
    sulLogo([&](TfrmOpzioni *o) { o->Button7->click(); });
    QCOMPARE(logoSalvato().size(), QSize(120, 60));
    QVERIFY(simile(logoSalvato().pixelColor(5, 5), Qt::red));
}

namespace {

QByteArray inizio(const QString &file, int quanti)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.read(quanti);
}

} // namespace

void TestImmagineDocumento::scansioneSalvata_data()
{
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QString>("scritto");  // the file written, beside the chosen name
    QTest::addColumn<QByteArray>("firma"); // its first bytes
    const QByteArray jpeg("\xFF\xD8\xFF", 3), png("\x89PNG", 4), bmp("BM");
    QTest::newRow("jpg") << "fattura.jpg" << "fattura.jpg" << jpeg;
    QTest::newRow("JPG in capitals") << "fattura.JPG" << "fattura.JPG" << jpeg;
    QTest::newRow("jpeg") << "fattura.jpeg" << "fattura.jpeg" << jpeg;
    QTest::newRow("png") << "fattura.png" << "fattura.png" << png;
    QTest::newRow("bmp") << "fattura.Bmp" << "fattura.Bmp" << bmp;
    QTest::newRow("no extension") << "fattura" << "fattura.jpg" << jpeg;
    QTest::newRow("not a picture's") << "fattura.pdf" << "fattura.pdf.jpg" << jpeg;
}

void TestImmagineDocumento::scansioneSalvata()
{
    QFETCH(QString, nome);
    QFETCH(QString, scritto);
    QFETCH(QByteArray, firma);
    QTemporaryDir dir;
    scannerDiProva("mode Color\ndepth 8\ntest-picture \"Color pattern\"\n");
    const QImage scansione = acquisti::scansiona(nullptr);
    QCOMPARE(scansione.size(), QSize(157, 196));
    const QString percorso = acquisti::salvaScansione(scansione, dir.filePath(nome));
    QCOMPARE(percorso, dir.filePath(scritto));
    QCOMPARE(inizio(percorso, firma.size()), firma);
    QImage letta(percorso);
    QCOMPARE(letta.size(), QSize(157, 196));
    // Only the file named is written.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{scritto});
}

void TestImmagineDocumento::scansioneAnnullataNonDaNulla()
{
    scannerDiProva("read-status-code \"SANE_STATUS_CANCELLED\"\n");
    const QImage scansione = acquisti::scansiona(nullptr);
    QVERIFY(scansione.isNull());
    QTemporaryDir dir;
    QCOMPARE(acquisti::salvaScansione(scansione, dir.filePath("fattura.jpg")), QString());
    QVERIFY(QDir(dir.path()).entryList(QDir::Files).isEmpty());
    // No scanner at all: nothing either.
    scrivi(QStringLiteral("dll.conf"), "");
    QVERIFY(acquisti::scansiona(nullptr).isNull());
}

void TestImmagineDocumento::cartellaNonScrivibile()
{
    QTemporaryDir dir;
    QImage i(20, 10, QImage::Format_RGB32);
    i.fill(Qt::blue);
    QCOMPARE(acquisti::salvaScansione(i, dir.filePath("manca/fattura.jpg")), QString());
    QCOMPARE(acquisti::salvaScansione(i, QString()), QString());
    QVERIFY(QDir(dir.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot).isEmpty());
}

void TestImmagineDocumento::avvisiVedi()
{
    QTemporaryDir dir;
    const QString file = dir.filePath("d'angelo.png");
    QCOMPARE(acquisti::avvisoImmagine(QString()), QString("Attenzione manca il percorso dell'immagine"));
    QCOMPARE(acquisti::avvisoImmagine(file), QString("Il file: %1 non esiste più!!!").arg(file));
    QImage(4, 4, QImage::Format_RGB32).save(file, "PNG");
    QCOMPARE(acquisti::avvisoImmagine(file), QString());
}
