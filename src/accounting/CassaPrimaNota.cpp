#include "CassaPrimaNota.h"
#include "forms/Registro.h"

#include "GrigliaContabilitaConti.h"
#include "accounting/services/RicercaPrimaNota.h"
#include "common/RecordHelpers.h"
#include "core/Clock.h"
#include "data/DB.h"
#include "db/DataSource.h"
#include "db/DbError.h"
#include "db/Query.h"
#include "forms/Family.h"
#include "widgets/DBCheckBox.h"
#include "widgets/DBEdit.h"
#include "widgets/DBGrid.h"
#include "widgets/DBLookupComboBox.h"
#include "widgets/EditingHelper.h"
#include "widgets/ToolButton.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QRadioButton>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QAction>
#include <QVBoxLayout>

#include <array>
#include <tuple>

namespace {

const QString kId = QStringLiteral("ID");

QString sqlRiga(qint64 id)
{
    return QStringLiteral("select * from finanzia where ID = %1 order by Data desc, Operazione").arg(id);
}


} // namespace

TCassaDettaglio::TCassaDettaglio(QWidget *parent)
    : forms::DetailForm(
          [] {
              Config c;
              c.nome = QStringLiteral("CassaDettaglio");
              c.titolo = QStringLiteral("Prima nota");
              c.helpContext = 6300;
              c.dataset = form_DB->Table2;
              c.source = form_DB->Source2;
              c.conAiuto = true;
              return c;
          }(),
          parent)
{
    DBLookupComboBox3 = aggiungiLookup(QStringLiteral("DBLookupComboBox3"), QStringLiteral("Tipologia"), QStringLiteral("Tipologia_ID"),
                                       form_DB->SourceTipoPrimaNota, QStringLiteral("Id"), QStringLiteral("Descrizione"));
    DBEdit1 = aggiungiEdit(QStringLiteral("DBEdit1"), QStringLiteral("Data"), QStringLiteral("Data"));
    richiesto(DBEdit1, QStringLiteral("Attenzione manca la data"));
    DBEdit2 = aggiungiEdit(QStringLiteral("DBEdit2"), QStringLiteral("Operazione"), QStringLiteral("Operazione"));
    richiesto(DBEdit2, QStringLiteral("Attenzione manca l'Operazione"));
    DBEdit3 = aggiungiEdit(QStringLiteral("DBEdit3"), QStringLiteral("Entrata"), QStringLiteral("Entrata"));
    DBEdit4 = aggiungiEdit(QStringLiteral("DBEdit4"), QStringLiteral("Uscita"), QStringLiteral("Uscita"));
    // Customer and supplier: open, "+" and pick from their list, each beside its lookup.
    const auto persona = [this](const char *nome, const char *etichetta, const char *campo, db::DataSource *elenco,
                                const char *mostrato, const char *lista, std::array<const char *, 3> pulsanti) {
        const auto l = aggiungiLookup(QLatin1String(nome), QLatin1String(etichetta), QLatin1String(campo), elenco, QStringLiteral("Id"),
                                      QLatin1String(mostrato),
                                      {QLatin1String(lista), {QLatin1String(pulsanti[0]), {}}, {QLatin1String(pulsanti[1]), {}}});
        return std::tuple{l.lookup, l.modifica, l.aggiungi, pulsanteScelta(l.lookup, QLatin1String(pulsanti[2]))};
    };
    std::tie(DBLookupComboBox2, SpeedButton4, SpeedButton2, SpeedButton7) =
        persona("DBLookupComboBox2", "Cliente", "Cliente_id", form_DB->Source7, "NominativoVisualizzato", "frmClienti",
                {"SpeedButton4", "SpeedButton2", "SpeedButton7"});
    std::tie(DBLookupComboBox1, SpeedButton3, SpeedButton1, SpeedButton8) =
        persona("DBLookupComboBox1", "Fornitore", "Fornitore_id", form_DB->Source9, "Fornitore", "Fornitori",
                {"SpeedButton3", "SpeedButton1", "SpeedButton8"});
    connect(SpeedButton7, &QToolButton::clicked, this, &TCassaDettaglio::SpeedButton7Click);
    connect(SpeedButton8, &QToolButton::clicked, this, &TCassaDettaglio::SpeedButton8Click);
    DBLookupComboBox6 = aggiungiLookup(QStringLiteral("DBLookupComboBox6"), QStringLiteral("Mod. Pagam."), QStringLiteral("ModPagamento_Id"),
                                       form_DB->SourceModPaga, QStringLiteral("id"), QStringLiteral("Descrizione"));
    DBEdit5 = aggiungiEdit(QStringLiteral("DBEdit5"), QStringLiteral("Note"), QStringLiteral("Note"));
    const auto banca = aggiungiLookup(QStringLiteral("DBLookupComboBox4"), QStringLiteral("Banca"), QStringLiteral("Banca_ID"),
                                      form_DB->Source5, QStringLiteral("ID"), QStringLiteral("Banca"),
                                      {QStringLiteral("frmGrigliaBanche"), {QStringLiteral("SpeedButton5"), {}}, {QStringLiteral("SpeedButton6"), {}}});
    DBLookupComboBox4 = banca.lookup;
    SpeedButton5 = banca.modifica;
    SpeedButton6 = banca.aggiungi;
    const auto conto = aggiungiLookup(QStringLiteral("DBLookupComboBox5"), QStringLiteral("Conto"), QStringLiteral("ContabilitaConti_ID"),
                                      form_DB->SourceContabilitaCercaConti, QStringLiteral("Id"), QStringLiteral("Conto"),
                                      {QStringLiteral("frmGrigliaContabilitaConti"),
                                       {QStringLiteral("SpeedButton14"), QStringLiteral("Cerca il tipo di Conto")},
                                       {}});
    DBLookupComboBox5 = conto.lookup;
    SpeedButton14 = conto.modifica;
    SpeedButton14->setIcon(ui::iconaTema(QStringLiteral("edit-find"), QStyle::SP_FileDialogContentsView, this));
    conto.aggiungi->hide();
    disconnect(SpeedButton14, nullptr, this, nullptr);
    connect(SpeedButton14, &QToolButton::clicked, this, &TCassaDettaglio::SpeedButton14Click);
    DBLookupComboBox21 = aggiungiLookup(QStringLiteral("DBLookupComboBox21"), QStringLiteral("Aliquota Iva "), QStringLiteral("Iva_id"),
                                        form_DB->SourceIva, QStringLiteral("Id"), QStringLiteral("Descrizione"));
    connect(DBLookupComboBox21, &ui::DBLookupComboBox::picked, this, &TCassaDettaglio::DBLookupComboBox21Click);
    connect(DBLookupComboBox21, &ui::DBLookupComboBox::cleared, this, &TCassaDettaglio::DBLookupComboBox21Cleared);
    DBCheckBox16 = aggiungiCheck(QStringLiteral("DBCheckBox16"), QStringLiteral("Corrispettivi"), QStringLiteral("Corrispettivi"));
    completa();
    m_editing->markAmountField(DBEdit3);
    m_editing->markAmountField(DBEdit4);
    // Saving happens through "Indietro".
    for (QAction *a : ToolBar2->actions())
        if (ToolBar2->widgetForAction(a) == spdSalva) a->setVisible(false);
}

