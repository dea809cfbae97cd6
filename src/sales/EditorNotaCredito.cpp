#include "EditorNotaCredito.h"
#include "PagineDocumento.h"
#include "SalvataggioRighe.h"

#include "common/RecordHelpers.h"
#include "data/DB.h"
#include "db/DbError.h"
#include "db/Query.h"
#include "forms/DatiCollegati.h"
#include "forms/Family.h"
#include "forms/ListForm.h"
#include "forms/Impaginazione.h"
#include "forms/Registro.h"
#include "sales/services/Fatture.h"
#include "sales/services/NoteCredito.h"
#include "sales/services/Scadenze.h"
#include "widgets/DBCheckBox.h"
#include "widgets/DBEdit.h"
#include "widgets/DBLookupComboBox.h"
#include "widgets/DBText.h"
#include "widgets/EditingHelper.h"
#include "widgets/FieldLink.h"
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
using forms::soloNumeri;
using forms::piccolo;
using forms::spostaUltimaRiga;

const QString kErrore = QStringLiteral("Messaggio di errore");

forms::EditorDocumento::Tipo tipoNotaCredito()
{
    forms::EditorDocumento::Tipo t;
    t.dettaglio.nome = QStringLiteral("frmNotaCredito");
    t.dettaglio.titolo = QStringLiteral("Note di Credito");
    t.dettaglio.helpContext = 5700;
    t.dettaglio.dataset = form_DB->TableNotaCredito;
    t.dettaglio.source = form_DB->SourceNotaCredito;
    t.dettaglio.conAiuto = true;
    t.dettaglio.annulla = forms::DetailForm::Annulla::TramiteLista;
    t.righe.griglia = QStringLiteral("DBGrid1");
    t.righe.dataset = form_DB->TableNCRighe;
    t.righe.source = form_DB->SourceNCRighe;
    t.righe.sql = [](qint64 id) {
        return QStringLiteral("select * from NotaCreditoRighe where NotaCredito_ID = %1 order by NumeroRiga").arg(id);
    };
    t.scadenze = vendite::scadenzeDocumento();
    t.chiaveRighe = QStringLiteral("IDX");
    t.salvaRighe = vendite::salvataggioRighe(vendite::Righe::NotaCredito);
    return t;
}

ui::DBText *testoRiferimento(QWidget *parent, const char *nome, const char *campo)
{
    auto *t = new ui::DBText(parent);
    t->setObjectName(QLatin1String(nome));
    t->setDataSource(form_DB->SourceNotaCredito);
    t->setDataField(QLatin1String(campo));
    t->setMinimumWidth(90);
    t->setFrameShape(QFrame::Panel);
    t->setFrameShadow(QFrame::Sunken);
    return t;
}

} // namespace

TfrmNotaCredito::TfrmNotaCredito(QWidget *parent) : forms::EditorDocumento(tipoNotaCredito(), parent)
{
    creaBarra();
    creaTestata();
    aggiungiPagina(QStringLiteral("TabSheet2"), QStringLiteral("  Righe  "));
    creaPaginaRighe();
    aggiungiPagina(QStringLiteral("TabSheet3"), QStringLiteral("  Accompagnatoria  "));
    creaPaginaAccompagnatoria();
    aggiungiPagina(QStringLiteral("TabSheet4"), QStringLiteral("  Allegati  "));
    creaPaginaAllegati();
    creaAltro();
    completa();
    eccezioniEditing();
    // The page change warns; it never saves.
    connect(PageControl1, &QTabWidget::currentChanged, this, &TfrmNotaCredito::PageControl1Change);
    // The hidden "salva" runs this editor's own save.
    disconnect(spdSalva, nullptr, this, nullptr);
    connect(spdSalva, &QToolButton::clicked, this, &TfrmNotaCredito::spdSalvaClick);
    setMinimumSize(900, 640);
    resize(1100, 700);
}

