#include "FornitoriDett.h"
#include "DettaglioAnagrafica.h"
#include "forms/Family.h"
#include "forms/Registro.h"
#include "masterdata/services/Fornitori.h"

#include "common/RecordHelpers.h"
#include "data/DB.h"
#include "db/Query.h"
#include "widgets/DBCheckBox.h"
#include "widgets/DBEdit.h"
#include "widgets/DBLookupComboBox.h"
#include "widgets/DBMemo.h"
#include "widgets/ToolButton.h"

#include <QFocusEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>

namespace {
const QString kGiaPresente = QStringLiteral("Attenzione si è caricato un fornitore già presente in archivio");
} // namespace

TfrmFornitDett::TfrmFornitDett(QWidget *parent)
    : forms::DetailForm(
          [] {
              Config c;
              c.nome = QStringLiteral("frmFornitDett");
              c.titolo = QStringLiteral("Fornitori");
              c.helpContext = 1100;
              c.dataset = form_DB->Table9;
              c.source = form_DB->Source9;
              c.conAiuto = true;
              c.captionSalva = QStringLiteral("salva");
              return c;
          }(),
          parent)
{
    spdStampa = ui::toolButton(this, QStringLiteral("spdStampa"), QStringLiteral("Stampa"), QStringLiteral("Stampa Privacy"),
                               "document-print", QStyle::SP_FileIcon);
    QAction *indietro = nullptr;
    for (QAction *a : ToolBar2->actions())
        if (ToolBar2->widgetForAction(a) == spdIndietro) indietro = a;
    ToolBar2->insertWidget(indietro, spdStampa);

    TabSheet1 = aggiungiPagina(QStringLiteral("TabSheet1"), QStringLiteral("  Generale  "));
    DBCheckBox1 = aggiungiCheck(QStringLiteral("DBCheckBox1"), QStringLiteral("Annullato"), QStringLiteral("Annullato"));
    DBCheckBox2 = aggiungiCheck(QStringLiteral("DBCheckBox2"), QStringLiteral("Consenso Privacy"), QStringLiteral("PrivacyFirmata"));
    DBCheckBox3 = aggiungiCheck(QStringLiteral("DBCheckBox3"), QStringLiteral("importato da xml"), QStringLiteral("ImportatoXml"));
    aggiungiEdit(QStringLiteral("DBEdit8"), QStringLiteral("Codice"), QStringLiteral("Codice"));
    const auto categoria = aggiungiLookup(QStringLiteral("DBLookupComboBox1"), QStringLiteral("Categoria"),
                                          QStringLiteral("Categoria_ID"), form_DB->SourceCategoriaFornitori,
                                          QStringLiteral("ID"), QStringLiteral("Descrizione"),
                                          {QStringLiteral("frmCategorieFornitori_Griglia"),
                                           {QStringLiteral("SpeedButton4"), QStringLiteral("Modifica la categoria")},
                                           {QStringLiteral("SpeedButton3"), QStringLiteral("Aggiungi una categoria")}});
    DBLookupComboBox1 = categoria.lookup;
    SpeedButton4 = categoria.modifica;
    SpeedButton3 = categoria.aggiungi;
    DBEdit1 = aggiungiEdit(QStringLiteral("DBEdit1"), QStringLiteral("Rag. Sociale"), QStringLiteral("Fornitore"));
    richiesto(DBEdit1, QStringLiteral("Attenzione manca la denominazione del fornitore"));
    aggiungiEdit(QStringLiteral("DBEdit2"), QStringLiteral("Cognome"), QStringLiteral("Cognome"));
    aggiungiEdit(QStringLiteral("DBEdit3"), QStringLiteral("Nome"), QStringLiteral("Nome"));
    aggiungiEdit(QStringLiteral("DBEdit4"), QStringLiteral("Titolo"), QStringLiteral("Titolo"));
    aggiungiEdit(QStringLiteral("DBEdit5"), QStringLiteral("Cod. Eori"), QStringLiteral("CodEORI"));
    DBEdit9 = aggiungiEdit(QStringLiteral("DBEdit9"), QStringLiteral("Partita Iva"), QStringLiteral("Iva"));
    DBEdit10 = aggiungiEdit(QStringLiteral("DBEdit10"), QStringLiteral("Codice Fiscale"), QStringLiteral("CodFiscale"));
    DBLookupComboBox2 = aggiungiLookup(QStringLiteral("DBLookupComboBox2"), QStringLiteral("Nazione"), QStringLiteral("IdPaese"),
                                       form_DB->SourceNazioni, QStringLiteral("SIGLA"), QStringLiteral("DENOMINAZ"));
    aggiungiEdit(QStringLiteral("DBEdit6"), QStringLiteral("Via / Piazza"), QStringLiteral("VIA"));
    aggiungiEdit(QStringLiteral("DBEdit7"), QStringLiteral("N°"), QStringLiteral("Numero"));
    const auto comune = aggiungiLookup(QStringLiteral("DBLookupComboBox3"), QStringLiteral("Comune"), QStringLiteral("Comune"),
                                       form_DB->Source8, QStringLiteral("Comune"), QStringLiteral("Comune"),
                                       {QStringLiteral("frmGrigliaComuni"),
                                        {QStringLiteral("SpeedButton8"), QStringLiteral("Modifica il comune")},
                                        {QStringLiteral("SpeedButton9"), QStringLiteral("Aggiungi un comune")},
                                        QStringLiteral("Comune_id")});
    DBLookupComboBox3 = comune.lookup;
    SpeedButton8 = comune.modifica;
    SpeedButton9 = comune.aggiungi;
    {
        auto *riga = new QWidget(TabSheet1);
        auto *hc = new QHBoxLayout(riga);
        hc->setContentsMargins(0, 0, 0, 0);
        auto *cap = new ui::DBEdit(riga);
        cap->setObjectName(QStringLiteral("DBEdit11"));
        cap->setDataSource(form_DB->Source9);
        cap->setDataField(QStringLiteral("Cap"));
        cap->setFocusPolicy(Qt::ClickFocus);
        SpeedButton23 = ui::toolButton(riga, QStringLiteral("SpeedButton23"), QString(), QStringLiteral("Trova il Cap"),
                                       "edit-find", QStyle::SP_FileDialogContentsView);
        SpeedButton23->setToolButtonStyle(Qt::ToolButtonIconOnly);
        hc->addWidget(cap, 1);
        hc->addWidget(SpeedButton23);
        aggiungiRiga(QStringLiteral("Cap"), riga);
    }
    aggiungiEdit(QStringLiteral("DBEdit12"), QStringLiteral("Provincia"), QStringLiteral("Provincia"))->setFocusPolicy(Qt::ClickFocus);
    aggiungiEdit(QStringLiteral("DBEdit13"), QStringLiteral("Telefono"), QStringLiteral("Telefono"));
    aggiungiEdit(QStringLiteral("DBEdit14"), QStringLiteral("Telefono 2"), QStringLiteral("Telefono2"));
    aggiungiEdit(QStringLiteral("DBEdit15"), QStringLiteral("Cellulare"), QStringLiteral("Cellulare"));
    aggiungiEdit(QStringLiteral("DBEdit16"), QStringLiteral("Fax"), QStringLiteral("Fax"));
    aggiungiEdit(QStringLiteral("DBEdit17"), QStringLiteral("Email"), QStringLiteral("Email"));
    aggiungiEdit(QStringLiteral("DBEdit18"), QStringLiteral("Pec"), QStringLiteral("Pec"));
    aggiungiEdit(QStringLiteral("DBEdit19"), QStringLiteral("Skype"), QStringLiteral("Skype"));
    aggiungiEdit(QStringLiteral("DBEdit20"), QStringLiteral("Internet"), QStringLiteral("Internet"));
    DBMemo1 = new ui::DBMemo(TabSheet1);
    DBMemo1->setObjectName(QStringLiteral("DBMemo1"));
    DBMemo1->setDataSource(form_DB->Source9);
    DBMemo1->setDataField(QStringLiteral("DestinazioneMerce"));
    DBMemo1->setMaximumHeight(60);
    aggiungiRiga(QStringLiteral("Destinazione Merce"), DBMemo1);
    aggiungiEdit(QStringLiteral("DBEdit21"), QStringLiteral("Note"), QStringLiteral("Note"));

    // Codice to N° on the left, the town and the contacts on the right.
    masterdata::dueColonne(TabSheet1, 15);

    TabSheet2 = aggiungiPagina(QStringLiteral("TabSheet2"), QStringLiteral("  Dati Economici  "));
    const auto pagamento = aggiungiLookup(QStringLiteral("DBLookupComboBox4"), QStringLiteral("Modalità di pagamento"),
                                          QStringLiteral("Pagamento_ID"), form_DB->SourceModPaga, QStringLiteral("Id"),
                                          QStringLiteral("Descrizione"),
                                          {QStringLiteral("frmModPagam"),
                                           {QStringLiteral("SpeedButton2"), QStringLiteral("Modifica la modalità di pagamento")},
                                           {QStringLiteral("SpeedButton5"), QStringLiteral("Aggiungi una modalità di pagamento")}});
    DBLookupComboBox4 = pagamento.lookup;
    SpeedButton2 = pagamento.modifica;
    SpeedButton5 = pagamento.aggiungi;
    aggiungiEdit(QStringLiteral("DBEdit22"), QStringLiteral("Iban"), QStringLiteral("Iban"));
    aggiungiEdit(QStringLiteral("DBEdit23"), QStringLiteral("Banca"), QStringLiteral("DescBanca"));
    btnAssegnoFornitori = new QPushButton(QStringLiteral("Paga fatture"), TabSheet2);
    btnAssegnoFornitori->setObjectName(QStringLiteral("btnAssegnoFornitori"));
    btnAssegnoFornitori->setAutoDefault(false);
    aggiungiRiga(QString(), btnAssegnoFornitori);
    aggiungiEdit(QStringLiteral("DBEdit24"), QStringLiteral("Saldo inizio anno"), QStringLiteral("SaldoInizioAnno"));

    for (QToolButton *b : {SpeedButton2, SpeedButton3, SpeedButton4, SpeedButton5, SpeedButton8, SpeedButton9, SpeedButton23}) {
        b->setIconSize(QSize(16, 16));
        b->setAutoRaise(true);
    }
    for (QWidget *w : {static_cast<QWidget *>(DBEdit1), static_cast<QWidget *>(DBEdit9), static_cast<QWidget *>(DBEdit10)})
        w->installEventFilter(this);

    // The family's "Salva" saves without the transaction of this detail.
    disconnect(spdSalva, nullptr, this, nullptr);
    connect(spdSalva, &QToolButton::clicked, this, &TfrmFornitDett::spdSalvaClick);
    // "Annulla" with Yes abandons the name typed too.
    connect(spdAnnulla, &QToolButton::clicked, this, [this] {
        if (!isVisible()) NomeFornitoreModificato = false;
    });
    connect(spdStampa, &QToolButton::clicked, this, &TfrmFornitDett::spdStampaClick);
    connect(btnAssegnoFornitori, &QPushButton::clicked, this, &TfrmFornitDett::btnAssegnoFornitoriClick);
    connect(SpeedButton23, &QToolButton::clicked, this, &TfrmFornitDett::SpeedButton23Click);
    connect(DBLookupComboBox3, &ui::DBLookupComboBox::picked, this, &TfrmFornitDett::DBLookupComboBox3Click);
    connect(DBLookupComboBox3, &ui::DBLookupComboBox::cleared, this, [this] {
        db::Query *q = dataset();
        q->edit();
        for (const char *campo : {"Comune", "Cap", "Provincia", "Comune_id"}) q->fieldByName(QLatin1String(campo)).clear();
        DatiModificati = true;
    });    adjustSize();
}

