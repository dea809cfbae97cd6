#include "ListForm.h"

#include "DetailForm.h"
#include "Family.h"
#include "common/GridLayouts.h"
#include "common/RecordHelpers.h"
#include "common/SqlText.h"
#include "data/DB.h"
#include "db/DataSource.h"
#include "db/Query.h"
#include "widgets/DBGrid.h"
#include "widgets/Seams.h"
#include "widgets/ToolButton.h"

#include <QAction>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace forms {

namespace {

// What a typed apostrophe becomes in the search boxes that change it.
const QChar kAcuto(0x00B4);

QString prefisso(const QString &colonna, const QString &testo)
{
    return colonna + QStringLiteral(" like '") + common::RaddoppiaApici(testo) + QStringLiteral("*'");
}

} // namespace

ListForm::ListForm(Config config, QWidget *parent) : QDialog(parent), m_cfg(std::move(config))
{
    setObjectName(m_cfg.nome);
    setWindowTitle(m_cfg.titolo);
    setProperty("helpContext", m_cfg.helpContext);
    resize(640, 480);
    m_layout = new QVBoxLayout(this);

    ToolBar2 = new QToolBar(this);
    ToolBar2->setObjectName(QStringLiteral("ToolBar2"));
    spdHelp = ui::pulsanteAiuto(this);
    if (m_cfg.pulsanteRicarica)
        spdAggiorna = ui::toolButton(this, QStringLiteral("spdRicarica"), QStringLiteral("Ricarica"),
                                     QStringLiteral("Ricarica i dati dal database"), "view-refresh", QStyle::SP_BrowserReload);
    else
        spdAggiorna = ui::toolButton(this, QStringLiteral("spdAggiorna"), QStringLiteral("Ricarica"),
                                     QStringLiteral("Aggiorna l'elenco"), "view-refresh", QStyle::SP_BrowserReload);
    spdIndietro = ui::pulsanteIndietro(this);
    spdElimina = ui::toolButton(this, QStringLiteral("spdElimina"), QStringLiteral("Elimina"),
                                QStringLiteral("Elimina il record corrente "), "edit-delete", QStyle::SP_TrashIcon);
    spdInserisci = ui::toolButton(this, QStringLiteral("spdInserisci"), QStringLiteral("Aggiungi"),
                                  QStringLiteral("Inserisce un nuovo Record"), "list-add", QStyle::SP_FileDialogNewFolder);
    spdAvanti = ui::toolButton(this, QStringLiteral("spdAvanti"), QStringLiteral("Avanti"), QStringLiteral("và avanti"),
                               "go-next", QStyle::SP_ArrowForward);
    for (QToolButton *b : {spdHelp, spdAggiorna, spdIndietro, spdElimina, spdInserisci, spdAvanti}) ToolBar2->addWidget(b);
    m_layout->addWidget(ToolBar2);

    DBGrid1 = new ui::DBGrid(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setDataSource(m_cfg.source);
    for (const ColonnaGriglia &c : m_cfg.colonne) DBGrid1->addColumn(c.campo, c.titolo, c.larghezza);
    DBGrid1->setMultiSelect(m_cfg.multiSelezione);
    m_layout->addWidget(DBGrid1, 1);

    if (!m_cfg.ricerca.isEmpty()) {
        auto *gruppo = new QGroupBox(m_cfg.titoloRicerca, this);
        m_ricercaLayout = new QGridLayout(gruppo);
        int col = 0;
        for (const CampoRicerca &r : m_cfg.ricerca) {
            auto *label = new QLabel(r.etichetta, gruppo);
            auto *box = new QLineEdit(gruppo);
            box->setObjectName(r.nome);
            label->setBuddy(box);
            m_ricercaLayout->addWidget(label, 0, col);
            m_ricercaLayout->addWidget(box, 1, col++);
            box->installEventFilter(this);
            connect(box, &QLineEdit::textChanged, this, &ListForm::Edit1Change);
            m_caselle << box;
            if (r.nome == QLatin1String("Edit1")) Edit1 = box;
        }
        m_layout->addWidget(gruppo);
    }

    if (!m_cfg.nomeGriglia.isEmpty()) {
        PopupMenu1 = new QMenu(this);
        SalvaGriglia1 = PopupMenu1->addAction(QStringLiteral("Salva Griglia"), this, &ListForm::SalvaGriglia1Click);
        if (m_cfg.menuGrigliaCompleto) {
            EliminaColonna1 = PopupMenu1->addAction(QStringLiteral("Elimina Colonna"), this, &ListForm::EliminaColonna1Click);
            ResetGriglia1 = PopupMenu1->addAction(QStringLiteral("Reset Griglia"), this, &ListForm::ResetGriglia1Click);
        }
        if (m_cfg.multiSelezione)
            SelezionaTutti1 = PopupMenu1->addAction(QStringLiteral("Seleziona Tutti"), this, &ListForm::SelezionaTutti1Click);
        DBGrid1->setPopupMenu(PopupMenu1);
    }

    connect(spdHelp, &QToolButton::clicked, this, &ListForm::spdHelpClick);
    connect(spdAggiorna, &QToolButton::clicked, this, &ListForm::spdAggiornaClick);
    connect(spdIndietro, &QToolButton::clicked, this, &ListForm::spdIndietroClick);
    connect(spdElimina, &QToolButton::clicked, this, &ListForm::spdEliminaClick);
    connect(spdInserisci, &QToolButton::clicked, this, &ListForm::spdInserisciClick);
    connect(spdAvanti, &QToolButton::clicked, this, &ListForm::spdAvantiClick);
    connect(DBGrid1, &ui::DBGrid::doubleClicked, this, &ListForm::DBGrid1DblClick);
    connect(DBGrid1, &ui::DBGrid::titleClicked, this, &ListForm::DBGrid1TitleClick);
}

QLineEdit *ListForm::casella(const QString &nome) const
{
    for (QLineEdit *b : m_caselle)
        if (b->objectName() == nome) return b;
    return nullptr;
}

QWidget *ListForm::gruppoRicerca() const { return m_ricercaLayout ? m_ricercaLayout->parentWidget() : nullptr; }

void ListForm::showEvent(QShowEvent *e)
{
    if (m_cfg.massimizzata) setWindowState(windowState() | Qt::WindowMaximized);
    // A dynamic cursor shows what other workstations wrote since it was read.
    if (m_cfg.dataset) m_cfg.dataset->rileggiSeDinamica();
    aggiornaPulsanti();
    QDialog::showEvent(e);
}

void ListForm::aggiornaPulsanti()
{
    // While picking, rows can be chosen but not added or deleted.
    spdInserisci->setEnabled(!ModalitaScelta);
    spdElimina->setEnabled(!ModalitaScelta);
}

void ListForm::done(int r)
{
    // A row started but never stored must not stay pending in the shared query.
    if (m_cfg.dataset->state() == db::Query::State::Insert) m_cfg.dataset->cancel();
    QDialog::done(r);
}

bool ListForm::eventFilter(QObject *watched, QEvent *e)
{
    auto *box = qobject_cast<QLineEdit *>(watched);
    if (!box || !m_caselle.contains(box)) return QDialog::eventFilter(watched, e);
    if (m_cfg.ricercaColorata && (e->type() == QEvent::FocusIn || e->type() == QEvent::FocusOut)) {
        QPalette p = box->palette();
        p.setColor(QPalette::Base, e->type() == QEvent::FocusIn ? QColor(0, 255, 255) : QColor(Qt::white));
        box->setPalette(p);
    }
    if (e->type() == QEvent::KeyPress) {
        auto *k = static_cast<QKeyEvent *>(e);
        if (m_cfg.apostrofoAcuto && k->text() == QLatin1String("'")) {
            // Typed text then never needs quoting; pasted text still goes through RaddoppiaApici.
            box->insert(QString(kAcuto));
            return true;
        }
        if (m_cfg.ricercaNavigazione) {
            if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter || k->key() == Qt::Key_Down) {
                focusNextChild();
                return true;
            }
            if (k->key() == Qt::Key_Up) {
                focusPreviousChild();
                return true;
            }
        }
        // Enter in a search box must not close the list as a default button would.
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) return true;
    }
    return QDialog::eventFilter(watched, e);
}

