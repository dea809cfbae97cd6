#include "Tariffe.h"

#include "TariffeCambiaPrezzi.h"
#include "core/Clock.h"
#include "data/DB.h"
#include "db/Query.h"
#include "forms/DetailForm.h"
#include "forms/Family.h"
#include "forms/Registro.h"
#include "masterdata/services/Tariffe.h"
#include "widgets/DBGrid.h"
#include "widgets/ToolButton.h"

#include <QAction>
#include <QDate>
#include <QDateTime>
#include <QLineEdit>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>

TForm2::TForm2(QWidget *parent)
    : forms::ListForm(
          [] {
              Config c;
              c.nome = QStringLiteral("Form2");
              c.titolo = QStringLiteral("Tariffe");
              c.helpContext = 500;
              c.dataset = form_DB->Table1;
              c.source = form_DB->Source1;
              c.colonne = {{QStringLiteral("Codice"), QStringLiteral("Codice"), 90},
                           {QStringLiteral("Descrizione"), QStringLiteral("Descrizione"), 300},
                           {QStringLiteral("Tariffa"), QStringLiteral("Tariffa"), 120},
                           {QStringLiteral("Prezzo"), QStringLiteral("Val. Unitario"), 90},
                           {QStringLiteral("PrezzoCompleto"), QStringLiteral("Prezzo Finale"), 90},
                           {QStringLiteral("Chilometri"), QStringLiteral("Chilometri"), 80},
                           {QStringLiteral("Cliente"), QStringLiteral("Cliente"), 200}};
              // Laid out in this order; the filter takes the columns in the order of the numbers.
              c.ricerca = {{QStringLiteral("Edit1"), QStringLiteral("Descrizione"), QStringLiteral("Descrizione"), 1},
                           {QStringLiteral("Edit2"), QStringLiteral("Cliente"), QStringLiteral("Cliente"), 5},
                           {QStringLiteral("Edit3"), QStringLiteral("Note"), QStringLiteral("Note"), 7},
                           {QStringLiteral("Edit4"), QStringLiteral("Codice"), QStringLiteral("Codice"), 2},
                           {QStringLiteral("Edit5"), QStringLiteral("Reparto"), QStringLiteral("Reparto"), 6},
                           {QStringLiteral("Edit6"), QStringLiteral("Da"), QStringLiteral("PartenzaCitta"), 3},
                           {QStringLiteral("Edit7"), QStringLiteral("A"), QStringLiteral("FineCitta"), 4}};
              c.titoloRicerca = QStringLiteral("Cerca Per:");
              c.ricercaNavigazione = true;
              c.domandaElimina = QStringLiteral("Sei sicuro di voler eliminare la tariffa ?");
              c.descrizioneSpazio = false;
              c.chiavePredefiniti = QStringLiteral("prezziar");
              c.nomeGriglia = QStringLiteral("Form2_Griglia");
              c.menuGrigliaCompleto = true;
              c.ordinabile = true;
              c.multiSelezione = true;
              c.massimizzata = true;
              return c;
          }(),
          parent)
{
    setWindowFlags(windowFlags() & ~(Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint | Qt::WindowContextHelpButtonHint));
    Edit2 = casella(QStringLiteral("Edit2"));
    Edit3 = casella(QStringLiteral("Edit3"));
    Edit4 = casella(QStringLiteral("Edit4"));
    Edit5 = casella(QStringLiteral("Edit5"));
    Edit6 = casella(QStringLiteral("Edit6"));
    Edit7 = casella(QStringLiteral("Edit7"));

    if (QWidget *g = gruppoRicerca()) {
        g->setAutoFillBackground(true);
        QPalette p = g->palette();
        p.setColor(QPalette::Window, QColor(128, 255, 128));
        g->setPalette(p);
    }

    spdAggiorna->setToolTip(QStringLiteral("Aggiorna gli archivi"));
    spdCopia = ui::toolButton(this, QStringLiteral("spdCopia"), QStringLiteral("Copia"), QStringLiteral("Copia il record selezionato"),
                              "edit-copy", QStyle::SP_FileDialogContentsView);
    spdAumentaDiminuisci = ui::toolButton(this, QStringLiteral("spdAumentaDiminuisci"), QStringLiteral("Cambia prezzi"),
                                          QStringLiteral("Aumenta o diminuici i prezzi di vendita per i record selezionati"),
                                          "view-sort-ascending", QStyle::SP_ArrowUp);
    // "Aiuto", "Ricarica", "Copia", "Cambia prezzi", "Indietro", "Elimina", "Aggiungi", "Avanti".
    ToolBar2->clear();
    for (QToolButton *b : {spdHelp, spdAggiorna, spdCopia, spdAumentaDiminuisci, spdIndietro, spdElimina, spdInserisci, spdAvanti})
        ToolBar2->addWidget(b)->setVisible(true);
    connect(spdCopia, &QToolButton::clicked, this, &TForm2::spdCopiaClick);
    connect(spdAumentaDiminuisci, &QToolButton::clicked, this, &TForm2::spdAumentaDiminuisciClick);
    // The family's reload re-reads the list only; this one also the detail's lookups.
    disconnect(spdAggiorna, &QToolButton::clicked, nullptr, nullptr);
    connect(spdAggiorna, &QToolButton::clicked, this, &TForm2::spdAggiornaClick);

    // Grid menu: "Seleziona tutti i record" first, "Conta record" last.
    SelezionaTutti1->setText(QStringLiteral("Seleziona tutti i record"));
    disconnect(SelezionaTutti1, &QAction::triggered, nullptr, nullptr);
    connect(SelezionaTutti1, &QAction::triggered, this, &TForm2::SelezionaTutti1Click);
    PopupMenu1->removeAction(SelezionaTutti1);
    PopupMenu1->insertAction(SalvaGriglia1, SelezionaTutti1);
    ContaRecord1 = PopupMenu1->addAction(QStringLiteral("Conta record"), this, &TForm2::ContaRecord1Click);
}

