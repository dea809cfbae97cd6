#include "StampaContabilita.h"

#include "GrigliaContabilitaConti.h"
#include "accounting/services/Bilancio.h"
#include "data/DB.h"
#include "db/DbError.h"
#include "db/Query.h"
#include "forms/Family.h"
#include "forms/Registro.h"
#include "widgets/MaskedDateEdit.h"
#include "widgets/Seams.h"
#include "widgets/ToolButton.h"

#include <QComboBox>
#include <QDate>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString kAvvisoDate = QStringLiteral("Messaggio di avviso!!");

bool vuota(const ui::MaskedDateEdit *e)
{
    QString t = e->text();
    t.remove(u'/');
    return t.trimmed().isEmpty();
}

void stampa(int codice)
{
    CodiceStampa = codice;
    form_DB->Button2Click();
}

// The period of the two date fields; a date that is not a real one says so and gives nothing.
std::optional<contabilita::PeriodoStampa> periodo(QWidget *parent)
{
    const auto p = contabilita::periodoStampa(frmStampaContabilita->maskDa->text(), frmStampaContabilita->maskA->text());
    if (!p) forms::avvisa(parent, QStringLiteral("Attenzione la data indicata non è valida"), kAvvisoDate);
    return p;
}

QToolBar *barra(QWidget *parent, QToolButton *aiuto, QToolButton *indietro)
{
    auto *t = new QToolBar(parent);
    t->addWidget(aiuto);
    t->addWidget(indietro);
    return t;
}

} // namespace

