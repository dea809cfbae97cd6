#include "StampaPersonale.h"

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

TfrmStampaPersonale::TfrmStampaPersonale(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmStampaPersonale"));
    setWindowTitle(QStringLiteral("Stampa del Personale"));
    setProperty("helpContext", 0);
    // No close box: "Indietro" closes the menu.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    auto *g = new QGridLayout(this);
    btnStampePersonale = pulsante(this, "btnStampePersonale", "Personale", "user-info");
    BitBtn2 = pulsante(this, "BitBtn2", "Costi", "wallet-open");
    btnStampaPersonaleStipendi = pulsante(this, "btnStampaPersonaleStipendi", "Stipendi", "document-print");
    BitBtn1 = pulsante(this, "BitBtn1", "Stipendi x mese", "x-office-calendar");
    BitBtn3 = pulsante(this, "BitBtn3", "Stipendi x Descrizioni", "view-list-details");
    BitBtn4 = pulsante(this, "BitBtn4", "Scadenze", "appointment-soon");
    spdHelp = ui::pulsanteAiuto(this);
    spdHelp->setToolTip(QStringLiteral("Guida in linea del programma"));
    spdIndietro = ui::pulsanteIndietro(this);
    spdIndietro->setToolTip(QStringLiteral("Torna indietro"));
    int i = 0;
    for (QToolButton *b : {btnStampePersonale, BitBtn2, btnStampaPersonaleStipendi, BitBtn1, BitBtn3, BitBtn4}) {
        g->addWidget(b, i / 2, i % 2);
        ++i;
    }
    g->addWidget(spdHelp, 3, 0);
    g->addWidget(spdIndietro, 3, 1);
    connect(btnStampePersonale, &QToolButton::clicked, this, &TfrmStampaPersonale::btnStampePersonaleClick);
    connect(BitBtn2, &QToolButton::clicked, this, &TfrmStampaPersonale::BitBtn2Click);
    connect(btnStampaPersonaleStipendi, &QToolButton::clicked, this, &TfrmStampaPersonale::btnStampaPersonaleStipendiClick);
    connect(BitBtn1, &QToolButton::clicked, this, &TfrmStampaPersonale::BitBtn1Click);
    connect(BitBtn3, &QToolButton::clicked, this, &TfrmStampaPersonale::BitBtn3Click);
    connect(BitBtn4, &QToolButton::clicked, this, &TfrmStampaPersonale::BitBtn4Click);
    connect(spdHelp, &QToolButton::clicked, this, &TfrmStampaPersonale::spdHelpClick);
    connect(spdIndietro, &QToolButton::clicked, this, &TfrmStampaPersonale::spdIndietroClick);
}

void TfrmStampaPersonale::btnStampePersonaleClick() { stampa(25); }
void TfrmStampaPersonale::BitBtn2Click() { stampa(19); }
void TfrmStampaPersonale::btnStampaPersonaleStipendiClick() { stampa(65); }
void TfrmStampaPersonale::BitBtn1Click() { stampa(66); }
void TfrmStampaPersonale::BitBtn3Click() { stampa(67); }
void TfrmStampaPersonale::BitBtn4Click() { stampa(55); }
void TfrmStampaPersonale::spdHelpClick() { ui::apriGuida(0); }
void TfrmStampaPersonale::spdIndietroClick() { close(); }

namespace {
// Created once at start-up, in the program's order.
const bool registrato = forms::registra(frmStampaPersonale, "frmStampaPersonale");
} // namespace
