#include "ModificaFatture.h"

#include "EditorFattura.h"
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

QWidget *creata(const char *nome)
{
    const forms::VoceForm *v = forms::Registro::istanza().voce(QLatin1String(nome));
    return v && v->corrente ? v->corrente() : nullptr;
}

// A number as the system writes it in general format: no fixed decimals, the decimal comma.
QString numeroGenerale(double v) { return QString::number(v, 'g', 15).replace(u'.', u','); }

// The focus left a field because the user moved on (not because a message box or a pop-up
// took the window's focus).
bool uscitaUtente(QEvent *e)
{
    if (e->type() != QEvent::FocusOut) return false;
    const Qt::FocusReason r = static_cast<QFocusEvent *>(e)->reason();
    return r != Qt::ActiveWindowFocusReason && r != Qt::PopupFocusReason;
}

} // namespace

TfrmModificaFatture::TfrmModificaFatture(QWidget *parent)
    : forms::DetailForm(
          [] {
              Config c;
              c.nome = QStringLiteral("frmModificaFatture");
              c.titolo = QStringLiteral("Modifica righe Fattura");
              c.helpContext = 5300;
              c.dataset = form_DB->Table4;
              c.source = form_DB->Source4;
              c.captionErrore = forms::kAvviso;
              return c;
          }(),
          parent)
{
    setWindowFlags(windowFlags() & ~(Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint | Qt::WindowContextHelpButtonHint));

    DBEdit1 = aggiungiEdit(QStringLiteral("DBEdit1"), QStringLiteral("Codice"), QStringLiteral("Codice"));
    DBEdit3 = aggiungiEdit(QStringLiteral("DBEdit3"), QStringLiteral("Numero di riga"), QStringLiteral("NumeroRiga"));
    DBMemo1 = new ui::DBMemo(this);
    DBMemo1->setObjectName(QStringLiteral("DBMemo1"));
    DBMemo1->setDataSource(form_DB->Source4);
    DBMemo1->setDataField(QStringLiteral("Descrizione"));
    DBMemo1->setTabChangesFocus(true);
    DBMemo1->setFixedHeight(80);
    aggiungiRiga(QStringLiteral("Descrizione"), DBMemo1);

    auto *quantita = new QWidget(this);
    auto *hq = new QHBoxLayout(quantita);
    hq->setContentsMargins(0, 0, 0, 0);
    DBEdit4 = new ui::DBEdit(quantita);
    DBEdit4->setObjectName(QStringLiteral("DBEdit4"));
    DBEdit4->setDataSource(form_DB->Source4);
    DBEdit4->setDataField(QStringLiteral("Um"));
    Button1 = new QPushButton(QStringLiteral("Calcola"), quantita);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setToolTip(QStringLiteral("Calcola la quantità dai chilometri"));
    hq->addWidget(DBEdit4, 1);
    hq->addWidget(Button1);
    aggiungiRiga(QStringLiteral("Quantità"), quantita);

    const LookupConPulsanti unita = aggiungiLookup(
        QStringLiteral("DBLookupComboBox2"), QStringLiteral("Unità di misura"), QStringLiteral("Um_ID"),
        form_DB->SourceUnitaMisura, QStringLiteral("Id"), QStringLiteral("Descrizione"),
        {QStringLiteral("frmGrigliaUnitaMisura"), {QStringLiteral("SpeedButton1"), QStringLiteral("Apri l'unità di misura")},
         {QStringLiteral("SpeedButton2"), QStringLiteral("Aggiungi un'unità di misura")}});
    DBLookupComboBox2 = unita.lookup;
    SpeedButton1 = unita.modifica;
    SpeedButton2 = unita.aggiungi;

    DBEdit6 = aggiungiEdit(QStringLiteral("DBEdit6"), QStringLiteral("Valore Unitario"), QStringLiteral("ValoreUnitario"));
    DBEdit6->setToolTip(QStringLiteral("F12: ultimo prezzo praticato al cliente"));
    DBEdit7 = aggiungiEdit(QStringLiteral("DBEdit7"), QStringLiteral("Sconto"), QStringLiteral("Sconto"));
    DBLookupComboBox1 = aggiungiLookup(QStringLiteral("DBLookupComboBox1"), QStringLiteral("Aliquota Iva"),
                                       QStringLiteral("Iva_ID"), form_DB->SourceIva, QStringLiteral("Id"),
                                       QStringLiteral("Descrizione"));

    auto *totale = new QWidget(this);
    auto *ht = new QHBoxLayout(totale);
    ht->setContentsMargins(0, 0, 0, 0);
    DBEdit8 = new ui::DBEdit(totale);
    DBEdit8->setObjectName(QStringLiteral("DBEdit8"));
    DBEdit8->setDataSource(form_DB->Source4);
    DBEdit8->setDataField(QStringLiteral("ValoreTotale"));
    BitBtn1 = new QPushButton(QStringLiteral("="), totale);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setToolTip(QStringLiteral("Calcola il Valore Unitario"));
    BitBtn1->setFocusPolicy(Qt::NoFocus);
    ht->addWidget(DBEdit8, 1);
    ht->addWidget(BitBtn1);
    aggiungiRiga(QStringLiteral("Valore Totale"), totale);

    // Staff and vehicles are reached through their lists, when the program has them.
    const LookupConPulsanti autista = aggiungiLookup(
        QStringLiteral("DBLookupComboBox3"), QStringLiteral("Autista"), QStringLiteral("Personale_ID"),
        form_DB->SourcePersonale, QStringLiteral("Id"), QStringLiteral("Personale"),
        {QStringLiteral("frmGrigliaPersonale"), {QStringLiteral("SpeedButton4"), QStringLiteral("Apri l'autista")},
         {QStringLiteral("SpeedButton3"), QStringLiteral("Aggiungi un autista")}});
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
        QStringLiteral("DBLookupComboBox5"), QStringLiteral("Conto"), QStringLiteral("ContabilitaConti_ID"),
        form_DB->SourceContabilitaCercaConti, QStringLiteral("Id"), QStringLiteral("Conto"),
        {QStringLiteral("frmGrigliaContabilitaConti"), {QStringLiteral("SpeedButton14"), QStringLiteral("Cerca il tipo di Conto")}, {}});
    DBLookupComboBox5 = conto.lookup;
    SpeedButton14 = conto.modifica;
    SpeedButton14->setIcon(ui::iconaTema(QStringLiteral("edit-find"), QStyle::SP_FileDialogContentsView, this));
    conto.aggiungi->hide();
    // The account is picked from the accounts' list, not opened.
    disconnect(SpeedButton14, nullptr, this, nullptr);
    connect(SpeedButton14, &QToolButton::clicked, this, &TfrmModificaFatture::SpeedButton14Click);

    DBEdit9 = aggiungiEdit(QStringLiteral("DBEdit9"), QStringLiteral("Data Inizio"), QStringLiteral("DataInizioPeriodo"));
    DBEdit10 = aggiungiEdit(QStringLiteral("DBEdit10"), QStringLiteral("Data Fine"), QStringLiteral("DataFinePeriodo"));
    DBEdit11 = aggiungiEdit(QStringLiteral("DBEdit11"), QStringLiteral("Rif. Amministraz."),
                            QStringLiteral("RiferimentoAmministrazione"));
    // "Calcola" comes after the last field in the tab order.
    setTabOrder(DBEdit11, Button1);

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
    connect(DBLookupComboBox1, &ui::DBLookupComboBox::picked, this, &TfrmModificaFatture::DBLookupComboBox1Click);
    connect(DBLookupComboBox1, &ui::DBLookupComboBox::cleared, this, [this] {
        // The rate goes with its VAT row; nothing is recomputed.
        db::Query *q = dataset();
        if (!q->isEditing()) q->edit();
        q->fieldByName(QStringLiteral("AliquotaIva")).clear();
    });
    for (QWidget *w : {static_cast<QWidget *>(DBEdit4), static_cast<QWidget *>(DBEdit6), static_cast<QWidget *>(DBEdit7),
                       static_cast<QWidget *>(DBLookupComboBox1)})
        w->installEventFilter(this);
    connect(Button1, &QPushButton::clicked, this, &TfrmModificaFatture::Button1Click);
    connect(BitBtn1, &QPushButton::clicked, this, &TfrmModificaFatture::BitBtn1Click);
    connect(Calcolo, &QPushButton::clicked, this, &TfrmModificaFatture::CalcoloClick);
    disconnect(spdAnnulla, nullptr, this, nullptr);
    connect(spdAnnulla, &QToolButton::clicked, this, &TfrmModificaFatture::spdAnnullaClick);
    completa();
}

