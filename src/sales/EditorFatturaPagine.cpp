// The instalment grid and the side pages of the sales-invoice editor: instalments, the seizure
// the invoice bills, customer orders, transport data, quotes copied into the invoice,
// attachments, and the invoice's cash-book row.
#include "EditorFattura.h"

#include "ModificaAllegati.h"
#include "ModificaOrdiniClienti.h"
#include "common/GridLayouts.h"
#include "common/RecordHelpers.h"
#include "data/DB.h"
#include "db/DbError.h"
#include "db/Query.h"
#include "forms/DatiCollegati.h"
#include "forms/Family.h"
#include "forms/ListForm.h"
#include "forms/Registro.h"
#include "masterdata/Aspetto.h"
#include "masterdata/Porto.h"
#include "sales/PagineDocumento.h"
#include "sales/services/PreventiFattura.h"
#include "widgets/DBCheckBox.h"
#include "widgets/DBEdit.h"
#include "widgets/DBGrid.h"
#include "widgets/DBLookupComboBox.h"
#include "widgets/EditingHelper.h"
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
#include <functional>
#include <stdexcept>

namespace {

using vendite::nuovaGriglia;
using vendite::pulsantePiccolo;

const QString kErrore = QStringLiteral("Messaggio di errore");
const QString kGrigliaScadenze = QStringLiteral("Form7_DBGrid3");

// A form of the program, when it has been created (forms of later issues may not exist yet).
QWidget *creata(const char *nome)
{
    const forms::VoceForm *v = forms::Registro::istanza().voce(QLatin1String(nome));
    return v && v->corrente ? v->corrente() : nullptr;
}

// Shows a form modally: a detail on its current row, without "Annulla" unless asked.
void mostraModale(QWidget *w, bool nuovo = false)
{
    if (auto *d = qobject_cast<forms::DetailForm *>(w)) d->mostra(nuovo);
    else if (auto *dialogo = qobject_cast<QDialog *>(w)) dialogo->exec();
}

// The column sort of the lists: the clicked column, descending when the current sort, whatever
// column it names, is ascending.
void ordina(db::Query *q, const QString &campo)
{
    if (campo.isEmpty()) return;
    q->setSort(campo + (q->sort().endsWith(QLatin1String("ASC")) ? QStringLiteral(" DESC") : QStringLiteral(" ASC")));
}

bool pagata(db::Query *q, int riga)
{
    const int col = q->fieldIndex(QStringLiteral("DataPagamento"));
    if (col < 0) return false;
    const QVariant v = q->valueAt(riga, col);
    return !v.isNull() && !v.toString().trimmed().isEmpty();
}

// The instalments drawn as the office reads them: a paid one filled aqua, the others on the
// grid's own background (the selection's included); the text black on both.
class DelegatoScadenze : public QStyledItemDelegate {
public:
    DelegatoScadenze(db::Query *q, QObject *parent) : QStyledItemDelegate(parent), m_q(q) {}

    void paint(QPainter *p, const QStyleOptionViewItem &option, const QModelIndex &indice) const override
    {
        QStyleOptionViewItem opzione = option;
        initStyleOption(&opzione, indice);
        const QString testo = opzione.text;
        p->save();
        if (pagata(m_q, indice.row())) {
            p->fillRect(opzione.rect, QColor(0, 255, 255));
        } else {
            opzione.text.clear();
            const QWidget *w = opzione.widget;
            QStyle *stile = w ? w->style() : nullptr;
            if (stile) stile->drawControl(QStyle::CE_ItemViewItem, &opzione, p, w);
        }
        p->setPen(Qt::black);
        const QRect area = opzione.rect.adjusted(2, 2, -2, 0);
        p->drawText(area, Qt::AlignLeft | Qt::AlignTop, opzione.fontMetrics.elidedText(testo, Qt::ElideRight, area.width()));
        p->restore();
    }

private:
    db::Query *m_q;
};

// Runs a function each time the form is shown.
class AlMostrare : public QObject {
public:
    AlMostrare(QObject *form, std::function<void()> f) : QObject(form), m_f(std::move(f)) { form->installEventFilter(this); }

protected:
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::Show) m_f();
        return false;
    }