void TfrmNotaCredito::creaBarra()
{
    spdPrimaNota = ui::toolButton(this, QStringLiteral("spdPrimaNota"), QStringLiteral("prima nota"),
                                  QStringLiteral("Visualizza in prima nota"), "accessories-text-editor", QStyle::SP_FileDialogListView);
    spdFatturaElettronica = ui::toolButton(this, QStringLiteral("spdFatturaElettronica"), QStringLiteral("Esporta xml"),
                                           QStringLiteral("Fattura Elettronica"), "text-xml", QStyle::SP_DriveNetIcon);
    SpeedButton8 = ui::toolButton(this, QStringLiteral("SpeedButton8"), QStringLiteral("Stampa"),
                                  QStringLiteral("Visualizza l'anteprima di Stampa del Documento"), "document-print",
                                  QStyle::SP_FileIcon);
    SpeedButton10 = ui::toolButton(this, QStringLiteral("SpeedButton10"), QStringLiteral("Totali"), QString(), "document-save",
                                   QStyle::SP_DialogSaveButton);
    spdSalva->setToolTip(QStringLiteral("Sava le modifiche effettuate"));
    QAction *indietro = nullptr;
    for (QAction *a : ToolBar2->actions())
        if (ToolBar2->widgetForAction(a) == spdIndietro) indietro = a;
    ToolBar2->insertWidget(indietro, spdPrimaNota);
    ToolBar2->insertWidget(indietro, spdFatturaElettronica);
    ToolBar2->insertWidget(indietro, SpeedButton8);
    ToolBar2->insertWidget(indietro, SpeedButton10)->setVisible(false);
    connect(spdPrimaNota, &QToolButton::clicked, this, &TfrmNotaCredito::spdPrimaNotaClick);
    connect(SpeedButton8, &QToolButton::clicked, this, &TfrmNotaCredito::SpeedButton8Click);
    connect(SpeedButton10, &QToolButton::clicked, this, &TfrmNotaCredito::SpeedButton10Click);
    // The FatturaPA export comes with the electronic invoicing.
    if (metaObject()->indexOfSlot("spdFatturaElettronicaClick()") >= 0)
        connect(spdFatturaElettronica, SIGNAL(clicked()), this, SLOT(spdFatturaElettronicaClick()));
    else
        spdFatturaElettronica->setEnabled(false);
}

