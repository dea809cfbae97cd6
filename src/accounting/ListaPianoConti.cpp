#include "ListaPianoConti.h"

#include "common/RecordHelpers.h"
#include "db/Query.h"
#include "forms/DetailForm.h"
#include "forms/Family.h"
#include "data/DB.h"
#include "widgets/DBGrid.h"

ListaPianoConti::ListaPianoConti(Config config, Riga riga, QWidget *parent)
    : forms::ListForm(std::move(config), parent), m_riga(std::move(riga))
{
    DBGrid1->setObjectName(QStringLiteral("DBGrid2"));
}

void ListaPianoConti::apriRiga(qint64 id)
{
    m_riga.dataset->setSql(QStringLiteral("select * from %1 where ID = %2").arg(m_riga.tabella).arg(id));
    m_riga.dataset->open();
}

void ListaPianoConti::rileggiSu(qint64 id)
{
    dataset()->requery();
    dataset()->locate(QStringLiteral("ID"), id);
}

void ListaPianoConti::spdInserisciClick()
{
    // The row is stored at once, unlinked; only "Annulla" removes it again.
    db::Query *q = m_riga.dataset;
    dataset()->setFilter(QString());
    q->setFilter(QString());
    q->setSql(QStringLiteral("select * from %1").arg(m_riga.tabella));
    q->open();
    q->append();
    q->fieldByName(m_riga.collegamento).setAsInteger(0);
    if (!common::SalvaNuovoRecord(*q, QStringLiteral("Id"))) {
        if (q->isEditing()) q->cancel();
        return;
    }
    const qint64 id = q->fieldByName(QStringLiteral("Id")).asLargeInt();
    rileggiSu(id);
    apriRiga(id);
    if (dettaglio()) {
        dettaglio()->DatiModificati = true;
        dettaglio()->mostra(true);
    }
    rileggiSu(id);
}

void ListaPianoConti::spdAvantiClick()
{
    if (ModalitaScelta || dataset()->recordCount() < 1 || !dettaglio()) {
        forms::ListForm::spdAvantiClick();
        return;
    }
    const qint64 id = dataset()->fieldByName(QStringLiteral("ID")).asLargeInt();
    apriRiga(id);
    dettaglio()->mostra(false);
    rileggiSu(id);
}

void ListaPianoConti::spdEliminaClick()
{
    db::Query *q = dataset();
    if (q->recordCount() < 1) return;
    if (!forms::chiedi(this, config().domandaElimina)) return;
    m_riga.elimina(form_DB->Connessione, q->fieldByName(QStringLiteral("ID")).asLargeInt());
    q->requery();
    for (db::Query *altra : m_riga.daRileggere) altra->requery();
}
