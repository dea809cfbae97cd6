#include "ModificaRigaDocumento.h"

#include "common/LineArithmetic.h"
#include "common/RecordHelpers.h"
#include "data/DB.h"
#include "db/DbError.h"
#include "db/Query.h"
#include "forms/EditorDocumento.h"
#include "forms/Family.h"
#include "forms/ListForm.h"
#include "forms/Registro.h"
#include "sales/services/RigheFattura.h"
#include "widgets/DBEdit.h"
#include "widgets/DBLookupComboBox.h"
#include "widgets/DBMemo.h"
#include "widgets/EditingHelper.h"
#include "widgets/FieldLink.h"
#include "widgets/ToolButton.h"

#include <QFocusEvent>
#include <QHBoxLayout>
#include <QLayout>
#include <QPushButton>
#include <QStatusBar>
#include <QToolButton>

namespace {

// The focus left a field because the user moved on (not because a message box or a pop-up
// took the window's focus).
bool uscitaUtente(QEvent *e)
{
    if (e->type() != QEvent::FocusOut) return false;
    const Qt::FocusReason r = static_cast<QFocusEvent *>(e)->reason();
    return r != Qt::ActiveWindowFocusReason && r != Qt::PopupFocusReason;
}

// An edit on a field with a button beside it.
ui::DBEdit *editConPulsante(QWidget *parent, db::DataSource *source, const QString &nome, const QString &campo,
                            QPushButton *&pulsante, const QString &testo, QWidget *&riga)
{
    riga = new QWidget(parent);
    auto *h = new QHBoxLayout(riga);
    h->setContentsMargins(0, 0, 0, 0);
    auto *edit = new ui::DBEdit(riga);
    edit->setObjectName(nome);
    edit->setDataSource(source);
    edit->setDataField(campo);
    pulsante = new QPushButton(testo, riga);
    h->addWidget(edit, 1);
    h->addWidget(pulsante);
    return edit;
}

} // namespace

