#include "StampePrimaNota.h"
#include "forms/Registro.h"

#include "accounting/services/PrimaNota.h"
#include "accounting/services/RicercaPrimaNota.h"
#include "core/Clock.h"
#include "data/CatalogoStampe.h"
#include "data/DB.h"
#include "db/DbError.h"
#include "db/Query.h"
#include "forms/Family.h"
#include "widgets/MaskedDateEdit.h"
#include "widgets/Seams.h"
#include "widgets/ToolButton.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const int kContesto = 6210;
const QString kAvviso = QStringLiteral("Messaggio di avviso!!");

QToolButton *pulsante(QWidget *parent, const char *nome, const char *testo, const char *icona)
{
    QToolButton *b = ui::toolButton(parent, QString::fromLatin1(nome), QString::fromUtf8(testo), QString(), icona,
                                    QStyle::SP_FileDialogDetailedView);
    b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    return b;
}

// Fills a choice with the rows of a shared dataset, keeping what was chosen.
void riempi(QComboBox *c, db::Query *q, const QString &chiave, const QString &testo)
{
    const QVariant scelta = c->currentData();
    const QSignalBlocker quiet(c);
    c->clear();
    try {
        if (!q->isActive()) q->open();
        const int k = q->fieldIndex(chiave), t = q->fieldIndex(testo);
        for (int r = 0; r < q->recordCount(); ++r) c->addItem(q->valueAt(r, t).toString(), q->valueAt(r, k));
    } catch (const db::DbError &) {
        // An unreadable list offers nothing; printing without a choice still works.
    }
    c->setCurrentIndex(scelta.isValid() ? c->findData(scelta) : -1);
}

void stampa(int codice)
{
    CodiceStampa = codice;
    form_DB->Button2Click();
}

} // namespace

TfrmStampaPrimNota::TfrmStampaPrimNota(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmStampaPrimNota"));
    setWindowTitle(QStringLiteral("Prima nota"));
    setProperty("helpContext", kContesto);
    // No close box: "Indietro" closes the menu.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    auto *g = new QGridLayout(this);
    SpeedButton1 = pulsante(this, "SpeedButton1", "Prima Nota", "document-print");
    SpeedButton2 = pulsante(this, "SpeedButton2", "Clienti", "document-print");
    SpeedButton3 = pulsante(this, "SpeedButton3", "Fornitori", "document-print");
    SpeedButton4 = pulsante(this, "SpeedButton4", "Situazione Clienti", "system-users");
    SpeedButton5 = pulsante(this, "SpeedButton5", "Situazione Fornitori", "system-users");
    SpeedButton6 = pulsante(this, "SpeedButton6", "Mese per Mese", "x-office-calendar");
    SpeedButton7 = pulsante(this, "SpeedButton7", "per Mese e per Banca", "x-office-calendar");
    spdIndietro = ui::pulsanteIndietro(this);
    int i = 0;
    for (QToolButton *b : {SpeedButton1, SpeedButton2, SpeedButton3, SpeedButton4, SpeedButton5, SpeedButton6, SpeedButton7}) {
        g->addWidget(b, i / 2, i % 2);
        ++i;
    }
    g->addWidget(spdIndietro, 4, 1);
    connect(SpeedButton1, &QToolButton::clicked, this, [] { stampa(9); });
    connect(SpeedButton2, &QToolButton::clicked, this, [] { stampa(10); });
    connect(SpeedButton3, &QToolButton::clicked, this, [] { stampa(11); });
    auto mostra = [](QWidget *w) {
        if (!w) return;
        w->show();
        w->raise();
        w->activateWindow();
    };
    connect(SpeedButton4, &QToolButton::clicked, this, [mostra] { mostra(frmStampaPrimaNotaSituazioneClienti); });
    connect(SpeedButton5, &QToolButton::clicked, this, [mostra] { mostra(frmStampaPrimaNotaSituazioneFornitori); });
    connect(SpeedButton6, &QToolButton::clicked, this, [mostra] {
        if (!frmPrimaNotaStampaMese) return;
        frmPrimaNotaStampaMese->prepara(core::Clock::instance().today().year());
        mostra(frmPrimaNotaStampaMese);
    });
    connect(SpeedButton7, &QToolButton::clicked, this, [mostra] {
        if (!frmPrimaNotaStampaBanca) return;
        frmPrimaNotaStampaBanca->prepara(core::Clock::instance().today().year());
        mostra(frmPrimaNotaStampaBanca);
    });
    connect(spdIndietro, &QToolButton::clicked, this, &QDialog::close);
}