QToolButton *TCassaDettaglio::pulsanteScelta(ui::DBLookupComboBox *lookup, const QString &nome)
{
    // Beside the lookup's own edit and "+" buttons, on the same row.
    QWidget *riga = lookup->parentWidget();
    QToolButton *b = pulsanteAccanto(riga, nome, QString(), "edit-find", QStyle::SP_FileDialogContentsView);
    riga->layout()->addWidget(b);
    return b;
}

void TCassaDettaglio::scegliDaLista(const char *lista, db::Query *elenco, const QString &campo)
{
    auto *l = qobject_cast<forms::ListForm *>(forms::creata(lista));
    if (!l) return;
    // Withdrawn customers and suppliers are not offered.
    const std::optional<qint64> scelto = l->scegli(QStringLiteral("Annullato = 0"), QStringLiteral("Id"));
    if (!scelto || !elenco->locate(QStringLiteral("Id"), *scelto)) return;
    db::Query *q = dataset();
    if (!q->isEditing()) q->edit();
    q->fieldByName(campo).setAsInteger(*scelto);
    DatiModificati = true;
}

void TCassaDettaglio::SpeedButton7Click() { scegliDaLista("frmClienti", form_DB->Table7, QStringLiteral("Cliente_id")); }

void TCassaDettaglio::SpeedButton8Click() { scegliDaLista("Fornitori", form_DB->Table9, QStringLiteral("Fornitore_id")); }