private:
    std::function<void()> m_f;
};

// A group box holding a tool bar and a grid, as the side pages lay them out.
QGroupBox *gruppo(QWidget *parent, const QString &nome, const QString &titolo)
{
    auto *g = new QGroupBox(titolo, parent);
    g->setObjectName(nome);
    new QVBoxLayout(g);
    return g;
}

QToolBar *barra(QGroupBox *g, const QString &nome)
{
    auto *b = new QToolBar(g);
    b->setObjectName(nome);
    g->layout()->addWidget(b);
    return b;
}

qint64 chiave(db::Query *q, const QString &campo) { return q->isEmpty() ? 0 : q->fieldByName(campo).asLargeInt(); }

} // namespace

// ---------------------------------------------------------------- instalments

QWidget *TForm7::creaGrigliaScadenze()
{
    auto *contenitore = new QWidget(this);
    auto *riga = new QHBoxLayout(contenitore);
    riga->setContentsMargins(0, 0, 0, 0);
    auto *pulsanti = new QVBoxLayout;
    spdEliminaPiccolo = pulsantePiccolo(contenitore, QStringLiteral("spdEliminaPiccolo"), QStringLiteral("Elimina la scadenza"),
                                        "list-remove", QStyle::SP_TrashIcon);
    spdInserisciPiccolo = pulsantePiccolo(contenitore, QStringLiteral("spdInserisciPiccolo"),
                                          QStringLiteral("Inserisce una scadenza"), "list-add", QStyle::SP_FileDialogNewFolder);
    spdModificaPiccolo = pulsantePiccolo(contenitore, QStringLiteral("spdModificaPiccolo"),
                                         QStringLiteral("Modifica la scadenza"), "document-edit",
                                         QStyle::SP_FileDialogDetailedView);
    // Until the header page places it beside "Data uscita", the seizure button waits here.
    btnSequestri = pulsantePiccolo(contenitore, QStringLiteral("btnSequestri"), QStringLiteral("Sequestri"), "system-search",
                                   QStyle::SP_FileDialogContentsView);
    for (QToolButton *b : {spdEliminaPiccolo, spdInserisciPiccolo, spdModificaPiccolo, btnSequestri}) pulsanti->addWidget(b);
    pulsanti->addStretch(1);
    riga->addLayout(pulsanti);

    auto *colonna = new QVBoxLayout;
    auto *etichetta = new QLabel(QStringLiteral("Scadenza Pagamenti"), contenitore);
    colonna->addWidget(etichetta);
    DBGrid3 = nuovaGriglia(contenitore, QStringLiteral("DBGrid3"), form_DB->SourceFatturaScadenze,
                           {{QStringLiteral("Operazione"), QStringLiteral("Operazione"), 550},
                            {QStringLiteral("DataScadenza"), QStringLiteral("Data Scadenza"), 101},
                            {QStringLiteral("Importo"), QStringLiteral("Importo"), 123}});
    DBGrid3->setToolTip(QStringLiteral("Le righe azzurre sono state già pagate"));
    DBGrid3->setItemDelegate(new DelegatoScadenze(form_DB->TableFatturaScadenze, DBGrid3));
    DBGrid3->setMinimumHeight(110);
    colonna->addWidget(DBGrid3, 1);
    riga->addLayout(colonna, 1);
    grigliaScadenze = DBGrid3;

    PopupMenu2 = new QMenu(this);
    PopupMenu2->setObjectName(QStringLiteral("PopupMenu2"));
    PopupMenu2->addAction(QStringLiteral("Salva Griglia"), this, &TForm7::MenuItem1Click)->setObjectName(QStringLiteral("MenuItem1"));
    PopupMenu2->addAction(QStringLiteral("Elimina Colonna"), this, &TForm7::MenuItem2Click)->setObjectName(QStringLiteral("MenuItem2"));
    PopupMenu2->addAction(QStringLiteral("Reset Griglia"), this, &TForm7::MenuItem3Click)->setObjectName(QStringLiteral("MenuItem3"));
    DBGrid3->setPopupMenu(PopupMenu2);

    connect(spdEliminaPiccolo, &QToolButton::clicked, this, &TForm7::spdEliminaPiccoloClick);
    connect(spdInserisciPiccolo, &QToolButton::clicked, this, &TForm7::spdInserisciPiccoloClick);
    connect(spdModificaPiccolo, &QToolButton::clicked, this, &TForm7::spdModificaPiccoloClick);
    connect(btnSequestri, &QToolButton::clicked, this, &TForm7::btnSequestriClick);
    connect(DBGrid3, &ui::DBGrid::doubleClicked, this, &TForm7::DBGrid3DblClick);
    connect(DBGrid3, &ui::DBGrid::titleClicked, this, &TForm7::DBGrid3TitleClick);

    new AlMostrare(this, [this] { abilitaPulsantiPagine(); });
    return contenitore;
}

