#include "PersonaleScadenze.h"

#include "data/DB.h"
#include "db/Query.h"
#include "forms/Registro.h"
#include "widgets/DBCheckBox.h"
#include "widgets/DBEdit.h"
#include "widgets/DBLookupComboBox.h"

#include <QToolButton>

TfrmPersonaleScadenze::TfrmPersonaleScadenze(QWidget *parent)
    : forms::DetailForm(
          [] {
              Config c;
              c.nome = QStringLiteral("frmPersonaleScadenze");
              c.titolo = QStringLiteral("Scadenze x Personale");
              c.helpContext = 9100;
              c.dataset = form_DB->TablePersonaleScadenze;
              c.source = form_DB->SourcePersonaleScadenze;
              c.conAiuto = true;
              c.captionSalva = QStringLiteral("salva");
              return c;
          }(),
          parent)
{
    const auto tipo = aggiungiLookup(QStringLiteral("DBLookupComboBox1"), QStringLiteral("Tipologia"), QStringLiteral("Tipologia"),
                                     form_DB->SourceTipologiaScadenzePersonale, QStringLiteral("Descrizione"),
                                     QStringLiteral("Descrizione"),
                                     {QStringLiteral("frmGrigliaTipologieScadenzePersonale"),
                                      {QStringLiteral("SpeedButton1"), QStringLiteral("Modifica la Tipologia")},
                                      {QStringLiteral("SpeedButton2"), QStringLiteral("Aggiungi una Tipologia")}});
    DBLookupComboBox1 = tipo.lookup;
    SpeedButton1 = tipo.modifica;
    SpeedButton2 = tipo.aggiungi;
    DBEdit1 = aggiungiEdit(QStringLiteral("DBEdit1"), QStringLiteral("Descrizione"), QStringLiteral("Descrizione"));
    DBEdit2 = aggiungiEdit(QStringLiteral("DBEdit2"), QStringLiteral("Data Scadenza"), QStringLiteral("DataScadenza"));
    DBEdit3 = aggiungiEdit(QStringLiteral("DBEdit3"), QStringLiteral("Data Avviso"), QStringLiteral("DataAvviso"));
    DBCheckBox1 = aggiungiCheck(QStringLiteral("DBCheckBox1"), QStringLiteral("Effettuato"), QStringLiteral("Validato"));
    DBEdit4 = aggiungiEdit(QStringLiteral("DBEdit4"), QStringLiteral("Note"), QStringLiteral("Note"));
    richiesto(DBEdit1, QStringLiteral("Attenzione manca la Descrizione"));
    richiesto(DBEdit3, QStringLiteral("Attenzione manca la Data di avviso della scadenza"));
    richiesto(DBEdit2, QStringLiteral("Attenzione manca la data di Scadenza"));
    for (auto segnale : {&ui::DBLookupComboBox::picked, &ui::DBLookupComboBox::cleared})
        connect(DBLookupComboBox1, segnale, this, [this] { DatiModificati = true; });
}

namespace {
// Created once at start-up, in the program's order.
const bool registrato = forms::registra(frmPersonaleScadenze, "frmPersonaleScadenze");
} // namespace
