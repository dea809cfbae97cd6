#include "Cisterne.h"
#include "ModificaCisterneRighe.h"
#include "forms/Registro.h"
#include "operations/services/Cisterne.h"

#include "common/GridLayouts.h"
#include "core/Clock.h"
#include "common/RecordHelpers.h"
#include "data/DB.h"
#include "db/DbError.h"
#include "db/Query.h"
#include "forms/Family.h"
#include "widgets/DBEdit.h"
#include "widgets/DBGrid.h"
#include "widgets/DBLookupComboBox.h"
#include "widgets/EditingHelper.h"
#include "widgets/Seams.h"
#include "widgets/ToolButton.h"

#include <QDateTime>
#include <QMenu>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>

namespace operazioni {

bool eliminaERileggi(QWidget *finestra, db::Query *q, const std::function<bool()> &elimina)
{
    const int indice = q->currentIndex();
    bool eliminato = false;
    try {
        eliminato = elimina();
    } catch (const db::DbError &e) {
        ui::showError(e.message(), QStringLiteral("Messaggio di errore"), finestra);
    }
    if (!eliminato) return false;
    if (q->isEditing()) q->cancel();
    q->requery();
    // As a delete of the list does: the row before the deleted one, the first after the first.
    if (!q->isEmpty()) q->setCurrentIndex(std::min(std::max(0, indice - 1), q->recordCount() - 1));
    return true;
}

void rileggiCisterna()
{
    db::Query *q = form_DB->TableCisterne;
    if (q->isActive() && !q->isEmpty()) common::RicaricaDataset(*q, QStringLiteral("ID"));
}

} // namespace operazioni

TfrmGrigliaCisterne::TfrmGrigliaCisterne(QWidget *parent)
    : forms::ListForm(
          [] {
              Config c;
              c.nome = QStringLiteral("frmGrigliaCisterne");
              c.titolo = QStringLiteral("Cisterne");
              c.helpContext = 7600;
              c.dataset = form_DB->TableCisterne;
              c.source = form_DB->SourceCisterne;
              c.colonne = {{QStringLiteral("Descrizione"), QStringLiteral("Descrizione"), 300},
                           {QStringLiteral("Litri"), QStringLiteral("Litri"), 120},
                           {QStringLiteral("Note"), QStringLiteral("Note"), 300}};
              c.ricerca = {{QStringLiteral("Edit1"), QStringLiteral("Descrizione"), QStringLiteral("Descrizione")}};
              c.titoloRicerca = QStringLiteral("Filtra per ");
              c.domandaElimina = QStringLiteral("Sei sicuro di voler eliminare la cisterna?");
              c.descrizioneSpazio = false;
              c.chiavePredefiniti = QStringLiteral("Cisterne");
              c.nomeGriglia = QStringLiteral("frmGrigliaCisterne");
              c.ordinabile = true;
              c.massimizzata = true;
              c.eliminaSenzaConferma = true;
              return c;
          }(),
          parent)
{
}

void TfrmGrigliaCisterne::impostaNuovo() { dataset()->fieldByName(QStringLiteral("Litri")).setAsFloat(0); }

void TfrmGrigliaCisterne::btnRequeryClick()
{
    db::Query *carichi = form_DB->TableCisterneCarico;
    db::Query *q = dataset();
    const qint64 id = q->isActive() && !q->isEmpty() ? q->fieldByName(QStringLiteral("ID")).asLargeInt() : 0;
    carichi->setFilter(QString());
    carichi->close();
    carichi->setSql(QStringLiteral("select * from CisterneCarico where Cisterna_ID = ") + QString::number(id)
                    + QStringLiteral(" order by Data desc"));
    carichi->open();
}

void TfrmGrigliaCisterne::spdInserisciClick()
{
    db::Query *q = dataset();
    BitBtn3Click();
    q->append();
    impostaNuovo();
    common::ImpostaValoriPredefiniti(config().chiavePredefiniti, *q, *form_DB->TablePersonalizzazioni);
    // Stored before the editor opens, so that its loads can name it.
    if (!common::SalvaNuovoRecord(*q, QStringLiteral("Id"))) {
        if (q->isEditing()) q->cancel();
        return;
    }
    frmCisterneDettaglio->DatiModificati = true;
    btnRequeryClick();
    frmCisterneDettaglio->mostra(true);
}