void TCassaDettaglio::abilitaCampiDocumento(bool abilita)
{
    for (QWidget *w : std::initializer_list<QWidget *>{DBEdit1, DBEdit2, DBEdit3, DBEdit4, DBLookupComboBox2, DBLookupComboBox1})
        w->setEnabled(abilita);
}

bool TCassaDettaglio::controllaSalvataggio()
{
    if (DBLookupComboBox21->currentText().isEmpty() && DBCheckBox16->isChecked()) {
        forms::avvisa(this, QStringLiteral("Attenzione manca l'Aliquota Iva"), config().captionErrore);
        DBLookupComboBox21->setFocus();
        return false;
    }
    return true;
}

void TCassaDettaglio::DBLookupComboBox21Click()
{
    db::Query *q = dataset();
    db::Query *iva = form_DB->TableIva;
    if (!q->isEditing()) q->edit();
    q->fieldByName(QStringLiteral("AliquotaIva")).setValue(iva->fieldByName(QStringLiteral("Iva")).value());
    q->fieldByName(QStringLiteral("Iva_id")).setValue(iva->fieldByName(QStringLiteral("Id")).value());
    DatiModificati = true;
}

void TCassaDettaglio::DBLookupComboBox21Cleared()
{
    db::Query *q = dataset();
    if (!q->isEditing()) q->edit();
    q->fieldByName(QStringLiteral("AliquotaIva")).clear();
    q->fieldByName(QStringLiteral("Iva_id")).clear();
    DatiModificati = true;
}

void TCassaDettaglio::SpeedButton14Click()
{
    TfrmGrigliaContabilitaConti *lista = frmGrigliaContabilitaConti;
    if (!lista) return;
    const std::optional<qint64> scelto = lista->scegli(QString(), QStringLiteral("Id"));
    if (!scelto) return;
    db::Query *q = dataset();
    if (!q->isEditing()) q->edit();
    q->fieldByName(QStringLiteral("ContabilitaConti_ID")).setAsInteger(*scelto);
    DatiModificati = true;
}

