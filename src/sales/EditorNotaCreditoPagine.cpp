// The rows page of the credit-note editor with its totals, the instalment grid, the transport
// page and the attachments.
#include "EditorNotaCredito.h"

#include "ModificaAllegati.h"
#include "ModificaNotaCreditoRighe.h"
#include "common/GridLayouts.h"
#include "common/RecordHelpers.h"
#include "data/DB.h"
#include "db/DbError.h"
#include "db/Query.h"
#include "forms/DatiCollegati.h"
#include "forms/Family.h"
#include "forms/Registro.h"
#include "masterdata/Aspetto.h"
#include "masterdata/Porto.h"
#include "masterdata/Tariffe.h"
#include "sales/PagineDocumento.h"
#include "sales/services/PreventiFattura.h"
#include "sales/services/RigheFattura.h"
#include "sales/services/Scadenze.h"
#include "sales/services/Totali.h"
#include "widgets/DBCheckBox.h"
#include "widgets/DBEdit.h"
#include "widgets/DBGrid.h"
#include "widgets/DBLookupComboBox.h"
#include "widgets/DBText.h"
#include "widgets/FieldLink.h"
#include "widgets/Seams.h"
#include "widgets/ToolButton.h"

#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

using vendite::nuovaGriglia;
using vendite::pulsantePiccolo;

const QString kIdx = QStringLiteral("IDX");
const QString kErrore = QStringLiteral("Messaggio di errore");
const QString kGrigliaRighe = QStringLiteral("frmNotaCreditoDBGrid1");
const QString kGrigliaScadenze = QStringLiteral("frmNotaCreditoDBGrid3");

QWidget *creata(const char *nome)
{
    const forms::VoceForm *v = forms::Registro::istanza().voce(QLatin1String(nome));
    return v && v->corrente ? v->corrente() : nullptr;
}

void mostraModale(QWidget *w, bool nuovo = false)
{
    if (auto *d = qobject_cast<forms::DetailForm *>(w)) d->mostra(nuovo);
    else if (auto *dialogo = qobject_cast<QDialog *>(w)) dialogo->exec();
}

// The clicked column, descending when the current sort, whatever column it names, is ascending.
void ordina(db::Query *q, const QString &campo)
{
    if (campo.isEmpty()) return;
    q->setSort(campo + (q->sort().endsWith(QLatin1String("ASC")) ? QStringLiteral(" DESC") : QStringLiteral(" ASC")));
}

qint64 chiave(db::Query *q, const QString &campo) { return q->isEmpty() ? 0 : q->fieldByName(campo).asLargeInt(); }

// A paid instalment is filled aqua, its text black.
class DelegatoScadenze : public QStyledItemDelegate {
public:
    DelegatoScadenze(db::Query *q, QObject *parent) : QStyledItemDelegate(parent), m_q(q) {}

    void paint(QPainter *p, const QStyleOptionViewItem &option, const QModelIndex &indice) const override
    {
        const int col = m_q->fieldIndex(QStringLiteral("DataPagamento"));
        const QVariant v = col >= 0 ? m_q->valueAt(indice.row(), col) : QVariant();
        if (v.isNull() || v.toString().trimmed().isEmpty()) {
            QStyledItemDelegate::paint(p, option, indice);
            return;
        }
        QStyleOptionViewItem opzione = option;
        initStyleOption(&opzione, indice);
        p->save();
        p->fillRect(opzione.rect, QColor(0, 255, 255));
        p->setPen(Qt::black);
        const QRect area = opzione.rect.adjusted(2, 2, -2, 0);
        p->drawText(area, Qt::AlignLeft | Qt::AlignTop, opzione.fontMetrics.elidedText(opzione.text, Qt::ElideRight, area.width()));
        p->restore();
    }

private:
    db::Query *m_q;
};

