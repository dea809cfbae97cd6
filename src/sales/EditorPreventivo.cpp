#include "EditorPreventivo.h"

#include "common/RecordHelpers.h"
#include "data/DB.h"
#include "db/DateTimeText.h"
#include "db/DbError.h"
#include "db/Query.h"
#include "forms/Family.h"
#include "forms/ListForm.h"
#include "forms/Impaginazione.h"
#include "forms/Registro.h"
#include "masterdata/DettaglioAnagrafica.h"
#include "widgets/DBCheckBox.h"
#include "widgets/DBEdit.h"
#include "widgets/DBLookupComboBox.h"
#include "widgets/EditingHelper.h"
#include "widgets/ToolButton.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <functional>

namespace {

using forms::creata;
using forms::rigaAccanto;

const QString kAvvisoRighe = QStringLiteral("Messaggio di Avviso!!");

forms::EditorDocumento::Tipo tipoPreventivo()
{
    forms::EditorDocumento::Tipo t;
    t.dettaglio.nome = QStringLiteral("frmPreventivi");
    t.dettaglio.titolo = QStringLiteral("Preventivi");
    t.dettaglio.helpContext = 4700;
    t.dettaglio.dataset = form_DB->Table16;
    t.dettaglio.source = form_DB->Source16;
    t.dettaglio.conAiuto = true;
    t.dettaglio.captionSalva = QStringLiteral("salva");
    t.dettaglio.annulla = forms::DetailForm::Annulla::TramiteLista;
    t.righe.griglia = QStringLiteral("DBGrid1");
    t.righe.dataset = form_DB->Table11;
    t.righe.source = form_DB->Source11;
    t.righe.sql = [](qint64 id) {
        return QStringLiteral("select * from PreventiRighe where Prev_ID = %1 order by NumeroRiga").arg(id);
    };
    return t;
}

// Shows a form modally: a detail on its current row, without "Annulla".
void mostraModale(QWidget *w)
{
    if (auto *d = qobject_cast<forms::DetailForm *>(w)) d->mostra(false);
    else if (auto *dialogo = qobject_cast<QDialog *>(w)) dialogo->exec();
}

QToolButton *piccolo(QWidget *parent, const QString &nome, const QString &suggerimento, const char *icona,
                     QStyle::StandardPixmap riserva)
{
    QToolButton *b = ui::toolButton(parent, nome, QString(), suggerimento, icona, riserva);
    forms::piccolo(b);
    return b;
}

// Whole-number boxes (number, days) take no sign; amounts may be negative.
void soloNumeri(QLineEdit *e, bool decimali) { forms::soloNumeri(e, decimali, decimali); }

// Runs a function on the events of the objects it is installed on, before they get them.
class Osservatore : public QObject {
public:
    Osservatore(QObject *parent, std::function<void(QObject *, QEvent *)> f) : QObject(parent), m_f(std::move(f)) {}

protected:
    bool eventFilter(QObject *watched, QEvent *e) override
    {
        m_f(watched, e);
        return false;
    }

private:
    std::function<void(QObject *, QEvent *)> m_f;
};

} // namespace

TfrmPreventivi::TfrmPreventivi(QWidget *parent) : forms::EditorDocumento(tipoPreventivo(), parent)
{
    creaBarra();
    creaTestata();
    aggiungiPagina(QStringLiteral("TabSheet2"), QStringLiteral("   Righe   "));
    creaPaginaRighe();
    completa();
    eccezioniEditing();
    // Every change of page, the rows page's own checks (the header is not saved by it).
    connect(PageControl1, &QTabWidget::currentChanged, this, &TfrmPreventivi::PageControl1Change);
    installEventFilter(new Osservatore(this, [this](QObject *, QEvent *e) {
        if (e->type() == QEvent::Show) abilitaPulsanti();
    }));
    setMinimumSize(900, 600);
    resize(1073, 686);
}