void TfrmNotaCredito::creaTestata()
{
    QWidget *pagina = aggiungiPagina(QStringLiteral("TabSheet1"), QStringLiteral("  Testata  "));
    DBEdit1 = aggiungiEdit(QStringLiteral("DBEdit1"), QStringLiteral("Data"), QStringLiteral("Data"));
    DBEdit2 = aggiungiEdit(QStringLiteral("DBEdit2"), QStringLiteral("Numero nota credito"), QStringLiteral("Num"));
    DBEdit3 = aggiungiEdit(QStringLiteral("DBEdit3"), QStringLiteral("Serie"), QStringLiteral("SerieFatturazione"));
    DBCheckBox3 = aggiungiCheck(QStringLiteral("DBCheckBox3"), QStringLiteral("Esp. Xml"), QStringLiteral("EsportatoXml"));
    DBCheckBox2 = aggiungiCheck(QStringLiteral("DBCheckBox2"), QStringLiteral("Non Numerare"), QStringLiteral("NonNumerare"));
    DBEdit13 = aggiungiEdit(QStringLiteral("DBEdit13"), QStringLiteral("Tramissione Num. Interno"),
                            QStringLiteral("DatiTrasmissione_NumeroInterno"));
    DBEdit12 = aggiungiEdit(QStringLiteral("DBEdit12"), QStringLiteral("Progressivo Trasmissione"),
                            QStringLiteral("DatiTrasmissione_ProgressivoInvio"));
    const auto cliente = aggiungiLookup(QStringLiteral("DBLookupComboBox3"), QStringLiteral("Cliente"), QStringLiteral("Cliente_ID"),
                                        form_DB->Source7, QStringLiteral("Id"), QStringLiteral("NominativoVisualizzato"),
                                        {QStringLiteral("frmClienti"),
                                         {QStringLiteral("SpeedButton4"), QStringLiteral("Modifica il cliente")},
                                         {QStringLiteral("SpeedButton2"), QStringLiteral("Aggiungi un cliente")}});
    DBLookupComboBox3 = cliente.lookup;
    SpeedButton4 = cliente.modifica;
    SpeedButton2 = cliente.aggiungi;
    SpeedButton7 = ui::toolButton(cliente.lookup->parentWidget(), QStringLiteral("SpeedButton7"), QString(),
                                  QStringLiteral("Cerca il cliente nell'elenco"), "edit-find", QStyle::SP_FileDialogContentsView);
    qobject_cast<QHBoxLayout *>(cliente.lookup->parentWidget()->layout())->insertWidget(1, SpeedButton7);

    GroupBox1 = new QGroupBox(QStringLiteral("Pagamenti"), pagina);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setStyleSheet(QStringLiteral("QGroupBox#GroupBox1 { background-color: rgb(255, 255, 128); }"));
    auto *pagamenti = new QFormLayout(GroupBox1);
    const auto banca = aggiungiLookup(QStringLiteral("DBLookupComboBox4"), QStringLiteral("Banca"), QStringLiteral("Banca_ID"),
                                      form_DB->Source5, QStringLiteral("ID"), QStringLiteral("Banca"),
                                      {QStringLiteral("frmGrigliaBanche"),
                                       {QStringLiteral("SpeedButton1"), QStringLiteral("Modifica la banca")},
                                       {QStringLiteral("SpeedButton3"), QStringLiteral("Aggiungi una banca")}});
    spostaUltimaRiga(pagina, pagamenti);
    DBLookupComboBox4 = banca.lookup;
    SpeedButton1 = banca.modifica;
    SpeedButton3 = banca.aggiungi;
    const auto modalita = aggiungiLookup(QStringLiteral("DBLookupComboBox6"), QStringLiteral("Mod. Pagam."),
                                         QStringLiteral("ModPagamento_Id"), form_DB->SourceModPaga, QStringLiteral("Id"),
                                         QStringLiteral("Descrizione"),
                                         {QStringLiteral("frmModPagam"),
                                          {QStringLiteral("SpeedButton5"), QStringLiteral("Modifica la modalità di pagamento")},
                                          {QStringLiteral("SpeedButton6"), QStringLiteral("Aggiungi una modalità di pagamento")}});
    spostaUltimaRiga(pagina, pagamenti);
    DBLookupComboBox6 = modalita.lookup;
    SpeedButton5 = modalita.modifica;
    SpeedButton6 = modalita.aggiungi;
    pagamenti->addRow(creaGrigliaScadenze());
    aggiungiRiga(QString(), GroupBox1);

    TotImp = aggiungiEdit(QStringLiteral("TotImp"), QStringLiteral("Totale Imponibile"), QStringLiteral("TotImponibile"));
    TotImposta = aggiungiEdit(QStringLiteral("TotImposta"), QStringLiteral("Totale Imposta"), QStringLiteral("TotImposta"));
    TotFattura = aggiungiEdit(QStringLiteral("TotFattura"), QStringLiteral("Totale Nota Credito"), QStringLiteral("TotFattura"));

    // The invoice the credit note corrects.
    auto *riferimento = new QGroupBox(pagina);
    riferimento->setObjectName(QStringLiteral("GroupBox3"));
    auto *h = new QHBoxLayout(riferimento);
    btnImporta = new QPushButton(QStringLiteral("Importa Righe"), riferimento);
    btnImporta->setObjectName(QStringLiteral("btnImporta"));
    Button3 = new QPushButton(QStringLiteral("Trova Fattura"), riferimento);
    Button3->setObjectName(QStringLiteral("Button3"));
    for (QPushButton *b : {btnImporta, Button3}) {
        b->setAutoDefault(false);
        b->setFocusPolicy(Qt::NoFocus);
    }
    DBText1 = testoRiferimento(riferimento, "DBText1", "NCFattNumRif");
    DBText2 = testoRiferimento(riferimento, "DBText2", "NCFatSerieRif");
    DBText3 = testoRiferimento(riferimento, "DBText3", "NCFattDataRif");
    h->addWidget(btnImporta);
    h->addWidget(Button3);
    h->addWidget(new QLabel(QStringLiteral("Fattura di Riferimento"), riferimento));
    h->addWidget(DBText1);
    h->addWidget(new QLabel(QStringLiteral("Serie"), riferimento));
    h->addWidget(DBText2);
    h->addWidget(new QLabel(QStringLiteral("Data"), riferimento));
    h->addWidget(DBText3);
    h->addStretch(1);
    aggiungiRiga(QString(), riferimento);

    for (QToolButton *b : {SpeedButton1, SpeedButton2, SpeedButton3, SpeedButton4, SpeedButton5, SpeedButton6, SpeedButton7})
        piccolo(b);
    for (QLineEdit *e : {static_cast<QLineEdit *>(DBEdit2), static_cast<QLineEdit *>(DBEdit13), static_cast<QLineEdit *>(DBEdit12)})
        soloNumeri(e, false);
    for (QLineEdit *e : {static_cast<QLineEdit *>(TotImp), static_cast<QLineEdit *>(TotImposta), static_cast<QLineEdit *>(TotFattura)})
        soloNumeri(e, true);

    connect(SpeedButton7, &QToolButton::clicked, this, &TfrmNotaCredito::SpeedButton7Click);
    connect(DBLookupComboBox3, &ui::DBLookupComboBox::picked, this, &TfrmNotaCredito::DBLookupComboBox3Click);
    connect(DBLookupComboBox4, &ui::DBLookupComboBox::picked, this, &TfrmNotaCredito::DBLookupComboBox4Click);
    connect(DBLookupComboBox6, &ui::DBLookupComboBox::picked, this, &TfrmNotaCredito::DBLookupComboBox6Click);
    connect(DBLookupComboBox3, &ui::DBLookupComboBox::cleared, this, &TfrmNotaCredito::DBLookupComboBox3KeyDown);
    connect(DBLookupComboBox4, &ui::DBLookupComboBox::cleared, this, &TfrmNotaCredito::DBLookupComboBox4KeyDown);
    connect(DBLookupComboBox6, &ui::DBLookupComboBox::cleared, this, &TfrmNotaCredito::DBLookupComboBox6KeyDown);
    connect(Button3, &QPushButton::clicked, this, &TfrmNotaCredito::Button3Click);
    connect(btnImporta, &QPushButton::clicked, this, &TfrmNotaCredito::btnImportaClick);
}

