#include "ScadenziarioDettaglio.h"

#include "CassaPrimaNota.h"
#include "accounting/services/Scadenziario.h"
#include "common/RecordHelpers.h"
#include "core/Clock.h"
#include "data/DB.h"
#include "db/DataSource.h"
#include "db/DateTimeText.h"
#include "db/DbError.h"
#include "db/Query.h"
#include "forms/Family.h"
#include "forms/Registro.h"
#include "sales/services/Scadenze.h"
#include "widgets/DBEdit.h"
#include "widgets/DBLookupComboBox.h"
#include "widgets/EditingHelper.h"
#include "widgets/FieldLink.h"
#include "widgets/Seams.h"
#include "widgets/ToolButton.h"

#include <QAction>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolBar>
#include <QToolButton>

namespace {

const QString kErrore = QStringLiteral("Messaggio di errore");
const QString kId = QStringLiteral("Id");

QWidget *rigaConPulsanti(QWidget *parent, QWidget *campo, std::initializer_list<QWidget *> pulsanti)
{
    auto *riga = new QWidget(parent);
    auto *h = new QHBoxLayout(riga);
    h->setContentsMargins(0, 0, 0, 0);
    campo->setParent(riga);
    h->addWidget(campo, 1);
    for (QWidget *p : pulsanti) {
        p->setParent(riga);
        h->addWidget(p);
    }
    return riga;
}

} // namespace

