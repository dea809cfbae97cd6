#include "EditorDocumento.h"

#include "DatiCollegati.h"
#include "Family.h"
#include "common/RecordHelpers.h"
#include "db/Query.h"
#include "widgets/DBEdit.h"
#include "db/DbError.h"
#include "widgets/DBGrid.h"
#include "widgets/FieldLink.h"
#include "widgets/Seams.h"

namespace forms {

EditorDocumento::EditorDocumento(Tipo tipo, QWidget *parent) : DetailForm(tipo.dettaglio, parent), m_tipo(std::move(tipo))
{
    righe = new DatiCollegati(dataset(), m_tipo.campoChiave, m_tipo.righe.dataset, m_tipo.righe.sql, this);
    if (m_tipo.scadenze.dataset)
        scadenze = new DatiCollegati(dataset(), m_tipo.campoChiave, m_tipo.scadenze.dataset, m_tipo.scadenze.sql, this);
}

ui::DBGrid *EditorDocumento::griglia(const Collegate &c)
{
    auto *g = new ui::DBGrid(this);
    g->setObjectName(c.griglia);
    g->setDataSource(c.source);
    for (const ColonnaGriglia &col : c.colonne) g->addColumn(col.campo, col.titolo, col.larghezza);
    return g;
}

QWidget *EditorDocumento::aggiungiPaginaRighe(const QString &nome, const QString &titolo)
{
    QWidget *pagina = aggiungiPagina(nome, titolo);
    grigliaRighe = griglia(m_tipo.righe);
    aggiungiRiga(QString(), grigliaRighe);
    return pagina;
}

void EditorDocumento::aggiungiTotali()
{
    for (const CampoTotale &t : m_tipo.totali) aggiungiEdit(t.nome, t.etichetta, t.campo);
}

void EditorDocumento::aggiungiScadenze(const QString &etichetta)
{
    grigliaScadenze = griglia(m_tipo.scadenze);
    aggiungiRiga(etichetta, grigliaScadenze);
}

qint64 EditorDocumento::idDocumento() const
{
    return dataset()->isEmpty() ? 0 : dataset()->fieldByName(m_tipo.campoChiave).asLargeInt();
}

void EditorDocumento::ricalcolaTotali()
{
    const qint64 id = idDocumento();
    if (id <= 0 || !m_tipo.calcolaTotali) return;
    for (const auto &[campo, valore] : m_tipo.calcolaTotali(id)) dataset()->fieldByName(campo).setAsFloat(valore);
    common::SalvaRecord(*dataset(), QStringLiteral("Id"));
}

void EditorDocumento::salvaSenzaControlli()
{
    SalvataggioSenzaControlli = true;
    spdSalvaClick();
    SalvataggioSenzaControlli = false;
}

qint64 EditorDocumento::rigaCorrente() const
{
    db::Query *r = m_tipo.righe.dataset;
    return r->isEmpty() ? 0 : r->fieldByName(m_tipo.chiaveRighe).asLargeInt();
}

void EditorDocumento::posizionaRiga(qint64 chiave)
{
    if (chiave > 0 && rigaCorrente() != chiave) m_tipo.righe.dataset->locate(m_tipo.chiaveRighe, chiave);
}

bool EditorDocumento::aggiornaDocumento(const std::function<bool(QString &errore)> &scrivi)
{
    const qint64 id = idDocumento();
    if (id <= 0 || !m_tipo.salvaRighe) {
        dopoAggiornamento(false);
        return false;
    }
    const qint64 riga = rigaCorrente();
    db::Query *testata = dataset();
    db::Query *righeDoc = m_tipo.righe.dataset;
    Q_EMIT testata->updateRecord();
    QString errore;
    bool salvato = false;
    try {
        const EsitoRighe esito = m_tipo.salvaRighe(id, [&] {
            if (scrivi && !scrivi(errore)) return false;
            if (testata->isEditing() && !testata->post()) {
                errore = testata->lastError();
                return false;
            }
            return true;
        });
        if (!esito.salvato) {
            // Nothing was stored: the rows are shown as the table holds them, unless one is
            // being edited (the row editor keeps what the user typed).
            if (!righeDoc->isEditing()) righeDoc->requery();
            ui::showError(esito.errore.isEmpty() ? errore : esito.errore, QStringLiteral("Messaggio di errore"), this);
        } else {
            // The header holds the totals and the cash-book link the service stored.
            if (testata->isEditing()) testata->cancel();
            common::RicaricaDataset(*testata, m_tipo.campoChiave);
            righeDoc->requery();
            if (!esito.avviso.isEmpty()) avvisa(this, esito.avviso, QStringLiteral("Attenzione"));
            if (scadenze) scadenze->rileggi();
            else if (m_tipo.scadenze.dataset) m_tipo.scadenze.dataset->requery();
            // The cash book changed with the document.
            if (esito.primaNota) DatiModificati = true;
            salvato = true;
        }
    } catch (const db::DbError &e) {
        ui::reportDbError(e, this);
    }
    if (salvato) posizionaRiga(riga);
    dopoAggiornamento(salvato);
    return salvato;
}

} // namespace forms