// The rows grid shows the first 100 characters of a row's description; the hook is set at every
// showing, since the rows' query is shared.
class DescrizioneBreve : public QObject {
public:
    explicit DescrizioneBreve(QWidget *form) : QObject(form) { form->installEventFilter(this); }

protected:
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::Show || e->type() == QEvent::WindowActivate)
            form_DB->TableNCRighe->setDisplayHook(QStringLiteral("Descrizione"),
                                                  [](const QVariant &v) { return Tform_DB::ConvertiMemo(v); });
        return false;
    }
};

// The grid's layout menu: "Salva Griglia", "Elimina Colonna", "Reset Griglia".
QMenu *menuGriglia(QWidget *form, ui::DBGrid *griglia, const QString &chiave)
{
    auto *m = new QMenu(form);
    QObject::connect(m->addAction(QStringLiteral("Salva Griglia")), &QAction::triggered, form, [griglia, chiave] {
        common::SalvaGriglia(chiave, *griglia, *form_DB->TableGriglie, false, NomeComputerLocale);
    });
    QObject::connect(m->addAction(QStringLiteral("Elimina Colonna")), &QAction::triggered, form, [griglia] {
        const int col = griglia->selectedColumn();
        if (col >= 0) griglia->removeColumn(col);
    });
    QObject::connect(m->addAction(QStringLiteral("Reset Griglia")), &QAction::triggered, form, [griglia, chiave] {
        common::CaricaGriglia(chiave, *griglia, *form_DB->TableGriglie, true, false, NomeComputerLocale);
        common::SalvaGriglia(chiave, *griglia, *form_DB->TableGriglie, false, NomeComputerLocale);
    });
    griglia->setPopupMenu(m);
    return m;
}

} // namespace

// ---------------------------------------------------------------- rows and totals