TfrmScadenziarioDettaglio::TfrmScadenziarioDettaglio(QWidget *parent)
    : forms::DetailForm(
          [] {
              Config c;
              c.nome = QStringLiteral("frmScadenziarioDettaglio");
              c.titolo = QStringLiteral("Scadenze");
              c.helpContext = 5400;
              c.dataset = form_DB->TableFatturaScadenze;
              c.source = form_DB->SourceFatturaScadenze;
              c.conAiuto = true;
              return c;
          }(),
          parent)
{
    db::DataSource *source = config().source;
    auto nuovoEdit = [&](const char *nome, const char *campo) {
        auto *e = new ui::DBEdit(this);
        e->setObjectName(QString::fromLatin1(nome));
        e->setDataSource(source);
        e->setDataField(QString::fromLatin1(campo));
        return e;
    };
    auto nuovoLookup = [&](QWidget *parentWidget, const char *nome, const char *campo, db::DataSource *lista, const char *chiave,
                           const char *mostrato) {
        auto *l = new ui::DBLookupComboBox(parentWidget);
        l->setObjectName(QString::fromLatin1(nome));
        l->setListSource(lista);
        l->setKeyField(QString::fromLatin1(chiave));
        l->setListField(QString::fromLatin1(mostrato));
        l->setDataSource(source);
        l->setDataField(QString::fromLatin1(campo));
        return l;
    };

    DBEdit7 = aggiungiEdit(QStringLiteral("DBEdit7"), QStringLiteral("N° Rata"), QStringLiteral("Numero"));
    DBEdit1 = aggiungiEdit(QStringLiteral("DBEdit1"), QStringLiteral("Descrizione Operazione"), QStringLiteral("Operazione"));
    DBEdit2 = aggiungiEdit(QStringLiteral("DBEdit2"), QStringLiteral("Data Scadenza"), QStringLiteral("DataScadenza"));

    // The customer and the supplier lookups share one place; the caller shows one of them.
    auto *parte = new QWidget(this);
    auto *h = new QHBoxLayout(parte);
    h->setContentsMargins(0, 0, 0, 0);
    LookClienti = nuovoLookup(parte, "LookClienti", "Cliente_id", form_DB->Source7, "Id", "NominativoVisualizzato");
    LookFornitori = nuovoLookup(parte, "LookFornitori", "Fornitore_id", form_DB->Source9, "Id", "Fornitore");
    h->addWidget(LookClienti, 1);
    h->addWidget(LookFornitori, 1);
    aggiungiRiga(QStringLiteral("Cliente"), parte);
    Label2 = nullptr;
    for (QFormLayout *f : findChildren<QFormLayout *>())
        if (auto *l = qobject_cast<QLabel *>(f->labelForField(parte))) Label2 = l;
    Q_ASSERT(Label2);
    Label2->setObjectName(QStringLiteral("Label2"));
    LookFornitori->setVisible(false);

    DBEdit4 = aggiungiEdit(QStringLiteral("DBEdit4"), QStringLiteral("Importo Totale"), QStringLiteral("Importo"));
    DBEdit5 = aggiungiEdit(QStringLiteral("DBEdit5"), QStringLiteral("Note"), QStringLiteral("Note"));

    DBEdit6 = nuovoEdit("DBEdit6", "DataPagamento");
    Button1 = new QPushButton(QStringLiteral("Oggi"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    aggiungiRiga(QStringLiteral("Data Pagamento effettuato"), rigaConPulsanti(this, DBEdit6, {Button1}));

    DBEdit3 = aggiungiEdit(QStringLiteral("DBEdit3"), QStringLiteral("Dettagli pagamento"), QStringLiteral("Dettagli"));
    DBLookupComboBox1 = aggiungiLookup(QStringLiteral("DBLookupComboBox1"), QStringLiteral("Modalità di pagamento"),
                                       QStringLiteral("ModPagamento_Id"), form_DB->SourceModPaga, QStringLiteral("id"),
                                       QStringLiteral("Descrizione"));
    DBLookupComboBox4 = aggiungiLookup(QStringLiteral("DBLookupComboBox4"), QStringLiteral("Banca"), QStringLiteral("Banca_ID"),
                                       form_DB->Source5, QStringLiteral("ID"), QStringLiteral("Banca"));

    DBEdit9 = nuovoEdit("DBEdit9", "File");
    SpeedButton15 = ui::toolButton(this, QStringLiteral("SpeedButton15"), QString(), QStringLiteral("Cerca il file del pagamento"),
                                   "document-open", QStyle::SP_DialogOpenButton);
    Button7 = new QPushButton(QStringLiteral("Vedi"), this);
    Button7->setObjectName(QStringLiteral("Button7"));
    Button7->setFocusPolicy(Qt::NoFocus);
    aggiungiRiga(QStringLiteral("File"), rigaConPulsanti(this, DBEdit9, {SpeedButton15, Button7}));

    // "prima nota" stands before "Indietro".
    spdPrimaNota = ui::toolButton(this, QStringLiteral("spdPrimaNota"), QStringLiteral("prima nota"),
                                  QStringLiteral("Visualizza in prima nota"), "accessories-text-editor", QStyle::SP_FileDialogListView);
    for (QAction *a : ToolBar2->actions())
        if (ToolBar2->widgetForAction(a) == spdIndietro) {
            ToolBar2->insertWidget(a, spdPrimaNota);
            break;
        }

    completa();
    m_editing->markAmountField(DBEdit4);

    // The save is this editor's own: the instalment with its cash-book row.
    disconnect(spdSalva, &QToolButton::clicked, this, &forms::DetailForm::spdSalvaClick);
    connect(spdSalva, &QToolButton::clicked, this, &TfrmScadenziarioDettaglio::spdSalvaClick);
    connect(Button1, &QPushButton::clicked, this, &TfrmScadenziarioDettaglio::Button1Click);
    connect(SpeedButton15, &QToolButton::clicked, this, &TfrmScadenziarioDettaglio::SpeedButton15Click);
    connect(Button7, &QPushButton::clicked, this, &TfrmScadenziarioDettaglio::Button7Click);
    connect(spdPrimaNota, &QToolButton::clicked, this, &TfrmScadenziarioDettaglio::spdPrimaNotaClick);
}

void TfrmScadenziarioDettaglio::mostraParte(bool fornitore)
{
    Label2->setText(fornitore ? QStringLiteral("Fornitore") : QStringLiteral("Cliente"));
    LookFornitori->setVisible(fornitore);
    LookClienti->setVisible(!fornitore);
}

bool TfrmScadenziarioDettaglio::controllaCampi()
{
    struct Controllo {
        QWidget *campo;
        QString testo;
        const char *messaggio;
    };
    const Controllo controlli[] = {
        {DBEdit2, DBEdit2->text(), "Attenzione manca la data della scadenza !!"},
        {DBEdit1, DBEdit1->text(), "Attenzione manca la descrizione dell'operazione !!"},
        {DBEdit4, DBEdit4->text(), "Attenzione manca l'importo !!"},
        {DBEdit7, DBEdit7->text(), "Attenzione manca il numero cronologico di pagamento !!"},
        {DBLookupComboBox1, DBLookupComboBox1->currentText(), "Attenzione manca la modalità di pagamento !!"},
    };
    for (const Controllo &c : controlli) {
        if (c.testo.isEmpty()) {
            forms::avvisa(this, QString::fromUtf8(c.messaggio), kErrore);
            c.campo->setFocus();
            return false;
        }
    }
    // A date box holding a text that is no date would store the old date (the field refuses
    // the text) while the form shows another, and a payment would count without its date.
    for (ui::DBEdit *d : {DBEdit2, DBEdit6}) {
        const QString t = d->text().trimmed();
        if (!t.isEmpty() && !db::parseDayFirst(t).isValid()) {
            forms::avvisa(this, QStringLiteral("Attenzione data non valida: %1").arg(t), kErrore);
            d->setFocus();
            return false;
        }
    }
    return true;
}

void TfrmScadenziarioDettaglio::spdSalvaClick()
{
    SalvataggioFallito = false;
    if (!controllaCampi()) {
        SalvataggioFallito = true;
        return;
    }
    db::Query *q = dataset();
    if (!q->isActive() || q->isEmpty()) return;
    const qint64 id = q->fieldByName(kId).asLargeInt();
    // What is still being typed goes into the row first, so that it is kept if the save fails.
    Q_EMIT q->updateRecord();
    if (!q->isEditing()) q->edit();
    // Paid exactly when a payment date is shown; the service keeps the cash book in step.
    if (DBEdit6->text().trimmed().isEmpty()) {
        q->fieldByName(QStringLiteral("DataPagamento")).clear();
        q->fieldByName(QStringLiteral("Finanzia_id")).clear();
        q->fieldByName(QStringLiteral("Pagato")).setAsBoolean(false);
    } else {
        q->fieldByName(QStringLiteral("Pagato")).setAsBoolean(true);
    }
    // What the user sees, to put back when the unit of work is rolled back.
    QList<QVariant> valori;
    for (int i = 0; i < q->fieldCount(); ++i) valori << q->value(i);
    scadenziario::EsitoSalvataggio esito;
    try {
        esito = scadenziario::salvaScadenza(form_DB->Connessione, id, [q] { return common::SalvaRecord(*q, kId); });
    } catch (const db::DbError &e) {
        // Nothing was stored: the dataset reads the row again and gets the edits back.
        if (q->isEditing()) q->cancel();
        q->requery();
        if (q->locate(kId, id)) {
            q->edit();
            for (int i = 0; i < q->fieldCount() && i < valori.size(); ++i)
                if (q->value(i) != valori[i]) q->setValue(i, valori[i]);
        }
        ui::showError(e.message(), kErrore, this);
        SalvataggioFallito = true;
        return;
    }
    if (!esito.salvato) {
        SalvataggioFallito = true;
        return;
    }
    // The row as stored, its paid mark and cash-book link included.
    if (q->isEditing()) q->cancel();
    common::RicaricaDataset(*q, kId);
    // The schedule shows the change and keeps its place.
    db::Query *cerca = form_DB->TableCercaFattureScadenze;
    if (cerca->isActive() && !cerca->isArmed()) {
        cerca->requery();
        cerca->locate(kId, id);
    }
    DatiModificati = false;
}

void TfrmScadenziarioDettaglio::spdIndietroClick()
{
    // Only this editor's save can keep it open; the family's own save is never run here.
    if (DatiModificati) {
        spdSalvaClick();
        if (SalvataggioFallito) return;
    }
    DatiModificati = false;
    forms::DetailForm::spdIndietroClick();
}

void TfrmScadenziarioDettaglio::Button1Click()
{
    db::Query *q = dataset();
    if (!q->isActive() || q->recordCount() < 1) return;
    if (!q->isEditing()) q->edit();
    q->fieldByName(QStringLiteral("DataPagamento")).setValue(core::Clock::instance().today());
    DatiModificati = true;
}

void TfrmScadenziarioDettaglio::SpeedButton15Click()
{
    const QString file = ui::Dialogs::instance().openFile(this, QString(), QString(), QString());
    if (file.isEmpty()) return;
    db::Query *q = dataset();
    if (!q->isActive() || q->isEmpty()) return;
    if (!q->isEditing()) q->edit();
    q->fieldByName(QStringLiteral("File")).setAsString(QFileInfo(file).absoluteFilePath());
    DatiModificati = true;
}

void TfrmScadenziarioDettaglio::Button7Click()
{
    db::Query *q = dataset();
    if (!q->isActive() || q->isEmpty() || q->fieldByName(QStringLiteral("File")).isNull()) {
        forms::avvisa(this, QStringLiteral("Attenzione manca il percorso dell'immagine"), kErrore);
        return;
    }
    const QString percorso = q->fieldByName(QStringLiteral("File")).asString();
    if (QFileInfo::exists(percorso)) {
        ui::Launcher::instance().open(percorso);
        return;
    }
    forms::avvisa(this, QStringLiteral("Il file: ") + percorso + QStringLiteral(" non esiste più oppure e' stato spostato !!!"),
                  kErrore);
}

void TfrmScadenziarioDettaglio::spdPrimaNotaClick()
{
    db::Query *q = dataset();
    if (!CassaDettaglio || !q->isActive() || q->isEmpty()) return;
    if (!scadenze::duplicaInPrimaNota(form_DB->Connessione)) return;
    if (q->fieldByName(QStringLiteral("Finanzia_id")).asLargeInt() <= 0) return;
    db::Query *t2 = form_DB->Table2;
    t2->setFilter(QString());
    t2->close();
    // The row is found by the instalment, whatever Finanzia_id says.
    t2->setSql(QStringLiteral("Select * from finanzia where FatturaScadenze_Id = %1").arg(q->fieldByName(kId).asLargeInt()));
    t2->open();
    CassaDettaglio->abilitaCampiDocumento(true);
    CassaDettaglio->mostra();
}

namespace {
// Created once at start-up, in the program's order.
const bool registrato = forms::registra(frmScadenziarioDettaglio, "frmScadenziarioDettaglio");
} // namespace