void TfrmGrigliaCisterne::spdAvantiClick()
{
    if (ModalitaScelta || dataset()->recordCount() < 1) {
        forms::ListForm::spdAvantiClick();
        return;
    }
    btnRequeryClick();
    frmCisterneDettaglio->mostra(false);
}

void TfrmGrigliaCisterne::spdEliminaClick()
{
    db::Query *q = dataset();
    if (!EliminaSenzaConferma) {
        if (q->recordCount() < 1) return;
        if (!forms::chiedi(this, config().domandaElimina)) return;
    }
    if (q->isEmpty()) return;
    const qint64 id = q->fieldByName(QStringLiteral("ID")).asLargeInt();
    operazioni::eliminaERileggi(this, q, [id] { return cisterne::eliminaCisterna(form_DB->Connessione, id).cisterne > 0; });
    btnRequeryClick();
}

TfrmCisterneDettaglio::TfrmCisterneDettaglio(QWidget *parent)
    : forms::DetailForm(
          [] {
              Config c;
              c.nome = QStringLiteral("frmCisterneDettaglio");
              c.titolo = QStringLiteral("Cisterne");
              c.helpContext = 7500;
              c.dataset = form_DB->TableCisterne;
              c.source = form_DB->SourceCisterne;
              c.conAiuto = true;
              c.annulla = Annulla::TramiteLista;
              c.salvaCambiandoPagina = true;
              return c;
          }(),
          parent)
{
    aggiungiPagina(QStringLiteral("TabSheet1"), QStringLiteral("   Testata   "));
    aggiungiDescrizione();
    DBEdit1 = aggiungiEdit(QStringLiteral("DBEdit1"), QStringLiteral("Litri"), QStringLiteral("Litri"));
    richiesto(DBEdit1, QStringLiteral("Attenzione manca il numero dei litri"));
    const auto carburante = aggiungiLookup(QStringLiteral("DBLookupComboBox1"), QStringLiteral("Carburante"),
                                           QStringLiteral("Carburante_ID"), form_DB->SourceCarburanti, QStringLiteral("ID"),
                                           QStringLiteral("Descrizione"),
                                           {QStringLiteral("frmGrigliaCarburanti"),
                                            {QStringLiteral("SpeedButton1"), QStringLiteral("Modifica il tipo di carburante")},
                                            {QStringLiteral("SpeedButton2"), QStringLiteral("Aggiungi un tipo di carburante")}});
    DBLookupComboBox1 = carburante.lookup;
    SpeedButton1 = carburante.modifica;
    SpeedButton2 = carburante.aggiungi;
    richiesto(DBLookupComboBox1, QStringLiteral("Attenzione manca il tipo di carburante"));
    DBEdit3 = aggiungiEdit(QStringLiteral("DBEdit3"), QStringLiteral("Note"), QStringLiteral("Note"));

    QWidget *righe = aggiungiPagina(QStringLiteral("TabSheet2"), QStringLiteral("   Righe   "));
    auto *barra = new QToolBar(righe);
    barra->setObjectName(QStringLiteral("ToolBar1"));
    spdEliminaDett = ui::toolButton(righe, QStringLiteral("spdEliminaDett"), QStringLiteral("Elimina"),
                                    QStringLiteral("Elimina il carico"), "edit-delete", QStyle::SP_TrashIcon);
    spdInserisciDett = ui::toolButton(righe, QStringLiteral("spdInserisciDett"), QStringLiteral("Aggiungi"),
                                      QStringLiteral("Aggiunge un carico"), "list-add", QStyle::SP_FileDialogNewFolder);
    spdAvantiDett = ui::toolButton(righe, QStringLiteral("spdAvantiDett"), QStringLiteral("Modifica"),
                                   QStringLiteral("Modifica il carico"), "document-edit", QStyle::SP_FileDialogDetailedView);
    for (QToolButton *b : {spdEliminaDett, spdInserisciDett, spdAvantiDett}) barra->addWidget(b);
    aggiungiRiga(QString(), barra);
    DBGrid1 = new ui::DBGrid(righe);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setDataSource(form_DB->SourceCisterneCarico);
    DBGrid1->addColumn(QStringLiteral("Data"), QStringLiteral("Data"), 100);
    DBGrid1->addColumn(QStringLiteral("Importo"), QStringLiteral("Importo"), 100);
    DBGrid1->addColumn(QStringLiteral("Litri"), QStringLiteral("Litri"), 100);
    DBGrid1->addColumn(QStringLiteral("FatturaDescrizione"), QStringLiteral("Fattura"), 300);
    DBGrid1->setMinimumHeight(240);
    auto *menu = new QMenu(this);
    menu->addAction(QStringLiteral("Salva Griglia"), this, &TfrmCisterneDettaglio::SalvaGriglia1Click);
    DBGrid1->setPopupMenu(menu);
    aggiungiRiga(QString(), DBGrid1);

    connect(spdInserisciDett, &QToolButton::clicked, this, &TfrmCisterneDettaglio::spdInserisciDettClick);
    connect(spdAvantiDett, &QToolButton::clicked, this, &TfrmCisterneDettaglio::spdAvantiDettClick);
    connect(spdEliminaDett, &QToolButton::clicked, this, &TfrmCisterneDettaglio::spdEliminaDettClick);
    connect(DBGrid1, &ui::DBGrid::doubleClicked, this, &TfrmCisterneDettaglio::spdAvantiDettClick);
    connect(DBGrid1, &ui::DBGrid::titleClicked, this, &TfrmCisterneDettaglio::DBGrid1TitleClick);
    completa();
    m_editing->markAmountField(DBEdit1);
    resize(720, 480);
}