ModificaRigaDocumento::ModificaRigaDocumento(TipoRiga tipo, QWidget *parent)
    : forms::DetailForm(tipo.dettaglio, parent), m_tipo(std::move(tipo))
{
    setWindowFlags(windowFlags() & ~(Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint | Qt::WindowContextHelpButtonHint));
    db::DataSource *source = m_tipo.dettaglio.source;

    DBEdit1 = aggiungiEdit(QStringLiteral("DBEdit1"), QStringLiteral("Codice"), QStringLiteral("Codice"));
    DBEdit3 = aggiungiEdit(QStringLiteral("DBEdit3"), QStringLiteral("Numero di riga"), QStringLiteral("NumeroRiga"));
    DBMemo1 = new ui::DBMemo(this);
    DBMemo1->setObjectName(QStringLiteral("DBMemo1"));
    DBMemo1->setDataSource(source);
    DBMemo1->setDataField(QStringLiteral("Descrizione"));
    DBMemo1->setTabChangesFocus(true);
    DBMemo1->setFixedHeight(80);
    aggiungiRiga(QStringLiteral("Descrizione"), DBMemo1);

    if (m_tipo.pulsantiQuantitaUnita) {
        QWidget *quantita = nullptr;
        DBEdit4 = editConPulsante(this, source, QStringLiteral("DBEdit4"), QStringLiteral("Um"), Button1, QStringLiteral("Calcola"), quantita);
        Button1->setObjectName(QStringLiteral("Button1"));
        Button1->setToolTip(QStringLiteral("Calcola la quantità dai chilometri"));
        aggiungiRiga(QStringLiteral("Quantità"), quantita);
        const LookupConPulsanti unita = aggiungiLookup(
            QStringLiteral("DBLookupComboBox2"), QStringLiteral("Unità di misura"), QStringLiteral("Um_ID"),
            form_DB->SourceUnitaMisura, QStringLiteral("Id"), QStringLiteral("Descrizione"),
            {QStringLiteral("frmGrigliaUnitaMisura"), {QStringLiteral("SpeedButton1"), QStringLiteral("Apri l'unità di misura")},
             {QStringLiteral("SpeedButton2"), QStringLiteral("Aggiungi un'unità di misura")}});
        DBLookupComboBox2 = unita.lookup;
        SpeedButton1 = unita.modifica;
        SpeedButton2 = unita.aggiungi;
    } else {
        DBEdit4 = aggiungiEdit(QStringLiteral("DBEdit4"), QStringLiteral("Quantità"), QStringLiteral("Um"));
        DBLookupComboBox2 = aggiungiLookup(QStringLiteral("DBLookupComboBox2"), QStringLiteral("Unità di misura"),
                                           QStringLiteral("Um_ID"), form_DB->SourceUnitaMisura, QStringLiteral("Id"),
                                           QStringLiteral("Descrizione"));
    }

    DBEdit6 = aggiungiEdit(QStringLiteral("DBEdit6"), QStringLiteral("Valore Unitario"), QStringLiteral("ValoreUnitario"));
    DBEdit7 = aggiungiEdit(QStringLiteral("DBEdit7"), QStringLiteral("Sconto"), QStringLiteral("Sconto"));
    DBLookupComboBox1 = aggiungiLookup(QStringLiteral("DBLookupComboBox1"), QStringLiteral("Aliquota Iva"), m_tipo.campoIva,
                                       form_DB->SourceIva, QStringLiteral("Id"), QStringLiteral("Descrizione"));

    QWidget *totale = nullptr;
    DBEdit8 = editConPulsante(this, source, QStringLiteral("DBEdit8"), QStringLiteral("ValoreTotale"), BitBtn1, QStringLiteral("="), totale);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setToolTip(QStringLiteral("Calcola il Valore Unitario"));
    BitBtn1->setFocusPolicy(Qt::NoFocus);
    aggiungiRiga(QStringLiteral("Valore Totale"), totale);

    // Staff and vehicles are reached through their lists, when the program has them.
    const LookupConPulsanti autista = aggiungiLookup(
        QStringLiteral("DBLookupComboBox3"), m_tipo.etichettaAutista, QStringLiteral("Personale_ID"),
        form_DB->SourcePersonale, QStringLiteral("Id"), QStringLiteral("Personale"),
        {QStringLiteral("frmGrigliaPersonale"), {QStringLiteral("SpeedButton4"), m_tipo.apriAutista},
         {QStringLiteral("SpeedButton3"), m_tipo.aggiungiAutista}});
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
        QStringLiteral("DBLookupComboBox5"), m_tipo.etichettaConto, QStringLiteral("ContabilitaConti_ID"),
        form_DB->SourceContabilitaCercaConti, QStringLiteral("Id"), QStringLiteral("Conto"),
        {QStringLiteral("frmGrigliaContabilitaConti"), {QStringLiteral("SpeedButton14"), QStringLiteral("Cerca il tipo di Conto")}, {}});
    DBLookupComboBox5 = conto.lookup;
    SpeedButton14 = conto.modifica;
    SpeedButton14->setIcon(ui::iconaTema(QStringLiteral("edit-find"), QStyle::SP_FileDialogContentsView, this));
    conto.aggiungi->hide();
    // The account is picked from the accounts' list, not opened.
    disconnect(SpeedButton14, nullptr, this, nullptr);
    connect(SpeedButton14, &QToolButton::clicked, this, &ModificaRigaDocumento::SpeedButton14Click);

    DBEdit9 = aggiungiEdit(QStringLiteral("DBEdit9"), QStringLiteral("Data Inizio"), QStringLiteral("DataInizioPeriodo"));
    DBEdit10 = aggiungiEdit(QStringLiteral("DBEdit10"), QStringLiteral("Data Fine"), QStringLiteral("DataFinePeriodo"));
    DBEdit11 = aggiungiEdit(QStringLiteral("DBEdit11"), QStringLiteral("Rif. Amministraz."),
                            QStringLiteral("RiferimentoAmministrazione"));

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
    connect(DBLookupComboBox1, &ui::DBLookupComboBox::picked, this, &ModificaRigaDocumento::DBLookupComboBox1Click);
    connect(DBLookupComboBox1, &ui::DBLookupComboBox::cleared, this, [this] {
        // The rate goes with its VAT row; nothing is recomputed.
        db::Query *q = dataset();
        if (!q->isEditing()) q->edit();
        q->fieldByName(QStringLiteral("AliquotaIva")).clear();
    });
    for (QWidget *w : {static_cast<QWidget *>(DBEdit4), static_cast<QWidget *>(DBEdit6), static_cast<QWidget *>(DBEdit7),
                       static_cast<QWidget *>(DBLookupComboBox1)})
        w->installEventFilter(this);
    connect(BitBtn1, &QPushButton::clicked, this, &ModificaRigaDocumento::BitBtn1Click);
    connect(Calcolo, &QPushButton::clicked, this, &ModificaRigaDocumento::CalcoloClick);
    disconnect(spdAnnulla, nullptr, this, nullptr);
    connect(spdAnnulla, &QToolButton::clicked, this, &ModificaRigaDocumento::spdAnnullaClick);
}

