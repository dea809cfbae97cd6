#include "ArchivioTipologie.h"
#include "forms/Registro.h"

#include "CategorieClienti.h"
#include "CategorieFornitori.h"
#include "CategoriePersonale.h"
#include "MostraLista.h"
#include "TipoDocumenti.h"
#include "TipoTariffe.h"
#include "TipologiaCostiVetture.h"
#include "TipologieCalendario.h"
#include "TipologieCostiPersonale.h"
#include "TipologieScadenzePersonale.h"
#include "Veicoli.h"
#include "widgets/ToolButton.h"

#include <QGridLayout>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

using masterdata::mostraLista;

TfrmArchivioTipologie::TfrmArchivioTipologie(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmArchivioTipologie"));
    setWindowTitle(QStringLiteral("Tipologie"));
    // No context of its own: F1 opens the help's start page, not the main window's page.
    setProperty("helpContext", 0);
    auto *layout = new QVBoxLayout(this);
    ToolBar2 = new QToolBar(this);
    ToolBar2->setObjectName(QStringLiteral("ToolBar2"));
    spdIndietro = ui::pulsanteIndietro(this);
    ToolBar2->addWidget(spdIndietro);
    layout->addWidget(ToolBar2);

    auto *griglia = new QGridLayout;
    int n = 0;
    const auto pulsante = [this, griglia, &n](const char *nome, const QString &testo) {
        QToolButton *b = ui::toolButton(this, QString::fromLatin1(nome), testo, QString(), "view-list-details",
                                        QStyle::SP_FileDialogListView);
        // The hub is used from the keyboard too, unlike a toolbar.
        b->setFocusPolicy(Qt::StrongFocus);
        b->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
        // Columns of one width at least, each button no narrower than its caption: a minimum
        // width set on the button itself would let the layout squeeze the caption.
        griglia->setColumnMinimumWidth(n % 5, 150);
        griglia->addWidget(b, n / 5, n % 5);
        ++n;
        return b;
    };
    btnTipoDocumenti = pulsante("btnTipoDocumenti", QStringLiteral("Documenti"));
    btnVeicoli = pulsante("btnVeicoli", QStringLiteral("Veicoli"));
    btnTipoCostiVetture = pulsante("btnTipoCostiVetture", QStringLiteral("Costi Vetture"));
    btnTipoCostiPersonale = pulsante("btnTipoCostiPersonale", QStringLiteral("Costi Personale"));
    btnTipoCalendario = pulsante("btnTipoCalendario", QStringLiteral("Calendario"));
    btnTipoScadenzePersonale = pulsante("btnTipoScadenzePersonale", QStringLiteral("Scadenze del Personale"));
    BitBtn3 = pulsante("BitBtn3", QStringLiteral("Tariffe"));
    btnCategorieClienti = pulsante("btnCategorieClienti", QStringLiteral("Categorie Clienti"));
    btnCategorieFornitori = pulsante("btnCategorieFornitori", QStringLiteral("Categorie Fornitori"));
    btnCategoriePersonale = pulsante("btnCategoriePersonale", QStringLiteral("Categorie Personale"));
    layout->addLayout(griglia);
    layout->addStretch(1);

    connect(spdIndietro, &QToolButton::clicked, this, &TfrmArchivioTipologie::spdIndietroClick);
    connect(btnTipoDocumenti, &QToolButton::clicked, this, &TfrmArchivioTipologie::btnTipoDocumentiClick);
    connect(btnVeicoli, &QToolButton::clicked, this, &TfrmArchivioTipologie::btnVeicoliClick);
    connect(btnTipoCostiVetture, &QToolButton::clicked, this, &TfrmArchivioTipologie::btnTipoCostiVettureClick);
    connect(btnTipoCostiPersonale, &QToolButton::clicked, this, &TfrmArchivioTipologie::btnTipoCostiPersonaleClick);
    connect(btnTipoCalendario, &QToolButton::clicked, this, &TfrmArchivioTipologie::btnTipoCalendarioClick);
    connect(btnTipoScadenzePersonale, &QToolButton::clicked, this, &TfrmArchivioTipologie::btnTipoScadenzePersonaleClick);
    connect(BitBtn3, &QToolButton::clicked, this, &TfrmArchivioTipologie::BitBtn3Click);
    connect(btnCategorieClienti, &QToolButton::clicked, this, &TfrmArchivioTipologie::btnCategorieClientiClick);
    connect(btnCategorieFornitori, &QToolButton::clicked, this, &TfrmArchivioTipologie::btnCategorieFornitoriClick);
    connect(btnCategoriePersonale, &QToolButton::clicked, this, &TfrmArchivioTipologie::btnCategoriePersonaleClick);
}

// Each list is shown unfiltered and left unfiltered; the search boxes are emptied before or
// after as each list has always been opened.
void TfrmArchivioTipologie::btnTipoDocumentiClick() { mostraLista(frmGrigliaTipoDocumenti, {QStringLiteral("Edit1")}); }

void TfrmArchivioTipologie::btnVeicoliClick() { mostraLista(frmVeicoli, {}, {QStringLiteral("Edit1"), QStringLiteral("Edit4")}); }

void TfrmArchivioTipologie::btnTipoCostiVettureClick() { mostraLista(frmGrigliaTipologiaCostiVetture, {}, {QStringLiteral("Edit1")}); }

void TfrmArchivioTipologie::btnTipoCostiPersonaleClick()
{
    mostraLista(frmGrigliaTipologieCostiPersonale, {}, {QStringLiteral("Edit1")});
}

void TfrmArchivioTipologie::btnTipoCalendarioClick()
{
    mostraLista(frmGrigliaTipologieCalendario, {QStringLiteral("Edit1")}, {QStringLiteral("Edit1")});
}

void TfrmArchivioTipologie::btnTipoScadenzePersonaleClick()
{
    mostraLista(frmGrigliaTipologieScadenzePersonale, {QStringLiteral("Edit1")}, {QStringLiteral("Edit1")});
}

void TfrmArchivioTipologie::BitBtn3Click() { mostraLista(frmGrigliaTipoTariffe, {}); }

void TfrmArchivioTipologie::btnCategorieClientiClick() { mostraLista(frmCategorieClienti_Griglia, {QStringLiteral("Edit1")}); }

void TfrmArchivioTipologie::btnCategorieFornitoriClick() { mostraLista(frmCategorieFornitori_Griglia, {QStringLiteral("Edit1")}); }

void TfrmArchivioTipologie::btnCategoriePersonaleClick() { mostraLista(frmGrigliaCategoriePersonale, {QStringLiteral("Edit1")}); }

void TfrmArchivioTipologie::spdIndietroClick() { close(); }

namespace {
// Created once at start-up, in the program's order.
const bool registrati =
    forms::registra(frmArchivioTipologie, "frmArchivioTipologie");
} // namespace
