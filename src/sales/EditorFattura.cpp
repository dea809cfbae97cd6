#include "EditorFattura.h"
#include "PagineDocumento.h"
#include "SalvataggioRighe.h"

#include "common/RecordHelpers.h"
#include "data/DB.h"
#include "db/DbError.h"
#include "db/Query.h"
#include "forms/Family.h"
#include "forms/ListForm.h"
#include "forms/Impaginazione.h"
#include "forms/Registro.h"
#include "masterdata/DettaglioAnagrafica.h"
#include "sales/services/Fatture.h"
#include "sales/services/Scadenze.h"
#include "widgets/DBCheckBox.h"
#include "widgets/DBEdit.h"
#include "widgets/DBLookupComboBox.h"
#include "widgets/EditingHelper.h"
#include "widgets/ToolButton.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>

namespace {

using forms::creata;
using forms::spostaUltimaRiga;
using forms::rigaAccanto;
using forms::soloNumeri;
using forms::piccolo;
using forms::tastoCancella;

const QString kErrore = QStringLiteral("Messaggio di errore");

forms::EditorDocumento::Tipo tipoFattura()
{
    forms::EditorDocumento::Tipo t;
    t.dettaglio.nome = QStringLiteral("Form7");
    t.dettaglio.titolo = QStringLiteral("Fatturazione");
    t.dettaglio.helpContext = 5500;
    t.dettaglio.dataset = form_DB->Table3;
    t.dettaglio.source = form_DB->Source3;
    t.dettaglio.conAiuto = true;
    t.dettaglio.salvaCambiandoPagina = true;
    t.dettaglio.annulla = forms::DetailForm::Annulla::TramiteLista;
    t.righe.griglia = QStringLiteral("DBGrid2");
    t.righe.dataset = form_DB->Table4;
    t.righe.source = form_DB->Source4;
    t.righe.sql = [](qint64 id) {
        return QStringLiteral("select * from fattdett where NumFatt = %1 order by NumeroRiga").arg(id);
    };
    t.scadenze = vendite::scadenzeDocumento();
    t.chiaveRighe = QStringLiteral("Idx");
    t.salvaRighe = vendite::salvataggioRighe(vendite::Righe::Fattura);
    return t;
}

} // namespace

TForm7::TForm7(QWidget *parent) : forms::EditorDocumento(tipoFattura(), parent)
{
    creaBarra();
    creaTestata();
    aggiungiPagina(QStringLiteral("TabSheet2"), QStringLiteral("  Righe  "));
    creaPaginaRighe();
    aggiungiPagina(QStringLiteral("TabSheet3"), QStringLiteral("  Ordini  "));
    creaPaginaOrdini();
    aggiungiPagina(QStringLiteral("TabSheet4"), QStringLiteral("  Accompagnatoria  "));
    creaPaginaAccompagnatoria();
    aggiungiPagina(QStringLiteral("TabSheet5"), QStringLiteral("  Importazioni  "));
    creaPaginaImportazioni();
    aggiungiPagina(QStringLiteral("TabSheet6"), QStringLiteral("  Allegati  "));
    creaPaginaAllegati();
    creaAltro();
    completa();
    eccezioniEditing();
    setMinimumSize(900, 640);
    // Wide enough for the rows page's whole tool bar and the grid's columns.
    resize(1180, 700);
}