QString TForm2::filtroRicerca() const
{
    QStringList condizioni;
    if (!FiltroTariffe.isEmpty()) condizioni << FiltroTariffe;
    const QString caselle = forms::ListForm::filtroRicerca();
    if (!caselle.isEmpty()) condizioni << caselle;
    if (!ListinoDaMenu) condizioni << QStringLiteral("annullato = false");
    return condizioni.join(QStringLiteral(" and "));
}

void TForm2::svuotaCaselle()
{
    for (QLineEdit *b : {Edit4, Edit1, Edit2, Edit5}) b->clear();
}

void TForm2::showEvent(QShowEvent *e)
{
    forms::ListForm::showEvent(e);
    // Only the main window's management changes the price list; a picker only chooses.
    for (QToolButton *b : {spdCopia, spdAumentaDiminuisci, spdInserisci, spdElimina}) b->setEnabled(ListinoDaMenu);
}

void TForm2::spdAvantiClick()
{
    TariffeScelte = tariffe::tariffeScelte(dataset()->selectedIds(QStringLiteral("Id")));
    SceltaEffettuata = true;
    if (dettaglio()) dettaglio()->DatiModificati = false;
    accept();
}

void TForm2::primaDiAggiungere() { svuotaCaselle(); }

void TForm2::impostaNuovo()
{
    db::Query *q = dataset();
    q->fieldByName(QStringLiteral("Annullato")).setAsBoolean(false);
    q->fieldByName(QStringLiteral("DataInserimento")).setAsDateTime(QDateTime(core::Clock::instance().today(), QTime(0, 0)));
    db::Query *opzioni = form_DB->TableOpzioni;
    if (!opzioni->isEmpty()) {
        q->fieldByName(QStringLiteral("AliquotaIva")).setValue(opzioni->fieldByName(QStringLiteral("AliquotaIva")).value());
        q->fieldByName(QStringLiteral("Iva_Id")).setValue(opzioni->fieldByName(QStringLiteral("Iva_Id")).value());
    }
}

void TForm2::spdCopiaClick()
{
    db::Query *q = dataset();
    if (q->isEmpty() || q->fieldByName(QStringLiteral("Id")).isNull()) return;
    const std::optional<qint64> nuovo = tariffe::copia(form_DB->Connessione, q->fieldByName(QStringLiteral("Id")).asLargeInt(),
                                                                 core::Clock::instance().today());
    if (!nuovo) return;
    q->requery();
    q->locate(QStringLiteral("Id"), *nuovo);
}

void TForm2::spdAumentaDiminuisciClick()
{
    if (dataset()->selectedCount() == 0) {
        forms::avvisa(this, QStringLiteral("Seleziona uno o più articoli per poterne aumentare o diminuire il valore Unitario."),
                      forms::kAvviso);
        return;
    }
    frmCambiaValoreUnitario->exec();
}

void TForm2::spdAggiornaClick()
{
    dataset()->requery();
    for (db::Query *q : {form_DB->TableReparti, form_DB->TableModelli, form_DB->Table8, form_DB->TableColli}) q->requery();
}

void TForm2::SelezionaTutti1Click()
{
    // The grid shows every row while selecting: with its controls suspended it would select none.
    dataset()->first();
    DBGrid1->selectAll();
}

void TForm2::ContaRecord1Click()
{
    if (dataset()->isEmpty()) return;
    forms::avvisa(this, QString::number(dataset()->recordCount()), QStringLiteral("Numero dei records"));
}

namespace {
const bool registrato = forms::registra(Form2, "Form2", {.dettaglio = QStringLiteral("Form3"),
                                                         .griglie = {{QStringLiteral("Form2_Griglia")}}});
} // namespace
