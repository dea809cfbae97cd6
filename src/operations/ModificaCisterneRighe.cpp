#include "ModificaCisterneRighe.h"
#include "Cisterne.h"
#include "forms/Registro.h"
#include "operations/services/Cisterne.h"

#include "data/DB.h"
#include "db/DbError.h"
#include "db/Query.h"
#include "forms/Family.h"
#include "widgets/DBEdit.h"
#include "widgets/DBText.h"
#include "widgets/EditingHelper.h"
#include "widgets/Seams.h"
#include "widgets/ToolButton.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QMetaObject>
#include <QToolButton>

namespace {

const QString kErrore = QStringLiteral("Messaggio di errore");

QWidget *formRegistrato(const char *nome)
{
    const forms::VoceForm *v = forms::Registro::istanza().voce(QLatin1String(nome));
    return v ? v->corrente() : nullptr;
}

} // namespace

TfrmModificaCisterneRighe::TfrmModificaCisterneRighe(QWidget *parent)
    : forms::DetailForm(
          [] {
              Config c;
              c.nome = QStringLiteral("frmModificaCisterneRighe");
              c.titolo = QStringLiteral("Modifica Cisterne");
              c.dataset = form_DB->TableCisterneCarico;
              c.source = form_DB->SourceCisterneCarico;
              return c;
          }(),
          parent)
{
    DBEdit1 = aggiungiEdit(QStringLiteral("DBEdit1"), QStringLiteral("Data"), QStringLiteral("Data"));
    DBEdit3 = aggiungiEdit(QStringLiteral("DBEdit3"), QStringLiteral("Importo"), QStringLiteral("Importo"));
    DBEdit4 = aggiungiEdit(QStringLiteral("DBEdit4"), QStringLiteral("Litri"), QStringLiteral("Litri"));
    Label4 = new QLabel(QStringLiteral("Fattura di Acquisto"), this);
    aggiungiRiga(QString(), Label4);
    auto *riga = new QWidget(this);
    auto *h = new QHBoxLayout(riga);
    h->setContentsMargins(0, 0, 0, 0);
    DBText1 = new ui::DBText(riga);
    DBText1->setObjectName(QStringLiteral("DBText1"));
    DBText1->setDataSource(form_DB->SourceCisterneCarico);
    DBText1->setDataField(QStringLiteral("FatturaDescrizione"));
    DBText1->setMinimumWidth(360);
    SpeedButton1 = ui::toolButton(riga, QStringLiteral("SpeedButton1"), QString(), QStringLiteral("Cerca l'immagine della fattura"),
                                  "edit-find", QStyle::SP_FileDialogContentsView);
    SpeedButton2 = ui::toolButton(riga, QStringLiteral("SpeedButton2"), QString(), QStringLiteral("Apre la fattura di acquisto"),
                                  "document-open", QStyle::SP_DirOpenIcon);
    h->addWidget(DBText1, 1);
    h->addWidget(SpeedButton1);
    h->addWidget(SpeedButton2);
    aggiungiRiga(QString(), riga);

    // The family's "Salva" and "Annulla" store and delete without moving the stock.
    disconnect(spdSalva, nullptr, this, nullptr);
    disconnect(spdAnnulla, nullptr, this, nullptr);
    connect(spdSalva, &QToolButton::clicked, this, &TfrmModificaCisterneRighe::spdSalvaClick);
    connect(spdAnnulla, &QToolButton::clicked, this, &TfrmModificaCisterneRighe::spdAnnullaClick);
    connect(SpeedButton1, &QToolButton::clicked, this, &TfrmModificaCisterneRighe::SpeedButton1Click);
    connect(SpeedButton2, &QToolButton::clicked, this, &TfrmModificaCisterneRighe::SpeedButton2Click);
    completa();
    m_editing->markAmountField(DBEdit3);
    m_editing->markAmountField(DBEdit4);
}

void TfrmModificaCisterneRighe::showEvent(QShowEvent *e)
{
    // The purchase-invoice finder comes with the purchases; until then nothing can be linked.
    SpeedButton1->setEnabled(formRegistrato("frmTrovaFatturaAcquisto") != nullptr);
    forms::DetailForm::showEvent(e);
}

