#include "GrigliaIva.h"
#include "forms/Registro.h"

#include "accounting/services/AliquoteIva.h"
#include "data/DB.h"
#include "db/Query.h"
#include "forms/Family.h"
#include "widgets/DBEdit.h"
#include "widgets/DBLookupComboBox.h"
#include "widgets/DBText.h"

TfrmGrigliaIva::TfrmGrigliaIva(QWidget *parent)
    : forms::ListForm(
          [] {
              Config c;
              c.nome = QStringLiteral("frmGrigliaIva");
              c.titolo = QStringLiteral("Iva");
              c.helpContext = 7800;
              c.dataset = form_DB->TableIva;
              c.source = form_DB->SourceIva;
              c.colonne = {{QStringLiteral("Iva"), QStringLiteral("Aliquota Iva"), 120},
                           {QStringLiteral("Pa_Natura_Codice"), QStringLiteral("esenzione"), 120},
                           {QStringLiteral("Descrizione"), QStringLiteral("Descrizione"), 400}};
              c.ricerca = {};
              c.domandaElimina = QStringLiteral("Sei sicuro di voler eliminare questa aliquota Iva ?");
              // A new rate starts at 0 with no description and no defaults.
              c.descrizioneSpazio = false;
              c.nomeGriglia = QStringLiteral("frmGrigliaIva");
              c.menuGrigliaCompleto = true;
              c.ordinabile = true;
              c.massimizzata = true;
              return c;
          }(),
          parent)
{
}

void TfrmGrigliaIva::impostaNuovo() { dataset()->fieldByName(QStringLiteral("Iva")).setAsFloat(0); }

void TfrmGrigliaIva::spdEliminaClick()
{
    db::Query *q = dataset();
    if (q->recordCount() < 1) return;
    if (q->fieldByName(QStringLiteral("NonEliminabile")).asBoolean()) {
        forms::avvisa(this, QStringLiteral("Aliquota Iva non Eliminabile"), forms::kAvviso);
        return;
    }
    forms::ListForm::spdEliminaClick();
}

TfrmModificaIva::TfrmModificaIva(QWidget *parent)
    : forms::DetailForm(
          [] {
              Config c;
              c.nome = QStringLiteral("frmModificaIva");
              c.titolo = QStringLiteral("Iva");
              c.helpContext = 7700;
              c.dataset = form_DB->TableIva;
              c.source = form_DB->SourceIva;
              c.captionErrore = QStringLiteral("Messaggio di Errore");
              c.conAiuto = true;
              return c;
          }(),
          parent)
{
    aggiungiDescrizione();
    DBEdit1 = aggiungiEdit(QStringLiteral("DBEdit1"), QStringLiteral("Aliquota Iva"), QStringLiteral("Iva"));
    richiesto(DBEdit1, QStringLiteral("Attenzione manca l' Aliquota Iva"));
    DBLookupComboBox10 = aggiungiLookup(QStringLiteral("DBLookupComboBox10"), QStringLiteral("Tipo di esenzione "),
                                        QStringLiteral("Pa_Natura_Codice"), form_DB->SourcePa_Natura,
                                        QStringLiteral("Codice"), QStringLiteral("Descrizione"));
    DBLookupComboBox10->setToolTip(QStringLiteral("Tipologia di esenzione iva"));
    DBText1 = new ui::DBText(this);
    DBText1->setObjectName(QStringLiteral("DBText1"));
    DBText1->setDataSource(form_DB->SourceIva);
    DBText1->setDataField(QStringLiteral("Pa_Natura_Codice"));
    aggiungiRiga(QStringLiteral("Natura esenzione "), DBText1);
}

void TfrmModificaIva::spdIndietroClick()
{
    // The rate's rule comes after the description and the rate, which the save checks first.
    if (DatiModificati && !DBEdit2->text().isEmpty() && !DBEdit1->text().isEmpty()) {
        db::Query *q = dataset();
        Q_EMIT q->updateRecord(); // the rate may still be being typed
        const db::Field natura = q->fieldByName(QStringLiteral("Pa_Natura_Codice"));
        switch (contabilita::controllaAliquota(q->fieldByName(QStringLiteral("Iva")).asFloat(), natura.asString())) {
        case contabilita::EsitoAliquota::MancaNatura:
            forms::avvisa(this, QStringLiteral("Attenzione si deve specificare la natura di esenzione dell' Aliquota Iva"),
                          config().captionErrore);
            SalvataggioFallito = true;
            DBLookupComboBox10->setFocus();
            return;
        case contabilita::EsitoAliquota::TogliNatura:
            if (!q->isEditing()) q->edit();
            natura.clear();
            break;
        case contabilita::EsitoAliquota::Valida:
            break;
        }
    }
    forms::DetailForm::spdIndietroClick();
}

namespace {
// Created once at start-up, in the program's order.
const bool registrati =
    forms::registra(frmGrigliaIva, "frmGrigliaIva",
                    {.dettaglio = QStringLiteral("frmModificaIva"), .griglie = {{QStringLiteral("frmGrigliaIva")}}})
    && forms::registra(frmModificaIva, "frmModificaIva");
} // namespace
