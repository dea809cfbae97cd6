#include "DetailForm.h"

#include "Family.h"
#include "ListForm.h"
#include "Registro.h"
#include "common/RecordHelpers.h"
#include "data/DB.h"
#include "db/Query.h"
#include "widgets/DBCheckBox.h"
#include "widgets/DBEdit.h"
#include "widgets/DBLookupComboBox.h"
#include "widgets/EditingHelper.h"
#include "widgets/Seams.h"
#include "forms/Impaginazione.h"
#include "widgets/ToolButton.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTabWidget>
#include <QLineEdit>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace forms {

namespace {

QString testoMostrato(QWidget *w)
{
    if (auto *e = qobject_cast<QLineEdit *>(w)) return e->text();
    if (auto *c = qobject_cast<QComboBox *>(w)) return c->currentText();
    if (auto *m = qobject_cast<QPlainTextEdit *>(w)) return m->toPlainText();
    return QStringLiteral("x");
}

} // namespace

DetailForm::DetailForm(Config config, QWidget *parent) : QDialog(parent), m_cfg(std::move(config))
{
    setObjectName(m_cfg.nome);
    setWindowTitle(m_cfg.titolo);
    setProperty("helpContext", m_cfg.helpContext);
    // The detail is left only through "Indietro" or, for a new row, "Annulla".
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setMinimumWidth(480);
    auto *layout = new QVBoxLayout(this);
    ToolBar2 = new QToolBar(this);
    ToolBar2->setObjectName(QStringLiteral("ToolBar2"));
    spdAnnulla = ui::toolButton(this, QStringLiteral("spdAnnulla"), QStringLiteral("Annulla"),
                                QStringLiteral("Torna indietro senza salvare"), "edit-undo", QStyle::SP_DialogCancelButton);
    spdSalva = ui::toolButton(this, QStringLiteral("spdSalva"), m_cfg.captionSalva, QString(), "document-save",
                              QStyle::SP_DialogSaveButton);
    ToolBar2->addWidget(spdAnnulla)->setVisible(false);
    ToolBar2->addWidget(spdSalva)->setVisible(false);
    if (m_cfg.conAiuto) {
        spdHelp = ui::pulsanteAiuto(this);
        ToolBar2->addWidget(spdHelp);
        connect(spdHelp, &QToolButton::clicked, this, &DetailForm::spdHelpClick);
    }
    spdIndietro = ui::pulsanteIndietro(this);
    ToolBar2->addWidget(spdIndietro);
    layout->addWidget(ToolBar2);
    m_corpo = new QVBoxLayout;
    m_campi = new QFormLayout;
    m_corpo->addLayout(m_campi);
    layout->addLayout(m_corpo);
    layout->addStretch(1);
    connect(spdAnnulla, &QToolButton::clicked, this, &DetailForm::spdAnnullaClick);
    connect(spdSalva, &QToolButton::clicked, this, &DetailForm::spdSalvaClick);
    connect(spdIndietro, &QToolButton::clicked, this, &DetailForm::spdIndietroClick);
}

void DetailForm::aggiungiRiga(const QString &etichetta, QWidget *campo)
{
    // Without a label the field takes the whole row.
    if (etichetta.isEmpty()) m_campi->addRow(campo);
    else m_campi->addRow(etichetta, campo);
}

QWidget *DetailForm::aggiungiPagina(const QString &nome, const QString &titolo)
{
    if (!PageControl1) {
        PageControl1 = new QTabWidget(this);
        PageControl1->setObjectName(QStringLiteral("PageControl1"));
        m_corpo->addWidget(PageControl1, 1);
        if (m_cfg.salvaCambiandoPagina)
            connect(PageControl1, &QTabWidget::currentChanged, this, &DetailForm::PageControl1Change);
    }
    auto *pagina = new QWidget(PageControl1);
    pagina->setObjectName(nome);
    m_campi = new QFormLayout(pagina);
    PageControl1->addTab(pagina, titolo);
    return pagina;
}

void DetailForm::PageControl1Change()
{
    if (!PageControl1 || PageControl1->currentIndex() <= 0) return;
    if (DatiModificati) spdSalvaClick();
    if (SalvataggioFallito) PageControl1->setCurrentIndex(0);
}

ui::DBEdit *DetailForm::aggiungiEdit(const QString &nome, const QString &etichetta, const QString &campo)
{
    auto *e = new ui::DBEdit(this);
    e->setObjectName(nome);
    e->setDataSource(m_cfg.source);
    e->setDataField(campo);
    aggiungiRiga(etichetta, e);
    return e;
}

ui::DBCheckBox *DetailForm::aggiungiCheck(const QString &nome, const QString &etichetta, const QString &campo)
{
    auto *c = new ui::DBCheckBox(etichetta, this);
    c->setObjectName(nome);
    c->setDataSource(m_cfg.source);
    c->setDataField(campo);
    m_campi->addRow(QString(), c);
    return c;
}