QString ListForm::filtroRicerca() const
{
    QList<int> ordine;
    for (int i = 0; i < m_cfg.ricerca.size(); ++i) ordine << i;
    std::stable_sort(ordine.begin(), ordine.end(),
                     [this](int a, int b) { return m_cfg.ricerca[a].ordineFiltro < m_cfg.ricerca[b].ordineFiltro; });
    QStringList condizioni;
    for (int i : ordine) {
        const QString testo = m_caselle.value(i) ? m_caselle[i]->text() : QString();
        if (testo.isEmpty() || testo == QLatin1String("*")) continue;
        const QString &colonna = m_cfg.ricerca[i].colonna;
        if (m_cfg.apostrofoAcuto && (testo.contains(u'\'') || testo.contains(kAcuto))) {
            // The box types the accent, but details and other forms store the apostrophe as typed:
            // a row written either way is found.
            QString acuto = testo, apice = testo;
            acuto.replace(u'\'', kAcuto);
            apice.replace(kAcuto, u'\'');
            condizioni << u'(' + prefisso(colonna, acuto) + QStringLiteral(" or ") + prefisso(colonna, apice) + u')';
        } else {
            condizioni << prefisso(colonna, testo);
        }
    }
    return condizioni.join(QStringLiteral(" and "));
}

