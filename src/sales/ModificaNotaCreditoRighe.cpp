#include "ModificaNotaCreditoRighe.h"

#include "EditorNotaCredito.h"
#include "common/LineArithmetic.h"
#include "common/RecordHelpers.h"
#include "data/DB.h"
#include "db/DbError.h"
#include "db/Query.h"
#include "forms/Family.h"
#include "forms/ListForm.h"
#include "forms/Registro.h"
#include "sales/services/RigheFattura.h"
#include "widgets/DBEdit.h"
#include "widgets/ToolButton.h"
#include "widgets/DBLookupComboBox.h"
#include "widgets/DBMemo.h"
#include "widgets/EditingHelper.h"
#include "widgets/FieldLink.h"

#include <QFocusEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLayout>
#include <QPushButton>
#include <QStatusBar>
#include <QToolButton>

namespace {

const QString kIdx = QStringLiteral("IDX");

QWidget *creata(const char *nome)
{
    const forms::VoceForm *v = forms::Registro::istanza().voce(QLatin1String(nome));
    return v && v->corrente ? v->corrente() : nullptr;
}

// The focus left a field because the user moved on (not to a message box or a pop-up).
bool uscitaUtente(QEvent *e)
{
    if (e->type() != QEvent::FocusOut) return false;
    const Qt::FocusReason r = static_cast<QFocusEvent *>(e)->reason();
    return r != Qt::ActiveWindowFocusReason && r != Qt::PopupFocusReason;
}

} // namespace