void TForm7::abilitaPulsantiPagine()
{
    const bool dettaglioScadenze = creata("frmScadenziarioDettaglio") != nullptr;
    spdInserisciPiccolo->setEnabled(dettaglioScadenze);
    spdModificaPiccolo->setEnabled(dettaglioScadenze);
    btnSequestri->setEnabled(creata("frmGrigliaSequestri") != nullptr);
    SpeedButton6->setEnabled(frmPorto != nullptr);
    SpeedButton19->setEnabled(frmPorto != nullptr);
    SpeedButton21->setEnabled(frmAspetto != nullptr);
    SpeedButton22->setEnabled(frmAspetto != nullptr);
    SpeedButton23->setEnabled(creata("frmGrigliaPersonale") != nullptr);
    SpeedButton24->setEnabled(creata("frmPersonaleDettaglio") != nullptr);
    SpeedButton18->setEnabled(frmModificaOrdiniClienti != nullptr);
    SpeedButton20->setEnabled(frmModificaOrdiniClienti != nullptr);
    spdInserisciAllegato->setEnabled(frmModifica_Fattura_Allegati != nullptr);
    spdModificaAllegato->setEnabled(frmModifica_Fattura_Allegati != nullptr);
    // The quote lookup is no field of the invoice: it is neither painted nor marks it modified.
    if (m_editing) {
        DBLookupComboBox3->removeEventFilter(m_editing);
        disconnect(DBLookupComboBox3, nullptr, m_editing, nullptr);
    }
}

void TForm7::mostraScadenza(bool nuova)
{
    QWidget *dettaglio = creata("frmScadenziarioDettaglio");
    if (!dettaglio) return;
    // The instalment detail serves suppliers too: here it names the customer.
    if (auto *l = dettaglio->findChild<QLabel *>(QStringLiteral("Label2"))) l->setText(QStringLiteral("Cliente"));
    if (auto *w = dettaglio->findChild<QWidget *>(QStringLiteral("LookFornitori"))) w->setVisible(false);
    if (auto *w = dettaglio->findChild<QWidget *>(QStringLiteral("LookClienti"))) w->setVisible(true);
    mostraModale(dettaglio, nuova);
}

void TForm7::spdInserisciPiccoloClick()
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
    s->fieldByName(QStringLiteral("Tipo")).setAsString(QStringLiteral("F"));
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

void TForm7::spdModificaPiccoloClick()
{
    if (form_DB->TableFatturaScadenze->recordCount() < 1) return;
    mostraScadenza(false);
}

void TForm7::DBGrid3DblClick() { spdModificaPiccoloClick(); }

void TForm7::spdEliminaPiccoloClick()
{
    db::Query *s = form_DB->TableFatturaScadenze;
    if (s->recordCount() < 1) return;
    if (!forms::chiedi(this, QStringLiteral("Sei sicuro di voler eliminare il Record?"))) return;
    const int riga = s->currentIndex();
    try {
        vendite::eliminaScadenza(form_DB->Connessione, s->fieldByName(QStringLiteral("Id")).asLargeInt());
    } catch (const db::DbError &e) {
        forms::avvisa(this, e.message(), kErrore);
        return;
    }
    // The instalment above becomes current, as after any deletion.
    s->requery();
    if (!s->isEmpty()) s->setCurrentIndex(qBound(0, riga - 1, s->recordCount() - 1));
}

void TForm7::DBGrid3TitleClick(const QString &campo) { ordina(form_DB->TableFatturaScadenze, campo); }