void TfrmNotaCredito::creaPaginaRighe()
{
    GroupBox2 = new QGroupBox(this);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    auto *layout = new QVBoxLayout(GroupBox2);
    ToolBar1 = new QToolBar(GroupBox2);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    spdEliminaDett = ui::toolButton(GroupBox2, QStringLiteral("spdEliminaDett"), QStringLiteral("Elimina"),
                                    QStringLiteral("Elimina il record corrente "), "edit-delete", QStyle::SP_TrashIcon);
    spdInserisciDett = ui::toolButton(GroupBox2, QStringLiteral("spdInserisciDett"), QStringLiteral("Aggiungi"),
                                      QStringLiteral("Inserisce un nuovo Record"), "document-new", QStyle::SP_FileIcon);
    SpeedButton11 = ui::toolButton(GroupBox2, QStringLiteral("SpeedButton11"), QStringLiteral("Spese di Trasporto"), QString(),
                                   "go-next", QStyle::SP_ArrowRight);
    SpeedButton25 = ui::toolButton(GroupBox2, QStringLiteral("SpeedButton25"), QStringLiteral("Spese di Incasso"), QString(),
                                   "accessories-calculator", QStyle::SP_DialogApplyButton);
    spdArticoloNonArchivio = ui::toolButton(GroupBox2, QStringLiteral("spdArticoloNonArchivio"),
                                            QStringLiteral("Articolo non in archivio"),
                                            QStringLiteral("Inserisci un articolo non codificato nel tariffario"), "document-edit",
                                            QStyle::SP_FileDialogContentsView);
    spdAvantiDett = ui::toolButton(GroupBox2, QStringLiteral("spdAvantiDett"), QStringLiteral("Modifica"),
                                   QStringLiteral("Sava le modifiche effettuate"), "document-properties",
                                   QStyle::SP_FileDialogDetailedView);
    for (QToolButton *b : {spdEliminaDett, spdInserisciDett, SpeedButton11, SpeedButton25, spdArticoloNonArchivio, spdAvantiDett})
        ToolBar1->addWidget(b);
    layout->addWidget(ToolBar1);
    DBGrid1 = nuovaGriglia(GroupBox2, QStringLiteral("DBGrid1"), form_DB->SourceNCRighe,
                           {{QStringLiteral("Um"), QStringLiteral("Quantita"), 61},
                            {QStringLiteral("Codice"), QStringLiteral("Codice"), 80},
                            {QStringLiteral("Descrizione"), QStringLiteral("Articolo"), 400},
                            {QStringLiteral("ValoreUnitario"), QStringLiteral("Valore Unitario"), 104},
                            {QStringLiteral("AliquotaIva"), QStringLiteral("Iva"), 50},
                            {QStringLiteral("Sconto"), QStringLiteral("Sconto"), 50},
                            {QStringLiteral("ValoreTotale"), QStringLiteral("Totale"), 90},
                            {QStringLiteral("NumeroRiga"), QStringLiteral("N° Riga"), 50}});
    grigliaRighe = DBGrid1;
    layout->addWidget(DBGrid1, 1);
    auto *totale = new QHBoxLayout;
    totale->addStretch(1);
    totale->addWidget(new QLabel(QStringLiteral("Totale nota di Credito"), GroupBox2));
    DBText4 = new ui::DBText(GroupBox2);
    DBText4->setObjectName(QStringLiteral("DBText4"));
    DBText4->setDataSource(form_DB->SourceNotaCredito);
    DBText4->setDataField(QStringLiteral("TotFattura"));
    DBText4->setMinimumWidth(100);
    totale->addWidget(DBText4);
    layout->addLayout(totale);
    PopupMenu1 = menuGriglia(this, DBGrid1, kGrigliaRighe);
    aggiungiRiga(QString(), GroupBox2);
    new DescrizioneBreve(this);

    connect(spdEliminaDett, &QToolButton::clicked, this, &TfrmNotaCredito::spdEliminaDettClick);
    connect(spdInserisciDett, &QToolButton::clicked, this, &TfrmNotaCredito::spdInserisciDettClick);
    connect(SpeedButton11, &QToolButton::clicked, this, &TfrmNotaCredito::SpeedButton11Click);
    connect(SpeedButton25, &QToolButton::clicked, this, &TfrmNotaCredito::SpeedButton25Click);
    connect(spdArticoloNonArchivio, &QToolButton::clicked, this, &TfrmNotaCredito::spdArticoloNonArchivioClick);
    connect(spdAvantiDett, &QToolButton::clicked, this, &TfrmNotaCredito::spdAvantiDettClick);
    connect(DBGrid1, &ui::DBGrid::doubleClicked, this, &TfrmNotaCredito::spdAvantiDettClick);
    connect(DBGrid1, &ui::DBGrid::titleClicked, this, &TfrmNotaCredito::DBGrid1TitleClick);
}

void TfrmNotaCredito::SpeedButton10Click() { aggiornaDocumento({}); }

void TfrmNotaCredito::dopoAggiornamento(bool) { DatiModificati = true; }

