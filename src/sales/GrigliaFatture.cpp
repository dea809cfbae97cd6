#include "GrigliaFatture.h"

#include "EditorFattura.h"
#include "common/RecordHelpers.h"
#include "core/Clock.h"
#include "data/DB.h"
#include "db/DbError.h"
#include "db/Query.h"
#include "forms/Family.h"
#include "forms/Registro.h"
#include "mail/Email.h"
#include "sales/SceltaSerieFatturazione.h"
#include "sales/services/Fatture.h"
#include "sales/services/Numerazione.h"
#include "widgets/DBGrid.h"
#include "widgets/MaskedDateEdit.h"
#include "widgets/Seams.h"
#include "widgets/ToolButton.h"

#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString kId = QStringLiteral("ID");
const QString kErrore = QStringLiteral("Messaggio di errore");

QString sqlFattura(qint64 id) { return QStringLiteral("select * from fattura where ID = %1").arg(id); }

void requerySeAttiva(db::Query *q)
{
    if (q && q->isActive()) q->requery();
}

} // namespace

TfrmGrigliaFatture::TfrmGrigliaFatture(QWidget *parent)
    : forms::ListaDocumenti(
          [] {
              Config c;
              c.nome = QStringLiteral("frmGrigliaFatture");
              c.titolo = QStringLiteral("Fatture");
              c.helpContext = 5200;
              c.dataset = form_DB->Table3;
              c.source = form_DB->Source3;
              c.colonne = {{QStringLiteral("SerieFatturazione"), QStringLiteral("Serie"), 60},
                           {QStringLiteral("Num"), QStringLiteral("Numero"), 70},
                           {QStringLiteral("Data"), QStringLiteral("Data"), 90},
                           {QStringLiteral("DatiTrasmissione_ProgressivoInvio"), QStringLiteral("Num. Invio"), 80},
                           {QStringLiteral("Cliente"), QStringLiteral("Cliente"), 300},
                           {QStringLiteral("NumOrdine"), QStringLiteral("NumOrdine"), 100},
                           {QStringLiteral("Targa"), QStringLiteral("Targa"), 100},
                           {QStringLiteral("TotFattura"), QStringLiteral("Importo"), 100}};
              c.ricerca = {};
              c.domandaElimina = QStringLiteral("Sei sicuro di voler eliminare la fattura?");
              c.nomeGriglia = QStringLiteral("frmGrigliaFatture_Griglia");
              c.menuGrigliaCompleto = true;
              c.ordinabile = true;
              c.massimizzata = true;
              return c;
          }(),
          parent)
{
    spdEsportaDocumento = ui::toolButton(this, QStringLiteral("spdEsportaDocumento"), QStringLiteral("Esporta ed invia"),
                                         QStringLiteral("Esporta il documento e invialo per email"), "mail-send",
                                         QStyle::SP_DialogSaveButton);
    QAction *indietro = nullptr;
    for (QAction *a : ToolBar2->actions())
        if (ToolBar2->widgetForAction(a) == spdIndietro) indietro = a;
    ToolBar2->insertWidget(indietro, spdEsportaDocumento);

    QGridLayout *g = creaGruppoRicerca(QString());
    int col = 0;
    const auto posa = [&](QWidget *w, const char *etichetta) {
        posaCasella(w, QString::fromUtf8(etichetta), col < 7 ? 0 : 1, col % 7);
        ++col;
    };
    const auto casella = [&](const char *nome, const char *etichetta) {
        auto *e = new QLineEdit(GroupBox1);
        e->setObjectName(QLatin1String(nome));
        posa(e, etichetta);
        return e;
    };
    const auto data = [&](const char *nome, const char *etichetta) {
        auto *e = new ui::MaskedDateEdit(GroupBox1);
        e->setObjectName(QLatin1String(nome));
        e->setMaximumWidth(110);
        posa(e, etichetta);
        return e;
    };
    const auto scelta = [&](const char *nome, const char *etichetta) {
        auto *c = new QComboBox(GroupBox1);
        c->setObjectName(QLatin1String(nome));
        c->setMinimumWidth(200);
        posa(c, etichetta);
        connect(c, &QComboBox::activated, this, &TfrmGrigliaFatture::FiltraClick);
        return c;
    };
    txtDaNumero = casella("txtDaNumero", "Dal numero");
    txtANumero = casella("txtANumero", "al numero");
    txtSerie = casella("txtSerie", "Serie");
    maskDaData = data("maskDaData", "Dalla Data");
    maskAData = data("maskAData", "alla Data");
    Edit2 = casella("Edit2", "Targa");
    DBLookupComboBox2 = scelta("DBLookupComboBox2", "Banca");
    DBLookupComboBox1 = scelta("DBLookupComboBox1", "Cliente");
    DBLookupComboBox3 = scelta("DBLookupComboBox3", "Mod. di pagamento");
    BitBtn3 = ui::toolButton(GroupBox1, QStringLiteral("BitBtn3"), QStringLiteral("reset"), QString(), "edit-clear",
                             QStyle::SP_DialogResetButton);
    g->addWidget(BitBtn3, 3, 2);
    ++col;
    Edit1 = casella("Edit1", "num. Ordine");
    Filtra = ui::toolButton(GroupBox1, QStringLiteral("Filtra"), QStringLiteral("cerca"), QString(), "edit-find",
                            QStyle::SP_FileDialogContentsView);
    g->addWidget(Filtra, 3, 4);
    for (QToolButton *b : {BitBtn3, Filtra}) {
        QPalette p = b->palette();
        p.setColor(QPalette::ButtonText, Qt::red);
        b->setPalette(p);
    }
    g->setColumnStretch(7, 1);
    layoutPrincipale()->addWidget(GroupBox1);

    disconnect(spdAggiorna, nullptr, this, nullptr);
    connect(spdAggiorna, &QToolButton::clicked, this, &TfrmGrigliaFatture::spdAggiornaClick);
    connect(spdEsportaDocumento, &QToolButton::clicked, this, &TfrmGrigliaFatture::spdEsportaDocumentoClick);
    connect(BitBtn3, &QToolButton::clicked, this, &TfrmGrigliaFatture::BitBtn3Click);
    connect(Filtra, &QToolButton::clicked, this, &TfrmGrigliaFatture::FiltraClick);
    // Enter searches; an emptied date box searches and goes back to the first number.
    impostaTasti({.invioCerca = true}, txtDaNumero);
}

