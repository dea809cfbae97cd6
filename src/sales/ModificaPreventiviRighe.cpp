#include "ModificaPreventiviRighe.h"

#include "EditorPreventivo.h"
#include "common/LineArithmetic.h"
#include "common/RecordHelpers.h"
#include "common/Rounding.h"
#include "data/DB.h"
#include "db/DateTimeText.h"
#include "db/DbError.h"
#include "db/Query.h"
#include "forms/Family.h"
#include "forms/Impaginazione.h"
#include "forms/Registro.h"
#include "widgets/DBEdit.h"
#include "widgets/DBLookupComboBox.h"
#include "widgets/DBMemo.h"
#include "widgets/EditingHelper.h"
#include "widgets/FieldLink.h"

#include <QFocusEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLayout>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QStatusBar>
#include <QToolButton>

namespace {

using forms::creata;
using forms::soloNumeri;

// The focus left a field because the user moved on (not because a message box or a pop-up
// took the window's focus).
bool uscitaUtente(QEvent *e)
{
    if (e->type() != QEvent::FocusOut) return false;
    const Qt::FocusReason r = static_cast<QFocusEvent *>(e)->reason();
    return r != Qt::ActiveWindowFocusReason && r != Qt::PopupFocusReason;
}

ui::DBEdit *nuovoEdit(QWidget *parent, const QString &nome, const QString &campo)
{
    auto *e = new ui::DBEdit(parent);
    e->setObjectName(nome);
    e->setDataSource(form_DB->Source11);
    e->setDataField(campo);
    return e;
}

} // namespace