void TfrmNotaCredito::spdInserisciDettClick()
{
    if (!Form2) return;
    const qint64 id = idDocumento();
    if (id <= 0) return;
    db::Query *testata = dataset();
    db::Query *opzioni = form_DB->TableOpzioni;
    if (!opzioni->isActive()) opzioni->open();
    QString filtro = QStringLiteral("annullato = false");
    if (!opzioni->isEmpty()
        && opzioni->fieldByName(QStringLiteral("Inserimento_articoli_FiltraTuttiDocumenti_per_cliente")).asBoolean())
        filtro += QStringLiteral(" and Cliente_ID = %1").arg(testata->fieldByName(QStringLiteral("Cliente_ID")).asLargeInt());
    db::Query *listino = form_DB->Table1;
    listino->setFilter(filtro);
    FiltroTariffe = filtro;
    Form2->SceltaEffettuata = false;
    Form2->exec();
    FiltroTariffe.clear();

    QList<qint64> scritte;
    if (Form2->SceltaEffettuata && !TariffeScelte.isEmpty()) {
        try {
            // The rows follow the order the price list showed.
            db::Query scelte(&form_DB->Connessione);
            scelte.setSql(QStringLiteral("SELECT * FROM prezziar ") + TariffeScelte);
            scelte.open();
            scelte.setSort(listino->sort().isEmpty() ? QStringLiteral("Descrizione ASC") : listino->sort());
            QList<qint64> tariffe;
            for (scelte.first(); !scelte.eof(); scelte.next()) tariffe << scelte.fieldByName(QStringLiteral("Id")).asLargeInt();
            if (!tariffe.isEmpty())
                aggiornaDocumento([&](QString &) {
                    scritte = vendite::righeDaTariffe(form_DB->Connessione, vendite::Righe::NotaCredito, id, tariffe);
                    return true;
                });
        } catch (const db::DbError &e) {
            ui::reportDbError(e, this);
        }
    }
    listino->setFilter(QStringLiteral("Annullato = false"));
    for (QLineEdit *e : {Form2->Edit1, Form2->Edit2, Form2->Edit3, Form2->Edit4, Form2->Edit5, Form2->Edit6, Form2->Edit7})
        if (e) e->clear();
    if (scritte.isEmpty()) return;
    posizionaRiga(scritte.last());
    // The last row added is completed in the row editor (or removed with its "Annulla").
    if (!frmModificaNotaCreditoRighe) return;
    frmModificaNotaCreditoRighe->DatiModificati = true;
    frmModificaNotaCreditoRighe->mostra(true);
}

void TfrmNotaCredito::aggiungiRigaSpeciale(int tipo)
{
    const qint64 id = idDocumento();
    if (id <= 0) return;
    try {
        const qint64 idx = vendite::rigaSpeciale(form_DB->Connessione, vendite::Righe::NotaCredito, id,
                                                 static_cast<vendite::RigaSpeciale>(tipo));
        righe->rileggi();
        posizionaRiga(idx);
    } catch (const db::DbError &e) {
        ui::reportDbError(e, this);
        return;
    }
    // The totals follow when the row editor saves the row or removes it.
    if (!frmModificaNotaCreditoRighe) return;
    frmModificaNotaCreditoRighe->DatiModificati = true;
    frmModificaNotaCreditoRighe->mostra(true);
}

void TfrmNotaCredito::SpeedButton11Click() { aggiungiRigaSpeciale(int(vendite::RigaSpeciale::SpeseTrasporto)); }

void TfrmNotaCredito::SpeedButton25Click() { aggiungiRigaSpeciale(int(vendite::RigaSpeciale::SpeseIncasso)); }

void TfrmNotaCredito::spdArticoloNonArchivioClick() { aggiungiRigaSpeciale(int(vendite::RigaSpeciale::Articolo)); }

void TfrmNotaCredito::spdAvantiDettClick()
{
    if (form_DB->TableNCRighe->isEmpty() || !frmModificaNotaCreditoRighe) return;
    frmModificaNotaCreditoRighe->DatiModificati = false;
    frmModificaNotaCreditoRighe->mostra(false);
}

void TfrmNotaCredito::spdEliminaDettClick()
{
    db::Query *r = form_DB->TableNCRighe;
    if (r->isEmpty()) return;
    if (!EliminaSenzaConferma && !forms::chiedi(this, QStringLiteral("Sei sicuro di voler eliminare il record ?"))) return;
    if (r->isEditing()) r->cancel();
    // The row and the totals it leaves go together.
    aggiornaDocumento([r](QString &) {
        common::EliminaRecord(*r, kIdx);
        return true;
    });
}

void TfrmNotaCredito::DBGrid1TitleClick(const QString &campo)
{
    // The description is not sorted.
    if (campo.compare(QLatin1String("Descrizione"), Qt::CaseInsensitive) == 0) return;
    ordina(form_DB->TableNCRighe, campo);
}