qint64 TfrmFornitDett::idCorrente() const
{
    return dataset()->isEmpty() ? 0 : dataset()->fieldByName(QStringLiteral("Id")).asLargeInt();
}

bool TfrmFornitDett::eventFilter(QObject *watched, QEvent *e)
{
    if (watched == DBEdit1 && masterdata::modificaNome(e)) NomeFornitoreModificato = true;
    if (watched == DBEdit9 && masterdata::uscitaUtente(e)) DBEdit9Exit();
    if (watched == DBEdit10 && masterdata::uscitaUtente(e)) DBEdit10Exit();
    return forms::DetailForm::eventFilter(watched, e);
}

void TfrmFornitDett::spdSalvaClick()
{
    SalvataggioFallito = false;
    db::Query *q = dataset();
    if (q->isEmpty()) return;
    // What is still being typed belongs to the row.
    Q_EMIT q->updateRecord();
    q->edit();
    q->fieldByName(QStringLiteral("Annullato")).setAsBoolean(DBCheckBox1->isChecked());
    if (DBEdit1->text().isEmpty()) {
        forms::avvisa(this, QStringLiteral("Attenzione manca la denominazione del fornitore"), QStringLiteral("Messaggio di errore"));
        {
            const QSignalBlocker quiet(PageControl1);
            PageControl1->setCurrentIndex(0);
        }
        DBEdit1->setFocus();
        SalvataggioFallito = true;
        return;
    }
    const qint64 id = idCorrente();
    fornitori::EsitoSalvataggio esito;
    const bool riuscito = masterdata::salvaRiga(this, q, id, [&] {
        esito = fornitori::salva(form_DB->Connessione, id, NomeFornitoreModificato,
                                 [q] { return common::SalvaRecord(*q, QStringLiteral("Id")); });
        return esito.salvato;
    });
    if (!riuscito) {
        SalvataggioFallito = true;
        return;
    }
    if (NomeFornitoreModificato) {
        NomeFornitoreModificato = false;
        for (db::Query *d : {form_DB->TableMovimentiCaricoTestata, form_DB->TableNotaCreditoFornitore})
            if (d->isActive()) common::RicaricaDataset(*d, QStringLiteral("ID"));
    }
    DatiModificati = false;
}

