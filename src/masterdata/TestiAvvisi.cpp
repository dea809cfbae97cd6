#include "TestiAvvisi.h"
#include "forms/Registro.h"

#include "data/DB.h"
#include "db/Query.h"
#include "widgets/DBGrid.h"
#include "widgets/DBMemo.h"

TfrmGrigliaAvvisi::TfrmGrigliaAvvisi(QWidget *parent)
    : forms::ListForm(
          [] {
              Config c;
              c.nome = QStringLiteral("frmGrigliaAvvisi");
              c.titolo = QStringLiteral("Avvisi");
              c.helpContext = 10000;
              c.dataset = form_DB->TableAvvisi;
              c.source = form_DB->SourceAvvisi;
              c.colonne = {{QStringLiteral("Descrizione"), QStringLiteral("Descrizione"), 503},
                           {QStringLiteral("Testo"), QStringLiteral("Testo"), 356}};
              c.domandaElimina = QStringLiteral("Sei sicuro di voler eliminare il tipo di avviso ?");
              c.descrizioneSvuotata = true;
              c.nomeGriglia = QStringLiteral("frmGrigliaAvvisi");
              c.menuGrigliaCompleto = true;
              c.ordinabile = true;
              c.massimizzata = true;
              return c;
          }(),
          parent)
{
    // The grid shows only the beginning of each text, so a sort by it would look random.
    disconnect(DBGrid1, &ui::DBGrid::titleClicked, this, nullptr);
    connect(DBGrid1, &ui::DBGrid::titleClicked, this, [this](const QString &campo) {
        if (campo.compare(QLatin1String("Testo"), Qt::CaseInsensitive) != 0) DBGrid1TitleClick(campo);
    });
}

// The grid shows the beginning of each text, not the whole memo.
void TfrmGrigliaAvvisi::showEvent(QShowEvent *e)
{
    dataset()->setDisplayHook(QStringLiteral("Testo"), [](const QVariant &v) { return Tform_DB::ConvertiMemo(v); });
    forms::ListForm::showEvent(e);
}

TfrmAvvisi::TfrmAvvisi(QWidget *parent)
    : forms::DetailForm(
          [] {
              Config c;
              c.nome = QStringLiteral("frmAvvisi");
              c.titolo = QStringLiteral("Avvisi");
              c.helpContext = 10100;
              c.dataset = form_DB->TableAvvisi;
              c.source = form_DB->SourceAvvisi;
              c.captionErrore = QStringLiteral("Messaggio di Errore");
              c.conAiuto = true;
              return c;
          }(),
          parent)
{
    aggiungiDescrizione(QStringLiteral("Attenzione manca la Descrizione"));
    DBMemo1 = new ui::DBMemo(this);
    DBMemo1->setObjectName(QStringLiteral("DBMemo1"));
    DBMemo1->setDataSource(form_DB->SourceAvvisi);
    DBMemo1->setDataField(QStringLiteral("Testo"));
    DBMemo1->setMinimumSize(500, 220);
    aggiungiRiga(QStringLiteral("Testo"), DBMemo1);
    richiesto(DBMemo1, QStringLiteral("Attenzione manca il testo"));
}

namespace {
// Created once at start-up, in the program's order.
const bool registrati =
    forms::registra(frmGrigliaAvvisi, "frmGrigliaAvvisi", {.dettaglio = QStringLiteral("frmAvvisi"), .griglie = {{QStringLiteral("frmGrigliaAvvisi")}}})
    && forms::registra(frmAvvisi, "frmAvvisi");
} // namespace