StampaPrimaNotaMese::StampaPrimaNotaMese(bool conBanca, QWidget *parent) : QDialog(parent), m_conBanca(conBanca)
{
    setObjectName(conBanca ? QStringLiteral("frmPrimaNotaStampaBanca") : QStringLiteral("frmPrimaNotaStampaMese"));
    setWindowTitle(conBanca ? QStringLiteral("Prima nota Stampa per Banca") : QStringLiteral("Stampa Prima Nota per mese"));
    setProperty("helpContext", kContesto);
    auto *v = new QVBoxLayout(this);
    auto *barra = new QToolBar(this);
    spdIndietro = ui::pulsanteIndietro(this);
    barra->addWidget(spdIndietro);
    v->addWidget(barra);
    auto *f = new QFormLayout;
    DBLookupComboBox2 = new QComboBox(this);
    DBLookupComboBox2->setObjectName(QStringLiteral("DBLookupComboBox2"));
    f->addRow(QStringLiteral("Mese"), DBLookupComboBox2);
    if (conBanca) {
        DBLookupComboBox4 = new QComboBox(this);
        DBLookupComboBox4->setObjectName(QStringLiteral("DBLookupComboBox4"));
        f->addRow(QStringLiteral("Banca"), DBLookupComboBox4);
    }
    txtAnno = new QLineEdit(this);
    txtAnno->setObjectName(QStringLiteral("txtAnno"));
    txtAnno->setMaxLength(4);
    f->addRow(QStringLiteral("Anno"), txtAnno);
    txtSaldoIniziale = new QLineEdit(this);
    txtSaldoIniziale->setObjectName(QStringLiteral("txtSaldoIniziale"));
    Calcola = pulsante(this, "Calcola", "Calcola", "accessories-calculator");
    auto *saldo = new QHBoxLayout;
    saldo->addWidget(txtSaldoIniziale, 1);
    saldo->addWidget(Calcola);
    f->addRow(QStringLiteral("Saldo Iniziale"), saldo);
    v->addLayout(f);
    SpeedButton6 = pulsante(this, "SpeedButton6", conBanca ? "per Mese e per Banca" : "Mese per Mese", "document-print");
    v->addWidget(SpeedButton6);
    connect(Calcola, &QToolButton::clicked, this, &StampaPrimaNotaMese::CalcolaClick);
    connect(SpeedButton6, &QToolButton::clicked, this, &StampaPrimaNotaMese::SpeedButton6Click);
    connect(spdIndietro, &QToolButton::clicked, this, &QDialog::close);
}

void StampaPrimaNotaMese::showEvent(QShowEvent *e)
{
    riempi(DBLookupComboBox2, form_DB->TableMesi, QStringLiteral("Numero"), QStringLiteral("Mese"));
    if (DBLookupComboBox4) riempi(DBLookupComboBox4, form_DB->Table5, QStringLiteral("ID"), QStringLiteral("Banca"));
    QDialog::showEvent(e);
}

void StampaPrimaNotaMese::prepara(int anno)
{
    txtAnno->setText(QString::number(anno));
    txtSaldoIniziale->setText(QStringLiteral("0"));
}

bool StampaPrimaNotaMese::controlla(bool saldo)
{
    auto manca = [this](QWidget *campo, const QString &testo) {
        forms::avvisa(this, QStringLiteral("Attenzione E' necessario definire %1...").arg(testo), kAvviso);
        campo->setFocus();
        return false;
    };
    if (DBLookupComboBox2->currentText().isEmpty()) return manca(DBLookupComboBox2, QStringLiteral("il mese"));
    if (DBLookupComboBox4 && DBLookupComboBox4->currentText().isEmpty()) return manca(DBLookupComboBox4, QStringLiteral("la Banca"));
    if (txtAnno->text().isEmpty()) return manca(txtAnno, QStringLiteral("l'anno"));
    if (saldo && txtSaldoIniziale->text().isEmpty()) return manca(txtSaldoIniziale, QStringLiteral("il Saldo Iniziale"));
    return true;
}

void StampaPrimaNotaMese::CalcolaClick()
{
    if (!controlla(false)) return;
    bool ok = false;
    const int anno = txtAnno->text().trimmed().toInt(&ok);
    const QDate primo(anno, DBLookupComboBox2->currentData().toInt(), 1);
    if (!ok || !primo.isValid()) {
        forms::avvisa(this, QStringLiteral("'%1' non è un anno valido").arg(txtAnno->text()), kAvviso);
        txtAnno->setFocus();
        return;
    }
    try {
        const double saldo = m_conBanca ? primanota::saldoInizialeBanca(form_DB->Connessione, DBLookupComboBox4->currentData().toLongLong(), primo)
                                        : primanota::saldoIniziale(form_DB->Connessione, primo);
        txtSaldoIniziale->setText(primanota::testoNumero(saldo));
    } catch (const db::DbError &e) {
        forms::avvisa(this, e.message(), QStringLiteral("Messaggio di errore"));
    }
}

