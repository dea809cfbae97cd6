#include "PersonaleCosti.h"

#include "data/DB.h"
#include "db/Query.h"
#include "forms/Registro.h"
#include "widgets/DBEdit.h"
#include "widgets/DBLookupComboBox.h"
#include "widgets/EditingHelper.h"

#include <QToolButton>

TfrmPersonaleCosti::TfrmPersonaleCosti(QWidget *parent)
    : forms::DetailForm(
          [] {
              Config c;
              c.nome = QStringLiteral("frmPersonaleCosti");
              c.titolo = QStringLiteral("Personale Costi");
              c.helpContext = 9200;
              c.dataset = form_DB->TablePersonaleCosti;
              c.source = form_DB->SourcePersonaleCosti;
              c.conAiuto = true;
              c.captionSalva = QStringLiteral("salva");
              return c;
          }(),
          parent)
{
    DBEdit1 = aggiungiEdit(QStringLiteral("DBEdit1"), QStringLiteral("Data"), QStringLiteral("Data"));
    DBEdit2 = aggiungiEdit(QStringLiteral("DBEdit2"), QStringLiteral("Importo"), QStringLiteral("Importo"));
    const auto tipo = aggiungiLookup(QStringLiteral("DBLookupComboBox1"), QStringLiteral("Tipologia"),
                                     QStringLiteral("TipologiaCosto_id"), form_DB->SourceTipologiaCostiPersonale,
                                     QStringLiteral("Id"), QStringLiteral("Descrizione"),
                                     {QStringLiteral("frmGrigliaTipologieCostiPersonale"),
                                      {QStringLiteral("SpeedButton1"), QStringLiteral("Modifica la Tipologia")},
                                      {QStringLiteral("SpeedButton2"), QStringLiteral("Aggiungi una Tipologia")}});
    DBLookupComboBox1 = tipo.lookup;
    SpeedButton1 = tipo.modifica;
    SpeedButton2 = tipo.aggiungi;
    DBEdit3 = aggiungiEdit(QStringLiteral("DBEdit3"), QStringLiteral("Note"), QStringLiteral("Note"));
    richiesto(DBEdit1, QStringLiteral("Attenzione manca la Data"));
    richiesto(DBEdit2, QStringLiteral("Attenzione manca l' Importo"));
    richiesto(DBLookupComboBox1, QStringLiteral("Attenzione manca la Tipologia"));
    connect(DBLookupComboBox1, &ui::DBLookupComboBox::picked, this, &TfrmPersonaleCosti::DBLookupComboBox1Click);
    // Emptying the type empties its copied name too.
    connect(DBLookupComboBox1, &ui::DBLookupComboBox::cleared, this, [this] {
        db::Query *q = dataset();
        DatiModificati = true;
        if (q->isEmpty()) return;
        q->edit();
        q->fieldByName(QStringLiteral("TipologiaCosto")).clear();
        q->fieldByName(QStringLiteral("TipologiaCosto_id")).clear();
    });
}

void TfrmPersonaleCosti::showEvent(QShowEvent *e)
{
    const bool prima = m_editing == nullptr;
    forms::DetailForm::showEvent(e);
    if (prima && m_editing) m_editing->markAmountField(DBEdit2);
}

void TfrmPersonaleCosti::DBLookupComboBox1Click()
{
    DatiModificati = true;
    if (DBLookupComboBox1->currentText().isEmpty()) return;
    db::Query *q = dataset();
    q->edit();
    q->fieldByName(QStringLiteral("TipologiaCosto"))
        .setAsString(form_DB->TableTipologiaCostiPersonale->fieldByName(QStringLiteral("Descrizione")).asString());
}

namespace {
// Created once at start-up, in the program's order.
const bool registrato = forms::registra(frmPersonaleCosti, "frmPersonaleCosti");
} // namespace