void TfrmGrigliaFatture::riempiScelte()
{
    const auto riempi = [](QComboBox *c, db::Query *q, const QString &chiave, const QString &testo) {
        const QVariant scelta = c->currentIndex() >= 0 ? c->currentData() : QVariant();
        const QSignalBlocker quiet(c);
        c->clear();
        if (!q->isActive()) q->open();
        const int k = q->fieldIndex(chiave);
        const int t = q->fieldIndex(testo);
        const int righe = q->recordCount();
        for (int r = 0; r < righe; ++r) c->addItem(q->valueAt(r, t).toString(), q->valueAt(r, k));
        c->setCurrentIndex(scelta.isValid() ? c->findData(scelta) : -1);
    };
    riempi(DBLookupComboBox2, form_DB->Table5, QStringLiteral("ID"), QStringLiteral("Banca"));
    riempi(DBLookupComboBox1, form_DB->Table7, QStringLiteral("Id"), QStringLiteral("NominativoVisualizzato"));
    riempi(DBLookupComboBox3, form_DB->TableModPaga, QStringLiteral("Id"), QStringLiteral("Descrizione"));
}

void TfrmGrigliaFatture::showEvent(QShowEvent *e)
{
    riempiScelte();
    forms::ListForm::showEvent(e);
}

void TfrmGrigliaFatture::FiltraClick()
{
    const auto chiave = [](QComboBox *c) { return c->currentIndex() >= 0 ? c->currentData().toLongLong() : 0; };
    vendite::CriteriFatture k;
    k.daData = maskDaData->text();
    k.aData = maskAData->text();
    k.daNumero = txtDaNumero->text();
    k.aNumero = txtANumero->text();
    k.serie = txtSerie->text();
    k.targa = Edit2->text();
    k.ordine = Edit1->text();
    k.cliente = chiave(DBLookupComboBox1);
    k.banca = chiave(DBLookupComboBox2);
    k.modPagamento = chiave(DBLookupComboBox3);
    vendite::FiltroFatture f;
    try {
        f = vendite::filtroRicerca(form_DB->Connessione, k);
    } catch (const db::DbError &e) {
        forms::avvisa(this, e.message(), kErrore);
        return;
    }
    if (!f.valido()) {
        // The filter in force stays; nothing is filtered by a text that is not what its box asks.
        forms::avvisa(this, f.errore, forms::kAvviso);
        if (auto *w = findChild<QWidget *>(f.casella)) w->setFocus();
        return;
    }
    dataset()->setFilter(f.filtro);
}

void TfrmGrigliaFatture::BitBtn3Click()
{
    forms::ListForm::BitBtn3Click();
    for (QLineEdit *e : {txtDaNumero, txtANumero, static_cast<QLineEdit *>(maskDaData), static_cast<QLineEdit *>(maskAData),
                         txtSerie, Edit1, Edit2})
        e->clear();
    for (QComboBox *c : {DBLookupComboBox1, DBLookupComboBox2, DBLookupComboBox3}) c->setCurrentIndex(-1);
}

