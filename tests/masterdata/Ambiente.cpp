#include "Ambiente.h"

#include <QUrl>

#include "app/Forms.h"
#include "app/Frm1.h"
#include "data/DB.h"
#include "db/Query.h"

#include <QAction>
#include <QComboBox>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <memory>

using namespace testing_support;

namespace ambiente {

namespace {

std::unique_ptr<QTemporaryDir> g_cartella;
std::unique_ptr<Seams> g_seams;
int g_chiusureForzate = 0;

void chiudiModali()
{
    ++g_chiusureForzate;
    for (int i = 0; i < 10; ++i) {
        QWidget *w = QApplication::activeModalWidget();
        if (!w) break;
        if (auto *d = qobject_cast<QDialog *>(w)) d->done(QDialog::Rejected);
        else w->hide();
    }
}

} // namespace

void avvia()
{
    g_seams.reset(); // a cleanup that stopped early leaves its doubles installed
    g_cartella = std::make_unique<QTemporaryDir>();
    g_seams = std::make_unique<Seams>(g_cartella->path());
    g_chiusureForzate = 0;
    QDir(g_cartella->path()).mkpath(QStringLiteral("aiuto"));
    QFile pagina(QDir(g_cartella->path()).filePath(QStringLiteral("aiuto/index.html")));
    QVERIFY(pagina.open(QIODevice::WriteOnly));
    pagina.close();
    // The program's own database is there already, as the user finds it after the first start:
    // a copy of the template, not a new schema per test.
    QVERIFY(QFile::copy(percorsoModello(), QDir(g_cartella->path()).filePath(QStringLiteral("archivio.db"))));
    AvvioCompletato = false;
    CreaForms();
    Form1->terminaApplicazione = [] {};
    Form1->FormActivate();
    QVERIFY(AvvioCompletato);
}

void chiudi()
{
    DistruggiForms();
    const bool pulito = g_seams->dialogs.clean();
    const QString resoconto = g_seams->dialogs.report();
    g_seams.reset();
    g_cartella.reset();
    QVERIFY2(pulito, qPrintable(resoconto));
    QCOMPARE(g_chiusureForzate, 0);
}

ScriptedDialogs &dialoghi() { return g_seams->dialogs; }
int chiusureForzate() { return g_chiusureForzate; }
ScriptedLauncher &launcher() { return g_seams->launcher; }

QVariant valore(const QString &sql) { return form_DB->Connessione.scalar(sql); }
void esegui(const QString &sql) { form_DB->Connessione.execute(sql); }

void conModale(const std::function<void()> &apri, const std::function<void(QWidget *)> &azione)
{
    QObject contesto; // a window that never opened must not leave the action to a later test
    bool eseguita = false;
    QTimer::singleShot(0, &contesto, [&] {
        eseguita = true;
        QWidget *w = QApplication::activeModalWidget();
        QVERIFY2(w, "nessuna finestra modale aperta");
        azione(w);
    });
    QTimer sicurezza;
    sicurezza.setSingleShot(true);
    QObject::connect(&sicurezza, &QTimer::timeout, &chiudiModali);
    sicurezza.start(5000);
    apri();
    QVERIFY2(eseguita, "la finestra modale non si è aperta");
}

QStringList didascalie(QToolBar *barra, bool soloVisibili)
{
    QStringList testi;
    for (QAction *a : barra->actions()) {
        auto *b = qobject_cast<QToolButton *>(barra->widgetForAction(a));
        if (b && (!soloVisibili || a->isVisible())) testi << b->text();
    }
    return testi;
}

QString guida(int contesto)
{
    QUrl url = QUrl::fromLocalFile(QDir(g_cartella->path()).filePath(QStringLiteral("aiuto/index.html")));
    if (contesto > 0) url.setFragment(QStringLiteral("contesto%1").arg(contesto));
    return url.toString();
}

} // namespace ambiente

bool ambiente::scegliComune(QComboBox *lookup, const QString &comune, const QString &provincia)
{
    db::Query *comuni = form_DB->Table8;
    for (int i = 0; i < lookup->count(); ++i) {
        if (lookup->itemText(i) != comune || comuni->valueAt(i, comuni->fieldIndex("Provincia")).toString() != provincia) continue;
        lookup->setCurrentIndex(i);
        Q_EMIT lookup->activated(i);
        return true;
    }
    return false;
}
