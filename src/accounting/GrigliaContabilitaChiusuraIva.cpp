#include "GrigliaContabilitaChiusuraIva.h"

#include "ContabilitaChiusuraIva.h"
#include "data/DB.h"
#include "db/DbError.h"
#include "db/Query.h"
#include "forms/DetailForm.h"
#include "forms/Family.h"
#include "forms/Registro.h"
#include "widgets/Seams.h"

#include <QDate>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

using contabilita::Periodicita;

forms::ListForm::Config configurazione(Periodicita p)
{
    const bool mese = p == Periodicita::Mensile;
    forms::ListForm::Config c;
    c.nome = mese ? QStringLiteral("frmGrigliaContabilitaChiusuraIvaMensile") : QStringLiteral("frmGrigliaContabilitaChiusuraIva");
    c.titolo = mese ? QStringLiteral("Chiusura iva mensile") : QStringLiteral("Chiusura Iva");
    c.helpContext = mese ? 0 : 8800;
    c.dataset = mese ? form_DB->TableContabilitaChiusuraIvaMensile : form_DB->TableContabilitaChiusuraIvaTrimestre;
    c.source = mese ? form_DB->SourceContabilitaChiusuraIvaMensile : form_DB->SourceContabilitaChiusuraIvaTrimestre;
    c.colonne = {{QStringLiteral("Anno"), QStringLiteral("Anno"), 70},
                 mese ? forms::ColonnaGriglia{QStringLiteral("DescrizioneMese"), QStringLiteral("Mese"), 110}
                      : forms::ColonnaGriglia{QStringLiteral("Trimestre"), QStringLiteral("Trimestre"), 80},
                 {QStringLiteral("AcquistiImponibile"), QStringLiteral("Acquisti"), 110},
                 {QStringLiteral("VenditaImponibile"), QStringLiteral("Vendita"), 110},
                 {QStringLiteral("CorrispettiviImponibile"), QStringLiteral("Corrispettivi"), 110},
                 {QStringLiteral("TotaleIvaCredito"), QStringLiteral("TotaleIvaCredito"), 110},
                 {QStringLiteral("TotaleIvaDebito"), QStringLiteral("TotaleIvaDebito"), 110},
                 {contabilita::tabelle(p).credito, QStringLiteral("Credito Residuo"), 110}};
    c.ricerca = {{QStringLiteral("Edit1"), QStringLiteral("Ricerca Per anno"), QStringLiteral("Anno")}};
    c.domandaElimina = mese ? QStringLiteral("Sei sicuro di voler eliminare questa mensilità ?")
                            : QStringLiteral("Sei sicuro di voler eliminare questo Trimestre ?");
    c.descrizioneSpazio = false;
    c.nomeGriglia = c.nome;
    c.menuGrigliaCompleto = true;
    c.ordinabile = true;
    c.pulsanteRicarica = true;
    c.massimizzata = true;
    c.eliminaSenzaConferma = true;
    return c;
}

} // namespace

TfrmGrigliaContabilitaChiusuraIva::TfrmGrigliaContabilitaChiusuraIva(QWidget *parent)
    : TfrmGrigliaContabilitaChiusuraIva(Periodicita::Trimestrale, parent)
{
}

TfrmGrigliaContabilitaChiusuraIva::TfrmGrigliaContabilitaChiusuraIva(Periodicita p, QWidget *parent)
    : forms::ListForm(configurazione(p), parent), m_periodicita(p)
{
    btnRequery = new QPushButton(QStringLiteral("REquery"), this);
    btnRequery->setObjectName(QStringLiteral("btnRequery"));
    btnRequery->hide();
    connect(btnRequery, &QPushButton::clicked, this, &TfrmGrigliaContabilitaChiusuraIva::btnRequeryClick);
    if (QLineEdit *anno = casella(QStringLiteral("Edit1"))) anno->setMaxLength(4);
}

TfrmGrigliaContabilitaChiusuraIvaMensile::TfrmGrigliaContabilitaChiusuraIvaMensile(QWidget *parent)
    : TfrmGrigliaContabilitaChiusuraIva(Periodicita::Mensile, parent)
{
}