void TfrmGrigliaFatture::btnRequeryClick()
{
    const qint64 id = idCorrente();
    ripunta(form_DB->Table4, QStringLiteral("select * from fattdett where NumFatt = %1 order by NumeroRiga").arg(id));
    ripunta(form_DB->TableFatturaScadenze,
            QStringLiteral("select * from FatturaScadenze where Fattura_ID = %1 order by DataScadenza,Numero").arg(id));
    ripunta(form_DB->TableFatturaPreventiviRighe,
            QStringLiteral("select * from FatturaPreventiviRighe where Fattura_ID = %1 order by Data").arg(id));
    ripunta(form_DB->TableOrdiniClienti, QStringLiteral("select * from OrdiniClienti where Fattura_ID = %1 order by Data").arg(id));
    ripunta(form_DB->TableFatturaAllegati,
            QStringLiteral("select * from Fattura_Allegati where Fattura_Id = %1 order by NomeAttachment").arg(id));
}

void TfrmGrigliaFatture::spdInserisciClick()
{
    db::Query *q = dataset();
    m_ultimaAggiunta = 0;
    BitBtn3Click();
    // The editor stored what it changed: its row is no longer being edited.
    if (q->isEditing()) q->cancel();

    vendite::NuovoDocumento d;
    d.oggi = core::Clock::instance().today();
    // The next number of its series whatever period the list shows: the series is asked always.
    if (form_DB->Table12->fieldByName(QStringLiteral("FatturazioneMultipla")).asBoolean()
        && frmSceltaSerieFatturazione) {
        // The chooser writes into a row begun in Table3; the row stored is the service's.
        q->append();
        d.serie = frmSceltaSerieFatturazione->scegli();
        q->cancel();
    }
    if (DaSequestro && !form_DB->TableSequestri->isEmpty())
        d.sequestro = form_DB->TableSequestri->fieldByName(QStringLiteral("Id")).asLargeInt();
    d.valoriPredefiniti = [](db::Query &nuovo) {
        common::ImpostaValoriPredefiniti(QStringLiteral("fattura"), nuovo, *form_DB->TablePersonalizzazioni);
    };
    vendite::DocumentoCreato creato;
    try {
        creato = vendite::nuovoDocumento(form_DB->Connessione, d);
    } catch (const db::DbError &e) {
        forms::avvisa(this, e.message(), kErrore);
        return;
    } catch (const std::exception &e) {
        // A default value of the invoices that does not convert.
        forms::avvisa(this, QString::fromUtf8(e.what()), kErrore);
        return;
    }
    m_ultimaAggiunta = creato.id;

    // The editor works on the new invoice, never on the row that happened to be current. While
    // a past period is browsed the new invoice, dated today, is not among the rows: the list
    // holds it alone while the editor is open.
    // Only the new row is read into the list, not the year's invoices again.
    const QString sqlPrima = rendiCorrente(creato.id, sqlFattura(creato.id), true);
    if (d.sequestro > 0) {
        // The seizure now names its invoice and stays the current one: the editor's print takes
        // the invoice of the register's current row.
        db::Query *sequestri = form_DB->TableSequestri;
        if (sequestri->isEditing()) sequestri->cancel();
        sequestri->requery();
        sequestri->locate(QStringLiteral("Id"), d.sequestro);
    }
    btnRequeryClick();
    if (Form7) {
        Form7->DatiModificati = true;
        Form7->SalvataggioSenzaControlli = true;
        Form7->DBLookupComboBox6Click();
        Form7->SalvataggioSenzaControlli = false;
        Form7->mostra(true);
    }
    ridaiSql(sqlPrima, creato.id);
}

void TfrmGrigliaFatture::spdAvantiClick()
{
    db::Query *q = dataset();
    if (q->recordCount() < 1) return;
    form_DB->Table1->setFilter(QStringLiteral("Annullato = false"));
    btnRequeryClick();
    if (Form7) Form7->mostra(false);
    form_DB->Table16->setFilter(QString());
    form_DB->Table1->setFilter(QStringLiteral("Annullato = false"));
}

