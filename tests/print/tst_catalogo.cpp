#include "tst_catalogo.h"

#include "PrintFixture.h"
#include "data/CatalogoStampe.h"
#include "data/DB.h"
#include "db/Query.h"

#include <QMap>
#include <QSet>
#include <QTest>

#include "AttesiStampe.h"

using namespace attesi_stampe;

namespace {

void colonne()
{
    QTest::addColumn<int>("codice");
    QTest::addColumn<QStringList>("attese");
}

void confronta(PrintFixture &f, const QStringList &attese)
{
    const QVariantMap r = f.richiesta(PrintFixture::postazione);
    for (int i = 0; i < 3; ++i) {
        const QVariant scritto = r.value(QString::fromLatin1(kCampi[i]));
        if (attese[i].isNull()) {
            QVERIFY2(scritto.isNull(), qPrintable(QStringLiteral("%1 written: %2").arg(kCampi[i], scritto.toString())));
            continue;
        }
        QVERIFY2(scritto.toString() == attese[i], qPrintable(QStringLiteral("%1 %2").arg(kCampi[i], differenza(scritto.toString(), attese[i]))));
    }
}

} // namespace

// One program for every row: a row replaces the print request and positions the datasets.
void TestCatalogoStampe::initTestCase() { f = std::make_unique<PrintFixture>(); }

void TestCatalogoStampe::cleanupTestCase() { f.reset(); }

void TestCatalogoStampe::init()
{
    DaSequestro = false;
    form_DB->Table16->setFilter(QString());
    QVERIFY(form_DB->TableNotaCredito->locate("ID", 12));
    QVERIFY(form_DB->Table16->locate("ID", 20));
    QVERIFY(form_DB->Table3->locate("ID", 11));
    QVERIFY(form_DB->Table7->locate("Id", 2));
    QVERIFY(form_DB->Table9->locate("Id", 1));
    QVERIFY(form_DB->TableVetture->locate("ID", 40));
    QVERIFY(form_DB->TablePersonale->locate("ID", 50));
    QVERIFY(form_DB->TableSequestri->locate("Id", 30));
    CriteriStampaDigitati = PrintFixture::criteriValidi();
}

void TestCatalogoStampe::cleanup()
{
    DaSequestro = false;
    QVERIFY2(f->seams.dialogs.clean(), qPrintable(f->seams.dialogs.report()));
    f->seams.dialogs.clear();
}

void TestCatalogoStampe::everyCodeWritesItsSql_data()
{
    colonne();
    const QMap<int, QStringList> attese = attesePerCodice();
    for (auto e = attese.begin(); e != attese.end(); ++e) QTest::addRow("%d", e.key()) << e.key() << e.value();
    QSet<int> catalogo;
    for (const stampe::Voce &v : stampe::catalogo()) catalogo << v.codice;
    QCOMPARE(catalogo, QSet<int>(attese.keyBegin(), attese.keyEnd()));
}

void TestCatalogoStampe::everyCodeWritesItsSql()
{
    QFETCH(int, codice);
    QFETCH(QStringList, attese);
    CodiceStampa = codice;
    QVERIFY(form_DB->Button2Click());
    confronta(*f, attese);
}

void TestCatalogoStampe::fromASeizure_data()
{
    colonne();
    QMap<int, QStringList> attese = attesePerCodice();
    for (const Cambio &c : kDaSequestro) {
        QString &sql = attese[c.codice][indiceCampo(c.campo)];
        QCOMPARE(sql.count(QString::fromUtf8(c.prima)), 1);
        sql.replace(QString::fromUtf8(c.prima), QString::fromUtf8(c.dopo));
    }
    for (int codice : {5, 8}) QTest::addRow("%d", codice) << codice << attese.value(codice);
}

void TestCatalogoStampe::fromASeizure()
{
    QFETCH(int, codice);
    QFETCH(QStringList, attese);
    form_DB->Table16->setFilter("ID = 0");
    DaSequestro = true;
    CodiceStampa = codice;
    QVERIFY(form_DB->Button2Click());
    confronta(*f, attese);
}