void ModificaRigaDocumento::showEvent(QShowEvent *e)
{
    // Buttons that reach forms not in this program yet stay off.
    for (QToolButton *b : {SpeedButton3, SpeedButton4}) b->setEnabled(forms::creata("frmGrigliaPersonale"));
    for (QToolButton *b : {SpeedButton5, SpeedButton6}) b->setEnabled(forms::creata("frmVetture"));
    SpeedButton14->setEnabled(forms::creata("frmGrigliaContabilitaConti"));
    // The description is edited whole, not as the grid shows it (its first 100 characters).
    db::Query *q = dataset();
    m_descrizioneBreve = q->hasDisplayHook(q->fieldIndex(QStringLiteral("Descrizione")));
    if (m_descrizioneBreve) q->setDisplayHook(QStringLiteral("Descrizione"), {});
    forms::DetailForm::showEvent(e);
    // A point typed in an amount becomes the decimal comma.
    for (ui::DBEdit *importo : {DBEdit4, DBEdit6, DBEdit7, DBEdit8}) m_editing->markAmountField(importo);
}

void ModificaRigaDocumento::hideEvent(QHideEvent *e)
{
    forms::DetailForm::hideEvent(e);
    if (m_descrizioneBreve)
        dataset()->setDisplayHook(QStringLiteral("Descrizione"), [](const QVariant &v) { return Tform_DB::ConvertiMemo(v); });
    m_descrizioneBreve = false;
}

bool ModificaRigaDocumento::eventFilter(QObject *watched, QEvent *e)
{
    // Leaving a field the gross depends on recomputes it, from what the field now holds.
    if (uscitaUtente(e)) CalcoloClick();
    return forms::DetailForm::eventFilter(watched, e);
}

void ModificaRigaDocumento::CalcoloClick()
{
    if (DBLookupComboBox1->currentText().isEmpty() || DBEdit6->text().isEmpty()) return;
    db::Query *q = dataset();
    if (q->isEmpty()) return;
    Q_EMIT q->updateRecord();
    auto valore = [q](const char *nome) { return q->fieldByName(QLatin1String(nome)).asFloat(); };
    // The rate keeps its decimals: 5.5 is 5.5%.
    const double totale = vendite::importiRiga(valore("Um"), valore("ValoreUnitario"), valore("Sconto"), valore("AliquotaIva")).totale;
    const db::Field campo = q->fieldByName(QStringLiteral("ValoreTotale"));
    if (!m_tipo.calcoloModifica && !campo.isNull() && campo.asFloat() == totale) return;
    if (!q->isEditing()) q->edit();
    campo.setAsFloat(totale);
    if (m_tipo.calcoloModifica) DatiModificati = true;
}

void ModificaRigaDocumento::DBLookupComboBox1Click()
{
    db::Query *q = dataset();
    db::Query *iva = form_DB->TableIva;
    if (iva->isEmpty() || q->isEmpty()) return;
    if (!q->isEditing()) q->edit();
    q->fieldByName(QStringLiteral("AliquotaIva")).setValue(iva->fieldByName(QStringLiteral("Iva")).value());
    q->fieldByName(m_tipo.campoIva).setValue(iva->fieldByName(QStringLiteral("Id")).value());
    DatiModificati = true;
    CalcoloClick();
}