void TfrmNotaCredito::creaAltro()
{
    aggiungiPagina(QStringLiteral("TabSheet5"), QStringLiteral("  Altro  "));
    DBEdit5 = aggiungiEdit(QStringLiteral("DBEdit5"), QStringLiteral("Causale"), QStringLiteral("Causale"));
    DBCheckBox4 = aggiungiCheck(QStringLiteral("DBCheckBox4"), QStringLiteral("Scissione pagamenti"), QStringLiteral("ScissionePagamenti"));
    DBEdit14 = aggiungiEdit(QStringLiteral("DBEdit14"), QStringLiteral("Note"), QStringLiteral("Note"));
}

void TfrmNotaCredito::eccezioniEditing()
{
    for (QWidget *w : {static_cast<QWidget *>(DBEdit1), static_cast<QWidget *>(DBEdit2), static_cast<QWidget *>(DBEdit3)})
        w->installEventFilter(this);
    for (QWidget *w : {TotImp, TotImposta, TotFattura}) m_editing->markAmountField(w);
    // The payment method keeps its keys (no Enter/Down/Up navigation): this form's filter
    // paints it and marks the credit note modified when typed into.
    DBLookupComboBox6->removeEventFilter(m_editing);
    DBLookupComboBox6->installEventFilter(this);
    // A pick with the mouse in a transport lookup changes its column without marking the credit
    // note modified; a key pressed in it does (the editing behaviour's filter stays).
    for (ui::DBLookupComboBox *l : {DBLookupComboBox7, DBLookupComboBox9, DBLookupComboBox11, DBLookupComboBox10})
        QObject::disconnect(l, &QComboBox::activated, m_editing, nullptr);
}

bool TfrmNotaCredito::eventFilter(QObject *watched, QEvent *e)
{
    auto *w = qobject_cast<QWidget *>(watched);
    if (w == DBLookupComboBox6) {
        if (e->type() == QEvent::FocusIn || e->type() == QEvent::FocusOut) {
            QPalette p = w->palette();
            const QColor c = e->type() == QEvent::FocusIn ? QColor(0, 255, 255) : QColor(Qt::white);
            p.setColor(QPalette::Base, c);
            p.setColor(QPalette::Button, c);
            w->setPalette(p);
        } else if (e->type() == QEvent::KeyPress) {
            const auto *k = static_cast<QKeyEvent *>(e);
            if (k->key() != Qt::Key_Tab && k->key() != Qt::Key_Backtab) DatiModificati = true;
        }
    }
    // Leaving the date, the number or the series of a changed credit note checks the previous one.
    if ((w == DBEdit1 || w == DBEdit2 || w == DBEdit3) && e->type() == QEvent::FocusOut && DatiModificati) {
        const Qt::FocusReason r = static_cast<QFocusEvent *>(e)->reason();
        if (r != Qt::ActiveWindowFocusReason && r != Qt::PopupFocusReason) VerificaDataPrecedente();
    }
    return forms::EditorDocumento::eventFilter(watched, e);
}