void TfrmGrigliaContabilitaChiusuraIva::apri()
{
    if (QLineEdit *anno = casella(QStringLiteral("Edit1"))) {
        const QSignalBlocker quiet(anno);
        anno->clear();
    }
    dataset()->setFilter(QString());
    show();
    raise();
    activateWindow();
}

// The year box filters on the year; a text that is not a year shows nothing rather than
// reaching the filter as it stands.
QString TfrmGrigliaContabilitaChiusuraIva::filtroRicerca() const
{
    const QLineEdit *anno = casella(QStringLiteral("Edit1"));
    const QString testo = anno ? anno->text().trimmed() : QString();
    if (testo.isEmpty() || testo == QLatin1String("*")) return QString();
    bool ok = false;
    const int a = testo.toInt(&ok);
    return QStringLiteral("Anno = %1").arg(ok ? a : -1);
}

void TfrmGrigliaContabilitaChiusuraIva::btnRequeryClick()
{
    caricaRigheChiusura(m_periodicita, dataset()->isEmpty() ? 0 : dataset()->fieldByName(QStringLiteral("ID")).asLargeInt());
}

void TfrmGrigliaContabilitaChiusuraIva::spdAvantiClick()
{
    if (ModalitaScelta || dataset()->recordCount() < 1 || !dettaglio()) return forms::ListForm::spdAvantiClick();
    btnRequeryClick();
    dettaglio()->mostra(false);
}

void TfrmGrigliaContabilitaChiusuraIva::spdInserisciClick()
{
    db::Query *q = dataset();
    qint64 id = 0;
    try {
        id = contabilita::nuovoPeriodo(form_DB->Connessione, m_periodicita, form_DB->Connessione.now().date().year());
    } catch (const db::DbError &e) {
        ui::showError(e.message(), QStringLiteral("Messaggio di errore"), this);
        return;
    }
    // The whole list in period order, the new row current; the year box keeps its text.
    q->setFilter(QString());
    q->setSort(QString());
    q->requery();
    q->locate(QStringLiteral("Id"), id);
    if (!dettaglio()) return;
    dettaglio()->DatiModificati = true;
    btnRequeryClick();
    dettaglio()->mostra(true);
}

void TfrmGrigliaContabilitaChiusuraIva::spdEliminaClick()
{
    db::Query *q = dataset();
    if (q->recordCount() < 1) return;
    if (!EliminaSenzaConferma && !forms::chiedi(this, config().domandaElimina)) return;
    const qint64 id = q->fieldByName(QStringLiteral("ID")).asLargeInt();
    // The quarterly list goes on at the following row, the monthly one at the row before.
    const int riga = q->currentIndex();
    const int vicina = m_periodicita == Periodicita::Mensile ? riga - 1 : riga + 1;
    const qint64 dopo = vicina >= 0 && vicina < q->recordCount() ? q->valueAt(vicina, q->fieldIndex(QStringLiteral("Id"))).toLongLong() : 0;
    if (q->isEditing()) q->cancel();
    try {
        contabilita::eliminaChiusura(form_DB->Connessione, m_periodicita, id);
    } catch (const db::DbError &e) {
        ui::showError(e.message(), QStringLiteral("Messaggio di errore"), this);
        return;
    }
    q->requery();
    if (dopo > 0) q->locate(QStringLiteral("Id"), dopo);
    btnRequeryClick();
}

namespace {
const bool registrati =
    forms::registra(frmGrigliaContabilitaChiusuraIva, "frmGrigliaContabilitaChiusuraIva",
                    {.dettaglio = QStringLiteral("frmContabilitaChiusuraIva"),
                     .griglie = {{QStringLiteral("frmGrigliaContabilitaChiusuraIva")}}}) &&
    forms::registra(frmGrigliaContabilitaChiusuraIvaMensile, "frmGrigliaContabilitaChiusuraIvaMensile",
                    {.dettaglio = QStringLiteral("frmContabilitaChiusuraIvaMensile"),
                     .griglie = {{QStringLiteral("frmGrigliaContabilitaChiusuraIvaMensile")}}});
} // namespace