TForm5::TForm5(QWidget *parent)
    : forms::ListForm(
          [] {
              Config c;
              c.nome = QStringLiteral("Form5");
              c.titolo = QStringLiteral("Prima nota");
              c.helpContext = 6200;
              c.dataset = form_DB->TableCercaPrimaNota;
              c.source = form_DB->SourceCercaPrimaNota;
              c.colonne = {{QStringLiteral("Data"), QStringLiteral("Data"), 90},
                           {QStringLiteral("Tipologia"), QStringLiteral("Tipologia"), 100},
                           {QStringLiteral("Operazione"), QStringLiteral("Operazione"), 260},
                           {QStringLiteral("Entrata"), QStringLiteral("Entrata"), 90},
                           {QStringLiteral("Uscita"), QStringLiteral("Uscita"), 90},
                           {QStringLiteral("Fornitore"), QStringLiteral("Fornitore"), 160},
                           {QStringLiteral("Cliente"), QStringLiteral("Cliente"), 160},
                           {QStringLiteral("ModPagamento"), QStringLiteral("ModPagamento"), 120},
                           {QStringLiteral("Banca"), QStringLiteral("Banca"), 120},
                           {QStringLiteral("Iban"), QStringLiteral("Iban"), 200}};
              c.ricerca = {};
              c.domandaElimina = QStringLiteral("Sei sicuro di voler eliminare l'operazione?");
              c.nomeGriglia = QStringLiteral("Form5_DBGrid1");
              c.menuGrigliaCompleto = true;
              c.ordinabile = true;
              c.pulsanteRicarica = true;
              c.massimizzata = true;
              return c;
          }(),
          parent)
{
    auto *gruppo = new QGroupBox(this);
    auto *g = new QGridLayout(gruppo);
    auto casella = [&](const char *nome, const char *etichetta, int col, int riga = 0) {
        auto *l = new QLabel(QString::fromUtf8(etichetta), gruppo);
        auto *e = new QLineEdit(gruppo);
        e->setObjectName(QString::fromLatin1(nome));
        l->setBuddy(e);
        g->addWidget(l, riga * 2, col);
        g->addWidget(e, riga * 2 + 1, col);
        e->installEventFilter(this);
        m_caselle << e;
        return e;
    };
    maskDaData = casella("maskDaData", "Dalla Data", 0);
    maskAData = casella("maskAData", "alla Data", 1);
    for (QLineEdit *d : {maskDaData, maskAData}) {
        d->setInputMask(QStringLiteral("99/99/0000;_"));
        d->setMaximumWidth(110);
    }
    txtOperazione = casella("txtOperazione", "Operazione", 2);
    txtNote = casella("txtNote", "Note", 3);
    Edit1 = casella("Edit1", "Cliente", 0, 1);
    Edit2 = casella("Edit2", "Fornitore", 1, 1);
    Edit3 = casella("Edit3", "Mod. Pagam.", 2, 1);
    auto *lIban = new QLabel(QStringLiteral("Iban"), gruppo);
    DBLookupComboBox4 = new QComboBox(gruppo);
    DBLookupComboBox4->setObjectName(QStringLiteral("DBLookupComboBox4"));
    DBLookupComboBox4->setMinimumWidth(220);
    lIban->setBuddy(DBLookupComboBox4);
    g->addWidget(lIban, 2, 3);
    g->addWidget(DBLookupComboBox4, 3, 3);
    m_caselle << DBLookupComboBox4;
    connect(DBLookupComboBox4, &QComboBox::activated, this, [this] { BitBtn2Click(); });
    DBLookupComboBox4->installEventFilter(this);

    auto *tipi = new QHBoxLayout;
    flagCassa = new QRadioButton(QStringLiteral("Cassa"), gruppo);
    flagBanca = new QRadioButton(QStringLiteral("Banca"), gruppo);
    flagFuoriCassa = new QRadioButton(QStringLiteral("Fuori Cassa"), gruppo);
    FlagTutti = new QRadioButton(QStringLiteral("Tutti"), gruppo);
    flagCassa->setObjectName(QStringLiteral("flagCassa"));
    flagBanca->setObjectName(QStringLiteral("flagBanca"));
    flagFuoriCassa->setObjectName(QStringLiteral("flagFuoriCassa"));
    FlagTutti->setObjectName(QStringLiteral("FlagTutti"));
    FlagTutti->setChecked(true);
    for (QRadioButton *r : {flagCassa, flagBanca, flagFuoriCassa, FlagTutti}) {
        tipi->addWidget(r);
        connect(r, &QRadioButton::clicked, this, &TForm5::BitBtn2Click);
    }
    BitBtn2 = ui::toolButton(gruppo, QStringLiteral("BitBtn2"), QStringLiteral("cerca"), QString(), "edit-find",
                             QStyle::SP_FileDialogContentsView);
    BitBtn3 = ui::toolButton(gruppo, QStringLiteral("BitBtn3"), QStringLiteral("reset"), QString(), "edit-clear",
                             QStyle::SP_DialogResetButton);
    tipi->addSpacing(24);
    tipi->addWidget(BitBtn2);
    tipi->addWidget(BitBtn3);
    tipi->addStretch(1);
    g->addLayout(tipi, 4, 0, 1, 4);
    connect(BitBtn2, &QToolButton::clicked, this, &TForm5::BitBtn2Click);
    connect(BitBtn3, &QToolButton::clicked, this, &TForm5::BitBtn3Click);

    auto *totali = new QHBoxLayout;
    auto totale = [&](const char *nome, const char *etichetta) {
        auto *l = new QLabel(QString::fromUtf8(etichetta), gruppo);
        auto *v = new QLabel(QStringLiteral("0"), gruppo);
        v->setObjectName(QString::fromLatin1(nome));
        v->setMinimumWidth(110);
        QFont f = v->font();
        f.setBold(true);
        v->setFont(f);
        totali->addWidget(l);
        totali->addWidget(v);
        totali->addSpacing(16);
        return v;
    };
    lblEntrate = totale("lblEntrate", "Totale Entrate");
    lblUscite = totale("lblUscite", "Totale Uscite");
    lblTotale = totale("lblTotale", "Totale");
    totali->addStretch(1);
    g->addLayout(totali, 5, 0, 1, 4);
    layoutPrincipale()->addWidget(gruppo);

    disconnect(spdAggiorna, nullptr, this, nullptr);
    connect(spdAggiorna, &QToolButton::clicked, this, &TForm5::spdRicaricaClick);
}