void TForm7::creaBarra()
{
    // Between "Aiuto" and "Indietro": prima nota, Stampa, Esporta xml; the totals' hidden "Salva".
    spdPrimaNota = ui::toolButton(this, QStringLiteral("spdPrimaNota"), QStringLiteral("prima nota"),
                                  QStringLiteral("Visualizza in prima nota"), "accessories-text-editor", QStyle::SP_FileDialogListView);
    spdStampa = ui::toolButton(this, QStringLiteral("spdStampa"), QStringLiteral("Stampa"), QStringLiteral("Stampa il documento"),
                               "document-print", QStyle::SP_FileIcon);
    spdFatturaXml = ui::toolButton(this, QStringLiteral("spdFatturaXml"), QStringLiteral("Esporta xml"),
                                   QStringLiteral("Esporta la fattura come documento xml"), "text-xml", QStyle::SP_DriveNetIcon);
    SpeedButton3 = ui::toolButton(this, QStringLiteral("SpeedButton3"), QStringLiteral("Salva"), QString(), "document-save",
                                  QStyle::SP_DialogSaveButton);
    QAction *indietro = nullptr;
    for (QAction *a : ToolBar2->actions())
        if (ToolBar2->widgetForAction(a) == spdIndietro) indietro = a;
    ToolBar2->insertWidget(indietro, spdPrimaNota);
    ToolBar2->insertWidget(indietro, spdStampa);
    ToolBar2->insertWidget(indietro, spdFatturaXml);
    ToolBar2->insertWidget(indietro, SpeedButton3)->setVisible(false);
    connect(spdStampa, &QToolButton::clicked, this, &TForm7::spdStampaClick);
    connect(SpeedButton3, &QToolButton::clicked, this, &TForm7::SpeedButton3Click);
    // The cash-book view of the invoice belongs to the side pages' functions.
    if (metaObject()->indexOfSlot("spdPrimaNotaClick()") >= 0)
        connect(spdPrimaNota, SIGNAL(clicked()), this, SLOT(spdPrimaNotaClick()));
    else
        spdPrimaNota->setEnabled(false);
    // The FatturaPA export comes with the electronic invoicing.
    if (metaObject()->indexOfSlot("spdFatturaXmlClick()") >= 0)
        connect(spdFatturaXml, SIGNAL(clicked()), this, SLOT(spdFatturaXmlClick()));
    else
        spdFatturaXml->setEnabled(false);
}