void TfrmNotaCredito::DBGrid3TitleClick(const QString &campo) { ordina(form_DB->TableFatturaScadenze, campo); }

void TfrmNotaCredito::DBGrid13TitleClick(const QString &campo) { ordina(form_DB->TableFatturaAllegati, campo); }

// ---------------------------------------------------------------- instalments

QWidget *TfrmNotaCredito::creaGrigliaScadenze()
{
    auto *contenitore = new QWidget(this);
    auto *riga = new QHBoxLayout(contenitore);
    riga->setContentsMargins(0, 0, 0, 0);
    auto *pulsanti = new QVBoxLayout;
    spdEliminaPiccolo = pulsantePiccolo(contenitore, QStringLiteral("spdEliminaPiccolo"), QStringLiteral("Elimina la scadenza"),
                                        "list-remove", QStyle::SP_TrashIcon);
    spdInserisciPiccolo = pulsantePiccolo(contenitore, QStringLiteral("spdInserisciPiccolo"),
                                          QStringLiteral("Inserisce una scadenza"), "list-add", QStyle::SP_FileDialogNewFolder);
    spdModificaPiccolo = pulsantePiccolo(contenitore, QStringLiteral("spdModificaPiccolo"), QStringLiteral("Modifica la scadenza"),
                                         "document-edit", QStyle::SP_FileDialogDetailedView);
    for (QToolButton *b : {spdModificaPiccolo, spdInserisciPiccolo, spdEliminaPiccolo}) pulsanti->addWidget(b);
    pulsanti->addStretch(1);
    riga->addLayout(pulsanti);
    auto *colonna = new QVBoxLayout;
    colonna->addWidget(new QLabel(QStringLiteral("Scadenza Pagamenti"), contenitore));
    DBGrid3 = nuovaGriglia(contenitore, QStringLiteral("DBGrid3"), form_DB->SourceFatturaScadenze,
                           {{QStringLiteral("Operazione"), QStringLiteral("Operazione"), 450},
                            {QStringLiteral("DataScadenza"), QStringLiteral("Data Scadenza"), 101},
                            {QStringLiteral("Importo"), QStringLiteral("Importo"), 123}});
    DBGrid3->setToolTip(QStringLiteral("Modifica e visualizza le date relative alla scadenza dei pagamenti"));
    DBGrid3->setItemDelegate(new DelegatoScadenze(form_DB->TableFatturaScadenze, DBGrid3));
    DBGrid3->setMinimumHeight(110);
    colonna->addWidget(DBGrid3, 1);
    riga->addLayout(colonna, 1);
    grigliaScadenze = DBGrid3;
    PopupMenu2 = menuGriglia(this, DBGrid3, kGrigliaScadenze);
    connect(spdEliminaPiccolo, &QToolButton::clicked, this, &TfrmNotaCredito::spdEliminaPiccoloClick);
    connect(spdInserisciPiccolo, &QToolButton::clicked, this, &TfrmNotaCredito::spdInserisciPiccoloClick);
    connect(spdModificaPiccolo, &QToolButton::clicked, this, &TfrmNotaCredito::spdModificaPiccoloClick);
    connect(DBGrid3, &ui::DBGrid::doubleClicked, this, &TfrmNotaCredito::spdModificaPiccoloClick);
    connect(DBGrid3, &ui::DBGrid::titleClicked, this, &TfrmNotaCredito::DBGrid3TitleClick);
    return contenitore;
}

