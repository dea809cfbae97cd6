#include "Aspetto.h"
#include "forms/Registro.h"

#include "data/DB.h"

#include <QPushButton>

TfrmAspetto::TfrmAspetto(QWidget *parent)
    : masterdata::TabellaSingola(
          [] {
              Config c;
              c.nome = QStringLiteral("frmAspetto");
              c.titolo = QStringLiteral("Aspetto");
              c.dataset = form_DB->TableAspetto;
              c.source = form_DB->SourceAspetto;
              c.nomeNavigatore = QStringLiteral("DBNavigator1");
              c.domandaElimina = QStringLiteral("Sei sicuro di voler eliminare la tipologia di Aspetto merce?");
              c.messaggioDescrizione = QStringLiteral("Attenzione manca la Descrizione dei tipo di Aspetto merce");
              c.captionErrore = QStringLiteral("Messaggio di Errore");
              c.salvaPrimaDiIniziare = true;
              c.comeDettaglio = true;
              c.apostrofoAcuto = true;
              return c;
          }(),
          parent)
{
    Button4->setToolTip(QStringLiteral("Inserisci un Record nella tabella"));
    Button3->setToolTip(QStringLiteral("Elimina un Record dalla tabella"));
    bitSalva->setToolTip(QStringLiteral("Salva le modifiche effettuate ill'archivio"));
}

namespace {
// Created once at start-up, in the program's order.
const bool registrati =
    forms::registra(frmAspetto, "frmAspetto");
} // namespace