void TForm7::MenuItem1Click()
{
    common::SalvaGriglia(kGrigliaScadenze, *DBGrid3, *form_DB->TableGriglie, false, NomeComputerLocale);
}

void TForm7::MenuItem2Click()
{
    const int col = DBGrid3->selectedColumn();
    if (col >= 0) DBGrid3->removeColumn(col);
}

void TForm7::MenuItem3Click()
{
    common::CaricaGriglia(kGrigliaScadenze, *DBGrid3, *form_DB->TableGriglie, true, false, NomeComputerLocale);
    MenuItem1Click();
}

// ---------------------------------------------------------------- seizure

void TForm7::btnSequestriClick()
{
    auto *lista = qobject_cast<forms::ListForm *>(creata("frmGrigliaSequestri"));
    if (!lista) return;
    lista->SceltaEffettuata = false;
    lista->ModalitaScelta = true;
    lista->exec();
    db::Query *sequestro = form_DB->TableSequestri;
    db::Query *f = dataset();
    if (lista->SceltaEffettuata && !sequestro->isEmpty() && !f->isEmpty()) {
        if (!f->isEditing()) f->edit();
        f->fieldByName(QStringLiteral("Targa")).setValue(sequestro->fieldByName(QStringLiteral("AutoTarga")).value());
        f->fieldByName(QStringLiteral("DataIngressoVeicolo")).setValue(sequestro->fieldByName(QStringLiteral("Data")).value());
        f->fieldByName(QStringLiteral("DataUscitaVeicolo"))
            .setValue(sequestro->fieldByName(QStringLiteral("DataDissequestro")).value());
        db::Query *ordini = form_DB->TableOrdiniClienti;
        if (ordini->isEmpty()) {
            ordini->append();
            ordini->fieldByName(QStringLiteral("Numero")).setAsString(sequestro->fieldByName(QStringLiteral("Numero")).asString());
            ordini->fieldByName(QStringLiteral("Data")).setValue(sequestro->fieldByName(QStringLiteral("Data")).value());
            ordini->fieldByName(QStringLiteral("Fattura_ID")).setAsInteger(idDocumento());
            if (!common::SalvaNuovoRecord(*ordini, QStringLiteral("Id")) && ordini->isEditing()) ordini->cancel();
        }
        DatiModificati = true;
    }
    lista->ModalitaScelta = false;
}

// ---------------------------------------------------------------- orders

void TForm7::creaPaginaOrdini()
{
    GroupBox3 = gruppo(this, QStringLiteral("GroupBox3"), QStringLiteral("Ordini Clienti"));
    ToolBar3 = barra(GroupBox3, QStringLiteral("ToolBar3"));
    SpeedButton7 = ui::toolButton(GroupBox3, QStringLiteral("SpeedButton7"), QStringLiteral("Elimina"),
                                  QStringLiteral("Elimina il record corrente "), "edit-delete", QStyle::SP_TrashIcon);
    SpeedButton18 = ui::toolButton(GroupBox3, QStringLiteral("SpeedButton18"), QStringLiteral("Aggiungi"),
                                   QStringLiteral("Inserisce un nuovo Record"), "list-add", QStyle::SP_FileDialogNewFolder);
    SpeedButton20 = ui::toolButton(GroupBox3, QStringLiteral("SpeedButton20"), QStringLiteral("Modifica"),
                                   QStringLiteral("Sava le modifiche effettuate"), "document-edit",
                                   QStyle::SP_FileDialogDetailedView);
    for (QToolButton *b : {SpeedButton7, SpeedButton18, SpeedButton20}) ToolBar3->addWidget(b);
    DBGrid1 = nuovaGriglia(GroupBox3, QStringLiteral("DBGrid1"), form_DB->SourceOrdiniClienti,
                           {{QStringLiteral("Data"), QStringLiteral("Data"), 61},
                            {QStringLiteral("Numero"), QStringLiteral("Numero"), 223},
                            {QStringLiteral("CodiceCig"), QStringLiteral("Codice Cig"), 159},
                            {QStringLiteral("CodiceCup"), QStringLiteral("Codice Cup"), 134},
                            {QStringLiteral("CodiceCommessaConvenzione"), QStringLiteral("Cod.Comm.Conv."), 165},
                            {QStringLiteral("Note"), QStringLiteral("Note"), 258}});
    GroupBox3->layout()->addWidget(DBGrid1);
    aggiungiRiga(QString(), GroupBox3);
    connect(SpeedButton7, &QToolButton::clicked, this, &TForm7::SpeedButton7Click);
    connect(SpeedButton18, &QToolButton::clicked, this, &TForm7::SpeedButton18Click);
    connect(SpeedButton20, &QToolButton::clicked, this, &TForm7::SpeedButton20Click);
    connect(DBGrid1, &ui::DBGrid::doubleClicked, this, &TForm7::DBGrid1DblClick);
    connect(DBGrid1, &ui::DBGrid::titleClicked, this, &TForm7::DBGrid1TitleClick);
}

