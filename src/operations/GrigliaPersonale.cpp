#include "GrigliaPersonale.h"
#include "PersonaleDettaglio.h"

#include "common/RecordHelpers.h"
#include "data/DB.h"
#include "db/Query.h"
#include "forms/Family.h"
#include "forms/Registro.h"
#include "mail/Email.h"
#include "masterdata/VCardScambio.h"
#include "operations/services/Personale.h"
#include "widgets/ToolButton.h"

#include <QAction>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QToolBar>
#include <QToolButton>

namespace {

const QString kErrore = QStringLiteral("Messaggio di errore");

scambio_vcard::Lato latoPersonale()
{
    scambio_vcard::Lato l;
    l.soggetto = QStringLiteral("dipendente");
    l.esporta = personale::esporta;
    l.importa = personale::importa;
    l.dataset = form_DB->TablePersonale;
    return l;
}

} // namespace

TfrmGrigliaPersonale::TfrmGrigliaPersonale(QWidget *parent)
    : forms::ListForm(
          [] {
              Config c;
              c.nome = QStringLiteral("frmGrigliaPersonale");
              c.titolo = QStringLiteral("Personale");
              c.helpContext = 2800;
              c.dataset = form_DB->TablePersonale;
              c.source = form_DB->SourcePersonale;
              c.colonne = {{QStringLiteral("Codice"), QStringLiteral("Codice"), 90},
                           {QStringLiteral("Personale"), QStringLiteral("Personale"), 240},
                           {QStringLiteral("Tel"), QStringLiteral("Telefono"), 130},
                           {QStringLiteral("Cell"), QStringLiteral("Cellulare"), 130},
                           {QStringLiteral("Indirizzo"), QStringLiteral("Indirizzo"), 240}};
              // The boxes as laid out; the conditions in the order name, mobile, street, phone.
              c.ricerca = {{QStringLiteral("Edit2"), QStringLiteral("Personale"), QStringLiteral("Personale"), 0},
                           {QStringLiteral("Edit3"), QStringLiteral("Cellulare"), QStringLiteral("Cell"), 1},
                           {QStringLiteral("Edit1"), QStringLiteral("Indirizzo"), QStringLiteral("Indirizzo"), 2},
                           {QStringLiteral("Edit4"), QStringLiteral("Telefono"), QStringLiteral("Tel"), 3}};
              c.domandaElimina = QStringLiteral("Sei sicuro di voler eliminare il personale?");
              c.nomeGriglia = QStringLiteral("frmGrigliaPersonale_Griglia");
              c.menuGrigliaCompleto = true;
              c.ordinabile = true;
              c.multiSelezione = true;
              c.descrizioneSpazio = false;
              c.chiavePredefiniti = QStringLiteral("Personale");
              c.eliminaSenzaConferma = true;
              return c;
          }(),
          parent)
{
    resize(900, 560);
    Edit2 = casella(QStringLiteral("Edit2"));
    Edit3 = casella(QStringLiteral("Edit3"));
    Edit4 = casella(QStringLiteral("Edit4"));
    SpeedButton2 = spdHelp;
    SpeedButton3 = spdIndietro;
    SpeedButton4 = spdAvanti;
    if (SelezionaTutti1) SelezionaTutti1->setText(QStringLiteral("Seleziona tutti"));

    btImportaVCard = ui::toolButton(this, QStringLiteral("btImportaVCard"), QStringLiteral("Importa Vcard"),
                                    QStringLiteral("Importa in archivio i Dati di una VCard"), "document-import",
                                    QStyle::SP_DialogOpenButton);
    btEsportaVCard = ui::toolButton(this, QStringLiteral("btEsportaVCard"), QStringLiteral("Esporta Vcard"),
                                    QStringLiteral("Esporta i record selezionati in Vcard"), "document-export",
                                    QStyle::SP_DialogSaveButton);
    spdCopyEmail = ui::toolButton(this, QStringLiteral("spdCopyEmail"), QStringLiteral("Copia Email"),
                                  QStringLiteral("Copia gli indirizzi email del personale selezionato"), "edit-copy",
                                  QStyle::SP_FileDialogContentsView);
    spdEmail = ui::toolButton(this, QStringLiteral("spdEmail"), QStringLiteral("Invia Email"),
                              QStringLiteral("Invia una email al personale selezionato"), "mail-send", QStyle::SP_ArrowRight);
    for (QAction *a : ToolBar2->actions())
        if (ToolBar2->widgetForAction(a) == spdIndietro) {
            for (QToolButton *b : {btImportaVCard, btEsportaVCard, spdCopyEmail, spdEmail}) ToolBar2->insertWidget(a, b);
            break;
        }
    connect(btImportaVCard, &QToolButton::clicked, this, &TfrmGrigliaPersonale::btImportaVCardClick);
    connect(btEsportaVCard, &QToolButton::clicked, this, &TfrmGrigliaPersonale::btEsportaVCardClick);
    connect(spdCopyEmail, &QToolButton::clicked, this, &TfrmGrigliaPersonale::spdCopyEmailClick);
    connect(spdEmail, &QToolButton::clicked, this, &TfrmGrigliaPersonale::spdEmailClick);

    btnRequery = ui::toolButton(this, QStringLiteral("btnRequery"), QStringLiteral("REquery"), QString(), "view-refresh",
                                QStyle::SP_BrowserReload);
    btnRequery->setVisible(false);
    connect(btnRequery, &QToolButton::clicked, this, &TfrmGrigliaPersonale::btnRequeryClick);
    // "Ricarica" also re-reads the towns.
    disconnect(spdAggiorna, nullptr, this, nullptr);
    connect(spdAggiorna, &QToolButton::clicked, this, &TfrmGrigliaPersonale::spdAggiornaClick);
}