ui::DBLookupComboBox *DetailForm::aggiungiLookup(const QString &nome, const QString &etichetta, const QString &campo,
                                                 db::DataSource *lista, const QString &campoChiave, const QString &campoLista)
{
    auto *l = new ui::DBLookupComboBox(this);
    l->setObjectName(nome);
    l->setListSource(lista);
    l->setKeyField(campoChiave);
    l->setListField(campoLista);
    l->setDataSource(m_cfg.source);
    l->setDataField(campo);
    aggiungiRiga(etichetta, l);
    return l;
}

DetailForm::LookupConPulsanti DetailForm::aggiungiLookup(const QString &nome, const QString &etichetta, const QString &campo,
                                                         db::DataSource *lista, const QString &campoChiave,
                                                         const QString &campoLista, const PulsantiLookup &pulsanti)
{
    // The lookup and its buttons share one row of the form.
    ui::DBLookupComboBox *l = aggiungiLookup(nome, etichetta, campo, lista, campoChiave, campoLista);
    auto *riga = new QWidget(this);
    m_campi->replaceWidget(l, riga);
    auto *h = new QHBoxLayout(riga);
    h->setContentsMargins(0, 0, 0, 0);
    l->setParent(riga);
    QToolButton *modifica = pulsanteAccanto(riga, pulsanti.modifica.nome, pulsanti.modifica.suggerimento, "document-edit",
                                            QStyle::SP_FileDialogDetailedView);
    QToolButton *aggiungi =
        pulsanteAccanto(riga, pulsanti.aggiungi.nome, pulsanti.aggiungi.suggerimento, "list-add", QStyle::SP_FileDialogNewFolder);
    h->addWidget(l, 1);
    h->addWidget(modifica);
    h->addWidget(aggiungi);
    m_collegamenti.append({l, campo, pulsanti.lista, pulsanti.campoId});
    connect(modifica, &QToolButton::clicked, this, [this, l] { modificaDaLookup(l); });
    connect(aggiungi, &QToolButton::clicked, this, [this, l] { aggiungiDaLookup(l); });
    return {l, modifica, aggiungi};
}

QToolButton *DetailForm::pulsanteAccanto(QWidget *riga, const QString &nome, const QString &suggerimento, const char *icona,
                                         QStyle::StandardPixmap riserva)
{
    // An icon no taller than the field, so the row keeps the height of its field and its label
    // stays on the field's line.
    QToolButton *b = ui::toolButton(riga, nome, QString(), suggerimento, icona, riserva);
    piccolo(b);
    return b;
}

const DetailForm::Collegamento *DetailForm::collegamento(ui::DBLookupComboBox *lookup) const
{
    for (const Collegamento &c : m_collegamenti)
        if (c.lookup == lookup) return &c;
    return nullptr;
}

ListForm *DetailForm::listaDi(const Collegamento &c) const
{
    const VoceForm *v = Registro::istanza().voce(c.lista);
    return v ? qobject_cast<ListForm *>(v->corrente()) : nullptr;
}

void DetailForm::modificaDaLookup(ui::DBLookupComboBox *lookup)
{
    const Collegamento *c = collegamento(lookup);
    ListForm *lista = c ? listaDi(*c) : nullptr;
    if (!lista || !lista->dettaglio()) return;
    // Only a row the field names: an empty reference, or an id below 1, opens nothing.
    const QString valore = m_cfg.dataset->fieldByName(c->campo).asString();
    bool numero = false;
    const double id = valore.toDouble(&numero);
    if (valore.isEmpty() || (numero && id < 1)) return;
    // The detail edits the row it is shown on: a reference that is not found opens nothing. A
    // row that keeps the listed row's id names it by that, not by a name two rows may share.
    const bool trovata = !c->campoId.isEmpty() && m_cfg.dataset->fieldByName(c->campoId).asLargeInt() > 0
        ? lista->dataset()->locate(QStringLiteral("ID"), m_cfg.dataset->fieldByName(c->campoId).value())
        : lista->dataset()->locate(lookup->keyField(), m_cfg.dataset->fieldByName(c->campo).value());
    if (!trovata) return;
    lista->dettaglio()->mostra();
}

void DetailForm::aggiungiDaLookup(ui::DBLookupComboBox *lookup)
{
    const Collegamento *c = collegamento(lookup);
    if (ListForm *lista = c ? listaDi(*c) : nullptr) lista->spdInserisciClick();
}

void DetailForm::aggiungiDescrizione(const QString &messaggio)
{
    DBEdit2 = aggiungiEdit(QStringLiteral("DBEdit2"), QStringLiteral("Descrizione"), QStringLiteral("Descrizione"));
    richiesto(DBEdit2, messaggio);
}