void TForm7::SpeedButton18Click()
{
    const qint64 id = idDocumento();
    if (id <= 0 || !frmModificaOrdiniClienti) return;
    db::Query *f = dataset();
    db::Query *o = form_DB->TableOrdiniClienti;
    const QVariant data = f->fieldByName(QStringLiteral("Data")).isNull() ? QVariant(ui::Clock::instance().now().date())
                                                                           : f->fieldByName(QStringLiteral("Data")).value();
    o->append();
    o->fieldByName(QStringLiteral("Fattura_ID")).setAsInteger(id);
    o->fieldByName(QStringLiteral("Data")).setValue(data);
    if (!common::SalvaNuovoRecord(*o, QStringLiteral("ID"))) {
        if (o->isEditing()) o->cancel();
        return;
    }
    // Marked modified, "Indietro" checks it: a new order is completed or removed with "Annulla".
    frmModificaOrdiniClienti->DatiModificati = true;
    frmModificaOrdiniClienti->mostra(true);
}

void TForm7::SpeedButton20Click()
{
    if (!frmModificaOrdiniClienti || form_DB->TableOrdiniClienti->recordCount() < 1) return;
    frmModificaOrdiniClienti->mostra(false);
}

void TForm7::DBGrid1DblClick() { SpeedButton20Click(); }

void TForm7::SpeedButton7Click()
{
    db::Query *o = form_DB->TableOrdiniClienti;
    if (o->recordCount() < 1) return;
    if (forms::chiedi(this, QStringLiteral("Sei sicuro di voler eliminare il record ?"))) common::EliminaRecord(*o, QStringLiteral("Id"));
}

void TForm7::DBGrid1TitleClick(const QString &campo) { ordina(form_DB->TableOrdiniClienti, campo); }

// ---------------------------------------------------------------- transport

void TForm7::creaPaginaAccompagnatoria()
{
    const vendite::DatiTrasporto t = vendite::creaDatiTrasporto(this, form_DB->Source3, QStringLiteral("SpeedButton6"));
    GroupBox4 = t.GroupBox4;
    DBLookupComboBox7 = t.porto;
    DBLookupComboBox9 = t.aspetto;
    DBLookupComboBox11 = t.tipoTrasporto;
    DBLookupComboBox10 = t.vettore;
    SpeedButton6 = t.aggiungiPorto;
    SpeedButton19 = t.modificaPorto;
    SpeedButton21 = t.aggiungiAspetto;
    SpeedButton22 = t.modificaAspetto;
    SpeedButton23 = t.aggiungiVettore;
    SpeedButton24 = t.modificaVettore;
    DBCheckBox5 = t.includiXml;
    DBEdit11 = t.colli;
    DBEdit10 = t.dataTrasporto;
    aggiungiRiga(QString(), GroupBox4);

    for (ui::DBLookupComboBox *l : {DBLookupComboBox7, DBLookupComboBox9, DBLookupComboBox11, DBLookupComboBox10})
        connect(l, &ui::DBLookupComboBox::picked, this, &TForm7::DBLookupComboBox7Click);
    connect(DBLookupComboBox7, &ui::DBLookupComboBox::cleared, this, &TForm7::DBLookupComboBox7KeyDown);
    connect(DBLookupComboBox9, &ui::DBLookupComboBox::cleared, this, &TForm7::DBLookupComboBox9KeyDown);
    connect(DBLookupComboBox11, &ui::DBLookupComboBox::cleared, this, &TForm7::DBLookupComboBox11KeyDown);
    connect(DBLookupComboBox10, &ui::DBLookupComboBox::cleared, this, &TForm7::DBLookupComboBox10KeyDown);
    connect(SpeedButton6, &QToolButton::clicked, this, &TForm7::SpeedButton6Click);
    connect(SpeedButton19, &QToolButton::clicked, this, &TForm7::SpeedButton19Click);
    connect(SpeedButton21, &QToolButton::clicked, this, &TForm7::SpeedButton21Click);
    connect(SpeedButton22, &QToolButton::clicked, this, &TForm7::SpeedButton22Click);
    connect(SpeedButton23, &QToolButton::clicked, this, &TForm7::SpeedButton23Click);
    connect(SpeedButton24, &QToolButton::clicked, this, &TForm7::SpeedButton24Click);
}

