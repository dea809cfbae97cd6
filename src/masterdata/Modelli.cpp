#include "Modelli.h"

#include "data/DB.h"

TfrmModelli::TfrmModelli(QWidget *parent)
    : forms::ListForm(
          [] {
              Config c;
              c.nome = QStringLiteral("frmModelli");
              c.titolo = QStringLiteral("Marche");
              c.helpContext = 1500;
              c.dataset = form_DB->TableModelli;
              c.source = form_DB->SourceModelli;
              c.colonne = {{QStringLiteral("Descrizione"), QStringLiteral("Descrizione"), 300}};
              c.domandaElimina = QStringLiteral("Sei sicuro di voler eliminare il Modello?");
              c.descrizioneSvuotata = true;
              c.nomeGriglia = QStringLiteral("frmModelli_Griglia");
              c.ricercaNavigazione = true;
              return c;
          }(),
          parent)
{
}

TfrmModelliDett::TfrmModelliDett(QWidget *parent)
    : forms::DetailForm(
          [] {
              Config c;
              c.nome = QStringLiteral("frmModelliDett");
              c.titolo = QStringLiteral("Marche");
              c.helpContext = 1500;
              c.dataset = form_DB->TableModelli;
              c.source = form_DB->SourceModelli;
              return c;
          }(),
          parent)
{
    aggiungiDescrizione();
}