void StampaPrimaNotaMese::SpeedButton6Click()
{
    if (!controlla(true)) return;
    CriteriStampaDigitati = {};
    CriteriStampaDigitati.mese = DBLookupComboBox2->currentData().toString();
    CriteriStampaDigitati.anno = txtAnno->text();
    if (DBLookupComboBox4) CriteriStampaDigitati.banca = DBLookupComboBox4->currentData().toString();
    CriteriStampaDigitati.saldoIniziale = txtSaldoIniziale->text();
    stampa(m_conBanca ? 24 : 27);
}

StampaSituazione::StampaSituazione(bool fornitori, QWidget *parent) : QDialog(parent), m_fornitori(fornitori)
{
    setObjectName(fornitori ? QStringLiteral("frmStampaPrimaNotaSituazioneFornitori") : QStringLiteral("frmStampaPrimaNotaSituazioneClienti"));
    setWindowTitle(fornitori ? QStringLiteral("Stampa Prima Nota Situazione Fornitori")
                             : QStringLiteral("Stampa Situazione Clienti - Prima Nota"));
    setProperty("helpContext", kContesto);
    auto *v = new QVBoxLayout(this);
    auto *barra = new QToolBar(this);
    spdHelp = ui::pulsanteAiuto(this);
    spdIndietro = ui::pulsanteIndietro(this);
    barra->addWidget(spdHelp);
    barra->addWidget(spdIndietro);
    v->addWidget(barra);
    auto *f = new QFormLayout;
    maskDa = new ui::MaskedDateEdit(this);
    maskDa->setObjectName(QStringLiteral("maskDa"));
    maskA = new ui::MaskedDateEdit(this);
    maskA->setObjectName(QStringLiteral("maskA"));
    DBLookupComboBox2 = new QComboBox(this);
    DBLookupComboBox2->setObjectName(QStringLiteral("DBLookupComboBox2"));
    DBLookupComboBox2->setMinimumWidth(260);
    f->addRow(QStringLiteral("Dalla data"), maskDa);
    f->addRow(QStringLiteral("Alla data"), maskA);
    f->addRow(fornitori ? QStringLiteral("Fornitore") : QStringLiteral("Cliente"), DBLookupComboBox2);
    v->addLayout(f);
    SpeedButton4 = pulsante(this, "SpeedButton4", fornitori ? "Situazione Fornitori" : "Situazione Clienti", "document-print");
    v->addWidget(SpeedButton4);
    for (QWidget *w : std::initializer_list<QWidget *>{maskDa, maskA, DBLookupComboBox2}) w->installEventFilter(this);
    connect(SpeedButton4, &QToolButton::clicked, this, &StampaSituazione::SpeedButton4Click);
    connect(spdHelp, &QToolButton::clicked, this, [] { ui::apriGuida(kContesto); });
    connect(spdIndietro, &QToolButton::clicked, this, &QDialog::close);
}

void StampaSituazione::showEvent(QShowEvent *e)
{
    if (m_fornitori) riempi(DBLookupComboBox2, form_DB->Table9, QStringLiteral("Id"), QStringLiteral("Fornitore"));
    else riempi(DBLookupComboBox2, form_DB->Table7, QStringLiteral("Id"), QStringLiteral("NominativoVisualizzato"));
    QDialog::showEvent(e);
}

bool StampaSituazione::eventFilter(QObject *watched, QEvent *e)
{
    if (e->type() == QEvent::KeyPress) {
        const int k = static_cast<QKeyEvent *>(e)->key();
        if (watched == DBLookupComboBox2 && (k == Qt::Key_Backspace || k == Qt::Key_Delete)) {
            DBLookupComboBox2->setCurrentIndex(-1);
            return true;
        }
        if ((watched == maskDa || watched == maskA) && k == Qt::Key_Escape) {
            static_cast<ui::MaskedDateEdit *>(watched)->setDate(QDate());
            DBLookupComboBox2->setFocus();
            return true;
        }
    }
    return QDialog::eventFilter(watched, e);
}

void StampaSituazione::SpeedButton4Click()
{
    CriteriStampaDigitati = {};
    if (!DBLookupComboBox2->currentText().isEmpty()) CriteriStampaDigitati.soggetto = DBLookupComboBox2->currentData().toString();
    CriteriStampaDigitati.daData = maskDa->text();
    CriteriStampaDigitati.aData = maskA->text();
    stampa(m_fornitori ? 17 : 7);
}

namespace {
// Created once at start-up, in the program's order.
const bool registrati = forms::registra(frmStampaPrimNota, "frmStampaPrimNota")
                        && forms::registra(frmStampaPrimaNotaSituazioneClienti, "frmStampaPrimaNotaSituazioneClienti")
                        && forms::registra(frmStampaPrimaNotaSituazioneFornitori, "frmStampaPrimaNotaSituazioneFornitori")
                        && forms::registra(frmPrimaNotaStampaBanca, "frmPrimaNotaStampaBanca")
                        && forms::registra(frmPrimaNotaStampaMese, "frmPrimaNotaStampaMese");
} // namespace