void TfrmNotaCredito::showEvent(QShowEvent *e)
{
    const auto abilita = [](std::initializer_list<QToolButton *> pulsanti, const char *lista) {
        for (QToolButton *b : pulsanti) b->setEnabled(creata(lista));
    };
    abilita({SpeedButton2, SpeedButton4, SpeedButton7}, "frmClienti");
    abilita({SpeedButton1, SpeedButton3}, "frmGrigliaBanche");
    abilita({SpeedButton5, SpeedButton6}, "frmModPagam");
    Button3->setEnabled(creata("frmTrovaFattura"));
    abilitaPulsantiPagine();
    if (GroupBox2) GroupBox2->setVisible(true);
    forms::EditorDocumento::showEvent(e);
}

void TfrmNotaCredito::spdSalvaClick()
{
    db::Query *q = dataset();
    if (!SalvataggioSenzaControlli) {
        SalvataggioFallito = false;
        // The credit note's own order of checks.
        const std::pair<QWidget *, QString> controlli[] = {
            {DBEdit1, QStringLiteral("Attenzione manca la data")},
            {DBLookupComboBox6, QStringLiteral("Attenzione manca la Modalità di pagamento")},
            {DBEdit2, QStringLiteral("Attenzione manca il numero di nota credito")},
            {DBLookupComboBox3, QStringLiteral("Attenzione manca il Cliente")}};
        for (const auto &[campo, messaggio] : controlli) {
            const QString testo = campo == DBLookupComboBox6 ? DBLookupComboBox6->currentText()
                                  : campo == DBLookupComboBox3 ? DBLookupComboBox3->currentText()
                                                               : static_cast<QLineEdit *>(campo)->text();
            if (!testo.isEmpty()) continue;
            forms::avvisa(this, messaggio, kErrore);
            SalvataggioFallito = true;
            {
                const QSignalBlocker quiet(PageControl1);
                PageControl1->setCurrentIndex(0);
            }
            campo->setFocus();
            return;
        }
    }
    // Only a modified credit note is written.
    if (!DatiModificati || q->isEmpty()) return;
    if (!q->isEditing()) q->edit();
    q->fieldByName(QStringLiteral("FattNota")).setAsBoolean(true);
    q->fieldByName(QStringLiteral("Carico")).setAsBoolean(false);
    // A refused post has been shown; the form stays open with what the user typed.
    if (!common::SalvaRecord(*q, QStringLiteral("Id"))) {
        SalvataggioFallito = true;
        return;
    }
    DatiModificati = false;
}

void TfrmNotaCredito::spdIndietroClick()
{
    if (DatiModificati) {
        spdSalvaClick();
        if (SalvataggioFallito) return;
    }
    accept();
}

bool TfrmNotaCredito::postaTestata()
{
    db::Query *q = dataset();
    if (q->isEmpty()) return false;
    Q_EMIT q->updateRecord();
    if (!q->isEditing()) return true;
    return common::SalvaRecord(*q, QStringLiteral("Id"));
}

void TfrmNotaCredito::ricostruisciScadenze()
{
    const qint64 id = idDocumento();
    if (id <= 0) return;
    // The schedule is made from the stored credit note: its header (the method chosen) first.
    if (!postaTestata()) return;
    try {
        const scadenze::Esito esito = scadenze::generaScadenze(form_DB->Connessione, id, scadenze::Genere::NotaCreditoVendita, false);
        if (esito.pagateConservate
            && forms::chiedi(this, QStringLiteral("Attenzione la nota di credito ha delle scadenze già pagate: ricalcolando le "
                                                  "scadenze i pagamenti registrati verranno eliminati. Vuoi proseguire ?")))
            scadenze::generaScadenze(form_DB->Connessione, id, scadenze::Genere::NotaCreditoVendita, false, true);
    } catch (const db::DbError &e) {
        forms::avvisa(this, e.message(), kErrore);
    }
    // The schedule may have linked the credit note to its cash-book row: the header holds it.
    db::Query *q = dataset();
    common::RicaricaDataset(*q, QStringLiteral("Id"));
    if (scadenze) scadenze->rileggi();
    else if (form_DB->TableFatturaScadenze->isActive()) form_DB->TableFatturaScadenze->requery();
}

