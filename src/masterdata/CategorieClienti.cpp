#include "CategorieClienti.h"
#include "forms/Family.h"
#include "forms/Registro.h"
#include "masterdata/services/Clienti.h"

#include "data/DB.h"
#include "widgets/ColorBox.h"

#include <QToolButton>

#include <algorithm>

TfrmCategorieClienti_Griglia::TfrmCategorieClienti_Griglia(QWidget *parent)
    : forms::ListForm(
          [] {
              Config c;
              c.nome = QStringLiteral("frmCategorieClienti_Griglia");
              c.titolo = QStringLiteral("Categorie Clienti");
              c.helpContext = 7300;
              c.dataset = form_DB->TableCategoriaClienti;
              c.source = form_DB->SourceCategoriaClienti;
              c.colonne = {{QStringLiteral("Descrizione"), QStringLiteral("Descrizione"), 322}};
              c.domandaElimina = QStringLiteral("Sei sicuro di voler eliminare la Categoria?");
              c.descrizioneSpazio = false;
              c.pulsanteRicarica = true;
              c.ricercaNavigazione = true;
              return c;
          }(),
          parent)
{
    setWindowFlags(windowFlags() & ~(Qt::WindowMinMaxButtonsHint));
    spdElimina->setToolTip(QStringLiteral("Elimina il record corrente"));
    spdInserisci->setToolTip(QStringLiteral("Aggiunge un nuovo record"));
}

void TfrmCategorieClienti_Griglia::impostaNuovo()
{
    dataset()->fieldByName(QStringLiteral("ColoreCategoria")).setAsInteger(ui::kBianco);
}

void TfrmCategorieClienti_Griglia::spdEliminaClick()
{
    db::Query *q = dataset();
    if (q->recordCount() < 1) return;
    if (!forms::chiedi(this, config().domandaElimina)) return;
    const qint64 id = q->fieldByName(QStringLiteral("ID")).asLargeInt();
    // The row before it becomes current, as after any delete of a list.
    const int riga = q->currentIndex();
    clienti::eliminaCategoria(form_DB->Connessione, id);
    q->requery();
    if (!q->isEmpty()) q->setCurrentIndex(std::clamp(riga - 1, 0, q->recordCount() - 1));
}

TfrmCategorieClienti::TfrmCategorieClienti(QWidget *parent)
    : forms::DetailForm(
          [] {
              Config c;
              c.nome = QStringLiteral("frmCategorieClienti");
              c.titolo = QStringLiteral("Categorie Clienti");
              c.helpContext = 7300;
              c.dataset = form_DB->TableCategoriaClienti;
              c.source = form_DB->SourceCategoriaClienti;
              c.captionErrore = QStringLiteral("Messaggio di Errore");
              return c;
          }(),
          parent)
{
    aggiungiDescrizione();
    ColorBox1 = new ui::ColorBox(this);
    ColorBox1->setObjectName(QStringLiteral("ColorBox1"));
    aggiungiRiga(QStringLiteral("Colore visualizzazione"), ColorBox1);
    // A colour chosen is a change of the record, when there is a record.
    connect(ColorBox1, &QComboBox::activated, this, [this] {
        if (!dataset()->isEmpty()) DatiModificati = true;
    });
}

void TfrmCategorieClienti::showEvent(QShowEvent *e)
{
    // Whoever opens it, the box shows the category's own colour (white when it has none).
    if (!dataset()->isEmpty())
        ColorBox1->setColore(dataset()->fieldByName(QStringLiteral("ColoreCategoria")).asLargeInt());
    else
        ColorBox1->setColore(ui::kBianco);
    forms::DetailForm::showEvent(e);
}

void TfrmCategorieClienti::primaDiSalvare()
{
    dataset()->edit();
    dataset()->fieldByName(QStringLiteral("ColoreCategoria")).setAsInteger(ColorBox1->colore());
}

namespace {
// Created once at start-up, in the program's order.
const bool registrati =
    forms::registra(frmCategorieClienti_Griglia, "frmCategorieClienti_Griglia",
                    {.dettaglio = QStringLiteral("frmCategorieClienti")})
    && forms::registra(frmCategorieClienti, "frmCategorieClienti");
} // namespace
