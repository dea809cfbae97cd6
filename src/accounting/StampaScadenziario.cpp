#include "StampaScadenziario.h"

#include "data/DB.h"
#include "forms/Registro.h"
#include "widgets/Seams.h"
#include "widgets/ToolButton.h"

#include <QGridLayout>
#include <QToolButton>

namespace {

QToolButton *pulsante(QWidget *parent, const char *nome, const char *testo, const char *icona)
{
    QToolButton *b = ui::toolButton(parent, QString::fromLatin1(nome), QString::fromUtf8(testo), QString(), icona,
                                    QStyle::SP_FileDialogDetailedView);
    b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    return b;
}

void stampa(int codice)
{
    CodiceStampa = codice;
    form_DB->Button2Click();
}

} // namespace

TfrmStampaScadenziario::TfrmStampaScadenziario(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmStampaScadenziario"));
    setWindowTitle(QStringLiteral("Stampa Scadenziario"));
    // No border icons: "Indietro" closes the menu.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    auto *g = new QGridLayout(this);
    SpeedButton2 = pulsante(this, "SpeedButton2", "Scadenze Clienti", "document-print");
    SpeedButton1 = pulsante(this, "SpeedButton1", "Pagamenti Clienti", "document-print");
    SpeedButton3 = pulsante(this, "SpeedButton3", "Scadenze Fornitori", "document-print");
    SpeedButton4 = pulsante(this, "SpeedButton4", "Pagamenti Fornitori", "document-print");
    SpeedButton5 = pulsante(this, "SpeedButton5", "Situazione Clienti", "system-users");
    SpeedButton6 = pulsante(this, "SpeedButton6", "Situazione Fornitori", "system-users");
    SpeedButton9 = pulsante(this, "SpeedButton9", "Scadenze Vetture", "applications-system");
    btnStampePersonale = pulsante(this, "btnStampePersonale", "Scadenze Personale", "user-info");
    spdIndietro = ui::pulsanteIndietro(this);
    int i = 0;
    for (QToolButton *b : {SpeedButton2, SpeedButton1, SpeedButton3, SpeedButton4, SpeedButton5, SpeedButton6, SpeedButton9,
                           btnStampePersonale}) {
        g->addWidget(b, i / 2, i % 2);
        ++i;
    }
    g->addWidget(spdIndietro, 4, 1);
    connect(SpeedButton2, &QToolButton::clicked, this, &TfrmStampaScadenziario::SpeedButton2Click);
    connect(SpeedButton1, &QToolButton::clicked, this, &TfrmStampaScadenziario::SpeedButton1Click);
    connect(SpeedButton3, &QToolButton::clicked, this, &TfrmStampaScadenziario::SpeedButton3Click);
    connect(SpeedButton4, &QToolButton::clicked, this, &TfrmStampaScadenziario::SpeedButton4Click);
    connect(SpeedButton5, &QToolButton::clicked, this, &TfrmStampaScadenziario::SpeedButton5Click);
    connect(SpeedButton6, &QToolButton::clicked, this, &TfrmStampaScadenziario::SpeedButton6Click);
    connect(SpeedButton9, &QToolButton::clicked, this, &TfrmStampaScadenziario::SpeedButton9Click);
    connect(btnStampePersonale, &QToolButton::clicked, this, &TfrmStampaScadenziario::btnStampePersonaleClick);
    connect(spdIndietro, &QToolButton::clicked, this, &TfrmStampaScadenziario::spdIndietroClick);
}

void TfrmStampaScadenziario::SpeedButton2Click() { stampa(20); }
void TfrmStampaScadenziario::SpeedButton1Click() { stampa(21); }
void TfrmStampaScadenziario::SpeedButton3Click() { stampa(42); }
void TfrmStampaScadenziario::SpeedButton4Click() { stampa(43); }
void TfrmStampaScadenziario::SpeedButton5Click() { stampa(12); }
void TfrmStampaScadenziario::SpeedButton6Click() { stampa(13); }
void TfrmStampaScadenziario::SpeedButton9Click() { stampa(51); }
void TfrmStampaScadenziario::btnStampePersonaleClick() { stampa(55); }
void TfrmStampaScadenziario::spdIndietroClick() { close(); }

namespace {
// Created once at start-up, in the program's order.
const bool registrato = forms::registra(frmStampaScadenziario, "frmStampaScadenziario");
} // namespace