void TfrmModificaFatture::showEvent(QShowEvent *e)
{
    // Buttons that reach forms not in this program yet stay off.
    for (QToolButton *b : {SpeedButton3, SpeedButton4}) b->setEnabled(creata("frmGrigliaPersonale"));
    for (QToolButton *b : {SpeedButton5, SpeedButton6}) b->setEnabled(creata("frmVetture"));
    SpeedButton14->setEnabled(creata("frmGrigliaContabilitaConti"));
    // The description is edited whole, not as the grid shows it (its first 100 characters).
    db::Query *q = dataset();
    m_descrizioneBreve = q->hasDisplayHook(q->fieldIndex(QStringLiteral("Descrizione")));
    if (m_descrizioneBreve) q->setDisplayHook(QStringLiteral("Descrizione"), {});
    forms::DetailForm::showEvent(e);
    // A point typed in an amount becomes the decimal comma.
    for (ui::DBEdit *importo : {DBEdit4, DBEdit6, DBEdit7, DBEdit8}) m_editing->markAmountField(importo);
}

void TfrmModificaFatture::hideEvent(QHideEvent *e)
{
    forms::DetailForm::hideEvent(e);
    if (m_descrizioneBreve)
        dataset()->setDisplayHook(QStringLiteral("Descrizione"), [](const QVariant &v) { return Tform_DB::ConvertiMemo(v); });
    m_descrizioneBreve = false;
}