void TfrmNotaCredito::abilitaPulsantiPagine()
{
    const bool dettaglioScadenze = creata("frmScadenziarioDettaglio") != nullptr;
    spdInserisciPiccolo->setEnabled(dettaglioScadenze);
    spdModificaPiccolo->setEnabled(dettaglioScadenze);
    SpeedButton9->setEnabled(frmPorto != nullptr);
    SpeedButton19->setEnabled(frmPorto != nullptr);
    SpeedButton21->setEnabled(frmAspetto != nullptr);
    SpeedButton22->setEnabled(frmAspetto != nullptr);
    SpeedButton23->setEnabled(creata("frmGrigliaPersonale") != nullptr);
    SpeedButton24->setEnabled(creata("frmPersonaleDettaglio") != nullptr);
    spdInserisciAllegato->setEnabled(frmModifica_Fattura_Allegati != nullptr);
    spdModificaAllegato->setEnabled(frmModifica_Fattura_Allegati != nullptr);
    spdInserisciDett->setEnabled(Form2 != nullptr);
}

void TfrmNotaCredito::mostraScadenza(bool nuova)
{
    QWidget *dettaglio = creata("frmScadenziarioDettaglio");
    if (!dettaglio) return;
    // The instalment detail serves suppliers too: here it names the customer.
    if (auto *l = dettaglio->findChild<QLabel *>(QStringLiteral("Label2"))) l->setText(QStringLiteral("Cliente"));
    if (auto *w = dettaglio->findChild<QWidget *>(QStringLiteral("LookFornitori"))) w->setVisible(false);
    if (auto *w = dettaglio->findChild<QWidget *>(QStringLiteral("LookClienti"))) w->setVisible(true);
    mostraModale(dettaglio, nuova);
}

void TfrmNotaCredito::spdInserisciPiccoloClick()
{
    const qint64 id = idDocumento();
    // Stored only when its detail can show it, so no instalment is made that nobody fills.
    if (id <= 0 || !creata("frmScadenziarioDettaglio")) return;
    db::Query *s = form_DB->TableFatturaScadenze;
    db::Query *f = dataset();
    s->setFilter(QString());
    const int numero = s->recordCount() + 1;
    s->append();
    s->fieldByName(QStringLiteral("Numero")).setAsInteger(numero);
    s->fieldByName(QStringLiteral("Fattura_ID")).setAsInteger(id);
    s->fieldByName(QStringLiteral("DataScadenza")).setValue(ui::Clock::instance().now().date());
    s->fieldByName(QStringLiteral("Tipo")).setAsString(QStringLiteral("N"));
    s->fieldByName(QStringLiteral("Pagato")).setAsBoolean(false);
    for (const char *campo : {"ModPagamento_Id", "Banca_ID", "Cliente_id"})
        s->fieldByName(QLatin1String(campo)).setAsInteger(f->fieldByName(QLatin1String(campo)).asLargeInt());
    s->fieldByName(QStringLiteral("Importo")).setAsFloat(0);
    if (!common::SalvaNuovoRecord(*s, QStringLiteral("Id"))) {
        if (s->isEditing()) s->cancel();
        return;
    }
    mostraScadenza(true);
}

void TfrmNotaCredito::spdModificaPiccoloClick()
{
    if (form_DB->TableFatturaScadenze->recordCount() < 1) return;
    mostraScadenza(false);
}

void TfrmNotaCredito::spdEliminaPiccoloClick()
{
    db::Query *s = form_DB->TableFatturaScadenze;
    if (s->recordCount() < 1) return;
    if (!forms::chiedi(this, QStringLiteral("Sei sicuro di voler eliminare il Record?"))) return;
    const int riga = s->currentIndex();
    try {
        // With the cash-book mirror, the instalment's payment row goes with it.
        vendite::eliminaScadenza(form_DB->Connessione, s->fieldByName(QStringLiteral("Id")).asLargeInt());
    } catch (const db::DbError &e) {
        forms::avvisa(this, e.message(), kErrore);
        return;
    }
    s->requery();
    if (!s->isEmpty()) s->setCurrentIndex(qBound(0, riga - 1, s->recordCount() - 1));
}

// ---------------------------------------------------------------- transport