void TForm7::DBLookupComboBox7Click() { DatiModificati = true; }
void TForm7::DBLookupComboBox7KeyDown() { DatiModificati = true; }
void TForm7::DBLookupComboBox9KeyDown() { DatiModificati = true; }
void TForm7::DBLookupComboBox11KeyDown() { DatiModificati = true; }
void TForm7::DBLookupComboBox10KeyDown() { DatiModificati = true; }

void TForm7::SpeedButton6Click()
{
    if (!frmPorto) return;
    // The carriage-term form opens on a blank term: "Indietro" stores what was typed (code and
    // description required) and the lookup offers it at once; nothing typed stores nothing.
    frmPorto->Button4Click();
    frmPorto->mostra(false);
    form_DB->TablePorto->requery();
}

void TForm7::SpeedButton19Click()
{
    if (!frmPorto || dataset()->isEmpty()) return;
    const qint64 porto = chiave(dataset(), QStringLiteral("Porto_ID"));
    if (porto < 1) return;
    if (!form_DB->TablePorto->locate(QStringLiteral("Id"), porto)) return;
    frmPorto->mostra(false);
}

void TForm7::SpeedButton21Click()
{
    if (!frmAspetto) return;
    // As for the carriage terms: the appearance form opens on a blank row, which its "salva"
    // stores and the lookup then offers.
    frmAspetto->Button4Click();
    frmAspetto->exec();
    form_DB->TableAspetto->requery();
}

void TForm7::SpeedButton22Click()
{
    if (!frmAspetto) return;
    const qint64 aspetto = chiave(dataset(), QStringLiteral("Aspetto_ID"));
    if (aspetto > 0) form_DB->TableAspetto->locate(QStringLiteral("Id"), aspetto);
    frmAspetto->exec();
}

void TForm7::SpeedButton23Click()
{
    if (QWidget *lista = creata("frmGrigliaPersonale")) QMetaObject::invokeMethod(lista, "spdInserisciClick");
}

void TForm7::SpeedButton24Click()
{
    QWidget *dettaglio = creata("frmPersonaleDettaglio");
    const qint64 personale = chiave(dataset(), QStringLiteral("Personale_ID"));
    if (!dettaglio || personale < 1) return;
    if (form_DB->TablePersonale->locate(QStringLiteral("Id"), personale)) mostraModale(dettaglio);
}

// ---------------------------------------------------------------- quotes