void TfrmPreventivi::creaBarra()
{
    spdSalva->setToolTip(QStringLiteral("Sava le modifiche effettuate"));
    SpeedButton3 = ui::toolButton(this, QStringLiteral("SpeedButton3"), QStringLiteral("Stampa"),
                                  QStringLiteral("Visualizza l'anteprima di Stampa del Documento"), "document-print",
                                  QStyle::SP_FileIcon);
    QAction *indietro = nullptr;
    for (QAction *a : ToolBar2->actions())
        if (ToolBar2->widgetForAction(a) == spdIndietro) indietro = a;
    ToolBar2->insertWidget(indietro, SpeedButton3);
    connect(SpeedButton3, &QToolButton::clicked, this, &TfrmPreventivi::SpeedButton3Click);
    // The quote's own "Annulla": the list deletes the quote with its rows and seizure links.
    disconnect(spdAnnulla, nullptr, this, nullptr);
    connect(spdAnnulla, &QToolButton::clicked, this, &TfrmPreventivi::spdAnnullaClick);
}

void TfrmPreventivi::creaTestata()
{
    QWidget *pagina = aggiungiPagina(QStringLiteral("TabSheet1"), QStringLiteral("   Testata   "));
    // Above the number, caption on the left.
    DBCheckBox1 = aggiungiCheck(QStringLiteral("DBCheckBox1"), QStringLiteral("Fatturato"), QStringLiteral("Fatturato"));
    DBCheckBox1->setLayoutDirection(Qt::RightToLeft);
    DBCheckBox1->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    DBEdit2 = aggiungiEdit(QStringLiteral("DBEdit2"), QStringLiteral("N° Preventivo"), QStringLiteral("Numero"));
    DBEdit3 = aggiungiEdit(QStringLiteral("DBEdit3"), QStringLiteral("Data"), QStringLiteral("Data"));
    const auto cliente = aggiungiLookup(QStringLiteral("DBLookupComboBox2"), QStringLiteral("Cliente"), QStringLiteral("Cliente_ID"),
                                        form_DB->Source7, QStringLiteral("Id"), QStringLiteral("NominativoVisualizzato"),
                                        {QStringLiteral("frmClienti"),
                                         {QStringLiteral("SpeedButton8"), QStringLiteral("Apri il cliente")},
                                         {QStringLiteral("SpeedButton9"), QStringLiteral("Aggiungi un cliente")}});
    DBLookupComboBox2 = cliente.lookup;
    SpeedButton8 = cliente.modifica;
    SpeedButton9 = cliente.aggiungi;
    SpeedButton7 = ui::toolButton(cliente.lookup->parentWidget(), QStringLiteral("SpeedButton7"), QString(),
                                  QStringLiteral("Cerca il cliente nell'elenco"), "edit-find", QStyle::SP_FileDialogContentsView);
    {
        // New, open, choose from the list: in that order beside the lookup.
        auto *h = qobject_cast<QHBoxLayout *>(cliente.lookup->parentWidget()->layout());
        h->removeWidget(SpeedButton9);
        h->insertWidget(1, SpeedButton9);
        h->addWidget(SpeedButton7);
    }
    DBLookupComboBox8 = aggiungiLookup(QStringLiteral("DBLookupComboBox8"), QStringLiteral("Tipo Fatturazione"),
                                       QStringLiteral("TipoFatturazione_Id"), form_DB->SourceTipoFatturazione, QStringLiteral("Id"),
                                       QStringLiteral("Descrizione"));
    DBLookupComboBox3 = aggiungiLookup(QStringLiteral("DBLookupComboBox3"), QStringLiteral("Tariffa"), QStringLiteral("TipoTariffa_Id"),
                                       form_DB->SourceTipoTariffe, QStringLiteral("Id"), QStringLiteral("Descrizione"));
    const int primaDestra = qobject_cast<QFormLayout *>(pagina->layout())->rowCount();

    DBEdit7 = aggiungiEdit(QStringLiteral("DBEdit7"), QStringLiteral("Targa"), QStringLiteral("Targa1"));
    btnSequestri = piccolo(this, QStringLiteral("btnSequestri"), QStringLiteral("Prendi targa e date da un sequestro"),
                           "system-search", QStyle::SP_FileDialogContentsView);
    btnSequestri->setFocusPolicy(Qt::TabFocus);
    rigaAccanto(pagina, DBEdit7)->addWidget(btnSequestri);
    DBEdit8 = aggiungiEdit(QStringLiteral("DBEdit8"), QStringLiteral("Data ingresso"), QStringLiteral("DataIngressoVeicolo"));
    DBEdit9 = aggiungiEdit(QStringLiteral("DBEdit9"), QStringLiteral("Data uscita"), QStringLiteral("DataUscitaVeicolo"));
    DBEdit10 = aggiungiEdit(QStringLiteral("DBEdit10"), QStringLiteral("GG"), QStringLiteral("Giorni"));
    Button1 = new QPushButton(QStringLiteral("Calcola"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setAutoDefault(false);
    rigaAccanto(pagina, DBEdit10)->addWidget(Button1);
    DBEdit11 = aggiungiEdit(QStringLiteral("DBEdit11"), QStringLiteral("Procedura Penale"), QStringLiteral("ProcPen"));
    DBEdit12 = aggiungiEdit(QStringLiteral("DBEdit12"), QStringLiteral("Gip"), QStringLiteral("Gip"));
    DBLookupComboBox1 = aggiungiLookup(QStringLiteral("DBLookupComboBox1"), QStringLiteral("Personale"), QStringLiteral("Personale_ID"),
                                       form_DB->SourcePersonale, QStringLiteral("Id"), QStringLiteral("Personale"));
    SpeedButton5 = piccolo(this, QStringLiteral("SpeedButton5"), QStringLiteral("Aggiungi un dipendente"), "list-add",
                           QStyle::SP_FileDialogNewFolder);
    SpeedButton1 = piccolo(this, QStringLiteral("SpeedButton1"), QStringLiteral("Apri il dipendente"), "document-edit",
                           QStyle::SP_FileDialogDetailedView);
    {
        QHBoxLayout *h = rigaAccanto(pagina, DBLookupComboBox1);
        h->addWidget(SpeedButton5);
        h->addWidget(SpeedButton1);
    }
    DBEdit5 = aggiungiEdit(QStringLiteral("DBEdit5"), QStringLiteral("Totale Imponibile"), QStringLiteral("TotImponibile"));
    DBEdit4 = aggiungiEdit(QStringLiteral("DBEdit4"), QStringLiteral("Totale Imposta"), QStringLiteral("TotImposta"));
    DBEdit1 = aggiungiEdit(QStringLiteral("DBEdit1"), QStringLiteral("Totale Preventivo"), QStringLiteral("TotalePreventivo"));
    DBEdit6 = aggiungiEdit(QStringLiteral("DBEdit6"), QStringLiteral("Note"), QStringLiteral("Note"));
    masterdata::dueColonne(pagina, primaDestra);
    // After "Note": the seizure button, "Fatturato", "Calcola".
    setTabOrder(DBEdit6, btnSequestri);
    setTabOrder(btnSequestri, DBCheckBox1);
    setTabOrder(DBCheckBox1, Button1);

    for (QToolButton *b : {SpeedButton7, SpeedButton8, SpeedButton9}) {
        b->setToolButtonStyle(Qt::ToolButtonIconOnly);
        b->setIconSize(QSize(16, 16));
        b->setAutoRaise(true);
    }
    soloNumeri(DBEdit2, false);
    soloNumeri(DBEdit10, false);
    for (QLineEdit *e : {static_cast<QLineEdit *>(DBEdit5), static_cast<QLineEdit *>(DBEdit4), static_cast<QLineEdit *>(DBEdit1)})
        soloNumeri(e, true);

    // Checked in this order when the quote is saved.
    richiesto(DBEdit3, QStringLiteral("Attenzione manca la data"));
    richiesto(DBEdit2, QStringLiteral("Attenzione manca il numero di preventivo"));
    richiesto(DBLookupComboBox2, QStringLiteral("Attenzione manca il cliente del preventivo"));

    connect(DBLookupComboBox2, &ui::DBLookupComboBox::picked, this, &TfrmPreventivi::DBLookupComboBox2Click);
    connect(DBLookupComboBox2, &ui::DBLookupComboBox::cleared, this, &TfrmPreventivi::DBLookupComboBox2KeyDown);
    for (ui::DBLookupComboBox *l : {DBLookupComboBox1, DBLookupComboBox8, DBLookupComboBox3}) {
        connect(l, &ui::DBLookupComboBox::picked, this, [this] { DatiModificati = true; });
        connect(l, &ui::DBLookupComboBox::cleared, this, [this] { DatiModificati = true; });
    }
    // The family's buttons beside the lookup open the customer and add one; these are the
    // handlers other forms call by name.
    disconnect(SpeedButton8, nullptr, this, nullptr);
    disconnect(SpeedButton9, nullptr, this, nullptr);
    connect(SpeedButton8, &QToolButton::clicked, this, &TfrmPreventivi::SpeedButton8Click);
    connect(SpeedButton9, &QToolButton::clicked, this, &TfrmPreventivi::SpeedButton9Click);
    connect(SpeedButton7, &QToolButton::clicked, this, &TfrmPreventivi::SpeedButton7Click);
    connect(SpeedButton1, &QToolButton::clicked, this, &TfrmPreventivi::SpeedButton1Click);
    connect(SpeedButton5, &QToolButton::clicked, this, &TfrmPreventivi::SpeedButton5Click);
    connect(btnSequestri, &QToolButton::clicked, this, &TfrmPreventivi::btnSequestriClick);
    connect(Button1, &QPushButton::clicked, this, &TfrmPreventivi::Button1Click);
}

void TfrmPreventivi::eccezioniEditing()
{
    // "Fatturato" changes its column without marking the quote modified.
    QObject::disconnect(DBCheckBox1, nullptr, m_editing, nullptr);
    for (QWidget *w : {DBEdit5, DBEdit4, DBEdit1}) m_editing->markAmountField(w);
    // The billing and tariff types keep the keys' own meaning (no Enter/Down/Up navigation):
    // they are painted and mark the quote modified here instead.
    auto *tipi = new Osservatore(this, [this](QObject *watched, QEvent *e) {
        auto *w = static_cast<QWidget *>(watched);
        if (e->type() == QEvent::FocusIn || e->type() == QEvent::FocusOut) {
            const Qt::FocusReason r = static_cast<QFocusEvent *>(e)->reason();
            if (e->type() == QEvent::FocusOut && (r == Qt::ActiveWindowFocusReason || r == Qt::PopupFocusReason)) return;
            QPalette p = w->palette();
            const QColor c = e->type() == QEvent::FocusIn ? QColor(0, 255, 255) : QColor(Qt::white);
            p.setColor(QPalette::Base, c);
            p.setColor(QPalette::Button, c);
            w->setPalette(p);
        } else if (e->type() == QEvent::KeyPress) {
            const auto *k = static_cast<QKeyEvent *>(e);
            if (k->key() != Qt::Key_Tab && k->key() != Qt::Key_Backtab
                && (!k->text().isEmpty() || k->key() == Qt::Key_Backspace || k->key() == Qt::Key_Delete))
                DatiModificati = true;
        }
    });
    for (QWidget *w : {static_cast<QWidget *>(DBLookupComboBox8), static_cast<QWidget *>(DBLookupComboBox3)}) {
        w->removeEventFilter(m_editing);
        w->installEventFilter(tipi);
    }
}

void TfrmPreventivi::abilitaPulsanti()
{
    // Buttons that reach forms not in this program yet stay off.
    for (QToolButton *b : {SpeedButton7, SpeedButton8, SpeedButton9}) b->setEnabled(creata("frmClienti"));
    SpeedButton5->setEnabled(creata("frmGrigliaPersonale"));
    SpeedButton1->setEnabled(creata("frmPersonaleDettaglio"));
    btnSequestri->setEnabled(creata("frmGrigliaSequestri"));
}

void TfrmPreventivi::DBLookupComboBox2Click()
{
    db::Query *q = dataset();
    db::Query *clienti = form_DB->Table7;
    if (q->isEmpty() || clienti->isEmpty() || clienti->fieldByName(QStringLiteral("Id")).isNull()) return;
    if (!q->isEditing()) q->edit();
    q->fieldByName(QStringLiteral("Cliente_ID")).setValue(clienti->fieldByName(QStringLiteral("Id")).value());
    q->fieldByName(QStringLiteral("Cliente")).setAsString(clienti->fieldByName(QStringLiteral("NominativoDocumenti")).asString());
    DatiModificati = true;
}

void TfrmPreventivi::DBLookupComboBox2KeyDown()
{
    db::Query *q = dataset();
    if (q->isEmpty()) return;
    if (!q->isEditing()) q->edit();
    q->fieldByName(QStringLiteral("Cliente_ID")).clear();
    q->fieldByName(QStringLiteral("Cliente")).clear();
    DatiModificati = true;
}

void TfrmPreventivi::SpeedButton7Click()
{
    auto *lista = qobject_cast<forms::ListForm *>(creata("frmClienti"));
    if (!lista || dataset()->isEmpty()) return;
    // Withdrawn customers hidden; the pick clears the list's flags before and after.
    const std::optional<qint64> scelto = lista->scegli(QStringLiteral("Annullato = 0"), QStringLiteral("Id"));
    // The quote's customer text is the one its documents print, however the customer is chosen.
    if (scelto && form_DB->Table7->locate(QStringLiteral("Id"), *scelto)) DBLookupComboBox2Click();
}

void TfrmPreventivi::SpeedButton8Click() { modificaDaLookup(DBLookupComboBox2); }

void TfrmPreventivi::SpeedButton9Click() { aggiungiDaLookup(DBLookupComboBox2); }

void TfrmPreventivi::SpeedButton1Click()
{
    QWidget *dettaglio = creata("frmPersonaleDettaglio");
    if (!dettaglio || dataset()->isEmpty()) return;
    const qint64 id = dataset()->fieldByName(QStringLiteral("Personale_ID")).asLargeInt();
    if (id < 1 || !form_DB->TablePersonale->locate(QStringLiteral("Id"), id)) return;
    mostraModale(dettaglio);
}

void TfrmPreventivi::SpeedButton5Click()
{
    QWidget *lista = creata("frmGrigliaPersonale");
    if (auto *l = qobject_cast<forms::ListForm *>(lista)) l->spdInserisciClick();
    else if (lista) QMetaObject::invokeMethod(lista, "spdInserisciClick");
}

void TfrmPreventivi::btnSequestriClick()
{
    auto *lista = qobject_cast<forms::ListForm *>(creata("frmGrigliaSequestri"));
    if (!lista) return;
    lista->SceltaEffettuata = false;
    lista->ModalitaScelta = true;
    lista->exec();
    const bool scelto = lista->SceltaEffettuata;
    // A later showing starts without this choice.
    lista->ModalitaScelta = false;
    lista->SceltaEffettuata = false;
    db::Query *sequestro = form_DB->TableSequestri;
    db::Query *q = dataset();
    if (!scelto || sequestro->isEmpty() || q->isEmpty()) return;
    if (!q->isEditing()) q->edit();
    // Only the values are copied: the link of a seizure to its quote is made elsewhere.
    q->fieldByName(QStringLiteral("Targa1")).setValue(sequestro->fieldByName(QStringLiteral("AutoTarga")).value());
    q->fieldByName(QStringLiteral("DataIngressoVeicolo")).setValue(sequestro->fieldByName(QStringLiteral("Data")).value());
    q->fieldByName(QStringLiteral("DataUscitaVeicolo")).setValue(sequestro->fieldByName(QStringLiteral("DataDissequestro")).value());
    DatiModificati = true;
}

void TfrmPreventivi::Button1Click()
{
    db::Query *q = dataset();
    if (q->isEmpty()) return;
    // A typed date that is no date is said, and nothing is computed from it.
    if (!dateValide()) return;
    // What is still being typed belongs to the row.
    Q_EMIT q->updateRecord();
    const QDateTime ingresso = q->fieldByName(QStringLiteral("DataIngressoVeicolo")).asDateTime();
    const QDateTime uscita = q->fieldByName(QStringLiteral("DataUscitaVeicolo")).asDateTime();
    if (!ingresso.isValid() || !uscita.isValid()) return;
    if (!q->isEditing()) q->edit();
    q->fieldByName(QStringLiteral("Giorni")).setAsInteger(qAbs(ingresso.date().daysTo(uscita.date())) + 1);
    DatiModificati = true;
}

bool TfrmPreventivi::dateValide()
{
    for (ui::DBEdit *e : {DBEdit3, DBEdit8, DBEdit9}) {
        const QString testo = e->text().trimmed();
        bool ok = true;
        if (!testo.isEmpty()) db::toCanonicalValue(testo, &ok);
        if (ok) continue;
        forms::avvisa(this, QStringLiteral("Attenzione data non valida: %1").arg(testo), config().captionErrore);
        {
            const QSignalBlocker quiet(PageControl1);
            PageControl1->setCurrentIndex(0);
        }
        e->setFocus();
        return false;
    }
    return true;
}

bool TfrmPreventivi::controllaSalvataggio() { return dateValide(); }

void TfrmPreventivi::SpeedButton3Click()
{
    db::Query *q = dataset();
    if (q->isEmpty()) return;
    // What is printed is what the quote shows; the checks run when the editor is left. A date
    // typed wrong is said first: the print would show the stored one.
    if (DatiModificati && (!dateValide() || !common::SalvaRecord(*q, QStringLiteral("Id")))) return;
    CodiceStampa = 5;
    form_DB->Button2Click();
}

void TfrmPreventivi::spdAnnullaClick()
{
    if (!forms::chiedi(this, QStringLiteral("Sei sicuro di voler annullare l'inserimento ?"))) return;
    DatiModificati = false;
    db::Query *q = dataset();
    // What was typed into the new quote goes with it: nothing of it is posted first.
    if (q->isEditing()) q->cancel();
    if (auto *lista = qobject_cast<forms::ListForm *>(creata("frmGrigliaPreventivi"))) {
        EliminaSenzaConferma = true;
        lista->spdEliminaClick();
        EliminaSenzaConferma = false;
    } else {
        // Without the quote list (a program still being built) the stored header goes alone.
        common::EliminaRecord(*q, QStringLiteral("ID"));
    }
    DatiModificati = false;
    SalvataggioFallito = false;
    spdIndietroClick();
}

void TfrmPreventivi::PageControl1Change()
{
    QWidget *righe = PageControl1->count() > 1 ? PageControl1->widget(1) : nullptr;
    QWidget *gruppo = righe ? righe->findChild<QWidget *>(QStringLiteral("GroupBox1")) : nullptr;
    if (gruppo) gruppo->setVisible(true);
    if (PageControl1->currentIndex() != 1) return;
    db::Query *q = dataset();
    QString messaggio;
    if (q->isEmpty() || q->fieldByName(QStringLiteral("ID")).isNull())
        messaggio = QStringLiteral("Attenzione: Prima di inserire le righe è necessario salvare la Testata!!!");
    else if (q->fieldByName(QStringLiteral("Cliente_ID")).asFloat() <= 0)
        messaggio = QStringLiteral("Attenzione: Prima di inserire le righe è necessario salvare il Cliente!!!");
    else if (DBEdit2->text().isEmpty())
        messaggio = QStringLiteral("Attenzione: Prima di inserire le righe è necessario salvare il numero di Preventivo!!!");
    if (messaggio.isEmpty()) return;
    forms::avvisa(this, messaggio, kAvvisoRighe);
    // The page shows nothing to work with.
    if (gruppo) gruppo->setVisible(false);
}

namespace {
// Created once at start-up, in the program's order.
const bool registrato = forms::registra(frmPreventivi, "frmPreventivi");
} // namespace