bool TfrmModificaFatture::eventFilter(QObject *watched, QEvent *e)
{
    if (watched == DBEdit6 && e->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(e)->key() == Qt::Key_F12) {
        DBEdit6KeyDown();
        return true;
    }
    // Leaving a field the gross depends on recomputes it, from what the field now holds.
    if (uscitaUtente(e)) CalcoloClick();
    return forms::DetailForm::eventFilter(watched, e);
}

void TfrmModificaFatture::CalcoloClick()
{
    if (DBLookupComboBox1->currentText().isEmpty() || DBEdit6->text().isEmpty()) return;
    db::Query *q = dataset();
    if (q->isEmpty()) return;
    Q_EMIT q->updateRecord();
    auto valore = [q](const char *nome) { return q->fieldByName(QLatin1String(nome)).asFloat(); };
    // The rate keeps its decimals: 5.5 is 5.5%.
    const double totale = vendite::importiRiga(valore("Um"), valore("ValoreUnitario"), valore("Sconto"), valore("AliquotaIva")).totale;
    const db::Field campo = q->fieldByName(QStringLiteral("ValoreTotale"));
    if (!campo.isNull() && campo.asFloat() == totale) return;
    if (!q->isEditing()) q->edit();
    campo.setAsFloat(totale);
}

void TfrmModificaFatture::DBLookupComboBox1Click()
{
    db::Query *q = dataset();
    db::Query *iva = form_DB->TableIva;
    if (iva->isEmpty() || q->isEmpty()) return;
    if (!q->isEditing()) q->edit();
    q->fieldByName(QStringLiteral("AliquotaIva")).setValue(iva->fieldByName(QStringLiteral("Iva")).value());
    q->fieldByName(QStringLiteral("Iva_ID")).setValue(iva->fieldByName(QStringLiteral("Id")).value());
    DatiModificati = true;
    CalcoloClick();
}

void TfrmModificaFatture::BitBtn1Click()
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

void TfrmModificaFatture::Button1Click()
{
    db::Query *q = dataset();
    db::Query *testata = form_DB->Table3;
    if (q->isEmpty() || testata->isEmpty()) return;
    double kmCliente = 0;
    try {
        kmCliente = form_DB->Connessione
                        .scalar(QStringLiteral("SELECT Km from Clienti WHERE Id = :id"),
                                {{QStringLiteral(":id"), testata->fieldByName(QStringLiteral("Cliente_ID")).asLargeInt()}})
                        .toDouble();
    } catch (const db::DbError &e) {
        ui::reportDbError(e, this);
        return;
    }
    const double kmFattura = testata->fieldByName(QStringLiteral("Km")).asFloat();
    if (!q->isEditing()) q->edit();
    if (kmFattura > kmCliente) q->fieldByName(QStringLiteral("Um")).setAsFloat(kmFattura - kmCliente);
    DatiModificati = true;
}