void TfrmFornitDett::spdIndietroClick()
{
    if (DatiModificati) {
        spdSalvaClick();
        if (SalvataggioFallito) return;
    }
    forms::DetailForm::spdIndietroClick();
}

void TfrmFornitDett::btnAssegnoFornitoriClick()
{
    // The open instalments of this supplier's purchase invoices, paid several at once.
    const forms::VoceForm *v = forms::Registro::istanza().voce(QStringLiteral("frmPagaFatture"));
    QWidget *w = v && v->corrente ? v->corrente() : nullptr;
    if (!w || dataset()->isEmpty()) return;
    QMetaObject::invokeMethod(w, "apri", Q_ARG(bool, true), Q_ARG(qlonglong, idCorrente()));
}

void TfrmFornitDett::spdStampaClick()
{
    if (dataset()->isEmpty()) return;
    if (DatiModificati) {
        spdSalvaClick();
        // What is printed is what is stored.
        if (SalvataggioFallito) return;
    }
    CodiceStampa = 59;
    form_DB->Button2Click();
}

void TfrmFornitDett::SpeedButton23Click()
{
    if (masterdata::trovaCap(this, DBLookupComboBox3, DBLookupComboBox3->currentText(), dataset())) DatiModificati = true;
}

void TfrmFornitDett::DBEdit9Exit()
{
    masterdata::controllaPartitaIva(
        this, DBEdit9->text(),
        [this] { return fornitori::duplicatiPartitaIva(form_DB->Connessione, DBEdit9->text(), idCorrente()); }, kGiaPresente);
}

void TfrmFornitDett::DBEdit10Exit()
{
    masterdata::controllaCodiceFiscale(
        this, DBEdit10->text(),
        [this] { return fornitori::duplicatiCodiceFiscale(form_DB->Connessione, DBEdit10->text(), idCorrente()); },
        kGiaPresente);
}

void TfrmFornitDett::DBLookupComboBox3Click()
{
    DatiModificati = true;
    masterdata::copiaComune(dataset());
}

namespace {
// Created once at start-up, in the program's order.
const bool registrati = forms::registra(frmFornitDett, "frmFornitDett");
} // namespace