TfrmModificaNotaCreditoRighe::TfrmModificaNotaCreditoRighe(QWidget *parent)
    : forms::DetailForm(
          [] {
              Config c;
              c.nome = QStringLiteral("frmModificaNotaCreditoRighe");
              c.titolo = QStringLiteral("Modifica Nota di Credito");
              c.helpContext = 5900;
              c.dataset = form_DB->TableNCRighe;
              c.source = form_DB->SourceNCRighe;
              c.captionErrore = forms::kAvviso;
              c.conAiuto = true;
              return c;
          }(),
          parent)
{
    setWindowFlags(windowFlags() & ~(Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint | Qt::WindowContextHelpButtonHint));
    if (spdHelp) spdHelp->setToolTip(QStringLiteral("Guida in linea del programma"));

    DBEdit1 = aggiungiEdit(QStringLiteral("DBEdit1"), QStringLiteral("Codice"), QStringLiteral("Codice"));
    DBEdit3 = aggiungiEdit(QStringLiteral("DBEdit3"), QStringLiteral("Numero di riga"), QStringLiteral("NumeroRiga"));
    DBMemo1 = new ui::DBMemo(this);
    DBMemo1->setObjectName(QStringLiteral("DBMemo1"));
    DBMemo1->setDataSource(form_DB->SourceNCRighe);
    DBMemo1->setDataField(QStringLiteral("Descrizione"));
    DBMemo1->setTabChangesFocus(true);
    DBMemo1->setFixedHeight(80);
    aggiungiRiga(QStringLiteral("Descrizione"), DBMemo1);
    DBEdit4 = aggiungiEdit(QStringLiteral("DBEdit4"), QStringLiteral("Quantità"), QStringLiteral("Um"));
    DBLookupComboBox2 = aggiungiLookup(QStringLiteral("DBLookupComboBox2"), QStringLiteral("Unità di misura"),
                                       QStringLiteral("Um_ID"), form_DB->SourceUnitaMisura, QStringLiteral("Id"),
                                       QStringLiteral("Descrizione"));
    DBEdit6 = aggiungiEdit(QStringLiteral("DBEdit6"), QStringLiteral("Valore Unitario"), QStringLiteral("ValoreUnitario"));
    DBEdit7 = aggiungiEdit(QStringLiteral("DBEdit7"), QStringLiteral("Sconto"), QStringLiteral("Sconto"));
    DBLookupComboBox1 = aggiungiLookup(QStringLiteral("DBLookupComboBox1"), QStringLiteral("Aliquota Iva"),
                                       QStringLiteral("Iva_Id"), form_DB->SourceIva, QStringLiteral("Id"),
                                       QStringLiteral("Descrizione"));
    auto *totale = new QWidget(this);
    auto *ht = new QHBoxLayout(totale);
    ht->setContentsMargins(0, 0, 0, 0);
    DBEdit8 = new ui::DBEdit(totale);
    DBEdit8->setObjectName(QStringLiteral("DBEdit8"));
    DBEdit8->setDataSource(form_DB->SourceNCRighe);
    DBEdit8->setDataField(QStringLiteral("ValoreTotale"));
    BitBtn1 = new QPushButton(QStringLiteral("="), totale);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setToolTip(QStringLiteral("Calcola il Valore Unitario"));
    BitBtn1->setFocusPolicy(Qt::NoFocus);
    ht->addWidget(DBEdit8, 1);
    ht->addWidget(BitBtn1);
    aggiungiRiga(QStringLiteral("Valore Totale"), totale);

    const LookupConPulsanti autista = aggiungiLookup(
        QStringLiteral("DBLookupComboBox3"), QStringLiteral("Trasportatore"), QStringLiteral("Personale_ID"),
        form_DB->SourcePersonale, QStringLiteral("Id"), QStringLiteral("Personale"),
        {QStringLiteral("frmGrigliaPersonale"), {QStringLiteral("SpeedButton4"), QStringLiteral("Apri il trasportatore")},
         {QStringLiteral("SpeedButton3"), QStringLiteral("Aggiungi un trasportatore")}});
    DBLookupComboBox3 = autista.lookup;
    SpeedButton4 = autista.modifica;
    SpeedButton3 = autista.aggiungi;
    const LookupConPulsanti mezzo = aggiungiLookup(
        QStringLiteral("DBLookupComboBox4"), QStringLiteral("Mezzo"), QStringLiteral("Targa1"), form_DB->SourceVetture,
        QStringLiteral("Targa"), QStringLiteral("Targa"),
        {QStringLiteral("frmVetture"), {QStringLiteral("SpeedButton5"), QStringLiteral("Apri il mezzo")},
         {QStringLiteral("SpeedButton6"), QStringLiteral("Aggiungi un mezzo")}});
    DBLookupComboBox4 = mezzo.lookup;
    SpeedButton5 = mezzo.modifica;
    SpeedButton6 = mezzo.aggiungi;
    const LookupConPulsanti conto = aggiungiLookup(
        QStringLiteral("DBLookupComboBox5"), QStringLiteral("Contabilità conto"), QStringLiteral("ContabilitaConti_ID"),
        form_DB->SourceContabilitaCercaConti, QStringLiteral("Id"), QStringLiteral("Conto"),
        {QStringLiteral("frmGrigliaContabilitaConti"), {QStringLiteral("SpeedButton14"), QStringLiteral("Cerca il tipo di Conto")}, {}});
    DBLookupComboBox5 = conto.lookup;
    SpeedButton14 = conto.modifica;
    SpeedButton14->setIcon(ui::iconaTema(QStringLiteral("edit-find"), QStyle::SP_FileDialogContentsView, this));
    conto.aggiungi->hide();
    // The account is picked from the accounts' list, not opened.
    disconnect(SpeedButton14, nullptr, this, nullptr);
    connect(SpeedButton14, &QToolButton::clicked, this, &TfrmModificaNotaCreditoRighe::SpeedButton14Click);

    DBEdit9 = aggiungiEdit(QStringLiteral("DBEdit9"), QStringLiteral("Data Inizio"), QStringLiteral("DataInizioPeriodo"));
    DBEdit10 = aggiungiEdit(QStringLiteral("DBEdit10"), QStringLiteral("Data Fine"), QStringLiteral("DataFinePeriodo"));
    DBEdit11 = aggiungiEdit(QStringLiteral("DBEdit11"), QStringLiteral("Rif. Amministraz."),
                            QStringLiteral("RiferimentoAmministrazione"));
    DBEdit12 = aggiungiEdit(QStringLiteral("DBEdit12"), QStringLiteral("Note"), QStringLiteral("Note"));

    Calcolo = new QPushButton(QStringLiteral("calcolo_prezzoIvato"), this);
    Calcolo->setObjectName(QStringLiteral("Calcolo"));
    Calcolo->hide();
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    layout()->addWidget(StatusBar1);

    for (ui::DBLookupComboBox *l : {DBLookupComboBox1, DBLookupComboBox2, DBLookupComboBox3, DBLookupComboBox4, DBLookupComboBox5}) {
        l->setClearable(true);
        connect(l, &ui::DBLookupComboBox::picked, this, [this] { DatiModificati = true; });
        connect(l, &ui::DBLookupComboBox::cleared, this, [this] { DatiModificati = true; });
    }
    connect(DBLookupComboBox1, &ui::DBLookupComboBox::picked, this, &TfrmModificaNotaCreditoRighe::DBLookupComboBox1Click);
    connect(DBLookupComboBox1, &ui::DBLookupComboBox::cleared, this, [this] {
        db::Query *q = dataset();
        if (!q->isEditing()) q->edit();
        q->fieldByName(QStringLiteral("AliquotaIva")).clear();
    });
    for (QWidget *w : {static_cast<QWidget *>(DBEdit4), static_cast<QWidget *>(DBEdit6), static_cast<QWidget *>(DBEdit7),
                       static_cast<QWidget *>(DBLookupComboBox1)})
        w->installEventFilter(this);
    connect(BitBtn1, &QPushButton::clicked, this, &TfrmModificaNotaCreditoRighe::BitBtn1Click);
    connect(Calcolo, &QPushButton::clicked, this, &TfrmModificaNotaCreditoRighe::CalcoloClick);
    disconnect(spdAnnulla, nullptr, this, nullptr);
    connect(spdAnnulla, &QToolButton::clicked, this, &TfrmModificaNotaCreditoRighe::spdAnnullaClick);
    completa();
}