bool TForm5::eventFilter(QObject *watched, QEvent *e)
{
    const int i = m_caselle.indexOf(qobject_cast<QWidget *>(watched));
    if (i >= 0 && e->type() == QEvent::KeyPress) {
        auto *k = static_cast<QKeyEvent *>(e);
        switch (k->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            BitBtn2Click();
            return true;
        case Qt::Key_Down:
            if (watched == DBLookupComboBox4) break;
            m_caselle.value(i + 1, m_caselle.first())->setFocus();
            return true;
        case Qt::Key_Up:
            if (watched == DBLookupComboBox4) break;
            m_caselle.value(i - 1, m_caselle.last())->setFocus();
            return true;
        case Qt::Key_Escape:
            if (watched == maskDaData || watched == maskAData) {
                static_cast<QLineEdit *>(watched)->clear();
                txtOperazione->setFocus();
                return true;
            }
            break;
        case Qt::Key_Backspace:
        case Qt::Key_Delete:
            if (watched == DBLookupComboBox4) {
                DBLookupComboBox4->setCurrentIndex(-1);
                BitBtn2Click();
                return true;
            }
            break;
        default:
            break;
        }
    }
    if (i >= 0 && (e->type() == QEvent::FocusIn || e->type() == QEvent::FocusOut)) {
        auto *w = static_cast<QWidget *>(watched);
        w->setStyleSheet(e->type() == QEvent::FocusIn ? QStringLiteral("background-color: aqua;") : QString());
    }
    return forms::ListForm::eventFilter(watched, e);
}

void TForm5::BitBtn2Click()
{
    primanota::CriteriRicerca c;
    c.daData = maskDaData->text();
    c.aData = maskAData->text();
    c.tipologia = flagCassa->isChecked() ? 1 : flagBanca->isChecked() ? 2 : flagFuoriCassa->isChecked() ? 3 : 0;
    c.operazione = txtOperazione->text();
    c.note = txtNote->text();
    c.cliente = Edit1->text();
    c.fornitore = Edit2->text();
    c.modPagamento = Edit3->text();
    if (!DBLookupComboBox4->currentText().isEmpty()) c.banca = DBLookupComboBox4->currentData().toLongLong();
    const primanota::FiltroRicerca f = primanota::filtroRicerca(c);
    if (!f.valido()) {
        // The filter in force stays; nothing is filtered by a date that is not one.
        forms::avvisa(this, f.errore, forms::kAvviso);
        return;
    }
    dataset()->setFilter(f.filtro);
    TotalizzaClick();
}

void TForm5::riempiBanche()
{
    const qint64 scelta = DBLookupComboBox4->currentData().toLongLong();
    const QSignalBlocker quiet(DBLookupComboBox4);
    DBLookupComboBox4->clear();
    db::Query *banche = form_DB->Table5;
    if (!banche->isActive()) banche->open();
    const int id = banche->fieldIndex(QStringLiteral("ID"));
    const int iban = banche->fieldIndex(QStringLiteral("Iban"));
    for (int r = 0; r < banche->recordCount(); ++r)
        DBLookupComboBox4->addItem(banche->valueAt(r, iban).toString(), banche->valueAt(r, id));
    DBLookupComboBox4->setCurrentIndex(scelta > 0 ? DBLookupComboBox4->findData(scelta) : -1);
}

void TForm5::showEvent(QShowEvent *e)
{
    riempiBanche();
    forms::ListForm::showEvent(e);
}

void TForm5::BitBtn3Click()
{
    form_DB->Table2->setFilter(QString());
    dataset()->setFilter(QString());
    FlagTutti->setChecked(true);
    for (QLineEdit *e : {txtNote, Edit1, Edit2, Edit3, txtOperazione, maskDaData, maskAData}) e->clear();
    DBLookupComboBox4->setCurrentIndex(-1);
    TotalizzaClick();
}

void TForm5::impostaElenco(const QString &sql)
{
    db::Query *q = dataset();
    q->setFilter(QString());
    q->close();
    q->setSql(sql);
    q->open();
}