void TForm7::creaPaginaImportazioni()
{
    GroupBox6 = gruppo(this, QStringLiteral("GroupBox6"), QStringLiteral("Importa da un precedente Preventivo"));
    GroupBox6->setAutoFillBackground(true);
    QPalette p = GroupBox6->palette();
    p.setColor(QPalette::Window, QColor(255, 255, 128));
    GroupBox6->setPalette(p);
    auto *riga = new QHBoxLayout;
    riga->addWidget(new QLabel(QStringLiteral("Preventivo"), GroupBox6));
    DBLookupComboBox3 = new ui::DBLookupComboBox(GroupBox6);
    DBLookupComboBox3->setObjectName(QStringLiteral("DBLookupComboBox3"));
    DBLookupComboBox3->setListSource(form_DB->SourcePreventiviFattura);
    DBLookupComboBox3->setKeyField(QStringLiteral("ID"));
    DBLookupComboBox3->setListField(QStringLiteral("Scelta"));
    DBLookupComboBox3->setClearable(false);
    riga->addWidget(DBLookupComboBox3, 1);
    static_cast<QVBoxLayout *>(GroupBox6->layout())->addLayout(riga);
    DBGrid5 = nuovaGriglia(GroupBox6, QStringLiteral("DBGrid5"), form_DB->SourceFatturaPreventiviRighe,
                           {{QStringLiteral("Numero"), QStringLiteral("Numero"), 100},
                            {QStringLiteral("Data"), QStringLiteral("Data"), 110}});
    GroupBox6->layout()->addWidget(DBGrid5);
    BitBtn1 = ui::toolButton(GroupBox6, QStringLiteral("BitBtn1"), QStringLiteral("Elimina Riga"), QString(), "edit-delete",
                             QStyle::SP_TrashIcon);
    BitBtn1->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    GroupBox6->layout()->addWidget(BitBtn1);
    aggiungiRiga(QString(), GroupBox6);
    // Bound to no column, the lookup reports a pick as a plain choice of its list.
    connect(DBLookupComboBox3, &QComboBox::activated, this, [this](int indice) {
        const QVariant id = DBLookupComboBox3->itemData(indice);
        if (!id.isNull()) form_DB->TablePreventiviFattura->locate(QStringLiteral("ID"), id);
        DBLookupComboBox3Click();
    });
    connect(BitBtn1, &QToolButton::clicked, this, &TForm7::BitBtn1Click);
}

void TForm7::ricaricaPreventivi()
{
    db::Query *q = form_DB->TablePreventiviFattura;
    q->close();
    q->setSql(vendite::sqlPreventiDaFatturare(chiave(dataset(), QStringLiteral("Cliente_ID"))));
    q->open();
    DBLookupComboBox3->setCurrentIndex(-1);
}

void TForm7::DBLookupComboBox3Click()
{
    db::Query *preventivi = form_DB->TablePreventiviFattura;
    const qint64 preventivo = chiave(preventivi, QStringLiteral("ID"));
    const qint64 fattura = idDocumento();
    if (preventivo <= 0 || fattura <= 0) {
        forms::avvisa(this, QStringLiteral("Attenzione è necessario salvare la fattura prima di inserirci i riferimenti al Preventivo"),
                      forms::kAvviso);
        return;
    }
    try {
        vendite::importaPreventivo(form_DB->Connessione, fattura, preventivo, ModalitaStorico);
    } catch (const db::DbError &e) {
        forms::avvisa(this, e.message(), kErrore);
        return;
    } catch (const std::invalid_argument &) {
        // Deleted by another workstation since the list was read.
        ricaricaPreventivi();
        return;
    }
    if (form_DB->Table16->isActive()) form_DB->Table16->requery();
    form_DB->TableFatturaPreventiviRighe->requery();
    righe->rileggi();
    SpeedButton3Click();
    ricaricaPreventivi();
}

void TForm7::BitBtn1Click()
{
    db::Query *link = form_DB->TableFatturaPreventiviRighe;
    const qint64 id = chiave(link, QStringLiteral("Id"));
    if (id <= 0) return;
    DatiModificati = true;
    try {
        vendite::annullaPreventivo(form_DB->Connessione, id);
    } catch (const db::DbError &e) {
        forms::avvisa(this, e.message(), kErrore);
        return;
    }
    if (form_DB->Table16->isActive()) form_DB->Table16->requery();
    link->requery();
    righe->rileggi();
    SpeedButton3Click();
    ricaricaPreventivi();
}

// ---------------------------------------------------------------- attachments