void TfrmModificaCisterneRighe::spdSalvaClick()
{
    SalvataggioFallito = false;
    db::Query *q = dataset();
    if (q->isEmpty()) return;
    // What is still being typed belongs to the row.
    Q_EMIT q->updateRecord();
    const struct {
        ui::DBEdit *campo;
        QString messaggio;
    } richiesti[] = {{DBEdit1, QStringLiteral("Attenzione manca la Data")},
                     {DBEdit3, QStringLiteral("Attenzione manca l' Importo")},
                     {DBEdit4, QStringLiteral("Attenzione mancano i Litri")}};
    for (const auto &r : richiesti) {
        if (!r.campo->text().isEmpty()) continue;
        forms::avvisa(this, r.messaggio, kErrore);
        r.campo->setFocus();
        SalvataggioFallito = true;
        return;
    }
    const qint64 id = q->fieldByName(QStringLiteral("ID")).asLargeInt();
    QString errore;
    cisterne::EsitoCarico esito;
    try {
        esito = cisterne::salvaCarico(form_DB->Connessione, id, [q, &errore] {
            q->edit();
            if (q->post()) return true;
            errore = q->lastError();
            return false;
        });
    } catch (const db::DbError &e) {
        errore = e.message();
    }
    if (!esito.salvato) {
        // Shown once the transaction is over; the form stays open with what was typed.
        if (!errore.isEmpty()) ui::showError(errore, kErrore, this);
        SalvataggioFallito = true;
        return;
    }
    DatiModificati = false;
    if (esito.differenza != 0) operazioni::rileggiCisterna();
}

void TfrmModificaCisterneRighe::spdIndietroClick()
{
    if (DatiModificati) {
        spdSalvaClick();
        if (SalvataggioFallito) return;
    }
    forms::DetailForm::spdIndietroClick();
}

void TfrmModificaCisterneRighe::spdAnnullaClick()
{
    if (!forms::chiedi(this, QStringLiteral("Sei sicuro di voler annullare l'inserimento ?"))) return;
    DatiModificati = false;
    db::Query *q = dataset();
    if (q->isEditing()) q->cancel();
    if (!q->isEmpty()) {
        const qint64 id = q->fieldByName(QStringLiteral("ID")).asLargeInt();
        if (operazioni::eliminaERileggi(this, q, [id] { return cisterne::eliminaCarico(form_DB->Connessione, id).salvato; }))
            operazioni::rileggiCisterna();
    }
    forms::DetailForm::spdIndietroClick();
}

void TfrmModificaCisterneRighe::SpeedButton1Click()
{
    QWidget *finder = formRegistrato("frmTrovaFatturaAcquisto");
    auto *dialogo = qobject_cast<QDialog *>(finder);
    if (!dialogo) return;
    db::Query *fatture = form_DB->TableCercaFattureAcquisto;
    fatture->close();
    fatture->setFilter(QString());
    fatture->setSql(QStringLiteral("SELECT ID, DataRegistrazione, ProgressivoCarico, Data, NumeroCarico, Fornitore FROM fattura "
                                   "WHERE Carico = true AND FattNota = false ORDER BY DataRegistrazione DESC, ProgressivoCarico"));
    fatture->open();
    // The finder accepts on a choice and rejects on "Indietro".
    if (dialogo->exec() != QDialog::Accepted || fatture->isEmpty()) return;
    db::Query *q = dataset();
    q->edit();
    q->fieldByName(QStringLiteral("Fattura_ID")).setAsInteger(fatture->fieldByName(QStringLiteral("ID")).asLargeInt());
    q->fieldByName(QStringLiteral("FatturaDescrizione"))
        .setAsString(cisterne::descrizioneFattura(fatture->fieldByName(QStringLiteral("Fornitore")).asString(),
                                                  fatture->fieldByName(QStringLiteral("ProgressivoCarico")).asLargeInt(),
                                                  fatture->fieldByName(QStringLiteral("DataRegistrazione")).asDateTime().date()));
    DatiModificati = true;
}

void TfrmModificaCisterneRighe::SpeedButton2Click()
{
    db::Query *q = dataset();
    if (q->isEmpty()) return;
    const qint64 fattura = q->fieldByName(QStringLiteral("Fattura_ID")).asLargeInt();
    if (fattura < 1) return;
    db::Query *fatture = form_DB->TableMovimentiCaricoTestata;
    if (!fatture->isActive()) fatture->open();
    if (!fatture->locate(QStringLiteral("Id"), fattura)) {
        forms::avvisa(this,
                      QStringLiteral("La fattura non è visualizzabile, probabilmente è stata cancellata oppure si trova nello Storico!"),
                      QStringLiteral("Messaggio di avviso"));
        return;
    }
    // The purchase-invoice list opens its editor on the row just found.
    if (QWidget *lista = formRegistrato("frmGrigliaCarico")) QMetaObject::invokeMethod(lista, "spdAvantiClick");
}

namespace {
// Created once at start-up, in the program's order.
const bool registrati = forms::registra(frmModificaCisterneRighe, "frmModificaCisterneRighe");
} // namespace