void TfrmNotaCredito::creaPaginaAccompagnatoria()
{
    const vendite::DatiTrasporto t = vendite::creaDatiTrasporto(this, form_DB->SourceNotaCredito, QStringLiteral("SpeedButton9"));
    GroupBox4 = t.GroupBox4;
    DBLookupComboBox7 = t.porto;
    DBLookupComboBox9 = t.aspetto;
    DBLookupComboBox11 = t.tipoTrasporto;
    DBLookupComboBox10 = t.vettore;
    SpeedButton9 = t.aggiungiPorto;
    SpeedButton19 = t.modificaPorto;
    SpeedButton21 = t.aggiungiAspetto;
    SpeedButton22 = t.modificaAspetto;
    SpeedButton23 = t.aggiungiVettore;
    SpeedButton24 = t.modificaVettore;
    DBCheckBox5 = t.includiXml;
    DBEdit11 = t.colli;
    DBEdit10 = t.dataTrasporto;
    aggiungiRiga(QString(), GroupBox4);

    // Clearing a transport lookup empties its own column (the control does) and marks the note.
    for (ui::DBLookupComboBox *l : {DBLookupComboBox7, DBLookupComboBox9, DBLookupComboBox11, DBLookupComboBox10})
        connect(l, &ui::DBLookupComboBox::cleared, this, [this] { DatiModificati = true; });
    connect(SpeedButton9, &QToolButton::clicked, this, &TfrmNotaCredito::SpeedButton9Click);
    connect(SpeedButton19, &QToolButton::clicked, this, &TfrmNotaCredito::SpeedButton19Click);
    connect(SpeedButton21, &QToolButton::clicked, this, &TfrmNotaCredito::SpeedButton21Click);
    connect(SpeedButton22, &QToolButton::clicked, this, &TfrmNotaCredito::SpeedButton22Click);
    connect(SpeedButton23, &QToolButton::clicked, this, &TfrmNotaCredito::SpeedButton23Click);
    connect(SpeedButton24, &QToolButton::clicked, this, &TfrmNotaCredito::SpeedButton24Click);
}

void TfrmNotaCredito::SpeedButton9Click()
{
    if (!frmPorto) return;
    frmPorto->Button4Click();
    frmPorto->mostra(false);
    form_DB->TablePorto->requery();
}

void TfrmNotaCredito::SpeedButton19Click()
{
    const qint64 porto = chiave(dataset(), QStringLiteral("Porto_ID"));
    if (!frmPorto || porto < 1) return;
    if (form_DB->TablePorto->locate(QStringLiteral("Id"), porto)) frmPorto->mostra(false);
}

void TfrmNotaCredito::SpeedButton21Click()
{
    if (!frmAspetto) return;
    frmAspetto->Button4Click();
    frmAspetto->exec();
    form_DB->TableAspetto->requery();
}

void TfrmNotaCredito::SpeedButton22Click()
{
    if (!frmAspetto) return;
    const qint64 aspetto = chiave(dataset(), QStringLiteral("Aspetto_ID"));
    if (aspetto > 0) form_DB->TableAspetto->locate(QStringLiteral("Id"), aspetto);
    frmAspetto->exec();
}

void TfrmNotaCredito::SpeedButton23Click()
{
    if (QWidget *lista = creata("frmGrigliaPersonale")) QMetaObject::invokeMethod(lista, "spdInserisciClick");
}

void TfrmNotaCredito::SpeedButton24Click()
{
    QWidget *dettaglio = creata("frmPersonaleDettaglio");
    const qint64 personale = chiave(dataset(), QStringLiteral("Personale_ID"));
    if (!dettaglio || personale < 1) return;
    if (form_DB->TablePersonale->locate(QStringLiteral("Id"), personale)) mostraModale(dettaglio);
}

// ---------------------------------------------------------------- attachments