void TForm7::creaPaginaAllegati()
{
    GroupBox8 = gruppo(this, QStringLiteral("GroupBox8"), QStringLiteral("Allegati"));
    ToolBar4 = barra(GroupBox8, QStringLiteral("ToolBar4"));
    spdEliminaAllegato = ui::toolButton(GroupBox8, QStringLiteral("spdEliminaAllegato"), QStringLiteral("Elimina"),
                                        QStringLiteral("Elimina il record corrente "), "edit-delete", QStyle::SP_TrashIcon);
    spdInserisciAllegato = ui::toolButton(GroupBox8, QStringLiteral("spdInserisciAllegato"), QStringLiteral("Aggiungi"),
                                          QStringLiteral("Inserisce un nuovo Record"), "list-add",
                                          QStyle::SP_FileDialogNewFolder);
    spdModificaAllegato = ui::toolButton(GroupBox8, QStringLiteral("spdModificaAllegato"), QStringLiteral("Modifica"),
                                         QStringLiteral("Sava le modifiche effettuate"), "document-edit",
                                         QStyle::SP_FileDialogDetailedView);
    for (QToolButton *b : {spdEliminaAllegato, spdInserisciAllegato, spdModificaAllegato}) ToolBar4->addWidget(b);
    DBGrid13 = nuovaGriglia(GroupBox8, QStringLiteral("DBGrid13"), form_DB->SourceFatturaAllegati,
                            {{QStringLiteral("NomeAttachment"), QStringLiteral("Nome"), 148},
                             {QStringLiteral("DescrizioneAttachment"), QStringLiteral("Descrizione"), 268},
                             {QStringLiteral("PercorsoCompleto"), QStringLiteral("Percorso"), 597}});
    GroupBox8->layout()->addWidget(DBGrid13);
    aggiungiRiga(QString(), GroupBox8);
    connect(spdEliminaAllegato, &QToolButton::clicked, this, &TForm7::spdEliminaAllegatoClick);
    connect(spdInserisciAllegato, &QToolButton::clicked, this, &TForm7::spdInserisciAllegatoClick);
    connect(spdModificaAllegato, &QToolButton::clicked, this, &TForm7::spdModificaAllegatoClick);
    connect(DBGrid13, &ui::DBGrid::doubleClicked, this, &TForm7::DBGrid13DblClick);
    connect(DBGrid13, &ui::DBGrid::titleClicked, this, &TForm7::DBGrid13TitleClick);
}

void TForm7::spdInserisciAllegatoClick()
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
    frmModifica_Fattura_Allegati->mostraNuovo(true);
}

void TForm7::spdModificaAllegatoClick()
{
    if (!frmModifica_Fattura_Allegati || form_DB->TableFatturaAllegati->recordCount() < 1) return;
    frmModifica_Fattura_Allegati->mostra(false);
}

void TForm7::DBGrid13DblClick() { spdModificaAllegatoClick(); }

void TForm7::spdEliminaAllegatoClick()
{
    db::Query *a = form_DB->TableFatturaAllegati;
    if (a->recordCount() < 1) return;
    if (forms::chiedi(this, QStringLiteral("Sei sicuro di voler eliminare il Record dell'Allegato ?")))
        common::EliminaRecord(*a, QStringLiteral("ID"));
}

void TForm7::DBGrid13TitleClick(const QString &campo) { ordina(form_DB->TableFatturaAllegati, campo); }

// ---------------------------------------------------------------- cash book

void TForm7::spdPrimaNotaClick()
{
    const qint64 id = idDocumento();
    if (id <= 0 || chiave(dataset(), QStringLiteral("Finanzia_id")) <= 0) return;
    if (form_DB->Connessione.scalar(QStringLiteral("select DuplicaFatturazioneInPrimaNota from opzioni")).toInt() == 0) return;
    auto *cassa = qobject_cast<forms::DetailForm *>(creata("CassaDettaglio"));
    if (!cassa) return;
    db::Query *t2 = form_DB->Table2;
    t2->close();
    t2->setSql(QStringLiteral("Select * from finanzia where Tipo='1' and Fattura_Id = %1").arg(id));
    t2->open();
    if (t2->isEmpty()) return;
    // The cash-book form keeps a document's own fields locked when its list opens it; here they
    // are the point.
    for (const char *nome : {"DBEdit1", "DBEdit2", "DBEdit3", "DBEdit4", "DBLookupComboBox2", "DBLookupComboBox1"})
        if (auto *w = cassa->findChild<QWidget *>(QLatin1String(nome))) w->setEnabled(true);
    cassa->mostra(false);
}