void TForm7::creaTestata()
{
    QWidget *pagina = aggiungiPagina(QStringLiteral("TabSheet1"), QStringLiteral("  Testata  "));
    DBEdit1 = aggiungiEdit(QStringLiteral("DBEdit1"), QStringLiteral("Data di emissione F."), QStringLiteral("Data"));
    DBEdit2 = aggiungiEdit(QStringLiteral("DBEdit2"), QStringLiteral("Numero fattura"), QStringLiteral("Num"));
    DBSerie = aggiungiLookup(QStringLiteral("DBSerie"), QStringLiteral("Serie"), QStringLiteral("SerieFatturazione"),
                             form_DB->SourceSerieFatturazione, QStringLiteral("Serie"), QStringLiteral("Serie"));
    DBCheckBox3 = aggiungiCheck(QStringLiteral("DBCheckBox3"), QStringLiteral("Esp. Xml"), QStringLiteral("EsportatoXml"));
    DBCheckBox2 = aggiungiCheck(QStringLiteral("DBCheckBox2"), QStringLiteral("Non Numerare"), QStringLiteral("NonNumerare"));
    DBEdit13 = aggiungiEdit(QStringLiteral("DBEdit13"), QStringLiteral("Tramissione Num. Interno"),
                            QStringLiteral("DatiTrasmissione_NumeroInterno"));
    DBEdit12 = aggiungiEdit(QStringLiteral("DBEdit12"), QStringLiteral("Progressivo Trasmissione"),
                            QStringLiteral("DatiTrasmissione_ProgressivoInvio"));
    DBLookupComboBox8 = aggiungiLookup(QStringLiteral("DBLookupComboBox8"), QStringLiteral("Tipo Fatturazione"),
                                       QStringLiteral("TipoFatturazione_Id"), form_DB->SourceTipoFatturazione, QStringLiteral("Id"),
                                       QStringLiteral("Descrizione"));
    const auto cliente = aggiungiLookup(QStringLiteral("DBLookupComboBox2"), QStringLiteral("Cliente"), QStringLiteral("Cliente_ID"),
                                        form_DB->Source7, QStringLiteral("Id"), QStringLiteral("NominativoVisualizzato"),
                                        {QStringLiteral("frmClienti"),
                                         {QStringLiteral("SpeedButton4"), QStringLiteral("Modifica il cliente")},
                                         {QStringLiteral("SpeedButton2"), QStringLiteral("Aggiungi un cliente")}});
    DBLookupComboBox2 = cliente.lookup;
    SpeedButton4 = cliente.modifica;
    SpeedButton2 = cliente.aggiungi;
    SpeedButton5 = ui::toolButton(cliente.lookup->parentWidget(), QStringLiteral("SpeedButton5"), QString(),
                                  QStringLiteral("Cerca il cliente nell'elenco"), "edit-find", QStyle::SP_FileDialogContentsView);
    qobject_cast<QHBoxLayout *>(cliente.lookup->parentWidget()->layout())->addWidget(SpeedButton5);
    const int primaDestra = qobject_cast<QFormLayout *>(pagina->layout())->rowCount();

    DBEdit4 = aggiungiEdit(QStringLiteral("DBEdit4"), QStringLiteral("Targa"), QStringLiteral("Targa"));
    DBLookupComboBox5 = aggiungiLookup(QStringLiteral("DBLookupComboBox5"), QStringLiteral("Tariffa"), QStringLiteral("TipoTariffa_Id"),
                                       form_DB->SourceTipoTariffe, QStringLiteral("Id"), QStringLiteral("Descrizione"));
    DBEdit6 = aggiungiEdit(QStringLiteral("DBEdit6"), QStringLiteral("Data ingres."), QStringLiteral("DataIngressoVeicolo"));
    DBEdit7 = aggiungiEdit(QStringLiteral("DBEdit7"), QStringLiteral("Data uscita"), QStringLiteral("DataUscitaVeicolo"));
    QHBoxLayout *uscita = rigaAccanto(pagina, DBEdit7);
    const auto fermo = aggiungiLookup(QStringLiteral("DBLookupComboBox13"), QStringLiteral("Luogo di fermo"),
                                      QStringLiteral("ComuneFermo_ID"), form_DB->Source8, QStringLiteral("Id"), QStringLiteral("Comune"),
                                      {QStringLiteral("frmGrigliaComuni"),
                                       {QStringLiteral("SpeedButton12"), QStringLiteral("Modifica il comune")},
                                       {QStringLiteral("SpeedButton13"), QStringLiteral("Aggiungi un comune")}});
    DBLookupComboBox13 = fermo.lookup;
    SpeedButton12 = fermo.modifica;
    SpeedButton13 = fermo.aggiungi;
    const auto destinazione = aggiungiLookup(QStringLiteral("DBLookupComboBox12"), QStringLiteral("Destinazione"),
                                             QStringLiteral("ComuneDestinazione_ID"), form_DB->Source8, QStringLiteral("Id"),
                                             QStringLiteral("Comune"),
                                             {QStringLiteral("frmGrigliaComuni"),
                                              {QStringLiteral("SpeedButton16"), QStringLiteral("Modifica il comune")},
                                              {QStringLiteral("SpeedButton17"), QStringLiteral("Aggiungi un comune")}});
    DBLookupComboBox12 = destinazione.lookup;
    SpeedButton16 = destinazione.modifica;
    SpeedButton17 = destinazione.aggiungi;
    DBEdit8 = aggiungiEdit(QStringLiteral("DBEdit8"), QStringLiteral("Km"), QStringLiteral("Km"));
    DBEdit9 = aggiungiEdit(QStringLiteral("DBEdit9"), QStringLiteral("GG"), QStringLiteral("Giorni"));
    Button1 = new QPushButton(QStringLiteral("Calcola"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setAutoDefault(false);
    rigaAccanto(pagina, DBEdit9)->addWidget(Button1);
    TotImp = aggiungiEdit(QStringLiteral("TotImp"), QStringLiteral("Totale Imponibile"), QStringLiteral("TotImponibile"));
    TotImposta = aggiungiEdit(QStringLiteral("TotImposta"), QStringLiteral("Totale Imposta"), QStringLiteral("TotImposta"));
    TotFattura = aggiungiEdit(QStringLiteral("TotFattura"), QStringLiteral("Totale Fattura"), QStringLiteral("TotFattura"));
    masterdata::dueColonne(pagina, primaDestra);

    GroupBox1 = new QGroupBox(QStringLiteral("Pagamenti"), pagina);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setStyleSheet(QStringLiteral("QGroupBox#GroupBox1 { background-color: rgb(255, 255, 128); }"));
    auto *pagamenti = new QFormLayout(GroupBox1);
    const auto banca = aggiungiLookup(QStringLiteral("DBLookupComboBox4"), QStringLiteral("Banca"), QStringLiteral("Banca_ID"),
                                      form_DB->Source5, QStringLiteral("ID"), QStringLiteral("Banca"),
                                      {QStringLiteral("frmGrigliaBanche"),
                                       {QStringLiteral("SpeedButton10"), QStringLiteral("Modifica la banca")},
                                       {QStringLiteral("SpeedButton11"), QStringLiteral("Aggiungi una banca")}});
    spostaUltimaRiga(pagina, pagamenti);
    DBLookupComboBox4 = banca.lookup;
    SpeedButton10 = banca.modifica;
    SpeedButton11 = banca.aggiungi;
    const auto modalita = aggiungiLookup(QStringLiteral("DBLookupComboBox6"), QStringLiteral("Modalità pagamento"),
                                         QStringLiteral("ModPagamento_Id"), form_DB->SourceModPaga, QStringLiteral("Id"),
                                         QStringLiteral("Descrizione"),
                                         {QStringLiteral("frmModPagam"),
                                          {QStringLiteral("SpeedButton8"), QStringLiteral("Modifica la modalità di pagamento")},
                                          {QStringLiteral("SpeedButton9"), QStringLiteral("Aggiungi una modalità di pagamento")}});
    spostaUltimaRiga(pagina, pagamenti);
    DBLookupComboBox6 = modalita.lookup;
    SpeedButton8 = modalita.modifica;
    SpeedButton9 = modalita.aggiungi;
    // The grid comes with its label "Scadenza Pagamenti".
    pagamenti->addRow(creaGrigliaScadenze());
    aggiungiRiga(QString(), GroupBox1);
    // The seizure button of the side pages sits beside the exit date.
    if (auto *sequestri = findChild<QToolButton *>(QStringLiteral("btnSequestri"))) uscita->addWidget(sequestri);

    for (QToolButton *b : {SpeedButton2, SpeedButton4, SpeedButton5, SpeedButton8, SpeedButton9, SpeedButton10, SpeedButton11,
                           SpeedButton12, SpeedButton13, SpeedButton16, SpeedButton17})
        piccolo(b);
    for (QLineEdit *e : {static_cast<QLineEdit *>(DBEdit2), static_cast<QLineEdit *>(DBEdit13), static_cast<QLineEdit *>(DBEdit12),
                         static_cast<QLineEdit *>(DBEdit9)})
        soloNumeri(e, false);
    for (QLineEdit *e : {static_cast<QLineEdit *>(DBEdit8), static_cast<QLineEdit *>(TotImp),
                         static_cast<QLineEdit *>(TotImposta), static_cast<QLineEdit *>(TotFattura)})
        soloNumeri(e, true);

    // The customer is left by the mouse or Tab: the check below has no field to move to.
    richiesto(DBEdit1, QStringLiteral("Attenzione manca la data"));
    richiesto(DBEdit2, QStringLiteral("Attenzione manca il numero di fattura"));
    richiesto(DBLookupComboBox2, QStringLiteral("Attenzione manca il cliente della fattura"), false);
    richiesto(DBLookupComboBox6, QStringLiteral("Attenzione manca la Modalità di pagamento"));

    // The family's buttons open the customer's detail; the invoice's own pick and handlers.
    connect(SpeedButton5, &QToolButton::clicked, this, &TForm7::SpeedButton5Click);
    connect(Button1, &QPushButton::clicked, this, &TForm7::Button1Click);
    connect(DBLookupComboBox2, &ui::DBLookupComboBox::picked, this, &TForm7::DBLookupComboBox2Click);
    connect(DBLookupComboBox4, &ui::DBLookupComboBox::picked, this, &TForm7::DBLookupComboBox4Click);
    connect(DBLookupComboBox6, &ui::DBLookupComboBox::picked, this, &TForm7::DBLookupComboBox6Click);
    connect(DBLookupComboBox2, &ui::DBLookupComboBox::cleared, this, &TForm7::DBLookupComboBox2KeyDown);
    connect(DBLookupComboBox4, &ui::DBLookupComboBox::cleared, this, &TForm7::DBLookupComboBox4KeyDown);
    connect(DBLookupComboBox6, &ui::DBLookupComboBox::cleared, this, &TForm7::DBLookupComboBox6KeyDown);
    for (ui::DBLookupComboBox *l : {DBSerie, DBLookupComboBox8, DBLookupComboBox5, DBLookupComboBox13, DBLookupComboBox12})
        connect(l, &ui::DBLookupComboBox::picked, this, [this] { DatiModificati = true; });
    for (ui::DBLookupComboBox *l : {DBLookupComboBox8, DBLookupComboBox5, DBLookupComboBox13, DBLookupComboBox12})
        connect(l, &ui::DBLookupComboBox::cleared, this, [this] { DatiModificati = true; });
    // Backspace in the series does not count as a change of the invoice.
    connect(DBSerie, &ui::DBLookupComboBox::cleared, this, [this] { DatiModificati = m_modificatiPrimaDelTasto; });
}

void TForm7::creaAltro()
{
    QWidget *pagina = aggiungiPagina(QStringLiteral("TabSheet7"), QStringLiteral("  Altro  "));
    GroupBox7 = new QGroupBox(pagina);
    GroupBox7->setObjectName(QStringLiteral("GroupBox7"));
    DBEdit5 = aggiungiEdit(QStringLiteral("DBEdit5"), QStringLiteral("Causale"), QStringLiteral("Causale"));
    DBCheckBox4 = aggiungiCheck(QStringLiteral("DBCheckBox4"), QStringLiteral("Scissione pagamenti"), QStringLiteral("ScissionePagamenti"));
    DBCheckBox4->setFocusPolicy(Qt::ClickFocus);
    DBCheckBox4->setLayoutDirection(Qt::RightToLeft); // caption on the left
    DBCheckBox4->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    DBCheckBox1 = aggiungiCheck(QStringLiteral("DBCheckBox1"), QStringLiteral("Pagamento depositato"), QStringLiteral("Depositata"));
    chkConaiAssolto = aggiungiCheck(QStringLiteral("chkConaiAssolto"), QStringLiteral("Contributo Conai Assolto"),
                                    QStringLiteral("ConaiAssolto"));
    DBEdit3 = aggiungiEdit(QStringLiteral("DBEdit3"), QStringLiteral("Note"), QStringLiteral("Note"));
    // The page's fields go into its group box.
    auto *f = qobject_cast<QFormLayout *>(pagina->layout());
    auto *g = new QFormLayout(GroupBox7);
    while (f->rowCount() > 0) {
        const QFormLayout::TakeRowResult r = f->takeRow(0);
        QWidget *etichetta = r.labelItem ? r.labelItem->widget() : nullptr;
        QWidget *campo = r.fieldItem ? r.fieldItem->widget() : nullptr;
        delete r.labelItem;
        delete r.fieldItem;
        if (etichetta) g->addRow(etichetta, campo);
        else g->addRow(campo);
    }
    f->addRow(GroupBox7);
}

void TForm7::eccezioniEditing()
{
    // Installed after the editing behaviour, this form's filter sees the keys first (a
    // Backspace in the series before it marks the invoice modified).
    for (QWidget *w : {static_cast<QWidget *>(DBEdit1), static_cast<QWidget *>(DBEdit2), static_cast<QWidget *>(DBSerie)})
        w->installEventFilter(this);
    // "Scissione pagamenti" changes its column without marking the invoice modified.
    QObject::disconnect(DBCheckBox4, nullptr, m_editing, nullptr);
    m_editing->markAmountField(DBEdit8);
    for (QWidget *w : {TotImp, TotImposta, TotFattura}) m_editing->markAmountField(w);
    // These keep the keys' own meaning (no Enter/Down/Up navigation): the editing behaviour is
    // replaced by this form's filter (aqua focus, typing marks the invoice modified).
    for (QWidget *w : {static_cast<QWidget *>(DBLookupComboBox2), static_cast<QWidget *>(DBLookupComboBox8),
                       static_cast<QWidget *>(DBLookupComboBox5), static_cast<QWidget *>(DBLookupComboBox13),
                       static_cast<QWidget *>(DBLookupComboBox12)}) {
        w->removeEventFilter(m_editing);
        w->installEventFilter(this);
    }
}

bool TForm7::eventFilter(QObject *watched, QEvent *e)
{
    auto *w = qobject_cast<QWidget *>(watched);
    if (w == DBSerie && tastoCancella(e)) m_modificatiPrimaDelTasto = DatiModificati;
    if (w == DBLookupComboBox2 || w == DBLookupComboBox8 || w == DBLookupComboBox5 || w == DBLookupComboBox13
        || w == DBLookupComboBox12) {
        if (e->type() == QEvent::FocusIn || e->type() == QEvent::FocusOut) {
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
    // Leaving the date, the number or the series of a changed invoice checks the previous one.
    if ((w == DBEdit1 || w == DBEdit2 || w == DBSerie) && e->type() == QEvent::FocusOut && DatiModificati) {
        const Qt::FocusReason r = static_cast<QFocusEvent *>(e)->reason();
        if (r != Qt::ActiveWindowFocusReason && r != Qt::PopupFocusReason) VerificaDataPrecedente();
    }
    return forms::EditorDocumento::eventFilter(watched, e);
}

void TForm7::showEvent(QShowEvent *e)
{
    // Buttons that reach forms not in this program yet stay off.
    const auto abilita = [](std::initializer_list<QToolButton *> pulsanti, const char *lista) {
        for (QToolButton *b : pulsanti) b->setEnabled(creata(lista));
    };
    abilita({SpeedButton2, SpeedButton4, SpeedButton5}, "frmClienti");
    abilita({SpeedButton10, SpeedButton11}, "frmGrigliaBanche");
    abilita({SpeedButton8, SpeedButton9}, "frmModPagam");
    abilita({SpeedButton12, SpeedButton13, SpeedButton16, SpeedButton17}, "frmGrigliaComuni");
    forms::EditorDocumento::showEvent(e);
}

void TForm7::DBLookupComboBox6Click()
{
    DatiModificati = true;
    db::Query *q = dataset();
    if (q->isEmpty()) return;
    // The schedule is made from the stored invoice: its header (the method just chosen) first.
    salvaSenzaControlli();
    // A refused post has been shown and leaves the invoice modified: no schedule from it.
    if (DatiModificati) return;
    const qint64 id = idDocumento();
    try {
        scadenze::Esito esito = scadenze::generaScadenze(form_DB->Connessione, id, scadenze::Genere::FatturaVendita, false);
        if (esito.pagateConservate
            && forms::chiedi(this, QStringLiteral("Attenzione la fattura ha delle scadenze già pagate: ricalcolando le scadenze "
                                                  "i pagamenti registrati verranno eliminati. Vuoi proseguire ?")))
            scadenze::generaScadenze(form_DB->Connessione, id, scadenze::Genere::FatturaVendita, false, true);
    } catch (const db::DbError &e) {
        forms::avvisa(this, e.message(), kErrore);
    }
    if (form_DB->TableFatturaScadenze->isActive()) form_DB->TableFatturaScadenze->requery();
}

void TForm7::DBLookupComboBox2Click()
{
    db::Query *q = dataset();
    db::Query *clienti = form_DB->Table7;
    if (q->isEmpty() || clienti->isEmpty()) return;
    q->edit();
    q->fieldByName(QStringLiteral("Cliente")).setAsString(clienti->fieldByName(QStringLiteral("NominativoDocumenti")).asString());
    q->fieldByName(QStringLiteral("ScissionePagamenti")).setAsBoolean(clienti->fieldByName(QStringLiteral("ScissionePagamenti")).asBoolean());
    q->fieldByName(QStringLiteral("Cliente_ID")).setValue(clienti->fieldByName(QStringLiteral("Id")).value());
    q->fieldByName(QStringLiteral("DatiTrasmissione_FormatoTrasmissione"))
        .setAsString(clienti->fieldByName(QStringLiteral("PubblicaAmministrazione")).asBoolean() ? QStringLiteral("FPA12")
                                                                                                 : QStringLiteral("FPR12"));
    const qint64 pagamento = clienti->fieldByName(QStringLiteral("Pagamento_ID")).asLargeInt();
    if (pagamento != 0) {
        q->fieldByName(QStringLiteral("ModPagamento_Id")).setAsInteger(pagamento);
        DBLookupComboBox6Click();
    }
    DatiModificati = true;
}

void TForm7::SpeedButton5Click()
{
    auto *lista = qobject_cast<forms::ListForm *>(creata("frmClienti"));
    if (!lista || dataset()->isEmpty()) return;
    const std::optional<qint64> scelto = lista->scegli(QStringLiteral("Annullato = 0"), QStringLiteral("Id"));
    if (!scelto) return;
    if (form_DB->Table7->locate(QStringLiteral("Id"), *scelto)) DBLookupComboBox2Click();
}

void TForm7::DBLookupComboBox4Click()
{
    const qint64 id = idDocumento();
    if (id > 0) form_DB->AggiornaBancaScadenze(form_DB->Table5->fieldByName(QStringLiteral("ID")).asInteger(), int(id));
    DatiModificati = true;
}

void TForm7::DBLookupComboBox2KeyDown()
{
    db::Query *q = dataset();
    if (q->isEmpty()) return;
    q->edit();
    for (const char *campo : {"Cliente", "Cliente_ID", "DatiTrasmissione_FormatoTrasmissione", "ScissionePagamenti"})
        q->fieldByName(QLatin1String(campo)).clear();
    DatiModificati = true;
}

void TForm7::DBLookupComboBox4KeyDown()
{
    db::Query *q = dataset();
    if (q->isEmpty()) return;
    q->edit();
    q->fieldByName(QStringLiteral("Banca_ID")).clear();
    form_DB->AggiornaBancaScadenze(0, int(idDocumento()));
    DatiModificati = true;
}

void TForm7::DBLookupComboBox6KeyDown()
{
    db::Query *q = dataset();
    if (q->isEmpty()) return;
    q->edit();
    q->fieldByName(QStringLiteral("ModPagamento_Id")).clear();
    DatiModificati = true;
    const qint64 id = idDocumento();
    try {
        // Paid instalments are never dropped without the user's word.
        if (scadenze::eliminaScadenze(form_DB->Connessione, id).pagateConservate
            && forms::chiedi(this, QStringLiteral("Attenzione la fattura ha delle scadenze già pagate: eliminando le scadenze "
                                                  "i pagamenti registrati verranno eliminati. Vuoi proseguire ?")))
            scadenze::eliminaScadenze(form_DB->Connessione, id, true);
    } catch (const db::DbError &e) {
        forms::avvisa(this, e.message(), kErrore);
    }
    if (form_DB->TableFatturaScadenze->isActive()) form_DB->TableFatturaScadenze->requery();
}

void TForm7::VerificaDataPrecedente()
{
    const QString testoData = DBEdit1->text().trimmed();
    const QString testoNumero = DBEdit2->text().trimmed();
    if (testoData.isEmpty() || testoNumero.isEmpty()) return;
    bool ok = false;
    const qint64 numero = testoNumero.toLongLong(&ok);
    QDate data = QDate::fromString(testoData.left(10), QStringLiteral("dd/MM/yyyy"));
    if (!data.isValid()) data = QDate::fromString(testoData, QStringLiteral("d/M/yyyy"));
    // A text that is no number or no date has nothing to compare.
    if (!ok || !data.isValid()) return;
    std::optional<qint64> precedente;
    try {
        precedente = vendite::precedenteConDataSuccessiva(form_DB->Connessione, numero, data, DBSerie->currentText());
    } catch (const db::DbError &e) {
        forms::avvisa(this, e.message(), kErrore);
        return;
    }
    if (precedente)
        forms::avvisa(this,
                      QStringLiteral("Attenzione la fattura precedente: la numero %1 presenta una data maggiore di quella che si "
                                     "sta registrando ")
                          .arg(*precedente),
                      QStringLiteral("Attenzione si sta registrando un documento in modo errato"));
}

void TForm7::Button1Click()
{
    db::Query *q = dataset();
    if (q->isEmpty()) return;
    // What is still being typed belongs to the row.
    Q_EMIT q->updateRecord();
    const QDateTime ingresso = q->fieldByName(QStringLiteral("DataIngressoVeicolo")).asDateTime();
    const QDateTime uscita = q->fieldByName(QStringLiteral("DataUscitaVeicolo")).asDateTime();
    if (!ingresso.isValid() || !uscita.isValid()) return;
    q->edit();
    q->fieldByName(QStringLiteral("Giorni")).setAsInteger(qAbs(ingresso.date().daysTo(uscita.date())) + 1);
    DatiModificati = true;
}

void TForm7::primaDiSalvare()
{
    db::Query *q = dataset();
    q->edit();
    // An empty value is saved as false.
    q->fieldByName(QStringLiteral("ConaiAssolto")).setAsBoolean(q->fieldByName(QStringLiteral("ConaiAssolto")).asBoolean());
    q->fieldByName(QStringLiteral("Carico")).setAsBoolean(false);
}

void TForm7::PageControl1Change()
{
    QList<QWidget *> gruppi;
    for (const char *nome : {"GroupBox2", "GroupBox3", "GroupBox6", "GroupBox8"})
        if (auto *g = findChild<QWidget *>(QLatin1String(nome))) gruppi << g;
    for (QWidget *g : gruppi) g->setVisible(true);
    const int pagina = PageControl1->currentIndex();
    if (pagina <= 0) return;
    if (DatiModificati) spdSalvaClick();
    if (SalvataggioFallito) {
        for (QWidget *g : gruppi) g->setVisible(false);
        const QSignalBlocker quiet(PageControl1);
        PageControl1->setCurrentIndex(0);
        return;
    }
    if (pagina == 4) ricaricaPreventivi();
}

void TForm7::spdStampaClick()
{
    db::Query *q = dataset();
    if (q->isEmpty()) return;
    // What is printed is what the invoice shows; the checks run when the editor is left.
    if (DatiModificati && !common::SalvaRecord(*q, QStringLiteral("Id"))) return;
    CodiceStampa = 8;
    form_DB->Button2Click();
}

namespace {
// The saved layouts of the rows' grid (DBGrid2) and of the instalments' grid (DBGrid3).
const bool registrato =
    forms::registra(Form7, "Form7", {.griglie = {{QStringLiteral("Form7_DBGrid2"), QStringLiteral("DBGrid2")},
                                                 {QStringLiteral("Form7_DBGrid3"), QStringLiteral("DBGrid3")}}});
} // namespace