void DetailForm::richiesto(QWidget *campo, const QString &messaggio, bool spostaFuoco)
{
    m_richiesti.append({campo, messaggio, spostaFuoco});
}

void DetailForm::completa()
{
    m_editing = new ui::EditingHelper(this);
    m_editing->setNavigation(m_cfg.navigazione);
    m_editing->setModifiedCallback([this] { DatiModificati = true; });
}

void DetailForm::showEvent(QShowEvent *e)
{
    // Every way of showing the detail gets the editing behaviour and a fresh save state, and
    // starts in its first field, whatever had the focus when it was last left.
    if (!m_editing) completa();
    SalvataggioFallito = false;
    if (QWidget *primo = primoCampo()) primo->setFocus(Qt::OtherFocusReason);
    QDialog::showEvent(e);
}

QWidget *DetailForm::primoCampo() const
{
    // The tabs of the pages take the focus too, but typing belongs in the first field.
    for (QWidget *w = nextInFocusChain(); w && w != this; w = w->nextInFocusChain())
        if ((w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisibleTo(this) && isAncestorOf(w)
            && !qobject_cast<QTabBar *>(w) && !qobject_cast<QTabWidget *>(w))
            return w;
    return nullptr;
}

int DetailForm::mostra(bool nuovo)
{
    m_chiusuraConsentita = false;
    // A detail with pages opens, and is left, on its first page.
    if (PageControl1) PageControl1->setCurrentIndex(0);
    for (QAction *a : ToolBar2->actions())
        if (ToolBar2->widgetForAction(a) == spdAnnulla) a->setVisible(nuovo);
    const int r = exec();
    if (PageControl1) PageControl1->setCurrentIndex(0);
    for (QAction *a : ToolBar2->actions())
        if (ToolBar2->widgetForAction(a) == spdAnnulla) a->setVisible(false);
    return r;
}

void DetailForm::spdSalvaClick()
{
    if (!senzaControlli()) SalvataggioFallito = false;
    for (const Richiesto &r : senzaControlli() ? QList<Richiesto>() : m_richiesti) {
        if (testoMostrato(r.campo).isEmpty()) {
            avvisa(this, r.messaggio, m_cfg.captionErrore);
            if (PageControl1) {
                // Showing the field's page is no change of page the user asked for.
                const QSignalBlocker quiet(PageControl1);
                for (int i = 0; i < PageControl1->count(); ++i)
                    if (PageControl1->widget(i)->isAncestorOf(r.campo)) PageControl1->setCurrentIndex(i);
            }
            if (r.spostaFuoco) r.campo->setFocus();
            SalvataggioFallito = true;
            return;
        }
    }
    if (!senzaControlli() && !controllaSalvataggio()) {
        SalvataggioFallito = true;
        return;
    }
    primaDiSalvare();
    // A refused post has been shown; the form stays open with what the user typed.
    if (!salvaRiga()) {
        SalvataggioFallito = true;
        return;
    }
    dopoSalva();
    DatiModificati = false;
}

bool DetailForm::salvaRiga()
{
    return m_cfg.salvaNuovo ? common::SalvaNuovoRecord(*m_cfg.dataset, QStringLiteral("Id"))
                            : common::SalvaRecord(*m_cfg.dataset, QStringLiteral("Id"));
}

void DetailForm::spdIndietroClick()
{
    // Only the save run here can keep the form open.
    if (DatiModificati) {
        spdSalvaClick();
        if (SalvataggioFallito) return;
    }
    m_chiusuraConsentita = true;
    accept();
}

void DetailForm::spdAnnullaClick()
{
    if (m_cfg.annulla != Annulla::SenzaChiedere
        && !chiedi(this, QStringLiteral("Sei sicuro di voler annullare l'inserimento ?")))
        return;
    DatiModificati = false;
    db::Query *q = m_cfg.dataset;
    // What was typed into the new row goes with it: nothing of it is posted first.
    if (q->isEditing()) q->cancel();
    if (m_cfg.annulla == Annulla::TramiteLista && m_lista) {
        EliminaSenzaConferma = true;
        m_lista->spdEliminaClick();
        EliminaSenzaConferma = false;
    } else {
        common::EliminaRecord(*q, QStringLiteral("ID"));
    }
    m_chiusuraConsentita = true;
    accept();
}

void DetailForm::done(int r)
{
    // A row started here ("+") and never stored must not stay pending in the shared query.
    if (m_cfg.dataset->state() == db::Query::State::Insert) m_cfg.dataset->cancel();
    QDialog::done(r);
}

void DetailForm::spdHelpClick() { ui::apriGuida(m_cfg.helpContext); }

void DetailForm::reject() { spdIndietroClick(); }

void DetailForm::closeEvent(QCloseEvent *e)
{
    if (m_chiusuraConsentita || !isVisible()) {
        e->accept();
        return;
    }
    spdIndietroClick();
    if (SalvataggioFallito) e->ignore();
}

} // namespace forms