void TfrmNotaCredito::DBLookupComboBox6Click()
{
    if (dataset()->isEmpty()) return;
    ricostruisciScadenze();
    SalvataggioSenzaControlli = true;
    spdSalvaClick();
    SalvataggioSenzaControlli = false;
    DatiModificati = true;
}

void TfrmNotaCredito::DBLookupComboBox3Click()
{
    db::Query *q = dataset();
    db::Query *clienti = form_DB->Table7;
    if (q->isEmpty() || clienti->isEmpty()) return;
    if (!q->isEditing()) q->edit();
    q->fieldByName(QStringLiteral("Cliente")).setAsString(clienti->fieldByName(QStringLiteral("NominativoDocumenti")).asString());
    q->fieldByName(QStringLiteral("Cliente_ID")).setValue(clienti->fieldByName(QStringLiteral("Id")).value());
    q->fieldByName(QStringLiteral("ScissionePagamenti")).setAsBoolean(clienti->fieldByName(QStringLiteral("ScissionePagamenti")).asBoolean());
    q->fieldByName(QStringLiteral("DatiTrasmissione_FormatoTrasmissione"))
        .setAsString(clienti->fieldByName(QStringLiteral("PubblicaAmministrazione")).asBoolean() ? QStringLiteral("FPA12")
                                                                                                 : QStringLiteral("FPR12"));
    const db::Field pagamento = clienti->fieldByName(QStringLiteral("Pagamento_ID"));
    if (!pagamento.isNull() && pagamento.asLargeInt() != 0) q->fieldByName(QStringLiteral("ModPagamento_Id")).setValue(pagamento.value());
    // In every case the schedule follows the method the credit note now has.
    ricostruisciScadenze();
    if (!q->isEmpty() && !q->isEditing()) q->edit();
    DatiModificati = true;
}

void TfrmNotaCredito::SpeedButton7Click()
{
    auto *lista = qobject_cast<forms::ListForm *>(creata("frmClienti"));
    if (!lista || dataset()->isEmpty()) return;
    const std::optional<qint64> scelto = lista->scegli(QStringLiteral("Annullato = 0"), QStringLiteral("Id"));
    if (!scelto) return;
    if (form_DB->Table7->locate(QStringLiteral("Id"), *scelto)) DBLookupComboBox3Click();
}

void TfrmNotaCredito::DBLookupComboBox4Click()
{
    const qint64 id = idDocumento();
    if (id > 0) form_DB->AggiornaBancaScadenze(form_DB->Table5->fieldByName(QStringLiteral("ID")).asInteger(), int(id));
    DatiModificati = true;
}

void TfrmNotaCredito::DBLookupComboBox3KeyDown()
{
    db::Query *q = dataset();
    if (q->isEmpty()) return;
    if (!q->isEditing()) q->edit();
    for (const char *campo : {"Cliente", "Cliente_ID", "DatiTrasmissione_FormatoTrasmissione", "ScissionePagamenti"})
        q->fieldByName(QLatin1String(campo)).clear();
    DatiModificati = true;
}

void TfrmNotaCredito::DBLookupComboBox4KeyDown()
{
    db::Query *q = dataset();
    if (q->isEmpty()) return;
    if (!q->isEditing()) q->edit();
    q->fieldByName(QStringLiteral("Banca_ID")).clear();
    form_DB->AggiornaBancaScadenze(0, int(idDocumento()));
    DatiModificati = true;
}