void TfrmGrigliaPersonale::svuotaRicerca()
{
    for (QLineEdit *e : {Edit2, Edit3, Edit1, Edit4}) {
        const QSignalBlocker quiet(e);
        e->clear();
    }
}

qint64 TfrmGrigliaPersonale::idCorrente() const
{
    db::Query *q = form_DB->TablePersonale;
    return q->isEmpty() ? 0 : q->fieldByName(QStringLiteral("Id")).asLargeInt();
}

void TfrmGrigliaPersonale::spdAggiornaClick()
{
    form_DB->TablePersonale->requery();
    form_DB->Table8->requery();
}

void TfrmGrigliaPersonale::btnRequeryClick()
{
    const QString chiave = QString::number(idCorrente());
    const struct {
        db::Query *q;
        QString sql;
    } sotto[] = {
        {form_DB->TablePersonaleScadenze,
         QStringLiteral("select * from PersonaleScadenze where Personale_ID = ") + chiave + QStringLiteral(" order by DataScadenza desc")},
        {form_DB->TablePersonaleCosti,
         QStringLiteral("select * from PersonaleCosti where Personale_ID = ") + chiave + QStringLiteral(" order by Data desc")},
        {form_DB->TablePersonaleStipendi,
         QStringLiteral("select * from PersonaleStipendi where Personale_ID = ") + chiave + QStringLiteral(" order by Anno desc, Mese desc")},
    };
    for (const auto &s : sotto) {
        s.q->setFilter(QString());
        s.q->close();
        s.q->setSql(s.sql);
        s.q->open();
    }
}

void TfrmGrigliaPersonale::spdAvantiClick()
{
    if (form_DB->TablePersonale->recordCount() < 1 || !frmPersonaleDettaglio) return;
    btnRequeryClick();
    frmPersonaleDettaglio->mostra(false);
}

void TfrmGrigliaPersonale::spdInserisciClick()
{
    db::Query *q = form_DB->TablePersonale;
    svuotaRicerca();
    q->setFilter(QString());
    q->append();
    q->fieldByName(QStringLiteral("Annullato")).setAsBoolean(false);
    q->fieldByName(QStringLiteral("IdPaese")).setAsString(QStringLiteral("IT"));
    common::ImpostaValoriPredefiniti(QStringLiteral("Personale"), *q, *form_DB->TablePersonalizzazioni);
    // Stored at once, without a name yet, so that its deadlines, costs and salaries can name
    // it; only the editor's "Annulla" removes it again.
    if (!common::SalvaNuovoRecord(*q, QStringLiteral("Id"))) {
        if (q->isEditing()) q->cancel();
        return;
    }
    if (!frmPersonaleDettaglio) return;
    frmPersonaleDettaglio->DatiModificati = true;
    btnRequeryClick();
    frmPersonaleDettaglio->mostra(true);
}

void TfrmGrigliaPersonale::spdEliminaClick()
{
    db::Query *q = form_DB->TablePersonale;
    if (!EliminaSenzaConferma) {
        if (q->recordCount() < 1) return;
        if (!forms::chiedi(this, QStringLiteral("Sei sicuro di voler eliminare il personale?"))) return;
    }
    if (q->isEmpty()) return;
    if (q->isEditing()) q->cancel();
    const qint64 id = idCorrente();
    const int posizione = q->currentIndex();
    // The employee and its deadlines, costs and salaries go in one transaction.
    personale::elimina(form_DB->Connessione, id);
    // The row before the deleted one becomes current (the next one after the first).
    q->requery();
    if (!q->isEmpty()) q->setCurrentIndex(qBound(0, posizione - 1, q->recordCount() - 1));
    btnRequeryClick();
}

void TfrmGrigliaPersonale::btImportaVCardClick() { scambio_vcard::importaVCard(this, latoPersonale()); }

void TfrmGrigliaPersonale::btEsportaVCardClick()
{
    scambio_vcard::esportaVCard(this, latoPersonale(), dataset()->selectedIds(QStringLiteral("Id")));
}

bool TfrmGrigliaPersonale::indirizziSelezionati(QStringList &indirizzi)
{
    const QList<qint64> scelti = dataset()->selectedIds(QStringLiteral("Id"));
    if (scelti.isEmpty()) {
        forms::avvisa(this, QStringLiteral("Attenzione devi selezionare i contatti da copiare le email"), kErrore);
        return false;
    }
    db::Query *q = dataset();
    const qint64 prima = idCorrente();
    for (qint64 id : scelti) {
        if (!q->locate(QStringLiteral("Id"), id)) continue;
        const QString email = q->fieldByName(QStringLiteral("Email")).asString();
        if (!email.isEmpty()) indirizzi << email;
    }
    q->locate(QStringLiteral("Id"), prima);
    return true;
}

void TfrmGrigliaPersonale::spdEmailClick()
{
    QStringList indirizzi;
    if (indirizziSelezionati(indirizzi)) posta::componiEmail(indirizzi);
}

void TfrmGrigliaPersonale::spdCopyEmailClick()
{
    QStringList indirizzi;
    if (indirizziSelezionati(indirizzi)) posta::mostraIndirizzi(indirizzi);
}

namespace {
// Created once at start-up, in the program's order.
const bool registrato = forms::registra(frmGrigliaPersonale, "frmGrigliaPersonale",
                                        {.dettaglio = QStringLiteral("frmPersonaleDettaglio"),
                                         .griglie = {{QStringLiteral("frmGrigliaPersonale_Griglia")}}});
} // namespace