void TForm5::TotalizzaClick()
{
    db::Query *q = dataset();
    if (!q->isActive()) return;
    const primanota::Totali t = primanota::totaliElenco(*q);
    lblEntrate->setText(primanota::testoNumero(t.entrate));
    lblUscite->setText(primanota::testoNumero(t.uscite));
    lblTotale->setText(primanota::testoNumero(t.saldo));
}

void TForm5::ricarica(qint64 id)
{
    db::Query *q = dataset();
    q->requery();
    TotalizzaClick();
    if (id > 0) q->locate(kId, id);
}

void TForm5::spdRicaricaClick()
{
    db::Query *q = dataset();
    ricarica(q->isEmpty() ? 0 : q->fieldByName(kId).asLargeInt());
}

void TForm5::apri(qint64 id, bool nuovo)
{
    db::Query *t2 = form_DB->Table2;
    t2->setFilter(QString());
    t2->close();
    t2->setSql(sqlRiga(id));
    t2->open();
    const bool legata = primanota::legataADocumento(form_DB->Connessione, t2->fieldByName(QStringLiteral("Fattura_ID")).value());
    if (CassaDettaglio) {
        CassaDettaglio->abilitaCampiDocumento(!legata);
        if (nuovo) CassaDettaglio->DatiModificati = true;
        CassaDettaglio->mostra(nuovo);
    }
    ricarica(id);
}

void TForm5::spdAvantiClick()
{
    db::Query *q = dataset();
    if (q->recordCount() < 1) return;
    apri(q->fieldByName(kId).asLargeInt(), false);
}

void TForm5::spdInserisciClick()
{
    db::Query *t2 = form_DB->Table2;
    t2->setFilter(QString());
    t2->close();
    t2->setSql(QStringLiteral("select * from finanzia where ID = 0"));
    t2->open();
    t2->append();
    t2->fieldByName(QStringLiteral("Tipo")).setAsString(QStringLiteral("A"));
    t2->fieldByName(QStringLiteral("Data")).setValue(QDateTime(core::Clock::instance().today(), QTime(0, 0)));
    t2->fieldByName(QStringLiteral("Storico")).setAsBoolean(false);
    try {
        common::ImpostaValoriPredefiniti(QStringLiteral("finanzia"), *t2, *form_DB->TablePersonalizzazioni);
    } catch (const std::exception &e) {
        forms::avvisa(this, QString::fromStdString(e.what()), QStringLiteral("Messaggio di errore"));
    }
    if (!t2->post()) {
        forms::avvisa(this, t2->lastError(), QStringLiteral("Messaggio di errore"));
        t2->cancel();
        return;
    }
    const qint64 id = form_DB->Connessione.lastInsertId();
    // The editor opens on the new row even when the list's filter hides it.
    apri(id, true);
}

void TForm5::spdEliminaClick()
{
    db::Query *q = dataset();
    if (q->recordCount() < 1) return;
    if (!forms::chiedi(this, QStringLiteral("Sei sicuro di voler eliminare l'operazione?"))) return;
    const qint64 id = q->fieldByName(kId).asLargeInt();
    if (primanota::legataADocumento(form_DB->Connessione, q->fieldByName(QStringLiteral("Fattura_ID")).value())) {
        forms::avvisa(this, primanota::messaggioLegataAFattura(), QStringLiteral("Messaggio di errore"));
        return;
    }
    // The list stays on the row above; after the first row, on the new first row.
    const int riga = q->currentIndex();
    const qint64 dopo = riga > 0 ? q->valueAt(riga - 1, q->fieldIndex(kId)).toLongLong() : 0;
    try {
        form_DB->Connessione.execute(QStringLiteral("delete from finanzia where ID = :id"), {{QStringLiteral(":id"), id}});
    } catch (const db::DbError &e) {
        forms::avvisa(this, e.message(), QStringLiteral("Messaggio di errore"));
        return;
    }
    q->requery();
    TotalizzaClick();
    if (dopo > 0) q->locate(kId, dopo);
    else q->first();
}

namespace {
// Created once at start-up, in the program's order.
const bool registrati = forms::registra(CassaDettaglio, "CassaDettaglio")
                        && forms::registra(Form5, "Form5", {.dettaglio = QStringLiteral("CassaDettaglio"), .griglie = {{QStringLiteral("Form5_DBGrid1")}}});
} // namespace