void TfrmGrigliaFatture::spdEliminaClick()
{
    db::Query *q = dataset();
    if (q->isEmpty()) return;
    if (!EliminaSenzaConferma && !forms::chiedi(this, config().domandaElimina)) return;
    if (q->isEditing()) q->cancel();
    const qint64 id = idCorrente();
    // The list then stands on the invoice above; after the first one, on the one that followed.
    const qint64 dopo = idAccanto();
    try {
        const auto esito = vendite::eliminaFattura(form_DB->Connessione, id);
        if (!esito.noteCredito.isEmpty()) {
            forms::avvisa(this, vendite::messaggioNoteCollegate(esito.noteCredito), kErrore);
            return;
        }
    } catch (const db::DbError &e) {
        forms::avvisa(this, e.message(), kErrore);
        return;
    }
    // The deleted row leaves the list; the others are not read again.
    if (!q->dimenticaRiga(id)) q->requery();
    if (dopo > 0) q->locate(kId, dopo);
    btnRequeryClick();
    requerySeAttiva(form_DB->Table16);
    requerySeAttiva(form_DB->TableSequestri);
}

void TfrmGrigliaFatture::spdAggiornaClick()
{
    db::Query *q = dataset();
    const qint64 id = idCorrente();
    if (q->isEditing()) q->cancel();
    q->requery();
    if (id > 0) q->locate(kId, id);
    for (db::Query *d : {form_DB->Table4, form_DB->Table7, form_DB->TableModPaga, form_DB->Table5, form_DB->TableSerieFatturazione,
                         form_DB->TableFatturaStorico})
        requerySeAttiva(d);
    riempiScelte();
}

void TfrmGrigliaFatture::spdEsportaDocumentoClick()
{
    db::Query *q = dataset();
    if (q->isEmpty()) return;
    db::Query *opzioni = form_DB->TableOpzioni;
    if (!opzioni->isActive()) opzioni->open();
    const QString cartellaOpzioni = opzioni->fieldByName(QStringLiteral("CartellaEsportazioneDocumenti")).asString();
    const QString cartella = !cartellaOpzioni.isEmpty() && QFileInfo(cartellaOpzioni).isDir()
                                 ? cartellaOpzioni
                                 : ui::Workstation::instance().programFolder();
    QString estensione = opzioni->fieldByName(QStringLiteral("EstensioneEsportazione")).asString().trimmed();
    // The report program writes PDF.
    if (estensione.isEmpty()) estensione = QStringLiteral("pdf");
    const QString numero = q->fieldByName(QStringLiteral("Num")).asString();
    const QDateTime data = q->fieldByName(QStringLiteral("Data")).asDateTime();
    FileEsportazioneStampa = QDir(cartella).filePath(QStringLiteral("Fattura_%1_%2.%3")
                                                         .arg(numero, data.isValid() ? data.toString(QStringLiteral("yyyy")) : QString(),
                                                              estensione));
    const QString oggetto = QStringLiteral("Fattura numero") + numero + QStringLiteral(" del : ")
                            + (data.isValid() ? data.toString(QStringLiteral("dd/MM/yyyy")) : QString());
    const QDateTime inizio = QDateTime::currentDateTime();
    EsportaStampa = true;
    CodiceStampa = 8;
    const bool esportata = form_DB->Button2Click();
    EsportaStampa = false;
    // The e-mail form gets only a file this export wrote (the dispatcher has said why not).
    if (!esportata) return;
    const QFileInfo file(FileEsportazioneStampa);
    if (!file.exists() || file.lastModified() < inizio.addSecs(-2)) {
        forms::avvisa(this, QStringLiteral("Attenzione il file %1 non è stato creato: la fattura non può essere inviata.")
                                .arg(FileEsportazioneStampa),
                      kErrore);
        return;
    }
    QStringList destinatari;
    const qint64 cliente = q->fieldByName(QStringLiteral("Cliente_ID")).asLargeInt();
    QString email;
    try {
        email = form_DB->Connessione
                    .scalar(QStringLiteral("select EMail from Clienti where Id = :id"), {{QStringLiteral(":id"), cliente}})
                    .toString()
                    .trimmed();
    } catch (const db::DbError &e) {
        forms::avvisa(this, e.message(), kErrore);
    }
    if (email.isEmpty()) {
        const QString nome = q->fieldByName(QStringLiteral("Cliente")).asString();
        forms::avvisa(this,
                      nome.isEmpty() ? QStringLiteral("Attenzione la fattura non ha un cliente con un indirizzo email")
                                     : QStringLiteral("Attenzione il cliente %1 non ha un indirizzo email").arg(nome),
                      forms::kAvviso);
    } else {
        destinatari << email;
    }
    posta::componiEmail(destinatari, {FileEsportazioneStampa}, oggetto, QString());
}

namespace {
// Created once at start-up, in the program's order.
const bool registrato =
    forms::registra(frmGrigliaFatture, "frmGrigliaFatture",
                    {.dettaglio = QStringLiteral("Form7"), .griglie = {{QStringLiteral("frmGrigliaFatture_Griglia")}}});
} // namespace