void ModificaRigaDocumento::BitBtn1Click()
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

void ModificaRigaDocumento::SpeedButton14Click()
{
    auto *lista = qobject_cast<forms::ListForm *>(forms::creata("frmGrigliaContabilitaConti"));
    if (!lista) return;
    // The pick clears the list's flags before and after, so leaving it never copies an account.
    const std::optional<qint64> scelto = lista->scegli(QString(), QStringLiteral("Id"));
    form_DB->TableContabilitaCercaConti->setFilter(QString());
    if (!scelto) return;
    db::Query *q = dataset();
    if (!q->isEditing()) q->edit();
    q->fieldByName(QStringLiteral("ContabilitaConti_ID")).setAsInteger(*scelto);
    DatiModificati = true;
}

bool ModificaRigaDocumento::controllaSalvataggio()
{
    db::Query *q = dataset();
    Q_EMIT q->updateRecord();
    const std::tuple<const char *, QString, QWidget *> richiesti[] = {
        {"Um", QStringLiteral("Attenzione manca la quantità"), DBEdit4},
        {"ValoreUnitario", QStringLiteral("Attenzione manca il Valore Unitario"), DBEdit6},
        {"AliquotaIva", QStringLiteral("Attenzione manca l'Aliquota Iva"), DBLookupComboBox1}};
    // An empty value fails; 0 is a value.
    for (const auto &[campo, messaggio, controllo] : richiesti) {
        if (!q->fieldByName(QLatin1String(campo)).isNull()) continue;
        forms::avvisa(this, messaggio, forms::kAvviso);
        if (m_tipo.fuocoSulCampo) controllo->setFocus();
        return false;
    }
    if (DBMemo1->toPlainText().isEmpty()) {
        forms::avvisa(this, QStringLiteral("Attenzione manca la descrizione"), forms::kAvviso);
        DBMemo1->setFocus();
        return false;
    }
    return true;
}

bool ModificaRigaDocumento::salvaRiga()
{
    db::Query *q = dataset();
    auto valore = [q](const char *nome) { return q->fieldByName(QLatin1String(nome)).asFloat(); };
    const vendite::ImportiRiga importi =
        vendite::importiRiga(valore("Um"), valore("ValoreUnitario"), valore("Sconto"), valore("AliquotaIva"));
    if (!q->isEditing()) q->edit();
    q->fieldByName(QStringLiteral("TotaleImponibile")).setAsFloat(importi.imponibile);
    q->fieldByName(QStringLiteral("ValoreTotale")).setAsFloat(importi.totale);
    forms::EditorDocumento *editore = m_tipo.editore ? m_tipo.editore() : nullptr;
    if (!editore) return common::SalvaRecord(*q, m_tipo.chiave);
    // The row, the document's totals and its instalments are stored together, or nothing.
    const qint64 chiave = q->fieldByName(m_tipo.chiave).asLargeInt();
    const bool salvato = editore->aggiornaDocumento([q](QString &errore) {
        if (q->post()) return true;
        errore = q->lastError();
        return false;
    });
    if (!salvato) return false;
    if (chiave > 0 && q->fieldByName(m_tipo.chiave).asLargeInt() != chiave) q->locate(m_tipo.chiave, chiave);
    if (!q->isEmpty() && !q->isEditing()) q->edit();
    return true;
}

void ModificaRigaDocumento::spdAnnullaClick()
{
    if (!forms::chiedi(this, QStringLiteral("Sei sicuro di voler annullare l'inserimento ?"))) return;
    DatiModificati = false;
    db::Query *q = dataset();
    // What was typed into the new row goes with it.
    if (q->isEditing()) q->cancel();
    const QString chiave = m_tipo.chiave;
    if (forms::EditorDocumento *editore = m_tipo.editore ? m_tipo.editore() : nullptr) {
        // The row and the totals it leaves go together.
        editore->aggiornaDocumento([q, chiave](QString &) {
            common::EliminaRecord(*q, chiave);
            return true;
        });
    } else {
        try {
            common::EliminaRecord(*q, chiave);
        } catch (const db::DbError &e) {
            ui::reportDbError(e, this);
        }
    }
    accept();
}