void TfrmNotaCredito::creaPaginaAllegati()
{
    GroupBox8 = new QGroupBox(QStringLiteral("Allegati"), this);
    GroupBox8->setObjectName(QStringLiteral("GroupBox8"));
    auto *v = new QVBoxLayout(GroupBox8);
    auto *barra = new QToolBar(GroupBox8);
    barra->setObjectName(QStringLiteral("ToolBar4"));
    v->addWidget(barra);
    spdEliminaAllegato = ui::toolButton(GroupBox8, QStringLiteral("spdEliminaAllegato"), QStringLiteral("Elimina"),
                                        QStringLiteral("Elimina il record corrente "), "edit-delete", QStyle::SP_TrashIcon);
    spdInserisciAllegato = ui::toolButton(GroupBox8, QStringLiteral("spdInserisciAllegato"), QStringLiteral("Aggiungi"),
                                          QStringLiteral("Inserisce un nuovo Record"), "list-add", QStyle::SP_FileDialogNewFolder);
    spdModificaAllegato = ui::toolButton(GroupBox8, QStringLiteral("spdModificaAllegato"), QStringLiteral("Modifica"),
                                         QStringLiteral("Sava le modifiche effettuate"), "document-edit",
                                         QStyle::SP_FileDialogDetailedView);
    for (QToolButton *b : {spdEliminaAllegato, spdInserisciAllegato, spdModificaAllegato}) barra->addWidget(b);
    DBGrid13 = nuovaGriglia(GroupBox8, QStringLiteral("DBGrid13"), form_DB->SourceFatturaAllegati,
                            {{QStringLiteral("NomeAttachment"), QStringLiteral("Nome"), 148},
                             {QStringLiteral("DescrizioneAttachment"), QStringLiteral("Descrizione"), 268},
                             {QStringLiteral("PercorsoCompleto"), QStringLiteral("Percorso"), 500}});
    v->addWidget(DBGrid13);
    aggiungiRiga(QString(), GroupBox8);
    connect(spdEliminaAllegato, &QToolButton::clicked, this, &TfrmNotaCredito::spdEliminaAllegatoClick);
    connect(spdInserisciAllegato, &QToolButton::clicked, this, &TfrmNotaCredito::spdInserisciAllegatoClick);
    connect(spdModificaAllegato, &QToolButton::clicked, this, &TfrmNotaCredito::spdModificaAllegatoClick);
    connect(DBGrid13, &ui::DBGrid::doubleClicked, this, &TfrmNotaCredito::spdModificaAllegatoClick);
    connect(DBGrid13, &ui::DBGrid::titleClicked, this, &TfrmNotaCredito::DBGrid13TitleClick);
}

void TfrmNotaCredito::spdInserisciAllegatoClick()
{
    const qint64 id = idDocumento();
    if (id <= 0 || !frmModifica_Fattura_Allegati) return;
    db::Query *a = form_DB->TableFatturaAllegati;
    a->append();
    a->fieldByName(QStringLiteral("Fattura_Id")).setAsInteger(id);
    if (!common::SalvaNuovoRecord(*a, QStringLiteral("Id"))) {
        if (a->isEditing()) a->cancel();
        return;
    }
    // "Annulla" as on the invoice: an attachment begun by mistake, with a name typed but no file
    // to give, would otherwise keep the form open on the missing path for good.
    frmModifica_Fattura_Allegati->mostraNuovo(true);
}

void TfrmNotaCredito::spdModificaAllegatoClick()
{
    if (!frmModifica_Fattura_Allegati || form_DB->TableFatturaAllegati->recordCount() < 1) return;
    frmModifica_Fattura_Allegati->mostra(false);
}

void TfrmNotaCredito::spdEliminaAllegatoClick()
{
    db::Query *a = form_DB->TableFatturaAllegati;
    if (a->recordCount() < 1) return;
    if (forms::chiedi(this, QStringLiteral("Sei sicuro di voler eliminare il Record dell'Allegato ?")))
        common::EliminaRecord(*a, QStringLiteral("ID"));
}