void TfrmCisterneDettaglio::spdInserisciDettClick()
{
    db::Query *tank = dataset();
    db::Query *q = form_DB->TableCisterneCarico;
    if (tank->isEmpty()) return;
    q->setFilter(QString());
    q->append();
    q->fieldByName(QStringLiteral("Data")).setValue(QDateTime(core::Clock::instance().today(), QTime(0, 0)));
    q->fieldByName(QStringLiteral("Importo")).setAsFloat(0);
    // Stored with no litres: its first save adds them all to the stock.
    q->fieldByName(QStringLiteral("Litri")).setAsFloat(0);
    q->fieldByName(QStringLiteral("Cisterna_ID")).setAsInteger(tank->fieldByName(QStringLiteral("ID")).asLargeInt());
    if (!common::SalvaNuovoRecord(*q, QStringLiteral("Id"))) {
        if (q->isEditing()) q->cancel();
        return;
    }
    frmModificaCisterneRighe->DatiModificati = true;
    frmModificaCisterneRighe->mostra(true);
}

void TfrmCisterneDettaglio::spdAvantiDettClick()
{
    if (form_DB->TableCisterneCarico->recordCount() < 1) return;
    frmModificaCisterneRighe->mostra(false);
}

void TfrmCisterneDettaglio::spdEliminaDettClick()
{
    db::Query *q = form_DB->TableCisterneCarico;
    if (q->recordCount() < 1) return;
    const qint64 id = q->fieldByName(QStringLiteral("ID")).asLargeInt();
    if (operazioni::eliminaERileggi(this, q, [id] { return cisterne::eliminaCarico(form_DB->Connessione, id).salvato; }))
        operazioni::rileggiCisterna();
}

void TfrmCisterneDettaglio::DBGrid1TitleClick(const QString &campo)
{
    db::Query *q = form_DB->TableCisterneCarico;
    q->setSort(campo + (q->sort().endsWith(QLatin1String("ASC")) ? QStringLiteral(" DESC") : QStringLiteral(" ASC")));
}

void TfrmCisterneDettaglio::SalvaGriglia1Click()
{
    common::SalvaGriglia(QStringLiteral("frmCisterneDettaglio_DBGrid1"), *DBGrid1, *form_DB->TableGriglie, false,
                         NomeComputerLocale);
}

namespace {
// Created once at start-up, in the program's order; the grid layouts are restored then.
const bool registrati =
    forms::registra(frmGrigliaCisterne, "frmGrigliaCisterne",
                    {.dettaglio = QStringLiteral("frmCisterneDettaglio"), .griglie = {{QStringLiteral("frmGrigliaCisterne")}}})
    && forms::registra(frmCisterneDettaglio, "frmCisterneDettaglio",
                       {.griglie = {{QStringLiteral("frmCisterneDettaglio_DBGrid1")}}});
} // namespace
