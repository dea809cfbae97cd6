#include "VettureCosti.h"

#include "data/DB.h"
#include "db/Query.h"
#include "forms/Registro.h"
#include "widgets/DBEdit.h"
#include "widgets/DBLookupComboBox.h"
#include "widgets/EditingHelper.h"

#include <QToolButton>

TfrmVettureCosti::TfrmVettureCosti(QWidget *parent)
    : forms::DetailForm(
          [] {
              Config c;
              c.nome = QStringLiteral("frmVettureCosti");
              c.titolo = QStringLiteral("Costi x Vettura");
              c.helpContext = 2000;
              c.dataset = form_DB->TableVettureCosti;
              c.source = form_DB->SourceVettureCosti;
              c.captionSalva = QStringLiteral("salva");
              return c;
          }(),
          parent)
{
    DBEdit1 = aggiungiEdit(QStringLiteral("DBEdit1"), QStringLiteral("Data"), QStringLiteral("Data"));
    DBEdit2 = aggiungiEdit(QStringLiteral("DBEdit2"), QStringLiteral("Importo"), QStringLiteral("Importo"));
    const auto tipo = aggiungiLookup(QStringLiteral("DBLookupComboBox2"), QStringLiteral("Tipologia"),
                                     QStringLiteral("TipologiaCosto_id"), form_DB->SourceTipologiaCostiVetture, QStringLiteral("Id"),
                                     QStringLiteral("Descrizione"),
                                     {QStringLiteral("frmGrigliaTipologiaCostiVetture"),
                                      {QStringLiteral("SpeedButton1"), QStringLiteral("Modifica la Tipologia")},
                                      {QStringLiteral("SpeedButton2"), QStringLiteral("Aggiungi una Tipologia")}});
    DBLookupComboBox2 = tipo.lookup;
    SpeedButton1 = tipo.modifica;
    SpeedButton2 = tipo.aggiungi;
    DBEdit3 = aggiungiEdit(QStringLiteral("DBEdit3"), QStringLiteral("Note"), QStringLiteral("Note"));
    richiesto(DBEdit1, QStringLiteral("Attenzione manca la Data"));
    richiesto(DBEdit2, QStringLiteral("Attenzione manca l' Importo"));
    richiesto(DBLookupComboBox2, QStringLiteral("Attenzione manca la Tipologia"));
    connect(DBLookupComboBox2, &ui::DBLookupComboBox::picked, this, &TfrmVettureCosti::DBLookupComboBox2Click);
    // Emptying the type empties its copied name too.
    connect(DBLookupComboBox2, &ui::DBLookupComboBox::cleared, this, [this] {
        db::Query *q = dataset();
        if (q->isEmpty()) return;
        q->edit();
        q->fieldByName(QStringLiteral("TipologiaCosto")).clear();
        q->fieldByName(QStringLiteral("TipologiaCosto_id")).clear();
        DatiModificati = true;
    });
}

void TfrmVettureCosti::showEvent(QShowEvent *e)
{
    const bool prima = m_editing == nullptr;
    forms::DetailForm::showEvent(e);
    if (prima && m_editing) m_editing->markAmountField(DBEdit2);
}

void TfrmVettureCosti::DBLookupComboBox2Click()
{
    DatiModificati = true;
    if (DBLookupComboBox2->currentText().isEmpty()) return;
    db::Query *q = dataset();
    q->edit();
    q->fieldByName(QStringLiteral("TipologiaCosto"))
        .setAsString(form_DB->TableTipologiaCostiVetture->fieldByName(QStringLiteral("Descrizione")).asString());
}

namespace {
// Created once at start-up, in the program's order.
const bool registrato = forms::registra(frmVettureCosti, "frmVettureCosti");
} // namespace
