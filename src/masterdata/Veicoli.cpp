#include "Veicoli.h"
#include "forms/Registro.h"
#include "masterdata/services/Propagazioni.h"

#include "common/RecordHelpers.h"
#include "data/DB.h"
#include "db/Command.h"
#include "widgets/DBEdit.h"
#include "widgets/DBLookupComboBox.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QToolButton>

TfrmVeicoli::TfrmVeicoli(QWidget *parent)
    : forms::ListForm(
          [] {
              Config c;
              c.nome = QStringLiteral("frmVeicoli");
              c.titolo = QStringLiteral("Tipologia Veicoli");
              c.helpContext = 1800;
              c.dataset = form_DB->TableVeicoli;
              c.source = form_DB->SourceVeicoli;
              c.colonne = {{QStringLiteral("Descrizione"), QStringLiteral("Descrizione"), 300},
                           {QStringLiteral("Modello"), QStringLiteral("Marca"), 200}};
              // The make's box comes first on screen, the description's condition first in the filter.
              c.ricerca = {{QStringLiteral("Edit4"), QStringLiteral("Cerca   per Marca"), QStringLiteral("Modello"), 1},
                           {QStringLiteral("Edit1"), QStringLiteral("per Descriz."), QStringLiteral("Descrizione"), 0}};
              c.domandaElimina = QStringLiteral("Sei sicuro di voler eliminare il Veicolo");
              c.chiavePredefiniti = QStringLiteral("Veicoli");
              c.nomeGriglia = QStringLiteral("frmVeicoli");
              c.menuGrigliaCompleto = true;
              c.ordinabile = true;
              c.multiSelezione = true;
              c.ricercaColorata = false;
              c.apostrofoAcuto = true;
              c.massimizzata = true;
              return c;
          }(),
          parent)
{
    // The grid selects several rows, but its menu offers only the layout commands.
    if (SelezionaTutti1) PopupMenu1->removeAction(SelezionaTutti1);
}

TfrmVeicoliDettaglio::TfrmVeicoliDettaglio(QWidget *parent)
    : forms::DetailForm(
          [] {
              Config c;
              c.nome = QStringLiteral("frmVeicoliDettaglio");
              c.titolo = QStringLiteral("Tipologia Veicoli");
              c.helpContext = 1800;
              c.dataset = form_DB->TableVeicoli;
              c.source = form_DB->SourceVeicoli;
              return c;
          }(),
          parent)
{
    aggiungiDescrizione();
    DBEdit2->installEventFilter(this);
    // The make is kept as its description text.
    const auto marca = aggiungiLookup(QStringLiteral("DBLookupComboBox1"), QStringLiteral("Marca"), QStringLiteral("Modello"),
                                      form_DB->SourceModelli, QStringLiteral("Descrizione"), QStringLiteral("Descrizione"),
                                      {QStringLiteral("frmModelli"),
                                       {QStringLiteral("SpeedButton8"), QStringLiteral("Modifica la Marca")},
                                       {QStringLiteral("SpeedButton9"), QStringLiteral("Aggiungi una Marca")}});
    DBLookupComboBox1 = marca.lookup;
    SpeedButton8 = marca.modifica;
    SpeedButton9 = marca.aggiungi;
}

bool TfrmVeicoliDettaglio::eventFilter(QObject *watched, QEvent *e)
{
    if (watched == DBEdit2) {
        const bool tasto = e->type() == QEvent::KeyPress
            && (!static_cast<QKeyEvent *>(e)->text().isEmpty() || static_cast<QKeyEvent *>(e)->key() == Qt::Key_Backspace);
        const bool destro = e->type() == QEvent::MouseButtonPress && static_cast<QMouseEvent *>(e)->button() == Qt::RightButton;
        if (tasto || destro) DescrizioneModificata = true;
    }
    return forms::DetailForm::eventFilter(watched, e);
}

void TfrmVeicoliDettaglio::dopoSalva()
{
    if (!DescrizioneModificata) return;
    DescrizioneModificata = false;
    const qint64 id = form_DB->TableVeicoli->fieldByName(QStringLiteral("Id")).asLargeInt();
    anagrafiche::propagaTipoVeicolo(form_DB->Connessione, id);
    common::RicaricaDataset(*form_DB->TableVetture, QStringLiteral("ID"));
}

namespace {
// Created once at start-up, in the program's order.
const bool registrati =
    forms::registra(frmVeicoli, "frmVeicoli",
                    {.dettaglio = QStringLiteral("frmVeicoliDettaglio"), .griglie = {{QStringLiteral("frmVeicoli")}}})
    && forms::registra(frmVeicoliDettaglio, "frmVeicoliDettaglio");
} // namespace