void TfrmModificaNotaCreditoRighe::showEvent(QShowEvent *e)
{
    for (QToolButton *b : {SpeedButton3, SpeedButton4}) b->setEnabled(creata("frmGrigliaPersonale"));
    for (QToolButton *b : {SpeedButton5, SpeedButton6}) b->setEnabled(creata("frmVetture"));
    SpeedButton14->setEnabled(creata("frmGrigliaContabilitaConti"));
    // The description is edited whole, not as the grid shows it.
    db::Query *q = dataset();
    m_descrizioneBreve = q->hasDisplayHook(q->fieldIndex(QStringLiteral("Descrizione")));
    if (m_descrizioneBreve) q->setDisplayHook(QStringLiteral("Descrizione"), {});
    forms::DetailForm::showEvent(e);
    for (ui::DBEdit *importo : {DBEdit4, DBEdit6, DBEdit7, DBEdit8}) m_editing->markAmountField(importo);
}

void TfrmModificaNotaCreditoRighe::hideEvent(QHideEvent *e)
{
    forms::DetailForm::hideEvent(e);
    if (m_descrizioneBreve)
        dataset()->setDisplayHook(QStringLiteral("Descrizione"), [](const QVariant &v) { return Tform_DB::ConvertiMemo(v); });
    m_descrizioneBreve = false;
}

bool TfrmModificaNotaCreditoRighe::eventFilter(QObject *watched, QEvent *e)
{
    // Leaving a field the gross depends on recomputes it (F12 in the price does nothing here).
    if (uscitaUtente(e)) CalcoloClick();
    return forms::DetailForm::eventFilter(watched, e);
}

void TfrmModificaNotaCreditoRighe::CalcoloClick()
{
    if (DBLookupComboBox1->currentText().isEmpty() || DBEdit6->text().isEmpty()) return;
    db::Query *q = dataset();
    if (q->isEmpty()) return;
    Q_EMIT q->updateRecord();
    auto valore = [q](const char *nome) { return q->fieldByName(QLatin1String(nome)).asFloat(); };
    const double totale = vendite::importiRiga(valore("Um"), valore("ValoreUnitario"), valore("Sconto"), valore("AliquotaIva")).totale;
    if (!q->isEditing()) q->edit();
    q->fieldByName(QStringLiteral("ValoreTotale")).setAsFloat(totale);
    // Whenever it computes, the row counts as modified: "Indietro" saves it.
    DatiModificati = true;
}

void TfrmModificaNotaCreditoRighe::DBLookupComboBox1Click()
{
    db::Query *q = dataset();
    db::Query *iva = form_DB->TableIva;
    if (iva->isEmpty() || q->isEmpty()) return;
    if (!q->isEditing()) q->edit();
    q->fieldByName(QStringLiteral("AliquotaIva")).setValue(iva->fieldByName(QStringLiteral("Iva")).value());
    q->fieldByName(QStringLiteral("Iva_Id")).setValue(iva->fieldByName(QStringLiteral("Id")).value());
    DatiModificati = true;
    CalcoloClick();
}

