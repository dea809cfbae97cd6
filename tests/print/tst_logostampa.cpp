#include "tst_logostampa.h"
#include "PrintFixture.h"

#include "Program.h"
#include "data/DB.h"
#include "db/Query.h"
#include "settings/Opzioni.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QTest>

namespace {

// The pictures of a PDF as pdfimages lists them: one line per picture after the heading.
QStringList immaginiPdf(const QString &pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf});
    if (!p.waitForFinished(60000) || p.exitCode() != 0) return {QStringLiteral("<pdfimages failed>")};
    QStringList righe = QString::fromUtf8(p.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    return righe.mid(2);
}

// The page as a picture, for what is drawn where the logo goes.
QImage pagina(const QString &pdf, const QString &cartella)
{
    QProcess p;
    p.start(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("50"), QStringLiteral("-png"),
                                         QStringLiteral("-singlefile"), pdf, cartella + QStringLiteral("/pagina")});
    if (!p.waitForFinished(60000) || p.exitCode() != 0) return {};
    return QImage(cartella + QStringLiteral("/pagina.png"));
}

} // namespace

void TestLogoStampa::init()
{
    f = std::make_unique<PrintFixture>();
    f->exec("update ditta set RagSoc = 'Soccorso Stradale Rossi'");
    QDir().mkpath(f->cartella() + "/reports");
    for (const QString &nome : QDir(QStringLiteral(SOURCE_DIR "/reports")).entryList({"Fatture*.rpt"}))
        QFile::copy(QStringLiteral(SOURCE_DIR "/reports/") + nome, f->cartella() + "/reports/" + nome);
    f->seams.launcher.behaviour = [](const QString &, const QStringList &args) {
        return stampa::run(QStringList{QStringLiteral("stampa")} + args, false);
    };
}

void TestLogoStampa::cleanup()
{
    EsportaStampa = false;
    QVERIFY2(f->seams.dialogs.clean(), qPrintable(f->seams.dialogs.report()));
    f.reset();
}

void TestLogoStampa::logoDaFileSullaFattura_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("formato");
    QTest::newRow("png") << "logo.png" << QByteArray("PNG");
    QTest::newRow("jpeg, estensione maiuscola") << "logo.JPEG" << QByteArray("JPEG");
}

void TestLogoStampa::logoDaFileSullaFattura()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, formato);
    // A red logo, twice as wide as high, with a black bar: clearly not a blank page.
    QImage immagine(400, 200, QImage::Format_RGB32);
    immagine.fill(Qt::red);
    QPainter(&immagine).fillRect(0, 150, 400, 50, Qt::black);
    const QString percorso = f->cartella() + u'/' + file;
    QVERIFY(immagine.save(percorso, formato.constData()));

    f->seams.dialogs.queueOpenFile(percorso);
    frmOpzioni->Button6Click();
    frmOpzioni->spdIndietroClick();
    const QByteArray salvato = f->scalar("select Logo from ditta").toByteArray();
    QVERIFY(salvato.startsWith("BM")); // kept as a BMP picture, whatever it came from
    QImage letto;
    QVERIFY(letto.loadFromData(salvato));
    QCOMPARE(letto.size(), QSize(400, 200));
    QCOMPARE(QColor(letto.pixel(20, 20)).red() > 200, true);

    QVERIFY(form_DB->Table3->locate("ID", 10));
    EsportaStampa = true;
    FileEsportazioneStampa = f->cartella() + "/fattura.pdf";
    CodiceStampa = 8;
    QVERIFY(form_DB->Button2Click());
    const QStringList immagini = immaginiPdf(FileEsportazioneStampa);
    QCOMPARE(immagini.size(), 1);
    // The top left of the page, where the logo heads the invoice, is red.
    const QImage p = pagina(FileEsportazioneStampa, f->cartella());
    QVERIFY(!p.isNull());
    int rossi = 0;
    for (int y = 0; y < p.height() / 6; ++y)
        for (int x = 0; x < p.width() / 3; ++x) {
            const QColor c = p.pixelColor(x, y);
            if (c.red() > 200 && c.green() < 80 && c.blue() < 80) ++rossi;
        }
    QVERIFY2(rossi > 100, qPrintable(QString::number(rossi)));
}
