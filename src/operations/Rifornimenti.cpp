#include "Rifornimenti.h"
#include "forms/Registro.h"

#include "data/DB.h"
#include "db/Query.h"
#include "forms/Family.h"
#include "widgets/DBEdit.h"
#include "widgets/DBLookupComboBox.h"

#include <QToolButton>

TfrmGrigliaRifornimenti::TfrmGrigliaRifornimenti(QWidget *parent)
    : forms::ListForm(
          [] {
              Config c;
              c.nome = QStringLiteral("frmGrigliaRifornimenti");
              c.titolo = QStringLiteral("Rifornimenti");
              c.helpContext = 8000;
              c.dataset = form_DB->TableRifornimenti;
              c.source = form_DB->SourceRifornimenti;
              c.colonne = {{QStringLiteral("Descrizione"), QStringLiteral("Rifornimento"), 250},
                           {QStringLiteral("Comune"), QStringLiteral("Comune"), 200},
                           {QStringLiteral("Indirizzo"), QStringLiteral("Indirizzo"), 250},
                           {QStringLiteral("Note"), QStringLiteral("Note"), 250}};
              c.ricerca = {{QStringLiteral("Edit1"), QStringLiteral("Ricerca Per Rifornimento"), QStringLiteral("Descrizione")},
                           {QStringLiteral("Edit2"), QStringLiteral("Comune"), QStringLiteral("Comune")}};
              c.domandaElimina = QStringLiteral("Sei sicuro di voler eliminare il Rifornimento ?");
              c.descrizioneSpazio = false;
              c.nomeGriglia = QStringLiteral("frmGrigliaRifornimenti");
              c.ordinabile = true;
              c.massimizzata = true;
              return c;
          }(),
          parent)
{
}

void TfrmGrigliaRifornimenti::impostaNuovo() { dataset()->fieldByName(QStringLiteral("Comune_ID")).setAsInteger(0); }

TfrmRifornimentiDettaglio::TfrmRifornimentiDettaglio(QWidget *parent)
    : forms::DetailForm(
          [] {
              Config c;
              c.nome = QStringLiteral("frmRifornimentiDettaglio");
              c.titolo = QStringLiteral("Rifornimenti");
              c.helpContext = 8000;
              c.dataset = form_DB->TableRifornimenti;
              c.source = form_DB->SourceRifornimenti;
              c.conAiuto = true;
              c.captionSalva = QStringLiteral("salva");
              return c;
          }(),
          parent)
{
    DBEdit2 = aggiungiEdit(QStringLiteral("DBEdit2"), QStringLiteral("Rifornimento"), QStringLiteral("Descrizione"));
    richiesto(DBEdit2, QStringLiteral("Attenzione la denominazione del rifornimento"));
    const auto comune = aggiungiLookup(QStringLiteral("DBLookupComboBox1"), QStringLiteral("Comune"), QStringLiteral("Comune"),
                                       form_DB->Source8, QStringLiteral("COMUNE"), QStringLiteral("COMUNE"),
                                       {QStringLiteral("frmGrigliaComuni"),
                                        {QStringLiteral("SpeedButton1"), QStringLiteral("Modifica il Comune")},
                                        {QStringLiteral("SpeedButton2"), QStringLiteral("Aggiungi un Comune")}});
    DBLookupComboBox1 = comune.lookup;
    SpeedButton1 = comune.modifica;
    SpeedButton2 = comune.aggiungi;
    DBEdit3 = aggiungiEdit(QStringLiteral("DBEdit3"), QStringLiteral("Indirizzo"), QStringLiteral("Indirizzo"));
    DBEdit4 = aggiungiEdit(QStringLiteral("DBEdit4"), QStringLiteral("Note"), QStringLiteral("Note"));
    // The town is opened by its id, never by a name two towns may share.
    disconnect(SpeedButton1, nullptr, this, nullptr);
    connect(SpeedButton1, &QToolButton::clicked, this, &TfrmRifornimentiDettaglio::SpeedButton1Click);
    connect(DBLookupComboBox1, &ui::DBLookupComboBox::picked, this, &TfrmRifornimentiDettaglio::DBLookupComboBox1Click);
    connect(DBLookupComboBox1, &ui::DBLookupComboBox::cleared, this, &TfrmRifornimentiDettaglio::DBLookupComboBox1Cancella);
    completa();
}

void TfrmRifornimentiDettaglio::DBLookupComboBox1Click()
{
    db::Query *q = dataset();
    db::Query *comuni = form_DB->Table8;
    q->edit();
    if (!comuni->isEmpty() && !comuni->fieldByName(QStringLiteral("ID")).isNull())
        q->fieldByName(QStringLiteral("Comune_ID")).setAsInteger(comuni->fieldByName(QStringLiteral("ID")).asLargeInt());
    DatiModificati = true;
}

void TfrmRifornimentiDettaglio::DBLookupComboBox1Cancella()
{
    db::Query *q = dataset();
    q->edit();
    q->fieldByName(QStringLiteral("Comune")).clear();
    q->fieldByName(QStringLiteral("Comune_ID")).clear();
    DatiModificati = true;
}

void TfrmRifornimentiDettaglio::SpeedButton1Click()
{
    const forms::VoceForm *dett = forms::Registro::istanza().voce(QStringLiteral("frmComuniDett"));
    auto *comuneDett = dett ? qobject_cast<forms::DetailForm *>(dett->corrente()) : nullptr;
    if (!comuneDett || dataset()->isEmpty()) return;
    const qint64 id = dataset()->fieldByName(QStringLiteral("Comune_ID")).asLargeInt();
    if (id < 1 || !form_DB->Table8->locate(QStringLiteral("ID"), id)) return;
    comuneDett->mostra();
}

namespace {
// Created once at start-up, in the program's order; the list's grid layout is restored then.
const bool registrati =
    forms::registra(frmGrigliaRifornimenti, "frmGrigliaRifornimenti",
                    {.dettaglio = QStringLiteral("frmRifornimentiDettaglio"), .griglie = {{QStringLiteral("frmGrigliaRifornimenti")}}})
    && forms::registra(frmRifornimentiDettaglio, "frmRifornimentiDettaglio");
} // namespace