void ListForm::Edit1Change() { m_cfg.dataset->setFilter(filtroRicerca()); }

void ListForm::BitBtn3Click()
{
    for (QLineEdit *b : m_caselle) {
        const QSignalBlocker quiet(b);
        b->clear();
    }
    m_cfg.dataset->setFilter(QString());
    aggiornaPulsanti();
}

std::optional<qint64> ListForm::scegli(const QString &filtro, const QString &campoId)
{
    ModalitaScelta = true;
    SceltaEffettuata = false;
    BitBtn3Click();
    if (!filtro.isEmpty()) m_cfg.dataset->setFilter(filtro);
    exec();
    std::optional<qint64> scelta;
    if (SceltaEffettuata && !m_cfg.dataset->isEmpty()) scelta = m_cfg.dataset->fieldByName(campoId).asLargeInt();
    ModalitaScelta = false;
    SceltaEffettuata = false;
    BitBtn3Click();
    return scelta;
}

void ListForm::spdInserisciClick()
{
    db::Query *q = m_cfg.dataset;
    primaDiAggiungere();
    q->setFilter(QString());
    q->append();
    impostaNuovo();
    if (m_cfg.descrizioneSpazio) q->fieldByName(QStringLiteral("Descrizione")).setAsString(QStringLiteral(" "));
    if (!m_cfg.chiavePredefiniti.isEmpty())
        common::ImpostaValoriPredefiniti(m_cfg.chiavePredefiniti, *q, *form_DB->TablePersonalizzazioni);
    if (m_dettaglio) m_dettaglio->DatiModificati = true;
    // The row is stored before the detail shows it; only "Annulla" removes it again.
    if (!common::SalvaNuovoRecord(*q, QStringLiteral("Id"))) {
        if (q->isEditing()) q->cancel();
        if (m_dettaglio) m_dettaglio->DatiModificati = false;
        return;
    }
    if (m_cfg.descrizioneSvuotata) q->fieldByName(QStringLiteral("Descrizione")).setAsString(QString());
    if (m_dettaglio) m_dettaglio->mostra(true);
}

void ListForm::spdAvantiClick()
{
    if (ModalitaScelta) {
        SceltaEffettuata = m_cfg.dataset->recordCount() > 0;
        accept();
        return;
    }
    if (m_cfg.dataset->recordCount() < 1 || !m_dettaglio) return;
    m_dettaglio->mostra(false);
}

void ListForm::spdEliminaClick()
{
    db::Query *q = m_cfg.dataset;
    if (m_cfg.eliminaSenzaConferma && EliminaSenzaConferma) {
        common::EliminaRecord(*q, QStringLiteral("ID"));
        return;
    }
    if (q->recordCount() < 1) return;
    if (chiedi(this, m_cfg.domandaElimina)) common::EliminaRecord(*q, QStringLiteral("ID"));
}

void ListForm::spdAggiornaClick() { m_cfg.dataset->requery(); }

void ListForm::spdIndietroClick() { accept(); }

void ListForm::spdHelpClick() { ui::apriGuida(m_cfg.helpContext); }

void ListForm::DBGrid1TitleClick(const QString &campo)
{
    if (!m_cfg.ordinabile) return;
    // The direction follows the previous sort, whatever column it named.
    const QString attuale = m_cfg.dataset->sort();
    m_cfg.dataset->setSort(campo + (attuale.endsWith(QLatin1String("ASC")) ? QStringLiteral(" DESC") : QStringLiteral(" ASC")));
}

void ListForm::DBGrid1DblClick() { spdAvantiClick(); }

void ListForm::SalvaGriglia1Click()
{
    common::SalvaGriglia(m_cfg.nomeGriglia, *DBGrid1, *form_DB->TableGriglie, false, NomeComputerLocale);
}

void ListForm::ResetGriglia1Click()
{
    common::CaricaGriglia(m_cfg.nomeGriglia, *DBGrid1, *form_DB->TableGriglie, true, false, NomeComputerLocale);
    SalvaGriglia1Click();
}

void ListForm::EliminaColonna1Click()
{
    const int col = DBGrid1->selectedColumn();
    if (col >= 0) DBGrid1->removeColumn(col);
}

void ListForm::SelezionaTutti1Click()
{
    // The grid's selection is what the query keeps: with its controls suspended the grid would
    // select nothing.
    DBGrid1->selectAll();
    m_cfg.dataset->last();
}

} // namespace forms