void TfrmModificaFatture::DBEdit6KeyDown()
{
    db::Query *q = dataset();
    db::Query *testata = form_DB->Table3;
    if (q->isEmpty() || testata->isEmpty()) return;
    std::optional<vendite::UltimoPrezzo> ultimo;
    try {
        ultimo = vendite::ultimoPrezzo(form_DB->Connessione, testata->fieldByName(QStringLiteral("Cliente_ID")).asLargeInt(),
                                       testata->fieldByName(QStringLiteral("ID")).asLargeInt(),
                                       q->fieldByName(QStringLiteral("Articolo_ID")).asLargeInt());
    } catch (const db::DbError &e) {
        ui::reportDbError(e, this);
        return;
    }
    QString messaggio;
    if (!ultimo) {
        messaggio = QStringLiteral("Non sono presenti fatture per questo articolo e per questo Cliente!");
    } else {
        const QDateTime &d = ultimo->data;
        QString data = d.date().toString(QStringLiteral("dd/MM/yyyy"));
        if (d.time() != QTime(0, 0)) data += u' ' + d.time().toString(QStringLiteral("HH:mm:ss"));
        messaggio = QStringLiteral("Ultima fattura: ") + data + u'\n' + QStringLiteral(" Valore Unitario: ")
                    + numeroGenerale(ultimo->valoreUnitario) + u'\n' + QStringLiteral(" Sconto: ") + numeroGenerale(ultimo->sconto);
    }
    forms::avvisa(this, messaggio, forms::kAvviso);
}

void TfrmModificaFatture::SpeedButton14Click()
{
    auto *lista = qobject_cast<forms::ListForm *>(creata("frmGrigliaContabilitaConti"));
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

bool TfrmModificaFatture::controllaSalvataggio()
{
    db::Query *q = dataset();
    Q_EMIT q->updateRecord();
    const std::pair<const char *, QString> richiesti[] = {
        {"Um", QStringLiteral("Attenzione manca la quantità")},
        {"ValoreUnitario", QStringLiteral("Attenzione manca il Valore Unitario")},
        {"AliquotaIva", QStringLiteral("Attenzione manca l'Aliquota Iva")}};
    // An empty value fails; 0 is a value.
    for (const auto &[campo, messaggio] : richiesti) {
        if (!q->fieldByName(QLatin1String(campo)).isNull()) continue;
        forms::avvisa(this, messaggio, forms::kAvviso);
        return false;
    }
    if (DBMemo1->toPlainText().isEmpty()) {
        forms::avvisa(this, QStringLiteral("Attenzione manca la descrizione"), forms::kAvviso);
        DBMemo1->setFocus();
        return false;
    }
    return true;
}

bool TfrmModificaFatture::salvaRiga()
{
    db::Query *q = dataset();
    auto valore = [q](const char *nome) { return q->fieldByName(QLatin1String(nome)).asFloat(); };
    const vendite::ImportiRiga importi =
        vendite::importiRiga(valore("Um"), valore("ValoreUnitario"), valore("Sconto"), valore("AliquotaIva"));
    if (!q->isEditing()) q->edit();
    q->fieldByName(QStringLiteral("TotaleImponibile")).setAsFloat(importi.imponibile);
    q->fieldByName(QStringLiteral("ValoreTotale")).setAsFloat(importi.totale);
    if (!Form7) return common::SalvaRecord(*q, QStringLiteral("Idx"));
    // The row, the invoice's totals and its instalments are stored together, or nothing.
    const qint64 idx = q->fieldByName(QStringLiteral("Idx")).asLargeInt();
    const bool salvato = Form7->aggiornaDocumento([q](QString &errore) {
        if (q->post()) return true;
        errore = q->lastError();
        return false;
    });
    if (!salvato) return false;
    if (idx > 0 && q->fieldByName(QStringLiteral("Idx")).asLargeInt() != idx) q->locate(QStringLiteral("Idx"), idx);
    if (!q->isEmpty() && !q->isEditing()) q->edit();
    return true;
}

void TfrmModificaFatture::spdAnnullaClick()
{
    if (!forms::chiedi(this, QStringLiteral("Sei sicuro di voler annullare l'inserimento ?"))) return;
    DatiModificati = false;
    db::Query *q = dataset();
    // What was typed into the new row goes with it.
    if (q->isEditing()) q->cancel();
    if (Form7) {
        // The row and the totals it leaves go together.
        Form7->aggiornaDocumento([q](QString &) {
            common::EliminaRecord(*q, QStringLiteral("Idx"));
            return true;
        });
    } else {
        try {
            common::EliminaRecord(*q, QStringLiteral("Idx"));
        } catch (const db::DbError &e) {
            ui::reportDbError(e, this);
        }
    }
    accept();
}

namespace {
const bool registrato = forms::registra(frmModificaFatture, "frmModificaFatture");
} // namespace
