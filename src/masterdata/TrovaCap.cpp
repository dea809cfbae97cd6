#include "TrovaCap.h"
#include "forms/Registro.h"

#include "data/DB.h"

#include <QAction>
#include <QGridLayout>
#include <QToolBar>
#include <QToolButton>

TfrmTrovaCap::TfrmTrovaCap(QWidget *parent)
    : forms::ListForm(
          [] {
              Config c;
              c.nome = QStringLiteral("frmTrovaCap");
              c.titolo = QStringLiteral("Trova Cap");
              c.dataset = form_DB->TableIndirizzi;
              c.source = form_DB->SourceIndirizzi;
              c.colonne = {{QStringLiteral("Frazione"), QStringLiteral("Frazione"), 200},
                           {QStringLiteral("Indirizzo"), QStringLiteral("Indirizzo"), 250},
                           {QStringLiteral("NumeroCivico"), QStringLiteral("Civico"), 100},
                           {QStringLiteral("Cap"), QStringLiteral("Cap"), 70}};
              c.ricerca = {{QStringLiteral("Edit1"), QStringLiteral("Frazione"), QStringLiteral("Frazione")},
                           {QStringLiteral("Edit2"), QStringLiteral("Indirizzo"), QStringLiteral("Indirizzo")}};
              c.nomeGriglia = QStringLiteral("frmTrovaCap");
              c.menuGrigliaCompleto = true;
              c.ordinabile = true;
              c.ricercaColorata = false;
              c.massimizzata = true;
              c.titoloRicerca = QStringLiteral("Cerca");
              return c;
          }(),
          parent)
{
    // A finder only chooses: of the toolbar, "Indietro" alone.
    for (QAction *a : ToolBar2->actions())
        if (ToolBar2->widgetForAction(a) != spdIndietro) a->setVisible(false);
}

void TfrmTrovaCap::showEvent(QShowEvent *e)
{
    // Whatever closes the finder other than a choice leaves the caller's postcode as it was.
    RicercaAnnullata = true;
    ListForm::showEvent(e);
}

void TfrmTrovaCap::spdAvantiClick()
{
    if (dataset()->recordCount() < 1) return;
    RicercaAnnullata = false;
    accept();
}

namespace {
// Created once at start-up, in the program's order.
const bool registrati =
    forms::registra(frmTrovaCap, "frmTrovaCap", {.griglie = {{QStringLiteral("frmTrovaCap")}}});
} // namespace