void TfrmNotaCredito::DBLookupComboBox6KeyDown()
{
    db::Query *q = dataset();
    if (q->isEmpty()) return;
    if (!q->isEditing()) q->edit();
    q->fieldByName(QStringLiteral("ModPagamento_Id")).clear();
    DatiModificati = true;
    const qint64 id = idDocumento();
    try {
        // Paid instalments are never dropped without the user's word.
        if (scadenze::eliminaScadenze(form_DB->Connessione, id).pagateConservate
            && forms::chiedi(this, QStringLiteral("Attenzione la nota di credito ha delle scadenze già pagate: eliminando le "
                                                  "scadenze i pagamenti registrati verranno eliminati. Vuoi proseguire ?")))
            scadenze::eliminaScadenze(form_DB->Connessione, id, true);
    } catch (const db::DbError &e) {
        forms::avvisa(this, e.message(), kErrore);
    }
    if (form_DB->TableFatturaScadenze->isActive()) form_DB->TableFatturaScadenze->requery();
}

void TfrmNotaCredito::VerificaDataPrecedente()
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
        precedente = vendite::precedenteConDataSuccessiva(form_DB->Connessione, numero, data, DBEdit3->text(), true);
    } catch (const db::DbError &e) {
        forms::avvisa(this, e.message(), kErrore);
        return;
    }
    if (precedente)
        forms::avvisa(this,
                      QStringLiteral("Attenzione la fattura precedente: la numero %1 presenta una data maggiore di quella che si "
                                     "sta registrando")
                          .arg(*precedente),
                      QStringLiteral("Attenzione si sta registrando un documento in modo errato"));
}

void TfrmNotaCredito::Button3Click()
{
    db::Query *q = dataset();
    if (q->isEmpty()) return;
    if (DBLookupComboBox3->currentText().isEmpty()) {
        forms::avvisa(this, QStringLiteral("Attenzione E' necessario scegliere il Cliente prima di poter proseguire"), kErrore);
        DBLookupComboBox3->setFocus();
        return;
    }
    auto *finder = qobject_cast<QDialog *>(creata("frmTrovaFattura"));
    if (!finder) return;
    Q_EMIT q->updateRecord();
    const qint64 cliente = q->fieldByName(QStringLiteral("Cliente_ID")).asLargeInt();
    db::Query *trova = form_DB->TableTrovaFattura;
    trova->close();
    // Every year's invoices of the customer, whatever their series; Cliente_ID lets the finder
    // search the customer by key.
    trova->setSql(QStringLiteral("SELECT fattura.ID, fattura.Data, fattura.Num AS Numero, fattura.SerieFatturazione AS Serie, "
                                 "fattura.TotFattura AS TotaleFattura, fattura.Cliente, fattura.Cliente_ID FROM fattura "
                                 "WHERE FattNota=False AND Carico=false AND fattura.Cliente_ID = %1 order by Data, Num")
                      .arg(cliente));
    trova->open();
    const int esito = finder->exec();
    const bool annullata = finder->property("RicercaAnnullata").isValid() ? finder->property("RicercaAnnullata").toBool()
                                                                           : esito != QDialog::Accepted;
    if (!annullata && esito == QDialog::Accepted && !trova->isEmpty()) {
        if (!q->isEditing()) q->edit();
        q->fieldByName(QStringLiteral("NCFattNumRif")).setValue(trova->fieldByName(QStringLiteral("Numero")).value());
        q->fieldByName(QStringLiteral("NCFattDataRif")).setValue(trova->fieldByName(QStringLiteral("Data")).value());
        q->fieldByName(QStringLiteral("NCFattIDRif")).setValue(trova->fieldByName(QStringLiteral("ID")).value());
        q->fieldByName(QStringLiteral("NCFatSerieRif")).setValue(trova->fieldByName(QStringLiteral("Serie")).value());
        // Stored at once, without the save's checks.
        common::SalvaRecord(*q, QStringLiteral("Id"));
        if (!q->isEmpty() && !q->isEditing()) q->edit();
    }
    DatiModificati = true;
}