TfrmStampaContabilita::TfrmStampaContabilita(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmStampaContabilita"));
    setWindowTitle(QStringLiteral("Stampa Contabilità"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    auto *v = new QVBoxLayout(this);
    spdHelp = ui::pulsanteAiuto(this);
    spdHelp->setToolTip(QStringLiteral("Guida in linea del programma"));
    spdIndietro = ui::pulsanteIndietro(this);
    spdIndietro->setToolTip(QStringLiteral("Torna indietro"));
    v->addWidget(barra(this, spdHelp, spdIndietro));
    GroupBox1 = new QGroupBox(QStringLiteral("Registri Iva"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setFocusPolicy(Qt::StrongFocus);
    auto *f = new QFormLayout(GroupBox1);
    maskDa = new ui::MaskedDateEdit(GroupBox1);
    maskDa->setObjectName(QStringLiteral("maskDa"));
    maskA = new ui::MaskedDateEdit(GroupBox1);
    maskA->setObjectName(QStringLiteral("maskA"));
    f->addRow(QStringLiteral("Dalla data"), maskDa);
    f->addRow(QStringLiteral("Alla data"), maskA);
    btnContabilita = new QPushButton(QStringLiteral("Bilancio"), GroupBox1);
    btnContabilita->setObjectName(QStringLiteral("btnContabilita"));
    btnStampaSituazioneConto = new QPushButton(QStringLiteral("Situazione Conto"), GroupBox1);
    btnStampaSituazioneConto->setObjectName(QStringLiteral("btnStampaSituazioneConto"));
    auto *pulsanti = new QHBoxLayout;
    pulsanti->addWidget(btnContabilita);
    pulsanti->addWidget(btnStampaSituazioneConto);
    f->addRow(pulsanti);
    v->addWidget(GroupBox1);
    SpeedButton1 = new QPushButton(QStringLiteral("Chiusura Iva"), this);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    v->addWidget(SpeedButton1);
    for (ui::MaskedDateEdit *m : {maskDa, maskA}) m->installEventFilter(this);
    connect(btnContabilita, &QPushButton::clicked, this, &TfrmStampaContabilita::btnContabilitaClick);
    connect(btnStampaSituazioneConto, &QPushButton::clicked, this, &TfrmStampaContabilita::btnStampaSituazioneContoClick);
    connect(SpeedButton1, &QPushButton::clicked, this, &TfrmStampaContabilita::SpeedButton1Click);
    connect(spdHelp, &QToolButton::clicked, this, &TfrmStampaContabilita::spdHelpClick);
    connect(spdIndietro, &QToolButton::clicked, this, &TfrmStampaContabilita::spdIndietroClick);
}

void TfrmStampaContabilita::apri(int anno)
{
    maskDa->setDate(QDate(anno, 1, 1));
    maskA->setDate(QDate(anno, 12, 31));
    show();
    raise();
    activateWindow();
}

bool TfrmStampaContabilita::dateIndicate()
{
    if (vuota(maskDa)) {
        forms::avvisa(this, QStringLiteral("Attenzione E' necessario definire la data di inizio..."), kAvvisoDate);
        return false;
    }
    if (vuota(maskA)) {
        forms::avvisa(this, QStringLiteral("Attenzione E' necessario definire la data di fine..."), kAvvisoDate);
        return false;
    }
    return true;
}

void TfrmStampaContabilita::btnContabilitaClick()
{
    if (!dateIndicate()) return;
    const auto p = periodo(this);
    if (!p) return;
    try {
        contabilita::calcolaBilancio(form_DB->Connessione, NomeComputerLocale, *p);
    } catch (const db::DbError &e) {
        ui::showError(e.message(), QStringLiteral("Messaggio di errore"), this);
        return;
    }
    form_DB->TableTempBilancio->requery();
    stampa(15);
}

void TfrmStampaContabilita::btnStampaSituazioneContoClick()
{
    if (!dateIndicate()) return;
    if (frmStampaSituazioneConto) frmStampaSituazioneConto->exec();
}

void TfrmStampaContabilita::SpeedButton1Click()
{
    stampa(form_DB->TableOpzioni->fieldByName(QStringLiteral("ChiusuraIvaMensile")).asBoolean() ? 34 : 16);
}

// Leaving a complete start date with no end date fills in the 31st of December of its year.
void TfrmStampaContabilita::maskDaExit()
{
    if (!vuota(maskA)) return;
    const QDate da = maskDa->date();
    if (da.isValid()) maskA->setDate(QDate(da.year(), 12, 31));
}

bool TfrmStampaContabilita::eventFilter(QObject *watched, QEvent *e)
{
    if (watched == maskDa && e->type() == QEvent::FocusOut) maskDaExit();
    if ((watched == maskDa || watched == maskA) && e->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent *>(e)->key() == Qt::Key_Escape) {
        static_cast<ui::MaskedDateEdit *>(watched)->setDate(QDate());
        GroupBox1->setFocus();
        return true;
    }
    return QDialog::eventFilter(watched, e);
}

void TfrmStampaContabilita::spdHelpClick() { ui::apriGuida(0); }
void TfrmStampaContabilita::spdIndietroClick() { close(); }

TfrmStampaSituazioneConto::TfrmStampaSituazioneConto(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmStampaSituazioneConto"));
    setWindowTitle(QStringLiteral("Cerca Conto"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    auto *v = new QVBoxLayout(this);
    spdHelp = ui::pulsanteAiuto(this);
    spdIndietro = ui::pulsanteIndietro(this);
    v->addWidget(barra(this, spdHelp, spdIndietro));
    auto *f = new QFormLayout;
    DBLookupComboBox2 = new QComboBox(this);
    DBLookupComboBox2->setObjectName(QStringLiteral("DBLookupComboBox2"));
    DBLookupComboBox2->setMinimumWidth(300);
    SpeedButton14 = ui::toolButton(this, QStringLiteral("SpeedButton14"), QString(), QStringLiteral("Cerca il tipo di Conto"),
                                   "edit-find", QStyle::SP_FileDialogContentsView);
    SpeedButton14->setToolButtonStyle(Qt::ToolButtonIconOnly);
    auto *riga = new QHBoxLayout;
    riga->addWidget(DBLookupComboBox2, 1);
    riga->addWidget(SpeedButton14);
    f->addRow(QStringLiteral("Conto"), riga);
    v->addLayout(f);
    btnStampaSituazioneConto = new QPushButton(QStringLiteral("Situazione Conto"), this);
    btnStampaSituazioneConto->setObjectName(QStringLiteral("btnStampaSituazioneConto"));
    v->addWidget(btnStampaSituazioneConto);
    connect(SpeedButton14, &QToolButton::clicked, this, &TfrmStampaSituazioneConto::SpeedButton14Click);
    connect(btnStampaSituazioneConto, &QPushButton::clicked, this, &TfrmStampaSituazioneConto::btnStampaSituazioneContoClick);
    connect(spdHelp, &QToolButton::clicked, this, &TfrmStampaSituazioneConto::spdHelpClick);
    connect(spdIndietro, &QToolButton::clicked, this, &TfrmStampaSituazioneConto::spdIndietroClick);
}

// The accounts of the chart, in the account list's order; the chosen one stays chosen.
void TfrmStampaSituazioneConto::caricaConti()
{
    const QVariant scelto = DBLookupComboBox2->currentData();
    DBLookupComboBox2->clear();
    db::Query *q = form_DB->TableContabilitaCercaConti;
    q->setFilter(QString());
    q->requery();
    for (q->first(); !q->eof(); q->next())
        DBLookupComboBox2->addItem(q->fieldByName(QStringLiteral("Conto")).asString(), q->fieldByName(QStringLiteral("ID")).asLargeInt());
    DBLookupComboBox2->setCurrentIndex(scelto.isValid() ? DBLookupComboBox2->findData(scelto) : -1);
}

void TfrmStampaSituazioneConto::showEvent(QShowEvent *e)
{
    caricaConti();
    QDialog::showEvent(e);
}

void TfrmStampaSituazioneConto::SpeedButton14Click()
{
    if (!frmGrigliaContabilitaConti) return;
    const std::optional<qint64> id = frmGrigliaContabilitaConti->scegli(QString(), QStringLiteral("ID"));
    if (id && *id > 0) {
        caricaConti();
        DBLookupComboBox2->setCurrentIndex(DBLookupComboBox2->findData(*id));
    }
}

void TfrmStampaSituazioneConto::btnStampaSituazioneContoClick()
{
    if (DBLookupComboBox2->currentText().isEmpty() || !DBLookupComboBox2->currentData().isValid()) {
        forms::avvisa(this, QStringLiteral("Attenzione manca il conto da esaminare"), forms::kAvviso);
        return;
    }
    const auto p = periodo(this);
    if (!p) return;
    try {
        contabilita::calcolaSituazioneConto(form_DB->Connessione, NomeComputerLocale, DBLookupComboBox2->currentData().toLongLong(), *p);
    } catch (const db::DbError &e) {
        ui::showError(e.message(), QStringLiteral("Messaggio di errore"), this);
        return;
    }
    stampa(28);
}

void TfrmStampaSituazioneConto::spdHelpClick() { ui::apriGuida(0); }
void TfrmStampaSituazioneConto::spdIndietroClick() { accept(); }

namespace {
const bool registrati = forms::registra(frmStampaContabilita, "frmStampaContabilita") &&
                        forms::registra(frmStampaSituazioneConto, "frmStampaSituazioneConto");
} // namespace
