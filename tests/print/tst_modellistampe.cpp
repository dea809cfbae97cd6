#include "tst_modellistampe.h"

#include "Layout.h"
#include "Request.h"
#include "data/CatalogoStampe.h"
#include "data/DB.h"

#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <QTextLayout>

namespace {

// Where a column heading would break if its column were too narrow: anywhere but between words.
QString headingBrokenInsideAWord(const stampa::PageItem &item, QPaintDevice *device)
{
    QTextLayout layout(item.text, item.font, device);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    QString broken;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(item.rect.width());
        const int end = line.textStart() + line.textLength();
        if (end < item.text.size() && !item.text[end - 1].isSpace() && !item.text[end].isSpace()
            && !item.text[end - 1].isPunct())
            broken = item.text.left(end) + u'/' + item.text.mid(end);
    }
    layout.endLayout();
    return broken;
}

QString pdfInfo(const QString &path)
{
    QProcess p;
    p.start(QStringLiteral("pdfinfo"), {path});
    if (!p.waitForFinished(60000) || p.exitCode() != 0) return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

// One program for every row: a row only replaces the print request and sets the options.
void TestModelliStampe::initTestCase()
{
    f = std::make_unique<PrintFixture>();
    // What the accounting print forms hand over, and the work tables they fill.
    CriteriStampaDigitati = PrintFixture::criteriValidi();
    f->exec("insert into TempBilancio (NomeComputer, DescrizioneData, TotaleImponibile) values ('POSTAZIONE1', 'Marzo', 100)");
    f->exec("insert into TempContabilitaConto (NomeComputer, Descrizione, TotaleImponibile) values ('POSTAZIONE1', 'Traino', 100)");
}

void TestModelliStampe::cleanupTestCase() { f.reset(); }

void TestModelliStampe::cleanup()
{
    QVERIFY2(f->seams.dialogs.clean(), qPrintable(f->seams.dialogs.report()));
    f->seams.dialogs.clear();
}

void TestModelliStampe::everyTemplateRendersItsQuery_data()
{
    QTest::addColumn<int>("codice");
    QTest::addColumn<bool>("rigaIvato");
    QTest::addColumn<bool>("prezzo");
    QTest::addColumn<bool>("landscape");
    int pairs = 0;
    for (const stampe::Voce &v : stampe::catalogo()) {
        // The option settings that give the code its different templates.
        QList<std::pair<bool, bool>> opzioni = {{false, false}};
        if (v.variante == stampe::Variante::RigaIva) opzioni = {{true, false}, {false, false}};
        if (v.variante == stampe::Variante::Preventivo) opzioni = {{true, true}, {false, true}, {false, false}};
        for (const auto &[rigaIvato, prezzo] : opzioni) {
            for (bool landscape : {false, true}) {
                if (landscape && !v.landscape) continue; // the labels name one file twice
                QTest::addRow("%d%s%s%s", v.codice, rigaIvato ? " riga ivato" : "", prezzo ? " prezzo" : "",
                              landscape ? " Lan" : "")
                    << v.codice << rigaIvato << prezzo << landscape;
                ++pairs;
            }
        }
    }
    QCOMPARE(pairs, 123);
}

void TestModelliStampe::everyTemplateRendersItsQuery()
{
    QFETCH(int, codice);
    QFETCH(bool, rigaIvato);
    QFETCH(bool, prezzo);
    QFETCH(bool, landscape);
    f->opzioniDocumenti(rigaIvato, prezzo);
    CodiceStampa = codice;
    QVERIFY(form_DB->Button2Click());

    const stampa::Request request = stampa::readRequest(form_DB->Connessione, PrintFixture::postazione);
    const stampa::ReportData data = stampa::fetchData(form_DB->Connessione, request);
    const QString file = f->cartella() + "/report.pdf";
    try {
        const stampa::Template t =
            stampa::loadTemplate(stampa::findTemplate(landscape ? request.reportLandscape : request.report, QStringLiteral(SOURCE_DIR)));
        QString error;
        QVERIFY2(stampa::writePdf(t, data, file, &error), qPrintable(error));

        // The column headings, as laid out on the pages, break only between words.
        QPdfWriter device(f->cartella() + "/misura.pdf");
        stampa::setupDevice(&device, t);
        QStringList captions;
        for (const stampa::Block &b : t.blocks)
            for (const stampa::Column &c : b.columns) captions << c.caption;
        for (const stampa::Page &page : stampa::layoutReport(t, data, &device))
            for (const stampa::PageItem &item : page.items)
                if (item.kind == stampa::PageItem::Text && captions.contains(item.text)) {
                    const QString broken = headingBrokenInsideAWord(item, &device);
                    QVERIFY2(broken.isEmpty(), qPrintable(QStringLiteral("%1: \"%2\"").arg(t.fileName, broken)));
                }
    } catch (const stampa::ReportError &e) {
        QFAIL(qPrintable(e.message()));
    }
    const QString info = pdfInfo(file);
    QVERIFY2(QRegularExpression(QStringLiteral("Pages:\\s+[1-9]")).match(info).hasMatch(), qPrintable(info));
}
