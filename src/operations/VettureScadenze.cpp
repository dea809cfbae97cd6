#include "VettureScadenze.h"

#include "data/DB.h"
#include "forms/Registro.h"
#include "widgets/DBCheckBox.h"
#include "widgets/DBEdit.h"

TfrmVettureScadenze::TfrmVettureScadenze(QWidget *parent)
    : forms::DetailForm(
          [] {
              Config c;
              c.nome = QStringLiteral("frmVettureScadenze");
              c.titolo = QStringLiteral("Scadenze");
              c.helpContext = 2000;
              c.dataset = form_DB->TableVettureScadenze;
              c.source = form_DB->SourceVettureScadenze;
              c.captionSalva = QStringLiteral("salva");
              return c;
          }(),
          parent)
{
    DBEdit1 = aggiungiEdit(QStringLiteral("DBEdit1"), QStringLiteral("Descrizione"), QStringLiteral("Descrizione"));
    DBEdit2 = aggiungiEdit(QStringLiteral("DBEdit2"), QStringLiteral("Data Scadenza"), QStringLiteral("DataScadenza"));
    DBEdit3 = aggiungiEdit(QStringLiteral("DBEdit3"), QStringLiteral("Data Avviso"), QStringLiteral("DataAvviso"));
    DBEdit4 = aggiungiEdit(QStringLiteral("DBEdit4"), QStringLiteral("Note"), QStringLiteral("Note"));
    DBCheckBox1 = aggiungiCheck(QStringLiteral("DBCheckBox1"), QStringLiteral("Effettuato"), QStringLiteral("Validato"));
    richiesto(DBEdit1, QStringLiteral("Attenzione manca la Descrizione"));
    richiesto(DBEdit3, QStringLiteral("Attenzione manca la Data di avviso della scadenza"));
    richiesto(DBEdit2, QStringLiteral("Attenzione manca la data di Scadenza"));
}

namespace {
// Created once at start-up, in the program's order.
const bool registrato = forms::registra(frmVettureScadenze, "frmVettureScadenze");
} // namespace