void TfrmModificaNotaCreditoRighe::BitBtn1Click()
{
    if (DBEdit8->text().isEmpty()) {
        forms::avvisa(this, QStringLiteral("Attenzione Inserire il Prezzo finale"), forms::kAvviso);
        return;
    }
    db::Query *q = dataset();
    if (q->isEmpty()) return;
    Q_EMIT q->updateRecord();
    auto valore = [q](const char *nome) { return q->fieldByName(QLatin1String(nome)).asFloat(); };
    const double prezzo = common::PrezzoUnitarioDaTotale(valore("Um"), valore("ValoreTotale"), valore("AliquotaIva"),
                                                         valore("Sconto"), 0, 0, 0);
    if (!q->isEditing()) q->edit();
    q->fieldByName(QStringLiteral("ValoreUnitario")).setAsFloat(prezzo);
    DatiModificati = true;
}

void TfrmModificaNotaCreditoRighe::SpeedButton14Click()
{
    auto *lista = qobject_cast<forms::ListForm *>(creata("frmGrigliaContabilitaConti"));
    if (!lista) return;
    const std::optional<qint64> scelto = lista->scegli(QString(), QStringLiteral("Id"));
    form_DB->TableContabilitaCercaConti->setFilter(QString());
    if (!scelto) return;
    db::Query *q = dataset();
    if (!q->isEditing()) q->edit();
    q->fieldByName(QStringLiteral("ContabilitaConti_ID")).setAsInteger(*scelto);
    DatiModificati = true;
}

bool TfrmModificaNotaCreditoRighe::controllaSalvataggio()
{
    db::Query *q = dataset();
    Q_EMIT q->updateRecord();
    // An empty value fails, 0 is a value; each failure leaves the focus in its own field.
    const std::tuple<const char *, QString, QWidget *> richiesti[] = {
        {"Um", QStringLiteral("Attenzione manca la quantità"), DBEdit4},
        {"ValoreUnitario", QStringLiteral("Attenzione manca il Valore Unitario"), DBEdit6},
        {"AliquotaIva", QStringLiteral("Attenzione manca l'Aliquota Iva"), DBLookupComboBox1}};
    for (const auto &[campo, messaggio, controllo] : richiesti) {
        if (!q->fieldByName(QLatin1String(campo)).isNull()) continue;
        forms::avvisa(this, messaggio, forms::kAvviso);
        controllo->setFocus();
        return false;
    }
    if (DBMemo1->toPlainText().isEmpty()) {
        forms::avvisa(this, QStringLiteral("Attenzione manca la descrizione"), forms::kAvviso);
        DBMemo1->setFocus();
        return false;
    }
    return true;
}

void TfrmModificaNotaCreditoRighe::dopoSalva()
{
    db::Query *q = dataset();
    auto valore = [q](const char *nome) { return q->fieldByName(QLatin1String(nome)).asFloat(); };
    const vendite::ImportiRiga importi =
        vendite::importiRiga(valore("Um"), valore("ValoreUnitario"), valore("Sconto"), valore("AliquotaIva"));
    if (!q->isEditing()) q->edit();
    q->fieldByName(QStringLiteral("TotaleImponibile")).setAsFloat(importi.imponibile);
    q->fieldByName(QStringLiteral("ValoreTotale")).setAsFloat(importi.totale);
    common::SalvaRecord(*q, kIdx);
    if (frmNotaCredito) frmNotaCredito->SpeedButton10Click();
}

void TfrmModificaNotaCreditoRighe::spdAnnullaClick()
{
    if (!forms::chiedi(this, QStringLiteral("Sei sicuro di voler annullare l'inserimento ?"))) return;
    db::Query *q = dataset();
    if (q->isEditing()) q->cancel();
    EliminaSenzaConferma = true;
    DatiModificati = false;
    // The editor deletes the row without its own question and recomputes the totals.
    if (frmNotaCredito) frmNotaCredito->spdEliminaDettClick();
    EliminaSenzaConferma = false;
    accept();
}

namespace {
const bool registrato = forms::registra(frmModificaNotaCreditoRighe, "frmModificaNotaCreditoRighe");
} // namespace
