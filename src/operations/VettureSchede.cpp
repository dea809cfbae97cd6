#include "VettureSchede.h"

#include "data/DB.h"
#include "forms/Registro.h"
#include "widgets/DBEdit.h"

TfrmVettureSchede::TfrmVettureSchede(QWidget *parent)
    : forms::DetailForm(
          [] {
              Config c;
              c.nome = QStringLiteral("frmVettureSchede");
              c.titolo = QStringLiteral("Schede");
              c.helpContext = 2000;
              c.dataset = form_DB->TableVettureSchede;
              c.source = form_DB->SourceVettureSchede;
              c.captionSalva = QStringLiteral("salva");
              return c;
          }(),
          parent)
{
    DBEdit1 = aggiungiEdit(QStringLiteral("DBEdit1"), QStringLiteral("Scheda"), QStringLiteral("Scheda"));
    DBEdit2 = aggiungiEdit(QStringLiteral("DBEdit2"), QStringLiteral("Numero"), QStringLiteral("Numero"));
    DBEdit3 = aggiungiEdit(QStringLiteral("DBEdit3"), QStringLiteral("Pin"), QStringLiteral("Pin"));
    DBEdit4 = aggiungiEdit(QStringLiteral("DBEdit4"), QStringLiteral("Note"), QStringLiteral("Note"));
    richiesto(DBEdit1, QStringLiteral("Attenzione manca la Scheda"));
}

namespace {
// Created once at start-up, in the program's order.
const bool registrato = forms::registra(frmVettureSchede, "frmVettureSchede");
} // namespace