TfrmModificaPreventiviRighe::TfrmModificaPreventiviRighe(QWidget *parent)
    : forms::DetailForm(
          [] {
              Config c;
              c.nome = QStringLiteral("frmModificaPreventiviRighe");
              c.titolo = QStringLiteral("Modifica Righe Preventivi");
              c.helpContext = 4800;
              c.dataset = form_DB->Table11;
              c.source = form_DB->Source11;
              c.captionErrore = forms::kAvviso;
              return c;
          }(),
          parent)
{
    setWindowFlags(windowFlags() & ~(Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint | Qt::WindowContextHelpButtonHint));

    DBEdit8 = aggiungiEdit(QStringLiteral("DBEdit8"), QStringLiteral("Codice"), QStringLiteral("Codice"));
    DBEdit7 = aggiungiEdit(QStringLiteral("DBEdit7"), QStringLiteral("Numero di riga"), QStringLiteral("NumeroRiga"));
    DBMemo1 = new ui::DBMemo(this);
    DBMemo1->setObjectName(QStringLiteral("DBMemo1"));
    DBMemo1->setDataSource(form_DB->Source11);
    DBMemo1->setDataField(QStringLiteral("Descrizione"));
    DBMemo1->setTabChangesFocus(true);
    DBMemo1->setFixedHeight(110);
    aggiungiRiga(QStringLiteral("Descrizione"), DBMemo1);
    DBEdit2 = aggiungiEdit(QStringLiteral("DBEdit2"), QStringLiteral("Quantità"), QStringLiteral("Um"));

    const LookupConPulsanti unita = aggiungiLookup(
        QStringLiteral("DBLookupComboBox3"), QStringLiteral("Unità di misura"), QStringLiteral("Um_ID"),
        form_DB->SourceUnitaMisura, QStringLiteral("Id"), QStringLiteral("Descrizione"),
        {QStringLiteral("frmGrigliaUnitaMisura"), {QStringLiteral("SpeedButton17"), QStringLiteral("Apri l'unità di misura")},
         {QStringLiteral("SpeedButton16"), QStringLiteral("Aggiungi un'unità di misura")}});
    DBLookupComboBox3 = unita.lookup;
    SpeedButton17 = unita.modifica;
    SpeedButton16 = unita.aggiungi;
    for (QToolButton *b : {SpeedButton16, SpeedButton17}) {
        b->setToolButtonStyle(Qt::ToolButtonIconOnly);
        b->setIconSize(QSize(16, 16));
        b->setAutoRaise(true);
    }
    disconnect(SpeedButton16, nullptr, this, nullptr);
    disconnect(SpeedButton17, nullptr, this, nullptr);
    connect(SpeedButton16, &QToolButton::clicked, this, &TfrmModificaPreventiviRighe::SpeedButton16Click);
    connect(SpeedButton17, &QToolButton::clicked, this, &TfrmModificaPreventiviRighe::SpeedButton17Click);

    DBEdit6 = aggiungiEdit(QStringLiteral("DBEdit6"), QStringLiteral("Valore Unitario"), QStringLiteral("ValoreUnitario"));
    DBEdit5 = aggiungiEdit(QStringLiteral("DBEdit5"), QStringLiteral("Sconto"), QStringLiteral("Sconto"));
    DBLookupComboBox1 = aggiungiLookup(QStringLiteral("DBLookupComboBox1"), QStringLiteral("Aliquota Iva"),
                                       QStringLiteral("Iva_ID"), form_DB->SourceIva, QStringLiteral("Id"),
                                       QStringLiteral("Descrizione"));

    auto *totale = new QWidget(this);
    auto *ht = new QHBoxLayout(totale);
    ht->setContentsMargins(0, 0, 0, 0);
    DBEdit4 = nuovoEdit(totale, QStringLiteral("DBEdit4"), QStringLiteral("ValoreTotale"));
    BitBtn1 = new QPushButton(QStringLiteral("="), totale);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setToolTip(QStringLiteral("Calcola il Valore Unitario"));
    BitBtn1->setFocusPolicy(Qt::NoFocus);
    BitBtn1->setAutoDefault(false);
    ht->addWidget(DBEdit4, 1);
    ht->addWidget(BitBtn1);
    aggiungiRiga(QStringLiteral("Valore Totale"), totale);

    DBEdit3 = aggiungiEdit(QStringLiteral("DBEdit3"), QStringLiteral("Reparto"), QStringLiteral("Reparto"));
    DBEdit1 = aggiungiEdit(QStringLiteral("DBEdit1"), QStringLiteral("Data Inizio"), QStringLiteral("DataInizioPeriodo"));
    DBEdit9 = aggiungiEdit(QStringLiteral("DBEdit9"), QStringLiteral("Data Fine"), QStringLiteral("DataFinePeriodo"));
    DBEdit10 = aggiungiEdit(QStringLiteral("DBEdit10"), QStringLiteral("Rif. Amministraz."),
                            QStringLiteral("RiferimentoAmministrazione"));

    Calcolo = new QPushButton(QStringLiteral("calcolo_prezzoIvato"), this);
    Calcolo->setObjectName(QStringLiteral("Calcolo"));
    Calcolo->setFocusPolicy(Qt::NoFocus);
    Calcolo->hide();
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    layout()->addWidget(StatusBar1);

    soloNumeri(DBEdit7, false);
    for (QLineEdit *e : {static_cast<QLineEdit *>(DBEdit2), static_cast<QLineEdit *>(DBEdit6), static_cast<QLineEdit *>(DBEdit5),
                         static_cast<QLineEdit *>(DBEdit4)})
        soloNumeri(e, true);

    // Checked in this order on the texts the controls show; 0 is a value.
    richiesto(DBEdit2, QStringLiteral("Attenzione manca la quantità"));
    richiesto(DBEdit6, QStringLiteral("Attenzione manca il Valore Unitario"));
    richiesto(DBLookupComboBox1, QStringLiteral("Attenzione manca l'Aliquota Iva"));

    connect(DBLookupComboBox3, &ui::DBLookupComboBox::picked, this, [this] { DatiModificati = true; });
    connect(DBLookupComboBox3, &ui::DBLookupComboBox::cleared, this, [this] { DatiModificati = true; });
    connect(DBLookupComboBox1, &ui::DBLookupComboBox::picked, this, &TfrmModificaPreventiviRighe::DBLookupComboBox1Click);
    connect(DBLookupComboBox1, &ui::DBLookupComboBox::cleared, this, &TfrmModificaPreventiviRighe::DBLookupComboBox1KeyDown);
    connect(BitBtn1, &QPushButton::clicked, this, &TfrmModificaPreventiviRighe::BitBtn1Click);
    connect(Calcolo, &QPushButton::clicked, this, &TfrmModificaPreventiviRighe::CalcoloClick);
    disconnect(spdAnnulla, nullptr, this, nullptr);
    connect(spdAnnulla, &QToolButton::clicked, this, &TfrmModificaPreventiviRighe::spdAnnullaClick);
    completa();
    m_editing->markAmountField(DBEdit2);
    for (QWidget *importo : {DBEdit6, DBEdit5, DBEdit4}) m_editing->markAmountField(importo);
    // The lookups keep the keys' own meaning (no Enter/Down/Up navigation): this form paints
    // them and marks the row modified. Leaving a price field recomputes the final price.
    for (QWidget *w : {static_cast<QWidget *>(DBLookupComboBox3), static_cast<QWidget *>(DBLookupComboBox1)})
        w->removeEventFilter(m_editing);
    for (QWidget *w : {static_cast<QWidget *>(DBEdit2), static_cast<QWidget *>(DBEdit6), static_cast<QWidget *>(DBEdit5),
                       static_cast<QWidget *>(DBLookupComboBox3), static_cast<QWidget *>(DBLookupComboBox1)})
        w->installEventFilter(this);
    resize(877, 593);
}