void TfrmNotaCredito::btnImportaClick()
{
    db::Query *q = dataset();
    if (q->isEmpty()) return;
    const db::Field riferimento = q->fieldByName(QStringLiteral("NCFattIDRif"));
    if (riferimento.isNull() || riferimento.asLargeInt() == 0) {
        forms::avvisa(this, QStringLiteral("Attenzione E' necessario trovare e scegliere una fattura prima di poterne importare le righe"),
                      kErrore);
        return;
    }
    // What the header shows is stored first, in the same transaction: the copy's totals and
    // schedule are written into it.
    Q_EMIT q->updateRecord();
    const qint64 id = idDocumento();
    try {
        const auto esito = vendite::importaRigheFattura(form_DB->Connessione, id, [q] { return !q->isEditing() || q->post(); });
        if (esito.testataRifiutata) {
            forms::avvisa(this, q->lastError(), kErrore);
            return;
        }
        if (esito.fatturaMancante) {
            forms::avvisa(this, QStringLiteral("La fattura di riferimento non esiste più nell'archivio: nessuna riga è stata "
                                               "importata e la nota di credito non è cambiata."),
                          kErrore);
            if (!q->isEditing()) q->edit();
            return;
        }
    } catch (const db::DbError &e) {
        ui::reportDbError(e, this);
        return;
    }
    common::RicaricaDataset(*q, QStringLiteral("Id"));
    righe->rileggi();
    if (scadenze) scadenze->rileggi();
    forms::avvisa(this, QStringLiteral("Importazione avvenuta con successo !"), QStringLiteral("Messaggio di Conferma"));
    if (!q->isEmpty() && !q->isEditing()) q->edit();
    DatiModificati = true;
}

void TfrmNotaCredito::SpeedButton8Click()
{
    db::Query *q = dataset();
    if (q->isEmpty()) return;
    // What is printed is what the credit note shows; DatiModificati keeps its value.
    Q_EMIT q->updateRecord();
    if (q->isEditing() && !common::SalvaRecord(*q, QStringLiteral("Id"))) return;
    CodiceStampa = 4;
    form_DB->Button2Click();
}

void TfrmNotaCredito::spdPrimaNotaClick()
{
    const qint64 id = idDocumento();
    if (id <= 0 || dataset()->fieldByName(QStringLiteral("Finanzia_id")).asLargeInt() <= 0) return;
    if (form_DB->Connessione.scalar(QStringLiteral("select DuplicaFatturazioneInPrimaNota from opzioni")).toInt() == 0) return;
    auto *cassa = qobject_cast<forms::DetailForm *>(creata("CassaDettaglio"));
    if (!cassa) return;
    db::Query *t2 = form_DB->Table2;
    t2->close();
    t2->setSql(QStringLiteral("Select * from finanzia where Tipo='2' and Fattura_Id = %1").arg(id));
    t2->open();
    if (t2->isEmpty()) return;
    for (const char *nome : {"DBEdit1", "DBEdit2", "DBEdit3", "DBEdit4", "DBLookupComboBox2", "DBLookupComboBox1"})
        if (auto *w = cassa->findChild<QWidget *>(QLatin1String(nome))) w->setEnabled(true);
    cassa->mostra(false);
}

void TfrmNotaCredito::PageControl1Change()
{
    if (GroupBox2) GroupBox2->setVisible(true);
    if (!PageControl1 || PageControl1->currentIndex() <= 0) return;
    db::Query *q = dataset();
    QString messaggio;
    if (q->isEmpty() || q->fieldByName(QStringLiteral("ID")).isNull())
        messaggio = QStringLiteral("Attenzione: Prima di inserire le righe è necessario salvare la Testata!!!");
    else if (DBEdit2->text().isEmpty())
        messaggio = QStringLiteral("Attenzione: Prima di inserire le righe è necessario salvare il numero di Nota Credito!!!");
    else if (DBEdit1->text().isEmpty())
        messaggio = QStringLiteral("Attenzione: Prima di inserire le righe è necessario salvare la data di Nota Credito!!!");
    else if (DBLookupComboBox3->currentText().isEmpty())
        // The form tests the customer: the message names it.
        messaggio = QStringLiteral("Attenzione: Prima di inserire le righe è necessario scegliere il Cliente!!!");
    if (messaggio.isEmpty()) return;
    forms::avvisa(this, messaggio, QStringLiteral("Messaggio di Avviso!!"));
    if (GroupBox2) GroupBox2->setVisible(false);
}

namespace {
// The saved layouts of the rows' grid (DBGrid1) and of the instalments' grid (DBGrid3).
const bool registrato = forms::registra(frmNotaCredito, "frmNotaCredito",
                                        {.griglie = {{QStringLiteral("frmNotaCreditoDBGrid1"), QStringLiteral("DBGrid1")},
                                                     {QStringLiteral("frmNotaCreditoDBGrid3"), QStringLiteral("DBGrid3")}}});
} // namespace