void TfrmModificaPreventiviRighe::showEvent(QShowEvent *e)
{
    // Buttons that reach forms not in this program yet stay off.
    for (QToolButton *b : {SpeedButton16, SpeedButton17}) b->setEnabled(creata("frmGrigliaUnitaMisura"));
    // The description is edited whole, not as the grid shows it (its first 100 characters).
    db::Query *q = dataset();
    m_descrizioneBreve = q->isActive() && q->hasDisplayHook(q->fieldIndex(QStringLiteral("Descrizione")));
    if (m_descrizioneBreve) q->setDisplayHook(QStringLiteral("Descrizione"), {});
    forms::DetailForm::showEvent(e);
}

void TfrmModificaPreventiviRighe::hideEvent(QHideEvent *e)
{
    forms::DetailForm::hideEvent(e);
    if (m_descrizioneBreve)
        dataset()->setDisplayHook(QStringLiteral("Descrizione"), [](const QVariant &v) { return Tform_DB::ConvertiMemo(v); });
    m_descrizioneBreve = false;
}

bool TfrmModificaPreventiviRighe::eventFilter(QObject *watched, QEvent *e)
{
    auto *w = qobject_cast<QWidget *>(watched);
    if (w == DBLookupComboBox3 || w == DBLookupComboBox1) {
        if (e->type() == QEvent::FocusIn || uscitaUtente(e)) {
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
    }
    // Leaving a field the final price depends on recomputes it, from what the field now holds.
    if (w != DBLookupComboBox3 && uscitaUtente(e)) CalcoloClick();
    return forms::DetailForm::eventFilter(watched, e);
}

void TfrmModificaPreventiviRighe::CalcoloClick()
{
    if (DBLookupComboBox1->currentText().isEmpty() || DBEdit6->text().isEmpty()) return;
    db::Query *q = dataset();
    if (q->isEmpty()) return;
    Q_EMIT q->updateRecord();
    auto valore = [q](const char *nome) { return q->fieldByName(QLatin1String(nome)).asFloat(); };
    const double sconto = valore("Sconto");
    // The rate keeps its decimals: 5.5 is 5.5%.
    const double aliquota = valore("AliquotaIva");
    const double prezzo = valore("ValoreUnitario"), um = valore("Um");
    // No VAT on a row whose net is not above 0.
    const double totale = common::TotaleRigaNetto(false, um, prezzo, sconto, 0, 0, 0) > 0
                              ? common::TotaleRigaIvato(true, um, prezzo, aliquota, sconto, 0, 0, 0)
                              : common::TotaleRigaNetto(true, um, prezzo, sconto, 0, 0, 0);
    const db::Field campo = q->fieldByName(QStringLiteral("ValoreTotale"));
    if (!campo.isNull() && campo.asFloat() == totale) return;
    if (!q->isEditing()) q->edit();
    campo.setAsFloat(totale);
}

void TfrmModificaPreventiviRighe::DBLookupComboBox1Click()
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

void TfrmModificaPreventiviRighe::DBLookupComboBox1KeyDown()
{
    db::Query *q = dataset();
    if (q->isEmpty()) return;
    if (!q->isEditing()) q->edit();
    q->fieldByName(QStringLiteral("Iva_ID")).clear();
    q->fieldByName(QStringLiteral("AliquotaIva")).clear();
    DatiModificati = true;
}

void TfrmModificaPreventiviRighe::BitBtn1Click()
{
    if (DBEdit4->text().isEmpty()) {
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

void TfrmModificaPreventiviRighe::SpeedButton16Click() { aggiungiDaLookup(DBLookupComboBox3); }

void TfrmModificaPreventiviRighe::SpeedButton17Click() { modificaDaLookup(DBLookupComboBox3); }

bool TfrmModificaPreventiviRighe::controllaSalvataggio()
{
    // A typed period date that is no date is said; the row keeps what the user typed.
    for (ui::DBEdit *e : {DBEdit1, DBEdit9}) {
        const QString testo = e->text().trimmed();
        bool ok = true;
        if (!testo.isEmpty()) db::toCanonicalValue(testo, &ok);
        if (ok) continue;
        forms::avvisa(this, QStringLiteral("Attenzione data non valida: %1").arg(testo), forms::kAvviso);
        e->setFocus();
        return false;
    }
    return true;
}

void TfrmModificaPreventiviRighe::primaDiSalvare()
{
    db::Query *q = dataset();
    Q_EMIT q->updateRecord();
    auto valore = [q](const char *nome) { return q->fieldByName(QLatin1String(nome)).asFloat(); };
    const double um = valore("Um");
    const double prezzo = valore("ValoreUnitario");
    const double sconto = valore("Sconto");
    if (!q->isEditing()) q->edit();
    // The stored amounts, to the cent, at the row's own rate as stored.
    q->fieldByName(QStringLiteral("TotaleImponibile")).setAsFloat(common::TotaleRigaNetto(true, um, prezzo, sconto, 0, 0, 0));
    q->fieldByName(QStringLiteral("ValoreTotale"))
        .setAsFloat(common::TotaleRigaIvato(true, um, prezzo, valore("AliquotaIva"), sconto, 0, 0, 0));
}

bool TfrmModificaPreventiviRighe::salvaRiga()
{
    db::Query *q = dataset();
    if (!frmPreventivi) return common::SalvaRecord(*q, QStringLiteral("Id"));
    // The row, the quote's header and its totals are stored together, or nothing.
    const qint64 id = q->fieldByName(QStringLiteral("Id")).asLargeInt();
    const bool salvato = frmPreventivi->aggiornaPreventivo([q](QString &errore) {
        if (q->post()) return true;
        errore = q->lastError();
        return false;
    });
    if (!salvato) return false;
    if (id > 0 && q->fieldByName(QStringLiteral("Id")).asLargeInt() != id) q->locate(QStringLiteral("Id"), id);
    return true;
}

void TfrmModificaPreventiviRighe::dopoSalva() { Q_EMIT rigaSalvata(); }

void TfrmModificaPreventiviRighe::spdAnnullaClick()
{
    if (!forms::chiedi(this, QStringLiteral("Sei sicuro di voler annullare l'inserimento ?"))) return;
    DatiModificati = false;
    db::Query *q = dataset();
    // What was typed into the new row goes with it.
    if (q->isEditing()) q->cancel();
    if (frmPreventivi) {
        // The row and the totals it leaves go together.
        frmPreventivi->aggiornaPreventivo([q](QString &) {
            common::EliminaRecord(*q, QStringLiteral("Id"));
            return true;
        });
    } else {
        try {
            common::EliminaRecord(*q, QStringLiteral("Id"));
        } catch (const db::DbError &e) {
            ui::reportDbError(e, this);
        }
    }
    accept();
}

namespace {
const bool registrato = forms::registra(frmModificaPreventiviRighe, "frmModificaPreventiviRighe");
} // namespace
